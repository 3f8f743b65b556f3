// ScrivloCompare end to end: Scrivlo.exe runs on a reference installation
// and on a customer's that differs from it in known ways, and ScrivloCompare
// holds the two pairs of files against each other. Its records are compared
// whole with records built here from the fixture (digests from the system's
// CryptoAPI, line numbers found in the files Scrivlo wrote).
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <utility>

#include "tests/app/EndToEnd.h"

namespace scrivlo_e2e {
namespace {

const char kDesktopKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop";
const char kPluginsKey[] = "SOFTWARE\\Corvalin\\Corvalin Desktop\\Plugins";
const char kRoot[] = "HKEY_LOCAL_MACHINE\\";

struct CompareRun {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out, err;  // without carriage returns
};

std::string WithoutCarriageReturns(std::string text) {
    text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
    return text;
}

// ScrivloCompare with the arguments, in folder, its output and errors
// written to files there.
CompareRun RunCompare(const std::string& folder, const std::string& arguments) {
    CompareRun run;
    SECURITY_ATTRIBUTES inherit = {sizeof inherit, nullptr, TRUE};
    const std::string outPath = folder + "compare.out";
    const std::string errPath = folder + "compare.err";
    HANDLE out = CreateFileA(outPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    HANDLE err = CreateFileA(errPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherit, CREATE_ALWAYS, 0, nullptr);
    EXPECT_NE(INVALID_HANDLE_VALUE, out);
    EXPECT_NE(INVALID_HANDLE_VALUE, err);
    STARTUPINFOA startup = {};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = out;
    startup.hStdError = err;
    std::string line = "\"" SCRIVLO_COMPARE_EXE "\" " + arguments;
    PROCESS_INFORMATION info = {};
    const BOOL started = CreateProcessA(SCRIVLO_COMPARE_EXE, &line[0], nullptr, nullptr, TRUE, 0, nullptr,
                                        folder.c_str(), &startup, &info);
    CloseHandle(out);
    CloseHandle(err);
    EXPECT_TRUE(started) << "error " << GetLastError();
    if (!started) return run;
    EXPECT_EQ(WAIT_OBJECT_0, WaitForSingleObject(info.hProcess, 60000));
    GetExitCodeProcess(info.hProcess, &run.exitCode);
    CloseHandle(info.hThread);
    CloseHandle(info.hProcess);
    run.out = WithoutCarriageReturns(ReadFile(outPath));
    run.err = WithoutCarriageReturns(ReadFile(errPath));
    return run;
}

// The number of the first line of text that holds needle.
std::string LineOf(const std::string& text, const std::string& needle) {
    const size_t at = text.find(needle);
    EXPECT_NE(std::string::npos, at) << needle;
    if (at == std::string::npos) return "?";
    return std::to_string(std::count(text.begin(), text.begin() + at, '\n') + 1);
}

std::string Csv(const std::string& field) {
    if (field.find_first_of(",\"") == std::string::npos) return field;
    std::string quoted = "\"";
    for (char c : field) quoted += c == '"' ? std::string("\"\"") : std::string(1, c);
    return quoted + "\"";
}

std::string Record(std::initializer_list<std::string> fields) {
    std::string record;
    for (const std::string& field : fields) record += (record.empty() ? "" : ",") + Csv(field);
    return record + "\n";
}

void PutBinary(const char* keyPath, const char* name, const std::string& bytes) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              RegCreateKeyExA(HKEY_LOCAL_MACHINE, keyPath, 0, nullptr, 0, KEY_WRITE, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key, name, 0, REG_BINARY, reinterpret_cast<const BYTE*>(bytes.data()),
                                            static_cast<DWORD>(bytes.size())));
    RegCloseKey(key);
}

std::string HexData(const std::string& bytes) {
    std::string text = "hex:";
    char digits[4];
    for (size_t i = 0; i < bytes.size(); ++i) {
        std::snprintf(digits, sizeof digits, i == 0 ? "%02x" : ",%02x", static_cast<unsigned char>(bytes[i]));
        text += digits;
    }
    return text;
}

std::string Doubled(const std::string& path) {
    std::string doubled;
    for (char c : path) doubled += c == '\\' ? std::string("\\\\") : std::string(1, c);
    return doubled;
}

class ScrivloCompareEndToEnd : public ScrivloEndToEnd {
protected:
    // Keeps the two files of the last run in a folder of their own.
    void Keep(const std::string& side) {
        MakeFolder(m_folder + side);
        for (const char* name : {"QZScrivlo.log", "QZRegNode.reg"}) {
            ASSERT_TRUE(CopyFileA((m_folder + name).c_str(), (m_folder + side + "\\" + name).c_str(), FALSE)) << name;
        }
    }
};

// The customer's installation lies in another folder, has one file changed,
// one moved to another folder, one gone, one new and one it could not read,
// two registry values changed (besides the install folder value; one of
// them long enough to be continued over lines) and one key gone.
TEST_F(ScrivloCompareEndToEnd, FindsWhatDiffersBetweenTwoInstallations) {
    const std::string moved = "moved file";
    const std::string gone = "gone file";
    const std::string added = "new file";
    const std::string locked = "locked file";
    const std::string changed = "plugin two";  // the same size as kPlugin's content
    std::string blob(100, '\0');
    for (size_t i = 0; i < blob.size(); ++i) blob[i] = static_cast<char>(i * 37);
    std::string changedBlob = blob;
    changedBlob[70] = 'x';

    InstallProduct();
    MakeFolder(m_install + "data");
    WriteFile(m_install + "data\\moveme.dat", moved);
    WriteFile(m_install + "gone.txt", gone);
    WriteFile(m_install + "locked.dat", locked);
    PutText(kDesktopKey, "Version", "4.2");
    PutBinary(kDesktopKey, "Blob", blob);
    PutText(kPluginsKey, "First", "plugin.dll");
    ExpectCleanEnd(Run());
    Keep("reference");

    const std::string install = m_folder + "customer install\\";
    RemoveTree(m_install);
    MakeFolder(install);
    Put(install, kReadme);
    MakeFolder(install + "plugins");
    WriteFile(install + "plugins\\plugin.dll", changed);
    MakeFolder(install + "other");
    WriteFile(install + "other\\moveme.dat", moved);
    WriteFile(install + "new.txt", added);
    WriteFile(install + "locked.dat", locked);
    PutText(kInstallKey, "InstallDir", install);
    PutText(kDesktopKey, "Version", "4.3");
    PutBinary(kDesktopKey, "Blob", changedBlob);
    ASSERT_EQ(ERROR_SUCCESS, RegDeleteKeyA(HKEY_LOCAL_MACHINE, kPluginsKey));
    HANDLE lock = CreateFileA((install + "locked.dat").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, lock);
    const scrivlo_test::CTranscript customerRun = Run();
    CloseHandle(lock);
    ExpectCleanEnd(customerRun);
    Keep("customer");

    const std::string refLog = ReadFile(m_folder + "reference\\QZScrivlo.log");
    const std::string custLog = ReadFile(m_folder + "customer\\QZScrivlo.log");
    const std::string refScript = ReadFile(m_folder + "reference\\QZRegNode.reg");
    const std::string custScript = ReadFile(m_folder + "customer\\QZRegNode.reg");
    const std::string desktop = std::string(kRoot) + kDesktopKey;
    const std::string installKey = std::string(kRoot) + kInstallKey;
    const std::string size10 = std::to_string(changed.size());
    std::string expected =
        "class,item,where,path,name,ref_line,ref_path,ref_size,ref_md5,ref_data,"
        "cust_line,cust_path,cust_size,cust_md5,cust_data\n";
    expected += Record({"changed", "file", "install", "plugins\\plugin.dll", "", LineOf(refLog, " plugin.dll "),
                        m_install + "plugins\\plugin.dll", size10, kPlugin.md5, "", LineOf(custLog, " plugin.dll "),
                        install + "plugins\\plugin.dll", size10, CryptoApiMd5(changed), ""});
    expected +=
        Record({"missing", "file", "install", "gone.txt", "", LineOf(refLog, " gone.txt "), m_install + "gone.txt",
                std::to_string(gone.size()), CryptoApiMd5(gone), "", "", "", "", "", ""});
    // The key's two values in the order the script holds them.
    std::string values[2] = {
        Record({"changed", "value", "registry", "Corvalin Desktop", "\"Version\"", LineOf(refScript, "\"Version\"="),
                desktop, "", "", "\"4.2\"", LineOf(custScript, "\"Version\"="), desktop, "", "", "\"4.3\""}),
        Record({"changed", "value", "registry", "Corvalin Desktop", "\"Blob\"", LineOf(refScript, "\"Blob\"="), desktop,
                "", "", HexData(blob), LineOf(custScript, "\"Blob\"="), desktop, "", "", HexData(changedBlob)}),
    };
    if (std::stoi(LineOf(refScript, "\"Blob\"=")) < std::stoi(LineOf(refScript, "\"Version\"="))) {
        std::swap(values[0], values[1]);
    }
    expected += values[0] + values[1];
    expected += Record({"changed", "value", "registry", "Corvalin Desktop\\Maintenance\\Install", "\"InstallDir\"",
                        LineOf(refScript, "\"InstallDir\"="), installKey, "", "", "\"" + Doubled(m_install) + "\"",
                        LineOf(custScript, "\"InstallDir\"="), installKey, "", "", "\"" + Doubled(install) + "\""});
    expected += Record({"missing", "key", "registry", "Corvalin Desktop\\Plugins", "",
                        LineOf(refScript, "[" + std::string(kRoot) + kPluginsKey + "]"),
                        std::string(kRoot) + kPluginsKey, "", "", "", "", "", "", "", ""});
    expected += Record({"extra", "file", "install", "new.txt", "", "", "", "", "", "", LineOf(custLog, " new.txt "),
                        install + "new.txt", std::to_string(added.size()), CryptoApiMd5(added), ""});
    expected += Record({"moved", "file", "install", "data\\moveme.dat", "", LineOf(refLog, " moveme.dat "),
                        m_install + "data\\moveme.dat", std::to_string(moved.size()), CryptoApiMd5(moved), "",
                        LineOf(custLog, " moveme.dat "), install + "other\\moveme.dat", std::to_string(moved.size()),
                        CryptoApiMd5(moved), ""});
    expected +=
        Record({"not-comparable", "file", "install", "locked.dat", "", LineOf(refLog, " locked.dat "),
                m_install + "locked.dat", std::to_string(locked.size()), CryptoApiMd5(locked), "",
                LineOf(custLog, " locked.dat "), install + "locked.dat", std::to_string(locked.size()), "", ""});
    const CompareRun records = RunCompare(m_folder, "--format=csv reference customer");
    EXPECT_EQ(1u, records.exitCode) << records.err;
    EXPECT_EQ(expected, records.out);
    EXPECT_EQ("", records.err);

    // The report a person reads: the same differences, counted.
    const CompareRun report = RunCompare(m_folder, "reference customer");
    EXPECT_EQ(1u, report.exitCode) << report.err;
    const std::string summary =
        "Summary\n"
        "  files: 2 same, 1 changed, 1 missing, 1 extra, 1 moved, 1 not comparable\n"
        "  folder trees: 0 missing, 0 extra\n"
        "  registry keys: 4 in both, 1 missing, 0 extra\n"
        "  registry values: 0 same, 3 changed, 0 missing, 0 extra (values of missing and extra keys not counted)\n"
        "  registry records not read: 0 in the reference, 0 in the customer's, 0 without a match\n"
        "  9 differences\n";
    EXPECT_NE(std::string::npos, report.out.find(summary)) << report.out;
    EXPECT_NE(std::string::npos, report.out.find("  install tree       reference  " + m_install +
                                                 "\n"
                                                 "                     customer   " +
                                                 install + "\n"))
        << report.out;

    // An installation holds nothing that differs from itself.
    const CompareRun same = RunCompare(m_folder, "reference reference");
    EXPECT_EQ(0u, same.exitCode) << same.err;
    EXPECT_NE(std::string::npos, same.out.find("  no differences\n")) << same.out;

    // A log cut short inside its last line is refused, naming that line.
    WriteFile(m_folder + "cut.log", custLog.substr(0, custLog.size() - 2));
    const CompareRun cut = RunCompare(m_folder, "reference\\QZScrivlo.log cut.log");
    EXPECT_EQ(2u, cut.exitCode);
    EXPECT_EQ("ScrivloCompare: cut.log: line " + std::to_string(std::count(custLog.begin(), custLog.end(), '\n')) +
                  ": expected the line to end with CR LF (the file ends inside it)\n",
              cut.err);
    EXPECT_EQ("", cut.out);
}

}  // namespace
}  // namespace scrivlo_e2e
