// Weak stand-ins for services other subsystems own, until they land: each
// real definition replaces its stand-in at link time.
#include "gamedata/PendingServices.h"

#define PENDING __attribute__((weak))

// Until the camp menu lands.
PENDING int gCampMenuCursor = 0;
PENDING std::uint8_t gCampMenuAllowed = 0;
