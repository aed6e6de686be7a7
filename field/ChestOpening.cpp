// What an opened chest gives, and the treasure message that says so.
// Names are read at most to their field's size: a name that fills its field
// has no terminator.
#include <cstdio>

#include "field/FieldServices.h"
#include "field/TouchObject.h"
#include "gamedata/GameData.h"

namespace {

constexpr int kContentsCard = 3000;
constexpr int kContentsMoney = 1000;

const char* const kCurrencyNames[kCurrencyCount] = {"フォッグ", "コイン", "銭"};

}  // namespace

void giveChestContents(int chest, int contents, int amount) {
    if (contents == kContentsCard) {
        if (amount < 0 || amount >= kCardCount) {
            std::fprintf(stderr, "field: chest %d holds card %d outside 0-%d: nothing given\n", chest, amount, kCardCount - 1);
            return;
        }
        std::snprintf(gMessageText, sizeof gMessageText, "%.100sのカードを手に入れた！", gCardTable[amount].name);
        gCardStock[amount].count += 1;
        gCardStock[amount].known = 1;
    } else if (contents == kContentsMoney) {
        if (gRegionCurrency < 0 || gRegionCurrency >= kCurrencyCount) {
            std::fprintf(stderr, "field: region currency %d outside 0-%d: chest %d gives nothing\n", gRegionCurrency,
                         kCurrencyCount - 1, chest);
            return;
        }
        std::snprintf(gMessageText, sizeof gMessageText, "%d%s手に入れた！", amount, kCurrencyNames[gRegionCurrency]);
        gMoney[gRegionCurrency] += amount;
    } else {
        if (contents < 0 || contents >= kItemCount) {
            std::fprintf(stderr, "field: chest %d holds item %d outside 0-%d: nothing given\n", chest, contents, kItemCount - 1);
            return;
        }
        if (amount == 1) {
            std::snprintf(gMessageText, sizeof gMessageText, "%.30sを手に入れた！", gItems[contents].name);
        } else {
            std::snprintf(gMessageText, sizeof gMessageText, "%.30sを%d個手に入れた！", gItems[contents].name, amount);
        }
        gItemStock[contents].owned += amount;
    }
}
