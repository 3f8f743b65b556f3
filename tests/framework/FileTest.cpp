// CFile on real files in a temporary folder: write, seek and read back,
// positions and lengths, the failures of Open and what they report, the
// exceptions of an open file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/Framework.h"

namespace {

class FileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char szTemp[MAX_PATH];
        ASSERT_GT(GetTempPathA(MAX_PATH, szTemp), 0u);
        char szDir[MAX_PATH];
        ASSERT_NE(GetTempFileNameA(szTemp, "fwf", 0, szDir), 0u);
        DeleteFileA(szDir);
        ASSERT_TRUE(CreateDirectoryA(szDir, nullptr));
        m_dir = szDir;
    }
    void TearDown() override {
        for (const std::string& f : m_files) DeleteFileA(f.c_str());
        RemoveDirectoryA(m_dir.c_str());
    }
    std::string Path(const char* name) {
        m_files.push_back(m_dir + "\\" + name);
        return m_files.back();
    }
    std::string m_dir;
    std::vector<std::string> m_files;
};

TEST_F(FileTest, WriteSeekReadRoundTrip) {
    const std::string path = Path("round.bin");
    std::vector<unsigned char> data(70000);
    for (size_t i = 0; i < data.size(); ++i) data[i] = static_cast<unsigned char>(i * 7 + (i >> 8));

    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeReadWrite));
    EXPECT_STREQ(f.GetFilePath(), path.c_str());
    f.Write(data.data(), static_cast<UINT>(data.size()));
    EXPECT_EQ(f.GetPosition(), data.size());
    EXPECT_EQ(f.GetLength(), data.size());

    struct Step {
        LONGLONG offset;
        UINT from;
        ULONGLONG expectedPosition;
    };
    const Step steps[] = {
        {0, CFile::begin, 0},
        {1000, CFile::begin, 1000},
        {-10, CFile::current, 990},
        {-5, CFile::end, data.size() - 5},
        {100, CFile::end, data.size() + 100},  // past the end is allowed
    };
    for (const Step& s : steps)
        EXPECT_EQ(f.Seek(s.offset, s.from), s.expectedPosition) << "offset " << s.offset << " from " << s.from;

    // Reads from a position, short at the end, 0 past it.
    f.Seek(990, CFile::begin);
    unsigned char buf[16];
    ASSERT_EQ(f.Read(buf, sizeof buf), sizeof buf);
    EXPECT_EQ(std::vector<unsigned char>(buf, buf + 16), std::vector<unsigned char>(&data[990], &data[1006]));
    EXPECT_EQ(f.GetPosition(), 1006u);
    f.Seek(-3, CFile::end);
    EXPECT_EQ(f.Read(buf, sizeof buf), 3u);
    EXPECT_EQ(f.Read(buf, sizeof buf), 0u);
    f.Close();
    EXPECT_FALSE(f.IsOpen());

    // Reopened for reading: the whole content, unchanged.
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));
    std::vector<unsigned char> back(data.size() + 10);
    EXPECT_EQ(f.Read(back.data(), static_cast<UINT>(back.size())), data.size());
    back.resize(data.size());
    EXPECT_TRUE(back == data);
}

TEST_F(FileTest, CreateTruncatesUnlessToldNotTo) {
    const std::string path = Path("trunc.txt");
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        f.Write("0123456789", 10);
    }
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeNoTruncate | CFile::modeReadWrite));
        EXPECT_EQ(f.GetLength(), 10u);
        f.SeekToEnd();
        f.Write("ab", 2);
        EXPECT_EQ(f.GetLength(), 12u);
    }
    {
        CFile f;
        ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
        EXPECT_EQ(f.GetLength(), 0u);
    }
}

TEST_F(FileTest, OpenFailuresReportCauseAndSystemError) {
    const std::string existing = Path("held.txt");
    CFile holder;
    ASSERT_TRUE(holder.Open(existing.c_str(), CFile::modeCreate | CFile::modeWrite | CFile::shareExclusive));

    struct Case {
        const char* context;
        std::string path;
        UINT flags;
        int cause;
        DWORD osError;
    };
    const Case cases[] = {
        {"missing file", m_dir + "\\absent.txt", CFile::modeRead, CFileException::fileNotFound, ERROR_FILE_NOT_FOUND},
        {"missing folder", m_dir + "\\no\\such\\x.txt", CFile::modeCreate | CFile::modeWrite,
         CFileException::fileNotFound, ERROR_PATH_NOT_FOUND},
        {"held exclusively", existing, CFile::modeRead, CFileException::accessDenied, ERROR_SHARING_VIOLATION},
        {"bad access bits", existing, 3, CFileException::genericException, ERROR_INVALID_PARAMETER},
    };
    for (const Case& c : cases) {
        CFile f;
        CFileException e(CFileException::diskFull, 999);  // overwritten by Open
        EXPECT_FALSE(f.Open(c.path.c_str(), c.flags, &e)) << c.context;
        EXPECT_FALSE(f.IsOpen()) << c.context;
        EXPECT_EQ(e.m_cause, c.cause) << c.context;
        EXPECT_EQ(e.m_lOsError, c.osError) << c.context;
        EXPECT_EQ(e.m_cause, FileCauseFromSystemError(e.m_lOsError)) << c.context << ": cause follows the error";
        EXPECT_FALSE(f.Open(c.path.c_str(), c.flags)) << c.context << " (without an exception object)";
    }
    CFileException e;
    EXPECT_FALSE(CFile().Open(nullptr, CFile::modeRead, &e));
    EXPECT_EQ(e.m_cause, CFileException::fileNotFound);

    // A successful Open clears what a failed one left.
    CFile f;
    CFileException after(CFileException::badSeek, 5);
    holder.Close();
    EXPECT_TRUE(f.Open(existing.c_str(), CFile::modeRead, &after));
    EXPECT_EQ(after.m_cause, CFileException::none);
}

TEST_F(FileTest, OpenFileErrorsThrow) {
    const std::string path = Path("ro.txt");
    CFile f;
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeCreate | CFile::modeWrite));
    f.Write("xyz", 3);
    f.Close();
    ASSERT_TRUE(f.Open(path.c_str(), CFile::modeRead));

    int cause = CFileException::none;
    try {
        f.Seek(-1, CFile::begin);
    } catch (const CFileException& e) {
        cause = e.m_cause;
    }
    EXPECT_EQ(cause, CFileException::badSeek) << "before the start";
    EXPECT_EQ(f.GetPosition(), 0u) << "the failed seek did not move";

    cause = CFileException::none;
    try {
        f.Write("a", 1);  // opened for reading only
    } catch (const CFileException& e) {
        cause = e.m_cause;
    }
    EXPECT_EQ(cause, CFileException::accessDenied);

    f.Close();
    cause = CFileException::none;
    char c;
    try {
        f.Read(&c, 1);
    } catch (const CFileException& e) {
        cause = e.m_cause;
    }
    EXPECT_EQ(cause, CFileException::genericException) << "a closed file";
}

}  // namespace
