// Stone skills of attributes 5 to 9 (codes 50 to 91) and the two changes of
// form (94, 95), in the frame of StoneSkillAction.cpp.
#include <cmath>

#include "battle/StoneSkillAction.h"
#include "gamedata/GameData.h"

namespace {

template <typename Change>
bool waitWithChanges(int n, Change change) {
    if (waitFrames(n) == 1) return true;
    change();
    holdStep();
    return false;
}

// ---- 50: the camera sweeps the field, then every battler is struck ----
void script50(const SkillFrame& f) {
    static const float kViews[5][4] = {
        {20, 4, 20, 4.0f}, {-10, -2, -10, 6.0f}, {20, -2, 20, 9.0f}, {20, 4, -10, 3.0f}, {10, 1, 0, 6.0f}};
    const int step = scriptStep();
    if (step == 0) {
        castPose();
    } else if (step == 1) {
        playSkillSound("Zoku_5_0.wav");
    } else if (step >= 3 && step <= 11 && step % 2 == 1) {
        const float* v = kViews[(step - 3) / 2];
        viewPoint(f, v[0], v[1], v[2], v[3]);
        gWaitCounter = 0;
    } else if (step >= 4 && step <= 10 && step % 2 == 0) {
        waitStep(2);
    } else if (step == 12) {
        // Both sides, the caster's own included.
        if (gBattleSchedule.soloMode == 1) {
            magicAttackOn(kSideParty, kBodyguardLine);
        } else {
            for (int i = 0; i < 3; ++i)
                if (partyLineHolds(i)) magicAttackOn(kSideParty, i);
        }
        for (int i = 0; i < kEnemySlotCount; ++i)
            if (gEnemyBattlers[i].monster != 0) magicAttackOn(kSideEnemy, i);
    } else if (step == 13) {
        endStoneScript();
    }
}

// ---- 51 and 91: a swelling mesh at an ally, then a status ----
void scriptGrant(const SkillFrame& f, int code) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, code);
            castPose();
            const BattleActor& a = ownSideTargetActor();
            cameraOn(f, a);
            const float dx = code == 51 ? (enemyActs() ? -1.0f : 1.0f) : 0.0f;
            placeMeshSlot(0, code == 51 ? 109 : 117, a.x + dx, a.y, a.z, 1.0f, code == 51 ? effectSlot(0).opacity : 0.75f);
            break;
        }
        case 2:
            playSkillSound(code == 51 ? "Zoku_5_1.wav" : "Zoku_9_1.wav");
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(50, [] { scaleSlot(0, 1.01f); });
            drawEffects(f);
            break;
        case 4:
            grantOn(targetSide(), targetIndex(), code == 51 ? kEffectGrantAttackUp + 1 : kEffectGrantAttackUp + 2);
            break;
        case 6:
            if (code == 91) endStoneScriptWithPanel();
            break;
        case 8:
            if (code == 51) endStoneScriptWithPanel();
            break;
        default: break;
    }
}

// ---- 60 and 61: a turning column ----
void script60and61(const SkillFrame& f, int code) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, code);
            castPose();
            if (code == 60) {
                const BattleActor& a = opposingTargetActor();
                cameraOn(f, a);
                placeMeshSlot(0, 110, a.x, a.y, a.z, 1.0f, 0.8f);
                EffectSlot& s = effectSlot(0);
                s.scaleX = s.scaleZ = 0.1f;
                s.scaleY = 10.0f;
                const float at[3] = {a.x, a.y, a.z};
                lineFromTo(at, at);
            } else {
                const BattleActor& a = ownSideTargetActor();
                cameraOn(f, a);
                placeMeshSlot(0, 111, a.x, a.y - 0.5f, a.z, 0.1f, 0.75f);
                gMoveLine.start[0] = a.x;
                gMoveLine.start[1] = a.y - 0.5f;
                gMoveLine.start[2] = a.z;
            }
            break;
        }
        case 2:
            playSkillSound("Zoku_6_0.wav");
            castPose();
            gWaitCounter = 0;
            break;
        case 3:
            if (code == 60)
                waitWithChanges(20, [] {
                    scaleSlot(0, 1.02f);
                    effectSlot(0).yaw += 30.0f;
                });
            else
                waitWithChanges(50, [] {
                    scaleSlot(0, 1.1f);
                    effectSlot(0).yaw += 1.0f;
                });
            drawEffects(f);
            break;
        case 4:
            if (code == 60) magicAttackOn(targetSide(), targetIndex());
            else grantOn(targetSide(), targetIndex(), kEffectGrantAttackUp + 3);
            break;
        case 8:
            if (code == 60) endStoneScript();
            else endStoneScriptWithPanel();
            break;
        default: break;
    }
}

