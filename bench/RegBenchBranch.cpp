// Builds or removes the benchmark branch HKEY_CURRENT_USER\Software\ScrivloBench:
// group keys of 99 child keys each, every key with a text, a number and 16
// bytes of binary data.
//   reg_bench_branch create KEYS | delete
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench/BenchBranch.h"

namespace {

const char kBranch[] = "Software\\ScrivloBench";

int Create(unsigned keys) {
    HKEY root = BenchCreateKey(HKEY_CURRENT_USER, kBranch);
    if (root == nullptr || !BenchAddValues(root, 0)) return 1;
    const unsigned made = BenchMakeKeys(root, keys);
    if (made != keys) return 1;
    RegCloseKey(root);
    std::printf("%u keys below HKEY_CURRENT_USER\\%s\n", made, kBranch);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "create") == 0) {
        BenchDeleteTree(HKEY_CURRENT_USER, kBranch);
        return Create(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    }
    if (argc >= 2 && std::strcmp(argv[1], "delete") == 0) {
        BenchDeleteTree(HKEY_CURRENT_USER, kBranch);
        return 0;
    }
    std::fprintf(stderr, "usage: reg_bench_branch create KEYS | delete\n");
    return 2;
}
