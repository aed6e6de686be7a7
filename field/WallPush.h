// The field's wall push: keeps a 1-wide billboard clear of walls on its left
// and right.
#pragma once

// Moves pos's x (feet at pos[1]) out of the rows on either side that it may
// not overlap: a cell outside the grid, blocked with exactly 1, floorless, or
// higher than both the feet and the cell the point stands in. Rows end on
// lines x - z = constant, so x is set so that x -/+ 0.5 lies on the border.
// Nothing moves along z. The field applies it to the player each frame.
void pushPositionOutOfWalls(float pos[3]);
