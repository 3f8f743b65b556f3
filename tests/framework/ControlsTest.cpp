// The thin control wrappers and the tooltip.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestSupport.h"

namespace {

TEST(Controls, ButtonAndStaticCreateAndForward) {
    CWnd parent;
    ASSERT_TRUE(parent.CreateEx(0, "STATIC", "parent", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CButton check;
    ASSERT_TRUE(check.Create("Check", WS_CHILD | WS_VISIBLE | BS_AUTOCHECKBOX, CRect(5, 5, 100, 25), &parent, 11));
    EXPECT_EQ(check.GetDlgCtrlID(), 11);
    EXPECT_EQ(parent.GetDlgItem(11), &check);
    EXPECT_EQ(check.GetParent(), &parent);
    EXPECT_EQ(check.GetCheck(), BST_UNCHECKED);
    check.SetCheck(BST_CHECKED);
    EXPECT_EQ(check.GetCheck(), BST_CHECKED);
    EXPECT_EQ(check.GetButtonStyle() & 0xF, static_cast<UINT>(BS_AUTOCHECKBOX));

    CStatic label;
    ASSERT_TRUE(label.Create("Label", WS_CHILD | WS_VISIBLE | SS_LEFT, CRect(5, 30, 100, 50), &parent, 12));
    CString text;
    label.GetWindowText(text);
    EXPECT_STREQ(static_cast<const char*>(text), "Label");
    parent.DestroyWindow();
    EXPECT_EQ(check.m_hWnd, nullptr) << "children unbound with their parent";
    EXPECT_EQ(label.m_hWnd, nullptr);
}

TEST(ToolTip, RelaysOnlyWhileItHasAWindow) {
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "STATIC", "owner", WS_POPUP, 0, 0, 200, 100, nullptr, nullptr));
    CToolTipCtrl tip;
    MSG msg = {owner.m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5), GetTickCount(), {5, 5}};
    tip.RelayEvent(&msg);  // no window: nothing to do, nothing breaks
    EXPECT_EQ(tip.GetSafeHwnd(), nullptr);
    EXPECT_FALSE(tip.AddTool(&owner, "tip")) << "no tools without a window";

    ASSERT_TRUE(tip.Create(&owner));
    EXPECT_NE(tip.GetSafeHwnd(), nullptr);
    EXPECT_TRUE(tip.AddTool(&owner, "tip"));
    EXPECT_EQ(SendMessageA(tip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 1);
    tip.RelayEvent(&msg);
    tip.DelTool(&owner);
    EXPECT_EQ(SendMessageA(tip.m_hWnd, TTM_GETTOOLCOUNT, 0, 0), 0);
    HWND hTip = tip.m_hWnd;
    tip.DestroyWindow();
    EXPECT_FALSE(IsWindow(hTip));
    owner.DestroyWindow();
}

}  // namespace
