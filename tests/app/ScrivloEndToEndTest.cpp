// Scrivlo.exe end to end, as a user sees it: the program runs as its own
// process in a folder of the test's own, with a product installation the test
// builds; a scripted user records every box and the status line between
// them and presses "&Ok"; the whole log and script are compared byte for byte
// with files built here from the fixture (digests from md5sum, not from the
// program's code).
#include <windows.h>
#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/ChildProcess.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/Transcript.h"

namespace {

using scrivlo_test::CChildProcess;
using scrivlo_test::CScriptedUserOptions;
using scrivlo_test::CTranscript;
using scrivlo_test::CTranscriptEntry;

const char kProductKey[] = "SOFTWARE\\Corvalin";
const char kInstallKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install";
const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary);
    out << bytes;
}

void PutText(const char* keyPath, const char* name, const std::string& text) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr,
                                             &key, nullptr));
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

// The log as the program must write it: a text-mode stream, so CR LF.
struct ExpectedLog {
    std::string text;
    ExpectedLog() {
        char header[128];
        std::snprintf(header, sizeof header, "%-39s|%-29s|%-9s\r\n", "MD5", "File Name", "Size");
        text = header + std::string(80, '-') + "\r\n";
    }
    void Section(const std::string& folder) { text += "\r\n\r\n\r\nTarget Directory : " + folder + "\r\n\r\n"; }
    void File(const std::string& md5, const std::string& name, int size) {
        char line[256];
        std::snprintf(line, sizeof line, "%-40s %-30s %-10d\r\n", md5.c_str(), name.c_str(), size);
        text += line;
    }
    void NoFiles() { text += "no files found\r\n"; }
};

// Files of the fixture with their md5sum digests.
struct FixtureFile {
    const char* name;
    const char* content;
    const char* md5;
};
const FixtureFile kCoreLibrary = {"corvcore.dll", "corvalin core library", "136b970f981f76b5551a8412c7d97f97"};
const FixtureFile kReadme = {"readme.txt", "install readme", "54b4df71295dc7a8630dafe76430d4a5"};
const FixtureFile kPlugin = {"plugin.dll", "plugin one", "a6432ae50d5808d26093f0f965af7dcd"};

