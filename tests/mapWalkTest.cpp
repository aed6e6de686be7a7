// The walking check: the field's own movement step, from an arrival cell,
// decides which slots a player can start.
#include <gtest/gtest.h>

#include <cstring>
#include <map>
#include <string>
#include <vector>

#include "events/FieldMechanisms.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "tools/mapc/MapSource.h"
#include "tools/mapc/MapWalk.h"
#include "tools/mapc/MapWalkStates.h"

namespace {

const std::string kSourceDir = CORVADINE_SOURCE_DIR;

std::map<int, std::string> touchRolesOf(const mapsource::MapSource& map) {
    std::map<int, std::string> roles;
    for (const mapsource::SlotEntry& s : map.slots)
        if (mapwalk::isTouchRole(s.role)) roles[s.slot] = s.role;
    return roles;
}

struct MapWalk : ::testing::Test {
    void SetUp() override {
        resetFieldState();
        resetFieldMap();
        resetGameDataState();
    }
    // A 10 x 10 floor at height 1 in the corner of the grid.
    static void floorRoom() {
        for (int r = 0; r < 10; ++r)
            for (int c = 0; c < 10; ++c) {
                gMapCells[r][c].height = 1.0f;
                gMapCells[r][c].wallColumn = 1;
            }
    }
    static void place(int slot, int row, int col) {
        gObjectCells[slot][0] = static_cast<std::uint8_t>(row);
        gObjectCells[slot][1] = static_cast<std::uint8_t>(col);
        MapObject& o = gMapObjects[slot];
        o.present = 1;
        float centre[3];
        cellCentre(row, col, centre);
        o.x = centre[0];
        o.y = centre[1];
        o.z = centre[2];
    }
};

TEST_F(MapWalk, EverySlotOfTheFixtureRoomIsStartedOverItsLedgeAndChests) {
    const mapsource::MapSource map = mapsource::loadMapSourceFile(kSourceDir + "/tests/fixtures/maps/room.map");
    ASSERT_TRUE(map.errors.empty());
    mapsource::compileMapSource(map);
    const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{14, 14}}, touchRolesOf(map));
    for (int slot : {0, 1, 2, 3, 4}) EXPECT_TRUE(walk.touches(slot)) << "slot " << slot;
    EXPECT_TRUE(walk[20][20]) << "the ledge is one jump up";
}

TEST_F(MapWalk, AWalledInPersonAndAChestOnACliffAreNotStarted) {
    const mapsource::MapSource map = mapsource::loadMapSourceFile(kSourceDir + "/tests/fixtures/maps/faults.map");
    ASSERT_TRUE(map.errors.empty());
    mapsource::compileMapSource(map);
    const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{19, 12}}, touchRolesOf(map));
    EXPECT_FALSE(walk.touches(2)) << "walled in";
    EXPECT_FALSE(walk.touches(4)) << "2.5 above the floor";
    EXPECT_TRUE(walk.touches(8)) << "the person under the chest stops the player first";
    EXPECT_FALSE(walk[15][15]);
    const auto near = mapwalk::nearestReached(walk, 20, 20);
    ASSERT_GE(near.first, 0);
    EXPECT_TRUE(walk[near.first][near.second]);
    EXPECT_LT(gMapCells[near.first][near.second].height, 3.5f);
}

