// The label's style analysis, text flags and colour choice.
#include "skin/controls/LabelStyle.h"

#include <gtest/gtest.h>

namespace {

TEST(LabelStyle, DrawsItselfOnlyForTextStyles) {
    for (std::uint32_t low = 0; low < 32; ++low) {
        const bool drawsText = low == 0 || low == 1 || low == 2 || low == 8 || low == 10;
        for (std::uint32_t high : {0x0u, 0x200u, 0x50020000u, 0x180u}) {
            EXPECT_EQ(LabelPaintsNatively(high | low), !drawsText) << "style 0x" << std::hex << (high | low);
        }
    }
    EXPECT_TRUE(LabelPaintsNatively(kSkinSsIcon));
    EXPECT_TRUE(LabelPaintsNatively(kSkinSsBlackRect));
    EXPECT_TRUE(LabelPaintsNatively(kSkinSsWhiteFrame));
    EXPECT_TRUE(LabelPaintsNatively(kSkinSsBitmap));
    EXPECT_FALSE(LabelPaintsNatively(kSkinSsGrayFrame));
    EXPECT_FALSE(LabelPaintsNatively(kSkinSsUserItem));
}

TEST(LabelStyle, AlignmentAndFlags) {
    const struct {
        std::uint32_t style;
        std::uint32_t align;
        std::uint32_t format;
    } cases[] = {
        // The status line: WS_CHILD | WS_VISIBLE | WS_GROUP | SS_CENTER | SS_CENTERIMAGE.
        {0x50020201, kSkinDtCenter | kSkinDtVCenter, kSkinDtCenter | kSkinDtVCenter | kSkinDtSingleLine},
        {0x00000000, kSkinDtLeft, kSkinDtLeft | kSkinDtWordBreak},  // top-left, word wrap
        {0x00000002, kSkinDtRight, kSkinDtRight | kSkinDtWordBreak},
        {0x00000202, kSkinDtRight | kSkinDtVCenter, kSkinDtRight | kSkinDtVCenter | kSkinDtSingleLine},
        {0x00000001, kSkinDtCenter, kSkinDtCenter | kSkinDtWordBreak},
        {0x00000200, kSkinDtVCenter, kSkinDtVCenter | kSkinDtSingleLine},
        {0x0000000A, kSkinDtRight, kSkinDtRight | kSkinDtWordBreak},  // SS_USERITEM has the SS_RIGHT bit
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "style 0x" << std::hex << c.style);
        EXPECT_EQ(LabelTextAlign(c.style), c.align);
        EXPECT_EQ(LabelTextFormat(LabelTextAlign(c.style), 0, false), c.format);
    }
    EXPECT_EQ(LabelTextFormat(kSkinDtCenter | kSkinDtVCenter, kSkinDtNoPrefix, false),
              kSkinDtCenter | kSkinDtVCenter | kSkinDtNoPrefix | kSkinDtSingleLine);
    EXPECT_EQ(LabelTextFormat(kSkinDtCenter | kSkinDtVCenter, 0, true), kSkinDtCenter | kSkinDtVCenter)
        << "an auto-sized label adds neither";
}


}  // namespace
