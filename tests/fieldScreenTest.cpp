// Field frames on the test room, driven with scripted input on the null
// device: walking, jumping, falling, walls, contacts, chests, the camera and
// the end-of-frame scene change.
#include "tests/fieldFixture.h"

#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdlib>

#include "field/TouchObject.h"
#include "gamedata/GameData.h"

namespace {

using fieldtest::cellOfPlayer;
using fieldtest::FieldTest;

constexpr float kK = 0.707106781f;

TEST_F(FieldTest, WalkingIntoABlockedCellIsRefusedAndTheWallHoldsTheBillboardClear) {
    placePlayerOnArrival(19, 14);
    int row = 0, col = 0;
    for (int i = 0; i < 60; ++i) {
        frame(kInputRight);
        cellOfPlayer(row, col);
        ASSERT_LT(row, 22) << "frame " << i;
    }
    EXPECT_EQ(row, 21);
    // The billboard's right edge stops on the border of the wall's row.
    EXPECT_NEAR(gPlayerPos[0] + 0.5f, 22.0f + gPlayerPos[2], 1e-4);
    EXPECT_EQ(gPlayerFacing, 0);
}

TEST_F(FieldTest, WallPushMovesXOutOfWallsOnEitherSide) {
    struct Case {
        const char* name;
        float offsetFromRowBorder;  // x - z - row border
        float expected;             // x - z after one frame
    };
    // Column 14: row 9 and row 22 are walls; rows 10 to 21 floor.
    const Case cases[] = {
        {"near the right wall", 21.8f, 21.5f},
        {"near the left wall", 10.2f, 10.5f},
        {"clear of both", 15.5f, 15.5f},
    };
    for (const Case& c : cases) {
        placePlayerOnArrival(15, 14);
        gPlayerPos[0] = c.offsetFromRowBorder + gPlayerPos[2];
        frame(0);
        EXPECT_NEAR(gPlayerPos[0] - gPlayerPos[2], c.expected, 1e-4) << c.name;
    }
}

TEST_F(FieldTest, JumpOntoALedgeThenWalkOffAndFall) {
    // Column 19: floor at 1 up to row 17, the ledge at 2 from row 18.
    placePlayerOnArrival(17, 19);
    for (int i = 0; i < 10; ++i) frame(kInputRight);
    int row = 0, col = 0;
    cellOfPlayer(row, col);
    EXPECT_EQ(row, 17) << "a step of 1 is refused without a jump";
    EXPECT_FLOAT_EQ(gPlayerPos[1], 1.0f);

    // Decide with right jumps and walks at once.
    frame(kInputDecide + kInputRight);
    EXPECT_FLOAT_EQ(gPlayerVSpeed, 0.2f);
    float peak = 0.0f;
    ASSERT_TRUE(framesUntil(kInputRight, 120, [&] {
        peak = std::max(peak, gPlayerPos[1]);
        cellOfPlayer(row, col);
        return row >= 18 && gPlayerVSpeed == 0.0f;
    }));
    EXPECT_GT(peak, 2.0f);
    EXPECT_LT(peak, 2.2f);
    EXPECT_FLOAT_EQ(gPlayerPos[1], 2.0f);

    // Off the ledge: accepted, then a fall at 0, -0.02, -0.04... a frame.
    ASSERT_TRUE(framesUntil(kInputLeft, 40, [&] {
        cellOfPlayer(row, col);
        return row <= 17;
    }));
    const float y0 = gPlayerPos[1];
    frame(0);
    const float y1 = gPlayerPos[1];
    frame(0);
    const float y2 = gPlayerPos[1];
    EXPECT_LT(y1, y0 + 1e-6);
    EXPECT_LT(y2, y1);
    EXPECT_EQ(gPlayerPose, 1);
    settle();
    EXPECT_FLOAT_EQ(gPlayerPos[1], 1.0f);
    EXPECT_EQ(gPlayerPose, 0);
}

TEST_F(FieldTest, DownAndUpWalkTheDiagonalsUnlessConfigByte7IsSet) {
    struct Case {
        std::uint8_t byte7;
        int input;
        int rewritten;
        float dx, dz;
        std::uint8_t facing;
    };
    const Case cases[] = {
        {0, kInputDown, kInputDownLeft, -0.14142136f, -0.14142136f, 1},
        {0, kInputUp, kInputUpRight, 0.14142136f, 0.14142136f, 0},
        {0, kInputDecide + kInputDown, kInputDecide + kInputDownLeft, -0.14142136f, -0.14142136f, 1},
        {1, kInputDown, kInputDown, 0.0f, -0.2f, 7},
        {1, kInputUp, kInputUp, 0.0f, 0.2f, 7},
    };
    for (const Case& c : cases) {
        placePlayerOnArrival(15, 15);
        gPlayerFacing = 7;  // a marker: 2 and 8 leave the facing alone
        gConfig[7] = c.byte7;
        const float x = gPlayerPos[0], z = gPlayerPos[2];
        gInputCode = c.input;
        fieldtest::gTestClock += 16;
        runField(resources, device.get());
        EXPECT_EQ(gInputCode, c.rewritten) << "input " << c.input;
        EXPECT_NEAR(gPlayerPos[0] - x, c.dx, 1e-5) << "input " << c.input;
        EXPECT_NEAR(gPlayerPos[2] - z, c.dz, 1e-5) << "input " << c.input;
        EXPECT_EQ(gPlayerFacing, c.facing) << "input " << c.input;
        gPlayerVSpeed = 0.0f;
    }
}

TEST_F(FieldTest, AStepTriggerStartsItsEventAndRefusesTheMove) {
    putObject(3, kObjectPerson);  // slot 3 stands on (13, 17)
    placePlayerOnArrival(12, 17);
    int row = 0, col = 0;
    ASSERT_TRUE(framesUntil(kInputRight, 30, [] { return gFieldEvent != 0; }));
    EXPECT_EQ(gFieldEvent, 4);
    cellOfPlayer(row, col);
    EXPECT_EQ(row, 12);
    // While the event runs the player is frozen and nothing else is touched.
    const float x = gPlayerPos[0];
    frame(kInputRight);
    EXPECT_FLOAT_EQ(gPlayerPos[0], x);
}

// Within half a cell across and a tenth along, a person beside the player
// starts its event and the two turn to face each other; farther, nothing.
TEST_F(FieldTest, APersonBesideThePlayerTurnsToFaceIt) {
    struct Case {
        float dx, dz;  // player - object
        bool reached;
        std::uint8_t objectFacing, playerFacing;
    };
    const Case cases[] = {
        {-0.3f, 0.0f, true, 1, 0},   {0.3f, 0.0f, true, 0, 1},    {-0.48f, 0.0f, true, 1, 0},
        {0.48f, 0.0f, true, 0, 1},   {0.55f, 0.0f, false, 0, 9},  {-0.55f, 0.0f, false, 0, 9},
        {0.3f, 0.12f, false, 0, 9},  {-0.3f, -0.12f, false, 0, 9},
    };
    for (const Case& c : cases) {
        fieldtest::resetFieldWorld();
        ASSERT_TRUE(fieldtest::loadRoom());
        gPlayerVisible = 1;
        putObject(2, kObjectBeside);  // slot 2 on (15, 15)
        gPlayerPos[0] = gMapObjects[2].x + c.dx;
        gPlayerPos[1] = gMapObjects[2].y;
        gPlayerPos[2] = gMapObjects[2].z + c.dz;
        gPlayerFacing = 9;
        frame(0);  // standing still is enough: the accept step touches every frame
        EXPECT_EQ(gFieldEvent, c.reached ? 3 : 0) << c.dx << ", " << c.dz;
        if (c.reached) {
            EXPECT_EQ(gMapObjects[2].facing, c.objectFacing) << c.dx;
        }
        EXPECT_EQ(gPlayerFacing, c.playerFacing) << c.dx << ", " << c.dz;
    }
}

TEST_F(FieldTest, AnEnemySymbolStartsABattleUnlessThePlayerIsAboveIt) {
    struct Case {
        float above;
        bool battle;
    };
    for (const Case& c : {Case{0.8f, false}, Case{0.7f, true}, Case{0.0f, true}}) {
        gScene = 0;  // a battle met in the previous case left the field
        putObject(5, kObjectEnemy, 7);  // slot 5 on (20, 12)
        gMapObjects[5].chaseSpeed = 0.05f;
        gPlayerPos[0] = gMapObjects[5].x - 0.3f;
        gPlayerPos[1] = gMapObjects[5].y + c.above;
        gPlayerPos[2] = gMapObjects[5].z;
        gPlayerVSpeed = 0.0f;
        const float x = gPlayerPos[0];
        frame(0);
        EXPECT_EQ(gMapObjects[5].kind == 0, c.battle) << c.above;
        EXPECT_EQ(gScene, c.battle ? 10 : 0) << "a battle goes to its transition";
        if (c.battle) {
            EXPECT_EQ(gMapObjects[5].visible, 0);
            EXPECT_EQ(gMapObjects[5].index, 0);
            EXPECT_EQ(gMapObjects[5].chaseSpeed, 0.0f);
        }
        EXPECT_FLOAT_EQ(gPlayerPos[0], x) << "the contact does not refuse the move";
        EXPECT_EQ(gFieldEvent, 0);
    }
}

TEST_F(FieldTest, AChestIsOpenedOnceByJumpingIntoItFromBelow) {
    putObject(1, kObjectChest, 5);  // slot 1 on (12, 12), floor 1
    gMapObjects[1].height = 1.8f;   // base at 2.8
    gMapObjects[1].character = 1000;
    gMapObjects[1].pose = 500;
    placePlayerOnArrival(12, 12);
    frame(kInputDecide);
    ASSERT_TRUE(framesUntil(0, 60, [] { return gFieldEvent != 0; }));
    EXPECT_EQ(gFieldEvent, 1000);
    EXPECT_EQ(gChestFlags[5], 1);
    EXPECT_STREQ(gSpeakerName, "");
    EXPECT_STREQ(gMessageText, "500フォッグ手に入れた！");
    EXPECT_EQ(gMoney[0], 500);
    // Knocked down: feet at base - 1 with -0.2, then one frame of gravity.
    EXPECT_LT(gPlayerPos[1], 1.8f);
    EXPECT_LT(gPlayerVSpeed, -0.2f);

    // The next bump only knocks the player down.
    settle();
    ASSERT_EQ(gFieldEvent, 0);
    frame(kInputDecide);
    bool bumped = false;
    for (int i = 0; i < 60 && !bumped; ++i) {
        const float v = gPlayerVSpeed;
        frame(0);
        bumped = v > 0.0f && gPlayerVSpeed < -0.2f;
        EXPECT_EQ(gFieldEvent, 0);
    }
    EXPECT_TRUE(bumped);
}

TEST_F(FieldTest, AChestNumberOutsideTheFlagsIsNeverOpened) {
    for (int chest : {-1, 1000, 70000}) {
        putObject(1, kObjectChest, chest);
        gMapObjects[1].height = 0.0f;  // base on the floor, right at hand
        placePlayerOnArrival(11, 12);
        const int target[3] = {12, 0, 12};
        const float at[3] = {gPlayerPos[0] + 1.0f, gPlayerPos[1], gPlayerPos[2]};
        EXPECT_EQ(touchObject(target, at), 0) << chest;
        EXPECT_EQ(gFieldEvent, 0) << chest;
    }
}

TEST_F(FieldTest, AnAutomaticObjectFiresWhereverThePlayerStandsLowestSlotFirst) {
    putObject(9, kObjectAutomatic);
    putObject(6, kObjectAutomatic);
    frame(0);
    EXPECT_EQ(gFieldEvent, 7);
}

TEST_F(FieldTest, MovesOffTheGridAreRefused) {
    // A room of floor reaching the grid's edge.
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) gMapCells[r][c] = {0, 1.0f, 1, 1, 1, 2, 0};
    }
    placePlayerOnArrival(0, 0);
    for (int i = 0; i < 30; ++i) frame(kInputLeft);
    for (int i = 0; i < 30; ++i) frame(kInputDownLeft);
    int row = 0, col = 0;
    cellOfPlayer(row, col);
    EXPECT_EQ(row, 0);
    EXPECT_EQ(col, 0);
    EXPECT_FLOAT_EQ(gPlayerPos[1], 1.0f);
}

