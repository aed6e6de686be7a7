// The assembly hall on its real maps: the prologue, the クロスケーション
// interludes, the square, the floors of the climb and the top floors with the
// end of episode 3.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "battle/BattleRecords.h"
#include "engine/Music.h"
#include "field/FieldScreen.h"
#include "menus/Title.h"
#include "story/MapTable.h"
#include "story/StoryState.h"
#include "tests/builtDialogue.h"
#include "tests/story1Fixture.h"

using story1test::Played;
using story1test::StoryField;
using story1test::touchable;
using story1test::walkableFrom;

namespace {

// Battles' groups as they start: the driver sees each battle's scene once.
struct GroupLog {
    std::vector<int> groups;
    void watch() {
        if (gBattleGroup != -1) {
            groups.push_back(gBattleGroup);
            gBattleGroup = -1;
        }
    }
};

void setParty(int a, int b, int c) {
    gParty[0] = a;
    gParty[1] = b;
    gParty[2] = c;
}

}  // namespace

// ---- The prologue ----

TEST_F(StoryField, PrologueRunsElevenStagesKeepingTheHallSongAndEndsAtTheTitle) {
    gStoryFlags[999] = 1;
    setParty(1, 2, 0);
    arrive(15, 20, 23, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【チャプター３】デーロック議事堂.mid");
    std::strcpy(gCurrentSong, gRequestedSong);
    EXPECT_EQ(gFieldMarkers[9].present, 0);

    bool title = false;
    otherScreen = [&] {
        if (gScene != 1000) return false;
        title = true;
        gScene = 0;
        return true;
    };
    GroupLog log;
    gBattleGroup = -1;
    bool songKept = true;
    int markerOnStage8Arrival = -1, markerOnStage10Arrival = -1;
    const Played run = play(20000, [&] {
        log.watch();
        const int stage = gStoryFlags[999];
        if (gCurrentMap == 12 && gFieldEvent == 1 && gEventStep == 1) {
            if (stage == 8) markerOnStage8Arrival = gFieldMarkers[9].present;
            if (stage == 10) markerOnStage10Arrival = gFieldMarkers[9].present;
        }
        if (!(stage == 11 && gEventStep >= 19) && std::strcmp(gRequestedSong, "【チャプター３】デーロック議事堂.mid") != 0)
            songKept = false;
        return title;
    });
    ASSERT_TRUE(run.finished) << "stalled on map " << gCurrentMap << " stage " << int(gStoryFlags[999]) << " step "
                              << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{12, 15, 12, 15, 12, 15, 12, 15, 12, 15}));
    EXPECT_EQ(log.groups, (std::vector<int>{88, 88, 89}));
    EXPECT_TRUE(songKept);
    EXPECT_EQ(markerOnStage8Arrival, 1);
    EXPECT_EQ(markerOnStage10Arrival, 0);
    EXPECT_EQ(gStoryFlags[999], 11);
    EXPECT_EQ(gStoryFlags[998], 0);
    EXPECT_EQ(gMusicLock, 0);
    EXPECT_STREQ(gRequestedSong, "");
    EXPECT_EQ(gTitleCounter, 350);
    EXPECT_EQ(gParty[0], 1);
    EXPECT_EQ(gParty[1], 0);
    EXPECT_EQ(gPartyMembers[1].level, 60);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, PrologueRoomsStayStillOutsideTheirStages) {
    // The chairman's room with no odd stage and the control room on an odd
    // one start nothing: the player is never caught in an empty scene.
    gStoryFlags[999] = 2;
    arrive(15, 20, 23, 1, 1);
    EXPECT_EQ(gMapObjects[0].kind, 0);
    gStoryFlags[999] = 3;
    arrive(12, 6, 9, 1, 1);
    EXPECT_EQ(gMapObjects[0].kind, 0);
    const Played run = play(30, [] { return false; });
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_TRUE(run.maps.empty());
}

// ---- The interludes of the main story ----

