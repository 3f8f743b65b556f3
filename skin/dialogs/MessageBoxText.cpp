#include "skin/dialogs/MessageBoxText.h"

SkinCodePageRule ChooseCodePageRule(std::uint32_t platformId, std::uint32_t majorVersion) {
    return platformId == 2 && majorVersion >= 5 ? SkinCodePageRule::ThreadCodePage : SkinCodePageRule::LocaleCodePage;
}

std::uint32_t ParseLocaleCodePage(const char* text) {
    if (!text || !*text) return 0;
    std::uint32_t value = 0;
    for (const char* p = text; *p; ++p) {
        if (*p < '0' || *p > '9') return 0;
        value = value * 10 + static_cast<std::uint32_t>(*p - '0');
        if (value > 0xFFFF) return 0;  // code pages are 16-bit
    }
    return value;
}

std::uint32_t ConversionFailureCode(std::uint32_t lastError) {
    constexpr std::uint32_t kEFail = 0x80004005;
    if (lastError == 0) return kEFail;
    if (static_cast<std::int32_t>(lastError) < 0) return lastError;
    return (lastError & 0xFFFF) | 0x80070000;
}
