// The registry export under Wine: each case builds a branch of its own under
// HKEY_CURRENT_USER\Software, snapshots it with the real functions and
// compares the written script byte for byte with the expected bytes (8-bit,
// CR LF, no byte-order mark). Values and subkeys are created in name order,
// so that registries that enumerate by creation and by name agree.
#include "diagnostics/RegRootKeys.h"
#include "diagnostics/RegistryExport.h"

#include <windows.h>

#include <mbctype.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

std::string Pid() { return std::to_string(GetCurrentProcessId()); }

// Lines joined with CR LF, each line ended.
std::string Crlf(const std::vector<std::string>& lines) {
    std::string text;
    for (const auto& line : lines) text += line + "\r\n";
    return text;
}

const char kHeaderLines[] = "Windows Registry Editor Version 5.00\r\n\r\n";

bool ReadWholeFile(const std::string& path, std::string* content) {
    FILE* file = std::fopen(path.c_str(), "rb");
    if (file == nullptr) return false;
    content->clear();
    char chunk[4096];
    size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, file)) > 0) content->append(chunk, got);
    std::fclose(file);
    return true;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// Deletes a key and everything below it; link keys are deleted themselves,
// not their targets.
void DeleteTree(HKEY parent, const std::string& name) {
    using NtDeleteKeyFn = LONG(WINAPI*)(HANDLE);
    static const auto ntDeleteKey = reinterpret_cast<NtDeleteKeyFn>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtDeleteKey")));
    HKEY key;
    if (RegOpenKeyExA(parent, name.c_str(), REG_OPTION_OPEN_LINK, KEY_ALL_ACCESS, &key) != 0) return;
    char child[256];
    DWORD length = sizeof child;
    while (RegEnumKeyExA(key, 0, child, &length, nullptr, nullptr, nullptr, nullptr) == 0) {
        DeleteTree(key, child);
        length = sizeof child;
    }
    ntDeleteKey(key);
    RegCloseKey(key);
}

void SetValue(HKEY key, const std::string& name, DWORD type, const Bytes& data) {
    ASSERT_EQ(RegSetValueExA(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                             static_cast<DWORD>(data.size())),
              0)
        << "value " << name;
}

Bytes Sz(const std::string& text) {
    Bytes bytes(text.begin(), text.end());
    bytes.push_back(0);
    return bytes;
}

Bytes Dword(DWORD number) {
    return Bytes{static_cast<unsigned char>(number), static_cast<unsigned char>(number >> 8),
                 static_cast<unsigned char>(number >> 16), static_cast<unsigned char>(number >> 24)};
}

// A branch HKEY_CURRENT_USER\Software\ScrivloTest<pid>, removed again at the end.
class TestBranch {
public:
    TestBranch() : m_path("Software\\ScrivloTest" + Pid()) {
        DeleteTree(HKEY_CURRENT_USER, m_path);
        m_hRoot = Create(m_path);
    }
    ~TestBranch() {
        for (HKEY key : m_keys) RegCloseKey(key);
        DeleteTree(HKEY_CURRENT_USER, m_path);
    }
    TestBranch(const TestBranch&) = delete;
    TestBranch& operator=(const TestBranch&) = delete;

    const std::string& Path() const { return m_path; }
    HKEY Root() const { return m_hRoot; }
    // A key below the branch, by its relative path.
    HKEY Key(const std::string& relative) { return Create(m_path + "\\" + relative); }
    // A registry link key whose target does not exist: it enumerates but does
    // not open.
    bool AddDanglingLink(const std::string& relative) {
        HKEY link;
        if (RegCreateKeyExA(HKEY_CURRENT_USER, (m_path + "\\" + relative).c_str(), 0, nullptr, REG_OPTION_CREATE_LINK,
                            KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &link, nullptr) != 0)
            return false;
        const std::wstring target =
            L"\\Registry\\Machine\\Software\\ScrivloMissing" + std::wstring(Pid().begin(), Pid().end());
        const LONG rc =
            RegSetValueExW(link, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(target.data()),
                           static_cast<DWORD>(target.size() * sizeof(wchar_t)));
        RegCloseKey(link);
        return rc == 0;
    }

private:
    HKEY Create(const std::string& path) {
        HKEY key = nullptr;
        EXPECT_EQ(
            RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr), 0)
            << path;
        if (key) m_keys.push_back(key);
        return key;
    }

    std::string m_path;
    HKEY m_hRoot = nullptr;
    std::vector<HKEY> m_keys;
};

