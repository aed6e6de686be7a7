// The maps of 和国, the closed country in the north: the beach where シェリル
// and クレイバー fall from the sky (50), the town with its shops, card duels
// and the card tournament (51), リュウヒ's room where he joins and later asks
// to become クレイバー's pupil (52), the tavern where the thief master steals
// もろこし's stone (53) and the graveyard of リュウヒ's family (54).
#include <cstdio>

#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "story/CardGames.h"
#include "story/CardTutorial.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The region's own flags.
constexpr int kWakokuArrival = 24;  // 0 beach scene due, 1 during the room scene, 2 over
constexpr int kTavernScene = 25;    // 0 due, 1 over
constexpr int kGraveyard = 126;     // 0 リュウヒ at the grave, 1 his scene due, 2 over

constexpr const char* kWakokuSong = "【マップ】和国.mid";
constexpr int kRyuhi = 5;  // unit id

constexpr int kFacePlusX = 0;
constexpr int kFaceMinusX = 1;

}  // namespace

// ---- Map 50: the beach ----

int setupMap50(int entering) {
    if (entering == 1) applyMapArrival(50);
    const bool over = gStoryFlags[kWakokuArrival] == 2;
    dress(0, 1, 0, 0, 0);
    dress(1, 1, 0, 0, 0);
    chest(2, 42, 1000, 1500);
    if (over) {
        removeFigure(3);
        removeFigure(4);
        removeFigure(5);
    } else {
        dressPosed(3, 0, 0, 4, kFacePlusX, entering);
        dressPosed(4, 0, 3, 4, kFacePlusX, entering);
        dressFigure(5, 2, 1, 4, 0, kFaceMinusX, entering);
    }
    return 0;
}

namespace {

// The boy watches two people fall out of the sky.
void runBeachScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            lookAtCell(21.0f, 16.0f, 1);  // where the two land, the boy beside them
            break;
        case 2: case 6: sayStep(50, 6, s, 0); break;
        case 3: playSoundEffect("Wepon_09.wav"); break;
        case 4:
            for (int slot : {3, 4}) walk(slot, 9, 48, 0, 32);
            pose(3, 4);
            pose(4, 4);
            break;
        case 5:
            pose(3, 4);
            pose(4, 4);
            waitWalk();
            break;
        case 7: walk(5, 1, 8); break;
        case 8: waitWalk(); break;
        case 9: sayStep(50, 6, s, 10); break;
        case 10: changeMap(52, 42, 12, kFaceMinusX); break;
        default: break;
    }
}

}  // namespace

void runMapEvents50() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(51, 12, 21, kFacePlusX); break;
        case 6:
            if (gStoryFlags[kWakokuArrival] != 2) runBeachScene();
            else endEvent();
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 51: the town ----

namespace {

struct Townsperson {
    int slot, column, row, facing;
};
constexpr Townsperson kTownspeople[] = {
    {10, 44, 8, kFacePlusX}, {15, 44, 8, kFaceMinusX}, {18, 44, 8, kFacePlusX}, {30, 44, 8, kFaceMinusX},
    {11, 44, 9, kFaceMinusX}, {16, 44, 9, kFacePlusX}, {21, 44, 9, kFaceMinusX}, {12, 40, 8, kFacePlusX},
    {22, 40, 8, kFaceMinusX}, {13, 40, 7, kFaceMinusX}, {17, 40, 7, kFaceMinusX}, {14, 40, 9, kFacePlusX},
    {19, 40, 9, kFacePlusX}, {20, 40, 9, kFacePlusX}, {23, 40, 9, kFaceMinusX},
};

struct Shop {
    int event;
    int facing;
    const char* title;
    int kind;
    int goods[20];
};
const Shop kShops[3] = {
    {26, kFaceMinusX, "武具屋－よるみず", 0, {52, 62, 81, 82}},
    {27, kFacePlusX, "道具屋－ゆたんぽ", 0, {104, 117, 130, 131, 132, 133, 136, 147, 149, 154}},
    {28, kFacePlusX, "玩具屋－なんだかたるいぜ", 100, {4, 5, 32, 43, 52, 54, 71, 76}},
};

void runShop(const Shop& shop) { runShopCounter(51, shop.event, shop.facing, shop.title, shop.goods, shop.kind); }

// ---- The card games ----

const char* wakokuSong() { return kWakokuSong; }
void clearTint() { fadeTint(1.0f, 1.0f, 1.0f, 1.0f); }

// "ギャラクシーズ大和大会": seven rounds under a cost limit of 6.
constexpr CardTournament kWakokuTournament = {"51.29", "", flag::kTournamentWakoku, 6, 30, wakokuSong, clearTint};

}  // namespace

