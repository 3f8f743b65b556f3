// Scrivlo.exe end to end: the run's outcomes and messages, the layout of
// folder trees in the log, locked files, the system components and closing
// the window while the run works.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "tests/app/EndToEnd.h"
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

namespace scrivlo_e2e {
namespace {

using scrivlo_test::CBoxContents;
using scrivlo_test::CChildProcess;
using scrivlo_test::CTranscript;

TEST_F(ScrivloEndToEnd, EverythingPresentGivesTwoSuccessBoxesAndBothFiles) {
    InstallProduct();
    ExpectTranscript(Run(), kEverythingPresent);
    EXPECT_EQ(ExpectedProductLog().text, ReadFile(m_folder + "QZScrivlo.log"));
    EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
}

TEST_F(ScrivloEndToEnd, SecondStartReplacesTheLog) {
    InstallProduct();
    WriteFile(m_folder + "QZScrivlo.log", std::string(5000, 'x'));
    ExpectCleanEnd(Run());
    ExpectTranscript(Run(), kEverythingPresent);
    EXPECT_EQ(ExpectedProductLog().text, ReadFile(m_folder + "QZScrivlo.log"));
}

TEST_F(ScrivloEndToEnd, LogThatCannotBeCreatedGivesOneErrorAndNoScript) {
    InstallProduct();
    ASSERT_TRUE(CreateDirectoryA((m_folder + "QZScrivlo.log").c_str(), nullptr));
    ExpectTranscript(Run(), {kStatusCreatingLog, kBoxErrorCreatingLog});
    EXPECT_FALSE(FileExists(m_folder + "QZRegNode.reg"));
}

// No shared-files value, no install key; the branch holds one value.
void RegisterOnlyTheBranch() {
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    PutText("SOFTWARE\\Corvalin\\Corvalin Desktop", "Version", "4.2");
}

TEST_F(ScrivloEndToEnd, NeitherFolderRegisteredStillExportsTheBranch) {
    RegisterOnlyTheBranch();
    ExpectTranscript(Run(), {kStatusCreatingLog, kBoxErrorReadingRegistry, kBoxErrorOpeningRegistry, kBoxFileCreated});
    EXPECT_EQ(ExpectedLog().text, ReadFile(m_folder + "QZScrivlo.log"));
    EXPECT_EQ(
        "Windows Registry Editor Version 5.00\r\n\r\n"
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
    ExpectTranscript(Run(), {kStatusCreatingLog, kBoxErrorLocatingPath, kBoxErrorLocatingPath, kBoxErrorOpeningRegistry,
                             kBoxFileCreated, kStatusCreatingScript, kBoxFileCreated});
    ExpectedLog log;
    log.Section(m_shared);
    log.NoFiles();
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
    EXPECT_EQ(
        "Windows Registry Editor Version 5.00\r\n\r\n"
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
    const std::vector<std::string> expected = {kBoxErrorOpeningRegistry, kBoxFileCreated};
    EXPECT_EQ(expected, BoxLines(transcript));
    EXPECT_FALSE(FileExists(m_folder + "QZRegNode.reg"));
}

// A log on a full disk (a link to /dev/full) is never reported as created;
// the run goes on to the registry script as after any inventory.
TEST_F(ScrivloEndToEnd, LogOnAFullDiskIsReportedAsAnError) {
    // The build made QZScrivlo.log in this case's folder a link to /dev/full.
    ASSERT_TRUE(FileExists(m_folder + "prepared-by-build"));
    InstallProduct();
    ExpectTranscript(Run(), {kStatusCreatingLog, kBoxErrorCreatingLog, kStatusCreatingScript, kBoxFileCreated});
    EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
}

// Without any product folder the log that did not reach the disk whole is
// reported all the same; the status line keeps its first text.
TEST_F(ScrivloEndToEnd, LogOnAFullDiskWithoutAProductFolderIsStillAnError) {
    ASSERT_TRUE(FileExists(m_folder + "prepared-by-build"));
    RegisterOnlyTheBranch();
    ExpectTranscript(Run(), {kStatusCreatingLog, kBoxErrorReadingRegistry, kBoxErrorOpeningRegistry,
                             kBoxErrorCreatingLog, kBoxFileCreated});
}

// --- folder trees in the log ---

// printf '%s' CONTENT | md5sum
const FixtureFile kInstallerNotes = {"installer.log", "installer notes", "f287c5332acd56e2f0bf48b1fea05360"};
const FixtureFile kDeepPlugin = {"deep.dll", "deep plugin", "c1d5ca1fecb1c983d1fc0fc71a2b481f"};
const FixtureFile kLocked = {"locked.dat", "locked content", "07c5514da72e15d0d063c04b1abf582c"};
const FixtureFile kFree = {"free.dat", "free content", "0be13f7d950c095526d919462c7f2a90"};

// The stored folder value is used as it is: without its trailing backslash
// the pattern "...\install*.*" lists the entries of the parent folder whose
// names begin with "install". Their digests are looked for under the value
// followed directly by the name, which names no file, so the lines have no
// digest column; the folder "install" itself becomes the subfolder
// "...\installinstall\", which cannot be searched.
TEST_F(ScrivloEndToEnd, InstallFolderWithoutTrailingBackslashListsTheParentsMatches) {
    InstallProduct();
    const std::string value = m_install.substr(0, m_install.size() - 1);
    PutText(kInstallKey, "InstallDir", value);
    Put(m_folder, kInstallerNotes);
    ExpectTranscript(Run(), {kStatusCreatingLog, kBoxErrorLocatingPath, kBoxErrorLocatingPath, kBoxFileCreated,
                             kStatusCreatingScript, kBoxFileCreated});

    ExpectedLog log = ExpectedSharedSection();
    log.Section(value);
    log.FileWithoutDigest(kInstallerNotes.name, kInstallerNotes.Size());
    log.Section(value + "install\\");
    log.NoFiles();
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
}

// An empty folder and a folder holding only subfolders both say "no files
// found"; the subfolders' sections follow, depth first.
TEST_F(ScrivloEndToEnd, EmptyFolderAndFolderOfSubfoldersSayNoFilesFound) {
    MakeFolder(m_common);
    MakeFolder(m_shared);
    MakeFolder(m_install);
    MakeFolder(m_install + "sub");
    Put(m_install + "sub\\", kDeepPlugin);
    MakeFolder(m_install + "sub\\deeper");
    MakeFolder(m_install + "sub\\deeper\\deepest");
    Put(m_install + "sub\\deeper\\deepest\\", kPlugin);
    PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
    PutText(kInstallKey, "InstallDir", m_install);
    ExpectTranscript(Run(), kEverythingPresent);

    ExpectedLog log;
    log.Section(m_shared);
    log.NoFiles();
    log.Section(m_install);
    log.NoFiles();
    log.Section(m_install + "sub\\");
    log.File(kDeepPlugin.md5, kDeepPlugin.name, kDeepPlugin.Size());
    log.Section(m_install + "sub\\deeper\\");
    log.NoFiles();
    log.Section(m_install + "sub\\deeper\\deepest\\");
    log.File(kPlugin.md5, kPlugin.name, kPlugin.Size());
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
}

// Names of 29, 30, 31 and 58 characters: the name column is 30 wide, a
// longer name is written whole and pushes the size to the right.
TEST_F(ScrivloEndToEnd, NamesLongerThanTheColumnAreWrittenWhole) {
    const std::string names[] = {
        "twenty_nine_characters_ab.txt",
        "thirty_characters_name_abc.txt",
        "thirty_one_characters_name_.txt",
        "a_file_name_far_longer_than_the_thirty_character_column.dll",
    };
    // printf '%s' CONTENT | md5sum
    const FixtureFile contents[] = {
        {"", "long name payload", "fda8e8edfe7d0a9d0f56a7770c8f76f4"},
        {"", "exactly thirty", "8cbf0fdbb8d4d61fc37f8ec45d744dbd"},
        {"", "thirty one", "27737afbc8754277a3870bc7a1d35478"},
        {"", "installer notes", "f287c5332acd56e2f0bf48b1fea05360"},
    };
    InstallProduct();
    std::map<std::string, std::string> digests;
    for (int i = 0; i < 4; ++i) {
        const std::string folder = m_install + "plugins\\";
        WriteFile(folder + names[i], contents[i].content);
        digests[folder + names[i]] = contents[i].md5;
    }
    digests[m_install + kReadme.name] = kReadme.md5;
    digests[m_install + "plugins\\" + kPlugin.name] = kPlugin.md5;
    ExpectTranscript(Run(), kEverythingPresent);

    ExpectedLog log = ExpectedSharedSection();
    log.Tree(m_install, digests);
    const std::string written = ReadFile(m_folder + "QZScrivlo.log");
    EXPECT_EQ(log.text, written);
    // Where the size starts: column 73 up to 30 characters, later beyond.
    for (const std::string& name : names) {
        const size_t at = written.find(" " + name + " ");
        ASSERT_NE(std::string::npos, at) << name;
        const size_t lineStart = written.rfind('\n', at) + 1;
        const size_t sizeColumn = at + 1 + std::max<size_t>(name.size(), 30) + 1 - lineStart;
        EXPECT_EQ(name.size() <= 30 ? 72u : 42 + name.size(), sizeColumn) << name;
    }
}

// A file of the bytes, by its UTF-16 path.
void WriteWideFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, file);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
    ASSERT_EQ(bytes.size(), written);
}

// Names the system code page (1252 here) cannot hold: an install folder, two
// files and a folder, and a registry subkey with a value and a subkey of its
// own. Each is read whole; the log and the script show each name as the code
// page renders it, with '?' for what it cannot hold.
TEST_F(ScrivloEndToEnd, NamesOutsideTheCodePageAreReadWholeAndShownWithQuestionMarks) {
    ASSERT_EQ(1252u, GetACP()) << "the expected texts are those of code page 1252";
    const std::wstring folder(m_folder.begin(), m_folder.end());
    const std::wstring install = folder + L"\x0423\x0441\x0442\x0430\x043D\x043E\x0432\x043A\x0430\\";  // Установка
    const std::string installShown = m_folder + "?????????\\";
    struct Item {
        std::wstring name;
        const char* shown;
        const char* content;
    };
    const Item files[] = {
        {L"\x041F\x0440\x0438\x0432\x0435\x0442.dll", "??????.dll", "privet library"},  // Привет.dll
        {L"\x30D5\x30A1\x30A4\x30EB.txt", "????.txt", "fairu text"},                    // ファイル.txt
        {L"readme.txt", "readme.txt", kReadme.content},
    };
    const std::wstring subfolder = L"\x041F\x0430\x043F\x043A\x0430";  // Папка
    const Item inside = {L"inside.txt", "inside.txt", "inside the folder"};

    MakeFolder(m_common);
    MakeFolder(m_shared);
    Put(m_shared, kCoreLibrary);
    PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
    ASSERT_TRUE(CreateDirectoryW(install.c_str(), nullptr));
    for (const Item& file : files) WriteWideFile(install + file.name, file.content);
    ASSERT_TRUE(CreateDirectoryW((install + subfolder).c_str(), nullptr));
    WriteWideFile(install + subfolder + L"\\" + inside.name, inside.content);

    HKEY installKey = CreateWideKey(L"SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install");
    ASSERT_EQ(ERROR_SUCCESS,
              RegSetValueExW(installKey, L"InstallDir", 0, REG_SZ, reinterpret_cast<const BYTE*>(install.c_str()),
                             static_cast<DWORD>((install.size() + 1) * sizeof(wchar_t))));
    RegCloseKey(installKey);
    HKEY subkey = CreateWideKey(L"SOFTWARE\\Corvalin\\\x041A\x043B\x044E\x0447");  // Ключ
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(subkey, "Wert", 0, REG_SZ, reinterpret_cast<const BYTE*>("eins"), 5));
    HKEY deeper = CreateWideKey(L"Sub", subkey);
    const DWORD two = 2;
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExA(deeper, "Tiefe", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&two), 4));
    RegCloseKey(deeper);
    RegCloseKey(subkey);

    ExpectTranscript(Run(), kEverythingPresent, "no message: every path can be searched");

    // The install folder's files in the order the directory search gives them.
    ExpectedLog log = ExpectedSharedSection();
    log.Section(installShown);
    WIN32_FIND_DATAW entry;
    HANDLE search = FindFirstFileW((install + L"*.*").c_str(), &entry);
    ASSERT_NE(INVALID_HANDLE_VALUE, search);
    do {
        for (const Item& file : files) {
            if (file.name == entry.cFileName)
                log.File(CryptoApiMd5(file.content), file.shown, static_cast<int>(std::strlen(file.content)));
        }
    } while (FindNextFileW(search, &entry));
    FindClose(search);
    log.Section(installShown + "?????\\");
    log.File(CryptoApiMd5(inside.content), inside.shown, static_cast<int>(std::strlen(inside.content)));
    EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));

    // The install folder's value keeps its UTF-16 bytes: the code page
    // cannot hold its name (compared with its continuations joined).
    std::string installBytes;
    char digits[4];
    for (wchar_t c : install + L'\0') {
        std::snprintf(digits, sizeof digits, "%02x,", c & 0xFF);
        installBytes += digits;
        std::snprintf(digits, sizeof digits, "%02x,", (c >> 8) & 0xFF);
        installBytes += digits;
    }
    installBytes.pop_back();
    std::string script = ReadFile(m_folder + "QZRegNode.reg");
    for (size_t at; (at = script.find("\\\r\n  ")) != std::string::npos;) script.erase(at, 5);
    EXPECT_EQ(
        "Windows Registry Editor Version 5.00\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop]\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance]\r\n\r\n"
        "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install]\r\n"
        "\"InstallDir\"=hex(1):" +
            installBytes +
            "\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\????]\r\n\"Wert\"=\"eins\"\r\n\r\n"
            "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin\\????\\Sub]\r\n\"Tiefe\"=dword:00000002\r\n\r\n",
        script);
}

