// Names whose renderings in the code page would mislead: every file is found,
// opened and digested by its exact name, and the log and the script show each
// name without inventing a dot or a separator. And a folder that leads back
// up the tree is not walked again.
#include <windows.h>

#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "tests/app/EndToEnd.h"

namespace scrivlo_e2e {
namespace {

using scrivlo_test::CTranscript;

// A run with the install folder registered and no shared-files value: every
// folder searched without a message.
const std::vector<std::string> kInstallFolderOnly = {
    kStatusCreatingLog, kBoxErrorReadingRegistry, kBoxFileCreated, kStatusCreatingScript, kBoxFileCreated,
};

// A name in code page 1252 as the log must show it here: every name of these
// cases is ASCII but for characters that 1252 cannot hold.
std::string Shown(const std::wstring& name) {
    std::string shown;
    for (wchar_t c : name) shown += c < 0x80 ? static_cast<char>(c) : '?';
    return shown;
}

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// The exact form in which a test makes files whatever their names.
std::wstring Long(const std::wstring& path) { return L"\\\\?\\" + path; }

void WriteExact(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(Long(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file) << Shown(path);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

// The sections of a tree in the order the directory search gives them, each
// file with the digest of the content the case wrote into it.
void ExpectTree(ExpectedLog& log, const std::wstring& folder, const std::map<std::wstring, std::string>& contents) {
    log.Section(Shown(folder));
    std::vector<std::wstring> subfolders;
    bool anyFile = false;
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW(Long(folder + L"*.*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search) << Shown(folder);
    do {
        const std::wstring name = entry.cFileName;
        if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            if (name != L"." && name != L"..") subfolders.push_back(folder + name + L"\\");
            continue;
        }
        anyFile = true;
        const auto content = contents.find(folder + name);
        ASSERT_NE(contents.end(), content) << "a file the case did not make: " << Shown(folder + name);
        log.File(CryptoApiMd5(content->second), Shown(name), static_cast<int>(content->second.size()));
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    if (!anyFile) log.NoFiles();
    for (const std::wstring& subfolder : subfolders) ExpectTree(log, subfolder, contents);
}

TEST_F(ScrivloEndToEnd, NamesWhoseRenderingsWouldMisleadAreListedWholeWithTheirDigests) {
    ASSERT_EQ(1252u, GetACP()) << "the expected texts are those of code page 1252";
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    const std::wstring install = Widened(m_install);
    const std::wstring dots = L"\xFF0E\xFF0E";  // two fullwidth full stops
    const std::map<std::wstring, std::string> contents = {
        {install + L"plain.txt", "plain"},
        {install + L"a", "the file a"},
        {install + L"a.", "the file a with a dot"},
        {install + L"x\xFF3Cy.txt", "a fullwidth reverse solidus"},
        {install + L"z\x2215w.txt", "a division slash"},
        {install + L"c\xA789"
                   L"d.txt",
         "a modifier letter colon"},
        {install + dots + L"\\inner.txt", "inside the dots"},
        {install + dots + L"\\deeper\\deep.txt", "below the dots"},
        {install + L"\xFF0E\\single.txt", "inside one dot"},
    };
    MakeFolder(m_install);
    ASSERT_TRUE(CreateDirectoryW(Long(install + dots).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Long(install + dots + L"\\deeper").c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(Long(install + L"\xFF0E").c_str(), nullptr));
    for (const auto& file : contents) WriteExact(file.first, file.second);
    PutText(kInstallKey, "InstallDir", m_install);
    HKEY key = CreateWideKey(
        L"SOFTWARE\\Corvalin\\a\xFF3C"
        L"b");
    const DWORD one = 1;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(key, "v", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&one), 4));
    RegCloseKey(key);
    RegCloseKey(CreateWideKey(L"SOFTWARE\\Corvalin\\" + dots + L"\\k"));

    ExpectTranscript(Run(), kInstallFolderOnly, "every folder can be searched");

    ExpectedLog log;
    ExpectTree(log, install, contents);
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));

    // Subkeys come in the registry's order; each key line names its own key.
    const std::string script = ReadFile(m_folder + "QZRegNode.reg");
    for (const char* line : {"[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\a?b]\r\n\"v\"=dword:00000001\r\n\r\n",
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\??]\r\n\r\n",
                             "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\??\\k]\r\n\r\n"}) {
        EXPECT_NE(std::string::npos, script.find(line)) << line << "\nin\n" << script;
    }
    EXPECT_EQ(std::string::npos, script.find("Corvalin\\a\\b")) << "no key line names a key that does not exist";
    EXPECT_EQ(std::string::npos, script.find("Corvalin\\..")) << "no key line names a key that does not exist";
}

// The build made looped\ with a file, a subfolder with a file, and two links
// back to looped\ itself (looped\up and looped\sub\top), which a Windows
// program cannot make. The links lead back up the tree and are not entered;
// the walk ends without a message.
TEST_F(ScrivloEndToEnd, AFolderThatLeadsBackUpTheTreeIsNotWalkedAgain) {
    ASSERT_TRUE(FileExists(m_folder + "prepared-by-build"));
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    const std::string looped = m_folder + "looped\\";
    PutText(kInstallKey, "InstallDir", looped);
    ExpectTranscript(Run(), kInstallFolderOnly);
    ExpectedLog log;
    log.Section(looped);
    log.File(CryptoApiMd5("looped file\n"), "f.txt", 12);
    log.Section(looped + "sub\\");
    log.File(CryptoApiMd5("sub file\n"), "g.txt", 9);
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
}

// The script goes beside the program file, found by its exact name when the
// code page cannot show its folder's name; the log into the current folder.
TEST_F(ScrivloEndToEnd, TheScriptIsWrittenBesideTheProgramWhateverItsFolderIsCalled) {
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    PutText("SOFTWARE\\Corvalin\\Corvalin Desktop", "Version", "4.2");
    const std::wstring folder = Widened(m_folder) + L"\x041F\x0440\x043E\x0433\x0440\x0430\x043C\x043C\x0430\\";
    ASSERT_TRUE(CreateDirectoryW(folder.c_str(), nullptr));
    ASSERT_TRUE(CopyFileW(Widened(m_exe).c_str(), (folder + L"Scrivlo.exe").c_str(), FALSE));
    scrivlo_test::CChildProcess process;
    ASSERT_TRUE(process.Start(folder + L"Scrivlo.exe", "", m_folder)) << process.LastError();
    const std::vector<std::string> boxes = BoxLines(RunStarted(process));
    const std::vector<std::string> expected = {kBoxErrorReadingRegistry, kBoxErrorOpeningRegistry, kBoxFileCreated};
    EXPECT_EQ(expected, boxes);
    EXPECT_TRUE(FileExists(m_folder + "QZScrivlo.log"));
    HANDLE script = CreateFileW((folder + L"QZRegNode.reg").c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, script) << "the script is beside the program";
    char bytes[64] = {};
    DWORD got = 0;
    ::ReadFile(script, bytes, sizeof bytes - 1, &got, nullptr);
    CloseHandle(script);
    EXPECT_EQ(0, std::string(bytes).find("Windows Registry Editor Version 5.00\r\n"));
}

// An install folder stored with a trailing dot ("Corvalin Inc.\") names the
// folder the system makes of it ("Corvalin Inc"), at every depth: paths past
// 260 characters are built on the normalised folder, so the deepest files get
// their digests and no folder is reported as unsearchable.
TEST_F(ScrivloEndToEnd, ARootEndingInADotNamesTheSameFolderAtEveryDepth) {
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    const std::string stored = m_folder + "Corvalin Inc.\\";
    const std::wstring real = Widened(m_folder) + L"Corvalin Inc\\";
    const std::string level(60, 'd');
    ASSERT_TRUE(CreateDirectoryW(real.c_str(), nullptr));
    std::wstring deep = real;
    std::string shownDeep = stored;
    ExpectedLog log;
    log.Section(stored);
    log.File(CryptoApiMd5("top"), "top.txt", 3);
    WriteExact(real + L"top.txt", "top");
    for (int i = 0; i < 4; ++i) {
        deep += Widened(level) + L"\\";
        shownDeep += level + "\\";
        ASSERT_TRUE(CreateDirectoryW(Long(deep).c_str(), nullptr));
        log.Section(shownDeep);
        if (i < 3) log.NoFiles();
    }
    ASSERT_GT(deep.size(), 300u);
    WriteExact(deep + L"deep.txt", "deepest");
    log.File(CryptoApiMd5("deepest"), "deep.txt", 7);
    PutText(kInstallKey, "InstallDir", stored);

    ExpectTranscript(Run(), kInstallFolderOnly);
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
}

}  // namespace
}  // namespace scrivlo_e2e
