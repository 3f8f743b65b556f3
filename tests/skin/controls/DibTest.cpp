// CDib under Wine with BMP files made by ImageMagick at build time (see the
// CMakeLists.txt beside this file): each depth loads, builds the palette it
// should, draws the pixels ImageMagick decoded, and survives Write and Read;
// the other header sizes and malformed files are refused.
#include "skin/controls/Dib.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "tests/support/Pixels.h"

namespace {

using Bytes = std::vector<unsigned char>;

Bytes ReadBytes(const std::string& path) {
    Bytes data;
    if (FILE* f = std::fopen(path.c_str(), "rb")) {
        unsigned char chunk[4096];
        size_t n;
        while ((n = std::fread(chunk, 1, sizeof chunk, f)) != 0) data.insert(data.end(), chunk, chunk + n);
        std::fclose(f);
    }
    return data;
}

void WriteBytes(const std::string& path, const Bytes& data) {
    FILE* f = std::fopen(path.c_str(), "wb");
    ASSERT_NE(nullptr, f) << path;
    std::fwrite(data.data(), 1, data.size(), f);
    std::fclose(f);
}

uint32_t Get32(const Bytes& b, size_t at) {
    return b[at] | (b[at + 1] << 8) | (b[at + 2] << 16) | (static_cast<uint32_t>(b[at + 3]) << 24);
}
void Put32(Bytes& b, size_t at, uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<unsigned char>(v >> (8 * i));
}

// The 4-bit fixture re-encoded at 8 bits per pixel with its 16 colours:
// biClrUsed 16, a 16-entry table, one byte per pixel.
Bytes EightBitWith16Colours(const Bytes& four) {
    const uint32_t width = Get32(four, 18), height = Get32(four, 22);
    const uint32_t inStride = (width * 4 + 31) / 32 * 4, outStride = (width + 3) / 4 * 4;
    Bytes out(14 + 40 + 64 + outStride * height, 0);
    std::memcpy(out.data(), four.data(), 54 + 64);
    Put32(out, 2, static_cast<uint32_t>(out.size()));
    Put32(out, 10, 118);
    out[28] = 8;
    Put32(out, 34, 0);
    Put32(out, 46, 16);
    const uint32_t inOffset = Get32(four, 10);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char pair = four[inOffset + y * inStride + x / 2];
            out[118 + y * outStride + x] = (x % 2 == 0) ? pair >> 4 : pair & 15;
        }
    }
    return out;
}

// The shared canvas filled with bits no drawing leaves (the top byte is set),
// so that untouched pixels can be told apart, and drawn into through a CDC.
class Canvas : public scrivlo_test::CDibCanvas {
public:
    static constexpr uint32_t kBackground = 0xFF123456;
    Canvas(int width, int height) : CDibCanvas(width, height, 0) {
        m_dc.Attach(CDibCanvas::DC());
        Clear();
    }
    ~Canvas() { m_dc.Detach(); }
    void Clear() { FillBits(kBackground); }
    // 0x00RRGGBB, or kBackground when nothing was drawn there.
    uint32_t At(int x, int y) const {
        const uint32_t p = Bits(x, y);
        return p == kBackground ? p : (p & 0xFFFFFF);
    }
    int CountUntouched() const {
        int n = 0;
        for (int y = 0; y < Height(); ++y)
            for (int x = 0; x < Width(); ++x) n += At(x, y) == kBackground;
        return n;
    }
    CDC* DC() { return &m_dc; }

private:
    CDC m_dc;
};

uint32_t Expected(const Bytes& rgb, int width, int x, int y) {
    const unsigned char* p = &rgb[3 * (y * width + x)];
    return (p[0] << 16) | (p[1] << 8) | p[2];
}

// Draws at (dx, dy) and compares every pixel with ImageMagick's decoding;
// the rest of the canvas stays untouched.
void ExpectDrawnImage(CDib& dib, const Bytes& rgb, const std::string& what) {
    const int w = dib.GetWidth(), h = dib.GetHeight(), dx = 2, dy = 3;
    ASSERT_EQ(static_cast<size_t>(3 * w * h), rgb.size()) << what;
    Canvas canvas(w + 5, h + 6);
    dib.Draw(canvas.DC(), dx, dy);
    int wrong = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const uint32_t want = Expected(rgb, w, x, y), got = canvas.At(dx + x, dy + y);
            if (want != got && wrong++ < 5) {
                ADD_FAILURE() << what << ": pixel (" << x << "," << y << ") expected " << std::hex << want << " got "
                              << got;
            }
        }
    }
    EXPECT_EQ(0, wrong) << what;
    EXPECT_EQ((w + 5) * (h + 6) - w * h, canvas.CountUntouched()) << what;
}

