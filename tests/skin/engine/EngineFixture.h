// The fixture of the engine's Wine tests: test kinds installed, the engine
// emptied and every window of the case destroyed at its end.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/SkinManager.h"
#include "tests/skin/engine/EngineTestRes.h"
#include "tests/skin/engine/EngineTestSupport.h"
#include "tests/support/WinePump.h"

namespace engine_test {

class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES |
                                                     ICC_USEREX_CLASSES | ICC_TAB_CLASSES};
        InitCommonControlsEx(&icc);
        InstallTestKinds();
        UseTestPalette();
        m_pManager = CSkinManager::GetInstance();
    }
    void TearDown() override {
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
            if (IsWindow(*it)) DestroyWindow(*it);
        }
        ResetEngine();
        scrivlo_test::PumpMessages(0);
    }
    // Destroyed at the end of the case.
    HWND Keep(HWND hWnd) {
        m_windows.push_back(hWnd);
        return hWnd;
    }
    static WNDPROC ProcOf(HWND hWnd) { return reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)); }

    CSkinManager* m_pManager = nullptr;
    std::vector<HWND> m_windows;
};

// The procedure of the tests' dialogs: records WM_PARENTNOTIFY (with whether
// the new child was skinned already) and creates the nested dialog in
// WM_INITDIALOG when the creation parameter is 1.
INT_PTR CALLBACK TestDlgProc(HWND hDlg, UINT message, WPARAM wParam, LPARAM lParam);
HWND CreateTestDialog(int nId, HWND hParent, LPARAM lParam = 0);

}  // namespace engine_test
