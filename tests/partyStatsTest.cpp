// Unit and bodyguard stats.
#include <gtest/gtest.h>

#include "battle/BattleRecords.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

class PartyStats : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        gInBattle = 0;
        for (std::uint8_t& f : gChestFlags) f = 0;
    }
    void TearDown() override { resetGameDataState(); }
    static void member(int unit, int level, int weapon = 0, int protector = 0, int accA = 0, int accB = 0) {
        PartyMember& m = gPartyMembers[unit];
        m = PartyMember{};
        m.level = level;
        m.equipment[0] = weapon;
        m.equipment[1] = protector;
        m.equipment[2] = accA;
        m.equipment[3] = accB;
    }
};

}  // namespace

TEST_F(PartyStats, BaseFormulaFollowsLevelAndBaseRecord) {
    member(4, 9);
    gParty[0] = 4;
    EXPECT_EQ(computeUnitStat(4, kStatMaxHp), 608);   // 26^2 x 540 / 600
    EXPECT_EQ(computeUnitStat(4, kStatAttack), 157);  // formation 0: all middle
    EXPECT_EQ(computeUnitStat(0, kStatMaxHp), 1);     // the empty unit is at least 1
    EXPECT_EQ(computeUnitStat(9, kStatMaxHp), 1);     // out of range
    EXPECT_EQ(computeUnitStat(4, 7), 1);
}

TEST_F(PartyStats, EquipmentBonusesAddToTheirKinds) {
    gItems[46].bonuses[0] = 25;  // attack
    gItems[46].bonuses[4] = 7;   // speed
    gItems[60].bonuses[1] = 11;  // defence
    member(4, 9, 46, 60);
    EXPECT_EQ(computeUnitStat(4, kStatAttack), 157 + 25);
    EXPECT_EQ(computeUnitStat(4, kStatSpeed), 676 * 170 / 600 + 7);
    EXPECT_EQ(computeUnitStat(4, kStatDefence), 676 * 35 / 600 + 11);
    EXPECT_EQ(computeUnitStat(4, kStatMaxHp), 608);  // bonuses never touch HP or SP
}

TEST_F(PartyStats, FormationRowsScaleAttackAndDefenceWithSinglePrecisionFactors) {
    // Unit 1 at a level where its attack before the factor is exactly 100:
    // base 90 needs (L + 17)^2 x 90 / 600 = 100 -> take it from a weapon instead.
    member(1, 1, 1);
    const int plainAttack = 324 * 90 / 600;  // 48
    gItems[1].bonuses[0] = 100 - plainAttack;
    gItems[1].bonuses[1] = 100 - 324 * 29 / 600;
    gParty[0] = 1;
    struct Case { int formation, order; int attack, defence; };
    const Case cases[] = {
        {0, 0, 100, 100},  // middle
        {2, 0, 129, 60},   // front: 100 x 1.29999995 -> 129, defence x 0.60000002 -> 60
        {1, 0, 60, 129},   // rear
        {3, 0, 129, 60},   // slot 0 at position 0: front
        {3, 5, 60, 129},   // order 5 puts slot 0 at position 2: rear
    };
    for (const Case& c : cases) {
        gFormation = c.formation;
        gFormationOrder = c.order;
        EXPECT_EQ(computeUnitStat(1, kStatAttack), c.attack) << c.formation << "/" << c.order;
        EXPECT_EQ(computeUnitStat(1, kStatDefence), c.defence) << c.formation << "/" << c.order;
    }
    gParty[0] = 0;  // out of the party: no factor
    gFormation = 2;
    EXPECT_EQ(computeUnitStat(1, kStatAttack), 100);
}

TEST_F(PartyStats, SpecialAccessories) {
    const int hp = 26 * 26 * 540 / 600;  // unit 4, level 9
    const int sp = 26 * 26 * 15 / 600;
    struct Case { int w, p, a, b; int maxHp, maxSp; const char* what; };
    const Case cases[] = {
        {0, 0, 100, 0, hp + 300, sp, "100 adds 300 HP"},
        {0, 0, 108, 100, hp + 1300, sp, "108 adds 1000 HP"},
        {0, 0, 110, 0, sp, hp, "110 swaps HP and SP"},
        {0, 0, 110, 100, sp, hp + 300, "with 110, 100's bonus goes to SP"},
        {0, 0, 100, 110, sp, hp + 300, "110 after 100 restarts the sum"},
        {128, 0, 0, 0, hp, sp * 2, "128 doubles SP"},
        {128, 0, 100, 0, hp + 300, sp * 2, "the later slots add after doubling"},
        {0, 0, 110, 128, sp * 2, hp, "with 110, 128 doubles the HP formula's value on SP"},
    };
    for (const Case& c : cases) {
        member(4, 9, c.w, c.p, c.a, c.b);
        EXPECT_EQ(computeUnitStat(4, kStatMaxHp), c.maxHp) << c.what;
        EXPECT_EQ(computeUnitStat(4, kStatMaxSp), c.maxSp) << c.what;
    }
}

