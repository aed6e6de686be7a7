// The card boy's meeting and lesson, played frame by frame on the electronic
// district's map, where his figures stand.
#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>

#include "engine/Music.h"
#include "story/CardTutorial.h"
#include "story/MapScripts.h"
#include "story/StoryFlags.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;

namespace {

constexpr int kMeetingEvent = 21;
constexpr int kGifts[] = {32, 49, 58, 74, 76};
MapChangeRequest gAskedChange;  // the map change as the tutorial asked for it

// Map 0's runner, noting the map change the tutorial asks for.
void runTutorialEvent() {
    if (gFieldEvent != kMeetingEvent) {
        runCurrentMapEvent();
        return;
    }
    runCardTutorial();
    if (gPendingMapChange.pending == 1) gAskedChange = gPendingMapChange;
    ++gEventStep;
}

// The music player takes up each requested song (it never runs here).
void songArrives() { std::strcpy(gCurrentSong, gRequestedSong); }

struct CardTutorial : StoryField {
    std::set<int> pictures;  // gStillPicture values seen (picture + 1)
    std::set<int> steps;     // steps the tutorial ran
    std::string lastLine;    // the first line of the last message shown
    bool sawCollision = false;

    void SetUp() override {
        StoryField::SetUp();
        gAskedChange = MapChangeRequest{};
        arrive(0, 57, 13, 1, 0);
        gFieldEventRunner = runTutorialEvent;
    }
    // Runs the tutorial from `step` to its end, noting what it showed.
    Played run(int step) {
        gFieldEvent = kMeetingEvent;
        gEventStep = step;
        return play(20000, [&] {
            if (gFieldEvent == kMeetingEvent) steps.insert(gEventStep);
            if (gStillPicture != 0) pictures.insert(gStillPicture);
            if (gStoryFlags[flag::kCardBoy] == 1 && gMapObjects[21].pose == 4) sawCollision = true;
            if (gMessageMode != 0) lastLine = std::string(gMessageText, std::strcspn(gMessageText, "\n"));
            songArrives();
            return gFieldEvent == 0;
        });
    }
    void expectMeetingWithoutLesson(int choice, int endStep);
    int giftsOwned() const {
        int owned = 0;
        for (const int card : kGifts) owned += gCardStock[card].count == 1 && gCardStock[card].known == 1;
        return owned;
    }
};

}  // namespace

TEST_F(CardTutorial, WholeLessonTeachesWithEveryPictureAndEndsTheMeetingOnTheDistrict) {
    choices = {1, 0, 0, 0};  // teach me; the right answer; go on; go on
    const Played played = run(kCardTutorialMeeting);
    ASSERT_TRUE(played.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(sawCollision);
    EXPECT_EQ(gMapObjects[21].pose, 0) << "the boy is back on his feet";
    EXPECT_EQ(giftsOwned(), 5);
    std::set<int> expected;
    for (int picture = -102; picture >= -124; --picture) expected.insert(picture + 1);
    EXPECT_EQ(pictures, expected);
    EXPECT_EQ(gStillPicture, 0) << "the last picture is put away";
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    EXPECT_EQ(steps.count(62), 0u) << "a right answer skips the retry";
    EXPECT_EQ(steps.count(200), 0u);

    // The district is entered again, the player shown and the boy met; the
    // fading view keeps the flags as they stood in the scene.
    EXPECT_EQ(played.maps, (std::vector<int>{0}));
    EXPECT_EQ(playerRow(), 57);
    EXPECT_EQ(playerColumn(), 13);
    EXPECT_EQ(gPlayerFacing, 1);
    EXPECT_EQ(gAskedChange.map, 0);
    EXPECT_EQ(gAskedChange.storyFlags[flag::kCardBoy], 0);
    EXPECT_EQ(gAskedChange.playerVisible, 0);
    EXPECT_EQ(gStoryFlags[flag::kCardBoy], 2);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gDialogueMisses, 0);
}

