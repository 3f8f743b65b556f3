#include "compare/RegScript.h"

#include <cstdio>

const char kRegScriptTitle[] = "Windows Registry Editor Version 5.00";

namespace {

constexpr std::string_view kDword = "dword:";
constexpr std::string_view kHex = "hex:";
constexpr std::string_view kHexType = "hex(";
constexpr std::string_view kContinuationIndent = "  ";
constexpr uint32_t kTypeText = 1;
constexpr uint32_t kTypeBinary = 3;
constexpr uint32_t kTypeDword = 4;

// The value of a lower-case hexadecimal digit, or -1.
struct HexDigits {
    signed char value[256];
    HexDigits() {
        for (int c = 0; c < 256; ++c) {
            value[c] = static_cast<signed char>(c >= '0' && c <= '9'   ? c - '0'
                                                : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                                                       : -1);
        }
    }
};
const HexDigits kHexDigits;

int HexValue(char c) { return kHexDigits.value[static_cast<unsigned char>(c)]; }

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// The byte list of one line: "" or hh(,hh)*, then a comma and a backslash
// where the list goes on on the next line (or the backslash alone right
// after the colon). Appends the bytes; more tells whether a line follows.
bool ParseByteLine(std::string_view part, bool atColon, std::string& bytes, bool& more) {
    more = !part.empty() && part.back() == '\\';
    if (more) part.remove_suffix(1);
    if (part.empty()) return !more || atColon;
    // Three characters a byte, the last one's comma only where the list goes on.
    const size_t length = part.size() + (more ? 0 : 1);
    if (length % 3 != 0) return false;
    const size_t count = length / 3;
    const size_t start = bytes.size();
    bytes.resize(start + count);
    for (size_t k = 0; k < count; ++k) {
        const size_t at = 3 * k;
        const int high = HexValue(part[at]);
        const int low = HexValue(part[at + 1]);
        if (high < 0 || low < 0 || (at + 2 < part.size() && part[at + 2] != ',')) {
            bytes.resize(start);
            return false;
        }
        bytes[start + k] = static_cast<char>(high * 16 + low);
    }
    return true;
}

// The data of a value line, from what follows "=" on its first line; the
// reader gives the continuation lines. A quoted text's characters stay where
// they are (text); other data is decoded onto out. Without a reader it is a
// dry run that only tells whether the first line's part can be data.
bool ParseData(std::string_view data, RegValue& value, std::string_view& text, std::string& out, CLineReader* reader,
               ParseError& error) {
    if (!data.empty() && data[0] == '"') {
        value.type = kTypeText;
        value.form = RegDataForm::kText;
        if (data.size() < 2 || data.back() != '"') return false;
        text = data.substr(1, data.size() - 2);
        return true;
    }
    value.form = RegDataForm::kBytes;
    std::string_view list;
    if (StartsWith(data, kDword)) {
        const std::string_view digits = data.substr(kDword.size());
        if (digits.size() != 8) return false;
        uint32_t number = 0;
        for (char c : digits) {
            const int digit = HexValue(c);
            if (digit < 0) return false;
            number = number * 16 + static_cast<uint32_t>(digit);
        }
        value.type = kTypeDword;
        for (int i = 0; i < 4; ++i) out += static_cast<char>((number >> (8 * i)) & 0xFF);
        return true;
    }
    if (StartsWith(data, kHex)) {
        value.type = kTypeBinary;
        list = data.substr(kHex.size());
    } else if (StartsWith(data, kHexType)) {
        const size_t close = data.find("):", kHexType.size());
        if (close == std::string_view::npos) return false;
        const std::string_view digits = data.substr(kHexType.size(), close - kHexType.size());
        if (digits.empty() || digits.size() > 8 || (digits[0] == '0' && digits.size() > 1)) return false;
        value.type = 0;
        for (char c : digits) {
            const int digit = HexValue(c);
            if (digit < 0) return false;
            value.type = value.type * 16 + static_cast<uint32_t>(digit);
        }
        list = data.substr(close + 2);
    } else {
        return false;
    }
    bool more = false;
    if (!ParseByteLine(list, true, out, more)) return false;
    if (reader == nullptr) return true;
    while (more) {
        std::string_view line;
        const CLineReader::Result got = reader->Next(line, error);
        if (got == CLineReader::kBadEnd) return false;
        const bool continues = got == CLineReader::kLine && line.size() > kContinuationIndent.size() &&
                               StartsWith(line, kContinuationIndent);
        if (!continues || !ParseByteLine(line.substr(kContinuationIndent.size()), false, out, more)) {
            const uint32_t number = got == CLineReader::kEnd ? reader->LineNumber() + 1 : reader->LineNumber();
            return Fail(error, number,
                        "the data's next bytes after two spaces (the line before ends with a backslash)");
        }
    }
    return true;
}

// name=data. A quoted name ends at the first "= after which data can
// follow: inside the name every double quote is written \", so the text
// after a "= that belongs to the name starts with a backslash or a
// character of the name, never with the start of data running to the
// line's end. This holds whatever the code page's double-byte characters
// hold, so the name is never decoded.
bool ParseValueLine(std::string_view line, CLineReader& reader, RegValue& value, const RegScript& script,
                    std::string& data, ParseError& error) {
    const uint32_t number = reader.LineNumber();
    value.line = number;
    size_t dataStart = 0;
    if (StartsWith(line, "@=")) {
        value.name = line.substr(0, 1);
        dataStart = 2;
    } else if (StartsWith(line, "\"")) {
        for (size_t quote = line.find("\"=", 1); quote != std::string_view::npos; quote = line.find("\"=", quote + 1)) {
            RegValue probe;
            std::string_view text;
            std::string scratch;
            ParseError ignored;
            if (ParseData(line.substr(quote + 2), probe, text, scratch, nullptr, ignored)) {
                value.name = line.substr(0, quote + 1);
                dataStart = quote + 2;
                break;
            }
        }
    }
    if (dataStart == 0) {
        return Fail(error, number,
                    "a value line: @ or a quoted name, \"=\" and the data (\"text\", dword:, hex: or hex(type):)");
    }
    error.line = 0;
    std::string_view text;
    const size_t poolStart = data.size();
    const bool parsed = ParseData(line.substr(dataStart), value, text, data, &reader, error);
    if (value.form == RegDataForm::kText) {
        value.dataStart = static_cast<size_t>(text.data() - script.text.data());
        value.dataSize = text.size();
    } else {
        value.dataStart = poolStart;
        value.dataSize = data.size() - poolStart;
    }
    if (parsed) return true;
    if (error.line == 0) Fail(error, number, "the value's data");
    return false;
}

}  // namespace

