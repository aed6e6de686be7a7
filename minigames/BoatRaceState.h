// The boat race's whole state (scene 500): the course being raced, the boat,
// the clock and the flags of the race's phases, the obstacle being knocked
// under, the chase camera, and the best time of each course (saved with the
// game). A race runs from startBoatRace until its screen hands the scene to
// the field's fade-in.
#pragma once

#include <cstdint>

constexpr int kRaceScene = 500;
constexpr int kStoryRideCourse = 0;         // the story's boat ride; 1-3 are the arcade circuits
constexpr int kRaceCourseSlots = 5;         // best times kept for courses 0-4
constexpr int kNoRaceTime = 359999;         // a new game's best time, shown 59:59:99
constexpr float kBoatStartX = 25.0f;
constexpr float kBoatStartZ = 30.0f;
constexpr int kBoatStartHeading = 180;      // heading 180 runs along +z
// The throttle held this many frames on a boat that does not move, with no
// brake, leaves the race: a course that cannot be finished must never hold
// the game, and braking (down or cancel) never leaves a race.
constexpr int kRaceLeaveFrames = 300;

struct ObstacleBump {
    std::uint8_t active;
    int frames;
    float sink;
    int index;
};

extern std::uint8_t gRaceCourse;      // 0 the story's ride, 1-3 the circuits
extern float gBoatPos[3];             // x, y (terrain height), z in cell units
extern int gBoatHeading;              // degrees, not wrapped
extern float gBoatSpeed;              // 0-100; speed / 60 cells a frame
extern int gRaceClock;                // calendar second of the countdown's start, then of the finish
extern std::uint8_t gRaceStarted;     // 1 once the countdown has ended
extern std::uint8_t gRaceFinished;    // 1 once a circuit's finish is reached
extern std::uint8_t gBoatMeshLoaded;  // 1 once the boat is in the effect-mesh slot
extern int gRaceFrames;               // frames since "Go!"; the time of the last race
extern int gBestRaceFrames[kRaceCourseSlots];  // best frames per course; saved with the game
extern ObstacleBump gObstacleBump;
extern float gRaceCamera[9];          // eye, look-at point, up
extern int gRaceStuckFrames;          // running frames of throttle, no brake, on a boat that stayed put

// Every race global back to its start value; the best times to kNoRaceTime.
void resetBoatRaceState();
