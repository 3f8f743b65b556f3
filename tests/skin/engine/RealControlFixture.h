// A visible host window for cases on real common controls: the controls it
// creates are destroyed, and the engine emptied, at the end of each case.
// Beside it, what those cases probe with: a sentinel colour painted over a
// window before a redraw, recorded kinds, and pixels by system colour.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "skin/engine/FlatDraw.h"
#include "skin/engine/SkinManager.h"
#include "tests/skin/engine/EngineTestSupport.h"
#include "tests/support/WinePump.h"

namespace engine_test {

// Painted over a window before a redraw: whatever still shows it afterwards
// was not drawn by the skinner. No system colour of the test palette has it.
const COLORREF kSentinel = RGB(0x12, 0x9A, 0x56);

// A kind of the engine whose DrawFrame is also recorded in the message
// sequence, so the order of redraws and passed-on messages can be compared,
// and counted.
template <class Kind>
class CRecorded : public Kind {
public:
    void DrawFrame(HDC hDC, const RECT* prcFrame) override {
        Record(SRC_FRAME, this->m_hWnd, 0, 0, 0);
        ++m_nDraws;
        Kind::DrawFrame(hDC, prcFrame);
    }
    int m_nDraws = 0;
};

// Paints the whole window, non-client area included.
inline void FillWindow(HWND h, COLORREF clr) {
    RECT r;
    GetWindowRect(h, &r);
    HDC hDC = GetWindowDC(h);
    SkinFillRect(hDC, 0, 0, r.right - r.left, r.bottom - r.top, clr);
    ReleaseDC(h, hDC);
}

// The colour expected at one pixel: a system colour index, or kKept for the
// sentinel.
const int kKept = -1;
struct Px {
    int x, y;
    int nColor;
};
inline COLORREF Expected(int nColor) { return nColor == kKept ? kSentinel : GetSysColor(nColor); }

// bClient: read through the client DC, else through the window DC.
inline void ExpectPixels(HWND h, bool bClient, const std::string& context, const std::vector<Px>& probes) {
    std::vector<scrivlo_test::PixelProbe> expected;
    for (const Px& p : probes) expected.push_back({p.x, p.y, Expected(p.nColor)});
    scrivlo_test::ExpectPixels(
        [&](int x, int y) { return bClient ? scrivlo_test::ClientPixel(h, x, y) : WindowPixel(h, x, y); }, context,
        expected);
}
inline void ExpectPixels(HWND h, const std::string& context, const std::vector<Px>& probes) {
    ExpectPixels(h, false, context, probes);
}

class RealControlFixture : public ::testing::Test {
protected:
    // The common-control classes to register and the host's place and size.
    RealControlFixture(DWORD dwClasses, int x, int y, int cx, int cy)
        : m_dwClasses(dwClasses), m_rcHost{x, y, x + cx, y + cy} {}

    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), m_dwClasses};
        InitCommonControlsEx(&icc);
        UseTestPalette();
        m_pManager = CSkinManager::GetInstance();
        m_hHost = Keep(CreateHost(m_rcHost.left, m_rcHost.top, m_rcHost.right - m_rcHost.left,
                                  m_rcHost.bottom - m_rcHost.top, true));
        ASSERT_TRUE(m_hHost);
        scrivlo_test::WaitUntil([&] { return IsWindowVisible(m_hHost) != 0; }, 1000);
        scrivlo_test::PumpMessages(50);
    }
    void TearDown() override {
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
            if (IsWindow(*it)) DestroyWindow(*it);
        }
        ResetEngine();
        ForgetRecordedProcs();
        scrivlo_test::PumpMessages(0);
    }
    HWND Keep(HWND h) {
        m_windows.push_back(h);
        return h;
    }
    // A visible child of the host (or of hParent), kept for the tear-down by
    // the caller when it wants it destroyed first.
    HWND Child(const char* cls, DWORD style, DWORD exStyle, int x, int y, int cx, int cy, HWND hParent = nullptr) {
        HWND h = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                                 hParent ? hParent : m_hHost, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_TRUE(h) << cls;
        return h;
    }
    // Moves the cursor to a screen point and waits until the system has it there.
    void CursorTo(int x, int y) {
        scrivlo_test::MoveCursorTo(x, y);
        scrivlo_test::PumpMessages(20);
    }
    void CursorTo(POINT pt) { CursorTo(pt.x, pt.y); }

    CSkinManager* m_pManager = nullptr;
    HWND m_hHost = nullptr;
    std::vector<HWND> m_windows;

private:
    DWORD m_dwClasses;
    RECT m_rcHost;
};

}  // namespace engine_test
