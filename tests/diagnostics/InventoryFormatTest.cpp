// The inventory log's layout, byte for byte, and path joining at the edges of
// its buffer capacity.
#include "diagnostics/InventoryFormat.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/diagnostics/InventoryTestText.h"

using inventory_test::FileLine;
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

const char kDigest[] = "900150983cd24fb0d6963f7d28e17f72";

TEST(InventoryFormat, HeaderLineAndRule) {
    const std::string expected = "MD5" + Spaces(36) + "|" + "File Name" + Spaces(20) + "|" + "Size" +
                                 Spaces(5) + "\n" + std::string(80, '-') + "\n";
    EXPECT_EQ(Captured([](std::FILE* log) { WriteLogHeader(log); }), expected);
}

TEST(InventoryFormat, SectionHeaderAndNoFilesLine) {
    const std::string text = Captured([](std::FILE* log) {
        WriteSectionHeader(log, "Target Directory :", "C:\\Program Files\\Corvalin\\");
        WriteLogLine(log, "no files found");
    });
    EXPECT_EQ(text, "\n\n\nTarget Directory : C:\\Program Files\\Corvalin\\\n\nno files found\n");
}

TEST(InventoryFormat, FileLines) {
    const struct {
        const char* label;
        bool digest;
        const char* name;
        uint32_t sizeLow;
        std::string expected;
    } cases[] = {
        {"the example line", true, "example.dll", 512,
         std::string(kDigest) + Spaces(8) + " example.dll" + Spaces(19) + " 512" + Spaces(7) + "\n"},
        {"no digest column", false, "locked.bin", 1, " locked.bin" + Spaces(20) + " 1" + Spaces(9) + "\n"},
        {"name of exactly 30", true, "abcdefghijklmnopqrstuvwxyz.dll", 0,
         std::string(kDigest) + Spaces(8) + " abcdefghijklmnopqrstuvwxyz.dll 0" + Spaces(9) + "\n"},
        {"name of 31 is written whole", true, "abcdefghijklmnopqrstuvwxyz1.dll", 7,
         std::string(kDigest) + Spaces(8) + " abcdefghijklmnopqrstuvwxyz1.dll 7" + Spaces(9) + "\n"},
        {"ten digits fill the column", false, "a", 1234567890, " a" + Spaces(29) + " 1234567890\n"},
        {"largest positive size", false, "a", 2147483647u, " a" + Spaces(29) + " 2147483647\n"},
        {"bit 31 set prints negative", false, "a", 2147483648u, " a" + Spaces(29) + " -2147483648\n"},
        {"3,000,000,000 bytes", false, "a", 3000000000u, " a" + Spaces(29) + " -1294967296\n"},
        {"all bits set", false, "a", 4294967295u, " a" + Spaces(29) + " -1" + Spaces(8) + "\n"},
    };
    for (const auto& c : cases) {
        const std::string text = Captured([&](std::FILE* log) {
            if (c.digest) WriteDigestColumn(log, kDigest);
            WriteNameAndSize(log, c.name, c.sizeLow);
        });
        EXPECT_EQ(text, c.expected) << c.label;
    }
    // The example line is 82 characters before its line end.
    EXPECT_EQ(cases[0].expected.size(), 83u);
}

TEST(InventoryFormat, SizeIsTheLow32BitsAsASignedNumber) {
    const struct {
        uint64_t size;
        int32_t shown;
    } cases[] = {
        {0, 0},
        {512, 512},
        {2147483647ull, INT32_MAX},
        {2147483648ull, INT32_MIN},
        {3000000000ull, -1294967296},
        {4294967295ull, -1},
        {4294967296ull, 0},          // exactly 4 GiB
        {4294967296ull + 5, 5},
        {6442450944ull, INT32_MIN},  // 6 GiB
    };
    for (const auto& c : cases) {
        EXPECT_EQ(LoggedFileSize(static_cast<uint32_t>(c.size & 0xFFFFFFFFu)), c.shown) << "size " << c.size;
    }
}

TEST(InventoryFormat, JoinPathFitsOrLeavesTheEmptyText) {
    const std::size_t capacity = 1024;
    const struct {
        const char* label;
        std::size_t first, second, third;
        bool fits;
    } cases[] = {
        {"short", 10, 5, 1, true},
        {"1023 characters fill the buffer", 1000, 20, 3, true},
        {"1024 characters do not fit", 1000, 21, 3, false},
        {"first part alone too long", 1024, 0, 0, false},
        {"first part fills it, suffix overflows", 1023, 0, 1, false},
        {"long third part", 1, 1, 1022, false},
        {"everything empty", 0, 0, 0, true},
    };
    for (const auto& c : cases) {
        const std::string first(c.first, 'a'), second(c.second, 'b'), third(c.third, 'c');
        // Sentinel bytes behind the buffer reveal any overrun.
        std::vector<char> storage(capacity + 16, 'Z');
        const bool fits = JoinPath(storage.data(), capacity, first.c_str(), second.c_str(), third.c_str());
        EXPECT_EQ(fits, c.fits) << c.label;
        EXPECT_EQ(std::string(storage.data()), c.fits ? first + second + third : std::string()) << c.label;
        EXPECT_EQ(std::string(storage.begin() + capacity, storage.end()), std::string(16, 'Z')) << c.label;
    }
}

TEST(InventoryFormat, JoinPathAppendsInPlaceAndHandlesTinyBuffers) {
    char folder[16] = "C:\\a";
    EXPECT_TRUE(JoinPath(folder, sizeof folder, folder, "\\b\\", "*.*"));
    EXPECT_STREQ(folder, "C:\\a\\b\\*.*");

    char one[1] = {'x'};
    EXPECT_TRUE(JoinPath(one, sizeof one, "", ""));
    EXPECT_EQ(one[0], '\0');
    char other[1] = {'x'};
    EXPECT_FALSE(JoinPath(other, sizeof other, "a", ""));
    EXPECT_EQ(other[0], '\0');
    char none[1] = {'x'};
    EXPECT_FALSE(JoinPath(none, 0, "", ""));
    EXPECT_EQ(none[0], 'x');
}

}  // namespace
