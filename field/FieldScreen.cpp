#include <cstdint>
#include <cstring>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "engine/ResourcePaths.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldRenderer.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/TouchObject.h"
#include "field/WorldToCell.h"

FieldEventRunner gFieldEventRunner = runCurrentMapEvent;

namespace {

float shearOf(int column) { return static_cast<float>(static_cast<double>(column) * 0.707106781); }

void loadPicture(GraphicsResources& resources, gfx::Device* device, int bitmap) {
    resources.pictureTexture.reset();
    if (device == nullptr || bitmap < 0) return;
    // A picture that cannot be loaded leaves the slot empty: nothing is drawn.
    resources.pictureTexture =
        device->createTextureFromFile(resources::bitmapPath(bitmap), false, gfx::TextureFormat::A8R8G8B8);
}

int eventPictureBitmap(int number) {
    if (number >= 0 && number <= 14) return 180 + number;
    if (number == 15) return 196;
    return -1;  // no such picture: nothing shown
}

int stillPictureBitmap(int s) {
    if (s >= 1 && s <= 3) return 164 + s;
    if (s == 4 || s == 5) return 165 + s;
    if (s >= 6 && s <= 12) return 166 + s;
    if (s >= 100) return 179;
    if (s <= -100 && s >= -106) return 97 - s;   // -100 -> 197
    if (s <= -107 && s >= -123) return 98 - s;   // -107 -> 205
    return -1;
}

void drawPictureAt(GraphicsResources& resources, gfx::Texture* texture, const gfx::Rect* source, float x, float y,
                   gfx::Colour colour) {
    if (!resources.sprite || texture == nullptr) return;
    const gfx::Vec2 at{x, y};
    resources.sprite->begin();
    resources.sprite->draw(texture, source, nullptr, nullptr, 0.0f, &at, colour);
    resources.sprite->end();
}

void drawEventPicture(GraphicsResources& resources, gfx::Device* device) {
    if (gPictureLoaded == 0) {
        gPictureLoaded = 1;
        loadPicture(resources, device, eventPictureBitmap(gEventPictureNumber));
    }
    drawPictureAt(resources, resources.pictureTexture.get(), nullptr, 0.0f, 0.0f, 0xFFFFFFFFu);
}

void clearField(gfx::Device* device) {
    std::uint32_t r = gClearColour[0], g = gClearColour[1], b = gClearColour[2];
    if (gFieldBrightness != 1.0f) {
        r = static_cast<std::uint32_t>(r * gFieldBrightness);
        g = static_cast<std::uint32_t>(g * gFieldBrightness);
        b = static_cast<std::uint32_t>(b * gFieldBrightness);
    } else if (gFieldTintActive == 1) {
        r = static_cast<std::uint32_t>(r * gFieldTint[0]);
        g = static_cast<std::uint32_t>(g * gFieldTint[1]);
        b = static_cast<std::uint32_t>(b * gFieldTint[2]);
    }
    const gfx::Colour colour = 0xFF000000u | ((r & 0xFF) << 16) | ((g & 0xFF) << 8) | (b & 0xFF);
    device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, colour, 1.0f, 0);
}

// Step 16: the billboards, the per-frame set-up, the objects' chase and the
// chests. `logic` is false in every pass that only draws.
void objectsAndChests(GraphicsResources& resources, gfx::Device* device, bool logic) {
    drawFieldSprites(resources, device);
    if (logic) {
        gCameraTarget[0] = gPlayerPos[0];
        gCameraTarget[1] = gPlayerPos[1];
        gCameraTarget[2] = gPlayerPos[2];
        setUpCurrentMap(0);
    }
    int playerCell[3];
    worldToCell(gPlayerPos, playerCell);
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        MapObject& object = gMapObjects[slot];
        if (object.present == 0) continue;
        const int row = static_cast<std::int8_t>(gObjectCells[slot][0]);
        const int col = static_cast<std::int8_t>(gObjectCells[slot][1]);
        if (gDebugMode == 1) {
            if (logic) {
                float centre[3];
                cellCentre(row, col, centre);
                object.x = centre[0];
                object.y = centre[1];
                object.z = centre[2];
            }
            drawObjectNumber(resources, device, slot);
        } else if (logic && gFieldEvent == 0) {
            chaseActor(playerCell, slot);
        }
        if (object.visible != 0 && object.kind == kObjectChest && device != nullptr) {
            const int chest = object.index;
            const float position[3] = {static_cast<float>(row) + shearOf(col), mapCell(row, col).height + object.height,
                                       shearOf(col)};
            const int opened = chest >= 0 && chest < kChestCount ? gChestFlags[chest] : 0;
            drawChestMesh(resources, device, position, opened);
        }
    }
}

