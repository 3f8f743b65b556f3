// Scrivlo.exe with files beyond 2 GiB: the size column is the low 32 bits of
// the size as a signed number, and the digest covers every byte. The files
// are sparse (a length set with SetEndOfFile), so they take no disk space,
// but the program reads them whole.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <iostream>
#include <string>

#include "tests/app/EndToEnd.h"

namespace scrivlo_e2e {
namespace {

using scrivlo_test::CTranscript;

LONGLONG SizeOf(const std::string& path) {
    WIN32_FILE_ATTRIBUTE_DATA data = {};
    if (!GetFileAttributesExA(path.c_str(), GetFileExInfoStandard, &data)) return -1;
    return (static_cast<LONGLONG>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
}

struct LargeFile {
    const char* name;
    LONGLONG size;
    int listed;       // the size column
    const char* md5;  // of that many zero bytes
};

// head -c 3000000000 /dev/zero | md5sum
const LargeFile kThreeBillion = {"three_billion.bin", 3000000000LL, -1294967296, "560cc3b4e982943f7c5e84f80d17f32f"};
// head -c 4294967296 /dev/zero | md5sum
const LargeFile kFourGib = {"four_gib.bin", 4294967296LL, 0, "c9a5a6878d97b48cc965c1e41859f034"};

static_assert(3000000000LL - 4294967296LL == -1294967296LL, "the listed size is the size less 2^32");

class ScrivloLargeFile : public ScrivloEndToEnd {
protected:
    void RunWith(const LargeFile& file) {
        MakeFolder(m_common);
        MakeFolder(m_shared);
        MakeFolder(m_install);
        PutText(kCurrentVersionKey, "CommonFilesDir", m_common);
        PutText(kInstallKey, "InstallDir", m_install);
        const std::string path = m_install + file.name;
        ASSERT_TRUE(MakeSparseFile(path, file.size)) << GetLastError();
        ASSERT_EQ(file.size, SizeOf(path));

        const DWORD start = GetTickCount();
        const CTranscript transcript = Run();
        std::cout << file.name << ": the run took " << GetTickCount() - start << " ms" << std::endl;
        DeleteFileA(path.c_str());
        ExpectTranscript(transcript, kEverythingPresent);

        ExpectedLog log;
        log.Section(m_shared);
        log.NoFiles();
        log.Section(m_install);
        log.File(file.md5, file.name, file.listed);
        EXPECT_EQ(log.text, ReadFile(m_folder + "QZScrivlo.log"));
        EXPECT_EQ(ExpectedProductScript(), ReadFile(m_folder + "QZRegNode.reg"));
    }
};

TEST_F(ScrivloLargeFile, ThreeBillionBytesAreListedWithANegativeSize) { RunWith(kThreeBillion); }

TEST_F(ScrivloLargeFile, FourGibAreListedWithSizeZero) { RunWith(kFourGib); }

}  // namespace
}  // namespace scrivlo_e2e
