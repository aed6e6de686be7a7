// The race's 3D picture: the chase camera, the boat mesh, the terrain of the
// 30 x 30 cells around the boat and the obstacles in that window. The terrain
// and the obstacles are planned first (plain lists, testable without a
// device) and then drawn through the shared quad.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kTerrainWindow = 30;

// One terrain cell to draw: its grid position, its atlas tile and the
// heights of its corners (x, z), (x + 1, z), (x, z + 1), (x + 1, z + 1).
struct TerrainQuad {
    int x, z;
    int tileColumn, tileRow;
    float heights[4];
    bool flat;  // drawn from the pass's shared quad
};

// The window's cells in drawing order: flat bank, flat water, then every
// other cell with its corner heights. Cells outside the grid are left out;
// a finish cell is one only on a circuit (course 1 or above). Returns the
// count written (at most 900).
int planTerrainWindow(float boatX, float boatZ, int course, TerrainQuad out[kTerrainWindow * kTerrainWindow]);

// The window's lowest corner: (boat + 0.5) truncated - 15 on each axis.
int terrainWindowStart(float boatCoordinate);

// The picture of each obstacle in the window that is present and not hit:
// four corners in strip order (top left, top right, bottom left, bottom
// right), turned with the heading so it faces the chase camera; the one being
// knocked under is lowered by its sink depth. Returns the count written.
struct ObstacleQuad {
    int index;
    gfx::Vec3 corners[4];
};
int planObstacleQuads(float boatX, float boatZ, const float rotation[9], ObstacleQuad out[100]);

// The projection (pi/4, the viewport's aspect, near 1, far 1000) and the
// look-at view from gRaceCamera. Nothing without a device or a viewport.
void setRaceCamera(GraphicsResources& resources, gfx::Device* device);
// The boat, the terrain window and the obstacles; rotation is the heading's.
void drawRaceWorld(GraphicsResources& resources, gfx::Device* device, const float rotation[9]);
