// Owning wrappers of GDI objects. A wrapper deletes the object it holds when
// the object is replaced (Attach, Create...) or when the wrapper is destroyed;
// Detach gives the handle away. Before an object is deleted it is selected
// out of every DC that a live CDC wrapper of this thread selected it into,
// so a wrapper never deletes an object that is still selected there.
// Wrappers are non-copyable. Stock objects may be attached: deleting them is
// harmless.
//
// FromHandle gives a temporary wrapper for a handle the caller does not own
// (as returned by CDC::SelectObject for the previously selected object). It
// never deletes the object and lives until DeleteTempMap is called on this
// thread (at idle, or when the thread ends).
#pragma once

#include <windows.h>

#include "framework/Geometry.h"

// <windowsx.h> defines CopyRgn as a two-argument macro; it would break the
// CRgn member. Include <windowsx.h> before this header, or call CombineRgn
// with RGN_COPY where both are wanted.
#ifdef CopyRgn
#undef CopyRgn
#endif

class CDC;

class CGdiObject {
public:
    CGdiObject() : m_hObject(nullptr) {}
    virtual ~CGdiObject();
    CGdiObject(const CGdiObject&) = delete;
    CGdiObject& operator=(const CGdiObject&) = delete;

    HGDIOBJ m_hObject;

    HGDIOBJ GetSafeHandle() const { return m_hObject; }
    operator HGDIOBJ() const { return GetSafeHandle(); }

    // Takes ownership of hObject, deleting a different object held so far.
    // FALSE for a null handle (the wrapper then keeps what it held).
    BOOL Attach(HGDIOBJ hObject);
    // Gives up ownership; returns the handle (null when empty).
    HGDIOBJ Detach();
    // Deletes the held object (first selecting it out of tracked DCs);
    // TRUE when there was one and GDI deleted it. The wrapper is empty after.
    BOOL DeleteObject();
    BOOL CreateStockObject(int nIndex);
    int GetObject(int nCount, LPVOID lpObject) const;
    UINT GetObjectType() const;
    BOOL UnrealizeObject();

    static CGdiObject* FromHandle(HGDIOBJ hObject);
    static void DeleteTempMap();

    // Number of objects currently owned by wrappers in this process (for
    // leak checks; temporary wrappers do not count).
    static long GetLiveCount();

protected:
    bool m_bTemporary = false;
    friend class CGdiTempMap;
};

class CPen : public CGdiObject {
public:
    CPen() = default;
    CPen(int nPenStyle, int nWidth, COLORREF crColor) { CreatePen(nPenStyle, nWidth, crColor); }
    operator HPEN() const { return static_cast<HPEN>(GetSafeHandle()); }
    BOOL CreatePen(int nPenStyle, int nWidth, COLORREF crColor);
    BOOL CreatePenIndirect(const LOGPEN* lpLogPen);
    int GetLogPen(LOGPEN* pLogPen) const { return GetObject(sizeof(LOGPEN), pLogPen); }
    static CPen* FromHandle(HPEN hPen);
};

class CBrush : public CGdiObject {
public:
    CBrush() = default;
    explicit CBrush(COLORREF crColor) { CreateSolidBrush(crColor); }
    operator HBRUSH() const { return static_cast<HBRUSH>(GetSafeHandle()); }
    BOOL CreateSolidBrush(COLORREF crColor);
    BOOL CreateSysColorBrush(int nIndex);
    BOOL CreateHatchBrush(int nIndex, COLORREF crColor);
    BOOL CreatePatternBrush(class CBitmap* pBitmap);
    BOOL CreateBrushIndirect(const LOGBRUSH* lpLogBrush);
    int GetLogBrush(LOGBRUSH* pLogBrush) const { return GetObject(sizeof(LOGBRUSH), pLogBrush); }
    static CBrush* FromHandle(HBRUSH hBrush);
};

class CFont : public CGdiObject {
public:
    CFont() = default;
    operator HFONT() const { return static_cast<HFONT>(GetSafeHandle()); }
    BOOL CreateFontIndirect(const LOGFONTA* lpLogFont);
    BOOL CreateFont(int nHeight, int nWidth, int nEscapement, int nOrientation, int nWeight, BYTE bItalic,
                    BYTE bUnderline, BYTE cStrikeOut, BYTE nCharSet, BYTE nOutPrecision, BYTE nClipPrecision,
                    BYTE nQuality, BYTE nPitchAndFamily, LPCSTR lpszFacename);
    int GetLogFont(LOGFONTA* pLogFont) const { return GetObject(sizeof(LOGFONTA), pLogFont); }
    static CFont* FromHandle(HFONT hFont);
};

class CBitmap : public CGdiObject {
public:
    CBitmap() = default;
    operator HBITMAP() const { return static_cast<HBITMAP>(GetSafeHandle()); }
    BOOL CreateBitmap(int nWidth, int nHeight, UINT nPlanes, UINT nBitcount, const void* lpBits);
    BOOL CreateCompatibleBitmap(CDC* pDC, int nWidth, int nHeight);
    // From the resource module's bitmap resources.
    BOOL LoadBitmap(UINT nIDResource);
    int GetBitmap(BITMAP* pBitMap) const { return GetObject(sizeof(BITMAP), pBitMap); }
    CSize GetBitmapDimension() const;
    static CBitmap* FromHandle(HBITMAP hBitmap);
};

class CPalette : public CGdiObject {
public:
    CPalette() = default;
    operator HPALETTE() const { return static_cast<HPALETTE>(GetSafeHandle()); }
    BOOL CreatePalette(const LOGPALETTE* lpLogPalette);
    BOOL CreateHalftonePalette(CDC* pDC);
    int GetEntryCount() const;
    UINT GetPaletteEntries(UINT nStartIndex, UINT nNumEntries, LPPALETTEENTRY lpPaletteColors) const;
    static CPalette* FromHandle(HPALETTE hPalette);
};

// A region. SetWindowRgn takes ownership of the region it is given: Detach it
// from the wrapper after a successful call.
class CRgn : public CGdiObject {
public:
    CRgn() = default;
    operator HRGN() const { return static_cast<HRGN>(GetSafeHandle()); }
    BOOL CreateRectRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRectRgnIndirect(LPCRECT lpRect);
    BOOL CreateEllipticRgn(int x1, int y1, int x2, int y2);
    BOOL CreateRoundRectRgn(int x1, int y1, int x2, int y2, int x3, int y3);
    BOOL CreatePolygonRgn(const POINT* lpPoints, int nCount, int nMode);
    // Region results: NULLREGION, SIMPLEREGION, COMPLEXREGION or ERROR.
    int CombineRgn(const CRgn* pRgn1, const CRgn* pRgn2, int nCombineMode);
    int CopyRgn(const CRgn* pRgnSrc);
    void SetRectRgn(int x1, int y1, int x2, int y2);
    void SetRectRgn(LPCRECT lpRect);
    int OffsetRgn(int x, int y);
    int GetRgnBox(LPRECT lpRect) const;
    BOOL PtInRegion(int x, int y) const;
    BOOL RectInRegion(LPCRECT lpRect) const;
    BOOL EqualRgn(const CRgn* pRgn) const;
    static CRgn* FromHandle(HRGN hRgn);
};
