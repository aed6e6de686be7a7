// The running event and the story's saved state.
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