// A folder of this case's own in the temporary folder.
class TempFolder {
public:
    TempFolder() {
        char temp[MAX_PATH];
        GetTempPathA(MAX_PATH, temp);
        m_path = std::string(temp) + "ScrivloRegTest" + Pid();
        CreateDirectoryA(m_path.c_str(), nullptr);
    }
    ~TempFolder() {
        DeleteFileA(Script().c_str());
        RemoveDirectoryA(Script().c_str());
        RemoveDirectoryA(m_path.c_str());
    }
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;
    const std::string& Path() const { return m_path; }
    std::string Script() const { return m_path + "\\QZRegNode.reg"; }

private:
    std::string m_path;
};

// Snapshot of the branch written into a folder of the case's own.
std::string ScriptOf(const TestBranch& branch) {
    EXPECT_EQ(SnapshotRegistryKey(1, branch.Path().c_str()), 0);
    TempFolder folder;
    EXPECT_EQ(WriteRegScript(folder.Path().c_str(), g_regHead), 0);
    std::string script;
    EXPECT_TRUE(ReadWholeFile(folder.Script(), &script));
    return script;
}

size_t ChainLength() {
    size_t count = 0;
    for (const RegNode* node = g_regHead; node; node = node->next) ++count;
    return count;
}

// The program folder is shared by every case of this program, and ctest may
// run two at once: cases that write there take turns.
class ProgramFolderTurn {
public:
    ProgramFolderTurn() : m_hMutex(CreateMutexA(nullptr, FALSE, "ScrivloRegExportProgramFolder")) {
        WaitForSingleObject(m_hMutex, INFINITE);
        char folder[kProgramFolderCapacity];
        EXPECT_EQ(GetProgramFolder(folder), 0);
        m_script = std::string(folder) + "\\QZRegNode.reg";
        DeleteFileA(m_script.c_str());
    }
    ~ProgramFolderTurn() {
        DeleteFileA(m_script.c_str());
        ReleaseMutex(m_hMutex);
        CloseHandle(m_hMutex);
    }
    ProgramFolderTurn(const ProgramFolderTurn&) = delete;
    ProgramFolderTurn& operator=(const ProgramFolderTurn&) = delete;
    const std::string& Script() const { return m_script; }

private:
    HANDLE m_hMutex;
    std::string m_script;
};

// Each case starts from an empty chain, whatever ran before it in this
// process: the chain is never reset by the program, so the cases do it.
class RegistryExport : public ::testing::Test {
protected:
    void SetUp() override { FreeChain(); }
    void TearDown() override { FreeChain(); }
    static void FreeChain() {
        while (g_regHead != nullptr) {
            RegNode* next = g_regHead->next;
            delete g_regHead;
            g_regHead = next;
        }
        g_regTail = nullptr;
    }
};

