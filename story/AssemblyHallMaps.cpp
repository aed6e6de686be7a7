// The assembly hall デーロック議事堂 of Skin: its inner rooms (11, 12, 14, 15)
// with the prologue and the クロスケーション interludes, the square before it
// (30), the nine floors of the climb (31-39) and the three top maps (40-42)
// with the end of episode 3.
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/FieldServices.h"
#include "gamedata/GameData.h"
#include "menus/Title.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The hall's own story flags.
constexpr int kSquareDimmed = 15;       // 1 while the square's night dims the field
constexpr int kSecondFloorGuards = 16;  // 1 once the ambush on the second floor is beaten
constexpr int kWatchRoom = 17;          // 0 before, 1 scene started, 2 guards beaten, 3 over
constexpr int kSixthFloorTalk = 18;     // 1 once the talk about the クロスケーション is over
constexpr int kEighthFloorStone = 19;   // 1 once the executives are beaten and the stone taken
constexpr int kHallOpening = 61;        // 1 once the square's opening scene has played

constexpr int kStepsTaken = -1;  // no flag: the stairs never hide the player

std::uint8_t& storyFlag(int index) { return gStoryFlags[index]; }

// A step of a scene that speaks. Every step a scene does not name speaks, so
// a step left without its line shows the key and counts as a miss; the steps
// where nobody talks (a camera's glide, a pause) are named as silent.
void talk(int map, int event, int step) { sayStep(map, event, step, 0); }

// Soldiers on patrol: groups 23 to 26 by slot.
void soldierSymbol(int slot, int entering) { enemySymbol(slot, 23 + slot % 4, 23, entering); }

void cameraTo(int mode, float row, float height, float col, int glide) {
    gCameraGlide = static_cast<std::int8_t>(glide);
    const float point[3] = {row, height, col};
    setCameraTarget(mode, point);
}

// ---- The prologue ----

// Every stage that leaves a room asks for the change, counts the stage and
// keeps the hall's song across the arrival.
void leavePrologueRoom(int map) {
    if (map == 12) changeMap(12, 6, 9, 1);
    else changeMap(15, 20, 23, 1);
    ++storyFlag(flag::kPrologueStage);
    gMusicLock = 1;
}

// The intruder fights alone, at level 60 and at full strength.
void prologueBattle(int group) {
    gParty[0] = 1;
    gParty[1] = 0;
    gParty[2] = 0;
    gPartyMembers[1].level = 60;
    restAndAdvanceDay();
    startBattle(group, gSavedBattleBackground, gBattleBackground);
}

}  // namespace

// ---- Map 15: the chairman's room ----

int setupMap15(int entering) {
    if (entering == 1) {
        applyMapArrival(15);
        gFieldMarkers[9].present = 0;
    }
    const int stage = storyFlag(flag::kPrologueStage);
    // Only the prologue's odd stages play here; in any other state the room
    // stays still instead of starting a scene that has nothing to say.
    const bool due = stage >= 1 && stage <= 11 && stage % 2 == 1;
    dressFigure(0, due ? 2 : 0, 1, 5, 0, 1, entering);
    if (stage <= 1) dressFigure(1, 0, 1, 6, 0, 0, entering);
    if (stage >= 2 && stage <= 6) dressFigure(2, 0, 1, 6, 0, 0, entering);
    if (stage == 11) dressFigure(3, 0, 1, 6, 0, 0, entering);
    return 0;
}

namespace {

void runChairmanStage(int stage) {
    const int s = gEventStep;
    if (s == 0) {
        lookAtCell(22.0f, 24.0f, 1);  // the desk and who stands before it
        return;                       // silent: the stages here count their steps from 1
    }
    switch (stage) {
        case 1:
            if (s == 1) walk(1, 9, 10);
            else if (s == 2) waitWalk();
            else if (s == 9) leavePrologueRoom(12);
            else talk(15, 1, 100 + s);
            break;
        case 3:
            if (s == 2) leavePrologueRoom(12);
            else talk(15, 1, 300 + s);
            break;
        case 5:
            if (s == 6) walk(2, 1, 20);
            else if (s == 7) waitWalk();
            else if (s == 8) {
                leavePrologueRoom(12);
                storyFlag(flag::kPrologueControlRoom) = 1;
            } else talk(15, 1, 500 + s);
            break;
        case 7:
            if (s == 2) leavePrologueRoom(12);
            else talk(15, 1, 700 + s);
            break;
        case 9:
            if (s == 3) leavePrologueRoom(12);
            else talk(15, 1, 900 + s);
            break;
        case 11:
            switch (s) {
                case 1: walk(3, 9, 15); break;
                case 2: case 12: waitWalk(); break;
                case 11: walk(3, 1, 15); break;
                case 13: pauseEvent(10); break;
                case 14: face(0, 0); talk(15, 1, 1100 + s); break;
                case 17: cameraTo(1, 0.0f, 10.0f, 0.0f, 10); break;
                case 18:
                    gMusicLock = 0;
                    gSlowMusicFade = 1;
                    requestMusicStop();
                    break;
                case 19: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
                case 20: pauseEvent(10); break;
                case 21:
                    // Back to the title without its logo; the title clears
                    // the event, its step and the lock.
                    gTitleCounter = 350;
                    gRedrawRequest[0] = 2;
                    gRedrawRequest[1] = 2;
                    gSlowMusicFade = 0;
                    gScene = 1000;
                    break;
                default: talk(15, 1, 1100 + s); break;
            }
            break;
        default: endEvent(); break;
    }
}

}  // namespace

