// The Slan plain's screens and Skin town's inn room and bar as a player meets
// them: on every arrival cell, every chest's cell and every walked cell
// beside an exit, a trigger or a person, the field's camera cut to the
// player sees the player whole. A knoll, a bed or a shelf raised on the
// camera's side of one of those places fails here.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/playerInView.h"
#include "tests/story1Fixture.h"

using story1test::StoryField;

TEST_F(StoryField, SlanPlainAndSkinHousesShowThePlayerWholeWhereTheWayAndTheChestsAre) {
    struct Place {
        int map;
        std::vector<std::pair<int, int>> arrivals;
    };
    const Place places[] = {
        {17, {{44, 18}, {38, 27}, {16, 10}}},
        {121, {{44, 18}}},
        {122, {{21, 16}, {37, 39}}},
        {18, {{17, 27}, {30, 40}}},
        {21, {{26, 53}, {32, 49}, {34, 44}}},
        {22, {{26, 53}, {34, 44}}},
    };
    gStoryFlags[0] = 1;   // the bar's opening scene has been played
    gStoryFlags[12] = 5;  // the way over the plain is open
    for (const Place& place : places) {
        SCOPED_TRACE("map " + std::to_string(place.map));
        std::set<std::pair<int, int>> walked;
        for (const auto& [row, col] : place.arrivals) {
            arrive(place.map, row, col, 1, 1);
            const mapwalk::WalkResult walk = story1test::walkableFrom(row, col);
            for (int r = 0; r < kMapRows; ++r)
                for (int c = 0; c < kMapColumns; ++c)
                    if (walk[r][c]) walked.insert({r, c});
        }
        inview::expectSeenWholeOn(resources, inview::cellsToSee(place.map, place.arrivals, walked));
    }
}
