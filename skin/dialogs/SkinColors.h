// Colours of the skinned dialog base: the defaults of CSkinDialog and the
// eight bevel line colours of the bevelled title bar (title mode 2).
#pragma once

#include "skin/controls/SkinTypes.h"

#include <cstdint>

// CSkinDialog's defaults.
constexpr SkinColorRef kSkinDialogTitle = SkinRgb(220, 43, 25);  // 1649628
constexpr SkinColorRef kSkinDialogTitleText = SkinRgb(255, 255, 255);
constexpr SkinColorRef kSkinDialogText = SkinRgb(0, 0, 0);
constexpr SkinColorRef kSkinDialogBackground = SkinRgb(255, 255, 255);
constexpr SkinColorRef kSkinDialogBorder = SkinRgb(0, 0, 0);
constexpr SkinColorRef kSkinDialogBevelLight = SkinRgb(255, 255, 255);

constexpr int kTitleBevelLineCount = 8;

// The single-precision factors of the eight lines, as their bit patterns.
extern const std::uint32_t kTitleBevelFactorBits[kTitleBevelLineCount];
float TitleBevelFactor(int line);

// Lines 0-3 (upper and left, light): 255 - (255 - l*f) * (255 - t); lines 4-7
// (lower and right, dark): t*f; per component, in double precision, truncated
// toward zero with only the low 8 bits kept. t is the title colour, l the
// bevel light.
void ComputeBevelColors(SkinColorRef title, SkinColorRef light, SkinColorRef bevel[kTitleBevelLineCount]);
