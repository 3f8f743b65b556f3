#include "tests/support/ProcessWindows.h"

#include "tests/support/WinePump.h"

namespace scrivlo_test {

DWORD ProcessIdOfWindow(HWND window) {
    DWORD processId = 0;
    if (window) GetWindowThreadProcessId(window, &processId);
    return processId;
}

std::string ClassNameOf(HWND window) {
    char name[256] = {};
    if (!window || !GetClassNameA(window, name, sizeof name)) return std::string();
    return name;
}

namespace {

struct CEnumState {
    DWORD m_processId;
    bool m_bVisibleOnly;
    std::vector<HWND> m_windows;
};

BOOL CALLBACK CollectTopLevel(HWND window, LPARAM param) {
    auto* state = reinterpret_cast<CEnumState*>(param);
    if (ProcessIdOfWindow(window) != state->m_processId) return TRUE;
    if (state->m_bVisibleOnly && !IsWindowVisible(window)) return TRUE;
    state->m_windows.push_back(window);
    return TRUE;
}

}  // namespace

std::vector<HWND> TopLevelWindowsOfProcess(DWORD processId, bool visibleOnly) {
    CEnumState state{processId, visibleOnly, {}};
    // EnumWindows walks the top-level windows in Z order, owned ones included.
    EnumWindows(CollectTopLevel, reinterpret_cast<LPARAM>(&state));
    return state.m_windows;
}

std::vector<HWND> FindBoxes(DWORD processId, const std::set<HWND>& exclude) {
    std::vector<HWND> boxes;
    for (HWND window : TopLevelWindowsOfProcess(processId, true)) {
        if (exclude.count(window)) continue;
        if (ClassNameOf(window) == "#32770") boxes.push_back(window);
    }
    return boxes;
}

HWND WaitForBox(DWORD processId, DWORD timeoutMs, const std::set<HWND>& exclude) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            const std::vector<HWND> boxes = FindBoxes(processId, exclude);
            found = boxes.empty() ? nullptr : boxes.front();
            return found != nullptr;
        },
        timeoutMs);
    return found;
}

HWND FindTopWindow(DWORD processId, const char* title, const char* className) {
    for (HWND window : TopLevelWindowsOfProcess(processId, true)) {
        if (className && ClassNameOf(window) != className) continue;
        if (title) {
            // The title of a top-level window is held by the system, so
            // GetWindowText reads it without a message to a thread that may
            // be busy.
            char text[512] = {};
            GetWindowTextA(window, text, sizeof text);
            if (lstrcmpA(text, title) != 0) continue;
        }
        return window;
    }
    return nullptr;
}

HWND WaitForTopWindow(DWORD processId, const char* title, const char* className, DWORD timeoutMs) {
    HWND found = nullptr;
    WaitUntil([&] { return (found = FindTopWindow(processId, title, className)) != nullptr; }, timeoutMs);
    return found;
}

HWND FindChildById(HWND parent, int id) {
    if (!parent) return nullptr;
    if (HWND direct = GetDlgItem(parent, id)) return direct;
    for (HWND child = GetWindow(parent, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
        if (HWND deeper = FindChildById(child, id)) return deeper;
    return nullptr;
}

namespace {

// The window's text through WM_GETTEXTLENGTH and WM_GETTEXT, sent with a
// time limit. Another thread may change the text between the two messages:
// a text that filled the buffer is read again until the length asked for
// first still holds afterwards, so a longer new text is never cut to the old
// one's length.
template <typename Char, typename SendFn>
bool ReadTextOf(HWND window, std::basic_string<Char>& text, SendFn send) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD_PTR length = 0;
        if (!send(window, WM_GETTEXTLENGTH, 0, 0, &length)) return false;
        // WM_GETTEXTLENGTH may overstate (never understate) the length.
        std::basic_string<Char> buffer(static_cast<size_t>(length) + 1, Char(0));
        DWORD_PTR copied = 0;
        if (!send(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(&buffer[0]), &copied)) return false;
        if (copied > length) copied = length;
        DWORD_PTR after = 0;
        if (copied == length && send(window, WM_GETTEXTLENGTH, 0, 0, &after) && after > length) continue;
        buffer.resize(static_cast<size_t>(copied));
        text.swap(buffer);
        return true;
    }
    return false;
}

}  // namespace

std::wstring ReadWindowTextW(HWND window, bool* ok) {
    if (ok) *ok = false;
    if (!IsWindow(window)) return std::wstring();
    std::wstring text;
    const bool read = ReadTextOf<wchar_t>(window, text, [](HWND w, UINT m, WPARAM wp, LPARAM lp, DWORD_PTR* r) {
        return SendMessageTimeoutW(w, m, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, r) != 0;
    });
    if (ok) *ok = read;
    return text;
}

std::string ReadWindowTextA(HWND window, bool* ok) {
    if (ok) *ok = false;
    if (!IsWindow(window)) return std::string();
    std::string text;
    const bool read = ReadTextOf<char>(window, text, [](HWND w, UINT m, WPARAM wp, LPARAM lp, DWORD_PTR* r) {
        return SendMessageTimeoutA(w, m, wp, lp, SMTO_ABORTIFHUNG, kSendTimeoutMs, r) != 0;
    });
    if (ok) *ok = read;
    return text;
}

bool IsWindowShown(HWND window) { return IsWindow(window) && IsWindowVisible(window); }

RECT WindowRectOf(HWND window) {
    RECT rc = {0, 0, 0, 0};
    if (window) GetWindowRect(window, &rc);
    return rc;
}

bool CaptureWindow(HWND window, CPixelImage& image, CaptureSource source) {
    image = CPixelImage();
    if (!IsWindow(window)) return false;
    const RECT rc = WindowRectOf(window);
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    if (width <= 0 || height <= 0) return false;

    HDC from = source == CaptureSource::kFromWindow ? GetWindowDC(window) : GetDC(nullptr);
    if (!from) return false;
    const int fromX = source == CaptureSource::kFromWindow ? 0 : rc.left;
    const int fromY = source == CaptureSource::kFromWindow ? 0 : rc.top;
    HWND released = source == CaptureSource::kFromWindow ? window : nullptr;

    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    HBITMAP dib = CreateDIBSection(from, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = dib ? CreateCompatibleDC(from) : nullptr;
    bool done = false;
    if (memory) {
        HGDIOBJ old = SelectObject(memory, dib);
        done = BitBlt(memory, 0, 0, width, height, from, fromX, fromY, SRCCOPY) != FALSE;
        GdiFlush();
        if (done) {
            const auto* pixels = static_cast<const uint32_t*>(bits);
            image.m_nWidth = width;
            image.m_nHeight = height;
            image.m_pixels.resize(static_cast<size_t>(width) * static_cast<size_t>(height));
            for (size_t i = 0; i < image.m_pixels.size(); ++i) image.m_pixels[i] = pixels[i] & 0x00FFFFFFu;
        }
        SelectObject(memory, old);
        DeleteDC(memory);
    }
    if (dib) DeleteObject(dib);
    ReleaseDC(released, from);
    return done;
}

COLORREF ReadWindowPixel(HWND window, int x, int y, CaptureSource source) {
    CPixelImage image;
    if (!CaptureWindow(window, image, source)) return CLR_INVALID;
    return image.ColorRefAt(x, y);
}

bool SaveWindowScreenshot(HWND window, const std::string& path, CaptureSource source) {
    CPixelImage image;
    return CaptureWindow(window, image, source) && WriteBmp24File(image, path);
}

}  // namespace scrivlo_test
