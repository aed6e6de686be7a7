#include <algorithm>
#include <cstdint>
#include <cstring>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "field/FieldMap.h"
#include "field/FieldRenderer.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"

namespace {

constexpr float kShear = 0.707106781f;

// One face kind of a cell: its floor, its front wall (toward column - 1) and
// its right wall (toward row + 1).
enum Face { kFloor = 0, kFrontWall = 1, kRightWall = 2 };

struct TerrainMarks {
    bool hidden[kMapRows][kMapColumns];
    bool shadow[kMapRows][kMapColumns];
    bool drawn[kMapRows][kMapColumns][3];
    // A wall's drop, and whether the cell has that wall at all.
    float drop[kMapRows][kMapColumns][3];
    bool hasWall[kMapRows][kMapColumns][3];
};

TerrainMarks gMarks;  // built anew on every call; kept off the stack for its size

struct TileRect {
    float uL, uR, vT, vB;
};

TileRect tileRect(int column, int row) {
    // 1.5 texels inset on every side of a 32 x 32 tile of the 640 x 320 atlas.
    return {column * 0.05f + 0.00234375f, column * 0.05f + 0.05f - 0.00234375f, row * 0.1f + 0.0046875f,
            row * 0.1f + 0.1f - 0.0046875f};
}

bool isVoid(const MapCell& cell) { return cell.height == 0.0f && cell.floorColumn == 0 && cell.floorRow == 0; }

// The drop of a wall toward a neighbour, or false when there is no wall: a
// neighbour as high or higher leaves nothing to see. Most neighbours of a
// town stand level; their walls would be quads of no height, each still set
// up, transformed and rejected by the rasteriser.
bool wallDrop(int r, int c, Face face, float& drop) {
    const MapCell& cell = gMapCells[r][c];
    const bool atEdge = face == kFrontWall ? c == 0 : r == kMapRows - 1;
    if (atEdge) {
        drop = cell.height;
    } else {
        const MapCell& next = face == kFrontWall ? gMapCells[r][c - 1] : gMapCells[r + 1][c];
        if (isVoid(next)) return false;
        drop = cell.height - next.height;
    }
    return drop > 0.0f;
}

void fillFace(gfx::Vertex* v, Face face, const MapCell& cell, float drop, gfx::Colour colour) {
    const float k = kShear;
    if (face == kFloor) {
        const TileRect t = tileRect(cell.floorColumn, cell.floorRow);
        v[0] = {k, 0.0f, k, colour, t.uL, t.vT};
        v[1] = {1.0f + k, 0.0f, k, colour, t.uR, t.vT};
        v[2] = {0.0f, 0.0f, 0.0f, colour, t.uL, t.vB};
        v[3] = {1.0f, 0.0f, 0.0f, colour, t.uR, t.vB};
        return;
    }
    const TileRect t = tileRect(cell.wallColumn, cell.wallRow);
    if (face == kFrontWall) {
        v[0] = {0.0f, 0.0f, 0.0f, colour, t.uL, t.vT};
        v[1] = {1.0f, 0.0f, 0.0f, colour, t.uR, t.vT};
        v[2] = {0.0f, -drop, 0.0f, colour, t.uL, t.vB};
        v[3] = {1.0f, -drop, 0.0f, colour, t.uR, t.vB};
    } else {
        v[0] = {1.0f, 0.0f, 0.0f, colour, t.uL, t.vT};
        v[1] = {1.0f + k, 0.0f, k, colour, t.uR, t.vT};
        v[2] = {1.0f, -drop, 0.0f, colour, t.uL, t.vB};
        v[3] = {1.0f + k, -drop, k, colour, t.uR, t.vB};
    }
}

bool sameFace(Face face, int r, int c, int r2, int c2) {
    const MapCell& a = gMapCells[r][c];
    const MapCell& b = gMapCells[r2][c2];
    if (face == kFloor) {
        return a.floorColumn == b.floorColumn && a.floorRow == b.floorRow && gMarks.shadow[r][c] == gMarks.shadow[r2][c2];
    }
    return gMarks.hasWall[r2][c2][face] && a.wallColumn == b.wallColumn && a.wallRow == b.wallRow &&
           gMarks.drop[r][c][face] == gMarks.drop[r2][c2][face];
}

// Whether the prism of cell (r, c) from its floor down to its lowest wall
// lies wholly outside one side of the view volume. Only quads that could not
// put a pixel on screen are skipped, so the picture is the same; the
// software rasteriser pays for every triangle it is handed.
bool outsideView(const gfx::Matrix& viewProjection, int r, int c, float top, float bottom) {
    const float x0 = static_cast<float>(r) + static_cast<float>(c) * kShear;
    const float z0 = static_cast<float>(c) * kShear;
    const float corners[4][2] = {{x0, z0}, {x0 + 1.0f, z0}, {x0 + kShear, z0 + kShear}, {x0 + 1.0f + kShear, z0 + kShear}};
    int outside[6] = {0, 0, 0, 0, 0, 0};  // left, right, below, above, near, far
    for (const auto& corner : corners) {
        for (float y : {top, bottom}) {
            const gfx::Matrix& m = viewProjection;
            const float px = corner[0], pz = corner[1];
            const float cx = px * m.m[0][0] + y * m.m[1][0] + pz * m.m[2][0] + m.m[3][0];
            const float cy = px * m.m[0][1] + y * m.m[1][1] + pz * m.m[2][1] + m.m[3][1];
            const float cz = px * m.m[0][2] + y * m.m[1][2] + pz * m.m[2][2] + m.m[3][2];
            const float cw = px * m.m[0][3] + y * m.m[1][3] + pz * m.m[2][3] + m.m[3][3];
            outside[0] += cx < -cw;
            outside[1] += cx > cw;
            outside[2] += cy < -cw;
            outside[3] += cy > cw;
            outside[4] += cz < 0.0f;
            outside[5] += cz > cw;
        }
    }
    for (int count : outside)
        if (count == 8) return true;
    return false;
}

void drawTranslatedQuad(GraphicsResources& resources, gfx::Device* device, int r, int c) {
    const float shear = static_cast<float>(static_cast<double>(c) * 0.707106781);
    resources.worldMatrix = gfx::matrixTranslation(static_cast<float>(r) + shear, gMapCells[r][c].height, shear);
    device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
    device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
}

// A face to draw, and the face its quad is filled from (the first of its
// batch: the same tile, shade and drop).
struct QueuedFace {
    float depth;  // of its cell's centre, in view space
    std::uint8_t r, c, face;
    std::uint8_t fromR, fromC;
};

QueuedFace gQueue[kMapRows * kMapColumns * 3];
int gQueued = 0;

// Queues every matching, shown, undrawn face of the rectangle from (r, c)
// to (59, 59), all filled from the face of (r, c).
void queueFaceBatch(const gfx::Matrix& view, Face face, int r, int c) {
    for (int r2 = r; r2 < kMapRows; ++r2) {
        for (int c2 = c; c2 < kMapColumns; ++c2) {
            if (gMarks.hidden[r2][c2] || gMarks.drawn[r2][c2][face]) continue;
            if (!sameFace(face, r, c, r2, c2)) continue;
            gMarks.drawn[r2][c2][face] = true;
            float centre[3];
            cellCentre(r2, c2, centre);
            const float depth = centre[0] * view.m[0][2] + centre[1] * view.m[1][2] + centre[2] * view.m[2][2] + view.m[3][2];
            gQueue[gQueued++] = QueuedFace{depth, static_cast<std::uint8_t>(r2), static_cast<std::uint8_t>(c2),
                                           static_cast<std::uint8_t>(face), static_cast<std::uint8_t>(r),
                                           static_cast<std::uint8_t>(c)};
        }
    }
}

// Draws the queued faces nearest first: the terrain is opaque and depth
// tested, so a fragment behind what is already drawn fails the depth test
// before it is shaded (the software rasteriser's main cost). The buffer is
// filled again only when the next face comes from another batch.
void drawQueuedFaces(GraphicsResources& resources, gfx::Device* device) {
    if (gQueued == 0) return;  // nothing shown: the device's texture stays as it was
    std::stable_sort(gQueue, gQueue + gQueued, [](const QueuedFace& a, const QueuedFace& b) { return a.depth < b.depth; });
    device->setTexture(resources.tileAtlas.get());
    resources.worldMatrix = gfx::matrixIdentity();
    int filledR = -1, filledC = -1, filledFace = -1;
    for (int i = 0; i < gQueued; ++i) {
        const QueuedFace& q = gQueue[i];
        if (q.fromR != filledR || q.fromC != filledC || q.face != filledFace) {
            gfx::Vertex* v = resources.quadVertices->lock();
            if (v == nullptr) return;
            const Face face = static_cast<Face>(q.face);
            const gfx::Colour colour = face == kFloor ? fieldFloorColour(gMarks.shadow[q.fromR][q.fromC]) : fieldWallColour();
            fillFace(v, face, gMapCells[q.fromR][q.fromC], gMarks.drop[q.fromR][q.fromC][face], colour);
            resources.quadVertices->unlock();
            filledR = q.fromR;
            filledC = q.fromC;
            filledFace = q.face;
        }
        drawTranslatedQuad(resources, device, q.r, q.c);
    }
}

}  // namespace

