#include "skin/engine/BarSkins.h"

#include <commctrl.h>

#include "framework/GdiObjects.h"
#include "skin/engine/FlatDraw.h"
#include "skin/engine/PartsGeometry.h"
#include "skin/engine/SkinManager.h"

namespace {

SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

DWORD StyleOf(HWND hWnd) { return static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE)); }

// The cursor in hWnd's client coordinates.
POINT CursorIn(HWND hWnd) {
    POINT pt = {0, 0};
    GetCursorPos(&pt);
    ScreenToClient(hWnd, &pt);
    return pt;
}

void FrameRect(HDC hDC, const RECT& rc, const int anColors[4]) {
    SkinDrawDoubleFrame(hDC, &rc, anColors[0], anColors[1], anColors[2], anColors[3]);
}

// The raised frame of every header item and of the empty area.
const int kHeaderColors[4] = {COLOR_BTNHIGHLIGHT, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE};

}  // namespace

// --- scroll bar ---

LRESULT CScrollBarSkin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    bool bRedraw;
    switch (message) {
    case SBM_SETPOS:
        // A new position of 0 is redrawn like any other: otherwise a thumb
        // moved back to the start would keep the system's look.
        bRedraw = lParam != 0;
        break;
    case SBM_SETRANGEREDRAW: bRedraw = true; break;
    case SBM_SETSCROLLINFO: bRedraw = wParam != 0; break;
    default: return CControlSkin::WindowProc(message, wParam, lParam);
    }
    if (!bRedraw) return PassOn(message, wParam, lParam);
    // The control may be destroyed while it handles the message (by a parent
    // that reacts to the move); then this object is gone.
    const HWND hWnd = m_hWnd;
    PassOn(message, wParam, lParam);
    if (CSkinManager::IsSkinOf(hWnd, this)) RedrawFrame();
    return 0;
}

void CScrollBarSkin::DrawFrame(HDC hDC, const RECT* prcFrame) {
    DrawScrollBar(hDC, prcFrame, (StyleOf(m_hWnd) & SBS_VERT) != 0, TRUE);
}

// --- trackbar ---

void CTrackBarSkin::DrawFrame(HDC /*hDC*/, const RECT* /*prcFrame*/) {
    HDC hDC = GetDC(m_hWnd);
    if (!hDC) return;
    const DWORD dwStyle = StyleOf(m_hWnd);

    RECT ch = {0, 0, 0, 0};
    SendMessageA(m_hWnd, TBM_GETCHANNELRECT, 0, reinterpret_cast<LPARAM>(&ch));
    // A vertical trackbar's channel is reported lying, as if the trackbar
    // were horizontal, and is turned here; one already reported standing
    // (Wine's trackbar does so) is framed where it is.
    if ((dwStyle & TBS_VERT) && ch.right - ch.left >= ch.bottom - ch.top) {
        RECT th = {0, 0, 0, 0};
        SendMessageA(m_hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&th));
        ch = ToRect(SkinTurnVerticalChannel(ToSkinRect(ch), ToSkinRect(th), dwStyle));
    }
    SkinDrawDoubleFrame(hDC, &ch, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_3DLIGHT, COLOR_BTNHIGHLIGHT);

    if (!(dwStyle & TBS_NOTHUMB)) {
        RECT th;
        SetRectEmpty(&th);
        SendMessageA(m_hWnd, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&th));
        DrawThumb(hDC, &th);
    }
    ReleaseDC(m_hWnd, hDC);
}

