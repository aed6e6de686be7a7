#include <cmath>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "battle/EffectMesh.h"
#include "engine/GraphicsResources.h"
#include "minigames/BoatRace.h"
#include "minigames/BoatRaceDrawing.h"
#include "minigames/BoatRaceMotion.h"
#include "tests/boatFixture.h"
#include "tests/drawingRecordingDevice.h"

namespace boattest {
namespace {

class BoatTerrainWindow : public ::testing::Test {
protected:
    void SetUp() override {
        clearCourse();
        resetBoatRaceState();
    }
    void TearDown() override {
        clearCourse();
        resetBoatRaceState();
    }
    int plan(float x, float z, int course) { return planTerrainWindow(x, z, course, quads); }
    TerrainQuad quads[kTerrainWindow * kTerrainWindow];
};

TEST_F(BoatTerrainWindow, CellsPastTheGridEdgeAreLeftOut) {
    const struct {
        float x, z;
        int count;
    } cases[] = {
        {250.0f, 250.0f, 900},  // well inside
        {3.0f, 3.0f, 18 * 18},  // window from -12: cells 0-17
        {495.0f, 495.0f, 19 * 19},  // window from 480: cells 480-498 (499's far corner is off the grid)
        {3.0f, 250.0f, 18 * 30},
        {-40.0f, 250.0f, 0},
    };
    for (const auto& c : cases) {
        const int n = plan(c.x, c.z, 1);
        EXPECT_EQ(n, c.count) << c.x << ", " << c.z;
        for (int k = 0; k < n; ++k) {
            ASSERT_GE(quads[k].x, 0);
            ASSERT_LT(quads[k].x + 1, 500);
            ASSERT_GE(quads[k].z, 0);
            ASSERT_LT(quads[k].z + 1, 500);
        }
    }
    EXPECT_EQ(terrainWindowStart(100.4f), 85);
    EXPECT_EQ(terrainWindowStart(100.5f), 86);
}

TEST_F(BoatTerrainWindow, RaisedCornerDrawsItsFourCellsWithReliefAfterTheFlatOnes) {
    const struct {
        std::uint8_t type;
        int flatColumn, flatRow, reliefColumn, reliefRow;
    } kinds[] = {{1, 7, 0, 8, 0}, {kCourseBank, 0, 7, 0, 3}};
    for (const auto& kind : kinds) {
        clearCourse();
        paintWater(50, 150, 50, 150, kind.type);
        gCourseCells[courseIndex(100, 100)].height = 0.75f;
        ASSERT_EQ(plan(100.0f, 100.0f, 1), 900);
        std::set<std::pair<int, int>> seen;
        for (int k = 0; k < 896; ++k) {
            EXPECT_TRUE(quads[k].flat);
            EXPECT_EQ(quads[k].tileColumn, kind.flatColumn);
            EXPECT_EQ(quads[k].tileRow, kind.flatRow);
            seen.insert({quads[k].x, quads[k].z});
        }
        const int relief[4][2] = {{99, 99}, {99, 100}, {100, 99}, {100, 100}};
        for (int k = 0; k < 4; ++k) {
            const TerrainQuad& q = quads[896 + k];
            EXPECT_FALSE(q.flat);
            EXPECT_EQ(q.x, relief[k][0]);
            EXPECT_EQ(q.z, relief[k][1]);
            EXPECT_EQ(q.tileColumn, kind.reliefColumn);
            EXPECT_EQ(q.tileRow, kind.reliefRow);
            seen.insert({q.x, q.z});
        }
        EXPECT_EQ(seen.size(), 900u) << "every cell once";
        // Cell (99, 99) has the raised point as its far corner.
        EXPECT_EQ(quads[896].heights[3], 0.75f);
        EXPECT_EQ(quads[896].heights[0], 0.0f);
        EXPECT_EQ(quads[899].heights[0], 0.75f);
    }
}

TEST_F(BoatTerrainWindow, FinishCellsShowTheFinishTileOnlyOnACircuit) {
    paintWater(50, 150, 50, 150, 2);
    paintGoal(100, 100, 100, 100);
    for (const int course : {0, 1, 3}) {
        const int n = plan(100.0f, 100.0f, course);
        ASSERT_EQ(n, 900);
        const TerrainQuad* goal = nullptr;
        for (int k = 0; k < n; ++k)
            if (quads[k].x == 100 && quads[k].z == 100) goal = &quads[k];
        ASSERT_NE(goal, nullptr);
        if (course == 0) {
            EXPECT_TRUE(goal->flat);
            EXPECT_EQ(goal->tileColumn, 7);
        } else {
            EXPECT_EQ(goal, &quads[899]) << "drawn in the last pass";
            EXPECT_EQ(goal->tileColumn, 10);
            EXPECT_EQ(goal->tileRow, 1);
        }
    }
}

TEST_F(BoatTerrainWindow, ObstaclePicturesFaceTheCameraSinkAndVanish) {
    gBoatPos[0] = 100.0f;
    gBoatPos[2] = 100.0f;
    float rotation[9];
    headingRotation(180, rotation);
    putObstacle(0, 100.0f, 105.0f);
    gCourseObstacles[0].y = 0.25f;
    putObstacle(1, 110.0f, 110.0f);
    gCourseObstacles[1].hit = 1;   // hit: gone
    putObstacle(2, 115.0f, 95.0f);   // on the window's far edge (85 + 30): drawn
    putObstacle(3, 115.5f, 95.0f);   // past it: not
    putObstacle(4, 90.0f, 90.0f);
    ObstacleQuad out[100];
    ASSERT_EQ(planObstacleQuads(100.0f, 100.0f, rotation, out), 3);
    EXPECT_EQ(out[0].index, 0);
    EXPECT_EQ(out[1].index, 2);
    EXPECT_EQ(out[2].index, 4);
    // Heading 180 turns the picture's left corner to +x.
    EXPECT_NEAR(out[0].corners[0].x, 101.0f, 1e-5f);
    EXPECT_NEAR(out[0].corners[0].y, 0.75f, 1e-6f);
    EXPECT_NEAR(out[0].corners[0].z, 105.0f, 1e-5f);
    EXPECT_NEAR(out[0].corners[3].x, 100.0f, 1e-5f);
    EXPECT_NEAR(out[0].corners[3].y, 0.25f, 1e-6f);

    // Heading 90: the picture turns to lie along z.
    headingRotation(90, rotation);
    planObstacleQuads(100.0f, 100.0f, rotation, out);
    EXPECT_NEAR(out[0].corners[0].x, 100.5f, 1e-5f);
    EXPECT_NEAR(out[0].corners[0].z, 104.5f, 1e-5f);

    // The one going under is drawn lower by its sink depth.
    gObstacleBump = ObstacleBump{1, 6, 0.3f, 0};
    planObstacleQuads(100.0f, 100.0f, rotation, out);
    EXPECT_NEAR(out[0].corners[3].y, 0.25f - 0.3f, 1e-6f);
    EXPECT_NEAR(out[1].corners[3].y, 0.0f, 1e-6f);
}

TEST(BoatEffectMesh, CodesNameTheirMeshResources) {
    const struct {
        int code, resource;
    } cases[] = {{0, 346}, {10, 329}, {11, 330}, {21, 332}, {41, 336}, {51, 337}, {60, 338}, {81, 343},
                 {90, 344}, {91, 345}, {5, 5}, {50, 50}, {346, 346}, {-3, -3}};
    for (const auto& c : cases) EXPECT_EQ(effectMeshResource(c.code), c.resource) << c.code;
}

TEST(BoatEffectMesh, LoadReplacesTheSlotAndAFailureLeavesItEmpty) {
    testing_gfx::RecordingDevice device;
    GraphicsResources resources;
    EXPECT_EQ(loadEffectMesh(resources, &device, 0), 0);
    ASSERT_TRUE(resources.effectMesh);
    EXPECT_EQ(device.meshesLoaded.back(), "Res/Xfile_346.x");
    EXPECT_EQ(loadEffectMesh(resources, &device, 31), 0);
    EXPECT_EQ(device.meshesLoaded.back(), "Res/Xfile_334.x");

    device.failingMeshPath = "Res/Xfile_5.x";
    EXPECT_LT(loadEffectMesh(resources, &device, 5), 0);
    EXPECT_FALSE(resources.effectMesh) << "the old mesh is released first";
    ASSERT_EQ(loadEffectMesh(resources, &device, 10), 0);
    EXPECT_LT(loadEffectMesh(resources, nullptr, 10), 0);
    EXPECT_FALSE(resources.effectMesh);
}

TEST(BoatChaseCamera, CameraLooksAtTheBoatFromBehindAndAbove) {
    resetBoatRaceState();
    gBoatPos[0] = 40.0f;
    gBoatPos[1] = 0.5f;
    gBoatPos[2] = 60.0f;
    const struct {
        int heading;
        float ex, ez;
    } cases[] = {{180, 40.0f, 58.0f}, {90, 38.0f, 60.0f}, {0, 40.0f, 62.0f}};
    for (const auto& c : cases) {
        gBoatHeading = c.heading;
        placeChaseCamera();
        EXPECT_NEAR(gRaceCamera[0], c.ex, 1e-5f) << c.heading;
        EXPECT_NEAR(gRaceCamera[1], 1.5f, 1e-6f);
        EXPECT_NEAR(gRaceCamera[2], c.ez, 1e-5f) << c.heading;
        EXPECT_EQ(gRaceCamera[3], 40.0f);
        EXPECT_EQ(gRaceCamera[5], 60.0f);
        EXPECT_EQ(gRaceCamera[7], 1.0f);
    }

    testing_gfx::RecordingDevice device;
    GraphicsResources resources;
    setRaceCamera(resources, &device);
    const gfx::Matrix projection = gfx::matrixPerspectiveFovLH(3.14159265358979f / 4.0f, 640.0f / 480.0f, 1.0f, 1000.0f);
    const gfx::Matrix view = gfx::matrixLookAtLH({gRaceCamera[0], gRaceCamera[1], gRaceCamera[2]},
                                                 {40.0f, 0.5f, 60.0f}, {0.0f, 1.0f, 0.0f});
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 4; ++c) {
            EXPECT_FLOAT_EQ(device.projection.m[r][c], projection.m[r][c]);
            EXPECT_FLOAT_EQ(device.view.m[r][c], view.m[r][c]);
        }
    // No viewport height, no camera.
    testing_gfx::RecordingDevice flat;
    flat.currentViewport.height = 0;
    setRaceCamera(resources, &flat);
    EXPECT_EQ(flat.projection.m[0][0], 1.0f);
    resetBoatRaceState();
}

}  // namespace
}  // namespace boattest
