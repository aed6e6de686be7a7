// The command menus and target choosers driven with scripted input.
#include "battle/BattleMenus.h"
#include "tests/battleFixture.h"

namespace battletest {
namespace {

class BattleMenus : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        setUpBattle(kGroupTwoSlimes);
        gScene = 100;
        gBattleAction.phase = kPhaseCommand;
        gBattleAction.actingSide = kSideParty;
        gBattleAction.actingIndex = 1;  // unit 2
    }
    static void giveStone(int unit, int slot, int stoneId, int attribute) {
        gPartyMembers[unit].stones[slot] = stoneId;
        gMagicalStones[stoneId].attribute = attribute;
    }
    static void stoneRow(int row, int attribute, int level, int cost, int targetKind) {
        gStoneSkills[row].attribute = attribute;
        gStoneSkills[row].level = level;
        gStoneSkills[row].spCost = cost;
        gStoneSkills[row].targetKind = targetKind;
    }
};

TEST_F(BattleMenus, EntriesDependOnStonesAndBodyguards) {
    int labels[5];
    struct Case {
        bool stone, bodyguard;
        std::vector<int> entries;
    };
    const Case cases[] = {
        {false, false, {0, 2, 4}},
        {true, false, {0, 1, 2, 4}},
        {false, true, {0, 2, 3, 4}},
        {true, true, {0, 1, 2, 3, 4}},
    };
    for (const Case& c : cases) {
        gPartyMembers[2].stones[1] = c.stone ? 3 : 0;
        gBodyguardHired[2] = c.bodyguard ? 1 : 0;
        const int n = commandMenuEntries(labels);
        EXPECT_EQ(std::vector<int>(labels, labels + n), c.entries);
    }
    gBattleSchedule.soloMode = 1;
    EXPECT_EQ(commandMenuEntries(labels), 2);
    EXPECT_EQ(labels[0], 5);
    EXPECT_EQ(labels[1], 6);
}

TEST_F(BattleMenus, CursorWrapsBothWays) {
    frame(kInputDown);
    frame(kInputDown);
    EXPECT_EQ(gBattleAction.commandCursor, 2);
    frame(kInputDown);
    EXPECT_EQ(gBattleAction.commandCursor, 0);
    frame(kInputUp);
    EXPECT_EQ(gBattleAction.commandCursor, 2);
    EXPECT_EQ(gRedrawRequest[1], 1);  // a move redraws layer 1 from the next frame
}

TEST_F(BattleMenus, WeaponLevelsOpenBySuccesses) {
    struct Case {
        int s0, s1, s2;
        bool open[4];
    };
    const Case cases[] = {
        {29, 99, 99, {true, false, true, false}},
        {30, 0, 0, {true, true, false, false}},
        {45, 45, 0, {true, true, true, false}},
        {60, 60, 59, {true, true, true, false}},
        {60, 60, 60, {true, true, true, true}},
    };
    for (const Case& c : cases) {
        gPartyMembers[2].skillCounts[0][0] = c.s0;
        gPartyMembers[2].skillCounts[1][0] = c.s1;
        gPartyMembers[2].skillCounts[2][0] = c.s2;
        for (int level = 0; level < 4; ++level) EXPECT_EQ(weaponLevelOpen(2, level), c.open[level]) << c.s0 << " " << level;
    }
}

TEST_F(BattleMenus, ClosedOrRowlessLevelIsRefused) {
    const int category = gUnitBases[2].weaponCategory;
    gWeaponSkills[20] = gWeaponSkills[0];
    gWeaponSkills[20].category = category;
    gWeaponSkills[20].level = 1;
    gPartyMembers[2].skillCounts[0][0] = 29;
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseWeaponList);
    frame(kInputDown);
    frame(kInputDecide);  // level 1 is closed at 29 successes
    EXPECT_EQ(gBattleAction.phase, kPhaseWeaponList);
    gPartyMembers[2].skillCounts[0][0] = 30;
    gPartyMembers[2].skillCounts[1][0] = 60;
    frame(kInputDown);
    frame(kInputDecide);  // level 2 is open but has no row
    EXPECT_EQ(gBattleAction.phase, kPhaseWeaponList);
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, -1);
    frame(kInputUp);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseWeaponEnemyTarget);
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, 20);
}

TEST_F(BattleMenus, FirstEnemyTargetSkipsEmptySlotsAndTheChooserWraps) {
    gEnemyBattlers[0].monster = 0;
    gEnemyBattlers[4].monster = kSlime;
    frame(kInputDecide);
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseWeaponEnemyTarget);
    EXPECT_EQ(gBattleAction.targetIndex, 1);
    EXPECT_EQ(gBattleAction.targetSide, kSideEnemy);
    frame(kInputRight);
    EXPECT_EQ(gBattleAction.targetIndex, 4);
    frame(kInputDown);
    EXPECT_EQ(gBattleAction.targetIndex, 1);
    frame(kInputLeft);
    EXPECT_EQ(gBattleAction.targetIndex, 4);
    frame(kInputCancel);
    EXPECT_EQ(gBattleAction.phase, kPhaseWeaponList);
    EXPECT_TRUE(soundPlayed("Can.wav"));
    frame(kInputDecide);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
}

TEST_F(BattleMenus, WideRangeMarkerRunsOverTheEnemies) {
    gWeaponSkills[gUnitBases[2].weaponCategory].range = 1;
    frame(kInputDecide);
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseWeaponEnemyTarget);
    EXPECT_EQ(gBattleAction.targetRange, 1);
    const int first = gBattleAction.targetIndex;
    frame();
    EXPECT_NE(gBattleAction.targetIndex, first);
    frame();
    EXPECT_EQ(gBattleAction.targetIndex, first);
}

