// What the frame benches share: a monotonic millisecond clock, the timing
// loop of whole frames with its report, and the two devices they measure on
// (the null device with the few resources it can hold, and the OpenGL device
// in a hidden offscreen window, unpaced).
#pragma once

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <time.h>
#include <vector>

#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "platform/Gfx.h"
#include "platform/Window.h"

namespace bench {

// (<chrono> does not compile under the Shift-JIS execution character set.)
// With BENCH_THREAD_CPU set, frames are timed by the main thread's CPU time:
// steadier than the wall clock on a busy machine, and with LP_NUM_THREADS=0
// (Mesa's rasteriser working in the calling thread) the whole frame's work.
inline double nowMs() {
    timespec t{};
    clock_gettime(std::getenv("BENCH_THREAD_CPU") ? CLOCK_THREAD_CPUTIME_ID : CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

inline double median(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

// The frame time that 99 frames in 100 stay within (nearest rank).
inline double percentile99(std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    const std::size_t rank = (ms.size() * 99 + 99) / 100;  // ceil(0.99 n), at least 1
    return ms[std::min(ms.size(), std::max<std::size_t>(rank, 1)) - 1];
}

inline double worst(const std::vector<double>& ms) { return *std::max_element(ms.begin(), ms.end()); }

inline void report(const char* name, std::vector<double> ms) {
    std::sort(ms.begin(), ms.end());
    double sum = 0;
    for (double m : ms) sum += m;
    std::printf("%-28s median %8.3f ms  mean %8.3f ms  p99 %8.3f ms  max %8.3f ms  (%zu frames)\n", name,
                ms[ms.size() / 2], sum / ms.size(), percentile99(ms), ms.back(), ms.size());
}

// The one machine-readable line a bench gives for each measured frame kind,
// beside the bare frame of the same device and run:
//   summary bench=field device=gl frames=300 bare_ms=1.10 median_ms=4.10 p99_ms=6.20 worst_ms=7.90 ratio=3.73
// (ratio is the median over the bare median; absent on the null device,
// whose bare frame costs next to nothing).
inline void summary(const char* bench, const char* device, const std::vector<double>& bare,
                    const std::vector<double>& ms) {
    const double bareMedian = median(bare);
    std::printf("summary bench=%s device=%s frames=%zu bare_ms=%.3f median_ms=%.3f p99_ms=%.3f worst_ms=%.3f", bench,
                device, ms.size(), bareMedian, median(ms), percentile99(ms), worst(ms));
    if (bareMedian > 0.01) std::printf(" ratio=%.2f", median(ms) / bareMedian);
    std::printf("\n");
}

// How a timed frame waits for the device before the clock stops: not at
// all (the null device), by reading the back buffer back, or by finishing.
enum class FrameEnd { none, readBack, finish };

// Times `frames` whole frames (clear, draw, present) after three untimed ones
// that upload and compile; `beforeFrame` advances the bench's own clock.
inline std::vector<double> timeFrames(gfx::Device& device, const char* name, int frames, FrameEnd end,
                                      const std::function<void()>& draw,
                                      const std::function<void()>& beforeFrame = [] {}) {
    std::vector<double> ms;
    std::vector<std::uint32_t> pixels;
    const bool eachFrame = std::getenv("BENCH_EACH_FRAME") != nullptr;
    for (int f = 0; f < frames + 3; ++f) {
        beforeFrame();
        const double start = nowMs();
        device.beginScene();
        device.clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
        draw();
        device.endScene();
        device.present();
        if (end == FrameEnd::readBack) device.readBackBuffer(pixels);
        if (end == FrameEnd::finish) device.finish();
        const double t = nowMs() - start;
        if (f >= 3) ms.push_back(t);
        if (eachFrame) std::printf("  %s frame %d: %.2f ms\n", name, f, t);
    }
    report(name, ms);
    return ms;
}

// Frames drawn and not timed: the fade or transition that precedes a
// screen in the game, while its pictures are read ahead (prefetch). They
// draw bare frames, so the screen's own frames are the same with or without.
// Each lasts a 60th of a second, as the game's paced fade does: unpaced, the
// whole fade was over in some 30 ms, before the reader had the pictures, and
// the screen's first timed frames uploaded them one a frame and trimmed the
// heap a second later, which the game's screen never does.
inline void untimedFrames(gfx::Device& device, int frames) {
    std::vector<std::uint32_t> pixels;
    for (int f = 0; f < frames; ++f) {
        timespec start{};
        clock_gettime(CLOCK_MONOTONIC, &start);
        device.beginScene();
        device.clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
        device.endScene();
        device.present();
        device.readBackBuffer(pixels);
        timespec end{start.tv_sec, start.tv_nsec + 16666667L};
        if (end.tv_nsec >= 1000000000L) {
            end.tv_sec += 1;
            end.tv_nsec -= 1000000000L;
        }
        while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &end, nullptr) == EINTR) {
        }
    }
}

// The resources a null device can hold when the files do not load into it:
// the shared quad, the sprite and the camera track.
inline void createNullResources(GraphicsResources& resources, gfx::Device& device) {
    if (createGraphicsResources(resources, &device) >= 0) return;
    resources.quadVertices = device.createVertexBuffer(4);
    resources.sprite = device.createSprite();
    if (!resources.cameraTrack) resources.cameraTrack = std::make_unique<KeyframeTrack>();
}

// A hidden offscreen window and an unpaced OpenGL device in it; nullptr with
// the reason on stderr.
inline std::unique_ptr<gfx::Device> openHeadlessGlDevice(const char* program) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::WindowOptions options;
    options.titleCp932 = program;
    options.hidden = true;
    if (!window::openWindow(options)) {
        std::fprintf(stderr, "%s: no hidden window (SDL_VIDEODRIVER=offscreen)\n", program);
        return nullptr;
    }
    gfx::DeviceOptions deviceOptions;
    deviceOptions.paced = false;
    int result = 0;
    auto device = gfx::createGlDevice(deviceOptions, &result);
    if (!device) std::fprintf(stderr, "%s: no OpenGL device (%d)\n", program, result);
    return device;
}

}  // namespace bench
