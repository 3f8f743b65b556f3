// CSkinDialog on real dialogs under Wine: what OnInitDialog does to the
// window, what one erase paints (drawn into a memory bitmap through
// WM_ERASEBKGND, so no other window can disturb the pixels), the colours
// given to child controls, the drag by the background, the GDI objects the
// dialog owns and the partial repaint for transparent children.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>

#include "framework/Dialog.h"
#include "skin/dialogs/SkinDialog.h"
#include "tests/skin/dialogs/SkinDialogTestRes.h"
#include "tests/support/Pixels.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

using namespace scrivlo_test;

namespace {

// Exposes the fields no operation of the program changes, so the tests can
// set them as a derived dialog would.
class CTestSkinDialog : public CSkinDialog {
public:
    explicit CTestSkinDialog(UINT nIDTemplate = IDD_SKINNED_TOP, CWnd* pParent = nullptr)
        : CSkinDialog(nIDTemplate, pParent) {}
    void SetCornerRadius(int radius) { m_cornerRadius = radius; }
    void SetDragEnabled(BOOL enabled) { m_dragEnabled = enabled; }
    void SetColorEdits(BOOL enabled) { m_colorEdits = enabled; }
    HRGN GetRegion() const { return static_cast<HRGN>(m_region.GetSafeHandle()); }
    UINT GetTitleFormat() const { return m_titleFormat; }
};

// Colours no default of the dialog uses, each distinct from the others.
constexpr COLORREF kBackground = RGB(236, 228, 196);
constexpr COLORREF kBorder = RGB(0, 0, 140);
constexpr COLORREF kControlText = RGB(30, 110, 40);
constexpr COLORREF kTitle = RGB(190, 40, 120);
constexpr COLORREF kTitleText = RGB(250, 250, 10);
constexpr COLORREF kUnpainted = RGB(255, 0, 255);

void ApplyTestColors(CSkinDialog& dialog) { dialog.SetColors(kBackground, kBorder, kControlText, kTitle, kTitleText); }

using CCanvas = scrivlo_test::CDibCanvas;

// Raises the window to the top at (x, y), shown, and lets it paint.
void ShowOnTop(HWND window, int x, int y, DWORD settleMs) {
    ::SetWindowPos(window, HWND_TOP, x, y, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(window);
    PumpMessages(settleMs);
}

SIZE ClientSize(HWND window) {
    RECT rc = {};
    ::GetClientRect(window, &rc);
    return SIZE{rc.right, rc.bottom};
}

// One erase of the dialog into a fresh canvas of its client size.
std::unique_ptr<CCanvas> EraseInto(const CSkinDialog& dialog) {
    const SIZE size = ClientSize(dialog.m_hWnd);
    std::unique_ptr<CCanvas> canvas(new CCanvas(size.cx, size.cy, kUnpainted));
    const LRESULT handled = ::SendMessageA(dialog.m_hWnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(canvas->DC()), 0);
    EXPECT_NE(handled, 0) << "the erase reports it painted";
    return canvas;
}

int DialogUnitsDown(HWND dialog, int dlu) {
    RECT rc = {0, 0, 0, dlu};
    ::MapDialogRect(dialog, &rc);
    return rc.bottom;
}

int DialogUnitsAcross(HWND dialog, int dlu) {
    RECT rc = {0, 0, dlu, 0};
    ::MapDialogRect(dialog, &rc);
    return rc.right;
}

// Height of "X" in 8-point bold Arial on this display, measured apart from
// the dialog.
int BoldArialLineHeight(HWND window) {
    HDC hDC = ::GetDC(window);
    HFONT font = ::CreateFontA(-::MulDiv(8, ::GetDeviceCaps(hDC, LOGPIXELSY), 72), 0, 0, 0, FW_BOLD, 0, 0, 0,
                               DEFAULT_CHARSET, 0, 0, 0, 0, "Arial");
    HGDIOBJ old = ::SelectObject(hDC, font);
    SIZE extent = {};
    ::GetTextExtentPoint32A(hDC, "X", 1, &extent);
    ::SelectObject(hDC, old);
    ::DeleteObject(font);
    ::ReleaseDC(window, hDC);
    return extent.cy;
}

// The columns of the title strip's interior (rows 1 .. caption height,
// columns 1 .. W - 2) holding pixels other than fill: where the text is.
struct CInkSpan {
    int m_nLeft = -1;
    int m_nRight = -1;
    int m_nCount = 0;
};

CInkSpan InkInStrip(const CCanvas& canvas, int width, int captionHeight, COLORREF fill) {
    CInkSpan span;
    for (int y = 1; y <= captionHeight; ++y) {
        for (int x = 1; x <= width - 2; ++x) {
            if (canvas.At(x, y) == fill) continue;
            ++span.m_nCount;
            if (span.m_nLeft < 0 || x < span.m_nLeft) span.m_nLeft = x;
            if (x > span.m_nRight) span.m_nRight = x;
        }
    }
    return span;
}

SkinTitleFont TitleFontWithFormat(UINT format) {
    SkinTitleFont font = StandardTitleFont();
    font.format = format;
    return font;
}

}  // namespace

TEST(SkinDialog, InitDialogStripsCaptionAndBorderAndSetsTheTitleStrip) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
    // The template has both; the skinned dialog removes them.
    const LONG style = ::GetWindowLongA(dialog.m_hWnd, GWL_STYLE);
    EXPECT_EQ(style & WS_CAPTION, 0);
    EXPECT_EQ(style & WS_BORDER, 0);
    RECT window = WindowRectOf(dialog.m_hWnd);
    const SIZE client = ClientSize(dialog.m_hWnd);
    EXPECT_EQ(client.cx, window.right - window.left) << "the whole window is client area";
    EXPECT_EQ(client.cy, window.bottom - window.top);