TEST_F(RegistryExport, EveryValueRenderingByteForByte) {
    TestBranch branch;
    HKEY key = branch.Root();
    SetValue(key, "", REG_SZ, Sz("C:\\x"));
    SetValue(key, "big", REG_DWORD_BIG_ENDIAN, Bytes{0, 0, 0, 0x12});
    SetValue(key, "bin", REG_BINARY, Bytes{0x01, 0x0A, 0xFF});
    SetValue(key, "dword", REG_DWORD, Dword(0x12));
    SetValue(key, "expand", REG_EXPAND_SZ, Sz("%W%\\x"));
    SetValue(key, "link", REG_LINK, Bytes{'x', 0});
    SetValue(key, "multi", REG_MULTI_SZ, Bytes{'a', 0, 'b', 0, 0});
    SetValue(key, "none", REG_NONE, Bytes{1, 2});
    SetValue(key, "odd", 0x4242, Bytes{3});
    SetValue(key, "q\"uote", REG_SZ, Sz("say \"hi\""));
    SetValue(key, "sz", REG_SZ, Sz("a\\b\\\\c"));
    // Strings the code page cannot hold whole keep their UTF-16 bytes.
    const wchar_t cyrillic[] = L"\x041A\x043B";
    ASSERT_EQ(RegSetValueExW(key, L"wide", 0, REG_SZ, reinterpret_cast<const BYTE*>(cyrillic), sizeof cyrillic), 0);
    SetValue(key, "word", REG_DWORD, Bytes{0x34, 0x12});

    const std::string expected = kHeaderLines + Crlf({
                                                    "[HKEY_CURRENT_USER\\" + branch.Path() + "]",
                                                    "@=\"C:\\\\x\"",
                                                    "\"big\"=hex(5):00,00,00,12",
                                                    "\"bin\"=hex:01,0a,ff",
                                                    "\"dword\"=dword:00000012",
                                                    "\"expand\"=hex(2):25,00,57,00,25,00,5c,00,78,00,00,00",
                                                    "\"link\"=hex(6):78,00",
                                                    "\"multi\"=hex(7):61,00,00,00,62,00,00,00,00,00",
                                                    "\"none\"=hex(0):01,02",
                                                    "\"odd\"=hex(4242):03",
                                                    "\"q\\\"uote\"=\"say \\\"hi\\\"\"",
                                                    "\"sz\"=\"a\\\\b\\\\\\\\c\"",
                                                    "\"wide\"=hex(1):1a,04,3b,04,00,00",
                                                    "\"word\"=hex(4):34,12",
                                                    "",
                                                });
    EXPECT_EQ(ScriptOf(branch), expected);
    ASSERT_NE(g_regHead, nullptr);
    EXPECT_EQ(g_regHead->valueCount, 13u);
    EXPECT_EQ(g_regHead->skippedCount, 0u);
}

TEST_F(RegistryExport, SubkeysInPreOrderEmptyKeyAndUnopenableLink) {
    TestBranch branch;
    SetValue(branch.Root(), "v", REG_DWORD, Dword(1));
    SetValue(branch.Key("A"), "", REG_SZ, Sz("top"));
    branch.Key("A\\Inner");
    SetValue(branch.Key("A\\Inner\\Deep"), "s", REG_SZ, Sz("x"));
    branch.Key("B");
    ASSERT_TRUE(branch.AddDanglingLink("C"));
    SetValue(branch.Key("D"), "n", REG_SZ, Sz("d"));

    ProgramFolderTurn turn;
    ASSERT_EQ(ExportRegistryBranch(1, branch.Path().c_str()), 0);
    const std::string root = "[HKEY_CURRENT_USER\\" + branch.Path();
    // clang-format off
    const std::string expected = kHeaderLines + Crlf({
        root + "]", "\"v\"=dword:00000001", "",
        root + "\\A]", "@=\"top\"", "",
        root + "\\A\\Inner]", "",
        root + "\\A\\Inner\\Deep]", "\"s\"=\"x\"", "",
        root + "\\B]", "",
        "", "",  // the link key that cannot be opened
        root + "\\D]", "\"n\"=\"d\"", "",
    });
    // clang-format on
    std::string script;
    ASSERT_TRUE(ReadWholeFile(turn.Script(), &script)) << turn.Script();
    EXPECT_EQ(script, expected);
    EXPECT_EQ(ChainLength(), 7u);
    ASSERT_NE(g_regHead, nullptr);
    EXPECT_EQ(g_regHead->skippedCount, 1u) << "the link key counts as one failure";
}

// No capacity leaves a value out: long names and data of any size are written
// whole (a long list of bytes continued over lines).
TEST_F(RegistryExport, ValuesOfAnySizeAreWrittenWhole) {
    TestBranch branch;
    HKEY key = branch.Root();
    SetValue(key, "data70000", REG_BINARY, Bytes(70000, 0xAB));
    SetValue(key, std::string(5000, 'n'), REG_DWORD, Dword(8));
    SetValue(key, "slashes", REG_SZ, Sz(std::string(3000, '\\')));

    const std::string script = ScriptOf(branch);
    std::string joined;  // the script with every continuation joined
    for (size_t i = 0; i < script.size(); ++i) {
        if (script.compare(i, 5, "\\\r\n  ") == 0) {
            i += 4;
            continue;
        }
        joined += script[i];
    }
    std::string hex = "ab";
    for (int i = 1; i < 70000; ++i) hex += ",ab";
    EXPECT_EQ(joined, kHeaderLines + Crlf({
                                         "[HKEY_CURRENT_USER\\" + branch.Path() + "]",
                                         "\"data70000\"=hex:" + hex,
                                         "\"" + std::string(5000, 'n') + "\"=dword:00000008",
                                         "\"slashes\"=\"" + std::string(6000, '\\') + "\"",
                                         "",
                                     }));
    ASSERT_NE(g_regHead, nullptr);
    EXPECT_EQ(g_regHead->valueCount, 3u);
    EXPECT_EQ(g_regHead->skippedCount, 0u);
}

