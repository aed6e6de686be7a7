// The army base's briefing, played on the real map.
#include <gtest/gtest.h>

#include <cstring>

#include "engine/Music.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;

TEST_F(StoryField, ArmyBaseBriefingPlaysOnArrivalAndKeepsItsSongInTheCentralDistrict) {
    arrive(13, 30, 20, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】クレイバー.mid");
    EXPECT_EQ(gMapObjects[0].kind, 2);
    EXPECT_EQ(gMapObjects[0].facing, 0);
    EXPECT_EQ(gMapObjects[1].kind, 0);
    EXPECT_EQ(gMapObjects[1].facing, 1);
    const int currency = gRegionCurrency;

    bool sawCaption = false, sawAnswer = false;
    const Played run = play(6000, [&] {
        if (gFieldEvent == 1 && gEventStep == 0 && std::strstr(gMessageText, "陸軍基地") != nullptr) sawCaption = true;
        if (gFieldEvent == 1 && gEventStep == 14 && std::strstr(gMessageText, "イエッサー") != nullptr) sawAnswer = true;
        return gCurrentMap == 1 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_TRUE(sawCaption);
    EXPECT_TRUE(sawAnswer);
    EXPECT_EQ(run.maps, (std::vector<int>{1}));
    EXPECT_TRUE(run.battles.empty());
    EXPECT_EQ(playerRow(), 36);
    EXPECT_EQ(playerColumn(), 22);
    EXPECT_EQ(gPlayerFacing, 1);
    EXPECT_EQ(gMusicLock, 1);
    // The central district's own song waits while the lock holds.
    EXPECT_STREQ(gRequestedSong, "【テーマ】クレイバー.mid");
    EXPECT_EQ(gRegionCurrency, currency);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, ArmyBaseFigureOfClaberIsNeverAScene) {
    arrive(13, 30, 20, 1, 0);
    gMapObjects[0].kind = 0;  // the marshal's trigger would start the briefing at once
    touch(1);
    EXPECT_TRUE(playEvent(3).finished);
    EXPECT_EQ(gCurrentMap, 13);
    EXPECT_EQ(gMusicLock, 0);
}
