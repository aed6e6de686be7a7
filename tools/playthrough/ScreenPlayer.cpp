#include "tools/playthrough/ScreenPlayer.h"

#include "tools/playthrough/GearPlayer.h"

#include <cstring>

#include "battle/BattleMenus.h"
#include "battle/BattleRecords.h"
#include "battle/KeyPressGame.h"
#include "battle/LectureBattles.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "field/EventState.h"
#include "events/MessageWindow.h"
#include "field/FieldState.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/BankLogic.h"
#include "menus/CampMenu.h"
#include "menus/CampScreenParts.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"
#include "menus/StoneScreen.h"
#include "menus/Title.h"
#include "gamedata/SaveFile.h"

namespace {

// What the counters sell the party, best first: the sprays that heal the
// whole line, each bought up to its stock.
struct Want {
    int item;
    int stock;
};
constexpr Want kShoppingList[] = {{153, 4}, {151, 5}, {133, 8}, {131, 9}};


}  // namespace

int bestSpray() {
    for (const Want& w : kShoppingList)
        if (gItemStock[w.item].owned > 0) return w.item;
    return 0;
}

bool lineHealthy() {
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit == 0) continue;
        if (gPartyMembers[unit].hp * 2 < computeUnitStat(unit, kStatMaxHp)) return false;
    }
    return true;
}

int lineLevel() {
    int lowest = 999;
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit != 0 && gPartyMembers[unit].level < lowest) lowest = gPartyMembers[unit].level;
    }
    return lowest;
}

namespace {

// The battle's item list: where an item stands among the usable ones.
int itemPlace(int item) {
    int n = 0;
    for (int id = 0; id < kItemCount && item > 0; ++id) {
        if (gItems[id].kind < 8 || gItemStock[id].owned <= 0) continue;
        if (id == item) return n;
        ++n;
    }
    return -1;
}

// The heal chosen at the command menu: an item and the party slot it is
// given to (-1: the whole line).
struct Heal {
    int item = 0;
    int slot = -1;
};
Heal gHeal;
double gHealShare = 0.5;  // a member under this share of his most HP is hurt

// A living member under the hurt share of his most HP.
bool memberHurt(int unit) {
    return gPartyMembers[unit].hp > 0 && gPartyMembers[unit].hp < gHealShare * computeUnitStat(unit, kStatMaxHp);
}

constexpr int kReviveItem = 155;
constexpr int kReviveAllItem = 156;
constexpr int kPotions[] = {148, 134, 132, 130};  // one member, best first

// What a careful player gives now: a fallen member is revived, a line with
// more than one member hurt (under half his most HP, or the share the route
// asks for) is sprayed, one hurt member gets the best potion owned (or the
// spray). Nothing when all is well.
Heal chooseHeal() {
    int hurt = 0, worst = -1;
    double worstShare = 1.0;
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit == 0) continue;
        const int most = computeUnitStat(unit, kStatMaxHp);
        if (gPartyMembers[unit].hp <= 0) {
            if (gItemStock[kReviveItem].owned > 0) return Heal{kReviveItem, s};
            if (gItemStock[kReviveAllItem].owned > 0) return Heal{kReviveAllItem, -1};
            continue;
        }
        const double share = most > 0 ? static_cast<double>(gPartyMembers[unit].hp) / most : 1.0;
        if (memberHurt(unit)) ++hurt;
        if (share < worstShare) {
            worstShare = share;
            worst = s;
        }
    }
    if (hurt == 0) return Heal{};
    if (hurt > 1 && bestSpray() != 0) return Heal{bestSpray(), -1};
    for (int potion : kPotions)
        if (gItemStock[potion].owned > 0 && worst >= 0) return Heal{potion, worst};
    if (bestSpray() != 0) return Heal{bestSpray(), -1};
    return Heal{};
}

