#include "minigames/CardDuelRules.h"

#include "gamedata/GameData.h"

namespace {

// An out-of-range card index reads as card 0 rather than past the table.
const CardRecord& cardRow(int card) {
    return gCardTable[(card >= 0 && card < kCardCount) ? card : 0];
}

bool opposed(int a, int b) { return a != b && a / 2 == b / 2; }

}  // namespace

// Left, right, above, below: the order in which a placement visits them.
const FacingSides kNeighbourDirections[4] = {
    {-1, 0, kSideLeft, kSideRight},
    {+1, 0, kSideRight, kSideLeft},
    {0, -1, kSideTop, kSideBottom},
    {0, +1, kSideBottom, kSideTop},
};

int elementRelation(int placedElement, int otherElement) {
    if (placedElement == 0) {
        if (otherElement == 0) return 2;
        if (otherElement == 1) return 4;
        return 1;
    }
    if (placedElement == 1) return otherElement == 0 ? 3 : 2;
    if (otherElement == 0) return 1;
    if (otherElement == 1) return 2;
    if (otherElement == placedElement) return 2;
    if (opposed(placedElement, otherElement)) return 1;
    return 0;
}

bool sideBeats(int attackValue, int attackElement, int defendValue, int defendElement) {
    switch (elementRelation(attackElement, defendElement)) {
        case 0: return attackValue > defendValue;
        case 1: return attackValue >= defendValue;
        case 2: return attackValue > defendValue + 1;
        case 3: return attackValue > 0;
        default: return false;  // relation 4: a value never beats a 9-maker
    }
}

void applyElementEffect(DuelPosition placedPosition, DuelPosition neighbourPosition) {
    const DuelCell& placed = gDuelBoard[cellNumber(placedPosition)];
    DuelCell& neighbour = gDuelBoard[cellNumber(neighbourPosition)];
    const int relation = elementRelation(cardRow(placed.card).element, cardRow(neighbour.card).element);
    for (std::uint8_t& value : neighbour.sides) {
        switch (relation) {
            case 1: if (value > 0) --value; break;
            case 2: if (value < 9) ++value; break;
            case 3: value = 0; break;
            case 4: value = 9; break;
            default: break;
        }
    }
}

void placeCard(DuelPosition position) {
    const DuelCell& placed = gDuelBoard[cellNumber(position)];
    const int placedElement = cardRow(placed.card).element;
    for (const FacingSides& d : kNeighbourDirections) {
        const DuelPosition n{position.column + d.columnStep, position.row + d.rowStep};
        if (!onBoard(n)) continue;
        DuelCell& neighbour = gDuelBoard[cellNumber(n)];
        if (neighbour.card == kEmptyCell) continue;
        if (neighbour.owner != placed.owner &&
            sideBeats(placed.sides[d.ownSide], placedElement, neighbour.sides[d.neighbourSide],
                      cardRow(neighbour.card).element)) {
            neighbour.owner = placed.owner;
        }
        // Friend or foe, flipped or not: the neighbour takes the effect.
        applyElementEffect(position, n);
    }
}

int countFlips(int column, int row, int card) {
    const CardRecord& attacker = cardRow(card);
    int flips = 0;
    for (const FacingSides& d : kNeighbourDirections) {
        const DuelPosition n{column + d.columnStep, row + d.rowStep};
        if (!onBoard(n)) continue;
        const DuelCell& neighbour = gDuelBoard[cellNumber(n)];
        if (neighbour.card == kEmptyCell || neighbour.owner != kPlayerOwner) continue;
        if (sideBeats(attacker.sides[d.ownSide], attacker.element, neighbour.sides[d.neighbourSide],
                      cardRow(neighbour.card).element)) {
            ++flips;
        }
    }
    return flips;
}

int playerScore() {
    int score = 0;
    for (const DuelCell& cell : gDuelBoard)
        if (cell.card != kEmptyCell && cell.owner == kPlayerOwner) ++score;
    for (const HandSlot& slot : gPlayerHand)
        if (!slot.played) ++score;
    return score;
}

std::uint8_t resultForScore(int score) {
    if (score >= 6) return kDuelWon;
    if (score == 5) return kDuelDraw;
    return kDuelLost;
}

bool boardFull() {
    for (const DuelCell& cell : gDuelBoard)
        if (cell.card == kEmptyCell) return false;
    return true;
}
