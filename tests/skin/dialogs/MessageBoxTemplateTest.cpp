// The message box's item list and its extended dialog template bytes, read
// back by a reader written from the template layout (offsets, alignment,
// UTF-16 texts), and one template checked byte for byte.
#include "skin/dialogs/MessageBoxTemplate.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

namespace {

struct ParsedItem {
    std::size_t offset = 0;
    std::uint32_t helpId = 0, exStyle = 0, style = 0, id = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint16_t classMarker = 0, classAtom = 0;
    bool byOrdinal = false;
    std::uint16_t ordinal = 0;
    std::u16string text;
    std::uint16_t extraCount = 0;
};

struct ParsedTemplate {
    std::uint16_t version = 0, signature = 0;
    std::uint32_t helpId = 0, exStyle = 0, style = 0;
    std::uint16_t count = 0;
    std::int16_t x = 0, y = 0, cx = 0, cy = 0;
    std::uint16_t menu = 0, windowClass = 0;
    std::u16string title;
    std::uint16_t pointSize = 0, weight = 0;
    std::uint8_t italic = 0, charset = 0;
    std::u16string typeface;
    std::size_t headerEnd = 0;
    std::vector<ParsedItem> items;
    std::size_t end = 0;
    bool overrun = false;
};

class Reader {
public:
    Reader(const std::vector<std::uint8_t>& bytes, bool* overrun) : m_bytes(bytes), m_overrun(overrun) {}
    std::uint8_t Byte() {
        if (m_pos >= m_bytes.size()) {
            *m_overrun = true;
            return 0;
        }
        return m_bytes[m_pos++];
    }
    std::uint16_t Word() {
        const std::uint16_t lo = Byte();
        return static_cast<std::uint16_t>(lo | Byte() << 8);
    }
    std::uint32_t Dword() {
        const std::uint32_t lo = Word();
        return lo | static_cast<std::uint32_t>(Word()) << 16;
    }
    std::u16string String() {
        std::u16string s;
        for (std::uint16_t c = Word(); c != 0 && !*m_overrun; c = Word()) s.push_back(static_cast<char16_t>(c));
        return s;
    }
    void Align4() { m_pos = (m_pos + 3) & ~std::size_t(3); }
    std::size_t Pos() const { return m_pos; }

private:
    const std::vector<std::uint8_t>& m_bytes;
    bool* m_overrun;
    std::size_t m_pos = 0;
};

ParsedTemplate Parse(const std::vector<std::uint8_t>& bytes) {
    ParsedTemplate t;
    Reader r(bytes, &t.overrun);
    t.version = r.Word();
    t.signature = r.Word();
    t.helpId = r.Dword();
    t.exStyle = r.Dword();
    t.style = r.Dword();
    t.count = r.Word();
    t.x = static_cast<std::int16_t>(r.Word());
    t.y = static_cast<std::int16_t>(r.Word());
    t.cx = static_cast<std::int16_t>(r.Word());
    t.cy = static_cast<std::int16_t>(r.Word());
    t.menu = r.Word();
    t.windowClass = r.Word();
    t.title = r.String();
    t.pointSize = r.Word();
    t.weight = r.Word();
    t.italic = r.Byte();
    t.charset = r.Byte();
    t.typeface = r.String();
    t.headerEnd = r.Pos();
    for (int i = 0; i < t.count && !t.overrun; ++i) {
        r.Align4();
        ParsedItem item;
        item.offset = r.Pos();
        item.helpId = r.Dword();
        item.exStyle = r.Dword();
        item.style = r.Dword();
        item.x = static_cast<std::int16_t>(r.Word());
        item.y = static_cast<std::int16_t>(r.Word());
        item.cx = static_cast<std::int16_t>(r.Word());
        item.cy = static_cast<std::int16_t>(r.Word());
        item.id = r.Dword();
        item.classMarker = r.Word();
        item.classAtom = r.Word();
        const std::uint16_t first = r.Word();
        if (first == 0xFFFF) {
            item.byOrdinal = true;
            item.ordinal = r.Word();
        } else if (first != 0) {
            item.text.push_back(static_cast<char16_t>(first));
            item.text += r.String();
        }
        item.extraCount = r.Word();
        t.items.push_back(item);
    }
    t.end = r.Pos();
    return t;
}

SkinMsgBoxRequest Request(std::uint32_t style) {
    SkinMsgBoxRequest request;
    request.style = style;
    return request;
}

SkinMsgBoxRequest CustomRequest(std::int32_t count) {
    SkinMsgBoxRequest request;
    request.style = SKINMB_CUSTOM;
    request.hasParams = true;
    request.customButtonCount = count;
    request.customCaptions[0] = u"One";
    request.customCaptions[1] = u"Two";
    request.customCaptions[2] = u"Three";
    return request;
}

std::vector<const SkinMsgBoxItem*> Buttons(const SkinMsgBoxItems& built) {
    std::vector<const SkinMsgBoxItem*> buttons;
    for (const SkinMsgBoxItem& item : built.items)
        if (item.classAtom == kSkinClassButton) buttons.push_back(&item);
    return buttons;
}

TEST(MessageBoxTemplate, OkBoxIsOneDefaultOkButtonIn106By68) {
    const SkinMsgBoxItems built = BuildMessageBoxItems(Request(0), g_defaultCaptions);
    EXPECT_EQ(built.width, 106);
    EXPECT_EQ(built.height, 68);
    ASSERT_EQ(built.items.size(), 2u);
    const SkinMsgBoxItem& ok = built.items[0];
    EXPECT_EQ(ok.classAtom, kSkinClassButton);
    EXPECT_EQ(ok.id, 1u);
    EXPECT_EQ(ok.caption, u"&Ok");
    EXPECT_EQ(ok.style, 0x50014001u) << "BS_DEFPUSHBUTTON on the only button";
    EXPECT_EQ(ok.x, 20);
    EXPECT_EQ(ok.y, 42);
    EXPECT_EQ(ok.cx, 66);
    EXPECT_EQ(ok.cy, 12);
    const SkinMsgBoxItem& text = built.items[1];
    EXPECT_EQ(text.classAtom, kSkinClassStatic);
    EXPECT_EQ(text.id, IDC_MSGBOX_TEXT);
    EXPECT_EQ(text.style, 0x5000008Cu);
    EXPECT_EQ(text.x, 20);
    EXPECT_EQ(text.y, 28);
    EXPECT_EQ(text.cx, 66) << "template width minus 40";
    EXPECT_EQ(text.cy, 0);
    EXPECT_TRUE(text.caption.empty());
}

TEST(MessageBoxTemplate, ButtonSetsDefaultsAndPositions) {
    const struct {
        std::uint32_t style;
        std::vector<std::uint32_t> ids;
        std::vector<std::u16string> captions;
        int defaultIndex;
        std::int16_t width;
    } cases[] = {
        {0x000, {1}, {u"&Ok"}, 0, 106},
        {0x010, {1}, {u"&Ok"}, 0, 106},  // an icon bit changes nothing
        {0x001, {1, 2}, {u"&Ok", u"&Cancel"}, 0, 182},
        {0x101, {1, 2}, {u"&Ok", u"&Cancel"}, 1, 182},
        {0x201, {1, 2}, {u"&Ok", u"&Cancel"}, 0, 182},  // only two buttons
        {0x002, {3, 4, 5}, {u"&Abort", u"&Retry", u"&Ignore"}, 0, 258},
        {0x202, {3, 4, 5}, {u"&Abort", u"&Retry", u"&Ignore"}, 2, 258},
        {0x003, {6, 7, 2}, {u"&Yes", u"&No", u"&Cancel"}, 0, 258},
        {0x004, {6, 7}, {u"&Yes", u"&No"}, 0, 182},
        {0x104, {6, 7}, {u"&Yes", u"&No"}, 1, 182},
        {0x005, {4, 2}, {u"&Retry", u"&Cancel"}, 0, 182},
        {0x300, {1}, {u"&Ok"}, 0, 106},        // MB_DEFBUTTON4 is not a choice here
        {0x00041010u, {1}, {u"&Ok"}, 0, 106},  // modality, icon and foreground bits
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        const SkinMsgBoxItems built = BuildMessageBoxItems(Request(c.style), g_defaultCaptions);
        const auto buttons = Buttons(built);
        ASSERT_EQ(buttons.size(), c.ids.size());
        EXPECT_EQ(built.buttonCount, static_cast<int>(c.ids.size()));
        EXPECT_EQ(built.defaultIndex, c.defaultIndex);
        EXPECT_EQ(built.width, c.width);
        EXPECT_EQ(built.height, 68);
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            SCOPED_TRACE(testing::Message() << "button " << i);
            EXPECT_EQ(buttons[i]->id, c.ids[i]);
            EXPECT_EQ(buttons[i]->caption, c.captions[i]);
            EXPECT_EQ(buttons[i]->x, 20 + 76 * static_cast<int>(i));
            EXPECT_EQ(buttons[i]->y, 42);
            const bool isDefault = static_cast<int>(i) == c.defaultIndex;
            EXPECT_EQ(buttons[i]->style, isDefault ? 0x50014001u : 0x50014000u);
        }
        EXPECT_EQ(built.width - (buttons.back()->x + buttons.back()->cx), 20) << "as much room right as left";
    }
}


