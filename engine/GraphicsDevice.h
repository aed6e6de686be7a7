// The graphics device the game draws with, created once at start through a
// chain of attempts, and released once at exit.
#pragma once

#include <memory>

#include "platform/Gfx.h"

// One way of making the device: null with *result negative when it fails.
using DeviceAttempt = std::unique_ptr<gfx::Device> (*)(const gfx::DeviceOptions& options, int* result);

class GraphicsDevice {
public:
    GraphicsDevice() = default;
    ~GraphicsDevice() { releaseDevice(); }
    GraphicsDevice(const GraphicsDevice&) = delete;
    GraphicsDevice& operator=(const GraphicsDevice&) = delete;

    // Tries the attempts in order and keeps the first device made. When all
    // fail: the box "DirectX 9.0cに対応していません。" (caption "警告") and a
    // negative result. Null attempts: the OpenGL chain of the game.
    int createDevice(bool lowSpec, bool fullScreen, int width, int height, bool paced = true,
                     const DeviceAttempt* attempts = nullptr, int attemptCount = 0);
    gfx::Device* getDevice() const { return device_.get(); }
    void releaseDevice() { device_.reset(); }

private:
    std::unique_ptr<gfx::Device> device_;
    gfx::DeviceOptions options_{};
};

// The OpenGL chain: the context on the window as it was opened, then the
// same window re-opened on the software rasteriser.
extern const DeviceAttempt kGlDeviceAttempts[2];
// The null device (logic-only runs).
std::unique_ptr<gfx::Device> nullDeviceAttempt(const gfx::DeviceOptions& options, int* result);
