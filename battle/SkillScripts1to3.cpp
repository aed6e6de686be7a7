// Weapon skills of categories 1 to 3 (codes 10 to 33): the blade's strikes
// and sparks, the thrown blades, and the marker shots.
#include <cmath>

#include "battle/KeyPressGame.h"
#include "battle/SkillScriptSteps.h"
#include "battle/WeaponSkillAction.h"
#include "engine/Random.h"
#include "engine/TransformByMatrix3.h"

namespace {

// Working state of the running script, set in its step 0.
int gRotation = 0;           // code 13: the sparks' turn counter
int gFallFrames = 0;         // code 13: frames since the sparks began to fall
bool gArrived[3] = {};       // code 31: which of the three shots has landed
bool gMarkerHit = false;     // codes 30 to 32: the marker stopped on a hit
int gShots = 0;              // code 33: shots fired
int gAimMode = kKeyPressAimStart;

const char* const kBladeSound = "Wepon_01.wav";
const char* const kThrowSound = "Wepon_02.wav";
const char* const kShotSound = "Wepon_03.wav";

void beginLineToTarget() { beginMoveToTarget(actingSide(), actingIndex(), targetSide(), targetIndex()); }

void beginHome() { beginMoveHome(actingSide(), actingIndex()); }

// The retreat that ends most scripts: walk home, stand, end.
void walkHomeAndEnd() {
    if (!walkActor()) return;
    setActingPose(0);
    endScript();
}

// Twenty sparks in a row beside the actor (code 10).
void placeSparkRow() {
    const BattleActor& a = actingActor();
    for (int i = 0; i < kEffectSlotCount; ++i)
        showSlot(i, 1, 1, a.x + 0.1f * i, a.y + shakeOffset(i) - 0.1f, a.z - 0.05f);
}

// ---- 10: strikes, one more for every note hit ----
void script10(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            clearKeyPressParameters();
            armNoteLane(300, 3, 0.3f);
            for (int& k : gKeyPressGame.keys) k = 10;
            beginLineToTarget();
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1: {
            if (!playSkillGame(f, kKeyPressNoteLane, 0, 0)) return;
            const BattleActor& t = targetActor();
            viewPoint(f, t.x - 0.1f, t.y, t.z, 6.0f);
            applySkillMastery(3);
            break;
        }
        case 2: walkActor(); break;
        case 3:
            playSkillSound(kBladeSound);
            hitTarget(40);
            setActingPose(5);
            gWaitCounter = 0;
            break;
        case 4:
            placeSparkRow();
            drawEffects(f);
            if (!waitStep(15)) return;
            setActingPose(6);
            {
                const int old = gHitCount;
                gHitCount -= 1;
                if (old > 0) jumpToStep(3);
            }
            break;
        case 5: beginHome(); break;
        case 6: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 11: a blade thrown once per note hit, one blow at the end ----
void script11(const SkillFrame& f) {
    const BattleActor& a = actingActor();
    switch (scriptStep()) {
        case 0: {
            clearKeyPressParameters();
            const int keys[5] = {4, 8, 6, 2, 10};
            for (int i = 0; i < 5; ++i) {
                gKeyPressGame.keys[i] = keys[i];
                gKeyPressGame.noteSpeeds[i] = 0.3f;
            }
            gKeyPressGame.spawnIntervalMs = 500;
            gKeyPressGame.noteCount = 5;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        }
        case 1:
            if (!playSkillGame(f, kKeyPressNoteLane, 0, 0)) return;
            viewPoint(f, 10, 1, 0, 6.0f);
            applySkillMastery(5);
            gKeyPressGame.noteCount = 0;
            break;
        case 2:
            playSkillSound(kBladeSound);
            showSlot(0, 1, 1, a.x + 0.2f, a.y + 0.1f, a.z - 0.05f);
            gWaitCounter = 0;
            break;
        case 3:
            drawEffects(f);
            if (!waitStep(20)) return;
            setActingPose(6);
            beginLineToTarget();
            break;
        case 4:
            drawEffects(f);
            if (!flySlot(0, 0.5f)) return;
            playSkillSound(kBladeSound);
            gKeyPressGame.noteCount += 1;
            if (gKeyPressGame.noteCount < gHitCount) {
                setActingPose(5);
                jumpToStep(2);
            }
            break;
        case 5:
            hitTarget(30 * gHitCount + 60);
            effectSlot(0).active = 0;
            setActingPose(0);
            endScript();
            break;
        default: break;
    }
}

// ---- 12: a blade circles the actor before each throw ----
float gLineEnd[3] = {};

void script12(const SkillFrame& f) {
    const BattleActor& a = actingActor();
    EffectSlot& blade = effectSlot(0);
    switch (scriptStep()) {
        case 0:
            clearKeyPressParameters();
            armNoteLane(550, 10, 0.3f);
            for (int& k : gKeyPressGame.keys) k = 2 * (randomThousand() % 4) + 2;
            beginLineToTarget();
            gMoveLine.end[0] -= enemyActs() ? -0.2f : 0.2f;
            gMoveLine.end[1] = 0.1f;
            for (int i = 0; i < 3; ++i) gLineEnd[i] = gMoveLine.end[i];
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            if (!playSkillGame(f, kKeyPressNoteLane, 0, 0)) return;
            viewPoint(f, 10, 1, 0, 6.0f);
            applySkillMastery(10);
            gKeyPressGame.noteCount = 0;
            break;
        case 2:
            playSkillSound(kBladeSound);
            showSlot(0, 1, 1, a.x + 0.2f, a.y + 0.1f, a.z);
            gWaitCounter = 0;
            break;
        case 3: {
            setActingPose(7);
            const float angle = static_cast<float>(gBattleAction.actionFrame % 18) * 0.12566371f;
            blade.x = a.x + std::sin(angle);
            blade.z = a.z + std::cos(angle);
            blade.y += 0.005f;
            drawEffects(f);
            if (!waitStep(30)) return;
            const float from[3] = {blade.x, blade.y, blade.z - 0.05f};
            lineFromTo(from, gLineEnd);
            setActingPose(6);
            break;
        }
        case 4:
            drawEffects(f);
            if (!flySlot(0, 0.5f)) return;
            playSkillSound(kBladeSound);
            gKeyPressGame.noteCount += 1;
            if (gKeyPressGame.noteCount < gHitCount) {
                setActingPose(5);
                jumpToStep(2);
            }
            break;
        case 5:
            hitTarget(40);
            blade.active = 0;
            setActingPose(0);
            endScript();
            break;
        default: break;
    }
}

// ---- 13: a leap back, a wheel of sparks, and the sparks rain down ----
void placeSparkWheel(bool duringWait) {
    const BattleActor& a = actingActor();
    const float angle = static_cast<float>(gRotation) * 3.14159265f / 10.0f;
    const float turn[9] = {std::cos(angle), 0.0f, -std::sin(angle), 0.0f, 1.0f, 0.0f,
                           std::sin(angle), 0.0f, std::cos(angle)};
    const float k = 1.0f + 0.01f * static_cast<float>(gWaitCounter);
    for (int i = 0; i < kEffectSlotCount; ++i) {
        const float v[3] = {duringWait ? k * i / 8.0f : 0.2375f * i, duringWait ? k * i / 24.0f : 0.11666667f * i,
                            5.0f * shakeOffset(i)};
        float out[3];
        transformByMatrix3(out, v, turn);
        showSlot(i, 1, 1, a.x + out[0], a.y + out[1] - 0.1f, a.z + out[2]);
    }
    gRotation += 1;
}

void script13(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            clearKeyPressParameters();
            armNoteLane(450, 999, 0.3f);
            for (int& k : gKeyPressGame.keys) k = randomKeyPressKey();
            gRotation = 0;
            gFallFrames = 0;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            if (!playSkillGame(f, kKeyPressNoteLane, 0, 0)) return;
            viewPoint(f, 0, 1, 0, 6.0f);
            applySkillMastery(25);
            beginMoveOffset(-5.0f, 4.0f, 0.0f);
            setActingPose(2);
            break;
        case 2:
            if (!walkActor()) {
                setActingPose(2);
                return;
            }
            setActingPose(5);
            break;
        case 3:
            playSkillSound(kBladeSound);
            setActingPose(6);
            gRotation = 0;
            gWaitCounter = 0;
            break;
        case 4: {
            placeSparkWheel(true);
            drawEffects(f);
            if (!waitStep(90)) return;
            setActingPose(5);
            viewPoint(f, 15, 1, -10, 6.0f);
            const BattleActor& a = actingActor();
            const float from[3] = {a.x, a.y, a.z};
            const float to[3] = {15.0f, 0.0f, 10.0f};
            lineFromTo(from, to);
            break;
        }
        case 5: {
            const bool arrived = walkActor();
            setActingPose(arrived ? 6 : 5);
            placeSparkWheel(false);
            drawEffects(f);
            gFallFrames = 0;
            break;
        }
        case 6: {
            // The sparks fall; each that reaches the ground strikes a random enemy.
            gFallFrames += 1;
            bool anyLit = false;
            for (int i = 0; i < kEffectSlotCount; ++i) {
                EffectSlot& s = effectSlot(i);
                if (s.active == 0) continue;
                s.y -= 0.02f * static_cast<float>(gFallFrames);
                if (s.y <= 0.0f) {
                    s.active = 0;
                    if (!anyLivingOpponent()) continue;
                    playSkillSound(kBladeSound);
                    pickRandomLivingOpponent();
                    hitTarget(gHitCount / 3);
                } else {
                    anyLit = true;
                }
            }
            drawEffects(f);
            if (anyLit && anyLivingOpponent()) {
                holdStep();
                return;
            }
            for (int i = 0; i < kEffectSlotCount; ++i) effectSlot(i).active = 0;
            beginHome();
            break;
        }
        case 7: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 20 and 21: a blade thrown per pass of the mash ----
void script20and21(const SkillFrame& f, bool scatter) {
    EffectSlot& blade = effectSlot(0);
    switch (scriptStep()) {
        case 0:
            clearKeyPressParameters();
            gKeyPressGame.keys[0] = scatter ? randomKeyPressKey() : 10;
            gKeyPressGame.keys[1] = scatter ? 1 : 0;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            if (!playSkillGame(f, kKeyPressMash, scatter ? 1500 : 1250, 5)) return;
            viewPoint(f, 10, 1, 0, 7.0f);
            applySkillMastery(6);
            gKeyPressGame.noteCount = 0;
            break;
        case 2:
            if (scatter && !pickRandomLivingOpponent()) {
                jumpToStep(5);
                return;
            }
            beginLineToTarget();
            showSlot(0, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            playSkillSound(kThrowSound);
            setActingPose(6);
            break;
        case 3:
            drawEffects(f);
            if (!flySlot(0, 0.5f)) return;
            blade.active = 0;
            if (scatter) {
                setActingPose(0);
                hitTarget(25);
                gWaitCounter = 0;
            } else {
                jumpToStep(4);
            }
            break;
        case 4:
            if (scatter && !waitStep(15)) return;
            gKeyPressGame.noteCount += 1;
            if (gKeyPressGame.noteCount < gHitCount && (!scatter || anyLivingOpponent())) {
                setActingPose(5);
                jumpToStep(2);
                return;
            }
            break;
        case 5:
            setActingPose(0);
            if (!scatter) hitTarget(7 * gHitCount + 70);
            endScript();
            break;
        default: break;
    }
}

// ---- 22: a charged blade from a distance ----
void script22(const SkillFrame& f) {
    EffectSlot& blade = effectSlot(0);
    const bool enemy = enemyActs();
    switch (scriptStep()) {
        case 0: {
            clearKeyPressParameters();
            const int group[4] = {4, 6, 4, 6};
            for (int i = 0; i < 4; ++i) gKeyPressGame.keys[i] = group[i];
            gKeyPressGame.keys[5] = 0;
            gKeyPressGame.keys[7] = 4;
            beginLineToTarget();
            blade.kind = 3;
            blade.row = 3;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        }
        case 1: {
            if (!playSkillGame(f, kKeyPressKeyGroups, 5000, 4)) return;
            const BattleActor& t = targetActor();
            viewPoint(f, t.x + (enemy ? 2.0f : -2.0f), t.y, t.z, 6.0f);
            gMoveLine.end[0] += enemy ? 4.0f : -4.0f;
            applySkillMastery(4);
            break;
        }
        case 2: walkActor(); break;
        case 3: {
            const BattleActor& a = actingActor();
            setActingPose(6);
            showSlot(0, 3, 3, a.x + (enemy ? -1.5f : 0.5f), a.y, a.z);
            playSkillSound("Zoku_7_0.wav");
            gWaitCounter = 0;
            break;
        }
        case 4:
            drawEffects(f);
            if (!waitStep(40)) return;
            beginLineToTarget();
            gMoveLine.start[0] = blade.x;
            blade.active = 1;
            playSkillSound(kThrowSound);
            break;
        case 5:
            drawEffects(f);
            if (!flySlot(0, 0.5f)) return;
            blade.active = 0;
            hitTarget(40 * gHitCount + 55);
            beginHome();
            break;
        case 6: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 23: four throws from four corners ----
void script23(const SkillFrame& f) {
    EffectSlot& blade = effectSlot(0);
    const bool enemy = enemyActs();
    int& throwsDone = gShots;
    switch (scriptStep()) {
        case 0: {
            clearKeyPressParameters();
            const int group[4] = {4, 8, 6, 2};
            for (int i = 0; i < 4; ++i) gKeyPressGame.keys[i] = group[i];
            gKeyPressGame.keys[5] = 0;
            gKeyPressGame.keys[7] = 7;
            beginLineToTarget();
            blade.kind = 3;
            blade.row = 0;
            throwsDone = 0;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        }
        case 1:
            if (!playSkillGame(f, kKeyPressKeyGroups, 10000, 9)) return;
            if (enemy) gMoveLine.end[0] += 2.0f;
            gMoveLine.end[2] += 3.0f;
            viewPoint(f, 10, 1, 0, 7.0f);
            applySkillMastery(7);
            break;
        case 2: walkActor(); break;
        case 3:
            beginLineToTarget();
            gMoveLine.end[0] = targetActor().x;
            showSlot(0, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            playSkillSound(kThrowSound);
            setActingPose(6);
            break;
        case 4:
            drawEffects(f);
            if (!flySlot(0, 0.5f)) return;
            setActingPose(0);
            blade.active = 0;
            hitTarget(7 * gHitCount + 40);
            throwsDone += 1;
            if (throwsDone == 4) {
                jumpToStep(7);
                return;
            }
            if (throwsDone == 1) beginMoveOffset(0, 0, -6);
            if (throwsDone == 2) beginMoveOffset(6, 0, 0);
            if (throwsDone == 3) beginMoveOffset(0, 0, 6);
            break;
        case 5:
            if (!walkActor()) return;
            if (throwsDone == 2) actingActor().facing = 1;
            jumpToStep(3);
            break;
        case 7:
            actingActor().facing = 0;
            beginHome();
            break;
        case 8: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 30 to 32: stop the marker, then shoot ----
void placeMarker(float y) {
    const BattleActor& t = targetActor();
    showSlot(1, 4, 4, t.x + (enemyActs() ? 0.5f : -0.5f), y, t.z);
}

// Judges where the marker stopped (an enemy actor always hits).
bool markerHits(int code) {
    if (enemyActs()) return true;
    const EffectSlot& m = effectSlot(1);
    const BattleActor& t = targetActor();
    if (code == 30) return m.y < 1.25f;
    if (code == 31) return m.x > t.x - 1.0f;
    return m.z > t.z - 0.5f && m.z < t.z + 0.5f;
}

void script30to32(const SkillFrame& f, int code) {
    EffectSlot& marker = effectSlot(1);
    switch (scriptStep()) {
        case 0:
            setActingPose(5);
            placeMarker(code == 32 ? -0.5f : 0.0f);
            gMarkerHit = false;
            gRedrawRequest[1] = 2;
            break;
        case 1: {
            const int mode = code == 30 ? kKeyPressMarkerHeight : code == 31 ? kKeyPressMarkerAcross : kKeyPressMarkerDepth;
            if (!playSkillGame(f, mode, 0, 1)) return;
            if (enemyActs() && code == 30) marker.y = 0.0f;
            gMarkerHit = markerHits(code);
            gHitCount = gMarkerHit ? 1 : 0;
            applySkillMastery(1);
            beginLineToTarget();
            if (code == 30) gMoveLine.end[1] = marker.y;
            if (code == 31) {
                gMoveLine.end[0] = marker.x;
                gMoveLine.end[1] = marker.y;
                gMoveLine.end[2] = marker.z;
            }
            if (code == 32) gMoveLine.end[2] = marker.z;
            showSlot(0, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            if (code == 31) {
                showSlot(2, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
                showSlot(3, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
                for (bool& a : gArrived) a = false;
            }
            marker.active = 0;
            playSkillSound(kShotSound);
            setActingPose(6);
            break;
        }
        case 2:
            drawEffects(f);
            if (code == 31) {
                // Three shots on the one line: the line's frame advances once a frame.
                const int slots[3] = {0, 2, 3};
                const float speeds[3] = {1.0f, 4.0f, 7.0f};
                bool all = true;
                for (int i = 0; i < 3; ++i) {
                    const int done = stepActorMove(2, slots[i], speeds[i]);
                    if (done == 0 && i < 2) gMoveLine.frame -= 1;
                    if (done == 1 && !gArrived[i]) {
                        gArrived[i] = true;
                        effectSlot(slots[i]).active = 0;
                        if (gMarkerHit) hitTarget(80);
                        else missTarget();
                    }
                    all = all && gArrived[i];
                }
                if (!all) {
                    holdStep();
                    return;
                }
                setActingPose(0);
                endScript();
                return;
            }
            if (!flySlot(0, code == 30 ? 0.5f : 1.0f)) return;
            effectSlot(0).active = 0;
            setActingPose(0);
            if (!gMarkerHit) {
                missTarget();
                endScript();
                return;
            }
            hitTarget(code == 30 ? 135 : 140);
            if (code == 30) {
                endScript();
                return;
            }
            playSkillSound("Zoku_2_0.wav");
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[1] = 3.0f;
            break;
        case 3:
            if (!moveBattler(targetSide(), targetIndex(), 5.0f)) return;
            hitTarget(140);
            beginMoveHome(targetSide(), targetIndex());
            break;
        case 4:
            if (!moveBattler(targetSide(), targetIndex(), 5.0f)) return;
            endScript();
            break;
        default: break;
    }
}

// ---- 33: aim and fire up to ten shots ----
// The enemy slot whose actor stands where the marker points, or -1.
int enemyAtMarker() {
    const EffectSlot& m = effectSlot(1);
    for (int i = 0; i < kEnemySlotCount; ++i) {
        const BattleActor& a = gEnemyActors[i];
        if (gEnemyBattlers[i].monster != 0 && a.x == m.x + 0.5f && std::fabs(a.z - m.z) <= 0.5f) return i;
    }
    return -1;
}

void script33(const SkillFrame& f) {
    EffectSlot& marker = effectSlot(1);
    switch (scriptStep()) {
        case 0:
            placeMarker(-0.5f);
            applySkillMastery(0);
            gShots = 0;
            gAimMode = kKeyPressAimStart;
            gRedrawRequest[1] = 2;
            break;
        case 1: {
            if (gShots >= kAimShots) {
                endScript();
                return;
            }
            if (enemyActs()) {
                if (!pickRandomLivingOpponent()) {
                    endScript();
                    return;
                }
                gHitCount = 1;
                beginLineToTarget();
            } else {
                const int result = runKeyPressGame(f.resources, f.device, gAimMode, 0);
                if (result == kKeyPressGoesOn) {
                    holdStep();
                    return;
                }
                if (result == kKeyPressShotsUsed) {
                    endScript();
                    return;
                }
                gAimMode = kKeyPressAimGoOn;
                const BattleActor& a = actingActor();
                const float from[3] = {a.x, a.y, a.z};
                const float to[3] = {marker.x, marker.y, marker.z};
                lineFromTo(from, to);
                const int aimed = enemyAtMarker();
                gHitCount = aimed >= 0 ? 1 : 0;
                if (aimed >= 0) {
                    gBattleAction.targetSide = kSideEnemy;
                    gBattleAction.targetIndex = aimed;
                }
            }
            gShots += 1;
            setActingPose(6);
            showSlot(0, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            marker.active = 0;
            playSkillSound(kShotSound);
            break;
        }
        case 2:
            drawEffects(f);
            if (!flySlot(0, 1.0f)) return;
            effectSlot(0).active = 0;
            setActingPose(0);
            if (gHitCount == 1) hitTarget(95);
            jumpToStep(1);
            break;
        default: break;
    }
}

}  // namespace

void runWeaponSkills1to3(GraphicsResources& resources, gfx::Device* device, int code) {
    const SkillFrame f{resources, device};
    switch (code) {
        case 10: script10(f); break;
        case 11: script11(f); break;
        case 12: script12(f); break;
        case 13: script13(f); break;
        case 20: script20and21(f, false); break;
        case 21: script20and21(f, true); break;
        case 22: script22(f); break;
        case 23: script23(f); break;
        case 30:
        case 31:
        case 32: script30to32(f, code); break;
        case 33: script33(f); break;
        default:
            if (scriptStep() < kScriptEndStep) endScript();
            break;
    }
}
