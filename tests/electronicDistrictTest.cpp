// The electronic district of Marksen on its real map: the card boy's first
// meeting on arrival, his hire and his menu, the boat arcade, the card
// tournament, his ten-duel challenge and the craftsman's scene. Duels and
// races are stood in for: a duel ends with the result the test scripts, a
// race with the time it scripts.
#include <gtest/gtest.h>

#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "engine/Music.h"
#include "field/Overlays.h"
#include "minigames/BoatRaceState.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;

namespace {

constexpr const char* kMarksenSong = "【マップ】マルクセング.mid";

struct ElectronicDistrict : StoryField {
    std::vector<int> opponents;       // opponent codes of the duels, in order
    std::deque<std::uint8_t> results; // results of the coming duels (won when they run out)
    std::vector<int> courses;         // courses raced
    int raceTime = 0;                 // the time every race ends with
    std::vector<std::string> lines;   // first lines of the messages shown, in order

    void SetUp() override {
        StoryField::SetUp();
        gStoryFlags[flag::kCardBoy] = 2;  // the meeting is tested on its own
        otherScreen = [this] {
            if (gScene == kDuelScene) {
                opponents.push_back(gDuelOpponent);
                gDuelResult = results.empty() ? kDuelWon : results.front();
                if (!results.empty()) results.pop_front();
                if (isPresetCode(gDuelOpponent)) {
                    for (const HandSlot& slot : gPlayerHand)
                        if (slot.card < kCardCount) ++gCardStock[slot.card].count;  // the dealt hand comes home
                }
                finishCardDuel();
                return true;
            }
            if (gScene == kRaceScene) {
                courses.push_back(gRaceCourse);
                gRaceFrames = raceTime;
                gScene = 0;
                return true;
            }
            return false;
        };
    }
    static void ownCheapCards(int copies) {
        int given = 0;
        for (int card = 0; card < kCardCount && given < copies; ++card) {
            if (gCardTable[card].rarity != 0) continue;
            gCardStock[card].count = 1;
            ++given;
        }
    }
    // Plays the event of `slot` to its end (or to a map change), noting the
    // messages it shows.
    Played talkTo(int slot, int budget = 20000) {
        touch(slot);
        std::string last;
        return play(budget, [&] {
            std::strcpy(gCurrentSong, gRequestedSong);  // the music player takes up each song
            if (gMessageMode != 0) {
                const std::string first(gMessageText, std::strcspn(gMessageText, "\n"));
                if (first != last) lines.push_back(first);
                last = first;
            }
            return gFieldEvent == 0;
        });
    }
    bool said(const std::string& line) const {
        for (const std::string& l : lines)
            if (l == line) return true;
        return false;
    }
};

}  // namespace

