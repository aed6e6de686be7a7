// A random pick among the cards that pass a test, candidates in card order:
// candidate number duelRandom() mod n. With no candidate nothing is drawn and
// the result is -1, so every caller decides what an empty set means.
#pragma once

#include "gamedata/GameData.h"
#include "minigames/CardDuelState.h"

template <typename Accept>
int pickRandomCard(Accept accept) {
    int candidates = 0;
    for (int card = 0; card < kCardCount; ++card)
        if (accept(card)) ++candidates;
    if (candidates == 0) return -1;
    int k = duelRandom() % candidates;
    for (int card = 0; card < kCardCount; ++card) {
        if (!accept(card)) continue;
        if (k == 0) return card;
        --k;
    }
    return -1;
}
