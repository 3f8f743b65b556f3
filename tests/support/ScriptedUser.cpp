#include "tests/support/ScriptedUser.h"

#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

#include <set>

namespace scrivlo_test {

namespace {

int DefaultChoice(const CBoxContents& box) {
    if (box.m_nDefaultId && box.FindButton(box.m_nDefaultId)) return box.m_nDefaultId;
    return box.m_buttons.empty() ? 0 : box.m_buttons.front().m_nId;
}

class CRun {
public:
    CRun(CChildProcess& process, const CScriptedUserOptions& options) : m_process(process), m_options(options) {}

    CTranscript Go();

private:
    HWND FindMainWindow() const;
    void NoteStatus();
    // Answers one box; false when the run cannot go on.
    bool HandleBox(HWND box);

    CChildProcess& m_process;
    const CScriptedUserOptions& m_options;
    CTranscript m_transcript;
    HWND m_hMain = nullptr;
    bool m_bHaveStatus = false;
    std::wstring m_lastStatus;
    std::set<HWND> m_stuck;  // boxes that stayed after their answer
};

HWND CRun::FindMainWindow() const {
    for (HWND window : TopLevelWindowsOfProcess(m_process.ProcessId(), true)) {
        if (!GetDlgItem(window, m_options.m_nStatusId)) continue;
        if (m_options.m_pszMainTitle) {
            char title[512] = {};
            GetWindowTextA(window, title, sizeof title);
            if (lstrcmpA(title, m_options.m_pszMainTitle) != 0) continue;
        }
        return window;
    }
    return nullptr;
}

void CRun::NoteStatus() {
    if (!m_hMain || !IsWindow(m_hMain)) return;
    HWND status = GetDlgItem(m_hMain, m_options.m_nStatusId);
    bool ok = false;
    const std::wstring text = ReadWindowTextW(status, &ok);
    if (!ok || (m_bHaveStatus && text == m_lastStatus)) return;
    m_bHaveStatus = true;
    m_lastStatus = text;
    CTranscriptEntry entry;
    entry.m_kind = CTranscriptEntry::kStatus;
    entry.m_status = text;
    m_transcript.m_entries.push_back(entry);
}

bool CRun::HandleBox(HWND box) {
    // What the program showed just before the box belongs before it.
    NoteStatus();
    CTranscriptEntry entry;
    entry.m_kind = CTranscriptEntry::kBox;
    if (!ReadBox(box, entry.m_box)) {
        // Gone between finding and reading: the program closed it itself.
        return true;
    }
    if (m_options.m_onBox) m_options.m_onBox(box, m_hMain, entry.m_box);
    const int choice = m_options.m_choose ? m_options.m_choose(entry.m_box) : DefaultChoice(entry.m_box);
    entry.m_nAnsweredId = choice;
    if (!choice || !entry.m_box.FindButton(choice)) {
        m_transcript.m_entries.push_back(entry);
        m_transcript.m_error = "no button " + std::to_string(choice) + " to press in " + FormatBox(entry.m_box);
        return false;
    }
    entry.m_bClosed = AnswerBox(box, choice, m_options.m_method, m_options.m_dwBoxCloseMs, m_options.m_path);
    m_transcript.m_entries.push_back(entry);
    if (!entry.m_bClosed) {
        m_stuck.insert(box);
        m_transcript.m_error = "the box did not close after the answer: " + FormatBox(entry.m_box);
        return false;
    }
    return true;
}

CTranscript CRun::Go() {
    if (!m_process.IsStarted()) {
        m_transcript.m_error = "no process";
        return m_transcript;
    }
    const DWORD start = GetTickCount();
    bool goOn = true;
    while (goOn) {
        if (!m_process.IsRunning()) break;
        if (ElapsedSince(start) >= m_options.m_dwTimeoutMs) {
            if (m_transcript.m_error.empty()) m_transcript.m_error = "time limit reached";
            break;
        }
        if (!m_hMain || !IsWindow(m_hMain)) {
            HWND main = FindMainWindow();
            if (main) m_hMain = main;
        }
        NoteStatus();
        std::set<HWND> exclude = m_stuck;
        if (m_hMain) exclude.insert(m_hMain);
        for (HWND box : FindBoxes(m_process.ProcessId(), exclude)) {
            // A second main-like window is no box.
            if (GetDlgItem(box, m_options.m_nStatusId)) continue;
            goOn = HandleBox(box);
            break;
        }
        if (goOn) WaitForObjectPumping(m_process.Handle(), m_options.m_dwPollMs);
    }

    DWORD code = 0;
    bool killed = false;
    // A program still running here has overrun the limit or is stuck in a
    // box that would not close: it is ended at once.
    m_transcript.m_bExited = m_process.WaitForExitOrKill(0, &code, &killed);
    m_transcript.m_bKilled = killed;
    m_transcript.m_nExitCode = code;
    return m_transcript;
}

}  // namespace

CTranscript RunScriptedUser(CChildProcess& process, const CScriptedUserOptions& options) {
    return CRun(process, options).Go();
}

}  // namespace scrivlo_test
