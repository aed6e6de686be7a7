// The new-game state.
#pragma once

// The first half of a new game: stocks, player and the start map.
void resetNewGame();
// The rest: party, money, items, exchange rates. Returns 0.
int setUpInitialParty();
