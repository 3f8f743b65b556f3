// Times ExportRegistryBranch on HKEY_CURRENT_USER\Software\ScrivloBench and
// reports the process's peak memory. The script lands beside this program.
// Prints one line: keys, script bytes, snapshot ms, total ms, peak working
// set KiB, peak pagefile (private) KiB.
#include "diagnostics/RegistryExport.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>

int main() {
    LARGE_INTEGER frequency, start, snapshotEnd, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    long result = SnapshotRegistryKey(1, "Software\\ScrivloBench");
    QueryPerformanceCounter(&snapshotEnd);
    char folder[kProgramFolderCapacity] = {};
    if (result == 0) result = GetProgramFolder(folder);
    if (result == 0) result = WriteRegScript(folder, g_regHead);
    QueryPerformanceCounter(&end);
    if (result != 0) {
        std::fprintf(stderr, "export failed: %ld\n", result);
        return 1;
    }
    unsigned long keys = 0;
    for (const RegNode* node = g_regHead; node; node = node->next) ++keys;
    WIN32_FILE_ATTRIBUTE_DATA script = {};
    GetFileAttributesExA((std::string(folder) + "\\" + kRegScriptFileName).c_str(), GetFileExInfoStandard, &script);
    PROCESS_MEMORY_COUNTERS memory = {};
    memory.cb = sizeof memory;
    GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
    const double ms = 1000.0 / static_cast<double>(frequency.QuadPart);
    std::printf("%lu %lu %.1f %.1f %lu %lu\n", keys, static_cast<unsigned long>(script.nFileSizeLow),
                static_cast<double>(snapshotEnd.QuadPart - start.QuadPart) * ms,
                static_cast<double>(end.QuadPart - start.QuadPart) * ms,
                static_cast<unsigned long>(memory.PeakWorkingSetSize / 1024),
                static_cast<unsigned long>(memory.PeakPagefileUsage / 1024));
    return 0;
}
