// The built-in hand cursor's AND and XOR planes: bit order, the fingertip at
// the hotspot, and a white fill closed in by a black outline.
#include "skin/controls/HandCursor.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

enum Pixel { Transparent, Black, White, Inverted };

Pixel At(int x, int y) {
    const int byte = y * 4 + x / 8;
    const int bit = 7 - x % 8;  // most significant bit is the leftmost pixel
    const bool andBit = (kHandCursorAndPlane[byte] >> bit) & 1;
    const bool xorBit = (kHandCursorXorPlane[byte] >> bit) & 1;
    if (andBit) return xorBit ? Inverted : Transparent;
    return xorBit ? White : Black;
}

std::string Row(int y) {
    std::string s;
    for (int x = 0; x < kHandCursorWidth; ++x) s += ".#o!"[At(x, y)];
    return s;
}

TEST(HandCursor, SizeAndHotspot) {
    EXPECT_EQ(kHandCursorPlaneBytes, 128);
    EXPECT_EQ(kHandCursorHotspotX, 6);
    EXPECT_EQ(kHandCursorHotspotY, 0);
    EXPECT_EQ(At(kHandCursorHotspotX, kHandCursorHotspotY), Black) << "the fingertip is the hotspot";
}

TEST(HandCursor, ChosenRows) {
    const struct {
        int y;
        const char* pixels;  // . transparent, # black, o white
    } cases[] = {
        {0, "......##........................"},  {1, ".....#oo#......................."},
        {6, ".....#oo#oo###.................."},  {10, ".#oo##oooooooo#oo#.............."},
        {21, "......##########................"}, {22, "................................"},
        {31, "................................"},
    };
    for (const auto& c : cases) EXPECT_EQ(Row(c.y), c.pixels) << "row " << c.y;
}

TEST(HandCursor, NoInvertedPixelsAndEmptyBottomRows) {
    for (int y = 0; y < kHandCursorHeight; ++y)
        for (int x = 0; x < kHandCursorWidth; ++x) {
            EXPECT_NE(At(x, y), Inverted) << x << ", " << y;
            if (y >= 22) {
                EXPECT_EQ(At(x, y), Transparent) << x << ", " << y;
            }
        }
}

TEST(HandCursor, WhiteFillIsClosedInByTheOutline) {
    // Flood the transparent area from the edges; it must never reach white.
    std::vector<int> seen(static_cast<std::size_t>(kHandCursorWidth) * kHandCursorHeight, 0);
    std::vector<std::pair<int, int>> stack;
    for (int i = 0; i < kHandCursorWidth; ++i) {
        stack.push_back({i, 0});
        stack.push_back({i, kHandCursorHeight - 1});
        stack.push_back({0, i});
        stack.push_back({kHandCursorWidth - 1, i});
    }
    int whiteReached = 0, whiteCount = 0;
    while (!stack.empty()) {
        const auto [x, y] = stack.back();
        stack.pop_back();
        if (x < 0 || y < 0 || x >= kHandCursorWidth || y >= kHandCursorHeight) continue;
        int& s = seen[static_cast<std::size_t>(y) * kHandCursorWidth + static_cast<std::size_t>(x)];
        if (s) continue;
        s = 1;
        const Pixel p = At(x, y);
        if (p == White) ++whiteReached;
        if (p != Transparent) continue;
        stack.push_back({x + 1, y});
        stack.push_back({x - 1, y});
        stack.push_back({x, y + 1});
        stack.push_back({x, y - 1});
    }
    for (int y = 0; y < kHandCursorHeight; ++y)
        for (int x = 0; x < kHandCursorWidth; ++x) whiteCount += At(x, y) == White;
    EXPECT_EQ(whiteReached, 0);
    EXPECT_GT(whiteCount, 100) << "a filled hand";
}

}  // namespace
