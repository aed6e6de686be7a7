// The card duel's whole state: the board, both hands and the phase machine's
// counters, with the one function that clears them. A duel runs from
// startCardDuel until its screen hands the scene back to the field; nothing
// here is saved, and gDuelResult outlives the duel for the script that reads
// it.
#pragma once

#include <cstdint>

constexpr int kBoardCells = 9;
constexpr int kHandSlots = 5;

constexpr int kEmptyCell = 255;    // an empty board cell
constexpr int kCardBack = 100;  // drawn face down; also an unchosen hand slot

// Side indices of a card's four values.
constexpr int kSideLeft = 0;
constexpr int kSideTop = 1;
constexpr int kSideRight = 2;
constexpr int kSideBottom = 3;

constexpr std::uint8_t kPlayerOwner = 0;
constexpr std::uint8_t kOpponentOwner = 1;

// Results as the story reads them.
constexpr std::uint8_t kDuelWon = 0;
constexpr std::uint8_t kDuelLost = 1;
constexpr std::uint8_t kDuelDraw = 2;

// One board cell. Cell number k = 3 * column + row.
struct DuelCell {
    int card;               // 0-99, kEmptyCell when empty
    std::uint8_t owner;     // kPlayerOwner or kOpponentOwner
    std::uint8_t sides[4];  // the card's current values, changed by element effects
};

struct HandSlot {
    int card;
    std::uint8_t played;    // on the board (player's hand: also "nothing chosen yet")
    std::uint8_t selected;  // under the cursor
};

// (column, row) of a board cell, each 0-2.
struct DuelPosition {
    int column;
    int row;
};

extern DuelCell gDuelBoard[kBoardCells];
extern HandSlot gPlayerHand[kHandSlots];
extern HandSlot gOpponentHand[kHandSlots];

extern std::uint8_t gDuelOpponent;  // opponent code of the running duel
extern std::uint8_t gCostLimit;     // the budget of the player's five cards
extern std::uint8_t gCostLeft;      // budget not yet spent in deck building
extern std::uint8_t gHandChosen;    // cards chosen in deck building, 0-5
extern std::uint8_t gDeckPage;      // deck-building page 0-9
extern std::uint8_t gDuelCursor;    // the current phase's cursor
extern std::uint8_t gDuelPhase;     // phase of the duel screen
extern std::uint8_t gDuelResult;    // last result: kDuelWon, kDuelLost or kDuelDraw

// Where the duel draws its random numbers: randomThousand unless a test sets
// its own sequence. duelRandom() returns 0-999 either way.
using DuelRandomSource = int (*)();
extern DuelRandomSource gDuelRandomSource;
int duelRandom();

inline int cellNumber(DuelPosition p) { return 3 * p.column + p.row; }
inline DuelPosition cellPosition(int cell) { return DuelPosition{cell / 3, cell % 3}; }
inline bool onBoard(DuelPosition p) { return p.column >= 0 && p.column < 3 && p.row >= 0 && p.row < 3; }

// Clears the board, both hands and every counter (gDuelResult included) and
// puts the random source back on randomThousand.
void resetCardDuelState();
