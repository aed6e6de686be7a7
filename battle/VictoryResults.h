// The victory results screen (phase 1000 of a battle with results): counts
// this frame's share of the experience into the standing members and draws
// the reward rows and one window per rewarded member, texts in layer 1.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// One frame of the count and its drawing. Decide takes the rest of the pool at
// once and is used up; a decide on an empty pool is left for the phase's logic.
void runVictoryResults(GraphicsResources& resources, gfx::Device* device);

// Where the window of a party slot (0-2) stands.
struct VictoryWindowPlace {
    int x;
    int y;
};
VictoryWindowPlace victoryWindowPlace(int partySlot);

// The money row's label for a currency index ("入手フォッグ", "入手コイン", "入手銭").
const char* victoryMoneyLabel(int currency);
