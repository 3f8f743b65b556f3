// Layout of the message box once its texts are measured, in pixels: where the
// heading and the text go, how far the buttons move, where a child dialog is
// placed and the box's new size. Every division by 2 truncates toward zero.
#pragma once

#include "skin/controls/SkinTypes.h"

#include <cstdint>

struct SkinMsgBoxMeasure {
    SkinSize text{0, 0};  // tw x th: the text measured with DT_CALCRECT
    bool hasHeading = false;
    SkinSize heading{0, 0};           // hw x hh, in the bold heading font
    SkinRect window{0, 0, 0, 0};      // D: the box's window rectangle
    SkinRect textStatic{0, 0, 0, 0};  // S: the text static in client coordinates
    std::int32_t gap = 0;             // g: the height in pixels of 14 dialog units
    bool hasChild = false;            // a child dialog was created
    SkinRect child{0, 0, 0, 0};       // R: its window rectangle in client coordinates
    bool childAtBottom = false;
};

struct SkinMsgBoxPlacement {
    std::int32_t dx = 0;           // growth of the box's width
    std::int32_t dy = 0;           // downward move of the buttons
    SkinRect heading{0, 0, 0, 0};  // when there is a heading
    SkinRect text{0, 0, 0, 0};
    SkinPoint child{0, 0};  // new top-left of the child dialog, when there is one
    SkinSize box{0, 0};     // new window size
};

SkinMsgBoxPlacement LayoutMessageBox(const SkinMsgBoxMeasure& measure);

// A button's new top-left: dx / 2 to the right, dy down, size unchanged.
SkinPoint MessageBoxButtonPosition(const SkinMsgBoxPlacement& placement, SkinRect button);
