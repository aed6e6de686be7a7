#include "minigames/CardDuelSetup.h"

#include <cstdio>
#include <cstring>

#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelPick.h"
#include "minigames/CardDuelState.h"

const char kTownspersonDuelSong[] = "【カード】一般人戦.mid";

namespace {

constexpr int kTownspersonBudget = 15;
constexpr int kTournamentBudgets[6] = {0, 10, 8, 6, 5, 4};
constexpr int kTournamentGroups[6] = {0, 1, 2, 3, 4, 1};
constexpr int kUncommonsByRound[7] = {0, 1, 2, 3, 4, 2, 4};

constexpr int kPresetHands[10][kHandSlots] = {
    {35, 67, 39, 36, 5},  {40, 43, 42, 33, 32}, {94, 95, 96, 97, 98}, {6, 22, 23, 25, 69},
    {99, 7, 18, 16, 17},  {88, 89, 91, 92, 93}, {0, 19, 20, 83, 94},  {45, 45, 45, 57, 77},
    {80, 81, 82, 83, 84}, {6, 85, 87, 86, 90},
};

bool owned(int card) { return gCardStock[card].count >= 1; }

void copyTitle(char (&to)[100], const char* from) {
    std::snprintf(to, sizeof to, "%s", from);
}

// The event primitive's rule for a song other than the main theme: ignored
// under the music lock or when it already plays; otherwise the playing song
// and its position are remembered and the new one requested.
void changeToDuelSong(const char* title) {
    if (gMusicLock == 1 || std::strcmp(gCurrentSong, title) == 0) return;
    copyTitle(gRememberedSong, gCurrentSong);
    saveSongPosition(&gRememberedSongPos);
    copyTitle(gRequestedSong, title);
}

int ownedCopies() {
    int copies = 0;
    for (int card = 0; card < kCardCount; ++card)
        if (gCardStock[card].count > 0) copies += gCardStock[card].count;
    return copies;
}

class OpponentHandBuilder {
public:
    int size() const { return size_; }
    bool full() const { return size_ >= kHandSlots; }
    void add(int card) {
        if (full() || card < 0) return;
        gOpponentHand[size_++] = HandSlot{card, 0, 0};
    }

private:
    int size_ = 0;
};

void buildOpponentHand(int code, int extraCard, int uncommons, int group) {
    OpponentHandBuilder hand;
    // Its legends the player has not won yet, in card order.
    for (int card = 0; card < kCardCount && !hand.full(); ++card)
        if (gCardTable[card].rarity == 3 && gCardTable[card].group == code && !owned(card)) hand.add(card);
    // Without one, a card it won from the player earlier, when there is one.
    if (hand.size() == 0)
        hand.add(pickRandomCard([code](int c) { return gCardStock[c].holder == code && !owned(c); }));
    if (extraCard != kNoExtraCard) {
        if (extraCard >= 1 && extraCard <= kCardCount)
            hand.add(extraCard - 1);
        else
            std::fprintf(stderr, "card duel: extra card %d is not a card, ignored\n", extraCard);
    }
    // Uncommons of its group; a group without any adds none.
    for (int i = 0; i < uncommons && !hand.full(); ++i) {
        const int card = pickRandomCard([group](int c) {
            return gCardTable[c].rarity == 1 && (group == 0 || gCardTable[c].group == group);
        });
        if (card < 0) break;
        hand.add(card);
    }
    // Commons up to five. A table without commons fills with any card, so the
    // hand always ends with five.
    while (!hand.full()) {
        int card = pickRandomCard([](int c) { return gCardTable[c].rarity == 0; });
        if (card < 0) card = pickRandomCard([](int) { return true; });
        hand.add(card);
    }
}

// Deals one owned card into the player's next slot.
void dealCard(int& dealt, int card) {
    gPlayerHand[dealt++] = HandSlot{card, 0, 0};
    --gCardStock[card].count;
}

}  // namespace

bool isOpponentCode(int code) {
    if (code >= 1 && code <= 6) return true;
    if (isTournamentCode(code)) return code % 10 <= 6;
    return isPresetCode(code);
}

int tournamentGroup(int code) {
    const int t = tournamentOf(code);
    return (t >= 1 && t <= 5) ? kTournamentGroups[t] : 0;
}

