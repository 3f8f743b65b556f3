// The skinner base under Wine: the common window procedure (message order
// recorded against tables), the redraw protocol, the hover test and the
// scroll bar frames drawn into a DIB section from real scroll information.
#include "skin/engine/ControlSkin.h"

#include <gtest/gtest.h>

#include "skin/engine/ScrollBarGeometry.h"
#include "tests/skin/engine/EngineFixture.h"

namespace engine_test {

namespace {

SeqEntry Deleted(HWND h, bool bRestored) { return {SRC_DELETED, 0, static_cast<WPARAM>(bRestored), 0, h, true}; }

}  // namespace

TEST_F(EngineTest, CommonWindowProcedureOrderAndResults) {
    HWND hHost = Keep(CreateHost(0, 0, 200, 100, false));
    HWND hProbe = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 60, 30);
    ASSERT_TRUE(m_pManager->AttachSkin(hProbe, new CTestSkin(SKIN_KIND_BORDER)));

    enum Order { PROC_THEN_FRAME, FRAME_THEN_PROC, PROC_ONLY };
    struct Row {
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        Order order;
        LRESULT result;  // the probe answers 77
    } rows[] = {
        {WM_SIZE, SIZE_RESTORED, MAKELPARAM(60, 30), PROC_THEN_FRAME, 0},
        {WM_ENABLE, TRUE, 0, PROC_THEN_FRAME, 0},
        {WM_PAINT, 0, 0, PROC_THEN_FRAME, 0},
        {WM_NCPAINT, 1, 0, PROC_THEN_FRAME, 0},
        {WM_NCMOUSEMOVE, HTBORDER, MAKELPARAM(3, 4), PROC_THEN_FRAME, 0},
        {WM_NCLBUTTONUP, HTBORDER, MAKELPARAM(3, 4), PROC_THEN_FRAME, 0},
        {WM_HSCROLL, SB_LINEDOWN, 0, PROC_THEN_FRAME, 0},
        {WM_VSCROLL, SB_LINEUP, 0, PROC_THEN_FRAME, 0},
        {WM_SETFOCUS, 0, 0, FRAME_THEN_PROC, 77},
        {WM_KILLFOCUS, 0, 0, FRAME_THEN_PROC, 77},
        {WM_USER + 5, 1, 2, PROC_ONLY, 77},
    };
    for (const Row& r : rows) {
        StartRecording();
        LRESULT lr = SendMessageA(hProbe, r.message, r.wParam, r.lParam);
        StopRecording();
        std::vector<SeqEntry> expected;
        if (r.order == FRAME_THEN_PROC) expected.push_back(Frame(hProbe));
        expected.push_back(Proc(hProbe, r.message, r.wParam, r.lParam));
        if (r.order == PROC_THEN_FRAME) expected.push_back(Frame(hProbe));
        EXPECT_TRUE(SequenceMatches(expected, hProbe, {r.message})) << "message " << std::hex << r.message;
        EXPECT_EQ(lr, r.result) << "message " << std::hex << r.message;
    }
}

TEST_F(EngineTest, NonClientPressPostsAMoveAfterRedrawing) {
    HWND hHost = Keep(CreateHost(0, 0, 200, 100, false));
    HWND hProbe = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 60, 30);
    ASSERT_TRUE(m_pManager->AttachSkin(hProbe, new CTestSkin(SKIN_KIND_BORDER)));
    const LPARAM lPoint = MAKELPARAM(12, 34);
    scrivlo_test::PumpMessages(0);
    StartRecording();
    EXPECT_EQ(SendMessageA(hProbe, WM_NCLBUTTONDOWN, HTBORDER, lPoint), 0);
    EXPECT_TRUE(SequenceMatches({Proc(hProbe, WM_NCLBUTTONDOWN, HTBORDER, lPoint), Frame(hProbe)}, hProbe,
                                {WM_NCLBUTTONDOWN, WM_NCMOUSEMOVE}));
    scrivlo_test::PumpMessages(50);
    StopRecording();
    EXPECT_TRUE(SequenceMatches({Proc(hProbe, WM_NCLBUTTONDOWN, HTBORDER, lPoint), Frame(hProbe),
                                 Proc(hProbe, WM_NCMOUSEMOVE, HTCAPTION, lPoint), Frame(hProbe)},
                                hProbe, {WM_NCLBUTTONDOWN, WM_NCMOUSEMOVE}));
}

