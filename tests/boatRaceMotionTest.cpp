#include <cmath>

#include "minigames/BoatRaceMotion.h"
#include "tests/boatFixture.h"

namespace boattest {
namespace {

constexpr std::uint8_t kNothing[6] = {0, 0, 0, 0, 0, 0};
constexpr std::uint8_t kThrottle[6] = {0, 0, 0, 1, 0, 0};

// Open water over cells x 10-40, z 10-60; bank everywhere else.
class BoatMotionTest : public ::testing::Test {
protected:
    void SetUp() override {
        clearCourse();
        paintWater(10, 40, 10, 60);
    }
    void TearDown() override { clearCourse(); }

    static BoatMotion boatAt(float x, float z, int heading, float speed) {
        return BoatMotion{{x, 0.0f, z}, heading, speed, ObstacleBump{0, 0, 0.0f, 0}};
    }
};

TEST_F(BoatMotionTest, BankStopsTheBoatAndCrashesItOnlyAboveSpeedTen) {
    const struct {
        float speed;
        bool crash;
        float after;
    } cases[] = {
        {10.0f, false, 9.99f},  // stays; the drag still acts
        {10.5f, true, 0.0f},
        {60.0f, true, 0.0f},
        {3.0f, false, 2.99f},
    };
    for (const auto& c : cases) {
        // Heading 180 runs along +z; the bank begins at z = 61, 0.2 past the boat.
        BoatMotion m = boatAt(25.0f, 60.8f, 180, c.speed);
        const BoatStep step = stepBoatMotion(m, kNothing);
        EXPECT_EQ(step.crashed, c.crash) << c.speed;
        EXPECT_FALSE(step.moved) << c.speed;
        EXPECT_EQ(m.pos[2], 60.8f) << c.speed;
        EXPECT_NEAR(m.speed, c.after, 1e-5f) << c.speed;
    }
}

TEST_F(BoatMotionTest, ThrottleActsOnlyInAFrameInWhichTheBoatMoved) {
    BoatMotion open = boatAt(25.0f, 30.0f, 180, 5.0f);
    EXPECT_TRUE(stepBoatMotion(open, kThrottle).moved);
    EXPECT_NEAR(open.speed, 5.0f + 0.075f - 0.01f, 1e-5f);

    BoatMotion blocked = boatAt(25.0f, 60.75f, 180, 5.0f);
    for (int i = 0; i < 50; ++i) {
        EXPECT_FALSE(stepBoatMotion(blocked, kThrottle).moved);
    }
    EXPECT_NEAR(blocked.speed, 5.0f - 50 * 0.01f, 1e-4f) << "throttle against a bank never raises the speed";

    const std::uint8_t decide[6] = {0, 0, 0, 0, 1, 0};
    BoatMotion withDecide = boatAt(25.0f, 30.0f, 180, 0.0f);
    stepBoatMotion(withDecide, decide);
    EXPECT_NEAR(withDecide.speed, 0.065f, 1e-6f) << "a boat at rest moves by 0 and may speed up";
}

TEST_F(BoatMotionTest, BrakingAndSteeringStillActAgainstABank) {
    const std::uint8_t brakeAndLeft[6] = {0, 1, 0, 0, 0, 1};
    BoatMotion m = boatAt(25.0f, 60.75f, 180, 8.0f);
    stepBoatMotion(m, brakeAndLeft);
    EXPECT_EQ(m.heading, 182);
    EXPECT_NEAR(m.speed, 8.0f - 0.5f - 0.01f, 1e-5f);
    const std::uint8_t right[6] = {1, 0, 0, 0, 0, 0};
    stepBoatMotion(m, right);
    EXPECT_EQ(m.heading, 180);
}

TEST_F(BoatMotionTest, BoatMovesSpeedOverSixtyCellsAFrameAlongItsHeading) {
    const struct {
        int heading;
        float dx, dz;
    } cases[] = {{180, 0.0f, 1.0f}, {0, 0.0f, -1.0f}, {90, 1.0f, 0.0f}, {270, -1.0f, 0.0f}, {-90, -1.0f, 0.0f}, {540, 0.0f, 1.0f}};
    for (const auto& c : cases) {
        BoatMotion m = boatAt(25.0f, 30.0f, c.heading, 60.0f);
        ASSERT_TRUE(stepBoatMotion(m, kNothing).moved) << c.heading;
        EXPECT_NEAR(m.pos[0], 25.0f + c.dx, 1e-5f) << c.heading;
        EXPECT_NEAR(m.pos[2], 30.0f + c.dz, 1e-5f) << c.heading;
    }
    // Speed is clamped to 0-100 after the drag.
    BoatMotion fast = boatAt(25.0f, 15.0f, 180, 100.0f);
    stepBoatMotion(fast, kThrottle);
    EXPECT_EQ(fast.speed, 100.0f);
    const std::uint8_t brake[6] = {0, 0, 1, 0, 0, 0};
    BoatMotion slow = boatAt(25.0f, 15.0f, 180, 0.2f);
    stepBoatMotion(slow, brake);
    EXPECT_EQ(slow.speed, 0.0f);
}

TEST_F(BoatMotionTest, BoatTakesTheTerrainHeightWhereItMoves) {
    for (int x = 20; x <= 30; ++x)
        for (int z = 20; z <= 40; ++z) gCourseCells[courseIndex(x, z)].height = 0.5f;
    BoatMotion m = boatAt(25.0f, 29.5f, 180, 30.0f);
    stepBoatMotion(m, kNothing);
    EXPECT_FLOAT_EQ(m.pos[1], 0.5f);
}

TEST_F(BoatMotionTest, HitObstacleSinksOverTenFramesWhileTheBoatWaitsThenIsGone) {
    // The picture's bottom edge runs across the boat's way at z = 31.
    putObstacle(7, 24.5f, 31.0f);
    BoatMotion m = boatAt(25.0f, 30.0f, 180, 30.0f);
    int frames = 0;
    while (frames < 20 && !stepBoatMotion(m, kThrottle).hitObstacle) ++frames;
    ASSERT_LT(frames, 20) << "the boat reaches the obstacle";
    const float stopX = m.pos[0], stopZ = m.pos[2];
    EXPECT_EQ(m.speed, 0.0f);
    EXPECT_EQ(m.bump.active, 1);
    EXPECT_EQ(m.bump.index, 7);
    EXPECT_NEAR(m.bump.sink, 0.05f, 1e-6f) << "the hit frame counts as the first of ten";

    const std::uint8_t everything[6] = {1, 1, 1, 1, 1, 1};
    for (int i = 2; i <= 10; ++i) {
        const BoatStep step = stepBoatMotion(m, everything);
        EXPECT_FALSE(step.moved);
        EXPECT_NEAR(m.bump.sink, 0.05f * i, 1e-5f) << i;
        EXPECT_EQ(m.speed, 0.0f) << "no control acts while it sinks";
        EXPECT_EQ(m.heading, 180);
    }
    EXPECT_EQ(m.bump.active, 0);
    EXPECT_EQ(gCourseObstacles[7].hit, 1);
    EXPECT_EQ(m.pos[0], stopX);
    EXPECT_EQ(m.pos[2], stopZ);

    // Gone: the boat goes on through where it was.
    for (int i = 0; i < 200; ++i) EXPECT_FALSE(stepBoatMotion(m, kThrottle).hitObstacle);
    EXPECT_GT(m.pos[2], 32.0f);
}

TEST_F(BoatMotionTest, ReachingTheFinishSkipsTheControlsOfThatFrame) {
    paintGoal(10, 40, 35, 35);
    const std::uint8_t brakeAndTurn[6] = {1, 0, 1, 0, 0, 0};
    BoatMotion m = boatAt(25.0f, 34.5f, 180, 60.0f);
    const BoatStep step = stepBoatMotion(m, brakeAndTurn);
    EXPECT_TRUE(step.onGoal);
    EXPECT_EQ(m.speed, 60.0f);
    EXPECT_EQ(m.heading, 180);
}

}  // namespace
}  // namespace boattest
