// The digest against RFC 1321's test suite and against digests of generated
// files computed once with md5sum (not with this code).
#include "diagnostics/Md5.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#ifdef _WIN32
#include <direct.h>
#else
#include <sys/stat.h>
#endif

namespace {

std::string DigestOf(const std::string& message) {
    Md5Context context;
    Md5Init(&context);
    Md5Update(&context, reinterpret_cast<const unsigned char*>(message.data()), static_cast<uint32_t>(message.size()));
    unsigned char digest[16];
    Md5Final(digest, &context);
    char text[33];
    for (size_t i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02x", digest[i]);
    return text;
}

TEST(Md5, Rfc1321TestSuite) {
    const struct {
        const char* message;
        const char* digest;
    } cases[] = {
        {"", "d41d8cd98f00b204e9800998ecf8427e"},
        {"a", "0cc175b9c0f1b6a831c399e269772661"},
        {"abc", "900150983cd24fb0d6963f7d28e17f72"},
        {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
        {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
        {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
        {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
         "57edf4a22be3c955ac49da2e2107b67a"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(DigestOf(c.message), c.digest) << "message \"" << c.message << "\"";
    }
}

TEST(Md5, SplittingTheInputAnywhereGivesTheSameDigest) {
    const std::string message =
        "12345678901234567890123456789012345678901234567890123456789012345678901234567890"
        "The quick brown fox jumps over the lazy dog, 0123456789 times over.";
    const std::string whole = DigestOf(message);
    for (size_t cut1 = 0; cut1 <= message.size(); cut1 += 7) {
        for (size_t cut2 = cut1; cut2 <= message.size(); cut2 += 13) {
            Md5Context context;
            Md5Init(&context);
            const auto* bytes = reinterpret_cast<const unsigned char*>(message.data());
            Md5Update(&context, bytes, static_cast<uint32_t>(cut1));
            Md5Update(&context, bytes + cut1, static_cast<uint32_t>(cut2 - cut1));
            Md5Update(&context, bytes + cut2, 0);
            Md5Update(&context, bytes + cut2, static_cast<uint32_t>(message.size() - cut2));
            unsigned char digest[16];
            Md5Final(digest, &context);
            char text[33];
            for (size_t i = 0; i < 16; ++i) std::snprintf(text + 2 * i, 3, "%02x", digest[i]);
            ASSERT_EQ(whole, text) << "cuts at " << cut1 << " and " << cut2;
        }
    }
}

TEST(Md5, FinalWipesTheContext) {
    Md5Context context;
    Md5Init(&context);
    Md5Update(&context, reinterpret_cast<const unsigned char*>("secret"), 6);
    unsigned char digest[16];
    Md5Final(digest, &context);
    const Md5Context zero{};
    EXPECT_EQ(0, std::memcmp(&context, &zero, sizeof context));
}

// The same generator wrote the files whose digests md5sum gave below.
std::vector<unsigned char> GeneratedContent(size_t size) {
    std::vector<unsigned char> bytes(size);
    uint32_t x = 12345;
    for (size_t i = 0; i < size; ++i) {
        x = x * 1103515245u + 12345u;
        bytes[i] = static_cast<unsigned char>(x >> 16);
    }
    return bytes;
}

class Md5File : public ::testing::Test {
protected:
    void TearDown() override {
        for (const auto& path : created_) std::remove(path.c_str());
    }
    std::string Write(const std::string& name, const std::vector<unsigned char>& bytes) {
        FILE* file = std::fopen(name.c_str(), "wb");
        EXPECT_NE(nullptr, file) << name;
        if (file) {
            if (!bytes.empty()) std::fwrite(bytes.data(), 1, bytes.size(), file);
            std::fclose(file);
        }
        created_.push_back(name);
        return name;
    }
    std::vector<std::string> created_;
};

TEST_F(Md5File, BlockAndPaddingBoundariesAndReadBufferBoundaries) {
    const struct {
        size_t size;
        const char* md5sum;
    } cases[] = {
        {0, "d41d8cd98f00b204e9800998ecf8427e"},      {55, "bb09419b848287c91a532eb1efc8628f"},
        {56, "8b3b8f957492230196b773f3dc29e52a"},     {63, "0ffbbcff213794129c9133ec2c051894"},
        {64, "9b7de4df9a621b460e55a1bd91d5d128"},     {65, "df6bf98a0af8fd63ee9bc0e35a6928af"},
        {32767, "3c774173dfafad2f68b3edf0c2cacbd6"},  {32768, "cb878838115e82518e1d94b1ffd9c6dd"},
        {32769, "36304e39b7ff2ce20bf7f322c7f531ae"},  {65536, "07ba990ebda712e3fa2ccc475c75f183"},
        {100003, "c215937cb23828be242a6388f4c3b85c"}, {1048589, "bb1e9b13846457518596d4a5701aceb5"},
    };
    for (const auto& c : cases) {
        const std::string path = Write("md5_test_" + std::to_string(c.size) + ".bin", GeneratedContent(c.size));
        char text[kMd5TextCapacity];
        std::memset(text, '#', sizeof text);
        ASSERT_EQ(1, ComputeFileMd5(text, path.c_str())) << c.size << " bytes";
        EXPECT_STREQ(c.md5sum, text) << c.size << " bytes";
        EXPECT_EQ('#', text[33]) << "nothing written past the terminating zero";
    }
}

TEST_F(Md5File, FileThatCannotBeOpenedLeavesTheBufferUntouched) {
    char text[kMd5TextCapacity];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(0, ComputeFileMd5(text, "md5_test_no_such_file.bin"));
    for (char c : text) ASSERT_EQ('x', c);
}

// A directory opens as a stream on some C runtimes and then fails on the
// first read; on others it does not open at all. Either way the result is 0
// and the buffer stays as it was: a partial digest is never reported.
TEST_F(Md5File, StreamThatFailsToReadIsReportedUnreadable) {
#ifdef _WIN32
    _mkdir("md5_test_dir");
#else
    mkdir("md5_test_dir", 0755);
#endif
    char text[kMd5TextCapacity];
    std::memset(text, 'x', sizeof text);
    EXPECT_EQ(0, ComputeFileMd5(text, "md5_test_dir"));
    for (char c : text) ASSERT_EQ('x', c);
#ifdef _WIN32
    _rmdir("md5_test_dir");
#else
    rmdir("md5_test_dir");
#endif
}

}  // namespace
