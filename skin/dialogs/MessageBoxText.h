// Rules of the message box call form's text conversion: which ANSI code page
// the 8-bit text and caption are converted from, the conversion buffer's
// size, and the result code of a failed conversion.
#pragma once

#include <cstddef>
#include <cstdint>

enum class SkinCodePageRule {
    ThreadCodePage,  // CP_THREAD_ACP (3)
    LocaleCodePage,  // LOCALE_IDEFAULTANSICODEPAGE of the thread's locale, else GetACP
};

constexpr std::uint32_t kSkinCpThreadAcp = 3;
constexpr std::uint32_t kSkinLocaleDefaultAnsiCodePage = 4100;
// UTF-16 characters of the conversion buffer that needs no allocation.
constexpr std::size_t kSkinFixedConversionChars = 128;

// NT-family systems (platform identifier 2) of major version 5 or later
// convert with the thread's code page; the others with the locale's. The
// caller decides once, on the first conversion, and keeps the rule.
SkinCodePageRule ChooseCodePageRule(std::uint32_t platformId, std::uint32_t majorVersion);

// The locale's code page as the decimal text GetLocaleInfoA answers; 0 when
// the text is null, empty, not a decimal number or out of range. A result of
// 0 means: use the system ANSI code page (GetACP).
std::uint32_t ParseLocaleCodePage(const char* text);

// The code page to convert with under the locale rule.
constexpr std::uint32_t LocaleRuleCodePage(std::uint32_t localeCodePage, std::uint32_t systemCodePage) {
    return localeCodePage != 0 ? localeCodePage : systemCodePage;
}

// UTF-16 characters needed for a string of `bytes` 8-bit characters with its
// terminating zero, and whether they fit the fixed buffer.
constexpr std::size_t ConversionChars(std::size_t bytes) { return bytes + 1; }
constexpr bool ConversionFitsFixedBuffer(std::size_t bytes) {
    return ConversionChars(bytes) <= kSkinFixedConversionChars;
}

// Result code of a failed conversion from the last system error: a positive
// error becomes its low 16 bits combined with 0x80070000; a value that
// already is a failure code is kept. A last error of 0 would report success
// for a failure, so it becomes E_FAIL.
std::uint32_t ConversionFailureCode(std::uint32_t lastError);
