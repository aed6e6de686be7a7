// The course editor of the developer mode: with the boat's cell (ix, iz),
// while 20 < ix < 480 and 20 < iz < 480, each developer command edits the
// course under the boat. A normal run never sets a command (gCommandCode is
// 999), so the editor never acts there.
#pragma once

constexpr int kEditorRaise = 1;         // the 13 grid points within 2 steps rise by 0.125
constexpr int kEditorLower = 2;         // the boat's grid point falls by 0.125, not below 0
constexpr int kEditorObstacle = 3;      // removes the obstacle on the cell, else places one
constexpr int kEditorGoal = 4;          // toggles the finish line on the cell
constexpr int kEditorSave = 5;          // writes the course file
constexpr int kEditorCellType = 6;      // the cell's type 0-5 moves on by one

// Applies one command (1-6; anything else does nothing). Returns the save's
// result for command 5 (0 saved, 1 not), else 0.
int runCourseEditor(int command);
