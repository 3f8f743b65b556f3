#include "tests/support/Pixels.h"

#include <gtest/gtest.h>

#include <cstdio>

namespace scrivlo_test {

std::string ColorText(COLORREF clr) {
    char buf[16];
    std::snprintf(buf, sizeof(buf), "%06lX", static_cast<unsigned long>(clr));
    return buf;
}

CDibCanvas::CDibCanvas(int cx, int cy, COLORREF fill) : m_cx(cx), m_cy(cy) {
    BITMAPINFO bi = {};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = cx;
    bi.bmiHeader.biHeight = -cy;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    bi.bmiHeader.biCompression = BI_RGB;
    m_hDC = ::CreateCompatibleDC(nullptr);
    void* bits = nullptr;
    m_hBitmap = ::CreateDIBSection(m_hDC, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    m_pBits = static_cast<std::uint32_t*>(bits);
    m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    FillBits((GetRValue(fill) << 16) | (GetGValue(fill) << 8) | GetBValue(fill));
}

CDibCanvas::~CDibCanvas() {
    ::SelectObject(m_hDC, m_hOld);
    ::DeleteObject(m_hBitmap);
    ::DeleteDC(m_hDC);
}

std::uint32_t CDibCanvas::Bits(int x, int y) const {
    ::GdiFlush();
    return m_pBits[y * m_cx + x];
}

COLORREF CDibCanvas::At(int x, int y) const {
    if (m_pBits == nullptr || x < 0 || y < 0 || x >= m_cx || y >= m_cy) return CLR_INVALID;
    const std::uint32_t v = Bits(x, y);
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void CDibCanvas::FillBits(std::uint32_t bits) {
    if (m_pBits == nullptr) return;
    ::GdiFlush();
    for (int i = 0; i < m_cx * m_cy; ++i) m_pBits[i] = bits;
}

int CDibCanvas::Count(COLORREF clr) const {
    int n = 0;
    for (int y = 0; y < m_cy; ++y)
        for (int x = 0; x < m_cx; ++x) n += At(x, y) == clr;
    return n;
}

void ExpectPixels(const std::function<COLORREF(int x, int y)>& read, const std::string& context,
                  const std::vector<PixelProbe>& probes) {
    for (const PixelProbe& p : probes) {
        EXPECT_EQ(ColorText(read(p.x, p.y)), ColorText(p.expected))
            << context << (p.what != nullptr ? ": " : "") << (p.what != nullptr ? p.what : "") << " at (" << p.x << ", "
            << p.y << ")";
    }
}

void ExpectPixels(const CDibCanvas& canvas, const std::string& context, const std::vector<PixelProbe>& probes) {
    ExpectPixels([&](int x, int y) { return canvas.At(x, y); }, context, probes);
}

COLORREF WindowPixel(HWND window, int x, int y) {
    HDC hDC = ::GetWindowDC(window);
    const COLORREF c = ::GetPixel(hDC, x, y);
    ::ReleaseDC(window, hDC);
    return c;
}

COLORREF ClientPixel(HWND window, int x, int y) {
    HDC hDC = ::GetDC(window);
    const COLORREF c = ::GetPixel(hDC, x, y);
    ::ReleaseDC(window, hDC);
    return c;
}

}  // namespace scrivlo_test
