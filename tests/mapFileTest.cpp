#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "field/FieldMap.h"

namespace {

// Runs each test in a fresh folder with a "Data" subfolder, as the game's
// working directory would be.
class MapFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        char here[4096];
        ASSERT_NE(getcwd(here, sizeof here), nullptr);
        previous_ = here;
        char pattern[] = "/tmp/corvadine-mapfile-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        folder_ = pattern;
        ASSERT_EQ(chdir(folder_.c_str()), 0);
        ASSERT_EQ(mkdir("Data", 0755), 0);
        resetFieldMap();
    }
    void TearDown() override {
        ASSERT_EQ(chdir(previous_.c_str()), 0);
        std::system(("rm -rf '" + folder_ + "'").c_str());
    }

    static void writeBytes(const char* path, const std::vector<std::uint8_t>& bytes) {
        std::FILE* f = std::fopen(path, "wb");
        ASSERT_NE(f, nullptr);
        if (!bytes.empty()) {
            ASSERT_EQ(std::fwrite(bytes.data(), 1, bytes.size(), f), bytes.size());
        }
        std::fclose(f);
    }
    static std::vector<std::uint8_t> readBytes(const char* path) {
        std::vector<std::uint8_t> bytes;
        std::FILE* f = std::fopen(path, "rb");
        if (!f) return bytes;
        int c;
        while ((c = std::fgetc(f)) != EOF) bytes.push_back(static_cast<std::uint8_t>(c));
        std::fclose(f);
        return bytes;
    }
    static void putFloat(std::vector<std::uint8_t>& bytes, std::size_t at, float value) {
        std::uint32_t bits;
        std::memcpy(&bits, &value, 4);
        for (int i = 0; i < 4; ++i) bytes[at + i] = static_cast<std::uint8_t>(bits >> (8 * i));
    }
    static std::vector<std::uint8_t> emptyMapBytes() {
        return std::vector<std::uint8_t>(static_cast<std::size_t>(kMapFileSize), 0);
    }
    static constexpr std::size_t kObjectsAt = 3600 * 22;

    // A map with every cell and slot different, written through the arrays.
    static void fillPattern(int seed) {
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c) {
                MapCell& cell = gMapCells[r][c];
                cell.height = 0.25f * static_cast<float>((r * 7 + c + seed) % 17);
                cell.floorColumn = (r + seed) % 20;
                cell.floorRow = c % 10;
                cell.wallColumn = (r * c + seed) % 20;
                cell.wallRow = -((r + c) % 3);  // negative numbers survive too
                cell.blocked = static_cast<std::uint8_t>((r + c + seed) % 5 == 0 ? 1 : ((r + c) % 11 == 0 ? 2 : 0));
                cell.objectLink = static_cast<std::uint8_t>((r * 60 + c + seed) % 151);
            }
        }
        for (int s = 0; s < kMapObjectCount; ++s) {
            gMapObjects[s] = MapObject{};
            gMapObjects[s].present = static_cast<std::uint8_t>((s + seed) % 3 == 0 ? 0 : (s % 7) + 1);
            gObjectCells[s][0] = static_cast<std::uint8_t>((s * 13 + seed) % 60);
            gObjectCells[s][1] = static_cast<std::uint8_t>((s * 29 + seed) % 60);
            // Fields the file does not carry: they must come back as 0.
            gMapObjects[s].kind = 3;
            gMapObjects[s].index = 77;
            gMapObjects[s].visible = 1;
            gMapObjects[s].character = 45;
            gMapObjects[s].pose = 8;
            gMapObjects[s].chaseSpeed = 0.05f;
            gMapObjects[s].height = 1.8f;
            gMapObjects[s].facing = 1;
            gMapObjects[s].spare = 9.0f;
        }
    }

    std::string previous_;
    std::string folder_;
};

