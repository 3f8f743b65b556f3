// Window-free rules of the skinned push button: its types and image sets, the
// alignment taken from its style, the visual state with the caption colour
// and image slot it selects, the caption and icon rectangles, the background
// repaint rule and the check-box / radio-button cycles on release.
#pragma once

#include "skin/controls/SkinTypes.h"

#include <cstdint>

// Button styles: the low four bits are the button type.
constexpr std::uint32_t kSkinBsPushButton = 0x0;
constexpr std::uint32_t kSkinBsDefPushButton = 0x1;
constexpr std::uint32_t kSkinBsCheckBox = 0x2;
constexpr std::uint32_t kSkinBsAutoCheckBox = 0x3;
constexpr std::uint32_t kSkinBsRadioButton = 0x4;
constexpr std::uint32_t kSkinBs3State = 0x5;
constexpr std::uint32_t kSkinBsAuto3State = 0x6;
constexpr std::uint32_t kSkinBsAutoRadioButton = 0x9;
constexpr std::uint32_t kSkinBsOwnerDraw = 0xB;
constexpr std::uint32_t kSkinBsTypeMask = 0xF;
constexpr std::uint32_t kSkinBsLeft = 0x100;
constexpr std::uint32_t kSkinBsRight = 0x200;
constexpr std::uint32_t kSkinBsCenter = 0x300;
constexpr std::uint32_t kSkinBsTop = 0x400;
constexpr std::uint32_t kSkinBsBottom = 0x800;
constexpr std::uint32_t kSkinBsVCenter = 0xC00;
constexpr std::uint32_t kSkinBsNotify = 0x4000;
constexpr std::uint32_t kSkinBsFlat = 0x8000;

// Owner-draw item state bits.
constexpr std::uint32_t kSkinOdsSelected = 0x01;
constexpr std::uint32_t kSkinOdsDisabled = 0x04;
constexpr std::uint32_t kSkinOdsFocus = 0x10;

// Check states as BM_GETCHECK answers them; also the image set index of a
// check box or radio button.
constexpr int kSkinUnchecked = 0;
constexpr int kSkinChecked = 1;
constexpr int kSkinIndeterminate = 2;

// Slots of a ButtonImageSet, in their order.
constexpr int kSkinImageActive = 0;
constexpr int kSkinImageNormal = 1;
constexpr int kSkinImagePressed = 2;
constexpr int kSkinImageDisabled = 3;
constexpr int kSkinImageSlotCount = 4;

// The caption colours of every skinned button.
constexpr SkinColorRef kSkinButtonTextNormal = SkinRgb(0, 0, 0);
constexpr SkinColorRef kSkinButtonTextActive = SkinRgb(0, 0, 200);
constexpr SkinColorRef kSkinButtonTextPressed = SkinRgb(200, 0, 0);
constexpr SkinColorRef kSkinButtonBackground = SkinRgb(255, 255, 255);
constexpr SkinColorRef kSkinButtonBorder = SkinRgb(0, 0, 0);

constexpr int ButtonTypeOfStyle(std::uint32_t style) { return static_cast<int>(style & kSkinBsTypeMask); }

// Types 2, 3, 4, 5, 6 and 9 are drawn as a check image beside the caption;
// every other type is push-like.
bool IsCheckLikeButton(int type);
bool IsRadioButton(int type);
// Image sets of a type: 3 for the three-state boxes, 2 for the other
// check-like types, 1 otherwise.
int ButtonImageSetCount(int type);

// The style given with BM_SETSTYLE when attaching: BS_OWNERDRAW in the low
// four bits, every other bit kept.
constexpr std::uint32_t OwnerDrawButtonStyle(std::uint32_t style) { return (style & ~0x4u) | kSkinBsOwnerDraw; }

// The check state found on attaching becomes the current image set when it
// names one; otherwise -1 (the current set stays as it is).
int InitialCheckImage(int checkState, int imageSets);

// DrawText alignment from the style, recomputed at every paint: push buttons
// default to centred both ways, check-like buttons to left and vertically
// centred.
std::uint32_t ButtonTextAlign(std::uint32_t style, int type);

struct ButtonDrawState {
    bool pressed;
    bool focused;
    bool grayed;
    std::uint32_t textAlign;
};
// The state the button remembers from each owner-draw request.
ButtonDrawState UpdateDrawState(std::uint32_t itemState, std::uint32_t style, int type);

