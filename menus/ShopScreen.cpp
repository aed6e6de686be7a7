// The shop (scene 300): the goods with their prices, the holdings and the
// party's comparison for the highlighted goods, and the quantity window.
#include <cinttypes>
#include <cstdio>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Screens.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "menus/MenuState.h"
#include "menus/ShopLogic.h"

namespace {

constexpr const char* kPad = "　　　";  // three full-width spaces: the first mark's column

struct Text {
    GraphicsResources& resources;
    gfx::Device* device;
    void operator()(int left, int top, int right, const char* text, int style) const {
        drawText(resources, device, {left, top, right, 480}, text, style);
    }
};

void formatNumber(char* out, std::size_t size, std::int64_t value) {
    std::snprintf(out, size, "%" PRId64, value);
}

struct Mark {
    const char* text;
    int style;
};

// How the highlighted item's bonus compares with the equipped one's.
Mark compareMark(int item, int equipped, int bonus) {
    if (item == equipped) return {"Ｅ", 31};
    const int h = gItems[item].bonuses[bonus];
    const int e = gItems[equipped].bonuses[bonus];
    if (h == e) return {"→", 1};
    return h > e ? Mark{"↑", 41} : Mark{"↓", 21};
}

void drawMarkPair(const Text& text, int top, Mark first, Mark second) {
    char padded[32];
    std::snprintf(padded, sizeof padded, "%s%s", first.text, kPad);
    text(25, top, 205, padded, first.style);
    text(25, top, 205, second.text, second.style);
}

void drawComparison(const Text& text, int item) {
    const int kind = gItems[item].kind;
    if (kind >= 7) return;
    const bool weapon = kind < kItemKindProtector;
    drawMarkPair(text, 180, {weapon ? "攻" : "防", 1}, {weapon ? "魔" : "耐", 1});
    const int slot = weapon ? kEquipWeapon : kEquipProtector;
    const int firstBonus = weapon ? 0 : 1;   // attack or defence
    const int secondBonus = weapon ? 2 : 3;  // magic or magic defence
    for (int i = 0; i < 3; ++i) {
        const int unit = gParty[i];
        if (unit <= 0 || unit >= kUnitCount) break;
        const int top = 210 + 30 * i;
        text(25, top, 205, gUnitBases[unit].name, 0);
        if (weapon && unit != kind) {
            drawMarkPair(text, top, {"－", 11}, {"－", 11});
            continue;
        }
        int equipped = gPartyMembers[unit].equipment[slot];
        if (equipped < 0 || equipped >= kItemCount) equipped = 0;
        drawMarkPair(text, top, compareMark(item, equipped, firstBonus), compareMark(item, equipped, secondBonus));
    }
}

void drawMainView(GraphicsResources& resources, gfx::Device* device, int count) {
    const Text text{resources, device};
    const bool cards = shopIsCardShop();
    const bool points = shopIsPointCard();
    const int row = gMenuListCursor;
    const int item = cards ? -1 : (row >= 0 && row < count ? shopItemAt(row) : 0);
    const int card = cards ? shopCardAt(row) : -1;
    char number[32];

    drawWindowFrame(resources, device, 15, 15, 610, 30);
    text(25, 20, 640, gShopTitle, 100);

    drawWindowFrame(resources, device, 15, 55, 200, 30);
    text(25, 60, 205, "種別", 100);
    text(25, 60, 205, cards ? "カード" : shopItemKindName(item >= 0 ? gItems[item].kind : 0), 1);

    drawWindowFrame(resources, device, 15, 95, 200, 65);
    text(25, 100, 205, "所持数", 100);
    const int owned = cards ? (card >= 0 ? gCardStock[card].count : 0) : (item >= 0 ? gItemStock[item].owned : 0);
    formatNumber(number, sizeof number, owned);
    text(25, 100, 205, number, 1);
    if (!cards) {
        text(25, 130, 205, "装備数", 100);
        formatNumber(number, sizeof number, item >= 0 ? gItemStock[item].equipped : 0);
        text(25, 130, 205, number, 1);
        drawWindowFrame(resources, device, 15, 175, 200, 125);
        if (item >= 0) drawComparison(text, item);
    }

    const bool regionValid = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount;
    const int balanceTop = points ? 371 : 401;
    drawWindowFrame(resources, device, 15, points ? 365 : 395, 200, points ? 65 : 30);
    text(25, balanceTop, 205, currencyName(gRegionCurrency), 100);
    formatNumber(number, sizeof number, regionValid ? gMoney[gRegionCurrency] : 0);
    text(25, balanceTop, 205, number, 101);
    if (points) {
        text(25, 401, 205, "ポイント", 130);
        formatNumber(number, sizeof number, gShopPoints);
        text(25, 401, 205, number, 131);
    }

    drawWindowFrame(resources, device, 230, 52, 330, 377);
    drawMenuCursor(resources, device, 235, static_cast<float>(63 + 30 * gMenuListCursor), 320);
    for (int k = 0; k < count; ++k) {
        const int top = 63 + 30 * k;
        const char* name = cards ? gCardTable[shopCardAt(k)].name : gItems[shopItemAt(k)].name;
        const std::int64_t price = cards ? gCardTable[shopCardAt(k)].price : gItems[shopItemAt(k)].price;
        text(255, top, 525, name, 100);
        formatNumber(number, sizeof number, price);
        text(255, top, 525, number, 101);
    }

    drawWindowFrame(resources, device, 15, 440, 610, 30);
    const char* description = cards ? (card >= 0 ? gCardTable[card].description : "")
                                    : (item >= 0 ? gItems[item].description : "");
    text(25, 445, 640, description, 0);
}

void drawQuantityWindow(GraphicsResources& resources, gfx::Device* device) {
    const Text text{resources, device};
    const bool points = shopIsPointCard();
    const ShopQuote q = quoteShopPurchase(gMenuListCursor, gMenuAmount);
    const int item = shopItemAt(gMenuListCursor);
    const int card = shopCardAt(gMenuListCursor);
    const char* name = card >= 0 ? gCardTable[card].name : (item >= 0 ? gItems[item].name : "");
    char number[40];

    drawWindowFrame(resources, device, 260, 70, 350, points ? 250 : 135);
    auto row = [&](int top, const char* label, int labelStyle, std::int64_t value, int valueStyle) {
        text(270, top, 600, label, labelStyle);
        formatNumber(number, sizeof number, value);
        text(270, top, 600, number, valueStyle);
    };
    text(270, 80, 600, "商品名", 0);
    text(270, 80, 600, name, 1);
    text(270, 110, 600, "単価", 0);
    std::snprintf(number, sizeof number, "@%" PRId64, q.unitPrice);
    text(270, 110, 600, number, 1);
    row(140, "個数", 30, gMenuAmount, 31);
    const bool shown = q.affordable;
    if (points) {
        row(170, "代金", 0, q.cost, 1);
        row(200, "ポイント支払", 20, q.pointsUsed, 21);
        row(230, "現金支払", shown ? 20 : 10, q.cash, shown ? 21 : 11);
        text(270, 260, 600, "ポイント還元率", 40);
        std::snprintf(number, sizeof number, "%d%%", gShopKind);
        text(270, 260, 600, number, 41);
        row(290, "ポイント受取", 40, q.pointsEarned, 41);
    } else {
        row(170, "現金支払", shown ? 20 : 10, q.cash, shown ? 21 : 11);
    }
}

}  // namespace

void runShopScreen(GraphicsResources& resources, gfx::Device* device) {
    if (device != nullptr) {
        clearRequestedTextLayers(resources, device);
        device->setRenderTarget(resources.backBuffer);
        device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
    }
    const int count = shopGoodsCount();
    beginTextFont(device, kShopFontHeight, kShopFontFace);
    drawMainView(resources, device, count);
    endTextFont();
    if (resources.sprite && resources.layer2Target) {
        resources.sprite->begin();
        drawTextLayer(resources, resources.layer2Target.get());
        resources.sprite->end();
    }
    if (gMenuPage == 1) {
        beginTextFont(device, kShopFontHeight, kShopFontFace);
        drawQuantityWindow(resources, device);
        endTextFont();
    }
    if (resources.sprite && resources.layer1Target) {
        resources.sprite->begin();
        drawTextLayer(resources, resources.layer1Target.get());
        resources.sprite->end();
    }
    handleShopInput(gInputCode);
    gInputCode = 0;
    endTextLayerFrame();
}
