// The skinned message box as a user meets it: each box runs on a worker
// thread, as the diagnostics show theirs, and this thread finds it among the
// process's windows, reads it and answers it with real input.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "framework/Dialog.h"
#include "skin/dialogs/SkinMessageBox.h"
#include "skin/dialogs/SkinMessageBoxDialog.h"
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"

using namespace scrivlo_test;

namespace {

// One SkinMessageBox call on a thread of its own.
class CBoxCall {
public:
    CBoxCall(std::string text, const char* caption, UINT style, SkinMsgBoxParams* params = nullptr,
             SkinMsgBoxChild* child = nullptr)
        : m_text(std::move(text)),
          m_caption(caption ? caption : ""),
          m_bNullCaption(caption == nullptr),
          m_style(style),
          m_params(params),
          m_child(child) {
        m_thread = ::CreateThread(nullptr, 0, &CBoxCall::Main, this, 0, nullptr);
    }
    ~CBoxCall() {
        if (m_thread != nullptr) {
            // A box left open is closed so the thread can end.
            if (::WaitForSingleObject(m_thread, 0) == WAIT_TIMEOUT && m_box != nullptr)
                ::PostMessageA(m_box, WM_COMMAND, IDOK, 0);
            WaitForObjectPumping(m_thread, 5000);
            ::CloseHandle(m_thread);
        }
    }

    // The box, once it is shown.
    HWND WaitForShown() {
        m_box = WaitForBox(::GetCurrentProcessId(), 5000);
        if (m_box != nullptr) PumpMessages(100);
        return m_box;
    }
    bool Ended(DWORD timeoutMs) { return WaitForObjectPumping(m_thread, timeoutMs); }
    int Result() const { return m_result; }

private:
    static DWORD WINAPI Main(LPVOID p) {
        CBoxCall* self = static_cast<CBoxCall*>(p);
        self->m_result =
            SkinMessageBox(nullptr, self->m_text.c_str(), self->m_bNullCaption ? nullptr : self->m_caption.c_str(),
                           self->m_style, self->m_params, self->m_child);
        return 0;
    }

    std::string m_text;
    std::string m_caption;
    bool m_bNullCaption;
    UINT m_style;
    SkinMsgBoxParams* m_params;
    SkinMsgBoxChild* m_child;
    HANDLE m_thread = nullptr;
    HWND m_box = nullptr;
    volatile int m_result = -100;
};

struct CButtonsCase {
    UINT style;
    std::vector<std::wstring> captions;
    int defaultId;
};

RECT ClientRectOfChild(HWND box, int id) {
    RECT rc = WindowRectOf(FindChildById(box, id));
    ::MapWindowPoints(nullptr, box, reinterpret_cast<POINT*>(&rc), 2);
    return rc;
}

int Height(const RECT& rc) { return rc.bottom - rc.top; }
int Width(const RECT& rc) { return rc.right - rc.left; }

}  // namespace

TEST(SkinMessageBox, OkBoxShowsCaptionTextAndOneDefaultButtonAndReturnsOne) {
    CBoxCall call("Log file successfully created!", "Information", MB_OK);
    HWND box = call.WaitForShown();
    ASSERT_NE(box, nullptr);
    CBoxContents contents;
    ASSERT_TRUE(ReadBox(box, contents));
    EXPECT_EQ(contents.m_caption, L"Information");
    EXPECT_EQ(contents.m_text, L"Log file successfully created!");
    EXPECT_FALSE(contents.m_bHasHeading);
    ASSERT_EQ(contents.m_buttons.size(), 1u);
    EXPECT_EQ(contents.m_buttons[0].m_caption, L"&Ok");
    EXPECT_EQ(contents.m_nDefaultId, IDOK);
    // No system caption or border: the whole window is client area.
    const LONG style = ::GetWindowLongA(box, GWL_STYLE);
    EXPECT_EQ(style & (WS_CAPTION | WS_BORDER), 0);
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
    ASSERT_TRUE(call.Ended(5000));
    EXPECT_EQ(call.Result(), IDOK);
}

