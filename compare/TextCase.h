// Names of files, folders, keys and values match as the system matches
// them, without regard to letter case; the files are in a code page this
// program does not know, so only the ASCII letters are folded.
#pragma once

#include <string>
#include <string_view>

inline char FoldAsciiCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

inline bool EqualIgnoringAsciiCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldAsciiCase(a[i]) != FoldAsciiCase(b[i])) return false;
    }
    return true;
}

inline void AppendFolded(std::string& out, std::string_view text) {
    const size_t start = out.size();
    out.append(text);
    for (size_t i = start; i < out.size(); ++i) out[i] = FoldAsciiCase(out[i]);
}
