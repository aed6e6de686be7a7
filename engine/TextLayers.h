// The two cached text layers and their redraw requests.
//   gRedrawRequest[0] governs layer 2, [1] governs layer 1:
//   0 keep, 1 clear and redraw this frame, 2 redraw from the next frame,
//   3 (entry 0 only) a choice was decided: the field clears layer 2.
//
// A screen with cached texts runs, each frame:
//   clearRequestedTextLayers   (a layer whose request is 1 is cleared)
//   drawText with layer styles (they reach a layer only while its request is 1)
//   drawTextLayers             (layer 2 then layer 1, each with its shadow)
//   endTextLayerFrame          (each request becomes request == 2)
// A change to what a layer shows sets its request to 2; a screen that hands
// over to another calls requestBothTextLayers so the next one redraws both.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

extern int gRedrawRequest[2];  // both 1 at start
extern int gLayer2HasText;     // set by drawText into layer 2; the field resets it
extern int gLayer1HasText;     // set by drawText into layer 1; not read

// Both requests 1, both content flags 0.
void resetTextLayers();

// The shadow of every cached text: drawn at (1, 1), a dark grey at 80 %.
constexpr gfx::Colour kTextLayerShadow = 0xCC333333u;

// Clears one layer to transparent black (depth 1, stencil 0) and makes the
// back buffer the render target again.
void clearTextLayer(GraphicsResources& resources, gfx::Device* device, gfx::Texture* layer);
// Clears layer 2 when gRedrawRequest[0] is 1 and layer 1 when [1] is 1.
void clearRequestedTextLayers(GraphicsResources& resources, gfx::Device* device);
// Draws one layer over the frame with the sprite: its shadow at (1, 1), then
// the layer at (0, 0) in white. The caller has begun the sprite.
void drawTextLayer(GraphicsResources& resources, gfx::Texture* layer);
// Begins the sprite, draws layer 2 then layer 1 (each with its shadow), ends.
void drawTextLayers(GraphicsResources& resources, gfx::Device* device);
// The end of a frame: each request becomes 1 when it was 2, else 0.
void endTextLayerFrame();
// Both requests 2: the next screen redraws both layers in its first frame.
void requestBothTextLayers();
