// The message box driver against stand-in boxes in the three places it must
// reach: the test's own thread, another thread, another process.
#include "tests/support/MessageBoxDriver.h"
#include "tests/support/ProcessWindows.h"
#include "tests/support/WinePump.h"
#include "tests/support/tests/BoxHost.h"
#include "tests/support/tests/StandInBox.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <ostream>
#include <tuple>
#include <vector>

namespace scrivlo_test {
namespace {

const Place kPlaces[] = {Place::kSameThread, Place::kOtherThread, Place::kOtherProcess};

std::string PlaceLabel(const testing::TestParamInfo<Place>& info) {
    switch (info.param) {
    case Place::kSameThread: return "SameThread";
    case Place::kOtherThread: return "OtherThread";
    case Place::kOtherProcess: return "OtherProcess";
    }
    return "Unknown";
}

// --- finding ---------------------------------------------------------------

TEST(FindBoxes, FindsAnOwnedBoxOfAnotherThreadAndSkipsTheExcludedMainWindow) {
    // A main dialog on this thread, a box owned by it on another thread, as
    // the product has them.
    int mainResult = -100;
    CStandInShape mainShape = OkBox(L"Scrivlo", L"Creating log, please wait...");
    HWND main = CreateStandInBox(nullptr, mainShape, &mainResult);
    ASSERT_TRUE(main);
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(main) != FALSE; }, 5000));

    struct CWorker {
        HWND m_hOwner;
        INT_PTR m_result;
        static DWORD WINAPI Main(void* p) {
            auto* self = static_cast<CWorker*>(p);
            self->m_result = RunStandInBox(self->m_hOwner, OkBox(L"Success!", L"Owned"));
            return 0;
        }
    } worker{main, -100};
    // However the test leaves, the box is ended and the thread, which writes
    // to `worker`, has finished before its handle is closed.
    HWND box = nullptr;
    struct CJoin {
        HANDLE hThread;
        const HWND& hBox;
        ~CJoin() {
            if (!hThread) return;
            if (IsWindow(hBox)) PostMessageW(hBox, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            WaitForObjectPumping(hThread, 5000);
            CloseHandle(hThread);
        }
    } join{CreateThread(nullptr, 0, CWorker::Main, &worker, 0, nullptr), box};
    const HANDLE thread = join.hThread;
    ASSERT_TRUE(thread);

    const std::set<HWND> exclude = {main};
    box = WaitForBox(GetCurrentProcessId(), 5000, exclude);
    ASSERT_TRUE(box);
    EXPECT_NE(box, main);
    EXPECT_EQ(GetWindow(box, GW_OWNER), main);
    EXPECT_EQ(GetWindowThreadProcessId(box, nullptr), GetThreadId(thread));
    const std::vector<HWND> all = FindBoxes(GetCurrentProcessId());
    EXPECT_EQ(all.size(), 2u) << "both dialogs are visible top-level #32770 windows";
    EXPECT_EQ(FindBoxes(GetCurrentProcessId(), exclude), std::vector<HWND>{box});
    // Nothing of this process is seen as a box of another one.
    EXPECT_TRUE(FindBoxes(GetCurrentProcessId() + 4).empty());

    EXPECT_EQ(FindTopWindow(GetCurrentProcessId(), "Scrivlo", "#32770"), main);
    EXPECT_EQ(FindTopWindow(GetCurrentProcessId(), "Success!", nullptr), box);
    EXPECT_EQ(FindTopWindow(GetCurrentProcessId(), "Nobody", nullptr), nullptr);

    // The owner must keep answering while the box ends: the box re-enables it.
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    ASSERT_TRUE(WaitForObjectPumping(thread, 5000));
    EXPECT_EQ(worker.m_result, IDOK);
    EXPECT_EQ(WaitForBox(GetCurrentProcessId(), 200, exclude), nullptr);
    DestroyWindow(main);
}

