// The folder walk and the system component lookup over a file system held in
// memory: section order, failures of the search, buffer capacities, and a
// tree of several hundred levels walked on a thread with a 1 MiB stack.
#include "diagnostics/InventoryWalk.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <cctype>
#include <cstdio>
#include <cstring>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "diagnostics/RunState.h"
#include "tests/diagnostics/InventoryTestText.h"

using inventory_test::FileLine;
using inventory_test::kNoFiles;
using inventory_test::ReadBack;
using inventory_test::SectionHeader;

namespace {

struct FakeEntry {
    std::string name;
    bool isFolder;
    uint32_t size;
    std::string digest;  // empty: the file cannot be read
};

// Folders by their path with a trailing backslash; each lists its entries in
// search order. A folder missing from the map cannot be searched. Patterns
// ending in "*.*" list a folder; any other pattern names one file.
class CFakeSource : public CInventorySource {
public:
    std::map<std::string, std::vector<FakeEntry>> folders;
    // Generates folders on demand (the deep tree); consulted when set.
    std::vector<FakeEntry> (*generate)(const std::string& folder) = nullptr;

    std::vector<std::string> patterns;  // every pattern searched, in order
    int openSearches = 0;
    int locatingErrors = 0;

    struct Search {
        std::vector<FakeEntry> entries;
        std::size_t next;
    };

    void* BeginSearch(const char* pattern, InventoryEntry* entry) override {
        patterns.push_back(pattern);
        std::vector<FakeEntry> entries;
        const std::string text = pattern;
        if (text.size() >= 3 && text.compare(text.size() - 3, 3, "*.*") == 0) {
            const std::string folder = text.substr(0, text.size() - 3);
            if (generate) {
                entries = generate(folder);
            } else {
                auto found = folders.find(folder);
                if (found == folders.end()) return nullptr;
                entries = found->second;
            }
        } else {
            const std::size_t cut = text.rfind('\\');
            auto found = folders.find(text.substr(0, cut + 1));
            if (found == folders.end()) return nullptr;
            for (const FakeEntry& e : found->second) {
                if (SameName(e.name, text.substr(cut + 1))) entries.push_back(e);
            }
        }
        if (entries.empty()) return nullptr;
        auto* search = new Search{entries, 0};
        ++openSearches;
        NextEntry(search, entry);
        return search;
    }

    bool NextEntry(void* handle, InventoryEntry* entry) override {
        auto* search = static_cast<Search*>(handle);
        if (search->next == search->entries.size()) return false;
        const FakeEntry& e = search->entries[search->next++];
        std::snprintf(entry->name, sizeof entry->name, "%s", e.name.c_str());
        entry->isFolder = e.isFolder;
        entry->sizeLow = e.size;
        return true;
    }

    void EndSearch(void* handle) override {
        delete static_cast<Search*>(handle);
        --openSearches;
    }

    void LogFileDigest(const char* name, const char* folder) override {
        auto found = folders.find(folder);
        if (found == folders.end()) return;
        for (const FakeEntry& e : found->second) {
            if (e.name == name && !e.digest.empty()) std::fprintf(g_logFile, "%-40s", e.digest.c_str());
        }
    }

    void ReportLocatingError() override { ++locatingErrors; }

private:
    static bool SameName(const std::string& a, const std::string& b) {
        if (a.size() != b.size()) return false;
        for (std::size_t i = 0; i < a.size(); ++i) {
            if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i])))
                return false;
        }
        return true;
    }
};

FakeEntry File(const std::string& name, uint32_t size, const std::string& digest = "") {
    return FakeEntry{name, false, size, digest};
}
FakeEntry Folder(const std::string& name) { return FakeEntry{name, true, 0, ""}; }

const std::vector<FakeEntry> kDots = {Folder("."), Folder("..")};

std::vector<FakeEntry> WithDots(std::vector<FakeEntry> entries) {
    entries.insert(entries.begin(), kDots.begin(), kDots.end());
    return entries;
}

const InventoryTexts kTexts = {"Target Directory :", "no files found"};

const char kDigestA[] = "0cc175b9c0f1b6a831c399e269772661";
const char kDigestB[] = "92eb5ffee6ae2fec3ad71c777531578f";

class InventoryWalk : public ::testing::Test {
protected:
    void SetUp() override {
        g_logFile = std::tmpfile();
        ASSERT_NE(g_logFile, nullptr);
    }
    void TearDown() override {
        std::fclose(g_logFile);
        g_logFile = nullptr;
    }
    std::string Log() { return ReadBack(g_logFile); }

    CFakeSource source;
};