// The command menu's entry that carries `label`, or `fallback`.
int commandEntry(int label, int fallback) {
    int labels[5];
    const int count = commandMenuEntries(labels);
    for (int e = 0; e < count; ++e)
        if (labels[e] == label) return e;
    return fallback;
}

// A fresh press of `code`: let go for a frame after a press.
int press(int code) { return gKeyPressGame.lastInputCode != 0 ? 0 : code; }

// The note of the lane that will stand in the hit window after this frame's
// move (about 17 ms), or -1.
int noteInWindow() {
    const KeyPressGameState& g = gKeyPressGame;
    int best = -1, bestPlace = 0;
    for (int i = 0; i < kKeyPressSlots; ++i) {
        const int p = g.notePositions[i];
        if (p == kNoteEmpty || p < 1) continue;
        const int next = p + static_cast<int>(17.0 * static_cast<double>(g.noteSpeeds[i]));
        if (next >= kNoteWindowFirst + 8 && next <= kNoteWindowLast - 8 && next > bestPlace) {
            best = i;
            bestPlace = next;
        }
    }
    return best;
}

// The key-press game of a weapon skill, played as a practised player does:
// mash the key shown, hit the lane's notes in their window, type the
// sequence, press the chord's diagonal, complete the groups, let go of the
// held key just before the gauge runs out, stop the marker on the target.
int keyPressCode() {
    const KeyPressGameState& g = gKeyPressGame;
    const int any = kInputDecide;
    switch (gKeyPressMode) {
        case kKeyPressMash: return press(g.keys[0]);
        case kKeyPressNoteLane: {
            if (g.timerRunning == 0) return press(any);
            const int note = noteInWindow();
            return note < 0 ? 0 : press(g.keys[note]);
        }
        case kKeyPressSequence: return g.timerRunning == 0 ? press(any) : press(g.keys[gHitCount % kKeyPressSlots]);
        case kKeyPressChord: return g.timerRunning == 0 ? press(any) : press(g.keys[2]);
        case kKeyPressKeyGroups: {
            const int place = g.noteCount >= 0 && g.noteCount < 4 ? g.noteCount : 0;
            return g.timerRunning == 0 ? press(any) : press(g.keys[place]);
        }
        case kKeyPressHoldRelease:
            if (g.timerRunning == 0) return press(g.keys[0]);
            return g.elapsedMs < 1880 ? kInputDecide : 0;
        case kKeyPressMarkerHeight:
        case kKeyPressMarkerAcross:
        case kKeyPressMarkerDepth: {
            if (g.timerRunning == 0) return press(any);
            const int cycle = gKeyPressMode == kKeyPressMarkerHeight ? 600 : gKeyPressMode == kKeyPressMarkerAcross ? 800 : 1600;
            const int stopAt = gKeyPressMode == kKeyPressMarkerHeight ? cycle * 5 / 6 : cycle - 40;
            const int e = g.elapsedMs % cycle;
            return e >= stopAt - 20 && e < stopAt ? any : 0;
        }
        default: return press(any);
    }
}

// The enemy a player strikes: the weakest standing one, so that fewer are
// left to hit back; a boss that has split into copies of himself is told
// from his copies by his name, and struck first.
int preferredEnemy() {
    int best = -1;
    bool bestIsCopy = true;
    for (int slot = 0; slot < kEnemySlotCount; ++slot) {
        const EnemyBattler& e = gEnemyBattlers[slot];
        if (e.monster <= 0 || e.monster >= kMonsterCount || e.hp <= 0) continue;
        const bool copy = std::strstr(gMonsters[e.monster].name, "の分身") != nullptr;
        const bool before = best < 0 || (bestIsCopy && !copy) ||
                            (copy == bestIsCopy && e.hp < gEnemyBattlers[best].hp);
        if (before) {
            best = slot;
            bestIsCopy = copy;
        }
    }
    return best;
}

