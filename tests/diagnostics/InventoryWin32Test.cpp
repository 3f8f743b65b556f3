// The inventory against the real file system and registry under Wine: whole
// log sections compared byte for byte with text built here (digests are
// constants computed with md5sum), the registry lookups with fixtures the
// tests create and remove themselves, and the messages the user would see,
// recorded by the stand-in message box.
#include "diagnostics/Inventory.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "diagnostics/InventoryFormat.h"
#include "diagnostics/RunState.h"
#include "tests/diagnostics/InventoryFakeSkinMessageBox.h"
#include "tests/diagnostics/InventoryTestText.h"

using inventory_test::FileLine;
using inventory_test::kNoFiles;
using inventory_test::SectionHeader;
using inventory_test::WithCrLf;

namespace {

// md5sum of the fixture contents.
const char kMd5Empty[] = "d41d8cd98f00b204e9800998ecf8427e";
const char kMd5A[] = "0cc175b9c0f1b6a831c399e269772661";
const char kMd5Abc[] = "900150983cd24fb0d6963f7d28e17f72";
const char kMd5MessageDigest[] = "f96b697d7cb7938d525a2f31aaf161d0";
const char kMd5Quend[] = "df8b3f0bac57c08adcd6e5325ca4e787";
const char kMd5Pelvarn[] = "59702818801a2559c70afdcdc5ef6541";
const char kMd5Trunmolk[] = "b5f45046a6f0afda4f32a6a087d13349";
const char kMd5Halvix[] = "696b3a7c885b6149966b59d1ac3271bf";

// Stands in for the main dialog. The inventory only hands it on as the owner
// of its messages and never uses it as a window.
CWnd* const kDialog = reinterpret_cast<CWnd*>(static_cast<uintptr_t>(0x5C0D1A10));

const std::string kLocatingError = "Error locating path!|Error!";
const std::string kReadingError = "Error reading the registry!|Error!";
const std::string kOpeningError = "Error opening the registry!|Error!";

// The recorded messages as "text|caption"; each must have the call form of
// the inventory: the dialog as owner, style 0, no params, no child.
std::vector<std::string> TakeMessages() {
    std::vector<std::string> texts;
    for (const RecordedMessageBox& box : RecordedMessageBoxes()) {
        EXPECT_EQ(box.owner, kDialog) << box.text;
        EXPECT_EQ(box.style, 0u) << box.text;
        EXPECT_EQ(box.params, nullptr) << box.text;
        EXPECT_EQ(box.child, nullptr) << box.text;
        texts.push_back(box.text + "|" + box.caption);
    }
    RecordedMessageBoxes().clear();
    return texts;
}

// Removes a folder (given with its trailing backslash) and all below it,
// however deep: through the UTF-16 calls with the "\\?\" prefix.
void RemoveTreeW(const std::wstring& folder) {
    WIN32_FIND_DATAW data;
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &data);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName, path = folder + name;
            if (name == L"." || name == L"..") continue;
            if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTreeW(path + L"\\");
            } else {
                SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
                DeleteFileW(path.c_str());
            }
        } while (FindNextFileW(search, &data));
        FindClose(search);
    }
    RemoveDirectoryW(folder.substr(0, folder.size() - 1).c_str());
}

std::wstring LongWide(const std::string& path) { return L"\\\\?\\" + std::wstring(path.begin(), path.end()); }

void RemoveTree(const std::string& folder) { RemoveTreeW(LongWide(folder)); }

// A fresh folder under the temporary folder for each test, and an open log.
class InventoryWin32 : public ::testing::Test {
protected:
    void SetUp() override {
        char temp[MAX_PATH];
        ASSERT_NE(GetTempPathA(sizeof temp, temp), 0u);
        static int counter = 0;
        const std::string stem =
            std::string(temp) + "inv_" + std::to_string(GetCurrentProcessId()) + "_" + std::to_string(++counter);
        root = stem + "\\";
        logPath = stem + ".log";
        ASSERT_TRUE(CreateDirectoryA(root.c_str(), nullptr)) << root;
        g_logFile = std::fopen(logPath.c_str(), "w");  // text mode, as the run opens it
        ASSERT_NE(g_logFile, nullptr);
        RecordedMessageBoxes().clear();
        std::memset(g_sharedFilesFolder, 0, sizeof g_sharedFilesFolder);
        std::memset(g_installFolder, 0, sizeof g_installFolder);
    }