FieldCameraPoint evaluateFieldCamera(const GraphicsResources& resources) {
    FieldCameraPoint point{};
    float channel0 = 0.0f;
    int finished = 0;
    float channels[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    if (resources.cameraTrack) resources.cameraTrack->evaluateTrack(gMillisecondClock(), &channel0, &finished, channels);
    for (int i = 0; i < 3; ++i) point.look[i] = channels[i];
    point.mode = channels[5];
    point.eye[0] = point.look[0];
    point.eye[1] = point.look[1];
    point.eye[2] = point.look[2] - 8.0f;
    return point;
}

gfx::Colour fieldFloorColour(bool chestShadow) {
    float a = 1.0f, r = 1.0f, g = 1.0f, b = 1.0f;
    if (gFieldTintActive == 1) {
        if (gFieldBrightness == 1.0f) {
            a = gFieldTint[3];
            r = gFieldTint[0];
            g = gFieldTint[1];
            b = gFieldTint[2];
        } else {
            a = r = g = b = gFieldTint[1] * gFieldBrightness;
        }
    } else if (gFieldBrightness != 1.0f) {
        a = r = g = b = gFieldBrightness;
    }
    if (chestShadow) {
        a *= 0.5f;
        r *= 0.5f;
        g *= 0.5f;
        b *= 0.5f;
    }
    return gfx::colourFromFloats(r, g, b, a);
}

gfx::Colour fieldWallColour() {
    if (gFieldTintActive == 1) {
        if (gFieldBrightness == 1.0f) return gfx::colourFromFloats(gFieldTint[0], gFieldTint[1], gFieldTint[2], gFieldTint[3]);
        return gfx::colourFromFloats(gFieldTint[0] * gFieldBrightness, gFieldTint[1] * gFieldBrightness,
                                     gFieldTint[2] * gFieldBrightness, gFieldTint[3]);
    }
    if (gFieldBrightness != 1.0f) return gfx::colourFromFloats(gFieldBrightness, gFieldBrightness, gFieldBrightness, 1.0f);
    return 0xFFFFFFFFu;
}

void drawFieldTerrain(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.quadVertices) return;
    const FieldCameraPoint camera = evaluateFieldCamera(resources);
    int eyeCell[3];
    worldToCell(camera.eye, eyeCell);
    const int rowP = eyeCell[0];
    const int colP = eyeCell[2];
    device->setRenderState(gfx::kRsAlphaTestEnable, 0);

    std::memset(&gMarks, 0, sizeof gMarks);
    const gfx::Matrix viewProjection =
        gfx::matrixMultiply(device->transform(gfx::TransformKind::View), device->transform(gfx::TransformKind::Projection));
    const bool nearView = camera.mode == 1.0f && camera.look[1] <= 5.0f;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            const MapCell& cell = gMapCells[r][c];
            bool hidden = false;
            if (c < colP && camera.mode != 3.0f) {
                hidden = true;  // behind the eye
            } else if (cell.wallColumn == 0 && cell.wallRow == 0) {
                hidden = true;  // a cell that is not drawn at all
            } else if (nearView) {
                hidden = !(r >= rowP + colP - 8 - c && r <= rowP - (c - colP) / 3 + 5);
            }
            float deepest = 0.0f;
            for (Face face : {kFrontWall, kRightWall}) {
                float drop = 0.0f;
                gMarks.hasWall[r][c][face] = wallDrop(r, c, face, drop);
                gMarks.drop[r][c][face] = gMarks.hasWall[r][c][face] ? drop : 0.0f;
                if (gMarks.drop[r][c][face] > deepest) deepest = gMarks.drop[r][c][face];
            }
            if (!hidden) hidden = outsideView(viewProjection, r, c, cell.height, cell.height - deepest);
            gMarks.hidden[r][c] = hidden;
        }
    }
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        if (gMapObjects[slot].kind != kObjectChest) continue;
        const int row = static_cast<std::int8_t>(gObjectCells[slot][0]);
        const int col = static_cast<std::int8_t>(gObjectCells[slot][1]);
        if (cellInsideGrid(row, col)) gMarks.shadow[row][col] = true;
    }

    const gfx::Matrix view = device->transform(gfx::TransformKind::View);
    gQueued = 0;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            if (gMarks.hidden[r][c]) continue;
            if (!gMarks.drawn[r][c][kFloor]) queueFaceBatch(view, kFloor, r, c);
            if (gMarks.hasWall[r][c][kFrontWall] && !gMarks.drawn[r][c][kFrontWall]) queueFaceBatch(view, kFrontWall, r, c);
            if (gMarks.hasWall[r][c][kRightWall] && !gMarks.drawn[r][c][kRightWall]) queueFaceBatch(view, kRightWall, r, c);
        }
    }
    drawQueuedFaces(resources, device);
}
