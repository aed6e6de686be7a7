// The 3D camera: updateCamera evaluates cameraTrack at the millisecond clock
// and sets the projection and view transforms.
//
// Channels of cameraTrack: 1, 2, 3 the target point; 4 the distance of mode 0;
// 5 the yaw in degrees of the orbit mode; 6 the mode (0 behind at a distance,
// 1 and 2 fixed views from above, any other value the orbit). Channel 0 is
// not read.
#pragma once

#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

// The millisecond clock that every camera track runs on (the application
// layer's clock, engine/MainLoopPlatformBridge.cpp).
std::uint32_t timeGetTimeMs();

// The clock updateCamera and the start-up track read: timeGetTimeMs unless a
// test puts its own clock here.
using MillisecondClock = std::uint32_t (*)();
extern MillisecondClock gMillisecondClock;

// The eye, target and up vector a camera mode gives for the track's
// channels (target x, y, z, distance, yaw in degrees, mode).
struct CameraView {
    gfx::Vec3 eye, target, up;
};
CameraView cameraViewFor(float x, float y, float z, float distance, float yawDegrees, float mode);

// Sets the projection (pi/4 vertical field of view, the viewport's aspect,
// near 1, far 1000) and the view from cameraTrack at gMillisecondClock().
// Nothing without a device, a track or a viewport of any height.
void updateCamera(GraphicsResources& resources, gfx::Device* device);
