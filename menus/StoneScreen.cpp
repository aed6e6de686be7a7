#include "menus/StoneScreen.h"

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

const char* const kStoneLabels[2] = {"Masical Stone A", "Masical Stone B"};

int validStone(int stone) { return stone >= 0 && stone < kMagicalStoneCount ? stone : 0; }

int shownUnit() { return partyUnit(gSubScreenCursor); }

int slotStone(int unit, int slot) { return unit == 0 ? 0 : validStone(gPartyMembers[unit].stones[slot]); }

void drawList(GraphicsResources& resources, gfx::Device* device) {
    gSubScreenListItem = 0;
    int row = 0;
    for (int stone = 1; stone <= kStoneFlagCount; ++stone) {
        if (!stoneOffered(stone)) continue;
        campText(resources, device, 320, 168 + 25 * row, 640, gMagicalStones[stone].name, kLayer2 + kWhite);
        if (row == gSubScreenListCursor) gSubScreenListItem = stone;
        ++row;
    }
    campText(resources, device, 60, 445, 640, gMagicalStones[gSubScreenListItem].description, kLayer2 + kWhite);
}

void slotKeys() {
    if (memberScreenKey(gInputCode)) return;
    switch (gInputCode) {
        case kInputDown:
        case kInputUp:
            gSubScreenSlot = gSubScreenSlot == 0 ? 1 : 0;
            gRedrawRequest[0] = 2;
            break;
        case kInputDecide:
            campSound("Kettei.wav");
            gSubScreenPage = 1;
            gSubScreenListCursor = 0;
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
            ++gSubScreenListCursor;
            gRedrawRequest[0] = 2;
            break;
        case kInputUp:
            if (gSubScreenListCursor > 0) --gSubScreenListCursor;
            gRedrawRequest[0] = 2;
            break;
        case kInputCancel:
            campSound("Can.wav");
            gSubScreenPage = 0;
            requestBothTextLayers();
            break;
        case kInputDecide:
            campSound("Kettei.wav");
            if (unit != 0) gPartyMembers[unit].stones[gSubScreenSlot] = gSubScreenListItem;
            gSubScreenPage = 0;
            requestBothTextLayers();
            break;
        default:
            break;
    }
}

}  // namespace

bool stoneOffered(int stone) {
    if (stone < 1 || stone > kStoneFlagCount || gStoneFlags[stone - 1] != 1) return false;
    for (int slot = 0; slot < 3; ++slot) {
        const int u = partyUnit(slot);
        if (u != 0 && (gPartyMembers[u].stones[0] == stone || gPartyMembers[u].stones[1] == stone)) return false;
    }
    return true;
}

void runStoneMenu(GraphicsResources& resources, gfx::Device* device) {
    if (gSubScreenSlot < 0 || gSubScreenSlot > 1) gSubScreenSlot = 0;
    if (gSubScreenListCursor < 0 || gSubScreenListCursor > kStoneFlagCount) gSubScreenListCursor = 0;
    if (partyUnit(gSubScreenCursor) == 0) gSubScreenCursor = stepPartySlot(gSubScreenCursor, 1);
    const int unit = shownUnit();

    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 620, 150);
    drawWindowFrame(resources, device, 10, 160, 280, 280);
    drawWindowFrame(resources, device, 290, 160, 340, 280);
    drawWindowFrame(resources, device, 10, 440, 620, 30);
    drawMenuCursor(resources, device, 298, 58 + 30 * gSubScreenSlot, 300);
    if (unit != 0) drawPortraitCell(resources, device, unit - 1, 0, 40, 37);

    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    if (gRedrawRequest[1] == 1 && unit != 0) {
        campText(resources, device, 220, 25, 640, gUnitBases[unit].name, kLayer1 + kGreen);
        for (int slot = 0; slot < 2; ++slot) {
            campText(resources, device, 160, 60 + 30 * slot, 640, kStoneLabels[slot], kLayer1 + kOrange);
            campText(resources, device, 300, 60 + 30 * slot, 640, gMagicalStones[slotStone(unit, slot)].name,
                     kLayer1 + kWhite);
        }
    }
    if (gSubScreenPage == 1) drawMenuCursor(resources, device, 310, 166 + 25 * gSubScreenListCursor, 300);
    if (gRedrawRequest[0] == 1) {
        if (gSubScreenPage == 1)
            drawList(resources, device);
        else
            campText(resources, device, 60, 445, 640, gMagicalStones[slotStone(unit, gSubScreenSlot)].description,
                     kLayer2 + kWhite);
    }
    endTextFont();

    drawTextLayers(resources, device);
    if (gSubScreenPage == 1)
        listKeys(unit);
    else
        slotKeys();
    endTextLayerFrame();
}
