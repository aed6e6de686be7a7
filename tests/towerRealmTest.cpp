// The tower セントラルトルム and 魔空間 on their real maps: the bank hall and
// its barrier, もろこし's special sale, the lift car's panel, the sixth
// floor's two scenes, the thief master, the twentieth floor, and the realm's
// floating floors, stand and depths. The bank screen is stood in for.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/Input.h"
#include "engine/Music.h"
#include "events/FieldMechanisms.h"
#include "field/FieldScreen.h"
#include "field/NewsTicker.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "story/MapScripts.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

constexpr int kBankScene = 301;

struct TowerRealm : StoryField {
    std::vector<std::string> banks;  // titles of the banks opened

    void SetUp() override {
        StoryField::SetUp();
        otherScreen = [this] {
            if (gScene == kBankScene) {
                banks.push_back(gShopTitle);
                gScene = 0;
                return true;
            }
            return false;
        };
    }
    // One frame with a key of the test's choosing (the panel reads it).
    void press(int code) {
        gInputCode = code;
        story1test::gClock += 16;
        runField(resources, device.get());
        if (gScene == 1) gScene = 0;
    }
    // The stone banner waits for a decide the fixture's player does not give.
    void dismissStoneBanner() {
        if (gStoneBannerShown == 1 && gScene == 0) press(kInputDecide);
    }
    static int objectRow(int slot) { return static_cast<int>(gObjectCells[slot][0]); }
    static int objectColumn(int slot) { return static_cast<int>(gObjectCells[slot][1]); }
};

// ---- The ground floor ----

