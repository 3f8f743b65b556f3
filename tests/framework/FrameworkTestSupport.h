// Helpers of the windowing-layer tests: message logs compared with const
// tables of expected messages, in-memory dialog templates, message pumping.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace fwtest {

enum SeqFlags {
    kCheckWParam = 1,  // wParam must match
    kCheckLParam = 2,  // lParam must match
    kOptional = 4,     // may be missing from the log
};

struct ExpectedMsg {
    UINT message;
    int flags;
    WPARAM wParam;
    LPARAM lParam;
    const char* who;  // which recorder must have seen it (e.g. "map", "proc")
};

struct LoggedMsg {
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
    std::string who;
};

class MessageLog {
public:
    void Add(const char* who, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
        m_entries.push_back({message, wParam, lParam, who});
    }
    void Clear() { m_entries.clear(); }
    const std::vector<LoggedMsg>& Entries() const { return m_entries; }
    // Keeps only the entries of these messages (drop the noise of a platform).
    std::vector<LoggedMsg> Only(const std::vector<UINT>& messages) const;

private:
    std::vector<LoggedMsg> m_entries;
};

// Empty when the log matches the table exactly (optional entries may be
// skipped); otherwise a side-by-side listing of expected and actual.
std::string CompareSequence(const std::vector<LoggedMsg>& actual, const ExpectedMsg* expected, size_t count,
                            const char* context);

template <size_t N>
std::string CompareSequence(const std::vector<LoggedMsg>& actual, const ExpectedMsg (&expected)[N],
                            const char* context) {
    return CompareSequence(actual, expected, N, context);
}

// Builds a DLGTEMPLATE with items in memory.
class DialogTemplate {
public:
    DialogTemplate(DWORD style, short cx, short cy, const char* title, const char* fontFace = "MS Shell Dlg",
                   WORD pointSize = 8);
    // Predefined classes by atom: 0x0080 button, 0x0081 edit, 0x0082 static.
    void AddItem(WORD classAtom, WORD id, DWORD style, short x, short y, short cx, short cy, const char* text);
    // A class given by name.
    void AddItem(const char* className, WORD id, DWORD style, short x, short y, short cx, short cy, const char* text);
    LPCDLGTEMPLATE Get();

private:
    void AddWord(WORD w);
    void AddDword(DWORD d);
    void AddString(const char* text);
    void AlignDword();
    void AddItemHeader(WORD id, DWORD style, short x, short y, short cx, short cy);

    std::vector<WORD> m_words;
    std::vector<DWORD> m_aligned;  // DWORD-aligned copy handed out
};

// Handles this thread's messages for ms milliseconds.
void Pump(DWORD ms);

// A registered window class whose procedure records into a log (for the
// "default procedure" end of a chain); windows of it get the log pointer
// through GWLP_USERDATA set by CreateRecordingWindow.
HWND CreateRecordingWindow(MessageLog* pLog, HWND hWndParent = nullptr, DWORD style = WS_OVERLAPPEDWINDOW);

}  // namespace fwtest
