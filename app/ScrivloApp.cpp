#include "app/ScrivloApp.h"

#include "app/ScrivloDlg.h"
#include "skin/engine/SkinManager.h"

BEGIN_MESSAGE_MAP(CScrivloApp, CWinApp)
    ON_COMMAND(ID_HELP, OnHelp)
END_MESSAGE_MAP()

CScrivloApp::CScrivloApp() : CWinApp(nullptr) {}

CScrivloApp::~CScrivloApp() = default;

BOOL CScrivloApp::InitInstance() {
    CWinApp::InitInstance();

    // The hook skins a dialog when it sees the dialog initialise, so it must
    // be in place before the dialog exists: flat buttons with shadow-coloured
    // outlines, this thread, dialog mode.
    CSkinManager::GetInstance()->Install(FALSE, static_cast<DWORD>(-1), 1);

    CScrivloDlg dialog(nullptr);
    m_pMainWnd = &dialog;
    dialog.DoModal();
    m_pMainWnd = nullptr;
    return FALSE;
}

// The one application object.
CScrivloApp theApp;