    // Caption height: one line of the title font ("X" until a title is set)
    // plus 3 dialog units; margin: 3 dialog units across.
    EXPECT_EQ(dialog.GetCaptionHeight(), BoldArialLineHeight(dialog.m_hWnd) + DialogUnitsDown(dialog.m_hWnd, 3));
    EXPECT_EQ(dialog.GetTitleMargin(), DialogUnitsAcross(dialog.m_hWnd, 3));
    EXPECT_EQ(dialog.GetTitleFormat(), 0x824u);
    ASSERT_NE(dialog.GetTitleFont(), nullptr);
    LOGFONTA font = {};
    ASSERT_TRUE(::GetObjectA(dialog.GetTitleFont(), sizeof(font), &font));
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_STREQ(font.lfFaceName, "Arial");

    ApplyTestColors(dialog);
    dialog.SetTitle("Title", TitleFlat, nullptr, FALSE);
    char text[32] = "";
    ::GetWindowTextA(dialog.m_hWnd, text, sizeof(text));
    EXPECT_STREQ(text, "Title");

    const int w = client.cx, h = client.cy, cap = dialog.GetCaptionHeight();
    ASSERT_GT(cap, 2);
    std::unique_ptr<CCanvas> canvas = EraseInto(dialog);
    ASSERT_TRUE(canvas->IsValid());
    // The strip (1, 1, W - 1, 1 + cap): its four corner pixels are the bar,
    // just outside it the frame (left, top, right) and the background below.
    scrivlo_test::ExpectPixels(*canvas, "erased",
                               {
                                   {1, 1, kTitle, "strip top-left"},
                                   {w - 2, 1, kTitle, "strip top-right"},
                                   {1, cap, kTitle, "strip bottom-left"},
                                   {w - 2, cap, kTitle, "strip bottom-right"},
                                   {0, cap / 2, kBorder, "frame left of strip"},
                                   {w / 2, 0, kBorder, "frame above strip"},
                                   {w - 1, cap / 2, kBorder, "frame right of strip"},
                                   {1, cap + 1, kBackground, "below strip, left"},
                                   {w - 2, cap + 1, kBackground, "below strip, right"},
                                   {w / 2, h - 1, kBorder, "frame bottom"},
                                   {0, h - 2, kBorder, "frame left, low"},
                                   {w / 2, (cap + h) / 2, kBackground, "background middle"},
                               });
    dialog.DestroyWindow();
}

