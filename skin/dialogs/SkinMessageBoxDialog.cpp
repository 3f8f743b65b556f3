#include "skin/dialogs/SkinMessageBoxDialog.h"

#include "framework/DeviceContext.h"
#include "skin/dialogs/MessageBoxCommands.h"
#include "skin/dialogs/MessageBoxLayout.h"

#include <algorithm>
#include <cstring>

namespace {

SkinRect ToSkinRect(const RECT& r) { return SkinRect{r.left, r.top, r.right, r.bottom}; }

RECT ClientRectOf(CWnd* pParent, HWND hChild) {
    RECT rc;
    ::GetWindowRect(hChild, &rc);
    pParent->ScreenToClient(&rc);
    return rc;
}

}  // namespace

BEGIN_MESSAGE_MAP(CSkinMessageBox, CSkinDialog)
    ON_CONTROL_RANGE(BN_SETFOCUS, IDOK, IDNO, OnButtonSetFocus)
    ON_CONTROL_RANGE(BN_CLICKED, IDOK, IDNO, OnButtonClicked)
    ON_WM_TIMER()
    ON_WM_DESTROY()
END_MESSAGE_MAP()

CSkinMessageBox::CSkinMessageBox(const CStringW& heading, const CStringW& text, const SkinMsgBoxCaptions& captions,
                                 SkinMsgBoxChild* child, const std::vector<SkinMsgBoxItem>& items, CWnd* owner)
    : CSkinDialog(0, owner),
      m_timerElapse(0),
      m_timerProc(nullptr),
      m_timerData(0),
      m_heading(heading),
      m_text(text),
      m_captions(captions),
      m_child(child),
      m_hasCancel(false) {
    const SkinMsgBoxButtonIds ids = MessageBoxButtonIds(items);
    m_hasCancel = ids.hasCancel;
    m_buttonIds.assign(ids.ids.begin(), ids.ids.end());
    m_buttons.reset(new CSkinButton[m_buttonIds.size() > 0 ? m_buttonIds.size() : 1]);
}

CSkinMessageBox::~CSkinMessageBox() {
    if (m_headingFont.GetSafeHandle() != nullptr) m_headingFont.DeleteObject();
}

void CSkinMessageBox::DoDataExchange(CDataExchange* pDX) {
    CSkinDialog::DoDataExchange(pDX);
    for (size_t i = 0; i < m_buttonIds.size(); ++i) DDX_Control(pDX, static_cast<int>(m_buttonIds[i]), m_buttons[i]);
}

void CSkinMessageBox::PutTexts(CWnd* pHeading, CWnd* pText) {
    OSVERSIONINFOA version;
    std::memset(&version, 0, sizeof(version));
    version.dwOSVersionInfoSize = sizeof(version);
    ::GetVersionExA(&version);
    if (MessageBoxUsesWideStatics(version.dwPlatformId)) {
        // Re-installing the procedure through the wide call makes the static
        // a UTF-16 window, so its text is kept as given.
        for (CWnd* pStatic : {pHeading, pText}) {
            if (pStatic == nullptr) continue;
            ::SetWindowLongPtrW(pStatic->m_hWnd, GWLP_WNDPROC, ::GetWindowLongPtrA(pStatic->m_hWnd, GWLP_WNDPROC));
        }
        if (pHeading != nullptr) ::SetWindowTextW(pHeading->m_hWnd, m_heading);
        if (pText != nullptr) ::SetWindowTextW(pText->m_hWnd, m_text);
        return;
    }
    const UINT codePage = CP_THREAD_ACP;
    for (int i = 0; i < 2; ++i) {
        CWnd* pStatic = i == 0 ? pHeading : pText;
        const CStringW& text = i == 0 ? m_heading : m_text;
        if (pStatic == nullptr) continue;
        const int bytes = ::WideCharToMultiByte(codePage, 0, text, text.GetLength() + 1, nullptr, 0, nullptr, nullptr);
        std::string narrow(bytes > 0 ? static_cast<size_t>(bytes) : 1, '\0');
        if (bytes > 0)
            ::WideCharToMultiByte(codePage, 0, text, text.GetLength() + 1, &narrow[0], bytes, nullptr, nullptr);
        ::SetWindowTextA(pStatic->m_hWnd, narrow.c_str());
    }
}