// A clerk standing in a blocked counter cell: the wall push keeps the feet
// half a cell from the counter, so the step never enters the clerk's cell.
// Open and level with the floor, the cell lets the step in and the contact
// refuses it; open but as high as the counter, only a jump gets the feet
// over its edge.
TEST_F(MapWalk, AClerkInABlockedCounterIsOutOfReachUntilItsCellIsOpen) {
    struct Case {
        float height;
        std::uint8_t blocked;
        bool started;
    };
    const Case cases[] = {{1.6f, 1, false}, {1.6f, 0, true}, {1.0f, 1, false}, {1.0f, 0, true}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "height " << c.height << " blocked " << int(c.blocked));
        resetFieldMap();
        floorRoom();
        // The counter along row 5, columns 1 to 8; the clerk in its middle.
        for (int col = 1; col <= 8; ++col) {
            gMapCells[5][col].height = 1.6f;
            gMapCells[5][col].blocked = 1;
        }
        gMapCells[5][4].height = c.height;
        gMapCells[5][4].blocked = c.blocked;
        for (int col = 0; col < 10; ++col)
            for (int row = 6; row < 10; ++row) gMapCells[row][col].height = 0.0f;  // nothing behind it
        place(7, 5, 4);
        gMapObjects[7].kind = kObjectPerson;
        const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{2, 4}});
        EXPECT_EQ(walk.touches(7), c.started);
    }
}

TEST_F(MapWalk, ATownspersonIsMetFromTheRowAndAJumpClimbsOnlyAJumpsHeight) {
    floorRoom();
    // A strip of floor along row 8 rising by steps, a chest hung over each.
    const float heights[] = {1.0f, 1.5f, 2.5f, 3.5f, 4.8f};
    for (int c = 0; c < 5; ++c) gMapCells[8][c].height = heights[c];
    for (int c = 0; c < 10; ++c) gMapCells[9][c].height = 0.0f;
    for (int r = 0; r < 8; ++r)
        for (int c = 0; c < 5; ++c) gMapCells[r][c].height = 0.0f;
    for (int c = 1; c < 5; ++c) {
        place(c, 8, c);
        gMapObjects[c].kind = kObjectChest;
        gMapObjects[c].height = 1.8f;
        gMapObjects[c].index = 10 + c;
        gMapObjects[c].character = 130;
        gMapObjects[c].pose = 1;
    }
    place(20, 3, 7);
    gMapObjects[20].kind = kObjectBeside;
    const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{8, 0}, {0, 9}});
    EXPECT_TRUE(walk.touches(1));
    EXPECT_TRUE(walk.touches(2));
    EXPECT_TRUE(walk.touches(3));
    EXPECT_FALSE(walk.touches(4)) << "1.3 above the step before it: a jump lifts the feet 1.1";
    EXPECT_TRUE(walk.touches(20));

    // The walk leaves the field as it found it: no chest opened, nothing given.
    for (int c = 1; c < 5; ++c) EXPECT_EQ(gChestFlags[10 + c], 0);
    EXPECT_EQ(gItemStock[130].owned, 0);
    EXPECT_EQ(gMapObjects[1].character, 130);
    EXPECT_EQ(gFieldEvent, 0);
}

// A deck (1.5) and, across a strip of drained basin floor (0.5), a ledge
// half a unit above the deck. A jump carries the feet as far in the air as
// on the ground, so a running jump clears a strip several cells wide: the
// walk must try it from the deck's edge, not only beside the ledge. Right
// crosses a row each five frames; the diagonals a row in three and a half.
TEST_F(MapWalk, AJumpFromTheDeckClearsAsWideAStripAsTheFieldCarriesIt) {
    struct Case {
        int strip;
        bool reached;
    };
    const Case cases[] = {{1, true}, {3, true}, {4, true}, {6, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "strip of " << c.strip << " rows");
        resetFieldMap();
        const int ledge = 10 + c.strip;
        for (int r = 0; r <= ledge; ++r)
            for (int col = 0; col < 10; ++col) {
                gMapCells[r][col].height = r < 10 ? 1.5f : r < ledge ? 0.5f : 2.0f;
                gMapCells[r][col].wallColumn = 1;
            }
        const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{2, 5}});
        EXPECT_TRUE(walk[10][5]) << "the strip is walked down to";
        bool onLedge = false;
        for (int col = 0; col < 10; ++col) onLedge = onLedge || walk[ledge][col];
        EXPECT_EQ(onLedge, c.reached);
    }
}

