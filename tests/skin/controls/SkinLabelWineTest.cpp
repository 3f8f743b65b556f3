// The label control on a real skinned dialog under Wine: text replaced from
// this thread and from a worker thread, alignment, the styles the static
// control paints itself, and the label's own font.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>

#include "framework/Dialog.h"
#include "tests/skin/controls/ControlsWineSupport.h"
#include "tests/support/ProcessWindows.h"

using namespace ctl_test;
using scrivlo_test::CPixelImage;

namespace {

enum : WORD {
    IDC_STATUS = 300,
    IDC_REFERENCE,
    IDC_WRAP,
    IDC_BLACKRECT,
    IDC_WHITEFRAME,
    IDC_GRAYFRAME,
    IDC_USERITEM,
    IDC_STYLED,
};
constexpr int kLabelCount = IDC_STYLED - IDC_STATUS + 1;

const char kLongText[] = "Creating registry file, please wait...";
const char kShortText[] = "Done";
const char kWrapText[] = "Top left text that takes more than one line";

struct TextCall {
    CSkinLabel* label;
    const char* text;
};

DWORD WINAPI SetTextThread(LPVOID p) {
    TextCall* c = static_cast<TextCall*>(p);
    c->label->SetWindowText(c->text);
    return 0;
}

class LabelDialogTest : public testing::Test {
protected:
    void SetUp() override {
        LOGFONTA lf = {};
        lf.lfHeight = -15;
        lf.lfWeight = FW_BOLD;
        lf.lfItalic = 1;
        lf.lfUnderline = 1;
        lstrcpyA(lf.lfFaceName, "Tahoma");
        m_hStyledFont = ::CreateFontIndirectA(&lf);
        ASSERT_NE(m_hStyledFont, nullptr);
        m_dlg.m_beforeBind = [this](CHostDialog& d) {
            ::SendDlgItemMessageA(d.m_hWnd, IDC_STYLED, WM_SETFONT, reinterpret_cast<WPARAM>(m_hStyledFont), FALSE);
        };
        m_dlg.m_bind = [this](CDataExchange* pDX) {
            for (int i = 0; i < kLabelCount; ++i) DDX_Control(pDX, IDC_STATUS + i, m_labels[i]);
        };
        CDialogTemplate t(230, 124);
        // The status line's own style.
        const DWORD status = WS_GROUP | SS_CENTER | SS_CENTERIMAGE;
        t.AddStatic(IDC_STATUS, "", status, 10, 10, 200, 14);
        t.AddStatic(IDC_REFERENCE, kShortText, status, 10, 28, 200, 14);
        t.AddStatic(IDC_WRAP, kWrapText, SS_LEFT, 10, 48, 80, 36);
        t.AddStatic(IDC_BLACKRECT, "Text", SS_BLACKRECT, 100, 48, 40, 20);
        t.AddStatic(IDC_WHITEFRAME, "Text", SS_WHITEFRAME, 150, 48, 40, 20);
        // Wine's static control keeps no font for these two styles, so the
        // labels draw in the system's default font: room for it.
        t.AddStatic(IDC_GRAYFRAME, "Gray", SS_GRAYFRAME, 100, 74, 50, 22);
        t.AddStatic(IDC_USERITEM, "User", SS_USERITEM, 160, 74, 50, 22);
        t.AddStatic(IDC_STYLED, "Styled", SS_LEFT, 10, 98, 100, 16);
        ASSERT_TRUE(m_dlg.Open(t));
    }
    void TearDown() override {
        m_dlg.Close();
        if (m_hStyledFont != nullptr) ::DeleteObject(m_hStyledFont);
    }

