// The enemy's turn as the scheduler calls it: the party target drawn first,
// an ordinary monster's skill by the draw, a scripted monster's pattern with
// its stage written back to the story flags.
#include <gtest/gtest.h>

#include "battle/BattleServices.h"
#include "battle/EnemyActionPatterns.h"
#include "tests/battleFixture.h"
#include "tests/enemyScriptedRandom.h"

namespace {

using battletest::BattleTest;

class EnemyActionTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        // The slime's three skills: weapon codes 10, 20 and 30 (rows 1, 2 and 3 of the fixture's table).
        gMonsters[battletest::kSlime].skills[0] = 10;
        gMonsters[battletest::kSlime].skills[1] = 20;
        gMonsters[battletest::kSlime].skills[2] = 30;
        setUpBattle(battletest::kGroupTwoSlimes);
        gBattleAction.actingSide = kSideEnemy;
        gBattleAction.actingIndex = 0;
        gRedrawRequest[1] = 0;
    }
    // Puts a scripted monster into enemy slot `slot` with `hp` of 1000.
    static void scripted(int slot, int monster, int hp = 1000) {
        gMonsters[monster].skills[0] = kScriptedSkill;
        gEnemyBattlers[slot].monster = monster;
        gEnemyBattlers[slot].hp = hp;
        gEnemyBattlers[slot].maxHp = 1000;
    }
};

TEST_F(EnemyActionTest, OrdinaryMonsterAimsAtAStandingMemberAndPicksItsSkillByTheDraw) {
    const struct {
        const char* name;
        int fallen;  // party slot with 0 HP, -1 none
        std::initializer_list<int> draws;
        int target;
        int row;
    } cases[] = {
        {"slot 0, first skill", -1, {0, 3}, 0, 1},
        {"slot 1, second skill", -1, {1, 4}, 1, 2},
        {"slot 2, third skill", -1, {998, 998}, 2, 3},
        {"slot 1 fallen: drawn again", 1, {1, 4, 999, 5}, 0, 3},
    };
    for (const auto& c : cases) {
        SetUp();
        if (c.fallen >= 0) gPartyMembers[gParty[c.fallen]].hp = 0;
        ScriptedRandom random(c.draws);
        chooseEnemyAction();
        EXPECT_EQ(random.remaining(), 0) << c.name;
        EXPECT_EQ(gBattleAction.targetSide, kSideParty) << c.name;
        EXPECT_EQ(gBattleAction.targetIndex, c.target) << c.name;
        EXPECT_EQ(gBattleAction.pendingWeaponSkill, c.row) << c.name;
        EXPECT_EQ(gBattleAction.pendingStoneSkill, -1) << c.name;
        EXPECT_EQ(gBattleAction.pendingItem, -1) << c.name;
        EXPECT_EQ(gBattleAction.phase, kPhaseActionStart) << c.name;
        EXPECT_EQ(gRedrawRequest[1], 2) << c.name;
    }
}

TEST_F(EnemyActionTest, AnEmptySkillSlotLetsTheTurnPass) {
    gMonsters[battletest::kSlime].skills[1] = 0;
    ScriptedRandom random({0, 1});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, -1);
    EXPECT_EQ(gBattleAction.pendingStoneSkill, -1);
    EXPECT_EQ(gBattleAction.pendingItem, -1);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
}

TEST_F(EnemyActionTest, WithNoMemberStandingTheChoiceStillEnds) {
    for (int slot = 0; slot < 3; ++slot) gPartyMembers[gParty[slot]].hp = 0;
    gBattleAction.targetIndex = 1;
    ScriptedRandom random({2});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.targetIndex, 1);
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, 3);
}

TEST_F(EnemyActionTest, OrdinarySkillsComeUpWithEqualChances) {
    int counts[4] = {};
    for (int r = 0; r < 999; ++r) {
        ScriptedRandom random({0, r});
        chooseEnemyAction();
        ++counts[gBattleAction.pendingWeaponSkill];
    }
    EXPECT_EQ(counts[1], 333);
    EXPECT_EQ(counts[2], 333);
    EXPECT_EQ(counts[3], 333);
}

TEST_F(EnemyActionTest, AloneTheCalledBodyguardIsTheTarget) {
    gBattleSchedule.soloMode = 1;
    ScriptedRandom random({1});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.targetIndex, kBodyguardLine);
    EXPECT_EQ(random.remaining(), 0);  // no target draw: the one draw picked the skill
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, 2);
}

TEST_F(EnemyActionTest, PatternTargetsReplaceTheDrawnMemberAndSelfMeansTheOwnSlot) {
    // Monster 35 in slot 1 casts S 21 on itself in round 0.
    scripted(1, 35);
    gBattleAction.actingIndex = 1;
    gStoneSkills[5] = StoneSkillRow{};
    gStoneSkills[5].attribute = 2;
    gStoneSkills[5].level = 1;
    gStoneSkills[5].targetKind = 2;  // own side
    ScriptedRandom random({2});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.targetIndex, 1);
    EXPECT_EQ(gBattleAction.pendingStoneSkill, 5);
    EXPECT_EQ(gBattleAction.targetSide, kSideEnemy);
    // Monster 43 in round 1 aims at party slot 1 whatever was drawn.
    scripted(1, 43);
    gBattleSchedule.roundCount = 1;
    ScriptedRandom again({2});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.targetIndex, 1);
    EXPECT_EQ(gBattleAction.targetSide, kSideParty);
}