// A file another program holds open without sharing cannot be read: its
// line has no digest column and starts with the space before the name;
// the other lines keep their columns.
TEST_F(ScrivloEndToEnd, LockedFileIsListedWithoutItsDigest) {
    InstallProduct();
    Put(m_install, kLocked);
    Put(m_install, kFree);
    const std::string lockedPath = m_install + kLocked.name;
    HANDLE lock = CreateFileA(lockedPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    // The lock holds against this program's own readers too.
    HANDLE probe = CreateFileA(lockedPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_EXISTING, 0, nullptr);
    EXPECT_EQ(INVALID_HANDLE_VALUE, probe);
    if (probe != INVALID_HANDLE_VALUE) CloseHandle(probe);

    const CTranscript transcript = Run();
    CloseHandle(lock);
    ExpectTranscript(transcript, kEverythingPresent);

    std::map<std::string, std::string> digests = {
        {m_install + kReadme.name, kReadme.md5},
        {m_install + kFree.name, kFree.md5},
        {lockedPath, ""},
        {m_install + "plugins\\" + kPlugin.name, kPlugin.md5},
    };
    ExpectedLog log = ExpectedSharedSection();
    log.Tree(m_install, digests);
    const std::string written = ReadFile(m_folder + "QZScrivlo.log");
    EXPECT_EQ(log.text, written);
    EXPECT_NE(std::string::npos, written.find("\r\n " + std::string(kLocked.name) + " "));
}

// --- system components ---

struct ComponentFile {
    const char* folder;  // below the Windows folder
    const char* name;
    FixtureFile file;
};
// printf '%s' CONTENT | md5sum
const ComponentFile kComponents[] = {
    {"\\system32\\", "quend.dll", {"quend.dll", "quend component", "575c7b116996aea5fc0217878292ef84"}},
    {"\\system32\\", "pelvarn.dll", {"pelvarn.dll", "pelvarn component", "187bce8fd10c30459de219cd85b1e0e9"}},
    {"\\system32\\drivers\\", "trunmolk.sys", {"trunmolk.sys", "trunmolk driver", "b94f5f95ac9b018db158d73f3ac4a22d"}},
    {"\\system\\", "halvix.vxd", {"halvix.vxd", "halvix vxd", "ba3912209a3832d4c0a858a6e0a0ed41"}},
};

// Each set of components present (bit i: kComponents[i]) gives its own
// sections: the two system32 libraries share one header, which is written
// for the first one present.
TEST_F(ScrivloEndToEnd, SystemComponentMatrix) {
    InstallProduct();
    const std::string windows = WindowsFolder();
    ASSERT_FALSE(windows.empty());
    for (const ComponentFile& component : kComponents) {
        const std::string folder = windows + component.folder;
        if (!FileExists(folder)) {
            ASSERT_TRUE(CreateDirectoryA(folder.c_str(), nullptr)) << folder;
        }
        ASSERT_FALSE(FileExists(folder + component.name)) << "the prefix has its own " << component.name;
        m_foreignFiles.push_back(folder + component.name);
    }

    const unsigned kSets[] = {0x1, 0x2, 0x3, 0x4, 0x8, 0xA, 0xF};
    for (unsigned set : kSets) {
        SCOPED_TRACE("components " + std::to_string(set));
        for (int i = 0; i < 4; ++i) {
            const std::string path = windows + kComponents[i].folder + kComponents[i].name;
            if (set & (1u << i)) {
                WriteFile(path, kComponents[i].file.content);
            } else {
                DeleteFileA(path.c_str());
            }
        }
        ExpectTranscript(Run(), kEverythingPresent);

        ExpectedLog log = ExpectedProductLog();
        for (int i = 0; i < 4; ++i) {
            if (!(set & (1u << i))) continue;
            const bool sharesTheFirstsHeader = i == 1 && (set & 1u);
            if (!sharesTheFirstsHeader) log.Section(windows + kComponents[i].folder);
            log.File(kComponents[i].file.md5, kComponents[i].name, kComponents[i].file.Size());
        }
        EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
    }
}

// --- closing the window while the run works ---

// The close is held back until the run is done: the program still ends by
// itself after the last box, and both files are whole.
enum class CloseMoment { kBeforeTheFirstBox, kWhileTheFirstBoxIsOpen };
enum class CloseInput { kPosted, kTyped };

// kQuit: not a key but WM_QUIT posted to the window's thread, which ends
// any modal loop of that thread.
enum class CloseKey { kEscape, kAltF4, kQuit };

// The key as the main window's queue receives it.
void PostCloseKey(HWND main, CloseKey key) {
    if (key == CloseKey::kQuit) {
        PostThreadMessageA(GetWindowThreadProcessId(main, nullptr), WM_QUIT, 0, 0);
    } else if (key == CloseKey::kEscape) {
        const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(VK_ESCAPE, 0)) << 16);
        PostMessageA(main, WM_KEYDOWN, VK_ESCAPE, down);
        PostMessageA(main, WM_KEYUP, VK_ESCAPE, down | (LPARAM(3) << 30));
    } else {
        const LPARAM down = 1 | (static_cast<LPARAM>(MapVirtualKeyA(VK_F4, 0)) << 16) | (LPARAM(1) << 29);
        PostMessageA(main, WM_SYSKEYDOWN, VK_F4, down);
        PostMessageA(main, WM_SYSKEYUP, VK_F4, down | (LPARAM(3) << 30));
    }
}

