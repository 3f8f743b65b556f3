// The skin manager with the engine's own kinds of skinner on real dialogs,
// installed as the application installs it (flat buttons with shadow
// outlines, the calling thread, dialog mode): which children the sweep and
// the dispatcher give which skinner, controls created later, no window
// skinned twice, the flat frames left on the screen after the system has
// painted, the hover mark moved by the real 100 ms timer while the cursor is
// moved with SetCursorPos, and modal dialogs run by the system's own loop.
// Every case shows windows and some move the cursor: each holds the desktop
// input lock.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <typeinfo>
#include <vector>

#include "skin/engine/BarSkins.h"
#include "skin/engine/ControlSkin.h"
#include "skin/engine/DialogHook.h"
#include "skin/engine/FieldSkins.h"
#include "skin/engine/SkinManager.h"
#include "tests/skin/engine/EngineTestSupport.h"
#include "tests/skin/engine/SweptDialogRes.h"
#include "tests/support/WinePump.h"

namespace engine_test {

namespace {

const int kDlgX = 40, kDlgY = 40;
const DWORD kCurrentThread = static_cast<DWORD>(-1);

// Creation parameter bits of the swept dialog.
const LPARAM kWithNested = 1;  // WM_INITDIALOG creates the nested dialog
const LPARAM kModalRun = 2;    // WM_INITDIALOG starts the modal script

// What the dialog procedure saw in its own WM_INITDIALOG, which the hook
// has handled already by then.
struct InitSeen {
    bool bSeen;
    bool bEditSkinned;   // the edit with a client edge had its skinner
    bool bDialogHooked;  // the dialog's procedure was the manager's thunk
    UINT_PTR nTimer;     // the manager's hover timer
};
InitSeen g_init;

// The modal script: the cursor is put over the edit, then the dialog waits
// (in the system's modal loop, which dispatches the engine's thread timer)
// until the hover poll has made the edit hot.
const UINT_PTR kStepTimer = 7;
struct ModalScript {
    DWORD dwStart;
    int nPhase;
    UINT_PTR nTimerWhileOpen;
};
ModalScript g_modal;

void CursorToCentre(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
}

INT_PTR CALLBACK SweptDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_INITDIALOG:
        if (!GetDlgItem(hDlg, IDC_S_EDIT_EDGE)) return TRUE;  // the nested dialog
        g_init.bSeen = true;
        g_init.bEditSkinned = CSkinManager::FindSkin(GetDlgItem(hDlg, IDC_S_EDIT_EDGE)) != nullptr;
        g_init.bDialogHooked =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hDlg, GWLP_WNDPROC)) == &CSkinManager::DialogWndProc;
        g_init.nTimer = CSkinManager::GetInstance()->m_nTimerID;
        SetWindowPos(hDlg, HWND_TOP, kDlgX, kDlgY, 0, 0, SWP_NOSIZE);
        if (lParam & kWithNested) {
            HWND hNested = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SWEPT_NESTED), hDlg,
                                              &SweptDlgProc, 0);
            RECT r = {150, 140, 0, 0};
            MapDialogRect(hDlg, &r);
            SetWindowPos(hNested, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        }
        if (lParam & kModalRun) {
            g_modal.dwStart = GetTickCount();
            g_modal.nPhase = 0;
            g_modal.nTimerWhileOpen = 0;
            SetTimer(hDlg, kStepTimer, 50, nullptr);
        }
        return TRUE;
    case WM_TIMER:
        if (wParam != kStepTimer) return FALSE;
        g_modal.nTimerWhileOpen = CSkinManager::GetInstance()->m_nTimerID;
        if (g_modal.nPhase == 0) {
            if (IsWindowVisible(hDlg)) {
                CursorToCentre(GetDlgItem(hDlg, IDC_S_EDIT_EDGE));
                g_modal.nPhase = 1;
            }
        } else if (CSkinManager::m_hHoverWnd == GetDlgItem(hDlg, IDC_S_EDIT_EDGE)) {
            KillTimer(hDlg, kStepTimer);
            EndDialog(hDlg, 1);
        }
        if (scrivlo_test::ElapsedSince(g_modal.dwStart) > 5000) {
            KillTimer(hDlg, kStepTimer);
            EndDialog(hDlg, 2);  // the edit never became hot
        }
        return TRUE;
    }
    return FALSE;
}

