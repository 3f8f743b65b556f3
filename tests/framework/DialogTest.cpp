// CDialog: modal runs from in-memory and resource templates, the modal
// loop's pre-translation, DDX_Control binding, reflection of owner-draw and
// colour requests to the child objects, owners, threads.
#include <gtest/gtest.h>

#include <process.h>

#include <algorithm>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestRes.h"
#include "tests/framework/FrameworkTestSupport.h"

using fwtest::ExpectedMsg;
using fwtest::kCheckLParam;
using fwtest::kCheckWParam;
using fwtest::kOptional;
using fwtest::MessageLog;

namespace {

const WORD IDC_FIRST = 1301;
const WORD IDC_SECOND = 1302;
const WORD IDC_LABEL = 1310;
const WORD IDC_PLAIN_LABEL = 1311;
const WORD IDC_DRAWN_LABEL = 1312;
const UINT WM_TEST_STEP = WM_APP + 20;

// A dialog with two push buttons and a static text.
fwtest::DialogTemplate MakeTwoButtonTemplate(DWORD extraStyle = 0) {
    fwtest::DialogTemplate t(WS_POPUP | WS_CAPTION | WS_SYSMENU | extraStyle, 160, 80, "Test dialog");
    t.AddItem(0x0080, IDC_FIRST, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 10, 50, 50, 14, "First");
    t.AddItem(0x0080, IDC_SECOND, WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON, 70, 50, 50, 14, "Second");
    t.AddItem(0x0082, IDC_LABEL, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 100, 10, "Label");
    return t;
}

// A button that logs what pre-translation and its procedure see.
class CLoggingButton : public CButton {
public:
    MessageLog* m_pLog = nullptr;
    BOOL m_bSwallowDblClk = FALSE;
    int m_nDrawItem = 0;
    HWND m_hWndDrawn = nullptr;

    void PreSubclassWindow() override {
        if (m_pLog) m_pLog->Add("presub", 0);
        CButton::PreSubclassWindow();
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (m_pLog && pMsg->message == WM_LBUTTONDBLCLK) m_pLog->Add("pre", pMsg->message, pMsg->wParam, pMsg->lParam);
        if (m_bSwallowDblClk && pMsg->message == WM_LBUTTONDBLCLK) return TRUE;
        return CButton::PreTranslateMessage(pMsg);
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (m_pLog) m_pLog->Add("btn", message, wParam, lParam);
        return CButton::WindowProc(message, wParam, lParam);
    }
    void DrawItem(LPDRAWITEMSTRUCT lpDis) override {
        ++m_nDrawItem;
        m_hWndDrawn = lpDis->hwndItem;
    }
};

// The dialog used by most cases: ends with the id of the button clicked,
// runs a scripted step from WM_TEST_STEP.
class CTestDialog : public CDialog {
public:
    explicit CTestDialog(CWnd* pParent = nullptr) : CDialog(0u, pParent) {}
    CTestDialog(UINT nIDTemplate, CWnd* pParent) : CDialog(nIDTemplate, pParent) {}

    MessageLog m_log;
    CLoggingButton m_first;
    BOOL m_bBindFirst = TRUE;
    // What OnInitDialog posts; 0: nothing.
    UINT m_nPostMessage = 0;
    HWND m_hPostTarget = nullptr;  // null: the first button
    WPARAM m_postWParam = 0;
    LPARAM m_postLParam = 0;
    int m_nEndInInit = 0;  // non-zero: EndDialog(this) inside OnInitDialog
    BOOL m_bDestroyOnStep = FALSE;
    HWND m_hOwnerSeen = nullptr;
    BOOL m_bOwnerEnabledDuringRun = TRUE;
    BOOL m_bBoundBeforeInit = FALSE;

    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override {
        if (message == WM_SETFONT || message == WM_INITDIALOG || message == WM_COMMAND || message == WM_TEST_STEP)
            m_log.Add("dlg", message, message == WM_COMMAND ? wParam : 0, 0);
        return CDialog::WindowProc(message, wParam, lParam);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_LBUTTONDBLCLK) m_log.Add("dlgpre", pMsg->message, pMsg->wParam, pMsg->lParam);
        return CDialog::PreTranslateMessage(pMsg);
    }
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        if (m_bBindFirst) DDX_Control(pDX, IDC_FIRST, m_first);
    }
    BOOL OnInitDialog() override {
        m_bBoundBeforeInit = CWnd::FromHandlePermanent(m_hWnd) == this;
        m_first.m_pLog = &m_log;
        CDialog::OnInitDialog();
        m_hOwnerSeen = ::GetWindow(m_hWnd, GW_OWNER);
        if (m_nEndInInit != 0) {
            EndDialog(m_nEndInInit);
            return TRUE;
        }
        if (m_nPostMessage != 0) {
            HWND hTarget = m_hPostTarget != nullptr ? m_hPostTarget : ::GetDlgItem(m_hWnd, IDC_FIRST);
            ::PostMessageA(hTarget, m_nPostMessage, m_postWParam, m_postLParam);
        }
        return TRUE;
    }

