// What the running message box makes of its items and its buttons' commands:
// the button identifiers it binds, whether identifier 2 may end it, and what a
// BN_CLICKED or BN_SETFOCUS from a control does.
#pragma once

#include "skin/dialogs/MessageBoxTemplate.h"

#include <cstdint>
#include <vector>

constexpr std::uint32_t kSkinBnClicked = 0;
constexpr std::uint32_t kSkinBnSetFocus = 6;
constexpr std::uint32_t kSkinDmGetDefId = 0x0400;  // WM_USER
constexpr std::uint32_t kSkinDmSetDefId = 0x0401;  // WM_USER + 1
constexpr std::uint32_t kSkinMsgBoxTimerId = 1;

struct SkinMsgBoxButtonIds {
    std::vector<std::uint32_t> ids;  // the button items' identifiers, in item-list order
    bool hasCancel = false;          // one of them is 2, so identifier 2 (and Escape) may end the box
};
SkinMsgBoxButtonIds MessageBoxButtonIds(const std::vector<SkinMsgBoxItem>& items);

enum class SkinMsgBoxCommand {
    None,        // ignored
    SetDefault,  // send DM_SETDEFID with the identifier: the focused button becomes the default
    End,         // EndDialog with the identifier as the result
};
// Controls 1 to 7 only. Escape reaches the box as a click of identifier 2, so
// it ends only a box that has a button 2.
SkinMsgBoxCommand MessageBoxCommand(std::uint32_t id, std::uint32_t notification, bool hasCancel);

// Timer 1 runs only with both a period and a timer function.
constexpr bool MessageBoxUsesTimer(std::uint32_t elapse, bool hasTimerProc) { return elapse != 0 && hasTimerProc; }

// On the NT platform family the statics are made UTF-16 windows and get their
// texts with SetWindowTextW; elsewhere the texts are converted to 8 bits.
constexpr bool MessageBoxUsesWideStatics(std::uint32_t platformId) { return platformId >= 2; }
