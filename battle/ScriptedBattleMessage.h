// A message of the battle's scripted scenes: a speaker with a portrait and up
// to three lines in the top message window, held until the decide key.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

struct BattleLine {
    const char* speaker;
    int column;  // portrait cell
    int row;
    const char* lines[3];  // nullptr for the lines not given
};

// One frame of the message: sets it, draws the window at the top of the
// screen and waits on it. True in the frame it is confirmed.
bool showBattleMessage(GraphicsResources& resources, gfx::Device* device, const BattleLine& line);
