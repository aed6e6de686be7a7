// Whether the field's camera sees a figure whole: the body's middle and the
// head both in the picture and clear of terrain. Shared by the checks that
// walk a map's cells with the camera cut to the player.
#pragma once

#include <string>

#include "engine/Scene.h"
#include "field/FieldScreen.h"
#include "field/Transitions.h"
#include "field/WorldToCell.h"
#include "tests/sceneFraming.h"

namespace inview {

// Where the eye does not reach a figure standing at (x, y, z): "" when
// both its middle and its head are in the picture and clear of terrain.
inline std::string notWhole(const framing::Camera& camera, float x, float y, float z) {
    const std::string why = framing::unseen(camera, x, y, z);
    if (!why.empty()) return why;
    int row = 0, col = 0;
    for (const float lift : {0.625f, 1.1f}) {
        if (framing::terrainBetween(camera, gfx::Vec3{x, y + lift, z}, row, col))
            return "partly behind the terrain of cell (" + std::to_string(row) + ", " + std::to_string(col) + ")";
    }
    return "";
}

// The player set down on the cell as an arrival does, the camera cut to them.
inline framing::Camera cameraOnPlayerAt(GraphicsResources& resources, int row, int col) {
    placePlayerOnArrival(row, col);
    cutCameraToTarget(resources);
    return framing::currentCamera(resources);
}

}  // namespace inview
