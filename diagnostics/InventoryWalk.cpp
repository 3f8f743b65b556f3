#include "diagnostics/InventoryWalk.h"

#include <cstring>
#include <string>
#include <vector>

#include "diagnostics/InventoryFormat.h"
#include "diagnostics/InventoryLogWriter.h"
#include "diagnostics/Md5.h"
#include "diagnostics/RunState.h"

namespace {

// Files handed to the readers and not yet written, at most.
constexpr std::size_t kQueuedFiles = 128;

bool IsDotEntry(const std::u16string& name) { return name == u"." || name == u".."; }

// A folder in its two forms: as the log shows it, and as the source opens it.
struct FolderPath {
    std::string shown;
    std::u16string exact;
};

CInventoryLogWriter::DigestFunction DigestOf(CInventorySource& source) {
    return [&source](const std::u16string& path, char* digestText) { return source.ComputeDigest(path, digestText); };
}

// A file's line: the digest column only when the path, as the log shows it,
// fits a path buffer.
void LogFile(CInventoryLogWriter& log, const FolderPath& folder, const InventoryEntry& entry) {
    char path[kPathCapacity];
    const bool fits = JoinPath(path, sizeof path, folder.shown.c_str(), entry.name);
    log.File(fits ? folder.exact + entry.exactName : std::u16string(), entry.name, entry.sizeLow);
}

// A folder whose second pass (the subfolders) is under way.
struct PendingFolder {
    FolderPath folder;
    bool viaLink;  // it or a folder on the way down to it is a link
    void* search;
    InventoryEntry entry;  // the entry to handle next
    bool handled;          // entry has been handled; fetch the next one first
    bool identified;       // identity has been asked for
    FolderIdentity identity;
};

// The depth-first walk as a loop over a stack of pending folders on the heap.
// A folder's search stays open while its subfolders' sections are written and
// advances only when the subfolder is done, as a recursive walk would.
class CFolderWalk {
public:
    CFolderWalk(const InventoryTexts& texts, CInventorySource& source)
        : m_texts(texts), m_source(source), m_log(DigestOf(source), source.Readers(), kQueuedFiles) {}

    CFolderWalk(const CFolderWalk&) = delete;
    CFolderWalk& operator=(const CFolderWalk&) = delete;

    ~CFolderWalk() {
        for (PendingFolder& pending : m_pending) {
            m_source.EndSearch(pending.search);
        }
    }

    void Run(const char* folder, const std::u16string* exactFolder) {
        if (!exactFolder) {
            m_log.Section(m_texts.targetDirectory, folder);
            ReportUnsearchable();
            return;
        }
        Enter(FolderPath{folder, *exactFolder}, false, nullptr);
        while (!m_pending.empty()) {
            PendingFolder& top = m_pending.back();
            if (top.handled && !m_source.NextEntry(top.search, &top.entry)) {
                m_source.EndSearch(top.search);
                m_pending.pop_back();
                continue;
            }
            top.handled = true;
            if (!top.entry.isFolder || IsDotEntry(top.entry.exactName)) continue;
            // Built before Enter, which may move the stack's elements.
            FolderPath subfolder{top.folder.shown + top.entry.name + "\\",
                                 top.folder.exact + top.entry.exactName + u"\\"};
            // A loop runs through a link; below one, any folder may lead back.
            const bool viaLink = top.viaLink || top.entry.isLink;
            FolderIdentity identity;
            if (viaLink) {
                identity = m_source.IdentifyFolder(subfolder.exact);
                if (LeadsBackUp(identity)) continue;
            }
            Enter(subfolder, viaLink, viaLink ? &identity : nullptr);
        }
    }

private:
    // The folder a root names: a root that does not end with a backslash
    // goes on with part of a name, and its search lists its parent.
    static std::u16string FolderOf(const std::u16string& exact) {
        return exact.substr(0, exact.find_last_of(u'\\') + 1);
    }

