#include <gtest/gtest.h>

#include <unistd.h>

#include <cstring>
#include <filesystem>
#include <string>

#include "engine/Input.h"
#include "engine/TextLayers.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "field/MapEditor.h"
#include "tests/shopFixture.h"

namespace {

constexpr int kMap = 5;
const EditorCellValues kFloor{1, 1, 1, 2, 1.0f, 0};
const EditorCellValues kWall{11, 0, 1, 2, 3.0f, 1};
const EditorCellValues kSand{4, 2, 1, 2, 1.5f, 0};

void put(int row, int col, const EditorCellValues& v) {
    MapCell& cell = gMapCells[row][col];
    cell.floorColumn = v.floorColumn;
    cell.floorRow = v.floorRow;
    cell.wallColumn = v.wallColumn;
    cell.wallRow = v.wallRow;
    cell.height = v.height;
    cell.blocked = v.blocked;
}

bool same(const MapCell& cell, const EditorCellValues& v) {
    return cell.floorColumn == v.floorColumn && cell.floorRow == v.floorRow && cell.wallColumn == v.wallColumn &&
           cell.wallRow == v.wallRow && cell.height == v.height && cell.blocked == v.blocked;
}

// A 5 x 5 floor at rows and columns 10-14 inside a ring of wall, and a floor
// island at (16, 16) that touches the ring only at a corner.
void buildFixtureMap() {
    resetFieldMap();
    for (int r = 9; r <= 15; ++r) {
        for (int c = 9; c <= 15; ++c) put(r, c, (r == 9 || r == 15 || c == 9 || c == 15) ? kWall : kFloor);
    }
    put(16, 16, kFloor);
    put(30, 30, kSand);
    gMapObjects[3].present = 1;
    gObjectCells[3][0] = 12;
    gObjectCells[3][1] = 12;
    gMapCells[12][12].objectLink = 4;
}

class MapEditor : public ::testing::Test {
protected:
    void SetUp() override {
        previous_ = std::filesystem::current_path();
        dir_ = std::filesystem::temp_directory_path() / ("corvadine_editor_" + std::to_string(getpid()));
        std::filesystem::remove_all(dir_);
        std::filesystem::create_directories(dir_ / "Data");
        std::filesystem::current_path(dir_);

        resetFieldState();
        resetInput();
        resetTextLayers();
        resetMapEditor();
        std::memset(&gPendingMapChange, 0, sizeof gPendingMapChange);
        buildFixtureMap();
        ASSERT_EQ(saveMap(kMap), 0);
        gPendingMapChange.map = kMap;
        gCommandCode = 0;  // the developer mode
        command(kMapCommandToggle);
        ASSERT_EQ(gDebugMode, 1);
    }
    void TearDown() override {
        resetMapEditor();
        resetInput();
        std::filesystem::current_path(previous_);
        std::filesystem::remove_all(dir_);
    }

    static void standOn(int row, int col) {
        cellCentre(row, col, gPlayerPos);
        gPlayerPos[1] = mapCell(row, col).height;
    }
    // One editor frame on a frame that takes commands.
    void command(int code, int input = 0) {
        gFieldTick = 0;
        gCommandCode = code;
        gInputCode = input;
        runMapEditor(drawn_.resources, nullptr);
        gCommandCode = 0;
    }
    void frame(int input, GraphicsResources* resources = nullptr, gfx::Device* device = nullptr) {
        gFieldTick = 0;
        gInputCode = input;
        runMapEditor(resources ? *resources : drawn_.resources, device);
    }