    void TearDown() override {
        for (HANDLE lock : locks) CloseHandle(lock);
        if (g_logFile) std::fclose(g_logFile);
        g_logFile = nullptr;
        RemoveTree(root);
        DeleteFileA(logPath.c_str());
    }

    void MakeFolder(const std::string& relative) {
        ASSERT_TRUE(CreateDirectoryA((root + relative).c_str(), nullptr)) << relative;
    }

    void MakeFile(const std::string& relative, const std::string& content, DWORD attributes = 0) {
        std::FILE* file = std::fopen((root + relative).c_str(), "wb");
        ASSERT_NE(file, nullptr) << relative;
        std::fwrite(content.data(), 1, content.size(), file);
        std::fclose(file);
        if (attributes) {
            ASSERT_TRUE(SetFileAttributesA((root + relative).c_str(), attributes));
        }
    }

    // Holds the file open with share mode 0 until the test ends, so nobody
    // else can open it.
    void Lock(const std::string& relative) {
        HANDLE file = CreateFileA((root + relative).c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_ALWAYS,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << relative;
        locks.push_back(file);
    }

    // A locked file of the given size; its data are never written (sparse).
    void MakeLockedFileOfSize(const std::string& relative, uint64_t size) {
        Lock(relative);
        LARGE_INTEGER end;
        end.QuadPart = static_cast<LONGLONG>(size);
        ASSERT_TRUE(SetFilePointerEx(locks.back(), end, nullptr, FILE_BEGIN));
        ASSERT_TRUE(SetEndOfFile(locks.back()));
    }

    // Closes the log and returns every byte it holds.
    std::string TakeLog() {
        std::fclose(g_logFile);
        g_logFile = nullptr;
        std::FILE* file = std::fopen(logPath.c_str(), "rb");
        EXPECT_NE(file, nullptr);
        if (!file) return std::string();
        std::string text = inventory_test::ReadBack(file);
        std::fclose(file);
        return text;
    }

    std::string root;  // ends with a backslash
    std::string logPath;
    std::vector<HANDLE> locks;
};

TEST_F(InventoryWin32, FolderTreeByteForByte) {
    MakeFile("abc.txt", "abc");
    MakeFolder("empty");
    MakeFile("hidden.sys", "a", FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM);
    MakeFile("locked.bin", "x");
    Lock("locked.bin");
    MakeFile("long_file_name_of_more_than_30_chars.dat", "");
    MakeFolder("only_subs");
    MakeFolder("only_subs\\inner");
    MakeFile("only_subs\\inner\\inner.txt", "message digest");

    WriteLogHeader(g_logFile);
    LogFolderTree(root.c_str(), kDialog);

    // Wine's directory search returns the entries sorted by name.
    const std::string expected =
        "MD5" + std::string(36, ' ') + "|File Name" + std::string(20, ' ') + "|Size     \n" + std::string(80, '-') +
        "\n" + SectionHeader(root) + FileLine(kMd5Abc, "abc.txt", "3") + FileLine(kMd5A, "hidden.sys", "1") +
        FileLine("", "locked.bin", "1") + FileLine(kMd5Empty, "long_file_name_of_more_than_30_chars.dat", "0") +
        SectionHeader(root + "empty\\") + kNoFiles + SectionHeader(root + "only_subs\\") + kNoFiles +
        SectionHeader(root + "only_subs\\inner\\") + FileLine(kMd5MessageDigest, "inner.txt", "14");
    EXPECT_EQ(TakeLog(), WithCrLf(expected));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{});
}

TEST_F(InventoryWin32, SizesAreTheLow32BitsAsSignedNumbers) {
    MakeLockedFileOfSize("big.bin", 3000000000ull);
    MakeLockedFileOfSize("four_gib.bin", 4294967296ull);
    MakeLockedFileOfSize("over.bin", 4294967296ull + 512);

    LogFolderTree(root.c_str(), kDialog);

    EXPECT_EQ(TakeLog(), WithCrLf(SectionHeader(root) + FileLine("", "big.bin", "-1294967296") +
                                  FileLine("", "four_gib.bin", "0") + FileLine("", "over.bin", "512")));
}

TEST_F(InventoryWin32, FolderThatCannotBeSearched) {
    const std::string missing = root + "missing\\";
    LogFolderTree(missing.c_str(), kDialog);
    EXPECT_EQ(TakeLog(), WithCrLf(SectionHeader(missing) + kNoFiles));
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{kLocatingError, kLocatingError}));
}

