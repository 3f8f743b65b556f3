#include "skin/engine/DialogHook.h"

#include "skin/engine/SkinManager.h"

LRESULT CDialogHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCDESTROY) {
        const HWND hWnd = m_hWnd;
        CallWindowProcA(m_pfnOldProc, hWnd, message, wParam, lParam);
        // Restores the previous procedure and deletes this record.
        CSkinManager::GetInstance()->RemoveDialog(hWnd);
        return 0;
    }
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE)
        CSkinManager::GetInstance()->SkinWindow(reinterpret_cast<HWND>(lParam));
    return CallWindowProcA(m_pfnOldProc, m_hWnd, message, wParam, lParam);
}
