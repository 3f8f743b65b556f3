#include "tests/support/tests/StandInBox.h"

namespace scrivlo_test {

CStandInSpec OkBox(const std::wstring& caption, const std::wstring& text) {
    CStandInSpec spec;
    spec.m_caption = caption;
    spec.m_text = text;
    spec.m_buttons = {{IDOK, L"&Ok"}};
    return spec;
}

CStandInSpec OkCancelBox(const std::wstring& caption, const std::wstring& text) {
    CStandInSpec spec = OkBox(caption, text);
    spec.m_buttons.push_back({IDCANCEL, L"&Cancel"});
    return spec;
}

CStandInSpec StandInOfKind(const std::string& kind) {
    if (kind == "okcancel") return OkCancelBox(L"Question", L"Go on?");
    if (kind == "custom2") {
        CStandInSpec spec = OkBox(L"Unsaved", L"Keep the changes?");
        spec.m_buttons = {{1, L"&Save"}, {2, L"&Discard"}};
        return spec;
    }
    if (kind == "yesnocancel") {
        CStandInSpec spec = OkBox(L"Save?", L"Save the report?");
        spec.m_buttons = {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"&Cancel"}};
        return spec;
    }
    if (kind == "heading") {
        CStandInSpec spec = OkBox(L"Report", L"Line one\r\nLine two");
        spec.m_bHeading = true;
        spec.m_heading = L"Two lines";
        return spec;
    }
    return OkBox(L"Success!", L"Log file successfully created!");
}

namespace {

constexpr short kButtonWidth = 66, kButtonHeight = 12, kButtonGap = 10;

struct CTemplateWriter {
    std::vector<unsigned char> m_bytes;
    void Word(unsigned w) { m_bytes.push_back(static_cast<unsigned char>(w)); m_bytes.push_back(static_cast<unsigned char>(w >> 8)); }
    void Dword(unsigned long d) { Word(d & 0xFFFF); Word((d >> 16) & 0xFFFF); }
    void Text(const std::wstring& s) { for (wchar_t c : s) Word(c); Word(0); }
    void Align() { while (m_bytes.size() % 4) m_bytes.push_back(0); }
    void Item(DWORD style, short x, short y, short cx, short cy, DWORD id, WORD atom, const std::wstring& text) {
        Align();
        Dword(0);
        Dword(0);
        Dword(style);
        Word(static_cast<unsigned short>(x)); Word(static_cast<unsigned short>(y));
        Word(static_cast<unsigned short>(cx)); Word(static_cast<unsigned short>(cy));
        Dword(id);
        Word(0xFFFF);
        Word(atom);
        Text(text);
        Word(0);  // no creation data
    }
};

struct CStandInState {
    CStandInSpec m_spec;
    bool m_bModal = true;
    int* m_pResult = nullptr;
    HBRUSH m_hBackground = nullptr;
    bool m_bHasCancel = false;
};

void EndBox(HWND dialog, CStandInState* state, int id) {
    if (state->m_bModal) {
        EndDialog(dialog, id);
    } else {
        if (state->m_pResult) *state->m_pResult = id;
        DestroyWindow(dialog);
    }
}

INT_PTR CALLBACK StandInProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* state = reinterpret_cast<CStandInState*>(GetWindowLongPtrW(dialog, DWLP_USER));
    switch (message) {
    case WM_INITDIALOG: {
        state = reinterpret_cast<CStandInState*>(lParam);
        SetWindowLongPtrW(dialog, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
        state->m_hBackground = CreateSolidBrush(state->m_spec.m_crBackground);
        SetDlgItemTextW(dialog, 255, state->m_spec.m_text.c_str());
        if (state->m_spec.m_bHeading) SetDlgItemTextW(dialog, 256, state->m_spec.m_heading.c_str());
        const auto& buttons = state->m_spec.m_buttons;
        if (state->m_spec.m_nDefaultIndex < buttons.size()) {
            HWND def = GetDlgItem(dialog, buttons[state->m_spec.m_nDefaultIndex].first);
            SendMessageW(dialog, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(def), TRUE);
            return FALSE;
        }
        return TRUE;
    }
    case WM_COMMAND: {
        if (!state) break;
        const int id = LOWORD(wParam);
        if (id < IDOK || id > IDNO) break;
        if (HIWORD(wParam) == BN_SETFOCUS) {
            SendMessageW(dialog, DM_SETDEFID, id, 0);
            return TRUE;
        }
        if (HIWORD(wParam) == BN_CLICKED) {
            if (id != IDCANCEL || state->m_bHasCancel) EndBox(dialog, state, id);
            return TRUE;
        }
        break;
    }
    case WM_CTLCOLORDLG:
        return state ? reinterpret_cast<INT_PTR>(state->m_hBackground) : 0;
    case WM_CTLCOLORSTATIC:
        if (!state) break;
        SetBkColor(reinterpret_cast<HDC>(wParam), state->m_spec.m_crBackground);
        return reinterpret_cast<INT_PTR>(state->m_hBackground);
    case WM_NCDESTROY:
        if (state) {
            SetWindowLongPtrW(dialog, DWLP_USER, 0);
            DeleteObject(state->m_hBackground);
            delete state;
        }
        break;
    }
    return FALSE;
}

CStandInState* NewState(const CStandInSpec& spec, bool modal, int* result) {
    auto* state = new CStandInState;
    state->m_spec = spec;
    state->m_bModal = modal;
    state->m_pResult = result;
    for (const auto& button : spec.m_buttons)
        if (button.first == IDCANCEL) state->m_bHasCancel = true;
    return state;
}

}  // namespace

