#include "skin/controls/GrayIcon.h"

std::uint8_t GrayLevel(SkinColorRef colour) {
    // Every step is rounded to a double, as on a processor that computes in
    // double precision. Without the stores an x87 keeps 64-bit intermediates,
    // and white would sum to just below 255 and truncate to 254.
    volatile double green = 0.587 * SkinGreen(colour);
    volatile double blue = 0.114 * SkinBlue(colour);
    volatile double red = 0.299 * SkinRed(colour);
    volatile double sum = green + blue;
    sum = sum + red;
    return static_cast<std::uint8_t>(static_cast<int>(sum));
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

SkinSize GrayBitmapSize(std::int32_t hotspotX, std::int32_t hotspotY) { return SkinSize{2 * hotspotX, 2 * hotspotY}; }
