#include "skin/dialogs/MessageBoxButtons.h"

const SkinMsgBoxCaptions g_defaultCaptions = {
    0,
    0,
    SkinRgb(255, 255, 255),
    SkinRgb(0, 0, 0),
    SkinRgb(0, 0, 0),
    SkinRgb(255, 0, 0),
    SkinRgb(255, 255, 255),
    u"&Ok",
    u"&Cancel",
    u"&Abort",
    u"&Retry",
    u"&Ignore",
    u"&Yes",
    u"&No",
};

std::map<std::uintptr_t, SkinMsgBoxCaptions> g_captionsByModule;

SkinMsgBoxCaptions CaptionsForModule(std::uintptr_t moduleInstance) {
    const auto found = g_captionsByModule.find(moduleInstance);
    return found != g_captionsByModule.end() ? found->second : g_defaultCaptions;
}

std::int32_t MessageBoxButtonId(SkinMsgBoxButton button) {
    switch (button) {
    case SkinMsgBoxButton::Ok: return kSkinIdOk;
    case SkinMsgBoxButton::Cancel: return kSkinIdCancel;
    case SkinMsgBoxButton::Abort: return kSkinIdAbort;
    case SkinMsgBoxButton::Retry: return kSkinIdRetry;
    case SkinMsgBoxButton::Ignore: return kSkinIdIgnore;
    case SkinMsgBoxButton::Yes: return kSkinIdYes;
    case SkinMsgBoxButton::No: return kSkinIdNo;
    case SkinMsgBoxButton::Custom1: return 1;
    case SkinMsgBoxButton::Custom2: return 2;
    case SkinMsgBoxButton::Custom3: return 3;
    }
    return kSkinIdOk;
}

std::uint32_t MessageBoxButtonSet(std::uint32_t style, bool hasParams) {
    const std::uint32_t set = style & kSkinMbTypeMask;
    if (set == SKINMB_CUSTOM) return hasParams ? SKINMB_CUSTOM : kSkinMbOk;
    // Sets 6 to 14 have no buttons: such a box could never be closed.
    if (set > kSkinMbRetryCancel) return kSkinMbOk;
    return set;
}

std::vector<SkinMsgBoxButton> MessageBoxButtonsOfSet(std::uint32_t buttonSet, std::int32_t customButtonCount) {
    using B = SkinMsgBoxButton;
    switch (buttonSet) {
    case kSkinMbOk: return {B::Ok};
    case kSkinMbOkCancel: return {B::Ok, B::Cancel};
    case kSkinMbAbortRetryIgnore: return {B::Abort, B::Retry, B::Ignore};
    case kSkinMbYesNoCancel: return {B::Yes, B::No, B::Cancel};
    case kSkinMbYesNo: return {B::Yes, B::No};
    case kSkinMbRetryCancel: return {B::Retry, B::Cancel};
    case SKINMB_CUSTOM: {
        std::int32_t n = customButtonCount;
        if (n < 1) n = 1;
        if (n > kSkinMaxCustomButtons) n = kSkinMaxCustomButtons;
        const B custom[kSkinMaxCustomButtons] = {B::Custom1, B::Custom2, B::Custom3};
        return std::vector<B>(custom, custom + n);
    }
    default: return {};
    }
}

int MessageBoxDefaultIndex(std::uint32_t style, int buttonCount) {
    const std::uint32_t def = style & kSkinMbDefButtonMask;
    if (def == kSkinMbDefButton2 && buttonCount >= 2) return 1;
    if (def == kSkinMbDefButton3 && buttonCount >= 3) return 2;
    return 0;
}

namespace {

const std::u16string& CaptionOf(SkinMsgBoxButton button, const SkinMsgBoxCaptions& captions,
                                const std::u16string* customCaptions) {
    static const std::u16string kNone;
    switch (button) {
    case SkinMsgBoxButton::Ok: return captions.captionOk;
    case SkinMsgBoxButton::Cancel: return captions.captionCancel;
    case SkinMsgBoxButton::Abort: return captions.captionAbort;
    case SkinMsgBoxButton::Retry: return captions.captionRetry;
    case SkinMsgBoxButton::Ignore: return captions.captionIgnore;
    case SkinMsgBoxButton::Yes: return captions.captionYes;
    case SkinMsgBoxButton::No: return captions.captionNo;
    case SkinMsgBoxButton::Custom1: return customCaptions ? customCaptions[0] : kNone;
    case SkinMsgBoxButton::Custom2: return customCaptions ? customCaptions[1] : kNone;
    case SkinMsgBoxButton::Custom3: return customCaptions ? customCaptions[2] : kNone;
    }
    return kNone;
}

}  // namespace

std::vector<SkinMsgBoxButtonDesc> MessageBoxButtonDescs(const std::vector<SkinMsgBoxButton>& buttons,
                                                        const SkinMsgBoxCaptions& captions,
                                                        const std::u16string* customCaptions) {
    std::vector<SkinMsgBoxButtonDesc> descs;
    descs.reserve(buttons.size());
    for (SkinMsgBoxButton button : buttons) {
        descs.push_back(SkinMsgBoxButtonDesc{MessageBoxButtonId(button), kSkinMsgBoxButtonWidth,
                                             kSkinMsgBoxButtonHeight, CaptionOf(button, captions, customCaptions)});
    }
    return descs;
}