// --- system components under a Windows folder of the test's own ---

TEST_F(InventoryWin32, SystemComponentMatrix) {
    struct Case {
        const char* label;
        std::vector<std::pair<std::string, std::string>> files;  // path below the Windows folder, content
        std::string (*expected)(const std::string& windows);
    };
    const Case cases[] = {
        {"none", {}, [](const std::string&) { return std::string(); }},
        {"only the second system32 component",
         {{"system32\\pelvarn.dll", "pelvarn"}},
         [](const std::string& w) {
             return SectionHeader(w + "\\system32\\") + FileLine(kMd5Pelvarn, "pelvarn.dll", "7");
         }},
        {"all four, with the letter case on disk",
         {{"system32\\Quend.DLL", "quend"},
          {"system32\\pelvarn.dll", "pelvarn"},
          {"system32\\drivers\\TRUNMOLK.SYS", "trunmolk"},
          {"system\\halvix.vxd", "halvix"}},
         [](const std::string& w) {
             return SectionHeader(w + "\\system32\\") + FileLine(kMd5Quend, "Quend.DLL", "5") +
                    FileLine(kMd5Pelvarn, "pelvarn.dll", "7") + SectionHeader(w + "\\system32\\drivers\\") +
                    FileLine(kMd5Trunmolk, "TRUNMOLK.SYS", "8") + SectionHeader(w + "\\system\\") +
                    FileLine(kMd5Halvix, "halvix.vxd", "6");
         }},
        {"components in the wrong folders",
         {{"system\\quend.dll", "quend"}, {"system32\\trunmolk.sys", "trunmolk"}, {"halvix.vxd", "halvix"}},
         [](const std::string&) { return std::string(); }},
        {"first system32 component and the driver",
         {{"system32\\quend.dll", "quend"}, {"system32\\drivers\\trunmolk.sys", "trunmolk"}},
         [](const std::string& w) {
             return SectionHeader(w + "\\system32\\") + FileLine(kMd5Quend, "quend.dll", "5") +
                    SectionHeader(w + "\\system32\\drivers\\") + FileLine(kMd5Trunmolk, "trunmolk.sys", "8");
         }},
    };
    int index = 0;
    for (const Case& c : cases) {
        const std::string name = "win" + std::to_string(index++);
        MakeFolder(name);
        MakeFolder(name + "\\system32");
        MakeFolder(name + "\\system32\\drivers");
        MakeFolder(name + "\\system");
        for (const auto& file : c.files) MakeFile(name + "\\" + file.first, file.second);

        if (g_logFile) std::fclose(g_logFile);
        g_logFile = std::fopen(logPath.c_str(), "w");
        ASSERT_NE(g_logFile, nullptr);
        const std::string windows = root + name;  // no trailing backslash
        LogSystemComponents(windows.c_str());
        EXPECT_EQ(TakeLog(), WithCrLf(c.expected(windows))) << c.label;
        EXPECT_EQ(TakeMessages(), std::vector<std::string>{}) << c.label;
    }
}

// --- a deep tree on a thread with the default stack ---

DWORD WINAPI WalkOnWorker(void* argument) {
    LogFolderTree(static_cast<const std::string*>(argument)->c_str(), kDialog);
    return 0;
}

