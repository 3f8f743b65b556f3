// The skinned push button's window-free rules: types, alignment, visual
// state, caption and icon rectangles, and the check-box and radio cycles.
#include "skin/controls/ButtonState.h"

#include "tests/skin/controls/SkinTypesPrint.h"

#include <gtest/gtest.h>

namespace {

TEST(ButtonState, TypesImageSetsAndGroups) {
    const struct {
        int type;
        int sets;
        bool checkLike;
        bool radio;
    } cases[] = {
        {0, 1, false, false},  {1, 1, false, false},  {2, 2, true, false},   {3, 2, true, false},   {4, 2, true, true},
        {5, 3, true, false},   {6, 3, true, false},   {7, 1, false, false},  {8, 1, false, false},  {9, 2, true, true},
        {10, 1, false, false}, {11, 1, false, false}, {12, 1, false, false}, {15, 1, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ButtonImageSetCount(c.type), c.sets) << "type " << c.type;
        EXPECT_EQ(IsCheckLikeButton(c.type), c.checkLike) << "type " << c.type;
        EXPECT_EQ(IsRadioButton(c.type), c.radio) << "type " << c.type;
        EXPECT_EQ(ButtonTextMargin(c.type), c.checkLike ? 5 : 2) << "type " << c.type;
    }
}

TEST(ButtonState, OwnerDrawStyleKeepsEveryOtherBit) {
    for (std::uint32_t type = 0; type < 16; ++type) {
        const std::uint32_t style = 0x50014000u | kSkinBsFlat | kSkinBsLeft | type;
        const std::uint32_t drawn = OwnerDrawButtonStyle(style);
        EXPECT_EQ(drawn & 0xF, kSkinBsOwnerDraw) << "type " << type;
        EXPECT_EQ(drawn & ~0xFu, style & ~0xFu) << "type " << type;
        EXPECT_EQ(ButtonTypeOfStyle(style), static_cast<int>(type));
    }
}

TEST(ButtonState, AlignmentFromStyle) {
    const struct {
        std::uint32_t style;
        int type;
        std::uint32_t align;
    } cases[] = {
        {0x0000, 0, kSkinDtCenter | kSkinDtVCenter},  // push: centred both ways
        {0x0001, 1, kSkinDtCenter | kSkinDtVCenter},
        {0x0100, 0, kSkinDtLeft | kSkinDtVCenter},    // BS_LEFT
        {0x0200, 0, kSkinDtRight | kSkinDtVCenter},   // BS_RIGHT
        {0x0300, 0, kSkinDtCenter | kSkinDtVCenter},  // BS_CENTER
        {0x0003, 3, kSkinDtLeft | kSkinDtVCenter},    // check box: left
        {0x0309, 9, kSkinDtCenter | kSkinDtVCenter},
        {0x0205, 5, kSkinDtRight | kSkinDtVCenter},
        {0x0400, 0, kSkinDtCenter | kSkinDtTop},      // BS_TOP
        {0x0800, 0, kSkinDtCenter | kSkinDtBottom},   // BS_BOTTOM
        {0x0C00, 0, kSkinDtCenter | kSkinDtVCenter},  // BS_VCENTER
        {0x0502, 2, kSkinDtLeft | kSkinDtTop},
        {0x0007, 7, kSkinDtCenter | kSkinDtVCenter},  // group box type is push-like
    };
    for (const auto& c : cases)
        EXPECT_EQ(ButtonTextAlign(c.style, c.type), c.align) << "style 0x" << std::hex << c.style;
}

TEST(ButtonState, DrawStateFromItemState) {
    const ButtonDrawState s = UpdateDrawState(kSkinOdsSelected | kSkinOdsFocus, 0x100, 0);
    EXPECT_TRUE(s.pressed);
    EXPECT_TRUE(s.focused);
    EXPECT_FALSE(s.grayed);
    EXPECT_EQ(s.textAlign, kSkinDtLeft | kSkinDtVCenter);
    const ButtonDrawState d = UpdateDrawState(kSkinOdsDisabled | 0x08 /* ODS_CHECKED */, 0, 3);
    EXPECT_FALSE(d.pressed);
    EXPECT_FALSE(d.focused);
    EXPECT_TRUE(d.grayed);
}

TEST(ButtonState, VisualStateColourAndImageSlot) {
    const ButtonTextColors colors{kSkinButtonTextNormal, kSkinButtonTextActive, kSkinButtonTextPressed};
    const SkinColorRef gray = SkinRgb(109, 109, 109);
    const struct {
        bool grayed, over, focused, pressed;
        ButtonVisual visual;
        SkinColorRef colour;
        int slot;
    } cases[] = {
        {false, false, false, false, ButtonVisual::Normal, SkinRgb(0, 0, 0), kSkinImageNormal},
        {false, false, false, true, ButtonVisual::Normal, SkinRgb(0, 0, 0), kSkinImageNormal},
        {false, true, false, false, ButtonVisual::Active, SkinRgb(0, 0, 200), kSkinImageActive},
        {false, false, true, false, ButtonVisual::Active, SkinRgb(0, 0, 200), kSkinImageActive},  // focus alone
        {false, true, true, false, ButtonVisual::Active, SkinRgb(0, 0, 200), kSkinImageActive},
        {false, true, false, true, ButtonVisual::Pressed, SkinRgb(200, 0, 0), kSkinImagePressed},
        {false, false, true, true, ButtonVisual::Pressed, SkinRgb(200, 0, 0), kSkinImagePressed},
        {true, false, false, false, ButtonVisual::Disabled, gray, kSkinImageDisabled},
        {true, true, true, true, ButtonVisual::Disabled, gray, kSkinImageDisabled},
        {true, true, false, false, ButtonVisual::Disabled, gray, kSkinImageDisabled},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "grayed " << c.grayed << " over " << c.over << " focused " << c.focused
                                        << " pressed " << c.pressed);
        const ButtonVisual v = ButtonVisualState(c.grayed, c.over, c.focused, c.pressed);
        EXPECT_EQ(v, c.visual);
        EXPECT_EQ(ButtonTextColor(v, colors, gray), c.colour);
        EXPECT_EQ(ButtonImageSlot(v, false), c.slot);
    }
    EXPECT_EQ(ButtonImageSlot(ButtonVisual::Pressed, true), kSkinImageActive) << "empty pressed slot";
}

