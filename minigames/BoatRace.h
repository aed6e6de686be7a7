// The boat race's course of events: the start called by a story script, the
// boat's movement in each frame with its sounds and the finish, the best
// times, and the ways back to the field (after "Goal !", at the end of the
// story's ride, and by a long-held cancel).
#pragma once

#include <cstdint>

// Starts scene 500 on `course`. For course 0, the story's ride, the running
// event ends and the destination map is loaded at once with the player on
// its cell (row, column); the circuits leave the field as it is. The fifth
// argument is not read.
void startBoatRace(int course, int map, int row, int column, int flag);

// Step 3 of the race frame on the race globals: movement, crash and bump
// sounds, and the finish (best time; a circuit shows "Goal !", the ride goes
// straight to its destination).
void moveBoat(const std::uint8_t held[6]);

// gRaceCamera behind the boat as it stands: eye = boat + R(0, 1, 2), that is
// 2 behind and 1 above, looking at the boat with up (0, 1, 0).
void placeChaseCamera();

// Keeps `frames` as the course's best time when it is strictly lower.
// Returns true when it was kept. Courses outside 0-4 keep nothing.
bool recordRaceTime(int course, int frames);

// Back to the field's fade-in with the map and the player as they are.
void returnFromRace();
// The end of the story's ride: the destination map loaded again and set up
// for an arrival, then the field's fade-in.
void endStoryRide();

// Counts the running race's frames in which the throttle (up or decide) is
// held, no brake (down or cancel) is, and the boat did not move (`boatMoved`
// false); any other frame starts the count again. After kRaceLeaveFrames the
// race is left without a time (gRaceFrames becomes kNoRaceTime, no best time
// kept): a circuit returns to the field, the story's ride arrives at its
// destination. A boat on open water always moves under the throttle, so this
// only frees a boat that cannot move. Returns true in the frame the race is
// left.
bool updateRaceLeave(const std::uint8_t held[6], bool boatMoved);
