#include "diagnostics/RegistryExport.h"

#include "diagnostics/NameForms.h"
#include "diagnostics/RegRootKeys.h"
#include "diagnostics/RegValueFormat.h"

#include <windows.h>

#include <mbctype.h>
#include <mbstring.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

RegNode* g_regHead = nullptr;
RegNode* g_regTail = nullptr;

const char kRegScriptFileName[] = "QZRegNode.reg";

namespace {

bool IsMbcsLeadByte(unsigned char byte) { return _ismbblead(byte) != 0; }

// The buffers the walk reads names and data into. Values are read before a
// key's subkeys are walked and a subkey's name is used up before the walk
// descends, so one set serves every level and each level keeps only a key
// handle, two counts and its path on the stack. Subkeys are enumerated and
// opened by their exact UTF-16 names: a name that the system code page cannot
// hold opens nothing in its 8-bit form.
struct WalkBuffers {
    char valueName[kRegValueNameCapacity];
    unsigned char valueData[kRegValueDataCapacity];
    wchar_t subkeyName[kRegSubkeyNameCapacity + 1];
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
    rc = RegQueryInfoKeyA(key.Get(), nullptr, nullptr, nullptr, &subkeyCount, nullptr, nullptr, &valueCount, nullptr,
                          nullptr, nullptr, nullptr);
    if (rc != ERROR_SUCCESS) return rc;

    node->keyLine = FormatRegKeyLine(root->name, keyPath);

    uint32_t skipped = 0;
    for (DWORD index = 0; index < valueCount; ++index) {
        DWORD nameLength = kRegValueNameCapacity;
        DWORD dataSize = kRegValueDataCapacity;
        DWORD type = 0;
        buffers.valueName[0] = '\0';
        rc = RegEnumValueA(key.Get(), index, buffers.valueName, &nameLength, nullptr, &type, buffers.valueData,
                           &dataSize);
        if (rc != ERROR_SUCCESS) {
            ++skipped;
            continue;
        }
        if (nameLength >= kRegValueNameCapacity) nameLength = kRegValueNameCapacity - 1;
        if (dataSize > kRegValueDataCapacity) dataSize = kRegValueDataCapacity;
        node->valueNames.emplace_back(buffers.valueName, strnlen(buffers.valueName, nameLength));
        node->valueTypes.push_back(type);
        node->valueTexts.push_back(RenderRegValueText(type, buffers.valueData, dataSize, IsMbcsLeadByte));
        node->valueCount = static_cast<uint32_t>(node->valueNames.size());
    }

    for (DWORD index = 0; index < subkeyCount; ++index) {
        DWORD nameLength = kRegSubkeyNameCapacity;
        buffers.subkeyName[0] = L'\0';
        rc = RegEnumKeyExW(key.Get(), index, buffers.subkeyName, &nameLength, nullptr, nullptr, nullptr, nullptr);
        if (rc != ERROR_SUCCESS) {
            ++skipped;
            continue;
        }
        if (nameLength >= kRegSubkeyNameCapacity) nameLength = kRegSubkeyNameCapacity - 1;
        buffers.subkeyName[nameLength] = L'\0';
        // The key line shows the name as the system code page renders it; a
        // name whose rendering does not fit the 8-bit name buffer is skipped,
        // as the 8-bit enumeration would skip it.
        const std::string shownName = SystemCodePageText(buffers.subkeyName, static_cast<int>(nameLength));
        if (shownName.size() >= kRegSubkeyNameCapacity) {
            ++skipped;
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
        return SnapshotKey(root, rootKey, WideFromSystemCodePage(path.c_str()).c_str(), path, *buffers);
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
    std::string path = folder ? folder : "";
    path += '\\';
    path += kRegScriptFileName;

    SetLastError(0);
    // 8-bit text in the system code page; text mode turns each line feed into
    // CR LF, and no byte-order mark is written.
    FILE* file = std::fopen(path.c_str(), "wt");
    if (file == nullptr) return LastErrorOr(kRegExportFail);

    long result = 0;
    SetLastError(0);
    if (std::fwrite(kRegScriptHeader, 1, kRegScriptHeaderSize, file) != kRegScriptHeaderSize) {
        result = LastErrorOr(ERROR_WRITE_FAULT);
    }
    std::string block;
    for (const RegNode* node = first; node != nullptr && result == 0; node = node->next) {
        try {
            block = FormatRegRecord(*node);
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

long ExportRegistryBranch(int rootIndex, const char* keyPath) {
    char folder[kProgramFolderCapacity] = {};
    long result = SnapshotRegistryKey(rootIndex, keyPath);
    if (result != 0) return result;
    result = GetProgramFolder(folder);
    if (result != 0) return result;
    return WriteRegScript(folder, g_regHead);
}
