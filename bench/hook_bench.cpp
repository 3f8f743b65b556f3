// The cost of the skin hook: messages per second sent to a dialog of 100
// standard controls on a thread without the hook and on one with the skin
// manager installed (dialog mode, as the application does), and the time of
// one hover poll over that dialog. Timing by QueryPerformanceCounter; each
// figure is the best of five runs.
//
//   hook_bench [messages-per-run]     (default 20000)
//
// Three rounds on the same dialog layout: no hook at all; a hook of this
// program's own that only passes messages on (the system's share of the
// cost); the skin manager installed, every control of the grid skinned.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <vector>

#include "skin/engine/ControlSkin.h"
#include "skin/engine/SkinManager.h"

namespace {

const int kRuns = 5;

double Seconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
    static LARGE_INTEGER freq = {};
    if (freq.QuadPart == 0) QueryPerformanceFrequency(&freq);
    return static_cast<double>(to.QuadPart - from.QuadPart) / static_cast<double>(freq.QuadPart);
}

// An in-memory dialog template (DLGTEMPLATE; its strings are UTF-16).
class CTemplate {
public:
    CTemplate(short cx, short cy) {
        DLGTEMPLATE t = {};
        t.style = WS_POPUP | WS_CAPTION | WS_VISIBLE | DS_SETFONT;
        t.cx = cx;
        t.cy = cy;
        Append(&t, sizeof(t));
        Word(0);  // no menu
        Word(0);  // standard class
        String(L"Hook benchmark");
        Word(8);
        String(L"MS Shell Dlg");
    }
    void Add(const wchar_t* cls, DWORD style, DWORD exStyle, short x, short y, short cx, short cy, WORD id) {
        Align();
        DLGITEMTEMPLATE it = {};
        it.style = WS_CHILD | WS_VISIBLE | style;
        it.dwExtendedStyle = exStyle;
        it.x = x;
        it.y = y;
        it.cx = cx;
        it.cy = cy;
        it.id = id;
        Append(&it, sizeof(it));
        String(cls);
        String(L"");
        Word(0);  // no creation data
        ++m_nItems;
    }
    const DLGTEMPLATE* Get() {
        reinterpret_cast<DLGTEMPLATE*>(m_bytes.data())->cdit = m_nItems;
        return reinterpret_cast<const DLGTEMPLATE*>(m_bytes.data());
    }
    WORD Count() const { return m_nItems; }

private:
    void Append(const void* p, size_t n) {
        const unsigned char* b = static_cast<const unsigned char*>(p);
        m_bytes.insert(m_bytes.end(), b, b + n);
    }
    void Word(WORD w) { Append(&w, sizeof(w)); }
    void String(const wchar_t* s) { Append(s, (std::wcslen(s) + 1) * sizeof(wchar_t)); }
    void Align() {
        while (m_bytes.size() % 4) m_bytes.push_back(0);
    }
    std::vector<unsigned char> m_bytes;
    WORD m_nItems = 0;
};

// 100 controls of the kinds the engine skins, in a 10 x 10 grid.
const DLGTEMPLATE* HundredControls(CTemplate& t) {
    struct Kind {
        const wchar_t* cls;
        DWORD style, exStyle;
        int count;
    } kinds[] = {
        {L"Edit", ES_AUTOHSCROLL, WS_EX_CLIENTEDGE, 40},
        {L"ListBox", WS_VSCROLL, WS_EX_CLIENTEDGE, 15},
        {L"ComboBox", CBS_DROPDOWNLIST, 0, 15},
        {L"msctls_updown32", 0, 0, 10},
        {L"ScrollBar", SBS_HORZ, 0, 10},
        {L"SysIPAddress32", 0, WS_EX_CLIENTEDGE, 5},
        {L"SysDateTimePick32", 0, WS_EX_CLIENTEDGE, 5},
    };
    int n = 0;
    for (const Kind& k : kinds) {
        for (int i = 0; i < k.count; ++i, ++n) {
            const short x = static_cast<short>(5 + (n % 10) * 62), y = static_cast<short>(5 + (n / 10) * 22);
            t.Add(k.cls, k.style, k.exStyle, x, y, 58, 14, static_cast<WORD>(1000 + n));
        }
    }
    return t.Get();
}

// A hook that does nothing but pass the message on: what the system's hook
// machinery costs by itself, beside the manager's hook.
HHOOK g_hBareHook = nullptr;
LRESULT CALLBACK BareHookProc(int nCode, WPARAM wParam, LPARAM lParam) {
    return CallNextHookEx(g_hBareHook, nCode, wParam, lParam);
}

INT_PTR CALLBACK BenchDlgProc(HWND, UINT message, WPARAM, LPARAM) { return message == WM_INITDIALOG; }

void Pump(DWORD ms) {
    const DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        const DWORD spent = GetTickCount() - start;
        if (spent >= ms) return;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - spent, QS_ALLINPUT);
    }
}

