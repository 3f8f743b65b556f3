#include "tests/support/MessageBoxDriver.h"

#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

namespace scrivlo_test {

namespace {

constexpr int kTextId = 255;
constexpr int kHeadingId = 256;
constexpr DWORD kForegroundSettleMs = 150;

CRectValue ToRectValue(const RECT& rc) {
    CRectValue value;
    value.m_nLeft = rc.left;
    value.m_nTop = rc.top;
    value.m_nRight = rc.right;
    value.m_nBottom = rc.bottom;
    return value;
}

bool IsButtonClass(HWND window) { return lstrcmpiA(ClassNameOf(window).c_str(), "Button") == 0; }

bool SendInputs(INPUT* inputs, UINT count) { return SendInput(count, inputs, sizeof(INPUT)) == count; }

}  // namespace

int ReadDefaultId(HWND box) {
    DWORD_PTR answer = 0;
    if (!SendMessageTimeoutW(box, DM_GETDEFID, 0, 0, SMTO_ABORTIFHUNG, kSendTimeoutMs, &answer)) return 0;
    if (HIWORD(answer) != DC_HASDEFID) return 0;
    return LOWORD(answer);
}

bool ReadBox(HWND box, CBoxContents& contents) {
    contents = CBoxContents();
    if (!IsWindow(box)) return false;

    // The title of a top-level window is kept by the system: no message.
    const int titleLength = GetWindowTextLengthW(box);
    std::wstring title(static_cast<size_t>(titleLength > 0 ? titleLength : 0) + 1, L'\0');
    const int titleCopied = GetWindowTextW(box, &title[0], static_cast<int>(title.size()));
    title.resize(static_cast<size_t>(titleCopied > 0 ? titleCopied : 0));
    contents.m_caption = title;

    bool ok = true;
    if (HWND text = GetDlgItem(box, kTextId)) {
        bool read = false;
        contents.m_text = ReadWindowTextW(text, &read);
        ok = ok && read;
        contents.m_textA = ReadWindowTextA(text, &read);
        ok = ok && read;
    }
    if (HWND heading = GetDlgItem(box, kHeadingId)) {
        bool read = false;
        contents.m_bHasHeading = true;
        contents.m_heading = ReadWindowTextW(heading, &read);
        ok = ok && read;
    }

    contents.m_nDefaultId = ReadDefaultId(box);
    // Child Z order is creation order, which is the dialog's tab order.
    for (HWND child = GetWindow(box, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (!IsButtonClass(child) || !IsWindowVisible(child)) continue;
        CBoxButton button;
        button.m_nId = GetDlgCtrlID(child);
        bool read = false;
        button.m_caption = ReadWindowTextW(child, &read);
        ok = ok && read;
        button.m_bEnabled = IsWindowEnabled(child) != FALSE;
        button.m_bDefault = contents.m_nDefaultId != 0 && button.m_nId == contents.m_nDefaultId;
        button.m_rcWindow = ToRectValue(WindowRectOf(child));
        contents.m_buttons.push_back(button);
    }
    contents.m_rcWindow = ToRectValue(WindowRectOf(box));
    return ok && IsWindow(box);
}

HWND FocusOfThreadOf(HWND box) {
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    const DWORD thread = GetWindowThreadProcessId(box, nullptr);
    if (!thread || !GetGUIThreadInfo(thread, &info)) return nullptr;
    return info.hwndFocus;
}

namespace {

void RequestForeground(HWND window) {
    if (SetForegroundWindow(window)) return;
    // Windows refuses the foreground to a process that did not receive the
    // last input; sharing the input state of the current foreground thread
    // for the call lifts that. Wine grants the call directly.
    HWND current = GetForegroundWindow();
    const DWORD foregroundThread = current ? GetWindowThreadProcessId(current, nullptr) : 0;
    const DWORD ownThread = GetCurrentThreadId();
    if (foregroundThread && foregroundThread != ownThread && AttachThreadInput(ownThread, foregroundThread, TRUE)) {
        SetForegroundWindow(window);
        AttachThreadInput(ownThread, foregroundThread, FALSE);
    }
}

}  // namespace

bool BringToForeground(HWND window, DWORD timeoutMs) {
    if (!IsWindow(window)) return false;
    const DWORD start = GetTickCount();
    for (;;) {
        // Also when the window is the foreground already: someone may have
        // switched to it a moment ago, and the late focus events below can
        // still undo that switch.
        if (GetForegroundWindow() != window) RequestForeground(window);
        const DWORD elapsed = ElapsedSince(start);
        const DWORD left = elapsed >= timeoutMs ? 0 : timeoutMs - elapsed;
        if (WaitUntil([&] { return GetForegroundWindow() == window; }, left < 500 ? left : 500)) {
            // Wine quirk: after a switch between threads, the X focus events
            // of the window that lost the foreground arrive late and can hand
            // the foreground to the desktop window (#32769), leaving no focus
            // anywhere. The switch only counts once it has held a moment.
            PumpMessages(kForegroundSettleMs);
            if (GetForegroundWindow() == window) return true;
        }
        if (ElapsedSince(start) >= timeoutMs || !IsWindow(window)) return false;
    }
}

bool ClickButton(HWND box, int id, InputPath path) {
    HWND button = GetDlgItem(box, id);
    if (!button || !IsWindowVisible(button) || !IsWindowEnabled(button)) return false;
    const RECT rc = WindowRectOf(button);
    const POINT centre = {(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};

    if (path == InputPath::kPosted) {
        POINT client = centre;
        ScreenToClient(button, &client);
        const LPARAM where = MAKELPARAM(client.x, client.y);
        return PostMessageW(button, WM_LBUTTONDOWN, MK_LBUTTON, where) && PostMessageW(button, WM_LBUTTONUP, 0, where);
    }

    // A user clicks what is on top: raise the box first, then make sure the
    // button itself is under the point.
    BringToForeground(box);
    if (!WaitUntil([&] { return WindowFromPoint(centre) == button; }, 1000)) return false;
    if (!SetCursorPos(centre.x, centre.y)) return false;
    POINT now = {};
    if (!WaitUntil([&] { return GetCursorPos(&now) && now.x == centre.x && now.y == centre.y; }, 1000)) return false;

    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInputs(inputs, 2);
}

bool PressKey(HWND box, UINT virtualKey, InputPath path) {
    if (!IsWindow(box)) return false;
    const UINT scan = MapVirtualKeyW(virtualKey, 0 /* MAPVK_VK_TO_VSC */);

    if (path == InputPath::kPosted) {
        HWND focus = FocusOfThreadOf(box);
        if (!focus) focus = box;
        const LPARAM down = 1 | (static_cast<LPARAM>(scan) << 16);
        const LPARAM up = down | (LPARAM(1) << 30) | (LPARAM(1) << 31);
        return PostMessageW(focus, WM_KEYDOWN, virtualKey, down) && PostMessageW(focus, WM_KEYUP, virtualKey, up);
    }

    // Keys go to the focus of the foreground window's thread.
    if (!BringToForeground(box)) return false;
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_KEYBOARD;
    inputs[0].ki.wVk = static_cast<WORD>(virtualKey);
    inputs[0].ki.wScan = static_cast<WORD>(scan);
    inputs[1] = inputs[0];
    inputs[1].ki.dwFlags = KEYEVENTF_KEYUP;
    return SendInputs(inputs, 2);
}

bool WaitForBoxClosed(HWND box, DWORD timeoutMs) {
    return WaitUntil([&] { return !IsWindowShown(box); }, timeoutMs);
}

bool AnswerBox(HWND box, int id, AnswerMethod method, DWORD timeoutMs, InputPath path) {
    if (method == AnswerMethod::kClick) {
        if (!ClickButton(box, id, path)) return false;
        return WaitForBoxClosed(box, timeoutMs);
    }

    // Keyboard: Tab moves the focus, and with it the default, along the
    // buttons; at most one round is needed.
    CBoxContents contents;
    if (!ReadBox(box, contents) || !contents.FindButton(id)) return false;
    for (size_t tabs = 0; ReadDefaultId(box) != id; ++tabs) {
        if (tabs > contents.m_buttons.size()) return false;
        HWND before = FocusOfThreadOf(box);
        if (!PressKey(box, VK_TAB, path)) return false;
        WaitUntil([&] { return FocusOfThreadOf(box) != before; }, 1000);
        WaitUntil([&] { return ReadDefaultId(box) == id; }, 100);
    }
    if (!PressKey(box, VK_RETURN, path)) return false;
    return WaitForBoxClosed(box, timeoutMs);
}

}  // namespace scrivlo_test
