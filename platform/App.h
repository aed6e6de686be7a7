// The application shell around the game: start and stop of the platform
// services, the event queue taken one event per main-loop pass, message
// boxes, the single-instance rule and sleep. The window itself is
// platform/Window.h; the clock is platform/Clock.h; keys and the controller
// are platform/InputDevices.h.
#pragma once

#include <functional>
#include <string>

namespace app {

struct AppOptions {
    bool video = true;      // false: no video subsystem (null graphics runs)
    bool headless = false;  // message boxes go to stderr only
};

// Starts the event queue, the video subsystem (unless asked not to) and the
// controller subsystem. False when the event queue cannot be started.
bool initialise(const AppOptions& options);
void shutdown();
// True after initialise asked for headless, or when the video driver is one
// that cannot show anything (offscreen, dummy).
bool isHeadless();

enum class EventKind {
    Quit,         // the window was closed, or postQuit was called
    Activated,    // the window gained the keyboard focus
    Deactivated,  // the window lost it
    KeyDown,      // the key table has already been updated
    KeyUp,
    Shown,        // shown or restored
    Hidden,       // hidden or minimised
    Other,
};

struct Event {
    EventKind kind = EventKind::Other;
    int exitCode = 0;  // Quit only
};

// Takes one event from the queue without waiting. False when the queue is
// empty. Key events update the key table of platform/InputDevices.h as they
// are taken. Mouse motion and the controller's axis, hat and button events
// are never queued: those devices are polled.
bool takeEvent(Event& event);
// Ends the main loop at its next pass with this exit code.
void postQuit(int exitCode);

// A box with an OK button and no owner (Shift-JIS text and caption); the
// same line goes to stderr. Headless runs write only the stderr line.
void showMessageBox(const char* textCp932, const char* captionCp932);
// Tests: every box is handed to the observer (the Shift-JIS bytes as given)
// instead of being shown. An empty function restores the real boxes.
void setMessageBoxObserver(std::function<void(const std::string& textCp932, const std::string& captionCp932)> observer);

void sleepMilliseconds(int milliseconds);

// Makes OpenGL contexts created from now on use the software rasteriser.
void preferSoftwareRendering();

// The single-instance rule, kept with lock files in the working directory
// in place of window titles: the running game holds "Game.lock", the
// configuration tool holds "Config.lock" while it runs.
enum class InstanceCheck {
    Alone,              // the lock is now ours until releaseInstanceLock
    GameRunning,        // another instance holds the game's lock
    ConfigToolRunning,  // the configuration tool holds its lock
};
InstanceCheck claimSingleInstance(const std::string& directory = ".");
void releaseInstanceLock();

}  // namespace app
