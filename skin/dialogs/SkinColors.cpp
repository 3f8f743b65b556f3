#include "skin/dialogs/SkinColors.h"

#include <cstring>

const std::uint32_t kTitleBevelFactorBits[kTitleBevelLineCount] = {
    0x3F7F8591,  // 0.9981318
    0x3F7F3FD9,  // 0.9970680
    0x3F7F3B98,  // 0.9970031
    0x3F7F218E,  // 0.9966058
    0x3F6B1F26,  // 0.9184440
    0x3F39983D,  // 0.7249792
    0x3F54A95E,  // 0.8307093
    0x3F19999A,  // 0.6000000
};

float TitleBevelFactor(int line) {
    static_assert(sizeof(float) == sizeof(std::uint32_t), "float is a 32-bit single");
    float factor;
    std::memcpy(&factor, &kTitleBevelFactorBits[line], sizeof factor);
    return factor;
}

namespace {

// Truncation toward zero into a 32-bit integer first, then the low 8 bits:
// the light formula goes negative for dark titles and wraps.
int LowByte(double value) {
    return static_cast<int>(static_cast<std::uint32_t>(static_cast<std::int32_t>(value)) & 0xFF);
}

int LightComponent(int t, int l, double f) { return LowByte(255.0 - (255.0 - l * f) * (255.0 - t)); }

int DarkComponent(int t, double f) { return LowByte(t * f); }

}  // namespace

void ComputeBevelColors(SkinColorRef title, SkinColorRef light, SkinColorRef bevel[kTitleBevelLineCount]) {
    const int tR = SkinRed(title), tG = SkinGreen(title), tB = SkinBlue(title);
    const int lR = SkinRed(light), lG = SkinGreen(light), lB = SkinBlue(light);
    for (int line = 0; line < kTitleBevelLineCount; ++line) {
        const double f = TitleBevelFactor(line);
        if (line < 4) {
            bevel[line] = SkinRgb(LightComponent(tR, lR, f), LightComponent(tG, lG, f), LightComponent(tB, lB, f));
        } else {
            bevel[line] = SkinRgb(DarkComponent(tR, f), DarkComponent(tG, f), DarkComponent(tB, f));
        }
    }
}
