// GDI object wrappers and their per-thread temporary wrappers.
#include "framework/GdiObjects.h"

#include <atomic>
#include <map>
#include <utility>

#include "framework/DeviceContext.h"
#include "framework/ModuleState.h"
#include "framework/WndThreadState.h"

namespace {

std::atomic<long> g_nLiveGdiObjects(0);

enum TempKind { kAny, kPen, kBrush, kFont, kBitmap, kPalette, kRgn };

}  // namespace

// Temporary wrappers of this thread (kept in its thread data), one per
// handle and wrapper type.
class CGdiTempMap {
public:
    template <class T>
    T* Get(int nKind, HGDIOBJ h) {
        if (!h) return nullptr;
        auto& map = AfxGetThreadData().tempGdi;
        auto key = std::make_pair(nKind, h);
        auto it = map.find(key);
        if (it != map.end()) return static_cast<T*>(it->second);
        T* p = new T;
        p->m_hObject = h;
        p->m_bTemporary = true;
        map.emplace(key, p);
        return p;
    }

    void Clear() {
        std::map<std::pair<int, HGDIOBJ>, CGdiObject*> old;
        old.swap(AfxGetThreadData().tempGdi);
        for (auto& e : old) delete e.second;
    }
};

namespace {

CGdiTempMap TempMap() { return CGdiTempMap(); }

}  // namespace

CGdiObject::~CGdiObject() {
    if (!m_bTemporary) DeleteObject();
}

BOOL CGdiObject::Attach(HGDIOBJ hObject) {
    if (!hObject) return FALSE;
    if (hObject == m_hObject) return TRUE;
    if (m_hObject) DeleteObject();
    m_hObject = hObject;
    if (!m_bTemporary) ++g_nLiveGdiObjects;
    return TRUE;
}

HGDIOBJ CGdiObject::Detach() {
    HGDIOBJ h = m_hObject;
    if (h && !m_bTemporary) --g_nLiveGdiObjects;
    m_hObject = nullptr;
    return h;
}

BOOL CGdiObject::DeleteObject() {
    if (!m_hObject) return FALSE;
    if (m_bTemporary) {
        // A temporary wrapper does not own its object; it only forgets it.
        m_hObject = nullptr;
        return FALSE;
    }
    HGDIOBJ h = Detach();
    CDC::ReleaseFromTrackedDCs(h);
    return ::DeleteObject(h);
}

BOOL CGdiObject::CreateStockObject(int nIndex) { return Attach(::GetStockObject(nIndex)); }

int CGdiObject::GetObject(int nCount, LPVOID lpObject) const {
    return m_hObject ? ::GetObjectA(m_hObject, nCount, lpObject) : 0;
}

UINT CGdiObject::GetObjectType() const { return m_hObject ? ::GetObjectType(m_hObject) : 0; }

BOOL CGdiObject::UnrealizeObject() { return m_hObject ? ::UnrealizeObject(m_hObject) : FALSE; }

CGdiObject* CGdiObject::FromHandle(HGDIOBJ hObject) { return TempMap().Get<CGdiObject>(kAny, hObject); }

void CGdiObject::DeleteTempMap() { TempMap().Clear(); }

long CGdiObject::GetLiveCount() { return g_nLiveGdiObjects.load(); }

// ---- CPen ----

BOOL CPen::CreatePen(int nPenStyle, int nWidth, COLORREF crColor) {
    return Attach(::CreatePen(nPenStyle, nWidth, crColor));
}

BOOL CPen::CreatePenIndirect(const LOGPEN* lpLogPen) {
    return lpLogPen ? Attach(::CreatePenIndirect(lpLogPen)) : FALSE;
}

CPen* CPen::FromHandle(HPEN hPen) { return TempMap().Get<CPen>(kPen, hPen); }

// ---- CBrush ----

BOOL CBrush::CreateSolidBrush(COLORREF crColor) { return Attach(::CreateSolidBrush(crColor)); }

BOOL CBrush::CreateSysColorBrush(int nIndex) { return Attach(::GetSysColorBrush(nIndex)); }

BOOL CBrush::CreateHatchBrush(int nIndex, COLORREF crColor) { return Attach(::CreateHatchBrush(nIndex, crColor)); }

BOOL CBrush::CreatePatternBrush(CBitmap* pBitmap) {
    return pBitmap && pBitmap->m_hObject ? Attach(::CreatePatternBrush(*pBitmap)) : FALSE;
}

BOOL CBrush::CreateBrushIndirect(const LOGBRUSH* lpLogBrush) {
    return lpLogBrush ? Attach(::CreateBrushIndirect(lpLogBrush)) : FALSE;
}

CBrush* CBrush::FromHandle(HBRUSH hBrush) { return TempMap().Get<CBrush>(kBrush, hBrush); }

// ---- CFont ----

BOOL CFont::CreateFontIndirect(const LOGFONTA* lpLogFont) {
    return lpLogFont ? Attach(::CreateFontIndirectA(lpLogFont)) : FALSE;
}

