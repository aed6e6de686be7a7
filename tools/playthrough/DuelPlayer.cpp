#include "tools/playthrough/DuelPlayer.h"

#include <algorithm>
#include <climits>
#include <vector>

#include "engine/Input.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelPhases.h"
#include "minigames/CardDuelRules.h"
#include "minigames/CardDuelState.h"

namespace {

int strength(int card) {
    const CardRecord& row = gCardTable[card];
    return row.sides[0] + row.sides[1] + row.sides[2] + row.sides[3];
}

// How open the player's cards lie to the opponent's next card: for each side
// that faces an empty cell, the room above its value. A 1 facing an empty cell
// is almost certainly taken, a 9 hardly ever.
int exposure() {
    int open = 0;
    for (int cell = 0; cell < kBoardCells; ++cell) {
        const DuelCell& here = gDuelBoard[cell];
        if (here.card == kEmptyCell || here.owner != kPlayerOwner) continue;
        const DuelPosition p = cellPosition(cell);
        for (const FacingSides& d : kNeighbourDirections) {
            const DuelPosition n{p.column + d.columnStep, p.row + d.rowStep};
            if (!onBoard(n) || gDuelBoard[cellNumber(n)].card != kEmptyCell) continue;
            const int room = 10 - here.sides[d.ownSide];
            open += room * room;
        }
    }
    return open;
}

int ownedCells() {
    int cells = 0;
    for (const DuelCell& cell : gDuelBoard)
        if (cell.card != kEmptyCell && cell.owner == kPlayerOwner) ++cells;
    return cells;
}

// The worth of playing the slot's card on the empty cell, tried on the real
// board with the game's own rules and then put back: cards taken count far
// above everything else; then the fewest weak sides left open; and a card
// spent costs its strength, so the weak ones go first and the strong ones
// wait for the later turns, when what they take is less often taken back.
// (Tried over a thousand duels against the early opponents: spending the
// strong cards freely loses about twice as often.)
int moveWorth(int slot, int cell) {
    DuelCell saved[kBoardCells];
    std::copy(gDuelBoard, gDuelBoard + kBoardCells, saved);
    const int card = gPlayerHand[slot].card;
    const int before = ownedCells();
    DuelCell& target = gDuelBoard[cell];
    target.card = card;
    target.owner = kPlayerOwner;
    std::copy(gCardTable[card].sides, gCardTable[card].sides + 4, target.sides);
    placeCard(cellPosition(cell));
    const int taken = ownedCells() - before - 1;
    const int worth = 1000 * taken - exposure() - 8 * strength(card);
    std::copy(saved, saved + kBoardCells, gDuelBoard);
    return worth;
}

bool validCard(int card) { return card >= 0 && card < kCardCount; }

// The cheapest total rarity of `count` owned copies, leaving one copy of
// `without` out (-1: none); INT_MAX when there are not enough copies.
int cheapestCost(int count, int without) {
    std::vector<int> rarities;
    for (int card = 0; card < kCardCount; ++card) {
        const int copies = gCardStock[card].count - (card == without ? 1 : 0);
        for (int c = 0; c < copies; ++c) rarities.push_back(gCardTable[card].rarity);
    }
    if (static_cast<int>(rarities.size()) < count) return INT_MAX;
    std::sort(rarities.begin(), rarities.end());
    int cost = 0;
    for (int i = 0; i < count; ++i) cost += rarities[static_cast<size_t>(i)];
    return cost;
}

// A press that moves a wrapping cursor from `at` to `wanted` over `size`
// places the short way round: `forward` or `back`, 0 when there.
int stepTowards(int at, int wanted, int size, int forward, int back) {
    if (at == wanted) return 0;
    const int ahead = ((wanted - at) % size + size) % size;
    return ahead <= size - ahead ? forward : back;
}

int deckBuildingCode() {
    const int card = nextDeckCard();
    if (card < 0) return 0;  // nothing fits: the screen has no way out either
    const int page = card / 10, row = card % 10;
    if (gDeckPage != page) return stepTowards(gDeckPage, page, 10, kInputRight, kInputLeft);
    if (gDuelCursor != row) return stepTowards(gDuelCursor, row, 10, kInputDown, kInputUp);
    return kInputDecide;
}

// The cell cursor runs row-major (3 * row + column): left and right step
// through all nine cells, up and down keep the column.
int cellCursorCode(int wantedCell) {
    const int at = gDuelCursor % 9;
    const DuelPosition p = cellPosition(wantedCell);
    const int wanted = 3 * p.row + p.column;
    if (at % 3 != wanted % 3) return stepTowards(at % 3, wanted % 3, 3, kInputRight, kInputLeft);
    if (at / 3 != wanted / 3) return stepTowards(at / 3, wanted / 3, 3, kInputDown, kInputUp);
    return kInputDecide;
}

}  // namespace

DuelMove chooseDuelMove() {
    DuelMove best;
    int bestWorth = INT_MIN;
    for (int slot = 0; slot < kHandSlots; ++slot) {
        if (gPlayerHand[slot].played || !validCard(gPlayerHand[slot].card)) continue;
        for (int cell = 0; cell < kBoardCells; ++cell) {
            if (gDuelBoard[cell].card != kEmptyCell) continue;
            const int worth = moveWorth(slot, cell);
            if (worth > bestWorth) {
                bestWorth = worth;
                best = DuelMove{slot, cell};
            }
        }
    }
    return best;
}

int nextDeckCard() {
    const int toFollow = kHandSlots - 1 - gHandChosen;
    if (toFollow < 0) return -1;
    int best = -1;
    for (int card = 0; card < kCardCount; ++card) {
        if (gCardStock[card].count < 1) continue;
        const int rarity = gCardTable[card].rarity;
        const int rest = cheapestCost(toFollow, card);
        if (rest == INT_MAX || rarity + rest > gCostLeft) continue;
        if (best < 0 || strength(card) > strength(best)) best = card;
    }
    return best;
}

int chooseRewardSlot() {
    int best = 0;
    for (int slot = 1; slot < kHandSlots; ++slot) {
        const int card = gOpponentHand[slot].card, bestCard = gOpponentHand[best].card;
        if (!validCard(card)) continue;
        if (!validCard(bestCard) || gCardTable[card].rarity > gCardTable[bestCard].rarity ||
            (gCardTable[card].rarity == gCardTable[bestCard].rarity && strength(card) > strength(bestCard)))
            best = slot;
    }
    return best;
}

int duelCode() {
    switch (gDuelPhase) {
        case 0: return deckBuildingCode();
        case 4: {
            const DuelMove move = chooseDuelMove();
            if (move.slot < 0) return 0;
            if (gDuelCursor != move.slot) return stepTowards(gDuelCursor, move.slot, kHandSlots, kInputDown, kInputUp);
            return kInputDecide;
        }
        case 5: {
            const DuelMove move = chooseDuelMove();
            if (move.slot < 0 || move.slot != selectedPlayerSlot()) return kInputCancel;
            return cellCursorCode(move.cell);
        }
        case 10: {
            const int slot = chooseRewardSlot();
            if (gDuelCursor != slot) return stepTowards(gDuelCursor, slot, kHandSlots, kInputDown, kInputUp);
            return kInputDecide;
        }
        case 11:
        case 13:
        case 14: return kInputDecide;
        default: return 0;  // the pause, the opponent's move, the scoring
    }
}
