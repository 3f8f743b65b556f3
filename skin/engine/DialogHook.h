// CDialogHook: the subclass record of a dialog the skin manager has swept.
// It sees the dialog's messages before the dialog does, to skin controls
// created later (WM_PARENTNOTIFY) and to drop itself when the dialog goes.
// Layout and thunk protocol are those of the first part of CControlSkin:
// window handle, previous procedure, window procedure as first virtual.
#pragma once

#include <windows.h>

class CDialogHook {
public:
    CDialogHook() : m_hWnd(nullptr), m_pfnOldProc(nullptr) {}

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual ~CDialogHook() = default;

    CDialogHook(const CDialogHook&) = delete;
    CDialogHook& operator=(const CDialogHook&) = delete;

    HWND m_hWnd;
    WNDPROC m_pfnOldProc;
};
