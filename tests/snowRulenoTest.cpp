// The snow hill and the Fiero slope, クレイバー's memory of the Ruleno
// kingdom, and the Ruleno ruins, played on the real maps.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "battle/BattleRecords.h"
#include "engine/Music.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

constexpr int kAmbush = 46;
constexpr int kHouse = 56;
constexpr int kSecondFloor = 57;
constexpr int kRuinsSoldiers = 58;
constexpr int kSeaArrival = 65;
constexpr int kClaberBayonet = 125;

struct SnowRuleno : StoryField {
    std::vector<std::string> lines;     // first lines of the messages shown
    std::vector<std::string> songs;     // every song asked for, in order

    // Plays until `done`, with the music player taking up each song and the
    // first line of every message noted.
    template <typename Done>
    Played run(int budget, Done done) {
        std::string last;
        return play(budget, [&] {
            if (gRequestedSong[0] != '\0' && std::strcmp(gCurrentSong, gRequestedSong) != 0) songs.push_back(gRequestedSong);
            std::strcpy(gCurrentSong, gRequestedSong);
            if (gMessageMode != 0) {
                const std::string first(gMessageText, std::strcspn(gMessageText, "\n"));
                if (first != last) lines.push_back(first);
                last = first;
            }
            return done();
        });
    }
    bool said(const std::string& line) const {
        for (const std::string& l : lines)
            if (l == line) return true;
        return false;
    }
    bool asked(const std::string& song) const {
        for (const std::string& s : songs)
            if (s == song) return true;
        return false;
    }
    // Touches `slot` and plays until a map is entered (or the budget ends).
    Played leaveBy(int slot, int budget = 400) {
        touch(slot);
        const int from = gCurrentMap;
        return run(budget, [from] { return gScene == 0 && gFieldEvent == 0 && gPendingMapChange.pending == 0 && gCurrentMap != from; });
    }
    Played toTheEnd(int budget = 20000) {
        return run(budget, [] { return gFieldEvent == 0 && gScene == 0; });
    }
};

bool closeTo(float a, float b) { return a > b - 0.001f && a < b + 0.001f; }

}  // namespace

// ---- The snow hill and the slope ----

TEST_F(SnowRuleno, ExitsOfTheSnowHillLandWhereTheRoadGoesOn) {
    struct Case {
        int map, row, col, facing, slot;
        int toMap, toRow, toCol, toFacing;
    };
    const Case cases[] = {
        {59, 14, 25, 0, 0, 124, 37, 45, 1},  {59, 14, 25, 0, 3, 51, 47, 21, 1},
        {124, 37, 45, 1, 2, 59, 44, 20, 0},  {124, 37, 45, 1, 4, 125, 45, 43, 1},
        {124, 37, 45, 1, 8, 125, 45, 36, 1}, {125, 45, 43, 1, 0, 124, 13, 43, 0},
        {125, 45, 43, 1, 5, 124, 13, 30, 0}, {125, 45, 43, 1, 7, 60, 37, 45, 1},
        {60, 37, 45, 1, 1, 61, 39, 41, 1},   {60, 37, 45, 1, 4, 125, 24, 30, 0},
        {61, 39, 41, 1, 9, 60, 15, 34, 0},   {126, 14, 25, 0, 0, 60, 37, 45, 1},
        {126, 14, 25, 0, 3, 124, 13, 43, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("map " + std::to_string(c.map) + " slot " + std::to_string(c.slot));
        gStoryFlags[kAmbush] = 3;
        gStoryFlags[flag::kColerupicSealed] = 2;
        arrive(c.map, c.row, c.col, c.facing, 1);
        const Played played = leaveBy(c.slot);
        ASSERT_TRUE(played.finished);
        EXPECT_EQ(gCurrentMap, c.toMap);
        EXPECT_EQ(playerRow(), c.toRow);
        EXPECT_EQ(playerColumn(), c.toCol);
        EXPECT_EQ(gPlayerFacing, c.toFacing);
    }
}

TEST_F(SnowRuleno, SnowHillSymbolsChestsAndExitsAreWithinReach) {
    struct Case {
        int map, row, col;
        std::vector<int> slots;
    };
    const Case cases[] = {
        {59, 14, 25, {0, 1, 2, 3, 4}},
        {124, 37, 45, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9}},
        {125, 45, 43, {0, 1, 2, 3, 4, 5, 6, 7, 8}},
        {60, 37, 45, {0, 1, 2, 3, 4, 5, 6, 17}},
        {61, 18, 9, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10}},
        {71, 17, 5, {0, 1, 2, 3, 4, 5}},
        {126, 14, 25, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("map " + std::to_string(c.map));
        gStoryFlags[kAmbush] = 3;
        arrive(c.map, c.row, c.col, 0, 1);
        const auto reached = walkableFrom(c.row, c.col);
        for (int slot : c.slots) EXPECT_TRUE(touchable(reached, slot)) << "slot " << slot;
    }
    // Enemy symbols: groups 41 to 43 by slot, placed on entering.
    arrive(59, 14, 25, 0, 1);
    for (int slot = 5; slot <= 16; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5);
        EXPECT_EQ(gMapObjects[slot].index, 41 + slot % 3);
        EXPECT_EQ(gMapObjects[slot].character, slot % 2 == 1 ? 41 : 42);
    }
    arrive(60, 37, 45, 1, 1);
    EXPECT_EQ(gMapObjects[17].kind, 100);
    EXPECT_EQ(gMapObjects[17].character, 3000);
    EXPECT_EQ(gMapObjects[17].pose, 66);
}

