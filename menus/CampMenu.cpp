#include "menus/CampMenu.h"

#include <cstdio>
#include <cstring>

#include "engine/Config.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "battle/BattleServices.h"
#include "gamedata/SaveFile.h"
#include "menus/SlotChooser.h"
#include "menus/CampScreenParts.h"
#include "menus/CampState.h"
#include "menus/FormationScreen.h"
#include "menus/SaveScreens.h"
#include "menus/MenuState.h"
#include "menus/Title.h"
#include "story/StoryState.h"

const int kCampEntryScenes[10] = {201, 204, 202, 203, 205, 206, 209, 207, 210, -1};

namespace {

constexpr int kEntryFontHeight = 20;

struct CampEntry {
    const char* label;
    const char* subtitle;
};

const CampEntry kEntries[kCampEntryCount] = {
    {"アイテム", "Use Item"}, {"ステータス", "Status"}, {"装備", "Equipment"}, {"魔硝石", "M.Stone"},
    {"魔法", "Magic"},        {"隊形", "Formation"},    {"カード", "Galaxies"},  {"用心棒", "Youjinbou"},
    {"セーブ", "Save"},       {"リセット", "Riset"},
};
const CampEntry kLockedEntry = {"？？？", "??????"};

// Said in place of the place name while the autosave could not be written.
const char* const kAutosaveNotWrittenText = "オートセーブできませんでした。";

const char* const kCurrencyNames[kCurrencyCount] = {"フォッグ", "コイン", "銭"};
const int kPanelX[3] = {225, 250, 275};
const int kPanelY[3] = {10, 140, 270};
const int kMoneyX[3] = {10, 218, 426};

const CampEntry& entryShown(int row) { return campEntryLocked(row) ? kLockedEntry : kEntries[row]; }

void drawEntryRow(GraphicsResources& resources, gfx::Device* device, int row, bool highlighted) {
    const CampEntry& e = entryShown(row);
    if (highlighted)
        campText(resources, device, 30, 25 + 35 * row, 210, e.subtitle, kLayer2 + kGreen);
    else
        campText(resources, device, 30, 25 + 35 * row, 210, e.label, kLayer2 + kWhite);
}

void drawPartyPanel(GraphicsResources& resources, gfx::Device* device) {
    for (int slot = 0; slot < 3; ++slot) {
        const int u = partyUnit(slot);
        if (u == 0) continue;
        const int x = kPanelX[slot];
        const int y = kPanelY[slot];
        drawWindowFrame(resources, device, x, y, 350, 110);
        drawPortraitCell(resources, device, u - 1, 0, x + 9, y + 9);
        if (gRedrawRequest[0] != 1) continue;
        const PartyMember& m = gPartyMembers[u];
        char line[32];
        beginTextFont(device, kMenuFontHeight, kMenuFontFace);
        campText(resources, device, x + 126, y + 19, 640, gUnitBases[u].name, kLayer2 + kGreen);
        campText(resources, device, x + 226, y + 19, 640, "Lv", kLayer2 + kWhite);
        std::snprintf(line, sizeof line, "%d", m.level);
        campText(resources, device, x + 226, y + 19, x + 330, line, kLayer2 + kWhite + kAlignRight);
        campText(resources, device, x + 226, y + 39, 640, "Next", kLayer2 + kWhite);
        std::snprintf(line, sizeof line, "%ld", 10L * m.level * m.level - m.experience);
        campText(resources, device, x + 226, y + 39, x + 330, line, kLayer2 + kWhite + kAlignRight);
        const bool withSp = unitWearsStone(u);
        for (int k = 0; k < (withSp ? 2 : 1); ++k) {
            const int ly = y + 59 + 20 * k;
            campText(resources, device, x + 136, ly, 640, k == 0 ? "Hp " : "Sp ", kLayer2 + kWhite);
            std::snprintf(line, sizeof line, "%ld", static_cast<long>(k == 0 ? m.hp : m.sp));
            campText(resources, device, x + 136, ly, x + 230, line, kLayer2 + kWhite + kAlignRight);
            campText(resources, device, x + 246, ly, 640, "/", kLayer2 + kWhite);
            std::snprintf(line, sizeof line, "%ld", static_cast<long>(computeUnitStat(u, k == 0 ? kStatMaxHp : kStatMaxSp)));
            campText(resources, device, x + 246, ly, x + 330, line, kLayer2 + kWhite + kAlignRight);
        }
        endTextFont();
    }
}

void drawMoneyWindows(GraphicsResources& resources, gfx::Device* device) {
    const bool loan = gLoan != 0;
    const int loanPlace = loan ? loanWindowPlace() : -1;
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    for (int k = 0; k < kCurrencyCount; ++k) {
        if (!loan && gMoney[k] == 0) continue;
        const int x = kMoneyX[k];
        drawWindowFrame(resources, device, x, 390, 204, 40);
        char value[24];
        if (k == loanPlace) {
            std::snprintf(value, sizeof value, "%d", gLoan);
            campText(resources, device, x + 10, 400, 640, "借入金", kLayer2 + kOrange);
            campText(resources, device, x + 10, 400, x + 194, value, kLayer2 + kOrange + kAlignRight);
        } else {
            std::snprintf(value, sizeof value, "%d", gMoney[k]);
            campText(resources, device, x + 10, 400, 640, kCurrencyNames[k], kLayer2 + kWhite);
            campText(resources, device, x + 10, 400, x + 194, value, kLayer2 + kWhite + kAlignRight);
        }
    }
    endTextFont();
}

void drawBottomLine(GraphicsResources& resources, gfx::Device* device) {
    char clock[32];
    formatPlayTime(clock, sizeof clock, currentPlaySeconds());
    beginTextFont(device, kMenuFontHeight, kMenuFontFace);
    campText(resources, device, 20, 445, 640, "プレイタイム", kLayer2 + kWhite);
    campText(resources, device, 20, 445, 204, clock, kLayer1 + kWhite + kAlignRight);
    if (gAutosaveNotWritten == 1)
        campText(resources, device, 228, 445, 640, kAutosaveNotWrittenText, kLayer2 + kOrange);
    else
        campText(resources, device, 228, 445, 640, gLocationName, kLayer2 + kWhite);
    endTextFont();
}

// The reset confirmation window and its keys.
void runResetWindow(GraphicsResources& resources, gfx::Device* device) {
    drawWindowFrame(resources, device, 150, 300, 180, 80);
    beginTextFont(device, kEntryFontHeight, kMenuFontFace);
    campText(resources, device, 160, 310, 640, "キャンセル", kLayer2 + kWhite);
    campText(resources, device, 160, 345, 640, "タイトルに戻る", kLayer2 + kWhite);
    endTextFont();
    const int code = gInputCode;
    if (code == kInputUp || code == kInputDown) {
        gResetConfirmChoice = gResetConfirmChoice == 0 ? 1 : 0;
    } else if (code == kInputCancel) {
        campSound("Can.wav");
        gResetConfirmOpen = 0;
        gRedrawRequest[0] = 2;
    } else if (code == kInputDecide) {
        campSound("Kettei.wav");
        if (gResetConfirmChoice == 1) {
            requestBothTextLayers();
            gTitleCounter = 350;
            gScene = 1000;
            gCampFamilyOpen = 0;
        } else {
            gResetConfirmOpen = 0;
            gRedrawRequest[0] = 2;
        }
    }
    drawMenuCursor(resources, device, 155, 310 + 35 * gResetConfirmChoice, 170);
}

// Repaints the two rows a cursor move concerns, in place in layer 2.
void repaintRows(GraphicsResources& resources, gfx::Device* device, int oldRow, int newRow) {
    gRedrawRequest[0] = 1;
    if (device != nullptr && resources.layer2Target) {
        for (int row : {oldRow, newRow}) {
            device->setRenderTarget(resources.layer2Target.get());
            device->setViewport(gfx::Viewport{30, 25 + 35 * row, 180, 30, 0.0f, 1.0f});
            device->clear(gfx::kClearTarget, 0x00000000u, 1.0f, 0);
        }
        device->setRenderTarget(resources.backBuffer);
    }
    beginTextFont(device, kEntryFontHeight, kMenuFontFace);
    drawEntryRow(resources, device, newRow, true);
    drawEntryRow(resources, device, oldRow, false);
    endTextFont();
    gRedrawRequest[0] = 0;
}

void openEntry(GraphicsResources& resources, gfx::Device* device, int row) {
    if (row < 0 || row >= kCampEntryCount) return;  // a cursor off the list opens nothing
    if (campEntryLocked(row)) {
        campSound("Buza.wav");
        return;
    }
    campSound("Kettei.wav");
    requestBothTextLayers();
    if (row == 9) {
        gResetConfirmOpen = 1;
        gResetConfirmChoice = 0;
        return;
    }
    gScene = kCampEntryScenes[row];
    switch (row) {
        case 0:
            gMenuPage = gMenuListCursor = gMenuTopCursor = 0;
            break;
        case 1:
            gSubScreenCursor = 0;
            break;
        case 2:
        case 3:
        case 5:
            gSubScreenPage = gSubScreenCursor = gSubScreenSlot = 0;
            break;
        case 4:
            gSubScreenPage = gSubScreenCursor = 0;
            break;
        case 6:
        case 7:
            gPageCursor = gPageNumber = 0;
            break;
        default:
            break;
    }
    if (row == 7) loadPortraitSheet(resources, device, kBodyguardPortraits);
    if (row == 8) {
        std::memcpy(gSavePlaceName, gLocationName, sizeof gSavePlaceName);
        gSavePlaceName[sizeof gSavePlaceName - 1] = '\0';
    }
    if (row == 5) {
        prepareFormationStage();
        paintFormationGround(resources, device);
    }
}

void runMenuKeys(GraphicsResources& resources, gfx::Device* device) {
    const int code = gInputCode;
    if (code == kInputDown || code == kInputUp) {
        const int old = gCampMenuCursor;
        gCampMenuCursor = (gCampMenuCursor + (code == kInputDown ? 1 : kCampEntryCount - 1)) % kCampEntryCount;
        repaintRows(resources, device, old, gCampMenuCursor);
    } else if (code == kInputCancel) {
        // The autosave is written as the menu closes. When it cannot be, the
        // menu stays open to say so; the next cancel closes it unsaved.
        if (gConfig[2] == 1 && gAutosaveNotWritten == 0 && saveIntoSlot(kAutosaveSlot) != 0) {
            campSound("Buza.wav");
            gAutosaveNotWritten = 1;
            gRedrawRequest[0] = 2;
            gInputCode = 0;
            return;
        }
        campSound("Can.wav");
        requestBothTextLayers();
        gScene = 0;
        gInputCode = 0;
        gCampFamilyOpen = 0;
        gAutosaveNotWritten = 0;
    } else if (code == kInputDecide) {
        openEntry(resources, device, gCampMenuCursor);
    }
}

}  // namespace

