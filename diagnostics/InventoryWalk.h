// The inventory's walk over folder trees and over the four system components,
// written into g_logFile. The directory search, the digests and the user's
// messages come from a CInventorySource, so that the walk itself does not
// depend on the platform.
//
// Every name travels in two forms: the exact name as the system stores it (a
// sequence of 16-bit units, kept as it is from the search to the open), and
// its rendering in the system code page, which only the log shows. What is
// opened is always built from exact names; "." and ".." and loops are told on
// them and on the file system's identities, never on a rendering.
#pragma once

#include <cstdint>
#include <string>

// One entry of a directory search, as the search reports it.
struct InventoryEntry {
    char name[260];            // as the log shows it, at most 259 bytes
    std::u16string exactName;  // as the system stores it
    bool isFolder;             // the directory attribute is set
    bool isLink;               // a link to somewhere else (a reparse point)
    uint32_t sizeLow;          // low 32 bits of the size
};

// Which folder a path leads to, whatever the path: the volume and the
// folder's number on it.
struct FolderIdentity {
    bool known = false;
    uint32_t volume = 0;
    uint64_t index = 0;
    bool operator==(const FolderIdentity& other) const {
        return known && other.known && volume == other.volume && index == other.index;
    }
};

class CInventorySource {
public:
    virtual ~CInventorySource() = default;

    // Starts a search for pattern (exact form). Returns a non-null search
    // with its first entry in entry, or null when the search cannot start or
    // finds nothing.
    virtual void* BeginSearch(const std::u16string& pattern, InventoryEntry* entry) = 0;
    // The next entry of the search; false when there is none.
    virtual bool NextEntry(void* search, InventoryEntry* entry) = 0;
    virtual void EndSearch(void* search) = 0;

    // The identity of the folder at path (exact form, ending with a
    // backslash); not known when it cannot be had.
    virtual FolderIdentity IdentifyFolder(const std::u16string& path) = 0;

    // The digest text of the file at path (exact form) into digestText
    // (kMd5TextCapacity bytes); false when it cannot be read. Called from
    // several threads at once.
    virtual bool ComputeDigest(const std::u16string& path, char* digestText) = 0;

    // Tells the user that a folder cannot be searched ("Error locating path!").
    virtual void ReportLocatingError() = 0;

    // How many threads read files ahead of the walk (0: the walk's own).
    virtual unsigned Readers() const { return 0; }
};

// The two texts the walk writes into the log.
struct InventoryTexts {
    const char* targetDirectory;  // "Target Directory :"
    const char* noFilesFound;     // "no files found"
};

// Writes the section of folder (which ends with a backslash) and, depth first,
// the section of every subfolder below it, each in the order the search
// returns the entries: a folder's own files first, then the whole section of
// each subfolder in turn. exactFolder is the folder's exact form (absolute,
// as the system opens it as written), or null when there is none: the folder
// is then shown like a folder that cannot be searched. The walk keeps its
// per-folder state on the heap, so its use of the thread's stack does not
// grow with the depth of the tree.
//
// A folder whose search pattern (folder and "*.*", as the log shows it) does
// not fit in a path buffer is shown like a folder that cannot be searched:
// its header with its full path, the locating error for each of the two
// passes, and "no files found". A file whose path does not fit gets no digest
// column. A subfolder that is a folder already on the way down to it (a link
// back up the tree) is not entered again: below a link, every folder's
// identity is compared with those of the folders on the way down to it.
void WalkFolderTree(const char* folder, const std::u16string* exactFolder, const InventoryTexts& texts,
                    CInventorySource& source);

// Looks up the four system components under windowsFolder (no trailing
// backslash; exactWindowsFolder its exact form ending with a backslash, or
// null when there is none) and writes a section header and a line for each
// one found; the two system32 components share one section. Shows no
// messages.
void WalkSystemComponents(const char* windowsFolder, const std::u16string* exactWindowsFolder,
                          const char* targetDirectory, CInventorySource& source);

// Joins folder and name into a path, computes the file's digest and writes it
// as the digest column into g_logFile; writes nothing when the digest cannot be
// computed (the file cannot be read, or its path does not fit).
void LogFileDigest(const char* name, const char* folder);