void CSkinMessageBox::MakeHeadingFont(CWnd* pHeading) {
    HDC hDC = ::GetDC(pHeading->m_hWnd);
    if (hDC == nullptr) return;
    HFONT hTemplateFont = reinterpret_cast<HFONT>(pHeading->SendMessage(WM_GETFONT));
    HGDIOBJ hPrev = hTemplateFont != nullptr ? ::SelectObject(hDC, hTemplateFont) : nullptr;
    TEXTMETRICA metrics;
    char face[LF_FACESIZE] = "";
    if (::GetTextMetricsA(hDC, &metrics) && ::GetTextFaceA(hDC, LF_FACESIZE, face) > 0) {
        LOGFONTA logFont;
        std::memset(&logFont, 0, sizeof(logFont));
        logFont.lfHeight = metrics.tmHeight;
        logFont.lfWeight = FW_BOLD;
        logFont.lfItalic = metrics.tmItalic;
        logFont.lfUnderline = metrics.tmUnderlined;
        logFont.lfStrikeOut = metrics.tmStruckOut;
        logFont.lfCharSet = metrics.tmCharSet;
        std::memcpy(logFont.lfFaceName, face, sizeof(logFont.lfFaceName));
        logFont.lfFaceName[LF_FACESIZE - 1] = '\0';
        if (m_headingFont.CreateFontIndirect(&logFont))
            pHeading->SendMessage(WM_SETFONT, reinterpret_cast<WPARAM>(m_headingFont.GetSafeHandle()), FALSE);
    }
    if (hPrev != nullptr) ::SelectObject(hDC, hPrev);
    ::ReleaseDC(pHeading->m_hWnd, hDC);
}

SIZE CSkinMessageBox::MeasureText(CWnd* pStatic, const CStringW& text, HFONT hFont) {
    SIZE extent = {0, 0};
    HDC hDC = ::GetDC(pStatic->m_hWnd);
    if (hDC == nullptr) return extent;
    if (hFont == nullptr) hFont = reinterpret_cast<HFONT>(pStatic->SendMessage(WM_GETFONT));
    HGDIOBJ hPrev = hFont != nullptr ? ::SelectObject(hDC, hFont) : nullptr;
    RECT rc = {0, 0, 0, 0};
    ::DrawTextW(hDC, text, text.GetLength(), &rc, DT_CALCRECT | DT_NOPREFIX);
    extent.cx = rc.right - rc.left;
    extent.cy = rc.bottom - rc.top;
    if (hPrev != nullptr) ::SelectObject(hDC, hPrev);
    ::ReleaseDC(pStatic->m_hWnd, hDC);
    return extent;
}