struct DepthCase {
    const char* file;    // made in the test's folder
    const char* pixels;  // ImageMagick's RGB decoding of it
    int width, height;
    int bitCount;
    DWORD colorCount;
    int paletteEntries;  // 0: no palette
};

// Files a test makes carry its name: the cases run as parallel processes.
std::string Own(const char* name) {
    return std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()) + "_" + name;
}

// Kept alive for the const char* in the cases.
std::string g_used0, g_of16;

std::vector<DepthCase> DepthCases() {
    // Variants of the 8-bit fixtures that ImageMagick does not write itself.
    g_used0 = Own("dib8used0.bmp");
    g_of16 = Own("dib8of16.bmp");
    Bytes eight = ReadBytes("dib8.bmp");
    if (eight.size() > 54) {
        Put32(eight, 46, 0);  // biClrUsed 0: 2^8 colours
        WriteBytes(g_used0, eight);
    }
    const Bytes four = ReadBytes("dib4.bmp");
    if (four.size() > 118) WriteBytes(g_of16, EightBitWith16Colours(four));
    return {
        {"dib1.bmp", "dib1.rgb", 13, 6, 1, 2, 2},
        {"dib4.bmp", "dib4.rgb", 11, 7, 4, 16, 16},
        {"dib8.bmp", "dib8.rgb", 11, 7, 8, 256, 256},
        {g_used0.c_str(), "dib8.rgb", 11, 7, 8, 256, 256},
        {g_of16.c_str(), "dib4.rgb", 11, 7, 8, 16, 16},
        {"dib24.bmp", "dib24.rgb", 11, 7, 24, 1u << 24, 0},
        {"dib32.bmp", "dib32.rgb", 11, 7, 32, 0xFFFFFFFF, 0},
    };
}

TEST(Dib, FixturesAreTheFormatsTheyStandFor) {
    DepthCases();
    const struct {
        const char* file;
        uint32_t headerSize;
        int bitCount;
        uint32_t clrUsed;
    } cases[] = {
        {"dib1.bmp", 40, 1, 2},      {"dib4.bmp", 40, 4, 16},  {"dib8.bmp", 40, 8, 256}, {g_used0.c_str(), 40, 8, 0},
        {g_of16.c_str(), 40, 8, 16}, {"dib24.bmp", 40, 24, 0}, {"dib32.bmp", 40, 32, 0}, {"dibv4.bmp", 108, 24, 0},
        {"dibv5.bmp", 124, 24, 0},   {"dibos2.bmp", 12, 0, 0},
    };
    for (const auto& c : cases) {
        const Bytes b = ReadBytes(c.file);
        ASSERT_GT(b.size(), 54u) << c.file << " missing: was the fixture step run?";
        EXPECT_EQ(c.headerSize, Get32(b, 14)) << c.file;
        if (c.headerSize != 40) continue;
        EXPECT_EQ(c.bitCount, b[28]) << c.file;
        EXPECT_EQ(0u, Get32(b, 30)) << c.file << ": uncompressed";
        EXPECT_EQ(c.clrUsed, Get32(b, 46)) << c.file;
    }
}

TEST(Dib, EveryDepthLoadsBuildsItsPaletteAndDraws) {
    for (const auto& c : DepthCases()) {
        CDib dib;
        ASSERT_TRUE(dib.Load(c.file)) << c.file;
        ASSERT_NE(nullptr, dib.GetBits()) << c.file;
        ASSERT_NE(nullptr, dib.GetColorTable()) << c.file;
        EXPECT_EQ(c.width, dib.GetWidth()) << c.file;
        EXPECT_EQ(c.height, dib.GetHeight()) << c.file;
        EXPECT_EQ(c.colorCount, dib.GetColorCount()) << c.file;
        const Bytes file = ReadBytes(c.file);
        // The 1024 bytes after the header are in the table, whatever the depth.
        const size_t tableBytes = std::min<size_t>(1024, file.size() - 54);
        EXPECT_EQ(0, std::memcmp(dib.GetColorTable(), file.data() + 54, tableBytes)) << c.file;
        const uint32_t offset = Get32(file, 10);
        EXPECT_EQ(0, std::memcmp(dib.GetBits(), file.data() + offset, file.size() - offset)) << c.file;
        if (c.paletteEntries == 0) {
            EXPECT_EQ(nullptr, dib.GetPalette()) << c.file;
        } else {
            ASSERT_NE(nullptr, dib.GetPalette()) << c.file;
            EXPECT_EQ(c.paletteEntries, dib.GetPalette()->GetEntryCount()) << c.file;
            PALETTEENTRY last;
            dib.GetPalette()->GetPaletteEntries(c.paletteEntries - 1, 1, &last);
            const RGBQUAD& quad = dib.GetColorTable()[c.paletteEntries - 1];
            EXPECT_EQ(quad.rgbRed, last.peRed) << c.file;
            EXPECT_EQ(quad.rgbGreen, last.peGreen) << c.file;
            EXPECT_EQ(quad.rgbBlue, last.peBlue) << c.file;
        }
        ExpectDrawnImage(dib, ReadBytes(c.pixels), c.file);
    }
}

