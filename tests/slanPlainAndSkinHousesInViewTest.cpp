// The Slan plain's screens and Skin town's inn room and bar as a player walks
// them: on every cell the feet can rest in, from every arrival, the field's
// camera cut to the player sees the player whole. A boulder, a knoll, a
// bed or a shelf raised on the camera's side of a walkable cell fails here.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/playerInView.h"
#include "tests/story1Fixture.h"

using story1test::StoryField;

using inview::cameraOnPlayerAt;
using inview::notWhole;

TEST_F(StoryField, SlanPlainAndSkinHousesShowThePlayerWholeOnEveryCellWalked) {
    struct Place {
        int map;
        std::vector<std::pair<int, int>> arrivals;
        int atLeast;  // cells a walk over the open floor reaches
    };
    const Place places[] = {
        {17, {{44, 18}, {38, 27}, {16, 10}}, 500},
        {121, {{44, 18}}, 500},
        {122, {{21, 16}, {37, 39}}, 500},
        {18, {{17, 27}, {30, 40}}, 500},
        {21, {{26, 53}, {32, 49}, {34, 44}}, 100},
        {22, {{26, 53}, {34, 44}}, 100},
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
        EXPECT_GT(static_cast<int>(walked.size()), place.atLeast);
        for (const auto& [r, c] : walked) {
            const framing::Camera camera = cameraOnPlayerAt(resources, r, c);
            const std::string why = notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]);
            EXPECT_EQ(why, "") << "the player on (" << r << ", " << c << ")";
        }
    }
}