    shoptest::Drawn drawn_;
    std::filesystem::path previous_, dir_;
};

TEST(MapEditorOff, InNormalPlayTheEditorNeitherDrawsNorObeysCommands) {
    resetMapEditor();
    resetInput();  // gCommandCode 999: the shipped game's only value
    shoptest::Drawn drawn;
    gRedrawRequest[0] = 1;
    for (int tick = 0; tick < 6; ++tick) {
        gFieldTick = tick;
        gInputCode = kInputCancel;
        runMapEditor(drawn.resources, &drawn.device);
    }
    EXPECT_EQ(gDebugMode, 0);
    EXPECT_EQ(gEditorPage, 0);
    EXPECT_EQ(gInputCode, kInputCancel);
    EXPECT_TRUE(drawn.device.calls.empty());

    gDebugMode = 1;  // even switched on by hand, it draws nothing
    runMapEditor(drawn.resources, &drawn.device);
    EXPECT_TRUE(drawn.device.textDraws.empty());
}

TEST_F(MapEditor, CaptionShowsTheCellAndDebugModeInRed) {
    standOn(12, 13);
    frame(0, &drawn_.resources, &drawn_.device);
    ASSERT_NE(drawn_.findText("(12,13,1.00h)\n"), nullptr);
    const auto* red = drawn_.findText("Debug Mode");
    ASSERT_NE(red, nullptr);
    EXPECT_EQ(red->colour, 0xFFFF0000u);
    EXPECT_EQ(red->font.height, 15);
}

TEST_F(MapEditor, CommandsWorkOnlyOnEveryThirdFrame) {
    standOn(12, 12);
    for (int tick = 0; tick < 6; ++tick) {
        gFieldTick = tick;
        gCommandCode = kMapCommandRaise;
        runMapEditor(drawn_.resources, nullptr);
    }
    EXPECT_FLOAT_EQ(gMapCells[12][12].height, 2.0f);  // ticks 0 and 3
}

TEST_F(MapEditor, HeightCommandsRaiseByHalvesAndNeverGoBelowZero) {
    struct Case { float start; int code; float expected; };
    const Case cases[] = {{1.0f, kMapCommandRaise, 1.5f}, {1.0f, kMapCommandLower, 0.5f}, {0.3f, kMapCommandLower, 0.0f},
                          {0.0f, kMapCommandLower, 0.0f}};
    for (const Case& c : cases) {
        gEditorMap.cells[12][12].height = c.start;
        standOn(12, 12);
        command(c.code);
        EXPECT_FLOAT_EQ(gMapCells[12][12].height, c.expected) << c.start << " " << c.code;
        EXPECT_FLOAT_EQ(gEditorMap.cells[12][12].height, c.expected);
    }
}

TEST_F(MapEditor, RememberedCellIsCopiedWithHeightBlockedAndTiles) {
    standOn(30, 30);
    command(kMapCommandRemember);
    EXPECT_EQ(gEditorSourceCell[0], 30);
    EXPECT_EQ(gEditorSourceCell[1], 30);
    standOn(11, 11);
    command(kMapCommandCopy);
    EXPECT_TRUE(same(gMapCells[11][11], kSand));
    EXPECT_TRUE(same(gMapCells[11][12], kFloor));  // only the cell under the player
}

TEST_F(MapEditor, FillChangesExactlyTheFourConnectedRegion) {
    standOn(30, 30);
    command(kMapCommandRemember);
    standOn(12, 12);
    command(kMapCommandFill);
    int sand = 0;
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) sand += same(gMapCells[r][c], kSand) ? 1 : 0;
    }
    EXPECT_EQ(sand, 25 + 1);  // the 5 x 5 floor and the source itself
    EXPECT_TRUE(same(gMapCells[16][16], kFloor));  // the island touches only at a corner
    EXPECT_TRUE(same(gMapCells[9][12], kWall));
    EXPECT_EQ(gMapCells[12][12].objectLink, 4);  // the fill carries no object links
}

TEST_F(MapEditor, FillOnACellEqualToTheSourceChangesNothing) {
    standOn(12, 12);
    command(kMapCommandRemember);
    standOn(13, 13);
    const EditorMap before = gEditorMap;
    command(kMapCommandFill);
    EXPECT_EQ(std::memcmp(&before, &gEditorMap, sizeof before), 0);
}

TEST(FloodFill, AWholeMapRegionFillsWithoutDeepRecursion) {
    static MapCell cells[kMapRows][kMapColumns];
    std::memset(cells, 0, sizeof cells);
    const EditorCellValues old{0, 0, 0, 0, 0.0f, 0};
    EXPECT_EQ(floodFillCells(cells, kSand, old, 59, 0), kMapRows * kMapColumns);
    EXPECT_EQ(floodFillCells(cells, kSand, kSand, 0, 0), 0);
    EXPECT_EQ(floodFillCells(cells, kFloor, kSand, -1, 0), 0);
    EXPECT_EQ(floodFillCells(cells, kFloor, kSand, 0, 60), 0);
}

TEST_F(MapEditor, EditMenuTogglesPassabilityAndObjects) {
    standOn(11, 11);
    command(kMapCommandEditMenu);
    ASSERT_EQ(gEditorPage, 1);
    frame(kInputDown);
    frame(kInputDown);
    ASSERT_EQ(gEditorCursor, 2);
    frame(kInputDecide);
    EXPECT_EQ(gMapCells[11][11].blocked, 1);
    EXPECT_EQ(gEditorPage, 0);

    // line 3 places an object in the first free slot, then removes it
    command(kMapCommandEditMenu);
    frame(kInputDown);
    frame(kInputDecide);
    EXPECT_EQ(gMapCells[11][11].objectLink, 1);
    EXPECT_EQ(gMapObjects[0].present, 1);
    EXPECT_EQ(gObjectCells[0][0], 11);
    EXPECT_EQ(gObjectCells[0][1], 11);
    float centre[3];
    cellCentre(11, 11, centre);
    EXPECT_FLOAT_EQ(gMapObjects[0].x, centre[0]);
    EXPECT_FLOAT_EQ(gMapObjects[0].z, centre[2]);

    standOn(12, 12);  // slot 3 linked here by the file
    command(kMapCommandEditMenu);
    frame(kInputDecide);
    EXPECT_EQ(gMapObjects[3].present, 0);
    EXPECT_EQ(gMapCells[12][12].objectLink, 0);
}