// A ledge round a corner: from the floor (1.0) a sunken passage (0.1)
// runs two rows down, then turns along the columns to a ledge (2.0) with a
// person at its far end; rock (5.0) everywhere else. No straight line from
// the floor meets the ledge, and from the passage it is out of a jump's
// height: only a jump that leaves along the rows and turns in the air
// lands on it. The keys of the walk that meets the person, played back,
// must meet the person too.
TEST_F(MapWalk, AJumpThatTurnsInTheAirReachesALedgeRoundACorner) {
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 10; ++c) {
            gMapCells[r][c].height = 5.0f;
            gMapCells[r][c].wallColumn = 1;
        }
    for (int r = 2; r <= 6; ++r)
        for (int c = 0; c <= 3; ++c) gMapCells[r][c].height = 1.0f;
    for (const auto& [r, c] : {std::pair{7, 3}, {8, 3}, {8, 4}}) gMapCells[r][c].height = 0.1f;
    for (int c = 5; c <= 7; ++c) gMapCells[8][c].height = 2.0f;
    place(9, 8, 7);
    gMapObjects[9].kind = kObjectPerson;

    std::vector<int> route;
    const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{4, 1}}, {}, 9, &route);
    EXPECT_TRUE(walk[8][4]) << "the passage is walked down to";
    EXPECT_TRUE(walk[8][5]) << "the ledge is reached by a turned jump";
    EXPECT_TRUE(walk.touches(9));
    ASSERT_FALSE(route.empty());

    // The route as a player keys it, from the arrival.
    mapwalk::readyFieldForWalk();
    placePlayerOnArrival(4, 1);
    gPlayerVSpeed = 0.0f;
    for (std::size_t frame = 0; frame < route.size() && gFieldEvent == 0; ++frame) {
        gInputCode = route[frame];
        stepFieldPlayer();
    }
    EXPECT_EQ(gFieldEvent, 10) << "the route's keys meet the person";
}

// A fall off a ledge steers as freely as a jump: behind a pillar that
// stands in the way of every straight fall lies a shelf too high to climb
// from the pit, reached only by a fall that turns round the pillar.
TEST_F(MapWalk, AFallOffALedgeThatTurnsRoundAPillarLandsOnAShelf) {
    for (int r = 0; r < 12; ++r)
        for (int c = 0; c < 10; ++c) {
            gMapCells[r][c].height = 9.0f;
            gMapCells[r][c].blocked = 1;
            gMapCells[r][c].wallColumn = 1;
        }
    for (int r = 1; r <= 2; ++r)
        for (int c = 1; c <= 2; ++c) gMapCells[r][c] = {}, gMapCells[r][c].height = 6.0f, gMapCells[r][c].wallColumn = 1;
    for (int r = 3; r <= 8; ++r)
        for (int c = 0; c <= 5; ++c) gMapCells[r][c].blocked = 0, gMapCells[r][c].height = 0.3f;
    for (int c = 0; c <= 2; ++c) gMapCells[4][c].blocked = 1, gMapCells[4][c].height = 9.0f;
    gMapCells[5][1].height = 1.8f;

    const mapwalk::WalkResult walk = mapwalk::walkFromArrivals({{1, 1}}, {}, -1, nullptr);
    EXPECT_TRUE(walk[3][1]) << "the pit is fallen into";
    EXPECT_TRUE(walk[5][1]) << "the shelf behind the pillar is reached by a turned fall";
}

// ---- Every switch state of a gate map ----

