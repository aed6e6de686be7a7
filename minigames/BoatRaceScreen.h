// Scene 500, the boat race's screen (runBoatRace is in engine/Screens.h):
// each frame clears to the sky, shows the countdown or the goal, sets the
// chase camera, draws the world and the HUD, composites layer 2, moves the
// boat, and watches for a long-held cancel.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr gfx::Colour kRaceSky = 0x003296FFu;  // RGB (50, 150, 255), alpha 0

// Until "Go!": the seconds left from gRaceClock + 4; the first frame puts
// the boat mesh into the effect-mesh slot. Starts the race at 0 or below.
void drawRaceCountdown(GraphicsResources& resources, gfx::Device* device);
// "Goal !" for two seconds after a circuit's finish, then the field.
void drawRaceGoal(GraphicsResources& resources, gfx::Device* device);
// The speed, the time and the course's record; counts the race's frames.
void drawRaceHud(GraphicsResources& resources, gfx::Device* device);
