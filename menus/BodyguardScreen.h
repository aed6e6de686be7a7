// The bodyguard screen (scene 207): each hired bodyguard's window with its
// portrait, level, HP and stats, and beside three of them the record their
// level grows from.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// Cards (of the 100) with a count above 0 and rarity 0-3.
int ownedCardsOfRarity(int rarity);
// Opened treasure chests: the sum of the 1000 chest-flag bytes.
int openedChestCount();

void runBodyguardScreen(GraphicsResources& resources, gfx::Device* device);
