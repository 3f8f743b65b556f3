// Starting a program for an end-to-end test, in a folder of the test's
// choosing, and making sure it ends: waited for with a limit, ended by force
// after it. A CChildProcess still running when destroyed is ended.
#pragma once

#include <windows.h>

#include <string>

namespace scrivlo_test {

// The folder of the running program file, ending in a backslash.
std::string ModuleFolder();

class CChildProcess {
public:
    CChildProcess() = default;
    ~CChildProcess();
    CChildProcess(const CChildProcess&) = delete;
    CChildProcess& operator=(const CChildProcess&) = delete;

    // Starts exePath with the arguments (one command line, quoted by the
    // caller as needed) in currentFolder (empty: the caller's current
    // folder). False, with LastError() set, when it cannot be started or
    // this object already holds a process.
    bool Start(const std::string& exePath, const std::string& arguments, const std::string& currentFolder);
    // The same for a program file named in UTF-16 (arguments and folder are
    // ASCII).
    bool Start(const std::wstring& exePath, const std::string& arguments, const std::string& currentFolder);

    DWORD ProcessId() const { return m_dwProcessId; }
    HANDLE Handle() const { return m_hProcess; }
    DWORD LastError() const { return m_dwLastError; }
    bool IsStarted() const { return m_hProcess != nullptr; }
    bool IsRunning() const;

    // Waits (pumping the calling thread) until the process ends; true and
    // the exit code when it ended within timeoutMs.
    bool WaitForExit(DWORD timeoutMs, DWORD* exitCode = nullptr);

    // Ends the process by force and waits for it to be gone.
    bool Kill(UINT exitCode = 0xDEAD);

    // WaitForExit, and Kill when it did not end in time. True when the
    // process ended by itself; killed tells whether it had to be ended.
    bool WaitForExitOrKill(DWORD timeoutMs, DWORD* exitCode, bool* killed);

private:
    void Close();

    HANDLE m_hProcess = nullptr;
    HANDLE m_hThread = nullptr;
    DWORD m_dwProcessId = 0;
    DWORD m_dwLastError = 0;
};

}  // namespace scrivlo_test
