// The two save screens: the camp menu's (scene 210), which returns to the
// camp menu, and the chapter save screen (scene 9), which the event engine
// opens at the end of a chapter and which returns to the field, where the
// running event goes on. Decide writes the slot under the chooser's cursor;
// cancel writes nothing.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

void runMenuSaveScreen(GraphicsResources& resources, gfx::Device* device);
void runChapterSaveScreen(GraphicsResources& resources, gfx::Device* device);

// Writes a slot with the play time brought up to date first (the autosave
// and both save screens).
void saveIntoSlot(int slot);

// What saveIntoSlot writes with: the save module's writer unless a test
// records the slots instead.
using SaveWriter = int (*)(int slot);
extern SaveWriter gSaveWriter;
