// What the field frame calls and reads of the event engine, the message
// window, the overlays, the map editor, the battle and the camp menu. Each
// owner declares these in a header of its own when it lands; until then they
// are declared here and field/pendingServices_field.cpp gives weak stand-ins
// that the real definitions replace at link time.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

// ---- Event engine: dispatch, primitives, mechanisms ----

// The current map's set-up script: 1 right after a load, 0 on every field
// frame that draws the 3D field.
int setUpCurrentMap(int entering);
// One step of the running event (gFieldEvent), once a field frame.
void runCurrentMapEvent();
// Sets up a battle against an enemy group and switches to its transition.
void startBattle(int group, int savedBackground, int background);
extern int gSavedBattleBackground;
extern int gBattleBackground;
extern int gTransitionFrame;  // frame counter of the transition scenes

// The one map change request: filled by changeMap, performed by the field at
// the end of the frame that asked for it.
struct MapChangeRequest {
    int facing;  // 0 faces +x, 1 faces -x, 9 keeps the facing
    int row;
    int col;
    int map;
    int pending;  // 1 while a change waits
    std::uint8_t storyFlags[1000];  // gStoryFlags when the change was asked for
    std::uint8_t playerVisible;     // gPlayerVisible likewise
};
extern MapChangeRequest gPendingMapChange;

// Scripted moves of the map objects, one queue per slot.
struct MoveQueue {
    std::int8_t length;          // moves queued; 0 idle
    std::uint8_t moves[300];     // keypad directions, one a frame
};
extern MoveQueue gMoveQueues[150];
extern int gMoveIndex;  // the move every queue plays next
// One frame of a queued move of an object; an enemy symbol's chase.
void stepActor(std::uint8_t direction, int slot);
void chaseActor(const int playerCell[3], int slot);

// ---- Message window ----
extern int gMessageMode;         // 0 none, 1 message, 2 choice, 3 whole text once more; 11 move queues play
extern char gSpeakerName[30];
extern char gMessageText[302];
void drawMessageWindow(GraphicsResources& resources, gfx::Device* device, std::uint8_t atTop);

// ---- Overlays ----
extern std::uint8_t gMoneyWindow;
extern std::uint8_t gFloorPanelShown;
extern std::uint8_t gNewsTickerOn;
void drawMarkers(GraphicsResources& resources, gfx::Device* device);
void drawFloorSelect(GraphicsResources& resources, gfx::Device* device, int zone, int cursor);
void drawMoneyWindow(GraphicsResources& resources, gfx::Device* device);
void drawNewsTicker(GraphicsResources& resources, gfx::Device* device);

// ---- Developer map editor ----
extern int gEditorPage;
extern int gDebugMode;  // 1 while the map editor is on
void runMapEditor(GraphicsResources& resources, gfx::Device* device);
void drawObjectNumber(GraphicsResources& resources, gfx::Device* device, int slot);

// ---- Battle and camp menu ----
extern std::uint8_t gInBattle;
extern std::uint8_t gCampMenuAllowed;
