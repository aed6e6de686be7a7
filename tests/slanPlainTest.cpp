// The Slan plain and the town square of Skin on their real maps: シェリル's
// walk, the road's doors and monsters, ラドン's ambush through the end of
// episode 2 to Skin town, and the square's arrival walk, exits, shops, inn
// desk, card players and tournament. Duels are stood in for: each ends with
// the result the test scripts.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "engine/Music.h"
#include "events/EventPrimitives.h"
#include "field/Overlays.h"
#include "field/TouchObject.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "battle/BattleRecords.h"
#include "story/MapScripts.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;

namespace {

constexpr const char* kSlanSong = "【チャプター２】スラン平原.mid";
constexpr const char* kSkinSong = "【マップ】スキンタウン.mid";
constexpr int kAmbushFlag = 13;
constexpr int kRaidNightFlag = 60;

struct SlanPlain : StoryField {
    std::vector<int> opponents;        // opponent codes of the duels, in order
    std::deque<std::uint8_t> results;  // results of the coming duels (won when they run out)
    std::vector<std::string> lines;    // first lines of the messages shown, in order

    void SetUp() override {
        StoryField::SetUp();
        otherScreen = [this] {
            if (gScene != kDuelScene) return false;
            opponents.push_back(gDuelOpponent);
            gDuelResult = results.empty() ? kDuelWon : results.front();
            if (!results.empty()) results.pop_front();
            finishCardDuel();
            return true;
        };
    }
    static void ownCheapCards(int copies) {
        int given = 0;
        for (int card = 0; card < kCardCount && given < copies; ++card) {
            if (gCardTable[card].rarity != 0) continue;
            gCardStock[card].count = 1;
            ++given;
        }
    }
    // Notes the first line of a message when it changes; the music player
    // takes up each requested song.
    void note(std::string& last) {
        std::strcpy(gCurrentSong, gRequestedSong);
        if (gMessageMode != 0) {
            const std::string first(gMessageText, std::strcspn(gMessageText, "\n"));
            if (first != last) lines.push_back(first);
            last = first;
        }
    }
    // Plays the event of `slot` to its end or to a map change.
    Played talkTo(int slot, int budget = 20000) {
        touch(slot);
        std::string last;
        return play(budget, [&] {
            note(last);
            return gFieldEvent == 0;
        });
    }
    bool said(const std::string& line) const {
        for (const std::string& l : lines)
            if (l == line) return true;
        return false;
    }
    // A player's decide on the magical stone's banner: one field frame.
    void dismissStoneBanner() {
        if (gStoneBannerShown != 1) return;
        gInputCode = kInputDecide;
        story1test::gClock += 16;
        runField(resources, device.get());
    }
};

}  // namespace

// ---- The first screen ----

TEST_F(SlanPlain, SherylsWalkPlaysOnceAndSendsHerBackToTheCity) {
    gStoryFlags[flag::kMainPlot] = 1;
    arrive(17, 38, 27, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】シェリル.mid");
    ASSERT_EQ(gMapObjects[16].kind, 2);
    EXPECT_EQ(gMapObjects[16].visible, 1);
    EXPECT_EQ(gMapObjects[16].facing, 1);
    std::string last;
    const Played played = play(20000, [&] {
        note(last);
        return gScene == 0 && gFieldEvent == 0 && gCurrentMap == 1;
    });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{1}));
    EXPECT_EQ(gStoryFlags[flag::kMainPlot], 2);
    EXPECT_EQ(playerRow(), 35);
    EXPECT_EQ(playerColumn(), 22);
    EXPECT_GE(lines.size(), 13u);
    EXPECT_EQ(gDialogueMisses, 0);

    // Crossing later: the plain's own song and no シェリル standing there.
    gStoryFlags[flag::kMainPlot] = 5;
    arrive(17, 44, 18, 1, 1);
    EXPECT_STREQ(gRequestedSong, kSlanSong);
    EXPECT_EQ(gMapObjects[16].kind, 0);
    EXPECT_EQ(gMapObjects[16].visible, 0);
}

