#include "battle/BattlePhases.h"

#include <climits>
#include <cstring>

#include "battle/BattleServices.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Random.h"
#include "engine/Scene.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "events/EventMusic.h"
#include "field/EventState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

constexpr int kItemRevivalCharm = 119;
constexpr int kStageFlag = 76;
constexpr float kWalkStep = 0.2f;
const float kStageView[3] = {10.0f, 30.0f, 0.0f};

void defaultView(GraphicsResources& r, gfx::Device* d) { moveCamera(r, d, kDefaultBattleView, kDefaultBattleDistance, 1); }

bool lostBattleGoesOn(int group) { return group == 30 || group == 40; }

int memberUnit(int slot) { return gParty[slot] > 0 && gParty[slot] < kUnitCount ? gParty[slot] : 0; }

bool memberStanding(int slot) {
    const int unit = memberUnit(slot);
    return unit != 0 && gPartyMembers[unit].hp > 0;
}

int addSaturating(int a, int b) {
    const long long sum = static_cast<long long>(a) + b;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

void startAction() {
    BattleActionBlock& a = gBattleAction;
    a.phase = kPhaseActionRun;
    gSkillBonus = 0;
    a.step = 0;
    a.actionFrame = 0;
    resetKeyPressRun();
    emptyEffectSlots();
    gRedrawRequest[1] = 2;
}

void runAction(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    int done = 1;
    if (a.pendingItem != -1)
        done = runItemAction(resources, device);
    else if (a.pendingStoneSkill != -1)
        done = runStoneSkillAction(resources, device);
    else if (a.pendingWeaponSkill != -1)
        done = runWeaponSkillAction(resources, device);
    if (done != 1) return;
    for (EnemyBattler& enemy : gEnemyBattlers)
        if (enemy.hp == 0) enemy.monster = 0;
    a.pendingWeaponSkill = -1;
    a.pendingStoneSkill = -1;
    a.pendingItem = -1;
    a.phase = kPhaseAfterAction;
    defaultView(resources, device);
}

// Fallen members wearing the revival charm get up again; true when a
// revival was queued (its popup must play before the next turn).
bool queueRevivals() {
    // While the called bodyguard fights alone the members are away: their
    // charms wait until they are back (a revival now would land on the bodyguard).
    if (gBattleSchedule.soloMode != 0) return false;
    bool queued = false;
    for (int slot = 0; slot < 3; ++slot) {
        const int unit = memberUnit(slot);
        if (unit == 0 || gPartyMembers[unit].hp != 0) continue;
        PartyMember& member = gPartyMembers[unit];
        for (int e = 0; e < 4; ++e) {
            if (member.equipment[e] != kItemRevivalCharm) continue;
            if (randomThousand() % 4 == 0) {
                member.equipment[e] = 0;
                if (gItemStock[kItemRevivalCharm].equipped > 0) --gItemStock[kItemRevivalCharm].equipped;
            }
            playBattleSound("Item_Kaihuku.wav");
            resolveEffect(kSideParty, slot, kSideParty, slot, 0, 0, kEffectRevive);
            queued = true;
            break;
        }
        for (int s = kStatusAttackUp; s <= kStatusMagicDefenceUp; ++s) gMemberBattleStatus[slot].status[s] = 0;
        gRedrawRequest[0] = 2;
    }
    return queued;
}

void afterAction() {
    if (anyDamagePopupCounting()) return;
    if (queueRevivals()) return;
    scheduleNextTurn();
    handleScheduleOutcome();
}

void giveVictoryRewards() {
    const int currency = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount ? gRegionCurrency : 0;
    gMoney[currency] = addSaturating(gMoney[currency], gBattleRewards.money);
    const int item = gBattleRewards.droppedItem;
    if (item > 0 && item < kItemCount) gItemStock[item].owned = addSaturating(gItemStock[item].owned, 1);
    const int card = gBattleRewards.card;
    if (card >= 0 && card < kCardCount) {
        gCardStock[card].known = 1;
        gCardStock[card].count = addSaturating(gCardStock[card].count, 1);
    }
}

void victory(GraphicsResources& resources, gfx::Device* device) {
    const bool results = gBattleType != kBattleAutomatic && gBattleSchedule.groupExperience != 0;
    if (results) {
        runVictoryResults(resources, device);
        if (gBattleRewards.experiencePool == 0 && gInputCode == kInputDecide) {
            giveVictoryRewards();
            endBattle();
        }
        return;
    }
    // No results to show: the battle ends a little later and gives nothing.
    if (waitFrames(75) == 1) endBattle();
}

void wipeOut() {
    if (gBattleGroup == 57 && gStoryFlags[kStageFlag] < 2) {
        gBattleAction.phase = kPhaseNextStageStart;
        return;
    }
    if (gInputCode != kInputDecide) return;
    if (lostBattleGoesOn(gBattleGroup)) {
        endBattle();
        return;
    }
    // To the title. The battle's bonuses must not outlive it into a loaded game.
    for (MemberBattleStatus& line : gMemberBattleStatus) line.maxHpBonus = 0;
    gInBattle = 0;
    gScene = 1000;
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
}

void escape() {
    BattleActionBlock& a = gBattleAction;
    switch (a.step) {
    case 1:
        gWaitCounter = 0;
        ++a.step;
        break;
    case 2:
        if (waitFrames(15) == 1) {
            playBattleSound("Tousou.wav");
            ++a.step;
        }
        break;
    case 3:
        gWaitCounter = 0;
        ++a.step;
        break;
    case 4:
        if (waitFrames(30) == 1) {
            ++a.step;
            break;
        }
        for (int slot = 0; slot < 3; ++slot) {
            if (!memberStanding(slot)) continue;
            BattleActor& actor = gPartyActors[slot];
            actor.x -= kWalkStep;
            actor.facing = 1;
            actor.pose = gWaitCounter % 2;
        }
        break;
    case 5:
        a.phase = kPhaseEscapeEnd;
        break;
    default:
        ++a.step;
        break;
    }
}

void nextStage(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    switch (a.step) {
    case 1:
        gWaitCounter = 0;
        moveCamera(resources, device, kStageView, 15.0f, 1);
        ++a.step;
        break;
    case 2:
        if (waitFrames(30) == 1) ++a.step;
        break;
    case 3: {
        gRedrawRequest[0] = 2;
        gRedrawRequest[1] = 2;
        const int stage = gStoryFlags[kStageFlag];
        if (gStoryFlags[kStageFlag] < 255) ++gStoryFlags[kStageFlag];
        int newSlot = -1;
        if (stage == 0) {
            gParty[0] = 0;
            gParty[1] = 5;
            gParty[2] = 0;
            newSlot = 1;
        } else if (stage == 1) {
            gParty[0] = 1;
            gParty[1] = 0;
            gParty[2] = 0;
            newSlot = 0;
        }
        // The new member stands at its home with its own speed and no statuses.
        if (newSlot >= 0) {
            setPartySlotHome(newSlot);
            preparePartySlot(newSlot);
            gMemberBattleStatus[newSlot].secondAction = 1;
        }
        ++a.step;
        break;
    }
    case 4:
        gWaitCounter = 0;
        defaultView(resources, device);
        ++a.step;
        break;
    case 5:
        a.commandCursor = 0;
        a.phase = kPhaseAfterAction;
        break;
    default:
        ++a.step;
        break;
    }
}

void bodyguardIn() {
    BattleActionBlock& a = gBattleAction;
    switch (a.step) {
    case 1:
        std::memset(gMemberBattleStatus[kBodyguardLine].status, 0, kStatusCount);
        gWaitCounter = 0;
        ++a.step;
        break;
    case 2:
        if (waitFrames(15) == 1) {
            playBattleSound("Tousou.wav");
            ++a.step;
        }
        break;
    case 3:
        gWaitCounter = 0;
        ++a.step;
        break;
    case 4: {
        bool moved = false;
        for (int slot = 0; slot < 3; ++slot) {
            if (!memberStanding(slot)) continue;
            BattleActor& actor = gPartyActors[slot];
            actor.facing = 1;
            actor.pose = gWaitCounter % 2;
            if (actor.x >= 1.0f) {
                actor.x -= kWalkStep;
                moved = true;
            }
        }
        if (!moved) ++a.step;
        break;
    }
    case 5: {
        for (int slot = 0; slot < 3; ++slot) {
            if (!memberStanding(slot)) continue;
            gPartyActors[slot].facing = 0;
            gPartyActors[slot].pose = 0;
        }
        gBattleSchedule.soloMode = 1;
        a.actingIndex = 0;
        BattleActor& guard = gPartyActors[kBodyguardLine];
        guard = BattleActor{-2.0f, 0.0f, 10.0f, 0, 0};
        gPartyHomes[kBodyguardLine][0] = 7.0f;
        gPartyHomes[kBodyguardLine][1] = 0.0f;
        gPartyHomes[kBodyguardLine][2] = 10.0f;
        gRedrawRequest[0] = 2;
        ++a.step;
        break;
    }
    case 6: {
        BattleActor& guard = gPartyActors[kBodyguardLine];
        guard.facing = 0;
        guard.pose = gWaitCounter % 2;
        if (guard.x <= 7.0f)
            guard.x += kWalkStep;
        else
            ++a.step;
        break;
    }
    case 7:
        gRedrawRequest[1] = 2;
        a.commandCursor = 0;
        gBattleSchedule.bodyguardActionValue = 0;
        a.phase = kPhaseCommand;
        break;
    default:
        // Steps the coming-in does not list (the first is 0) idle for one frame.
        ++a.step;
        break;
    }
}

void bodyguardOut() {
    BattleActionBlock& a = gBattleAction;
    switch (a.step) {
    case 0:
        gWaitCounter = 0;
        ++a.step;
        break;
    case 1:
        if (waitFrames(15) == 1) {
            playBattleSound("Tousou.wav");
            ++a.step;
        }
        break;
    case 2: {
        BattleActor& guard = gPartyActors[kBodyguardLine];
        guard.facing = 1;
        guard.pose = gWaitCounter % 2;
        if (guard.x >= -2.0f)
            guard.x -= kWalkStep;
        else
            ++a.step;
        break;
    }
    case 3:
        gBattleSchedule.soloMode = 0;
        gRedrawRequest[0] = 2;
        gWaitCounter = 0;
        a.actingIndex = kBodyguardLine;
        ++a.step;
        break;
    case 4: {
        bool moved = false;
        for (int slot = 0; slot < 3; ++slot) {
            if (!memberStanding(slot)) continue;
            BattleActor& actor = gPartyActors[slot];
            actor.facing = 0;
            actor.pose = gWaitCounter % 2;
            if (actor.x <= gPartyHomes[slot][0]) {
                actor.x += kWalkStep;
                moved = true;
            }
        }
        if (!moved) ++a.step;
        break;
    }
    case 5:
        scheduleNextTurn();
        handleScheduleOutcome();
        gRedrawRequest[1] = 2;
        break;
    default:
        ++a.step;
        break;
    }
}

// The automatic action's enemy: slot 0, or the first present slot after it.
int automaticEnemyTarget() {
    if (gEnemyBattlers[0].monster != 0) return 0;
    for (int k = 1; k < kEnemySlotCount; ++k)
        if (gEnemyBattlers[k].monster != 0) return k;
    return 0;
}

}  // namespace

