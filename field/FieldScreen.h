// The field screen (scene 0): runField is declared with the other screens in
// engine/Screens.h. Its frame is split here into the logic, which runs only
// in scene 0, and the drawing, which the other scenes also use to show the
// field behind them.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// The event step a field frame runs while gFieldEvent is not 0:
// runCurrentMapEvent unless a test puts its own here.
using FieldEventRunner = void (*)();
extern FieldEventRunner gFieldEventRunner;

// The player's part of a field frame: route playback, walking, the accept
// test with its contacts, gravity and jumps, the wall push. Returns 1 when
// the player moved (or input was given), which re-keys the camera.
int stepFieldPlayer();

// Moves the player's x out of walls on its left and right (x only).
void pushOutOfWalls();

// Re-keys cameraTrack toward gCameraTarget when the player moved, the camera
// mode is a script's, or gCameraSnap asks for it.
void rekeyFieldCamera(GraphicsResources& resources, int moved);

// The end of a field frame that changed the scene: the snapshot of the field
// into layer1Target, then the pending map change.
void completeFieldSceneChange(GraphicsResources& resources, gfx::Device* device);

// Puts the player on a map change's arrival point of cell (row, col):
// x = row + col*k + 0.5, z = col*k + 0.3535533905, on the cell's floor;
// the camera target with it.
void placePlayerOnArrival(int row, int col);
