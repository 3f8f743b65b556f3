// The field skinners on real controls under a visible window: the pixels
// they leave (read back through the window DC right after a redraw, before
// the system has a chance to paint again) and the order in which their
// window procedures redraw and pass messages on. Each case holds the desktop
// input lock: some move the cursor, and all of them draw on the one display.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "skin/engine/FieldSkins.h"
#include "skin/engine/FlatDraw.h"
#include "skin/engine/SkinManager.h"
#include "tests/skin/engine/EngineTestSupport.h"
#include "tests/skin/engine/RealControlFixture.h"
#include "tests/support/WinePump.h"

namespace engine_test {

namespace {

const int kHostX = 40, kHostY = 40;

int WidthOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r.right - r.left;
}
int HeightOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return r.bottom - r.top;
}

class FieldSkinsTest : public RealControlFixture {
protected:
    FieldSkinsTest()
        : RealControlFixture(ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES, kHostX, kHostY, 420, 260) {}

    // An edit with a client edge and an up-down made right after it (so it
    // follows the edit in Z order) with the edit as buddy.
    void MakeEditAndSpin(DWORD spinStyle, HWND* phEdit, HWND* phSpin) {
        *phEdit = Child("Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 40, 20, 120, 24);
        *phSpin = Child(UPDOWN_CLASSA, spinStyle, 0, 0, 0, 17, 24);
        SendMessageA(*phSpin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(*phEdit), 0);
        ASSERT_EQ(GetWindow(*phEdit, GW_HWNDNEXT), *phSpin);
        ASSERT_EQ(reinterpret_cast<HWND>(SendMessageA(*phSpin, UDM_GETBUDDY, 0, 0)), *phEdit);
        scrivlo_test::PumpMessages(50);
    }
    static void SetHot(CControlSkin* p, bool bHot) {
        p->m_nState = static_cast<WORD>(bHot ? (p->m_nState | SKIN_HOT) : (p->m_nState & ~SKIN_HOT));
    }
    static bool IsHot(HWND h) {
        CControlSkin* p = CSkinManager::FindSkin(h);
        return p && (p->m_nState & SKIN_HOT) != 0;
    }
    void CursorOver(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        CursorTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }
};

}  // namespace

// The edit's frame reaches across an aligned up-down (its outline is open on
// that side), and the edit draws a line along the up-down's top (and down its
// left side when left-aligned) in highlight, or in face colour while the edit
// is disabled. The up-down itself is left unskinned here, so that what shows
// in its client area is the edit's drawing alone.
TEST_F(FieldSkinsTest, EditDrawsItsJointIntoAnAlignedUpDown) {
    struct Row {
        const char* label;
        DWORD spinStyle;
        bool bEnabled;
    } rows[] = {
        {"right-aligned, enabled edit", UDS_ALIGNRIGHT, true},
        {"right-aligned, disabled edit", UDS_ALIGNRIGHT, false},
        {"left-aligned, enabled edit", UDS_ALIGNLEFT, true},
        {"left-aligned, disabled edit", UDS_ALIGNLEFT, false},
    };
    const int e = GetSystemMetrics(SM_CXEDGE);
    for (const Row& r : rows) {
        HWND hEdit, hSpin;
        MakeEditAndSpin(r.spinStyle, &hEdit, &hSpin);
        EnableWindow(hEdit, r.bEnabled);
        ASSERT_TRUE(m_pManager->AttachSkin(hEdit, new CEditSkin)) << r.label;
        scrivlo_test::PumpMessages(50);
        FillWindow(hSpin, kSentinel);
        FillWindow(hEdit, kSentinel);
        CSkinManager::FindSkin(hEdit)->RedrawFrame();

        const int uw = WidthOf(hSpin), uh = HeightOf(hSpin);
        const int w = WidthOf(hEdit), h = HeightOf(hEdit);
        const int line = r.bEnabled ? COLOR_BTNHIGHLIGHT : COLOR_BTNFACE;
        const std::string up = std::string(r.label) + ", up-down";
        // The up-down overlaps the edit's border by a few columns; the edit
        // is above it in Z order, so there the up-down's window shows the
        // edit's own frame. Only the columns outside the overlap are probed.
        RECT rcEdit, rcSpin;
        GetWindowRect(hEdit, &rcEdit);
        GetWindowRect(hSpin, &rcSpin);
        const bool bLeft = (r.spinStyle & UDS_ALIGNLEFT) != 0;
        const int ov = bLeft ? rcSpin.right - rcEdit.left : rcEdit.right - rcSpin.left;
        ASSERT_GE(ov, 0) << r.label;
        ASSERT_LT(ov, uw - e - 2) << r.label;
        if (!bLeft) {
            // Row 1 from column 1 to uw - e - 1; nothing around it.
            const int x0 = ov > 1 ? ov : 1;
            ExpectPixels(hSpin, up,
                         {{x0, 1, line},
                          {uw - e - 1, 1, line},
                          {uw - e, 1, kKept},
                          {x0, 0, kKept},
                          {x0, 2, kKept},
                          {x0, uh / 2, kKept},
                          {uw / 2, uh / 2, kKept}});
        } else {
            // Row 1 and column 1 (down to row uh - e - 1); the overlap is at
            // the up-down's right.
            const int xEnd = uw - ov;  // first column of the overlap
            std::vector<Px> probes = {{0, 1, kKept},      {1, 0, kKept},
                                      {1, 1, line},       {uw - e - 1 < xEnd ? uw - e - 1 : xEnd - 1, 1, line},
                                      {1, 2, line},       {1, uh - e - 1, line},
                                      {1, uh - e, kKept}, {0, uh / 2, kKept},
                                      {2, uh / 2, kKept}, {2, 2, kKept}};
            if (uw - e < xEnd) probes.push_back({uw - e, 1, kKept});
            ExpectPixels(hSpin, up, probes);
        }
        // The edit's outline: the side toward the up-down is outside the
        // window, so only the top and bottom lines reach the edge there.
        const std::string ed = std::string(r.label) + ", edit";
        const int open = bLeft ? 0 : w - 1;
        const int shut = bLeft ? w - 1 : 0;
        const int openIn = bLeft ? 1 : w - 2;
        ExpectPixels(hEdit, ed,
                     {{open, 0, COLOR_3DDKSHADOW},
                      {open, h - 1, COLOR_3DDKSHADOW},
                      {open, h / 2, kKept},
                      {openIn, h / 2, kKept},
                      {shut, h / 2, COLOR_3DDKSHADOW},
                      {open, 1, COLOR_BTNHIGHLIGHT},
                      {w / 2, h / 2, kKept}});
        DestroyWindow(hSpin);
        DestroyWindow(hEdit);
    }
}

