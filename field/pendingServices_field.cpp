// Weak stand-ins for what the field calls of subsystems that have not landed
// yet (field/FieldServices.h). Temporary: each real definition replaces its
// stand-in, and each group says what it waits for.
#include "field/FieldServices.h"

#include "events/EventState.h"

#define PENDING __attribute__((weak))

// Until the battle lands.
PENDING std::uint8_t gInBattle = 0;

