#include "field/FieldState.h"
#include "field/Overlays.h"
#include "tests/eventsFixture.h"

#include <climits>
#include <cstring>
#include <string>

#include "battle/BattleRecords.h"
#include "events/EventPrimitives.h"
#include "events/FieldStateUse.h"
#include "field/FieldMap.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "menus/MenuState.h"
#include "menus/StaffRoll.h"
#include "story/EventPatterns.h"

namespace {

class Primitives : public EventFrames {
protected:
    void SetUp() override {
        EventFrames::SetUp();
        resetEventPrimitives();
        for (float& channel : gFieldTint) channel = 1.0f;
        gFieldTintActive = 0;
        gStillPicture = 0;
        gNewsTickerOn = 0;
        gTickerPos = gTickerSlot = 0;
        gPlayerVisible = 1;
    }
};

}  // namespace

TEST_F(Primitives, AddMovesCapsAQueueAtOneHundredTwentySevenMoves) {
    beginMoveBlock(1, 4);
    EXPECT_EQ(gMessageMode, 11);
    addMoves(6, 100);
    addMoves(2, 50);
    EXPECT_EQ(gMoveQueues[4].length, 127);
    EXPECT_EQ(gMoveQueues[4].moves[99], 6);
    EXPECT_EQ(gMoveQueues[4].moves[126], 2);
    beginMoveBlock(1, 4);  // empties it again
    EXPECT_EQ(gMoveQueues[4].length, 0);
    beginMoveBlock(1, 150);  // outside the slots: nothing is selected
    addMoves(6, 3);
    for (const MoveQueue& queue : gMoveQueues) EXPECT_EQ(queue.length, 0);
}

TEST_F(Primitives, WaitMoveBlockHoldsWhileAnyQueuePlays) {
    beginMoveBlock(1, 2);
    addMoves(4, 2);
    gEventStep = 5;
    waitMoveBlock(1);
    EXPECT_EQ(gEventStep, 4);
    gMoveQueues[2].length = 0;
    gEventStep = 5;
    waitMoveBlock(1);
    EXPECT_EQ(gEventStep, 5);
    EXPECT_EQ(gMessageMode, 11);
}

TEST_F(Primitives, ChangeMapRequestsTheChangeEndsTheEventAndStopsAtTheGridEdge) {
    gFieldEvent = 7;
    gEventStep = 3;
    gStoryFlags[42] = 9;
    gPlayerVisible = 0;
    gInputCode = 10;
    changeMap(5, 70, -3, 9);
    EXPECT_EQ(gPendingMapChange.pending, 1);
    EXPECT_EQ(gPendingMapChange.map, 5);
    EXPECT_EQ(gPendingMapChange.row, 59);
    EXPECT_EQ(gPendingMapChange.col, 0);
    EXPECT_EQ(gPendingMapChange.facing, 9);
    EXPECT_EQ(gPendingMapChange.storyFlags[42], 9);
    EXPECT_EQ(gPendingMapChange.playerVisible, 0);
    EXPECT_EQ(gScene, 1);
    EXPECT_EQ(gInputCode, 0);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 0);
}

TEST_F(Primitives, ChangeMapWithFacingTwoMovesThePlayerAndTheEventGoesOn) {
    gFieldEvent = 7;
    gPlayerPos[1] = 3.0f;
    changeMap(0, 10, 4, 2);
    EXPECT_FLOAT_EQ(gPlayerPos[0], 10.0f + 4 * 0.707106781f);
    EXPECT_FLOAT_EQ(gPlayerPos[1], 3.0f);
    EXPECT_FLOAT_EQ(gPlayerPos[2], 4 * 0.707106781f);
    EXPECT_EQ(gFieldEvent, 7);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gScene, 0);
}

// Columns where a float product c * 0.707106781f is a bit away from the
// double product rounded to a float; there the float corner falls into the
// column before (the assembly hall's changeMap(0, 6, 9, 2) would take its
// battle ground from column 8). A corner lies on its row's edge, which the
// grid look-up gives to the row before, so only the column is checked.
constexpr int kColumnsWhereFloatShearDiffers[] = {9, 13, 18, 26, 31, 36, 41, 47, 52, 57};

