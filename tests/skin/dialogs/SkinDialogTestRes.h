// Templates of the skinned dialog and message box tests.
#pragma once

// clang-format off
#define IDD_SKINNED_TOP      301   // a top-level dialog with a system caption and border
#define IDD_SKINNED_CHILD    302   // a child dialog (for the drag through ancestors)
#define IDD_BOX_CHILD        303   // a child dialog embedded in a message box
#define IDD_PLAIN_MODAL      304   // an ordinary modal dialog with an OK button

#define IDC_READONLY_EDIT    1001
#define IDC_DISABLED_EDIT    1002
#define IDC_PLAIN_EDIT       1003
#define IDC_LABEL            1004
#define IDC_PUSH             1005
#define IDC_BOX_CHILD_TEXT   1006
// clang-format on
