// The window-free core of CDib: the BMP file layout (a 14-byte file header,
// a 40-byte info header, a colour table, the pixel rows), its checks, and
// the reading and writing of a whole image through small byte source and
// sink interfaces. All fields are little-endian on disk and decoded here
// byte by byte, so the core builds and runs on any host.
#pragma once

#include <cstdint>
#include <memory>

constexpr uint16_t kDibFileType = 0x4D42;  // the letters "BM"
constexpr uint32_t kDibFileHeaderSize = 14;
constexpr uint32_t kDibInfoHeaderSize = 40;
constexpr uint32_t kDibMaxColors = 256;
constexpr uint32_t kDibColorTableSize = kDibMaxColors * 4;                       // 256 RGBQUAD entries
constexpr uint32_t kDibInfoBlockSize = kDibInfoHeaderSize + kDibColorTableSize;  // 1064

// Compression kinds of the info header.
constexpr uint32_t kDibRgb = 0;
constexpr uint32_t kDibRle8 = 1;
constexpr uint32_t kDibRle4 = 2;
constexpr uint32_t kDibBitFields = 3;

struct DibFileHeader {
    uint16_t bfType;
    uint32_t bfSize;  // total size of the file in bytes
    uint16_t bfReserved1;
    uint16_t bfReserved2;
    uint32_t bfOffBits;  // offset of the pixel data from the file's start
};

struct DibInfoHeader {
    uint32_t biSize;
    int32_t biWidth;
    int32_t biHeight;  // below 0 for rows stored top-down
    uint16_t biPlanes;
    uint16_t biBitCount;
    uint32_t biCompression;
    uint32_t biSizeImage;
    int32_t biXPelsPerMeter;
    int32_t biYPelsPerMeter;
    uint32_t biClrUsed;
    uint32_t biClrImportant;
};

DibFileHeader DibDecodeFileHeader(const unsigned char bytes[kDibFileHeaderSize]);
void DibEncodeFileHeader(const DibFileHeader& header, unsigned char bytes[kDibFileHeaderSize]);
DibInfoHeader DibDecodeInfoHeader(const unsigned char bytes[kDibInfoHeaderSize]);
void DibEncodeInfoHeader(const DibInfoHeader& header, unsigned char bytes[kDibInfoHeaderSize]);

// biClrUsed when it is not 0, else 2 to the power biBitCount; a bit count of
// 32 or more answers 0xFFFFFFFF (the count does not fit in 32 bits).
uint32_t DibColorCount(const DibInfoHeader& header);

// Bytes of one pixel row as stored: |biWidth| x biBitCount bits rounded up to
// a multiple of 4 bytes. Unpadded: rounded up to whole bytes only.
uint64_t DibStride(const DibInfoHeader& header);
uint64_t DibPackedRowSize(const DibInfoHeader& header);
// Whether the pixel data is a plain grid of rows (uncompressed or with
// colour masks), whose size follows from the width, height and depth.
bool DibHasPlainRows(const DibInfoHeader& header);

// Colour-table entries that Write stores: 2, 16 or 256 for 1, 4 and 8 bits
// per pixel, the three colour masks for BI_BITFIELDS, none otherwise.
uint32_t DibTableEntriesToWrite(const DibInfoHeader& header);

enum class DibReadStatus {
    kOk,
    kNotBitmap,          // type field not "BM"
    kUnsupportedHeader,  // info header size other than 40 (OS/2 core, v4, v5)
    kTooManyColors,      // biClrUsed beyond the 256 entries the table holds
    kSizeBelowOffset,    // total size below the pixel offset
    kPixelsBeyondFile,   // pixel data runs past the end of the file
    kPixelsTooShort,     // pixel data smaller than the image's rows or compressed size
};

// The text for a refusal ("Error:..." with a line feed); empty for kOk.
const char* DibReadStatusText(DibReadStatus status);

// Checks the two decoded headers of a file whose pixel data may occupy at
// most bytesAvailable bytes from the pixel offset to the file's end.
DibReadStatus DibCheckHeaders(const DibFileHeader& file, const DibInfoHeader& info, uint64_t bytesAvailable);

// Where the bytes come from; CDib wraps a CFile, tests and the fuzzer a buffer.
class DibByteSource {
public:
    virtual ~DibByteSource() = default;
    // Returns the number of bytes read, fewer at the end of the data.
    virtual uint32_t Read(void* buffer, uint32_t count) = 0;
    virtual uint64_t GetPosition() = 0;
    virtual void SeekTo(uint64_t position) = 0;
    virtual uint64_t GetLength() = 0;
};

class DibByteSink {
public:
    virtual ~DibByteSink() = default;
    virtual void Write(const void* buffer, uint32_t count) = 0;
};

// One loaded image: the 1064-byte info block (header and 256-entry colour
// table) and the pixel data as stored in the file. Both are zero-filled
// before they are read into, so a short read leaves zeros, never stale bytes.
struct DibImageBlocks {
    std::unique_ptr<unsigned char[]> info;
    std::unique_ptr<unsigned char[]> bits;
    uint32_t bitsSize = 0;
};

// Reads a BMP file from the source's current position p: both headers, the
// 1024 bytes after the info header into the colour table, then the pixel
// data (total size minus pixel offset) from p + pixel offset. Nothing is
// allocated before the headers pass DibCheckHeaders; on a refusal *image is
// left empty. Exceptions of the source pass through.
DibReadStatus DibReadImage(DibByteSource& source, DibImageBlocks* image);

// Writes a BMP file: file header, the 40-byte info header with biSizeImage 0
// for plain rows, DibTableEntriesToWrite entries of the table, the pixel
// rows. rowsPadded false means bits holds plain rows packed to whole bytes,
// which are padded to 4 bytes on the way out. bitsSize is the number of
// bytes at bits. Returns false, writing nothing, for an info block whose
// header is not 40 bytes, whose file would not fit the 32-bit size field, or
// whose pixel data would need more bytes than bits holds.
bool DibWriteImage(DibByteSink& sink, const unsigned char* info, const unsigned char* bits, uint64_t bitsSize,
                   bool rowsPadded);

// A palette entry in the order red, green, blue, flags.
struct DibPaletteEntry {
    unsigned char red, green, blue, flags;
};
// Number of palette entries for a header: DibColorCount for 8 bits per pixel
// or fewer when it is at most 256, else 0 (no palette).
uint32_t DibPaletteSize(const DibInfoHeader& header);
// Turns count RGBQUAD entries (blue, green, red, reserved) into palette
// entries with flags 0.
void DibPaletteFromColorTable(const unsigned char* table, uint32_t count, DibPaletteEntry* entries);