TEST_F(EngineTest, NcDestroyRestoresTheProcedureThenDeletesTheSkinner) {
    HWND hHost = Keep(CreateHost(0, 0, 200, 100, false));
    HWND hProbe = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 60, 30);
    ASSERT_TRUE(m_pManager->AttachSkin(hProbe, new CTestSkin(SKIN_KIND_BORDER)));
    StartRecording();
    DestroyWindow(hProbe);
    StopRecording();
    EXPECT_TRUE(SequenceMatches({Proc(hProbe, WM_DESTROY), Proc(hProbe, WM_NCDESTROY), Deleted(hProbe, true)}, hProbe,
                                {WM_DESTROY, WM_NCDESTROY}));
    EXPECT_EQ(CSkinManager::FindSkin(hProbe), nullptr);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
}

TEST_F(EngineTest, ControlDestroyedWhileHandlingAMessageIsNotRedrawn) {
    // The probe destroys itself inside WM_SIZE (wParam 99); the skinner is
    // deleted during the call and must not draw when it returns.
    HWND hHost = Keep(CreateHost(0, 0, 200, 100, false));
    HWND hProbe = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 60, 30);
    ASSERT_TRUE(m_pManager->AttachSkin(hProbe, new CTestSkin(SKIN_KIND_BORDER)));
    StartRecording();
    SendMessageA(hProbe, WM_SIZE, 99, 0);
    StopRecording();
    EXPECT_FALSE(IsWindow(hProbe));
    EXPECT_TRUE(SequenceMatches(
        {Proc(hProbe, WM_SIZE, 99, 0), Proc(hProbe, WM_DESTROY), Proc(hProbe, WM_NCDESTROY), Deleted(hProbe, true)},
        hProbe, {WM_SIZE, WM_DESTROY, WM_NCDESTROY}));
}

TEST_F(EngineTest, FrameRectangleLeavesAnOuterBorderLine) {
    HWND hHost = Keep(CreateHost(0, 0, 300, 200, false));
    struct Row {
        const char* label;
        DWORD style, exStyle;
        int nClientInset;  // client origin minus window left
        RECT frame;
    } rows[] = {
        {"plain", 0, 0, 0, {0, 0, 60, 30}},
        {"client edge", 0, WS_EX_CLIENTEDGE, 2, {0, 0, 60, 30}},
        {"border and client edge", WS_BORDER, WS_EX_CLIENTEDGE, 3, {1, 1, 59, 29}},
        {"border only", WS_BORDER, 0, 1, {0, 0, 60, 30}},
        {"static edge and client edge", 0, WS_EX_CLIENTEDGE | WS_EX_STATICEDGE, 3, {1, 1, 59, 29}},
    };
    for (const Row& r : rows) {
        HWND hProbe = CreateProbe(hHost, WS_CHILD | r.style, r.exStyle, 0, 0, 60, 30);
        RECT rw;
        GetWindowRect(hProbe, &rw);
        POINT pt = {0, 0};
        ClientToScreen(hProbe, &pt);
        ASSERT_EQ(pt.x - rw.left, r.nClientInset) << r.label;
        ASSERT_TRUE(m_pManager->AttachSkin(hProbe, new CTestSkin(SKIN_KIND_BORDER)));
        TestSkinOf(hProbe)->RedrawFrame();
        const SkinLife* life = LifeOf(hProbe);
        ASSERT_TRUE(life);
        EXPECT_EQ(life->rcLastFrame.left, r.frame.left) << r.label;
        EXPECT_EQ(life->rcLastFrame.top, r.frame.top) << r.label;
        EXPECT_EQ(life->rcLastFrame.right, r.frame.right) << r.label;
        EXPECT_EQ(life->rcLastFrame.bottom, r.frame.bottom) << r.label;
        EXPECT_EQ(life->hLastDCWnd, hProbe) << r.label;
        DestroyWindow(hProbe);
    }
}

namespace {

// A skinner whose frame DC is its parent's, as the edit of a combo box draws.
class CParentDCSkin : public CTestSkin {
public:
    CParentDCSkin() : CTestSkin(SKIN_KIND_COMBOEDIT) {}
    void GetFrameDC(HDC* phDC, RECT* prcFrame) override {
        SetRect(prcFrame, 0, 0, 10, 10);
        *phDC = GetWindowDC(GetParent(m_hWnd));
    }
};

}  // namespace

TEST_F(EngineTest, RedrawUsesTheKindsFrameDCAndActiveState) {
    HWND hHost = Keep(CreateHost(0, 0, 300, 200, false));
    HWND hProbe = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 60, 30);
    auto* pSkin = new CParentDCSkin;
    ASSERT_TRUE(m_pManager->AttachSkin(hProbe, pSkin));
    pSkin->m_nState = SKIN_HOT;
    pSkin->m_bActive = TRUE;
    pSkin->RedrawFrame();
    EXPECT_EQ(LifeOf(hProbe)->hLastDCWnd, hHost);
    EXPECT_EQ(LifeOf(hProbe)->nLastState, SKIN_HOT | SKIN_ACTIVE);
    EXPECT_TRUE(pSkin->IsHighlighted());
    pSkin->m_bActive = FALSE;
    pSkin->m_nState = 0;
    pSkin->RedrawFrame();
    EXPECT_EQ(LifeOf(hProbe)->nLastState, 0);
    EXPECT_FALSE(pSkin->IsHighlighted());
    // The parent's DC went back each time: many redraws keep working.
    for (int i = 0; i < 200; ++i) pSkin->RedrawFrame();
    EXPECT_EQ(LifeOf(hProbe)->nDraws, 202);
    EXPECT_EQ(LifeOf(hProbe)->hLastDCWnd, hHost);
}