protected:
    void OnButton(UINT nID) {
        if (m_hOwnerSeen != nullptr) m_bOwnerEnabledDuringRun = ::IsWindowEnabled(m_hOwnerSeen);
        EndDialog(static_cast<int>(nID));
    }
    LRESULT OnStep(WPARAM wParam, LPARAM) {
        if (m_bDestroyOnStep)
            DestroyWindow();
        else
            EndDialog(static_cast<int>(wParam));
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDialog, CDialog)
    ON_CONTROL_RANGE(BN_CLICKED, IDC_FIRST, IDC_SECOND, OnButton)
    ON_MESSAGE(WM_TEST_STEP, OnStep)
END_MESSAGE_MAP()

TEST(DialogDoModal, EndedByAPostedClickReturnsTheButtonId) {
    fwtest::DialogTemplate t = MakeTwoButtonTemplate();
    CTestDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(t.Get()));
    dlg.m_bBindFirst = FALSE;
    dlg.m_nPostMessage = BM_CLICK;  // to the first button
    EXPECT_EQ(dlg.DoModal(), IDC_FIRST);
    EXPECT_EQ(dlg.m_hWnd, nullptr) << "DoModal destroys the window";
    EXPECT_TRUE(dlg.m_bBoundBeforeInit);

    // The map saw the font and the initialisation, then the click.
    static const ExpectedMsg expected[] = {
        {WM_SETFONT, 0, 0, 0, "dlg"},
        {WM_INITDIALOG, 0, 0, 0, "dlg"},
        {WM_COMMAND, kOptional | kCheckWParam, MAKEWPARAM(IDC_FIRST, BN_SETFOCUS), 0, "dlg"},
        {WM_COMMAND, kOptional | kCheckWParam, MAKEWPARAM(IDC_FIRST, BN_KILLFOCUS), 0, "dlg"},
        {WM_COMMAND, kCheckWParam, MAKEWPARAM(IDC_FIRST, BN_CLICKED), 0, "dlg"},
    };
    std::vector<fwtest::LoggedMsg> seq = dlg.m_log.Only({WM_SETFONT, WM_INITDIALOG, WM_COMMAND});
    for (size_t i = 0; i < seq.size(); ++i) {
        if (seq[i].message == WM_COMMAND && HIWORD(seq[i].wParam) == BN_CLICKED) {
            seq.resize(i + 1);  // what follows the click is the platform's business
            break;
        }
    }
    std::string diff = fwtest::CompareSequence(seq, expected, "modal run");
    EXPECT_TRUE(diff.empty()) << diff;
}

enum class EndBy { ClickSecond, Escape, Step, EndInInit };

class CScriptedDialog : public CTestDialog {
public:
    EndBy m_how = EndBy::ClickSecond;
    BOOL OnInitDialog() override {
        CTestDialog::OnInitDialog();
        switch (m_how) {
        case EndBy::ClickSecond: ::PostMessageA(::GetDlgItem(m_hWnd, IDC_SECOND), BM_CLICK, 0, 0); break;
        case EndBy::Escape: ::PostMessageA(::GetDlgItem(m_hWnd, IDC_FIRST), WM_KEYDOWN, VK_ESCAPE, 0x00010001); break;
        case EndBy::Step: ::PostMessageA(m_hWnd, WM_TEST_STEP, 4711, 0); break;
        case EndBy::EndInInit: EndDialog(77); break;
        }
        return TRUE;
    }
};

