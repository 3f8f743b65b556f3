#include "skin/controls/GrayIcon.h"

std::uint8_t GrayLevel(SkinColorRef colour) {
    const double gray = 0.587 * SkinGreen(colour) + 0.114 * SkinBlue(colour) + 0.299 * SkinRed(colour);
    return static_cast<std::uint8_t>(static_cast<int>(gray));
}

bool GrayPixel(SkinColorRef colour, SkinColorRef* gray) {
    if (colour == 0) return false;
    const int level = GrayLevel(colour);
    *gray = SkinRgb(level, level, level);
    return true;
}

void GrayPixels(const SkinColorRef* src, SkinColorRef* dst, std::size_t count) {
    for (std::size_t i = 0; i < count; ++i) {
        SkinColorRef gray;
        if (GrayPixel(src[i], &gray)) dst[i] = gray;
    }
}

SkinSize GrayBitmapSize(std::int32_t hotspotX, std::int32_t hotspotY) {
    return SkinSize{2 * hotspotX, 2 * hotspotY};
}