// The up-down's own frame (joined to a skinned buddy): two pixels off the
// buddy's side and off top and bottom, two flat arrow frames, and the joint
// lines while the buddy is not highlighted. A highlighted buddy leaves the
// joint lines undrawn, but the hot state still goes over to it.
TEST_F(FieldSkinsTest, UpDownJointLinesAndPropagationToItsBuddy) {
    struct Row {
        const char* label;
        DWORD spinStyle;
        bool bSpinHot;
        bool bBuddyHot;
    } rows[] = {
        {"right, both cold", UDS_ALIGNRIGHT, false, false},
        {"right, up-down hot", UDS_ALIGNRIGHT, true, false},
        {"right, buddy already hot, up-down hot", UDS_ALIGNRIGHT, true, true},
        {"right, buddy hot, up-down cold", UDS_ALIGNRIGHT, false, true},
        {"left, both cold", UDS_ALIGNLEFT, false, false},
        {"left, buddy hot", UDS_ALIGNLEFT, true, true},
    };
    for (const Row& r : rows) {
        HWND hEdit, hSpin;
        MakeEditAndSpin(r.spinStyle, &hEdit, &hSpin);
        ASSERT_TRUE(m_pManager->AttachSkin(hEdit, new CEditSkin));
        ASSERT_TRUE(m_pManager->AttachSkin(hSpin, new CSpinSkin));
        scrivlo_test::PumpMessages(50);
        CControlSkin* pSpin = CSkinManager::FindSkin(hSpin);
        CControlSkin* pEdit = CSkinManager::FindSkin(hEdit);
        SetHot(pSpin, r.bSpinHot);
        SetHot(pEdit, r.bBuddyHot);
        FillWindow(hSpin, kSentinel);
        pSpin->RedrawFrame();

        EXPECT_EQ(IsHot(hEdit), r.bSpinHot) << r.label << ": the buddy follows the up-down";
        const int W = WidthOf(hSpin), H = HeightOf(hSpin);
        const bool bLeft = (r.spinStyle & UDS_ALIGNLEFT) != 0;
        const int L = bLeft ? 2 : 0, R = bLeft ? W : W - 2, T = 2, B = H - 2;
        const int n = B - T;
        const int firstBottom = T + n / 2, secondTop = T + n / 2 + n % 2;
        const std::string ctx = r.label;
        // The arrow frames: shadow outline, face inner bevel.
        ExpectPixels(hSpin, ctx + ", arrows",
                     {{L, T, COLOR_BTNSHADOW},
                      {R - 1, firstBottom - 1, COLOR_BTNSHADOW},
                      {L + 1, T + 1, COLOR_BTNFACE},
                      {L, secondTop, COLOR_BTNSHADOW},
                      {R - 1, B - 1, COLOR_BTNSHADOW},
                      {R - 2, B - 2, COLOR_BTNFACE},
                      {(L + R) / 2, (T + firstBottom) / 2, kKept}});
        // The joint lines: drawn only while the buddy was not highlighted when
        // the up-down's redraw began. Row T - 1 is also where the edit draws
        // its own line when the propagation redraws it, so it is highlight
        // either way, and so is the left column of a left-aligned up-down
        // above row uh - e (the edit's left line); row B and the far column
        // below that line tell the two apart.
        const bool bJoint = !r.bBuddyHot;
        ExpectPixels(
            hSpin, ctx + ", joint",
            {{(L + R) / 2, T - 1, COLOR_BTNHIGHLIGHT},
             {(L + R) / 2, B, bJoint ? COLOR_BTNFACE : kKept},
             {bLeft ? L - 1 : R, H / 2, bLeft ? COLOR_BTNHIGHLIGHT : (bJoint ? COLOR_BTNFACE : kKept)},
             {bLeft ? L - 1 : R, B, bLeft ? (bJoint ? COLOR_BTNHIGHLIGHT : kKept) : (bJoint ? COLOR_BTNFACE : kKept)}});
        DestroyWindow(hSpin);
        DestroyWindow(hEdit);
    }
}

