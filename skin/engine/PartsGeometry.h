// Window-free arithmetic of the scroll bar, trackbar, header and toolbar
// skins: the turned channel of a vertical trackbar, the polylines of the
// pointed trackbar thumb, item hit testing of headers and toolbars, and the
// frame colours of a tool button. This header needs no window system.
#pragma once

#include "skin/engine/FrameGeometry.h"

// PtInRect's rule: left and top inside, right and bottom outside.
bool SkinPtInRect(const SkinRect& rc, int x, int y);

// Trackbar style bits the geometry reads.
enum {
    SKIN_TBS_VERT = 0x2,
    SKIN_TBS_LEFT = 0x4,  // also TBS_TOP for horizontal trackbars
    SKIN_TBS_BOTH = 0x8,
    SKIN_TBS_NOTHUMB = 0x80,
};

// A vertical trackbar reports its channel as if it were horizontal: turn it
// and centre it on the thumb, one pixel towards the ticks-free side.
SkinRect SkinTurnVerticalChannel(const SkinRect& rcReported, const SkinRect& rcThumb, unsigned dwStyle);

// The sideways shift of the turned channel: +1 with TBS_LEFT, 0 with TBS_BOTH
// (and no TBS_LEFT), -1 otherwise.
int SkinChannelShift(unsigned dwStyle);

// One polyline of the thumb outline, drawn with GDI lines (end point not
// painted). bMove: begins with a move to pt[0]; otherwise the first segment
// runs from where the previous polyline ended to pt[0].
struct SkinPolyline {
    int nPen;  // SkinThumbPen
    bool bMove;
    int nPoints;
    struct {
        int x;
        int y;
    } pt[4];
};

enum SkinThumbPen { SKIN_PEN_HIGHLIGHT, SKIN_PEN_SHADOW, SKIN_PEN_FACE };

// The four polylines of a pointed thumb (any style without TBS_BOTH).
void SkinThumbPolylines(const SkinRect& rc, unsigned dwStyle, SkinPolyline aLines[4]);

// The header item under (x, y) in client coordinates, from the item widths in
// index order (each item spans the whole client height); -1 = none.
// width(i) gives the width of item i; it is asked in index order and only
// until the item is found.
template <class WidthOf>
int SkinHeaderHitTestBy(WidthOf width, int nCount, int nClientHeight, int x, int y) {
    if (y < 0 || y >= nClientHeight) return -1;
    // The spans are summed in 64 bits: absurd widths must not wrap around.
    long long nLeft = 0;
    for (int i = 0; i < nCount; ++i) {
        const long long nRight = nLeft + width(i);
        if (x >= nLeft && x < nRight) return i;
        nLeft = nRight;
    }
    return -1;
}
int SkinHeaderHitTest(const int* pnWidths, int nCount, int nClientHeight, int x, int y);

// The empty area of a header right of its items: the client rectangle with
// its left at nLastRight, the right edge of the last item rectangle drawn (0
// with no items). False when nothing of the client is left there (items
// reaching to or past its right edge); a frame on such a rectangle would be
// drawn mirrored over the items.
bool SkinHeaderEmptyArea(const SkinRect& rcClient, int nLastRight, SkinRect* prcEmpty);

// The first non-separator button whose rectangle holds (x, y); -1 = none.
// button(i, &rc) answers false for a separator, else true with its rectangle.
template <class ButtonOf>
int SkinToolBarHitTestBy(ButtonOf button, int nCount, int x, int y) {
    for (int i = 0; i < nCount; ++i) {
        SkinRect rc = {0, 0, 0, 0};
        if (!button(i, &rc)) continue;
        if (SkinPtInRect(rc, x, y)) return i;
    }
    return -1;
}
int SkinToolBarHitTest(const SkinRect* prcButtons, const bool* pbSeparator, int nCount, int x, int y);

// DrawToolButton flags.
enum { SKIN_TOOL_HOT = 1, SKIN_TOOL_CHECKED = 2 };

// The four SkinDrawDoubleFrame colour indices of a tool button (outer
// top-left, outer bottom-right, inner top-left, inner bottom-right).
void SkinToolButtonColors(int nFlags, int anColors[4]);
