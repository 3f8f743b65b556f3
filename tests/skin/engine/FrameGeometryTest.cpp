#include "skin/engine/FrameGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <ostream>

static std::ostream& operator<<(std::ostream& os, const SkinRect& r) {
    return os << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
}

TEST(FrameGeometry, FillExtentOrdersReversedRectangles) {
    struct Case {
        const char* label;
        int x, y, cx, cy;
        SkinRect expected;
    } cases[] = {
        {"ordered", 3, 4, 5, 6, {3, 4, 8, 10}},
        {"negative width", 10, 4, -3, 2, {7, 4, 10, 6}},
        {"negative height", 2, 9, 4, -5, {2, 4, 6, 9}},
        {"both negative", 5, 5, -5, -5, {0, 0, 5, 5}},
        {"empty", 1, 1, 0, 0, {1, 1, 1, 1}},
        {"right edge held at the 32-bit limit", INT_MAX - 1, 0, 10, 1, {INT_MAX - 1, 0, INT_MAX, 1}},
        {"left edge held at the 32-bit limit", INT_MIN + 1, 0, -10, 1, {INT_MIN, 0, INT_MIN + 1, 1}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkinFillExtent(c.x, c.y, c.cx, c.cy), c.expected) << c.label;
    }
}

TEST(FrameGeometry, ThreeDRectLinesLeaveTheOffCornersToTheBottomRightColour) {
    // A 4x3 rectangle at (10, 20): top row 3 pixels, left column 2 pixels,
    // right column 3 pixels, bottom row 4 pixels.
    Skin3dRectLines l = SkinLayout3dRect(10, 20, 4, 3);
    EXPECT_EQ(SkinFillExtent(l.top.x, l.top.y, l.top.cx, l.top.cy), (SkinRect{10, 20, 13, 21}));
    EXPECT_EQ(SkinFillExtent(l.left.x, l.left.y, l.left.cx, l.left.cy), (SkinRect{10, 20, 11, 22}));
    EXPECT_EQ(SkinFillExtent(l.right.x, l.right.y, l.right.cx, l.right.cy), (SkinRect{13, 20, 14, 23}));
    EXPECT_EQ(SkinFillExtent(l.bottom.x, l.bottom.y, l.bottom.cx, l.bottom.cy), (SkinRect{10, 22, 14, 23}));
}

TEST(FrameGeometry, OnePixelThreeDRectIsOnlyTheBottomRightColour) {
    Skin3dRectLines l = SkinLayout3dRect(7, 8, 1, 1);
    // The top-left fills are empty; the bottom-right ones cover the pixel.
    EXPECT_EQ(l.top.cx, 0);
    EXPECT_EQ(l.left.cy, 0);
    EXPECT_EQ(SkinFillExtent(l.right.x, l.right.y, l.right.cx, l.right.cy), (SkinRect{7, 8, 8, 9}));
    EXPECT_EQ(SkinFillExtent(l.bottom.x, l.bottom.y, l.bottom.cx, l.bottom.cy), (SkinRect{7, 8, 8, 9}));
}

TEST(FrameGeometry, FrameColourIndices) {
    struct Case {
        const char* label;
        SkinFrameColors got;
        SkinFrameColors expected;
    } cases[] = {
        {"flat edge", SkinFlatEdgeColors(), {21, 21, 20, 20}},
        {"flat button", SkinFlatButtonColors(false), {16, 16, 15, 15}},
        {"raised flat button", SkinFlatButtonColors(true), {20, 16, 15, 15}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.got.nOuterTopLeft, c.expected.nOuterTopLeft) << c.label;
        EXPECT_EQ(c.got.nOuterBottomRight, c.expected.nOuterBottomRight) << c.label;
        EXPECT_EQ(c.got.nInnerTopLeft, c.expected.nInnerTopLeft) << c.label;
        EXPECT_EQ(c.got.nInnerBottomRight, c.expected.nInnerBottomRight) << c.label;
    }
}

TEST(FrameGeometry, WindowScrollBarRectangles) {
    const SkinRect rc = {0, 0, 100, 80};
    const int e = 2, s = 16;
    struct Case {
        const char* label;
        bool bHorz, bVert;
        SkinRect horz, vert;
    } cases[] = {
        {"both: the corner square belongs to neither", true, true, {2, 62, 82, 78}, {82, 2, 98, 62}},
        {"horizontal only", true, false, {2, 62, 98, 78}, {}},
        {"vertical only", false, true, {}, {82, 2, 98, 78}},
        {"none", false, false, {}, {}},
    };
    for (const Case& c : cases) {
        SkinWindowBars b = SkinLayoutWindowScrollBars(rc, e, s, c.bHorz, c.bVert);
        EXPECT_EQ(b.bHorz, c.bHorz) << c.label;
        EXPECT_EQ(b.bVert, c.bVert) << c.label;
        if (c.bHorz) {
            EXPECT_EQ(b.rcHorz, c.horz) << c.label;
        }
        if (c.bVert) {
            EXPECT_EQ(b.rcVert, c.vert) << c.label;
        }
    }
}

TEST(FrameGeometry, WindowScrollBarsOfAShiftedFrame) {
    // A frame one pixel in (a control with a border outside its client edge).
    SkinWindowBars b = SkinLayoutWindowScrollBars({1, 1, 51, 41}, 2, 10, true, true);
    EXPECT_EQ(b.rcHorz, (SkinRect{3, 29, 39, 39}));
    EXPECT_EQ(b.rcVert, (SkinRect{39, 3, 49, 29}));
}
