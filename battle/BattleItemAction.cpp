// The script of an item used in battle: the banner, the item taken from the
// stock once when the party uses it, sparkles on the battlers concerned, the
// recovery sound, and the item's effects queued through the damage resolver.
#include "battle/BattleItemAction.h"

#include <cstring>

#include "battle/SkillScriptSteps.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

ItemFamily itemFamily(int id) {
    switch (id) {
        case 130: case 132: case 134: case 148: case 150: return ItemFamily::HpOne;
        case 131: case 133: case 135: case 151: case 153: case 154: return ItemFamily::HpSide;
        case 136: case 137: case 138: case 139: case 149: case 152: return ItemFamily::SpOne;
        case 140: case 141: case 142: case 143: case 144: return ItemFamily::Status;
        case 145: return ItemFamily::MaxHpFixed;
        case 146: return ItemFamily::MaxHpDouble;
        case 147: return ItemFamily::Evade;
        case 155: return ItemFamily::ReviveOne;
        case 156: return ItemFamily::ReviveAll;
        case 157: case 158: case 159: return ItemFamily::Regen;
        case 160: return ItemFamily::Dispel;
        default: return id >= 161 && id <= 174 ? ItemFamily::Boost : ItemFamily::None;
    }
}

int recoveryAmount(int id, int side, int index, bool sp) {
    if (id < 0 || id >= kItemCount) return 0;
    const int fixed = gItems[id].bonuses[2];
    const int percent = gItems[id].bonuses[3];
    int maximum = 0;
    if (side == kSideEnemy) {
        if (index >= 0 && index < kEnemySlotCount) maximum = gEnemyBattlers[index].maxHp;
    } else if (!sp && gBattleSchedule.soloMode == 1) {
        maximum = computeBodyguardStat(gBattleSchedule.bodyguardIndex, kStatMaxHp);
    } else if (index >= 0 && index < 3 && gParty[index] > 0 && gParty[index] < kUnitCount) {
        maximum = computeUnitStat(gParty[index], sp ? kStatMaxSp : kStatMaxHp);
    }
    return fixed + static_cast<int>(static_cast<long long>(maximum) * percent / 100);
}

