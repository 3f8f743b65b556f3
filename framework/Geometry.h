// CPoint, CSize and CRect: the Win32 POINT, SIZE and RECT with arithmetic.
// They derive from the plain structures, so a CRect* is an LPRECT and the
// objects can be handed to any Win32 call as they are. The arithmetic is
// written out here and behaves as the USER32 rectangle functions do (an empty
// intersection becomes the null rectangle, a union ignores empty operands).
#pragma once

#include <windows.h>

class CSize : public SIZE {
public:
    CSize() {
        cx = 0;
        cy = 0;
    }
    CSize(int x, int y) {
        cx = x;
        cy = y;
    }
    CSize(SIZE s) {
        cx = s.cx;
        cy = s.cy;
    }
    CSize(POINT pt) {
        cx = pt.x;
        cy = pt.y;
    }

    bool operator==(SIZE s) const { return cx == s.cx && cy == s.cy; }
    bool operator!=(SIZE s) const { return !(*this == s); }
    CSize& operator+=(SIZE s) {
        cx += s.cx;
        cy += s.cy;
        return *this;
    }
    CSize& operator-=(SIZE s) {
        cx -= s.cx;
        cy -= s.cy;
        return *this;
    }
    CSize operator+(SIZE s) const { return CSize(cx + s.cx, cy + s.cy); }
    CSize operator-(SIZE s) const { return CSize(cx - s.cx, cy - s.cy); }
    CSize operator-() const { return CSize(-cx, -cy); }
};

class CPoint : public POINT {
public:
    CPoint() {
        x = 0;
        y = 0;
    }
    CPoint(int ix, int iy) {
        x = ix;
        y = iy;
    }
    CPoint(POINT pt) {
        x = pt.x;
        y = pt.y;
    }
    CPoint(SIZE s) {
        x = s.cx;
        y = s.cy;
    }
    // A point packed as in mouse messages: signed 16-bit x low, y high.
    explicit CPoint(DWORD dwPoint) {
        x = static_cast<short>(LOWORD(dwPoint));
        y = static_cast<short>(HIWORD(dwPoint));
    }

    void Offset(int dx, int dy) {
        x += dx;
        y += dy;
    }
    void Offset(POINT pt) { Offset(pt.x, pt.y); }
    void Offset(SIZE s) { Offset(s.cx, s.cy); }
    void SetPoint(int ix, int iy) {
        x = ix;
        y = iy;
    }

    bool operator==(POINT pt) const { return x == pt.x && y == pt.y; }
    bool operator!=(POINT pt) const { return !(*this == pt); }
    CPoint& operator+=(SIZE s) {
        x += s.cx;
        y += s.cy;
        return *this;
    }
    CPoint& operator-=(SIZE s) {
        x -= s.cx;
        y -= s.cy;
        return *this;
    }
    CPoint& operator+=(POINT pt) {
        x += pt.x;
        y += pt.y;
        return *this;
    }
    CPoint& operator-=(POINT pt) {
        x -= pt.x;
        y -= pt.y;
        return *this;
    }
    CPoint operator+(SIZE s) const { return CPoint(x + s.cx, y + s.cy); }
    CPoint operator-(SIZE s) const { return CPoint(x - s.cx, y - s.cy); }
    CPoint operator+(POINT pt) const { return CPoint(x + pt.x, y + pt.y); }
    // The distance between two points is a size.
    CSize operator-(POINT pt) const { return CSize(x - pt.x, y - pt.y); }
    CPoint operator-() const { return CPoint(-x, -y); }
};

class CRect : public RECT {
public:
    CRect() { SetRectEmpty(); }
    CRect(int l, int t, int r, int b) { SetRect(l, t, r, b); }
    CRect(const RECT& rc) { CopyRect(&rc); }
    CRect(LPCRECT lprc) { CopyRect(lprc); }
    CRect(POINT pt, SIZE s) { SetRect(pt.x, pt.y, pt.x + s.cx, pt.y + s.cy); }
    CRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    CSize Size() const { return CSize(Width(), Height()); }
    CPoint TopLeft() const { return CPoint(left, top); }
    CPoint BottomRight() const { return CPoint(right, bottom); }
    CPoint CenterPoint() const { return CPoint((left + right) / 2, (top + bottom) / 2); }

    operator LPRECT() { return this; }
    operator LPCRECT() const { return this; }

    // Empty: no area (right <= left or bottom <= top).
    BOOL IsRectEmpty() const { return right <= left || bottom <= top; }
    // Null: all four coordinates are zero.
    BOOL IsRectNull() const { return left == 0 && top == 0 && right == 0 && bottom == 0; }
    // The left and top edges are inside, the right and bottom edges are not.
    BOOL PtInRect(POINT pt) const { return pt.x >= left && pt.x < right && pt.y >= top && pt.y < bottom; }

    void SetRect(int l, int t, int r, int b) {
        left = l;
        top = t;
        right = r;
        bottom = b;
    }
    void SetRect(POINT topLeft, POINT bottomRight) { SetRect(topLeft.x, topLeft.y, bottomRight.x, bottomRight.y); }
    void SetRectEmpty() { SetRect(0, 0, 0, 0); }
    void CopyRect(LPCRECT lprc) {
        if (lprc)
            SetRect(lprc->left, lprc->top, lprc->right, lprc->bottom);
        else
            SetRectEmpty();
    }
    BOOL EqualRect(LPCRECT lprc) const {
        return lprc && left == lprc->left && top == lprc->top && right == lprc->right && bottom == lprc->bottom;
    }