void drawStillPicture(GraphicsResources& resources, gfx::Device* device) {
    const int s = gStillPicture;
    if (s == 0) return;
    if (gPictureLoaded == 0) {
        gPictureLoaded = 1;
        loadPicture(resources, device, stillPictureBitmap(s));
    }
    if (gStillPictureAlpha != 255) ++gStillPictureAlpha;
    const gfx::Colour colour = (static_cast<gfx::Colour>(gStillPictureAlpha) << 24) | 0x00FFFFFFu;
    gfx::Texture* picture = resources.pictureTexture.get();
    if (s < 100) {
        drawPictureAt(resources, picture, nullptr, 0.0f, 0.0f, colour);
        return;
    }
    if (device != nullptr) {
        device->clear(gfx::kClearTarget | gfx::kClearDepth, static_cast<gfx::Colour>(255 - gStillPictureAlpha) << 24, 1.0f, 0);
    }
    const int k = s - 101;
    const gfx::Rect tile = {(k / 5) * 300, (k % 5) * 100, (k / 5) * 300 + 300, (k % 5) * 100 + 100};
    drawPictureAt(resources, picture, &tile, 340.0f, 380.0f, colour);
    const gfx::Rect band = {600, 300, 940, 400};
    drawPictureAt(resources, picture, &band, 0.0f, 380.0f, colour);
}

// Step 20: the running event's step and what it shows.
void eventStep(GraphicsResources& resources, gfx::Device* device, bool& staffRollStarted) {
    if (gFieldEvent == 0) return;
    gFieldEventRunner();
    if (gScene == 900) {
        staffRollStarted = true;
        return;
    }
    if (gFloorPanelShown == 1) {
        drawFloorSelect(resources, device, static_cast<std::int8_t>(gStoryFlags[910]), static_cast<std::int8_t>(gStoryFlags[912]));
    }
    if (gRedrawRequest[0] == 3 && device != nullptr && resources.layer2Target) {
        device->setRenderTarget(resources.layer2Target.get());
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0x00000000u, 1.0f, 0);
        device->setRenderTarget(resources.backBuffer);
    }
    if (gFieldEvent == 0) return;
    if (gMessageMode >= 1 && gMessageMode <= 3) drawMessageWindow(resources, device, 0);
    if (gMoneyWindow != 0) drawMoneyWindow(resources, device);
    if (gLayer2HasText == 1 && resources.sprite && resources.layer2Target) {
        const gfx::Vec2 shadowAt{1.0f, 1.0f};
        const gfx::Vec2 at{0.0f, 0.0f};
        resources.sprite->begin();
        resources.sprite->draw(resources.layer2Target.get(), nullptr, nullptr, nullptr, 0.0f, &shadowAt, 0xCC333333u);
        resources.sprite->draw(resources.layer2Target.get(), nullptr, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        resources.sprite->end();
    }
}

}  // namespace

void runField(GraphicsResources& resources, gfx::Device* device) {
    // Only a frame of scene 0 moves anything; every other pass (the snapshot,
    // the battle transition, the title and load screens, the staff roll)
    // draws the field as it stands.
    const bool logic = gScene == 0;
    if (logic && gRedrawRequest[0] == 1 && device != nullptr && resources.layer2Target) {
        device->setRenderTarget(resources.layer2Target.get());
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0x00000000u, 1.0f, 0);
        gLayer2HasText = 0;
        device->setRenderTarget(resources.backBuffer);
    }
    updateCamera(resources, device);

    int moved = 0;
    if (gEventPicture != 0) {
        drawEventPicture(resources, device);
    } else {
        if (device != nullptr) clearField(device);
        drawFieldTerrain(resources, device);
        runMapEditor(resources, device);
        if (logic) {
            moved = stepFieldPlayer();
            if (gScene == 200 && device != nullptr) {
                // The camp menu shows the first portrait sheet.
                readPortraitSheet(resources, device, 347);
            }
        }
        if (gScene != 1001 && gScene != 1002) objectsAndChests(resources, device, logic);
        drawMarkers(resources, device);
    }
    if (gScene != 0) return;

    if (device != nullptr) device->setRenderTarget(resources.backBuffer);
    drawStillPicture(resources, device);
    bool staffRollStarted = false;
    eventStep(resources, device, staffRollStarted);
    if (staffRollStarted) return;
    if (gFieldEvent == 0 && gNewsTickerOn == 1) drawNewsTicker(resources, device);
    if (gStoneBannerShown == 1) drawPictureAt(resources, resources.stoneBanner.get(), nullptr, 64.0f, 340.0f, 0xFFFFFFFFu);
    if (gScene == 0) rekeyFieldCamera(resources, moved);
    if (++gFieldTick > 6) gFieldTick = 0;
    endTextLayerFrame();
    if (gScene != 0) completeFieldSceneChange(resources, device);
}

