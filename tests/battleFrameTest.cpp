// Whole battles through scene 100, frame by frame, under a frame budget and
// with the battle's invariants checked on every frame.
#include "battle/BattlePhases.h"
#include "tests/battleFixture.h"

namespace battletest {
namespace {

class BattleFrames : public BattleTest {
protected:
    // Frames until the battle leaves scene 100 (or `done` holds), with the
    // bot's input; false when the budget ran out.
    template <typename Bot>
    bool fight(int budget, Bot bot) {
        for (int i = 0; i < budget; ++i) {
            if (gScene != 100) return true;
            frame(bot());
            checkInvariants();
            if (HasFatalFailure()) return false;
        }
        return gScene != 100;
    }
    void checkInvariants() {
        ASSERT_TRUE(isBattlePhase(gBattleAction.phase)) << gBattleAction.phase;
        for (const DamagePopup& p : gDamagePopups) ASSERT_TRUE(p.timer >= 0 && p.timer <= 20) << p.timer;
        if (gInBattle == 0) return;
        for (int s = 0; s < 3; ++s) {
            const int unit = gParty[s];
            if (unit == 0) continue;
            ASSERT_GE(gPartyMembers[unit].hp, 0);
            ASSERT_LE(gPartyMembers[unit].hp, computeUnitStat(unit, kStatMaxHp));
        }
        for (const EnemyBattler& e : gEnemyBattlers) {
            ASSERT_GE(e.hp, 0);
            ASSERT_LE(e.hp, e.maxHp);
        }
    }
    // Attacks the first enemy whenever a party battler may choose.
    static int attackBot() {
        switch (gBattleAction.phase) {
        case kPhaseCommand:
            return gBattleAction.commandCursor == 0 ? kInputDecide : kInputUp;
        case kPhaseWeaponList:
        case kPhaseWeaponEnemyTarget:
        case kPhaseVictory:
            return kInputDecide;
        case kPhaseActionRun:
            // Plays the skill's key-press game: a press every other frame.
            return (gBattleAction.actionFrame % 2) == 0 ? kInputDecide : kInputNone;
        default:
            return kInputNone;
        }
    }
    void start(int group) {
        setUpBattle(group);
        gScene = 100;  // the transition's last frame
    }
    static void fell(int slot) { gPartyMembers[gParty[slot]].hp = 0; }
};

TEST_F(BattleFrames, AttackOnlyBattleIsWonAndPaid) {
    gRegionCurrency = 1;
    gMoney[1] = 100;
    std::strcpy(gCurrentSong, "field-song");
    start(kGroupTwoSlimes);
    std::strcpy(gCurrentSong, "battle-song");
    ASSERT_TRUE(fight(3000, attackBot));
    EXPECT_EQ(gScene, 2);
    EXPECT_EQ(gInBattle, 0);
    EXPECT_EQ(gMoney[1], 122);
    EXPECT_EQ(gMoney[0], 0);
    EXPECT_STREQ(gRequestedSong, "field-song");
    for (const EnemyBattler& e : gEnemyBattlers) EXPECT_EQ(e.monster, 0);
    EXPECT_TRUE(soundPlayed("Kettei.wav"));
}

TEST_F(BattleFrames, FirstFrameSchedulesAndOpensTheCommandMenu) {
    gBattleSchedule.memberActionValue[0] = 0;
    gMonsters[kSlime].speed = 1;
    start(kGroupTwoSlimes);
    gBattleSchedule.memberActionValue[0] = 999;
    frame();
    EXPECT_EQ(gBattleAction.phase, kPhaseCommand);
    EXPECT_EQ(gBattleAction.actingSide, kSideParty);
    EXPECT_EQ(gBattleAction.actingIndex, 0);
    // The battle's own camera is on the track from the first frame.
    float c0 = 0;
    int finished = 0;
    float channels[6] = {};
    ASSERT_EQ(resources.cameraTrack->evaluateTrack(gTestMs + 1000, &c0, &finished, channels), 1);
    EXPECT_FLOAT_EQ(channels[0], 10.0f);
    EXPECT_FLOAT_EQ(channels[2], -0.5f);
    EXPECT_FLOAT_EQ(channels[3], 7.0f);
    EXPECT_FLOAT_EQ(channels[5], 0.0f);
}

TEST_F(BattleFrames, ActionWaitsForItsPopupsBeforeTheNextTurn) {
    start(kGroupTwoSlimes);
    ASSERT_TRUE(framesUntil(10, [] { return gBattleAction.phase == kPhaseCommand; }));
    gBattleAction.actingIndex = 0;
    const int hp = gEnemyBattlers[0].hp;
    frame(kInputDecide);  // attack
    frame(kInputDecide);  // level 0
    frame(kInputDecide);  // the first enemy
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
    frame();
    EXPECT_EQ(gBattleAction.phase, kPhaseActionRun);
    // The skill plays its script (a held decide starts its key-press game).
    ASSERT_TRUE(framesUntil(3000, [] { return gBattleAction.phase != kPhaseActionRun; }, kInputDecide));
    EXPECT_EQ(gBattleAction.phase, kPhaseAfterAction);
    int frames = 0;
    while (gBattleAction.phase == kPhaseAfterAction && frames < 40) {
        const bool counting = anyDamagePopupCounting();
        frame();
        ++frames;
        if (counting && anyDamagePopupCounting()) {
            EXPECT_EQ(gBattleAction.phase, kPhaseAfterAction);
        }
    }
    EXPECT_LE(frames, 21);  // the next turn is scheduled once the last popup has landed
    EXPECT_FALSE(anyDamagePopupCounting());
    EXPECT_LT(gEnemyBattlers[0].hp + (gEnemyBattlers[0].monster == 0 ? 1 : 0), hp + 1);
}

TEST_F(BattleFrames, EscapeWalksAwayAndEndsWithNothing) {
    gMoney[0] = 5;
    start(kGroupTwoSlimes);
    ASSERT_TRUE(framesUntil(10, [] { return gBattleAction.phase == kPhaseCommand; }));
    const float x0 = gPartyActors[0].x;
    const int hp = hpOf(1);
    frame(kInputUp);  // wraps from the first entry to the last: escape
    EXPECT_EQ(gBattleAction.commandCursor, 2);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseEscapeStart);
    int tousouFrame = -1;
    for (int f = 1; f < 200 && gScene == 100; ++f) {
        frame();
        if (tousouFrame < 0 && soundPlayed("Tousou.wav")) tousouFrame = f;
    }
    EXPECT_EQ(gScene, 2);
    EXPECT_EQ(tousouFrame, 18);
    EXPECT_NEAR(gPartyActors[0].x, x0 - 6.0f, 1e-3);
    EXPECT_EQ(gPartyActors[0].facing, 1);
    EXPECT_EQ(gMoney[0], 5);
    EXPECT_EQ(hpOf(1), hp);
}

TEST_F(BattleFrames, EscapeRefusedInABattleThatForbidsIt) {
    start(kGroupNoEscape);
    ASSERT_TRUE(framesUntil(10, [] { return gBattleAction.phase == kPhaseCommand; }));
    frame(kInputUp);
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseCommand);
    EXPECT_TRUE(soundPlayed("Buza.wav"));
    EXPECT_FALSE(soundPlayed("Kettei.wav"));
}

