// The skinned push button on a real skinned dialog under Wine: caption
// colours per state, border, alignment with an icon, check-box and radio
// cycles and double clicks, read from the screen after real pointer input.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "framework/Dialog.h"
#include "tests/skin/controls/ControlsWineSupport.h"

using namespace ctl_test;
using scrivlo_test::CPixelImage;

namespace {

enum : WORD {
    IDC_EDIT = 100,
    IDC_PUSH,
    IDC_NOBORDER,
    IDC_DISABLED,
    IDC_LEFT,
    IDC_CENTRED,
    IDC_CHECK,
    IDC_THREE,
    IDC_RADIO1,
    IDC_FOREIGN,
    IDC_RADIO2,
    IDC_RADIO3,
    IDC_RADIO_PLAIN,
    IDC_OPAQUE,
};

constexpr COLORREF kNormal = RGB(0, 0, 0);
constexpr COLORREF kActive = RGB(0, 0, 200);
constexpr COLORREF kPressed = RGB(200, 0, 0);
constexpr COLORREF kIconGreen = RGB(0, 160, 0);
constexpr COLORREF kOpaque = RGB(250, 200, 120);

CDialogTemplate ButtonTemplate() {
    CDialogTemplate t(260, 150);
    t.Add(IDC_EDIT, 0x0081, "", WS_CHILD | WS_VISIBLE | WS_BORDER | WS_TABSTOP, 10, 8, 60, 12);
    t.AddButton(IDC_PUSH, "Push", BS_PUSHBUTTON | WS_TABSTOP, 10, 28, 70, 16);
    t.AddButton(IDC_NOBORDER, "Plain", BS_PUSHBUTTON | WS_TABSTOP, 90, 28, 70, 16);
    t.AddButton(IDC_DISABLED, "Off", BS_PUSHBUTTON | WS_TABSTOP | WS_DISABLED, 170, 28, 70, 16);
    t.AddButton(IDC_LEFT, "Left", BS_PUSHBUTTON | BS_LEFT | WS_TABSTOP, 10, 50, 110, 18);
    t.AddButton(IDC_CENTRED, "Mid", BS_PUSHBUTTON | WS_TABSTOP, 130, 50, 110, 18);
    t.AddButton(IDC_CHECK, "Check", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 74, 70, 16);
    t.AddButton(IDC_THREE, "Three", BS_AUTO3STATE | WS_TABSTOP, 90, 74, 70, 16);
    // The radio group, in tab order: an owner-drawn button that merely
    // carries the user data 9 sits between the first and the second radio.
    t.AddButton(IDC_RADIO1, "R1", BS_AUTORADIOBUTTON | WS_GROUP | WS_TABSTOP, 10, 96, 45, 14);
    t.AddButton(IDC_FOREIGN, "X", BS_OWNERDRAW, 58, 96, 12, 14);
    t.AddButton(IDC_RADIO2, "R2", BS_AUTORADIOBUTTON, 74, 96, 45, 14);
    t.AddButton(IDC_RADIO3, "R3", BS_AUTORADIOBUTTON, 122, 96, 45, 14);
    t.AddButton(IDC_RADIO_PLAIN, "R4", BS_RADIOBUTTON, 170, 96, 45, 14);
    t.AddButton(IDC_OPAQUE, "Opaque", BS_PUSHBUTTON | WS_GROUP | WS_TABSTOP, 10, 120, 70, 16);
    return t;
}

// The dialog with every button of the template bound to a skinned button.
class ButtonDialogTest : public testing::Test {
protected:
    void SetUp() override {
        m_icon = MakeIcon(16, 16, [](int, int) { return kIconGreen; });
        ASSERT_NE(m_icon, nullptr);
        m_dlg.m_beforeBind = [](CHostDialog& d) {
            ::SetWindowLongPtrA(d.GetDlgItem(IDC_FOREIGN)->m_hWnd, GWLP_USERDATA, 9);
            ::SendDlgItemMessageA(d.m_hWnd, IDC_RADIO_PLAIN, BM_SETCHECK, BST_CHECKED, 0);
        };
        m_buttons[IDC_OPAQUE - IDC_PUSH].MakeOpaque(kOpaque);
        m_dlg.m_bind = [this](CDataExchange* pDX) {
            for (WORD id = IDC_PUSH; id <= IDC_OPAQUE; ++id)
                if (id != IDC_FOREIGN) DDX_Control(pDX, id, Button(id));
        };
        CDialogTemplate t = ButtonTemplate();
        ASSERT_TRUE(m_dlg.Open(t));
        // As the message box does, after the exchange.
        Button(IDC_NOBORDER).SetDrawBorder(FALSE);
        Button(IDC_LEFT).SetIconHandles(m_icon, nullptr, nullptr, nullptr, 0);
        Button(IDC_CENTRED).SetIconHandles(m_icon, nullptr, nullptr, nullptr, 0);
        Focus(IDC_EDIT);
        ASSERT_TRUE(MovePointerAway(m_dlg.m_hWnd));
        Pump(m_dlg.m_hWnd, 100);
    }
    void TearDown() override {
        ReleaseLeft();
        m_dlg.Close();
        if (m_icon != nullptr) ::DestroyIcon(m_icon);
    }

