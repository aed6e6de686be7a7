// Frame times of the field: one whole field frame (logic and drawing) on a
// full 60 x 60 map, through the OpenGL device headless (SDL offscreen; Mesa's
// software rasteriser where there is no GPU) and through the null device,
// beside a bare clear-and-present frame measured in the same run. Every GL
// frame ends by reading the back buffer, which waits for the GPU: the bare
// frame pays the same read, so the ratio field / bare is the figure to watch.
//
//   bare          clear and present
//   field         a scene-0 frame: the player walking, the camera trailing
//                 (the field's own culling applies)
//   whole map     the field drawn behind another screen with the orbit
//                 camera: no culling, every floor and wall of the map
//
// Given a map number, the same frames run on that map of the game folder
// with its arrival set-up (townspeople and all) and the news ticker on:
// map 2, the sea district, is the busiest.
//
// Usage: fieldFrame [game folder] [frames] [map]   (defaults: build/game, 120, the full map)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <time.h>
#include <vector>

#include "bench/FrameTiming.h"
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/FieldEntry.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldState.h"
#include "field/Transitions.h"
#include "field/NewsTicker.h"
#include "gamedata/GameData.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

std::uint32_t gBenchClock = 0;
int gBenchMap = -1;  // a map of the game folder, or -1 for the full map
std::uint32_t benchClock() { return gBenchClock; }

// A full map: every cell floored and drawn, heights and tiles varied so that
// walls step between neighbours, objects scattered, a few chests.
void buildFullMap() {
    resetFieldMap();
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            MapCell& cell = gMapCells[r][c];
            cell.height = 1.0f + static_cast<float>((r * 7 + c * 13) % 5) * 0.25f;
            cell.floorColumn = (r / 3 + c / 4) % 8;
            cell.floorRow = (r + c) % 3;
            cell.wallColumn = 1 + (r / 6) % 3;
            cell.wallRow = 2;
        }
    }
    for (int slot = 0; slot < 40; ++slot) {
        MapObject& object = gMapObjects[slot];
        const int row = 20 + (slot * 7) % 20;
        const int col = 25 + (slot * 3) % 20;
        gObjectCells[slot][0] = static_cast<std::uint8_t>(row);
        gObjectCells[slot][1] = static_cast<std::uint8_t>(col);
        float centre[3];
        cellCentre(row, col, centre);
        object.present = 1;
        object.visible = 1;
        object.x = centre[0];
        object.y = centre[1];
        object.z = centre[2];
        object.kind = slot % 8 == 0 ? kObjectChest : 0;
        object.index = slot;
        object.height = 1.8f;
        object.character = slot % 60;
        object.pose = slot % 4;
        object.facing = static_cast<std::uint8_t>(slot % 2);
    }
    gCurrentMap = 200;
}

// The field's set-up, then the frames of the fade before it, in which the
// field's pictures are read (prefetch).
void startField(GraphicsResources& resources, gfx::Device& device) {
    resetFieldState();
    resetTextLayers();
    prefetchFieldPictures(resources, &device);
    bench::untimedFrames(device, kFadeInFrames);
    if (gBenchMap >= 0) {
        enterFieldOnMap(gBenchMap, -1, -1);
        gNewsTickerOn = 1;
        gTickerPos = 0;
        gTickerSlot = 0;
        return;
    }
    buildFullMap();
    gScene = 0;
    gPlayerVisible = 1;
    gPlayerSpriteColumn = 0;
    placePlayerOnArrival(30, 24);
    gCameraSnap = 2;
}

void benchDevice(gfx::Device& device, GraphicsResources& resources, const char* label, const char* deviceName,
                 int frames, bool readBack) {
    std::printf("-- %s\n", label);
    const bench::FrameEnd end = readBack ? bench::FrameEnd::readBack : bench::FrameEnd::none;
    const auto tick = [] { gBenchClock += 16; };
    const std::vector<double> bare = bench::timeFrames(device, "bare", frames, end, [] {}, tick);

    startField(resources, device);
    int frame = 0;
    const std::vector<double> field = bench::timeFrames(
        device, "field (walking)", frames, end,
        [&] {
            // Walk up and down the middle of the map, a second each way.
            gInputCode = (frame++ / 60) % 2 == 0 ? kInputRight : kInputLeft;
            gScene = 0;
            runField(resources, &device);
        },
        tick);

    startField(resources, device);
    gScene = 10;  // drawn behind another screen: no logic, no re-key
    resources.cameraTrack->setKeyCount(1);
    resources.cameraTrack->setKey(0, 0.0f, 0.0f, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2], 0.0f, 0.0f, 3.0f);
    const std::vector<double> whole =
        bench::timeFrames(device, "whole map (no culling)", frames, end, [&] { runField(resources, &device); }, tick);
    gScene = 0;
    const bool fullMap = gBenchMap < 0;
    bench::summary(fullMap ? "field" : "field-map", deviceName, bare, field);
    bench::summary(fullMap ? "field-whole-map" : "field-map-whole", deviceName, bare, whole);
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : "build/game";
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 120;
    gBenchMap = argc > 3 ? std::atoi(argv[3]) : -1;
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "fieldFrame: no game folder %s\n", folder);
        return 1;
    }
    gMillisecondClock = benchClock;
    if (gBenchMap >= 0 && loadGameData() != 0) {
        std::fprintf(stderr, "fieldFrame: no Data.dat in %s\n", folder);
        return 1;
    }

    {
        auto device = gfx::createNullDevice(gfx::DeviceOptions{});
        GraphicsResources resources;
        bench::createNullResources(resources, *device);  // enough to run the field
        benchDevice(*device, resources, "null device", "null", frames, false);
        releaseGraphicsResources(resources);
    }

    auto device = bench::openHeadlessGlDevice("fieldFrame");
    if (!device) return 1;
    GraphicsResources resources;
    if (createGraphicsResources(resources, device.get()) < 0) {
        std::fprintf(stderr, "fieldFrame: the graphics resources did not load from %s\n", folder);
        return 1;
    }
    benchDevice(*device, resources, "OpenGL device, headless", "gl", frames, true);
    releaseGraphicsResources(resources);
    device.reset();
    window::closeWindow();
    return 0;
}