// A meeting that skips the lesson: no picture, no song change, the gifts
// given and the district entered again.
void CardTutorial::expectMeetingWithoutLesson(int choice, int endStep) {
    std::strcpy(gRequestedSong, "【マップ】マルクセング.mid");
    choices = {choice};
    const Played played = run(kCardTutorialMeeting);
    ASSERT_TRUE(played.finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(*steps.rbegin(), endStep);
    EXPECT_TRUE(pictures.empty());
    EXPECT_EQ(steps.count(43), 0u) << "no lesson, so no duel song";
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    EXPECT_EQ(giftsOwned(), 5);
    EXPECT_EQ(gStoryFlags[flag::kCardBoy], 2);
    EXPECT_EQ(played.maps, (std::vector<int>{0}));
}

TEST_F(CardTutorial, KnowingTheGameEndsTheMeetingAfterTheTournamentTalk) {
    expectMeetingWithoutLesson(0, 41);  // "知ってる。"
    EXPECT_EQ(steps.count(38), 1u);
}

TEST_F(CardTutorial, NoInterestEndsTheMeetingWithTheBoysShortAnswer) {
    expectMeetingWithoutLesson(2, 201);  // "興味ない。"
    EXPECT_EQ(lastLine, "そ、そう・・・。");
    EXPECT_EQ(steps.count(38), 0u);
}

TEST_F(CardTutorial, ReExplanationGivenUpAfterAWrongAnswerEndsInPlaceWithTheDistrictSong) {
    gStoryFlags[flag::kCardBoy] = 2;
    arrive(0, 57, 13, 1, 1);
    const MapObject sheryl = gMapObjects[20], boy = gMapObjects[21];
    choices = {1, 1};  // a wrong answer, then "なんか、難しそうだからもういいや。"
    const Played played = run(kCardTutorialExplanation);
    ASSERT_TRUE(played.finished);
    EXPECT_TRUE(steps.count(62) == 1 && steps.count(198) == 1 && steps.count(64) == 0);
    EXPECT_EQ(lastLine, "そ、そう・・・。");
    EXPECT_EQ(gStillPicture, 0);
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    EXPECT_TRUE(played.maps.empty()) << "a re-explanation just ends";
    EXPECT_EQ(gAskedChange.map, 0);
    EXPECT_EQ(gAskedChange.pending, 0);
    EXPECT_EQ(gStoryFlags[flag::kCardBoy], 2);
    EXPECT_EQ(giftsOwned(), 0) << "only the meeting gives cards";
    EXPECT_EQ(std::memcmp(&gMapObjects[20], &sheryl, sizeof sheryl), 0);
    EXPECT_EQ(std::memcmp(&gMapObjects[21], &boy, sizeof boy), 0);
}

TEST_F(CardTutorial, StartingOverAndRepeatingTheElementsKeepTheLastPictureUp) {
    gStoryFlags[flag::kCardBoy] = 2;
    arrive(0, 57, 13, 1, 1);
    // Wrong, start over, right; elements again; then on; 無 and 宇 again; then on.
    choices = {2, 0, 0, 1, 0, 1, 0};
    int pictureAtStep72 = 0, pictureAtStep95 = 0, pictureAtStep45Again = 0;
    bool retried = false;
    gFieldEvent = kMeetingEvent;
    gEventStep = kCardTutorialExplanation;
    const Played played = play(30000, [&] {
        if (gFieldEvent == kMeetingEvent) steps.insert(gEventStep);
        if (gMessageMode == 1 && gEventStep == 72) pictureAtStep72 = gStillPicture;
        if (gMessageMode == 1 && gEventStep == 95) pictureAtStep95 = gStillPicture;
        if (gEventStep == 63) retried = true;
        if (retried && gEventStep == 45 && pictureAtStep45Again == 0) pictureAtStep45Again = gStillPicture;
        songArrives();
        return gFieldEvent == 0;
    });
    ASSERT_TRUE(played.finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(pictureAtStep72, -111 + 1) << "the elements' circle stays up from step 90";
    EXPECT_EQ(pictureAtStep95, -116 + 1) << "the 無 and 宇 picture stays up from step 122";
    EXPECT_EQ(pictureAtStep45Again, -102 + 1) << "starting over shows the first picture again";
    EXPECT_STREQ(gRequestedSong, "【マップ】マルクセング.mid");
    EXPECT_EQ(gStillPicture, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}
