// The turn scheduler: the largest action value acts and spends it; a new
// round refills every value from the battler's speed. Also victory, wipe-out,
// the bodyguard's fall and the per-turn status ticks.
#include "battle/TurnOrder.h"

#include "battle/BattleServices.h"
#include "engine/GraphicsResources.h"
#include "engine/DrawingFunctions.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

int memberUnit(int slot) { return gParty[slot] > 0 && gParty[slot] < kUnitCount ? gParty[slot] : 0; }

bool memberTakesPart(int slot) {
    const int unit = memberUnit(slot);
    return unit != 0 && gPartyMembers[unit].hp > 0;
}

int calledBodyguard() {
    const int b = gBattleSchedule.bodyguardIndex;
    return b >= 0 && b < kBodyguardCount ? b : 0;
}

// The values the pick works on: the real records, or the preview's copies.
struct Contenders {
    int value[kEnemySlotCount + kPartyLineCount];         // enemies 0-5, party 6-9
    int speed[kEnemySlotCount + kPartyLineCount];
    std::uint8_t second[kEnemySlotCount + kPartyLineCount];
    bool present[kEnemySlotCount + kPartyLineCount];
    bool hasted[kEnemySlotCount + kPartyLineCount];
};

constexpr int kPartyBase = kEnemySlotCount;

bool anyValueLeft(const Contenders& c) {
    for (int i = 0; i < kEnemySlotCount + kPartyLineCount; ++i)
        if (c.present[i] && c.value[i] != 0) return true;
    return false;
}

// Strictly greater wins: enemies before members, lower slots first. -1 when none is above 0.
int pick(const Contenders& c) {
    int best = 0;
    int winner = -1;
    for (int i = 0; i < kEnemySlotCount + kPartyLineCount; ++i) {
        if (c.present[i] && c.value[i] > best) {
            best = c.value[i];
            winner = i;
        }
    }
    return winner;
}

void spend(Contenders& c, int i) {
    if (c.hasted[i] && c.second[i] == 1)
        c.second[i] = 0;
    else
        c.value[i] = 0;
}

void refill(Contenders& c, bool restoreSecond) {
    for (int i = 0; i < kEnemySlotCount + kPartyLineCount; ++i) {
        if (!c.present[i]) continue;
        c.value[i] = c.speed[i];
        if (restoreSecond) c.second[i] = 1;
    }
}

Contenders gatherFromRecords() {
    Contenders c{};
    for (int k = 0; k < kEnemySlotCount; ++k) {
        const EnemyBattler& e = gEnemyBattlers[k];
        c.present[k] = e.monster != 0;
        c.value[k] = e.actionValue;
        c.second[k] = e.secondAction;
        c.hasted[k] = e.status[kStatusHaste] == 1;
        c.speed[k] = c.present[k] ? battlerSpeed(kSideEnemy, k) : 0;
    }
    if (gBattleSchedule.soloMode != 0) {
        const int i = kPartyBase + kBodyguardLine;
        c.present[i] = true;
        c.value[i] = gBattleSchedule.bodyguardActionValue;
        c.second[i] = gMemberBattleStatus[kBodyguardLine].secondAction;
        c.hasted[i] = gMemberBattleStatus[kBodyguardLine].status[kStatusHaste] == 1;
        c.speed[i] = battlerSpeed(kSideParty, kBodyguardLine);
    } else {
        for (int s = 0; s < 3; ++s) {
            const int i = kPartyBase + s;
            c.present[i] = memberTakesPart(s);
            c.value[i] = gBattleSchedule.memberActionValue[s];
            c.second[i] = gMemberBattleStatus[s].secondAction;
            c.hasted[i] = gMemberBattleStatus[s].status[kStatusHaste] == 1;
            c.speed[i] = c.present[i] ? battlerSpeed(kSideParty, s) : 0;
        }
    }
    return c;
}

