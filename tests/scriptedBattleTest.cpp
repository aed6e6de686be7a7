// The lectures and the story events inside battles, driven frame by frame
// through the battle's own frame with scripted input and a frame budget.
#include <gtest/gtest.h>

#include <cstring>

#include "battle/BattleServices.h"
#include "battle/EnemyActionPatterns.h"
#include "battle/LectureBattles.h"
#include "battle/ScriptedBattleEvents.h"
#include "tests/battleFixture.h"

namespace {

using battletest::BattleTest;

// A harmless enemy nobody can fell quickly: the lectures need the battle to last.
constexpr int kDummy = 3;

class ScriptedBattleTest : public BattleTest {
protected:
    void SetUp() override {
        BattleTest::SetUp();
        MonsterRecord& dummy = gMonsters[kDummy];
        std::strcpy(dummy.name, "かかし");
        dummy.hp = 99999;
        dummy.experience = 1;
        dummy.money = 1;
        dummy.attack = 1;
        dummy.defence = 9000;
        dummy.magicDefence = 9000;
        dummy.speed = 1;
        dummy.card = kNoCard;
    }

    // A group of these monsters (slot by slot), with a song.
    static void group(int id, std::initializer_list<int> monsters) {
        EnemyGroup& g = gEnemyGroups[id];
        std::memset(g.monsters, 0, sizeof g.monsters);
        int slot = 0;
        for (int m : monsters) g.monsters[slot++] = m;
        std::strcpy(g.musicTitle, "battle-song");
        g.battleType = 0;
    }

    // A scripted monster row.
    static void scriptedRow(int monster, int hp, int speed) {
        MonsterRecord& row = gMonsters[monster];
        std::strcpy(row.name, "ボス");
        row.hp = hp;
        row.experience = 10;
        row.money = 10;
        row.attack = 1;
        row.defence = 9000;
        row.magicDefence = 9000;
        row.speed = speed;
        row.skills[0] = kScriptedSkill;
        row.card = kNoCard;
    }

    // Decide, but in an action's key-press game a press every other frame.
    static int botInput() {
        if (gBattleAction.phase == kPhaseActionRun && gBattleRewards.messageLock == 0)
            return gBattleAction.actionFrame % 2 == 0 ? kInputDecide : kInputNone;
        return kInputDecide;
    }
    // Frames with the bot's input until done() holds; false when the budget ran out.
    template <typename Done>
    bool botUntil(int budget, Done done) {
        for (int i = 0; i < budget; ++i) {
            if (done()) return true;
            frame(botInput());
        }
        return done();
    }

    static bool messageWhole() {
        return gBattleRewards.messageLock == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText));
    }
};

TEST_F(ScriptedBattleTest, StoryEventOfGroupFiftyOneBringsInTheNewcomersAndEndsTheBattle) {
    scriptedRow(46, 50000, 9999);
    group(51, {46});
    setUpBattle(51);
    gBattleSchedule.roundCount = 10;  // the swordsman hands over from round 10 on
    const bool ended = framesUntil(3000, [] { return gScene == 2; }, kInputDecide);
    ASSERT_TRUE(ended);
    EXPECT_EQ(gStoryFlags[kFlagMoonstoneEvent], 13);
    EXPECT_EQ(gEnemyBattlers[1].monster, 75);
    EXPECT_EQ(gEnemyBattlers[2].monster, 64);
    EXPECT_GE(gEnemyActors[1].x, 8.0f);
    EXPECT_NEAR(gEnemyActors[2].x - gEnemyActors[1].x, -5.0f, 0.01f);
    EXPECT_EQ(gEnemyActors[1].facing, 1);
}

class LectureTest : public ScriptedBattleTest {
protected:
    void SetUp() override {
        ScriptedBattleTest::SetUp();
        group(kAttackLectureGroup, {kDummy});
        group(kStoneLectureGroup, {kDummy});
        // Member 1 (party slot 0) wears a magical stone with a level-0 skill on one enemy.
        gMagicalStones[1].attribute = 3;
        StoneSkillRow& skill = gStoneSkills[0];
        std::strcpy(skill.name, "磁撃");
        skill.attribute = 3;
        skill.level = 0;
        skill.spCost = 1;
        skill.power = 10;
        skill.targetKind = 0;
        gPartyMembers[gParty[0]].stones[0] = 1;
    }

    // A player who confirms each message and, in the command menu, puts the
    // cursor on `command(slot)` before pressing decide.
    template <typename Command, typename Done>
    bool play(int budget, Command command, Done done) {
        for (int i = 0; i < budget; ++i) {
            if (done()) return true;
            if (gBattleAction.phase == kPhaseCommand && gBattleAction.actingSide == kSideParty && !messageWhole()) {
                gBattleAction.commandCursor = command(gBattleAction.actingIndex);
            }
            frame(botInput());
        }
        return done();
    }
};

TEST_F(LectureTest, AttackLectureRunsAcrossThePlayersTurnsAndLeavesTheBattleGoing) {
    setUpBattle(kAttackLectureGroup);
    const bool done = play(6000, [](int) { return 0; }, [] { return gStoryFlags[kFlagAttackLecture] >= 14; });
    ASSERT_TRUE(done) << "stuck at step " << int(gStoryFlags[kFlagAttackLecture]);
    EXPECT_EQ(gStoryFlags[kFlagAttackLecture], lectureStepCount(kAttackLectureGroup));
    EXPECT_EQ(gScene, 10);  // still in the battle
    EXPECT_EQ(gInBattle, 1);
    // Past its last step the lecture stays silent: the battle's frames go on untouched.
    for (int i = 0; i < 50; ++i) frame(kInputNone);
    EXPECT_EQ(gStoryFlags[kFlagAttackLecture], 14);
}