void handleScheduleOutcome() {
    BattleActionBlock& a = gBattleAction;
    switch (gBattleRewards.outcome) {
    case kOutcomeVictory: a.phase = kPhaseVictory; break;
    case kOutcomeWipeOut:
        if (gBattleGroup != 30 && gBattleGroup != 40 && gBattleGroup != 57) requestMusicStop();
        a.phase = kPhaseWipeOut;
        gRedrawRequest[0] = 2;
        break;
    case kOutcomeBodyguardFallen:
        a.phase = kPhaseBodyguardOut;
        a.step = 0;
        break;
    case kOutcomeWaitAgain: a.phase = kPhaseAfterAction; break;
    default: break;  // the scheduler or the enemy's choice has set the phase
    }
    gRedrawRequest[1] = 2;
}

void runAutomaticAction(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    const int group = gBattleGroup;
    if (group == 1) {
        gMemberBattleStatus[0].status[kStatusDefenceUp] = 1;
        const int unit = memberUnit(0);
        const int hp = unit != 0 ? gPartyMembers[unit].hp : 0;
        if (hp < computeUnitStat(unit, kStatMaxHp) / 4) {
            gItemStock[132].owned = addSaturating(gItemStock[132].owned, 1);
            selectPendingAction(-1, -1, 132, kSideParty);
            a.targetIndex = 0;
            a.targetSide = kSideParty;
            a.targetRange = 0;
        } else {
            selectPendingAction(40, -1, -1, kSideParty);
            a.targetIndex = automaticEnemyTarget();
            a.targetSide = kSideEnemy;
            a.targetRange = 0;
        }
    } else if (group == 88 || group == 89) {
        selectPendingAction(-1, 90, -1, kSideParty);
        a.targetIndex = automaticEnemyTarget();
        a.targetSide = kSideEnemy;
        a.targetRange = 0;
    } else {
        // Another automatic group has no action of its own: the turn passes
        // rather than the battle standing still.
        selectPendingAction(-1, -1, -1, kSideParty);
    }
    gRedrawRequest[1] = 2;
    a.phase = kPhaseActionStart;
    defaultView(resources, device);
}

