#include <gtest/gtest.h>

#include "field/FieldMap.h"
#include "field/WallPush.h"
#include "field/WorldToCell.h"

namespace {

// A strip of column 0 (z in 0..k, no shear): rows 0-9 floor at height 1.
void floorStrip() {
    resetFieldMap();
    for (int r = 0; r < 10; ++r) gMapCells[r][0].height = 1.0f;
}

struct PushCase {
    const char* what;
    void (*setUp)();
    float x, feet, z;
    float expectedX;
};

TEST(WallPush, KeepsABillboardOutOfRowsItMayNotOverlap) {
    const PushCase cases[] = {
        {"open floor on both sides: no push", [] {}, 5.3f, 1.0f, 0.3f, 5.3f},
        {"a wall (blocked 1) on the left: x - 0.5 goes to the border", [] { gMapCells[4][0].blocked = 1; }, 5.3f, 1.0f, 0.3f,
         4.0f + 0.3f + 1.5f},
        {"a wall on the right: x + 0.5 goes to the border", [] { gMapCells[6][0].blocked = 1; }, 5.9f, 1.0f, 0.3f,
         6.0f + 0.3f - 0.5f},
        {"blocked 2 refuses a move but is no wall", [] { gMapCells[4][0].blocked = 2; }, 5.3f, 1.0f, 0.3f, 5.3f},
        {"a floorless row pushes", [] { gMapCells[6][0].height = 0.0f; }, 5.9f, 1.0f, 0.3f, 6.3f - 0.5f},
        {"a higher row than both feet and own cell pushes", [] { gMapCells[4][0].height = 1.5f; }, 5.3f, 1.0f, 0.3f, 5.8f},
        {"a higher row below the feet (mid-jump) does not", [] { gMapCells[4][0].height = 1.5f; }, 5.3f, 1.6f, 0.3f, 5.3f},
        {"a lower row does not", [] { gMapCells[4][0].height = 0.5f; }, 5.3f, 1.0f, 0.3f, 5.3f},
        {"left of the grid pushes back in", [] {}, 0.4f, 1.0f, 0.3f, -1.0f + 0.3f + 1.5f},
    };
    for (const PushCase& c : cases) {
        floorStrip();
        c.setUp();
        float pos[3] = {c.x, c.feet, c.z};
        pushPositionOutOfWalls(pos);
        EXPECT_FLOAT_EQ(pos[0], c.expectedX) << c.what;
        EXPECT_EQ(pos[1], c.feet) << c.what;
        EXPECT_EQ(pos[2], c.z) << c.what;
    }
}

TEST(WallPush, RightEdgeOfTheGridPushesBackIn) {
    resetFieldMap();
    for (int r = 50; r < 60; ++r) gMapCells[r][0].height = 1.0f;
    float pos[3] = {59.8f, 1.0f, 0.2f};
    pushPositionOutOfWalls(pos);
    EXPECT_FLOAT_EQ(pos[0], 60.0f + 0.2f - 0.5f);
    int cell[3];
    worldToCell(pos, cell);
    EXPECT_EQ(cell[0], 59);
}

TEST(WallPush, ACorridorOneRowWideHoldsTheBillboardInIt) {
    resetFieldMap();
    gMapCells[5][0].height = 1.0f;  // walls (floorless) on both sides
    float pos[3] = {5.2f, 1.0f, 0.1f};
    pushPositionOutOfWalls(pos);
    EXPECT_FLOAT_EQ(pos[0], 5.0f + 0.1f + 0.5f);  // left push lands it centred: 1 wide in a 1-wide row
    int cell[3];
    worldToCell(pos, cell);
    EXPECT_EQ(cell[0], 5);
}

}  // namespace