TEST(MessageBoxTemplate, StylesWithoutButtonsAreServedAsTheOkBox) {
    const SkinMsgBoxItems ok = BuildMessageBoxItems(Request(0), g_defaultCaptions);
    for (std::uint32_t style = 6; style <= 15; ++style) {
        SCOPED_TRACE(testing::Message() << "style " << style << " without params");
        const SkinMsgBoxItems built = BuildMessageBoxItems(Request(style), g_defaultCaptions);
        ASSERT_EQ(built.items.size(), ok.items.size());
        const auto buttons = Buttons(built);
        ASSERT_EQ(buttons.size(), 1u);
        EXPECT_EQ(buttons[0]->id, 1u);
        EXPECT_EQ(buttons[0]->caption, u"&Ok");
        EXPECT_EQ(built.width, 106);
        EXPECT_EQ(built.height, 68);
    }
    // With params too, sets 6 to 14 still get their OK button.
    SkinMsgBoxRequest request = CustomRequest(2);
    request.style = 9;
    EXPECT_EQ(Buttons(BuildMessageBoxItems(request, g_defaultCaptions)).size(), 1u);
}

TEST(MessageBoxTemplate, CustomButtonCountIsClampedToOneToThree) {
    const struct {
        std::int32_t count;
        std::vector<std::uint32_t> ids;
        std::vector<std::u16string> captions;
        std::int16_t width;
    } cases[] = {
        {-3, {1}, {u"One"}, 106},
        {0, {1}, {u"One"}, 106},
        {1, {1}, {u"One"}, 106},
        {2, {1, 2}, {u"One", u"Two"}, 182},
        {3, {1, 2, 3}, {u"One", u"Two", u"Three"}, 258},
        {5, {1, 2, 3}, {u"One", u"Two", u"Three"}, 258},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "customButtonCount " << c.count);
        const SkinMsgBoxItems built = BuildMessageBoxItems(CustomRequest(c.count), g_defaultCaptions);
        const auto buttons = Buttons(built);
        ASSERT_EQ(buttons.size(), c.ids.size());
        for (std::size_t i = 0; i < buttons.size(); ++i) {
            EXPECT_EQ(buttons[i]->id, c.ids[i]);
            EXPECT_EQ(buttons[i]->caption, c.captions[i]);
        }
        EXPECT_EQ(built.width, c.width);
    }
}

