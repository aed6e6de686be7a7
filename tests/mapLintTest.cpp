#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "field/FieldMap.h"
#include "tools/mapc/MapLint.h"
#include "tools/mapc/MapSource.h"

namespace {

const std::string kSourceDir = CORVADINE_SOURCE_DIR;
const std::string kGameDir = CORVADINE_GAME_DIR;

std::map<int, std::string> rolesOf(const mapsource::MapSource& map) {
    std::map<int, std::string> roles;
    for (const mapsource::SlotEntry& s : map.slots) roles[s.slot] = s.role;
    return roles;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& l : lines) out += l + "\n";
    return out;
}

mapsource::Constraints constraintsFrom(const std::string& text) {
    std::vector<std::string> errors;
    mapsource::Constraints c = mapsource::parseConstraints(text, errors);
    EXPECT_TRUE(errors.empty()) << joined(errors);
    return c;
}

TEST(MapLint, FixtureRoomKeepsEveryRule) {
    const mapsource::MapSource map = mapsource::loadMapSourceFile(kSourceDir + "/tests/fixtures/maps/room.map");
    ASSERT_TRUE(map.errors.empty()) << joined(map.errors);
    mapsource::compileMapSource(map);
    const auto constraints = constraintsFrom("arrival 0 14 14  # the middle\nslots 0 0-6\nrole 0 1 chest\nrole 0 0 exit\n");
    EXPECT_EQ(joined(mapsource::lintMap(0, rolesOf(map), constraints)), "");
}

TEST(MapLint, FixtureWithFaultsShowsEachOne) {
    const mapsource::MapSource map = mapsource::loadMapSourceFile(kSourceDir + "/tests/fixtures/maps/faults.map");
    ASSERT_TRUE(map.errors.empty()) << joined(map.errors);
    mapsource::compileMapSource(map);
    const auto constraints = constraintsFrom("arrival 1 11 11\narrival 1 19 12\narrival 1 40 40  # in the void\n"
                                             "arrival 1 9 9  # on a wall\nslots 1 0-6\nrole 1 2 exit\n");
    const std::vector<std::string> faults = mapsource::lintMap(1, rolesOf(map), constraints);
    const char* expected[] = {
        "arrival (11, 11) is on slot 1 (trigger)",
        "arrival (40, 40) (in the void) has no floor",
        "arrival (9, 9) (on a wall) is blocked",
        "slot 0 (exit) at (30, 30) has no floor under it",
        "slot 3 (chest) at (13, 13) is not on walkable floor",
        "slot 5 (enemy) at (14, 13) stands on a blocked cell",
        "slot 7 (chest) at (19, 11) shares its cell with slot 8 (person)",
        "slot 6 is named by the story but not present",
        "slot 2 must be a exit, the source says person",
    };
    for (const char* e : expected) {
        bool found = false;
        for (const std::string& f : faults) found = found || f == std::string("map 1: ") + e;
        EXPECT_TRUE(found) << "missing: " << e << "\nfaults:\n" << joined(faults);
    }
    EXPECT_EQ(faults.size(), sizeof expected / sizeof expected[0]) << joined(faults);
}

// Every map the build made: the right size, the same as its source, and
// sound by every rule and every constraint of the story. Whether each slot
// can be walked to is mapwalk's (tests/e2e/mapWalk.sh).
TEST(MapLint, EveryBuiltMapKeepsTheRules) {
    std::string constraintText;
    ASSERT_TRUE(mapsource::readTextFile(kSourceDir + "/content/maps/constraints.txt", constraintText));
    const mapsource::Constraints constraints = constraintsFrom(constraintText);

    for (int n = 0; n < kMapCount; ++n) {
        SCOPED_TRACE("map " + std::to_string(n));
        const mapsource::MapSource source = mapsource::loadMapSourceFile(kSourceDir + "/content/maps/Map_" + std::to_string(n) + ".map");
        ASSERT_TRUE(source.errors.empty()) << joined(source.errors);
        ASSERT_EQ(source.number, n);

        const std::string built = kGameDir + "/Data/Map_" + std::to_string(n) + ".dat";
        struct stat info;
        ASSERT_EQ(stat(built.c_str(), &info), 0) << built << " was not built";
        ASSERT_EQ(info.st_size, kMapFileSize) << built;

        // The built file must be the source as it stands (a stale build fails here).
        mapsource::compileMapSource(source);
        static MapCell expectedCells[kMapRows][kMapColumns];
        std::memcpy(expectedCells, gMapCells, sizeof expectedCells);
        std::uint8_t expectedObjectCells[kMapObjectCount][2];
        std::memcpy(expectedObjectCells, gObjectCells, sizeof expectedObjectCells);
        std::uint8_t expectedPresent[kMapObjectCount];
        for (int s = 0; s < kMapObjectCount; ++s) expectedPresent[s] = gMapObjects[s].present;
        resetFieldMap();
        ASSERT_EQ(readMapFile(built.c_str()), 0);
        ASSERT_EQ(std::memcmp(expectedCells, gMapCells, sizeof expectedCells), 0) << "rebuild the content: " << built;
        ASSERT_EQ(std::memcmp(expectedObjectCells, gObjectCells, sizeof expectedObjectCells), 0) << built;
        for (int s = 0; s < kMapObjectCount; ++s) ASSERT_EQ(gMapObjects[s].present, expectedPresent[s]) << "slot " << s;

        const auto faults = mapsource::lintMap(n, rolesOf(source), constraints);
        EXPECT_TRUE(faults.empty()) << joined(faults);
    }
}

}  // namespace
