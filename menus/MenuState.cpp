#include "menus/MenuState.h"

#include <cstring>

int gMenuTopCursor = 0;
int gMenuListCursor = 0;
int gMenuPage = 0;
int gMenuAmount = 0;

int gSubScreenCursor = 0;
int gSubScreenPage = 0;
int gSubScreenSlot = 0;
int gSubScreenListCursor = 0;
int gSubScreenListScroll = 0;
int gSubScreenListItem = 0;

int gPageCursor = 0;
int gPageNumber = 0;

char gShopTitle[kShopTitleSize] = {};
int gShopGoods[kShopGoodsCount] = {};
int gShopKind = 0;

char gSavePlaceName[kSavePlaceNameSize] = {};

void resetMenuState() {
    gMenuTopCursor = gMenuListCursor = gMenuPage = gMenuAmount = 0;
    gSubScreenCursor = gSubScreenPage = gSubScreenSlot = 0;
    gSubScreenListCursor = gSubScreenListScroll = gSubScreenListItem = 0;
    gPageCursor = gPageNumber = 0;
    std::memset(gShopTitle, 0, sizeof gShopTitle);
    std::memset(gShopGoods, 0, sizeof gShopGoods);
    gShopKind = 0;
    std::memset(gSavePlaceName, 0, sizeof gSavePlaceName);
}
