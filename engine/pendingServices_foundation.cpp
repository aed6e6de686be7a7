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
PENDING void runChapterSaveScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runCampMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runItemMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runEquipMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runStoneMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runStatusScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runMagicMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runFormationMenu(GraphicsResources&, gfx::Device*) {}
PENDING void runBodyguardScreen(GraphicsResources&, gfx::Device*) {}
PENDING void runCardCatalogue(GraphicsResources&, gfx::Device*) {}
PENDING void runMenuSaveScreen(GraphicsResources&, gfx::Device*) {}

