// Victory rewards: the count of the experience pool, the hand-out with its
// level-ups, and the pay-out of money, item and card.
#include <gtest/gtest.h>

#include <climits>
#include <vector>

#include "battle/VictoryRewards.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"

namespace {

// Frame shares of a whole count without decide.
std::vector<int> countOut(int groupExperience) {
    std::vector<int> shares;
    int pool = groupExperience;
    while (pool > 0 && shares.size() < 100000) shares.push_back(takeExperienceShare(pool, groupExperience, false));
    return shares;
}

TEST(VictoryCountTest, ThePoolDrainsByAFixedAmountAFrameThatGrowsWithTheReward) {
    const struct {
        int experience;
        int perFrame;
        int frames;
        int last;
    } cases[] = {
        {1, 1, 1, 1},
        {100, 1, 100, 1},
        {299, 1, 299, 1},
        {300, 7, 43, 6},
        {500, 7, 72, 3},
        {1549, 7, 222, 2},
        {1550, 38, 41, 30},
        {7800, 194, 41, 40},
        {39050, 975, 41, 50},
        {195300, 4881, 41, 60},
    };
    for (const auto& c : cases) {
        const std::vector<int> shares = countOut(c.experience);
        ASSERT_EQ(static_cast<int>(shares.size()), c.frames) << c.experience;
        long long total = 0;
        for (std::size_t i = 0; i + 1 < shares.size(); ++i) {
            EXPECT_EQ(shares[i], c.perFrame) << c.experience << " frame " << i;
            total += shares[i];
        }
        EXPECT_EQ(shares.back(), c.last) << c.experience;
        EXPECT_EQ(total + shares.back(), c.experience);
    }
}

TEST(VictoryCountTest, DecideTakesTheWholeRestAtOnce) {
    int pool = 480;
    EXPECT_EQ(takeExperienceShare(pool, 500, false), 7);
    EXPECT_EQ(pool, 473);
    pool = 480;
    EXPECT_EQ(takeExperienceShare(pool, 500, true), 480);
    EXPECT_EQ(pool, 0);
    EXPECT_EQ(takeExperienceShare(pool, 500, true), 0);
    EXPECT_EQ(takeExperienceShare(pool, 500, false), 0);
}

TEST(VictoryCountTest, AHugeRewardStepsWithoutOverflow) {
    int pool = INT_MAX;
    const int share = takeExperienceShare(pool, INT_MAX, false);
    EXPECT_GT(share, 0);
    EXPECT_EQ(static_cast<long long>(pool) + share, static_cast<long long>(INT_MAX));
}

TEST(VictoryLadderTest, EachLevelNeedsTenTimesItsSquare) {
    const struct {
        int level;
        long long needed;
    } ladder[] = {{1, 10}, {2, 40}, {3, 90}, {4, 160}, {5, 250}, {10, 1000}, {50, 25000}, {99, 98010}, {20000, 4000000000LL}};
    for (const auto& step : ladder) EXPECT_EQ(experienceForNextLevel(step.level), step.needed) << step.level;
}

class VictoryHandOutTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        resetTextLayers();
        gParty[0] = 1;
        gParty[1] = 2;
        gParty[2] = 3;
        for (int unit = 1; unit <= 3; ++unit) {
            gPartyMembers[unit].level = 3;
            gPartyMembers[unit].experience = 80;
            gPartyMembers[unit].hp = 50;
            for (int& item : gPartyMembers[unit].equipment) item = 0;
        }
    }
    void TearDown() override { resetGameDataState(); }
};

TEST_F(VictoryHandOutTest, EveryStandingMemberGainsTheWholeShareAndClimbsEachThresholdPassed) {
    gRedrawRequest[0] = 0;
    // 80 + 100 = 180: past 90 (level 4) and 160 (level 5), short of 250.
    const int levels = handOutExperience(100);
    for (int unit = 1; unit <= 3; ++unit) {
        EXPECT_EQ(gPartyMembers[unit].experience, 180);
        EXPECT_EQ(gPartyMembers[unit].level, 5);
        EXPECT_EQ(experienceForNextLevel(gPartyMembers[unit].level) - gPartyMembers[unit].experience, 70);
    }
    EXPECT_EQ(levels, 6);
    EXPECT_EQ(gRedrawRequest[0], 2);
}

