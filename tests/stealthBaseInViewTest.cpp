// The stealth base's five floors as a player meets them: on every arrival
// cell, every chest's cell and every walked cell beside a stair, a scene's
// trigger row or a person, the field's camera cut to the player sees the
// player whole. A gallery, a pump or a block of wall raised on the camera's
// side of one of those places fails here.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/colerupicStealthFixture.h"
#include "tests/playerInView.h"
#include "tools/mapc/MapSource.h"

using colerupictest::ColerupicField;

using inview::cameraOnPlayerAt;
using inview::notWhole;

namespace {

const std::string kSourceDir = CORVADINE_SOURCE_DIR;

}  // namespace

TEST_F(ColerupicField, StealthBaseFloorsShowThePlayerWholeWhereTheWayAndTheChestsAre) {
    struct Floor {
        int map;
        std::vector<std::pair<int, int>> arrivals;
    };
    const Floor floors[] = {
        {65, {{36, 52}, {44, 17}, {48, 46}}},
        {66, {{16, 8}, {44, 19}, {50, 39}}},
        {67, {{7, 32}, {46, 36}, {53, 31}}},
        {68, {{19, 28}, {46, 12}, {51, 2}}},
        {69, {{26, 33}, {43, 10}, {55, 10}}},
    };
    gStoryFlags[28] = 2;  // the entrance fight is over
    for (const Floor& floor : floors) {
        SCOPED_TRACE("map " + std::to_string(floor.map));
        std::vector<std::vector<bool>> walked(kMapRows, std::vector<bool>(kMapColumns, false));
        for (const auto& [row, col] : floor.arrivals) {
            arrive(floor.map, row, col, 1, 1);
            const mapwalk::WalkResult walk = story1test::walkableFrom(row, col);
            for (int r = 0; r < kMapRows; ++r)
                for (int c = 0; c < kMapColumns; ++c)
                    if (walk[r][c]) walked[r][c] = true;
        }
        std::set<std::pair<int, int>> places(floor.arrivals.begin(), floor.arrivals.end());
        const mapsource::MapSource source =
            mapsource::loadMapSourceFile(kSourceDir + "/content/maps/Map_" + std::to_string(floor.map) + ".map");
        ASSERT_TRUE(source.errors.empty());
        for (const mapsource::SlotEntry& s : source.slots) {
            if (s.role == "chest") {
                places.insert({s.row, s.column});
            } else if (s.role == "exit" || s.role == "trigger" || s.role == "person") {
                for (int dr = -1; dr <= 1; ++dr)
                    for (int dc = -1; dc <= 1; ++dc)
                        if (cellInsideGrid(s.row + dr, s.column + dc) && walked[s.row + dr][s.column + dc])
                            places.insert({s.row + dr, s.column + dc});
            }
        }
        EXPECT_GT(places.size(), 10u);
        for (const auto& [r, c] : places) {
            const framing::Camera camera = cameraOnPlayerAt(resources, r, c);
            const std::string why = notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]);
            EXPECT_EQ(why, "") << "the player on (" << r << ", " << c << ")";
        }
    }
}
