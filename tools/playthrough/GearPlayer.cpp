#include "tools/playthrough/GearPlayer.h"

#include "tools/playthrough/ScreenPlayer.h"

#include "engine/Input.h"
#include "engine/Scene.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampMenu.h"
#include "menus/CampScreenParts.h"
#include "menus/CampState.h"
#include "menus/EquipScreen.h"
#include "menus/MagicScreen.h"
#include "menus/MenuState.h"

namespace {

constexpr int kCampEquipRow = 2;
constexpr int kCampMagicRow = 4;

bool caster(int unit) { return gUnitBases[unit].stats[kStatMagic] > gUnitBases[unit].stats[kStatAttack]; }

// Accessories whose worth is their rule rather than their bonuses; -1: one
// that takes more than it gives (swapped HP and SP, halved bonuses or heals,
// the damage gamble, the key-press games given up).
int accessoryRuleWorth(int unit, int item) {
    switch (item) {
        case 108: return 200;                    // +1000 most HP
        case 100: return 60;                     // +300 most HP
        case 126: return caster(unit) ? 300 : -1;  // magic and its cost doubled
        case 128: return caster(unit) ? 40 : 0;  // most SP doubled
        case 119: return 50;                     // stands up once when felled
        case 109: return 30;                     // acts first
        case 110: case 111: case 112: case 113: case 114: case 117: case 129: return -1;
        default: return 0;
    }
}

int slotItem(int unit, int slot) {
    const int item = gPartyMembers[unit].equipment[slot];
    return item > 0 && item < kItemCount ? item : 0;
}

// The unit's worst slot of the kind that takes the item, and what is in it.
int slotFor(int unit, int item) {
    if (equipSlotAccepts(unit, kEquipWeapon, item)) return kEquipWeapon;
    if (equipSlotAccepts(unit, kEquipProtector, item)) return kEquipProtector;
    if (!equipSlotAccepts(unit, kEquipAccessoryA, item)) return -1;
    return gearWorth(unit, slotItem(unit, kEquipAccessoryA)) <= gearWorth(unit, slotItem(unit, kEquipAccessoryB))
               ? kEquipAccessoryA
               : kEquipAccessoryB;
}

// What putting the item on gains the unit (0 or less: nothing).
int gain(int unit, int item, int* slot) {
    *slot = slotFor(unit, item);
    if (*slot < 0) return 0;
    const int worth = gearWorth(unit, item);
    return worth < 0 ? 0 : worth - gearWorth(unit, slotItem(unit, *slot));
}

}  // namespace

int gearWorth(int unit, int item) {
    if (item <= 0 || item >= kItemCount || unit <= 0 || unit >= kUnitCount) return 0;
    const int rule = gItems[item].kind == kItemKindAccessory ? accessoryRuleWorth(unit, item) : 0;
    if (rule < 0) return -1;
    const int* b = gItems[item].bonuses;
    // The stat the unit fights with counts twice.
    const int attack = caster(unit) ? b[0] : 2 * b[0];
    const int magic = caster(unit) ? 2 * b[2] : b[2];
    return rule + attack + b[1] + magic + b[3] + b[4] / 2;
}

bool nextGearChange(int* partySlot, int* equipSlot, int* item) {
    int best = 0;
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit <= 0 || unit >= kUnitCount) continue;
        for (int id = 1; id < kItemCount; ++id) {
            if (gItemStock[id].owned <= 0) continue;
            int slot = -1;
            const int g = gain(unit, id, &slot);
            if (g > best) {
                best = g;
                *partySlot = s;
                *equipSlot = slot;
                *item = id;
            }
        }
    }
    return best > 0;
}

