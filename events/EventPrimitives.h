// What event scripts call to make things happen: scripted moves, map changes,
// battles, pictures over the field, tint fades, a night's rest, the
// magical-stone presentation and the return of a leaving member's equipment.
// Each obeys the step protocol (events/EventEngine.h).
#pragma once

#include <cstdint>

// The move queues, the pending map change and the markers: field/EventState.h.
// startBattle, which the field calls too: field/FieldEventHooks.h.
#include "field/EventState.h"
#include "field/FieldEventHooks.h"

// ---- Scripted moves ----
extern int gMoveSlot;   // the queue addMoves appends to

void beginMoveBlock(int kind, int slot);
// Appends `frames` copies of a keypad direction; a queue stops at 127 moves
// (the rest is dropped with a line on stderr).
void addMoves(int direction, int frames);
void waitMoveBlock(int kind);

// ---- Map change ----
// Facing 2 moves the player to the corner of (row, col) on this map and the
// event goes on; otherwise asks for the change, starts the fade-in scene and
// ends the event. Rows and columns are kept inside the 60 x 60 grid.
void changeMap(int map, int row, int col, int facing);

// ---- Battle and scenes ----
// The ending's song under the music lock and the staff roll (scene 900).
void startEnding(int variant);
// The chapter save screen (scene 9) with the label its save will carry.
void openSaveScreen(const char* label);
// The shop (scene 300): a title, 20 goods (the list ends at the first 0) and
// the kind (0 cash, 1 to 99 point card with that rebate, 100 cards).
void openShop(const char* title, const int goods[20], int kind);
// The bank (scene 301); the home currency's rate is 100 again.
void openBank(const char* title);

// ---- Pictures and tint ----
void showStillPicture(int picture);
void waitStillPicture();
// Moves each tint channel 0.01 a frame toward the target; holds until all arrive.
void fadeTint(float r, float g, float b, float a);

// ---- Party and economy ----
// HP and SP of the party, the bodyguards' HP to their maxima, then one day.
void restAndAdvanceDay();
// Loan interest (saturating at the largest int) and the exchange-rate drift.
void advanceEconomyDay();
// Protector and both accessories back to the stock; the weapon stays.
void returnUnitEquipment(int unit);
// pair[0], lowered to pair[1] when that is not 0 and smaller, raised to minimum.
int clampToRange(int minimum, const int pair[2]);

// ---- The magical-stone presentation ----
void runStoneAcquisition(const float position[3], int marker, int unused);

void resetEventPrimitives();
// A new game's start: the ten field markers absent at (0, 0, 0) frame 0;
// every move queue emptied; the map change changeMap(22, 26, 53, 1), which
// also sets gScene to 1.
void clearFieldMarkersForNewGame();
void emptyMoveQueuesForNewGame();
void requestNewGameMapChange();