// The exact kind of skinner a window has, by class name; "none" when it is
// not skinned.
std::string SkinTypeOf(HWND h) {
    CControlSkin* p = CSkinManager::FindSkin(h);
    if (!p) return "none";
    const std::type_info& t = typeid(*p);
    if (t == typeid(CBorderSkin)) return "CBorderSkin";
    if (t == typeid(CIPAddressSkin)) return "CIPAddressSkin";
    if (t == typeid(CEditSkin)) return "CEditSkin";
    if (t == typeid(CComboEditSkin)) return "CComboEditSkin";
    if (t == typeid(CComboSkin)) return "CComboSkin";
    if (t == typeid(CDateTimeSkin)) return "CDateTimeSkin";
    if (t == typeid(CSpinSkin)) return "CSpinSkin";
    if (t == typeid(CScrollBarSkin)) return "CScrollBarSkin";
    if (t == typeid(CTrackBarSkin)) return "CTrackBarSkin";
    if (t == typeid(CHeaderSkin)) return "CHeaderSkin";
    if (t == typeid(CToolBarSkin)) return "CToolBarSkin";
    return t.name();
}

WNDPROC ProcOf(HWND h) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(h, GWLP_WNDPROC)); }

// Every skinned window has the thunk as its procedure and a previous
// procedure that is not the thunk (a window skinned twice would have the
// thunk behind the thunk and call itself without end); likewise for the
// dialogs. Each skinner names its own window.
::testing::AssertionResult SubclassChainsAreSingle() {
    POSITION pos = CSkinManager::m_mapControls.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        CSkinManager::m_mapControls.GetNextAssoc(pos, pKey, pValue);
        HWND h = static_cast<HWND>(pKey);
        auto* pSkin = static_cast<CControlSkin*>(pValue);
        if (!pSkin || pSkin->m_hWnd != h)
            return ::testing::AssertionFailure() << "control " << h << " maps to a skinner of another window";
        if (ProcOf(h) != &CSkinManager::ControlWndProc)
            return ::testing::AssertionFailure() << "control " << h << " lost the thunk";
        if (!pSkin->m_pfnOldProc || pSkin->m_pfnOldProc == &CSkinManager::ControlWndProc)
            return ::testing::AssertionFailure() << "control " << h << " is skinned twice";
    }
    pos = CSkinManager::m_mapDialogs.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        CSkinManager::m_mapDialogs.GetNextAssoc(pos, pKey, pValue);
        HWND h = static_cast<HWND>(pKey);
        auto* pHook = static_cast<CDialogHook*>(pValue);
        if (!pHook || pHook->m_hWnd != h)
            return ::testing::AssertionFailure() << "dialog " << h << " maps to another window's record";
        if (ProcOf(h) != &CSkinManager::DialogWndProc)
            return ::testing::AssertionFailure() << "dialog " << h << " lost the thunk";
        if (!pHook->m_pfnOldProc || pHook->m_pfnOldProc == &CSkinManager::DialogWndProc)
            return ::testing::AssertionFailure() << "dialog " << h << " is hooked twice";
    }
    return ::testing::AssertionSuccess();
}

// The hot marks: at most one skinner is hot, and it is the hover window.
::testing::AssertionResult HotMarkIsOnlyOn(HWND hExpected) {
    if (CSkinManager::m_hHoverWnd != hExpected)
        return ::testing::AssertionFailure()
               << "hover window " << CSkinManager::m_hHoverWnd << ", expected " << hExpected;
    POSITION pos = CSkinManager::m_mapControls.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        CSkinManager::m_mapControls.GetNextAssoc(pos, pKey, pValue);
        const bool bHot = (static_cast<CControlSkin*>(pValue)->m_nState & SKIN_HOT) != 0;
        if (bHot != (pKey == hExpected))
            return ::testing::AssertionFailure() << "control " << pKey << (bHot ? " is hot" : " is not hot");
    }
    return ::testing::AssertionSuccess();
}

class SweptDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
        UseTestPalette();
        g_init = InitSeen();
        m_pManager = CSkinManager::GetInstance();
        // Away from every dialog, so no control starts hot.
        SetCursorPos(kDlgX + 700, kDlgY + 500);
    }
    void TearDown() override {
        if (!SubclassChainsAreSingle()) {
            // A window whose thunk calls itself cannot be destroyed: every
            // message to it recurses until the stack runs out, and under Wine
            // a program dying that way may still end with status 0. End the
            // program here with a failure status instead.
            std::fprintf(stderr, "a doubled subclass chain is left: ending the program\n");
            std::fflush(stdout);
            std::fflush(stderr);
            TerminateProcess(GetCurrentProcess(), 1);
        }
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
            if (IsWindow(*it)) DestroyWindow(*it);
        }
        ResetEngine();
        scrivlo_test::PumpMessages(0);
    }
    HWND Keep(HWND h) {
        m_windows.push_back(h);
        return h;
    }
    // The swept dialog, modeless, shown at (kDlgX, kDlgY) once the system
    // has painted it.
    HWND OpenSwept(LPARAM lParam = 0) {
        HWND hDlg = Keep(
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SWEPT), nullptr, &SweptDlgProc, lParam));
        EXPECT_TRUE(hDlg);
        if (!hDlg) return nullptr;
        ShowWindow(hDlg, SW_SHOW);
        UpdateWindow(hDlg);
        scrivlo_test::WaitUntil([&] { return IsWindowVisible(hDlg) != 0; }, 1000);
        scrivlo_test::PumpMessages(150);
        return hDlg;
    }
    void CursorTo(int x, int y) { scrivlo_test::MoveCursorTo(x, y); }
    void CursorOver(HWND h) {
        RECT r;
        GetWindowRect(h, &r);
        CursorTo((r.left + r.right) / 2, (r.top + r.bottom) / 2);
    }

    CSkinManager* m_pManager = nullptr;
    std::vector<HWND> m_windows;
};

}  // namespace

