#include "framework/Wnd.h"

#include "framework/DeviceContext.h"
#include "framework/Exceptions.h"
#include "framework/GdiObjects.h"
#include "framework/Geometry.h"
#include "framework/Strings.h"
#include "framework/WinApp.h"
#include "framework/WndThreadState.h"

// Signed client coordinates packed in an LPARAM.
#define SCRIVLO_X_LPARAM(lp) (static_cast<int>(static_cast<short>(LOWORD(lp))))
#define SCRIVLO_Y_LPARAM(lp) (static_cast<int>(static_cast<short>(HIWORD(lp))))

// ---------------------------------------------------------------------------
// Thread state

WndThreadState::~WndThreadState() {
    DeleteTemporary();
    if (hHookCbt != nullptr) ::UnhookWindowsHookEx(hHookCbt);
    // Objects still bound when the thread ends keep their handles; the
    // windows of a thread are destroyed with it, so only the map goes.
}

void WndThreadState::DeleteTemporary() {
    std::unordered_map<HWND, CWnd*> old;
    old.swap(temporary);
    for (auto& entry : old) {
        entry.second->m_hWnd = nullptr;
        delete entry.second;
    }
}

void AfxDeleteTempMaps() {
    AfxGetWndThreadState().DeleteTemporary();
    CDC::DeleteTempMap();
    CGdiObject::DeleteTempMap();
}

namespace {

// Windows the system creates by itself on a thread's first window; they must
// not take the binding meant for the caller's window.
bool IsSystemHelperWindow(HWND hWnd) {
    char szClass[32] = {};
    ::GetClassNameA(hWnd, szClass, sizeof(szClass));
    return lstrcmpiA(szClass, "IME") == 0 || lstrcmpiA(szClass, "MSCTFIME UI") == 0;
}

LRESULT CALLBACK CbtFilterHook(int nCode, WPARAM wParam, LPARAM lParam) {
    WndThreadState& state = AfxGetWndThreadState();
    if (nCode == HCBT_CREATEWND && state.pWndInit != nullptr) {
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (!IsSystemHelperWindow(hWnd)) {
            CWnd* pWnd = state.pWndInit;
            state.pWndInit = nullptr;
            if (pWnd->Attach(hWnd)) {
                WNDPROC pfnOld = reinterpret_cast<WNDPROC>(
                    ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
                if (pfnOld != &AfxWndProc) pWnd->m_pfnSuper = pfnOld;
            }
        }
    }
    return ::CallNextHookEx(state.hHookCbt, nCode, wParam, lParam);
}

// Default result of a message whose handler threw: creation fails, every
// other message counts as handled with 0.
LRESULT ResultAfterException(UINT message) {
    if (message == WM_CREATE) return -1;
    return 0;
}

}  // namespace

void AfxHookWindowCreate(CWnd* pWnd) {
    WndThreadState& state = AfxGetWndThreadState();
    if (state.hHookCbt == nullptr) {
        state.hHookCbt = ::SetWindowsHookExA(WH_CBT, &CbtFilterHook, nullptr, ::GetCurrentThreadId());
        if (state.hHookCbt == nullptr) AfxThrowLastError(::GetLastError());
    }
    ++state.nCreateDepth;
    state.pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate() {
    WndThreadState& state = AfxGetWndThreadState();
    BOOL bBound = state.pWndInit == nullptr;
    state.pWndInit = nullptr;
    if (state.nCreateDepth > 0 && --state.nCreateDepth == 0 && state.hHookCbt != nullptr) {
        ::UnhookWindowsHookEx(state.hHookCbt);
        state.hHookCbt = nullptr;
    }
    return bBound;
}

// ---------------------------------------------------------------------------
// Window procedure

namespace {

LRESULT CallWndProc(CWnd* pWnd, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    WndThreadState& state = AfxGetWndThreadState();
    MSG msgSaved = state.msgCur;
    state.msgCur.hwnd = hWnd;
    state.msgCur.message = message;
    state.msgCur.wParam = wParam;
    state.msgCur.lParam = lParam;

    LRESULT lResult;
    ++state.nDispatchDepth;
    try {
        lResult = pWnd->WindowProc(message, wParam, lParam);
    } catch (const CException& e) {
        ::OutputDebugStringA(e.What());
        lResult = ResultAfterException(message);
    }
    --state.nDispatchDepth;

    if (message == WM_NCDESTROY && pWnd->m_hWnd == hWnd) {
        // The last message: give the window its previous procedure back if
        // ours is still the outermost one, forget the handle, then let the
        // object clean up after itself.
        WNDPROC pfnSuper = pWnd->m_pfnSuper;
        if (pfnSuper != nullptr && reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
            ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnSuper));
        pWnd->Detach();
        CWinApp* pApp = AfxGetApp();
        if (pApp != nullptr && pApp->m_pMainWnd == pWnd && pApp->m_nThreadID == ::GetCurrentThreadId()) {
            // Destroying the main window ends the application's message loop.
            pApp->m_pMainWnd = nullptr;
            ::PostQuitMessage(0);
        }
        try {
            pWnd->PostNcDestroy();
        } catch (const CException& e) {
            ::OutputDebugStringA(e.What());
        }
    }

    state.msgCur = msgSaved;
    return lResult;
}

}  // namespace

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (pWnd == nullptr || pWnd->m_hWnd != hWnd) return ::DefWindowProcA(hWnd, message, wParam, lParam);
    return CallWndProc(pWnd, hWnd, message, wParam, lParam);
}

