#include "diagnostics/DiagnosticRun.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "diagnostics/Inventory.h"
#include "diagnostics/InventoryFormat.h"
#include "diagnostics/RegistryExport.h"
#include "diagnostics/RunMessages.h"
#include "diagnostics/RunState.h"
#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "res/resource.h"

namespace {

void SetStatus(CWnd* dialog, unsigned int textId) {
    if (!dialog) return;
    // The status line belongs to the user-interface thread; setting its text
    // sends WM_SETTEXT there and waits until the label has taken it.
    HWND status = GetDlgItem(dialog->GetSafeHwnd(), IDC_STATUS);
    if (!status) return;
    CString text;
    text.LoadString(textId);
    SetWindowTextA(status, text);
}

// Closes the log and tells whether everything written reached the file: a
// full disk shows up in the final flush or in the close, not in fprintf.
bool CloseLog() {
    bool whole = std::fflush(g_logFile) == 0 && !std::ferror(g_logFile);
    whole = std::fclose(g_logFile) == 0 && whole;
    g_logFile = nullptr;
    return whole;
}

}  // namespace

void RunDiagnostics(CWnd* dialog) {
    g_logFile = std::fopen("QZScrivlo.log", "w");
    if (!g_logFile) {
        ShowRunMessage(dialog, IDS_ERROR_CREATING_LOG, IDS_CAPTION_ERROR);
        return;
    }
    WriteLogHeader(g_logFile);

    bool found = false;
    if (FindSharedFilesFolder(dialog)) {
        LogFolderTree(g_sharedFilesFolder, dialog);
        found = true;
    }
    if (FindInstallFolder(dialog)) {
        LogFolderTree(g_installFolder, dialog);
        found = true;
    }
    FindWindowsFolder();
    LogSystemComponents(g_windowsFolder);

    // A log that did not reach the disk whole is never reported as created.
    if (!CloseLog()) {
        ShowRunMessage(dialog, IDS_ERROR_CREATING_LOG, IDS_CAPTION_ERROR);
    } else if (found) {
        ShowRunMessage(dialog, IDS_LOG_CREATED, IDS_CAPTION_SUCCESS);
    }
    if (found) {
        SetStatus(dialog, IDS_STATUS_CREATING_REG);
    }

    char keyPath[255] = {};
    std::strcpy(keyPath, "SOFTWARE\\Corvalin");
    if (ExportRegistryBranch(2, keyPath) == 0) {
        ShowRunMessage(dialog, IDS_LOG_CREATED, IDS_CAPTION_SUCCESS);
    }
}

void __cdecl DiagnosticsThreadProc(void* dialog) {
    CWnd* window = static_cast<CWnd*>(dialog);
    RunDiagnostics(window);
    // The dialog serves the run until this message arrives: a post that
    // fails (a full queue) is tried again for as long as the window exists.
    const HWND target = window ? window->GetSafeHwnd() : nullptr;
    while (!PostMessageA(target, WM_DIAGNOSTICS_DONE, 0, 0) && target && IsWindow(target)) {
        Sleep(20);
    }
}