TEST(DialogDoModal, ResultsOfTheStandardWaysToEnd) {
    struct Case {
        const char* context;
        EndBy how;
        INT_PTR expected;
    };
    const Case cases[] = {
        {"click on the second button", EndBy::ClickSecond, IDC_SECOND},
        {"Escape reaches OnCancel", EndBy::Escape, IDCANCEL},
        {"EndDialog from a handler", EndBy::Step, 4711},
        {"EndDialog inside OnInitDialog", EndBy::EndInInit, 77},
    };
    for (const Case& c : cases) {
        fwtest::DialogTemplate t = MakeTwoButtonTemplate();
        CScriptedDialog dlg;
        ASSERT_TRUE(dlg.InitModalIndirect(t.Get()));
        dlg.m_bBindFirst = FALSE;
        dlg.m_how = c.how;
        EXPECT_EQ(dlg.DoModal(), c.expected) << c.context;
        EXPECT_EQ(dlg.m_hWnd, nullptr) << c.context;
    }
}

TEST(DialogDoModal, MinusOneWhenTheDialogCannotBeCreated) {
    // A control of a class nobody registered makes the dialog manager fail.
    fwtest::DialogTemplate broken(WS_POPUP | WS_CAPTION, 100, 50, "Broken");
    broken.AddItem("FwNoSuchWindowClass", 1, WS_CHILD | WS_VISIBLE, 5, 5, 20, 10, "x");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(broken.Get()));
    EXPECT_EQ(dlg.DoModal(), -1);
    EXPECT_EQ(dlg.m_hWnd, nullptr);

    CTestDialog missing(9999u, nullptr);  // no such template resource
    EXPECT_EQ(missing.DoModal(), -1);

    CTestDialog none;  // no template at all
    EXPECT_EQ(none.DoModal(), -1);
}

TEST(DialogDoModal, ResourceTemplateEndsWithOk) {
    class COk : public CTestDialog {
    public:
        COk() : CTestDialog(IDD_FW_RESOURCE_DIALOG, nullptr) {}
        BOOL OnInitDialog() override {
            CTestDialog::OnInitDialog();
            ::PostMessageA(::GetDlgItem(m_hWnd, IDOK), BM_CLICK, 0, 0);
            return TRUE;
        }
    } ok;
    ok.m_bBindFirst = FALSE;
    EXPECT_EQ(ok.DoModal(), IDOK) << "OnOK through CDialog's own map";
}

TEST(DialogPreTranslate, SeesADoubleClickBeforeTheControl) {
    struct Case {
        const char* context;
        BOOL swallow;
    };
    const Case cases[] = {{"offered then dispatched", FALSE}, {"taken by pre-translation", TRUE}};
    for (const Case& c : cases) {
        fwtest::DialogTemplate t = MakeTwoButtonTemplate();
        class CDblClick : public CTestDialog {
        public:
            BOOL OnInitDialog() override {
                CTestDialog::OnInitDialog();
                HWND hButton = ::GetDlgItem(m_hWnd, IDC_FIRST);
                ::PostMessageA(hButton, WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(3, 4));
                ::PostMessageA(m_hWnd, WM_TEST_STEP, 9, 0);
                return TRUE;
            }
        } dlg;
        ASSERT_TRUE(dlg.InitModalIndirect(t.Get()));
        dlg.m_first.m_bSwallowDblClk = c.swallow;
        EXPECT_EQ(dlg.DoModal(), 9) << c.context;

        std::vector<fwtest::LoggedMsg> seq = dlg.m_log.Only({WM_LBUTTONDBLCLK});
        static const ExpectedMsg dispatched[] = {
            {WM_LBUTTONDBLCLK, kCheckWParam | kCheckLParam, MK_LBUTTON, MAKELPARAM(3, 4), "pre"},
            {WM_LBUTTONDBLCLK, kCheckWParam | kCheckLParam, MK_LBUTTON, MAKELPARAM(3, 4), "dlgpre"},
            {WM_LBUTTONDBLCLK, kCheckWParam | kCheckLParam, MK_LBUTTON, MAKELPARAM(3, 4), "btn"},
        };
        static const ExpectedMsg swallowed[] = {
            {WM_LBUTTONDBLCLK, kCheckWParam | kCheckLParam, MK_LBUTTON, MAKELPARAM(3, 4), "pre"},
        };
        std::string diff = c.swallow ? fwtest::CompareSequence(seq, swallowed, c.context)
                                     : fwtest::CompareSequence(seq, dispatched, c.context);
        EXPECT_TRUE(diff.empty()) << diff;
    }
}

