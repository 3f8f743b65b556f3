// The skin manager on real dialogs and controls under Wine: install, hook,
// sweep, class-name dispatch, dialog hook, removal, timer and teardown. The
// test kinds of EngineTestSupport stand in for the kinds of skinner.
#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <thread>

#include "skin/engine/SkinKindTable.h"
#include "tests/skin/engine/EngineFixture.h"

namespace engine_test {

INT_PTR CALLBACK TestDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_PARENTNOTIFY && LOWORD(wParam) == WM_CREATE) {
        const bool bSkinned = CSkinManager::FindSkin(reinterpret_cast<HWND>(lParam)) != nullptr;
        Record(SRC_DLGPROC, hDlg, message, MAKEWPARAM(WM_CREATE, bSkinned ? 1 : 0), lParam);
    }
    if (message == WM_INITDIALOG) {
        if (lParam == 1) CreateTestDialog(IDD_NESTED, hDlg);
        return TRUE;
    }
    return FALSE;
}

HWND CreateTestDialog(int nId, HWND hParent, LPARAM lParam) {
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nId), hParent, &TestDlgProc, lParam);
}

TEST_F(EngineTest, InstallTwiceOnOneThreadInstallsOneHookAndUpdatesModeAndFlag) {
    m_pManager->Install(0, static_cast<DWORD>(-1), 1);
    ASSERT_EQ(CSkinManager::m_mapHooks.GetCount(), 1);
    void* pHook = nullptr;
    ASSERT_TRUE(CSkinManager::m_mapHooks.Lookup(CSkinManager::ThreadKey(GetCurrentThreadId()), pHook));
    EXPECT_NE(pHook, nullptr);

    m_pManager->Install(1, static_cast<DWORD>(-1), 2);
    EXPECT_EQ(CSkinManager::m_mapHooks.GetCount(), 1);
    void* pHook2 = nullptr;
    CSkinManager::m_mapHooks.Lookup(CSkinManager::ThreadKey(GetCurrentThreadId()), pHook2);
    EXPECT_EQ(pHook2, pHook) << "the first hook stays";
    EXPECT_EQ(m_pManager->m_nMode, 2);
    EXPECT_EQ(CSkinManager::m_bRaisedButtons, 1);

    // A thread whose identifier has the same low 16 bits shares the entry.
    m_pManager->Install(0, GetCurrentThreadId() + 0x10000, 1);
    EXPECT_EQ(CSkinManager::m_mapHooks.GetCount(), 1);

    m_pManager->Uninstall(static_cast<DWORD>(-1));
    EXPECT_EQ(CSkinManager::m_mapHooks.GetCount(), 0);
}

