// Weak stand-ins for what the event engine reads of services that have not
// landed yet; each real definition replaces its stand-in.
#include <cstdint>

#define PENDING __attribute__((weak))

// Until the field state lands (field/FieldState.h).
PENDING std::uint8_t gClearColour[3] = {};
// Until the game data lands (gamedata/GameData.h).
PENDING int gRegionCurrency = 0;
