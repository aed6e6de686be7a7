#include "tools/playthrough/ScreenPlayer.h"

#include <cstring>

#include "battle/BattleMenus.h"
#include "battle/BattleRecords.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "events/EventState.h"
#include "events/MessageWindow.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/MenuState.h"

namespace {

constexpr int kSprayStock = 9;  // bought up to this many

// Whether a member of the line still standing is under half of the most HP.
bool someoneHurt() {
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit == 0 || gPartyMembers[unit].hp <= 0) continue;
        if (gPartyMembers[unit].hp * 2 < computeUnitStat(unit, kStatMaxHp)) return true;
    }
    return false;
}

// Whether every member of the line has at least half of the most HP.
bool healthy() {
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit == 0) continue;
        if (gPartyMembers[unit].hp * 2 < computeUnitStat(unit, kStatMaxHp)) return false;
    }
    return true;
}

// The battle's item list: where the spray stands among the usable items.
int sprayPlace() {
    int n = 0;
    for (int id = 0; id < kItemCount; ++id) {
        if (gItems[id].kind < 8 || gItemStock[id].owned <= 0) continue;
        if (id == kSpray) return n;
        ++n;
    }
    return -1;
}

// The command menu's entry that carries `label`, or `fallback`.
int commandEntry(int label, int fallback) {
    int labels[5];
    const int count = commandMenuEntries(labels);
    for (int e = 0; e < count; ++e)
        if (labels[e] == label) return e;
    return fallback;
}

constexpr int kLabelItem = 2;
constexpr int kLabelEscape = 4;

}  // namespace

int eventCode(int wanted) {
    if (gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) return kInputDecide;
    if (gMessageMode == 2) {
        if (gChoiceCursor < wanted) return kInputDown;
        if (gChoiceCursor > wanted) return kInputUp;
        return kInputDecide;
    }
    if (gMessageMode == 0 && gStillPicture > 0 && gStillPictureAlpha == 255) return kInputDecide;
    return 0;
}

// The story's battles are fought with the first command on the first enemy,
// the key-press game played with a press every other frame and every result
// page passed on; a symbol met on the way is fought too while the party is
// healthy, else run from. A hurt line is sprayed first.
int battleCode(bool symbolBattle) {
    switch (gBattleAction.phase) {
        case kPhaseCommand: {
            int wanted = 0;
            if (someoneHurt() && sprayPlace() >= 0) {
                wanted = commandEntry(kLabelItem, 0);
            } else if (symbolBattle && !healthy()) {
                wanted = commandEntry(kLabelEscape, 0);
            }
            if (gBattleAction.commandCursor == wanted) return kInputDecide;
            return gBattleAction.commandCursor > wanted ? kInputUp : kInputDown;
        }
        case kPhaseWeaponList:
        case kPhaseWeaponEnemyTarget:
        case kPhaseItemAllyTarget:
        case kPhaseItemAllConfirm:
            return kInputDecide;
        case kPhaseItemList: {
            const int place = sprayPlace();
            const int at = 2 * gBattleAction.listScroll + gBattleAction.listCursor;
            if (place < 0) return kInputCancel;
            if (place == at) return kInputDecide;
            if (place >= at + 2) return kInputDown;
            if (place <= at - 2) return kInputUp;
            return place > at ? kInputRight : kInputLeft;
        }
        case kPhaseActionRun:
            return (gBattleAction.actionFrame % 2) == 0 ? kInputDecide : 0;
        default:
            return gBattleAction.phase >= kPhaseVictory ? kInputDecide : 0;
    }
}

int shopCode() {
    if (gScene != 300) return kInputCancel;
    const bool affordable = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount &&
                            gMoney[gRegionCurrency] >= gItems[kSpray].price && gItemStock[kSpray].owned < kSprayStock;
    int row = -1;
    for (int r = 0; r < kShopGoodsCount && gShopGoods[r] != 0; ++r)
        if (gShopGoods[r] == kSpray) row = r;
    if (gMenuPage == 1) return affordable ? kInputDecide : kInputCancel;
    if (row < 0 || !affordable) return kInputCancel;
    if (gMenuListCursor != row) return gMenuListCursor < row ? kInputDown : kInputUp;
    return kInputDecide;
}
