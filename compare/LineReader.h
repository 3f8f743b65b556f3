// Reading the two files a line at a time. Both are 8-bit text whose every
// line ends with CR LF; a line is handed out without its line end, as a view
// into the text the caller keeps.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Why a file was refused: the line (counted from 1) and what was expected
// there. A line of 0 means no error.
struct ParseError {
    uint32_t line = 0;
    std::string expected;
};

class CLineReader {
public:
    enum Result { kLine, kEnd, kBadEnd };

    explicit CLineReader(std::string_view text) : m_text(text) {}

    // kLine and the next line; kEnd after the last one; kBadEnd when the rest
    // of the text does not end in CR LF or a line feed comes without its
    // carriage return (the error, with the line's number, is in error).
    Result Next(std::string_view& line, ParseError& error);

    // The number of the line Next returned last.
    uint32_t LineNumber() const { return m_nLine; }

private:
    std::string_view m_text;
    size_t m_pos = 0;
    uint32_t m_nLine = 0;
};

// Sets error to line and text; returns false, so that a parser can return it.
bool Fail(ParseError& error, uint32_t line, std::string expected);
