// Identifiers of the swept-dialog tests' templates (kept apart from the
// other engine tests' identifiers).
#pragma once

#define IDD_SWEPT 200
#define IDD_SWEPT_NESTED 201

#define IDC_S_EDIT_EDGE 2001
#define IDC_S_EDIT_PLAIN 2002
#define IDC_S_COMBO_SIMPLE 2003
#define IDC_S_COMBO_DROP 2004
#define IDC_S_COMBO_LIST 2005
#define IDC_S_BUTTON 2006
#define IDC_S_CHECK 2007
#define IDC_S_RADIO 2008
#define IDC_S_STATIC 2009
#define IDC_S_TAB 2010
#define IDC_S_LIST_EDGE 2011
#define IDC_S_LIST_PLAIN 2012
#define IDC_S_SCROLL 2013
#define IDC_S_GRIP 2014
#define IDC_S_TRACK 2015
#define IDC_S_NESTED_EDIT 2101
