// Actor motion: the frame-count wait, the move line and its walking poses.
#include <gtest/gtest.h>

#include "battle/BattleServices.h"
#include "gamedata/GameData.h"

namespace {

class BattleMotion : public ::testing::Test {
protected:
    void SetUp() override { resetBattleRecords(); }
};

TEST_F(BattleMotion, WaitFramesCountsToItsTargetAndResets) {
    struct Case {
        int n;
        int start;
        int callsUntilDone;
    };
    const Case cases[] = {
        {15, 0, 16},  // fifteen 0s, then 1
        {0, 0, 1},    // at once
        {30, 29, 2},
        {5, 9, 1},    // a counter already past its target is done, never a hang
    };
    for (const Case& c : cases) {
        gWaitCounter = c.start;
        int calls = 0;
        int result = 0;
        while (result == 0 && calls < 1000) {
            result = waitFrames(c.n);
            ++calls;
        }
        EXPECT_EQ(calls, c.callsUntilDone) << "n " << c.n << " from " << c.start;
        EXPECT_EQ(gWaitCounter, 0);
    }
}

TEST_F(BattleMotion, PartyWalkerStepsEveryThreeFramesAndEndsOnTarget) {
    gPartyActors[0] = {4.0f, 0.0f, 10.0f, 0, 0};
    beginMoveInPlace(kSideParty, 0);
    gMoveLine.end[0] = 6.0f;  // 2 units at 3 frames each: N = 6
    const int expectedPoses[] = {0, 0, 0, 1, 1, 1, 0};
    for (int f = 0; f <= 6; ++f) {
        ASSERT_EQ(stepActorMove(0, 0, 3.0f), 0) << f;
        EXPECT_EQ(gPartyActors[0].pose, expectedPoses[f]) << f;
    }
    EXPECT_FLOAT_EQ(gPartyActors[0].x, 6.0f);
    EXPECT_EQ(stepActorMove(0, 0, 3.0f), 1);
    EXPECT_EQ(stepActorMove(0, 0, 3.0f), 1);  // stays over once ended
    EXPECT_EQ(gPartyActors[0].pose, 0);
}

TEST_F(BattleMotion, FiveUnitMoveTakesSeventeenCalls) {
    gEnemyActors[2] = {14.0f, 0.0f, 6.0f, 0, 0};
    gEnemyBattlers[2].hp = 10;
    beginMoveInPlace(kSideEnemy, 2);
    gMoveLine.end[0] = 9.0f;
    int calls = 1;
    while (stepActorMove(1, 2, 3.0f) == 0 && calls < 100) ++calls;
    EXPECT_EQ(calls, 17);
    EXPECT_FLOAT_EQ(gEnemyActors[2].x, 9.0f);
}

TEST_F(BattleMotion, FallenEnemyKeepsItsHitPoseWhileMoved) {
    gEnemyActors[0] = {12.0f, 0.0f, 10.0f, 0, 3};
    gEnemyBattlers[0].hp = 0;
    beginMoveInPlace(kSideEnemy, 0);
    gMoveLine.end[1] = 2.0f;
    int result = 0;
    for (int i = 0; i < 50 && result == 0; ++i) {
        result = stepActorMove(1, 0, 3.0f);
        EXPECT_EQ(gEnemyActors[0].pose, 3);
    }
    EXPECT_EQ(result, 1);
}

TEST_F(BattleMotion, MoveBeginningsSetTheirEnds) {
    gEnemyActors[4] = {14.0f, 0.0f, 10.0f, 0, 0};
    gPartyActors[1] = {6.0f, 0.0f, 4.0f, 0, 0};
    gBattleAction.actingSide = kSideEnemy;
    gBattleAction.actingIndex = 4;
    beginMoveOffset(1.0f, 0.0f, 0.0f);  // toward the party for an enemy
    EXPECT_FLOAT_EQ(gMoveLine.end[0], 13.0f);
    EXPECT_EQ(gMoveLine.frame, 0);

    beginMoveToTarget(kSideParty, 1, kSideEnemy, 4);
    EXPECT_FLOAT_EQ(gMoveLine.start[0], 6.0f);
    EXPECT_FLOAT_EQ(gMoveLine.end[0], 13.0f);
    EXPECT_FLOAT_EQ(gMoveLine.end[2], 10.0f);
    beginMoveToTarget(kSideEnemy, 4, kSideParty, 1);
    EXPECT_FLOAT_EQ(gMoveLine.end[0], 7.0f);

    gPartyHomes[1][0] = 6.0f;
    gPartyHomes[1][2] = 4.0f;
    gPartyActors[1].x = 12.0f;
    beginMoveHome(kSideParty, 1);
    EXPECT_FLOAT_EQ(gMoveLine.start[0], 12.0f);
    EXPECT_FLOAT_EQ(gMoveLine.end[0], 6.0f);
}

TEST_F(BattleMotion, UnknownTargetOnlyCountsFrames) {
    gMoveLine = MoveLine{{0, 0, 0}, {1, 0, 0}, 0};
    int calls = 1;
    while (stepActorMove(7, 0, 2.0f) == 0 && calls < 100) ++calls;
    EXPECT_EQ(calls, 4);  // N = 2: frames 0, 1, 2, then done
}

TEST_F(BattleMotion, EffectSlotFollowsTheLine) {
    gMoveLine = MoveLine{{0, 0, 0}, {0, 3, 0}, 0};
    stepActorMove(2, 5, 1.0f);
    stepActorMove(2, 5, 1.0f);
    EXPECT_FLOAT_EQ(gEffectSlots[5].y, 1.0f);
}

TEST_F(BattleMotion, ShakeOffsetRunsOnTheActionFrame) {
    gBattleAction.actionFrame = 0;
    EXPECT_FLOAT_EQ(shakeOffset(90), 0.0f);
    gBattleAction.actionFrame = 1;  // sin(90 deg) * (1 - 10) * 0.03
    EXPECT_NEAR(shakeOffset(90), -0.27f, 1e-5);
}

}  // namespace
