#include "minigames/CardDuelOpponent.h"

#include "gamedata/GameData.h"
#include "minigames/CardDuelRules.h"
#include "minigames/CardDuelStakes.h"

namespace {

bool emptyCell(DuelPosition p) { return onBoard(p) && gDuelBoard[cellNumber(p)].card == kEmptyCell; }

// The highest unplayed slot, or kNoSlot.
int highestUnplayedSlot() {
    for (int slot = kHandSlots - 1; slot >= 0; --slot)
        if (!gOpponentHand[slot].played) return slot;
    return kNoSlot;
}

// Open sides of an empty cell as a pattern: bit d set when the neighbour in
// direction d (left, right, above, below) lies on the board and is empty.
int openPattern(DuelPosition p) {
    int pattern = 0;
    for (int d = 0; d < 4; ++d) {
        const FacingSides& dir = kNeighbourDirections[d];
        if (emptyCell(DuelPosition{p.column + dir.columnStep, p.row + dir.rowStep})) pattern |= 1 << d;
    }
    return pattern;
}

int openSideSum(int card, int pattern) {
    int sum = 0;
    for (int d = 0; d < 4; ++d)
        if (pattern & (1 << d)) sum += gCardTable[card].sides[kNeighbourDirections[d].ownSide];
    return sum;
}

int bitCount(int pattern) {
    int n = 0;
    for (; pattern; pattern &= pattern - 1) ++n;
    return n;
}

}  // namespace

void placeOpponentCard(int slot, DuelPosition position) {
    HandSlot& hand = gOpponentHand[slot];
    DuelCell& cell = gDuelBoard[cellNumber(position)];
    cell.card = hand.card;
    cell.owner = kOpponentOwner;
    for (int side = 0; side < 4; ++side) cell.sides[side] = gCardTable[hand.card].sides[side];
    hand.played = 1;
    markCardSeen(hand.card);
    placeCard(position);
}

int evaluateCell(int column, int row, DuelPosition& position) {
    const DuelCell& target = gDuelBoard[cellNumber(DuelPosition{column, row})];
    const int targetElement = gCardTable[target.card].element;
    for (const FacingSides& d : kNeighbourDirections) {
        const DuelPosition from{column + d.columnStep, row + d.rowStep};
        if (!emptyCell(from)) continue;
        // The attacker stands on the neighbour and faces back at the target.
        int best = kNoSlot;
        int bestFlips = -1;
        int bestValue = 0;
        for (int slot = 0; slot < kHandSlots; ++slot) {
            const HandSlot& hand = gOpponentHand[slot];
            if (hand.played) continue;
            const CardRecord& card = gCardTable[hand.card];
            const int value = card.sides[d.neighbourSide];
            if (!sideBeats(value, card.element, target.sides[d.ownSide], targetElement)) continue;
            // Most flips first; among equals the lowest value that still wins,
            // keeping the strong cards for later.
            const int flips = countFlips(from.column, from.row, hand.card);
            if (flips > bestFlips || (flips == bestFlips && value < bestValue)) {
                best = slot;
                bestFlips = flips;
                bestValue = value;
            }
        }
        if (best != kNoSlot) {
            position = from;
            return best;
        }
    }
    return kNoSlot;
}

bool tryFlippingMove() {
    for (int cell = 0; cell < kBoardCells; ++cell) {
        const DuelCell& target = gDuelBoard[cell];
        if (target.card == kEmptyCell || target.owner != kPlayerOwner) continue;
        const DuelPosition p = cellPosition(cell);
        DuelPosition to{};
        const int slot = evaluateCell(p.column, p.row, to);
        if (slot != kNoSlot) {
            placeOpponentCard(slot, to);
            return true;
        }
    }
    return false;
}

void choosePositionalMove() {
    const int highestSlot = highestUnplayedSlot();
    if (highestSlot == kNoSlot) return;

    int bestCell = -1;
    int bestSlot = kNoSlot;
    int bestOpen = 5;
    int bestSum = -1;
    int lastEmpty = -1;
    // Highest cell numbers first, so each pattern's first cell is its highest.
    bool patternSeen[16] = {};
    for (int cell = kBoardCells - 1; cell >= 0; --cell) {
        const DuelPosition p = cellPosition(cell);
        if (!emptyCell(p)) continue;
        if (lastEmpty < 0) lastEmpty = cell;
        const int pattern = openPattern(p);
        if (pattern == 0) {
            // Enclosed: the highest such cell takes the highest unplayed card.
            placeOpponentCard(highestSlot, p);
            return;
        }
        if (patternSeen[pattern]) continue;
        patternSeen[pattern] = true;
        int slot = kNoSlot;
        for (int s = kHandSlots - 1; s >= 0; --s) {
            if (!gOpponentHand[s].played && openSideSum(gOpponentHand[s].card, pattern) > 0) {
                slot = s;
                break;
            }
        }
        if (slot == kNoSlot) continue;
        // Fewest open sides first; among those the card that shows most on
        // them; then the higher cell.
        const int open = bitCount(pattern);
        const int sum = openSideSum(gOpponentHand[slot].card, pattern);
        if (open < bestOpen || (open == bestOpen && sum > bestSum)) {
            bestCell = cell;
            bestSlot = slot;
            bestOpen = open;
            bestSum = sum;
        }
    }
    if (bestCell >= 0) {
        placeOpponentCard(bestSlot, cellPosition(bestCell));
    } else if (lastEmpty >= 0) {
        // Every card shows 0 on every open side: any card will do.
        placeOpponentCard(highestSlot, cellPosition(lastEmpty));
    }
}

void runDuelAiTurn() {
    if (highestUnplayedSlot() == kNoSlot || boardFull()) return;
    if (!tryFlippingMove()) choosePositionalMove();
}
