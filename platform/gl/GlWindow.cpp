#include "platform/gl/GlWindow.h"

#include <SDL.h>

#include <cstdio>

#include "platform/Gfx.h"
#include "platform/Text.h"
#include "platform/Window.h"

namespace window {
namespace {

SDL_Window* gWindow = nullptr;
SDL_GLContext gContext = nullptr;
bool gCore = false;
bool gOpenedHidden = false;

// Asks for a 3.3 context of the given profile; returns it current, or null.
SDL_GLContext makeContext(SDL_Window* w, bool core) {
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MAJOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_MINOR_VERSION, 3);
    SDL_GL_SetAttribute(SDL_GL_CONTEXT_PROFILE_MASK, core ? SDL_GL_CONTEXT_PROFILE_CORE : SDL_GL_CONTEXT_PROFILE_COMPATIBILITY);
    SDL_GLContext c = SDL_GL_CreateContext(w);
    if (c != nullptr && SDL_GL_MakeCurrent(w, c) != 0) {
        SDL_GL_DeleteContext(c);
        c = nullptr;
    }
    return c;
}

}  // namespace

bool openWindow(const WindowOptions& options) {
    if (gWindow != nullptr) return true;
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
        std::fprintf(stderr, "window: no video: %s\n", SDL_GetError());
        return false;
    }
    // Every picture is drawn into our own framebuffer objects: the window
    // needs no depth buffer of its own.
    SDL_GL_SetAttribute(SDL_GL_DOUBLEBUFFER, 1);
    SDL_GL_SetAttribute(SDL_GL_DEPTH_SIZE, 0);
    SDL_GL_SetAttribute(SDL_GL_STENCIL_SIZE, 0);
    Uint32 flags = SDL_WINDOW_OPENGL | SDL_WINDOW_ALLOW_HIGHDPI;
    if (options.hidden) flags |= SDL_WINDOW_HIDDEN;
    else if (options.fullScreen) flags |= SDL_WINDOW_FULLSCREEN_DESKTOP;
    const std::string title = text::cp932ToUtf8(options.titleCp932.c_str(), static_cast<int>(options.titleCp932.size()));
    gWindow = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, gfx::kBackBufferWidth,
                               gfx::kBackBufferHeight, flags);
    if (gWindow == nullptr) {
        std::fprintf(stderr, "window: cannot create the window: %s\n", SDL_GetError());
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    gCore = true;
    gContext = makeContext(gWindow, true);
    if (gContext == nullptr) {
        gCore = false;
        gContext = makeContext(gWindow, false);
    }
    if (gContext == nullptr) {
        std::fprintf(stderr, "window: no OpenGL 3.3 context: %s\n", SDL_GetError());
        SDL_DestroyWindow(gWindow);
        gWindow = nullptr;
        SDL_QuitSubSystem(SDL_INIT_VIDEO);
        return false;
    }
    gOpenedHidden = options.hidden;
    if (!options.iconPath.empty()) {
        if (SDL_Surface* icon = SDL_LoadBMP(options.iconPath.c_str())) {
            SDL_SetWindowIcon(gWindow, icon);
            SDL_FreeSurface(icon);
        }
    }
    SDL_ShowCursor(SDL_DISABLE);
    return true;
}

void closeWindow() {
    if (gWindow == nullptr) return;
    SDL_GL_MakeCurrent(gWindow, nullptr);
    SDL_GL_DeleteContext(gContext);
    SDL_DestroyWindow(gWindow);
    gContext = nullptr;
    gWindow = nullptr;
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
}

bool isWindowOpen() { return gWindow != nullptr; }

bool isWindowMinimisedOrHidden() {
    if (gWindow == nullptr) return true;
    const Uint32 flags = SDL_GetWindowFlags(gWindow);
    if (flags & SDL_WINDOW_MINIMIZED) return true;
    return !gOpenedHidden && (flags & SDL_WINDOW_HIDDEN) != 0;
}

std::uint32_t windowId() { return gWindow != nullptr ? SDL_GetWindowID(gWindow) : 0; }

void setWindowTitle(const std::string& titleCp932) {
    if (gWindow == nullptr) return;
    const std::string title = text::cp932ToUtf8(titleCp932.c_str(), static_cast<int>(titleCp932.size()));
    SDL_SetWindowTitle(gWindow, title.c_str());
}

SDL_Window* sdlWindow() { return gWindow; }
bool glContextIsCore() { return gCore; }
bool openedHidden() { return gOpenedHidden; }

}  // namespace window
