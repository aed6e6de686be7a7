// The scripted monsters' patterns as tables: per monster, stage and round,
// with the HP and the companions that change the choice.
#include <gtest/gtest.h>

#include <cstring>

#include "battle/EnemyActionPatterns.h"
#include "engine/Random.h"
#include "gamedata/GameData.h"
#include "tests/enemyScriptedRandom.h"

namespace {

constexpr int kSelf = kTargetSelf;
constexpr int kKeep = kTargetKeep;

// The acting monster in slot 0 with 1000 HP; companions (monster 1, 500 HP)
// in slots 1 and 2 unless `alone`.
EnemyPatternInput sceneFor(int monster, int round, int hp = 1000, bool alone = false) {
    EnemyPatternInput in{};
    in.slot = 0;
    in.round = round;
    in.firstAction = true;
    in.enemies[0] = {monster, hp, 1000, {}};
    if (!alone) {
        in.enemies[1] = {1, 500, 500, {}};
        in.enemies[2] = {1, 500, 500, {}};
    }
    return in;
}

struct Expect {
    char kind;  // 'W', 'S', 'I', '-' none
    int code;
    int target;
};

void expectMove(const EnemyDecision& d, Expect e, const char* name) {
    SCOPED_TRACE(name);
    const int weapon = e.kind == 'W' ? e.code : -1;
    const int stone = e.kind == 'S' ? e.code : -1;
    const int item = e.kind == 'I' ? e.code : -1;
    EXPECT_EQ(d.move.weaponCode, weapon);
    EXPECT_EQ(d.move.stoneCode, stone);
    EXPECT_EQ(d.move.itemId, item);
    EXPECT_EQ(d.move.target, e.target);
}

struct SimpleCase {
    const char* name;
    int monster;
    int round;
    int hp;
    bool alone;
    Expect expect;
    bool storyEvent;
};

TEST(EnemyPatternTest, SimplePatternsFollowTheirRoundsAndHpTests) {
    const SimpleCase cases[] = {
        {"31 r0", 31, 0, 1000, false, {'W', 61, kKeep}, false},
        {"31 r1", 31, 1, 1000, false, {'W', 60, kKeep}, false},
        {"31 r3", 31, 3, 1000, false, {'W', 61, kKeep}, false},
        {"31 r5", 31, 5, 1000, false, {'W', 60, kKeep}, false},
        {"31 r6", 31, 6, 1000, false, {'W', 61, kKeep}, false},
        {"32 r0", 32, 0, 1000, false, {'W', 100, kKeep}, false},
        {"32 r4", 32, 4, 1000, false, {'W', 50, kKeep}, false},
        {"32 r5", 32, 5, 1000, false, {'W', 100, kKeep}, false},
        {"34 with company r1", 34, 1, 1000, false, {'W', 80, kKeep}, false},
        {"34 with company r2", 34, 2, 1000, false, {'W', 81, kKeep}, false},
        {"34 with company r3", 34, 3, 1000, false, {'W', 101, kKeep}, false},
        {"34 alone r1", 34, 1, 1000, true, {'W', 81, kKeep}, false},
        {"34 alone r2", 34, 2, 1000, true, {'W', 103, kKeep}, false},
        {"35 r0", 35, 0, 1000, false, {'S', 21, kSelf}, false},
        {"35 r4", 35, 4, 1000, false, {'S', 20, kKeep}, false},
        {"35 r1", 35, 1, 1000, false, {'W', 61, kKeep}, false},
        {"35 r3", 35, 3, 1000, false, {'W', 60, kKeep}, false},
        {"36 r1", 36, 1, 1000, false, {'W', 81, kKeep}, false},
        {"36 r2", 36, 2, 1000, false, {'W', 80, kKeep}, false},
        {"37 r5", 37, 5, 1000, false, {'W', 61, kKeep}, false},
        {"37 r2", 37, 2, 1000, false, {'W', 60, kKeep}, false},
        {"38 r3", 38, 3, 1000, false, {'S', 41, kKeep}, false},
        {"38 r0", 38, 0, 1000, false, {'S', 40, kKeep}, false},
        {"39 r3", 39, 3, 1000, false, {'W', 90, kKeep}, false},
        {"39 r4", 39, 4, 1000, false, {'I', 140, 0}, false},
        {"39 r7", 39, 7, 1000, false, {'W', 90, kKeep}, false},
        {"39 r8", 39, 8, 1000, false, {'S', 10, kKeep}, false},
        {"39 r30", 39, 30, 1000, false, {'S', 10, kKeep}, false},
        {"41 r0", 41, 0, 1000, false, {'S', 51, kSelf}, false},
        {"41 r2", 41, 2, 1000, false, {'W', 50, kKeep}, false},
        {"41 r3", 41, 3, 1000, false, {'W', 100, kKeep}, false},
        {"43 r0", 43, 0, 1000, false, {'W', 105, kKeep}, false},
        {"43 r1", 43, 1, 1000, false, {'W', 72, 1}, false},
        {"43 r2", 43, 2, 1000, false, {'W', 72, 2}, false},
        {"43 r5", 43, 5, 1000, false, {'W', 105, kKeep}, false},
        {"44 r3", 44, 3, 1000, false, {'S', 94, kKeep}, false},
        {"44 r7", 44, 7, 1000, false, {'S', 95, kKeep}, false},
        {"45 r12", 45, 12, 1000, false, {'S', 80, kKeep}, false},
        {"46 r9", 46, 9, 1000, false, {'S', 81, kKeep}, false},
        {"46 r8", 46, 8, 1000, false, {'S', 80, kKeep}, false},
        {"47 r4", 47, 4, 1000, false, {'I', 135, kKeep}, false},
        {"47 below half: slot 2 last", 47, 0, 499, false, {'I', 140, 2}, false},
        {"47 at half", 47, 0, 500, false, {'W', 90, kKeep}, false},
        {"48 r4", 48, 4, 1000, false, {'W', 63, kKeep}, false},
        {"48 below half", 48, 1, 499, false, {'S', 61, 2}, false},
        {"49 r3", 49, 3, 1000, false, {'I', 134, kSelf}, false},
        {"49 r5", 49, 5, 1000, false, {'W', 43, kKeep}, false},
        {"49 below quarter", 49, 5, 249, false, {'I', 140, kSelf}, false},
        {"49 at quarter", 49, 5, 250, false, {'W', 43, kKeep}, false},
        {"50 r2", 50, 2, 1000, false, {'W', 82, kKeep}, false},
        {"50 below half", 50, 2, 499, false, {'I', 140, kSelf}, false},
        {"51 r3", 51, 3, 1000, false, {'W', 61, kKeep}, false},
        {"52 r0 with company", 52, 0, 1000, false, {'W', 21, kKeep}, false},
        {"52 r0 alone", 52, 0, 1000, true, {'W', 103, kKeep}, false},
        {"52 r3 full", 52, 3, 1000, false, {'W', 20, kKeep}, false},
        {"52 r6 full", 52, 6, 1000, false, {'I', 134, kSelf}, false},
        {"52 below three quarters", 52, 3, 749, false, {'I', 141, kSelf}, false},
        {"52 at three quarters", 52, 2, 750, false, {'W', 22, kKeep}, false},
        {"52 below half", 52, 3, 499, false, {'S', 91, kSelf}, false},
        {"52 below quarter", 52, 3, 249, false, {'I', 140, kSelf}, false},
        {"53 r3", 53, 3, 1000, false, {'I', 135, kKeep}, false},
        {"53 below half", 53, 3, 499, false, {'I', 141, kSelf}, true},
        {"60 r2", 60, 2, 1000, false, {'W', 53, kKeep}, false},
        {"54 r1", 54, 1, 1000, false, {'I', 135, kKeep}, false},
        {"61 r2", 61, 2, 1000, false, {'W', 53, kKeep}, false},
        {"66 r7", 66, 7, 1000, false, {'W', 52, kKeep}, false},
        {"57 r3 nothing", 57, 3, 1000, false, {'-', 0, kKeep}, false},
        {"57 r5", 57, 5, 1000, false, {'S', 30, kKeep}, false},
        {"58 r0 self lacks DefUp", 58, 0, 1000, false, {'S', 51, 0}, false},
        {"58 r1 slot 1 lacks DefUp", 58, 1, 1000, false, {'S', 51, 1}, false},
        {"58 r5", 58, 5, 1000, false, {'W', 63, kKeep}, false},
        {"59 r2", 59, 2, 1000, false, {'S', 21, 2}, false},
        {"59 r5", 59, 5, 1000, false, {'S', 41, kKeep}, false},
        {"59 r6", 59, 6, 1000, false, {'W', 24, kKeep}, false},
        {"77 r0", 77, 0, 1000, false, {'S', 20, kKeep}, false},
        {"77 r1", 77, 1, 1000, false, {'-', 0, kKeep}, true},
        {"no pattern", 70, 0, 1000, false, {'-', 0, kKeep}, false},
    };
    for (const SimpleCase& c : cases) {
        const EnemyDecision d = decideScriptedEnemy(sceneFor(c.monster, c.round, c.hp, c.alone));
        expectMove(d, c.expect, c.name);
        EXPECT_EQ(d.storyEvent, c.storyEvent) << c.name;
        EXPECT_EQ(d.newBossStage, -1) << c.name;
    }
}

TEST(EnemyPatternTest, CompanionsGoneOrFallenChangeTheSupportChoices) {
    // 40 with all six slots present keeps its rotation.
    EnemyPatternInput full = sceneFor(40, 1);
    for (int slot = 3; slot < 6; ++slot) full.enemies[slot] = {1, 500, 500, {}};
    expectMove(decideScriptedEnemy(full), {'S', 30, kKeep}, "40 full house");
    // Slot 3 gone: defence first, then slot 5 gone too: magic defence wins.
    EnemyPatternInput gone = full;
    gone.enemies[3].monster = 0;
    expectMove(decideScriptedEnemy(gone), {'I', 141, kSelf}, "40 slot 3 gone");
    gone.enemies[0].status[1] = 1;  // already has DefUp
    expectMove(decideScriptedEnemy(gone), {'S', 30, kKeep}, "40 slot 3 gone, DefUp on");
    gone.enemies[5].monster = 0;
    expectMove(decideScriptedEnemy(gone), {'I', 143, kSelf}, "40 slot 5 gone");

    // 47 below half: a fallen slot 2 and a buffed one are both passed over.
    EnemyPatternInput guard = sceneFor(47, 0, 499);
    guard.enemies[2].hp = 0;
    expectMove(decideScriptedEnemy(guard), {'I', 140, 1}, "47 slot 2 fallen");
    guard.enemies[1].status[0] = 1;
    expectMove(decideScriptedEnemy(guard), {'W', 90, kKeep}, "47 slot 1 buffed, slot 2 fallen");

    // 57: every missing slot of 0-2 gets S 31, the last one found wins.
    EnemyPatternInput commander = sceneFor(57, 0);
    commander.slot = 3;
    commander.enemies[3] = {57, 1000, 1000, {}};
    commander.enemies[0].monster = 0;
    expectMove(decideScriptedEnemy(commander), {'S', 31, 0}, "57 slot 0 gone");
    commander.enemies[2].monster = 0;
    expectMove(decideScriptedEnemy(commander), {'S', 31, 2}, "57 slots 0 and 2 gone");

    // 58's tail: a slot of 0-2 gone asks for its magic, then its magic defence.
    EnemyPatternInput shield = sceneFor(58, 3);
    shield.enemies[2].monster = 0;
    expectMove(decideScriptedEnemy(shield), {'I', 143, kSelf}, "58 tail, nothing on");
    shield.enemies[0].status[3] = 1;
    expectMove(decideScriptedEnemy(shield), {'I', 142, kSelf}, "58 tail, MDefUp on");
    shield.enemies[0].status[2] = 1;
    expectMove(decideScriptedEnemy(shield), {'W', 61, kKeep}, "58 tail, both on");
    // 59 shares it.
    EnemyPatternInput sword = sceneFor(59, 3);
    sword.enemies[1].monster = 0;
    expectMove(decideScriptedEnemy(sword), {'I', 143, kSelf}, "59 tail");
}

TEST(EnemyPatternTest, RoofBossCastsItsSpellEveryRoundWhileTheStoryFlagIsTwo) {
    EnemyPatternInput in = sceneFor(39, 4);
    in.roofBossFlag = 2;
    expectMove(decideScriptedEnemy(in), {'S', 10, kKeep}, "flag 2");
    in.roofBossFlag = 1;
    expectMove(decideScriptedEnemy(in), {'I', 140, 0}, "flag 1");
}

TEST(EnemyPatternTest, ReturningMonsterOfGroupSixteenStrikesWithItsOwnSkill) {
    EnemyPatternInput in = sceneFor(34, 3, 1000, true);
    in.returning = true;
    expectMove(decideScriptedEnemy(in), {'W', 102, kKeep}, "returning");
}

TEST(EnemyPatternTest, SwordsmanStopsForTheStoryFromRoundTenWithoutStoringAnAction) {
    const EnemyDecision d = decideScriptedEnemy(sceneFor(46, 10));
    EXPECT_TRUE(d.storyEvent);
    EXPECT_FALSE(d.storesAction);
    const EnemyDecision before = decideScriptedEnemy(sceneFor(46, 9));
    EXPECT_FALSE(before.storyEvent);
    EXPECT_TRUE(before.storesAction);
}

struct StagedCase {
    const char* name;
    int monster;
    int stage;
    int round;
    bool first;
    int hp;
    Expect expect;
    int newStage;  // -1 unchanged
};

TEST(EnemyPatternTest, StagedBossesFollowTheirStageRoundAndActionTables) {
    const StagedCase cases[] = {
        {"55 s0 r0", 55, 0, 0, true, 1000, {'W', 90, kKeep}, -1},
        {"55 s0 r2", 55, 0, 2, true, 1000, {'W', 92, kKeep}, -1},
        {"55 s0 3/4", 55, 0, 2, true, 749, {'I', 160, kKeep}, 1},
        {"55 s1 r3", 55, 1, 3, true, 749, {'I', 160, kKeep}, -1},
        {"55 s1 1/2", 55, 1, 0, true, 499, {'I', 144, kSelf}, 2},
        {"55 s2 r0 first", 55, 2, 0, true, 499, {'I', 144, 1}, -1},
        {"55 s2 r0 second", 55, 2, 0, false, 499, {'W', 91, kKeep}, -1},
        {"55 s2 r1 first", 55, 2, 1, true, 499, {'I', 160, kKeep}, -1},
        {"55 s2 r3 second", 55, 2, 3, false, 499, {'I', 160, kKeep}, -1},
        {"55 s2 1/4", 55, 2, 3, false, 249, {'W', 93, kKeep}, 3},
        {"55 s3 r0 second", 55, 3, 0, false, 100, {'W', 93, kKeep}, -1},
        {"55 s3 r2 second", 55, 3, 2, false, 100, {'W', 91, kKeep}, -1},
        {"55 s3 r3 first", 55, 3, 3, true, 100, {'W', 93, kKeep}, -1},
        {"56 s0 r2", 56, 0, 2, true, 1000, {'S', 81, kKeep}, -1},
        {"56 s0 3/4", 56, 0, 1, true, 700, {'S', 10, kKeep}, 1},
        {"56 s1 r1", 56, 1, 1, true, 700, {'S', 10, kKeep}, -1},
        {"56 s1 1/2", 56, 1, 1, true, 400, {'I', 142, kSelf}, 2},
        {"56 s2 r0 first", 56, 2, 0, true, 400, {'I', 142, 2}, -1},
        {"56 s2 r1 second", 56, 2, 1, false, 400, {'S', 11, kKeep}, -1},
        {"56 s2 1/4", 56, 2, 1, false, 200, {'S', 11, kKeep}, 3},
        {"56 s3 r0 second", 56, 3, 0, false, 200, {'S', 80, kKeep}, -1},
        {"56 s3 r3 second", 56, 3, 3, false, 200, {'S', 81, kKeep}, -1},
        {"62 s0 r1", 62, 0, 1, true, 1000, {'S', 61, kSelf}, -1},
        {"62 s0 r3", 62, 0, 3, true, 1000, {'S', 60, kKeep}, -1},
        {"62 s0 3/4", 62, 0, 3, true, 749, {'S', 10, kKeep}, 1},
        {"62 s1 r2", 62, 1, 2, true, 749, {'I', 160, kKeep}, -1},
        {"62 s1 1/2", 62, 1, 2, true, 499, {'I', 144, kSelf}, 2},
        {"62 s2 r0 first", 62, 2, 0, true, 499, {'I', 144, kSelf}, -1},
        {"62 s2 r2 first", 62, 2, 2, true, 499, {'S', 60, kKeep}, -1},
        {"62 s2 1/4", 62, 2, 2, true, 249, {'W', 73, kKeep}, 3},
        {"63 s3 r1 second", 63, 3, 1, false, 249, {'S', 60, kKeep}, -1},
        {"63 s3 r3 second", 63, 3, 3, false, 249, {'S', 72, kKeep}, -1},
        {"63 s3 r0 second", 63, 3, 0, false, 249, {'S', 10, kKeep}, -1},
        {"67 s0 r0", 67, 0, 0, true, 1000, {'I', 168, kKeep}, -1},
        {"67 s0 3/4", 67, 0, 0, true, 749, {'W', 83, kKeep}, 1},
        {"67 s1 r2", 67, 1, 2, true, 749, {'I', 140, kSelf}, -1},
        {"67 s1 1/2", 67, 1, 2, true, 499, {'I', 144, kSelf}, 2},
        {"67 s2 r0 first", 67, 2, 0, true, 499, {'I', 144, 1}, -1},
        {"67 s2 r0 second", 67, 2, 0, false, 499, {'I', 174, kKeep}, -1},
        {"67 s2 r3 second", 67, 2, 3, false, 499, {'I', 170, kKeep}, -1},
        {"67 s2 1/4", 67, 2, 3, false, 249, {'I', 160, kKeep}, 3},
        {"67 s3 r0 second", 67, 3, 0, false, 249, {'I', 171, kKeep}, -1},
        {"67 s3 r3 first", 67, 3, 3, true, 249, {'I', 160, kKeep}, -1},
        {"67 s4 r1 second", 67, 4, 1, false, 249, {'I', 161, kKeep}, -1},
        {"67 s4 r0 first", 67, 4, 0, true, 249, {'I', 144, 1}, -1},
        {"68 s0 r2", 68, 0, 2, true, 1000, {'S', 70, kKeep}, -1},
        {"68 s0 3/4", 68, 0, 2, true, 749, {'S', 50, kKeep}, 1},
        {"68 s1 r2", 68, 1, 2, true, 749, {'S', 91, kKeep}, -1},
        {"68 s1 1/2", 68, 1, 2, true, 499, {'I', 144, kSelf}, 2},
        {"68 s2 r2 first", 68, 2, 2, true, 499, {'S', 30, kKeep}, -1},
        {"68 s2 r2 second", 68, 2, 2, false, 499, {'I', 144, 1}, -1},
        {"68 s2 1/4", 68, 2, 2, false, 249, {'S', 11, kKeep}, 3},
        {"68 s3 r1 second", 68, 3, 1, false, 249, {'S', 90, kKeep}, -1},
        {"68 s4 r3 first", 68, 4, 3, true, 249, {'I', 160, kKeep}, -1},
        {"68 s4 r2 second", 68, 4, 2, false, 249, {'S', 60, kKeep}, -1},
        {"76 s0 r3", 76, 0, 3, true, 1000, {'W', 73, kKeep}, -1},
        {"76 s0 3/4", 76, 0, 3, true, 749, {'I', 140, kSelf}, 1},
        {"76 s1 r0", 76, 1, 0, true, 749, {'I', 140, kSelf}, -1},
        {"76 s1 1/2", 76, 1, 0, true, 499, {'I', 144, kSelf}, 2},
        {"76 s2 r0 first", 76, 2, 0, true, 499, {'I', 144, kSelf}, -1},
        {"76 s2 r1 first", 76, 2, 1, true, 499, {'I', 160, kKeep}, -1},
        {"76 s2 1/4", 76, 2, 1, true, 249, {'W', 105, kSelf}, 3},
        {"76 s3 r0 first", 76, 3, 0, true, 249, {'W', 105, kKeep}, -1},
        {"76 s3 r0 second", 76, 3, 0, false, 249, {'I', 144, kSelf}, -1},
        {"76 s3 r3 second", 76, 3, 3, false, 249, {'W', 72, kKeep}, -1},
    };
    for (const StagedCase& c : cases) {
        EnemyPatternInput in = sceneFor(c.monster, c.round, c.hp);
        in.bossStage = c.stage;
        in.firstAction = c.first;
        const EnemyDecision d = decideScriptedEnemy(in);
        expectMove(d, c.expect, c.name);
        EXPECT_EQ(d.newBossStage, c.newStage) << c.name;
        EXPECT_EQ(d.newCloneBossStage, -1) << c.name;
    }
}

TEST(EnemyPatternTest, CloneBossKeepsItsStageInItsOwnFlag) {
    const StagedCase cases[] = {
        {"65 s0 r0", 65, 0, 0, true, 1000, {'I', 144, kSelf}, -1},
        {"65 s0 r3 first", 65, 0, 3, true, 1000, {'W', 53, kKeep}, -1},
        {"65 s0 r3 second", 65, 0, 3, false, 1000, {'W', 100, kKeep}, -1},
        {"65 s0 1/2", 65, 0, 3, false, 499, {'I', 140, kSelf}, 1},
        {"65 s1 r1 first", 65, 1, 1, true, 499, {'I', 160, kKeep}, -1},
        {"65 s1 1/4", 65, 1, 1, true, 249, {'I', 141, kSelf}, 2},
        {"65 s2 r2", 65, 2, 2, true, 100, {'I', 144, kSelf}, -1},
    };
    for (const StagedCase& c : cases) {
        EnemyPatternInput in = sceneFor(c.monster, c.round, c.hp);
        in.cloneBossStage = c.stage;
        in.bossStage = 3;  // the other bosses' flag plays no part
        in.firstAction = c.first;
        const EnemyDecision d = decideScriptedEnemy(in);
        expectMove(d, c.expect, c.name);
        EXPECT_EQ(d.newCloneBossStage, c.newStage) << c.name;
        EXPECT_EQ(d.newBossStage, -1) << c.name;
    }
    // With its own Haste, AttackUp, DefenceUp and MagicDefenceUp on, stage 2 falls through to its attacks.
    EnemyPatternInput in = sceneFor(65, 2, 100);
    in.cloneBossStage = 2;
    for (int status : {4, 0, 1, 3}) in.enemies[0].status[status] = 1;
    expectMove(decideScriptedEnemy(in), {'W', 52, kKeep}, "65 s2 r2 all on");
}

TEST(EnemyPatternTest, ChainsGiveTheFirstMissingStatusToTheSlotTested) {
    // 67, stage 2, first action of round 0: eight links over slots 1 and 2.
    const struct {
        int slot;
        int status;
        Expect next;
    } links[] = {
        {1, 4, {'I', 144, 2}}, {2, 4, {'I', 140, 1}}, {1, 0, {'I', 141, 1}}, {1, 1, {'I', 141, 2}},
        {2, 1, {'I', 143, 1}}, {1, 3, {'I', 143, 2}}, {2, 3, {'I', 142, 2}}, {2, 2, {'I', 135, kKeep}},
    };
    EnemyPatternInput in = sceneFor(67, 0, 499);
    in.bossStage = 2;
    expectMove(decideScriptedEnemy(in), {'I', 144, 1}, "nothing on");
    for (const auto& link : links) {
        in.enemies[link.slot].status[link.status] = 1;
        expectMove(decideScriptedEnemy(in), link.next, "after a link");
    }
    // 62/63's last-stage chain ends in S 11 without its own DefUp, else I 160.
    EnemyPatternInput last = sceneFor(63, 0, 100);
    last.bossStage = 3;
    for (int status : {4, 0, 2}) last.enemies[0].status[status] = 1;
    expectMove(decideScriptedEnemy(last), {'S', 11, kKeep}, "63 without DefUp");
    last.enemies[0].status[1] = 1;
    expectMove(decideScriptedEnemy(last), {'I', 160, kKeep}, "63 with DefUp");
}

TEST(EnemyPatternTest, StageRisesOneStepATurnEvenFromFullHpToBelowAQuarter) {
    EnemyPatternInput in = sceneFor(55, 1, 10);
    in.bossStage = 0;
    const EnemyDecision d = decideScriptedEnemy(in);
    EXPECT_EQ(d.newBossStage, 1);
    expectMove(d, {'I', 160, kKeep}, "stage 0's threshold action");
    EXPECT_TRUE(d.copyHp);
    // The next turn, still below a quarter, takes one more step only.
    in.bossStage = 1;
    EXPECT_EQ(decideScriptedEnemy(in).newBossStage, 2);
}

TEST(EnemyPatternTest, ThresholdsCopyHpOnlyForTheTwinBossesAndTurnSixtyTwoIntoSixtyThree) {
    for (int monster : {55, 56}) {
        for (int stage = 0; stage < 3; ++stage) {
            EnemyPatternInput in = sceneFor(monster, 0, 10);
            in.bossStage = stage;
            EXPECT_TRUE(decideScriptedEnemy(in).copyHp) << monster << " stage " << stage;
        }
    }
    for (int monster : {62, 67, 68, 76}) {
        EnemyPatternInput in = sceneFor(monster, 0, 10);
        EXPECT_FALSE(decideScriptedEnemy(in).copyHp) << monster;
    }
    EnemyPatternInput in = sceneFor(62, 0, 249);
    in.bossStage = 2;
    EXPECT_EQ(decideScriptedEnemy(in).newMonster, 63);
    in.bossStage = 1;
    EXPECT_EQ(decideScriptedEnemy(in).newMonster, -1);
}

TEST(EnemyPatternTest, LastStagesOfTheTwoTrioBossesWaitForACompanionToFall) {
    EnemyPatternInput corn = sceneFor(67, 1, 1000);
    corn.bossStage = 3;
    EXPECT_EQ(decideScriptedEnemy(corn).newBossStage, -1);
    corn.enemies[2].hp = 0;
    const EnemyDecision d = decideScriptedEnemy(corn);
    EXPECT_EQ(d.newBossStage, 4);
    expectMove(d, {'W', 83, kKeep}, "67 slot 2 down");

    EnemyPatternInput mage = sceneFor(68, 1, 1000);
    mage.bossStage = 3;
    mage.enemies[2].hp = 0;  // the wrong companion
    EXPECT_EQ(decideScriptedEnemy(mage).newBossStage, -1);
    mage.enemies[1].hp = 0;
    EXPECT_EQ(decideScriptedEnemy(mage).newBossStage, 4);
    // Stage 4 is the last: no further rise.
    mage.bossStage = 4;
    EXPECT_EQ(decideScriptedEnemy(mage).newBossStage, -1);
}

TEST(EnemyPatternTest, StageFlagOutsideTheTableDecidesNothing) {
    for (int stage : {4, 5, 255}) {
        EnemyPatternInput in = sceneFor(55, 0, 10);
        in.bossStage = stage;
        const EnemyDecision d = decideScriptedEnemy(in);
        expectMove(d, {'-', 0, kKeep}, "stage out of range");
        EXPECT_EQ(d.newBossStage, -1);
    }
}

class ThiefPatternTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        gRandomLast = 0;
    }
    void TearDown() override { resetGameDataState(); }
};

