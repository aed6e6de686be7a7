// The grid look-up: which cell of the sheared grid holds a world point.
#pragma once

// out = (row, 0, column). Only x and z are read. A point below the grid gives
// -1 (never less); one beyond it gives 60 or more. Single-precision
// arithmetic as the field uses it: c*k is rounded to a float before the
// remainders are taken, and k itself is compared in double precision.
void worldToCell(const float pos[3], int out[3]);
