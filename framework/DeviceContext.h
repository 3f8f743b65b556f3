// CDC: a device context, either owned (CreateCompatibleDC: deleted by the
// wrapper) or borrowed (Attach, FromHandle, CPaintDC, CClientDC, CWindowDC:
// never deleted; the window DCs are released or end their paint).
//
// The wrapper remembers, per kind (pen, brush, font, bitmap, palette), the
// object the DC held before the wrapper's first selection of that kind, and
// selects those originals back when it lets the DC go (Detach, DeleteDC,
// destruction). Until then, deleting a GDI wrapper whose object it selected
// first puts the original back (see GdiObjects.h), so no object is deleted
// while selected. Temporary wrappers from FromHandle only forward calls.
//
// Drawing failures are not reported beyond the GDI results passed back.
#pragma once

#include <windows.h>

#include "framework/GdiObjects.h"
#include "framework/Geometry.h"

class CWnd;
class CString;

class CDC {
public:
    CDC();
    virtual ~CDC();
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC;

    HDC GetSafeHdc() const { return m_hDC; }
    operator HDC() const { return m_hDC; }

    // Borrows hDC; FALSE for null. A DC held before is let go first.
    BOOL Attach(HDC hDC);
    // Restores the original selections and gives the DC back (not deleted).
    HDC Detach();
    // A memory DC compatible with pDC (null: with the screen), owned.
    BOOL CreateCompatibleDC(CDC* pDC);
    // Restores the selections and deletes an owned DC (a borrowed one is only
    // detached). TRUE when a DC was deleted.
    BOOL DeleteDC();

    static CDC* FromHandle(HDC hDC);
    static void DeleteTempMap();

    // Selection. Each returns the object selected before (a temporary wrapper
    // unless it is known), or null on failure; a null argument selects nothing.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    // Selects a copy of the region as the clipping region; the region result.
    int SelectObject(CRgn* pRgn);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    // NULL_BRUSH, BLACK_PEN, DEFAULT_GUI_FONT, ...; the previous object.
    CGdiObject* SelectStockObject(int nIndex);
    CPalette* SelectPalette(CPalette* pPalette, BOOL bForceBackground);
    UINT RealizePalette();
    CPen* GetCurrentPen() const;
    CBrush* GetCurrentBrush() const;
    CFont* GetCurrentFont() const;
    CBitmap* GetCurrentBitmap() const;
    CPalette* GetCurrentPalette() const;

    // Attributes; each returns the previous value.
    int SetBkMode(int nBkMode) { return ::SetBkMode(m_hDC, nBkMode); }
    int GetBkMode() const { return ::GetBkMode(m_hDC); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(m_hDC, crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(m_hDC); }
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(m_hDC, crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(m_hDC); }
    int SetStretchBltMode(int nStretchMode) { return ::SetStretchBltMode(m_hDC, nStretchMode); }
    int GetStretchBltMode() const { return ::GetStretchBltMode(m_hDC); }
    UINT SetTextAlign(UINT nFlags) { return ::SetTextAlign(m_hDC, nFlags); }
    int SetROP2(int nDrawMode) { return ::SetROP2(m_hDC, nDrawMode); }
    int SetMapMode(int nMapMode) { return ::SetMapMode(m_hDC, nMapMode); }
    CPoint SetBrushOrg(int x, int y);
    CPoint SetViewportOrg(int x, int y);
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(m_hDC, nIndex); }