TEST(DialogDdx, ControlSubclassedWithPreSubclassWindowFirst) {
    fwtest::DialogTemplate t = MakeTwoButtonTemplate();
    class CBind : public CTestDialog {
    public:
        HWND m_hFirstAtInit = nullptr;
        CWnd* m_pBoundAtInit = nullptr;
        BOOL OnInitDialog() override {
            CTestDialog::OnInitDialog();
            m_hFirstAtInit = ::GetDlgItem(m_hWnd, IDC_FIRST);
            m_pBoundAtInit = CWnd::FromHandlePermanent(m_hFirstAtInit);
            ::PostMessageA(m_hWnd, WM_TEST_STEP, 3, 0);
            return TRUE;
        }
    } dlg;
    ASSERT_TRUE(dlg.InitModalIndirect(t.Get()));
    EXPECT_EQ(dlg.DoModal(), 3);
    EXPECT_EQ(dlg.m_pBoundAtInit, &dlg.m_first) << "bound by the base OnInitDialog's exchange";
    ASSERT_FALSE(dlg.m_log.Entries().empty());
    // The first thing the button object records is PreSubclassWindow.
    std::vector<fwtest::LoggedMsg> mine;
    for (const fwtest::LoggedMsg& e : dlg.m_log.Entries()) {
        if (e.who == "presub" || e.who == "btn") mine.push_back(e);
    }
    ASSERT_FALSE(mine.empty());
    EXPECT_EQ(mine[0].who, "presub");
    EXPECT_EQ(std::count_if(mine.begin(), mine.end(), [](const fwtest::LoggedMsg& e) { return e.who == "presub"; }), 1);
    EXPECT_EQ(dlg.m_first.m_hWnd, nullptr) << "unbound when the dialog's window went";
}

TEST(DialogDdx, MissingControlLeavesTheObjectUnbound) {
    fwtest::DialogTemplate t(WS_POPUP, 50, 30, "No controls");
    CTestDialog dlg;
    ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
    EXPECT_EQ(dlg.m_first.m_hWnd, nullptr);
    dlg.DestroyWindow();
}

// Children that handle their own colours and drawing.
class CColorLabel : public CStatic {
public:
    CBrush m_brush;
    UINT m_nCtlColorSeen = 0xFFFF;
    BOOL m_bDecline = FALSE;
    int m_nDrawItem = 0;
    HDC m_hdcDrawn = nullptr;
    void DrawItem(LPDRAWITEMSTRUCT lpDis) override {
        ++m_nDrawItem;
        m_hdcDrawn = lpDis->hDC;
    }

protected:
    HBRUSH CtlColor(CDC* pDC, UINT nCtlColor) {
        m_nCtlColorSeen = nCtlColor;
        if (m_bDecline) return nullptr;
        pDC->SetTextColor(RGB(1, 2, 3));
        return static_cast<HBRUSH>(m_brush.GetSafeHandle());
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColorLabel, CStatic)
    ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

// A parent without colour handling of its own, and one whose handler falls
// back to CWnd::OnCtlColor for everything.
class CReflectDialog : public CDialog {
public:
    CColorLabel m_label;
    CColorLabel m_drawn;
    CLoggingButton m_button;
    void DoDataExchange(CDataExchange* pDX) override {
        CDialog::DoDataExchange(pDX);
        DDX_Control(pDX, IDC_LABEL, m_label);
        DDX_Control(pDX, IDC_DRAWN_LABEL, m_drawn);
        DDX_Control(pDX, IDC_FIRST, m_button);
    }
};

class CReflectDialogWithHandler : public CReflectDialog {
public:
    int m_nOnCtlColor = 0;

protected:
    HBRUSH OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
        ++m_nOnCtlColor;
        return CReflectDialog::OnCtlColor(pDC, pWnd, nCtlColor);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectDialogWithHandler, CReflectDialog)
    ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

fwtest::DialogTemplate MakeReflectTemplate() {
    fwtest::DialogTemplate t(WS_POPUP | WS_VISIBLE, 160, 80, "Reflect");
    t.AddItem(0x0080, IDC_FIRST, WS_CHILD | WS_VISIBLE | BS_OWNERDRAW, 10, 50, 50, 14, "Drawn");
    t.AddItem(0x0082, IDC_LABEL, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 10, 100, 10, "Label");
    t.AddItem(0x0082, IDC_PLAIN_LABEL, WS_CHILD | WS_VISIBLE | SS_LEFT, 10, 22, 100, 10, "Plain");
    t.AddItem(0x0082, IDC_DRAWN_LABEL, WS_CHILD | WS_VISIBLE | SS_OWNERDRAW, 10, 34, 100, 10, "");
    return t;
}

template <typename TDialog>
void CheckCtlColorReflection(TDialog& dlg, const char* context) {
    ASSERT_TRUE(dlg.m_label.m_brush.CreateSolidBrush(RGB(10, 20, 30))) << context;
    fwtest::DialogTemplate t = MakeReflectTemplate();
    ASSERT_TRUE(dlg.CreateIndirect(t.Get())) << context;
    HDC hdc = GetDC(dlg.m_hWnd);
    HWND hLabel = GetDlgItem(dlg.m_hWnd, IDC_LABEL);
    HWND hPlain = GetDlgItem(dlg.m_hWnd, IDC_PLAIN_LABEL);

    LRESULT r =
        SendMessageA(dlg.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hLabel));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(r), static_cast<HBRUSH>(dlg.m_label.m_brush.GetSafeHandle())) << context;
    EXPECT_EQ(dlg.m_label.m_nCtlColorSeen, static_cast<UINT>(CTLCOLOR_STATIC)) << context;
    EXPECT_EQ(GetTextColor(hdc), RGB(1, 2, 3)) << context << ": the child got the parent's DC";

    // A control without an object, and a child that declines, get the default.
    LRESULT rPlain =
        SendMessageA(dlg.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hPlain));
    EXPECT_NE(reinterpret_cast<HBRUSH>(rPlain), static_cast<HBRUSH>(dlg.m_label.m_brush.GetSafeHandle())) << context;
    dlg.m_label.m_bDecline = TRUE;
    LRESULT rDeclined =
        SendMessageA(dlg.m_hWnd, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(hdc), reinterpret_cast<LPARAM>(hLabel));
    EXPECT_EQ(rDeclined, rPlain) << context << ": declined falls back to the dialog manager's brush";
    ReleaseDC(dlg.m_hWnd, hdc);
    dlg.DestroyWindow();
}