TEST_F(PartyStats, Item128DoublesWhatWasSummedBeforeIt) {
    const int sp = 26 * 26 * 15 / 600;
    member(4, 9, 0, 0, 0, 128);
    EXPECT_EQ(computeUnitStat(4, kStatMaxSp), sp * 2);
    // A second copy doubles the sum the first one doubled.
    member(4, 9, 128, 0, 0, 128);
    EXPECT_EQ(computeUnitStat(4, kStatMaxSp), sp * 4);
}

TEST_F(PartyStats, Item115CountsTheCollectedItems) {
    member(4, 9, 0, 0, 115);
    gItemStock[102].owned = 5;     // counts 0
    gItemStock[103].owned = 1;     // counts 1 each
    gItemStock[103].equipped = 1;
    gItemStock[116].owned = 1;     // 4 each
    gItemStock[125].equipped = 1;  // 9 each
    EXPECT_EQ(computeUnitStat(4, kStatAttack), 157 + 100 * (2 + 4 + 9));
    EXPECT_EQ(computeUnitStat(4, kStatMaxHp), 608);
}

TEST_F(PartyStats, BattleBonusAddsToMaxHpOfPartyMembersOnly) {
    member(4, 9);
    member(5, 9);
    gParty[1] = 4;  // unit 4 stands in slot 1; unit 5 is not in the party
    gMemberBattleStatus[0].maxHpBonus = 11;
    gMemberBattleStatus[1].maxHpBonus = 250;
    const int sp = computeUnitStat(4, kStatMaxSp);
    const int hp5 = computeUnitStat(5, kStatMaxHp);
    gInBattle = 1;
    EXPECT_EQ(computeUnitStat(4, kStatMaxHp), 608 + 250) << "the bonus of the member's own line";
    EXPECT_EQ(computeUnitStat(4, kStatMaxSp), sp) << "maximum HP only";
    EXPECT_EQ(computeUnitStat(5, kStatMaxHp), hp5) << "a unit outside the party has no line";
    gInBattle = 0;
    EXPECT_EQ(computeUnitStat(4, kStatMaxHp), 608) << "outside battle the lines count for nothing";
    gParty[1] = 0;
    gMemberBattleStatus[0].maxHpBonus = gMemberBattleStatus[1].maxHpBonus = 0;
}

TEST_F(PartyStats, BodyguardLevelsAndStats) {
    EXPECT_EQ(computeBodyguardStat(0, kStatLevel), 0);  // no cards
    for (int c = 0; c < 10; ++c) gCardStock[c].count = 1;  // ten of rarity 0: 10 x 0.699999988
    EXPECT_EQ(computeBodyguardStat(0, kStatLevel), 6);
    gCardTable[0].rarity = 3;  // 13 x 0.7 = 9.1
    EXPECT_EQ(computeBodyguardStat(0, kStatLevel), 9);
    gCardStock[0].count = 0;  // only owned cards count: 9 x 0.7 = 6.3
    EXPECT_EQ(computeBodyguardStat(0, kStatLevel), 6);

    // The exponent is 0.333, not a third: 27 sales give 2 x floor(2.996 + 1).
    struct Sales { int sales; int level; };
    const Sales sales[] = {{0, 2}, {-50, 2}, {1, 4}, {27, 6}, {1000, 20}, {2147483647, 2562}};
    for (const Sales& s : sales) {
        gCumulativeSales = s.sales;
        EXPECT_EQ(computeBodyguardStat(1, kStatLevel), s.level) << s.sales;
    }
    gCumulativeSales = 2147483647;
    EXPECT_GT(computeBodyguardStat(1, kStatMaxHp), 0);  // no overflow on huge sales

    EXPECT_EQ(computeBodyguardStat(2, kStatLevel), 128);
    EXPECT_EQ(computeBodyguardStat(2, kStatSpeed), 135 * 135 * 100 / 600);  // 3037
    EXPECT_EQ(computeBodyguardStat(2, kStatMagic), 1);                       // base 0

    for (int i = 0; i < 7; ++i) gChestFlags[i] = 1;
    EXPECT_EQ(computeBodyguardStat(3, kStatLevel), 5);  // 3 x 7 / 4
    EXPECT_EQ(computeBodyguardStat(3, kStatMaxHp), 12 * 12 * 830 / 600);
    EXPECT_EQ(computeBodyguardStat(4, kStatMaxHp), 1);
    EXPECT_EQ(computeBodyguardStat(2, 50), 1);
}