TEST_F(RegistryExport, KeepsEveryValueBeyond512) {
    TestBranch branch;
    std::vector<std::string> lines = {"[HKEY_CURRENT_USER\\" + branch.Path() + "]"};
    char name[16];
    char line[48];
    for (int i = 0; i < 600; ++i) {
        std::snprintf(name, sizeof name, "v%03d", i);
        SetValue(branch.Root(), name, REG_DWORD, Dword(static_cast<DWORD>(i)));
        std::snprintf(line, sizeof line, "\"v%03d\"=dword:%08x", i, i);
        lines.push_back(line);
    }
    lines.push_back("");
    EXPECT_EQ(ScriptOf(branch), kHeaderLines + Crlf(lines));
    ASSERT_NE(g_regHead, nullptr);
    EXPECT_EQ(g_regHead->valueCount, 600u);
}

struct DeepWalk {
    std::string path;
    long result = -1;
    size_t stackReserve = 0;
};

DWORD WINAPI DeepWalkThread(void* parameter) {
    auto* walk = static_cast<DeepWalk*>(parameter);
    // The stack's reservation: every region that shares this local's
    // allocation base.
    MEMORY_BASIC_INFORMATION region = {};
    VirtualQuery(&region, &region, sizeof region);
    void* const base = region.AllocationBase;
    const char* cursor = static_cast<const char*>(base);
    while (VirtualQuery(cursor, &region, sizeof region) == sizeof region && region.AllocationBase == base) {
        walk->stackReserve += region.RegionSize;
        cursor += region.RegionSize;
    }
    walk->result = SnapshotRegistryKey(1, walk->path.c_str());
    return 0;
}

TEST_F(RegistryExport, DeepBranchOnASmallWorkerStack) {
    // 400 levels: fixed per-level buffers of 4.6 KB would need 1.8 MB, more
    // than the worker stack (at most the 1 MiB default) holds.
    const int depth = 400;
    TestBranch branch;
    // Created level by level: a path this long does not open in one call.
    std::string relative = "k";
    HKEY level = branch.Key("k");
    for (int i = 1; i < depth; ++i) {
        HKEY child = nullptr;
        ASSERT_EQ(RegCreateKeyExA(level, "k", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &child, nullptr), 0)
            << "level " << i;
        if (i > 1) RegCloseKey(level);
        level = child;
        relative += "\\k";
    }
    SetValue(level, "deepest", REG_DWORD, Dword(400));
    RegCloseKey(level);

    DeepWalk walk;
    walk.path = branch.Path();
    HANDLE thread =
        CreateThread(nullptr, 256 * 1024, DeepWalkThread, &walk, STACK_SIZE_PARAM_IS_A_RESERVATION, nullptr);
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(thread, 60000), WAIT_OBJECT_0);
    DWORD exitCode = 1;
    GetExitCodeThread(thread, &exitCode);
    CloseHandle(thread);
    EXPECT_EQ(exitCode, 0u);
    EXPECT_LE(walk.stackReserve, 1024u * 1024u) << "the worker stack is larger than the case assumes";
    EXPECT_EQ(walk.result, 0);
    EXPECT_EQ(ChainLength(), static_cast<size_t>(depth) + 1);
    ASSERT_NE(g_regTail, nullptr);
    // The deepest key line is far beyond 255 characters and kept whole.
    EXPECT_EQ(g_regTail->keyLine, "[HKEY_CURRENT_USER\\" + branch.Path() + "\\" + relative + "]");
    EXPECT_EQ(g_regTail->valueCount, 1u);
    for (const RegNode* node = g_regHead; node; node = node->next) {
        ASSERT_EQ(node->skippedCount, 0u) << node->keyLine.size();
    }
}