TEST_F(SweptDialogTest, SweepGivesEachChildItsKindAndNestedDialogsTheirOwnSweep) {
    m_pManager->Install(0, kCurrentThread, SKIN_MODE_DIALOG);
    HWND hDlg = OpenSwept(kWithNested);
    ASSERT_TRUE(hDlg);

    // The sweep ran in the hook, before the dialog's own WM_INITDIALOG.
    ASSERT_TRUE(g_init.bSeen);
    EXPECT_TRUE(g_init.bEditSkinned) << "the dialog procedure saw its edit unskinned";
    EXPECT_TRUE(g_init.bDialogHooked) << "the dialog procedure saw its dialog unhooked";
    EXPECT_NE(g_init.nTimer, 0u) << "the first attach starts the hover timer";

    struct Row {
        int nId;
        const char* label;
        const char* type;
    } rows[] = {
        {IDC_S_EDIT_EDGE, "edit with a client edge", "CEditSkin"},
        {IDC_S_EDIT_PLAIN, "edit without a client edge", "none"},
        {IDC_S_COMBO_SIMPLE, "simple combo box itself", "none"},
        {IDC_S_COMBO_DROP, "drop-down combo box", "CComboSkin"},
        {IDC_S_COMBO_LIST, "drop-down list combo box", "CComboSkin"},
        {IDC_S_BUTTON, "push button with a client edge", "none"},
        {IDC_S_CHECK, "check box", "none"},
        {IDC_S_RADIO, "radio button", "none"},
        {IDC_S_STATIC, "static with a client edge", "none"},
        {IDC_S_TAB, "tab control with a client edge", "none"},
        {IDC_S_LIST_EDGE, "list box with a client edge", "CBorderSkin"},
        {IDC_S_LIST_PLAIN, "list box without a client edge", "none"},
        {IDC_S_SCROLL, "vertical scroll bar", "CScrollBarSkin"},
        {IDC_S_GRIP, "size grip", "none"},
        {IDC_S_TRACK, "trackbar", "CTrackBarSkin"},
    };
    int nSkinned = 0;
    for (const Row& r : rows) {
        HWND h = GetDlgItem(hDlg, r.nId);
        ASSERT_TRUE(h) << r.label;
        EXPECT_EQ(SkinTypeOf(h), r.type) << r.label;
        nSkinned += std::string(r.type) != "none";
        if (CControlSkin* p = CSkinManager::FindSkin(h)) {
            EXPECT_EQ(p->m_bRaised, FALSE) << r.label;
        }
    }

    // Composite controls: the simple combo box's edit and list are skinned
    // through it, the drop-down combo box's own edit is not.
    HWND hSimple = GetDlgItem(hDlg, IDC_S_COMBO_SIMPLE);
    HWND hSimpleEdit = ChildOfClass(hSimple, "Edit");
    HWND hSimpleList = ChildOfClass(hSimple, "ComboLBox");
    ASSERT_TRUE(hSimpleEdit && hSimpleList);
    EXPECT_EQ(SkinTypeOf(hSimpleEdit), "CComboEditSkin");
    EXPECT_EQ(SkinTypeOf(hSimpleList), HasClientEdge(hSimpleList) ? "CBorderSkin" : "none");
    nSkinned += 1 + HasClientEdge(hSimpleList);
    HWND hDropEdit = ChildOfClass(GetDlgItem(hDlg, IDC_S_COMBO_DROP), "Edit");
    ASSERT_TRUE(hDropEdit);
    EXPECT_EQ(SkinTypeOf(hDropEdit), "none") << "an edit of a drop-down combo box without a client edge";

    // The nested dialog, created in the outer dialog's WM_INITDIALOG: never a
    // control itself, hooked and swept by its own WM_INITDIALOG.
    HWND hNested = ChildOfClass(hDlg, "#32770");
    ASSERT_TRUE(hNested);
    EXPECT_EQ(SkinTypeOf(hNested), "none");
    EXPECT_EQ(ProcOf(hNested), &CSkinManager::DialogWndProc);
    EXPECT_EQ(SkinTypeOf(GetDlgItem(hNested, IDC_S_NESTED_EDIT)), "CEditSkin");
    ++nSkinned;

    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), nSkinned);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 2);
    ASSERT_TRUE(SubclassChainsAreSingle()) << "a message through a doubled chain would never return";

    // The controls still work through the thunks.
    HWND hEdit = GetDlgItem(hDlg, IDC_S_EDIT_EDGE);
    SetWindowTextA(hEdit, "typed");
    EXPECT_EQ(GetWindowTextLengthA(hEdit), 5);
    SendMessageA(hSimple, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>("one"));
    EXPECT_EQ(SendMessageA(hSimple, CB_GETCOUNT, 0, 0), 1);
    SendMessageA(GetDlgItem(hDlg, IDC_S_SCROLL), SBM_SETRANGE, 0, 50);
    SendMessageA(GetDlgItem(hDlg, IDC_S_SCROLL), SBM_SETPOS, 20, TRUE);
    EXPECT_EQ(SendMessageA(GetDlgItem(hDlg, IDC_S_SCROLL), SBM_GETPOS, 0, 0), 20);

    // Closing the dialog removes every skinner and both records, and with the
    // last control the hover timer stops.
    DestroyWindow(hDlg);
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), 0);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 0);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
    EXPECT_NE(ProcOf(hDlg), &CSkinManager::DialogWndProc);
}