int setupMap51(int entering) {
    if (entering == 1) applyMapArrival(51);
    hiddenTriggers(0, 9);
    for (const Townsperson& p : kTownspeople) dressFigure(p.slot, 3, 1, p.column, p.row, p.facing, entering);
    chest(24, 43, 155, 1);
    hiddenTriggers(25, 27);
    if (gMapObjects[28].present) {
        gMapObjects[28].kind = 1;  // the tournament desk
        gMapObjects[28].visible = 0;
    }
    dressFigure(29, 3, 1, 52, 0, kFaceMinusX, entering);
    return 0;
}

void runMapEvents51() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    switch (event) {
        case 1: case 2:
            if (f[flag::kEpisode5] != 0) changeMap(59, 14, 25, kFacePlusX);
            else runTalk(51, 1);
            break;
        case 3: case 4:
            if (f[kTavernScene] == 1) changeMap(55, 22, 6, kFacePlusX);
            else runTalk(51, 3);
            break;
        case 5: case 6: changeMap(50, 43, 14, kFaceMinusX); break;
        case 7: case 8: changeMap(54, 14, 17, kFaceMinusX); break;
        case 9: changeMap(52, 40, 15, kFaceMinusX); break;
        case 10:
            if (f[kTavernScene] == 1) {
                changeMap(53, 22, 24, kFaceMinusX);
            } else {
                changeMap(53, 26, 21, kFaceMinusX);
                gPlayerVisible = 0;  // the tavern scene plays on arrival
            }
            break;
        case 11: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 19: case 20:
            runTalk(51, event);
            break;
        case 26: case 27: case 28: runShop(kShops[event - 26]); break;
        case 29: runCardTournament(kWakokuTournament); break;
        case 30: runCardBoyMenu("51.30"); break;
        case 31: runCardPlayer("51.31", 3); break;
        default: endSilentEvent(); break;  // the strollers in the garden have nothing to say
    }
    ++gEventStep;
}

// ---- Map 52: リュウヒ's room ----

int setupMap52(int entering) {
    if (entering == 1) applyMapArrival(52);
    const std::uint8_t* f = gStoryFlags;
    const int arrival = f[kWakokuArrival];
    const bool departure = f[flag::kEpisode5] == 1;
    dress(0, 1, 0, 0, 0);
    hiddenTriggers(6, 14);
    if (arrival == 2) dress(1, 1, 0, 0, 0);
    else dressFigure(1, 0, 1, 0, 4, kFaceMinusX, entering);
    if (arrival == 1) dressFigure(2, 0, 1, 3, 0, kFaceMinusX, entering);
    else removeFigure(2);
    if (departure) {
        dressFigure(3, 0, 1, 4, 0, kFacePlusX, entering);
    } else if (arrival == 2) {
        hideFigure(3);
    } else {
        dressFigure(3, 2, 1, 4, 0, kFacePlusX, entering);
    }
    if (departure) {
        dressFigure(4, 2, 1, 0, 0, kFaceMinusX, entering);
        dressFigure(5, 0, 1, 3, 0, kFacePlusX, entering);
    } else {
        hideFigure(4);
        hideFigure(5);
    }
    return 0;
}

