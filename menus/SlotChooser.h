// The slot chooser the save screens and the load screen share: four panels
// of saved games, one frame at a time. The chooser moves its cursor; the
// screen around it acts on decide and cancel.
#pragma once

#include <cstddef>

#include "platform/Gfx.h"

struct GraphicsResources;

// Top-left corners of the four panels.
extern const int kSlotPanelPositions[4][2];
// The faces and heights of the chooser's texts.
extern const char* const kSlotFontFace;  // "HG創英角ﾎﾟｯﾌﾟ体"
constexpr int kSlotNoDataFontHeight = 30;
constexpr int kSlotFontHeight = 17;

// One frame: draws the panels (refreshing every summary from its file's
// header when layer 2 is redrawn), then moves the cursor by gInputCode.
// Returns the slot under the cursor, 0 to 3.
int runSaveSlotChooser(GraphicsResources& resources, gfx::Device* device);

// The cursor move alone: 2 down (+2), 8 up (-2), 4 left (-1), 6 right (+1),
// wrapping over the four slots; a move asks for layer 2 to be redrawn.
// Returns the cursor.
int moveSaveSlotCursor(int inputCode);

// "H:MM:SS": hours unpadded, minutes and seconds two digits.
void formatPlayTime(int seconds, char* out, std::size_t size);
