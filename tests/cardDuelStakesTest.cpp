#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelStakes.h"
#include "tests/cardDuelFixture.h"

namespace cardduel_test {
namespace {

class CardDuelStakes : public CardDuelTest {
protected:
    // Loses the only copy of each card in turn to opponent `code` and returns
    // the holders recorded.
    static std::vector<int> loseOneEach(int code, std::initializer_list<int> cards) {
        gDuelOpponent = static_cast<std::uint8_t>(code);
        std::vector<int> holders;
        for (int c : cards) {
            gCardStock[c].count = 1;
            loseCardToOpponent(c);
            EXPECT_EQ(gCardStock[c].count, 0);
            holders.push_back(gCardStock[c].holder);
        }
        return holders;
    }
};

TEST_F(CardDuelStakes, EachRoundKeepsOneLostCardAndTheFirstRoundKeepsAny) {
    EXPECT_EQ(loseOneEach(10, {1, 2}), (std::vector<int>{10, 10}));
    EXPECT_EQ(loseOneEach(33, {11, 12, 13, 14, 15}), (std::vector<int>{33, 32, 31, 30, 30}));
    // The semifinal starts one round down.
    EXPECT_EQ(loseOneEach(45, {21, 22}), (std::vector<int>{44, 43}));
}

TEST_F(CardDuelStakes, TheFinalsLossGoesByTheSemifinalistsLegend) {
    // Card 50 is the semifinalist's (group 25) of tournament 2.
    card(50, 3, 5, 25, {9, 9, 9, 9});
    struct Case { const char* what; int legendCount; int legendHolder; int lost; int expected; };
    const Case cases[] = {
        {"he still holds his legend", 0, 25, 60, 24},
        {"the player owns one copy of it", 1, 25, 60, 25},
        {"someone else holds it", 0, 3, 60, 25},
        {"it is the lost card itself", 1, 0, 50, 25},
    };
    for (const Case& c : cases) {
        std::memset(gCardStock, 0, sizeof gCardStock);
        gCardStock[50].count = c.legendCount;
        gCardStock[50].holder = static_cast<std::uint8_t>(c.legendHolder);
        gDuelOpponent = 26;
        gCardStock[c.lost].count = 1;
        loseCardToOpponent(c.lost);
        EXPECT_EQ(gCardStock[c.lost].holder, c.expected) << c.what;
    }
    // Without a semifinalist's card the semifinal round is taken.
    card(50, 3, 5, 0, {9, 9, 9, 9});
    std::memset(gCardStock, 0, sizeof gCardStock);
    EXPECT_EQ(loseOneEach(26, {60}), (std::vector<int>{25}));
}

TEST_F(CardDuelStakes, AnotherCopyLeftKeepsTheHolderAndOtherOpponentsRecordTheirCode) {
    gDuelOpponent = 3;
    gCardStock[5].count = 2;
    gCardStock[5].holder = 0;
    loseCardToOpponent(5);
    EXPECT_EQ(gCardStock[5].count, 1);
    EXPECT_EQ(gCardStock[5].holder, 0);
    EXPECT_EQ(loseOneEach(3, {5}), (std::vector<int>{3}));
    EXPECT_EQ(loseOneEach(6, {6}), (std::vector<int>{6}));
    EXPECT_EQ(loseOneEach(64, {7}), (std::vector<int>{kLostToPresetHolder}));
}

TEST_F(CardDuelStakes, TheLossTakesTheHighestRarityTheLastSuchSlotOnATie) {
    const struct { int rarities[5]; int slot; } cases[] = {
        {{1, 3, 0, 3, 2}, 3}, {{3, 0, 0, 0, 0}, 0}, {{0, 0, 0, 0, 0}, 4}, {{2, 1, 2, 1, 1}, 2},
    };
    for (const auto& c : cases) {
        for (int slot = 0; slot < kHandSlots; ++slot) {
            card(slot, c.rarities[slot], 4, 0, {1, 1, 1, 1});
            gPlayerHand[slot].card = slot;
        }
        EXPECT_EQ(lostSlot(), c.slot);
    }
}

TEST_F(CardDuelStakes, SeenCardsNameTheirHolderByRarityAndOpponent) {
    struct Case { int code; int rarity; int known; int holder; int owned; int expectKnown; int expectHolder; };
    const Case cases[] = {
        {4, 0, 0, 0, 0, 1, 4},    // townsperson, common
        {4, 3, 0, 0, 0, 1, 4},    // townsperson, legend
        {23, 2, 0, 0, 0, 1, 23},  // tournament, rare: the round
        {23, 1, 0, 0, 0, 1, 2},   // tournament, uncommon: the tournament's group
        {54, 0, 0, 0, 0, 1, 1},   // the fifth tournament's group is 1
        {63, 0, 0, 0, 0, 1, 60},  // preset, first sight
        {63, 3, 1, 7, 0, 1, 7},   // preset, already known: unchanged
        {23, 3, 0, 0, 2, 0, 0},   // owned: nothing
    };
    for (const Case& c : cases) {
        card(8, c.rarity, 4, 0, {1, 1, 1, 1});
        gCardStock[8] = CardStock{c.owned, static_cast<std::uint8_t>(c.known), static_cast<std::uint8_t>(c.holder)};
        gDuelOpponent = static_cast<std::uint8_t>(c.code);
        markCardSeen(8);
        EXPECT_EQ(gCardStock[8].known, c.expectKnown) << c.code << " rarity " << c.rarity;
        EXPECT_EQ(gCardStock[8].holder, c.expectHolder) << c.code << " rarity " << c.rarity;
    }
}

TEST_F(CardDuelStakes, ACardLostToAPresetHandIsOfferedAgainInSlotZero) {
    card(30, 1, 4, 0, {1, 1, 1, 1});
    card(31, 1, 4, 0, {1, 1, 1, 1});
    EXPECT_EQ(loseOneEach(61, {12}), (std::vector<int>{kLostToPresetHolder}));
    gDuelOpponent = 65;
    ScriptedRandom::set({0, 1, 0, 1, 0});
    makePresetRewardHand();
    const int offered[5] = {12, 31, 30, 31, 30};
    for (int slot = 0; slot < kHandSlots; ++slot) EXPECT_EQ(gOpponentHand[slot].card, offered[slot]);

    takeOpponentCard(0);
    EXPECT_EQ(gCardStock[12].count, 1);
    EXPECT_EQ(gCardStock[12].known, 1);
    EXPECT_EQ(gCardStock[12].holder, 0);
}

TEST_F(CardDuelStakes, APresetRewardWithoutLostCardsOrUncommonsStillOffersFiveCards) {
    gDuelOpponent = 60;
    gCardStock[12].holder = kLostToPresetHolder;
    gCardStock[12].count = 1;  // won back already: not offered
    ScriptedRandom::set({40, 41, 42, 43, 44});  // no uncommon in the table: any card
    makePresetRewardHand();
    for (int slot = 0; slot < kHandSlots; ++slot) EXPECT_EQ(gOpponentHand[slot].card, 40 + slot);
}

}  // namespace
}  // namespace cardduel_test
