// Shared set-up of the コールルピック and stealth-base tests: the story field
// with a stand-in card duel, the first lines of every message shown and the
// music player taking up each requested song.
#pragma once

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "engine/Music.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "tests/story1Fixture.h"

namespace colerupictest {

struct ColerupicField : story1test::StoryField {
    std::vector<int> opponents;        // opponent codes of the duels, in order
    std::deque<std::uint8_t> results;  // results of the coming duels (won when they run out)
    std::vector<std::string> lines;    // first lines of the messages shown, in order

    void SetUp() override {
        StoryField::SetUp();
        otherScreen = [this] {
            if (gScene != kDuelScene) return false;
            opponents.push_back(gDuelOpponent);
            gDuelResult = results.empty() ? kDuelWon : results.front();
            if (!results.empty()) results.pop_front();
            finishCardDuel();
            return true;
        };
    }
    // Five of the cheapest cards, enough for any tournament's limit.
    static void ownCheapCards(int copies) {
        int given = 0;
        for (int card = 0; card < kCardCount && given < copies; ++card) {
            if (gCardTable[card].rarity != 0) continue;
            gCardStock[card].count = 1;
            ++given;
        }
    }
    // Plays until `done`, noting messages and letting the music player take up
    // every requested song.
    template <typename Done>
    story1test::Played playNoting(int budget, Done done) {
        std::string last;
        return play(budget, [&] {
            std::strcpy(gCurrentSong, gRequestedSong);
            if (gMessageMode != 0) {
                const std::string first(gMessageText, std::strcspn(gMessageText, "\n"));
                if (first != last) lines.push_back(first);
                last = first;
            }
            return done();
        });
    }
    story1test::Played talkTo(int slot, int budget = 20000) {
        touch(slot);
        return playNoting(budget, [] { return gFieldEvent == 0; });
    }
    // Plays an automatic scene that ends in a map change.
    story1test::Played playScene(int budget = 40000) {
        return playNoting(budget, [] { return gScene == 0 && gFieldEvent == 0 && gPendingMapChange.pending == 0; });
    }
    bool said(const std::string& line) const {
        for (const std::string& l : lines)
            if (l == line) return true;
        return false;
    }
};

}  // namespace colerupictest
