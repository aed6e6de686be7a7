// The old undersea railway, the Diogo ruins and the sea base, played on their
// real maps: the run through the railway's rooms, the ruins' two scenes, the
// landing stage, the water and the lifts of the base's levels, the thief
// master, もろこし's sale and shop, and the last scene on the top.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "battle/BattleRecords.h"
#include "engine/Music.h"
#include "events/FieldMechanisms.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

constexpr const char* kSeaBaseSong = "【チャプター９】海上基地フィングション.mid";

struct BattleSeen {
    int map, group;
};

// Plays like StoryField::play and notes the enemy group of every battle
// (the driver has left the battle by the time it asks whether it is done,
// so a group set up since the last frame is what tells).
struct RailwaySeaBase : StoryField {
    std::vector<BattleSeen> groups;
    template <typename Done>
    Played playNoting(int budget, Done done) {
        gBattleGroup = -1;
        return play(budget, [&] {
            if (gBattleGroup != -1) {
                groups.push_back({gCurrentMap, gBattleGroup});
                gBattleGroup = -1;
            }
            std::strcpy(gCurrentSong, gRequestedSong);  // the music player takes up each song
            return done();
        });
    }
    bool messageHas(const char* text) { return std::strstr(gMessageText, text) != nullptr; }
};

bool isLift(int row, int col) {
    const MapCell& cell = gMapCells[row][col];
    return cell.floorColumn == kLiftTile.column && cell.floorRow == kLiftTile.row;
}

}  // namespace

// ---- The railway ----

TEST_F(RailwaySeaBase, RailwayGateDismissesBodyguardsAndTheWayBackHiresOnlyThoseWhoJoined) {
    arrive(127, 55, 3, 0, 1);
    for (int k = 0; k < kBodyguardCount; ++k) gBodyguardHired[k] = 1;
    gStoryFlags[109] = 1;
    gStoryFlags[111] = 1;
    gStoryFlags[115] = 7;
    gStoryFlags[129] = 2;
    touch(10);
    Played in = play(200, [] { return gCurrentMap == 128 && gScene == 0 && gFieldEvent == 0; });
    ASSERT_TRUE(in.finished);
    for (int k = 0; k < kBodyguardCount; ++k) EXPECT_EQ(gBodyguardHired[k], 0) << k;
    EXPECT_EQ(gStoryFlags[115], 0);
    EXPECT_EQ(gStoryFlags[129], 0);
    EXPECT_EQ(playerRow(), 10);
    EXPECT_EQ(playerColumn(), 3);
    // The first room: its guard and its chest.
    EXPECT_EQ(gMapObjects[1].kind, 1);
    EXPECT_EQ(gMapObjects[1].character, 21);
    EXPECT_EQ(gMapObjects[3].kind, 100);
    EXPECT_EQ(gMapObjects[3].index, 200);
    EXPECT_EQ(gMapObjects[3].character, 135);

    touch(0);
    Played out = play(200, [] { return gCurrentMap == 127 && gScene == 0; });
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(playerRow(), 43);
    EXPECT_EQ(playerColumn(), 17);
    const std::uint8_t expected[kBodyguardCount] = {1, 0, 1, 0};
    for (int k = 0; k < kBodyguardCount; ++k) EXPECT_EQ(gBodyguardHired[k], expected[k]) << k;
}

