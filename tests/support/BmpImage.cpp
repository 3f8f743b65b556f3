#include "tests/support/BmpImage.h"

#include <cstdio>

namespace scrivlo_test {

uint32_t CPixelImage::ColorRefAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= m_nWidth || y >= m_nHeight) return 0xFFFFFFFFu;
    const size_t index = static_cast<size_t>(y) * static_cast<size_t>(m_nWidth) + static_cast<size_t>(x);
    if (index >= m_pixels.size()) return 0xFFFFFFFFu;
    const uint32_t rgb = m_pixels[index];
    const uint32_t r = (rgb >> 16) & 0xFF, g = (rgb >> 8) & 0xFF, b = rgb & 0xFF;
    return r | (g << 8) | (b << 16);
}

namespace {

void PutLe(std::vector<uint8_t>& out, size_t at, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i) out[at + static_cast<size_t>(i)] = static_cast<uint8_t>(value >> (8 * i));
}

}  // namespace

std::vector<uint8_t> EncodeBmp24(const CPixelImage& image) {
    if (image.IsEmpty()) return {};
    const uint64_t width = static_cast<uint64_t>(image.m_nWidth);
    const uint64_t height = static_cast<uint64_t>(image.m_nHeight);
    if (image.m_pixels.size() != width * height) return {};
    const uint64_t stride = (width * 3 + 3) / 4 * 4;
    const uint64_t pixelBytes = stride * height;
    const uint64_t fileSize = 54 + pixelBytes;
    // The file and image sizes are 32-bit fields.
    if (fileSize > 0x7FFFFFFFu) return {};

    std::vector<uint8_t> out(static_cast<size_t>(fileSize), 0);
    out[0] = 'B';
    out[1] = 'M';
    PutLe(out, 2, static_cast<uint32_t>(fileSize), 4);
    PutLe(out, 10, 54, 4);  // offset of the pixels
    PutLe(out, 14, 40, 4);  // info header size
    PutLe(out, 18, static_cast<uint32_t>(width), 4);
    PutLe(out, 22, static_cast<uint32_t>(height), 4);  // positive: bottom-up
    PutLe(out, 26, 1, 2);                              // planes
    PutLe(out, 28, 24, 2);                             // bits a pixel
    PutLe(out, 30, 0, 4);                              // BI_RGB
    PutLe(out, 34, static_cast<uint32_t>(pixelBytes), 4);
    PutLe(out, 38, 2835, 4);  // 72 dots an inch
    PutLe(out, 42, 2835, 4);

    for (uint64_t row = 0; row < height; ++row) {
        const uint32_t* src = image.m_pixels.data() + (height - 1 - row) * width;
        uint8_t* dst = out.data() + 54 + row * stride;
        for (uint64_t x = 0; x < width; ++x) {
            dst[3 * x + 0] = static_cast<uint8_t>(src[x]);
            dst[3 * x + 1] = static_cast<uint8_t>(src[x] >> 8);
            dst[3 * x + 2] = static_cast<uint8_t>(src[x] >> 16);
        }
    }
    return out;
}

bool WriteBmp24File(const CPixelImage& image, const std::string& path) {
    const std::vector<uint8_t> bytes = EncodeBmp24(image);
    if (bytes.empty()) return false;
    FILE* file = std::fopen(path.c_str(), "wb");
    if (!file) return false;
    const size_t written = std::fwrite(bytes.data(), 1, bytes.size(), file);
    const bool closed = std::fclose(file) == 0;
    return written == bytes.size() && closed;
}

}  // namespace scrivlo_test