    CProbeButton& Button(WORD id) { return m_buttons[id - IDC_PUSH]; }
    HWND Item(WORD id) { return ::GetDlgItem(m_dlg.m_hWnd, id); }
    void Focus(WORD id) {
        m_dlg.GotoDlgCtrl(CWnd::FromHandle(Item(id)));
        Pump(m_dlg.m_hWnd, 50);
    }
    // Whether the caption is drawn in colour: text is smoothed at its edges,
    // so the test is that the glyphs' solid pixels have this colour and none
    // has the colour of another state. Returns a description of what is
    // seen when not.
    std::string CaptionMismatch(WORD id, COLORREF colour) {
        const CPixelImage image = Capture(Item(id));
        const RECT inside = {1, 1, image.m_nWidth - 1, image.m_nHeight - 1};
        std::string seen;
        bool ok = CountColour(image, inside, colour) >= 4;
        for (COLORREF c : {kNormal, kActive, kPressed, ::GetSysColor(COLOR_GRAYTEXT)}) {
            const int n = CountColour(image, inside, c);
            seen += ColourText(c) + ": " + std::to_string(n) + " ";
            if (c != colour && n != 0) ok = false;
        }
        return ok ? std::string() : seen;
    }
    // Waits for the caption to take the colour (repaints are asynchronous).
    std::string WaitCaption(WORD id, COLORREF colour) {
        PumpUntil(
            m_dlg.m_hWnd, [&] { return CaptionMismatch(id, colour).empty(); }, 1500);
        return CaptionMismatch(id, colour);
    }
    int CheckState(WORD id) { return Button(id).GetCurrentImage(); }

    // The buttons outlive the dialog window.
    CProbeButton m_buttons[IDC_OPAQUE - IDC_PUSH + 1];
    CHostDialog m_dlg;
    HICON m_icon = nullptr;
};

}  // namespace

