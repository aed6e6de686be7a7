// Every opponent code played to its end on the game's own card table (the
// built "Data.dat"), by a scripted player with five copies of a common card.
#include <filesystem>
#include <string>

#include "gamedata/DataFile.h"
#include "minigames/CardDuelPhases.h"
#include "minigames/CardDuelSetup.h"
#include "tests/cardDuelFixture.h"

namespace cardduel_test {
namespace {

// A fixed pseudo-random sequence, so every run plays the same duels.
unsigned gSequenceState = 1;
int sequence() {
    gSequenceState = gSequenceState * 1103515245u + 12345u;
    return static_cast<int>((gSequenceState >> 16) % 1000);
}

class CardDuelOnGameData : public CardDuelTest {
protected:
    void SetUp() override {
        CardDuelTest::SetUp();
        const std::string path = std::string(CORVADINE_GAME_DIR) + "/Data.dat";
        if (!std::filesystem::exists(path)) GTEST_SKIP() << "no built Data.dat in " << CORVADINE_GAME_DIR;
        ASSERT_EQ(readDataFile(path.c_str()), 0);
        gDuelRandomSource = &sequence;
        gSequenceState = 1;
    }
    void TearDown() override {
        resetGameDataState();
        CardDuelTest::TearDown();
    }

    static int totalCopies() {
        int copies = 0;
        for (const CardStock& s : gCardStock) copies += s.count;
        return copies;
    }

    // Deck building on `common`, then each card on the first empty cell to the
    // right (after a draw, one cell further each time, as the same moves would
    // draw again), the first card on offer, every message closed.
    static int playToTheEnd(int common, int frameBudget) {
        int frames = 0;
        int rematches = 0;
        int rightsThisChoice = 0;
        int lastPhase = gDuelPhase;
        for (; gScene == kDuelScene && frames < frameBudget; ++frames) {
            if (lastPhase == 14 && gDuelPhase != 14) ++rematches;
            if (gDuelPhase == 5 && lastPhase != 5) rightsThisChoice = 0;
            lastPhase = gDuelPhase;
            int input = 0;
            switch (gDuelPhase) {
                case 0:
                    if (gDeckPage != common / 10) input = kInputRight;
                    else if (gDuelCursor != common % 10) input = kInputDown;
                    else input = kInputDecide;
                    break;
                case 4: case 10: case 11: case 13: case 14: input = kInputDecide; break;
                case 5:
                    if (gDuelBoard[cellOfCursor(gDuelCursor)].card == kEmptyCell && rightsThisChoice >= rematches) {
                        input = kInputDecide;
                    } else {
                        input = kInputRight;
                        ++rightsThisChoice;
                    }
                    break;
                default: break;
            }
            stepCardDuel(input);
        }
        return frames;
    }
};

TEST_F(CardDuelOnGameData, EveryOpponentCodeBuildsAHandOfFiveAndPlaysToAResult) {
    int common = -1;
    for (int c = 0; c < kCardCount && common < 0; ++c)
        if (gCardTable[c].rarity == 0) common = c;
    ASSERT_GE(common, 0) << "the card table holds no common card";

    std::vector<int> codes = {1, 2, 3, 4, 5, 6};
    for (int t = 10; t <= 50; t += 10)
        for (int round = 0; round <= 6; ++round) codes.push_back(t + round);
    for (int preset = 60; preset <= 69; ++preset) codes.push_back(preset);

    for (int code : codes) {
        std::memset(gCardStock, 0, sizeof gCardStock);
        gCardStock[common] = CardStock{5, 1, 0};
        gScene = 0;
        startCardDuel(kNoExtraCard, code);
        ASSERT_EQ(gScene, kDuelScene) << code;
        for (const HandSlot& slot : gOpponentHand) {
            EXPECT_GE(slot.card, 0) << code;
            EXPECT_LT(slot.card, kCardCount) << code;
        }
        // The opponent's own legends lead its hand.
        for (int c = 0, slot = 0; c < kCardCount && !isPresetCode(code); ++c) {
            if (gCardTable[c].rarity == 3 && gCardTable[c].group == code) {
                EXPECT_EQ(gOpponentHand[slot++].card, c) << code;
            }
        }

        const int before = totalCopies() + (isPresetCode(code) ? 5 : 0);  // a preset duel deals the five at once
        const int frames = playToTheEnd(common, 3000);
        ASSERT_EQ(gScene, kFieldScene) << "code " << code << " did not end within " << frames << " frames";
        const int expected = gDuelResult == kDuelWon ? before + 1 : gDuelResult == kDuelLost ? before - 1 : before;
        EXPECT_EQ(totalCopies(), expected) << "code " << code << ", result " << int(gDuelResult);
        EXPECT_TRUE(gDuelResult != kDuelDraw || code < 10) << "a draw ends only a townsperson's duel";
    }
}

}  // namespace
}  // namespace cardduel_test