TEST_F(EngineTest, BaseHoverTestAsksForAnUpdateUnlessAlreadyHot) {
    HWND hHost = Keep(CreateHost(0, 0, 300, 200, false));
    HWND hProbe = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 60, 30);
    ASSERT_TRUE(m_pManager->AttachSkin(hProbe, new CTestSkin(SKIN_KIND_BORDER)));
    POINT pt = {1, 1};
    CSkinManager::m_hHoverWnd = nullptr;
    EXPECT_TRUE(TestSkinOf(hProbe)->NeedsHoverUpdate(&pt));
    CSkinManager::m_hHoverWnd = hHost;
    EXPECT_TRUE(TestSkinOf(hProbe)->NeedsHoverUpdate(&pt));
    CSkinManager::m_hHoverWnd = hProbe;
    EXPECT_FALSE(TestSkinOf(hProbe)->NeedsHoverUpdate(&pt));
}

// ---- scroll bar frames from real scroll information, into a DIB section ----

namespace {

const COLORREF kSentinel = RGB(0xFF, 0x00, 0xFF);

// A canvas that starts as the sentinel.
class CCanvas : public scrivlo_test::CDibCanvas {
public:
    CCanvas(int cx, int cy) : CDibCanvas(cx, cy, kSentinel) {}
    // The rows of column x (from y0 to y1, exclusive) that are not the sentinel.
    int Painted(int x, int y0, int y1) const {
        int n = 0;
        for (int y = y0; y < y1; ++y) n += At(x, y) != kSentinel;
        return n;
    }
};

void SetInfo(HWND h, int nBar, int nMin, int nMax, UINT nPage, int nPos) {
    SCROLLINFO si = {sizeof(si), SIF_RANGE | SIF_PAGE | SIF_POS | SIF_DISABLENOSCROLL, nMin, nMax, nPage, nPos, 0};
    SetScrollInfo(h, nBar, &si, FALSE);
}

}  // namespace

TEST_F(EngineTest, ScrollBarControlFramesArrowsAndThumb) {
    HWND hHost = Keep(CreateHost(0, 0, 300, 300, false));
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int thumbMetric = GetSystemMetrics(SM_CXHTHUMB);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), face = GetSysColor(COLOR_BTNFACE);
    const int cx = 16, cy = 2 * arrow + 100;  // a track of 100
    HWND hBar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | SBS_VERT, 0, 0, cx, cy, hHost, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    CTestSkin skin(SKIN_KIND_SCROLLBAR);
    skin.m_hWnd = hBar;
    const RECT rc = {0, 0, cx, cy};

    struct Row {
        const char* label;
        int nMin, nMax;
        UINT nPage;
        int nPos;
        BOOL bEnabled;
        int thumbTop, thumbLen;  // thumbLen 0: no thumb frame
    } rows[] = {
        // range 100, page 10: a 10-pixel thumb at offset MulDiv(45, 90, 90).
        {"page 10 at 45", 0, 99, 10, 45, TRUE, arrow + 45, 10},
        {"no page: the system's thumb", 0, 9, 0, 0, TRUE, arrow, thumbMetric},
        {"page covers the range: track minus one", 0, 99, 100, 0, TRUE, arrow, 99},
        {"disabled: arrows only", 0, 99, 10, 45, FALSE, 0, 0},
    };
    for (const Row& r : rows) {
        SetInfo(hBar, SB_CTL, r.nMin, r.nMax, r.nPage, r.nPos);
        EnableWindow(hBar, r.bEnabled);
        CCanvas dib(cx, cy);
        skin.DrawScrollBar(dib.DC(), &rc, TRUE, TRUE);
        // Both arrows are framed: outline, face line inside, untouched middle.
        scrivlo_test::ExpectPixels(dib, r.label,
                                   {{0, 0, shadow},
                                    {1, 1, face},
                                    {cx - 1, arrow - 1, shadow},
                                    {cx / 2, arrow / 2, kSentinel},
                                    {0, cy - arrow, shadow},
                                    {cx - 1, cy - 1, shadow}});
        // The track column x = 0 is painted exactly over the thumb frame.
        EXPECT_EQ(dib.Painted(0, arrow, cy - arrow), r.thumbLen) << r.label;
        if (r.thumbLen) {
            scrivlo_test::ExpectPixels(
                dib, r.label,
                {{0, r.thumbTop, shadow}, {0, r.thumbTop + r.thumbLen - 1, shadow}, {1, r.thumbTop + 1, face}});
        }
    }
    EnableWindow(hBar, TRUE);
    DestroyWindow(hBar);
}

