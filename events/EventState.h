// The running event and the story's saved state.
#pragma once

#include <cstdint>

extern int gCurrentMap;               // 0 to 129
extern int gFieldEvent;               // 0 none, an object slot + 1, or a special number (1000 treasure)
extern int gEventStep;                // step counter of the running event script
extern std::uint8_t gStoryFlags[1000];
