// CSkinManager: the process-wide skin manager. It installs a thread-level
// WH_CALLWNDPROC hook; when a dialog of a hooked thread is initialised (or,
// in creation mode, when a child window is created) it gives the dialog's
// child controls a skinner chosen by window class name and replaces their
// window procedure by a thunk that forwards to the skinner. The dialog is
// subclassed too, to see controls created later and its own destruction. A
// 100 ms thread timer polls the cursor to keep one hot control.
//
// Used only from the hooked (user-interface) thread; nothing is locked.
#pragma once

#include <windows.h>

#include "framework/Collections.h"

class CControlSkin;

// m_nMode: skin dialogs on WM_INITDIALOG; any other value skins each child
// window on WM_CREATE.
#define SKIN_MODE_DIALOG 1

class CSkinManager {
public:
    // The manager (never null).
    static CSkinManager* GetInstance();

    CSkinManager();
    // The teardown at process exit: removes the hooks, then restores and
    // deletes every skinner and dialog record.
    virtual ~CSkinManager();

    CSkinManager(const CSkinManager&) = delete;
    CSkinManager& operator=(const CSkinManager&) = delete;

    // Sets the mode and the raised-buttons flag, then hooks the thread
    // ((DWORD)-1: the calling thread) unless it is hooked already.
    void Install(BOOL bRaisedButtons, DWORD dwThreadId, int nMode);
    // Removes the thread's hook ((DWORD)-1: the calling thread); with the
    // last hook gone the hover timer stops.
    void Uninstall(DWORD dwThreadId);
    // The dialog sweep: skins the direct children, hooks the dialog, draws.
    void SkinDialog(HWND hDlg, BOOL bRaisedButtons);
    // The class-name dispatcher; TRUE when a skinner was attached to hWnd.
    BOOL SkinWindow(HWND hWnd);
    // Gives hWnd the skinner pSkin, taking ownership of it: sets m_bRaised,
    // attaches the thunk, maps the window and starts the hover timer. FALSE
    // (pSkin deleted, window untouched) when hWnd is null or already skinned
    // or the map entry cannot be made.
    BOOL AttachSkin(HWND hWnd, CControlSkin* pSkin);
    // Subclasses a dialog with a CDialogHook.
    void HookDialog(HWND hDlg);
    // Restores the control's previous procedure and deletes its skinner;
    // FALSE when the window was not skinned.
    BOOL RemoveControl(HWND hWnd);
    void RemoveDialog(HWND hDlg);
    // One hover poll.
    void TrackHover();
    // The work of the destructor, also callable before exit; the hover timer
    // is stopped at its end. A window subclassed again after the engine keeps
    // the engine's procedure (and its record), which passes its messages on.
    void Teardown();

    // The skinner of hWnd, or null.
    static CControlSkin* FindSkin(HWND hWnd);
    // TRUE when hWnd is still skinned by pSkin (a skinner whose previous
    // procedure returns can tell whether it still exists).
    static BOOL IsSkinOf(HWND hWnd, const CControlSkin* pSkin);
    // The key of a thread in m_mapHooks: its identifier cut to 16 bits.
    static WORD ThreadKey(DWORD dwThreadId) { return static_cast<WORD>(dwThreadId & 0xFFFF); }

    // Callbacks given to the system.
    static LRESULT CALLBACK HookProc(int nCode, WPARAM wParam, LPARAM lParam);
    static void CALLBACK HoverTimerProc(HWND hWnd, UINT message, UINT_PTR nIDEvent, DWORD dwTime);
    static LRESULT CALLBACK ControlWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DialogWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);

    int m_nMode;
    UINT_PTR m_nTimerID;  // the hover timer; 0 while none runs

    static BOOL m_bRaisedButtons;        // copied into every skinner created afterwards
    static HWND m_hHoverWnd;             // the control drawn hot; null = none
    static CMapPtrToPtr& m_mapControls;  // control window -> CControlSkin (owned)
    static CMapPtrToPtr& m_mapDialogs;   // dialog window -> CDialogHook (owned)
    static CMapWordToPtr& m_mapHooks;    // thread key -> HHOOK

private:
    void StartHoverTimer();
    void StopHoverTimer();
    void SkinChildren(HWND hWnd, BOOL bEvery);
    static void SetHot(CControlSkin* pSkin, BOOL bHot);
};