// ---- 70: a body thrown up to a point and down onto the target ----
void script70(const SkillFrame& f) {
    EffectSlot& s = effectSlot(0);
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 70);
            castPose();
            const BattleActor& a = actingActor();
            placeMeshSlot(0, 112, a.x, a.y + 1.5f, a.z, 0.2f, s.opacity);
            gMoveLine.start[0] = a.x;
            gMoveLine.start[1] = a.y + 1.5f;
            gMoveLine.start[2] = a.z;
            break;
        }
        case 2:
            playSkillSound("Zoku_7_0.wav");
            castPose();
            gMoveLine.end[0] = gMoveLine.end[1] = gMoveLine.end[2] = 5.0f;
            gMoveLine.frame = 0;
            drawEffects(f);
            break;
        case 3:
            castPose();
            s.yaw += 2.5f;
            growSlot(0, 0.005f);
            drawEffects(f);
            if (!flySlot(0, 10.0f)) return;
            beginMoveToTarget(actingSide(), actingIndex(), targetSide(), targetIndex());
            gMoveLine.end[0] += 0.5f;
            gMoveLine.start[0] = gMoveLine.start[1] = gMoveLine.start[2] = 5.0f;
            break;
        case 4:
            castPose();
            s.yaw += 5.0f;
            growSlot(0, 0.01f);
            drawEffects(f);
            flySlot(0, 2.0f);
            break;
        case 5:
            playSkillSound("Taoreru.wav");
            s.yaw += 10.0f;
            gWaitCounter = 0;
            drawEffects(f);
            break;
        case 6:
            waitWithChanges(20, [&s] { s.yaw += 10.0f; });
            drawEffects(f);
            break;
        case 7: magicAttackOn(targetSide(), targetIndex()); break;
        case 8: endStoneScript(); break;
        default: break;
    }
}

// ---- 71: a small body circles the target ----
void script71(const SkillFrame& f) {
    EffectSlot& s = effectSlot(0);
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 71);
            castPose();
            placeMeshSlot(0, 113, s.x, targetActor().y, s.z, 0.2f, s.opacity);
            cameraOn(f, ownSideTargetActor());
            break;
        }
        case 2:
            playSkillSound("Zoku_7_1.wav");
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(40, [&s] {
                castPose();
                const BattleActor& t = targetActor();
                const float angle = 20.0f * static_cast<float>(gBattleAction.actionFrame % 18) * 3.14159265f / 180.0f;
                s.x = t.x + std::sin(angle);
                s.z = t.z + std::cos(angle);
                s.y += 0.005f;
            });
            drawEffects(f);
            break;
        case 7: healOn(targetSide(), targetIndex()); break;
        case 8: endStoneScript(); break;
        default: break;
    }
}

