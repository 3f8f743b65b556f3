// How the box's buttons, Escape and focus changes end it or move its default.
#include "skin/dialogs/MessageBoxCommands.h"

#include <gtest/gtest.h>

namespace {

SkinMsgBoxRequest Custom(std::int32_t count) {
    SkinMsgBoxRequest request;
    request.style = SKINMB_CUSTOM;
    request.hasParams = true;
    request.customButtonCount = count;
    return request;
}

SkinMsgBoxRequest Style(std::uint32_t style) {
    SkinMsgBoxRequest request;
    request.style = style;
    return request;
}

TEST(MessageBoxCommands, EscapeEndsOnlyBoxesWithAButton2) {
    const struct {
        const char* label;
        SkinMsgBoxRequest request;
        std::vector<std::uint32_t> ids;
        bool escapeEnds;
    } cases[] = {
        {"OK", Style(0), {1}, false},
        {"OK/Cancel", Style(1), {1, 2}, true},
        {"Abort/Retry/Ignore", Style(2), {3, 4, 5}, false},
        {"Yes/No/Cancel", Style(3), {6, 7, 2}, true},
        {"Yes/No", Style(4), {6, 7}, false},
        {"one custom", Custom(1), {1}, false},
        {"two custom", Custom(2), {1, 2}, true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.label);
        SkinMsgBoxCaptions captions = g_defaultCaptions;
        captions.bitmapId = 9;  // a bitmap static is no button
        SkinMsgBoxRequest request = c.request;
        request.captionIsNull = true;
        const SkinMsgBoxButtonIds ids = MessageBoxButtonIds(BuildMessageBoxItems(request, captions).items);
        EXPECT_EQ(ids.ids, c.ids);
        EXPECT_EQ(ids.hasCancel, c.escapeEnds);
        EXPECT_EQ(MessageBoxCommand(2, kSkinBnClicked, ids.hasCancel),
                  c.escapeEnds ? SkinMsgBoxCommand::End : SkinMsgBoxCommand::None);
    }
}

TEST(MessageBoxCommands, ClicksEndFocusMovesTheDefault) {
    for (std::uint32_t id = 1; id <= 7; ++id) {
        SCOPED_TRACE(testing::Message() << "control " << id);
        EXPECT_EQ(MessageBoxCommand(id, kSkinBnSetFocus, false), SkinMsgBoxCommand::SetDefault);
        EXPECT_EQ(MessageBoxCommand(id, 5 /* BN_DOUBLECLICKED */, true), SkinMsgBoxCommand::None);
        EXPECT_EQ(MessageBoxCommand(id, 7 /* BN_KILLFOCUS */, true), SkinMsgBoxCommand::None);
        if (id != 2) {
            EXPECT_EQ(MessageBoxCommand(id, kSkinBnClicked, false), SkinMsgBoxCommand::End);
        }
    }
    for (std::uint32_t id : {0u, 8u, IDC_MSGBOX_TEXT, IDC_MSGBOX_HEADING, 0xFFFFu}) {
        EXPECT_EQ(MessageBoxCommand(id, kSkinBnClicked, true), SkinMsgBoxCommand::None) << "control " << id;
        EXPECT_EQ(MessageBoxCommand(id, kSkinBnSetFocus, true), SkinMsgBoxCommand::None) << "control " << id;
    }
}

TEST(MessageBoxCommands, TimerNeedsPeriodAndFunction) {
    EXPECT_TRUE(MessageBoxUsesTimer(1000, true));
    EXPECT_FALSE(MessageBoxUsesTimer(0, true));
    EXPECT_FALSE(MessageBoxUsesTimer(1000, false));
    EXPECT_TRUE(MessageBoxUsesWideStatics(2));
    EXPECT_FALSE(MessageBoxUsesWideStatics(1));
}

}  // namespace
