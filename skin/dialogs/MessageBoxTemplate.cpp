#include "skin/dialogs/MessageBoxTemplate.h"

namespace {

const char16_t kTypeface[] = u"Tahoma";
constexpr std::size_t kTypefaceLength = sizeof kTypeface / sizeof kTypeface[0] - 1;

constexpr std::size_t RoundUp4(std::size_t n) { return (n + 3) & ~static_cast<std::size_t>(3); }

// Little-endian writer over a buffer of known size.
class TemplateWriter {
public:
    explicit TemplateWriter(std::vector<std::uint8_t>& bytes) : m_bytes(bytes) {}

    void Word(std::uint16_t value) {
        m_bytes[m_pos++] = static_cast<std::uint8_t>(value);
        m_bytes[m_pos++] = static_cast<std::uint8_t>(value >> 8);
    }
    void Dword(std::uint32_t value) {
        Word(static_cast<std::uint16_t>(value));
        Word(static_cast<std::uint16_t>(value >> 16));
    }
    void Byte(std::uint8_t value) { m_bytes[m_pos++] = value; }
    void String(const char16_t* text, std::size_t length) {
        for (std::size_t i = 0; i < length; ++i) Word(static_cast<std::uint16_t>(text[i]));
        Word(0);
    }
    void AlignDword() {
        while (m_pos % 4) m_bytes[m_pos++] = 0;
    }
    std::size_t Position() const { return m_pos; }

private:
    std::vector<std::uint8_t>& m_bytes;
    std::size_t m_pos = 0;
};

SkinMsgBoxItem TextStatic(std::uint32_t id, std::int16_t width) {
    return SkinMsgBoxItem{kSkinClassStatic,
                          kSkinMsgBoxTextStyle,
                          id,
                          kSkinMsgBoxTextX,
                          kSkinMsgBoxTextY,
                          static_cast<std::int16_t>(width - 40),
                          0,
                          0,
                          std::u16string()};
}

}  // namespace

SkinMsgBoxItems BuildMessageBoxItems(const SkinMsgBoxRequest& request, const SkinMsgBoxCaptions& captions) {
    SkinMsgBoxItems result;

    if (request.captionIsNull && captions.bitmapId != 0) {
        result.items.push_back(SkinMsgBoxItem{kSkinClassStatic, kSkinMsgBoxBitmapStyle, kSkinNoControlId, 1, 1, 0, 0,
                                              static_cast<std::uint16_t>(captions.bitmapId), std::u16string()});
    }

    const std::uint32_t set = MessageBoxButtonSet(request.style, request.hasParams);
    const std::vector<SkinMsgBoxButton> buttons = MessageBoxButtonsOfSet(set, request.customButtonCount);
    const std::vector<SkinMsgBoxButtonDesc> descs =
        MessageBoxButtonDescs(buttons, captions, set == SKINMB_CUSTOM ? request.customCaptions : nullptr);
    const int n = static_cast<int>(descs.size());
    result.buttonCount = n;
    result.defaultIndex = MessageBoxDefaultIndex(request.style, n);

    // Buttons 10 dialog units apart with 20 on either side.
    std::int16_t width = static_cast<std::int16_t>(40 + 10 * (n > 1 ? n - 1 : 0));
    std::int16_t tallest = 0;
    std::int16_t x = 20;
    for (int i = 0; i < n; ++i) {
        const SkinMsgBoxButtonDesc& d = descs[static_cast<std::size_t>(i)];
        width = static_cast<std::int16_t>(width + d.cx);
        if (d.cy > tallest) tallest = d.cy;
        const std::uint32_t style = kSkinMsgBoxButtonStyle | (i == result.defaultIndex ? kSkinBsDefaultPush : 0u);
        result.items.push_back(SkinMsgBoxItem{kSkinClassButton, style, static_cast<std::uint32_t>(d.id), x,
                                              kSkinMsgBoxButtonY, d.cx, d.cy, 0, d.caption});
        x = static_cast<std::int16_t>(x + d.cx + 10);
    }
    result.width = width;
    result.height = static_cast<std::int16_t>(tallest + 56);

    if (request.hasParams && request.hasHeading) result.items.push_back(TextStatic(IDC_MSGBOX_HEADING, width));
    result.items.push_back(TextStatic(IDC_MSGBOX_TEXT, width));
    return result;
}

std::size_t MessageBoxTemplateSize(const std::u16string& title, const std::vector<SkinMsgBoxItem>& items) {
    std::size_t size = 40 + 2 * title.size() + 2 * kTypefaceLength;
    for (const SkinMsgBoxItem& item : items) {
        size = RoundUp4(size) + 30;
        size += item.ordinal ? 4 : 2 * item.caption.size() + 2;
    }
    return size;
}

std::vector<std::uint8_t> BuildMessageBoxTemplate(const std::u16string& title, std::int16_t width, std::int16_t height,
                                                  const std::vector<SkinMsgBoxItem>& items) {
    std::vector<std::uint8_t> bytes(MessageBoxTemplateSize(title, items), 0);
    TemplateWriter out(bytes);

    out.Word(1);       // version
    out.Word(0xFFFF);  // extended template signature
    out.Dword(0);      // help identifier
    out.Dword(0);      // extended style
    out.Dword(kSkinMsgBoxDialogStyle);
    out.Word(static_cast<std::uint16_t>(items.size()));
    out.Word(0);  // x
    out.Word(0);  // y
    out.Word(static_cast<std::uint16_t>(width));
    out.Word(static_cast<std::uint16_t>(height));
    out.Word(0);  // no menu
    out.Word(0);  // predefined dialog class
    out.String(title.data(), title.size());
    out.Word(8);    // point size
    out.Word(400);  // weight
    out.Byte(0);    // italic
    out.Byte(0);    // character set
    out.String(kTypeface, kTypefaceLength);

    for (const SkinMsgBoxItem& item : items) {
        out.AlignDword();
        out.Dword(0);  // help identifier
        out.Dword(0);  // extended style
        out.Dword(item.style);
        out.Word(static_cast<std::uint16_t>(item.x));
        out.Word(static_cast<std::uint16_t>(item.y));
        out.Word(static_cast<std::uint16_t>(item.cx));
        out.Word(static_cast<std::uint16_t>(item.cy));
        out.Dword(item.id);
        out.Word(0xFFFF);
        out.Word(static_cast<std::uint16_t>(item.classAtom));
        if (item.ordinal) {
            out.Word(0xFFFF);
            out.Word(item.ordinal);
        } else {
            out.String(item.caption.data(), item.caption.size());
        }
        out.Word(0);  // no creation data
    }
    return bytes;
}
