#include "framework/ModuleState.h"

CModuleState* AfxGetModuleState() {
    static CModuleState s_state = {::GetModuleHandleA(nullptr), ::GetModuleHandleA(nullptr)};
    return &s_state;
}

HINSTANCE AfxGetInstanceHandle() { return AfxGetModuleState()->m_hCurrentInstanceHandle; }

HINSTANCE AfxGetResourceHandle() { return AfxGetModuleState()->m_hCurrentResourceHandle; }

void AfxSetResourceHandle(HINSTANCE hInstResource) { AfxGetModuleState()->m_hCurrentResourceHandle = hInstResource; }

HINSTANCE AfxFindResourceHandle(LPCSTR lpszName, LPCSTR lpszType) {
    const CModuleState* pState = AfxGetModuleState();
    const HINSTANCE candidates[] = {pState->m_hCurrentResourceHandle, pState->m_hCurrentInstanceHandle,
                                    ::GetModuleHandleA(nullptr)};
    for (HINSTANCE hInst : candidates) {
        if (hInst != nullptr && ::FindResourceA(hInst, lpszName, lpszType) != nullptr) return hInst;
    }
    return nullptr;
}
