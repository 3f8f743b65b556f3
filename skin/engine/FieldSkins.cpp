#include "skin/engine/FieldSkins.h"

#include <commctrl.h>

#include "skin/engine/FieldGeometry.h"
#include "skin/engine/FlatDraw.h"
#include "skin/engine/SkinDispatch.h"
#include "skin/engine/SkinManager.h"

namespace {

SkinRect ToSkinRect(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }
RECT ToRect(const SkinRect& r) { return {r.left, r.top, r.right, r.bottom}; }

const WORD kEnSetFocus = 0x0100;
const WORD kEnKillFocus = 0x0200;
const DWORD kDtsUpDown = 0x1;

bool HasClass(HWND hWnd, const char* pszClass) {
    char szClass[SKIN_CLASS_NAME_CHARS] = {0};
    GetClassNameA(hWnd, szClass, SKIN_CLASS_NAME_CHARS);
    return lstrcmpiA(szClass, pszClass) == 0;
}

HWND BuddyOf(HWND hSpin) { return reinterpret_cast<HWND>(SendMessageA(hSpin, UDM_GETBUDDY, 0, 0)); }

void FlatEdgeAndBars(CControlSkin* pSkin, HDC hDC, const RECT* prc) {
    SkinDrawFlatEdge(hDC, prc);
    pSkin->DrawWindowScrollBars(hDC, prc);
}

// Set while an up-down hands its hot state on. Two up-downs that name each
// other as buddy would otherwise redraw each other without end; the inner
// redraw draws but passes nothing further.
bool g_bSpinPropagating = false;

void Fill(HDC hDC, const SkinJointLine& l) {
    if (l.cx == 0 || l.cy == 0) return;
    SkinFillRect(hDC, l.x, l.y, l.cx, l.cy, GetSysColor(l.nColor));
}

}  // namespace

void CBorderSkin::DrawFrame(HDC hDC, const RECT* prcFrame) { FlatEdgeAndBars(this, hDC, prcFrame); }

LRESULT CIPAddressSkin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_COMMAND) return CBorderSkin::WindowProc(message, wParam, lParam);
    const WORD nCode = HIWORD(wParam);
    if (nCode == kEnSetFocus || nCode == kEnKillFocus) RedrawFrame();
    return PassOn(message, wParam, lParam);
}

HWND CEditSkin::JoinedSpin() const {
    HWND hNext = GetWindow(m_hWnd, GW_HWNDNEXT);
    if (!hNext || !HasClass(hNext, UPDOWN_CLASSA)) return nullptr;
    if (BuddyOf(hNext) != m_hWnd) return nullptr;
    return hNext;
}

LRESULT CEditSkin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_ENABLE) return CControlSkin::WindowProc(message, wParam, lParam);
    const HWND hWnd = m_hWnd;
    PassOn(message, wParam, lParam);
    // The edit may be gone once its previous procedure returns.
    if (!CSkinManager::IsSkinOf(hWnd, this)) return 0;
    RedrawFrame();
    if (HWND hSpin = JoinedSpin()) SendMessageA(hSpin, WM_PAINT, 0, 0);
    return 0;
}

void CEditSkin::DrawFrame(HDC hDC, const RECT* prcFrame) {
    RECT r = *prcFrame;
    HWND hSpin = GetWindow(m_hWnd, GW_HWNDNEXT);
    if (hSpin && HasClass(hSpin, UPDOWN_CLASSA)) {
        const DWORD dwSpin = static_cast<DWORD>(GetWindowLongA(hSpin, GWL_STYLE));
        if ((dwSpin & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT)) && BuddyOf(hSpin) == m_hWnd) {
            RECT rs;
            GetWindowRect(hSpin, &rs);
            const int uw = rs.right - rs.left;
            const int uh = rs.bottom - rs.top;
            const int e = GetSystemMetrics(SM_CXEDGE);
            r = ToRect(SkinEditFrameAcrossSpin(ToSkinRect(r), dwSpin, uw, e));
            HDC hSpinDC = GetDC(hSpin);
            if (hSpinDC) {
                const SkinEditSpinLines lines = SkinEditJointLines(dwSpin, uw, uh, e, IsWindowEnabled(m_hWnd) != FALSE);
                Fill(hSpinDC, lines.top);
                Fill(hSpinDC, lines.left);
                ReleaseDC(hSpin, hSpinDC);
            }
        }
    }
    FlatEdgeAndBars(this, hDC, &r);
}

