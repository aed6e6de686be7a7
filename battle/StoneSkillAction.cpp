#include "battle/StoneSkillAction.h"

#include <cstring>

#include "battle/EffectMesh.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"

// ---- the words ----

void castPose() { setBattlerPose(actingSide(), actingIndex(), 7); }

BattleActor& opposingTargetActor() { return actorOf(enemyActs() ? kSideParty : kSideEnemy, targetIndex()); }
BattleActor& ownSideTargetActor() { return actorOf(enemyActs() ? kSideEnemy : kSideParty, targetIndex()); }

void cameraOnPoint(const SkillFrame& f, float x, float y, float z) { viewPoint(f, x, y, z, 6.0f); }
void cameraOn(const SkillFrame& f, const BattleActor& a) { cameraOnPoint(f, a.x, a.y, a.z); }

void loadStoneMesh(const SkillFrame& f, int code) { loadEffectMesh(f.resources, f.device, code); }

void placeMeshSlot(int slot, int kind, float x, float y, float z, float scale, float opacity) {
    EffectSlot& s = effectSlot(slot);
    s.active = 1;
    s.kind = kind;
    s.x = x;
    s.y = y;
    s.z = z;
    s.scaleX = s.scaleY = s.scaleZ = scale;
    s.opacity = opacity;
    s.yaw = 0.0f;
}

void scaleSlot(int slot, float factor) {
    EffectSlot& s = effectSlot(slot);
    s.scaleX *= factor;
    s.scaleY *= factor;
    s.scaleZ *= factor;
}

void growSlot(int slot, float amount) {
    EffectSlot& s = effectSlot(slot);
    s.scaleX += amount;
    s.scaleY += amount;
    s.scaleZ += amount;
}

void endStoneScript() {
    endScript();
    setBattlerPose(actingSide(), actingIndex(), 0);
}

void endStoneScriptWithPanel() {
    endStoneScript();
    gRedrawRequest[0] = 2;
}

void magicAttackOn(int side, int index) {
    resolveEffect(actingSide(), actingIndex(), side, index, gStoneSkills[gBattleAction.pendingStoneSkill].power, 0,
                  kEffectMagic);
}

void healOn(int side, int index) {
    resolveEffect(actingSide(), actingIndex(), side, index, 10, gStoneSkills[gBattleAction.pendingStoneSkill].power,
                  kEffectHeal);
}

void grantOn(int side, int index, int effectType) { resolveEffect(0, 0, side, index, 0, 0, effectType); }

int everyOpposingBattler(int out[6]) {
    int n = 0;
    if (!enemyActs()) {
        for (int i = 0; i < kEnemySlotCount; ++i)
            if (gEnemyBattlers[i].monster != 0) out[n++] = i;
    } else if (gBattleSchedule.soloMode == 1) {
        out[n++] = kBodyguardLine;
    } else {
        for (int i = 0; i < 3; ++i)
            if (partyLineHolds(i)) out[n++] = i;
    }
    return n;
}

int everyLivingAlly(int out[6]) {
    int n = 0;
    if (enemyActs()) {
        for (int i = 0; i < kEnemySlotCount; ++i)
            if (gEnemyBattlers[i].monster != 0) out[n++] = i;
    } else if (gBattleSchedule.soloMode == 1) {
        out[n++] = kBodyguardLine;
    } else {
        for (int i = 0; i < 3; ++i)
            if (partyLineHolds(i) && partyLineHp(i) != 0) out[n++] = i;
    }
    return n;
}

void magicAttackEveryOpposing() {
    int set[6];
    const int n = everyOpposingBattler(set);
    for (int i = 0; i < n; ++i) magicAttackOn(targetSide(), set[i]);
}

void healEveryLivingAlly() {
    int set[6];
    const int n = everyLivingAlly(set);
    for (int i = 0; i < n; ++i) healOn(targetSide(), set[i]);
}

void grantEveryLivingAlly(int effectType) {
    int set[6];
    const int n = everyLivingAlly(set);
    for (int i = 0; i < n; ++i) grantOn(targetSide(), set[i], effectType);
}

