#include "diagnostics/RegistryExport.h"

#include "diagnostics/NameForms.h"
#include "diagnostics/RegRootKeys.h"
#include "diagnostics/RegValueFormat.h"

#include <windows.h>

#include <mbctype.h>
#include <mbstring.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

RegNode* g_regHead = nullptr;
RegNode* g_regTail = nullptr;

const char kRegScriptFileName[] = "QZRegNode.reg";

namespace {

// The longest key name the registry holds, in characters.
constexpr DWORD kRegMaxKeyNameChars = 255;

bool IsMbcsLeadByte(unsigned char byte) { return _ismbblead(byte) != 0; }

// The buffers the walk reads names and data into. Values are read before a
// key's subkeys are walked and a subkey's name is used up before the walk
// descends, so one set serves every level and each level keeps only a key
// handle, two counts and its path on the stack. Everything is read through
// the UTF-16 calls: names are opened by their exact form, and string data
// comes as stored, so that nothing is lost before it is rendered.
struct WalkBuffers {
    std::vector<wchar_t> valueName;
    std::vector<unsigned char> valueData;
    wchar_t subkeyName[kRegMaxKeyNameChars + 1];
};

class OpenKey {
public:
    explicit OpenKey(HKEY key) : m_hKey(key) {}
    ~OpenKey() { RegCloseKey(m_hKey); }
    OpenKey(const OpenKey&) = delete;
    OpenKey& operator=(const OpenKey&) = delete;
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey;
};

void AppendToChain(RegNode* node) {
    if (g_regHead == nullptr) {
        g_regHead = node;
    } else {
        g_regTail->next = node;
    }
    g_regTail = node;
}

// After an allocation failed part way through storing a value, keep only the
// values stored whole.
void KeepCompleteValues(RegNode* node) {
    size_t count = node->valueNames.size();
    if (node->valueTexts.size() < count) count = node->valueTexts.size();
    if (node->valueTypes.size() < count) count = node->valueTypes.size();
    node->valueNames.resize(count);
    node->valueTexts.resize(count);
    node->valueTypes.resize(count);
    node->valueCount = static_cast<uint32_t>(count);
}

std::string Note(const char* format, unsigned long index, long error) {
    char text[96];
    std::snprintf(text, sizeof text, format, index, error);
    return text;
}

// The data part of a value's line. A REG_SZ value is quoted text only when
// that text gives the stored data back exactly: one string, every character
// of which the system code page holds; anything else keeps its UTF-16 bytes.
std::string ValueData(DWORD type, const unsigned char* data, DWORD size) {
    if (type == REG_SZ && IsPlainRegString(data, size)) {
        std::wstring text(size / sizeof(wchar_t) - 1, L'\0');
        std::memcpy(&text[0], data, text.size() * sizeof(wchar_t));
        std::string rendered;
        bool whole = false;
        if (RenderInSystemCodePage(text.data(), text.size(), &rendered, &whole) && whole) {
            return QuoteRegText(rendered, IsMbcsLeadByte);
        }
    }
    return FormatRegData(type, data, size);
}

// Reads the value at index into the buffers; grows them and tries again when
// the value grew since the key was queried.
LONG ReadValue(HKEY key, DWORD index, WalkBuffers& buffers, DWORD* nameLength, DWORD* type, DWORD* dataSize) {
    for (int attempt = 0;; ++attempt) {
        *nameLength = static_cast<DWORD>(buffers.valueName.size());
        *dataSize = static_cast<DWORD>(buffers.valueData.size());
        const LONG rc = RegEnumValueW(key, index, buffers.valueName.data(), nameLength, nullptr, type,
                                      buffers.valueData.data(), dataSize);
        if (rc != ERROR_MORE_DATA || attempt == 3) return rc;
        DWORD maxName = 0;
        DWORD maxData = 0;
        if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData,
                             nullptr, nullptr) != ERROR_SUCCESS)
            return rc;
        buffers.valueName.resize(std::max<size_t>(buffers.valueName.size() * 2, maxName + 1));
        buffers.valueData.resize(std::max<size_t>(buffers.valueData.size() * 2, maxData));
    }
}

long SnapshotKey(const RegRootKey* root, HKEY parent, const wchar_t* openPath, const std::string& keyPath,
                 WalkBuffers& buffers);

