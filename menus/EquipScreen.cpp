#include "menus/EquipScreen.h"

#include <cstdio>

#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "menus/CampMenu.h"
#include "menus/CampScreenParts.h"
#include "menus/MenuState.h"

namespace {

const char* const kSlotLabels[4] = {"Wepon", "Protector", "Accessory A", "Accessory B"};
const char* const kBonusLabels[5] = {"攻撃", "防御", "魔力", "耐久", "敏捷"};

bool validItem(int item) { return item >= 0 && item < kItemCount; }

int shownUnit() {
    const int u = partyUnit(gSubScreenCursor);
    return u != 0 ? u : partyUnit(stepPartySlot(gSubScreenCursor, 1));
}

int slotItem(int unit, int slot) {
    if (unit == 0) return 0;
    const int item = gPartyMembers[unit].equipment[slot];
    return validItem(item) ? item : 0;
}

void drawSigned(GraphicsResources& resources, gfx::Device* device, int y, int value) {
    char text[24];
    int style = kLayer2 + kWhite;
    if (value > 0) {
        std::snprintf(text, sizeof text, "+%d", value);
        style = kLayer2 + kCyan;
    } else if (value < 0) {
        std::snprintf(text, sizeof text, "%d", value);
        style = kLayer2 + kOrange;
    } else {
        std::snprintf(text, sizeof text, "0");
    }
    campText(resources, device, 160, y, 640, text, style);
}

void drawSlotPage(GraphicsResources& resources, gfx::Device* device, int unit) {
    const int item = slotItem(unit, gSubScreenSlot);
    campText(resources, device, 60, 445, 640, gItems[item].description, kLayer2 + kWhite);
    for (int k = 0; k < 5; ++k) {
        campText(resources, device, 60, 180 + 50 * k, 640, kBonusLabels[k], kLayer2 + kWhite);
        drawSigned(resources, device, 180 + 50 * k, gItems[item].bonuses[k]);
    }
}

void drawListPage(GraphicsResources& resources, gfx::Device* device, int unit) {
    gSubScreenListItem = 0;
    int matched = 0;
    int row = 0;
    for (int id = 1; id < kItemCount && row < kEquipListRows; ++id) {
        if (gItemStock[id].owned <= 0 || !equipSlotAccepts(unit, gSubScreenSlot, id)) continue;
        if (matched++ < gSubScreenListScroll) continue;
        campText(resources, device, 320, 168 + 25 * row, 640, gItems[id].name, kLayer2 + kWhite);
        if (row == gSubScreenListCursor) gSubScreenListItem = id;
        ++row;
    }
    const int current = slotItem(unit, gSubScreenSlot);
    const int chosen = gSubScreenListItem;
    campText(resources, device, 60, 445, 640, gItems[chosen].description, kLayer2 + kWhite);
    for (int k = 0; k < 5; ++k) {
        const int y = 180 + 50 * k;
        campText(resources, device, 60, y, 640, kBonusLabels[k], kLayer2 + kWhite);
        if (chosen != 0 && chosen == current)
            campText(resources, device, 160, y, 640, "E", kLayer2 + kGreen);
        else
            drawSigned(resources, device, y, gItems[chosen].bonuses[k] - gItems[current].bonuses[k]);
    }
}

void slotKeys() {
    if (memberScreenKey(gInputCode)) return;
    switch (gInputCode) {
        case kInputDown:
            gSubScreenSlot = (gSubScreenSlot + 1) % 4;
            gRedrawRequest[0] = 2;
            break;
        case kInputUp:
            gSubScreenSlot = (gSubScreenSlot + 3) % 4;
            gRedrawRequest[0] = 2;
            break;
        case kInputDecide:
            campSound("Kettei.wav");
            gSubScreenPage = 1;
            gSubScreenListCursor = 0;
            gSubScreenListScroll = 0;
            gRedrawRequest[0] = 2;
            break;
        default:
            break;
    }
}

void listKeys(int unit) {
    switch (gInputCode) {
        case kInputDown:
            if (gSubScreenListItem == 0) break;
            if (gSubScreenListCursor < kEquipListRows - 1)
                ++gSubScreenListCursor;
            else if (gSubScreenListScroll < kEquipScrollLimit)
                ++gSubScreenListScroll;
            gRedrawRequest[0] = 2;
            break;
        case kInputUp:
            if (gSubScreenListCursor > 0)
                --gSubScreenListCursor;
            else if (gSubScreenListScroll > 0)
                --gSubScreenListScroll;
            gRedrawRequest[0] = 2;
            break;
        case kInputCancel:
            campSound("Can.wav");
            gSubScreenPage = 0;
            requestBothTextLayers();
            break;
        case kInputDecide:
            if (equipItem(unit, gSubScreenSlot, gSubScreenListItem)) {
                campSound("Kettei.wav");
                gSubScreenPage = 0;
                requestBothTextLayers();
            } else {
                campSound("Buza.wav");
                capUnitPoints(unit);
            }
            break;
        default:
            break;
    }
}

}  // namespace

