// Launching a program and playing its user: the fake product shows two boxes
// owned by its main dialog, changes its status line in between and ends.
#include "tests/support/ChildProcess.h"
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/ScriptedUser.h"
#include "tests/support/WinePump.h"
#include "tests/support/tests/BoxHost.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>

namespace scrivlo_test {
namespace {

// A fresh empty folder below the current one.
std::string MakeFolder(const char* name) {
    char current[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, current);
    const std::string folder = std::string(current) + "\\" + name;
    CreateDirectoryA(folder.c_str(), nullptr);
    DeleteFileA((folder + "\\fake.log").c_str());
    return folder;
}

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

TEST(ChildProcess, StartsInTheGivenFolderAndReportsTheExitCode) {
    const std::string folder = MakeFolder("support_child_cwd");
    CChildProcess process;
    ASSERT_TRUE(process.Start(FakeProductPath(), "run", folder)) << process.LastError();
    EXPECT_NE(process.ProcessId(), 0u);
    EXPECT_TRUE(process.IsRunning());
    EXPECT_FALSE(process.Start(FakeProductPath(), "run", folder)) << "one process an object";

    HWND main = WaitForTopWindow(process.ProcessId(), "Scrivlo", "#32770", 10000);
    ASSERT_TRUE(main);
    // The status line, read with WM_GETTEXT across the process boundary.
    HWND status = FindChildById(main, 1001);
    ASSERT_TRUE(status);
    EXPECT_EQ(ReadWindowTextW(status), L"Creating log, please wait...");
    EXPECT_EQ(ReadWindowTextA(status), "Creating log, please wait...");
    EXPECT_TRUE(WaitUntil([&] { return FileExists(folder + "\\fake.log"); }, 5000))
        << "the program's current folder is the one given";

    for (int box = 0; box < 2; ++box) {
        HWND found = WaitForBox(process.ProcessId(), 10000, {main});
        ASSERT_TRUE(found) << "box " << box;
        EXPECT_EQ(GetWindow(found, GW_OWNER), main);
        ASSERT_TRUE(AnswerBox(found, IDOK, AnswerMethod::kClick)) << "box " << box;
    }
    DWORD code = 0;
    ASSERT_TRUE(process.WaitForExit(10000, &code));
    EXPECT_EQ(code, 11u);
    EXPECT_FALSE(process.IsRunning());
}

TEST(ChildProcess, IsEndedWhenItDoesNotExitInTime) {
    CChildProcess process;
    ASSERT_TRUE(process.Start(FakeProductPath(), "hang", ""));
    DWORD code = 0;
    bool killed = false;
    const DWORD start = GetTickCount();
    EXPECT_FALSE(process.WaitForExitOrKill(500, &code, &killed));
    EXPECT_GE(ElapsedSince(start), 450u);
    EXPECT_TRUE(killed);
    EXPECT_EQ(code, 0xDEADu);
    EXPECT_FALSE(process.IsRunning());
}

TEST(ChildProcess, AMissingProgramIsReported) {
    CChildProcess process;
    EXPECT_FALSE(process.Start(ModuleFolder() + "no_such_program.exe", "", ""));
    EXPECT_EQ(process.LastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
    EXPECT_FALSE(process.IsStarted());
    EXPECT_FALSE(process.WaitForExit(10));
}

// --- the scripted user -------------------------------------------------------

struct CScriptCase {
    const char* label;
    const char* arguments;
    AnswerMethod method;
    int secondChoice;  // 0: the default
    const char* expected;
};

std::ostream& operator<<(std::ostream& out, const CScriptCase& c) { return out << c.label; }

const CScriptCase kScriptCases[] = {
    {"product-like run, clicks", "run", AnswerMethod::kClick, 0,
     "status \"Creating log, please wait...\"\n"
     "box \"Success!\" text \"Log file successfully created!\" buttons [1 \"&Ok\"*] -> 1\n"
     "status \"Creating registry file, please wait...\"\n"
     "box \"Success!\" text \"Log file successfully created!\" buttons [1 \"&Ok\"*] -> 1\n"
     "exit 11\n"},
    {"product-like run, keyboard", "run", AnswerMethod::kKeyboard, 0,
     "status \"Creating log, please wait...\"\n"
     "box \"Success!\" text \"Log file successfully created!\" buttons [1 \"&Ok\"*] -> 1\n"
     "status \"Creating registry file, please wait...\"\n"
     "box \"Success!\" text \"Log file successfully created!\" buttons [1 \"&Ok\"*] -> 1\n"
     "exit 11\n"},
    {"Cancel chosen in the second box by keyboard", "run okcancel", AnswerMethod::kKeyboard, 2,
     "status \"Creating log, please wait...\"\n"
     "box \"Success!\" text \"Log file successfully created!\" buttons [1 \"&Ok\"*] -> 1\n"
     "status \"Creating registry file, please wait...\"\n"
     "box \"Question\" text \"Write the registry file?\" buttons [1 \"&Ok\"* 2 \"&Cancel\"] -> 2\n"
     "exit 12\n"},
    {"Cancel chosen in the second box by a click", "run okcancel", AnswerMethod::kClick, 2,
     "status \"Creating log, please wait...\"\n"
     "box \"Success!\" text \"Log file successfully created!\" buttons [1 \"&Ok\"*] -> 1\n"
     "status \"Creating registry file, please wait...\"\n"
     "box \"Question\" text \"Write the registry file?\" buttons [1 \"&Ok\"* 2 \"&Cancel\"] -> 2\n"
     "exit 12\n"},
};

class ScriptedUserTest : public testing::TestWithParam<CScriptCase> {};

TEST_P(ScriptedUserTest, TranscriptOfTheFakeProduct) {
    const CScriptCase& c = GetParam();
    CChildProcess process;
    ASSERT_TRUE(process.Start(FakeProductPath(), c.arguments, MakeFolder("support_scripted")));
    CScriptedUserOptions options;
    options.m_pszMainTitle = "Scrivlo";
    options.m_method = c.method;
    options.m_dwTimeoutMs = 30000;
    int boxes = 0;
    options.m_choose = [&](const CBoxContents& box) {
        ++boxes;
        return boxes == 2 && c.secondChoice ? c.secondChoice : box.m_nDefaultId;
    };
    const CTranscript transcript = RunScriptedUser(process, options);
    EXPECT_EQ(FormatTranscript(transcript), c.expected);
    EXPECT_TRUE(transcript.m_bExited);
    EXPECT_FALSE(transcript.m_bKilled);
    ASSERT_EQ(transcript.Boxes().size(), 2u);
    EXPECT_EQ(transcript.Boxes()[0]->m_textA, "Log file successfully created!");
}

INSTANTIATE_TEST_SUITE_P(Cases, ScriptedUserTest, testing::ValuesIn(kScriptCases),
                         [](const testing::TestParamInfo<CScriptCase>& param) {
                             return "Case" + std::to_string(param.index);
                         });

TEST(ScriptedUser, AChoiceTheBoxDoesNotOfferStopsTheRunAndEndsTheProgram) {
    CChildProcess process;
    ASSERT_TRUE(process.Start(FakeProductPath(), "run", MakeFolder("support_scripted")));
    CScriptedUserOptions options;
    options.m_choose = [](const CBoxContents&) { return IDCANCEL; };
    const CTranscript transcript = RunScriptedUser(process, options);
    EXPECT_FALSE(transcript.m_bExited);
    EXPECT_TRUE(transcript.m_bKilled);
    EXPECT_NE(transcript.m_error.find("no button 2"), std::string::npos) << transcript.m_error;
    ASSERT_EQ(transcript.Boxes().size(), 1u);
    EXPECT_FALSE(process.IsRunning());
}

TEST(ScriptedUser, AProgramThatNeverEndsIsEndedAtTheTimeLimit) {
    CChildProcess process;
    ASSERT_TRUE(process.Start(FakeProductPath(), "hang", ""));
    CScriptedUserOptions options;
    options.m_dwTimeoutMs = 700;
    const DWORD start = GetTickCount();
    const CTranscript transcript = RunScriptedUser(process, options);
    EXPECT_GE(ElapsedSince(start), 650u);
    EXPECT_TRUE(transcript.m_bKilled);
    EXPECT_EQ(transcript.m_error, "time limit reached");
    EXPECT_EQ(FormatTranscript(transcript), "killed\nerror time limit reached\n");
}

}  // namespace
}  // namespace scrivlo_test
