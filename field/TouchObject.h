// Contact between the player and the map objects, and the chests.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// The field's contact test for the cell the player is moving into (as
// worldToCell gives it) and the proposed position: 0 the move may go on,
// nonzero it is refused. May start an event, a battle, or open a chest (and
// knock the player down under it). Tests nothing while an event runs, in the
// battle transition (scene 10) or with the map editor on.
int touchObject(const int targetCell[3], const float newPosition[3]);

// Opens chest slot `slot`: its flag, the sound, the treasure message (event
// 1000) and the contents. Contents codes: 3000 a card, 1000 money, else an
// item id. Out-of-range chest numbers, card numbers or item ids give nothing
// and are logged.
void openChest(int slot);

// What chest number `chest` holds, given to the player, with the treasure
// message written (the speaker name is already ""): contents 3000 a card of
// number `amount`, 1000 `amount` money in the region's currency, else
// `amount` of item id `contents`. Ids outside their tables give nothing and
// are logged.
void giveChestContents(int chest, int contents, int amount);

// Draws one chest mesh with its feet at `position` (the chest cell's corner
// raised by the chest's height); `opened` 1 draws the open mesh.
void drawChestMesh(GraphicsResources& resources, gfx::Device* device, const float position[3], int opened);