TEST_F(SlanPlain, DoorsLeadAlongTheRoadBothWays) {
    struct Case {
        int map, row, col, slot;
        int toMap, toRow, toCol, toFacing;
    };
    const Case cases[] = {
        {17, 44, 18, 0, 1, 1, 8, 0},      {17, 16, 10, 1, 122, 37, 39, 1},  {121, 44, 18, 0, 1, 1, 8, 0},
        {122, 37, 39, 0, 17, 16, 10, 0},  {122, 37, 39, 2, 17, 16, 10, 0},  {122, 21, 16, 3, 18, 30, 40, 1},
        {122, 21, 16, 5, 18, 30, 40, 1},  {18, 30, 40, 0, 122, 21, 16, 0},  {19, 39, 36, 0, 18, 17, 27, 1},
        {19, 21, 36, 1, 20, 50, 9, 1},
    };
    gStoryFlags[flag::kSkinInnStayed] = 1;
    gStoryFlags[flag::kAssemblyHall] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "map " << c.map << " slot " << c.slot);
        arrive(c.map, c.row, c.col, 1, 1);
        const auto reached = story1test::walkableFrom(c.row, c.col);
        EXPECT_TRUE(story1test::touchable(reached, c.slot));
        touch(c.slot);
        const Played played = play(10, [] { return gFieldEvent == 0; });
        EXPECT_EQ(played.maps, (std::vector<int>{c.toMap}));
        EXPECT_EQ(playerRow(), c.toRow);
        EXPECT_EQ(playerColumn(), c.toCol);
        EXPECT_EQ(gPlayerFacing, c.toFacing);
        EXPECT_EQ(gPlayerVisible, 1);
    }
}

TEST_F(SlanPlain, ThirdScreensFarDoorHidesThePlayerOnlyBeforeTheAmbush) {
    arrive(18, 30, 40, 1, 1);
    touch(1);
    Played played = play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(played.maps, (std::vector<int>{19}));
    EXPECT_EQ(playerRow(), 30);
    EXPECT_EQ(playerColumn(), 36);
    EXPECT_EQ(gPlayerVisible, 0);
    EXPECT_EQ(gMapObjects[4].kind, 2) << "the ambush is armed";

    gStoryFlags[kAmbushFlag] = 2;
    gStoryFlags[flag::kSkinInnStayed] = 1;
    gStoryFlags[flag::kAssemblyHall] = 1;
    gFieldMarkers[1].present = 0;  // the stone's presentation takes it away
    arrive(18, 30, 40, 1, 1);
    std::strcpy(gCurrentSong, gRequestedSong);  // the music player takes the plain's song up
    touch(1);
    played = play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(played.maps, (std::vector<int>{19}));
    EXPECT_EQ(playerRow(), 39);
    EXPECT_EQ(playerColumn(), 36);
    EXPECT_EQ(gPlayerVisible, 1);
    for (int slot = 2; slot <= 9; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0) << "slot " << slot;
    EXPECT_EQ(gMapObjects[4].kind, 0);
    EXPECT_EQ(gFieldMarkers[1].present, 0);
    EXPECT_STREQ(gRequestedSong, kSlanSong);
}