// The stone skill a member casts this turn: its entry in the stone list
// (stone slot x 2 + level) and the party slot it is cast on (-1: the
// enemies, or the whole line). No entry: -1.
struct StoneCast {
    int entry = -1;
    int slot = -1;
};
StoneCast gStoneCast;

// How many enemies stand, and whether they lean to magic rather than arms.
int enemiesStanding() {
    int n = 0;
    for (int k = 0; k < kEnemySlotCount; ++k) n += gEnemyBattlers[k].monster > 0 && gEnemyBattlers[k].hp > 0;
    return n;
}

bool enemiesLeanToMagic() {
    long magic = 0, arms = 0;
    for (int k = 0; k < kEnemySlotCount; ++k) {
        const int monster = gEnemyBattlers[k].monster;
        if (monster <= 0 || monster >= kMonsterCount || gEnemyBattlers[k].hp <= 0) continue;
        magic += gMonsters[monster].magic;
        arms += gMonsters[monster].attack;
    }
    return magic > arms;
}

// The stone-skill row of an entry of the acting member's list that the
// member can pay for, -1 none.
int affordableStoneRow(int unit, int entry) {
    const int row = stoneSkillRowFor(unit, entry / 2, entry % 2);
    if (row < 0) return -1;
    const float cost = static_cast<float>(gStoneSkills[row].spCost) * stoneSpFactor(unit);
    return static_cast<float>(gPartyMembers[unit].sp) >= cost ? row : -1;
}

int stoneCode(int row) { return gStoneSkills[row].attribute * 10 + gStoneSkills[row].level; }

// The first living member without `status`, -1 none.
int memberLacking(int status) {
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit != 0 && gPartyMembers[unit].hp > 0 && gMemberBattleStatus[s].status[status] == 0) return s;
    }
    return -1;
}

// What a member casts in a story battle, as a careful player would: a fallen
// member raised, the whole line healed when more than one is hurt, the
// line shielded against the enemies' stronger side (magic or arms) one by
// one, and, for a member stronger in magic than in arms, the strongest
// attack its stones give (a spell that strikes every enemy counts once for
// each that stands; the quake that shakes the party too is left alone).
StoneCast chooseStoneCast(int hurt, int fallen) {
    const int unit = gBattleAction.actingSide == 0 && gBattleAction.actingIndex < 3 ? gParty[gBattleAction.actingIndex] : 0;
    if (unit == 0 || gBattleSchedule.soloMode != 0) return {};
    const bool caster = computeUnitStat(unit, kStatMagic) > computeUnitStat(unit, kStatAttack);
    const int shieldCode = enemiesLeanToMagic() ? 61 : 51;
    const int shieldStatus = shieldCode == 61 ? kStatusMagicDefenceUp : kStatusDefenceUp;
    StoneCast best;
    int bestWorth = 0;
    for (int entry = 0; entry < 4; ++entry) {
        const int row = affordableStoneRow(unit, entry);
        if (row < 0) continue;
        const int code = stoneCode(row);
        const StoneSkillRow& skill = gStoneSkills[row];
        StoneCast cast{entry, -1};
        int worth = 0;
        if (code == 31 && fallen >= 0) {
            worth = 3000;
            cast.slot = fallen;
        } else if ((code == 41 || code == 81 || code == 11) && hurt >= 2) {
            worth = 2000 + skill.power;
        } else if (code == shieldCode && memberLacking(shieldStatus) >= 0) {
            worth = 1000;
            cast.slot = memberLacking(shieldStatus);
        } else if (caster && (skill.targetKind == 0 || skill.targetKind == 1) && skill.power > 0 && code != 50) {
            worth = skill.power * (skill.targetKind == 1 ? enemiesStanding() : 1) * (code == 10 ? 3 : 1);
        }
        if (worth > bestWorth) {
            best = cast;
            bestWorth = worth;
        }
    }
    return best;
}

bool gStrongestSkills = false;

