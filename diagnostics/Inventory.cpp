#include "diagnostics/Inventory.h"

#include <windows.h>

#include <cstring>

#include "diagnostics/InventoryFormat.h"
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

// Reads a folder value of HKEY_LOCAL_MACHINE into folder (kPathCapacity bytes),
// followed by suffix.
int FindFolderValue(CWnd* dialog, const char* keyPath, const char* valueName, const char* suffix,
                    char* folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        ShowInventoryError(dialog, IDS_ERROR_OPENING_REGISTRY);
        return 0;
    }
    char value[kPathCapacity] = {};
    DWORD size = sizeof value;
    const LONG result = RegQueryValueExA(key, valueName, nullptr, nullptr,
                                         reinterpret_cast<BYTE*>(value), &size);
    // A value that fills the whole buffer has no terminating zero within it,
    // and one that leaves no room for its suffix would have to be cut: either
    // would name a different folder, so both count as unreadable.
    if (result != ERROR_SUCCESS || std::memchr(value, '\0', sizeof value) == nullptr ||
        !JoinPath(folder, kPathCapacity, value, suffix)) {
        ShowInventoryError(dialog, IDS_ERROR_READING_REGISTRY);
        RegCloseKey(key);
        return 0;
    }
    RegCloseKey(key);
    return 1;
}

// The directory search, digests and messages of the real file system.
class CWin32InventorySource : public CInventorySource {
public:
    explicit CWin32InventorySource(CWnd* dialog) : m_pDialog(dialog) {}

    void* BeginSearch(const char* pattern, InventoryEntry* entry) override {
        WIN32_FIND_DATAA data;
        HANDLE search = FindFirstFileA(pattern, &data);
        if (search == INVALID_HANDLE_VALUE) {
            return nullptr;
        }
        CopyEntry(data, entry);
        return search;
    }

    bool NextEntry(void* search, InventoryEntry* entry) override {
        WIN32_FIND_DATAA data;
        if (!FindNextFileA(static_cast<HANDLE>(search), &data)) {
            return false;
        }
        CopyEntry(data, entry);
        return true;
    }

    void EndSearch(void* search) override { FindClose(static_cast<HANDLE>(search)); }

    void LogFileDigest(const char* name, const char* folder) override {
        ::LogFileDigest(name, folder);
    }

    void ReportLocatingError() override { ShowInventoryError(m_pDialog, IDS_ERROR_LOCATING_PATH); }

private:
    static void CopyEntry(const WIN32_FIND_DATAA& data, InventoryEntry* entry) {
        static_assert(sizeof entry->name == sizeof data.cFileName, "entry names hold MAX_PATH bytes");
        std::memcpy(entry->name, data.cFileName, sizeof entry->name);
        entry->name[sizeof entry->name - 1] = '\0';
        entry->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry->sizeLow = data.nFileSizeLow;
    }

    CWnd* m_pDialog;
};

}  // namespace

int FindSharedFilesFolder(CWnd* dialog) {
    return FindFolderValue(dialog, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir",
                           "\\Corvalin\\", g_sharedFilesFolder);
}

int FindInstallFolder(CWnd* dialog) {
    return FindFolderValue(dialog, "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install",
                           "InstallDir", "", g_installFolder);
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
