// The window-free half of the registry export: renderings, script lines and
// the root-key table.
#include "diagnostics/RegValueFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

Bytes Text(const char* text, bool withZero = true) {
    Bytes bytes(text, text + std::strlen(text));
    if (withZero) bytes.push_back(0);
    return bytes;
}

// Shift-JIS lead bytes, for the double-byte cases.
bool ShiftJisLead(unsigned char byte) {
    return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC);
}

std::string LineFor(const std::string& name, uint32_t type, const Bytes& data) {
    return FormatRegValueLine(
        name, type, RenderRegValueText(type, data.data(), data.size(), NoLeadBytes));
}

TEST(RegValueFormat, ValueLinesByType) {
    const struct {
        const char* label;
        const char* name;
        uint32_t type;
        Bytes data;
        const char* line;
    } cases[] = {
        {"default REG_SZ with a backslash", "", kRegTypeSz, Text("C:\\x"), "@=\"C:\\\\x\"\n"},
        {"REG_SZ, two backslashes in a row", "p", kRegTypeSz, Text("\\\\srv"), "\"p\"=\"\\\\\\\\srv\"\n"},
        {"REG_SZ ends at its first zero", "z", kRegTypeSz, Bytes{'a', 0, 'b', 0}, "\"z\"=\"a\"\n"},
        {"REG_SZ without a zero ends at its length", "n", kRegTypeSz, Text("abc", false), "\"n\"=\"abc\"\n"},
        {"empty REG_SZ", "e", kRegTypeSz, Bytes{}, "\"e\"=\"\"\n"},
        {"REG_EXPAND_SZ", "x", kRegTypeExpandSz, Text("%PATH%"), "\"x\"=hex(2):\n"},
        {"REG_BINARY 01 0A FF", "b", kRegTypeBinary, Bytes{0x01, 0x0A, 0xFF}, "\"b\"=hex:1aff\n"},
        {"REG_BINARY with a 0x5C byte before a zero", "b", kRegTypeBinary, Bytes{0x5C, 0x00}, "\"b\"=hex:5c0\n"},
        {"empty REG_BINARY", "b", kRegTypeBinary, Bytes{}, "\"b\"=hex:\n"},
        {"REG_DWORD 0x12", "d", kRegTypeDword, Bytes{0x12, 0, 0, 0}, "\"d\"=dword:00000012\n"},
        {"REG_DWORD little-endian", "d", kRegTypeDword, Bytes{0x78, 0x56, 0x34, 0x12}, "\"d\"=dword:12345678\n"},
        {"REG_DWORD of two bytes", "d", kRegTypeDword, Bytes{0x34, 0x12}, "\"d\"=dword:00001234\n"},
        {"REG_DWORD of no bytes", "d", kRegTypeDword, Bytes{}, "\"d\"=dword:00000000\n"},
        {"REG_DWORD of six bytes uses four", "d", kRegTypeDword, Bytes{1, 2, 3, 4, 5, 6}, "\"d\"=dword:04030201\n"},
        {"REG_DWORD with a 0x5C byte", "d", kRegTypeDword, Bytes{0x5C, 0, 0, 0}, "\"d\"=dword:0000005c\n"},
        {"REG_DWORD_BIG_ENDIAN", "be", kRegTypeDwordBigEndian, Bytes{0, 0, 0, 1}, "\"be\"=\"\"\n"},
        {"REG_LINK", "l", kRegTypeLink, Bytes{'\\', 0}, "\"l\"=\"\"\n"},
        {"REG_MULTI_SZ", "m", kRegTypeMultiSz, Bytes{'a', 0, 'b', 0, 0}, "\"m\"=hex(7):\n"},
        {"type 0", "t0", kRegTypeNone, Bytes{1, 2}, "\"t0\"=\"\"\n"},
        {"type 8", "t8", 8, Bytes{1}, "\"t8\"=\"\"\n"},
        {"unknown type", "u", 0x12345678u, Bytes{1}, "\"u\"=\"\"\n"},
        {"name is written as stored", "a\\b\"c", kRegTypeDword, Bytes{1, 0, 0, 0}, "\"a\\b\"c\"=dword:00000001\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LineFor(c.name, c.type, c.data), c.line) << c.label;
    }
}

TEST(RegValueFormat, LongRenderingsAreKeptWhole) {
    // 2048 bytes of 0xFF render as 4096 digits; 2047 backslashes become 4094.
    const Bytes binary(2048, 0xFF);
    const std::string hex = RenderRegValueText(kRegTypeBinary, binary.data(), binary.size(), NoLeadBytes);
    EXPECT_EQ(hex, std::string(4096, 'f'));

    Bytes slashes(2047, '\\');
    slashes.push_back(0);
    const std::string text = RenderRegValueText(kRegTypeSz, slashes.data(), slashes.size(), NoLeadBytes);
    EXPECT_EQ(text, std::string(4094, '\\'));
}

TEST(RegValueFormat, EscapeBackslashesInDoubleByteText) {
    const struct {
        const char* label;
        std::string text;
        std::string expected;
    } cases[] = {
        {"trail byte 0x5C stays single", "\x81\x5C", "\x81\x5C"},
        {"trail byte then a real backslash", "\x83\x5C\\a", "\x83\x5C\\\\a"},
        {"backslash then a character ending in 0x5C", "\\\x95\x5C", "\\\\\x95\x5C"},
        {"lead byte at the very end stands alone", "a\\\x81", "a\\\\\x81"},
        {"single-byte katakana is no lead byte", "\xB1\\", "\xB1\\\\"},
        {"no backslash", "plain", "plain"},
        {"empty", "", ""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(EscapeBackslashesWith(c.text, ShiftJisLead), c.expected) << c.label;
    }
    // Without a double-byte code page the same bytes are all single.
    EXPECT_EQ(EscapeBackslashesWith("\x81\x5C", NoLeadBytes), "\x81\x5C\\");
}

TEST(RegValueFormat, KeyLinesAndRecords) {
    EXPECT_EQ(FormatRegKeyLine("HKEY_LOCAL_MACHINE", "SOFTWARE\\Corvalin"),
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]");
    const std::string longPath(600, 'k');
    EXPECT_EQ(FormatRegKeyLine("HKEY_USERS", longPath), "[HKEY_USERS\\" + longPath + "]");

    RegNode empty;
    EXPECT_EQ(FormatRegRecord(empty), "\n\n") << "a key that could not be opened";

    RegNode node;
    node.keyLine = "[HKEY_CURRENT_USER\\K]";
    node.valueNames = {"", "n"};
    node.valueTexts = {"C:\\\\x", "00000012"};
    node.valueTypes = {kRegTypeSz, kRegTypeDword};
    node.valueCount = 2;
    EXPECT_EQ(FormatRegRecord(node), "[HKEY_CURRENT_USER\\K]\n@=\"C:\\\\x\"\n\"n\"=dword:00000012\n\n");

    node.valueCount = 5;  // a count beyond the arrays writes what they hold
    EXPECT_EQ(FormatRegRecord(node), "[HKEY_CURRENT_USER\\K]\n@=\"C:\\\\x\"\n\"n\"=dword:00000012\n\n");
}

TEST(RegValueFormat, RootKeyTableByLowEightBits) {
    const struct {
        int index;
        uint32_t handle;
        const char* name;
    } rows[] = {
        {0, 0x80000000u, "HKEY_CLASSES_ROOT"},       {1, 0x80000001u, "HKEY_CURRENT_USER"},
        {2, 0x80000002u, "HKEY_LOCAL_MACHINE"},      {3, 0x80000003u, "HKEY_USERS"},
        {4, 0x80000004u, "HKEY_PERFORMANCE_DATA"},   {5, 0x80000050u, "HKEY_PERFORMANCE_TEXT"},
        {6, 0x80000060u, "HKEY_PERFORMANCE_NLSTEXT"}, {7, 0x80000005u, "HKEY_CURRENT_CONFIG"},
        {8, 0x80000006u, "HKEY_DYN_DATA"},           {0x102, 0x80000002u, "HKEY_LOCAL_MACHINE"},
        {0x7FFFFF01, 0x80000001u, "HKEY_CURRENT_USER"},
    };
    for (const auto& r : rows) {
        const RegRootKey* root = FindRegRootKey(r.index);
        ASSERT_NE(root, nullptr) << "index " << r.index;
        EXPECT_EQ(root->handle, r.handle) << "index " << r.index;
        EXPECT_STREQ(root->name, r.name) << "index " << r.index;
    }
    for (int index : {9, 0xFF, 0x1FF, -1}) {
        EXPECT_EQ(FindRegRootKey(index), nullptr) << "index " << index;
    }
}

}  // namespace
