#include <cstring>

#include "minigames/CardDuelSetup.h"
#include "tests/cardDuelFixture.h"

namespace cardduel_test {
namespace {

class CardDuelSetup : public CardDuelTest {
protected:
    static std::vector<int> opponentCards() {
        std::vector<int> cards;
        for (const HandSlot& slot : gOpponentHand) cards.push_back(slot.card);
        return cards;
    }
    static std::vector<int> playerCards() {
        std::vector<int> cards;
        for (const HandSlot& slot : gPlayerHand) cards.push_back(slot.card);
        return cards;
    }
    // Five common copies, enough for any budget.
    static void ownFiveCommons() {
        card(99, 0, 4, 0, {1, 1, 1, 1});
        gCardStock[99].count = 5;
    }
};

TEST_F(CardDuelSetup, MinimumHandCostTakesTheCheapestFiveCopies) {
    struct Case {
        const char* what;
        std::vector<std::pair<int, int>> owned;  // (rarity, copies) of one card each
        int expected;
    };
    const Case cases[] = {
        {"four copies in all", {{0, 2}, {3, 2}}, 100},
        {"five of one common", {{0, 5}}, 0},
        {"four commons and a legend", {{0, 4}, {3, 1}}, 3},
        {"five uncommons, one copy each", {{1, 1}, {1, 1}, {1, 1}, {1, 1}, {1, 1}}, 5},
        {"cheapest first across cards", {{3, 9}, {2, 2}, {0, 3}}, 4},
        {"nothing", {}, 100},
    };
    for (const Case& c : cases) {
        std::memset(gCardStock, 0, sizeof gCardStock);
        int index = 0;
        for (auto [rarity, copies] : c.owned) {
            card(index, rarity, 4, 0, {1, 1, 1, 1});
            gCardStock[index++].count = copies;
        }
        EXPECT_EQ(minimumHandCost(), c.expected) << c.what;
    }
}

TEST_F(CardDuelSetup, ATownspersonPlaysItsLegendsThenUncommonsOfItsGroupThenCommons) {
    ownFiveCommons();
    card(10, 3, 5, 2, {9, 9, 9, 9});  // its legend, not owned
    card(11, 3, 5, 2, {9, 9, 9, 9});  // its legend, owned: not played
    gCardStock[11].count = 1;
    card(12, 3, 5, 1, {9, 9, 9, 9});  // another opponent's legend
    card(20, 1, 5, 2, {4, 4, 4, 4});
    card(21, 1, 5, 2, {4, 4, 4, 4});
    card(22, 1, 5, 3, {4, 4, 4, 4});  // uncommon of another group
    card(30, 0, 5, 0, {2, 2, 2, 2});
    card(31, 0, 5, 0, {2, 2, 2, 2});
    // Commons: 30, 31 and the player's own 99.
    ScriptedRandom::set({3, 1, 0, 1, 2});  // one uncommon; 21; commons 30, 31, 99
    startCardDuel(kNoExtraCard, 2);
    EXPECT_EQ(ScriptedRandom::used(), 5u);
    EXPECT_EQ(opponentCards(), (std::vector<int>{10, 21, 30, 31, 99}));
    EXPECT_EQ(gScene, kDuelScene);
    EXPECT_EQ(gCostLimit, 15);
    EXPECT_EQ(gCostLeft, 15);
    EXPECT_EQ(gDuelPhase, 0);
    EXPECT_STREQ(gRequestedSong, kTownspersonDuelSong);
    EXPECT_STREQ(gRememberedSong, "field.mid");
    for (const HandSlot& slot : gPlayerHand) EXPECT_EQ(slot.played, 1);
    for (const DuelCell& cell : gDuelBoard) EXPECT_EQ(cell.card, kEmptyCell);
}

TEST_F(CardDuelSetup, AnOpponentWhoseLegendIsOwnedTakesBackACardItWonEarlier) {
    ownFiveCommons();
    card(10, 3, 5, 4, {9, 9, 9, 9});
    gCardStock[10].count = 1;
    for (int c : {40, 41, 42}) gCardStock[c].holder = 4;
    gCardStock[42].count = 1;  // won back by the player since: not a candidate
    // The uncommon count 0; card 41 of {40, 41}; four commons (only 99 exists).
    ScriptedRandom::set({0, 1, 0, 0, 0, 0});
    startCardDuel(kNoExtraCard, 4);
    EXPECT_EQ(opponentCards(), (std::vector<int>{41, 99, 99, 99, 99}));
}

TEST_F(CardDuelSetup, EmptyCandidateSetsAreSkippedAndTheHandStillFillsToFive) {
    card(50, 2, 4, 0, {3, 3, 3, 3});
    gCardStock[50].count = 5;  // no common in the whole table, no uncommon in group 5
    ScriptedRandom::set({4, 7, 8, 9, 10, 11});  // one uncommon wanted; then any card for each slot
    startCardDuel(kNoExtraCard, 5);
    EXPECT_EQ(ScriptedRandom::used(), 6u);
    EXPECT_EQ(opponentCards(), (std::vector<int>{7, 8, 9, 10, 11}));
}

TEST_F(CardDuelSetup, TheExtraCardFollowsTheLegendsAndFoegelPlaysNoUncommon) {
    ownFiveCommons();
    card(60, 3, 5, 6, {9, 9, 9, 9});
    card(70, 1, 5, 6, {4, 4, 4, 4});
    ScriptedRandom::set({4, 0, 0, 0});  // a draw that would give an uncommon elsewhere
    startCardDuel(34, 6);
    EXPECT_EQ(opponentCards(), (std::vector<int>{60, 33, 99, 99, 99}));
}

TEST_F(CardDuelSetup, TournamentsTakeBudgetAndUncommonsFromTheCodeAndKeepTheSong) {
    ownFiveCommons();
    for (int c = 20; c < 25; ++c) card(c, 1, 5, 2, {4, 4, 4, 4});
    ScriptedRandom::set({0, 1, 2, 0, 0});  // three uncommons of group 2, two commons
    startCardDuel(kNoExtraCard, 23);
    EXPECT_EQ(opponentCards(), (std::vector<int>{20, 21, 22, 99, 99}));
    EXPECT_EQ(gCostLimit, 8);
    EXPECT_STREQ(gRequestedSong, "field.mid");
    EXPECT_STREQ(gRememberedSong, "field.mid");

    const struct { int code; int budget; } budgets[] = {{10, 10}, {26, 8}, {35, 6}, {44, 5}, {56, 4}};
    for (const auto& b : budgets) {
        ScriptedRandom::set({0, 0, 0, 0, 0, 0, 0, 0});
        startCardDuel(kNoExtraCard, b.code);
        EXPECT_EQ(gCostLimit, b.budget) << b.code;
    }
}

TEST_F(CardDuelSetup, APresetHandDealsThePlayerAnyOwnedCopyWhenNoCommonIsOwned) {
    card(1, 3, 5, 0, {9, 9, 9, 9});
    card(2, 1, 5, 0, {4, 4, 4, 4});
    card(3, 2, 5, 0, {6, 6, 6, 6});
    card(4, 0, 5, 0, {1, 1, 1, 1});  // a common the player does not own
    gCardStock[1].count = 1;
    gCardStock[2].count = 1;
    gCardStock[3].count = 3;
    // Quota; the legend; a new quota; cards 2, 3, 3; the tier-0 quota; any owned copy.
    ScriptedRandom::set({0, 0, 0, 0, 0, 0, 0, 0});
    startCardDuel(kNoExtraCard, 62);
    EXPECT_EQ(ScriptedRandom::used(), 8u);
    EXPECT_EQ(opponentCards(), (std::vector<int>{94, 95, 96, 97, 98}));
    EXPECT_EQ(playerCards(), (std::vector<int>{1, 2, 3, 3, 3}));
    for (int c : {1, 2, 3}) EXPECT_EQ(gCardStock[c].count, 0);
    EXPECT_EQ(gDuelPhase, 4);
    EXPECT_EQ(gPlayerHand[0].selected, 1);
    for (const HandSlot& slot : gPlayerHand) EXPECT_EQ(slot.played, 0);
}

TEST_F(CardDuelSetup, ADuelThatCannotBePlayedIsRefusedAndReadsAsLost) {
    card(1, 3, 5, 0, {9, 9, 9, 9});
    gCardStock[1].count = 5;  // five legends: cost 15
    struct Case { int code; const char* why; };
    const Case cases[] = {{0, "no opponent"},  {7, "no opponent"},     {17, "no round 7"},
                          {70, "no opponent"}, {50, "over budget 4"}, {255, "no opponent"}};
    for (const Case& c : cases) {
        gScene = 0;
        gDuelResult = kDuelWon;
        startCardDuel(kNoExtraCard, c.code);
        EXPECT_EQ(gScene, 0) << c.code << ": " << c.why;
        EXPECT_EQ(gDuelResult, kDuelLost) << c.code;
    }
    gCardStock[1].count = 4;  // four copies: not even a preset hand can be dealt
    startCardDuel(kNoExtraCard, 60);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(ScriptedRandom::used(), 0u);
}

TEST_F(CardDuelSetup, TheEndOfADuelAsksForTheSongThatPlayedBefore) {
    std::strcpy(gCurrentSong, kTownspersonDuelSong);
    std::strcpy(gRememberedSong, "field.mid");
    gScene = kDuelScene;
    finishCardDuel();
    EXPECT_EQ(gScene, kFieldScene);
    EXPECT_STREQ(gRequestedSong, "field.mid");
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gRedrawRequest[1], 2);

    // A tournament never changed the song: nothing to ask for.
    std::strcpy(gCurrentSong, "field.mid");
    std::strcpy(gRequestedSong, "other.mid");
    finishCardDuel();
    EXPECT_STREQ(gRequestedSong, "other.mid");
}

TEST_F(CardDuelSetup, TheMusicLockKeepsTheFieldSongThroughATownspersonDuel) {
    ownFiveCommons();
    gMusicLock = 1;
    ScriptedRandom::set({0, 0, 0, 0, 0, 0});
    startCardDuel(kNoExtraCard, 1);
    EXPECT_STREQ(gRequestedSong, "field.mid");
    EXPECT_STREQ(gRememberedSong, "field.mid");
}

}  // namespace
}  // namespace cardduel_test
