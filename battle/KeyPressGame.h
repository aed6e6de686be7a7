// The key-press games that strengthen the party's weapon skills: mash a key,
// hit notes on a lane, type a sequence, press a chord, complete key groups,
// hold and release against a gauge, stop a moving marker, aim and fire.
//
// A weapon-skill script fills the parameters of gKeyPressGame (keys, the
// note lane's interval, count and speeds, the parameter words), then calls
// runKeyPressGame once a frame with its mode and time limit until the
// result is not 0, and reads gHitCount (or the marker, effect slot 1).
// The battle frame clears `started` whenever an action begins, so every
// action plays a fresh run.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kKeyPressSlots = 25;

// Modes.
constexpr int kKeyPressMash = 0;
constexpr int kKeyPressNoteLane = 2;
constexpr int kKeyPressSequence = 5;
constexpr int kKeyPressChord = 6;
constexpr int kKeyPressKeyGroups = 7;
constexpr int kKeyPressHoldRelease = 8;
constexpr int kKeyPressMarkerHeight = 11;
constexpr int kKeyPressMarkerAcross = 12;
constexpr int kKeyPressMarkerDepth = 13;
constexpr int kKeyPressAimStart = 14;
constexpr int kKeyPressAimGoOn = 15;

// Results.
constexpr int kKeyPressGoesOn = 0;
constexpr int kKeyPressOver = 1;
constexpr int kKeyPressShot = 2;       // aim modes: a shot at the marker; call again with mode 15
constexpr int kKeyPressShotsUsed = 3;  // aim modes: the ten shots are spent

constexpr int kAimShots = 10;

// The note lane: a note is hit while it has travelled 379 to 476 pixels and
// ends the game once it is past 476. 999 marks an empty slot; -7 to -2 a hit
// note counting down its judgement.
constexpr int kNoteEmpty = 999;
constexpr int kNoteWindowFirst = 379;
constexpr int kNoteWindowLast = 476;
constexpr int kNoteHitShown = -7;

struct KeyPressGameState {
    int started;            // 0 until the first call of a run has completed
    int elapsedMs;          // since the start press, while timerRunning
    int previousElapsedMs;  // elapsedMs at the start of this call
    int keys[kKeyPressSlots];           // input codes to press, and the modes' parameter words
    int notePositions[kKeyPressSlots];  // the note lane's notes in pixels travelled
    int lastInputCode;      // gInputCode at the end of the previous call
    int timerRunning;       // 0 until the start press
    int spawnIntervalMs;    // the note lane's spawn interval
    int notesSpawned;       // note lane: notes of this wave; aim modes: shots fired
    int noteCount;          // notes per wave; sequence length; place in the key group; held time
    float noteSpeeds[kKeyPressSlots];   // pixels per millisecond of each note slot
};

extern KeyPressGameState gKeyPressGame;
extern int gHitCount;  // the run's score
extern int gKeyPressMode;  // the mode of the latest call (what the screen shows)
// The millisecond clock's reading (gMillisecondClock, engine/Camera.h) at the
// previous call. The game counts the difference of two readings of the
// monotonic clock, so a frame that stalls for seconds is counted in full.
extern std::uint32_t gKeyPressClockMillis;
// gKeyGameShown (battle/BattleRecords.h) is set by every call: the battle
// frame clears it each frame and shows the lower band while it is 1.

// Every action begins a new run: clears `started`.
void resetKeyPressRun();

// Every key-press global to zero (slots empty, speeds 0).
void resetKeyPressGame();

// One frame of the game in `mode` with a time limit (0: none; modes 0, 5, 6
// and 7 need one above 0). Returns a kKeyPress* result. A mode the game does
// not know runs only the clock and the limit.
int runKeyPressGame(GraphicsResources& resources, gfx::Device* device, int mode, int limitMs);

// 2, 4, 6, 8 or 10 (an arrow or decide), from one random draw.
int randomKeyPressKey();

// True when the party member at `partySlot` (0 to 2) wears item 111 or 112,
// which skip the game: the skill counts as played to its threshold.
bool memberSkipsKeyPressGame(int partySlot);
