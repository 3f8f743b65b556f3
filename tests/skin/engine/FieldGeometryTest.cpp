// The window-free geometry of the field skinners.
#include "skin/engine/FieldGeometry.h"

#include <gtest/gtest.h>

TEST(FieldGeometry, SpinHalves) {
    struct Row {
        SkinRect rc;
        bool bHorz;
        SkinRect first, second;
    } rows[] = {
        // 11 wide horizontal: 5-pixel halves, column 5 undrawn.
        {{0, 0, 11, 8}, true, {0, 0, 5, 8}, {6, 0, 11, 8}},
        {{2, 2, 12, 20}, true, {2, 2, 7, 20}, {7, 2, 12, 20}},
        {{0, 2, 16, 21}, false, {0, 2, 16, 11}, {0, 12, 16, 21}},
        {{0, 0, 1, 1}, false, {0, 0, 1, 0}, {0, 1, 1, 1}},
    };
    for (const Row& r : rows) {
        const SkinSpinHalves h = SkinSplitSpin(r.rc, r.bHorz);
        EXPECT_EQ(h.rcFirst, r.first);
        EXPECT_EQ(h.rcSecond, r.second);
    }
}

TEST(FieldGeometry, EditFrameAcrossSpin) {
    const SkinRect rc = {0, 0, 80, 20};
    struct Row {
        unsigned long dwStyle;
        SkinRect expected;
    } rows[] = {
        {SKIN_UDS_ALIGNRIGHT, {0, 0, 80 + 16 - 2, 20}},
        {SKIN_UDS_ALIGNLEFT, {-(16 - 2), 0, 80, 20}},
        {SKIN_UDS_ALIGNRIGHT | SKIN_UDS_ALIGNLEFT, {0, 0, 94, 20}},
        {0, {0, 0, 80, 20}},
    };
    for (const Row& r : rows) EXPECT_EQ(SkinEditFrameAcrossSpin(rc, r.dwStyle, 16, 2), r.expected);
}

TEST(FieldGeometry, EditJointLinesAndColour) {
    SkinEditSpinLines l = SkinEditJointLines(SKIN_UDS_ALIGNRIGHT, 16, 20, 2, true);
    EXPECT_EQ(l.top.x, 1);
    EXPECT_EQ(l.top.y, 1);
    EXPECT_EQ(l.top.cx, 13);
    EXPECT_EQ(l.top.nColor, SKIN_COLOR_BTNHIGHLIGHT);
    EXPECT_EQ(l.left.cx, 0);
    l = SkinEditJointLines(SKIN_UDS_ALIGNLEFT, 16, 20, 2, false);
    EXPECT_EQ(l.top.nColor, SKIN_COLOR_BTNFACE);
    EXPECT_EQ(l.left.cy, 17);
}

TEST(FieldGeometry, SpinJoinedRectAndComboButton) {
    EXPECT_EQ(SkinSpinJoinedRect({0, 0, 16, 20}, SKIN_UDS_ALIGNRIGHT), (SkinRect{0, 2, 14, 18}));
    EXPECT_EQ(SkinSpinJoinedRect({0, 0, 16, 20}, SKIN_UDS_ALIGNLEFT), (SkinRect{2, 2, 16, 18}));
    EXPECT_EQ(SkinComboDropButton({0, 0, 100, 21}, 16), (SkinRect{82, 2, 98, 19}));
}