void runMapEvents15() {
    const int stage = storyFlag(flag::kPrologueStage);
    if (gFieldEvent == 1) {
        if (stage >= 1 && stage <= 11 && stage % 2 == 1) runChairmanStage(stage);
        else endEvent();
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 12: the magical-stone control room ----

int setupMap12(int entering) {
    const int stage = storyFlag(flag::kPrologueStage);
    if (entering == 1) applyMapArrival(12);
    const bool due = stage == 0 || (stage <= 10 && stage % 2 == 0);
    dressFigure(0, due ? 2 : 0, 0, 57, 0, 0, entering);
    if (entering == 1 && stage != 10 && gMapObjects[0].present) showMarkerBeside(9, 0, 0.0f);
    const auto soldier = [&](int slot, int row, int facing) { dressFigure(slot, 1, 1, 23, row, facing, entering); };
    if (stage == 0) {
        soldier(1, 4, 0);
        soldier(3, 4, 0);
        soldier(2, 4, 1);
        soldier(4, 4, 1);
    }
    if (stage == 0) dressFigure(5, 1, 1, 0, 0, 0, entering);
    else if (stage >= 8) dressFigure(5, 1, 1, 57, 0, 0, entering);
    if (stage == 2) dressFigure(6, 1, 1, 57, 0, 0, entering);
    if (stage != 0) {
        soldier(7, stage > 4 ? 4 : 0, 0);
        soldier(8, stage > 4 ? 4 : 0, 1);
    }
    if (stage == 4) dressFigure(9, 1, 1, 57, 0, 0, entering);
    if (stage == 6) dressFigure(10, 1, 1, 57, 0, 0, entering);
    if (stage > 4) {
        soldier(11, stage == 6 ? 0 : 4, 0);
        soldier(12, stage == 6 ? 0 : 4, 1);
    }
    if (storyFlag(flag::kPrologueControlRoom) == 1) dressFigure(13, 0, 1, 6, 0, 0, entering);
    else if (gMapObjects[13].present) {
        gMapObjects[13].kind = 0;
        gMapObjects[13].visible = 0;
    }
    return 0;
}

namespace {

// Where each stage of the control room is watched from: the room runs away
// from its door, so the door's own view shows none of it.
void lookAtControlRoomStage(int stage) {
    switch (stage) {
        case 2: case 4: lookAtCell(8.0f, 17.0f, 1); break;
        case 6: lookAtCell(8.0f, 28.0f, 1); break;
        case 8: lookAtCell(8.0f, 43.0f, 1); break;
        case 10: lookAtCell(8.0f, 40.0f, 1); break;
        default: break;
    }
}

void runControlRoomStage(int stage) {
    const int s = gEventStep;
    // Again after a battle, which hands the camera back to the door: then
    // at once, so the first line after it is read in the room.
    if (s == 0) lookAtControlRoomStage(stage);
    if ((stage == 4 && s == 3) || (stage == 6 && s == 4) || (stage == 10 && s == 11)) {
        lookAtControlRoomStage(stage);
        gCameraSnap = 2;
    }
    if (s == 0 && stage != 10) return;  // silent: only stage 10 has a step 0
    switch (stage) {
        case 2:
            switch (s) {
                case 1: walk(6, 9, 10); break;
                case 6: walk(6, 9, 2); break;
                case 2: case 7: waitWalk(); break;
                case 11: leavePrologueRoom(15); break;
                default: talk(12, 1, 200 + s); break;
            }
            break;
        case 4:
            if (s == 2) prologueBattle(88);
            else if (s == 4) leavePrologueRoom(15);
            else {
                if (s == 3) {
                    pose(7, 4);
                    pose(8, 4);
                }
                talk(12, 1, 400 + s);
            }
            break;
        case 6:
            if (s == 3) prologueBattle(88);
            else if (s == 5) leavePrologueRoom(15);
            else {
                if (s == 2) face(10, 1);
                if (s == 4) {
                    pose(11, 4);
                    pose(12, 4);
                }
                talk(12, 1, 600 + s);
            }
            break;
        case 8:
            if (s == 3) pose(5, 6);
            if (s == 4) {
                playSoundEffect("Wepon_02.wav");
                gFieldMarkers[9].present = 0;
            }
            if (s == 5) leavePrologueRoom(15);
            else if (s != 4) talk(12, 1, 800 + s);  // step 4 is the stone breaking: silent
            break;
        case 10:
            switch (s) {
                case 0: walk(13, 1, 50); break;
                case 2: walk(13, 1, 20); break;
                case 6: walk(5, 1, 10); break;
                case 11: walk(13, 9, 20); break;
                case 13: walk(13, 9, 50); break;
                case 17:
                    walk(5, 3, 5);
                    addMoves(1, 20);
                    break;
                case 1: case 3: case 7: case 12: case 14: case 18: waitWalk(); break;
                case 8: face(5, 0); talk(12, 1, 1000 + s); break;
                case 10: prologueBattle(89); break;
                case 15:
                    storyFlag(flag::kPrologueControlRoom) = 0;
                    talk(12, 1, 1000 + s);
                    break;
                case 19: leavePrologueRoom(15); break;
                default: talk(12, 1, 1000 + s); break;
            }
            break;
        default: endEvent(); break;
    }
}

// The footage of the stone's destruction, shown to the executives.
void runFootage() {
    const int s = gEventStep;
    switch (s) {
        case 0: lookAtCell(9.0f, 40.0f, 1); break;  // silent: the footage starts at step 1, at the stone's end
        case 5: pose(5, 6); break;
        case 7: playSoundEffect("Wepon_02.wav"); break;
        case 8:
            gFieldMarkers[9].present = 0;
            talk(12, 1, s);
            break;
        case 18:
            storyFlag(flag::kMainPlot) = 1;
            changeMap(11, 15, 14, 1);
            break;
        default: talk(12, 1, s); break;
    }
}

}  // namespace

void runMapEvents12() {
    const int stage = storyFlag(flag::kPrologueStage);
    if (gFieldEvent == 1) {
        if (stage == 0) runFootage();
        else if (stage <= 10 && stage % 2 == 0) runControlRoomStage(stage);
        else endEvent();
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 11: the meeting room ----

int setupMap11(int entering) {
    if (entering == 1) applyMapArrival(11);
    const bool mainStory = storyFlag(flag::kPrologueStage) == 0;
    const int plot = storyFlag(flag::kMainPlot);
    dressFigure(0, 2, 1, 5, 0, 0, entering);
    if (mainStory) {
        dressFigure(1, 0, 1, 6, 0, 1, entering);
        dressFigure(2, 0, 1, 8, 0, 1, entering);
        dressFigure(3, 0, 1, 9, 0, 1, entering);
    } else {
        for (int slot = 1; slot <= 3; ++slot)
            if (gMapObjects[slot].present) gMapObjects[slot].visible = 0;
    }
    if (plot == 0) {
        dress(4, 0, 0, 0, 0);
        dress(5, 0, 0, 0, 0);
    } else {
        dressFigure(4, 1, 1, 2, 0, 1, entering);
        dressFigure(5, 1, 1, 7, 0, 0, entering);
    }
    if (storyFlag(flag::kPrologueStage) == 1) dressFigure(6, 0, 1, 6, 0, 1, entering);
    return 0;
}

namespace {

void runMeeting() {
    const int s = gEventStep;
    switch (s) {
        case 0: say("11.1.0", 1); break;
        case 1: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 23: changeMap(12, 6, 9, 1); break;
        default:
            if (s == 8) face(1, 0);
            if (s == 20 || s == 22) face(1, 1);
            talk(11, 1, s);
            break;
    }
}

void runCapture() {
    const int s = gEventStep;
    switch (s) {
        case 0: lookAtCell(12.0f, 12.0f, 1); break;  // silent; the door end of the table, where リメル is brought in
        case 1:
            playSoundEffect("Taoreru.wav");
            walk(4, 9, 15);
            break;
        case 2:
            waitWalk();
            pose(4, 4);
            face(4, 1);
            break;
        case 3: pose(4, 8); break;
        case 4: walk(5, 9, 15); break;
        case 5: case 10: waitWalk(); break;
        case 9:
            walk(1, 1, 10);
            addMoves(3, 10);
            break;
        case 12:
            changeMap(14, 20, 20, 1);
            storyFlag(flag::kMainPlot) = 3;
            break;
        default: talk(11, 2, s); break;
    }
}

}  // namespace

void runMapEvents11() {
    if (gFieldEvent == 1) {
        if (storyFlag(flag::kMainPlot) == 2) runMeeting();
        else runCapture();
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 14: the emperor's room ----

int setupMap14(int entering) {
    if (entering == 1) applyMapArrival(14);
    const bool setOut = storyFlag(flag::kMainPlot) == 5;
    dressFigure(0, 2, 1, 2, 0, 0, entering);
    if (setOut) {
        for (int slot = 1; slot <= 4; ++slot) dress(slot, 0, 0, 0, 0);
    } else {
        dressFigure(1, 1, 1, 9, 0, 0, entering);
        dressFigure(2, 1, 1, 5, 0, 1, entering);
        dressFigure(3, 1, 1, 7, 0, 1, entering);
        dressPosed(4, 1, 44, 7, 1, entering);
    }
    return 0;
}

void runMapEvents14() {
    const int s = gEventStep;
    if (gFieldEvent == 1) {
        if (storyFlag(flag::kMainPlot) == 5) {
            // The emptied room is only a way through to the ruins.
            if (s == 1) pauseEvent(5);
            else if (s == 2) changeMap(16, 20, 20, 1);
        } else if (s == 0) {
            // silent: the emperor's scene starts at step 1
        } else if (s == 8) {
            fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
        } else if (s == 9) {
            changeMap(13, 30, 20, 1);
            storyFlag(flag::kMainPlot) = 4;
        } else {
            talk(14, 1, s);
        }
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 30: the square before the hall ----

int setupMap30(int entering) {
    if (entering == 1) applyMapArrival(30);
    hiddenTriggers(0, 13);
    chest(14, 7, 119, 1);
    if (storyFlag(kHallOpening) == 0) {
        dressFigure(15, 2, 1, 0, 0, 0, entering);
        dressFigure(16, 0, 1, 47, 0, 0, entering);
        dressFigure(17, 0, 1, 1, 0, 0, entering);
        dressFigure(18, 0, 1, 3, 0, 0, entering);
    }
    trigger(19, storyFlag(flag::kAssemblyHall) == 0 && storyFlag(kSquareDimmed) == 0 ? 2 : 0);
    return 0;
}

namespace {

void runHallOpening() {
    const int s = gEventStep;
    switch (s) {
        case 0: cameraTo(1, 0.0f, 10.0f, 4.0f, 0); break;
        case 1: fadeTint(0.5f, 0.5f, 0.5f, 1.0f); break;
        case 2:
            // The camera glides back to the player over two seconds; the
            // first line waits for it, not to be read over a moving picture.
            if (gPauseCounter == 0) cameraTo(2, 0.0f, 0.0f, 0.0f, 20);
            pauseEvent(13);
            break;
        case 6:
            for (int slot = 15; slot <= 18; ++slot) walk(slot, 9, 60);
            break;
        case 7: waitWalk(); break;
        case 8: cameraTo(1, 0.0f, 10.0f, 4.0f, 20); break;
        case 9: showStillPicture(3); break;
        case 10: waitPictureShown(); break;
        case 11: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 12: waitStillPicture(); break;
        case 13:
            changeMap(31, 20, 8, 0);
            storyFlag(kHallOpening) = 1;
            storyFlag(kSquareDimmed) = 1;
            gPlayerVisible = 1;
            break;
        default: talk(30, 16, s); break;
    }
}

}  // namespace

void runMapEvents30() {
    const int event = gFieldEvent;
    const int s = gEventStep;
    const bool hallOpen = storyFlag(flag::kAssemblyHall) != 0;
    if (event >= 1 && event <= 7) {
        if (hallOpen) changeMap(20, 27, 51, 1);
        else if (s == 1) say("30.1.1", 0);
        else if (s == 2) endEvent();
    } else if (event >= 8 && event <= 14) {
        if (hallOpen) changeMap(31, 20, 8, 0);
        else if (s == 0) fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
        else if (s == 1) changeMap(31, 20, 8, 0);
    } else if (event == 16) {
        if (storyFlag(kHallOpening) == 0) runHallOpening();
        else endEvent();
    } else if (event == 20) {
        if (s == 0) fadeTint(0.5f, 0.5f, 0.5f, 1.0f);
        else if (s == 1) {
            storyFlag(kSquareDimmed) = 1;
            endEvent();
        }
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Maps 31-39: the common build of the floors ----

namespace {

struct Stairs {
    int first, last;           // door slots
    int map, row, col, facing; // where they lead
    int hideWhileZero;         // flag that hides the player on arrival while 0, or kStepsTaken
};
struct ChestRow {
    int slot, number, contents, amount;
};
struct Floor {
    int map;
    Stairs down, up;
    ChestRow chests[4];
    int chestCount;
    int firstSoldier, lastSoldier;  // -1 for none
};

constexpr Floor kFloors[] = {
    {31, {0, 4, 30, 19, 16, 1, kStepsTaken}, {5, 9, 32, 39, 15, 0, kStepsTaken},
     {{10, 8, 140, 1}, {11, 9, 155, 1}}, 2, 12, 24},
    {32, {0, 2, 31, 40, 39, 1, kStepsTaken}, {3, 5, 33, 21, 10, 0, kStepsTaken}, {{6, 10, 141, 1}}, 1, 7, 11},
    {33, {0, 3, 32, 16, 25, 1, kStepsTaken}, {4, 8, 34, 7, 50, 0, kStepsTaken},
     {{9, 11, 155, 1}, {10, 12, 21, 1}, {11, 13, 144, 1}, {12, 14, 134, 1}}, 4, 13, 25},
    {34, {0, 3, 33, 5, 57, 1, kStepsTaken}, {4, 7, 35, 25, 12, 1, kStepsTaken},
     {{8, 15, 142, 1}, {9, 16, 155, 1}}, 2, 10, 22},
    {35, {0, 1, 34, 8, 5, 0, kStepsTaken}, {2, 7, 36, 31, 12, 0, kSixthFloorTalk},
     {{8, 17, 155, 1}, {9, 18, 145, 1}, {10, 19, 134, 1}, {11, 20, 164, 1}}, 4, 12, 29},
    {36, {0, 3, 35, 51, 39, 1, kStepsTaken}, {4, 7, 37, 20, 9, 0, kStepsTaken},
     {{8, 21, 114, 1}, {9, 22, 36, 1}, {10, 23, 157, 1}, {15, 160, 3000, 55}}, 4, -1, -1},
    {37, {0, 3, 36, 53, 57, 1, kStepsTaken}, {4, 8, 38, 6, 2, 0, kEighthFloorStone},
     {{9, 24, 4, 1}, {10, 25, 155, 1}, {11, 26, 1000, 2000}}, 3, 12, 36},
    {38, {0, 3, 37, 56, 41, 1, kStepsTaken}, {4, 7, 39, 5, 27, 1, kStepsTaken}, {}, 0, -1, -1},
    {39, {0, 3, 38, 6, 27, 1, kStepsTaken}, {4, 6, 40, 33, 6, 1, flag::kAssemblyHall},
     {{7, 27, 141, 1}, {8, 28, 157, 1}, {24, 161, 3000, 34}}, 3, 9, 23},
};

const Floor& floorOf(int map) { return kFloors[map - 31]; }

void setupFloor(int map, int entering) {
    const Floor& f = floorOf(map);
    if (entering == 1) applyMapArrival(map);
    hiddenTriggers(f.down.first, f.down.last);
    hiddenTriggers(f.up.first, f.up.last);
    for (int i = 0; i < f.chestCount; ++i) chest(f.chests[i].slot, f.chests[i].number, f.chests[i].contents, f.chests[i].amount);
    if (f.firstSoldier >= 0)
        for (int slot = f.firstSoldier; slot <= f.lastSoldier; ++slot) soldierSymbol(slot, entering);
}

void takeStairs(const Stairs& st) {
    changeMap(st.map, st.row, st.col, st.facing);
    if (st.hideWhileZero != kStepsTaken && storyFlag(st.hideWhileZero) == 0) gPlayerVisible = 0;
}

// The floor's doors; false when the event is not one of them.
bool runFloorStairs(int map) {
    const Floor& f = floorOf(map);
    const int slot = gFieldEvent - 1;
    if (slot >= f.down.first && slot <= f.down.last) {
        takeStairs(f.down);
        return true;
    }
    if (slot >= f.up.first && slot <= f.up.last) {
        takeStairs(f.up);
        return true;
    }
    return false;
}

// A floor with nothing but stairs, chests and soldiers.
void runPlainFloor(int map) {
    if (!runFloorStairs(map)) endSilentEvent();
    ++gEventStep;
}

}  // namespace

// ---- Map 31: first floor ----

int setupMap31(int entering) {
    setupFloor(31, entering);
    trigger(25, storyFlag(kSquareDimmed) == 1 ? 2 : 0);
    return 0;
}

void runMapEvents31() {
    const int event = gFieldEvent;
    const int s = gEventStep;
    if (event >= 1 && event <= 5 && storyFlag(flag::kAssemblyHall) == 0) {
        // Out into the night: the square dims itself again on arrival.
        if (s == 0) fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
        else if (s == 1) changeMap(30, 19, 16, 1);
    } else if (event == 26) {
        if (s == 0) fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
        else if (s == 1) {
            storyFlag(kSquareDimmed) = 0;
            endEvent();
        }
    } else if (!runFloorStairs(31)) {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 32: second floor and the ambush ----

int setupMap32(int entering) {
    setupFloor(32, entering);
    const bool beaten = storyFlag(kSecondFloorGuards) == 1;
    for (int slot = 12; slot <= 14; ++slot) dress(slot, beaten ? 0 : 1, 0, 0, 0);
    if (beaten) {
        dress(15, 0, 0, 53, 0);
        dress(16, 0, 0, 54, 0);
    } else {
        dressFigure(15, 0, 1, 53, 0, 1, entering);
        dressFigure(16, 0, 1, 54, 0, 0, entering);
    }
    return 0;
}

void runMapEvents32() {
    const int event = gFieldEvent;
    const int s = gEventStep;
    if (event >= 13 && event <= 15) {
        if (storyFlag(kSecondFloorGuards) != 0) endEvent();
        else if (s == 5) startBattle(27, gSavedBattleBackground, gBattleBackground);
        else if (s == 6) {
            storyFlag(kSecondFloorGuards) = 1;
            endEvent();
        } else if (s >= 1) talk(32, 13, s);
        ++gEventStep;
        return;
    }
    runPlainFloor(32);
}

// ---- Map 33: third floor ----

int setupMap33(int entering) {
    setupFloor(33, entering);
    return 0;
}
void runMapEvents33() { runPlainFloor(33); }

// ---- Map 34: fourth floor and the imperial watch room ----

int setupMap34(int entering) {
    setupFloor(34, entering);
    const int watch = storyFlag(kWatchRoom);
    for (int slot : {24, 25, 26, 27, 30, 31, 32, 33}) dress(slot, watch == 0 ? 1 : 0, 0, 0, 0);
    if (watch < 2) {
        dressFigure(28, 0, 1, 53, 0, 1, entering);
        dressFigure(29, 0, 1, 54, 0, 0, entering);
    } else {
        dress(28, 0, 0, 53, 0);
        dress(29, 0, 0, 54, 0);
    }
    if (watch == 1 || watch == 2) {
        dressFigure(34, 0, 1, 1, 0, 0, entering);
        dressFigure(35, 0, 1, 3, 0, 0, entering);
        dressFigure(36, 0, 1, 2, 0, 1, entering);
        dressFigure(37, 2, 1, 0, 0, 0, entering);
    } else {
        for (int slot = 34; slot <= 37; ++slot) removeFigure(slot);
    }
    return 0;
}

namespace {

// The watch room's wall opens: its four cells take the corridor's floor.
void openWatchRoomWall() {
    const MapCell& corridor = gMapCells[20][12];
    for (int row = 20; row <= 23; ++row) {
        MapCell& cell = gMapCells[row][13];
        cell.blocked = corridor.blocked;
        cell.height = corridor.height;
        cell.floorColumn = corridor.floorColumn;
        cell.floorRow = corridor.floorRow;
    }
}

void runRescue() {
    const int s = gEventStep;
    switch (s) {
        case 3: startBattle(27, gSavedBattleBackground, gBattleBackground); break;
        case 4:
            storyFlag(kWatchRoom) = 2;
            talk(34, 38, s);
            break;
        case 8: face(37, 1); talk(34, 38, s); break;
        case 11: face(34, 1); talk(34, 38, s); break;
        case 13: face(35, 1); talk(34, 38, s); break;
        case 14:
            walk(35, 1, 16);
            addMoves(4, 24);
            break;
        case 15: case 21: waitWalk(); break;
        case 17:
            face(34, 0);
            face(37, 0);
            talk(34, 38, s);
            break;
        case 18:
            gPlayerFacing = 0;
            talk(34, 38, s);
            break;
        case 19:
            playSoundEffect("Rouya.wav");
            openWatchRoomWall();
            break;
        case 20:
            walk(34, 9, 45);
            addMoves(6, 5);
            walk(37, 9, 45);
            break;
        // Into the cell through the opened wall: seen from the corridor, the
        // wall's standing end would hide who walked in.
        case 22: lookAtCell(18.0f, 18.0f, 50); break;
        case 24: case 25: case 26: break;  // silent: the camera glides to the cell
        case 59: {
            // リメル takes クレイバー's place; he keeps his gear but not the stones.
            clearStones(4);
            gParty[2] = 3;
            raiseLevelTo(3, gPartyMembers[4].level - 2);
            restAndAdvanceDay();
            break;
        }
        case 60:
            changeMap(34, 21, 11, 1);
            gPlayerVisible = 1;
            storyFlag(kWatchRoom) = 3;
            break;
        default:
            if (s >= 1) talk(34, 38, s);
            break;
    }
}

}  // namespace

void runMapEvents34() {
    const int event = gFieldEvent;
    const int s = gEventStep;
    const int watch = storyFlag(kWatchRoom);
    if (event >= 25 && event <= 28) {
        if (watch != 0) endEvent();
        else if (s == 1) say("34.25.1", 0);
        else if (s == 2) endEvent();
    } else if (event >= 31 && event <= 34) {
        if (watch == 0) {
            changeMap(34, 21, 11, 1);
            gPlayerVisible = 0;
            storyFlag(kWatchRoom) = 1;
        } else {
            endEvent();
        }
    } else if (event == 38) {
        if (watch == 1 || watch == 2) runRescue();
        else endEvent();
    } else if (!runFloorStairs(34)) {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 35: fifth floor ----

int setupMap35(int entering) {
    setupFloor(35, entering);
    return 0;
}
void runMapEvents35() { runPlainFloor(35); }

// ---- Map 36: sixth floor and the talk ----

int setupMap36(int entering) {
    setupFloor(36, entering);
    if (storyFlag(kSixthFloorTalk) == 1) {
        removeFigure(11);
        for (int slot = 12; slot <= 14; ++slot)
            if (gMapObjects[slot].present) {
                gMapObjects[slot].kind = 0;
                gMapObjects[slot].visible = 0;
            }
    } else {
        dressFigure(11, 2, 1, 0, 0, 1, entering);
        dressFigure(12, 0, 1, 1, 0, 0, entering);
        dressFigure(13, 0, 1, 2, 0, 1, entering);
        dressFigure(14, 0, 1, 47, 0, 1, entering);
    }
    return 0;
}

namespace {

void runCrossCessionTalk() {
    const int s = gEventStep;
    switch (s) {
        case 0: cameraTo(0, 27.0f, 1.5f, 36.0f, 50); break;
        case 1: case 2: case 3: case 4: case 5: case 6: break;  // silent: the camera glides
        case 16:
            offerChoice("36.12.16", 3);
            branchOnChoice(30, 100, 246);
            break;
        case 68: case 116:
            offerChoice("36.12.68", 3);
            branchOnChoice(30, 100, 250);
            break;
        case 101:
            showStillPicture(-101);
            talk(36, 12, s);
            break;
        case 114: waitStillPicture(); break;
        case 251:
            changeMap(36, 27, 36, 1);
            storyFlag(kSixthFloorTalk) = 1;
            gPlayerVisible = 1;
            break;
        default:
            // Past a topic's last line the choice comes next: the steps in
            // between are silent and never reached.
            if ((s >= 17 && s <= 29) || (s >= 69 && s <= 99) || (s >= 117 && s <= 245)) break;
            talk(36, 12, s);
            break;
    }
}

}  // namespace

void runMapEvents36() {
    if (gFieldEvent == 12) {
        if (storyFlag(kSixthFloorTalk) == 0) runCrossCessionTalk();
        else endEvent();
        ++gEventStep;
        return;
    }
    runPlainFloor(36);
}

// ---- Map 37: seventh floor ----

int setupMap37(int entering) {
    setupFloor(37, entering);
    return 0;
}
void runMapEvents37() { runPlainFloor(37); }

// ---- Map 38: eighth floor and the three executives ----

int setupMap38(int entering) {
    setupFloor(38, entering);
    const bool done = storyFlag(kEighthFloorStone) == 1;
    if (entering == 1 && !done && gMapObjects[11].present) showMarkerBeside(2, 11, 1.0f);
    if (done) {
        removeFigure(8);
        for (int slot = 9; slot <= 10; ++slot)
            if (gMapObjects[slot].present) {
                gMapObjects[slot].kind = 0;
                gMapObjects[slot].visible = 0;
            }
    } else {
        dressFigure(8, 2, 1, 0, 0, 0, entering);
        dressFigure(9, 0, 1, 1, 0, 0, entering);
        dressFigure(10, 0, 1, 2, 0, 0, entering);
    }
    const int executives[3][2] = {{11, 8}, {12, 9}, {13, 10}};
    for (const auto& e : executives) {
        const int slot = e[0];
        if (!gMapObjects[slot].present) continue;
        if (storyFlag(flag::kAssemblyHall) != 0) gMapObjects[slot].kind = 0;
        else if (done) dressFigure(slot, 3, 1, e[1], 4, 1, entering);
        else dressFigure(slot, 0, 1, e[1], 0, 1, entering);
    }
    return 0;
}

namespace {

void runExecutives() {
    const int s = gEventStep;
    switch (s) {
        case 0: cameraTo(0, 6.0f, 1.0f, 9.0f, 10); break;
        case 16:
            changeMap(0, 6, 9, 2);
            startBattle(28, gSavedBattleBackground, gBattleBackground);
            break;
        case 17:
            cutToCell(9.0f, 9.0f);  // back from the battle: the beaten three before the party
            pose(11, 4);
            pose(12, 4);
            pose(13, 4);
            talk(38, 9, s);
            break;
        case 20:
            changeMusic("【イベント】魔硝石回収.mid");
            gStoneFlags[2] = 1;
            break;
        case 21: {
            float at[3];
            positionOf(8, at);
            runStoneAcquisition(at, 2, 0);
            break;
        }
        case 22: changeMusic("【チャプター３】デーロック議事堂.mid"); break;
        case 24:
            changeMap(38, 5, 8, 1);
            storyFlag(kEighthFloorStone) = 1;
            gPlayerVisible = 1;
            break;
        default:
            if (s >= 10) talk(38, 9, s);  // silent before: the camera settles
            break;
    }
}

}  // namespace

void runMapEvents38() {
    const int event = gFieldEvent;
    const int s = gEventStep;
    const bool lying = storyFlag(kEighthFloorStone) == 1 && storyFlag(flag::kAssemblyHall) == 0;
    if (event == 9) {
        if (storyFlag(kEighthFloorStone) == 0) runExecutives();
        else endEvent();
    } else if (event >= 12 && event <= 14) {
        if (!lying) endEvent();
        else if (s == 1) sayStep(38, event, 1, 0);
        else if (s == 2) endEvent();
    } else if (!runFloorStairs(38)) {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 39: ninth floor ----

int setupMap39(int entering) {
    setupFloor(39, entering);
    return 0;
}
void runMapEvents39() { runPlainFloor(39); }

// ---- Map 40: tenth floor, the council chamber ----

int setupMap40(int entering) {
    if (entering == 1) applyMapArrival(40);
    const int hall = storyFlag(flag::kAssemblyHall);
    const int flashback = storyFlag(flag::kMap40Flashback);
    hiddenTriggers(0, 3);
    const bool party = hall == 0 || hall == 2;
    // The chamber's scene starts only before it has played: the story never
    // brings the party back here while it could replay.
    dressFigure(4, hall == 0 ? 2 : 0, party ? 1 : 0, party ? 0 : 0, 0, 0, entering);
    if (party) {
        dressFigure(5, 0, 1, 1, 0, 0, entering);
        dressFigure(6, 0, 1, 2, 0, 0, entering);
        dressFigure(8, 0, 1, 47, 0, 0, entering);
        dressFigure(10, 0, 1, 6, 0, 1, entering);
    } else {
        for (int slot : {5, 6, 8, 10})
            if (gMapObjects[slot].present) {
                gMapObjects[slot].kind = 0;
                gMapObjects[slot].visible = 0;
            }
    }
    if (hall == 0 || hall == 1) dressFigure(7, 0, 1, 3, 0, 0, entering);
    else if (gMapObjects[7].present) {
        gMapObjects[7].kind = 0;
        gMapObjects[7].visible = 0;
    }
    if (flashback == 2) {
        if (gMapObjects[9].present) {
            gMapObjects[9].kind = 0;
            gMapObjects[9].visible = 0;
        }
    } else if (flashback == 1) {
        dressFigure(9, 2, 1, 5, 0, 1, entering);
    } else {
        dressFigure(9, 0, hall <= 1 ? 1 : 0, 5, 0, 1, entering);
    }
    const int newcomers[3][2] = {{11, 10}, {12, 0}, {13, 47}};
    for (const auto& n : newcomers) {
        if (hall == 1) dressFigure(n[0], 0, 1, n[1], 0, n[0] == 11 ? 1 : 0, entering);
        else dress(n[0], 0, 0, 0, 0);
    }
    if (flashback == 1) dressFigure(14, 0, 1, 6, 0, 0, entering);
    if (entering == 1 && hall == 0 && gMapObjects[9].present) showMarkerBeside(8, 9, 1.0f);
    return 0;
}

namespace {

void runCouncilChamber() {
    const int s = gEventStep;
    // As シェリル, ファルク and リメル come in, the camera draws back toward
    // the door, wide enough for them and クロム's end of the chamber; again
    // so after each battle, which hands the camera back to the hidden player.
    if (s == 41) lookAtCell(22.5f, 18.0f, 10);
    if (s == 63 || s == 87) cutToCell(22.5f, 18.0f);
    switch (s) {
        case 0: cameraTo(0, 19.0f, 1.0f, 24.0f, 10); break;
        case 1: walk(7, 9, 40); break;
        case 14: walk(8, 9, 40); break;
        case 25: walk(7, 9, 10); break;
        case 41:
            walk(4, 9, 30);
            addMoves(7, 5);
            addMoves(9, 15);
            walk(5, 9, 30);
            addMoves(8, 5);
            walk(6, 9, 40);
            break;
        case 59:
            walk(9, 4, 5);
            walk(10, 4, 10);
            break;
        case 70:
            walk(6, 1, 40);
            walk(5, 2, 5);
            addMoves(1, 30);
            break;
        case 75:
            walk(10, 1, 30);
            addMoves(4, 30);
            addMoves(1, 30);
            break;
        case 104:
            walk(4, 1, 35);
            walk(8, 3, 10);
            addMoves(1, 50);
            break;
        case 109:
            walk(11, 4, 30);
            walk(12, 6, 5);
            walk(13, 6, 5);
            break;
        case 118:
            walk(12, 4, 55);
            walk(13, 4, 55);
            break;
        case 121: walk(11, 4, 50); break;
        case 2: case 15: case 26: case 42: case 60: case 71: case 76: case 105: case 119: case 122:
            waitWalk();
            break;
        case 110:
            // The one-second glide to the door outlasts the three's walk in:
            // レニウム speaks once the picture has settled on them.
            if (gPauseCounter == 0) {
                waitWalk();
                if (gEventStep != s) break;
            }
            pauseEvent(4);
            break;
        case 8: changeMusic("【バトル】交わりの地.mid"); break;
        case 9: case 96: case 97: break;  // silent: the song starts; クレイバー holds his ground
        case 10: face(9, 0); talk(40, 5, s); break;
        case 12: face(9, 1); talk(40, 5, s); break;
        case 27: pose(7, 8); talk(40, 5, s); break;
        case 62: {
            // クレイバー fights beside シェリル; ファルク and リメル leave
            // with their weapons, the rest of their gear back in the stock.
            gParty[1] = 4;
            gParty[2] = 0;
            for (int unit : {2, 3}) clearStones(unit);
            returnUnitEquipment(2);
            returnUnitEquipment(3);
            raiseLevelTo(4, (gPartyMembers[1].level + gPartyMembers[2].level) / 2);
            changeMap(0, 19, 24, 2);
            startBattle(30, gSavedBattleBackground, gBattleBackground);
            break;
        }
        case 86: startBattle(30, gSavedBattleBackground, gBattleBackground); break;
        case 89:
            pose(7, 8);
            face(7, 0);
            talk(40, 5, s);
            break;
        case 108:
            storyFlag(flag::kAssemblyHall) = 1;
            cameraTo(0, 27.0f, 0.0f, 2.0f, 10);
            break;
        case 123:
            gFieldMarkers[8].present = 0;
            changeMap(41, 33, 30, 1);
            break;
        default: talk(40, 5, s); break;
    }
}

// The day before Skin's end: クロム's last words in the chamber.
void runChamberFlashback() {
    const int s = gEventStep;
    switch (s) {
        case 0: say("40.10.0", 1); break;
        case 1: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 9: walk(9, 1, 25); break;
        case 16:
            walk(14, 2, 5);
            addMoves(0, 15);
            addMoves(1, 5);
            break;
        case 26: walk(9, 1, 20); break;
        case 10: case 17: case 27: waitWalk(); break;
        case 22: cameraTo(1, 0.0f, 0.0f, -2.0f, 10); break;
        case 30:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 31: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 32: pauseEvent(6); break;
        case 33: say("40.10.33", 1); break;
        case 34:
            changeMap(99, 28, 39, 0);
            storyFlag(flag::kMap40Flashback) = 2;
            storyFlag(flag::kCastleTop) = 1;
            gSlowMusicFade = 0;
            break;
        default: talk(40, 10, s); break;
    }
}

}  // namespace

void runMapEvents40() {
    const int event = gFieldEvent;
    if (event == 1 || event == 2) {
        changeMap(39, 7, 50, 0);
    } else if (event == 3 || event == 4) {
        changeMap(41, 55, 31, 1);
    } else if (event == 5) {
        // The scene itself writes flag 20 on its way: only its start is guarded.
        if (storyFlag(flag::kAssemblyHall) == 0 || gEventStep > 0) runCouncilChamber();
        else endEvent();
    } else if (event == 10) {
        if (storyFlag(flag::kMap40Flashback) == 1) runChamberFlashback();
        else endEvent();
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 41: eleventh floor, レニウム's trap ----

int setupMap41(int entering) {
    if (entering == 1) applyMapArrival(41);
    const int hall = storyFlag(flag::kAssemblyHall);
    hiddenTriggers(0, 4);
    const auto figure = [&](int slot, bool shown, int column, int facing) {
        if (shown) dressFigure(slot, 0, 1, column, 0, facing, entering);
        else if (gMapObjects[slot].present) {
            gMapObjects[slot].kind = 0;
            gMapObjects[slot].visible = 0;
        }
    };
    if (hall < 3) dressFigure(5, 2, 1, 0, 0, 0, entering);
    else figure(5, false, 0, 0);
    figure(6, hall < 3, 47, 0);
    figure(7, hall < 2, 53, 1);
    figure(8, hall < 2, 54, 1);
    figure(9, hall < 3, 3, 1);
    figure(10, hall < 3, 5, 1);
    figure(11, hall < 3, 10, 1);
    return 0;
}

namespace {

void runTrap() {
    const int s = gEventStep;
    // The hall is watched from near its door, wide enough for the pair and
    // the guards, レニウム and the two who come up behind him; again so after
    // the battle.
    if (s == 0) lookAtCell(44.0f, 22.0f, 1);
    if (s == 18) cutToCell(44.0f, 22.0f);
    switch (s) {
        case 1:
            walk(5, 9, 10);
            walk(6, 9, 10);
            break;
        case 3:
            walk(7, 1, 10);
            walk(8, 1, 10);
            break;
        case 6: walk(11, 4, 35); break;
        case 11: walk(9, 4, 30); break;
        case 22:
            walk(5, 9, 40);
            walk(6, 9, 40);
            walk(9, 4, 5);
            addMoves(9, 40);
            break;
        case 24: walk(10, 4, 40); break;
        case 30: walk(10, 9, 40); break;
        case 2: case 4: case 7: case 12: case 23: case 25: case 31: waitWalk(); break;
        case 15: face(11, 0); talk(41, 6, s); break;
        case 17:
            restAndAdvanceDay();
            startBattle(29, gSavedBattleBackground, gBattleBackground);
            break;
        case 18:
            storyFlag(flag::kAssemblyHall) = 2;
            pose(11, 4);
            break;
        case 0: case 32: break;  // silent: クロム sets off before the floor changes
        case 33: changeMap(42, 26, 50, 1); break;
        default: talk(41, 6, s); break;
    }
}

}  // namespace

void runMapEvents41() {
    const int event = gFieldEvent;
    if (event == 1 || event == 2) {
        changeMap(40, 9, 6, 0);
    } else if (event >= 3 && event <= 5) {
        changeMap(42, 20, 57, 1);
    } else if (event == 6) {
        if (storyFlag(flag::kAssemblyHall) < 3) runTrap();
        else endEvent();
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 42: the roof and the end of episode 3 ----

int setupMap42(int entering) {
    if (entering == 1) applyMapArrival(42);
    trigger(0, 1);
    trigger(1, 1);
    const bool before = storyFlag(flag::kBattleshipArrived) == 0;
    const auto figure = [&](int slot, bool shown, int column, int facing) {
        if (shown) dressFigure(slot, 0, 1, column, 0, facing, entering);
        else if (gMapObjects[slot].present) {
            gMapObjects[slot].kind = 0;
            gMapObjects[slot].visible = 0;
        }
    };
    if (before) dressFigure(2, 2, 1, 0, 0, 0, entering);
    else figure(2, false, 0, 0);
    figure(3, before, 47, 0);
    figure(4, before, 3, 0);
    figure(5, before, 5, 1);
    figure(6, before && storyFlag(flag::kAssemblyHall) >= 3, 11, 1);
    figure(7, before, 13, 0);
    figure(8, before, 27, 0);
    return 0;
}

namespace {

void runRoof() {
    const int s = gEventStep;
    // The roof is watched from above the parapet, wide enough for the party,
    // クロム by the stair house and the man who comes round it; again so
    // after the battle.
    if (s == 0) cameraTo(0, 34.5f, 9.0f, 47.5f, 1);
    if (s == 12) {
        cameraTo(0, 34.5f, 9.0f, 47.5f, 1);
        gCameraSnap = 2;
    }
    switch (s) {
        case 2:
            walk(5, 1, 15);
            addMoves(6, 15);
            break;
        case 4:
            for (int slot : {2, 3, 4}) face(slot, 1);
            face(5, 0);
            talk(42, 3, s);
            break;
        case 11: startBattle(30, gSavedBattleBackground, gBattleBackground); break;
        case 19:
            storyFlag(flag::kAssemblyHall) = 3;
            walk(6, 1, 20);
            addMoves(6, 5);
            break;
        case 40:
            walk(2, 1, 20);
            walk(3, 1, 15);
            walk(4, 1, 20);
            break;
        case 42: cameraTo(0, 28.0f, 8.0f, 45.0f, 20); break;
        case 47:
            for (int slot : {2, 3, 4}) {
                walk(slot, 1, 20);
                addMoves(0, 50);
            }
            break;
        case 3: case 20: case 41: case 48: waitWalk(); break;
        case 16: case 17: break;  // silent: the voice hangs in the air
        case 49: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 50:
            for (int slot : {2, 3, 4}) pose(slot, 4);
            talk(42, 3, s);
            break;
        case 52:
            restAndAdvanceDay();
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 53: case 54: case 55: case 56: case 57:
            runChapterEndOffer(gEventStep, 53, 103, "エピソード３　完");
            break;
        case 58:
            gSlowMusicFade = 0;
            beginInterlude(6);
            break;
        case 66:
            gEventPictureNumber = 7;
            gPictureLoaded = 0;
            say("42.3.66", 10);
            break;
        case 79: changeMap(44, 33, 39, 1); break;
        default:
            if (s >= 1) talk(42, 3, s);
            break;
    }
}

}  // namespace

void runMapEvents42() {
    const int event = gFieldEvent;
    if (event == 1 || event == 2) {
        changeMap(41, 16, 46, 0);
    } else if (event == 3) {
        if (storyFlag(flag::kBattleshipArrived) == 0) runRoof();
        else endEvent();
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}
