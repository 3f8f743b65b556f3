// The registry script read back by the platform's own importer: a branch with
// values of every type, emptied and rebuilt from QZRegNode.reg, must hold the
// same values, type and data byte for byte, as before.
//
// Known difference: a version 5.00 script gives the data of hex(1), hex(2)
// and hex(7) as UTF-16 bytes, and the registry editor of Windows reads them so
// whatever the file's encoding; Wine's importer reads them as code page text
// when the file is 8-bit. The case therefore imports the script's lines as
// UTF-16 text, which is the same script to the Windows importer.
#include <windows.h>

#include <shlwapi.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

#include "tests/app/EndToEnd.h"

namespace scrivlo_e2e {
namespace {

using Bytes = std::vector<unsigned char>;

Bytes WideBytes(const std::wstring& text, bool withZero = true) {
    const auto* begin = reinterpret_cast<const unsigned char*>(text.data());
    Bytes bytes(begin, begin + text.size() * sizeof(wchar_t));
    if (withZero) bytes.insert(bytes.end(), {0, 0});
    return bytes;
}

void Set(HKEY key, const std::wstring& name, DWORD type, const Bytes& data) {
    ASSERT_EQ(ERROR_SUCCESS, RegSetValueExW(key, name.c_str(), 0, type, data.empty() ? nullptr : data.data(),
                                            static_cast<DWORD>(data.size())))
        << "value " << name.size();
}

std::string Hex(const unsigned char* data, size_t size) {
    std::string text;
    char digits[4];
    for (size_t i = 0; i < size; ++i) {
        std::snprintf(digits, sizeof digits, "%02x", data[i]);
        text += digits;
    }
    return text;
}

// Every key and value below path, one line each, in enumeration order:
// key path, then each value's name (as UTF-16 bytes), type and data bytes.
void ReadBranch(const std::wstring& path, std::vector<std::string>* lines) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
        lines->push_back("missing key " + Hex(reinterpret_cast<const unsigned char*>(path.data()), path.size() * 2));
        return;
    }
    lines->push_back("key " + Hex(reinterpret_cast<const unsigned char*>(path.data()), path.size() * 2));
    std::vector<wchar_t> name(16384);
    std::vector<unsigned char> data(1 << 16);
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        DWORD size = static_cast<DWORD>(data.size());
        DWORD type = 0;
        if (RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
            break;
        lines->push_back("  value " + Hex(reinterpret_cast<const unsigned char*>(name.data()), nameLength * 2) +
                         " type " + std::to_string(type) + " data " + Hex(data.data(), size));
    }
    std::vector<std::wstring> subkeys;
    for (DWORD index = 0;; ++index) {
        DWORD nameLength = static_cast<DWORD>(name.size());
        if (RegEnumKeyExW(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        subkeys.emplace_back(name.data(), nameLength);
    }
    RegCloseKey(key);
    for (const std::wstring& subkey : subkeys) ReadBranch(path + L"\\" + subkey, lines);
}

TEST_F(ScrivloEndToEnd, ImportingTheScriptRebuildsTheBranchValueForValue) {
    DeleteValue(kCurrentVersionKey, "CommonFilesDir");
    const std::wstring branch = L"SOFTWARE\\Corvalin";
    HKEY root = CreateWideKey(branch);
    ASSERT_NE(nullptr, root);
    Bytes binary;
    for (int i = 0; i < 256; ++i) binary.push_back(static_cast<unsigned char>(i));
    Bytes large;
    for (int i = 0; i < 5000; ++i) large.push_back(static_cast<unsigned char>(i * 7));
    Set(root, L"", REG_SZ, WideBytes(L"C:\\Program Files\\Corvalin\\"));
    Set(root, L"quote\"d \\name\\", REG_SZ, WideBytes(L"say \"hi\" to C:\\x\\"));
    Set(root, L"empty", REG_SZ, Bytes{});
    Set(root, L"empty text", REG_SZ, WideBytes(L""));
    Set(root, L"no terminator", REG_SZ, WideBytes(L"abc", false));
    Set(root, L"zero inside", REG_SZ, WideBytes(std::wstring(L"a\0b", 3)));
    Set(root, L"line break", REG_SZ, WideBytes(L"one\r\ntwo"));
    Set(root, L"cyrillic", REG_SZ, WideBytes(L"\x041A\x043B\x044E\x0447"));
    Set(root, L"caf\x00E9", REG_SZ, WideBytes(L"cr\x00E8me"));
    Set(root, L"long text", REG_SZ, WideBytes(std::wstring(3000, L'x')));
    Set(root, L"expand", REG_EXPAND_SZ, WideBytes(L"%ProgramFiles%\\Corvalin"));
    Set(root, L"multi", REG_MULTI_SZ, WideBytes(std::wstring(L"a\0\0b\0", 5)));
    Set(root, L"binary", REG_BINARY, binary);
    Set(root, L"large binary", REG_BINARY, large);
    Set(root, L"empty binary", REG_BINARY, Bytes{});
    Set(root, L"dword", REG_DWORD, Bytes{0xEF, 0xBE, 0xAD, 0xDE});
    Set(root, L"short dword", REG_DWORD, Bytes{0x34, 0x12});
    Set(root, L"qword", REG_QWORD, Bytes{1, 2, 3, 4, 5, 6, 7, 8});
    Set(root, L"none", REG_NONE, Bytes{9, 8, 7});
    Set(root, L"big endian", REG_DWORD_BIG_ENDIAN, Bytes{0, 0, 1, 2});
    Set(root, L"link", REG_LINK, WideBytes(L"\\Registry\\Machine", false));
    Set(root, L"resources", REG_RESOURCE_LIST, Bytes{1, 0, 0, 0});
    Set(root, L"own type", 0x4242, Bytes{0x42});
    RegCloseKey(root);
    HKEY sub = CreateWideKey(branch + L"\\Sub");
    Set(sub, L"v", REG_DWORD, Bytes{1, 0, 0, 0});
    RegCloseKey(sub);
    HKEY deeper = CreateWideKey(branch + L"\\Sub\\Deeper \"quoted\"");
    Set(deeper, L"x", REG_SZ, WideBytes(L"deep"));
    RegCloseKey(deeper);
    RegCloseKey(CreateWideKey(branch + L"\\Empty"));

    std::vector<std::string> before;
    ReadBranch(branch, &before);
    const std::vector<std::string> boxes = BoxLines(Run());
    ASSERT_FALSE(boxes.empty());
    EXPECT_EQ("box: Success! | Log file successfully created!", boxes.back());

    SHDeleteKeyA(HKEY_LOCAL_MACHINE, kProductKey);
    const std::string script = ReadFile(m_folder + "QZRegNode.reg");
    ASSERT_EQ(0u, script.find("Windows Registry Editor Version 5.00\r\n"));
    std::wstring wide(script.size(), L'\0');
    wide.resize(static_cast<size_t>(MultiByteToWideChar(CP_ACP, 0, script.data(), static_cast<int>(script.size()),
                                                        &wide[0], static_cast<int>(wide.size()))));
    std::string utf16 = "\xFF\xFE";
    utf16.append(reinterpret_cast<const char*>(wide.data()), wide.size() * sizeof(wchar_t));
    WriteFile(m_folder + "QZRegNode-utf16.reg", utf16);
    char system[MAX_PATH] = {};
    GetSystemDirectoryA(system, MAX_PATH);
    scrivlo_test::CChildProcess reg;
    ASSERT_TRUE(
        reg.Start(std::string(system) + "\\reg.exe", "import \"" + m_folder + "QZRegNode-utf16.reg\"", m_folder))
        << reg.LastError();
    DWORD status = 1;
    ASSERT_TRUE(reg.WaitForExit(60000, &status));
    EXPECT_EQ(0u, status) << "reg import";
    std::vector<std::string> after;
    ReadBranch(branch, &after);
    EXPECT_EQ(before.size(), after.size());
    for (size_t i = 0; i < before.size() && i < after.size(); ++i) {
        EXPECT_EQ(before[i].substr(0, 300), after[i].substr(0, 300)) << "line " << i;
        EXPECT_EQ(before[i], after[i]) << "line " << i << " (in full)";
    }
}

}  // namespace
}  // namespace scrivlo_e2e
