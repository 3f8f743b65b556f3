// The engine on visible windows: pixels of the flat frames as the window
// shows them, and the hover poll with the cursor moved by SetCursorPos. Each
// case holds the desktop input lock (the cursor is shared).
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/skin/engine/EngineFixture.h"

namespace engine_test {

namespace {

const int kHostX = 60, kHostY = 60;

class ScreenTest : public EngineTest {
protected:
    void SetUp() override {
        EngineTest::SetUp();
        m_hHost = Keep(CreateHost(kHostX, kHostY, 360, 200, true));
        ASSERT_TRUE(m_hHost);
        scrivlo_test::WaitUntil([&] { return IsWindowVisible(m_hHost) != 0; }, 1000);
        scrivlo_test::PumpMessages(50);
    }
    // Moves the cursor to the middle of hWnd (or to a screen point) and waits
    // until the system reports it there.
    void CursorTo(int x, int y) {
        scrivlo_test::MoveCursorTo(x, y);
        scrivlo_test::PumpMessages(20);
    }
    void CursorOver(HWND hWnd) {
        RECT r;
        GetWindowRect(hWnd, &r);
        CursorTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
    HWND Skinned(DWORD style, DWORD exStyle, int x, int y, int cx, int cy) {
        HWND h = CreateProbe(m_hHost, WS_CHILD | WS_VISIBLE | style, exStyle, x, y, cx, cy);
        EXPECT_TRUE(m_pManager->AttachSkin(h, new CTestSkin(SKIN_KIND_BORDER)));
        return h;
    }
    static bool IsHot(HWND h) {
        CTestSkin* p = TestSkinOf(h);
        return p && (p->m_nState & SKIN_HOT) != 0;
    }
    HWND m_hHost = nullptr;
};

struct PixelProbe {
    int x, y;
    int nColor;  // a system colour index, or -1 for the window colour
};

void ExpectWindowPixels(HWND h, const char* context, std::initializer_list<PixelProbe> probes) {
    for (const PixelProbe& p : probes) {
        COLORREF expected = GetSysColor(p.nColor);
        EXPECT_EQ(ColorText(WindowPixel(h, p.x, p.y)), ColorText(expected))
            << context << " at (" << p.x << ", " << p.y << ") colour " << p.nColor;
    }
}

}  // namespace

TEST_F(ScreenTest, FlatEdgeReplacesTheClientEdge) {
    HWND hEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 10, 100, 24, m_hHost, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(m_pManager->AttachSkin(hEdit, new CTestSkin(SKIN_KIND_EDIT)));
    RedrawWindow(hEdit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    scrivlo_test::PumpMessages(100);
    ExpectWindowPixels(hEdit, "edit with client edge",
                       {
                           {0, 0, COLOR_3DDKSHADOW},
                           {50, 0, COLOR_3DDKSHADOW},
                           {99, 23, COLOR_3DDKSHADOW},
                           {0, 12, COLOR_3DDKSHADOW},
                           {1, 1, COLOR_BTNHIGHLIGHT},
                           {98, 22, COLOR_BTNHIGHLIGHT},
                           {50, 22, COLOR_BTNHIGHLIGHT},
                           {50, 12, COLOR_WINDOW},  // the client area is the edit's own
                       });
}

TEST_F(ScreenTest, BorderOutsideTheClientEdgeIsKept) {
    HWND hProbe = Skinned(WS_BORDER, WS_EX_CLIENTEDGE, 10, 10, 100, 30);
    RedrawWindow(hProbe, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
    scrivlo_test::PumpMessages(100);
    const COLORREF border = WindowPixel(hProbe, 0, 0);
    EXPECT_NE(ColorText(border), ColorText(GetSysColor(COLOR_3DDKSHADOW))) << "the border line is not overdrawn";
    EXPECT_EQ(ColorText(WindowPixel(hProbe, 99, 29)), ColorText(border));
    ExpectWindowPixels(hProbe, "border and client edge",
                       {
                           {1, 1, COLOR_3DDKSHADOW},
                           {98, 28, COLOR_3DDKSHADOW},
                           {2, 2, COLOR_BTNHIGHLIGHT},
                           {97, 27, COLOR_BTNHIGHLIGHT},
                           {50, 15, COLOR_WINDOW},
                       });
}

TEST_F(ScreenTest, ScrollBarControlShowsFlatButtonFrames) {
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    struct Row {
        const char* label;
        BOOL bRaised;
        int nOuterTopLeft;
    } rows[] = {
        {"shadow outline", FALSE, COLOR_BTNSHADOW},
        {"raised: highlight top and left", TRUE, COLOR_BTNHIGHLIGHT},
    };
    for (const Row& r : rows) {
        CSkinManager::m_bRaisedButtons = r.bRaised;
        HWND hBar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | WS_VISIBLE | SBS_VERT, 200, 10, 16, 2 * arrow + 100,
                                    m_hHost, nullptr, GetModuleHandleA(nullptr), nullptr);
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 99, 10, 45, 0};
        SetScrollInfo(hBar, SB_CTL, &si, TRUE);
        ASSERT_TRUE(m_pManager->AttachSkin(hBar, new CTestSkin(SKIN_KIND_SCROLLBAR)));
        EXPECT_EQ(TestSkinOf(hBar)->m_bRaised, r.bRaised) << r.label;
        RedrawWindow(hBar, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_UPDATENOW);
        scrivlo_test::PumpMessages(100);
        const int top = arrow + 45;  // page 10 of 100 on a track of 100
        ExpectWindowPixels(hBar, r.label,
                           {
                               {0, 0, r.nOuterTopLeft},
                               {15, 0, COLOR_BTNSHADOW},  // the top-right corner takes the bottom-right colour
                               {15, arrow - 1, COLOR_BTNSHADOW},
                               {1, 1, COLOR_BTNFACE},
                               {0, arrow + 100, r.nOuterTopLeft},
                               {15, 2 * arrow + 99, COLOR_BTNSHADOW},
                               {0, top, r.nOuterTopLeft},
                               {15, top + 9, COLOR_BTNSHADOW},
                               {1, top + 1, COLOR_BTNFACE},
                           });
        DestroyWindow(hBar);
    }
}

TEST_F(ScreenTest, HoverPollMovesTheHotMark) {
    HWND hA = Skinned(0, WS_EX_CLIENTEDGE, 10, 10, 80, 40);
    HWND hB = Skinned(0, WS_EX_CLIENTEDGE, 110, 10, 120, 80);
    // An unskinned child inside B. The statics answer their hit test (a
    // plain static is transparent to WindowFromPoint, which then finds the
    // window below it). It keeps clear of B's centre, where "over B" points.
    HWND hInner = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 5, 5, 30, 20, hB, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    HWND hPlain = CreateWindowExA(0, "Static", "", WS_CHILD | WS_VISIBLE | SS_NOTIFY, 250, 10, 60, 40, m_hHost, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    ASSERT_TRUE(hInner && hPlain);

    struct Step {
        const char* label;
        HWND hOver;
        HWND hHot;  // expected hover window afterwards
    } steps[] = {
        {"over A", hA, hA},
        {"over B", hB, hB},
        {"back to A", hA, hA},
        {"over an unskinned child of B: its parent", hInner, hB},
        {"over an unskinned window of an unskinned parent", hPlain, nullptr},
        {"over A again", hA, hA},
    };
    for (const Step& s : steps) {
        CursorOver(s.hOver);
        ASSERT_EQ(WindowFromPoint([] {
                      POINT p;
                      GetCursorPos(&p);
                      return p;
                  }()),
                  s.hOver)
            << s.label;
        m_pManager->TrackHover();
        EXPECT_EQ(CSkinManager::m_hHoverWnd, s.hHot) << s.label;
        EXPECT_EQ(IsHot(hA), s.hHot == hA) << s.label;
        EXPECT_EQ(IsHot(hB), s.hHot == hB) << s.label;
    }
    // Outside every window of the test: nothing is hot.
    CursorTo(kHostX + 500, kHostY + 400);
    m_pManager->TrackHover();
    EXPECT_EQ(CSkinManager::m_hHoverWnd, nullptr);
    EXPECT_FALSE(IsHot(hA));
}

TEST_F(ScreenTest, HotChangesRedrawOnlyTheTwoControlsConcerned) {
    HWND hA = Skinned(0, 0, 10, 10, 80, 40);
    HWND hB = Skinned(0, 0, 110, 10, 80, 40);
    CursorOver(hA);
    m_pManager->TrackHover();
    const int nA = LifeOf(hA)->nDraws, nB = LifeOf(hB)->nDraws;
    // An idle cursor over the hot control draws nothing.
    m_pManager->TrackHover();
    m_pManager->TrackHover();
    EXPECT_EQ(LifeOf(hA)->nDraws, nA);
    EXPECT_EQ(LifeOf(hB)->nDraws, nB);
    // Moving to B: A drawn cold once, B drawn hot once, in that order of state.
    CursorOver(hB);
    m_pManager->TrackHover();
    EXPECT_EQ(LifeOf(hA)->nDraws, nA + 1);
    EXPECT_EQ(LifeOf(hA)->nLastState & SKIN_HOT, 0);
    EXPECT_EQ(LifeOf(hB)->nDraws, nB + 1);
    EXPECT_EQ(LifeOf(hB)->nLastState & SKIN_HOT, SKIN_HOT);
}

TEST_F(ScreenTest, CapturedMouseKeepsTheHotControl) {
    HWND hA = Skinned(0, 0, 10, 10, 80, 40);
    HWND hB = Skinned(0, 0, 110, 10, 80, 40);
    CursorOver(hA);
    m_pManager->TrackHover();
    ASSERT_EQ(CSkinManager::m_hHoverWnd, hA);
    SetCapture(m_hHost);
    ASSERT_EQ(GetCapture(), m_hHost);
    CursorOver(hB);
    m_pManager->TrackHover();
    EXPECT_EQ(CSkinManager::m_hHoverWnd, hA) << "with the capture held the hot mark stays";
    EXPECT_TRUE(IsHot(hA));
    EXPECT_FALSE(IsHot(hB));
    ReleaseCapture();
    m_pManager->TrackHover();
    EXPECT_EQ(CSkinManager::m_hHoverWnd, hB);
}

TEST_F(ScreenTest, TheTimerRunsThePoll) {
    HWND hA = Skinned(0, 0, 10, 10, 80, 40);
    HWND hB = Skinned(0, 0, 110, 10, 80, 40);
    ASSERT_NE(m_pManager->m_nTimerID, 0u);
    CursorOver(hA);
    EXPECT_TRUE(scrivlo_test::WaitUntil([&] { return CSkinManager::m_hHoverWnd == hA; }, 1000));
    CursorOver(hB);
    EXPECT_TRUE(scrivlo_test::WaitUntil([&] { return CSkinManager::m_hHoverWnd == hB; }, 1000));
    EXPECT_FALSE(IsHot(hA));
}

TEST_F(ScreenTest, DestroyedHotControlIsIgnoredByLaterPolls) {
    HWND hA = Skinned(0, 0, 10, 10, 80, 40);
    HWND hB = Skinned(0, 0, 110, 10, 80, 40);
    CursorOver(hA);
    m_pManager->TrackHover();
    ASSERT_EQ(CSkinManager::m_hHoverWnd, hA);
    DestroyWindow(hA);
    EXPECT_EQ(CSkinManager::m_hHoverWnd, hA) << "the stale handle is kept";
    CursorTo(kHostX + 500, kHostY + 400);
    m_pManager->TrackHover();  // nothing to clear: the handle is not skinned
    CursorOver(hB);
    m_pManager->TrackHover();
    EXPECT_EQ(CSkinManager::m_hHoverWnd, hB);
    EXPECT_TRUE(IsHot(hB));
}

}  // namespace engine_test
