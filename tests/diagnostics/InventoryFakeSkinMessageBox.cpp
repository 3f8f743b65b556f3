#include "tests/diagnostics/InventoryFakeSkinMessageBox.h"

std::vector<RecordedMessageBox>& RecordedMessageBoxes() {
    static std::vector<RecordedMessageBox> calls;
    return calls;
}

int SkinMessageBox(CWnd* owner, const char* text, const char* caption, UINT style, SkinMsgBoxParams* params,
                   SkinMsgBoxChild* child) {
    RecordedMessageBoxes().push_back(
        RecordedMessageBox{owner, text ? text : "(null)", caption ? caption : "(null)", style, params, child});
    return IDOK;
}