TEST_F(EngineTest, ShortScrollBarGetsHalfLengthArrows) {
    HWND hHost = Keep(CreateHost(0, 0, 300, 300, false));
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const int cy = arrow + 3;  // shorter than two arrows
    const int half = cy / 2;
    HWND hBar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | SBS_VERT, 0, 0, 16, cy, hHost, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    SetInfo(hBar, SB_CTL, 0, 99, 10, 0);
    CTestSkin skin(SKIN_KIND_SCROLLBAR);
    skin.m_hWnd = hBar;
    const RECT rc = {0, 0, 16, cy};
    CCanvas dib(16, cy);
    skin.DrawScrollBar(dib.DC(), &rc, TRUE, TRUE);
    EXPECT_EQ(ColorText(dib.At(15, half - 1)), ColorText(shadow)) << "first arrow ends at half the bar";
    EXPECT_EQ(ColorText(dib.At(0, cy - half)), ColorText(shadow)) << "second arrow starts half the bar up";
    DestroyWindow(hBar);
}

TEST_F(EngineTest, WindowScrollBarsAreFramedInsideTheFrame) {
    HWND hHost = Keep(CreateHost(0, 0, 300, 300, false));
    const int e = GetSystemMetrics(SM_CXEDGE), s = GetSystemMetrics(SM_CXHSCROLL);
    const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW);
    const int cx = 200, cy = 150;
    HWND hProbe = CreateProbe(hHost, WS_CHILD | WS_HSCROLL | WS_VSCROLL, WS_EX_CLIENTEDGE, 0, 0, cx, cy);
    CTestSkin skin(SKIN_KIND_BORDER);
    skin.m_hWnd = hProbe;
    const RECT rc = {0, 0, cx, cy};

    // A page covering the range: a window's own bar shows no thumb frame.
    SetInfo(hProbe, SB_HORZ, 0, 99, 100, 0);
    SetInfo(hProbe, SB_VERT, 0, 99, 100, 0);
    {
        CCanvas dib(cx, cy);
        skin.DrawWindowScrollBars(dib.DC(), &rc);
        // Horizontal bar: from e to cx - s - e, rows cy - s - e to cy - e.
        EXPECT_EQ(ColorText(dib.At(e, cy - s - e)), ColorText(shadow));
        EXPECT_EQ(ColorText(dib.At(cx - s - e - 1, cy - e - 1)), ColorText(shadow));
        // Vertical bar: columns cx - s - e to cx - e, rows e to cy - s - e.
        EXPECT_EQ(ColorText(dib.At(cx - s - e, e)), ColorText(shadow));
        EXPECT_EQ(ColorText(dib.At(cx - e - 1, cy - s - e - 1)), ColorText(shadow));
        // The corner square and the edge strip are not drawn.
        EXPECT_EQ(ColorText(dib.At(cx - e - 1, cy - e - 1)), ColorText(kSentinel));
        EXPECT_EQ(ColorText(dib.At(0, 0)), ColorText(kSentinel));
        // No thumb: the vertical track's left column is untouched.
        EXPECT_EQ(dib.Painted(cx - s - e, e + s, cy - 2 * s - e), 0);
    }
    // A page of 10 in 100: now the vertical track shows a thumb frame.
    SetInfo(hProbe, SB_VERT, 0, 99, 10, 0);
    {
        CCanvas dib(cx, cy);
        skin.DrawWindowScrollBars(dib.DC(), &rc);
        EXPECT_GT(dib.Painted(cx - s - e, e + s, cy - 2 * s - e), 0);
    }
    // Without WS_HSCROLL the vertical bar runs down to the bottom edge.
    SetWindowLongA(hProbe, GWL_STYLE, GetWindowLongA(hProbe, GWL_STYLE) & ~WS_HSCROLL);
    {
        CCanvas dib(cx, cy);
        skin.DrawWindowScrollBars(dib.DC(), &rc);
        EXPECT_EQ(ColorText(dib.At(cx - e - 1, cy - e - 1)), ColorText(shadow));
        EXPECT_EQ(ColorText(dib.At(e, cy - s - e)), ColorText(kSentinel));
    }
    DestroyWindow(hProbe);
}

}  // namespace engine_test
