// Window-free geometry of the flat frames of one scroll bar: the two arrow
// buttons and the thumb. The window side reads the system metrics and the
// scroll information and draws the flat button frame on each rectangle.
// This header needs no window system.
#pragma once

#include "skin/controls/SkinMulDiv.h"
#include "skin/engine/FrameGeometry.h"

// SkinMulDiv (skin/controls/SkinMulDiv.h) scales the thumb.

// The arrow buttons of a scroll bar whose rectangle is rc. nArrowMetric is
// the system's arrow size (SM_CXHSCROLL, for both orientations); a bar
// shorter than two arrows gets two arrows of half its length each.
struct SkinScrollArrows {
    SkinRect rcFirst;   // top or left arrow
    SkinRect rcSecond;  // bottom or right arrow
    int nArrow;         // arrow length after shortening
    int nLength;        // the bar's length along its direction
};
SkinScrollArrows SkinLayoutScrollArrows(const SkinRect& rc, bool bVertical, int nArrowMetric);

// The part of SCROLLINFO the thumb frame depends on.
struct SkinScrollInfo {
    int nMin;
    int nMax;
    unsigned int nPage;
    int nPos;
};

// The system facts the thumb depends on.
struct SkinScrollMetrics {
    int nArrowMetric;   // SM_CXHSCROLL, before any shortening
    int nThumbMetric;   // SM_CXHTHUMB, the thumb of a bar without a page
    bool bWin95Family;  // the top bit of GetVersion(): minimum thumb arrow/2, else 8
};

// The thumb rectangle of the bar rc with the arrows laid out by
// SkinLayoutScrollArrows; FALSE when no thumb frame is drawn (empty range,
// or, for a window's own bar (bControl false), a thumb that fills the track).
// The position used is nPos, not the track position.
bool SkinLayoutScrollThumb(const SkinRect& rc, bool bVertical, bool bControl, const SkinScrollArrows& arrows,
                           const SkinScrollMetrics& metrics, const SkinScrollInfo& info, SkinRect* prcThumb);
