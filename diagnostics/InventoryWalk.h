// The inventory's walk over folder trees and over the four system components,
// written into g_logFile. The directory search, the digest column and the
// user's messages come from a CInventorySource, so that the walk itself does
// not depend on the platform.
#pragma once

#include <cstdint>
#include <string>

// One entry of a directory search, as the search reports it.
struct InventoryEntry {
    char name[260];  // name only, no folder, as the log shows it
    // The name in the form the source opens it by (see AccessForm); empty
    // when that is name itself.
    std::string accessName;
    bool isFolder;     // the directory attribute is set
    uint32_t sizeLow;  // low 32 bits of the size
};

class CInventorySource {
public:
    virtual ~CInventorySource() = default;

    // The form in which the source names the path text (as the log shows
    // it) to the system. Paths the walk hands back to the source (patterns,
    // files to digest) are built from these forms and the entries' access
    // names; the log's text may not name a file whole (a name the system
    // code page cannot hold), these do.
    virtual std::string AccessForm(const char* text) { return text; }

    // Starts a search for pattern (in access form). Returns a non-null search
    // with its first entry in entry, or null when the search cannot start or
    // finds nothing.
    virtual void* BeginSearch(const char* pattern, InventoryEntry* entry) = 0;
    // The next entry of the search; false when there is none.
    virtual bool NextEntry(void* search, InventoryEntry* entry) = 0;
    virtual void EndSearch(void* search) = 0;

    // Writes the digest column for the file at path (in access form), or
    // nothing when the digest cannot be computed.
    virtual void LogFileDigest(const char* path) = 0;

    // Tells the user that a folder cannot be searched ("Error locating path!").
    virtual void ReportLocatingError() = 0;
};

// The two texts the walk writes into the log.
struct InventoryTexts {
    const char* targetDirectory;  // "Target Directory :"
    const char* noFilesFound;     // "no files found"
};

// Writes the section of folder (which ends with a backslash) and, depth first,
// the section of every subfolder below it, each in the order the search
// returns the entries: a folder's own files first, then the whole section of
// each subfolder in turn. The walk keeps its per-folder state on the heap, so
// its use of the thread's stack does not grow with the depth of the tree.
//
// A folder whose search pattern (folder and "*.*") does not fit in a path
// buffer is shown like a folder that cannot be searched: its header with its
// full path, the locating error for each of the two passes, and "no files
// found". A file whose path does not fit gets no digest column.
void WalkFolderTree(const char* folder, const InventoryTexts& texts, CInventorySource& source);

// Looks up the four system components under windowsFolder (no trailing
// backslash) and writes a section header and a line for each one found;
// the two system32 components share one section. Shows no messages.
void WalkSystemComponents(const char* windowsFolder, const char* targetDirectory, CInventorySource& source);

// Joins folder and name into a path, computes the file's digest and writes it
// as the digest column into g_logFile; writes nothing when the digest cannot be
// computed (the file cannot be read, or its path does not fit).
void LogFileDigest(const char* name, const char* folder);
