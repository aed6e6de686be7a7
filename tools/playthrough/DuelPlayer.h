// Playing a card duel (scene 400) with the keys alone, as a careful player
// does: the strongest hand the budget allows, then each turn the card and
// cell that take the most of the opponent's cards while leaving the fewest
// weak sides open to it (a corner or an edge shows fewer), a weak card
// spent where nothing is taken so that the strong ones wait; after a win the
// rarest, strongest card on offer. It reads what the screen shows: the board,
// its own hand and the card stock, never the opponent's face-down cards.
// Returns input codes (engine/Input.h).
#pragma once

// A move: the player's hand slot and the board cell (3 * column + row).
struct DuelMove {
    int slot = -1;
    int cell = -1;
};

// The move for the board and hand as they stand; slot -1 when the player has
// no card left or the board is full.
DuelMove chooseDuelMove();

// The card deck building picks next, -1 when none fits: the strongest owned
// card that still leaves enough budget for the cheapest cards that must
// follow it.
int nextDeckCard();

// The opponent's hand slot to take after a win.
int chooseRewardSlot();

// One frame's input on the duel screen.
int duelCode();
