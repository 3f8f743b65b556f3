// The message box's in-memory extended dialog template (DLGTEMPLATEEX with
// DLGITEMTEMPLATEEX items): the item list for a call, the box size in dialog
// units, the exact buffer size and the little-endian bytes.
#pragma once

#include "skin/dialogs/MessageBoxButtons.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Predefined window class atoms.
constexpr std::uint32_t kSkinClassButton = 0x0080;
constexpr std::uint32_t kSkinClassStatic = 0x0082;

// Identifiers of the box's static controls.
constexpr std::uint32_t IDC_MSGBOX_TEXT = 255;
constexpr std::uint32_t IDC_MSGBOX_HEADING = 256;
constexpr std::uint32_t kSkinNoControlId = 0xFFFFFFFF;

constexpr std::uint32_t kSkinMsgBoxDialogStyle = 0x90000040;  // WS_POPUP | WS_VISIBLE | DS_SETFONT
constexpr std::uint32_t kSkinMsgBoxBitmapStyle = 0x5000000E;  // WS_CHILD | WS_VISIBLE | SS_BITMAP
constexpr std::uint32_t kSkinMsgBoxTextStyle = 0x5000008C;    // WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFTNOWORDWRAP
constexpr std::uint32_t kSkinBsDefaultPush = 0x1;             // BS_DEFPUSHBUTTON
constexpr std::int16_t kSkinMsgBoxTextX = 20;
constexpr std::int16_t kSkinMsgBoxTextY = 28;
constexpr std::int16_t kSkinMsgBoxButtonY = 42;

// One control of the template under construction.
struct SkinMsgBoxItem {
    std::uint32_t classAtom;
    std::uint32_t style;
    std::uint32_t id;
    std::int16_t x;
    std::int16_t y;
    std::int16_t cx;
    std::int16_t cy;
    std::uint16_t ordinal;   // non-zero: the text is this resource ordinal
    std::u16string caption;  // the text when ordinal is 0
};

// What of a call shapes the template.
struct SkinMsgBoxRequest {
    std::uint32_t style = 0;
    bool hasParams = false;  // params given
    std::int32_t customButtonCount = 0;
    std::u16string customCaptions[kSkinMaxCustomButtons];
    bool hasHeading = false;     // params given with a non-empty heading
    bool captionIsNull = false;  // no caption argument at all
};

struct SkinMsgBoxItems {
    std::vector<SkinMsgBoxItem> items;  // bitmap?, buttons in set order, heading?, text
    std::int16_t width = 0;             // dialog units
    std::int16_t height = 0;
    int buttonCount = 0;
    int defaultIndex = 0;  // among the buttons
};

// The item list and box size of one call, with captions from `captions`.
SkinMsgBoxItems BuildMessageBoxItems(const SkinMsgBoxRequest& request, const SkinMsgBoxCaptions& captions);

// Exact size of the template: 40 bytes plus twice the characters of the title
// and of "Tahoma" for the header; for each item the rounding up to a multiple
// of 4, then 30 bytes, plus 4 for an ordinal text or twice the caption's
// characters plus 2.
std::size_t MessageBoxTemplateSize(const std::u16string& title, const std::vector<SkinMsgBoxItem>& items);

// The template bytes, exactly MessageBoxTemplateSize long. The Win32 side
// hands data() to InitModalIndirect; a vector's storage is aligned for the
// DWORDs of the template.
std::vector<std::uint8_t> BuildMessageBoxTemplate(const std::u16string& title, std::int16_t width, std::int16_t height,
                                                  const std::vector<SkinMsgBoxItem>& items);
