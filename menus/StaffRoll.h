// The staff roll of scene 900: a timeline of 19 steps, each flying the
// camera over a map of the game, showing the view full screen and then as an
// inset in a quarter of the screen, with a block of credits beside it; then
// "Fin" until the player decides, and the title.
//
// The timeline runs on the millisecond clock (gMillisecondClock, the same
// clock the camera tracks use), summed as monotonic deltas, so a slow frame
// delays nothing and a test steps it at will.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kStaffRollSteps = 19;       // 0 to 17 show maps, 18 is the end
constexpr int kStaffRollEndMap = 999;     // the map shown after the last step
constexpr int kCreditLineLength = 100;

struct StaffRollState {
    std::uint8_t running;         // 1 from the start of the roll to the title
    std::uint32_t startClock;     // clock reading when the roll started
    int elapsedSeconds;           // whole seconds since then, recomputed every frame
    int stepMilliseconds;         // since the current step began
    std::uint32_t lastClock;      // the last clock reading summed into stepMilliseconds
    int layout;                   // 0 to 3: where the inset and the credits go
    int variant;                  // the value the ending was started with; not used
    int step;                     // the next step to start, 0 to 19
    int mapShown;                 // the current step's map; 999 after the last step
    char creditLines[5][kCreditLineLength];  // heading, then up to four names
};
extern StaffRollState gStaffRoll;

struct StaffRollStep {
    int startSecond;
    int map;        // -1: the map the ending began on
    int layout;
    int keyCount;
    std::uint32_t duration;
    const char* lines[5];
};
// The timeline, step 0 to 18.
extern const StaffRollStep kStaffRollTimeline[kStaffRollSteps];

// Starts the roll at the clock's present reading on the current map.
void startStaffRoll(int variant);
// The screen of scene 900. A roll not yet started starts on its first frame.
void runStaffRoll(GraphicsResources& resources, gfx::Device* device);

// The corner of grid cell (row, col) at `height` in world units.
void gridToWorld(float out[3], float row, float height, float col);
// Where the 3D view stands for a layout: its top-left corner in pixels.
void staffRollInsetCorner(int layout, float out[2]);

void resetStaffRoll();
