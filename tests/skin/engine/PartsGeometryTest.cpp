// The window-free geometry of the scroll bar, trackbar, header and toolbar
// skinners: the turned channel of a vertical trackbar, the pointed thumb's
// polylines, and item hit testing.
#include "skin/engine/PartsGeometry.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string Text(const SkinRect& r) {
    std::ostringstream s;
    s << "(" << r.left << ", " << r.top << ", " << r.right << ", " << r.bottom << ")";
    return s.str();
}

std::string Text(const SkinPolyline& l) {
    static const char* const kPens[] = {"highlight", "shadow", "face"};
    std::ostringstream s;
    s << kPens[l.nPen] << (l.bMove ? " move" : "");
    for (int i = 0; i < l.nPoints; ++i) s << " (" << l.pt[i].x << ", " << l.pt[i].y << ")";
    return s.str();
}

const unsigned kVert = SKIN_TBS_VERT;
const unsigned kLeft = SKIN_TBS_LEFT;  // TBS_TOP on a horizontal trackbar
const unsigned kBoth = SKIN_TBS_BOTH;

}  // namespace

// The channel a vertical trackbar reports is laid out as if it were
// horizontal; it is turned and centred on the thumb, shifted by k.
TEST(PartsGeometry, VerticalChannelIsTurnedAndShifted) {
    struct Row {
        const char* label;
        SkinRect reported, thumb;
        unsigned dwStyle;
        SkinRect expected;
    } rows[] = {
        // ext = 4, thumb centre 2 + 21/2 = 12: left = 12 - 2 + k.
        {"TBS_LEFT: k = +1", {8, 10, 108, 14}, {2, 50, 23, 61}, kVert | kLeft, {11, 8, 15, 108}},
        {"TBS_BOTH: k = 0", {8, 10, 108, 14}, {2, 50, 23, 61}, kVert | kBoth, {10, 8, 14, 108}},
        {"TBS_LEFT wins over TBS_BOTH", {8, 10, 108, 14}, {2, 50, 23, 61}, kVert | kLeft | kBoth, {11, 8, 15, 108}},
        {"ticks right (default): k = -1", {8, 10, 108, 14}, {2, 50, 23, 61}, kVert, {9, 8, 13, 108}},
        {"other style bits do not count",
         {8, 10, 108, 14},
         {2, 50, 23, 61},
         kVert | SKIN_TBS_NOTHUMB | 0x1,
         {9, 8, 13, 108}},
        // Odd extents: 5 / 2 = 2, 20 / 2 = 10.
        {"odd channel extent", {0, 3, 50, 8}, {0, 0, 20, 11}, kVert | kBoth, {8, 0, 13, 50}},
        // Truncation toward zero: -3 / 2 = -1, not -2.
        {"reversed channel truncates toward zero", {0, 8, 50, 5}, {0, 0, 20, 11}, kVert | kBoth, {11, 0, 8, 50}},
        {"reversed thumb truncates toward zero", {0, 3, 50, 7}, {10, 0, 7, 11}, kVert | kBoth, {7, 0, 11, 50}},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Text(SkinTurnVerticalChannel(r.reported, r.thumb, r.dwStyle)), Text(r.expected)) << r.label;
    }
    EXPECT_EQ(SkinChannelShift(kLeft), 1);
    EXPECT_EQ(SkinChannelShift(kBoth), 0);
    EXPECT_EQ(SkinChannelShift(0), -1);
}

