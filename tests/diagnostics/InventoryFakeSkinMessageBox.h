// Test double for the skinned message box: records every call instead of
// showing a window, and answers IDOK at once.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

class CWnd;
struct SkinMsgBoxParams;
struct SkinMsgBoxChild;

struct RecordedMessageBox {
    CWnd* owner;
    std::string text;
    std::string caption;
    UINT style;
    SkinMsgBoxParams* params;
    SkinMsgBoxChild* child;
};

// Every call since the list was last cleared, in order.
std::vector<RecordedMessageBox>& RecordedMessageBoxes();
