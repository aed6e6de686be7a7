#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"
#include "engine/TransformByMatrix3.h"
#include "tests/drawingRecordingDevice.h"

namespace {

std::uint32_t gFakeNow = 0;
std::uint32_t fakeClock() { return gFakeNow; }

struct CameraFixture : ::testing::Test {
    void SetUp() override {
        saved = gMillisecondClock;
        gMillisecondClock = fakeClock;
        resources.cameraTrack = std::make_unique<KeyframeTrack>();
    }
    void TearDown() override { gMillisecondClock = saved; }

    // A cut: two equal keys, already over.
    void cutTo(float x, float y, float z, float distance, float yaw, float mode) {
        KeyframeTrack& track = *resources.cameraTrack;
        track.setKeyCount(2);
        track.setKey(0, 0.0f, 0, x, y, z, distance, yaw, mode);
        track.setKey(1, 1.0f, 0, x, y, z, distance, yaw, mode);
        track.setTrackDuration(0);
        track.setTrackLooping(0);
        track.setTrackStart(0);
    }

    MillisecondClock saved = nullptr;
    GraphicsResources resources;
    testing_gfx::RecordingDevice device;
};

void expectVec(const gfx::Vec3& v, float x, float y, float z) {
    EXPECT_NEAR(v.x, x, 1e-5);
    EXPECT_NEAR(v.y, y, 1e-5);
    EXPECT_NEAR(v.z, z, 1e-5);
}

TEST(TransformByMatrix3, MultipliesRowsByTheVector) {
    const float identity[9] = {1, 0, 0, 0, 1, 0, 0, 0, 1};
    const float v[3] = {1.5f, -2.0f, 7.0f};
    float out[3];
    EXPECT_EQ(transformByMatrix3(out, v, identity), v);
    EXPECT_EQ(out[0], 1.5f);
    EXPECT_EQ(out[1], -2.0f);
    EXPECT_EQ(out[2], 7.0f);

    const float rows[9] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    const float w[3] = {1, 0, -1};
    transformByMatrix3(out, w, rows);
    EXPECT_EQ(out[0], -2.0f);
    EXPECT_EQ(out[1], -2.0f);
    EXPECT_EQ(out[2], -2.0f);
}

TEST(CameraView, ModesPlaceTheEye) {
    struct Case { float mode, yaw; gfx::Vec3 eye, target, up; };
    const Case cases[] = {
        {0.0f, 0.0f, {1, 2 + 0.2f * 10, 3 - 10}, {1, 2 + 0.1f * 10, 3}, {0, 1, 0}},
        {1.0f, 0.0f, {1, 8, -5}, {1, 2, 3}, {0, 1, 0.4f}},
        {2.0f, 0.0f, {1, 14, -7}, {1, 2, 3}, {0, 1, 0.4f}},
        {3.0f, 0.0f, {1, 8, -5}, {1, 2, 3}, {0, 1, 0}},      // orbit, yaw 0: behind
        {0.5f, 90.0f, {9, 8, 3}, {1, 2, 3}, {0, 1, 0}},      // 0.5 is the orbit too
        {-1.0f, 180.0f, {1, 8, 11}, {1, 2, 3}, {0, 1, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const CameraView v = cameraViewFor(1, 2, 3, 10, c.yaw, c.mode);
        expectVec(v.eye, c.eye.x, c.eye.y, c.eye.z);
        expectVec(v.target, c.target.x, c.target.y, c.target.z);
        expectVec(v.up, c.up.x, c.up.y, c.up.z);
    }
}

TEST_F(CameraFixture, OrbitAtYaw90LooksFromPlusX) {
    cutTo(0, 0, 0, 0, 90.0f, 3.0f);
    updateCamera(resources, &device);
    const gfx::Matrix expected =
        gfx::matrixLookAtLH(gfx::Vec3{8, 6, 0}, gfx::Vec3{0, 0, 0}, gfx::Vec3{0, 1, 0});
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_NEAR(device.view.m[r][c], expected.m[r][c], 1e-5) << r << c;
    // The eye maps to the view-space origin.
    const gfx::Vec3 eye = gfx::vec3TransformCoord(gfx::Vec3{8, 6, 0}, device.view);
    expectVec(eye, 0, 0, 0);
}

TEST_F(CameraFixture, ProjectionFollowsTheViewportAspect) {
    cutTo(0, 0, 0, 5, 0, 0);
    device.currentViewport = gfx::Viewport{0, 0, 320, 320, 0, 1};
    updateCamera(resources, &device);
    const gfx::Matrix expected = gfx::matrixPerspectiveFovLH(0.785398163397448f, 1.0f, 1.0f, 1000.0f);
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) EXPECT_FLOAT_EQ(device.projection.m[r][c], expected.m[r][c]);
}

TEST_F(CameraFixture, CameraFollowsTheTrackOnTheInjectedClock) {
    KeyframeTrack& track = *resources.cameraTrack;
    track.setKeyCount(2);
    track.setKey(0, 0.0f, 0, 0, 0, 0, 0, 0, 1.0f);
    track.setKey(1, 1.0f, 0, 10, 0, 0, 0, 0, 1.0f);
    track.setTrackDuration(1000);
    track.setTrackLooping(0);
    track.setTrackStart(5000);
    struct Case { std::uint32_t now; float x; };
    for (const Case c : {Case{5000, 0.0f}, Case{5500, 5.0f}, Case{6000, 10.0f}}) {
        gFakeNow = c.now;
        updateCamera(resources, &device);
        // Mode 1: the eye is (x, 6, -8); it maps to the view origin.
        const gfx::Vec3 eye = gfx::vec3TransformCoord(gfx::Vec3{c.x, 6, -8}, device.view);
        expectVec(eye, 0, 0, 0);
    }
}

TEST_F(CameraFixture, NothingHappensWithoutDeviceOrViewport) {
    cutTo(0, 0, 0, 5, 0, 0);
    updateCamera(resources, nullptr);
    device.currentViewport.height = 0;
    updateCamera(resources, &device);
    const gfx::Matrix identity = gfx::matrixIdentity();
    EXPECT_EQ(0, std::memcmp(&device.view, &identity, sizeof identity));
}

}  // namespace