TEST_F(SnowRuleno, ChestOfTheFootOfTheHillOpensOnceForBothMapsThatHoldIt) {
    arrive(59, 14, 25, 0, 1);
    EXPECT_EQ(gMapObjects[4].index, 44);
    arrive(126, 14, 25, 0, 1);
    EXPECT_EQ(gMapObjects[4].index, 44);
}

TEST_F(SnowRuleno, AmbushOnTheHilltopLeavesSherylAlone) {
    gParty[0] = 1;
    gParty[1] = 4;
    gParty[2] = 5;
    const int protector = 100, ring = 101, weapon = 102;
    gPartyMembers[4].equipment[0] = weapon;
    gPartyMembers[4].equipment[1] = protector;
    gPartyMembers[4].equipment[2] = ring;
    gPartyMembers[4].stones[0] = 3;
    gPartyMembers[5].stones[1] = 5;
    gItemStock[protector] = {0, 1};
    gItemStock[ring] = {0, 1};
    gItemStock[weapon] = {0, 1};
    gPartyMembers[4].level = 17;
    gStoneFlags[2] = 1;

    arrive(61, 39, 41, 1, 1);
    EXPECT_EQ(gMapObjects[17].kind, 1);
    EXPECT_EQ(gMapObjects[24].kind, 0) << "no figures before the line is crossed";
    const auto reached = walkableFrom(39, 41);
    EXPECT_TRUE(touchable(reached, 17));
    EXPECT_TRUE(touchable(reached, 23));
    EXPECT_FALSE(reached[25][35]) << "the line cannot be walked round";

    touch(20);
    const Played played = run(6000, [] { return gStoryFlags[kAmbush] == 3 && gScene == 0 && gFieldEvent == 0; });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{61, 61}));
    ASSERT_EQ(played.battles.size(), 1u);
    EXPECT_EQ(played.battles[0].step, 3);
    EXPECT_EQ(gBattleGroup, 44);
    EXPECT_TRUE(said("・・・敵が来るよ！"));
    EXPECT_TRUE(said("・・・あれ？"));
    EXPECT_EQ(gDialogueMisses, 0);

    EXPECT_EQ(gParty[0], 1);
    EXPECT_EQ(gParty[1], 0);
    EXPECT_EQ(gParty[2], 0);
    EXPECT_EQ(gPartyMembers[4].stones[0], 0);
    EXPECT_EQ(gPartyMembers[5].stones[1], 0);
    EXPECT_EQ(gStoneFlags[2], 1) << "the stone stays with the party";
    EXPECT_EQ(gPartyMembers[4].equipment[0], weapon) << "the weapon leaves with him";
    EXPECT_EQ(gPartyMembers[4].equipment[1], 0);
    EXPECT_EQ(gPartyMembers[4].equipment[2], 0);
    EXPECT_EQ(gItemStock[protector].owned, 1);
    EXPECT_EQ(gItemStock[ring].owned, 1);
    EXPECT_EQ(gPartyMembers[4].level, 17);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(playerRow(), 25);
    EXPECT_EQ(playerColumn(), 35);
    for (int slot : {17, 24, 25, 26}) EXPECT_EQ(gMapObjects[slot].kind, 0) << "slot " << slot;
    EXPECT_EQ(gMapObjects[25].visible, 0);
}

