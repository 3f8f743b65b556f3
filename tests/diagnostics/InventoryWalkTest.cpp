// The folder walk over a file system held in memory: section order and the
// searches it makes, buffer capacities, and a tree deeper than a recursive
// walk with per-level path buffers could take on a 1 MiB stack.
#include "diagnostics/InventoryWalk.h"

#include <gtest/gtest.h>
#include <pthread.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "diagnostics/Md5.h"
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
};

std::u16string Exact(const std::string& ascii) { return std::u16string(ascii.begin(), ascii.end()); }
std::string Ascii(const std::u16string& exact) {
    std::string text;
    for (char16_t c : exact) text += static_cast<char>(c);
    return text;
}

// Folders by path (with the trailing backslash) list their entries in search
// order; a folder missing from the map cannot be searched. Only folder
// patterns ("<folder>*.*") find anything. Digests are a fixed text, or none
// for the paths in unreadable.
class CFakeSource : public CInventorySource {
public:
    std::map<std::string, std::vector<FakeEntry>> folders;
    bool chain = false;  // every folder holds a file "f" and a folder "d"
    std::set<std::string> unreadable;
    unsigned readers = 0;

    std::vector<std::string> patterns;  // every pattern searched, in order
    int openSearches = 0;
    int locatingErrors = 0;

    struct Search {
        std::vector<FakeEntry> entries;
        std::size_t next;
    };

    void* BeginSearch(const std::u16string& exactPattern, InventoryEntry* entry) override {
        const std::string text = Ascii(exactPattern);
        patterns.push_back(text);
        if (text.size() < 3 || text.compare(text.size() - 3, 3, "*.*") != 0) return nullptr;
        auto found = folders.find(text.substr(0, text.size() - 3));
        if (!chain && found == folders.end()) return nullptr;
        auto* search = new Search{
            chain ? std::vector<FakeEntry>{{".", true, 0}, {"d", true, 0}, {"f", false, 1}} : found->second, 0};
        if (!NextEntry(search, entry)) {
            delete search;
            return nullptr;
        }
        ++openSearches;
        return search;
    }

    bool NextEntry(void* handle, InventoryEntry* entry) override {
        auto* search = static_cast<Search*>(handle);
        if (search->next == search->entries.size()) return false;
        const FakeEntry& e = search->entries[search->next++];
        std::snprintf(entry->name, sizeof entry->name, "%s", e.name.c_str());
        entry->exactName = Exact(e.name);
        entry->isFolder = e.isFolder;
        entry->isLink = false;
        entry->sizeLow = e.size;
        return true;
    }

    void EndSearch(void* handle) override {
        delete static_cast<Search*>(handle);
        --openSearches;
    }

    FolderIdentity IdentifyFolder(const std::u16string&) override { return FolderIdentity(); }

    bool ComputeDigest(const std::u16string& path, char* digestText) override {
        // Reads that take different times finish out of order.
        if (readers > 0) std::this_thread::sleep_for(std::chrono::microseconds(path.size() * 37 % 300));
        if (unreadable.count(Ascii(path)) != 0) return false;
        std::snprintf(digestText, kMd5TextCapacity, "%s", kDigest);
        return true;
    }

    void ReportLocatingError() override { ++locatingErrors; }
    unsigned Readers() const override { return readers; }

    static constexpr const char* kDigest = "0cc175b9c0f1b6a831c399e269772661";
};

FakeEntry File(const std::string& name, uint32_t size) { return FakeEntry{name, false, size}; }
FakeEntry Folder(const std::string& name) { return FakeEntry{name, true, 0}; }

const InventoryTexts kTexts = {"Target Directory :", "no files found"};

std::string Line(const std::string& name, const std::string& size) {
    return FileLine(CFakeSource::kDigest, name, size);
}