TEST_F(EnemyActionTest, BossStageRisesInTheStoryFlagAndTheTwinsShareTheirHp) {
    scripted(0, 55, 740);
    gEnemyBattlers[1].hp = 30;
    gEnemyBattlers[2].monster = 0;
    gEnemyBattlers[2].hp = 0;
    gStoryFlags[kFlagBossStage] = 0;
    ScriptedRandom random({0});
    chooseEnemyAction();
    EXPECT_EQ(gStoryFlags[kFlagBossStage], 1);
    EXPECT_EQ(gEnemyBattlers[1].hp, 740);
    EXPECT_EQ(gEnemyBattlers[2].hp, 740);
    EXPECT_EQ(gBattleAction.pendingItem, 160);
    // The same HP next turn: stage 1's own threshold (below half) does not hold.
    ScriptedRandom next({0});
    chooseEnemyAction();
    EXPECT_EQ(gStoryFlags[kFlagBossStage], 1);
}

TEST_F(EnemyActionTest, ThePowerfulFormTakesOverItsSlotBelowAQuarterInStageTwo) {
    scripted(0, 62, 200);
    gMonsters[63].skills[0] = kScriptedSkill;
    gStoryFlags[kFlagBossStage] = 2;
    ScriptedRandom random({0});
    chooseEnemyAction();
    EXPECT_EQ(gEnemyBattlers[0].monster, 63);
    EXPECT_EQ(gStoryFlags[kFlagBossStage], 3);
    // Monster 63 keeps the same script in its last stage.
    gBattleSchedule.roundCount = 1;
    ScriptedRandom next({0});
    chooseEnemyAction();
    EXPECT_EQ(gEnemyBattlers[0].monster, 63);
    EXPECT_EQ(gStoryFlags[kFlagBossStage], 3);
}

TEST_F(EnemyActionTest, CloneBossStagesLiveInTheirOwnFlag) {
    scripted(0, 65, 400);
    gStoryFlags[kFlagCloneBossStage] = 0;
    gStoryFlags[kFlagBossStage] = 2;
    ScriptedRandom random({0});
    chooseEnemyAction();
    EXPECT_EQ(gStoryFlags[kFlagCloneBossStage], 1);
    EXPECT_EQ(gStoryFlags[kFlagBossStage], 2);
    EXPECT_EQ(gBattleAction.pendingItem, 140);
    EXPECT_EQ(gBattleAction.targetIndex, 0);
}

TEST_F(EnemyActionTest, HastedBossAlternatesItsFirstAndSecondChoicesWithinARound) {
    scripted(0, 55, 400);
    gStoryFlags[kFlagBossStage] = 2;
    gEnemyBattlers[0].status[kStatusHaste] = 1;
    gBattleSchedule.roundCount = 1;
    gEnemyBattlers[0].secondAction = 1;
    ScriptedRandom first({0});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.pendingItem, 160);
    gEnemyBattlers[0].secondAction = 0;
    ScriptedRandom second({0});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.pendingItem, -1);
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, -1);  // W 92: no such row in the fixture's table
}

TEST_F(EnemyActionTest, StoryHandOversEnterTheEventPhase) {
    // The thief below half: I 141 on itself, and the event phase.
    scripted(0, 53, 400);
    gStoryFlags[kFlagThiefMode] = 0;
    ScriptedRandom random({0});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.phase, kPhaseStoryEvent);
    EXPECT_EQ(gBattleAction.pendingItem, 141);
    EXPECT_EQ(gBattleAction.targetIndex, 0);
    EXPECT_EQ(gRedrawRequest[1], 2);

    // The swordsman from round 10: no action stored, no redraw asked.
    scripted(0, 46);
    gBattleSchedule.roundCount = 10;
    gBattleAction.pendingItem = -1;
    gBattleAction.pendingWeaponSkill = -1;
    gRedrawRequest[1] = 0;
    ScriptedRandom again({0});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.phase, kPhaseStoryEvent);
    EXPECT_EQ(gBattleAction.pendingItem, -1);
    EXPECT_EQ(gRedrawRequest[1], 0);
}

TEST_F(EnemyActionTest, ScriptedMonsterWithoutAPatternLetsItsTurnPass) {
    scripted(0, 70);
    ScriptedRandom random({0});
    chooseEnemyAction();
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, -1);
    EXPECT_EQ(gBattleAction.pendingStoneSkill, -1);
    EXPECT_EQ(gBattleAction.pendingItem, -1);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
}

}  // namespace