namespace {

// A free night on the futon.
void runBed() {
    switch (gEventStep) {
        case 1: say("52.bed.1", 0); break;
        case 2:
            offerChoice("52.bed.2", 2);
            branchOnChoice(3, 4, 0);
            break;
        case 3: endEvent(); break;
        default: runNightStep(gEventStep, 4, kWakokuSong); break;
    }
}

// リュウヒ joins: never below his own level, else the average of the levels
// of units 1 and 2, whether or not they are in the party.
void ryuhiJoins() {
    gParty[2] = kRyuhi;
    joinAtLevel(kRyuhi, (gPartyMembers[1].level + gPartyMembers[2].level) / 2);
    clearStones(kRyuhi);
}

// The room's scenes are watched from its middle: the arrival is by the door.
constexpr float kRoomViewRow = 37.0f;
constexpr float kRoomViewCol = 13.0f;

// シェリル wakes in the boy's room; リュウヒ gives his name and joins.
void runRoomScene() {
    const int s = gEventStep;
    switch (s) {
        case 0: lookAtCell(kRoomViewRow, kRoomViewCol, 1); break;  // the room, not the doorway
        case 4: walk(1, 8, 4, 1, 4, 0, 4); break;
        case 5: case 10: waitWalk(); break;
        case 9:
            gStoryFlags[kWakokuArrival] = 1;
            walk(2, 4, 4, 1, 20, 6, 16);
            break;
        case 51:
            ryuhiJoins();
            restAndAdvanceDay();
            gMusicLock = 0;
            break;
        case 52: case 53: case 54: case 55: runStillPicture(s, 52, 5, 5); break;
        case 56:
            changeMap(52, 42, 12, kFaceMinusX);
            gPlayerVisible = 1;
            gStoryFlags[kWakokuArrival] = 2;
            break;
        default:
            if (s == 3 || (s >= 6 && s <= 8) || (s >= 11 && s <= 50)) {
                if (s == 11 || s == 45) face(3, kFaceMinusX);
                if (s == 26 || s == 49) face(3, kFacePlusX);
                sayStep(52, 4, s, s == 14 ? 5 : (s == 17 ? 6 : 3));
            }
            break;
    }
}

// After the mountain: リュウヒ asks クレイバー to take him as his pupil.
void runDepartureScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            lookAtCell(kRoomViewRow, kRoomViewCol, 1);
            break;
        case 12: walk(3, 1, 4); break;
        case 13: waitWalk(); break;
        case 30:
            restAndAdvanceDay();
            changeMap(52, 42, 12, kFaceMinusX);
            gPlayerVisible = 1;
            gStoryFlags[flag::kEpisode5] = 2;
            break;
        default:
            if ((s >= 1 && s <= 11) || (s >= 14 && s <= 29)) {
                if (s == 10) face(3, kFaceMinusX);
                sayStep(52, 5, s, s == 6 ? 4 : (s == 8 ? 1 : 0));
            }
            break;
    }
}

}  // namespace