TEST_F(SnowRuleno, TownIsReachedDimmedWhileSealedOrDesertedAndTheTintComesBackOnReturn) {
    struct Case {
        int sealed, deserted;
        bool dimmed;
    };
    for (const Case c : {Case{0, 0, true}, Case{0, 1, true}, Case{2, 1, true}, Case{2, 0, false}}) {
        SCOPED_TRACE("flag 62 " + std::to_string(c.sealed) + ", flag 70 " + std::to_string(c.deserted));
        gStoryFlags[kAmbush] = 3;
        gStoryFlags[flag::kColerupicSealed] = static_cast<std::uint8_t>(c.sealed);
        gStoryFlags[flag::kColerupicDeserted] = static_cast<std::uint8_t>(c.deserted);
        gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = gFieldTint[3] = 1.0f;
        arrive(61, 18, 9, 0, 1);
        const Played played = leaveBy(1, 400);
        ASSERT_TRUE(played.finished);
        EXPECT_EQ(gCurrentMap, 62);
        EXPECT_EQ(playerRow(), 15);
        EXPECT_EQ(playerColumn(), 42);
        EXPECT_EQ(closeTo(gFieldTint[0], 0.5f), c.dimmed);
    }
    // The town leaves the flag for the fade back on either road out.
    for (const int map : {61, 71}) {
        SCOPED_TRACE("map " + std::to_string(map));
        gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = 0.5f;
        gStoryFlags[flag::kArrivalFadeDue] = 1;
        arrive(map, map == 61 ? 18 : 17, map == 61 ? 9 : 55, 0, 1);
        const Played played = run(400, [] { return gFieldEvent == 0 && gStoryFlags[flag::kArrivalFadeDue] == 0; });
        ASSERT_TRUE(played.finished);
        EXPECT_TRUE(closeTo(gFieldTint[0], 1.0f));
        EXPECT_EQ(gMapObjects[map == 61 ? 27 : 6].kind, 0);
    }
}