TEST(SkinMessageBox, ButtonSetsLeftToRightWithTheirDefault) {
    const CButtonsCase cases[] = {
        {MB_OKCANCEL, {L"&Ok", L"&Cancel"}, IDOK},
        {MB_OKCANCEL | MB_DEFBUTTON2, {L"&Ok", L"&Cancel"}, IDCANCEL},
        {MB_OKCANCEL | MB_DEFBUTTON3, {L"&Ok", L"&Cancel"}, IDOK},
        {MB_YESNOCANCEL, {L"&Yes", L"&No", L"&Cancel"}, IDYES},
        {MB_ABORTRETRYIGNORE | MB_DEFBUTTON3, {L"&Abort", L"&Retry", L"&Ignore"}, IDIGNORE},
        {MB_OK | MB_ICONHAND, {L"&Ok"}, IDOK},
        {7, {L"&Ok"}, IDOK},  // a style naming no buttons is served as the OK box
    };
    for (const CButtonsCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        CBoxCall call("Which one?", "Question", c.style);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        CBoxContents contents;
        ASSERT_TRUE(ReadBox(box, contents));
        ASSERT_EQ(contents.m_buttons.size(), c.captions.size());
        int previousLeft = -100000;
        for (size_t i = 0; i < c.captions.size(); ++i) {
            EXPECT_EQ(contents.m_buttons[i].m_caption, c.captions[i]);
            EXPECT_GT(contents.m_buttons[i].m_rcWindow.m_nLeft, previousLeft);
            previousLeft = contents.m_buttons[i].m_rcWindow.m_nLeft;
        }
        EXPECT_EQ(contents.m_nDefaultId, c.defaultId);
        EXPECT_TRUE(AnswerBox(box, c.defaultId, AnswerMethod::kClick));
        ASSERT_TRUE(call.Ended(5000));
        EXPECT_EQ(call.Result(), c.defaultId);
    }
}

TEST(SkinMessageBox, EscapeEndsOnlyABoxWithAButtonTwo) {
    {
        CBoxCall call("Only OK", "Box", MB_OK);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(PressKey(box, VK_ESCAPE));
        EXPECT_FALSE(call.Ended(500)) << "Escape closed a box without a Cancel button";
        EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
        ASSERT_TRUE(call.Ended(5000));
        EXPECT_EQ(call.Result(), IDOK);
    }
    {
        CBoxCall call("OK or Cancel", "Box", MB_OKCANCEL);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        ASSERT_TRUE(PressKey(box, VK_ESCAPE));
        ASSERT_TRUE(call.Ended(5000));
        EXPECT_EQ(call.Result(), IDCANCEL);
    }
    {
        SkinMsgBoxParams params;
        params.customButtonCount = 2;
        params.customCaptions[0] = L"&Keep";
        params.customCaptions[1] = L"&Drop";
        CBoxCall call("Two custom buttons", "Box", SKINMB_CUSTOM_STYLE, &params);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        CBoxContents contents;
        ASSERT_TRUE(ReadBox(box, contents));
        ASSERT_EQ(contents.m_buttons.size(), 2u);
        EXPECT_EQ(contents.m_buttons[1].m_caption, L"&Drop");
        EXPECT_EQ(contents.m_buttons[1].m_nId, 2);
        ASSERT_TRUE(PressKey(box, VK_ESCAPE));
        ASSERT_TRUE(call.Ended(5000));
        EXPECT_EQ(call.Result(), 2);
    }
}

TEST(SkinMessageBox, TabMakesTheSecondButtonTheDefaultForEnter) {
    CBoxCall call("Yes or no?", "Box", MB_YESNO);
    HWND box = call.WaitForShown();
    ASSERT_NE(box, nullptr);
    EXPECT_EQ(ReadDefaultId(box), IDYES);
    ASSERT_TRUE(PressKey(box, VK_TAB));
    EXPECT_TRUE(WaitUntil([&] { return ReadDefaultId(box) == IDNO; }, 2000));
    ASSERT_TRUE(PressKey(box, VK_RETURN));
    ASSERT_TRUE(call.Ended(5000));
    EXPECT_EQ(call.Result(), IDNO);
}

