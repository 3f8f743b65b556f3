#include "skin/engine/FrameGeometry.h"

#include <climits>

namespace {

int Saturate(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

SkinRect SkinFillExtent(int x, int y, int cx, int cy) {
    long long x2 = static_cast<long long>(x) + cx;
    long long y2 = static_cast<long long>(y) + cy;
    SkinRect r;
    r.left = cx < 0 ? Saturate(x2) : x;
    r.right = cx < 0 ? x : Saturate(x2);
    r.top = cy < 0 ? Saturate(y2) : y;
    r.bottom = cy < 0 ? y : Saturate(y2);
    return r;
}

Skin3dRectLines SkinLayout3dRect(int x, int y, int cx, int cy) {
    // Extents are formed in 64 bits so extreme sizes cannot overflow.
    int xr = Saturate(static_cast<long long>(x) + cx - 1);
    int yb = Saturate(static_cast<long long>(y) + cy - 1);
    Skin3dRectLines l;
    l.top = {x, y, Saturate(static_cast<long long>(cx) - 1), 1};
    l.left = {x, y, 1, Saturate(static_cast<long long>(cy) - 1)};
    l.right = {xr, y, 1, cy};
    l.bottom = {x, yb, cx, 1};
    return l;
}

SkinFrameColors SkinFlatEdgeColors() {
    return {SKIN_COLOR_3DDKSHADOW, SKIN_COLOR_3DDKSHADOW, SKIN_COLOR_BTNHIGHLIGHT, SKIN_COLOR_BTNHIGHLIGHT};
}

SkinFrameColors SkinFlatButtonColors(bool bRaised) {
    return {bRaised ? SKIN_COLOR_BTNHIGHLIGHT : SKIN_COLOR_BTNSHADOW, SKIN_COLOR_BTNSHADOW, SKIN_COLOR_BTNFACE,
            SKIN_COLOR_BTNFACE};
}

SkinWindowBars SkinLayoutWindowScrollBars(const SkinRect& rc, int nEdge, int nScroll, bool bHasHorz, bool bHasVert) {
    const long long e = nEdge;
    const long long s = nScroll;
    SkinWindowBars bars = {};
    bars.bHorz = bHasHorz;
    bars.bVert = bHasVert;
    if (bHasHorz) {
        // With a vertical bar too, the horizontal one stops short of the corner.
        long long right = bHasVert ? rc.right - s - e : rc.right - e;
        bars.rcHorz = {Saturate(rc.left + e), Saturate(rc.bottom - s - e), Saturate(right), Saturate(rc.bottom - e)};
    }
    if (bHasVert) {
        long long bottom = bHasHorz ? rc.bottom - s - e : rc.bottom - e;
        bars.rcVert = {Saturate(rc.right - s - e), Saturate(rc.top + e), Saturate(rc.right - e), Saturate(bottom)};
    }
    return bars;
}