TEST(MessageBoxTemplate, BitmapStaticOnlyForANullCaptionWithABitmap) {
    SkinMsgBoxCaptions captions = g_defaultCaptions;
    captions.bitmapId = 130;
    const struct {
        bool captionIsNull;
        std::int32_t bitmapId;
        bool expectBitmap;
    } cases[] = {{true, 130, true}, {true, 0, false}, {false, 130, false}, {false, 0, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "null caption " << c.captionIsNull << ", bitmap " << c.bitmapId);
        captions.bitmapId = c.bitmapId;
        SkinMsgBoxRequest request = Request(0);
        request.captionIsNull = c.captionIsNull;
        const SkinMsgBoxItems built = BuildMessageBoxItems(request, captions);
        ASSERT_EQ(built.items.size(), c.expectBitmap ? 3u : 2u);
        if (!c.expectBitmap) continue;
        const SkinMsgBoxItem& bitmap = built.items[0];
        EXPECT_EQ(bitmap.classAtom, kSkinClassStatic);
        EXPECT_EQ(bitmap.style, 0x5000000Eu);
        EXPECT_EQ(bitmap.id, 0xFFFFFFFFu);
        EXPECT_EQ(bitmap.x, 1);
        EXPECT_EQ(bitmap.y, 1);
        EXPECT_EQ(bitmap.cx, 0);
        EXPECT_EQ(bitmap.cy, 0);
        EXPECT_EQ(bitmap.ordinal, 130);

        // In the bytes the bitmap's text is the ordinal, and the title is the zero alone.
        const ParsedTemplate t = Parse(BuildMessageBoxTemplate(u"", built.width, built.height, built.items));
        ASSERT_FALSE(t.overrun);
        EXPECT_TRUE(t.title.empty());
        ASSERT_EQ(t.items.size(), 3u);
        EXPECT_TRUE(t.items[0].byOrdinal);
        EXPECT_EQ(t.items[0].ordinal, 130);
    }
}