TEST(SkinDialog, TitleModesPaintBarAndTextOrNothing) {
    struct ModeCase {
        const char* label;
        int mode;
        bool fill;  // the bar is filled with the title colour
        bool text;  // the title text is drawn
    };
    const ModeCase cases[] = {
        {"mode 0: no bar", TitleNone, false, false},
        {"mode 1: flat", TitleFlat, true, true},
        {"mode 3: text only", TitleTextOnly, false, true},
    };
    for (const ModeCase& c : cases) {
        SCOPED_TRACE(c.label);
        CTestSkinDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
        ApplyTestColors(dialog);
        dialog.SetTitle("HHH", c.mode, nullptr, FALSE);
        const SIZE client = ClientSize(dialog.m_hWnd);
        const int cap = dialog.GetCaptionHeight();
        std::unique_ptr<CCanvas> canvas = EraseInto(dialog);
        const COLORREF stripFill = c.fill ? kTitle : kBackground;
        // Right of the short left-aligned text the strip is all fill.
        for (int y = 1; y <= cap; ++y) ASSERT_EQ(canvas->At(client.cx - 3, y), stripFill) << "row " << y;
        EXPECT_EQ(canvas->At(client.cx - 3, cap + 1), kBackground);
        EXPECT_EQ(canvas->At(0, 1), kBorder);
        EXPECT_EQ(canvas->At(client.cx - 1, 1), kBorder);
        const CInkSpan ink = InkInStrip(*canvas, client.cx, cap, stripFill);
        if (c.text) {
            EXPECT_GT(ink.m_nCount, 0) << "title text drawn";
            // Text only: no pixel of the strip carries the bar's colour.
            if (!c.fill) {
                for (int x = 1; x < client.cx - 1; ++x) ASSERT_NE(canvas->At(x, cap / 2 + 1), kTitle) << "column " << x;
            }
        } else {
            EXPECT_EQ(ink.m_nCount, 0) << "nothing but background in the strip";
        }
        dialog.DestroyWindow();
    }
}

TEST(SkinDialog, TitleFormatPlacesTheTextMarginByAlignment) {
    struct FormatCase {
        const char* label;
        UINT format;
    };
    const FormatCase cases[] = {
        {"left (standard)", 0x824},
        {"DT_RIGHT", 0x824 | DT_RIGHT},
        {"DT_CENTER", 0x824 | DT_CENTER},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(c.label);
        CTestSkinDialog dialog;
        ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
        ApplyTestColors(dialog);
        const SkinTitleFont font = TitleFontWithFormat(c.format);
        dialog.SetTitle("HHH", TitleFlat, &font, FALSE);
        EXPECT_EQ(dialog.GetTitleFormat(), c.format);
        const SIZE client = ClientSize(dialog.m_hWnd);
        const int w = client.cx, margin = dialog.GetTitleMargin();
        ASSERT_GT(margin, 2);
        std::unique_ptr<CCanvas> canvas = EraseInto(dialog);
        const CInkSpan ink = InkInStrip(*canvas, w, dialog.GetCaptionHeight(), kTitle);
        ASSERT_GT(ink.m_nCount, 0);
        const int leftGap = ink.m_nLeft - 1;                // from the bar's left edge
        const int rightGap = (w - 1) - (ink.m_nRight + 1);  // to the bar's right edge
        // A glyph's side bearing may add a pixel or two to the margin.
        if (c.format & DT_RIGHT) {
            EXPECT_GE(rightGap, margin);
            EXPECT_LE(rightGap, margin + 2);
        } else if (c.format & DT_CENTER) {
            EXPECT_LE(std::abs(leftGap - rightGap), 2) << "left " << leftGap << ", right " << rightGap;
        } else {
            EXPECT_GE(leftGap, margin);
            EXPECT_LE(leftGap, margin + 2);
        }
        dialog.DestroyWindow();
    }
}