TEST_F(Primitives, ChangeMapWithFacingTwoLandsOnTheRequestedCornerInEveryColumn) {
    for (int row : {6, 30}) {
        for (int col : kColumnsWhereFloatShearDiffers) {
            changeMap(0, row, col, 2);
            EXPECT_EQ(gPlayerPos[2], static_cast<float>(col * 0.707106781)) << row << "," << col;
            int cell[3];
            worldToCell(gPlayerPos, cell);
            EXPECT_EQ(cell[2], col) << row << "," << col;
        }
    }
}

TEST_F(Primitives, NewsTickerRunsOnTheTownMapsAndMapSeventyTwoUnlessBroken) {
    struct Case {
        int map;
        int flag81;
        int on;
        int pos;
    } cases[] = {{1, 0, 1, 33}, {72, 0, 1, 33}, {72, 1, 0, 0}, {20, 0, 0, 0}};
    for (const Case& c : cases) {
        gNewsTickerOn = 1;
        gTickerPos = 33;
        gTickerSlot = 2;
        gStoryFlags[81] = static_cast<std::uint8_t>(c.flag81);
        changeMap(c.map, 1, 1, 0);
        EXPECT_EQ(gNewsTickerOn, c.on) << c.map;
        EXPECT_EQ(gTickerPos, c.pos) << c.map;
    }
}

TEST_F(Primitives, StillPicturesFadeInUnlessNegativeWhichPassTheWaitAtOnce) {
    showStillPicture(3);
    EXPECT_EQ(gStillPicture, 4);
    EXPECT_EQ(gStillPictureAlpha, 128);
    EXPECT_EQ(gPictureLoaded, 0);
    gEventStep = 2;
    waitStillPicture();
    EXPECT_EQ(gEventStep, 1);
    gEventStep = 2;
    gInputCode = 10;
    waitStillPicture();
    EXPECT_EQ(gEventStep, 2);
    EXPECT_EQ(gStillPicture, 0);
    EXPECT_EQ(gInputCode, 10);  // not consumed

    gInputCode = 0;
    showStillPicture(-105);
    EXPECT_EQ(gStillPictureAlpha, 255);
    EXPECT_EQ(gStillPicture, -104);
    gEventStep = 2;
    waitStillPicture();
    EXPECT_EQ(gEventStep, 2);
    EXPECT_EQ(gStillPicture, 0);
}

TEST_F(Primitives, FadeTintArrivesInAboutOneHundredFramesAndClearsActiveOnReturn) {
    int frames = 0;
    do {
        gEventStep = 1;
        fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
        ++frames;
    } while (gEventStep == 0 && frames < 500);
    EXPECT_GE(frames, 99);
    EXPECT_LE(frames, 101);
    EXPECT_EQ(gFieldTint[0], 0.0f);
    EXPECT_EQ(gFieldTintActive, 1);
    frames = 0;
    do {
        gEventStep = 1;
        fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
        ++frames;
    } while (gEventStep == 0 && frames < 500);
    EXPECT_LT(frames, 500);
    EXPECT_EQ(gFieldTintActive, 0);
}

TEST_F(Primitives, ClampToRangeTable) {
    struct Case {
        int minimum, value, cap, expected;
    } cases[] = {{0, 50, 0, 50}, {0, 50, 30, 30}, {0, 20, 30, 20}, {40, 20, 30, 40}, {10, 5, 0, 10}};
    for (const Case& c : cases) {
        const int pair[2] = {c.value, c.cap};
        EXPECT_EQ(clampToRange(c.minimum, pair), c.expected);
    }
}

TEST_F(Primitives, LoanInterestRoundsToHundredsAndSaturates) {
    struct Case {
        int loan, expected;
    } cases[] = {{0, 0}, {-5, -5}, {1000, 1200}, {5050, 5650}, {INT_MAX - 10, INT_MAX}};
    for (const Case& c : cases) {
        gLoan = c.loan;
        gExchangeRates[1].halted = gExchangeRates[2].halted = 1;
        advanceEconomyDay();
        EXPECT_EQ(gLoan, c.expected) << c.loan;
    }
    gLoan = 0;
}

