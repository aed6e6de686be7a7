#include "minigames/BoatRaceDrawing.h"

#include "engine/GraphicsResources.h"
#include "engine/TransformByMatrix3.h"
#include "minigames/BoatCourse.h"
#include "minigames/BoatRaceState.h"

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;
constexpr float kPi = 3.14159265358979f;
constexpr gfx::Colour kWhite = 0xFFFFFFFFu;
constexpr float kBoatScale = 0.125f;

struct Tile {
    int column, row;
};
constexpr Tile kFlatBankTile{0, 7};
constexpr Tile kFlatWaterTile{7, 0};
constexpr Tile kFinishTile{10, 1};
constexpr Tile kBankReliefTile{0, 3};
constexpr Tile kWaterReliefTile{8, 0};

// The sheet cell of the obstacle picture on sprite sheet 147: its bottom rows.
constexpr float kObstacleU0 = 0.8f, kObstacleU1 = 0.9f;
constexpr float kObstacleV0 = 0.9401f, kObstacleV1 = 1.0f;

bool cellDrawable(int x, int z) { return x >= 0 && x + 1 < kCourseSize && z >= 0 && z + 1 < kCourseSize; }

void cornerHeights(int x, int z, float out[4]) {
    out[0] = gCourseCells[courseIndex(x, z)].height;
    out[1] = gCourseCells[courseIndex(x + 1, z)].height;
    out[2] = gCourseCells[courseIndex(x, z + 1)].height;
    out[3] = gCourseCells[courseIndex(x + 1, z + 1)].height;
}

bool allZero(const float h[4]) { return h[0] == 0.0f && h[1] == 0.0f && h[2] == 0.0f && h[3] == 0.0f; }

// A quad of the tile atlas (20 x 10 tiles), inset by 3/128 of a tile so that
// neighbouring tiles never bleed in.
void writeTerrainQuad(gfx::Vertex v[4], const float h[4], int column, int row) {
    const float inset = 3.0f / 128.0f;
    const float uL = 0.05f * (static_cast<float>(column) + inset);
    const float uR = 0.05f * (static_cast<float>(column) + 1.0f - inset);
    const float vT = 0.1f * (static_cast<float>(row) + inset);
    const float vB = 0.1f * (static_cast<float>(row) + 1.0f - inset);
    v[0] = gfx::Vertex{0.0f, h[0], 0.0f, kWhite, uL, vT};
    v[1] = gfx::Vertex{1.0f, h[1], 0.0f, kWhite, uR, vT};
    v[2] = gfx::Vertex{0.0f, h[2], 1.0f, kWhite, uL, vB};
    v[3] = gfx::Vertex{1.0f, h[3], 1.0f, kWhite, uR, vB};
}

bool fillQuad(GraphicsResources& resources, const gfx::Vertex source[4]) {
    if (!resources.quadVertices) return false;
    gfx::Vertex* v = resources.quadVertices->lock();
    if (v == nullptr) return false;
    for (int i = 0; i < 4; ++i) v[i] = source[i];
    resources.quadVertices->unlock();
    return true;
}

void drawQuadAt(GraphicsResources& resources, gfx::Device* device, float x, float y, float z) {
    resources.worldMatrix = gfx::matrixTranslation(x, y, z);
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
}

void drawBoat(GraphicsResources& resources, gfx::Device* device) {
    const float turn = static_cast<float>((270 - gBoatHeading) * kDegrees);
    resources.worldMatrix = gfx::matrixMultiply(
        gfx::matrixMultiply(gfx::matrixScaling(kBoatScale, kBoatScale, kBoatScale), gfx::matrixRotationY(turn)),
        gfx::matrixTranslation(gBoatPos[0], gBoatPos[1], gBoatPos[2]));
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    device->setTexture(nullptr);
    device->setRenderState(gfx::kRsAlphaTestEnable, 0);
    device->setRenderState(gfx::kRsZWriteEnable, 1);
    device->setRenderState(gfx::kRsLighting, 1);
    if (resources.effectMesh) {
        for (int i = 0; i < resources.effectMesh->materialCount(); ++i) {
            device->setMaterial(resources.effectMesh->material(i));
            resources.effectMesh->drawSubset(i);
        }
    }
    device->setRenderState(gfx::kRsLighting, 0);
}

void drawTerrain(GraphicsResources& resources, gfx::Device* device, const TerrainQuad* quads, int count) {
    device->setTexture(resources.tileAtlas.get());
    // Flat cells of a pass share one quad, written when the pass's first
    // cell comes; cells with relief write their own.
    int sharedTileColumn = -1, sharedTileRow = -1;
    for (int k = 0; k < count; ++k) {
        const TerrainQuad& q = quads[k];
        if (!q.flat || q.tileColumn != sharedTileColumn || q.tileRow != sharedTileRow) {
            gfx::Vertex v[4];
            writeTerrainQuad(v, q.heights, q.tileColumn, q.tileRow);
            if (!fillQuad(resources, v)) return;
            sharedTileColumn = q.flat ? q.tileColumn : -1;
            sharedTileRow = q.flat ? q.tileRow : -1;
        }
        drawQuadAt(resources, device, static_cast<float>(q.x), 0.0f, static_cast<float>(q.z));
    }
}