TEST_F(SlanPlain, ChestsAndMonstersOfEveryScreenCanBeReached) {
    struct Screen {
        int map, row, col;
        std::vector<int> chests, symbols;
    };
    const Screen screens[] = {
        {17, 44, 18, {2, 3, 4}, {5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
        {121, 44, 18, {2, 3, 4}, {}},
        {122, 37, 39, {6, 23}, {7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 20, 21, 22}},
        {18, 30, 40, {2, 3, 16}, {4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}},
    };
    for (const Screen& s : screens) {
        SCOPED_TRACE(testing::Message() << "map " << s.map);
        arrive(s.map, s.row, s.col, 1, 1);
        const auto reached = story1test::walkableFrom(s.row, s.col);
        for (int slot : s.chests) {
            EXPECT_EQ(gMapObjects[slot].kind, 100) << "chest " << slot;
            EXPECT_TRUE(reached[gObjectCells[slot][0]][gObjectCells[slot][1]]) << "chest " << slot;
        }
        for (int slot : s.symbols) {
            const MapObject& o = gMapObjects[slot];
            EXPECT_EQ(o.kind, 5) << "symbol " << slot;
            EXPECT_EQ(o.index, 17 + slot % 5);
            EXPECT_EQ(o.character, slot % 2 == 1 ? 21 : 22);
            EXPECT_TRUE(reached[gObjectCells[slot][0]][gObjectCells[slot][1]]) << "symbol " << slot;
            EXPECT_FLOAT_EQ(gMapCells[gObjectCells[slot][0]][gObjectCells[slot][1]].height, 1.0f)
                << "symbols chase on the plain's one level";
        }
    }
}

TEST_F(SlanPlain, BeatenSymbolStaysAwayUntilTheScreenIsEnteredAgain) {
    arrive(122, 37, 39, 1, 1);
    MapObject& beaten = gMapObjects[9];
    beaten.kind = beaten.visible = 0;  // as the field clears a symbol on contact
    beaten.index = 0;
    setupMap122(0);
    EXPECT_EQ(gMapObjects[9].kind, 0);
    arrive(122, 37, 39, 1, 1);
    EXPECT_EQ(gMapObjects[9].kind, 5);
    EXPECT_EQ(gMapObjects[9].index, 21);
}

TEST_F(SlanPlain, FirstScreenChestsOpenOnceForBothItsForms) {
    arrive(121, 44, 18, 1, 1);
    EXPECT_EQ(gMapObjects[1].present, 0) << "the wasteland's west edge has no door";
    const int owned = gItemStock[166].owned;
    openChest(2);
    EXPECT_EQ(gItemStock[166].owned, owned + 5);
    gFieldEvent = 0;
    arrive(17, 44, 18, 1, 1);
    EXPECT_EQ(gMapObjects[2].index, 150);
    EXPECT_EQ(gChestFlags[150], 1) << "opened on the green screen too";
    EXPECT_EQ(gChestFlags[151], 0);
}

// ---- The ambush ----

TEST_F(SlanPlain, AmbushWinsTheFireStoneEndsTheEpisodeAndReachesSkinTown) {
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 0;
    gPartyMembers[1].level = 9;
    gPartyMembers[2].level = 12;
    gPartyMembers[4].level = 8;
    gStoryFlags[flag::kMainPlot] = 5;
    arrive(18, 30, 40, 1, 1);
    touch(1);
    choices = {0};  // save and go on
    std::string last;
    bool sawPartyAppear = false, sawInterlude4 = false, sawInterlude5 = false, sawTitleTile = false;
    bool radonDown = false;
    const Played played = play(60000, [&] {
        note(last);
        dismissStoneBanner();
        if (gCurrentMap == 19) {
            if (gStoryFlags[kAmbushFlag] == 1 && gMapObjects[5].kind == 2 && gMapObjects[5].visible) sawPartyAppear = true;
            if (gStoryFlags[kAmbushFlag] == 2 && gMapObjects[2].pose == 4 && gMapObjects[8].visible == 0) radonDown = true;
            if (gStillPicture == 103) sawTitleTile = true;
            if (gEventPicture == 1 && gEventPictureNumber == 4) sawInterlude4 = true;
            if (gEventPicture == 1 && gEventPictureNumber == 5) sawInterlude5 = true;
        }
        return gCurrentMap == 20 && gScene == 0;
    });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{19, 20}));
    ASSERT_EQ(played.battles.size(), 1u);
    EXPECT_EQ(played.battles[0].step, 36);
    EXPECT_EQ(gBattleGroup, 22);
    ASSERT_EQ(played.saves.size(), 1u);
    EXPECT_EQ(played.saves[0].label, "エピソード２　完");
    EXPECT_EQ(played.saves[0].step, 84);
    EXPECT_TRUE(sawPartyAppear);
    EXPECT_TRUE(radonDown);
    EXPECT_TRUE(sawTitleTile);
    EXPECT_TRUE(sawInterlude4);
    EXPECT_TRUE(sawInterlude5);

    EXPECT_EQ(gStoryFlags[kAmbushFlag], 2);
    EXPECT_EQ(gStoneFlags[1], 1);
    EXPECT_EQ(gParty[2], 4);
    EXPECT_EQ(gPartyMembers[4].level, 10);
    EXPECT_EQ(gPartyMembers[4].experience, 810);
    EXPECT_EQ(gSlowMusicFade, 0);
    EXPECT_EQ(gPlayerVisible, 0) << "Skin town's arrival scene shows the party as figures";
    EXPECT_EQ(playerRow(), 50);
    EXPECT_EQ(playerColumn(), 9);
    EXPECT_EQ(gMapObjects[37].kind, 2) << "the square's arrival scene is armed";
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, AmbushSkippingTheSaveGoesStraightToTheInterlude) {
    arrive(19, 30, 36, 1, 0);
    gParty[0] = 1;
    gParty[1] = 2;
    choices = {1};
    const Played played = play(60000, [&] {
        dismissStoneBanner();
        return gCurrentMap == 20 && gScene == 0;
    });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_TRUE(played.saves.empty());
    EXPECT_EQ(played.maps, (std::vector<int>{20}));
}

