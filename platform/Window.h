// The game's one window (an SDL window with an OpenGL context), or a hidden
// one for headless runs. The graphics device draws into it; platform/App
// pumps its events.
#pragma once

#include <string>

namespace window {

struct WindowOptions {
    std::string titleCp932;    // Shift-JIS title
    std::string iconPath;      // a BMP file; missing is fine
    bool fullScreen = false;   // desktop-sized, the 640 x 480 picture letterboxed
    bool hidden = false;       // headless runs (offscreen driver, playtest)
};

// Opens the window with a 640 x 480 client area (hidden mouse cursor).
// False when no window can be made.
bool openWindow(const WindowOptions& options);
void closeWindow();
bool isWindowOpen();
// The show state the main loop asks for: true while minimised or hidden, so
// that no frame is rendered.
bool isWindowMinimisedOrHidden();

}  // namespace window