TEST_F(MapEditor, ObjectToggleOnAFullMapPlacesNothing) {
    for (MapObject& o : gEditorMap.objects) o.present = 1;
    standOn(11, 11);
    command(kMapCommandEditMenu);
    gEditorCursor = 3;
    frame(kInputDecide);
    EXPECT_EQ(gMapCells[11][11].objectLink, 0);
}

TEST_F(MapEditor, TilePickerMovesTheTileAndStopsAtTheAtlasEdge) {
    standOn(12, 12);
    command(kMapCommandEditMenu);
    frame(kInputDecide);  // line 0: the floor tile
    ASSERT_EQ(gEditorSubMode, 1);
    struct Step { int input; int column, row; };
    const Step steps[] = {{kInputRight, 2, 1}, {kInputDownRight, 3, 2}, {kInputUpLeft, 2, 1}, {kInputUp, 2, 0},
                          {kInputUp, 2, 0}, {kInputDownLeft, 1, 1}};
    for (const Step& s : steps) {
        frame(s.input);
        EXPECT_EQ(gMapCells[12][12].floorColumn, s.column) << s.input;
        EXPECT_EQ(gMapCells[12][12].floorRow, s.row) << s.input;
    }
    gEditorMap.cells[12][12].floorColumn = 19;
    for (int i = 0; i < 3; ++i) frame(kInputRight);
    EXPECT_EQ(gMapCells[12][12].floorColumn, 19);
    frame(kInputDecide);
    EXPECT_EQ(gEditorSubMode, 0);

    frame(kInputDown);  // the wall picker changes the wall tile
    frame(kInputDecide);
    ASSERT_EQ(gEditorSubMode, 2);
    frame(kInputDown);
    EXPECT_EQ(gMapCells[12][12].wallRow, kFloor.wallRow + 1);
    frame(kInputCancel);
    EXPECT_EQ(gEditorSubMode, 0);
    frame(kInputCancel);
    EXPECT_EQ(gEditorPage, 0);
}

TEST_F(MapEditor, SavedMapReloadsEqualAndHoldsNoMechanismState) {
    standOn(12, 12);
    command(kMapCommandRaise);
    standOn(30, 30);
    command(kMapCommandRemember);
    standOn(11, 11);
    command(kMapCommandCopy);
    // a set-up's water or gate writes into the live arrays between edits
    gMapCells[20][20].height = 7.0f;
    gMapObjects[3].visible = 1;
    const EditorMap edited = gEditorMap;

    frame(kInputCancel);  // the file menu
    ASSERT_EQ(gEditorPage, 2);
    frame(kInputDown);
    frame(kInputDown);
    frame(kInputDecide);  // 書き出し: written on the next frame
    ASSERT_EQ(gEditorSubMode, 2);
    frame(0);
    EXPECT_EQ(gEditorPage, 0);

    resetFieldMap();
    ASSERT_EQ(loadMap(kMap), 0);
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            ASSERT_TRUE(same(gMapCells[r][c], editorCellValues(edited.cells[r][c]))) << r << "," << c;
            ASSERT_EQ(gMapCells[r][c].objectLink, edited.cells[r][c].objectLink);
        }
    }
    EXPECT_FLOAT_EQ(gMapCells[12][12].height, 1.5f);
    EXPECT_FLOAT_EQ(gMapCells[20][20].height, 0.0f);
    EXPECT_TRUE(same(gMapCells[11][11], kSand));
    EXPECT_EQ(std::memcmp(gObjectCells, edited.objectCells, sizeof gObjectCells), 0);
    for (int slot = 0; slot < kMapObjectCount; ++slot) EXPECT_EQ(gMapObjects[slot].present, edited.objects[slot].present);
}

TEST_F(MapEditor, FileMenuSwitchesMapsAndAMissingMapLoadsEmpty) {
    frame(kInputCancel);
    gEditorCursor = 3;
    frame(kInputRight);
    EXPECT_EQ(gPendingMapChange.map, kMap + 1);
    EXPECT_EQ(gCurrentMap, kMap + 1);
    EXPECT_FLOAT_EQ(gMapCells[12][12].height, 0.0f);  // no such file here: emptied
    frame(kInputLeft);
    EXPECT_EQ(gCurrentMap, kMap);
    EXPECT_FLOAT_EQ(gMapCells[12][12].height, 1.0f);
    gPendingMapChange.map = 0;
    frame(kInputLeft);
    EXPECT_EQ(gPendingMapChange.map, 0);  // not below 0
}

TEST_F(MapEditor, EditorKeepsEventsStoppedAndTogglesOff) {
    gFieldEvent = 7;
    gEventStep = 3;
    frame(0);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 0);
    command(kMapCommandToggle);
    EXPECT_EQ(gDebugMode, 0);
    standOn(12, 12);
    command(kMapCommandRaise);
    EXPECT_FLOAT_EQ(gMapCells[12][12].height, 1.0f);  // commands need the editor on
}

}  // namespace