void drawWipeOutNotice(GraphicsResources& resources, gfx::Device* device) {
    drawWindowFrame(resources, device, 150.0f, 0.0f, 340.0f, 25.0f);
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    drawText(resources, device, gfx::Rect{150, 4, 490, 25}, "全滅した・・・", 12);
    endTextFont();
}

void runBattlePhase(GraphicsResources& resources, gfx::Device* device) {
    BattleActionBlock& a = gBattleAction;
    switch (a.phase) {
    case kPhaseCommand:
        if (gBattleType != kBattleAutomatic) runCommandMenu(resources, device);
        break;
    case kPhaseWeaponList: runAttackSkillMenu(resources, device); break;
    case kPhaseWeaponEnemyTarget:
    case kPhaseStoneEnemyTarget:
    case kPhaseItemEnemyTarget: runEnemyTargetSelect(resources, device); break;
    case kPhaseStoneList: runStoneSkillMenu(resources, device); break;
    case kPhaseStoneAllyTarget:
    case kPhaseItemAllyTarget: runAllyTargetSelect(resources, device); break;
    case kPhaseStoneAllConfirm:
    case kPhaseItemAllConfirm: runAllTargetConfirm(resources, device); break;
    case kPhaseBodyguardList: runBodyguardMenu(resources, device); break;
    case kPhaseItemList: break;  // the item list runs later in the frame, over the panel
    case kPhaseActionStart: startAction(); break;
    case kPhaseActionRun: runAction(resources, device); break;
    case kPhaseAfterAction: afterAction(); break;
    case kPhaseVictory: victory(resources, device); break;
    case kPhaseWipeOut:
        wipeOut();
        if (a.phase == kPhaseWipeOut && gScene != 1000 && gInBattle == 1) drawWipeOutNotice(resources, device);
        break;
    case kPhaseEscapeStart:
        a.step = 1;
        a.phase = kPhaseEscape;
        break;
    case kPhaseEscape: escape(); break;
    case kPhaseEscapeEnd: endBattle(); break;
    case kPhaseNextStageStart:
        a.step = 1;
        a.phase = kPhaseNextStage;
        break;
    case kPhaseNextStage: nextStage(resources, device); break;
    case kPhaseBodyguardIn: bodyguardIn(); break;
    case kPhaseBodyguardOut: bodyguardOut(); break;
    case kPhaseStoryEvent: break;  // run at the top of the frame
    default:
        // A phase no handler knows would stand still for ever: the next turn is scheduled.
        a.phase = kPhaseAfterAction;
        break;
    }
}
