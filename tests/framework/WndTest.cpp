// CWnd binding: permanent and temporary objects per thread, subclassing
// order, unbinding at WM_NCDESTROY, creation bound from the first message.
#include <gtest/gtest.h>

#include <process.h>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestSupport.h"

using fwtest::ExpectedMsg;
using fwtest::kCheckWParam;
using fwtest::MessageLog;

namespace {

// Records PreSubclassWindow, every message its WindowProc sees and PostNcDestroy.
class CRecordingWnd : public CWnd {
public:
    explicit CRecordingWnd(MessageLog* pLog) : m_pLog(pLog) {}
    MessageLog* m_pLog;
    int m_nPostNcDestroy = 0;

    void PreSubclassWindow() override {
        m_pLog->Add("pre", 0);
        CWnd::PreSubclassWindow();
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        m_pLog->Add("map", message, wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
    void PostNcDestroy() override { ++m_nPostNcDestroy; }
};

TEST(WndFromHandle, PermanentForBoundWindowsTemporaryOtherwise) {
    MessageLog log;
    HWND hBound = fwtest::CreateRecordingWindow(&log);
    HWND hForeign = fwtest::CreateRecordingWindow(&log);
    CRecordingWnd wnd(&log);
    ASSERT_TRUE(wnd.Attach(hBound));

    EXPECT_EQ(CWnd::FromHandle(hBound), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(hBound), &wnd);

    CWnd* pTemp = CWnd::FromHandle(hForeign);
    ASSERT_NE(pTemp, nullptr);
    EXPECT_EQ(pTemp->m_hWnd, hForeign);
    EXPECT_EQ(CWnd::FromHandle(hForeign), pTemp) << "one temporary per handle until the map is freed";
    EXPECT_EQ(CWnd::FromHandlePermanent(hForeign), nullptr);
    EXPECT_EQ(CWnd::FromHandle(nullptr), nullptr);

    // Binding the window replaces its temporary wrapper.
    CRecordingWnd wnd2(&log);
    ASSERT_TRUE(wnd2.Attach(hForeign));
    EXPECT_EQ(CWnd::FromHandle(hForeign), &wnd2);

    // A window bound once cannot be bound to a second object.
    CRecordingWnd wnd3(&log);
    EXPECT_FALSE(wnd3.Attach(hBound));
    EXPECT_EQ(wnd3.m_hWnd, nullptr);

    // The handle through a pointer that may be null.
    EXPECT_EQ(CWnd::GetSafeHwnd(&wnd), hBound);
    EXPECT_EQ(CWnd::GetSafeHwnd(static_cast<const CWnd*>(nullptr)), nullptr);
    EXPECT_EQ(CWnd::GetSafeHwnd(&wnd3), nullptr);
    EXPECT_EQ(wnd.GetSafeHwnd(), hBound);

    EXPECT_EQ(wnd2.Detach(), hForeign);
    EXPECT_EQ(CWnd::FromHandlePermanent(hForeign), nullptr);
    EXPECT_EQ(wnd.Detach(), hBound);
    DestroyWindow(hBound);
    DestroyWindow(hForeign);
}

struct OtherThreadQuery {
    HWND hWnd;
    CWnd* pPermanent;
    CWnd* pFromHandle;
    HWND hWndOfWrapper;
};

unsigned __stdcall QueryFromOtherThread(void* pArg) {
    OtherThreadQuery* q = static_cast<OtherThreadQuery*>(pArg);
    q->pPermanent = CWnd::FromHandlePermanent(q->hWnd);
    q->pFromHandle = CWnd::FromHandle(q->hWnd);
    q->hWndOfWrapper = q->pFromHandle != nullptr ? q->pFromHandle->m_hWnd : nullptr;
    return 0;
}

TEST(WndFromHandle, MapsArePerThread) {
    MessageLog log;
    HWND hWnd = fwtest::CreateRecordingWindow(&log);
    CRecordingWnd wnd(&log);
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));

    OtherThreadQuery q = {hWnd, nullptr, nullptr, nullptr};
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &QueryFromOtherThread, &q, 0, nullptr));
    ASSERT_NE(hThread, nullptr);
    WaitForSingleObject(hThread, 10000);
    CloseHandle(hThread);

    EXPECT_EQ(q.pPermanent, nullptr) << "another thread does not see this thread's objects";
    EXPECT_NE(q.pFromHandle, &wnd);
    EXPECT_EQ(q.hWndOfWrapper, hWnd) << "it gets a temporary wrapper of the same window";
    wnd.DestroyWindow();
}

TEST(WndSubclass, PreSubclassWindowRunsBeforeTheFirstMessage) {
    MessageLog log;
    HWND hWnd = fwtest::CreateRecordingWindow(&log);
    WNDPROC pfnOriginal = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    CRecordingWnd wnd(&log);
    log.Clear();
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    SendMessageA(hWnd, WM_APP + 7, 1, 2);

    static const ExpectedMsg expected[] = {
        {0, 0, 0, 0, "pre"},
        {WM_APP + 7, kCheckWParam, 1, 0, "map"},
        {WM_APP + 7, kCheckWParam, 1, 0, "proc"},
    };
    std::string diff = fwtest::CompareSequence(log.Entries(), expected, "subclass");
    EXPECT_TRUE(diff.empty()) << diff;

    // Unsubclassing gives the window its procedure back and unbinds it.
    EXPECT_EQ(wnd.UnsubclassWindow(), hWnd);
    EXPECT_EQ(reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)), pfnOriginal);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    log.Clear();
    SendMessageA(hWnd, WM_APP + 8, 0, 0);
    static const ExpectedMsg after[] = {{WM_APP + 8, 0, 0, 0, "proc"}};
    diff = fwtest::CompareSequence(log.Entries(), after, "after unsubclass");
    EXPECT_TRUE(diff.empty()) << diff;
    DestroyWindow(hWnd);
}

