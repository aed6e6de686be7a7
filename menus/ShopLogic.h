// The shop's rules, apart from its drawing: which goods are offered, what a
// quantity costs and how it is paid (cash, or the point card first), what
// the keys do on each page, and the purchase itself.
//
// Money is worked out in 64 bits, so no quantity times price can wrap; a
// cost above the balance is refused, and so is a quantity that would not
// fit under the stock cap: nothing is ever charged for goods not delivered.
#pragma once

#include <cstdint>

constexpr int kShopGoodsSlots = 20;
constexpr int kShopShownGoods = 12;    // at most the first 12 goods are offered
constexpr int kShopCardKind = 100;     // goods are card index + 1
constexpr int kShopQuantityMax = 10000;
constexpr int kShopStockCap = 10000;   // owned copies of an item or a card

bool shopIsPointCard();  // kinds 1 to 99: the kind is the rebate in percent
bool shopIsCardShop();
// Goods offered: up to the first 0 (or an id outside the tables), at most 12.
int shopGoodsCount();
// The item id or card index of a listed row; -1 outside the list.
int shopItemAt(int row);
int shopCardAt(int row);

struct ShopQuote {
    std::int64_t unitPrice;
    std::int64_t cost;          // quantity x unit price
    std::int64_t pointsUsed;    // the point card pays first (kinds 1 to 99)
    std::int64_t cash;          // the rest, paid from the region's balance
    std::int64_t pointsEarned;  // cash x kind / 100
    std::int64_t balance;       // the region's balance
    bool affordable;            // the cash is covered by the balance
    int room;                   // copies that still fit under the stock cap
};
// What `amount` of the listed row costs now.
ShopQuote quoteShopPurchase(int row, int amount);
// The largest quantity the keys may reach for a row: 10,000, or fewer when
// the stock holds so many that no more would fit (never below 1).
int shopQuantityLimit(int row);

// One frame's input code on the current page; returns nothing, clears
// nothing (the screen clears the code).
void handleShopInput(int inputCode);
// Pays for and delivers `amount` of the row; false (nothing changed) when
// it is refused.
bool buyShopGoods(int row, int amount);

// Item-kind and currency names as the shop shows them.
const char* shopItemKindName(int kind);