// Opens openPath below parent (the root for the branch itself, the parent key
// for a subkey: a subkey opened by its name alone opens however long its
// full path grows) and reads the key into node. openPath may be the shared
// subkey name buffer: it is used up by the open, before anything reuses it.
long ReadKey(RegNode* node, const RegRootKey* root, HKEY parent, const wchar_t* openPath, const std::string& keyPath,
             WalkBuffers& buffers) {
    HKEY rawKey = nullptr;
    LONG rc = RegOpenKeyExW(parent, openPath, 0, KEY_READ, &rawKey);
    if (rc != ERROR_SUCCESS) return rc;
    OpenKey key(rawKey);

    DWORD subkeyCount = 0;
    DWORD valueCount = 0;
    DWORD maxNameLength = 0;
    DWORD maxDataSize = 0;
    rc = RegQueryInfoKeyW(key.Get(), nullptr, nullptr, nullptr, &subkeyCount, nullptr, nullptr, &valueCount,
                          &maxNameLength, &maxDataSize, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return rc;

    node->keyLine = FormatRegKeyLine(root->name, keyPath);

    if (buffers.valueName.size() < maxNameLength + 1) buffers.valueName.resize(maxNameLength + 1);
    if (buffers.valueData.size() < maxDataSize) buffers.valueData.resize(maxDataSize);
    uint32_t skipped = 0;
    for (DWORD index = 0; index < valueCount; ++index) {
        DWORD nameLength = 0;
        DWORD dataSize = 0;
        DWORD type = 0;
        rc = ReadValue(key.Get(), index, buffers, &nameLength, &type, &dataSize);
        if (rc != ERROR_SUCCESS) {
            ++skipped;
            node->skippedNotes.push_back(Note("value %lu of this key could not be read (error %ld)", index, rc));
            continue;
        }
        std::string name;
        // A name that cannot be rendered would be shown as the default value.
        if (!RenderInSystemCodePage(buffers.valueName.data(), nameLength, &name)) {
            ++skipped;
            node->skippedNotes.push_back(Note("value %lu of this key has a name that cannot be written (error %ld)",
                                              index, static_cast<long>(ERROR_NO_UNICODE_TRANSLATION)));
            continue;
        }
        node->valueNames.push_back(std::move(name));
        node->valueTypes.push_back(type);
        node->valueTexts.push_back(ValueData(type, buffers.valueData.data(), dataSize));
        node->valueCount = static_cast<uint32_t>(node->valueNames.size());
    }

    for (DWORD index = 0; index < subkeyCount; ++index) {
        DWORD nameLength = kRegMaxKeyNameChars + 1;
        buffers.subkeyName[0] = L'\0';
        rc = RegEnumKeyExW(key.Get(), index, buffers.subkeyName, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            ++skipped;
            node->skippedNotes.push_back(Note("subkey %lu of this key could not be read (error %ld)", index, rc));
            continue;
        }
        buffers.subkeyName[nameLength] = L'\0';
        // The key line shows the name as the system code page renders it; a
        // name whose rendering does not fit the name buffer is left out.
        std::string shownName;
        if (!RenderInSystemCodePage(buffers.subkeyName, nameLength, &shownName) ||
            shownName.size() >= kRegSubkeyNameCapacity) {
            ++skipped;
            node->skippedNotes.push_back(Note("subkey %lu of this key has a name too long for this script (%ld bytes)",
                                              index, static_cast<long>(shownName.size())));
            continue;
        }
        std::string subkeyPath;
        subkeyPath.reserve(keyPath.size() + 1 + shownName.size());
        subkeyPath += keyPath;
        subkeyPath += '\\';
        subkeyPath += shownName;
        if (SnapshotKey(root, key.Get(), buffers.subkeyName, subkeyPath, buffers) != 0) ++skipped;
    }
    node->skippedCount = skipped;
    return 0;
}

long SnapshotKey(const RegRootKey* root, HKEY parent, const wchar_t* openPath, const std::string& keyPath,
                 WalkBuffers& buffers) {
    RegNode* node = new (std::nothrow) RegNode;
    if (node == nullptr) return kRegExportOutOfMemory;
    AppendToChain(node);
    // A root index that names no root opens nothing, like an invalid handle.
    if (root == nullptr) return ERROR_INVALID_HANDLE;
    try {
        return ReadKey(node, root, parent, openPath, keyPath, buffers);
    } catch (const std::bad_alloc&) {
        // The key handle is closed by now; the record keeps what it holds whole.
        KeepCompleteValues(node);
        return kRegExportOutOfMemory;
    }
}

long LastErrorOr(long fallback) {
    const DWORD error = GetLastError();
    return error != 0 ? static_cast<long>(error) : fallback;
}

}  // namespace