TEST_F(BattleFrames, WipeOutGoesToTheTitleWithTheMusicStopped) {
    std::strcpy(gCurrentSong, "battle-song");
    start(kGroupTwoSlimes);
    gMemberBattleStatus[0].maxHpBonus = 300;
    for (int s = 0; s < 3; ++s) fell(s);
    frame();
    EXPECT_EQ(gBattleAction.phase, kPhaseWipeOut);
    EXPECT_STREQ(gRequestedSong, "");
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_EQ(gScene, 100);  // the notice waits for decide
    frame(kInputDecide);
    EXPECT_EQ(gScene, 1000);
    EXPECT_EQ(gInBattle, 0);
    EXPECT_EQ(memberBattleMaxHpBonus(0), 0);
}

TEST_F(BattleFrames, LostStoryBattlesReturnToTheField) {
    for (int group : {30, 40}) {
        std::strcpy(gCurrentSong, "field-song");
        start(group);
        std::strcpy(gCurrentSong, "battle-song");
        for (int s = 0; s < 3; ++s) fell(s);
        frame();
        EXPECT_STREQ(gRequestedSong, "battle-song") << group;  // the music goes on
        frame(kInputDecide);
        EXPECT_EQ(gScene, 2) << group;
        for (int s = 0; s < 3; ++s) EXPECT_EQ(hpOf(s), 1);
        EXPECT_STREQ(gRequestedSong, "field-song");
    }
}

