#include "minigames/CardDuelRules.h"
#include "tests/cardDuelFixture.h"

namespace cardduel_test {
namespace {

enum Element { kNothing = 0, kUniverse = 1, kFire = 2, kWater = 3, kWind = 4, kEarth = 5, kThunder = 6 };

TEST(CardDuelRules, ElementRelationFollowsTheTableOfAllPairs) {
    // Row: the placed card's element; column: the other card's.
    const int expected[10][10] = {
        {2, 4, 1, 1, 1, 1, 1, 1, 1, 1},  // 無
        {3, 2, 2, 2, 2, 2, 2, 2, 2, 2},  // 宇
        {1, 2, 2, 1, 0, 0, 0, 0, 0, 0},  // 炎
        {1, 2, 1, 2, 0, 0, 0, 0, 0, 0},  // 水
        {1, 2, 0, 0, 2, 1, 0, 0, 0, 0},  // 風
        {1, 2, 0, 0, 1, 2, 0, 0, 0, 0},  // 土
        {1, 2, 0, 0, 0, 0, 2, 1, 0, 0},  // 雷
        {1, 2, 0, 0, 0, 0, 1, 2, 0, 0},  // 磁
        {1, 2, 0, 0, 0, 0, 0, 0, 2, 1},  // 光
        {1, 2, 0, 0, 0, 0, 0, 0, 1, 2},  // 闇
    };
    for (int a = 0; a < 10; ++a)
        for (int b = 0; b < 10; ++b) EXPECT_EQ(elementRelation(a, b), expected[a][b]) << a << " against " << b;
}

TEST(CardDuelRules, EachComparisonHoldsExactlyAtItsBoundary) {
    struct Case { int attackElement, defendElement, s, d; bool beats; };
    const Case cases[] = {
        {kFire, kWind, 6, 5, true},  {kFire, kWind, 5, 5, false},           // relation 0: s > d
        {kFire, kWater, 5, 5, true}, {kFire, kWater, 4, 5, false},          // relation 1: s >= d
        {kFire, kFire, 7, 5, true},  {kFire, kFire, 6, 5, false},           // relation 2: s > d + 1
        {kUniverse, kNothing, 1, 9, true}, {kUniverse, kNothing, 0, 0, false},  // relation 3: s > 0
        {kNothing, kUniverse, 9, 0, false},                                 // relation 4: never
    };
    for (const Case& c : cases)
        EXPECT_EQ(sideBeats(c.s, c.attackElement, c.d, c.defendElement), c.beats)
            << c.attackElement << " " << c.s << " against " << c.defendElement << " " << c.d;
}

class CardDuelPlacement : public CardDuelTest {};

TEST_F(CardDuelPlacement, NothingBesideUniverseNeverFlipsAndRaisesItToNine) {
    card(0, 0, kNothing, 0, {9, 9, 9, 9});
    card(1, 0, kUniverse, 0, {0, 0, 0, 0});
    card(2, 0, kUniverse, 0, {1, 2, 3, 4});
    put(0, 1, 1, kOpponentOwner);  // left of the placed card
    put(2, 1, 2, kPlayerOwner);    // right, the player's own
    put(1, 1, 0, kPlayerOwner);
    placeCard({1, 1});
    EXPECT_EQ(at(0, 1).owner, kOpponentOwner);
    EXPECT_EQ(sidesOf(0, 1), (std::vector<int>{9, 9, 9, 9}));
    EXPECT_EQ(sidesOf(2, 1), (std::vector<int>{9, 9, 9, 9}));
    EXPECT_EQ(sidesOf(1, 1), (std::vector<int>{9, 9, 9, 9}));  // the placed card keeps its values
}

TEST_F(CardDuelPlacement, UniverseBesideNothingFlipsFromOneAndZeroesIt) {
    card(0, 0, kUniverse, 0, {1, 0, 5, 5});  // left 1, top 0
    card(1, 0, kNothing, 0, {9, 9, 9, 9});
    put(0, 1, 1, kOpponentOwner);  // left: attacked with 1
    put(1, 0, 1, kOpponentOwner);  // above: attacked with 0
    put(1, 1, 0, kPlayerOwner);
    placeCard({1, 1});
    EXPECT_EQ(at(0, 1).owner, kPlayerOwner);
    EXPECT_EQ(at(1, 0).owner, kOpponentOwner);
    EXPECT_EQ(sidesOf(0, 1), (std::vector<int>{0, 0, 0, 0}));
    EXPECT_EQ(sidesOf(1, 0), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(CardDuelPlacement, FireFlipsWaterOnEqualValuesAndNeedsALeadOfTwoOverFire) {
    card(0, 0, kFire, 0, {5, 5, 6, 5});  // left 5, right 6
    card(1, 0, kWater, 0, {5, 5, 5, 5});
    card(2, 0, kFire, 0, {5, 5, 5, 5});
    put(0, 1, 1, kOpponentOwner);  // water on the left: 5 against 5
    put(2, 1, 2, kOpponentOwner);  // fire on the right: 6 against 5 is not enough
    put(1, 1, 0, kPlayerOwner);
    placeCard({1, 1});
    EXPECT_EQ(at(0, 1).owner, kPlayerOwner);
    EXPECT_EQ(sidesOf(0, 1), (std::vector<int>{4, 4, 4, 4}));
    EXPECT_EQ(at(2, 1).owner, kOpponentOwner);
    EXPECT_EQ(sidesOf(2, 1), (std::vector<int>{6, 6, 6, 6}));
}

TEST_F(CardDuelPlacement, EffectsReachOwnCardsAndStayWithinZeroToNine) {
    card(0, 0, kFire, 0, {0, 0, 0, 0});
    card(1, 0, kFire, 0, {9, 8, 0, 9});   // rises: a 9 stays 9
    card(2, 0, kWater, 0, {0, 1, 9, 0});  // falls: a 0 stays 0
    put(0, 1, 1, kPlayerOwner);
    put(2, 1, 2, kPlayerOwner);
    put(1, 1, 0, kPlayerOwner);
    placeCard({1, 1});
    EXPECT_EQ(sidesOf(0, 1), (std::vector<int>{9, 9, 1, 9}));
    EXPECT_EQ(sidesOf(2, 1), (std::vector<int>{0, 0, 8, 0}));
}

TEST_F(CardDuelPlacement, AFlippedCardFlipsNothingInTurn) {
    card(0, 0, kFire, 0, {9, 0, 0, 0});    // placed at (1, 0), left value 9
    card(1, 0, kWind, 0, {9, 9, 1, 9});    // at (0, 0): beaten from the right
    card(2, 0, kThunder, 0, {0, 0, 0, 0}); // at (0, 1), below it: 9 against 0 if it chained
    put(0, 0, 1, kOpponentOwner);
    put(0, 1, 2, kOpponentOwner);
    put(1, 0, 0, kPlayerOwner);
    placeCard({1, 0});
    EXPECT_EQ(at(0, 0).owner, kPlayerOwner);
    EXPECT_EQ(at(0, 1).owner, kOpponentOwner);
    EXPECT_EQ(sidesOf(0, 1), (std::vector<int>{0, 0, 0, 0}));
}

TEST_F(CardDuelPlacement, CountFlipsCountsOnlyThePlayersBeatenCardsAndChangesNothing) {
    card(0, 0, kFire, 0, {6, 6, 6, 6});
    card(1, 0, kWind, 0, {5, 5, 5, 5});
    card(2, 0, kWind, 0, {7, 7, 7, 7});
    EXPECT_EQ(countFlips(1, 1, 0), 0);  // every neighbour empty
    put(0, 1, 1, kOpponentOwner);
    put(2, 1, 1, kOpponentOwner);
    EXPECT_EQ(countFlips(1, 1, 0), 0);  // only the opponent's
    put(1, 0, 1, kPlayerOwner);
    put(1, 2, 2, kPlayerOwner);        // too strong
    put(0, 1, 1, kPlayerOwner);
    EXPECT_EQ(countFlips(1, 1, 0), 2);
    EXPECT_EQ(at(1, 1).card, kEmptyCell);
    EXPECT_EQ(at(1, 0).owner, kPlayerOwner);
    EXPECT_EQ(sidesOf(1, 0), (std::vector<int>{5, 5, 5, 5}));
}

TEST_F(CardDuelPlacement, ScoreCountsCellsAndUnplayedCardsWithSixToWinAndFiveToDraw) {
    const struct { int playerCells; int unplayed; std::uint8_t result; } cases[] = {
        {6, 0, kDuelWon}, {5, 0, kDuelDraw}, {4, 0, kDuelLost}, {4, 1, kDuelDraw}, {9, 0, kDuelWon}, {0, 0, kDuelLost},
    };
    for (const auto& c : cases) {
        for (int cell = 0; cell < kBoardCells; ++cell) {
            gDuelBoard[cell].card = 3;
            gDuelBoard[cell].owner = cell < c.playerCells ? kPlayerOwner : kOpponentOwner;
        }
        for (int slot = 0; slot < kHandSlots; ++slot) gPlayerHand[slot].played = slot < c.unplayed ? 0 : 1;
        EXPECT_EQ(playerScore(), c.playerCells + c.unplayed);
        EXPECT_EQ(resultForScore(playerScore()), c.result) << c.playerCells << " cells, " << c.unplayed << " in hand";
    }
}

}  // namespace
}  // namespace cardduel_test
