// A field on the test room (tests/fixtures/maps/room.map) on the null
// device: the map compiled into the arrays, the field state clean, the clock
// and the event step under the test's control.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>

#include "engine/Camera.h"
#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "platform/Gfx.h"
#include "tools/mapc/MapSource.h"

namespace fieldtest {

inline std::uint32_t gTestClock = 0;
inline std::uint32_t testClock() { return gTestClock; }

// The event step of these tests: the event shows for one step, then ends.
inline void oneStepEvent() {
    if (gEventStep >= 1) {
        gFieldEvent = 0;
        gEventStep = 0;
        return;
    }
    ++gEventStep;
}

inline void resetFieldWorld() {
    resetFieldState();
    resetGameDataState();
    resetFieldMap();
    resetInput();
    resetConfig();
    resetTextLayers();
    gScene = 0;
    gFieldEvent = 0;
    gEventStep = 0;
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    std::memset(&gPendingMapChange, 0, sizeof gPendingMapChange);
    std::memset(gMoveQueues, 0, sizeof gMoveQueues);
    gMoveIndex = 0;
    gMessageMode = 0;
    gCampMenuAllowed = 0;
    gDebugMode = 0;
    gEditorPage = 0;
    gInBattle = 0;
    gTestClock = 1000;
    gMillisecondClock = testClock;
    gFieldEventRunner = oneStepEvent;
}

inline bool loadRoom() {
    const mapsource::MapSource map =
        mapsource::loadMapSourceFile(std::string(CORVADINE_SOURCE_DIR) + "/tests/fixtures/maps/room.map");
    if (!map.errors.empty()) return false;
    mapsource::compileMapSource(map);
    // A number no story map has: the per-map scripts leave the room alone.
    gCurrentMap = 200;
    return true;
}

inline void cellOfPlayer(int& row, int& col) {
    int cell[3];
    worldToCell(gPlayerPos, cell);
    row = cell[0];
    col = cell[2];
}

struct FieldTest : ::testing::Test {
    std::unique_ptr<gfx::Device> device;
    GraphicsResources resources;

    void SetUp() override {
        resetFieldWorld();
        ASSERT_TRUE(loadRoom());
        device = gfx::createNullDevice(gfx::DeviceOptions{});
        resources.cameraTrack = std::make_unique<KeyframeTrack>();
        resources.quadVertices = device->createVertexBuffer(4);
        resources.sprite = device->createSprite();
        resources.layer1Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
        resources.layer2Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
        gPlayerVisible = 1;
        placePlayerOnArrival(14, 14);
    }
    void TearDown() override {
        gMillisecondClock = timeGetTimeMs;
        gFieldEventRunner = runCurrentMapEvent;
    }

    // One field frame with this input code held.
    void frame(int input = 0) {
        gInputCode = input;
        gTestClock += 16;
        runField(resources, device.get());
    }
    // Frames with the input until `done` holds; false when the budget ran out.
    template <typename Done>
    bool framesUntil(int input, int budget, Done done) {
        for (int i = 0; i < budget; ++i) {
            frame(input);
            if (done()) return true;
        }
        return false;
    }
    // Lets the player settle on the floor.
    void settle() {
        for (int i = 0; i < 120 && (gPlayerVSpeed != 0.0f || gPlayerPos[1] != floorUnderPlayer()); ++i) frame(0);
    }
    static float floorUnderPlayer() {
        int row, col;
        cellOfPlayer(row, col);
        return mapCell(row, col).height;
    }
    static void putObject(int slot, std::uint8_t kind, int index = 0) {
        gMapObjects[slot].present = 1;
        gMapObjects[slot].kind = kind;
        gMapObjects[slot].index = index;
        gMapObjects[slot].visible = 1;
    }
};

}  // namespace fieldtest