// ---------------------------------------------------------------------------
// CWnd: binding

CWnd::CWnd() : m_hWnd(nullptr), m_pfnSuper(nullptr) {}

CWnd::~CWnd() {
    CWinApp* pApp = AfxGetApp();
    if (pApp != nullptr && pApp->m_pMainWnd == this)
        pApp->m_pMainWnd = nullptr;  // never leave the application a dangling main window
    if (m_hWnd == nullptr) return;
    WndThreadState& state = AfxGetWndThreadState();
    auto it = state.permanent.find(m_hWnd);
    bool bOurs = it != state.permanent.end() && it->second == this;
    if (bOurs && ::IsWindow(m_hWnd) && ::GetWindowThreadProcessId(m_hWnd, nullptr) == ::GetCurrentThreadId()) {
        // The object goes before its window: unbind it so no message reaches
        // a destroyed object, and let the window keep working on its own.
        if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(m_hWnd, GWLP_WNDPROC)) == &AfxWndProc)
            ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC,
                                reinterpret_cast<LONG_PTR>(m_pfnSuper != nullptr ? m_pfnSuper : &::DefWindowProcA));
    }
    if (bOurs) state.permanent.erase(it);
    m_hWnd = nullptr;
}

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    WndThreadState& state = AfxGetWndThreadState();
    auto it = state.permanent.find(hWnd);
    return it == state.permanent.end() ? nullptr : it->second;
}

CWnd* CWnd::FromHandle(HWND hWnd) {
    if (hWnd == nullptr) return nullptr;
    WndThreadState& state = AfxGetWndThreadState();
    auto it = state.permanent.find(hWnd);
    if (it != state.permanent.end()) return it->second;
    auto jt = state.temporary.find(hWnd);
    if (jt != state.temporary.end()) return jt->second;
    CWnd* pWnd = new CWnd;
    pWnd->m_hWnd = hWnd;
    state.temporary.emplace(hWnd, pWnd);
    return pWnd;
}

void CWnd::DeleteTempMap() { AfxGetWndThreadState().DeleteTemporary(); }

BOOL CWnd::Attach(HWND hWndNew) {
    if (hWndNew == nullptr || m_hWnd != nullptr) return FALSE;
    WndThreadState& state = AfxGetWndThreadState();
    if (state.permanent.count(hWndNew) != 0) return FALSE;  // already bound to another object
    // A temporary wrapper of the same window would answer for it otherwise.
    auto jt = state.temporary.find(hWndNew);
    if (jt != state.temporary.end()) {
        jt->second->m_hWnd = nullptr;
        delete jt->second;
        state.temporary.erase(jt);
    }
    state.permanent.emplace(hWndNew, this);
    m_hWnd = hWndNew;
    return TRUE;
}

HWND CWnd::Detach() {
    HWND hWnd = m_hWnd;
    if (hWnd != nullptr) {
        WndThreadState& state = AfxGetWndThreadState();
        auto it = state.permanent.find(hWnd);
        if (it != state.permanent.end() && it->second == this) state.permanent.erase(it);
    }
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    return hWnd;
}