std::vector<HWND> Children(HWND hDlg) {
    std::vector<HWND> v;
    for (HWND h = GetTopWindow(hDlg); h; h = GetWindow(h, GW_HWNDNEXT)) v.push_back(h);
    return v;
}

struct Rates {
    double nullToDialog;
    double getTextToEdit;
    double mouseMoveToEdit;
    double getTextRoundRobin;
};

// One run of each sending loop; the rates of the run.
Rates MeasureMessages(HWND hDlg, int n) {
    const std::vector<HWND> children = Children(hDlg);
    HWND hEdit = children.front();
    char buf[64];
    auto rate = [n](const std::function<void()>& body) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        body();
        QueryPerformanceCounter(&b);
        return n / Seconds(a, b);
    };
    Rates r;
    r.nullToDialog = rate([&] {
        for (int i = 0; i < n; ++i) SendMessageA(hDlg, WM_NULL, 0, 0);
    });
    r.getTextToEdit = rate([&] {
        for (int i = 0; i < n; ++i) SendMessageA(hEdit, WM_GETTEXT, sizeof(buf), reinterpret_cast<LPARAM>(buf));
    });
    r.mouseMoveToEdit = rate([&] {
        for (int i = 0; i < n; ++i) SendMessageA(hEdit, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    });
    r.getTextRoundRobin = rate([&] {
        for (int i = 0; i < n; ++i) {
            SendMessageA(children[static_cast<size_t>(i) % children.size()], WM_GETTEXT, sizeof(buf),
                         reinterpret_cast<LPARAM>(buf));
        }
    });
    return r;
}

// The skin's own share of a message to a skinned control, without any hook:
// the edit's previous procedure called directly, against the manager's thunk
// (map lookup, the skinner's WindowProc, then the same previous procedure).
struct ThunkRates {
    double direct;
    double thunk;
};
ThunkRates MeasureThunk(HWND hEdit, int n) {
    char buf[64];
    const WNDPROC pfnOld = CSkinManager::FindSkin(hEdit)->m_pfnOldProc;
    auto rate = [n](const std::function<void()>& body) {
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        body();
        QueryPerformanceCounter(&b);
        return n / Seconds(a, b);
    };
    ThunkRates r;
    r.direct = rate([&] {
        for (int i = 0; i < n; ++i)
            CallWindowProcA(pfnOld, hEdit, WM_GETTEXT, sizeof(buf), reinterpret_cast<LPARAM>(buf));
    });
    r.thunk = rate([&] {
        for (int i = 0; i < n; ++i)
            CSkinManager::ControlWndProc(hEdit, WM_GETTEXT, sizeof(buf), reinterpret_cast<LPARAM>(buf));
    });
    return r;
}

// Keeps the best rate of each loop.
void KeepBest(Rates& best, const Rates& r) {
    double Rates::*const fields[] = {&Rates::nullToDialog, &Rates::getTextToEdit, &Rates::mouseMoveToEdit,
                                     &Rates::getTextRoundRobin};
    for (auto f : fields) {
        if (r.*f > best.*f) best.*f = r.*f;
    }
}

HWND MakeDialog() {
    CTemplate t(640, 250);
    HWND hDlg = CreateDialogIndirectParamA(GetModuleHandleA(nullptr), HundredControls(t), nullptr, &BenchDlgProc, 0);
    if (hDlg) {
        SetWindowPos(hDlg, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_SHOWWINDOW);
        Pump(500);
    }
    return hDlg;
}

void CursorTo(const POINT& pt) {
    SetCursorPos(pt.x, pt.y);
    for (int i = 0; i < 100; ++i) {
        POINT now;
        GetCursorPos(&now);
        if (now.x == pt.x && now.y == pt.y) return;
        Pump(5);
    }
}

POINT CentreOf(HWND h) {
    RECT r;
    GetWindowRect(h, &r);
    return {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
}

// Microseconds of one TrackHover call: the median of kRuns x nPolls timed
// polls (a median, since a single poll is short enough for one busy moment
// of the machine to swamp a mean), with the cursor set before each poll by
// place(i) (not timed).
double PollMicros(int nPolls, const std::function<void(int)>& place) {
    std::vector<double> samples;
    for (int i = 0; i < kRuns * nPolls; ++i) {
        place(i);
        LARGE_INTEGER a, b;
        QueryPerformanceCounter(&a);
        CSkinManager::GetInstance()->TrackHover();
        QueryPerformanceCounter(&b);
        samples.push_back(Seconds(a, b));
    }
    std::sort(samples.begin(), samples.end());
    return samples[samples.size() / 2] * 1e6;
}

void PrintRates(const char* label, const Rates& plain, const Rates& bare, const Rates& skinned, double Rates::*field) {
    const double p = plain.*field, b = bare.*field, s = skinned.*field;
    std::printf("%-34s %9.0f %9.0f %9.0f %8.0f %8.0f %8.0f\n", label, p, b, s, 1e9 / p, 1e9 / b, 1e9 / s);
}

}  // namespace

