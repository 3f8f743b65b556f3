#include "skin/controls/DibFormat.h"

#include <cstring>

namespace {

uint16_t Get16(const unsigned char* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }

uint32_t Get32(const unsigned char* p) {
    return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) | (static_cast<uint32_t>(p[2]) << 16) |
           (static_cast<uint32_t>(p[3]) << 24);
}

void Put16(unsigned char* p, uint16_t value) {
    p[0] = static_cast<unsigned char>(value);
    p[1] = static_cast<unsigned char>(value >> 8);
}

void Put32(unsigned char* p, uint32_t value) {
    for (int i = 0; i < 4; ++i) p[i] = static_cast<unsigned char>(value >> (8 * i));
}

uint64_t AbsoluteHeight(const DibInfoHeader& header) {
    const int64_t height = header.biHeight;
    return static_cast<uint64_t>(height < 0 ? -height : height);
}

uint64_t AbsoluteWidth(const DibInfoHeader& header) {
    const int64_t width = header.biWidth;
    return static_cast<uint64_t>(width < 0 ? -width : width);
}

// Bytes of pixel data the drawing calls read for this header: every row for
// plain rows, the compressed size otherwise. A row holds at most 2^31 pixels
// of 65535 bits (under 2^45 bytes), but times 2^31 rows the product can pass
// 64 bits: such a size is answered as the largest number, which no file holds.
uint64_t PixelBytesNeeded(const DibInfoHeader& header) {
    if (!DibHasPlainRows(header)) return header.biSizeImage;
    const uint64_t stride = DibStride(header);
    const uint64_t rows = AbsoluteHeight(header);
    if (stride != 0 && rows > UINT64_MAX / stride) return UINT64_MAX;
    return stride * rows;
}

}  // namespace

DibFileHeader DibDecodeFileHeader(const unsigned char bytes[kDibFileHeaderSize]) {
    DibFileHeader header;
    header.bfType = Get16(bytes);
    header.bfSize = Get32(bytes + 2);
    header.bfReserved1 = Get16(bytes + 6);
    header.bfReserved2 = Get16(bytes + 8);
    header.bfOffBits = Get32(bytes + 10);
    return header;
}

void DibEncodeFileHeader(const DibFileHeader& header, unsigned char bytes[kDibFileHeaderSize]) {
    Put16(bytes, header.bfType);
    Put32(bytes + 2, header.bfSize);
    Put16(bytes + 6, header.bfReserved1);
    Put16(bytes + 8, header.bfReserved2);
    Put32(bytes + 10, header.bfOffBits);
}

DibInfoHeader DibDecodeInfoHeader(const unsigned char bytes[kDibInfoHeaderSize]) {
    DibInfoHeader header;
    header.biSize = Get32(bytes);
    header.biWidth = static_cast<int32_t>(Get32(bytes + 4));
    header.biHeight = static_cast<int32_t>(Get32(bytes + 8));
    header.biPlanes = Get16(bytes + 12);
    header.biBitCount = Get16(bytes + 14);
    header.biCompression = Get32(bytes + 16);
    header.biSizeImage = Get32(bytes + 20);
    header.biXPelsPerMeter = static_cast<int32_t>(Get32(bytes + 24));
    header.biYPelsPerMeter = static_cast<int32_t>(Get32(bytes + 28));
    header.biClrUsed = Get32(bytes + 32);
    header.biClrImportant = Get32(bytes + 36);
    return header;
}

void DibEncodeInfoHeader(const DibInfoHeader& header, unsigned char bytes[kDibInfoHeaderSize]) {
    Put32(bytes, header.biSize);
    Put32(bytes + 4, static_cast<uint32_t>(header.biWidth));
    Put32(bytes + 8, static_cast<uint32_t>(header.biHeight));
    Put16(bytes + 12, header.biPlanes);
    Put16(bytes + 14, header.biBitCount);
    Put32(bytes + 16, header.biCompression);
    Put32(bytes + 20, header.biSizeImage);
    Put32(bytes + 24, static_cast<uint32_t>(header.biXPelsPerMeter));
    Put32(bytes + 28, static_cast<uint32_t>(header.biYPelsPerMeter));
    Put32(bytes + 32, header.biClrUsed);
    Put32(bytes + 36, header.biClrImportant);
}

