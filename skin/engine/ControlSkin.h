// CControlSkin: the base of the control skinners. One object per skinned
// control, reached from the control's window procedure through the skin
// manager's thunk. The base owns the subclassing (the previous procedure),
// the common message handling that decides when the skin is redrawn, the
// redraw protocol and the flat frames of scroll bars; the kinds override the
// drawing and, some of them, the window procedure and the hover test.
#pragma once

#include <windows.h>

// m_nState bits.
enum {
    SKIN_HOT = 0x1,     // the mouse is over the control
    SKIN_ACTIVE = 0x4,  // IsActive answered TRUE at the last redraw
};

class CControlSkin {
public:
    CControlSkin();

    // Common message handling; see ControlSkin.cpp.
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // TRUE when the hover poll must redraw: here, when this control is not
    // the manager's hover window. The point is in screen coordinates.
    virtual BOOL NeedsHoverUpdate(const POINT* ptScreen);
    // The DC to draw the frame into and the frame rectangle in it: here the
    // control's window DC (covering the non-client area) and its window
    // rectangle moved to the origin.
    virtual void GetFrameDC(HDC* phDC, RECT* prcFrame);
    // Draws the skin; every kind defines it.
    virtual void DrawFrame(HDC hDC, const RECT* prcFrame) = 0;
    virtual BOOL IsActive();
    // Kinds may keep members of their own, so they are deleted through the base.
    virtual ~CControlSkin();

    CControlSkin(const CControlSkin&) = delete;
    CControlSkin& operator=(const CControlSkin&) = delete;

    // Binds the control: keeps its current window procedure, then installs pfnNew.
    void Attach(HWND hWnd, WNDPROC pfnNew);

    // Redraws the skin now (frame DC, client-edge adjustment, active bit,
    // DrawFrame, release of the DC to the window it belongs to).
    void RedrawFrame();

    // TRUE when the control is drawn highlighted (hot or active).
    BOOL IsHighlighted() const { return (m_nState & (SKIN_HOT | SKIN_ACTIVE)) != 0; }

    // The flat button frame on the two arrows and the thumb of one scroll bar
    // whose rectangle is rc; bControl: a scroll bar control (SB_CTL) rather
    // than one of the window's own bars (SB_HORZ / SB_VERT by bVertical).
    void DrawScrollBar(HDC hDC, const RECT* rc, BOOL bVertical, BOOL bControl);
    // Frames the control's own scroll bars (WS_HSCROLL / WS_VSCROLL) inside
    // the frame rectangle rc, the horizontal one first.
    void DrawWindowScrollBars(HDC hDC, const RECT* rc);

    // Hands the message to the control's previous window procedure.
    LRESULT PassOn(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    WNDPROC m_pfnOldProc;
    BOOL m_bRaised;
    WORD m_nState;
};