TEST_F(Primitives, ExchangeRatesDriftReflectAtTheMaximumAndHaltAtTheMinimum) {
    gLoan = 0;
    gExchangeRates[1] = ExchangeRate{130, 0, 0, 0};
    gExchangeRates[2] = ExchangeRate{180, 1, 1, 0};  // halted
    // whatever is drawn, a rising rate of 130 ends within [101, 135] (a value
    // past 135 is reflected), and a halted one sits at its minimum, falling
    advanceEconomyDay();
    EXPECT_LE(gExchangeRates[1].rate, 135);
    EXPECT_GE(gExchangeRates[1].rate, 101);
    EXPECT_EQ(gExchangeRates[2].rate, 160);
    EXPECT_EQ(gExchangeRates[2].falling, 1);
    // a falling rate below the minimum is stored and turns to rising
    gExchangeRates[1] = ExchangeRate{95, 1, 0, 0};
    for (int day = 0; day < 50 && gExchangeRates[1].falling == 1; ++day) advanceEconomyDay();
    EXPECT_EQ(gExchangeRates[1].falling, 0);
    EXPECT_LE(gExchangeRates[1].rate, 95);
}

TEST_F(Primitives, ReturnUnitEquipmentGivesBackAllButTheWeapon) {
    PartyMember& member = gPartyMembers[2];
    member.equipment[kEquipWeapon] = 10;
    member.equipment[kEquipProtector] = 20;
    member.equipment[kEquipAccessoryA] = 0;
    member.equipment[kEquipAccessoryB] = 30;
    gItemStock[20] = ItemStock{0, 1};
    gItemStock[30] = ItemStock{2, 1};
    gItemStock[10] = ItemStock{0, 1};
    returnUnitEquipment(2);
    EXPECT_EQ(member.equipment[kEquipWeapon], 10);
    EXPECT_EQ(member.equipment[kEquipProtector], 0);
    EXPECT_EQ(member.equipment[kEquipAccessoryB], 0);
    EXPECT_EQ(gItemStock[20].owned, 1);
    EXPECT_EQ(gItemStock[20].equipped, 0);
    EXPECT_EQ(gItemStock[30].owned, 3);
    EXPECT_EQ(gItemStock[10].equipped, 1);
    returnUnitEquipment(99);  // no such unit: nothing
}

TEST_F(Primitives, StartEndingRequestsTheEndingSongUnderTheLockAndTheStaffRoll) {
    gMusicLock = 1;
    gStaffRoll.step = 12;  // a roll left half-way before: the ending starts afresh
    startEnding(0);
    EXPECT_EQ(gStaffRoll.running, 1);
    EXPECT_EQ(gStaffRoll.step, 0);
    EXPECT_STREQ(gRequestedSong, "【テーマ】エンディング.mid");
    EXPECT_EQ(gMusicLock, 1);
    EXPECT_EQ(gScene, 900);
    EXPECT_EQ(gRedrawRequest[0], 2);
}

TEST_F(Primitives, StoneAcquisitionHoldsThroughEveryPhaseAndEndsAfterTheBanner) {
    const float at[3] = {5.0f, 1.0f, 3.0f};
    gFieldMarkers[2] = FieldMarker{0, 0.0f, 0.0f, 10.0f, 0};
    int frames = 0;
    bool sawBanner = false;
    bool sawBlack = false;
    while (frames < 2000) {
        gEventStep = 1;
        gInputCode = (gStoneBannerShown == 1) ? 10 : 0;
        runStoneAcquisition(at, 2, 0);
        ++frames;
        sawBanner = sawBanner || gStoneBannerShown == 1;
        sawBlack = sawBlack || gFieldBrightness <= 0.0f + 1e-6f;
        if (gEventStep == 1) break;
    }
    EXPECT_LT(frames, 2000);
    EXPECT_TRUE(sawBanner);
    EXPECT_TRUE(sawBlack);
    EXPECT_FLOAT_EQ(gFieldBrightness, 1.0f);
    EXPECT_EQ(gFieldMarkers[2].present, 0);
    EXPECT_EQ(gSlowMusicFade, 0);
}

namespace {

const InnScript kTestInn = {
    100,
    {"宿屋", {"いらっしゃい。", "", ""}},
    {"宿屋", {"一泊100です。", "", ""}},
    {"宿屋", {"お金が足りないよ。", "", ""}},
    "シェリル",
    0,
    "泊まる。",
    true,
    "【マップ】スキンタウン.mid",
};

void innScript() {
    if (gFieldEvent == 3) runInnStep(kTestInn);
    ++gEventStep;
}

}  // namespace

