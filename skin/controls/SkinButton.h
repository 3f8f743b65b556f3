// CSkinButton: an ordinary dialog button drawn flat by itself. Attached to an
// existing button by subclassing, it makes the control owner-drawn and paints
// caption (coloured by hover, focus and press), an optional icon per state,
// an optional 1-pixel border and a background taken from the parent skinned
// dialog. Check boxes and radio buttons get the system's check images beside
// the caption and keep their check state here. Every button shows a hand
// cursor.
#pragma once

#include <windows.h>

#include "framework/Controls.h"
#include "framework/GdiObjects.h"
#include "framework/ToolTipCtrl.h"
#include "skin/controls/ButtonImages.h"

class CDC;

class CSkinButton : public CButton {
public:
    CSkinButton();
    virtual ~CSkinButton();

    // Loads image set nSet from icon resources; 0 for idNormal takes the
    // active icon, 0 for idDisabled a gray copy of the normal one.
    void SetIcons(UINT idActive, UINT idNormal, UINT idPressed, UINT idDisabled, int nSet);
    // Uses the caller's icons (never destroyed here) for image set nSet; a
    // missing disabled icon becomes a gray copy, which the button owns.
    void SetIconHandles(HICON hActive, HICON hNormal, HICON hPressed, HICON hDisabled, int nSet);
    // The hand cursor (TRUE) or the class cursor (FALSE).
    void SetHandCursor(BOOL bHand);
    void SetDrawBorder(BOOL bShow);
    // Frees the icons of set nSet that the button owns; the slots become empty.
    void FreeImageSet(int nSet);

    // Read-only views of the state, for the dialogs that host the button and
    // for tests.
    int GetCurrentImage() const { return m_nCurImage; }
    int GetImageSetCount() const { return m_nImageSets; }
    int GetButtonType() const { return m_nType; }
    BYTE GetIconWidth() const { return m_cxIcon; }
    BYTE GetIconHeight() const { return m_cyIcon; }
    BOOL IsMouseOver() const { return m_bMouseOver; }
    HCURSOR GetCursor() const { return m_hCursor; }
    const ButtonImageSet* GetImageSet(int nSet) const;

    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);

protected:
    virtual void PreSubclassWindow();
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    LRESULT OnMouseLeave(WPARAM wParam, LPARAM lParam);
    LRESULT OnMouseEnter(WPARAM wParam, LPARAM lParam);
    void OnMouseMove(UINT nFlags, CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor);
    void OnKillFocus(CWnd* pNewWnd);
    void OnLButtonUp(UINT nFlags, CPoint point);

    DECLARE_MESSAGE_MAP()

private:
    void ApplyFont(HFONT hFont);
    void UpdateBackgroundBrush();
    void UpdateDrawState(UINT itemState, DWORD dwStyle);
    void UpdateIconSize();
    void BuildCheckImages();
    void PaintBackground(CDC* pDC, const CRect& rcItem);
    void PaintIcon(CDC* pDC, CRect rc);
    void PaintText(CDC* pDC, CRect rc);
    void PaintBorder(CDC* pDC, const CRect& rc);
    // imgActive and imgNormal of the current set are different icons.
    BOOL ActiveDiffersFromNormal() const;
    void SetCheckImage(int nImage);
    void ClearRadioGroup();

protected:
    BOOL m_bMouseOver;
    BOOL m_bFocused;
    BOOL m_bPressed;
    BOOL m_bGrayed;
    BOOL m_bShowBorder;
    BOOL m_bTransparent;
    BOOL m_bRedrawBackground;
    int m_nTextAlign;
    DWORD m_dwLastStyle;
    int m_nType;
    BYTE m_cyIcon;
    BYTE m_cxIcon;
    int m_nCurImage;
    int m_nImageSets;
    COLORREF m_crTextNormal;
    COLORREF m_crTextActive;
    COLORREF m_crTextPressed;
    COLORREF m_crBackground;
    COLORREF m_crBorder;
    CFont m_font;
    CBrush m_brush;
    CToolTipCtrl m_toolTip;
    ButtonImageSet* m_pImages;
    HCURSOR m_hCursor;

private:
    // The cursor was made here (the built-in hand) and is destroyed here; the
    // system's shared hand cursor is never destroyed.
    BOOL m_bOwnCursor;
    // A setter changed the look of the window (border, icons): the next
    // drawing repaints the background first. m_bRedrawBackground cannot
    // carry this, as every message but WM_SETTEXT clears it before the
    // paint comes, and a transparent button erases nothing, so the old
    // border or caption would stay on the screen.
    BOOL m_bLookChanged;
    void LookChanged();
};
