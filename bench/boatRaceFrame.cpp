// Frame times of the boat race: one whole race frame (logic, 900 terrain
// cells, obstacles, the boat, the HUD) on the hard course, through the
// OpenGL device headless and through the null device, beside a bare
// clear-and-present frame measured in the same run. Every GL frame ends by
// reading the back buffer, which waits for the GPU: the bare frame pays the
// same read, so the ratio race / bare is the figure to watch.
//
// Usage: boatRaceFrame [game folder] [frames]   (defaults: build/game, 240)
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <time.h>
#include <vector>

#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "minigames/BoatRace.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

// (<chrono> does not compile under the Shift-JIS execution character set.)
double nowMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

std::int64_t gFrames = 0;

double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

std::vector<double> run(gfx::Device& device, const char* name, int frames, bool readBack, const std::function<void()>& draw) {
    std::vector<double> ms;
    std::vector<std::uint32_t> pixels;
    for (int f = 0; f < frames + 3; ++f) {
        ++gFrames;
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
    std::vector<double> sorted = ms;
    std::sort(sorted.begin(), sorted.end());
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("%-24s median %8.3f ms  mean %8.3f ms  max %8.3f ms  (%zu frames)\n", name, sorted[sorted.size() / 2],
                sum / ms.size(), sorted.back(), ms.size());
    return ms;
}

void benchDevice(gfx::Device& device, GraphicsResources& resources, const char* label, int frames, bool readBack) {
    std::printf("-- %s\n", label);
    const std::vector<double> bare = run(device, "bare", frames, readBack, [] {});
    resetBoatRaceState();
    resetTextLayers();
    startBoatRace(3, 0, 0, 24, 1);
    gFrames += 4 * 60;  // past the countdown
    const std::vector<double> race = run(device, "race (throttle held)", frames, readBack, [&] {
        gHeldInput[kHeldUp] = 1;
        gScene = kRaceScene;
        runBoatRace(resources, &device);
    });
    if (median(bare) > 0.01) std::printf("ratio race / bare %.2f\n", median(race) / median(bare));
}

}  // namespace

int main(int argc, char** argv) {
    const char* folder = argc > 1 ? argv[1] : "build/game";
    const int frames = argc > 2 ? std::max(1, std::atoi(argv[2])) : 240;
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "boatRaceFrame: no game folder %s\n", folder);
        return 1;
    }
    timing::setCalendarClock([] { return std::int64_t{1800000000} + gFrames / 60; });

    {
        auto device = gfx::createNullDevice(gfx::DeviceOptions{});
        GraphicsResources resources;
        if (createGraphicsResources(resources, device.get()) < 0) {
            resources.quadVertices = device->createVertexBuffer(4);
            resources.sprite = device->createSprite();
        }
        benchDevice(*device, resources, "null device", frames, false);
        releaseGraphicsResources(resources);
    }

    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::WindowOptions options;
    options.hidden = true;
    if (!window::openWindow(options)) {
        std::fprintf(stderr, "boatRaceFrame: no hidden window (SDL_VIDEODRIVER=offscreen)\n");
        return 1;
    }
    gfx::DeviceOptions deviceOptions;
    deviceOptions.paced = false;
    int result = 0;
    auto device = gfx::createGlDevice(deviceOptions, &result);
    if (!device) {
        std::fprintf(stderr, "boatRaceFrame: no OpenGL device (%d)\n", result);
        return 1;
    }
    GraphicsResources resources;
    if (createGraphicsResources(resources, device.get()) < 0) {
        std::fprintf(stderr, "boatRaceFrame: the graphics resources did not load from %s\n", folder);
        return 1;
    }
    benchDevice(*device, resources, "OpenGL device", frames, true);
    releaseGraphicsResources(resources);
    window::closeWindow();
    return 0;
}
