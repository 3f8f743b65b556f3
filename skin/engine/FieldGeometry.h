// Window-free arithmetic of the field control skinners: the arrow halves of
// an up-down control, the edit frame stretched across its up-down, the joint
// lines between the two, and the drop button of a combo box.
// This header needs no window system.
#pragma once

#include "skin/engine/FrameGeometry.h"

// Up-down style bits the field skinners read.
enum {
    SKIN_UDS_ALIGNRIGHT = 0x4,
    SKIN_UDS_ALIGNLEFT = 0x8,
    SKIN_UDS_HORZ = 0x40,
};

// The up-down's frame rectangle once it is joined to a buddy: two pixels off
// the side that touches the buddy (the left one for a left-aligned up-down,
// otherwise the right one), and off the top and the bottom.
SkinRect SkinSpinJoinedRect(const SkinRect& rc, unsigned long dwStyle);

// The two arrow halves of rc; horizontal ones when bHorizontal. An odd size
// leaves the middle line between them undrawn.
struct SkinSpinHalves {
    SkinRect rcFirst;
    SkinRect rcSecond;
};
SkinSpinHalves SkinSplitSpin(const SkinRect& rc, bool bHorizontal);

// One one-pixel line of the joint between an up-down and its buddy, drawn by
// the up-down over its own adjusted rectangle r.
struct SkinJointLine {
    int x;
    int y;
    int cx;
    int cy;
    int nColor;  // system colour index
};
// The three joint lines the up-down draws when its buddy is skinned and not
// highlighted: row T - 1 in highlight, row B in face, and column L - 1 (left
// aligned, highlight) or column R (otherwise, face) from row T - 1 to row B.
struct SkinSpinJoint {
    SkinJointLine lines[3];
};
SkinSpinJoint SkinSpinJointLines(const SkinRect& r, unsigned long dwStyle);

// The edit's frame rectangle stretched across an aligned up-down of width
// nSpinWidth: to the right for UDS_ALIGNRIGHT (which wins when both bits are
// set), else to the left; nEdge is the system's edge width. Unaligned: rc.
SkinRect SkinEditFrameAcrossSpin(const SkinRect& rc, unsigned long dwSpinStyle, int nSpinWidth, int nEdge);

// The line the edit draws along the up-down's top, and (left-aligned) down
// its left side, in the up-down's client coordinates. cy = 0 for no line.
struct SkinEditSpinLines {
    SkinJointLine top;
    SkinJointLine left;  // cx == 0 when the up-down is not left-aligned
};
SkinEditSpinLines SkinEditJointLines(unsigned long dwSpinStyle, int nSpinWidth, int nSpinHeight, int nEdge,
                                     bool bEditEnabled);

// The drop button of a combo box inside its frame rectangle: rc shrunk by two
// on every side, as wide as a scroll bar arrow at the right.
SkinRect SkinComboDropButton(const SkinRect& rc, int nArrowWidth);