TEST_F(ElectronicDistrict, FirstArrivalPlaysTheCardBoysMeetingAndLeavesHimStandingInTheStreet) {
    gStoryFlags[flag::kCardBoy] = 0;
    arrive(0, 57, 13, 1, 0);
    EXPECT_EQ(gMapObjects[20].kind, 2);
    EXPECT_EQ(gMapObjects[21].visible, 1);
    EXPECT_EQ(gMapObjects[22].visible, 0) << "no boy to talk to before the meeting";
    choices = {0};  // "知ってる。"
    bool sawDroppedCard = false;
    const Played played = play(20000, [&] {
        if (gStoryFlags[flag::kCardBoy] == 1 && gMapObjects[22].visible && gMapObjects[22].pose == 7) sawDroppedCard = true;
        return gFieldEvent == 0 && gScene == 0 && gStoryFlags[flag::kCardBoy] == 2;
    });
    ASSERT_TRUE(played.finished) << "stalled at event " << gFieldEvent << " step " << gEventStep;
    EXPECT_TRUE(sawDroppedCard);
    EXPECT_EQ(played.maps, (std::vector<int>{0}));
    EXPECT_EQ(gPlayerVisible, 1);

    arrive(0, 57, 13, 1, 1);  // the map change lands here again
    EXPECT_EQ(gMapObjects[20].kind, 0);
    EXPECT_EQ(gMapObjects[20].visible, 0);
    EXPECT_EQ(gMapObjects[21].visible, 0);
    EXPECT_EQ(gMapObjects[22].kind, 3);
    EXPECT_EQ(gMapObjects[22].character, 52);
    const auto reached = story1test::walkableFrom(57, 13);
    for (int slot : {2, 3, 5, 7, 8, 9, 10, 11, 12, 13, 14, 15, 16, 17, 18, 19, 22, 24, 25, 26, 27, 28})
        EXPECT_TRUE(story1test::touchable(reached, slot)) << "slot " << slot;
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(ElectronicDistrict, ExitsLeadBackToTheSeaDistrict) {
    for (int slot : {0, 1}) {
        arrive(0, 57, 13, 1, 1);
        touch(slot);
        const Played played = play(10, [] { return gFieldEvent == 0; });
        EXPECT_EQ(played.maps, (std::vector<int>{2})) << "slot " << slot;
        EXPECT_EQ(playerRow(), 10);
        EXPECT_EQ(playerColumn(), 3);
        EXPECT_EQ(gPlayerFacing, 0);
    }
}

TEST_F(ElectronicDistrict, CardBoyJoinsAsBodyguardThenOffersHisLessonAndADuel) {
    arrive(0, 57, 13, 1, 1);
    ASSERT_TRUE(talkTo(22).finished);
    EXPECT_EQ(gBodyguardHired[0], 1);
    EXPECT_EQ(gBodyguards[0].hp, 99999);
    EXPECT_EQ(gStoryFlags[109], 1);
    EXPECT_TRUE(said("フォーゲルが用心棒に加わった！"));

    choices = {0};  // "なんでもない。"
    lines.clear();
    ASSERT_TRUE(talkTo(22).finished);
    EXPECT_TRUE(said("あ、そう・・・"));

    choices = {1, 0, 0, 0};  // his lesson again, answered right and gone through
    lines.clear();
    ASSERT_TRUE(talkTo(22, 30000).finished);
    EXPECT_FALSE(said("そ、そう・・・。"));
    EXPECT_STREQ(gRequestedSong, kMarksenSong);
    EXPECT_EQ(gPendingMapChange.pending, 0) << "a lesson again just ends";

    choices = {2};  // a duel, with too few cards
    ASSERT_TRUE(talkTo(22).finished);
    EXPECT_TRUE(opponents.empty());

    ownCheapCards(5);
    choices = {2};
    ASSERT_TRUE(talkTo(22).finished);
    EXPECT_EQ(opponents, (std::vector<int>{6}));
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(ElectronicDistrict, ArcadeChargesItsFeeAndGivesThePrizeOnlyBelowTheLimit) {
    struct Case {
        int slot, money, time;
        bool plays, prize;
        int item, moneyAfter;
    };
    const Case cases[] = {
        {8, 500, 100, false, false, 30, 500},     // a balance equal to the fee is refused
        {8, 501, 2199, true, true, 30, 1},
        {8, 10000, 2200, true, false, 30, 9500},  // exactly the limit wins nothing
        {9, 5000, 2199, true, true, 57, 4000},
        {10, 5000, 4499, true, true, 68, 3000},
        {10, 5000, 4500, true, false, 68, 3000},
    };
    arrive(0, 28, 21, 1, 1);
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "slot " << c.slot << " time " << c.time);
        gMoney[0] = c.money;
        gItemStock[c.item].owned = 0;
        courses.clear();
        lines.clear();
        raceTime = c.time;
        choices = {1};
        ASSERT_TRUE(talkTo(c.slot).finished);
        EXPECT_EQ(gMoney[0], c.moneyAfter);
        EXPECT_EQ(courses.size(), c.plays ? 1u : 0u);
        if (c.plays) {
            EXPECT_EQ(courses[0], c.slot - 7);
        }
        EXPECT_EQ(gItemStock[c.item].owned, c.prize ? 1 : 0);
        EXPECT_EQ(said("・・・フォッグたりないや。"), !c.plays);
        EXPECT_EQ(gMoneyWindow, 0);
        EXPECT_EQ(gSlowMusicFade, 0);
        EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
        if (c.plays) {
            EXPECT_STREQ(gRequestedSong, kMarksenSong);
        }
    }
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(ElectronicDistrict, ClerkShowsTheBestTimesWithMinutesCappedAt59) {
    arrive(0, 28, 21, 1, 1);
    gBestRaceFrames[1] = 359999;  // never raced
    gBestRaceFrames[2] = 1234;
    gBestRaceFrames[3] = 400000;
    std::string times;
    touch(7);
    ASSERT_TRUE(play(5000, [&] {
        if (gEventStep == 3 && gMessageMode == 1) {
            times = gMessageText;
            EXPECT_STREQ(gSpeakerName, "遊戯屋店員");
        }
        return gFieldEvent == 0;
    }).finished);
    EXPECT_EQ(times,
              "59:59:99     【イージー】\n00:12:34     【ノーマル】\n59:40:00     【ハード】");
}

TEST_F(ElectronicDistrict, TournamentSeasonOneWonWithAChosenModelGivesHisCardOnce) {
    arrive(0, 8, 22, 1, 1);
    ownCheapCards(5);
    gParty[0] = 1;
    gParty[1] = 2;
    gParty[2] = 0;
    choices = {1, 1};  // enter; ファルク as the model
    ASSERT_TRUE(talkTo(24, 30000).finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(opponents, (std::vector<int>{10, 11, 12, 13, 14, 15, 16}));
    EXPECT_EQ(gStoryFlags[102], 1);
    EXPECT_EQ(gStoryFlags[107], 2);
    EXPECT_EQ(gCardStock[81].count, 1);
    EXPECT_TRUE(said("ファルク＝デスロイドのカードを手に入れた！"));
    EXPECT_STREQ(gRequestedSong, kMarksenSong);
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gPlayerFacing, 0);

    // Won: the desk turns her away until the second season.
    opponents.clear();
    lines.clear();
    ASSERT_TRUE(talkTo(24).finished);
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(lines.size(), 1u);

    gStoryFlags[flag::kRoute] = 2;  // the second season, solo
    gParty[1] = 0;
    choices = {1};
    ASSERT_TRUE(talkTo(24, 30000).finished);
    EXPECT_EQ(opponents, (std::vector<int>{50, 51, 52, 53, 54, 55, 56}));
    EXPECT_EQ(gStoryFlags[106], 1);
    EXPECT_EQ(gStoryFlags[107], 1) << "a solo party's card is シェリル's";
    EXPECT_EQ(gCardStock[80].count, 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(ElectronicDistrict, TournamentRefusesShortHandsAndEndsAtTheFirstLoss) {
    arrive(0, 8, 22, 1, 1);
    choices = {1};
    ASSERT_TRUE(talkTo(24).finished);  // no cards
    EXPECT_TRUE(opponents.empty());
    EXPECT_TRUE(said("カードを五枚以上持ち"));
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f) << "refused before the fade";

    ownCheapCards(5);
    results = {kDuelWon, kDuelDraw, kDuelLost};
    choices = {1};
    lines.clear();
    ASSERT_TRUE(talkTo(24, 30000).finished);
    EXPECT_EQ(opponents, (std::vector<int>{10, 11, 12}));
    EXPECT_TRUE(said("残念でしたね。"));
    EXPECT_EQ(gStoryFlags[102], 0);
    EXPECT_STREQ(gRequestedSong, kMarksenSong);
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);

    choices = {2};  // "なにそれ？": the rules, then the end
    lines.clear();
    opponents.clear();
    ASSERT_TRUE(talkTo(24).finished);
    EXPECT_TRUE(said("使用できるカードのコストは大会ごとに違います。"));
    EXPECT_TRUE(opponents.empty());
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(ElectronicDistrict, ChallengeAfterThreeTournamentsGivesHisCardOnlyOnTheFirstWin) {
    gStoryFlags[104] = gStoryFlags[105] = gStoryFlags[106] = 1;
    arrive(0, 13, 24, 1, 1);
    EXPECT_EQ(gMapObjects[22].visible, 0) << "his menu is gone";
    EXPECT_EQ(gMapObjects[29].kind, 3);
    ownCheapCards(5);
    choices = {1};
    ASSERT_TRUE(talkTo(29, 40000).finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(opponents, (std::vector<int>{60, 61, 62, 63, 64, 65, 66, 67, 68, 69}));
    EXPECT_EQ(gCardStock[87].count, 1);
    EXPECT_EQ(gStoryFlags[108], 1);
    EXPECT_TRUE(said("フォーゲル＝ブレムゼンのカードを手に入れた！"));

    opponents.clear();
    choices = {1};
    ASSERT_TRUE(talkTo(29, 40000).finished);
    EXPECT_EQ(opponents.size(), 10u);
    EXPECT_EQ(gCardStock[87].count, 1) << "the rematch gives no card";

    opponents.clear();
    results = {kDuelWon, kDuelWon, kDuelWon, kDuelWon, kDuelWon, kDuelWon, kDuelWon, kDuelWon, kDuelLost};
    choices = {1};
    ASSERT_TRUE(talkTo(29, 40000).finished);
    EXPECT_EQ(opponents.size(), 9u);
    EXPECT_STREQ(gRequestedSong, kMarksenSong);
    EXPECT_FLOAT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(ElectronicDistrict, CraftsmanReloadsTheMapAndHisSceneGivesFalkTheWeapon) {
    gStoryFlags[flag::kRoute] = 1;
    arrive(0, 9, 6, 1, 1);
    EXPECT_EQ(gMapObjects[31].kind, 3);
    EXPECT_EQ(gMapObjects[32].visible, 0);
    touch(31);
    Played played = play(10, [] { return gFieldEvent == 0; });
    EXPECT_EQ(played.maps, (std::vector<int>{0}));
    EXPECT_EQ(gPendingMapChange.row, 9);
    EXPECT_EQ(gPendingMapChange.col, 6);
    EXPECT_EQ(gStoryFlags[123], 1);

    arrive(0, 9, 6, 1, 1);
    EXPECT_EQ(gMapObjects[32].kind, 2);
    played = play(5000, [] { return gStoryFlags[123] == 2 && gFieldEvent == 0; });
    ASSERT_TRUE(played.finished);
    EXPECT_EQ(gItemStock[33].owned, 1);

    arrive(0, 9, 6, 1, 1);
    lines.clear();
    ASSERT_TRUE(talkTo(31).finished);
    EXPECT_EQ(lines.size(), 1u);
    EXPECT_EQ(gItemStock[33].owned, 1);
    EXPECT_EQ(gDialogueMisses, 0);
}
