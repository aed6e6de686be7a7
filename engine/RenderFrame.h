// The frame and the scene table: which screen function(s) each scene
// number runs. Control passes between screens only through gScene.
#pragma once

#include "engine/Screens.h"
#include "platform/Gfx.h"

struct GraphicsResources;

struct SceneEntry {
    int scene;
    ScreenFunction first;
    ScreenFunction second;  // null, or the logic run after the drawing (the battle)
};

// The game's table; a number not in it runs no screen.
const SceneEntry* findScene(int scene);

// One frame: begin, clear to opaque black (depth 1, stencil 0), the
// screen(s) of gScene, end and present. A failed clear skips the rest of the
// frame. Without resources nothing happens.
void renderFrame(gfx::Device* device, GraphicsResources* resources);
// The same with another table (tests).
void renderFrameWithTable(gfx::Device* device, GraphicsResources* resources, const SceneEntry* table, int count);
