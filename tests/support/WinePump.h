// Waiting under Wine. X11 under Wine is asynchronous: window state, focus and
// pixels settle only while the threads involved handle their messages, so a
// test never sleeps blindly; it pumps the calling thread's queue until a
// condition holds or a deadline passes.
#pragma once

#include <windows.h>

#include <functional>

namespace scrivlo_test {

// Handles every message that arrives for the calling thread until ms
// milliseconds have passed (0: only what is waiting now). Keyboard messages
// for a dialog of this thread go through IsDialogMessage first, so a
// modeless box on the calling thread answers Tab, Enter and Escape as a
// modal one would. Returns false when WM_QUIT was seen (it is posted again).
bool PumpMessages(DWORD ms);

// Calls done() until it answers true, pumping the calling thread's messages
// between the calls, at most timeoutMs; returns done()'s last answer.
bool WaitUntil(const std::function<bool()>& done, DWORD timeoutMs, DWORD stepMs = 10);

// Waits for the object to be signalled while pumping the calling thread's
// messages (a thread that owns windows must keep answering sent messages,
// or a box owned by one of its windows blocks in EnableWindow).
bool WaitForObjectPumping(HANDLE object, DWORD timeoutMs);

// Moves the cursor to a screen point and waits (pumping) until the system
// reports it there, at most a second; true when it got there.
bool MoveCursorTo(int x, int y);

// True under Wine (its ntdll exports wine_get_version). Tests use it to mark
// where Wine and Windows are known to differ.
bool IsRunningOnWine();

// Milliseconds since start, correct across the 49-day wrap of GetTickCount.
inline DWORD ElapsedSince(DWORD start) { return GetTickCount() - start; }

}  // namespace scrivlo_test
