#include "skin/engine/FieldGeometry.h"

SkinRect SkinSpinJoinedRect(const SkinRect& rc, unsigned long dwStyle) {
    SkinRect r = rc;
    if (dwStyle & SKIN_UDS_ALIGNLEFT)
        r.left += 2;
    else
        r.right -= 2;
    r.top += 2;
    r.bottom -= 2;
    return r;
}

SkinSpinHalves SkinSplitSpin(const SkinRect& rc, bool bHorizontal) {
    SkinSpinHalves h;
    h.rcFirst = rc;
    h.rcSecond = rc;
    if (bHorizontal) {
        const int w = rc.right - rc.left;
        h.rcFirst.right = rc.left + w / 2;
        h.rcSecond.left = rc.left + w / 2 + w % 2;
    } else {
        const int n = rc.bottom - rc.top;
        h.rcFirst.bottom = rc.top + n / 2;
        h.rcSecond.top = rc.top + n / 2 + n % 2;
    }
    return h;
}

SkinSpinJoint SkinSpinJointLines(const SkinRect& r, unsigned long dwStyle) {
    SkinSpinJoint j;
    const int nCols = r.right - r.left;  // columns L .. R - 1
    j.lines[0] = {r.left, r.top - 1, nCols, 1, SKIN_COLOR_BTNHIGHLIGHT};
    j.lines[1] = {r.left, r.bottom, nCols, 1, SKIN_COLOR_BTNFACE};
    const int nRows = r.bottom - r.top + 2;  // rows T - 1 .. B
    if (dwStyle & SKIN_UDS_ALIGNLEFT)
        j.lines[2] = {r.left - 1, r.top - 1, 1, nRows, SKIN_COLOR_BTNHIGHLIGHT};
    else
        j.lines[2] = {r.right, r.top - 1, 1, nRows, SKIN_COLOR_BTNFACE};
    return j;
}

SkinRect SkinEditFrameAcrossSpin(const SkinRect& rc, unsigned long dwSpinStyle, int nSpinWidth, int nEdge) {
    SkinRect r = rc;
    if (dwSpinStyle & SKIN_UDS_ALIGNRIGHT)
        r.right += nSpinWidth - nEdge;
    else if (dwSpinStyle & SKIN_UDS_ALIGNLEFT)
        r.left -= nSpinWidth - nEdge;
    return r;
}

SkinEditSpinLines SkinEditJointLines(unsigned long dwSpinStyle, int nSpinWidth, int nSpinHeight, int nEdge,
                                     bool bEditEnabled) {
    const int nColor = bEditEnabled ? SKIN_COLOR_BTNHIGHLIGHT : SKIN_COLOR_BTNFACE;
    SkinEditSpinLines l;
    l.top = {1, 1, nSpinWidth - nEdge - 1, 1, nColor};
    if (dwSpinStyle & SKIN_UDS_ALIGNLEFT)
        l.left = {1, 1, 1, nSpinHeight - nEdge - 1, nColor};
    else
        l.left = {1, 1, 0, 0, nColor};
    return l;
}

SkinRect SkinComboDropButton(const SkinRect& rc, int nArrowWidth) {
    SkinRect b = {rc.left + 2, rc.top + 2, rc.right - 2, rc.bottom - 2};
    b.left = b.right - nArrowWidth;
    return b;
}
