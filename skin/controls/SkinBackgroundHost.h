// How a transparent control (the skinned button and label) has the window
// behind it repaint its own background inside a rectangle in screen
// coordinates before the control draws over it.
#pragma once

#include <windows.h>

class CWnd;

// A window other than the skinned dialog that repaints its background behind
// a transparent child (a container of our own, or a test's recording parent).
class ISkinBackgroundHost {
public:
    virtual ~ISkinBackgroundHost() {}
    virtual void RedrawBackground(RECT rcScreen) = 0;
};

// Hands rcScreen to the RedrawBackground of pChild's parent when the parent
// is bound to a skinned dialog or to an ISkinBackgroundHost on this thread.
// FALSE, and nothing painted, for any other parent: a plain window has no
// background painting to ask for, and treating it as a skinned dialog would
// call into an object of another kind.
BOOL SkinRedrawParentBackground(const CWnd* pChild, const RECT& rcScreen);
