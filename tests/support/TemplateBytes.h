// The bytes of an extended dialog template as the dialog manager reads them
// (little-endian words and double words, zero-terminated UTF-16 texts, items
// on double-word boundaries), for tests and test programs that build their
// own templates apart from the program's resources and its message box.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace scrivlo_test {

struct CTemplateBytes {
    std::vector<std::uint8_t> bytes;

    void Byte(std::uint8_t value) { bytes.push_back(value); }
    void Word(std::uint16_t value) {
        Byte(static_cast<std::uint8_t>(value));
        Byte(static_cast<std::uint8_t>(value >> 8));
    }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    // A text and its terminating zero.
    void Text(const std::wstring& text) {
        for (wchar_t c : text) Word(static_cast<std::uint16_t>(c));
        Word(0);
    }
    // 8-bit text, each byte one character.
    void Text(const char* text) {
        while (*text) Word(static_cast<std::uint8_t>(*text++));
        Word(0);
    }
    void AlignDword() {
        while (bytes.size() % 4) Byte(0);
    }
    // An item of a predefined class (its atom), without creation data.
    void Item(std::uint32_t style, std::int16_t x, std::int16_t y, std::int16_t cx, std::int16_t cy, std::uint32_t id,
              std::uint16_t classAtom, const std::wstring& text) {
        AlignDword();
        Dword(0);  // help id
        Dword(0);  // extended style
        Dword(style);
        Word(static_cast<std::uint16_t>(x));
        Word(static_cast<std::uint16_t>(y));
        Word(static_cast<std::uint16_t>(cx));
        Word(static_cast<std::uint16_t>(cy));
        Dword(id);
        Word(0xFFFF);
        Word(classAtom);
        Text(text);
        Word(0);  // no creation data
    }
    // The template padded to whole double words, as the dialog calls take it.
    std::vector<std::uint32_t> Dwords() {
        AlignDword();
        std::vector<std::uint32_t> words(bytes.size() / 4);
        for (std::size_t i = 0; i < words.size(); ++i) {
            words[i] = bytes[4 * i] | (bytes[4 * i + 1] << 8) | (bytes[4 * i + 2] << 16) |
                       (static_cast<std::uint32_t>(bytes[4 * i + 3]) << 24);
        }
        return words;
    }
};

}  // namespace scrivlo_test