TEST_F(EngineTest, SweepSkinsTheDirectChildrenByClass) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    ASSERT_TRUE(hDlg);

    struct Row {
        int nId;
        const char* label;
        SkinKind kind;
    } rows[] = {
        {IDC_EDIT_EDGE, "edit with client edge", SKIN_KIND_EDIT},
        {IDC_EDIT_PLAIN, "edit without client edge", SKIN_KIND_NONE},
        {IDC_COMBO_SIMPLE, "simple combo box itself", SKIN_KIND_NONE},
        {IDC_COMBO_DROP, "drop-down list combo box", SKIN_KIND_COMBO},
        {IDC_BUTTON, "push button with client edge", SKIN_KIND_NONE},
        {IDC_CHECK, "check box", SKIN_KIND_NONE},
        {IDC_STATIC_TEXT, "static with client edge", SKIN_KIND_NONE},
        {IDC_TAB, "tab control with client edge", SKIN_KIND_NONE},
        {IDC_LIST_EDGE, "list box with client edge", SKIN_KIND_BORDER},
        {IDC_LIST_PLAIN, "list box without client edge", SKIN_KIND_NONE},
        {IDC_SCROLL_VERT, "vertical scroll bar", SKIN_KIND_SCROLLBAR},
        {IDC_SCROLL_GRIP, "size grip", SKIN_KIND_NONE},
    };
    int nSkinned = 0;
    for (const Row& r : rows) {
        HWND h = GetDlgItem(hDlg, r.nId);
        ASSERT_TRUE(h) << r.label;
        EXPECT_STREQ(KindName(KindOf(h)), KindName(r.kind)) << r.label;
        EXPECT_EQ(ProcOf(h) == &CSkinManager::ControlWndProc, r.kind != SKIN_KIND_NONE) << r.label;
        nSkinned += r.kind != SKIN_KIND_NONE;
    }

    // The simple combo box's children: the edit always, the list when it has a client edge.
    HWND hCombo = GetDlgItem(hDlg, IDC_COMBO_SIMPLE);
    HWND hEdit = ChildOfClass(hCombo, "Edit");
    HWND hList = ChildOfClass(hCombo, "ComboLBox");
    ASSERT_TRUE(hEdit);
    ASSERT_TRUE(hList);
    EXPECT_STREQ(KindName(KindOf(hEdit)), "comboedit");
    ++nSkinned;
    // Wine gives the list of a simple combo box a client edge; that is what
    // makes it a border kind here.
    EXPECT_TRUE(HasClientEdge(hList)) << "Wine-vs-Windows: the list's extended style differs";
    EXPECT_STREQ(KindName(KindOf(hList)), HasClientEdge(hList) ? "border" : "none");
    nSkinned += HasClientEdge(hList);

    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), nSkinned);
    void* pRecord = nullptr;
    EXPECT_TRUE(CSkinManager::m_mapDialogs.Lookup(hDlg, pRecord));
    EXPECT_EQ(ProcOf(hDlg), &CSkinManager::DialogWndProc);

    // The sweep drew every skinned direct child once the dialog was hooked;
    // the children of a composite control (the simple combo box's edit and
    // list) are not direct children and draw on their own paint messages.
    for (const SkinLife& life : Lives()) {
        if (GetParent(life.hWnd) != hDlg) continue;
        EXPECT_GE(life.nDraws, 1) << KindName(life.nKind);
    }
    const SkinLife* pEdit = LifeOf(GetDlgItem(hDlg, IDC_EDIT_EDGE));
    ASSERT_TRUE(pEdit);
    EXPECT_TRUE(pEdit->bDialogHooked) << "the sweep draws after hooking the dialog";
}

TEST_F(EngineTest, NoControlIsSkinnedTwice) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    const size_t nMade = Lives().size();
    const int nCount = CSkinManager::m_mapControls.GetCount();
    ASSERT_GT(nCount, 0);

    // A second WM_INITDIALOG does not sweep again.
    SendMessageA(hDlg, WM_INITDIALOG, 0, 0);
    EXPECT_EQ(Lives().size(), nMade);
    // Neither do a direct sweep, nor the dispatcher on a skinned control.
    m_pManager->SkinDialog(hDlg, FALSE);
    EXPECT_FALSE(m_pManager->SkinWindow(GetDlgItem(hDlg, IDC_EDIT_EDGE)));
    // Hooking the dialog again changes nothing (a second record would call
    // itself without end).
    m_pManager->HookDialog(hDlg);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 1);
    EXPECT_EQ(Lives().size(), nMade);
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), nCount);
    // The dialog still works through its hook.
    EXPECT_EQ(SendMessageA(hDlg, WM_GETDLGCODE, 0, 0), SendMessageA(hDlg, WM_GETDLGCODE, 0, 0));
    SetWindowTextA(hDlg, "still alive");
    char sz[32] = "";
    GetWindowTextA(hDlg, sz, sizeof(sz));
    EXPECT_STREQ(sz, "still alive");
}

TEST_F(EngineTest, NestedDialogIsSweptOnlyByItsOwnInitDialog) {
    // Both dialogs exist before the hook; then each gets WM_INITDIALOG.
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    HWND hNested = CreateTestDialog(IDD_NESTED, hDlg);
    ASSERT_TRUE(hNested);
    HWND hNestedEdit = GetDlgItem(hNested, IDC_NESTED_EDIT);
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);

    SendMessageA(hDlg, WM_INITDIALOG, 0, 0);
    EXPECT_STREQ(KindName(KindOf(GetDlgItem(hDlg, IDC_EDIT_EDGE))), "edit");
    EXPECT_EQ(KindOf(hNested), SKIN_KIND_NONE);
    EXPECT_EQ(KindOf(hNestedEdit), SKIN_KIND_NONE) << "the parent's sweep does not enter the nested dialog";
    void* p = nullptr;
    EXPECT_FALSE(CSkinManager::m_mapDialogs.Lookup(hNested, p));

    SendMessageA(hNested, WM_INITDIALOG, 0, 0);
    EXPECT_STREQ(KindName(KindOf(hNestedEdit)), "edit");
    EXPECT_TRUE(CSkinManager::m_mapDialogs.Lookup(hNested, p));
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 2);
}

