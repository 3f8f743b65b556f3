// The thumb frame of one scroll bar at the edges of its arithmetic, for a
// window's own bar and for a scroll bar control side by side: no page (the
// system's thumb width), a page that covers the range, bars shorter than two
// arrows, and the minimum thumb.
#include "skin/engine/ScrollBarGeometry.h"

#include <gtest/gtest.h>

#include <ostream>

static std::ostream& operator<<(std::ostream& os, const SkinRect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

namespace {

// Arrows of 16, the system's thumb 16, minimum thumb 8.
const SkinScrollMetrics kMetrics = {16, 16, false};
const SkinRect kNone = {0, 0, 0, 0};

}  // namespace

TEST(ScrollBarEdges, OwnBarAndControlAtTheEdges) {
    const SkinRect tall = {0, 0, 16, 132};   // arrows 16, track 100
    const SkinRect low = {0, 0, 16, 40};     // arrows 16, track 8: shorter than the system's thumb
    const SkinRect shortV = {0, 0, 16, 31};  // arrows 15, track 1
    const SkinRect shortH = {0, 0, 25, 16};  // arrows 12, track 1
    struct Case {
        const char* label;
        SkinRect rc;
        bool bVertical;
        SkinScrollInfo si;
        SkinRect own;      // kNone: no thumb frame on a window's own bar
        SkinRect control;  // kNone: none on a control either
    } cases[] = {
        // nPage 0 takes the system's thumb (16), which does not fit a track of 8:
        // the own bar shows none, the control's thumb is the track; the offset
        // then scales by track - thumb = 0.
        {"no page, thumb longer than the track", low, true, {0, 9, 0, 5}, kNone, {0, 16, 16, 24}},
        {"no page, one-pixel track", shortV, true, {0, 99, 0, 50}, kNone, {0, 15, 16, 16}},
        // nPage 0 over a range of one value: offset MulDiv(0, 84, 1) = 0.
        {"no page, range of one value", tall, true, {5, 5, 0, 5}, {0, 16, 16, 32}, {0, 16, 16, 32}},
        // The page covers the range (range nMax - nMin + 1 = nPage): the
        // control's thumb is the track minus one pixel at offset 0, whatever
        // the position.
        {"page covers the range, nMin 10, position in the middle",
         tall,
         true,
         {10, 109, 100, 50},
         kNone,
         {0, 16, 16, 115}},
        {"page larger than the range", tall, true, {0, 99, 150, 40}, kNone, {0, 16, 16, 116}},
        // A horizontal bar shorter than two arrows, page covering the range:
        // a track of 1 less one pixel leaves an empty thumb at the track.
        {"short horizontal bar, page covers the range", shortH, false, {0, 99, 100, 0}, kNone, {12, 0, 12, 16}},
        // A page one less than the range: thumb MulDiv(99, 100, 100) = 99 and
        // offset MulDiv(1, 1, 1) = 1.
        {"page one less than the range", tall, true, {0, 99, 99, 1}, {0, 17, 16, 116}, {0, 17, 16, 116}},
        // MulDiv(90, 100, 1000) = 9, above the minimum of 8: kept.
        {"one above the minimum thumb", tall, true, {0, 999, 90, 0}, {0, 16, 16, 25}, {0, 16, 16, 25}},
        // MulDiv(80, 100, 1000) = 8, equal to the minimum: 8.
        {"exactly the minimum thumb", tall, true, {0, 999, 80, 0}, {0, 16, 16, 24}, {0, 16, 16, 24}},
    };
    for (const Case& c : cases) {
        const SkinScrollArrows a = SkinLayoutScrollArrows(c.rc, c.bVertical, kMetrics.nArrowMetric);
        for (bool bControl : {false, true}) {
            const SkinRect& expected = bControl ? c.control : c.own;
            const bool bExpected = !(expected == kNone);
            SkinRect thumb = {-1, -1, -1, -1};
            const bool b = SkinLayoutScrollThumb(c.rc, c.bVertical, bControl, a, kMetrics, c.si, &thumb);
            EXPECT_EQ(b, bExpected) << c.label << (bControl ? " (control)" : " (own bar)");
            if (b && bExpected) {
                EXPECT_EQ(thumb, expected) << c.label << (bControl ? " (control)" : " (own bar)");
            }
            if (!b) {
                EXPECT_EQ(thumb, (SkinRect{-1, -1, -1, -1})) << c.label << ": nothing written without a thumb";
            }
        }
    }
}
