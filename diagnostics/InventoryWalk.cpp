#include "diagnostics/InventoryWalk.h"

#include <cstring>
#include <string>
#include <vector>

#include "diagnostics/InventoryFormat.h"
#include "diagnostics/Md5.h"
#include "diagnostics/RunState.h"

namespace {

bool IsDotEntry(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

std::string AccessName(const InventoryEntry& entry) {
    return entry.accessName.empty() ? std::string(entry.name) : entry.accessName;
}

// A folder in its two forms: as the log shows it, and as the source opens it.
struct FolderPath {
    std::string shown;
    std::string access;
};

// A file's line without its name and size: the digest column when the path,
// as the log shows it, fits a path buffer.
void LogDigestColumn(CInventorySource& source, const FolderPath& folder, const InventoryEntry& entry) {
    char path[kPathCapacity];
    if (!JoinPath(path, sizeof path, folder.shown.c_str(), entry.name)) return;
    source.LogFileDigest((folder.access + AccessName(entry)).c_str());
}

// A folder whose second pass (the subfolders) is under way.
struct PendingFolder {
    FolderPath folder;
    void* search;
    InventoryEntry entry;  // the entry to handle next
    bool handled;          // entry has been handled; fetch the next one first
};

// The depth-first walk as a loop over a stack of pending folders on the heap.
// A folder's search stays open while its subfolders' sections are written and
// advances only when the subfolder is done, as a recursive walk would.
class CFolderWalk {
public:
    CFolderWalk(const InventoryTexts& texts, CInventorySource& source) : m_texts(texts), m_source(source) {}

    CFolderWalk(const CFolderWalk&) = delete;
    CFolderWalk& operator=(const CFolderWalk&) = delete;

    ~CFolderWalk() {
        for (PendingFolder& pending : m_pending) {
            m_source.EndSearch(pending.search);
        }
    }

    void Run(const char* folder) {
        Enter(FolderPath{folder, m_source.AccessForm(folder)});
        while (!m_pending.empty()) {
            PendingFolder& top = m_pending.back();
            if (top.handled && !m_source.NextEntry(top.search, &top.entry)) {
                m_source.EndSearch(top.search);
                m_pending.pop_back();
                continue;
            }
            top.handled = true;
            if (top.entry.isFolder && !IsDotEntry(top.entry.name)) {
                // Built before Enter, which may move the stack's elements.
                FolderPath subfolder{top.folder.shown + top.entry.name + "\\",
                                     top.folder.access + AccessName(top.entry) + "\\"};
                Enter(subfolder);
            }
        }
    }

private:
    // Writes the folder's header and its files, then starts its second pass.
    void Enter(const FolderPath& folder) {
        WriteSectionHeader(g_logFile, m_texts.targetDirectory, folder.shown.c_str());

        // What fits is decided by the path as the log shows it.
        char shownPattern[kPathCapacity];
        if (!JoinPath(shownPattern, sizeof shownPattern, folder.shown.c_str(), "*.*")) {
            // Searching a shortened pattern would list a different folder.
            m_source.ReportLocatingError();
            WriteLogLine(g_logFile, m_texts.noFilesFound);
            m_source.ReportLocatingError();
            return;
        }

        const std::string pattern = folder.access + "*.*";
        InventoryEntry entry;
        void* search = m_source.BeginSearch(pattern.c_str(), &entry);
        if (!search) {
            m_source.ReportLocatingError();
            WriteLogLine(g_logFile, m_texts.noFilesFound);
        } else {
            bool anyFile = false;
            do {
                if (!entry.isFolder) {
                    LogDigestColumn(m_source, folder, entry);
                    WriteNameAndSize(g_logFile, entry.name, entry.sizeLow);
                    anyFile = true;
                }
            } while (m_source.NextEntry(search, &entry));
            m_source.EndSearch(search);
            if (!anyFile) {
                WriteLogLine(g_logFile, m_texts.noFilesFound);
            }
        }

        search = m_source.BeginSearch(pattern.c_str(), &entry);
        if (!search) {
            m_source.ReportLocatingError();
            return;
        }
        m_pending.push_back(PendingFolder{folder, search, entry, false});
    }

    const InventoryTexts& m_texts;
    CInventorySource& m_source;
    std::vector<PendingFolder> m_pending;
};

struct SystemComponent {
    const char* folder;  // appended to the Windows folder
    const char* file;
};

const SystemComponent kSystemComponents[] = {
    {"\\system32\\", "quend.dll"},
    {"\\system32\\", "pelvarn.dll"},
    {"\\system32\\drivers\\", "trunmolk.sys"},
    {"\\system\\", "halvix.vxd"},
};

}  // namespace

void WalkFolderTree(const char* folder, const InventoryTexts& texts, CInventorySource& source) {
    CFolderWalk walk(texts, source);
    walk.Run(folder);
}

void WalkSystemComponents(const char* windowsFolder, const char* targetDirectory, CInventorySource& source) {
    bool firstFound = false;
    for (int row = 0; row < 4; ++row) {
        const SystemComponent& component = kSystemComponents[row];
        char folder[kPathCapacity];
        char pattern[kPathCapacity];
        // A component whose path does not fit is not looked up at all.
        if (!JoinPath(folder, sizeof folder, windowsFolder, component.folder) ||
            !JoinPath(pattern, sizeof pattern, folder, component.file)) {
            continue;
        }
        const FolderPath componentFolder{folder, source.AccessForm(windowsFolder) + component.folder};
        InventoryEntry entry;
        void* search = source.BeginSearch((componentFolder.access + component.file).c_str(), &entry);
        if (!search) {
            continue;
        }
        // The second system32 component joins the first one's section.
        const bool header = row != 1 || !firstFound;
        if (row == 0) {
            firstFound = true;
        }
        if (header) {
            WriteSectionHeader(g_logFile, targetDirectory, folder);
        }
        LogDigestColumn(source, componentFolder, entry);
        WriteNameAndSize(g_logFile, entry.name, entry.sizeLow);
        source.EndSearch(search);
    }
}

void LogFileDigest(const char* name, const char* folder) {
    char path[kPathCapacity];
    if (!JoinPath(path, sizeof path, folder, name)) {
        return;
    }
    char digestText[kMd5TextCapacity] = {};
    if (ComputeFileMd5(digestText, path)) {
        WriteDigestColumn(g_logFile, digestText);
    }
}
