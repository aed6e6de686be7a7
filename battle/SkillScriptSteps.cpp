#include "battle/SkillScriptSteps.h"

#include "battle/KeyPressGame.h"
#include "engine/Random.h"
#include "gamedata/GameData.h"

namespace {
BattleActor gSpareActor{};
EffectSlot gSpareSlot{};
}  // namespace

BattleActor& actorOf(int side, int index) {
    if (side == kSideParty && index >= 0 && index < kPartyLineCount) return gPartyActors[index];
    if (side == kSideEnemy && index >= 0 && index < kEnemySlotCount) return gEnemyActors[index];
    gSpareActor = BattleActor{};
    return gSpareActor;
}

BattleActor& actingActor() { return actorOf(actingSide(), actingIndex()); }
BattleActor& targetActor() { return actorOf(targetSide(), targetIndex()); }

void setBattlerPose(int side, int index, int pose) {
    if (side == kSideParty) {
        if (index >= 0 && index < kPartyLineCount) gPartyActors[index].pose = pose;
        return;
    }
    if (index < 0 || index >= kEnemySlotCount) return;
    gEnemyActors[index].pose = gEnemyBattlers[index].hp == 0 ? 3 : pose;
}

void setActingPose(int pose) { setBattlerPose(actingSide(), actingIndex(), pose); }

bool walkActor(float framesPerUnit) { return moveBattler(actingSide(), actingIndex(), framesPerUnit); }

bool moveBattler(int side, int index, float framesPerUnit) {
    if (stepActorMove(side == kSideParty ? 0 : 1, index, framesPerUnit) == 1) return true;
    holdStep();
    return false;
}

bool flySlot(int slot, float framesPerUnit) {
    if (stepActorMove(2, slot, framesPerUnit) == 1) return true;
    holdStep();
    return false;
}

bool waitStep(int n) {
    if (waitFrames(n) == 1) return true;
    holdStep();
    return false;
}

void hitTarget(int power) {
    resolveEffect(actingSide(), actingIndex(), targetSide(), targetIndex(), power, 0, kEffectPhysical);
}

void missTarget() { resolveEffect(0, 0, targetSide(), targetIndex(), 0, 0, kEffectMiss); }

bool partyLineHolds(int index) {
    if (gBattleSchedule.soloMode == 1) return index == kBodyguardLine;
    return index >= 0 && index < 3 && gParty[index] > 0 && gParty[index] < kUnitCount;
}

int partyLineHp(int index) {
    if (gBattleSchedule.soloMode == 1) {
        const int g = gBattleSchedule.bodyguardIndex;
        return index == kBodyguardLine && g >= 0 && g < kBodyguardCount ? gBodyguards[g].hp : 0;
    }
    return partyLineHolds(index) ? gPartyMembers[gParty[index]].hp : 0;
}

int everyOpponent(int out[6], bool bodyguardWhateverHp) {
    int n = 0;
    if (!enemyActs()) {
        for (int i = 0; i < kEnemySlotCount; ++i)
            if (gEnemyBattlers[i].monster != 0) out[n++] = i;
        return n;
    }
    if (gBattleSchedule.soloMode == 1) {
        if (bodyguardWhateverHp || partyLineHp(kBodyguardLine) != 0) out[n++] = kBodyguardLine;
        return n;
    }
    for (int i = 0; i < 3; ++i)
        if (partyLineHolds(i) && partyLineHp(i) != 0) out[n++] = i;
    return n;
}

namespace {
int livingOpponents(int out[6], bool enemyMayBeFallen) {
    int n = 0;
    if (!enemyActs()) {
        for (int i = 0; i < kEnemySlotCount; ++i)
            if (gEnemyBattlers[i].monster != 0 && (enemyMayBeFallen || gEnemyBattlers[i].hp != 0)) out[n++] = i;
        return n;
    }
    if (gBattleSchedule.soloMode == 1) {
        out[n++] = kBodyguardLine;
        return n;
    }
    for (int i = 0; i < 3; ++i)
        if (partyLineHolds(i) && partyLineHp(i) != 0) out[n++] = i;
    return n;
}
}  // namespace

bool anyLivingOpponent(bool enemyMayBeFallen) {
    int set[6];
    return livingOpponents(set, enemyMayBeFallen) > 0;
}

bool pickRandomLivingOpponent(bool enemyMayBeFallen) {
    int set[6];
    const int n = livingOpponents(set, enemyMayBeFallen);
    if (n == 0) return false;
    gBattleAction.targetIndex = set[randomThousand() % n];
    gBattleAction.targetSide = enemyActs() ? kSideParty : kSideEnemy;
    return true;
}

void hitEveryOpponent(int power, bool bodyguardWhateverHp) {
    int set[6];
    const int n = everyOpponent(set, bodyguardWhateverHp);
    const int side = enemyActs() ? kSideParty : kSideEnemy;
    for (int i = 0; i < n; ++i) resolveEffect(actingSide(), actingIndex(), side, set[i], power, 0, kEffectPhysical);
}

void viewPoint(const SkillFrame& f, float x, float y, float z, float distance) {
    const float at[3] = {x, y, z};
    moveCamera(f.resources, f.device, at, distance, 1);
}

void viewTarget(const SkillFrame& f, float distance) {
    const BattleActor& t = targetActor();
    viewPoint(f, t.x, t.y, t.z, distance);
}

void playSkillSound(const char* fileName) { playBattleSound(fileName); }

EffectSlot& effectSlot(int slot) {
    if (slot >= 0 && slot < kEffectSlotCount) return gEffectSlots[slot];
    gSpareSlot = EffectSlot{};
    return gSpareSlot;
}

void showSlot(int slot, int kind, int row, float x, float y, float z) {
    EffectSlot& s = effectSlot(slot);
    s.active = 1;
    s.kind = kind;
    s.row = row;
    s.x = x;
    s.y = y;
    s.z = z;
}

void drawEffects(const SkillFrame& f) { drawBattleEffects(f.resources, f.device); }

void lineFromTo(const float from[3], const float to[3]) {
    for (int i = 0; i < 3; ++i) {
        gMoveLine.start[i] = from[i];
        gMoveLine.end[i] = to[i];
    }
    gMoveLine.frame = 0;
}

bool playSkillGame(const SkillFrame& f, int mode, int limitMs, int enemyScore) {
    if (enemyActs()) {
        gHitCount = enemyScore;
        return true;
    }
    if (runKeyPressGame(f.resources, f.device, mode, limitMs) != kKeyPressGoesOn) return true;
    holdStep();
    return false;
}

void clearKeyPressParameters() {
    for (int& k : gKeyPressGame.keys) k = 0;
    for (float& s : gKeyPressGame.noteSpeeds) s = 0.0f;
}

void armNoteLane(int intervalMs, int notes, float speed) {
    gKeyPressGame.spawnIntervalMs = intervalMs;
    gKeyPressGame.noteCount = notes;
    for (float& s : gKeyPressGame.noteSpeeds) s = speed;
}
