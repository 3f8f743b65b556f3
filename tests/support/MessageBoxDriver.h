// Reads a message box and answers it as a user would: a mouse click on a
// button, or keys (Tab, Enter, Escape) typed into the box. The box may run on
// the calling thread (modeless, answered while WaitUntil pumps), on another
// thread of this process, or in another process.
//
// Input goes in through SendInput, as the system's own input queue sees a
// real user: SetCursorPos then a left button down and up for a click, key
// down and up after SetForegroundWindow for keys. Both work under Wine on a
// bare Xvfb display (no window manager), for all three places of the box;
// the tests show it. InputPath::kPosted (WM_LBUTTONDOWN/UP posted to the
// button, WM_KEYDOWN/UP posted to the focused control) is kept as a
// diagnostic alternative only: it bypasses activation and capture, so it
// proves less than a real click does.
#pragma once

#include <windows.h>

#include "tests/support/Transcript.h"

namespace scrivlo_test {

enum class InputPath { kInjected, kPosted };

// Reads caption, text (UTF-16 and 8-bit), heading, buttons (tab order, with
// identifier, caption, enabled and default state, window rectangle) and the
// window rectangle of the box. False when the box is gone or does not answer.
bool ReadBox(HWND box, CBoxContents& contents);

// The box's default button identifier (DM_GETDEFID), 0 when it has none or
// does not answer.
int ReadDefaultId(HWND box);

// The control that has the keyboard focus on the box's thread, or null.
HWND FocusOfThreadOf(HWND box);

// Makes window the foreground window and waits until the system reports it
// so (pumping the calling thread).
bool BringToForeground(HWND window, DWORD timeoutMs = 2000);

// Clicks the centre of the box's button with this identifier. False when
// there is no such visible, enabled button, when another window covers its
// centre, or when the input could not be delivered. It does not wait for
// the box's reaction.
bool ClickButton(HWND box, int id, InputPath path = InputPath::kInjected);

// Types one key (down and up) into the box: VK_RETURN, VK_ESCAPE, VK_TAB...
bool PressKey(HWND box, UINT virtualKey, InputPath path = InputPath::kInjected);

// Waits until the box is destroyed or hidden.
bool WaitForBoxClosed(HWND box, DWORD timeoutMs);

enum class AnswerMethod {
    kClick,     // a click on the button
    kKeyboard,  // Tab until the button is the default, then Enter
};

// Answers the box with the button of this identifier and waits for the box
// to close; true when it did.
bool AnswerBox(HWND box, int id, AnswerMethod method, DWORD timeoutMs = 5000, InputPath path = InputPath::kInjected);

}  // namespace scrivlo_test