// The four polylines for each way the thumb can point, on a thumb 20 by 11
// pixels (a = 5 across the direction it points).
TEST(PartsGeometry, ThumbPolylinesPerOrientation) {
    struct Row {
        const char* label;
        SkinRect rc;
        unsigned dwStyle;
        const char* lines[4];
    } rows[] = {
        {"vertical, pointing left",
         {4, 10, 24, 21},
         kVert | kLeft,
         {"highlight move (22, 10) (9, 10) (4, 15)", "shadow (9, 20) (23, 20) (23, 9)",
          "face move (21, 11) (9, 11) (5, 15)", "face (9, 19) (22, 19) (22, 10)"}},
        {"vertical, pointing right",
         {4, 10, 24, 21},
         kVert,
         {"highlight move (4, 19) (4, 10) (18, 10) (23, 15)", "shadow move (4, 20) (18, 20) (24, 14)",
          "face move (5, 18) (5, 11) (18, 11) (22, 15)", "face move (5, 19) (18, 19) (23, 14)"}},
        {"horizontal, pointing up",
         {10, 4, 21, 24},
         kLeft,
         {"highlight move (14, 5) (10, 9) (10, 23)", "shadow (20, 23) (20, 9) (14, 3)",
          "face move (14, 6) (11, 9) (11, 22)", "face (19, 22) (19, 9) (14, 4)"}},
        {"horizontal, pointing down",
         {10, 4, 21, 24},
         0,
         {"highlight move (14, 22) (10, 18) (10, 4) (20, 4)", "shadow (20, 18) (14, 24)",
          "face move (14, 21) (11, 18) (11, 5) (19, 5)", "face (19, 18) (14, 23)"}},
    };
    for (const Row& r : rows) {
        SkinPolyline lines[4];
        SkinThumbPolylines(r.rc, r.dwStyle, lines);
        for (int i = 0; i < 4; ++i) EXPECT_EQ(Text(lines[i]), r.lines[i]) << r.label << ", polyline " << i;
    }
}

// Over many sizes and places: what the GDI lines paint (every point but the
// last of each row, whose end point is not painted) stays inside the thumb,
// the outline is highlight then shadow, the face lines come after it, and the
// slanted edges of the highlight run at 45 degrees.
TEST(PartsGeometry, ThumbOutlineStaysInsideAndSlantsAt45Degrees) {
    const unsigned styles[] = {kVert | kLeft, kVert, kLeft, 0};
    for (unsigned dwStyle : styles) {
        for (int across = 7; across <= 24; ++across) {
            for (int along = 9; along <= 14; ++along) {
                for (int origin : {0, 37, -15}) {
                    const bool bVert = (dwStyle & kVert) != 0;
                    // Vertical thumbs are wide and low, horizontal ones narrow and tall.
                    const SkinRect rc = bVert ? SkinRect{origin, origin + 3, origin + along + 6, origin + 3 + across}
                                              : SkinRect{origin, origin + 3, origin + across, origin + 3 + along + 6};
                    std::ostringstream ctx;
                    ctx << "style " << dwStyle << " rect " << Text(rc);
                    SkinPolyline lines[4];
                    SkinThumbPolylines(rc, dwStyle, lines);
                    EXPECT_EQ(lines[0].nPen, SKIN_PEN_HIGHLIGHT) << ctx.str();
                    EXPECT_EQ(lines[1].nPen, SKIN_PEN_SHADOW) << ctx.str();
                    EXPECT_EQ(lines[2].nPen, SKIN_PEN_FACE) << ctx.str();
                    EXPECT_EQ(lines[3].nPen, SKIN_PEN_FACE) << ctx.str();
                    EXPECT_TRUE(lines[0].bMove && lines[2].bMove) << ctx.str();

                    int x = 0, y = 0;
                    for (int n = 0; n < 4; ++n) {
                        const SkinPolyline& l = lines[n];
                        ASSERT_GE(l.nPoints, 2) << ctx.str();
                        ASSERT_LE(l.nPoints, 4) << ctx.str();
                        for (int i = 0; i < l.nPoints; ++i) {
                            const bool bPainted = i + 1 < l.nPoints;
                            if (bPainted) {
                                EXPECT_TRUE(SkinPtInRect(rc, l.pt[i].x, l.pt[i].y))
                                    << ctx.str() << ": " << Text(l) << " point " << i << " is painted outside";
                            }
                            const bool bSegment = i > 0 || !l.bMove;
                            if (bSegment && n == 0) {
                                const int dx = std::abs(l.pt[i].x - x), dy = std::abs(l.pt[i].y - y);
                                EXPECT_TRUE(dx == 0 || dy == 0 || dx == dy)
                                    << ctx.str() << ": highlight segment to point " << i << " is " << dx << " by "
                                    << dy;
                            }
                            x = l.pt[i].x;
                            y = l.pt[i].y;
                        }
                    }
                }
            }
        }
    }
}

