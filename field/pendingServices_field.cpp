// Weak stand-ins for what the field calls of subsystems that have not landed
// yet (field/FieldServices.h). Temporary: each real definition replaces its
// stand-in, and each group says what it waits for.
#include "field/FieldServices.h"

#include "events/EventState.h"

#define PENDING __attribute__((weak))

// Until the event engine lands: no set-up and no scripts. Every event shows
// for one step and ends at the next, as the treasure message does, so the
// field never freezes for want of a script.
PENDING int setUpCurrentMap(int) { return 0; }
PENDING void runCurrentMapEvent() {
    if (gEventStep >= 1) {
        gFieldEvent = 0;
        gEventStep = 0;
        return;
    }
    ++gEventStep;
}
PENDING void startBattle(int, int, int) {}
PENDING int gSavedBattleBackground = 0;
PENDING int gBattleBackground = 0;
PENDING int gTransitionFrame = 0;
PENDING MapChangeRequest gPendingMapChange = {};
PENDING MoveQueue gMoveQueues[150] = {};
PENDING int gMoveIndex = 0;
PENDING void stepActor(std::uint8_t, int) {}
PENDING void chaseActor(const int*, int) {}

// Until the message window lands.
PENDING int gMessageMode = 0;
PENDING char gSpeakerName[30] = {};
PENDING char gMessageText[302] = {};
PENDING void drawMessageWindow(GraphicsResources&, gfx::Device*, std::uint8_t) {}

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