// Disabling a buddy edit redraws it and has its up-down repaint (a sent
// WM_PAINT) so the joint follows; an up-down next in Z order that is not the
// edit's is not asked. A disabled buddy no longer takes the hot state.
TEST_F(FieldSkinsTest, DisablingTheBuddyRepaintsItsUpDown) {
    HWND hEdit, hSpin;
    MakeEditAndSpin(UDS_ALIGNRIGHT, &hEdit, &hSpin);
    RecordMessagesOf(hEdit);
    RecordMessagesOf(hSpin);
    ASSERT_TRUE(m_pManager->AttachSkin(hEdit, new CRecorded<CEditSkin>));
    ASSERT_TRUE(m_pManager->AttachSkin(hSpin, new CRecorded<CSpinSkin>));
    scrivlo_test::PumpMessages(50);

    StartRecording();
    EnableWindow(hEdit, FALSE);
    StopRecording();
    EXPECT_TRUE(
        SequenceMatches({Proc(hEdit, WM_ENABLE, FALSE, 0), Frame(hEdit), Proc(hSpin, WM_PAINT, 0, 0), Frame(hSpin)},
                        nullptr, {WM_ENABLE, WM_PAINT}));

    // The up-down turns hot: the disabled edit stays as it is.
    CControlSkin* pSpin = CSkinManager::FindSkin(hSpin);
    SetHot(pSpin, true);
    StartRecording();
    pSpin->RedrawFrame();
    StopRecording();
    EXPECT_FALSE(IsHot(hEdit));
    EXPECT_TRUE(SequenceMatches({Frame(hSpin)}, nullptr, {WM_PAINT}));
    // Its joint line in the up-down shows the face colour once it draws.
    CSkinManager::FindSkin(hEdit)->RedrawFrame();
    const int uw = WidthOf(hSpin), e = GetSystemMetrics(SM_CXEDGE);
    EXPECT_EQ(ColorText(WindowPixel(hSpin, uw - e - 1, 1)), ColorText(GetSysColor(COLOR_BTNFACE)));

    // Enabled again: redrawn, the up-down repainted, and the hot state taken.
    StartRecording();
    EnableWindow(hEdit, TRUE);
    StopRecording();
    EXPECT_TRUE(SequenceMatches(
        {Proc(hEdit, WM_ENABLE, TRUE, 0), Frame(hEdit), Proc(hSpin, WM_PAINT, 0, 0), Frame(hSpin), Frame(hEdit)},
        nullptr, {WM_ENABLE, WM_PAINT}));
    EXPECT_TRUE(IsHot(hEdit));

    // An up-down whose buddy is another window sits next in Z order to a
    // second edit: disabling that edit sends it nothing.
    HWND hOther = Child("Edit", 0, WS_EX_CLIENTEDGE, 40, 120, 120, 24);
    HWND hStranger = Child(UPDOWN_CLASSA, 0, 0, 170, 120, 17, 24);
    SendMessageA(hStranger, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hEdit), 0);
    ASSERT_EQ(GetWindow(hOther, GW_HWNDNEXT), hStranger);
    RecordMessagesOf(hOther);
    RecordMessagesOf(hStranger);
    ASSERT_TRUE(m_pManager->AttachSkin(hOther, new CRecorded<CEditSkin>));
    StartRecording();
    EnableWindow(hOther, FALSE);
    StopRecording();
    EXPECT_TRUE(SequenceMatches({Proc(hOther, WM_ENABLE, FALSE, 0), Frame(hOther)}, nullptr, {WM_ENABLE, WM_PAINT}));
}

