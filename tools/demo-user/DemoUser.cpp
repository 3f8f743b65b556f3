// The demonstration's user when nobody sits at the display: starts
// Scrivlo.exe in a folder, answers each of its message boxes with a click on
// "&Ok" as a person would, and saves pictures of the main window and of each
// box along the way. It prints what it saw, one line per status text and
// box, and exits with 0 when the program ended by itself.
//
//   DemoUser.exe SCRIVLO_EXE RUN_FOLDER PICTURE_FOLDER
#include <windows.h>

#include <cstdio>
#include <string>

#include "tests/support/ChildProcess.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/Transcript.h"
#include "tests/support/WinePump.h"

using namespace scrivlo_test;

namespace {

// Moves the box below the main window, the way a user would drag it aside
// to read what is behind it, and waits for both to repaint.
void MoveBoxAside(HWND box, HWND mainWindow) {
    if (mainWindow == nullptr) return;
    const RECT main = WindowRectOf(mainWindow);
    const RECT rc = WindowRectOf(box);
    const int x = main.left + ((main.right - main.left) - (rc.right - rc.left)) / 2;
    const int y = main.bottom + 16;
    SetWindowPos(box, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    WaitUntil([&] { return WindowRectOf(box).top == y; }, 1000);
    RedrawWindow(mainWindow, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RedrawWindow(box, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    PumpMessages(400);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: DemoUser.exe SCRIVLO_EXE RUN_FOLDER PICTURE_FOLDER\n");
        return 2;
    }
    const std::string exe = argv[1];
    const std::string runFolder = argv[2];
    const std::string pictures = std::string(argv[3]) + "\\";

    CChildProcess process;
    if (!process.Start(exe, "", runFolder)) {
        std::fprintf(stderr, "cannot start %s (error %lu)\n", exe.c_str(), process.LastError());
        return 1;
    }
    int boxNumber = 0;
    bool mainSaved = false;
    CScriptedUserOptions options;
    options.m_pszMainTitle = "Corvalin Scrivlo Tool";
    options.m_choose = [](const CBoxContents&) { return IDOK; };
    options.m_dwTimeoutMs = 120000;
    options.m_onBox = [&](HWND box, HWND mainWindow, const CBoxContents&) {
        ++boxNumber;
        MoveBoxAside(box, mainWindow);
        if (mainWindow != nullptr && !mainSaved) {
            mainSaved = SaveWindowScreenshot(mainWindow, pictures + "main-window.bmp", CaptureSource::kFromScreen);
        }
        char name[64];
        std::snprintf(name, sizeof(name), "box-%d.bmp", boxNumber);
        BringToForeground(box);
        SaveWindowScreenshot(box, pictures + name, CaptureSource::kFromScreen);
    };
    const CTranscript transcript = RunScriptedUser(process, options);

    for (const CTranscriptEntry& entry : transcript.m_entries) {
        if (entry.m_kind == CTranscriptEntry::kStatus)
            std::printf("status line: %s\n", ToUtf8(entry.m_status).c_str());
        else
            std::printf("message box: [%s] %s -> pressed %s\n", ToUtf8(entry.m_box.m_caption).c_str(),
                        ToUtf8(entry.m_box.m_text).c_str(), entry.m_bClosed ? "Ok" : "Ok (box stayed)");
    }
    if (!transcript.m_error.empty()) std::fprintf(stderr, "demo user: %s\n", transcript.m_error.c_str());
    if (!transcript.m_bExited) {
        std::fprintf(stderr, "Scrivlo.exe did not end by itself\n");
        return 1;
    }
    std::printf("Scrivlo.exe ended by itself (exit code %u)\n", static_cast<unsigned>(transcript.m_nExitCode));
    return transcript.m_error.empty() ? 0 : 1;
}