TEST_F(RegistryExport, MissingBranchReturns2AndWritesNothing) {
    ProgramFolderTurn turn;
    const std::string missing = "Software\\ScrivloMissing" + Pid();
    EXPECT_EQ(ExportRegistryBranch(1, missing.c_str()), ERROR_FILE_NOT_FOUND);
    EXPECT_FALSE(FileExists(turn.Script()));
    ASSERT_NE(g_regHead, nullptr) << "the record stays in the chain";
    EXPECT_EQ(g_regHead, g_regTail);
    EXPECT_EQ(g_regHead->keyLine, "");
    EXPECT_EQ(g_regHead->valueCount, 0u);
}

TEST_F(RegistryExport, RootIndexUsesTheLowEightBits) {
    TestBranch branch;
    SetValue(branch.Root(), "d", REG_DWORD, Dword(5));
    EXPECT_EQ(SnapshotRegistryKey(9, branch.Path().c_str()), ERROR_INVALID_HANDLE) << "row 9 does not exist";
    EXPECT_EQ(SnapshotRegistryKey(0x101, branch.Path().c_str()), 0);
    ASSERT_EQ(ChainLength(), 2u);
    EXPECT_EQ(g_regHead->keyLine, "");
    EXPECT_EQ(g_regTail->keyLine, "[HKEY_CURRENT_USER\\" + branch.Path() + "]");
    EXPECT_EQ(g_regTail->valueCount, 1u);
}

// Every row opens the system's own predefined key of its name. Wine accepts a
// zero-extended 0x80000002 as well, so only the handles themselves can show
// a table that would fail on 64-bit Windows.
TEST_F(RegistryExport, RootRowsAreTheSystemsPredefinedKeys) {
    const struct {
        const char* name;
        HKEY key;
    } expected[] = {
        {"HKEY_CLASSES_ROOT", HKEY_CLASSES_ROOT},
        {"HKEY_CURRENT_USER", HKEY_CURRENT_USER},
        {"HKEY_LOCAL_MACHINE", HKEY_LOCAL_MACHINE},
        {"HKEY_USERS", HKEY_USERS},
        {"HKEY_PERFORMANCE_DATA", HKEY_PERFORMANCE_DATA},
        {"HKEY_PERFORMANCE_TEXT", HKEY_PERFORMANCE_TEXT},
        {"HKEY_PERFORMANCE_NLSTEXT", HKEY_PERFORMANCE_NLSTEXT},
        {"HKEY_CURRENT_CONFIG", HKEY_CURRENT_CONFIG},
        {"HKEY_DYN_DATA", HKEY_DYN_DATA},
    };
    for (int row = 0; row < kRegRootKeyCount; ++row) {
        const RegRootKey& root = kRegRootKeys[row];
        HKEY wanted = nullptr;
        for (const auto& e : expected) {
            if (std::string(e.name) == root.name) wanted = e.key;
        }
        ASSERT_NE(wanted, nullptr) << "row " << row << " " << root.name;
        EXPECT_EQ(RegRootKeyHandle(root), wanted) << "row " << row << " " << root.name;
    }
    EXPECT_EQ(RegRootKeyHandle(RegRootKey{0x80000002u + 0x100u, "none"}), nullptr);
}

TEST_F(RegistryExport, SecondSnapshotAppendsToTheChain) {
    TestBranch branch;
    branch.Key("Sub");
    ASSERT_EQ(SnapshotRegistryKey(1, branch.Path().c_str()), 0);
    RegNode* firstHead = g_regHead;
    ASSERT_EQ(SnapshotRegistryKey(1, (branch.Path() + "\\Sub").c_str()), 0);
    EXPECT_EQ(g_regHead, firstHead);
    EXPECT_EQ(ChainLength(), 3u);
    EXPECT_EQ(g_regTail->keyLine, "[HKEY_CURRENT_USER\\" + branch.Path() + "\\Sub]");
}

RegNode* SmallChain(std::vector<RegNode>& storage) {
    storage.resize(2);
    storage[0].keyLine = "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]";
    storage[0].valueNames = {"", "n"};
    storage[0].valueTexts = {"\"C:\\\\x\"", "dword:00000012"};
    storage[0].valueTypes = {REG_SZ, REG_DWORD};
    storage[0].valueCount = 2;
    storage[0].next = &storage[1];
    return &storage[0];
}

