// The drawing helpers every control skinner shares: solid fills, 3-D
// rectangles and the two-line flat frames. Every colour is a system colour
// read with GetSysColor at the moment of drawing.
#pragma once

#include <windows.h>

// Fills (x, y, x + cx, y + cy) with clr by an opaque text output of an empty
// string. The DC's background colour is left at clr. A negative width or
// height fills the same pixels as the positive one on the other side.
void SkinFillRect(HDC hDC, int x, int y, int cx, int cy, COLORREF clr);

// Four one-pixel lines: top row and left column in clrTopLeft, right column
// and bottom row in clrBottomRight (which also takes the top-right and
// bottom-left corner pixels).
void SkinDraw3dRect(HDC hDC, int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);

// Two 3-D rectangles, on rc and on rc inset by one pixel; the four arguments
// are system colour indices, each read just before it is used.
void SkinDrawDoubleFrame(HDC hDC, const RECT* rc, int nOuterTopLeft, int nOuterBottomRight, int nInnerTopLeft,
                         int nInnerBottomRight);

// The flat edge that replaces a sunken client edge: a dark outline
// (COLOR_3DDKSHADOW) with a light line (COLOR_BTNHIGHLIGHT) inside.
void SkinDrawFlatEdge(HDC hDC, const RECT* rc);

// The flat button frame: a COLOR_BTNSHADOW outline whose top and left are
// COLOR_BTNHIGHLIGHT when bRaised, the inner bevel painted in COLOR_BTNFACE.
void SkinDrawFlatButton(HDC hDC, const RECT* rc, BOOL bRaised);