TEST_F(StoryField, MeetingFootageCaptureAndEmperorLeadToTheArmyBase) {
    gStoryFlags[12] = 2;
    arrive(11, 15, 14, 1, 0);
    EXPECT_EQ(gMapObjects[4].kind, 1);  // リメル and アルゴン stand as persons already
    EXPECT_EQ(gMapObjects[4].visible, 1);
    EXPECT_EQ(gMapObjects[5].visible, 1);
    bool sawCaption = false;
    int flagOnCapture = -1;
    bool sawFootage = false;
    const Played run = play(20000, [&] {
        if (gCurrentMap == 12) sawFootage = true;
        if (gCurrentMap == 11 && gFieldEvent == 1 && gEventStep == 0 && std::strstr(gMessageText, "デーロック議事堂"))
            sawCaption = true;
        if (gCurrentMap == 11 && sawFootage && flagOnCapture < 0) flagOnCapture = gStoryFlags[12];
        return gCurrentMap == 13 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled on map " << gCurrentMap << " step " << gEventStep;
    EXPECT_TRUE(sawCaption);
    EXPECT_EQ(run.maps, (std::vector<int>{12, 11, 14, 13}));
    EXPECT_EQ(flagOnCapture, 1);
    EXPECT_EQ(gStoryFlags[12], 4);
    EXPECT_EQ(gFieldMarkers[9].present, 0);
    EXPECT_TRUE(run.battles.empty());
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, EmptiedEmperorRoomPassesStraightToTheRuins) {
    gStoryFlags[12] = 5;
    arrive(14, 20, 20, 1, 1);
    for (int slot = 1; slot <= 4; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0) << slot;
    EXPECT_EQ(gMapObjects[0].visible, 1);
    EXPECT_EQ(gMapObjects[0].character, 2);
    const Played run = play(200, [] { return gCurrentMap == 16; });
    ASSERT_TRUE(run.finished);
    EXPECT_GE(run.frames, 50);
    EXPECT_EQ(gStoryFlags[12], 5);
}

// ---- The square ----

TEST_F(StoryField, SquareOpeningDimsEntersTheHallAndTheFirstFloorBrightens) {
    arrive(30, 19, 6, 0, 1);
    EXPECT_EQ(gMapObjects[15].kind, 2);
    EXPECT_EQ(gMapObjects[19].kind, 2);  // the dimming waits behind the opening
    bool dimmed = false;
    const Played run = play(6000, [&] {
        if (gCurrentMap == 30 && gFieldEvent == 16 && gFieldTint[0] == 0.5f) dimmed = true;
        return gCurrentMap == 31 && gFieldEvent == 0 && gStoryFlags[15] == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled on map " << gCurrentMap << " event " << gFieldEvent << " step " << gEventStep;
    EXPECT_TRUE(dimmed);
    EXPECT_EQ(run.maps, (std::vector<int>{31}));
    EXPECT_EQ(gStoryFlags[61], 1);
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_EQ(gFieldTint[0], 1.0f);
    EXPECT_EQ(gDialogueMisses, 0);
    EXPECT_EQ(playerRow(), 20);
    EXPECT_EQ(playerColumn(), 8);

    // Back out into the night: the first floor fades out, the square dims again,
    // and its gate refuses the way home.
    touch(2);
    const Played out = play(600, [] { return gCurrentMap == 30 && gFieldEvent == 0 && gStoryFlags[15] == 1; });
    ASSERT_TRUE(out.finished);
    EXPECT_EQ(gFieldTint[0], 0.5f);
    for (int slot = 15; slot <= 18; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0) << "the opening's figures are gone";
    // The player walks back across the square to the gate before trying it.
    placePlayerOnArrival(19, 6);
    cutCameraToTarget(resources);
    touch(3);
    bool refusal = false;
    const Played refused = play(600, [&] {
        if (std::strstr(gMessageText, "いまさら引き返せないよ。") != nullptr) refusal = true;
        return gFieldEvent == 0;
    });
    ASSERT_TRUE(refused.finished);
    EXPECT_TRUE(refused.maps.empty());
    EXPECT_TRUE(refusal);
}

TEST_F(StoryField, SquareOpensToSkinTownOnceTheHallIsDone) {
    gStoryFlags[61] = 1;
    gStoryFlags[20] = 3;
    arrive(30, 19, 6, 0, 1);
    EXPECT_EQ(gMapObjects[19].kind, 0);  // no more dimming
    touch(0);
    const Played run = play(10, [] { return gCurrentMap == 20; });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(playerRow(), 27);
    EXPECT_EQ(playerColumn(), 51);
}

// ---- The floors' common build ----

struct FloorCase {
    int map, row, col;         // the arrival from the floor below
    int upSlot;                // a door up
    int upMap, upRow, upCol, upFacing;
    int hideFlag;              // the flag that hides the player upstairs while 0, or -1
    std::vector<int> chests;   // slot, chest number pairs
    int firstSoldier, lastSoldier;
};

TEST_F(StoryField, FloorsDressTheirStairsChestsAndSoldiersAndLeadUp) {
    const std::vector<FloorCase> floors = {
        {31, 20, 8, 5, 32, 39, 15, 0, -1, {10, 8, 11, 9}, 12, 24},
        {32, 39, 15, 3, 33, 21, 10, 0, -1, {6, 10}, 7, 11},
        {33, 21, 10, 4, 34, 7, 50, 0, -1, {9, 11, 10, 12, 11, 13, 12, 14}, 13, 25},
        {34, 7, 50, 4, 35, 25, 12, 1, -1, {8, 15, 9, 16}, 10, 22},
        {35, 25, 12, 2, 36, 31, 12, 0, 18, {8, 17, 9, 18, 10, 19, 11, 20}, 12, 29},
        {36, 31, 12, 4, 37, 20, 9, 0, -1, {8, 21, 9, 22, 10, 23, 15, 160}, -1, -1},
        {37, 20, 9, 4, 38, 6, 2, 0, 19, {9, 24, 10, 25, 11, 26}, 12, 36},
        {38, 6, 2, 4, 39, 5, 27, 1, -1, {}, -1, -1},
        {39, 5, 27, 4, 40, 33, 6, 1, 20, {7, 27, 8, 28, 24, 161}, 9, 23},
    };
    for (const FloorCase& f : floors) {
        for (int hidden = 0; hidden <= 1; ++hidden) {
            SCOPED_TRACE("map " + std::to_string(f.map) + (hidden ? " with its scene pending" : ""));
            if (hidden && f.hideFlag < 0) continue;
            std::memset(gStoryFlags, 0, sizeof gStoryFlags);
            // The floors' own scenes are over, so only the common build acts.
            gStoryFlags[16] = 1;
            gStoryFlags[17] = 3;
            gStoryFlags[18] = 1;
            gStoryFlags[19] = 1;
            gStoryFlags[20] = 3;
            if (hidden) gStoryFlags[f.hideFlag] = 0;
            arrive(f.map, f.row, f.col, 0, 1);
            EXPECT_STREQ(gLocationName, kMapTable[f.map].placeName) << "the arrival sequence ran";
            const auto reached = walkableFrom(f.row, f.col);
            for (std::size_t i = 0; i < f.chests.size(); i += 2) {
                const MapObject& c = gMapObjects[f.chests[i]];
                EXPECT_EQ(c.kind, 100) << "slot " << f.chests[i];
                EXPECT_EQ(c.index, f.chests[i + 1]);
                EXPECT_TRUE(reached[gObjectCells[f.chests[i]][0]][gObjectCells[f.chests[i]][1]]) << "chest slot " << f.chests[i];
            }
            for (int s = f.firstSoldier; s >= 0 && s <= f.lastSoldier; ++s) {
                const MapObject& o = gMapObjects[s];
                EXPECT_EQ(o.kind, 5) << "slot " << s;
                EXPECT_EQ(o.index, 23 + s % 4);
                EXPECT_EQ(o.character, s % 2 == 1 ? 23 : 24);
            }
            for (int s = 0; s < kMapObjectCount; ++s)
                if (gMapObjects[s].present && gMapObjects[s].kind == 1) {
                    EXPECT_TRUE(touchable(reached, s)) << "door " << s;
                }
            // Soldiers stand still while the door is tested.
            for (int s = 0; s < kMapObjectCount; ++s)
                if (gMapObjects[s].kind == 5) gMapObjects[s].chaseSpeed = 0.0f;
            touch(f.upSlot);
            const Played run = play(5, [] { return gScene == 0 && gFieldEvent == 0 && !gPendingMapChange.pending; });
            EXPECT_EQ(run.maps, (std::vector<int>{f.upMap}));
            EXPECT_EQ(playerRow(), f.upRow);
            EXPECT_EQ(playerColumn(), f.upCol);
            EXPECT_EQ(gPlayerFacing, f.upFacing);
            EXPECT_EQ(gPlayerVisible, hidden ? 0 : 1);
        }
    }
}

TEST_F(StoryField, SecondFloorAmbushIsFoughtOnceThenItsCellsAreInert) {
    setParty(1, 2, 4);
    arrive(32, 39, 15, 0, 1);
    EXPECT_EQ(gMapObjects[15].visible, 1);
    const auto reached = walkableFrom(39, 15);
    EXPECT_FALSE(reached[20][29]) << "the ambush cannot be walked round";
    EXPECT_TRUE(touchable(reached, 12));
    GroupLog log;
    gBattleGroup = -1;
    touch(13);
    const Played run = play(3000, [&] {
        log.watch();
        return gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished);
    EXPECT_EQ(log.groups, std::vector<int>{27});
    EXPECT_EQ(gStoryFlags[16], 1);
    for (int slot = 12; slot <= 14; ++slot) EXPECT_EQ(gMapObjects[slot].kind, 0);
    EXPECT_EQ(gMapObjects[15].visible, 0);
    EXPECT_EQ(gMapObjects[16].visible, 0);
    EXPECT_TRUE(walkableFrom(39, 15)[16][25]) << "the way up is open";
    EXPECT_EQ(gDialogueMisses, 0);
}

// ---- The fourth floor: リメル joins, クレイバー leaves ----

TEST_F(StoryField, WatchRoomRescueSwapsClaberForRimelAndClosesTheWallAgain) {
    struct Case {
        int rimelLevel, claberLevel, expectedRimel;
    };
    for (const Case c : {Case{5, 20, 18}, Case{19, 20, 19}}) {
        SCOPED_TRACE("リメル at level " + std::to_string(c.rimelLevel));
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        setParty(1, 2, 4);
        gPartyMembers[3].level = c.rimelLevel;
        gPartyMembers[4].level = c.claberLevel;
        gPartyMembers[4].stones[0] = 3;
        gPartyMembers[4].stones[1] = 4;
        gPartyMembers[4].equipment[1] = 77;
        arrive(34, 7, 50, 0, 1);
        EXPECT_EQ(gMapObjects[24].kind, 1);
        const auto reached = walkableFrom(7, 50);
        EXPECT_TRUE(touchable(reached, 30));
        EXPECT_FALSE(reached[8][5]) << "the stairs on wait behind the line";
        for (int s = 0; s < kMapObjectCount; ++s)
            if (gMapObjects[s].kind == 5) gMapObjects[s].chaseSpeed = 0.0f;

        // The way on is refused with a line and no scene.
        touch(25);
        ASSERT_TRUE(playEvent(300).finished);
        EXPECT_EQ(gStoryFlags[17], 0);

        GroupLog log;
        gBattleGroup = -1;
        bool wallOpen = false;
        touch(31);
        const Played run = play(20000, [&] {
            log.watch();
            if (gCurrentMap == 34 && gMapCells[21][13].blocked == 0) wallOpen = true;
            return gStoryFlags[17] == 3 && gScene == 0 && gFieldEvent == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
        EXPECT_EQ(run.maps, (std::vector<int>{34, 34}));
        EXPECT_EQ(log.groups, std::vector<int>{27});
        EXPECT_TRUE(wallOpen);
        EXPECT_EQ(gMapCells[21][13].blocked, 1) << "the reload closes the wall";
        EXPECT_EQ(gParty[2], 3);
        EXPECT_EQ(gPartyMembers[3].level, c.expectedRimel);
        EXPECT_EQ(gPartyMembers[4].stones[0], 0);
        EXPECT_EQ(gPartyMembers[4].stones[1], 0);
        EXPECT_EQ(gPartyMembers[4].equipment[1], 77);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(playerRow(), 21);
        EXPECT_EQ(playerColumn(), 11);
        for (int slot = 34; slot <= 37; ++slot) EXPECT_EQ(gMapObjects[slot].visible, 0);
        EXPECT_TRUE(walkableFrom(21, 11)[8][5]) << "the way on is open";
        EXPECT_EQ(gDialogueMisses, 0);
    }
    EXPECT_EQ(gPartyMembers[3].experience, 10 * 17 * 17) << "from the first case, untouched by the second";
}

// ---- The sixth floor's talk ----

TEST_F(StoryField, SixthFloorTalkFollowsTheChosenTopics) {
    struct Case {
        std::vector<int> picks;
        bool heardAims, heardMembers, shortEnding;
    };
    const std::vector<Case> cases = {
        {{0, 1, 2}, true, true, false},
        {{1, 0, 2}, true, true, false},
        {{2}, false, false, true},
    };
    for (const Case& c : cases) {
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        arrive(36, 31, 12, 0, 0);
        ASSERT_EQ(gMapObjects[11].kind, 2);
        choices = c.picks;
        std::vector<int> steps;
        bool pictureShown = false;
        const Played run = play(20000, [&] {
            if (gCurrentMap == 36 && gFieldEvent == 12) {
                if (steps.empty() || steps.back() != gEventStep) steps.push_back(gEventStep);
                if (gStillPicture != 0) pictureShown = true;
            }
            return gStoryFlags[18] == 1 && gScene == 0 && gFieldEvent == 0;
        });
        ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
        const auto visited = [&](int s) { return std::find(steps.begin(), steps.end(), s) != steps.end(); };
        EXPECT_EQ(visited(30), c.heardAims);
        EXPECT_EQ(visited(101), c.heardMembers);
        EXPECT_EQ(pictureShown, c.heardMembers);
        EXPECT_EQ(visited(246), c.shortEnding);
        EXPECT_TRUE(visited(250));
        EXPECT_EQ(gStillPicture, 0);
        EXPECT_EQ(gPlayerVisible, 1);
        EXPECT_EQ(playerRow(), 27);
        EXPECT_EQ(playerColumn(), 36);
        EXPECT_EQ(gMapObjects[12].visible, 0);
        EXPECT_EQ(gDialogueMisses, 0);
    }
}

// A step of the hall's scenes never passes over a missing line in silence:
// it shows the key and counts a miss, so the scene tests above catch it.
TEST_F(StoryField, HallStepWithoutItsLineShowsItsKeyAndCountsAMiss) {
    std::string error;
    ASSERT_TRUE(loadBuiltDialogueWithout("36.12.31", error)) << error;

    arrive(36, 31, 12, 0, 0);
    choices = {0, 2};
    bool keyShown = false;
    const Played run = play(20000, [&] {
        if (gFieldEvent == 12 && gEventStep == 31 && std::strstr(gMessageText, "36.12.31")) keyShown = true;
        return gStoryFlags[18] == 1 && gScene == 0 && gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(keyShown);
    EXPECT_GT(gDialogueMisses, 0) << "counted on every frame the placeholder is shown";
}

// ---- The eighth floor: the executives and the stone ----

TEST_F(StoryField, EighthFloorExecutivesFallTheStoneIsTakenAndTheyCanBeSpokenTo) {
    setParty(1, 2, 3);
    arrive(38, 6, 2, 0, 0);
    EXPECT_STREQ(gRequestedSong, "");
    EXPECT_EQ(gFieldMarkers[2].present, 1);
    GroupLog log;
    gBattleGroup = -1;
    float atBattle[3] = {};
    const Played run = play(20000, [&] {
        if (gBattleGroup == 28) std::memcpy(atBattle, gPlayerPos, sizeof atBattle);
        log.watch();
        if (gStoneBannerShown == 1) {
            // The player's decide on the stone's banner.
            gFieldMarkers[2].frame = 341;
            gStoneBannerShown = 0;
        }
        return gStoryFlags[19] == 1 && gScene == 0 && gFieldEvent == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_EQ(log.groups, std::vector<int>{28});
    EXPECT_NEAR(atBattle[0], 6.0f + 9.0f * kGridShear, 1e-3);
    EXPECT_NEAR(atBattle[2], 9.0f * kGridShear, 1e-3);
    EXPECT_EQ(gStoneFlags[2], 1);
    EXPECT_EQ(run.maps, (std::vector<int>{38}));
    EXPECT_EQ(gPlayerVisible, 1);
    EXPECT_STREQ(gRequestedSong, "【チャプター３】デーロック議事堂.mid");
    EXPECT_EQ(gFieldMarkers[2].present, 0);

    const auto reached = walkableFrom(playerRow(), playerColumn());
    for (int slot = 11; slot <= 13; ++slot) {
        EXPECT_EQ(gMapObjects[slot].kind, 3);
        EXPECT_EQ(gMapObjects[slot].pose, 4);
        const int r = gObjectCells[slot][0], c = gObjectCells[slot][1];
        EXPECT_TRUE(reached[r - 1][c] || reached[r + 1][c]) << "slot " << slot << " is reached along its column";
        touch(slot);
        ASSERT_TRUE(playEvent(400).finished);
        EXPECT_EQ(run.maps.size(), 1u);
    }
    EXPECT_EQ(gDialogueMisses, 0);

    // Once the hall is over they lie there no longer to be spoken to.
    gStoryFlags[20] = 1;
    setUpCurrentMap(0);
    EXPECT_EQ(gMapObjects[11].kind, 0);
}

// ---- The top floors and the end of episode 3 ----

TEST_F(StoryField, TopFloorsPlayToTheBattleshipWithTheChapterSave) {
    setParty(1, 2, 3);
    gPartyMembers[1].level = 20;
    gPartyMembers[2].level = 16;
    gPartyMembers[4].level = 10;
    gPartyMembers[2].equipment[1] = 51;  // ファルク's protector goes back to the stock
    gPartyMembers[2].equipment[0] = 7;
    gPartyMembers[3].stones[0] = 2;
    gItemStock[51].equipped = 1;
    const ItemStock before = gItemStock[51];
    arrive(40, 33, 6, 1, 0);
    EXPECT_STREQ(gRequestedSong, "");
    EXPECT_EQ(gFieldMarkers[8].present, 1);
    choices = {0};  // save
    GroupLog log;
    gBattleGroup = -1;
    int flagAtRoof = -1;
    bool interludeMap = false;
    const Played run = play(60000, [&] {
        log.watch();
        std::strcpy(gCurrentSong, gRequestedSong);
        if (gCurrentMap == 42 && flagAtRoof < 0) flagAtRoof = gStoryFlags[20];
        if (gCurrentMap == 42 && gEventPicture == 1 && gEventPictureNumber == 7) interludeMap = true;
        return gCurrentMap == 44 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled on map " << gCurrentMap << " event " << gFieldEvent << " step " << gEventStep;
    EXPECT_EQ(run.maps, (std::vector<int>{41, 42, 44}));
    EXPECT_EQ(log.groups, (std::vector<int>{30, 30, 29, 30}));
    ASSERT_EQ(run.saves.size(), 1u);
    EXPECT_EQ(run.saves[0].label, "エピソード３　完");
    EXPECT_EQ(run.saves[0].step, 57);
    EXPECT_EQ(flagAtRoof, 2);
    EXPECT_TRUE(interludeMap);
    EXPECT_EQ(gStoryFlags[20], 3);
    EXPECT_EQ(gParty[1], 4);
    EXPECT_EQ(gParty[2], 0);
    EXPECT_EQ(gPartyMembers[4].level, 18);
    EXPECT_EQ(gPartyMembers[4].experience, 10 * 17 * 17);
    EXPECT_EQ(gPartyMembers[2].equipment[1], 0);
    EXPECT_EQ(gPartyMembers[2].equipment[0], 7) << "the weapon stays";
    EXPECT_EQ(gItemStock[51].owned, before.owned + 1);
    EXPECT_EQ(gPartyMembers[3].stones[0], 0);
    EXPECT_EQ(gSlowMusicFade, 0);
    EXPECT_EQ(gDialogueMisses, 0);
}

TEST_F(StoryField, TopFloorsWithoutSavingGoStraightToTheInterlude) {
    gStoryFlags[20] = 2;
    setParty(1, 4, 0);
    arrive(42, 26, 50, 1, 0);
    EXPECT_STREQ(gRequestedSong, "【バトル】交わりの地.mid");
    choices = {1};
    const Played run = play(30000, [] { return gCurrentMap == 44 && gScene == 0; });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(run.saves.empty());
    EXPECT_EQ(gStoryFlags[20], 3);
}

TEST_F(StoryField, AfterTheHallTheTopFloorsAreQuietAndWalkable) {
    gStoryFlags[20] = 3;
    gStoryFlags[21] = 1;
    struct Visit {
        int map, row, col;
    };
    for (const Visit v : {Visit{40, 33, 6}, Visit{41, 55, 31}, Visit{42, 20, 57}}) {
        SCOPED_TRACE("map " + std::to_string(v.map));
        arrive(v.map, v.row, v.col, 1, 1);
        for (int s = 0; s < kMapObjectCount; ++s) {
            const MapObject& o = gMapObjects[s];
            if (!o.present) continue;
            EXPECT_NE(o.kind, 2) << "slot " << s;
            if (o.kind == 0) {
                EXPECT_EQ(o.visible, 0) << "slot " << s;
            }
        }
        const auto reached = walkableFrom(v.row, v.col);
        for (int s = 0; s < kMapObjectCount; ++s)
            if (gMapObjects[s].present && gMapObjects[s].kind == 1) {
                EXPECT_TRUE(touchable(reached, s)) << "door " << s;
            }
        if (v.map == 42) {
            for (int row = 0; row < 60; ++row)
                for (int col = 0; col < 60; ++col)
                    if (reached[row][col]) {
                        EXPECT_GE(gMapCells[row][col].height, 9.0f) << "the roof's walker stays up";
                    }
        }
        const Played run = play(20, [] { return false; });
        EXPECT_EQ(gFieldEvent, 0);
        EXPECT_TRUE(run.maps.empty());
    }
}

TEST_F(StoryField, ChamberFlashbackReturnsToTheCastleRuins) {
    gStoryFlags[20] = 3;
    gStoryFlags[66] = 1;
    arrive(40, 20, 22, 0, 0);
    EXPECT_EQ(gMapObjects[9].kind, 2);
    EXPECT_EQ(gMapObjects[14].visible, 1);
    EXPECT_EQ(gMapObjects[4].visible, 0);
    bool sawCaption = false;
    const Played run = play(20000, [&] {
        if (gFieldEvent == 10 && gEventStep == 0 && std::strstr(gMessageText, "昨日　デーロック議事堂")) sawCaption = true;
        return gCurrentMap == 99 && gScene == 0;
    });
    ASSERT_TRUE(run.finished) << "stalled at step " << gEventStep;
    EXPECT_TRUE(sawCaption);
    EXPECT_EQ(gStoryFlags[66], 2);
    EXPECT_EQ(gStoryFlags[67], 1);
    EXPECT_EQ(gSlowMusicFade, 0);
    EXPECT_EQ(playerRow(), 28);
    EXPECT_EQ(playerColumn(), 39);
    EXPECT_EQ(gDialogueMisses, 0);
}
