// Per-thread state of the windowing layer: the handle maps, the window being
// created, the message being dispatched and the modal nesting depth. Each
// thread that creates or binds windows has its own, so dialogs can run
// modally on several threads at once. Internal to framework/.
#pragma once

#include <windows.h>

#include <unordered_map>

class CWnd;

struct WndThreadState {
    WndThreadState() = default;
    ~WndThreadState();
    WndThreadState(const WndThreadState&) = delete;
    WndThreadState& operator=(const WndThreadState&) = delete;

    // Windows bound to an object on this thread.
    std::unordered_map<HWND, CWnd*> permanent;
    // Wrappers made by FromHandle for windows no object is bound to; owned here.
    std::unordered_map<HWND, CWnd*> temporary;

    // The object the next window created on this thread is bound to, and the
    // CBT hook that binds it (installed while creation calls are nested).
    CWnd* pWndInit = nullptr;
    HHOOK hHookCbt = nullptr;
    int nCreateDepth = 0;

    // The message the innermost window procedure call is handling.
    MSG msgCur = {};
    // Number of modal loops running on this thread.
    int nModalDepth = 0;

    void DeleteTemporary();
};

// This thread's state, created on first use and destroyed with the thread.
WndThreadState& AfxGetWndThreadState();

// Binds pWnd to the next window this thread creates (before its first
// message) until the matching AfxUnhookWindowCreate; returns TRUE from the
// unhook when the binding took place.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// Frees this thread's temporary window, DC and GDI wrappers (at idle, when
// no handler that might hold one is running).
void AfxDeleteTempMaps();