void storeToRecords(const Contenders& c) {
    for (int k = 0; k < kEnemySlotCount; ++k) {
        if (!c.present[k]) continue;
        gEnemyBattlers[k].actionValue = c.value[k];
        gEnemyBattlers[k].secondAction = c.second[k];
    }
    if (gBattleSchedule.soloMode != 0) {
        const int i = kPartyBase + kBodyguardLine;
        gBattleSchedule.bodyguardActionValue = c.value[i];
        gMemberBattleStatus[kBodyguardLine].secondAction = c.second[i];
    } else {
        for (int s = 0; s < 3; ++s) {
            const int i = kPartyBase + s;
            if (!c.present[i]) continue;
            gBattleSchedule.memberActionValue[s] = c.value[i];
            gMemberBattleStatus[s].secondAction = c.second[i];
        }
    }
}

void queueTick(int side, int index, int amount, bool sp) {
    resolveEffect(side, index, side, index, sp ? kPopupSp : kPopupHp, amount, kEffectFixed);
}

// A new round for the records themselves.
void beginRound(bool restoreSecond) {
    ++gBattleSchedule.roundCount;
    Contenders c = gatherFromRecords();
    refill(c, restoreSecond);
    storeToRecords(c);
}

}  // namespace

int battlerSpeed(int side, int index) {
    if (side == kSideEnemy) {
        int monster = index >= 0 && index < kEnemySlotCount ? gEnemyBattlers[index].monster : 0;
        if (monster < 0 || monster >= kMonsterCount) monster = 0;
        return gMonsters[monster].speed;
    }
    if (index == kBodyguardLine) return computeBodyguardStat(calledBodyguard(), kStatSpeed);
    return index >= 0 && index < 3 ? computeUnitStat(memberUnit(index), kStatSpeed) : 0;
}

void scheduleNextTurn() {
    BattleRewards& rewards = gBattleRewards;
    BattleSchedule& schedule = gBattleSchedule;
    BattleActionBlock& action = gBattleAction;
    rewards.outcome = kOutcomeNextActor;

    bool anyAlive = false;
    for (int s = 0; s < 3; ++s) {
        const int unit = memberUnit(s);
        if (unit == 0) continue;
        if (gPartyMembers[unit].hp == 0) gPartyActors[s].pose = 4;
        if (gPartyMembers[unit].hp > 0) anyAlive = true;
    }
    if (!anyAlive) {
        rewards.outcome = kOutcomeWipeOut;
        return;
    }
    if (schedule.soloMode != 0 && gBodyguards[calledBodyguard()].hp == 0) {
        rewards.outcome = kOutcomeBodyguardFallen;
        return;
    }

    bool anyEnemy = false;
    for (const EnemyBattler& e : gEnemyBattlers) anyEnemy = anyEnemy || e.monster != 0;
    if (!anyEnemy) {
        const int group = gBattleGroup;
        if (group == 16 && gEnemyBattlers[0].hp > 0) {
            // The monster of the first slot comes back and acts at once.
            gEnemyBattlers[0].monster = gEnemyGroups[16].monsters[0];
            action.actingSide = kSideEnemy;
            action.actingIndex = 0;
            rewards.outcome = kOutcomeReturningEnemy;
            chooseEnemyAction();
            gEnemyBattlers[0].actionValue = 0;
            rewards.outcome = kOutcomeNextActor;
            return;
        }
        rewards.outcome = kOutcomeVictory;
        return;
    }

    if (!anyValueLeft(gatherFromRecords())) beginRound(false);

    Contenders c = gatherFromRecords();
    const int winner = pick(c);
    if (winner < 0) {
        // Nobody can act (every speed is 0): schedule again after the popups.
        rewards.outcome = kOutcomeWaitAgain;
        return;
    }
    if (winner >= kPartyBase) {
        const int slot = winner - kPartyBase;
        action.actingSide = kSideParty;
        action.actingIndex = slot;
        if (schedule.soloMode == 0) {
            const int unit = memberUnit(slot);
            const PartyMember& member = gPartyMembers[unit];
            const std::uint8_t* status = gMemberBattleStatus[slot].status;
            const int maxHp = computeUnitStat(unit, kStatMaxHp);
            const int maxSp = computeUnitStat(unit, kStatMaxSp);
            if (status[kStatusRegen] == 1) queueTick(kSideParty, slot, -(maxHp / 10), false);
            if (status[kStatusSpRegen] == 1) queueTick(kSideParty, slot, -5, true);
            if (status[kStatusDoom] == 1) {
                queueTick(kSideParty, slot, maxHp / 4, false);
                if (maxHp / 4 >= member.hp) {
                    rewards.outcome = kOutcomeWaitAgain;
                    return;
                }
            }
            if (status[kStatusCurse] == 1) {
                const int loss = maxSp / 10 < member.sp ? maxSp / 10 : member.sp;
                queueTick(kSideParty, slot, loss, true);
            }
        }
        action.commandCursor = 0;
        action.phase = kPhaseCommand;
    } else {
        const int k = winner;
        action.actingSide = kSideEnemy;
        action.actingIndex = k;
        chooseEnemyAction();
        const EnemyBattler& enemy = gEnemyBattlers[k];
        const int m = enemy.maxHp / 4;
        if (enemy.status[kStatusRegen] == 1) queueTick(kSideEnemy, k, -m, false);
        if (enemy.status[kStatusDoom] == 1) {
            queueTick(kSideEnemy, k, m, false);
            if (m >= enemy.hp) {
                rewards.outcome = kOutcomeWaitAgain;
                return;
            }
        }
        // The enemy's choice may have changed the records: read them again.
        c = gatherFromRecords();
    }
    spend(c, winner);
    storeToRecords(c);

    if (!anyValueLeft(gatherFromRecords())) beginRound(true);
}

