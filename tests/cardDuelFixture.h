// Shared set-up of the card-duel tests: a clean duel, an empty card table
// and stock that each test fills with the rows it needs, and a scripted
// random sequence in place of randomThousand.
#pragma once

#include <gtest/gtest.h>

#include <cstring>
#include <initializer_list>
#include <vector>

#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelState.h"

namespace cardduel_test {

// The values the duel draws, in order; running out fails the test and gives 0.
struct ScriptedRandom {
    static std::vector<int>& values() {
        static std::vector<int> v;
        return v;
    }
    static std::size_t& next() {
        static std::size_t n = 0;
        return n;
    }
    static int draw() {
        if (next() >= values().size()) {
            ADD_FAILURE() << "the duel drew more random numbers than the test scripted";
            return 0;
        }
        return values()[next()++];
    }
    static void set(std::initializer_list<int> v) {
        values().assign(v);
        next() = 0;
    }
    static std::size_t used() { return next(); }
};

class CardDuelTest : public ::testing::Test {
protected:
    void SetUp() override {
        resetCardDuelState();
        std::memset(gCardTable, 0, sizeof gCardTable);
        std::memset(gCardStock, 0, sizeof gCardStock);
        // Every row a harmless rare of element 風 with all sides 5 unless a test says otherwise,
        // so no row is an accidental common, uncommon or legend of some group.
        for (CardRecord& row : gCardTable) setRow(row, 2, 4, 0, {5, 5, 5, 5});
        ScriptedRandom::set({});
        gDuelRandomSource = &ScriptedRandom::draw;
        gScene = 0;
        gRedrawRequest[0] = gRedrawRequest[1] = 0;
        gMusicLock = 0;
        std::strcpy(gCurrentSong, "field.mid");
        std::strcpy(gRequestedSong, "field.mid");
        gRememberedSong[0] = '\0';
    }
    void TearDown() override { gDuelRandomSource = nullptr; }

    static void setRow(CardRecord& row, int rarity, int element, int group, std::initializer_list<int> sides) {
        row.rarity = static_cast<std::uint8_t>(rarity);
        row.element = static_cast<std::uint8_t>(element);
        row.group = static_cast<std::uint8_t>(group);
        int i = 0;
        for (int s : sides) row.sides[i++] = static_cast<std::uint8_t>(s);
    }
    static void card(int index, int rarity, int element, int group, std::initializer_list<int> sides) {
        setRow(gCardTable[index], rarity, element, group, sides);
    }
    // Puts a card on the board with the values of its row.
    static void put(int column, int row, int cardIndex, std::uint8_t owner) {
        DuelCell& cell = gDuelBoard[3 * column + row];
        cell.card = cardIndex;
        cell.owner = owner;
        std::memcpy(cell.sides, gCardTable[cardIndex].sides, 4);
    }
    static DuelCell& at(int column, int row) { return gDuelBoard[3 * column + row]; }
    static std::vector<int> sidesOf(int column, int row) {
        const DuelCell& c = at(column, row);
        return {c.sides[0], c.sides[1], c.sides[2], c.sides[3]};
    }
};

}  // namespace cardduel_test