void runMapEvents52() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    switch (event) {
        case 1: changeMap(51, 38, 16, kFacePlusX); break;
        case 2:
            // シェリル's own bed slot holds her figure until the room scene is over.
            if (f[kWakokuArrival] == 2) runBed();
            else endEvent();
            break;
        case 7: case 8: case 9: case 10: case 11: case 12: case 13: case 14: case 15: runBed(); break;
        case 4:
            if (f[kWakokuArrival] != 2 && f[flag::kEpisode5] != 1) runRoomScene();
            else endEvent();
            break;
        case 5:
            if (f[flag::kEpisode5] == 1) runDepartureScene();
            else endEvent();
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 53: the tavern ----

int setupMap53(int entering) {
    if (entering == 1) applyMapArrival(53);
    const bool over = gStoryFlags[kTavernScene] == 1;
    dress(0, 1, 0, 0, 0);
    dressFigure(1, 3, 1, 40, 9, kFaceMinusX, entering);
    dressFigure(3, 3, 1, 40, 9, kFaceMinusX, entering);
    dressFigure(2, 3, 1, 44, 8, kFacePlusX, entering);
    if (over) {
        hideFigure(4);
        for (int slot : {5, 6, 7, 8}) removeFigure(slot);
    } else {
        dressFigure(4, 2, 1, 0, 0, kFacePlusX, entering);
        dressFigure(5, 0, 1, 3, 0, kFacePlusX, entering);
        dressFigure(6, 0, 1, 4, 0, kFacePlusX, entering);
        dressFigure(7, 0, 1, 48, 0, kFaceMinusX, entering);
        dressFigure(8, 0, 1, 16, 0, kFacePlusX, entering);
    }
    return 0;
}

namespace {

// Where the tavern scene is watched from: the party's table.
constexpr float kTavernViewRow = 11.0f;
constexpr float kTavernViewCol = 18.0f;

// もろこし shows off the 黄金石 and the thief master makes off with it.
void runTavernScene() {
    const int s = gEventStep;
    switch (s) {
        case 0: lookAtCell(kTavernViewRow, kTavernViewCol, 1); break;  // the party stands across the room
        case 7:
            for (int slot : {4, 5, 6}) walk(slot, 6, 12);
            // The camera glides 3 rows on with them.
            lookAtCell(kTavernViewRow + 3.0f, kTavernViewCol, 25);
            break;
        case 8: case 23: case 29: case 41: waitWalk(); break;
        case 22:
            walk(8, 6, 40);
            changeMusic("【テーマ】シーフマスター.mid");
            break;
        case 28: walk(8, 6, 20, 9, 44, 0, 8); break;
        case 40: walk(7, 4, 44); break;
        case 45:
            changeMap(53, 26, 21, kFaceMinusX);
            gStoryFlags[kTavernScene] = 1;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 6) || (s >= 10 && s <= 21) || (s >= 24 && s <= 27) || (s >= 30 && s <= 39) ||
                (s >= 42 && s <= 44)) {
                if (s == 25) face(4, kFaceMinusX);
                if (s == 26) face(5, kFaceMinusX);
                if (s == 30) {
                    face(4, kFacePlusX);
                    face(5, kFacePlusX);
                    face(7, kFacePlusX);
                }
                if (s == 34) face(7, kFaceMinusX);
                if (s >= 42) face(48 - s, kFaceMinusX);  // リュウヒ (6), クレイバー (5), シェリル (4) in turn
                sayStep(53, 5, s, 3);
            }
            break;
    }
}

}  // namespace

void runMapEvents53() {
    const int event = gFieldEvent;
    switch (event) {
        case 1: changeMap(51, 23, 33, kFacePlusX); break;
        case 2: case 3: case 4: runTalk(53, event); break;
        case 5:
            if (gStoryFlags[kTavernScene] != 1) runTavernScene();
            else endEvent();
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 54: the graveyard ----

int setupMap54(int entering) {
    if (entering == 1) applyMapArrival(54);
    const std::uint8_t* f = gStoryFlags;
    dress(0, 1, 0, 0, 0);
    dress(1, 1, 0, 0, 0);
    dress(2, 1, 1, 37, 7);
    // Only on the route through the Ruleno ruins does リュウヒ visit his family.
    if (f[flag::kRoute] == 2) {
        const int scene = f[kGraveyard];
        if (scene == 2) {
            hideFigure(3);
        } else {
            dressFigure(3, scene == 0 ? 3 : 2, 1, 4, 0, kFacePlusX, entering);
        }
    }
    return 0;
}

namespace {

void runGraveyardScene() {
    const int s = gEventStep;
    switch (s) {
        case 4:
            gPlayerFacing = kFacePlusX;
            sayStep(54, 4, s, 0);
            break;
        case 7:
            receiveItem(70);
            break;
        case 10:
            changeMap(54, 16, 6, kFaceMinusX);
            gStoryFlags[kGraveyard] = 2;
            break;
        default:
            if (s >= 1 && s <= 9) sayStep(54, 4, s, s == 2 ? 0 : 3);
            break;
    }
}

}  // namespace

void runMapEvents54() {
    const std::uint8_t* f = gStoryFlags;
    switch (gFieldEvent) {
        case 1: case 2: changeMap(51, 16, 3, kFacePlusX); break;
        case 4:
            if (f[flag::kRoute] == 2 && f[kGraveyard] == 0) {
                changeMap(54, 15, 6, kFaceMinusX);
                gStoryFlags[kGraveyard] = 1;
            } else if (f[flag::kRoute] == 2 && f[kGraveyard] == 1) {
                runGraveyardScene();
            } else {
                endEvent();
            }
            break;
        default: endSilentEvent(); break;  // the grave
    }
    ++gEventStep;
}
