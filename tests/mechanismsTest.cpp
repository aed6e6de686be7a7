#include <gtest/gtest.h>

#include <cstring>

#include "events/EventPrimitives.h"
#include "events/FieldMechanisms.h"
#include "events/FieldStateUse.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/WorldToCell.h"

namespace {

class Mechanisms : public ::testing::Test {
protected:
    void SetUp() override {
        resetFieldMap();
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        gFieldEvent = 0;
        gEventStep = 0;
        gPlayerVSpeed = 0.0f;
        gCurrentMap = 110;
        resetEventPrimitives();
    }
    static MapCell& cell(int row, int col) { return gMapCells[row][col]; }
    static void tile(int row, int col, MechanismTile t, float height) {
        cell(row, col).floorColumn = t.column;
        cell(row, col).floorRow = t.row;
        cell(row, col).height = height;
    }
    static void standOn(int row, int col) {
        float centre[3];
        cellCentre(row, col, centre);
        std::memcpy(gPlayerPos, centre, sizeof centre);
    }
};

}  // namespace

TEST_F(Mechanisms, WaterLevelDrainsOrFloodsByTheStoredLevel) {
    struct Case {
        int stored;
        int level;
        bool dry;
        float plate;
    } cases[] = {{4, 4, true, 2.0f}, {3, 4, true, 2.5f}, {5, 4, false, 2.5f}};
    for (const Case& c : cases) {
        SetUp();
        tile(1, 1, kWaterTile, 1.0f);
        tile(1, 2, kFloatTile, 1.0f);
        tile(1, 3, kSwitchPlateTile, 2.5f);
        gMapObjects[0].present = 1;
        gObjectCells[0][0] = 1;
        gObjectCells[0][1] = 2;
        gStoryFlags[907] = static_cast<std::uint8_t>(c.stored);
        applyWaterLevel(c.level);
        EXPECT_EQ(cell(1, 1).floorColumn, c.dry ? 7 : 0);
        EXPECT_EQ(cell(1, 1).blocked, c.dry ? 0 : 1);
        EXPECT_FLOAT_EQ(cell(1, 1).height, c.dry ? 0.5f : 1.0f);
        EXPECT_FLOAT_EQ(cell(1, 2).height, c.dry ? 0.5f : 1.0f);
        EXPECT_FLOAT_EQ(gMapObjects[0].y, c.dry ? 0.5f : 1.0f);
        EXPECT_FLOAT_EQ(cell(1, 3).height, c.plate);
    }
}

TEST_F(Mechanisms, WaterSwitchDrainsOverOneHundredFramesThenStoresTheLevel) {
    tile(1, 1, kWaterTile, 1.0f);
    tile(5, 5, kSwitchPlateTile, 2.5f);
    gStoryFlags[907] = 6;  // this floor (level 4) is flooded
    applyWaterLevel(4);
    standOn(5, 5);
    gPlayerVSpeed = 0.1f;  // in the air: nothing
    updateWaterSwitch(4);
    EXPECT_EQ(gStoryFlags[908], 0);
    gPlayerVSpeed = 0.0f;
    updateWaterSwitch(4);
    EXPECT_EQ(gStoryFlags[908], 1);
    for (int frame = 1; frame <= 50; ++frame) updateWaterSwitch(4);
    EXPECT_FLOAT_EQ(cell(1, 1).height, 1.0f - 0.005f * 50);
    EXPECT_EQ(cell(1, 1).blocked, 1);
    for (int frame = 51; frame <= 100; ++frame) updateWaterSwitch(4);
    EXPECT_EQ(cell(1, 1).floorColumn, 7);
    EXPECT_EQ(cell(1, 1).blocked, 0);
    EXPECT_EQ(gStoryFlags[907], 6);
    updateWaterSwitch(4);  // the storing frame
    EXPECT_EQ(gStoryFlags[907], 4);
    EXPECT_EQ(gStoryFlags[908], 0);
    updateWaterSwitch(4);  // the level is this floor's: nothing
    EXPECT_EQ(gStoryFlags[908], 0);
}

TEST_F(Mechanisms, LiftTableJoinsTheSeaBaseShafts) {
    struct Case {
        int map, row, col;
        bool up;
        int toMap, toRow, toCol;
    } cases[] = {
        {114, 13, 40, true, 115, 41, 11},
        {114, 30, 40, true, 116, 2, 11},
        {114, 13, 40, false, 113, 13, 40},
        {115, 40, 10, false, 114, 12, 39},
        {115, 40, 10, true, 117, 12, -19},
        {116, 5, 10, false, 114, 33, 39},
        {116, 5, 40, true, 117, 33, 11},
        {117, 13, 10, false, 115, 41, 39},
        {117, 14, 10, false, 116, -14, 39},
        {80, 20, 20, true, 81, 20, 20},
        {80, 20, 20, false, 79, 20, 20},
    };
    for (const Case& c : cases) {
        const LiftDestination to = liftDestination(c.map, c.row, c.col, c.up);
        EXPECT_EQ(to.map, c.toMap) << c.map << " " << c.row;
        EXPECT_EQ(to.row, c.toRow) << c.map << " " << c.row;
        EXPECT_EQ(to.col, c.toCol) << c.map << " " << c.row;
    }
}

