#include "skin/controls/ButtonState.h"

bool IsCheckLikeButton(int type) {
    switch (type) {
    case kSkinBsCheckBox:
    case kSkinBsAutoCheckBox:
    case kSkinBsRadioButton:
    case kSkinBs3State:
    case kSkinBsAuto3State:
    case kSkinBsAutoRadioButton: return true;
    default: return false;
    }
}

bool IsRadioButton(int type) { return type == kSkinBsRadioButton || type == kSkinBsAutoRadioButton; }

int ButtonImageSetCount(int type) {
    if (type == kSkinBs3State || type == kSkinBsAuto3State) return 3;
    if (IsCheckLikeButton(type)) return 2;
    return 1;
}

int InitialCheckImage(int checkState, int imageSets) {
    return checkState >= 0 && checkState < imageSets ? checkState : -1;
}

std::uint32_t ButtonTextAlign(std::uint32_t style, int type) {
    std::uint32_t align;
    if ((style & kSkinBsCenter) == kSkinBsCenter)
        align = kSkinDtCenter;  // NOLINT(bugprone-branch-clone): the bits in order of precedence
    else if (style & kSkinBsRight)
        align = kSkinDtRight;
    else if (!IsCheckLikeButton(type) && !(style & kSkinBsLeft))
        align = kSkinDtCenter;
    else
        align = kSkinDtLeft;

    if ((style & kSkinBsVCenter) == kSkinBsVCenter)
        align |= kSkinDtVCenter;  // NOLINT(bugprone-branch-clone): both bits or neither; precedence order
    else if (style & kSkinBsBottom)
        align |= kSkinDtBottom;
    else if (style & kSkinBsTop)
        align |= kSkinDtTop;
    else
        align |= kSkinDtVCenter;
    return align;
}

ButtonDrawState UpdateDrawState(std::uint32_t itemState, std::uint32_t style, int type) {
    ButtonDrawState state;
    state.pressed = (itemState & kSkinOdsSelected) != 0;
    state.focused = (itemState & kSkinOdsFocus) != 0;
    state.grayed = (itemState & kSkinOdsDisabled) != 0;
    state.textAlign = ButtonTextAlign(style, type);
    return state;
}

ButtonVisual ButtonVisualState(bool grayed, bool mouseOver, bool focused, bool pressed) {
    if (grayed) return ButtonVisual::Disabled;
    if (!mouseOver && !focused) return ButtonVisual::Normal;
    if (pressed) return ButtonVisual::Pressed;
    return ButtonVisual::Active;
}

int ButtonImageSlot(ButtonVisual visual, bool pressedSlotEmpty) {
    switch (visual) {
    case ButtonVisual::Disabled: return kSkinImageDisabled;
    case ButtonVisual::Normal: return kSkinImageNormal;
    case ButtonVisual::Pressed: return pressedSlotEmpty ? kSkinImageActive : kSkinImagePressed;
    case ButtonVisual::Active: break;
    }
    return kSkinImageActive;
}

SkinColorRef ButtonTextColor(ButtonVisual visual, const ButtonTextColors& colors, SkinColorRef grayText) {
    switch (visual) {
    case ButtonVisual::Disabled: return grayText;
    case ButtonVisual::Normal: return colors.normal;
    case ButtonVisual::Pressed: return colors.pressed;
    case ButtonVisual::Active: break;
    }
    return colors.active;
}

int ButtonTextMargin(int type) { return IsCheckLikeButton(type) ? 5 : 2; }

SkinRect ButtonTextRect(SkinRect item, std::uint32_t align, int type, int cxIcon, int cyIcon) {
    const int margin = ButtonTextMargin(type);
    const int beside = (align & kSkinDtVCenter) ? cxIcon : 0;
    SkinRect rc = item;
    if (align & kSkinDtCenter) {
        // centred: both edges stay
    } else if (align & kSkinDtRight) {
        rc.right -= margin + beside;
    } else {
        rc.left += margin + beside;
    }
    if (align & kSkinDtVCenter) {
        // vertically centred: both edges stay
    } else if (align & kSkinDtBottom) {
        rc.bottom -= cyIcon + 2;
    } else {
        rc.top += cyIcon + 2;
    }
    return rc;
}

