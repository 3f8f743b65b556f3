// CToolTipCtrl: a tooltip window. The controls keep one that usually has no
// window; while it has one, they relay the mouse messages they pre-translate
// to it.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CToolTipCtrl : public CWnd {
public:
    CToolTipCtrl() {}
    virtual ~CToolTipCtrl();

    // Creates the tooltip window owned by pParentWnd.
    BOOL Create(CWnd* pParentWnd, DWORD dwStyle = 0);

    // Adds a tool for pWnd's client area (or lpRectTool within it).
    BOOL AddTool(CWnd* pWnd, LPCSTR lpszText, LPCRECT lpRectTool = nullptr, UINT_PTR nIDTool = 0);
    void DelTool(CWnd* pWnd, UINT_PTR nIDTool = 0);
    void UpdateTipText(LPCSTR lpszText, CWnd* pWnd, UINT_PTR nIDTool = 0);
    void Activate(BOOL bActivate);

    // Hands a mouse message to the tooltip; nothing without a window.
    void RelayEvent(LPMSG lpMsg);

private:
    void FillToolInfo(struct tagTOOLINFOA* pInfo, CWnd* pWnd, UINT_PTR nIDTool) const;
};