namespace {

bool unitAt(int index) { return index >= 0 && index < 3 && gParty[index] > 0 && gParty[index] < kUnitCount; }

// A sparkle billboard at a battler, nudged so it stands over the sprite.
void sparkleAt(int slot, int column, int row, int side, int index, float dy = 0.25f) {
    const BattleActor& a = actorOf(side, index);
    showSlot(slot, column, row, a.x - 0.25f, a.y + dy, a.z - 0.25f);
}

// The battlers of a whole-side recovery: standing members, or present enemies.
int wholeSide(int side, int out[6]) {
    int n = 0;
    if (side == kSideEnemy) {
        for (int i = 0; i < kEnemySlotCount; ++i)
            if (gEnemyBattlers[i].monster != 0) out[n++] = i;
    } else if (gBattleSchedule.soloMode == 1) {
        out[n++] = kBodyguardLine;
    } else {
        for (int i = 0; i < 3; ++i)
            if (unitAt(i) && gPartyMembers[gParty[i]].hp != 0) out[n++] = i;
    }
    return n;
}

int fallenMembers(int out[6]) {
    int n = 0;
    for (int i = 0; i < 3; ++i)
        if (unitAt(i) && gPartyMembers[gParty[i]].hp == 0) out[n++] = i;
    return n;
}

bool setsStoryFlag(int id) { return (id >= 140 && id <= 147) || (id >= 157 && id <= 160); }

void placeBillboards(int id) {
    for (EffectSlot& s : gEffectSlots) {
        s.active = 0;
        s.kind = 0;
        s.row = 0;
    }
    const int own = actingSide();
    const int other = own == kSideParty ? kSideEnemy : kSideParty;
    const int target = targetIndex();
    int set[6];
    switch (itemFamily(id)) {
        case ItemFamily::HpOne:
        case ItemFamily::SpOne:
        case ItemFamily::MaxHpFixed:
        case ItemFamily::MaxHpDouble:
        case ItemFamily::ReviveOne:
        case ItemFamily::Regen: sparkleAt(0, 3, 4, own, target); break;
        case ItemFamily::Status: sparkleAt(0, 2, 4, own, target, -0.25f); break;
        case ItemFamily::Evade: sparkleAt(0, 1, 4, own, target); break;
        case ItemFamily::Dispel: sparkleAt(0, 1, 4, other, target); break;
        case ItemFamily::HpSide: {
            const int n = wholeSide(own, set);
            for (int i = 0; i < n; ++i) sparkleAt(set[i], 3, 4, own, set[i]);
            break;
        }
        case ItemFamily::ReviveAll: {
            const int n = fallenMembers(set);
            for (int i = 0; i < n; ++i) sparkleAt(set[i], 3, 4, kSideParty, set[i]);
            break;
        }
        case ItemFamily::Boost: {
            int slot = 0;
            if (gBattleSchedule.soloMode == 1) {
                sparkleAt(slot++, 1, 2, kSideParty, kBodyguardLine);
            } else {
                for (int i = 0; i < 3; ++i)
                    if (unitAt(i) && gPartyMembers[gParty[i]].hp != 0) sparkleAt(slot++, 1, 2, kSideParty, i);
            }
            for (int i = 0; i < kEnemySlotCount; ++i)
                if (gEnemyBattlers[i].monster != 0) sparkleAt(slot++, 1, 2, kSideEnemy, i);
            break;
        }
        case ItemFamily::None: break;
    }
    if (own == kSideParty && setsStoryFlag(id)) gStoryFlags[120] = 1;
}

void queueRecovery(int id, int side, int index, bool sp) {
    resolveEffect(0, 0, side, index, sp ? 3 : 0, -recoveryAmount(id, side, index, sp), kEffectFixed);
}

// The effects queued when the first wait ends.
void queueEffects(int id) {
    const int side = targetSide();
    const int index = targetIndex();
    int set[6];
    switch (itemFamily(id)) {
        case ItemFamily::HpOne: queueRecovery(id, side, index, false); break;
        case ItemFamily::SpOne:
            // Only a party slot holding a member has SP to restore.
            if (side == kSideParty && unitAt(index) && gBattleSchedule.soloMode == 0) queueRecovery(id, side, index, true);
            break;
        case ItemFamily::HpSide: {
            const int own = actingSide();
            const int n = wholeSide(own, set);
            for (int i = 0; i < n; ++i) queueRecovery(id, own, set[i], false);
            break;
        }
        case ItemFamily::Status: resolveEffect(0, 0, side, index, 0, 0, id - 134); break;
        case ItemFamily::MaxHpFixed:
        case ItemFamily::MaxHpDouble: {
            if (side != kSideParty || !unitAt(index) || gBattleSchedule.soloMode != 0) break;
            const int bonus =
                itemFamily(id) == ItemFamily::MaxHpFixed ? gItems[id].bonuses[2] : computeUnitStat(gParty[index], kStatMaxHp);
            resolveEffect(0, 0, side, index, 3, -bonus, kEffectMaxHpBonus);
            gMemberBattleStatus[index].maxHpBonus += bonus;
            break;
        }
        case ItemFamily::Evade: resolveEffect(0, 0, side, index, 0, 0, kEffectGrantEvade); break;
        case ItemFamily::ReviveOne:
            if (partyLineHp(index) == 0 && (side == kSideParty)) resolveEffect(0, 0, side, index, 0, 0, kEffectRevive);
            break;
        case ItemFamily::ReviveAll: {
            const int n = fallenMembers(set);
            for (int i = 0; i < n; ++i) resolveEffect(0, 0, kSideParty, set[i], 0, 0, kEffectRevive);
            break;
        }
        case ItemFamily::Dispel: {
            const int passed = actingSide() == kSideParty && gBattleSchedule.soloMode == 1 ? kBodyguardLine : index;
            resolveEffect(0, 0, side, passed, 0, 0, kEffectDispel);
            break;
        }
        default: break;
    }
}

void runCommonSteps(const SkillFrame& f, int id) {
    switch (scriptStep()) {
        case 0: placeBillboards(id); break;
        case 1:
            playSkillSound("Item_Kaihuku.wav");
            if (itemFamily(id) == ItemFamily::Boost) gBattleRewards.boostItem = id;
            drawEffects(f);
            gWaitCounter = 0;
            break;
        case 2:
            drawEffects(f);
            if (!waitStep(15)) return;
            queueEffects(id);
            gWaitCounter = 0;
            break;
        case 3: waitStep(10); break;
        case 4: endScript(); break;
        default: break;
    }
}

void runRegenSteps(const SkillFrame& f, int id) {
    switch (scriptStep()) {
        case 0: placeBillboards(id); break;
        case 1:
            drawEffects(f);
            gWaitCounter = 0;
            break;
        case 2:
            if (id == 157 || id == 159) {
                playSkillSound("Item_Kaihuku.wav");
                resolveEffect(0, 0, targetSide(), targetIndex(), 0, 0, kEffectGrantAttackUp + 5);
            }
            break;
        case 3:
            drawEffects(f);
            if (!waitStep(30)) return;
            if (id == 158 || id == 159) {
                playSkillSound("Item_Kaihuku.wav");
                resolveEffect(0, 0, targetSide(), targetIndex(), 0, 0, kEffectGrantSpRegen);
            }
            break;
        case 4: waitStep(10); break;
        case 5: endScript(); break;
        default: break;
    }
}

// The party pays for its item in the action's first frame, once.
void takeFromStock(int id) {
    if (gBattleAction.step != 0 || gBattleAction.actionFrame != 0) return;
    if (actingSide() != kSideParty || gBattleSchedule.soloMode != 0) return;
    if (id < 0 || id >= kItemCount) return;
    if (gItemStock[id].owned > 0) gItemStock[id].owned -= 1;
}

void drawBanner(GraphicsResources& resources, gfx::Device* device, int id) {
    if (device == nullptr || id < 0 || id >= kItemCount) return;
    char name[sizeof gItems[id].name + 1];
    std::memcpy(name, gItems[id].name, sizeof gItems[id].name);
    name[sizeof gItems[id].name] = '\0';
    beginTextFont(device, 15, kMenuFontFace);
    drawText(resources, device, gfx::Rect{150, 4, 490, 24}, name, 42);
    endTextFont();
}

}  // namespace

int runItemAction(GraphicsResources& resources, gfx::Device* device) {
    const SkillFrame f{resources, device};
    const int id = gBattleAction.pendingItem;
    if (device != nullptr) drawWindowFrame(resources, device, 150, 0, 340, 25);
    if (gRedrawRequest[1] != 0) drawBanner(resources, device, id);
    takeFromStock(id);
    const ItemFamily family = itemFamily(id);
    if (family == ItemFamily::None) {
        // An item without a script ends at once.
        if (scriptStep() < kScriptEndStep) endScript();
    } else if (family == ItemFamily::Regen) {
        runRegenSteps(f, id);
    } else {
        runCommonSteps(f, id);
    }
    if (device != nullptr) drawWindowFrame(resources, device, 150, 0, 340, 25);
    gBattleAction.step += 1;
    gBattleAction.actionFrame += 1;
    if (gBattleAction.step >= kActionDoneStep) {
        gRedrawRequest[1] = 2;
        return 1;
    }
    return 0;
}
