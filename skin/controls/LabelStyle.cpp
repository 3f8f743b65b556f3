#include "skin/controls/LabelStyle.h"

std::uint32_t LabelTextAlign(std::uint32_t style) {
    std::uint32_t align;
    if (style & kSkinSsRight)
        align = kSkinDtRight;
    else if (style & kSkinSsCenter)
        align = kSkinDtCenter;
    else
        align = kSkinDtLeft;
    if (style & kSkinSsCenterImage) align |= kSkinDtVCenter;
    return align;
}

bool LabelPaintsNatively(std::uint32_t s) {
    auto all = [s](std::uint32_t bits) { return (s & bits) == bits; };
    return all(0xE) || all(0x3) || (s & 0x10) || all(0x11) || all(0x12) || all(0x7) || (s & 0x4) || all(0x9) ||
           all(0x6);
}

std::uint32_t LabelTextFormat(std::uint32_t textAlign, std::uint32_t extraFormat, bool autoSize) {
    std::uint32_t format = textAlign | extraFormat;
    if (autoSize) return format;
    return format | ((textAlign & kSkinDtVCenter) ? kSkinDtSingleLine : kSkinDtWordBreak);
}

SkinColorRef LabelTextColor(bool mouseOver, bool visited, SkinColorRef text, SkinColorRef hover,
                            SkinColorRef visitedColor) {
    if (mouseOver) return hover;
    return visited ? visitedColor : text;
}
