#include "framework/Dialog.h"

#include "framework/Exceptions.h"
#include "framework/ModuleState.h"
#include "framework/WinApp.h"
#include "framework/WndThreadState.h"

void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl) {
    if (rControl.m_hWnd != nullptr || pDX == nullptr || pDX->m_pDlgWnd == nullptr) return;
    HWND hWndCtrl = ::GetDlgItem(pDX->m_pDlgWnd->m_hWnd, nIDC);
    if (hWndCtrl != nullptr) rControl.SubclassWindow(hWndCtrl);
}

INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM, LPARAM) {
    if (message != WM_INITDIALOG) return FALSE;
    CDialog* pDlg = dynamic_cast<CDialog*>(CWnd::FromHandlePermanent(hWnd));
    if (pDlg == nullptr) return TRUE;
    try {
        return pDlg->OnInitDialog();
    } catch (const CException& e) {
        ::OutputDebugStringA(e.What());
        // A dialog that could not initialise ends at once.
        pDlg->EndDialog(-1);
        return FALSE;
    }
}

CDialog::CDialog()
    : m_lpszTemplateName(nullptr),
      m_lpDialogTemplate(nullptr),
      m_pParentWnd(nullptr),
      m_nIDHelp(0),
      m_nModalResult(-1),
      m_bInModalLoop(FALSE),
      m_bEndModal(FALSE) {}

CDialog::CDialog(UINT nIDTemplate, CWnd* pParentWnd) : CDialog() {
    m_lpszTemplateName = nIDTemplate != 0 ? MAKEINTRESOURCEA(nIDTemplate) : nullptr;
    m_nIDHelp = nIDTemplate;
    m_pParentWnd = pParentWnd;
}

CDialog::CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd) : CDialog() {
    m_lpszTemplateName = lpszTemplateName;
    if (IS_INTRESOURCE(lpszTemplateName)) m_nIDHelp = static_cast<UINT>(reinterpret_cast<UINT_PTR>(lpszTemplateName));
    m_pParentWnd = pParentWnd;
}

CDialog::~CDialog() {}

BEGIN_MESSAGE_MAP(CDialog, CWnd)
    ON_COMMAND(IDOK, OnOK)
    ON_COMMAND(IDCANCEL, OnCancel)
END_MESSAGE_MAP()

BOOL CDialog::InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd, void*) {
    if (lpDialogTemplate == nullptr) return FALSE;
    m_lpDialogTemplate = lpDialogTemplate;
    m_lpszTemplateName = nullptr;
    if (pParentWnd != nullptr) m_pParentWnd = pParentWnd;
    return TRUE;
}

LPCDLGTEMPLATE CDialog::LoadTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst) const {
    *phInst = AfxGetResourceHandle();
    if (lpszTemplateName == nullptr) return nullptr;
    HINSTANCE hInst = AfxFindResourceHandle(lpszTemplateName, MAKEINTRESOURCEA(5) /* RT_DIALOG */);
    if (hInst == nullptr) return nullptr;
    HRSRC hRsrc = ::FindResourceA(hInst, lpszTemplateName, MAKEINTRESOURCEA(5));
    HGLOBAL hGlobal = hRsrc != nullptr ? ::LoadResource(hInst, hRsrc) : nullptr;
    if (hGlobal == nullptr) return nullptr;
    *phInst = hInst;
    return static_cast<LPCDLGTEMPLATE>(::LockResource(hGlobal));
}

HWND CDialog::CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HINSTANCE hInst, HWND hWndParent) {
    m_bEndModal = FALSE;
    AfxHookWindowCreate(this);
    HWND hWnd = ::CreateDialogIndirectParamA(hInst, lpTemplate, hWndParent, &AfxDlgProc, 0);
    AfxUnhookWindowCreate();
    if (hWnd == nullptr) {
        // The window (if one was made) is gone already.
        if (m_hWnd != nullptr) Detach();
        return nullptr;
    }
    if (m_hWnd == nullptr) {
        // Not seen by the creation hook: too late for WM_INITDIALOG, but
        // bind it so the dialog can still be run and ended.
        SubclassWindow(hWnd);
    }
    return hWnd;
}

