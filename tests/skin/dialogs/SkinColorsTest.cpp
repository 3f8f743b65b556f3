// Bevel colours of the bevelled title bar and the dialog base's defaults.
#include "skin/dialogs/SkinColors.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Rgb {
    int r, g, b;
};

void ExpectBevel(SkinColorRef title, SkinColorRef light, const Rgb (&expected)[8]) {
    SkinColorRef bevel[kTitleBevelLineCount];
    ComputeBevelColors(title, light, bevel);
    for (int i = 0; i < kTitleBevelLineCount; ++i) {
        EXPECT_EQ(SkinRed(bevel[i]), expected[i].r) << "line " << i << " red";
        EXPECT_EQ(SkinGreen(bevel[i]), expected[i].g) << "line " << i << " green";
        EXPECT_EQ(SkinBlue(bevel[i]), expected[i].b) << "line " << i << " blue";
        EXPECT_EQ(bevel[i] >> 24, 0u) << "line " << i << " has no high byte";
    }
}

TEST(SkinColors, MessageBoxRedTitleWithWhiteLight) {
    const Rgb expected[8] = {{255, 133, 133}, {255, 64, 64}, {255, 60, 60}, {255, 34, 34},
                             {234, 0, 0},     {184, 0, 0},   {211, 0, 0},   {153, 0, 0}};
    ExpectBevel(SkinRgb(255, 0, 0), kSkinDialogBevelLight, expected);
}

TEST(SkinColors, DefaultTitleColourWithWhiteLight) {
    // Worked from the formulas with a separate calculator.
    const Rgb expected[8] = {{238, 154, 145}, {228, 96, 83}, {228, 92, 79}, {224, 71, 55},
                             {202, 39, 22},   {159, 31, 18}, {182, 35, 20}, {132, 25, 15}};
    ExpectBevel(kSkinDialogTitle, kSkinDialogBevelLight, expected);
}

TEST(SkinColors, LightComponentsBelowTheTitleWrapToTheirLowByte) {
    // With a dark light the upper formula goes negative: 255 - 55.37 * 255 is
    // -13865.3, truncated to -13865, whose low byte is 215.
    const Rgb expected[8] = {{215, 3, 255}, {161, 245, 255}, {158, 244, 255}, {137, 239, 255},
                             {0, 117, 234}, {0, 92, 184},    {0, 106, 211},   {0, 76, 153}};
    ExpectBevel(SkinRgb(0, 128, 255), SkinRgb(200, 100, 0), expected);

    // The most negative value, black on black: -64770, low byte 254.
    SkinColorRef bevel[kTitleBevelLineCount];
    ComputeBevelColors(SkinRgb(0, 0, 0), SkinRgb(0, 0, 0), bevel);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(bevel[i], SkinRgb(254, 254, 254)) << "line " << i;
    for (int i = 4; i < 8; ++i) EXPECT_EQ(bevel[i], 0u) << "line " << i;
}

TEST(SkinColors, FactorsAreTheSinglePrecisionValues) {
    const double decimal[8] = {0.9981318, 0.9970680, 0.9970031, 0.9966058, 0.9184440, 0.7249792, 0.8307093, 0.6};
    for (int i = 0; i < 8; ++i) EXPECT_NEAR(TitleBevelFactor(i), decimal[i], 1e-7) << "line " << i;
    EXPECT_EQ(TitleBevelFactor(7), 0.6f);
}


}  // namespace
