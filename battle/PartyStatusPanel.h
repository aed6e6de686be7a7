// The party status panel's rows apart from their drawing.
#pragma once

#include <cstdint>

#include "battle/BattleRecords.h"

struct PanelRow {
    int slot;
    int y;
    const char* name;
    int hp, maxHp, sp, maxSp;
    const std::uint8_t* status;
    bool showsSp;
    int colour;  // tens digit of the text style: 0 white, 50 yellow, 20 orange-red
};

// The rows shown, in slot order; returns their count.
int panelRows(PanelRow rows[3]);
// The colour code of a row by its HP share.
int panelRowColour(int hp, int maxHp);
int statusLetterColour(int status);
// Right edges of the gauge fills (source rectangles; empty when not above the left).
int hpFillRight(int hp, int maxHp);
int spFillRight(int sp, int maxSp);
// The left edges of the status letter cells, rightmost first, with the
// status each shows; returns how many.
int statusLetterCells(const std::uint8_t* status, int cells[kStatusCount], int lettersOut[kStatusCount]);
