// The built-in hand cursor used where the system has no IDC_HAND: a 32 x 32
// monochrome cursor, hotspot at the fingertip (6, 0). Each plane is 4 bytes a
// row, top row first, most significant bit = leftmost pixel. AND 1 / XOR 0 is
// transparent, AND 0 / XOR 0 black, AND 0 / XOR 1 white.
#pragma once

#include <cstdint>

constexpr int kHandCursorWidth = 32;
constexpr int kHandCursorHeight = 32;
constexpr int kHandCursorHotspotX = 6;
constexpr int kHandCursorHotspotY = 0;
constexpr int kHandCursorPlaneBytes = kHandCursorWidth / 8 * kHandCursorHeight;

extern const std::uint8_t kHandCursorAndPlane[kHandCursorPlaneBytes];
extern const std::uint8_t kHandCursorXorPlane[kHandCursorPlaneBytes];
