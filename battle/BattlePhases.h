// The handlers of the battle phases that belong to no menu or action script:
// the action start and run, the wait after an action, victory, wipe-out,
// escape, the stages of the three-stage battle, the bodyguard's coming and
// going, and the automatic action.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// The developer commands that end a battle at once (developer mode only).
constexpr int kCommandInstantWin = 100;
constexpr int kCommandInstantLoss = 99;

// One frame of the current phase's handler (menus included, the item list not).
void runBattlePhase(GraphicsResources& resources, gfx::Device* device);
// The automatic battles' only party turn (battle type 2, phase 0).
void runAutomaticAction(GraphicsResources& resources, gfx::Device* device);
// What the phase machine does with the scheduler's outcome.
void handleScheduleOutcome();
// The wipe-out text's window and text (phase 1001).
void drawWipeOutNotice(GraphicsResources& resources, gfx::Device* device);