TEST(SkinDialog, ControlColoursByKindAndClass) {
    struct CtlColorCase {
        const char* label;
        int controlId;
        UINT message;
        BOOL colorEdits;
        COLORREF text;
        COLORREF background;
        HBRUSH (*brush)(const CSkinDialog&);
    };
    auto bgBrush = [](const CSkinDialog& d) { return d.GetBackgroundBrush(); };
    auto nullBrush = [](const CSkinDialog&) { return static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)); };
    auto windowBrush = [](const CSkinDialog&) { return ::GetSysColorBrush(COLOR_WINDOW); };
    auto faceBrush = [](const CSkinDialog&) { return ::GetSysColorBrush(COLOR_3DFACE); };
    const CtlColorCase cases[] = {
        {"read-only edit", IDC_READONLY_EDIT, WM_CTLCOLORSTATIC, FALSE, ::GetSysColor(COLOR_GRAYTEXT), kBackground,
         bgBrush},
        {"disabled edit", IDC_DISABLED_EDIT, WM_CTLCOLORSTATIC, FALSE, ::GetSysColor(COLOR_GRAYTEXT), kBackground,
         bgBrush},
        {"static text", IDC_LABEL, WM_CTLCOLORSTATIC, FALSE, kControlText, kBackground, nullBrush},
        {"edit, dialog colours off", IDC_PLAIN_EDIT, WM_CTLCOLOREDIT, FALSE, ::GetSysColor(COLOR_WINDOWTEXT),
         ::GetSysColor(COLOR_WINDOW), windowBrush},
        {"edit, dialog colours on", IDC_PLAIN_EDIT, WM_CTLCOLOREDIT, TRUE, kControlText, kBackground, bgBrush},
        {"push button", IDC_PUSH, WM_CTLCOLORBTN, TRUE, ::GetSysColor(COLOR_WINDOWTEXT), ::GetSysColor(COLOR_3DFACE),
         faceBrush},
    };
    for (const CtlColorCase& c : cases) {
        SCOPED_TRACE(c.label);
        CTestSkinDialog dialog;
        dialog.SetColorEdits(c.colorEdits);
        ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
        ApplyTestColors(dialog);
        HWND control = ::GetDlgItem(dialog.m_hWnd, c.controlId);
        ASSERT_NE(control, nullptr);
        CCanvas canvas(4, 4, kUnpainted);
        ::SetTextColor(canvas.DC(), RGB(1, 2, 3));
        ::SetBkColor(canvas.DC(), RGB(4, 5, 6));
        ::SetBkMode(canvas.DC(), OPAQUE);
        const HBRUSH brush = reinterpret_cast<HBRUSH>(::SendMessageA(
            dialog.m_hWnd, c.message, reinterpret_cast<WPARAM>(canvas.DC()), reinterpret_cast<LPARAM>(control)));
        EXPECT_EQ(brush, c.brush(dialog));
        EXPECT_EQ(::GetTextColor(canvas.DC()), c.text);
        EXPECT_EQ(::GetBkColor(canvas.DC()), c.background);
        EXPECT_EQ(::GetBkMode(canvas.DC()), OPAQUE);
        dialog.DestroyWindow();
    }
}

TEST(SkinDialog, ReadOnlyEditAndStaticShowTheDialogBackgroundOnScreen) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
    ApplyTestColors(dialog);
    dialog.SetTitle("Screen", TitleFlat, nullptr, FALSE);
    ShowOnTop(dialog.m_hWnd, 40, 40, 300);
    for (int id : {IDC_READONLY_EDIT, IDC_LABEL}) {
        SCOPED_TRACE(id == IDC_LABEL ? "static" : "read-only edit");
        RECT rc = WindowRectOf(::GetDlgItem(dialog.m_hWnd, id));
        ::MapWindowPoints(nullptr, dialog.m_hWnd, reinterpret_cast<POINT*>(&rc), 2);
        // Right of the short text, inside the control.
        const int x = rc.right - 3, y = (rc.top + rc.bottom) / 2;
        EXPECT_TRUE(WaitUntil([&] { return ReadWindowPixel(dialog.m_hWnd, x, y) == kBackground; }, 2000))
            << "pixel " << std::hex << ReadWindowPixel(dialog.m_hWnd, x, y);
    }
    dialog.DestroyWindow();
}

// --- the drag by the background ---

