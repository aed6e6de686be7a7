#include <gtest/gtest.h>

#include <string>

#include "field/FieldMap.h"
#include "field/WorldToCell.h"
#include "tools/mapc/MapSource.h"

namespace {

const std::string kFixtures = std::string(CORVADINE_SOURCE_DIR) + "/tests/fixtures/maps/";

// A minimal valid source with one line swapped in.
std::string sourceWith(const std::string& extra, const std::string& gridLine0 = std::string(60, '.')) {
    std::string s = "map 4\nname 試し\nstatus placeholder\nkind . height 0 floor 0,0 wall 0,0\n"
                    "kind # height 2 floor 1,1 wall 1,2 blocked 1  # a wall\n"
                    "kind f height 1 floor floorname wall 1,2\n" + extra + "\ngrid\n";
    for (int c = 59; c >= 1; --c) {
        char label[16];
        std::snprintf(label, sizeof label, "%02d", c);
        s += std::string(label) + " " + std::string(60, '.') + "\n";
    }
    s += "00 " + gridLine0 + "  # trailing note\nend\n";
    return s;
}

const mapsource::TileNames kTiles = {{"floorname", {3, 4}}};

TEST(MapSource, GridLinesAreColumnsFromTheTopAndCharactersAreRows) {
    std::string line0(60, '.');
    line0[0] = '#';
    line0[7] = 'f';
    const mapsource::MapSource map = mapsource::parseMapSource(sourceWith("slot 3 7 0 person  # the keeper", line0), kTiles);
    ASSERT_TRUE(map.errors.empty()) << map.errors.front();
    EXPECT_EQ(map.number, 4);
    EXPECT_EQ(map.name, "試し");
    mapsource::compileMapSource(map);
    EXPECT_EQ(gCurrentMap, 4);
    EXPECT_EQ(gMapCells[0][0].blocked, 1);
    EXPECT_EQ(gMapCells[0][0].height, 2.0f);
    EXPECT_EQ(gMapCells[0][0].wallColumn, 1);
    EXPECT_EQ(gMapCells[0][0].wallRow, 2);
    EXPECT_EQ(gMapCells[7][0].height, 1.0f);
    EXPECT_EQ(gMapCells[7][0].floorColumn, 3);  // named tile
    EXPECT_EQ(gMapCells[7][0].floorRow, 4);
    EXPECT_EQ(gMapCells[0][1].height, 0.0f);
    EXPECT_EQ(gMapObjects[3].present, 1);
    EXPECT_EQ(gObjectCells[3][0], 7);
    EXPECT_EQ(gObjectCells[3][1], 0);
    EXPECT_EQ(map.slots.at(0).note, "the keeper");
    int cell[3];
    const float at[3] = {gMapObjects[3].x, 0, gMapObjects[3].z};
    worldToCell(at, cell);
    EXPECT_EQ(cell[0], 7);
    EXPECT_EQ(cell[2], 0);
}

TEST(MapSource, FaultsAreReportedWithTheirLine) {
    struct Case {
        std::string extra;
        std::string expected;  // part of the first error
    };
    const Case cases[] = {
        {"slot 150 1 1 exit", "slot numbers run 0 to 149"},
        {"slot 1 60 1 exit", "outside the grid"},
        {"slot 1 1 1 door", "unknown role door"},
        {"slot 1 1 1 exit\nslot 1 2 2 exit", "given twice"},
        {"kind # height 1 floor 0,0 wall 0,0", "kind '#' given twice"},
        {"kind x height 1 floor 20,0 wall 0,0", "kind wants"},
        {"kind x height 1 floor nosuchtile wall 0,0", "kind wants"},
        {"kind x floor 1,1 wall 0,0", "kind wants"},
        {"height 2 rows 3-70 cols 1-2", "height wants"},
        {"teleport 3", "unknown statement teleport"},
        {"map 130", "map wants a number"},
    };
    for (const Case& c : cases) {
        const mapsource::MapSource map = mapsource::parseMapSource(sourceWith(c.extra), kTiles);
        ASSERT_FALSE(map.errors.empty()) << c.extra;
        EXPECT_NE(map.errors.front().find(c.expected), std::string::npos) << c.extra << " gave " << map.errors.front();
        EXPECT_EQ(map.errors.front().rfind("line ", 0), 0u) << map.errors.front();
    }
    // Grid faults: an undefined symbol, a short grid line, a wrong label.
    EXPECT_NE(mapsource::parseMapSource(sourceWith("", std::string(59, '.') + "z"), kTiles).errors.back().find("'z'"),
              std::string::npos);
    EXPECT_FALSE(mapsource::parseMapSource(sourceWith("", std::string(50, '.')), kTiles).errors.empty());
    std::string relabelled = sourceWith("");
    relabelled.replace(relabelled.find("\n30 "), 4, "\n31 ");
    EXPECT_FALSE(mapsource::parseMapSource(relabelled, kTiles).errors.empty());
    std::string truncated = sourceWith("");
    truncated.erase(truncated.find("\n00 "));
    EXPECT_FALSE(mapsource::parseMapSource(truncated, kTiles).errors.empty());
}

TEST(MapSource, FixtureRoomCompilesWithItsHeightsAndSlots) {
    const mapsource::MapSource map = mapsource::loadMapSourceFile(kFixtures + "room.map");
    ASSERT_TRUE(map.errors.empty()) << map.errors.front();
    mapsource::compileMapSource(map);
    EXPECT_EQ(gMapCells[14][14].height, 1.0f);
    EXPECT_EQ(gMapCells[10][10].height, 1.5f);  // height patch
    EXPECT_EQ(gMapCells[19][19].height, 2.0f);  // ledge
    EXPECT_EQ(gMapCells[9][14].blocked, 1);
    EXPECT_EQ(gMapCells[9][15].blocked, 0);     // doorway
    EXPECT_EQ(gMapCells[30][30].height, 0.0f);
    EXPECT_EQ(gMapCells[30][30].wallColumn, 0);
    int present = 0;
    for (const MapObject& o : gMapObjects) present += o.present;
    EXPECT_EQ(present, 7);
}

}  // namespace