int minimumHandCost() {
    if (ownedCopies() < kHandSlots) return kNoHandPossible;
    int taken = 0;
    int cost = 0;
    for (int rarity = 0; rarity <= 255 && taken < kHandSlots; ++rarity) {
        for (int card = 0; card < kCardCount && taken < kHandSlots; ++card) {
            if (gCardTable[card].rarity != rarity) continue;
            for (int copy = 0; copy < gCardStock[card].count && taken < kHandSlots; ++copy) {
                cost += rarity;
                ++taken;
            }
        }
    }
    return cost;
}

void dealHand() {
    auto newQuota = [] { return duelRandom() % 3 + 3; };
    auto inTier = [](int tier, int card) {
        const int rarity = gCardTable[card].rarity;
        if (tier == 2) return rarity == 3;
        if (tier == 1) return rarity == 1 || rarity == 2;
        return rarity == 0;
    };
    int tier = 2;
    int quota = newQuota();
    int dealt = 0;
    while (dealt < kHandSlots) {
        if (tier >= 1) {
            if (quota == 0) {
                --tier;
                quota = newQuota();
                continue;
            }
            --quota;
            const int card = pickRandomCard([&](int c) { return inTier(tier, c) && owned(c); });
            if (card >= 0) {
                dealCard(dealt, card);
            } else {
                --tier;
                quota = newQuota();
            }
            continue;
        }
        int card = pickRandomCard([&](int c) { return inTier(0, c) && owned(c); });
        // No common left: any owned copy rather than a pick among none.
        if (card < 0) card = pickRandomCard([](int c) { return owned(c); });
        if (card < 0) break;  // nothing owned at all: startCardDuel refuses this
        dealCard(dealt, card);
    }
    for (int slot = dealt; slot < kHandSlots; ++slot) gPlayerHand[slot] = HandSlot{kCardBack, 1, 0};
    gDuelPhase = 4;
    gDuelCursor = 0;
    gPlayerHand[0].selected = 1;
    gRedrawRequest[1] = 2;
}

void startCardDuel(int extraCard, int code) {
    if (!isOpponentCode(code)) {
        std::fprintf(stderr, "card duel: %d is not an opponent code, no duel\n", code);
        gDuelResult = kDuelLost;
        return;
    }
    const int budget = code < 10 ? kTownspersonBudget : isPresetCode(code) ? 0 : kTournamentBudgets[tournamentOf(code)];
    const int cost = minimumHandCost();
    if (cost == kNoHandPossible || (!isPresetCode(code) && cost > budget)) {
        std::fprintf(stderr, "card duel: no hand of five within the budget %d (the least is %d), no duel\n",
                     budget, cost);
        gDuelResult = kDuelLost;
        return;
    }

    gScene = kDuelScene;
    copyTitle(gRememberedSong, gCurrentSong);
    gDeckPage = 0;
    gDuelCursor = 0;
    gDuelPhase = 0;
    gHandChosen = 0;
    gDuelOpponent = static_cast<std::uint8_t>(code);
    for (DuelCell& cell : gDuelBoard) cell = DuelCell{kEmptyCell, kPlayerOwner, {0, 0, 0, 0}};
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
    for (HandSlot& slot : gPlayerHand) slot = HandSlot{0, 1, 0};
    for (HandSlot& slot : gOpponentHand) slot = HandSlot{0, 0, 0};

    int uncommons = 0;
    int group = 0;
    if (code >= 10) {
        copyTitle(gRequestedSong, gRememberedSong);  // already playing: no change
        if (isPresetCode(code)) {
            for (int slot = 0; slot < kHandSlots; ++slot)
                gOpponentHand[slot] = HandSlot{kPresetHands[code - 60][slot], 0, 0};
            dealHand();
            return;
        }
        uncommons = kUncommonsByRound[code % 10];
        group = tournamentGroup(code);
    } else {
        changeToDuelSong(kTownspersonDuelSong);
        uncommons = (duelRandom() % 5) / 3;
        if (code == 6) uncommons = 0;
        group = code;
    }
    gCostLimit = static_cast<std::uint8_t>(budget);
    gCostLeft = static_cast<std::uint8_t>(budget);
    buildOpponentHand(code, extraCard, uncommons, group);
}

void finishCardDuel() {
    gScene = kFieldScene;
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
    if (std::strcmp(gCurrentSong, gRememberedSong) != 0) {
        copyTitle(gRequestedSong, gRememberedSong);
        stopMusic();
        releaseMusic();
        // The remembered position belongs to the field's song and may lie
        // beyond the duel song's end: the player wraps it into the song.
        playSong(gCurrentSong, gRememberedSongPos);
    }
}