bool equipSlotAccepts(int unit, int slot, int item) {
    if (item <= 0 || item >= kItemCount) return false;
    const int kind = gItems[item].kind;
    switch (slot) {
        case kEquipWeapon:
            return kind == unit;
        case kEquipProtector:
            return kind == kItemKindProtector;
        case kEquipAccessoryA:
        case kEquipAccessoryB:
            return kind == kItemKindAccessory;
        default:
            return false;
    }
}

bool equipItem(int unit, int slot, int item) {
    if (unit < 1 || unit >= kUnitCount || slot < 0 || slot > 3) return false;
    if (item == 0 && slot == kEquipWeapon) return false;  // a weapon is exchanged, never taken off
    if (item != 0 && (!validItem(item) || gItemStock[item].owned <= 0)) return false;
    int& held = gPartyMembers[unit].equipment[slot];
    const int old = validItem(held) ? held : 0;
    if (item != 0) {
        --gItemStock[item].owned;
        ++gItemStock[item].equipped;
    }
    // An empty slot gives nothing back: no copy of "item 0" is counted.
    if (old != 0) {
        ++gItemStock[old].owned;
        --gItemStock[old].equipped;
    }
    held = item;
    capUnitPoints(unit);
    return true;
}

void runEquipMenu(GraphicsResources& resources, gfx::Device* device) {
    if (gSubScreenSlot < 0 || gSubScreenSlot > 3) gSubScreenSlot = 0;
    if (gSubScreenListCursor < 0 || gSubScreenListCursor >= kEquipListRows) gSubScreenListCursor = 0;
    if (partyUnit(gSubScreenCursor) == 0) gSubScreenCursor = stepPartySlot(gSubScreenCursor, 1);
    const int unit = shownUnit();

    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 620, 150);
    drawWindowFrame(resources, device, 10, 160, 280, 280);
    drawWindowFrame(resources, device, 290, 160, 340, 280);
    drawWindowFrame(resources, device, 10, 440, 620, 30);
    drawMenuCursor(resources, device, 270, 53 + 25 * gSubScreenSlot, 300);
    if (unit != 0) drawPortraitCell(resources, device, unit - 1, 0, 40, 37);

    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    if (gRedrawRequest[1] == 1 && unit != 0) {
        campText(resources, device, 220, 25, 640, gUnitBases[unit].name, kLayer1 + kGreen);
        for (int slot = 0; slot < 4; ++slot) {
            campText(resources, device, 160, 55 + 25 * slot, 640, kSlotLabels[slot], kLayer1 + kOrange);
            campText(resources, device, 275, 55 + 25 * slot, 640, gItems[slotItem(unit, slot)].name, kLayer1 + kWhite);
        }
    }
    if (gSubScreenPage == 1) drawMenuCursor(resources, device, 310, 166 + 25 * gSubScreenListCursor, 300);
    if (gRedrawRequest[0] == 1) {
        if (gSubScreenPage == 1)
            drawListPage(resources, device, unit);
        else
            drawSlotPage(resources, device, unit);
    }
    endTextFont();

    drawTextLayers(resources, device);
    if (gSubScreenPage == 1)
        listKeys(unit);
    else
        slotKeys();
    endTextLayerFrame();
}