BOOL CWnd::SubclassWindow(HWND hWnd) {
    if (!::IsWindow(hWnd) || !Attach(hWnd)) return FALSE;
    PreSubclassWindow();
    WNDPROC pfnOld =
        reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (pfnOld == nullptr) {
        Detach();
        return FALSE;
    }
    if (pfnOld != &AfxWndProc) m_pfnSuper = pfnOld;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent) {
    if (pParent == nullptr || pParent->m_hWnd == nullptr) return FALSE;
    HWND hWndControl = ::GetDlgItem(pParent->m_hWnd, static_cast<int>(nID));
    return hWndControl != nullptr && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow() {
    if (m_hWnd == nullptr) return nullptr;
    if (m_pfnSuper != nullptr) ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    return Detach();
}

void CWnd::PreSubclassWindow() {}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCSTR lpszClassName, LPCSTR lpszWindowName, DWORD dwStyle, int x, int y,
                    int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu, LPVOID lpParam) {
    if (m_hWnd != nullptr) return FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateWindowExA(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, nWidth, nHeight, hWndParent,
                                  nIDorHMenu, ::GetModuleHandleA(nullptr), lpParam);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        // A window that failed in WM_CREATE is gone; so must the binding be.
        if (m_hWnd != nullptr) Detach();
        return FALSE;
    }
    if (m_hWnd == nullptr) {
        // The hook did not see the window (another thread's hook order);
        // bind it now.
        SubclassWindow(hWnd);
    }
    return m_hWnd == hWnd;
}

BOOL CWnd::DestroyWindow() {
    if (m_hWnd == nullptr) return FALSE;
    HWND hWnd = m_hWnd;
    BOOL bResult = ::DestroyWindow(hWnd);
    // A window that was only attached never routes WM_NCDESTROY to us.
    if (bResult && m_hWnd == hWnd) Detach();
    return bResult;
}

void CWnd::PostNcDestroy() {}

// ---------------------------------------------------------------------------
// CWnd: messages

const MSG* CWnd::GetCurrentMessage() { return &AfxGetWndThreadState().msgCur; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg) {
    for (HWND hWnd = pMsg->hwnd; hWnd != nullptr; hWnd = ::GetParent(hWnd)) {
        CWnd* pWnd = FromHandlePermanent(hWnd);
        if (pWnd != nullptr && pWnd->PreTranslateMessage(pMsg)) return TRUE;
        if (hWnd == hWndStop) break;
    }
    return FALSE;
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult)) lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper != nullptr) return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default() {
    const MSG& msg = AfxGetWndThreadState().msgCur;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

namespace {

bool IsCtlColorMessage(UINT message) { return message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC; }

}  // namespace

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    LRESULT lResult = 0;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam)) return FALSE;
        *pResult = 0;
        return TRUE;
    }

    // All control-colour messages share one entry.
    UINT nKey = IsCtlColorMessage(message) ? WM_CTLCOLORMSGBOX : message;
    const MessageMapEntry* pEntry = FindMessageEntry(GetMessageMap(), nKey, 0, 0);
    if (pEntry != nullptr) {
        lResult = DispatchEntry(pEntry, message, wParam, lParam);
        *pResult = lResult;
        return TRUE;
    }

    // No entry of our own: offer owner-draw and colour requests to the child
    // they concern.
    if (IsCtlColorMessage(message)) {
        HBRUSH hbr = OnCtlColor(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                FromHandle(reinterpret_cast<HWND>(lParam)), message - WM_CTLCOLORMSGBOX);
        *pResult = reinterpret_cast<LRESULT>(hbr);
        return TRUE;
    }
    if (message == WM_DRAWITEM || message == WM_MEASUREITEM || message == WM_COMPAREITEM || message == WM_DELETEITEM) {
        HWND hWndChild = nullptr;
        if (message == WM_DRAWITEM) {
            const DRAWITEMSTRUCT* pDis = reinterpret_cast<const DRAWITEMSTRUCT*>(lParam);
            if (pDis->CtlType != ODT_MENU) hWndChild = pDis->hwndItem;
        } else if (message == WM_COMPAREITEM) {
            hWndChild = reinterpret_cast<const COMPAREITEMSTRUCT*>(lParam)->hwndItem;
        } else if (message == WM_DELETEITEM) {
            hWndChild = reinterpret_cast<const DELETEITEMSTRUCT*>(lParam)->hwndItem;
        } else {
            const MEASUREITEMSTRUCT* pMis = reinterpret_cast<const MEASUREITEMSTRUCT*>(lParam);
            if (pMis->CtlType != ODT_MENU) hWndChild = ::GetDlgItem(m_hWnd, static_cast<int>(pMis->CtlID));
        }
        CWnd* pChild = FromHandlePermanent(hWndChild);
        if (pChild != nullptr && pChild->OnChildNotify(message, wParam, lParam, pResult)) return TRUE;
    }
    return FALSE;
}

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    UINT nID = LOWORD(wParam);
    UINT nCode = HIWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    if (hWndCtrl != nullptr) {
        // A control's notification: the control may handle it itself.
        CWnd* pChild = FromHandlePermanent(hWndCtrl);
        LRESULT lResult = 0;
        if (pChild != nullptr && pChild != this && pChild->OnChildNotify(WM_COMMAND, wParam, lParam, &lResult))
            return TRUE;
    }
    return OnCmdMsg(nID, nCode);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (!IsCtlColorMessage(message)) return FALSE;
    const MessageMapEntry* pEntry = FindMessageEntry(GetMessageMap(), WM_REFLECT_BASE + WM_CTLCOLORMSGBOX, 0, 0);
    if (pEntry == nullptr) return FALSE;
    typedef HBRUSH (CMessageTarget::*PFN)(CDC*, UINT);
    HBRUSH hbr = (this->*MessageHandlerCast<PFN>(pEntry->pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                               message - WM_CTLCOLORMSGBOX);
    (void)lParam;
    if (hbr == nullptr) return FALSE;  // the child declined: the parent's default applies
    *pResult = reinterpret_cast<LRESULT>(hbr);
    return TRUE;
}

