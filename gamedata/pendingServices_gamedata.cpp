// Weak stand-ins for services other subsystems own, until they land: each
// real definition replaces its stand-in at link time.
#include "engine/Scene.h"
#include "events/EventState.h"
#include "menus/Title.h"
#include "gamedata/PendingServices.h"

#define PENDING __attribute__((weak))

// Declared by their owners, defined here until the owners land.
PENDING int gScene = 0;
PENDING int gCurrentMap = 0;
PENDING int gFieldEvent = 0;
PENDING int gEventStep = 0;
PENDING std::uint8_t gStoryFlags[1000] = {};
PENDING int gTitleCounter = 0;

// Until the battle records land.
PENDING std::uint8_t gInBattle = 0;
PENDING int memberBattleMaxHpBonus(int) { return 0; }

// Until the field screen, overlays and editor land.
PENDING float gFieldBrightness = 1.0f;
PENDING std::uint8_t gStoneBannerShown = 0;
PENDING int gEditorCursor = 0;
PENDING int gEditorPage = 0;
PENDING int gEditorSubMode = 0;
PENDING int gDebugMode = 0;
PENDING float gPlayerVSpeed = 0.0f;
PENDING std::uint8_t gPlayerVisible = 0;
PENDING std::uint8_t gPlayerFacing = 0;
PENDING int gFieldTick = 0;
PENDING int gCameraSnap = 0;
PENDING std::uint8_t gEventPicture = 0;
PENDING std::uint8_t gPictureLoaded = 0;
PENDING int gEventPictureNumber = 0;
PENDING std::uint8_t gMoneyWindow = 0;
PENDING std::uint8_t gFieldTintActive = 0;
PENDING float gFieldTint[4] = {1.0f, 1.0f, 1.0f, 1.0f};
PENDING std::uint8_t gChestFlags[1000] = {};

// Until the camp menu lands.
PENDING int gCampMenuCursor = 0;
PENDING std::uint8_t gCampMenuAllowed = 0;

// Until the event primitives land.
PENDING void clearFieldMarkersForNewGame() {}
PENDING void emptyMoveQueuesForNewGame() {}
PENDING void requestNewGameMapChange() { gScene = 1; }