// Paths may grow to the log's 1024-byte capacity, so a tree of short names
// can be some 200 levels deep. The walk keeps its per-level state on the
// heap and passes on a 128 KiB stack (it needs less than half of that); a
// walk that recursed with its path buffers on the stack (three 1024-byte
// buffers a level) would overflow a fifth of the way down.
TEST_F(InventoryWin32, TreeAsDeepAsThePathCapacityOnA128KiBStack) {
    // Each level holds a file "f" and the next folder "dddd", down to the
    // last folder whose search pattern fits.
    std::string folder = root;
    std::string expected = SectionHeader(root) + kNoFiles;
    int levels = 0;
    while ((folder + "dddd\\*.*").size() < static_cast<size_t>(kPathCapacity)) {
        folder += "dddd\\";
        ASSERT_TRUE(CreateDirectoryW(LongWide(folder).c_str(), nullptr)) << folder.size();
        HANDLE file = CreateFileW(LongWide(folder + "f").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
        ASSERT_NE(file, INVALID_HANDLE_VALUE) << folder.size();
        DWORD written = 0;
        WriteFile(file, "a", 1, &written, nullptr);
        CloseHandle(file);
        expected += SectionHeader(folder) + FileLine(kMd5A, "f", "1");
        ++levels;
    }
    ASSERT_GT(levels, 180);

    HANDLE thread = CreateThread(nullptr, 128 * 1024, WalkOnWorker, &root, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    EXPECT_EQ(exitCode, 0u);

    EXPECT_EQ(TakeLog(), WithCrLf(expected));
    EXPECT_EQ(TakeMessages(), std::vector<std::string>{});
}

// --- the registry lookups ---

const char kCurrentVersionKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion";
const char* const kInstallKeyChain[] = {
    "SOFTWARE\\Corvalin",
    "SOFTWARE\\Corvalin\\Corvalin Desktop",
    "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance",
    "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install",
};
const char kInstallKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop\\Maintenance\\Install";

// A registry value saved before a test changes it and put back afterwards.
struct SavedValue {
    bool present = false;
    DWORD type = 0;
    std::vector<BYTE> data;
};

SavedValue SaveValue(const char* keyPath, const char* name) {
    SavedValue saved;
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return saved;
    DWORD size = 0;
    if (RegQueryValueExA(key, name, nullptr, &saved.type, nullptr, &size) == ERROR_SUCCESS) {
        saved.data.resize(size + 1);
        size = static_cast<DWORD>(saved.data.size());
        saved.present = RegQueryValueExA(key, name, nullptr, &saved.type, saved.data.data(), &size) == ERROR_SUCCESS;
        saved.data.resize(size);
    }
    RegCloseKey(key);
    return saved;
}

bool KeyExists(const char* keyPath) {
    HKEY key;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// Sets (data non-null) or deletes a value, creating its key when needed.
void PutValue(const char* keyPath, const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key, nullptr),
              ERROR_SUCCESS)
        << keyPath;
    if (data) {
        EXPECT_EQ(RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size), ERROR_SUCCESS);
    } else {
        RegDeleteValueA(key, name);
    }
    RegCloseKey(key);
}

void PutText(const char* keyPath, const char* name, const std::string& text) {
    PutValue(keyPath, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}

// The registry fixtures: the product's install key chain and the shared-files
// value. Cases of this fixture run one at a time even in parallel test
// processes (a named mutex), and each puts back what it found.
class InventoryRegistry : public InventoryWin32 {
protected:
    void SetUp() override {
        InventoryWin32::SetUp();
        mutex = CreateMutexA(nullptr, FALSE, "ScrivloInventoryRegistryFixture");
        ASSERT_NE(mutex, nullptr);
        const DWORD waited = WaitForSingleObject(mutex, 60000);
        ASSERT_TRUE(waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED);
        locked = true;
        for (int i = 0; i < 4; ++i) keyExisted[i] = KeyExists(kInstallKeyChain[i]);
        installDir = SaveValue(kInstallKey, "InstallDir");
        commonFilesDir = SaveValue(kCurrentVersionKey, "CommonFilesDir");
    }

    void TearDown() override {
        if (locked) {
            Restore(kCurrentVersionKey, "CommonFilesDir", commonFilesDir);
            if (installDir.present || KeyExists(kInstallKey)) Restore(kInstallKey, "InstallDir", installDir);
            for (int i = 3; i >= 0; --i) {
                if (!keyExisted[i]) RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallKeyChain[i]);
            }
            ReleaseMutex(mutex);
        }
        if (mutex) CloseHandle(mutex);
        InventoryWin32::TearDown();
    }

    static void Restore(const char* keyPath, const char* name, const SavedValue& saved) {
        PutValue(keyPath, name, saved.type, saved.present ? saved.data.data() : nullptr,
                 static_cast<DWORD>(saved.data.size()));
    }

    // Removes the install key itself (it holds no subkeys), leaving its parents.
    void RemoveInstallKey() {
        PutValue(kInstallKey, "InstallDir", REG_SZ, nullptr, 0);
        ASSERT_EQ(RegDeleteKeyA(HKEY_LOCAL_MACHINE, kInstallKey), ERROR_SUCCESS);
    }

    HANDLE mutex = nullptr;
    bool locked = false;
    bool keyExisted[4] = {};
    SavedValue installDir, commonFilesDir;
};

