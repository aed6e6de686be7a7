// Boat-race tests: a course painted in memory, a working folder of the
// test's own for course files, and the calendar clock in the test's hands.
#pragma once

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <string>

#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "minigames/BoatCourse.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"

namespace boattest {

inline std::int64_t gNow = 1800000000;

// Cells [x0, x1] x [z0, z1] become water of `type`.
inline void paintWater(int x0, int x1, int z0, int z1, std::uint8_t type = 1) {
    for (int x = x0; x <= x1; ++x)
        for (int z = z0; z <= z1; ++z) gCourseCells[courseIndex(x, z)].type = type;
}

inline void paintGoal(int x0, int x1, int z0, int z1) {
    for (int x = x0; x <= x1; ++x)
        for (int z = z0; z <= z1; ++z) gCourseCells[courseIndex(x, z)].goal = 1;
}

inline void putObstacle(int slot, float x, float z) {
    gCourseObstacles[slot] = CourseObstacle{1, 0, x, 0.0f, z};
}

// Runs the test in a fresh folder with a Data folder, then goes back.
class BoatFolderTest : public ::testing::Test {
protected:
    void SetUp() override {
        char buffer[4096];
        ASSERT_NE(getcwd(buffer, sizeof buffer), nullptr);
        previous_ = buffer;
        folder_ = std::filesystem::temp_directory_path() /
                  ("boat_" + std::to_string(getpid()) + "_" +
                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::remove_all(folder_);
        std::filesystem::create_directories(folder_ / "Data");
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        clearCourse();
        resetBoatRaceState();
        resetInput();
        resetTextLayers();
        gNow = 1800000000;
        timing::setCalendarClock([] { return gNow; });
    }
    void TearDown() override {
        timing::setCalendarClock({});
        EXPECT_EQ(chdir(previous_.c_str()), 0);
        std::filesystem::remove_all(folder_);
        clearCourse();
        resetBoatRaceState();
        resetInput();
    }
    std::filesystem::path folder_;
    std::string previous_;
};

}  // namespace boattest
