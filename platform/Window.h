// The game's one window (an SDL window with an OpenGL context), or a hidden
// one for headless runs. The graphics device draws into it; platform/App
// pumps its events.
#pragma once

#include <cstdint>
#include <string>

namespace window {

struct WindowOptions {
    std::string titleCp932;    // Shift-JIS title
    std::string iconPath;      // a BMP file; missing is fine
    bool fullScreen = false;   // desktop-sized, the 640 x 480 picture letterboxed
    bool hidden = false;       // headless runs (offscreen driver, playtest)
};

// Opens the window with a 640 x 480 client area (hidden mouse cursor) and
// makes its OpenGL context current (3.3 core, else compatibility).
// False when no window or no context can be made. A second call while a
// window is open returns true and keeps the first window.
bool openWindow(const WindowOptions& options);
// Closes the window and its context; harmless when none is open.
void closeWindow();
bool isWindowOpen();
// The show state the main loop asks for: true while minimised or hidden, so
// that no frame is rendered. A window opened hidden for a headless run does
// not count as hidden: it renders.
bool isWindowMinimisedOrHidden();
// The SDL window id, to match window events to the game window (0 when none).
std::uint32_t windowId();
// Replaces the title (Shift-JIS).
void setWindowTitle(const std::string& titleCp932);

}  // namespace window
