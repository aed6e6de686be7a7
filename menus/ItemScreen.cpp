#include "menus/ItemScreen.h"

#include <cstdio>

#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampMenu.h"
#include "menus/CampScreenParts.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"

namespace {

constexpr int kPageSlots = 15;
constexpr int kScrollLimit = 197;  // kept: a scroll that would put the cursor here or further is refused
const int kColumnRight[3] = {210, 412, 614};

// The list position order: ids 130-199 first, then 1-129.
int listId(int order) { return order < 70 ? 130 + order : order - 69; }

bool validItem(int item) { return item >= 1 && item < kItemCount; }

void drawList(GraphicsResources& resources, gfx::Device* device) {
    gMenuSelectedItem = kNoSelectedItem;
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    int slot = -3 * gMenuTopCursor;
    char count[16];
    for (int order = 0; order < kItemListLength && slot < kPageSlots; ++order) {
        const int id = listId(order);
        if (gItemStock[id].owned <= 0) continue;
        if (slot >= 0) {
            const int x = kColumnRight[slot % 3];
            const int y = 60 + 20 * (slot / 3);
            campText(resources, device, x - 190, y, 640, gItems[id].name, kLayer1 + kWhite);
            std::snprintf(count, sizeof count, "%d", gItemStock[id].owned);
            campText(resources, device, x - 190, y, x, count, kLayer1 + kWhite + kAlignRight);
            if (slot == gMenuListCursor) {
                gMenuSelectedItem = id;
                campText(resources, device, 60, 15, 560, gItems[id].description, kLayer2 + kWhite);
            }
        }
        ++slot;
    }
    endTextFont();
}

void drawPartyPanel(GraphicsResources& resources, gfx::Device* device) {
    char line[24];
    for (int i = 0; i < 3; ++i) {
        const int u = partyUnit(i);
        if (u == 0) continue;
        const int y = 214 + 100 * i;
        drawPortraitCell(resources, device, u - 1, 0, 50, y - 39);
        if (gRedrawRequest[1] != 1) continue;
        const PartyMember& m = gPartyMembers[u];
        beginTextFont(device, kMenuFontHeight, kMenuFontFace);
        campText(resources, device, 301, y - 30, 615, gUnitBases[u].name, kLayer1 + kGreen);
        const int lines = unitWearsStone(u) ? 2 : 1;
        for (int k = 0; k < lines; ++k) {
            const int ly = y + 20 * k;
            campText(resources, device, 311, ly, 640, k == 0 ? "Hp " : "Sp ", kLayer1 + kWhite);
            std::snprintf(line, sizeof line, "%d", k == 0 ? m.hp : m.sp);
            campText(resources, device, 311, ly, 405, line, kLayer1 + kWhite + kAlignRight);
            campText(resources, device, 421, ly, 640, "/", kLayer1 + kWhite);
            std::snprintf(line, sizeof line, "%d", computeUnitStat(u, k == 0 ? kStatMaxHp : kStatMaxSp));
            campText(resources, device, 421, ly, 505, line, kLayer1 + kWhite + kAlignRight);
        }
        endTextFont();
    }
}

bool singleTarget(int item) { return validItem(item) && gItems[item].bonuses[1] == 1; }

// A scroll down by one row, unless the cursor would reach the limit.
bool scrollDown(int slotAfter) {
    if (3 * (gMenuTopCursor + 1) + slotAfter >= kScrollLimit) return false;
    ++gMenuTopCursor;
    gRedrawRequest[1] = 2;
    return true;
}

void listKeys(int code) {
    int& slot = gMenuListCursor;
    switch (code) {
        case kInputRight:
            if (slot < kPageSlots - 1)
                ++slot;
            else if (scrollDown(12))
                slot = 12;
            break;
        case kInputLeft:
            if (slot > 0) {
                --slot;
            } else if (gMenuTopCursor > 0) {
                --gMenuTopCursor;
                gRedrawRequest[1] = 2;
                slot = 2;
            }
            break;
        case kInputDown:
            if (slot < 12)
                slot += 3;
            else
                scrollDown(slot);
            break;
        case kInputUp:
            if (slot >= 3) {
                slot -= 3;
            } else if (gMenuTopCursor > 0) {
                --gMenuTopCursor;
                gRedrawRequest[1] = 2;
            }
            break;
        case kInputCancel:
            campSound("Can.wav");
            requestBothTextLayers();
            gScene = kSceneCampMenu;
            return;
        case kInputDecide: {
            const int item = gMenuSelectedItem;
            if (validItem(item) && gItemStock[item].owned > 0 && itemUsableInCamp(item)) {
                campSound("Kettei.wav");
                gMenuPage = 1;
                gMenuTargetCursor = partyUnit(0) != 0 ? 0 : stepPartySlot(0, 1);
            }
            return;
        }
        default:
            return;
    }
    gRedrawRequest[0] = 2;
}

void targetKeys(int code) {
    switch (code) {
        case kInputDown:
            gMenuTargetCursor = stepPartySlot(gMenuTargetCursor, 1);
            break;
        case kInputUp:
            gMenuTargetCursor = stepPartySlot(gMenuTargetCursor, -1);
            break;
        case kInputCancel:
            campSound("Can.wav");
            gMenuPage = 0;
            break;
        case kInputDecide: {
            const int item = gMenuSelectedItem;
            if (!validItem(item) || gItemStock[item].owned <= 0 || !itemUsableInCamp(item)) {
                gMenuPage = 0;  // nothing left to use
                requestBothTextLayers();
                break;
            }
            campSound("Item_Kaihuku.wav");
            useRecoveryItem(item, gMenuTargetCursor);
            if (gItemStock[item].owned <= 0) gMenuPage = 0;
            requestBothTextLayers();
            break;
        }
        default:
            break;
    }
}

}  // namespace