TEST_F(Primitives, InnRefusesABalanceEqualToThePriceAndLodgesOneAbove) {
    struct Case {
        int balance;
        int choose;  // input before the decide on the choice: 2 picks "stay"
        int expectedBalance;
        bool tintSeen;
    } cases[] = {{100, 2, 100, false}, {101, 2, 1, true}, {500, 0, 500, false}};
    for (const Case& c : cases) {
        SetUp();
        gMapEventScripts[0] = innScript;
        gRegionCurrency = 1;
        gMoney[1] = c.balance;
        gFieldEvent = 3;
        gEventStep = 0;
        bool tinted = false;
        int frames = 0;
        while (gFieldEvent != 0 && frames < 2000) {
            int input = 0;
            if (gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) input = 10;
            if (gMessageMode == 2) input = (gChoiceCursor == 0 && c.choose == 2) ? 2 : 10;
            frame(input);
            tinted = tinted || gFieldTintActive == 1;
            ++frames;
        }
        EXPECT_LT(frames, 2000);
        EXPECT_EQ(gMoney[1], c.expectedBalance) << c.balance;
        EXPECT_EQ(tinted, c.tintSeen) << c.balance;
        EXPECT_EQ(gMoneyWindow, 0);
    }
}

TEST_F(Primitives, ShopBankAndSaveScreenOpenTheirScenesWithTheirLabels) {
    gMenuListCursor = 7;
    gMenuTopCursor = 3;
    gMenuPage = 2;  // not reset: every screen leaves it at 0 on the way out
    const int goods[20] = {11, 12, 13};
    openShop("道具屋", goods, 100);
    EXPECT_EQ(gScene, 300);
    EXPECT_STREQ(gShopTitle, "道具屋");
    EXPECT_EQ(gShopGoods[2], 13);
    EXPECT_EQ(gShopGoods[3], 0);
    EXPECT_EQ(gShopKind, 100);
    EXPECT_EQ(gMenuListCursor, 0);
    EXPECT_EQ(gMenuPage, 2);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gRedrawRequest[1], 2);

    gMenuListCursor = 4;
    gExchangeRates[0].rate = 93;
    openBank("銀行");
    EXPECT_EQ(gScene, 301);
    EXPECT_STREQ(gShopTitle, "銀行");
    EXPECT_EQ(gMenuListCursor, 0);
    EXPECT_EQ(gMenuTopCursor, 0);
    EXPECT_EQ(gExchangeRates[0].rate, 100);

    // A label longer than the field is cut, never run past it.
    const std::string longLabel(250, 'a');
    openSaveScreen(longLabel.c_str());
    EXPECT_EQ(gScene, 9);
    EXPECT_EQ(std::strlen(gSavePlaceName), sizeof gSavePlaceName - 1);
}

TEST_F(Primitives, StartBattleTakesTheGroundFromThePlayersCell) {
    gMapCells[12][7].floorColumn = 5;
    gMapCells[12][7].floorRow = 3;
    gMapCells[12][7].wallColumn = 9;
    gMapCells[12][7].wallRow = 2;
    cellCentre(12, 7, gPlayerPos);
    startBattle(4, 0, 0);
    EXPECT_EQ(gScene, 10);
    EXPECT_EQ(gTransitionFrame, 0);
    EXPECT_EQ(gGroundTiles[0], 5);
    EXPECT_EQ(gGroundTiles[1], 3);
    EXPECT_EQ(gGroundTiles[2], 9);
    EXPECT_EQ(gGroundTiles[3], 2);
}

TEST_F(Primitives, ANewGameAsksForTheBarOfSkinTownAndClearsMarkersAndQueues) {
    gFieldMarkers[3].present = 1;
    gFieldMarkers[3].frame = 40;
    gMoveQueues[9].length = 12;
    clearFieldMarkersForNewGame();
    emptyMoveQueuesForNewGame();
    requestNewGameMapChange();
    EXPECT_EQ(gFieldMarkers[3].present, 0);
    EXPECT_EQ(gFieldMarkers[3].frame, 0);
    EXPECT_EQ(gMoveQueues[9].length, 0);
    EXPECT_EQ(gPendingMapChange.pending, 1);
    EXPECT_EQ(gPendingMapChange.map, 22);
    EXPECT_EQ(gPendingMapChange.row, 26);
    EXPECT_EQ(gPendingMapChange.col, 53);
    EXPECT_EQ(gPendingMapChange.facing, 1);
    EXPECT_EQ(gScene, 1);
}
