// CSkinLabel: a static text control that draws its own text over the parent
// skinned dialog's background. Every text change has the parent repaint the
// background under the label first, so no trace of the old text remains.
// Attached to an existing static control by subclassing; its text is the
// window text (WM_SETTEXT may come from another thread: the system delivers
// it on the thread that owns the window).
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "framework/GdiObjects.h"
#include "framework/Strings.h"
#include "framework/ToolTipCtrl.h"

class CDC;

class CSkinLabel : public CStatic {
public:
    CSkinLabel();
    virtual ~CSkinLabel();

    // Draws the window text into the record's device context (the paint
    // context of OnPaint); the context is not deleted.
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

    // Read-only views, for tests.
    UINT GetTextAlign() const { return m_nTextAlign; }
    BOOL PaintsNatively() const { return m_bNativePaint; }
    HFONT GetLabelFont() const { return static_cast<HFONT>(m_font.GetSafeHandle()); }
    HBRUSH GetBackgroundBrush() const { return static_cast<HBRUSH>(m_brush.GetSafeHandle()); }

protected:
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    void OnPaint();
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnLButtonUp(UINT nFlags, CPoint point);
    void OnMouseMove(UINT nFlags, CPoint point);
    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseEnter(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    void CreateLabelFont();
    void UpdateBackgroundBrush();
    void AnalyseStyle();

protected:
    CFont m_font;
    char m_szFaceName[260];
    LONG m_nFontHeight;
    COLORREF m_crText;
    COLORREF m_crHover;
    COLORREF m_crVisited;
    COLORREF m_crBackground;
    BOOL m_bBold;
    BOOL m_bItalic;
    BOOL m_bUnderline;
    BOOL m_bTransparent;
    BOOL m_bHoverUnderline;
    BOOL m_bAutoSize;
    BOOL m_bNativePaint;
    BOOL m_bVisited;
    BOOL m_bRedrawBackground;
    UINT m_nTextAlign;
    UINT m_nExtraFormat;
    BOOL m_bMouseOver;
    CString m_strLink;
    HCURSOR m_hCursor;
    CToolTipCtrl m_toolTip;
    CBrush m_brush;
};
