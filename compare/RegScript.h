// The registry script read back: its keys, their values and the records
// the export could not read.
//
// Two values are equal when their types and data are: a quoted text by its
// characters as written (the same text is written the same way), every
// other form by its data bytes, with the continuation lines of a long list
// joined, so "dword:0000000a" equals "hex(4):0a,00,00,00". A text written
// quoted on one side and as "hex(1):" bytes on the other (machines of
// different code pages) is not equal to it.
#pragma once

#include "compare/LineReader.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

enum class RegDataForm : uint8_t { kText, kBytes };

struct RegValue {
    std::string_view name;  // as written: @, or the name in its double quotes with its escapes
    uint32_t type = 0;      // 1 for a quoted text
    RegDataForm form = RegDataForm::kText;
    // kText: the characters between the quotes as written, in RegScript::text;
    // kBytes: the data bytes, in RegScript::data.
    size_t dataStart = 0;
    size_t dataSize = 0;
    uint32_t line = 0;
    uint32_t key = 0;  // into RegScript::keys
};

struct RegKey {
    std::string_view path;      // between the brackets: the root's name, a backslash, the key's path
    std::string_view relative;  // below the branch's key; empty for the branch's key itself
    uint32_t line = 0;
    uint32_t firstValue = 0;  // into RegScript::values
    uint32_t valueCount = 0;
};

// A record the export could not read: a key it could not open (an empty
// key line) or a value or subkey it could not read (a comment line).
struct RegUnreadable {
    uint32_t line = 0;
    // The key the comment stands in, or the key an empty record follows;
    // -1 before the first key.
    int32_t key = -1;
    std::string_view comment;  // the whole comment line; empty for an empty record
};

struct RegScript {
    std::string_view text;    // the script as read
    std::string_view branch;  // the first key's path: every other key lies below it
    std::vector<RegKey> keys;
    std::vector<RegValue> values;
    std::vector<RegUnreadable> unreadable;
    std::string data;  // every decoded value's bytes, one after the other
};

inline std::string_view ValueData(const RegScript& script, const RegValue& value) {
    const std::string_view where = value.form == RegDataForm::kText ? script.text : std::string_view(script.data);
    return where.substr(value.dataStart, value.dataSize);
}

extern const char kRegScriptTitle[];

// Reads the whole script; views point into text. False, and the line and
// what was expected there in error, when the text is not a script as the
// program writes it.
bool ParseRegScript(std::string_view text, RegScript& script, ParseError& error);

// The value's data as the program writes it, on one line: "text",
// dword:%08x, hex:bytes or hex(type):bytes.
std::string RenderRegData(const RegScript& script, const RegValue& value);
