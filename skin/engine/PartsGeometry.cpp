#include "skin/engine/PartsGeometry.h"

#include <cstddef>

bool SkinPtInRect(const SkinRect& rc, int x, int y) {
    return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom;
}

int SkinChannelShift(unsigned dwStyle) {
    if (dwStyle & SKIN_TBS_LEFT) return 1;
    if (dwStyle & SKIN_TBS_BOTH) return 0;
    return -1;
}

SkinRect SkinTurnVerticalChannel(const SkinRect& rcReported, const SkinRect& rcThumb, unsigned dwStyle) {
    const int ext = rcReported.bottom - rcReported.top;
    SkinRect rc;
    rc.top = rcReported.left;
    rc.bottom = rcReported.right;
    // C++ integer division truncates toward zero, as the channel wants.
    rc.left = rcThumb.left + (rcThumb.right - rcThumb.left) / 2 - ext / 2 + SkinChannelShift(dwStyle);
    rc.right = rc.left + ext;
    return rc;
}

namespace {

void Set(SkinPolyline& line, int nPen, bool bMove, int nPoints, const int* xy) {
    line.nPen = nPen;
    line.bMove = bMove;
    line.nPoints = nPoints;
    for (std::ptrdiff_t i = 0; i < 4; ++i) {
        line.pt[i].x = i < nPoints ? xy[2 * i] : 0;
        line.pt[i].y = i < nPoints ? xy[2 * i + 1] : 0;
    }
}

}  // namespace

void SkinThumbPolylines(const SkinRect& rc, unsigned dwStyle, SkinPolyline aLines[4]) {
    const int L = rc.left, T = rc.top, R = rc.right, B = rc.bottom;
    const bool bVert = (dwStyle & SKIN_TBS_VERT) != 0;
    const bool bLeft = (dwStyle & SKIN_TBS_LEFT) != 0;
    const int a = bVert ? (B - T) / 2 : (R - L) / 2;
    if (bVert && bLeft) {
        const int h[] = {R - 2, T, L + a, T, L, T + a};
        const int s[] = {L + a, B - 1, R - 1, B - 1, R - 1, T - 1};
        const int f1[] = {R - 3, T + 1, L + a, T + 1, L + 1, T + a};
        const int f2[] = {L + a, B - 2, R - 2, B - 2, R - 2, T};
        Set(aLines[0], SKIN_PEN_HIGHLIGHT, true, 3, h);
        Set(aLines[1], SKIN_PEN_SHADOW, false, 3, s);
        Set(aLines[2], SKIN_PEN_FACE, true, 3, f1);
        Set(aLines[3], SKIN_PEN_FACE, false, 3, f2);
    } else if (bVert) {
        const int h[] = {L, B - 2, L, T, R - a - 1, T, R - 1, T + a};
        const int s[] = {L, B - 1, R - a - 1, B - 1, R, T + a - 1};
        const int f1[] = {L + 1, B - 3, L + 1, T + 1, R - a - 1, T + 1, R - 2, T + a};
        const int f2[] = {L + 1, B - 2, R - a - 1, B - 2, R - 1, T + a - 1};
        Set(aLines[0], SKIN_PEN_HIGHLIGHT, true, 4, h);
        Set(aLines[1], SKIN_PEN_SHADOW, true, 3, s);
        Set(aLines[2], SKIN_PEN_FACE, true, 4, f1);
        Set(aLines[3], SKIN_PEN_FACE, true, 3, f2);
    } else if (bLeft) {
        const int h[] = {L + a - 1, T + 1, L, T + a, L, B - 1};
        const int s[] = {R - 1, B - 1, R - 1, T + a, L + a - 1, T - 1};
        const int f1[] = {L + a - 1, T + 2, L + 1, T + a, L + 1, B - 2};
        const int f2[] = {R - 2, B - 2, R - 2, T + a, L + a - 1, T};
        Set(aLines[0], SKIN_PEN_HIGHLIGHT, true, 3, h);
        Set(aLines[1], SKIN_PEN_SHADOW, false, 3, s);
        Set(aLines[2], SKIN_PEN_FACE, true, 3, f1);
        Set(aLines[3], SKIN_PEN_FACE, false, 3, f2);
    } else {
        const int h[] = {L + a - 1, B - 2, L, B - a - 1, L, T, R - 1, T};
        const int s[] = {R - 1, B - a - 1, L + a - 1, B};
        const int f1[] = {L + a - 1, B - 3, L + 1, B - a - 1, L + 1, T + 1, R - 2, T + 1};
        const int f2[] = {R - 2, B - a - 1, L + a - 1, B - 1};
        Set(aLines[0], SKIN_PEN_HIGHLIGHT, true, 4, h);
        Set(aLines[1], SKIN_PEN_SHADOW, false, 2, s);
        Set(aLines[2], SKIN_PEN_FACE, true, 4, f1);
        Set(aLines[3], SKIN_PEN_FACE, false, 2, f2);
    }
}

int SkinHeaderHitTest(const int* pnWidths, int nCount, int nClientHeight, int x, int y) {
    return SkinHeaderHitTestBy([pnWidths](int i) { return pnWidths[i]; }, nCount, nClientHeight, x, y);
}

bool SkinHeaderEmptyArea(const SkinRect& rcClient, int nLastRight, SkinRect* prcEmpty) {
    *prcEmpty = rcClient;
    prcEmpty->left = nLastRight;
    return prcEmpty->left < prcEmpty->right && prcEmpty->top < prcEmpty->bottom;
}

int SkinToolBarHitTest(const SkinRect* prcButtons, const bool* pbSeparator, int nCount, int x, int y) {
    return SkinToolBarHitTestBy(
        [=](int i, SkinRect* prc) {
            *prc = prcButtons[i];
            return !pbSeparator[i];
        },
        nCount, x, y);
}

void SkinToolButtonColors(int nFlags, int anColors[4]) {
    const bool bChecked = (nFlags & SKIN_TOOL_CHECKED) != 0;
    const bool bHot = (nFlags & SKIN_TOOL_HOT) != 0;
    if (bChecked && bHot) {
        anColors[0] = SKIN_COLOR_3DDKSHADOW, anColors[1] = SKIN_COLOR_BTNHIGHLIGHT;
        anColors[2] = SKIN_COLOR_BTNSHADOW, anColors[3] = SKIN_COLOR_BTNSHADOW;
    } else if (bChecked) {
        anColors[0] = SKIN_COLOR_BTNSHADOW, anColors[1] = SKIN_COLOR_BTNHIGHLIGHT;
        anColors[2] = SKIN_COLOR_BTNFACE, anColors[3] = SKIN_COLOR_BTNFACE;
    } else if (bHot) {
        anColors[0] = SKIN_COLOR_BTNHIGHLIGHT, anColors[1] = SKIN_COLOR_3DDKSHADOW;
        anColors[2] = SKIN_COLOR_3DLIGHT, anColors[3] = SKIN_COLOR_BTNSHADOW;
    } else {
        anColors[0] = SKIN_COLOR_BTNHIGHLIGHT, anColors[1] = SKIN_COLOR_BTNSHADOW;
        anColors[2] = SKIN_COLOR_BTNFACE, anColors[3] = SKIN_COLOR_BTNFACE;
    }
}
