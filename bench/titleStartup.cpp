// Start-up to the title: the game's own start-up and main loop, as the game
// runs them (window, device, sound, data, the title's frames), timed from
// main to the first frame presented and finished, then the process's memory
// after a stretch of seconds at the title.
//
//   first frame   main to the end of the first frame (its pictures read,
//                 its draw states compiled, the rasteriser finished), and
//                 the main thread's CPU time to then
//   rss           resident memory at the title, libraries' code included
//   private       the process's own memory (heap, stacks, relocated tables):
//                 what it costs the machine beyond the shared library code
//   steps         each start-up step's own wall and main-thread milliseconds,
//                 in the game's order, up to the first frame's end
//
// One run is one start-up; run it several times and quote the medians.
//
//   titleStartup [game folder] [seconds at the title]   (defaults: build/game, 3)
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <time.h>

#include "engine/GraphicsResources.h"
#include "engine/MainLoop.h"
#include "engine/RenderFrame.h"
#include "programs/GameHooks.h"

namespace {

double wallMs() {
    timespec t{};
    clock_gettime(CLOCK_MONOTONIC, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

// The main thread's own CPU time: on a busy machine the wall clock waits on
// other programs, this does not (with LP_NUM_THREADS=0 the rasteriser's work
// is in it too).
double threadCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return t.tv_sec * 1000.0 + t.tv_nsec / 1e6;
}

double gStart = 0;

// Each start-up step's end (wall and main-thread CPU since main), printed as
// one breakdown line: what each step cost.
struct StepMark {
    const char* name;
    double wall;
    double cpu;
};
StepMark gSteps[24];
int gStepCount = 0;

void markStep(const char* name) {
    if (gStepCount < 24) gSteps[gStepCount++] = StepMark{name, wallMs() - gStart, threadCpuMs()};
}
double gFirstFrameMs = -1;
double gFirstFrameCpuMs = -1;
int gFrames = 0;

void renderAndTime(gfx::Device* device, GraphicsResources* resources) {
    if (gFirstFrameMs < 0) markStep("passes before the first frame");
    renderFrame(device, resources);
    ++gFrames;
    if (gFirstFrameMs < 0) {
        markStep("first frame drawn");
        device->finish();
        markStep("first frame finished");
        gFirstFrameMs = wallMs() - gStart;
        gFirstFrameCpuMs = threadCpuMs();
    }
}

// A figure of /proc/self/smaps_rollup in megabytes (its lines read "Name:  123 kB").
double rollupMb(const char* name) {
    std::FILE* f = std::fopen("/proc/self/smaps_rollup", "r");
    if (f == nullptr) return -1;
    char line[256];
    double kb = -1;
    const std::size_t length = std::strlen(name);
    while (std::fgets(line, sizeof line, f) != nullptr) {
        if (std::strncmp(line, name, length) == 0 && line[length] == ':') kb = std::atof(line + length + 1);
    }
    std::fclose(f);
    return kb < 0 ? -1 : kb / 1024.0;
}

}  // namespace

int main(int argc, char** argv) {
    gStart = wallMs();
    const char* folder = argc > 1 ? argv[1] : "build/game";
    const double seconds = argc > 2 ? std::atof(argv[2]) : 3.0;
    if (chdir(folder) != 0) {
        std::fprintf(stderr, "titleStartup: no game folder %s\n", folder);
        return 1;
    }
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    installInputHooks();
    StartupOptions options;
    setGameStartup(options);
    options.singleInstance = false;  // beside a running game all the same
    options.stepDone = markStep;
    markStep("main");
    GameSession session;
    int exitCode = 0;
    if (!startGame(options, session, &exitCode)) {
        tearDownGame(session);
        std::fprintf(stderr, "titleStartup: the game did not start (%d)\n", exitCode);
        return 1;
    }
    const double started = wallMs() - gStart;
    LoopServices services = gameLoopServices();
    services.renderFrame = renderAndTime;
    while (gFirstFrameMs < 0 || wallMs() - gStart < gFirstFrameMs + seconds * 1000.0) {
        const PassOutcome outcome = runMainLoopPass(services, session.device.getDevice(), session.resources.get());
        if (outcome.quit) break;
    }
    const double rss = rollupMb("Rss"), anonymous = rollupMb("Anonymous");
    const double privateDirty = rollupMb("Private_Dirty");
    std::printf("start-up (main to the loop)   %8.1f ms\n", started);
    std::printf("first frame (main to its end) %8.1f ms (%.1f ms of the main thread's CPU)\n", gFirstFrameMs,
                gFirstFrameCpuMs);
    std::printf("at the title after %.1f s: resident %.1f MB, private %.1f MB (anonymous %.1f MB), %d frames\n",
                seconds, rss, privateDirty, anonymous, gFrames);
    // The breakdown: each step's own wall and CPU milliseconds.
    std::printf("steps (wall / main thread's CPU, ms):\n");
    for (int i = 1; i < gStepCount; ++i) {
        std::printf("  %-32s %7.1f / %6.1f\n", gSteps[i].name, gSteps[i].wall - gSteps[i - 1].wall,
                    gSteps[i].cpu - gSteps[i - 1].cpu);
    }
    std::printf("summary bench=startup_steps");
    for (int i = 1; i < gStepCount; ++i) {
        std::printf(" ");
        for (const char* c = gSteps[i].name; *c != '\0'; ++c) std::putchar(*c == ' ' ? '_' : *c);
        std::printf("_ms=%.1f", gSteps[i].wall - gSteps[i - 1].wall);
    }
    std::printf("\n");
    std::printf("summary bench=startup startup_ms=%.1f first_frame_ms=%.1f first_frame_cpu_ms=%.1f rss_mb=%.1f "
                "private_mb=%.1f frames=%d\n",
                started, gFirstFrameMs, gFirstFrameCpuMs, rss, privateDirty, gFrames);
    tearDownGame(session);
    return 0;
}
