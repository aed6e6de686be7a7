// The boat's movement in one race frame, apart from the screen: the bank
// test, the obstacle test, the move with the throttle, the finish, the
// obstacle being knocked under and the controls. It reads the course
// (minigames/BoatCourse.h) and sets an obstacle's hit flag when it has sunk;
// everything else it changes is in the motion it is given.
#pragma once

#include <cstdint>

#include "minigames/BoatRaceState.h"

struct BoatMotion {
    float pos[3];   // x, y, z in cell units
    int heading;    // degrees; the boat moves along (sin h, 0, -cos h)
    float speed;    // 0-100, speed / 60 cells a frame
    ObstacleBump bump;
};

struct BoatStep {
    bool moved = false;        // the boat moved by its velocity
    bool crashed = false;      // hit a bank above speed 10
    bool hitObstacle = false;  // an obstacle starts to sink
    bool onGoal = false;       // the cell under the boat is on the finish line
};

constexpr float kBoatCrashSpeed = 10.0f;   // a bank stops a faster boat with a crash
constexpr float kBoatThrottle = 0.075f;
constexpr float kBoatBrake = 0.5f;
constexpr float kBoatDrag = 0.01f;
constexpr float kBoatMaxSpeed = 100.0f;
constexpr int kBoatTurn = 2;               // degrees a frame
constexpr float kBoatHalfWidth = 0.2f;     // the boat's square on the water
constexpr float kObstacleSinkStep = 0.05f;
constexpr int kObstacleSinkFrames = 10;

// The rotation by `heading` degrees about the vertical axis, row by row:
// (cos h, 0, -sin h), (0, 1, 0), (sin h, 0, cos h).
void headingRotation(int heading, float out[9]);

// One frame of movement. `held` is gHeldInput's layout (right, left, down,
// up, decide, cancel). The throttle acts only in a frame in which the boat
// moved; on the finish line nothing after the move happens.
BoatStep stepBoatMotion(BoatMotion& motion, const std::uint8_t held[6]);