TEST_F(TowerRealm, BarrierOnlyWarnsUntilTheTowerHasBeenSeen) {
    arrive(72, 30, 2, 0, 1);  // before the barrier, where a player meets it
    EXPECT_EQ(gMapObjects[19].kind, 3);
    touch(25);
    const Played run = playEvent(800);
    ASSERT_TRUE(run.finished);
    EXPECT_TRUE(run.battles.empty());
    EXPECT_EQ(gStoryFlags[flag::kBankHallBroken], 0);
    EXPECT_EQ(gMapObjects[19].facing, 1);  // she turned to warn the party
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, ForcingTheBarrierFightsAndEmptiesTheBankHall) {
    gStoryFlags[flag::kRoute] = 2;
    gStoryFlags[flag::kTowerViewRoute2] = 1;
    arrive(72, 30, 2, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    choices = {1};  // 突き進む。
    touch(22);
    gNewsTickerOn = 1;
    const Played run = play(2000, [] { return gCurrentMap == 72 && gStoryFlags[flag::kBankHallBroken] == 1 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.maps, (std::vector<int>{72}));
    EXPECT_EQ(playerRow(), 7);
    EXPECT_EQ(playerColumn(), 10);
    EXPECT_EQ(gNewsTickerOn, 0);
    EXPECT_STREQ(gRequestedSong, "【チャプター７】セントラルトルム１.mid");
    for (int slot = 18; slot <= 30; ++slot) EXPECT_EQ(gMapObjects[slot].kind, 0) << "slot " << slot;
    EXPECT_EQ(gMapObjects[19].visible, 0);
    for (int slot = 2; slot <= 11; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5) << "guard " << slot;
        EXPECT_EQ(gMapObjects[slot].index, 52 + slot % 4);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, BankCounterHaltsTheEmpireCurrencyOnlyWhileThePartyIsOut) {
    struct Case {
        int plot, route, castle;
        bool coinHalted;
    };
    const Case cases[] = {{5, 1, 0, true}, {5, 2, 1, true}, {5, 2, 2, false}, {4, 1, 0, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "plot " << c.plot << " route " << c.route << " castle " << c.castle);
        banks.clear();
        gStoryFlags[flag::kMainPlot] = static_cast<std::uint8_t>(c.plot);
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(c.route);
        gStoryFlags[flag::kCastleTop] = static_cast<std::uint8_t>(c.castle);
        for (ExchangeRate& r : gExchangeRates) r.halted = 1;
        arrive(72, 19, 10, 0, 1);
        gPlayerFacing = 1;
        touch(18);
        ASSERT_TRUE(playEvent(600).finished);
        EXPECT_EQ(gPlayerFacing, 0);
        EXPECT_EQ(banks, (std::vector<std::string>{"マルクセングセントラルバンク"}));
        EXPECT_EQ(gExchangeRates[1].halted, c.coinHalted ? 1 : 0);
        EXPECT_EQ(gExchangeRates[0].halted, 0);
        EXPECT_EQ(gExchangeRates[2].halted, 0);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, ClerksExplainOnRequestAndPutTheWorldMapAway) {
    arrive(72, 14, 2, 0, 1);
    for (int slot : {19, 20}) {
        choices = {1};
        bool sawPicture = false;
        touch(slot);
        const Played run = play(3000, [&] {
            if (gEventPicture == 1 && gEventPictureNumber == 1) sawPicture = true;
            return gFieldEvent == 0;
        });
        ASSERT_TRUE(run.finished) << "slot " << slot;
        EXPECT_EQ(sawPicture, slot == 19);
        EXPECT_EQ(gEventPicture, 0);
    }
    choices = {0};
    touch(20);
    EXPECT_TRUE(playEvent(400).finished);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, GroundFloorLowersEveryGateOnEachCall) {
    arrive(72, 14, 2, 0, 1);
    for (int i = 900; i <= 902; ++i) gStoryFlags[i] = 1;
    std::size_t choice = 0;
    frame(choice);
    for (int i = 900; i <= 902; ++i) EXPECT_EQ(gStoryFlags[i], 0);
}

TEST_F(TowerRealm, GuardsOfTheUpperFloorsComeBackOnEveryArrival) {
    arrive(73, 15, 15, 1, 1);
    for (int slot = 1; slot <= 10; ++slot) EXPECT_EQ(gMapObjects[slot].kind, 5) << slot;
    arrive(72, 14, 2, 0, 1);
    for (int slot = 2; slot <= 11; ++slot) EXPECT_EQ(gMapObjects[slot].kind, 0) << slot;
    arrive(80, 6, 15, 1, 1);
    for (int slot = 4; slot <= 13; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5);
        EXPECT_EQ(gMapObjects[slot].index, 59 + slot % 5);
    }
    arrive(86, 15, 23, 1, 1);
    for (int slot = 7; slot < 30; ++slot) EXPECT_NE(gMapObjects[slot].kind, 5);
}

// ---- The fifth floor: もろこし ----

struct SaleCase {
    int balance;
    int paid;
};

TEST_F(TowerRealm, SpecialSaleNamesAndTakesAPriceThePurseCanPay) {
    const SaleCase cases[] = {{100000, 100000}, {250000, 100000}, {99999, 39999}, {10, 4}, {0, 0}};
    for (const SaleCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "balance " << c.balance);
        gStoryFlags[flag::kRoute] = 2;
        gStoryFlags[43] = 0;
        gMoney[0] = c.balance;
        gRegionCurrency = 0;
        gItemStock[16].owned = 0;
        gItemStock[94].owned = 0;
        arrive(76, 12, 7, 1, 1);
        EXPECT_EQ(gMapObjects[16].kind, 1);
        touch(17);
        std::string offer;
        const Played run = play(4000, [&] {
            if (gFieldEvent == 16 && gEventStep == 14 && gMessageMode == 1) offer = gMessageText;
            return gStoryFlags[43] == 2 && gFieldEvent == 0 && gScene == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(run.maps, (std::vector<int>{76, 76}));
        EXPECT_NE(offer.find(std::to_string(c.paid)), std::string::npos) << offer;
        EXPECT_EQ(gMoney[0], c.balance - c.paid);
        EXPECT_EQ(gItemStock[16].owned, 1);
        EXPECT_EQ(gItemStock[94].owned, 1);
        ASSERT_EQ(run.shops.size(), 1u);
        EXPECT_EQ(run.shops[0].label, "もろこし屋－セントラルトルム");
        EXPECT_EQ(run.shops[0].kind, 17);
        EXPECT_EQ(run.shops[0].goods[0], 13);
        EXPECT_EQ(gMoneyWindow, 0);
        EXPECT_EQ(gMapObjects[16].kind, 0);  // the way up is open
        EXPECT_EQ(gMapObjects[15].kind, 3);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, MerchantGivesTheBonusCardOnceAndOnlyWithoutBattleItems) {
    gStoryFlags[flag::kRoute] = 2;
    gStoryFlags[43] = 2;
    arrive(76, 7, 10, 1, 1);
    touch(15);
    Played run = playEvent(800);
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(gCardStock[85].count, 1);
    EXPECT_EQ(gCardStock[85].known, 1);
    EXPECT_TRUE(run.shops.empty());
    touch(15);
    run = playEvent(800);
    EXPECT_EQ(gCardStock[85].count, 1);
    ASSERT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(run.shops[0].kind, 17);

    gStoryFlags[121] = 0;
    gStoryFlags[flag::kBattleItemUsed] = 1;
    touch(15);
    run = playEvent(800);
    EXPECT_EQ(gCardStock[85].count, 1);
    EXPECT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, RouteOneMerchantSellsWithAPointCard) {
    gStoryFlags[flag::kRoute] = 1;
    arrive(76, 20, 7, 1, 1);  // before もろこし
    EXPECT_EQ(gMapObjects[13].kind, 3);
    EXPECT_EQ(gMapObjects[15].kind, 0);
    EXPECT_EQ(gMapObjects[16].kind, 0);
    touch(13);
    const Played run = playEvent(800);
    ASSERT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(run.shops[0].kind, 12);
    EXPECT_EQ(run.shops[0].goods[0], 11);
}

// ---- The lift car ----

TEST_F(TowerRealm, FloorPanelWrapsByRouteAndRidesOnlyToServedFloors) {
    gStoryFlags[flag::kRoute] = 1;
    gStoryFlags[flag::kLiftShaft] = 0;
    arrive(92, 15, 11, 0, 1);
    gStoryFlags[flag::kLiftCarCursor] = 7;
    touch(0);
    press(0);
    EXPECT_EQ(gFloorPanelShown, 1);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 0);
    press(kInputUp);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 4);
    press(kInputDown);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 0);
    press(kInputRight);
    press(kInputLeft);
    press(kInputCancel);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 0);
    EXPECT_EQ(gFloorPanelShown, 1);
    EXPECT_EQ(gFieldEvent, 1);
    for (int i = 0; i < 4; ++i) press(kInputDown);
    press(kInputDecide);
    EXPECT_EQ(gFloorPanelShown, 0);
    EXPECT_EQ(gCurrentMap, 76);
    EXPECT_EQ(playerRow(), 15);
    EXPECT_EQ(playerColumn(), 15);
    EXPECT_EQ(gPlayerFacing, 1);
}