void rekeyFieldCamera(GraphicsResources& resources, int moved) {
    if (!resources.cameraTrack) return;
    KeyframeTrack& track = *resources.cameraTrack;
    const std::uint32_t now = gMillisecondClock();
    float channel0 = 0.0f;
    int finished = 0;
    float channels[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    track.evaluateTrack(now, &channel0, &finished, channels);
    const float mode = channels[5];
    const bool fieldMode = mode == 1.0f || mode == 2.0f;
    if (moved != 1 && fieldMode && gCameraSnap == 0) return;

    track.setKeyCount(2);
    const float* start = fieldMode ? channels : gCameraTarget;
    const float* target = gCameraTarget;
    const float distance = gDebugMode == 1 ? 20.0f : 10.0f;
    const float keyMode = gDebugMode == 1 ? 2.0f : 1.0f;
    track.setKey(0, 0.0f, 0.0f, start[0], start[1], start[2], distance, 0.0f, keyMode);
    track.setKey(1, 1.0f, 0.0f, target[0], target[1], target[2], distance, 0.0f, keyMode);
    if (gCameraSnap == 2) {
        // A cut: both keys on the target.
        track.setKey(0, 0.0f, 0.0f, target[0], target[1], target[2], 10.0f, 0.0f, 1.0f);
        track.setKey(1, 1.0f, 0.0f, target[0], target[1], target[2], 10.0f, 0.0f, 1.0f);
    }
    if (gCameraGlide != 0) {
        track.setTrackDuration(static_cast<std::uint32_t>(gCameraGlide) * 100u);
        gCameraGlide = 0;
    } else {
        track.setTrackDuration(300);
    }
    track.setTrackLooping(0);
    track.setTrackStart(now);
    gCameraSnap = 0;
}

void placePlayerOnArrival(int row, int col) {
    const float shear = shearOf(col);
    gPlayerPos[0] = static_cast<float>(row) + shear + 0.5f;
    gPlayerPos[2] = static_cast<float>(static_cast<double>(shear) + 0.3535533905);
    gPlayerPos[1] = mapCell(row, col).height;
    gCameraTarget[0] = gPlayerPos[0];
    gCameraTarget[1] = gPlayerPos[1];
    gCameraTarget[2] = gPlayerPos[2];
}

void completeFieldSceneChange(GraphicsResources& resources, gfx::Device* device) {
    // The snapshot shows the flags and visibility of the last map-change
    // request, whether or not a change is pending.
    static std::uint8_t keptFlags[1000];
    std::memcpy(keptFlags, gStoryFlags, sizeof keptFlags);
    const std::uint8_t keptVisible = gPlayerVisible;
    std::memcpy(gStoryFlags, gPendingMapChange.storyFlags, sizeof keptFlags);
    gPlayerVisible = gPendingMapChange.playerVisible;

    if (device != nullptr && resources.layer1Target) {
        device->setRenderTarget(resources.layer1Target.get());
        runField(resources, device);
        // Back to the back buffer, so the next frame's clear does not wipe
        // the snapshot.
        device->setRenderTarget(resources.backBuffer);
    }

    gRedrawRequest[0] = 1;
    gRedrawRequest[1] = 1;
    gPlayerVisible = keptVisible;
    std::memcpy(gStoryFlags, keptFlags, sizeof keptFlags);

    if (gPendingMapChange.pending == 1) {
        gFieldEvent = 0;
        loadMap(gPendingMapChange.map);
        setUpCurrentMap(1);
        placePlayerOnArrival(gPendingMapChange.row, gPendingMapChange.col);
        if (gPendingMapChange.facing != 9) gPlayerFacing = static_cast<std::uint8_t>(gPendingMapChange.facing);
        if (gStoryFlags[903] == 1) {
            // Arrival from above: the player falls in.
            gPlayerPos[1] += 20.0f;
            gCameraTarget[1] += 20.0f;
            gStoryFlags[903] = 0;
        }
    }
    gPictureLoaded = 0;
    gEventPicture = 0;
    gTransitionFrame = 0;
    gPendingMapChange.pending = 0;
}
