// The running event as the field sees it, and the story's saved state. The
// events drive this state; the field reads and writes it every frame: it
// starts an event on a touch, plays the scripted moves, draws the markers and
// carries out the map change at the end of the frame. The event engine
// (events/) defines and resets it; the field's calls into the engine are in
// field/FieldEventHooks.h.
#pragma once

#include <cstdint>

extern int gCurrentMap;               // 0 to 129
extern int gFieldEvent;               // 0 none, an object slot + 1, or a special number (1000 treasure)
extern int gEventStep;                // step counter of the running event script
extern std::uint8_t gStoryFlags[1000];

constexpr int kTreasureEvent = 1000;     // the message of a chest just opened
constexpr int kLiftDepartureEvent = 1001;
constexpr int kLiftArrivalEvent = 1002;
constexpr int kFallEvent = 900;          // a set-up's fall below the floor

// ---- Scripted moves: queued by the scripts, played by the field ----
constexpr int kMoveQueueCapacity = 300;
constexpr int kMoveQueueLimit = 127;  // the length is a signed byte
struct MoveQueue {
    std::int8_t length;                       // moves queued; 0 idle
    std::uint8_t moves[kMoveQueueCapacity];   // keypad directions, one a frame
};
extern MoveQueue gMoveQueues[150];
extern int gMoveIndex;  // the move every queue plays next

// ---- The map change a script asks for, made at the end of a field frame ----
struct MapChangeRequest {
    int facing;  // 0 faces +x, 1 faces -x, 9 keeps the facing
    int row;
    int col;
    int map;
    int pending;                    // 1 while a change waits
    std::uint8_t storyFlags[1000];  // gStoryFlags when the change was asked for
    std::uint8_t playerVisible;     // gPlayerVisible likewise
};
extern MapChangeRequest gPendingMapChange;

// ---- The magical-stone presentation's markers, drawn over the field ----
struct FieldMarker {
    std::uint8_t present;
    float x, y, z;
    int frame;  // the presentation's frame counter, 0 when idle
};
extern FieldMarker gFieldMarkers[10];

// ---- The message window's mode and texts (the rest of the window:
// events/MessageWindow.h); a chest's message is written here by the field ----
constexpr int kSpeakerNameSize = 30;   // 29 bytes and the terminator
constexpr int kMessageTextSize = 302;

extern int gMessageMode;               // 0 none, 1 message, 2 choice, 3 whole text once more; 11 move queues play
extern char gSpeakerName[kSpeakerNameSize];
extern char gMessageText[kMessageTextSize];