// The log of one walk, written into a stream of its own.
std::string WalkLog(const std::string& folder, CFakeSource& source) {
    std::FILE* saved = g_logFile;
    g_logFile = std::tmpfile();
    const std::u16string exact = Exact(folder);
    WalkFolderTree(folder.c_str(), &exact, kTexts, source);
    std::string text = ReadBack(g_logFile);
    std::fclose(g_logFile);
    g_logFile = saved;
    return text;
}

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
    source.folders["R:\\"] = {Folder("."),  Folder(".."),     File("b.txt", 2),
                              Folder("s1"), File("a.txt", 1), Folder("s2")};
    source.folders["R:\\s1\\"] = {Folder("."), Folder(".."), Folder("deep"), File("x.dat", 3)};
    source.folders["R:\\s1\\deep\\"] = {Folder("."), Folder("..")};
    source.folders["R:\\s2\\"] = {File("y.dat", 4)};  // a search that returns no dots

    const std::u16string root = u"R:\\";
    WalkFolderTree("R:\\", &root, kTexts, source);

    EXPECT_EQ(Log(), SectionHeader("R:\\") + Line("b.txt", "2") + Line("a.txt", "1") + SectionHeader("R:\\s1\\") +
                         Line("x.dat", "3") + SectionHeader("R:\\s1\\deep\\") + kNoFiles + SectionHeader("R:\\s2\\") +
                         Line("y.dat", "4"));
    EXPECT_EQ(source.locatingErrors, 0);
    EXPECT_EQ(source.openSearches, 0) << "every search is closed";
    const std::vector<std::string> patterns = {"R:\\*.*",           "R:\\*.*",           "R:\\s1\\*.*", "R:\\s1\\*.*",
                                               "R:\\s1\\deep\\*.*", "R:\\s1\\deep\\*.*", "R:\\s2\\*.*", "R:\\s2\\*.*"};
    EXPECT_EQ(source.patterns, patterns);
}

// Files read by several threads at once, finishing out of order, are logged
// in the walk's order, and a file that cannot be read in the middle of them
// keeps its place without a digest: the same log as one reader gives.
TEST_F(InventoryWalk, ParallelReadsAreLoggedInTheWalksOrder) {
    CFakeSource serial;
    for (int i = 0; i < 300; ++i) {
        const std::string name = "f" + std::string(static_cast<size_t>(i % 7), 'x') + std::to_string(i);
        serial.folders["R:\\"].push_back(File(name, static_cast<uint32_t>(i)));
        serial.folders["R:\\sub\\"].push_back(File(name, static_cast<uint32_t>(i)));
    }
    serial.folders["R:\\"].push_back(Folder("sub"));
    serial.unreadable = {"R:\\fxxxxxx146", "R:\\sub\\f7"};
    CFakeSource parallel = serial;
    parallel.readers = 4;

    const std::string expected = WalkLog("R:\\", serial);
    EXPECT_EQ(WalkLog("R:\\", parallel), expected);
    EXPECT_NE(expected.find("\n fxxxxxx146 "), std::string::npos) << "the unreadable file's line has no digest";
    EXPECT_NE(expected.find("\n f7 "), std::string::npos);
}

// "R:\" and 'p's up to the given length, the last character a backslash.
std::string FolderOfLength(std::size_t length) { return "R:\\" + std::string(length - 4, 'p') + "\\"; }

TEST_F(InventoryWalk, FolderWhosePatternDoesNotFitIsReportedNotShortened) {
    const std::string fits = FolderOfLength(1020);  // "*.*" and the zero fill the 1024 bytes
    const std::string tooLong = FolderOfLength(1021);
    const std::string parent = FolderOfLength(1000);
    const std::string child = parent + std::string(40, 'n') + "\\";  // built whole, past the buffer
    const struct {
        std::string folder;
        std::vector<FakeEntry> entries;
        std::string expected;
        int errors;
        std::vector<std::string> patterns;
    } cases[] = {
        {fits, {File("f", 1)}, SectionHeader(fits) + Line("f", "1"), 0, {fits + "*.*", fits + "*.*"}},
        {tooLong, {File("f", 1)}, SectionHeader(tooLong) + kNoFiles, 2, {}},
        {parent,
         {Folder(std::string(40, 'n'))},
         SectionHeader(parent) + kNoFiles + SectionHeader(child) + kNoFiles,
         2,
         {parent + "*.*", parent + "*.*"}},
    };
    for (const auto& c : cases) {
        CFakeSource fresh;
        fresh.folders[c.folder] = c.entries;
        EXPECT_EQ(WalkLog(c.folder, fresh), c.expected) << c.folder.size();
        EXPECT_EQ(fresh.locatingErrors, c.errors) << c.folder.size();
        EXPECT_EQ(fresh.patterns, c.patterns) << c.folder.size();
    }
}