TEST_F(TowerRealm, FloorPanelOfTheOtherRouteRefusesGreyFloors) {
    gStoryFlags[flag::kRoute] = 2;
    gStoryFlags[flag::kLiftShaft] = 1;
    arrive(92, 15, 11, 0, 1);
    touch(1);
    press(0);
    press(kInputUp);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 19);
    press(kInputDown);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 0);
    press(kInputLeft);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 15);
    press(kInputRight);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 0);
    press(kInputRight);
    EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 5);
    press(kInputDecide);  // the sixth floor has no door
    EXPECT_EQ(gCurrentMap, 92);
    EXPECT_EQ(gFloorPanelShown, 1);
    press(kInputDown);
    press(kInputDecide);
    EXPECT_EQ(gCurrentMap, 78);
    EXPECT_EQ(playerRow(), 6);
    EXPECT_EQ(playerColumn(), 15);
}

TEST_F(TowerRealm, FirstRideToTheNineteenthFloorGoesOnToTheTop) {
    gStoryFlags[flag::kRoute] = 2;
    for (int flashback : {0, 1}) {
        gStoryFlags[flag::kTwentiethFlashback] = static_cast<std::uint8_t>(flashback);
        gStoryFlags[flag::kLiftShaft] = 3;
        arrive(92, 15, 11, 0, 1);
        touch(2);
        press(0);
        for (int i = 0; i < 3; ++i) press(kInputRight);  // 16F
        for (int i = 0; i < 3; ++i) press(kInputDown);   // 19F
        EXPECT_EQ(gStoryFlags[flag::kLiftCarCursor], 18);
        press(kInputDecide);
        if (flashback == 0) {
            EXPECT_EQ(gCurrentMap, 91);
            EXPECT_EQ(gPlayerVisible, 0);
            EXPECT_EQ(playerRow(), 15);
            EXPECT_EQ(playerColumn(), 15);
        } else {
            EXPECT_EQ(gCurrentMap, 90);
            EXPECT_EQ(playerRow(), 15);
            EXPECT_EQ(playerColumn(), 23);
        }
    }
}

