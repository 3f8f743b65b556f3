#include "diagnostics/Inventory.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

#include "diagnostics/InventoryFormat.h"
#include "diagnostics/InventoryLogWriter.h"
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

static_assert(sizeof(wchar_t) == sizeof(char16_t), "exact names are 16-bit units on this system");

const wchar_t* Wide(const std::u16string& text) { return reinterpret_cast<const wchar_t*>(text.c_str()); }

std::u16string Exact(const std::wstring& text) {
    return std::u16string(reinterpret_cast<const char16_t*>(text.data()), text.size());
}

// The exact forms of the folders the run keeps in its 8-bit buffers, by the
// buffer: a folder whose name the system code page cannot hold whole is
// still searched by its own name. Only the worker thread touches them.
struct ExactFolder {
    const char* buffer;
    std::string shown;  // what the buffer held when the form was kept
    std::wstring exact;
};
std::vector<ExactFolder> g_exactFolders;

void KeepExactFolder(const char* buffer, const std::wstring& exact) {
    for (ExactFolder& folder : g_exactFolders) {
        if (folder.buffer == buffer) {
            folder.shown = buffer;
            folder.exact = exact;
            return;
        }
    }
    g_exactFolders.push_back(ExactFolder{buffer, buffer, exact});
}

void ForgetExactFolder(const char* buffer) {
    for (size_t i = 0; i < g_exactFolders.size(); ++i) {
        if (g_exactFolders[i].buffer == buffer) g_exactFolders.erase(g_exactFolders.begin() + static_cast<long>(i));
    }
}

// The exact form of folder: the one kept for its buffer while it still holds
// the same text, else the text read in the code page. False when there is
// none (the text is not valid in the code page).
bool ExactFolderOf(const char* folder, std::wstring* exact) {
    for (const ExactFolder& kept : g_exactFolders) {
        if (kept.buffer == folder && kept.shown == folder) {
            *exact = kept.exact;
            return true;
        }
    }
    return WidenSystemCodePage(folder, exact);
}

// A folder value as text in its two forms. String values are read through
// the UTF-16 call, up to their first zero: the exact form is the text as
// stored, the shown form its rendering. The type is not examined otherwise:
// the bytes of any other type are taken as 8-bit text as they are (at most
// kPathCapacity of them), and have no exact form of their own.
LONG ReadFolderValue(HKEY key, const char* valueName, std::string* shown, std::wstring* exact, bool* hasExact) {
    std::wstring name;
    if (!WidenSystemCodePage(valueName, &name)) return ERROR_NO_UNICODE_TRANSLATION;
    std::vector<unsigned char> data(kPathCapacity * sizeof(wchar_t));
    DWORD type = 0;
    DWORD size = 0;
    LONG result = ERROR_MORE_DATA;
    for (int attempt = 0; result == ERROR_MORE_DATA && attempt < 3; ++attempt) {
        if (attempt > 0) data.resize(size + sizeof(wchar_t));
        size = static_cast<DWORD>(data.size());
        result = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &size);
    }
    if (result != ERROR_SUCCESS) return result;
    *hasExact = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    if (*hasExact) {
        const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
        exact->assign(text, wcsnlen(text, size / sizeof(wchar_t)));
        return RenderInSystemCodePage(exact->data(), exact->size(), shown) ? ERROR_SUCCESS
                                                                           : ERROR_NO_UNICODE_TRANSLATION;
    }
    if (size > kPathCapacity) return ERROR_MORE_DATA;
    const char* bytes = reinterpret_cast<const char*>(data.data());
    shown->assign(bytes, strnlen(bytes, size));
    return ERROR_SUCCESS;
}

// Reads a folder value of HKEY_LOCAL_MACHINE into folder (kPathCapacity bytes)
// as the code page renders it, followed by suffix, and keeps its exact form.
int FindFolderValue(CWnd* dialog, const char* keyPath, const char* valueName, const char* suffix,
                    const wchar_t* exactSuffix, char* folder) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
        ShowInventoryError(dialog, IDS_ERROR_OPENING_REGISTRY);
        return 0;
    }
    std::string shown;
    std::wstring exact;
    bool hasExact = false;
    const LONG result = ReadFolderValue(key, valueName, &shown, &exact, &hasExact);
    RegCloseKey(key);
    // A value whose rendering would have to be cut to fit, with its suffix,
    // would name a different folder: it counts as unreadable.
    if (result != ERROR_SUCCESS || !JoinPath(folder, kPathCapacity, shown.c_str(), suffix)) {
        ShowInventoryError(dialog, IDS_ERROR_READING_REGISTRY);
        return 0;
    }
    if (hasExact) {
        KeepExactFolder(folder, exact + exactSuffix);
    } else {
        ForgetExactFolder(folder);
    }
    return 1;
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

// The directory search, digests and messages of the real file system, all
// through the UTF-16 calls with the exact names; the log gets the names as
// the system code page renders them.
class CWin32InventorySource : public CInventorySource {
public:
    explicit CWin32InventorySource(CWnd* dialog) : m_pDialog(dialog) {}

