// The set-up of a battle for an enemy group, its end, the message hold and
// the pending action chosen by code.
#include <cstring>

#include "battle/BattleServices.h"
#include "engine/Config.h"
#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "events/EventMusic.h"
#include "events/MessageWindow.h"
#include "field/FieldServices.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

constexpr float kBodyguardHome[3] = {7.0f, 0.0f, 10.0f};

void grantStatus(std::uint8_t* status, int s) { status[s] = 1; }

// Statuses and the first-strike value the worn items give at the start.
void applyEquipmentAtStart(int slot, int unit) {
    std::uint8_t* status = gMemberBattleStatus[slot].status;
    for (int e = 0; e < 4; ++e) {
        switch (gPartyMembers[unit].equipment[e]) {
        case 87: case 94: grantStatus(status, kStatusRegen); break;
        case 89: grantStatus(status, kStatusDoom); break;
        case 95: case 98: grantStatus(status, kStatusSpRegen); break;
        case 97: grantStatus(status, kStatusCurse); break;
        case 99:
            for (int s : {kStatusAttackUp, kStatusDefenceUp, kStatusMagicUp, kStatusMagicDefenceUp, kStatusHaste,
                          kStatusRegen, kStatusSpRegen})
                grantStatus(status, s);
            break;
        case 109: gBattleSchedule.memberActionValue[slot] = 999999; break;
        case 121: grantStatus(status, kStatusAttackUp); break;
        case 122: grantStatus(status, kStatusDefenceUp); break;
        case 123: grantStatus(status, kStatusMagicUp); break;
        case 124: grantStatus(status, kStatusMagicDefenceUp); break;
        default: break;
        }
    }
}

void placeActor(BattleActor& actor, const float* home) {
    actor.x = home[0];
    actor.y = home[1];
    actor.z = home[2];
    actor.facing = 0;
    actor.pose = 0;
}

}  // namespace

void setPartySlotHome(int slot) {
    const int order = gFormationOrder >= 0 && gFormationOrder < kFormationOrderCount ? gFormationOrder : 0;
    const int formation = gFormation >= 0 && gFormation < kFormationCount ? gFormation : 0;
    const int position = gFormationOrders[order][slot];
    const int row = gFormations[formation].row[position];
    static const float kRowX[3] = {4.0f, 6.0f, 8.0f};
    static const float kPositionZ[3] = {10.0f, 4.0f, 16.0f};
    gPartyHomes[slot][0] = row >= 0 && row < 3 ? kRowX[row] : 4.0f;
    gPartyHomes[slot][1] = 0.0f;
    gPartyHomes[slot][2] = position >= 0 && position < 3 ? kPositionZ[position] : 10.0f;
    placeActor(gPartyActors[slot], gPartyHomes[slot]);
}

// A party slot as a fresh fighter: no statuses, its own speed, the worn items' effects.
void preparePartySlot(int slot) {
    std::memset(gMemberBattleStatus[slot].status, 0, kStatusCount);
    const int unit = gParty[slot];
    gBattleSchedule.memberActionValue[slot] = computeUnitStat(unit, kStatSpeed);
    if (unit > 0 && unit < kUnitCount) applyEquipmentAtStart(slot, unit);
}

void setUpBattle(int group) {
    // An id outside the table is fought as an empty group: won at once, nothing gained.
    static const EnemyGroup kEmptyGroup{};
    const bool known = group >= 0 && group < kEnemyGroupCount;
    const EnemyGroup& record = known ? gEnemyGroups[group] : kEmptyGroup;

    std::strncpy(gRememberedSong, gCurrentSong, sizeof gRememberedSong - 1);
    gRememberedSong[sizeof gRememberedSong - 1] = '\0';
    if (record.musicTitle[0] != '\0') changeMusic(record.musicTitle);

    gBattleGroup = group;
    gBattleAction = BattleActionBlock{};

    BattleSchedule& schedule = gBattleSchedule;
    BattleRewards& rewards = gBattleRewards;
    schedule.roundCount = 0;
    rewards.outcome = 0;
    rewards.experiencePool = 0;
    schedule.groupExperience = 0;
    rewards.money = 0;
    rewards.droppedItem = 0;
    rewards.card = kNoCard;
    rewards.boostItem = 0;
    schedule.soloMode = 0;
    schedule.bodyguardIndex = 0;
    schedule.bodyguardActionValue = 0;
    gInBattle = 1;

    emptyDamagePopups();

    // The three-stage battle begins with unit 4 alone in the last slot; the
    // party is set before the slots take their speeds and statuses.
    if (group == 57) {
        gParty[0] = 0;
        gParty[1] = 0;
        gParty[2] = 4;
    }
    for (int slot = 0; slot < 3; ++slot) {
        setPartySlotHome(slot);
        preparePartySlot(slot);
    }

    for (int i = 0; i < 3; ++i) gPartyHomes[kBodyguardLine][i] = kBodyguardHome[i];
    placeActor(gPartyActors[kBodyguardLine], kBodyguardHome);

    for (int k = 0; k < kEnemySlotCount; ++k) {
        placeActor(gEnemyActors[k], gEnemyHomes[k]);
        EnemyBattler& enemy = gEnemyBattlers[k];
        int monster = record.monsters[k];
        if (monster < 0 || monster >= kMonsterCount) monster = 0;  // a row outside the table counts as empty
        const MonsterRecord& row = gMonsters[monster];
        enemy.monster = monster;
        enemy.hp = row.hp;
        enemy.maxHp = row.hp;
        enemy.actionValue = row.speed;
        enemy.secondAction = 1;
        enemy.dropRolled = 0;
        std::memset(enemy.status, 0, kStatusCount);
        schedule.groupExperience += row.experience;
        rewards.money += row.money;
        if (monster != 0 && row.card != kNoCard) rewards.card = row.card;
    }

    for (MemberBattleStatus& line : gMemberBattleStatus) {
        line.maxHpBonus = 0;
        line.secondAction = 1;
    }
    for (int b = 0; b < kBodyguardCount; ++b) {
        const int max = computeBodyguardStat(b, kStatMaxHp);
        if (gBodyguards[b].hp > max) gBodyguards[b].hp = max;
    }

    rewards.experiencePool = schedule.groupExperience;
    std::memset(gMemberBattleStatus[kBodyguardLine].status, 0, kStatusCount);
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    gBattleType = static_cast<std::uint8_t>(record.battleType & 0xFF);

    if (group == 1) gMemberBattleStatus[0].status[kStatusDefenceUp] = 1;

    gBattleAction.phase = kPhaseAfterAction;
}