void placeAllySlots(int kind, float scale, float opacity, float dy) {
    for (int i = 0; i < kEffectSlotCount; ++i) {
        EffectSlot& s = effectSlot(i);
        s.kind = kind;
        s.scaleX = s.scaleY = s.scaleZ = scale;
        s.opacity = opacity;
    }
    int set[6];
    const int n = everyLivingAlly(set);
    const int side = enemyActs() ? kSideEnemy : kSideParty;
    for (int i = 0; i < n; ++i) {
        const BattleActor& a = actorOf(side, set[i]);
        EffectSlot& s = effectSlot(set[i] == kBodyguardLine && side == kSideParty ? 0 : set[i]);
        s.active = 1;
        s.x = a.x;
        s.y = a.y + dy;
        s.z = a.z;
    }
    effectSlot(0).yaw = 0.0f;
}

namespace {

// Every slot of a living ally, for the turning and rising of codes 11 and 41.
template <typename Change>
void forAllySlots(Change change) {
    int set[6];
    const int n = everyLivingAlly(set);
    const bool party = !enemyActs();
    for (int i = 0; i < n; ++i) change(effectSlot(party && set[i] == kBodyguardLine ? 0 : set[i]));
}

int gFlight = 0;  // code 10: the body now in flight

// A wait whose changes run on every repetition but the last.
template <typename Change>
bool waitWithChanges(int n, Change change) {
    if (waitFrames(n) == 1) return true;
    change();
    holdStep();
    return false;
}

void script10(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 10);
            castPose();
            const float places[3][3] = {{11, 3, 8}, {12, 3, 6}, {13, 3, 3}};
            for (int i = 0; i < 3; ++i) {
                placeMeshSlot(i, 100, places[i][0], places[i][1], places[i][2], 0.6f, effectSlot(i).opacity);
                effectSlot(i).active = 0;
            }
            gFlight = 0;
            break;
        }
        case 1: {
            playSkillSound("Zoku_1_0.wav");
            EffectSlot& s = effectSlot(gFlight);
            s.active = 1;
            const float x = s.x, y = s.y, z = s.z;
            if (!enemyActs()) {
                const float from[3] = {x - 7.0f, y, z};
                const float to[3] = {x, y - 5.0f, z};
                lineFromTo(from, to);
            } else {
                const float from[3] = {x, y, z};
                const float to[3] = {x - 7.0f, y - 5.0f, z};
                lineFromTo(from, to);
            }
            drawEffects(f);
            break;
        }
        case 2:
            drawEffects(f);
            if (!flySlot(gFlight, 4.0f)) return;
            magicAttackEveryOpposing();
            effectSlot(gFlight).active = 0;
            gFlight += 1;
            if (gFlight < 3) {
                jumpToStep(1);
                return;
            }
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(20, [] {
                scaleSlot(0, 1.02f);
                effectSlot(0).yaw += 30.0f;
            });
            drawEffects(f);
            break;
        case 5: endStoneScript(); break;
        default: break;
    }
}

void script11(const SkillFrame& f) {
    static const int kGrants[5] = {kEffectGrantAttackUp, kEffectGrantAttackUp + 1, kEffectGrantAttackUp + 2,
                                   kEffectGrantAttackUp + 3, kEffectGrantAttackUp + 4};
    const int step = scriptStep();
    switch (step) {
        case 0:
            loadStoneMesh(f, 11);
            castPose();
            placeAllySlots(101, 0.5f, 0.75f, -0.5f);
            return;
        case 1: drawEffects(f); return;
        case 2:
            playSkillSound("Zoku_1_1.wav");
            drawEffects(f);
            gWaitCounter = 0;
            return;
        case 3:
            waitWithChanges(20, [] { forAllySlots([](EffectSlot& s) { s.yaw += 30.0f; }); });
            drawEffects(f);
            return;
        case 4:
            healEveryLivingAlly();
            gWaitCounter = 0;
            return;
        case 15: endStoneScript(); return;
        default: break;
    }
    if (step >= 5 && step <= 13 && step % 2 == 1) {
        waitStep(20);
    } else if (step >= 6 && step <= 14 && step % 2 == 0) {
        grantEveryLivingAlly(kGrants[(step - 6) / 2]);
        gWaitCounter = 0;
    }
}

