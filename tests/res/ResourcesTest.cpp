// The program's resources as the module carries them: the main dialog's
// template byte for byte, the string table word for word, the icon group's
// images and the version information.
#include "res/resource.h"
#include "tests/support/TemplateBytes.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace {

using scrivlo_test::CTemplateBytes;

std::vector<uint8_t> ResourceBytes(LPCSTR type, int id) {
    HMODULE module = GetModuleHandleA(nullptr);
    HRSRC info = FindResourceA(module, MAKEINTRESOURCEA(id), type);
    if (!info) return {};
    HGLOBAL data = LoadResource(module, info);
    const auto* bytes = static_cast<const uint8_t*>(LockResource(data));
    return std::vector<uint8_t>(bytes, bytes + SizeofResource(module, info));
}

TEST(Resources, MainDialogTemplateIsTheExtendedFormByteForByte) {
    // Built the way the dialog manager reads it, independently of the
    // resource compiler.
    CTemplateBytes w;
    // clang-format off
    w.Word(1);                 // dlgVer
    w.Word(0xFFFF);            // signature of the extended form
    w.Dword(0);                // helpID
    w.Dword(0x00040000);       // WS_EX_APPWINDOW
    w.Dword(0x90080848);       // WS_POPUP | WS_VISIBLE | WS_SYSMENU | DS_CENTER | DS_SETFONT | DS_FIXEDSYS
    w.Word(1);                 // one control
    w.Word(0); w.Word(0); w.Word(320); w.Word(201);
    w.Word(0);                 // no menu
    w.Word(0);                 // no class
    w.Word(0);                 // empty caption
    w.Word(8);                 // points
    w.Word(400);               // weight: normal
    {
        w.Byte(0);  // not italic
        w.Byte(1);  // character set 1
    }
    w.Text("MS Shell Dlg");
    w.AlignDword();
    w.Dword(0);                // helpID
    w.Dword(0);                // exStyle
    w.Dword(0x50020201);       // WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER | SS_CENTERIMAGE
    w.Word(7); w.Word(88); w.Word(306); w.Word(15);
    w.Dword(IDC_STATUS);
    w.Word(0xFFFF); w.Word(0x0082);  // the predefined static class
    w.Word(0);                 // empty text
    w.Word(0);                 // no creation data
    // clang-format on

    const std::vector<uint8_t> actual = ResourceBytes(MAKEINTRESOURCEA(5) /* RT_DIALOG */, IDD_MAIN_DIALOG);
    ASSERT_FALSE(actual.empty());
    ASSERT_EQ(w.bytes.size(), actual.size());
    for (size_t i = 0; i < actual.size(); ++i) {
        ASSERT_EQ(w.bytes[i], actual[i]) << "byte " << i;
    }
}

TEST(Resources, StringTableWordForWord) {
    const std::pair<UINT, const char*> table[] = {
        {101, "Error locating path!"},
        {102, "Error reading the registry!"},
        {103, "Error opening the registry!"},
        {104, "Error creating log file!"},
        {105, "Log file successfully created!"},
        {106, "Error!"},
        {107, "Success!"},
        {108, "no files found"},
        {109, "Target Directory :"},
        {110, "&About Scrivlo..."},
        {111, "Corvalin Scrivlo Tool"},
        {112, "Creating log, please wait..."},
        {113, "Registry file successfully created!"},
        {114, "Error creating registry file!"},
        {115, "Creating registry file, please wait..."},
    };
    for (const auto& [id, text] : table) {
        char buffer[256] = {};
        LoadStringA(GetModuleHandleA(nullptr), id, buffer, sizeof buffer);
        EXPECT_STREQ(text, buffer) << "string " << id;
    }
    EXPECT_EQ(IDS_STATUS_CREATING_REG, 115);
    EXPECT_EQ(IDS_ERROR_LOCATING_PATH, 101);
}

#pragma pack(push, 2)
struct GroupIconEntry {
    BYTE width, height, colorCount, reserved;
    WORD planes, bitCount;
    DWORD bytesInRes;
    WORD id;
};
#pragma pack(pop)