TEST_F(TowerRealm, LiftDoorsRecordTheirShaft) {
    struct Door {
        int map, slot, shaft, row, col;
    };
    const Door doors[] = {{72, 0, 0, 15, 15}, {79, 0, 1, 6, 15}, {79, 1, 2, 25, 15}, {88, 0, 3, 15, 23}};
    for (const Door& d : doors) {
        gStoryFlags[flag::kBankHallBroken] = 1;
        arrive(d.map, d.row, d.col, 1, 1);
        EXPECT_EQ(gMapObjects[d.slot].kind, 1);
        touch(d.slot);
        const Played run = play(30, [] { return gCurrentMap == 92; });
        ASSERT_TRUE(run.finished) << "map " << d.map;
        EXPECT_EQ(gStoryFlags[flag::kLiftShaft], d.shaft);
        EXPECT_EQ(playerRow(), 15);
        EXPECT_EQ(playerColumn(), 11);
    }
}

// ---- The sixth floor ----

TEST_F(TowerRealm, SixthFloorOfTheTowerRouteEndsChapterSevenInMarksen) {
    gStoryFlags[flag::kRoute] = 1;
    gStoryFlags[flag::kBankHallBroken] = 1;
    arrive(77, 25, 15, 1, 1);
    EXPECT_EQ(gMapObjects[12].kind, 2);
    choices = {0};
    bool sawInterlude = false;
    const Played run = play(12000, [&] {
        dismissStoneBanner();
        if (gEventPicture == 1 && gEventPictureNumber == 10) sawInterlude = true;
        gCurrentSong[0] = '\0';
        std::strcat(gCurrentSong, gRequestedSong);
        return gCurrentMap == 1;
    });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{77, 1}));
    ASSERT_EQ(run.battles.size(), 1u);
    ASSERT_EQ(run.saves.size(), 1u);
    EXPECT_EQ(run.saves[0].label, "エピソード７　完");
    EXPECT_EQ(run.saves[0].step, 46);
    EXPECT_TRUE(sawInterlude);
    EXPECT_EQ(gStoneFlags[6], 1);
    EXPECT_EQ(gStoryFlags[flag::kRoute1SixthFloor], 2);
    EXPECT_EQ(gStoryFlags[flag::kEpisode7Route1], 1);
    EXPECT_EQ(gStoryFlags[flag::kBankHallBroken], 0);
    EXPECT_EQ(playerRow(), 9);
    EXPECT_EQ(playerColumn(), 42);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, SixthFloorAfterTheSceneKeepsTheMarkerAndTheSong) {
    gStoryFlags[flag::kRoute] = 1;
    gStoryFlags[flag::kRoute1SixthFloor] = 2;
    arrive(77, 25, 15, 1, 1);
    EXPECT_EQ(gFieldMarkers[6].present, 1);
    EXPECT_STREQ(gRequestedSong, "【バトル】軍事パレード.mid");
    for (int slot = 12; slot <= 16; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0);
}

struct TrapCase {
    int stagesLost;
    const char* firstSpeaker;
};