int main(int argc, char** argv) {
    const int n = argc > 1 ? std::atoi(argv[1]) : 20000;
    if (n <= 0) {
        std::fprintf(stderr, "usage: hook_bench [messages-per-run]\n");
        return 2;
    }
    INITCOMMONCONTROLSEX icc = {sizeof(icc), ICC_WIN95_CLASSES | ICC_DATE_CLASSES | ICC_INTERNET_CLASSES};
    InitCommonControlsEx(&icc);

    // Two dialogs of the same layout: one made before the manager was
    // installed (never skinned), one made on the hooked thread (every
    // control of the grid skinned).
    HWND hPlain = MakeDialog();
    if (!hPlain) return 1;
    CSkinManager* pManager = CSkinManager::GetInstance();
    pManager->Install(FALSE, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
    HWND hDlg = MakeDialog();
    if (!hDlg) return 1;
    int nSkinned = 0;
    const std::vector<HWND> children = Children(hDlg);
    for (HWND h : children) nSkinned += CSkinManager::FindSkin(h) != nullptr;

    // The three configurations take turns, round after round, so that a
    // busy moment of the machine does not fall on one of them only.
    Rates plain = {}, bare = {}, skinned = {};
    ThunkRates thunk = {0, 0};
    for (int round = 0; round < kRuns; ++round) {
        pManager->Uninstall(static_cast<DWORD>(-1));
        KeepBest(plain, MeasureMessages(hPlain, n));
        g_hBareHook = SetWindowsHookExA(WH_CALLWNDPROC, &BareHookProc, nullptr, GetCurrentThreadId());
        if (!g_hBareHook) return 1;
        KeepBest(bare, MeasureMessages(hPlain, n));
        UnhookWindowsHookEx(g_hBareHook);
        pManager->Install(FALSE, static_cast<DWORD>(-1), SKIN_MODE_DIALOG);
        KeepBest(skinned, MeasureMessages(hDlg, n));
        const ThunkRates t = MeasureThunk(children.front(), n * 10);
        if (t.direct > thunk.direct) thunk.direct = t.direct;
        if (t.thunk > thunk.thunk) thunk.thunk = t.thunk;
    }
    DestroyWindow(hPlain);
    Pump(100);

    std::printf("dialog: %u controls, %d skinned (%d messages per run, best of %d runs)\n\n",
                static_cast<unsigned>(children.size()), nSkinned, n, kRuns);
    std::printf("%-34s %9s %9s %9s %8s %8s %8s\n", "SendMessageA, messages per second", "no hook", "bare hook",
                "skinned", "ns", "ns", "ns");
    PrintRates("WM_NULL to the dialog", plain, bare, skinned, &Rates::nullToDialog);
    PrintRates("WM_GETTEXT to an edit", plain, bare, skinned, &Rates::getTextToEdit);
    PrintRates("WM_MOUSEMOVE to an edit", plain, bare, skinned, &Rates::mouseMoveToEdit);
    PrintRates("WM_GETTEXT, each control in turn", plain, bare, skinned, &Rates::getTextRoundRobin);

    std::printf("\nWM_GETTEXT to a skinned edit, called directly (no SendMessage, no hook)   ns\n");
    std::printf("%-50s %8.0f\n", "the edit's previous procedure", 1e9 / thunk.direct);
    std::printf("%-50s %8.0f\n", "through the manager's thunk and the skinner", 1e9 / thunk.thunk);

    // The hover poll over the 100 skinned controls.
    RECT rd;
    GetWindowRect(hDlg, &rd);
    const POINT outside = {rd.right + 40, rd.bottom + 40};
    HWND hA = children[0], hB = children[1];
    const POINT overA = CentreOf(hA), overB = CentreOf(hB);
    const int nPolls = 200;
    CursorTo(outside);
    pManager->TrackHover();
    const double usOutside = PollMicros(nPolls, [](int) {});
    CursorTo(overA);
    pManager->TrackHover();
    const bool bOverA = WindowFromPoint(overA) == hA && CSkinManager::m_hHoverWnd == hA;
    const double usIdle = PollMicros(nPolls, [](int) {});
    const double usMove = PollMicros(nPolls, [&](int i) { CursorTo(i % 2 ? overA : overB); });
    std::printf("\nTrackHover, one poll (median of %d polls)            microseconds\n", kRuns * nPolls);
    std::printf("%-50s %8.2f\n", "cursor outside the dialog", usOutside);
    std::printf("%-50s %8.2f%s\n", "cursor resting on the hot edit (no drawing)", usIdle,
                bOverA ? "" : "  (cursor not over the edit!)");
    std::printf("%-50s %8.2f\n", "cursor moved between two edits (two redraws)", usMove);

    DestroyWindow(hDlg);
    Pump(100);
    return 0;
}
