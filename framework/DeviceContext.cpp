// CDC and the window DCs.
#include "framework/DeviceContext.h"

#include <map>

#include "framework/Strings.h"
#include "framework/Wnd.h"
#include "framework/WndThreadState.h"

namespace {

// Wrappers of this thread that hold original selections to restore.
CDC*& TrackedHead() { return AfxGetThreadData().pTrackedHead; }

const DWORD kObjectTypeOfKind[] = {OBJ_PEN, OBJ_BRUSH, OBJ_FONT, OBJ_BITMAP, OBJ_PAL};

int KindOfObject(HGDIOBJ h) {
    switch (::GetObjectType(h)) {
    case OBJ_PEN:
    case OBJ_EXTPEN: return 0;
    case OBJ_BRUSH: return 1;
    case OBJ_FONT: return 2;
    case OBJ_BITMAP: return 3;
    case OBJ_PAL: return 4;
    default: return -1;
    }
}

HWND WindowOf(CWnd* pWnd) { return pWnd ? pWnd->m_hWnd : nullptr; }

}  // namespace

CDC::CDC()
    : m_hDC(nullptr),
      m_kind(kNone),
      m_hOriginal(),
      m_pNextTracked(nullptr),
      m_pPrevTracked(nullptr),
      m_bLinked(false) {}

CDC::~CDC() {
    if (m_kind == kOwned)
        DeleteDC();
    else if (m_kind == kBorrowed)
        Detach();
    Unlink();
}

BOOL CDC::Attach(HDC hDC) {
    if (!hDC) return FALSE;
    if (m_hDC) {
        if (m_kind == kOwned)
            DeleteDC();
        else
            Detach();
    }
    m_hDC = hDC;
    if (m_kind != kTemporary) m_kind = kBorrowed;
    return TRUE;
}

HDC CDC::Detach() {
    RestoreSelections();
    HDC h = m_hDC;
    m_hDC = nullptr;
    if (m_kind != kTemporary) m_kind = kNone;
    return h;
}

BOOL CDC::CreateCompatibleDC(CDC* pDC) {
    HDC h = ::CreateCompatibleDC(pDC ? pDC->m_hDC : nullptr);
    if (!h) return FALSE;
    if (m_hDC) {
        if (m_kind == kOwned)
            DeleteDC();
        else
            Detach();
    }
    m_hDC = h;
    m_kind = kOwned;
    return TRUE;
}

BOOL CDC::DeleteDC() {
    if (!m_hDC) return FALSE;
    const bool bOwned = m_kind == kOwned;
    HDC h = Detach();
    return bOwned ? ::DeleteDC(h) : FALSE;
}

CDC* CDC::FromHandle(HDC hDC) {
    if (!hDC) return nullptr;
    auto& temps = AfxGetThreadData().tempDCs;
    auto it = temps.find(hDC);
    if (it != temps.end()) return it->second;
    CDC* p = new CDC;
    p->m_kind = kTemporary;
    p->m_hDC = hDC;
    temps.emplace(hDC, p);
    return p;
}

void CDC::DeleteTempMap() {
    std::map<HDC, CDC*> old;
    old.swap(AfxGetThreadData().tempDCs);
    for (auto& e : old) delete e.second;
}

// ---- selection tracking ----

void CDC::Track(int nKind, HGDIOBJ hPrevious) {
    if (m_kind == kTemporary || nKind < 0 || !hPrevious) return;
    if (!m_hOriginal[nKind]) m_hOriginal[nKind] = hPrevious;
    Link();
}

void CDC::Link() {
    if (m_bLinked) return;
    CDC*& head = TrackedHead();
    m_pPrevTracked = nullptr;
    m_pNextTracked = head;
    if (head) head->m_pPrevTracked = this;
    head = this;
    m_bLinked = true;
}

void CDC::Unlink() {
    if (!m_bLinked) return;
    if (m_pPrevTracked)
        m_pPrevTracked->m_pNextTracked = m_pNextTracked;
    else
        TrackedHead() = m_pNextTracked;
    if (m_pNextTracked) m_pNextTracked->m_pPrevTracked = m_pPrevTracked;
    m_pNextTracked = m_pPrevTracked = nullptr;
    m_bLinked = false;
}

void CDC::RestoreSelections() {
    for (int k = 0; k < kKinds; ++k) {
        HGDIOBJ h = m_hOriginal[k];
        m_hOriginal[k] = nullptr;
        if (!h || !m_hDC) continue;
        if (k == kPalette)
            ::SelectPalette(m_hDC, static_cast<HPALETTE>(h), FALSE);
        else
            ::SelectObject(m_hDC, h);
    }
    Unlink();
}

int CDC::GetTrackedSelectionCount() const {
    int n = 0;
    for (HGDIOBJ h : m_hOriginal) n += h != nullptr;
    return n;
}

