// Geometry of the skinned dialog base: the title font descriptor and its pixel
// sizes, the title bar and its bevel lines, the title text rectangle, the
// background image placement, the rounded-corner region, and the choice of
// colours for a child control's colour request.
#pragma once

#include "skin/controls/SkinMulDiv.h"
#include "skin/controls/SkinTypes.h"

#include <cstdint>
#include <vector>

enum SkinTitleMode : std::int32_t { TitleNone = 0, TitleFlat = 1, TitleBevel = 2, TitleTextOnly = 3 };

// DT_NOPREFIX | DT_SINGLELINE | DT_VCENTER.
constexpr std::uint32_t kSkinTitleFormat = 0x824;

struct SkinTitleFont {
    char faceName[32];
    std::int32_t pointSize;
    std::int32_t bold;
    std::int32_t italic;     // only the low byte is used
    std::int32_t underline;  // only the low byte is used
    std::int32_t heightDlu;  // 0: the height comes from the text
    std::int32_t extraHeightDlu;
    std::int32_t marginDlu;
    std::uint32_t format;
};

// "Arial", 8 points, bold, extra height 3, margin 3, format 0x824.
SkinTitleFont StandardTitleFont();


// Font height for CreateFontA: -MulDiv(pointSize, LOGPIXELSY, 72).
std::int32_t TitleFontHeight(std::int32_t pointSize, std::int32_t logPixelsY);
constexpr std::int32_t TitleFontWeight(std::int32_t bold) { return bold ? 700 : 400; }
constexpr std::uint8_t TitleFontFlagByte(std::int32_t flag) { return static_cast<std::uint8_t>(flag & 0xFF); }

// MapDialogRect: x edges * baseX / 4, y edges * baseY / 8, each rounded.
SkinRect DialogUnitsToPixels(SkinRect dlu, std::int32_t baseUnitX, std::int32_t baseUnitY);

// The caption height once the text height and the two dialog-unit heights are
// in pixels: the fixed height when the descriptor has one, else the text
// height plus the extra height.
std::int32_t TitleCaptionHeight(const SkinTitleFont& font, std::int32_t textHeightPx, std::int32_t extraHeightPx,
                                std::int32_t fixedHeightPx);

// The title bar T: the client rectangle less one pixel on the left, top and
// right, captionHeight pixels high: (1, 1, W - 1, 1 + captionHeight). The same
// strip is invalidated when the title font changes.
SkinRect TitleBarRect(std::int32_t clientWidth, std::int32_t captionHeight);

// The eight one-pixel lines of the bevel over T, in drawing order, as
// rectangles to fill with bevel colours 0 to 7.
void TitleBevelLines(SkinRect t, SkinRect lines[8]);

// The rectangle the title text is drawn into: T with half the corner radius
// off the left, then the margin off the right for DT_RIGHT, none for
// DT_CENTER, else off the left.
SkinRect TitleTextRect(SkinRect t, std::uint32_t format, std::int32_t margin, std::int32_t cornerRadius);

// Background image placements.
enum SkinImagePlacement : std::int32_t { ImageTile = 0, ImageStretch = 1, ImageCentre = 2, ImageTopLeft = 3 };

// First row of the background image: below the title bar in title modes 1 and
// 2, else 0.
std::int32_t BackgroundImageTop(std::int32_t titleMode, std::int32_t captionHeight);

struct SkinImageDraw {
    SkinRect dest;   // where the image goes
    bool stretched;  // drawn stretched to dest's size, else at natural size
};
// The draws of one background image paint over a W x H client area. A centred
// image comes after the default erase; an image without width or height
// produces no tiles.
std::vector<SkinImageDraw> BackgroundImageDraws(std::int32_t placement, std::int32_t clientWidth,
                                                std::int32_t clientHeight, std::int32_t top, std::int32_t imageWidth,
                                                std::int32_t imageHeight);

// The rounded window region: a round rectangle from (0, 0) to (w + 1, h + 1)
// with ellipse width and height cornerRadius + 1.
struct SkinRoundRegion {
    SkinRect rect;
    std::int32_t ellipse;
};
SkinRoundRegion RoundRegionOf(std::int32_t windowWidth, std::int32_t windowHeight, std::int32_t cornerRadius);

// Colour request kinds (CTLCOLOR_...).
constexpr std::uint32_t kSkinCtlColorEdit = 1;
constexpr std::uint32_t kSkinCtlColorStatic = 6;

enum class SkinCtlColor {
    Default,            // default handling of the framework
    DialogColors,       // text m_colText, background colour, m_bgBrush
    GrayText,           // text COLOR_GRAYTEXT, background colour, m_bgBrush
    TrackbarBrush,      // text m_colText, background unchanged, m_bgBrush
    StaticTransparent,  // text m_colText, transparent background, m_nullBrush
    StaticOpaque,       // text m_colText, background colour, m_nullBrush
};
// className is the control's window class (may be null); matched without
// regard to case.
SkinCtlColor ChooseCtlColor(std::uint32_t kind, const char* className, bool colorEdits, bool transparent,
                            bool useImage);

// The click position posted with WM_NCLBUTTONDOWN / HTCAPTION to start a drag:
// x in the low word, y in the high word.
constexpr std::uint32_t SkinDragPosition(std::int32_t x, std::int32_t y) {
    return (static_cast<std::uint32_t>(x) & 0xFFFF) | (static_cast<std::uint32_t>(y) & 0xFFFF) << 16;
}
