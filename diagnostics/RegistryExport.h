// The registry export: a snapshot of one registry branch into the chain of
// RegNode records, written as the registry script "QZRegNode.reg" in the
// folder that holds the program file.
#pragma once

#include "diagnostics/RegNode.h"

#include <string>

// The chain, in depth-first pre-order. Records live until the program ends;
// nothing resets the chain, so a second export appends to the first.
extern RegNode* g_regHead;
extern RegNode* g_regTail;

constexpr long kRegExportOutOfMemory = 100;                     // a record could not be allocated
constexpr long kRegExportFail = static_cast<long>(0x80004005);  // E_FAIL
constexpr unsigned kProgramFolderCapacity = 260;
extern const char kRegScriptFileName[];  // "QZRegNode.reg"

// Snapshots the key keyPath under the root chosen by rootIndex (low 8 bits)
// and everything below it. Returns 0; 100 when a record (or its content)
// cannot be allocated; otherwise the Windows error code of opening or
// querying this very key (2 when it does not exist, 6 when the root index
// names no root). Failures below the key are counted in the parent's
// skippedCount; a subkey that cannot be opened leaves an empty record.
long SnapshotRegistryKey(int rootIndex, const char* keyPath);

// The folder of the program file without a trailing backslash, into a
// buffer of kProgramFolderCapacity bytes. Returns 0, or E_FAIL when the
// module path cannot be had whole or holds no backslash.
long GetProgramFolder(char* folder);

// Doubles every backslash of text in place, in the process's multibyte code
// page: the trail byte of a double-byte character is never doubled.
void EscapeBackslashes(std::string& text);

// Writes the header and every record from first along next into
// "<folder>\QZRegNode.reg", replacing what was there. Returns 0 only when the
// whole script reached the file and the file was closed; otherwise a Windows
// error code (the one the failing call left, or E_FAIL / ERROR_WRITE_FAULT).
long WriteRegScript(const char* folder, const RegNode* first);
// The same into a folder named exactly (UTF-16).
long WriteRegScriptInto(const std::wstring& folder, const RegNode* first);

// The folder of the program file, exactly as the system names it, without a
// trailing backslash. Returns 0, or E_FAIL when the module path cannot be had.
long GetProgramFolderExact(std::wstring* folder);

// Snapshot, program folder, script, each only while the previous returned 0.
// Returns 0 when the script was written, else the first failure's code.
long ExportRegistryBranch(int rootIndex, const char* keyPath);