void drawObstacles(GraphicsResources& resources, gfx::Device* device, const float rotation[9]) {
    device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    device->setRenderState(gfx::kRsAlphaRef, 0x7F);
    device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
    ObstacleQuad quads[kCourseObstacleCount];
    const int count = planObstacleQuads(gBoatPos[0], gBoatPos[2], rotation, quads);
    if (count == 0) return;
    device->setTexture(resources.spriteSheets[4].get());
    resources.worldMatrix = gfx::matrixIdentity();
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    static const float kU[4] = {kObstacleU0, kObstacleU1, kObstacleU0, kObstacleU1};
    static const float kV[4] = {kObstacleV0, kObstacleV0, kObstacleV1, kObstacleV1};
    for (int k = 0; k < count; ++k) {
        gfx::Vertex v[4];
        for (int c = 0; c < 4; ++c) {
            const gfx::Vec3& p = quads[k].corners[c];
            v[c] = gfx::Vertex{p.x, p.y, p.z, kWhite, kU[c], kV[c]};
        }
        if (!fillQuad(resources, v)) return;
        device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
    }
}

}  // namespace

int terrainWindowStart(float boatCoordinate) {
    return static_cast<int>(boatCoordinate + 0.5f) - kTerrainWindow / 2;
}

int planTerrainWindow(float boatX, float boatZ, int course, TerrainQuad out[kTerrainWindow * kTerrainWindow]) {
    const int x0 = terrainWindowStart(boatX);
    const int z0 = terrainWindowStart(boatZ);
    const bool circuit = course >= 1;
    bool drawn[kTerrainWindow][kTerrainWindow] = {};
    int count = 0;

    // Passes 0 and 1: the flat bank, then the flat water, each sharing a quad.
    for (int pass = 0; pass < 2; ++pass) {
        for (int i = 0; i < kTerrainWindow; ++i) {
            for (int j = 0; j < kTerrainWindow; ++j) {
                const int x = x0 + i, z = z0 + j;
                if (!cellDrawable(x, z)) continue;
                const CourseCell& cell = gCourseCells[courseIndex(x, z)];
                if (circuit && cell.goal != 0) continue;
                if ((cell.type == kCourseBank) != (pass == 0)) continue;
                float h[4];
                cornerHeights(x, z, h);
                if (!allZero(h)) continue;
                const Tile tile = pass == 0 ? kFlatBankTile : kFlatWaterTile;
                out[count++] = TerrainQuad{x, z, tile.column, tile.row, {0.0f, 0.0f, 0.0f, 0.0f}, true};
                drawn[i][j] = true;
            }
        }
    }
    // The rest with their own corner heights.
    for (int i = 0; i < kTerrainWindow; ++i) {
        for (int j = 0; j < kTerrainWindow; ++j) {
            const int x = x0 + i, z = z0 + j;
            if (drawn[i][j] || !cellDrawable(x, z)) continue;
            const CourseCell& cell = gCourseCells[courseIndex(x, z)];
            const Tile tile = circuit && cell.goal != 0 ? kFinishTile
                              : cell.type == kCourseBank ? kBankReliefTile
                                                         : kWaterReliefTile;
            TerrainQuad q{x, z, tile.column, tile.row, {}, false};
            cornerHeights(x, z, q.heights);
            out[count++] = q;
        }
    }
    return count;
}

int planObstacleQuads(float boatX, float boatZ, const float rotation[9], ObstacleQuad out[100]) {
    static const float kCorners[4][3] = {{-0.5f, 0.5f, 0.0f}, {0.5f, 0.5f, 0.0f}, {-0.5f, 0.0f, 0.0f}, {0.5f, 0.0f, 0.0f}};
    const float x0 = static_cast<float>(terrainWindowStart(boatX));
    const float z0 = static_cast<float>(terrainWindowStart(boatZ));
    const float span = static_cast<float>(kTerrainWindow);
    int count = 0;
    for (int i = 0; i < kCourseObstacleCount; ++i) {
        const CourseObstacle& o = gCourseObstacles[i];
        if (o.present == 0 || o.hit != 0) continue;
        if (!(o.x >= x0 && o.x <= x0 + span && o.z >= z0 && o.z <= z0 + span)) continue;
        const float lower = gObstacleBump.active != 0 && gObstacleBump.index == i ? gObstacleBump.sink : 0.0f;
        ObstacleQuad& q = out[count++];
        q.index = i;
        for (int c = 0; c < 4; ++c) {
            float turned[3];
            transformByMatrix3(turned, kCorners[c], rotation);
            q.corners[c] = gfx::Vec3{o.x + 0.5f + turned[0], o.y + turned[1] - lower, o.z + turned[2]};
        }
    }
    return count;
}

void setRaceCamera(GraphicsResources&, gfx::Device* device) {
    if (device == nullptr) return;
    const gfx::Viewport viewport = device->viewport();
    if (viewport.height <= 0) return;
    const float aspect = static_cast<float>(viewport.width) / static_cast<float>(viewport.height);
    device->setTransform(gfx::TransformKind::Projection, gfx::matrixPerspectiveFovLH(kPi / 4.0f, aspect, 1.0f, 1000.0f));
    const gfx::Vec3 eye{gRaceCamera[0], gRaceCamera[1], gRaceCamera[2]};
    const gfx::Vec3 at{gRaceCamera[3], gRaceCamera[4], gRaceCamera[5]};
    const gfx::Vec3 up{gRaceCamera[6], gRaceCamera[7], gRaceCamera[8]};
    device->setTransform(gfx::TransformKind::View, gfx::matrixLookAtLH(eye, at, up));
}

void drawRaceWorld(GraphicsResources& resources, gfx::Device* device, const float rotation[9]) {
    if (device == nullptr) return;
    drawBoat(resources, device);
    static TerrainQuad quads[kTerrainWindow * kTerrainWindow];
    const int count = planTerrainWindow(gBoatPos[0], gBoatPos[2], gRaceCourse, quads);
    drawTerrain(resources, device, quads, count);
    drawObstacles(resources, device, rotation);
}
