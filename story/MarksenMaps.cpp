// Set-up and event script of the sea district of Marksen (map 2).
#include "engine/Music.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/FieldServices.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

// ---- Map 2: the sea district ----

namespace {

constexpr int kClaber = 4;  // unit id of クレイバー
const float kPullBack[3] = {0.0f, 40.0f, -10.0f};

struct Townsperson {
    int slot, column, row, facing;
};
constexpr Townsperson kSeaDistrictPeople[15] = {
    {25, 45, 7, 0}, {22, 45, 7, 1}, {28, 45, 7, 1}, {27, 45, 8, 1}, {31, 45, 8, 1},
    {32, 45, 9, 0}, {7, 45, 9, 1},  {30, 45, 9, 1}, {29, 46, 7, 0}, {9, 46, 7, 1},
    {23, 46, 7, 1}, {24, 46, 7, 1}, {33, 46, 9, 0}, {8, 47, 8, 0},  {26, 47, 9, 1},
};

}  // namespace

int setupMap2(int entering) {
    if (entering == 1) applyMapArrival(2);
    const std::uint8_t* f = gStoryFlags;
    for (int slot : {0, 19, 20, 21, 35, 36, 37, 38}) dress(slot, 1, 0, 0, 0);
    for (int slot : {11, 12, 13, 14, 15}) dress(slot, 4, 0, 0, 0);
    for (const Townsperson& p : kSeaDistrictPeople) {
        dressFigure(p.slot, 3, 1, p.column, p.row, p.facing, entering);
    }
    for (int slot : {1, 2, 3}) {
        if (f[flag::kSeaDistrictArrived] == 0) dressFigure(slot, 0, 1, 37, 0, 0, entering);
        else if (gMapObjects[slot].present) gMapObjects[slot].visible = 0;
    }
    if (f[flag::kEpisode0Interlude] == 0) {
        dressFigure(4, 0, 1, 16, 0, 0, entering);
        dressFigure(5, 0, 1, 3, 0, 1, entering);
        dressFigure(6, 2, 1, 0, 0, 1, entering);
    } else {
        for (int slot : {4, 5, 6}) removeFigure(slot);
    }
    if (f[flag::kEpisode0Interlude] == 1) dressFigure(10, 2, 1, 3, 0, 0, entering);
    else removeFigure(10);
    if (f[flag::kSlumFarewell] == 1) {
        dressFigure(16, 2, 1, 3, 0, 0, entering);
        dressFigure(17, 1, 1, 47, 0, 1, entering);
        dressFigure(18, 0, 1, 0, 0, 1, entering);
    } else {
        removeFigure(16);
        removeFigure(17);
        removeFigure(18);
    }
    chest(34, 173, 1000, 1000);
    if (f[flag::kLastSceneBegun] != 0) {
        dressFigure(39, 2, 1, 0, 4, 1, entering);
        dressFigure(40, 0, 1, 48, 0, 1, entering);
    }
    return 0;
}

namespace {

// Thieves take シェリル's stone; the brown-haired man steps in; episode 0 begins.
void runFirstArrival() {
    const int s = gEventStep;
    switch (s) {
        case 8: walk(6, 4, 2); break;
        case 13: walk(4, 6, 4); break;
        case 16: pose(4, 5); sayStep(2, 7, s, 5); break;
        case 17: walk(5, 4, 24, 8, 6); break;
        case 20: pose(4, 0); sayStep(2, 7, s, 0); break;
        case 28: changeMusic("【テーマ】クレイバー.mid"); break;
        case 30: pose(5, 8); sayStep(2, 7, s, 0); break;
        case 33:
            for (int slot : {1, 2, 3}) walk(slot, 3, 4, 6, 8);
            break;
        case 35:
            gParty[0] = kClaber;
            gParty[1] = 0;
            gParty[2] = 0;
            gPartyMembers[kClaber].level = 10;
            restAndAdvanceDay();
            startBattle(1, 0, 0);
            break;
        case 36:
            gStoryFlags[flag::kSeaDistrictArrived] = 1;
            walk(4, 4, 16);
            break;
        case 38: face(4, 0); sayStep(2, 7, s, 0); break;
        case 40: pose(6, 0); sayStep(2, 7, s, 0); break;
        case 42:
            beginMoveBlock(1, 4);
            addMoves(0, 1);
            addMoves(6, 16);
            addMoves(2, 18);
            addMoves(6, 16);
            walk(5, 4, 16);
            break;
        case 44: face(5, 0); sayStep(2, 7, s, 0); break;
        case 49: walk(5, 9, 4, 6, 9); break;
        case 59: changeMusic("【イベント】魔硝石.mid"); break;
        case 69: walk(6, 3, 4); break;
        case 72: walk(5, 3, 2, 6, 4); break;
        case 74: face(6, 0); sayStep(2, 7, s, 0); break;
        case 76: walk(6, 6, 4); break;
        case 78: face(6, 1); sayStep(2, 7, s, 0); break;
        case 79: walk(5, 6, 4); break;
        case 87: face(5, 1); sayStep(2, 7, s, 0); break;
        case 92: face(5, 0); sayStep(2, 7, s, 0); break;
        case 9: case 14: case 18: case 34: case 37: case 43: case 50: case 70: case 73: case 77: case 80:
            waitWalk();
            break;
        case 100:
            gCameraGlide = 50;
            setCameraTarget(1, kPullBack);
            break;
        case 101: pauseEvent(10); break;
        case 102: showStillPicture(0); break;
        case 103: waitPictureShown(); break;
        case 104: pauseEvent(5); break;
        case 105:
            gSlowMusicFade = 1;
            waitStillPicture();
            break;
        case 106: requestMusicStop(); break;
        case 107: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 108:
            gSlowMusicFade = 0;
            changeMap(3, 21, 10, 1);
            break;
        default:
            if ((s >= 10 && s <= 12) || s == 15 || (s >= 19 && s <= 27) || (s >= 29 && s <= 32) ||
                (s >= 39 && s <= 41) || (s >= 44 && s <= 48) || (s >= 51 && s <= 58) || (s >= 60 && s <= 68) ||
                s == 71 || s == 75 || (s >= 81 && s <= 99))
                sayStep(2, 7, s, 0);
            break;
    }
}

// クレイバー joins to win the stone back; money and currencies explained.
void runClaberJoins() {
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 24:
            gParty[1] = kClaber;
            gParty[2] = 0;
            joinAtLevel(kClaber, (gPartyMembers[2].level + gPartyMembers[3].level + gPartyMembers[1].level) / 3);
            clearStones(kClaber);
            restAndAdvanceDay();
            gMusicLock = 0;
            break;
        case 25: case 26: case 27: case 28: runStillPicture(s, 25, 1, 5); break;
        case 31: gMoney[0] += 500; break;
        case 32: fadeTint(0.75f, 0.75f, 0.75f, 1.0f); break;
        case 35: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 36:
            gStoryFlags[flag::kEpisode0Interlude] = 2;
            changeMap(2, 23, 18, 1);
            break;
        default:
            if ((s >= 1 && s <= 23) || s == 29 || s == 30 || s == 33 || s == 34) sayStep(2, 11, s, 0);
            break;
    }
}