TEST(SkinMessageBox, TextSizesTheBoxAndMovesTheButton) {
    RECT oneWindow, oneButton, oneText;
    {
        CBoxCall call("One line", "Box", MB_OK);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        oneWindow = WindowRectOf(box);
        oneButton = ClientRectOfChild(box, IDOK);
        oneText = ClientRectOfChild(box, 255);
        EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
        ASSERT_TRUE(call.Ended(5000));
    }
    const int lineHeight = Height(oneText);
    ASSERT_GT(lineHeight, 0);
    {
        CBoxCall call("One line\r\nTwo\r\nThree\r\nFour", "Box", MB_OK);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        const RECT window = WindowRectOf(box);
        const RECT button = ClientRectOfChild(box, IDOK);
        EXPECT_EQ(Height(ClientRectOfChild(box, 255)), 4 * lineHeight);
        EXPECT_EQ(Height(window) - Height(oneWindow), 3 * lineHeight);
        EXPECT_EQ(button.top - oneButton.top, 3 * lineHeight);
        EXPECT_EQ(Width(window), Width(oneWindow));
        EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
        ASSERT_TRUE(call.Ended(5000));
    }
    {
        const std::string longLine(120, 'W');
        CBoxCall call(longLine, "Box", MB_OK);
        HWND box = call.WaitForShown();
        ASSERT_NE(box, nullptr);
        const RECT window = WindowRectOf(box);
        const RECT text = ClientRectOfChild(box, 255);
        const RECT button = ClientRectOfChild(box, IDOK);
        EXPECT_GT(Width(window), Width(oneWindow));
        // The text keeps its left edge, the box grows by the difference and
        // the button stays in the middle.
        RECT staticRect = {20, 28, 106 - 20, 28};
        ASSERT_TRUE(::MapDialogRect(box, &staticRect));
        EXPECT_EQ(text.left, staticRect.left);
        EXPECT_EQ(Width(window) - Width(oneWindow), Width(text) - Width(staticRect));
        EXPECT_LE(std::abs((button.left + button.right) - Width(window)), 2);
        EXPECT_EQ(button.top, oneButton.top);
        EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
        ASSERT_TRUE(call.Ended(5000));
    }
}

TEST(SkinMessageBox, HeadingTakesTheTextsPlaceInBoldAndPushesTheTextDown) {
    SkinMsgBoxParams params;
    params.heading = L"Heading line";
    CBoxCall call("The message", "Box", MB_OK, &params);
    HWND box = call.WaitForShown();
    ASSERT_NE(box, nullptr);
    HWND heading = FindChildById(box, 256);
    HWND text = FindChildById(box, 255);
    ASSERT_NE(heading, nullptr);
    EXPECT_EQ(ReadWindowTextW(heading), L"Heading line");
    const RECT rcHeading = ClientRectOfChild(box, 256);
    const RECT rcText = ClientRectOfChild(box, 255);
    EXPECT_EQ(rcText.top, rcHeading.bottom);
    LOGFONTA headingFont = {}, textFont = {};
    ASSERT_TRUE(::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(heading, WM_GETFONT, 0, 0)), sizeof(headingFont),
                             &headingFont));
    ASSERT_TRUE(
        ::GetObjectA(reinterpret_cast<HFONT>(::SendMessageA(text, WM_GETFONT, 0, 0)), sizeof(textFont), &textFont));
    EXPECT_EQ(headingFont.lfWeight, FW_BOLD);
    EXPECT_LT(textFont.lfWeight, FW_BOLD);
    // The bold font takes the face the system really chose for the template
    // font (a substitute where "Tahoma" is missing) and its height.
    HDC hdc = ::GetDC(text);
    HGDIOBJ previous = ::SelectObject(hdc, reinterpret_cast<HFONT>(::SendMessageA(text, WM_GETFONT, 0, 0)));
    char face[LF_FACESIZE] = "";
    TEXTMETRICA metrics = {};
    ::GetTextFaceA(hdc, LF_FACESIZE, face);
    ::GetTextMetricsA(hdc, &metrics);
    ::SelectObject(hdc, previous);
    ::ReleaseDC(text, hdc);
    EXPECT_STREQ(headingFont.lfFaceName, face);
    EXPECT_EQ(headingFont.lfHeight, metrics.tmHeight);
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
    ASSERT_TRUE(call.Ended(5000));
}

namespace {
struct CTimerRecord {
    LONG ticks = 0;
};
void EndOnThirdTick(CSkinMessageBox* pBox, DWORD_PTR data) {
    CTimerRecord* record = reinterpret_cast<CTimerRecord*>(data);
    if (::InterlockedIncrement(&record->ticks) == 3) pBox->EndDialog(42);
}
}  // namespace