TEST(DialogReflection, CtlColorReachesTheChildObject) {
    {
        CReflectDialog dlg;
        CheckCtlColorReflection(dlg, "parent without a colour handler");
    }
    {
        CReflectDialogWithHandler dlg;
        CheckCtlColorReflection(dlg, "parent handler falling back to CWnd::OnCtlColor");
        EXPECT_GE(dlg.m_nOnCtlColor, 3);
    }
}

TEST(DialogReflection, DrawItemReachesTheChildObject) {
    CReflectDialog dlg;
    fwtest::DialogTemplate t = MakeReflectTemplate();
    ASSERT_TRUE(dlg.CreateIndirect(t.Get()));
    HWND hButton = GetDlgItem(dlg.m_hWnd, IDC_FIRST);
    HWND hDrawn = GetDlgItem(dlg.m_hWnd, IDC_DRAWN_LABEL);
    // The system's own owner-draw requests, from painting.
    RedrawWindow(dlg.m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    fwtest::Pump(100);
    EXPECT_GE(dlg.m_button.m_nDrawItem, 1);
    EXPECT_EQ(dlg.m_button.m_hWndDrawn, hButton);
    EXPECT_GE(dlg.m_drawn.m_nDrawItem, 1);

    // A request sent by hand: answered TRUE, given to the object of hwndItem only.
    int nButtonBefore = dlg.m_button.m_nDrawItem;
    int nDrawnBefore = dlg.m_drawn.m_nDrawItem;
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_STATIC;
    dis.CtlID = IDC_DRAWN_LABEL;
    dis.hwndItem = hDrawn;
    dis.hDC = reinterpret_cast<HDC>(0x1234);
    EXPECT_EQ(SendMessageA(dlg.m_hWnd, WM_DRAWITEM, IDC_DRAWN_LABEL, reinterpret_cast<LPARAM>(&dis)), TRUE);
    EXPECT_EQ(dlg.m_drawn.m_nDrawItem, nDrawnBefore + 1);
    EXPECT_EQ(dlg.m_drawn.m_hdcDrawn, reinterpret_cast<HDC>(0x1234));
    EXPECT_EQ(dlg.m_button.m_nDrawItem, nButtonBefore);
    dlg.DestroyWindow();
}

TEST(DialogCreate, ChildDialogInsideAModalOne) {
    fwtest::DialogTemplate childTemplate(WS_CHILD | DS_CONTROL, 60, 20, "");
    childTemplate.AddItem(0x0082, 1, WS_CHILD | WS_VISIBLE, 0, 0, 50, 10, "child");
    class CChild : public CDialog {
    public:
        int m_nInit = 0;
        BOOL OnInitDialog() override {
            ++m_nInit;
            return CDialog::OnInitDialog();
        }
    };
    class CHost : public CTestDialog {
    public:
        CChild m_child;
        LPCDLGTEMPLATE m_childTemplate = nullptr;
        BOOL m_bCreated = FALSE;
        HWND m_hChildParent = nullptr;
        BOOL OnInitDialog() override {
            CTestDialog::OnInitDialog();
            m_bCreated = m_child.CreateIndirect(m_childTemplate, this);
            m_hChildParent = ::GetParent(m_child.m_hWnd);
            ::PostMessageA(m_hWnd, WM_TEST_STEP, 1, 0);
            return TRUE;
        }
    } host;
    fwtest::DialogTemplate t = MakeTwoButtonTemplate();
    host.m_childTemplate = childTemplate.Get();
    host.m_bBindFirst = FALSE;
    ASSERT_TRUE(host.InitModalIndirect(t.Get()));
    EXPECT_EQ(host.DoModal(), 1);
    EXPECT_TRUE(host.m_bCreated);
    EXPECT_EQ(host.m_child.m_nInit, 1);
    EXPECT_NE(host.m_hChildParent, nullptr);
    EXPECT_EQ(host.m_child.m_hWnd, nullptr) << "the child's window went with its parent";
}

TEST(DialogMainWindow, DestroyingTheMainWindowEndsTheLoop) {
    CWinApp app;
    fwtest::DialogTemplate t = MakeTwoButtonTemplate();
    class CDestroyer : public CTestDialog {
    public:
        BOOL OnInitDialog() override {
            CTestDialog::OnInitDialog();
            ::PostMessageA(m_hWnd, WM_TEST_STEP, 0, 0);
            return TRUE;
        }
    } dlg;
    dlg.m_bBindFirst = FALSE;
    dlg.m_bDestroyOnStep = TRUE;
    ASSERT_TRUE(dlg.InitModalIndirect(t.Get()));
    app.m_pMainWnd = &dlg;
    EXPECT_EQ(dlg.DoModal(), -1) << "destroyed without EndDialog";
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    MSG msg;
    EXPECT_TRUE(PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) << "the quit message was posted";
}

// The owner of a box run on another thread is disabled while it runs.
struct OwnerRun {
    HWND hOwner;
    INT_PTR result;
    BOOL ownerEnabledDuring;
    HWND ownerSeen;
};

unsigned __stdcall RunOwnedDialog(void* pArg) {
    OwnerRun* run = static_cast<OwnerRun*>(pArg);
    fwtest::DialogTemplate t = MakeTwoButtonTemplate();
    class COwned : public CTestDialog {
    public:
        explicit COwned(CWnd* pParent) : CTestDialog(pParent) {}
        BOOL OnInitDialog() override {
            CTestDialog::OnInitDialog();
            ::PostMessageA(::GetDlgItem(m_hWnd, IDC_SECOND), BM_CLICK, 0, 0);
            return TRUE;
        }
    } dlg(CWnd::FromHandle(run->hOwner));
    dlg.m_bBindFirst = FALSE;
    dlg.InitModalIndirect(t.Get());
    run->result = dlg.DoModal();
    run->ownerEnabledDuring = dlg.m_bOwnerEnabledDuringRun;
    run->ownerSeen = dlg.m_hOwnerSeen;
    return 0;
}

TEST(DialogOwner, OwnerOnAnotherThreadIsDisabledWhileTheBoxRuns) {
    MessageLog log;
    HWND hOwner = fwtest::CreateRecordingWindow(&log);
    ASSERT_NE(hOwner, nullptr);
    OwnerRun run = {hOwner, -2, TRUE, nullptr};
    HANDLE hThread = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &RunOwnedDialog, &run, 0, nullptr));
    ASSERT_NE(hThread, nullptr);
    // This thread owns the owner and must keep answering its sent messages.
    DWORD start = GetTickCount();
    while (WaitForSingleObject(hThread, 0) == WAIT_TIMEOUT && GetTickCount() - start < 20000) fwtest::Pump(20);
    CloseHandle(hThread);
    EXPECT_EQ(run.result, IDC_SECOND);
    EXPECT_EQ(run.ownerSeen, hOwner);
    EXPECT_FALSE(run.ownerEnabledDuring);
    EXPECT_TRUE(IsWindowEnabled(hOwner)) << "enabled again afterwards";
    DestroyWindow(hOwner);
}