TEST_F(RailwaySeaBase, RailwayRunsSixteenRoomsWithTheirGuardsAndChestsThenReachesTheRuins) {
    const int sprites[16] = {21, 23, 53, 27, 39, 41, 45, 29, 43, 31, 50, 25, 33, 55, 35, 16};
    const int items[16] = {135, 156, 139, 145, 146, 157, 146, 144, 112, 158, 127, 113, 159, 115, 126, 98};
    arrive(128, 10, 3, 1, 1);
    for (int stage = 0; stage < 16; ++stage) {
        SCOPED_TRACE(stage);
        ASSERT_EQ(gCurrentMap, 128);
        EXPECT_EQ(gStoryFlags[115], stage);
        EXPECT_EQ(gMapObjects[1].character, sprites[stage]);
        EXPECT_EQ(gMapObjects[3].index, 200 + stage);
        EXPECT_EQ(gMapObjects[3].character, items[stage]);
        // The guard holds the narrow gap: the door on is out of reach until he falls.
        EXPECT_FALSE(touchable(walkableFrom(10, 3), 2));
        gStoryFlags[127] = 9;
        bool thiefSpoke = false;
        touch(1);
        Played fight = playNoting(600, [&] {
            if (gMessageMode == 1 && std::strcmp(gSpeakerName, "シーフマスター") == 0) thiefSpoke = true;
            return gFieldEvent == 0;
        });
        ASSERT_TRUE(fight.finished);
        ASSERT_EQ(groups.size(), static_cast<std::size_t>(stage + 1));
        EXPECT_EQ(groups.back().group, 90 + stage);
        EXPECT_EQ(thiefSpoke, stage == 15);
        EXPECT_EQ(gStoryFlags[127], 0);
        EXPECT_EQ(gStoryFlags[116], 1);
        EXPECT_EQ(gMapObjects[1].kind, 0);
        EXPECT_FALSE(gMapObjects[1].visible);
        const auto reached = walkableFrom(10, 3);
        EXPECT_TRUE(touchable(reached, 2));
        EXPECT_TRUE(touchable(reached, 3));
        touch(2);
        Played on = play(200, [] { return gScene == 0 && gFieldEvent == 0 && gPendingMapChange.pending == 0; });
        ASSERT_TRUE(on.finished);
        EXPECT_EQ(gStoryFlags[116], 0);
    }
    EXPECT_EQ(gCurrentMap, 16);
    EXPECT_EQ(gStoryFlags[115], 16);
    EXPECT_EQ(playerRow(), 39);
    EXPECT_EQ(playerColumn(), 17);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(RailwaySeaBase, EntranceHallPeopleTalkAndEveryDoorIsWithinReach) {
    arrive(127, 55, 3, 0, 1);
    const auto fromStairs = walkableFrom(55, 3);
    for (int slot = 0; slot <= 11; ++slot) EXPECT_TRUE(touchable(fromStairs, slot)) << slot;
    const auto fromRailway = walkableFrom(43, 17);
    EXPECT_TRUE(touchable(fromRailway, 0));
    for (int slot = 4; slot <= 9; ++slot) {
        SCOPED_TRACE(slot);
        // A person is met walking along the row axis from the same column.
        const int r = gObjectCells[slot][0], c = gObjectCells[slot][1];
        EXPECT_TRUE(fromStairs[r - 1][c] || fromStairs[r + 1][c]);
        int messages = 0;
        touch(slot);
        Played talk = play(600, [&] {
            if (gMessageMode == 1 && gMessageTyped == 0) ++messages;
            return gFieldEvent == 0;
        });
        ASSERT_TRUE(talk.finished);
        EXPECT_EQ(gCurrentMap, 127);
        EXPECT_GE(std::strlen(gMessageText), 1u);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The ruins ----

TEST_F(RailwaySeaBase, RuinsSceneFightsBattle106AndLeavesTheSquareOpen) {
    arrive(16, 39, 17, 1, 1);
    EXPECT_STREQ(gLocationName, "ディオゴ公国廃墟");
    EXPECT_EQ(gMapObjects[2].kind, 1);
    EXPECT_EQ(gMapObjects[4].kind, 0);
    EXPECT_EQ(gMapObjects[4].character, 47);
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 0;
    gStoryFlags[84] = 5;
    touch(2);
    Played run = playNoting(8000, [] { return gStoryFlags[128] == 2 && gScene == 0 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].group, 106);
    EXPECT_EQ(gStoryFlags[84], 0);
    EXPECT_EQ(run.maps, (std::vector<int>{16, 16}));
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(playerRow(), 16);
    EXPECT_EQ(playerColumn(), 12);
    // Afterwards: no figures, no triggers; the chests and both ways on are there.
    for (int slot : {2, 3, 4, 5, 6, 7, 8}) EXPECT_EQ(gMapObjects[slot].kind, 0) << slot;
    const auto reached = walkableFrom(16, 12);
    for (int slot : {0, 9, 10, 11, 12}) EXPECT_TRUE(touchable(reached, slot)) << slot;
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(RailwaySeaBase, RuinsSceneShowsTheFiguresOfThePartyOnly) {
    gStoryFlags[128] = 1;
    gParty[0] = 1;
    gParty[1] = 4;
    gParty[2] = 0;
    arrive(16, 16, 12, 1, 0);
    EXPECT_EQ(gMapObjects[4].kind, 2);
    EXPECT_EQ(gMapObjects[6].visible, 1);
    EXPECT_EQ(gMapObjects[6].character, 0);
    EXPECT_EQ(gMapObjects[7].character, 3);
    EXPECT_EQ(gMapObjects[8].visible, 0);  // the empty party slot leaves its figure alone
}

TEST_F(RailwaySeaBase, RuinsExitsToTheInnerRuinsHireTheBodyguardsAgain) {
    gStoryFlags[128] = 2;
    gStoryFlags[112] = 1;
    gStoryFlags[115] = 16;
    arrive(16, 16, 12, 1, 1);
    touch(12);
    Played on = play(200, [] { return gCurrentMap == 129 && gScene == 0; });
    ASSERT_TRUE(on.finished);
    EXPECT_EQ(gBodyguardHired[3], 1);
    EXPECT_EQ(gBodyguardHired[0], 0);
    EXPECT_EQ(gStoryFlags[115], 0);
    EXPECT_EQ(playerRow(), 45);
    EXPECT_EQ(playerColumn(), 12);
    EXPECT_EQ(gRequestedSong[0], '\0');  // the inner ruins are silent
}

TEST_F(RailwaySeaBase, ArgonOffersAChoiceToLeaveOrFight) {
    struct Case {
        int option;
        bool fights;
    };
    for (const Case c : {Case{0, false}, Case{1, true}}) {
        SCOPED_TRACE(c.option);
        groups.clear();
        gStoryFlags[129] = 0;
        gStoryFlags[131] = 0;
        gStoryFlags[115] = 3;
        arrive(129, 45, 12, 1, 1);
        EXPECT_EQ(gMapObjects[3].kind, 0);
        EXPECT_EQ(gMapObjects[4].kind, 1);
        choices = {c.option};
        touch(4);
        Played run = playNoting(6000, [] { return gCurrentMap == 127 && gScene == 0; });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(run.maps, (std::vector<int>{129, 127}));
        EXPECT_EQ(groups.size(), c.fights ? 1u : 0u);
        if (c.fights) {
            EXPECT_EQ(groups[0].group, 107);
        }
        EXPECT_EQ(gStoryFlags[129], c.fights ? 2 : 0);
        EXPECT_EQ(gStoryFlags[131], c.fights ? 1 : 0);
        EXPECT_EQ(gStoryFlags[115], 0);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(playerRow(), 43);
        EXPECT_EQ(playerColumn(), 17);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(RailwaySeaBase, ArgonBeatenOnceIsFoughtAtOnceAndStaysAwayForTheRun) {
    gStoryFlags[129] = 2;
    arrive(129, 45, 12, 1, 1);
    for (int slot : {3, 4, 5, 6}) EXPECT_EQ(gMapObjects[slot].kind, 0) << slot;
    EXPECT_EQ(gMapObjects[3].visible, 0);

    gStoryFlags[129] = 1;
    gStoryFlags[131] = 1;
    arrive(129, 33, 12, 1, 0);
    int messages = 0;
    Played run = playNoting(3000, [&] {
        if (gMessageMode == 2) ++messages;
        return gCurrentMap == 127 && gScene == 0;
    });
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(groups.size(), 1u);
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 8);
    EXPECT_EQ(messages, 0);  // no choice this time
}

// ---- The sea base: landing stage, water, lifts ----

TEST_F(RailwaySeaBase, LandingStageGateAlwaysFloodsTheBaseToLevelOne) {
    arrive(105, 26, 5, 0, 1);
    EXPECT_STREQ(gLocationName, "海上基地フィンダクション");
    EXPECT_EQ(gRegionCurrency, 1);
    EXPECT_EQ(gMapObjects[3].index, 182);
    const auto reached = walkableFrom(26, 5);
    for (int slot = 0; slot <= 3; ++slot) EXPECT_TRUE(touchable(reached, slot)) << slot;
    gStoryFlags[907] = 9;
    touch(0);
    Played in = play(200, [] { return gCurrentMap == 107 && gScene == 0; });
    ASSERT_TRUE(in.finished);
    EXPECT_EQ(gStoryFlags[907], 1);
    EXPECT_EQ(playerRow(), 18);
    EXPECT_EQ(playerColumn(), 5);
    // Level 1 with the water at 1: dry, so its basin is walkable drained floor.
    EXPECT_EQ(gMapCells[24][22].floorColumn, kDrainedTile.column);
    EXPECT_FLOAT_EQ(gMapCells[24][22].height, 0.5f);
    touch(0);
    Played out = play(200, [] { return gCurrentMap == 105 && gScene == 0; });
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(playerRow(), 18);
    EXPECT_EQ(playerColumn(), 14);
}

TEST_F(RailwaySeaBase, LandingStageShipSailsBackAndPlaysTheCastleReturnOnce) {
    struct Case {
        int castleTop, returned;
        int row, col;
        int visible, returnedAfter;
    };
    const Case cases[] = {{2, 0, 31, 42, 0, 1}, {2, 1, 43, 29, 1, 1}, {1, 0, 43, 29, 1, 0}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.castleTop * 10 + c.returned);
        gStoryFlags[67] = static_cast<std::uint8_t>(c.castleTop);
        gStoryFlags[68] = static_cast<std::uint8_t>(c.returned);
        arrive(105, 26, 5, 0, 1);
        choices = {0};
        touch(1);
        EXPECT_TRUE(playEvent(300).finished);
        EXPECT_EQ(gCurrentMap, 105);
        choices = {1};
        touch(2);
        Played home = play(300, [] { return gCurrentMap == 1 && gScene == 0; });
        ASSERT_TRUE(home.finished);
        EXPECT_EQ(playerRow(), c.row);
        EXPECT_EQ(playerColumn(), c.col);
        EXPECT_EQ(gPlayerVisible, c.visible);
        EXPECT_EQ(gStoryFlags[68], c.returnedAfter);
    }
}

TEST_F(RailwaySeaBase, WaterFloodsTheLevelsBelowTheStoredLevel) {
    gStoryFlags[907] = 1;
    arrive(106, 30, 31, 0, 1);
    EXPECT_EQ(gMapCells[24][22].floorColumn, kWaterTile.column);
    EXPECT_TRUE(gMapCells[24][22].blocked);
    EXPECT_FLOAT_EQ(gMapCells[24][24].height, 1.0f);  // the floats ride on the water
    EXPECT_FLOAT_EQ(gMapCells[34][24].height, 2.5f);  // the switch plate stands up
    EXPECT_STREQ(gRequestedSong, kSeaBaseSong);
    EXPECT_EQ(gBattleBackground, 14);
}

TEST_F(RailwaySeaBase, SwitchPlateSetsTheWaterToItsLevelAndLevelNineSharesIt) {
    gStoryFlags[907] = 1;
    arrive(115, 34, 24, 0, 1);  // on the switch plate
    Played wait = play(400, [] { return gStoryFlags[907] == 9; });
    ASSERT_TRUE(wait.finished);
    arrive(116, 12, 12, 0, 1);
    EXPECT_EQ(gMapCells[24][22].floorColumn, kDrainedTile.column);
    EXPECT_FLOAT_EQ(gMapCells[34][24].height, 2.0f);  // its plate is down: the water is at its level
    arrive(113, 20, 41, 0, 1);
    EXPECT_TRUE(gMapCells[24][22].blocked);  // level 7 is below it: flooded
}

// Every lift platform carries the player to a platform of the other
// direction on the neighbouring level, and that one carries back.
TEST_F(RailwaySeaBase, EveryLiftPlatformLeadsToItsPartnerAndBack) {
    gStoryFlags[42] = 2;  // no scene on 114
    gStoryFlags[43] = 2;  // nor on 118
    gStoryFlags[44] = 1;  // nor on the top
    int rides = 0;
    for (int map = 106; map <= 118; ++map) {
        std::vector<std::pair<int, int>> lifts;
        ASSERT_TRUE(enterFieldOnMap(map, 10, 10));
        for (int r = 0; r < 60; ++r)
            for (int c = 0; c < 60; ++c)
                if (isLift(r, c)) lifts.push_back({r, c});
        ASSERT_FALSE(lifts.empty()) << map;
        for (const auto& [r, c] : lifts) {
            SCOPED_TRACE(std::to_string(map) + " (" + std::to_string(r) + ", " + std::to_string(c) + ")");
            gStoryFlags[904] = 0;
            arrive(map, r, c, 0, 1);
            const bool up = gMapCells[r][c].height >= kLiftMiddle;
            const LiftDestination to = liftDestination(map, r, c, up);
            Played ride = play(300, [&] { return gCurrentMap == to.map && gScene == 0 && gFieldEvent == 0; });
            ASSERT_TRUE(ride.finished) << "event " << gFieldEvent << " map " << gCurrentMap << " at " << playerRow() << ", " << playerColumn() << " state " << int(gStoryFlags[904]) << " battles " << ride.battles.size();
            EXPECT_EQ(playerRow(), to.row);
            EXPECT_EQ(playerColumn(), to.col);
            ASSERT_TRUE(isLift(to.row, to.col));
            const LiftDestination back = liftDestination(to.map, to.row, to.col, gMapCells[to.row][to.col].height >= kLiftMiddle);
            EXPECT_EQ(back.map, map);
            EXPECT_EQ(back.row, r);
            EXPECT_EQ(back.col, c);
            ++rides;
        }
    }
    EXPECT_GE(rides, 26);
}

TEST_F(RailwaySeaBase, LevelsPlaceTheirGuardsAndChests) {
    struct Case {
        int map, row, col, firstGuard, lastGuard;
    };
    const Case cases[] = {{106, 30, 31, 2, 11}, {110, 40, 41, 1, 15}, {113, 20, 41, 2, 17}, {117, 6, 12, 2, 11}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.map);
        arrive(c.map, c.row, c.col, 0, 1);
        for (int slot = c.firstGuard; slot <= c.lastGuard; ++slot) {
            EXPECT_EQ(gMapObjects[slot].kind, 5) << slot;
            EXPECT_EQ(gMapObjects[slot].index, 79 + slot % 5) << slot;
            EXPECT_EQ(gMapObjects[slot].character, slot % 2 == 1 ? 25 : 26) << slot;
        }
    }
    arrive(115, 38, 12, 0, 1);
    EXPECT_EQ(gMapObjects[4].character, 1000);
    EXPECT_EQ(gMapObjects[4].pose, 20000);
    EXPECT_EQ(gMapObjects[15].index, 171);
    EXPECT_EQ(gMapObjects[15].character, 3000);
    EXPECT_EQ(gMapObjects[15].pose, 71);
    // Dry (the water at this level or below): the basin chests 1 and 4 are
    // opened, the island chest 0 waits for a flood from a higher plate.
    const auto dry = walkableFrom(38, 12);
    for (int slot : {1, 2, 3, 4, 15}) EXPECT_TRUE(touchable(dry, slot)) << slot;
    EXPECT_FALSE(touchable(dry, 0));
    gStoryFlags[907] = 10;
    arrive(115, 38, 12, 0, 1);
    const auto flooded = walkableFrom(38, 12);
    for (int slot : {0, 2, 3, 15}) EXPECT_TRUE(touchable(flooded, slot)) << slot;
    EXPECT_FALSE(touchable(flooded, 1));
    EXPECT_FALSE(touchable(flooded, 4));
}

// ---- The thief master ----

TEST_F(RailwaySeaBase, ThiefMasterStumblesOnThePartyIsBeatenAndJoinsOnce) {
    gStoryFlags[907] = 1;
    arrive(114, 17, 16, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【テーマ】シーフマスター.mid");
    Played run = playNoting(8000, [] { return gStoryFlags[42] == 2 && gScene == 0 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].group, 84);
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 11);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_STREQ(gRequestedSong, kSeaBaseSong);
    EXPECT_EQ(gMapObjects[0].kind, 3);
    EXPECT_EQ(gMapObjects[0].pose, 4);
    EXPECT_TRUE(touchable(walkableFrom(17, 16), 0));

    gBodyguardHired[3] = 0;
    touch(0);
    bool joinedLine = false;
    ASSERT_TRUE(play(600, [&] {
                    if (messageHas("用心棒に加えた")) joinedLine = true;
                    return gFieldEvent == 0;
                }).finished);
    EXPECT_TRUE(joinedLine);
    EXPECT_EQ(gBodyguardHired[3], 1);
    EXPECT_EQ(gStoryFlags[112], 1);

    gBodyguards[3].hp = 50;
    joinedLine = false;
    touch(0);
    ASSERT_TRUE(play(600, [&] {
                    if (messageHas("用心棒に加えた")) joinedLine = true;
                    return gFieldEvent == 0;
                }).finished);
    EXPECT_FALSE(joinedLine);
    EXPECT_EQ(gBodyguards[3].hp, 50);
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- もろこし ----

TEST_F(RailwaySeaBase, SpecialSaleChargesFourTenthsOrTheWholeHundredThousand) {
    struct Case {
        int balance, price;
        const char* named;
    };
    const Case cases[] = {{100000, 100000, "100000コイン"}, {99999, 39999, "39999コイン"}, {150000, 100000, "100000コイン"},
                          {0, 0, "たったの0コイン"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.balance);
        gStoryFlags[43] = 0;
        gMoney[1] = c.balance;
        gItemStock[16].owned = 0;
        gItemStock[94].owned = 2;
        arrive(118, 18, 31, 1, 1);
        EXPECT_EQ(gMapObjects[4].kind, 2);
        bool named = false;
        Played run = play(8000, [&] {
            if (gFieldEvent == 5 && gEventStep == 14 && messageHas(c.named)) named = true;
            return gStoryFlags[43] == 2 && gScene == 0 && gFieldEvent == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_TRUE(named);
        EXPECT_EQ(gMoney[1], c.balance - c.price);
        EXPECT_EQ(gItemStock[16].owned, 1);
        EXPECT_EQ(gItemStock[94].owned, 3);
        ASSERT_EQ(run.shops.size(), 1u);
        EXPECT_EQ(run.shops[0].label, "もろこし屋－海上基地フィンダクション");
        EXPECT_EQ(run.shops[0].kind, 17);
        EXPECT_EQ(run.shops[0].goods[0], 13);
        EXPECT_EQ(run.shops[0].goods[1], 29);
        EXPECT_EQ(gMoneyWindow, 0);
        EXPECT_EQ(gMapObjects[4].kind, 3);
        EXPECT_EQ(playerRow(), 18);
        EXPECT_EQ(playerColumn(), 31);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(RailwaySeaBase, MerchantGivesHisBonusCardOnceThenShopsRestsAndShowsTheWayOut) {
    gStoryFlags[43] = 2;
    gMoney[1] = 5000;
    arrive(118, 18, 31, 1, 1);
    EXPECT_EQ(gMapObjects[4].kind, 3);
    EXPECT_TRUE(touchable(walkableFrom(18, 31), 4));
    const int cards = gCardStock[85].count;
    touch(4);
    ASSERT_TRUE(playEvent(1000).finished);
    EXPECT_EQ(gCardStock[85].count, cards + 1);
    EXPECT_EQ(gCardStock[85].known, 1);
    EXPECT_EQ(gStoryFlags[121], 1);

    choices = {0};
    touch(4);
    Played shop = playEvent(1000);
    ASSERT_TRUE(shop.finished);
    ASSERT_EQ(shop.shops.size(), 1u);
    EXPECT_EQ(shop.shops[0].kind, 15);
    EXPECT_EQ(gCardStock[85].count, cards + 1);

    struct Rest {
        int balance, after;
    };
    for (const Rest r : {Rest{2000, 2000}, Rest{2001, 1}}) {
        SCOPED_TRACE(r.balance);
        gMoney[1] = r.balance;
        choices = {1, 1};
        touch(4);
        Played rest = play(2000, [&] {
            std::strcpy(gCurrentSong, gRequestedSong);
            return gFieldEvent == 0;
        });
        ASSERT_TRUE(rest.finished);
        EXPECT_EQ(gMoney[1], r.after);
        EXPECT_EQ(gMoneyWindow, 0);
        if (r.balance > 2000) {
            EXPECT_STREQ(gCurrentSong, kSeaBaseSong);
        }
    }

    choices = {2};
    touch(4);
    Played out = play(1000, [] { return gCurrentMap == 105 && gScene == 0; });
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(playerRow(), 18);
    EXPECT_EQ(playerColumn(), 14);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(RailwaySeaBase, MerchantSkipsTheBonusCardWhenStatItemsWereUsed) {
    gStoryFlags[43] = 2;
    gStoryFlags[120] = 1;
    arrive(118, 18, 31, 1, 1);
    const int cards = gCardStock[85].count;
    choices = {0};
    touch(4);
    Played shop = playEvent(1000);
    ASSERT_TRUE(shop.finished);
    EXPECT_EQ(shop.shops.size(), 1u);
    EXPECT_EQ(gCardStock[85].count, cards);
    EXPECT_EQ(gStoryFlags[121], 0);
}

// ---- The top ----

TEST_F(RailwaySeaBase, LastSceneOnTheTopFightsGroup85AndStartsTheEnding) {
    gStoryFlags[84] = 4;
    arrive(119, 28, 9, 0, 1);
    EXPECT_EQ(gRegionCurrency, 1);
    EXPECT_EQ(gBattleBackground, 15);
    EXPECT_EQ(gMapObjects[0].kind, 2);
    EXPECT_EQ(gMapObjects[6].facing, 1);
    bool battleSong = false;
    Played run = playNoting(12000, [&] {
        if (std::strcmp(gRequestedSong, "【バトル】波打つ要塞の天辺で.mid") == 0) battleSong = true;
        return false;
    });
    EXPECT_TRUE(run.ending) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(groups.size(), 1u);
    EXPECT_EQ(groups[0].group, 85);
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 30);
    EXPECT_TRUE(battleSong);
    EXPECT_EQ(gStoryFlags[44], 1);
    EXPECT_EQ(gStoryFlags[84], 0);
    EXPECT_EQ(gMapObjects[6].pose, 4);
    EXPECT_EQ(gMapObjects[7].pose, 4);
    EXPECT_STREQ(gRequestedSong, "【テーマ】エンディング.mid");
    EXPECT_EQ(gDialogueMisses, 0);
}
