// Times ComputeFileMd5 on one file under Wine and prints the digest, so the
// caller can check it against md5sum's.
//   md5_file_bench.exe PATH
#include "diagnostics/Md5.h"

#include <windows.h>

#include <cstdio>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: md5_file_bench PATH\n");
        return 2;
    }
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    char digest[kMd5TextCapacity] = {};
    const int ok = ComputeFileMd5(digest, argv[1]);
    QueryPerformanceCounter(&end);
    if (!ok) {
        std::fprintf(stderr, "cannot read %s\n", argv[1]);
        return 1;
    }
    const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    std::printf("%s %.3f\n", digest, seconds);
    return 0;
}
