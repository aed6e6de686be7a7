// The menu state several screens share: the cursors and pages of the item
// screen, the shop and the bank, of the camp menu's sub-screens, of the card
// catalogue and the bodyguard screen, the open shop's goods and the place
// label the save screens write into a save's header.
#pragma once

#include <cstdint>

// Item screen, shop and bank.
extern int gMenuTopCursor;
extern int gMenuListCursor;
extern int gMenuPage;
extern int gMenuAmount;  // the quantity being entered, 1 to 10,000

// The camp menu's sub-screens.
extern int gSubScreenCursor;
extern int gSubScreenPage;
extern int gSubScreenSlot;
extern int gSubScreenListCursor;
extern int gSubScreenListScroll;
extern int gSubScreenListItem;  // item id on the row under the cursor, 0 for an empty row

// Card catalogue and bodyguard screen.
extern int gPageCursor;
extern int gPageNumber;

// The open shop or bank, written only by openShop and openBank.
constexpr int kShopTitleSize = 100;
constexpr int kShopGoodsCount = 20;
constexpr int kShopKindCash = 0;       // 1 to 99: point card with that rebate percent
constexpr int kShopKindCards = 100;
extern char gShopTitle[kShopTitleSize];
extern int gShopGoods[kShopGoodsCount];  // item ids, or card index + 1; the list ends at the first 0
extern int gShopKind;

// The place label a save carries in its header.
constexpr int kSavePlaceNameSize = 100;
extern char gSavePlaceName[kSavePlaceNameSize];

void resetMenuState();