TEST_F(MapFileTest, LoadReadsCellsRowMajorAndPutsObjectsOnTheirCellCentres) {
    std::vector<std::uint8_t> bytes = emptyMapBytes();
    putFloat(bytes, 61 * 22, 2.0f);           // cell record 61 = row 1, column 1
    putFloat(bytes, (3 * 60 + 4) * 22, 1.5f); // the cell of object 0
    bytes[61 * 22 + 4] = 7;                   // floor tile column, little-endian int
    bytes[61 * 22 + 12] = 0x34;
    bytes[61 * 22 + 13] = 0x12;               // wall tile column 0x1234
    bytes[61 * 22 + 20] = 1;                  // blocked
    bytes[61 * 22 + 21] = 9;                  // object link
    bytes[kObjectsAt + 0] = 1;
    bytes[kObjectsAt + 1] = 3;
    bytes[kObjectsAt + 2] = 4;
    writeBytes("Data/Map_5.dat", bytes);
    gRedrawRequest[0] = gRedrawRequest[1] = 0;

    EXPECT_EQ(loadMap(5), 0);
    EXPECT_EQ(gCurrentMap, 5);
    EXPECT_EQ(gMapCells[1][1].height, 2.0f);
    EXPECT_EQ(gMapCells[1][1].floorColumn, 7);
    EXPECT_EQ(gMapCells[1][1].wallColumn, 0x1234);
    EXPECT_EQ(gMapCells[1][1].blocked, 1);
    EXPECT_EQ(gMapCells[1][1].objectLink, 9);
    EXPECT_EQ(gMapCells[1][0].height, 0.0f);
    EXPECT_EQ(gMapObjects[0].present, 1);
    EXPECT_EQ(gObjectCells[0][0], 3);
    EXPECT_EQ(gObjectCells[0][1], 4);
    EXPECT_FLOAT_EQ(gMapObjects[0].x, static_cast<float>(3 + 4 * 0.707106781 + 0.8535533905));
    EXPECT_EQ(gMapObjects[0].y, 1.5f);
    EXPECT_FLOAT_EQ(gMapObjects[0].z, static_cast<float>(4 * 0.707106781 + 0.3535533905));
    EXPECT_EQ(gMapObjects[1].present, 0);
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
}

TEST_F(MapFileTest, SaveThenLoadGivesBackCellsPresenceAndObjectCells) {
    fillPattern(3);
    MapCell savedCells[kMapRows][kMapColumns];
    std::memcpy(savedCells, gMapCells, sizeof savedCells);
    std::uint8_t savedPresent[kMapObjectCount];
    std::uint8_t savedObjectCells[kMapObjectCount][2];
    for (int s = 0; s < kMapObjectCount; ++s) savedPresent[s] = gMapObjects[s].present;
    std::memcpy(savedObjectCells, gObjectCells, sizeof savedObjectCells);

    ASSERT_EQ(saveMap(7), 0);
    EXPECT_EQ(gCurrentMap, 7);
    const std::vector<std::uint8_t> bytes = readBytes("Data/Map_7.dat");
    ASSERT_EQ(bytes.size(), static_cast<std::size_t>(kMapFileSize));
    // Spot-check the layout: cell (0, 1)'s wall row is at 22 + 16, little-endian.
    const std::int32_t wallRow = static_cast<std::int32_t>(bytes[38] | bytes[39] << 8 | bytes[40] << 16 | static_cast<std::uint32_t>(bytes[41]) << 24);
    EXPECT_EQ(wallRow, savedCells[0][1].wallRow);
    EXPECT_EQ(bytes[kObjectsAt + 3 * 5 + 1], savedObjectCells[5][0]);

    resetFieldMap();
    ASSERT_EQ(loadMap(7), 0);
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            const MapCell& a = gMapCells[r][c];
            const MapCell& b = savedCells[r][c];
            ASSERT_TRUE(a.height == b.height && a.floorColumn == b.floorColumn && a.floorRow == b.floorRow &&
                        a.wallColumn == b.wallColumn && a.wallRow == b.wallRow && a.blocked == b.blocked &&
                        a.objectLink == b.objectLink)
                << "cell (" << r << ", " << c << ")";
        }
    }
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        EXPECT_EQ(o.present, savedPresent[s]) << s;
        EXPECT_EQ(gObjectCells[s][0], savedObjectCells[s][0]) << s;
        EXPECT_EQ(gObjectCells[s][1], savedObjectCells[s][1]) << s;
        EXPECT_TRUE(o.kind == 0 && o.index == 0 && o.visible == 0 && o.character == 0 && o.pose == 0 &&
                    o.chaseSpeed == 0.0f && o.height == 0.0f && o.facing == 0 && o.spare == 0.0f)
            << "slot " << s << " keeps script state across a load";
    }
}

