// The whole run of Scrivlo.exe, timed from outside: the program is started as
// its own process, a scripted user presses "&Ok" in every box it shows, and a
// watcher thread samples the program's memory counters through its process
// handle until it ends.
//   run_bench setup KEYS INSTALL\     the product's registry branch and shared folder
//   run_bench run SCRIVLO.EXE FOLDER\ one run in FOLDER (its current folder)
//   run_bench teardown                removes what setup made
// setup writes below HKEY_LOCAL_MACHINE\SOFTWARE\Corvalin the install key
// (InstallDir = INSTALL\) and KEYS further keys in group keys of 99 child
// keys each, every key with a REG_SZ path, a REG_DWORD and 16 bytes of
// REG_BINARY; the shared-files folder gets one small file.
// run prints one line: wall ms from the start to the end of the process,
// boxes answered, ms until the first box appeared, ms until the last one
// appeared, peak working set KiB, peak private (pagefile) KiB, samples taken,
// exit code.
#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/ScriptedUser.h"

#include "bench/BenchBranch.h"

namespace {

const char kProductKey[] = "SOFTWARE\\Corvalin";
const char kInstallKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install";
const char kComponentsKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop\\Components";
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kSharedFileName[] = "shared.dat";

// The product's folder in the system's shared-files folder, as the program
// finds it: the CommonFilesDir value followed by "\Corvalin\".
std::string SharedFolder() {
    char value[1024] = {};
    DWORD size = sizeof value - 1;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kCurrentVersionKey, 0, KEY_QUERY_VALUE, &key) != 0) return {};
    const LONG result =
        RegQueryValueExA(key, "CommonFilesDir", nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    RegCloseKey(key);
    return result == 0 ? std::string(value) + "\\Corvalin\\" : std::string();
}

int Teardown() {
    BenchDeleteTree(HKEY_LOCAL_MACHINE, kProductKey);
    const std::string shared = SharedFolder();
    if (!shared.empty()) {
        DeleteFileA((shared + kSharedFileName).c_str());
        RemoveDirectoryA(shared.c_str());
    }
    return 0;
}

int Setup(unsigned keys, const char* installFolder) {
    Teardown();
    HKEY install = BenchCreateKey(HKEY_LOCAL_MACHINE, kInstallKey);
    if (install == nullptr || !BenchSetText(install, "InstallDir", installFolder)) return 1;
    RegCloseKey(install);
    HKEY root = BenchCreateKey(HKEY_LOCAL_MACHINE, kComponentsKey);
    if (root == nullptr) return 1;
    const unsigned made = BenchMakeKeys(root, keys);
    if (made != keys) return 1;
    RegCloseKey(root);

    const std::string shared = SharedFolder();
    if (shared.empty()) return 1;
    CreateDirectoryA(shared.c_str(), nullptr);
    HANDLE file = CreateFileA((shared + kSharedFileName).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 1;
    DWORD written = 0;
    WriteFile(file, "shared component", 16, &written, nullptr);
    CloseHandle(file);
    std::printf("%u keys below HKEY_LOCAL_MACHINE\\%s, InstallDir %s, shared folder %s\n", made, kComponentsKey,
                installFolder, shared.c_str());
    return 0;
}

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Samples the process's counters until it ends and notes when it ended.
// The counters of a process that has ended cannot be read any more, so the
// peaks are those of the last sample, a few milliseconds before the end.
struct Watch {
    HANDLE process = nullptr;
    LARGE_INTEGER end = {};
    SIZE_T peakWorkingSet = 0;
    SIZE_T peakPrivate = 0;
    unsigned samples = 0;

    static DWORD WINAPI Run(LPVOID argument) {
        Watch& watch = *static_cast<Watch*>(argument);
        for (;;) {
            PROCESS_MEMORY_COUNTERS counters = {};
            counters.cb = sizeof counters;
            if (GetProcessMemoryInfo(watch.process, &counters, sizeof counters)) {
                if (counters.PeakWorkingSetSize > watch.peakWorkingSet)
                    watch.peakWorkingSet = counters.PeakWorkingSetSize;
                if (counters.PeakPagefileUsage > watch.peakPrivate) watch.peakPrivate = counters.PeakPagefileUsage;
                ++watch.samples;
            }
            if (WaitForSingleObject(watch.process, 5) == WAIT_OBJECT_0) {
                QueryPerformanceCounter(&watch.end);
                return 0;
            }
        }
    }
};

int Run(const char* exe, const char* folder) {
    using namespace scrivlo_test;
    std::vector<LARGE_INTEGER> boxTimes;
    CScriptedUserOptions options;
    options.m_pszMainTitle = "Corvalin Scrivlo Tool";
    options.m_choose = [](const CBoxContents&) { return IDOK; };
    options.m_onBox = [&boxTimes](HWND, HWND, const CBoxContents&) {
        LARGE_INTEGER now;
        QueryPerformanceCounter(&now);
        boxTimes.push_back(now);
    };
    options.m_dwTimeoutMs = 300000;

    CChildProcess process;
    LARGE_INTEGER start;
    QueryPerformanceCounter(&start);
    if (!process.Start(exe, "", folder)) {
        std::fprintf(stderr, "cannot start %s: error %lu\n", exe, static_cast<unsigned long>(process.LastError()));
        return 1;
    }
    Watch watch;
    watch.process = process.Handle();
    // The watcher calls no C runtime function: CreateThread is enough.
    HANDLE watcher = CreateThread(nullptr, 0, &Watch::Run, &watch, 0, nullptr);
    const CTranscript transcript = RunScriptedUser(process, options);
    WaitForSingleObject(watcher, INFINITE);
    CloseHandle(watcher);

    if (!transcript.m_error.empty() || !transcript.m_bExited) {
        std::fprintf(stderr, "run failed: %s%s\n%s", transcript.m_error.c_str(),
                     transcript.m_bExited ? "" : " (did not end by itself)", FormatTranscript(transcript).c_str());
        return 1;
    }
    std::fprintf(stderr, "%s", FormatTranscript(transcript).c_str());
    const double first = boxTimes.empty() ? 0.0 : Milliseconds(start, boxTimes.front());
    const double last = boxTimes.empty() ? 0.0 : Milliseconds(start, boxTimes.back());
    std::printf("%.0f %u %.0f %.0f %lu %lu %u %lu\n", Milliseconds(start, watch.end),
                static_cast<unsigned>(boxTimes.size()), first, last,
                static_cast<unsigned long>(watch.peakWorkingSet / 1024),
                static_cast<unsigned long>(watch.peakPrivate / 1024), watch.samples,
                static_cast<unsigned long>(transcript.m_nExitCode));
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 4 && std::strcmp(argv[1], "setup") == 0)
        return Setup(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)), argv[3]);
    if (argc == 4 && std::strcmp(argv[1], "run") == 0) return Run(argv[2], argv[3]);
    if (argc == 2 && std::strcmp(argv[1], "teardown") == 0) return Teardown();
    std::fprintf(stderr, "usage: run_bench setup KEYS INSTALL\\ | run SCRIVLO.EXE FOLDER\\ | teardown\n");
    return 2;
}
