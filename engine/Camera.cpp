#include "engine/Camera.h"

#include <cmath>

#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "engine/TransformByMatrix3.h"

MillisecondClock gMillisecondClock = timeGetTimeMs;

CameraView cameraViewFor(float x, float y, float z, float distance, float yawDegrees, float mode) {
    const gfx::Vec3 target{x, y, z};
    if (mode == 0.0f) {
        // Behind the target at the distance, a little above it.
        return {{x, y + 0.2f * distance, z - distance}, {x, y + 0.1f * distance, z}, {0.0f, 1.0f, 0.0f}};
    }
    if (mode == 1.0f) return {{x, y + 6.0f, z - 8.0f}, target, {0.0f, 1.0f, 0.4f}};
    if (mode == 2.0f) return {{x, y + 12.0f, z - 10.0f}, target, {0.0f, 1.0f, 0.4f}};

    // Orbit: the offset (0, 6, -8) turned about the vertical axis by the yaw.
    const double radians = yawDegrees * 0.017453292519943295;
    const float c = static_cast<float>(std::cos(radians));
    const float s = static_cast<float>(std::sin(radians));
    const float turn[9] = {c, 0.0f, -s, 0.0f, 1.0f, 0.0f, s, 0.0f, c};
    const float offset[3] = {0.0f, 6.0f, -8.0f};
    float turned[3];
    transformByMatrix3(turned, offset, turn);
    return {{x + turned[0], y + turned[1], z + turned[2]}, target, {0.0f, 1.0f, 0.0f}};
}

void updateCamera(GraphicsResources& resources, gfx::Device* device) {
    if (device == nullptr || !resources.cameraTrack) return;
    const gfx::Viewport viewport = device->viewport();
    if (viewport.height <= 0) return;
    const float aspect = static_cast<float>(viewport.width) / static_cast<float>(viewport.height);

    float channel0 = 0.0f;
    int finished = 0;
    float channels[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    resources.cameraTrack->evaluateTrack(gMillisecondClock(), &channel0, &finished, channels);

    const float kQuarterPi = 0.785398163397448f;
    device->setTransform(gfx::TransformKind::Projection, gfx::matrixPerspectiveFovLH(kQuarterPi, aspect, 1.0f, 1000.0f));
    const CameraView view = cameraViewFor(channels[0], channels[1], channels[2], channels[3], channels[4], channels[5]);
    device->setTransform(gfx::TransformKind::View, gfx::matrixLookAtLH(view.eye, view.target, view.up));
}