    void* BeginSearch(const std::u16string& pattern, InventoryEntry* entry) override {
        WIN32_FIND_DATAW data;
        HANDLE search = FindFirstFileW(Wide(pattern), &data);
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

    FolderIdentity IdentifyFolder(const std::u16string& path) override {
        std::u16string folder = path;
        // "\\?\C:\" names a volume's root only with its backslash.
        if (folder.size() > 1 && folder.back() == u'\\' && folder[folder.size() - 2] != u':') folder.pop_back();
        HANDLE handle =
            CreateFileW(Wide(folder), FILE_READ_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        FolderIdentity identity;
        if (handle == INVALID_HANDLE_VALUE) return identity;
        BY_HANDLE_FILE_INFORMATION information;
        if (GetFileInformationByHandle(handle, &information)) {
            identity.known = true;
            identity.volume = information.dwVolumeSerialNumber;
            identity.index = (static_cast<uint64_t>(information.nFileIndexHigh) << 32) | information.nFileIndexLow;
        }
        CloseHandle(handle);
        return identity;
    }

    bool ComputeDigest(const std::u16string& path, char* digestText) override {
        std::unique_ptr<FILE, FileCloser> file(_wfopen(Wide(path), L"rb"));
        return file && ComputeStreamMd5(digestText, file.get());
    }

    void ReportLocatingError() override { ShowInventoryError(m_pDialog, IDS_ERROR_LOCATING_PATH); }

    unsigned Readers() const override { return CInventoryLogWriter::DefaultReaders(); }

private:
    static void CopyEntry(const WIN32_FIND_DATAW& data, InventoryEntry* entry) {
        const size_t length = wcsnlen(data.cFileName, MAX_PATH);
        // As the 8-bit search would report it: at most MAX_PATH - 1 bytes.
        std::string shown;
        // A name that cannot be rendered at all is shown as the default
        // character for each of its characters; it still opens by its own.
        if (!RenderInSystemCodePage(data.cFileName, length, &shown)) shown.assign(length, '?');
        const size_t kept = shown.size() < sizeof entry->name ? shown.size() : sizeof entry->name - 1;
        std::memcpy(entry->name, shown.data(), kept);
        entry->name[kept] = '\0';
        entry->exactName.assign(reinterpret_cast<const char16_t*>(data.cFileName), length);
        entry->isFolder = (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
        entry->isLink = (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
        entry->sizeLow = data.nFileSizeLow;
    }

    CWnd* m_pDialog;
};

// The exact form of a root below which the walk opens everything; false when
// the root cannot be had in that form.
bool ExactRootOf(const char* folder, const wchar_t* suffix, std::u16string* exactRoot) {
    std::wstring exact;
    std::wstring normal;
    if (!ExactFolderOf(folder, &exact) || !ExactRootForm(exact + suffix, &normal)) return false;
    *exactRoot = Exact(normal);
    return true;
}

}  // namespace

int FindSharedFilesFolder(CWnd* dialog) {
    return FindFolderValue(dialog, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion", "CommonFilesDir", "\\Corvalin\\",
                           L"\\Corvalin\\", g_sharedFilesFolder);
}

int FindInstallFolder(CWnd* dialog) {
    return FindFolderValue(dialog, "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install", "InstallDir", "", L"",
                           g_installFolder);
}

void FindWindowsFolder() {
    std::vector<wchar_t> folder(MAX_PATH);
    UINT length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    if (length >= folder.size()) {
        folder.resize(length + 1);
        length = GetWindowsDirectoryW(folder.data(), static_cast<UINT>(folder.size()));
    }
    g_windowsFolder[0] = '\0';
    if (length == 0 || length >= folder.size()) return;
    const std::wstring exact(folder.data(), length);
    std::string shown;
    // A folder whose rendering does not fit stays empty, as the 8-bit call
    // leaves a buffer that is too small.
    if (!RenderInSystemCodePage(exact.data(), exact.size(), &shown) ||
        !JoinPath(g_windowsFolder, kPathCapacity, shown.c_str(), "")) {
        return;
    }
    KeepExactFolder(g_windowsFolder, exact);
}

void LogFolderTree(const char* folder, CWnd* dialog) {
    const CString targetDirectory = LoadResourceText(IDS_TARGET_DIRECTORY);
    const CString noFilesFound = LoadResourceText(IDS_NO_FILES_FOUND);
    const InventoryTexts texts = {targetDirectory, noFilesFound};
    CWin32InventorySource source(dialog);
    std::u16string exactRoot;
    WalkFolderTree(folder, ExactRootOf(folder, L"", &exactRoot) ? &exactRoot : nullptr, texts, source);
}

void LogSystemComponents(const char* windowsFolder) {
    const CString targetDirectory = LoadResourceText(IDS_TARGET_DIRECTORY);
    CWin32InventorySource source(nullptr);
    std::u16string exactRoot;
    WalkSystemComponents(windowsFolder, ExactRootOf(windowsFolder, L"\\", &exactRoot) ? &exactRoot : nullptr,
                         targetDirectory, source);
}
