#include <gtest/gtest.h>

#include <cmath>

#include "field/FieldMap.h"
#include "field/WorldToCell.h"

namespace {

struct CellCase {
    float x, z;
    int row, column;
    const char* what;
};

void expectCell(const CellCase& c) {
    const float pos[3] = {c.x, 123.0f, c.z};
    int out[3] = {7, 7, 7};
    worldToCell(pos, out);
    EXPECT_EQ(out[0], c.row) << c.what << " at (" << c.x << ", " << c.z << ")";
    EXPECT_EQ(out[1], 0) << c.what;
    EXPECT_EQ(out[2], c.column) << c.what << " at (" << c.x << ", " << c.z << ")";
}

TEST(WorldToCell, PointsFallIntoTheirShearedCells) {
    const CellCase cases[] = {
        {0.5f, 0.3f, 0, 0, "inside the first cell"},
        {-0.1f, 0.3f, -1, 0, "left of the grid"},
        {5.5f, -0.2f, 5, -1, "in front of the grid"},
        {0.3f, 0.3f, 0, 0, "on the row border x - z = 0 stays in the row"},
        {1.0f, 0.0f, 0, 0, "x exactly 1 is the right edge of row 0"},
        {1.0000001f, 0.0f, 1, 0, "a float past 1 is row 1"},
        {1.3f, 0.3f, 0, 0, "border of rows 0 and 1 (float 1.3 - 1 < 0.3)"},
        {2.3f, 0.3f, 1, 0, "border of rows 1 and 2 falls back into row 1"},
        {200.0f, 0.3f, 199, 0, "beyond the grid the row grows past 59"},
        {59.9f, 0.1f, 59, 0, "last row"},
        {-50.0f, -50.0f, 0, -1, "far in front on the row-0 line: column stops at -1"},
        {-50.0f, 3.0f, -1, 4, "far to the left: row stops at -1"},
        {1000.0f, 1000.0f, 0, 1414, "far behind: the column grows past 59"},
    };
    for (const CellCase& c : cases) expectCell(c);
}

TEST(WorldToCell, ColumnBordersFollowTheSinglePrecisionRule) {
    // z <= k (double) is column 0; the float nearest k lies below it.
    const CellCase cases[] = {
        {0.70710677f, 0.70710677f, 0, 0, "float k is still column 0"},
        {0.5f, 0.70710677f, -1, 0, "x below z in column 0 is row -1"},
        {0.5f, 0.70710683f, -1, 1, "the next float is column 1"},
        {0.0f, 1.4142135f, -1, 1, "last float of column 1"},
        {0.0f, 1.4142137f, -1, 2, "first float of column 2"},
        {0.0f, 41.719296f, -1, 58, "last float of column 58"},
        {0.0f, 41.7193f, -1, 59, "first float of column 59"},
        {0.0f, 42.4264f, -1, 59, "last float of column 59"},
        {0.0f, 42.426407f, -1, 60, "first float beyond the grid"},
    };
    for (const CellCase& c : cases) expectCell(c);
}

TEST(WorldToCell, CellCornersBelongToTheCellBelowOrBeside) {
    // A corner (r + c*k, c*k) lies on the border of up to four cells; the
    // inclusive column bound and the "while xr > 1" row loop decide.
    const CellCase cases[] = {
        {0.0f, 0.0f, 0, 0, "corner of (0, 0)"},
        {1.7071068f, 0.70710677f, 1, 0, "corner of (1, 1) is the top edge of (1, 0)"},
        {5.8284273f, 2.828427f, 3, 4, "corner of (3, 4) keeps its column by rounding"},
        {24.142136f, 14.142136f, 10, 19, "corner of (10, 20)"},
        {100.7193f, 41.7193f, 58, 59, "corner of (59, 59) is the right edge of row 58"},
        {41.7193f, 41.7193f, 0, 59, "corner of (0, 59)"},
        {59.0f, 0.0f, 58, 0, "corner of (59, 0)"},
        {51.213203f, 21.213203f, 29, 30, "corner of (30, 30)"},
        {15.535534f, 3.535534f, 11, 5, "corner of (12, 5)"},
    };
    for (const CellCase& c : cases) expectCell(c);
}

TEST(WorldToCell, CentresAndArrivalPointsLieInTheirOwnCell) {
    for (int row = 0; row < kMapRows; ++row) {
        for (int column = 0; column < kMapColumns; ++column) {
            float centre[3];
            cellCentre(row, column, centre);
            int out[3];
            worldToCell(centre, out);
            ASSERT_EQ(out[0], row) << "centre of (" << row << ", " << column << ")";
            ASSERT_EQ(out[2], column) << "centre of (" << row << ", " << column << ")";

            // A map change puts the player at x = r + c*k + 0.5, z = centre z.
            const float arrival[3] = {static_cast<float>(row + column * kGridShear + 0.5), 0.0f, centre[2]};
            worldToCell(arrival, out);
            ASSERT_EQ(out[0], row) << "arrival on (" << row << ", " << column << ")";
            ASSERT_EQ(out[2], column) << "arrival on (" << row << ", " << column << ")";
        }
    }
}

TEST(WorldToCell, PointsThatAreNotNumbersLieOutsideTheGrid) {
    const float nan = std::nanf("");
    const float inf = INFINITY;
    const float cases[][3] = {{nan, 0, 1}, {1, 0, nan}, {inf, 0, 1}, {1, 0, inf}, {-inf, 0, -inf}};
    for (const auto& pos : cases) {
        int out[3];
        worldToCell(pos, out);  // must return, and never below -1
        EXPECT_GE(out[0], -1);
        EXPECT_GE(out[2], -1);
        EXPECT_FALSE(cellInsideGrid(out[0], out[2]) && (std::isnan(pos[0]) || std::isnan(pos[2])));
    }
}

}  // namespace
