#include "compare/LineReader.h"

#include <utility>

CLineReader::Result CLineReader::Next(std::string_view& line, ParseError& error) {
    if (m_pos >= m_text.size()) return kEnd;
    ++m_nLine;
    const size_t feed = m_text.find('\n', m_pos);
    if (feed == std::string_view::npos) {
        Fail(error, m_nLine, "the line to end with CR LF (the file ends inside it)");
        return kBadEnd;
    }
    if (feed == m_pos || m_text[feed - 1] != '\r') {
        Fail(error, m_nLine, "the line to end with CR LF, not a line feed alone");
        return kBadEnd;
    }
    line = m_text.substr(m_pos, feed - 1 - m_pos);
    m_pos = feed + 1;
    return kLine;
}

bool Fail(ParseError& error, uint32_t line, std::string expected) {
    error.line = line;
    error.expected = std::move(expected);
    return false;
}
