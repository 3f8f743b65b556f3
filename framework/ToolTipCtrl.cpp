#include "framework/ToolTipCtrl.h"

#include <commctrl.h>

CToolTipCtrl::~CToolTipCtrl() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
}

BOOL CToolTipCtrl::Create(CWnd* pParentWnd, DWORD dwStyle) {
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES};
    ::InitCommonControlsEx(&icc);
    HWND hWndParent = pParentWnd != nullptr ? pParentWnd->m_hWnd : nullptr;
    return CreateEx(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | dwStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                    CW_USEDEFAULT, CW_USEDEFAULT, hWndParent, nullptr);
}

void CToolTipCtrl::FillToolInfo(TOOLINFOA* pInfo, CWnd* pWnd, UINT_PTR nIDTool) const {
    ZeroMemory(pInfo, sizeof(*pInfo));
    // The size every common-controls version accepts.
    pInfo->cbSize = TTTOOLINFOA_V2_SIZE;
    pInfo->hwnd = pWnd != nullptr ? pWnd->m_hWnd : nullptr;
    if (nIDTool == 0) {
        pInfo->uFlags = TTF_IDISHWND | TTF_SUBCLASS;
        pInfo->uId = reinterpret_cast<UINT_PTR>(pInfo->hwnd);
    } else {
        pInfo->uId = nIDTool;
    }
}

BOOL CToolTipCtrl::AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool, UINT_PTR nIDTool) {
    if (m_hWnd == nullptr || pWnd == nullptr) return FALSE;
    TOOLINFOA ti;
    FillToolInfo(&ti, pWnd, nIDTool);
    if (lpRectTool != nullptr)
        ti.rect = *lpRectTool;
    else if (nIDTool != 0)
        ::GetClientRect(pWnd->m_hWnd, &ti.rect);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    return static_cast<BOOL>(::SendMessageA(m_hWnd, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&ti)));
}

void CToolTipCtrl::DelTool(CWnd* pWnd, UINT_PTR nIDTool) {
    if (m_hWnd == nullptr) return;
    TOOLINFOA ti;
    FillToolInfo(&ti, pWnd, nIDTool);
    ::SendMessageA(m_hWnd, TTM_DELTOOLA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool) {
    if (m_hWnd == nullptr) return;
    TOOLINFOA ti;
    FillToolInfo(&ti, pWnd, nIDTool);
    ti.lpszText = const_cast<LPSTR>(lpszText);
    ::SendMessageA(m_hWnd, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&ti));
}

void CToolTipCtrl::Activate(BOOL bActivate) {
    if (m_hWnd != nullptr) ::SendMessageA(m_hWnd, TTM_ACTIVATE, bActivate, 0);
}

void CToolTipCtrl::RelayEvent(LPMSG lpMsg) {
    if (m_hWnd != nullptr) ::SendMessageA(m_hWnd, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(lpMsg));
}
