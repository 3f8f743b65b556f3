// The message box's layout after measuring, on the geometry of the OK box's
// template converted with plausible dialog base units (6 x 13 pixels).
#include "skin/dialogs/MessageBoxLayout.h"

#include "skin/dialogs/MessageBoxTemplate.h"
#include "skin/dialogs/SkinDialogLayout.h"
#include "tests/skin/controls/SkinTypesPrint.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kBaseX = 6;
constexpr int kBaseY = 13;
constexpr int kLine = 13;  // one line of the template font

struct OkBox {
    SkinRect window;
    SkinRect textStatic;
    SkinRect button;
    int gap;
};

// The OK box as the template creates it, before the layout.
OkBox MakeOkBox() {
    const SkinMsgBoxItems built = BuildMessageBoxItems(SkinMsgBoxRequest(), g_defaultCaptions);
    const SkinMsgBoxItem& b = built.items[0];
    const SkinMsgBoxItem& s = built.items[1];
    OkBox box;
    box.window = DialogUnitsToPixels(SkinRect{0, 0, built.width, built.height}, kBaseX, kBaseY);
    box.textStatic = DialogUnitsToPixels(SkinRect{s.x, s.y, s.x + s.cx, s.y + s.cy}, kBaseX, kBaseY);
    box.button = DialogUnitsToPixels(SkinRect{b.x, b.y, b.x + b.cx, b.y + b.cy}, kBaseX, kBaseY);
    box.gap = DialogUnitsToPixels(SkinRect{0, 0, 20, 14}, kBaseX, kBaseY).Height();
    return box;
}

SkinMsgBoxMeasure Measure(const OkBox& box, SkinSize text) {
    SkinMsgBoxMeasure m;
    m.text = text;
    m.window = box.window;
    m.textStatic = box.textStatic;
    m.gap = box.gap;
    return m;
}

TEST(MessageBoxLayout, TemplateGeometryInPixels) {
    const OkBox box = MakeOkBox();
    EXPECT_EQ(box.window, (SkinRect{0, 0, 159, 111}));
    EXPECT_EQ(box.textStatic, (SkinRect{30, 46, 129, 46}));
    EXPECT_EQ(box.button, (SkinRect{30, 68, 129, 88}));
    EXPECT_EQ(box.gap, 23);
}

TEST(MessageBoxLayout, TextLinesMakeTheBoxTallerAndMoveTheButtonDown) {
    const OkBox box = MakeOkBox();
    for (int lines = 1; lines <= 4; ++lines) {
        SCOPED_TRACE(testing::Message() << lines << " lines");
        const SkinMsgBoxPlacement p = LayoutMessageBox(Measure(box, SkinSize{60, lines * kLine}));
        EXPECT_EQ(p.dx, 0);
        EXPECT_EQ(p.dy, lines * kLine);
        EXPECT_EQ(p.box, (SkinSize{box.window.Width(), box.window.Height() + lines * kLine}));
        const SkinPoint button = MessageBoxButtonPosition(p, box.button);
        EXPECT_EQ(button, (SkinPoint{box.button.left, box.button.top + lines * kLine}));
        // The text block starts at the static's top, 28 dialog units down.
        EXPECT_EQ(p.text.top, box.textStatic.top);
        EXPECT_EQ(p.text.Height(), lines * kLine);
        // The gap between text and button stays 14 dialog units.
        EXPECT_EQ(button.y - p.text.bottom, box.button.top - box.textStatic.top);
    }
}

TEST(MessageBoxLayout, ALongLineWidensTheBoxAndKeepsTheButtonCentred) {
    const OkBox box = MakeOkBox();
    for (int width : {100, 101, 250, 301}) {
        SCOPED_TRACE(testing::Message() << "text width " << width);
        const SkinMsgBoxPlacement p = LayoutMessageBox(Measure(box, SkinSize{width, kLine}));
        const int grow = width - box.textStatic.Width();
        EXPECT_EQ(p.dx, grow);
        EXPECT_EQ(p.box.cx, box.window.Width() + grow);
        EXPECT_EQ(p.text.Width(), width);
        EXPECT_LE(std::abs(p.text.left - box.textStatic.left), 1) << "keeps the static's left edge";
        const SkinPoint button = MessageBoxButtonPosition(p, box.button);
        const int buttonCentre2 = 2 * button.x + box.button.Width();
        EXPECT_LE(std::abs(buttonCentre2 - p.box.cx), 2) << "button centre " << buttonCentre2 / 2.0;
        // The text keeps 20 dialog units on each side.
        EXPECT_LE(std::abs((p.box.cx - p.text.right) - box.textStatic.left), 1);
    }
}

