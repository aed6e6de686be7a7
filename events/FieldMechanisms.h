// Map cells that move: the sea base's water and switch plates, the lifts of
// the tower and the sea base, and the lever gates. Their state lives in story
// flags 900-912, so it is saved with the game.
#pragma once

#include <cstdint>

#include "field/FieldEventHooks.h"  // stepActor and chaseActor, which the field calls

// Floor tiles (column, row) of the mechanism cells.
struct MechanismTile {
    int column;
    int row;
};
constexpr MechanismTile kWaterTile{0, 7};
constexpr MechanismTile kDrainedTile{7, 7};
constexpr MechanismTile kFloatTile{7, 6};
constexpr MechanismTile kSwitchPlateTile{6, 7};
constexpr MechanismTile kLiftTile{4, 7};
constexpr MechanismTile kGateTiles[3] = {{14, 3}, {15, 3}, {16, 3}};  // switched by flags 900, 901, 902

constexpr float kLiftMiddle = 2.25f;

// Water of a sea-base floor of level L against the stored level (flag 907).
void applyWaterLevel(int level);
void updateWaterSwitch(int level);
void drainWaterStep(int step);
void lowerSwitchPlate(int step);

// Lifts: the arrival on entering, the start every set-up call, the ride in
// events 1001 and 1002.
void beginLiftArrival();
void checkLiftStart();
void runLiftRide();

struct LiftDestination {
    int map;
    int row;
    int col;
};
// Where a lift from `map` goes, up (the player's car above the middle) or down.
LiftDestination liftDestination(int map, int row, int col, bool up);

// Gate cells rise or sink by `step` toward their bounds; no clamping.
void updateGateCells(float step);

// Mode 0 points the camera at (row, height, col) of the grid, 1 moves it by
// such a vector, any other mode puts it back on the player.
void setCameraTarget(int mode, const float point[3]);