uint32_t DibColorCount(const DibInfoHeader& header) {
    if (header.biClrUsed != 0) return header.biClrUsed;
    if (header.biBitCount >= 32) return 0xFFFFFFFFu;
    return 1u << header.biBitCount;
}

uint64_t DibStride(const DibInfoHeader& header) { return (AbsoluteWidth(header) * header.biBitCount + 31) / 32 * 4; }

uint64_t DibPackedRowSize(const DibInfoHeader& header) { return (AbsoluteWidth(header) * header.biBitCount + 7) / 8; }

bool DibHasPlainRows(const DibInfoHeader& header) {
    return header.biCompression == kDibRgb || header.biCompression == kDibBitFields;
}

uint32_t DibTableEntriesToWrite(const DibInfoHeader& header) {
    switch (header.biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return header.biCompression == kDibBitFields ? 3 : 0;
    }
}

const char* DibReadStatusText(DibReadStatus status) {
    switch (status) {
    case DibReadStatus::kOk: return "";
    case DibReadStatus::kNotBitmap: return "Error:Unexpected file type, not a DIB\n";
    case DibReadStatus::kUnsupportedHeader: return "Error:OS2 PM BMP Format not supported\n";
    case DibReadStatus::kTooManyColors: return "Error:Colour table larger than 256 entries\n";
    case DibReadStatus::kSizeBelowOffset: return "Error:File size below the pixel offset\n";
    case DibReadStatus::kPixelsBeyondFile: return "Error:Pixel data runs past the end of the file\n";
    case DibReadStatus::kPixelsTooShort: return "Error:Pixel data too short for the image\n";
    }
    return "Error:Unknown\n";
}

DibReadStatus DibCheckHeaders(const DibFileHeader& file, const DibInfoHeader& info, uint64_t bytesAvailable) {
    if (file.bfType != kDibFileType) return DibReadStatus::kNotBitmap;
    if (info.biSize != kDibInfoHeaderSize) return DibReadStatus::kUnsupportedHeader;
    // The table in memory holds 256 entries; the palette and the drawing
    // calls read biClrUsed of them.
    if (info.biClrUsed > kDibMaxColors) return DibReadStatus::kTooManyColors;
    if (file.bfSize < file.bfOffBits) return DibReadStatus::kSizeBelowOffset;
    const uint32_t pixelSize = file.bfSize - file.bfOffBits;
    if (pixelSize > bytesAvailable) return DibReadStatus::kPixelsBeyondFile;
    // The drawing calls read as many bytes as the header describes; a
    // compressed image must say how long its data is.
    if (!DibHasPlainRows(info) && info.biSizeImage == 0) return DibReadStatus::kPixelsTooShort;
    if (PixelBytesNeeded(info) > pixelSize) return DibReadStatus::kPixelsTooShort;
    return DibReadStatus::kOk;
}

DibReadStatus DibReadImage(DibByteSource& source, DibImageBlocks* image) {
    image->info.reset();
    image->bits.reset();
    image->bitsSize = 0;

    const uint64_t start = source.GetPosition();
    unsigned char fileBytes[kDibFileHeaderSize] = {};
    source.Read(fileBytes, sizeof fileBytes);
    const DibFileHeader file = DibDecodeFileHeader(fileBytes);
    if (file.bfType != kDibFileType) return DibReadStatus::kNotBitmap;

    unsigned char infoBytes[kDibInfoHeaderSize] = {};
    source.Read(infoBytes, sizeof infoBytes);
    const DibInfoHeader info = DibDecodeInfoHeader(infoBytes);

    // The pixel offset counts from the start of the file, of whose position
    // the low 32 bits are kept.
    const uint64_t pixelPosition = (start & 0xFFFFFFFFu) + file.bfOffBits;
    uint64_t available = 0;
    if (info.biSize == kDibInfoHeaderSize) {
        const uint64_t length = source.GetLength();
        available = length > pixelPosition ? length - pixelPosition : 0;
    }
    const DibReadStatus status = DibCheckHeaders(file, info, available);
    if (status != DibReadStatus::kOk) return status;

    std::unique_ptr<unsigned char[]> block(new unsigned char[kDibInfoBlockSize]());
    std::memcpy(block.get(), infoBytes, kDibInfoHeaderSize);
    // Whatever follows the header, colour table or not.
    source.Read(block.get() + kDibInfoHeaderSize, kDibColorTableSize);

    const uint32_t pixelSize = file.bfSize - file.bfOffBits;
    std::unique_ptr<unsigned char[]> bits(new unsigned char[pixelSize == 0 ? 1 : pixelSize]());
    source.SeekTo(pixelPosition);
    source.Read(bits.get(), pixelSize);

    image->info = std::move(block);
    image->bits = std::move(bits);
    image->bitsSize = pixelSize;
    return DibReadStatus::kOk;
}

