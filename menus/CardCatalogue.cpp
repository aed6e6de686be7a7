#include "menus/CardCatalogue.h"

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

const char* const kRarityNames[4] = {"コモン", "アンコモン", "レア", "レジェンド"};
const int kRarityColours[4] = {kWhite, kCyan, kPink, kYellow};
const char* const kElementNames[10] = {"無", "宇", "炎", "水", "風", "土", "雷", "磁", "光", "闇"};
const char* const kHolders[10] = {"シェリル",         "マルクセング人", "スキンエンパイア人", "和人", "コールルピック人",
                                  "ルレノキングダム人", "フォーゲル",     "フォーゲル（対戦）", "",     ""};
const char* const kTournaments[10] = {"",
                                      "マルクセング大会Ⅰ",
                                      "スキンエンパイア大会",
                                      "大和大会",
                                      "コールルピック大会",
                                      "マルクセング大会Ⅱ",
                                      "フォーゲル（手札）",
                                      "",
                                      "",
                                      ""};
const char* const kStages[10] = {"一回戦選手", "二回戦選手", "三回戦選手", "四回戦選手", "五回戦選手",
                                 "準決勝選手", "決勝選手",   "",           "",           ""};

int rarityColour(int rarity) { return rarity >= 0 && rarity <= 3 ? kRarityColours[rarity] : kWhite; }

void drawLine(GraphicsResources& resources, gfx::Device* device, int line, int card) {
    const CardStock& stock = gCardStock[card];
    const int y = 70 + 35 * line;
    char count[16];
    std::snprintf(count, sizeof count, "%d", stock.count);
    int colour = rarityColour(gCardTable[card].rarity);
    const char* name = gCardTable[card].name;
    if (stock.known == 0) {
        name = "？？？";
        colour = kWhite;
    } else if (stock.holder != 0 && stock.count == 0) {
        colour = kGrey;
    }
    campText(resources, device, 20, y, 370, name, kLayer1 + colour);
    campText(resources, device, 275, y, 640, count, kLayer1 + colour);
}

void drawCardDetails(GraphicsResources& resources, gfx::Device* device, int card) {
    CardStock& stock = gCardStock[card];
    const CardRecord& row = gCardTable[card];
    char text[128];
    if (stock.count > 0) {
        std::snprintf(text, sizeof text, "武術 %d", row.sides[0]);
        campText(resources, device, 350, 125, 640, text, kLayer1 + kOrange);
        std::snprintf(text, sizeof text, "魔術 %d", row.sides[1]);
        campText(resources, device, 375, 100, 640, text, kLayer1 + kGreen);
        std::snprintf(text, sizeof text, "射撃 %d", row.sides[2]);
        campText(resources, device, 400, 125, 640, text, kLayer1 + kYellow);
        std::snprintf(text, sizeof text, "屍術 %d", row.sides[3]);
        campText(resources, device, 375, 150, 640, text, kLayer1 + kGrey);
        stock.holder = 0;  // an owned card is the player's own
    }
    campText(resources, device, 350, 250, 640, "カードナンバー", kLayer1 + kWhite);
    std::snprintf(text, sizeof text, "%d", card + 1);
    campText(resources, device, 350, 250, 570, text, kLayer1 + kWhite + kAlignRight);
    campText(resources, device, 350, 285, 640, "レアリティ", kLayer1 + kWhite);
    const int rarity = row.rarity;
    campText(resources, device, 350, 285, 570, rarity <= 3 ? kRarityNames[rarity] : "",
             kLayer1 + rarityColour(rarity) + kAlignRight);
    campText(resources, device, 350, 320, 640, "属性", kLayer1 + kWhite);
    campText(resources, device, 350, 320, 570, row.element <= 9 ? kElementNames[row.element] : "",
             kLayer1 + kWhite + kAlignRight);
    campText(resources, device, 350, 355, 640, "保持者", kLayer1 + kWhite);
    cardHolderName(text, sizeof text, stock.holder);
    campText(resources, device, 350, 390, 570, text, kLayer1 + kWhite + kAlignRight);
    if (stock.count > 0) campText(resources, device, 20, 445, 640, row.description, kLayer1 + kWhite);
}