long SnapshotRegistryKey(int rootIndex, const char* keyPath) {
    std::unique_ptr<WalkBuffers> buffers(new (std::nothrow) WalkBuffers);
    if (!buffers) return kRegExportOutOfMemory;
    try {
        const RegRootKey* root = FindRegRootKey(rootIndex);
        const HKEY rootKey = root ? RegRootKeyHandle(*root) : nullptr;
        const std::string path = keyPath ? keyPath : "";
        // A path that does not convert would open another key (the empty
        // path opens the root itself): its record stays empty.
        std::wstring widePath;
        if (!WidenSystemCodePage(path.c_str(), &widePath)) {
            AppendToChain(new RegNode);
            return ERROR_NO_UNICODE_TRANSLATION;
        }
        return SnapshotKey(root, rootKey, widePath.c_str(), path, *buffers);
    } catch (const std::bad_alloc&) {
        return kRegExportOutOfMemory;
    }
}

long GetProgramFolder(char* folder) {
    char path[kProgramFolderCapacity] = {};
    const DWORD length = GetModuleFileNameA(nullptr, path, kProgramFolderCapacity);
    // A path that filled the buffer may have been cut: it names no folder
    // that can be trusted.
    if (length == 0 || length >= kProgramFolderCapacity) return kRegExportFail;
    unsigned char* lastBackslash = _mbsrchr(reinterpret_cast<unsigned char*>(path), '\\');
    if (lastBackslash == nullptr) return kRegExportFail;
    *lastBackslash = '\0';
    std::memcpy(folder, path, static_cast<size_t>(lastBackslash - reinterpret_cast<unsigned char*>(path)) + 1);
    return 0;
}

void EscapeBackslashes(std::string& text) { text = EscapeBackslashesWith(text, IsMbcsLeadByte); }

long WriteRegScript(const char* folder, const RegNode* first) {
    std::wstring wideFolder;
    if (!WidenSystemCodePage(folder ? folder : "", &wideFolder)) return kRegExportFail;
    return WriteRegScriptInto(wideFolder, first);
}

long WriteRegScriptInto(const std::wstring& folder, const RegNode* first) {
    std::wstring path = folder;
    path += L'\\';
    path.append(kRegScriptFileName, kRegScriptFileName + sizeof kRegScriptFileName - 1);

    SetLastError(0);
    // 8-bit text in the system code page; text mode turns each line feed into
    // CR LF, and no byte-order mark is written.
    FILE* file = _wfopen(path.c_str(), L"wt");
    if (file == nullptr) return LastErrorOr(kRegExportFail);

    long result = 0;
    SetLastError(0);
    if (std::fwrite(kRegScriptHeader, 1, kRegScriptHeaderSize, file) != kRegScriptHeaderSize) {
        result = LastErrorOr(ERROR_WRITE_FAULT);
    }
    std::string block;
    for (const RegNode* node = first; node != nullptr && result == 0; node = node->next) {
        try {
            block = FormatRegRecord(*node, IsMbcsLeadByte);
        } catch (const std::bad_alloc&) {
            result = kRegExportOutOfMemory;
            break;
        }
        SetLastError(0);
        if (std::fwrite(block.data(), 1, block.size(), file) != block.size()) {
            result = LastErrorOr(ERROR_WRITE_FAULT);
        }
    }
    // Buffered bytes reach the file only now, so a full disk may show first
    // here; the flush is checked on its own because not every runtime's
    // fclose reports a failed final flush.
    SetLastError(0);
    if (result == 0 && (std::fflush(file) != 0 || std::ferror(file) != 0)) {
        result = LastErrorOr(ERROR_WRITE_FAULT);
    }
    SetLastError(0);
    if (std::fclose(file) != 0 && result == 0) result = LastErrorOr(ERROR_WRITE_FAULT);
    return result;
}

long GetProgramFolderExact(std::wstring* folder) {
    std::vector<wchar_t> path(MAX_PATH);
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return kRegExportFail;
        // A path that filled the buffer may have been cut: try a larger one.
        if (length < path.size()) {
            const std::wstring full(path.data(), length);
            const size_t lastBackslash = full.rfind(L'\\');
            if (lastBackslash == std::wstring::npos) return kRegExportFail;
            *folder = full.substr(0, lastBackslash);
            return 0;
        }
        if (path.size() >= 32768) return kRegExportFail;
        path.resize(path.size() * 2);
    }
}

long ExportRegistryBranch(int rootIndex, const char* keyPath) {
    long result = SnapshotRegistryKey(rootIndex, keyPath);
    if (result != 0) return result;
    // The script goes into the very folder the program file is in, named
    // exactly, whatever the system code page can show of its name.
    std::wstring folder;
    result = GetProgramFolderExact(&folder);
    if (result != 0) return result;
    return WriteRegScriptInto(folder, g_regHead);
}
