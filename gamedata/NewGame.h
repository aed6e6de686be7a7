// The new-game state: the fixed values a game starts from.
#pragma once

// The first half of a new game: stocks, field and editor state, best race
// times, bodyguard names, formation, and the request for the start map
// (map 22, row 26, column 53, facing -x).
void resetNewGame();
// The rest: party, money, items, cards, flags and exchange rates. Returns 0.
int setUpInitialParty();
