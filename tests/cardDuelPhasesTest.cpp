#include "minigames/CardDuelPhases.h"
#include "minigames/CardDuelRules.h"
#include "minigames/CardDuelSetup.h"
#include "tests/cardDuelFixture.h"

namespace cardduel_test {
namespace {

constexpr int kFire = 2;
constexpr int kWater = 3;

class CardDuelPhases : public CardDuelTest {
protected:
    // Moves the deck-building cursor onto card and decides.
    static void chooseInDeck(int cardIndex) {
        for (int guard = 0; gDeckPage != cardIndex / 10 && guard < 10; ++guard) stepCardDuel(kInputRight);
        for (int guard = 0; gDuelCursor != cardIndex % 10 && guard < 10; ++guard) stepCardDuel(kInputDown);
        stepCardDuel(kInputDecide);
    }

    struct DuelRecord {
        int frames = 0;
        int playerCellsWhenFull = -1;  // owned by the player when scoring began
        int cardsOnBoardWhenFull = -1;
    };

    // The scripted player: deck building from `deck`, then each card on the
    // first empty cell the cursor reaches moving right, the first reward on
    // offer, every message closed. Ends when the scene leaves the duel or the
    // frame budget runs out.
    static DuelRecord playDuel(std::initializer_list<int> deck, int frameBudget) {
        DuelRecord record;
        auto nextDeckCard = deck.begin();
        while (gScene == kDuelScene && record.frames < frameBudget) {
            ++record.frames;
            int input = 0;
            switch (gDuelPhase) {
                case 0:
                    if (nextDeckCard == deck.end()) {
                        ADD_FAILURE() << "deck building did not end with the scripted cards";
                        return record;
                    }
                    chooseInDeck(*nextDeckCard++);
                    continue;
                case 4: input = kInputDecide; break;
                case 5:
                    input = gDuelBoard[cellOfCursor(gDuelCursor)].card == kEmptyCell ? kInputDecide : kInputRight;
                    break;
                case 9: {
                    record.playerCellsWhenFull = record.cardsOnBoardWhenFull = 0;
                    for (const DuelCell& cell : gDuelBoard) {
                        if (cell.card == kEmptyCell) continue;
                        ++record.cardsOnBoardWhenFull;
                        if (cell.owner == kPlayerOwner) ++record.playerCellsWhenFull;
                    }
                    break;
                }
                case 10: case 11: case 13: case 14: input = kInputDecide; break;
                default: break;
            }
            stepCardDuel(input);
        }
        return record;
    }
};

TEST_F(CardDuelPhases, DeckBuildingRefusesWhatIsNotOwnedOrOverBudgetAndCancelUndoes) {
    card(5, 1, 4, 0, {1, 1, 1, 1});
    card(6, 3, 4, 50, {1, 1, 1, 1});
    card(7, 0, 4, 0, {1, 1, 1, 1});
    card(8, 0, 4, 0, {1, 1, 1, 1});
    gCardStock[5].count = 2;
    gCardStock[6].count = 1;
    gCardStock[7].known = 1;  // seen, not owned
    gCardStock[8].count = 3;
    ScriptedRandom::set({0, 0, 0, 0, 0});
    startCardDuel(kNoExtraCard, 50);  // budget 4
    ASSERT_EQ(gScene, kDuelScene);

    chooseInDeck(7);  // not owned
    EXPECT_EQ(gHandChosen, 0);
    chooseInDeck(6);  // the legend: 3 of 4
    chooseInDeck(5);  // 1 of 1
    EXPECT_EQ(gHandChosen, 2);
    EXPECT_EQ(gCostLeft, 0);
    EXPECT_EQ(gCardStock[6].count, 0);
    EXPECT_EQ(gCardStock[6].holder, 50);  // staked while it is in the hand
    chooseInDeck(5);  // a copy is left, but over the budget left
    EXPECT_EQ(gHandChosen, 2);
    EXPECT_EQ(gCardStock[5].count, 1);

    stepCardDuel(kInputCancel);
    stepCardDuel(kInputCancel);
    EXPECT_EQ(gHandChosen, 0);
    EXPECT_EQ(gCostLeft, 4);
    EXPECT_EQ(gCardStock[5].count, 2);
    EXPECT_EQ(gCardStock[6].count, 1);
    EXPECT_EQ(gCardStock[6].holder, 0);
    EXPECT_EQ(gPlayerHand[0].card, kCardBack);
    EXPECT_EQ(gPlayerHand[0].played, 1);
    stepCardDuel(kInputCancel);  // nothing left to give back, and no way out
    EXPECT_EQ(gHandChosen, 0);
    EXPECT_EQ(gCostLeft, 4);
    EXPECT_EQ(gDuelPhase, 0);
    EXPECT_EQ(gScene, kDuelScene);

    chooseInDeck(6);
    chooseInDeck(6);  // within budget, but no copy left
    EXPECT_EQ(gHandChosen, 1);
    chooseInDeck(5);
    chooseInDeck(8);
    chooseInDeck(8);
    EXPECT_EQ(gDuelPhase, 0);
    chooseInDeck(8);
    EXPECT_EQ(gDuelPhase, 4);
    EXPECT_EQ(gPlayerHand[0].selected, 1);
    EXPECT_EQ(gCostLeft, 0);
}

TEST_F(CardDuelPhases, CursorsWrapAtTheirEnds) {
    gDuelPhase = 0;
    stepCardDuel(kInputUp);
    EXPECT_EQ(gDuelCursor, 9);
    stepCardDuel(kInputDown);
    EXPECT_EQ(gDuelCursor, 0);
    stepCardDuel(kInputLeft);
    EXPECT_EQ(gDeckPage, 9);
    EXPECT_EQ(gRedrawRequest[1], 2);
    stepCardDuel(kInputRight);
    EXPECT_EQ(gDeckPage, 0);

    // The cell cursor: k = 3 * row + column.
    gDuelPhase = 5;
    const struct { int from; int input; int to; } moves[] = {
        {3, kInputLeft, 2}, {0, kInputLeft, 8}, {8, kInputRight, 0}, {1, kInputUp, 7}, {7, kInputDown, 1}, {5, kInputRight, 6},
    };
    for (const auto& m : moves) {
        gDuelCursor = static_cast<std::uint8_t>(m.from);
        stepCardDuel(m.input);
        EXPECT_EQ(gDuelCursor, m.to) << m.from << " by " << m.input;
    }

    // The hand cursor skips played slots and wraps both ways.
    for (int slot = 0; slot < kHandSlots; ++slot) gPlayerHand[slot] = HandSlot{slot, 0, 0};
    gPlayerHand[0].played = 1;
    gPlayerHand[4].played = 1;
    EXPECT_EQ(moveHandCursor(true, 3), 1);
    EXPECT_EQ(moveHandCursor(false, 1), 3);
    EXPECT_EQ(moveHandCursor(true, 4), 1);
    int selected = 0;
    for (const HandSlot& slot : gPlayerHand) selected += slot.selected;
    EXPECT_EQ(selected, 1);
}

TEST_F(CardDuelPhases, AFilledCellRefusesTheCardAndCancelReturnsToTheHand) {
    card(3, 0, kFire, 0, {1, 1, 1, 1});
    for (int slot = 0; slot < kHandSlots; ++slot) gPlayerHand[slot] = HandSlot{3, 0, 0};
    gPlayerHand[2].selected = 1;
    gDuelBoard[0] = DuelCell{3, kOpponentOwner, {1, 1, 1, 1}};
    gDuelPhase = 5;
    gDuelCursor = 0;
    stepCardDuel(kInputDecide);
    EXPECT_EQ(gDuelPhase, 5);
    EXPECT_EQ(gPlayerHand[2].played, 0);
    stepCardDuel(kInputCancel);
    EXPECT_EQ(gDuelPhase, 4);
    EXPECT_EQ(gDuelCursor, 2);

    // The cursor's cell 1 is column 1, row 0: board cell 3.
    stepCardDuel(kInputDecide);
    gDuelCursor = 1;
    stepCardDuel(kInputDecide);
    EXPECT_EQ(gDuelBoard[3].card, 3);
    EXPECT_EQ(gDuelBoard[3].owner, kPlayerOwner);
    EXPECT_EQ(gPlayerHand[2].played, 1);
    EXPECT_EQ(gDuelPhase, 6);
    for (int frame = 0; frame < 5; ++frame) stepCardDuel(0);
    EXPECT_EQ(gDuelPhase, 6);
    stepCardDuel(0);
    EXPECT_EQ(gDuelPhase, 7);
}

TEST_F(CardDuelPhases, AStrongPlayerBeatsATownspersonAndTakesACard) {
    card(0, 1, 0, 9, {9, 9, 9, 9});  // 無, all nines: nothing of fire's flips it
    for (int c = 1; c <= 4; ++c) card(c, 0, kFire, 0, {1, 1, 1, 1});
    gCardStock[0].count = 5;
    ScriptedRandom::set({0, 0, 1, 2, 3, 0});  // no uncommon; commons 1, 2, 3, 4, 1
    startCardDuel(kNoExtraCard, 1);
    std::strcpy(gCurrentSong, gRequestedSong);  // the music player has switched
    const DuelRecord record = playDuel({0, 0, 0, 0, 0}, 500);
    ASSERT_EQ(gScene, kFieldScene) << "the duel did not end within its frame budget";
    EXPECT_EQ(record.cardsOnBoardWhenFull, 9);
    EXPECT_GE(record.playerCellsWhenFull, 6);
    EXPECT_EQ(gDuelResult, kDuelWon);
    EXPECT_EQ(gCardStock[0].count, 5);  // the hand came back
    EXPECT_EQ(gCardStock[1].count, 1);  // slot 0's card taken
    EXPECT_EQ(gCardStock[1].holder, 0);
    for (int c = 2; c <= 4; ++c) EXPECT_EQ(gCardStock[c].known, 1) << "offered, so seen";
    EXPECT_STREQ(gRequestedSong, "field.mid");
    EXPECT_EQ(ScriptedRandom::used(), 6u);
}

TEST_F(CardDuelPhases, AWeakPlayerLosesACardOfHisHandToATownsperson) {
    card(0, 1, kFire, 9, {0, 0, 0, 0});
    card(5, 2, kFire, 9, {0, 0, 0, 0});  // the rare: the one a loss takes
    for (int c = 1; c <= 4; ++c) card(c, 0, kWater, 0, {9, 9, 9, 9});
    gCardStock[0].count = 4;
    gCardStock[5].count = 1;
    ScriptedRandom::set({0, 0, 1, 2, 3, 0});
    startCardDuel(kNoExtraCard, 3);
    const DuelRecord record = playDuel({0, 5, 0, 0, 0}, 500);
    ASSERT_EQ(gScene, kFieldScene) << "the duel did not end within its frame budget";
    EXPECT_EQ(record.cardsOnBoardWhenFull, 9);
    EXPECT_LE(record.playerCellsWhenFull, 4);
    EXPECT_EQ(gDuelResult, kDuelLost);
    EXPECT_EQ(gCardStock[0].count, 4);
    EXPECT_EQ(gCardStock[5].count, 0);
    EXPECT_EQ(gCardStock[5].holder, 3);
    EXPECT_EQ(gDuelBoard[kCentreCell].card, 5);
}

class CardDuelDraw : public CardDuelPhases {
protected:
    // A full board of five player's cells and four of the opponent's, scoring next.
    static void drawnBoard(int code) {
        card(3, 1, kFire, 0, {1, 1, 1, 1});
        gDuelOpponent = static_cast<std::uint8_t>(code);
        gScene = kDuelScene;
        for (int cell = 0; cell < kBoardCells; ++cell)
            gDuelBoard[cell] = DuelCell{3, cell < 5 ? kPlayerOwner : kOpponentOwner, {1, 1, 1, 1}};
        for (HandSlot& slot : gPlayerHand) slot = HandSlot{3, 1, 0};
        for (HandSlot& slot : gOpponentHand) slot = HandSlot{3, 1, 0};
        gDuelPhase = 9;
    }
};

TEST_F(CardDuelDraw, ADrawInATournamentStartsDeckBuildingAgainWithTheFullBudget) {
    drawnBoard(23);
    gCostLimit = 8;
    gCostLeft = 1;
    gHandChosen = 5;
    stepCardDuel(0);
    EXPECT_EQ(gDuelPhase, 14);
    EXPECT_EQ(gDuelResult, kDuelDraw);
    EXPECT_EQ(gCardStock[3].count, 5);
    stepCardDuel(kInputDecide);
    EXPECT_EQ(gScene, kDuelScene);
    EXPECT_EQ(gDuelPhase, 0);
    EXPECT_EQ(gCostLeft, 8);
    EXPECT_EQ(gHandChosen, 0);
    for (const HandSlot& slot : gPlayerHand) EXPECT_EQ(slot.played, 1);
    for (const HandSlot& slot : gOpponentHand) EXPECT_EQ(slot.played, 0);
    for (const DuelCell& cell : gDuelBoard) EXPECT_EQ(cell.card, kEmptyCell);
}

TEST_F(CardDuelDraw, ADrawAgainstAPresetHandDealsANewHand) {
    drawnBoard(61);
    ScriptedRandom::set({0, 0, 0, 0, 0, 0, 0, 0, 0, 0});
    stepCardDuel(0);
    stepCardDuel(kInputDecide);
    EXPECT_EQ(gDuelPhase, 4);
    for (const HandSlot& slot : gPlayerHand) EXPECT_EQ(slot.card, 3);
    EXPECT_EQ(gCardStock[3].count, 0);
}

TEST_F(CardDuelDraw, ADrawAgainstATownspersonEndsTheDuel) {
    drawnBoard(5);
    stepCardDuel(0);
    stepCardDuel(kInputDecide);
    EXPECT_EQ(gScene, kFieldScene);
    EXPECT_EQ(gDuelResult, kDuelDraw);
}

}  // namespace
}  // namespace cardduel_test
