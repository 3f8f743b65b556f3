// Scrivlo.exe fifty times in a row against product trees that change a
// little from run to run: every run must end by itself, show the same
// boxes, and write the log and the script the tree calls for. Digests come
// from the system's CryptoAPI.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <iostream>
#include <map>
#include <string>

#include "tests/app/EndToEnd.h"

namespace scrivlo_e2e {
namespace {

using scrivlo_test::CTranscript;

const int kRuns = 50;

// Bytes of a given length that differ from file to file.
std::string Content(int run, int file, size_t length) {
    std::string bytes;
    bytes.reserve(length);
    unsigned state = 2166136261u ^ static_cast<unsigned>(run * 131 + file);
    while (bytes.size() < length) {
        state = state * 16777619u + 0x9E37u;
        bytes.push_back(static_cast<char>(state >> 24));
    }
    return bytes;
}

class ScrivloSoak : public ScrivloEndToEnd {
protected:
    void Add(const std::string& path, const std::string& bytes) {
        WriteFile(path, bytes);
        const std::string md5 = CryptoApiMd5(bytes);
        ASSERT_EQ(32u, md5.size());
        m_digests[path] = md5;
    }

    // The tree of one run: a shared library, one to three install files of
    // lengths around the 64-byte block, a subfolder every other run, an
    // empty one every fifth.
    void BuildTree(int run) {
        RemoveTree(m_common + "\\");
        RemoveTree(m_install);
        m_digests.clear();
        MakeFolder(m_common);
        MakeFolder(m_shared);
        MakeFolder(m_install);
        Add(m_shared + "lib" + std::to_string(run % 7) + ".dll", Content(run, 0, 10 + run));
        for (int file = 1; file <= 1 + run % 3; ++file) {
            const size_t length = (run * 37 + file * 101) % 300;
            Add(m_install + "file" + std::to_string(run) + "_" + std::to_string(file) + ".txt",
                Content(run, file, length));
        }
        if (run % 2 == 0) {
            MakeFolder(m_install + "sub" + std::to_string(run));
            Add(m_install + "sub" + std::to_string(run) + "\\part.bin", Content(run, 9, 4096 + run));
        }
        if (run % 5 == 0) MakeFolder(m_install + "empty");
        PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
        PutText(kInstallKey, "InstallDir", m_install);
    }

    std::map<std::string, std::string> m_digests;
};

TEST_F(ScrivloSoak, FiftyRunsInARowGiveTheSameOutcome) {
    DWORD slowest = 0;
    const DWORD start = GetTickCount();
    for (int run = 0; run < kRuns; ++run) {
        SCOPED_TRACE("run " + std::to_string(run));
        BuildTree(run);
        DeleteFileA((m_folder + "QZScrivlo.log").c_str());
        DeleteFileA((m_folder + "QZRegNode.reg").c_str());

        const DWORD runStart = GetTickCount();
        const CTranscript transcript = Run();
        slowest = std::max(slowest, GetTickCount() - runStart);
        ExpectTranscript(transcript, kEverythingPresent);

        ExpectedLog log;
        log.Tree(m_shared, m_digests);
        log.Tree(m_install, m_digests);
        EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
        EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
        if (HasFailure()) break;  // the first differing run says enough
    }
    std::cout << kRuns << " runs in " << GetTickCount() - start << " ms, the slowest " << slowest << " ms" << std::endl;
}

}  // namespace
}  // namespace scrivlo_e2e
