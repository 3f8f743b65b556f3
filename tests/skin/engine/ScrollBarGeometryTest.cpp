#include "skin/engine/ScrollBarGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

static std::ostream& operator<<(std::ostream& os, const SkinRect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

TEST(ScrollBarGeometry, MulDivRoundsToNearestAndReportsFailures) {
    struct Case {
        int a, b, c, expected;
    } cases[] = {
        {10, 10, 3, 33},  // 33.3
        {10, 10, 6, 17},  // 16.7
        {5, 1, 2, 3},     // 2.5 rounds away from zero
        {-5, 1, 2, -3},   // -2.5
        {5, -1, 2, -3},
        {5, 1, -2, -3},
        {-5, -1, -2, -3},
        {7, 0, 5, 0},
        {INT_MAX, INT_MAX, INT_MAX, INT_MAX},  // the product needs 64 bits
        {INT_MAX, 2, 1, -1},                   // result beyond 32 bits
        {1, 1, 0, -1},                         // no divisor
        {INT_MIN, 1, -1, -1},                  // 2^31 does not fit
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkinMulDiv(c.a, c.b, c.c), c.expected) << c.a << " * " << c.b << " / " << c.c;
    }
}

TEST(ScrollBarGeometry, ArrowsOfNormalAndShortBars) {
    struct Case {
        const char* label;
        SkinRect rc;
        bool bVertical;
        int nArrowMetric;
        SkinRect first, second;
        int nArrow, nLength;
    } cases[] = {
        {"vertical", {0, 0, 16, 100}, true, 16, {0, 0, 16, 16}, {0, 84, 16, 100}, 16, 100},
        {"horizontal", {5, 7, 105, 23}, false, 16, {5, 7, 21, 23}, {89, 7, 105, 23}, 16, 100},
        {"exactly two arrows long", {0, 0, 16, 32}, true, 16, {0, 0, 16, 16}, {0, 16, 16, 32}, 16, 32},
        {"short bar: halves", {0, 0, 16, 31}, true, 16, {0, 0, 16, 15}, {0, 16, 16, 31}, 15, 31},
        {"short horizontal bar", {0, 0, 9, 16}, false, 16, {0, 0, 4, 16}, {5, 0, 9, 16}, 4, 9},
        {"one pixel bar", {0, 0, 16, 1}, true, 16, {0, 0, 16, 0}, {0, 1, 16, 1}, 0, 1},
    };
    for (const Case& c : cases) {
        SkinScrollArrows a = SkinLayoutScrollArrows(c.rc, c.bVertical, c.nArrowMetric);
        EXPECT_EQ(a.rcFirst, c.first) << c.label;
        EXPECT_EQ(a.rcSecond, c.second) << c.label;
        EXPECT_EQ(a.nArrow, c.nArrow) << c.label;
        EXPECT_EQ(a.nLength, c.nLength) << c.label;
    }
}

namespace {

const SkinScrollMetrics kNt = {16, 16, false};     // minimum thumb 8
const SkinScrollMetrics kW95 = {16, 12, true};     // minimum thumb 8 (16 / 2)
const SkinScrollMetrics kW95Big = {24, 12, true};  // minimum thumb 12

}  // namespace

