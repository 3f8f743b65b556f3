// Linked into every Windows test program: each case holds the desktop input
// lock (DesktopInputLock.h) while it runs and starts from the same desktop.
//
// One X display and one wineserver serve a whole run, one case after the
// other, and they keep what a case leaves behind: a pointer over the place
// where the next case opens its dialog makes a button there hot before the
// case has done anything; a mouse button or key that a case pressed and did
// not release is still down; a window of a case that died is still on
// screen, in front, with the foreground. So before every case the pointer is
// parked in the screen's bottom-right corner, where no case puts a window,
// buttons and modifier keys are released, and every visible top-level window
// of an earlier case is closed (its process ended if it does not close).
// System colours belong to the whole desktop too: those a case changes are
// put back when it ends, or every later case would paint in them.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/support/DesktopInputLock.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

namespace scrivlo_test {
namespace {

// The system colour indices a program can change (COLOR_SCROLLBAR to COLOR_MENUBAR).
constexpr int kSysColorCount = 31;

std::string Describe(HWND window) {
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    return "\"" + std::string(title) + "\" (class " + ClassNameOf(window) + ", process " +
           std::to_string(ProcessIdOfWindow(window)) + ")";
}

struct CFoundWindows {
    DWORD desktopProcess;
    std::vector<HWND> windows;
};

BOOL CALLBACK CollectShown(HWND window, LPARAM param) {
    auto* found = reinterpret_cast<CFoundWindows*>(param);
    if (IsWindowVisible(window) && ProcessIdOfWindow(window) != found->desktopProcess) found->windows.push_back(window);
    return TRUE;
}

// Visible top-level windows that are not the desktop's own.
std::vector<HWND> VisibleTopLevelWindows() {
    CFoundWindows found{ProcessIdOfWindow(GetDesktopWindow()), {}};
    EnumWindows(CollectShown, reinterpret_cast<LPARAM>(&found));
    return found.windows;
}

void SendKey(WORD virtualKey, DWORD flags) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = virtualKey;
    input.ki.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

void SendMouse(DWORD flags) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = flags;
    SendInput(1, &input, sizeof input);
}

// Puts the desktop into the state every case starts from; returns what an
// earlier case had left, one line each.
std::vector<std::string> ResetDesktop() {
    std::vector<std::string> done;
    ReleaseCapture();
    const struct {
        int virtualKey;
        DWORD upFlags;
        bool mouse;
    } held[] = {
        {VK_LBUTTON, MOUSEEVENTF_LEFTUP, true},   {VK_RBUTTON, MOUSEEVENTF_RIGHTUP, true},
        {VK_MBUTTON, MOUSEEVENTF_MIDDLEUP, true}, {VK_SHIFT, KEYEVENTF_KEYUP, false},
        {VK_CONTROL, KEYEVENTF_KEYUP, false},     {VK_MENU, KEYEVENTF_KEYUP, false},
    };
    for (const auto& h : held) {
        if ((GetAsyncKeyState(h.virtualKey) & 0x8000) == 0) continue;
        if (h.mouse)
            SendMouse(h.upFlags);
        else
            SendKey(static_cast<WORD>(h.virtualKey), h.upFlags);
        done.push_back("released virtual key " + std::to_string(h.virtualKey) + ", left down");
    }

    const POINT park = {GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1};
    SetCursorPos(park.x, park.y);
    POINT now = {};
    if (!WaitUntil([&] { return GetCursorPos(&now) && now.x == park.x && now.y == park.y; }, 2000))
        done.push_back("the pointer stayed at " + std::to_string(now.x) + "," + std::to_string(now.y));

    // Windows of this thread go at once; the others are asked to close, and
    // a process whose windows stay is ended.
    const std::vector<HWND> left = VisibleTopLevelWindows();
    if (left.empty()) return done;
    for (HWND window : left) {
        done.push_back("closed " + Describe(window) + ", left by an earlier case");
        if (GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId())
            DestroyWindow(window);
        else
            PostMessageA(window, WM_CLOSE, 0, 0);
    }
    WaitUntil([] { return VisibleTopLevelWindows().empty(); }, 2000);
    for (HWND window : VisibleTopLevelWindows()) {
        const DWORD processId = ProcessIdOfWindow(window);
        if (processId == GetCurrentProcessId()) continue;
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId);
        if (process == nullptr) continue;
        done.push_back("ended process " + std::to_string(processId) + ", whose window did not close");
        TerminateProcess(process, 1);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
    WaitUntil([] { return VisibleTopLevelWindows().empty(); }, 1000);
    return done;
}

class CCaseStart : public testing::EmptyTestEventListener {
public:
    void OnTestStart(const testing::TestInfo&) override {
        // Below ctest's time limit for one case, so that a stuck holder
        // shows as a failure here rather than as a timeout.
        if (!m_lock.Acquire(90000)) {
            ADD_FAILURE() << "the desktop input lock stayed taken";
            return;
        }
        for (int i = 0; i < kSysColorCount; ++i) m_sysColors[i] = GetSysColor(i);
        for (const std::string& line : ResetDesktop()) std::printf("before the case: %s\n", line.c_str());
        for (HWND window : VisibleTopLevelWindows())
            ADD_FAILURE() << "a window of an earlier case is still shown: " << Describe(window);
    }

    void OnTestEnd(const testing::TestInfo&) override {
        if (!m_lock.IsHeld()) return;
        std::vector<int> indices;
        std::vector<COLORREF> colors;
        for (int i = 0; i < kSysColorCount; ++i) {
            if (GetSysColor(i) == m_sysColors[i]) continue;
            indices.push_back(i);
            colors.push_back(m_sysColors[i]);
        }
        if (!indices.empty()) SetSysColors(static_cast<int>(indices.size()), indices.data(), colors.data());
        m_lock.Release();
    }

private:
    CDesktopInputLock m_lock;
    COLORREF m_sysColors[kSysColorCount] = {};
};

const bool g_bRegistered = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new CCaseStart);
    return true;
}();

}  // namespace
}  // namespace scrivlo_test
