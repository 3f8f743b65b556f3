// A captured window image and its 24-bit BMP file form. Window-free, so the
// encoder is checked natively as well as under Wine.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scrivlo_test {

// Pixels top row first, each 0x00RRGGBB (the byte order of a 32-bpp DIB:
// blue, green, red, unused).
struct CPixelImage {
    int m_nWidth = 0;
    int m_nHeight = 0;
    std::vector<uint32_t> m_pixels;

    bool IsEmpty() const { return m_nWidth <= 0 || m_nHeight <= 0; }
    // The pixel at (x, y) as a COLORREF value 0x00BBGGRR; 0xFFFFFFFF outside
    // the image (CLR_INVALID).
    uint32_t ColorRefAt(int x, int y) const;
};

// The whole .bmp file: 14-byte file header, 40-byte info header, rows
// bottom-up, three bytes a pixel, each row padded to a multiple of 4 bytes.
// An empty or inconsistent image gives an empty result.
std::vector<uint8_t> EncodeBmp24(const CPixelImage& image);

// Writes EncodeBmp24's bytes to path; false when there is nothing to write
// or the file cannot be written completely.
bool WriteBmp24File(const CPixelImage& image, const std::string& path);

}  // namespace scrivlo_test
