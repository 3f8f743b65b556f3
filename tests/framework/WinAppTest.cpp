// The application object and AfxWinMain: InitInstance decides whether the
// message loop runs; destroying the main window ends it.
#include <gtest/gtest.h>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

enum class Plan { ReturnFalse, QuitWithCode, DestroyMainWindow };

class CTestApp : public CWinApp {
public:
    Plan m_plan = Plan::ReturnFalse;
    int m_nInitInstance = 0;
    int m_nExitInstance = 0;
    CWnd m_main;

    BOOL InitInstance() override {
        ++m_nInitInstance;
        CWinApp::InitInstance();
        switch (m_plan) {
        case Plan::ReturnFalse: return FALSE;
        case Plan::QuitWithCode: PostQuitMessage(7); return TRUE;
        case Plan::DestroyMainWindow:
            if (!m_main.CreateEx(0, "STATIC", "main", WS_POPUP, 0, 0, 20, 20, nullptr, nullptr)) return FALSE;
            m_pMainWnd = &m_main;
            // Destroyed from inside the loop.
            m_main.PostMessage(WM_CLOSE);
            return TRUE;
        }
        return FALSE;
    }
    int ExitInstance() override {
        ++m_nExitInstance;
        return CWinApp::ExitInstance();
    }
    void OnHelpCommand() { ++m_nHelp; }
    int m_nHelp = 0;
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelpCommand)
END_MESSAGE_MAP()

TEST(WinApp, AfxWinMainRunsTheApplicationObject) {
    struct Case {
        const char* context;
        Plan plan;
        int expectedExitCode;
    };
    const Case cases[] = {
        {"InitInstance FALSE: no loop, ExitInstance's code", Plan::ReturnFalse, 0},
        {"the loop returns the quit code", Plan::QuitWithCode, 7},
        {"destroying the main window ends the loop", Plan::DestroyMainWindow, 0},
    };
    for (const Case& c : cases) {
        CTestApp app;
        app.m_plan = c.plan;
        EXPECT_EQ(AfxGetApp(), &app) << c.context;
        int code = AfxWinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW);
        EXPECT_EQ(code, c.expectedExitCode) << c.context;
        EXPECT_EQ(app.m_nInitInstance, 1) << c.context;
        EXPECT_EQ(app.m_nExitInstance, 1) << c.context;
        EXPECT_EQ(app.m_hInstance, GetModuleHandleA(nullptr)) << c.context;
        EXPECT_EQ(app.m_pMainWnd, nullptr) << c.context;
        EXPECT_EQ(app.m_main.m_hWnd, nullptr) << c.context;
        // Leave no quit message behind for the next case.
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        }
    }
    EXPECT_EQ(AfxGetApp(), nullptr) << "the object unregisters when it goes";
}

TEST(WinApp, NoApplicationObject) {
    EXPECT_EQ(AfxWinMain(GetModuleHandleA(nullptr), nullptr, const_cast<LPSTR>(""), SW_SHOW), -1);
}

TEST(WinApp, CommandsThroughTheApplicationMap) {
    CTestApp app;
    EXPECT_TRUE(app.OnCmdMsg(ID_HELP, 0));
    EXPECT_EQ(app.m_nHelp, 1);
    EXPECT_FALSE(app.OnCmdMsg(ID_HELP + 1, 0));
    EXPECT_EQ(app.m_nHelp, 1);
}

}  // namespace
