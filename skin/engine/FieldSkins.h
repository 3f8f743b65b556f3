// The field control skinners: list-type controls, the IP address control,
// edit controls (alone, in a simple combo box, joined to an up-down), drop-
// down combo boxes, the date and time picker and the up-down control. Each
// replaces the sunken client edge by the flat edge and frames its own parts.
#pragma once

#include <windows.h>

#include "skin/engine/ControlSkin.h"

// List box, list view, tree view, combo list, hot key, rich edit, month
// calendar: the flat edge and the control's own scroll bars.
class CBorderSkin : public CControlSkin {
public:
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
};

// Redraws when one of its address fields gains or loses the focus.
class CIPAddressSkin : public CBorderSkin {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

// An edit with a client edge; its frame reaches across an aligned up-down
// that follows it in Z order and has it as buddy.
class CEditSkin : public CControlSkin {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;

protected:
    // The next window in Z order when it is an up-down whose buddy is this edit.
    HWND JoinedSpin() const;
};

// The edit of a simple combo box: the frame is drawn in the combo box's
// window DC around the edit, three pixels outside it.
class CComboEditSkin : public CEditSkin {
public:
    void GetFrameDC(HDC* phDC, RECT* prcFrame) override;
};

// Drop-down combo boxes: the flat edge and the drop button's flat frame.
class CComboSkin : public CControlSkin {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
};

// Date and time pickers: with DTS_UPDOWN as CBorderSkin (the up-down child is
// skinned on its own), otherwise as a combo box.
class CDateTimeSkin : public CComboSkin {
public:
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
};

// Up-down controls: two flat arrow frames, the joint lines to a skinned
// buddy, and the hot state carried over to the buddy or a skinned parent.
class CSpinSkin : public CControlSkin {
public:
    void DrawFrame(HDC hDC, const RECT* prcFrame) override;
};

// The creators the kind table names.
CControlSkin* SkinCreateBorder();
CControlSkin* SkinCreateIPAddress();
CControlSkin* SkinCreateEdit();
CControlSkin* SkinCreateComboEdit();
CControlSkin* SkinCreateCombo();
CControlSkin* SkinCreateDateTime();
CControlSkin* SkinCreateSpin();
