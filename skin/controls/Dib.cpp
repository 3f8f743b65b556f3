#include "skin/controls/Dib.h"

#include <vector>

#include "skin/controls/DibFormat.h"

namespace {

class CFileSource : public DibByteSource {
public:
    explicit CFileSource(CFile* file) : m_pFile(file) {}
    uint32_t Read(void* buffer, uint32_t count) override { return m_pFile->Read(buffer, count); }
    uint64_t GetPosition() override { return m_pFile->GetPosition(); }
    void SeekTo(uint64_t position) override { m_pFile->Seek(static_cast<LONGLONG>(position), CFile::begin); }
    uint64_t GetLength() override { return m_pFile->GetLength(); }

private:
    CFile* m_pFile;
};

class CFileSink : public DibByteSink {
public:
    explicit CFileSink(CFile* file) : m_pFile(file) {}
    void Write(const void* buffer, uint32_t count) override { m_pFile->Write(buffer, count); }

private:
    CFile* m_pFile;
};

// Selects the image's palette into the DC for one drawing and back after.
class CPaletteScope {
public:
    CPaletteScope(CDC* pDC, CPalette* pPalette) : m_pDC(pDC), m_pOld(nullptr) {
        if (pPalette == nullptr) return;
        m_pOld = m_pDC->SelectPalette(pPalette, FALSE);
        m_pDC->RealizePalette();
        m_pDC->SetStretchBltMode(COLORONCOLOR);
    }
    ~CPaletteScope() {
        if (m_pOld != nullptr) m_pDC->SelectPalette(m_pOld, FALSE);
    }
    CPaletteScope(const CPaletteScope&) = delete;
    CPaletteScope& operator=(const CPaletteScope&) = delete;

private:
    CDC* m_pDC;
    CPalette* m_pOld;
};

}  // namespace

CDib::CDib() : m_pInfo(nullptr), m_pBits(nullptr), m_dwBitsSize(0), m_pPalette(nullptr), m_bLoaded(FALSE) {}

CDib::~CDib() {
    FreeImage();
    delete m_pPalette;
}

void CDib::FreeImage() {
    delete[] reinterpret_cast<BYTE*>(m_pInfo);
    delete[] m_pBits;
    m_pInfo = nullptr;
    m_pBits = nullptr;
    m_dwBitsSize = 0;
}

int CDib::DrawRect(CDC* pDC, const RECT* dest, const RECT* src) {
    CPaletteScope palette(pDC, m_pPalette);
    if (m_pInfo == nullptr) return 0;
    const LONG height = m_pInfo->bmiHeader.biHeight;
    // Rows are stored bottom-up: the source's bottom edge counts from the
    // image's last row.
    return ::SetDIBitsToDevice(pDC->GetSafeHdc(), dest->left, dest->top, static_cast<DWORD>(dest->right - dest->left),
                               static_cast<DWORD>(dest->bottom - dest->top), src->left, height - src->bottom, 0,
                               static_cast<UINT>(height), m_pBits, m_pInfo, DIB_RGB_COLORS);
}

BOOL CDib::DrawStretched(CDC* pDC, int x, int y, int cx, int cy) {
    CPaletteScope palette(pDC, m_pPalette);
    if (m_pInfo == nullptr) return FALSE;
    const int lines = ::StretchDIBits(pDC->GetSafeHdc(), x, y, cx, cy, 0, 0, m_pInfo->bmiHeader.biWidth,
                                      m_pInfo->bmiHeader.biHeight, m_pBits, m_pInfo, DIB_RGB_COLORS, SRCCOPY);
    return lines > 0 ? TRUE : FALSE;  // GDI_ERROR is -1
}

BOOL CDib::Draw(CDC* pDC, int x, int y) { return DrawStretched(pDC, x, y, GetWidth(), GetHeight()); }

BOOL CDib::Load(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeRead)) return FALSE;
    return Read(&file);  // the file closes as it goes out of scope
}

BOOL CDib::Read(CFile* file) {
    FreeImage();
    CFileSource source(file);
    DibImageBlocks image;
    const DibReadStatus status = DibReadImage(source, &image);
    if (status != DibReadStatus::kOk) {
        ::OutputDebugStringA(DibReadStatusText(status));
        return FALSE;
    }
    m_pInfo = reinterpret_cast<BITMAPINFO*>(image.info.release());
    m_pBits = image.bits.release();
    m_dwBitsSize = image.bitsSize;
    BuildPalette();
    m_bLoaded = TRUE;
    return TRUE;
}

BOOL CDib::Save(const CString& path) {
    CFile file;
    if (!file.Open(path, CFile::modeCreate | CFile::modeWrite)) return FALSE;
    return Write(&file);
}

BOOL CDib::Write(CFile* file) {
    if (m_pInfo == nullptr) return FALSE;
    CFileSink sink(file);
    return DibWriteImage(sink, reinterpret_cast<const unsigned char*>(m_pInfo), m_pBits, m_dwBitsSize,
                         m_bLoaded != FALSE)
               ? TRUE
               : FALSE;
}

RGBQUAD* CDib::GetColorTable() const { return m_pInfo != nullptr ? m_pInfo->bmiColors : nullptr; }

int CDib::GetWidth() const { return m_pInfo != nullptr ? m_pInfo->bmiHeader.biWidth : 0; }

int CDib::GetHeight() const { return m_pInfo != nullptr ? m_pInfo->bmiHeader.biHeight : 0; }

DWORD CDib::GetColorCount() const {
    if (m_pInfo == nullptr) return 0;
    return DibColorCount(DibDecodeInfoHeader(reinterpret_cast<const unsigned char*>(m_pInfo)));
}

BOOL CDib::BuildPalette() {
    delete m_pPalette;
    m_pPalette = nullptr;
    if (m_pInfo == nullptr) return FALSE;
    const DibInfoHeader header = DibDecodeInfoHeader(reinterpret_cast<const unsigned char*>(m_pInfo));
    const uint32_t count = DibPaletteSize(header);
    if (count == 0) return FALSE;

    std::vector<DibPaletteEntry> entries(count);
    DibPaletteFromColorTable(reinterpret_cast<const unsigned char*>(m_pInfo->bmiColors), count, entries.data());
    std::vector<BYTE> block(sizeof(LOGPALETTE) + (count - 1) * sizeof(PALETTEENTRY));
    LOGPALETTE* logPalette = reinterpret_cast<LOGPALETTE*>(block.data());
    logPalette->palVersion = 0x300;
    logPalette->palNumEntries = static_cast<WORD>(count);
    PALETTEENTRY* out = logPalette->palPalEntry;  // count entries of room
    for (uint32_t i = 0; i < count; ++i) {
        PALETTEENTRY& entry = out[i];
        entry.peRed = entries[i].red;
        entry.peGreen = entries[i].green;
        entry.peBlue = entries[i].blue;
        entry.peFlags = entries[i].flags;
    }
    CPalette* palette = new CPalette;
    if (!palette->CreatePalette(logPalette)) {
        delete palette;
        return FALSE;
    }
    m_pPalette = palette;
    return TRUE;
}