TEST_F(MapFileTest, LoadingAnotherMapLeavesNoObjectStateBehind) {
    fillPattern(1);
    ASSERT_EQ(saveMap(10), 0);
    resetFieldMap();
    std::vector<std::uint8_t> other = emptyMapBytes();
    putFloat(other, 0, 1.0f);
    other[kObjectsAt] = 1;  // slot 0 present on cell (0, 0)
    writeBytes("Data/Map_11.dat", other);

    ASSERT_EQ(loadMap(10), 0);
    for (int s = 0; s < kMapObjectCount; ++s) {
        gMapObjects[s].kind = 5;
        gMapObjects[s].visible = 1;
        gMapObjects[s].index = 4;
        gMapObjects[s].x += 3.0f;
    }
    ASSERT_EQ(loadMap(11), 0);
    EXPECT_EQ(gCurrentMap, 11);
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        ASSERT_TRUE(o.kind == 0 && o.visible == 0 && o.index == 0) << s;
        ASSERT_EQ(o.present, s == 0 ? 1 : 0) << s;
        ASSERT_EQ(gObjectCells[s][0], 0) << s;
        float centre[3];
        cellCentre(0, 0, centre);
        ASSERT_EQ(o.x, centre[0]) << s;
    }

    // A missing map empties cells and objects but keeps the object cells.
    ASSERT_EQ(loadMap(10), 0);
    const std::uint8_t keptRow = gObjectCells[20][0];
    const std::uint8_t keptColumn = gObjectCells[20][1];
    EXPECT_EQ(loadMap(12), 1);
    EXPECT_EQ(gCurrentMap, 12);
    for (int r = 0; r < kMapRows; ++r)
        for (int c = 0; c < kMapColumns; ++c) ASSERT_EQ(gMapCells[r][c].height, 0.0f);
    for (int s = 0; s < kMapObjectCount; ++s) ASSERT_EQ(gMapObjects[s].present, 0);
    EXPECT_EQ(gMapObjects[20].x, 0.0f);
    EXPECT_EQ(gObjectCells[20][0], keptRow);
    EXPECT_EQ(gObjectCells[20][1], keptColumn);
}

TEST_F(MapFileTest, FilesOfAnyOtherSizeAreTreatedAsMissing) {
    for (const long size : {0L, 100L, kMapFileSize - 1, kMapFileSize + 1, kMapFileSize * 2}) {
        fillPattern(2);
        std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size), 0x41);
        writeBytes("Data/Map_3.dat", bytes);
        const std::uint8_t keptRow = gObjectCells[9][0];
        EXPECT_EQ(readMapFile("Data/Map_3.dat"), 1) << size;
        EXPECT_EQ(gObjectCells[9][0], keptRow) << "a refused file leaves the arrays alone";
        EXPECT_NE(gMapCells[0][0].floorColumn, 0x41414141) << size;

        EXPECT_EQ(loadMap(3), 1) << size;
        EXPECT_EQ(gCurrentMap, 3);
        EXPECT_EQ(gMapCells[30][30].height, 0.0f) << size;
        EXPECT_EQ(gMapCells[30][30].floorColumn, 0) << size;
        EXPECT_EQ(gMapObjects[1].present, 0) << size;
        EXPECT_EQ(gObjectCells[9][0], keptRow) << size;
    }
}