TEST(PartsGeometry, HeaderHitTest) {
    const int widths[] = {50, 0, 30, 20};
    struct Row {
        int x, y;
        int expected;
    } rows[] = {
        {0, 0, 0},    {49, 23, 0},  {50, 10, 2},                  // the empty item 1 holds no point
        {79, 10, 2},  {80, 10, 3},  {99, 10, 3},  {100, 10, -1},  // the empty area
        {-1, 10, -1}, {10, -1, -1}, {10, 24, -1},                 // outside the client height
    };
    for (const Row& r : rows)
        EXPECT_EQ(SkinHeaderHitTest(widths, 4, 24, r.x, r.y), r.expected) << "at (" << r.x << ", " << r.y << ")";
    EXPECT_EQ(SkinHeaderHitTest(widths, 0, 24, 0, 0), -1) << "no items";

    // Sums of absurd widths must not wrap into negative spans.
    const int huge[] = {INT_MAX, INT_MAX, 10};
    EXPECT_EQ(SkinHeaderHitTest(huge, 3, 24, -1, 5), -1);
    EXPECT_EQ(SkinHeaderHitTest(huge, 3, 24, 0, 5), 0);
    EXPECT_EQ(SkinHeaderHitTest(huge, 3, 24, INT_MAX, 5), 1);

    // Each width is a message to the control: asked in order, only until found.
    std::vector<int> asked;
    const int nItem = SkinHeaderHitTestBy(
        [&](int i) {
            asked.push_back(i);
            return widths[i];
        },
        4, 24, 60, 5);
    EXPECT_EQ(nItem, 2);
    EXPECT_EQ(asked, (std::vector<int>{0, 1, 2}));
}

TEST(PartsGeometry, HeaderEmptyArea) {
    const SkinRect client = {0, 0, 200, 24};
    struct Row {
        const char* label;
        SkinRect client;
        int nLastRight;
        bool bExpected;
        SkinRect expected;
    } rows[] = {
        {"right of the items", client, 150, true, {150, 0, 200, 24}},
        {"no items: the whole client", client, 0, true, client},
        {"items reach the right edge", client, 200, false, {}},
        {"items reach past it", client, 260, false, {}},
        {"no client height", {0, 0, 200, 0}, 50, false, {}},
    };
    for (const Row& r : rows) {
        SkinRect rc = {};
        EXPECT_EQ(SkinHeaderEmptyArea(r.client, r.nLastRight, &rc), r.bExpected) << r.label;
        if (r.bExpected) {
            EXPECT_EQ(Text(rc), Text(r.expected)) << r.label;
        }
    }
}

TEST(PartsGeometry, ToolBarHitTest) {
    const SkinRect rcs[] = {
        {0, 0, 23, 22},   // 0
        {23, 0, 31, 22},  // 1: separator
        {23, 0, 46, 22},  // 2: under the separator
        {40, 0, 63, 22},  // 3: overlaps 2
    };
    const bool sep[] = {false, true, false, false};
    struct Row {
        int x, y;
        int expected;
    } rows[] = {
        {0, 0, 0},  {22, 21, 0}, {23, 5, 2},  // a separator never holds the cursor
        {41, 5, 2},                           // overlapping buttons: the first one
        {46, 5, 3}, {62, 21, 3}, {63, 5, -1}, {10, 22, -1}, {-1, 5, -1},
    };
    for (const Row& r : rows)
        EXPECT_EQ(SkinToolBarHitTest(rcs, sep, 4, r.x, r.y), r.expected) << "at (" << r.x << ", " << r.y << ")";
    EXPECT_EQ(SkinToolBarHitTest(rcs, sep, 0, 5, 5), -1) << "no buttons";
}
