#include "battle/EnemyActionPatterns.h"

#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#include "engine/Random.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "gamedata/GameData.h"

namespace {

bool partySlotAlive(int slot) {
    const int unit = gParty[slot];
    return unit > 0 && unit < kUnitCount && gPartyMembers[unit].hp != 0;
}

// The party member the enemy aims at unless its pattern names another.
void drawPartyTarget() {
    BattleActionBlock& action = gBattleAction;
    action.targetSide = kSideParty;
    if (gBattleSchedule.soloMode == 1) {
        action.targetIndex = kBodyguardLine;
        return;
    }
    // The scheduler gives enemies turns only while a member stands; should none
    // stand, the draw would never end, so the target stays as it was.
    if (!partySlotAlive(0) && !partySlotAlive(1) && !partySlotAlive(2)) return;
    int slot = randomThousand() % 3;
    while (!partySlotAlive(slot)) slot = randomThousand() % 3;
    action.targetIndex = slot;
}

EnemyPatternInput snapshot(int slot) {
    EnemyPatternInput in{};
    in.slot = slot;
    in.round = gBattleSchedule.roundCount;
    in.firstAction = gEnemyBattlers[slot].secondAction == 1;
    in.returning = gBattleRewards.outcome == kOutcomeReturningEnemy;
    for (int k = 0; k < kPatternSlotCount; ++k) {
        const EnemyBattler& enemy = gEnemyBattlers[k];
        in.enemies[k].monster = enemy.monster;
        in.enemies[k].hp = enemy.hp;
        in.enemies[k].maxHp = enemy.maxHp;
        for (int s = 0; s < kPatternStatusCount; ++s) in.enemies[k].status[s] = enemy.status[s];
    }
    in.bossStage = gStoryFlags[kFlagBossStage];
    in.cloneBossStage = gStoryFlags[kFlagCloneBossStage];
    in.thiefMode = gStoryFlags[kFlagThiefMode];
    in.roofBossFlag = gStoryFlags[kFlagRoofBoss];
    return in;
}

}  // namespace

void chooseEnemyAction() {
    BattleActionBlock& action = gBattleAction;
    drawPartyTarget();

    const int slot = action.actingIndex;
    EnemyDecision decision;
    if (slot >= 0 && slot < kPatternSlotCount) {
        const int monster = gEnemyBattlers[slot].monster;
        const MonsterRecord& row = gMonsters[monster >= 0 && monster < kMonsterCount ? monster : 0];
        if (row.skills[0] != kScriptedSkill) {
            const int code = row.skills[randomThousand() % 3];
            // An empty skill slot (0, as the tables' unused slots hold; no weapon
            // category is 0) lets the turn pass.
            if (code > 0) decision.move.weaponCode = code;
        } else {
            decision = decideScriptedEnemy(snapshot(slot));
            if (decision.newBossStage >= 0) gStoryFlags[kFlagBossStage] = static_cast<std::uint8_t>(decision.newBossStage);
            if (decision.newCloneBossStage >= 0) {
                gStoryFlags[kFlagCloneBossStage] = static_cast<std::uint8_t>(decision.newCloneBossStage);
            }
            if (decision.copyHp) {
                gEnemyBattlers[1].hp = gEnemyBattlers[slot].hp;
                gEnemyBattlers[2].hp = gEnemyBattlers[slot].hp;
            }
            if (decision.newMonster >= 0) gEnemyBattlers[slot].monster = decision.newMonster;
        }
    }
    if (!decision.storesAction) {
        action.phase = kPhaseStoryEvent;
        return;
    }
    if (decision.move.target == kTargetSelf) action.targetIndex = slot;
    else if (decision.move.target >= 0) action.targetIndex = decision.move.target;
    selectPendingAction(decision.move.weaponCode, decision.move.stoneCode, decision.move.itemId, 1);
    action.phase = decision.storyEvent ? kPhaseStoryEvent : kPhaseActionStart;
    gRedrawRequest[1] = 2;
}