TEST_F(FieldTest, TheCameraGlidesAfterAMoveCutsOnRequestAndHonoursAGlideLength) {
    frame(kInputRight);
    EXPECT_EQ(resources.cameraTrack->duration(), 300u);
    EXPECT_EQ(resources.cameraTrack->start(), fieldtest::gTestClock);

    gCameraGlide = 15;
    gCameraSnap = 1;
    frame(0);
    EXPECT_EQ(resources.cameraTrack->duration(), 1500u);
    EXPECT_EQ(gCameraGlide, 0);
    EXPECT_EQ(gCameraSnap, 0);

    // Standing still with the field's camera: the track holds.
    const std::uint32_t start = resources.cameraTrack->start();
    fieldtest::gTestClock += 2000;
    frame(0);
    EXPECT_EQ(resources.cameraTrack->start(), start);

    // A cut: the look point is on the target at once.
    placePlayerOnArrival(20, 15);
    gCameraSnap = 2;
    frame(0);
    float c0 = 0, ch[6] = {};
    int finished = 0;
    resources.cameraTrack->evaluateTrack(fieldtest::gTestClock, &c0, &finished, ch);
    EXPECT_FLOAT_EQ(ch[0], gPlayerPos[0]);
    EXPECT_FLOAT_EQ(ch[2], gPlayerPos[2]);
    EXPECT_EQ(ch[5], 1.0f);
}

