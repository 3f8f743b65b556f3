#include "diagnostics/RegRootKeys.h"

#include <cstdint>

HKEY RegRootKeyHandle(const RegRootKey& root) {
    static const HKEY kPredefined[] = {
        HKEY_CLASSES_ROOT,     HKEY_CURRENT_USER,        HKEY_LOCAL_MACHINE,  HKEY_USERS,    HKEY_PERFORMANCE_DATA,
        HKEY_PERFORMANCE_TEXT, HKEY_PERFORMANCE_NLSTEXT, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA,
    };
    for (HKEY key : kPredefined) {
        if (static_cast<uint32_t>(reinterpret_cast<uintptr_t>(key)) == root.handle) return key;
    }
    return nullptr;
}
