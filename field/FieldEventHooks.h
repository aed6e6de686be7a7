// The calls the field makes into the event engine, defined on the events
// side (events/). This is all the field sees of events/: the events drive the
// field's state (field/EventState.h), and the field calls only these.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

// Calls the current map's set-up with `entering` (1 after a load, 0 on every
// field frame and at every event end). Nothing in the title logo scene (1000)
// or for a map number outside 0 to 129. Returns the set-up's result.
int setUpCurrentMap(int entering);
// One event frame: the message mode back to 0, the treasure message's own
// step when the event is 1000, then the current map's event script.
void runCurrentMapEvent();

// Scene 10 (the battle transition) with the group set up; the two
// background values are not read.
void startBattle(int group, int savedBackground, int background);

// One frame of a scripted move of the object in `slot` (keypad direction
// modulo 10; 0 and 5 stand still); the object follows the floor, falling
// with gravity 0.02 a frame off a ledge.
void stepActor(std::uint8_t direction, int slot);
// One frame of an enemy symbol's chase toward the player's cell (row,
// unused, column), at the object's chase speed; a symbol on another floor
// height, or one that would walk into a wall, a hole or another figure, stays.
void chaseActor(const int playerCell[3], int slot);

// Draws the message window (bottom, texts in layer 2; or top, texts in
// layer 1) and advances the typewriter by 5 bytes.
void drawMessageWindow(GraphicsResources& resources, gfx::Device* device, std::uint8_t atTop);
