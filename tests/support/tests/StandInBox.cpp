#include "tests/support/tests/StandInBox.h"

#include "tests/support/TemplateBytes.h"

namespace scrivlo_test {

CStandInShape OkBox(const std::wstring& caption, const std::wstring& text) {
    CStandInShape shape;
    shape.m_caption = caption;
    shape.m_text = text;
    shape.m_buttons = {{IDOK, L"&Ok"}};
    return shape;
}

CStandInShape OkCancelBox(const std::wstring& caption, const std::wstring& text) {
    CStandInShape shape = OkBox(caption, text);
    shape.m_buttons.push_back({IDCANCEL, L"&Cancel"});
    return shape;
}

CStandInShape StandInOfKind(const std::string& kind) {
    if (kind == "okcancel") return OkCancelBox(L"Question", L"Go on?");
    if (kind == "custom2") {
        CStandInShape shape = OkBox(L"Unsaved", L"Keep the changes?");
        shape.m_buttons = {{1, L"&Save"}, {2, L"&Discard"}};
        return shape;
    }
    if (kind == "yesnocancel") {
        CStandInShape shape = OkBox(L"Save?", L"Save the report?");
        shape.m_buttons = {{IDYES, L"&Yes"}, {IDNO, L"&No"}, {IDCANCEL, L"&Cancel"}};
        return shape;
    }
    if (kind == "heading") {
        CStandInShape shape = OkBox(L"Report", L"Line one\r\nLine two");
        shape.m_bHeading = true;
        shape.m_heading = L"Two lines";
        return shape;
    }
    return OkBox(L"Success!", L"Log file successfully created!");
}

namespace {

constexpr short kButtonWidth = 66, kButtonHeight = 12, kButtonGap = 10;

struct CStandInState {
    CStandInShape m_shape;
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
        state->m_hBackground = CreateSolidBrush(state->m_shape.m_crBackground);
        SetDlgItemTextW(dialog, 255, state->m_shape.m_text.c_str());
        if (state->m_shape.m_bHeading) SetDlgItemTextW(dialog, 256, state->m_shape.m_heading.c_str());
        const auto& buttons = state->m_shape.m_buttons;
        if (state->m_shape.m_nDefaultIndex < buttons.size()) {
            HWND def = GetDlgItem(dialog, buttons[state->m_shape.m_nDefaultIndex].first);
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
    case WM_CTLCOLORDLG: return state ? reinterpret_cast<INT_PTR>(state->m_hBackground) : 0;
    case WM_CTLCOLORSTATIC:
        if (!state) break;
        SetBkColor(reinterpret_cast<HDC>(wParam), state->m_shape.m_crBackground);
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

CStandInState* NewState(const CStandInShape& shape, bool modal, int* result) {
    auto* state = new CStandInState;
    state->m_shape = shape;
    state->m_bModal = modal;
    state->m_pResult = result;
    for (const auto& button : shape.m_buttons)
        if (button.first == IDCANCEL) state->m_bHasCancel = true;
    return state;
}

}  // namespace

std::vector<DWORD> BuildStandInTemplate(const CStandInShape& shape) {
    const short n = static_cast<short>(shape.m_buttons.size());
    short width = static_cast<short>(40 + (n ? n * kButtonWidth + (n - 1) * kButtonGap : 0));
    if (width < 106) width = 106;
    const short height = 68;
    const short items = static_cast<short>(n + 1 + (shape.m_bHeading ? 1 : 0));

    CTemplateBytes w;
    w.Word(1);
    w.Word(0xFFFF);
    w.Dword(0);
    w.Dword(0);
    w.Dword(0x90000040);  // WS_POPUP | WS_VISIBLE | DS_SETFONT
    w.Word(static_cast<unsigned short>(items));
    w.Word(0);
    w.Word(0);
    w.Word(static_cast<unsigned short>(width));
    w.Word(static_cast<unsigned short>(height));
    w.Word(0);
    w.Word(0);
    w.Text(shape.m_caption);
    w.Word(8);
    w.Word(400);
    w.Byte(0);  // not italic
    w.Byte(0);  // character set
    w.Text(L"Tahoma");

    // Buttons centred in a row at the bottom.
    const short rowWidth = static_cast<short>(n ? n * kButtonWidth + (n - 1) * kButtonGap : 0);
    short x = static_cast<short>((width - rowWidth) / 2);
    for (size_t i = 0; i < shape.m_buttons.size(); ++i) {
        DWORD style = 0x50014000;  // WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_NOTIFY
        if (i == shape.m_nDefaultIndex) style |= BS_DEFPUSHBUTTON;
        w.Item(style, x, 42, kButtonWidth, kButtonHeight, static_cast<DWORD>(shape.m_buttons[i].first), 0x0080,
               shape.m_buttons[i].second);
        x = static_cast<short>(x + kButtonWidth + kButtonGap);
    }
    // The statics' texts are set when the box initialises.
    const DWORD staticStyle = 0x5000008C;  // WS_CHILD | WS_VISIBLE | SS_NOPREFIX | SS_LEFTNOWORDWRAP
    if (shape.m_bHeading) w.Item(staticStyle, 20, 6, static_cast<short>(width - 40), 10, 256, 0x0082, L"");
    w.Item(staticStyle, 20, 18, static_cast<short>(width - 40), 20, 255, 0x0082, L"");

    const std::vector<std::uint32_t> words = w.Dwords();
    return std::vector<DWORD>(words.begin(), words.end());
}

INT_PTR RunStandInBox(HWND owner, const CStandInShape& shape) {
    const std::vector<DWORD> dialogTemplate = BuildStandInTemplate(shape);
    CStandInState* state = NewState(shape, true, nullptr);
    const INT_PTR result =
        DialogBoxIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                owner, StandInProc, reinterpret_cast<LPARAM>(state));
    if (result == -1) delete state;  // never reached WM_NCDESTROY
    return result;
}

HWND CreateStandInBox(HWND owner, const CStandInShape& shape, int* result) {
    const std::vector<DWORD> dialogTemplate = BuildStandInTemplate(shape);
    CStandInState* state = NewState(shape, false, result);
    HWND box =
        CreateDialogIndirectParamW(GetModuleHandleW(nullptr), reinterpret_cast<LPCDLGTEMPLATEW>(dialogTemplate.data()),
                                   owner, StandInProc, reinterpret_cast<LPARAM>(state));
    if (!box) delete state;
    return box;
}

}  // namespace scrivlo_test