void CDC::ReleaseFromTrackedDCs(HGDIOBJ hObject) {
    if (!hObject) return;
    for (CDC* p = TrackedHead(); p; p = p->m_pNextTracked) {
        if (!p->m_hDC) continue;
        for (int k = 0; k < kKinds; ++k) {
            HGDIOBJ hOriginal = p->m_hOriginal[k];
            if (!hOriginal || hOriginal == hObject) continue;
            if (::GetCurrentObject(p->m_hDC, kObjectTypeOfKind[k]) != hObject) continue;
            if (k == kPalette)
                ::SelectPalette(p->m_hDC, static_cast<HPALETTE>(hOriginal), FALSE);
            else
                ::SelectObject(p->m_hDC, hOriginal);
        }
    }
}

// ---- selection ----

CPen* CDC::SelectObject(CPen* pPen) {
    if (!pPen || !pPen->m_hObject || !m_hDC) return nullptr;
    HGDIOBJ prev = ::SelectObject(m_hDC, pPen->m_hObject);
    if (!prev || prev == HGDI_ERROR) return nullptr;
    Track(kPen, prev);
    return CPen::FromHandle(static_cast<HPEN>(prev));
}

CBrush* CDC::SelectObject(CBrush* pBrush) {
    if (!pBrush || !pBrush->m_hObject || !m_hDC) return nullptr;
    HGDIOBJ prev = ::SelectObject(m_hDC, pBrush->m_hObject);
    if (!prev || prev == HGDI_ERROR) return nullptr;
    Track(kBrush, prev);
    return CBrush::FromHandle(static_cast<HBRUSH>(prev));
}

CFont* CDC::SelectObject(CFont* pFont) {
    if (!pFont || !pFont->m_hObject || !m_hDC) return nullptr;
    HGDIOBJ prev = ::SelectObject(m_hDC, pFont->m_hObject);
    if (!prev || prev == HGDI_ERROR) return nullptr;
    Track(kFont, prev);
    return CFont::FromHandle(static_cast<HFONT>(prev));
}

CBitmap* CDC::SelectObject(CBitmap* pBitmap) {
    if (!pBitmap || !pBitmap->m_hObject || !m_hDC) return nullptr;
    HGDIOBJ prev = ::SelectObject(m_hDC, pBitmap->m_hObject);
    if (!prev || prev == HGDI_ERROR) return nullptr;
    Track(kBitmap, prev);
    return CBitmap::FromHandle(static_cast<HBITMAP>(prev));
}

int CDC::SelectObject(CRgn* pRgn) {
    if (!pRgn || !pRgn->m_hObject || !m_hDC) return ERROR;
    return ::SelectClipRgn(m_hDC, *pRgn);
}

HGDIOBJ CDC::SelectObject(HGDIOBJ hObject) {
    if (!hObject || !m_hDC) return nullptr;
    if (::GetObjectType(hObject) == OBJ_REGION) {
        // Regions are copied as the clipping region; nothing to restore.
        return reinterpret_cast<HGDIOBJ>(static_cast<INT_PTR>(::SelectClipRgn(m_hDC, static_cast<HRGN>(hObject))));
    }
    HGDIOBJ prev = ::SelectObject(m_hDC, hObject);
    if (!prev || prev == HGDI_ERROR) return nullptr;
    Track(KindOfObject(prev), prev);
    return prev;
}

CGdiObject* CDC::SelectStockObject(int nIndex) {
    HGDIOBJ h = ::GetStockObject(nIndex);
    if (!h || !m_hDC) return nullptr;
    HGDIOBJ prev = ::SelectObject(m_hDC, h);
    if (!prev || prev == HGDI_ERROR) return nullptr;
    Track(KindOfObject(prev), prev);
    return CGdiObject::FromHandle(prev);
}

CPalette* CDC::SelectPalette(CPalette* pPalette, BOOL bForceBackground) {
    if (!pPalette || !pPalette->m_hObject || !m_hDC) return nullptr;
    HPALETTE prev = ::SelectPalette(m_hDC, *pPalette, bForceBackground);
    if (!prev) return nullptr;
    Track(kPalette, prev);
    return CPalette::FromHandle(prev);
}

UINT CDC::RealizePalette() { return m_hDC ? ::RealizePalette(m_hDC) : GDI_ERROR; }