// The weapon skill picked: the first of the list, or, once the route asks
// for it, the highest level open to the acting member (each level strikes
// harder than the one below; the first, as the tutor asks, in the lecture
// battles).
int weaponLevelPicked() {
    if (!gStrongestSkills || gBattleGroup == kAttackLectureGroup || gBattleGroup == kStoneLectureGroup) return 0;
    const int i = gBattleAction.actingIndex;
    const int unit = i >= 0 && i < 3 ? gParty[i] : 0;
    if (unit <= 0 || unit >= kUnitCount) return 0;
    int best = 0;
    for (int level = 1; level < 4; ++level)
        if (weaponLevelOpen(unit, level) && weaponSkillRowFor(gUnitBases[unit].weaponCategory, level) >= 0) best = level;
    return best;
}

constexpr int kBodyguardLevelStat = 99;
constexpr int kFloorPanelCursorFlag = 912;

// The hired bodyguard a player calls into a story battle: the one of the
// highest level still standing, when he outranks the acting member; -1 none.
int bodyguardToCall() {
    const int i = gBattleAction.actingIndex;
    const int unit = i >= 0 && i < 3 ? gParty[i] : 0;
    const int own = unit > 0 && unit < kUnitCount ? gPartyMembers[unit].level : 0;
    int best = -1, bestLevel = own;
    for (int b = 0; b < kBodyguardCount; ++b) {
        if (gBodyguardHired[b] != 1 || gBodyguards[b].hp <= 0) continue;
        const int level = computeBodyguardStat(b, kBodyguardLevelStat);
        if (level > bestLevel) {
            best = b;
            bestLevel = level;
        }
    }
    return best;
}

// The first fallen member, -1 none.
int fallenMember() {
    for (int s = 0; s < 3; ++s)
        if (gParty[s] != 0 && gPartyMembers[gParty[s]].hp <= 0) return s;
    return -1;
}

// The living members under the hurt share of their most HP (half, or the
// route's `heal` share), as the items' choice counts them.
int hurtMembers() {
    int hurt = 0;
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit != 0 && memberHurt(unit)) ++hurt;
    }
    return hurt;
}

constexpr int kLabelStone = 1;
constexpr int kLabelItem = 2;
constexpr int kLabelBodyguard = 3;
constexpr int kLabelBodyguardAction = 5;
constexpr int kLabelEscape = 4;

}  // namespace

void pickStrongestSkills(bool strongest) { gStrongestSkills = strongest; }

void healUnder(int percent) { gHealShare = percent / 100.0; }

int eventCode(int wanted) {
    // The lift car's floor panel: its cursor (story flag 912) to the wanted
    // floor's place, five places a column, then decide.
    if (gFloorPanelShown == 1) {
        const int cursor = gStoryFlags[kFloorPanelCursorFlag];
        if (cursor == wanted) return kInputDecide;
        if (wanted - cursor >= 5) return kInputRight;
        return cursor < wanted ? kInputDown : kInputUp;
    }
    if (gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) return kInputDecide;
    if (gMessageMode == 2) {
        if (gChoiceCursor < wanted) return kInputDown;
        if (gChoiceCursor > wanted) return kInputUp;
        return kInputDecide;
    }
    if (gMessageMode == 0 && gStillPicture > 0 && gStillPictureAlpha == 255) return kInputDecide;
    if (gStoneBannerShown == 1) return kInputDecide;  // a magical stone obtained
    return 0;
}

