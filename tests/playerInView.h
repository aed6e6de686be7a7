// Whether the field's camera sees a figure whole: the body's middle and the
// head both in the picture and clear of terrain. Shared by the checks that
// walk a map's cells with the camera cut to the player.
#pragma once

#include <set>
#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "engine/Scene.h"
#include "field/FieldScreen.h"
#include "field/Transitions.h"
#include "field/WorldToCell.h"
#include "tests/sceneFraming.h"
#include "tools/mapc/MapSource.h"

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

using Cell = std::pair<int, int>;

// The cells of a map where a player must be seen: its arrivals, its chests'
// cells, and every walked cell beside one of its exits, triggers or persons.
inline std::set<Cell> cellsToSee(int map, const std::vector<Cell>& arrivals, const std::set<Cell>& walked) {
    std::set<Cell> cells(arrivals.begin(), arrivals.end());
    const mapsource::MapSource source = mapsource::loadMapSourceFile(
        std::string(CORVADINE_SOURCE_DIR) + "/content/maps/Map_" + std::to_string(map) + ".map");
    EXPECT_TRUE(source.errors.empty()) << "map " << map;
    for (const mapsource::SlotEntry& s : source.slots) {
        if (s.role == "chest") {
            cells.insert({s.row, s.column});
        } else if (s.role == "exit" || s.role == "trigger" || s.role == "person") {
            for (int dr = -1; dr <= 1; ++dr)
                for (int dc = -1; dc <= 1; ++dc)
                    if (walked.count({s.row + dr, s.column + dc}) != 0) cells.insert({s.row + dr, s.column + dc});
        }
    }
    return cells;
}

// The player, set down on each cell with the camera cut to them, is seen whole.
inline void expectSeenWholeOn(GraphicsResources& resources, const std::set<Cell>& cells) {
    for (const auto& [r, c] : cells) {
        const framing::Camera camera = cameraOnPlayerAt(resources, r, c);
        const std::string why = notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]);
        EXPECT_EQ(why, "") << "the player on (" << r << ", " << c << ")";
    }
}

}  // namespace inview
