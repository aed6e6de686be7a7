// The scene number: which screen the next frame runs (the scene table is in
// engine/RenderFrame). Screens pass control by assigning it.
#pragma once

extern int gScene;
