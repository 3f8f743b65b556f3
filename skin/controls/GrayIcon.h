// Pixel rule of the gray, disabled copy of a button icon. The Win32 side reads
// each pixel of the icon's colour bitmap and writes the gray level into a new
// bitmap of the same format; pure black pixels are left as the new bitmap
// holds them, so they stay black.
#pragma once

#include "skin/controls/SkinTypes.h"

#include <cstddef>
#include <cstdint>

// 0.587 G + 0.114 B + 0.299 R (ITU-R BT.601 luma), in floating point,
// truncated toward zero.
std::uint8_t GrayLevel(SkinColorRef colour);

// True with *gray = RGB(level, level, level) for a pixel to be written;
// false for pure black (0x00000000), which is not written.
bool GrayPixel(SkinColorRef colour, SkinColorRef* gray);

// Applies GrayPixel to count pixels: dst[i] receives the gray of src[i]
// unless src[i] is black, in which case dst[i] is left unchanged.
void GrayPixels(const SkinColorRef* src, SkinColorRef* dst, std::size_t count);

// Size of the gray bitmap: twice the icon's hotspot in each direction (the
// hotspot of an icon is its centre).
SkinSize GrayBitmapSize(std::int32_t hotspotX, std::int32_t hotspotY);
