// Window-free decisions of the skin manager: which kind of skinner a child
// control gets from its window class name and styles, which children of it
// are dispatched too, and which windows the hook and the dialog sweep offer
// to the dispatcher. This header needs no window system.
#pragma once

// The kinds of control skinner. SKIN_KIND_NONE: the control is left alone.
enum SkinKind {
    SKIN_KIND_NONE = 0,
    SKIN_KIND_BORDER,     // CBorderSkin
    SKIN_KIND_IPADDRESS,  // CIPAddressSkin
    SKIN_KIND_EDIT,       // CEditSkin
    SKIN_KIND_COMBOEDIT,  // CComboEditSkin
    SKIN_KIND_COMBO,      // CComboSkin
    SKIN_KIND_DATETIME,   // CDateTimeSkin
    SKIN_KIND_SPIN,       // CSpinSkin
    SKIN_KIND_SCROLLBAR,  // CScrollBarSkin
    SKIN_KIND_TRACKBAR,   // CTrackBarSkin
    SKIN_KIND_HEADER,     // CHeaderSkin
    SKIN_KIND_TOOLBAR,    // CToolBarSkin
    SKIN_KIND_COUNT
};

// Which children of the control are dispatched; always before the control
// itself gets its skinner.
enum SkinChildren {
    SKIN_CHILDREN_NONE = 0,
    SKIN_CHILDREN_FIRST,  // the first child in Z order, if any
    SKIN_CHILDREN_EVERY,  // every direct child in Z order
};

struct SkinDispatch {
    SkinKind nKind;
    SkinChildren nChildren;
};

// What the dispatcher knows of a window. The parent's class and style are
// read only for an edit control (they decide whether it sits in a simple
// combo box); pszParentClass may be empty otherwise.
struct SkinWindowFacts {
    const char* pszClass;
    unsigned long dwStyle;
    unsigned long dwExStyle;
    const char* pszParentClass;
    unsigned long dwParentStyle;
};

// A class-name comparison: 0 when equal. The window side passes the system's
// case-insensitive comparison; SkinCompareNoCase folds ASCII letters only.
typedef int (*PFN_SKINCLASSCOMPARE)(const char* a, const char* b);
int SkinCompareNoCase(const char* a, const char* b);

// The class-name table of the dispatcher, first matching row wins.
SkinDispatch SkinChooseKind(const SkinWindowFacts& facts, PFN_SKINCLASSCOMPARE pfnCompare = SkinCompareNoCase);

// Creation mode: a window being created is dispatched when it is a child
// window and its class name is not exactly "ScrollBar" (case-sensitive:
// names that differ in letter case are dispatched).
bool SkinIsCreationCandidate(const char* pszClass, unsigned long dwStyle);

// The dialog sweep: a direct child is dispatched when it is a child window
// and not a nested dialog ("#32770", any case).
bool SkinIsSweepCandidate(const char* pszClass, unsigned long dwStyle,
                          PFN_SKINCLASSCOMPARE pfnCompare = SkinCompareNoCase);

// The length of the class-name buffer the window side reads names into.
enum { SKIN_CLASS_NAME_CHARS = 64 };