void CComboEditSkin::GetFrameDC(HDC* phDC, RECT* prcFrame) {
    RECT rw;
    GetWindowRect(m_hWnd, &rw);
    *prcFrame = {0, 0, (rw.right - rw.left) + 6, (rw.bottom - rw.top) + 6};
    *phDC = GetWindowDC(GetParent(m_hWnd));
}

LRESULT CComboSkin::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if ((message == WM_COMMAND && HIWORD(wParam) == kEnSetFocus) ||
        (message == WM_LBUTTONUP && static_cast<DWORD>(lParam) == 0xFFFFFFFFUL)) {
        RedrawFrame();
        return PassOn(message, wParam, lParam);
    }
    return CControlSkin::WindowProc(message, wParam, lParam);
}

void CComboSkin::DrawFrame(HDC hDC, const RECT* prcFrame) {
    FlatEdgeAndBars(this, hDC, prcFrame);
    const RECT b = ToRect(SkinComboDropButton(ToSkinRect(*prcFrame), GetSystemMetrics(SM_CXHSCROLL)));
    if (IsWindowEnabled(m_hWnd))
        SkinDrawFlatButton(hDC, &b, m_bRaised);
    else
        SkinDrawDoubleFrame(hDC, &b, COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNFACE, COLOR_BTNFACE);
}

void CDateTimeSkin::DrawFrame(HDC hDC, const RECT* prcFrame) {
    if (GetWindowLongA(m_hWnd, GWL_STYLE) & kDtsUpDown)
        FlatEdgeAndBars(this, hDC, prcFrame);
    else
        CComboSkin::DrawFrame(hDC, prcFrame);
}

void CSpinSkin::DrawFrame(HDC hDC, const RECT* prcFrame) {
    const DWORD dwStyle = static_cast<DWORD>(GetWindowLongA(m_hWnd, GWL_STYLE));
    SkinRect r = ToSkinRect(*prcFrame);
    HWND hBuddy = BuddyOf(m_hWnd);
    CControlSkin* pBuddy = nullptr;
    if (hBuddy && (dwStyle & (UDS_ALIGNRIGHT | UDS_ALIGNLEFT))) {
        r = SkinSpinJoinedRect(r, dwStyle);
        pBuddy = CSkinManager::FindSkin(hBuddy);
        if (pBuddy && !pBuddy->IsHighlighted()) {
            const SkinSpinJoint joint = SkinSpinJointLines(r, dwStyle);
            for (const SkinJointLine& l : joint.lines) Fill(hDC, l);
        }
    }

    const SkinSpinHalves halves = SkinSplitSpin(r, (dwStyle & UDS_HORZ) != 0);
    RECT rcHalf = ToRect(halves.rcFirst);
    SkinDrawFlatButton(hDC, &rcHalf, m_bRaised);
    rcHalf = ToRect(halves.rcSecond);
    SkinDrawFlatButton(hDC, &rcHalf, m_bRaised);

    // The hot state goes to the skinned buddy, else to a skinned parent.
    CControlSkin* pTarget = pBuddy;
    if (!pTarget) {
        HWND hParent = GetParent(m_hWnd);
        if (hParent) pTarget = CSkinManager::FindSkin(hParent);
    }
    if (!pTarget || g_bSpinPropagating || !IsWindowEnabled(pTarget->m_hWnd)) return;
    if (IsHighlighted())
        pTarget->m_nState = static_cast<WORD>(pTarget->m_nState | SKIN_HOT);
    else
        pTarget->m_nState = static_cast<WORD>(pTarget->m_nState & ~SKIN_HOT);
    g_bSpinPropagating = true;
    pTarget->RedrawFrame();
    g_bSpinPropagating = false;
}

CControlSkin* SkinCreateBorder() { return new CBorderSkin; }
CControlSkin* SkinCreateIPAddress() { return new CIPAddressSkin; }
CControlSkin* SkinCreateEdit() { return new CEditSkin; }
CControlSkin* SkinCreateComboEdit() { return new CComboEditSkin; }
CControlSkin* SkinCreateCombo() { return new CComboSkin; }
CControlSkin* SkinCreateDateTime() { return new CDateTimeSkin; }
CControlSkin* SkinCreateSpin() { return new CSpinSkin; }
