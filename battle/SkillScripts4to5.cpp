// Weapon skills of categories 4 and 5 (codes 40 to 53): the lance's thrusts,
// charges, dives and aerial dashes, and the fist's blows and sky launch.
#include "battle/KeyPressGame.h"
#include "battle/SkillScriptSteps.h"
#include "battle/WeaponSkillAction.h"
#include "engine/GraphicsResources.h"
#include "engine/Random.h"
#include "engine/ResourcePaths.h"
#include "story/StoryState.h"

namespace {

const char* const kThrustSound = "Wepon_04_1.wav";
const char* const kLeapSound = "Wepon_04_0.wav";
const char* const kFistSound = "Wepon_05.wav";

void beginLineToTarget() { beginMoveToTarget(actingSide(), actingIndex(), targetSide(), targetIndex()); }
void beginHome() { beginMoveHome(actingSide(), actingIndex()); }
void walkHomeAndEnd() {
    if (!walkActor()) return;
    setActingPose(0);
    endScript();
}
// The actor's line to a fixed point of the field.
void beginLineToPoint(float x, float y, float z) {
    const BattleActor& a = actingActor();
    const float from[3] = {a.x, a.y, a.z};
    const float to[3] = {x, y, z};
    lineFromTo(from, to);
}
// Moves the acting battler showing `pose` all the way.
bool moveInPose(float framesPerUnit, int pose) {
    const bool arrived = walkActor(framesPerUnit);
    setActingPose(pose);
    return arrived;
}
// Toward the far side of the target: + for a party actor, - for an enemy.
float away(float d) { return enemyActs() ? -d : d; }

void armSequence(int n) {
    clearKeyPressParameters();
    for (int i = 0; i < n; ++i) gKeyPressGame.keys[i] = randomKeyPressKey();
    gKeyPressGame.noteCount = n;
}

void armGroup(const int keys[4], int newGroupEach, int miracleFrom) {
    clearKeyPressParameters();
    for (int i = 0; i < 4; ++i) gKeyPressGame.keys[i] = keys[i];
    gKeyPressGame.keys[5] = newGroupEach;
    gKeyPressGame.keys[7] = miracleFrom;
}

// ---- 40: thrusts while stepping through ----
void script40(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            armSequence(5);
            beginLineToTarget();
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            // The automatic battle of group 1 plays no game for the party.
            if (gBattleGroup == 1 && !enemyActs()) {
                gHitCount = 5;
            } else if (!playSkillGame(f, kKeyPressSequence, 2500, 5)) {
                return;
            }
            viewTarget(f, 6.0f);
            applySkillMastery(5);
            break;
        case 2: walkActor(); break;
        case 3:
            setActingPose(5);
            beginMoveOffset(1.0f, 0.0f, 0.0f);
            break;
        case 4: {
            const int old = gHitCount;
            gHitCount -= 1;
            if (old >= 0) {
                hitTarget(40);
                playSkillSound(kThrustSound);
            }
            break;
        }
        case 8: {
            const bool arrived = stepActorMove(0 + (enemyActs() ? 1 : 0), actingIndex(), 3.0f) == 1;
            setActingPose(6);
            if (!arrived) {
                jumpToStep(4);
                return;
            }
            beginHome();
            break;
        }
        case 9: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 41 and 52: a charge through the enemy line ----
void scriptCharge(const SkillFrame& f, int code) {
    switch (scriptStep()) {
        case 0: {
            clearKeyPressParameters();
            if (code == 41) {
                static const int kFirst[4][3] = {{1, 2, 4}, {7, 4, 8}, {3, 6, 2}, {9, 8, 6}};
                const int r = randomThousand() % 4;
                gKeyPressGame.keys[0] = kFirst[r][1];
                gKeyPressGame.keys[1] = kFirst[r][2];
                gKeyPressGame.keys[2] = kFirst[r][0];
            } else {
                gKeyPressGame.keys[0] = 10;
            }
            beginLineToPoint(10.0f, 0.0f, 10.0f);
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        }
        case 1:
            if (code == 41 ? !playSkillGame(f, kKeyPressChord, 3500, 5) : !playSkillGame(f, kKeyPressHoldRelease, 0, 1))
                return;
            viewPoint(f, 10, 1, 0, 6.0f);
            applySkillMastery(code == 41 ? 3 : 1);
            break;
        case 2: walkActor(); break;
        case 3:
            setActingPose(5);
            beginMoveOffset(9.0f, 0.0f, 0.0f);
            break;
        case 4:
            if (!moveInPose(0.4f, 6)) return;
            if (code == 41) {
                playSkillSound(kThrustSound);
                hitEveryOpponent(10 * gHitCount + 40);
                jumpToStep(7);
            }
            break;
        case 5:
            // 52: a sweep over every opponent, one more per success.
            playSkillSound(kThrustSound);
            hitEveryOpponent(40);
            gWaitCounter = 0;
            break;
        case 6: {
            if (!waitStep(15)) return;
            const int old = gHitCount;
            gHitCount -= 1;
            if (old > 0) jumpToStep(5);
            break;
        }
        case 7: beginHome(); break;
        case 8: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 42: a jump, a thrown lance, then a dive ----
void script42(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            armSequence(9);
            beginMoveOffset(2.0f, 3.0f, 0.0f);
            effectSlot(0).kind = 3;
            effectSlot(0).row = 0;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            if (!playSkillGame(f, kKeyPressSequence, 4500, 9)) return;
            viewPoint(f, 10, 1, 0, 7.0f);
            applySkillMastery(9);
            break;
        case 2:
            if (!moveInPose(3.0f, 2)) return;
            setActingPose(6);
            playSkillSound(kLeapSound);
            beginLineToTarget();
            showSlot(0, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            break;
        case 3:
            drawEffects(f);
            if (!flySlot(0, 0.6f)) return;
            effectSlot(0).active = 0;
            hitTarget(50);
            beginLineToTarget();
            break;
        case 4:
            if (!moveInPose(0.8f, 7)) return;
            hitTarget(13 * gHitCount + 50);
            playSkillSound(kThrustSound);
            beginHome();
            break;
        case 5: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 43: a lance thrown, the target lifted, dashes across it ----
void script43(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            int keys[4];
            for (int& k : keys) k = randomKeyPressKey();
            armGroup(keys, 1, 7);
            effectSlot(0).kind = 3;
            effectSlot(0).row = 0;
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        }
        case 1: {
            if (!playSkillGame(f, kKeyPressKeyGroups, 15000, 7)) return;
            const BattleActor& t = targetActor();
            viewPoint(f, t.x, t.y + 5.0f, t.z, 6.0f);
            applySkillMastery(7);
            setActingPose(6);
            playSkillSound(kLeapSound);
            beginLineToTarget();
            showSlot(0, 3, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            break;
        }
        case 2:
            drawEffects(f);
            if (!flySlot(0, 0.6f)) return;
            effectSlot(0).active = 0;
            hitTarget(50);
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[0] += away(1.0f);
            gMoveLine.end[1] = 5.0f;
            break;
        case 3:
            if (!moveBattler(targetSide(), targetIndex(), 3.0f)) return;
            beginLineToTarget();
            gMoveLine.end[0] -= away(1.0f);
            break;
        case 4:
            moveInPose(3.0f, 5);
            break;
        case 5:
            beginMoveOffset(4.0f, 0.0f, 0.0f);
            hitTarget(20);
            playSkillSound(kThrustSound);
            break;
        case 6:
            if (!moveInPose(1.0f, 6)) return;
            {
                const int old = gHitCount;
                gHitCount -= 1;
                if (old < 0) {
                    jumpToStep(9);
                    return;
                }
            }
            beginMoveOffset(-4.0f, 0.0f, 0.0f);
            hitTarget(20);
            playSkillSound(kThrustSound);
            break;
        case 7:
            if (!moveInPose(1.0f, 5)) return;
            {
                const int old = gHitCount;
                gHitCount -= 1;
                if (old >= 0) jumpToStep(5);
                else jumpToStep(9);
            }
            break;
        case 9:
            setActingPose(0);
            beginHome();
            break;
        case 10:
            if (!walkActor()) return;
            setActingPose(0);
            beginMoveHome(targetSide(), targetIndex());
            break;
        case 11:
            if (!moveBattler(targetSide(), targetIndex(), 3.0f)) return;
            endScript();
            break;
        default: break;
    }
}

// ---- 50 and 51: the fist's blows ----
void scriptBlows(const SkillFrame& f, int code) {
    switch (scriptStep()) {
        case 0:
            clearKeyPressParameters();
            if (code == 50) {
                armNoteLane(20, 1, 0.7f);
                gKeyPressGame.keys[0] = randomKeyPressKey();
            } else {
                const int group[4] = {8, 10, 2, 10};
                armGroup(group, 0, 4);
            }
            beginLineToTarget();
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            if (code == 50 ? !playSkillGame(f, kKeyPressNoteLane, 0, 4) : !playSkillGame(f, kKeyPressKeyGroups, 5000, 4))
                return;
            viewTarget(f, 6.0f);
            applySkillMastery(code == 50 ? 1 : 4);
            break;
        case 2: walkActor(); break;
        case 3:
            setActingPose(5);
            gWaitCounter = 0;
            break;
        case 4:
            if (!waitStep(code == 50 ? 15 : 10)) return;
            setActingPose(6);
            playSkillSound(kFistSound);
            if (code == 50) {
                hitTarget(15 * gHitCount + 90);
            } else {
                hitTarget(35);
                const int old = gHitCount;
                gHitCount -= 1;
                if (old > 0) {
                    jumpToStep(3);
                    return;
                }
            }
            beginHome();
            break;
        case 5: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 53: the target launched into the sky, the actor after it ----
void loadBackdrop(const SkillFrame& f, int bitmap) {
    if (f.device == nullptr) return;
    f.resources.pictureTexture.reset();
    f.resources.pictureTexture =
        f.device->createTextureFromFile(resources::bitmapPath(bitmap), false, gfx::TextureFormat::A8R8G8B8);
}

void script53(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            clearKeyPressParameters();
            gKeyPressGame.keys[0] = 10;
            gKeyPressGame.keys[1] = 0;
            beginLineToTarget();
            setActingPose(5);
            gRedrawRequest[1] = 2;
            break;
        case 1:
            if (!playSkillGame(f, kKeyPressMash, 3000, 15)) return;
            viewTarget(f, 6.0f);
            applySkillMastery(15);
            break;
        case 2:
            if (!moveInPose(3.0f, 5)) return;
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[0] += away(6.0f);
            gMoveLine.end[1] += 20.0f;
            playSkillSound("Zoku_2_0.wav");
            setActingPose(6);
            hitTarget(30);
            break;
        case 3: {
            const bool arrived = moveBattler(targetSide(), targetIndex(), 1.0f);
            setBattlerPose(targetSide(), targetIndex(), 3);
            if (!arrived) return;
            viewTarget(f, 6.0f);
            if (enemyActs()) gHitCount = 4;
            beginLineToTarget();
            gMoveLine.end[0] -= away(1.0f);
            gMoveLine.end[1] -= 1.0f;
            setActingPose(2);
            gSavedBattleBackground = gBattleBackground;
            gBattleBackground = 18;
            loadBackdrop(f, 240);
            break;
        }
        case 4:
            if (!moveInPose(2.0f, 5)) return;
            gWaitCounter = 0;
            break;
        case 5:
            if (!waitStep(30)) return;
            beginLineToTarget();
            gMoveLine.end[0] += away(2.0f);
            gMoveLine.end[1] += 1.0f;
            break;
        case 6:
            if (!moveInPose(1.0f, 6)) return;
            playSkillSound(kFistSound);
            hitTarget(15 * gHitCount + 50);
            setActingPose(6);
            gWaitCounter = 0;
            break;
        case 7:
            if (!waitStep(30)) return;
            gBattleBackground = gSavedBattleBackground;
            setActingPose(3);
            beginHome();
            break;
        case 8:
            if (!moveInPose(0.5f, 3)) return;
            setActingPose(0);
            if (gBattleBackground >= 0 && gBattleBackground <= 17) loadBackdrop(f, 222 + gBattleBackground);
            setBattlerPose(targetSide(), targetIndex(), 0);
            beginMoveHome(targetSide(), targetIndex());
            break;
        case 9:
            if (!moveBattler(targetSide(), targetIndex(), 0.5f)) return;
            endScript();
            break;
        default: break;
    }
}

}  // namespace

void runWeaponSkills4to5(GraphicsResources& resources, gfx::Device* device, int code) {
    const SkillFrame f{resources, device};
    switch (code) {
        case 40: script40(f); break;
        case 41:
        case 52: scriptCharge(f, code); break;
        case 42: script42(f); break;
        case 43: script43(f); break;
        case 50:
        case 51: scriptBlows(f, code); break;
        case 53: script53(f); break;
        default:
            if (scriptStep() < kScriptEndStep) endScript();
            break;
    }
}