TEST_F(Mechanisms, LiftRideDepartsAfterThirtyThreeFramesAndArrivesAfterTwentyThree) {
    gCurrentMap = 114;
    tile(13, 40, kLiftTile, 3.0f);
    standOn(13, 40);
    checkLiftStart();
    EXPECT_EQ(gFieldEvent, kLiftDepartureEvent);
    EXPECT_EQ(gStoryFlags[904], 1);
    int frames = 0;
    while (gPendingMapChange.pending == 0 && frames < 100) {
        runLiftRide();
        ++frames;
    }
    EXPECT_EQ(frames, 33);
    EXPECT_FLOAT_EQ(cell(13, 40).height, 3.0f + 33 * 0.0625f);
    EXPECT_EQ(gPendingMapChange.map, 115);
    EXPECT_EQ(gPendingMapChange.row, 41);
    EXPECT_EQ(gPendingMapChange.col, 11);
    EXPECT_EQ(gStoryFlags[904], 2);
    EXPECT_EQ(gFieldEvent, 0);
    checkLiftStart();  // no second ride while the state is not 0
    EXPECT_EQ(gFieldEvent, 0);

    // the arrival floor
    resetFieldMap();
    gCurrentMap = 115;
    tile(41, 11, kLiftTile, 3.0f);
    beginLiftArrival();
    EXPECT_EQ(gFieldEvent, kLiftArrivalEvent);
    EXPECT_FLOAT_EQ(cell(41, 11).height, 4.5f);
    frames = 0;
    while (gFieldEvent != 0 && frames < 100) {
        runLiftRide();
        ++frames;
    }
    EXPECT_EQ(frames, 23);
    EXPECT_FLOAT_EQ(cell(41, 11).height, 4.5f - 23 * 0.0625f);  // 1/16 short of the file's height
    EXPECT_EQ(gStoryFlags[904], 3);
    standOn(41, 11);
    checkLiftStart();
    EXPECT_EQ(gFieldEvent, 0);
    standOn(20, 20);  // off the car: re-armed
    checkLiftStart();
    EXPECT_EQ(gStoryFlags[904], 0);
}

TEST_F(Mechanisms, GatesRiseAndSinkPastTheirBoundsByLessThanAStep) {
    struct Case {
        int map;
        float step;
        int flag;
        float start;
        float end;
    } cases[] = {
        {80, 0.25f, 1, 2.5f, 4.0f},        // exact steps land on the bound
        {80, 0.25f, 0, 4.0f, 2.5f},
        {85, 0.625f, 1, 2.5f, 4.375f},     // overshoots the top of 4.0
        {85, 0.625f, 0, 4.0f, 2.125f},     // and the bottom of 2.5
        {47, 1.0f / 64.0f, 1, 3.0f, 5.0f}, // maps below 50: 3.0 to 5.0
        {47, 0.625f, 0, 5.0f, 2.5f},       // 5.0, 4.375, 3.75, 3.125, then 2.5
    };
    for (const Case& c : cases) {
        SetUp();
        gCurrentMap = c.map;
        tile(2, 2, kGateTiles[1], c.start);
        gStoryFlags[901] = static_cast<std::uint8_t>(c.flag);
        for (int frame = 0; frame < 1000; ++frame) updateGateCells(c.step);
        EXPECT_NEAR(cell(2, 2).height, c.end, 1e-4) << c.map << " flag " << c.flag;
    }
}

TEST_F(Mechanisms, CameraTargetSetsMovesAndReturnsToThePlayer) {
    const float point[3] = {10.0f, 2.0f, 4.0f};
    setCameraTarget(0, point);
    EXPECT_FLOAT_EQ(gCameraTarget[0], 10.0f + 4.0f * 0.707106781f);
    EXPECT_FLOAT_EQ(gCameraTarget[1], 2.0f);
    EXPECT_FLOAT_EQ(gCameraTarget[2], 4.0f * 0.707106781f);
    EXPECT_EQ(gCameraSnap, 10);
    setCameraTarget(1, point);
    EXPECT_FLOAT_EQ(gCameraTarget[1], 4.0f);
    gPlayerPos[0] = 7.0f;
    setCameraTarget(2, point);
    EXPECT_FLOAT_EQ(gCameraTarget[0], 7.0f);
}

