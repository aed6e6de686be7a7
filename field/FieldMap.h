// The current map: its 60 x 60 cells, its 150 object slots and where each
// slot's cell is. Every map file and every save holds exactly this state.
//
// The grid is sheared by 45 degrees: cell (row r, column c) has its corner at
// world x = r + c*k, z = c*k (k = 0.707106781) and its centre
// 0.8535533905 further in x and 0.3535533905 further in z. Rows advance along
// +x, columns along the diagonal (k, k). Heights are world y.
#pragma once

#include <cstdint>

#include "field/EventState.h"  // gCurrentMap
#include "field/MapCell.h"
#include "field/MapObject.h"

constexpr int kMapRows = 60;
constexpr int kMapColumns = 60;
constexpr int kMapObjectCount = 150;
constexpr int kMapCount = 130;
constexpr double kGridShear = 0.707106781;          // k, double precision
constexpr double kCellCentreX = 0.8535533905;       // 0.5 + k/2
constexpr double kCellCentreZ = 0.3535533905;       // k/2
constexpr int kMapCellRecordSize = 22;
constexpr int kMapObjectRecordSize = 3;
constexpr long kMapFileSize = kMapRows * kMapColumns * kMapCellRecordSize + kMapObjectCount * kMapObjectRecordSize;  // 79,650

extern MapCell gMapCells[kMapRows][kMapColumns];      // [row][column], row-major as in the file
extern MapObject gMapObjects[kMapObjectCount];
// (row, column) of each slot's cell as the map file gives it. It does not
// follow moving objects. After a load every entry lies inside the grid; a
// script or the editor may write others, so read cells through mapCell().
extern std::uint8_t gObjectCells[kMapObjectCount][2];
// gCurrentMap (field/EventState.h) is set by every load, clear and save.

// The cell at (row, column). Anything outside 0..59 is a floorless, blocked
// cell that is never drawn, so a look-up for a player who has left the grid
// refuses every move and reads no memory outside the arrays.
const MapCell& mapCell(int row, int column);
bool cellInsideGrid(int row, int column);

// World position of a cell's centre (objects stand there after a load):
// x = r + c*k + 0.8535533905, y = the cell's height, z = c*k + 0.3535533905.
void cellCentre(int row, int column, float out[3]);
// c*k with k in double, rounded to a float: the one way the game shears a
// column. A float product (c * 0.707106781f) differs in the last bit for
// columns 9, 13, 18, ... and a corner then falls into the neighbouring cell.
float columnShear(double column);

// Reads "./Data/Map_<map>.dat" into the arrays: every object inert and
// invisible on its cell's centre, both text layers asked to redraw. Returns
// 0, or 1 when the file is missing or is not exactly 79,650 bytes (then the
// map is emptied as by clearMap and a line goes to stderr).
int loadMap(int map);
// Empties every cell and object slot (gObjectCells and the redraw requests
// are left alone). Returns 0.
int clearMap(int map);
// Writes the arrays as "./Data/Map_<map>.dat". Returns 0; 1 when the file
// cannot be written (reported on stderr; an existing file is left whole).
int saveMap(int map);

// The same for any path: the content tools and tests use them.
int readMapFile(const char* path);   // 0 read; 1 missing or wrong size (arrays untouched)
int writeMapFile(const char* path);  // 0 written; 1 failed (file untouched)

// Resets the whole map state (arrays, object cells) to zero.
void resetFieldMap();
