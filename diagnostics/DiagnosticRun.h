// The diagnostic run: the inventory log, the registry script, and a message
// box for each outcome. It runs once, on the worker thread the main dialog
// starts, and ends by posting WM_DIAGNOSTICS_DONE to the dialog.
#pragma once

class CWnd;

// The completion message posted to the main dialog (wParam and lParam 0).
constexpr unsigned int WM_DIAGNOSTICS_DONE = 10003;

// Thread entry in the form _beginthread takes; the argument is the main
// dialog (a CWnd). Runs the diagnostics, then posts WM_DIAGNOSTICS_DONE to the
// dialog's window.
void __cdecl DiagnosticsThreadProc(void* dialog);

// The run. The dialog owns every message box, and its status line (control
// IDC_STATUS) shows the run's progress; the dialog is used only through its
// window, so the run may work from any thread.
void RunDiagnostics(CWnd* dialog);