TEST(FindBoxes, IgnoresHiddenDialogsAndGivesNullAfterTheTimeout) {
    int result = -100;
    HWND box = CreateStandInBox(nullptr, OkBox(L"Hidden", L"x"), &result);
    ASSERT_TRUE(box);
    ShowWindow(box, SW_HIDE);
    PumpMessages(50);
    const DWORD start = GetTickCount();
    EXPECT_EQ(WaitForBox(GetCurrentProcessId(), 300), nullptr);
    EXPECT_GE(ElapsedSince(start), 250u);
    ShowWindow(box, SW_SHOWNA);
    EXPECT_EQ(WaitForBox(GetCurrentProcessId(), 2000), box);
    DestroyWindow(box);
}

// --- reading ---------------------------------------------------------------

class ReadBoxTest : public testing::TestWithParam<Place> {};

TEST_P(ReadBoxTest, ReadsCaptionTextButtonsAndDefault) {
    struct CCase {
        const char* kind;
        const wchar_t* caption;
        const wchar_t* text;
        bool heading;
        const wchar_t* headingText;
        std::vector<std::pair<int, std::wstring>> buttons;
    };
    const CCase cases[] = {
        {"ok", L"Success!", L"Log file successfully created!", false, L"", {{1, L"&Ok"}}},
        {"okcancel", L"Question", L"Go on?", false, L"", {{1, L"&Ok"}, {2, L"&Cancel"}}},
        {"custom2", L"Unsaved", L"Keep the changes?", false, L"", {{1, L"&Save"}, {2, L"&Discard"}}},
        {"yesnocancel", L"Save?", L"Save the report?", false, L"", {{6, L"&Yes"}, {7, L"&No"}, {2, L"&Cancel"}}},
        {"heading", L"Report", L"Line one\r\nLine two", true, L"Two lines", {{1, L"&Ok"}}},
    };
    for (const CCase& c : cases) {
        SCOPED_TRACE(std::string(c.kind) + " in " + PlaceName(GetParam()));
        CBoxHost host;
        ASSERT_TRUE(host.Open(GetParam(), c.kind));
        CBoxContents box;
        ASSERT_TRUE(ReadBox(host.Box(), box));
        EXPECT_EQ(box.m_caption, c.caption);
        EXPECT_EQ(box.m_text, c.text);
        EXPECT_EQ(box.m_textA, ToUtf8(c.text)) << "ASCII text reads the same in 8 bits";
        EXPECT_EQ(box.m_bHasHeading, c.heading);
        EXPECT_EQ(box.m_heading, c.headingText);
        ASSERT_EQ(box.m_buttons.size(), c.buttons.size());
        EXPECT_EQ(box.m_nDefaultId, c.buttons[0].first);
        for (size_t i = 0; i < c.buttons.size(); ++i) {
            const CBoxButton& b = box.m_buttons[i];
            EXPECT_EQ(b.m_nId, c.buttons[i].first) << "button " << i;
            EXPECT_EQ(b.m_caption, c.buttons[i].second) << "button " << i;
            EXPECT_TRUE(b.m_bEnabled) << "button " << i;
            EXPECT_EQ(b.m_bDefault, i == 0) << "button " << i;
            EXPECT_GT(b.m_rcWindow.Width(), 0);
            EXPECT_GT(b.m_rcWindow.Height(), 0);
            // Inside the box, left to right.
            EXPECT_GE(b.m_rcWindow.m_nLeft, box.m_rcWindow.m_nLeft);
            EXPECT_LE(b.m_rcWindow.m_nBottom, box.m_rcWindow.m_nBottom);
            if (i) {
                EXPECT_GT(b.m_rcWindow.m_nLeft, box.m_buttons[i - 1].m_rcWindow.m_nRight);
            }
        }
        EXPECT_EQ(box.FindButton(c.buttons.back().second), &box.m_buttons.back());
        // End it so that the next case finds its own box.
        ASSERT_TRUE(AnswerBox(host.Box(), c.buttons[0].first, AnswerMethod::kClick));
    }
}

INSTANTIATE_TEST_SUITE_P(Places, ReadBoxTest, testing::ValuesIn(kPlaces), PlaceLabel);