TEST(Dib, WriteThenReadKeepsThePixels) {
    for (const auto& c : DepthCases()) {
        CDib dib;
        ASSERT_TRUE(dib.Load(c.file)) << c.file;
        const std::string copy = std::string("copy_") + c.file;
        ASSERT_TRUE(dib.Save(copy.c_str())) << c.file;
        const Bytes written = ReadBytes(copy);
        ASSERT_GE(written.size(), 54u) << c.file;
        EXPECT_EQ(written.size(), Get32(written, 2)) << c.file << ": total size";
        CDib back;
        ASSERT_TRUE(back.Load(copy.c_str())) << copy;
        EXPECT_EQ(c.width, back.GetWidth()) << copy;
        EXPECT_EQ(c.height, back.GetHeight()) << copy;
        const size_t stride = (c.width * c.bitCount + 31) / 32 * 4;
        EXPECT_EQ(0, std::memcmp(dib.GetBits(), back.GetBits(), stride * c.height)) << copy;
        ExpectDrawnImage(back, ReadBytes(c.pixels), copy);
    }
}

TEST(Dib, OtherHeaderSizesAndMalformedFilesAreRefused) {
    const Bytes eight = ReadBytes("dib8.bmp");
    ASSERT_GT(eight.size(), 54u);
    Bytes tooManyColours = eight, sizeBelowOffset = eight, sizeBeyondFile = eight, shortRows = eight;
    Put32(tooManyColours, 46, 257);
    Put32(sizeBelowOffset, 2, 1000);
    Put32(sizeBeyondFile, 2, 0x7FFFFFF0);
    shortRows.resize(shortRows.size() - 1);
    Put32(shortRows, 2, static_cast<uint32_t>(shortRows.size()));
    WriteBytes("bad_colours.bmp", tooManyColours);
    WriteBytes("bad_below.bmp", sizeBelowOffset);
    WriteBytes("bad_beyond.bmp", sizeBeyondFile);
    WriteBytes("bad_rows.bmp", shortRows);
    WriteBytes("bad_type.bmp", Bytes{'M', 'B', 0, 0});
    const char* files[] = {"dibv4.bmp",     "dibv5.bmp",      "dibos2.bmp",   "bad_colours.bmp",
                           "bad_below.bmp", "bad_beyond.bmp", "bad_rows.bmp", "bad_type.bmp"};
    for (const char* file : files) {
        CDib dib;
        ASSERT_TRUE(dib.Load("dib8.bmp"));
        HGDIOBJ palette = dib.GetPalette()->GetSafeHandle();
        EXPECT_FALSE(dib.Load(file)) << file;
        EXPECT_EQ(nullptr, dib.GetBits()) << file;
        EXPECT_EQ(nullptr, dib.GetColorTable()) << file;
        EXPECT_EQ(0, dib.GetWidth()) << file;
        // The palette of the earlier image stays until the next load.
        ASSERT_NE(nullptr, dib.GetPalette()) << file;
        EXPECT_EQ(palette, dib.GetPalette()->GetSafeHandle()) << file;
    }
    CDib none;
    EXPECT_FALSE(none.Load("no such file.bmp"));
    EXPECT_FALSE(none.Save("no such folder\\x.bmp"));
}

TEST(Dib, ReadStartsAtTheFilesCurrentPosition) {
    Bytes stream(21, 0xEE);
    const Bytes bmp = ReadBytes("dib24.bmp");
    stream.insert(stream.end(), bmp.begin(), bmp.end());
    WriteBytes("embedded.bin", stream);
    CFile file;
    ASSERT_TRUE(file.Open("embedded.bin", CFile::modeRead));
    file.Seek(21, CFile::begin);
    CDib dib;
    ASSERT_TRUE(dib.Read(&file));
    ExpectDrawnImage(dib, ReadBytes("dib24.rgb"), "embedded at 21");
}