TEST(ButtonState, CaptionRectangle) {
    const SkinRect item{0, 0, 100, 40};
    const struct {
        std::uint32_t align;
        int type, cx, cy;
        SkinRect expected;
    } cases[] = {
        {kSkinDtCenter | kSkinDtVCenter, 0, 32, 32, {0, 0, 100, 40}},  // drawn over the icon
        {kSkinDtLeft | kSkinDtVCenter, 0, 32, 32, {34, 0, 100, 40}},   // BS_LEFT: after the icon
        {kSkinDtLeft | kSkinDtVCenter, 0, 0, 0, {2, 0, 100, 40}},      // no icon: the plain margin
        {kSkinDtLeft | kSkinDtVCenter, 3, 13, 13, {18, 0, 100, 40}},   // check box: margin 5
        {kSkinDtRight | kSkinDtVCenter, 0, 16, 16, {0, 0, 82, 40}},
        {kSkinDtRight | kSkinDtVCenter, 4, 13, 13, {0, 0, 82, 40}},
        {kSkinDtCenter | kSkinDtTop, 0, 16, 16, {0, 18, 100, 40}},    // icon above
        {kSkinDtCenter | kSkinDtBottom, 0, 16, 16, {0, 0, 100, 22}},  // icon below
        {kSkinDtLeft | kSkinDtTop, 0, 16, 16, {2, 18, 100, 40}},      // no icon width off a top icon
        {kSkinDtRight | kSkinDtBottom, 2, 13, 13, {0, 0, 95, 25}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ButtonTextRect(item, c.align, c.type, c.cx, c.cy), c.expected)
            << "align 0x" << std::hex << c.align << std::dec << " type " << c.type << " icon " << c.cx;
}

TEST(ButtonState, CaptionIsSingleLineUnlessItHasALineFeed) {
    const std::uint32_t align = kSkinDtCenter | kSkinDtVCenter;
    EXPECT_EQ(ButtonTextFormat(align, "&Ok"), align | kSkinDtSingleLine);
    EXPECT_EQ(ButtonTextFormat(align, ""), align | kSkinDtSingleLine);
    EXPECT_EQ(ButtonTextFormat(align, nullptr), align | kSkinDtSingleLine);
    EXPECT_EQ(ButtonTextFormat(align, "one\ntwo"), align);
    EXPECT_EQ(ButtonTextFormat(align, "one\r"), align | kSkinDtSingleLine) << "only a line feed counts";
    EXPECT_EQ(ButtonTextFormat(align, "trailing\n"), align);
}

TEST(ButtonState, IconPosition) {
    const SkinRect rc{10, 20, 110, 61};
    const struct {
        std::uint32_t align;
        SkinPoint at;
    } cases[] = {
        {kSkinDtLeft | kSkinDtTop, {10, 20}},
        {kSkinDtCenter | kSkinDtVCenter, {44, 24}},  // (100 - 32) / 2, (41 - 32) / 2 truncated
        {kSkinDtRight | kSkinDtBottom, {78, 29}},
        {kSkinDtLeft | kSkinDtVCenter, {10, 24}},
        {kSkinDtRight | kSkinDtTop, {78, 20}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ButtonIconPosition(rc, c.align, 32, 32), c.at) << "align 0x" << std::hex << c.align;
    // An icon larger than the button: the division truncates toward zero.
    EXPECT_EQ(ButtonIconPosition(SkinRect{0, 0, 10, 10}, kSkinDtCenter | kSkinDtVCenter, 13, 13), (SkinPoint{-1, -1}));
}

TEST(ButtonState, BorderOnlyOnPushButtonsThatShowIt) {
    for (int type = 0; type < 16; ++type) {
        EXPECT_EQ(ButtonDrawsBorder(true, type), type == 0 || type == 1) << "type " << type;
        EXPECT_FALSE(ButtonDrawsBorder(false, type)) << "type " << type;
    }
}

TEST(ButtonState, BackgroundRepaintRule) {
    EXPECT_FALSE(ButtonNeedsBackground(0x5001400B, 0x5001400B, false, false, false, false));
    EXPECT_TRUE(ButtonNeedsBackground(0x5001400B, 0, false, false, false, false)) << "first paint";
    EXPECT_TRUE(ButtonNeedsBackground(0x5001400B, 0x5001400B, true, false, false, false));
    EXPECT_TRUE(ButtonNeedsBackground(0x5001400B, 0x5001400B, false, true, true, true));
    EXPECT_FALSE(ButtonNeedsBackground(0x5001400B, 0x5001400B, false, true, true, false));
    EXPECT_FALSE(ButtonNeedsBackground(0x5001400B, 0x5001400B, false, true, false, true));
    EXPECT_TRUE(ButtonRedrawFlagForMessage(kSkinWmSetText));
    EXPECT_FALSE(ButtonRedrawFlagForMessage(0x000F /* WM_PAINT */));
    EXPECT_EQ(SkinPreTranslateMessageId(kSkinWmLButtonDblClk), kSkinWmLButtonDown);
    EXPECT_EQ(SkinPreTranslateMessageId(0x0202), 0x0202u);
    EXPECT_EQ(WM_SKIN_MOUSEENTER, 0x0400u + kSkinWmMouseLeave);
}

TEST(ButtonState, AutoThreeStateReturnsToZeroAfterThreeReleases) {
    int image = 0;
    const int expected[] = {1, 2, 0, 1};
    for (int step : expected) {
        const ButtonReleaseResult r = ButtonCheckAfterRelease(kSkinBsAuto3State, true, image, 3);
        ASSERT_TRUE(r.changed);
        EXPECT_FALSE(r.clearGroup);
        EXPECT_EQ(r.newImage, step);
        image = r.newImage;
    }
}

TEST(ButtonState, ReleaseCycles) {
    const struct {
        int type;
        bool over;
        int cur, sets;
        bool changed;
        int image;
        bool clearGroup;
    } cases[] = {
        {kSkinBsAutoCheckBox, true, 0, 2, true, 1, false},
        {kSkinBsAutoCheckBox, true, 1, 2, true, 0, false},
        {kSkinBsAutoCheckBox, false, 0, 2, false, 0, false},  // released after leaving
        {kSkinBsAuto3State, false, 2, 3, false, 2, false},
        {kSkinBsAuto3State, true, -2, 3, false, -2, false},  // (-2 + 1) % 3 is out of range
        {kSkinBsAutoCheckBox, true, 0, 0, false, 0, false},  // no image sets: nothing to cycle
        {kSkinBsAutoRadioButton, true, 0, 2, true, 1, true},
        {kSkinBsAutoRadioButton, true, 1, 2, true, 1, true},  // stays selected
        {kSkinBsAutoRadioButton, true, 0, 1, false, 0, true},
        {kSkinBsAutoRadioButton, false, 0, 2, false, 0, false},
        {kSkinBsCheckBox, true, 0, 2, false, 0, false},  // not automatic
        {kSkinBs3State, true, 1, 3, false, 1, false},
        {kSkinBsRadioButton, true, 0, 2, false, 0, false},
        {kSkinBsPushButton, true, 0, 1, false, 0, false},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "type " << c.type << " over " << c.over << " image " << c.cur << " of "
                                        << c.sets);
        const ButtonReleaseResult r = ButtonCheckAfterRelease(c.type, c.over, c.cur, c.sets);
        EXPECT_EQ(r.changed, c.changed);
        EXPECT_EQ(r.newImage, c.image);
        EXPECT_EQ(r.clearGroup, c.clearGroup);
    }
}

TEST(ButtonState, GroupMatesClearedOnlyWhenSkinnedAutoRadios) {
    const struct {
        std::uint32_t style;
        std::intptr_t userData;
        int sets;
        bool skinned;
    } cases[] = {
        {0x5001000B, 9, 2, true},  {0x5001000B, 4, 2, false},  // skinned plain radio button
        {0x5001000B, 0, 2, false}, {0x50010009, 9, 2, false},  // not owner-drawn
        {0x5001000B, 9, 0, false},                             // never attached
        {0x5001000F, 9, 2, false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSkinnedAutoRadio(c.style, c.userData, c.sets), c.skinned)
            << "style 0x" << std::hex << c.style << std::dec << " user data " << c.userData;
}

TEST(ButtonState, InitialCheckState) {
    EXPECT_EQ(InitialCheckImage(0, 2), 0);
    EXPECT_EQ(InitialCheckImage(1, 2), 1);
    EXPECT_EQ(InitialCheckImage(2, 2), -1) << "indeterminate on a two-state box";
    EXPECT_EQ(InitialCheckImage(2, 3), 2);
    EXPECT_EQ(InitialCheckImage(-1, 3), -1);
}

TEST(ButtonState, IconExtentIsTwiceTheHotspotIn8Bits) {
    EXPECT_EQ(ButtonIconExtent(16), 32);
    EXPECT_EQ(ButtonIconExtent(8), 16);
    EXPECT_EQ(ButtonIconExtent(0), 0);
    EXPECT_EQ(ButtonIconExtent(127), 254);
    EXPECT_EQ(ButtonIconExtent(128), 0) << "a 256-pixel icon does not fit 8 bits";
}

TEST(ButtonState, CheckBoxFrameStates) {
    const std::int64_t none = -1;
    const std::int64_t table[3][4] = {
        {0x0000, none, 0x0200, 0x0100},
        {0x0400, none, 0x0600, 0x0500},
        {0x0408, none, 0x0608, 0x0508},
    };
    for (int set = 0; set < 3; ++set)
        for (int slot = 0; slot < 4; ++slot) {
            SCOPED_TRACE(testing::Message() << "set " << set << " slot " << slot);
            for (bool flat : {false, true}) {
                std::uint32_t state = 0xDEAD;
                const bool drawn = ButtonFrameState(false, false, set, slot, flat, &state);
                EXPECT_EQ(drawn, table[set][slot] != none);
                if (drawn) {
                    EXPECT_EQ(state, static_cast<std::uint32_t>(table[set][slot]) | (flat ? 0x4000u : 0u));
                }
                EXPECT_FALSE(ButtonFrameState(false, true, set, slot, flat, &state)) << "no mask drawing";
            }
        }
}

TEST(ButtonState, RadioFrameStates) {
    const std::int64_t none = -1;
    const std::int64_t image[2][4] = {{0x0001, none, 0x0201, 0x0101}, {0x0401, none, 0x0601, 0x0501}};
    const std::int64_t mask[2][4] = {{0x0002, none, 0x0202, 0x0102}, {0x0402, none, 0x0602, 0x0502}};
    for (int set = 0; set < 2; ++set)
        for (int slot = 0; slot < 4; ++slot) {
            SCOPED_TRACE(testing::Message() << "set " << set << " slot " << slot);
            std::uint32_t state = 0;
            EXPECT_EQ(ButtonFrameState(true, false, set, slot, false, &state), image[set][slot] != none);
            if (image[set][slot] != none) {
                EXPECT_EQ(state, static_cast<std::uint32_t>(image[set][slot]));
            }
            EXPECT_EQ(ButtonFrameState(true, true, set, slot, true, &state), mask[set][slot] != none);
            if (mask[set][slot] != none) {
                EXPECT_EQ(state, static_cast<std::uint32_t>(mask[set][slot]) | 0x4000u);
            }
        }
    std::uint32_t state = 0;
    EXPECT_FALSE(ButtonFrameState(true, false, 2, 0, false, &state)) << "radio buttons have two sets";
    EXPECT_FALSE(ButtonFrameState(false, false, 3, 0, false, &state));
    EXPECT_FALSE(ButtonFrameState(false, false, -1, 0, false, &state));
    EXPECT_FALSE(ButtonFrameState(false, false, 0, 4, false, &state));
}

TEST(ButtonState, CheckImageExtentAndCursorChoice) {
    EXPECT_EQ(CheckImageExtent(13, 96), 13);
    EXPECT_EQ(CheckImageExtent(15, 120), 12);
    EXPECT_EQ(CheckImageExtent(13, 0), 13) << "no division by zero";
    EXPECT_TRUE(UseSystemHandCursor(2, 5));
    EXPECT_TRUE(UseSystemHandCursor(2, 6));
    EXPECT_FALSE(UseSystemHandCursor(2, 4));
    EXPECT_FALSE(UseSystemHandCursor(1, 4));
    EXPECT_FALSE(UseSystemHandCursor(1, 5));
}

}  // namespace
