// Episode 1 in the slum and the thieves' den, episode 4 aboard the
// battleship, and the ship's cabin, played on their real maps. The camp menu,
// the bank and the boat ride are stood in for: the menu equips a stone when
// the test says so, the bank leaves at once, the ride lands on its map.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "engine/Music.h"
#include "events/EventMusic.h"
#include "minigames/BoatRaceState.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

constexpr int kCampMenu = 200;
constexpr int kBank = 301;

struct SlumBattleship : StoryField {
    int menuVisits = 0;
    int equipOnVisit = 1;         // the camp-menu visit on which シェリル puts on a stone
    std::vector<int> bankHalts;   // the コイン halt as the bank opened
    std::vector<int> races;       // courses started
    std::vector<std::string> lines;

    void SetUp() override {
        StoryField::SetUp();
        otherScreen = [this] {
            if (gScene == kCampMenu) {
                ++menuVisits;
                if (menuVisits == equipOnVisit) gPartyMembers[1].stones[1] = 1;  // the second stone slot only
                gScene = 0;
                return true;
            }
            if (gScene == kBank) {
                bankHalts.push_back(gExchangeRates[1].halted);
                gExchangeRates[1].halted = 0;  // the halt must come back once the bank closes
                gScene = 0;
                return true;
            }
            if (gScene == kRaceScene) {
                races.push_back(gRaceCourse);
                gScene = 0;
                return true;
            }
            return false;
        };
    }
    // The driver presses decide on messages and pictures only; the stone
    // banner waits for one too, and this presses it as the player would.
    static void dismissStoneBanner() {
        if (gStoneBannerShown != 1) return;
        for (FieldMarker& m : gFieldMarkers) {
            if (m.present && m.frame == 340) {
                gSlowMusicFade = 1;
                requestMusicStop();
                gStoneBannerShown = 0;
                m.frame = 341;
            }
        }
    }
    // Scripted moves keep the story's figures on open floor: never inside a
    // wall, a pile of crates or the void.
    int strayFigures = 0;
    void checkFiguresOnOpenFloor() {
        for (int slot = 0; slot < kMapObjectCount; ++slot) {
            const MapObject& o = gMapObjects[slot];
            if (!o.present || !o.visible || o.kind == 5 || o.kind == 100) continue;
            const float at[3] = {o.x, o.y, o.z};
            int cell[3];
            worldToCell(at, cell);
            const MapCell& under = mapCell(cell[0], cell[2]);
            if (under.height <= 0.0f || under.blocked) {
                if (strayFigures++ == 0)
                    ADD_FAILURE() << "map " << gCurrentMap << " slot " << slot << " stands on (" << cell[0] << ", "
                                  << cell[2] << ") at event " << gFieldEvent << " step " << gEventStep;
            }
        }
    }
    // Plays until `done`, noting each message's first line.
    template <typename Done>
    Played playNoting(int budget, Done done) {
        std::string last;
        return play(budget, [&] {
            std::strcpy(gCurrentSong, gRequestedSong);
            dismissStoneBanner();
            checkFiguresOnOpenFloor();
            if (gMessageMode != 0) {
                const std::string first(gMessageText, std::strcspn(gMessageText, "\n"));
                if (first != last) lines.push_back(first);
                last = first;
            }
            return done();
        });
    }
    bool said(const char* part) const {
        for (const std::string& l : lines)
            if (l.find(part) != std::string::npos) return true;
        return false;
    }
    // Everyone the player must reach from the arrival cell.
    static void expectTouchable(int row, int col, std::initializer_list<int> slots) {
        const auto reached = walkableFrom(row, col);
        for (int slot : slots) EXPECT_TRUE(touchable(reached, slot)) << "map " << gCurrentMap << " slot " << slot;
    }
};

}  // namespace

// ---- The slum and the den ----

