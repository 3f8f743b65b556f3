#include "skin/controls/SkinLabel.h"

#include "framework/DeviceContext.h"
#include "skin/controls/LabelStyle.h"
#include "skin/controls/SkinBackgroundHost.h"

static_assert(kSkinSsCenter == SS_CENTER && kSkinSsRight == SS_RIGHT && kSkinSsCenterImage == SS_CENTERIMAGE,
              "static styles");

BEGIN_MESSAGE_MAP(CSkinLabel, CStatic)
    ON_WM_PAINT()
    ON_WM_SETCURSOR()
    ON_WM_LBUTTONUP()
    ON_WM_MOUSEMOVE()
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_SKIN_MOUSEENTER, OnMouseEnter)
END_MESSAGE_MAP()

CSkinLabel::CSkinLabel()
    : m_nFontHeight(0),
      m_crText(::GetSysColor(COLOR_BTNTEXT)),
      m_crHover(::GetSysColor(COLOR_BTNTEXT)),
      m_crVisited(::GetSysColor(COLOR_BTNTEXT)),
      m_crBackground(kSkinUseButtonFace),
      m_bBold(FALSE),
      m_bItalic(FALSE),
      m_bUnderline(FALSE),
      m_bTransparent(TRUE),
      m_bHoverUnderline(FALSE),
      m_bAutoSize(FALSE),
      m_bNativePaint(FALSE),
      m_bVisited(FALSE),
      m_bRedrawBackground(TRUE),
      m_nTextAlign(0),
      m_nExtraFormat(0),
      m_bMouseOver(FALSE),
      m_hCursor(nullptr) {
    m_szFaceName[0] = '\0';
}

CSkinLabel::~CSkinLabel() {
    if (m_hCursor != nullptr) ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    m_brush.DeleteObject();
    m_font.DeleteObject();
}

void CSkinLabel::CreateLabelFont() {
    m_font.DeleteObject();
    m_font.CreateFont(m_nFontHeight, 0, 0, 0, LabelFontWeight(m_bBold != FALSE), static_cast<BYTE>(m_bItalic),
                      static_cast<BYTE>(m_bUnderline), 0, DEFAULT_CHARSET, 0, 0, 0, FF_SWISS, m_szFaceName);
    m_bRedrawBackground = TRUE;
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(m_font.GetSafeHandle()), FALSE);
}

void CSkinLabel::UpdateBackgroundBrush() {
    m_brush.DeleteObject();
    if (m_bTransparent)
        m_brush.CreateStockObject(NULL_BRUSH);
    else
        m_brush.CreateSolidBrush(ResolveBackgroundColor(m_crBackground, ::GetSysColor(COLOR_BTNFACE)));
}

void CSkinLabel::PreSubclassWindow() {
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    LOGFONTA lf;
    if (hFont != nullptr && ::GetObjectA(hFont, sizeof(lf), &lf) == sizeof(lf)) {
        // LOGFONT's face is 32 bytes and always terminated; the copy stays
        // within both buffers.
        lstrcpynA(m_szFaceName, lf.lfFaceName, sizeof(lf.lfFaceName));
        m_nFontHeight = lf.lfHeight;
    }
    CreateLabelFont();
    UpdateBackgroundBrush();
    CStatic::PreSubclassWindow();
}

BOOL CSkinLabel::PreTranslateMessage(MSG* pMsg) {
    if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
    pMsg->message = SkinPreTranslateMessageId(pMsg->message);
    return CStatic::PreTranslateMessage(pMsg);
}

LRESULT CSkinLabel::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT && m_hWnd != nullptr) {
        m_bRedrawBackground = TRUE;
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
    }
    return CStatic::WindowProc(message, wParam, lParam);
}

void CSkinLabel::AnalyseStyle() {
    const DWORD dwStyle = GetStyle();
    m_nTextAlign = LabelTextAlign(dwStyle);
    m_bNativePaint = LabelPaintsNatively(dwStyle);
}

void CSkinLabel::OnPaint() {
    AnalyseStyle();
    if (m_bNativePaint) {
        CStatic::OnPaint();
        return;
    }
    CPaintDC dc(this);
    if (m_bRedrawBackground) {
        CRect rcUpdate = dc.m_ps.rcPaint;
        if (m_bTransparent) {
            ClientToScreen(&rcUpdate);
            SkinRedrawParentBackground(this, rcUpdate);
        } else {
            UpdateBackgroundBrush();
            dc.FillRect(&rcUpdate, &m_brush);
        }
        m_bRedrawBackground = FALSE;
    }
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.hwndItem = m_hWnd;
    dis.hDC = dc.GetSafeHdc();
    GetClientRect(&dis.rcItem);
    DrawItem(&dis);
}

void CSkinLabel::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CString strText;
    GetWindowText(strText);
    CFont* pOldFont = m_font.GetSafeHandle() != nullptr ? pDC->SelectObject(&m_font) : nullptr;
    pDC->SetTextColor(LabelTextColor(m_bMouseOver != FALSE, m_bVisited != FALSE, m_crText, m_crHover, m_crVisited));
    const int nOldMode = pDC->SetBkMode(TRANSPARENT);
    CRect rc;
    GetClientRect(&rc);
    pDC->DrawText(strText, &rc, LabelTextFormat(m_nTextAlign, m_nExtraFormat, m_bAutoSize != FALSE));
    pDC->SetBkMode(nOldMode);
    if (pOldFont != nullptr) pDC->SelectObject(pOldFont);
}

BOOL CSkinLabel::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_hCursor == nullptr) return static_cast<BOOL>(Default());
    ::SetCursor(m_hCursor);
    return TRUE;
}

void CSkinLabel::OnLButtonUp(UINT, CPoint) {
    Default();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

// The link mode is not offered: with no link target a mouse move gets the
// default handling only, and the hover messages change nothing.
void CSkinLabel::OnMouseMove(UINT, CPoint) { Default(); }

LRESULT CSkinLabel::OnMouseLeave(WPARAM, LPARAM) { return Default(); }

LRESULT CSkinLabel::OnMouseEnter(WPARAM, LPARAM) { return Default(); }
