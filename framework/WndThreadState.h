// Per-thread state of the windowing layer: the handle maps, the window being
// created, the message being dispatched and the modal nesting depth. Each
// thread that creates or binds windows has its own, so dialogs can run
// modally on several threads at once. Internal to framework/.
//
// The state of a thread lives on the heap behind one Win32 TLS slot and is
// freed by the framework's own thread-end callback (the executable's TLS
// callback, DLL_THREAD_DETACH). It is not a C++ thread_local object: with
// the MinGW runtime the storage of a thread_local is released before its
// destructor runs at thread end, so destroying maps there would work on freed
// memory and corrupt the heap.
#pragma once

#include <windows.h>

#include <map>
#include <unordered_map>
#include <utility>

class CWnd;
class CDC;
class CGdiObject;

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

    // Number of window procedure calls in progress on this thread.
    int nDispatchDepth = 0;

    void DeleteTemporary();
};

// Everything the framework keeps per thread.
struct AfxThreadData {
    WndThreadState wnd;
    // Temporary DC wrappers (CDC::FromHandle), owned here.
    std::map<HDC, CDC*> tempDCs;
    // Temporary GDI object wrappers, one per (wrapper kind, handle), owned here.
    std::map<std::pair<int, HGDIOBJ>, CGdiObject*> tempGdi;
    // DC wrappers of this thread that hold original selections to restore.
    CDC* pTrackedHead = nullptr;
};

// This thread's data, created on first use and freed when the thread ends.
AfxThreadData& AfxGetThreadData();
// This thread's window state (part of AfxGetThreadData()).
WndThreadState& AfxGetWndThreadState();
// Frees the calling thread's data now (the thread-end callback does this for
// every thread that ends; the main thread's data goes with the process).
void AfxTermThreadData();
// Number of threads whose data is currently allocated (for leak checks).
long AfxGetThreadDataCount();
// Number of temporary wrappers (windows, DCs, GDI objects) this thread holds.
int AfxGetTempWrapperCount();

// Binds pWnd to the next window this thread creates (before its first
// message) until the matching AfxUnhookWindowCreate; returns TRUE from the
// unhook when the binding took place.
void AfxHookWindowCreate(CWnd* pWnd);
BOOL AfxUnhookWindowCreate();

// Frees this thread's temporary window, DC and GDI wrappers (at idle, when
// no handler that might hold one is running).
void AfxDeleteTempMaps();
