// Per-thread data of the framework: freed when a thread ends (with the heap
// left sound), temporary wrappers freed at idle in the application's loop and
// in a modal loop, kept while a handler below a modal loop may hold them.
#include <gtest/gtest.h>

#include <malloc.h>
#include <process.h>

#include <vector>

#include "framework/Framework.h"
#include "framework/WndThreadState.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

const UINT WM_TEST_STEP = WM_APP + 40;

// What a thread does with the framework before it ends: temporaries of every
// kind, a window created through the creation hook, a modeless dialog.
struct ThreadWork {
    long dataCountInside = -1;
    int tempsInside = -1;
    BOOL created = FALSE;
};

unsigned __stdcall UseTheFrameworkAndEnd(void* pArg) {
    ThreadWork* work = static_cast<ThreadWork*>(pArg);
    CWnd::FromHandle(::GetDesktopWindow());
    HDC hScreen = ::GetDC(nullptr);
    CDC::FromHandle(hScreen)->GetDeviceCaps(BITSPIXEL);
    CBrush::FromHandle(static_cast<HBRUSH>(::GetStockObject(WHITE_BRUSH)));
    CPen::FromHandle(static_cast<HPEN>(::GetStockObject(BLACK_PEN)));
    CWnd wnd;
    work->created = wnd.CreateEx(0, "STATIC", "t", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr);
    wnd.DestroyWindow();
    work->tempsInside = AfxGetTempWrapperCount();
    work->dataCountInside = AfxGetThreadDataCount();
    ::ReleaseDC(nullptr, hScreen);
    return 0;  // the temporaries are left for the thread's end to free
}

TEST(ThreadData, FreedWhenEachThreadEndsAndTheHeapStaysSound) {
    AfxGetThreadData();  // this thread's own data counts from here on
    const long baseline = AfxGetThreadDataCount();
    for (int round = 0; round < 20; ++round) {
        ThreadWork works[2];
        HANDLE threads[2];
        for (int i = 0; i < 2; ++i) {
            threads[i] =
                reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &UseTheFrameworkAndEnd, &works[i], 0, nullptr));
            ASSERT_NE(threads[i], nullptr);
        }
        ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 20000), WAIT_OBJECT_0) << "round " << round;
        for (int i = 0; i < 2; ++i) {
            CloseHandle(threads[i]);
            EXPECT_TRUE(works[i].created) << "round " << round;
            EXPECT_GE(works[i].tempsInside, 4) << "round " << round;
            EXPECT_GT(works[i].dataCountInside, baseline) << "round " << round;
        }
        EXPECT_EQ(AfxGetThreadDataCount(), baseline) << "round " << round << ": data of ended threads freed";
        ASSERT_EQ(_heapchk(), _HEAPOK) << "round " << round;
    }
}