TEST_F(InventoryWalk, FilesFirstThenEachSubfolderDepthFirstInSearchOrder) {
    source.folders["R:\\"] = WithDots({File("b.txt", 2, kDigestB), Folder("s1"), File("a.txt", 1, kDigestA),
                                       Folder("s2")});
    source.folders["R:\\s1\\"] = WithDots({Folder("deep"), File("x.dat", 3, kDigestA)});
    source.folders["R:\\s1\\deep\\"] = kDots;
    source.folders["R:\\s2\\"] = WithDots({File("y.dat", 4, kDigestB)});

    WalkFolderTree("R:\\", kTexts, source);

    const std::string expected = SectionHeader("R:\\") + FileLine(kDigestB, "b.txt", "2") +
                                 FileLine(kDigestA, "a.txt", "1") + SectionHeader("R:\\s1\\") +
                                 FileLine(kDigestA, "x.dat", "3") + SectionHeader("R:\\s1\\deep\\") + kNoFiles +
                                 SectionHeader("R:\\s2\\") + FileLine(kDigestB, "y.dat", "4");
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(source.locatingErrors, 0);
    EXPECT_EQ(source.openSearches, 0) << "every search is closed";
    // Two passes per folder, each with the folder's own pattern.
    const std::vector<std::string> patterns = {"R:\\*.*",          "R:\\*.*",          "R:\\s1\\*.*",
                                               "R:\\s1\\*.*",      "R:\\s1\\deep\\*.*", "R:\\s1\\deep\\*.*",
                                               "R:\\s2\\*.*",      "R:\\s2\\*.*"};
    EXPECT_EQ(source.patterns, patterns);
}

TEST_F(InventoryWalk, FoldersWithoutFiles) {
    const struct {
        const char* label;
        std::vector<FakeEntry> root;
        std::string expected;
    } cases[] = {
        {"empty folder", kDots, SectionHeader("R:\\") + kNoFiles},
        {"only subfolders", WithDots({Folder("one"), Folder("two")}),
         SectionHeader("R:\\") + kNoFiles + SectionHeader("R:\\one\\") + kNoFiles + SectionHeader("R:\\two\\") +
             kNoFiles},
        {"a search that returns no dots", {File("z", 9, kDigestA)}, SectionHeader("R:\\") + FileLine(kDigestA, "z", "9")},
    };
    for (const auto& c : cases) {
        CFakeSource fresh;
        fresh.folders["R:\\"] = c.root;
        fresh.folders["R:\\one\\"] = kDots;
        fresh.folders["R:\\two\\"] = kDots;
        std::FILE* log = std::tmpfile();
        std::swap(log, g_logFile);
        WalkFolderTree("R:\\", kTexts, fresh);
        std::swap(log, g_logFile);
        EXPECT_EQ(ReadBack(log), c.expected) << c.label;
        EXPECT_EQ(fresh.locatingErrors, 0) << c.label;
        std::fclose(log);
    }
}

TEST_F(InventoryWalk, FolderThatCannotBeSearched) {
    source.folders["R:\\"] = WithDots({Folder("gone"), Folder("next")});
    source.folders["R:\\next\\"] = WithDots({File("n.txt", 5, kDigestA)});

    WalkFolderTree("R:\\", kTexts, source);

    // The missing subfolder: header, an error for each pass, "no files found";
    // the walk goes on with its sibling.
    EXPECT_EQ(Log(), SectionHeader("R:\\") + kNoFiles + SectionHeader("R:\\gone\\") + kNoFiles +
                         SectionHeader("R:\\next\\") + FileLine(kDigestA, "n.txt", "5"));
    EXPECT_EQ(source.locatingErrors, 2);
    EXPECT_EQ(source.openSearches, 0);
}

TEST_F(InventoryWalk, UnreadableFileHasNoDigestColumn) {
    source.folders["R:\\"] = WithDots({File("ok.dll", 10, kDigestA), File("locked.dll", 11), File("ok2.dll", 12, kDigestB)});
    WalkFolderTree("R:\\", kTexts, source);
    EXPECT_EQ(Log(), SectionHeader("R:\\") + FileLine(kDigestA, "ok.dll", "10") + FileLine("", "locked.dll", "11") +
                         FileLine(kDigestB, "ok2.dll", "12"));
}

// Folders of a given length: "R:\" then 'p's then a backslash.
std::string FolderOfLength(std::size_t length) { return "R:\\" + std::string(length - 4, 'p') + "\\"; }

