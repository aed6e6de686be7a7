#include "menus/ShopLogic.h"

#include <algorithm>
#include <climits>

#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "menus/CounterAmount.h"
#include "menus/MenuState.h"
#include "menus/ShopEffects.h"

namespace {

const char* const kItemKindNames[12] = {"",     "火炎放射器", "ライフル", "自動拳銃", "銃剣", "刀",
                                        "防具", "装飾",       "道具",     "道具",     "兵器", "兵器"};

int clampToInt(std::int64_t value) {
    if (value > INT_MAX) return INT_MAX;
    if (value < INT_MIN) return INT_MIN;
    return static_cast<int>(value);
}

bool goodsValid(int goods) {
    if (goods <= 0) return false;
    return shopIsCardShop() ? goods - 1 < kCardCount : goods < kItemCount;
}

void quantityKey(int inputCode) {
    const int limit = shopQuantityLimit(gMenuListCursor);
    const int amount = stepCounterAmount(gMenuAmount, inputCode, limit, kShopQuantityMax);
    if (amount < 0) return;
    gMenuAmount = std::clamp(amount, 1, limit);
    gRedrawRequest[1] = 2;
}

void goodsListInput(int inputCode) {
    const int count = shopGoodsCount();
    switch (inputCode) {
    case kInputDown:
    case kInputUp:
        if (count == 0) return;  // nothing to move over
        gMenuListCursor += inputCode == kInputDown ? 1 : -1;
        if (gMenuListCursor >= count) gMenuListCursor = 0;
        if (gMenuListCursor < 0) gMenuListCursor = count - 1;
        gRedrawRequest[1] = 2;
        break;
    case kInputDecide:
        if (count == 0 || gMenuListCursor < 0 || gMenuListCursor >= count) {
            playCounterEffect(kEffectRefused);
            return;
        }
        playCounterEffect(kEffectDecide);
        gMenuPage = 1;
        gMenuAmount = 1;
        requestBothTextLayers();
        break;
    case kInputCancel:
        playCounterEffect(kEffectCancel);
        gMenuPage = 0;
        gScene = 0;
        requestBothTextLayers();
        break;
    default: break;
    }
}

void quantityPageInput(int inputCode) {
    switch (inputCode) {
    case kInputRight:
    case kInputLeft:
    case kInputUp:
    case kInputDown: quantityKey(inputCode); break;
    case kInputCancel:
        playCounterEffect(kEffectCancel);
        gMenuPage = 0;
        gRedrawRequest[1] = 2;
        break;
    case kInputDecide:
        if (!buyShopGoods(gMenuListCursor, gMenuAmount)) {
            playCounterEffect(kEffectRefused);
            return;
        }
        playCounterEffect(kEffectPaid);
        gMenuPage = 0;
        requestBothTextLayers();
        break;
    default: break;
    }
}

}  // namespace

bool shopIsPointCard() { return gShopKind >= 1 && gShopKind <= 99; }
bool shopIsCardShop() { return gShopKind == kShopCardKind; }

const char* shopItemKindName(int kind) { return kind >= 0 && kind < 12 ? kItemKindNames[kind] : ""; }

int shopGoodsCount() {
    int count = 0;
    while (count < kShopShownGoods && goodsValid(gShopGoods[count])) ++count;
    return count;
}

int shopItemAt(int row) {
    if (shopIsCardShop() || row < 0 || row >= shopGoodsCount()) return -1;
    return gShopGoods[row];
}

int shopCardAt(int row) {
    if (!shopIsCardShop() || row < 0 || row >= shopGoodsCount()) return -1;
    return gShopGoods[row] - 1;
}

int shopQuantityLimit(int row) {
    const ShopQuote quote = quoteShopPurchase(row, 1);
    return std::clamp(quote.room, 1, kShopQuantityMax);
}

ShopQuote quoteShopPurchase(int row, int amount) {
    ShopQuote q{};
    const int item = shopItemAt(row);
    const int card = shopCardAt(row);
    int held = kShopStockCap;  // a row outside the list fits nothing
    if (card >= 0) {
        q.unitPrice = gCardTable[card].price;
        held = gCardStock[card].count;
    } else if (item >= 0) {
        q.unitPrice = gItems[item].price;
        held = gItemStock[item].owned;
    }
    q.room = std::max(0, kShopStockCap - held);
    q.cost = static_cast<std::int64_t>(amount) * q.unitPrice;
    if (shopIsPointCard()) q.pointsUsed = std::min<std::int64_t>(std::max(gShopPoints, 0), q.cost);
    q.cash = q.cost - q.pointsUsed;
    if (shopIsPointCard()) q.pointsEarned = q.cash * gShopKind / 100;
    const bool regionValid = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount;
    q.balance = regionValid ? gMoney[gRegionCurrency] : 0;
    q.affordable = regionValid && q.cash >= 0 && q.cash <= q.balance;
    return q;
}

bool buyShopGoods(int row, int amount) {
    if (amount < 1 || row < 0 || row >= shopGoodsCount()) return false;
    const ShopQuote q = quoteShopPurchase(row, amount);
    if (!q.affordable || amount > q.room) return false;

    gMoney[gRegionCurrency] = clampToInt(q.balance - q.cash);
    if (shopIsCardShop()) {
        CardStock& stock = gCardStock[shopCardAt(row)];
        stock.holder = 0;
        stock.known = 1;
        stock.count += amount;
        return true;
    }
    if (shopIsPointCard()) {
        const std::int64_t rate = gExchangeRates[gRegionCurrency].rate;
        gCumulativeSales = clampToInt(gCumulativeSales + rate * q.cash / 100);
        gShopPoints = clampToInt(static_cast<std::int64_t>(gShopPoints) + q.pointsEarned - q.pointsUsed);
    }
    gItemStock[shopItemAt(row)].owned += amount;
    return true;
}

void handleShopInput(int inputCode) {
    if (gMenuPage == 1) {
        quantityPageInput(inputCode);
    } else {
        goodsListInput(inputCode);
    }
}