TEST_F(SnowRuleno, FieroSlopeLeadsDownToTheSceneWhereOneWaits) {
    struct Case {
        int towerView1, route, rusana, towerView2;
        int row, col, visible;
    };
    const Case cases[] = {
        {0, 1, 0, 0, 32, 44, 0}, {1, 1, 0, 0, 38, 48, 1}, {0, 2, 1, 0, 32, 44, 0},
        {0, 2, 1, 1, 38, 48, 1}, {0, 2, 0, 0, 38, 48, 1}, {0, 0, 0, 0, 38, 48, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("route " + std::to_string(c.route) + " flags 63/73/74 " + std::to_string(c.towerView1) + "/" +
                     std::to_string(c.rusana) + "/" + std::to_string(c.towerView2));
        gStoryFlags[flag::kTowerViewRoute1] = static_cast<std::uint8_t>(c.towerView1);
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(c.route);
        gStoryFlags[flag::kRusanaRescue] = static_cast<std::uint8_t>(c.rusana);
        gStoryFlags[flag::kTowerViewRoute2] = static_cast<std::uint8_t>(c.towerView2);
        arrive(71, 17, 5, 0, 1);
        touch(1);
        // Only where the slope hands over: map 1's own set-up is another region's.
        const Played played = run(50, [] { return gCurrentMap == 1 && gScene == 0; });
        ASSERT_TRUE(played.finished);
        EXPECT_EQ(gPendingMapChange.row, c.row);
        EXPECT_EQ(gPendingMapChange.col, c.col);
        EXPECT_EQ(gPendingMapChange.facing, 1);
        EXPECT_EQ(gPlayerVisible, c.visible);
    }
    // Up to コールルピック: dimmed while deserted, hidden while a scene waits.
    gStoryFlags[flag::kColerupicDeserted] = 1;
    gStoryFlags[flag::kColerupicEmptied] = 1;
    arrive(71, 17, 55, 1, 1);
    const Played played = leaveBy(4, 400);
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(gCurrentMap, 62);
    EXPECT_EQ(playerRow(), 27);
    EXPECT_EQ(playerColumn(), 13);
    EXPECT_TRUE(closeTo(gFieldTint[0], 0.5f));
    EXPECT_EQ(gPlayerVisible, 0);
}

// ---- クレイバー's memory of the Ruleno kingdom ----

TEST_F(SnowRuleno, MemoryOfRulenoPlaysFromTheSeaToTheInnWithClaberAsThePlayer) {
    gCampMenuAllowed = 1;
    gPlayerSpriteColumn = 0;
    arrive(27, 20, 22, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【マップ】ルレノキングダム.mid");
    Played played = run(8000, [] { return gStoryFlags[kHouse] == 2 && gFieldEvent == 0 && gScene == 0; });
    ASSERT_TRUE(played.finished) << "stalled on map " << gCurrentMap << " event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{24, 24}));
    EXPECT_EQ(gCampMenuAllowed, 0);
    EXPECT_EQ(gPlayerSpriteColumn, 3);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_TRUE(said("はっ。"));
    EXPECT_TRUE(closeTo(gFieldTint[1], 0.75f)) << "the memory keeps its warm colour";

    // The cancel key opens no camp menu during the memory.
    gInputCode = kInputCancel;
    runField(resources, device.get());
    EXPECT_EQ(gScene, 0);

    // Free walk: the house, the town, the castle, its second floor.
    ASSERT_TRUE(leaveBy(0).finished);
    EXPECT_EQ(gCurrentMap, 23);
    EXPECT_EQ(gPlayerSpriteColumn, 3);
    ASSERT_TRUE(leaveBy(3).finished);
    EXPECT_EQ(gCurrentMap, 27);
    EXPECT_EQ(gMapObjects[3].kind, 0) << "the ceremony is over";
    ASSERT_TRUE(leaveBy(1).finished);
    EXPECT_EQ(gCurrentMap, 23);
    ASSERT_TRUE(leaveBy(0).finished);
    EXPECT_EQ(gCurrentMap, 25);
    ASSERT_TRUE(leaveBy(7).finished);
    EXPECT_EQ(gCurrentMap, 26);
    EXPECT_EQ(playerRow(), 26);
    EXPECT_EQ(playerColumn(), 44);

    // The doorway of the hall brings the news of the invasion.
    touch(2);
    played = run(20000, [] { return gCurrentMap == 21 && gScene == 0; });
    ASSERT_TRUE(played.finished) << "stalled on map " << gCurrentMap << " event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{26, 28, 29, 21}));
    EXPECT_TRUE(played.battles.empty());
    EXPECT_TRUE(asked("【イベント】クロスケーション.mid"));
    EXPECT_TRUE(asked("【チャプター７】ルレノ廃墟.mid"));
    EXPECT_TRUE(said("ちょっと待ちな。"));
    EXPECT_EQ(gStoryFlags[kSecondFloor], 2);
    EXPECT_EQ(gStoryFlags[kRuinsSoldiers], 1);
    EXPECT_EQ(gStoryFlags[flag::kRulenoFlashback], 1);
    EXPECT_EQ(gCampMenuAllowed, 1);
    EXPECT_EQ(gPlayerSpriteColumn, 0);
    EXPECT_EQ(playerRow(), 26);
    EXPECT_EQ(playerColumn(), 53);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SnowRuleno, EveryoneOfTheKingdomCanBeSpokenToAndSaysTheirPiece) {
    struct Case {
        int map, row, col, facing, first, last;
    };
    const Case cases[] = {{23, 14, 20, 0, 5, 20}, {25, 26, 19, 0, 10, 20}, {26, 26, 44, 0, 10, 20}};
    gStoryFlags[kHouse] = 2;
    for (const Case& c : cases) {
        arrive(c.map, c.row, c.col, c.facing, 1);
        const auto reached = walkableFrom(c.row, c.col);
        for (int slot = c.first; slot <= c.last; ++slot) {
            SCOPED_TRACE("map " + std::to_string(c.map) + " slot " + std::to_string(slot));
            EXPECT_EQ(gMapObjects[slot].kind, 3);
            // Reached along the row axis from a cell of the same column.
            const int r = gObjectCells[slot][0], col = gObjectCells[slot][1];
            EXPECT_TRUE(reached[r - 1][col] || reached[r + 1][col]);
            lines.clear();
            touch(slot);
            const Played played = toTheEnd(3000);
            ASSERT_TRUE(played.finished);
            EXPECT_EQ(gCurrentMap, c.map);
            EXPECT_FALSE(lines.empty());
        }
    }
    EXPECT_EQ(gDialogueMisses, 0);
    // The exits of the town are all in reach.
    arrive(23, 25, 10, 0, 1);
    const auto reached = walkableFrom(25, 10);
    for (int slot = 0; slot <= 4; ++slot) EXPECT_TRUE(touchable(reached, slot)) << "slot " << slot;
}

// ---- The Ruleno ruins ----

TEST_F(SnowRuleno, SeaOfTheRuinsGreetsTheFirstArrivalOnce) {
    gSlowMusicFade = 1;
    arrive(93, 28, 12, 1, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター７】ルレノ廃墟.mid");
    EXPECT_EQ(gMapObjects[4].kind, 2);
    bool sawPicture = false;
    const Played played = run(3000, [&] {
        sawPicture = sawPicture || gStillPicture == 11;
        return gFieldEvent == 0 && gScene == 0;
    });
    ASSERT_TRUE(played.finished);
    EXPECT_TRUE(sawPicture);
    EXPECT_EQ(gSlowMusicFade, 0);
    EXPECT_EQ(gStoryFlags[kSeaArrival], 1);
    EXPECT_EQ(gStillPicture, 0);
    EXPECT_EQ(gMapObjects[4].kind, 0);
    EXPECT_EQ(gCurrentMap, 93);
}

TEST_F(SnowRuleno, HarbourTakesThePartyHomeAndOnlyTheFirstReturnAfterTheCastleStartsTheScene) {
    gStoryFlags[kSeaArrival] = 1;
    gExchangeRates[1].rate = 120;
    gExchangeRates[1].falling = 0;

    // Staying ends the talk where it is.
    arrive(93, 28, 12, 1, 1);
    choices = {0};
    touch(3);
    ASSERT_TRUE(toTheEnd(600).finished);
    EXPECT_EQ(gCurrentMap, 93);
    EXPECT_EQ(gPendingMapChange.pending, 0);

    struct Case {
        int castleTop, returned;
        int row, col, facing, visible, returnedAfter, rate;
    };
    const Case cases[] = {
        {0, 0, 43, 29, 1, 1, 0, 120},
        {1, 0, 43, 29, 1, 1, 0, 120},
        {2, 0, 28, 5, 0, 0, 1, 50000},
        {2, 1, 43, 29, 1, 1, 1, 120},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("flag 67 " + std::to_string(c.castleTop) + ", flag 68 " + std::to_string(c.returned));
        gStoryFlags[flag::kCastleTop] = static_cast<std::uint8_t>(c.castleTop);
        gStoryFlags[flag::kReturnAfterCastle] = static_cast<std::uint8_t>(c.returned);
        gExchangeRates[1].rate = 120;
        gExchangeRates[1].falling = 0;
        arrive(93, 28, 12, 1, 1);
        choices = {1};
        touch(3);
        const Played played = run(600, [] { return gCurrentMap == 1 && gScene == 0; });
        ASSERT_TRUE(played.finished);
        EXPECT_EQ(gPendingMapChange.row, c.row);
        EXPECT_EQ(gPendingMapChange.col, c.col);
        EXPECT_EQ(gPendingMapChange.facing, c.facing);
        EXPECT_EQ(gPlayerVisible, c.visible);
        EXPECT_EQ(gStoryFlags[flag::kReturnAfterCastle], c.returnedAfter);
        EXPECT_EQ(gExchangeRates[1].rate, c.rate);
        EXPECT_EQ(gExchangeRates[1].falling, c.rate == 50000 ? 1 : 0);
    }
}

TEST_F(SnowRuleno, MorokoshiSellsHisGoodsInTheRuinedTown) {
    arrive(94, 25, 10, 0, 1);
    const auto reached = walkableFrom(25, 10);
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 20}) EXPECT_TRUE(touchable(reached, slot)) << "slot " << slot;
    for (int slot = 8; slot <= 19; ++slot) EXPECT_EQ(gMapObjects[slot].index, 66 + slot % 5);
    EXPECT_EQ(gMapObjects[21].kind, 0) << "the burnt house is open before the castle";
    touch(20);
    const Played played = toTheEnd(3000);
    ASSERT_TRUE(played.finished);
    ASSERT_EQ(played.shops.size(), 1u);
    EXPECT_EQ(played.shops[0].label, "もろこし屋－ルレノキングダム");
    EXPECT_EQ(played.shops[0].kind, 12);
    EXPECT_EQ(played.shops[0].goods[0], 11);
    EXPECT_EQ(played.shops[0].goods[2], 64);
    EXPECT_EQ(gShopGoods[10], 138);
    EXPECT_EQ(gShopGoods[11], 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SnowRuleno, ClaberTurnsBackAtTheBurntHouseOnceTheCastleIsDone) {
    gStoryFlags[flag::kCastleTop] = 2;
    arrive(94, 25, 10, 0, 1);
    EXPECT_EQ(gMapObjects[21].kind, 1);
    EXPECT_EQ(gMapObjects[22].kind, 1);
    for (int slot : {21, 22}) {
        touch(slot);
        lines.clear();
        ASSERT_TRUE(toTheEnd(600).finished);
        EXPECT_EQ(gCurrentMap, 94);
        EXPECT_EQ(lines.size(), 1u);
    }
}

TEST_F(SnowRuleno, ClaberFetchesTheBayonetOnceAndIsGoneAfterwards) {
    gStoryFlags[flag::kCastleTop] = 2;
    const int before = gItemStock[60].owned;
    arrive(95, 30, 42, 1, 1);
    EXPECT_EQ(gMapObjects[3].kind, 3);
    const auto reached = walkableFrom(30, 42);
    const int r = gObjectCells[3][0], c = gObjectCells[3][1];
    EXPECT_TRUE(reached[r - 1][c] || reached[r + 1][c]);
    EXPECT_TRUE(touchable(reached, 2));

    touch(3);
    const Played played = run(4000, [] { return gStoryFlags[kClaberBayonet] == 2 && gScene == 0 && gFieldEvent == 0; });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{95, 95}));
    EXPECT_EQ(gItemStock[60].owned, before + 1);
    EXPECT_TRUE(said("セラフィッククァイアを手に入れた！"));
    EXPECT_EQ(gMapObjects[3].kind, 0);
    EXPECT_EQ(gMapObjects[3].visible, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SnowRuleno, GapsInTheCastleFloorsDropThePlayerOntoTheFloorBelow) {
    struct Case {
        int map, row, col, pitRow, pitCol, below;
    };
    const Case cases[] = {{97, 26, 20, 31, 29, 96}, {98, 26, 19, 31, 22, 97}};
    for (const Case& c : cases) {
        SCOPED_TRACE("map " + std::to_string(c.map));
        arrive(c.map, c.row, c.col, 0, 1);
        const auto reached = walkableFrom(c.row, c.col);
        ASSERT_TRUE(reached[c.pitRow][c.pitCol]);
        // Standing on the floor, or jumping, never drops the player.
        for (int n = 0; n < 30; ++n) runField(resources, device.get());
        EXPECT_EQ(gFieldEvent, 0);
        // Over the gap the player falls and lands on the floor below.
        gPlayerPos[0] = c.pitRow + 0.5f + (c.pitCol + 0.5f) * 0.70710678f;
        gPlayerPos[2] = (c.pitCol + 0.5f) * 0.70710678f;
        const Played played = play(600, [&] { return gCurrentMap == c.below && gScene == 0; });
        ASSERT_TRUE(played.finished);
        EXPECT_EQ(playerRow(), c.pitRow);
        EXPECT_EQ(playerColumn(), c.pitCol);
        EXPECT_GT(gPlayerPos[1], gMapCells[c.pitRow][c.pitCol].height + 15.0f) << "dropped from above";
        EXPECT_EQ(gStoryFlags[flag::kDropFromAbove], 0);
    }
}

TEST_F(SnowRuleno, CastleStairsClimbAndTheTopFloorHidesThePartyWhileItsScenesAreDue) {
    struct Case {
        int map, row, col, facing, slot, toMap, toRow, toCol, toFacing;
    };
    const Case cases[] = {
        {94, 24, 43, 1, 0, 96, 26, 19, 0}, {94, 24, 43, 1, 2, 95, 30, 42, 1}, {94, 25, 10, 0, 4, 93, 18, 25, 1},
        {95, 30, 42, 1, 1, 94, 14, 20, 0}, {96, 26, 19, 0, 2, 94, 24, 43, 1}, {96, 26, 42, 1, 7, 97, 26, 44, 0},
        {97, 26, 44, 0, 6, 96, 26, 42, 1}, {97, 26, 20, 0, 1, 98, 26, 19, 0}, {98, 26, 19, 0, 8, 97, 26, 20, 0},
        {93, 18, 25, 1, 1, 94, 25, 10, 0},
    };
    gStoryFlags[kSeaArrival] = 1;
    gStoryFlags[flag::kCastleTop] = 2;
    for (const Case& c : cases) {
        SCOPED_TRACE("map " + std::to_string(c.map) + " slot " + std::to_string(c.slot));
        arrive(c.map, c.row, c.col, c.facing, 1);
        ASSERT_TRUE(leaveBy(c.slot).finished);
        EXPECT_EQ(gCurrentMap, c.toMap);
        EXPECT_EQ(playerRow(), c.toRow);
        EXPECT_EQ(playerColumn(), c.toCol);
        EXPECT_EQ(gPlayerFacing, c.toFacing);
    }
    for (const int castleTop : {0, 2}) {
        gStoryFlags[flag::kCastleTop] = static_cast<std::uint8_t>(castleTop);
        arrive(98, 26, 43, 1, 1);
        touch(3);
        ASSERT_TRUE(run(50, [] { return gCurrentMap == 99 && gScene == 0; }).finished);
        EXPECT_EQ(playerRow(), 27);
        EXPECT_EQ(playerColumn(), 20);
        EXPECT_EQ(gPlayerVisible, castleTop == 2 ? 1 : 0);
    }
}

TEST_F(SnowRuleno, SistersSceneEndsTheEpisodeWithOrWithoutASave) {
    for (const int option : {0, 1}) {
        SCOPED_TRACE(option == 0 ? "save" : "no save");
        gStoryFlags[flag::kCastleTop] = 0;
        gStoryFlags[flag::kMap40Flashback] = 0;
        gStoneFlags[6] = 1;
        songs.clear();
        arrive(99, 27, 20, 0, 0);
        EXPECT_STREQ(gRequestedSong, "【テーマ】シェリル.mid");
        EXPECT_EQ(gMapObjects[6].kind, 2);
        choices = {option};
        const Played played = run(30000, [] { return gCurrentMap == 40 && gScene == 0; });
        ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(gBattleGroup, 71);
        ASSERT_EQ(played.battles.size(), 1u);
        EXPECT_EQ(played.battles[0].step, 97);
        if (option == 0) {
            ASSERT_EQ(played.saves.size(), 1u);
            EXPECT_EQ(played.saves[0].label, "エピソード７　完");
        } else {
            EXPECT_TRUE(played.saves.empty());
        }
        EXPECT_EQ(gStoneFlags[6], 2);
        EXPECT_EQ(gStoryFlags[flag::kMap40Flashback], 1);
        EXPECT_EQ(gStoryFlags[flag::kCastleTop], 0) << "map 40 moves it on";
        EXPECT_TRUE(asked("【イベント】国家平和化機構.mid"));
        EXPECT_TRUE(asked("【バトル】偽りの時の中で.mid"));
        EXPECT_TRUE(asked("【イベント】閑話０.mid"));
        EXPECT_TRUE(said("うおおおおおおおおっ！！"));
        EXPECT_EQ(gDialogueMisses, 0);
    }
}

TEST_F(SnowRuleno, TopFloorIsEmptyWhileTheFifteenthFloorSceneHolds) {
    gStoryFlags[flag::kTowerFifteenth] = 1;
    arrive(99, 27, 20, 0, 1);
    for (int slot = 6; slot <= 12; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 0) << "slot " << slot;
        EXPECT_EQ(gMapObjects[slot].visible, 0) << "slot " << slot;
    }
    for (int n = 0; n < 20; ++n) runField(resources, device.get());
    EXPECT_EQ(gFieldEvent, 0);
}