CPen* CDC::GetCurrentPen() const {
    return m_hDC ? CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(m_hDC, OBJ_PEN))) : nullptr;
}
CBrush* CDC::GetCurrentBrush() const {
    return m_hDC ? CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(m_hDC, OBJ_BRUSH))) : nullptr;
}
CFont* CDC::GetCurrentFont() const {
    return m_hDC ? CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(m_hDC, OBJ_FONT))) : nullptr;
}
CBitmap* CDC::GetCurrentBitmap() const {
    return m_hDC ? CBitmap::FromHandle(static_cast<HBITMAP>(::GetCurrentObject(m_hDC, OBJ_BITMAP))) : nullptr;
}
CPalette* CDC::GetCurrentPalette() const {
    return m_hDC ? CPalette::FromHandle(static_cast<HPALETTE>(::GetCurrentObject(m_hDC, OBJ_PAL))) : nullptr;
}

// ---- attributes ----

CPoint CDC::SetBrushOrg(int x, int y) {
    POINT pt = {0, 0};
    ::SetBrushOrgEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

CPoint CDC::SetViewportOrg(int x, int y) {
    POINT pt = {0, 0};
    ::SetViewportOrgEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

// ---- clipping ----

int CDC::SelectClipRgn(CRgn* pRgn) {
    return ::SelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr);
}

int CDC::SelectClipRgn(CRgn* pRgn, int nMode) {
    return ::ExtSelectClipRgn(m_hDC, pRgn ? static_cast<HRGN>(pRgn->m_hObject) : nullptr, nMode);
}

// ---- rectangles ----

void CDC::FillRect(LPCRECT lpRect, CBrush* pBrush) {
    if (pBrush) FillRect(lpRect, static_cast<HBRUSH>(pBrush->m_hObject));
}

void CDC::FillRect(LPCRECT lpRect, HBRUSH hBrush) {
    if (lpRect && hBrush) ::FillRect(m_hDC, lpRect, hBrush);
}

void CDC::FrameRect(LPCRECT lpRect, CBrush* pBrush) {
    if (lpRect && pBrush && pBrush->m_hObject) ::FrameRect(m_hDC, lpRect, *pBrush);
}

void CDC::InvertRect(LPCRECT lpRect) {
    if (lpRect) ::InvertRect(m_hDC, lpRect);
}

void CDC::FillSolidRect(LPCRECT lpRect, COLORREF clr) {
    if (!lpRect) return;
    ::SetBkColor(m_hDC, clr);
    ::ExtTextOutA(m_hDC, 0, 0, ETO_OPAQUE, lpRect, "", 0, nullptr);
}

void CDC::FillSolidRect(int x, int y, int cx, int cy, COLORREF clr) {
    const RECT rc = {x, y, x + cx, y + cy};
    FillSolidRect(&rc, clr);
}

void CDC::Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    if (lpRect)
        Draw3dRect(lpRect->left, lpRect->top, lpRect->right - lpRect->left, lpRect->bottom - lpRect->top, clrTopLeft,
                   clrBottomRight);
}

void CDC::Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight) {
    if (cx <= 0 || cy <= 0) return;
    // Top and left edges stop one pixel short: the top-right and bottom-left
    // corners belong to the bottom-right colour.
    FillSolidRect(x, y, cx - 1, 1, clrTopLeft);
    FillSolidRect(x, y, 1, cy - 1, clrTopLeft);
    FillSolidRect(x + cx - 1, y, 1, cy, clrBottomRight);
    FillSolidRect(x, y + cy - 1, cx, 1, clrBottomRight);
}

void CDC::DrawFocusRect(LPCRECT lpRect) {
    if (lpRect) ::DrawFocusRect(m_hDC, lpRect);
}

BOOL CDC::DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags) {
    return lpRect ? ::DrawEdge(m_hDC, lpRect, nEdge, nFlags) : FALSE;
}

BOOL CDC::DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState) {
    return lpRect ? ::DrawFrameControl(m_hDC, lpRect, nType, nState) : FALSE;
}

BOOL CDC::FillRgn(CRgn* pRgn, CBrush* pBrush) { return pRgn && pBrush ? ::FillRgn(m_hDC, *pRgn, *pBrush) : FALSE; }

BOOL CDC::FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight) {
    return pRgn && pBrush ? ::FrameRgn(m_hDC, *pRgn, *pBrush, nWidth, nHeight) : FALSE;
}

BOOL CDC::PaintRgn(CRgn* pRgn) { return pRgn ? ::PaintRgn(m_hDC, *pRgn) : FALSE; }

// ---- lines and shapes ----

CPoint CDC::MoveTo(int x, int y) {
    POINT pt = {0, 0};
    ::MoveToEx(m_hDC, x, y, &pt);
    return CPoint(pt);
}

