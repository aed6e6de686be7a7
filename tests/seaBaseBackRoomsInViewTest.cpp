// The sea base's levels as a player walks them: the room behind the far
// bulkhead (the island, its floats and the basin chest) lies beyond a wall
// that stands between it and the field's camera. On every cell of that room
// the feet can rest in, dry and flooded, the camera cut to the player sees
// the player whole. A bulkhead raised to full height there fails here.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "tests/playerInView.h"
#include "tests/story1Fixture.h"
#include "tools/mapc/MapWalkStates.h"

using inview::cameraOnPlayerAt;
using inview::notWhole;
using story1test::StoryField;

namespace {

constexpr int kBackRoomFirstColumn = 46;
constexpr int kBackRoomLastColumn = 52;
constexpr int kBackRoomRow = 40;  // a deck cell of the room on every level
constexpr int kIslandRow = 6, kIslandColumn = 50;
constexpr int kBasinChestRow = 50, kBasinChestColumn = 50;

// The drained basin's floor and the floats sunk onto it lie at 0.5; the
// floats riding on the water lie at 1.0.
bool isDownInTheDrainedBasin(int row, int col) { return gMapCells[row][col].height < 1.0f; }

}  // namespace

TEST_F(StoryField, SeaBaseBackRoomsShowThePlayerWholeDryAndFlooded) {
    struct Level {
        int map, level;
        bool island, basinChest;
    };
    const Level levels[] = {
        {106, 0, true, true},   {107, 1, false, false}, {108, 2, true, true},   {109, 3, false, true},
        {110, 4, true, false},  {111, 5, false, false}, {112, 6, true, false},  {113, 7, false, true},
        {114, 8, false, false}, {115, 9, true, true},   {116, 9, true, true},   {117, 10, true, true},
        {118, 11, false, false},
    };
    for (const Level& level : levels) {
        // Dry: the water at the level's own height. Flooded: at the top,
        // which only the highest level stays dry under.
        for (const bool flooded : {false, true}) {
            if (flooded && level.level == 11) continue;
            SCOPED_TRACE("map " + std::to_string(level.map) + (flooded ? " flooded" : " dry"));
            gStoryFlags[mapwalk::states::kWaterLevelFlag] = static_cast<std::uint8_t>(flooded ? 11 : level.level);
            arrive(level.map, kBackRoomRow, kBackRoomFirstColumn + 1, 1, 1);
            const mapwalk::WalkResult walk = story1test::walkableFrom(kBackRoomRow, kBackRoomFirstColumn + 1);
            int walked = 0;
            for (int r = 0; r < kMapRows; ++r) {
                for (int c = kBackRoomFirstColumn; c <= kBackRoomLastColumn; ++c) {
                    // Down in the drained basin, a step below the deck, its
                    // rim hides the legs as a sill would: kept.
                    if (!walk[r][c] || isDownInTheDrainedBasin(r, c)) continue;
                    ++walked;
                    const framing::Camera camera = cameraOnPlayerAt(resources, r, c);
                    EXPECT_EQ(notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]), "")
                        << "the player on (" << r << ", " << c << ")";
                }
            }
            EXPECT_GT(walked, 200);  // the walk covered the room, not only a corner
            if (level.island && flooded) {
                EXPECT_TRUE(walk[kIslandRow][kIslandColumn]) << "the island";
            }
            if (level.basinChest && !flooded) {
                EXPECT_TRUE(walk[kBasinChestRow][kBasinChestColumn]) << "the basin chest";
            }
        }
    }
}