TEST_F(EngineTest, NestedDialogCreatedDuringInitIsHookedByItsOwnSweep) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    StartRecording();
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr, 1));
    StopRecording();
    HWND hNested = ChildOfClass(hDlg, "#32770");
    ASSERT_TRUE(hNested);
    EXPECT_EQ(KindOf(hNested), SKIN_KIND_NONE) << "a dialog is never a skinned control";
    EXPECT_STREQ(KindName(KindOf(GetDlgItem(hNested, IDC_NESTED_EDIT))), "edit");
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 2);
    // The nested dialog reached the outer one's hook as a new child.
    EXPECT_TRUE(SequenceMatches(
        {{SRC_DLGPROC, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 0), reinterpret_cast<LPARAM>(hNested), hDlg, true}},
        hDlg));
}

TEST_F(EngineTest, ControlCreatedLaterIsSkinnedThroughParentNotify) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    StartRecording();
    HWND hLate = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD | WS_VISIBLE, 10, 150, 60, 20, hDlg, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    HWND hQuiet = CreateWindowExA(WS_EX_CLIENTEDGE | WS_EX_NOPARENTNOTIFY, "Edit", "", WS_CHILD | WS_VISIBLE, 80, 150,
                                  60, 20, hDlg, nullptr, GetModuleHandleA(nullptr), nullptr);
    StopRecording();
    ASSERT_TRUE(hLate);
    EXPECT_STREQ(KindName(KindOf(hLate)), "edit");
    EXPECT_EQ(KindOf(hQuiet), SKIN_KIND_NONE) << "WS_EX_NOPARENTNOTIFY: the dialog never hears of it";
    // Skinned before the dialog's own procedure sees the notification.
    EXPECT_TRUE(SequenceMatches(
        {{SRC_DLGPROC, WM_PARENTNOTIFY, MAKEWPARAM(WM_CREATE, 1), reinterpret_cast<LPARAM>(hLate), hDlg, true}}, hDlg));
    // The skinned edit still behaves as an edit.
    SetWindowTextA(hLate, "typed");
    char sz[16] = "";
    GetWindowTextA(hLate, sz, sizeof(sz));
    EXPECT_STREQ(sz, "typed");
}

TEST_F(EngineTest, DestroyingTheDialogRemovesEverySkinnerAndTheRecord) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = CreateTestDialog(IDD_SWEEP, nullptr);
    ASSERT_GT(CSkinManager::m_mapControls.GetCount(), 0);
    EXPECT_NE(m_pManager->m_nTimerID, 0u);
    DestroyWindow(hDlg);
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), 0);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 0);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u) << "the last control took the timer with it";
    for (const SkinLife& life : Lives()) {
        EXPECT_TRUE(life.bDeleted) << KindName(life.nKind);
        EXPECT_TRUE(life.bRestoredAtDelete) << KindName(life.nKind);
    }
}

TEST_F(EngineTest, HoverTimerStopsWithTheLastControlAndRestarts) {
    HWND hHost = Keep(CreateHost(0, 0, 200, 100, false));
    HWND hA = CreateProbe(hHost, WS_CHILD, 0, 0, 0, 50, 20);
    HWND hB = CreateProbe(hHost, WS_CHILD, 0, 60, 0, 50, 20);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
    ASSERT_TRUE(m_pManager->AttachSkin(hA, new CTestSkin(SKIN_KIND_BORDER)));
    const UINT_PTR nFirst = m_pManager->m_nTimerID;
    EXPECT_NE(nFirst, 0u);
    ASSERT_TRUE(m_pManager->AttachSkin(hB, new CTestSkin(SKIN_KIND_BORDER)));
    EXPECT_EQ(m_pManager->m_nTimerID, nFirst) << "one timer for all controls";
    DestroyWindow(hA);
    EXPECT_EQ(m_pManager->m_nTimerID, nFirst);
    DestroyWindow(hB);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
    HWND hC = CreateProbe(hHost, WS_CHILD, 0, 0, 40, 50, 20);
    ASSERT_TRUE(m_pManager->AttachSkin(hC, new CTestSkin(SKIN_KIND_BORDER)));
    EXPECT_NE(m_pManager->m_nTimerID, 0u) << "the next attach starts it again";

    // The timer really runs: its thread timer message arrives. Nothing is
    // dispatched while waiting (a pump would take the message away first).
    MSG msg;
    bool bTimer = false;
    const DWORD dwStart = GetTickCount();
    while (!bTimer && GetTickCount() - dwStart < 1000) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_TIMER);
        bTimer = PeekMessageA(&msg, nullptr, WM_TIMER, WM_TIMER, PM_NOREMOVE) && msg.hwnd == nullptr &&
                 msg.wParam == m_pManager->m_nTimerID;
    }
    EXPECT_TRUE(bTimer);
    EXPECT_TRUE(m_pManager->RemoveControl(hC));
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
    EXPECT_FALSE(m_pManager->RemoveControl(hC)) << "not skinned any more";
}

