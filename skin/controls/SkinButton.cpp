#include "skin/controls/SkinButton.h"

#include <commctrl.h>

#include <cstring>

#include "framework/DeviceContext.h"
#include "framework/Strings.h"
#include "skin/controls/ButtonState.h"
#include "skin/controls/SkinBackgroundHost.h"

static_assert(kSkinDtCenter == DT_CENTER && kSkinDtRight == DT_RIGHT && kSkinDtVCenter == DT_VCENTER &&
                  kSkinDtBottom == DT_BOTTOM && kSkinDtSingleLine == DT_SINGLELINE,
              "DrawText bits");
static_assert(kSkinOdsSelected == ODS_SELECTED && kSkinOdsFocus == ODS_FOCUS && kSkinOdsDisabled == ODS_DISABLED,
              "owner-draw state bits");
static_assert(kSkinBsOwnerDraw == BS_OWNERDRAW && kSkinBsFlat == BS_FLAT && kSkinBsLeft == BS_LEFT, "button styles");
static_assert(kSkinWmMouseLeave == WM_MOUSELEAVE && WM_SKIN_MOUSEENTER == WM_USER + WM_MOUSELEAVE, "hover messages");

BEGIN_MESSAGE_MAP(CSkinButton, CButton)
    ON_MESSAGE(WM_MOUSELEAVE, OnMouseLeave)
    ON_MESSAGE(WM_SKIN_MOUSEENTER, OnMouseEnter)
    ON_WM_MOUSEMOVE()
    ON_WM_SETCURSOR()
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR_REFLECT()
    ON_WM_KILLFOCUS()
    ON_WM_LBUTTONUP()
END_MESSAGE_MAP()

CSkinButton::CSkinButton()
    : m_bMouseOver(FALSE),
      m_bFocused(FALSE),
      m_bPressed(FALSE),
      m_bGrayed(FALSE),
      m_bShowBorder(TRUE),
      m_bTransparent(TRUE),
      m_bRedrawBackground(TRUE),
      m_nTextAlign(0),
      m_dwLastStyle(0),
      m_nType(0),
      m_cyIcon(0),
      m_cxIcon(0),
      m_nCurImage(0),
      m_nImageSets(0),
      m_crTextNormal(kSkinButtonTextNormal),
      m_crTextActive(kSkinButtonTextActive),
      m_crTextPressed(kSkinButtonTextPressed),
      m_crBackground(kSkinButtonBackground),
      m_crBorder(kSkinButtonBorder),
      m_pImages(nullptr),
      m_hCursor(nullptr),
      m_bOwnCursor(FALSE),
      m_bLookChanged(FALSE) {
    SetHandCursor(TRUE);
}

CSkinButton::~CSkinButton() {
    for (int i = 0; i < m_nImageSets; ++i) FreeImageSet(i);
    delete[] m_pImages;
    m_pImages = nullptr;
    if (m_hCursor != nullptr && m_bOwnCursor) ::DestroyCursor(m_hCursor);
    m_hCursor = nullptr;
    m_brush.DeleteObject();
    m_font.DeleteObject();
}

void CSkinButton::SetDrawBorder(BOOL bShow) {
    m_bShowBorder = bShow;
    LookChanged();
}

void CSkinButton::LookChanged() {
    if (m_hWnd == nullptr) return;
    m_bLookChanged = TRUE;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

BOOL CSkinButton::ActiveDiffersFromNormal() const {
    const ButtonImageSet* pSet = GetImageSet(m_nCurImage);
    return pSet != nullptr && pSet->imgActive.hIcon != pSet->imgNormal.hIcon;
}

// ---------------------------------------------------------------------------
// Attaching

void CSkinButton::ApplyFont(HFONT hFont) {
    LOGFONTA lf;
    if (::GetObjectA(hFont, sizeof(lf), &lf) != sizeof(lf)) return;
    m_font.DeleteObject();
    m_font.CreateFontIndirect(&lf);
    m_bRedrawBackground = TRUE;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinButton::UpdateBackgroundBrush() {
    m_brush.DeleteObject();
    if (m_bTransparent)
        m_brush.CreateStockObject(NULL_BRUSH);
    else
        m_brush.CreateSolidBrush(ResolveBackgroundColor(m_crBackground, ::GetSysColor(COLOR_BTNFACE)));
}

void CSkinButton::PreSubclassWindow() {
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    if (hFont != nullptr) ApplyFont(hFont);

    UpdateBackgroundBrush();

    const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE));
    // A button attached a second time starts from fresh image sets.
    for (int i = 0; i < m_nImageSets; ++i) FreeImageSet(i);
    delete[] m_pImages;
    m_nType = ButtonTypeOfStyle(dwStyle);
    m_nImageSets = ButtonImageSetCount(m_nType);
    m_pImages = new ButtonImageSet[m_nImageSets];
    std::memset(m_pImages, 0, sizeof(ButtonImageSet) * static_cast<size_t>(m_nImageSets));

    if (IsCheckLikeButton(m_nType)) {
        const int nCheck = static_cast<int>(::SendMessageA(m_hWnd, BM_GETCHECK, 0, 0));
        BuildCheckImages();
        m_crTextActive = m_crTextNormal;
        m_crTextPressed = m_crTextNormal;
        const int nImage = InitialCheckImage(nCheck, m_nImageSets);
        if (nImage >= 0) {
            m_nCurImage = nImage;
            UpdateIconSize();
            m_bRedrawBackground = TRUE;
            ::InvalidateRect(m_hWnd, nullptr, TRUE);
        }
    }

    ::SendMessageA(m_hWnd, BM_SETSTYLE, OwnerDrawButtonStyle(dwStyle), TRUE);
    ::SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, m_nType);
    CButton::PreSubclassWindow();
}