bool ParseRegScript(std::string_view text, RegScript& script, ParseError& error) {
    script = RegScript();
    script.text = text;
    // Room for the values at a value line every 40 characters and the keys
    // at a key line every 200; decoded bytes take a third of their text.
    script.values.reserve(text.size() / 40 + 1);
    script.keys.reserve(text.size() / 200 + 1);
    script.data.reserve(text.size() / 3);
    CLineReader reader(text);
    std::string_view line;
    CLineReader::Result got = reader.Next(line, error);
    if (got == CLineReader::kBadEnd) return false;
    if (got == CLineReader::kEnd || line != kRegScriptTitle) {
        return Fail(error, 1, "the script's title line \"Windows Registry Editor Version 5.00\"");
    }
    got = reader.Next(line, error);
    if (got == CLineReader::kBadEnd) return false;
    if (got == CLineReader::kEnd || !line.empty()) return Fail(error, 2, "an empty line after the title");

    for (;;) {
        got = reader.Next(line, error);
        if (got == CLineReader::kEnd) return true;
        if (got == CLineReader::kBadEnd) return false;
        const int32_t lastKey = static_cast<int32_t>(script.keys.size()) - 1;
        if (line.empty()) {
            // A key the export could not open: an empty key line, then the
            // record's empty line.
            RegUnreadable record;
            record.line = reader.LineNumber();
            record.key = lastKey;
            got = reader.Next(line, error);
            if (got == CLineReader::kBadEnd) return false;
            if (got == CLineReader::kEnd || !line.empty()) {
                return Fail(error, record.line + 1,
                            "a second empty line (an empty line in place of a key line stands for a key "
                            "that could not be read)");
            }
            script.unreadable.push_back(record);
            continue;
        }
        if (line.size() < 3 || line.front() != '[' || line.back() != ']') {
            return Fail(error, reader.LineNumber(), "a key line: [root\\path]");
        }
        RegKey key;
        key.path = line.substr(1, line.size() - 2);
        key.line = reader.LineNumber();
        key.firstValue = static_cast<uint32_t>(script.values.size());
        if (script.keys.empty()) {
            const size_t separator = key.path.find('\\');
            if (separator == 0 || separator == std::string_view::npos || separator + 1 == key.path.size()) {
                return Fail(error, key.line, "the branch's key line: [root\\path]");
            }
            script.branch = key.path;
        } else {
            const std::string_view branch = script.branch;
            if (key.path.size() <= branch.size() + 1 || !StartsWith(key.path, branch) ||
                key.path[branch.size()] != '\\') {
                return Fail(error, key.line, "a key below [" + std::string(branch) + "], the script's first key");
            }
            key.relative = key.path.substr(branch.size() + 1);
        }
        script.keys.push_back(key);
        for (;;) {
            got = reader.Next(line, error);
            if (got == CLineReader::kBadEnd) return false;
            if (got == CLineReader::kEnd) {
                return Fail(error, reader.LineNumber() + 1, "an empty line after the key's values");
            }
            if (line.empty()) break;
            if (line[0] == ';') {
                RegUnreadable record;
                record.line = reader.LineNumber();
                record.key = lastKey + 1;
                record.comment = line;
                script.unreadable.push_back(record);
                continue;
            }
            RegValue value;
            if (!ParseValueLine(line, reader, value, script, script.data, error)) return false;
            value.key = static_cast<uint32_t>(lastKey + 1);
            script.values.push_back(value);
            ++script.keys.back().valueCount;
        }
    }
}

std::string RenderRegData(const RegScript& script, const RegValue& value) {
    const std::string_view data = ValueData(script, value);
    if (value.form == RegDataForm::kText) return "\"" + std::string(data) + "\"";
    char prefix[24];
    if (value.type == kTypeDword && data.size() == 4) {
        uint32_t number = 0;
        for (int i = 3; i >= 0; --i) number = number << 8 | static_cast<unsigned char>(data[i]);
        std::snprintf(prefix, sizeof prefix, "dword:%08x", static_cast<unsigned>(number));
        return prefix;
    }
    if (value.type == kTypeBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(value.type));
    }
    std::string text = prefix;
    text.reserve(text.size() + data.size() * 3);
    static const char kDigits[] = "0123456789abcdef";
    for (size_t i = 0; i < data.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(data[i]);
        if (i > 0) text += ',';
        text += kDigits[byte >> 4];
        text += kDigits[byte & 15];
    }
    return text;
}
