// The four courses the build generates: whole files, a start on open water,
// a finish the boat can reach, made the same way on every build; and the
// easy circuit raced to its finish by a scripted pilot.
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "engine/GraphicsResources.h"
#include "engine/Screens.h"
#include "field/FieldMap.h"
#include "minigames/BoatRace.h"
#include "tests/boatFixture.h"
#include "tools/coursegen/CourseSource.h"

namespace boattest {
namespace {

std::string builtCourse(int course) { return std::string(CORVADINE_GAME_DIR) + "/Data/Boat_" + std::to_string(course) + ".dat"; }
std::string courseSource(int course) {
    return std::string(CORVADINE_SOURCE_DIR) + "/content/courses/course" + std::to_string(course) + ".txt";
}

std::vector<char> bytesOf(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::vector<char>((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
}

class BoatCourseContent : public ::testing::Test {
protected:
    void SetUp() override {
        for (int course = 0; course < 4; ++course)
            if (!std::filesystem::exists(builtCourse(course))) GTEST_SKIP() << "no built courses in " << CORVADINE_GAME_DIR;
    }
    void TearDown() override { clearCourse(); }
};

TEST_F(BoatCourseContent, EveryCourseIsWholeStartsOnOpenWaterAndCanBeFinished) {
    for (int course = 0; course < 4; ++course) {
        EXPECT_EQ(std::filesystem::file_size(builtCourse(course)), 1501300u) << course;
        ASSERT_EQ(readCourseFile(builtCourse(course).c_str()), 0) << course;
        EXPECT_TRUE(coursesource::roomyWater(25, 30)) << course;
        int goals = 0, waterTypes[6] = {};
        float highest = 0.0f;
        for (const CourseCell& c : gCourseCells) {
            goals += c.goal != 0;
            ++waterTypes[c.type < 6 ? c.type : 0];
            if (c.goal != 0) {
                EXPECT_NE(c.type, kCourseBank);
            }
            highest = std::max(highest, c.height);
        }
        EXPECT_GT(goals, 5) << course;
        EXPECT_GT(highest, 2.0f) << "banks with relief, course " << course;
        int kinds = 0;
        for (int t = 1; t < 6; ++t) kinds += waterTypes[t] > 0;
        EXPECT_GE(kinds, 2) << "water of more than one type, course " << course;
        EXPECT_TRUE(coursesource::courseFinishable()) << course;
        // The water keeps inside a border of bank.
        for (int i = 0; i < kCourseSize; ++i) {
            EXPECT_EQ(gCourseCells[courseIndex(i, 0)].type, kCourseBank);
            EXPECT_EQ(gCourseCells[courseIndex(0, i)].type, kCourseBank);
            EXPECT_EQ(gCourseCells[courseIndex(i, 499)].type, kCourseBank);
            EXPECT_EQ(gCourseCells[courseIndex(499, i)].type, kCourseBank);
        }
    }
}

TEST_F(BoatCourseContent, ObstaclesGrowWithTheCircuitsDifficulty) {
    int previous = -1;
    for (int course = 1; course < 4; ++course) {
        ASSERT_EQ(readCourseFile(builtCourse(course).c_str()), 0);
        int obstacles = 0;
        for (const CourseObstacle& o : gCourseObstacles) obstacles += o.present != 0;
        EXPECT_GT(obstacles, previous) << course;
        previous = obstacles;
    }
}

TEST_F(BoatCourseContent, CoursesAreRebuiltByteForByteFromTheirSources) {
    const std::filesystem::path scratch =
        std::filesystem::temp_directory_path() / ("boat_rebuild_" + std::to_string(getpid()) + ".dat");
    for (int course = 0; course < 4; ++course) {
        const coursesource::CourseSource source = coursesource::loadCourseSourceFile(courseSource(course));
        ASSERT_TRUE(source.errors.empty()) << course;
        EXPECT_TRUE(coursesource::buildCourse(source).empty()) << course;
        ASSERT_EQ(writeCourseFile(scratch.c_str()), 0);
        EXPECT_TRUE(bytesOf(scratch.string()) == bytesOf(builtCourse(course))) << course;
    }
    std::filesystem::remove(scratch);
}

TEST(BoatCourseSource, FaultsAreReportedWithTheirLine) {
    std::istringstream in(
        "seed 3\n"
        "point 25 12 10 1 3\n"
        "point 25 12 10 7 3   # water type out of range\n"
        "point 2 100 10 1 3   # off the grid\n"
        "wave 1\n");
    const coursesource::CourseSource s = coursesource::parseCourseSource(in);
    ASSERT_EQ(s.errors.size(), 4u);
    EXPECT_NE(s.errors[0].find("line 3"), std::string::npos);
    EXPECT_NE(s.errors[1].find("line 4"), std::string::npos);
    EXPECT_NE(s.errors[2].find("line 5"), std::string::npos);
    EXPECT_NE(s.errors[3].find("two points"), std::string::npos);

    // A channel that does not pass the start cannot be raced.
    std::istringstream away("point 200 200 10 1 3\npoint 300 200 10 1 3\n");
    EXPECT_FALSE(coursesource::buildCourse(coursesource::parseCourseSource(away)).empty());
    clearCourse();
}

// The pilot steers for a point a few cells ahead on the course's centre line
// and keeps a modest speed, easing off in the bends.
class Pilot {
public:
    explicit Pilot(std::vector<coursesource::Sample> line) : line_(std::move(line)) {}
    void hold(std::uint8_t held[6]) {
        for (int i = 0; i < 6; ++i) held[i] = 0;
        const int end = std::min(static_cast<int>(line_.size()) - 1, next_ + 200);
        double best = 1e18;
        for (int k = next_; k <= end; ++k) {
            const double d = std::hypot(line_[k].x - gBoatPos[0], line_[k].z - gBoatPos[2]);
            if (d < best) {
                best = d;
                next_ = k;
            }
        }
        const coursesource::Sample& target = line_[std::min(static_cast<int>(line_.size()) - 1, next_ + 14)];
        const double desired = std::atan2(target.x - gBoatPos[0], -(target.z - gBoatPos[2])) * 180.0 / 3.14159265358979;
        double turn = std::fmod(desired - gBoatHeading, 360.0);
        if (turn > 180.0) turn -= 360.0;
        if (turn < -180.0) turn += 360.0;
        if (turn > 2.0) held[kHeldLeft] = 1;
        if (turn < -2.0) held[kHeldRight] = 1;
        if (gBoatSpeed < 27.0f && std::fabs(turn) < 30.0) held[kHeldUp] = 1;
        if (gBoatSpeed > 12.0f && std::fabs(turn) > 50.0) held[kHeldDown] = 1;
    }

private:
    std::vector<coursesource::Sample> line_;
    int next_ = 0;
};

TEST_F(BoatCourseContent, EasyCircuitIsRacedToTheGoalWithScriptedInput) {
    const coursesource::CourseSource source = coursesource::loadCourseSourceFile(courseSource(1));
    ASSERT_TRUE(source.errors.empty());
    Pilot pilot(coursesource::sampleCentreLine(source));

    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(CORVADINE_GAME_DIR), 0);
    std::unique_ptr<gfx::Device> device = gfx::createNullDevice(gfx::DeviceOptions{});
    GraphicsResources resources;
    resources.quadVertices = device->createVertexBuffer(4);
    resources.sprite = device->createSprite();
    resources.layer2Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    resetBoatRaceState();
    resetInput();
    std::int64_t frames = 0;
    timing::setCalendarClock([&frames] { return std::int64_t{1800000000} + frames / 60; });

    startBoatRace(1, 0, 7, 24, 1);
    constexpr int kBudget = 12000;  // 200 seconds of play; the pilot needs far less
    int hits = 0;
    for (; frames < kBudget && gScene == kRaceScene; ++frames) {
        pilot.hold(gHeldInput);
        const std::uint8_t bumped = gObstacleBump.active;
        runBoatRace(resources, device.get());
        hits += bumped == 0 && gObstacleBump.active != 0;
    }
    timing::setCalendarClock({});
    EXPECT_EQ(chdir(previous), 0);

    ASSERT_EQ(gScene, 1) << "the race ended within " << kBudget << " frames; boat at (" << gBoatPos[0] << ", "
                         << gBoatPos[2] << ")";
    EXPECT_EQ(gRaceFinished, 1);
    EXPECT_EQ(gBestRaceFrames[1], gRaceFrames);
    EXPECT_GT(gRaceFrames, 600);
    EXPECT_EQ(resources.effectMesh ? 1 : 0, 1) << "the boat mesh was loaded from the game folder";
    std::printf("[ pilot ] course 1 in %d race frames, %d obstacles hit\n", gRaceFrames, hits);
    gScene = 0;
    resetBoatRaceState();
}

}  // namespace
}  // namespace boattest
