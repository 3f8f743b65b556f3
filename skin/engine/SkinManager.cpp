#include "skin/engine/SkinManager.h"

#include <new>

#include "framework/Exceptions.h"
#include "skin/engine/ControlSkin.h"
#include "skin/engine/DialogHook.h"
#include "skin/engine/SkinDispatch.h"
#include "skin/engine/SkinKindTable.h"

// The maps live as long as the process and are never destroyed: the
// manager's teardown at exit walks them, and a window whose record the
// teardown keeps (another procedure was put on top of the engine's) still
// finds it in every message that reaches the engine's procedure afterwards,
// whatever static objects are gone by then. Made before the manager.
BOOL CSkinManager::m_bRaisedButtons = FALSE;
HWND CSkinManager::m_hHoverWnd = nullptr;
CMapPtrToPtr& CSkinManager::m_mapControls = *new CMapPtrToPtr(10);
CMapPtrToPtr& CSkinManager::m_mapDialogs = *new CMapPtrToPtr(10);
CMapWordToPtr& CSkinManager::m_mapHooks = *new CMapWordToPtr(10);

namespace {

CSkinManager g_skinManager;

const DWORD kCurrentThread = static_cast<DWORD>(-1);
const UINT kHoverPeriod = 100;  // ms

int CompareClassNoCase(const char* a, const char* b) { return lstrcmpiA(a, b); }

// The window's class name in the dispatcher's 64-character buffer.
void ReadClassName(HWND hWnd, char (&szClass)[SKIN_CLASS_NAME_CHARS]) {
    szClass[0] = '\0';
    if (GetClassNameA(hWnd, szClass, SKIN_CLASS_NAME_CHARS) <= 0) szClass[0] = '\0';
}

DWORD ReadStyle(HWND hWnd) { return static_cast<DWORD>(GetWindowLongA(hWnd, GWL_STYLE)); }

// Puts pfnOld back as hWnd's procedure if pfnOurs is still on top. Returns
// whether the window's record may go: it was put back, or the window is gone.
bool ReleaseSubclass(HWND hWnd, WNDPROC pfnOurs, WNDPROC pfnOld) {
    if (!IsWindow(hWnd)) return true;
    if (reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) != pfnOurs) return false;
    if (pfnOld) SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pfnOld));
    return true;
}

}  // namespace

CSkinManager* CSkinManager::GetInstance() { return &g_skinManager; }

CSkinManager::CSkinManager() : m_nMode(0), m_nTimerID(0) {}

CSkinManager::~CSkinManager() { Teardown(); }

void CSkinManager::Install(BOOL bRaisedButtons, DWORD dwThreadId, int nMode) {
    m_nMode = nMode;
    m_bRaisedButtons = bRaisedButtons;
    const DWORD dwThread = dwThreadId == kCurrentThread ? GetCurrentThreadId() : dwThreadId;
    const WORD key = ThreadKey(dwThread);
    void* pHook = nullptr;
    if (m_mapHooks.Lookup(key, pHook)) return;  // at most one hook per thread
    HHOOK hHook = SetWindowsHookExA(WH_CALLWNDPROC, &CSkinManager::HookProc, nullptr, dwThread);
    try {
        m_mapHooks[key] = hHook;  // a failed (null) hook is kept too
    } catch (const CMemoryException&) {
        // Without an entry the hook would never be removed.
        if (hHook) UnhookWindowsHookEx(hHook);
    }
}

void CSkinManager::Uninstall(DWORD dwThreadId) {
    const DWORD dwThread = dwThreadId == kCurrentThread ? GetCurrentThreadId() : dwThreadId;
    const WORD key = ThreadKey(dwThread);
    void* pHook = nullptr;
    if (!m_mapHooks.Lookup(key, pHook)) return;
    UnhookWindowsHookEx(static_cast<HHOOK>(pHook));
    m_mapHooks.RemoveKey(key);
    if (m_nTimerID != 0 && m_mapHooks.IsEmpty()) StopHoverTimer();
}

LRESULT CALLBACK CSkinManager::HookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    void* pHook = nullptr;
    if (!m_mapHooks.Lookup(ThreadKey(GetCurrentThreadId()), pHook)) return 0;
    if (nCode == HC_ACTION) {
        const CWPSTRUCT* pcwp = reinterpret_cast<const CWPSTRUCT*>(lParam);
        CSkinManager* pThis = GetInstance();
        if (pThis->m_nMode == SKIN_MODE_DIALOG) {
            if (pcwp->message == WM_INITDIALOG) pThis->SkinDialog(pcwp->hwnd, m_bRaisedButtons);
        } else if (pcwp->message == WM_CREATE) {
            const DWORD dwStyle = ReadStyle(pcwp->hwnd);
            if (dwStyle & WS_CHILD) {
                char szClass[SKIN_CLASS_NAME_CHARS];
                ReadClassName(pcwp->hwnd, szClass);
                if (SkinIsCreationCandidate(szClass, dwStyle)) pThis->SkinWindow(pcwp->hwnd);
            }
        }
    }
    return CallNextHookEx(static_cast<HHOOK>(pHook), nCode, wParam, lParam);
}

