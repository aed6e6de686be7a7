// Walking the field as a player does: the shortest way over the real map by
// the field's own movement rules (floor, blocked cells, steps up taken by a
// jump, people in the way), keeping clear of the enemy symbols.
#pragma once

// The input code (engine/Input.h) that walks towards `slot` on the current
// map this frame: pushing into the slot from a side cell once there. *lost
// is set when no walk reaches the slot.
int walkTowardsSlot(int slot, bool* lost);
// The same, reaching the slot only from the cell (row, col).
int walkTowardsSlotFrom(int slot, int row, int col, bool* lost);
// The code that opens the chest of `slot`: walks beside it, then jumps into
// it so that the head bumps it open (*lost when no walk reaches it).
int jumpIntoChest(int slot, bool* lost);
// The code that walks onto the cell (row, col) (*lost when no walk reaches it).
int walkOntoCell(int row, int col, bool* lost);
// Whether a visible enemy symbol stands on the current map.
bool enemySymbolsLeft();
// The code that walks to meet the nearest enemy symbol (*lost when none is
// reachable).
int walkTowardsNearestEnemy(bool* lost);
// Forgets the progress kept for the goal before (call on a new goal or map).
void resetWalkProgress();

// The player's place in grid units, for messages.
double playerRow();
double playerColumn();