TEST(Resources, IconGroupHoldsTheSixImages) {
    const std::vector<uint8_t> group = ResourceBytes(MAKEINTRESOURCEA(14) /* RT_GROUP_ICON */, IDR_MAINFRAME);
    ASSERT_GE(group.size(), 6u);
    const uint16_t count = uint16_t(group[4] | group[5] << 8);
    ASSERT_EQ(6, count);
    ASSERT_EQ(6u + count * sizeof(GroupIconEntry), group.size());
    std::set<std::tuple<int, int, int>> images;
    for (int i = 0; i < count; ++i) {
        GroupIconEntry entry;
        std::memcpy(&entry, group.data() + 6 + i * sizeof entry, sizeof entry);
        images.insert({entry.width, entry.height, entry.bitCount});
        // Each image is a DIB whose header agrees with the directory.
        const std::vector<uint8_t> image = ResourceBytes(MAKEINTRESOURCEA(3) /* RT_ICON */, entry.id);
        ASSERT_EQ(entry.bytesInRes, image.size());
        BITMAPINFOHEADER header;
        std::memcpy(&header, image.data(), sizeof header);
        EXPECT_EQ(40u, header.biSize);
        EXPECT_EQ(entry.width, header.biWidth);
        EXPECT_EQ(entry.height * 2, header.biHeight);
        EXPECT_EQ(entry.bitCount, header.biBitCount);
    }
    const std::set<std::tuple<int, int, int>> expected = {{16, 16, 8},  {16, 16, 32}, {32, 32, 8},
                                                          {32, 32, 24}, {48, 48, 8},  {48, 48, 32}};
    EXPECT_EQ(expected, images);

    for (int size : {16, 32, 48}) {
        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        EXPECT_NE(nullptr, icon) << size;
        if (icon) DestroyIcon(icon);
    }
}

TEST(Resources, VersionInformation) {
    char path[MAX_PATH];
    GetModuleFileNameA(nullptr, path, MAX_PATH);
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeA(path, &handle);
    ASSERT_NE(0u, size);
    std::vector<char> info(size);
    ASSERT_TRUE(GetFileVersionInfoA(path, 0, size, info.data()));

    VS_FIXEDFILEINFO* fixed = nullptr;
    UINT length = 0;
    ASSERT_TRUE(VerQueryValueA(info.data(), "\\", reinterpret_cast<void**>(&fixed), &length));
    EXPECT_EQ(0x00010000u, fixed->dwFileVersionMS);
    EXPECT_EQ(0x00000003u, fixed->dwFileVersionLS);
    EXPECT_EQ(0x00010000u, fixed->dwProductVersionMS);
    EXPECT_EQ(0x00000003u, fixed->dwProductVersionLS);

    const std::pair<const char*, const char*> strings[] = {
        {"FileVersion", "1, 0, 0, 3"},       {"ProductVersion", "1, 0, 0, 3"}, {"InternalName", "Scrivlo.exe"},
        {"OriginalFilename", "Scrivlo.exe"}, {"ProductName", "Scrivlo"},
    };
    for (const auto& [name, value] : strings) {
        char* text = nullptr;
        const std::string query = std::string("\\StringFileInfo\\040904e4\\") + name;
        ASSERT_TRUE(VerQueryValueA(info.data(), query.c_str(), reinterpret_cast<void**>(&text), &length)) << name;
        EXPECT_STREQ(value, text) << name;
    }
    WORD* translation = nullptr;
    ASSERT_TRUE(
        VerQueryValueA(info.data(), "\\VarFileInfo\\Translation", reinterpret_cast<void**>(&translation), &length));
    ASSERT_EQ(4u, length);
    EXPECT_EQ(0x0409, translation[0]);
    EXPECT_EQ(1252, translation[1]);
}

// The application manifest: run as the invoking user, the Windows versions
// it is made for (Vista to 11, so no compatibility shims apply), system DPI
// awareness, and no themed common controls. The run's own module is the
// program's resources' module.
TEST(Resources, ManifestAsInvokerSupportedSystemsAndSystemDpiAwareness) {
    const std::vector<uint8_t> bytes = ResourceBytes(MAKEINTRESOURCEA(24), 1);  // RT_MANIFEST, for the process
    ASSERT_FALSE(bytes.empty()) << "no manifest resource";
    const std::string manifest(bytes.begin(), bytes.end());
    const char* const wanted[] = {
        "<requestedExecutionLevel level=\"asInvoker\" uiAccess=\"false\"/>",
        "<supportedOS Id=\"{e2011457-1546-43c5-a5fe-008deee3d3f0}\"/>",  // Vista
        "<supportedOS Id=\"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}\"/>",  // 7
        "<supportedOS Id=\"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}\"/>",  // 8
        "<supportedOS Id=\"{1f676c76-80e1-4239-95bb-83d0f6d0da78}\"/>",  // 8.1
        "<supportedOS Id=\"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}\"/>",  // 10 and 11
        "<dpiAware xmlns=\"http://schemas.microsoft.com/SMI/2005/WindowsSettings\">true</dpiAware>",
        "version=\"1.0.0.3\"",
    };
    for (const char* element : wanted) EXPECT_NE(std::string::npos, manifest.find(element)) << element;
    EXPECT_EQ(std::string::npos, manifest.find("<dependency")) << "no dependency, the themed controls least of all";
    const bool is64 = sizeof(void*) == 8;
    EXPECT_NE(std::string::npos,
              manifest.find(is64 ? "processorArchitecture=\"amd64\"" : "processorArchitecture=\"x86\""));
}

}  // namespace
