// How far the player moves on the field in one frame: the walking step
// (the same on the ground and in the air, so a jump steers as freely as a
// walk), the speed a jump leaves the floor with, the gravity that slows it
// each frame, and the rise the feet take without a jump. The map walk
// (tools/mapc/MapWalk.h) works out a jump's reach from these.
#pragma once

constexpr float kFieldWalkStep = 0.2f;
constexpr float kFieldDiagonalStep = 0.14142136f;  // the walking step along each axis of a diagonal
constexpr float kFieldJumpSpeed = 0.2f;
constexpr float kFieldGravity = 0.02f;
constexpr float kFieldClimb = 0.11f;