int itemListAt(int position) {
    int seen = 0;
    for (int order = 0; order < kItemListLength; ++order) {
        const int id = listId(order);
        if (gItemStock[id].owned <= 0) continue;
        if (seen == position) return id;
        ++seen;
    }
    return 0;
}

bool itemUsableInCamp(int item) {
    if (!validItem(item)) return false;
    const ItemRecord& r = gItems[item];
    return (r.kind == 8 || r.kind == 9) && r.bonuses[0] > 0;
}

int recoveryAmount(int unit, int item) {
    if (!validItem(item) || unit < 1 || unit >= kUnitCount) return 0;
    const ItemRecord& r = gItems[item];
    const long long maximum = computeUnitStat(unit, r.bonuses[0] == 1 ? kStatMaxHp : kStatMaxSp);
    const long long amount = r.bonuses[2] + maximum * r.bonuses[3] / 100;
    if (amount > 2000000000LL) return 2000000000;
    if (amount < -2000000000LL) return -2000000000;
    return static_cast<int>(amount);
}

void useRecoveryItem(int item, int targetSlot) {
    if (!validItem(item)) return;
    --gItemStock[item].owned;
    const bool hp = gItems[item].bonuses[0] == 1;
    for (int slot = 0; slot < 3; ++slot) {
        if (singleTarget(item) && slot != targetSlot) continue;
        const int u = partyUnit(slot);
        if (u == 0) continue;
        const long long raised = static_cast<long long>(hp ? gPartyMembers[u].hp : gPartyMembers[u].sp) +
                                 recoveryAmount(u, item);
        const int value = raised > 2000000000LL ? 2000000000 : static_cast<int>(raised);
        (hp ? gPartyMembers[u].hp : gPartyMembers[u].sp) = value;
    }
    for (int slot = 0; slot < 3; ++slot) capUnitPoints(partyUnit(slot));
}

void runItemMenu(GraphicsResources& resources, gfx::Device* device) {
    if (gMenuListCursor < 0 || gMenuListCursor >= kPageSlots) gMenuListCursor = 0;
    if (gMenuTopCursor < 0) gMenuTopCursor = 0;
    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 620, 30);
    drawWindowFrame(resources, device, 10, 50, 620, 115);
    drawWindowFrame(resources, device, 10, 170, 620, 305);
    drawMenuCursor(resources, device, 15 + 202 * (gMenuListCursor % 3), 60 + 20 * (gMenuListCursor / 3), 198);
    if (gRedrawRequest[0] == 1 || gRedrawRequest[1] == 1) drawList(resources, device);
    drawPartyPanel(resources, device);
    if (gMenuPage == 1) {
        if (singleTarget(gMenuSelectedItem)) {
            drawMenuCursor(resources, device, 155, 182 + 100 * gMenuTargetCursor, 460);
        } else {
            for (int i = 0; i < 3; ++i)
                if (partyUnit(i) != 0) drawMenuCursor(resources, device, 155, 182 + 100 * i, 460);
        }
    }
    drawTextLayers(resources, device);
    if (gMenuPage == 1)
        targetKeys(gInputCode);
    else
        listKeys(gInputCode);
    endTextLayerFrame();
}
