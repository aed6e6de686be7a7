#include "battle/BattleRecords.h"

#include <cstring>

BattleActionBlock gBattleAction{};
BattleSchedule gBattleSchedule{};
BattleRewards gBattleRewards{};
EnemyBattler gEnemyBattlers[kEnemySlotCount]{};
MemberBattleStatus gMemberBattleStatus[kPartyLineCount]{};
BattleActor gPartyActors[kPartyLineCount]{};
BattleActor gEnemyActors[kEnemySlotCount]{};

std::uint8_t gInBattle = 0;
int gBattleGroup = 0;
std::uint8_t gBattleType = 0;
int gSkillBonus = 0;
std::uint8_t gKeyGameShown = 0;

DamagePopup gDamagePopups[kDamagePopupCount]{};
EffectSlot gEffectSlots[kEffectSlotCount]{};
MoveLine gMoveLine{};
int gWaitCounter = 0;
int gGroundTiles[4] = {};

bool isBattlePhase(int phase) {
    switch (phase) {
    case 0: case 10: case 11: case 20: case 21: case 22: case 23: case 30: case 31: case 32: case 33: case 40:
    case 100: case 101: case 102: case 1000: case 1001: case 1002: case 1003: case 1004: case 2000: case 2001:
    case 3000: case 3001: case 4000:
        return true;
    default:
        return false;
    }
}

void emptyEffectSlots() {
    for (EffectSlot& slot : gEffectSlots) {
        slot = EffectSlot{};
        slot.opacity = 1.0f;
    }
}

void emptyDamagePopups() {
    for (DamagePopup& popup : gDamagePopups) popup = DamagePopup{};
}

void resetBattleRecords() {
    gBattleAction = BattleActionBlock{};
    gBattleSchedule = BattleSchedule{};
    gBattleRewards = BattleRewards{};
    for (EnemyBattler& e : gEnemyBattlers) e = EnemyBattler{};
    for (MemberBattleStatus& m : gMemberBattleStatus) m = MemberBattleStatus{};
    for (BattleActor& a : gPartyActors) a = BattleActor{};
    for (BattleActor& a : gEnemyActors) a = BattleActor{};
    gInBattle = 0;
    gBattleGroup = 0;
    gBattleType = 0;
    gSkillBonus = 0;
    gKeyGameShown = 0;
    emptyDamagePopups();
    emptyEffectSlots();
    gMoveLine = MoveLine{};
    gWaitCounter = 0;
    std::memset(gGroundTiles, 0, sizeof gGroundTiles);
}

int memberBattleMaxHpBonus(int partySlot) {
    if (partySlot < 0 || partySlot >= 3) return 0;
    return gMemberBattleStatus[partySlot].maxHpBonus;
}

void clearBattleLinesAtTitle() {
    for (MemberBattleStatus& line : gMemberBattleStatus) {
        line.maxHpBonus = 0;
        for (int i = 0; i <= 8 && i < kStatusCount; ++i) line.status[i] = 0;
    }
    gBattleRewards.messageLock = 0;
}
