// The magical stone screen (scene 203): one member's two stone slots and the
// obtained stones no party member wears.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// True when stone id 1-8 may be offered: obtained (flag 1) and worn by no
// member in party slots 0-2.
bool stoneOffered(int stone);

void runStoneMenu(GraphicsResources& resources, gfx::Device* device);