// The gate fixture in switch state `state` (bit 0 the blue switch): the gate
// at rest, the door, the levers named live, and the chest.
void setUpGateRoom(const mapsource::MapSource& map, int state, const std::vector<int>& levers, bool pit) {
    mapsource::compileMapSource(map);
    // The switches as the state has them, and the gate at the rest the
    // tower's floors give it (2.5 lowered, 4.0 raised). Lowered, it is low
    // enough that a jump from the far side clears it and lands by the near
    // lever: the raised state must begin there, not back where the jump
    // started, or the far side would seem shut in.
    for (int i = 0; i < 3; ++i) gStoryFlags[900 + i] = static_cast<std::uint8_t>((state >> i) & 1);
    gMapCells[14][15].height = (state & 1) != 0 ? 4.0f : 2.5f;
    gMapObjects[0].kind = kObjectPerson;
    for (int slot : levers) {
        gMapObjects[slot].kind = kObjectPerson;
        gMapObjects[slot].character = 41;  // a blue lever
    }
    gMapObjects[3].kind = kObjectChest;
    gMapObjects[3].index = 5;
    gMapObjects[3].height = 1.8f;
    // A sunken floor on the far side, a drop too deep to climb out of.
    if (pit)
        for (int r = 18; r <= 20; ++r)
            for (int c = 18; c <= 20; ++c) gMapCells[r][c].height = 0.5f;
}

struct GateCase {
    const char* what;
    const char* goal;          // the gate line's patterns for the chest's cell
    std::vector<int> levers;
    bool pit;
    std::size_t faults;
    std::vector<std::string> expected;  // the starts of some of the faults
};

TEST_F(MapWalk, EverySwitchStateIsWalkedForTheGoalsAndTheShutInPlaces) {
    const mapsource::MapSource map = mapsource::loadMapSourceFile(kSourceDir + "/tests/fixtures/maps/gates.map");
    ASSERT_TRUE(map.errors.empty());
    std::map<int, std::string> roles;
    for (const mapsource::SlotEntry& s : map.slots) roles[s.slot] = s.role;
    const std::vector<GateCase> cases = {
        {"the lowered gate opens the far side; the lever beside the door mends the raised one", "0--", {1}, false, 0, {}},
        // Four states with the gate lowered, each reaching it; four with it
        // raised, none reaching it (the lever mends those: no third fault).
        {"the far side wrongly said to open with the gate raised", "1--", {1}, false, 8,
         {"map 0: (12, 18) is reached with switches 000, which should shut it",
          "map 0: (12, 18) is not reached with switches 100, which should open it"}},
        {"no lever on the floor: the gate's state is as the floor finds it", "0--", {}, false, 0, {}},
        // One fault for each state with the gate lowered: the pit is reached in all four.
        {"a pit on the far side shuts the player in", "0--", {1}, true, 4, {"map 0: shut in with switches 000 at (18, 18)"}},
    };
    for (const GateCase& c : cases) {
        std::vector<std::string> errors;
        const mapsource::Constraints constraints =
            mapsource::parseConstraints("arrival 0 12 12\ngate 0 12 18 " + std::string(c.goal) + "\n", errors);
        ASSERT_TRUE(errors.empty());
        const mapwalk::StateWalkReport report = mapwalk::walkMapStates(
            0, roles, constraints, [&](int state) { setUpGateRoom(map, state, c.levers, c.pit); });
        EXPECT_EQ(report.states, 8) << c.what;
        const std::vector<std::string>& faults = report.faults;
        EXPECT_EQ(faults.size(), c.faults) << c.what << ": " << (faults.empty() ? "" : faults.front());
        for (const std::string& e : c.expected) {
            bool found = false;
            for (const std::string& f : faults) found = found || f.rfind(e, 0) == 0;
            EXPECT_TRUE(found) << c.what << ": no fault " << e;
        }
    }
}