TEST_F(Mechanisms, CameraTargetShearsTheColumnInDouble) {
    // Columns where a float product c * 0.707106781f differs in its last bit
    // and would put the target in the column before.
    for (int col : {9, 13, 18, 26, 31, 36, 41, 47, 52, 57}) {
        const float point[3] = {6.0f, 0.0f, static_cast<float>(col)};
        setCameraTarget(0, point);
        EXPECT_EQ(gCameraTarget[2], static_cast<float>(col * 0.707106781)) << col;
        int cell[3];
        worldToCell(gCameraTarget, cell);
        EXPECT_EQ(cell[2], col) << col;
    }
}

namespace {

// A flat floor of height 1 over rows 5-20, columns 5-20, with a symbol on
// (10, 10) chasing at 0.05.
void chaseRoom() {
    for (int r = 5; r <= 20; ++r)
        for (int c = 5; c <= 20; ++c) gMapCells[r][c].height = 1.0f;
    MapObject& symbol = gMapObjects[3];
    symbol.present = 1;
    symbol.visible = 1;
    symbol.kind = 5;
    symbol.chaseSpeed = 0.05f;
    float centre[3];
    cellCentre(10, 10, centre);
    symbol.x = centre[0];
    symbol.y = centre[1];
    symbol.z = centre[2];
    symbol.pose = 7;
}

}  // namespace

TEST_F(Mechanisms, AnEnemySymbolStepsTowardThePlayerStraightOrDiagonally) {
    struct Case {
        float dx, dz;          // player - symbol
        float moveX, moveZ;    // expected move
        int facing;
    } cases[] = {
        {2.0f, 0.0f, 0.05f, 0.0f, 0},
        {-2.0f, 0.0f, -0.05f, 0.0f, 1},
        {0.0f, 0.5f, 0.0f, 0.05f, 9},  // a pure z move keeps the facing
        {2.0f, -0.5f, 0.05f * 0.707106781f, -0.05f * 0.707106781f, 0},
    };
    for (const Case& c : cases) {
        SetUp();
        chaseRoom();
        MapObject& symbol = gMapObjects[3];
        symbol.facing = 9;
        const float x = symbol.x, z = symbol.z;
        gPlayerPos[0] = x + c.dx;
        gPlayerPos[1] = 1.0f;
        gPlayerPos[2] = z + c.dz;
        int playerCell[3];
        worldToCell(gPlayerPos, playerCell);
        gFieldTick = 0;
        chaseActor(playerCell, 3);
        EXPECT_FLOAT_EQ(symbol.x, x + c.moveX) << c.dx << "," << c.dz;
        EXPECT_FLOAT_EQ(symbol.z, z + c.moveZ) << c.dx << "," << c.dz;
        EXPECT_EQ(symbol.facing, c.facing) << c.dx << "," << c.dz;
        EXPECT_EQ(symbol.pose, 1);
    }
}

TEST_F(Mechanisms, AnEnemySymbolStaysForAnotherFloorAWallOrAnotherFigure) {
    enum class Obstacle { OtherHeight, Blocked, Hole, Figure, Standing };
    for (Obstacle obstacle : {Obstacle::OtherHeight, Obstacle::Blocked, Obstacle::Hole, Obstacle::Figure,
                              Obstacle::Standing}) {
        SetUp();
        chaseRoom();
        MapObject& symbol = gMapObjects[3];
        const float x = symbol.x, z = symbol.z;
        gPlayerPos[0] = x + 3.0f;  // three rows up, same column
        gPlayerPos[1] = 1.0f;
        gPlayerPos[2] = z;
        int playerCell[3];
        worldToCell(gPlayerPos, playerCell);
        ASSERT_EQ(playerCell[0], 13);
        switch (obstacle) {
            case Obstacle::OtherHeight: gMapCells[13][10].height = 2.0f; break;
            case Obstacle::Blocked:
                symbol.x = x + 0.49f;  // the next step crosses into row 11
                gMapCells[11][10].blocked = 1;
                break;
            case Obstacle::Hole:
                symbol.x = x + 0.49f;
                gMapCells[11][10].height = 0.0f;
                break;
            case Obstacle::Figure:
                gMapObjects[7] = symbol;
                gMapObjects[7].chaseSpeed = 0.0f;
                gMapObjects[7].x = x + 0.4f;
                break;
            case Obstacle::Standing: symbol.chaseSpeed = 0.0f; break;
        }
        const float before = symbol.x;
        chaseActor(playerCell, 3);
        EXPECT_FLOAT_EQ(symbol.x, before) << static_cast<int>(obstacle);
        EXPECT_FLOAT_EQ(symbol.z, z) << static_cast<int>(obstacle);
        EXPECT_EQ(symbol.pose, 7) << "an early refusal leaves the pose alone";
    }
}
