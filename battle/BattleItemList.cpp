// The battle item list (phase 30): three lines of two usable items with
// their counts, scrolled a line at a time; deciding an item picks its target
// chooser by the item's kind.
#include <cstdio>
#include <cstring>

#include "battle/BattleItemAction.h"
#include "battle/SkillScriptSteps.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/Input.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"

namespace {

constexpr int kListMaxScroll = 20;

// The usable items the party owns, in id order.
int eligibleItems(int out[kItemCount]) {
    int n = 0;
    for (int id = 0; id < kItemCount; ++id)
        if (gItems[id].kind >= 8 && gItemStock[id].owned > 0) out[n++] = id;
    return n;
}

// The item on a slot of the shown page, or -1.
int itemOnSlot(const int* items, int count, int slot) {
    const int at = 2 * gBattleAction.listScroll + slot;
    return at >= 0 && at < count ? items[at] : -1;
}

void copyName(char* out, const char* field, std::size_t size) {
    std::memcpy(out, field, size);
    out[size] = '\0';
}

void drawList(GraphicsResources& resources, gfx::Device* device, const int* items, int count) {
    if (device == nullptr) return;
    drawWindowFrame(resources, device, 10, 365, 350, 25);
    drawWindowFrame(resources, device, 10, 390, 350, 70);
    drawWindowFrame(resources, device, 0, 0, 640, 25);
    const int c = gBattleAction.listCursor;
    drawMenuCursor(resources, device, 15.0f + 175.0f * (c % 2), 395.0f + 20.0f * (c / 2), 165);
    beginTextFont(device, 15, kMenuFontFace);
    drawText(resources, device, gfx::Rect{10, 369, 360, 389}, "アイテム選択", 2);
    for (int slot = 0; slot < 6; ++slot) {
        const int id = itemOnSlot(items, count, slot);
        if (id < 0) continue;
        const int x = slot % 2 == 0 ? 20 : 192;
        const int y = 395 + 20 * (slot / 2);
        char name[sizeof gItems[id].name + 1];
        copyName(name, gItems[id].name, sizeof gItems[id].name);
        drawText(resources, device, gfx::Rect{x, y, x + 160, y + 20}, name, 0);
        char owned[16];
        std::snprintf(owned, sizeof owned, "%d", gItemStock[id].owned);
        drawText(resources, device, gfx::Rect{x, y, x + 160, y + 20}, owned, 1);
        if (slot == c) {
            char text[sizeof gItems[id].description + 1];
            copyName(text, gItems[id].description, sizeof gItems[id].description);
            drawText(resources, device, gfx::Rect{60, 4, 560, 24}, text, 0);
        }
    }
    endTextFont();
}

void moveCursor(int delta) {
    int& c = gBattleAction.listCursor;
    int& scroll = gBattleAction.listScroll;
    const bool sideways = delta == 1 || delta == -1;
    int next = c + delta;
    int nextScroll = scroll;
    if (next < 0) {
        next += 2;
        if (sideways && scroll == 0) return;  // the first slot of the first line stays
        if (scroll > 0) nextScroll = scroll - 1;
    } else if (next > 5) {
        next -= 2;
        if (sideways && scroll == kListMaxScroll) return;  // the last slot at the deepest scroll stays
        if (scroll < kListMaxScroll) nextScroll = scroll + 1;
    }
    c = next;
    scroll = nextScroll;
}

// The first party slot holding a member, or the first present enemy.
int firstMemberSlot() {
    for (int i = 0; i < 3; ++i)
        if (partyLineHolds(i)) return i;
    return 0;
}
int firstEnemySlot() {
    for (int i = 0; i < kEnemySlotCount; ++i)
        if (gEnemyBattlers[i].monster != 0) return i;
    return 0;
}

void decide(GraphicsResources& resources, gfx::Device* device, int id) {
    gRedrawRequest[1] = 2;
    if (id < 0) return;
    const int kind = gItems[id].kind;
    if (kind < 8 || kind > 12) return;
    playBattleSound("Kettei.wav");
    gBattleAction.pendingItem = id;
    gBattleAction.targetIndex = 0;
    const SkillFrame f{resources, device};
    switch (kind) {
        case 8: {
            gBattleAction.targetIndex = firstMemberSlot();
            gBattleAction.phase = kPhaseItemAllyTarget;
            gBattleAction.targetRange = 0;
            gBattleAction.targetSide = kSideParty;
            const BattleActor& a = gPartyActors[gBattleAction.targetIndex];
            viewPoint(f, a.x, a.y, a.z, 6.0f);
            break;
        }
        case 9:
            gBattleAction.targetIndex = firstMemberSlot();
            gBattleAction.phase = kPhaseItemAllyTarget;
            gBattleAction.targetRange = 1;
            gBattleAction.targetSide = kSideParty;
            viewPoint(f, 10, 1, 0, 7.0f);
            break;
        case 10: {
            gBattleAction.targetIndex = firstEnemySlot();
            gBattleAction.phase = kPhaseItemEnemyTarget;
            gBattleAction.targetRange = 0;
            gBattleAction.targetSide = kSideEnemy;
            const BattleActor& a = gEnemyActors[gBattleAction.targetIndex];
            viewPoint(f, a.x, a.y, a.z, 6.0f);
            break;
        }
        case 11:
            gBattleAction.targetIndex = firstEnemySlot();
            gBattleAction.phase = kPhaseItemEnemyTarget;
            gBattleAction.targetRange = 1;
            gBattleAction.targetSide = kSideEnemy;
            viewPoint(f, 10, 1, 0, 7.0f);
            break;
        case 12:
            gBattleAction.targetIndex = firstMemberSlot();
            gBattleAction.phase = kPhaseItemAllConfirm;
            gBattleAction.targetRange = 1;
            gBattleAction.targetSide = kSideParty;
            viewPoint(f, 10, 1, 0, 6.0f);
            break;
        default: break;
    }
}

}  // namespace

void runBattleItemList(GraphicsResources& resources, gfx::Device* device) {
    if (gBattleRewards.itemListReady == 0) {
        gBattleRewards.itemListReady = 1;
        return;
    }
    static int items[kItemCount];
    const int count = eligibleItems(items);
    drawList(resources, device, items, count);
    switch (gInputCode) {
        case kInputDown: moveCursor(2); break;
        case kInputUp: moveCursor(-2); break;
        case kInputRight: moveCursor(1); break;
        case kInputLeft: moveCursor(-1); break;
        case kInputCancel: {
            gBattleAction.phase = kPhaseCommand;
            viewPoint(SkillFrame{resources, device}, 10, 1, 0, 7.0f);
            playBattleSound("Can.wav");
            break;
        }
        case kInputDecide: decide(resources, device, itemOnSlot(items, count, gBattleAction.listCursor)); break;
        default: return;
    }
    gRedrawRequest[1] = 2;
    gInputCode = 0;
}