TEST_F(InventoryWalk, SearchPatternThatDoesNotFitIsNeverShortened) {
    const struct {
        std::size_t folderLength;
        bool searched;
    } cases[] = {
        {1020, true},   // pattern of 1023 characters and its zero fill the buffer
        {1021, false},
        {1200, false},
    };
    for (const auto& c : cases) {
        CFakeSource fresh;
        const std::string folder = FolderOfLength(c.folderLength);
        fresh.folders[folder] = WithDots({File("f", 1, kDigestA)});
        std::FILE* log = std::tmpfile();
        std::swap(log, g_logFile);
        WalkFolderTree(folder.c_str(), kTexts, fresh);
        std::swap(log, g_logFile);
        const std::string expected = c.searched ? SectionHeader(folder) + FileLine(kDigestA, "f", "1")
                                                : SectionHeader(folder) + kNoFiles;
        EXPECT_EQ(ReadBack(log), expected) << "folder of " << c.folderLength;
        EXPECT_EQ(fresh.locatingErrors, c.searched ? 0 : 2) << "folder of " << c.folderLength;
        EXPECT_EQ(fresh.patterns.size(), c.searched ? 2u : 0u) << "folder of " << c.folderLength;
        for (const std::string& pattern : fresh.patterns) EXPECT_EQ(pattern, folder + "*.*");
        std::fclose(log);
    }
}

TEST_F(InventoryWalk, SubfolderPathThatDoesNotFitShowsInFull) {
    const std::string folder = FolderOfLength(1000);
    const std::string longName(40, 'n');
    source.folders[folder] = WithDots({Folder(longName), Folder("ok")});
    source.folders[folder + "ok\\"] = kDots;

    WalkFolderTree(folder.c_str(), kTexts, source);

    EXPECT_EQ(Log(), SectionHeader(folder) + kNoFiles + SectionHeader(folder + longName + "\\") + kNoFiles +
                         SectionHeader(folder + "ok\\") + kNoFiles);
    EXPECT_EQ(source.locatingErrors, 2);
    for (const std::string& pattern : source.patterns) EXPECT_LT(pattern.size(), 1024u) << pattern;
}

// A chain of folders "d", each holding one file "f" and the next folder.
std::vector<FakeEntry> ChainLevel(const std::string&) { return WithDots({File("f", 1), Folder("d")}); }

constexpr int kDeepLevels = 600;

void* WalkDeepTree(void* argument) {
    auto* fake = static_cast<CFakeSource*>(argument);
    WalkFolderTree("R:\\", kTexts, *fake);
    return nullptr;
}

TEST_F(InventoryWalk, DeepTreeOnAThreadWithAOneMebibyteStack) {
    source.generate = ChainLevel;

    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 1 << 20), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, WalkDeepTree, &source), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);

    // Folder k is "R:\" and k times "d\"; its pattern fits while
    // 3 + 2k + 3 < 1024, so levels 0 to 508 are listed and level 509 is the
    // first that cannot be searched. Its subfolders are not visited.
    std::string expected;
    std::string folder = "R:\\";
    for (int level = 0; level <= 508; ++level) {
        expected += SectionHeader(folder) + FileLine("", "f", "1");
        folder += "d\\";
    }
    expected += SectionHeader(folder) + kNoFiles;
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(source.locatingErrors, 2);
    EXPECT_EQ(source.openSearches, 0);
    EXPECT_EQ(source.patterns.size(), 2u * 509u);
    static_assert(kDeepLevels > 509, "the chain reaches beyond the buffer capacity");
}

// --- system components ---

struct ComponentCase {
    const char* label;
    std::vector<FakeEntry> system32, drivers, system;
    std::string expected;
};

