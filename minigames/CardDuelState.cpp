#include "minigames/CardDuelState.h"

#include "engine/Random.h"
#include "gamedata/GameData.h"

DuelCell gDuelBoard[kBoardCells];
HandSlot gPlayerHand[kHandSlots];
HandSlot gOpponentHand[kHandSlots];

std::uint8_t gDuelOpponent;
std::uint8_t gCostLimit;
std::uint8_t gCostLeft;
std::uint8_t gHandChosen;
std::uint8_t gDeckPage;
std::uint8_t gDuelCursor;
std::uint8_t gDuelPhase;
std::uint8_t gDuelResult;

DuelRandomSource gDuelRandomSource = nullptr;

int duelRandom() {
    const int value = gDuelRandomSource ? gDuelRandomSource() : randomThousand();
    // A source outside 0..999 would break the modulo picks' indices.
    return ((value % 1000) + 1000) % 1000;
}

void resetCardDuelState() {
    for (DuelCell& cell : gDuelBoard) cell = DuelCell{kEmptyCell, kPlayerOwner, {0, 0, 0, 0}};
    for (HandSlot& slot : gPlayerHand) slot = HandSlot{0, 1, 0};
    for (HandSlot& slot : gOpponentHand) slot = HandSlot{0, 0, 0};
    gDuelOpponent = 0;
    gCostLimit = 0;
    gCostLeft = 0;
    gHandChosen = 0;
    gDeckPage = 0;
    gDuelCursor = 0;
    gDuelPhase = 0;
    gDuelResult = 0;
    gDuelRandomSource = nullptr;
}
