// The inventory log's layout byte for byte, and path joining at the edge of
// its buffer capacity.
#include "diagnostics/InventoryFormat.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/diagnostics/InventoryTestText.h"

using inventory_test::ReadBack;
using inventory_test::Spaces;

namespace {

template <class Write>
std::string Captured(Write write) {
    std::FILE* stream = std::tmpfile();
    EXPECT_NE(stream, nullptr);
    if (!stream) return std::string();
    write(stream);
    std::string text = ReadBack(stream);
    std::fclose(stream);
    return text;
}

const std::string kDigest = "900150983cd24fb0d6963f7d28e17f72";

TEST(InventoryFormat, HeaderRuleSectionAndNoFilesLine) {
    const std::string text = Captured([](std::FILE* log) {
        WriteLogHeader(log);
        WriteSectionHeader(log, "Target Directory :", "C:\\Program Files\\Corvalin\\");
        WriteLogLine(log, "no files found");
    });
    EXPECT_EQ(text, "MD5" + Spaces(36) + "|File Name" + Spaces(20) + "|Size" + Spaces(5) + "\n" + std::string(80, '-') +
                        "\n\n\n\nTarget Directory : C:\\Program Files\\Corvalin\\\n\n" + "no files found\n");
}

TEST(InventoryFormat, FileLines) {
    const struct {
        const char* label;
        bool digest;
        const char* name;
        uint32_t sizeLow;  // low 32 bits of the file size
        std::string expected;
    } cases[] = {
        {"the example line, 82 characters", true, "example.dll", 512,
         kDigest + Spaces(8) + " example.dll" + Spaces(19) + " 512" + Spaces(7) + "\n"},
        {"no digest column", false, "locked.bin", 1, " locked.bin" + Spaces(20) + " 1" + Spaces(9) + "\n"},
        {"name of exactly 30", true, "abcdefghijklmnopqrstuvwxyz.dll", 0,
         kDigest + Spaces(8) + " abcdefghijklmnopqrstuvwxyz.dll 0" + Spaces(9) + "\n"},
        {"name of 31 is written whole", true, "abcdefghijklmnopqrstuvwxyz1.dll", 7,
         kDigest + Spaces(8) + " abcdefghijklmnopqrstuvwxyz1.dll 7" + Spaces(9) + "\n"},
        {"ten digits fill the column", false, "a", 1234567890, " a" + Spaces(29) + " 1234567890\n"},
        {"bit 31 set prints negative", false, "a", 2147483648u, " a" + Spaces(29) + " -2147483648\n"},
        {"3,000,000,000 bytes", false, "a", 3000000000u, " a" + Spaces(29) + " -1294967296\n"},
        {"4 GiB - 1", false, "a", 4294967295u, " a" + Spaces(29) + " -1" + Spaces(8) + "\n"},
        {"4 GiB", false, "a", static_cast<uint32_t>(4294967296ull), " a" + Spaces(29) + " 0" + Spaces(9) + "\n"},
    };
    for (const auto& c : cases) {
        const std::string text = Captured([&](std::FILE* log) {
            if (c.digest) WriteDigestColumn(log, kDigest.c_str());
            WriteNameAndSize(log, c.name, c.sizeLow);
        });
        EXPECT_EQ(text, c.expected) << c.label;
    }
}

TEST(InventoryFormat, JoinPathFitsWholeOrLeavesTheEmptyText) {
    const std::size_t capacity = 1024;
    const struct {
        std::size_t first, second, third;
        bool fits;
    } cases[] = {
        {10, 5, 1, true},     {1000, 20, 3, true},  // 1023 characters and the zero
        {1000, 21, 3, false}, {1024, 0, 0, false}, {1023, 0, 1, false}, {1, 1, 1022, false}, {0, 0, 0, true},
    };
    for (const auto& c : cases) {
        const std::string first(c.first, 'a'), second(c.second, 'b'), third(c.third, 'c');
        std::vector<char> storage(capacity + 16, 'Z');  // the bytes behind the buffer reveal an overrun
        EXPECT_EQ(JoinPath(storage.data(), capacity, first.c_str(), second.c_str(), third.c_str()), c.fits)
            << c.first << "+" << c.second << "+" << c.third;
        // NOLINTNEXTLINE(performance-inefficient-string-concatenation): an expected value, clearer as a sum
        EXPECT_EQ(std::string(storage.data()), c.fits ? first + second + third : std::string());
        EXPECT_EQ(std::string(storage.begin() + capacity, storage.end()), std::string(16, 'Z'));
    }
    char none[1] = {'x'};
    EXPECT_FALSE(JoinPath(none, 0, "", ""));
    EXPECT_EQ(none[0], 'x');
}

}  // namespace
