// The skinned message box: the program's one way of reporting to the user.
// The leading arguments are those of the system's MessageBox (owner, text,
// caption, style); params adds a heading, custom buttons and a timer, child
// embeds a dialog of the caller's. Both calls block until the box closes and
// may be made from any thread that can run a modal dialog, one box at a time.
#pragma once

#include <windows.h>

#include "framework/Strings.h"

class CWnd;
class CDialog;
class CSkinMessageBox;

// Button set 15 of the style: customButtonCount buttons (1 to 3) with the
// captions of SkinMsgBoxParams.
#ifndef SKINMB_CUSTOM_STYLE
#define SKINMB_CUSTOM_STYLE 0x0000000FL
#endif

// Called on each timer tick on the box's thread; it may end the box with
// CDialog::EndDialog, whose result the call then returns.
typedef void (*SkinMsgBoxTimerProc)(CSkinMessageBox* pBox, DWORD_PTR timerData);

struct SkinMsgBoxParams {
    CStringW heading;           // bold line above the text; empty: none
    int customButtonCount = 0;  // buttons of the custom set
    CStringW customCaptions[3];
    UINT timerElapse = 0;  // milliseconds; 0: no timer
    SkinMsgBoxTimerProc timerProc = nullptr;
    DWORD_PTR timerData = 0;
};

struct SkinMsgBoxChild {
    CDialog* dialog = nullptr;      // not yet created; created inside the box
    LPCSTR templateName = nullptr;  // its template (a name or MAKEINTRESOURCE)
    BYTE atBottom = 0;              // placed at the bottom, else below the text
};

// The identifier of the button that closed the box (IDOK ... IDNO, or 1-3
// for custom buttons), the value a timer function ended it with, or -1 when
// the box could not be created. Null text, caption, owner, params and child
// are accepted. Text and caption are converted from the thread's ANSI code
// page; a failed conversion throws CResultException, a failed allocation
// CMemoryException.
int SkinMessageBox(CWnd* owner, const char* text, const char* caption, UINT style, SkinMsgBoxParams* params,
                   SkinMsgBoxChild* child);
int SkinMessageBoxW(CWnd* owner, const wchar_t* text, const wchar_t* caption, UINT style, SkinMsgBoxParams* params,
                    SkinMsgBoxChild* child);
