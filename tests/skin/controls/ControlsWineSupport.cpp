#include "tests/skin/controls/ControlsWineSupport.h"

#include <cstdio>

#include "framework/Wnd.h"
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

namespace ctl_test {

using scrivlo_test::CPixelImage;

// ---------------------------------------------------------------------------
// Template

CDialogTemplate::CDialogTemplate(short cx, short cy, const char* face, WORD pointSize) {
    const DWORD style = WS_POPUP | DS_SETFONT;
    m_words.push_back(LOWORD(style));
    m_words.push_back(HIWORD(style));
    m_words.push_back(0);  // extended style
    m_words.push_back(0);
    m_words.push_back(0);  // item count, patched by Get
    m_words.push_back(0);  // x
    m_words.push_back(0);  // y
    m_words.push_back(static_cast<WORD>(cx));
    m_words.push_back(static_cast<WORD>(cy));
    m_words.push_back(0);  // no menu
    m_words.push_back(0);  // standard class
    AddWide("Controls");
    m_words.push_back(pointSize);
    AddWide(face);
}

void CDialogTemplate::AddWide(const char* text) {
    for (const char* p = text; *p != '\0'; ++p) m_words.push_back(static_cast<WORD>(static_cast<unsigned char>(*p)));
    m_words.push_back(0);
}

void CDialogTemplate::Align(size_t bytes) {
    while ((m_words.size() * sizeof(WORD)) % bytes != 0) m_words.push_back(0);
}

void CDialogTemplate::Add(WORD id, WORD classAtom, const char* text, DWORD style, short x, short y, short cx,
                          short cy) {
    Align(sizeof(DWORD));
    m_words.push_back(LOWORD(style));
    m_words.push_back(HIWORD(style));
    m_words.push_back(0);
    m_words.push_back(0);
    m_words.push_back(static_cast<WORD>(x));
    m_words.push_back(static_cast<WORD>(y));
    m_words.push_back(static_cast<WORD>(cx));
    m_words.push_back(static_cast<WORD>(cy));
    m_words.push_back(id);
    m_words.push_back(0xFFFF);
    m_words.push_back(classAtom);
    AddWide(text);
    m_words.push_back(0);  // no creation data
    ++m_count;
}

LPCDLGTEMPLATE CDialogTemplate::Get() {
    m_words[4] = m_count;
    return reinterpret_cast<LPCDLGTEMPLATE>(m_words.data());
}

// ---------------------------------------------------------------------------
// Host dialog

CHostDialog::CHostDialog() : CSkinDialog(0, nullptr) {
    SetColors(kDialogBackground, kDialogBorder, RGB(0, 0, 0), RGB(200, 0, 0), RGB(255, 255, 255));
}

CHostDialog::~CHostDialog() { Close(); }

bool CHostDialog::Open(CDialogTemplate& tmpl, int x, int y) {
    if (!CreateIndirect(tmpl.Get(), nullptr)) return false;
    ::SetWindowPos(m_hWnd, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    scrivlo_test::BringToForeground(m_hWnd);
    Pump(m_hWnd, 100);
    // Wine may hand the dialog its first erase after the children have
    // painted; one full repaint, parent first, makes the start defined.
    ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    Pump(m_hWnd, 100);
    return ::IsWindowVisible(m_hWnd) != FALSE;
}

void CHostDialog::Close() {
    if (m_hWnd != nullptr && ::IsWindow(m_hWnd)) DestroyWindow();
}

void CHostDialog::DoDataExchange(CDataExchange* pDX) {
    CSkinDialog::DoDataExchange(pDX);
    if (m_bind) m_bind(pDX);
}

BOOL CHostDialog::OnInitDialog() {
    if (m_beforeBind) m_beforeBind(*this);
    return CSkinDialog::OnInitDialog();
}

BOOL CHostDialog::OnCommand(WPARAM wParam, LPARAM lParam) {
    if (HIWORD(wParam) == BN_CLICKED) ++m_clicks[LOWORD(wParam)];
    return CSkinDialog::OnCommand(wParam, lParam);
}

// ---------------------------------------------------------------------------
// Pumping and input

namespace {
int g_doubleClicks = 0;

bool SendInputs(INPUT* inputs, UINT count) { return ::SendInput(count, inputs, sizeof(INPUT)) == count; }

POINT CentreOf(HWND hWnd) {
    RECT rc;
    ::GetWindowRect(hWnd, &rc);
    return POINT{(rc.left + rc.right) / 2, (rc.top + rc.bottom) / 2};
}
}  // namespace

void Pump(HWND hDialog, DWORD ms) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        MSG msg;
        while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            if (msg.message == WM_QUIT) {
                ::PostQuitMessage(static_cast<int>(msg.wParam));
                return;
            }
            if (msg.message == WM_LBUTTONDBLCLK) ++g_doubleClicks;
            if (hDialog != nullptr && ::IsWindow(hDialog) &&
                (CWnd::WalkPreTranslateTree(hDialog, &msg) || ::IsDialogMessageA(hDialog, &msg)))
                continue;
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        const DWORD elapsed = ::GetTickCount() - start;
        if (elapsed >= ms) return;
        ::MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

bool PumpUntil(HWND hDialog, const std::function<bool()>& done, DWORD timeoutMs) {
    const DWORD start = ::GetTickCount();
    for (;;) {
        if (done()) return true;
        if (::GetTickCount() - start >= timeoutMs) return done();
        Pump(hDialog, 10);
    }
}

int DoubleClicksSeen() { return g_doubleClicks; }

bool MovePointerTo(HWND hDialog, POINT pt) {
    if (!::SetCursorPos(pt.x, pt.y)) return false;
    POINT now = {};
    if (!PumpUntil(
            hDialog, [&] { return ::GetCursorPos(&now) && now.x == pt.x && now.y == pt.y; }, 1000))
        return false;
    // A move of no distance: the window under the pointer gets its
    // WM_MOUSEMOVE through the input queue as for a real move.
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_MOVE;
    const bool sent = SendInputs(&input, 1);
    Pump(hDialog, 60);
    return sent;
}

bool MovePointerOver(HWND hDialog, HWND hControl) {
    const POINT pt = CentreOf(hControl);
    if (!PumpUntil(
            hDialog, [&] { return ::WindowFromPoint(pt) == hControl; }, 1000))
        return false;
    return MovePointerTo(hDialog, pt);
}

bool MovePointerAway(HWND hDialog) { return MovePointerTo(hDialog, POINT{2, 2}); }

bool PressLeft() {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    return SendInputs(&input, 1);
}

bool ReleaseLeft() {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = MOUSEEVENTF_LEFTUP;
    return SendInputs(&input, 1);
}

bool ClickOver(HWND hDialog, HWND hControl) {
    if (!MovePointerOver(hDialog, hControl)) return false;
    INPUT inputs[2] = {};
    inputs[0].type = INPUT_MOUSE;
    inputs[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    inputs[1].type = INPUT_MOUSE;
    inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    const bool sent = SendInputs(inputs, 2);
    Pump(hDialog, 80);
    return sent;
}

bool DoubleClickOver(HWND hDialog, HWND hControl) {
    if (!MovePointerOver(hDialog, hControl)) return false;
    INPUT inputs[4] = {};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_MOUSE;
        inputs[i].mi.dwFlags = (i % 2 == 0) ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    }
    const bool sent = SendInputs(inputs, 4);
    Pump(hDialog, 150);
    return sent;
}

// ---------------------------------------------------------------------------
// Pixels

CPixelImage Capture(HWND hControl) {
    CPixelImage image;
    scrivlo_test::CaptureWindow(hControl, image);
    return image;
}

namespace {
bool IsExcept(COLORREF c, const std::vector<COLORREF>& except) {
    for (COLORREF e : except)
        if (c == e) return true;
    return false;
}
}  // namespace

int CountColour(const CPixelImage& image, const RECT& rc, COLORREF colour) {
    int n = 0;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x)
            if (image.ColorRefAt(x, y) == colour) ++n;
    return n;
}

COLORREF InkColour(const CPixelImage& image, const RECT& rc, const std::vector<COLORREF>& except) {
    std::map<COLORREF, int> counts;
    for (int y = rc.top; y < rc.bottom; ++y)
        for (int x = rc.left; x < rc.right; ++x) {
            const COLORREF c = image.ColorRefAt(x, y);
            if (c != CLR_INVALID && !IsExcept(c, except)) ++counts[c];
        }
    COLORREF best = CLR_INVALID;
    int bestCount = 0;
    for (const auto& entry : counts)
        if (entry.second > bestCount) {
            best = entry.first;
            bestCount = entry.second;
        }
    return best;
}

int LeftmostInk(const CPixelImage& image, const RECT& rc, const std::vector<COLORREF>& except) {
    for (int x = rc.left; x < rc.right; ++x)
        for (int y = rc.top; y < rc.bottom; ++y) {
            const COLORREF c = image.ColorRefAt(x, y);
            if (c != CLR_INVALID && !IsExcept(c, except)) return x;
        }
    return -1;
}

bool RingIs(const CPixelImage& image, COLORREF colour) {
    if (image.IsEmpty()) return false;
    const int w = image.m_nWidth;
    const int h = image.m_nHeight;
    for (int x = 0; x < w; ++x)
        if (image.ColorRefAt(x, 0) != colour || image.ColorRefAt(x, h - 1) != colour) return false;
    for (int y = 0; y < h; ++y)
        if (image.ColorRefAt(0, y) != colour || image.ColorRefAt(w - 1, y) != colour) return false;
    return true;
}

std::string ColourText(COLORREF colour) {
    if (colour == CLR_INVALID) return "none";
    char text[32];
    std::snprintf(text, sizeof(text), "RGB(%u, %u, %u)", GetRValue(colour), GetGValue(colour), GetBValue(colour));
    return text;
}

// ---------------------------------------------------------------------------
// Icons

HICON MakeIcon(int cx, int cy, const std::function<COLORREF(int, int)>& pixel,
               const std::function<bool(int, int)>& transparent) {
    std::vector<DWORD> colour(static_cast<size_t>(cx) * static_cast<size_t>(cy));
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cx; ++x) {
            const COLORREF c = pixel(x, y);
            // A 32-bpp bitmap holds blue, green, red, unused.
            colour[static_cast<size_t>(y * cx + x)] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        }
    const int maskStride = ((cx + 15) / 16) * 2;
    std::vector<BYTE> mask(static_cast<size_t>(maskStride * cy), 0);
    if (transparent) {
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x)
                if (transparent(x, y))
                    mask[static_cast<size_t>(y * maskStride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
    }
    ICONINFO info = {};
    info.fIcon = TRUE;
    info.hbmColor = ::CreateBitmap(cx, cy, 1, 32, colour.data());
    info.hbmMask = ::CreateBitmap(cx, cy, 1, 1, mask.data());
    HICON hIcon = (info.hbmColor != nullptr && info.hbmMask != nullptr) ? ::CreateIconIndirect(&info) : nullptr;
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    return hIcon;
}

std::vector<COLORREF> BitmapPixels(HBITMAP hBitmap, int* pcx, int* pcy) {
    std::vector<COLORREF> out;
    BITMAP bm = {};
    if (hBitmap == nullptr || ::GetObjectA(hBitmap, sizeof(bm), &bm) != sizeof(bm)) return out;
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
    bi.bmiHeader.biWidth = bm.bmWidth;
    bi.bmiHeader.biHeight = -bm.bmHeight;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    std::vector<DWORD> raw(static_cast<size_t>(bm.bmWidth) * static_cast<size_t>(bm.bmHeight));
    HDC hdc = ::GetDC(nullptr);
    // A monochrome bitmap reads through a two-entry colour table: black, white.
    struct {
        BITMAPINFOHEADER header;
        RGBQUAD colours[256];
    } info = {};
    info.header = bi.bmiHeader;
    const int lines = ::GetDIBits(hdc, hBitmap, 0, static_cast<UINT>(bm.bmHeight), raw.data(),
                                  reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS);
    ::ReleaseDC(nullptr, hdc);
    if (lines != bm.bmHeight) return out;
    out.reserve(raw.size());
    for (DWORD v : raw) out.push_back(RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF));
    if (pcx != nullptr) *pcx = bm.bmWidth;
    if (pcy != nullptr) *pcy = bm.bmHeight;
    return out;
}

bool IconAlive(HICON hIcon) {
    ICONINFO info = {};
    if (hIcon == nullptr || !::GetIconInfo(hIcon, &info)) return false;
    if (info.hbmColor != nullptr) ::DeleteObject(info.hbmColor);
    if (info.hbmMask != nullptr) ::DeleteObject(info.hbmMask);
    return true;
}

}  // namespace ctl_test
