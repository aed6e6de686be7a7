// The scenes of the first road played on the real maps, frame by frame.
#include <gtest/gtest.h>

#include <cstring>
#include <utility>

#include "story/PrisonFlags.h"
#include "story/StoryFlags.h"
#include "field/WorldToCell.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

int partyLevel(int unit) { return gPartyMembers[unit].level; }

// The cell a figure stands on now.
std::pair<int, int> cellOf(int slot) {
    const float pos[3] = {gMapObjects[slot].x, gMapObjects[slot].y, gMapObjects[slot].z};
    int cell[3];
    worldToCell(pos, cell);
    return {cell[0], cell[2]};
}

}  // namespace

// ---- From the new game to the end of the cell scene ----

TEST_F(StoryField, NewGamePlaysTheBarTheSeaDistrictAndTheCellSceneInOneRun) {
    arrive(22, 26, 53, 1, 0);
    gPartyMembers[4].level = 3;
    gPartyMembers[1].level = 7;
    gPartyMembers[1].experience = 360;
    choices = {1};  // "バッチリ！"
    const Played run = play(30000, [] { return gCurrentMap == 3 && gStoryFlags[prison::kCellScene] == 2 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled on map " << gCurrentMap << " event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{2, 3, 3}));
    ASSERT_EQ(run.battles.size(), 2u);
    EXPECT_EQ(run.battles[0].map, 2);
    EXPECT_EQ(run.battles[0].step, 35);
    EXPECT_EQ(run.battles[1].map, 3);
    EXPECT_EQ(run.battles[1].step, 73);  // the sure answer fights group 3
    EXPECT_EQ(gStoryFlags[flag::kSeaDistrictArrived], 1);
    EXPECT_EQ(gStoryFlags[flag::kEpisode0Interlude], 0);
    EXPECT_EQ(gStoryFlags[prison::kCellDoorOpen], 1);
    EXPECT_EQ(gParty[0], 1);
    EXPECT_EQ(gParty[1], 2);
    EXPECT_EQ(gParty[2], 0);
    EXPECT_EQ(partyLevel(1), 1);
    EXPECT_EQ(gPartyMembers[1].experience, 0);
    EXPECT_EQ(partyLevel(4), 10);  // fought the thieves alone at level 10
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(playerRow(), 21);
    EXPECT_EQ(playerColumn(), 10);
    EXPECT_EQ(gPlayerFacing, 1);
    EXPECT_EQ(gDialogueMisses, 0);
    // The cell scene's figures are gone; the cell door stays open.
    EXPECT_EQ(gMapObjects[14].visible, 0);
    EXPECT_EQ(gMapObjects[30].visible, 0);
    EXPECT_EQ(gMapObjects[1].kind, 0);
}