TEST_F(BattleFrames, ThreeStageBattleChangesPartiesThenGoesToTheTitle) {
    gStoryFlags[76] = 0;
    fillParty();
    start(57);
    const int expectedParties[3][3] = {{0, 0, 4}, {0, 5, 0}, {1, 0, 0}};
    for (int stage = 0; stage < 3; ++stage) {
        for (int s = 0; s < 3; ++s) EXPECT_EQ(gParty[s], expectedParties[stage][s]) << "stage " << stage;
        const int slot = stage == 0 ? 2 : stage == 1 ? 1 : 0;
        if (stage > 0) {
            EXPECT_EQ(gBattleSchedule.memberActionValue[slot] != 0 || gBattleAction.actingIndex == slot, true);
            EXPECT_FLOAT_EQ(gPartyActors[slot].x, gPartyHomes[slot][0]);
        }
        fell(slot);
        gBattleAction.phase = kPhaseAfterAction;  // as after the blow that felled it
        ASSERT_TRUE(framesUntil(200, [] {
            return gBattleAction.phase == kPhaseCommand || gBattleAction.phase == kPhaseWipeOut;
        })) << "stage " << stage;
        if (stage < 2) {
            // Through the stage change: the camera glided up and back.
            ASSERT_TRUE(framesUntil(200, [] { return gBattleAction.phase == kPhaseCommand; }));
            EXPECT_EQ(gStoryFlags[76], stage + 1);
        }
    }
    EXPECT_EQ(gBattleAction.phase, kPhaseWipeOut);
    frame(kInputDecide);
    EXPECT_EQ(gScene, 1000);
    EXPECT_EQ(gStoryFlags[76], 2);
}

TEST_F(BattleFrames, BodyguardComesInActsAtOnceAndWithdraws) {
    gBodyguardHired[0] = 1;
    gBodyguards[0].hp = 10;
    std::strcpy(gBodyguards[0].name, "ガード");
    start(kGroupTwoSlimes);
    ASSERT_TRUE(framesUntil(10, [] { return gBattleAction.phase == kPhaseCommand; }));
    frame(kInputDown);
    frame(kInputDown);  // attack, items, bodyguard
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseBodyguardList);
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseBodyguardIn);
    EXPECT_EQ(gBattleAction.step, 0);
    frame();
    EXPECT_EQ(gBattleAction.step, 1);  // step 0 idles for one frame
    ASSERT_TRUE(framesUntil(300, [] { return gBattleAction.phase != kPhaseBodyguardIn; }));
    EXPECT_EQ(gBattleAction.phase, kPhaseCommand);
    EXPECT_EQ(gBattleSchedule.soloMode, 1);
    EXPECT_GT(gPartyActors[3].x, 7.0f);
    for (int s = 0; s < 3; ++s) EXPECT_LT(gPartyActors[s].x, 1.0f);

    frame(kInputDown);  // the bodyguard's menu: act, withdraw
    frame(kInputDecide);
    ASSERT_EQ(gBattleAction.phase, kPhaseBodyguardOut);
    ASSERT_TRUE(framesUntil(400, [] { return gBattleAction.phase != kPhaseBodyguardOut; }));
    EXPECT_EQ(gBattleSchedule.soloMode, 0);
    EXPECT_LT(gPartyActors[3].x, -2.0f);
    for (int s = 0; s < 3; ++s) EXPECT_NEAR(gPartyActors[s].x, gPartyHomes[s][0], 0.25f);
}

