#include "skin/dialogs/SkinDialog.h"

#include "framework/DeviceContext.h"
#include "framework/Geometry.h"

#include <cstring>

namespace {

RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }

// Dialog units to pixels with the dialog's own template font.
int DialogUnitsDown(const CDialog* pDialog, int dlu) {
    RECT rc = {0, 0, 0, dlu};
    pDialog->MapDialogRect(&rc);
    return rc.bottom;
}

int DialogUnitsAcross(const CDialog* pDialog, int dlu) {
    RECT rc = {0, 0, dlu, 0};
    pDialog->MapDialogRect(&rc);
    return rc.right - rc.left;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinDialog, CDialog)
    ON_WM_ERASEBKGND()
    ON_WM_CTLCOLOR()
    ON_WM_LBUTTONDOWN()
END_MESSAGE_MAP()

CSkinDialog::CSkinDialog(UINT nIDTemplate, CWnd* pParent)
    : CDialog(nIDTemplate, pParent),
      m_colTitle(kSkinDialogTitle),
      m_colTitleText(kSkinDialogTitleText),
      m_colText(kSkinDialogText),
      m_colBackground(kSkinDialogBackground),
      m_colBorder(kSkinDialogBorder),
      m_transparent(0),
      m_colorEdits(0),
      m_dragEnabled(1),
      m_useImage(0),
      m_imagePlacement(ImageTile),
      m_cornerRadius(0),
      m_captionHeight(0),
      m_titleMargin(0),
      m_titleFormat(kSkinTitleFormat),
      m_titleText("X"),
      m_bevel(),
      m_colBevelLight(kSkinDialogBevelLight),
      m_titleMode(TitleNone) {
    m_nullBrush.CreateStockObject(NULL_BRUSH);
}

CSkinDialog::~CSkinDialog() {
    // The stock brush is the system's; only what we made is deleted.
    m_nullBrush.Detach();
    if (m_titleFont.GetSafeHandle() != nullptr) m_titleFont.DeleteObject();
    if (m_region.GetSafeHandle() != nullptr) m_region.DeleteObject();
    if (m_bgBrush.GetSafeHandle() != nullptr) m_bgBrush.DeleteObject();
}

void CSkinDialog::DoDataExchange(CDataExchange*) {}

void CSkinDialog::RemakeBackgroundBrush() {
    if (m_bgBrush.GetSafeHandle() != nullptr) m_bgBrush.DeleteObject();
    m_bgBrush.CreateSolidBrush(m_colBackground);
}

BOOL CSkinDialog::OnInitDialog() {
    CDialog::OnInitDialog();
    ModifyStyle(WS_CAPTION, 0, SWP_FRAMECHANGED);
    ModifyStyle(WS_BORDER, 0, SWP_FRAMECHANGED);
    if (m_cornerRadius != 0) ApplyRoundRegion();
    const SkinTitleFont standard = StandardTitleFont();
    SetTitleFont(&standard, FALSE);
    if (m_titleMode != TitleNone) SetWindowText(m_titleText);
    RemakeBackgroundBrush();
    return TRUE;
}