    // Whether the folder is one of those on the way down to it. Their
    // identities are asked for the first time a link makes it matter.
    bool LeadsBackUp(const FolderIdentity& identity) {
        if (!identity.known) return false;
        for (PendingFolder& pending : m_pending) {
            if (!pending.identified) {
                pending.identity = m_source.IdentifyFolder(FolderOf(pending.folder.exact));
                pending.identified = true;
            }
            if (pending.identity == identity) return true;
        }
        return false;
    }

    // The locating error for each pass and "no files found"; the log is
    // written up to here before each message is shown.
    void ReportUnsearchable() {
        m_log.Flush();
        m_source.ReportLocatingError();
        m_log.Line(m_texts.noFilesFound);
        m_log.Flush();
        m_source.ReportLocatingError();
    }

    // Writes the folder's header and its files, then starts its second pass.
    void Enter(const FolderPath& folder, bool viaLink, const FolderIdentity* identity) {
        m_log.Section(m_texts.targetDirectory, folder.shown.c_str());

        // What fits is decided by the path as the log shows it.
        char shownPattern[kPathCapacity];
        if (!JoinPath(shownPattern, sizeof shownPattern, folder.shown.c_str(), "*.*")) {
            // Searching a shortened pattern would list a different folder.
            ReportUnsearchable();
            return;
        }

        const std::u16string pattern = folder.exact + u"*.*";
        InventoryEntry entry;
        void* search = m_source.BeginSearch(pattern, &entry);
        if (!search) {
            m_log.Flush();
            m_source.ReportLocatingError();
            m_log.Line(m_texts.noFilesFound);
        } else {
            bool anyFile = false;
            do {
                if (!entry.isFolder) {
                    LogFile(m_log, folder, entry);
                    anyFile = true;
                }
            } while (m_source.NextEntry(search, &entry));
            m_source.EndSearch(search);
            if (!anyFile) {
                m_log.Line(m_texts.noFilesFound);
            }
        }

        search = m_source.BeginSearch(pattern, &entry);
        if (!search) {
            m_log.Flush();
            m_source.ReportLocatingError();
            return;
        }
        m_pending.push_back(PendingFolder{folder, viaLink, search, entry, false, identity != nullptr,
                                          identity ? *identity : FolderIdentity()});
    }

    const InventoryTexts& m_texts;
    CInventorySource& m_source;
    CInventoryLogWriter m_log;
    std::vector<PendingFolder> m_pending;
};

struct SystemComponent {
    const char* folder;  // appended to the Windows folder
    const char16_t* exactFolder;
    const char* file;
    const char16_t* exactFile;
};

const SystemComponent kSystemComponents[] = {
    {"\\system32\\", u"system32\\", "quend.dll", u"quend.dll"},
    {"\\system32\\", u"system32\\", "pelvarn.dll", u"pelvarn.dll"},
    {"\\system32\\drivers\\", u"system32\\drivers\\", "trunmolk.sys", u"trunmolk.sys"},
    {"\\system\\", u"system\\", "halvix.vxd", u"halvix.vxd"},
};

}  // namespace

void WalkFolderTree(const char* folder, const std::u16string* exactFolder, const InventoryTexts& texts,
                    CInventorySource& source) {
    CFolderWalk walk(texts, source);
    walk.Run(folder, exactFolder);
}

void WalkSystemComponents(const char* windowsFolder, const std::u16string* exactWindowsFolder,
                          const char* targetDirectory, CInventorySource& source) {
    if (!exactWindowsFolder) return;
    CInventoryLogWriter log(DigestOf(source), 0, kQueuedFiles);
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
        const FolderPath componentFolder{folder, *exactWindowsFolder + component.exactFolder};
        InventoryEntry entry;
        void* search = source.BeginSearch(componentFolder.exact + component.exactFile, &entry);
        if (!search) {
            continue;
        }
        // The second system32 component joins the first one's section.
        const bool header = row != 1 || !firstFound;
        if (row == 0) {
            firstFound = true;
        }
        if (header) {
            log.Section(targetDirectory, folder);
        }
        LogFile(log, componentFolder, entry);
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