TEST_F(SlumBattleship, DenVoiceSendsTheFirstBandOnceAndThenFallsSilent) {
    arrive(9, 10, 10, 0, 1);
    EXPECT_STREQ(gLocationName, "シーフズデンジャラス");
    EXPECT_EQ(gMapObjects[2].kind, 2);
    const int groups[9] = {12, 9, 10, 11, 12, 9, 10, 11, 12};
    for (int slot = 7; slot <= 15; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5) << slot;
        EXPECT_EQ(gMapObjects[slot].index, groups[slot - 7]) << slot;
        EXPECT_EQ(gMapObjects[slot].character, slot % 2 == 1 ? 37 : 38) << slot;
    }
    EXPECT_EQ(gMapObjects[16].character, 1000);
    EXPECT_EQ(gMapObjects[16].pose, 500);

    const Played run = playNoting(6000, [] { return gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 4);
    EXPECT_EQ(gStoryFlags[8], 1);
    EXPECT_EQ(gMapObjects[2].kind, 0);
    EXPECT_TRUE(said("シーフズデンジャラス"));

    arrive(9, 19, 39, 1, 1);
    EXPECT_EQ(gMapObjects[2].kind, 0) << "the voice is heard once";
    expectTouchable(19, 39, {0, 1, 3, 4, 5, 6, 16});
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, BeatenSymbolsStayAwayUntilTheMapIsEnteredAgain) {
    gStoryFlags[8] = 1;
    arrive(9, 10, 10, 0, 1);
    gMapObjects[7] = MapObject{gMapObjects[7].present, 0, 0, 0, 0, 0, gMapObjects[7].x, gMapObjects[7].y,
                               gMapObjects[7].z, 0.0f, 0.0f, 0, 0.0f};  // beaten on contact
    play(30, [] { return false; });
    EXPECT_EQ(gMapObjects[7].kind, 0);
    arrive(9, 10, 10, 0, 1);
    EXPECT_EQ(gMapObjects[7].kind, 5);
    EXPECT_EQ(gMapObjects[7].index, 12);
}

TEST_F(SlumBattleship, TreasureRoomScenePlaysToTheEndOfEpisodeOne) {
    gParty[0] = 1;
    gParty[1] = 4;
    gPartyMembers[1].stones[0] = gPartyMembers[1].stones[1] = 0;
    equipOnVisit = 2;  // the first visit closes the menu without a stone
    arrive(10, 10, 10, 0, 1);
    EXPECT_EQ(gMapObjects[1].kind, 4);
    EXPECT_EQ(gMapObjects[4].visible, 0) << "no merchant before the scene";
    expectTouchable(10, 10, {0, 1, 2, 16});

    touch(1);
    choices = {0};  // save
    bool sawMarker = false, sawAlaforce = false, emptySlotInLesson = false;
    const Played run = playNoting(40000, [&] {
        if (gFieldEvent == 4 && gFieldMarkers[0].present) sawMarker = true;
        if (gStoryFlags[flag::kThievesDen] == 2 && gMapObjects[6].visible) sawAlaforce = true;
        if (gFieldEvent == 4 && gEventStep == 122 && gParty[1] == 0) emptySlotInLesson = true;
        return gStoryFlags[flag::kThievesDen] == 3 && gFieldEvent == 0 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{10, 10}));
    ASSERT_EQ(run.battles.size(), 2u);
    EXPECT_EQ(run.battles[0].step, 43);
    EXPECT_EQ(run.battles[1].step, 121);
    EXPECT_TRUE(emptySlotInLesson) << "battle 15 is fought without クレイバー";
    EXPECT_EQ(menuVisits, 2) << "the menu opens again until a stone is worn";
    EXPECT_TRUE(said("メニュー画面で魔硝石を装備させてください。"));
    ASSERT_EQ(run.saves.size(), 1u);
    EXPECT_EQ(run.saves[0].label, "エピソード１　完");
    EXPECT_EQ(run.saves[0].step, 144);
    EXPECT_TRUE(sawMarker);
    EXPECT_TRUE(sawAlaforce);
    EXPECT_EQ(gStoneFlags[0], 1);
    EXPECT_EQ(gParty[1], 4);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gEventPicture, 0);
    EXPECT_EQ(playerRow(), 30);
    EXPECT_EQ(playerColumn(), 35);
    EXPECT_STREQ(gCurrentSong, "【チャプター１】スラム街.mid");
    EXPECT_EQ(gDialogueMisses, 0);

    // Afterwards: the merchant's point-card shop and the beaten thief master.
    EXPECT_EQ(gMapObjects[3].visible, 0);
    EXPECT_EQ(gMapObjects[5].kind, 3);
    EXPECT_EQ(gMapObjects[5].pose, 4);
    expectTouchable(30, 35, {0, 4, 5});
    touch(4);
    const Played shop = playEvent(2000);
    ASSERT_EQ(shop.shops.size(), 1u);
    EXPECT_EQ(shop.shops[0].label, "もろこし屋－シーフズデンジャラス");
    EXPECT_EQ(shop.shops[0].kind, 6);
    EXPECT_EQ(shop.shops[0].goods[0], 130);
    EXPECT_EQ(gShopGoods[11], 48);
    EXPECT_EQ(gShopGoods[12], 0);
    touch(5);
    EXPECT_TRUE(playEvent(2000).finished);
}