namespace {

struct CPostedDrag {
    HWND m_hWnd;
    WPARAM m_wParam;
    LPARAM m_lParam;
};
std::vector<CPostedDrag> g_drags;

// Sees every posted WM_NCLBUTTONDOWN as it leaves the queue, records it and
// turns it into WM_NULL, so no move loop starts.
LRESULT CALLBACK RecordDrags(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        MSG* msg = reinterpret_cast<MSG*>(lParam);
        if (msg->message == WM_NCLBUTTONDOWN) {
            g_drags.push_back(CPostedDrag{msg->hwnd, msg->wParam, msg->lParam});
            msg->message = WM_NULL;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class CDragRecorder {
public:
    CDragRecorder() {
        g_drags.clear();
        m_hHook = ::SetWindowsHookExA(WH_GETMESSAGE, &RecordDrags, nullptr, ::GetCurrentThreadId());
    }
    ~CDragRecorder() {
        if (m_hHook != nullptr) ::UnhookWindowsHookEx(m_hHook);
    }
    bool IsInstalled() const { return m_hHook != nullptr; }

private:
    HHOOK m_hHook = nullptr;
};

// A plain top-level window to hold skinned child dialogs.
HWND CreateHost() {
    return ::CreateWindowExA(0, "Static", "host", WS_POPUP | WS_VISIBLE, 50, 50, 320, 220, nullptr, nullptr,
                             ::GetModuleHandleA(nullptr), nullptr);
}

}  // namespace

TEST(SkinDialog, BackgroundClickPostsCaptionDragToTheTopLevelAncestor) {
    CDragRecorder recorder;
    ASSERT_TRUE(recorder.IsInstalled());
    const LPARAM click = MAKELPARAM(15, 9);

    struct DragCase {
        const char* label;
        int depth;  // 0: the skinned dialog is top-level; 1: child of the host; 2: grandchild
        BOOL dragEnabled;
    };
    const DragCase cases[] = {
        {"top-level dialog drags itself", 0, TRUE},
        {"child dialog drags its host", 1, TRUE},
        {"grandchild dialog drags its host", 2, TRUE},
        {"drag switched off", 1, FALSE},
    };
    for (const DragCase& c : cases) {
        SCOPED_TRACE(c.label);
        g_drags.clear();
        HWND host = c.depth > 0 ? CreateHost() : nullptr;
        CTestSkinDialog outer(c.depth > 0 ? IDD_SKINNED_CHILD : IDD_SKINNED_TOP);
        CTestSkinDialog inner(IDD_SKINNED_CHILD);
        CTestSkinDialog* clicked = &outer;
        outer.SetDragEnabled(c.dragEnabled);
        if (c.depth == 0) {
            ASSERT_TRUE(outer.Create(IDD_SKINNED_TOP));
        } else {
            ASSERT_NE(host, nullptr);
            ASSERT_TRUE(outer.Create(IDD_SKINNED_CHILD, CWnd::FromHandle(host)));
            ASSERT_EQ(::GetParent(outer.m_hWnd), host);
        }
        if (c.depth == 2) {
            inner.SetDragEnabled(c.dragEnabled);
            ASSERT_TRUE(inner.Create(IDD_SKINNED_CHILD, &outer));
            clicked = &inner;
        }
        ::SendMessageA(clicked->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, click);
        PumpMessages(100);
        const HWND expectedTarget = c.depth == 0 ? outer.m_hWnd : host;
        if (c.dragEnabled) {
            ASSERT_EQ(g_drags.size(), 1u);
            EXPECT_EQ(g_drags[0].m_hWnd, expectedTarget);
            EXPECT_EQ(g_drags[0].m_wParam, static_cast<WPARAM>(HTCAPTION));
            EXPECT_EQ(g_drags[0].m_lParam, click) << "the click point as received, in client coordinates";
        } else {
            EXPECT_TRUE(g_drags.empty());
        }
        if (inner.m_hWnd != nullptr) inner.DestroyWindow();
        outer.DestroyWindow();
        if (host != nullptr) ::DestroyWindow(host);
    }
}

TEST(SkinDialog, RealClickOnAChildDialogsBackgroundDragsItsHost) {
    CDragRecorder recorder;
    ASSERT_TRUE(recorder.IsInstalled());
    HWND host = CreateHost();
    ASSERT_NE(host, nullptr);
    CTestSkinDialog child(IDD_SKINNED_CHILD);
    ASSERT_TRUE(child.Create(IDD_SKINNED_CHILD, CWnd::FromHandle(host)));
    ::SetWindowPos(host, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PumpMessages(300);
    RECT rc = WindowRectOf(child.m_hWnd);
    const POINT at = {rc.left + 20, rc.top + 25};
    ASSERT_TRUE(::SetCursorPos(at.x, at.y));
    PumpMessages(50);
    INPUT input[2] = {};
    input[0].type = input[1].type = INPUT_MOUSE;
    input[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    input[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    ASSERT_EQ(::SendInput(2, input, sizeof(INPUT)), 2u);
    EXPECT_TRUE(WaitUntil([] { return !g_drags.empty(); }, 2000));
    ASSERT_EQ(g_drags.size(), 1u);
    EXPECT_EQ(g_drags[0].m_hWnd, host);
    EXPECT_EQ(g_drags[0].m_wParam, static_cast<WPARAM>(HTCAPTION));
    EXPECT_EQ(g_drags[0].m_lParam, MAKELPARAM(20, 25));
    child.DestroyWindow();
    ::DestroyWindow(host);
}

// --- GDI objects the dialog owns ---

TEST(SkinDialog, ColoursSetBeforeTheWindowGiveOneBrushOfThatColour) {
    CTestSkinDialog dialog;
    ApplyTestColors(dialog);
    const HBRUSH early = dialog.GetBackgroundBrush();
    ASSERT_NE(early, nullptr) << "SetColors makes the brush even without a window";
    ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
    const HBRUSH brush = dialog.GetBackgroundBrush();
    ASSERT_NE(brush, nullptr);
    if (brush != early) {
        EXPECT_EQ(::GetObjectType(early), 0u) << "the brush made before the window is deleted, not leaked";
    }
    LOGBRUSH logBrush = {};
    ASSERT_TRUE(::GetObjectA(brush, sizeof(logBrush), &logBrush));
    EXPECT_EQ(logBrush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(logBrush.lbColor, kBackground);
    // And the erase paints with it.
    dialog.SetTitle("x", TitleNone, nullptr, FALSE);
    std::unique_ptr<CCanvas> canvas = EraseInto(dialog);
    const SIZE client = ClientSize(dialog.m_hWnd);
    EXPECT_EQ(canvas->At(client.cx / 2, client.cy / 2), kBackground);
    dialog.DestroyWindow();
}

TEST(SkinDialog, TitleFontRegionAndBrushAreDeletedWithTheDialogAndOnReplacement) {
    std::unique_ptr<CTestSkinDialog> dialog(new CTestSkinDialog);
    dialog->SetCornerRadius(12);
    ASSERT_TRUE(dialog->Create(IDD_SKINNED_TOP));
    const HFONT font = dialog->GetTitleFont();
    const HRGN region = dialog->GetRegion();
    const HBRUSH brush = dialog->GetBackgroundBrush();
    EXPECT_EQ(::GetObjectType(font), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(::GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
    EXPECT_EQ(::GetObjectType(brush), static_cast<DWORD>(OBJ_BRUSH));

    // The window has a rounded region of its own: its corner pixel is out.
    HRGN windowRegion = ::CreateRectRgn(0, 0, 0, 0);
    EXPECT_NE(::GetWindowRgn(dialog->m_hWnd, windowRegion), ERROR);
    const RECT window = WindowRectOf(dialog->m_hWnd);
    EXPECT_FALSE(::PtInRegion(windowRegion, 0, 0));
    EXPECT_TRUE(::PtInRegion(windowRegion, (window.right - window.left) / 2, (window.bottom - window.top) / 2));
    ::DeleteObject(windowRegion);

    // Replacing the font or the brush deletes the old one.
    const SkinTitleFont standard = StandardTitleFont();
    dialog->SetTitleFont(&standard, FALSE);
    const HFONT font2 = dialog->GetTitleFont();
    EXPECT_EQ(::GetObjectType(font2), static_cast<DWORD>(OBJ_FONT));
    if (font2 != font) {
        EXPECT_EQ(::GetObjectType(font), 0u) << "old title font";
    }
    ApplyTestColors(*dialog);
    const HBRUSH brush2 = dialog->GetBackgroundBrush();
    if (brush2 != brush) {
        EXPECT_EQ(::GetObjectType(brush), 0u) << "old background brush";
    }

    // Destroying the window leaves the objects to the dialog object...
    dialog->DestroyWindow();
    EXPECT_EQ(::GetObjectType(font2), static_cast<DWORD>(OBJ_FONT));
    EXPECT_EQ(::GetObjectType(region), static_cast<DWORD>(OBJ_REGION));
    EXPECT_EQ(::GetObjectType(brush2), static_cast<DWORD>(OBJ_BRUSH));
    // ...whose destruction deletes them; the stock hollow brush stays.
    dialog.reset();
    EXPECT_EQ(::GetObjectType(font2), 0u) << "title font";
    EXPECT_EQ(::GetObjectType(region), 0u) << "region";
    EXPECT_EQ(::GetObjectType(brush2), 0u) << "background brush";
    EXPECT_EQ(::GetObjectType(::GetStockObject(NULL_BRUSH)), static_cast<DWORD>(OBJ_BRUSH));
}

TEST(SkinDialog, RedrawBackgroundRepaintsOnlyTheGivenRectangle) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
    ApplyTestColors(dialog);
    dialog.SetTitle("Partial", TitleFlat, nullptr, FALSE);
    // Out of the way of the controls: the area right of the edits, below the
    // label, and a piece of the title bar.
    ShowOnTop(dialog.m_hWnd, 60, 60, 300);

    const SIZE client = ClientSize(dialog.m_hWnd);
    const COLORREF marker = RGB(0, 200, 0);
    HDC hDC = ::GetDC(dialog.m_hWnd);
    HBRUSH markerBrush = ::CreateSolidBrush(marker);
    RECT all = {0, 0, client.cx, client.cy};
    ::FillRect(hDC, &all, markerBrush);
    ::DeleteObject(markerBrush);
    ::ReleaseDC(dialog.m_hWnd, hDC);

    const int cap = dialog.GetCaptionHeight();
    const RECT part = {client.cx - 40, cap / 2, client.cx - 10, cap + 10};  // crosses the bar's bottom edge
    RECT screen = part;
    ::MapWindowPoints(dialog.m_hWnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    dialog.RedrawBackground(screen);

    scrivlo_test::ExpectPixels([&](int x, int y) { return ReadWindowPixel(dialog.m_hWnd, x, y); }, "redrawn",
                               {
                                   {part.left, part.top, kTitle, "inside, title bar"},
                                   {part.right - 1, part.bottom - 1, kBackground, "inside, below the bar"},
                                   {part.left - 1, part.top, marker, "left of it"},
                                   {part.right, part.bottom - 1, marker, "right of it"},
                                   {part.left + 5, part.top - 1, marker, "above it"},
                                   {part.left + 5, part.bottom, marker, "below it"},
                                   {3, client.cy - 3, marker, "far away"},
                               });
    dialog.DestroyWindow();
}

TEST(SkinDialog, SettersInvalidateWhatTheyChange) {
    CTestSkinDialog dialog;
    ASSERT_TRUE(dialog.Create(IDD_SKINNED_TOP));
    dialog.SetTitle("Invalidate", TitleFlat, nullptr, FALSE);
    ShowOnTop(dialog.m_hWnd, 30, 30, 200);
    const SIZE client = ClientSize(dialog.m_hWnd);

    struct SetterCase {
        const char* label;
        std::function<void()> call;
        bool wholeClient;  // else only the title strip
    };
    const SkinTitleFont standard = StandardTitleFont();
    const SetterCase cases[] = {
        {"SetColors", [&] { ApplyTestColors(dialog); }, true},
        {"SetTitle", [&] { dialog.SetTitle("Again", TitleFlat, nullptr, FALSE); }, true},
        {"SetTitleFont", [&] { dialog.SetTitleFont(&standard, FALSE); }, false},
    };
    for (const SetterCase& c : cases) {
        SCOPED_TRACE(c.label);
        ::ValidateRect(dialog.m_hWnd, nullptr);
        c.call();
        RECT update = {};
        ASSERT_TRUE(::GetUpdateRect(dialog.m_hWnd, &update, FALSE)) << "something to repaint";
        const RECT expected =
            c.wholeClient ? RECT{0, 0, client.cx, client.cy} : RECT{1, 1, client.cx - 1, 1 + dialog.GetCaptionHeight()};
        EXPECT_TRUE(::EqualRect(&update, &expected))
            << "update (" << update.left << ", " << update.top << ", " << update.right << ", " << update.bottom
            << "), expected (" << expected.left << ", " << expected.top << ", " << expected.right << ", "
            << expected.bottom << ")";
    }
    // With redraw set, the strip is painted at once: nothing is left to do.
    ::ValidateRect(dialog.m_hWnd, nullptr);
    dialog.SetTitleFont(&standard, TRUE);
    EXPECT_FALSE(::GetUpdateRect(dialog.m_hWnd, nullptr, FALSE));
    dialog.DestroyWindow();
}

namespace {

class CTransparentSkinDialog : public CTestSkinDialog {
public:
    explicit CTransparentSkinDialog(UINT nIDTemplate) : CTestSkinDialog(nIDTemplate) { m_transparent = 1; }
};

}  // namespace

TEST(SkinDialog, TransparentDialogPaintsNothingAndHandsRepaintsToItsParent) {
    CTestSkinDialog parent;
    ASSERT_TRUE(parent.Create(IDD_SKINNED_TOP));
    ApplyTestColors(parent);
    parent.SetTitle("Parent", TitleFlat, nullptr, FALSE);
    CTransparentSkinDialog child(IDD_SKINNED_CHILD);
    ASSERT_TRUE(child.Create(IDD_SKINNED_CHILD, &parent));
    ::SetWindowPos(child.m_hWnd, nullptr, 20, 60, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    ::SetWindowPos(parent.m_hWnd, HWND_TOP, 70, 70, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(parent.m_hWnd);
    PumpMessages(300);

    // Its own erase leaves the canvas untouched.
    std::unique_ptr<CCanvas> canvas = EraseInto(child);
    EXPECT_EQ(canvas->At(0, 0), kUnpainted);
    EXPECT_EQ(canvas->At(10, 10), kUnpainted);

    // A repaint request inside the child comes out on the parent's background.
    const COLORREF marker = RGB(0, 200, 0);
    const SIZE client = ClientSize(parent.m_hWnd);
    HDC hDC = ::GetDC(parent.m_hWnd);
    HBRUSH markerBrush = ::CreateSolidBrush(marker);
    RECT all = {0, 0, client.cx, client.cy};
    ::FillRect(hDC, &all, markerBrush);
    ::DeleteObject(markerBrush);
    ::ReleaseDC(parent.m_hWnd, hDC);
    const RECT part = {25, 65, 45, 75};  // parent client coordinates, inside the child
    RECT screen = part;
    ::MapWindowPoints(parent.m_hWnd, nullptr, reinterpret_cast<POINT*>(&screen), 2);
    child.RedrawBackground(screen);
    EXPECT_EQ(ReadWindowPixel(parent.m_hWnd, 30, 70), kBackground) << "repainted by the parent";
    EXPECT_EQ(ReadWindowPixel(parent.m_hWnd, 50, 70), marker) << "outside the rectangle";

    // Without a parent the request goes nowhere: a transparent top-level
    // dialog leaves what is on screen.
    CTransparentSkinDialog alone(IDD_SKINNED_TOP);
    ASSERT_TRUE(alone.Create(IDD_SKINNED_TOP));
    ApplyTestColors(alone);
    ::SetWindowPos(alone.m_hWnd, HWND_TOP, 400, 300, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
    ::UpdateWindow(alone.m_hWnd);
    PumpMessages(200);
    hDC = ::GetDC(alone.m_hWnd);
    markerBrush = ::CreateSolidBrush(marker);
    ::FillRect(hDC, &all, markerBrush);
    ::DeleteObject(markerBrush);
    ::ReleaseDC(alone.m_hWnd, hDC);
    RECT aloneScreen = {0, 0, client.cx, client.cy};
    ::MapWindowPoints(alone.m_hWnd, nullptr, reinterpret_cast<POINT*>(&aloneScreen), 2);
    alone.RedrawBackground(aloneScreen);
    EXPECT_EQ(ReadWindowPixel(alone.m_hWnd, client.cx / 2, client.cy / 2), marker);
    alone.DestroyWindow();
    child.DestroyWindow();
    parent.DestroyWindow();
}
