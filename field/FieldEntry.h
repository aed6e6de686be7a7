// Entering the field on a map directly, without the title screens: the
// playtest driver's --map option.
#pragma once

// Loads `map`, runs its arrival set-up and puts the player, visible, on cell
// (row, col), or with a row below 0 on the floor cell nearest the middle of
// the grid; scene 0 with the camera cut onto the player. False when the map
// has no floor cell to stand on.
bool enterFieldOnMap(int map, int row, int col);
