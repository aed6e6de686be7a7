// Weak stand-ins for what the save files use of other subsystems, until
// their owners land: each real definition replaces its stand-in.
#include "gamedata/SaveFile.h"

#define PENDING __attribute__((weak))

// Until the menu state lands.
PENDING char gSavePlaceName[kSaveTextSize] = {};

// Until the battle records land.
PENDING int gBattleGroup = 0;
PENDING int gGroundTiles[4] = {};
void clearBattleLinesAtTitle();
PENDING void clearBattleLinesAtTitle() {}

// Until the menu state and the camp menu land.
PENDING int gMenuPage = 0;
PENDING std::uint8_t gResetConfirmOpen = 0;
PENDING std::uint8_t gResetConfirmChoice = 0;