    CSkinLabel& Label(WORD id) { return m_labels[id - IDC_STATUS]; }
    HWND Item(WORD id) { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    RECT Whole(const CPixelImage& image) { return RECT{0, 0, image.m_nWidth, image.m_nHeight}; }

    CSkinLabel m_labels[kLabelCount];
    CHostDialog m_dlg;
    HFONT m_hStyledFont = nullptr;
};

}  // namespace

TEST_F(LabelDialogTest, ShorterTextLeavesNoTraceOfTheLongerOne) {
    HWND hDlg = m_dlg.m_hWnd;
    struct Way {
        const char* what;
        std::function<void(const char*)> setText;
    };
    CSkinLabel& status = Label(IDC_STATUS);
    const Way ways[] = {
        {"set on the dialog's thread", [&](const char* text) { status.SetWindowText(text); }},
        // The diagnostics set the status line from their worker thread: the
        // text arrives as a sent message, handled here while this thread
        // pumps.
        {"set from a worker thread",
         [&](const char* text) {
             TextCall call = {&status, text};
             HANDLE hThread = ::CreateThread(nullptr, 0, SetTextThread, &call, 0, nullptr);
             ASSERT_NE(hThread, nullptr);
             EXPECT_TRUE(PumpUntil(
                 hDlg, [&] { return ::WaitForSingleObject(hThread, 0) == WAIT_OBJECT_0; }, 5000));
             ::CloseHandle(hThread);
         }},
    };
    const CPixelImage reference = Capture(Item(IDC_REFERENCE));
    ASSERT_FALSE(reference.IsEmpty());
    const int refInk = LeftmostInk(reference, Whole(reference), {kDialogBackground});
    ASSERT_GT(refInk, 0) << "the reference label shows its text";
    for (const Way& w : ways) {
        SCOPED_TRACE(w.what);
        w.setText(kLongText);
        Pump(hDlg, 150);
        const CPixelImage before = Capture(Item(IDC_STATUS));
        ASSERT_EQ(before.m_nWidth, reference.m_nWidth);
        const int longInk = LeftmostInk(before, Whole(before), {kDialogBackground});
        ASSERT_GE(longInk, 0);
        EXPECT_LT(longInk + 20, refInk) << "the long text reaches further left than the short one";

        w.setText(kShortText);
        EXPECT_TRUE(PumpUntil(hDlg, [&] { return Capture(Item(IDC_STATUS)).m_pixels == reference.m_pixels; }));
        const CPixelImage after = Capture(Item(IDC_STATUS));
        EXPECT_EQ(after.m_pixels, reference.m_pixels) << "the old text shows through";
        EXPECT_EQ(scrivlo_test::ReadWindowTextA(Item(IDC_STATUS)), kShortText);
    }
}

TEST_F(LabelDialogTest, StatusLineIsCentredOnOneLineAndALeftLabelWrapsFromTheTopLeft) {
    EXPECT_EQ(Label(IDC_STATUS).GetTextAlign(), static_cast<UINT>(DT_CENTER | DT_VCENTER));
    EXPECT_EQ(Label(IDC_WRAP).GetTextAlign(), static_cast<UINT>(DT_LEFT));

    const CPixelImage status = Capture(Item(IDC_REFERENCE));
    const RECT all = Whole(status);
    const int left = LeftmostInk(status, all, {kDialogBackground});
    int right = -1;
    for (int x = status.m_nWidth - 1; x >= 0 && right < 0; --x)
        for (int y = 0; y < status.m_nHeight; ++y)
            if (status.ColorRefAt(x, y) != kDialogBackground) {
                right = x;
                break;
            }
    ASSERT_GE(left, 0);
    // Centred: the margins left and right of the ink differ by little.
    EXPECT_LE(std::abs(left - (status.m_nWidth - 1 - right)), 3) << left << " .. " << right;
    EXPECT_EQ(InkColour(status, all, {kDialogBackground}), ::GetSysColor(COLOR_BTNTEXT));

    const CPixelImage wrap = Capture(Item(IDC_WRAP));
    int top = -1, bottom = -1;
    for (int y = 0; y < wrap.m_nHeight; ++y)
        for (int x = 0; x < wrap.m_nWidth; ++x)
            if (wrap.ColorRefAt(x, y) != kDialogBackground) {
                if (top < 0) top = y;
                bottom = y;
                break;
            }
    ASSERT_GE(top, 0);
    EXPECT_LE(LeftmostInk(wrap, Whole(wrap), {kDialogBackground}), 2);
    EXPECT_LE(top, 4);
    TEXTMETRICA tm = {};
    HDC hdc = ::GetDC(Item(IDC_WRAP));
    HGDIOBJ hOld = ::SelectObject(hdc, Label(IDC_WRAP).GetLabelFont());
    ::GetTextMetricsA(hdc, &tm);
    ::SelectObject(hdc, hOld);
    ::ReleaseDC(Item(IDC_WRAP), hdc);
    EXPECT_GT(bottom - top, tm.tmHeight) << "the text is broken into lines";
}

TEST_F(LabelDialogTest, StylesThatAreNotTextArePaintedByTheStaticControl) {
    struct Case {
        WORD id;
        bool native;
    } const cases[] = {
        {IDC_BLACKRECT, true}, {IDC_WHITEFRAME, true}, {IDC_GRAYFRAME, false},
        {IDC_USERITEM, false}, {IDC_STATUS, false},    {IDC_WRAP, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        EXPECT_EQ(Label(c.id).PaintsNatively() != FALSE, c.native);
    }
    // The black rectangle is one solid fill (Windows takes COLOR_WINDOWFRAME
    // for it, Wine COLOR_3DDKSHADOW), with no text.
    const CPixelImage black = Capture(Item(IDC_BLACKRECT));
    const COLORREF fill = black.ColorRefAt(0, 0);
    EXPECT_NE(fill, kDialogBackground);
    EXPECT_TRUE(fill == ::GetSysColor(COLOR_WINDOWFRAME) || fill == ::GetSysColor(COLOR_3DDKSHADOW))
        << ColourText(fill);
    EXPECT_EQ(CountColour(black, Whole(black), fill), black.m_nWidth * black.m_nHeight);
    const CPixelImage white = Capture(Item(IDC_WHITEFRAME));
    EXPECT_TRUE(RingIs(white, ::GetSysColor(COLOR_WINDOW)));
    EXPECT_EQ(CountColour(white, RECT{1, 1, white.m_nWidth - 1, white.m_nHeight - 1}, ::GetSysColor(COLOR_BTNTEXT)), 0)
        << "no text inside the frame";
    // Drawn as text: no frame, the caption over the dialog's background.
    for (WORD id : {IDC_GRAYFRAME, IDC_USERITEM}) {
        SCOPED_TRACE(testing::Message() << "control " << id);
        const CPixelImage image = Capture(Item(id));
        // The text may touch the side edges; a frame would fill the top and
        // bottom rows.
        const int w = image.m_nWidth;
        const int h = image.m_nHeight;
        EXPECT_EQ(CountColour(image, RECT{0, 0, w, 1}, kDialogBackground), w);
        EXPECT_EQ(CountColour(image, RECT{0, h - 1, w, h}, kDialogBackground), w);
        EXPECT_EQ(InkColour(image, Whole(image), {kDialogBackground}), ::GetSysColor(COLOR_BTNTEXT));
    }
}

TEST_F(LabelDialogTest, FontKeepsFaceAndHeightButNeverBoldItalicOrUnderline) {
    const HFONT hFont = Label(IDC_STYLED).GetLabelFont();
    ASSERT_NE(hFont, nullptr);
    EXPECT_EQ(reinterpret_cast<HFONT>(::SendMessageA(Item(IDC_STYLED), WM_GETFONT, 0, 0)), hFont);
    LOGFONTA lf = {};
    ASSERT_EQ(::GetObjectA(hFont, sizeof(lf), &lf), static_cast<int>(sizeof(lf)));
    EXPECT_EQ(lf.lfHeight, -15);
    EXPECT_STREQ(lf.lfFaceName, "Tahoma");
    EXPECT_EQ(lf.lfWeight, FW_NORMAL);
    EXPECT_EQ(lf.lfItalic, 0);
    EXPECT_EQ(lf.lfUnderline, 0);
    EXPECT_EQ(lf.lfPitchAndFamily, FF_SWISS);
    EXPECT_EQ(lf.lfCharSet, DEFAULT_CHARSET);

    // A static without a font gets the system's default choice.
    RECT rc = {120, 150, 260, 170};
    HWND hBare =
        ::CreateWindowExA(0, "STATIC", "Bare", WS_CHILD | WS_VISIBLE | SS_LEFT, rc.left, rc.top, rc.right - rc.left,
                          rc.bottom - rc.top, m_dlg.m_hWnd, nullptr, ::GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(hBare, nullptr);
    ASSERT_EQ(::SendMessageA(hBare, WM_GETFONT, 0, 0), 0);
    HFONT hBareFont = nullptr;
    {
        CSkinLabel bare;
        ASSERT_TRUE(bare.SubclassWindow(hBare));
        hBareFont = bare.GetLabelFont();
        ASSERT_NE(hBareFont, nullptr);
        LOGFONTA bareLf = {};
        ASSERT_EQ(::GetObjectA(hBareFont, sizeof(bareLf), &bareLf), static_cast<int>(sizeof(bareLf)));
        EXPECT_EQ(bareLf.lfHeight, 0);
        EXPECT_STREQ(bareLf.lfFaceName, "");
        ::DestroyWindow(hBare);
    }
    EXPECT_EQ(::GetObjectType(hBareFont), 0u);
}
