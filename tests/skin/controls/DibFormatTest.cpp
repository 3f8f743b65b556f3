// The BMP core on its own: header byte layout, row arithmetic, the checks
// that refuse malformed files before anything is allocated, reading from a
// position inside a larger stream, and the file that Write produces.
#include "skin/controls/DibFormat.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <vector>

namespace {

using Bytes = std::vector<unsigned char>;

void Put16(Bytes& b, size_t at, uint32_t v) {
    b[at] = static_cast<unsigned char>(v);
    b[at + 1] = static_cast<unsigned char>(v >> 8);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

struct BmpLayout {
    int32_t width = 3;
    int32_t height = 2;
    uint16_t bitCount = 24;
    uint32_t compression = 0;
    uint32_t clrUsed = 0;
    uint32_t sizeImage = 0;
    uint32_t tableEntries = 0;
};

// A BMP built by hand, byte by byte: header fields at their fixed offsets,
// table entry i = (i, i+1, i+2, 0), pixel byte k = 0x40 + k.
Bytes MakeBmp(const BmpLayout& s, uint32_t pixelBytes) {
    const uint32_t offset = 14 + 40 + 4 * s.tableEntries;
    Bytes b(offset + pixelBytes, 0);
    b[0] = 'B';
    b[1] = 'M';
    Put32(b, 2, static_cast<uint32_t>(b.size()));
    Put32(b, 10, offset);
    Put32(b, 14, 40);
    Put32(b, 18, static_cast<uint32_t>(s.width));
    Put32(b, 22, static_cast<uint32_t>(s.height));
    Put16(b, 26, 1);
    Put16(b, 28, s.bitCount);
    Put32(b, 30, s.compression);
    Put32(b, 34, s.sizeImage);
    Put32(b, 46, s.clrUsed);
    for (uint32_t i = 0; i < s.tableEntries; ++i) {
        b[54 + 4 * i] = static_cast<unsigned char>(i);
        b[55 + 4 * i] = static_cast<unsigned char>(i + 1);
        b[56 + 4 * i] = static_cast<unsigned char>(i + 2);
    }
    for (uint32_t k = 0; k < pixelBytes; ++k) b[offset + k] = static_cast<unsigned char>(0x40 + k);
    return b;
}

class MemorySource : public DibByteSource {
public:
    explicit MemorySource(Bytes data, uint64_t start = 0) : m_data(std::move(data)), m_pos(start) {}
    uint32_t Read(void* buffer, uint32_t count) override {
        const uint64_t left = m_pos < m_data.size() ? m_data.size() - m_pos : 0;
        const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(count, left));
        if (n) std::memcpy(buffer, m_data.data() + m_pos, n);
        m_pos += n;
        ++m_reads;
        return n;
    }
    uint64_t GetPosition() override { return m_pos; }
    void SeekTo(uint64_t position) override { m_pos = position; }
    uint64_t GetLength() override { return m_lengthOverride ? m_lengthOverride : m_data.size(); }

    Bytes m_data;
    uint64_t m_pos;
    uint64_t m_lengthOverride = 0;  // a length that claims more than Read delivers
    int m_reads = 0;
};

class MemorySink : public DibByteSink {
public:
    void Write(const void* buffer, uint32_t count) override {
        const auto* p = static_cast<const unsigned char*>(buffer);
        m_data.insert(m_data.end(), p, p + count);
    }
    Bytes m_data;
};

uint32_t Field32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}

TEST(DibFormat, HeadersDecodeLittleEndianFieldsAndEncodeBack) {
    BmpLayout s;
    s.width = -5;
    s.height = -70000;
    s.bitCount = 8;
    s.compression = kDibRle8;
    s.clrUsed = 0x01020304;
    s.sizeImage = 0xA0B0C0D0;
    Bytes b = MakeBmp(s, 4);
    const DibFileHeader f = DibDecodeFileHeader(b.data());
    EXPECT_EQ(0x4D42, f.bfType);
    EXPECT_EQ(b.size(), f.bfSize);
    EXPECT_EQ(54u, f.bfOffBits);
    const DibInfoHeader h = DibDecodeInfoHeader(b.data() + 14);
    EXPECT_EQ(40u, h.biSize);
    EXPECT_EQ(-5, h.biWidth);
    EXPECT_EQ(-70000, h.biHeight);
    EXPECT_EQ(1, h.biPlanes);
    EXPECT_EQ(8, h.biBitCount);
    EXPECT_EQ(kDibRle8, h.biCompression);
    EXPECT_EQ(0xA0B0C0D0u, h.biSizeImage);
    EXPECT_EQ(0x01020304u, h.biClrUsed);

    unsigned char again[54];
    DibEncodeFileHeader(f, again);
    DibEncodeInfoHeader(h, again + 14);
    EXPECT_EQ(0, std::memcmp(again, b.data(), 54));
}

