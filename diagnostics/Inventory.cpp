#include "diagnostics/Inventory.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/InventoryFormat.h"
#include "diagnostics/Md5.h"
#include "diagnostics/NameForms.h"
#include "diagnostics/RunState.h"
#include "framework/Strings.h"
#include "res/resource.h"

#include "diagnostics/RunMessages.h"

namespace {

// A text of the program's string table; the empty text when it is missing.
CString LoadResourceText(UINT id) {
    CString text;
    text.LoadString(id);
    return text;
}

// An error message of the inventory: the text, caption "Error!", one OK button.
void ShowInventoryError(CWnd* dialog, UINT textId) { ShowRunMessage(dialog, textId, IDS_CAPTION_ERROR); }

// The folders read from the registry, by the buffer they were read into, as
// the log shows them and as UTF-8: a value the system code page cannot hold
// whole still names its folder. Only the worker thread touches them.
struct FolderValueForm {
    const char* buffer;
    std::string shown;
    std::string access;
};
std::vector<FolderValueForm> g_folderValueForms;

// Remembers the exact form of the folder value just read into folder (its
// 8-bit form, followed by suffix).
void RememberFolderValueForm(HKEY key, const char* valueName, const char* suffix, const char* folder) {
    const std::wstring wideName = WideFromSystemCodePage(valueName);
    wchar_t value[kPathCapacity] = {};
    DWORD size = sizeof value - sizeof(wchar_t);
    if (RegQueryValueExW(key, wideName.c_str(), nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size) !=
        ERROR_SUCCESS)
        return;
    const int length = static_cast<int>(wcsnlen(value, size / sizeof(wchar_t)));
    // The same value as the 8-bit read gave, or it is not this folder's.
    if (SystemCodePageText(value, length) + suffix != folder) return;
    const std::string access = Utf8FromWide(value, length) + suffix;
    for (FolderValueForm& form : g_folderValueForms) {
        if (form.buffer == folder) {
            form.shown = folder;
            form.access = access;
            return;
        }
    }
    g_folderValueForms.push_back(FolderValueForm{folder, folder, access});
}

// Reads a folder value of HKEY_LOCAL_MACHINE into folder (kPathCapacity bytes),
// followed by suffix.
int FindFolderValue(CWnd* dialog, const char* keyPath, const char* valueName, const char* suffix, char* folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        ShowInventoryError(dialog, IDS_ERROR_OPENING_REGISTRY);
        return 0;
    }
    char value[kPathCapacity] = {};
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExA(key, valueName, nullptr, nullptr, reinterpret_cast<BYTE*>(value), &size);
    // A value that fills the whole buffer has no terminating zero within it,
    // and one that leaves no room for its suffix would have to be cut: either
    // would name a different folder, so both count as unreadable.
    if (result != ERROR_SUCCESS || std::memchr(value, '\0', sizeof value) == nullptr ||
        !JoinPath(folder, kPathCapacity, value, suffix)) {
        ShowInventoryError(dialog, IDS_ERROR_READING_REGISTRY);
        RegCloseKey(key);
        return 0;
    }
    RememberFolderValueForm(key, valueName, suffix, folder);
    RegCloseKey(key);
    return 1;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// The directory search, digests and messages of the real file system. The
// search and the digest go through the UTF-16 calls with the exact names (as
// UTF-8 in the walk's access paths); the log gets the names in the system
// code page, as the 8-bit calls would give them.
class CWin32InventorySource : public CInventorySource {
public:
    explicit CWin32InventorySource(CWnd* dialog) : m_pDialog(dialog) {}

    std::string AccessForm(const char* text) override {
        for (const FolderValueForm& form : g_folderValueForms) {
            if (form.buffer == text && form.shown == text) return form.access;
        }
        const std::wstring wide = WideFromSystemCodePage(text);
        return Utf8FromWide(wide.c_str(), static_cast<int>(wide.size()));
    }

    void* BeginSearch(const char* pattern, InventoryEntry* entry) override {
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW(LongPathForm(WideFromUtf8(pattern)).c_str(), &data);
        if (search == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        CopyEntry(data, entry);
        return search;
    }

    bool NextEntry(void* search, InventoryEntry* entry) override {
        WIN32_FIND_DATAW data;
        if (!FindNextFileW(static_cast<HANDLE>(search), &data)) {
            return false;
        }
        CopyEntry(data, entry);
        return true;
    }

    void EndSearch(void* search) override { FindClose(static_cast<HANDLE>(search)); }

    void LogFileDigest(const char* path) override {
        std::unique_ptr<FILE, FileCloser> file(_wfopen(LongPathForm(WideFromUtf8(path)).c_str(), L"rb"));
        char digestText[kMd5TextCapacity] = {};
        if (file && ComputeStreamMd5(digestText, file.get())) WriteDigestColumn(g_logFile, digestText);
    }

    void ReportLocatingError() override { ShowInventoryError(m_pDialog, IDS_ERROR_LOCATING_PATH); }

private:
    static void CopyEntry(const WIN32_FIND_DATAW& data, InventoryEntry* entry) {
        const int length = static_cast<int>(wcsnlen(data.cFileName, MAX_PATH));
        // As the 8-bit search would report it: at most MAX_PATH - 1 bytes.
        const std::string shown = SystemCodePageText(data.cFileName, length);
        const size_t kept = shown.size() < sizeof entry->name ? shown.size() : sizeof entry->name - 1;
        std::memcpy(entry->name, shown.data(), kept);
        entry->name[kept] = '\0';
        entry->accessName = Utf8FromWide(data.cFileName, length);
        entry->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry->sizeLow = data.nFileSizeLow;
    }

    CWnd* m_pDialog;
};

}  // namespace

int FindSharedFilesFolder(CWnd* dialog) {
    return FindFolderValue(dialog, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", "\\Corvalin\\",
                           g_sharedFilesFolder);
}

int FindInstallFolder(CWnd* dialog) {
    return FindFolderValue(dialog, "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install", "InstallDir", "",
                           g_installFolder);
}

void LogFolderTree(const char* folder, CWnd* dialog) {
    const CString targetDirectory = LoadResourceText(IDS_TARGET_DIRECTORY);
    const CString noFilesFound = LoadResourceText(IDS_NO_FILES_FOUND);
    const InventoryTexts texts = {targetDirectory, noFilesFound};
    CWin32InventorySource source(dialog);
    WalkFolderTree(folder, texts, source);
}

void LogSystemComponents(const char* windowsFolder) {
    const CString targetDirectory = LoadResourceText(IDS_TARGET_DIRECTORY);
    CWin32InventorySource source(nullptr);
    WalkSystemComponents(windowsFolder, targetDirectory, source);
}