// An up-down without a buddy: the two arrow frames over its whole window (an
// odd size leaves the middle line undrawn), no joint lines, and its hot
// state handed to a skinned parent unless that parent is disabled.
TEST_F(FieldSkinsTest, UpDownWithoutBuddyFramesItsArrowsAndTellsItsParent) {
    struct Row {
        const char* label;
        DWORD style;
        int cx, cy;
    } rows[] = {
        {"vertical, even", 0, 16, 30},
        {"vertical, odd height", 0, 16, 31},
        {"horizontal, 11 wide", UDS_HORZ, 11, 16},
        {"horizontal, 12 wide", UDS_HORZ, 12, 16},
    };
    HWND hParent = Child(kProbeClass, WS_CLIPCHILDREN, WS_EX_CLIENTEDGE, 20, 20, 200, 80);
    ASSERT_TRUE(m_pManager->AttachSkin(hParent, new CBorderSkin));
    for (const Row& r : rows) {
        HWND hSpin = Child(UPDOWN_CLASSA, r.style, 0, 10, 10, r.cx, r.cy, hParent);
        ASSERT_EQ(SendMessageA(hSpin, UDM_GETBUDDY, 0, 0), 0) << r.label;
        ASSERT_TRUE(m_pManager->AttachSkin(hSpin, new CSpinSkin));
        scrivlo_test::PumpMessages(50);
        CControlSkin* pSpin = CSkinManager::FindSkin(hSpin);
        FillWindow(hSpin, kSentinel);
        SetHot(pSpin, true);
        pSpin->RedrawFrame();
        EXPECT_TRUE(IsHot(hParent)) << r.label;

        const int W = r.cx, H = r.cy;
        const bool bHorz = (r.style & UDS_HORZ) != 0;
        const int n = bHorz ? W : H;
        const int end1 = n / 2, start2 = n / 2 + n % 2;
        // Along the split: the first half's far outline, the second's near one.
        auto at = [&](int along, int across) { return bHorz ? Px{along, across, 0} : Px{across, along, 0}; };
        const int across = bHorz ? H : W;
        std::vector<Px> probes;
        probes.push_back({0, 0, COLOR_BTNSHADOW});
        probes.push_back({1, 1, COLOR_BTNFACE});
        probes.push_back({W - 1, H - 1, COLOR_BTNSHADOW});
        probes.push_back({W - 2, H - 2, COLOR_BTNFACE});
        Px p = at(end1 - 1, across - 1);
        p.nColor = COLOR_BTNSHADOW;
        probes.push_back(p);
        p = at(start2, 0);
        p.nColor = COLOR_BTNSHADOW;
        probes.push_back(p);
        p = at(end1 / 2, across / 2);
        p.nColor = kKept;
        probes.push_back(p);
        if (n % 2) {
            for (int c = 0; c < across; c += 3) {
                p = at(end1, c);
                p.nColor = kKept;
                probes.push_back(p);
            }
        }
        ExpectPixels(hSpin, r.label, probes);

        SetHot(pSpin, false);
        pSpin->RedrawFrame();
        EXPECT_FALSE(IsHot(hParent)) << r.label;
        DestroyWindow(hSpin);
    }

    // A disabled parent is left as it is.
    HWND hSpin = Child(UPDOWN_CLASSA, 0, 0, 10, 10, 16, 30, hParent);
    ASSERT_TRUE(m_pManager->AttachSkin(hSpin, new CSpinSkin));
    EnableWindow(hParent, FALSE);
    SetHot(CSkinManager::FindSkin(hSpin), true);
    CSkinManager::FindSkin(hSpin)->RedrawFrame();
    EXPECT_FALSE(IsHot(hParent));
}

// Two aligned up-downs that name each other as buddy: a redraw of one hands
// its hot state to the other once, and ends (rather than the two redrawing
// each other until the stack runs out).
TEST_F(FieldSkinsTest, UpDownsBuddiedToEachOtherPropagateOnce) {
    HWND hA = Child(UPDOWN_CLASSA, UDS_ALIGNRIGHT, 0, 20, 20, 17, 24);
    HWND hB = Child(UPDOWN_CLASSA, UDS_ALIGNRIGHT, 0, 120, 20, 17, 24);
    SendMessageA(hA, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hB), 0);
    SendMessageA(hB, UDM_SETBUDDY, reinterpret_cast<WPARAM>(hA), 0);
    ASSERT_EQ(reinterpret_cast<HWND>(SendMessageA(hA, UDM_GETBUDDY, 0, 0)), hB);
    ASSERT_EQ(reinterpret_cast<HWND>(SendMessageA(hB, UDM_GETBUDDY, 0, 0)), hA);
    RecordMessagesOf(hA);
    RecordMessagesOf(hB);
    ASSERT_TRUE(m_pManager->AttachSkin(hA, new CRecorded<CSpinSkin>));
    ASSERT_TRUE(m_pManager->AttachSkin(hB, new CRecorded<CSpinSkin>));
    scrivlo_test::PumpMessages(50);
    CControlSkin* pA = CSkinManager::FindSkin(hA);
    SetHot(pA, true);
    StartRecording();
    pA->RedrawFrame();
    StopRecording();
    EXPECT_TRUE(IsHot(hB));
    EXPECT_TRUE(IsHot(hA)) << "the inner redraw does not hand B's state back";
    EXPECT_TRUE(SequenceMatches({Frame(hA), Frame(hB)}, nullptr, {WM_PAINT}));
}