void endBattle() {
    for (MemberBattleStatus& line : gMemberBattleStatus) {
        line.maxHpBonus = 0;
        // Evade and the second action stay until the next set-up.
        for (int s = 0; s < kStatusEvade; ++s) line.status[s] = 0;
    }
    // The battle bonus is gone once gInBattle drops, so the maxima are read after.
    gInBattle = 0;
    for (int slot = 0; slot < 3; ++slot) {
        const int unit = gParty[slot];
        if (unit <= 0 || unit >= kUnitCount) continue;
        PartyMember& member = gPartyMembers[unit];
        if (member.hp <= 0) member.hp = 1;
        const int max = computeUnitStat(unit, kStatMaxHp);
        if (member.hp > max) member.hp = max;
    }
    for (int b = 0; b < kBodyguardCount; ++b) {
        const int max = computeBodyguardStat(b, kStatMaxHp);
        if (gBodyguards[b].hp > max) gBodyguards[b].hp = max;
    }
    gTransitionFrame = 0;
    gScene = 2;
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
    if (std::strcmp(gCurrentSong, gRememberedSong) != 0) {
        std::strncpy(gRequestedSong, gRememberedSong, sizeof gRequestedSong - 1);
        gRequestedSong[sizeof gRequestedSong - 1] = '\0';
    }
}

bool waitBattleMessage() {
    gBattleRewards.messageLock = 1;
    if (gMessageTyped != static_cast<int>(std::strlen(gMessageText))) {
        gInputCode = kInputNone;
        return false;
    }
    if (gInputCode == kInputDecide) {
        if (gConfig[6] != 1) playBattleSound("Pi.wav");
        gMessageTyped = 0;
        gBattleRewards.messageLock = 0;
        gInputCode = kInputNone;
        gRedrawRequest[1] = 2;
        return true;
    }
    gRedrawRequest[1] = 0;
    gInputCode = kInputNone;
    return false;
}

void selectPendingAction(int weaponCode, int stoneCode, int itemId, int actorSide) {
    BattleActionBlock& a = gBattleAction;
    a.pendingWeaponSkill = -1;
    a.pendingStoneSkill = -1;
    a.pendingItem = -1;
    if (weaponCode != -1) {
        for (int row = 0; row < kWeaponSkillCount; ++row) {
            if (gWeaponSkills[row].category == weaponCode / 10 && gWeaponSkills[row].level == weaponCode % 10) {
                a.pendingWeaponSkill = row;
                break;
            }
        }
        a.targetSide = 1 - actorSide;
    } else if (stoneCode != -1) {
        for (int row = 0; row < kStoneSkillCount; ++row) {
            const StoneSkillRow& skill = gStoneSkills[row];
            if (skill.attribute != stoneCode / 10 || skill.level != stoneCode % 10) continue;
            a.pendingStoneSkill = row;
            switch (skill.targetKind) {
            case 0: case 1: a.targetSide = 1 - actorSide; break;
            case 2: case 3: a.targetSide = actorSide; break;
            case 4: a.targetSide = kSideEnemy; break;
            default: break;
            }
            break;
        }
    } else if (itemId != -1) {
        a.pendingItem = itemId;
        if (itemId >= 0 && itemId < kItemCount) {
            const int kind = gItems[itemId].kind;
            if (kind == 8 || kind == 9) a.targetSide = actorSide;
            if (kind == 10 || kind == 11) a.targetSide = 1 - actorSide;
        }
    }
}