TEST(MessageBoxLayout, ANarrowTextIsCentredOnTheStatic) {
    const OkBox box = MakeOkBox();
    const SkinMsgBoxPlacement p = LayoutMessageBox(Measure(box, SkinSize{40, kLine}));
    EXPECT_EQ(p.dx, 0);
    EXPECT_EQ(p.box.cx, box.window.Width());
    const int staticCentre2 = box.textStatic.left + box.textStatic.right;
    EXPECT_LE(std::abs((p.text.left + p.text.right) - staticCentre2), 1) << p.text;
}

TEST(MessageBoxLayout, HeadingTakesTheTextsPlaceAndPushesTextAndButtonsDown) {
    const OkBox box = MakeOkBox();
    const struct {
        SkinSize heading;
        SkinSize text;
    } cases[] = {
        {{50, 14}, {80, kLine}},
        {{140, 14}, {80, 2 * kLine}},  // the heading is the wider one
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "heading " << c.heading << ", text " << c.text);
        SkinMsgBoxMeasure m = Measure(box, c.text);
        m.hasHeading = true;
        m.heading = c.heading;
        const SkinMsgBoxPlacement without = LayoutMessageBox(Measure(box, c.text));
        const SkinMsgBoxPlacement p = LayoutMessageBox(m);
        const int w = c.heading.cx > c.text.cx ? c.heading.cx : c.text.cx;
        EXPECT_EQ(p.dx, w > box.textStatic.Width() ? w - box.textStatic.Width() : 0);
        EXPECT_EQ(p.heading.top, box.textStatic.top);
        EXPECT_EQ(p.heading.left, p.text.left);
        EXPECT_EQ(p.heading.Width(), c.heading.cx);
        EXPECT_EQ(p.heading.Height(), c.heading.cy);
        EXPECT_EQ(p.text.top, p.heading.bottom);
        EXPECT_EQ(p.text.Width(), w);
        EXPECT_EQ(p.dy, c.text.cy + c.heading.cy);
        EXPECT_EQ(p.box.cy, box.window.Height() + c.text.cy + c.heading.cy);
        if (p.dx == 0) {
            EXPECT_EQ(p.text.top, without.text.top + c.heading.cy);
        }
    }
}

TEST(MessageBoxLayout, ChildBelowTheTextPushesTheButtonsDown) {
    const OkBox box = MakeOkBox();
    SkinMsgBoxMeasure m = Measure(box, SkinSize{60, 2 * kLine});
    m.hasChild = true;
    m.child = SkinRect{0, 0, 120, 40};
    const SkinMsgBoxPlacement p = LayoutMessageBox(m);
    EXPECT_EQ(p.dy, 2 * kLine + 40);
    EXPECT_EQ(p.box.cy, box.window.Height() + 2 * kLine + 40);
    // Half the gap below the text; the buttons keep a gap below the child.
    EXPECT_LE(std::abs(p.child.y - (p.text.bottom + box.gap / 2)), 1) << p.child;
    const SkinPoint button = MessageBoxButtonPosition(p, box.button);
    EXPECT_GT(button.y, p.child.y + 40);
    EXPECT_EQ(p.child.x, 0);
}

TEST(MessageBoxLayout, ChildAtTheBottomGrowsTheBoxAndLeavesTheButtons) {
    const OkBox box = MakeOkBox();
    SkinMsgBoxMeasure m = Measure(box, SkinSize{300, kLine});
    m.hasChild = true;
    m.childAtBottom = true;
    m.child = SkinRect{4, 0, 124, 40};
    const SkinMsgBoxPlacement p = LayoutMessageBox(m);
    EXPECT_EQ(p.dy, kLine) << "the buttons move for the text only";
    EXPECT_EQ(p.box.cy, box.window.Height() + kLine + 40);
    // Half the gap above the box's bottom edge, moved right with the text.
    EXPECT_EQ(p.child.y + 40, p.box.cy - box.gap / 2);
    EXPECT_EQ(p.child.x, 4 + p.dx / 2);
}

TEST(MessageBoxLayout, EmptyTextKeepsTheTemplateSize) {
    const OkBox box = MakeOkBox();
    const SkinMsgBoxPlacement p = LayoutMessageBox(Measure(box, SkinSize{0, 0}));
    EXPECT_EQ(p.dx, 0);
    EXPECT_EQ(p.dy, 0);
    EXPECT_EQ(p.box, (SkinSize{box.window.Width(), box.window.Height()}));
    EXPECT_EQ(MessageBoxButtonPosition(p, box.button), (SkinPoint{box.button.left, box.button.top}));
}

}  // namespace