TEST(ReadBox, TextOutsideAsciiReadsInUtf16AndInTheSystemCodePage) {
    CStandInShape shape = OkBox(L"Gr\u00f6\u00dfe", L"Caf\u00e9 \u00fcber \u20ac 5");
    int result = -100;
    HWND box = CreateStandInBox(nullptr, shape, &result);
    ASSERT_TRUE(box);
    PumpMessages(20);
    CBoxContents contents;
    ASSERT_TRUE(ReadBox(box, contents));
    EXPECT_EQ(contents.m_caption, shape.m_caption);
    EXPECT_EQ(contents.m_text, shape.m_text);
    char expected[64] = {};
    WideCharToMultiByte(CP_ACP, 0, shape.m_text.c_str(), -1, expected, sizeof expected, nullptr, nullptr);
    EXPECT_EQ(contents.m_textA, std::string(expected));
    EXPECT_NE(contents.m_textA, ToUtf8(shape.m_text)) << "8-bit text is the code page's, not UTF-8";
    DestroyWindow(box);
}

TEST(ReadBox, DisabledButtonAndGoneBox) {
    int result = -100;
    HWND box = CreateStandInBox(nullptr, OkCancelBox(L"Q", L"T"), &result);
    ASSERT_TRUE(box);
    EnableWindow(GetDlgItem(box, IDCANCEL), FALSE);
    CBoxContents contents;
    ASSERT_TRUE(ReadBox(box, contents));
    ASSERT_EQ(contents.m_buttons.size(), 2u);
    EXPECT_TRUE(contents.m_buttons[0].m_bEnabled);
    EXPECT_FALSE(contents.m_buttons[1].m_bEnabled);
    EXPECT_FALSE(ClickButton(box, IDCANCEL)) << "a disabled button cannot be clicked";
    EXPECT_FALSE(ClickButton(box, 7)) << "no such button";
    DestroyWindow(box);
    EXPECT_FALSE(ReadBox(box, contents));
    EXPECT_TRUE(contents.m_buttons.empty());
}

// --- foreground ------------------------------------------------------------

// Without a window manager (Wine's X11 driver with Managed=N) Wine itself
// activates a dialog when it is shown, whichever process it belongs to, and
// grants SetForegroundWindow to a background process. Known difference:
// Windows refuses the foreground to a process that did not get the last
// input (then BringToForeground shares the foreground thread's input state
// for the call), and a box of another process need not come to the front.
class ForegroundTest : public testing::TestWithParam<Place> {};

TEST_P(ForegroundTest, TheBoxComesBackToTheForegroundWithItsFocusedButton) {
    CBoxHost host;
    ASSERT_TRUE(host.Open(GetParam(), "okcancel"));
    HWND box = host.Box();
    const bool shownInFront = WaitUntil([&] { return GetForegroundWindow() == box; }, 1000);
    if (IsRunningOnWine()) {
        EXPECT_TRUE(shownInFront) << "Wine activates a box when it is shown";
    }
    EXPECT_EQ(FocusOfThreadOf(box), GetDlgItem(box, IDOK)) << "the default button has the focus";

    HWND other = CreateWindowExA(0, "STATIC", "other", WS_POPUP | WS_VISIBLE, 600, 500, 40, 40, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_TRUE(other);
    SetForegroundWindow(other);
    ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == other; }, 2000));

    if (IsRunningOnWine()) {
        EXPECT_TRUE(SetForegroundWindow(box)) << "Wine grants the foreground at once";
    }
    EXPECT_TRUE(BringToForeground(box));
    PumpMessages(300);
    EXPECT_EQ(GetForegroundWindow(), box)
        << "the foreground stays with the box; now " << ClassNameOf(GetForegroundWindow());
    EXPECT_TRUE(WaitUntil([&] { return FocusOfThreadOf(box) == GetDlgItem(box, IDOK); }, 1000))
        << "the dialog gives the focus back to the control that had it; focus " << FocusOfThreadOf(box)
        << ", foreground " << ClassNameOf(GetForegroundWindow());
    DestroyWindow(other);
    EXPECT_TRUE(AnswerBox(box, IDCANCEL, AnswerMethod::kKeyboard));
    int result = 0;
    ASSERT_TRUE(host.WaitResult(3000, &result));
    EXPECT_EQ(result, IDCANCEL);
}