INT_PTR CDialog::DoModal() {
    if (m_hWnd != nullptr) return -1;
    HINSTANCE hInst = AfxGetResourceHandle();
    LPCDLGTEMPLATE lpTemplate = m_lpDialogTemplate;
    if (m_lpszTemplateName != nullptr) lpTemplate = LoadTemplate(m_lpszTemplateName, &hInst);
    if (lpTemplate == nullptr) return -1;

    // The owner: the parent's top-level window, else the application's
    // main window when this thread runs it.
    HWND hWndOwner = nullptr;
    if (m_pParentWnd != nullptr && ::IsWindow(m_pParentWnd->m_hWnd)) {
        hWndOwner = ::GetAncestor(m_pParentWnd->m_hWnd, GA_ROOT);
    } else {
        CWnd* pMain = AfxGetMainWnd();
        if (pMain != nullptr && pMain != this && ::IsWindow(pMain->m_hWnd) &&
            ::GetWindowThreadProcessId(pMain->m_hWnd, nullptr) == ::GetCurrentThreadId())
            hWndOwner = pMain->m_hWnd;
    }

    m_nModalResult = -1;
    HWND hWnd = CreateFromTemplate(lpTemplate, hInst, hWndOwner);
    if (hWnd == nullptr) return -1;

    BOOL bEnableOwner = FALSE;
    if (hWndOwner != nullptr && ::IsWindowEnabled(hWndOwner)) {
        ::EnableWindow(hWndOwner, FALSE);
        bEnableOwner = TRUE;
    }

    WndThreadState& state = AfxGetWndThreadState();
    // Temporary wrappers are freed when the loop runs out of messages, unless
    // a window procedure of this thread is below us (a handler may still hold
    // one) or another modal loop is.
    const bool bFreeTempsAtIdle = state.nDispatchDepth == 0 && state.nModalDepth == 0;
    ++state.nModalDepth;
    m_bInModalLoop = TRUE;
    if (!m_bEndModal && ::IsWindow(hWnd) && !::IsWindowVisible(hWnd)) ::ShowWindow(hWnd, SW_SHOWNORMAL);

    while (!m_bEndModal && ::IsWindow(hWnd)) {
        MSG msg;
        if (bFreeTempsAtIdle && !::PeekMessageA(&msg, nullptr, 0, 0, PM_NOREMOVE)) AfxDeleteTempMaps();  // idle

        BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
        if (bGot == -1) break;
        if (!bGot) {
            // The application is ending: leave the quit for the outer loop.
            ::PostQuitMessage(static_cast<int>(msg.wParam));
            break;
        }
        if (!WalkPreTranslateTree(hWnd, &msg) && !::IsDialogMessageA(hWnd, &msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }

    m_bInModalLoop = FALSE;
    --state.nModalDepth;
    if (bEnableOwner) ::EnableWindow(hWndOwner, TRUE);
    if (::IsWindow(hWnd)) {
        // Give the activation back to the owner before the dialog goes.
        if (hWndOwner != nullptr && ::GetActiveWindow() == hWnd) ::SetActiveWindow(hWndOwner);
        ::SetWindowPos(hWnd, nullptr, 0, 0, 0, 0,
                       SWP_HIDEWINDOW | SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOZORDER);
        DestroyWindow();
    }
    return m_nModalResult;
}

BOOL CDialog::Create(LPCSTR lpszTemplateName, CWnd* pParentWnd) {
    if (m_hWnd != nullptr) return FALSE;
    if (pParentWnd != nullptr) m_pParentWnd = pParentWnd;
    m_lpszTemplateName = lpszTemplateName;
    HINSTANCE hInst = nullptr;
    LPCDLGTEMPLATE lpTemplate = LoadTemplate(lpszTemplateName, &hInst);
    if (lpTemplate == nullptr) return FALSE;
    HWND hWndParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    return CreateFromTemplate(lpTemplate, hInst, hWndParent) != nullptr;
}

BOOL CDialog::Create(UINT nIDTemplate, CWnd* pParentWnd) { return Create(MAKEINTRESOURCEA(nIDTemplate), pParentWnd); }

BOOL CDialog::CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd) {
    if (m_hWnd != nullptr || lpDialogTemplate == nullptr) return FALSE;
    if (pParentWnd != nullptr) m_pParentWnd = pParentWnd;
    HWND hWndParent = m_pParentWnd != nullptr ? m_pParentWnd->m_hWnd : nullptr;
    return CreateFromTemplate(lpDialogTemplate, AfxGetResourceHandle(), hWndParent) != nullptr;
}

BOOL CDialog::OnInitDialog() {
    UpdateData(FALSE);
    return TRUE;
}

void CDialog::DoDataExchange(CDataExchange*) {}

BOOL CDialog::UpdateData(BOOL bSaveAndValidate) {
    CDataExchange dx(this, bSaveAndValidate);
    DoDataExchange(&dx);
    return TRUE;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    m_bEndModal = TRUE;
    if (m_hWnd == nullptr) return;
    if (m_bInModalLoop) {
        // Wake the loop in case the call came from outside a message.
        ::PostMessageA(m_hWnd, WM_NULL, 0, 0);
        return;
    }
    // A modeless dialog, or a modal one ended while it initialises (DoModal
    // then skips its loop): the dialog manager hides it.
    ::EndDialog(m_hWnd, nResult);
}

void CDialog::OnOK() {
    if (!UpdateData(TRUE)) return;
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

void CDialog::GotoDlgCtrl(CWnd* pWndCtrl) {
    if (pWndCtrl != nullptr) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pWndCtrl->m_hWnd), TRUE);
}