bool campEntryLocked(int row) {
    if (row == 3 || row == 4) return gStoneFlags[0] == 0;
    if (row == 6) {
        for (const CardStock& c : gCardStock)
            if (c.count != 0) return false;
        return true;
    }
    if (row == 7) {
        for (std::uint8_t hired : gBodyguardHired)
            if (hired == 1) return false;
        return true;
    }
    return false;
}

int loanWindowPlace() {
    if (gRegionCurrency == 0) return 2;
    return gRegionCurrency == 1 ? 2 : 1;
}

void runCampMenu(GraphicsResources& resources, gfx::Device* device) {
    if (gCampFamilyOpen == 0 || resources.portraitSheet.get() != gCampPortraitTexture) {
        // Opened from outside the family (the field, or a script after a
        // message that swapped the sheet): the faces are the party's.
        loadPortraitSheet(resources, device, kPortraitBitmap);
        gAutosaveNotWritten = 0;
    }
    gCampFamilyOpen = 1;
    if (gCampMenuCursor < 0 || gCampMenuCursor >= kCampEntryCount) gCampMenuCursor = 0;

    gRedrawRequest[1] = 1;  // layer 1 carries only the clock
    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);

    drawPartyPanel(resources, device);
    drawWindowFrame(resources, device, 10, 10, 200, 370);
    drawWindowFrame(resources, device, 10, 435, 204, 40);
    drawWindowFrame(resources, device, 218, 435, 410, 40);
    if (gRedrawRequest[0] == 1) {
        beginTextFont(device, kEntryFontHeight, kMenuFontFace);
        for (int row = 0; row < kCampEntryCount; ++row) drawEntryRow(resources, device, row, row == gCampMenuCursor);
        endTextFont();
    }
    drawMoneyWindows(resources, device);
    drawBottomLine(resources, device);

    if (gResetConfirmOpen == 1)
        runResetWindow(resources, device);
    else
        runMenuKeys(resources, device);
    drawMenuCursor(resources, device, 15, 25 + 35 * gCampMenuCursor, 190);
    drawTextLayers(resources, device);
    endTextLayerFrame();
}