TEST_F(MapWalk, GateAndWaterLinesAreParsedAndBadOnesRefused) {
    std::vector<std::string> errors;
    const mapsource::Constraints good =
        mapsource::parseConstraints("gate 83 27 5 0-1,11-\nwater 108 6 50 3-11\nwater 108 50 50 0-2,5\n", errors);
    ASSERT_TRUE(errors.empty());
    EXPECT_EQ(good.stateGoals.at(83).front().open, (std::set<int>{4, 6, 3, 7}));
    EXPECT_EQ(good.stateGoals.at(108)[0].open.size(), 9u);
    EXPECT_EQ(good.stateGoals.at(108)[1].open, (std::set<int>{0, 1, 2, 5}));
    for (const char* bad : {"gate 83 27 5 0-\n", "gate 83 27 5 012\n", "water 108 6 50 3-12\n", "gate 83 60 5 1--\n",
                            "water 108 6 50\n"}) {
        errors.clear();
        mapsource::parseConstraints(bad, errors);
        EXPECT_EQ(errors.size(), 1u) << bad;
    }
}

// ---- Every water level of a sea base floor ----

// A sea base floor (level 2) with the stored level `level`, set up as an
// arrival sets it up: the floats ride or sink, the moat floods or drains.
void setUpWaterFloor(const mapsource::MapSource& map, int level) {
    mapsource::compileMapSource(map);
    gStoryFlags[mapwalk::states::kWaterLevelFlag] = static_cast<std::uint8_t>(level);
    applyWaterLevel(2);
    gMapObjects[0].kind = kObjectChest;
    gMapObjects[0].index = 125;
    gMapObjects[0].height = 1.8f;
}

// Map 108's source with its platform up (20, 40) inside a moat with a drain
// plate, as the floor was once laid out, or as it stands.
mapsource::MapSource floor108(bool moat) {
    std::string text;
    EXPECT_TRUE(mapsource::readTextFile(kSourceDir + "/content/maps/Map_108.map", text));
    if (moat) {
        const std::string open(49, '_');
        auto replaceLine = [&](const std::string& column, const std::string& inside) {
            const std::string from = "\n" + column + " ...#";
            const std::size_t at = text.find(from);
            ASSERT_NE(at, std::string::npos) << column;
            text.replace(at + from.size(), open.size(), open.substr(0, 14) + inside + open.substr(19));
        };
        replaceLine("38", "wwwww");
        replaceLine("39", "w___w");
        replaceLine("40", "w_Hsw");
        replaceLine("41", "w___w");
        replaceLine("42", "wwwww");
    }
    std::string tileText;
    mapsource::TileNames tiles;
    std::vector<std::string> errors;
    EXPECT_TRUE(mapsource::readTextFile(kSourceDir + "/content/maps/tiles.txt", tileText));
    mapsource::parseTileNames(tileText, tiles, errors);
    return mapsource::parseMapSource(text, tiles);
}

// The island chest waits for a flood a higher floor's plate brings, and only
// the lift from above arrives with it: the lift from below, whose floor the
// flood came down through, must not stand in for it.
TEST_F(MapWalk, AFloodedIslandIsJudgedFromTheLiftThatComesDownFlooded) {
    std::vector<std::string> errors;
    const mapsource::Constraints constraints =
        mapsource::parseConstraints("arrival 108 40 21\nwater 108 6 50 3-11\nwater 108 50 50 0-2\n", errors);
    ASSERT_TRUE(errors.empty());
    for (const bool moat : {false, true}) {
        const mapsource::MapSource map = floor108(moat);
        ASSERT_TRUE(map.errors.empty()) << map.errors.front();
        const mapwalk::StateWalkReport report = mapwalk::walkMapStates(
            108, touchRolesOf(map), constraints, [&](int level) { setUpWaterFloor(map, level); });
        EXPECT_EQ(report.states, 12);
        if (!moat) {
            EXPECT_TRUE(report.faults.empty()) << report.faults.front();
            continue;
        }
        // Coming down flooded lands in the moat: the island is out of reach
        // at every level that floods the floor, and nothing else is wrong.
        EXPECT_EQ(report.faults.size(), 9u);
        for (const std::string& f : report.faults)
            EXPECT_EQ(f.rfind("map 108: (6, 50) is not reached with water level ", 0), 0u) << f;
    }
}

}  // namespace

