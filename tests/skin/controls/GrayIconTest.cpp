// The pixel rule of the gray, disabled button icon.
#include "skin/controls/GrayIcon.h"

#include "tests/skin/controls/SkinTypesPrint.h"

#include <gtest/gtest.h>

namespace {

TEST(GrayIcon, LevelsOfChosenPixels) {
    const struct {
        SkinColorRef colour;
        int level;
    } cases[] = {
        {SkinRgb(1, 0, 0), 0},  // 0.299 truncates to 0
        {SkinRgb(4, 0, 0), 1},         {SkinRgb(0, 1, 0), 0},         {SkinRgb(0, 2, 0), 1},
        {SkinRgb(255, 255, 255), 255}, {SkinRgb(255, 0, 0), 76},      {SkinRgb(0, 255, 0), 149},
        {SkinRgb(0, 0, 255), 29},      {SkinRgb(128, 128, 128), 128}, {SkinRgb(10, 20, 30), 18},  // 11.74 + 3.42 + 2.99
    };
    for (const auto& c : cases) {
        EXPECT_EQ(GrayLevel(c.colour), c.level) << "colour 0x" << std::hex << c.colour;
        SkinColorRef gray = 0xDEADBEEF;
        ASSERT_TRUE(GrayPixel(c.colour, &gray)) << "colour 0x" << std::hex << c.colour;
        EXPECT_EQ(gray, SkinRgb(c.level, c.level, c.level));
    }
}

TEST(GrayIcon, PureBlackIsLeftAsTheNewBitmapHoldsIt) {
    SkinColorRef gray = 0x00123456;
    EXPECT_FALSE(GrayPixel(0x00000000, &gray));
    EXPECT_EQ(gray, 0x00123456u);

    // RGB(1, 0, 0) is written, as level 0; black is skipped.
    const SkinColorRef src[] = {0x00000000, SkinRgb(1, 0, 0), SkinRgb(255, 255, 255), 0x00000000, SkinRgb(0, 0, 255)};
    SkinColorRef dst[] = {0x00AAAAAA, 0x00AAAAAA, 0x00AAAAAA, 0x00000000, 0x00AAAAAA};
    GrayPixels(src, dst, 5);
    EXPECT_EQ(dst[0], 0x00AAAAAAu) << "black source pixel: untouched";
    EXPECT_EQ(dst[1], 0x00000000u);
    EXPECT_EQ(dst[2], 0x00FFFFFFu);
    EXPECT_EQ(dst[3], 0x00000000u);
    EXPECT_EQ(dst[4], SkinRgb(29, 29, 29));
}


}  // namespace