TEST_F(StoryField, CellSceneChoiceChoosesTheLessonOrTheFight) {
    struct Case {
        int option;
        int battleStep;  // 70 fights group 2 (the lecture), 73 group 3
    };
    for (const Case c : {Case{0, 70}, Case{1, 73}}) {
        SCOPED_TRACE(c.option);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        arrive(3, 21, 10, 1, 0);
        for (int unit : {1, 2}) {
            gPartyMembers[unit].level = 5;
            gPartyMembers[unit].experience = 160;
        }
        choices = {c.option};
        std::pair<int, int> locked{-1, -1}, falkAtDoor{-1, -1}, freed{-1, -1};
        const Played run = play(12000, [&] {
            if (gFieldEvent == 13 && gEventStep == 9) locked = cellOf(30);      // led into the cell
            if (gFieldEvent == 13 && gEventStep == 57) falkAtDoor = cellOf(14);  // back at the door
            if (gFieldEvent == 13 && gEventStep == 62) freed = cellOf(30);       // out of the cell
            return gStoryFlags[prison::kCellScene] == 2 && gFieldEvent == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        ASSERT_EQ(run.battles.size(), 1u);
        EXPECT_EQ(run.battles[0].step, c.battleStep);
        // The door (21, 12) between the corridor and the cell behind the bars.
        EXPECT_EQ(locked, std::make_pair(21, 13));
        EXPECT_EQ(falkAtDoor.first, 21);
        EXPECT_LT(falkAtDoor.second, 12);
        EXPECT_GE(freed.first, 21);  // a step past the door, beside ファルク
        EXPECT_LE(freed.first, 22);
        EXPECT_LT(freed.second, 12);
        for (int unit : {1, 2}) {
            EXPECT_EQ(partyLevel(unit), 1);
            EXPECT_EQ(gPartyMembers[unit].experience, 0);
        }
        EXPECT_EQ(gDialogueMisses, 0);
    }
}

TEST_F(StoryField, CellBlockIsSilentUntilItsDoorHasOpened) {
    arrive(3, 21, 10, 1, 0);
    EXPECT_STREQ(gRequestedSong, "");
    gStoryFlags[prison::kCellDoorOpen] = 1;
    gStoryFlags[prison::kCellScene] = 2;
    arrive(3, 21, 10, 1, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター０】ブラッドエンプレス.mid");
}

// ---- The cell block after the scene ----

TEST_F(StoryField, JumpLessonTeachesOnceAndOpensTheLedge) {
    gStoryFlags[prison::kCellDoorOpen] = 1;
    gStoryFlags[prison::kCellScene] = 2;
    arrive(3, 21, 10, 1, 1);
    // Before the lesson its cells close the road to the corridor.
    auto reached = walkableFrom(21, 10);
    for (int exit : {27, 28, 29}) EXPECT_FALSE(reached[gObjectCells[exit][0]][gObjectCells[exit][1]]) << exit;
    EXPECT_TRUE(touchable(reached, 31));
    touch(31);
    const Played run = playEvent(3000);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(gStoryFlags[prison::kJumpLesson], 1);
    EXPECT_EQ(gFieldTintActive, 0);
    EXPECT_EQ(gMapObjects[31].kind, 0);
    EXPECT_EQ(gMapObjects[32].kind, 0);
    reached = walkableFrom(21, 10);
    for (int exit : {27, 28, 29}) EXPECT_TRUE(touchable(reached, exit)) << exit;
    // Touched again (a stale kind), the lesson does not repeat.
    touch(32);
    EXPECT_TRUE(playEvent(10).finished);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, WayOutOfTheCellBlockWaitsForRimel) {
    struct Case {
        int rescue;
        int map;  // where the exit leads
    };
    for (const Case c : {Case{0, 3}, Case{3, 3}, Case{4, 7}}) {
        SCOPED_TRACE(c.rescue);
        gStoryFlags[prison::kCellScene] = 2;
        gStoryFlags[flag::kRimelRescue] = static_cast<std::uint8_t>(c.rescue);
        arrive(3, 6, 8, 0, 1);
        touch(26);
        const Played run = play(2000, [] { return gFieldEvent == 0; });
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(gCurrentMap, c.map);
        if (c.map == 7) {
            EXPECT_EQ(playerRow(), 33);
            EXPECT_EQ(playerColumn(), 7);
        }
    }
}

// ---- The merchant ----

TEST_F(StoryField, MerchantSceneRunsOnceThenHeKeepsAShopUntilRimelIsFree) {
    arrive(5, 12, 5, 0, 1);
    // The line across the hall cannot be walked round.
    auto reached = walkableFrom(12, 5);
    EXPECT_FALSE(reached[39][5]);
    EXPECT_FALSE(touchable(reached, 8));
    touch(4);
    const Played run = play(8000, [] { return gStoryFlags[prison::kMerchantMet] == 2 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(run.shops[0].step, 43);
    EXPECT_EQ(run.shops[0].label, "もろこし屋－ブラッドエンプレス");
    EXPECT_EQ(run.shops[0].kind, 5);
    EXPECT_EQ(run.shops[0].goods[0], 130);
    EXPECT_EQ(run.shops[0].goods[1], 131);
    EXPECT_EQ(run.shops[0].goods[2], 0);
    EXPECT_EQ(gCurrentMap, 5);
    EXPECT_EQ(playerRow(), 39);
    EXPECT_EQ(playerColumn(), 5);
    EXPECT_EQ(gMapObjects[8].kind, 3);
    EXPECT_EQ(gMapObjects[4].visible, 0);
    for (int slot = 2; slot <= 7; ++slot) EXPECT_EQ(gMapObjects[slot].kind, 0) << slot;
    EXPECT_TRUE(touchable(walkableFrom(39, 5), 8));

    touch(8);
    const Played shop = playEvent(500);
    ASSERT_TRUE(shop.finished);
    ASSERT_EQ(shop.shops.size(), 1u);
    EXPECT_EQ(shop.shops[0].step, 2);

    gStoryFlags[flag::kRimelRescue] = 4;
    arrive(5, 48, 5, 1, 1);
    EXPECT_EQ(gMapObjects[8].kind, 0);
    EXPECT_EQ(gMapObjects[8].visible, 0);
    touch(8);
    const Played gone = playEvent(10);
    EXPECT_TRUE(gone.finished);
    EXPECT_TRUE(gone.shops.empty());
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- リメル's rescue ----

TEST_F(StoryField, RimelAndTheGuardsCannotBeReachedBeforeTheLineAndEndAtOnce) {
    arrive(6, 12, 5, 0, 1);
    const auto reached = walkableFrom(12, 5);
    for (int slot : {2, 17, 18}) EXPECT_FALSE(touchable(reached, slot)) << slot;
    EXPECT_TRUE(touchable(reached, 15) || touchable(reached, 16));
    // Touched anyway (a save made elsewhere, a test), they end at once.
    for (int slot : {2, 17, 18, 5}) {
        touch(slot);
        EXPECT_TRUE(playEvent(3).finished) << slot;
        EXPECT_EQ(gStoryFlags[flag::kRimelRescue], 0);
        EXPECT_EQ(gCurrentMap, 6);
    }
}

TEST_F(StoryField, RescueFightsTheGuardsOpensTheCellAndRimelJoins) {
    gParty[0] = 1;
    gParty[1] = 2;
    gPartyMembers[1].level = 6;
    gPartyMembers[2].level = 3;
    arrive(6, 12, 5, 0, 1);
    touch(16);
    std::pair<int, int> falk{-1, -1};
    const Played run = play(8000, [&] {
        if (gFieldEvent == 3 && gEventStep == 16) falk = cellOf(15);
        return gStoryFlags[flag::kRimelRescue] == 4 && gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 11);
    EXPECT_EQ(run.maps, (std::vector<int>{6, 6}));
    // ファルク has walked up to her door (rows 31-32 of the bars at column 30).
    EXPECT_EQ(falk.first, 31);
    EXPECT_GE(falk.second, 28);
    EXPECT_LT(falk.second, 30);
    EXPECT_EQ(gParty[2], 3);
    EXPECT_EQ(partyLevel(3), 4);
    EXPECT_EQ(gPartyMembers[3].experience, 90);
    EXPECT_EQ(gMapObjects[2].visible, 0);
    EXPECT_EQ(gMapObjects[9].kind, 0);
    EXPECT_EQ(gMapObjects[17].visible, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, RimelJoinsAtTheLowerLevelOfTheTwoAndAtLeastFour) {
    struct Case {
        int sheril, falk, level, experience;
    };
    for (const Case c : {Case{6, 3, 4, 90}, Case{2, 2, 4, 90}, Case{9, 7, 7, 360}, Case{9, 0, 9, 640}}) {
        SCOPED_TRACE(testing::Message() << c.sheril << " " << c.falk);
        gStoryFlags[flag::kRimelRescue] = 3;
        arrive(6, 30, 28, 0, 1);
        gPartyMembers[1].level = c.sheril;
        gPartyMembers[2].level = c.falk;
        gPartyMembers[3].level = 1;
        gFieldEvent = 3;
        gEventStep = 49;
        runCurrentMapEvent();
        EXPECT_EQ(partyLevel(3), c.level);
        EXPECT_EQ(gPartyMembers[3].experience, c.experience);
        EXPECT_EQ(gStoryFlags[flag::kRimelRescue], 4);
        EXPECT_EQ(gPendingMapChange.map, 6);
        gScene = 0;
    }
}

// ---- The governor and the end of episode 0 ----

TEST_F(StoryField, MerchantOnTheWayOutCannotStartTheGovernorSceneFirst) {
    arrive(7, 33, 7, 1, 1);
    const auto reached = walkableFrom(33, 7);
    for (int slot : {2, 3, 4, 5}) EXPECT_FALSE(touchable(reached, slot)) << slot;
    touch(2);
    EXPECT_TRUE(playEvent(3).finished);
    EXPECT_EQ(gStoryFlags[prison::kGovernor], 0);
    EXPECT_EQ(gCurrentMap, 7);
}

TEST_F(StoryField, GovernorSceneEndsTheEpisodeWithOrWithoutASave) {
    struct Case {
        int option;
        std::size_t saves;
    };
    for (const Case c : {Case{0, 1u}, Case{1, 0u}}) {
        SCOPED_TRACE(c.option);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gStoryFlags[flag::kRimelRescue] = 4;
        arrive(7, 33, 7, 1, 1);
        touch(0);
        choices = {c.option};
        bool sawWorldMap = false, sawCountries = false;
        std::pair<int, int> merchant{-1, -1};
        const Played run = play(20000, [&] {
            if (gCurrentMap == 7 && gFieldEvent == 3 && gEventStep == 16) merchant = cellOf(2);
            if (gEventPicture == 1 && gEventPictureNumber == 0) sawWorldMap = true;
            if (gEventPicture == 1 && gEventPictureNumber == 1) sawCountries = true;
            return gCurrentMap == 2;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(run.maps, (std::vector<int>{7, 2}));
        ASSERT_EQ(run.shops.size(), 1u);
        EXPECT_EQ(run.shops[0].step, 65);
        ASSERT_EQ(run.battles.size(), 1u);
        EXPECT_EQ(run.battles[0].step, 67);
        ASSERT_EQ(run.saves.size(), c.saves);
        if (c.saves == 1u) {
            EXPECT_EQ(run.saves[0].step, 93);
            EXPECT_EQ(run.saves[0].label, "エピソード０　完");
        }
        EXPECT_EQ(run.shops[0].label, "もろこし屋－ブラッドエンプレス");
        // もろこし comes up to the party (who stand on row 14) and stops short.
        EXPECT_GT(merchant.first, 7);
        EXPECT_LT(merchant.first, 14);
        EXPECT_TRUE(sawWorldMap);
        EXPECT_TRUE(sawCountries);
        EXPECT_EQ(gStoryFlags[prison::kGovernor], 2);
        EXPECT_EQ(gStoryFlags[flag::kEpisode0Interlude], 1);
        EXPECT_EQ(gFieldMarkers[0].present, 0);
        EXPECT_EQ(gEventPicture, 0);
        EXPECT_EQ(gSlowMusicFade, 0);
        EXPECT_EQ(gDialogueMisses, 0);
    }
}

TEST_F(StoryField, EpisodeOneBeginsWithClaberJoiningAndFiveHundredFog) {
    gStoryFlags[flag::kSeaDistrictArrived] = 1;
    gStoryFlags[flag::kEpisode0Interlude] = 1;
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 3;
    gPartyMembers[1].level = 5;
    gPartyMembers[2].level = 4;
    gPartyMembers[3].level = 3;
    gPartyMembers[4].level = 2;
    gPartyMembers[4].stones[0] = 3;
    gMoney[0] = 0;
    arrive(2, 23, 18, 1, 1);
    const Played run = play(8000, [] { return gStoryFlags[flag::kEpisode0Interlude] == 2 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gParty[1], 4);
    EXPECT_EQ(gParty[2], 0);
    EXPECT_EQ(partyLevel(4), 4);
    EXPECT_EQ(gPartyMembers[4].experience, 90);
    EXPECT_EQ(gPartyMembers[4].stones[0], 0);
    EXPECT_EQ(gMoney[0], 500);
    EXPECT_EQ(gMapObjects[10].visible, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, ClaberKeepsAHigherLevelWhenHeJoins) {
    struct Case {
        int own, expected;
    };
    for (const Case c : {Case{2, 4}, Case{4, 4}, Case{7, 7}}) {
        gStoryFlags[flag::kEpisode0Interlude] = 1;
        arrive(2, 23, 18, 1, 1);
        gPartyMembers[2].level = 4;
        gPartyMembers[3].level = 3;
        gPartyMembers[1].level = 5;
        gPartyMembers[4].level = c.own;
        gFieldEvent = 11;
        gEventStep = 24;
        runCurrentMapEvent();
        EXPECT_EQ(partyLevel(4), c.expected) << c.own;
        EXPECT_EQ(gPartyMembers[4].experience, 10 * (c.expected - 1) * (c.expected - 1));
    }
}

// ---- The sea district's later scenes and places ----

TEST_F(StoryField, FarewellSendsClaberOffAndTheLetterStartsTheEnding) {
    gStoryFlags[flag::kSeaDistrictArrived] = 1;
    gStoryFlags[flag::kEpisode0Interlude] = 2;
    gStoryFlags[flag::kSlumFarewell] = 1;
    gParty[0] = 1;
    gParty[1] = 4;
    gPartyMembers[4].stones[1] = 2;
    arrive(2, 31, 10, 1, 0);
    const Played farewell = play(8000, [] { return gStoryFlags[flag::kSlumFarewell] == 2 && gFieldEvent == 0; });
    ASSERT_TRUE(farewell.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gParty[1], 0);
    EXPECT_EQ(gPartyMembers[4].stones[1], 0);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gMapObjects[16].visible, 0);

    gStoryFlags[flag::kLastSceneBegun] = 1;
    gMusicLock = 1;
    arrive(2, 40, 25, 1, 0);
    const Played letter = play(8000, [] { return false; });
    EXPECT_TRUE(letter.ending);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, SeaDistrictInnRefusesABalanceOfTenFog) {
    struct Case {
        int balance, after;
    };
    for (const Case c : {Case{10, 10}, Case{11, 1}}) {
        gStoryFlags[flag::kSeaDistrictArrived] = 1;
        gStoryFlags[flag::kEpisode0Interlude] = 2;
        arrive(2, 23, 18, 1, 1);
        gMoney[0] = c.balance;
        choices = {1};
        touch(21);
        ASSERT_TRUE(playEvent(3000).finished);
        EXPECT_EQ(gMoney[0], c.after) << c.balance;
        EXPECT_EQ(gMoneyWindow, 0);
    }
}

TEST_F(StoryField, SeaDistrictDressesItsChestPeopleAndExits) {
    gStoryFlags[flag::kSeaDistrictArrived] = 1;
    gStoryFlags[flag::kEpisode0Interlude] = 2;
    arrive(2, 23, 18, 1, 1);
    EXPECT_EQ(gRegionCurrency, 0);
    const MapObject& chest = gMapObjects[34];
    EXPECT_EQ(chest.kind, 100);
    EXPECT_EQ(chest.index, 173);
    EXPECT_EQ(chest.character, 1000);
    EXPECT_EQ(chest.pose, 1000);
    for (int slot : {7, 8, 9, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}) EXPECT_EQ(gMapObjects[slot].kind, 3) << slot;
    for (int slot : {1, 2, 3, 4, 5, 6, 10, 16, 17, 18}) EXPECT_EQ(gMapObjects[slot].visible, 0) << slot;
    // Every townsperson speaks a line of his own.
    for (int slot : {7, 8, 9, 22, 23, 24, 25, 26, 27, 28, 29, 30, 31, 32, 33}) {
        touch(slot);
        ASSERT_TRUE(playEvent(400).finished) << slot;
    }
    EXPECT_EQ(gDialogueMisses, 0);
    struct Exit {
        int slot, map, row, col, visible;
    };
    for (const Exit e : {Exit{0, 0, 57, 13, 0}, Exit{12, 1, 27, 5, 1}, Exit{14, 8, 10, 10, 1}, Exit{35, 127, 55, 3, 1}}) {
        arrive(2, 23, 18, 1, 1);
        touch(e.slot);
        const Played run = play(5, [] { return gScene == 0 && gFieldEvent == 0; });
        EXPECT_EQ(gCurrentMap, e.map) << e.slot;
        EXPECT_EQ(playerRow(), e.row) << e.slot;
        EXPECT_EQ(gPlayerVisible, e.visible) << e.slot;
    }
}

// ---- Skin town: the bar and the inn room ----

TEST_F(StoryField, BarGuestWithoutATalkIsOutOfReachAndEndsAtOnce) {
    gStoryFlags[flag::kSeaDistrictArrived] = 1;
    arrive(22, 34, 44, 1, 1);
    EXPECT_STREQ(gRequestedSong, "【マップ】スキンタウン.mid");
    const auto reached = walkableFrom(34, 44);
    EXPECT_FALSE(touchable(reached, 2));
    for (int slot = 3; slot <= 8; ++slot) EXPECT_TRUE(touchable(reached, slot)) << slot;
    touch(2);
    EXPECT_TRUE(playEvent(3).finished);
    for (int slot = 3; slot <= 9; ++slot) {
        touch(slot);
        ASSERT_TRUE(playEvent(400).finished) << slot;
    }
    EXPECT_EQ(gPlayerFacing, 0);  // the talk cell turns her to the counter
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, InnRoomConversationsLeadIntoTheMemoryAndOutToTheTown) {
    arrive(21, 26, 53, 1, 0);
    const Played first = play(8000, [] { return gCurrentMap == 27; });
    ASSERT_TRUE(first.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(playerRow(), 20);

    gStoryFlags[flag::kRulenoFlashback] = 1;
    arrive(21, 26, 53, 1, 0);
    const Played second = play(8000, [] { return gCurrentMap == 20; });
    ASSERT_TRUE(second.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gStoryFlags[flag::kSkinInnStayed], 1);
    EXPECT_EQ(gPlayerVisible, 1);

    // Neither conversation fires again.
    arrive(21, 34, 44, 1, 1);
    EXPECT_TRUE(play(5, [] { return false; }).maps.empty());
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, ClaberChoiceToRestStartsTheRaidNight) {
    struct Case {
        int option;
        int map;
    };
    for (const Case c : {Case{0, 21}, Case{1, 30}}) {
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gStoryFlags[flag::kRulenoFlashback] = 1;
        gStoryFlags[flag::kSkinInnStayed] = 1;
        arrive(21, 34, 44, 1, 1);
        choices = {c.option};
        touch(4);
        const Played run = play(3000, [] { return gFieldEvent == 0 && gScene == 0; });
        ASSERT_TRUE(run.finished);
        EXPECT_EQ(gCurrentMap, c.map);
        EXPECT_EQ(gStoryFlags[60], c.map == 30 ? 1 : 0);
        EXPECT_EQ(gPlayerVisible, c.map == 30 ? 0 : 1);
    }
}

TEST_F(StoryField, EmperorGivesTheGunOnceOnTheTowerRoute) {
    gStoryFlags[flag::kRulenoFlashback] = 1;
    gStoryFlags[flag::kSkinInnStayed] = 1;
    gStoryFlags[60] = 1;
    gStoryFlags[flag::kRoute] = 1;
    arrive(21, 34, 44, 1, 1);
    EXPECT_EQ(gMapObjects[8].kind, 3);
    touch(8);
    const Played run = play(5000, [] { return gStoryFlags[124] == 2 && gFieldEvent == 0 && gScene == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gItemStock[45].owned, 1);
    EXPECT_EQ(gMapObjects[9].kind, 0);
    touch(8);
    ASSERT_TRUE(playEvent(400).finished);
    EXPECT_EQ(gItemStock[45].owned, 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, GovernorHallPlaysTheBattleSongOnlyWhileHisSceneIsDue) {
    struct Case {
        int governor;
        const char* song;
    };
    for (const Case c : {Case{0, "【チャプター０】ブラッドエンプレス.mid"}, Case{1, "【バトル】皇帝に跪け.mid"}}) {
        gRequestedSong[0] = gCurrentSong[0] = '\0';
        gStoryFlags[prison::kGovernor] = static_cast<std::uint8_t>(c.governor);
        arrive(7, 14, 5, 1, 1);
        EXPECT_STREQ(gRequestedSong, c.song) << c.governor;
    }
}
