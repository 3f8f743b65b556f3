#include "tests/support/WinePump.h"

namespace scrivlo_test {

namespace {

// Handles what is waiting now; false after WM_QUIT.
bool DrainQueue() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(msg.wParam));
            return false;
        }
        if (msg.hwnd) {
            HWND root = GetAncestor(msg.hwnd, GA_ROOT);
            char cls[16] = {};
            if (root && GetClassNameA(root, cls, sizeof cls) && lstrcmpA(cls, "#32770") == 0 &&
                IsDialogMessageW(root, &msg))
                continue;
        }
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    return true;
}

}  // namespace

bool PumpMessages(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (!DrainQueue()) return false;
        const DWORD elapsed = ElapsedSince(start);
        if (elapsed >= ms) return true;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        if (done()) return true;
        const DWORD elapsed = ElapsedSince(start);
        if (elapsed >= timeoutMs) return done();
        const DWORD left = timeoutMs - elapsed;
        if (!PumpMessages(left < stepMs ? left : stepMs)) return done();
    }
}

bool MoveCursorTo(int x, int y) {
    ::SetCursorPos(x, y);
    return WaitUntil(
        [&] {
            POINT now;
            ::GetCursorPos(&now);
            return now.x == x && now.y == y;
        },
        1000);
}

bool IsRunningOnWine() {
    HMODULE ntdll = GetModuleHandleA("ntdll.dll");
    return ntdll && GetProcAddress(ntdll, "wine_get_version") != nullptr;
}

bool WaitForObjectPumping(HANDLE object, DWORD timeoutMs) {
    const DWORD start = GetTickCount();
    for (;;) {
        const DWORD elapsed = ElapsedSince(start);
        const DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        const DWORD rc = MsgWaitForMultipleObjects(1, &object, FALSE, left, QS_ALLINPUT);
        if (rc == WAIT_OBJECT_0) return true;
        if (rc == WAIT_OBJECT_0 + 1) {
            // After WM_QUIT the queue cannot be drained any more (the quit
            // is posted again); wait for the object alone then.
            if (!DrainQueue()) return WaitForSingleObject(object, left) == WAIT_OBJECT_0;
            if (WaitForSingleObject(object, 0) == WAIT_OBJECT_0) return true;
            if (left == 0) return false;
            continue;
        }
        return false;  // timeout or failure
    }
}

}  // namespace scrivlo_test