TEST_F(FieldTest, TheCancelKeyOpensTheCampMenuOnlyWhenAllowed) {
    frame(kInputCancel);
    EXPECT_EQ(gScene, 0);
    gCampMenuAllowed = 1;
    frame(kInputCancel);
    EXPECT_EQ(gScene, 200);
    EXPECT_EQ(gPendingMapChange.pending, 0);
}

// The event step of the map-change tests: asks for a change as changeMap does.
int gChangeTo = 0;
void requestChangeOnFirstStep() {
    gPendingMapChange.facing = 1;
    gPendingMapChange.row = 14;
    gPendingMapChange.col = 14;
    gPendingMapChange.map = gChangeTo;
    gPendingMapChange.pending = 1;
    std::memcpy(gPendingMapChange.storyFlags, gStoryFlags, sizeof gStoryFlags);
    gPendingMapChange.playerVisible = gPlayerVisible;
    gScene = 1;
    gFieldEvent = 0;
    gEventStep = 0;
}

void enterShop() { gScene = 300; }

struct FieldMapChange : FieldTest {
    std::string folder;
    char previous[4096] = {};
    void SetUp() override {
        FieldTest::SetUp();
        // The new map is the room itself written as map 7 in a game folder of
        // the test's own: one folder per run, since ctest runs this fixture's
        // tests side by side and the map writer replaces files by renaming.
        std::string pattern = testing::TempDir() + "fieldMapChangeXXXXXX";
        ASSERT_NE(mkdtemp(pattern.data()), nullptr);
        folder = pattern;
        ASSERT_EQ(mkdir((folder + "/Data").c_str(), 0755), 0);
        ASSERT_EQ(writeMapFile((folder + "/Data/Map_7.dat").c_str()), 0);
        ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
        ASSERT_EQ(chdir(folder.c_str()), 0);
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous), 0);
        ASSERT_EQ(system(("rm -rf '" + folder + "'").c_str()), 0);
        FieldTest::TearDown();
    }
};

