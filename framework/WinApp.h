// CWinApp: the one application object. Its constructor registers it; the
// program entry (WinMain, in AppMain.cpp) calls AfxWinMain, which runs
// InitInstance and then, only when InitInstance answers TRUE, the message
// loop (Run) until the main window is destroyed.
#pragma once

#include <windows.h>

#include "framework/MessageMap.h"

class CWnd;

class CWinApp : public CMessageTarget {
public:
    explicit CWinApp(LPCSTR lpszAppName = nullptr);
    virtual ~CWinApp();

    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitApplication();
    virtual BOOL InitInstance();
    // The message loop; returns the WM_QUIT code.
    virtual int Run();
    virtual int ExitInstance();
    // Offers a message of the loop to the window tree, then to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Called when the loop's queue is empty; TRUE asks for more idle calls.
    virtual BOOL OnIdle(LONG lCount);

    // Opens the application's help file (m_pszHelpFilePath) at its contents;
    // does nothing when the application has none.
    void OnHelp();

    CWnd* m_pMainWnd;  // destroying its window ends the message loop
    HINSTANCE m_hInstance;
    LPSTR m_lpCmdLine;
    int m_nCmdShow;
    LPCSTR m_pszAppName;
    LPCSTR m_pszHelpFilePath;
    DWORD m_nThreadID;  // the thread that runs the application
    int m_nExitCode;    // the WM_QUIT code seen by Run

    DECLARE_MESSAGE_MAP()
};

CWinApp* AfxGetApp();
CWnd* AfxGetMainWnd();

// Runs the application object: sets the module's instance handle, calls
// InitApplication and InitInstance, then Run when InitInstance succeeded,
// and ExitInstance. Returns the program's exit code (-1 without an
// application object).
int AfxWinMain(HINSTANCE hInstance, HINSTANCE hPrevInstance, LPSTR lpCmdLine, int nCmdShow);

// ID_HELP command.
#ifndef ID_HELP
#define ID_HELP 0xE146
#endif
