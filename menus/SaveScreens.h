// The two save screens: the camp menu's (scene 210), which returns to the
// camp menu, and the chapter save screen (scene 9), which the event engine
// opens at the end of a chapter and which returns to the field, where the
// running event goes on. Decide writes the slot under the chooser's cursor;
// cancel writes nothing. A save that cannot be written answers "Buza.wav"
// and keeps the chooser open with a line saying so; the slot's previous
// file is left as it was.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

void runMenuSaveScreen(GraphicsResources& resources, gfx::Device* device);
void runChapterSaveScreen(GraphicsResources& resources, gfx::Device* device);

// Writes a slot with the play time brought up to date first (the autosave
// and both save screens). 0 when written, else the writer's failure.
int saveIntoSlot(int slot);

// The line a save screen shows under the slots after a failed save.
extern const char* const kSaveNotWrittenText;

// What saveIntoSlot writes with: the save module's writer unless a test
// records the slots instead.
using SaveWriter = int (*)(int slot);
extern SaveWriter gSaveWriter;