void CSkinManager::SkinDialog(HWND hDlg, BOOL bRaisedButtons) {
    m_bRaisedButtons = bRaisedButtons;
    if (!hDlg) return;  // GetTopWindow(NULL) would walk the desktop's windows
    void* pRecord = nullptr;
    if (m_mapDialogs.Lookup(hDlg, pRecord)) return;

    for (HWND hChild = GetTopWindow(hDlg); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        char szClass[SKIN_CLASS_NAME_CHARS];
        ReadClassName(hChild, szClass);
        if (SkinIsSweepCandidate(szClass, ReadStyle(hChild), CompareClassNoCase)) SkinWindow(hChild);
    }

    HookDialog(hDlg);

    // Every skinned control is drawn at once.
    for (HWND hChild = GetTopWindow(hDlg); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (CControlSkin* pSkin = FindSkin(hChild)) pSkin->RedrawFrame();
    }
}

void CSkinManager::SkinChildren(HWND hWnd, BOOL bEvery) {
    HWND hChild = GetTopWindow(hWnd);
    if (!bEvery) {
        if (hChild) SkinWindow(hChild);
        return;
    }
    for (; hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) SkinWindow(hChild);
}

BOOL CSkinManager::SkinWindow(HWND hWnd) {
    if (!hWnd || FindSkin(hWnd)) return FALSE;

    char szClass[SKIN_CLASS_NAME_CHARS];
    ReadClassName(hWnd, szClass);
    char szParentClass[SKIN_CLASS_NAME_CHARS] = "";
    DWORD dwParentStyle = 0;
    // Only an edit control asks about its parent (a simple combo box).
    if (lstrcmpiA(szClass, "Edit") == 0) {
        if (HWND hParent = GetParent(hWnd)) {
            ReadClassName(hParent, szParentClass);
            dwParentStyle = ReadStyle(hParent);
        }
    }

    SkinWindowFacts facts;
    facts.pszClass = szClass;
    facts.dwStyle = ReadStyle(hWnd);
    facts.dwExStyle = static_cast<DWORD>(GetWindowLongA(hWnd, GWL_EXSTYLE));
    facts.pszParentClass = szParentClass;
    facts.dwParentStyle = dwParentStyle;
    const SkinDispatch d = SkinChooseKind(facts, CompareClassNoCase);

    // Children of composite controls come first, before the control's own skinner.
    if (d.nChildren != SKIN_CHILDREN_NONE) SkinChildren(hWnd, d.nChildren == SKIN_CHILDREN_EVERY);
    if (d.nKind == SKIN_KIND_NONE) return FALSE;

    CControlSkin* pSkin = SkinCreateKind(d.nKind);
    if (!pSkin) return FALSE;
    return AttachSkin(hWnd, pSkin);
}

BOOL CSkinManager::AttachSkin(HWND hWnd, CControlSkin* pSkin) {
    if (!pSkin) return FALSE;
    if (!hWnd || FindSkin(hWnd)) {
        delete pSkin;
        return FALSE;
    }
    // The map entry is made before the window is touched, so a failed
    // allocation leaves the window exactly as it was.
    void** ppSlot = nullptr;
    try {
        ppSlot = &m_mapControls[hWnd];
    } catch (const CMemoryException&) {
        delete pSkin;
        return FALSE;
    }
    pSkin->m_bRaised = m_bRaisedButtons;
    pSkin->Attach(hWnd, &CSkinManager::ControlWndProc);
    *ppSlot = pSkin;
    if (m_nTimerID == 0) StartHoverTimer();
    return TRUE;
}

void CSkinManager::HookDialog(HWND hDlg) {
    if (!hDlg) return;
    void* pExisting = nullptr;
    // A second record would take DialogWndProc as its previous procedure and
    // call itself without end.
    if (m_mapDialogs.Lookup(hDlg, pExisting)) return;
    CDialogHook* pHook = new (std::nothrow) CDialogHook;
    if (!pHook) return;
    void** ppSlot = nullptr;
    try {
        ppSlot = &m_mapDialogs[hDlg];
    } catch (const CMemoryException&) {
        delete pHook;
        return;
    }
    pHook->m_hWnd = hDlg;
    pHook->m_pfnOldProc = reinterpret_cast<WNDPROC>(GetWindowLongPtrA(hDlg, GWLP_WNDPROC));
    SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CSkinManager::DialogWndProc));
    *ppSlot = pHook;
}

BOOL CSkinManager::RemoveControl(HWND hWnd) {
    void* pValue = nullptr;
    if (!m_mapControls.Lookup(hWnd, pValue)) return FALSE;
    CControlSkin* pSkin = static_cast<CControlSkin*>(pValue);
    if (pSkin) SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pSkin->m_pfnOldProc));
    m_mapControls.RemoveKey(hWnd);
    delete pSkin;
    if (m_mapControls.IsEmpty()) StopHoverTimer();
    return TRUE;
}