INSTANTIATE_TEST_SUITE_P(Places, ForegroundTest, testing::ValuesIn(kPlaces), PlaceLabel);

// --- answering -------------------------------------------------------------

enum class Action { kClick, kEnter, kEscape, kEscapeThenEnter, kTabThenEnter, kAnswerByKeyboard };

struct CAnswerCase {
    const char* label;
    const char* kind;
    Action action;
    int id;        // the button for kClick and kAnswerByKeyboard
    int expected;  // the box's result
};

std::ostream& operator<<(std::ostream& out, const CAnswerCase& c) { return out << c.label; }

const CAnswerCase kAnswerCases[] = {
    {"click Ok", "ok", Action::kClick, 1, 1},
    {"click Cancel", "okcancel", Action::kClick, 2, 2},
    {"Enter presses the default, the first button", "okcancel", Action::kEnter, 0, 1},
    {"Escape is Cancel", "okcancel", Action::kEscape, 0, 2},
    {"Escape does nothing without identifier 2", "ok", Action::kEscapeThenEnter, 0, 1},
    {"Tab makes the second button the default", "okcancel", Action::kTabThenEnter, 0, 2},
    {"click the second custom button", "custom2", Action::kClick, 2, 2},
    {"Escape is the second custom button", "custom2", Action::kEscape, 0, 2},
    {"keyboard answer with the second custom button", "custom2", Action::kAnswerByKeyboard, 2, 2},
    {"keyboard answer with the default", "okcancel", Action::kAnswerByKeyboard, 1, 1},
    {"keyboard answer with the third of three", "yesnocancel", Action::kAnswerByKeyboard, 2, 2},
    {"click No", "yesnocancel", Action::kClick, 7, 7},
};

class AnswerTest : public testing::TestWithParam<std::tuple<CAnswerCase, Place>> {};

TEST_P(AnswerTest, TheBoxEndsWithTheButtonAUserWouldPress) {
    const CAnswerCase& c = std::get<0>(GetParam());
    const Place place = std::get<1>(GetParam());
    SCOPED_TRACE(std::string(c.label) + " in " + PlaceName(place));
    CBoxHost host;
    ASSERT_TRUE(host.Open(place, c.kind));
    HWND box = host.Box();

    switch (c.action) {
    case Action::kClick: ASSERT_TRUE(ClickButton(box, c.id)); break;
    case Action::kEnter: ASSERT_TRUE(PressKey(box, VK_RETURN)); break;
    case Action::kEscape: ASSERT_TRUE(PressKey(box, VK_ESCAPE)); break;
    case Action::kEscapeThenEnter:
        ASSERT_TRUE(PressKey(box, VK_ESCAPE));
        PumpMessages(300);
        EXPECT_TRUE(IsWindowShown(box)) << "Escape must not end a box without identifier 2";
        ASSERT_TRUE(PressKey(box, VK_RETURN));
        break;
    case Action::kTabThenEnter: {
        ASSERT_EQ(ReadDefaultId(box), 1);
        ASSERT_TRUE(PressKey(box, VK_TAB));
        EXPECT_TRUE(WaitUntil([&] { return ReadDefaultId(box) == 2; }, 2000))
            << "default after Tab: " << ReadDefaultId(box);
        CBoxContents contents;
        ASSERT_TRUE(ReadBox(box, contents));
        ASSERT_EQ(contents.m_buttons.size(), 2u);
        EXPECT_FALSE(contents.m_buttons[0].m_bDefault);
        EXPECT_TRUE(contents.m_buttons[1].m_bDefault);
        EXPECT_EQ(FocusOfThreadOf(box), GetDlgItem(box, 2));
        ASSERT_TRUE(PressKey(box, VK_RETURN));
        break;
    }
    case Action::kAnswerByKeyboard: ASSERT_TRUE(AnswerBox(box, c.id, AnswerMethod::kKeyboard)); break;
    }
    int result = -1;
    ASSERT_TRUE(host.WaitResult(5000, &result)) << "the box did not end";
    EXPECT_EQ(result, c.expected);
    EXPECT_TRUE(WaitForBoxClosed(box, 2000));
}