enum class ButtonVisual { Disabled, Normal, Pressed, Active };
// Priority: disabled; normal when neither hovered nor focused; pressed when
// the item is selected; else active.
ButtonVisual ButtonVisualState(bool grayed, bool mouseOver, bool focused, bool pressed);
// Slot shown for a visual state; a pressed state with an empty pressed slot
// shows the active image.
int ButtonImageSlot(ButtonVisual visual, bool pressedSlotEmpty);

struct ButtonTextColors {
    SkinColorRef normal;
    SkinColorRef active;
    SkinColorRef pressed;
};
SkinColorRef ButtonTextColor(ButtonVisual visual, const ButtonTextColors& colors, SkinColorRef grayText);

// Caption margin: 2 pixels for push-like types, 5 for check-like ones.
int ButtonTextMargin(int type);
// The rectangle the caption is drawn into (PaintText): the margin and, for a
// vertically centred icon, the icon's width come off the aligned side; a top
// or bottom icon takes its height plus 2 off that edge.
SkinRect ButtonTextRect(SkinRect item, std::uint32_t align, int type, int cxIcon, int cyIcon);
// DrawText flags of the caption: the alignment, plus DT_SINGLELINE when the
// text has no line feed. text may be null (no caption).
std::uint32_t ButtonTextFormat(std::uint32_t align, const char* text);
// Top-left corner of the state image inside rc (PaintIcon).
SkinPoint ButtonIconPosition(SkinRect rc, std::uint32_t align, int cxIcon, int cyIcon);
// Only push buttons (types 0 and 1) draw a border, and only when asked to.
bool ButtonDrawsBorder(bool showBorder, int type);

// Whether DrawItem repaints the background before drawing.
bool ButtonNeedsBackground(std::uint32_t style, std::uint32_t lastStyle, bool redrawBackground, bool focused,
                           bool mouseOver, bool activeDiffersFromNormal);
// The window procedure sets the repaint flag for WM_SETTEXT and clears it for
// every other message, before the message is handled.
constexpr bool ButtonRedrawFlagForMessage(std::uint32_t message) { return message == kSkinWmSetText; }

// What a release of the left button over the control does to the check state
// (OnLButtonUp).
struct ButtonReleaseResult {
    bool changed;     // the current image set changes and the button repaints
    int newImage;     // the new image set when changed
    bool clearGroup;  // an automatic radio button clears its skinned group mates
};
ButtonReleaseResult ButtonCheckAfterRelease(int type, bool mouseOver, int curImage, int imageSets);
// A group mate is a skinned automatic radio button when its style is
// owner-drawn, its user data holds type 9 and it has image sets.
bool IsSkinnedAutoRadio(std::uint32_t style, std::intptr_t userData, int imageSets);

// m_cxIcon / m_cyIcon: twice the icon's hotspot coordinate, kept in 8 bits.
std::uint8_t ButtonIconExtent(std::int32_t hotspot);

// DrawFrameControl states of the check-box and radio-button images.
constexpr std::uint32_t kSkinDfcsButtonCheck = 0x0000;
constexpr std::uint32_t kSkinDfcsButtonRadioImage = 0x0001;
constexpr std::uint32_t kSkinDfcsButtonRadioMask = 0x0002;
constexpr std::uint32_t kSkinDfcsButton3State = 0x0008;
constexpr std::uint32_t kSkinDfcsInactive = 0x0100;
constexpr std::uint32_t kSkinDfcsPushed = 0x0200;
constexpr std::uint32_t kSkinDfcsChecked = 0x0400;
constexpr std::uint32_t kSkinDfcsFlat = 0x4000;
constexpr std::uint32_t kSkinDfcButton = 4;

// The frame state drawn into slot `slot` of image set `set`, for a check box
// (radio false) or a radio button's colour image (mask false) or mask (mask
// true). Returns false for a slot that stays empty (the normal slot), for a
// check box's mask (it stays all black) and for a set or slot outside the
// tables.
bool ButtonFrameState(bool radio, bool mask, int set, int slot, bool flat, std::uint32_t* state);
// Side of the check image: the menu check metric scaled to 96 dots per inch.
int CheckImageExtent(int menuCheckMetric, int dotsPerInch);

// The hand cursor is the system's IDC_HAND on the NT platform from version 5
// on, and the built-in bitmap elsewhere.
constexpr bool UseSystemHandCursor(std::uint32_t platformId, std::uint32_t majorVersion) {
    return platformId == 2 && majorVersion >= 5;
}
