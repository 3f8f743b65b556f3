// A visible host window for cases on real common controls: the controls it
// creates are destroyed, and the engine emptied, at the end of each case.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "skin/engine/SkinManager.h"
#include "tests/skin/engine/EngineTestSupport.h"
#include "tests/support/WinePump.h"

namespace engine_test {

class RealControlFixture : public ::testing::Test {
protected:
    // The common-control classes to register and the host's place and size.
    RealControlFixture(DWORD dwClasses, int x, int y, int cx, int cy)
        : m_dwClasses(dwClasses), m_rcHost{x, y, x + cx, y + cy} {}

    void SetUp() override {
        INITCOMMONCONTROLSEX icc = {sizeof(icc), m_dwClasses};
        InitCommonControlsEx(&icc);
        UseTestPalette();
        m_pManager = CSkinManager::GetInstance();
        m_hHost = Keep(CreateHost(m_rcHost.left, m_rcHost.top, m_rcHost.right - m_rcHost.left,
                                  m_rcHost.bottom - m_rcHost.top, true));
        ASSERT_TRUE(m_hHost);
        scrivlo_test::WaitUntil([&] { return IsWindowVisible(m_hHost) != 0; }, 1000);
        scrivlo_test::PumpMessages(50);
    }
    void TearDown() override {
        for (auto it = m_windows.rbegin(); it != m_windows.rend(); ++it) {
            if (IsWindow(*it)) DestroyWindow(*it);
        }
        ResetEngine();
        ForgetRecordedProcs();
        scrivlo_test::PumpMessages(0);
    }
    HWND Keep(HWND h) {
        m_windows.push_back(h);
        return h;
    }
    // A visible child of the host (or of hParent), kept for the tear-down by
    // the caller when it wants it destroyed first.
    HWND Child(const char* cls, DWORD style, DWORD exStyle, int x, int y, int cx, int cy, HWND hParent = nullptr) {
        HWND h = CreateWindowExA(exStyle, cls, "", WS_CHILD | WS_VISIBLE | style, x, y, cx, cy,
                                 hParent ? hParent : m_hHost, nullptr, GetModuleHandleA(nullptr), nullptr);
        EXPECT_TRUE(h) << cls;
        return h;
    }
    // Moves the cursor to a screen point and waits until the system has it there.
    void CursorTo(int x, int y) {
        SetCursorPos(x, y);
        scrivlo_test::WaitUntil(
            [&] {
                POINT now;
                GetCursorPos(&now);
                return now.x == x && now.y == y;
            },
            1000);
        scrivlo_test::PumpMessages(20);
    }
    void CursorTo(POINT pt) { CursorTo(pt.x, pt.y); }

    CSkinManager* m_pManager = nullptr;
    HWND m_hHost = nullptr;
    std::vector<HWND> m_windows;

private:
    DWORD m_dwClasses;
    RECT m_rcHost;
};

}  // namespace engine_test