LRESULT CWnd::DispatchEntry(const MessageMapEntry* pEntry, UINT message, WPARAM wParam, LPARAM lParam) {
    PFN_MSGHANDLER pfn = pEntry->pfn;
    switch (pEntry->nSig) {
    case MsgSig_v_v: (this->*pfn)(); return 0;
    case MsgSig_b_D: {
        typedef BOOL (CMessageTarget::*PFN)(CDC*);
        return (this->*MessageHandlerCast<PFN>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)));
    }
    case MsgSig_hb_DWu: {
        typedef HBRUSH (CMessageTarget::*PFN)(CDC*, CWnd*, UINT);
        HBRUSH hbr = (this->*MessageHandlerCast<PFN>(pfn))(CDC::FromHandle(reinterpret_cast<HDC>(wParam)),
                                                           FromHandle(reinterpret_cast<HWND>(lParam)),
                                                           message - WM_CTLCOLORMSGBOX);
        return reinterpret_cast<LRESULT>(hbr);
    }
    case MsgSig_v_uP: {
        typedef void (CMessageTarget::*PFN)(UINT, CPoint);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<UINT>(wParam),
                                              CPoint(SCRIVLO_X_LPARAM(lParam), SCRIVLO_Y_LPARAM(lParam)));
        return 0;
    }
    case MsgSig_b_Wuu: {
        typedef BOOL (CMessageTarget::*PFN)(CWnd*, UINT, UINT);
        return (this->*MessageHandlerCast<PFN>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)), LOWORD(lParam),
                                                     HIWORD(lParam));
    }
    case MsgSig_v_W: {
        typedef void (CMessageTarget::*PFN)(CWnd*);
        (this->*MessageHandlerCast<PFN>(pfn))(FromHandle(reinterpret_cast<HWND>(wParam)));
        return 0;
    }
    case MsgSig_v_up: {
        typedef void (CMessageTarget::*PFN)(UINT_PTR);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<UINT_PTR>(wParam));
        return 0;
    }
    case MsgSig_h_v: {
        typedef HCURSOR (CMessageTarget::*PFN)();
        return reinterpret_cast<LRESULT>((this->*MessageHandlerCast<PFN>(pfn))());
    }
    case MsgSig_l_wl: {
        typedef LRESULT (CMessageTarget::*PFN)(WPARAM, LPARAM);
        return (this->*MessageHandlerCast<PFN>(pfn))(wParam, lParam);
    }
    case MsgSig_v_u: {
        typedef void (CMessageTarget::*PFN)(UINT);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<UINT>(wParam));
        return 0;
    }
    case MsgSig_i_cs: {
        typedef int (CMessageTarget::*PFN)(LPCREATESTRUCTA);
        return (this->*MessageHandlerCast<PFN>(pfn))(reinterpret_cast<LPCREATESTRUCTA>(lParam));
    }
    case MsgSig_v_uii: {
        typedef void (CMessageTarget::*PFN)(UINT, int, int);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    case MsgSig_u_P: {
        typedef UINT (CMessageTarget::*PFN)(CPoint);
        return (this->*MessageHandlerCast<PFN>(pfn))(CPoint(SCRIVLO_X_LPARAM(lParam), SCRIVLO_Y_LPARAM(lParam)));
    }
    case MsgSig_v_b: {
        typedef void (CMessageTarget::*PFN)(BOOL);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<BOOL>(wParam));
        return 0;
    }
    case MsgSig_v_ii: {
        typedef void (CMessageTarget::*PFN)(int, int);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam)));
        return 0;
    }
    case MsgSig_v_bu: {
        typedef void (CMessageTarget::*PFN)(BOOL, UINT);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        return 0;
    }
    case MsgSig_v_uu: {
        typedef void (CMessageTarget::*PFN)(UINT, LPARAM);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<UINT>(wParam), lParam);
        return 0;
    }
    case MsgSig_v_uuu: {
        typedef void (CMessageTarget::*PFN)(UINT, UINT, UINT);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return 0;
    }
    case MsgSig_v_iDRAW: {
        typedef void (CMessageTarget::*PFN)(int, LPDRAWITEMSTRUCT);
        (this->*MessageHandlerCast<PFN>(pfn))(static_cast<int>(wParam), reinterpret_cast<LPDRAWITEMSTRUCT>(lParam));
        return TRUE;
    }
    case MsgSig_hb_Du:
    case MsgSig_v_DRAW:
    case MsgSig_end: break;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// CWnd: default handlers