// The same through the hover poll with the real cursor: over the up-down
// child of a skinned date and time picker with DTS_UPDOWN, both turn hot;
// away from it, both turn cold.
TEST_F(FieldSkinsTest, HoverOverThePickersUpDownMakesThePickerHot) {
    HWND hPick = Child(DATETIMEPICK_CLASSA, DTS_UPDOWN, WS_EX_CLIENTEDGE, 20, 20, 160, 26);
    ASSERT_TRUE(m_pManager->SkinWindow(hPick));
    HWND hSpin = GetTopWindow(hPick);
    ASSERT_TRUE(hSpin);
    ASSERT_TRUE(CSkinManager::FindSkin(hSpin)) << "the picker's up-down is skinned with it";
    scrivlo_test::PumpMessages(50);
    CursorOver(hSpin);
    ASSERT_EQ(WindowFromPoint([] {
                  POINT p;
                  GetCursorPos(&p);
                  return p;
              }()),
              hSpin);
    m_pManager->TrackHover();
    EXPECT_EQ(CSkinManager::m_hHoverWnd, hSpin);
    EXPECT_TRUE(IsHot(hSpin));
    EXPECT_TRUE(IsHot(hPick)) << "propagated from the up-down to its skinned parent";

    CursorTo(kHostX + 300, kHostY + 200);
    m_pManager->TrackHover();
    EXPECT_FALSE(IsHot(hSpin));
    EXPECT_FALSE(IsHot(hPick));
}

// The drop button of a drop-down combo box: the flat button frame while it
// is enabled, hot or not, raised or not; all four lines in face colour while
// it is disabled. The picker without DTS_UPDOWN draws the same button; with
// DTS_UPDOWN it draws none (its up-down child is not skinned here, so what
// shows there is left untouched).
TEST_F(FieldSkinsTest, DropButtonFrames) {
    struct Row {
        const char* label;
        const char* cls;
        DWORD style;
        bool bEnabled, bHot, bRaised;
        bool bButton;
        int outerTopLeft, outerBottomRight, inner;
    } rows[] = {
        {"combo enabled", WC_COMBOBOXA, CBS_DROPDOWN, true, false, false, true, COLOR_BTNSHADOW, COLOR_BTNSHADOW,
         COLOR_BTNFACE},
        {"combo enabled, hot", WC_COMBOBOXA, CBS_DROPDOWN, true, true, false, true, COLOR_BTNSHADOW, COLOR_BTNSHADOW,
         COLOR_BTNFACE},
        {"combo enabled, raised", WC_COMBOBOXA, CBS_DROPDOWNLIST, true, false, true, true, COLOR_BTNHIGHLIGHT,
         COLOR_BTNSHADOW, COLOR_BTNFACE},
        {"combo disabled", WC_COMBOBOXA, CBS_DROPDOWN, false, false, false, true, COLOR_BTNFACE, COLOR_BTNFACE,
         COLOR_BTNFACE},
        {"combo disabled, hot, raised", WC_COMBOBOXA, CBS_DROPDOWN, false, true, true, true, COLOR_BTNFACE,
         COLOR_BTNFACE, COLOR_BTNFACE},
        {"picker", DATETIMEPICK_CLASSA, 0, true, false, false, true, COLOR_BTNSHADOW, COLOR_BTNSHADOW, COLOR_BTNFACE},
        {"picker disabled", DATETIMEPICK_CLASSA, 0, false, false, false, true, COLOR_BTNFACE, COLOR_BTNFACE,
         COLOR_BTNFACE},
        {"picker with DTS_UPDOWN", DATETIMEPICK_CLASSA, DTS_UPDOWN, true, false, false, false, kKept, kKept, kKept},
    };
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    for (const Row& r : rows) {
        const bool bPicker = lstrcmpA(r.cls, DATETIMEPICK_CLASSA) == 0;
        HWND h = Child(r.cls, r.style, WS_EX_CLIENTEDGE, 20, 20, 160, bPicker ? 26 : 200);
        EnableWindow(h, r.bEnabled);
        CSkinManager::m_bRaisedButtons = r.bRaised;
        CControlSkin* p = bPicker ? static_cast<CControlSkin*>(new CDateTimeSkin) : new CComboSkin;
        ASSERT_TRUE(m_pManager->AttachSkin(h, p)) << r.label;
        scrivlo_test::PumpMessages(50);
        SetHot(p, r.bHot);
        FillWindow(h, kSentinel);
        p->RedrawFrame();

        const int W = WidthOf(h), H = HeightOf(h);
        // Inside the flat edge (and the one-pixel border some controls keep
        // outside their client edge), the button against the right side.
        RECT rw;
        GetWindowRect(h, &rw);
        POINT org = {0, 0};
        ClientToScreen(h, &org);
        const int in = (org.x == rw.left + 3) ? 1 : 0;
        const int bl = W - 2 - in - arrow, bt = 2 + in, br = W - 2 - in, bb = H - 2 - in;
        ExpectPixels(h, std::string(r.label) + ", flat edge",
                     {{in, in, COLOR_3DDKSHADOW}, {W - 1 - in, H - 1 - in, COLOR_3DDKSHADOW}});
        ExpectPixels(h, std::string(r.label) + ", drop button",
                     {{bl, bt, r.outerTopLeft},
                      {bl, (bt + bb) / 2, r.outerTopLeft},
                      {br - 1, bt, r.outerBottomRight},
                      {br - 1, bb - 1, r.outerBottomRight},
                      {bl, bb - 1, r.outerBottomRight},
                      {bl + 1, bt + 1, r.inner},
                      {br - 2, bb - 2, r.inner},
                      {(bl + br) / 2, (bt + bb) / 2, kKept}});
        if (!r.bButton) {
            EXPECT_TRUE(CSkinManager::FindSkin(GetTopWindow(h)) == nullptr);
        }
        DestroyWindow(h);
        CSkinManager::m_bRaisedButtons = FALSE;
    }
}

