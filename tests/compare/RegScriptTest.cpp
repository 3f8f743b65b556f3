// The script read back: every form of value line, continuation lines, the
// records the export could not read, and the lines that refuse a script.
#include "compare/RegScript.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/compare/CompareTestText.h"

namespace {

using compare_test::Script;

const std::string kBranch = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]\r\n";

TEST(RegScriptTest, ValuesAndUnreadableRecordsAreReadBack) {
    const std::string text = Script(kBranch +
                                    "@=\"C:\\\\x\"\r\n"
                                    "\"Count\"=dword:0000000a\r\n"
                                    "\"Bin\"=hex:01,0a,ff\r\n"
                                    "\"Long\"=hex(2):25,00,41,00,\\\r\n"
                                    "  42,00,\\\r\n"
                                    "  00,00\r\n"
                                    "\"a\\\"=\\\"b\"=\"c\"\r\n"  // the name a"="b
                                    "\"Q\"=hex(b):\r\n"
                                    "; a value that could not be read\r\n"
                                    "\r\n"
                                    "\r\n\r\n"  // a subkey that could not be opened
                                    "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Sub]x]\r\n"
                                    "\r\n");
    RegScript script;
    ParseError error;
    ASSERT_TRUE(ParseRegScript(text, script, error)) << error.line << ": " << error.expected;
    ASSERT_EQ(2u, script.keys.size());
    EXPECT_EQ("", script.keys[0].relative);
    EXPECT_EQ("Sub]x", script.keys[1].relative);
    EXPECT_EQ(16u, script.keys[1].line);

    struct Expected {
        const char* name;
        const char* data;  // as written on one line
        uint32_t line;
    };
    const Expected values[] = {
        {"@", "\"C:\\\\x\"", 4},          {"\"Count\"", "dword:0000000a", 5},
        {"\"Bin\"", "hex:01,0a,ff", 6},   {"\"Long\"", "hex(2):25,00,41,00,42,00,00,00", 7},
        {"\"a\\\"=\\\"b\"", "\"c\"", 10}, {"\"Q\"", "hex(b):", 11},
    };
    ASSERT_EQ(std::size(values), script.values.size());
    ASSERT_EQ(std::size(values), script.keys[0].valueCount);
    for (size_t i = 0; i < script.values.size(); ++i) {
        SCOPED_TRACE(values[i].name);
        EXPECT_EQ(values[i].name, script.values[i].name);
        EXPECT_EQ(values[i].data, RenderRegData(script, script.values[i]));
        EXPECT_EQ(values[i].line, script.values[i].line);
    }
    EXPECT_EQ(std::string("%\0A\0B\0\0\0", 8), ValueData(script, script.values[3]));

    ASSERT_EQ(2u, script.unreadable.size());
    EXPECT_EQ("; a value that could not be read", script.unreadable[0].comment);
    EXPECT_EQ(12u, script.unreadable[0].line);
    EXPECT_EQ(0, script.unreadable[0].key);
    EXPECT_EQ("", script.unreadable[1].comment);
    EXPECT_EQ(14u, script.unreadable[1].line);
    EXPECT_EQ(0, script.unreadable[1].key);
}

TEST(RegScriptTest, MalformedLinesNameTheLineAndWhatWasExpected) {
    struct Case {
        std::string text;
        uint32_t line;
        const char* expected;  // a part of what the error says
    };
    const Case cases[] = {
        {"REGEDIT4\r\n\r\n", 1, "title line"},
        {Script("").substr(0, 38) + "x\r\n", 2, "empty line after the title"},
        {Script(kBranch + "\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Other]\r\n\r\n"), 5, "a key below"},
        {Script(kBranch + "\"A\"=dword:0000000\r\n\r\n"), 4, "a value line"},
        {Script(kBranch + "\"A\"=hex:0A\r\n\r\n"), 4, "a value line"},
        {Script(kBranch + "\"A\"=hex(02):00\r\n\r\n"), 4, "a value line"},
        {Script(kBranch + "\"A=\"x\"\r\n\r\n"), 4, "a value line"},
        {Script(kBranch + "\"A\"=hex:01,\\\r\n02\r\n\r\n"), 5, "next bytes"},
        {Script(kBranch + "\"A\"=hex:01,\\\r\n"), 5, "next bytes"},
        {Script(kBranch + "\"A\"=hex:01\\\r\n  02\r\n\r\n"), 4, "a value line"},
        {Script(kBranch + "\"A\"=\"x\"\r\n"), 5, "an empty line after the key's values"},
        {Script(kBranch + "\r\n\r\n[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\B]\r\n\r\n"), 6, "a second empty line"},
        {Script("[x]\r\n\r\n"), 3, "[root\\path]"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        RegScript script;
        ParseError error;
        EXPECT_FALSE(ParseRegScript(c.text, script, error));
        EXPECT_EQ(c.line, error.line);
        EXPECT_NE(std::string::npos, error.expected.find(c.expected)) << error.expected;
    }
}

}  // namespace