// The story's battles are fought with the first command on the weakest enemy,
// the key-press game played with a press every other frame and every result
// page passed on; a symbol met on the way is fought too while the party is
// healthy, else run from. A hurt line is sprayed first.
int battleCode(bool symbolBattle) {
    switch (gBattleAction.phase) {
        case kPhaseCommand: {
            int wanted = 0;
            const int taught = lectureTaughtCommand();
            // A lecture's lessons keep to the commands they teach.
            const bool lecture = lectureStepCount(gBattleGroup) > 0;
            gStoneCast = symbolBattle || lecture ? StoneCast{} : chooseStoneCast(hurtMembers(), fallenMember());
            if (taught >= 0) {
                wanted = taught;
            } else if (gStoneCast.entry >= 0) {
                wanted = commandEntry(kLabelStone, 0);
            } else if ((gHeal = chooseHeal()).item != 0 && itemPlace(gHeal.item) >= 0) {
                wanted = commandEntry(kLabelItem, 0);
            } else if (symbolBattle && !lineHealthy()) {
                wanted = commandEntry(kLabelEscape, 0);
            } else if (gBattleSchedule.soloMode != 0) {
                wanted = commandEntry(kLabelBodyguardAction, 0);
            } else if (!symbolBattle && bodyguardToCall() >= 0) {
                wanted = commandEntry(kLabelBodyguard, 0);
            }
            if (gBattleAction.commandCursor == wanted) return kInputDecide;
            return gBattleAction.commandCursor > wanted ? kInputUp : kInputDown;
        }
        case kPhaseItemAllyTarget:
            if (gBattleAction.targetRange == 0 && gHeal.slot >= 0 && gBattleAction.targetIndex != gHeal.slot)
                return kInputRight;
            return kInputDecide;
        case kPhaseWeaponEnemyTarget:
        case kPhaseStoneEnemyTarget: {
            const int wanted = preferredEnemy();
            if (gBattleAction.targetRange == 0 && wanted >= 0 && gBattleAction.targetIndex != wanted) return kInputRight;
            return kInputDecide;
        }
        case kPhaseWeaponList: {
            const int wanted = weaponLevelPicked();
            if (gBattleAction.listCursor == wanted) return kInputDecide;
            return gBattleAction.listCursor < wanted ? kInputDown : kInputUp;
        }
        case kPhaseBodyguardList: {
            const int wanted = bodyguardToCall();
            if (wanted < 0) return kInputCancel;
            if (gBattleAction.listCursor == wanted) return kInputDecide;
            return gBattleAction.listCursor < wanted ? kInputDown : kInputUp;
        }
        case kPhaseStoneList:
            if (gStoneCast.entry < 0) return kInputDecide;  // a lecture's lesson: the first entry
            if (gBattleAction.listCursor == gStoneCast.entry) return kInputDecide;
            return gBattleAction.listCursor < gStoneCast.entry ? kInputDown : kInputUp;
        case kPhaseStoneAllyTarget:
            if (gBattleAction.targetRange == 0 && gStoneCast.slot >= 0 && gBattleAction.targetIndex != gStoneCast.slot)
                return kInputRight;
            return kInputDecide;
        case kPhaseStoneAllConfirm:
        case kPhaseItemAllConfirm:
            return kInputDecide;
        case kPhaseItemList: {
            const int place = itemPlace(gHeal.item);
            const int at = 2 * gBattleAction.listScroll + gBattleAction.listCursor;
            if (place < 0) return kInputCancel;
            if (place == at) return kInputDecide;
            if (place >= at + 2) return kInputDown;
            if (place <= at - 2) return kInputUp;
            return place > at ? kInputRight : kInputLeft;
        }
        case kPhaseActionRun:
            if (gKeyGameShown == 1) return keyPressCode();
            return (gBattleAction.actionFrame % 2) == 0 ? kInputDecide : 0;
        default:
            return gBattleAction.phase >= kPhaseVictory ? kInputDecide : 0;
    }
}

