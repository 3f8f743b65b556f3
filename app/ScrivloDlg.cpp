#include "app/ScrivloDlg.h"

#include <process.h>

#include "diagnostics/DiagnosticRun.h"
#include "framework/DeviceContext.h"
#include "framework/ModuleState.h"
#include "framework/Strings.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CScrivloDlg, CSkinFontDialog)
    ON_WM_PAINT()
    ON_WM_QUERYDRAGICON()
    ON_MESSAGE(WM_DIAGNOSTICS_DONE, OnDiagnosticsDone)
END_MESSAGE_MAP()

CScrivloDlg::CScrivloDlg(CWnd* pParent)
    : CSkinFontDialog(IDD_MAIN_DIALOG, pParent), m_hIcon(nullptr), m_bRunning(false) {
    HINSTANCE hInstance = AfxFindResourceHandle(MAKEINTRESOURCEA(IDR_MAINFRAME), RT_GROUP_ICON);
    m_hIcon = LoadIconA(hInstance, MAKEINTRESOURCEA(IDR_MAINFRAME));
}

// The icon comes from LoadIcon, which shares it: it is not destroyed.
CScrivloDlg::~CScrivloDlg() = default;

void CScrivloDlg::DoDataExchange(CDataExchange* pDX) {
    CSkinFontDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_STATUS, m_status);
}

BOOL CScrivloDlg::OnInitDialog() {
    CSkinFontDialog::OnInitDialog();

    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));

    SetColors(RGB(247, 247, 247), RGB(120, 120, 120), RGB(0, 0, 0), RGB(204, 0, 0), RGB(255, 255, 255));

    CString title;
    title.LoadString(IDS_TITLE);
    SetTitle(title, 1, nullptr, FALSE);

    CString status;
    status.LoadString(IDS_STATUS_CREATING_LOG);
    m_status.SetWindowText(status);

    ShowWindow(SW_SHOW);

    // If the thread cannot start, the window stays with its first status
    // until the user closes it.
    // The run takes its argument as the CWnd it is.
    m_bRunning = _beginthread(DiagnosticsThreadProc, 0, static_cast<CWnd*>(this)) != static_cast<uintptr_t>(-1);
    return TRUE;
}

void CScrivloDlg::OnOK() {
    if (!m_bRunning) CSkinFontDialog::OnOK();
}

void CScrivloDlg::OnCancel() {
    if (!m_bRunning) CSkinFontDialog::OnCancel();
}

void CScrivloDlg::OnPaint() {
    if (!IsIconic()) {
        CSkinFontDialog::OnPaint();
        return;
    }
    CPaintDC dc(this);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(dc.GetSafeHdc()), 0);
    const int cxIcon = GetSystemMetrics(SM_CXICON);
    const int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT client;
    GetClientRect(&client);
    const int x = (client.right - client.left - cxIcon + 1) / 2;
    const int y = (client.bottom - client.top - cyIcon + 1) / 2;
    dc.DrawIcon(x, y, m_hIcon);
}

HCURSOR CScrivloDlg::OnQueryDragIcon() { return static_cast<HCURSOR>(m_hIcon); }

BOOL CScrivloDlg::DestroyWindow() {
    if (m_bRunning && m_hWnd != nullptr) {
        // The loop that ended may have hidden the window on its way out.
        ShowWindow(SW_SHOWNA);
        bool bQuit = false;
        WPARAM nQuitCode = 0;
        MSG msg;
        while (m_bRunning) {
            const BOOL bGot = ::GetMessageA(&msg, nullptr, 0, 0);
            if (bGot == -1) break;
            if (bGot == 0) {
                // Kept for the loop that asked for it, once the run is done.
                bQuit = true;
                nQuitCode = msg.wParam;
                continue;
            }
            if (!::IsDialogMessageA(m_hWnd, &msg)) {
                ::TranslateMessage(&msg);
                ::DispatchMessageA(&msg);
            }
        }
        if (bQuit) ::PostQuitMessage(static_cast<int>(nQuitCode));
        // The run's completion has destroyed the window already.
        if (m_hWnd == nullptr) return TRUE;
    }
    return CSkinFontDialog::DestroyWindow();
}

LRESULT CScrivloDlg::OnDiagnosticsDone(WPARAM, LPARAM) {
    m_bRunning = false;
    DestroyWindow();
    return 0;
}
