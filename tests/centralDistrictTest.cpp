// The central district of Marksen (map 1) played on the real map: its people,
// shops and exits, the debt collector, and the story scenes between the
// episodes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/Random.h"
#include "field/Overlays.h"
#include "menus/MenuState.h"
#include "platform/Clock.h"
#include "story/MapScripts.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

constexpr int kFalkReturn = 55;
constexpr int kRyuhiScene = 64;
constexpr int kSeaBaseSailed = 79;
constexpr int kMorokoshiJoined = 110;
constexpr int kArafosJoined = 111;
constexpr int kCollectorShown = 113;
constexpr int kDebtCollector = 114;

std::uint8_t& storyFlag(int index) { return gStoryFlags[index]; }

// Talks, counters and exits a player walks up to, by slot.
const int kTalkSlots[] = {2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12, 13, 14, 15, 20, 22, 23, 24, 25, 26,
                          27, 28, 29, 33, 34, 35, 36, 37, 38, 39, 43, 44, 45, 46, 47, 48, 49, 50, 51, 52,
                          53, 54, 55, 56, 60, 62, 63, 64, 65, 66, 67, 68, 69};

// A draw of randomThousand() whose parity is `even`, fixed by the clock and
// the previous draw.
void fixNextDraw(bool even) {
    timing::setCalendarClock([] { return std::int64_t{1700000000}; });
    for (int last = 0; last < 32768; ++last) {
        const unsigned seed = 1700000000u + static_cast<unsigned>(last);
        if (((drawAfterSeed(seed) % 1000) % 2 == 0) == even) {
            gRandomLast = last;
            return;
        }
    }
    FAIL() << "no draw of that parity";
}

struct CentralDistrict : StoryField {
    void TearDown() override {
        timing::setCalendarClock({});
        StoryField::TearDown();
    }
    // The event of `slot` played to its end; its key lines shown on the way.
    Played talk(int slot, int budget = 2000) {
        touch(slot);
        return playEvent(budget);
    }
};

}  // namespace

// ---- The map and its people ----

TEST_F(CentralDistrict, EveryoneWithSomethingToSayCanBeWalkedUpTo) {
    struct Stage {
        int plot, route;
    };
    for (const Stage st : {Stage{0, 0}, Stage{5, 0}, Stage{5, 1}, Stage{5, 2}}) {
        SCOPED_TRACE(st.plot * 10 + st.route);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        storyFlag(flag::kMainPlot) = static_cast<std::uint8_t>(st.plot);
        storyFlag(flag::kRoute) = static_cast<std::uint8_t>(st.route);
        storyFlag(flag::kRusanaRescue) = st.route == 2 ? 3 : 0;
        storyFlag(flag::kTowerViewRoute1) = 1;
        storyFlag(flag::kTowerViewRoute2) = 1;
        storyFlag(flag::kDemonRealmDepths) = st.route == 1 ? 1 : 0;
        arrive(1, 27, 5, 1, 1);
        const auto reached = walkableFrom(27, 5);
        for (int slot : kTalkSlots) {
            ASSERT_TRUE(gMapObjects[slot].present) << slot;
            EXPECT_TRUE(touchable(reached, slot)) << "slot " << slot;
        }
        // The exits (the arch, slot 57, is live only after the slum's farewell or
        // with the debt collector waiting: the map walk covers it in that state).
        for (int slot : {16, 17, 18, 19, 30, 31, 32, 40, 41, 42}) EXPECT_TRUE(touchable(reached, slot)) << slot;
        // The four with no talk stay out of reach.
        for (int slot : {0, 1, 21, 61}) {
            EXPECT_EQ(gMapObjects[slot].kind, 3);
            EXPECT_FALSE(touchable(reached, slot)) << slot;
        }
        std::vector<int> figures;
        if (st.plot >= 1 && st.route == 0) figures = {72, 73};
        if (st.plot >= 2 && st.route == 0) figures.push_back(76);
        if (st.route == 1) figures = {91};
        if (st.route == 2) figures = {58, 80};
        for (int slot : figures) {
            EXPECT_NE(gMapObjects[slot].kind, 0) << slot;
            EXPECT_TRUE(touchable(reached, slot)) << slot;
        }
    }
}