TEST_F(SweptDialogTest, ControlsCreatedLaterAreSkinnedOnceEach) {
    m_pManager->Install(0, kCurrentThread, SKIN_MODE_DIALOG);
    HWND hDlg = OpenSwept();
    ASSERT_TRUE(hDlg);
    const int nSwept = CSkinManager::m_mapControls.GetCount();
    ASSERT_GT(nSwept, 0);
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    auto make = [&](DWORD exStyle, const char* cls, DWORD style, int x, int y, int cx, int cy) {
        return CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy, hDlg, nullptr, hInst,
                               nullptr);
    };
    HWND hEdit = make(WS_EX_CLIENTEDGE, "Edit", 0, 10, 250, 80, 22);
    HWND hQuiet = make(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, "Edit", 0, 100, 250, 80, 22);
    HWND hButton = make(WS_EX_CLIENTEDGE, "Button", BS_PUSHBUTTON, 190, 250, 60, 22);
    HWND hSimple = make(0, "ComboBox", CBS_SIMPLE, 260, 200, 100, 70);
    ASSERT_TRUE(hEdit && hQuiet && hButton && hSimple);
    HWND hSimpleEdit = ChildOfClass(hSimple, "Edit");
    HWND hSimpleList = ChildOfClass(hSimple, "ComboLBox");
    ASSERT_TRUE(hSimpleEdit && hSimpleList);

    struct Row {
        HWND h;
        const char* label;
        const char* type;
    } rows[] = {
        {hEdit, "edit with a client edge", "CEditSkin"},
        {hQuiet, "edit made with WS_EX_NOPARENTNOTIFY", "none"},
        {hButton, "push button", "none"},
        {hSimple, "simple combo box", "none"},
        {hSimpleEdit, "its edit", "CComboEditSkin"},
        {hSimpleList, "its list", HasClientEdge(hSimpleList) ? "CBorderSkin" : "none"},
    };
    int nLater = 0;
    for (const Row& r : rows) {
        EXPECT_EQ(SkinTypeOf(r.h), r.type) << r.label;
        nLater += std::string(r.type) != "none";
    }
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), nSwept + nLater);
    ASSERT_TRUE(SubclassChainsAreSingle()) << "a message through a doubled chain would never return";

    // Every way in a second time changes nothing: the notifications again,
    // the dialog's WM_INITDIALOG again, the sweep and the dispatcher called
    // directly (the simple combo box walks its children again and finds them
    // skinned).
    for (const Row& r : rows) {
        if (r.h == hQuiet) continue;  // a notification for it would skin it now
        SendMessageA(hDlg, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), reinterpret_cast<LPARAM>(r.h));
        EXPECT_FALSE(m_pManager->SkinWindow(r.h)) << r.label;
    }
    SendMessageA(hDlg, WM_INITDIALOG, 0, 0);
    m_pManager->SkinDialog(hDlg, FALSE);
    m_pManager->HookDialog(hDlg);
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), nSwept + nLater);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 1);
    ASSERT_TRUE(SubclassChainsAreSingle()) << "a message through a doubled chain would never return";
    EXPECT_EQ(SkinTypeOf(hQuiet), "none") << "neither the sweep nor the hook reach it";

    // The edit still takes text, and the dialog still answers.
    SetWindowTextA(hEdit, "abc");
    EXPECT_EQ(GetWindowTextLengthA(hEdit), 3);
    SetWindowTextA(hDlg, "still here");
    EXPECT_EQ(GetWindowTextLengthA(hDlg), 10);

    // Destroying a control created later removes just its skinner.
    DestroyWindow(hSimple);
    EXPECT_EQ(CSkinManager::FindSkin(hSimpleEdit), nullptr);
    const int nListSkinned = std::string(rows[5].type) != "none";
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), nSwept + nLater - 1 - nListSkinned);
    ASSERT_TRUE(SubclassChainsAreSingle()) << "a message through a doubled chain would never return";
}

