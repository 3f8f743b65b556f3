#include "skin/engine/SkinDispatch.h"

#include <gtest/gtest.h>

namespace {

const unsigned long WS_CHILD_ = 0x40000000UL;
const unsigned long EDGE = 0x200UL;  // WS_EX_CLIENTEDGE

const char* KindName(SkinKind k) {
    static const char* const names[] = {"none",     "border", "ipaddress", "edit",     "comboedit", "combo",
                                        "datetime", "spin",   "scrollbar", "trackbar", "header",    "toolbar"};
    return k >= 0 && k < SKIN_KIND_COUNT ? names[k] : "?";
}

const char* ChildrenName(SkinChildren c) {
    return c == SKIN_CHILDREN_NONE ? "none" : c == SKIN_CHILDREN_FIRST ? "first" : "every";
}

}  // namespace

TEST(SkinDispatch, EveryRowOfTheClassTable) {
    struct Case {
        const char* cls;
        unsigned long style, exStyle;
        const char* parentCls;
        unsigned long parentStyle;
        SkinKind kind;
        SkinChildren children;
    } cases[] = {
        {"Button", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"Button", 0xB, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},  // owner-drawn, with an edge
        {"ComboBox", 0x1, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_EVERY},  // CBS_SIMPLE
        {"ComboBox", 0x101, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_EVERY},
        {"ComboBox", 0x2, 0, "", 0, SKIN_KIND_COMBO, SKIN_CHILDREN_NONE},  // CBS_DROPDOWN
        {"ComboBox", 0x3, 0, "", 0, SKIN_KIND_COMBO, SKIN_CHILDREN_NONE},  // CBS_DROPDOWNLIST
        {"ComboBox", 0x0, 0, "", 0, SKIN_KIND_COMBO, SKIN_CHILDREN_NONE},
        {"Edit", 0, 0, "ComboBox", 0x1, SKIN_KIND_COMBOEDIT, SKIN_CHILDREN_NONE},
        {"Edit", 0, EDGE, "combobox", 0x41, SKIN_KIND_COMBOEDIT, SKIN_CHILDREN_NONE},
        {"Edit", 0, EDGE, "ComboBox", 0x2, SKIN_KIND_EDIT, SKIN_CHILDREN_NONE},  // drop-down combo's edit
        {"Edit", 0, 0, "ComboBox", 0x2, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"Edit", 0, EDGE, "#32770", 0x1, SKIN_KIND_EDIT, SKIN_CHILDREN_NONE},
        {"Edit", 0x800000, 0, "#32770", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},  // WS_BORDER alone
        {"ListBox", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"ListBox", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"SysListView32", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"SysListView32", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"SysTreeView32", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"SysTreeView32", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"ComboLBox", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"ComboLBox", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"msctls_hotkey32", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"msctls_hotkey32", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"RichEdit", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"RichEdit", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"RichEdit20W", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"RichEdit20W", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"RichEdit20A", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},  // not in the table
        {"SysMonthCal32", 0, 0, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"SysMonthCal32", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"SHELLDLL_DefView", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_FIRST},
        {"SysDateTimePick32", 0, EDGE, "", 0, SKIN_KIND_DATETIME, SKIN_CHILDREN_NONE},
        {"SysDateTimePick32", 0x1, EDGE, "", 0, SKIN_KIND_DATETIME, SKIN_CHILDREN_FIRST},  // DTS_UPDOWN
        {"SysDateTimePick32", 0x1, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"msctls_updown32", 0, 0, "", 0, SKIN_KIND_SPIN, SKIN_CHILDREN_NONE},
        {"ScrollBar", 0x0, 0, "", 0, SKIN_KIND_SCROLLBAR, SKIN_CHILDREN_NONE},
        {"ScrollBar", 0x1, 0, "", 0, SKIN_KIND_SCROLLBAR, SKIN_CHILDREN_NONE},  // SBS_VERT
        {"ScrollBar", 0x8, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},       // SBS_SIZEBOX
        {"ScrollBar", 0x10, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},      // SBS_SIZEGRIP
        {"ScrollBar", 0x6, 0, "", 0, SKIN_KIND_SCROLLBAR, SKIN_CHILDREN_NONE},  // alignment bits only
        {"ComboBoxEx32", 0x2, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_FIRST},
        {"SysIPAddress32", 0, EDGE, "", 0, SKIN_KIND_IPADDRESS, SKIN_CHILDREN_NONE},
        {"SysIPAddress32", 0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"msctls_trackbar32", 0, 0, "", 0, SKIN_KIND_TRACKBAR, SKIN_CHILDREN_NONE},
        {"SysHeader32", 0x2, 0, "", 0, SKIN_KIND_HEADER, SKIN_CHILDREN_NONE},  // HDS_BUTTONS
        {"SysHeader32", 0x0, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"ToolbarWindow32", 0x800, 0, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},  // TBSTYLE_FLAT
        {"ToolbarWindow32", 0x100, 0, "", 0, SKIN_KIND_TOOLBAR, SKIN_CHILDREN_EVERY},
        {"SysTabControl32", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"Static", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"#32770", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        // Class names are compared ignoring case.
        {"EDIT", 0, EDGE, "", 0, SKIN_KIND_EDIT, SKIN_CHILDREN_NONE},
        {"scrollbar", 0, 0, "", 0, SKIN_KIND_SCROLLBAR, SKIN_CHILDREN_NONE},
        {"LISTBOX", 0, EDGE, "", 0, SKIN_KIND_BORDER, SKIN_CHILDREN_NONE},
        {"BUTTON", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},
        {"ListBox2", 0, EDGE, "", 0, SKIN_KIND_NONE, SKIN_CHILDREN_NONE},  // no prefix matches
    };
    for (const Case& c : cases) {
        SkinWindowFacts f = {c.cls, c.style, c.exStyle, c.parentCls, c.parentStyle};
        SkinDispatch d = SkinChooseKind(f);
        EXPECT_STREQ(KindName(d.nKind), KindName(c.kind))
            << c.cls << " style " << std::hex << c.style << " ex " << c.exStyle << " parent " << c.parentCls;
        EXPECT_STREQ(ChildrenName(d.nChildren), ChildrenName(c.children)) << c.cls << " style " << std::hex << c.style;
    }
}

TEST(SkinDispatch, UsesTheComparisonItIsGiven) {
    // With a case-sensitive comparison, "EDIT" is not an edit control.
    auto exact = [](const char* a, const char* b) {
        for (; *a && *a == *b; ++a, ++b) {
        }
        return static_cast<unsigned char>(*a) - static_cast<unsigned char>(*b);
    };
    SkinWindowFacts f = {"EDIT", 0, EDGE, "", 0};
    EXPECT_EQ(SkinChooseKind(f, exact).nKind, SKIN_KIND_NONE);
    f.pszClass = "Edit";
    EXPECT_EQ(SkinChooseKind(f, exact).nKind, SKIN_KIND_EDIT);
}

TEST(SkinDispatch, NullNamesAreEmptyNames) {
    SkinWindowFacts f = {nullptr, 0, EDGE, nullptr, 0};
    EXPECT_EQ(SkinChooseKind(f).nKind, SKIN_KIND_NONE);
    f.pszClass = "Edit";
    EXPECT_EQ(SkinChooseKind(f).nKind, SKIN_KIND_EDIT);
}

TEST(SkinDispatch, CreationModeCandidates) {
    // clang-format off
    struct Case {
        const char* cls;
        unsigned long style;
        bool expected;
    } cases[] = {
        {"Edit", WS_CHILD_, true},
        {"Edit", 0, false},                // a top-level window
        {"Edit", 0x80000000UL, false},     // WS_POPUP
        {"ScrollBar", WS_CHILD_, false},   // exactly "ScrollBar"
        {"SCROLLBAR", WS_CHILD_, true},    // differs in letter case: dispatched
        {"scrollbar", WS_CHILD_, true},
        {"ScrollBar2", WS_CHILD_, true},
        {"#32770", WS_CHILD_, true},
    };
    // clang-format on
    for (const Case& c : cases) {
        EXPECT_EQ(SkinIsCreationCandidate(c.cls, c.style), c.expected) << c.cls << " " << std::hex << c.style;
    }
}

TEST(SkinDispatch, SweepCandidates) {
    struct Case {
        const char* cls;
        unsigned long style;
        bool expected;
    } cases[] = {
        {"Edit", WS_CHILD_, true},      {"Edit", 0, false},          {"#32770", WS_CHILD_, false}, {"#32770", 0, false},
        {"ScrollBar", WS_CHILD_, true}, {"#32771", WS_CHILD_, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkinIsSweepCandidate(c.cls, c.style), c.expected) << c.cls << " " << std::hex << c.style;
    }
}

TEST(SkinDispatch, CompareNoCaseFoldsAsciiOnly) {
    EXPECT_EQ(SkinCompareNoCase("ComboLBox", "combolbox"), 0);
    EXPECT_EQ(SkinCompareNoCase("", ""), 0);
    EXPECT_NE(SkinCompareNoCase("Edit", "Edi"), 0);
    EXPECT_NE(SkinCompareNoCase("Edi", "Edit"), 0);
    EXPECT_LT(SkinCompareNoCase("a", "B"), 0);
    EXPECT_GT(SkinCompareNoCase("b", "A"), 0);
    EXPECT_NE(SkinCompareNoCase("\xC4", "\xE4"), 0);  // no folding beyond ASCII
    EXPECT_NE(SkinCompareNoCase("[", "{"), 0);        // punctuation is not a letter
}