// ---- 80: five bodies close in on the middle of the opposing side ----
void script80(const SkillFrame& f) {
    const float mx = enemyActs() ? 4.0f : 16.0f;
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 80);
            castPose();
            for (int i = 0; i < 5; ++i) placeMeshSlot(i, 114, mx, 0.0f, 10.0f, 0.5f, 0.8f);
            effectSlot(0).y += 4.0f;
            effectSlot(1).x -= 4.0f;
            effectSlot(2).x += 4.0f;
            effectSlot(3).z -= 4.0f;
            effectSlot(4).z += 4.0f;
            const float m[3] = {mx, 0.0f, 10.0f};
            lineFromTo(m, m);
            break;
        }
        case 1:
            castPose();
            drawEffects(f);
            break;
        case 2: {
            const float from[5][3] = {{mx, 4, 10}, {mx - 4, 0, 10}, {mx + 4, 0, 10}, {mx, 0, 6}, {mx, 0, 14}};
            int last = 0;
            for (int i = 0; i < 5; ++i) {
                for (int k = 0; k < 3; ++k) gMoveLine.start[k] = from[i][k];
                gMoveLine.end[0] = mx;
                gMoveLine.end[1] = 0.0f;
                gMoveLine.end[2] = 10.0f;
                last = stepActorMove(2, i, 30.0f);
                growSlot(i, 0.05f);
            }
            if (last == 0) holdStep();
            else playSkillSound("Zoku_8_0.wav");
            drawEffects(f);
            break;
        }
        case 3: magicAttackEveryOpposing(); break;
        case 4: endStoneScript(); break;
        default: break;
    }
}

// ---- 81: bodies sink onto every ally ----
void script81(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            loadStoneMesh(f, 81);
            castPose();
            placeAllySlots(115, 1.0f, 0.5f, 0.0f);
            for (int i = 0; i < kEffectSlotCount; ++i) effectSlot(i).y = 10.0f;
            break;
        case 1: drawEffects(f); break;
        case 2:
            playSkillSound("Zoku_8_1.wav");
            drawEffects(f);
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(20, [] {
                for (int i = 0; i < kEffectSlotCount; ++i)
                    if (effectSlot(i).active) effectSlot(i).y -= 0.5f;
            });
            drawEffects(f);
            break;
        case 4: healEveryLivingAlly(); break;
        case 5: endStoneScript(); break;
        default: break;
    }
}

// ---- 90: a body rises under the target ----
void script90(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 90);
            castPose();
            const BattleActor& a = opposingTargetActor();
            placeMeshSlot(0, 116, a.x, a.y - 1.5f, a.z, 1.0f, 0.8f);
            const float from[3] = {a.x, a.y - 1.5f, a.z};
            const float to[3] = {a.x, 0.0f, a.z};
            lineFromTo(from, to);
            break;
        }
        case 2:
            playSkillSound("Zoku_9_0.wav");
            castPose();
            drawEffects(f);
            break;
        case 3:
            castPose();
            growSlot(0, 0.01f);
            drawEffects(f);
            if (!flySlot(0, 15.0f)) return;
            gWaitCounter = 0;
            break;
        case 6:
            waitStep(20);
            drawEffects(f);
            break;
        case 7: magicAttackOn(targetSide(), targetIndex()); break;
        case 8: endStoneScript(); break;
        default: break;
    }
}

// ---- 94 and 95: enemy slot 0 changes form, keeping its HP and statuses ----
void scriptChangeOfForm(int code) {
    switch (scriptStep()) {
        case 0:
            gEnemyBattlers[0].monster = code == 94 ? 45 : 44;
            gWaitCounter = 0;
            break;
        case 1: waitStep(40); break;
        case 2: endScript(); break;
        default: break;
    }
}

}  // namespace

bool runStoneSkills5to9(const SkillFrame& f, int code) {
    switch (code) {
        case 50: script50(f); return true;
        case 51:
        case 91: scriptGrant(f, code); return true;
        case 60:
        case 61: script60and61(f, code); return true;
        case 70: script70(f); return true;
        case 71: script71(f); return true;
        case 80: script80(f); return true;
        case 81: script81(f); return true;
        case 90: script90(f); return true;
        case 94:
        case 95: scriptChangeOfForm(code); return true;
        default: return false;
    }
}