TEST_F(ButtonDialogTest, AttachingMakesTheButtonOwnerDrawnAndStoresItsType) {
    struct Case {
        WORD id;
        int type;
        int sets;
    } const cases[] = {
        {IDC_PUSH, 0, 1}, {IDC_CHECK, 3, 2}, {IDC_THREE, 6, 3}, {IDC_RADIO1, 9, 2}, {IDC_RADIO_PLAIN, 4, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        const LONG style = ::GetWindowLongA(Item(c.id), GWL_STYLE);
        EXPECT_EQ(style & 0xF, BS_OWNERDRAW);
        EXPECT_EQ(::GetWindowLongPtrA(Item(c.id), GWLP_USERDATA), c.type);
        EXPECT_EQ(Button(c.id).GetButtonType(), c.type);
        EXPECT_EQ(Button(c.id).GetImageSetCount(), c.sets);
    }
    // The plain radio button was checked before it was attached.
    EXPECT_EQ(CheckState(IDC_RADIO_PLAIN), 1);
    EXPECT_EQ(CheckState(IDC_RADIO1), 0);
}

TEST_F(ButtonDialogTest, CaptionColourFollowsHoverPressFocusAndDisabled) {
    HWND hDlg = m_dlg.m_hWnd;
    struct Step {
        const char* what;
        WORD id;
        std::function<bool()> act;
        COLORREF expected;
    };
    const COLORREF gray = ::GetSysColor(COLOR_GRAYTEXT);
    const Step steps[] = {
        {"neither hovered nor focused", IDC_PUSH, [] { return true; }, kNormal},
        {"hovered", IDC_PUSH, [&] { return MovePointerOver(hDlg, Item(IDC_PUSH)); }, kActive},
        {"pressed while hovered", IDC_PUSH, [] { return PressLeft(); }, kPressed},
        // The button holds the capture: the move outside ends the hover at
        // once, and the focus the press gave keeps the active colour.
        {"held, pointer dragged out", IDC_PUSH, [&] { return MovePointerAway(hDlg); }, kActive},
        {"released outside, focused only", IDC_PUSH, [] { return ReleaseLeft(); }, kActive},
        {"focus moved away", IDC_PUSH,
         [&] {
             Focus(IDC_EDIT);
             return true;
         },
         kNormal},
        {"disabled", IDC_DISABLED, [] { return true; }, gray},
        {"disabled and hovered", IDC_DISABLED,
         [&] { return ::SendMessageA(Item(IDC_DISABLED), WM_SKIN_MOUSEENTER, 0, 0) == 0; }, gray},
        {"focused by the keyboard, pointer away", IDC_NOBORDER,
         [&] {
             Focus(IDC_NOBORDER);
             return true;
         },
         kActive},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(s.what);
        ASSERT_TRUE(s.act());
        EXPECT_EQ(WaitCaption(s.id, s.expected), "") << "expected " << ColourText(s.expected);
    }
    // The press was released outside the button: no click.
    EXPECT_EQ(m_dlg.m_clicks[IDC_PUSH], 0);
    EXPECT_TRUE(Button(IDC_DISABLED).IsMouseOver());
}

TEST_F(ButtonDialogTest, HoverShowsTheButtonsCursorAndEndsWhenThePointerLeaves) {
    HWND hDlg = m_dlg.m_hWnd;
    ASSERT_NE(Button(IDC_PUSH).GetCursor(), nullptr);
    ASSERT_TRUE(MovePointerOver(hDlg, Item(IDC_PUSH)));
    EXPECT_TRUE(PumpUntil(hDlg, [&] { return Button(IDC_PUSH).IsMouseOver() != FALSE; }));
    EXPECT_TRUE(PumpUntil(hDlg, [&] { return ::GetCursor() == Button(IDC_PUSH).GetCursor(); }));
    // Straight onto the neighbour: the first button hears of the leave from
    // the system, the second of the entry from its own move.
    ASSERT_TRUE(MovePointerOver(hDlg, Item(IDC_NOBORDER)));
    EXPECT_TRUE(PumpUntil(hDlg, [&] { return !Button(IDC_PUSH).IsMouseOver(); }));
    EXPECT_TRUE(Button(IDC_NOBORDER).IsMouseOver());
    EXPECT_EQ(WaitCaption(IDC_PUSH, kNormal), "");
    EXPECT_EQ(WaitCaption(IDC_NOBORDER, kActive), "");
}

TEST_F(ButtonDialogTest, PushButtonsHaveABlackOutlineUnlessSwitchedOff) {
    const CPixelImage push = Capture(Item(IDC_PUSH));
    ASSERT_FALSE(push.IsEmpty());
    EXPECT_TRUE(RingIs(push, RGB(0, 0, 0)));
    // An outline, not a filled box: the ring just inside is background.
    EXPECT_EQ(push.ColorRefAt(1, 1), kDialogBackground);
    EXPECT_EQ(push.ColorRefAt(push.m_nWidth - 2, push.m_nHeight - 2), kDialogBackground);

    const CPixelImage plain = Capture(Item(IDC_NOBORDER));
    EXPECT_TRUE(RingIs(plain, kDialogBackground));
    EXPECT_GE(CountColour(plain, RECT{0, 0, plain.m_nWidth, plain.m_nHeight}, kNormal), 4)
        << "the caption is still drawn";

    // A check box never gets the outline; its image sits left, vertically
    // centred, so its top and bottom rows stay background.
    const CPixelImage check = Capture(Item(IDC_CHECK));
    const int cy = Button(IDC_CHECK).GetIconHeight();
    ASSERT_GT(cy, 0);
    ASSERT_LT(cy + 2, check.m_nHeight);
    EXPECT_EQ(CountColour(check, RECT{0, 0, check.m_nWidth, 1}, kDialogBackground), check.m_nWidth);
    EXPECT_EQ(CountColour(check, RECT{0, check.m_nHeight - 1, check.m_nWidth, check.m_nHeight}, kDialogBackground),
              check.m_nWidth);
    EXPECT_EQ(CountColour(check, RECT{check.m_nWidth - 1, 0, check.m_nWidth, check.m_nHeight}, kDialogBackground),
              check.m_nHeight);
}

TEST_F(ButtonDialogTest, LeftAlignedCaptionStartsAfterTheIconAndACentredIconIsCentred) {
    EXPECT_EQ(Button(IDC_LEFT).GetIconWidth(), 16);
    EXPECT_EQ(Button(IDC_LEFT).GetIconHeight(), 16);
    const std::vector<COLORREF> notInk = {kDialogBackground, kIconGreen};

    const CPixelImage left = Capture(Item(IDC_LEFT));
    ASSERT_FALSE(left.IsEmpty());
    const int top = (left.m_nHeight - 16) / 2;
    // The icon starts at the left edge (its first column lies under the
    // outline) and is vertically centred.
    EXPECT_EQ(CountColour(left, RECT{1, top, 16, top + 16}, kIconGreen), 15 * 16);
    EXPECT_EQ(CountColour(left, RECT{16, 1, left.m_nWidth - 1, left.m_nHeight - 1}, kIconGreen), 0);
    // The caption begins after the 2-pixel margin and the icon's width.
    const int ink = LeftmostInk(left, RECT{1, 1, left.m_nWidth - 1, left.m_nHeight - 1}, notInk);
    EXPECT_GE(ink, 2 + 16);
    EXPECT_LE(ink, 2 + 16 + 3);

    const CPixelImage mid = Capture(Item(IDC_CENTRED));
    ASSERT_EQ(mid.m_nWidth, left.m_nWidth);
    const int x = (mid.m_nWidth - 16) / 2;
    EXPECT_EQ(mid.ColorRefAt(x, top), kIconGreen);
    EXPECT_EQ(mid.ColorRefAt(x + 15, top + 15), kIconGreen);
    EXPECT_NE(mid.ColorRefAt(x - 1, top), kIconGreen);
    EXPECT_NE(mid.ColorRefAt(x + 16, top), kIconGreen);
    // Centred in both directions, the caption is drawn over the icon, well
    // right of where the left-aligned one starts.
    EXPECT_GT(LeftmostInk(mid, RECT{1, 1, mid.m_nWidth - 1, mid.m_nHeight - 1}, notInk), ink + 10);
}

TEST_F(ButtonDialogTest, CheckBoxesCycleOnReleaseOverThemselves) {
    HWND hDlg = m_dlg.m_hWnd;
    struct Case {
        WORD id;
        std::vector<int> states;  // after each click
    } const cases[] = {
        {IDC_CHECK, {1, 0, 1}},
        {IDC_THREE, {1, 2, 0, 1}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "control " << c.id);
        ASSERT_EQ(CheckState(c.id), 0);
        const CPixelImage unchecked = Capture(Item(c.id));
        for (size_t i = 0; i < c.states.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "click " << i + 1);
            ASSERT_TRUE(ClickOver(hDlg, Item(c.id)));
            EXPECT_TRUE(PumpUntil(
                hDlg, [&] { return CheckState(c.id) == c.states[i]; }, 1000));
            EXPECT_EQ(CheckState(c.id), c.states[i]);
        }
        EXPECT_EQ(m_dlg.m_clicks[c.id], static_cast<int>(c.states.size()));
        // The picture follows the state: checked differs from unchecked.
        Pump(hDlg, 100);
        const CPixelImage checked = Capture(Item(c.id));
        EXPECT_NE(checked.m_pixels, unchecked.m_pixels);

        // Pressed over the box, released after the pointer has left it:
        // no change.
        ASSERT_TRUE(MovePointerOver(hDlg, Item(c.id)));
        ASSERT_TRUE(PressLeft());
        Pump(hDlg, 60);
        ASSERT_TRUE(MovePointerAway(hDlg));
        ASSERT_TRUE(ReleaseLeft());
        Pump(hDlg, 150);
        EXPECT_EQ(CheckState(c.id), c.states.back());
    }
}

