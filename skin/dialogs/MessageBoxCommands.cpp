#include "skin/dialogs/MessageBoxCommands.h"

#include "skin/dialogs/MessageBoxButtons.h"

SkinMsgBoxButtonIds MessageBoxButtonIds(const std::vector<SkinMsgBoxItem>& items) {
    SkinMsgBoxButtonIds result;
    for (const SkinMsgBoxItem& item : items) {
        if (item.classAtom != kSkinClassButton) continue;
        result.ids.push_back(item.id);
        if (item.id == static_cast<std::uint32_t>(kSkinIdCancel)) result.hasCancel = true;
    }
    return result;
}

SkinMsgBoxCommand MessageBoxCommand(std::uint32_t id, std::uint32_t notification, bool hasCancel) {
    if (id < static_cast<std::uint32_t>(kSkinIdOk) || id > static_cast<std::uint32_t>(kSkinIdNo))
        return SkinMsgBoxCommand::None;
    if (notification == kSkinBnSetFocus) return SkinMsgBoxCommand::SetDefault;
    if (notification != kSkinBnClicked) return SkinMsgBoxCommand::None;
    if (id == static_cast<std::uint32_t>(kSkinIdCancel) && !hasCancel) return SkinMsgBoxCommand::None;
    return SkinMsgBoxCommand::End;
}
