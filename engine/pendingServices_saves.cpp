// Weak stand-ins for what the transitions and the title use of other
// subsystems, until their owners land: each real definition replaces its
// stand-in.
#include <cstdint>

#define PENDING __attribute__((weak))

// Until the battle records land: the battle's group and the player's cell
// tiles, and the title's clearing of the battle lines (each party line's
// maximum-HP bonus and status bytes 0 to 8, the battle message lock).
PENDING int gBattleGroup = 0;
PENDING int gGroundTiles[4] = {};
void clearBattleLinesAtTitle();
PENDING void clearBattleLinesAtTitle() {}

// Until the camp menu lands: its reset window.
PENDING std::uint8_t gResetConfirmOpen = 0;
PENDING std::uint8_t gResetConfirmChoice = 0;
