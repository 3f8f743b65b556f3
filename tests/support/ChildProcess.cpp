#include "tests/support/ChildProcess.h"

#include "tests/support/WinePump.h"

#include <vector>

namespace scrivlo_test {

std::string ModuleFolder() {
    char path[MAX_PATH + 1] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    std::string folder(path, length < MAX_PATH ? length : MAX_PATH);
    const size_t slash = folder.find_last_of("\\/");
    folder = slash == std::string::npos ? std::string(".\\") : folder.substr(0, slash + 1);
    return folder;
}

CChildProcess::~CChildProcess() {
    if (IsRunning()) Kill();
    Close();
}

void CChildProcess::Close() {
    if (m_hThread) CloseHandle(m_hThread);
    if (m_hProcess) CloseHandle(m_hProcess);
    m_hThread = m_hProcess = nullptr;
}

bool CChildProcess::Start(const std::string& exePath, const std::string& arguments, const std::string& currentFolder) {
    std::wstring wide(exePath.size() + 1, L'\0');
    wide.resize(static_cast<size_t>(
        MultiByteToWideChar(CP_ACP, 0, exePath.c_str(), -1, &wide[0], static_cast<int>(wide.size())) - 1));
    return Start(wide, arguments, currentFolder);
}

bool CChildProcess::Start(const std::wstring& exePath, const std::string& arguments, const std::string& currentFolder) {
    if (m_hProcess) {
        m_dwLastError = ERROR_ALREADY_EXISTS;
        return false;
    }
    std::wstring line = L"\"" + exePath + L"\"";
    if (!arguments.empty()) line += L" " + std::wstring(arguments.begin(), arguments.end());
    std::vector<wchar_t> commandLine(line.begin(), line.end());
    commandLine.push_back(L'\0');  // CreateProcessW may write into the line
    const std::wstring folder(currentFolder.begin(), currentFolder.end());

    STARTUPINFOW startup = {};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info = {};
    if (!CreateProcessW(exePath.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &info)) {
        m_dwLastError = GetLastError();
        return false;
    }
    m_hProcess = info.hProcess;
    m_hThread = info.hThread;
    m_dwProcessId = info.dwProcessId;
    m_dwLastError = 0;
    return true;
}

bool CChildProcess::IsRunning() const { return m_hProcess && WaitForSingleObject(m_hProcess, 0) == WAIT_TIMEOUT; }

bool CChildProcess::WaitForExit(DWORD timeoutMs, DWORD* exitCode) {
    if (!m_hProcess || !WaitForObjectPumping(m_hProcess, timeoutMs)) return false;
    DWORD code = 0;
    if (!GetExitCodeProcess(m_hProcess, &code)) return false;
    if (exitCode) *exitCode = code;
    return true;
}

bool CChildProcess::Kill(UINT exitCode) {
    if (!m_hProcess) return false;
    if (!IsRunning()) return true;
    if (!TerminateProcess(m_hProcess, exitCode)) {
        m_dwLastError = GetLastError();
        return false;
    }
    return WaitForSingleObject(m_hProcess, 10000) == WAIT_OBJECT_0;
}

bool CChildProcess::WaitForExitOrKill(DWORD timeoutMs, DWORD* exitCode, bool* killed) {
    if (killed) *killed = false;
    if (WaitForExit(timeoutMs, exitCode)) return true;
    if (m_hProcess && Kill()) {
        if (killed) *killed = true;
        DWORD code = 0;
        if (exitCode && GetExitCodeProcess(m_hProcess, &code)) *exitCode = code;
    }
    return false;
}

}  // namespace scrivlo_test
