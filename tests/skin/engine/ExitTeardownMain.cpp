// Run as its own program: a skinned dialog is left open when main returns.
// The manager's teardown at exit must still find its maps, restore the
// control's procedure and delete the skinner; the skinner's destructor says
// what it saw on standard output, which the test's pass pattern checks.
#include <windows.h>

#include <cstdio>

#include "skin/engine/ControlSkin.h"
#include "skin/engine/FlatDraw.h"
#include "skin/engine/SkinKindTable.h"
#include "skin/engine/SkinManager.h"

namespace {

class CExitSkin : public CControlSkin {
public:
    ~CExitSkin() override {
        const bool bRestored =
            reinterpret_cast<WNDPROC>(GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) != &CSkinManager::ControlWndProc;
        std::printf("skinner deleted at exit, procedure %s\n", bRestored ? "restored" : "NOT restored");
        std::fflush(stdout);
    }
    void DrawFrame(HDC hDC, const RECT* prc) override { SkinDrawFlatEdge(hDC, prc); }
};

CControlSkin* CreateExitSkin() { return new CExitSkin; }

}  // namespace

int main() {
    SkinSetKindCreator(SKIN_KIND_EDIT, &CreateExitSkin);
    CSkinManager::GetInstance()->Install(0, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hHost = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, GetModuleHandleA(nullptr),
                                 nullptr);
    HWND hEdit = CreateWindowExA(WS_EX_CLIENTEDGE, "Edit", "", WS_CHILD, 0, 0, 60, 20, hHost, nullptr,
                                 GetModuleHandleA(nullptr), nullptr);
    if (!CSkinManager::GetInstance()->SkinWindow(hEdit)) {
        std::printf("not skinned\n");
        return 1;
    }
    std::printf("skinned, leaving main\n");
    std::fflush(stdout);
    return 0;
}
