// The handle of a root key of the table, for the registry calls.
#pragma once

#include "diagnostics/RegValueFormat.h"

#include <windows.h>

// The system's own predefined key whose 32-bit value the row names, or null
// for a value that is no predefined key. On 64-bit Windows the predefined keys
// are sign-extended (HKEY_LOCAL_MACHINE is 0xFFFFFFFF80000002), so a handle
// rebuilt from the 32-bit number would open nothing there.
HKEY RegRootKeyHandle(const RegRootKey& root);
