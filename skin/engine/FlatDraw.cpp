#include "skin/engine/FlatDraw.h"

#include "skin/engine/FrameGeometry.h"

void SkinFillRect(HDC hDC, int x, int y, int cx, int cy, COLORREF clr) {
    SetBkColor(hDC, clr);
    // The rectangle is put in order here rather than trusting the text
    // output to do it.
    SkinRect r = SkinFillExtent(x, y, cx, cy);
    RECT rc = {r.left, r.top, r.right, r.bottom};
    ExtTextOutA(hDC, 0, 0, ETO_OPAQUE, &rc, "", 0, nullptr);
}

void SkinDraw3dRect(HDC hDC, int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    Skin3dRectLines l = SkinLayout3dRect(x, y, cx, cy);
    SkinFillRect(hDC, l.top.x, l.top.y, l.top.cx, l.top.cy, clrTopLeft);
    SkinFillRect(hDC, l.left.x, l.left.y, l.left.cx, l.left.cy, clrTopLeft);
    SkinFillRect(hDC, l.right.x, l.right.y, l.right.cx, l.right.cy, clrBottomRight);
    SkinFillRect(hDC, l.bottom.x, l.bottom.y, l.bottom.cx, l.bottom.cy, clrBottomRight);
}

void SkinDrawDoubleFrame(HDC hDC, const RECT* rc, int nOuterTopLeft, int nOuterBottomRight, int nInnerTopLeft,
                         int nInnerBottomRight) {
    const int cx = rc->right - rc->left;
    const int cy = rc->bottom - rc->top;
    SkinDraw3dRect(hDC, rc->left, rc->top, cx, cy, GetSysColor(nOuterTopLeft), GetSysColor(nOuterBottomRight));
    SkinDraw3dRect(hDC, rc->left + 1, rc->top + 1, cx - 2, cy - 2, GetSysColor(nInnerTopLeft),
                   GetSysColor(nInnerBottomRight));
}

namespace {

void DrawFrame(HDC hDC, const RECT* rc, const SkinFrameColors& c) {
    SkinDrawDoubleFrame(hDC, rc, c.nOuterTopLeft, c.nOuterBottomRight, c.nInnerTopLeft, c.nInnerBottomRight);
}

}  // namespace

void SkinDrawFlatEdge(HDC hDC, const RECT* rc) { DrawFrame(hDC, rc, SkinFlatEdgeColors()); }

void SkinDrawFlatButton(HDC hDC, const RECT* rc, BOOL bRaised) {
    DrawFrame(hDC, rc, SkinFlatButtonColors(bRaised != FALSE));
}