// When the kinds redraw relative to the message they pass on: the combo box
// and the picker redraw first for its edit gaining the focus and for a
// button-up whose lParam is all ones, and only then; the IP address control
// for a field gaining or losing the focus; the edit after WM_ENABLE.
TEST_F(FieldSkinsTest, RedrawOrderAroundPassedOnMessages) {
    enum KindId { COMBO, DATETIME, IPADDRESS, EDIT, BORDER, SPIN };
    struct Row {
        const char* label;
        KindId nKind;
        UINT message;
        WPARAM wParam;
        LPARAM lParam;
        int nFrame;  // -1: no redraw; 0: redraw before the message; 1: after it
    } rows[] = {
        {"combo, button up, lParam all ones", COMBO, WM_LBUTTONUP, 0, static_cast<LPARAM>(0xFFFFFFFF), 0},
        {"combo, button up at (5, 5)", COMBO, WM_LBUTTONUP, 0, MAKELPARAM(5, 5), -1},
        {"combo, button up, lParam 0xFFFF", COMBO, WM_LBUTTONUP, 0, 0xFFFF, -1},
        {"combo, edit gains the focus", COMBO, WM_COMMAND, MAKEWPARAM(1001, EN_SETFOCUS), 0, 0},
        {"combo, edit loses the focus", COMBO, WM_COMMAND, MAKEWPARAM(1001, EN_KILLFOCUS), 0, -1},
        {"combo, own focus", COMBO, WM_SETFOCUS, 0, 0, 0},
        {"combo, paint", COMBO, WM_PAINT, 0, 0, 1},
        {"picker, button up, lParam all ones", DATETIME, WM_LBUTTONUP, 0, static_cast<LPARAM>(0xFFFFFFFF), 0},
        {"picker, button up at (5, 5)", DATETIME, WM_LBUTTONUP, 0, MAKELPARAM(5, 5), -1},
        {"picker, field gains the focus", DATETIME, WM_COMMAND, MAKEWPARAM(1, EN_SETFOCUS), 0, 0},
        {"IP address, field gains the focus", IPADDRESS, WM_COMMAND, MAKEWPARAM(2, EN_SETFOCUS), 0, 0},
        {"IP address, field loses the focus", IPADDRESS, WM_COMMAND, MAKEWPARAM(2, EN_KILLFOCUS), 0, 0},
        {"IP address, field changed", IPADDRESS, WM_COMMAND, MAKEWPARAM(2, EN_CHANGE), 0, -1},
        {"IP address, size", IPADDRESS, WM_SIZE, 0, MAKELPARAM(120, 24), 1},
        {"IP address, button up all ones", IPADDRESS, WM_LBUTTONUP, 0, static_cast<LPARAM>(0xFFFFFFFF), -1},
        {"edit, enable", EDIT, WM_ENABLE, TRUE, 0, 1},
        {"edit, field command", EDIT, WM_COMMAND, MAKEWPARAM(2, EN_SETFOCUS), 0, -1},
        {"border, command", BORDER, WM_COMMAND, MAKEWPARAM(2, EN_SETFOCUS), 0, -1},
        {"border, button up all ones", BORDER, WM_LBUTTONUP, 0, static_cast<LPARAM>(0xFFFFFFFF), -1},
        {"up-down, paint", SPIN, WM_PAINT, 0, 0, 1},
    };
    for (const Row& r : rows) {
        HWND h = CreateProbe(m_hHost, WS_CHILD | WS_VISIBLE, WS_EX_CLIENTEDGE, 10, 10, 120, 24);
        CControlSkin* p = nullptr;
        switch (r.nKind) {
        case COMBO: p = new CRecorded<CComboSkin>; break;
        case DATETIME: p = new CRecorded<CDateTimeSkin>; break;
        case IPADDRESS: p = new CRecorded<CIPAddressSkin>; break;
        case EDIT: p = new CRecorded<CEditSkin>; break;
        case BORDER: p = new CRecorded<CBorderSkin>; break;
        case SPIN: p = new CRecorded<CSpinSkin>; break;
        }
        ASSERT_TRUE(m_pManager->AttachSkin(h, p)) << r.label;
        scrivlo_test::PumpMessages(20);
        StartRecording();
        SendMessageA(h, r.message, r.wParam, r.lParam);
        StopRecording();
        std::vector<SeqEntry> expected;
        if (r.nFrame == 0) expected.push_back(Frame(h));
        expected.push_back(Proc(h, r.message, r.wParam, r.lParam));
        if (r.nFrame == 1) expected.push_back(Frame(h));
        EXPECT_TRUE(SequenceMatches(expected, h, {r.message})) << r.label;
        DestroyWindow(h);
    }
}