void drawCardPicture(GraphicsResources& resources, gfx::Device* device, int card) {
    if (device == nullptr || !resources.sprite) return;
    gfx::Texture* texture = resources.cardBack.get();
    gfx::Rect src{0, 0, 90, 120};
    if (gCardStock[card].known != 0) {
        const int page = card / 10;
        const int line = card % 10;
        texture = resources.cardSheets[page / 2].get();
        const int column = line % 5;
        const int row = line / 5 + 2 * (page % 2);
        src = gfx::Rect{90 * column, 120 * row, 90 * column + 90, 120 * row + 120};
    }
    if (texture == nullptr) return;
    const gfx::Vec2 at{480.0f, 80.0f};
    resources.sprite->begin();
    resources.sprite->draw(texture, &src, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
    resources.sprite->end();
}

void catalogueKeys() {
    switch (gInputCode) {
        case kInputDown:
            gPageCursor = (gPageCursor + 1) % 10;
            gRedrawRequest[1] = 2;
            break;
        case kInputUp:
            gPageCursor = (gPageCursor + 9) % 10;
            gRedrawRequest[1] = 2;
            break;
        case kInputRight:
            gPageNumber = (gPageNumber + 1) % 10;
            gRedrawRequest[1] = 2;
            break;
        case kInputLeft:
            gPageNumber = (gPageNumber + 9) % 10;
            gRedrawRequest[1] = 2;
            break;
        case kInputCancel:
            campSound("Can.wav");
            gScene = kSceneCampMenu;
            requestBothTextLayers();
            break;
        default:
            break;
    }
}

}  // namespace

void cardHolderName(char* destination, std::size_t size, int holderCode) {
    if (destination == nullptr || size == 0) return;
    if (holderCode < 0) {
        destination[0] = '\0';
    } else if (holderCode < 10) {
        std::snprintf(destination, size, "%s", kHolders[holderCode]);
    } else {
        const int tens = holderCode / 10;
        const int units = holderCode % 10;
        const char* tournament = tens < 10 ? kTournaments[tens] : "";
        const char* stage = tens == 6 ? "" : kStages[units];
        std::snprintf(destination, size, "%s%s", tournament, stage);
    }
}

void runCardCatalogue(GraphicsResources& resources, gfx::Device* device) {
    if (gPageCursor < 0 || gPageCursor > 9) gPageCursor = 0;
    if (gPageNumber < 0 || gPageNumber > 9) gPageNumber = 0;
    const int card = 10 * gPageNumber + gPageCursor;

    clearRequestedTextLayers(resources, device);
    clearCampBackBuffer(resources, device);
    drawWindowFrame(resources, device, 10, 10, 620, 30);
    drawWindowFrame(resources, device, 10, 50, 300, 380);
    drawWindowFrame(resources, device, 330, 50, 300, 380);
    drawWindowFrame(resources, device, 10, 440, 620, 30);
    drawMenuCursor(resources, device, 15, 70 + 35 * gPageCursor, 290);
    drawCardPicture(resources, device, card);
    if (gRedrawRequest[1] == 1) {
        beginTextFont(device, kMenuFontHeight, kMenuFontFace);
        for (int line = 0; line < 10; ++line) drawLine(resources, device, line, 10 * gPageNumber + line);
        char header[96];
        std::snprintf(header, sizeof header, "%d枚目～%d枚目のカードデータです", 10 * gPageNumber + 1,
                      10 * gPageNumber + 10);
        campText(resources, device, 20, 15, 640, header, kLayer1 + kWhite);
        if (gCardStock[card].known != 0) drawCardDetails(resources, device, card);
        endTextFont();
    }
    drawTextLayers(resources, device);
    catalogueKeys();
    endTextLayerFrame();
}
