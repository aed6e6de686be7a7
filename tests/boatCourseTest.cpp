#include <cmath>
#include <filesystem>
#include <fstream>
#include <limits>
#include <vector>

#include "tests/boatFixture.h"

namespace boattest {
namespace {

using BoatCourseFile = BoatFolderTest;

void paintSampleCourse() {
    paintWater(10, 40, 10, 60, 3);
    paintGoal(10, 40, 58, 60);
    gCourseCells[courseIndex(0, 0)].height = -1.5f;
    gCourseCells[courseIndex(499, 499)].height = 7.25f;
    gCourseCells[courseIndex(200, 300)] = CourseCell{5, 12.125f, 1};
    putObstacle(0, 20.5f, 33.0f);
    gCourseObstacles[0].y = 0.5f;
    putObstacle(99, 1.0f, 2.0f);
}

TEST_F(BoatCourseFile, WrittenCourseReadsBackWholeAndLeavesTheHitFlags) {
    paintSampleCourse();
    gCourseObstacles[0].hit = 1;
    ASSERT_EQ(writeCourseFile("Data/Boat_7.dat"), 0);
    EXPECT_EQ(std::filesystem::file_size("Data/Boat_7.dat"), 1501300u);

    std::vector<CourseCell> cells(gCourseCells, gCourseCells + kCourseCellCount);
    std::vector<CourseObstacle> obstacles(gCourseObstacles, gCourseObstacles + kCourseObstacleCount);
    for (CourseCell& c : gCourseCells) c = CourseCell{9, 99.0f, 9};
    for (CourseObstacle& o : gCourseObstacles) o = CourseObstacle{0, 0, 5.0f, 5.0f, 5.0f};
    gCourseObstacles[0].hit = 1;
    gCourseObstacles[5].hit = 1;

    ASSERT_EQ(loadCourse(7), 0);
    for (int i = 0; i < kCourseCellCount; ++i) {
        ASSERT_EQ(gCourseCells[i].type, cells[i].type) << i;
        ASSERT_EQ(gCourseCells[i].height, cells[i].height) << i;
        ASSERT_EQ(gCourseCells[i].goal, cells[i].goal) << i;
    }
    for (int i = 0; i < kCourseObstacleCount; ++i) {
        EXPECT_EQ(gCourseObstacles[i].present, obstacles[i].present) << i;
        EXPECT_EQ(gCourseObstacles[i].x, obstacles[i].x) << i;
        EXPECT_EQ(gCourseObstacles[i].y, obstacles[i].y) << i;
        EXPECT_EQ(gCourseObstacles[i].z, obstacles[i].z) << i;
    }
    EXPECT_EQ(gCourseObstacles[0].hit, 1) << "hit flags are not in the file";
    EXPECT_EQ(gCourseObstacles[5].hit, 1);
    EXPECT_EQ(gCourseObstacles[1].hit, 0);
}

TEST_F(BoatCourseFile, RecordsArePackedLittleEndianXMajor) {
    gCourseCells[courseIndex(0, 1)] = CourseCell{2, 1.0f, 1};  // the second record
    gCourseCells[courseIndex(1, 0)] = CourseCell{4, -2.0f, 0};  // record 500
    putObstacle(0, 1.0f, 3.0f);
    ASSERT_EQ(writeCourseFile("Data/Boat_0.dat"), 0);
    std::ifstream in("Data/Boat_0.dat", std::ios::binary);
    std::vector<unsigned char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 1501300u);
    const std::vector<unsigned char> second(bytes.begin() + 6, bytes.begin() + 12);
    EXPECT_EQ(second, (std::vector<unsigned char>{2, 0x00, 0x00, 0x80, 0x3F, 1}));
    const std::vector<unsigned char> fiveHundredth(bytes.begin() + 3000, bytes.begin() + 3006);
    EXPECT_EQ(fiveHundredth, (std::vector<unsigned char>{4, 0x00, 0x00, 0x00, 0xC0, 0}));
    const std::vector<unsigned char> obstacle(bytes.begin() + 1500000, bytes.begin() + 1500013);
    EXPECT_EQ(obstacle, (std::vector<unsigned char>{1, 0, 0, 0x80, 0x3F, 0, 0, 0, 0, 0, 0, 0x40, 0x40}));
}

TEST_F(BoatCourseFile, ShortFileKeepsWhatItHoldsAndMakesTheRestBank) {
    paintWater(0, 499, 0, 499, 2);
    putObstacle(3, 9.0f, 9.0f);
    ASSERT_EQ(writeCourseFile("Data/Boat_1.dat"), 0);
    // Cut inside the record of cell (100, 7): cells before it survive.
    const std::size_t cut = static_cast<std::size_t>(courseIndex(100, 7)) * 6 + 3;
    std::filesystem::resize_file("Data/Boat_1.dat", cut);
    // What the last course left must not show through.
    for (CourseCell& c : gCourseCells) c = CourseCell{5, 3.0f, 1};
    putObstacle(4, 1.0f, 1.0f);

    EXPECT_EQ(loadCourse(1), 1);
    EXPECT_EQ(gCourseCells[courseIndex(100, 6)].type, 2);
    EXPECT_EQ(gCourseCells[courseIndex(100, 6)].height, 0.0f);
    for (const int i : {courseIndex(100, 7), courseIndex(100, 8), courseIndex(499, 499)}) {
        EXPECT_EQ(gCourseCells[i].type, kCourseBank) << i;
        EXPECT_EQ(gCourseCells[i].height, 0.0f) << i;
        EXPECT_EQ(gCourseCells[i].goal, 0) << i;
    }
    for (const CourseObstacle& o : gCourseObstacles) EXPECT_EQ(o.present, 0);
}

TEST_F(BoatCourseFile, MissingFileGivesAnAllBankCourseWithoutObstacles) {
    paintWater(0, 499, 0, 499, 1);
    putObstacle(0, 30.0f, 30.0f);
    EXPECT_EQ(loadCourse(3), 1);
    for (int i = 0; i < kCourseCellCount; i += 977) EXPECT_EQ(gCourseCells[i].type, kCourseBank);
    EXPECT_EQ(courseCellType(25.0f, 30.0f), kCourseBank);
    EXPECT_EQ(gCourseObstacles[0].present, 0);
}

TEST_F(BoatCourseFile, SaveThatCannotOpenItsFileReportsItAndKeepsTheOldCourse) {
    paintWater(10, 20, 10, 20);
    ASSERT_EQ(saveCourse(2), 0);
    const auto before = std::filesystem::file_size("Data/Boat_2.dat");
    EXPECT_EQ(writeCourseFile("NoSuchFolder/Boat_2.dat"), 1);
    EXPECT_FALSE(std::filesystem::exists("NoSuchFolder"));
    // The course file itself made unwritable by a folder in the way of its temporary.
    std::filesystem::create_directory("Data/Boat_2.dat.tmp");
    paintWater(100, 120, 100, 120);
    EXPECT_EQ(saveCourse(2), 1);
    EXPECT_EQ(std::filesystem::file_size("Data/Boat_2.dat"), before);
    ASSERT_EQ(loadCourse(2), 0);
    EXPECT_EQ(gCourseCells[courseIndex(110, 110)].type, kCourseBank) << "the old course stayed";
}

// A cell with corners (10, 20) = 1, (11, 20) = 2, (10, 21) = 3, (11, 21) = 5.
// Its low triangle is the plane 1 + fx + 2 fz, its high one 2 fx + 3 fz.
TEST(BoatCourseHeight, HeightFollowsTheTwoTrianglesOfTheCell) {
    clearCourse();
    gCourseCells[courseIndex(10, 20)].height = 1.0f;
    gCourseCells[courseIndex(11, 20)].height = 2.0f;
    gCourseCells[courseIndex(10, 21)].height = 3.0f;
    gCourseCells[courseIndex(11, 21)].height = 5.0f;
    const struct {
        float x, z, height;
        const char* what;
    } cases[] = {
        {10.0f, 20.0f, 1.0f, "corner (10, 20)"},
        {11.0f, 20.0f, 2.0f, "corner (11, 20)"},
        {10.0f, 21.0f, 3.0f, "corner (10, 21)"},
        {11.0f, 21.0f, 5.0f, "corner (11, 21)"},
        {10.5f, 20.5f, 2.5f, "the diagonal's middle"},
        {10.25f, 20.75f, 2.75f, "on the diagonal near (10, 21)"},
        {10.75f, 20.25f, 2.25f, "on the diagonal near (11, 20)"},
        {10.2f, 20.3f, 1.8f, "the low triangle"},
        {10.0f, 20.5f, 2.0f, "the low triangle's edge x = 10"},
        {10.8f, 20.6f, 3.4f, "the high triangle"},
        {10.9f, 20.95f, 4.65f, "the high triangle near (11, 21)"},
    };
    for (const auto& c : cases) EXPECT_NEAR(courseHeightAt(c.x, c.z), c.height, 1e-5f) << c.what;
    // Both triangles meet along the whole diagonal.
    for (float f = 0.05f; f < 1.0f; f += 0.1f) {
        const float low = courseHeightAt(10.0f + (1.0f - f) - 1e-4f, 20.0f + f);
        const float high = courseHeightAt(10.0f + (1.0f - f) + 1e-4f, 20.0f + f);
        EXPECT_NEAR(low, high, 1e-3f) << f;
    }
    // A cell with all corners at 0 is 0 throughout.
    for (float f = 0.0f; f < 1.0f; f += 0.125f) EXPECT_EQ(courseHeightAt(300.0f + f, 300.0f + 0.5f * f), 0.0f);
}

TEST(BoatCourseQueries, PointsReadTheCellTheyAreTruncatedInto) {
    clearCourse();
    gCourseCells[courseIndex(25, 30)].type = 3;
    gCourseCells[courseIndex(26, 30)].type = 1;
    gCourseCells[courseIndex(25, 31)].type = 1;
    gCourseCells[courseIndex(26, 31)].type = 1;
    EXPECT_EQ(courseCellType(25.9f, 30.1f), 3);
    EXPECT_EQ(courseCellType(25.0f, 30.0f), 3);
    EXPECT_EQ(courseCellType(26.0f, 30.99f), 1);
}

TEST(BoatCourseQueries, PointsOutsideTheGridReadAsFlatBank) {
    clearCourse();
    paintWater(0, 499, 0, 499, 2);
    for (CourseCell& c : gCourseCells) c.height = 4.0f;
    gCourseCells[courseIndex(0, 0)].goal = 1;
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const struct {
        float x, z;
    } outside[] = {
        {-0.5f, 10.0f}, {10.0f, -0.1f}, {500.0f, 10.0f}, {10.0f, 500.0f}, {-1e9f, 1e9f}, {nan, 10.0f}, {10.0f, nan},
    };
    for (const auto& p : outside) {
        EXPECT_EQ(courseCellType(p.x, p.z), kCourseBank) << p.x << ", " << p.z;
        EXPECT_EQ(courseCellGoal(p.x, p.z), 0) << p.x << ", " << p.z;
        EXPECT_EQ(courseHeightAt(p.x, p.z), 0.0f) << p.x << ", " << p.z;
    }
    // The last row and column are cells, but their far corners are not
    // stored: the height is not defined there and reads 0.
    EXPECT_EQ(courseCellType(499.5f, 499.5f), 2);
    EXPECT_EQ(courseHeightAt(499.5f, 10.0f), 0.0f);
    EXPECT_EQ(courseHeightAt(498.5f, 10.0f), 4.0f);
}

}  // namespace
}  // namespace boattest