// A list box with its own vertical scroll bar: the flat edge, then the flat
// button frame on the bar's two arrows and on its thumb (at the top of the
// track, then at its bottom), the track itself left alone.
TEST_F(FieldSkinsTest, ListBoxFramesItsOwnScrollBar) {
    HWND hList = Child(WC_LISTBOXA, WS_VSCROLL | LBS_NOINTEGRALHEIGHT, WS_EX_CLIENTEDGE, 20, 20, 140, 160);
    for (int i = 0; i < 40; ++i) SendMessageA(hList, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("item"));
    ASSERT_TRUE(m_pManager->AttachSkin(hList, new CBorderSkin));
    const int W = WidthOf(hList), H = HeightOf(hList);
    const int e = GetSystemMetrics(SM_CXEDGE), s = GetSystemMetrics(SM_CXHSCROLL);
    const int bl = W - s - e, br = W - e, bt = e, bb = H - e;  // the bar inside the frame

    struct Row {
        const char* label;
        int nTopIndex;  // 0: thumb at the top; -1: at the bottom
    } rows[] = {{"scrolled to the top", 0}, {"scrolled to the bottom", -1}};
    for (const Row& r : rows) {
        SendMessageA(hList, LB_SETTOPINDEX, r.nTopIndex < 0 ? 39 : 0, 0);
        scrivlo_test::PumpMessages(50);
        SCROLLINFO si = {sizeof(si), SIF_ALL, 0, 0, 0, 0, 0};
        GetScrollInfo(hList, SB_VERT, &si);
        ASSERT_GT(si.nPage, 0u) << r.label;
        ASSERT_LT(static_cast<int>(si.nPage) * 3, si.nMax - si.nMin + 1)
            << r.label << ": a thumb well short of the track";
        FillWindow(hList, kSentinel);
        CSkinManager::FindSkin(hList)->RedrawFrame();

        std::vector<Px> probes = {
            {0, 0, COLOR_3DDKSHADOW},
            {W - 1, H - 1, COLOR_3DDKSHADOW},
            {1, 1, COLOR_BTNHIGHLIGHT},
            // The two arrows.
            {bl, bt, COLOR_BTNSHADOW},
            {br - 1, bt + s - 1, COLOR_BTNSHADOW},
            {bl + 1, bt + 1, COLOR_BTNFACE},
            {bl, bb - s, COLOR_BTNSHADOW},
            {br - 1, bb - 1, COLOR_BTNSHADOW},
            {br - 2, bb - 2, COLOR_BTNFACE},
        };
        if (r.nTopIndex == 0) {
            // The thumb starts right below the first arrow; the far end of
            // the track is not drawn.
            probes.push_back({bl, bt + s, COLOR_BTNSHADOW});
            probes.push_back({bl + 1, bt + s + 1, COLOR_BTNFACE});
            probes.push_back({(bl + br) / 2, bb - s - 2, kKept});
        } else {
            // The thumb ends right above the second arrow.
            probes.push_back({br - 1, bb - s - 1, COLOR_BTNSHADOW});
            probes.push_back({br - 2, bb - s - 2, COLOR_BTNFACE});
            probes.push_back({(bl + br) / 2, bt + s + 2, kKept});
        }
        // The list's own client area is not drawn.
        probes.push_back({bl / 2, H / 2, kKept});
        ExpectPixels(hList, r.label, probes);
    }
}