TEST_F(TowerRealm, OfficersTrapFightsBattle57AndHandsBackFourStones) {
    const TrapCase cases[] = {{0, "シェリル"}, {1, "クレイバー"}, {2, "クレイバー"}};
    for (const TrapCase& c : cases) {
        SCOPED_TRACE(testing::Message() << "stages lost " << c.stagesLost);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        std::memset(gStoneFlags, 0, sizeof gStoneFlags);
        gStoryFlags[flag::kRoute] = 2;
        gParty[0] = 1;
        gParty[1] = 0;
        gParty[2] = 0;
        gPartyMembers[4].hp = 0;
        arrive(77, 25, 15, 1, 1);
        bool dropped = false, battleSeen = false;
        std::string speaker;
        const Played run = play(12000, [&] {
            if (gStoryFlags[75] == 1 && gMapCells[18][10].height == 0.5f) dropped = true;
            if (!battleSeen && gStoryFlags[75] == 1 && gFieldEvent == 1 && gEventStep == 37) {
                battleSeen = true;
                gStoryFlags[flag::kBattle57Stage] = static_cast<std::uint8_t>(c.stagesLost);
            }
            if (gFieldEvent == 7 && gEventStep == 1 && gMessageMode == 1 && speaker.empty()) speaker = gSpeakerName;
            return gStoryFlags[75] == 3 && gFieldEvent == 0 && gScene == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_TRUE(dropped);
        EXPECT_EQ(run.maps, (std::vector<int>{77, 77, 77}));
        EXPECT_EQ(run.battles.size(), 1u);
        EXPECT_EQ(gParty[0], 1);
        EXPECT_EQ(gParty[1], 4);
        EXPECT_EQ(gParty[2], 5);
        EXPECT_EQ(gPartyMembers[4].hp, 1);
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(gStoneFlags[k], 1) << k;
        for (int k = 1; k <= 4; ++k) EXPECT_EQ(gFieldMarkers[k].present, 0);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(playerRow(), 25);
        EXPECT_EQ(playerColumn(), 15);
        EXPECT_EQ(speaker, c.firstSpeaker);
        EXPECT_EQ(gMapCells[18][10].height, 2.0f);  // the reload brought the floor back
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The upper floors ----

TEST_F(TowerRealm, LeverRaisesItsColourOnEveryUpperFloor) {
    arrive(79, 10, 6, 1, 1);  // beside the lever
    EXPECT_EQ(gMapObjects[2].character, 41);
    EXPECT_EQ(gMapObjects[2].pose, 7);
    choices = {1};  // 動かさない
    touch(2);
    ASSERT_TRUE(playEvent(400).finished);
    EXPECT_EQ(gStoryFlags[900], 0);
    choices = {0};
    touch(2);
    ASSERT_TRUE(playEvent(400).finished);
    EXPECT_EQ(gStoryFlags[900], 1);
    EXPECT_EQ(gMapObjects[2].pose, 9);
    // The blue gate of another floor stands raised after a few frames there.
    arrive(89, 15, 23, 1, 1);
    std::size_t choice = 0;
    for (int i = 0; i < 10; ++i) frame(choice);
    bool sawRaisedBlue = false, sawLoweredGreen = false;
    for (int r = 0; r < 60; ++r) {
        for (int c = 0; c < 60; ++c) {
            const MapCell& cell = gMapCells[r][c];
            if (cell.floorColumn == 14 && cell.floorRow == 3 && cell.height >= 4.0f) sawRaisedBlue = true;
            if (cell.floorColumn == 15 && cell.floorRow == 3 && cell.height <= 2.5f) sawLoweredGreen = true;
        }
    }
    EXPECT_TRUE(sawRaisedBlue);
    EXPECT_TRUE(sawLoweredGreen);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, ThiefMasterFightsOnceAndJoinsOnce) {
    gStoryFlags[flag::kRoute] = 2;
    arrive(86, 15, 23, 1, 1);
    EXPECT_STREQ(gRequestedSong, "【テーマ】シーフマスター.mid");
    const Played run = play(6000, [] { return gStoryFlags[flag::kTowerFifteenth] == 2 && gFieldEvent == 0 && gScene == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gMapObjects[3].kind, 3);
    EXPECT_EQ(gMapObjects[3].pose, 4);
    const auto reach = walkableFrom(15, 12);
    EXPECT_TRUE(touchable(reach, 3));
    touch(3);
    ASSERT_TRUE(playEvent(600).finished);
    EXPECT_EQ(gBodyguardHired[3], 1);
    EXPECT_EQ(gBodyguards[3].hp, 99999);
    EXPECT_EQ(gStoryFlags[112], 1);
    gBodyguards[3].hp = 50;
    touch(3);
    ASSERT_TRUE(playEvent(600).finished);
    EXPECT_EQ(gBodyguards[3].hp, 50);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, TwentiethFloorFlashbackThenTheLastFightLeadsToTheSeaDistrict) {
    gStoryFlags[flag::kRoute] = 2;
    arrive(91, 15, 15, 1, 0);
    EXPECT_EQ(gMapObjects[0].kind, 2);
    Played run = play(6000, [] { return gCurrentMap == 90 && gFieldEvent == 0 && gStoryFlags[85] == 1; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gSlowMusicFade, 0);
    EXPECT_EQ(gFieldTint[0], 1.0f);

    arrive(91, 15, 15, 1, 1);
    EXPECT_EQ(gMapObjects[3].kind, 2);
    EXPECT_EQ(gMapObjects[9].pose, 4);
    gStoryFlags[flag::kBossPhaseA] = 7;
    run = play(12000, [] { return gCurrentMap == 2; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 49);
    EXPECT_EQ(gStoryFlags[flag::kBossPhaseA], 0);
    EXPECT_EQ(gStoryFlags[flag::kLastSceneBegun], 1);
    EXPECT_EQ(gMusicLock, 1);
    EXPECT_EQ(playerRow(), 40);
    EXPECT_EQ(playerColumn(), 25);
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- 魔空間 ----

TEST_F(TowerRealm, FloatingFloorsDropOnlyFromTheSunkenFloorsAndReturnOnAFall) {
    struct Case {
        float height, speed;
        int event;
    };
    const Case cases[] = {{75.0f, 0.0f, 2}, {50.0f, 0.0f, 3}, {75.0f, -0.1f, 0}, {24.9f, -0.5f, 1},
                          {24.9f, 0.0f, 0}, {76.0f, 0.0f, 0}, {50.0f, 0.2f, 3}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << " speed " << c.speed);
        arrive(102, 45, 28, 1, 1);
        gFieldEvent = 0;
        gPlayerPos[1] = c.height;
        gPlayerVSpeed = c.speed;
        setupMap102(0);
        EXPECT_EQ(gFieldEvent, c.event);
    }
    // Standing on the sunken floor: the stand, arriving from above.
    arrive(102, 45, 28, 1, 1);
    gPlayerPos[1] = 75.0f;
    gPlayerVSpeed = 0.0f;
    setupMap102(0);
    const Played run = play(200, [] { return gCurrentMap == 103; });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(playerRow(), 15);
    EXPECT_EQ(playerColumn(), 45);
    EXPECT_EQ(gStoryFlags[flag::kDropFromAbove], 0);  // used by the arrival
    EXPECT_GT(gPlayerPos[1], 15.0f);
}

TEST_F(TowerRealm, RealmFloorsHoldTheDropFloorsWhereTheWalkCanReachThem) {
    arrive(102, 45, 28, 1, 1);
    bool upper = false, lower = false;
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 60; ++c) {
            if (gMapCells[r][c].height == 75.0f) upper = true;
            if (gMapCells[r][c].height == 50.0f) lower = true;
        }
    EXPECT_TRUE(upper);
    EXPECT_TRUE(lower);
}

TEST_F(TowerRealm, MerchantOfTheRealmWelcomesOnceThenSells) {
    gStoryFlags[flag::kRoute] = 2;
    arrive(103, 44, 18, 0, 1);
    EXPECT_EQ(gMapObjects[10].kind, 1);
    touch(10);
    Played run = play(3000, [] { return gStoryFlags[33] == 2 && gFieldEvent == 0 && gScene == 0; });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    ASSERT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(run.shops[0].label, "もろこし屋－魔空間");
    EXPECT_EQ(run.shops[0].kind, 10);
    EXPECT_EQ(run.shops[0].goods[1], 54);
    EXPECT_EQ(gMapObjects[10].kind, 0);
    const auto reach = walkableFrom(44, 52);
    EXPECT_TRUE(touchable(reach, 9));
    gStoryFlags[flag::kRoute] = 1;
    touch(9);
    run = playEvent(600);
    ASSERT_EQ(run.shops.size(), 1u);
    EXPECT_EQ(run.shops[0].kind, 14);
    EXPECT_EQ(run.shops[0].goods[1], 27);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, DepthsPlayBothScenesOnEachRoute) {
    for (int route : {1, 2}) {
        SCOPED_TRACE(testing::Message() << "route " << route);
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        std::memset(gStoneFlags, 0, sizeof gStoneFlags);
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(route);
        arrive(104, 41, 19, 0, 0);
        EXPECT_EQ(gFieldMarkers[7].present, 1);
        Played run = play(12000, [] { return gCurrentMap == 62; });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        ASSERT_EQ(run.battles.size(), 1u);
        EXPECT_EQ(gStoryFlags[flag::kDemonRealmDepths], 2);
        EXPECT_EQ(playerRow(), 18);
        EXPECT_EQ(playerColumn(), 22);

        arrive(104, 41, 19, 0, 0);
        EXPECT_EQ(gMapObjects[5].kind, 2);
        EXPECT_EQ(gMapObjects[1].character, route == 1 ? 1 : 3);
        choices = {0};
        int picture = -1;
        run = play(12000, [&] {
            dismissStoneBanner();
            if (gEventPicture == 1) picture = gEventPictureNumber;
            return gCurrentMap == 62;
        });
        ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
        ASSERT_EQ(run.saves.size(), 1u);
        EXPECT_EQ(run.saves[0].label, "エピソード８　完");
        EXPECT_EQ(run.saves[0].step, 65);
        EXPECT_EQ(picture, route == 2 ? 14 : 11);
        EXPECT_EQ(gStoneFlags[7], 1);
        EXPECT_EQ(gStoryFlags[flag::kDemonRealmDepths], 3);
        EXPECT_EQ(gStoryFlags[flag::kRusanaRescue], 1);
        EXPECT_EQ(playerRow(), 23);
        EXPECT_EQ(playerColumn(), 15);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(TowerRealm, CorridorFadesInOnArrivalAndLeadsOn) {
    gStoryFlags[flag::kArrivalFadeDue] = 1;
    gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = 0.0f;
    arrive(100, 15, 2, 0, 1);
    Played run = play(400, [] { return gStoryFlags[flag::kArrivalFadeDue] == 0 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(gFieldTint[0], 1.0f);
    touch(0);
    run = play(30, [] { return gCurrentMap == 101; });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(playerRow(), 34);
    EXPECT_EQ(playerColumn(), 41);
    touch(0);
    run = play(30, [] { return gCurrentMap == 102; });
    ASSERT_TRUE(run.finished);
}

// ---- Reach ----

TEST_F(TowerRealm, PeopleExitsAndChestsCanBeReached) {
    struct Reach {
        int map, row, col;
        std::vector<int> slots;
        int route;
    };
    const std::vector<Reach> cases = {
        {72, 14, 2, {12, 13, 14, 15, 16, 18, 19, 20, 22, 30}, 0},
        {72, 7, 10, {0, 1, 17}, 0},
        {76, 15, 15, {0, 1, 2, 13, 14}, 1},
        {76, 15, 15, {16, 20, 24}, 2},  // the cells around もろこし that start his sale
        // With every switch at 0, as the ground floor leaves them: what
        // stands behind a raised gate is walked to, over every switch state,
        // by the map check (content/maps/constraints.txt, `gate` lines).
        {78, 6, 15, {0, 1, 3}, 2},
        {83, 6, 15, {2, 4}, 2},
        {85, 25, 15, {2, 3, 4, 5, 6}, 2},
        {88, 15, 23, {0, 1, 2}, 2},
        {89, 15, 23, {1, 2, 4, 6}, 2},
        {92, 15, 11, {0, 1, 2, 3}, 2},
        {100, 15, 2, {0, 1, 2, 3, 4, 5}, 2},
        {101, 34, 41, {0}, 2},
        {103, 15, 45, {0, 3, 4, 5, 6, 7, 8, 10, 2}, 2},
        {103, 44, 18, {1}, 2},
    };
    for (const Reach& c : cases) {
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(c.route);
        arrive(c.map, c.row, c.col, 0, 1);
        const auto reach = walkableFrom(c.row, c.col);
        for (int slot : c.slots) EXPECT_TRUE(touchable(reach, slot)) << "map " << c.map << " slot " << slot;
    }
}

}  // namespace
