#include "diagnostics/RegValueFormat.h"

#include <cstdio>

const RegRootKey kRegRootKeys[kRegRootKeyCount] = {
    {0x80000000u, "HKEY_CLASSES_ROOT"},
    {0x80000001u, "HKEY_CURRENT_USER"},
    {0x80000002u, "HKEY_LOCAL_MACHINE"},
    {0x80000003u, "HKEY_USERS"},
    {0x80000004u, "HKEY_PERFORMANCE_DATA"},
    {0x80000050u, "HKEY_PERFORMANCE_TEXT"},
    {0x80000060u, "HKEY_PERFORMANCE_NLSTEXT"},
    {0x80000005u, "HKEY_CURRENT_CONFIG"},
    {0x80000006u, "HKEY_DYN_DATA"},
};

const char kRegScriptHeader[] = "Windows Registry Editor Version 5.00\n\n";
static_assert(sizeof(kRegScriptHeader) - 1 == kRegScriptHeaderSize, "header is 38 bytes");

namespace {

// A continued list of bytes breaks after the comma that brings its line to
// this column or beyond, so that the line with its backslash stays within 80.
constexpr size_t kHexBreakColumn = 77;

// Copies text into result, adding a backslash before each byte for which
// escaped() holds; a lead byte takes its trail byte with it unchanged (a lead
// byte at the very end stands alone).
template <typename Escaped>
void AppendEscaped(std::string& result, const std::string& text, LeadByteTest isLeadByte, Escaped escaped) {
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        if (isLeadByte(byte) && i + 1 < text.size()) {
            result += text[i];
            result += text[++i];
            continue;
        }
        if (escaped(byte)) result += '\\';
        result += text[i];
    }
}

}  // namespace

const RegRootKey* FindRegRootKey(int rootIndex) {
    const unsigned row = static_cast<unsigned>(rootIndex) & 0xFFu;
    return row < static_cast<unsigned>(kRegRootKeyCount) ? &kRegRootKeys[row] : nullptr;
}

bool NoLeadBytes(unsigned char) { return false; }

std::string EscapeBackslashesWith(const std::string& text, LeadByteTest isLeadByte) {
    std::string result;
    result.reserve(text.size() + 8);
    // The backslash goes in front of the one it doubles: the same bytes.
    AppendEscaped(result, text, isLeadByte, [](unsigned char byte) { return byte == '\\'; });
    return result;
}

std::string QuoteRegText(const std::string& text, LeadByteTest isLeadByte) {
    std::string result;
    result.reserve(text.size() + 10);
    result += '"';
    AppendEscaped(result, text, isLeadByte, [](unsigned char byte) { return byte == '\\' || byte == '"'; });
    result += '"';
    return result;
}

bool IsPlainRegString(const unsigned char* data, size_t size) {
    if (size < 2 || size % 2 != 0) return false;
    const size_t units = size / 2;
    for (size_t i = 0; i < units; ++i) {
        const unsigned unit = data[2 * i] | (static_cast<unsigned>(data[2 * i + 1]) << 8);
        const bool last = i + 1 == units;
        if ((unit == 0) != last) return false;
        if (unit == '\r' || unit == '\n') return false;
    }
    return true;
}

std::string FormatRegData(uint32_t type, const unsigned char* data, size_t size) {
    char prefix[24];
    if (type == kRegTypeDword && size == 4) {
        const uint32_t number = data[0] | (static_cast<uint32_t>(data[1]) << 8) |
                                (static_cast<uint32_t>(data[2]) << 16) | (static_cast<uint32_t>(data[3]) << 24);
        std::snprintf(prefix, sizeof prefix, "dword:%08x", static_cast<unsigned>(number));
        return prefix;
    }
    if (type == kRegTypeBinary) {
        std::snprintf(prefix, sizeof prefix, "hex:");
    } else {
        std::snprintf(prefix, sizeof prefix, "hex(%x):", static_cast<unsigned>(type));
    }
    std::string text = prefix;
    text.reserve(text.size() + size * 3);
    static const char kHex[] = "0123456789abcdef";
    for (size_t i = 0; i < size; ++i) {
        if (i != 0) text += ',';
        text += kHex[data[i] >> 4];
        text += kHex[data[i] & 0x0F];
    }
    return text;
}

std::string FormatRegKeyLine(const char* rootName, const std::string& keyPath) {
    std::string line;
    line.reserve(keyPath.size() + 32);
    line += '[';
    line += rootName;
    line += '\\';
    line += keyPath;
    line += ']';
    return line;
}

std::string FormatRegValueLine(const std::string& name, const std::string& data, LeadByteTest isLeadByte) {
    std::string line = name.empty() ? std::string("@") : QuoteRegText(name, isLeadByte);
    line += '=';
    const size_t colon = data.find(':');
    if (data.compare(0, 3, "hex") != 0 || colon == std::string::npos) {
        line += data;
        line += '\n';
        return line;
    }
    // Continuation breaks go after the commas between the bytes.
    line.append(data, 0, colon + 1);
    size_t column = line.size();
    line.reserve(line.size() + data.size() + data.size() / 24 * 4 + 1);
    for (size_t i = colon + 1; i < data.size(); ++i) {
        line += data[i];
        ++column;
        if (data[i] == ',' && column >= kHexBreakColumn) {
            line += "\\\n  ";
            column = 2;
        }
    }
    line += '\n';
    return line;
}

std::string FormatRegRecord(const RegNode& node, LeadByteTest isLeadByte) {
    std::string block = node.keyLine;
    block += '\n';
    // A record whose count runs ahead of its arrays writes what it holds.
    size_t count = node.valueCount;
    if (node.valueNames.size() < count) count = node.valueNames.size();
    if (node.valueTexts.size() < count) count = node.valueTexts.size();
    if (node.valueTypes.size() < count) count = node.valueTypes.size();
    for (size_t i = 0; i < count; ++i) {
        block += FormatRegValueLine(node.valueNames[i], node.valueTexts[i], isLeadByte);
    }
    for (const std::string& note : node.skippedNotes) {
        block += "; ";
        block += note;
        block += '\n';
    }
    block += '\n';
    return block;
}
