// Inventories one folder tree as the diagnostic run does: the log opened as
// the run opens it (fopen with "w", text mode), LogFolderTree on the folder,
// the log closed. The program's own string table supplies the texts;
// the messages go to a stand-in box that counts them and answers at once.
//   inventory_bench FOLDER\ LOG
// Prints one line: messages shown, walk ms (open to close of the log), working
// set KiB before the walk, peak working set KiB, private KiB before the walk,
// peak private (pagefile) KiB.
//   inventory_bench --profile FOLDER\ (with its trailing backslash)
// Times the pieces of the same work one after the other: the two directory
// searches of every folder alone, then opening and reading every file through
// the C runtime as ComputeFileMd5 does (32 KiB reads) without digesting,
// then ComputeFileMd5 on every file, then Md5Update alone over the bytes of
// one read buffer as often as the files' bytes need. Prints "piece ms" lines.
#include "diagnostics/Inventory.h"

#include <windows.h>
#include <psapi.h>

#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/Md5.h"
#include "diagnostics/RunState.h"
#include "skin/dialogs/SkinMessageBox.h"

namespace {

int g_messages = 0;

unsigned long KiB(SIZE_T bytes) { return static_cast<unsigned long>(bytes / 1024); }

double Now() {
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return 1000.0 * static_cast<double>(now.QuadPart) / static_cast<double>(frequency.QuadPart);
}

// Both passes of the inventory's search over folder, then its subfolders;
// the files' paths and sizes are collected.
void Search(const std::string& folder, std::vector<std::string>& files, unsigned long long& bytes) {
    WIN32_FIND_DATAA data;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(folder + data.cFileName);
            bytes += data.nFileSizeLow;
        }
    } while (FindNextFileA(search, &data));
    FindClose(search);
    search = FindFirstFileA((folder + "*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    do {
        const std::string name = data.cFileName;
        if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && name != "." && name != "..")
            Search(folder + name + "\\", files, bytes);
    } while (FindNextFileA(search, &data));
    FindClose(search);
}

int Profile(const char* folder) {
    std::vector<std::string> files;
    unsigned long long bytes = 0;
    double start = Now();
    Search(folder, files, bytes);
    std::printf("search %.1f (%u files, %llu bytes)\n", Now() - start, static_cast<unsigned>(files.size()), bytes);

    std::unique_ptr<unsigned char[]> buffer(new unsigned char[0x8000]);
    start = Now();
    for (const std::string& path : files) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) continue;
        std::fclose(file);
    }
    std::printf("open-close %.1f\n", Now() - start);

    start = Now();
    for (const std::string& path : files) {
        std::FILE* file = std::fopen(path.c_str(), "rb");
        if (!file) continue;
        while (!std::feof(file) && std::fread(buffer.get(), 1, 0x8000, file) > 0) {
        }
        std::fclose(file);
    }
    std::printf("open-read-close %.1f\n", Now() - start);

    start = Now();
    char digest[kMd5TextCapacity];
    for (const std::string& path : files) ComputeFileMd5(digest, path.c_str());
    std::printf("ComputeFileMd5 %.1f\n", Now() - start);

    start = Now();
    Md5Context context;
    Md5Init(&context);
    for (unsigned long long done = 0; done < bytes; done += 0x8000) Md5Update(&context, buffer.get(), 0x8000);
    std::printf("Md5Update %.1f\n", Now() - start);
    return 0;
}

}  // namespace

// A folder that cannot be searched would show its messages here; a sound
// tree shows none, and the count says so.
int SkinMessageBox(CWnd*, const char* text, const char*, UINT, SkinMsgBoxParams*, SkinMsgBoxChild*) {
    ++g_messages;
    std::fprintf(stderr, "message: %s\n", text ? text : "(null)");
    return IDOK;
}

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--profile") return Profile(argv[2]);
    if (argc != 3) {
        std::fprintf(stderr, "usage: inventory_bench FOLDER\\ LOG\n");
        return 2;
    }
    PROCESS_MEMORY_COUNTERS before = {};
    before.cb = sizeof before;
    GetProcessMemoryInfo(GetCurrentProcess(), &before, sizeof before);

    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    g_logFile = std::fopen(argv[2], "w");
    if (!g_logFile) {
        std::fprintf(stderr, "cannot create %s\n", argv[2]);
        return 1;
    }
    LogFolderTree(argv[1], nullptr);
    const bool closed = std::fclose(g_logFile) == 0;
    g_logFile = nullptr;
    QueryPerformanceCounter(&end);
    if (!closed) {
        std::fprintf(stderr, "writing %s failed\n", argv[2]);
        return 1;
    }

    PROCESS_MEMORY_COUNTERS after = {};
    after.cb = sizeof after;
    GetProcessMemoryInfo(GetCurrentProcess(), &after, sizeof after);
    const double ms =
        1000.0 * static_cast<double>(end.QuadPart - start.QuadPart) / static_cast<double>(frequency.QuadPart);
    std::printf("%d %.1f %lu %lu %lu %lu\n", g_messages, ms, KiB(before.WorkingSetSize), KiB(after.PeakWorkingSetSize),
                KiB(before.PagefileUsage), KiB(after.PeakPagefileUsage));
    return g_messages == 0 ? 0 : 1;
}