BEGIN_MESSAGE_MAP(CWnd, CMessageTarget)
END_MESSAGE_MAP()

void CWnd::OnPaint() { Default(); }

BOOL CWnd::OnEraseBkgnd(CDC*) { return static_cast<BOOL>(Default()); }

HBRUSH CWnd::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor) {
    (void)pDC;
    (void)nCtlColor;
    const MSG& msg = AfxGetWndThreadState().msgCur;
    if (pWnd != nullptr && pWnd->m_hWnd != nullptr && pWnd->m_hWnd != m_hWnd) {
        CWnd* pChild = FromHandlePermanent(pWnd->m_hWnd);
        LRESULT lResult = 0;
        if (pChild != nullptr && pChild->OnChildNotify(msg.message, msg.wParam, msg.lParam, &lResult))
            return reinterpret_cast<HBRUSH>(lResult);
    }
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDestroy() { Default(); }

void CWnd::OnNcDestroy() { Default(); }

// ---------------------------------------------------------------------------
// CWnd: attributes and operations

namespace {

BOOL ModifyStyleBits(HWND hWnd, int nIndex, DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    DWORD dwStyle = static_cast<DWORD>(::GetWindowLongA(hWnd, nIndex));
    DWORD dwNew = (dwStyle & ~dwRemove) | dwAdd;
    if (dwStyle == dwNew) return FALSE;
    ::SetWindowLongA(hWnd, nIndex, static_cast<LONG>(dwNew));
    if (nFlags != 0)
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | nFlags);
    return TRUE;
}

}  // namespace

BOOL CWnd::ModifyStyle(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(m_hWnd, GWL_STYLE, dwRemove, dwAdd, nFlags);
}

BOOL CWnd::ModifyStyleEx(DWORD dwRemove, DWORD dwAdd, UINT nFlags) {
    return ModifyStyleBits(m_hWnd, GWL_EXSTYLE, dwRemove, dwAdd, nFlags);
}

void CWnd::GetWindowText(CString& rString) const {
    int nLength = ::GetWindowTextLengthA(m_hWnd);
    char* pBuffer = rString.GetBuffer(nLength);
    int nCopied = ::GetWindowTextA(m_hWnd, pBuffer, nLength + 1);
    rString.ReleaseBuffer(nCopied < 0 ? 0 : nCopied);
}

void CWnd::SetFont(CFont* pFont, BOOL bRedraw) {
    HFONT hFont = pFont != nullptr ? static_cast<HFONT>(pFont->GetSafeHandle()) : nullptr;
    ::SendMessageA(m_hWnd, WM_SETFONT, reinterpret_cast<WPARAM>(hFont), bRedraw);
}

CFont* CWnd::GetFont() const {
    HFONT hFont = reinterpret_cast<HFONT>(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    return hFont != nullptr ? CFont::FromHandle(hFont) : nullptr;
}

BOOL CWnd::SetWindowPos(const CWnd* pWndInsertAfter, int x, int y, int cx, int cy, UINT nFlags) {
    // The special insert-after values (wndTop, wndTopMost...) arrive as
    // pointers holding HWND_TOP, HWND_TOPMOST...
    HWND hWndInsertAfter = nullptr;
    if (pWndInsertAfter != nullptr) {
        INT_PTR nSpecial = reinterpret_cast<INT_PTR>(pWndInsertAfter);
        if (nSpecial >= -2 && nSpecial <= 1)
            hWndInsertAfter = reinterpret_cast<HWND>(nSpecial);
        else
            hWndInsertAfter = pWndInsertAfter->m_hWnd;
    }
    return ::SetWindowPos(m_hWnd, hWndInsertAfter, x, y, cx, cy, nFlags);
}