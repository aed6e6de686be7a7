#include <cstdio>

#include "engine/GraphicsResources.h"
#include "field/FieldMap.h"
#include "field/FieldRenderer.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"

namespace {

constexpr int kSpriteCharacters = 60;  // six sheets of ten rows

struct Billboard {
    float x, y, z;
    int character;
    int pose;
    int facing;
    bool hidden;
    bool drawn;
};

Billboard gBillboards[1 + kMapObjectCount];

// A character beyond the six sheets has no picture: skipped, said once.
bool characterDrawable(int character, int slot) {
    if (character >= 0 && character < kSpriteCharacters) return true;
    static int lastReported = -1;
    if (character != lastReported) {
        std::fprintf(stderr, "field: %s%d shows sprite character %d outside 0-%d: not drawn\n",
                     slot < 0 ? "the player" : "object slot ", slot < 0 ? 0 : slot, character, kSpriteCharacters - 1);
        lastReported = character;
    }
    return false;
}

void fillBillboard(gfx::Vertex* v, int character, int pose, int facing, gfx::Colour colour) {
    // Corners top-left, top-right, bottom-left, bottom-right; facing 1 swaps
    // them left for right, which mirrors the picture.
    const float corners[4][2] = {{-0.5f, 1.25f}, {0.5f, 1.25f}, {-0.5f, 0.0f}, {0.5f, 0.0f}};
    const int order[2][4] = {{0, 1, 2, 3}, {1, 0, 3, 2}};
    const int row = character % 10;  // the row within its sheet
    const float uv[4][2] = {{pose * 0.1f, row * 0.1f + 0.001f},
                            {(pose + 1) * 0.1f, row * 0.1f + 0.001f},
                            {pose * 0.1f, (row + 1) * 0.1f},
                            {(pose + 1) * 0.1f, (row + 1) * 0.1f}};
    for (int corner = 0; corner < 4; ++corner) {
        gfx::Vertex& vertex = v[order[facing == 1 ? 1 : 0][corner]];
        vertex.x = corners[corner][0];
        vertex.y = corners[corner][1];
        vertex.z = 0.0f;
    }
    for (int i = 0; i < 4; ++i) {
        v[i].diffuse = colour;
        v[i].u = uv[i][0];
        v[i].v = uv[i][1];
    }
}

}  // namespace

void drawFieldSprites(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.quadVertices) return;
    int count = 0;
    if (gPlayerVisible == 1 || gDebugMode == 1) {
        if (characterDrawable(gPlayerSpriteColumn, -1)) {
            gBillboards[count++] = {gPlayerPos[0], gPlayerPos[1], gPlayerPos[2], gPlayerSpriteColumn, gPlayerPose,
                                    gPlayerFacing, false, false};
        }
    }
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        const MapObject& object = gMapObjects[slot];
        if (object.present == 0 || object.visible == 0 || object.kind == kObjectChest) continue;
        if (!characterDrawable(object.character, slot)) continue;
        gBillboards[count++] = {object.x, object.y, object.z, object.character, object.pose, object.facing, false, false};
    }

    const FieldCameraPoint camera = evaluateFieldCamera(resources);
    device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    device->setRenderState(gfx::kRsAlphaRef, 127);
    device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);

    if (camera.mode == 1.0f) {
        for (int i = 0; i < count; ++i) {
            Billboard& b = gBillboards[i];
            if (b.z < camera.eye[2]) {
                b.hidden = true;
            } else if (camera.look[1] <= 5.0f) {
                const float t = (b.z - camera.eye[2]) / 3.0f;
                b.hidden = b.x < camera.eye[0] - 8.0f - t || b.x > camera.eye[0] + 5.0f + t;
            }
        }
    }

    const gfx::Colour colour = gFieldTintActive == 0
                                   ? 0xFFFFFFFFu
                                   : gfx::colourFromFloats(gFieldTint[0], gFieldTint[1], gFieldTint[2], gFieldTint[3]);
    for (int j = 0; j < count; ++j) {
        const Billboard& first = gBillboards[j];
        if (first.hidden || first.drawn) continue;
        gfx::Vertex* v = resources.quadVertices->lock();
        if (v == nullptr) return;
        fillBillboard(v, first.character, first.pose, first.facing, colour);
        resources.quadVertices->unlock();
        device->setTexture(resources.spriteSheets[first.character / 10].get());
        resources.worldMatrix = gfx::matrixIdentity();
        for (int k = j; k < count; ++k) {
            Billboard& b = gBillboards[k];
            if (b.hidden || b.drawn) continue;
            if (b.character != first.character || b.pose != first.pose || b.facing != first.facing) continue;
            b.drawn = true;
            resources.worldMatrix = gfx::matrixTranslation(b.x, b.y, b.z);
            device->setTransform(gfx::TransformKind::World, resources.worldMatrix);
            device->drawPrimitive(gfx::Primitive::TriangleStrip, resources.quadVertices.get(), 0, 2);
        }
    }
}
