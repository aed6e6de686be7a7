// The field's 3D picture: the terrain (a floor quad per cell and the walls
// that step down from it) and the billboards (the player and the map
// objects), every quad drawn through the shared four-vertex buffer, filled
// once per distinct picture.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// The camera as the field's culling sees it: the look point of cameraTrack
// at the millisecond clock, its mode, and the eye point P = look - 8 in z.
struct FieldCameraPoint {
    float look[3];
    float mode;
    float eye[3];
};
FieldCameraPoint evaluateFieldCamera(const GraphicsResources& resources);

// Floors and walls of gMapCells, nearest first (the depth test then spares
// the rasteriser the hidden fragments). Alpha testing off.
void drawFieldTerrain(GraphicsResources& resources, gfx::Device* device);
// The player (when visible, or with the map editor on) and the present,
// visible objects that are not chests. Alpha testing on (greater than 127),
// left so.
void drawFieldSprites(GraphicsResources& resources, gfx::Device* device);

// The colours the terrain draws with in the current field state (tint,
// brightness); a chest's cell floor is halved in every channel.
gfx::Colour fieldFloorColour(bool chestShadow);
gfx::Colour fieldWallColour();
