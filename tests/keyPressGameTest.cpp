#include "keyPressFixture.h"

namespace {

using KeyPressGame = KeyPressCalls;

// ---- mash ----

TEST_F(KeyPressGame, MashCountsFreshPressesOfTheShownKeyOnlyUntilTheLimit) {
    gKeyPressGame.keys[0] = kInputDecide;
    gKeyPressGame.keys[1] = 0;
    EXPECT_EQ(call(kKeyPressMash, 1250), kKeyPressGoesOn);
    EXPECT_EQ(call(kKeyPressMash, 1250, kInputLeft), kKeyPressGoesOn);  // wrong key: starts the clock only
    EXPECT_EQ(gHitCount, 0);
    EXPECT_EQ(gKeyPressGame.timerRunning, 1);
    call(kKeyPressMash, 1250, 0);
    call(kKeyPressMash, 1250, kInputDecide);
    call(kKeyPressMash, 1250, kInputDecide);  // held: counts once
    call(kKeyPressMash, 1250, kInputDecide);
    EXPECT_EQ(gHitCount, 1);
    call(kKeyPressMash, 1250, 0);
    call(kKeyPressMash, 1250, kInputDecide);
    EXPECT_EQ(gHitCount, 2);
    // 6 calls of 16 ms since the start press: the limit ends it past 1250 ms.
    const int calls = idleUntilOver(kKeyPressMash, 1250, 200);
    EXPECT_EQ(gKeyPressGame.elapsedMs > 1250, true);
    EXPECT_EQ(calls, (1251 - 6 * 16 + 15) / 16);
    EXPECT_EQ(gHitCount, 2);
}

TEST_F(KeyPressGame, MashDrawsANewKeyEveryThirdHitWhenAsked) {
    gKeyPressGame.keys[0] = kInputDecide;
    gKeyPressGame.keys[1] = 1;
    random_.script({3});  // 2 * (3 mod 5) + 2 = 8
    call(kKeyPressMash, 1500);
    for (int i = 0; i < 3; ++i) {
        call(kKeyPressMash, 1500, gKeyPressGame.keys[0]);
        call(kKeyPressMash, 1500, 0);
    }
    EXPECT_EQ(gHitCount, 3);
    EXPECT_EQ(gKeyPressGame.keys[0], kInputUp);
    call(kKeyPressMash, 1500, kInputDecide);  // the old key no longer scores
    EXPECT_EQ(gHitCount, 3);
}

TEST_F(KeyPressGame, AStallOfOverASecondCountsInFull) {
    gKeyPressGame.keys[0] = kInputDecide;
    call(kKeyPressMash, 1250);
    call(kKeyPressMash, 1250, kInputDecide);
    EXPECT_EQ(call(kKeyPressMash, 1250, 0, 1200), kKeyPressGoesOn);
    EXPECT_EQ(gKeyPressGame.elapsedMs, 1200);
    EXPECT_EQ(call(kKeyPressMash, 1250, 0, 1999), kKeyPressOver);
    EXPECT_EQ(gKeyPressGame.elapsedMs, 3199);
}

TEST_F(KeyPressGame, TheClockSurvivesTheMillisecondCounterWrapping) {
    now_ = 0xFFFFFFF0u;
    gKeyPressGame.keys[0] = kInputDecide;
    call(kKeyPressMash, 1250, 0, 0);
    call(kKeyPressMash, 1250, kInputDecide, 0);
    call(kKeyPressMash, 1250, 0, 40);  // across the wrap
    EXPECT_EQ(gKeyPressGame.elapsedMs, 40);
}

// ---- note lane ----

class NoteLane : public KeyPressCalls {
protected:
    void arm(int interval, int notes, float speed) {
        gKeyPressGame.spawnIntervalMs = interval;
        gKeyPressGame.noteCount = notes;
        for (int i = 0; i < kKeyPressSlots; ++i) {
            gKeyPressGame.keys[i] = kInputDecide;
            gKeyPressGame.noteSpeeds[i] = speed;
        }
    }
    // True when a travelling note will stand in the hit window after the
    // next call of `ms` milliseconds.
    bool noteDueInWindow(int ms) const {
        for (int i = 0; i < kKeyPressSlots; ++i) {
            const int p = gKeyPressGame.notePositions[i];
            if (p < 1 || p > kNoteWindowLast) continue;
            const int next = p + static_cast<int>(ms * static_cast<double>(gKeyPressGame.noteSpeeds[i]));
            if (next >= kNoteWindowFirst + 10 && next <= kNoteWindowLast) return true;
        }
        return false;
    }
    // Plays perfectly: presses whenever a note is due, releases otherwise.
    // Returns the call count at the end, or -1 past the budget.
    int playPerfectly(int budget, int ms = 10) {
        bool pressed = false;
        for (int n = 1; n <= budget; ++n) {
            const int input = (!pressed && noteDueInWindow(ms)) ? kInputDecide : 0;
            pressed = input != 0;
            if (call(kKeyPressNoteLane, 0, input, ms) != kKeyPressGoesOn) return n;
        }
        return -1;
    }
};

TEST_F(NoteLane, ThreeNotesAllHitEndSixCallsAfterTheLastHit) {
    arm(300, 3, 0.3f);
    call(kKeyPressNoteLane, 0);
    call(kKeyPressNoteLane, 0, kInputLeft, 10);  // the start press does nothing else
    EXPECT_EQ(gHitCount, 0);
    int callsSinceThirdHit = -1;
    bool pressed = false;
    int result = kKeyPressGoesOn;
    for (int n = 0; n < 1000 && result == kKeyPressGoesOn; ++n) {
        const int input = (!pressed && noteDueInWindow(10)) ? kInputDecide : 0;
        pressed = input != 0;
        result = call(kKeyPressNoteLane, 0, input, 10);
        if (callsSinceThirdHit >= 0) ++callsSinceThirdHit;
        if (gHitCount == 3 && callsSinceThirdHit < 0) callsSinceThirdHit = 0;
    }
    EXPECT_EQ(result, kKeyPressOver);
    EXPECT_EQ(gHitCount, 3);
    EXPECT_EQ(callsSinceThirdHit, 6);
    EXPECT_EQ(gKeyPressGame.notesSpawned, 3);
}

TEST_F(NoteLane, APressWithNoNoteInTheWindowEndsTheGameAtOnce) {
    arm(300, 3, 0.3f);
    call(kKeyPressNoteLane, 0);
    call(kKeyPressNoteLane, 0, kInputDecide, 10);
    call(kKeyPressNoteLane, 0, 0, 10);
    EXPECT_EQ(call(kKeyPressNoteLane, 0, kInputDecide, 10), kKeyPressOver);
    EXPECT_EQ(gHitCount, 0);
}

TEST_F(NoteLane, APressOfTheWrongKeyMissesTheNote) {
    arm(300, 3, 0.3f);
    call(kKeyPressNoteLane, 0);
    call(kKeyPressNoteLane, 0, kInputDecide, 10);
    call(kKeyPressNoteLane, 0, 0, 10);
    int n = 0;
    while (!noteDueInWindow(10) && n++ < 1000) call(kKeyPressNoteLane, 0, 0, 10);
    EXPECT_EQ(call(kKeyPressNoteLane, 0, kInputLeft, 10), kKeyPressOver);
    EXPECT_EQ(gHitCount, 0);
}

TEST_F(NoteLane, ANotePastTheWindowEndsTheGame) {
    arm(300, 3, 0.3f);
    call(kKeyPressNoteLane, 0);
    call(kKeyPressNoteLane, 0, kInputDecide, 10);
    call(kKeyPressNoteLane, 0, 0, 10);
    int maxSeen = 0;
    int n = 0;
    int result = kKeyPressGoesOn;
    while (result == kKeyPressGoesOn && n++ < 1000) {
        result = call(kKeyPressNoteLane, 0, 0, 10);
        if (gKeyPressGame.notePositions[0] != kNoteEmpty) maxSeen = std::max(maxSeen, gKeyPressGame.notePositions[0]);
    }
    EXPECT_EQ(result, kKeyPressOver);
    EXPECT_GT(maxSeen, kNoteWindowLast);
    // 300 ms to spawn, then 477 pixels at 3 a call.
    EXPECT_LE(n, 30 + 160 + 2);
}

TEST_F(NoteLane, EndlessWavesSpeedUpByFivePercentAfterTheTwentyFifthNote) {
    arm(450, 999, 0.3f);
    call(kKeyPressNoteLane, 0);
    call(kKeyPressNoteLane, 0, kInputDecide, 10);
    call(kKeyPressNoteLane, 0, 0, 10);
    // 26 spawns take 26 x 450 ms; play a little past that.
    bool pressed = false;
    int result = kKeyPressGoesOn;
    for (int n = 0; n < 1200 + 100 && result == kKeyPressGoesOn; ++n) {
        const int input = (!pressed && noteDueInWindow(10)) ? kInputDecide : 0;
        pressed = input != 0;
        result = call(kKeyPressNoteLane, 0, input, 10);
    }
    EXPECT_EQ(result, kKeyPressGoesOn);
    EXPECT_FLOAT_EQ(gKeyPressGame.noteSpeeds[0], static_cast<float>(0.3f * static_cast<double>(1.05f)));
    EXPECT_LT(gKeyPressGame.notesSpawned, 25);
    EXPECT_GE(gHitCount, 24);
}

TEST_F(NoteLane, ASingleNoteWaveOfOneEndsAfterItsJudgement) {
    arm(20, 1, 0.7f);
    call(kKeyPressNoteLane, 0);
    call(kKeyPressNoteLane, 0, kInputDecide, 10);
    call(kKeyPressNoteLane, 0, 0, 10);
    EXPECT_GT(playPerfectly(500), 0);
    EXPECT_EQ(gHitCount, 1);
}

// ---- sequence ----

class Sequence : public KeyPressCalls {
protected:
    void arm() {
        const int keys[] = {kInputUp, kInputLeft, kInputDecide, kInputDown, kInputRight};
        for (int i = 0; i < 5; ++i) gKeyPressGame.keys[i] = keys[i];
        gKeyPressGame.noteCount = 5;
        call(kKeyPressSequence, 2500);
        call(kKeyPressSequence, 2500, kInputDown);  // start press: not a key of the sequence
        call(kKeyPressSequence, 2500, 0);
    }
    int press(int key) {
        const int r = call(kKeyPressSequence, 2500, key);
        if (r == kKeyPressGoesOn) call(kKeyPressSequence, 2500, 0);
        return r;
    }
};

TEST_F(Sequence, AWrongKeyEndsTheGameWithTheRightKeysSoFar) {
    arm();
    EXPECT_EQ(press(kInputUp), kKeyPressGoesOn);
    EXPECT_EQ(press(kInputLeft), kKeyPressGoesOn);
    EXPECT_EQ(press(kInputUp), kKeyPressOver);
    EXPECT_EQ(gHitCount, 2);
}

TEST_F(Sequence, ACompletedSequenceWaitsForTheLimit) {
    arm();
    for (int key : {kInputUp, kInputLeft, kInputDecide, kInputDown, kInputRight}) EXPECT_EQ(press(key), kKeyPressGoesOn);
    EXPECT_EQ(gHitCount, 5);
    EXPECT_EQ(press(kInputLeft), kKeyPressGoesOn);  // past the end nothing counts or fails
    EXPECT_GT(idleUntilOver(kKeyPressSequence, 2500, 400), 0);
    EXPECT_EQ(gHitCount, 5);
}

// ---- chord ----

TEST_F(KeyPressGame, ChordCountsOnlyTheDiagonalAndStopsAtThree) {
    gKeyPressGame.keys[0] = kInputDown;
    gKeyPressGame.keys[1] = kInputLeft;
    gKeyPressGame.keys[2] = kInputDownLeft;
    random_.script({1, 2, 3});
    call(kKeyPressChord, 3500);
    call(kKeyPressChord, 3500, kInputRight);  // start
    call(kKeyPressChord, 3500, 0);
    call(kKeyPressChord, 3500, kInputDown);
    call(kKeyPressChord, 3500, 0);
    call(kKeyPressChord, 3500, kInputLeft);
    call(kKeyPressChord, 3500, 0);
    EXPECT_EQ(gHitCount, 0);
    call(kKeyPressChord, 3500, kInputDownLeft);
    EXPECT_EQ(gHitCount, 1);
    EXPECT_EQ(gKeyPressGame.keys[2], kInputUpLeft);  // r 1: (7, 4, 8)
    EXPECT_EQ(gKeyPressGame.keys[0], kInputLeft);
    EXPECT_EQ(gKeyPressGame.keys[1], kInputUp);
    for (int code : {kInputUpLeft, kInputDownRight}) {
        call(kKeyPressChord, 3500, 0);
        call(kKeyPressChord, 3500, code);
    }
    EXPECT_EQ(gHitCount, 3);
    EXPECT_EQ(gKeyPressGame.keys[2], kInputUpRight);  // r 3
    call(kKeyPressChord, 3500, 0);
    call(kKeyPressChord, 3500, kInputUpRight);
    EXPECT_EQ(gHitCount, 3);
    EXPECT_GT(idleUntilOver(kKeyPressChord, 3500, 400), 0);
}

// ---- key groups ----

TEST_F(KeyPressGame, KeyGroupsScoreCompletedGroupsAndIgnoreWrongKeys) {
    const int group[] = {kInputLeft, kInputRight, kInputLeft, kInputRight};
    for (int i = 0; i < 4; ++i) gKeyPressGame.keys[i] = group[i];
    gKeyPressGame.keys[5] = 0;
    gKeyPressGame.keys[7] = 4;
    call(kKeyPressKeyGroups, 5000);
    call(kKeyPressKeyGroups, 5000, kInputUp);  // start
    for (int round = 0; round < 2; ++round)
        for (int key : {kInputLeft, kInputDown, kInputRight, kInputLeft, kInputRight}) {
            call(kKeyPressKeyGroups, 5000, 0);
            call(kKeyPressKeyGroups, 5000, key);
        }
    EXPECT_EQ(gHitCount, 2);
    EXPECT_EQ(gKeyPressGame.noteCount, 0);
    EXPECT_EQ(gKeyPressGame.keys[0], kInputLeft);  // the same group again
    EXPECT_GT(idleUntilOver(kKeyPressKeyGroups, 5000, 400), 0);
    EXPECT_EQ(gHitCount, 2);
}

TEST_F(KeyPressGame, KeyGroupsDrawANewGroupAfterEachWhenAsked) {
    for (int i = 0; i < 4; ++i) gKeyPressGame.keys[i] = kInputDecide;
    gKeyPressGame.keys[5] = 1;
    gKeyPressGame.keys[7] = 7;
    random_.script({0, 1, 2, 3});
    call(kKeyPressKeyGroups, 15000);
    call(kKeyPressKeyGroups, 15000, kInputUp);
    for (int i = 0; i < 4; ++i) {
        call(kKeyPressKeyGroups, 15000, 0);
        call(kKeyPressKeyGroups, 15000, kInputDecide);
    }
    EXPECT_EQ(gHitCount, 1);
    EXPECT_EQ(gKeyPressGame.keys[0], kInputDown);
    EXPECT_EQ(gKeyPressGame.keys[1], kInputLeft);
    EXPECT_EQ(gKeyPressGame.keys[2], kInputRight);
    EXPECT_EQ(gKeyPressGame.keys[3], kInputUp);
    EXPECT_EQ(gKeyPressGame.keys[8], 1);
}

// ---- hold and release ----

struct HoldCase {
    int releaseAtMs;  // 0: never released
    int hitCount;
    int resultCallAfterRelease;  // the call (after the release) that returns 1
};

TEST_F(KeyPressGame, HoldAndReleaseJudgesTheReleaseTime) {
    const HoldCase cases[] = {
        {1799, 0, 0},  // too early: over at the release
        {1800, 1, 0},  // the window opens
        {1999, 1, 0},
        {0, 0, 0},     // held to 2000 ms: over
    };
    for (const HoldCase& c : cases) {
        SetUp();
        gKeyPressGame.keys[0] = kInputDecide;
        call(kKeyPressHoldRelease, 0);
        ASSERT_EQ(call(kKeyPressHoldRelease, 0, kInputDecide, 16, true), kKeyPressGoesOn);
        const int holdTo = c.releaseAtMs != 0 ? c.releaseAtMs : 2000;
        int held = 0;
        int result = kKeyPressGoesOn;
        while (held + 100 < holdTo) {
            held += 100;
            result = call(kKeyPressHoldRelease, 0, kInputDecide, 100, true);
            ASSERT_EQ(result, kKeyPressGoesOn) << c.releaseAtMs;
        }
        if (c.releaseAtMs == 0) {
            EXPECT_EQ(call(kKeyPressHoldRelease, 0, kInputDecide, holdTo - held, true), kKeyPressOver);
            EXPECT_EQ(gHitCount, 0);
            continue;
        }
        result = call(kKeyPressHoldRelease, 0, 0, holdTo - held, false);
        EXPECT_EQ(gHitCount, c.hitCount) << c.releaseAtMs;
        if (c.hitCount == 0) {
            EXPECT_EQ(result, kKeyPressOver) << c.releaseAtMs;
            continue;
        }
        EXPECT_EQ(result, kKeyPressGoesOn);
        // A success ends in the first call past 2100 ms.
        int t = holdTo;
        while (t + 50 <= 2100) {
            t += 50;
            EXPECT_EQ(call(kKeyPressHoldRelease, 0, 0, 50), kKeyPressGoesOn) << t;
        }
        EXPECT_EQ(call(kKeyPressHoldRelease, 0, 0, 2101 - t), kKeyPressOver);
        EXPECT_EQ(gHitCount, 1);
    }
}

TEST_F(KeyPressGame, HoldAndReleaseStartsOnlyOnTheGivenKey) {
    gKeyPressGame.keys[0] = kInputDecide;
    call(kKeyPressHoldRelease, 0);
    call(kKeyPressHoldRelease, 0, kInputLeft);
    EXPECT_EQ(gKeyPressGame.timerRunning, 0);
    call(kKeyPressHoldRelease, 0, 0);
    call(kKeyPressHoldRelease, 0, kInputDecide, 16, true);
    EXPECT_EQ(gKeyPressGame.timerRunning, 1);
}

// ---- markers ----

struct MarkerCase {
    int mode;
    int stopAtMs;
    float expected;  // the moved coordinate
    char axis;
};

TEST_F(KeyPressGame, MarkerStartsOnTheFirstPressAndStopsOnTheSecond) {
    const MarkerCase cases[] = {
        {kKeyPressMarkerHeight, 250, 25.0f / 15.0f, 'y'},
        {kKeyPressMarkerHeight, 700, 40.0f / 15.0f, 'y'},   // past one cycle of 600
        {kKeyPressMarkerHeight, 600, -10.0f / 15.0f, 'y'},  // the end of a cycle
        {kKeyPressMarkerAcross, 400, 14.0f + 0.5f - 30.0f / 15.0f, 'x'},
        {kKeyPressMarkerDepth, 0, 10.0f - 20.0f / 15.0f, 'z'},
        {kKeyPressMarkerDepth, 1600, 10.0f + 20.0f / 15.0f, 'z'},
    };
    for (const MarkerCase& c : cases) {
        SetUp();
        gBattleAction.targetIndex = 2;
        gEnemyActors[2] = BattleActor{14.0f, 0.0f, 10.0f, 0, 0};
        call(c.mode, 0);
        EXPECT_EQ(call(c.mode, 0, 0, 500), kKeyPressGoesOn);
        EXPECT_EQ(gKeyPressGame.elapsedMs, 0) << "waits at its start before the first press";
        EXPECT_EQ(call(c.mode, 0, kInputDecide), kKeyPressGoesOn);
        int t = 0;
        while (t + 50 <= c.stopAtMs) {
            t += 50;
            ASSERT_EQ(call(c.mode, 0, 0, 50), kKeyPressGoesOn);
        }
        EXPECT_EQ(call(c.mode, 0, kInputDecide, c.stopAtMs - t), kKeyPressOver);
        const EffectSlot& m = gEffectSlots[1];
        EXPECT_EQ(m.active, 1);
        const float got = c.axis == 'x' ? m.x : c.axis == 'y' ? m.y : m.z;
        EXPECT_FLOAT_EQ(got, c.expected) << c.mode << " at " << c.stopAtMs;
    }
}

// ---- aim ----

TEST_F(KeyPressGame, AimMovesTheMarkerAndFiresTenShots) {
    gEffectSlots[1].x = 12.0f;
    gEffectSlots[1].z = 10.0f;
    EXPECT_EQ(call(kKeyPressAimStart, 0), kKeyPressGoesOn);
    call(kKeyPressAimGoOn, 0, kInputUp);
    call(kKeyPressAimGoOn, 0, kInputRight);
    call(kKeyPressAimGoOn, 0, kInputRight);
    call(kKeyPressAimGoOn, 0, kInputDownLeft);  // not a direction it knows
    EXPECT_FLOAT_EQ(gEffectSlots[1].x, 13.0f);
    EXPECT_FLOAT_EQ(gEffectSlots[1].z, 10.5f);
    for (int shot = 1; shot <= 10; ++shot) {
        EXPECT_EQ(call(kKeyPressAimGoOn, 0, kInputDecide), kKeyPressShot) << shot;
    }
    EXPECT_EQ(call(kKeyPressAimGoOn, 0, 0), kKeyPressShotsUsed);
}

// ---- the skip ----

TEST_F(KeyPressGame, AMemberWearingTheSkipItemsPlaysNothing) {
    for (int item : {111, 112}) {
        SetUp();
        gPartyMembers[1].equipment[kEquipAccessoryB] = item;
        gHitCount = 42;
        EXPECT_EQ(call(kKeyPressMash, 1250), kKeyPressOver);
        EXPECT_EQ(gHitCount, 42);
        EXPECT_EQ(gKeyPressGame.started, 0);
        EXPECT_EQ(gKeyGameShown, 1);
    }
    gPartyMembers[1].equipment[kEquipAccessoryB] = 0;
}

TEST_F(KeyPressGame, AnUnknownModeRunsOnlyTheClockAndTheLimit) {
    EXPECT_EQ(call(3, 0), kKeyPressGoesOn);
    EXPECT_EQ(gKeyPressGame.started, 1);
    EXPECT_EQ(call(3, 100, 0, 16), kKeyPressGoesOn);
}

}  // namespace