TEST_F(InventoryWalk, SystemComponentMatrix) {
    const std::string s32 = "W:\\win\\system32\\", drv = "W:\\win\\system32\\drivers\\", sys = "W:\\win\\system\\";
    const ComponentCase cases[] = {
        {"none", {}, {}, {}, ""},
        {"only the second system32 component", {File("pelvarn.dll", 20, kDigestB)}, {}, {},
         SectionHeader(s32) + FileLine(kDigestB, "pelvarn.dll", "20")},
        {"both system32 components share a section",
         {File("pelvarn.dll", 20, kDigestB), File("quend.dll", 10, kDigestA)}, {}, {},
         SectionHeader(s32) + FileLine(kDigestA, "quend.dll", "10") + FileLine(kDigestB, "pelvarn.dll", "20")},
        {"only the first", {File("quend.dll", 10, kDigestA)}, {}, {},
         SectionHeader(s32) + FileLine(kDigestA, "quend.dll", "10")},
        {"driver and system component", {}, {File("trunmolk.sys", 30)}, {File("halvix.vxd", 40, kDigestA)},
         SectionHeader(drv) + FileLine("", "trunmolk.sys", "30") + SectionHeader(sys) +
             FileLine(kDigestA, "halvix.vxd", "40")},
        {"all four, names as the search reports them",
         {File("QUEND.DLL", 10, kDigestA), File("Pelvarn.Dll", 20, kDigestB), File("other.dll", 1, kDigestA)},
         {File("TrunMolk.sys", 30, kDigestA)}, {File("halvix.vxd", 40)},
         SectionHeader(s32) + FileLine(kDigestA, "QUEND.DLL", "10") + FileLine(kDigestB, "Pelvarn.Dll", "20") +
             SectionHeader(drv) + FileLine(kDigestA, "TrunMolk.sys", "30") + SectionHeader(sys) +
             FileLine("", "halvix.vxd", "40")},
    };
    for (const auto& c : cases) {
        CFakeSource fresh;
        fresh.folders[s32] = c.system32;
        fresh.folders[drv] = c.drivers;
        fresh.folders[sys] = c.system;
        std::FILE* log = std::tmpfile();
        std::swap(log, g_logFile);
        WalkSystemComponents("W:\\win", "Target Directory :", fresh);
        std::swap(log, g_logFile);
        EXPECT_EQ(ReadBack(log), c.expected) << c.label;
        EXPECT_EQ(fresh.openSearches, 0) << c.label;
        EXPECT_EQ(fresh.locatingErrors, 0) << c.label;
        std::fclose(log);
    }
}

TEST_F(InventoryWalk, ComponentPathsThatDoNotFitAreNotLookedUp) {
    // A Windows folder of length L: each row is looked up only while its
    // pattern fits in 1023 characters (system32 + quend.dll needs L + 19,
    // pelvarn.dll L + 21, drivers + trunmolk.sys L + 30, system + halvix.vxd L + 18).
    const struct {
        std::size_t length;
        std::vector<std::string> files;  // the rows looked up, in order
    } cases[] = {
        {993, {"quend.dll", "pelvarn.dll", "trunmolk.sys", "halvix.vxd"}},
        {994, {"quend.dll", "pelvarn.dll", "halvix.vxd"}},
        {1003, {"quend.dll", "halvix.vxd"}},
        {1005, {"halvix.vxd"}},
        {1006, {}},
        {3000, {}},
    };
    for (const auto& c : cases) {
        const std::string windows = "W:" + std::string(c.length - 2, 'w');
        CFakeSource fresh;
        fresh.folders[windows + "\\system\\"] = {File("halvix.vxd", 40, kDigestA)};
        std::FILE* log = std::tmpfile();
        std::swap(log, g_logFile);
        WalkSystemComponents(windows.c_str(), "Target Directory :", fresh);
        std::swap(log, g_logFile);
        const bool systemRow = !c.files.empty() && c.files.back() == "halvix.vxd";
        EXPECT_EQ(ReadBack(log), systemRow ? SectionHeader(windows + "\\system\\") +
                                                 FileLine(kDigestA, "halvix.vxd", "40")
                                           : std::string())
            << "length " << c.length;
        ASSERT_EQ(fresh.patterns.size(), c.files.size()) << "length " << c.length;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const std::string& pattern = fresh.patterns[i];
            EXPECT_LT(pattern.size(), 1024u);
            EXPECT_EQ(pattern.substr(pattern.size() - c.files[i].size()), c.files[i]) << "length " << c.length;
        }
        std::fclose(log);
    }
}

// --- the digest column of a real file ---

TEST(InventoryDigest, DigestColumnOfAFile) {
    const char* name = "inventory_digest_fixture.txt";
    std::FILE* file = std::fopen(name, "wb");
    ASSERT_NE(file, nullptr);
    std::fputs("message digest", file);
    std::fclose(file);

    const struct {
        const char* label;
        std::string name;
        std::string folder;
        std::string expected;
    } cases[] = {
        {"readable file", name, "./", inventory_test::PadRight("f96b697d7cb7938d525a2f31aaf161d0", 40)},
        {"missing file", "inventory_no_such_file.txt", "./", ""},
        {"path longer than the buffer", name, "./" + std::string(1020, '.') , ""},
    };
    for (const auto& c : cases) {
        g_logFile = std::tmpfile();
        ASSERT_NE(g_logFile, nullptr);
        LogFileDigest(c.name.c_str(), c.folder.c_str());
        EXPECT_EQ(ReadBack(g_logFile), c.expected) << c.label;
        std::fclose(g_logFile);
        g_logFile = nullptr;
    }
    std::remove(name);
}

}  // namespace
