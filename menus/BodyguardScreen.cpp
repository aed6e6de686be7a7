#include "menus/BodyguardScreen.h"

#include <cstdio>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/CampMenu.h"
#include "menus/CampScreenParts.h"
#include "menus/MenuState.h"

namespace {

const char* const kRarityNames[4] = {"コモン", "アンコモン", "レア", "レジェンド"};
const int kRarityOffsets[4] = {0, 40, 60, 50};

void labelled(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, const char* label,
              long value, int labelStyle, int valueStyle, const char* format = "%ld") {
    char s[24];
    std::snprintf(s, sizeof s, format, value);
    drawText(resources, device, gfx::Rect{left, top, right, top + 21}, label, labelStyle);
    drawText(resources, device, gfx::Rect{left, top, right, top + 21}, s, valueStyle);
}

void drawTexts(GraphicsResources& resources, gfx::Device* device, int b, int x, int y) {
    Bodyguard& guard = gBodyguards[b];
    const int maxHp = computeBodyguardStat(b, kStatMaxHp);
    if (guard.hp > maxHp) guard.hp = maxHp;  // a level that fell takes the HP down with it
    drawText(resources, device, gfx::Rect{x + 126, y + 19, x + 440, y + 40}, guard.name, kLayer2 + kGreen);
    labelled(resources, device, x + 226, y + 19, x + 330, "Lv", computeBodyguardStat(b, kStatLevel), 100, 101);
    labelled(resources, device, x + 136, y + 49, x + 230, "Hp ", guard.hp, 100, 101);
    labelled(resources, device, x + 246, y + 49, x + 330, "/", maxHp, 100, 101);
    const bool mage = b == 2;
    labelled(resources, device, x + 136, y + 79, x + 240, mage ? "魔力" : "攻撃力", computeBodyguardStat(b, kStatAttack),
             mage ? 130 : 120, mage ? 131 : 121);
    labelled(resources, device, x + 256, y + 79, x + 360, "防御力", computeBodyguardStat(b, kStatDefence), 140, 141);
    labelled(resources, device, x + 376, y + 79, x + 480, "耐久力", computeBodyguardStat(b, kStatMagicDefence), 150,
             151);
    labelled(resources, device, x + 496, y + 79, x + 600, "敏捷性", computeBodyguardStat(b, kStatSpeed), 100, 101);
    if (b == 0) {
        for (int r = 0; r < 4; ++r) {
            const int c = r % 2;
            const int q = r / 2;
            labelled(resources, device, x + 376 + 120 * c, y + 19 + 30 * q, x + 480 + 120 * c, kRarityNames[r],
                     ownedCardsOfRarity(r), 100 + kRarityOffsets[r], 101 + kRarityOffsets[r], "%ld枚");
        }
    } else if (b == 1) {
        labelled(resources, device, x + 376, y + 19, x + 600, "売上累計額", gCumulativeSales, 100, 101);
    } else if (b == 3) {
        labelled(resources, device, x + 376, y + 19, x + 600, "回収宝箱数", openedChestCount(), 100, 101);
    }
}

}  // namespace

int ownedCardsOfRarity(int rarity) {
    int n = 0;
    for (int c = 0; c < kCardCount; ++c)
        if (gCardStock[c].count != 0 && gCardTable[c].rarity == rarity) ++n;
    return n;
}

int openedChestCount() {
    int n = 0;
    for (std::uint8_t flag : gChestFlags) n += flag;
    return n;
}

void runBodyguardScreen(GraphicsResources& resources, gfx::Device* device) {
    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    for (int b = 0; b < kBodyguardCount; ++b) {
        if (gBodyguardHired[b] == 0) continue;
        const int x = 10;
        const int y = 10 + 115 * b;
        drawWindowFrame(resources, device, x, y, 620, 110);
        drawPortraitCell(resources, device, b, 3, x + 9, y + 9);
        if (gRedrawRequest[0] != 0) {
            beginTextFont(device, kMenuFontHeight, kMenuFontFace);
            drawTexts(resources, device, b, x, y);
            endTextFont();
        }
    }
    if (gInputCode == kInputCancel) {
        campSound("Can.wav");
        gScene = kSceneCampMenu;
        loadPortraitSheet(resources, device, kPortraitBitmap);
        requestBothTextLayers();
    }
    drawTextLayers(resources, device);
    endTextLayerFrame();
}
