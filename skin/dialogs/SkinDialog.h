// CSkinDialog: the base of every dialog window of the program. It gives a
// dialog the flat look: no system caption or border (the whole window is
// client area), a solid background framed by a one-pixel line, a title bar
// drawn inside the client area in one of four modes, child controls in the
// dialog's colours, and a drag by the background in place of the caption.
#pragma once

#include <windows.h>

#include "framework/Dialog.h"
#include "framework/GdiObjects.h"
#include "framework/Strings.h"
#include "skin/controls/Dib.h"
#include "skin/dialogs/SkinColors.h"
#include "skin/dialogs/SkinDialogLayout.h"

class CSkinDialog : public CDialog {
public:
    // nIDTemplate is 0 when the template is handed over later in memory.
    CSkinDialog(UINT nIDTemplate, CWnd* pParent);
    virtual ~CSkinDialog();

    // Background, border, control text, title bar, title text. Makes a new
    // background brush; repaints when the window exists.
    void SetColors(COLORREF colBackground, COLORREF colBorder, COLORREF colText, COLORREF colTitle,
                   COLORREF colTitleText);
    // mode: TitleNone, TitleFlat, TitleBevel (bevel colours computed now from
    // the title colour) or TitleTextOnly. font may be null.
    void SetTitle(LPCSTR lpszText, int nMode, const SkinTitleFont* pFont, BOOL bRedraw);
    // Makes the title font and, from it, the caption height and the title
    // margin. Nothing happens without a descriptor or a device context.
    void SetTitleFont(const SkinTitleFont* pFont, BOOL bRedraw);
    // Repaints the background inside rcScreen (screen coordinates), for a
    // transparent child control about to draw over it. A transparent dialog
    // hands the request to its parent.
    void RedrawBackground(RECT rcScreen);
    void ApplyRoundRegion();

    // What the tests and the drawing read back.
    int GetCaptionHeight() const { return m_captionHeight; }
    int GetTitleMargin() const { return m_titleMargin; }
    int GetTitleMode() const { return m_titleMode; }
    COLORREF GetBevelColor(int nLine) const { return m_bevel[nLine]; }
    HBRUSH GetBackgroundBrush() const { return static_cast<HBRUSH>(m_bgBrush.GetSafeHandle()); }
    HFONT GetTitleFont() const { return static_cast<HFONT>(m_titleFont.GetSafeHandle()); }
    const CString& GetTitleText() const { return m_titleText; }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor);
    void OnLButtonDown(UINT nFlags, CPoint point);

    void ComputeBevelColors();
    void DrawTitleBevel(CDC* pDC, int left, int top, int right, int bottom);

    DECLARE_MESSAGE_MAP()

protected:
    COLORREF m_colTitle;
    COLORREF m_colTitleText;
    COLORREF m_colText;
    COLORREF m_colBackground;
    COLORREF m_colBorder;
    BOOL m_transparent;
    BOOL m_colorEdits;
    BOOL m_dragEnabled;
    BOOL m_useImage;
    int m_imagePlacement;
    int m_cornerRadius;
    int m_captionHeight;
    int m_titleMargin;
    UINT m_titleFormat;
    CRgn m_region;
    CFont m_titleFont;
    CBrush m_nullBrush;
    CBrush m_bgBrush;
    CString m_titleText;
    CDib m_image;
    COLORREF m_bevel[kTitleBevelLineCount];
    COLORREF m_colBevelLight;
    int m_titleMode;

private:
    void RemakeBackgroundBrush();
    BOOL HasImage() const;
    void PaintImage(CDC* pDC, const RECT& rcClient);
};

// The thin base of the main dialog. Its members are kept for what derives
// from it; nothing in the program fills them.
class CSkinFontDialog : public CSkinDialog {
public:
    CSkinFontDialog(UINT nIDTemplate, CWnd* pParent);
    virtual ~CSkinFontDialog();

protected:
    void DoDataExchange(CDataExchange* pDX) override;

    DECLARE_MESSAGE_MAP()

protected:
    int m_nFontFlags;
    SkinTitleFont m_fontDescriptor;
    CFont m_fonts[3];
    HICON m_icons[3];
    BYTE m_bFontsMade;
};
