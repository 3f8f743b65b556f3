// The window-free half of the registry export: renderings, script lines and
// the root-key table.
#include "diagnostics/RegValueFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

// Shift-JIS lead bytes, for the double-byte cases.
bool ShiftJisLead(unsigned char byte) { return (byte >= 0x81 && byte <= 0x9F) || (byte >= 0xE0 && byte <= 0xFC); }

// UTF-16 bytes of an ASCII text, with its terminator unless told otherwise.
Bytes Utf16(const std::string& text, bool withZero = true) {
    Bytes bytes;
    for (char c : text) {
        bytes.push_back(static_cast<unsigned char>(c));
        bytes.push_back(0);
    }
    if (withZero) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

TEST(RegValueFormat, DataOfEveryTypeKeepsItsTypeAndEveryByte) {
    const struct {
        const char* label;
        uint32_t type;
        Bytes data;
        const char* text;
    } cases[] = {
        {"REG_DWORD 0x12", kRegTypeDword, Bytes{0x12, 0, 0, 0}, "dword:00000012"},
        {"REG_DWORD little-endian", kRegTypeDword, Bytes{0x78, 0x56, 0x34, 0x12}, "dword:12345678"},
        {"REG_DWORD of two bytes", kRegTypeDword, Bytes{0x34, 0x12}, "hex(4):34,12"},
        {"REG_DWORD of no bytes", kRegTypeDword, Bytes{}, "hex(4):"},
        {"REG_DWORD of six bytes", kRegTypeDword, Bytes{1, 2, 3, 4, 5, 6}, "hex(4):01,02,03,04,05,06"},
        {"REG_BINARY 01 0A FF", kRegTypeBinary, Bytes{0x01, 0x0A, 0xFF}, "hex:01,0a,ff"},
        {"REG_BINARY 01 23 and 12 03 differ", kRegTypeBinary, Bytes{0x12, 0x03}, "hex:12,03"},
        {"empty REG_BINARY", kRegTypeBinary, Bytes{}, "hex:"},
        {"REG_EXPAND_SZ as stored", kRegTypeExpandSz, Utf16("%A%"), "hex(2):25,00,41,00,25,00,00,00"},
        {"REG_MULTI_SZ with an empty entry", kRegTypeMultiSz, Bytes{'a', 0, 0, 0, 'b', 0, 0, 0, 0, 0},
         "hex(7):61,00,00,00,62,00,00,00,00,00"},
        {"REG_SZ that is no plain string", kRegTypeSz, Bytes{'a', 0, 0, 0, 'b', 0}, "hex(1):61,00,00,00,62,00"},
        {"REG_DWORD_BIG_ENDIAN", kRegTypeDwordBigEndian, Bytes{0, 0, 0, 1}, "hex(5):00,00,00,01"},
        {"REG_LINK", kRegTypeLink, Bytes{'\\', 0}, "hex(6):5c,00"},
        {"REG_NONE", kRegTypeNone, Bytes{1, 2}, "hex(0):01,02"},
        {"REG_QWORD", 11, Bytes{1, 0, 0, 0, 0, 0, 0, 0x80}, "hex(b):01,00,00,00,00,00,00,80"},
        {"a type of the caller's own", 0x4242u, Bytes{3}, "hex(4242):03"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRegData(c.type, c.data.data(), c.data.size()), c.text) << c.label;
    }
}

TEST(RegValueFormat, OnlyOneStringWithOneTerminatorIsWrittenAsText) {
    const struct {
        const char* label;
        Bytes data;
        bool plain;
    } cases[] = {
        {"a string", Utf16("C:\\x"), true},
        {"the empty string", Utf16(""), true},
        {"no data at all", Bytes{}, false},
        {"no terminator", Utf16("abc", false), false},
        {"odd size", Bytes{'a', 0, 0, 0, 0}, false},
        {"a zero inside", Bytes{'a', 0, 0, 0, 'b', 0, 0, 0}, false},
        {"two terminators", Bytes{'a', 0, 0, 0, 0, 0}, false},
        {"a line feed", Utf16("a\nb"), false},
        {"a carriage return", Utf16("a\rb"), false},
        {"a character above 0xFF", Bytes{0x3A, 0x04, 0, 0}, true},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(IsPlainRegString(c.data.data(), c.data.size()), c.plain) << c.label;
    }
}

TEST(RegValueFormat, ValueLinesQuoteNamesAndTexts) {
    const struct {
        const char* label;
        std::string name;
        std::string data;
        const char* line;
    } cases[] = {
        {"default value", "", QuoteRegText("C:\\x", NoLeadBytes), "@=\"C:\\\\x\"\n"},
        {"quotes and backslashes in name and text", "a\\b\"c", QuoteRegText("say \"\\\\srv\"", NoLeadBytes),
         "\"a\\\\b\\\"c\"=\"say \\\"\\\\\\\\srv\\\"\"\n"},
        {"a name that is only a quote", "\"", "dword:00000001", "\"\\\"\"=dword:00000001\n"},
        {"short hex stays on its line", "b", "hex:01,0a,ff", "\"b\"=hex:01,0a,ff\n"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(FormatRegValueLine(c.name, c.data, NoLeadBytes), c.line) << c.label;
    }
    // In a double-byte code page a trail byte 0x5C is no backslash.
    EXPECT_EQ(QuoteRegText("\x81\x5C\"", ShiftJisLead), "\"\x81\x5C\\\"\"");
}

// Long lists of bytes are continued over lines of at most 80 characters, and
// joining the lines back gives the list unbroken.
TEST(RegValueFormat, LongHexDataContinuesOverLines) {
    const Bytes data(3000, 0xAB);
    const std::string text = FormatRegData(kRegTypeBinary, data.data(), data.size());
    for (const std::string& name : {std::string("n"), std::string(100, 'm')}) {
        const std::string line = FormatRegValueLine(name, text, NoLeadBytes);
        std::string joined;
        size_t begin = 0;
        size_t lines = 0;
        while (begin < line.size()) {
            const size_t end = line.find('\n', begin);
            ASSERT_NE(end, std::string::npos);
            std::string part = line.substr(begin, end - begin);
            if (lines > 0) {
                ASSERT_EQ(part.compare(0, 2, "  "), 0) << "continuation line " << lines;
                part.erase(0, 2);
            }
            if (lines == 0 && name.size() > 80) {
                EXPECT_LE(part.size(), name.size() + 12) << "the first line holds the name and one byte";
            } else {
                EXPECT_LE(part.size() + (lines > 0 ? 2 : 0), 80u) << "line " << lines;
            }
            if (end + 1 < line.size()) {
                ASSERT_EQ(part.substr(part.size() - 2), ",\\") << "line " << lines;
                part.pop_back();
            }
            joined += part;
            begin = end + 1;
            ++lines;
        }
        std::string expected = "\"" + name;
        expected += "\"=";
        expected += text;
        EXPECT_EQ(joined, expected) << name.size();
        EXPECT_GT(lines, 100u);
    }
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
    EXPECT_EQ(FormatRegKeyLine("HKEY_LOCAL_MACHINE", "SOFTWARE\\Corvalin"), "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]");
    const std::string longPath(600, 'k');
    EXPECT_EQ(FormatRegKeyLine("HKEY_USERS", longPath), "[HKEY_USERS\\" + longPath + "]");

    RegNode empty;
    EXPECT_EQ(FormatRegRecord(empty, NoLeadBytes), "\n\n") << "a key that could not be opened";

    RegNode node;
    node.keyLine = "[HKEY_CURRENT_USER\\K]";
    node.valueNames = {"", "n"};
    node.valueTexts = {"\"C:\\\\x\"", "dword:00000012"};
    node.valueTypes = {kRegTypeSz, kRegTypeDword};
    node.valueCount = 2;
    node.skippedNotes = {"value 2 of this key could not be read (error 5)"};
    const char expected[] =
        "[HKEY_CURRENT_USER\\K]\n@=\"C:\\\\x\"\n\"n\"=dword:00000012\n"
        "; value 2 of this key could not be read (error 5)\n\n";
    EXPECT_EQ(FormatRegRecord(node, NoLeadBytes), expected);

    node.valueCount = 5;  // a count beyond the arrays writes what they hold
    EXPECT_EQ(FormatRegRecord(node, NoLeadBytes), expected);
}

TEST(RegValueFormat, RootKeyTableByLowEightBits) {
    const struct {
        int index;
        uint32_t handle;
        const char* name;
    } rows[] = {
        {0, 0x80000000u, "HKEY_CLASSES_ROOT"},
        {1, 0x80000001u, "HKEY_CURRENT_USER"},
        {2, 0x80000002u, "HKEY_LOCAL_MACHINE"},
        {3, 0x80000003u, "HKEY_USERS"},
        {4, 0x80000004u, "HKEY_PERFORMANCE_DATA"},
        {5, 0x80000050u, "HKEY_PERFORMANCE_TEXT"},
        {6, 0x80000060u, "HKEY_PERFORMANCE_NLSTEXT"},
        {7, 0x80000005u, "HKEY_CURRENT_CONFIG"},
        {8, 0x80000006u, "HKEY_DYN_DATA"},
        {0x102, 0x80000002u, "HKEY_LOCAL_MACHINE"},
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