std::string AnswerLabel(const testing::TestParamInfo<std::tuple<CAnswerCase, Place>>& info) {
    std::string name;
    for (const char* p = std::get<0>(info.param).label; *p; ++p)
        if (isalnum(static_cast<unsigned char>(*p))) name += *p;
    return name + "_" + PlaceLabel(testing::TestParamInfo<Place>(std::get<1>(info.param), 0));
}

INSTANTIATE_TEST_SUITE_P(Cases, AnswerTest,
                         testing::Combine(testing::ValuesIn(kAnswerCases), testing::ValuesIn(kPlaces)), AnswerLabel);

// The posted path bypasses SendInput; it is kept as a diagnostic
// alternative and must answer a box of another process just as well.
TEST(AnswerPosted, ClickAndKeysReachABoxOfAnotherProcess) {
    struct CCase {
        const char* kind;
        AnswerMethod method;
        int id;
    };
    const CCase cases[] = {{"okcancel", AnswerMethod::kClick, 2}, {"custom2", AnswerMethod::kKeyboard, 2}};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.kind);
        CBoxHost host;
        ASSERT_TRUE(host.Open(Place::kOtherProcess, c.kind));
        EXPECT_TRUE(AnswerBox(host.Box(), c.id, c.method, 5000, InputPath::kPosted));
        int result = -1;
        ASSERT_TRUE(host.WaitResult(5000, &result));
        EXPECT_EQ(result, c.id);
    }
}

// --- pixels ----------------------------------------------------------------

class PixelTest : public testing::TestWithParam<Place> {};

TEST_P(PixelTest, ReadsTheBoxBackgroundFromTheWindowAndFromTheScreen) {
    CBoxHost host;
    ASSERT_TRUE(host.Open(GetParam(), "ok"));
    HWND box = host.Box();
    BringToForeground(box);
    PumpMessages(200);  // let the box paint and X settle
    const COLORREF background = StandInOfKind("ok").m_crBackground;
    struct CProbe {
        CaptureSource source;
        const char* name;
    };
    const CProbe probes[] = {{CaptureSource::kFromWindow, "window"}, {CaptureSource::kFromScreen, "screen"}};
    for (const CProbe& p : probes) {
        SCOPED_TRACE(p.name);
        EXPECT_TRUE(WaitUntil([&] { return ReadWindowPixel(box, 3, 3, p.source) == background; }, 3000))
            << std::hex << "read 0x" << ReadWindowPixel(box, 3, 3, p.source) << " expected 0x" << background;
        CPixelImage image;
        ASSERT_TRUE(CaptureWindow(box, image, p.source));
        const RECT rc = WindowRectOf(box);
        EXPECT_EQ(image.m_nWidth, rc.right - rc.left);
        EXPECT_EQ(image.m_nHeight, rc.bottom - rc.top);
        // The Ok button is not the background colour at its centre.
        CBoxContents contents;
        ASSERT_TRUE(ReadBox(box, contents));
        const CRectValue& b = contents.m_buttons.at(0).m_rcWindow;
        EXPECT_NE(image.ColorRefAt((b.m_nLeft + b.m_nRight) / 2 - rc.left, b.m_nTop + 2 - rc.top), background);
    }
    EXPECT_EQ(ReadWindowPixel(box, -1, 0), CLR_INVALID);
    EXPECT_TRUE(AnswerBox(box, IDOK, AnswerMethod::kClick));
}

INSTANTIATE_TEST_SUITE_P(Places, PixelTest, testing::Values(Place::kSameThread, Place::kOtherProcess), PlaceLabel);

