// The call form's code page rule and the result code of a failed conversion.
#include "skin/dialogs/MessageBoxText.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxText, CodePageRuleByPlatformAndVersion) {
    const struct {
        std::uint32_t platform, major;
        SkinCodePageRule rule;
    } cases[] = {
        {2, 5, SkinCodePageRule::ThreadCodePage},  // 2000, XP
        {2, 6, SkinCodePageRule::ThreadCodePage}, {2, 10, SkinCodePageRule::ThreadCodePage},
        {2, 4, SkinCodePageRule::LocaleCodePage},  // NT 4
        {1, 4, SkinCodePageRule::LocaleCodePage},  // 9x
        {1, 5, SkinCodePageRule::LocaleCodePage}, {0, 5, SkinCodePageRule::LocaleCodePage},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ChooseCodePageRule(c.platform, c.major), c.rule) << "platform " << c.platform << " major " << c.major;
}

TEST(MessageBoxText, LocaleCodePageTextFallsBackToTheSystemCodePage) {
    const struct {
        const char* text;
        std::uint32_t parsed;
        std::uint32_t used;  // with a system code page of 1252
    } cases[] = {
        {"1252", 1252, 1252}, {"932", 932, 932}, {"65001", 65001, 65001}, {"0", 0, 1252},           {"", 0, 1252},
        {nullptr, 0, 1252},   {"12a", 0, 1252},  {"-1", 0, 1252},         {"99999999999", 0, 1252},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.text ? c.text : "(null)");
        EXPECT_EQ(ParseLocaleCodePage(c.text), c.parsed);
        EXPECT_EQ(LocaleRuleCodePage(ParseLocaleCodePage(c.text), 1252), c.used);
    }
}


TEST(MessageBoxText, FailureCodeFromTheLastError) {
    const struct {
        std::uint32_t lastError, code;
    } cases[] = {
        {122, 0x8007007A},         // ERROR_INSUFFICIENT_BUFFER
        {1113, 0x80070459},        // ERROR_NO_UNICODE_TRANSLATION
        {0x12345, 0x80072345},     // only the low 16 bits
        {0x80070057, 0x80070057},  // already a failure code
        {0, 0x80004005},           // never a success code for a failure
    };
    for (const auto& c : cases) EXPECT_EQ(ConversionFailureCode(c.lastError), c.code) << "last error " << c.lastError;
}

}  // namespace
