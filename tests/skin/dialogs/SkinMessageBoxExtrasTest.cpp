// The message box's extensions under Wine: a caller's child dialog below the
// text or at the bottom, a one-second timer that stops with the box, a box
// on a worker thread owned by a modal dialog of the main thread, and the
// result when the box's window cannot be made. One box per case: each case
// runs as a process of its own.
#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <set>
#include <string>

#include "framework/Dialog.h"
#include "framework/ModuleState.h"
#include "skin/dialogs/SkinMessageBox.h"
#include "skin/dialogs/SkinMessageBoxDialog.h"
#include "tests/skin/dialogs/SkinDialogTestRes.h"
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

using namespace scrivlo_test;

namespace {

// Runs work on a thread of its own; the destructor waits for it (pumping).
class CWorker {
public:
    explicit CWorker(std::function<void()> work) : m_work(std::move(work)) {
        m_hThread = ::CreateThread(nullptr, 0, &CWorker::Main, this, 0, nullptr);
    }
    ~CWorker() {
        if (m_hThread != nullptr) {
            WaitForObjectPumping(m_hThread, 10000);
            ::CloseHandle(m_hThread);
        }
    }
    CWorker(const CWorker&) = delete;
    CWorker& operator=(const CWorker&) = delete;

    bool Started() const { return m_hThread != nullptr; }
    bool Ended(DWORD timeoutMs) { return WaitForObjectPumping(m_hThread, timeoutMs); }

private:
    static DWORD WINAPI Main(LPVOID p) {
        static_cast<CWorker*>(p)->m_work();
        return 0;
    }
    std::function<void()> m_work;
    HANDLE m_hThread = nullptr;
};

RECT ClientRectIn(HWND parent, HWND window) {
    RECT rc = WindowRectOf(window);
    ::MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int Height(const RECT& rc) { return rc.bottom - rc.top; }

int DialogUnitsDown(HWND dialog, int dlu) {
    RECT rc = {0, 0, 0, dlu};
    ::MapDialogRect(dialog, &rc);
    return rc.bottom;
}

// Where the plain OK box puts things, from its template in dialog units:
// the button at y = 42, the box 68 high, the gap of 14 under the text.
struct CPlainLayout {
    int m_nButtonTop;
    int m_nBoxHeight;
    int m_nGap;
};

CPlainLayout PlainLayoutOf(HWND box) {
    return CPlainLayout{DialogUnitsDown(box, 42), DialogUnitsDown(box, 68), DialogUnitsDown(box, 14)};
}

enum class ChildPlace { kBelowText, kAtBottom, kMissingTemplate };

void RunChildCase(ChildPlace place) {
    CDialog childDialog;
    SkinMsgBoxChild child;
    child.dialog = &childDialog;
    // cppcheck-suppress AssignmentIntegerToAddress ; the windows library takes MAKEINTRESOURCEA for its bare argument
    child.templateName = MAKEINTRESOURCEA(place == ChildPlace::kMissingTemplate ? 999 : IDD_BOX_CHILD);
    child.atBottom = place == ChildPlace::kAtBottom ? 1 : 0;
    volatile int result = -100;
    CWorker worker([&] { result = SkinMessageBox(nullptr, "One line", "Child", MB_OK, nullptr, &child); });
    ASSERT_TRUE(worker.Started());
    HWND box = WaitForBox(::GetCurrentProcessId(), 5000);
    ASSERT_NE(box, nullptr);
    PumpMessages(100);

    const CPlainLayout plain = PlainLayoutOf(box);
    const RECT text = ClientRectIn(box, FindChildById(box, 255));
    const RECT button = ClientRectIn(box, FindChildById(box, IDOK));
    const RECT window = WindowRectOf(box);
    const int th = Height(text);
    ASSERT_GT(th, 0);
    // A short single line: the box keeps its width, the text grows it by th.
    if (place == ChildPlace::kMissingTemplate) {
        // The box goes on without the child.
        EXPECT_EQ(childDialog.m_hWnd, nullptr);
        EXPECT_EQ(button.top, plain.m_nButtonTop + th);
        EXPECT_EQ(Height(window), plain.m_nBoxHeight + th);
    } else {
        HWND childWindow = childDialog.m_hWnd;
        ASSERT_NE(childWindow, nullptr) << "child dialog created";
        EXPECT_EQ(::GetParent(childWindow), box);
        EXPECT_TRUE(::IsWindowVisible(childWindow)) << "the box shows it";
        EXPECT_EQ(ReadWindowTextA(FindChildById(childWindow, IDC_BOX_CHILD_TEXT)), "Extra");
        const RECT rcChild = ClientRectIn(box, childWindow);
        const int childHeight = Height(rcChild);
        EXPECT_EQ(childHeight, DialogUnitsDown(childWindow, 24));
        EXPECT_EQ(rcChild.left, 0) << "a narrow text leaves the child's left edge";
        if (place == ChildPlace::kBelowText) {
            // Half the gap below the text; the buttons move down by its height.
            EXPECT_EQ(rcChild.top, text.top + 2 * (th / 2) + plain.m_nGap / 2);
            EXPECT_GE(rcChild.top, text.bottom);
            EXPECT_EQ(button.top, plain.m_nButtonTop + th + childHeight);
            EXPECT_GE(button.top, rcChild.bottom);
        } else {
            // Near the old bottom edge; the buttons stay where the text left them.
            EXPECT_EQ(rcChild.top, plain.m_nBoxHeight + th - plain.m_nGap / 2);
            EXPECT_EQ(button.top, plain.m_nButtonTop + th);
            EXPECT_LT(button.bottom, rcChild.top);
        }
        EXPECT_EQ(Height(window), plain.m_nBoxHeight + th + childHeight) << "the box grows by the child's height";
        EXPECT_LE(rcChild.bottom, Height(window));
    }
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
    ASSERT_TRUE(worker.Ended(5000));
    EXPECT_EQ(result, IDOK);
}

}  // namespace

TEST(SkinMessageBoxChild, BelowTheTextMovesTheButtonsDownByItsHeight) { RunChildCase(ChildPlace::kBelowText); }

TEST(SkinMessageBoxChild, AtTheBottomGrowsTheBoxAndLeavesTheButtons) { RunChildCase(ChildPlace::kAtBottom); }

TEST(SkinMessageBoxChild, MissingTemplateShowsTheBoxWithoutTheChild) { RunChildCase(ChildPlace::kMissingTemplate); }

// --- timer ---

namespace {

struct CTickLog {
    static constexpr LONG kMax = 64;
    volatile LONG m_nTicks = 0;
    DWORD m_times[kMax] = {};
    HWND m_boxes[kMax] = {};
};

void RecordTick(CSkinMessageBox* pBox, DWORD_PTR data) {
    CTickLog* log = reinterpret_cast<CTickLog*>(data);
    const LONG n = ::InterlockedIncrement(&log->m_nTicks) - 1;
    if (n < CTickLog::kMax) {
        log->m_times[n] = ::GetTickCount();
        log->m_boxes[n] = pBox->m_hWnd;
    }
}

}  // namespace

// The box's timer reaches the function about once a second while the box is
// open, with the box as its argument. That no tick comes after the box has
// ended is checked too, but cannot tell the box's own KillTimer from the
// system's removal of a destroyed window's timers.
TEST(SkinMessageBoxTimer, OneSecondTimerTicksWhileTheBoxIsOpen) {
    CTickLog log;
    SkinMsgBoxParams params;
    params.timerElapse = 1000;
    params.timerProc = &RecordTick;
    params.timerData = reinterpret_cast<DWORD_PTR>(&log);
    volatile int result = -100;
    volatile LONG ticksAtReturn = -1;
    volatile LONG ticksAfterPumping = -1;
    CWorker worker([&] {
        result = SkinMessageBox(nullptr, "Ticking", "Timer", MB_OK, &params, nullptr);
        ticksAtReturn = log.m_nTicks;
        // The thread goes on handling its messages: a timer left running
        // would still reach the function.
        PumpMessages(1500);
        ticksAfterPumping = log.m_nTicks;
    });
    ASSERT_TRUE(worker.Started());
    HWND box = WaitForBox(::GetCurrentProcessId(), 5000);
    ASSERT_NE(box, nullptr);
    const DWORD shown = ::GetTickCount();
    // Two ticks, about two seconds; the bounds below catch a timer that runs
    // too fast or not at all.
    WaitUntil([&] { return log.m_nTicks >= 2; }, 5000);
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
    ASSERT_TRUE(worker.Ended(8000));
    EXPECT_EQ(result, IDOK);

    const LONG ticks = ticksAtReturn;
    EXPECT_GE(ticks, 2) << "about one a second while the box was open";
    EXPECT_LE(ticks, 4);
    EXPECT_EQ(ticksAfterPumping, ticks) << "no tick after the box ended (its timer or its window is gone)";
    for (LONG i = 0; i < ticks && i < CTickLog::kMax; ++i) {
        EXPECT_EQ(log.m_boxes[i], box) << "tick " << i << " names the running box";
        const DWORD since = i == 0 ? shown : log.m_times[i - 1];
        // A tick never comes much before its period (the first one is
        // measured from when the box was seen, a little after it started).
        if (i > 0) {
            EXPECT_GE(static_cast<long>(log.m_times[i] - since), 900L) << "tick " << i;
        }
    }
}

// --- threads ---

namespace {

struct CDriverReport {
    std::string m_failure;  // empty when every step held
    HWND m_hMain = nullptr;
    HWND m_hBox = nullptr;
    bool m_bOwnerDisabledWhileOpen = false;
    bool m_bOwnerEnabledAfter = false;
    bool m_bMainAnswered = false;
    int m_nBoxResult = -100;
};

}  // namespace

TEST(SkinMessageBoxThreads, WorkerBoxOwnedByTheMainThreadsModalDialogBothWork) {
    CDialog mainDialog(IDD_PLAIN_MODAL);
    CDriverReport report;
    // The driver finds the main dialog, has a worker show a box owned by it,
    // answers the box and then the main dialog, all with real clicks.
    CWorker driver([&] {
        const DWORD pid = ::GetCurrentProcessId();
        report.m_hMain = WaitForTopWindow(pid, "Main", "#32770", 5000);
        if (report.m_hMain == nullptr) {
            report.m_failure = "main dialog not shown";
            return;
        }
        {
            CWorker boxCall([&] {
                report.m_nBoxResult = SkinMessageBox(&mainDialog, "From the worker", "Worker", MB_OK, nullptr, nullptr);
            });
            report.m_hBox = WaitForBox(pid, 5000, std::set<HWND>{report.m_hMain});
            if (report.m_hBox == nullptr) {
                report.m_failure = "box not shown";
                ::PostMessageA(report.m_hMain, WM_COMMAND, IDOK, 0);
                return;
            }
            PumpMessages(100);
            report.m_bOwnerDisabledWhileOpen =
                ::GetWindow(report.m_hBox, GW_OWNER) == report.m_hMain && !::IsWindowEnabled(report.m_hMain);
            // The main thread keeps answering while its dialog is disabled.
            DWORD_PTR length = 0;
            if (!::SendMessageTimeoutA(report.m_hMain, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 2000, &length) ||
                length != 4)
                report.m_failure = "main dialog did not answer while the box was open";
            if (!AnswerBox(report.m_hBox, IDOK, AnswerMethod::kClick) && report.m_failure.empty())
                report.m_failure = "box did not close on its OK button";
            if (!boxCall.Ended(5000) && report.m_failure.empty()) report.m_failure = "box call did not return";
        }
        report.m_bOwnerEnabledAfter = WaitUntil([&] { return ::IsWindowEnabled(report.m_hMain) != FALSE; }, 2000);
        report.m_bMainAnswered = AnswerBox(report.m_hMain, IDOK, AnswerMethod::kClick);
        if (!report.m_bMainAnswered) ::PostMessageA(report.m_hMain, WM_COMMAND, IDOK, 0);
    });
    ASSERT_TRUE(driver.Started());
    const INT_PTR mainResult = mainDialog.DoModal();
    ASSERT_TRUE(driver.Ended(15000));
    EXPECT_EQ(report.m_failure, "");
    EXPECT_EQ(report.m_nBoxResult, IDOK);
    EXPECT_TRUE(report.m_bOwnerDisabledWhileOpen) << "the main dialog owns the box and is disabled while it runs";
    EXPECT_TRUE(report.m_bOwnerEnabledAfter);
    EXPECT_TRUE(report.m_bMainAnswered) << "the main dialog answers its own OK button after the box";
    EXPECT_EQ(mainResult, IDOK);
}

// The resource handle is process-wide. A box on a worker, owned by a window
// of the module already in use, leaves it alone: a value the user-interface
// thread sets while the box is open is still there after the box.
TEST(SkinMessageBoxThreads, WorkerBoxLeavesTheResourceHandleToTheOtherThread) {
    const HINSTANCE program = ::GetModuleHandleA(nullptr);
    HWND owner = ::CreateWindowExA(0, "Static", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr, nullptr,
                                   program, nullptr);
    ASSERT_NE(owner, nullptr);
    AfxSetResourceHandle(program);
    volatile int result = -100;
    CWorker worker(
        [&] { result = SkinMessageBox(CWnd::FromHandle(owner), "Open", "Worker", MB_OK, nullptr, nullptr); });
    ASSERT_TRUE(worker.Started());
    HWND box = WaitForBox(::GetCurrentProcessId(), 5000, std::set<HWND>{owner});
    ASSERT_NE(box, nullptr);
    const HINSTANCE other = ::GetModuleHandleA("kernel32.dll");
    AfxSetResourceHandle(other);
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
    ASSERT_TRUE(worker.Ended(5000));
    EXPECT_EQ(result, IDOK);
    EXPECT_EQ(AfxGetResourceHandle(), other) << "the box put its saved handle back over the other thread's";
    AfxSetResourceHandle(program);
    ::DestroyWindow(owner);
}

// --- the box cannot be made ---

namespace {

volatile LONG g_refusedDialogs = 0;

// Refuses the creation of every dialog window on the thread it hooks.
LRESULT CALLBACK RefuseDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const CREATESTRUCTA* cs = reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs;
        const bool isDialog = IS_INTRESOURCE(cs->lpszClass)
                                  ? LOWORD(reinterpret_cast<ULONG_PTR>(cs->lpszClass)) == 0x8002
                                  : lstrcmpiA(cs->lpszClass, "#32770") == 0;
        if (isDialog) {
            ::InterlockedIncrement(&g_refusedDialogs);
            return 1;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace

TEST(SkinMessageBoxFailure, ReturnsMinusOneWhenTheWindowCannotBeMadeAndLeavesTheOwnerEnabled) {
    HWND owner = ::CreateWindowExA(0, "Static", "owner", WS_POPUP | WS_VISIBLE, 10, 10, 100, 60, nullptr, nullptr,
                                   ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(owner, nullptr);
    volatile int result = -100;
    volatile bool hooked = false;
    CWorker worker([&] {
        HHOOK hook = ::SetWindowsHookExA(WH_CBT, &RefuseDialogs, nullptr, ::GetCurrentThreadId());
        hooked = hook != nullptr;
        result = SkinMessageBox(CWnd::FromHandle(owner), "Never shown", "Refused", MB_OK, nullptr, nullptr);
        if (hook != nullptr) ::UnhookWindowsHookEx(hook);
    });
    ASSERT_TRUE(worker.Started());
    ASSERT_TRUE(worker.Ended(5000)) << "the call returns at once";
    ASSERT_TRUE(hooked);
    EXPECT_GE(g_refusedDialogs, 1);
    EXPECT_EQ(result, -1);
    EXPECT_TRUE(FindBoxes(::GetCurrentProcessId()).empty());
    EXPECT_TRUE(::IsWindowEnabled(owner));
    ::DestroyWindow(owner);
}
