// The card catalogue (scene 209): the 100 cards ten to a page, the one under
// the cursor as a picture with its number, rarity, element and holder.
#pragma once

#include <cstddef>

#include "platform/Gfx.h"

struct GraphicsResources;

// The holder text of a duel opponent code (0 the player's own character).
void cardHolderName(char* destination, std::size_t size, int holderCode);

void runCardCatalogue(GraphicsResources& resources, gfx::Device* device);
