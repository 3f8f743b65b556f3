// The log read back: file lines from both ends, the lines that refuse a log,
// and how its sections are told apart into trees.
#include "compare/InventoryLog.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <utility>
#include <vector>

#include "tests/compare/CompareTestText.h"

namespace {

using compare_test::Line;
using compare_test::Log;
using compare_test::Section;

const std::string kDigest = "0123456789abcdef0123456789abcdef";

TEST(InventoryLogTest, FileLinesAreReadFromBothEnds) {
    struct Case {
        std::string md5, name;
        int size;
        std::string read;  // the name read back
    };
    const std::string thirty(30, 'b');
    const Case cases[] = {
        {kDigest, "a.dll", 512, "a.dll"},
        {"", "locked.dat", 14, "locked.dat"},  // not read: no digest column at all
        {kDigest, std::string(29, 'a'), 0, std::string(29, 'a')},
        {kDigest, thirty, -1294967296, thirty},  // 3,000,000,000 bytes
        {"", std::string(31, 'c'), INT_MIN, std::string(31, 'c')},
        {kDigest, "a name with  spaces and 1234", INT_MAX, "a name with  spaces and 1234"},
        {kDigest, "longer than its column, ends in spaces  ", 7, "longer than its column, ends in spaces  "},
        // Padding and the spaces a shorter name ends in look alike.
        {kDigest, "short name  ", 3, "short name"},
        {kDigest, "??????.dll", 1, "??????.dll"},
    };
    std::string body = Section("C:\\P\\Corvalin\\Desktop\\");
    for (const Case& c : cases) body += Line(c.md5, c.name, c.size);
    const std::string text = Log(body);  // the log's views point into it
    InventoryLog log;
    ParseError error;
    ASSERT_TRUE(ParseInventoryLog(text, log, error)) << error.line << ": " << error.expected;
    ASSERT_EQ(std::size(cases), log.files.size());
    for (size_t i = 0; i < log.files.size(); ++i) {
        SCOPED_TRACE(cases[i].name);
        EXPECT_EQ(cases[i].read, log.files[i].name);
        EXPECT_EQ(cases[i].md5, log.files[i].digest);
        EXPECT_EQ(cases[i].size, log.files[i].size);
        EXPECT_EQ(8 + i, log.files[i].line);
    }
}

TEST(InventoryLogTest, MalformedLinesNameTheLineAndWhatWasExpected) {
    const std::string folder = Section("C:\\P\\");  // the file lines after it are line 8 on
    const std::string good = Line(kDigest, "a.dll", 512);
    struct Case {
        std::string text;
        uint32_t line;
        const char* expected;  // a part of what the error says
    };
    const Case cases[] = {
        {"MD5|File Name|Size\r\n", 1, "header line"},
        {Log(folder + "0123456789ABCDEF" + good.substr(16)), 8, "lower-case hexadecimal"},
        {Log(folder + good.substr(0, good.size() - 3) + "\r\n"), 8, "padded with spaces to 10"},
        {Log(folder + Line(kDigest, "a.dll", 0).replace(72, 1, "2147483648")), 8, "signed 32-bit"},
        {Log(folder + Line(kDigest, "a.dll", 5).erase(60, 1)), 8, "padded with spaces to 30"},
        {Log(folder + good + good.substr(0, good.size() - 2) + "\n"), 9, "not a line feed alone"},
        {Log(folder + good.substr(0, good.size() - 2)), 8, "ends inside it"},
        {Log(folder), 8, "a file line or \"no files found\""},
        {Log(folder + "no files found\r\n" + good), 9, "a section begins with three"},
        {Log(folder + good + Section("D:\\I\\") + good + Section("E:\\X\\") + good), 18, "two folder trees at most"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.expected);
        InventoryLog log;
        ParseError error;
        EXPECT_FALSE(ParseInventoryLog(c.text, log, error));
        EXPECT_EQ(c.line, error.line);
        EXPECT_NE(std::string::npos, error.expected.find(c.expected)) << error.expected;
    }
}

TEST(InventoryLogTest, SectionsAreToldApartIntoTrees) {
    using Sections = std::vector<std::pair<std::string, std::vector<std::string>>>;  // folder, file names
    struct Case {
        const char* what;
        Sections sections;
        const char* trees;  // per section: s(hared), i(nstall), c(omponents)
        bool guessed;
    };
    const std::string s = "C:\\CF\\Corvalin\\";
    const std::string w = "C:\\WINDOWS\\";
    const Case cases[] = {
        {"both trees and every component",
         {{s, {"a"}},
          {s + "sub\\", {}},
          {"C:\\P\\", {"b"}},
          {"C:\\P\\x\\", {"c"}},
          {w + "system32\\", {"quend.dll", "pelvarn.dll"}},
          {w + "system32\\drivers\\", {"trunmolk.sys"}},
          {w + "system\\", {"halvix.vxd"}}},
         "ssiiccc",
         false},
        {"the install tree alone", {{"C:\\P\\Corvalin Desktop\\", {"b"}}}, "i", false},
        {"a lone tree ending in \\Corvalin\\ is taken for the shared files",
         {{"D:\\Apps\\Corvalin\\", {"b"}}},
         "s",
         true},
        {"the install folder inside the shared one",
         {{s, {"a"}},
          {s + "Desktop\\", {"b"}},
          {s + "Desktop\\x\\", {}},
          {s + "Desktop\\", {"b"}},
          {s + "Desktop\\x\\", {}}},
         "sssii",
         false},
        {"folders whose names the code page could not hold look alike",
         {{s, {"a"}}, {s + "??\\", {"b"}}, {s + "??\\", {"c"}}, {"C:\\P\\", {"d"}}},
         "sssi",
         false},
        {"an install folder value without its backslash",
         {{s, {"a"}}, {"C:\\x\\install", {"installer.log"}}, {"C:\\x\\installinstall\\", {}}},
         "sii",
         false},
        {"the second system32 component alone, and the driver",
         {{"C:\\P\\", {"b"}}, {w + "system32\\", {"PELVARN.DLL"}}, {w + "system32\\drivers\\", {"trunmolk.sys"}}},
         "icc",
         false},
        {"a product folder named like a component folder stays in its tree",
         {{"C:\\P\\", {"b"}}, {"C:\\P\\system\\", {"halvix.vxd"}}},
         "ii",
         false},
        {"components alone", {{w + "system\\", {"halvix.vxd"}}}, "c", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::string body;
        for (const auto& [folder, names] : c.sections) {
            body += Section(folder);
            if (names.empty()) body += "no files found\r\n";
            for (const std::string& name : names) body += Line(kDigest, name, 1);
        }
        const std::string text = Log(body);
        InventoryLog log;
        ParseError error;
        ASSERT_TRUE(ParseInventoryLog(text, log, error)) << error.line << ": " << error.expected;
        std::string trees;
        bool guessed = false;
        for (uint32_t tree : log.sectionTree) {
            trees += "sic"[static_cast<int>(log.trees[tree].kind)];
            guessed = guessed || log.trees[tree].guessed;
        }
        EXPECT_EQ(c.trees, trees);
        EXPECT_EQ(c.guessed, guessed);
    }
}

}  // namespace