TEST(ScrollBarGeometry, ThumbRectangles) {
    // A vertical bar of 132 pixels: arrows of 16, a track of 100.
    const SkinRect v = {0, 0, 16, 132};
    // A horizontal bar of 232 pixels at x = 10: a track of 200.
    const SkinRect h = {10, 0, 242, 16};
    struct Case {
        const char* label;
        SkinRect rc;
        bool bVertical, bControl;
        SkinScrollMetrics m;
        SkinScrollInfo si;
        bool bThumb;
        SkinRect thumb;
    } cases[] = {
        // range 100, page 10: thumb 10; offset = MulDiv(pos, 90, 90).
        {"at the start", v, true, true, kNt, {0, 99, 10, 0}, true, {0, 16, 16, 26}},
        {"in the middle", v, true, true, kNt, {0, 99, 10, 45}, true, {0, 61, 16, 71}},
        {"at the end", v, true, true, kNt, {0, 99, 10, 90}, true, {0, 106, 16, 116}},
        {"offset by nMin", v, true, false, kNt, {50, 149, 10, 95}, true, {0, 61, 16, 71}},
        // range 1000, page 10: MulDiv gives 1, raised to the minimum.
        {"small page: minimum 8", v, true, true, kNt, {0, 999, 10, 0}, true, {0, 16, 16, 24}},
        {"small page, 95 family: arrow/2", v, true, true, kW95Big, {0, 999, 10, 0}, true, {0, 24, 16, 36}},
        // nPage 0: the system's thumb width, whatever the range.
        {"no page: system thumb", v, true, true, kNt, {0, 9, 0, 0}, true, {0, 16, 16, 32}},
        // range 10: offset = MulDiv(9, 100 - 12, 10) = 79.
        {"no page, 95 family metric", v, true, true, kW95, {0, 9, 0, 9}, true, {0, 95, 16, 107}},
        {"horizontal", h, false, true, kNt, {0, 199, 50, 150}, true, {176, 0, 226, 16}},
        // The page covers the whole range.
        {"own bar, page covers range: none", v, true, false, kNt, {0, 99, 100, 0}, false, {}},
        {"control, page covers range: track minus one", v, true, true, kNt, {0, 99, 100, 0}, true, {0, 16, 16, 115}},
        {"control, page larger than range", v, true, true, kNt, {0, 99, 150, 0}, true, {0, 16, 16, 116}},
        {"empty range: none", v, true, true, kNt, {5, 4, 10, 0}, false, {}},
        // The position, not the track position, places the thumb; a
        // position outside the range is taken as it is.
        {"position beyond the range", v, true, true, kNt, {0, 99, 10, 180}, true, {0, 196, 16, 206}},
    };
    for (const Case& c : cases) {
        SkinScrollArrows a = SkinLayoutScrollArrows(c.rc, c.bVertical, c.m.nArrowMetric);
        SkinRect thumb = {-1, -1, -1, -1};
        bool b = SkinLayoutScrollThumb(c.rc, c.bVertical, c.bControl, a, c.m, c.si, &thumb);
        EXPECT_EQ(b, c.bThumb) << c.label;
        if (c.bThumb && b) {
            EXPECT_EQ(thumb, c.thumb) << c.label;
        }
    }
}

TEST(ScrollBarGeometry, ShortBarHasAtMostAOnePixelTrack) {
    const SkinRect rc = {0, 0, 16, 31};  // arrows of 15, a track of 1
    SkinScrollArrows a = SkinLayoutScrollArrows(rc, true, 16);
    SkinRect thumb = {};
    // A window's own bar shows no thumb frame.
    EXPECT_FALSE(SkinLayoutScrollThumb(rc, true, false, a, kNt, {0, 99, 10, 50}, &thumb));
    // A control's thumb is the one-pixel track.
    ASSERT_TRUE(SkinLayoutScrollThumb(rc, true, true, a, kNt, {0, 99, 10, 50}, &thumb));
    EXPECT_EQ(thumb, (SkinRect{0, 15, 16, 16}));
}

TEST(ScrollBarGeometry, ExtremeRangesDoNotOverflow) {
    // nMax - nMin + 1 is beyond 32 bits; the arithmetic stays defined and the
    // thumb stays on the track.
    const SkinRect rc = {0, 0, 16, 132};
    SkinScrollArrows a = SkinLayoutScrollArrows(rc, true, 16);
    SkinRect thumb = {};
    ASSERT_TRUE(SkinLayoutScrollThumb(rc, true, true, a, kNt, {INT_MIN, INT_MAX, 0, INT_MIN}, &thumb));
    EXPECT_EQ(thumb, (SkinRect{0, 16, 16, 32}));
    ASSERT_TRUE(SkinLayoutScrollThumb(rc, true, true, a, kNt, {INT_MIN, INT_MAX, 0x7FFFFFFF, INT_MAX}, &thumb));
    EXPECT_GE(thumb.top, 16);
    EXPECT_LE(thumb.bottom, 116);
}
