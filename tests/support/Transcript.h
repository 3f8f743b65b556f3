// What a scripted user saw of a program: the message boxes it answered and
// the status texts between them, in order. Window-free: the Win32 side fills
// these records; formatting them is plain text work.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace scrivlo_test {

struct CRectValue {
    int m_nLeft = 0;
    int m_nTop = 0;
    int m_nRight = 0;
    int m_nBottom = 0;
    int Width() const { return m_nRight - m_nLeft; }
    int Height() const { return m_nBottom - m_nTop; }
};

struct CBoxButton {
    int m_nId = 0;
    std::wstring m_caption;
    bool m_bEnabled = false;
    bool m_bDefault = false;  // the box's default identifier (DM_GETDEFID) names it
    CRectValue m_rcWindow;    // screen coordinates
};

// A message box as a user sees it.
struct CBoxContents {
    std::wstring m_caption;             // the dialog's title
    std::wstring m_text;                // static 255, read as UTF-16
    std::string m_textA;                // static 255, read as 8-bit text (system code page)
    bool m_bHasHeading = false;         // static 256 exists
    std::wstring m_heading;             // static 256
    std::vector<CBoxButton> m_buttons;  // in tab (child Z) order
    int m_nDefaultId = 0;               // 0: the box reports no default
    CRectValue m_rcWindow;              // screen coordinates

    // The button with this identifier, or null.
    const CBoxButton* FindButton(int id) const;
    // The button whose caption is this (exact match), or null.
    const CBoxButton* FindButton(const std::wstring& caption) const;
};

struct CTranscriptEntry {
    enum Kind { kStatus, kBox };
    Kind m_kind = kStatus;
    std::wstring m_status;   // kStatus: the control's new text
    CBoxContents m_box;      // kBox: what the box showed
    int m_nAnsweredId = 0;   // kBox: the button chosen (0: none)
    bool m_bClosed = false;  // kBox: the box went away after the answer
};

struct CTranscript {
    std::vector<CTranscriptEntry> m_entries;
    bool m_bExited = false;  // the process ended by itself
    bool m_bKilled = false;  // it was ended after the time limit
    uint32_t m_nExitCode = 0;
    std::string m_error;  // the first thing that went wrong, empty if nothing did

    std::vector<const CBoxContents*> Boxes() const;
};

// UTF-16 (or, where wchar_t is 32-bit, UTF-32) to UTF-8; unpaired
// surrogates become U+FFFD.
std::string ToUtf8(const std::wstring& text);

// A quoted, escaped form of a text for one-line display: \" \\ \r \n \t and
// \xNN for other control characters.
std::string Quote(const std::wstring& text);

// One line a box: caption, heading when present, text, buttons (identifier,
// caption, "*" for the default, "-" for a disabled one) and the answer:
//   box "Success!" text "Log file successfully created!" buttons [1 "&Ok"*] -> 1
std::string FormatBox(const CBoxContents& box);

// The whole transcript, one line an entry, then one closing line
// ("exit N", "killed" or "running"), and "error ..." when m_error is set.
std::string FormatTranscript(const CTranscript& transcript);

}  // namespace scrivlo_test
