// The news ticker of the home city: one line on a grey band near the bottom
// of the screen, sliding in from the right, resting, sliding out to the left;
// an opening line, four headlines that follow the story, a sponsor line and a
// closing line, then a longer blank and again from the start.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

extern std::uint8_t gNewsTickerOn;  // 1: the field calls the ticker while no event runs
extern int gTickerPos;              // scroll position in pixels; 0 = render the next line first
extern int gTickerSlot;             // 0 to 6, the line being shown

constexpr int kTickerSlotCount = 7;

// One frame of the ticker: renders a line into newsTarget when the position
// is 0, otherwise draws the band where the position puts it and advances.
// Does nothing at all in low-spec mode.
void drawNewsTicker(GraphicsResources& resources, gfx::Device* device);

// The headline set (1 to 5) the story flags choose now.
int newsHeadlineSet();
// The text of a slot, headlines from the set chosen now ("" outside 0-6).
const char* newsTickerLine(int slot);

void resetNewsTicker();