TEST_F(LectureTest, WhileACommandIsTaughtADecideOnAnotherOneIsSwallowed) {
    setUpBattle(kAttackLectureGroup);
    gStoryFlags[kFlagAttackLecture] = 2;
    // Bring party slot 1's command menu up.
    ASSERT_TRUE(framesUntil(500, [] {
        return gBattleAction.phase == kPhaseCommand && gBattleAction.actingSide == kSideParty &&
               gBattleAction.actingIndex == 1;
    }));
    gBattleAction.commandCursor = 2;
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseCommand);
    EXPECT_EQ(gStoryFlags[kFlagAttackLecture], 2);
    gBattleAction.commandCursor = 0;
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseWeaponList);  // the decide went on to the menu
    EXPECT_EQ(gStoryFlags[kFlagAttackLecture], 3);
}

TEST_F(LectureTest, StoneLectureTeachesTheStoneThenTheAttackAndEndsTheBattle) {
    setUpBattle(kStoneLectureGroup);
    const auto command = [](int slot) {
        const int step = gStoryFlags[kFlagStoneLecture];
        return slot == 0 && step >= 1 && step <= 6 ? 1 : 0;
    };
    const bool ended = play(8000, command, [] { return gScene == 2; });
    ASSERT_TRUE(ended) << "stuck at step " << int(gStoryFlags[kFlagStoneLecture]) << " phase " << gBattleAction.phase
                       << " scene " << gScene << " acting " << gBattleAction.actingSide << "/" << gBattleAction.actingIndex;
    EXPECT_EQ(gStoryFlags[kFlagStoneLecture], lectureStepCount(kStoneLectureGroup));
    EXPECT_EQ(gInBattle, 0);
}

TEST_F(LectureTest, ACompletedLectureDoesNotRunAgain) {
    gStoryFlags[kFlagAttackLecture] = 14;
    setUpBattle(kAttackLectureGroup);
    for (int i = 0; i < 300; ++i) {
        frame(kInputDecide);
        ASSERT_EQ(gBattleRewards.messageLock, 0) << "frame " << i;
    }
    EXPECT_EQ(gStoryFlags[kFlagAttackLecture], 14);
}

class StoryEventTest : public ScriptedBattleTest {};

TEST_F(StoryEventTest, ThiefTakesTheLeadersStonesAndTheBattleGoesOn) {
    scriptedRow(53, 10000, 9999);
    group(64, {53});
    gPartyMembers[gParty[0]].stones[0] = 2;
    gPartyMembers[gParty[0]].stones[1] = 5;
    setUpBattle(64);
    gEnemyBattlers[0].hp = 4000;  // below half: the event at its next turn
    ASSERT_TRUE(botUntil(3000, [] { return gStoryFlags[kFlagThiefEvent] >= 9; }));
    EXPECT_EQ(gPartyMembers[gParty[0]].stones[0], 0);
    EXPECT_EQ(gPartyMembers[gParty[0]].stones[1], 0);
    EXPECT_NE(gBattleAction.phase, kPhaseStoryEvent);
    EXPECT_EQ(gInBattle, 1);
    EXPECT_GE(gEnemyActors[0].x, 12.0f);
    EXPECT_EQ(gPartyActors[0].facing, 0);
    // The thief now fights in its second mode and never hands over again.
    ASSERT_TRUE(botUntil(3000, [] { return gBattleSchedule.roundCount >= 4; }));
    EXPECT_EQ(gStoryFlags[kFlagThiefEvent], 9);
}

TEST_F(StoryEventTest, AFelledLeaderIsBackOnItsFeetBeforeTheThiefSpeaks) {
    group(84, {53});
    scriptedRow(53, 10000, 9999);
    setUpBattle(84);
    gPartyMembers[gParty[0]].hp = 0;
    gBattleAction.phase = kPhaseStoryEvent;
    frame(kInputNone);
    EXPECT_EQ(gPartyMembers[gParty[0]].hp, 1);
    EXPECT_EQ(gStoryFlags[kFlagThiefEvent], 1);
}

TEST_F(StoryEventTest, CommanderCallsTheBearerBackAndTheBattleEnds) {
    scriptedRow(77, 10000, 9999);
    group(89, {77});
    setUpBattle(89);
    gBattleSchedule.roundCount = 1;
    ASSERT_TRUE(framesUntil(3000, [] { return gScene == 2; }, kInputDecide));
    EXPECT_EQ(gStoryFlags[kFlagRetreatEvent], 11);
}

TEST_F(StoryEventTest, AnEventPhaseWithNothingToPlayHandsTheTurnBack) {
    group(20, {kDummy});
    setUpBattle(20);
    gBattleAction.phase = kPhaseStoryEvent;
    frame(kInputNone);
    EXPECT_NE(gBattleAction.phase, kPhaseStoryEvent);
    // The same for a played-out event.
    group(89, {kDummy});
    setUpBattle(89);
    gStoryFlags[kFlagRetreatEvent] = 11;
    gBattleAction.phase = kPhaseStoryEvent;
    frame(kInputNone);
    EXPECT_NE(gBattleAction.phase, kPhaseStoryEvent);
}

}  // namespace
