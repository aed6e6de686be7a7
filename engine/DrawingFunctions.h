// The small drawing functions every screen shares: the translucent window,
// the arrows and the Enter mark, the menu cursor. Each begins and ends the
// sprite itself and does nothing without a device.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// Directions of drawArrow, as on a numeric keypad; 10 is the Enter mark.
constexpr int kArrowDown = 2;
constexpr int kArrowLeft = 4;
constexpr int kArrowRight = 6;
constexpr int kArrowUp = 8;
constexpr int kEnterMark = 10;

// A window at (x, y) of w x h pixels: the background stretched at 70 %
// opacity, then the border's corners and stretched edges at 80 %.
void drawWindowFrame(GraphicsResources& resources, gfx::Device* device, float x, float y, float w, float h);

// The 64 x 64 arrow or Enter mark at (x, y) at 80 % opacity. clip > 0 hides
// its left trunc(clip) columns (the rest stays in place), clip < 0 shows only
// its left |trunc(clip)| columns, 0 shows it whole. Any other direction draws
// nothing.
void drawArrow(GraphicsResources& resources, gfx::Device* device, int direction, float x, float y, float clip);

// The cursor bar at (x, y), `width` pixels wide at 60 % opacity, with the
// pointer hand just left of it.
void drawMenuCursor(GraphicsResources& resources, gfx::Device* device, float x, float y, int width);