TEST_F(ButtonDialogTest, AutoRadioClearsOnlySkinnedAutoRadiosOfItsGroup) {
    HWND hDlg = m_dlg.m_hWnd;
    struct Step {
        WORD click;
        int r1, r2, r3;
    } const steps[] = {
        {IDC_RADIO1, 1, 0, 0},
        {IDC_RADIO3, 0, 0, 1},
        {IDC_RADIO2, 0, 1, 0},
        {IDC_RADIO2, 0, 1, 0},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(testing::Message() << "click on " << s.click);
        ASSERT_TRUE(ClickOver(hDlg, Item(s.click)));
        EXPECT_TRUE(PumpUntil(
            hDlg, [&] { return CheckState(s.click) == 1; }, 1000));
        EXPECT_EQ(CheckState(IDC_RADIO1), s.r1);
        EXPECT_EQ(CheckState(IDC_RADIO2), s.r2);
        EXPECT_EQ(CheckState(IDC_RADIO3), s.r3);
        // The skinned radio button that is not automatic keeps its check.
        EXPECT_EQ(CheckState(IDC_RADIO_PLAIN), 1);
    }
    // The drawn images agree: the two cleared radios look alike, the checked
    // one differs (captions differ in their right part only, so compare the
    // image at the left).
    Pump(hDlg, 100);
    const int cx = Button(IDC_RADIO1).GetIconWidth();
    ASSERT_GT(cx, 0);
    auto imagePart = [&](WORD id) {
        const CPixelImage image = Capture(Item(id));
        std::vector<COLORREF> part;
        for (int y = 0; y < image.m_nHeight; ++y)
            for (int x = 0; x < cx; ++x) part.push_back(image.ColorRefAt(x, y));
        return part;
    };
    EXPECT_EQ(imagePart(IDC_RADIO1), imagePart(IDC_RADIO3));
    EXPECT_NE(imagePart(IDC_RADIO1), imagePart(IDC_RADIO2));
}