    void InflateRect(int dx, int dy) {
        left -= dx;
        top -= dy;
        right += dx;
        bottom += dy;
    }
    void InflateRect(SIZE s) { InflateRect(s.cx, s.cy); }
    void InflateRect(int l, int t, int r, int b) {
        left -= l;
        top -= t;
        right += r;
        bottom += b;
    }
    void InflateRect(LPCRECT lprc) { InflateRect(lprc->left, lprc->top, lprc->right, lprc->bottom); }
    void DeflateRect(int dx, int dy) { InflateRect(-dx, -dy); }
    void DeflateRect(SIZE s) { InflateRect(-s.cx, -s.cy); }
    void DeflateRect(int l, int t, int r, int b) { InflateRect(-l, -t, -r, -b); }
    void DeflateRect(LPCRECT lprc) { DeflateRect(lprc->left, lprc->top, lprc->right, lprc->bottom); }
    void OffsetRect(int dx, int dy) {
        left += dx;
        right += dx;
        top += dy;
        bottom += dy;
    }
    void OffsetRect(POINT pt) { OffsetRect(pt.x, pt.y); }
    void OffsetRect(SIZE s) { OffsetRect(s.cx, s.cy); }
    void MoveToXY(int x, int y) { OffsetRect(x - left, y - top); }
    void MoveToXY(POINT pt) { MoveToXY(pt.x, pt.y); }
    // Swaps edges so that left <= right and top <= bottom.
    void NormalizeRect() {
        if (left > right) {
            LONG t = left;
            left = right;
            right = t;
        }
        if (top > bottom) {
            LONG t = top;
            top = bottom;
            bottom = t;
        }
    }

    // The overlap of the two rectangles; FALSE, and the null rectangle, when
    // they do not overlap (or either one is empty).
    BOOL IntersectRect(LPCRECT a, LPCRECT b) {
        if (!a || !b) {
            SetRectEmpty();
            return FALSE;
        }
        const CRect ra(a), rb(b);
        CRect r(ra.left > rb.left ? ra.left : rb.left, ra.top > rb.top ? ra.top : rb.top,
                ra.right < rb.right ? ra.right : rb.right, ra.bottom < rb.bottom ? ra.bottom : rb.bottom);
        if (ra.IsRectEmpty() || rb.IsRectEmpty() || r.IsRectEmpty()) {
            SetRectEmpty();
            return FALSE;
        }
        *this = r;
        return TRUE;
    }
    // The smallest rectangle holding both; empty operands are ignored. FALSE,
    // and the null rectangle, when both are empty.
    BOOL UnionRect(LPCRECT a, LPCRECT b) {
        const CRect ra(a), rb(b);
        const bool ea = !a || ra.IsRectEmpty(), eb = !b || rb.IsRectEmpty();
        if (ea && eb) {
            SetRectEmpty();
            return FALSE;
        }
        if (ea) {
            *this = rb;
            return TRUE;
        }
        if (eb) {
            *this = ra;
            return TRUE;
        }
        SetRect(ra.left < rb.left ? ra.left : rb.left, ra.top < rb.top ? ra.top : rb.top,
                ra.right > rb.right ? ra.right : rb.right, ra.bottom > rb.bottom ? ra.bottom : rb.bottom);
        return TRUE;
    }

    CRect& operator=(const RECT& rc) {
        CopyRect(&rc);
        return *this;
    }
    bool operator==(const RECT& rc) const { return EqualRect(&rc) != FALSE; }
    bool operator!=(const RECT& rc) const { return !(*this == rc); }
    CRect& operator+=(POINT pt) {
        OffsetRect(pt);
        return *this;
    }
    CRect& operator-=(POINT pt) {
        OffsetRect(-pt.x, -pt.y);
        return *this;
    }
    CRect& operator+=(SIZE s) {
        OffsetRect(s);
        return *this;
    }
    CRect& operator-=(SIZE s) {
        OffsetRect(-s.cx, -s.cy);
        return *this;
    }
    CRect& operator&=(const RECT& rc) {
        CRect a(*this);
        IntersectRect(&a, &rc);
        return *this;
    }
    CRect& operator|=(const RECT& rc) {
        CRect a(*this);
        UnionRect(&a, &rc);
        return *this;
    }
    CRect operator+(POINT pt) const {
        CRect r(*this);
        r += pt;
        return r;
    }
    CRect operator-(POINT pt) const {
        CRect r(*this);
        r -= pt;
        return r;
    }
    CRect operator+(SIZE s) const {
        CRect r(*this);
        r += s;
        return r;
    }
    CRect operator-(SIZE s) const {
        CRect r(*this);
        r -= s;
        return r;
    }
    CRect operator&(const RECT& rc) const {
        CRect r;
        r.IntersectRect(this, &rc);
        return r;
    }
    CRect operator|(const RECT& rc) const {
        CRect r;
        r.UnionRect(this, &rc);
        return r;
    }
};
