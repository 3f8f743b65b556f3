// Window-free rules of the label control: which static styles it draws itself,
// the DrawText alignment and flags it takes from the style, the font weight
// and the text colour it picks.
#pragma once

#include "skin/controls/SkinTypes.h"

#include <cstdint>

// Static control styles.
constexpr std::uint32_t kSkinSsLeft = 0x00;
constexpr std::uint32_t kSkinSsCenter = 0x01;
constexpr std::uint32_t kSkinSsRight = 0x02;
constexpr std::uint32_t kSkinSsIcon = 0x03;
constexpr std::uint32_t kSkinSsBlackRect = 0x04;
constexpr std::uint32_t kSkinSsGrayFrame = 0x08;
constexpr std::uint32_t kSkinSsWhiteFrame = 0x09;
constexpr std::uint32_t kSkinSsUserItem = 0x0A;
constexpr std::uint32_t kSkinSsBitmap = 0x0E;
constexpr std::uint32_t kSkinSsNoPrefix = 0x80;
constexpr std::uint32_t kSkinSsNotify = 0x100;
constexpr std::uint32_t kSkinSsCenterImage = 0x200;

// DT_RIGHT for SS_RIGHT, else DT_CENTER for SS_CENTER, else DT_LEFT; plus
// DT_VCENTER with SS_CENTERIMAGE.
std::uint32_t LabelTextAlign(std::uint32_t style);

// True when the style is not a text style the label draws (icon, bitmap,
// rectangles, black and white frames, etched lines, owner-draw, simple, no
// word wrap, enhanced metafile): the static control then paints itself. The
// label draws only when the low five style bits are 0, 1, 2, 8 or 10.
bool LabelPaintsNatively(std::uint32_t style);

// DrawText flags of the label's text: alignment and extra flags, plus
// DT_SINGLELINE when vertically centred, else DT_WORDBREAK. An auto-sized
// label adds neither.
std::uint32_t LabelTextFormat(std::uint32_t textAlign, std::uint32_t extraFormat, bool autoSize);

constexpr int LabelFontWeight(bool bold) { return bold ? 700 : 400; }

// Hovered: the hover colour; else the visited colour once the link was
// opened, else the text colour.
SkinColorRef LabelTextColor(bool mouseOver, bool visited, SkinColorRef text, SkinColorRef hover,
                            SkinColorRef visitedColor);
