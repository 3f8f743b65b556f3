// Window-free half of the registry export: the root-key table, the renderings
// of value data and the lines of the registry script.
#pragma once

#include "diagnostics/RegNode.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Registry value types, by number (this file sees no Windows headers).
enum : uint32_t {
    kRegTypeNone = 0,
    kRegTypeSz = 1,
    kRegTypeExpandSz = 2,
    kRegTypeBinary = 3,
    kRegTypeDword = 4,
    kRegTypeDwordBigEndian = 5,
    kRegTypeLink = 6,
    kRegTypeMultiSz = 7,
};

// What the walk reads: a value whose name needs more than 2047 characters or
// whose data needs more than 2048 bytes is skipped; a subkey name may have
// at most 254 characters.
constexpr uint32_t kRegValueNameCapacity = 2048;
constexpr uint32_t kRegValueDataCapacity = 2048;
constexpr uint32_t kRegSubkeyNameCapacity = 255;

struct RegRootKey {
    uint32_t handle;   // the predefined key handle's value
    const char* name;  // the name written into key lines
};
constexpr int kRegRootKeyCount = 9;
extern const RegRootKey kRegRootKeys[kRegRootKeyCount];

// The row chosen by the low 8 bits of rootIndex, or null when those bits
// name no row.
const RegRootKey* FindRegRootKey(int rootIndex);

// The title line and one empty line, 38 bytes.
extern const char kRegScriptHeader[];
constexpr size_t kRegScriptHeaderSize = 38;

// Whether a byte starts a double-byte character in the code page in use.
using LeadByteTest = bool (*)(unsigned char byte);
bool NoLeadBytes(unsigned char byte);

// Doubles every backslash; the second byte of a double-byte character is
// never taken for one.
std::string EscapeBackslashesWith(const std::string& text, LeadByteTest isLeadByte);

// The text the walk stores for a value's data: REG_SZ up to its first zero
// byte or its stored length, backslashes doubled; REG_BINARY every byte with
// "%x"; REG_DWORD the first four bytes, little-endian (missing bytes are 0),
// with "%08x"; every other type an empty text.
std::string RenderRegValueText(uint32_t type, const unsigned char* data, size_t size, LeadByteTest isLeadByte);

// "[root\path]". Kept whole however long the path is.
std::string FormatRegKeyLine(const char* rootName, const std::string& keyPath);

// One value's line with its line end: "name"=data, or @=data for the default
// value, the stored text wrapped in its type's form.
std::string FormatRegValueLine(const std::string& name, uint32_t type, const std::string& text);

// One record's part of the script: key line, value lines, an empty line.
// Line ends are "\n"; the file's text mode makes them CR LF.
std::string FormatRegRecord(const RegNode& node);