TEST(WndSubclass, DestroyUnbindsAtNcDestroy) {
    MessageLog log;
    HWND hWnd = fwtest::CreateRecordingWindow(&log);
    CRecordingWnd wnd(&log);
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    log.Clear();
    EXPECT_TRUE(wnd.DestroyWindow());
    EXPECT_EQ(wnd.m_hWnd, nullptr);
    EXPECT_EQ(wnd.m_nPostNcDestroy, 1);
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);

    // The last two messages reach the map and then the original procedure.
    std::vector<fwtest::LoggedMsg> tail = log.Only({WM_DESTROY, WM_NCDESTROY});
    static const ExpectedMsg expected[] = {
        {WM_DESTROY, 0, 0, 0, "map"},
        {WM_DESTROY, 0, 0, 0, "proc"},
        {WM_NCDESTROY, 0, 0, 0, "map"},
        {WM_NCDESTROY, 0, 0, 0, "proc"},
    };
    std::string diff = fwtest::CompareSequence(tail, expected, "destroy");
    EXPECT_TRUE(diff.empty()) << diff;
    EXPECT_FALSE(wnd.DestroyWindow()) << "nothing left to destroy";
}

TEST(WndSubclass, ObjectDeletedBeforeItsWindowLeavesAWorkingWindow) {
    MessageLog log;
    HWND hWnd = fwtest::CreateRecordingWindow(&log);
    {
        CRecordingWnd wnd(&log);
        ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    }
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
    log.Clear();
    SendMessageA(hWnd, WM_APP + 9, 0, 0);  // must not reach the deleted object
    static const ExpectedMsg expected[] = {{WM_APP + 9, 0, 0, 0, "proc"}};
    std::string diff = fwtest::CompareSequence(log.Entries(), expected, "after delete");
    EXPECT_TRUE(diff.empty()) << diff;
    DestroyWindow(hWnd);
}

TEST(WndCreate, BoundBeforeTheFirstMessage) {
    MessageLog log;
    CRecordingWnd wnd(&log);
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "created", WS_POPUP, 0, 0, 50, 20, nullptr, nullptr));
    ASSERT_NE(wnd.m_hWnd, nullptr);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);
    ASSERT_FALSE(log.Entries().empty());
    // Nothing of the creation is missed: the first message is the very first
    // one a window gets (WM_GETMINMAXINFO for some popups, else WM_NCCREATE).
    UINT first = log.Entries()[0].message;
    EXPECT_TRUE(first == WM_GETMINMAXINFO || first == WM_NCCREATE) << std::hex << first;
    static const ExpectedMsg expected[] = {
        {WM_NCCREATE, 0, 0, 0, "map"},
        {WM_NCCALCSIZE, 0, 0, 0, "map"},
        {WM_CREATE, 0, 0, 0, "map"},
    };
    std::string diff = fwtest::CompareSequence(log.Only({WM_NCCREATE, WM_NCCALCSIZE, WM_CREATE}), expected, "creation");
    EXPECT_TRUE(diff.empty()) << diff;
    wnd.DestroyWindow();
}

TEST(WndAttributes, ModifyStyleAndText) {
    MessageLog log;
    CRecordingWnd wnd(&log);
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 100, 60, nullptr, nullptr));

    struct Case {
        const char* context;
        DWORD remove;
        DWORD add;
        UINT flags;
        BOOL expectedResult;
        bool expectFrameChange;
    };
    const Case cases[] = {
        {"remove the caption with a frame change", WS_CAPTION, 0, SWP_FRAMECHANGED, TRUE, true},
        {"removing what is gone changes nothing", WS_BORDER, 0, SWP_FRAMECHANGED, FALSE, false},
        {"add without repositioning", 0, WS_BORDER, 0, TRUE, false},
    };
    for (const Case& c : cases) {
        log.Clear();
        DWORD before = wnd.GetStyle();
        EXPECT_EQ(wnd.ModifyStyle(c.remove, c.add, c.flags), c.expectedResult) << c.context;
        EXPECT_EQ(wnd.GetStyle(), (before & ~c.remove) | c.add) << c.context;
        EXPECT_EQ(!log.Only({WM_NCCALCSIZE}).empty(), c.expectFrameChange) << c.context;
    }

    wnd.SetWindowText("Status text");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(static_cast<const char*>(text), "Status text");
    EXPECT_EQ(wnd.GetWindowTextLength(), 11);
    wnd.DestroyWindow();
}

TEST(WndAttributes, ScreenAndClientRectangles) {
    MessageLog log;
    CRecordingWnd wnd(&log);
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "", WS_POPUP, 30, 40, 100, 60, nullptr, nullptr));
    RECT rc = {1, 2, 11, 22};
    wnd.ClientToScreen(&rc);
    EXPECT_EQ(rc.left, 31);
    EXPECT_EQ(rc.top, 42);
    EXPECT_EQ(rc.right, 41);
    EXPECT_EQ(rc.bottom, 62);
    wnd.ScreenToClient(&rc);
    EXPECT_EQ(rc.left, 1);
    EXPECT_EQ(rc.bottom, 22);
    wnd.DestroyWindow();
}

}  // namespace
