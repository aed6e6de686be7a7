// The hub towns as a player walks them: on every cell the feet can rest in,
// the field's camera cut to the player sees the player whole (the body's
// middle and the head, not only one of them), and at the central district's
// counter windows it sees each keeper whole from the cell a player talks
// from. A house front raised on the camera's side of a street fails here.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>

#include "tests/playerInView.h"
#include "tests/story1Fixture.h"

using story1test::StoryField;

using inview::cameraOnPlayerAt;
using inview::notWhole;

TEST_F(StoryField, HubStreetsShowThePlayerWholeOnEveryCellWalked) {
    // Right behind a street lamp or a boat-race machine the legs are hidden
    // for a step: kept, as any post would.
    std::set<std::pair<int, int>> electronicKept = {{21, 22}, {21, 25}};
    for (const int lampRow : {8, 20, 32, 44}) {
        for (const int lampCol : {10, 16}) {
            electronicKept.insert({lampRow, lampCol + 1});
            electronicKept.insert({lampRow - 1, lampCol + 1});
        }
    }
    struct Town {
        const char* name;
        int map, row, col;  // an arrival cell
        std::set<std::pair<int, int>> kept;
    };
    const Town towns[] = {
        {"the electronic district", 0, 57, 13, electronicKept},
        {"Skin town", 20, 50, 9, {}},
    };
    for (const Town& town : towns) {
        SCOPED_TRACE(town.name);
        arrive(town.map, town.row, town.col, 1, 1);
        const mapwalk::WalkResult walk = story1test::walkableFrom(town.row, town.col);
        int walked = 0;
        for (int r = 0; r < kMapRows; ++r) {
            for (int c = 0; c < kMapColumns; ++c) {
                if (!walk[r][c] || town.kept.count({r, c}) != 0) continue;
                ++walked;
                const framing::Camera camera = cameraOnPlayerAt(resources, r, c);
                const std::string why = notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]);
                EXPECT_EQ(why, "") << "the player on (" << r << ", " << c << ")";
            }
        }
        EXPECT_GT(walked, 500);  // the walk reached the streets, not only the arrival's corner
    }
}

TEST_F(StoryField, CentralDistrictCounterKeepersAreSeenWholeFromTheStreet) {
    struct Window {
        const char* what;
        int keeper;     // the keeper's figure slot, standing in the window
        int row, col;   // where a player stands to talk
    };
    const Window windows[] = {
        {"weapon shop", 92, 16, 16},
        {"item shop", 93, 16, 22},
        {"service centre", 94, 16, 31},
        {"bar", 95, 16, 37},
    };
    arrive(1, 35, 22, 1, 1);
    for (const Window& w : windows) {
        SCOPED_TRACE(w.what);
        const framing::Camera camera = cameraOnPlayerAt(resources, w.row, w.col);
        const MapObject& keeper = gMapObjects[w.keeper];
        ASSERT_EQ(keeper.present, 1);
        EXPECT_EQ(notWhole(camera, keeper.x, keeper.y, keeper.z), "") << "the keeper";
        EXPECT_EQ(notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]), "") << "the player";
    }
}