TEST_F(ButtonDialogTest, DoubleClickCountsAsTwoPresses) {
    HWND hDlg = m_dlg.m_hWnd;
    const int before = DoubleClicksSeen();
    ASSERT_TRUE(DoubleClickOver(hDlg, Item(IDC_PUSH)));
    EXPECT_TRUE(PumpUntil(
        hDlg, [&] { return m_dlg.m_clicks[IDC_PUSH] >= 2; }, 1000));
    ASSERT_EQ(DoubleClicksSeen(), before + 1) << "the system did not make a double click of the input";
    EXPECT_EQ(m_dlg.m_clicks[IDC_PUSH], 2);

    // A three-state box double-clicked moves two states on.
    ::Sleep(::GetDoubleClickTime() + 50);
    ASSERT_TRUE(DoubleClickOver(hDlg, Item(IDC_THREE)));
    EXPECT_TRUE(PumpUntil(
        hDlg, [&] { return CheckState(IDC_THREE) == 2; }, 1000));
    EXPECT_EQ(DoubleClicksSeen(), before + 2);
    EXPECT_EQ(CheckState(IDC_THREE), 2);
    EXPECT_EQ(m_dlg.m_clicks[IDC_THREE], 2);
}

TEST_F(ButtonDialogTest, OpaqueButtonFillsItsOwnBackground) {
    CProbeButton& opaque = Button(IDC_OPAQUE);
    ASSERT_NE(opaque.Brush(), nullptr);
    EXPECT_EQ(::GetObjectType(opaque.Brush()), static_cast<DWORD>(OBJ_BRUSH));
    LOGBRUSH lb = {};
    ASSERT_EQ(::GetObjectA(opaque.Brush(), sizeof(lb), &lb), static_cast<int>(sizeof(lb)));
    EXPECT_EQ(lb.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(lb.lbColor, kOpaque);
    // Inside the outline the button shows its own colour, not the dialog's.
    const CPixelImage image = Capture(Item(IDC_OPAQUE));
    EXPECT_EQ(image.ColorRefAt(2, 2), kOpaque);
    EXPECT_EQ(CountColour(image, RECT{1, 1, image.m_nWidth - 1, image.m_nHeight - 1}, kDialogBackground), 0);
    // A transparent one holds the stock null brush.
    EXPECT_EQ(Button(IDC_PUSH).Brush(), static_cast<HBRUSH>(::GetStockObject(NULL_BRUSH)));
}

TEST_F(ButtonDialogTest, CaptionWithALineFeedIsDrawnAsLinesFromTheTop) {
    HWND hDlg = m_dlg.m_hWnd;
    auto inkRows = [&](int* top, int* bottom) {
        const CPixelImage image = Capture(Item(IDC_NOBORDER));
        *top = -1;
        *bottom = -1;
        for (int y = 0; y < image.m_nHeight; ++y)
            if (CountColour(image, RECT{0, y, image.m_nWidth, y + 1}, kDialogBackground) != image.m_nWidth) {
                if (*top < 0) *top = y;
                *bottom = y;
            }
        return image.m_nHeight;
    };
    int top1 = 0, bottom1 = 0, top2 = 0, bottom2 = 0;
    const int height = inkRows(&top1, &bottom1);
    ASSERT_GE(top1, 0);
    // One line is centred vertically.
    EXPECT_LE(std::abs(top1 - (height - 1 - bottom1)), 3) << top1 << " .. " << bottom1;

    // A new caption goes through WM_SETTEXT, which repaints the background
    // under it first: the old caption leaves nothing behind.
    Button(IDC_NOBORDER).SetWindowText("Upper\nLower");
    Pump(hDlg, 150);
    inkRows(&top2, &bottom2);
    // Not single-line: the text call does not centre it, it starts at the top
    // and its second line lies below the first.
    EXPECT_LT(top2, top1);
    EXPECT_LE(top2, 3);
    EXPECT_GT(bottom2 - top2, bottom1 - top1 + 4);

    Button(IDC_NOBORDER).SetWindowText("Plain");
    Pump(hDlg, 150);
    int top3 = 0, bottom3 = 0;
    inkRows(&top3, &bottom3);
    EXPECT_EQ(top3, top1);
    EXPECT_EQ(bottom3, bottom1);
}