// A real IP address control: its frame is redrawn before it hears that one of
// its fields gained or lost the focus, and not for the other notifications
// its fields send while text is typed.
TEST_F(FieldSkinsTest, IPAddressRedrawsAsItsFieldsTakeTheFocus) {
    HWND hIP = Child(WC_IPADDRESSA, 0, WS_EX_CLIENTEDGE, 20, 20, 150, 24);
    std::vector<HWND> fields;
    for (HWND h = GetTopWindow(hIP); h; h = GetWindow(h, GW_HWNDNEXT)) fields.push_back(h);
    ASSERT_GE(fields.size(), 2u);
    RecordMessagesOf(hIP);
    ASSERT_TRUE(m_pManager->AttachSkin(hIP, new CRecorded<CIPAddressSkin>));
    SetForegroundWindow(m_hHost);
    ASSERT_TRUE(scrivlo_test::WaitUntil([&] { return GetForegroundWindow() == m_hHost; }, 2000));
    SetFocus(nullptr);
    scrivlo_test::PumpMessages(50);

    auto command = [&](HWND hField, WORD code) {
        return Proc(hIP, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hField), code), reinterpret_cast<LPARAM>(hField));
    };
    StartRecording();
    SetFocus(fields[0]);
    StopRecording();
    EXPECT_TRUE(SequenceMatches({Frame(hIP), command(fields[0], EN_SETFOCUS)}, hIP, {WM_COMMAND}))
        << "focus into the first field";

    StartRecording();
    SetFocus(fields[1]);
    StopRecording();
    EXPECT_TRUE(SequenceMatches(
        {Frame(hIP), command(fields[0], EN_KILLFOCUS), Frame(hIP), command(fields[1], EN_SETFOCUS)}, hIP, {WM_COMMAND}))
        << "focus from the first field to the second";

    // Typing into the field: change notifications pass without a redraw.
    StartRecording();
    SendMessageA(fields[1], WM_CHAR, '7', 0);
    StopRecording();
    std::vector<SeqEntry> changes;
    for (const SeqEntry& e : Sequence()) {
        if (e.hWnd == hIP && e.nSource == SRC_PROC && e.message == WM_COMMAND) changes.push_back(e);
    }
    ASSERT_FALSE(changes.empty()) << "the field told the control about the typed digit";
    for (SeqEntry& e : changes) e.bCheckParams = false;
    EXPECT_TRUE(SequenceMatches(changes, hIP, {WM_COMMAND})) << "no redraw for EN_CHANGE / EN_UPDATE";
}

// The edit of a simple combo box frames itself in the combo box's window DC,
// three pixels outside the edit; the combo box itself is not skinned.
TEST_F(FieldSkinsTest, SimpleComboEditFramesInsideTheComboBox) {
    HWND hCombo = Child(WC_COMBOBOXA, CBS_SIMPLE, 0, 20, 20, 150, 120);
    HWND hEdit = GetTopWindow(hCombo);
    while (hEdit) {
        char cls[16] = {0};
        GetClassNameA(hEdit, cls, sizeof(cls));
        if (lstrcmpiA(cls, "Edit") == 0) break;
        hEdit = GetWindow(hEdit, GW_HWNDNEXT);
    }
    ASSERT_TRUE(hEdit);
    EXPECT_FALSE(m_pManager->SkinWindow(hCombo)) << "the simple combo box itself";
    ASSERT_TRUE(CSkinManager::FindSkin(hEdit)) << "its edit";
    EXPECT_FALSE(CSkinManager::FindSkin(hCombo));
    scrivlo_test::PumpMessages(50);
    FillWindow(hCombo, kSentinel);
    CSkinManager::FindSkin(hEdit)->RedrawFrame();
    const int w = WidthOf(hEdit) + 6, h = HeightOf(hEdit) + 6;
    ExpectPixels(hCombo, "combo box around its edit",
                 {{0, 0, COLOR_3DDKSHADOW},
                  {w - 1, 0, COLOR_3DDKSHADOW},
                  {0, h - 1, COLOR_3DDKSHADOW},
                  {w - 1, h - 1, COLOR_3DDKSHADOW},
                  {1, 1, COLOR_BTNHIGHLIGHT},
                  {w - 2, h - 2, COLOR_BTNHIGHLIGHT},
                  {w / 2, h, kKept}});
}

}  // namespace engine_test