TEST(DibFormat, RowArithmetic) {
    const struct {
        int32_t width;
        uint16_t bits;
        uint64_t stride, packed;
    } cases[] = {
        {1, 1, 4, 1},     {32, 1, 4, 4},    {33, 1, 8, 5},
        {13, 1, 4, 2},    {9, 4, 8, 5},     {8, 4, 4, 4},
        {11, 8, 12, 11},  {12, 8, 12, 12},  {7, 24, 24, 21},
        {11, 24, 36, 33}, {11, 32, 44, 44}, {5, 16, 12, 10},
        {-7, 24, 24, 21}, {0, 24, 0, 0},    {INT32_MIN, 32, 8589934592ull, 8589934592ull},  // |width| does not overflow
    };
    for (const auto& c : cases) {
        DibInfoHeader h{};
        h.biWidth = c.width;
        h.biBitCount = c.bits;
        EXPECT_EQ(c.stride, DibStride(h)) << c.width << " x " << c.bits << " bpp";
        EXPECT_EQ(c.packed, DibPackedRowSize(h)) << c.width << " x " << c.bits << " bpp";
    }
}

TEST(DibFormat, ColorCountPaletteSizeAndTableEntriesWritten) {
    const struct {
        uint16_t bits;
        uint32_t compression, clrUsed, colors, palette, written;
    } cases[] = {
        {1, 0, 0, 2, 2, 2},           {4, 0, 0, 16, 16, 16},        {8, 0, 0, 256, 256, 256},
        {8, 0, 16, 16, 16, 256},      {8, 1, 200, 200, 200, 256},   {1, 0, 256, 256, 256, 2},
        {24, 0, 0, 1u << 24, 0, 0},   {24, 0, 5, 5, 0, 0},          {16, 3, 0, 65536, 0, 3},
        {32, 3, 0, 0xFFFFFFFF, 0, 3}, {32, 0, 0, 0xFFFFFFFF, 0, 0}, {40, 0, 0, 0xFFFFFFFF, 0, 0},
        {8, 0, 300, 300, 0, 256},
    };
    for (const auto& c : cases) {
        DibInfoHeader h{};
        h.biBitCount = c.bits;
        h.biCompression = c.compression;
        h.biClrUsed = c.clrUsed;
        EXPECT_EQ(c.colors, DibColorCount(h)) << c.bits << " bpp, " << c.clrUsed << " used";
        EXPECT_EQ(c.palette, DibPaletteSize(h)) << c.bits << " bpp, " << c.clrUsed << " used";
        EXPECT_EQ(c.written, DibTableEntriesToWrite(h)) << c.bits << " bpp, " << c.clrUsed << " used";
    }
}

TEST(DibFormat, PaletteTakesRedGreenBlueFromTheQuadInReverse) {
    const unsigned char table[] = {1, 2, 3, 99, 10, 20, 30, 77};
    DibPaletteEntry e[2];
    DibPaletteFromColorTable(table, 2, e);
    EXPECT_EQ(3, e[0].red);
    EXPECT_EQ(2, e[0].green);
    EXPECT_EQ(1, e[0].blue);
    EXPECT_EQ(0, e[0].flags);
    EXPECT_EQ(30, e[1].red);
    EXPECT_EQ(10, e[1].blue);
    EXPECT_EQ(0, e[1].flags);
}