TEST(Dib, EmptyObjectDrawsAndWritesNothing) {
    CDib dib;
    Canvas canvas(8, 8);
    const RECT rect = {0, 0, 4, 4};
    EXPECT_FALSE(dib.Draw(canvas.DC(), 0, 0));
    EXPECT_FALSE(dib.DrawStretched(canvas.DC(), 0, 0, 8, 8));
    EXPECT_EQ(0, dib.DrawRect(canvas.DC(), &rect, &rect));
    EXPECT_EQ(64, canvas.CountUntouched());
    EXPECT_EQ(0u, dib.GetColorCount());
    CFile file;
    ASSERT_TRUE(file.Open("empty_write.bmp", CFile::modeCreate | CFile::modeWrite));
    EXPECT_FALSE(dib.Write(&file));
    EXPECT_EQ(0u, file.GetLength());
}

TEST(Dib, DrawStretchedAndDrawRectPlaceTheRightPixels) {
    CDib dib;
    ASSERT_TRUE(dib.Load("dib24.bmp"));
    const Bytes rgb = ReadBytes("dib24.rgb");
    const int w = dib.GetWidth(), h = dib.GetHeight();
    Canvas canvas(2 * w, 2 * h);
    dib.DrawStretched(canvas.DC(), 0, 0, 2 * w, 2 * h);
    for (int y = 0; y < 2 * h; ++y)
        for (int x = 0; x < 2 * w; ++x)
            ASSERT_EQ(Expected(rgb, w, x / 2, y / 2), canvas.At(x, y)) << "stretched (" << x << "," << y << ")";

    canvas.Clear();
    const RECT src = {3, 2, 8, 6};  // 5 x 4 from column 3, row 2 (top-down)
    const RECT dest = {1, 1, 6, 5};
    EXPECT_GT(dib.DrawRect(canvas.DC(), &dest, &src), 0);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 5; ++x)
            ASSERT_EQ(Expected(rgb, w, 3 + x, 2 + y), canvas.At(1 + x, 1 + y)) << "rect (" << x << "," << y << ")";
    EXPECT_EQ(4 * w * h - 20, canvas.CountUntouched());
}

// A palette image selects its palette only for the drawing and sets the
// stretch mode COLORONCOLOR; an image without one leaves the mode alone.
TEST(Dib, DrawingRestoresThePaletteAndSetsTheStretchModeOnlyWithAPalette) {
    const struct {
        const char* file;
        int mode;
    } cases[] = {
        {"dib8.bmp", COLORONCOLOR},
        {"dib1.bmp", COLORONCOLOR},
        {"dib24.bmp", HALFTONE},
    };
    for (const auto& c : cases) {
        CDib dib;
        ASSERT_TRUE(dib.Load(c.file)) << c.file;
        Canvas canvas(20, 20);
        HDC hdc = canvas.DC()->GetSafeHdc();
        ::SetStretchBltMode(hdc, HALFTONE);
        HGDIOBJ before = ::GetCurrentObject(hdc, OBJ_PAL);
        dib.Draw(canvas.DC(), 0, 0);
        EXPECT_EQ(before, ::GetCurrentObject(hdc, OBJ_PAL)) << c.file;
        EXPECT_EQ(c.mode, ::GetStretchBltMode(hdc)) << c.file;
    }
}

TEST(Dib, PaletteIsReleasedOnReloadAndDestruction) {
    HGDIOBJ first, second;
    {
        CDib dib;
        ASSERT_TRUE(dib.Load("dib8.bmp"));
        first = dib.GetPalette()->GetSafeHandle();
        ASSERT_TRUE(dib.Load("dib4.bmp"));
        second = dib.GetPalette()->GetSafeHandle();
        EXPECT_EQ(0u, ::GetObjectType(first)) << "the first palette is deleted by the reload";
        EXPECT_EQ(static_cast<DWORD>(OBJ_PAL), ::GetObjectType(second));
        ASSERT_TRUE(dib.Load("dib24.bmp"));
        EXPECT_EQ(nullptr, dib.GetPalette());
        EXPECT_EQ(0u, ::GetObjectType(second));
        ASSERT_TRUE(dib.Load("dib1.bmp"));
        second = dib.GetPalette()->GetSafeHandle();
    }
    EXPECT_EQ(0u, ::GetObjectType(second)) << "the destructor deletes the palette";
}

}  // namespace