TEST_F(InventoryRegistry, InstallFolderLookup) {
    const std::string fits(1023, 'i');
    const std::string noRoomForZero(1024, 'j');
    const std::string tooLong(2000, 'k');
    const DWORD number = 0x00434241;  // the bytes "ABC" and a zero: the type is not examined
    const struct {
        const char* label;
        bool key;
        DWORD type;
        const void* data;  // null: no value
        DWORD size;
        int result;
        std::string folder;
        std::vector<std::string> messages;
    } cases[] = {
        {"no key", false, REG_SZ, nullptr, 0, 0, "", {kOpeningError}},
        {"key without the value", true, REG_SZ, nullptr, 0, 0, "", {kReadingError}},
        {"a folder", true, REG_SZ, "C:\\Corvalin\\Desktop\\", 21, 1, "C:\\Corvalin\\Desktop\\", {}},
        {"1023 characters and the zero", true, REG_SZ, fits.c_str(), 1024, 1, fits, {}},
        {"1024 bytes without a zero", true, REG_BINARY, noRoomForZero.data(), 1024, 0, "", {kReadingError}},
        {"2000 characters", true, REG_SZ, tooLong.c_str(), 2001, 0, "", {kReadingError}},
        {"a number", true, REG_DWORD, &number, 4, 1, "ABC", {}},
    };
    for (const auto& c : cases) {
        if (c.key) {
            PutValue(kInstallKey, "InstallDir", c.type, c.data, c.size);
        } else if (KeyExists(kInstallKey)) {
            RemoveInstallKey();
        }
        std::memset(g_installFolder, 0, sizeof g_installFolder);
        EXPECT_EQ(FindInstallFolder(kDialog), c.result) << c.label;
        EXPECT_EQ(std::string(g_installFolder), c.folder) << c.label;
        EXPECT_EQ(TakeMessages(), c.messages) << c.label;
    }
}

TEST_F(InventoryRegistry, SharedFilesFolderLookup) {
    // "\Corvalin\" adds 10 characters; 1013 and 10 fill the buffer.
    const std::string plain = "C:\\Fixture Common";
    const std::string fits(1013, 's');
    const std::string tooLong(1014, 't');
    const struct {
        const char* label;
        const std::string* value;  // null: no value
        int result;
        std::string folder;
        std::vector<std::string> messages;
    } cases[] = {
        {"a folder", &plain, 1, "C:\\Fixture Common\\Corvalin\\", {}},
        {"1013 characters", &fits, 1, fits + "\\Corvalin\\", {}},
        {"1014 characters", &tooLong, 0, "", {kReadingError}},
        {"no value", nullptr, 0, "", {kReadingError}},
    };
    for (const auto& c : cases) {
        if (c.value) {
            PutText(kCurrentVersionKey, "CommonFilesDir", *c.value);
        } else {
            PutValue(kCurrentVersionKey, "CommonFilesDir", REG_SZ, nullptr, 0);
        }
        std::memset(g_sharedFilesFolder, 0, sizeof g_sharedFilesFolder);
        EXPECT_EQ(FindSharedFilesFolder(kDialog), c.result) << c.label;
        EXPECT_EQ(std::string(g_sharedFilesFolder), c.folder) << c.label;
        EXPECT_EQ(TakeMessages(), c.messages) << c.label;
    }
}

TEST_F(InventoryRegistry, InstallFolderWithoutTrailingBackslash) {
    // The pattern becomes "<root>inst*.*": it lists, in the parent folder, the
    // entries whose names begin with "inst" instead of the folder's content.
    MakeFolder("inst");
    MakeFile("inst\\inside.txt", "abc");
    MakeFile("inst_notes.txt", "abc");
    MakeFile("other.txt", "a");
    PutText(kInstallKey, "InstallDir", root + "inst");

    ASSERT_EQ(FindInstallFolder(kDialog), 1);
    EXPECT_EQ(std::string(g_installFolder), root + "inst");
    LogFolderTree(g_installFolder, kDialog);

    // The file's path is the value and the name run together, which names no
    // file: no digest. The folder "inst" becomes "<root>instinst\", which
    // cannot be searched.
    EXPECT_EQ(TakeLog(), WithCrLf(SectionHeader(root + "inst") + FileLine("", "inst_notes.txt", "3") +
                                  SectionHeader(root + "instinst\\") + kNoFiles));
    EXPECT_EQ(TakeMessages(), (std::vector<std::string>{kLocatingError, kLocatingError}));
}

}  // namespace