TEST_F(BattleFrames, BodyguardOwnActionHitsTheRandomEnemy) {
    gBodyguardHired[3] = 1;
    gBodyguards[3].hp = 10;
    gWeaponSkills[30] = gWeaponSkills[0];
    gWeaponSkills[30].category = 10;
    gWeaponSkills[30].level = 6;  // code 106
    start(kGroupTwoSlimes);
    gBattleSchedule.soloMode = 1;
    gBattleSchedule.bodyguardIndex = 3;
    gBattleAction.phase = kPhaseCommand;
    gBattleAction.commandCursor = 0;
    gEnemyBattlers[0].hp = 0;  // only slot 1 lives
    frame(kInputDecide);
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
    EXPECT_EQ(gBattleAction.actingIndex, kBodyguardLine);
    EXPECT_EQ(gBattleAction.targetIndex, 1);
    EXPECT_EQ(gBattleAction.pendingWeaponSkill, 30);
}

TEST_F(BattleFrames, AutomaticBattleFightsAloneAndEndsWithoutRewards) {
    gEnemyGroups[1].monsters[0] = 0;
    gEnemyGroups[1].monsters[2] = kSlime;
    gEnemyGroups[1].battleType = 2;
    gWeaponSkills[4].category = 4;  // code 40 exists
    gMoney[0] = 9;
    start(1);
    int frames = 0;
    ASSERT_TRUE(fight(3000, [&] {
        ++frames;
        if (gBattleAction.phase == kPhaseActionStart && gBattleAction.actingSide == kSideParty) {
            EXPECT_EQ(gBattleAction.targetIndex, 2);  // the first present slot after 0
            EXPECT_EQ(gBattleAction.pendingWeaponSkill, 4);
            EXPECT_EQ(gMemberBattleStatus[0].status[kStatusDefenceUp], 1);
        }
        return kInputNone;
    }));
    EXPECT_EQ(gScene, 2);
    EXPECT_EQ(gMoney[0], 9);
}

TEST_F(BattleFrames, AutomaticBattleHealsAWoundedFighter) {
    gEnemyGroups[1].monsters[0] = kSlime;
    gEnemyGroups[1].battleType = 2;
    start(1);
    gPartyMembers[1].hp = 1;
    gBattleAction.phase = kPhaseCommand;
    gBattleAction.actingIndex = 0;
    const int owned = gItemStock[132].owned;
    frame();
    EXPECT_EQ(gBattleAction.phase, kPhaseActionStart);
    EXPECT_EQ(gBattleAction.pendingItem, 132);
    EXPECT_EQ(gBattleAction.targetSide, kSideParty);
    EXPECT_EQ(gItemStock[132].owned, owned + 1);
}

TEST_F(BattleFrames, RevivalCharmRaisesAFallenMember) {
    start(kGroupTwoSlimes);
    gPartyMembers[2].equipment[2] = 119;
    gItemStock[119].equipped = 1;
    fell(1);
    gMemberBattleStatus[1].status[kStatusAttackUp] = 1;
    frame();
    EXPECT_TRUE(soundPlayed("Item_Kaihuku.wav"));
    EXPECT_EQ(gBattleAction.phase, kPhaseAfterAction);
    EXPECT_EQ(gMemberBattleStatus[1].status[kStatusAttackUp], 0);
    ASSERT_TRUE(framesUntil(40, [] { return gBattleAction.phase != kPhaseAfterAction; }));
    EXPECT_EQ(hpOf(1), computeUnitStat(2, kStatMaxHp) / 2);
    // The charm breaks on a quarter of the tries; either way the stock agrees.
    EXPECT_EQ(gItemStock[119].equipped, gPartyMembers[2].equipment[2] == 119 ? 1 : 0);
}

TEST_F(BattleFrames, StoryEventPhaseGoesOnToTheAction) {
    start(kGroupTwoSlimes);
    gBattleAction.phase = kPhaseStoryEvent;
    frame();
    EXPECT_NE(gBattleAction.phase, kPhaseStoryEvent);
}

TEST_F(BattleFrames, DeveloperCommandsEndTheBattle) {
    start(kGroupTwoSlimes);
    gCommandCode = kCommandInstantWin;
    frame();
    EXPECT_EQ(gBattleAction.phase, kPhaseVictory);
    gCommandCode = kNormalPlayCommand;
}

TEST_F(BattleFrames, NothingWithoutADevice) {
    start(kGroupTwoSlimes);
    runBattleFrame(resources, nullptr);
    drawBattleScene(resources, nullptr);
    EXPECT_EQ(gBattleAction.phase, kPhaseAfterAction);
}

}  // namespace
}  // namespace battletest
