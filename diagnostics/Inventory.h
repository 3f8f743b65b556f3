// The file inventory: finds the product's two folders through the registry
// and writes the sections of the inventory log into g_logFile: each folder
// tree, then the system components under the Windows folder. Messages go to
// the user through SkinMessageBox, owned by the dialog.
#pragma once

#include "diagnostics/InventoryWalk.h"

class CWnd;

// Fills g_sharedFilesFolder with the system's shared-files folder followed by
// "\Corvalin\". Returns 1 when the folder is in the buffer; 0 otherwise, after
// telling the user why (the key cannot be opened, or the value cannot be read
// or does not fit in the buffer together with its suffix).
int FindSharedFilesFolder(CWnd* dialog);

// Fills g_installFolder with the product's install folder exactly as stored.
// Results and messages as for FindSharedFilesFolder.
int FindInstallFolder(CWnd* dialog);

// Fills g_windowsFolder with the Windows folder (no trailing backslash) as
// the system code page renders it, and keeps its exact form for the
// component lookups; leaves it empty when the folder cannot be had.
void FindWindowsFolder();

// Writes the section of folder (expected to end with a backslash) and of every
// folder below it; a folder that cannot be searched is reported twice through
// the dialog, once for its files and once for its subfolders.
void LogFolderTree(const char* folder, CWnd* dialog);

// Writes the sections of the system components found under windowsFolder
// (given without a trailing backslash). Shows no messages.
void LogSystemComponents(const char* windowsFolder);
