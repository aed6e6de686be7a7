// What the camp screens call of services that have not landed yet: the save
// writer and the slot chooser, and the battle stage the formation screen
// shows. Each line moves to its owner's header when that lands;
// menus/pendingServices_camp.cpp gives weak stand-ins until then.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// Save files (until the save module lands).
int writeSaveFile(int slot);  // 0 written, 1 not
int runSaveSlotChooser(GraphicsResources& resources, gfx::Device* device);

// The battle's ground and battlers (until the battle's drawing lands).
void drawBattleField(GraphicsResources& resources, gfx::Device* device);
