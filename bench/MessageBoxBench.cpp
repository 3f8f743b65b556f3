// Message box latency under Wine: from the SkinMessageBox call to the box
// being on screen (shown and painted, its OK button too), and from a real
// click on "&Ok" to the call's return. One worker thread shows every box in
// turn, as the diagnostics do; this thread watches and clicks.
//   message_box_bench.exe [runs]     (default 20; one extra warm-up run first)
// Prints each run and the median, minimum and maximum of both spans in ms.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "skin/dialogs/SkinMessageBox.h"

namespace {

LARGE_INTEGER g_frequency;

double Milliseconds(LONGLONG from, LONGLONG to) {
    return static_cast<double>(to - from) * 1000.0 / static_cast<double>(g_frequency.QuadPart);
}

LONGLONG Now() {
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

struct CShared {
    HANDLE hGo = nullptr;        // auto-reset: show the next box
    HANDLE hReturned = nullptr;  // auto-reset: the call returned
    volatile LONGLONG tCall = 0;
    volatile LONGLONG tReturn = 0;
    volatile int nResult = 0;
    volatile bool bStop = false;
    DWORD dwThreadId = 0;
};

DWORD WINAPI ShowBoxes(LPVOID p) {
    CShared* shared = static_cast<CShared*>(p);
    for (;;) {
        ::WaitForSingleObject(shared->hGo, INFINITE);
        if (shared->bStop) return 0;
        shared->tCall = Now();
        shared->nResult = SkinMessageBox(nullptr, "Log file successfully created!", "Scrivlo", MB_OK, nullptr, nullptr);
        shared->tReturn = Now();
        ::SetEvent(shared->hReturned);
    }
}

BOOL CALLBACK FindVisibleDialog(HWND hWnd, LPARAM lParam) {
    char className[16] = "";
    ::GetClassNameA(hWnd, className, sizeof(className));
    if (lstrcmpA(className, "#32770") == 0 && ::IsWindowVisible(hWnd)) {
        *reinterpret_cast<HWND*>(lParam) = hWnd;
        return FALSE;
    }
    return TRUE;
}

// The box once it and its OK button are visible with nothing left to paint.
HWND PaintedBox(DWORD threadId) {
    HWND box = nullptr;
    ::EnumThreadWindows(threadId, &FindVisibleDialog, reinterpret_cast<LPARAM>(&box));
    if (box == nullptr || ::GetUpdateRect(box, nullptr, FALSE)) return nullptr;
    HWND ok = ::GetDlgItem(box, IDOK);
    if (ok == nullptr || !::IsWindowVisible(ok) || ::GetUpdateRect(ok, nullptr, FALSE)) return nullptr;
    return box;
}

bool Click(HWND button) {
    RECT rc;
    if (!::GetWindowRect(button, &rc) || !::SetCursorPos((rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2))
        return false;
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return ::SendInput(2, input, sizeof(INPUT)) == 2;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const size_t n = values.size();
    return n % 2 != 0 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2.0;
}

}  // namespace

int main(int argc, char** argv) {
    const int runs = argc > 1 ? std::atoi(argv[1]) : 20;
    if (runs < 1) {
        std::fprintf(stderr, "usage: message_box_bench [runs]\n");
        return 2;
    }
    ::QueryPerformanceFrequency(&g_frequency);
    CShared shared;
    shared.hGo = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    shared.hReturned = ::CreateEventA(nullptr, FALSE, FALSE, nullptr);
    HANDLE worker = ::CreateThread(nullptr, 0, &ShowBoxes, &shared, 0, &shared.dwThreadId);
    if (worker == nullptr) return 1;

    std::vector<double> shows, returns;
    std::printf("run   show ms   click-to-return ms\n");
    for (int run = 0; run <= runs; ++run) {
        ::SetEvent(shared.hGo);
        HWND box = nullptr;
        const DWORD start = ::GetTickCount();
        // Poll each millisecond: the figures carry about 1 ms of this.
        while ((box = PaintedBox(shared.dwThreadId)) == nullptr && ::GetTickCount() - start < 10000) ::Sleep(1);
        const LONGLONG tVisible = Now();
        if (box == nullptr) {
            std::fprintf(stderr, "run %d: no box within 10 s\n", run);
            return 1;
        }
        const LONGLONG tClick = Now();
        if (!Click(::GetDlgItem(box, IDOK))) {
            std::fprintf(stderr, "run %d: click not delivered\n", run);
            return 1;
        }
        if (::WaitForSingleObject(shared.hReturned, 10000) != WAIT_OBJECT_0 || shared.nResult != IDOK) {
            std::fprintf(stderr, "run %d: the call did not return IDOK within 10 s (result %d)\n", run, shared.nResult);
            return 1;
        }
        const double show = Milliseconds(shared.tCall, tVisible);
        const double back = Milliseconds(tClick, shared.tReturn);
        std::printf("%-5s %8.2f %12.2f\n", run == 0 ? "warm" : std::to_string(run).c_str(), show, back);
        if (run > 0) {
            shows.push_back(show);
            returns.push_back(back);
        }
        // Let the desktop settle before the next box.
        ::Sleep(50);
    }
    shared.bStop = true;
    ::SetEvent(shared.hGo);
    ::WaitForSingleObject(worker, 5000);
    ::CloseHandle(worker);

    std::printf("show: median %.2f ms, min %.2f, max %.2f (%d runs)\n", Median(shows),
                *std::min_element(shows.begin(), shows.end()), *std::max_element(shows.begin(), shows.end()), runs);
    std::printf("click-to-return: median %.2f ms, min %.2f, max %.2f (%d runs)\n", Median(returns),
                *std::min_element(returns.begin(), returns.end()), *std::max_element(returns.begin(), returns.end()),
                runs);
    return 0;
}