void CSkinManager::RemoveDialog(HWND hDlg) {
    void* pValue = nullptr;
    if (!m_mapDialogs.Lookup(hDlg, pValue)) return;
    CDialogHook* pHook = static_cast<CDialogHook*>(pValue);
    if (pHook) SetWindowLongPtrA(hDlg, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pHook->m_pfnOldProc));
    m_mapDialogs.RemoveKey(hDlg);
    delete pHook;
}

void CSkinManager::SetHot(CControlSkin* pSkin, BOOL bHot) {
    if (bHot)
        pSkin->m_nState = static_cast<WORD>(pSkin->m_nState | SKIN_HOT);
    else
        pSkin->m_nState = static_cast<WORD>(pSkin->m_nState & ~SKIN_HOT);
    pSkin->RedrawFrame();
}

void CSkinManager::TrackHover() {
    if (m_mapControls.IsEmpty() || GetCapture()) return;

    POINT pt;
    GetCursorPos(&pt);
    HWND hUnder = WindowFromPoint(pt);
    CControlSkin* pSkin = FindSkin(hUnder);
    if (!pSkin && hUnder) {
        // One level up: the part of a composite control that is not skinned itself.
        if (HWND hParent = GetParent(hUnder)) pSkin = FindSkin(hParent);
    }

    if (pSkin) {
        if (!pSkin->NeedsHoverUpdate(&pt)) return;
        // Also when pSkin is the hover window itself (a hot item changed).
        if (CControlSkin* pOld = FindSkin(m_hHoverWnd)) {
            SetHot(pOld, FALSE);
            m_hHoverWnd = nullptr;
        }
        SetHot(pSkin, TRUE);
        m_hHoverWnd = pSkin->m_hWnd;
        return;
    }
    if (CControlSkin* pOld = FindSkin(m_hHoverWnd)) {
        SetHot(pOld, FALSE);
        m_hHoverWnd = nullptr;
    }
}

void CALLBACK CSkinManager::HoverTimerProc(HWND, UINT, UINT_PTR, DWORD) { GetInstance()->TrackHover(); }

LRESULT CALLBACK CSkinManager::ControlWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    if (CControlSkin* pSkin = FindSkin(hWnd)) return pSkin->WindowProc(message, wParam, lParam);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

LRESULT CALLBACK CSkinManager::DialogWndProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    void* pValue = nullptr;
    if (m_mapDialogs.Lookup(hWnd, pValue) && pValue)
        return static_cast<CDialogHook*>(pValue)->WindowProc(message, wParam, lParam);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

CControlSkin* CSkinManager::FindSkin(HWND hWnd) {
    void* pValue = nullptr;
    if (!hWnd || !m_mapControls.Lookup(hWnd, pValue)) return nullptr;
    return static_cast<CControlSkin*>(pValue);
}

BOOL CSkinManager::IsSkinOf(HWND hWnd, const CControlSkin* pSkin) { return FindSkin(hWnd) == pSkin && pSkin; }

void CSkinManager::StartHoverTimer() {
    // A thread timer: its procedure runs in this thread's message dispatching.
    m_nTimerID = SetTimer(nullptr, 0, kHoverPeriod, &CSkinManager::HoverTimerProc);
}

void CSkinManager::StopHoverTimer() {
    if (m_nTimerID != 0) KillTimer(nullptr, m_nTimerID);
    m_nTimerID = 0;
}

void CSkinManager::Teardown() {
    // Taking the next position before removing the current entry keeps the walk valid.
    POSITION pos = m_mapHooks.GetStartPosition();
    while (pos) {
        CMapWordToPtr::WordKey key = 0;
        void* pHook = nullptr;
        m_mapHooks.GetNextAssoc(pos, key, pHook);
        Uninstall(key);
    }

    // A window is given back its saved procedure only while the engine's
    // procedure is still on top: a subclass installed after the engine's
    // would otherwise lose the rest of its chain. Such a window keeps its
    // record, so that the engine's procedure still passes its messages on.
    pos = m_mapControls.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        m_mapControls.GetNextAssoc(pos, pKey, pValue);
        CControlSkin* pSkin = static_cast<CControlSkin*>(pValue);
        const HWND hWnd = static_cast<HWND>(pKey);
        if (!ReleaseSubclass(hWnd, &CSkinManager::ControlWndProc, pSkin ? pSkin->m_pfnOldProc : nullptr)) continue;
        m_mapControls.RemoveKey(pKey);
        delete pSkin;
    }

    pos = m_mapDialogs.GetStartPosition();
    while (pos) {
        void* pKey = nullptr;
        void* pValue = nullptr;
        m_mapDialogs.GetNextAssoc(pos, pKey, pValue);
        CDialogHook* pHook = static_cast<CDialogHook*>(pValue);
        const HWND hWnd = static_cast<HWND>(pKey);
        if (!ReleaseSubclass(hWnd, &CSkinManager::DialogWndProc, pHook ? pHook->m_pfnOldProc : nullptr)) continue;
        m_mapDialogs.RemoveKey(pKey);
        delete pHook;
    }

    // With no control left the poll has nothing to do.
    StopHoverTimer();
}