TEST_F(SweptDialogTest, CreationModeSkinsEachChildAsItIsMade) {
    // Any mode other than dialog mode: no sweep and no dialog hook; every
    // child window is dispatched from its WM_CREATE, composite controls'
    // children included, except a window of exactly the class "ScrollBar".
    m_pManager->Install(0, kCurrentThread, 0);
    HWND hDlg = OpenSwept(kWithNested);
    ASSERT_TRUE(hDlg);
    HWND hSimple = GetDlgItem(hDlg, IDC_S_COMBO_SIMPLE);
    HWND hNested = ChildOfClass(hDlg, "#32770");
    ASSERT_TRUE(hNested);
    struct Row {
        HWND h;
        const char* label;
        const char* type;
    } rows[] = {
        {GetDlgItem(hDlg, IDC_S_EDIT_EDGE), "edit with a client edge", "CEditSkin"},
        {GetDlgItem(hDlg, IDC_S_EDIT_PLAIN), "edit without a client edge", "none"},
        {hSimple, "simple combo box", "none"},
        {ChildOfClass(hSimple, "Edit"), "its edit, made inside the combo box's creation", "CComboEditSkin"},
        {GetDlgItem(hDlg, IDC_S_COMBO_LIST), "drop-down list combo box", "CComboSkin"},
        {GetDlgItem(hDlg, IDC_S_BUTTON), "push button", "none"},
        {GetDlgItem(hDlg, IDC_S_TAB), "tab control", "none"},
        {GetDlgItem(hDlg, IDC_S_LIST_EDGE), "list box with a client edge", "CBorderSkin"},
        {GetDlgItem(hDlg, IDC_S_SCROLL), "scroll bar: not skinned at creation", "none"},
        {GetDlgItem(hDlg, IDC_S_TRACK), "trackbar", "CTrackBarSkin"},
        {hNested, "nested dialog", "none"},
        {GetDlgItem(hNested, IDC_S_NESTED_EDIT), "the nested dialog's edit", "CEditSkin"},
    };
    for (const Row& r : rows) {
        ASSERT_TRUE(r.h) << r.label;
        EXPECT_EQ(SkinTypeOf(r.h), r.type) << r.label;
    }
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 0) << "no dialog is hooked in this mode";
    ASSERT_TRUE(SubclassChainsAreSingle()) << "a message through a doubled chain would never return";
    // Skinned during their creation, the controls work and show the flat edge.
    HWND hEdit = rows[0].h;
    SetWindowTextA(hEdit, "made");
    EXPECT_EQ(GetWindowTextLengthA(hEdit), 4);
    RedrawWindow(hDlg, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    scrivlo_test::PumpMessages(150);
    EXPECT_EQ(ColorText(WindowPixel(hEdit, 0, 0)), ColorText(GetSysColor(COLOR_3DDKSHADOW)));
    EXPECT_EQ(ColorText(WindowPixel(hEdit, 1, 1)), ColorText(GetSysColor(COLOR_BTNHIGHLIGHT)));
}