void CSkinDialog::SetColors(COLORREF colBackground, COLORREF colBorder, COLORREF colText, COLORREF colTitle,
                            COLORREF colTitleText) {
    m_colBackground = colBackground;
    m_colBorder = colBorder;
    m_colText = colText;
    m_colTitle = colTitle;
    m_colTitleText = colTitleText;
    RemakeBackgroundBrush();
    if (::IsWindow(m_hWnd)) ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CSkinDialog::SetTitle(LPCSTR lpszText, int nMode, const SkinTitleFont* pFont, BOOL bRedraw) {
    m_titleText = lpszText != nullptr ? lpszText : "";
    if (::IsWindow(m_hWnd)) SetWindowText(m_titleText);
    m_titleMode = nMode;
    if (nMode == TitleBevel) ComputeBevelColors();
    if (::IsWindow(m_hWnd)) ::InvalidateRect(m_hWnd, nullptr, TRUE);
    SetTitleFont(pFont, FALSE);
    if (::IsWindow(m_hWnd)) {
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
        if (bRedraw) ::UpdateWindow(m_hWnd);
    }
}

void CSkinDialog::SetTitleFont(const SkinTitleFont* pFont, BOOL bRedraw) {
    if (pFont == nullptr || !::IsWindow(m_hWnd)) return;
    HDC hDC = ::GetDC(m_hWnd);
    if (hDC == nullptr) return;

    char faceName[sizeof(pFont->faceName)];
    std::memcpy(faceName, pFont->faceName, sizeof(faceName));
    faceName[sizeof(faceName) - 1] = '\0';
    HFONT hOld = static_cast<HFONT>(m_titleFont.Detach());
    HFONT hNew = ::CreateFontA(TitleFontHeight(pFont->pointSize, ::GetDeviceCaps(hDC, LOGPIXELSY)), 0, 0, 0,
                               TitleFontWeight(pFont->bold), TitleFontFlagByte(pFont->italic),
                               TitleFontFlagByte(pFont->underline), 0, DEFAULT_CHARSET, 0, 0, 0, 0, faceName);
    if (hNew != nullptr && m_titleFont.Attach(hNew)) {
        if (hOld != nullptr) ::DeleteObject(hOld);
    } else {
        if (hNew != nullptr) ::DeleteObject(hNew);
        if (hOld != nullptr) m_titleFont.Attach(hOld);
    }
    m_titleFormat = pFont->format;

    int textHeight = 0;
    int fixedHeight = 0;
    int extraHeight = 0;
    if (pFont->heightDlu == 0) {
        HGDIOBJ hPrev = ::SelectObject(hDC, m_titleFont.GetSafeHandle());
        if ((m_titleFormat & DT_SINGLELINE) != 0) {
            SIZE extent = {0, 0};
            ::GetTextExtentPoint32A(hDC, m_titleText, m_titleText.GetLength(), &extent);
            textHeight = extent.cy;
        } else {
            RECT rc = {0, 0, 0, 0};
            ::GetClientRect(m_hWnd, &rc);
            rc.bottom = 0;
            ::DrawTextA(hDC, m_titleText, m_titleText.GetLength(), &rc, m_titleFormat | DT_CALCRECT);
            textHeight = rc.bottom - rc.top;
        }
        if (hPrev != nullptr) ::SelectObject(hDC, hPrev);
        extraHeight = DialogUnitsDown(this, pFont->extraHeightDlu);
    } else {
        fixedHeight = DialogUnitsDown(this, pFont->heightDlu);
    }
    m_captionHeight = TitleCaptionHeight(*pFont, textHeight, extraHeight, fixedHeight);
    m_titleMargin = DialogUnitsAcross(this, pFont->marginDlu);
    ::ReleaseDC(m_hWnd, hDC);

    RECT rcClient;
    ::GetClientRect(m_hWnd, &rcClient);
    const RECT strip = ToRect(TitleBarRect(rcClient.right - rcClient.left, m_captionHeight));
    ::InvalidateRect(m_hWnd, &strip, TRUE);
    if (bRedraw) ::UpdateWindow(m_hWnd);
}

void CSkinDialog::RedrawBackground(RECT rcScreen) {
    if (m_transparent) {
        CWnd* pParent = GetParent();
        if (CSkinDialog* pSkinParent =
                dynamic_cast<CSkinDialog*>(CWnd::FromHandlePermanent(pParent != nullptr ? pParent->m_hWnd : nullptr)))
            pSkinParent->RedrawBackground(rcScreen);
        return;
    }
    if (!::IsWindow(m_hWnd)) return;
    CClientDC dc(this);
    if (dc.GetSafeHdc() == nullptr) return;
    RECT rc = rcScreen;
    ScreenToClient(&rc);
    CRgn clip;
    clip.CreateRectRgn(rc.left, rc.top, rc.right, rc.bottom);
    dc.SelectClipRgn(&clip);
    OnEraseBkgnd(&dc);
    dc.SelectClipRgn(nullptr);
}

void CSkinDialog::ApplyRoundRegion() {
    RECT rcWindow;
    ::GetWindowRect(m_hWnd, &rcWindow);
    if (m_region.GetSafeHandle() != nullptr) m_region.DeleteObject();
    const SkinRoundRegion round =
        RoundRegionOf(rcWindow.right - rcWindow.left, rcWindow.bottom - rcWindow.top, m_cornerRadius);
    m_region.CreateRoundRectRgn(round.rect.left, round.rect.top, round.rect.right, round.rect.bottom, round.ellipse,
                                round.ellipse);
    // The window keeps its own copy: the system deletes a region it was given.
    HRGN hCopy = ::CreateRectRgn(0, 0, 0, 0);
    if (hCopy != nullptr &&
        ::CombineRgn(hCopy, static_cast<HRGN>(m_region.GetSafeHandle()), nullptr, RGN_COPY) != ERROR) {
        if (!::SetWindowRgn(m_hWnd, hCopy, TRUE)) ::DeleteObject(hCopy);
    } else if (hCopy != nullptr) {
        ::DeleteObject(hCopy);
    }
}

BOOL CSkinDialog::HasImage() const {
    return m_image.GetBits() != nullptr && m_image.GetWidth() > 0 && m_image.GetHeight() != 0;
}

void CSkinDialog::PaintImage(CDC* pDC, const RECT& rcClient) {
    const int width = rcClient.right - rcClient.left;
    const int height = rcClient.bottom - rcClient.top;
    const int imageHeight = m_image.GetHeight() < 0 ? -m_image.GetHeight() : m_image.GetHeight();
    // A centred image sits on the dialog manager's own erase.
    if (m_imagePlacement == ImageCentre) DefWindowProc(WM_ERASEBKGND, reinterpret_cast<WPARAM>(pDC->GetSafeHdc()), 0);
    const std::vector<SkinImageDraw> draws =
        BackgroundImageDraws(m_imagePlacement, width, height, BackgroundImageTop(m_titleMode, m_captionHeight),
                             m_image.GetWidth(), imageHeight);
    CDib& image = m_image;
    for (const SkinImageDraw& draw : draws) {
        if (draw.stretched)
            image.DrawStretched(pDC, draw.dest.left, draw.dest.top, draw.dest.Width(), draw.dest.Height());
        else
            image.Draw(pDC, draw.dest.left, draw.dest.top);
    }
    pDC->SelectStockObject(HOLLOW_BRUSH);
    if (m_cornerRadius != 0) {
        ::RoundRect(pDC->GetSafeHdc(), rcClient.left, rcClient.top, rcClient.right, rcClient.bottom, m_cornerRadius,
                    m_cornerRadius);
        ::RoundRect(pDC->GetSafeHdc(), rcClient.left, rcClient.top, rcClient.right, rcClient.bottom, m_cornerRadius + 2,
                    m_cornerRadius + 2);
    } else {
        ::Rectangle(pDC->GetSafeHdc(), rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);
    }
}

BOOL CSkinDialog::OnEraseBkgnd(CDC* pDC) {
    if (m_transparent) return TRUE;
    RECT rcClient;
    GetClientRect(&rcClient);
    HDC hDC = pDC->GetSafeHdc();
    HPEN hPen = ::CreatePen(PS_SOLID, 1, m_colBorder);
    HGDIOBJ hOldBrush = ::SelectObject(hDC, m_useImage ? ::GetStockObject(NULL_BRUSH) : m_bgBrush.GetSafeHandle());
    HGDIOBJ hOldPen = hPen != nullptr ? ::SelectObject(hDC, hPen) : nullptr;
    if (m_cornerRadius != 0)
        ::RoundRect(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom, m_cornerRadius, m_cornerRadius);
    else
        ::Rectangle(hDC, rcClient.left, rcClient.top, rcClient.right, rcClient.bottom);

    if (m_useImage && HasImage()) PaintImage(pDC, rcClient);

    if (m_titleMode != TitleNone) {
        const SkinRect title = TitleBarRect(rcClient.right - rcClient.left, m_captionHeight);
        HGDIOBJ hOldFont =
            m_titleFont.GetSafeHandle() != nullptr ? ::SelectObject(hDC, m_titleFont.GetSafeHandle()) : nullptr;
        if (m_titleMode != TitleTextOnly) {
            const RECT rcTitle = ToRect(title);
            pDC->FillSolidRect(&rcTitle, m_colTitle);
            if (m_titleMode == TitleBevel) DrawTitleBevel(pDC, title.left, title.top, title.right, title.bottom);
        }
        ::SetBkMode(hDC, TRANSPARENT);
        ::SetTextColor(hDC, m_colTitleText);
        RECT rcText = ToRect(TitleTextRect(title, m_titleFormat, m_titleMargin, m_cornerRadius));
        ::DrawTextA(hDC, m_titleText, m_titleText.GetLength(), &rcText, m_titleFormat);
        if (hOldFont != nullptr) ::SelectObject(hDC, hOldFont);
    }

    // With an image the hollow brush stays selected, as it was for the frame.
    if (!m_useImage && hOldBrush != nullptr) ::SelectObject(hDC, hOldBrush);
    if (hOldPen != nullptr) ::SelectObject(hDC, hOldPen);
    if (hPen != nullptr) ::DeleteObject(hPen);
    return TRUE;
}

void CSkinDialog::ComputeBevelColors() {
    SkinColorRef bevel[kTitleBevelLineCount];
    ::ComputeBevelColors(m_colTitle, m_colBevelLight, bevel);
    for (int i = 0; i < kTitleBevelLineCount; ++i) m_bevel[i] = bevel[i];
    m_titleMode = TitleBevel;
}

void CSkinDialog::DrawTitleBevel(CDC* pDC, int left, int top, int right, int bottom) {
    SkinRect lines[kTitleBevelLineCount];
    TitleBevelLines(SkinRect{left, top, right, bottom}, lines);
    for (int i = 0; i < kTitleBevelLineCount; ++i)
        pDC->FillSolidRect(lines[i].left, lines[i].top, lines[i].Width(), lines[i].Height(), m_bevel[i]);
}

HBRUSH CSkinDialog::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    char className[64] = "";
    if (pWnd != nullptr && pWnd->m_hWnd != nullptr) ::GetClassNameA(pWnd->m_hWnd, className, sizeof(className));
    switch (ChooseCtlColor(nCtlColor, className, m_colorEdits != 0, m_transparent != 0, m_useImage != 0)) {
    case SkinCtlColor::DialogColors:
        pDC->SetTextColor(m_colText);
        pDC->SetBkColor(m_colBackground);
        return static_cast<HBRUSH>(m_bgBrush.GetSafeHandle());
    case SkinCtlColor::GrayText:
        pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
        pDC->SetBkColor(m_colBackground);
        return static_cast<HBRUSH>(m_bgBrush.GetSafeHandle());
    case SkinCtlColor::TrackbarBrush:
        pDC->SetTextColor(m_colText);
        return static_cast<HBRUSH>(m_bgBrush.GetSafeHandle());
    case SkinCtlColor::StaticTransparent:
        pDC->SetTextColor(m_colText);
        pDC->SetBkMode(TRANSPARENT);
        return static_cast<HBRUSH>(m_nullBrush.GetSafeHandle());
    case SkinCtlColor::StaticOpaque:
        pDC->SetTextColor(m_colText);
        pDC->SetBkColor(m_colBackground);
        return static_cast<HBRUSH>(m_nullBrush.GetSafeHandle());
    case SkinCtlColor::Default: break;
    }
    return CWnd::OnCtlColor(pDC, pWnd, nCtlColor);
}