TEST(MessageBoxTemplate, HeadingStaticComesBeforeTheTextWhenParamsHaveOne) {
    const struct {
        bool hasParams;
        bool hasHeading;
        bool expectHeading;
    } cases[] = {{true, true, true}, {true, false, false}, {false, true, false}, {false, false, false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "params " << c.hasParams << ", heading " << c.hasHeading);
        SkinMsgBoxRequest request = Request(1);
        request.hasParams = c.hasParams;
        request.hasHeading = c.hasHeading;
        const SkinMsgBoxItems built = BuildMessageBoxItems(request, g_defaultCaptions);
        ASSERT_EQ(built.items.size(), c.expectHeading ? 4u : 3u);
        EXPECT_EQ(built.items.back().id, IDC_MSGBOX_TEXT);
        if (!c.expectHeading) continue;
        const SkinMsgBoxItem& heading = built.items[2];
        EXPECT_EQ(heading.id, IDC_MSGBOX_HEADING);
        EXPECT_EQ(heading.style, 0x5000008Cu);
        EXPECT_EQ(heading.x, 20);
        EXPECT_EQ(heading.y, 28);
        EXPECT_EQ(heading.cx, built.width - 40);
        EXPECT_EQ(heading.cy, 0);
    }
}

TEST(MessageBoxTemplate, CaptionsComeFromTheCallsCaptionSet) {
    SkinMsgBoxCaptions captions = g_defaultCaptions;
    captions.captionYes = u"&Ja";
    captions.captionNo = u"&Nein";
    const SkinMsgBoxItems built = BuildMessageBoxItems(Request(4), captions);
    const auto buttons = Buttons(built);
    ASSERT_EQ(buttons.size(), 2u);
    EXPECT_EQ(buttons[0]->caption, u"&Ja");
    EXPECT_EQ(buttons[1]->caption, u"&Nein");
}

