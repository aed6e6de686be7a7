#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Camera.h"
#include "engine/Input.h"
#include "engine/KeyframeTrack.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "menus/StaffRoll.h"
#include "menus/Title.h"
#include "tests/shopFixture.h"

namespace {

std::uint32_t gRollClock = 0;
std::uint32_t rollClock() { return gRollClock; }

class StaffRoll : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() / ("corvadine_roll_" + std::to_string(getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "Data");
        std::filesystem::current_path(dir_);  // no map files: every map loads empty

        resetFieldState();
        resetFieldMap();
        resetInput();
        resetTextLayers();
        resetStaffRoll();
        gRequestedSong[0] = gCurrentSong[0] = '\0';
        gMusicLock = 1;
        gSlowMusicFade = 0;
        gFieldEvent = 0;
        gEventStep = 0;
        gCurrentMap = 117;
        gCameraTarget[0] = 4.0f;
        gCameraTarget[1] = 2.0f;
        gCameraTarget[2] = 6.0f;
        gRollClock = 50000;
        gMillisecondClock = rollClock;
        gScene = 900;
        gTitleCounter = 0;
        drawn_.resources.cameraTrack = std::make_unique<KeyframeTrack>();
    }
    void TearDown() override {
        gMillisecondClock = timeGetTimeMs;
        gScene = 0;
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

    void frame(std::uint32_t milliseconds, bool draw = false, int input = 0) {
        gRollClock += milliseconds;
        gInputCode = input;
        runStaffRoll(drawn_.resources, draw ? &drawn_.device : nullptr);
    }

    shoptest::Drawn drawn_;
    std::filesystem::path previous_, dir_;
};

TEST_F(StaffRoll, StepsStartOnTheFirstFrameAtOrAfterTheirSecond) {
    startStaffRoll(0);
    struct Start { int step; int second; int map; int layout; };
    std::vector<Start> seen;
    int lastStep = 0;
    // 250 ms frames: a slow machine sees the same timeline.
    for (int n = 0; n < 1100 && gStaffRoll.mapShown != kStaffRollEndMap; ++n) {
        frame(n == 0 ? 0 : 250);
        if (gStaffRoll.step != lastStep) {
            lastStep = gStaffRoll.step;
            seen.push_back({lastStep - 1, static_cast<int>((gRollClock - 50000) / 1000), gStaffRoll.mapShown,
                            gStaffRoll.layout});
            EXPECT_EQ(gScene, 900);
        }
    }
    ASSERT_EQ(seen.size(), static_cast<std::size_t>(kStaffRollSteps));
    for (int s = 0; s < kStaffRollSteps; ++s) {
        EXPECT_EQ(seen[s].second, kStaffRollTimeline[s].startSecond) << s;
        const int map = s == 0 ? 117 : kStaffRollTimeline[s].map;  // step 0: the ending's own map
        EXPECT_EQ(seen[s].map, map) << s;
        if (s < kStaffRollSteps - 1) {
            EXPECT_EQ(seen[s].layout, kStaffRollTimeline[s].layout) << s;
        }
    }
    EXPECT_EQ(seen[1].map, 3);
    EXPECT_EQ(seen[17].second, 241);
    EXPECT_EQ(seen[18].second, 254);
    EXPECT_EQ(gMusicLock, 0);
    EXPECT_EQ(gSlowMusicFade, 1);
}

TEST_F(StaffRoll, StepZeroFliesFromTheCurrentCameraTarget) {
    startStaffRoll(0);
    frame(0);
    const KeyframeTrack& track = *drawn_.resources.cameraTrack;
    ASSERT_EQ(track.keyCount(), 3);
    EXPECT_EQ(track.duration(), 15000u);
    EXPECT_EQ(track.looping(), 0);
    EXPECT_EQ(track.start(), 50000u);
    float c0 = 0.0f, channels[6];
    int finished = 0;
    track.evaluateTrack(50000, &c0, &finished, channels);
    EXPECT_FLOAT_EQ(channels[0], 4.0f);
    EXPECT_FLOAT_EQ(channels[1], 2.0f);
    EXPECT_FLOAT_EQ(channels[2], 6.0f);
    EXPECT_FLOAT_EQ(channels[3], 10.0f);
    EXPECT_FLOAT_EQ(channels[5], 3.0f);
    track.evaluateTrack(65000, &c0, &finished, channels);
    EXPECT_FLOAT_EQ(channels[1], 17.0f);
    EXPECT_FLOAT_EQ(channels[2], -4.0f);
    EXPECT_FLOAT_EQ(channels[3], 20.0f);
    EXPECT_EQ(gPlayerVisible, 0);
}

TEST_F(StaffRoll, ASlowFrameLosesNoMilliseconds) {
    startStaffRoll(0);
    frame(0);
    frame(1999);  // one frame of two seconds
    frame(1);
    frame(2750);
    EXPECT_EQ(gStaffRoll.stepMilliseconds, 4750);
    EXPECT_EQ(gStaffRoll.step, 1);
}

TEST_F(StaffRoll, CreditsFadeInFiveSecondsIntoTheStepBesideTheInset) {
    startStaffRoll(0);
    frame(0);
    while (gStaffRoll.step < 3) frame(500);  // step 2, layout 2: the credits above
    ASSERT_EQ(gStaffRoll.layout, 2);
    std::vector<int> alphas;
    const float corner[2] = {10.0f, 230.0f};
    for (int n = 0; n < 14; ++n) {
        drawn_.forget();
        const int msBefore = gStaffRoll.stepMilliseconds;
        frame(500, true);
        const auto* heading = drawn_.findText("プログラム");
        if (msBefore < 5000) {
            EXPECT_EQ(heading, nullptr) << msBefore;
        } else {
            ASSERT_NE(heading, nullptr) << msBefore;
            EXPECT_EQ(heading->rect.top, 20);
            EXPECT_EQ(heading->colour & 0x00FFFFFFu, 0x00FFFF00u);
            EXPECT_EQ(heading->font.height, 27);
            const int alpha = static_cast<int>(heading->colour >> 24);
            EXPECT_EQ(alpha, std::min((msBefore - 5000) / 5, 255));
            const auto* name = drawn_.findText("メインプログラム");
            ASSERT_NE(name, nullptr);
            EXPECT_EQ(name->rect.top, 70);
            EXPECT_EQ(name->rect.left, 40);
            EXPECT_EQ(name->colour & 0x00FFFFFFu, 0x0000FF00u);
        }
        const auto insets = drawn_.drawsOf(drawn_.resources.layer1Target.get());
        ASSERT_EQ(insets.size(), 1u);
        const int ms = gStaffRoll.stepMilliseconds;
        if (ms <= 5000) {
            EXPECT_NEAR(insets[0].scale.x, 0.5f + (5000 - ms) * 0.0001f, 1e-5f);
            EXPECT_NEAR(insets[0].translation.y, corner[1] * ms * 0.0002f, 1e-3f);
        } else {
            EXPECT_FLOAT_EQ(insets[0].scale.x, 0.5f);
            EXPECT_FLOAT_EQ(insets[0].translation.x, corner[0]);
            EXPECT_FLOAT_EQ(insets[0].translation.y, corner[1]);
        }
    }
    EXPECT_EQ(drawn_.device.liveFonts, 0);
}

TEST_F(StaffRoll, FinWaitsFiveSecondsForDecideThenGoesToTheTitle) {
    startStaffRoll(0);
    int budget = 400;
    while (gStaffRoll.mapShown != kStaffRollEndMap && --budget > 0) frame(1000);
    ASSERT_GT(budget, 0);
    drawn_.forget();
    frame(1000, true, kInputDecide);
    EXPECT_NE(drawn_.findText("Fin"), nullptr);
    for (int n = 0; n < 4; ++n) frame(1000, false, kInputDecide);
    EXPECT_EQ(gScene, 900);  // five seconds have not passed
    frame(1000, false, 0);
    EXPECT_EQ(gScene, 900);
    frame(16, false, kInputDecide);
    EXPECT_EQ(gScene, 1000);
    EXPECT_EQ(gTitleCounter, 350);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gStaffRoll.running, 0);
}

TEST_F(StaffRoll, ARollNotStartedStartsOnItsFirstFrame) {
    frame(0);
    EXPECT_EQ(gStaffRoll.running, 1);
    EXPECT_EQ(gStaffRoll.step, 1);
    EXPECT_EQ(gStaffRoll.startClock, 50000u);
}

TEST(GridToWorld, GivesTheCornerOfTheShearedCell) {
    float p[3];
    gridToWorld(p, 30.0f, 20.0f, 20.0f);
    EXPECT_FLOAT_EQ(p[0], 30.0f + 20.0f * 0.707106781f);
    EXPECT_FLOAT_EQ(p[1], 20.0f);
    EXPECT_FLOAT_EQ(p[2], 20.0f * 0.707106781f);
}

}  // namespace
