#include "skin/dialogs/SkinDialogLayout.h"

#include <cstring>

SkinTitleFont StandardTitleFont() {
    SkinTitleFont font{};
    std::strcpy(font.faceName, "Arial");
    font.pointSize = 8;
    font.bold = 1;
    font.italic = 0;
    font.underline = 0;
    font.heightDlu = 0;
    font.extraHeightDlu = 3;
    font.marginDlu = 3;
    font.format = kSkinTitleFormat;
    return font;
}

std::int32_t TitleFontHeight(std::int32_t pointSize, std::int32_t logPixelsY) {
    return -SkinMulDiv(pointSize, logPixelsY, 72);
}

SkinRect DialogUnitsToPixels(SkinRect dlu, std::int32_t baseUnitX, std::int32_t baseUnitY) {
    return SkinRect{SkinMulDiv(dlu.left, baseUnitX, 4), SkinMulDiv(dlu.top, baseUnitY, 8),
                    SkinMulDiv(dlu.right, baseUnitX, 4), SkinMulDiv(dlu.bottom, baseUnitY, 8)};
}

std::int32_t TitleCaptionHeight(const SkinTitleFont& font, std::int32_t textHeightPx, std::int32_t extraHeightPx,
                                std::int32_t fixedHeightPx) {
    return font.heightDlu == 0 ? textHeightPx + extraHeightPx : fixedHeightPx;
}

SkinRect TitleBarRect(std::int32_t clientWidth, std::int32_t captionHeight) {
    return SkinRect{1, 1, clientWidth - 1, 1 + captionHeight};
}

void TitleBevelLines(SkinRect t, SkinRect lines[8]) {
    const std::int32_t sideTop = t.top + 2;
    const std::int32_t sideBottom = sideTop + (t.bottom - t.top - 4);
    lines[0] = SkinRect{t.left, t.top, t.right, t.top + 1};
    lines[1] = SkinRect{t.left, t.top + 1, t.right, t.top + 2};
    lines[2] = SkinRect{t.left, sideTop, t.left + 1, sideBottom};
    lines[3] = SkinRect{t.left + 1, sideTop, t.left + 2, sideBottom};
    lines[4] = SkinRect{t.left, t.bottom - 2, t.right, t.bottom - 1};
    lines[5] = SkinRect{t.left, t.bottom - 1, t.right, t.bottom};
    lines[6] = SkinRect{t.right - 2, sideTop, t.right - 1, sideBottom};
    lines[7] = SkinRect{t.right - 1, sideTop, t.right, sideBottom};
}

SkinRect TitleTextRect(SkinRect t, std::uint32_t format, std::int32_t margin, std::int32_t cornerRadius) {
    SkinRect r = t;
    if (cornerRadius != 0) r.left += cornerRadius / 2;
    if (format & kSkinDtRight)
        r.right -= margin;
    else if (!(format & kSkinDtCenter))
        r.left += margin;
    return r;
}

std::int32_t BackgroundImageTop(std::int32_t titleMode, std::int32_t captionHeight) {
    return titleMode == TitleFlat || titleMode == TitleBevel ? captionHeight : 0;
}

std::vector<SkinImageDraw> BackgroundImageDraws(std::int32_t placement, std::int32_t clientWidth,
                                                std::int32_t clientHeight, std::int32_t top, std::int32_t imageWidth,
                                                std::int32_t imageHeight) {
    std::vector<SkinImageDraw> draws;
    switch (placement) {
    case ImageStretch: draws.push_back({SkinRect{0, top, clientWidth, top + clientHeight}, true}); break;
    case ImageCentre: {
        const std::int32_t x = (clientWidth - imageWidth) / 2;
        const std::int32_t y = (clientHeight - imageHeight) / 2;
        draws.push_back({SkinRect{x, y, x + imageWidth, y + imageHeight}, false});
        break;
    }
    case ImageTopLeft: draws.push_back({SkinRect{0, top, imageWidth, top + imageHeight}, true}); break;
    default:
        // Tiling steps by the image size; an empty image would never advance.
        if (imageWidth <= 0 || imageHeight <= 0) break;
        for (std::int32_t y = top; y < clientHeight; y += imageHeight)
            for (std::int32_t x = 0; x < clientWidth; x += imageWidth)
                draws.push_back({SkinRect{x, y, x + imageWidth, y + imageHeight}, false});
        break;
    }
    return draws;
}

SkinRoundRegion RoundRegionOf(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t cornerRadius) {
    return SkinRoundRegion{SkinRect{0, 0, windowWidth + 1, windowHeight + 1}, cornerRadius + 1};
}

namespace {

bool SameClassName(const char* a, const char* b) {
    if (!a) return false;
    for (; *a && *b; ++a, ++b) {
        char ca = *a, cb = *b;
        if (ca >= 'A' && ca <= 'Z') ca = static_cast<char>(ca - 'A' + 'a');
        if (cb >= 'A' && cb <= 'Z') cb = static_cast<char>(cb - 'A' + 'a');
        if (ca != cb) return false;
    }
    return *a == *b;
}

}  // namespace

SkinCtlColor ChooseCtlColor(std::uint32_t kind, const char* className, bool colorEdits, bool transparent,
                            bool useImage) {
    if (kind == kSkinCtlColorEdit) return colorEdits ? SkinCtlColor::DialogColors : SkinCtlColor::Default;
    if (kind != kSkinCtlColorStatic) return SkinCtlColor::Default;
    if (SameClassName(className, "Edit")) return SkinCtlColor::GrayText;
    if (SameClassName(className, "msctls_trackbar32")) return SkinCtlColor::TrackbarBrush;
    return transparent || useImage ? SkinCtlColor::StaticTransparent : SkinCtlColor::StaticOpaque;
}
