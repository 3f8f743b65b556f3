#include "tests/support/Transcript.h"

#include <cstdio>

namespace scrivlo_test {

const CBoxButton* CBoxContents::FindButton(int id) const {
    for (const CBoxButton& button : m_buttons)
        if (button.m_nId == id) return &button;
    return nullptr;
}

const CBoxButton* CBoxContents::FindButton(const std::wstring& caption) const {
    for (const CBoxButton& button : m_buttons)
        if (button.m_caption == caption) return &button;
    return nullptr;
}

std::vector<const CBoxContents*> CTranscript::Boxes() const {
    std::vector<const CBoxContents*> boxes;
    for (const CTranscriptEntry& entry : m_entries)
        if (entry.m_kind == CTranscriptEntry::kBox) boxes.push_back(&entry.m_box);
    return boxes;
}

namespace {

void AppendCodePoint(std::string& out, uint32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

}  // namespace

std::string ToUtf8(const std::wstring& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        // NOLINTNEXTLINE(bugprone-signed-char-misuse): a wchar_t code unit; out-of-range ones become U+FFFD
        uint32_t cp = static_cast<uint32_t>(text[i]);
        if (cp >= 0xD800 && cp <= 0xDBFF) {
            const uint32_t next = i + 1 < text.size() ? static_cast<uint32_t>(text[i + 1]) : 0;
            if (next >= 0xDC00 && next <= 0xDFFF) {
                cp = 0x10000 + ((cp - 0xD800) << 10) + (next - 0xDC00);
                ++i;
            } else {
                cp = 0xFFFD;
            }
        } else if ((cp >= 0xDC00 && cp <= 0xDFFF) || cp > 0x10FFFF) {
            cp = 0xFFFD;
        }
        AppendCodePoint(out, cp);
    }
    return out;
}

std::string Quote(const std::wstring& text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        const unsigned char u = static_cast<unsigned char>(c);
        switch (c) {
        case '"': out += "\\\""; break;
        case '\\': out += "\\\\"; break;
        case '\r': out += "\\r"; break;
        case '\n': out += "\\n"; break;
        case '\t': out += "\\t"; break;
        default:
            if (u < 0x20 || u == 0x7F) {
                char hex[8];
                std::snprintf(hex, sizeof hex, "\\x%02X", u);
                out += hex;
            } else {
                out += c;
            }
        }
    }
    out += '"';
    return out;
}

std::string FormatBox(const CBoxContents& box) {
    std::string line = "box " + Quote(box.m_caption);
    if (box.m_bHasHeading) line += " heading " + Quote(box.m_heading);
    line += " text " + Quote(box.m_text) + " buttons [";
    for (size_t i = 0; i < box.m_buttons.size(); ++i) {
        const CBoxButton& button = box.m_buttons[i];
        if (i) line += ' ';
        line += std::to_string(button.m_nId) + ' ' + Quote(button.m_caption);
        if (button.m_bDefault) line += '*';
        if (!button.m_bEnabled) line += '-';
    }
    line += ']';
    return line;
}

std::string FormatTranscript(const CTranscript& transcript) {
    std::string out;
    for (const CTranscriptEntry& entry : transcript.m_entries) {
        if (entry.m_kind == CTranscriptEntry::kStatus) {
            out += "status " + Quote(entry.m_status) + "\n";
        } else {
            out += FormatBox(entry.m_box);
            out += " -> " + std::to_string(entry.m_nAnsweredId);
            if (!entry.m_bClosed) out += " (still open)";
            out += "\n";
        }
    }
    if (transcript.m_bExited)
        out += "exit " + std::to_string(transcript.m_nExitCode) + "\n";
    else if (transcript.m_bKilled)
        out += "killed\n";
    else
        out += "running\n";
    if (!transcript.m_error.empty()) out += "error " + transcript.m_error + "\n";
    return out;
}

}  // namespace scrivlo_test
