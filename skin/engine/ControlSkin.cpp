#include "skin/engine/ControlSkin.h"

#include "skin/engine/FlatDraw.h"
#include "skin/engine/ScrollBarGeometry.h"
#include "skin/engine/SkinManager.h"

namespace {

SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

}  // namespace

CControlSkin::CControlSkin() : m_hWnd(nullptr), m_pfnOldProc(nullptr), m_bRaised(FALSE), m_nState(0) {}

CControlSkin::~CControlSkin() = default;

void CControlSkin::Attach(HWND hWnd, WNDPROC pfnNew) {
    m_hWnd = hWnd;
    m_pfnOldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC));
    SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnNew));
}

LRESULT CControlSkin::PassOn(UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(m_pfnOldProc, m_hWnd, message, wParam, lParam);
}

LRESULT CControlSkin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // The previous procedure may destroy the control (a parent reacting to a
    // resize, say); then this object is gone when it returns and must not be
    // redrawn. The handle is kept apart to ask the manager afterwards.
    const HWND hWnd = m_hWnd;
    switch (message) {
    case WM_SIZE:
    case WM_ENABLE:
    case WM_PAINT:
    case WM_NCPAINT:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP:
    case WM_HSCROLL:
    case WM_VSCROLL:
        PassOn(message, wParam, lParam);
        if (CSkinManager::IsSkinOf(hWnd, this)) RedrawFrame();
        return 0;
    case WM_NCLBUTTONDOWN:
        PassOn(message, wParam, lParam);
        if (CSkinManager::IsSkinOf(hWnd, this)) RedrawFrame();
        // The system tracks a non-client press in a modal loop of its own;
        // the posted move (hit-test code 2, HTCAPTION) arrives after it and
        // has the frame drawn once more.
        PostMessageA(hWnd, WM_NCMOUSEMOVE, HTCAPTION, lParam);
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: RedrawFrame(); return PassOn(message, wParam, lParam);
    case WM_NCDESTROY:
        PassOn(message, wParam, lParam);
        // Restores the previous procedure and deletes this object.
        CSkinManager::GetInstance()->RemoveControl(hWnd);
        return 0;
    default: return PassOn(message, wParam, lParam);
    }
}

BOOL CControlSkin::NeedsHoverUpdate(const POINT* /*ptScreen*/) { return m_hWnd != CSkinManager::m_hHoverWnd; }

void CControlSkin::GetFrameDC(HDC* phDC, RECT* prcFrame) {
    RECT rw;
    GetWindowRect(m_hWnd, &rw);
    OffsetRect(&rw, -rw.left, -rw.top);
    *prcFrame = rw;
    *phDC = GetWindowDC(m_hWnd);
}

BOOL CControlSkin::IsActive() { return FALSE; }

void CControlSkin::RedrawFrame() {
    HDC hDC = nullptr;
    RECT rc = {0, 0, 0, 0};
    GetFrameDC(&hDC, &rc);
    if (!hDC) return;  // nothing to draw on; the previous look stays

    if (GetWindowLongA(m_hWnd, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
        RECT rw;
        GetWindowRect(m_hWnd, &rw);
        POINT pt = {0, 0};
        ClientToScreen(m_hWnd, &pt);
        // A one-pixel border outside the client edge: the frame covers the
        // client edge and leaves the border line.
        if (pt.x == rw.left + 3) InflateRect(&rc, -1, -1);
    }

    if (IsActive())
        m_nState = static_cast<WORD>(m_nState | SKIN_ACTIVE);
    else
        m_nState = static_cast<WORD>(m_nState & ~SKIN_ACTIVE);

    DrawFrame(hDC, &rc);

    // The DC may belong to another window than the control (the combo box
    // of a combo box's edit, for one).
    ReleaseDC(WindowFromDC(hDC), hDC);
}

void CControlSkin::DrawScrollBar(HDC hDC, const RECT* rc, BOOL bVertical, BOOL bControl) {
    const SkinRect r = ToSkinRect(*rc);
    SkinScrollMetrics metrics;
    metrics.nArrowMetric = GetSystemMetrics(SM_CXHSCROLL);
    metrics.nThumbMetric = GetSystemMetrics(SM_CXHTHUMB);
    metrics.bWin95Family = (GetVersion() & 0x80000000UL) != 0;

    const SkinScrollArrows arrows = SkinLayoutScrollArrows(r, bVertical != FALSE, metrics.nArrowMetric);
    RECT rcArrow = ToRect(arrows.rcFirst);
    SkinDrawFlatButton(hDC, &rcArrow, m_bRaised);
    rcArrow = ToRect(arrows.rcSecond);
    SkinDrawFlatButton(hDC, &rcArrow, m_bRaised);

    if (bControl && !IsWindowEnabled(m_hWnd)) return;

    SCROLLINFO si;
    ZeroMemory(&si, sizeof(si));
    si.cbSize = sizeof(SCROLLINFO);                            // 28
    si.fMask = SIF_RANGE | SIF_PAGE | SIF_POS | SIF_TRACKPOS;  // 0x17
    GetScrollInfo(m_hWnd, bControl ? SB_CTL : (bVertical ? SB_VERT : SB_HORZ), &si);

    SkinScrollInfo info;
    info.nMin = si.nMin;
    info.nMax = si.nMax;
    info.nPage = si.nPage;
    info.nPos = si.nPos;
    SkinRect thumb;
    if (SkinLayoutScrollThumb(r, bVertical != FALSE, bControl != FALSE, arrows, metrics, info, &thumb)) {
        RECT rcThumb = ToRect(thumb);
        SkinDrawFlatButton(hDC, &rcThumb, m_bRaised);
    }
}

void CControlSkin::DrawWindowScrollBars(HDC hDC, const RECT* rc) {
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    const SkinWindowBars bars =
        SkinLayoutWindowScrollBars(ToSkinRect(*rc), GetSystemMetrics(SM_CXEDGE), GetSystemMetrics(SM_CXHSCROLL),
                                   (dwStyle & WS_HSCROLL) != 0, (dwStyle & WS_VSCROLL) != 0);
    if (bars.bHorz) {
        RECT r = ToRect(bars.rcHorz);
        DrawScrollBar(hDC, &r, FALSE, FALSE);
    }
    if (bars.bVert) {
        RECT r = ToRect(bars.rcVert);
        DrawScrollBar(hDC, &r, TRUE, FALSE);
    }
}
