#include "diagnostics/RunState.h"

std::FILE* g_logFile = nullptr;

char g_sharedFilesFolder[kPathCapacity] = {};
char g_installFolder[kPathCapacity] = {};
char g_windowsFolder[kPathCapacity] = {};
