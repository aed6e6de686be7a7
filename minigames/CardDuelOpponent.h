// The opponent's move: a card that flips one of the player's cards when it
// has one, else a card placed by position alone. It moves at once.
#pragma once

#include "minigames/CardDuelState.h"

constexpr int kNoSlot = 9;

// Makes the opponent's move; nothing when it has no unplayed card or the
// board is full.
void runDuelAiTurn();

// Places a card that flips one of the player's cards; false when none can.
bool tryFlippingMove();

// For the player's card at (column, row): the opponent's hand slot that can
// flip it, with the cell to play it on written into position; kNoSlot when no
// unplayed card can flip it from any open side.
int evaluateCell(int column, int row, DuelPosition& position);

// Places a card without a flip in view.
void choosePositionalMove();

// Places the opponent's slot on the cell and resolves it.
void placeOpponentCard(int slot, DuelPosition position);