class ScrivloEndToEnd : public ::testing::Test {
protected:
    void SetUp() override {
        // The product's registry branch and the shared-files value belong to
        // one case at a time, in this and in other test programs.
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

    void TearDown() override {
        if (!m_bLocked) return;
        SHDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
        PutText(kCurrentVersionKey, "CommonFilesDir", m_commonFilesDir);
        ReleaseMutex(m_hMutex);
        CloseHandle(m_hMutex);
    }

    static void RemoveTree(const std::string& folder) {
        std::string from = folder.substr(0, folder.size() - 1);
        from.push_back('\0');  // SHFileOperation takes a double-zero-terminated list
        SHFILEOPSTRUCTA op = {};
        op.wFunc = FO_DELETE;
        op.pFrom = from.c_str();
        op.fFlags = FOF_NOCONFIRMATION | FOF_NOERRORUI | FOF_SILENT;
        SHFileOperationA(&op);
    }

    void MakeFolder(const std::string& folder) { CreateDirectoryA(folder.c_str(), nullptr); }
    void Put(const std::string& folder, const FixtureFile& file) { WriteFile(folder + file.name, file.content); }

    // Both product folders, registered, with a nested folder.
    void InstallProduct() {
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

    ExpectedLog ExpectedProductLog() const {
        ExpectedLog log;
        log.Section(m_shared);
        log.File(kCoreLibrary.md5, kCoreLibrary.name, 21);
        log.Section(m_install);
        log.File(kReadme.md5, kReadme.name, 14);
        log.Section(m_install + "plugins\\");
        log.File(kPlugin.md5, kPlugin.name, 10);
        return log;
    }

    std::string ExpectedProductScript() const {
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
               "\"InstallDir\"=\"" + doubled + "\"\r\n\r\n";
    }

    CTranscript Run() {
        CChildProcess process;
        EXPECT_TRUE(process.Start(m_exe, "", m_folder)) << "error " << process.LastError();
        CScriptedUserOptions options;
        options.m_pszMainTitle = "Corvalin Scrivlo Tool";
        options.m_choose = [](const scrivlo_test::CBoxContents&) { return IDOK; };
        options.m_dwTimeoutMs = 60000;
        return RunScriptedUser(process, options);
    }

    // The transcript as one line per entry: "status: ..." or "box: caption | text".
    static std::vector<std::string> Lines(const CTranscript& transcript) {
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

    static void ExpectCleanEnd(const CTranscript& transcript) {
        EXPECT_TRUE(transcript.m_error.empty()) << transcript.m_error;
        EXPECT_TRUE(transcript.m_bExited) << "the program did not end by itself";
        EXPECT_FALSE(transcript.m_bKilled);
        for (const CTranscriptEntry& entry : transcript.m_entries) {
            if (entry.m_kind == CTranscriptEntry::kBox) {
                EXPECT_EQ(IDOK, entry.m_nAnsweredId);
                EXPECT_TRUE(entry.m_bClosed);
                ASSERT_EQ(1u, entry.m_box.m_buttons.size());
                EXPECT_EQ(L"&Ok", entry.m_box.m_buttons[0].m_caption);
            }
        }
    }

    HANDLE m_hMutex = nullptr;
    bool m_bLocked = false;
    std::string m_commonFilesDir;
    std::string m_folder, m_exe, m_common, m_shared, m_install;
};

const std::vector<std::string> kEverythingPresent = {
    "status: Creating log, please wait...",
    "box: Success! | Log file successfully created!",
    "status: Creating registry file, please wait...",
    "box: Success! | Log file successfully created!",
};

TEST_F(ScrivloEndToEnd, EverythingPresentGivesTwoSuccessBoxesAndBothFiles) {
    InstallProduct();
    const CTranscript transcript = Run();
    ExpectCleanEnd(transcript);
    EXPECT_EQ(kEverythingPresent, Lines(transcript));
    EXPECT_EQ(ExpectedProductLog().text, ReadFile(m_folder + "QZScrivlo.log"));
    EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
}

TEST_F(ScrivloEndToEnd, SecondStartReplacesTheLog) {
    InstallProduct();
    WriteFile(m_folder + "QZScrivlo.log", std::string(5000, 'x'));
    ExpectCleanEnd(Run());
    const CTranscript second = Run();
    ExpectCleanEnd(second);
    EXPECT_EQ(kEverythingPresent, Lines(second));
    EXPECT_EQ(ExpectedProductLog().text, ReadFile(m_folder + "QZScrivlo.log"));
}

TEST_F(ScrivloEndToEnd, LogThatCannotBeCreatedGivesOneErrorAndNoScript) {
    InstallProduct();
    ASSERT_TRUE(CreateDirectoryA((m_folder + "QZScrivlo.log").c_str(), nullptr));
    const CTranscript transcript = Run();
    ExpectCleanEnd(transcript);
    const std::vector<std::string> expected = {
        "status: Creating log, please wait...",
        "box: Error! | Error creating log file!",
    };
    EXPECT_EQ(expected, Lines(transcript));
    EXPECT_FALSE(FileExists(m_folder + "QZRegNode.reg"));
}

TEST_F(ScrivloEndToEnd, NeitherFolderRegisteredStillExportsTheBranch) {
    // No shared-files value, no install key; the branch holds one value.
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    PutText("SOFTWARE\\Corvalin\\Corvalin Desktop", "Version", "4.2");
    const CTranscript transcript = Run();
    ExpectCleanEnd(transcript);
    const std::vector<std::string> expected = {
        "status: Creating log, please wait...",
        "box: Error! | Error reading the registry!",
        "box: Error! | Error opening the registry!",
        "box: Success! | Log file successfully created!",
    };
    EXPECT_EQ(expected, Lines(transcript));
    EXPECT_EQ(ExpectedLog().text, ReadFile(m_folder + "QZScrivlo.log"));
    EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop]\r\n\"Version\"=\"4.2\"\r\n\r\n",
              ReadFile(m_folder + "QZRegNode.reg"));
}

TEST_F(ScrivloEndToEnd, SharedFolderMissingOnDiskIsSearchedTwiceAndCounts) {
    // The shared-files value names a folder without the product's subfolder:
    // the folder was found, so its section (with both search errors) counts
    // as a found product folder.
    MakeFolder(m_common);
    PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
    PutText("SOFTWARE\\Corvalin\\Corvalin Desktop", "Version", "4.2");
    const CTranscript transcript = Run();
    ExpectCleanEnd(transcript);
    const std::vector<std::string> expected = {
        "status: Creating log, please wait...",
        "box: Error! | Error locating path!",
        "box: Error! | Error locating path!",
        "box: Error! | Error opening the registry!",
        "box: Success! | Log file successfully created!",
        "status: Creating registry file, please wait...",
        "box: Success! | Log file successfully created!",
    };
    EXPECT_EQ(expected, Lines(transcript));
    ExpectedLog log;
    log.Section(m_shared);
    log.NoFiles();
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
    EXPECT_EQ("Windows Registry Editor Version 5.00\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]\r\n\r\n"
              "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop]\r\n\"Version\"=\"4.2\"\r\n\r\n",
              ReadFile(m_folder + "QZRegNode.reg"));
}

TEST_F(ScrivloEndToEnd, MissingBranchShowsOnlyTheLogSuccess) {
    MakeFolder(m_common);
    MakeFolder(m_shared);
    Put(m_shared, kCoreLibrary);
    PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
    const CTranscript transcript = Run();
    ExpectCleanEnd(transcript);
    // The status line turns to "Creating registry file, please wait..." and
    // the window closes a moment later, too soon to be read from outside
    // every time; only the boxes are compared.
    std::vector<std::string> boxes;
    for (const std::string& line : Lines(transcript))
        if (line.rfind("box: ", 0) == 0) boxes.push_back(line);
    const std::vector<std::string> expected = {
        "box: Error! | Error opening the registry!",
        "box: Success! | Log file successfully created!",
    };
    EXPECT_EQ(expected, boxes);
    EXPECT_FALSE(FileExists(m_folder + "QZRegNode.reg"));
}

// A log on a full disk (a link to /dev/full) is never reported as created;
// the run goes on to the registry script as after any inventory.
TEST_F(ScrivloEndToEnd, LogOnAFullDiskIsReportedAsAnError) {
    // The build made QZScrivlo.log in this case's folder a link to /dev/full.
    ASSERT_TRUE(FileExists(m_folder + "prepared-by-build"));
    InstallProduct();
    const CTranscript transcript = Run();
    ExpectCleanEnd(transcript);
    const std::vector<std::string> expected = {
        "status: Creating log, please wait...",
        "box: Error! | Error creating log file!",
        "status: Creating registry file, please wait...",
        "box: Success! | Log file successfully created!",
    };
    EXPECT_EQ(expected, Lines(transcript));
    EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
}

}  // namespace
