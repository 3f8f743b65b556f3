// Finding and reading the windows of a process: this one (any thread) or
// another one, by process id. Everything that crosses into another thread or
// process is a sent message with a time limit, so a hung program fails a test
// instead of hanging it.
#pragma once

#include <windows.h>

#include <set>
#include <string>
#include <vector>

#include "tests/support/BmpImage.h"

namespace scrivlo_test {

// How long a sent message to another thread or process may take.
constexpr UINT kSendTimeoutMs = 2000;

DWORD ProcessIdOfWindow(HWND window);
std::string ClassNameOf(HWND window);

// Top-level windows of the process (owned ones included), in Z order from
// the top; only visible ones when visibleOnly.
std::vector<HWND> TopLevelWindowsOfProcess(DWORD processId, bool visibleOnly);

// The visible top-level dialogs (class "#32770") of the process that are not
// in exclude, topmost first. Boxes owned by another window are included.
std::vector<HWND> FindBoxes(DWORD processId, const std::set<HWND>& exclude = {});

// The first box FindBoxes reports within timeoutMs (pumping the calling
// thread meanwhile), or null.
HWND WaitForBox(DWORD processId, DWORD timeoutMs, const std::set<HWND>& exclude = {});

// A visible top-level window of the process whose title and/or class match
// exactly (a null argument matches anything), or null.
HWND FindTopWindow(DWORD processId, const char* title, const char* className);
HWND WaitForTopWindow(DWORD processId, const char* title, const char* className, DWORD timeoutMs);

// A descendant of parent with this control identifier (direct children
// first), or null.
HWND FindChildById(HWND parent, int id);

// The window's text through WM_GETTEXTLENGTH and WM_GETTEXT, as the window
// itself answers them (a label that keeps its own text is read correctly).
// ok, when given, is false if the window did not answer in time or is gone.
std::wstring ReadWindowTextW(HWND window, bool* ok = nullptr);
std::string ReadWindowTextA(HWND window, bool* ok = nullptr);

// True while the window exists and is visible.
bool IsWindowShown(HWND window);

// Window rectangle (screen coordinates) of the window.
RECT WindowRectOf(HWND window);

// The window's pixels, non-client area included, into a 32-bpp DIB section.
// kFromWindow copies from the window's device context (GetWindowDC); it
// works for windows of this process and of another one. kFromScreen copies
// the window's rectangle from the screen. Neither reads what another window
// covers: the screen gives the covering window there, and under Wine the
// window's context is clipped to its visible part, so covered pixels stay
// black (0) in the capture. Raise the window first (BringToForeground).
enum class CaptureSource { kFromWindow, kFromScreen };
bool CaptureWindow(HWND window, CPixelImage& image, CaptureSource source = CaptureSource::kFromWindow);

// One pixel of the window, x and y relative to its window rectangle, as a
// COLORREF; CLR_INVALID when it cannot be read.
COLORREF ReadWindowPixel(HWND window, int x, int y, CaptureSource source = CaptureSource::kFromWindow);

// CaptureWindow into a 24-bit .bmp file.
bool SaveWindowScreenshot(HWND window, const std::string& path, CaptureSource source = CaptureSource::kFromWindow);

}  // namespace scrivlo_test
