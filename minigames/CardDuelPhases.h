// The duel screen's phase machine without its drawing: one step a frame over
// the duel's globals, driven by the frame's input code.
//
// Phases: 0 deck building; 4 choose a hand card; 5 choose a cell; 6 a pause
// of six frames; 7 the opponent moves; 9 scoring, one frame; 10 choose the
// card to take; 11 the card taken; 12 the lost card is taken, one frame;
// 13 the card lost; 14 the draw. 1-3 and 8 do nothing.
#pragma once

#include "engine/Input.h"
#include "minigames/CardDuelState.h"

constexpr int kCentreCell = 4;

// One frame of the duel's logic. May end the duel (finishCardDuel).
void stepCardDuel(int inputCode);

// Clears every selected flag of the player's hand, steps from fromSlot forward
// (4 wraps to 0) or backward (0 wraps to 4), the first step included, to the
// first unplayed slot, selects it and returns it. With no unplayed slot
// nothing is selected and fromSlot comes back.
int moveHandCursor(bool forward, int fromSlot);

// The player's selected hand slot, or -1.
int selectedPlayerSlot();

// Board cell number of the phase-5 cursor (row-major 3 * row + column).
inline int cellOfCursor(int cursor) { return 3 * (cursor % 3) + cursor / 3; }
