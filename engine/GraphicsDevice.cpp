#include "engine/GraphicsDevice.h"

#include "engine/MainLoop.h"
#include "platform/App.h"
#include "platform/Window.h"

namespace {

std::unique_ptr<gfx::Device> glOnTheWindow(const gfx::DeviceOptions& options, int* result) {
    // The window carries the context: no window, no context.
    if (!window::isWindowOpen()) {
        if (result != nullptr) *result = gfx::kNotAvailable;
        return nullptr;
    }
    return gfx::createGlDevice(options, result);
}

std::unique_ptr<gfx::Device> glOnTheSoftwareRasteriser(const gfx::DeviceOptions& options, int* result) {
    // A context of its own needs a window of its own.
    window::closeWindow();
    app::preferSoftwareRendering();
    if (!window::openWindow(gWindowOptions)) {
        if (result != nullptr) *result = gfx::kNotAvailable;
        return nullptr;
    }
    return gfx::createGlDevice(options, result);
}

}  // namespace

const DeviceAttempt kGlDeviceAttempts[2] = {glOnTheWindow, glOnTheSoftwareRasteriser};

std::unique_ptr<gfx::Device> nullDeviceAttempt(const gfx::DeviceOptions& options, int* result) {
    if (result != nullptr) *result = gfx::kOk;
    return gfx::createNullDevice(options);
}

int GraphicsDevice::createDevice(bool lowSpec, bool fullScreen, int /*width*/, int /*height*/, bool paced,
                                 const DeviceAttempt* attempts, int attemptCount) {
    // The picture is always 640 x 480; the layer scales it to the window.
    options_ = gfx::DeviceOptions{};
    options_.lowSpec = lowSpec;
    options_.fullScreen = fullScreen;
    options_.paced = paced;
    if (attempts == nullptr) {
        attempts = kGlDeviceAttempts;
        attemptCount = 2;
    }
    for (int i = 0; i < attemptCount; ++i) {
        int result = gfx::kFail;
        std::unique_ptr<gfx::Device> device = attempts[i](options_, &result);
        if (device != nullptr && result >= 0) {
            device_ = std::move(device);
            return gfx::kOk;
        }
    }
    app::showMessageBox("DirectX 9.0cに対応していません。", "警告");
    return gfx::kFail;
}