void CTrackBarSkin::DrawThumb(HDC hDC, const RECT* prcThumb) {
    const RECT& rc = *prcThumb;
    const DWORD dwStyle = StyleOf(m_hWnd);
    if (dwStyle & TBS_BOTH) {
        SkinFillRect(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, GetSysColor(COLOR_BTNFACE));
        SkinDrawDoubleFrame(hDC, &rc, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE, COLOR_BTNFACE);
        return;
    }

    // The pens outlive the selection below: they are deleted only after the
    // DC's own pen is back.
    CPen penHighlight(PS_SOLID, 1, GetSysColor(COLOR_BTNHIGHLIGHT));
    CPen penShadow(PS_SOLID, 1, GetSysColor(COLOR_BTNSHADOW));
    CPen penFace1(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    CPen penFace2(PS_SOLID, 1, GetSysColor(COLOR_BTNFACE));
    SkinFillRect(hDC, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, GetSysColor(COLOR_BTNFACE));

    SkinPolyline aLines[4];
    SkinThumbPolylines(ToSkinRect(rc), dwStyle, aLines);
    HGDIOBJ hOldPen = nullptr;
    int nFace = 0;
    for (const SkinPolyline& line : aLines) {
        HPEN hPen;
        if (line.nPen == SKIN_PEN_HIGHLIGHT)
            hPen = penHighlight;
        else if (line.nPen == SKIN_PEN_SHADOW)
            hPen = penShadow;
        else
            hPen = nFace++ == 0 ? static_cast<HPEN>(penFace1) : static_cast<HPEN>(penFace2);
        HGDIOBJ hPrev = SelectObject(hDC, hPen);
        if (!hOldPen) hOldPen = hPrev;
        int i = 0;
        if (line.bMove) {
            MoveToEx(hDC, line.pt[0].x, line.pt[0].y, nullptr);
            i = 1;
        }
        for (; i < line.nPoints; ++i) LineTo(hDC, line.pt[i].x, line.pt[i].y);
    }
    if (hOldPen) SelectObject(hDC, hOldPen);
}

// --- header ---

namespace {

int HeaderItemCount(HWND hWnd) { return static_cast<int>(SendMessageA(hWnd, HDM_GETITEMCOUNT, 0, 0)); }

int HeaderItemField(HWND hWnd, int i, UINT nMask) {
    HDITEMA item;
    ZeroMemory(&item, sizeof(item));
    item.mask = nMask;
    SendMessageA(hWnd, HDM_GETITEMA, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
    return nMask == HDI_ORDER ? item.iOrder : item.cxy;
}

}  // namespace

BOOL CHeaderSkin::NeedsHoverUpdate(const POINT* ptScreen) {
    POINT pt = *ptScreen;
    ScreenToClient(m_hWnd, &pt);
    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    const HWND hWnd = m_hWnd;
    const int nItem = SkinHeaderHitTestBy([hWnd](int i) { return HeaderItemField(hWnd, i, HDI_WIDTH); },
                                          HeaderItemCount(m_hWnd), rcClient.bottom - rcClient.top, pt.x, pt.y);
    return !(m_hWnd == CSkinManager::m_hHoverWnd && nItem == m_nHotItem);
}

void CHeaderSkin::DrawFrame(HDC /*hDC*/, const RECT* /*prcFrame*/) {
    const int nPrevHot = m_nHotItem;
    m_nHotItem = -1;

    const HWND hParent = GetParent(m_hWnd);
    BOOL bInParent = FALSE;
    if (hParent) {
        RECT rcParent;
        GetClientRect(hParent, &rcParent);
        bInParent = PtInRect(&rcParent, CursorIn(hParent));
    }

    HDC hDC = GetDC(m_hWnd);
    if (!hDC) return;
    const POINT pt = CursorIn(m_hWnd);

    const int nCount = HeaderItemCount(m_hWnd);
    int nLastRight = 0;
    for (int i = 0; i < nCount; ++i) {
        const int nOrder = HeaderItemField(m_hWnd, i, HDI_ORDER);
        RECT rc;
        SetRectEmpty(&rc);
        SendMessageA(m_hWnd, HDM_GETITEMRECT, static_cast<WPARAM>(nOrder), reinterpret_cast<LPARAM>(&rc));
        if (bInParent && PtInRect(&rc, pt)) m_nHotItem = nOrder;
        FrameRect(hDC, rc, kHeaderColors);
        nLastRight = rc.right;
    }

    RECT rcClient;
    GetClientRect(m_hWnd, &rcClient);
    SkinRect rcEmpty;
    if (SkinHeaderEmptyArea(ToSkinRect(rcClient), nLastRight, &rcEmpty)) FrameRect(hDC, ToRect(rcEmpty), kHeaderColors);

    // The parent (a list view, say) is hot while an item of its header is.
    if (CControlSkin* pParent = hParent ? CSkinManager::FindSkin(hParent) : nullptr) {
        if (m_nHotItem >= 0) {
            pParent->m_nState = static_cast<WORD>(pParent->m_nState | SKIN_HOT);
            pParent->RedrawFrame();
        } else if (nPrevHot >= 0) {
            pParent->m_nState = static_cast<WORD>(pParent->m_nState & ~SKIN_HOT);
            pParent->RedrawFrame();
        }
    }
    ReleaseDC(m_hWnd, hDC);
}

// --- toolbar ---

namespace {

// Reads button i; false for a separator, else true with its rectangle.
bool ToolButton(HWND hWnd, int i, TBBUTTON* pButton, RECT* prc) {
    ZeroMemory(pButton, sizeof(*pButton));
    SendMessageA(hWnd, TB_GETBUTTON, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(pButton));
    if (pButton->fsStyle & TBSTYLE_SEP) return false;
    SetRectEmpty(prc);
    SendMessageA(hWnd, TB_GETITEMRECT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(prc));
    return true;
}

int ToolButtonCount(HWND hWnd) { return static_cast<int>(SendMessageA(hWnd, TB_BUTTONCOUNT, 0, 0)); }

}  // namespace

LRESULT CToolBarSkin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // A repaint by the system draws every button afresh: no button is drawn
    // hot until the redraw that follows has looked at the cursor again.
    if (message == WM_PAINT || message == WM_NCPAINT) m_nHotItem = -1;
    return CControlSkin::WindowProc(message, wParam, lParam);
}

BOOL CToolBarSkin::NeedsHoverUpdate(const POINT* ptScreen) {
    const int nCount = ToolButtonCount(m_hWnd);
    POINT pt = *ptScreen;
    ScreenToClient(m_hWnd, &pt);
    const HWND hWnd = m_hWnd;
    const int nItem = SkinToolBarHitTestBy(
        [hWnd](int i, SkinRect* prc) {
            TBBUTTON button;
            RECT rc;
            if (!ToolButton(hWnd, i, &button, &rc)) return false;
            *prc = ToSkinRect(rc);
            return true;
        },
        nCount, pt.x, pt.y);
    return !(m_hWnd == CSkinManager::m_hHoverWnd && nItem == m_nHotItem);
}

void CToolBarSkin::DrawFrame(HDC /*hDC*/, const RECT* /*prcFrame*/) {
    // A toolbar made flat after it was skinned keeps the system's look.
    if (StyleOf(m_hWnd) & TBSTYLE_FLAT) return;
    HDC hDC = GetDC(m_hWnd);
    if (!hDC) return;
    const POINT pt = CursorIn(m_hWnd);
    m_nHotItem = -1;
    const int nCount = ToolButtonCount(m_hWnd);
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button;
        RECT rc;
        if (!ToolButton(m_hWnd, i, &button, &rc)) continue;
        int nFlags = (button.fsState & TBSTATE_CHECKED) ? SKIN_TOOL_CHECKED : 0;
        if (PtInRect(&rc, pt)) {
            // A disabled button under the cursor is the hot item all the
            // same, but it is not drawn raised.
            m_nHotItem = i;
            if (button.fsState & TBSTATE_ENABLED) nFlags |= SKIN_TOOL_HOT;
        }
        DrawToolButton(hDC, &rc, nFlags);
    }
    ReleaseDC(m_hWnd, hDC);
}

void CToolBarSkin::DrawToolButton(HDC hDC, const RECT* prcButton, int nFlags) {
    int anColors[4];
    SkinToolButtonColors(nFlags, anColors);
    FrameRect(hDC, *prcButton, anColors);
}

CControlSkin* SkinCreateScrollBar() { return new CScrollBarSkin; }
CControlSkin* SkinCreateTrackBar() { return new CTrackBarSkin; }
CControlSkin* SkinCreateHeader() { return new CHeaderSkin; }
CControlSkin* SkinCreateToolBar() { return new CToolBarSkin; }