// Two threads, each running its own modal dialog at the same time.
struct ParallelRun {
    HANDLE hMine;   // set when this thread's dialog is up
    HANDLE hOther;  // waited for before clicking
    WORD clickId;
    INT_PTR result;
    BOOL boundOnOwnThread;
    BOOL invisibleToOther;
    HWND hDlg;
};

class CParallelDialog : public CTestDialog {
public:
    ParallelRun* m_pRun = nullptr;
    BOOL OnInitDialog() override {
        CTestDialog::OnInitDialog();
        m_pRun->hDlg = m_hWnd;
        m_pRun->boundOnOwnThread = CWnd::FromHandlePermanent(m_hWnd) == this;
        SetEvent(m_pRun->hMine);
        SetTimer(1, 10, nullptr);
        return TRUE;
    }

protected:
    void OnTimer(UINT_PTR) {
        // Click only once the other thread's dialog runs too.
        if (WaitForSingleObject(m_pRun->hOther, 0) != WAIT_OBJECT_0) return;
        KillTimer(1);
        ::PostMessageA(::GetDlgItem(m_hWnd, m_pRun->clickId), BM_CLICK, 0, 0);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParallelDialog, CTestDialog)
    ON_WM_TIMER()
END_MESSAGE_MAP()

unsigned __stdcall RunParallelDialog(void* pArg) {
    ParallelRun* run = static_cast<ParallelRun*>(pArg);
    fwtest::DialogTemplate t = MakeTwoButtonTemplate();
    CParallelDialog dlg;
    dlg.m_pRun = run;
    dlg.m_bBindFirst = FALSE;
    dlg.InitModalIndirect(t.Get());
    run->result = dlg.DoModal();
    return 0;
}

TEST(DialogThreads, TwoThreadsEachRunAModalDialog) {
    HANDLE hA = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hB = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    ParallelRun runs[2] = {{hA, hB, IDC_FIRST, -2, FALSE, FALSE, nullptr},
                           {hB, hA, IDC_SECOND, -2, FALSE, FALSE, nullptr}};
    HANDLE threads[2];
    for (int i = 0; i < 2; ++i) {
        threads[i] = reinterpret_cast<HANDLE>(_beginthreadex(nullptr, 0, &RunParallelDialog, &runs[i], 0, nullptr));
        ASSERT_NE(threads[i], nullptr);
    }
    // This thread keeps answering sent messages while it waits: activating
    // the dialogs deactivates windows of this thread (and of other programs),
    // and a thread that owns windows yet blocks without pumping stalls them.
    DWORD start = GetTickCount();
    while (WaitForMultipleObjects(2, threads, TRUE, 0) == WAIT_TIMEOUT && GetTickCount() - start < 30000)
        fwtest::Pump(20);
    bool bEndedInTime = WaitForMultipleObjects(2, threads, TRUE, 0) == WAIT_OBJECT_0;
    if (!bEndedInTime) {
        // Cancel what still runs, so no thread outlives the data it uses.
        for (const ParallelRun& run : runs) {
            if (run.hDlg != nullptr && IsWindow(run.hDlg)) PostMessageA(run.hDlg, WM_COMMAND, IDCANCEL, 0);
        }
        start = GetTickCount();
        while (WaitForMultipleObjects(2, threads, TRUE, 0) == WAIT_TIMEOUT && GetTickCount() - start < 10000)
            fwtest::Pump(20);
    }
    EXPECT_TRUE(bEndedInTime) << "both dialogs ended by their clicks within 30 s";
    ASSERT_EQ(WaitForMultipleObjects(2, threads, TRUE, 0), WAIT_OBJECT_0) << "dialog threads still running";
    for (int i = 0; i < 2; ++i) {
        CloseHandle(threads[i]);
        EXPECT_EQ(runs[i].result, runs[i].clickId) << "thread " << i;
        EXPECT_TRUE(runs[i].boundOnOwnThread) << "thread " << i;
    }
    EXPECT_NE(runs[0].hDlg, runs[1].hDlg);
    CloseHandle(hA);
    CloseHandle(hB);
}

}  // namespace