TEST_F(EngineTest, UninstallingTheLastHookStopsTheTimer) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    ASSERT_NE(m_pManager->m_nTimerID, 0u);
    m_pManager->Uninstall(static_cast<DWORD>(-1));
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
    EXPECT_EQ(CSkinManager::m_mapHooks.GetCount(), 0);
    // The controls stay skinned; a new dialog is no longer seen.
    EXPECT_STREQ(KindName(KindOf(GetDlgItem(hDlg, IDC_EDIT_EDGE))), "edit");
    HWND hDlg2 = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    EXPECT_EQ(KindOf(GetDlgItem(hDlg2, IDC_EDIT_EDGE)), SKIN_KIND_NONE);
    m_pManager->Uninstall(static_cast<DWORD>(-1));  // nothing left: no effect
}

TEST_F(EngineTest, DispatcherOnRealControls) {
    HWND hHost = Keep(CreateHost(0, 0, 400, 300, false));
    struct Row {
        const char* cls;
        DWORD style, exStyle;
        BOOL result;
        SkinKind kind;
        const char* childClass;  // the child the row dispatches, if any
        SkinKind childKind;
    } rows[] = {
        {"Edit", 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_EDIT, nullptr, SKIN_KIND_NONE},
        {"Edit", 0, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {"Button", BS_PUSHBUTTON, WS_EX_CLIENTEDGE, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {"Button", BS_GROUPBOX, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {"Button", BS_OWNERDRAW, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {"Static", 0, WS_EX_CLIENTEDGE, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {"ComboBox", CBS_DROPDOWN, 0, TRUE, SKIN_KIND_COMBO, nullptr, SKIN_KIND_NONE},
        {"ComboBox", CBS_SIMPLE, 0, FALSE, SKIN_KIND_NONE, "Edit", SKIN_KIND_COMBOEDIT},
        {"ListBox", 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_BORDER, nullptr, SKIN_KIND_NONE},
        {"ListBox", 0, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {WC_LISTVIEWA, 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_BORDER, nullptr, SKIN_KIND_NONE},
        {WC_TREEVIEWA, 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_BORDER, nullptr, SKIN_KIND_NONE},
        {WC_TREEVIEWA, 0, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {HOTKEY_CLASSA, 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_BORDER, nullptr, SKIN_KIND_NONE},
        {MONTHCAL_CLASSA, 0, 0, TRUE, SKIN_KIND_BORDER, nullptr, SKIN_KIND_NONE},
        {DATETIMEPICK_CLASSA, 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_DATETIME, nullptr, SKIN_KIND_NONE},
        {DATETIMEPICK_CLASSA, DTS_UPDOWN, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_DATETIME, UPDOWN_CLASSA, SKIN_KIND_SPIN},
        {DATETIMEPICK_CLASSA, 0, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {UPDOWN_CLASSA, 0, 0, TRUE, SKIN_KIND_SPIN, nullptr, SKIN_KIND_NONE},
        {"ScrollBar", SBS_HORZ, 0, TRUE, SKIN_KIND_SCROLLBAR, nullptr, SKIN_KIND_NONE},
        {"ScrollBar", SBS_SIZEBOX, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {WC_COMBOBOXEXA, CBS_DROPDOWN, 0, FALSE, SKIN_KIND_NONE, "ComboBox", SKIN_KIND_COMBO},
        {WC_IPADDRESSA, 0, WS_EX_CLIENTEDGE, TRUE, SKIN_KIND_IPADDRESS, nullptr, SKIN_KIND_NONE},
        {WC_IPADDRESSA, 0, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {TRACKBAR_CLASSA, 0, 0, TRUE, SKIN_KIND_TRACKBAR, nullptr, SKIN_KIND_NONE},
        {WC_HEADERA, HDS_BUTTONS, 0, TRUE, SKIN_KIND_HEADER, nullptr, SKIN_KIND_NONE},
        {WC_HEADERA, 0, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {TOOLBARCLASSNAMEA, TBSTYLE_FLAT, 0, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
        {TOOLBARCLASSNAMEA, 0, 0, TRUE, SKIN_KIND_TOOLBAR, nullptr, SKIN_KIND_NONE},
        {WC_TABCONTROLA, 0, WS_EX_CLIENTEDGE, FALSE, SKIN_KIND_NONE, nullptr, SKIN_KIND_NONE},
    };
    for (const Row& r : rows) {
        HWND h = CreateWindowExA(r.exStyle, r.cls, "", WS_CHILD | r.style, 0, 0, 120, 60, hHost, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
        ASSERT_TRUE(h) << r.cls;
        // Some controls fix their own extended style; the row's condition is
        // about what the window has.
        const bool bEdge = HasClientEdge(h);
        if (((r.exStyle & WS_EX_CLIENTEDGE) != 0) != bEdge) {
            // Known difference: Wine's date and time picker gives itself a
            // client edge whatever it was created with, so the row without
            // one cannot be made there. The window it does make must then
            // be dispatched as the picker with an edge.
            const bool bKnown =
                scrivlo_test::IsRunningOnWine() && lstrcmpiA(r.cls, DATETIMEPICK_CLASSA) == 0 && r.style == 0 && bEdge;
            if (!bKnown) {
                ADD_FAILURE() << r.cls << ": the control changed its client edge to " << bEdge;
                continue;
            }
            std::printf("known Wine difference: %s created without WS_EX_CLIENTEDGE has one\n", r.cls);
            RecordProperty("known_wine_difference", "date and time picker adds its own client edge");
            EXPECT_TRUE(m_pManager->SkinWindow(h)) << r.cls << " with the edge Wine gave it";
            EXPECT_STREQ(KindName(KindOf(h)), "datetime") << r.cls << " with the edge Wine gave it";
            continue;
        }
        EXPECT_EQ(m_pManager->SkinWindow(h), r.result) << r.cls << " style " << std::hex << r.style;
        EXPECT_STREQ(KindName(KindOf(h)), KindName(r.kind)) << r.cls << " style " << std::hex << r.style;
        if (r.childClass) {
            HWND hChild = ChildOfClass(h, r.childClass);
            ASSERT_TRUE(hChild) << r.cls << " has no " << r.childClass;
            EXPECT_STREQ(KindName(KindOf(hChild)), KindName(r.childKind)) << r.cls << " child " << r.childClass;
        }
    }
}

namespace {

// A window class that stands for the shell's folder view: the dispatcher
// skins its first child and leaves the view alone.
LRESULT CALLBACK PlainProc(HWND h, UINT m, WPARAM w, LPARAM l) { return DefWindowProcA(h, m, w, l); }

void RegisterLocalClass(const char* pszName) {
    WNDCLASSA wc = {};
    wc.lpfnWndProc = &PlainProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = pszName;
    RegisterClassA(&wc);
}

}  // namespace

TEST_F(EngineTest, FolderViewDispatchesItsFirstChildOnly) {
    RegisterLocalClass("SHELLDLL_DefView");
    HWND hHost = Keep(CreateHost(0, 0, 300, 200, false));
    HWND hView = CreateWindowExA(0, "SHELLDLL_DefView", "", WS_CHILD, 0, 0, 200, 150, hHost, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    // Children are created in reverse so that Z order is first, second.
    HWND hSecond = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD, 0, 80, 100, 40, hView, nullptr,
                                   GetModuleHandleA(nullptr), nullptr);
    HWND hFirst = CreateWindowExA(WS_EX_CLIENTEDGE, WC_LISTVIEWA, "", WS_CHILD, 0, 0, 100, 40, hView, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    SetWindowPos(hFirst, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    ASSERT_EQ(GetTopWindow(hView), hFirst);
    EXPECT_FALSE(m_pManager->SkinWindow(hView));
    EXPECT_EQ(KindOf(hView), SKIN_KIND_NONE);
    EXPECT_STREQ(KindName(KindOf(hFirst)), "border");
    EXPECT_EQ(KindOf(hSecond), SKIN_KIND_NONE);
}

TEST_F(EngineTest, FailedCreationLeavesTheWindowUntouched) {
    RefuseKind(SKIN_KIND_EDIT);
    HWND hHost = Keep(CreateHost(0, 0, 200, 100, false));
    HWND hEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD, 0, 0, 60, 20, hHost, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    const WNDPROC pfnBefore = ProcOf(hEdit);
    EXPECT_FALSE(m_pManager->SkinWindow(hEdit));
    EXPECT_EQ(ProcOf(hEdit), pfnBefore);
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), 0);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);

    // A kind without any creator is the same.
    PFN_CREATESKIN pfnOld = SkinSetKindCreator(SKIN_KIND_BORDER, nullptr);
    EXPECT_NE(pfnOld, nullptr);
    HWND hList = CreateWindowExA(WS_EX_CLIENTEDGE, "ListBox", "", WS_CHILD, 0, 30, 60, 40, hHost, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    EXPECT_FALSE(m_pManager->SkinWindow(hList));
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), 0);
    SkinSetKindCreator(SKIN_KIND_BORDER, pfnOld);
    EXPECT_EQ(SkinSetKindCreator(SKIN_KIND_NONE, pfnOld), nullptr) << "no creator for 'left alone'";
    EXPECT_EQ(SkinGetKindCreator(SKIN_KIND_NONE), nullptr);
    EXPECT_FALSE(m_pManager->SkinWindow(nullptr));
}

TEST_F(EngineTest, CreationModeSkinsChildWindowsAsTheyAreCreated) {
    m_pManager->Install(0, static_cast<DWORD>(-1), 0);
    HWND hHost = Keep(CreateHost(0, 0, 300, 200, false));
    EXPECT_EQ(KindOf(hHost), SKIN_KIND_NONE);
    HINSTANCE hInst = GetModuleHandleA(nullptr);
    HWND hEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD, 0, 0, 60, 20, hHost, nullptr, hInst, nullptr);
    // The system scroll bar is made before the local class exists: class
    // names are looked up ignoring case and a module's own class comes
    // first, so "ScrollBar" would name the local class afterwards.
    HWND hBar = CreateWindowExA(0, "ScrollBar", "", WS_CHILD | SBS_VERT, 0, 30, 16, 60, hHost, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    char szBar[64] = "";
    GetClassNameA(hBar, szBar, sizeof(szBar));
    ASSERT_STREQ(szBar, "ScrollBar");
    RegisterLocalClass("SCROLLBAR");  // differs from "ScrollBar" in letter case only
    HWND hLocal = CreateWindowExA(0, "SCROLLBAR", "", WS_CHILD, 20, 30, 16, 60, hHost, nullptr, hInst, nullptr);
    HWND hPopup = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_POPUP, 0, 0, 60, 20, hHost, nullptr, hInst, nullptr);
    Keep(hPopup);
    char sz[64] = "";
    GetClassNameA(hLocal, sz, sizeof(sz));
    ASSERT_STREQ(sz, "SCROLLBAR") << "the local class keeps its own spelling";

    EXPECT_STREQ(KindName(KindOf(hEdit)), "edit");
    EXPECT_EQ(KindOf(hBar), SKIN_KIND_NONE) << "exactly \"ScrollBar\" is not skinned at creation";
    EXPECT_STREQ(KindName(KindOf(hLocal)), "scrollbar") << "dispatched, and the dispatcher ignores case";
    EXPECT_EQ(KindOf(hPopup), SKIN_KIND_NONE) << "not a child window";
    // A dialog's WM_INITDIALOG is not a sweep in this mode.
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    void* p = nullptr;
    EXPECT_FALSE(CSkinManager::m_mapDialogs.Lookup(hDlg, p));
    EXPECT_STREQ(KindName(KindOf(GetDlgItem(hDlg, IDC_EDIT_EDGE))), "edit") << "but its children were created";
    // The skinned edit works through the thunk.
    SetWindowTextA(hEdit, "abc");
    EXPECT_EQ(GetWindowTextLengthA(hEdit), 3);
}

TEST_F(EngineTest, WindowsOfOtherThreadsAreNotSkinned) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    int nSkinnedThere = -1;
    bool bEditFound = false;
    std::thread worker([&] {
        HWND hDlg = CreateTestDialog(IDD_SWEEP, nullptr);
        bEditFound = GetDlgItem(hDlg, IDC_EDIT_EDGE) != nullptr;
        nSkinnedThere = CSkinManager::m_mapControls.GetCount();
        DestroyWindow(hDlg);
    });
    worker.join();
    EXPECT_TRUE(bEditFound);
    EXPECT_EQ(nSkinnedThere, 0);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 0);
    // The hook procedure itself does nothing on an unhooked thread.
    LRESULT lr = -1;
    std::thread other([&] {
        CWPSTRUCT cwp = {0, 0, 0, nullptr};
        lr = CSkinManager::HookProc(HC_ACTION, 0, reinterpret_cast<LPARAM>(&cwp));
    });
    other.join();
    EXPECT_EQ(lr, 0);
}

TEST_F(EngineTest, ThunksFallBackToTheDefaultProcedure) {
    HWND hHost = Keep(CreateHost(0, 0, 100, 100, false));
    SetWindowTextA(hHost, "four");
    EXPECT_EQ(CSkinManager::ControlWndProc(hHost, WM_GETTEXTLENGTH, 0, 0), 4);
    EXPECT_EQ(CSkinManager::DialogWndProc(hHost, WM_GETTEXTLENGTH, 0, 0), 4);
}

TEST_F(EngineTest, TeardownRestoresEveryWindowAndRemovesTheHooks) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    HWND hEdit = GetDlgItem(hDlg, IDC_EDIT_EDGE);
    ASSERT_EQ(ProcOf(hEdit), &CSkinManager::ControlWndProc);
    m_pManager->Teardown();
    EXPECT_NE(ProcOf(hEdit), &CSkinManager::ControlWndProc);
    EXPECT_NE(ProcOf(hDlg), &CSkinManager::DialogWndProc);
    EXPECT_EQ(CSkinManager::m_mapControls.GetCount(), 0);
    EXPECT_EQ(CSkinManager::m_mapDialogs.GetCount(), 0);
    EXPECT_EQ(CSkinManager::m_mapHooks.GetCount(), 0);
    EXPECT_EQ(m_pManager->m_nTimerID, 0u);
    for (const SkinLife& life : Lives()) EXPECT_TRUE(life.bDeleted && life.bRestoredAtDelete);
    // The controls work with their own procedures again; no new dialog is seen.
    SetWindowTextA(hEdit, "back");
    EXPECT_EQ(GetWindowTextLengthA(hEdit), 4);
    HWND hDlg2 = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    EXPECT_EQ(KindOf(GetDlgItem(hDlg2, IDC_EDIT_EDGE)), SKIN_KIND_NONE);
}

namespace {
WNDPROC g_pfnBelowLater = nullptr;
int g_nLaterMessages = 0;
LRESULT CALLBACK LaterSubclass(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_GETTEXTLENGTH) ++g_nLaterMessages;
    return CallWindowProcA(g_pfnBelowLater, hWnd, message, wParam, lParam);
}
}  // namespace

// A subclass put on a skinned control after the engine's keeps its place and
// its whole chain through a teardown; the rest is given back as always.
TEST_F(EngineTest, TeardownLeavesALaterSubclassOnTopWithItsChain) {
    m_pManager->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = Keep(CreateTestDialog(IDD_SWEEP, nullptr));
    HWND hEdit = GetDlgItem(hDlg, IDC_EDIT_EDGE);
    ASSERT_EQ(ProcOf(hEdit), &CSkinManager::ControlWndProc);
    g_pfnBelowLater =
        reinterpret_cast<WNDPROC>(SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LaterSubclass)));
    m_pManager->Teardown();
    EXPECT_EQ(ProcOf(hEdit), &LaterSubclass);
    EXPECT_NE(ProcOf(hDlg), &CSkinManager::DialogWndProc) << "the dialog had nothing above the engine";
    g_nLaterMessages = 0;
    SetWindowTextA(hEdit, "chain");
    EXPECT_EQ(GetWindowTextLengthA(hEdit), 5) << "the edit's own procedure is still reached";
    EXPECT_EQ(g_nLaterMessages, 1);
    EXPECT_NE(CSkinManager::FindSkin(hEdit), nullptr) << "the engine's procedure passes the messages on";
    SetWindowLongPtrA(hEdit, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(g_pfnBelowLater));
}

}  // namespace engine_test