TEST_F(SlanPlain, KleiberJoinsAtLeastAtTheAverageLevelOfTheOtherTwo) {
    struct Case {
        int sheryl, falk, kleiber, level, experience;
    };
    const Case cases[] = {
        {9, 12, 8, 10, 810},  // raised to the average (rounded down)
        {9, 12, 10, 10, -1},  // already there: untouched
        {9, 12, 15, 15, -1},
        {1, 2, 1, 1, -1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << c.sheryl << " " << c.falk << " " << c.kleiber);
        arrive(19, 30, 36, 1, 0);
        gParty[1] = 2;
        gParty[2] = 0;
        gPartyMembers[1].level = c.sheryl;
        gPartyMembers[2].level = c.falk;
        gPartyMembers[4].level = c.kleiber;
        gPartyMembers[4].experience = -1;
        gFieldEvent = 5;
        gEventStep = 36;
        runMapEvents19();
        EXPECT_EQ(gScene, 10) << "battle 22 starts";
        EXPECT_EQ(gBattleGroup, 22);
        EXPECT_EQ(gParty[2], 4);
        EXPECT_EQ(gPartyMembers[4].level, c.level);
        EXPECT_EQ(gPartyMembers[4].experience, c.experience);
        gScene = 0;
    }
}

TEST_F(SlanPlain, LastScreenDressesTheAmbushOnlyBeforeTheInn) {
    arrive(19, 30, 36, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【バトル】皇帝に跪け.mid");
    EXPECT_EQ(gMapObjects[2].character, 9);
    EXPECT_EQ(gMapObjects[3].pose, 8);
    EXPECT_EQ(gMapObjects[3].facing, 1);
    for (int slot : {5, 6, 7}) EXPECT_EQ(gMapObjects[slot].visible, 0) << "slot " << slot;
    ASSERT_EQ(gFieldMarkers[1].present, 1);
    EXPECT_FLOAT_EQ(gFieldMarkers[1].x, gMapObjects[2].x - 1.0f);
    EXPECT_FLOAT_EQ(gFieldMarkers[1].z, gMapObjects[2].z);
}

TEST_F(SlanPlain, StrandedPartyFiguresSendThePartyOnInsteadOfFreezingIt) {
    // After the ambush, before the assembly hall: the party's figures would
    // stand as automatic objects with nothing to play.
    gStoryFlags[kAmbushFlag] = 2;
    gStoryFlags[flag::kSkinInnStayed] = 1;
    arrive(19, 39, 36, 1, 1);
    ASSERT_EQ(gMapObjects[5].kind, 2);
    const Played played = play(30, [] { return gCurrentMap == 20; });
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(playerRow(), 50);
    EXPECT_EQ(playerColumn(), 9);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gMapObjects[37].kind, 0) << "no arrival scene after the inn";
}

// ---- The town square of Skin ----

TEST_F(SlanPlain, SquareArrivalWalksThePartyIntoTheInn) {
    arrive(20, 50, 9, 1, 0);
    EXPECT_STREQ(gRequestedSong, kSkinSong);
    EXPECT_EQ(gBattleBackground, 2);
    EXPECT_EQ(gRegionCurrency, 1);
    ASSERT_EQ(gMapObjects[37].kind, 2);
    for (int slot : {38, 39, 40}) {
        EXPECT_EQ(gMapObjects[slot].visible, 1);
        EXPECT_EQ(gMapObjects[slot].kind, 0);
    }
    const float startColumn = gMapObjects[37].z / kGridShear;
    bool walked = false;
    std::string last;
    const Played played = play(20000, [&] {
        note(last);
        if (gCurrentMap == 20 && gMapObjects[37].z / kGridShear > startColumn + 3.0f) walked = true;
        return gCurrentMap == 21 && gScene == 0;
    });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(played.maps, (std::vector<int>{21}));
    EXPECT_TRUE(walked);
    EXPECT_EQ(playerRow(), 26);
    EXPECT_EQ(playerColumn(), 53);
    EXPECT_EQ(lines.size(), 4u);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, SquareEveryoneAndEveryDoorCanBeReached) {
    gStoryFlags[flag::kSkinInnStayed] = 1;
    const int arrivals[4][2] = {{10, 20}, {27, 51}, {45, 20}, {50, 9}};
    for (const auto& a : arrivals) {
        SCOPED_TRACE(testing::Message() << "from " << a[0] << ", " << a[1]);
        arrive(20, a[0], a[1], 1, 1);
        const auto reached = story1test::walkableFrom(a[0], a[1]);
        for (int slot = 0; slot <= 49; ++slot) {
            const MapObject& o = gMapObjects[slot];
            ASSERT_EQ(o.present, 1) << "slot " << slot;
            const bool idler = slot >= 29 && slot <= 32;  // in the walled garden, out of reach
            if (o.kind == 1 || o.kind == 3) {
                EXPECT_EQ(story1test::touchable(reached, slot), !idler) << "slot " << slot;
            }
        }
        EXPECT_TRUE(reached[gObjectCells[33][0]][gObjectCells[33][1]]) << "the chest";
    }
}