bool DibWriteImage(DibByteSink& sink, const unsigned char* info, const unsigned char* bits, uint64_t bitsSize,
                   bool rowsPadded) {
    if (info == nullptr) return false;
    DibInfoHeader header = DibDecodeInfoHeader(info);
    if (header.biSize != kDibInfoHeaderSize) return false;

    const uint32_t entries = DibTableEntriesToWrite(header);
    const uint32_t offset = kDibFileHeaderSize + header.biSize + 4 * entries;
    const uint64_t pixelBytes = PixelBytesNeeded(header);
    // Compared before adding: the pixel size may be as large as 64 bits hold.
    if (pixelBytes > 0xFFFFFFFFu - offset) return false;
    const uint64_t total = offset + pixelBytes;
    if (pixelBytes != 0 && bits == nullptr) return false;
    // The caller's block must hold every byte the header makes us read: the
    // padded rows or compressed data as they are, or the rows packed.
    const bool plain = DibHasPlainRows(header);
    const uint64_t rows = AbsoluteHeight(header);
    const uint64_t packedRow = DibPackedRowSize(header);
    const uint64_t bytesRead = rowsPadded || !plain ? pixelBytes : packedRow * rows;
    if (bytesRead > bitsSize) return false;

    DibFileHeader file;
    file.bfType = kDibFileType;
    file.bfSize = static_cast<uint32_t>(total);
    file.bfReserved1 = 0;
    file.bfReserved2 = 0;
    file.bfOffBits = offset;
    unsigned char fileBytes[kDibFileHeaderSize];
    DibEncodeFileHeader(file, fileBytes);

    // Plain rows need no size; compressed data keeps the size it must have.
    if (plain) header.biSizeImage = 0;
    unsigned char infoBytes[kDibInfoHeaderSize];
    DibEncodeInfoHeader(header, infoBytes);

    sink.Write(fileBytes, sizeof fileBytes);
    sink.Write(infoBytes, sizeof infoBytes);
    if (entries != 0) sink.Write(info + kDibInfoHeaderSize, 4 * entries);
    if (pixelBytes == 0) return true;

    if (rowsPadded || !plain) {
        sink.Write(bits, static_cast<uint32_t>(pixelBytes));
        return true;
    }
    const uint32_t packed = static_cast<uint32_t>(packedRow);
    const uint32_t stride = static_cast<uint32_t>(DibStride(header));
    static const unsigned char kPadding[4] = {0, 0, 0, 0};
    for (uint64_t row = 0; row < rows; ++row) {
        if (packed != 0) sink.Write(bits + row * packed, packed);
        if (stride != packed) sink.Write(kPadding, stride - packed);
    }
    return true;
}

uint32_t DibPaletteSize(const DibInfoHeader& header) {
    if (header.biBitCount > 8) return 0;
    const uint32_t count = DibColorCount(header);
    return count <= kDibMaxColors ? count : 0;
}

void DibPaletteFromColorTable(const unsigned char* table, uint32_t count, DibPaletteEntry* entries) {
    for (size_t i = 0; i < count; ++i) {
        entries[i].red = table[4 * i + 2];
        entries[i].green = table[4 * i + 1];
        entries[i].blue = table[4 * i];
        entries[i].flags = 0;
    }
}
