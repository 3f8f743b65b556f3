#include "bench/BenchBranch.h"

#include <cstdio>
#include <cstring>

HKEY BenchCreateKey(HKEY parent, const char* name) {
    HKEY key = nullptr;
    if (RegCreateKeyExA(parent, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) != 0) return nullptr;
    return key;
}

bool BenchSetText(HKEY key, const char* name, const char* text) {
    return RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text),
                          static_cast<DWORD>(std::strlen(text) + 1)) == 0;
}

bool BenchAddValues(HKEY key, unsigned number) {
    char text[96];
    std::snprintf(text, sizeof text, "C:\\Program Files\\Corvalin\\Desktop\\item%u.dat", number);
    const DWORD count = number;
    BYTE blob[16];
    for (unsigned i = 0; i < sizeof blob; ++i) blob[i] = static_cast<BYTE>(number * 7 + i);
    return BenchSetText(key, "Path", text) &&
           RegSetValueExA(key, "Count", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&count), sizeof count) == 0 &&
           RegSetValueExA(key, "Blob", 0, REG_BINARY, blob, sizeof blob) == 0;
}

unsigned BenchMakeKeys(HKEY root, unsigned keys) {
    unsigned made = 0;
    for (unsigned group = 0; made < keys; ++group) {
        char name[32];
        std::snprintf(name, sizeof name, "Group%03u", group);
        HKEY groupKey = BenchCreateKey(root, name);
        if (groupKey == nullptr || !BenchAddValues(groupKey, ++made)) return 0;
        for (unsigned child = 0; child < 99 && made < keys; ++child) {
            std::snprintf(name, sizeof name, "Item%02u", child);
            HKEY childKey = BenchCreateKey(groupKey, name);
            if (childKey == nullptr || !BenchAddValues(childKey, ++made)) return 0;
            RegCloseKey(childKey);
        }
        RegCloseKey(groupKey);
    }
    return made;
}

void BenchDeleteTree(HKEY parent, const char* name) {
    HKEY key;
    if (RegOpenKeyExA(parent, name, 0, KEY_ALL_ACCESS, &key) != 0) return;
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == 0) {
        BenchDeleteTree(key, child);
        length = sizeof child;
    }
    RegCloseKey(key);
    RegDeleteKeyA(parent, name);
}