TEST_F(SweptDialogTest, FlatFramesStayAfterTheSystemPaints) {
    const int arrow = GetSystemMetrics(SM_CXHSCROLL);
    const int e = GetSystemMetrics(SM_CXEDGE);
    struct Mode {
        BOOL bRaised;
        const char* label;
        int nButtonTopLeft;  // outer top-left line of the flat button frames
    } modes[] = {
        {FALSE, "shadow outlines", COLOR_BTNSHADOW},
        {TRUE, "raised outlines", COLOR_BTNHIGHLIGHT},
    };
    for (const Mode& m : modes) {
        m_pManager->Install(m.bRaised, kCurrentThread, SKIN_MODE_DIALOG);
        HWND hDlg = OpenSwept();
        ASSERT_TRUE(hDlg);
        // Let the system paint everything once more, frames included.
        RedrawWindow(hDlg, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        scrivlo_test::PumpMessages(150);

        struct Probe {
            int nId;
            const char* part;
            int x, y;  // negative: from the right or bottom edge (-1 is the last pixel)
            int nColor;
        } probes[] = {
            // The flat edge replaces the sunken client edge.
            {IDC_S_EDIT_EDGE, "edit outline, top left", 0, 0, COLOR_3DDKSHADOW},
            {IDC_S_EDIT_EDGE, "edit outline, bottom right", -1, -1, COLOR_3DDKSHADOW},
            {IDC_S_EDIT_EDGE, "edit inner line, top left", 1, 1, COLOR_BTNHIGHLIGHT},
            {IDC_S_EDIT_EDGE, "edit inner line, bottom right", -2, -2, COLOR_BTNHIGHLIGHT},
            {IDC_S_LIST_EDGE, "list outline", 0, 0, COLOR_3DDKSHADOW},
            {IDC_S_LIST_EDGE, "list inner line", 1, -2, COLOR_BTNHIGHLIGHT},
            {IDC_S_COMBO_LIST, "combo box outline", 0, 0, COLOR_3DDKSHADOW},
            {IDC_S_COMBO_LIST, "combo box inner line", 1, 1, COLOR_BTNHIGHLIGHT},
            // Flat button frames: the scroll bar control's arrows, the list's
            // own vertical bar (its up arrow right inside the edge) and the
            // combo box's drop button (two pixels inside, one arrow wide).
            {IDC_S_SCROLL, "scroll bar up arrow, top left", 0, 0, m.nButtonTopLeft},
            {IDC_S_SCROLL, "scroll bar up arrow, bottom right", -1, arrow - 1, COLOR_BTNSHADOW},
            {IDC_S_SCROLL, "scroll bar up arrow, face line", 1, 1, COLOR_BTNFACE},
            {IDC_S_SCROLL, "scroll bar down arrow, top left", 0, -arrow, m.nButtonTopLeft},
            {IDC_S_SCROLL, "scroll bar down arrow, bottom right", -1, -1, COLOR_BTNSHADOW},
            {IDC_S_LIST_EDGE, "list bar up arrow, top left", -(arrow + e), e, m.nButtonTopLeft},
            {IDC_S_LIST_EDGE, "list bar up arrow, face line", -(arrow + e) + 1, e + 1, COLOR_BTNFACE},
            {IDC_S_LIST_EDGE, "list bar up arrow, bottom right", -(e + 1), e + arrow - 1, COLOR_BTNSHADOW},
            {IDC_S_COMBO_LIST, "drop button, top left", -(arrow + 2), 2, m.nButtonTopLeft},
            {IDC_S_COMBO_LIST, "drop button, face line", -(arrow + 2) + 1, 3, COLOR_BTNFACE},
            {IDC_S_COMBO_LIST, "drop button, bottom right", -3, -3, COLOR_BTNSHADOW},
        };
        for (const Probe& p : probes) {
            HWND h = GetDlgItem(hDlg, p.nId);
            RECT r;
            GetWindowRect(h, &r);
            const int x = p.x >= 0 ? p.x : (r.right - r.left) + p.x;
            const int y = p.y >= 0 ? p.y : (r.bottom - r.top) + p.y;
            EXPECT_EQ(ColorText(WindowPixel(h, x, y)), ColorText(GetSysColor(p.nColor)))
                << m.label << ": " << p.part << " at (" << x << ", " << y << ")";
        }
        // Controls left alone keep the system's look: no dark outline.
        for (int nId : {IDC_S_EDIT_PLAIN, IDC_S_STATIC, IDC_S_TAB, IDC_S_BUTTON}) {
            EXPECT_NE(ColorText(WindowPixel(GetDlgItem(hDlg, nId), 0, 0)), ColorText(GetSysColor(COLOR_3DDKSHADOW)))
                << m.label << ": control " << nId;
        }
        DestroyWindow(hDlg);
        ResetEngine();
    }
}

TEST_F(SweptDialogTest, HoverTimerMovesTheHotMarkWithTheCursor) {
    m_pManager->Install(0, kCurrentThread, SKIN_MODE_DIALOG);
    HWND hDlg = OpenSwept();
    ASSERT_TRUE(hDlg);
    ASSERT_NE(m_pManager->m_nTimerID, 0u);
    HWND hEdit = GetDlgItem(hDlg, IDC_S_EDIT_EDGE);
    HWND hList = GetDlgItem(hDlg, IDC_S_LIST_EDGE);
    HWND hDrop = GetDlgItem(hDlg, IDC_S_COMBO_DROP);
    HWND hDropEdit = ChildOfClass(hDrop, "Edit");
    HWND hSimpleEdit = ChildOfClass(GetDlgItem(hDlg, IDC_S_COMBO_SIMPLE), "Edit");
    HWND hButton = GetDlgItem(hDlg, IDC_S_BUTTON);
    ASSERT_TRUE(hDropEdit && hSimpleEdit);

    // Only the engine's own timer moves the mark here: the test pumps
    // messages and never calls the poll itself.
    struct Step {
        const char* label;
        HWND hOver;
        bool bCapture;  // the dialog holds the mouse capture during the step
        HWND hHot;
    } steps[] = {
        {"over the edit", hEdit, false, hEdit},
        {"over the drop-down combo box's own edit: its skinned parent", hDropEdit, false, hDrop},
        {"over the simple combo box's edit", hSimpleEdit, false, hSimpleEdit},
        {"over the list with the capture held: unchanged", hList, true, hSimpleEdit},
        {"over the list once the capture is let go", hList, false, hList},
        {"over a button of the unskinned dialog: none", hButton, false, nullptr},
        {"over the edit again", hEdit, false, hEdit},
    };
    for (const Step& s : steps) {
        if (s.bCapture) {
            SetCapture(hDlg);
            ASSERT_EQ(GetCapture(), hDlg) << s.label;
        } else if (GetCapture()) {
            ReleaseCapture();
        }
        CursorOver(s.hOver);
        POINT pt;
        GetCursorPos(&pt);
        ASSERT_EQ(WindowFromPoint(pt), s.hOver) << s.label;
        if (s.bCapture) {
            // Several polls pass; none may move the mark.
            scrivlo_test::PumpMessages(400);
        } else {
            scrivlo_test::WaitUntil([&] { return CSkinManager::m_hHoverWnd == s.hHot; }, 2000);
        }
        EXPECT_TRUE(HotMarkIsOnlyOn(s.hHot)) << s.label;
    }
    if (GetCapture()) ReleaseCapture();

    // An idle cursor over the hot control draws nothing more: the mark stays
    // and no other control turns hot.
    scrivlo_test::PumpMessages(300);
    EXPECT_TRUE(HotMarkIsOnlyOn(hEdit));
}

TEST_F(SweptDialogTest, ModalDialogsAreSweptBeforeTheirOwnInitAndTheTimerFollowsThem) {
    m_pManager->Install(0, kCurrentThread, SKIN_MODE_DIALOG);
    for (int nRun = 1; nRun <= 2; ++nRun) {
        g_init = InitSeen();
        SetCursorPos(kDlgX + 700, kDlgY + 500);
        const INT_PTR nResult =
            DialogBoxParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_SWEPT), nullptr, &SweptDlgProc, kModalRun);
        ASSERT_TRUE(g_init.bSeen) << "run " << nRun;
        EXPECT_TRUE(g_init.bEditSkinned) << "run " << nRun;
        EXPECT_TRUE(g_init.bDialogHooked) << "run " << nRun;
        EXPECT_NE(g_init.nTimer, 0u) << "run " << nRun << ": the sweep starts the timer again";
        EXPECT_NE(g_modal.nTimerWhileOpen, 0u) << "run " << nRun;
        EXPECT_EQ(nResult, 1) << "run " << nRun << ": the hover timer did not make the edit hot in the modal loop";
        // The dialog is gone: nothing of it is left in the engine.
        EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), 0) << "run " << nRun;
        EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 0) << "run " << nRun;
        EXPECT_EQ(m_pManager->m_nTimerID, 0u) << "run " << nRun << ": the last control stops the timer";
    }
}

}  // namespace engine_test