TEST_F(BattleMenus, BonusFigureFollowsSuccessesAndCharms) {
    const int row = gUnitBases[2].weaponCategory;
    gWeaponSkills[row].bonusBase = 3;
    gPartyMembers[2].skillCounts[0][0] = 45;
    EXPECT_EQ(weaponSkillBonusFigure(2, row, 0), 9);
    gPartyMembers[2].equipment[2] = 104;  // +5
    gPartyMembers[2].equipment[3] = 127;  // x2
    EXPECT_EQ(weaponSkillBonusFigure(2, row, 0), 28);
    gPartyMembers[2].equipment[1] = 111;  // halves first: (9 / 2 + 5) x 2
    EXPECT_EQ(weaponSkillBonusFigure(2, row, 0), 18);
}

TEST_F(BattleMenus, StoneCostIsScaledAndAShortMemberCannotUseIt) {
    giveStone(2, 0, 3, 4);
    stoneRow(8, 4, 0, 15, 0);
    stoneRow(9, 4, 1, 10, 2);
    gPartyMembers[2].equipment[2] = 129;  // x0.5: 7.5 and 5
    gPartyMembers[2].sp = 7;
    EXPECT_FLOAT_EQ(stoneSpFactor(2), 0.5f);
    frame(kInputDown);
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseStoneList);
    frame(kInputDecide);  // 7 SP is below 7.5 though the list shows -7
    EXPECT_EQ(gBattleAction.phase, kPhaseStoneList);
    frame(kInputDown);
    frame(kInputDecide);  // level 1 costs 5: one ally
    EXPECT_EQ(gBattleAction.phase, kPhaseStoneAllyTarget);
    EXPECT_EQ(gBattleAction.pendingStoneSkill, 9);
    EXPECT_EQ(gBattleAction.targetSide, kSideParty);
    EXPECT_EQ(gBattleAction.targetIndex, 0);
    frame(kInputCancel);
    frame(kInputDown);
    frame(kInputDecide);  // the empty second stone slot does nothing
    EXPECT_EQ(gBattleAction.phase, kPhaseStoneList);
}

TEST_F(BattleMenus, FallenAllyIsRefusedButForTheRevivingSkills) {
    giveStone(2, 0, 5, 3);
    stoneRow(8, 3, 0, 0, 2);
    stoneRow(9, 3, 1, 0, 2);  // code 31 revives
    gPartyMembers[1].hp = 0;
    frame(kInputDown);
    frame(kInputDecide);
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseStoneAllyTarget);
    ASSERT_EQ(gBattleAction.targetIndex, 0);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseStoneAllyTarget);
    EXPECT_TRUE(soundPlayed("Buza.wav"));
    frame(kInputCancel);
    frame(kInputDown);
    frame(kInputDecide);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);

    gBattleAction.phase = kPhaseItemAllyTarget;
    gBattleAction.targetIndex = 0;
    gBattleAction.targetRange = 0;
    gBattleAction.pendingItem = 150;
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseItemAllyTarget);
    gBattleAction.pendingItem = 155;
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);

    gBattleAction.phase = kPhaseItemAllyTarget;
    gBattleAction.targetRange = 1;  // all allies may include the fallen
    gBattleAction.pendingItem = 150;
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
}

TEST_F(BattleMenus, EveryBattlerConfirmRunsItsMarkerOverBothSides) {
    gParty[1] = 0;
    gBattleAction.actingIndex = 0;
    gBattleAction.phase = kPhaseStoneAllConfirm;
    gBattleAction.targetRange = 0;
    std::vector<std::pair<int, int>> seen;
    for (int i = 0; i < 4; ++i) {
        frame();
        seen.emplace_back(gBattleAction.targetSide, gBattleAction.targetIndex);
    }
    const std::vector<std::pair<int, int>> expected = {{0, 2}, {1, 0}, {1, 1}, {0, 0}};
    EXPECT_EQ(seen, expected);
    frame(kInputCancel);
    EXPECT_EQ(gBattleAction.phase, kPhaseStoneList);
}

TEST_F(BattleMenus, BodyguardListRefusesTheFallenAndTheUnhired) {
    gBodyguardHired[1] = 1;
    gBodyguardHired[2] = 1;
    gBodyguards[1].hp = 0;
    gBodyguards[2].hp = 30;
    gBattleAction.phase = kPhaseBodyguardList;
    frame(kInputDecide);  // line 0: not hired
    EXPECT_EQ(gBattleAction.phase, kPhaseBodyguardList);
    frame(kInputDown);
    frame(kInputDecide);  // line 1: 0 HP
    EXPECT_EQ(gBattleAction.phase, kPhaseBodyguardList);
    frame(kInputDown);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseBodyguardIn);
    EXPECT_EQ(gBattleSchedule.bodyguardIndex, 2);
    EXPECT_EQ(gBattleSchedule.bodyguardActionValue, 9999);
}

TEST_F(BattleMenus, RandomEnemyIsOneDrawOverTheLiving) {
    gEnemyBattlers[0].hp = 0;
    gEnemyBattlers[3].hp = 5;
    gEnemyBattlers[5].hp = 5;
    const int r = peekRandom();
    const int living[3] = {1, 3, 5};
    EXPECT_EQ(randomLivingEnemy(), living[r % 3]);
}

}  // namespace
}  // namespace battletest
