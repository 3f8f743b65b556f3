// Window-free arithmetic of the flat frames: rectangles, the four one-pixel
// lines of a 3-D rectangle, the colour indices of the two flat frames and the
// rectangles of a control's own scroll bars inside its frame.
// This header needs no window system.
#pragma once

// SkinRect: the skin's one rectangle type, shared with the controls.
#include "skin/controls/SkinTypes.h"

// The system colour indices the engine draws with (GetSysColor indices).
enum SkinSysColor {
    SKIN_COLOR_BTNFACE = 15,
    SKIN_COLOR_BTNSHADOW = 16,
    SKIN_COLOR_BTNHIGHLIGHT = 20,
    SKIN_COLOR_3DDKSHADOW = 21,
    SKIN_COLOR_3DLIGHT = 22,
};

// The area a fill of (x, y, cx, cy) covers, in ordered form: a negative
// width or height covers the same pixels as the positive one on the other
// side. Coordinates that would leave the 32-bit range are held at its ends.
SkinRect SkinFillExtent(int x, int y, int cx, int cy);

// One fill of a 3-D rectangle: origin and extent as the fill takes them.
struct SkinFill {
    int x;
    int y;
    int cx;
    int cy;
};

// The four fills of a 3-D rectangle in drawing order: top row and left
// column in the top-left colour, right column and bottom row in the
// bottom-right colour (so the top-right and bottom-left corners take the
// bottom-right colour).
struct Skin3dRectLines {
    SkinFill top;     // top-left colour
    SkinFill left;    // top-left colour
    SkinFill right;   // bottom-right colour
    SkinFill bottom;  // bottom-right colour
};
Skin3dRectLines SkinLayout3dRect(int x, int y, int cx, int cy);

// The four colour indices of a two-line frame.
struct SkinFrameColors {
    int nOuterTopLeft;
    int nOuterBottomRight;
    int nInnerTopLeft;
    int nInnerBottomRight;
};

// The flat edge: a dark outline with a light line inside.
SkinFrameColors SkinFlatEdgeColors();
// The flat button: a shadow outline (a highlight top and left with raised
// buttons), the inner bevel painted over in the face colour.
SkinFrameColors SkinFlatButtonColors(bool bRaised);

// The rectangles of a control's own scroll bars inside its frame rectangle
// rc, with nEdge the edge width and nScroll the scroll bar width (used for
// the horizontal bar's height too). The vertical bar is always at the right;
// the corner square between two bars belongs to neither.
struct SkinWindowBars {
    bool bHorz;
    SkinRect rcHorz;
    bool bVert;
    SkinRect rcVert;
};
SkinWindowBars SkinLayoutWindowScrollBars(const SkinRect& rc, int nEdge, int nScroll, bool bHasHorz, bool bHasVert);