std::uint32_t ButtonTextFormat(std::uint32_t align, const char* text) {
    bool lineFeed = false;
    for (const char* p = text; p && *p; ++p) {
        if (*p == '\n') {
            lineFeed = true;
            break;
        }
    }
    return lineFeed ? align : align | kSkinDtSingleLine;
}

SkinPoint ButtonIconPosition(SkinRect rc, std::uint32_t align, int cxIcon, int cyIcon) {
    SkinPoint at{rc.left, rc.top};
    if (align & kSkinDtCenter)
        at.x = rc.left + (rc.right - cxIcon - rc.left) / 2;
    else if (align & kSkinDtRight)
        at.x = rc.right - cxIcon;
    if (align & kSkinDtVCenter)
        at.y = rc.top + (rc.bottom - cyIcon - rc.top) / 2;
    else if (align & kSkinDtBottom)
        at.y = rc.bottom - cyIcon;
    return at;
}

bool ButtonDrawsBorder(bool showBorder, int type) {
    return showBorder && (type == kSkinBsPushButton || type == kSkinBsDefPushButton);
}

bool ButtonNeedsBackground(std::uint32_t style, std::uint32_t lastStyle, bool redrawBackground, bool focused,
                           bool mouseOver, bool activeDiffersFromNormal) {
    return style != lastStyle || redrawBackground || (focused && mouseOver && activeDiffersFromNormal);
}

ButtonReleaseResult ButtonCheckAfterRelease(int type, bool mouseOver, int curImage, int imageSets) {
    ButtonReleaseResult result{false, curImage, false};
    if (!mouseOver) return result;
    if (type == kSkinBsAutoCheckBox || type == kSkinBsAuto3State) {
        // A control that has no image sets yet has no state to cycle.
        if (imageSets <= 0) return result;
        const int next = (curImage + 1) % imageSets;
        if (next >= 0 && next < imageSets) {
            result.changed = true;
            result.newImage = next;
        }
    } else if (type == kSkinBsAutoRadioButton) {
        if (imageSets > 1) {
            result.changed = true;
            result.newImage = kSkinChecked;
        }
        result.clearGroup = true;
    }
    return result;
}

bool IsSkinnedAutoRadio(std::uint32_t style, std::intptr_t userData, int imageSets) {
    return (style & kSkinBsTypeMask) == kSkinBsOwnerDraw && userData == kSkinBsAutoRadioButton && imageSets > 0;
}

std::uint8_t ButtonIconExtent(std::int32_t hotspot) {
    return static_cast<std::uint8_t>(static_cast<std::uint32_t>(hotspot) * 2u);
}

bool ButtonFrameState(bool radio, bool mask, int set, int slot, bool flat, std::uint32_t* state) {
    const int sets = radio ? 2 : 3;
    if (set < 0 || set >= sets || slot < 0 || slot >= kSkinImageSlotCount) return false;
    if (mask && !radio) return false;  // check boxes keep their all-black mask
    if (slot == kSkinImageNormal) return false;

    static const std::uint32_t kCheckSets[3] = {
        kSkinDfcsButtonCheck,
        kSkinDfcsButtonCheck | kSkinDfcsChecked,
        kSkinDfcsButton3State | kSkinDfcsChecked,
    };
    std::uint32_t value;
    if (radio) {
        value = (mask ? kSkinDfcsButtonRadioMask : kSkinDfcsButtonRadioImage) | (set == 1 ? kSkinDfcsChecked : 0u);
    } else {
        value = kCheckSets[set];
    }
    if (slot == kSkinImagePressed) value |= kSkinDfcsPushed;
    if (slot == kSkinImageDisabled) value |= kSkinDfcsInactive;
    if (flat) value |= kSkinDfcsFlat;
    *state = value;
    return true;
}

int CheckImageExtent(int menuCheckMetric, int dotsPerInch) {
    // A device without a resolution keeps the metric unscaled rather than
    // dividing by zero.
    if (dotsPerInch <= 0) return menuCheckMetric;
    return menuCheckMetric * 96 / dotsPerInch;
}
