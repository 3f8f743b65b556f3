// Identifiers of the engine tests' dialog templates.
#pragma once

#define IDD_SWEEP 100
#define IDD_NESTED 101

#define IDC_EDIT_EDGE 1001
#define IDC_EDIT_PLAIN 1002
#define IDC_COMBO_SIMPLE 1003
#define IDC_COMBO_DROP 1004
#define IDC_BUTTON 1005
#define IDC_CHECK 1006
#define IDC_STATIC_TEXT 1007
#define IDC_TAB 1008
#define IDC_LIST_EDGE 1009
#define IDC_LIST_PLAIN 1010
#define IDC_SCROLL_VERT 1011
#define IDC_SCROLL_GRIP 1012
#define IDC_NESTED_EDIT 1101
