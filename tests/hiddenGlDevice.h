// The real OpenGL device on a hidden window, opened once for a test suite
// whose pictures are drawn and read back (SDL's offscreen driver unless the
// environment names another).
#pragma once

#include <cstdlib>

#include "platform/Gfx.h"
#include "platform/Window.h"

namespace gltest {

// Opens the hidden window and an unpaced OpenGL device on it into *device.
// False when no window opened; *device stays null when no device could be
// made (the device's failure code in *result when asked for). The suite (or
// the test) deletes the device at its end; the window stays open for the
// rest of the run, since closing it makes the GL driver's own allocations
// show up as leaks.
inline bool openHiddenGlDevice(gfx::Device** device, int* result = nullptr) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::WindowOptions options;
    options.hidden = true;
    if (!window::openWindow(options)) return false;
    gfx::DeviceOptions deviceOptions;
    deviceOptions.paced = false;
    int failure = 0;
    *device = gfx::createGlDevice(deviceOptions, &failure).release();
    if (result != nullptr) *result = failure;
    return true;
}

}  // namespace gltest