// Codes 20, 21 and 31: a mesh that swells at one battler, then one effect.
void scriptSwell(const SkillFrame& f, int code) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, code);
            castPose();
            const BattleActor& a = code == 20 ? opposingTargetActor() : ownSideTargetActor();
            cameraOn(f, a);
            const float y = code == 20 ? a.y - 2.0f : code == 31 ? -5.0f : a.y;
            const int kind = code == 20 ? 102 : code == 21 ? 103 : 105;
            placeMeshSlot(0, kind, a.x, y, a.z, code == 20 ? 0.9f : 0.1f, code == 20 ? 0.8f : 0.5f);
            gMoveLine.start[0] = a.x;
            gMoveLine.start[1] = y;
            gMoveLine.start[2] = a.z;
            break;
        }
        case 2:
            playSkillSound(code == 31 ? "Zoku_3_1.wav" : "Zoku_2_0.wav");
            castPose();
            gWaitCounter = 0;
            break;
        case 3:
            if (code == 20)
                waitWithChanges(40, [] {
                    scaleSlot(0, 1.05f);
                    effectSlot(0).yaw += 20.0f;
                });
            else
                waitWithChanges(50, [] {
                    scaleSlot(0, 1.1f);
                    effectSlot(0).yaw += 1.0f;
                });
            drawEffects(f);
            break;
        case 4:
            if (code == 20) {
                magicAttackOn(targetSide(), targetIndex());
            } else if (code == 21) {
                grantOn(targetSide(), targetIndex(), kEffectGrantAttackUp);
            } else if (enemyActs() || targetSide() != kSideParty || partyLineHp(targetIndex()) == 0) {
                // The party revives only a member that has fallen.
                grantOn(targetSide(), targetIndex(), kEffectRevive);
            }
            break;
        case 5:
            if (code == 31) endStoneScriptWithPanel();
            break;
        case 8:
            if (code == 20) endStoneScript();
            else endStoneScriptWithPanel();
            break;
        default: break;
    }
}

void script30(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 30);
            castPose();
            const BattleActor& a = opposingTargetActor();
            cameraOn(f, a);
            placeMeshSlot(0, 104, a.x, a.y + 10.0f, a.z, 0.3f, 0.8f);
            const float from[3] = {a.x, a.y + 10.0f, a.z};
            const float to[3] = {a.x, 0.0f, a.z};
            lineFromTo(from, to);
            break;
        }
        case 1:
            castPose();
            drawEffects(f);
            break;
        case 2:
            castPose();
            effectSlot(0).yaw += 30.0f;
            drawEffects(f);
            if (!flySlot(0, 2.0f)) return;
            playSkillSound("Zoku_3_0.wav");
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(20, [] {
                scaleSlot(0, 1.02f);
                effectSlot(0).yaw += 30.0f;
            });
            drawEffects(f);
            break;
        case 4: magicAttackOn(targetSide(), targetIndex()); break;
        case 8: endStoneScript(); break;
        default: break;
    }
}

void script40(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0: {
            loadStoneMesh(f, 40);
            castPose();
            const float x = enemyActs() ? 4.0f : 16.0f;
            placeMeshSlot(0, 106, x, -3.0f, 10.0f, 2.3f, 0.75f);
            const float at[3] = {x, -3.0f, 10.0f};
            lineFromTo(at, at);
            break;
        }
        case 1: drawEffects(f); break;
        case 2:
            playSkillSound("Zoku_4_0.wav");
            effectSlot(0).yaw += 30.0f;
            drawEffects(f);
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(20, [] { effectSlot(0).yaw += 30.0f; });
            drawEffects(f);
            break;
        case 4: magicAttackEveryOpposing(); break;
        case 8: endStoneScript(); break;
        default: break;
    }
}

