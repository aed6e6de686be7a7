// The new-game state.
#include <gtest/gtest.h>

#include "engine/Scene.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/NewGame.h"
#include "gamedata/PartyStats.h"
#include "menus/CampState.h"
#include "menus/Title.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"

namespace {

class NewGame : public ::testing::Test {
protected:
    void SetUp() override { resetGameDataState(); }
    void TearDown() override { resetGameDataState(); }
};

}  // namespace

TEST_F(NewGame, StartUpResetGivesExperienceThatMatchesBuiltInLevels) {
    timing::setCalendarClock([] { return std::int64_t{1800000000}; });
    resetNewGame();
    timing::setCalendarClock({});
    EXPECT_EQ(gSessionStart, 1800000000);
    EXPECT_EQ(gPartyMembers[1].experience, 0);
    EXPECT_EQ(gPartyMembers[3].experience, 360);  // level 7
    EXPECT_EQ(gPartyMembers[6].experience, 34810);  // level 60
    EXPECT_EQ(gPartyMembers[0].experience, 10);  // level 0: 10 x (-1)^2
    EXPECT_EQ(gCurrentMap, 22);
    EXPECT_EQ(gPlayerFacing, 1);
    EXPECT_EQ(gCampMenuAllowed, 1);
    EXPECT_STREQ(gBodyguards[1].name, "モルコスフィア");
    for (int frames : gBestRaceFrames) EXPECT_EQ(frames, 359999);
}

TEST_F(NewGame, NewGameStartsWithKleiberAloneAndThreePotions) {
    resetNewGame();
    EXPECT_EQ(setUpInitialParty(), 0);
    EXPECT_EQ(gParty[0], 4);
    EXPECT_EQ(gParty[1], 0);
    EXPECT_EQ(gParty[2], 0);
    EXPECT_EQ(gPartyMembers[4].level, 9);
    EXPECT_EQ(gPartyMembers[4].hp, 361);
    EXPECT_EQ(computeUnitStat(4, kStatMaxHp), 608);
    EXPECT_EQ(gPartyMembers[4].experience, 0);
    EXPECT_EQ(gPartyMembers[6].hp, 9999);
    EXPECT_EQ(gPartyMembers[6].equipment[0], 0);
    EXPECT_EQ(gMoney[0], 0);
    EXPECT_EQ(gMoney[1], 100);
    EXPECT_EQ(gMoney[2], 0);
    int owned = 0, equipped = 0;
    for (const ItemStock& s : gItemStock) {
        owned += s.owned;
        equipped += s.equipped;
    }
    EXPECT_EQ(gItemStock[130].owned, 3);
    EXPECT_EQ(owned, 3);
    EXPECT_EQ(equipped, 5);
    for (int weapon : {1, 19, 34, 46, 61}) EXPECT_EQ(gItemStock[weapon].equipped, 1) << weapon;
    EXPECT_EQ(gExchangeRates[0].rate, 100);
    EXPECT_EQ(gExchangeRates[1].rate, 70);
    EXPECT_EQ(gExchangeRates[2].rate, 50);
    for (const ExchangeRate& r : gExchangeRates) {
        EXPECT_EQ(r.falling, 1);
        EXPECT_EQ(r.halted, 0);
    }
}

TEST_F(NewGame, SecondNewGameResetsPlayButKeepsBodyguardHp) {
    resetNewGame();
    setUpInitialParty();
    gFormation = 7;
    gFormationOrder = 3;
    gBestRaceFrames[2] = 1234;
    gBodyguards[2].hp = 555;
    gStoryFlags[17] = 3;
    gChestFlags[40] = 1;
    gCardStock[5] = CardStock{2, 1, 3};
    gStoneFlags[0] = 1;
    gBodyguardHired[1] = 1;
    gLoan = 5000;
    gCumulativeSales = 900;
    gTitleCounter = 350;

    resetNewGame();
    setUpInitialParty();
    EXPECT_EQ(gFormation, 0);
    EXPECT_EQ(gFormationOrder, 0);
    EXPECT_EQ(gBestRaceFrames[2], 359999);
    EXPECT_EQ(gBodyguards[2].hp, 555);
    EXPECT_EQ(gStoryFlags[17], 0);
    EXPECT_EQ(gChestFlags[40], 0);
    EXPECT_EQ(gCardStock[5].count, 0);
    EXPECT_EQ(gCardStock[5].known, 0);
    EXPECT_EQ(gCardStock[5].holder, 0);
    EXPECT_EQ(gStoneFlags[0], 0);
    EXPECT_EQ(gBodyguardHired[1], 0);
    EXPECT_EQ(gLoan, 0);
    EXPECT_EQ(gCumulativeSales, 0);
    EXPECT_EQ(gTitleCounter, 0);
}
