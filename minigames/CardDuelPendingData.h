// The card table row and the card stock the duel reads, declared here only
// until the game-data header lands on main (gamedata/GameData.h); its
// definitions then replace the weak ones in minigames/pendingServices_duel.cpp
// and this header goes.
#pragma once

#include <cstdint>

constexpr int kCardCount = 100;

struct CardRecord {
    char name[100];
    std::uint8_t rarity;    // 0 common, 1 uncommon, 2 rare, 3 legend
    std::uint8_t element;   // 0-9
    std::uint8_t group;     // the opponent that owns the card's kind
    std::uint8_t sides[4];  // left, top, right, bottom, 0-9
    int price;
    char description[300];
};

struct CardStock {
    int count;            // copies owned
    std::uint8_t known;   // 1: the catalogue shows the card
    std::uint8_t holder;  // who holds a card the player does not own; 0 none
};

extern CardRecord gCardTable[100];
extern CardStock gCardStock[100];
