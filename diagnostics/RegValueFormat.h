// Window-free half of the registry export: the root-key table, the renderings
// of value data and the lines of the registry script. Every value is written
// with its type and all of its data in the forms the registry editor writes
// and imports, so that importing the script rebuilds the values it shows.
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

// A subkey name is held in a buffer of this many bytes with its terminating
// zero: a name whose rendering needs more is left out of the script.
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

// text between double quotes, each backslash doubled and each double quote
// written \" (trail bytes of double-byte characters left alone): the form of
// a value's name and of a REG_SZ value's text.
std::string QuoteRegText(const std::string& text, LeadByteTest isLeadByte);

// Whether REG_SZ data (as stored, UTF-16) is one plain string that a quoted
// text gives back exactly: an even size, one zero character and that at its
// end, and no line break (a line of the script cannot hold one).
bool IsPlainRegString(const unsigned char* data, size_t size);

// The data part of a value line for data as the registry stores it: REG_DWORD
// of four bytes as dword:%08x; REG_BINARY as hex:; every other type as hex(N):
// with N the type number in lower-case hexadecimal; the bytes as two digits
// each, separated by commas. REG_SZ comes here only when it is not written as
// a quoted text.
std::string FormatRegData(uint32_t type, const unsigned char* data, size_t size);

// "[root\path]". Kept whole however long the path is.
std::string FormatRegKeyLine(const char* rootName, const std::string& keyPath);

// One value's line with its line end: the quoted name (or @ for the default
// value), "=", and the data part. A list of bytes longer than a line is
// continued as the registry editor continues it: a backslash after a comma,
// and the next line indented by two spaces; no line passes 80 characters
// unless its name alone is longer.
std::string FormatRegValueLine(const std::string& name, const std::string& data, LeadByteTest isLeadByte);

// One record's part of the script: key line, value lines, a comment line for
// each value or subkey that could not be read, an empty line. Line ends are
// "\n"; the file's text mode makes them CR LF.
std::string FormatRegRecord(const RegNode& node, LeadByteTest isLeadByte);
