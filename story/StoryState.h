// The globals the story scripts own and the arrival values they write.
#pragma once

#include <cstdint>

extern char gLocationName[100];      // place name of the current map
extern int gSavedBattleBackground;   // always 0; passed to startBattle, which ignores it
extern int gBattleBackground;        // backdrop 0 to 17 (bitmap 222 + index)
#include "gamedata/GameData.h"  // gRegionCurrency
extern std::uint8_t gClearColour[3]; // the field's (field state)

void resetStoryState();
