#include "minigames/CardDuelStakes.h"

#include "gamedata/GameData.h"
#include "minigames/CardDuelPick.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"

namespace {

bool validCard(int card) { return card >= 0 && card < kCardCount; }
bool owned(int card) { return gCardStock[card].count >= 1; }

// Whether a card the player does not own is already held by holder c.
bool holderKeepsALostCard(int c) {
    for (int card = 0; card < kCardCount; ++card)
        if (!owned(card) && gCardStock[card].holder == c) return true;
    return false;
}

}  // namespace

std::uint8_t holderOfLostCard(int card) {
    const int code = gDuelOpponent;
    if (code < 10) return static_cast<std::uint8_t>(code);
    if (isPresetCode(code)) return kLostToPresetHolder;

    int c = code;
    if (code % 10 == 5) {
        c = code - 1;
    } else if (code % 10 == 6) {
        // The semifinalist's legend decides whether the final's loss goes to
        // the semifinal or one round further down.
        c = code - 1;
        for (int legend = 0; legend < kCardCount; ++legend) {
            if (gCardTable[legend].group != code - 1) continue;
            const bool semifinalistStays = gCardStock[legend].count == 1 || legend == card ||
                                           gCardStock[legend].holder != code - 1;
            c = semifinalistStays ? code - 1 : code - 2;
            break;
        }
    }
    // A round's player keeps at most one lost card; the first round any number.
    while (c % 10 != 0 && holderKeepsALostCard(c)) --c;
    return static_cast<std::uint8_t>(c);
}

void loseCardToOpponent(int card) {
    if (!validCard(card)) return;
    CardStock& stock = gCardStock[card];
    --stock.count;
    if (stock.count > 0) return;
    if (stock.count < 0) stock.count = 0;
    stock.holder = holderOfLostCard(card);
}

void markCardSeen(int card) {
    if (!validCard(card) || owned(card)) return;
    CardStock& stock = gCardStock[card];
    const int code = gDuelOpponent;
    if (isPresetCode(code)) {
        if (stock.known == 0) {
            stock.known = 1;
            stock.holder = kSeenInPresetHolder;
        }
        return;
    }
    stock.known = 1;
    if (gCardTable[card].rarity >= 2)
        stock.holder = static_cast<std::uint8_t>(code);
    else
        stock.holder = static_cast<std::uint8_t>(code < 10 ? code : tournamentGroup(code));
}

int lostSlot() {
    int slot = 0;
    for (int s = 1; s < kHandSlots; ++s) {
        const int card = gPlayerHand[s].card;
        const int best = gPlayerHand[slot].card;
        if (validCard(card) && (!validCard(best) || gCardTable[card].rarity >= gCardTable[best].rarity)) slot = s;
    }
    return slot;
}

void makePresetRewardHand() {
    auto uncommon = [] {
        int card = pickRandomCard([](int c) { return gCardTable[c].rarity == 1; });
        // A table without uncommons offers any card rather than a pick among none.
        if (card < 0) card = pickRandomCard([](int) { return true; });
        return card;
    };
    const int won = pickRandomCard([](int c) { return gCardStock[c].holder == kLostToPresetHolder && !owned(c); });
    gOpponentHand[0].card = won >= 0 ? won : uncommon();
    for (int slot = 1; slot < kHandSlots; ++slot) gOpponentHand[slot].card = uncommon();
}

void takeOpponentCard(int slot) {
    if (slot < 0 || slot >= kHandSlots) return;
    const int card = gOpponentHand[slot].card;
    if (!validCard(card)) return;
    CardStock& stock = gCardStock[card];
    ++stock.count;
    stock.known = 1;
    stock.holder = 0;
}
