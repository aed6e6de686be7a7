// What the game data subsystem touches of other subsystems that have not
// declared it in a header of their own yet. Each line moves to its owner's
// header when that lands; until then gamedata/pendingServices_gamedata.cpp
// gives weak definitions that the owner's real ones replace.
#pragma once

#include <cstdint>

// Battle (until the battle records land).
extern std::uint8_t gInBattle;
// The maximum-HP bonus a party slot (0-2) gained in the running battle.
int memberBattleMaxHpBonus(int partySlot);

// Field, field overlays, editor (until the field screen lands).
extern float gFieldBrightness;
extern std::uint8_t gStoneBannerShown;
extern int gEditorCursor;
extern int gEditorPage;
extern int gEditorSubMode;
extern int gDebugMode;
extern float gPlayerVSpeed;
extern std::uint8_t gPlayerVisible;
extern std::uint8_t gPlayerFacing;
extern int gFieldTick;
extern int gCameraSnap;
extern std::uint8_t gEventPicture;
extern std::uint8_t gPictureLoaded;
extern int gEventPictureNumber;
extern std::uint8_t gMoneyWindow;
extern std::uint8_t gFieldTintActive;
extern float gFieldTint[4];
extern std::uint8_t gChestFlags[1000];

// Menus (until the camp menu lands).
extern int gCampMenuCursor;
extern std::uint8_t gCampMenuAllowed;

// Boat race (until the race lands).
extern int gBestRaceFrames[5];

// Event primitives (until they land): the ten field markers absent at (0, 0, 0)
// frame 0; every move queue emptied; and the new game's map change,
// changeMap(22, 26, 53, 1), which also sets gScene to 1.
void clearFieldMarkersForNewGame();
void emptyMoveQueuesForNewGame();
void requestNewGameMapChange();
