// The skinners of controls whose look is made of parts: scroll bar controls
// (arrows and thumb), trackbars (channel and pointed thumb), header controls
// with button items and toolbars that are not flat. Headers and toolbars keep
// the item under the mouse, so the hover poll redraws them when the mouse
// moves from item to item.
#pragma once

#include <windows.h>

#include "skin/engine/ControlSkin.h"

// Scroll bar controls other than size boxes and size grips: the flat button
// frame on both arrows and the thumb, redrawn after the position messages
// that ask the control to redraw.
class CScrollBarSkin : public CControlSkin {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
};

// Trackbars: a sunken frame on the channel and a flat thumb, drawn into the
// client area at the places the control reports.
class CTrackBarSkin : public CControlSkin {
public:
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
    // The thumb in rc: with TBS_BOTH a rectangle, otherwise pointed towards
    // the side its ticks are on.
    void DrawThumb(HDC hDC, const RECT* prcThumb);
};

// Header controls with HDS_BUTTONS: raised frames on the items and on the
// empty area right of them; a header over an item makes its skinned parent hot.
class CHeaderSkin : public CControlSkin {
public:
    BOOL NeedsHoverUpdate(const POINT* ptScreen) override;
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;

    int m_nHotItem = -1;  // the item under the mouse at the last DrawFrame; -1 = none
};

// Toolbars without TBSTYLE_FLAT: a frame on every button, raised on the hot
// one, sunken on checked ones.
class CToolBarSkin : public CControlSkin {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    BOOL NeedsHoverUpdate(const POINT* ptScreen) override;
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
    // nFlags: SKIN_TOOL_HOT, SKIN_TOOL_CHECKED (PartsGeometry.h).
    void DrawToolButton(HDC hDC, const RECT* prcButton, int nFlags);

    int m_nHotItem = -1;  // the button under the mouse at the last DrawFrame; -1 = none
};

// The creators the kind table names.
CControlSkin* SkinCreateScrollBar();
CControlSkin* SkinCreateTrackBar();
CControlSkin* SkinCreateHeader();
CControlSkin* SkinCreateToolBar();
