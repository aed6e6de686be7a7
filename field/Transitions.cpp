#include "field/Transitions.h"

#include <cmath>
#include <cstdio>

#include "battle/BattleRecords.h"
#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/FieldState.h"
#include "story/StoryState.h"

int gTransitionFrame = 0;

namespace {

constexpr float kDegrees = 3.14159265358979f / 180.0f;

void drawSnapshot(GraphicsResources& resources, const gfx::Vec2* scale, const gfx::Vec2* centre, float rotation,
                  const gfx::Vec2* at, gfx::Colour colour) {
    if (!resources.sprite || !resources.layer1Target) return;
    resources.sprite->begin();
    resources.sprite->draw(resources.layer1Target.get(), nullptr, scale, centre, rotation, at, colour);
    resources.sprite->end();
}

bool battleBackdropExists() { return gBattleBackground >= 0 && gBattleBackground <= kLastBattleBackdrop; }

}  // namespace

void cutCameraToTarget(GraphicsResources& resources) {
    if (resources.cameraTrack) {
        KeyframeTrack& track = *resources.cameraTrack;
        track.setKeyCount(2);
        track.setKey(0, 0.0f, 0.0f, gCameraTarget[0], gCameraTarget[1], gCameraTarget[2], 10.0f, 0.0f, 1.0f);
        track.setKey(1, 1.0f, 0.0f, gCameraTarget[0], gCameraTarget[1], gCameraTarget[2], 10.0f, 0.0f, 1.0f);
        track.setTrackDuration(1);
        track.setTrackLooping(0);
        track.setTrackStart(gMillisecondClock());
    }
    gCameraSnap = 1;
}

gfx::Rect battleGroundTileRect(int column, int row) {
    return {static_cast<int>(column * 51.2 + 1), static_cast<int>(row * 51.2 + 1),
            static_cast<int>((column + 1) * 51.2), static_cast<int>((row + 1) * 51.2)};
}

void paintBattleGround(GraphicsResources& resources, gfx::Device* device, int column, int row) {
    if (device == nullptr || !resources.groundTarget || !resources.sprite) return;
    device->setRenderTarget(resources.groundTarget.get());
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFFFFFFFFu, 1.0f, 0);
    const gfx::Rect tile = battleGroundTileRect(column, row);
    const gfx::Vec2 scale{0.7f, 0.7f};
    resources.sprite->begin();
    for (int i = 0; i < 10; ++i) {
        for (int j = 0; j < 10; ++j) {
            const gfx::Vec2 at{static_cast<float>(32 * i), static_cast<float>(32 * j)};
            resources.sprite->draw(resources.tileAtlas.get(), &tile, &scale, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        }
    }
    resources.sprite->end();
    device->setRenderTarget(resources.backBuffer);
}

void runBattleTransition(GraphicsResources& resources, gfx::Device* device) {
    updateCamera(resources, device);
    if (gTransitionFrame == 0 && device != nullptr && resources.layer1Target) {
        // A fresh picture of the field with the enemy that was touched.
        device->setRenderTarget(resources.layer1Target.get());
        runField(resources, device);
        // The battle's pictures are read while the snapshot spins.
        if (battleBackdropExists()) preparePicture(resources, device, kFirstBattleBackdropBitmap + gBattleBackground);
        preparePortraitSheet(resources, device, 347);
        prefetchBattlePictures(resources, device);
    }
    if (device != nullptr) {
        device->setRenderTarget(resources.backBuffer);
        device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    }

    // The snapshot spins 5 degrees and grows 2 % a frame about the screen's
    // centre while it darkens, at 80 % over the black.
    const float f = static_cast<float>(gTransitionFrame);
    const float grey = 1.0f - 0.02f * f;
    const float s = 1.0f + 0.02f * f;
    const gfx::Vec2 scale{s, s};
    const gfx::Vec2 centre{320.0f * s, 240.0f * s};
    const gfx::Vec2 at{320.0f - 320.0f * s, 240.0f - 240.0f * s};
    drawSnapshot(resources, &scale, &centre, 5.0f * f * kDegrees, &at, gfx::colourFromFloats(grey, grey, grey, 0.8f));

    if (++gTransitionFrame < kBattleTransitionFrames) return;
    if (battleBackdropExists()) {
        readPicture(resources, device, kFirstBattleBackdropBitmap + gBattleBackground);
    } else {
        std::fprintf(stderr, "battle backdrop %d does not exist; the picture slot is left as it was\n",
                     gBattleBackground);
    }
    readPortraitSheet(resources, device, 347);
    gTransitionFrame = 0;
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    gScene = kBattleScene;
    if (gBattleGroup == kStoryBattleGroupInBlack) {
        gFieldTint[0] = 0.0f;
        gFieldTint[1] = 0.0f;
        gFieldTint[2] = 0.0f;
        gFieldTint[3] = 1.0f;
    }
    if (!lowSpecGraphics()) paintBattleGround(resources, device, gGroundTiles[0], gGroundTiles[1]);
}

void runFieldFadeIn(GraphicsResources& resources, gfx::Device* device) {
    // The field shows when the fade ends: its pictures are read meanwhile.
    if (gTransitionFrame == 0) prefetchFieldPictures(resources, device);
    updateCamera(resources, device);
    if (device != nullptr) device->setRenderTarget(resources.backBuffer);
    const float f = std::fmax(1.0f - 0.04f * static_cast<float>(gTransitionFrame), 0.0f);
    const gfx::Vec2 at{0.0f, 0.0f};
    drawSnapshot(resources, nullptr, nullptr, 0.0f, &at, gfx::colourFromFloats(f, f, f, 1.0f));
    if (++gTransitionFrame < kFadeInFrames) return;
    gFieldBrightness = 1.0f;
    gPlayerVSpeed = 0.0f;
    gScene = 0;
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    cutCameraToTarget(resources);
}

void runFieldEntryFromBlack(GraphicsResources& resources, gfx::Device* device) {
    if (gTransitionFrame == 0) prefetchFieldPictures(resources, device);
    if (device != nullptr) {
        device->setRenderTarget(resources.backBuffer);
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    }
    if (++gTransitionFrame < kEntryFromBlackFrames) return;
    gScene = 0;
    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    cutCameraToTarget(resources);
}
