// Scrivlo.exe end to end, as a user sees it: the program runs as its own
// process in a folder of the test's own, with a product installation the test
// builds; a scripted user records every box and the status line between
// them and presses "&Ok"; the whole log and script are compared byte for byte
// with files built here from the fixture (digests from md5sum or from the
// system's CryptoAPI, never from the program's code).
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/ChildProcess.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/Transcript.h"

namespace scrivlo_e2e {

extern const char kProductKey[];
extern const char kInstallKey[];
extern const char kCurrentVersionKey[];
extern const char kMainTitle[];

std::string ReadFile(const std::string& path);
bool FileExists(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// A file of size bytes that holds no data (zeros, sparse where the file system can).
bool MakeSparseFile(const std::string& path, LONGLONG size);
void PutText(const char* keyPath, const char* name, const std::string& text);
void DeleteValue(const char* keyPath, const char* name);
std::string GetText(const char* keyPath, const char* name);
// A registry key below parent by its UTF-16 path, created where missing and
// open for everything; null (after a failed expectation) when it cannot be.
HKEY CreateWideKey(const std::wstring& path, HKEY parent = HKEY_LOCAL_MACHINE);

// The MD5 digest of the bytes as 32 lower-case digits, from the system's
// CryptoAPI (an implementation that is not the program's); empty on failure.
std::string CryptoApiMd5(const std::string& bytes);

// The log as the program must write it: a text-mode stream, so CR LF.
struct ExpectedLog {
    std::string text;
    ExpectedLog();
    void Section(const std::string& folder);
    void File(const std::string& md5, const std::string& name, int size);
    // A line whose digest could not be computed: no digest column at all.
    void FileWithoutDigest(const std::string& name, int size);
    void NoFiles();
    // The sections of a folder tree in the order the directory search
    // returns its entries (the order the program sees): digests by full
    // path; a file mapped to an empty digest is listed without one, a file
    // missing from the map is a failure. The folder ends with a backslash.
    void Tree(const std::string& folder, const std::map<std::string, std::string>& digests);
};

// Files of the fixture with their md5sum digests.
struct FixtureFile {
    const char* name;
    const char* content;
    const char* md5;
    int Size() const { return static_cast<int>(std::string(content).size()); }
};
extern const FixtureFile kCoreLibrary;
extern const FixtureFile kReadme;
extern const FixtureFile kPlugin;

// Lines of a transcript (see ScrivloEndToEnd::Lines): the status line's
// texts and the boxes the program shows.
extern const char kStatusCreatingLog[];
extern const char kStatusCreatingScript[];
extern const char kBoxFileCreated[];
extern const char kBoxErrorLocatingPath[];
extern const char kBoxErrorReadingRegistry[];
extern const char kBoxErrorOpeningRegistry[];
extern const char kBoxErrorCreatingLog[];

// The status and box lines of a run that finds everything.
extern const std::vector<std::string> kEverythingPresent;

class ScrivloEndToEnd : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    static void RemoveTree(const std::string& folder);
    static void MakeFolder(const std::string& folder);
    static void Put(const std::string& folder, const FixtureFile& file);

    // Both product folders, registered, with a nested folder.
    void InstallProduct();
    ExpectedLog ExpectedProductLog() const;
    // Its first section alone: the shared-files folder with its one file.
    ExpectedLog ExpectedSharedSection() const;
    // The script of a branch that holds only the install folder value.
    std::string ExpectedProductScript() const;

    // Runs the program; every box is answered "&Ok" after onBox (when set)
    // has seen it. onBox gets the box, its contents and the program.
    using BoxHook = std::function<void(HWND box, const scrivlo_test::CBoxContents&, scrivlo_test::CChildProcess&)>;
    scrivlo_test::CTranscript Run(const BoxHook& onBox = BoxHook());
    // As Run, on a process the caller has started already.
    scrivlo_test::CTranscript RunStarted(scrivlo_test::CChildProcess& process, const BoxHook& onBox = BoxHook());

    // The transcript as one line per entry: "status: ..." or "box: caption | text".
    static std::vector<std::string> Lines(const scrivlo_test::CTranscript& transcript);
    static std::vector<std::string> BoxLines(const scrivlo_test::CTranscript& transcript);
    static void ExpectCleanEnd(const scrivlo_test::CTranscript& transcript);
    // A clean end (ExpectCleanEnd) and exactly these lines (Lines); note
    // is added to the message of a mismatch.
    static void ExpectTranscript(const scrivlo_test::CTranscript& transcript, const std::vector<std::string>& lines,
                                 const std::string& note = std::string());

    // The Windows folder as the program reads it (no trailing backslash).
    static std::string WindowsFolder();

    HANDLE m_hMutex = nullptr;
    bool m_bLocked = false;
    std::string m_commonFilesDir;
    std::string m_folder, m_exe, m_common, m_shared, m_install;
    // Files the case put outside its own folder, removed at its end.
    std::vector<std::string> m_foreignFiles;
};

}  // namespace scrivlo_e2e