TEST(MessageBoxTemplate, CaptionSetIsLookedUpByModuleElseTheDefaults) {
    SkinMsgBoxCaptions own = g_defaultCaptions;
    own.captionOk = u"&Fine";
    own.colTitle = SkinRgb(0, 0, 255);
    g_captionsByModule[0x400000] = own;
    const SkinMsgBoxCaptions found = CaptionsForModule(0x400000);
    const SkinMsgBoxCaptions other = CaptionsForModule(0x10000000);
    g_captionsByModule.clear();
    EXPECT_EQ(found.captionOk, u"&Fine");
    EXPECT_EQ(found.colTitle, SkinRgb(0, 0, 255));
    EXPECT_EQ(other.captionOk, u"&Ok");
    EXPECT_EQ(other.colTitle, SkinRgb(255, 0, 0));
    EXPECT_EQ(other.colBackground, SkinRgb(255, 255, 255));
    EXPECT_EQ(other.colTitleText, SkinRgb(255, 255, 255));
    EXPECT_EQ(other.bitmapId, 0);
    EXPECT_EQ(other.buttonIconId, 0);
}

TEST(MessageBoxTemplate, HeaderIs40Plus2TimesCaptionPlus6AndItemsStartOnAMultipleOf4) {
    for (std::size_t n = 0; n <= 9; ++n) {
        SCOPED_TRACE(testing::Message() << "caption of " << n << " characters");
        const std::u16string title(n, u'x');
        const SkinMsgBoxItems built = BuildMessageBoxItems(Request(0), g_defaultCaptions);
        const std::vector<std::uint8_t> bytes = BuildMessageBoxTemplate(title, built.width, built.height, built.items);
        const ParsedTemplate t = Parse(bytes);
        ASSERT_FALSE(t.overrun);
        EXPECT_EQ(t.title, title);
        EXPECT_EQ(t.headerEnd, 40 + 2 * (n + 6));
        ASSERT_EQ(t.items.size(), 2u);
        EXPECT_EQ(t.items[0].offset, (t.headerEnd + 3) / 4 * 4);
        EXPECT_EQ(t.items[1].offset % 4, 0u);
        // Padding bytes are zero.
        for (std::size_t i = t.headerEnd; i < t.items[0].offset; ++i) EXPECT_EQ(bytes[i], 0) << "offset " << i;
    }
}

TEST(MessageBoxTemplate, BufferIsExactlyTheSizeTheLayoutNeeds) {
    std::vector<SkinMsgBoxRequest> requests;
    for (std::uint32_t style : {0u, 1u, 2u, 3u, 0x104u, 5u}) requests.push_back(Request(style));
    for (std::int32_t count : {1, 2, 3}) requests.push_back(CustomRequest(count));
    SkinMsgBoxRequest heading = CustomRequest(2);
    heading.hasHeading = true;
    requests.push_back(heading);
    SkinMsgBoxCaptions captions = g_defaultCaptions;
    captions.bitmapId = 7;
    for (const std::u16string& title : {std::u16string(), std::u16string(u"E"), std::u16string(u"Error!")}) {
        for (const SkinMsgBoxRequest& base : requests) {
            SkinMsgBoxRequest request = base;
            request.captionIsNull = title.empty();
            const SkinMsgBoxItems built = BuildMessageBoxItems(request, captions);
            const std::vector<std::uint8_t> bytes =
                BuildMessageBoxTemplate(title, built.width, built.height, built.items);
            SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << request.style << std::dec << ", "
                                            << built.items.size() << " items, title of " << title.size());
            EXPECT_EQ(bytes.size(), MessageBoxTemplateSize(title, built.items));
            const ParsedTemplate t = Parse(bytes);
            ASSERT_FALSE(t.overrun);
            EXPECT_EQ(t.end, bytes.size()) << "the last item ends the buffer";
            ASSERT_EQ(t.items.size(), built.items.size());
            EXPECT_EQ(t.count, built.items.size());
            for (std::size_t i = 0; i < t.items.size(); ++i) {
                const SkinMsgBoxItem& want = built.items[i];
                const ParsedItem& got = t.items[i];
                SCOPED_TRACE(testing::Message() << "item " << i);
                EXPECT_EQ(got.helpId, 0u);
                EXPECT_EQ(got.exStyle, 0u);
                EXPECT_EQ(got.style, want.style);
                EXPECT_EQ(got.x, want.x);
                EXPECT_EQ(got.y, want.y);
                EXPECT_EQ(got.cx, want.cx);
                EXPECT_EQ(got.cy, want.cy);
                EXPECT_EQ(got.id, want.id);
                EXPECT_EQ(got.classMarker, 0xFFFF);
                EXPECT_EQ(got.classAtom, want.classAtom);
                EXPECT_EQ(got.byOrdinal, want.ordinal != 0);
                if (!got.byOrdinal) {
                    EXPECT_EQ(got.text, want.caption);
                }
                EXPECT_EQ(got.extraCount, 0);
            }
        }
    }
}

