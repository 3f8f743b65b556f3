#include "skin/engine/ScrollBarGeometry.h"

#include <climits>

namespace {

int Saturate(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

}  // namespace

SkinScrollArrows SkinLayoutScrollArrows(const SkinRect& rc, bool bVertical, int nArrowMetric) {
    SkinScrollArrows a;
    a.nLength =
        Saturate(bVertical ? static_cast<long long>(rc.bottom) - rc.top : static_cast<long long>(rc.right) - rc.left);
    a.nArrow = nArrowMetric;
    if (static_cast<long long>(a.nLength) < 2LL * a.nArrow) a.nArrow = a.nLength / 2;
    a.rcFirst = rc;
    a.rcSecond = rc;
    if (bVertical) {
        a.rcFirst.bottom = Saturate(static_cast<long long>(rc.top) + a.nArrow);
        a.rcSecond.top = Saturate(static_cast<long long>(rc.bottom) - a.nArrow);
    } else {
        a.rcFirst.right = Saturate(static_cast<long long>(rc.left) + a.nArrow);
        a.rcSecond.left = Saturate(static_cast<long long>(rc.right) - a.nArrow);
    }
    return a;
}

bool SkinLayoutScrollThumb(const SkinRect& rc, bool bVertical, bool bControl, const SkinScrollArrows& arrows,
                           const SkinScrollMetrics& metrics, const SkinScrollInfo& info, SkinRect* prcThumb) {
    const int nMinThumb = metrics.bWin95Family ? metrics.nArrowMetric / 2 : 8;

    // Differences of the scroll values are formed in 64 bits and held at the
    // 32-bit limits, so extreme ranges cannot overflow.
    const long long llRange = static_cast<long long>(info.nMax) - info.nMin + 1;
    if (llRange == 0) return false;
    const int nRange = Saturate(llRange);

    const int nTrack = Saturate(static_cast<long long>(arrows.nLength) - 2LL * arrows.nArrow);

    int nThumb;
    if (info.nPage == 0) {
        nThumb = metrics.nThumbMetric;
    } else {
        nThumb = SkinMulDiv(Saturate(info.nPage), nTrack, nRange);
        if (nThumb <= nMinThumb) nThumb = nMinThumb;
    }

    if (nThumb >= nTrack) {
        if (!bControl) return false;
        nThumb = nTrack;
    }

    int nOffset;
    if (llRange == static_cast<long long>(info.nPage)) {
        nOffset = 0;
        nThumb = nThumb - 1;
    } else {
        nOffset = SkinMulDiv(Saturate(static_cast<long long>(info.nPos) - info.nMin),
                             Saturate(static_cast<long long>(nTrack) - nThumb),
                             Saturate(llRange - static_cast<long long>(info.nPage)));
    }

    SkinRect t = rc;
    if (bVertical) {
        long long top = static_cast<long long>(rc.top) + arrows.nArrow + nOffset;
        t.top = Saturate(top);
        t.bottom = Saturate(top + nThumb);
    } else {
        long long left = static_cast<long long>(rc.left) + arrows.nArrow + nOffset;
        t.left = Saturate(left);
        t.right = Saturate(left + nThumb);
    }
    *prcThumb = t;
    return true;
}
