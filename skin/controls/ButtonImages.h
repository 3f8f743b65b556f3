// The image records of the skinned push button and the image operations that
// need no button: the gray disabled copy of an icon and the built-in hand
// cursor. The button's own image operations (SetIcons, SetIconHandles,
// FreeImageSet, UpdateIconSize, PaintIcon, SetHandCursor and the check-box /
// radio-button images) are members of CSkinButton, defined in ButtonImages.cpp.
#pragma once

#include <windows.h>

// One slot: the icon, and whether the button destroys it when the slot is freed.
struct ButtonImage {
    HICON hIcon;
    BYTE bOwned;
};

// One set per check state, four slots in this order.
struct ButtonImageSet {
    ButtonImage imgActive;    // hovered or focused, not pressed
    ButtonImage imgNormal;    // neither hovered nor focused
    ButtonImage imgPressed;   // hovered or focused and pressed; empty: imgActive
    ButtonImage imgDisabled;  // disabled
};

// A new icon with hIcon's mask and a gray copy of its colour bitmap; pure
// black pixels stay black. Null when hIcon has no colour bitmap or when the
// icon information, a device context or the new bitmap cannot be had. The
// caller owns the result (DestroyIcon).
HICON CreateGrayscaleIcon(HICON hIcon);

// The built-in 32 x 32 hand cursor (hotspot 6, 0) of the current instance.
// The caller owns the result (DestroyCursor).
HCURSOR CreateHandCursor();
