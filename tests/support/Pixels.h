// Pixels for tests to probe: a memory canvas that drawing code paints into,
// and expectations on chosen pixels that name the point and both colours
// when they fail.
#pragma once

#include <windows.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace scrivlo_test {

// A colour as six hexadecimal digits (BBGGRR, as a COLORREF holds it), so
// that a failed comparison shows both colours readably.
std::string ColorText(COLORREF clr);

// A memory DC with a top-down 32-bpp DIB section selected into it, every
// pixel set to fill at the start.
class CDibCanvas {
public:
    CDibCanvas(int cx, int cy, COLORREF fill);
    ~CDibCanvas();
    CDibCanvas(const CDibCanvas&) = delete;
    CDibCanvas& operator=(const CDibCanvas&) = delete;

    bool IsValid() const { return m_pBits != nullptr; }
    HDC DC() const { return m_hDC; }
    int Width() const { return m_cx; }
    int Height() const { return m_cy; }

    // The pixel as a COLORREF; CLR_INVALID outside the canvas.
    COLORREF At(int x, int y) const;
    // The pixel's 32 bits as stored (0x00RRGGBB for what GDI draws).
    std::uint32_t Bits(int x, int y) const;
    // Sets every pixel to these bits; a value with the top byte set is one
    // no GDI drawing leaves, so untouched pixels can be told apart.
    void FillBits(std::uint32_t bits);
    // How many pixels hold this colour.
    int Count(COLORREF clr) const;

private:
    int m_cx, m_cy;
    HDC m_hDC = nullptr;
    HBITMAP m_hBitmap = nullptr;
    HGDIOBJ m_hOld = nullptr;
    std::uint32_t* m_pBits = nullptr;
};

struct PixelProbe {
    int x, y;
    COLORREF expected;
    const char* what = nullptr;  // what the pixel is, for the message
};

// Reads each probe's pixel with read and expects its colour; a mismatch
// names the context, what the pixel is and the point.
void ExpectPixels(const std::function<COLORREF(int x, int y)>& read, const std::string& context,
                  const std::vector<PixelProbe>& probes);
void ExpectPixels(const CDibCanvas& canvas, const std::string& context, const std::vector<PixelProbe>& probes);

// One pixel of the window through its window DC (x and y from the window's
// top-left corner) or its client DC.
COLORREF WindowPixel(HWND window, int x, int y);
COLORREF ClientPixel(HWND window, int x, int y);

}  // namespace scrivlo_test