TEST_F(SnowRuleno, ClaberRejoinsNoWeakerThanTheParty) {
    struct Case {
        int own, sheryl, falk, expected;
    };
    const Case cases[] = {{5, 10, 8, 13}, {5, 6, 12, 13}, {20, 10, 8, 20}};
    for (const Case& c : cases) {
        SCOPED_TRACE("his level " + std::to_string(c.own));
        gStoryFlags[flag::kCastleTop] = 1;
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 0;
        gPartyMembers[1].level = c.sheryl;
        gPartyMembers[2].level = c.falk;
        gPartyMembers[4].level = c.own;
        gPartyMembers[4].stones[0] = 2;
        arrive(99, 28, 39, 0, 0);
        EXPECT_EQ(gMapObjects[10].kind, 2);
        const Played played = run(8000, [] { return gCurrentMap == 98 && gScene == 0; });
        ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(gParty[2], 4);
        EXPECT_EQ(gPartyMembers[4].level, c.expected);
        EXPECT_EQ(gPartyMembers[4].experience, 10 * (c.expected - 1) * (c.expected - 1));
        EXPECT_EQ(gPartyMembers[4].stones[0], 0);
        EXPECT_EQ(gStoryFlags[flag::kCastleTop], 2);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(playerRow(), 26);
        EXPECT_EQ(playerColumn(), 43);
        EXPECT_EQ(gDialogueMisses, 0);
    }
    // Afterwards the floor is empty but for its stairs and plays the ruins' song.
    arrive(99, 27, 20, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター７】ルレノ廃墟.mid");
    for (int slot = 6; slot <= 12; ++slot) EXPECT_NE(gMapObjects[slot].kind, 2);
}