TEST(ThreadData, LookupKeepsTheCallersLastError) {
    // The failed creation's error must survive the framework's bookkeeping
    // that runs between CreateWindowEx and the caller's GetLastError.
    SetLastError(0);
    EXPECT_EQ(CreateWindowExA(0, "FwNoSuchClassAnywhere", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                              GetModuleHandleA(nullptr), nullptr),
              nullptr);
    const DWORD dwPlatformError = GetLastError();
    ASSERT_NE(dwPlatformError, 0u);
    CWnd wnd;
    SetLastError(0);
    EXPECT_FALSE(wnd.CreateEx(0, "FwNoSuchClassAnywhere", "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr));
    EXPECT_EQ(GetLastError(), dwPlatformError);
    SetLastError(4321);
    AfxGetWndThreadState();
    EXPECT_EQ(GetLastError(), 4321u);
}

// Brushes whose temporary wrappers a step makes (distinct handles, so the
// wrappers would pile up if nothing freed them).
class BrushPool {
public:
    explicit BrushPool(int n) {
        for (int i = 0; i < n; ++i) m_brushes.push_back(::CreateSolidBrush(RGB(i & 0xFF, (i >> 8) & 0xFF, 7)));
    }
    ~BrushPool() {
        for (HBRUSH h : m_brushes) ::DeleteObject(h);
    }
    // Wraps the next n brushes; TRUE when each got a temporary of its own.
    bool WrapNext(int n) {
        bool ok = true;
        for (int i = 0; i < n && m_next < m_brushes.size(); ++i, ++m_next) {
            CBrush* p = CBrush::FromHandle(m_brushes[m_next]);
            ok = ok && p != nullptr && p->m_hObject == m_brushes[m_next];
        }
        return ok;
    }
    size_t Used() const { return m_next; }

private:
    std::vector<HBRUSH> m_brushes;
    size_t m_next = 0;
};

// A window whose step handler wraps brushes; the application below drives it.
class CStepWnd : public CWnd {
public:
    BrushPool* m_pPool = nullptr;
    int m_nPerStep = 10;
    int m_nMaxAtStepStart = 0;
    bool m_bWrapOk = true;

protected:
    LRESULT OnStep(WPARAM, LPARAM) {
        int n = AfxGetTempWrapperCount();
        if (n > m_nMaxAtStepStart) m_nMaxAtStepStart = n;
        m_bWrapOk = m_pPool->WrapNext(m_nPerStep) && m_bWrapOk;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStepWnd, CWnd)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
END_MESSAGE_MAP()

// Posts one step per idle turn, then quits.
class CStepApp : public CWinApp {
public:
    CStepWnd* m_pWnd = nullptr;
    int m_nSteps = 0;
    int m_nStepsWanted = 100;
    int m_nAfterIdle = -1;

    BOOL OnIdle(LONG lCount) override {
        CWinApp::OnIdle(lCount);
        if (lCount == 0 && AfxGetTempWrapperCount() > m_nAfterIdle) m_nAfterIdle = AfxGetTempWrapperCount();
        if (m_nSteps++ < m_nStepsWanted)
            m_pWnd->PostMessage(WM_TEST_STEP);
        else
            ::PostQuitMessage(0);
        return FALSE;
    }
};

TEST(TempWrappers, FreedAtEachIdleTurnOfTheApplication) {
    BrushPool pool(1000);
    CStepApp app;
    CStepWnd wnd;
    wnd.m_pPool = &pool;
    ASSERT_TRUE(wnd.CreateEx(0, "STATIC", "steps", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    app.m_pWnd = &wnd;
    app.Run();
    EXPECT_EQ(pool.Used(), 1000u) << "1000 FromHandle calls in 100 steps";
    EXPECT_TRUE(wnd.m_bWrapOk);
    EXPECT_EQ(app.m_nAfterIdle, 0) << "nothing left after the idle turn";
    EXPECT_EQ(wnd.m_nMaxAtStepStart, 0) << "each step starts with the previous one's wrappers gone";
    wnd.DestroyWindow();
}

// A modal dialog whose timer wraps brushes at every tick.
class CTickDialog : public CDialog {
public:
    BrushPool* m_pPool = nullptr;
    int m_nTicks = 0;
    int m_nTicksWanted = 50;
    int m_nPerTick = 20;
    int m_nMaxAtTickStart = 0;
    bool m_bWrapOk = true;
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        SetTimer(1, 15, nullptr);
        return TRUE;
    }

protected:
    void OnTimer(UINT_PTR) {
        int n = AfxGetTempWrapperCount();
        if (n > m_nMaxAtTickStart) m_nMaxAtTickStart = n;
        m_bWrapOk = m_pPool->WrapNext(m_nPerTick) && m_bWrapOk;
        if (++m_nTicks == m_nTicksWanted) {
            KillTimer(1);
            EndDialog(IDOK);
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTickDialog, CDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(TempWrappers, FreedWhenTheModalLoopRunsOutOfMessages) {
    BrushPool pool(1000);
    fwtest::DialogTemplate t(WS_POPUP | WS_CAPTION, 80, 40, "Ticks");
    CTickDialog dlg;
    dlg.m_pPool = &pool;
    ASSERT_TRUE(dlg.InitModalIndirect(t.Get()));
    EXPECT_EQ(dlg.DoModal(), IDOK);
    EXPECT_EQ(pool.Used(), 1000u);
    EXPECT_TRUE(dlg.m_bWrapOk);
    // A tick that comes due while the previous one runs skips an idle turn;
    // without any freeing the count would reach 980.
    EXPECT_LE(dlg.m_nMaxAtTickStart, 3 * dlg.m_nPerTick);
}

// A handler that takes a temporary wrapper, runs a modal dialog, and uses
// the wrapper again afterwards.
class CHolderWnd : public CWnd {
public:
    HWND m_hForeign = nullptr;
    CWnd* m_pBefore = nullptr;
    CWnd* m_pAfter = nullptr;
    HWND m_hSeenAfter = nullptr;
    int m_nTicks = 0;

protected:
    LRESULT OnStep(WPARAM, LPARAM) {
        m_pBefore = CWnd::FromHandle(m_hForeign);
        fwtest::DialogTemplate t(WS_POPUP | WS_CAPTION, 80, 40, "Nested");
        CTickDialog dlg;
        BrushPool pool(100);
        dlg.m_pPool = &pool;
        dlg.m_nTicksWanted = 5;
        dlg.InitModalIndirect(t.Get());
        dlg.DoModal();
        m_nTicks = dlg.m_nTicks;
        m_pAfter = CWnd::FromHandle(m_hForeign);
        m_hSeenAfter = m_pBefore->m_hWnd;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CHolderWnd, CWnd)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
END_MESSAGE_MAP()

TEST(TempWrappers, KeptWhileAHandlerBelowTheModalLoopMayHoldThem) {
    fwtest::MessageLog log;
    HWND hForeign = fwtest::CreateRecordingWindow(&log);
    CHolderWnd holder;
    holder.m_hForeign = hForeign;
    ASSERT_TRUE(holder.CreateEx(0, "STATIC", "holder", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    holder.SendMessage(WM_TEST_STEP);
    EXPECT_EQ(holder.m_nTicks, 5) << "the modal loop ran and went idle";
    ASSERT_NE(holder.m_pBefore, nullptr);
    EXPECT_EQ(holder.m_pAfter, holder.m_pBefore) << "the handler's wrapper survived the modal loop";
    EXPECT_EQ(holder.m_hSeenAfter, hForeign);
    CWnd::DeleteTempMap();
    holder.DestroyWindow();
    DestroyWindow(hForeign);
}

}  // namespace