BOOL CFont::CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                       BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                       BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename) {
    return Attach(::CreateFontA(nHeight, nWidth, nEscapement, nOrientation, nWeight, bItalic, bUnderline, cStrikeOut,
                                nCharSet, nOutPrecision, nClipPrecision, nQuality, nPitchAndFamily, lpszFacename));
}

CFont* CFont::FromHandle(HFONT hFont) { return TempMap().Get<CFont>(kFont, hFont); }

// ---- CBitmap ----

BOOL CBitmap::CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits) {
    return Attach(::CreateBitmap(nWidth, nHeight, nPlanes, nBitcount, lpBits));
}

BOOL CBitmap::CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight) {
    if (pDC && pDC->m_hDC) return Attach(::CreateCompatibleBitmap(pDC->m_hDC, nWidth, nHeight));
    // No DC: compatible with the screen.
    HDC hScreen = ::GetDC(nullptr);
    const BOOL b = Attach(::CreateCompatibleBitmap(hScreen, nWidth, nHeight));
    ::ReleaseDC(nullptr, hScreen);
    return b;
}

BOOL CBitmap::LoadBitmap(UINT nIDResource) {
    return Attach(::LoadBitmapA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource)));
}

CSize CBitmap::GetBitmapDimension() const {
    SIZE s = {0, 0};
    if (m_hObject) ::GetBitmapDimensionEx(static_cast<HBITMAP>(m_hObject), &s);
    return CSize(s);
}

CBitmap* CBitmap::FromHandle(HBITMAP hBitmap) { return TempMap().Get<CBitmap>(kBitmap, hBitmap); }

// ---- CPalette ----

BOOL CPalette::CreatePalette(const LOGPALETTE* lpLogPalette) {
    return lpLogPalette ? Attach(::CreatePalette(lpLogPalette)) : FALSE;
}

BOOL CPalette::CreateHalftonePalette(CDC* pDC) {
    return pDC && pDC->m_hDC ? Attach(::CreateHalftonePalette(pDC->m_hDC)) : FALSE;
}

int CPalette::GetEntryCount() const {
    WORD n = 0;
    if (!m_hObject || ::GetObjectA(m_hObject, sizeof n, &n) == 0) return 0;
    return n;
}

UINT CPalette::GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const {
    return m_hObject ? ::GetPaletteEntries(*this, nStartIndex, nNumEntries, lpPaletteColors) : 0;
}

CPalette* CPalette::FromHandle(HPALETTE hPalette) { return TempMap().Get<CPalette>(kPalette, hPalette); }

// ---- CRgn ----

BOOL CRgn::CreateRectRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateRectRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateRectRgnIndirect(LPCRECT lpRect) { return lpRect ? Attach(::CreateRectRgnIndirect(lpRect)) : FALSE; }

BOOL CRgn::CreateEllipticRgn(int x1, int y1, int x2, int y2) { return Attach(::CreateEllipticRgn(x1, y1, x2, y2)); }

BOOL CRgn::CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3) {
    return Attach(::CreateRoundRectRgn(x1, y1, x2, y2, x3, y3));
}

BOOL CRgn::CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode) {
    return lpPoints ? Attach(::CreatePolygonRgn(lpPoints, nCount, nMode)) : FALSE;
}

int CRgn::CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode) {
    if (!m_hObject || !pRgn1 || !pRgn1->m_hObject) return ERROR;
    HRGN h2 = pRgn2 ? static_cast<HRGN>(pRgn2->m_hObject) : nullptr;
    if (!h2 && nCombineMode != RGN_COPY) return ERROR;
    return ::CombineRgn(*this, *pRgn1, h2, nCombineMode);
}

int CRgn::CopyRgn(const CRgn* pRgnSrc) {
    if (!m_hObject || !pRgnSrc || !pRgnSrc->m_hObject) return ERROR;
    return ::CombineRgn(*this, *pRgnSrc, nullptr, RGN_COPY);
}

void CRgn::SetRectRgn(int x1, int y1, int x2, int y2) {
    if (m_hObject) ::SetRectRgn(*this, x1, y1, x2, y2);
}

void CRgn::SetRectRgn(LPCRECT lpRect) {
    if (lpRect) SetRectRgn(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
}

int CRgn::OffsetRgn(int x, int y) { return m_hObject ? ::OffsetRgn(*this, x, y) : ERROR; }

int CRgn::GetRgnBox(LPRECT lpRect) const { return m_hObject && lpRect ? ::GetRgnBox(*this, lpRect) : ERROR; }

BOOL CRgn::PtInRegion(int x, int y) const { return m_hObject ? ::PtInRegion(*this, x, y) : FALSE; }

BOOL CRgn::RectInRegion(LPCRECT lpRect) const { return m_hObject && lpRect ? ::RectInRegion(*this, lpRect) : FALSE; }

BOOL CRgn::EqualRgn(const CRgn* pRgn) const {
    return m_hObject && pRgn && pRgn->m_hObject ? ::EqualRgn(*this, *pRgn) : FALSE;
}

CRgn* CRgn::FromHandle(HRGN hRgn) { return TempMap().Get<CRgn>(kRgn, hRgn); }
