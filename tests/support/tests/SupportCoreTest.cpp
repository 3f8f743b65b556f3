// The window-free parts of the test support: the BMP encoder of screenshots
// and the transcript's text form.
#include "tests/support/BmpImage.h"
#include "tests/support/Transcript.h"

#include <gtest/gtest.h>

namespace scrivlo_test {
namespace {

uint32_t Le(const std::vector<uint8_t>& b, size_t at, int n) {
    uint32_t v = 0;
    for (int i = n - 1; i >= 0; --i) v = (v << 8) | b.at(at + static_cast<size_t>(i));
    return v;
}

TEST(EncodeBmp24, HeaderRowsBottomUpAndPadding) {
    // Widths 1 to 4 need 1, 2, 3 and 0 bytes of padding a row.
    struct CCase {
        int width;
        size_t stride;
    };
    const CCase cases[] = {{1, 4}, {2, 8}, {3, 12}, {4, 12}, {5, 16}};
    for (const CCase& c : cases) {
        SCOPED_TRACE(c.width);
        CPixelImage image;
        image.m_nWidth = c.width;
        image.m_nHeight = 2;
        for (int y = 0; y < 2; ++y)
            for (int x = 0; x < c.width; ++x) image.m_pixels.push_back(static_cast<uint32_t>(0x102030 + (y << 20) + x));
        const std::vector<uint8_t> b = EncodeBmp24(image);
        ASSERT_EQ(b.size(), 54 + 2 * c.stride);
        EXPECT_EQ(b[0], 'B');
        EXPECT_EQ(b[1], 'M');
        EXPECT_EQ(Le(b, 2, 4), b.size());
        EXPECT_EQ(Le(b, 10, 4), 54u);
        EXPECT_EQ(Le(b, 14, 4), 40u);
        EXPECT_EQ(Le(b, 18, 4), static_cast<uint32_t>(c.width));
        EXPECT_EQ(Le(b, 22, 4), 2u);
        EXPECT_EQ(Le(b, 26, 2), 1u);
        EXPECT_EQ(Le(b, 28, 2), 24u);
        EXPECT_EQ(Le(b, 30, 4), 0u);
        EXPECT_EQ(Le(b, 34, 4), 2 * c.stride);
        // The file's first row is the image's last (y = 1): red 0x20.
        for (int x = 0; x < c.width; ++x) {
            EXPECT_EQ(b[54 + 3 * x + 0], 0x30 + x) << "blue";
            EXPECT_EQ(b[54 + 3 * x + 1], 0x20) << "green";
            EXPECT_EQ(b[54 + 3 * x + 2], 0x20) << "red of the bottom row";
            EXPECT_EQ(b[54 + c.stride + 3 * static_cast<size_t>(x) + 2], 0x10) << "red of the top row";
        }
        for (size_t pad = 3 * static_cast<size_t>(c.width); pad < c.stride; ++pad) EXPECT_EQ(b[54 + pad], 0);
    }
}

TEST(EncodeBmp24, RefusesEmptyAndInconsistentImages) {
    CPixelImage image;
    EXPECT_TRUE(EncodeBmp24(image).empty());
    image.m_nWidth = 2;
    image.m_nHeight = 2;
    image.m_pixels.assign(3, 0);
    EXPECT_TRUE(EncodeBmp24(image).empty()) << "3 pixels for 2 x 2";
    image.m_nWidth = -2;
    image.m_nHeight = -2;
    image.m_pixels.assign(4, 0);
    EXPECT_TRUE(EncodeBmp24(image).empty());
    EXPECT_FALSE(WriteBmp24File(CPixelImage(), "never_written.bmp"));
}

TEST(PixelImage, ColorRefAtSwapsToBgrAndRejectsOutside) {
    CPixelImage image;
    image.m_nWidth = 2;
    image.m_nHeight = 1;
    image.m_pixels = {0x00112233, 0x00FF0000};
    EXPECT_EQ(image.ColorRefAt(0, 0), 0x00332211u);
    EXPECT_EQ(image.ColorRefAt(1, 0), 0x000000FFu) << "pure red is COLORREF 0x0000FF";
    const int outside[][2] = {{-1, 0}, {2, 0}, {0, 1}, {0, -1}};
    for (const auto& p : outside) EXPECT_EQ(image.ColorRefAt(p[0], p[1]), 0xFFFFFFFFu) << p[0] << "," << p[1];
}

TEST(Transcript, QuoteEscapesControlCharactersAndEncodesUtf8) {
    struct CCase {
        std::wstring in;
        const char* out;
    };
    const CCase cases[] = {
        {L"", "\"\""},
        {L"Ok", "\"Ok\""},
        {L"a\"b\\c", "\"a\\\"b\\\\c\""},
        {L"one\r\ntwo\t", "\"one\\r\\ntwo\\t\""},
        {std::wstring(1, wchar_t(1)) + L"\x7f", "\"\\x01\\x7F\""},
        {L"caf\u00e9 \u20ac", "\"caf\xC3\xA9 \xE2\x82\xAC\""},
    };
    for (const CCase& c : cases) EXPECT_EQ(Quote(c.in), c.out);
}

TEST(Transcript, ToUtf8PairsSurrogatesAndReplacesLoneOnes) {
    std::wstring pair;
    std::wstring lone;
    if (sizeof(wchar_t) == 2) {
        pair = {wchar_t(0xD83D), wchar_t(0xDE00)};
        lone = {wchar_t(0xDC00), L'x', wchar_t(0xD800)};
    } else {
        pair = {static_cast<wchar_t>(0x1F600)};
        lone = {wchar_t(0xDC00), L'x', wchar_t(0xD800)};
    }
    EXPECT_EQ(ToUtf8(pair), "\xF0\x9F\x98\x80");
    EXPECT_EQ(ToUtf8(lone), "\xEF\xBF\xBDx\xEF\xBF\xBD");
}

TEST(Transcript, FormatShowsEntriesDefaultDisabledHeadingAndEnd) {
    CTranscript t;
    CTranscriptEntry status;
    status.m_status = L"Working";
    t.m_entries.push_back(status);
    CTranscriptEntry box;
    box.m_kind = CTranscriptEntry::kBox;
    box.m_box.m_caption = L"Q";
    box.m_box.m_bHasHeading = true;
    box.m_box.m_heading = L"H";
    box.m_box.m_text = L"T";
    CBoxButton ok;
    ok.m_nId = 1;
    ok.m_caption = L"&Ok";
    ok.m_bEnabled = true;
    CBoxButton cancel = ok;
    cancel.m_nId = 2;
    cancel.m_caption = L"&Cancel";
    cancel.m_bDefault = true;
    cancel.m_bEnabled = false;
    box.m_box.m_buttons = {ok, cancel};
    box.m_nAnsweredId = 1;
    t.m_entries.push_back(box);
    box.m_bClosed = true;
    t.m_entries.push_back(box);

    EXPECT_EQ(FormatTranscript(t),
              "status \"Working\"\n"
              "box \"Q\" heading \"H\" text \"T\" buttons [1 \"&Ok\" 2 \"&Cancel\"*-] -> 1 (still open)\n"
              "box \"Q\" heading \"H\" text \"T\" buttons [1 \"&Ok\" 2 \"&Cancel\"*-] -> 1\n"
              "running\n");
    t.m_bKilled = true;
    t.m_error = "stuck";
    EXPECT_EQ(FormatTranscript(t).substr(FormatTranscript(t).rfind("-> 1\n") + 5), "killed\nerror stuck\n");
    t.m_bExited = true;
    t.m_nExitCode = 3;
    EXPECT_NE(FormatTranscript(t).find("exit 3\n"), std::string::npos) << "an exit wins over killed";
    ASSERT_EQ(t.Boxes().size(), 2u);
    EXPECT_EQ(t.Boxes()[0]->FindButton(2), &t.m_entries[1].m_box.m_buttons[1]);
    EXPECT_EQ(t.Boxes()[0]->FindButton(L"&Ok"), &t.m_entries[1].m_box.m_buttons[0]);
    EXPECT_EQ(t.Boxes()[0]->FindButton(3), nullptr);
    EXPECT_EQ(t.Boxes()[0]->FindButton(L"Ok"), nullptr);
}

}  // namespace
}  // namespace scrivlo_test