TEST_F(ThiefPatternTest, AfterTheTheftItTurnsAnUnwornObtainedStoneAgainstTheParty) {
    // Stones 2 (attribute 2) and 5 (attribute 5) obtained, stone 3 worn, stone 7 in its second state.
    gStoneFlags[1] = 1;
    gStoneFlags[2] = 1;
    gStoneFlags[4] = 1;
    gStoneFlags[6] = 2;
    gPartyMembers[3].stones[1] = 3;
    int codes[8];
    ASSERT_EQ(stealableStoneSkills(codes), 2);
    EXPECT_EQ(codes[0], 20);
    EXPECT_EQ(codes[1], 50);

    EnemyPatternInput in = sceneFor(60, 4);
    in.thiefMode = 9;
    {
        ScriptedRandom random({1});
        expectMove(decideScriptedEnemy(in), {'S', 50, kKeep}, "odd draw: second stone");
        EXPECT_EQ(random.remaining(), 0);
    }
    {
        ScriptedRandom random({998});
        expectMove(decideScriptedEnemy(in), {'S', 20, kKeep}, "even draw: first stone");
    }
}

TEST_F(ThiefPatternTest, WithNoStoneToTurnItAttacksAsUsual) {
    gStoneFlags[0] = 1;
    gPartyMembers[1].stones[0] = 1;
    EnemyPatternInput in = sceneFor(53, 1);
    in.thiefMode = 9;
    ScriptedRandom random({5});
    expectMove(decideScriptedEnemy(in), {'W', 52, kKeep}, "nothing to turn");
    EXPECT_EQ(random.remaining(), 1);  // no draw was made
}

TEST_F(ThiefPatternTest, AfterTheTheftItGuardsItselfThenStrikesByAnEvenOrOddDraw) {
    EnemyPatternInput in = sceneFor(53, 3);
    in.thiefMode = 9;
    expectMove(decideScriptedEnemy(in), {'I', 143, kSelf}, "no MDefUp");
    in.enemies[0].status[3] = 1;
    expectMove(decideScriptedEnemy(in), {'I', 141, kSelf}, "no DefUp");
    in.enemies[0].status[1] = 1;
    {
        ScriptedRandom random({0});
        expectMove(decideScriptedEnemy(in), {'W', 53, kKeep}, "even");
    }
    {
        ScriptedRandom random({999});
        expectMove(decideScriptedEnemy(in), {'W', 52, kKeep}, "odd");
    }
    in.round = 5;
    expectMove(decideScriptedEnemy(in), {'W', 100, kKeep}, "r mod 3 = 2");
}

}  // namespace
