#include "platform/App.h"

#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/InputDevices.h"
#include "platform/Text.h"

namespace devices {
// platform/sdl/InputDevices.cpp: the key a scancode stands for, or Count.
Key keyForScancode(SDL_Scancode scancode);
}  // namespace devices

namespace app {
namespace {

bool gInitialised = false;
bool gVideo = false;
bool gHeadless = false;
bool gQuitPending = false;
int gQuitCode = 0;
std::function<void(const std::string&, const std::string&)> gBoxObserver;

bool driverCannotShow(const char* name) {
    return name != nullptr && (std::strcmp(name, "offscreen") == 0 || std::strcmp(name, "dummy") == 0);
}

// Before SDL is started: what the environment says about a display.
bool environmentIsHeadless() {
    if (driverCannotShow(std::getenv("SDL_VIDEODRIVER"))) return true;
    return std::getenv("DISPLAY") == nullptr && std::getenv("WAYLAND_DISPLAY") == nullptr;
}

// Events of devices that are polled would starve the frames when taken one
// per pass: they are never queued.
void ignoreFloodingEvents() {
    const Uint32 kinds[] = {
        SDL_MOUSEMOTION, SDL_MOUSEWHEEL, SDL_FINGERMOTION,
        SDL_JOYAXISMOTION, SDL_JOYBALLMOTION, SDL_JOYHATMOTION, SDL_JOYBUTTONDOWN, SDL_JOYBUTTONUP,
        SDL_CONTROLLERAXISMOTION, SDL_CONTROLLERBUTTONDOWN, SDL_CONTROLLERBUTTONUP,
        SDL_CONTROLLERTOUCHPADMOTION, SDL_CONTROLLERSENSORUPDATE, SDL_SENSORUPDATE,
        // Every key press would come twice more as text: keys are keys here.
        SDL_TEXTINPUT, SDL_TEXTEDITING,
        // Nothing reads the audio devices' comings and goings; each opened
        // device's arrival would otherwise cost a pass of the loop (and its
        // sleep) before the first frame.
        SDL_AUDIODEVICEADDED, SDL_AUDIODEVICEREMOVED,
    };
    for (Uint32 kind : kinds) SDL_EventState(kind, SDL_IGNORE);
}

}  // namespace

bool initialise(const AppOptions& options) {
    if (gInitialised) return true;
    // A controller is read only while the game says its window is active
    // (engine input); SDL should not drop its state when the window it
    // knows of is hidden or unfocused, as in headless runs.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    if (SDL_Init(SDL_INIT_EVENTS) != 0) {
        std::fprintf(stderr, "corvadine: cannot start SDL events: %s\n", SDL_GetError());
        return false;
    }
    gVideo = false;
    if (options.video) {
        if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) {
            gVideo = true;
        } else {
            std::fprintf(stderr, "corvadine: cannot start SDL video: %s\n", SDL_GetError());
        }
    }
    // No controller subsystem is fine: the keyboard alone serves.
    SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);
    ignoreFloodingEvents();
    gHeadless = options.headless || !gVideo || driverCannotShow(SDL_GetCurrentVideoDriver());
    gQuitPending = false;
    gInitialised = true;
    return true;
}

void shutdown() {
    if (!gInitialised) return;
    devices::closeController();
    SDL_Quit();
    gInitialised = false;
    gVideo = false;
}

bool isHeadless() { return gInitialised ? gHeadless : environmentIsHeadless(); }

bool takeEvent(Event& event) {
    if (gQuitPending) {
        gQuitPending = false;
        event.kind = EventKind::Quit;
        event.exitCode = gQuitCode;
        return true;
    }
    if (!gInitialised) return false;
    SDL_Event e;
    if (SDL_PollEvent(&e) == 0) return false;
    event = Event{};
    switch (e.type) {
    case SDL_QUIT:
        event.kind = EventKind::Quit;
        event.exitCode = 0;
        break;
    case SDL_KEYDOWN:
    case SDL_KEYUP: {
        const bool down = e.type == SDL_KEYDOWN;
        const devices::Key key = devices::keyForScancode(e.key.keysym.scancode);
        if (key != devices::Key::Count) devices::setKeyHeld(key, down);
        event.kind = down ? EventKind::KeyDown : EventKind::KeyUp;
        break;
    }
    case SDL_WINDOWEVENT:
        switch (e.window.event) {
        case SDL_WINDOWEVENT_FOCUS_GAINED: event.kind = EventKind::Activated; break;
        case SDL_WINDOWEVENT_FOCUS_LOST: event.kind = EventKind::Deactivated; break;
        case SDL_WINDOWEVENT_HIDDEN:
        case SDL_WINDOWEVENT_MINIMIZED: event.kind = EventKind::Hidden; break;
        case SDL_WINDOWEVENT_SHOWN:
        case SDL_WINDOWEVENT_RESTORED:
        case SDL_WINDOWEVENT_MAXIMIZED: event.kind = EventKind::Shown; break;
        default: break;
        }
        break;
    default:
        break;
    }
    return true;
}

void postQuit(int exitCode) {
    gQuitPending = true;
    gQuitCode = exitCode;
}

void showMessageBox(const char* textCp932, const char* captionCp932) {
    if (gBoxObserver) {
        gBoxObserver(textCp932 != nullptr ? textCp932 : "", captionCp932 != nullptr ? captionCp932 : "");
        return;
    }
    const std::string textUtf8 = text::cp932ToUtf8(textCp932);
    const std::string captionUtf8 = text::cp932ToUtf8(captionCp932);
    std::fprintf(stderr, "corvadine: [%s] %s\n", captionUtf8.c_str(), textUtf8.c_str());
    if (isHeadless()) return;
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_WARNING, captionUtf8.c_str(), textUtf8.c_str(), nullptr);
}

void setMessageBoxObserver(std::function<void(const std::string&, const std::string&)> observer) {
    gBoxObserver = std::move(observer);
}

void sleepMilliseconds(int milliseconds) {
    if (milliseconds > 0) SDL_Delay(static_cast<Uint32>(milliseconds));
}

void preferSoftwareRendering() { setenv("LIBGL_ALWAYS_SOFTWARE", "1", 1); }

}  // namespace app