int shopCode(bool gearFirst) {
    if (gScene != 300) return kInputCancel;
    const int gear = gearFirst ? gearRowToBuy() : -1;
    if (gear >= 0) {
        if (gMenuPage == 1) return gMenuListCursor == gear ? kInputDecide : kInputCancel;
        if (gMenuListCursor != gear) return gMenuListCursor < gear ? kInputDown : kInputUp;
        return kInputDecide;
    }
    // The first goods of the list that the counter sells, the party lacks
    // and the money pays for.
    const bool paying = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount;
    int row = -1;
    for (const Want& w : kShoppingList) {
        if (!paying || gItemStock[w.item].owned >= w.stock || gMoney[gRegionCurrency] < gItems[w.item].price) continue;
        for (int r = 0; r < kShopGoodsCount && gShopGoods[r] != 0 && row < 0; ++r)
            if (gShopGoods[r] == w.item) row = r;
        if (row >= 0) break;
    }
    if (gMenuPage == 1) return row >= 0 && gShopGoods[gMenuListCursor] == gShopGoods[row] ? kInputDecide : kInputCancel;
    if (row < 0) return kInputCancel;
    if (gMenuListCursor != row) return gMenuListCursor < row ? kInputDown : kInputUp;
    return kInputDecide;
}

namespace {

constexpr int kCampStoneRow = 3;
constexpr int kCampSaveRow = 8;

// A stone that no one wears, 0 when none.
int spareStone() {
    for (int stone = 1; stone <= kStoneFlagCount; ++stone)
        if (stoneOffered(stone)) return stone;
    return 0;
}

bool freeStoneSlot(int unit, int slot) { return unit != 0 && gPartyMembers[unit].stones[slot] == 0; }

bool someoneCanWearAStone() {
    for (int s = 0; s < 3; ++s)
        if (freeStoneSlot(partyUnit(s), 0) || freeStoneSlot(partyUnit(s), 1)) return true;
    return false;
}

}  // namespace

bool stoneToWear() { return spareStone() != 0 && someoneCanWearAStone(); }

int chooseSlot(int slot) {
    if (gSaveSlotCursor == slot) return kInputDecide;
    return gSaveSlotCursor < slot ? kInputRight : kInputLeft;
}

int campCode(int saveSlot) {
    const bool equipping = spareStone() != 0 && someoneCanWearAStone();
    if (gScene == kSceneCampMenu) {
        const int row = equipping ? kCampStoneRow : saveSlot >= 0 ? kCampSaveRow : -1;
        if (row < 0 || gResetConfirmOpen) return kInputCancel;
        if (gCampMenuCursor != row) return gCampMenuCursor < row ? kInputDown : kInputUp;
        return kInputDecide;
    }
    if (gScene == kSceneMenuSave) return saveSlot >= 0 ? chooseSlot(saveSlot) : kInputCancel;
    if (gScene == 203 && equipping) {
        if (gSubScreenPage == 1) return gSubScreenListItem != 0 ? kInputDecide : kInputCancel;
        const int unit = partyUnit(gSubScreenCursor);
        if (freeStoneSlot(unit, gSubScreenSlot)) return kInputDecide;
        if (freeStoneSlot(unit, 1 - gSubScreenSlot)) return kInputDown;
        return kInputRight;
    }
    return kInputCancel;
}

int titleCode(int loadSlot) {
    switch (gScene) {
        case 1000: return kInputDecide;
        case 1001: {
            const int entry = loadSlot >= 0 ? 1 : 0;  // Game Start, Continue
            if (gTitleMenuCursor == entry) return kInputDecide;
            return gTitleMenuCursor < entry ? kInputDown : kInputUp;
        }
        case 1002: return loadSlot >= 0 ? chooseSlot(loadSlot) : kInputCancel;
        default: return 0;
    }
}

int bankCode(int loanWanted) {
    const int hundreds = (loanWanted - gLoan) / 100;
    if (gMenuPage == 0) {
        if (hundreds < 1) return kInputCancel;
        if (gMenuTopCursor != kBankLoan) return kInputUp;
        return kInputDecide;
    }
    if (gMenuPage != 2 || gMenuTopCursor != kBankLoan || hundreds < 1) return kInputCancel;
    if (gMenuAmount + 10 <= hundreds) return kInputUp;
    if (gMenuAmount < hundreds) return kInputRight;
    if (gMenuAmount > hundreds) return kInputLeft;
    return kInputDecide;
}
