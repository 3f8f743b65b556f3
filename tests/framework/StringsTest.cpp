// CString and CStringW buffer handling, comparison and formatting, and the
// result codes of system errors. Window-free.
#include "framework/Exceptions.h"
#include "framework/Strings.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

TEST(CStringTest, FormatShortAndLong) {
    CString s;
    s.Format("%d files, %s, %5.2f%%", 42, "ok", 3.14159);
    EXPECT_STREQ("42 files, ok,  3.14%", s);
    EXPECT_EQ(20, s.GetLength());

    // Longer than any first guess of the output size.
    std::string big(1000, 'x');
    s.Format("[%s]-%04X", big.c_str(), 0xBEEF);
    EXPECT_EQ(static_cast<int>(big.size() + 7), s.GetLength());
    EXPECT_EQ("[" + big + "]-BEEF", std::string(s.GetString()));

    s.Format("%s", "");
    EXPECT_TRUE(s.IsEmpty());
    EXPECT_STREQ("", s);
}

TEST(CStringTest, FormatMayUseTheStringItself) {
    CString s("abc");
    s.Format("<%s|%s>", s.GetString(), s.GetString());
    EXPECT_STREQ("<abc|abc>", s);
    CString t(std::string(300, 'q').c_str());
    t.Format("%s%s", t.GetString(), "!");
    EXPECT_EQ(301, t.GetLength());
    EXPECT_EQ('!', t[300]);
    s.AppendFormat("%d", 7);
    EXPECT_STREQ("<abc|abc>7", s);
}

TEST(CStringTest, Comparison) {
    struct Case {
        const char* a;
        const char* b;
        int sign;        // of Compare
        int signNoCase;  // of CompareNoCase
    };
    // clang-format off
    const Case cases[] = {
        {"", "", 0, 0},         {"abc", "abc", 0, 0},   {"abc", "ABC", 1, 0},
        {"abc", "abd", -1, -1}, {"ab", "abc", -1, -1},  {"b", "A", 1, 1},
        {"\xe9", "a", 1, 1},    // bytes above 127 compare as unsigned
        {"Log", "LOG", 1, 0},
    };
    // clang-format on
    auto sign = [](int v) { return v < 0 ? -1 : v > 0 ? 1 : 0; };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.a) + " vs " + c.b);
        CString a(c.a);
        EXPECT_EQ(c.sign, sign(a.Compare(c.b)));
        EXPECT_EQ(c.signNoCase, sign(a.CompareNoCase(c.b)));
        EXPECT_EQ(c.sign == 0, a == c.b);
        EXPECT_EQ(c.sign == 0, a == CString(c.b));
        EXPECT_EQ(c.sign < 0, a < CString(c.b));
    }
    EXPECT_TRUE(CString() == static_cast<const char*>(nullptr));
}

TEST(CStringTest, ConcatenationAndSelfAppend) {
    CString s("ab");
    s += s;
    EXPECT_STREQ("abab", s);
    for (int i = 0; i < 6; ++i) s += s;  // grows past several reallocations
    EXPECT_EQ(256, s.GetLength());
    EXPECT_STREQ("abab", s.Right(4));
    CString t = CString("x") + "y" + 'z' + CString("w");
    EXPECT_STREQ("xyzw", t);
    EXPECT_STREQ("1xyzw", "1" + t);
    t += static_cast<const char*>(nullptr);
    EXPECT_STREQ("xyzw", t);
    CString u(t.GetString() + 1);  // from the middle of another string
    u = u.GetString() + 1;         // from its own buffer
    EXPECT_STREQ("zw", u);
}

TEST(CStringTest, BufferAccess) {
    CString s("hello");
    char* p = s.GetBuffer(10);
    std::strcpy(p, "greetings");
    s.ReleaseBuffer();
    EXPECT_EQ(9, s.GetLength());
    EXPECT_STREQ("greetings", s);

    p = s.GetBuffer(4);  // never smaller than the text
    EXPECT_EQ('g', p[0]);
    s.ReleaseBuffer(5);
    EXPECT_STREQ("greet", s);

    // A buffer without a zero: the length stops at the size given out.
    p = s.GetBuffer(8);
    std::memset(p, 'z', 9);
    s.ReleaseBuffer();
    EXPECT_EQ(8, s.GetLength());
    // A length beyond the buffer is cut to it.
    s.GetBuffer(3);
    s.ReleaseBuffer(1000);
    EXPECT_EQ(8, s.GetLength());

    p = s.GetBufferSetLength(3);
    EXPECT_EQ(3, s.GetLength());
    p[0] = 'a';
    s.ReleaseBuffer();
    EXPECT_STREQ("azz", s);
}

