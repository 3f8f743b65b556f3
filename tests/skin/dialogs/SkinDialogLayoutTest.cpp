// Geometry of the skinned dialog base: title font sizes, title bar, bevel
// lines, title text rectangle, background image placement, colour requests.
#include "skin/dialogs/SkinDialogLayout.h"

#include "tests/skin/controls/SkinTypesPrint.h"

#include <gtest/gtest.h>

#include <vector>

namespace {


TEST(SkinDialogLayout, MulDivRoundsHalfAwayFromZero) {
    const struct {
        std::int32_t a, b, c, result;
    } cases[] = {
        {8, 96, 72, 11},        {8, 120, 72, 13},
        {9, 96, 72, 12},        {3, 13, 8, 5},
        {5, 1, 2, 3},           {-5, 1, 2, -3},
        {5, -1, 2, -3},         {5, 1, -2, -3},
        {-5, -1, -2, -3},       {7, 0, 3, 0},
        {1, 1, 0, -1},          {0x7FFFFFFF, 2, 1, -1},
        {0x40000000, 4, 2, -1}, {0x40000000, 2, 4, 0x20000000},
    };
    for (const auto& c : cases) EXPECT_EQ(SkinMulDiv(c.a, c.b, c.c), c.result) << c.a << " * " << c.b << " / " << c.c;
    EXPECT_EQ(TitleFontHeight(8, 96), -11);
    EXPECT_EQ(TitleFontHeight(8, 120), -13);
}


TEST(SkinDialogLayout, TitleBarLeavesTheFrameVisible) {
    EXPECT_EQ(TitleBarRect(200, 18), (SkinRect{1, 1, 199, 19}));
    EXPECT_EQ(TitleBarRect(300, 0), (SkinRect{1, 1, 299, 1}));
}

TEST(SkinDialogLayout, BevelLinesCoverTheTwoPixelRingOnce) {
    for (const SkinRect t : {SkinRect{1, 1, 199, 19}, SkinRect{1, 1, 40, 9}, SkinRect{5, 3, 25, 30}}) {
        SCOPED_TRACE(testing::Message() << "title bar " << t);
        SkinRect lines[8];
        TitleBevelLines(t, lines);
        const int w = t.Width(), h = t.Height();
        std::vector<int> hits(static_cast<std::size_t>(w * h), 0);
        std::vector<int> owner(hits.size(), -1);
        for (int i = 0; i < 8; ++i) {
            const SkinRect& r = lines[i];
            EXPECT_TRUE(r.Width() == 1 || r.Height() == 1) << "line " << i << " " << r;
            for (int y = r.top; y < r.bottom; ++y)
                for (int x = r.left; x < r.right; ++x) {
                    ASSERT_TRUE(x >= t.left && x < t.right && y >= t.top && y < t.bottom) << "line " << i;
                    const std::size_t k =
                        static_cast<std::size_t>(y - t.top) * w + static_cast<std::size_t>(x - t.left);
                    ++hits[k];
                    owner[k] = i;
                }
        }
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool ring = x < 2 || y < 2 || x >= w - 2 || y >= h - 2;
                const std::size_t k = static_cast<std::size_t>(y) * w + static_cast<std::size_t>(x);
                EXPECT_EQ(hits[k], ring ? 1 : 0) << "pixel " << x << ", " << y;
            }
        // Light lines on the top and left, dark on the bottom and right.
        EXPECT_EQ(owner[0], 0);
        EXPECT_EQ(owner[static_cast<std::size_t>(w)], 1);
        EXPECT_EQ(owner[static_cast<std::size_t>(2 * w)], 2);
        EXPECT_EQ(owner[static_cast<std::size_t>(2 * w + 1)], 3);
        EXPECT_EQ(owner[static_cast<std::size_t>((h - 2) * w)], 4);
        EXPECT_EQ(owner[static_cast<std::size_t>((h - 1) * w + w - 1)], 5);
        EXPECT_EQ(owner[static_cast<std::size_t>(2 * w + w - 2)], 6);
        EXPECT_EQ(owner[static_cast<std::size_t>(2 * w + w - 1)], 7);
    }
}

