// Helpers of the inventory tests: expected log text spelled out column by
// column, and reading back what a stream received.
#pragma once

#include <cstdio>
#include <string>

namespace inventory_test {

inline std::string Spaces(std::size_t count) { return std::string(count, ' '); }

// Pads text with spaces to width; a longer text stays whole.
inline std::string PadRight(const std::string& text, std::size_t width) {
    return text.size() >= width ? text : text + Spaces(width - text.size());
}

// A file line with its three columns: digest (empty: no digest column), name, size.
inline std::string FileLine(const std::string& digest, const std::string& name, const std::string& size) {
    std::string line = digest.empty() ? std::string() : PadRight(digest, 40);
    return line + " " + PadRight(name, 30) + " " + PadRight(size, 10) + "\n";
}

inline std::string SectionHeader(const std::string& folder) { return "\n\n\nTarget Directory : " + folder + "\n\n"; }

inline const char* const kNoFiles = "no files found\n";

// Everything written to a binary stream since it was opened.
inline std::string ReadBack(std::FILE* stream) {
    std::fflush(stream);
    std::rewind(stream);
    std::string text;
    char chunk[4096];
    std::size_t got;
    while ((got = std::fread(chunk, 1, sizeof chunk, stream)) > 0) {
        text.append(chunk, got);
    }
    return text;
}

// Makes "\n" into CR LF, as a text-mode stream on Windows writes it.
inline std::string WithCrLf(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\n') out += '\r';
        out += c;
    }
    return out;
}

}  // namespace inventory_test
