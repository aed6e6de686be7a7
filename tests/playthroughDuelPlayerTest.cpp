// The whole-game player's card duel: the move it makes where the right one
// is plain, and a whole duel played through the screen's phase machine with
// its keys alone, from deck building to the card taken.
#include <algorithm>
#include <vector>

#include "minigames/CardDuelPhases.h"
#include "minigames/CardDuelSetup.h"
#include "tests/cardDuelFixture.h"
#include "tools/playthrough/DuelPlayer.h"

namespace cardduel_test {
namespace {

constexpr int kFire = 2;
constexpr int kWind = 4;

using DuelPlayerChoice = CardDuelTest;

// The player's hand: the cards in the first slots, the rest played.
void holdHand(std::initializer_list<int> cards) {
    int slot = 0;
    for (int c : cards) gPlayerHand[slot++] = HandSlot{c, 0, 0};
    for (; slot < kHandSlots; ++slot) gPlayerHand[slot] = HandSlot{kCardBack, 1, 0};
    gPlayerHand[0].selected = 1;
}

void clearBoard() {
    for (DuelCell& cell : gDuelBoard) cell = DuelCell{kEmptyCell, kOpponentOwner, {0, 0, 0, 0}};
}

TEST_F(DuelPlayerChoice, TakesTwoCardsRatherThanOne) {
    card(30, 0, kWind, 0, {1, 1, 1, 1});   // the opponent's, weak all round
    card(40, 0, kFire, 0, {1, 5, 1, 5});   // beats both from between them
    card(41, 0, kFire, 0, {9, 1, 9, 1});   // strong, but only sideways
    clearBoard();
    put(1, 0, 30, kOpponentOwner);
    put(1, 2, 30, kOpponentOwner);
    holdHand({41, 40});

    const DuelMove move = chooseDuelMove();
    EXPECT_EQ(move.slot, 1);
    EXPECT_EQ(move.cell, 4);  // the centre, between the two
}

TEST_F(DuelPlayerChoice, WithNothingToTakeAWeakCardGoesToACornerWithItsStrongSidesOut) {
    card(40, 0, kFire, 0, {9, 9, 9, 9});
    card(41, 0, kFire, 0, {1, 1, 8, 8});  // weak left and top
    clearBoard();
    holdHand({40, 41});

    const DuelMove move = chooseDuelMove();
    EXPECT_EQ(move.slot, 1);
    EXPECT_EQ(move.cell, 0);  // top left: its weak sides face the board's edges
}

TEST_F(DuelPlayerChoice, DeckBuildingKeepsBudgetForTheCardsThatMustFollow) {
    card(10, 2, kFire, 0, {8, 8, 8, 9});
    card(11, 3, kFire, 0, {9, 9, 9, 9});  // the strongest, and a legend
    card(12, 1, kFire, 0, {8, 8, 8, 8});
    card(13, 0, kFire, 0, {1, 1, 1, 1});
    for (int c = 10; c <= 12; ++c) gCardStock[c].count = 1;
    gHandChosen = 0;
    gCostLeft = 3;

    // With four commons the legend fits beside them.
    gCardStock[13].count = 4;
    EXPECT_EQ(nextDeckCard(), 11);
    // With three the fifth card must be the uncommon: the legend would leave
    // nothing for it, the rare leaves just enough.
    gCardStock[13].count = 3;
    EXPECT_EQ(nextDeckCard(), 10);
    // A budget no five cards fit: nothing is chosen.
    gCostLeft = 2;
    EXPECT_EQ(nextDeckCard(), -1);
}

// The keys a player holds: a key pressed on two frames running counts once,
// so the duel's keys are let go for a frame in between.
struct KeyedDuel {
    int frames = 0;
    int lastCode = 0;
    std::vector<int> chosen;  // the deck-building picks, in order
};

TEST_F(DuelPlayerChoice, PlaysAWholeDuelWithKeysAndTakesTheBestCardOnOffer) {
    // The player's cards: a rare, a legend the budget then leaves out and the
    // commons, one of them weak; the opponent's commons are weak, one of them less so.
    card(10, 2, kFire, 0, {9, 9, 9, 9});
    card(12, 3, kFire, 0, {8, 8, 8, 8});
    for (int c = 20; c <= 23; ++c) card(c, 0, kFire, 0, {7, 7, 7, 7});
    card(24, 0, kFire, 0, {2, 2, 2, 2});
    card(30, 0, kWind, 0, {1, 1, 1, 1});
    card(31, 0, kWind, 0, {3, 3, 3, 3});
    gCardStock[10].count = 1;
    gCardStock[12].count = 1;
    for (int c = 20; c <= 24; ++c) gCardStock[c].count = 1;
    // The opponent's five commons in card order 20-24, 30, 31: 30 four times, 31 once.
    ScriptedRandom::set({5, 6, 5, 5, 5});
    startCardDuel(kNoExtraCard, 50);  // a budget of 4
    ASSERT_EQ(gScene, kDuelScene);

    KeyedDuel run;
    constexpr int kFrameBudget = 600;
    while (gScene == kDuelScene && run.frames < kFrameBudget) {
        ++run.frames;
        const int chosenBefore = gHandChosen;
        int code = duelCode();
        if (code == run.lastCode) code = 0;
        run.lastCode = code;
        stepCardDuel(code);
        if (gDuelPhase <= 4 && gHandChosen > chosenBefore) run.chosen.push_back(gPlayerHand[chosenBefore].card);
    }
    ASSERT_LT(run.frames, kFrameBudget) << "the duel did not end; phase " << int(gDuelPhase);
    EXPECT_EQ(gScene, kFieldScene);
    EXPECT_EQ(run.chosen, (std::vector<int>{10, 20, 21, 22, 23}));  // 2 of 4 spent: no room for the legend
    EXPECT_EQ(gDuelResult, kDuelWon);
    EXPECT_EQ(gCardStock[31].count, 1);  // the stronger of the opponent's cards
    EXPECT_EQ(gCardStock[30].count, 0);
    for (int c : {10, 12, 20, 21, 22, 23, 24}) EXPECT_EQ(gCardStock[c].count, 1) << c;
}

}  // namespace
}  // namespace cardduel_test