TEST(SkinMessageBox, TimerFunctionRunsEachPeriodAndMayEndTheBox) {
    CTimerRecord record;
    SkinMsgBoxParams params;
    params.timerElapse = 100;
    params.timerProc = &EndOnThirdTick;
    params.timerData = reinterpret_cast<DWORD_PTR>(&record);
    CBoxCall call("Counting", "Box", MB_OK, &params);
    ASSERT_NE(call.WaitForShown(), nullptr);
    ASSERT_TRUE(call.Ended(5000));
    EXPECT_EQ(call.Result(), 42);
    EXPECT_EQ(record.ticks, 3);
}

TEST(SkinMessageBox, NullCaptionAndNonAsciiText) {
    // "Fehler: Datei" with a-umlaut and e-acute in the system code page.
    const UINT acp = ::GetACP();
    const std::string text =
        "Gr\xE4"
        "\xDF"
        "e \xE9t\xE9";
    wchar_t expected[64] = L"";
    ASSERT_GT(::MultiByteToWideChar(acp, 0, text.c_str(), -1, expected, 64), 0);
    CBoxCall call(text, nullptr, MB_OK);
    HWND box = call.WaitForShown();
    ASSERT_NE(box, nullptr);
    CBoxContents contents;
    ASSERT_TRUE(ReadBox(box, contents));
    EXPECT_EQ(contents.m_caption, L"");
    EXPECT_EQ(contents.m_text, std::wstring(expected));
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kKeyboard));
    ASSERT_TRUE(call.Ended(5000));
    EXPECT_EQ(call.Result(), IDOK);
}

TEST(SkinMessageBoxLooks, BevelledRedTitleBarBorderAndBackground) {
    CBoxCall call("Looks", "Title", MB_OK);
    HWND box = call.WaitForShown();
    ASSERT_NE(box, nullptr);
    PumpMessages(200);
    RECT rc;
    ::GetClientRect(box, &rc);
    const int w = rc.right, h = rc.bottom;
    // Bevel lines: top rows 1 and 2 light, left columns 1 and 2 light, the
    // bottom two rows and right two columns dark.
    const COLORREF line0 = RGB(255, 133, 133), line1 = RGB(255, 64, 64);
    const COLORREF line2 = RGB(255, 60, 60), line3 = RGB(255, 34, 34);
    const COLORREF line6 = RGB(211, 0, 0), line7 = RGB(153, 0, 0);
    EXPECT_EQ(ReadWindowPixel(box, w / 2, 1), line0);
    EXPECT_EQ(ReadWindowPixel(box, w / 2, 2), line1);
    EXPECT_EQ(ReadWindowPixel(box, 1, 6), line2);
    EXPECT_EQ(ReadWindowPixel(box, 2, 6), line3);
    EXPECT_EQ(ReadWindowPixel(box, w - 3, 6), line6);
    EXPECT_EQ(ReadWindowPixel(box, w - 2, 6), line7);
    // Find the bar's bottom: the first row below the top whose middle pixel
    // is the dark line 5, preceded by line 4.
    int bottom = -1;
    for (int y = 3; y < h / 2; ++y) {
        if (ReadWindowPixel(box, w / 2, y) == RGB(184, 0, 0)) {
            bottom = y;
            break;
        }
    }
    ASSERT_GT(bottom, 3);
    EXPECT_EQ(ReadWindowPixel(box, w / 2, bottom - 1), RGB(234, 0, 0));
    // Inside the bar, away from the text, the flat title colour.
    EXPECT_EQ(ReadWindowPixel(box, w - 6, (1 + bottom) / 2), RGB(255, 0, 0));
    // The one-pixel black frame and the white background below the bar.
    EXPECT_EQ(ReadWindowPixel(box, 0, h / 2), RGB(0, 0, 0));
    EXPECT_EQ(ReadWindowPixel(box, w - 1, h / 2), RGB(0, 0, 0));
    EXPECT_EQ(ReadWindowPixel(box, w / 2, h - 1), RGB(0, 0, 0));
    EXPECT_EQ(ReadWindowPixel(box, w / 2, 0), RGB(0, 0, 0));
    EXPECT_EQ(ReadWindowPixel(box, 4, bottom + 4), RGB(255, 255, 255));
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
    ASSERT_TRUE(call.Ended(5000));
}