// Each malformed file is refused by the read and leaves no blocks behind.
TEST(DibFormat, ReadRefusesMalformedFiles) {
    struct Case {
        const char* what;
        Bytes file;
        DibReadStatus expected;
    };
    std::vector<Case> cases;
    const BmpLayout rgb;  // 3 x 2 at 24 bits: stride 12, 24 pixel bytes
    {
        Bytes b = MakeBmp(rgb, 24);
        b[1] = 'A';
        cases.push_back({"type BA", b, DibReadStatus::kNotBitmap});
    }
    cases.push_back({"empty file", Bytes{}, DibReadStatus::kNotBitmap});
    cases.push_back({"only B", Bytes{'B'}, DibReadStatus::kNotBitmap});
    for (uint32_t size : {12u, 108u, 124u, 0u, 41u}) {
        Bytes b = MakeBmp(rgb, 24);
        Put32(b, 14, size);
        cases.push_back({"header size", b, DibReadStatus::kUnsupportedHeader});
    }
    {
        Bytes b = MakeBmp(rgb, 24);
        b.resize(14);  // the missing info header reads as zeros
        cases.push_back({"file header alone", b, DibReadStatus::kUnsupportedHeader});
        b = MakeBmp(rgb, 24);
        b.resize(20);  // the size field survives, the pixels are gone
        cases.push_back({"cut inside the info header", b, DibReadStatus::kPixelsBeyondFile});
    }
    for (uint32_t used : {257u, 0xFFFFFFFFu, 0x40000000u}) {
        BmpLayout s;
        s.bitCount = 8;
        s.clrUsed = used;
        s.width = 4;
        cases.push_back({"colours", MakeBmp(s, 8), DibReadStatus::kTooManyColors});
    }
    {
        Bytes b = MakeBmp(rgb, 24);
        Put32(b, 2, 53);  // total size one below the pixel offset 54
        cases.push_back({"size below offset", b, DibReadStatus::kSizeBelowOffset});
    }
    {
        Bytes b = MakeBmp(rgb, 24);
        Put32(b, 2, 0xFFFFFFF0u);  // claims 4 GB of pixels
        cases.push_back({"size beyond file", b, DibReadStatus::kPixelsBeyondFile});
    }
    {
        Bytes b = MakeBmp(rgb, 24);
        Put32(b, 10, 0xFFFFFF00u);  // pixel offset far past the end
        Put32(b, 2, 0xFFFFFF10u);
        cases.push_back({"offset beyond file", b, DibReadStatus::kPixelsBeyondFile});
    }
    {
        Bytes b = MakeBmp(rgb, 23);  // one byte short of two 12-byte rows
        cases.push_back({"rows short", b, DibReadStatus::kPixelsTooShort});
    }
    {
        BmpLayout s = rgb;
        s.height = -2;  // top-down needs the same bytes
        cases.push_back({"top-down rows short", MakeBmp(s, 20), DibReadStatus::kPixelsTooShort});
    }
    {
        BmpLayout s = rgb;
        s.width = 0x7FFFFFFF;
        s.height = 0x7FFFFFFF;
        cases.push_back({"huge dimensions", MakeBmp(s, 64), DibReadStatus::kPixelsTooShort});
        // 2^31 x 2^31 pixels of 4 bytes: a 64-bit size product wraps to 0.
        s.width = INT32_MIN;
        s.height = INT32_MIN;
        s.bitCount = 32;
        cases.push_back({"size product past 64 bits", MakeBmp(s, 0), DibReadStatus::kPixelsTooShort});
    }
    {
        BmpLayout s;
        s.bitCount = 8;
        s.compression = kDibRle8;
        s.tableEntries = 2;
        s.sizeImage = 11;
        cases.push_back({"compressed size beyond data", MakeBmp(s, 10), DibReadStatus::kPixelsTooShort});
        s.sizeImage = 0;
        cases.push_back({"compressed size unknown", MakeBmp(s, 10), DibReadStatus::kPixelsTooShort});
    }
    for (auto& c : cases) {
        MemorySource source(c.file);
        DibImageBlocks image;
        image.info.reset(new unsigned char[1]);  // an earlier image is discarded
        image.bitsSize = 7;
        EXPECT_EQ(static_cast<int>(c.expected), static_cast<int>(DibReadImage(source, &image))) << c.what;
        EXPECT_FALSE(image.info) << c.what;
        EXPECT_FALSE(image.bits) << c.what;
        EXPECT_EQ(0u, image.bitsSize) << c.what;
    }
}

TEST(DibFormat, ReadAcceptsWellFormedEdges) {
    struct Case {
        const char* what;
        BmpLayout layout;
        uint32_t pixelBytes;
    };
    BmpLayout rle;
    rle.bitCount = 8;
    rle.compression = kDibRle8;
    rle.tableEntries = 3;
    rle.sizeImage = 10;
    BmpLayout colors256;
    colors256.bitCount = 8;
    colors256.clrUsed = 256;
    colors256.tableEntries = 256;
    colors256.width = 4;
    BmpLayout empty;
    empty.width = 0;
    empty.height = 0;
    const Case cases[] = {
        {"24-bit exact rows", BmpLayout{}, 24}, {"24-bit with trailing bytes", BmpLayout{}, 30},
        {"rle within its data", rle, 10},       {"256 colours", colors256, 8},
        {"no pixels at all", empty, 0},
    };
    for (const auto& c : cases) {
        MemorySource source(MakeBmp(c.layout, c.pixelBytes));
        DibImageBlocks image;
        ASSERT_EQ(static_cast<int>(DibReadStatus::kOk), static_cast<int>(DibReadImage(source, &image))) << c.what;
        ASSERT_TRUE(image.info && image.bits) << c.what;
        EXPECT_EQ(c.pixelBytes, image.bitsSize) << c.what;
        EXPECT_EQ(0, std::memcmp(image.info.get(), source.m_data.data() + 14, 40)) << c.what;
        const uint32_t offset = 54 + 4 * c.layout.tableEntries;
        for (uint32_t k = 0; k < c.pixelBytes; ++k) {
            ASSERT_EQ(source.m_data[offset + k], image.bits[k]) << c.what << ", pixel byte " << k;
        }
    }
}

