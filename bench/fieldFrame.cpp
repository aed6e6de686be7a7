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
// Usage: fieldFrame [game folder] [frames]   (defaults: build/game, 120)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <time.h>
#include <vector>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldState.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

// (<chrono> does not compile under the Shift-JIS execution character set.)
double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

std::uint32_t gBenchClock = 0;
std::uint32_t benchClock() { return gBenchClock; }

void report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("%-28s median %8.3f ms  mean %8.3f ms  max %8.3f ms  (%zu frames)\n", name, ms[ms.size() / 2],
                sum / ms.size(), ms.back(), ms.size());
}

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

std::vector<double> run(gfx::Device& device, const char* name, int frames, bool readBack, const std::function<void()>& draw) {
    std::vector<double> ms;
    std::vector<std::uint32_t> pixels;
    for (int f = 0; f < frames + 3; ++f) {
        gBenchClock += 16;
        const double start = nowMs();
        device.beginScene();
        device.clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
        draw();
        device.endScene();
        device.present();
        if (readBack) device.readBackBuffer(pixels);
        const double t = nowMs() - start;
        if (f >= 3) ms.push_back(t);  // the first frames upload and compile
    }
    report(name, ms);
    return ms;
}

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

void startField() {
    resetFieldState();
    resetTextLayers();
    buildFullMap();
    gScene = 0;
    gPlayerVisible = 1;
    gPlayerSpriteColumn = 0;
    placePlayerOnArrival(30, 24);
    gCameraSnap = 2;
}

void benchDevice(gfx::Device& device, GraphicsResources& resources, const char* label, int frames, bool readBack) {
    std::printf("-- %s\n", label);
    const std::vector<double> bare = run(device, "bare", frames, readBack, [] {});

    startField();
    int frame = 0;
    const std::vector<double> field = run(device, "field (walking)", frames, readBack, [&] {
        // Walk up and down the middle of the map, a second each way.
        gInputCode = (frame++ / 60) % 2 == 0 ? kInputRight : kInputLeft;
        gScene = 0;
        runField(resources, &device);
    });

    startField();
    gScene = 10;  // drawn behind another screen: no logic, no re-key
    resources.cameraTrack->setKeyCount(1);
    resources.cameraTrack->setKey(0, 0.0f, 0.0f, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2], 0.0f, 0.0f, 3.0f);
    const std::vector<double> whole = run(device, "whole map (no culling)", frames, readBack,
                                          [&] { runField(resources, &device); });
    gScene = 0;
    // The null device's bare frame costs next to nothing: no ratio there.
    if (median(bare) > 0.01) {
        std::printf("ratio field / bare %.2f, whole map / bare %.2f\n", median(field) / median(bare),
                    median(whole) / median(bare));
    }
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : "build/game";
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 120;
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "fieldFrame: no game folder %s\n", folder);
        return 1;
    }
    gMillisecondClock = benchClock;

    {
        auto device = gfx::createNullDevice(gfx::DeviceOptions{});
        GraphicsResources resources;
        if (createGraphicsResources(resources, device.get()) < 0) {
            // The null device loads no files: the shared quad, the sprite and
            // the camera are enough to run the field.
            resources.quadVertices = device->createVertexBuffer(4);
            resources.sprite = device->createSprite();
            if (!resources.cameraTrack) resources.cameraTrack = std::make_unique<KeyframeTrack>();
        }
        benchDevice(*device, resources, "null device", frames, false);
        releaseGraphicsResources(resources);
    }

    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::WindowOptions options;
    options.hidden = true;
    if (!window::openWindow(options)) {
        std::fprintf(stderr, "fieldFrame: no hidden window (SDL_VIDEODRIVER=offscreen)\n");
        return 1;
    }
    gfx::DeviceOptions deviceOptions;
    deviceOptions.paced = false;
    int result = 0;
    auto device = gfx::createGlDevice(deviceOptions, &result);
    if (!device) {
        std::fprintf(stderr, "fieldFrame: no OpenGL device (%d)\n", result);
        return 1;
    }
    GraphicsResources resources;
    if (createGraphicsResources(resources, device.get()) < 0) {
        std::fprintf(stderr, "fieldFrame: the graphics resources did not load from %s\n", folder);
        return 1;
    }
    benchDevice(*device, resources, "OpenGL device, headless", frames, true);
    releaseGraphicsResources(resources);
    device.reset();
    window::closeWindow();
    return 0;
}
