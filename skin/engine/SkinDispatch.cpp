#include "skin/engine/SkinDispatch.h"

#include <cstring>

namespace {

const unsigned long kWsChild = 0x40000000UL;
const unsigned long kWsExClientEdge = 0x00000200UL;
const unsigned long kComboTypeMask = 0x3UL;
const unsigned long kCbsSimple = 0x1UL;
const unsigned long kDtsUpDown = 0x1UL;
const unsigned long kSbsSizeBoxOrGrip = 0x18UL;  // SBS_SIZEBOX 0x8, SBS_SIZEGRIP 0x10
const unsigned long kHdsButtons = 0x2UL;
const unsigned long kTbstyleFlat = 0x800UL;

// The list-type classes that get a border skinner when they have a client edge.
const char* const kBorderClasses[] = {
    "ListBox", "SysListView32", "SysTreeView32", "ComboLBox", "msctls_hotkey32", "RichEdit", "RichEdit20W",
};

SkinDispatch Make(SkinKind nKind, SkinChildren nChildren = SKIN_CHILDREN_NONE) {
    SkinDispatch d;
    d.nKind = nKind;
    d.nChildren = nChildren;
    return d;
}

}  // namespace

int SkinCompareNoCase(const char* a, const char* b) {
    for (;; ++a, ++b) {
        unsigned char ca = static_cast<unsigned char>(*a);
        unsigned char cb = static_cast<unsigned char>(*b);
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<unsigned char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<unsigned char>(cb - 'A' + 'a');
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

SkinDispatch SkinChooseKind(const SkinWindowFacts& f, PFN_SKINCLASSCOMPARE pfnCompare) {
    const char* cls = f.pszClass ? f.pszClass : "";
    const bool bClientEdge = (f.dwExStyle & kWsExClientEdge) != 0;
    auto is = [&](const char* name) { return pfnCompare(cls, name) == 0; };

    if (is("Button")) return Make(SKIN_KIND_NONE);
    if (is("ComboBox")) {
        if ((f.dwStyle & kComboTypeMask) == kCbsSimple) return Make(SKIN_KIND_NONE, SKIN_CHILDREN_EVERY);
        return Make(SKIN_KIND_COMBO);
    }
    if (is("Edit")) {
        const char* parent = f.pszParentClass ? f.pszParentClass : "";
        if (pfnCompare(parent, "ComboBox") == 0 && (f.dwParentStyle & kComboTypeMask) == kCbsSimple)
            return Make(SKIN_KIND_COMBOEDIT);
        return Make(bClientEdge ? SKIN_KIND_EDIT : SKIN_KIND_NONE);
    }
    for (const char* name : kBorderClasses) {
        if (is(name)) return Make(bClientEdge ? SKIN_KIND_BORDER : SKIN_KIND_NONE);
    }
    if (is("SysMonthCal32")) return Make(SKIN_KIND_BORDER);
    if (is("SHELLDLL_DefView")) return Make(SKIN_KIND_NONE, SKIN_CHILDREN_FIRST);
    if (is("SysDateTimePick32")) {
        if (!bClientEdge) return Make(SKIN_KIND_NONE);
        return Make(SKIN_KIND_DATETIME, (f.dwStyle & kDtsUpDown) ? SKIN_CHILDREN_FIRST : SKIN_CHILDREN_NONE);
    }
    if (is("msctls_updown32")) return Make(SKIN_KIND_SPIN);
    if (is("ScrollBar")) return Make((f.dwStyle & kSbsSizeBoxOrGrip) ? SKIN_KIND_NONE : SKIN_KIND_SCROLLBAR);
    if (is("ComboBoxEx32")) return Make(SKIN_KIND_NONE, SKIN_CHILDREN_FIRST);
    if (is("SysIPAddress32")) return Make(bClientEdge ? SKIN_KIND_IPADDRESS : SKIN_KIND_NONE);
    if (is("msctls_trackbar32")) return Make(SKIN_KIND_TRACKBAR);
    if (is("SysHeader32")) return Make((f.dwStyle & kHdsButtons) ? SKIN_KIND_HEADER : SKIN_KIND_NONE);
    if (is("ToolbarWindow32")) {
        if (f.dwStyle & kTbstyleFlat) return Make(SKIN_KIND_NONE);
        return Make(SKIN_KIND_TOOLBAR, SKIN_CHILDREN_EVERY);
    }
    // "SysTabControl32" and every other class.
    return Make(SKIN_KIND_NONE);
}

bool SkinIsCreationCandidate(const char* pszClass, unsigned long dwStyle) {
    return (dwStyle & kWsChild) != 0 && std::strcmp(pszClass ? pszClass : "", "ScrollBar") != 0;
}

bool SkinIsSweepCandidate(const char* pszClass, unsigned long dwStyle, PFN_SKINCLASSCOMPARE pfnCompare) {
    return (dwStyle & kWsChild) != 0 && pfnCompare(pszClass ? pszClass : "", "#32770") != 0;
}
