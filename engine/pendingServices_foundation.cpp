// Weak stand-ins for services other parts of the game provide, so that the
// game links and runs before they land; each real definition replaces its
// stand-in. Temporary: every group says what it waits for.
#include <cstdint>

#include "engine/Screens.h"
#include "events/EventState.h"
#include "menus/Title.h"

#define PENDING __attribute__((weak))

// Until the screens land: each draws nothing.
PENDING void runField(GraphicsResources&, gfx::Device*) {}

