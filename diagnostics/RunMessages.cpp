#include "diagnostics/RunMessages.h"

#include "framework/Strings.h"
#include "skin/dialogs/SkinMessageBox.h"

void ShowRunMessage(CWnd* dialog, unsigned int textId, unsigned int captionId) {
    CString text;
    CString caption;
    text.LoadString(textId);
    caption.LoadString(captionId);
    SkinMessageBox(dialog, text, caption, 0, nullptr, nullptr);
}
