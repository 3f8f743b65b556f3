// Builds or removes the benchmark branch HKEY_CURRENT_USER\Software\ScrivloBench:
// group keys of 99 child keys each, every key with a text, a number and 16
// bytes of binary data.
//   reg_bench_branch create KEYS | delete
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

const char kBranch[] = "Software\\ScrivloBench";

bool AddValues(HKEY key, unsigned number) {
    char text[96];
    std::snprintf(text, sizeof text, "C:\\Program Files\\Corvalin\\Desktop\\item%u.dat", number);
    const DWORD count = number;
    BYTE blob[16];
    for (unsigned i = 0; i < sizeof blob; ++i) blob[i] = static_cast<BYTE>(number * 7 + i);
    return RegSetValueExA(key, "Path", 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == 0 &&
           RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count),
                          sizeof count) == 0 &&
           RegSetValueExA(key, "Blob", 0, REG_BINARY, blob, sizeof blob) == 0;
}

HKEY CreateKey(HKEY parent, const char* name) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0)
        return nullptr;
    return key;
}

int Create(unsigned keys) {
    HKEY root = CreateKey(HKEY_CURRENT_USER, kBranch);
    if (root == nullptr || !AddValues(root, 0)) return 1;
    unsigned made = 0;
    for (unsigned group = 0; made < keys; ++group) {
        char name[32];
        std::snprintf(name, sizeof name, "Group%03u", group);
        HKEY groupKey = CreateKey(root, name);
        if (groupKey == nullptr || !AddValues(groupKey, ++made)) return 1;
        for (unsigned child = 0; child < 99 && made < keys; ++child) {
            std::snprintf(name, sizeof name, "Item%02u", child);
            HKEY childKey = CreateKey(groupKey, name);
            if (childKey == nullptr || !AddValues(childKey, ++made)) return 1;
            RegCloseKey(childKey);
        }
        RegCloseKey(groupKey);
    }
    RegCloseKey(root);
    std::printf("%u keys below HKEY_CURRENT_USER\\%s\n", made, kBranch);
    return 0;
}

void DeleteTree(HKEY parent, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != 0) return;
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == 0) {
        DeleteTree(key, child);
        length = sizeof child;
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::strcmp(argv[1], "create") == 0) {
        DeleteTree(HKEY_CURRENT_USER, kBranch);
        return Create(static_cast<unsigned>(std::strtoul(argv[2], nullptr, 10)));
    }
    if (argc >= 2 && std::strcmp(argv[1], "delete") == 0) {
        DeleteTree(HKEY_CURRENT_USER, kBranch);
        return 0;
    }
    std::fprintf(stderr, "usage: reg_bench_branch create KEYS | delete\n");
    return 2;
}