RegNode* LargeChain(std::vector<RegNode>& storage) {
    storage.resize(2000);
    for (size_t i = 0; i < storage.size(); ++i) {
        storage[i].keyLine = "[HKEY_CURRENT_USER\\Software\\Key" + std::to_string(i) + "]";
        storage[i].valueNames = {"value"};
        storage[i].valueTexts = {"\"" + std::string(500, 'a') + "\""};
        storage[i].valueTypes = {REG_SZ};
        storage[i].valueCount = 1;
        storage[i].next = i + 1 < storage.size() ? &storage[i + 1] : nullptr;
    }
    return &storage[0];
}

TEST_F(RegistryExport, WriterProducesCrLfTextWithoutByteOrderMark) {
    std::vector<RegNode> storage;
    RegNode* first = SmallChain(storage);
    TempFolder folder;
    ASSERT_EQ(WriteRegScript(folder.Path().c_str(), first), 0);
    std::string script;
    ASSERT_TRUE(ReadWholeFile(folder.Script(), &script));
    EXPECT_EQ(script, std::string(kHeaderLines) +
                          "[HKEY_LOCAL_MACHINE\\SOFTWARE\\Corvalin]\r\n@=\"C:\\\\x\"\r\n"
                          "\"n\"=dword:00000012\r\n\r\n\r\n\r\n");
}

TEST_F(RegistryExport, WriterReportsFilesThatCannotBeCreatedOrWritten) {
    char program[kProgramFolderCapacity];
    ASSERT_EQ(GetProgramFolder(program), 0);
    TempFolder temp;
    // A folder in the place of the script: creating the file fails.
    const std::string blocked = temp.Path() + "\\blocked";
    CreateDirectoryA(blocked.c_str(), nullptr);
    CreateDirectoryA((blocked + "\\QZRegNode.reg").c_str(), nullptr);
    // The build links regfull\QZRegNode.reg to /dev/full: every write fails.
    const std::string full = std::string(program) + "\\regfull";

    // Each chain is built once: the cases keep pointers into its storage.
    std::vector<RegNode> small, large;
    const RegNode* const smallChain = SmallChain(small);
    const RegNode* const largeChain = LargeChain(large);
    const struct {
        const char* label;
        std::string folder;
        const RegNode* first;
    } cases[] = {
        {"folder that does not exist", temp.Path() + "\\nowhere", smallChain},
        {"folder named like the script", blocked, smallChain},
        {"full disk, small script (fails at the close)", full, smallChain},
        {"full disk, large script (fails while writing)", full, largeChain},
    };
    for (const auto& c : cases) {
        EXPECT_NE(WriteRegScript(c.folder.c_str(), c.first), 0) << c.label;
    }
    EXPECT_FALSE(FileExists(temp.Path() + "\\nowhere")) << "nothing was created";
    RemoveDirectoryA((blocked + "\\QZRegNode.reg").c_str());
    RemoveDirectoryA(blocked.c_str());
}

TEST_F(RegistryExport, EscapeBackslashesKeepsDoubleByteTrailBytes) {
    ASSERT_EQ(_setmbcp(932), 0);
    const struct {
        const char* label;
        std::string text;
        std::string expected;
    } cases[] = {
        {"trail byte 0x5C", "\x81\x5C", "\x81\x5C"},
        {"trail byte 0x5C then a backslash", "\x95\x5C\\", "\x95\x5C\\\\"},
        {"backslash between characters", "\x83\x41\\\x83\x42", "\x83\x41\\\\\x83\x42"},
    };
    for (const auto& c : cases) {
        std::string text = c.text;
        EscapeBackslashes(text);
        EXPECT_EQ(text, c.expected) << c.label << " (code page 932)";
    }
    ASSERT_EQ(_setmbcp(1252), 0);
    std::string text = "\x81\x5C";
    EscapeBackslashes(text);
    EXPECT_EQ(text, "\x81\x5C\\") << "code page 1252 has no lead bytes";
}

TEST_F(RegistryExport, ProgramFolderHoldsTheProgramFile) {
    char folder[kProgramFolderCapacity];
    ASSERT_EQ(GetProgramFolder(folder), 0);
    const std::string path = folder;
    ASSERT_FALSE(path.empty());
    EXPECT_NE(path.back(), '\\');
    EXPECT_TRUE(FileExists(path + "\\registry_export_test.exe")) << path;
}

}  // namespace
