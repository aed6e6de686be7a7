// Techniques of codes 90 to 93 (the thrown and shot ones) and the special
// actions 100 to 107: the split, flight, the fall back, reinforcements, the
// heavy blow, the great dive and the steal.
#include <cstdio>
#include <cstring>

#include "battle/KeyPressGame.h"
#include "battle/SkillScriptSteps.h"
#include "battle/WeaponSkillAction.h"
#include "engine/Random.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"

namespace {

int gPasses = 0;  // code 93: shots fired; codes 100 and 103: the slot walking home

const char* const kShotSound = "Wepon_09.wav";

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
void projectileAtLineStart(int kind, int row) {
    showSlot(0, kind, row, gMoveLine.start[0], gMoveLine.start[1], gMoveLine.start[2]);
}

// ---- 90 and 91: thrown stars ----
void script90and91(const SkillFrame& f, int code) {
    switch (scriptStep()) {
        case 0: {
            gHitCount = 4;
            beginLineToTarget();
            gMoveLine.start[1] += 1.0f;
            gMoveLine.end[1] += 0.3f;
            projectileAtLineStart(4, 0);
            if (code == 91) {
                const BattleActor& t = targetActor();
                showSlot(1, 3, 2, t.x, t.y, t.z);
                effectSlot(1).active = 0;
            }
            viewPoint(f, 10, 1, 0, 7.0f);
            setActingPose(6);
            playSkillSound(kShotSound);
            gWaitCounter = 0;
            break;
        }
        case 1:
            drawEffects(f);
            if (code == 91 && !waitStep(3)) return;
            break;
        case 2:
            drawEffects(f);
            if (!flySlot(0, 0.6f)) return;
            if (code == 90) {
                hitTarget(40);
                beginLineToTarget();
                projectileAtLineStart(4, 0);
                playSkillSound(kShotSound);
            } else {
                playSkillSound("Zoku_3_0.wav");
                effectSlot(0).active = 0;
                gWaitCounter = 0;
            }
            break;
        case 3:
            drawEffects(f);
            if (code == 90) {
                if (!flySlot(0, 0.6f)) return;
                effectSlot(0).active = 0;
                hitTarget(40);
            } else {
                if (!waitStep(3)) return;
                effectSlot(1).active = 1;
                hitTarget(90);
            }
            setActingPose(0);
            endScript();
            break;
        default: break;
    }
}

// ---- 92: a step in, a star, two bursts ----
void script92(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            gHitCount = 4;
            beginMoveOffset(3.0f, 0.0f, 0.0f);
            const BattleActor& t = targetActor();
            showSlot(1, 2, 3, t.x, t.y, t.z);
            effectSlot(1).active = 0;
            setActingPose(5);
            break;
        }
        case 1:
            if (!moveInPose(3.0f, 5)) return;
            setActingPose(6);
            beginLineToTarget();
            projectileAtLineStart(4, 0);
            playSkillSound(kShotSound);
            gWaitCounter = 0;
            break;
        case 2:
            drawEffects(f);
            if (!waitStep(3)) return;
            break;
        case 3:
            drawEffects(f);
            if (!flySlot(0, 0.6f)) return;
            effectSlot(0).active = 0;
            playSkillSound("Zoku_6_0.wav");
            gWaitCounter = 0;
            break;
        case 4:
            effectSlot(1).active = 1;
            drawEffects(f);
            if (!waitStep(15)) return;
            hitTarget(90);
            playSkillSound("Zoku_6_0.wav");
            break;
        case 5:
            drawEffects(f);
            if (!waitStep(15)) return;
            hitTarget(90);
            effectSlot(1).active = 0;
            beginHome();
            break;
        case 6: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 93: five shots from above at random opponents ----
void script93(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            gHitCount = 5;
            gPasses = 0;
            beginMoveOffset(0.0f, 5.0f, 0.0f);
            viewPoint(f, 10, 1, 0, 7.0f);
            break;
        case 1:
            if (!moveInPose(3.0f, 5)) return;
            gWaitCounter = 0;
            break;
        case 2:
            gHitCount = 5;
            if (gPasses >= gHitCount || !anyLivingOpponent(true)) {
                jumpToStep(6);
                return;
            }
            if (!waitStep(3)) return;
            break;
        case 3:
            pickRandomLivingOpponent(true);
            beginLineToTarget();
            projectileAtLineStart(4, 0);
            playSkillSound(kShotSound);
            break;
        case 4:
            drawEffects(f);
            setActingPose(6);
            if (!flySlot(0, 0.5f)) return;
            effectSlot(0).active = 0;
            setActingPose(0);
            hitTarget(50);
            gWaitCounter = 0;
            break;
        case 5:
            if (!waitStep(30)) return;
            gPasses += 1;
            setActingPose(5);
            jumpToStep(2);
            break;
        case 6: beginHome(); break;
        case 7: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 100: the split into three ----
void script100(const SkillFrame& f) {
    (void)f;
    const int self = actingIndex();
    switch (scriptStep()) {
        case 0: {
            if (!enemyActs() || self < 0 || self >= kEnemySlotCount) {
                endScript();
                return;
            }
            const EnemyBattler me = gEnemyBattlers[self];
            for (int i = 0; i < 3; ++i) {
                gEnemyBattlers[i].actionValue = 0;
                if (i != self) gEnemyBattlers[i].monster = 0;
            }
            gEnemyBattlers[self] = me;
            gEnemyBattlers[self].actionValue = self < 3 ? 0 : me.actionValue;
            const BattleActor& a = actingActor();
            const float from[3] = {a.x, a.y, a.z};
            lineFromTo(from, gEnemyHomes[0]);
            break;
        }
        case 1: {
            if (!walkActor()) return;
            const EnemyBattler me = gEnemyBattlers[self];
            const int r = randomThousand() % 3;
            const int next = me.monster + 1 < kMonsterCount ? me.monster + 1 : me.monster;
            for (int i = 0; i < 3; ++i) {
                EnemyBattler& e = gEnemyBattlers[i];
                gEnemyActors[i].x = actingActor().x;
                gEnemyActors[i].y = actingActor().y;
                gEnemyActors[i].z = actingActor().z;
                e.monster = i == r ? me.monster : next;
                e.hp = i == r ? me.hp : gMonsters[e.monster].hp;
                e.maxHp = gMonsters[e.monster].hp;
                for (int s = 0; s <= 8; ++s) e.status[s] = me.status[s];
                e.dropRolled = 0;
                e.actionValue = 0;
            }
            if (self >= 3) gEnemyBattlers[self].monster = 0;
            gPasses = 0;
            beginMoveHome(kSideEnemy, 0);
            break;
        }
        case 2:
            if (!moveBattler(kSideEnemy, gPasses, 3.0f)) return;
            gPasses += 1;
            if (gPasses < 3) {
                beginMoveHome(kSideEnemy, gPasses);
                holdStep();
                return;
            }
            endScript();
            break;
        default: break;
    }
}

// ---- 101: flight ----
void script101() {
    switch (scriptStep()) {
        case 0: {
            const BattleActor& a = actingActor();
            const float from[3] = {a.x, a.y, a.z};
            const float to[3] = {a.x + (enemyActs() ? 9.0f : -9.0f), a.y + 6.0f, a.z};
            lineFromTo(from, to);
            break;
        }
        case 1:
            if (!walkActor()) return;
            if (enemyActs() && actingIndex() >= 0 && actingIndex() < kEnemySlotCount)
                gEnemyBattlers[actingIndex()].monster = 0;
            endScript();
            break;
        default: break;
    }
}

// ---- 102: back home ----
void script102() {
    switch (scriptStep()) {
        case 0: beginHome(); break;
        case 1:
            if (!walkActor()) return;
            playSkillSound("Taoreru.wav");
            endScript();
            break;
        default: break;
    }
}

// ---- 103: reinforcements fill the empty places of the group ----
int nextEmptyPlace(int from) {
    if (gBattleGroup < 0 || gBattleGroup >= kEnemyGroupCount) return -1;
    for (int i = from; i < kEnemySlotCount; ++i) {
        const int monster = gEnemyGroups[gBattleGroup].monsters[i];
        if (gEnemyBattlers[i].monster == 0 && monster > 0 && monster < kMonsterCount) return i;
    }
    return -1;
}

void script103() {
    switch (scriptStep()) {
        case 0: {
            gPasses = nextEmptyPlace(0);
            if (gPasses < 0) {
                endScript();
                return;
            }
            EnemyBattler& e = gEnemyBattlers[gPasses];
            e.monster = gEnemyGroups[gBattleGroup].monsters[gPasses];
            e.hp = e.maxHp = gMonsters[e.monster].hp;
            for (auto& s : e.status) s = 0;
            e.dropRolled = 0;
            gEnemyActors[gPasses].x = gEnemyHomes[gPasses][0] + 9.0f;
            gEnemyActors[gPasses].y = gEnemyHomes[gPasses][1];
            gEnemyActors[gPasses].z = gEnemyHomes[gPasses][2];
            beginMoveHome(kSideEnemy, gPasses);
            break;
        }
        case 1:
            if (!moveBattler(kSideEnemy, gPasses, 3.0f)) return;
            jumpToStep(0);
            break;
        default: break;
    }
}

// ---- 104: a heavy blow ----
void script104(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            beginLineToTarget();
            viewTarget(f, 6.0f);
            break;
        case 1:
            if (!walkActor()) return;
            setActingPose(5);
            gWaitCounter = 0;
            break;
        case 2:
            if (!waitStep(15)) return;
            setActingPose(6);
            hitTarget(250);
            playSkillSound("Wepon_05.wav");
            beginHome();
            break;
        case 3: walkHomeAndEnd(); break;
        default: break;
    }
}

// ---- 106 and 107: the steal ----
void stealFromTarget() {
    const int slot = targetIndex();
    const char* nothing = "何も持っていない";
    if (targetSide() != kSideEnemy || slot < 0 || slot >= kEnemySlotCount) {
        std::snprintf(gStealBanner, sizeof gStealBanner, "%s", nothing);
        return;
    }
    EnemyBattler& e = gEnemyBattlers[slot];
    const int monster = e.monster;
    const int item = monster > 0 && monster < kMonsterCount ? gMonsters[monster].dropItem : 0;
    if (e.dropRolled == 1 || item <= 0 || item >= kItemCount) {
        std::snprintf(gStealBanner, sizeof gStealBanner, "%s", nothing);
        return;
    }
    e.dropRolled = 1;
    if (gItemStock[item].owned < kOwnedItemCap) gItemStock[item].owned += 1;
    char name[sizeof gItems[item].name + 1];
    std::memcpy(name, gItems[item].name, sizeof gItems[item].name);
    name[sizeof gItems[item].name] = '\0';
    std::snprintf(gStealBanner, sizeof gStealBanner, "〝%s”を盗んだ", name);
}

void scriptSteal(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            gStealBanner[0] = '\0';
            beginLineToTarget();
            viewTarget(f, 6.0f);
            break;
        case 1:
            if (!walkActor()) return;
            setActingPose(5);
            beginMoveOffset(5.0f, 0.0f, 0.0f);
            break;
        case 2:
            if (!walkActor()) return;
            playSkillSound("Wepon_05.wav");
            hitTarget(100);
            stealFromTarget();
            gRedrawRequest[1] = 2;
            gWaitCounter = 0;
            break;
        case 3:
            if (!waitStep(30)) return;
            beginHome();
            break;
        case 4: walkHomeAndEnd(); break;
        default: break;
    }
}

}  // namespace

void runThrownAndMonsterMoves(GraphicsResources& resources, gfx::Device* device, int code) {
    const SkillFrame f{resources, device};
    switch (code) {
        case 90:
        case 91: script90and91(f, code); break;
        case 92: script92(f); break;
        case 93: script93(f); break;
        case 100: script100(f); break;
        case 101: script101(); break;
        case 102: script102(); break;
        case 103: script103(); break;
        case 104: script104(f); break;
        case 105: runDiveOnTheField(f, false, 1000); break;
        case 106:
        case 107: scriptSteal(f); break;
        default:
            if (scriptStep() < kScriptEndStep) endScript();
            break;
    }
}