// The 1024 bytes after the header are read whatever the depth; past the end
// of a small file the table stays zero rather than holding stale memory.
TEST(DibFormat, ColorTableTakesTheFollowingBytesAndZerosBeyondTheFile) {
    BmpLayout s;
    s.bitCount = 1;
    s.width = 13;
    s.height = 2;
    s.tableEntries = 2;
    MemorySource source(MakeBmp(s, 8));
    DibImageBlocks image;
    ASSERT_EQ(static_cast<int>(DibReadStatus::kOk), static_cast<int>(DibReadImage(source, &image)));
    const unsigned char* table = image.info.get() + 40;
    const Bytes& file = source.m_data;
    for (size_t i = 0; i < 1024; ++i) {
        const unsigned char expected = 54 + i < file.size() ? file[54 + i] : 0;
        ASSERT_EQ(expected, table[i]) << "table byte " << i;
    }
}

TEST(DibFormat, ReadStartsAtTheCurrentPositionAndCountsTheOffsetFromThere) {
    Bytes bmp = MakeBmp(BmpLayout{}, 24);
    Bytes stream(37 + bmp.size() + 5, 0xDD);
    std::fill(stream.begin(), stream.begin() + 37, 0xEE);
    std::copy(bmp.begin(), bmp.end(), stream.begin() + 37);
    MemorySource source(stream, 37);
    DibImageBlocks image;
    ASSERT_EQ(static_cast<int>(DibReadStatus::kOk), static_cast<int>(DibReadImage(source, &image)));
    ASSERT_EQ(24u, image.bitsSize);
    EXPECT_EQ(0, std::memcmp(image.bits.get(), bmp.data() + 54, 24));
    EXPECT_EQ(37u + 54 + 24, source.GetPosition());
}

// A source whose length promises more than it delivers: the unread pixel
// bytes are zero.
TEST(DibFormat, ShortPixelReadLeavesZeros) {
    Bytes bmp = MakeBmp(BmpLayout{}, 24);
    bmp.resize(54 + 10);
    MemorySource source(bmp);
    source.m_lengthOverride = 54 + 24;
    DibImageBlocks image;
    ASSERT_EQ(static_cast<int>(DibReadStatus::kOk), static_cast<int>(DibReadImage(source, &image)));
    for (uint32_t k = 0; k < 24; ++k) {
        EXPECT_EQ(k < 10 ? 0x40 + k : 0u, image.bits[k]) << "pixel byte " << k;
    }
}

