#include "framework/WinApp.h"

#include "framework/ModuleState.h"
#include "framework/Wnd.h"
#include "framework/WndThreadState.h"

namespace {

CWinApp* g_pApp = nullptr;

}  // namespace

CWinApp::CWinApp(LPCSTR lpszAppName)
    : m_pMainWnd(nullptr),
      m_hInstance(nullptr),
      m_lpCmdLine(nullptr),
      m_nCmdShow(SW_SHOWNORMAL),
      m_pszAppName(lpszAppName),
      m_pszHelpFilePath(nullptr),
      m_nThreadID(::GetCurrentThreadId()),
      m_nExitCode(0) {
    g_pApp = this;
}

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd() { return g_pApp != nullptr ? g_pApp->m_pMainWnd : nullptr; }

BEGIN_MESSAGE_MAP(CWinApp, CMessageTarget)
END_MESSAGE_MAP()

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    HWND hWndStop = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    return CWnd::WalkPreTranslateTree(hWndStop, pMsg);
}

BOOL CWinApp::OnIdle(LONG lCount) {
    if (lCount == 0) AfxDeleteTempMaps();
    return FALSE;
}

int CWinApp::Run() {
    LONG lIdleCount = 0;
    for (;;) {
        MSG msg;
        while (!::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!OnIdle(lIdleCount++)) break;
        }
        BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == -1) continue;
        if (!bGot) {
            m_nExitCode = static_cast<int>(msg.wParam);
            break;
        }
        if (!PreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
        lIdleCount = 0;
    }
    return ExitInstance();
}

int CWinApp::ExitInstance() { return m_nExitCode; }

void CWinApp::OnHelp() {
    if (m_pszHelpFilePath == nullptr || m_pszHelpFilePath[0] == '\0') return;
    HWND hWndMain = m_pMainWnd != nullptr ? m_pMainWnd->m_hWnd : nullptr;
    ::WinHelpA(hWndMain, m_pszHelpFilePath, HELP_FINDER, 0);
}

int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow) {
    (void)hPrevInstance;
    CWinApp* pApp = AfxGetApp();
    if (pApp == nullptr) return -1;
    CModuleState* pState = AfxGetModuleState();
    if (hInstance != nullptr) {
        pState->m_hCurrentInstanceHandle = hInstance;
        pState->m_hCurrentResourceHandle = hInstance;
    }
    pApp->m_hInstance = pState->m_hCurrentInstanceHandle;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    pApp->m_nThreadID = ::GetCurrentThreadId();

    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        // No message loop: the main window, if one is left, goes now.
        if (pApp->m_pMainWnd != nullptr && pApp->m_pMainWnd->m_hWnd != nullptr) pApp->m_pMainWnd->DestroyWindow();
        pApp->m_pMainWnd = nullptr;
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
