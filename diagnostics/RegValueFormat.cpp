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

const RegRootKey* FindRegRootKey(int rootIndex) {
    const unsigned row = static_cast<unsigned>(rootIndex) & 0xFFu;
    return row < static_cast<unsigned>(kRegRootKeyCount) ? &kRegRootKeys[row] : nullptr;
}

bool NoLeadBytes(unsigned char) { return false; }

std::string EscapeBackslashesWith(const std::string& text, LeadByteTest isLeadByte) {
    std::string result;
    result.reserve(text.size() + 8);
    for (size_t i = 0; i < text.size(); ++i) {
        const unsigned char byte = static_cast<unsigned char>(text[i]);
        // A lead byte takes its trail byte with it; a lead byte at the very end
        // stands alone.
        if (isLeadByte(byte) && i + 1 < text.size()) {
            result += text[i];
            result += text[++i];
            continue;
        }
        result += text[i];
        if (byte == '\\') result += '\\';
    }
    return result;
}

std::string RenderRegValueText(uint32_t type, const unsigned char* data, size_t size,
                               LeadByteTest isLeadByte) {
    switch (type) {
    case kRegTypeSz: {
        size_t length = 0;
        while (length < size && data[length] != 0) ++length;
        return EscapeBackslashesWith(std::string(reinterpret_cast<const char*>(data), length),
                                     isLeadByte);
    }
    case kRegTypeBinary: {
        std::string text;
        text.reserve(size * 2);
        char digits[3];
        for (size_t i = 0; i < size; ++i) {
            std::snprintf(digits, sizeof digits, "%x", data[i]);
            text += digits;
        }
        return text;
    }
    case kRegTypeDword: {
        uint32_t number = 0;
        for (size_t i = 0; i < 4 && i < size; ++i) number |= static_cast<uint32_t>(data[i]) << (8 * i);
        char digits[9];
        std::snprintf(digits, sizeof digits, "%08x", static_cast<unsigned>(number));
        return digits;
    }
    default:
        return std::string();
    }
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

std::string FormatRegValueLine(const std::string& name, uint32_t type, const std::string& text) {
    std::string line;
    line.reserve(name.size() + text.size() + 16);
    if (name.empty()) {
        line += '@';
    } else {
        line += '"';
        line += name;
        line += '"';
    }
    line += '=';
    switch (type) {
    case kRegTypeExpandSz: line += "hex(2):"; line += text; break;
    case kRegTypeBinary:   line += "hex:"; line += text; break;
    case kRegTypeDword:    line += "dword:"; line += text; break;
    case kRegTypeMultiSz:  line += "hex(7):"; line += text; break;
    default:               line += '"'; line += text; line += '"'; break;
    }
    line += '\n';
    return line;
}

std::string FormatRegRecord(const RegNode& node) {
    std::string block = node.keyLine;
    block += '\n';
    // A record whose count runs ahead of its arrays writes what it holds.
    size_t count = node.valueCount;
    if (node.valueNames.size() < count) count = node.valueNames.size();
    if (node.valueTexts.size() < count) count = node.valueTexts.size();
    if (node.valueTypes.size() < count) count = node.valueTypes.size();
    for (size_t i = 0; i < count; ++i) {
        block += FormatRegValueLine(node.valueNames[i], node.valueTypes[i], node.valueTexts[i]);
    }
    block += '\n';
    return block;
}
