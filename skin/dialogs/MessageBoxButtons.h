// The message box's caption set, its button descriptors and the button sets
// chosen by the style.
#pragma once

#include "skin/controls/SkinTypes.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Button identifiers the box returns (the standard dialog results).
constexpr std::int32_t kSkinIdOk = 1;
constexpr std::int32_t kSkinIdCancel = 2;
constexpr std::int32_t kSkinIdAbort = 3;
constexpr std::int32_t kSkinIdRetry = 4;
constexpr std::int32_t kSkinIdIgnore = 5;
constexpr std::int32_t kSkinIdYes = 6;
constexpr std::int32_t kSkinIdNo = 7;

// Style bits 0-3: the button set; bits 8-11: the default button.
constexpr std::uint32_t kSkinMbTypeMask = 0x0000000F;
constexpr std::uint32_t kSkinMbOk = 0x0;
constexpr std::uint32_t kSkinMbOkCancel = 0x1;
constexpr std::uint32_t kSkinMbAbortRetryIgnore = 0x2;
constexpr std::uint32_t kSkinMbYesNoCancel = 0x3;
constexpr std::uint32_t kSkinMbYesNo = 0x4;
constexpr std::uint32_t kSkinMbRetryCancel = 0x5;
constexpr std::uint32_t SKINMB_CUSTOM = 0xF;
constexpr std::uint32_t kSkinMbDefButtonMask = 0x00000F00;
constexpr std::uint32_t kSkinMbDefButton2 = 0x100;
constexpr std::uint32_t kSkinMbDefButton3 = 0x200;

constexpr int kSkinMaxCustomButtons = 3;

// The caption set: seven 32-bit values, then seven UTF-16 captions.
struct SkinMsgBoxCaptions {
    std::int32_t bitmapId;      // bitmap at the top-left corner when the caption is null (0: none)
    std::int32_t buttonIconId;  // icon given to every button (0: none)
    SkinColorRef colBackground;
    SkinColorRef colText;
    SkinColorRef colBorder;
    SkinColorRef colTitle;
    SkinColorRef colTitleText;
    std::u16string captionOk;
    std::u16string captionCancel;
    std::u16string captionAbort;
    std::u16string captionRetry;
    std::u16string captionIgnore;
    std::u16string captionYes;
    std::u16string captionNo;
};

// The defaults: no bitmap, no icon, white background, black text and border,
// red title bar with white text, "&Ok", "&Cancel", "&Abort", "&Retry",
// "&Ignore", "&Yes", "&No".
extern const SkinMsgBoxCaptions g_defaultCaptions;

// Caption sets by module instance handle. Nothing fills it, so every call
// uses the defaults; CaptionsForModule returns the copy a call works with.
extern std::map<std::uintptr_t, SkinMsgBoxCaptions> g_captionsByModule;
SkinMsgBoxCaptions CaptionsForModule(std::uintptr_t moduleInstance);

enum class SkinMsgBoxButton { Ok, Cancel, Abort, Retry, Ignore, Yes, No, Custom1, Custom2, Custom3 };

// A button as it goes into the template.
struct SkinMsgBoxButtonDesc {
    std::int32_t id;
    std::int16_t cx;
    std::int16_t cy;
    std::u16string caption;
};

constexpr std::uint32_t kSkinMsgBoxButtonStyle = 0x50014000;  // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY
constexpr std::int16_t kSkinMsgBoxButtonWidth = 66;
constexpr std::int16_t kSkinMsgBoxButtonHeight = 12;

std::int32_t MessageBoxButtonId(SkinMsgBoxButton button);

// The button set a call is served: bits 0-3 of the style, except that the
// custom set without params, and the styles 6 to 14 that name no buttons, are
// served as the OK set so that every box can be closed.
std::uint32_t MessageBoxButtonSet(std::uint32_t style, bool hasParams);

// Buttons of a set, left to right; the custom set has customButtonCount
// clamped to 1..3 buttons.
std::vector<SkinMsgBoxButton> MessageBoxButtonsOfSet(std::uint32_t buttonSet, std::int32_t customButtonCount);

// Index of the default button: the second with MB_DEFBUTTON2 when there are at
// least two, the third with MB_DEFBUTTON3 when there are three, else the first.
int MessageBoxDefaultIndex(std::uint32_t style, int buttonCount);

// The descriptors of one call's buttons with their captions filled in: from
// the caption set for the standard sets, from customCaptions (three, may be
// null when the set is not custom) for the custom set. Built per call, so two
// calls never share descriptors.
std::vector<SkinMsgBoxButtonDesc> MessageBoxButtonDescs(const std::vector<SkinMsgBoxButton>& buttons,
                                                        const SkinMsgBoxCaptions& captions,
                                                        const std::u16string* customCaptions);
