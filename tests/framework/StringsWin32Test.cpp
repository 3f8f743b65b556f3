// The Win32 side of the strings: the string table of the test program and
// the code-page conversion of CStringW.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "framework/Framework.h"
#include "tests/framework/FrameworkTestRes.h"

namespace {

TEST(CStringLoad, StringsOfTheTableAndAMissingOne) {
    CString s;
    EXPECT_TRUE(s.LoadString(IDS_FW_GREETING));
    EXPECT_STREQ(s.GetString(), "Hello from the string table");

    // Longer than the first buffer tried: loaded whole.
    std::string expected;
    for (int i = 0; i < 40; ++i) {
        char piece[32];
        std::snprintf(piece, sizeof piece, "%04d-abcdefghij|", i);
        expected += piece;
    }
    CString longText;
    EXPECT_TRUE(longText.LoadString(IDS_FW_LONG));
    EXPECT_EQ(longText.GetLength(), static_cast<int>(expected.size()));
    EXPECT_STREQ(longText.GetString(), expected.c_str());

    // A missing id leaves the string as it was.
    CString kept("unchanged");
    EXPECT_FALSE(kept.LoadString(IDS_FW_MISSING));
    EXPECT_STREQ(kept.GetString(), "unchanged");
}

struct Conversion {
    const char* bytes;
    unsigned int codePage;
    const wchar_t* expected;
};

TEST(CStringWConvert, NamedCodePages) {
    // clang-format off
    const Conversion cases[] = {
        {"caf\xE9", 1252, L"caf\u00E9"},
        {"\x80 \x9F \xFF", 1252, L"\u20AC \u0178 \u00FF"},   // euro sign, Y diaeresis
        {"\xE9", 1253, L"\u03B9"},                            // Greek small iota
        {"\xE9", 1251, L"\u0439"},                            // Cyrillic small short i
        {"caf\xC3\xA9 \xE2\x82\xAC", CP_UTF8, L"caf\u00E9 \u20AC"},
        {"a\xFF" "b", CP_UTF8, L"a\uFFFD" "b"},              // an invalid byte becomes the replacement
        {"", 1252, L""},
    };
    // clang-format on
    for (const Conversion& c : cases) {
        CStringW w = CStringW::FromMultiByte(c.bytes, c.codePage);
        EXPECT_TRUE(w == CStringW(c.expected)) << "code page " << c.codePage << ", bytes \"" << c.bytes << "\"";
        EXPECT_EQ(w.GetLength(), static_cast<int>(wcslen(c.expected)));
    }
    EXPECT_TRUE(CStringW::FromMultiByte(nullptr, 1252).IsEmpty());
}

TEST(CStringWConvert, SystemCodePageOfThePrefix) {
    const UINT acp = GetACP();
    // The same bytes through CP_ACP and through the code page it names.
    const char* samples[] = {"plain", "caf\xE9", "\x80\xA9\xC4\xD6\xDC\xE4\xF6\xFC\xDF"};
    for (const char* bytes : samples) {
        EXPECT_TRUE(CStringW::FromMultiByte(bytes, CP_ACP) == CStringW::FromMultiByte(bytes, acp)) << "ACP " << acp;
        EXPECT_TRUE(CStringW::FromMultiByte(bytes, CP_THREAD_ACP) == CStringW::FromMultiByte(bytes, acp))
            << "ACP " << acp;
    }
    if (acp != 1252) GTEST_SKIP() << "the prefix's code page is " << acp << ", not 1252";
    CStringW w = CStringW::FromMultiByte(
        "r\xE9sum\xE9 \x80"
        "5 \xA9",
        CP_ACP);
    EXPECT_TRUE(w == CStringW(L"r\u00E9sum\u00E9 \u20AC"
                              L"5 \u00A9"));
}

TEST(CStringWConvert, UnknownCodePageThrowsTheSystemError) {
    bool thrown = false;
    try {
        CStringW::FromMultiByte("abc", 54321);
    } catch (const CResultException& e) {
        thrown = true;
        EXPECT_EQ(e.m_sc, ResultFromSystemError(ERROR_INVALID_PARAMETER));
    }
    EXPECT_TRUE(thrown);
}

}  // namespace
