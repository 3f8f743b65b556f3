// The platform's floor for the inventory: a minimal program that makes only
// the system calls the inventory must make, with nothing of ours in between.
//   inventory_floor walk FOLDER\          the tree walked once
//                                         (FindFirstFileW/FindNextFileW)
//   inventory_floor read THREADS FOLDER\  walked, then every file opened, read
//                                         in 32 KiB blocks and closed, by
//                                         THREADS threads taking files from one
//                                         list; no digest
// Prints "files bytes" of what it found (and read).
#include <windows.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

namespace {

void Walk(const std::wstring& folder, std::vector<std::wstring>& files) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*.*").c_str(), &data);
    if (search == INVALID_HANDLE_VALUE) return;
    std::vector<std::wstring> subfolders;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
            files.push_back(folder + data.cFileName);
        } else if (std::wcscmp(data.cFileName, L".") != 0 && std::wcscmp(data.cFileName, L"..") != 0) {
            subfolders.push_back(folder + data.cFileName + L"\\");
        }
    } while (FindNextFileW(search, &data));
    FindClose(search);
    for (const std::wstring& subfolder : subfolders) Walk(subfolder, files);
}

}  // namespace

int main(int argc, char** argv) {
    const bool read = argc == 4 && std::string(argv[1]) == "read";
    if (!(argc == 3 && std::string(argv[1]) == "walk") && !read) {
        std::fprintf(stderr, "usage: inventory_floor walk FOLDER\\ | inventory_floor read THREADS FOLDER\\\n");
        return 2;
    }
    const char* folder = argv[argc - 1];
    std::wstring root(folder, folder + std::strlen(folder));
    std::vector<std::wstring> files;
    Walk(L"\\\\?\\" + root, files);
    if (!read) {
        std::printf("%u 0\n", static_cast<unsigned>(files.size()));
        return 0;
    }
    const int threads = std::atoi(argv[2]);
    std::atomic<size_t> next(0);
    std::atomic<unsigned long long> bytes(0);
    auto reader = [&] {
        std::vector<char> buffer(0x8000);
        for (size_t i; (i = next++) < files.size();) {
            HANDLE file = CreateFileW(files[i].c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
            if (file == INVALID_HANDLE_VALUE) continue;
            DWORD got = 0;
            while (ReadFile(file, buffer.data(), 0x8000, &got, nullptr) && got > 0) bytes += got;
            CloseHandle(file);
        }
    };
    std::vector<std::thread> pool;
    for (int i = 0; i < threads; ++i) pool.emplace_back(reader);
    for (std::thread& thread : pool) thread.join();
    std::printf("%u %llu\n", static_cast<unsigned>(files.size()), bytes.load());
    return 0;
}
