// The module state and the resource look-up across modules.
#include <gtest/gtest.h>

#include <string>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestRes.h"

namespace {

// The first dialog name of a module; a string name lives only during the
// enumeration, so it is copied.
struct FirstName {
    bool found = false;
    WORD id = 0;
    std::string name;
};

BOOL CALLBACK TakeFirstName(HMODULE, LPCSTR, LPSTR lpName, LONG_PTR lParam) {
    FirstName* first = reinterpret_cast<FirstName*>(lParam);
    first->found = true;
    if (IS_INTRESOURCE(lpName))
        first->id = LOWORD(reinterpret_cast<ULONG_PTR>(lpName));
    else
        first->name = lpName;
    return FALSE;  // the first one is enough
}

// Restores the resource handle however the case ends.
struct ResourceHandleGuard {
    HINSTANCE saved = AfxGetModuleState()->m_hCurrentResourceHandle;
    ~ResourceHandleGuard() { AfxGetModuleState()->m_hCurrentResourceHandle = saved; }
};

TEST(ModuleState, StartsWithTheProgramModule) {
    HINSTANCE hExe = GetModuleHandleA(nullptr);
    EXPECT_EQ(AfxGetModuleState()->m_hCurrentInstanceHandle, hExe);
    EXPECT_EQ(AfxGetModuleState()->m_hCurrentResourceHandle, hExe);
    EXPECT_EQ(AfxGetInstanceHandle(), hExe);
    EXPECT_EQ(AfxGetResourceHandle(), hExe);
    EXPECT_EQ(AfxGetModuleState(), AfxGetModuleState()) << "one state per process";
}

TEST(ModuleState, FindResourceHandleSearchesTheModules) {
    ResourceHandleGuard guard;
    HINSTANCE hExe = GetModuleHandleA(nullptr);
    HINSTANCE hUser = GetModuleHandleA("user32.dll");
    ASSERT_NE(hUser, nullptr);
    // A dialog template that only the system module has (its first one, by
    // integer id: a named one would also be found by that name).
    FirstName first;
    EnumResourceNamesA(hUser, MAKEINTRESOURCEA(5), &TakeFirstName, reinterpret_cast<LONG_PTR>(&first));
    ASSERT_TRUE(first.found) << "the system module has dialog templates";
    LPCSTR lpszUserDialog = first.name.empty() ? MAKEINTRESOURCEA(first.id) : first.name.c_str();

    const LPCSTR ourDialog = MAKEINTRESOURCEA(IDD_FW_RESOURCE_DIALOG);
    const LPCSTR noDialog = MAKEINTRESOURCEA(4299);

    struct Case {
        const char* context;
        HINSTANCE resourceHandle;
        LPCSTR name;
        HINSTANCE expected;
    };
    const Case cases[] = {
        {"our template from our module", hExe, ourDialog, hExe},
        {"a missing template", hExe, noDialog, nullptr},
        {"the current resource module first", hUser, lpszUserDialog, hUser},
        {"falls back to the program module", hUser, ourDialog, hExe},
        {"missing everywhere", hUser, noDialog, nullptr},
    };
    for (const Case& c : cases) {
        AfxGetModuleState()->m_hCurrentResourceHandle = c.resourceHandle;
        EXPECT_EQ(AfxFindResourceHandle(c.name, MAKEINTRESOURCEA(5)), c.expected) << c.context;
    }
    AfxSetResourceHandle(hUser);
    EXPECT_EQ(AfxGetResourceHandle(), hUser);
}

}  // namespace
