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

#include "bench/FrameTiming.h"
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

std::int64_t gFrames = 0;

void benchDevice(gfx::Device& device, GraphicsResources& resources, const char* label, const char* deviceName,
                 int frames, bool readBack) {
    std::printf("-- %s\n", label);
    const bench::FrameEnd end = readBack ? bench::FrameEnd::readBack : bench::FrameEnd::none;
    const auto tick = [] { ++gFrames; };
    const std::vector<double> bare = bench::timeFrames(device, "bare", frames, end, [] {}, tick);
    resetBoatRaceState();
    resetTextLayers();
    startBoatRace(3, 0, 0, 24, 1);
    gFrames += 4 * 60;  // past the countdown
    const std::vector<double> race = bench::timeFrames(
        device, "race (throttle held)", frames, end,
        [&] {
            gHeldInput[kHeldUp] = 1;
            gScene = kRaceScene;
            runBoatRace(resources, &device);
        },
        tick);
    bench::summary("race", deviceName, bare, race);
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
        bench::createNullResources(resources, *device);
        benchDevice(*device, resources, "null device", "null", frames, false);
        releaseGraphicsResources(resources);
    }

    auto device = bench::openHeadlessGlDevice("boatRaceFrame");
    if (!device) return 1;
    GraphicsResources resources;
    if (createGraphicsResources(resources, device.get()) < 0) {
        std::fprintf(stderr, "boatRaceFrame: the graphics resources did not load from %s\n", folder);
        return 1;
    }
    benchDevice(*device, resources, "OpenGL device", "gl", frames, true);
    releaseGraphicsResources(resources);
    window::closeWindow();
    return 0;
}