TEST_F(MapFileTest, ObjectsWhoseCellLiesOutsideTheGridAreNotPresent) {
    std::vector<std::uint8_t> bytes = emptyMapBytes();
    const std::uint8_t records[][3] = {{1, 60, 3}, {1, 3, 60}, {2, 200, 200}, {1, 59, 59}, {1, 0, 0}};
    for (std::size_t i = 0; i < sizeof records / sizeof records[0]; ++i)
        std::memcpy(&bytes[kObjectsAt + 3 * i], records[i], 3);
    putFloat(bytes, (59 * 60 + 59) * 22, 3.0f);
    writeBytes("Data/Map_9.dat", bytes);

    ASSERT_EQ(loadMap(9), 0);
    for (int s = 0; s < 3; ++s) {
        EXPECT_EQ(gMapObjects[s].present, 0) << s;
        EXPECT_TRUE(cellInsideGrid(gObjectCells[s][0], gObjectCells[s][1])) << s;
    }
    EXPECT_EQ(gMapObjects[3].present, 1);
    EXPECT_EQ(gObjectCells[3][0], 59);
    EXPECT_EQ(gMapObjects[3].y, 3.0f);
    EXPECT_EQ(gMapObjects[4].present, 1);
}

TEST_F(MapFileTest, SaveThatCannotWriteReportsAndLeavesTheOldFileWhole) {
    fillPattern(4);
    ASSERT_EQ(saveMap(2), 0);
    const std::vector<std::uint8_t> before = readBytes("Data/Map_2.dat");

    EXPECT_EQ(writeMapFile("NoSuchFolder/Map_2.dat"), 1);
    struct stat info;
    EXPECT_NE(stat("NoSuchFolder", &info), 0);

    // Without the Data folder nothing can be written, and nothing is.
    ASSERT_EQ(std::rename("Data", "Elsewhere"), 0);
    EXPECT_EQ(saveMap(2), 1);
    EXPECT_NE(stat("Data", &info), 0);
    ASSERT_EQ(std::rename("Elsewhere", "Data"), 0);
    EXPECT_EQ(readBytes("Data/Map_2.dat"), before);
    EXPECT_NE(stat("Data/Map_2.dat.tmp", &info), 0);
}

TEST_F(MapFileTest, ClearMapEmptiesCellsAndObjectsOnly) {
    fillPattern(5);
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 0;
    const std::uint8_t keptRow = gObjectCells[40][0];
    EXPECT_EQ(clearMap(77), 0);
    EXPECT_EQ(gCurrentMap, 77);
    const MapCell zero{};
    const MapObject none{};
    for (int r = 0; r < kMapRows; ++r)
        for (int c = 0; c < kMapColumns; ++c) ASSERT_EQ(std::memcmp(&gMapCells[r][c], &zero, sizeof zero), 0);
    for (int s = 0; s < kMapObjectCount; ++s) {
        ASSERT_TRUE(gMapObjects[s].present == none.present && gMapObjects[s].x == 0.0f && gMapObjects[s].kind == 0);
    }
    EXPECT_EQ(gObjectCells[40][0], keptRow);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gRedrawRequest[1], 0);
}

TEST(MapCellAccess, AnythingOutsideTheGridIsAFloorlessBlockedCell) {
    resetFieldMap();
    gMapCells[0][0].height = 1.0f;
    gMapCells[59][59].height = 2.0f;
    const int outside[][2] = {{-1, 0}, {0, -1}, {60, 0}, {0, 60}, {-1, -1}, {60, 60}, {1000000, -5}, {-2147483647, 3}};
    for (const auto& at : outside) {
        const MapCell& cell = mapCell(at[0], at[1]);
        EXPECT_FALSE(cellInsideGrid(at[0], at[1]));
        EXPECT_EQ(cell.height, 0.0f) << at[0] << ", " << at[1];
        EXPECT_EQ(cell.blocked, 1) << at[0] << ", " << at[1];
        EXPECT_EQ(cell.wallColumn, 0);
        EXPECT_EQ(cell.wallRow, 0);
    }
    EXPECT_EQ(&mapCell(0, 0), &gMapCells[0][0]);
    EXPECT_EQ(mapCell(59, 59).height, 2.0f);
    EXPECT_TRUE(cellInsideGrid(59, 0));
}

}  // namespace