std::vector<DWORD> BuildStandInTemplate(const CStandInSpec& spec) {
    const short n = static_cast<short>(spec.m_buttons.size());
    short width = static_cast<short>(40 + (n ? n * kButtonWidth + (n - 1) * kButtonGap : 0));
    if (width < 106) width = 106;
    const short height = 68;
    const short items = static_cast<short>(n + 1 + (spec.m_bHeading ? 1 : 0));

    CTemplateWriter w;
    w.Word(1);
    w.Word(0xFFFF);
    w.Dword(0);
    w.Dword(0);
    w.Dword(0x90000040);  // WS_POPUP | WS_VISIBLE | DS_SETFONT
    w.Word(static_cast<unsigned short>(items));
    w.Word(0); w.Word(0);
    w.Word(static_cast<unsigned short>(width)); w.Word(static_cast<unsigned short>(height));
    w.Word(0);
    w.Word(0);
    w.Text(spec.m_caption);
    w.Word(8);
    w.Word(400);
    w.m_bytes.push_back(0);
    w.m_bytes.push_back(0);
    w.Text(L"Tahoma");

    // Buttons centred in a row at the bottom.
    const short rowWidth = static_cast<short>(n ? n * kButtonWidth + (n - 1) * kButtonGap : 0);
    short x = static_cast<short>((width - rowWidth) / 2);
    for (size_t i = 0; i < spec.m_buttons.size(); ++i) {
        DWORD style = 0x50014000;  // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY
        if (i == spec.m_nDefaultIndex) style |= BS_DEFPUSHBUTTON;
        w.Item(style, x, 42, kButtonWidth, kButtonHeight, static_cast<DWORD>(spec.m_buttons[i].first), 0x0080,
               spec.m_buttons[i].second);
        x = static_cast<short>(x + kButtonWidth + kButtonGap);
    }
    // The statics' texts are set when the box initialises.
    const DWORD staticStyle = 0x5000008C;  // WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFTNOWORDWRAP
    if (spec.m_bHeading) w.Item(staticStyle, 20, 6, static_cast<short>(width - 40), 10, 256, 0x0082, L"");
    w.Item(staticStyle, 20, 18, static_cast<short>(width - 40), 20, 255, 0x0082, L"");

    w.Align();
    std::vector<DWORD> words(w.m_bytes.size() / 4);
    for (size_t i = 0; i < words.size(); ++i)
        words[i] = w.m_bytes[4 * i] | (w.m_bytes[4 * i + 1] << 8) | (w.m_bytes[4 * i + 2] << 16) |
                   (static_cast<DWORD>(w.m_bytes[4 * i + 3]) << 24);
    return words;
}

INT_PTR RunStandInBox(HWND owner, const CStandInSpec& spec) {
    const std::vector<DWORD> dialogTemplate = BuildStandInTemplate(spec);
    CStandInState* state = NewState(spec, true, nullptr);
    const INT_PTR result = DialogBoxIndirectParamW(
        GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
        StandInProc, reinterpret_cast<LPARAM>(state));
    if (result == -1) delete state;  // never reached WM_NCDESTROY
    return result;
}

HWND CreateStandInBox(HWND owner, const CStandInSpec& spec, int* result) {
    const std::vector<DWORD> dialogTemplate = BuildStandInTemplate(spec);
    CStandInState* state = NewState(spec, false, result);
    HWND box = CreateDialogIndirectParamW(GetModuleHandleW(nullptr),
                                          reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()), owner,
                                          StandInProc, reinterpret_cast<LPARAM>(state));
    if (!box) delete state;
    return box;
}

}  // namespace scrivlo_test