TEST(CStringTest, PiecesAndSearch) {
    struct Case {
        const char* label;
        CString actual;
        const char* expected;
    };
    CString s("C:\\Program Files\\Corvalin");
    const Case cases[] = {
        {"Left 2", s.Left(2), "C:"},
        {"Left -1", s.Left(-1), ""},
        {"Left past end", s.Left(99), "C:\\Program Files\\Corvalin"},
        {"Mid 3", s.Mid(3, 7), "Program"},
        {"Mid past end", s.Mid(99), ""},
        {"Mid long count", s.Mid(17, 100), "Corvalin"},
        {"Right 8", s.Right(8), "Corvalin"},
        {"Right past start", s.Right(1000), "C:\\Program Files\\Corvalin"},
    };
    for (const Case& c : cases) EXPECT_STREQ(c.expected, c.actual) << c.label;
    EXPECT_EQ(2, s.Find('\\'));
    EXPECT_EQ(16, s.Find('\\', 3));
    EXPECT_EQ(16, s.ReverseFind('\\'));
    EXPECT_EQ(-1, s.Find('#'));
    EXPECT_EQ(11, s.Find("Files"));
    EXPECT_EQ(-1, s.Find("Files", 12));
    EXPECT_EQ('\0', s.GetAt(s.GetLength()));
    EXPECT_EQ('\0', s.GetAt(-1));
    CString t("  Mixed Case\t\n");
    t.TrimRight().TrimLeft();
    EXPECT_STREQ("Mixed Case", t);
    EXPECT_STREQ("MIXED CASE", CString(t).MakeUpper());
    EXPECT_STREQ("mixed case", CString(t).MakeLower());
}

TEST(CStringTest, CopyAndMove) {
    CString a("text");
    CString b(a);
    b.SetAt(0, 'n');
    EXPECT_STREQ("text", a);
    EXPECT_STREQ("next", b);
    CString c(static_cast<CString&&>(b));
    EXPECT_STREQ("next", c);
    EXPECT_STREQ("", b);  // moved-from is empty and usable
    b = "again";
    EXPECT_STREQ("again", b);
    a = a;
    EXPECT_STREQ("text", a);
    EXPECT_STREQ("xxx", CString('x', 3));
    EXPECT_STREQ("", CString('x', 0));
    EXPECT_STREQ("ab", CString("abc", 2));
}

TEST(CStringWTest, BasicsAndEquality) {
    CStringW w(L"abc");
    EXPECT_EQ(3, w.GetLength());
    CStringW v(w);
    v.Append(L"def", 2);
    EXPECT_EQ(5, v.GetLength());
    EXPECT_TRUE(v == CStringW(L"abcde"));
    EXPECT_TRUE(v != w);
    EXPECT_EQ(L'\0', v.GetAt(5));
    v.Append(v.GetString(), v.GetLength());
    EXPECT_TRUE(v == CStringW(L"abcdeabcde"));
    EXPECT_TRUE(CStringW(static_cast<const wchar_t*>(nullptr)).IsEmpty());
}

TEST(ExceptionsTest, ResultFromSystemError) {
    struct Case {
        unsigned long error;
        unsigned long result;
    };
    const Case cases[] = {
        {87, 0x80070057UL},            // invalid parameter
        {2, 0x80070002UL},             // file not found
        {1113, 0x80070459UL},          // no mapping for the Unicode character
        {0x12345UL, 0x80072345UL},     // only the low 16 bits are kept
        {0x80004005UL, 0x80004005UL},  // already a result code
        {0, 0x80004005UL},             // no error recorded: still a failure
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.result, static_cast<unsigned long>(ResultFromSystemError(c.error))) << c.error;
    try {
        AfxThrowLastError(87);
        FAIL() << "no exception";
    } catch (const CResultException& e) {
        EXPECT_EQ(0x80070057UL, static_cast<unsigned long>(e.m_sc));
    }
    EXPECT_THROW(AfxThrowMemoryException(), CMemoryException);
}

}  // namespace
