#include "minigames/CardDuelOpponent.h"
#include "minigames/CardDuelRules.h"
#include "tests/cardDuelFixture.h"

namespace cardduel_test {
namespace {

constexpr int kFire = 2;
constexpr int kWind = 4;

class CardDuelOpponent : public CardDuelTest {
protected:
    void SetUp() override {
        CardDuelTest::SetUp();
        gDuelOpponent = 1;
        card(0, 0, kWind, 0, {3, 3, 3, 3});  // the player's target: fire beats it on a larger value
        card(1, 0, kWind, 0, {9, 9, 9, 9});  // the player's wall: nothing beats it
    }
    static void opponentHand(std::initializer_list<int> cards) {
        int slot = 0;
        for (int c : cards) gOpponentHand[slot++] = HandSlot{c, 0, 0};
        for (; slot < kHandSlots; ++slot) gOpponentHand[slot] = HandSlot{0, 1, 0};
    }
};

TEST_F(CardDuelOpponent, TheFirstMoveAttacksFromTheFirstOpenSideInTheOrderLeftRightAboveBelow) {
    card(10, 0, kFire, 0, {0, 0, 0, 4});  // beats from above only (its bottom)
    card(11, 0, kFire, 0, {4, 0, 0, 0});  // beats from the right only (its left)
    put(1, 1, 0, kPlayerOwner);
    opponentHand({10, 11});
    runDuelAiTurn();
    EXPECT_EQ(at(2, 1).card, 11);
    EXPECT_EQ(at(2, 1).owner, kOpponentOwner);
    EXPECT_EQ(at(1, 1).owner, kOpponentOwner);  // flipped
    EXPECT_EQ(gOpponentHand[1].played, 1);
    EXPECT_EQ(gOpponentHand[0].played, 0);
    EXPECT_EQ(gCardStock[11].known, 1);  // the player has seen it
}

TEST_F(CardDuelOpponent, AnUnbeatableOrWalledInCardIsSkippedForTheNextInCellOrder) {
    card(10, 0, kFire, 0, {5, 5, 5, 5});
    put(0, 0, 1, kPlayerOwner);  // cell 0: nothing beats it
    put(1, 0, 0, kPlayerOwner);  // cell 3: beatable, but walled in below
    put(2, 0, 1, kPlayerOwner);  // cell 6
    put(1, 1, 1, kPlayerOwner);  // cell 4: nothing beats it
    put(2, 2, 0, kPlayerOwner);  // cell 8: beatable; its left (1, 2) is open
    opponentHand({10});
    DuelPosition position{-1, -1};
    EXPECT_EQ(evaluateCell(1, 0, position), kNoSlot);
    EXPECT_EQ(evaluateCell(0, 0, position), kNoSlot);
    EXPECT_TRUE(tryFlippingMove());
    EXPECT_EQ(at(1, 2).card, 10);
    EXPECT_EQ(at(2, 2).owner, kOpponentOwner);
}

TEST_F(CardDuelOpponent, AmongCandidatesTheMostFlipsWinThenTheLowestWinningValue) {
    card(10, 0, kFire, 0, {4, 0, 4, 0});  // from (0, 1) flips the target alone
    card(11, 0, kFire, 0, {4, 9, 4, 9});  // also flips the cards above and below (0, 1)
    card(12, 0, kFire, 0, {9, 9, 9, 9});  // flips as many, with a higher value than needed
    put(1, 1, 0, kPlayerOwner);
    put(0, 0, 0, kPlayerOwner);
    put(0, 2, 0, kPlayerOwner);
    opponentHand({10, 12, 11});
    DuelPosition position{};
    EXPECT_EQ(evaluateCell(1, 1, position), 2);
    EXPECT_EQ(position.column, 0);
    EXPECT_EQ(position.row, 1);
}

TEST_F(CardDuelOpponent, WithoutAFlipTheHighestEnclosedCellTakesTheHighestUnplayedSlot) {
    // Cells 0 and 8 empty, not neighbours: both enclosed.
    for (int cell = 1; cell < 8; ++cell) {
        gDuelBoard[cell] = DuelCell{1, kPlayerOwner, {9, 9, 9, 9}};
    }
    card(10, 0, kFire, 0, {1, 1, 1, 1});
    card(11, 0, kFire, 0, {2, 2, 2, 2});
    opponentHand({10, 11, 10});
    gOpponentHand[2].played = 1;
    runDuelAiTurn();
    EXPECT_EQ(gDuelBoard[8].card, 11);
    EXPECT_EQ(gDuelBoard[0].card, kEmptyCell);
}

TEST_F(CardDuelOpponent, APositionalMoveIsAlwaysAnUnplayedCardOnAnEmptyCell) {
    // Every pattern of filled cells with some card values, including all-zero cards.
    card(10, 0, kFire, 0, {0, 0, 0, 0});
    card(11, 0, kFire, 0, {0, 3, 0, 0});
    card(12, 0, kFire, 0, {2, 0, 0, 1});
    for (int filled = 0; filled < (1 << 9) - 1; ++filled) {
        for (int cell = 0; cell < kBoardCells; ++cell)
            gDuelBoard[cell] = (filled >> cell) & 1 ? DuelCell{1, kOpponentOwner, {9, 9, 9, 9}}
                                                    : DuelCell{kEmptyCell, kPlayerOwner, {0, 0, 0, 0}};
        for (const auto& hand : {std::vector<int>{10}, std::vector<int>{10, 11}, std::vector<int>{12, 10, 11}}) {
            opponentHand({});
            for (std::size_t s = 0; s < hand.size(); ++s) gOpponentHand[s] = HandSlot{hand[s], 0, 0};
            DuelCell before[kBoardCells];
            std::copy(std::begin(gDuelBoard), std::end(gDuelBoard), before);
            choosePositionalMove();
            int placed = 0;
            for (int cell = 0; cell < kBoardCells; ++cell) {
                if (before[cell].card != kEmptyCell) {
                    EXPECT_EQ(gDuelBoard[cell].card, 1);
                } else if (gDuelBoard[cell].card != kEmptyCell) {
                    ++placed;
                    EXPECT_EQ(gDuelBoard[cell].owner, kOpponentOwner);
                }
            }
            int played = 0;
            for (const HandSlot& slot : gOpponentHand) played += slot.played;
            ASSERT_EQ(placed, 1) << "filled pattern " << filled;
            EXPECT_EQ(played, static_cast<int>(kHandSlots - hand.size()) + 1);
            std::copy(std::begin(before), std::end(before), gDuelBoard);
        }
    }
}

}  // namespace
}  // namespace cardduel_test