void script41(const SkillFrame& f) {
    switch (scriptStep()) {
        case 0:
            loadStoneMesh(f, 41);
            castPose();
            placeAllySlots(107, 1.0f, 0.7f, 0.0f);
            break;
        case 1: drawEffects(f); break;
        case 2:
            playSkillSound("Zoku_4_1.wav");
            drawEffects(f);
            gWaitCounter = 0;
            break;
        case 3:
            waitWithChanges(20, [] {
                forAllySlots([](EffectSlot& s) {
                    s.yaw += 30.0f;
                    s.y += 0.01f;
                });
            });
            drawEffects(f);
            break;
        case 4: healEveryLivingAlly(); break;
        case 5: endStoneScript(); break;
        default: break;
    }
}

bool runStoneSkills1to4(const SkillFrame& f, int code) {
    switch (code) {
        case 10: script10(f); return true;
        case 11: script11(f); return true;
        case 20:
        case 21:
        case 31: scriptSwell(f, code); return true;
        case 30: script30(f); return true;
        case 40: script40(f); return true;
        case 41: script41(f); return true;
        default: return false;
    }
}

void drawTitle(GraphicsResources& resources, gfx::Device* device, const StoneSkillRow& row) {
    if (device == nullptr) return;
    char name[sizeof row.name + 1];
    std::memcpy(name, row.name, sizeof row.name);
    name[sizeof row.name] = '\0';
    beginTextFont(device, 15, kMenuFontFace);
    drawText(resources, device, gfx::Rect{150, 4, 490, 24}, name, 32);
    const int boost = gBattleRewards.boostItem;
    if (boost > 0 && boost < kItemCount) {
        char item[sizeof gItems[boost].name + 1];
        std::memcpy(item, gItems[boost].name, sizeof gItems[boost].name);
        item[sizeof gItems[boost].name] = '\0';
        drawText(resources, device, gfx::Rect{150, 29, 490, 49}, item, 42);
    }
    endTextFont();
}

// The caster pays the cost in the action's first frame, whatever the layers do.
void payStoneSkillCost() {
    if (gBattleAction.step != 0 || gBattleAction.actionFrame != 0) return;
    if (actingSide() != kSideParty || gBattleSchedule.soloMode != 0) return;
    const int slot = actingIndex();
    if (slot < 0 || slot > 2) return;
    const int unit = gParty[slot];
    if (unit <= 0 || unit >= kUnitCount) return;
    PartyMember& m = gPartyMembers[unit];
    m.sp -= stoneSkillCost(unit, gBattleAction.pendingStoneSkill);
    if (m.sp < 0) m.sp = 0;
    gRedrawRequest[0] = 2;
}

}  // namespace

int stoneSkillCost(int unit, int row) {
    if (unit <= 0 || unit >= kUnitCount || row < 0 || row >= kStoneSkillCount) return 0;
    float multiplier = 1.0f;
    for (int item : gPartyMembers[unit].equipment) {
        if (item == 126) multiplier *= 2.0f;
        if (item == 129) multiplier *= 0.5f;
    }
    return static_cast<int>(static_cast<double>(gStoneSkills[row].spCost) * static_cast<double>(multiplier));
}

int pendingStoneSkillCode() {
    const int row = gBattleAction.pendingStoneSkill;
    if (row < 0 || row >= kStoneSkillCount) return -1;
    return gStoneSkills[row].attribute * 10 + gStoneSkills[row].level;
}

int runStoneSkillAction(GraphicsResources& resources, gfx::Device* device) {
    const SkillFrame f{resources, device};
    const int code = pendingStoneSkillCode();
    if (code >= 0) {
        payStoneSkillCost();
        if (gRedrawRequest[1] != 0) drawTitle(resources, device, gStoneSkills[gBattleAction.pendingStoneSkill]);
    }
    const bool ran = code >= 0 && (runStoneSkills1to4(f, code) || runStoneSkills5to9(f, code));
    // A code without a script ends at once.
    if (!ran && scriptStep() < kScriptEndStep) endScript();
    if (device != nullptr) {
        drawWindowFrame(resources, device, 150, 0, 340, 25);
        if (gBattleRewards.boostItem != 0) drawWindowFrame(resources, device, 150, 25, 340, 25);
    }
    gBattleAction.step += 1;
    gBattleAction.actionFrame += 1;
    if (gBattleAction.step >= kActionDoneStep) {
        gRedrawRequest[1] = 2;
        gBattleRewards.boostItem = 0;
        return 1;
    }
    return 0;
}