int previewTurnOrder(TurnOrderEntry entries[8]) {
    Contenders c = gatherFromRecords();
    entries[0] = {gBattleAction.actingSide, gBattleAction.actingIndex};
    int count = 1;
    while (count < 8) {
        int winner = pick(c);
        if (winner < 0) {
            refill(c, true);
            winner = pick(c);
            if (winner < 0) break;
        }
        entries[count++] = winner >= kPartyBase ? TurnOrderEntry{kSideParty, winner - kPartyBase}
                                                : TurnOrderEntry{kSideEnemy, winner};
        spend(c, winner);
    }
    return count;
}

int turnOrderIcon(int side, int index) {
    if (side == kSideParty) {
        if (index == kBodyguardLine) {
            static const int kBodyguardIcons[4] = {20, 18, 17, 21};
            return kBodyguardIcons[calledBodyguard()];
        }
        const int unit = index >= 0 && index < 3 ? memberUnit(index) : 0;
        return unit > 0 ? unit - 1 : 22;
    }
    int monster = index >= 0 && index < kEnemySlotCount ? gEnemyBattlers[index].monster : 0;
    if (monster < 0 || monster >= kMonsterCount) monster = 0;
    const int sprite = gMonsters[monster].sprite;
    if (sprite >= 0 && sprite < 17) return sprite;
    switch (sprite) {
    case 47: return 17;
    case 48: return 18;
    case 49: return 19;
    case 58: return 12;
    default: return 22;
    }
}

void drawTurnOrderIcon(GraphicsResources& resources, gfx::Device* device, int icon, int entry, int slot) {
    if (!device || !resources.sprite || !resources.faceIcons) return;
    static const gfx::Colour kSlotTints[6] = {0xFFFF0000u, 0xFF00FF00u, 0xFF00FFFFu,
                                              0xFFFFFF00u, 0xFFFF00FFu, 0xFFFFFFFFu};
    const gfx::Colour colour = icon == 22 && slot >= 0 && slot < 6 ? kSlotTints[slot] : 0xFFFFFFFFu;
    const gfx::Rect src{0, 32 * icon, 96, 32 * icon + 32};
    const gfx::Vec2 at{500.0f + 3.0f * entry, 50.0f + 32.0f * entry};
    resources.sprite->begin();
    resources.sprite->draw(resources.faceIcons.get(), &src, nullptr, nullptr, 0.0f, &at, colour);
    resources.sprite->end();
}

void drawTurnOrder(GraphicsResources& resources, gfx::Device* device) {
    if (!device) return;
    TurnOrderEntry entries[8];
    const int count = previewTurnOrder(entries);
    drawWindowFrame(resources, device, 498.0f, 48.0f, 121.0f, 260.0f);
    for (int i = 0; i < count; ++i)
        drawTurnOrderIcon(resources, device, turnOrderIcon(entries[i].side, entries[i].index), i,
                          entries[i].side == kSideEnemy ? entries[i].index : -1);
}
