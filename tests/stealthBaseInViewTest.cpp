// The stealth base's five floors as a player meets them: the field's camera
// cut to the player sees the player whole on every cell a walk from the
// floor's arrivals reaches. A crate stack, a pump or a shaft wall raised on
// the camera's side of the walkway fails here, as does a gallery or a block
// of wall in front of an arrival, a chest, a stair or a person.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "tests/colerupicStealthFixture.h"
#include "tests/playerInView.h"

using colerupictest::ColerupicField;

namespace {

struct Floor {
    int map;
    std::vector<inview::Cell> arrivals;
};

const Floor kFloors[] = {
    {65, {{36, 52}, {44, 17}, {48, 46}}},
    {66, {{16, 8}, {44, 19}, {50, 39}}},
    {67, {{7, 32}, {46, 36}, {53, 31}}},
    {68, {{19, 28}, {46, 12}, {51, 2}}},
    {69, {{26, 33}, {43, 10}, {55, 10}}},
};

// Walked cells where the player still goes unseen, with the reason the
// floor keeps what hides them.
struct StillHidden {
    int map;
    const char* why;
    std::vector<inview::Cell> cells;
};
const StillHidden kStillHidden[] = {
    {68,
     "the hall's near corner lies behind the upper deck, which stands seven above it on the camera's side, and the "
     "sill round the deck's shaft",
     {{23, 31}, {24, 25}, {24, 30}, {25, 24}, {25, 25}, {25, 28}, {25, 29}, {26, 22}, {26, 23}, {26, 24}, {26, 36},
      {27, 21}, {27, 22}, {27, 23}, {27, 24}, {27, 25}, {27, 32}, {27, 33}, {27, 34}, {27, 35}, {28, 20}, {28, 21},
      {28, 22}, {28, 23}, {28, 24}, {28, 25}, {28, 31}, {28, 32}, {28, 33}, {28, 34}, {29, 20}, {29, 21}, {29, 22},
      {29, 23}, {29, 24}, {29, 29}, {29, 30}, {29, 31}, {29, 32}, {30, 20}, {30, 21}, {30, 24}, {30, 28}, {30, 29},
      {30, 30}, {30, 31}, {31, 27}, {31, 28}}},
    {69,
     "the hall's near corner lies behind the upper deck, seven above it on the camera's side, and the walls of the "
     "deck's shaft",
     {{26, 26}, {26, 27}, {26, 28}, {27, 24}, {27, 25}, {27, 26}, {27, 27}, {28, 24}, {28, 25}, {28, 26}, {29, 24},
      {30, 23}, {30, 24}, {30, 25}, {30, 26}, {30, 27}, {31, 23}, {31, 24}, {31, 25}, {31, 26}, {31, 27}, {31, 28},
      {32, 24}, {32, 25}, {32, 26}, {32, 28}, {33, 24}, {33, 25}, {33, 26}, {33, 27}, {33, 28}, {34, 24}, {34, 25},
      {34, 26}, {34, 27}, {34, 28}}},
};

}  // namespace

struct StealthBaseField : ColerupicField {
    // Every cell a walk from one of the floor's arrivals reaches, arriving
    // afresh for each (the entrance fight over).
    std::set<inview::Cell> walkedCells(const Floor& floor) {
        gStoryFlags[28] = 2;
        std::set<inview::Cell> walked;
        for (const auto& [row, col] : floor.arrivals) {
            arrive(floor.map, row, col, 1, 1);
            const mapwalk::WalkResult walk = story1test::walkableFrom(row, col);
            for (int r = 0; r < kMapRows; ++r)
                for (int c = 0; c < kMapColumns; ++c)
                    if (walk[r][c]) walked.insert({r, c});
        }
        return walked;
    }
};

TEST_F(StealthBaseField, FloorsShowThePlayerWholeWhereTheWayAndTheChestsAre) {
    for (const Floor& floor : kFloors) {
        SCOPED_TRACE("map " + std::to_string(floor.map));
        const std::set<inview::Cell> places = inview::cellsToSee(floor.map, floor.arrivals, walkedCells(floor));
        EXPECT_GT(places.size(), 10u);
        inview::expectSeenWholeOn(resources, places);
    }
}

TEST_F(StealthBaseField, FloorsShowThePlayerWholeOnEveryWalkedCell) {
    for (const Floor& floor : kFloors) {
        SCOPED_TRACE("map " + std::to_string(floor.map));
        std::map<inview::Cell, std::string> allowed;
        for (const StillHidden& h : kStillHidden)
            if (h.map == floor.map)
                for (const inview::Cell& cell : h.cells) allowed[cell] = h.why;
        const std::set<inview::Cell> walked = walkedCells(floor);
        EXPECT_GT(walked.size(), 300u);
        for (const auto& [r, c] : walked) {
            const framing::Camera camera = inview::cameraOnPlayerAt(resources, r, c);
            const std::string why = inview::notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]);
            if (why.empty()) continue;
            EXPECT_EQ(allowed.count({r, c}), 1u) << "the player on (" << r << ", " << c << "): " << why;
        }
        // A listed cell the player is seen on again is taken off the list.
        for (const auto& [cell, reason] : allowed) {
            const framing::Camera camera = inview::cameraOnPlayerAt(resources, cell.first, cell.second);
            EXPECT_NE(inview::notWhole(camera, gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]), "")
                << "(" << cell.first << ", " << cell.second << "), listed as hidden (" << reason
                << "), is seen now: take it off the list";
            EXPECT_EQ(walked.count(cell), 1u) << "(" << cell.first << ", " << cell.second << ") is not walked";
        }
    }
}
