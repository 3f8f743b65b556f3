#include "framework/Controls.h"

namespace {

BOOL CreateControl(CWnd* pWnd, LPCSTR lpszClass, LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                   UINT nID) {
    HWND hWndParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    return pWnd->CreateEx(0, lpszClass, lpszText, dwStyle, rect.left, rect.top, rect.right - rect.left,
                          rect.bottom - rect.top, hWndParent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(nID)));
}

// The parent's WM_DRAWITEM, handed back to an owner-drawn control, is drawn
// by the control itself; any other notification is handled as by any window.
template <class TControl>
BOOL DrawItemNotify(TControl* pControl, UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (message != WM_DRAWITEM) return pControl->CWnd::OnChildNotify(message, wParam, lParam, pResult);
    pControl->DrawItem(reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
    *pResult = TRUE;
    return TRUE;
}

}  // namespace

BOOL CButton::Create(LPCSTR lpszCaption, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, "BUTTON", lpszCaption, dwStyle, rect, pParentWnd, nID);
}

void CButton::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CButton::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return DrawItemNotify(this, message, wParam, lParam, pResult);
}

BOOL CStatic::Create(LPCSTR lpszText, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID) {
    return CreateControl(this, "STATIC", lpszText, dwStyle, rect, pParentWnd, nID);
}

void CStatic::DrawItem(LPDRAWITEMSTRUCT) {}

BOOL CStatic::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    return DrawItemNotify(this, message, wParam, lParam, pResult);
}
