// The whole-game player's gear: what it puts on from the bag and what it
// buys at a counter, judged on a small table of made-up items.
#include <gtest/gtest.h>

#include "gamedata/GameData.h"
#include "menus/MenuState.h"
#include "tools/playthrough/GearPlayer.h"

namespace {

constexpr int kSheryl = 1;  // a caster: more magic than attack
constexpr int kFalk = 2;    // a fighter

class GearPlayerChoice : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataTables();
        resetGameDataState();
        gParty[0] = kSheryl;
        gParty[1] = kFalk;
        gParty[2] = 0;
        for (int unit : {kSheryl, kFalk}) {
            gPartyMembers[unit].level = 30;
            for (int& e : gPartyMembers[unit].equipment) e = 0;
        }
        for (int g = 0; g < kShopGoodsCount; ++g) gShopGoods[g] = 0;
    }

    static void item(int id, int kind, std::initializer_list<int> bonuses, int price = 100) {
        gItems[id] = ItemRecord{};
        gItems[id].kind = kind;
        gItems[id].price = price;
        int k = 0;
        for (int b : bonuses) gItems[id].bonuses[k++] = b;
    }
    static void own(int id, int count = 1) { gItemStock[id].owned = count; }
};

TEST_F(GearPlayerChoice, PutsTheStrongestOwnedWeaponOfTheMembersKindInItsWeaponSlot) {
    item(1, kSheryl, {10, 0, 10, 0, 0});
    item(2, kSheryl, {50, 0, 40, 0, 0});
    item(3, kFalk, {90, 0, 0, 0, 0});  // not hers
    gPartyMembers[kSheryl].equipment[0] = 1;
    gPartyMembers[kFalk].equipment[0] = 3;
    own(2);

    int slot = -1, equipSlot = -1, chosen = -1;
    ASSERT_TRUE(nextGearChange(&slot, &equipSlot, &chosen));
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(equipSlot, 0);
    EXPECT_EQ(chosen, 2);
}

TEST_F(GearPlayerChoice, LeavesAccessoriesThatTakeMoreThanTheyGiveInTheBag) {
    // Swapped HP and SP, the damage gamble, the halved heals: never worn.
    for (int id : {110, 117, 129}) {
        item(id, 7, {0, 0, 0, 0, 0});
        own(id);
    }
    int slot = -1, equipSlot = -1, chosen = -1;
    EXPECT_FALSE(nextGearChange(&slot, &equipSlot, &chosen));
}

TEST_F(GearPlayerChoice, TheMagicAmplifierGoesToTheCasterAndTheBeltToTheOtherFreeSlot) {
    item(126, 7, {0, 0, 0, 0, 0});
    item(105, 7, {0, 10, 0, 5, 0});
    own(126);
    own(105);
    EXPECT_GT(gearWorth(kSheryl, 126), gearWorth(kSheryl, 105));
    EXPECT_EQ(gearWorth(kFalk, 126), -1);

    int slot = -1, equipSlot = -1, chosen = -1;
    ASSERT_TRUE(nextGearChange(&slot, &equipSlot, &chosen));
    EXPECT_EQ(slot, 0);
    EXPECT_EQ(chosen, 126);
    EXPECT_TRUE(equipSlot == 2 || equipSlot == 3);
}

TEST_F(GearPlayerChoice, NothingToDoOnceTheBestIsWorn) {
    item(71, 6, {0, 5, 0, 3, 0});
    item(80, 6, {0, 25, 0, 15, 0});
    gPartyMembers[kSheryl].equipment[1] = 80;
    gPartyMembers[kFalk].equipment[1] = 80;
    own(71);  // worse than what either wears
    int slot = -1, equipSlot = -1, chosen = -1;
    EXPECT_FALSE(nextGearChange(&slot, &equipSlot, &chosen));
}

TEST_F(GearPlayerChoice, BuysTheBiggestUpgradeTheMoneyPaysForAndNothingAlreadyOwned) {
    gRegionCurrency = 0;
    gMoney[0] = 5000;
    item(71, 6, {0, 5, 0, 3, 0}, 200);      // small upgrade
    item(13, kSheryl, {149, 0, 112, 0, 0}, 6610);  // too dear
    item(90, 6, {0, 63, 0, 42, 0}, 4390);   // the best she can pay
    item(91, 6, {0, 43, 0, 61, 0}, 4560);   // as good, but owned already
    own(91);
    const int goods[] = {71, 13, 90, 91, 130};
    for (int g = 0; g < 5; ++g) gShopGoods[g] = goods[g];

    EXPECT_EQ(gearRowToBuy(), 2);
    gMoney[0] = 100;
    EXPECT_EQ(gearRowToBuy(), -1);
}

}  // namespace
