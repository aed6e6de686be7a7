// Inside the platform layer only: the SDL window and its OpenGL context,
// for the GL device and the event pump.
#pragma once

struct SDL_Window;

namespace window {

// The open window, or null.
SDL_Window* sdlWindow();
// True when the context is a core profile (false: compatibility).
bool glContextIsCore();
// True when the window was opened hidden for a headless run.
bool openedHidden();

}  // namespace window
