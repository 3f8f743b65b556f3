// The module state: which module the program's resources and instance come
// from. There is one per process (the program is one module). Code that
// takes resources from another module for a while (the message box takes
// them from its owner's module) saves m_hCurrentResourceHandle, sets its own
// and puts the saved one back.
#pragma once

#include <windows.h>

struct CModuleState {
    HINSTANCE m_hCurrentInstanceHandle;  // the program's instance
    HINSTANCE m_hCurrentResourceHandle;  // where resources are loaded from
};
typedef CModuleState AFX_MODULE_STATE;

// The process's module state; both handles start as the program file's.
CModuleState* AfxGetModuleState();

HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);

// The module that holds resource lpszName of type lpszType: the current
// resource module, else the instance module, else the program file; null
// when none of them holds it.
HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType);