bool nextCampHeal(int* casterSlot, int* position, int* targetSlot) {
    int hurt = -1, hurtCount = 0;
    double worst = 0.9;
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit <= 0 || unit >= kUnitCount || gPartyMembers[unit].hp <= 0) continue;
        const double share = static_cast<double>(gPartyMembers[unit].hp) / computeUnitStat(unit, kStatMaxHp);
        if (share < 0.9) ++hurtCount;
        if (share < worst) {
            worst = share;
            hurt = s;
        }
    }
    if (hurt < 0) return false;
    // The whole line's heal when more than one is hurt, else the one
    // member's; cast by whoever has the most SP for it.
    int bestSp = -1;
    for (int k = 0; k < kMagicListLength; ++k) {
        const StoneSkillRow& skill = gStoneSkills[k + 2];
        if ((hurtCount > 1) != (skill.targetKind == 3)) continue;
        for (int s = 0; s < 3; ++s) {
            const int unit = gParty[s];
            if (unit <= 0 || !magicCastable(k, unit) || gPartyMembers[unit].sp <= bestSp) continue;
            bestSp = gPartyMembers[unit].sp;
            *casterSlot = s;
            *position = k;
            *targetSlot = hurt;
        }
    }
    return bestSp >= 0;
}

int campHealCode() {
    int caster = 0, position = 0, target = 0;
    const bool heal = nextCampHeal(&caster, &position, &target);
    if (gScene == kSceneCampMenu) {
        if (!heal) return kInputCancel;
        if (gCampMenuCursor != kCampMagicRow) return gCampMenuCursor < kCampMagicRow ? kInputDown : kInputUp;
        return kInputDecide;
    }
    if (gScene != 205 || !heal) return kInputCancel;
    if (gSubScreenPage == 0) return gSubScreenCursor != caster ? kInputRight : kInputDecide;
    if (gSubScreenCursor != caster) return kInputCancel;
    if (gSubScreenPage == 1) return gSubScreenListCursor != position ? kInputRight : kInputDecide;
    if (gSubScreenListCursor != position) return kInputCancel;
    return gSubScreenListItem != target ? kInputDown : kInputDecide;
}

int equipCode() {
    int partySlot = 0, equipSlot = 0, item = 0;
    const bool change = nextGearChange(&partySlot, &equipSlot, &item);
    if (!change && gScene != 202) return stoneToWear() ? campCode(-1) : campHealCode();
    if (gScene == kSceneCampMenu) {
        if (gCampMenuCursor != kCampEquipRow) return gCampMenuCursor < kCampEquipRow ? kInputDown : kInputUp;
        return kInputDecide;
    }
    if (gScene != 202 || !change) return kInputCancel;
    if (gSubScreenPage == 0) {
        if (gSubScreenCursor != partySlot) return kInputRight;
        if (gSubScreenSlot != equipSlot) return kInputDown;
        return kInputDecide;
    }
    // The list holds the owned items the slot takes, by id.
    const int unit = gParty[partySlot];
    int place = 0;
    for (int id = 1; id < item; ++id) place += gItemStock[id].owned > 0 && equipSlotAccepts(unit, equipSlot, id);
    const int at = gSubScreenListScroll + gSubScreenListCursor;
    if (at == place) return kInputDecide;
    return at < place ? kInputDown : kInputUp;
}

int gearRowToBuy() {
    if (gRegionCurrency < 0 || gRegionCurrency >= kCurrencyCount) return -1;
    int best = 0, row = -1;
    for (int r = 0; r < kShopGoodsCount && gShopGoods[r] != 0; ++r) {
        const int id = gShopGoods[r];
        if (id <= 0 || id >= kItemCount || gItems[id].kind < 1 || gItems[id].kind > kItemKindAccessory) continue;
        if (gItemStock[id].owned > 0 || gMoney[gRegionCurrency] < gItems[id].price) continue;
        for (int s = 0; s < 3; ++s) {
            const int unit = gParty[s];
            if (unit <= 0 || unit >= kUnitCount) continue;
            int slot = -1;
            const int g = gain(unit, id, &slot);
            if (g > best) {
                best = g;
                row = r;
            }
        }
    }
    return row;
}