// The key typed into the foreground main window.
bool TypeCloseKey(HWND main, CloseKey key) {
    if (!scrivlo_test::BringToForeground(main)) return false;
    if (key == CloseKey::kEscape) return scrivlo_test::PressKey(main, VK_ESCAPE);
    INPUT inputs[4] = {};
    const WORD keys[4] = {VK_MENU, VK_F4, VK_F4, VK_MENU};
    for (int i = 0; i < 4; ++i) {
        inputs[i].type = INPUT_KEYBOARD;
        inputs[i].ki.wVk = keys[i];
        inputs[i].ki.wScan = static_cast<WORD>(MapVirtualKeyA(keys[i], 0));
        if (i >= 2) inputs[i].ki.dwFlags = KEYEVENTF_KEYUP;
    }
    return SendInput(4, inputs, sizeof(INPUT)) == 4;
}

// A 1 GiB file of zeros, sparse on the Linux side, keeps the inventory busy
// for a while before the first box.
// head -c 1073741824 /dev/zero | md5sum
const char kGibZerosMd5[] = "cd573cfaace07e7949bc0c46028904ff";
const LONGLONG kGib = 1LL << 30;

TEST_F(ScrivloEndToEnd, ClosingTheWindowWhileTheRunWorksWaitsForTheRun) {
    struct Row {
        CloseMoment moment;
        CloseInput input;
        CloseKey key;
        const char* what;
    };
    // While a box is open the main window is disabled: typed keys go to the
    // box, and Alt+F4 or the Close command reach a disabled window only to
    // be ignored by the system, so Escape is posted to it then (the dialog
    // turns it into a cancel).
    const Row rows[] = {
        {CloseMoment::kBeforeTheFirstBox, CloseInput::kTyped, CloseKey::kEscape, "Escape typed before the first box"},
        {CloseMoment::kBeforeTheFirstBox, CloseInput::kTyped, CloseKey::kAltF4, "Alt+F4 typed before the first box"},
        {CloseMoment::kBeforeTheFirstBox, CloseInput::kPosted, CloseKey::kEscape, "Escape posted before the first box"},
        {CloseMoment::kWhileTheFirstBoxIsOpen, CloseInput::kPosted, CloseKey::kEscape,
         "Escape posted while the first box is open"},
        {CloseMoment::kWhileTheFirstBoxIsOpen, CloseInput::kPosted, CloseKey::kQuit,
         "WM_QUIT posted to its thread while the first box is open"},
    };
    InstallProduct();
    const std::string big = m_install + "plugins\\big.bin";
    for (const Row& row : rows) {
        SCOPED_TRACE(row.what);
        const bool before = row.moment == CloseMoment::kBeforeTheFirstBox;
        if (before) {
            ASSERT_TRUE(MakeSparseFile(big, kGib));
        } else {
            DeleteFileA(big.c_str());
        }
        DeleteFileA((m_folder + "QZScrivlo.log").c_str());
        DeleteFileA((m_folder + "QZRegNode.reg").c_str());

        CChildProcess process;
        ASSERT_TRUE(process.Start(m_exe, "", m_folder)) << "error " << process.LastError();
        bool closedBeforeAnyBox = false;
        if (before) {
            HWND main = scrivlo_test::WaitForTopWindow(process.ProcessId(), kMainTitle, nullptr, 20000);
            ASSERT_NE(nullptr, main);
            if (row.input == CloseInput::kTyped) {
                EXPECT_TRUE(TypeCloseKey(main, row.key));
            } else {
                PostCloseKey(main, row.key);
            }
            // The keys have been handled once a sent message comes back.
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            scrivlo_test::PumpMessages(200);
            // The main window is a dialog too: only the others are boxes.
            closedBeforeAnyBox = scrivlo_test::FindBoxes(process.ProcessId(), {main}).empty();
            EXPECT_TRUE(IsWindow(main)) << "the window closed while the run works";
        }
        bool firstBox = true;
        const CTranscript transcript = RunStarted(process, [&](HWND, const CBoxContents&, CChildProcess& p) {
            if (!firstBox || before) return;
            firstBox = false;
            HWND main = scrivlo_test::FindTopWindow(p.ProcessId(), kMainTitle, nullptr);
            ASSERT_NE(nullptr, main);
            PostCloseKey(main, row.key);
            DWORD_PTR ignored = 0;
            SendMessageTimeoutA(main, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 5000, &ignored);
            scrivlo_test::PumpMessages(200);
            EXPECT_TRUE(IsWindow(main)) << "the window closed under the open box";
        });
        if (before) {
            EXPECT_TRUE(closedBeforeAnyBox) << "the run reached its first box before the keys";
        }
        ExpectTranscript(transcript, kEverythingPresent);
        ExpectedLog log = ExpectedSharedSection();
        log.Tree(m_install, {{m_install + kReadme.name, kReadme.md5},
                             {m_install + "plugins\\" + kPlugin.name, kPlugin.md5},
                             {big, kGibZerosMd5}});
        EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
        EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
    }
}

}  // namespace
}  // namespace scrivlo_e2e
