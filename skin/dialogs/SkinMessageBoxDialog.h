// CSkinMessageBox: the dialog the message box entry runs on its in-memory
// template. It fits the window to its text (and optional bold heading), moves
// the buttons below it, embeds the caller's child dialog, takes the caption
// set's colours and a bevelled title bar, skins its buttons and ends with the
// identifier of the button pressed.
#pragma once

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "framework/GdiObjects.h"
#include "framework/Strings.h"
#include "skin/controls/SkinButton.h"
#include "skin/dialogs/MessageBoxTemplate.h"
#include "skin/dialogs/SkinDialog.h"
#include "skin/dialogs/SkinMessageBox.h"

class CSkinMessageBox : public CSkinDialog {
public:
    CSkinMessageBox(const CStringW& heading, const CStringW& text, const SkinMsgBoxCaptions& captions,
                    SkinMsgBoxChild* child, const std::vector<SkinMsgBoxItem>& items, CWnd* owner);
    virtual ~CSkinMessageBox();

    // Copied from the call's params by the entry.
    UINT m_timerElapse;
    SkinMsgBoxTimerProc m_timerProc;
    DWORD_PTR m_timerData;

    int GetButtonCount() const { return static_cast<int>(m_buttonIds.size()); }
    HFONT GetHeadingFont() const { return static_cast<HFONT>(m_headingFont.GetSafeHandle()); }

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

    void OnButtonSetFocus(UINT nID);
    void OnButtonClicked(UINT nID);
    void OnTimer(UINT_PTR nIDEvent);
    void OnDestroy();

    DECLARE_MESSAGE_MAP()

private:
    void PutTexts(CWnd* pHeading, CWnd* pText);
    // The text's extent with DT_CALCRECT | DT_NOPREFIX in the static's font
    // (or hFont when given).
    SIZE MeasureText(CWnd* pStatic, const CStringW& text, HFONT hFont);
    void MakeHeadingFont(CWnd* pHeading);

    CStringW m_heading;
    CStringW m_text;
    CFont m_headingFont;
    SkinMsgBoxCaptions m_captions;
    SkinMsgBoxChild* m_child;
    bool m_hasCancel;
    std::vector<UINT> m_buttonIds;
    std::unique_ptr<CSkinButton[]> m_buttons;
};