TEST_F(FieldMapChange, AMapChangeCompletesAtTheEndOfTheFrameThatAskedForIt) {
    gChangeTo = 7;
    gFieldEventRunner = requestChangeOnFirstStep;
    placePlayerOnArrival(18, 15);
    gFieldEvent = 3;
    gRedrawRequest[0] = gRedrawRequest[1] = 0;
    frame(0);
    EXPECT_EQ(gCurrentMap, 7);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gPlayerFacing, 1);
    EXPECT_FLOAT_EQ(gPlayerPos[0], 14.0f + static_cast<float>(14 * 0.707106781) + 0.5f);
    EXPECT_FLOAT_EQ(gPlayerPos[1], 1.0f);
    EXPECT_FLOAT_EQ(gCameraTarget[0], gPlayerPos[0]);
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
    int row = 0, col = 0;
    cellOfPlayer(row, col);
    EXPECT_EQ(row, 14);
    EXPECT_EQ(col, 14);
}

TEST_F(FieldMapChange, ArrivalFromAboveRaisesThePlayerBy20AndClearsTheFlag) {
    gChangeTo = 7;
    gFieldEventRunner = requestChangeOnFirstStep;
    gStoryFlags[903] = 1;
    gFieldEvent = 3;
    frame(0);
    EXPECT_FLOAT_EQ(gPlayerPos[1], 21.0f);
    EXPECT_FLOAT_EQ(gCameraTarget[1], 21.0f);
    EXPECT_EQ(gStoryFlags[903], 0);
}

TEST_F(FieldTest, TheSnapshotPassOnlyDraws) {
    // A player rising and an automatic trigger in the room: the frame that
    // enters the shop moves the player once, and the snapshot pass neither
    // moves it again nor touches the trigger.
    gFieldEventRunner = enterShop;
    gFieldEvent = 3;
    gEventStep = 0;
    gPlayerVSpeed = 0.1f;
    const float y = gPlayerPos[1];
    frame(0);
    EXPECT_EQ(gScene, 300);
    ASSERT_TRUE(resources.layer1Target);
    EXPECT_FLOAT_EQ(gPlayerPos[1], y + 0.1f);
    EXPECT_EQ(gEventPicture, 0);

    // The battle transition and the other screens draw the field behind
    // them: nothing moves, nothing is touched.
    gFieldEvent = 0;
    putObject(6, kObjectAutomatic);
    gScene = 10;
    const float rising = gPlayerPos[1];
    frame(kInputRight);
    EXPECT_FLOAT_EQ(gPlayerPos[1], rising);
    EXPECT_EQ(gFieldEvent, 0);
}

}  // namespace
