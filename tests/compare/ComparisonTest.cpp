// What the end-to-end case cannot bring about: the two forms of a dword,
// duplicate names, moves among files of the same content, files read on
// neither side, a lone tree settled by the other side, and unreadable
// records matched by their key.
#include "compare/Comparison.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/compare/CompareTestText.h"

namespace {

using compare_test::Line;
using compare_test::Log;
using compare_test::Script;
using compare_test::Section;

// One line per difference: class, item, the reference's line, the customer's.
std::vector<std::string> Describe(const std::vector<Difference>& differences,
                                  const std::vector<uint32_t>& referenceLines,
                                  const std::vector<uint32_t>& customerLines) {
    static const char* const kClasses[] = {"changed", "moved", "missing", "extra", "not-comparable", "unreadable"};
    static const char* const kItems[] = {"file", "tree", "key", "value", "record"};
    std::vector<std::string> lines;
    lines.reserve(differences.size());
    for (const Difference& d : differences) {
        lines.push_back(std::string(kClasses[static_cast<int>(d.kind)]) + " " + kItems[static_cast<int>(d.item)] + " " +
                        (d.reference < 0 ? "-" : std::to_string(referenceLines[d.reference])) + " " +
                        (d.customer < 0 ? "-" : std::to_string(customerLines[d.customer])));
    }
    return lines;
}

TEST(ComparisonTest, FilesPairByPathAndOccurrenceAndMoveByNameFirst) {
    const std::string d1(32, '1'), d2(32, '2'), d3(32, '3'), d9(32, '9');
    // The line each file is on, in the comment after it.
    const std::string reference = Log(Section("C:\\CF\\Corvalin\\") + Line(d1, "shared.dll", 1) +  // 8
                                      Section("C:\\P\\Desktop\\") + Line(d1, "??.dll", 1) +        // 14
                                      Line(d2, "??.dll", 2) +                                      // 15
                                      Line("", "unread.dat", 5) +                                  // 16
                                      Section("C:\\P\\Desktop\\sub\\") + Line(d3, "x.dll", 3) +    // 22
                                      Line(d3, "y.dll", 3));                                       // 23
    // A lone tree whose root ends in \Corvalin\: the install tree, as its
    // paths are those of the reference's install tree.
    const std::string customer = Log(Section("D:\\Apps\\Corvalin\\") + Line(d1, "??.DLL", 1) +        // 8
                                     Line(d9, "??.dll", 2) +                                          // 9
                                     Line("", "unread.dat", 5) +                                      // 10
                                     Section("D:\\Apps\\Corvalin\\other\\") + Line(d3, "y.dll", 3) +  // 16
                                     Line(d3, "x.dll", 3));                                           // 17
    InventoryLog logs[2];
    ParseError error;
    ASSERT_TRUE(ParseInventoryLog(reference, logs[0], error));
    ASSERT_TRUE(ParseInventoryLog(customer, logs[1], error));
    const InventoryComparison comparison = CompareInventories(logs[0], logs[1]);
    EXPECT_EQ(TreeKind::kInstall, logs[1].trees[0].kind);

    std::vector<uint32_t> lines[2];
    for (int s = 0; s < 2; ++s) {
        for (const LogFile& file : logs[s].files) lines[s].push_back(file.line);
        for (const LogTree& tree : logs[s].trees) lines[s].push_back(logs[s].sections[tree.firstSection].line);
    }
    // Tree indexes follow the files' in the lines table.
    std::vector<Difference> differences = comparison.differences;
    for (Difference& d : differences) {
        if (d.item != DiffItem::kTree) continue;
        if (d.reference >= 0) d.reference += static_cast<int32_t>(logs[0].files.size());
        if (d.customer >= 0) d.customer += static_cast<int32_t>(logs[1].files.size());
    }
    const std::vector<std::string> expected = {
        "missing tree 6 -", "changed file 15 9", "moved file 22 17", "moved file 23 16", "missing file 8 -",
    };
    EXPECT_EQ(expected, Describe(differences, lines[0], lines[1]));
    EXPECT_EQ(2u, comparison.counts.same);  // ??.dll with ??.DLL, and unread.dat by its size
}

TEST(ComparisonTest, ValuesCompareByTypeAndBytesAndRecordsByTheirKey) {
    const std::string reference = Script(
        "[HKLM\\B]\r\n"                 // 3
        "\"Count\"=dword:0000000a\r\n"  // 4
        "\"Text\"=\"ab\"\r\n"           // 5
        "\"Bin\"=hex:01,02\r\n"         // 6
        "\"Gone\"=\"\"\r\n"             // 7
        "; not read\r\n"                // 8
        "\r\n"
        "[HKLM\\B\\Sub]\r\n"  // 10
        "\r\n");
    const std::string customer = Script(
        "[HKLM\\B]\r\n"                          // 3
        "\"COUNT\"=hex(4):0a,00,00,00\r\n"       // 4
        "\"Text\"=hex(1):61,00,62,00,00,00\r\n"  // 5
        "\"Bin\"=hex(3):01,\\\r\n"               // 6
        "  02\r\n"
        ";  the wording may differ\r\n"  // 8
        "\r\n"
        "\r\n\r\n"                    // 10: a key not read
        "[HKLM\\B\\sub]\r\n"          // 12
        "\"New\"=dword:00000001\r\n"  // 13
        "\r\n");
    RegScript scripts[2];
    ParseError error;
    ASSERT_TRUE(ParseRegScript(reference, scripts[0], error)) << error.line << error.expected;
    ASSERT_TRUE(ParseRegScript(customer, scripts[1], error)) << error.line << error.expected;
    const RegistryComparison comparison = CompareScripts(scripts[0], scripts[1]);
    std::vector<uint32_t> lines[2];
    for (int s = 0; s < 2; ++s) {
        for (const RegValue& value : scripts[s].values) lines[s].push_back(value.line);
    }
    std::vector<std::string> expected = {"changed value 5 5", "missing value 7 -", "extra value - 13"};
    std::vector<Difference> values(comparison.differences.begin(), comparison.differences.end() - 1);
    EXPECT_EQ(expected, Describe(values, lines[0], lines[1]));
    const Difference& record = comparison.differences.back();
    EXPECT_EQ(DiffClass::kUnreadable, record.kind);
    EXPECT_EQ(-1, record.reference);
    EXPECT_EQ(10u, scripts[1].unreadable[record.customer].line);
    EXPECT_EQ(2u, comparison.counts.valuesSame);
    EXPECT_EQ(2u, comparison.counts.keysSame);
}

}  // namespace