TEST(SkinDialogLayout, TitleTextMarginByFormat) {
    const SkinRect t{1, 1, 199, 19};
    const struct {
        std::uint32_t format;
        std::int32_t margin, radius;
        SkinRect expected;
    } cases[] = {
        {0x824, 5, 0, {6, 1, 199, 19}},    // left: margin off the left
        {0x826, 5, 0, {1, 1, 194, 19}},    // DT_RIGHT: margin off the right
        {0x825, 5, 0, {1, 1, 199, 19}},    // DT_CENTER: no margin
        {0x824, 5, 10, {11, 1, 199, 19}},  // half the corner radius, then the margin
        {0x826, 5, 7, {4, 1, 194, 19}},   {0x825, 5, 9, {5, 1, 199, 19}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TitleTextRect(t, c.format, c.margin, c.radius), c.expected)
            << "format 0x" << std::hex << c.format << std::dec << ", radius " << c.radius;
}


TEST(SkinDialogLayout, BackgroundImagePlacements) {
    // Tiles from the top row while y < H and from x = 0 while x < W.
    const std::vector<SkinImageDraw> tiles = BackgroundImageDraws(ImageTile, 100, 50, 20, 30, 20);
    ASSERT_EQ(tiles.size(), 8u);
    EXPECT_EQ(tiles.front().dest, (SkinRect{0, 20, 30, 40}));
    EXPECT_EQ(tiles.back().dest, (SkinRect{90, 40, 120, 60}));
    for (const SkinImageDraw& d : tiles) EXPECT_FALSE(d.stretched);
    EXPECT_EQ(BackgroundImageDraws(99, 100, 50, 0, 50, 50).size(), 2u) << "an unknown placement tiles";

    // An image of no size draws nothing instead of never advancing.
    EXPECT_TRUE(BackgroundImageDraws(ImageTile, 100, 50, 0, 0, 20).empty());
    EXPECT_TRUE(BackgroundImageDraws(ImageTile, 100, 50, 0, 30, 0).empty());
    EXPECT_TRUE(BackgroundImageDraws(ImageTile, 100, 50, 60, 30, 20).empty()) << "title taller than the client";

    const std::vector<SkinImageDraw> stretch = BackgroundImageDraws(ImageStretch, 100, 50, 18, 30, 20);
    ASSERT_EQ(stretch.size(), 1u);
    EXPECT_EQ(stretch[0].dest, (SkinRect{0, 18, 100, 68}));
    EXPECT_TRUE(stretch[0].stretched);

    const std::vector<SkinImageDraw> centre = BackgroundImageDraws(ImageCentre, 100, 50, 18, 31, 21);
    ASSERT_EQ(centre.size(), 1u);
    EXPECT_EQ(centre[0].dest, (SkinRect{34, 14, 65, 35})) << "centred on the whole client, title ignored";
    EXPECT_FALSE(centre[0].stretched);

    const std::vector<SkinImageDraw> topLeft = BackgroundImageDraws(ImageTopLeft, 100, 50, 18, 31, 21);
    ASSERT_EQ(topLeft.size(), 1u);
    EXPECT_EQ(topLeft[0].dest, (SkinRect{0, 18, 31, 39}));
}


TEST(SkinDialogLayout, ControlColourRequests) {
    const struct {
        std::uint32_t kind;
        const char* cls;
        bool colorEdits, transparent, useImage;
        SkinCtlColor expected;
    } cases[] = {
        {kSkinCtlColorEdit, "Edit", true, false, false, SkinCtlColor::DialogColors},
        {kSkinCtlColorEdit, "Edit", false, false, false, SkinCtlColor::Default},
        {kSkinCtlColorStatic, "Edit", false, false, false, SkinCtlColor::GrayText},
        {kSkinCtlColorStatic, "EDIT", false, true, true, SkinCtlColor::GrayText},
        {kSkinCtlColorStatic, "edit", true, false, false, SkinCtlColor::GrayText},
        {kSkinCtlColorStatic, "msctls_trackbar32", false, false, false, SkinCtlColor::TrackbarBrush},
        {kSkinCtlColorStatic, "MSCTLS_TRACKBAR32", false, true, false, SkinCtlColor::TrackbarBrush},
        {kSkinCtlColorStatic, "Static", false, false, false, SkinCtlColor::StaticOpaque},
        {kSkinCtlColorStatic, "Static", false, true, false, SkinCtlColor::StaticTransparent},
        {kSkinCtlColorStatic, "Static", false, false, true, SkinCtlColor::StaticTransparent},
        {kSkinCtlColorStatic, "Button", false, false, false, SkinCtlColor::StaticOpaque},
        {kSkinCtlColorStatic, "Edit2", false, false, false, SkinCtlColor::StaticOpaque},
        {kSkinCtlColorStatic, "Edi", false, false, false, SkinCtlColor::StaticOpaque},
        {kSkinCtlColorStatic, "", false, false, false, SkinCtlColor::StaticOpaque},
        {kSkinCtlColorStatic, nullptr, false, false, false, SkinCtlColor::StaticOpaque},
        {0 /* CTLCOLOR_MSGBOX */, "Static", true, false, false, SkinCtlColor::Default},
        {3 /* CTLCOLOR_LISTBOX */, "ListBox", true, false, false, SkinCtlColor::Default},
        {5 /* CTLCOLOR_SCROLLBAR */, "ScrollBar", true, true, true, SkinCtlColor::Default},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseCtlColor(c.kind, c.cls, c.colorEdits, c.transparent, c.useImage), c.expected)
            << "kind " << c.kind << ", class " << (c.cls ? c.cls : "(null)") << ", colorEdits " << c.colorEdits
            << ", transparent " << c.transparent << ", useImage " << c.useImage;
}

TEST(SkinDialogLayout, DragPositionPacksClientCoordinates) {
    EXPECT_EQ(SkinDragPosition(10, 20), 0x0014000Au);
    EXPECT_EQ(SkinDragPosition(-1, 3), 0x0003FFFFu);
    EXPECT_EQ(SkinDragPosition(0x12345, 0), 0x00002345u);
}

}  // namespace