TEST_F(SlumBattleship, SaveTakenAtTheChapterEndResumesWithTheInterlude) {
    gStoryFlags[flag::kThievesDen] = 2;
    arrive(10, 30, 35, 0, 0);
    gFieldEvent = 4;
    gEventStep = 145;  // as a load of the chapter-end save resumes it
    const Played run = playNoting(12000, [] { return gStoryFlags[flag::kThievesDen] == 3 && gFieldEvent == 0; });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(run.battles.empty());
    EXPECT_TRUE(run.saves.empty());
    EXPECT_EQ(run.maps, (std::vector<int>{10}));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, ReniumWaitsInTheSilentSlumAndPaysInCoin) {
    gStoryFlags[flag::kThievesDen] = 3;
    gRegionCurrency = 0;
    std::strcpy(gCurrentSong, "【チャプター１】スラム街.mid");
    arrive(8, 14, 33, 1, 1);
    EXPECT_STREQ(gRequestedSong, "") << "the slum is silent while レニウム waits";
    EXPECT_EQ(gMapObjects[16].kind, 2);
    EXPECT_EQ(gMapObjects[10].kind, 1);
    EXPECT_EQ(gMapObjects[10].character, 3);
    for (int slot : {6, 7, 8, 9, 11, 12, 13, 14, 15}) EXPECT_EQ(gMapObjects[slot].kind, 0) << slot;

    bool coinAtBattle = false, fogAfter = false;
    const Played run = playNoting(12000, [&] {
        if (gFieldEvent == 17 && gEventStep == 35 && gRegionCurrency == 1) coinAtBattle = true;
        if (gFieldEvent == 17 && gEventStep == 36 && gRegionCurrency == 0) fogAfter = true;
        return gStoryFlags[11] == 1 && gScene == 0 && gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 34);
    EXPECT_TRUE(coinAtBattle);
    EXPECT_TRUE(fogAfter);
    EXPECT_EQ(run.maps, (std::vector<int>{8}));
    EXPECT_EQ(playerRow(), 14);
    EXPECT_EQ(playerColumn(), 33);
    EXPECT_STREQ(gCurrentSong, "【チャプター１】スラム街.mid");
    for (int slot = 6; slot <= 16; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0) << slot;
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, SlumExitsLeadToTheSeaDistrictByTheFarewellFlag) {
    struct Case {
        int den, reniumMet, farewell;
        int row, col, visible, farewellAfter;
    };
    const Case cases[] = {
        {0, 0, 0, 45, 9, 1, 0},  // before the den
        {3, 1, 0, 31, 10, 0, 1}, // the first time after レニウム: the farewell scene is due
        {3, 1, 1, 31, 10, 0, 1}, // still due
        {3, 1, 2, 45, 9, 1, 2},  // seen
    };
    for (const Case& c : cases) {
        gStoryFlags[flag::kThievesDen] = static_cast<std::uint8_t>(c.den);
        gStoryFlags[11] = static_cast<std::uint8_t>(c.reniumMet);
        gStoryFlags[flag::kSlumFarewell] = static_cast<std::uint8_t>(c.farewell);
        arrive(8, 10, 10, 0, 1);
        touch(1);
        const Played run = play(10, [] { return gScene == 0 && gCurrentMap == 2; });
        ASSERT_TRUE(run.finished) << c.farewell;
        EXPECT_EQ(playerRow(), c.row) << c.farewell;
        EXPECT_EQ(playerColumn(), c.col) << c.farewell;
        EXPECT_EQ(gPlayerVisible, c.visible) << c.farewell;
        EXPECT_EQ(gStoryFlags[flag::kSlumFarewell], c.farewellAfter) << c.farewell;
    }
}

TEST_F(SlumBattleship, SlumAndDenAreWalkableFromTheirArrivals) {
    arrive(8, 10, 10, 0, 1);
    for (int slot = 6; slot <= 15; ++slot) EXPECT_EQ(gMapObjects[slot].index, 9 + slot % 4) << slot;
    expectTouchable(10, 10, {0, 1, 2, 3, 4, 5, 17});
    touch(3);
    const Played down = play(10, [] { return gScene == 0 && gCurrentMap == 9; });
    ASSERT_TRUE(down.finished);
    EXPECT_EQ(playerRow(), 10);
    EXPECT_EQ(playerColumn(), 10);
    gStoryFlags[8] = 1;
    arrive(10, 10, 10, 0, 1);
    touch(0);
    ASSERT_TRUE(play(10, [] { return gScene == 0 && gCurrentMap == 9; }).finished);
    EXPECT_EQ(playerRow(), 19);
    EXPECT_EQ(playerColumn(), 39);
}

// ---- The battleship ----

TEST_F(SlumBattleship, SherylWakesAboardAndThePlayerWalksOn) {
    gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = 0.0f;
    gFieldTintActive = 1;
    arrive(44, 33, 39, 0, 0);
    EXPECT_STREQ(gRequestedSong, "【チャプター４】戦艦フィルノア１.mid");
    EXPECT_EQ(gMapObjects[16].kind, 2);
    EXPECT_EQ(gMapObjects[16].pose, 4);
    const Played run = playNoting(15000, [] { return gFieldEvent == 0 && gStoryFlags[flag::kBattleshipArrived] == 1; });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(run.battles.empty());
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gStillPicture, 0);
    for (int slot : {16, 17, 18}) EXPECT_EQ(gMapObjects[slot].visible, 0) << slot;
    expectTouchable(33, 39, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 19, 20});
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, CountersSellTheirGoodsAndTheBankTradesOnlyIntoCoin) {
    gStoryFlags[flag::kBattleshipArrived] = 1;
    arrive(44, 19, 19, 1, 1);  // before the counters, where a player buys
    struct Case {
        int slot;
        const char* title;
        int first, count;
    };
    const Case shops[] = {
        {15, "マルクセングセントラルバンク－フィルノア支店－兵器開発部", 5, 8},
        {19, "マルクセングセントラルバンク－フィルノア支店－商品開発部", 108, 10},
    };
    for (const Case& c : shops) {
        gPlayerFacing = 0;
        touch(c.slot);
        const Played p = playEvent(2000);
        ASSERT_EQ(p.shops.size(), 1u) << c.slot;
        EXPECT_EQ(p.shops[0].label, c.title);
        EXPECT_EQ(p.shops[0].kind, 0);
        EXPECT_EQ(p.shops[0].goods[0], c.first);
        EXPECT_NE(gShopGoods[c.count - 1], 0);
        EXPECT_EQ(gShopGoods[c.count], 0);
        EXPECT_EQ(gPlayerFacing, 1) << "the player faces the counter";
    }
    gExchangeRates[0].halted = 1;
    gExchangeRates[2].halted = 1;
    touch(20);
    const Played bank = playEvent(2000);
    ASSERT_TRUE(bank.finished);
    EXPECT_EQ(bankHalts, (std::vector<int>{1}));
    EXPECT_STREQ(gShopTitle, "マルクセングセントラルバンク－フィルノア支店");
    EXPECT_EQ(gExchangeRates[0].halted, 0) << "フォッグ may still go into コイン";
    EXPECT_EQ(gExchangeRates[1].halted, 1) << "the halt is set again when the bank closes";
    EXPECT_EQ(gExchangeRates[2].halted, 0);

    // The sailors without a word of their own end at once.
    for (int slot : {10, 11, 12}) {
        touch(slot);
        EXPECT_TRUE(playEvent(3).finished) << slot;
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, DeckDoorsFollowTheShipsMood) {
    struct Case {
        int hostile, slot;
        int map;  // -1: a remark and the event ends on the deck
    };
    const Case cases[] = {
        {0, 0, -1}, {0, 3, 44}, {0, 6, 45},
        {1, 1, 46}, {1, 4, -1}, {1, 8, -1},
    };
    for (const Case& c : cases) {
        gStoryFlags[22] = static_cast<std::uint8_t>(c.hostile);
        arrive(43, 17, 40, 0, 1);
        touch(c.slot);
        const Played p = play(2000, [] { return gFieldEvent == 0 && gScene == 0; });
        ASSERT_TRUE(p.finished) << c.slot;
        EXPECT_EQ(gCurrentMap, c.map < 0 ? 43 : c.map) << c.hostile << " " << c.slot;
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, DeckHasSailorsBeforeTheConferenceAndMarinesAfter) {
    arrive(43, 16, 33, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター４】戦艦フィルノア１.mid");
    EXPECT_EQ(gMapObjects[9].kind, 3);
    for (int slot = 11; slot <= 18; ++slot) EXPECT_EQ(gMapObjects[slot].kind, 0) << slot;
    expectTouchable(16, 33, {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10});
    for (int slot : {9, 10}) {
        touch(slot);
        EXPECT_TRUE(playEvent(2000).finished);
    }

    gStoryFlags[22] = 1;
    arrive(43, 24, 44, 0, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター４】戦艦フィルノア２.mid");
    EXPECT_EQ(gMapObjects[9].visible, 0);
    for (int slot = 11; slot <= 18; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 5) << slot;
        EXPECT_EQ(gMapObjects[slot].index, 31 + slot % 3) << slot;
        EXPECT_EQ(gMapObjects[slot].character, slot % 2 == 1 ? 21 : 22) << slot;
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, ConferenceEndsInBattleAndTheFlightToTheDeck) {
    gStoryFlags[flag::kBattleshipArrived] = 1;
    arrive(45, 18, 38, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【イベント】国家平和化機構.mid");
    EXPECT_EQ(gMapObjects[5].visible, 1);
    bool songChanged = false;
    const Played run = playNoting(15000, [&] {
        if (gFieldEvent == 2 && gEventStep == 48 && std::strcmp(gRequestedSong, "【チャプター４】戦艦フィルノア２.mid") == 0)
            songChanged = true;
        return gCurrentMap == 43 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 60);
    EXPECT_TRUE(songChanged);
    EXPECT_EQ(gStoryFlags[22], 1);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(playerRow(), 16);
    EXPECT_EQ(playerColumn(), 33);
    EXPECT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gDialogueMisses, 0);

    arrive(45, 18, 38, 1, 0);
    for (int slot = 5; slot <= 8; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0) << "marines gone";
}

TEST_F(SlumBattleship, LeverTurnsTheGateSwitchOnlyOnYes) {
    gStoryFlags[22] = 1;
    arrive(46, 35, 32, 0, 1);
    EXPECT_EQ(gMapObjects[4].pose, 7);
    struct Case {
        int option, flagAfter, leverRow;
    };
    const Case cases[] = {{1, 0, 7}, {0, 1, 9}, {0, 0, 7}};
    for (const Case& c : cases) {
        choices = {c.option};
        touch(4);
        ASSERT_TRUE(playEvent(2000).finished);
        EXPECT_EQ(gStoryFlags[flag::kGateSwitch0], c.flagAfter);
        play(1, [] { return false; });
        EXPECT_EQ(gMapObjects[5].pose, c.leverRow);
    }
    // Map 47's and 48's levers keep their row whatever the switch; map 48's
    // three levers turn their own colours.
    gStoryFlags[flag::kGateSwitch0] = 1;
    arrive(47, 35, 32, 0, 1);
    for (int slot : {4, 5, 6}) EXPECT_EQ(gMapObjects[slot].pose, 7);
    arrive(48, 35, 38, 0, 1);
    for (int slot = 4; slot <= 6; ++slot) {
        EXPECT_EQ(gMapObjects[slot].character, 37 + slot) << slot;
        choices = {0};
        touch(slot);
        ASSERT_TRUE(playEvent(2000).finished);
    }
    EXPECT_EQ(gStoryFlags[flag::kGateSwitch0], 0);
    EXPECT_EQ(gStoryFlags[flag::kGateSwitch1], 1);
    EXPECT_EQ(gStoryFlags[flag::kGateSwitch2], 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, BlueGateLiftsThePlayerOntoTheGalleryAndCarriesSymbols) {
    gStoryFlags[22] = 1;
    arrive(46, 37, 26, 0, 1);  // standing on the blue gate
    ASSERT_EQ(gMapCells[37][26].floorColumn, 14);
    // A symbol standing on the gate as well.
    cellCentre(37, 26, &gMapObjects[6].x);
    gMapObjects[6].kind = 0;  // riding along, not chasing
    gMapObjects[6].chaseSpeed = 0.0f;
    gStoryFlags[flag::kGateSwitch0] = 1;
    play(64, [] { return false; });
    EXPECT_NEAR(gMapCells[37][26].height, 4.0f, 0.02f) << "half way after 64 frames";
    EXPECT_NEAR(gMapObjects[6].y, gMapCells[37][26].height, 0.02f);
    play(70, [] { return false; });
    EXPECT_NEAR(gMapCells[37][26].height, 5.0f, 0.02f);
    EXPECT_NEAR(gPlayerPos[1], 5.0f, 0.05f) << "the rising gate carries the player";
    EXPECT_NEAR(gMapObjects[6].y, 5.0f, 0.05f);
    // Switched back mid-swing, it turns at once.
    gStoryFlags[flag::kGateSwitch0] = 0;
    play(10, [] { return false; });
    EXPECT_LT(gMapCells[37][26].height, 5.0f);
}

TEST_F(SlumBattleship, LeverDecksConnectAndEveryoneIsWithinReach) {
    gStoryFlags[22] = 1;
    struct Case {
        int map, row, col;
        std::vector<int> slots;
    };
    const Case cases[] = {
        {46, 35, 32, {0, 1, 4}}, {46, 41, 23, {2, 3, 5}},
        {47, 35, 32, {0, 1, 4, 6, 7, 8}}, {47, 31, 46, {2, 3, 5, 17}},
        {48, 35, 38, {0, 1, 4, 5, 6}}, {48, 2, 25, {2, 3}},
    };
    for (const Case& c : cases) {
        arrive(c.map, c.row, c.col, 0, 1);
        const auto reached = walkableFrom(c.row, c.col);
        for (int slot : c.slots) EXPECT_TRUE(touchable(reached, slot)) << c.map << " slot " << slot;
    }
    struct Door {
        int map, slot, to, row, col, visible;
    };
    const Door doors[] = {
        {46, 0, 43, 24, 44, 1}, {46, 2, 47, 35, 32, 1}, {47, 1, 46, 41, 23, 1},
        {47, 3, 48, 35, 38, 1}, {48, 0, 47, 31, 46, 1}, {48, 2, 49, 32, 35, 0},
    };
    for (const Door& d : doors) {
        arrive(d.map, 35, 32, 0, 1);
        touch(d.slot);
        ASSERT_TRUE(play(10, [] { return gScene == 0 && gFieldEvent == 0; }).finished);
        EXPECT_EQ(gPendingMapChange.map, d.to) << d.map << " " << d.slot;
        EXPECT_EQ(gPendingMapChange.row, d.row);
        EXPECT_EQ(gPendingMapChange.col, d.col);
        EXPECT_EQ(gPlayerVisible, d.visible);
    }
}

TEST_F(SlumBattleship, LastDeckEndsEpisodeFourOnTheHovercraft) {
    gStoryFlags[22] = 1;
    gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = 1.0f;
    arrive(49, 32, 35, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【バトル】軍事パレード.mid");
    EXPECT_EQ(gFieldMarkers[3].present, 1);
    EXPECT_NEAR(gFieldMarkers[3].x, gMapObjects[6].x - 1.0f, 1e-4f);
    choices = {1};  // go on without saving
    const Played run = playNoting(20000, [&] { return !races.empty(); });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    ASSERT_EQ(run.battles.size(), 1u);
    EXPECT_EQ(run.battles[0].step, 10);
    EXPECT_TRUE(run.saves.empty());
    EXPECT_EQ(races, (std::vector<int>{0}));
    EXPECT_EQ(gCurrentMap, 50) << "the ride lands on the coast";
    EXPECT_EQ(gStoneFlags[3], 1);
    EXPECT_EQ(gFieldTint[0], 0.0f) << "the field stays dark for the coast's own arrival scene";
    EXPECT_EQ(gEventPicture, 0);
    EXPECT_TRUE(said("上キー"));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, LastDeckSaveResumesWithTheInterludeInTheDark) {
    gStoryFlags[22] = 1;
    arrive(49, 32, 35, 1, 0);
    gFieldTint[0] = gFieldTint[1] = gFieldTint[2] = 0.0f;
    gFieldTintActive = 1;
    gFieldEvent = 4;
    gEventStep = 46;
    const Played run = playNoting(8000, [&] { return !races.empty(); });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(run.battles.empty());
    EXPECT_TRUE(said("集めなければならない石は"));
}

// ---- The ship's cabin ----

TEST_F(SlumBattleship, CabinPlaysTheRoutesSceneAndLeaves) {
    struct Case {
        int route;
        int to, row, col;
        bool rulenoSet, fortressSet;
    };
    const Case cases[] = {
        {2, 93, 28, 12, true, false},
        {1, 105, 26, 5, false, true},
        {0, 93, 28, 12, true, true},  // before the choice both are dressed; the lower slot plays
    };
    for (const Case& c : cases) {
        gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(c.route);
        arrive(120, 39, 47, 0, 0);
        EXPECT_EQ(gMapObjects[0].visible == 1, c.rulenoSet) << c.route;
        EXPECT_EQ(gMapObjects[3].visible == 1, c.fortressSet) << c.route;
        EXPECT_STREQ(gRequestedSong, "【テーマ】シェリル.mid");
        const Played run = playNoting(8000, [] { return gScene == 0 && gCurrentMap != 120; });
        ASSERT_TRUE(run.finished) << "route " << c.route << " stalled at event " << gFieldEvent << " step " << gEventStep;
        EXPECT_EQ(gCurrentMap, c.to);
        EXPECT_EQ(playerRow(), c.row);
        EXPECT_EQ(playerColumn(), c.col);
        EXPECT_EQ(gPlayerVisible, 1);
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(SlumBattleship, RyuhiJoinsNoLowerThanRimelLessOne) {
    struct Case {
        int ryuhi, rimel, level;
    };
    const Case cases[] = {{3, 10, 9}, {12, 10, 12}, {9, 10, 9}, {1, 1, 1}};
    for (const Case& c : cases) {
        gStoryFlags[flag::kRoute] = 2;
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 3;
        gPartyMembers[5].level = c.ryuhi;
        gPartyMembers[5].experience = 12345;
        gPartyMembers[5].stones[0] = 3;
        gPartyMembers[5].stones[1] = 4;
        gPartyMembers[5].equipment[1] = 77;
        gPartyMembers[3].level = c.rimel;
        arrive(120, 39, 47, 0, 0);
        ASSERT_TRUE(play(8000, [] { return gCurrentMap == 93; }).finished);
        EXPECT_EQ(gParty[1], 5);
        EXPECT_EQ(gParty[2], 0);
        EXPECT_EQ(gPartyMembers[5].level, c.level) << c.ryuhi << " " << c.rimel;
        EXPECT_EQ(gPartyMembers[5].experience, 10 * (c.level - 1) * (c.level - 1));
        EXPECT_EQ(gPartyMembers[5].stones[0], 0);
        EXPECT_EQ(gPartyMembers[5].stones[1], 0);
        EXPECT_EQ(gPartyMembers[5].equipment[1], 77);
    }
}