    // Clipping. A null region removes the clipping region.
    int SelectClipRgn(CRgn* pRgn);
    int SelectClipRgn(CRgn* pRgn, int nMode);
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(m_hDC, lpRect); }
    int IntersectClipRect(int x1, int y1, int x2, int y2) { return ::IntersectClipRect(m_hDC, x1, y1, x2, y2); }
    int IntersectClipRect(LPCRECT lpRect) {
        return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    int ExcludeClipRect(int x1, int y1, int x2, int y2) { return ::ExcludeClipRect(m_hDC, x1, y1, x2, y2); }
    int ExcludeClipRect(LPCRECT lpRect) {
        return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    BOOL PtVisible(int x, int y) const { return ::PtVisible(m_hDC, x, y); }
    int SaveDC() { return ::SaveDC(m_hDC); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(m_hDC, nSavedDC); }

    // Rectangles. FillSolidRect paints with the background colour, which stays
    // set to clr afterwards. Draw3dRect draws a one-pixel frame: top and left
    // edges in clrTopLeft, right and bottom edges in clrBottomRight.
    void FillRect(LPCRECT lpRect, CBrush* pBrush);
    void FillRect(LPCRECT lpRect, HBRUSH hBrush);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush);
    void InvertRect(LPCRECT lpRect);
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void DrawFocusRect(LPCRECT lpRect);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags);
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState);
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush);
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight);
    BOOL PaintRgn(CRgn* pRgn);

    // Lines and shapes (the current pen and brush).
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT pt) { return MoveTo(pt.x, pt.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(m_hDC, x, y); }
    BOOL LineTo(POINT pt) { return LineTo(pt.x, pt.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount);
    BOOL Polygon(const POINT* lpPoints, int nCount);
    BOOL Rectangle(int x1, int y1, int x2, int y2) { return ::Rectangle(m_hDC, x1, y1, x2, y2); }
    BOOL Rectangle(LPCRECT lpRect);
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3) {
        return ::RoundRect(m_hDC, x1, y1, x2, y2, x3, y3);
    }
    BOOL RoundRect(LPCRECT lpRect, POINT pt);
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(m_hDC, x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect);
    COLORREF SetPixel(int x, int y, COLORREF crColor) { return ::SetPixel(m_hDC, x, y, crColor); }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(m_hDC, x, y); }

    // Text.
    int DrawText(LPCSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat);
    int DrawTextW(LPCWSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat);
    BOOL TextOut(int x, int y, LPCSTR lpszString, int nCount);
    BOOL TextOut(int x, int y, const CString& str);
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCSTR lpszString, UINT nCount, const INT* lpDxWidths);
    CSize GetTextExtent(LPCSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const;
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const;
    int GetTextFace(int nCount, LPSTR lpszFacename) const { return ::GetTextFaceA(m_hDC, nCount, lpszFacename); }

    // Bitmaps and icons.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop);
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, int nSrcWidth,
                    int nSrcHeight, DWORD dwRop);
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop) {
        return ::PatBlt(m_hDC, x, y, nWidth, nHeight, dwRop);
    }
    BOOL DrawIcon(int x, int y, HICON hIcon);
    BOOL DrawIcon(POINT pt, HICON hIcon) { return DrawIcon(pt.x, pt.y, hIcon); }
    BOOL DrawIconEx(int x, int y, HICON hIcon, int cx, int cy, UINT istepIfAniCur, HBRUSH hbrFlickerFreeDraw,
                    UINT diFlags);
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr);
    int StretchDIBits(int xDest, int yDest, int nDestWidth, int nDestHeight, int xSrc, int ySrc, int nSrcWidth,
                      int nSrcHeight, const void* lpBits, const BITMAPINFO* lpBitsInfo, UINT iUsage, DWORD dwRop) {
        return ::StretchDIBits(m_hDC, xDest, yDest, nDestWidth, nDestHeight, xSrc, ySrc, nSrcWidth, nSrcHeight, lpBits,
                               lpBitsInfo, iUsage, dwRop);
    }
    int SetDIBitsToDevice(int xDest, int yDest, DWORD dwWidth, DWORD dwHeight, int xSrc, int ySrc, UINT uStartScan,
                          UINT cScanLines, const void* lpBits, const BITMAPINFO* lpBitsInfo, UINT iUsage) {
        return ::SetDIBitsToDevice(m_hDC, xDest, yDest, dwWidth, dwHeight, xSrc, ySrc, uStartScan, cScanLines, lpBits,
                                   lpBitsInfo, iUsage);
    }

    // Number of original selections the wrapper will restore (for tests).
    int GetTrackedSelectionCount() const;
    // Selects the original back in every tracked DC of this thread that has
    // hObject selected; called before a wrapper deletes hObject.
    static void ReleaseFromTrackedDCs(HGDIOBJ hObject);

protected:
    enum Kind { kNone, kBorrowed, kOwned, kTemporary };
    enum { kPen, kBrush, kFont, kBitmap, kPalette, kKinds };

    // Selects the originals back and forgets them.
    void RestoreSelections();
    void Track(int nKind, HGDIOBJ hPrevious);
    void Link();
    void Unlink();

    Kind m_kind;
    HGDIOBJ m_hOriginal[kKinds];
    CDC* m_pNextTracked;
    CDC* m_pPrevTracked;
    bool m_bLinked;
};

// The paint DC of a window: BeginPaint on construction, EndPaint (after the
// selections are restored) on destruction.
class CPaintDC : public CDC {
public:
    explicit CPaintDC(CWnd* pWnd);
    explicit CPaintDC(HWND hWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps;

protected:
    HWND m_hWnd;
};

// The client-area DC of a window (null window: the screen), released on destruction.
class CClientDC : public CDC {
public:
    explicit CClientDC(CWnd* pWnd);
    explicit CClientDC(HWND hWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd;
};

// The whole-window DC (non-client area included), released on destruction.
class CWindowDC : public CDC {
public:
    explicit CWindowDC(CWnd* pWnd);
    explicit CWindowDC(HWND hWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd;
};
