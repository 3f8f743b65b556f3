#include "tests/app/EndToEnd.h"

#include <shlwapi.h>
#include <wincrypt.h>

#include <cstdio>
#include <fstream>
#include <sstream>

#include "tests/support/ProcessWindows.h"

namespace scrivlo_e2e {

using scrivlo_test::CBoxContents;
using scrivlo_test::CChildProcess;
using scrivlo_test::CScriptedUserOptions;
using scrivlo_test::CTranscript;
using scrivlo_test::CTranscriptEntry;

const char kProductKey[] = "SOFTWARE\\Corvalin";
const char kInstallKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install";
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char kMainTitle[] = "Corvalin Scrivlo Tool";

// printf '%s' CONTENT | md5sum
const FixtureFile kCoreLibrary = {"corvcore.dll", "corvalin core library", "136b970f981f76b5551a8412c7d97f97"};
const FixtureFile kReadme = {"readme.txt", "install readme", "54b4df71295dc7a8630dafe76430d4a5"};
const FixtureFile kPlugin = {"plugin.dll", "plugin one", "a6432ae50d5808d26093f0f965af7dcd"};

const char kStatusCreatingLog[] = "status: Creating log, please wait...";
const char kStatusCreatingScript[] = "status: Creating registry file, please wait...";
// The program reports the registry script with the log's words too.
const char kBoxFileCreated[] = "box: Success! | Log file successfully created!";
const char kBoxErrorLocatingPath[] = "box: Error! | Error locating path!";
const char kBoxErrorReadingRegistry[] = "box: Error! | Error reading the registry!";
const char kBoxErrorOpeningRegistry[] = "box: Error! | Error opening the registry!";
const char kBoxErrorCreatingLog[] = "box: Error! | Error creating log file!";

const std::vector<std::string> kEverythingPresent = {kStatusCreatingLog, kBoxFileCreated, kStatusCreatingScript,
                                                     kBoxFileCreated};

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool MakeSparseFile(const std::string& path, LONGLONG size) {
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return false;
    LARGE_INTEGER end;
    end.QuadPart = size;
    const bool ok = SetFilePointerEx(file, end, nullptr, FILE_BEGIN) && SetEndOfFile(file);
    CloseHandle(file);
    return ok;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void PutText(const char* keyPath, const char* name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    RegSetValueExA(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                   static_cast<DWORD>(text.size() + 1));
    RegCloseKey(key);
}

void DeleteValue(const char* keyPath, const char* name) {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) return;
    RegDeleteValueA(key, name);
    RegCloseKey(key);
}

std::string GetText(const char* keyPath, const char* name) {
    char buffer[1024] = {};
    DWORD size = sizeof buffer;
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return {};
    RegQueryValueExA(key, name, nullptr, nullptr, reinterpret_cast<BYTE*>(buffer), &size);
    RegCloseKey(key);
    return buffer;
}

HKEY CreateWideKey(const std::wstring& path, HKEY parent) {
    HKEY key = nullptr;
    EXPECT_EQ(ERROR_SUCCESS,
              RegCreateKeyExW(parent, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    return key;
}

std::string CryptoApiMd5(const std::string& bytes) {
    HCRYPTPROV provider = 0;
    if (!CryptAcquireContextA(&provider, nullptr, nullptr, PROV_RSA_FULL, CRYPT_VERIFYCONTEXT)) return {};
    std::string text;
    HCRYPTHASH hash = 0;
    if (CryptCreateHash(provider, CALG_MD5, 0, 0, &hash)) {
        BYTE digest[16] = {};
        DWORD length = sizeof digest;
        if (CryptHashData(hash, reinterpret_cast<const BYTE*>(bytes.data()), static_cast<DWORD>(bytes.size()), 0) &&
            CryptGetHashParam(hash, HP_HASHVAL, digest, &length, 0) && length == 16) {
            char hex[3];
            for (BYTE b : digest) {
                std::snprintf(hex, sizeof hex, "%02x", b);
                text += hex;
            }
        }
        CryptDestroyHash(hash);
    }
    CryptReleaseContext(provider, 0);
    return text;
}

ExpectedLog::ExpectedLog() {
    char header[128];
    std::snprintf(header, sizeof header, "%-39s|%-29s|%-9s\r\n", "MD5", "File Name", "Size");
    text = header + std::string(80, '-') + "\r\n";
}

void ExpectedLog::Section(const std::string& folder) {
    text += "\r\n\r\n\r\nTarget Directory : " + folder + "\r\n\r\n";
}

void ExpectedLog::File(const std::string& md5, const std::string& name, int size) {
    char line[512];
    std::snprintf(line, sizeof line, "%-40s %-30s %-10d\r\n", md5.c_str(), name.c_str(), size);
    text += line;
}

void ExpectedLog::FileWithoutDigest(const std::string& name, int size) {
    char line[512];
    std::snprintf(line, sizeof line, " %-30s %-10d\r\n", name.c_str(), size);
    text += line;
}

void ExpectedLog::NoFiles() { text += "no files found\r\n"; }

void ExpectedLog::Tree(const std::string& folder, const std::map<std::string, std::string>& digests) {
    Section(folder);
    std::vector<std::string> subfolders;
    bool anyFile = false;
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((folder + "*.*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << folder;
    do {
        const std::string name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != "." && name != "..") subfolders.push_back(folder + name + "\\");
            continue;
        }
        anyFile = true;
        const auto digest = digests.find(folder + name);
        if (digest == digests.end()) {
            ADD_FAILURE() << "no digest for " << folder + name;
            continue;
        }
        if (digest->second.empty()) {
            FileWithoutDigest(name, static_cast<int>(entry.nFileSizeLow));
        } else {
            File(digest->second, name, static_cast<int>(entry.nFileSizeLow));
        }
    } while (FindNextFileA(search, &entry));
    FindClose(search);
    if (!anyFile) NoFiles();
    for (const std::string& subfolder : subfolders) Tree(subfolder, digests);
}

void ScrivloEndToEnd::SetUp() {
    // The product's registry branch, the shared-files value and the Windows
    // folder's components belong to one case at a time, in this and in
    // other test programs.
    m_hMutex = CreateMutexA(nullptr, FALSE, "ScrivloInventoryRegistryFixture");
    ASSERT_NE(nullptr, m_hMutex);
    const DWORD waited = WaitForSingleObject(m_hMutex, 90000);
    ASSERT_TRUE(waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED);
    m_bLocked = true;
    m_commonFilesDir = GetText(kCurrentVersionKey, "CommonFilesDir");
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);

    const ::testing::TestInfo* info = ::testing::UnitTest::GetInstance()->current_test_info();
    m_folder = scrivlo_test::ModuleFolder() + "e2e_" + info->name() + "\\";
    m_common = m_folder + "common";
    m_shared = m_common + "\\Corvalin\\";
    m_install = m_folder + "install\\";
    m_exe = m_folder + "Scrivlo.exe";
    if (FileExists(m_folder + "prepared-by-build")) {
        // A folder the build prepared (it holds what a Windows program
        // cannot make, such as a link to /dev/full): keep it, clear the rest.
        RemoveTree(m_common + "\\");
        RemoveTree(m_install);
        DeleteFileA((m_folder + "QZRegNode.reg").c_str());
    } else {
        RemoveTree(m_folder);
        ASSERT_TRUE(CreateDirectoryA(m_folder.c_str(), nullptr)) << m_folder;
    }
    ASSERT_TRUE(CopyFileA(SCRIVLO_EXE, m_exe.c_str(), FALSE)) << SCRIVLO_EXE;
}

void ScrivloEndToEnd::TearDown() {
    if (!m_bLocked) return;
    for (const std::string& path : m_foreignFiles) DeleteFileA(path.c_str());
    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
    PutText(kCurrentVersionKey, "CommonFilesDir", m_commonFilesDir);
    ReleaseMutex(m_hMutex);
    CloseHandle(m_hMutex);
}

namespace {

// Removes folder (exact form, with its trailing backslash) and everything in
// it by the exact names: a case may leave names that no 8-bit path reaches
// ("a.", characters outside the code page). A link is removed, never entered.
void RemoveExactTree(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring path = folder + name;
            SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
                !(entry.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT)) {
                RemoveExactTree(path + L"\\");
            } else if (!DeleteFileW(path.c_str())) {
                RemoveDirectoryW(path.c_str());
            }
        } while (FindNextFileW(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryW(folder.substr(0, folder.size() - 1).c_str());
}

}  // namespace

void ScrivloEndToEnd::RemoveTree(const std::string& folder) {
    wchar_t wide[MAX_PATH] = {};
    wchar_t full[MAX_PATH] = {};
    if (MultiByteToWideChar(CP_ACP, 0, folder.c_str(), -1, wide, MAX_PATH) == 0) return;
    if (GetFullPathNameW(wide, MAX_PATH, full, nullptr) == 0) return;
    RemoveExactTree(L"\\\\?\\" + std::wstring(full));
}

void ScrivloEndToEnd::MakeFolder(const std::string& folder) { CreateDirectoryA(folder.c_str(), nullptr); }

void ScrivloEndToEnd::Put(const std::string& folder, const FixtureFile& file) {
    WriteFile(folder + file.name, file.content);
}

void ScrivloEndToEnd::InstallProduct() {
    MakeFolder(m_common);
    MakeFolder(m_shared);
    Put(m_shared, kCoreLibrary);
    MakeFolder(m_install);
    Put(m_install, kReadme);
    MakeFolder(m_install + "plugins");
    Put(m_install + "plugins\\", kPlugin);
    PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
    PutText(kInstallKey, "InstallDir", m_install);
}

ExpectedLog ScrivloEndToEnd::ExpectedSharedSection() const {
    ExpectedLog log;
    log.Section(m_shared);
    log.File(kCoreLibrary.md5, kCoreLibrary.name, kCoreLibrary.Size());
    return log;
}

ExpectedLog ScrivloEndToEnd::ExpectedProductLog() const {
    ExpectedLog log = ExpectedSharedSection();
    log.Section(m_install);
    log.File(kReadme.md5, kReadme.name, kReadme.Size());
    log.Section(m_install + "plugins\\");
    log.File(kPlugin.md5, kPlugin.name, kPlugin.Size());
    return log;
}

std::string ScrivloEndToEnd::ExpectedProductScript() const {
    std::string doubled;
    for (char c : m_install) {
        doubled += c;
        if (c == '\\') doubled += '\\';
    }
    return "Windows Registry Editor Version 5.00\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop]\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance]\r\n\r\n"
           "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install]\r\n"
           "\"InstallDir\"=\"" +
           doubled + "\"\r\n\r\n";
}

CTranscript ScrivloEndToEnd::Run(const BoxHook& onBox) {
    CChildProcess process;
    EXPECT_TRUE(process.Start(m_exe, "", m_folder)) << "error " << process.LastError();
    return RunStarted(process, onBox);
}

CTranscript ScrivloEndToEnd::RunStarted(CChildProcess& process, const BoxHook& onBox) {
    CScriptedUserOptions options;
    options.m_pszMainTitle = kMainTitle;
    options.m_choose = [&](const CBoxContents& contents) {
        if (onBox) {
            // The box the scripted user has just read is the topmost one.
            const std::vector<HWND> boxes = scrivlo_test::FindBoxes(process.ProcessId());
            for (HWND box : boxes) {
                if (!GetDlgItem(box, 1001)) {
                    onBox(box, contents, process);
                    break;
                }
            }
        }
        return IDOK;
    };
    options.m_dwTimeoutMs = 60000;
    return RunScriptedUser(process, options);
}

std::vector<std::string> ScrivloEndToEnd::Lines(const CTranscript& transcript) {
    std::vector<std::string> lines;
    for (const CTranscriptEntry& entry : transcript.m_entries) {
        if (entry.m_kind == CTranscriptEntry::kStatus) {
            lines.push_back("status: " + scrivlo_test::ToUtf8(entry.m_status));
        } else {
            lines.push_back("box: " + scrivlo_test::ToUtf8(entry.m_box.m_caption) + " | " +
                            scrivlo_test::ToUtf8(entry.m_box.m_text));
        }
    }
    return lines;
}

std::vector<std::string> ScrivloEndToEnd::BoxLines(const CTranscript& transcript) {
    std::vector<std::string> boxes;
    for (const std::string& line : Lines(transcript))
        if (line.rfind("box: ", 0) == 0) boxes.push_back(line);
    return boxes;
}

void ScrivloEndToEnd::ExpectCleanEnd(const CTranscript& transcript) {
    EXPECT_TRUE(transcript.m_error.empty()) << transcript.m_error;
    EXPECT_TRUE(transcript.m_bExited) << "the program did not end by itself";
    EXPECT_FALSE(transcript.m_bKilled);
    EXPECT_EQ(0u, transcript.m_nExitCode);
    for (const CTranscriptEntry& entry : transcript.m_entries) {
        if (entry.m_kind == CTranscriptEntry::kBox) {
            EXPECT_EQ(IDOK, entry.m_nAnsweredId);
            EXPECT_TRUE(entry.m_bClosed);
            ASSERT_EQ(1u, entry.m_box.m_buttons.size());
            EXPECT_EQ(L"&Ok", entry.m_box.m_buttons[0].m_caption);
        }
    }
}

void ScrivloEndToEnd::ExpectTranscript(const CTranscript& transcript, const std::vector<std::string>& lines,
                                       const std::string& note) {
    ExpectCleanEnd(transcript);
    EXPECT_EQ(lines, Lines(transcript)) << note;
}

std::string ScrivloEndToEnd::WindowsFolder() {
    char folder[MAX_PATH] = {};
    GetWindowsDirectoryA(folder, sizeof folder);
    return folder;
}

}  // namespace scrivlo_e2e