TEST(DibFormat, WriteLaysOutHeaderTableAndRows) {
    const struct {
        const char* what;
        BmpLayout layout;
        uint32_t tableWritten;
        uint32_t pixelBytes;
    } cases[] = {
        {"1-bit", {13, 2, 1, 0, 0, 0, 2}, 2, 8},
        {"4-bit", {9, 3, 4, 0, 0, 0, 16}, 16, 24},
        {"8-bit, 16 used", {11, 2, 8, 0, 16, 0, 16}, 256, 24},
        {"24-bit", {7, -3, 24, 0, 0, 0, 0}, 0, 72},
        {"32-bit masks", {2, 2, 32, kDibBitFields, 0, 0, 3}, 3, 16},
        {"rle keeps its size", {4, 4, 8, kDibRle8, 0, 6, 256}, 256, 6},
    };
    for (const auto& c : cases) {
        MemorySource source(MakeBmp(c.layout, c.pixelBytes));
        DibImageBlocks image;
        ASSERT_EQ(static_cast<int>(DibReadStatus::kOk), static_cast<int>(DibReadImage(source, &image))) << c.what;
        MemorySink sink;
        ASSERT_TRUE(DibWriteImage(sink, image.info.get(), image.bits.get(), image.bitsSize, true)) << c.what;
        const Bytes& out = sink.m_data;
        const uint32_t offset = 54 + 4 * c.tableWritten;
        ASSERT_EQ(offset + c.pixelBytes, out.size()) << c.what;
        EXPECT_EQ('B', out[0]) << c.what;
        EXPECT_EQ('M', out[1]) << c.what;
        EXPECT_EQ(out.size(), Field32(out, 2)) << c.what;
        EXPECT_EQ(0u, Field32(out, 6)) << c.what;  // both reserved fields
        EXPECT_EQ(offset, Field32(out, 10)) << c.what;
        EXPECT_EQ(c.layout.compression == kDibRle8 ? c.layout.sizeImage : 0u, Field32(out, 34)) << c.what;
        EXPECT_EQ(0, std::memcmp(out.data() + 54, image.info.get() + 40, 4 * size_t{c.tableWritten})) << c.what;
        EXPECT_EQ(0, std::memcmp(out.data() + offset, image.bits.get(), c.pixelBytes)) << c.what;

        // And what was written reads back to the same header and pixels.
        MemorySource again(out);
        DibImageBlocks back;
        ASSERT_EQ(static_cast<int>(DibReadStatus::kOk), static_cast<int>(DibReadImage(again, &back))) << c.what;
        EXPECT_EQ(0, std::memcmp(back.info.get(), out.data() + 14, 40)) << c.what;
        ASSERT_EQ(c.pixelBytes, back.bitsSize) << c.what;
        EXPECT_EQ(0, std::memcmp(back.bits.get(), image.bits.get(), c.pixelBytes)) << c.what;
    }
}

TEST(DibFormat, WritePadsPackedRows) {
    unsigned char info[kDibInfoBlockSize] = {};
    DibInfoHeader h{};
    h.biSize = 40;
    h.biWidth = 3;
    h.biHeight = 2;
    h.biPlanes = 1;
    h.biBitCount = 24;
    DibEncodeInfoHeader(h, info);
    const unsigned char packed[18] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    MemorySink sink;
    ASSERT_TRUE(DibWriteImage(sink, info, packed, sizeof packed, false));
    const Bytes expected = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 0, 0, 11, 12, 13, 14, 15, 16, 17, 18, 19, 0, 0, 0};
    ASSERT_EQ(54 + expected.size(), sink.m_data.size());
    EXPECT_EQ(expected, Bytes(sink.m_data.begin() + 54, sink.m_data.end()));
    EXPECT_EQ(sink.m_data.size(), Field32(sink.m_data, 2));
}

TEST(DibFormat, WriteRefusesWhatItCannotRepresent) {
    unsigned char info[kDibInfoBlockSize] = {};
    DibInfoHeader h{};
    h.biSize = 12;
    h.biWidth = 1;
    h.biHeight = 1;
    h.biBitCount = 24;
    DibEncodeInfoHeader(h, info);
    const unsigned char bits[4] = {};
    MemorySink sink;
    EXPECT_FALSE(DibWriteImage(sink, info, bits, sizeof bits, true)) << "header of 12 bytes";
    h.biSize = 40;
    h.biWidth = 70000;
    h.biHeight = 70000;  // 19.6 GB of rows
    DibEncodeInfoHeader(h, info);
    EXPECT_FALSE(DibWriteImage(sink, info, bits, sizeof bits, true)) << "rows beyond 4 GB";
    // The pixel size saturates at 64 bits; added to the offset it must not
    // wrap to a small size that passes.
    h.biWidth = INT32_MIN;
    h.biHeight = INT32_MIN;
    h.biBitCount = 32;
    DibEncodeInfoHeader(h, info);
    EXPECT_FALSE(DibWriteImage(sink, info, bits, sizeof bits, true)) << "width and height INT32_MIN";
    h.biWidth = 1;
    h.biHeight = 2;
    h.biBitCount = 24;
    DibEncodeInfoHeader(h, info);
    EXPECT_FALSE(DibWriteImage(sink, info, bits, sizeof bits, true)) << "two padded rows from four bytes";
    EXPECT_FALSE(DibWriteImage(sink, info, bits, 3, false)) << "two packed rows of 3 bytes from 3 bytes";
    EXPECT_FALSE(DibWriteImage(sink, info, nullptr, 0, true)) << "no pixel data";
    EXPECT_FALSE(DibWriteImage(sink, nullptr, bits, sizeof bits, true)) << "no header";
    EXPECT_TRUE(sink.m_data.empty());
}

}  // namespace