// クレイバー leaves for the army base.
void runClaberFarewell() {
    const int s = gEventStep;
    switch (s) {
        case 4: face(18, 0); sayStep(2, 17, s, 0); break;
        case 7: face(18, 1); sayStep(2, 17, s, 0); break;
        case 13: walk(16, 4, 20); break;
        case 15: walk(16, 9, 88); break;
        case 17: walk(16, 6, 28); break;
        case 14: case 16: case 18: waitWalk(); break;
        case 20: face(18, 0); sayStep(2, 17, s, 0); break;
        case 22:
            restAndAdvanceDay();
            gParty[1] = 0;
            clearStones(kClaber);
            changeMap(2, 31, 10, 1);
            gStoryFlags[flag::kSlumFarewell] = 2;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 12) || s == 19 || s == 21) sayStep(2, 17, s, 0);
            break;
    }
}

// シェリル wakes in Marksen with a letter; the ending begins.
void runLetterScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            lookAtCell(20.0f, 13.0f, 1);  // where she lies, not the hidden arrival
            break;
        case 1:
            gMusicLock = 0;
            changeMusic("【マップ】マルクセング.mid");
            break;
        case 3: face(40, 0); sayStep(2, 40, s, 3); break;
        case 4: walk(39, 1, 3, 0, 12); break;
        case 5: waitWalk(); break;
        case 7: face(39, 0); pauseEvent(5); break;
        case 8: face(39, 1); pauseEvent(5); break;
        case 15: sayStep(2, 40, s, 5); break;
        case 19: sayStep(2, 40, s, 6); break;
        case 20: startEnding(2); break;
        default:
            if (s == 2 || s == 6 || (s >= 9 && s <= 18)) sayStep(2, 40, s, 3);
            break;
    }
}

const InnScript kSeaDistrictInn = {
    10,
    {"宿屋主", {"いらっしゃいませ。", "マルクセングビジネスホテルへようこそ。", ""}},
    {"宿屋主", {"一泊10フォッグとなります。", "泊まっていきますか？", ""}},
    {"宿屋主", {"ってフォッグもってないのかよ。", "冷やかしめ、出て行け！", ""}},
    "シェリル",
    0,
    "10フォッグ支払って一泊する。",
    true,
    "【マップ】マルクセング.mid",
};

}  // namespace

void runMapEvents2() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    switch (event) {
        case 1: case 20: case 21:
            changeMap(0, 57, 13, 1);
            if (f[flag::kCardBoy] == 0) gPlayerVisible = 0;
            break;
        case 12: case 13: case 14: changeMap(1, 27, 5, 0); break;
        case 15: case 16: changeMap(8, 10, 10, 0); break;
        case 36: case 37: case 38: case 39: changeMap(127, 55, 3, 0); break;
        case 22: runInnStep(kSeaDistrictInn); break;
        case 8: case 9: case 10:
        case 23: case 24: case 25: case 26: case 27: case 28: case 29: case 30: case 31: case 32: case 33: case 34:
            runTalk(2, event);
            break;
        case 7:
            if (f[flag::kEpisode0Interlude] == 0) runFirstArrival();
            else endEvent();
            break;
        case 11:
            if (f[flag::kEpisode0Interlude] == 1) runClaberJoins();
            else endEvent();
            break;
        case 17:
            if (f[flag::kSlumFarewell] == 1) runClaberFarewell();
            else endEvent();
            break;
        case 40:
            if (f[flag::kLastSceneBegun] != 0) runLetterScene();
            else endEvent();
            break;
        default: endSilentEvent(); break;  // figures and the chest have no talk
    }
    ++gEventStep;
}