TEST(MessageBoxTemplate, OkBoxBytes) {
    const SkinMsgBoxItems built = BuildMessageBoxItems(Request(0), g_defaultCaptions);
    const std::vector<std::uint8_t> bytes = BuildMessageBoxTemplate(u"Ab", built.width, built.height, built.items);
    // clang-format off
    const std::vector<std::uint8_t> expected = {
        // header
        0x01, 0x00, 0xFF, 0xFF,              // version 1, signature
        0x00, 0x00, 0x00, 0x00,              // help identifier
        0x00, 0x00, 0x00, 0x00,              // extended style
        0x40, 0x00, 0x00, 0x90,              // WS_POPUP | WS_VISIBLE | DS_SETFONT
        0x02, 0x00,                          // two items
        0x00, 0x00, 0x00, 0x00,              // x, y
        0x6A, 0x00, 0x44, 0x00,              // 106 x 68
        0x00, 0x00, 0x00, 0x00,              // no menu, predefined class
        'A', 0x00, 'b', 0x00, 0x00, 0x00,    // title
        0x08, 0x00, 0x90, 0x01, 0x00, 0x00,  // 8 points, weight 400, not italic, charset 0
        'T', 0, 'a', 0, 'h', 0, 'o', 0, 'm', 0, 'a', 0, 0, 0,
        // offset 56: the OK button
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x01, 0x40, 0x01, 0x50,              // 0x50014001
        0x14, 0x00, 0x2A, 0x00, 0x42, 0x00, 0x0C, 0x00,  // 20, 42, 66, 12
        0x01, 0x00, 0x00, 0x00,              // IDOK
        0xFF, 0xFF, 0x80, 0x00,              // button class
        '&', 0, 'O', 0, 'k', 0, 0, 0,
        0x00, 0x00,                          // no creation data
        0x00, 0x00,                          // padding to 96
        // offset 96: the text static
        0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
        0x8C, 0x00, 0x00, 0x50,              // 0x5000008C
        0x14, 0x00, 0x1C, 0x00, 0x42, 0x00, 0x00, 0x00,  // 20, 28, 66, 0
        0xFF, 0x00, 0x00, 0x00,              // IDC_MSGBOX_TEXT
        0xFF, 0xFF, 0x82, 0x00,              // static class
        0x00, 0x00,                          // empty text
        0x00, 0x00,                          // no creation data
    };
    // clang-format on
    ASSERT_EQ(bytes.size(), expected.size());
    for (std::size_t i = 0; i < bytes.size(); ++i) EXPECT_EQ(bytes[i], expected[i]) << "offset " << i;
}

TEST(MessageBoxTemplate, TitleKeepsCharactersOutsideAscii) {
    const std::u16string title = u"Fehler \u00FC\u20AC";
    const SkinMsgBoxItems built = BuildMessageBoxItems(Request(0), g_defaultCaptions);
    const ParsedTemplate t = Parse(BuildMessageBoxTemplate(title, built.width, built.height, built.items));
    ASSERT_FALSE(t.overrun);
    EXPECT_EQ(t.title, title);
    EXPECT_EQ(t.typeface, u"Tahoma");
    EXPECT_EQ(t.pointSize, 8);
    EXPECT_EQ(t.weight, 400);
}

}  // namespace
