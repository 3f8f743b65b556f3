// Process-wide state of the diagnostic run. Only the worker thread touches it.
#pragma once

#include <cstdio>

// Capacity of every file-system path buffer of the run, terminating zero included.
constexpr int kPathCapacity = 1024;

// The open inventory log; null when no log is open.
extern std::FILE* g_logFile;

// The product's folder under the system's shared-files folder, ending in a backslash.
extern char g_sharedFilesFolder[kPathCapacity];
// The product's install folder exactly as the registry stores it.
extern char g_installFolder[kPathCapacity];
// The Windows folder, without a trailing backslash.
extern char g_windowsFolder[kPathCapacity];