TEST_F(VictoryHandOutTest, AFallenMemberAndAnEmptySlotGainNothing) {
    gPartyMembers[2].hp = 0;
    gParty[0] = 0;
    handOutExperience(5);
    EXPECT_EQ(gPartyMembers[1].experience, 80);
    EXPECT_EQ(gPartyMembers[2].experience, 80);
    EXPECT_EQ(gPartyMembers[3].experience, 85);
}

TEST_F(VictoryHandOutTest, ExperienceCharmsDoubleTheGainOncePerSlot) {
    const struct {
        int slots;
        int gain;
    } cases[] = {{0, 7}, {1, 14}, {2, 28}, {4, 112}};
    for (const auto& c : cases) {
        SetUp();
        for (int i = 0; i < c.slots; ++i) gPartyMembers[1].equipment[i] = kExperienceCharm;
        gPartyMembers[1].equipment[c.slots < 4 ? 3 : 0] = c.slots < 4 ? 117 : kExperienceCharm;  // a neighbouring id counts nothing
        handOutExperience(7);
        EXPECT_EQ(gPartyMembers[1].experience, 80 + c.gain) << c.slots << " charms";
        EXPECT_EQ(gPartyMembers[2].experience, 87);
    }
}

TEST_F(VictoryHandOutTest, ANoughtShareLeavesEveryoneAsTheyWere) {
    gRedrawRequest[0] = 0;
    gPartyMembers[1].experience = 90;  // already past level 3's threshold
    EXPECT_EQ(handOutExperience(0), 0);
    EXPECT_EQ(gPartyMembers[1].level, 3);
    EXPECT_EQ(gRedrawRequest[0], 0);
}

TEST_F(VictoryHandOutTest, ExperienceStopsAtTheLargestCountInsteadOfWrapping) {
    for (int& item : gPartyMembers[1].equipment) item = kExperienceCharm;
    gPartyMembers[1].experience = INT_MAX - 10;
    gPartyMembers[1].level = 14000;
    handOutExperience(1000000000);
    EXPECT_EQ(gPartyMembers[1].experience, INT_MAX);
    EXPECT_EQ(gPartyMembers[1].level, 14655);  // 10 x 14655^2 > INT_MAX >= 10 x 14654^2
}

class VictoryPayOutTest : public ::testing::Test {
protected:
    void SetUp() override { resetGameDataState(); }
    void TearDown() override { resetGameDataState(); }
};

TEST_F(VictoryPayOutTest, MoneyGoesToTheBalanceOfTheCurrentRegion) {
    for (int currency = 0; currency < kCurrencyCount; ++currency) {
        resetGameDataState();
        gMoney[0] = 10;
        gMoney[1] = 20;
        gMoney[2] = 30;
        gRegionCurrency = currency;
        payVictoryRewards(500, 0, 999);
        for (int other = 0; other < kCurrencyCount; ++other) {
            EXPECT_EQ(gMoney[other], (other + 1) * 10 + (other == currency ? 500 : 0)) << currency;
        }
    }
}

TEST_F(VictoryPayOutTest, TheItemAndTheCardJoinTheStocks) {
    gItemStock[130].owned = 10000;  // past the shop's cap: a reward still counts
    gCardStock[7].holder = 12;
    payVictoryRewards(0, 130, 7);
    EXPECT_EQ(gItemStock[130].owned, 10001);
    EXPECT_EQ(gCardStock[7].count, 1);
    EXPECT_EQ(gCardStock[7].known, 1);
    EXPECT_EQ(gCardStock[7].holder, 12);
    // No item, no card: the stocks stay.
    payVictoryRewards(0, 0, 999);
    EXPECT_EQ(gItemStock[0].owned, 0);
    EXPECT_EQ(gCardStock[7].count, 1);
}

TEST_F(VictoryPayOutTest, OutOfRangeValuesNeverWriteOutsideTheTables) {
    gRegionCurrency = 7;
    gMoney[0] = INT_MAX - 5;
    payVictoryRewards(100, 200, 100);
    EXPECT_EQ(gMoney[0], INT_MAX);
    gRegionCurrency = -1;
    payVictoryRewards(-3, -1, -1);
    EXPECT_EQ(gMoney[0], INT_MAX - 3);
}

}  // namespace
