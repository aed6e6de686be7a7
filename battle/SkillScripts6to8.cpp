// Techniques of codes 60 to 83: the fixed moves of enemies and of the called
// bodyguard. No key-press game; the score is fixed where a technique reads it.
#include "battle/KeyPressGame.h"
#include "battle/EffectMesh.h"
#include "battle/SkillScriptSteps.h"
#include "battle/WeaponSkillAction.h"

namespace {

int gProjectile = 0;  // code 61: the party slot the next projectile flies at

void beginLineToTarget() { beginMoveToTarget(actingSide(), actingIndex(), targetSide(), targetIndex()); }
void beginHome() { beginMoveHome(actingSide(), actingIndex()); }
void walkHomeAndEnd() {
    if (!walkActor()) return;
    setActingPose(0);
    endScript();
}
bool moveInPose(float framesPerUnit, int pose) {
    const bool arrived = walkActor(framesPerUnit);
    setActingPose(pose);
    return arrived;
}
float away(float d) { return enemyActs() ? -d : d; }
int opponentSide() { return enemyActs() ? kSideParty : kSideEnemy; }

// ---- 60: a rush through the target ----
void script60(const SkillFrame& f) {
    (void)f;
    switch (scriptStep()) {
        case 0:
            gHitCount = 4;
            beginLineToTarget();
            gMoveLine.end[1] += 0.5f;
            setActingPose(5);
            break;
        case 1:
            if (!moveInPose(3.0f, 5)) return;
            beginLineToTarget();
            gMoveLine.end[0] += away(2.0f);
            break;
        case 2:
            if (!moveInPose(1.5f, 6)) return;
            hitTarget(100);
            playSkillSound("Wepon_06.wav");
            gWaitCounter = 0;
            break;
        case 3:
            if (!waitStep(3)) return;
            beginHome();
            break;
        case 4: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 61: three shots from above, one at each party slot ----
void script61(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            gHitCount = 4;
            beginMoveOffset(0.0f, 5.0f, 0.0f);
            for (int i = 0; i < 3; ++i) {
                effectSlot(i).kind = 1;
                effectSlot(i).row = 0;
            }
            viewPoint(f, 10, 1, 0, 7.0f);
            break;
        case 1:
            if (!walkActor()) return;
            gWaitCounter = 0;
            break;
        case 2:
            if (!waitStep(3)) return;
            gProjectile = gBattleSchedule.soloMode == 1 ? kBodyguardLine : 0;
            break;
        case 3: {
            gBattleAction.targetSide = opponentSide();
            gBattleAction.targetIndex = gProjectile;
            beginLineToTarget();
            const int slot = gProjectile == kBodyguardLine ? 0 : gProjectile;
            showSlot(slot, 1, 0, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
            break;
        }
        case 4: {
            const int slot = gProjectile == kBodyguardLine ? 0 : gProjectile;
            drawEffects(f);
            if (!flySlot(slot, 0.2f)) return;
            effectSlot(slot).active = 0;
            playSkillSound("Wepon_06.wav");
            if (targetSide() == kSideEnemy || partyLineHolds(gProjectile)) hitTarget(80);
            gProjectile += 1;
            if (gProjectile < 3) {
                jumpToStep(3);
                return;
            }
            beginHome();
            break;
        }
        case 5: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 62: a leap and a dive ----
void script62(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            beginMoveOffset(2.0f, 4.0f, 0.0f);
            gMoveLine.end[1] += 5.0f;
            viewPoint(f, 10, 3, 0, 7.0f);
            break;
        case 1:
            if (!moveInPose(5.0f, 2)) return;
            beginLineToTarget();
            break;
        case 2:
            if (!moveInPose(0.8f, 6)) return;
            hitTarget(150);
            playSkillSound("Wepon_06.wav");
            setActingPose(7);
            beginHome();
            break;
        case 3: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 63 and 83: blows that drive the target back ----
// Steps 1 to 6 of both: h + 1 blows of 40, each knocking the target `knock`
// away and the actor following.
bool pummel(const char* sound, float knock, float knockSpeed, float followSpeed) {
    switch (scriptStep()) {
        case 1:
            if (!walkActor()) return false;
            setActingPose(5);
            gWaitCounter = 0;
            return false;
        case 2:
            if (!waitStep(10)) return false;
            setActingPose(6);
            hitTarget(40);
            playSkillSound(sound);
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[0] += away(knock);
            return false;
        case 3:
            moveBattler(targetSide(), targetIndex(), knockSpeed);
            return false;
        case 4:
            beginMoveInPlace(actingSide(), actingIndex());
            gMoveLine.end[0] += away(knock);
            return false;
        case 5:
            if (!walkActor(followSpeed)) return false;
            {
                const int old = gHitCount;
                gHitCount -= 1;
                if (old > 0) {
                    setActingPose(5);
                    gWaitCounter = 0;
                    jumpToStep(2);
                    return false;
                }
            }
            return true;
        default: return false;
    }
}

void script63(const SkillFrame& f) {
    (void)f;
    switch (scriptStep()) {
        case 0:
            gHitCount = 5;
            beginLineToTarget();
            gMoveLine.end[1] += 0.5f;
            break;
        case 1: case 2: case 3: case 4:
            pummel("Wepon_06.wav", 0.5f, 1.0f, 3.0f);
            break;
        case 5:
            if (!pummel("Wepon_06.wav", 0.5f, 1.0f, 3.0f)) return;
            beginHome();
            break;
        case 6:
            if (!walkActor()) return;
            setActingPose(0);
            beginMoveHome(targetSide(), targetIndex());
            break;
        case 7:
            if (!moveBattler(targetSide(), targetIndex(), 3.0f)) return;
            endScript();
            break;
        default: break;
    }
}

// ---- 70: two cuts, each a step deeper ----
void script70(const SkillFrame& f) {
    (void)f;
    switch (scriptStep()) {
        case 0:
            gHitCount = 4;
            beginLineToTarget();
            break;
        case 1:
            if (!moveInPose(3.0f, 5)) return;
            beginLineToTarget();
            gMoveLine.end[0] += away(0.5f);
            gMoveLine.end[1] += 0.25f;
            hitTarget(70);
            playSkillSound("Wepon_07.wav");
            break;
        case 2:
            if (!walkActor()) return;
            beginLineToTarget();
            gMoveLine.end[0] += away(1.0f);
            gMoveLine.end[1] += 0.5f;
            hitTarget(70);
            playSkillSound("Wepon_07.wav");
            setActingPose(6);
            break;
        case 3:
            if (!walkActor()) return;
            beginHome();
            break;
        case 4: walkHomeAndEnd(); break;
        default: break;
    }
}

// Sprites at every opponent hit by a group technique.
void markOpponents(bool bodyguardWhateverHp) {
    int set[6];
    const int n = everyOpponent(set, bodyguardWhateverHp);
    for (int i = 0; i < n; ++i) {
        const BattleActor& a = actorOf(opponentSide(), set[i]);
        showSlot(i, 0, 1, a.x, a.y, a.z - 0.1f);
    }
}

// ---- 71: a wind-up, then a blow on every opponent ----
void script71(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            viewPoint(f, 10, 1, 0, 6.0f);
            setActingPose(5);
            gWaitCounter = 0;
            break;
        case 1:
            if (!waitStep(10)) return;
            setActingPose(6);
            break;
        case 2:
            if (!waitStep(10)) return;
            setActingPose(0);
            break;
        case 3:
            if (!waitStep(20)) return;
            playSkillSound("Wepon_07.wav");
            hitEveryOpponent(60, true);
            markOpponents(true);
            break;
        case 4:
            drawEffects(f);
            if (!waitStep(10)) return;
            endScript();
            break;
        default: break;
    }
}

// ---- 72: cut through, back, and a third on the way home ----
void script72(const SkillFrame& f) {
    (void)f;
    switch (scriptStep()) {
        case 0:
            gHitCount = 4;
            beginLineToTarget();
            break;
        case 1:
            if (!moveInPose(3.0f, 5)) return;
            beginMoveOffset(2.0f, 0.0f, 0.0f);
            hitTarget(50);
            playSkillSound("Wepon_07.wav");
            setActingPose(6);
            break;
        case 2:
            if (!walkActor()) return;
            beginMoveOffset(-2.0f, 0.0f, 0.0f);
            hitTarget(50);
            break;
        case 3:
            if (!walkActor()) return;
            beginHome();
            hitTarget(50);
            break;
        case 4: walkHomeAndEnd(); break;
        default: break;
    }
}

}  // namespace

// 73 (and 105 without its mesh): a leap back and a dive on the field.
void runDiveOnTheField(const SkillFrame& f, bool withMesh, int power) {
    EffectSlot& mesh = effectSlot(0);
    switch (scriptStep()) {
        case 0:
            if (withMesh) loadEffectMesh(f.resources, f.device, 91);
            beginMoveOffset(-10.0f, 8.0f, 0.0f);
            viewPoint(f, gMoveLine.end[0], gMoveLine.end[1], gMoveLine.end[2], 6.0f);
            if (withMesh) {
                showSlot(0, 117, 0, 10.0f, 0.0f, 10.0f);
                mesh.scaleX = mesh.scaleY = mesh.scaleZ = 1.0f;
                mesh.active = 0;
            }
            break;
        case 1:
            if (!walkActor()) return;
            viewPoint(f, 10, 1, -5, 10.0f);
            setActingPose(5);
            gWaitCounter = 0;
            break;
        case 2: {
            if (!waitStep(20)) return;
            const BattleActor& a = actingActor();
            const float from[3] = {a.x, a.y, a.z};
            const float to[3] = {5.0f, 0.0f, 5.0f};
            lineFromTo(from, to);
            playSkillSound("Wepon_07.wav");
            break;
        }
        case 3: {
            if (!moveInPose(0.4f, 6)) return;
            if (gBattleSchedule.soloMode == 1 && enemyActs()) {
                // A lone bodyguard cannot stand this whatever its HP.
                if (withMesh) resolveEffect(0, 0, kSideParty, kBodyguardLine, 0, 99999, kEffectFixed);
                else hitEveryOpponent(power, true);
            } else {
                hitEveryOpponent(power, !withMesh);
            }
            if (!withMesh) markOpponents(true);
            beginHome();
            if (withMesh) {
                playSkillSound("Zoku_9_0.wav");
                mesh.active = 1;
            }
            gWaitCounter = 0;
            break;
        }
        case 4:
            if (withMesh) {
                mesh.scaleX += 0.3f;
                mesh.scaleY += 0.3f;
                mesh.scaleZ += 0.3f;
            }
            drawEffects(f);
            if (!waitStep(20)) return;
            mesh.active = 0;
            break;
        case 5: walkHomeAndEnd(); break;
        default: break;
    }
}

namespace {

// ---- 80: a rising cut ----
void script80(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            gHitCount = 4;
            beginLineToTarget();
            gMoveLine.end[0] = targetActor().x;
            viewTarget(f, 6.0f);
            break;
        case 1: {
            if (!moveInPose(3.0f, 5)) return;
            hitTarget(110);
            playSkillSound("Wepon_08.wav");
            const BattleActor& t = targetActor();
            beginMoveInPlace(actingSide(), actingIndex());
            gMoveLine.end[1] = t.y + 2.0f;
            setActingPose(6);
            break;
        }
        case 2:
            if (!moveInPose(3.0f, 6)) return;
            beginHome();
            break;
        case 3: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 81: two passes through a hopping target ----
void script81(const SkillFrame& f) {
    (void)f;
    switch (scriptStep()) {
        case 0:
            gHitCount = 4;
            beginLineToTarget();
            break;
        case 1:
            if (!walkActor()) return;
            playSkillSound("Taoreru.wav");
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[1] += 0.5f;
            break;
        case 2:
            if (!moveBattler(targetSide(), targetIndex(), 1.0f)) return;
            beginLineToTarget();
            gMoveLine.end[0] += away(3.0f);
            gMoveLine.end[1] += 0.5f;
            playSkillSound("Wepon_08.wav");
            break;
        case 3:
            if (!moveInPose(2.0f, 5)) return;
            hitTarget(70);
            playSkillSound("Taoreru.wav");
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[1] += 0.5f;
            break;
        case 4:
            if (!moveBattler(targetSide(), targetIndex(), 1.0f)) return;
            beginLineToTarget();
            playSkillSound("Wepon_08.wav");
            break;
        case 5:
            if (!walkActor(2.0f)) return;
            hitTarget(70);
            beginHome();
            break;
        case 6:
            if (!walkActor()) return;
            setActingPose(0);
            beginMoveHome(targetSide(), targetIndex());
            break;
        case 7:
            if (!moveBattler(targetSide(), targetIndex(), 0.5f)) return;
            endScript();
            break;
        default: break;
    }
}

// ---- 82: a charge through every opponent ----
void script82(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            const BattleActor& a = actingActor();
            const float from[3] = {a.x, a.y, a.z};
            const float to[3] = {10.0f, 0.0f, 10.0f};
            lineFromTo(from, to);
            viewPoint(f, 10, 1, 0, 6.0f);
            break;
        }
        case 1:
            if (!walkActor(1.0f)) return;
            setActingPose(5);
            beginMoveOffset(9.0f, 0.0f, 0.0f);
            break;
        case 2:
            if (!moveInPose(0.6f, 6)) return;
            playSkillSound("Wepon_08.wav");
            hitEveryOpponent(85);
            beginHome();
            break;
        case 3: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 83: blows, a lift, dashes across the lifted target, a last blow ----
void script83(const SkillFrame& f) {
    const char* const sound = "Wepon_08.wav";
    switch (scriptStep()) {
        case 0:
            gHitCount = 5;
            beginLineToTarget();
            gMoveLine.end[1] += 0.5f;
            break;
        case 1: case 2: case 3: case 4:
            pummel(sound, 0.2f, 0.5f, 2.0f);
            break;
        case 5:
            if (!pummel(sound, 0.2f, 0.5f, 2.0f)) return;
            playSkillSound("Zoku_2_0.wav");
            gHitCount = 7;
            beginMoveInPlace(targetSide(), targetIndex());
            gMoveLine.end[0] += away(1.0f);
            gMoveLine.end[1] = 5.0f;
            viewPoint(f, gMoveLine.end[0], gMoveLine.end[1], gMoveLine.end[2], 6.0f);
            break;
        case 6:
            if (!moveBattler(targetSide(), targetIndex(), 3.0f)) return;
            beginLineToTarget();
            gMoveLine.end[0] -= away(1.0f);
            break;
        case 7:
            moveInPose(3.0f, 5);
            break;
        case 8:
            beginMoveOffset(6.0f, 0.0f, 0.0f);
            hitTarget(30);
            playSkillSound(sound);
            break;
        case 9:
            if (!moveInPose(0.5f, 6)) return;
            {
                const int old = gHitCount;
                gHitCount -= 1;
                if (old < 0) {
                    jumpToStep(11);
                    return;
                }
            }
            beginMoveOffset(-6.0f, 0.0f, 0.0f);
            hitTarget(30);
            playSkillSound(sound);
            break;
        case 10:
            if (!moveInPose(0.5f, 5)) return;
            {
                const int old = gHitCount;
                gHitCount -= 1;
                jumpToStep(old >= 0 ? 8 : 11);
            }
            break;
        case 11:
            setActingPose(0);
            beginMoveHome(targetSide(), targetIndex());
            break;
        case 12:
            if (!moveBattler(targetSide(), targetIndex(), 3.0f)) return;
            beginLineToTarget();
            viewPoint(f, gMoveLine.end[0], gMoveLine.end[1], gMoveLine.end[2], 6.0f);
            break;
        case 13:
            if (!walkActor()) return;
            playSkillSound(sound);
            hitTarget(200);
            gWaitCounter = 0;
            break;
        case 14:
            if (!waitStep(15)) return;
            beginHome();
            break;
        case 15: walkHomeAndEnd(); break;
        default: break;
    }
}

}  // namespace

void runWeaponSkills6to8(GraphicsResources& resources, gfx::Device* device, int code) {
    const SkillFrame f{resources, device};
    switch (code) {
        case 60: script60(f); break;
        case 61: script61(f); break;
        case 62: script62(f); break;
        case 63: script63(f); break;
        case 70: script70(f); break;
        case 71: script71(f); break;
        case 72: script72(f); break;
        case 73: runDiveOnTheField(f, true, 170); break;
        case 80: script80(f); break;
        case 81: script81(f); break;
        case 82: script82(f); break;
        case 83: script83(f); break;
        default:
            if (scriptStep() < kScriptEndStep) endScript();
            break;
    }
}
