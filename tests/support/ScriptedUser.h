// A scripted user for end-to-end tests: watches a running program, answers
// each message box it shows with a chosen button, notes the text of one
// control of the main window whenever it changes, and stops when the
// program ends (or is ended after the time limit).
#pragma once

#include <windows.h>

#include <functional>

#include "tests/support/ChildProcess.h"
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/Transcript.h"

namespace scrivlo_test {

struct CScriptedUserOptions {
    // The main window: a visible top-level window of the process that has a
    // child with m_nStatusId, and, when set, this exact title. Top-level
    // dialogs without that child are the message boxes.
    const char* m_pszMainTitle = nullptr;
    int m_nStatusId = 1001;
    // Which button to press; 0 or an identifier the box does not have
    // stops the run with an error. Default: the box's default button, else
    // its first.
    std::function<int(const CBoxContents&)> m_choose;
    AnswerMethod m_method = AnswerMethod::kClick;
    InputPath m_path = InputPath::kInjected;
    // Called with each box (and the main window, null until it is found)
    // once the box has been read and before it is answered: a demonstration
    // saves its pictures here.
    std::function<void(HWND box, HWND mainWindow, const CBoxContents&)> m_onBox;
    DWORD m_dwTimeoutMs = 60000;  // the whole run; the program is ended after it
    DWORD m_dwBoxCloseMs = 5000;  // how long a box may take to go after the answer
    DWORD m_dwPollMs = 15;
};

// Runs until process ends. Status entries record the first text read and
// every change after it; a status text set just before a box appears is
// always read before the box is recorded.
CTranscript RunScriptedUser(CChildProcess& process, const CScriptedUserOptions& options);

}  // namespace scrivlo_test
