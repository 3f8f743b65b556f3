#include "tests/framework/FrameworkTestSupport.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace fwtest {

std::vector<LoggedMsg> MessageLog::Only(const std::vector<UINT>& messages) const {
    std::vector<LoggedMsg> out;
    for (const LoggedMsg& e : m_entries) {
        if (std::find(messages.begin(), messages.end(), e.message) != messages.end()) out.push_back(e);
    }
    return out;
}

namespace {

bool Matches(const LoggedMsg& a, const ExpectedMsg& e) {
    if (a.message != e.message) return false;
    if ((e.flags & kCheckWParam) && a.wParam != e.wParam) return false;
    if ((e.flags & kCheckLParam) && a.lParam != e.lParam) return false;
    return e.who == nullptr || a.who == e.who;
}

std::string Describe(UINT message, WPARAM wParam, LPARAM lParam, const std::string& who) {
    char buf[96];
    std::snprintf(buf, sizeof(buf), "%-6s msg %04x wp %08lx lp %08lx", who.c_str(), message,
                  static_cast<unsigned long>(wParam), static_cast<unsigned long>(lParam));
    return buf;
}

}  // namespace

std::string CompareSequence(const std::vector<LoggedMsg>& actual, const ExpectedMsg* expected, size_t count,
                            const char* context) {
    size_t i = 0;
    size_t j = 0;
    bool ok = true;
    while (j < count) {
        if (i < actual.size() && Matches(actual[i], expected[j])) {
            ++i;
            ++j;
        } else if (expected[j].flags & kOptional) {
            ++j;
        } else {
            ok = false;
            break;
        }
    }
    if (ok && i == actual.size()) return std::string();

    std::string out = std::string(context) + ": message sequence differs\n  expected";
    out += std::string(44 - 8, ' ') + "| actual\n";
    size_t rows = std::max(actual.size(), count);
    for (size_t r = 0; r < rows; ++r) {
        std::string left;
        if (r < count)
            left = Describe(expected[r].message, expected[r].wParam, expected[r].lParam,
                            expected[r].who ? expected[r].who : "*") +
                   ((expected[r].flags & kOptional) ? "?" : " ");
        std::string right;
        if (r < actual.size()) right = Describe(actual[r].message, actual[r].wParam, actual[r].lParam, actual[r].who);
        left.resize(44, ' ');
        out += "  " + left + "| " + right + "\n";
    }
    return out;
}

DialogTemplate::DialogTemplate(DWORD style, short cx, short cy, const char* title, const char* fontFace,
                               WORD pointSize) {
    if (fontFace != nullptr) style |= DS_SETFONT;
    AddDword(style);
    AddDword(0);  // extended style
    AddWord(0);   // item count, patched by AddItem
    AddWord(0);   // x
    AddWord(0);   // y
    AddWord(static_cast<WORD>(cx));
    AddWord(static_cast<WORD>(cy));
    AddWord(0);  // no menu
    AddWord(0);  // predefined dialog class
    AddString(title);
    if (fontFace != nullptr) {
        AddWord(pointSize);
        AddString(fontFace);
    }
}

void DialogTemplate::AddWord(WORD w) { m_words.push_back(w); }

void DialogTemplate::AddDword(DWORD d) {
    m_words.push_back(LOWORD(d));
    m_words.push_back(HIWORD(d));
}

void DialogTemplate::AddString(const char* text) {
    for (const char* p = text; p != nullptr && *p != '\0'; ++p) m_words.push_back(static_cast<unsigned char>(*p));
    m_words.push_back(0);
}

void DialogTemplate::AlignDword() {
    if (m_words.size() % 2 != 0) m_words.push_back(0);
}

void DialogTemplate::AddItemHeader(WORD id, DWORD style, short x, short y, short cx, short cy) {
    AlignDword();
    AddDword(style);
    AddDword(0);
    AddWord(static_cast<WORD>(x));
    AddWord(static_cast<WORD>(y));
    AddWord(static_cast<WORD>(cx));
    AddWord(static_cast<WORD>(cy));
    AddWord(id);
    ++m_words[4];  // cdit
}

void DialogTemplate::AddItem(WORD classAtom, WORD id, DWORD style, short x, short y, short cx, short cy,
                             const char* text) {
    AddItemHeader(id, style, x, y, cx, cy);
    AddWord(0xFFFF);
    AddWord(classAtom);
    AddString(text);
    AddWord(0);  // no creation data
}

void DialogTemplate::AddItem(const char* className, WORD id, DWORD style, short x, short y, short cx, short cy,
                             const char* text) {
    AddItemHeader(id, style, x, y, cx, cy);
    AddString(className);
    AddString(text);
    AddWord(0);
}

LPCDLGTEMPLATE DialogTemplate::Get() {
    m_aligned.assign((m_words.size() + 1) / 2, 0);
    std::memcpy(m_aligned.data(), m_words.data(), m_words.size() * sizeof(WORD));
    return reinterpret_cast<LPCDLGTEMPLATE>(m_aligned.data());
}

void Pump(DWORD ms) {
    DWORD start = GetTickCount();
    for (;;) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        DWORD elapsed = GetTickCount() - start;
        if (elapsed >= ms) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, ms - elapsed, QS_ALLINPUT);
    }
}

namespace {

LRESULT CALLBACK RecordingProc(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam) {
    MessageLog* pLog = reinterpret_cast<MessageLog*>(GetWindowLongPtrA(hWnd, GWLP_USERDATA));
    if (pLog != nullptr) pLog->Add("proc", message, wParam, lParam);
    return DefWindowProcA(hWnd, message, wParam, lParam);
}

}  // namespace

HWND CreateRecordingWindow(MessageLog* pLog, HWND hWndParent, DWORD style) {
    static ATOM s_atom = 0;
    if (s_atom == 0) {
        WNDCLASSA wc = {};
        wc.lpfnWndProc = &RecordingProc;
        wc.hInstance = GetModuleHandleA(nullptr);
        wc.lpszClassName = "FwTestRecording";
        wc.hCursor = LoadCursorA(nullptr, IDC_ARROW);
        s_atom = RegisterClassA(&wc);
    }
    HWND hWnd = CreateWindowExA(0, "FwTestRecording", "rec", style, 10, 10, 200, 150, hWndParent, nullptr,
                                GetModuleHandleA(nullptr), nullptr);
    if (hWnd != nullptr) SetWindowLongPtrA(hWnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(pLog));
    return hWnd;
}

}  // namespace fwtest
