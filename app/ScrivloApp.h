// The application object: installs the skin hook for the user-interface
// thread and runs the main dialog; the program ends when the dialog closes.
#pragma once

#include "framework/WinApp.h"

class CScrivloApp : public CWinApp {
public:
    CScrivloApp();
    ~CScrivloApp() override;

    // Always FALSE: the framework ends the program instead of running a
    // message loop of its own.
    BOOL InitInstance() override;

    DECLARE_MESSAGE_MAP()
};