void CSkinDialog::OnLButtonDown(UINT, CPoint point) {
    Default();
    if (m_dragEnabled != 1) return;
    HWND hTarget = m_hWnd;
    // A skinned dialog inside another window drags its top-level ancestor.
    while ((::GetWindowLongA(hTarget, GWL_STYLE) & WS_CHILD) != 0) {
        HWND hParent = ::GetParent(hTarget);
        if (hParent == nullptr) break;
        hTarget = hParent;
    }
    ::PostMessageA(hTarget, WM_NCLBUTTONDOWN, HTCAPTION, static_cast<LPARAM>(SkinDragPosition(point.x, point.y)));
}

// --- CSkinFontDialog ---

BEGIN_MESSAGE_MAP(CSkinFontDialog, CSkinDialog)
END_MESSAGE_MAP()

CSkinFontDialog::CSkinFontDialog(UINT nIDTemplate, CWnd* pParent)
    : CSkinDialog(nIDTemplate, pParent),
      m_nFontFlags(0),
      m_fontDescriptor(StandardTitleFont()),
      m_icons(),
      m_bFontsMade(0) {}

CSkinFontDialog::~CSkinFontDialog() {
    for (CFont& font : m_fonts) {
        if (font.GetSafeHandle() != nullptr) font.DeleteObject();
    }
    for (HICON hIcon : m_icons) {
        if (hIcon != nullptr) ::DestroyIcon(hIcon);
    }
}

void CSkinFontDialog::DoDataExchange(CDataExchange*) {}
