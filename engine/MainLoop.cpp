#include "engine/MainLoop.h"

#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/RenderFrame.h"

namespace {

bool windowShowsFrames() { return !window::isWindowMinimisedOrHidden(); }

}  // namespace

LoopServices gameLoopServices() {
    LoopServices services{};
    services.takeEvent = app::takeEvent;
    services.pollInput = pollInput;
    services.windowShowsFrames = windowShowsFrames;
    services.renderFrame = renderFrame;
    services.sleep = app::sleepMilliseconds;
    services.updateMusic = updateMusic;
    services.sleepMilliseconds = 2;
    return services;
}

PassOutcome runMainLoopPass(const LoopServices& services, gfx::Device* device, GraphicsResources* resources) {
    PassOutcome outcome;
    app::Event event;
    if (services.takeEvent(event)) {
        outcome.tookEvent = true;
        switch (event.kind) {
        case app::EventKind::Quit:
            // The loop ends here: no sleep, no music step.
            outcome.quit = true;
            outcome.exitCode = event.exitCode;
            return outcome;
        case app::EventKind::Activated: setWindowActive(true); break;
        case app::EventKind::Deactivated: setWindowActive(false); break;
        default: break;
        }
    } else {
        services.pollInput();
        if (services.windowShowsFrames()) {
            services.renderFrame(device, resources);
            outcome.rendered = true;
        }
    }
    services.sleep(services.sleepMilliseconds);
    services.updateMusic();
    return outcome;
}

int runMainLoop(const LoopServices& services, gfx::Device* device, GraphicsResources* resources) {
    for (;;) {
        const PassOutcome outcome = runMainLoopPass(services, device, resources);
        if (outcome.quit) return outcome.exitCode;
    }
}
