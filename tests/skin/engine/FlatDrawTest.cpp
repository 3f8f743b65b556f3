// The drawing helpers on a 32-bpp DIB section, probed pixel by pixel.
#include "skin/engine/FlatDraw.h"

#include <gtest/gtest.h>

#include <climits>

#include "skin/engine/ScrollBarGeometry.h"
#include "tests/skin/engine/EngineTestSupport.h"

namespace {

const COLORREF kSentinel = RGB(0xFF, 0x00, 0xFF);

using scrivlo_test::CDibCanvas;
using scrivlo_test::ExpectPixels;

const COLORREF A = RGB(0x11, 0x22, 0x33);
const COLORREF B = RGB(0xAA, 0xBB, 0xCC);

}  // namespace

TEST(FlatDraw, FillRectFillsAndLeavesTheBackgroundColour) {
    CDibCanvas dib(20, 20, kSentinel);
    SetBkColor(dib.DC(), RGB(1, 2, 3));
    SkinFillRect(dib.DC(), 2, 3, 4, 5, A);
    EXPECT_EQ(dib.Count(A), 20);
    ExpectPixels(dib, "fill", {{2, 3, A}, {5, 7, A}, {6, 3, kSentinel}, {2, 8, kSentinel}, {1, 3, kSentinel}});
    EXPECT_EQ(GetBkColor(dib.DC()), A);
}

TEST(FlatDraw, FillRectWithReversedExtentsFillsTheOrderedForm) {
    struct Case {
        const char* label;
        int x, y, cx, cy;
    } cases[] = {
        {"ordered", 4, 5, 3, 2},
        {"negative width", 7, 5, -3, 2},
        {"negative height", 4, 7, 3, -2},
        {"both negative", 7, 7, -3, -2},
    };
    for (const Case& c : cases) {
        CDibCanvas dib(12, 12, kSentinel);
        SkinFillRect(dib.DC(), c.x, c.y, c.cx, c.cy, A);
        EXPECT_EQ(dib.Count(A), 6) << c.label;
        ExpectPixels(dib, c.label, {{4, 5, A}, {6, 6, A}, {7, 5, kSentinel}, {4, 7, kSentinel}, {3, 5, kSentinel}});
    }
}

TEST(FlatDraw, ThreeDRectCorners) {
    CDibCanvas dib(12, 12, kSentinel);
    SkinDraw3dRect(dib.DC(), 2, 2, 5, 4, A, B);
    ExpectPixels(dib, "5x4 at (2, 2)",
                 {
                     {2, 2, A},          // top-left corner
                     {5, 2, A},          // top row
                     {6, 2, B},          // top-right corner: bottom-right colour
                     {2, 4, A},          // left column
                     {2, 5, B},          // bottom-left corner: bottom-right colour
                     {6, 5, B},          // bottom-right corner
                     {6, 3, B},          // right column
                     {4, 5, B},          // bottom row
                     {3, 3, kSentinel},  // inside untouched
                     {7, 2, kSentinel},
                     {2, 6, kSentinel},
                 });
    EXPECT_EQ(dib.Count(A) + dib.Count(B), 14);
}

TEST(FlatDraw, OnePixelThreeDRectTakesTheBottomRightColour) {
    CDibCanvas dib(4, 4, kSentinel);
    SkinDraw3dRect(dib.DC(), 1, 1, 1, 1, A, B);
    EXPECT_EQ(dib.At(1, 1), B);
    EXPECT_EQ(dib.Count(A), 0);
    EXPECT_EQ(dib.Count(B), 1);
}

TEST(FlatDraw, DoubleFrameAndTheTwoFlatFrames) {
    engine_test::UseTestPalette();
    const COLORREF face = GetSysColor(COLOR_BTNFACE), shadow = GetSysColor(COLOR_BTNSHADOW),
                   hl = GetSysColor(COLOR_BTNHIGHLIGHT), dk = GetSysColor(COLOR_3DDKSHADOW);
    ASSERT_NE(face, shadow);
    ASSERT_NE(hl, dk);
    const RECT rc = {1, 1, 9, 7};  // 8x6
    struct Case {
        const char* label;
        void (*draw)(HDC, const RECT*);
        COLORREF outerTL, outerBR, innerTL, innerBR;
    } cases[] = {
        {"flat edge", [](HDC h, const RECT* r) { SkinDrawFlatEdge(h, r); }, dk, dk, hl, hl},
        {"flat button", [](HDC h, const RECT* r) { SkinDrawFlatButton(h, r, FALSE); }, shadow, shadow, face, face},
        {"raised flat button", [](HDC h, const RECT* r) { SkinDrawFlatButton(h, r, TRUE); }, hl, shadow, face, face},
        {"double frame, four indices",
         [](HDC h, const RECT* r) {
             SkinDrawDoubleFrame(h, r, COLOR_3DDKSHADOW, COLOR_BTNSHADOW, COLOR_BTNHIGHLIGHT, COLOR_BTNFACE);
         },
         dk, shadow, hl, face},
    };
    for (const Case& c : cases) {
        CDibCanvas dib(10, 8, kSentinel);
        c.draw(dib.DC(), &rc);
        ExpectPixels(dib, c.label,
                     {
                         {1, 1, c.outerTL},
                         {7, 1, c.outerTL},
                         {8, 1, c.outerBR},  // outer top-right corner
                         {1, 6, c.outerBR},  // outer bottom-left corner
                         {8, 6, c.outerBR},
                         {2, 2, c.innerTL},
                         {6, 2, c.innerTL},
                         {7, 2, c.innerBR},
                         {2, 5, c.innerBR},
                         {7, 5, c.innerBR},
                         {3, 3, kSentinel},  // the inside stays
                         {0, 0, kSentinel},
                         {9, 7, kSentinel},
                     });
    }
}

TEST(FlatDraw, MulDivMatchesTheSystem) {
    // The scroll bar arithmetic uses its own MulDiv so that it builds without
    // the window system; it must agree with the system's.
    const int cases[][3] = {
        {10, 10, 3},
        {10, 10, 6},
        {5, 1, 2},
        {-5, 1, 2},
        {5, -1, 2},
        {5, 1, -2},
        {-5, -1, -2},
        {7, 0, 5},
        {0, 0, 0},
        {1, 1, 0},
        {INT_MAX, INT_MAX, INT_MAX},
        {INT_MAX, 2, 1},
        {100, 37, 1000},
        {123456, 789, 1011},
        {-123456, 789, 1011},
        {3, 1, 2},
        {-3, 1, 2},
        {INT_MAX, 1, 1},
        {-INT_MAX, 1, 1},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(SkinMulDiv(c[0], c[1], c[2]), MulDiv(c[0], c[1], c[2])) << c[0] << " * " << c[1] << " / " << c[2];
    }
}
