// libFuzzer target for the BMP reader (built by tools/fuzz-dib, not by CMake).
// Input: one byte giving the stream position the file starts at (0-15),
// then the stream. Every accepted image must hold the bytes its header
// promises to the drawing calls and the palette, and must come back
// unchanged through DibWriteImage and DibReadImage.
#include "skin/controls/DibFormat.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

class BufferSource : public DibByteSource {
public:
    BufferSource(const uint8_t* data, size_t size, uint64_t start) : m_data(data), m_size(size), m_pos(start) {}
    uint32_t Read(void* buffer, uint32_t count) override {
        const uint64_t left = m_pos < m_size ? m_size - m_pos : 0;
        const uint32_t n = static_cast<uint32_t>(std::min<uint64_t>(count, left));
        if (n) std::memcpy(buffer, m_data + m_pos, n);
        m_pos += n;
        return n;
    }
    uint64_t GetPosition() override { return m_pos; }
    void SeekTo(uint64_t position) override { m_pos = position; }
    uint64_t GetLength() override { return m_size; }

private:
    const uint8_t* m_data;
    size_t m_size;
    uint64_t m_pos;
};

class BufferSink : public DibByteSink {
public:
    void Write(const void* buffer, uint32_t count) override {
        const auto* p = static_cast<const uint8_t*>(buffer);
        m_data.insert(m_data.end(), p, p + count);
    }
    std::vector<uint8_t> m_data;
};

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

// The pixel bytes the header describes, worked out here in 128 bits from
// the fields themselves (not with the reader's arithmetic, whose promise is
// what is checked): every padded row for plain rows, the compressed size
// otherwise.
unsigned __int128 DescribedPixelBytes(const DibInfoHeader& header) {
    if (!DibHasPlainRows(header)) return header.biSizeImage;
    const int64_t width = header.biWidth;
    const int64_t height = header.biHeight;
    const unsigned __int128 bits = static_cast<unsigned __int128>(width < 0 ? -width : width) * header.biBitCount;
    const unsigned __int128 stride = (bits + 31) / 32 * 4;
    return stride * static_cast<unsigned __int128>(height < 0 ? -height : height);
}

// Touches every byte a reader of the image would use, so that the address
// sanitizer sees any byte that is not inside the blocks.
unsigned Touch(const DibImageBlocks& image) {
    const DibInfoHeader header = DibDecodeInfoHeader(image.info.get());
    // The reader's promise: an accepted image holds every pixel byte its
    // header describes.
    const unsigned __int128 described = DescribedPixelBytes(header);
    Check(described <= image.bitsSize);
    const uint64_t pixels = static_cast<uint64_t>(described);
    unsigned sum = 0;
    for (uint64_t i = 0; i < pixels; ++i) sum += image.bits[i];
    const uint32_t entries = DibPaletteSize(header);
    Check(entries <= kDibMaxColors);
    if (header.biBitCount <= 8) Check(header.biClrUsed <= kDibMaxColors);
    DibPaletteEntry palette[kDibMaxColors];
    DibPaletteFromColorTable(image.info.get() + kDibInfoHeaderSize, entries, palette);
    for (uint32_t i = 0; i < entries; ++i) sum += palette[i].red;
    return sum;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const uint64_t start = data[0] % 16;
    BufferSource source(data + 1, size - 1, start);
    DibImageBlocks image;
    if (DibReadImage(source, &image) != DibReadStatus::kOk) {
        Check(!image.info && !image.bits);
        return 0;
    }
    Check(image.bitsSize <= size);
    volatile unsigned sink = Touch(image);
    (void)sink;

    BufferSink out;
    Check(DibWriteImage(out, image.info.get(), image.bits.get(), image.bitsSize, true));
    BufferSource again(out.m_data.data(), out.m_data.size(), 0);
    DibImageBlocks back;
    Check(DibReadImage(again, &back) == DibReadStatus::kOk);
    DibInfoHeader before = DibDecodeInfoHeader(image.info.get());
    const DibInfoHeader after = DibDecodeInfoHeader(back.info.get());
    if (DibHasPlainRows(before)) before.biSizeImage = 0;
    Check(std::memcmp(&before, &after, sizeof before) == 0);
    Check(back.bitsSize <= image.bitsSize);
    Check(std::memcmp(back.bits.get(), image.bits.get(), back.bitsSize) == 0);
    return 0;
}
