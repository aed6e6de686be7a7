// Weak stand-ins for what the field calls of subsystems that have not landed
// yet (field/FieldServices.h). Temporary: each real definition replaces its
// stand-in, and each group says what it waits for.
#include "field/FieldServices.h"

#include "events/EventState.h"

#define PENDING __attribute__((weak))

// Until the transitions land.
PENDING int gTransitionFrame = 0;

// Until the field overlays and the news ticker land.
PENDING std::uint8_t gMoneyWindow = 0;
PENDING std::uint8_t gFloorPanelShown = 0;
PENDING std::uint8_t gNewsTickerOn = 0;
PENDING void drawMarkers(GraphicsResources&, gfx::Device*) {}
PENDING void drawFloorSelect(GraphicsResources&, gfx::Device*, int, int) {}
PENDING void drawMoneyWindow(GraphicsResources&, gfx::Device*) {}
PENDING void drawNewsTicker(GraphicsResources&, gfx::Device*) {}

// Until the map editor lands.
PENDING int gEditorPage = 0;
PENDING int gDebugMode = 0;
PENDING void runMapEditor(GraphicsResources&, gfx::Device*) {}
PENDING void drawObjectNumber(GraphicsResources&, gfx::Device*, int) {}

// Until the battle and the camp menu land.
PENDING std::uint8_t gInBattle = 0;
PENDING std::uint8_t gCampMenuAllowed = 0;

