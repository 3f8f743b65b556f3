// CDialog: a dialog built from a template (a resource or one in memory),
// run modally (DoModal) or as a child or modeless window (Create). The
// object is bound to the dialog window before the window's first message,
// so its message map sees WM_SETFONT and WM_INITDIALOG.
#pragma once

#include <windows.h>

#include "framework/Wnd.h"

class CDataExchange {
public:
    CDataExchange(CWnd* pDlgWnd, BOOL bSaveAndValidate) : m_bSaveAndValidate(bSaveAndValidate), m_pDlgWnd(pDlgWnd) {}

    BOOL m_bSaveAndValidate;  // TRUE: controls to data; FALSE: data to controls
    CWnd* m_pDlgWnd;          // the dialog whose controls are exchanged
};

// Binds rControl to the dialog's control nIDC by subclassing it, the first
// time the exchange runs (later runs leave a bound control alone). A missing
// control leaves rControl unbound.
void DDX_Control(CDataExchange* pDX, int nIDC, CWnd& rControl);

class CDialog : public CWnd {
public:
    CDialog();
    explicit CDialog(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    explicit CDialog(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    virtual ~CDialog();

    // Takes an in-memory template (DLGTEMPLATE or DLGTEMPLATEEX) for DoModal;
    // the caller keeps it alive until DoModal returns. A null parent keeps
    // the one given to the constructor.
    BOOL InitModalIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr, void* lpDialogInit = nullptr);

    // Creates the dialog, disables its owner, runs the modal loop until
    // EndDialog (or until the window is destroyed), re-enables the owner and
    // destroys the window. Returns the EndDialog result, or -1 when the
    // dialog could not be created or was destroyed without EndDialog.
    virtual INT_PTR DoModal();

    // Creates a modeless dialog, a child when the template has WS_CHILD.
    virtual BOOL Create(LPCSTR lpszTemplateName, CWnd* pParentWnd = nullptr);
    BOOL Create(UINT nIDTemplate, CWnd* pParentWnd = nullptr);
    BOOL CreateIndirect(LPCDLGTEMPLATE lpDialogTemplate, CWnd* pParentWnd = nullptr);

    // Runs the data exchange (UpdateData(FALSE)); TRUE lets the dialog
    // manager set the focus.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* pDX);
    BOOL UpdateData(BOOL bSaveAndValidate = TRUE);

    // Ends a modal dialog with nResult (DoModal returns it); hides a modeless one.
    void EndDialog(int nResult);
    virtual void OnOK();
    virtual void OnCancel();

    void MapDialogRect(LPRECT lpRect) const { ::MapDialogRect(m_hWnd, lpRect); }
    void GotoDlgCtrl(CWnd* pWndCtrl);
    DWORD GetDefID() const { return static_cast<DWORD>(::SendMessageA(m_hWnd, DM_GETDEFID, 0, 0)); }
    void SetDefID(UINT nID) { ::SendMessageA(m_hWnd, DM_SETDEFID, nID, 0); }

    // TRUE while DoModal runs this dialog's loop.
    BOOL IsModal() const { return m_bInModalLoop; }

    LPCSTR m_lpszTemplateName;          // resource template, or null
    LPCDLGTEMPLATE m_lpDialogTemplate;  // in-memory template, or null
    CWnd* m_pParentWnd;
    UINT m_nIDHelp;

    DECLARE_MESSAGE_MAP()

protected:
    // The template DoModal or Create uses and the module its resources come
    // from; null when a named template cannot be found.
    LPCDLGTEMPLATE LoadTemplate(LPCSTR lpszTemplateName, HINSTANCE* phInst) const;
    HWND CreateFromTemplate(LPCDLGTEMPLATE lpTemplate, HINSTANCE hInst, HWND hWndParent);

    int m_nModalResult;
    BOOL m_bInModalLoop;
    BOOL m_bEndModal;
};

// The dialog procedure of every framework dialog: WM_INITDIALOG runs the
// bound object's OnInitDialog; everything else is the dialog manager's.
INT_PTR CALLBACK AfxDlgProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam);
