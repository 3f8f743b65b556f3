// The main window: a skinned dialog with one centred status line. It starts
// the diagnostic run as soon as it is shown and closes when the run is done.
#pragma once

#include "skin/controls/SkinLabel.h"
#include "skin/dialogs/SkinDialog.h"

class CScrivloDlg : public CSkinFontDialog {
public:
    explicit CScrivloDlg(CWnd* pParent);
    ~CScrivloDlg() override;

    HICON m_hIcon;        // the application icon: window icons and minimised painting
    CSkinLabel m_status;  // the status line, on the template's static IDC_STATUS

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    // Escape and Alt+F4 while the run works: the run still uses this window
    // (as the owner of its boxes and for its status line) and is writing its
    // files, so the request is kept and carried out when the run is done.
    void OnOK() override;
    void OnCancel() override;

public:
    // The modal loop can end before the run does, whatever ends it (a
    // WM_QUIT reaching this thread ends any modal loop): the window then
    // stays, and this thread goes on serving the run (its boxes and status
    // line are sent to this thread), until the run is done. So the run never
    // uses the window or this object after they are gone.
    BOOL DestroyWindow() override;

protected:
    void OnPaint();
    HCURSOR OnQueryDragIcon();
    LRESULT OnDiagnosticsDone(WPARAM wParam, LPARAM lParam);

    DECLARE_MESSAGE_MAP()

private:
    bool m_bRunning;
};