// ---------------------------------------------------------------------------
// Messages

LRESULT CSkinButton::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    // Set for WM_SETTEXT, cleared for every other message: a repaint caused
    // by a new caption clears the old caption's pixels first.
    m_bRedrawBackground = ButtonRedrawFlagForMessage(message);
    return CButton::WindowProc(message, wParam, lParam);
}

BOOL CSkinButton::PreTranslateMessage(MSG* pMsg) {
    if (m_toolTip.m_hWnd != nullptr) m_toolTip.RelayEvent(pMsg);
    pMsg->message = SkinPreTranslateMessageId(pMsg->message);
    return CButton::PreTranslateMessage(pMsg);
}

LRESULT CSkinButton::OnMouseLeave(WPARAM, LPARAM) {
    m_bMouseOver = FALSE;
    m_bRedrawBackground = ActiveDiffersFromNormal();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

LRESULT CSkinButton::OnMouseEnter(WPARAM, LPARAM) {
    m_bMouseOver = TRUE;
    m_bRedrawBackground = ActiveDiffersFromNormal();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
    return 0;
}

void CSkinButton::OnMouseMove(UINT, CPoint point) {
    Default();
    CRect rc;
    GetClientRect(&rc);
    const BOOL bInside = rc.PtInRect(point);
    if (!m_bMouseOver && bInside) ::SendMessageA(m_hWnd, WM_SKIN_MOUSEENTER, 0, 0);
    if (m_bMouseOver && !bInside) ::SendMessageA(m_hWnd, WM_MOUSELEAVE, 0, 0);

    TRACKMOUSEEVENT tme = {};
    tme.cbSize = sizeof(tme);
    tme.dwFlags = TME_LEAVE;
    tme.hwndTrack = m_hWnd;
    tme.dwHoverTime = HOVER_DEFAULT;
    ::_TrackMouseEvent(&tme);
}

BOOL CSkinButton::OnSetCursor(CWnd*, UINT, UINT) {
    if (m_hCursor == nullptr) return static_cast<BOOL>(Default());
    ::SetCursor(m_hCursor);
    return TRUE;
}

BOOL CSkinButton::OnEraseBkgnd(CDC*) {
    if (m_bTransparent) return TRUE;
    UpdateBackgroundBrush();
    return static_cast<BOOL>(Default());
}

HBRUSH CSkinButton::CtlColor(CDC*, UINT) { return static_cast<HBRUSH>(m_brush.GetSafeHandle()); }

void CSkinButton::OnKillFocus(CWnd*) {
    Default();
    m_bRedrawBackground = ActiveDiffersFromNormal();
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinButton::SetCheckImage(int nImage) {
    m_nCurImage = nImage;
    UpdateIconSize();
    m_bRedrawBackground = TRUE;
    ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinButton::ClearRadioGroup() {
    HWND hParent = ::GetParent(m_hWnd);
    if (hParent == nullptr) return;
    HWND hItem = m_hWnd;
    for (;;) {
        hItem = ::GetNextDlgGroupItem(hParent, hItem, FALSE);
        if (hItem == nullptr || hItem == m_hWnd) break;
        const DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hItem, GWL_STYLE));
        const LONG_PTR nUserData = ::GetWindowLongPtrA(hItem, GWLP_USERDATA);
        // The style and the user data alone do not make a skinned button:
        // any owner-drawn button may carry 9 as its user data. Only an object
        // of this class bound on this thread is touched.
        CSkinButton* pMate = dynamic_cast<CSkinButton*>(CWnd::FromHandlePermanent(hItem));
        if (pMate == nullptr || !IsSkinnedAutoRadio(dwStyle, nUserData, pMate->m_nImageSets)) continue;
        pMate->SetCheckImage(kSkinUnchecked);
    }
}

void CSkinButton::OnLButtonUp(UINT, CPoint) {
    const ButtonReleaseResult result =
        ButtonCheckAfterRelease(m_nType, m_bMouseOver != FALSE, m_nCurImage, m_nImageSets);
    if (result.changed) SetCheckImage(result.newImage);
    if (result.clearGroup) ClearRadioGroup();
    Default();
}

// ---------------------------------------------------------------------------
// Drawing

void CSkinButton::UpdateDrawState(UINT itemState, DWORD dwStyle) {
    const ButtonDrawState state = ::UpdateDrawState(itemState, dwStyle, m_nType);
    m_bPressed = state.pressed;
    m_bFocused = state.focused;
    m_bGrayed = state.grayed;
    m_nTextAlign = static_cast<int>(state.textAlign);
}

void CSkinButton::PaintBackground(CDC* pDC, const CRect& rcItem) {
    if (m_bTransparent) {
        CRect rcScreen = rcItem;
        ClientToScreen(&rcScreen);
        SkinRedrawParentBackground(this, rcScreen);
    } else {
        pDC->FillRect(&rcItem, &m_brush);
    }
}

void CSkinButton::PaintText(CDC* pDC, CRect rc) {
    CFont* pOldFont = m_font.GetSafeHandle() != nullptr ? pDC->SelectObject(&m_font) : nullptr;
    const ButtonVisual visual =
        ButtonVisualState(m_bGrayed != FALSE, m_bMouseOver != FALSE, m_bFocused != FALSE, m_bPressed != FALSE);
    const ButtonTextColors colors = {m_crTextNormal, m_crTextActive, m_crTextPressed};
    pDC->SetTextColor(ButtonTextColor(visual, colors, ::GetSysColor(COLOR_GRAYTEXT)));

    const std::uint32_t align = static_cast<std::uint32_t>(m_nTextAlign);
    const SkinRect rcText =
        ButtonTextRect(SkinRect{rc.left, rc.top, rc.right, rc.bottom}, align, m_nType, m_cxIcon, m_cyIcon);
    CRect rcDraw(rcText.left, rcText.top, rcText.right, rcText.bottom);
    CString strText;
    GetWindowText(strText);
    pDC->DrawText(strText, &rcDraw, ButtonTextFormat(align, strText));
    if (pOldFont != nullptr) pDC->SelectObject(pOldFont);
}

void CSkinButton::PaintBorder(CDC* pDC, const CRect& rc) {
    if (!ButtonDrawsBorder(m_bShowBorder != FALSE, m_nType)) return;
    HDC hDC = pDC->GetSafeHdc();
    HPEN hPen = ::CreatePen(PS_SOLID, 1, m_crBorder);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, ::GetStockObject(NULL_BRUSH));
    HGDIOBJ hOldPen = hPen != nullptr ? ::SelectObject(hDC, hPen) : nullptr;
    ::RoundRect(hDC, rc.left, rc.top, rc.right, rc.bottom, 0, 0);
    ::SelectObject(hDC, hOldBrush);
    if (hOldPen != nullptr) ::SelectObject(hDC, hOldPen);
    if (hPen != nullptr) ::DeleteObject(hPen);
}

