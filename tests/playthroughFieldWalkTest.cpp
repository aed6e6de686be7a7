// The whole-game player's walk, played through the field's own frames on the
// test room: where it presses a direction, the field must carry it there.
#include "tests/fieldFixture.h"

#include "tools/playthrough/FieldWalk.h"

namespace {

using fieldtest::cellOfPlayer;
using fieldtest::FieldTest;

struct FieldWalkOverLowSteps : FieldTest {
    // The room afresh, with no one in it.
    static void emptyRoom() {
        ASSERT_TRUE(fieldtest::loadRoom());
        for (MapObject& o : gMapObjects) o.present = 0;
        resetWalkProgress();
    }
    // Raises the cells of `rows` x `cols` to `height`.
    static void raise(int row0, int row1, int col0, int col1, float height) {
        for (int r = row0; r <= row1; ++r)
            for (int c = col0; c <= col1; ++c) gMapCells[r][c].height = height;
    }
    // Walks with the walker's codes onto (row, col); false when the frame
    // budget runs out first.
    bool walkOnto(int row, int col, int budget) {
        for (int i = 0; i < budget; ++i) {
            bool lost = false;
            frame(walkOntoCell(row, col, &lost));
            if (lost) return false;
            int r = 0, c = 0;
            cellOfPlayer(r, c);
            if (r == row && c == col && gPlayerVSpeed == 0.0f) return true;
        }
        return false;
    }
};

TEST_F(FieldWalkOverLowSteps, CrossesARiseOfUpToTheClimbInEitherDirection) {
    // The room is floor at 1.0 from row 10 to 21 and column 10 to 21. A
    // strip a little higher runs across it, once across the rows (a walk
    // along the rows must climb it), once across the columns. Across the
    // rows the wall push refuses feet any lower than the next cell: a
    // walker that only jumped rises above the climb stood pressing into
    // such a strip for good.
    struct Case {
        const char* name;
        bool acrossTheRows;
        float height;
    };
    const Case cases[] = {
        {"a tenth up, met along the rows", true, 1.1f},
        {"a twentieth up, met along the rows", true, 1.05f},
        {"half up, met along the rows", true, 1.5f},
        {"a tenth up, met along the columns", false, 1.1f},
        {"half up, met along the columns", false, 1.5f},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        emptyRoom();
        if (c.acrossTheRows) {
            raise(16, 21, 10, 17, c.height);
            placePlayerOnArrival(12, 12);
            EXPECT_TRUE(walkOnto(18, 12, 400));
        } else {
            raise(10, 21, 16, 17, c.height);
            placePlayerOnArrival(12, 12);
            EXPECT_TRUE(walkOnto(12, 17, 400));
        }
        EXPECT_FLOAT_EQ(gPlayerPos[1], c.height);
    }
}

TEST_F(FieldWalkOverLowSteps, MeetsASymbolHeldUpOffTheMiddleOfItsCell) {
    // Two chasing symbols that come close stop each other; one stood still
    // a fifth of a cell from its near edge. Walking in from the far side,
    // the feet enter its cell out of its reach, and a walk that only aims
    // at the cell turned back to the cell beside it, again and again.
    emptyRoom();
    putObject(5, kObjectEnemy, 7);  // slot 5: column 12
    MapObject& symbol = gMapObjects[5];
    symbol.chaseSpeed = 0.0f;       // held up
    symbol.x = symbol.z + 16.2f;    // row 16, near its edge to row 15
    placePlayerOnArrival(20, 12);
    bool met = false;
    for (int i = 0; i < 600 && !met; ++i) {
        bool lost = false;
        frame(walkTowardsNearestEnemy(&lost));
        ASSERT_FALSE(lost);
        met = gScene == 10;
    }
    EXPECT_TRUE(met) << "the player stands at row " << playerRow() << ", column " << playerColumn();
}

}  // namespace
