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

using colerupictest::ColerupicField;

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
        std::set<std::pair<int, int>> walked;
        for (const auto& [row, col] : floor.arrivals) {
            arrive(floor.map, row, col, 1, 1);
            const mapwalk::WalkResult walk = story1test::walkableFrom(row, col);
            for (int r = 0; r < kMapRows; ++r)
                for (int c = 0; c < kMapColumns; ++c)
                    if (walk[r][c]) walked.insert({r, c});
        }
        const std::set<inview::Cell> places = inview::cellsToSee(floor.map, floor.arrivals, walked);
        EXPECT_GT(places.size(), 10u);
        inview::expectSeenWholeOn(resources, places);
    }
}