LRESULT CALLBACK CoverProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_ERASEBKGND) {
        RECT rc;
        GetClientRect(window, &rc);
        HBRUSH red = CreateSolidBrush(RGB(255, 0, 0));
        FillRect(reinterpret_cast<HDC>(wParam), &rc, red);
        DeleteObject(red);
        return 1;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

// Neither source reads what is hidden. Known difference: under Wine the
// window's device context is clipped to the visible part, so covered pixels
// are not copied at all and stay black in the capture; Windows without
// composition reads the screen there (the covering window). The screen
// source reads what is on top on both.
TEST(Pixels, ACoveredPartOfABoxIsNotRead) {
    CBoxHost host;
    ASSERT_TRUE(host.Open(Place::kOtherProcess, "ok"));
    HWND box = host.Box();
    PumpMessages(100);
    WNDCLASSW cls = {};
    cls.lpfnWndProc = CoverProc;
    cls.hInstance = GetModuleHandleW(nullptr);
    cls.lpszClassName = L"SupportCover";
    RegisterClassW(&cls);
    const RECT rc = WindowRectOf(box);
    HWND cover = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"SupportCover", L"", WS_POPUP | WS_VISIBLE, rc.left,
                                 rc.top, 20, 20, nullptr, nullptr, cls.hInstance, nullptr);
    ASSERT_TRUE(cover);
    UpdateWindow(cover);
    const COLORREF background = StandInOfKind("ok").m_crBackground;
    EXPECT_TRUE(
        WaitUntil([&] { return ReadWindowPixel(box, 3, 3, CaptureSource::kFromScreen) == RGB(255, 0, 0); }, 3000))
        << std::hex << "screen: 0x" << ReadWindowPixel(box, 3, 3, CaptureSource::kFromScreen);
    const COLORREF fromWindow = ReadWindowPixel(box, 3, 3, CaptureSource::kFromWindow);
    if (IsRunningOnWine()) {
        EXPECT_EQ(fromWindow, RGB(0, 0, 0)) << std::hex << "window: 0x" << fromWindow;
    } else {
        EXPECT_NE(fromWindow, background) << std::hex << "window: 0x" << fromWindow;
    }
    // Outside the cover both sources agree.
    EXPECT_EQ(ReadWindowPixel(box, 30, 3, CaptureSource::kFromScreen), background);
    EXPECT_EQ(ReadWindowPixel(box, 30, 3, CaptureSource::kFromWindow), background);
    DestroyWindow(cover);
}

TEST(Screenshot, WritesA24BitBmpOfTheWindow) {
    CBoxHost host;
    ASSERT_TRUE(host.Open(Place::kOtherProcess, "okcancel"));
    PumpMessages(200);
    const std::string path = "support_screenshot.bmp";
    std::remove(path.c_str());
    ASSERT_TRUE(SaveWindowScreenshot(host.Box(), path));
    FILE* file = std::fopen(path.c_str(), "rb");
    ASSERT_TRUE(file);
    std::vector<unsigned char> bytes(1 << 22);
    bytes.resize(std::fread(bytes.data(), 1, bytes.size(), file));
    std::fclose(file);
    const RECT rc = WindowRectOf(host.Box());
    const int width = rc.right - rc.left, height = rc.bottom - rc.top;
    auto le32 = [&](size_t at) {
        return static_cast<int>(bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) | (bytes[at + 3] << 24));
    };
    ASSERT_GE(bytes.size(), 54u);
    EXPECT_EQ(bytes[0], 'B');
    EXPECT_EQ(bytes[1], 'M');
    EXPECT_EQ(le32(18), width);
    EXPECT_EQ(le32(22), height);
    EXPECT_EQ(bytes[28], 24);
    const size_t stride = (static_cast<size_t>(width) * 3 + 3) / 4 * 4;
    EXPECT_EQ(bytes.size(), 54 + stride * static_cast<size_t>(height));
    // Top-left pixel (3, 3) lives in row height - 4 of the bottom-up file.
    const COLORREF background = StandInOfKind("okcancel").m_crBackground;
    const size_t at = 54 + stride * static_cast<size_t>(height - 4) + 3 * 3;
    EXPECT_EQ(RGB(bytes[at + 2], bytes[at + 1], bytes[at]), background);
    std::remove(path.c_str());
}

}  // namespace
}  // namespace scrivlo_test
