// The main window of Scrivlo.exe by its pixels, read from outside while the
// run's boxes are up: a red title bar with the title in white, a light grey
// background framed by a one-pixel grey line, the status text centred in its
// box. Each box opens over the window's top left corner, so it is moved
// aside first, as a user would drag it.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/app/EndToEnd.h"
#include "tests/support/BmpImage.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

namespace scrivlo_e2e {
namespace {

using scrivlo_test::CBoxContents;
using scrivlo_test::CChildProcess;
using scrivlo_test::CPixelImage;
using scrivlo_test::CTranscript;

const COLORREF kTitleBar = RGB(204, 0, 0);
const COLORREF kTitleText = RGB(255, 255, 255);
const COLORREF kBackground = RGB(247, 247, 247);
const COLORREF kBorder = RGB(120, 120, 120);
const int kStatusId = 1001;

bool IsDark(COLORREF c) { return GetRValue(c) + GetGValue(c) + GetBValue(c) < 3 * 128; }

// Title text over the bar: white, or where the glyph edges are smoothed a
// blend of white and the bar's red (red full or nearly, green and blue alike).
bool IsTitleBlend(COLORREF c) { return GetRValue(c) >= 204 && std::abs(GetGValue(c) - GetBValue(c)) <= 8; }

struct Inside {
    RECT rc;
    bool operator()(int x, int y) const { return x >= rc.left && x < rc.right && y >= rc.top && y < rc.bottom; }
};

// Moves the box clear of the window: below it, else above it, else beside it.
void MoveBoxAside(HWND box, HWND main) {
    const RECT m = scrivlo_test::WindowRectOf(main);
    const RECT b = scrivlo_test::WindowRectOf(box);
    const int w = b.right - b.left, h = b.bottom - b.top;
    const int screenW = GetSystemMetrics(SM_CXSCREEN), screenH = GetSystemMetrics(SM_CYSCREEN);
    int x = 0, y = 0;
    if (m.bottom + 4 + h <= screenH) {
        x = m.left, y = m.bottom + 4;
    } else if (m.top - 4 - h >= 0) {
        x = m.left, y = m.top - 4 - h;
    } else {
        x = m.right + 4 + w <= screenW ? m.right + 4 : 0, y = m.top;
    }
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

class ScrivloMainWindow : public ScrivloEndToEnd {
protected:
    // Checks the window's pixels; the status box's expected text is given.
    void CheckWindow(HWND box, HWND main, int index) {
        SCOPED_TRACE("box " + std::to_string(index));
        ASSERT_NE(nullptr, main);
        // The whole window is client area: no system caption or border.
        RECT client = {}, window = scrivlo_test::WindowRectOf(main);
        ASSERT_TRUE(GetClientRect(main, &client));
        EXPECT_EQ(window.right - window.left, client.right);
        EXPECT_EQ(window.bottom - window.top, client.bottom);

        MoveBoxAside(box, main);
        RECT boxRect = scrivlo_test::WindowRectOf(box), overlap = {};
        ASSERT_FALSE(IntersectRect(&overlap, &boxRect, &window)) << "no room to move the box aside";

        // Wait for the part the box uncovered to be painted again: the top
        // left corner inside the frame is the title bar's red.
        CPixelImage image;
        EXPECT_TRUE(scrivlo_test::WaitUntil(
            [&] {
                return scrivlo_test::CaptureWindow(main, image) && image.ColorRefAt(2, 2) == kTitleBar &&
                       image.ColorRefAt(image.m_nWidth / 4, image.m_nHeight - 3) == kBackground;
            },
            5000));
        ASSERT_FALSE(image.IsEmpty());
        EXPECT_TRUE(
            scrivlo_test::SaveWindowScreenshot(main, m_folder + "main-window-" + std::to_string(index) + ".bmp"));
        const int w = image.m_nWidth, h = image.m_nHeight;

        // The one-pixel frame, all round.
        int wrongFrame = 0;
        for (int x = 0; x < w; ++x) {
            wrongFrame += image.ColorRefAt(x, 0) != kBorder;
            wrongFrame += image.ColorRefAt(x, h - 1) != kBorder;
        }
        for (int y = 1; y < h - 1; ++y) {
            wrongFrame += image.ColorRefAt(0, y) != kBorder;
            wrongFrame += image.ColorRefAt(w - 1, y) != kBorder;
        }
        EXPECT_EQ(0, wrongFrame) << "frame pixels not RGB(120, 120, 120)";
        // Just inside the frame the bar and the background begin.
        EXPECT_EQ(kTitleBar, image.ColorRefAt(1, 1));
        EXPECT_EQ(kBackground, image.ColorRefAt(1, h - 2));

        // The bar's height: the red rows at the right end, where no text is.
        int barHeight = 0;
        while (1 + barHeight < h && image.ColorRefAt(w - 2, 1 + barHeight) == kTitleBar) ++barHeight;
        EXPECT_GE(barHeight, 10);
        EXPECT_LE(barHeight, 40);
        const Inside bar = {{1, 1, w - 1, 1 + barHeight}};

        // The bar: red with white text; the text starts a margin in from the
        // left and stays inside the bar.
        int white = 0, foreign = 0, leftmostWhite = w;
        for (int y = bar.rc.top; y < bar.rc.bottom; ++y) {
            for (int x = bar.rc.left; x < bar.rc.right; ++x) {
                const COLORREF c = image.ColorRefAt(x, y);
                if (c == kTitleBar) continue;
                if (c == kTitleText) {
                    ++white;
                    if (x < leftmostWhite) leftmostWhite = x;
                } else if (!IsTitleBlend(c)) {
                    ++foreign;
                }
            }
        }
        EXPECT_GT(white, 20) << "no white title text in the bar";
        EXPECT_EQ(0, foreign) << "bar pixels that are neither red nor title text";
        EXPECT_GT(leftmostWhite, 2);
        EXPECT_LT(leftmostWhite, w / 2);

        // The status box, in window coordinates.
        HWND status = GetDlgItem(main, kStatusId);
        ASSERT_NE(nullptr, status);
        RECT s = scrivlo_test::WindowRectOf(status);
        OffsetRect(&s, -window.left, -window.top);
        const Inside statusBox = {s};
        EXPECT_GE(s.top, bar.rc.bottom);

        // Everything else below the bar is the background colour.
        int wrongBackground = 0;
        for (int y = bar.rc.bottom; y < h - 1; ++y) {
            for (int x = 1; x < w - 1; ++x) {
                if (!statusBox(x, y) && image.ColorRefAt(x, y) != kBackground) ++wrongBackground;
            }
        }
        EXPECT_EQ(0, wrongBackground) << "background pixels not RGB(247, 247, 247)";

        // The status text: dark pixels on the background, their extent
        // centred in the box both ways within a pixel or two.
        int minX = w, maxX = -1, minY = h, maxY = -1, other = 0;
        for (int y = s.top; y < s.bottom; ++y) {
            for (int x = s.left; x < s.right; ++x) {
                const COLORREF c = image.ColorRefAt(x, y);
                if (IsDark(c)) {
                    minX = std::min(minX, x), maxX = std::max(maxX, x);
                    minY = std::min(minY, y), maxY = std::max(maxY, y);
                } else if (c != kBackground && !(GetRValue(c) == GetGValue(c) && GetGValue(c) == GetBValue(c))) {
                    ++other;  // black text smoothed on grey stays grey
                }
            }
        }
        ASSERT_GE(maxX, 0) << "no status text";
        EXPECT_EQ(0, other);
        EXPECT_GT(maxX - minX, (s.right - s.left) / 8) << "the status text is too narrow to be read";
        EXPECT_NEAR((s.left + s.right - 1) / 2.0, (minX + maxX) / 2.0, 2.0) << "not centred across";
        EXPECT_NEAR((s.top + s.bottom - 1) / 2.0, (minY + maxY) / 2.0, 2.0) << "not centred up and down";
        m_textWidths.push_back(maxX - minX + 1);
    }

    std::vector<int> m_textWidths;
};

// Both boxes of a full run: the first with "Creating log, please wait...",
// the second with the longer "Creating registry file, please wait...".
TEST_F(ScrivloMainWindow, TitleBarBackgroundFrameAndCentredStatus) {
    InstallProduct();
    int index = 0;
    const CTranscript transcript = Run([&](HWND box, const CBoxContents&, CChildProcess& process) {
        HWND main = scrivlo_test::FindTopWindow(process.ProcessId(), kMainTitle, nullptr);
        CheckWindow(box, main, ++index);
    });
    ExpectTranscript(transcript, kEverythingPresent);
    ASSERT_EQ(2, index);
    ASSERT_EQ(2u, m_textWidths.size());
    EXPECT_LT(m_textWidths[0], m_textWidths[1]) << "the status line did not change between the boxes";
    EXPECT_TRUE(FileExists(m_folder + "main-window-1.bmp"));
}

}  // namespace
}  // namespace scrivlo_e2e