void CSkinButton::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) {
    CRect rcItem = lpDrawItemStruct->rcItem;
    CDC dc;
    dc.Attach(lpDrawItemStruct->hDC);
    dc.SetBkMode(TRANSPARENT);

    const DWORD dwStyle = GetStyle();
    UpdateDrawState(lpDrawItemStruct->itemState, dwStyle);

    if (ButtonNeedsBackground(dwStyle, m_dwLastStyle, m_bRedrawBackground || m_bLookChanged, m_bFocused != FALSE,
                              m_bMouseOver != FALSE, ActiveDiffersFromNormal() != FALSE)) {
        PaintBackground(&dc, rcItem);
        m_dwLastStyle = dwStyle;
        m_bRedrawBackground = FALSE;
        m_bLookChanged = FALSE;
    }

    // The icon goes through an off-screen copy of what is there, so it is
    // blended over the background in one step.
    const int cx = rcItem.Width();
    const int cy = rcItem.Height();
    HDC hMem = ::CreateCompatibleDC(dc.GetSafeHdc());
    HBITMAP hBitmap = hMem != nullptr ? ::CreateCompatibleBitmap(dc.GetSafeHdc(), cx, cy) : nullptr;
    if (hMem != nullptr && hBitmap != nullptr) {
        HGDIOBJ hOld = ::SelectObject(hMem, hBitmap);
        ::BitBlt(hMem, 0, 0, cx, cy, dc.GetSafeHdc(), 0, 0, SRCCOPY);
        {
            CDC memDC;
            memDC.Attach(hMem);
            PaintIcon(&memDC, rcItem);
            memDC.Detach();
        }
        ::BitBlt(dc.GetSafeHdc(), 0, 0, cx, cy, hMem, 0, 0, SRCCOPY);
        ::SelectObject(hMem, hOld);
    }
    if (hMem != nullptr) ::DeleteDC(hMem);
    if (hBitmap != nullptr) ::DeleteObject(hBitmap);

    PaintText(&dc, rcItem);
    PaintBorder(&dc, rcItem);
    dc.Detach();
}