TEST_F(CentralDistrict, EveryTalkEndsOnTheMapWithItsOwnLines) {
    arrive(1, 27, 5, 1, 1);
    choices = {1, 1};
    for (int slot : kTalkSlots) {
        if (slot == 44 || slot == 62) continue;  // the shops, below
        SCOPED_TRACE(slot);
        const Played run = talk(slot);
        EXPECT_TRUE(run.finished);
        EXPECT_TRUE(run.maps.empty());
        EXPECT_TRUE(run.shops.empty());
        EXPECT_EQ(gEventStep, 1);
    }
    EXPECT_EQ(gDialogueMisses, 0);
    // The wardrobe is only talked about.
    EXPECT_EQ(gMoney[0], 0);
}

TEST_F(CentralDistrict, ChoiceTalksFollowEitherAnswerToTheEnd) {
    struct Case {
        int slot, option, lastStep;  // the step of the answer's last line
    };
    for (const Case c : {Case{15, 0, 3}, Case{15, 1, 5}, Case{22, 0, 3}, Case{22, 1, 6}}) {
        SCOPED_TRACE(c.slot * 10 + c.option);
        arrive(1, 27, 5, 1, 1);
        choices = {c.option};
        int lastLine = -1;
        touch(c.slot);
        const Played run = play(1500, [&] {
            if (gMessageMode == 1) lastLine = gEventStep;
            return gFieldEvent == 0;
        });
        EXPECT_TRUE(run.finished);
        EXPECT_EQ(lastLine, c.lastStep);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- Shops, services and bodyguards ----

TEST_F(CentralDistrict, ShopsOpenWithTheirTitlesAndGoods) {
    arrive(1, 27, 5, 1, 1);
    struct Case {
        int slot;
        const char* title;
        int first[3];
    };
    for (const Case c : {Case{44, "武具屋－ゲーリフェントス", {2, 47, 72}},
                         Case{62, "道具屋－アイテムストアペガサス", {130, 131, 132}}}) {
        SCOPED_TRACE(c.slot);
        gPlayerFacing = 1;
        const Played run = talk(c.slot);
        ASSERT_EQ(run.shops.size(), 1u);
        EXPECT_EQ(run.shops[0].label, c.title);
        EXPECT_EQ(run.shops[0].kind, 0);
        EXPECT_EQ(run.shops[0].goods[0], c.first[0]);
        EXPECT_EQ(run.shops[0].goods[1], c.first[1]);
        EXPECT_EQ(run.shops[0].goods[2], c.first[2]);
        EXPECT_EQ(gPlayerFacing, 0);  // turned to the counter
        EXPECT_TRUE(run.finished);
    }
    EXPECT_EQ(gShopGoods[10], 154);
    EXPECT_EQ(gShopGoods[11], 0);
}

TEST_F(CentralDistrict, MorokoshiSellsOnPointsAndJoinsOnlyOnce) {
    storyFlag(flag::kMainPlot) = 2;
    arrive(1, 27, 5, 1, 1);
    gBodyguardHired[1] = 0;
    gBodyguards[1].hp = 5;
    bool joinedLine = false;
    touch(76);
    Played run = play(3000, [&] {
        if (gMessageMode == 1 && std::strstr(gMessageText, "用心棒に加わった") != nullptr) joinedLine = true;
        return gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished);
    ASSERT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(run.shops[0].label, "もろこし屋－マルクセング");
    EXPECT_EQ(run.shops[0].kind, 7);
    // Thirteen goods are listed; the shop shows twelve of them.
    EXPECT_EQ(gShopGoods[12], 102);
    EXPECT_EQ(gShopGoods[13], 0);
    EXPECT_TRUE(joinedLine);
    EXPECT_EQ(gBodyguardHired[1], 1);
    EXPECT_EQ(gBodyguards[1].hp, 99999);
    EXPECT_EQ(storyFlag(kMorokoshiJoined), 1);

    joinedLine = false;
    gBodyguards[1].hp = 7;
    touch(76);
    run = play(3000, [&] {
        if (gMessageMode == 1 && std::strstr(gMessageText, "用心棒に加わった") != nullptr) joinedLine = true;
        return gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.shops.size(), 1u);
    EXPECT_FALSE(joinedLine);
    EXPECT_EQ(gBodyguards[1].hp, 7);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, ArafosJoinsAfterTheRescueOnce) {
    storyFlag(flag::kRoute) = 2;
    storyFlag(flag::kRusanaRescue) = 3;
    storyFlag(flag::kTowerViewRoute2) = 1;
    arrive(1, 27, 5, 1, 1);
    ASSERT_EQ(gMapObjects[58].kind, 3);
    EXPECT_TRUE(talk(58).finished);
    EXPECT_EQ(gBodyguardHired[2], 1);
    EXPECT_EQ(gBodyguards[2].hp, 99999);
    EXPECT_EQ(storyFlag(kArafosJoined), 1);
    gBodyguards[2].hp = 3;
    EXPECT_TRUE(talk(58).finished);
    EXPECT_EQ(gBodyguards[2].hp, 3);
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- Exits and the boat ----

TEST_F(CentralDistrict, ExitsLeadWhereTheStoryAllows) {
    struct Case {
        int slot, plot, castle, barMet;
        int map;  // -1: シェリル refuses and stays
        int row, col;
    };
    const Case cases[] = {
        {16, 5, 0, 0, 17, 44, 18},  {17, 5, 2, 0, 121, 44, 18}, {16, 3, 0, 0, -1, 0, 0},
        {30, 0, 0, 1, 71, 17, 5},   {32, 0, 0, 0, -1, 0, 0},    {18, 0, 0, 0, 72, 14, 2},
        {41, 0, 0, 0, 2, 30, 32},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.slot * 100 + c.plot);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        storyFlag(flag::kMainPlot) = static_cast<std::uint8_t>(c.plot);
        storyFlag(flag::kCastleTop) = static_cast<std::uint8_t>(c.castle);
        storyFlag(flag::kColerupicBarMet) = static_cast<std::uint8_t>(c.barMet);
        // No scene of the stage may start on arrival.
        storyFlag(kFalkReturn) = 2;
        gMusicLock = 1;
        arrive(1, 27, 5, 1, 1);
        gMapObjects[71].kind = 0;
        const Played run = talk(c.slot, 600);
        ASSERT_TRUE(run.finished);
        if (c.map < 0) {
            EXPECT_TRUE(run.maps.empty());
            EXPECT_EQ(gCurrentMap, 1);
        } else {
            EXPECT_EQ(run.maps, std::vector<int>{c.map});
            EXPECT_EQ(gPendingMapChange.row, c.row);
            EXPECT_EQ(gPendingMapChange.col, c.col);
        }
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, BoatOwnerSailsOnlyWhereARouteHasOpened) {
    struct Case {
        int route, opened, option;
        int map;  // -1: no voyage
    };
    for (const Case c : {Case{0, 0, 1, -1}, Case{1, 0, 1, -1}, Case{1, 1, 0, -1}, Case{1, 1, 1, 105},
                         Case{2, 0, 1, -1}, Case{2, 1, 1, 93}}) {
        SCOPED_TRACE(c.route * 100 + c.opened * 10 + c.option);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        storyFlag(flag::kRoute) = static_cast<std::uint8_t>(c.route);
        storyFlag(flag::kTowerViewRoute1) = 1;
        storyFlag(flag::kTowerViewRoute2) = 1;
        if (c.route == 1) storyFlag(kSeaBaseSailed) = static_cast<std::uint8_t>(c.opened);
        if (c.route == 2) storyFlag(kRyuhiScene) = c.opened ? 2 : 1;
        arrive(1, 27, 5, 1, 1);
        for (int slot : {81}) gMapObjects[slot].kind = 0;  // the quay scene is not this test's
        choices = {c.option};
        const Played run = talk(28, 800);
        ASSERT_TRUE(run.finished);
        if (c.map < 0) EXPECT_TRUE(run.maps.empty());
        else EXPECT_EQ(run.maps, std::vector<int>{c.map});
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The debt collector ----

TEST_F(CentralDistrict, DebtCollectorIsArmedOnlyOnArrivalWithAMillionOwed) {
    struct Case {
        int loan;
        bool evenDraw;
        int armed;
    };
    for (const Case c : {Case{1000000, true, 1}, Case{1000000, false, 0}, Case{999999, true, 0}, Case{3000000, true, 1}}) {
        SCOPED_TRACE(c.loan);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gLoan = c.loan;
        fixNextDraw(c.evenDraw);
        arrive(1, 27, 5, 1, 1);
        EXPECT_EQ(storyFlag(kDebtCollector), c.armed);
        EXPECT_EQ(gMapObjects[57].kind, c.armed ? 1 : 0);
    }
    // Walking about (the set-up with 0) never arms him.
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    gLoan = 2000000;
    fixNextDraw(false);
    arrive(1, 27, 5, 1, 1);
    fixNextDraw(true);
    for (int n = 0; n < 5; ++n) setupMap1(0);
    EXPECT_EQ(storyFlag(kDebtCollector), 0);
    // Once beaten he never comes again.
    storyFlag(kDebtCollector) = 2;
    fixNextDraw(true);
    arrive(1, 27, 5, 1, 1);
    EXPECT_EQ(storyFlag(kDebtCollector), 2);
}

TEST_F(CentralDistrict, DebtCollectorTakesWhatThereIsAndFightsWhenItIsNotEnough) {
    struct Case {
        int loan, balance, option;
        int loanAfter, balanceAfter;
        bool fight;
        int collectorAfter;
        const char* lastWords;
    };
    const Case cases[] = {
        {1200000, 150099, 0, 0, 99, true, 2, "踏み倒した。"},
        {1000000, 1000000, 0, 0, 0, false, 0, "全額返済か。"},
        {1000099, 100, 0, 999999, 0, false, 0, "・・・今回は見逃してやる。"},
        {1500000, 99, 0, 0, 99, true, 2, "踏み倒した。"},
        {1500000, 3000000, 1, 0, 3000000, true, 2, "踏み倒した。"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.loan);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gLoan = c.loan;
        gMoney[0] = c.balance;
        storyFlag(kDebtCollector) = 1;
        arrive(1, 27, 8, 0, 1);
        ASSERT_EQ(gMapObjects[57].kind, 1);
        choices = {c.option};
        bool demanded = false, sawLastWords = false, sawLoanLine = false;
        const std::string demand = std::to_string(c.loan) + "フォッグ、返してもらうぞ。";
        touch(57);
        const Played run = play(4000, [&] {
            if (std::strstr(gMessageText, demand.c_str()) != nullptr) demanded = true;
            if (std::strstr(gMessageText, c.lastWords) != nullptr) sawLastWords = true;
            if (gFieldEvent == 58 && gEventStep == 6 && gMoneyWindow == 2) sawLoanLine = true;
            return gFieldEvent == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
        EXPECT_TRUE(demanded);
        EXPECT_TRUE(sawLoanLine);
        EXPECT_TRUE(sawLastWords);
        EXPECT_EQ(run.battles.size(), c.fight ? 1u : 0u);
        if (c.fight) {
            EXPECT_EQ(run.battles[0].step, 15);
        }
        EXPECT_EQ(run.maps, std::vector<int>{1});
        EXPECT_EQ(gPendingMapChange.row, 14);
        EXPECT_EQ(gPendingMapChange.col, 27);
        EXPECT_EQ(gLoan, c.loanAfter);
        EXPECT_EQ(gMoney[0], c.balanceAfter);
        EXPECT_EQ(storyFlag(kDebtCollector), c.collectorAfter);
        EXPECT_EQ(storyFlag(kCollectorShown), 0);
        EXPECT_EQ(gMoneyWindow, 0);
        EXPECT_EQ(gMapObjects[57].kind, 0);  // the reload dropped his trigger
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The main plot ----

TEST_F(CentralDistrict, FalksReturnLeadsToTheTerraceTalkAndOnToTheSlanPlain) {
    storyFlag(flag::kSlumFarewell) = 2;
    arrive(1, 27, 5, 1, 1);
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    ASSERT_EQ(gMapObjects[57].kind, 1);
    bool terraceSong = false;
    touch(57);
    const Played run = play(20000, [&] {
        if (gFieldEvent == 72 && std::strcmp(gRequestedSong, "【テーマ】ファルク.mid") == 0) terraceSong = true;
        return gCurrentMap == 17 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{1, 17}));
    EXPECT_TRUE(terraceSong);
    EXPECT_EQ(storyFlag(kFalkReturn), 2);
    EXPECT_EQ(storyFlag(flag::kMainPlot), 1);
    EXPECT_EQ(gPendingMapChange.row, 38);
    EXPECT_EQ(gPendingMapChange.col, 27);
    EXPECT_TRUE(run.battles.empty());
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, CherylsReturnCutsToTheAssemblyHall) {
    storyFlag(flag::kMainPlot) = 2;
    arrive(1, 35, 22, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】シェリル.mid");
    ASSERT_EQ(gMapObjects[75].kind, 2);
    const Played run = play(12000, [] { return gCurrentMap == 11; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, std::vector<int>{11});
    EXPECT_EQ(storyFlag(flag::kMainPlot), 2);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, BriefingMakesFalkJoinAndOpensTheSlanRoad) {
    struct Case {
        int falkLevel, expectedLevel;
    };
    for (const Case c : {Case{8, 12}, Case{20, 20}}) {
        SCOPED_TRACE(c.falkLevel);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        storyFlag(flag::kMainPlot) = 4;
        gMusicLock = 1;
        gPartyMembers[1].level = 10;
        gPartyMembers[4].level = 15;
        gPartyMembers[4].stones[0] = 3;
        gPartyMembers[4].stones[1] = 4;
        gPartyMembers[2].level = c.falkLevel;
        gPartyMembers[2].experience = 12345;
        gParty[0] = 1;
        gParty[1] = 4;
        gParty[2] = 3;
        arrive(1, 36, 22, 1, 0);
        ASSERT_EQ(gMapObjects[71].kind, 2);
        bool sawPicture = false;
        const Played run = play(12000, [&] {
            if (gStillPicture == 3) sawPicture = true;
            return gStoryFlags[flag::kMainPlot] == 5 && gScene == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_TRUE(sawPicture);
        EXPECT_EQ(run.maps, std::vector<int>{1});
        EXPECT_EQ(gParty[1], 2);
        EXPECT_EQ(gParty[2], 0);
        EXPECT_EQ(gPartyMembers[2].level, c.expectedLevel);
        EXPECT_EQ(gPartyMembers[2].experience, 10 * (c.expectedLevel - 1) * (c.expectedLevel - 1));
        EXPECT_EQ(gPartyMembers[4].stones[0], 0);
        EXPECT_EQ(gPartyMembers[4].stones[1], 0);
        EXPECT_EQ(gMusicLock, 0);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(gMapObjects[71].kind, 0);  // the briefing does not start again
        EXPECT_EQ(gFieldEvent, 0);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The routes ----

TEST_F(CentralDistrict, TowerViewPlaysOnceOnEitherRoute) {
    struct Case {
        int route, viewFlag, figure;  // the column of the second figure
    };
    for (const Case c : {Case{1, flag::kTowerViewRoute1, 1}, Case{2, flag::kTowerViewRoute2, 3}}) {
        SCOPED_TRACE(c.route);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        storyFlag(flag::kRoute) = static_cast<std::uint8_t>(c.route);
        storyFlag(flag::kRusanaRescue) = 1;
        storyFlag(kRyuhiScene) = 2;
        arrive(1, 32, 44, 1, 1);
        ASSERT_EQ(gMapObjects[77].kind, 2);
        EXPECT_EQ(gMapObjects[78].character, c.figure);
        const Played run = play(6000, [&] { return gStoryFlags[c.viewFlag] == 1 && gScene == 0 && gFieldEvent == 0; });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(run.maps, std::vector<int>{1});
        EXPECT_EQ(playerRow(), 38);
        EXPECT_EQ(playerColumn(), 48);
        EXPECT_EQ(gMapObjects[77].kind, 0);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, RyuhiOnTheQuayComesAlongToTheShip) {
    storyFlag(flag::kRoute) = 2;
    storyFlag(flag::kRusanaRescue) = 1;
    storyFlag(flag::kTowerViewRoute2) = 1;
    arrive(1, 27, 5, 1, 1);
    ASSERT_EQ(gMapObjects[80].kind, 1);
    ASSERT_EQ(gMapObjects[70].kind, 1);
    touch(80);
    const Played run = play(12000, [] { return gCurrentMap == 120; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{1, 120}));
    EXPECT_EQ(storyFlag(kRyuhiScene), 2);
    EXPECT_EQ(gPlayerVisible, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, MoonlightStoneFightEndsOnTheFieroSlope) {
    storyFlag(flag::kRoute) = 2;
    storyFlag(flag::kReturnAfterCastle) = 1;
    storyFlag(flag::kTowerViewRoute2) = 1;
    storyFlag(kRyuhiScene) = 2;
    arrive(1, 32, 44, 1, 1);
    EXPECT_STREQ(gRequestedSong, "");  // silence while the scene is due
    ASSERT_EQ(gMapObjects[82].kind, 2);
    int beatenRow = -1;
    const Played run = play(20000, [&] {
        if (gFieldEvent == 83 && gEventStep == 27) beatenRow = gMapObjects[83].pose;
        return gCurrentMap == 71;
    });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 25);
    EXPECT_EQ(beatenRow, 4);
    EXPECT_EQ(run.maps, std::vector<int>{71});
    EXPECT_EQ(storyFlag(flag::kReturnAfterCastle), 2);
    EXPECT_EQ(storyFlag(flag::kColerupicEmptied), 1);
    EXPECT_EQ(storyFlag(flag::kColerupicDeserted), 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(CentralDistrict, ThreeStonesSceneAndTheCallToTheSeaBase) {
    storyFlag(flag::kRoute) = 1;
    storyFlag(flag::kTowerViewRoute1) = 1;
    storyFlag(flag::kEpisode7Route1) = 1;
    arrive(1, 27, 5, 1, 1);
    Played run = play(4000, [] { return gStoryFlags[flag::kEpisode7Route1] == 2 && gScene == 0; });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(run.maps, std::vector<int>{1});
    EXPECT_EQ(playerRow(), 9);
    EXPECT_EQ(playerColumn(), 42);

    storyFlag(flag::kDemonRealmDepths) = 1;
    arrive(1, 27, 5, 1, 1);
    ASSERT_EQ(gMapObjects[91].kind, 3);
    choices = {0};  // not ready yet
    run = talk(91);
    EXPECT_TRUE(run.maps.empty());
    EXPECT_EQ(storyFlag(kSeaBaseSailed), 0);
    choices = {1};
    touch(91);
    run = play(2000, [] { return gCurrentMap == 120; });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(storyFlag(kSeaBaseSailed), 1);
    EXPECT_EQ(gPlayerVisible, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}
