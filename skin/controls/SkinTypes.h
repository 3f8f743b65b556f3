// Plain colour and geometry types shared by the skin's window-free cores.
// They hold the same values as their Win32 counterparts (COLORREF, RECT,
// POINT, SIZE and the DrawText format bits), so a window class converts them
// field by field and can static_assert that the constants agree.
#pragma once

#include <cstdint>

// A colour as 0x00BBGGRR.
using SkinColorRef = std::uint32_t;

constexpr SkinColorRef SkinRgb(int r, int g, int b) {
    return static_cast<SkinColorRef>((r & 0xFF) | (g & 0xFF) << 8 | (b & 0xFF) << 16);
}
constexpr int SkinRed(SkinColorRef c) { return static_cast<int>(c & 0xFF); }
constexpr int SkinGreen(SkinColorRef c) { return static_cast<int>((c >> 8) & 0xFF); }
constexpr int SkinBlue(SkinColorRef c) { return static_cast<int>((c >> 16) & 0xFF); }

// A background colour of 0xFFFFFFFF stands for the system's button face colour.
constexpr SkinColorRef kSkinUseButtonFace = 0xFFFFFFFFu;
constexpr SkinColorRef ResolveBackgroundColor(SkinColorRef colour, SkinColorRef buttonFace) {
    return colour == kSkinUseButtonFace ? buttonFace : colour;
}

struct SkinPoint {
    std::int32_t x;
    std::int32_t y;
};

struct SkinSize {
    std::int32_t cx;
    std::int32_t cy;
};

struct SkinRect {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    constexpr std::int32_t Width() const { return right - left; }
    constexpr std::int32_t Height() const { return bottom - top; }
};

constexpr bool operator==(SkinPoint a, SkinPoint b) { return a.x == b.x && a.y == b.y; }
constexpr bool operator!=(SkinPoint a, SkinPoint b) { return !(a == b); }
constexpr bool operator==(SkinSize a, SkinSize b) { return a.cx == b.cx && a.cy == b.cy; }
constexpr bool operator!=(SkinSize a, SkinSize b) { return !(a == b); }
constexpr bool operator==(const SkinRect& a, const SkinRect& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}
constexpr bool operator!=(const SkinRect& a, const SkinRect& b) { return !(a == b); }

// DrawText format bits.
constexpr std::uint32_t kSkinDtLeft = 0x0000;
constexpr std::uint32_t kSkinDtCenter = 0x0001;
constexpr std::uint32_t kSkinDtRight = 0x0002;
constexpr std::uint32_t kSkinDtTop = 0x0000;
constexpr std::uint32_t kSkinDtVCenter = 0x0004;
constexpr std::uint32_t kSkinDtBottom = 0x0008;
constexpr std::uint32_t kSkinDtWordBreak = 0x0010;
constexpr std::uint32_t kSkinDtSingleLine = 0x0020;
constexpr std::uint32_t kSkinDtCalcRect = 0x0400;
constexpr std::uint32_t kSkinDtNoPrefix = 0x0800;

// Window messages the cores reason about.
constexpr std::uint32_t kSkinWmSetText = 0x000C;
constexpr std::uint32_t kSkinWmLButtonDown = 0x0201;
constexpr std::uint32_t kSkinWmLButtonDblClk = 0x0203;
constexpr std::uint32_t kSkinWmMouseLeave = 0x02A3;

// Private message a skinned button or label sends itself when the pointer
// enters it (WM_USER + WM_MOUSELEAVE).
constexpr std::uint32_t WM_SKIN_MOUSEENTER = 0x06A3;

// Rewrites a double click into a second press, so a double click acts as two
// clicks on skinned buttons and labels.
constexpr std::uint32_t SkinPreTranslateMessageId(std::uint32_t message) {
    return message == kSkinWmLButtonDblClk ? kSkinWmLButtonDown : message;
}