void* WalkChain(void* argument) {
    const std::u16string root = u"R:\\";
    WalkFolderTree("R:\\", &root, kTexts, *static_cast<CFakeSource*>(argument));
    return nullptr;
}

TEST_F(InventoryWalk, DeepTreeOnAThreadWithAOneMebibyteStack) {
    source.chain = true;
    pthread_attr_t attributes;
    ASSERT_EQ(pthread_attr_init(&attributes), 0);
    ASSERT_EQ(pthread_attr_setstacksize(&attributes, 1 << 20), 0);
    pthread_t thread;
    ASSERT_EQ(pthread_create(&thread, &attributes, WalkChain, &source), 0);
    ASSERT_EQ(pthread_join(thread, nullptr), 0);
    pthread_attr_destroy(&attributes);

    // Level k is "R:\" and k times "d\"; its pattern fits while 3 + 2k + 3
    // stays below 1024, so levels 0 to 508 are listed and level 509 is shown
    // as a folder that cannot be searched, which ends the chain.
    std::string expected;
    std::string folder = "R:\\";
    for (int level = 0; level <= 508; ++level) {
        expected += SectionHeader(folder) + Line("f", "1");
        folder += "d\\";
    }
    expected += SectionHeader(folder) + kNoFiles;
    EXPECT_EQ(Log(), expected);
    EXPECT_EQ(source.locatingErrors, 2);
    EXPECT_EQ(source.openSearches, 0);
    EXPECT_EQ(source.patterns.size(), 2u * 509u);
}

TEST_F(InventoryWalk, ComponentsWhosePathsDoNotFitAreNotLookedUp) {
    // With a Windows folder of length L a row is looked up while its pattern
    // fits in 1023 characters: system32 + quend.dll needs L + 19, pelvarn.dll
    // L + 21, drivers + trunmolk.sys L + 30, system + halvix.vxd L + 18.
    const struct {
        std::size_t length;
        std::vector<std::string> files;  // the rows looked up, in order
    } cases[] = {
        {993, {"quend.dll", "pelvarn.dll", "trunmolk.sys", "halvix.vxd"}},
        {994, {"quend.dll", "pelvarn.dll", "halvix.vxd"}},
        {1003, {"quend.dll", "halvix.vxd"}},
        {1005, {"halvix.vxd"}},
        {1006, {}},
    };
    for (const auto& c : cases) {
        const std::string windows = "W:" + std::string(c.length - 2, 'w');
        CFakeSource fresh;
        const std::u16string exact = Exact(windows + "\\");
        WalkSystemComponents(windows.c_str(), &exact, "Target Directory :", fresh);
        ASSERT_EQ(fresh.patterns.size(), c.files.size()) << "length " << c.length;
        for (std::size_t i = 0; i < c.files.size(); ++i) {
            const std::string& pattern = fresh.patterns[i];
            EXPECT_EQ(pattern.substr(0, windows.size()), windows);
            EXPECT_EQ(pattern.substr(pattern.size() - c.files[i].size()), c.files[i]) << "length " << c.length;
            EXPECT_LT(pattern.size(), 1024u);
        }
    }
    EXPECT_EQ(Log(), "") << "nothing found, nothing written";
}

}  // namespace
