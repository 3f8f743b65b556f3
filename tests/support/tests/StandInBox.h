// A stand-in for the program's message box, with the same shape: an
// in-memory extended template for a "#32770" dialog, the text in static
// 255, an optional heading in static 256, BS_NOTIFY push buttons with
// identifiers 1-7 and "&Ok"-style captions. It behaves as the box does: a
// focused button becomes the default (BN_SETFOCUS), identifier 2 ends the
// box only when it has such a button (so Escape does nothing otherwise),
// Enter presses the default.
#pragma once

#include <windows.h>

#include <string>
#include <utility>
#include <vector>

namespace scrivlo_test {

struct CStandInShape {
    std::wstring m_caption;
    std::wstring m_text;
    bool m_bHeading = false;
    std::wstring m_heading;
    std::vector<std::pair<int, std::wstring>> m_buttons;  // left to right
    size_t m_nDefaultIndex = 0;
    COLORREF m_crBackground = RGB(0, 96, 192);
};

// The buttons of the message box's plain styles.
CStandInShape OkBox(const std::wstring& caption, const std::wstring& text);
CStandInShape OkCancelBox(const std::wstring& caption, const std::wstring& text);

// The boxes the tests open by name, in this process or in the fake product:
// "ok", "okcancel", "custom2" (identifiers 1 "&Save" and 2 "&Discard"),
// "yesnocancel" (6, 7, 2), "heading" (two lines of text under a heading); anything else is "ok".
CStandInShape StandInOfKind(const std::string& kind);

// The template, DWORD-aligned as the dialog manager needs it.
std::vector<DWORD> BuildStandInTemplate(const CStandInShape& shape);

// Runs the box modally on the calling thread; the identifier of the button
// that ended it, -1 when it could not be created.
INT_PTR RunStandInBox(HWND owner, const CStandInShape& shape);

// Creates the box modeless on the calling thread. When a button ends it,
// *result receives the identifier and the box destroys itself. *result must
// outlive the window.
HWND CreateStandInBox(HWND owner, const CStandInShape& shape, int* result);

}  // namespace scrivlo_test