BOOL CDC::Polyline(const POINT* lpPoints, int nCount) { return lpPoints ? ::Polyline(m_hDC, lpPoints, nCount) : FALSE; }
BOOL CDC::Polygon(const POINT* lpPoints, int nCount) { return lpPoints ? ::Polygon(m_hDC, lpPoints, nCount) : FALSE; }
BOOL CDC::Rectangle(LPCRECT r) { return r ? Rectangle(r->left, r->top, r->right, r->bottom) : FALSE; }
BOOL CDC::RoundRect(LPCRECT r, POINT pt) {
    return r ? RoundRect(r->left, r->top, r->right, r->bottom, pt.x, pt.y) : FALSE;
}
BOOL CDC::Ellipse(LPCRECT r) { return r ? Ellipse(r->left, r->top, r->right, r->bottom) : FALSE; }

// ---- text ----

int CDC::DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    if (!lpszString || !lpRect) return 0;
    return ::DrawTextA(m_hDC, lpszString, nCount, lpRect, nFormat);
}

int CDC::DrawText(const CString& str, LPRECT lpRect, UINT nFormat) {
    return DrawText(str.GetString(), str.GetLength(), lpRect, nFormat);
}

int CDC::DrawTextW(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat) {
    if (!lpszString || !lpRect) return 0;
    return ::DrawTextW(m_hDC, lpszString, nCount, lpRect, nFormat);
}

BOOL CDC::TextOut(int x, int y, LPCSTR lpszString, int nCount) {
    return lpszString ? ::TextOutA(m_hDC, x, y, lpszString, nCount) : FALSE;
}

BOOL CDC::TextOut(int x, int y, const CString& str) { return TextOut(x, y, str.GetString(), str.GetLength()); }

BOOL CDC::ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount,
                     const INT* lpDxWidths) {
    return ::ExtTextOutA(m_hDC, x, y, nOptions, lpRect, lpszString ? lpszString : "", lpszString ? nCount : 0,
                         lpDxWidths);
}

CSize CDC::GetTextExtent(LPCSTR lpszString, int nCount) const {
    SIZE s = {0, 0};
    if (lpszString && nCount > 0) ::GetTextExtentPoint32A(m_hDC, lpszString, nCount, &s);
    return CSize(s);
}

CSize CDC::GetTextExtent(const CString& str) const { return GetTextExtent(str.GetString(), str.GetLength()); }

BOOL CDC::GetTextMetrics(LPTEXTMETRICA lpMetrics) const {
    return lpMetrics ? ::GetTextMetricsA(m_hDC, lpMetrics) : FALSE;
}

// ---- bitmaps and icons ----

BOOL CDC::BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop) {
    return ::BitBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, dwRop);
}

BOOL CDC::StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                     int nSrcHeight, DWORD dwRop) {
    return ::StretchBlt(m_hDC, x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc, ySrc, nSrcWidth,
                        nSrcHeight, dwRop);
}

BOOL CDC::DrawIcon(int x, int y, HICON hIcon) { return hIcon ? ::DrawIcon(m_hDC, x, y, hIcon) : FALSE; }

BOOL CDC::DrawIconEx(int x, int y, HICON hIcon, int cx, int cy, UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw,
                     UINT diFlags) {
    return hIcon ? ::DrawIconEx(m_hDC, x, y, hIcon, cx, cy, istepIfAniCur, hbrFlickerFreeDraw, diFlags) : FALSE;
}

BOOL CDC::DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush) {
    return ::DrawStateA(m_hDC, hBrush, nullptr, reinterpret_cast<LPARAM>(hIcon), 0, pt.x, pt.y, size.cx, size.cy,
                        nFlags | DST_ICON);
}

// ---- window DCs ----

CPaintDC::CPaintDC(CWnd* pWnd) : CPaintDC(WindowOf(pWnd)) {}

CPaintDC::CPaintDC(HWND hWnd) : m_ps(), m_hWnd(hWnd) {
    HDC h = hWnd ? ::BeginPaint(hWnd, &m_ps) : nullptr;
    if (h) {
        m_hDC = h;
        m_kind = kBorrowed;
    }
}

CPaintDC::~CPaintDC() {
    if (m_hDC) {
        HDC h = Detach();
        (void)h;
        ::EndPaint(m_hWnd, &m_ps);
    }
}

CClientDC::CClientDC(CWnd* pWnd) : CClientDC(WindowOf(pWnd)) {}

CClientDC::CClientDC(HWND hWnd) : m_hWnd(hWnd) {
    HDC h = ::GetDC(hWnd);
    if (h) {
        m_hDC = h;
        m_kind = kBorrowed;
    }
}

CClientDC::~CClientDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}

CWindowDC::CWindowDC(CWnd* pWnd) : CWindowDC(WindowOf(pWnd)) {}

CWindowDC::CWindowDC(HWND hWnd) : m_hWnd(hWnd) {
    HDC h = ::GetWindowDC(hWnd);
    if (h) {
        m_hDC = h;
        m_kind = kBorrowed;
    }
}

CWindowDC::~CWindowDC() {
    if (m_hDC) ::ReleaseDC(m_hWnd, Detach());
}