TEST_F(SlanPlain, SquareExitsOpenOnceTheAssemblyHallIsStormed) {
    struct Case {
        int slot, hall;
        int toMap, toRow, toCol, toFacing;  // toMap -1: a refusal, no change
    };
    const Case cases[] = {
        {0, 0, -1, 0, 0, 0},      {1, 0, -1, 0, 0, 0},      {4, 0, -1, 0, 0, 0},     {9, 0, -1, 0, 0, 0},
        {0, 1, 19, 21, 36, 0},    {1, 2, 19, 21, 36, 0},    {4, 1, 30, 19, 6, 0},    {9, 3, 30, 19, 6, 0},
        {2, 0, 21, 34, 44, 1},    {3, 0, 22, 34, 44, 1},
    };
    gStoryFlags[flag::kSkinInnStayed] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << " hall " << c.hall);
        gStoryFlags[flag::kAssemblyHall] = static_cast<std::uint8_t>(c.hall);
        arrive(20, 27, 51, 1, 1);
        lines.clear();
        const Played played = talkTo(c.slot, 5000);
        ASSERT_TRUE(played.finished);
        if (c.toMap < 0) {
            EXPECT_TRUE(played.maps.empty());
            EXPECT_EQ(lines.size(), 1u);
            EXPECT_EQ(gCurrentMap, 20);
        } else {
            EXPECT_EQ(played.maps, (std::vector<int>{c.toMap}));
            EXPECT_EQ(playerRow(), c.toRow);
            EXPECT_EQ(playerColumn(), c.toCol);
            EXPECT_EQ(gPlayerFacing, c.toFacing);
        }
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, SquareShopsOpenWithTheirTitlesAndGoods) {
    struct Case {
        int slot;
        const char* title;
        int kind;
        int goods[3];
    };
    const Case cases[] = {
        {34, "武具屋－セマラナイストア", 0, {5, 22, 35}},
        {36, "玩具屋－セキカセシユウダイ", 100, {31, 55, 61}},
        {35, "道具屋－居眠りバズーカ", 0, {104, 105, 106}},
    };
    gStoryFlags[flag::kSkinInnStayed] = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        arrive(20, 27, 51, 1, 1);
        gPlayerFacing = 1;
        const Played played = talkTo(c.slot);
        ASSERT_TRUE(played.finished);
        ASSERT_EQ(played.shops.size(), 1u);
        EXPECT_EQ(played.shops[0].label, c.title);
        EXPECT_EQ(played.shops[0].kind, c.kind);
        EXPECT_EQ(std::vector<int>(played.shops[0].goods, played.shops[0].goods + 3),
                  std::vector<int>(c.goods, c.goods + 3));
        EXPECT_EQ(gPlayerFacing, 0);
    }
    EXPECT_EQ(gShopGoods[11], 153) << "the tool shop's twelfth item";
    EXPECT_EQ(gShopGoods[12], 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, SquareInnIsPrepaidUntilTheRaidThenCharges200Coins) {
    gStoryFlags[flag::kSkinInnStayed] = 1;
    arrive(20, 45, 20, 1, 1);
    gParty[0] = 1;
    gMoney[1] = 150;
    ASSERT_TRUE(talkTo(49).finished);
    EXPECT_EQ(gMoney[1], 150);
    EXPECT_TRUE(said("ファルク様のお連れの方ですね。"));

    gStoryFlags[kRaidNightFlag] = 1;
    struct Case {
        int money, after;
        bool stays;
    };
    const Case cases[] = {{200, 200, false}, {201, 1, true}, {5000, 4800, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.money);
        gMoney[1] = c.money;
        gPartyMembers[1].hp = 1;
        lines.clear();
        choices = {1};
        ASSERT_TRUE(talkTo(49).finished);
        EXPECT_EQ(gMoney[1], c.after);
        EXPECT_EQ(gPartyMembers[1].hp > 1, c.stays);
        EXPECT_EQ(gMoneyWindow, 0);
        EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
        EXPECT_STREQ(gRequestedSong, kSkinSong);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, SquareDuellistAndCardBoyDuelOnlyWithFiveCards) {
    gStoryFlags[flag::kSkinInnStayed] = 1;
    arrive(20, 27, 51, 1, 1);
    choices = {1};
    ASSERT_TRUE(talkTo(41).finished);
    EXPECT_TRUE(opponents.empty());
    choices = {2};
    ASSERT_TRUE(talkTo(42).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(gStoryFlags[flag::kCardBoy], 2);

    ownCheapCards(5);
    choices = {1};
    ASSERT_TRUE(talkTo(41).finished);
    choices = {0};
    ASSERT_TRUE(talkTo(41).finished);  // "今は遠慮しとく"
    choices = {2};
    lines.clear();
    ASSERT_TRUE(talkTo(42).finished);
    EXPECT_TRUE(said("シェリルさんはまだ初心者だからね。"));
    gStoryFlags[flag::kTournamentWakoku] = gStoryFlags[flag::kTournamentColerupic] = 1;
    gStoryFlags[flag::kTournamentMarksen2] = 1;
    choices = {2};
    lines.clear();
    ASSERT_TRUE(talkTo(42).finished);
    EXPECT_TRUE(said("三つの大会で優勝したんだって？"));
    EXPECT_EQ(opponents, (std::vector<int>{2, 6, 6}));

    choices = {1, 0, 0, 0};  // his lesson again
    ASSERT_TRUE(talkTo(42, 30000).finished);
    EXPECT_EQ(gCurrentMap, 20);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, SquareTournamentWonOnceWithTheChosenModelsCard) {
    gStoryFlags[flag::kSkinInnStayed] = 1;
    arrive(20, 27, 51, 1, 1);
    choices = {1};
    ASSERT_TRUE(talkTo(44).finished);  // no cards: refused before the fade
    EXPECT_TRUE(said("カードを五枚以上持ち"));
    EXPECT_TRUE(opponents.empty());
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);

    ownCheapCards(5);
    results = {kDuelWon, kDuelDraw, kDuelLost};
    choices = {1};
    lines.clear();
    ASSERT_TRUE(talkTo(44, 30000).finished);
    EXPECT_EQ(opponents, (std::vector<int>{20, 21, 22}));
    EXPECT_TRUE(said("残念でしたね。"));
    EXPECT_EQ(gStoryFlags[flag::kTournamentSkin], 0);
    EXPECT_STREQ(gRequestedSong, kSkinSong);

    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 4;
    opponents.clear();
    lines.clear();
    choices = {1, 2};  // enter; the third member, クレイバー, as the model
    ASSERT_TRUE(talkTo(44, 30000).finished);
    EXPECT_EQ(opponents, (std::vector<int>{20, 21, 22, 23, 24, 25, 26}));
    EXPECT_EQ(gStoryFlags[flag::kTournamentSkin], 1);
    EXPECT_EQ(gStoryFlags[flag::kPrizeCardModel], 4);
    EXPECT_EQ(gCardStock[83].count, 1);
    EXPECT_EQ(gCardStock[83].known, 1);
    EXPECT_TRUE(said("クレイバーのカードを手に入れた！"));
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
    EXPECT_STREQ(gRequestedSong, kSkinSong);

    opponents.clear();
    lines.clear();
    ASSERT_TRUE(talkTo(44).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(lines.size(), 1u) << "the desk only says it is won";

    choices = {2};  // the rules
    lines.clear();
    gStoryFlags[flag::kTournamentSkin] = 0;
    ASSERT_TRUE(talkTo(44).finished);
    EXPECT_TRUE(said("大会はカードバトルの勝ち抜き戦です。"));
    EXPECT_TRUE(said("優勝された方には、パーティーのどなたかを"));
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlanPlain, SquareTournamentWonAloneGivesSherylsCard) {
    gStoryFlags[flag::kSkinInnStayed] = 1;
    arrive(20, 27, 51, 1, 1);
    ownCheapCards(5);
    gParty[0] = 1;
    gParty[1] = gParty[2] = 0;
    choices = {1};
    ASSERT_TRUE(talkTo(44, 30000).finished);
    EXPECT_EQ(gStoryFlags[flag::kPrizeCardModel], 1);
    EXPECT_EQ(gCardStock[80].count, 1);
    EXPECT_TRUE(said("シェリル＝コンスタンティウスのカードを手に入れた！"));
}