BOOL CSkinMessageBox::OnInitDialog() {
    CSkinDialog::OnInitDialog();
    const UINT defaultId = LOWORD(SendMessage(DM_GETDEFID));
    SetColors(m_captions.colBackground, m_captions.colBorder, m_captions.colText, m_captions.colTitle,
              m_captions.colTitleText);
    CString title;
    GetWindowText(title);
    SetTitle(title, TitleBevel, nullptr, FALSE);

    CWnd* pHeading = m_heading.IsEmpty() ? nullptr : GetDlgItem(IDC_MSGBOX_HEADING);
    CWnd* pText = GetDlgItem(IDC_MSGBOX_TEXT);
    PutTexts(pHeading, pText);

    SkinMsgBoxMeasure measure;
    if (pHeading != nullptr) {
        MakeHeadingFont(pHeading);
        const SIZE heading = MeasureText(pHeading, m_heading, GetHeadingFont());
        measure.hasHeading = true;
        measure.heading = SkinSize{heading.cx, heading.cy};
    }
    if (pText != nullptr) {
        const SIZE text = MeasureText(pText, m_text, nullptr);
        measure.text = SkinSize{text.cx, text.cy};
    }
    RECT rcWindow;
    GetWindowRect(&rcWindow);
    measure.window = ToSkinRect(rcWindow);
    if (pText != nullptr) measure.textStatic = ToSkinRect(ClientRectOf(this, pText->m_hWnd));
    RECT rcGap = {0, 0, 20, 14};
    MapDialogRect(&rcGap);
    measure.gap = rcGap.bottom - rcGap.top;

    bool childCreated = false;
    if (m_child != nullptr && m_child->dialog != nullptr && m_child->dialog->Create(m_child->templateName, this)) {
        childCreated = true;
        measure.hasChild = true;
        measure.child = ToSkinRect(ClientRectOf(this, m_child->dialog->m_hWnd));
        measure.childAtBottom = m_child->atBottom != 0;
    }

    const SkinMsgBoxPlacement placement = LayoutMessageBox(measure);
    const UINT moveOnly = SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE;
    if (pHeading != nullptr)
        ::SetWindowPos(pHeading->m_hWnd, nullptr, placement.heading.left, placement.heading.top,
                       placement.heading.Width(), placement.heading.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (pText != nullptr)
        ::SetWindowPos(pText->m_hWnd, nullptr, placement.text.left, placement.text.top, placement.text.Width(),
                       placement.text.Height(), SWP_NOZORDER | SWP_NOACTIVATE);
    if (childCreated) {
        m_child->dialog->SetWindowPos(nullptr, placement.child.x, placement.child.y, 0, 0, moveOnly);
        m_child->dialog->ShowWindow(SW_SHOW);
    }

    for (size_t i = 0; i < m_buttonIds.size(); ++i) {
        CSkinButton& button = m_buttons[i];
        if (button.m_hWnd == nullptr) continue;
        if (m_captions.buttonIconId != 0) button.SetIcons(static_cast<UINT>(m_captions.buttonIconId), 0, 0, 0, 0);
        button.SetDrawBorder(FALSE);
        const SkinPoint moved = MessageBoxButtonPosition(placement, ToSkinRect(ClientRectOf(this, button.m_hWnd)));
        button.SetWindowPos(nullptr, moved.x, moved.y, 0, 0, moveOnly);
    }
    SetWindowPos(nullptr, 0, 0, placement.box.cx, placement.box.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);

    if (MessageBoxUsesTimer(m_timerElapse, m_timerProc != nullptr))
        SetTimer(kSkinMsgBoxTimerId, m_timerElapse, nullptr);

    if (defaultId != 0) {
        if (CWnd* pDefault = GetDlgItem(static_cast<int>(defaultId))) {
            SendMessage(WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(pDefault->m_hWnd), TRUE);
            return FALSE;
        }
    }
    return TRUE;
}

void CSkinMessageBox::OnButtonSetFocus(UINT nID) {
    if (MessageBoxCommand(nID, kSkinBnSetFocus, m_hasCancel) == SkinMsgBoxCommand::SetDefault)
        SendMessage(DM_SETDEFID, nID);
}

void CSkinMessageBox::OnButtonClicked(UINT nID) {
    if (MessageBoxCommand(nID, kSkinBnClicked, m_hasCancel) == SkinMsgBoxCommand::End) EndDialog(static_cast<int>(nID));
}

void CSkinMessageBox::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent == kSkinMsgBoxTimerId && m_timerProc != nullptr) m_timerProc(this, m_timerData);
}

void CSkinMessageBox::OnDestroy() {
    if (MessageBoxUsesTimer(m_timerElapse, m_timerProc != nullptr)) KillTimer(kSkinMsgBoxTimerId);
    CSkinDialog::OnDestroy();
}
