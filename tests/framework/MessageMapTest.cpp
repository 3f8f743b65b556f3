// Message-map dispatch: the most derived entry wins, an unhandled message
// falls through to the base's map and then to the window's own procedure,
// handlers get their arguments unpacked as their signatures say.
#include <gtest/gtest.h>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestSupport.h"

using fwtest::ExpectedMsg;
using fwtest::kCheckLParam;
using fwtest::kCheckWParam;
using fwtest::MessageLog;

namespace {

const UINT WM_TEST_BASE_ONLY = WM_APP + 1;
const UINT WM_TEST_BOTH = WM_APP + 2;
const UINT WM_TEST_NONE = WM_APP + 3;
const UINT WM_TEST_DEFAULT = WM_APP + 4;

class CBaseWnd : public CWnd {
public:
    explicit CBaseWnd(MessageLog* pLog) : m_pLog(pLog) {}
    MessageLog* m_pLog;

protected:
    LRESULT OnBaseOnly(WPARAM wParam, LPARAM lParam) {
        m_pLog->Add("base", WM_TEST_BASE_ONLY, wParam, lParam);
        return 11;
    }
    LRESULT OnBoth(WPARAM wParam, LPARAM lParam) {
        m_pLog->Add("base", WM_TEST_BOTH, wParam, lParam);
        return 12;
    }
    void OnTimer(UINT_PTR nIDEvent) { m_pLog->Add("base", WM_TIMER, nIDEvent, 0); }
    void OnCommandRange(UINT nID) { m_pLog->Add("base", WM_COMMAND, nID, 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBaseWnd, CWnd)
    ON_MESSAGE(WM_TEST_BASE_ONLY, OnBaseOnly)
    ON_MESSAGE(WM_TEST_BOTH, OnBoth)
    ON_WM_TIMER()
    ON_CONTROL_RANGE(BN_CLICKED, 100, 109, OnCommandRange)
END_MESSAGE_MAP()

class CDerivedWnd : public CBaseWnd {
public:
    explicit CDerivedWnd(MessageLog* pLog) : CBaseWnd(pLog) {}
    CPoint m_ptLast;
    UINT m_nFlagsLast = 0;

protected:
    LRESULT OnBoth(WPARAM wParam, LPARAM lParam) {
        m_pLog->Add("derived", WM_TEST_BOTH, wParam, lParam);
        return 22;
    }
    LRESULT OnDefault(WPARAM, LPARAM) {
        m_pLog->Add("derived", WM_TEST_DEFAULT, 0, 0);
        // Default hands the message being handled, unchanged, to the window's procedure.
        return Default() + 1000;
    }
    void OnLButtonDown(UINT nFlags, CPoint point) {
        m_nFlagsLast = nFlags;
        m_ptLast = point;
        m_pLog->Add("derived", WM_LBUTTONDOWN, nFlags, 0);
    }
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message) {
        m_pLog->Add("derived", WM_SETCURSOR, nHitTest, message);
        return pWnd == this ? 77 : 78;
    }
    void OnCommandRange(UINT nID) { m_pLog->Add("derived", WM_COMMAND, nID, 0); }
    void OnHelpCommand() { m_pLog->Add("derived", WM_COMMAND, ID_HELP, 0); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CDerivedWnd, CBaseWnd)
    ON_MESSAGE(WM_TEST_BOTH, OnBoth)
    ON_MESSAGE(WM_TEST_DEFAULT, OnDefault)
    ON_WM_LBUTTONDOWN()
    ON_WM_SETCURSOR()
    ON_CONTROL_RANGE(BN_CLICKED, 105, 106, OnCommandRange)
    ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

class MessageMapTest : public ::testing::Test {
protected:
    void SetUp() override {
        m_hWnd = fwtest::CreateRecordingWindow(&m_log);
        ASSERT_NE(m_hWnd, nullptr);
        ASSERT_TRUE(m_wnd.SubclassWindow(m_hWnd));
        m_log.Clear();
    }
    void TearDown() override {
        if (IsWindow(m_hWnd)) ::DestroyWindow(m_hWnd);
    }
    MessageLog m_log;
    CDerivedWnd m_wnd{&m_log};
    HWND m_hWnd = nullptr;
};

TEST_F(MessageMapTest, DerivedEntryWinsAndUnhandledFallsThrough) {
    struct Case {
        const char* context;
        UINT message;
        LRESULT expectedResult;
        ExpectedMsg expected;
    };
    const Case cases[] = {
        {"in both maps: the derived handler only",
         WM_TEST_BOTH,
         22,
         {WM_TEST_BOTH, kCheckWParam | kCheckLParam, 5, 6, "derived"}},
        {"only in the base map", WM_TEST_BASE_ONLY, 11, {WM_TEST_BASE_ONLY, kCheckWParam | kCheckLParam, 5, 6, "base"}},
        {"in no map: the window's own procedure",
         WM_TEST_NONE,
         0,
         {WM_TEST_NONE, kCheckWParam | kCheckLParam, 5, 6, "proc"}},
    };
    for (const Case& c : cases) {
        m_log.Clear();
        LRESULT r = SendMessageA(m_hWnd, c.message, 5, 6);
        EXPECT_EQ(r, c.expectedResult) << c.context;
        const ExpectedMsg expected[] = {c.expected};
        std::string diff = fwtest::CompareSequence(m_log.Entries(), expected, c.context);
        EXPECT_TRUE(diff.empty()) << diff;
    }
}

TEST_F(MessageMapTest, DefaultPassesTheCurrentMessageOn) {
    LRESULT r = SendMessageA(m_hWnd, WM_TEST_DEFAULT, 0x1234, 0x5678);
    // DefWindowProc answers 0 for a private message; the handler adds 1000.
    EXPECT_EQ(r, 1000);
    static const ExpectedMsg expected[] = {
        {WM_TEST_DEFAULT, 0, 0, 0, "derived"},
        {WM_TEST_DEFAULT, kCheckWParam | kCheckLParam, 0x1234, 0x5678, "proc"},
    };
    std::string diff = fwtest::CompareSequence(m_log.Entries(), expected, "Default");
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST_F(MessageMapTest, HandlersGetUnpackedArguments) {
    // Coordinates are signed 16-bit values: (-3, 40000 as -25536) must not become large positives.
    SendMessageA(m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, MAKELPARAM(static_cast<WORD>(-3), 7));
    EXPECT_EQ(m_wnd.m_nFlagsLast, static_cast<UINT>(MK_LBUTTON | MK_SHIFT));
    EXPECT_EQ(m_wnd.m_ptLast.x, -3);
    EXPECT_EQ(m_wnd.m_ptLast.y, 7);

    LRESULT r =
        SendMessageA(m_hWnd, WM_SETCURSOR, reinterpret_cast<WPARAM>(m_hWnd), MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(r, 77) << "the CWnd* argument is the bound object itself";

    SendMessageA(m_hWnd, WM_TIMER, 42, 0);
    static const ExpectedMsg expected[] = {
        {WM_LBUTTONDOWN, kCheckWParam, MK_LBUTTON | MK_SHIFT, 0, "derived"},
        {WM_SETCURSOR, kCheckWParam | kCheckLParam, HTCLIENT, WM_MOUSEMOVE, "derived"},
        {WM_TIMER, kCheckWParam, 42, 0, "base"},
    };
    std::string diff = fwtest::CompareSequence(m_log.Entries(), expected, "unpacking");
    EXPECT_TRUE(diff.empty()) << diff;
}

TEST_F(MessageMapTest, CommandRangesFollowTheChain) {
    struct Case {
        const char* context;
        WORD id;
        WORD code;
        ExpectedMsg expected;
    };
    const Case cases[] = {
        {"inside the derived range", 105, BN_CLICKED, {WM_COMMAND, kCheckWParam, 105, 0, "derived"}},
        {"last id of the derived range", 106, BN_CLICKED, {WM_COMMAND, kCheckWParam, 106, 0, "derived"}},
        {"in the base range only", 107, BN_CLICKED, {WM_COMMAND, kCheckWParam, 107, 0, "base"}},
        {"first id of the base range", 100, BN_CLICKED, {WM_COMMAND, kCheckWParam, 100, 0, "base"}},
        {"outside every range", 110, BN_CLICKED, {WM_COMMAND, kCheckWParam, MAKEWPARAM(110, BN_CLICKED), 0, "proc"}},
        {"other notification code",
         105,
         BN_SETFOCUS,
         {WM_COMMAND, kCheckWParam, MAKEWPARAM(105, BN_SETFOCUS), 0, "proc"}},
        {"a command entry answers an accelerator", ID_HELP, 1, {WM_COMMAND, kCheckWParam, ID_HELP, 0, "derived"}},
    };
    for (const Case& c : cases) {
        m_log.Clear();
        SendMessageA(m_hWnd, WM_COMMAND, MAKEWPARAM(c.id, c.code), 0);
        const ExpectedMsg expected[] = {c.expected};
        std::string diff = fwtest::CompareSequence(m_log.Entries(), expected, c.context);
        EXPECT_TRUE(diff.empty()) << diff;
    }
}

// A handler that throws a framework exception is stopped at the window
// procedure: the sender gets 0 and the window keeps working.
class CThrowingWnd : public CWnd {
protected:
    LRESULT OnThrow(WPARAM, LPARAM) { AfxThrowMemoryException(); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
    ON_MESSAGE(WM_TEST_BOTH, OnThrow)
END_MESSAGE_MAP()

class CThrowOnCreateWnd : public CWnd {
protected:
    int OnCreate(LPCREATESTRUCT) { AfxThrowResultException(static_cast<long>(0x80004005L)); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowOnCreateWnd, CWnd)
    ON_WM_CREATE()
END_MESSAGE_MAP()

TEST(MessageMapExceptions, StoppedAtTheWindowProcedure) {
    MessageLog log;
    HWND hWnd = fwtest::CreateRecordingWindow(&log);
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.SubclassWindow(hWnd));
    EXPECT_EQ(SendMessageA(hWnd, WM_TEST_BOTH, 0, 0), 0);
    EXPECT_TRUE(IsWindow(hWnd));
    // Still dispatching afterwards.
    SetWindowTextA(hWnd, "after");
    char text[16] = {};
    GetWindowTextA(hWnd, text, sizeof(text));
    EXPECT_STREQ(text, "after");
    wnd.DestroyWindow();
}

TEST(MessageMapExceptions, ThrowInCreateFailsTheCreation) {
    CThrowOnCreateWnd wnd;
    EXPECT_FALSE(wnd.CreateEx(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr));
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

}  // namespace
