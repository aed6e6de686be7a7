// Set-ups and event scripts of the Slan plain between Marksen and Skin town:
// the first screen (17) with シェリル's lonely walk, its wasteland form (121),
// the second and third screens (122, 18) with their chasing monsters and
// chests, and the last screen (19), where ラドン's ambush, battle 22, the fire
// stone and クレイバー's joining close episode 2.
#include "engine/Music.h"
#include "events/EventMusic.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"
#include "story/StoryState.h"

using namespace story;

namespace {

// The ambush on the last screen: 0 not yet, 1 the talk with ラドン over,
// 2 battle 22 won.
constexpr int kAmbush = 13;

constexpr int kWalkDue = 1;  // flag::kMainPlot while シェリル's walk is due
constexpr int kWalkDone = 2;

constexpr int kKleiber = 4;   // unit id of クレイバー
constexpr int kFireStone = 1; // gStoneFlags entry of the second stone
constexpr int kRadonStoneMarker = 1;

constexpr const char* kEmperorSong = "【バトル】皇帝に跪け.mid";

// The plain's monsters: group 17 to 21 by slot, two looks by the slot's
// parity. Placed only on entering, so a beaten one is back next visit.
void plainSymbol(int slot, int entering) { enemySymbol(slot, 17 + slot % 5, 21, entering); }

// The chests of the first screen, shared by its green and its wasted form.
void firstScreenChests() {
    chest(2, 150, 166, 5);
    chest(3, 151, 104, 1);
    chest(4, 152, 155, 1);
}

void endUnknownEvent() {
    switch (gFieldEvent) {
        default: endSilentEvent(); break;
    }
}

}  // namespace

// ---- Map 17: the first screen ----

int setupMap17(int entering) {
    if (entering == 1) applyMapArrival(17);
    hiddenTriggers(0, 1);
    firstScreenChests();
    for (int slot = 5; slot <= 15; ++slot) plainSymbol(slot, entering);
    if (gStoryFlags[flag::kMainPlot] == kWalkDue) dressFigure(16, 2, 1, 0, 0, 1, entering);
    else removeFigure(16);
    return 0;
}

namespace {

// Alone on the plain, シェリル weighs her courage and turns back.
void runSherylWalk() {
    const int s = gEventStep;
    if (s >= 1 && s <= 13) {
        sayStep(17, 17, s, s == 13 ? 3 : 1);
    } else if (s == 14) {
        changeMap(1, 35, 22, 1);
        gStoryFlags[flag::kMainPlot] = kWalkDone;
    }
}

}  // namespace

void runMapEvents17() {
    switch (gFieldEvent) {
        case 1: changeMap(1, 1, 8, 0); break;
        case 2: changeMap(122, 37, 39, 1); break;
        case 17:
            if (gStoryFlags[flag::kMainPlot] == kWalkDue) runSherylWalk();
            else endEvent();
            break;
        default: endUnknownEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 121: the first screen laid waste ----

int setupMap121(int entering) {
    if (entering == 1) applyMapArrival(121);
    hiddenTriggers(0, 1);  // the map leaves its west edge closed, so slot 1 stands nowhere
    firstScreenChests();
    return 0;
}

void runMapEvents121() {
    if (gFieldEvent == 1) changeMap(1, 1, 8, 0);
    else endUnknownEvent();
    ++gEventStep;
}

// ---- Map 122: the second screen ----

int setupMap122(int entering) {
    if (entering == 1) applyMapArrival(122);
    for (int slot = 0; slot <= 5; ++slot) trigger(slot, 1);
    chest(6, 159, 3000, 38);
    for (int slot = 7; slot <= 22; ++slot) plainSymbol(slot, entering);
    chest(23, 174, 1000, 1500);
    return 0;
}

void runMapEvents122() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(17, 16, 10, 0); break;
        case 4: case 5: case 6: changeMap(18, 30, 40, 1); break;
        default: endUnknownEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 18: the third screen ----

int setupMap18(int entering) {
    if (entering == 1) applyMapArrival(18);
    hiddenTriggers(0, 1);
    chest(2, 153, 143, 1);
    chest(3, 154, 133, 4);
    for (int slot = 4; slot <= 15; ++slot) plainSymbol(slot, entering);
    chest(16, 175, 134, 1);
    return 0;
}

void runMapEvents18() {
    switch (gFieldEvent) {
        case 1: changeMap(122, 21, 16, 0); break;
        case 2:
            if (gStoryFlags[kAmbush] == 0) {
                // The party walks into ラドン's trap: the scene shows it as figures.
                changeMap(19, 30, 36, 1);
                gPlayerVisible = 0;
            } else {
                changeMap(19, 39, 36, 1);
            }
            break;
        default: endUnknownEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 19: the last screen and the ambush ----

int setupMap19(int entering) {
    if (entering == 1) applyMapArrival(19);
    const std::uint8_t* f = gStoryFlags;
    const bool hallUntouched = f[flag::kAssemblyHall] == 0;
    trigger(0, 1);
    trigger(1, 1);

    if (hallUntouched) {
        dressFigure(2, 0, 1, 9, 0, 0, entering);
        dressFigure(3, 0, 1, 3, 8, 1, entering);  // クレイバー lies wounded
    } else {
        dress(2, 0, 0, 0, 0);
        faceOnEntering(2, 0, entering);
        dress(3, 0, 0, 0, 0);
        faceOnEntering(3, 1, entering);
    }
    if (f[flag::kSkinInnStayed] == 0) trigger(4, 2);

    static const int kPartyColumns[3] = {0, 47, 1};  // シェリル, アラフォース, ファルク
    const bool partyShown = (f[kAmbush] == 1 || f[kAmbush] == 2) && hallUntouched;
    for (int i = 0; i < 3; ++i) {
        const int slot = 5 + i;
        if (partyShown) dress(slot, 2, 1, kPartyColumns[i], gMapObjects[slot].pose);
        else removeFigure(slot);
        if (entering == 1 && gMapObjects[slot].present) {
            gMapObjects[slot].pose = 0;
            gMapObjects[slot].facing = 1;
        }
    }
    for (int slot : {8, 9}) {
        if (f[kAmbush] <= 1) dress(slot, 0, 1, slot == 8 ? 21 : 22, 0);
        else dress(slot, 0, 0, 0, 0);
        faceOnEntering(slot, 0, entering);
    }

    if (entering == 1 && f[flag::kSkinInnStayed] == 0 && gMapObjects[2].present)
        showMarkerBeside(kRadonStoneMarker, 2, -1.0f);
    return 0;
}

namespace {

// Two figures' queues filled in one step.
void walkPair(int slotA, int slotB, int direction, int frames) {
    walk(slotA, direction, frames);
    walk(slotB, direction, frames);
}

// クレイバー joins at no less than the average level of シェリル and ファルク.
void kleiberJoins() {
    gParty[2] = kKleiber;
    raiseLevelTo(kKleiber, (gPartyMembers[1].level + gPartyMembers[2].level) / 2);
}

// ラドン's ambush, battle 22, the fire stone, the end of episode 2 and the
// interlude, then on to Skin town.
void runAmbush() {
    const int s = gEventStep;
    // Watched where the cast stands, not at the hidden arrival: ラドン over
    // クレイバー, then the party stepping in behind, then the whole road
    // once ファルク walks up to ラドン; again so after the battle.
    if (s == 0) lookAtCell(26.0f, 36.0f, 10);
    if (s == 14) lookAtCell(31.0f, 36.0f, 5);
    if (s == 25) lookAtCell(26.5f, 36.0f, 10);
    if (s == 37) cutToCell(26.5f, 36.0f);
    switch (s) {
        case 0: break;
        case 14: gStoryFlags[kAmbush] = 1; break;
        case 15:
            walk(5, 4, 12);
            addMoves(1, 8);
            break;
        case 19: walk(6, 4, 16); break;
        case 21: sayStep(19, 5, s, 0); break;
        case 22:
            walk(7, 4, 20);
            addMoves(9, 8);
            break;
        case 24: face(7, 1); sayStep(19, 5, s, 0); break;
        case 25: walk(7, 4, 32); break;
        case 16: case 20: case 23: case 26: case 40: case 43: case 55: case 64: case 74: case 77: waitWalk(); break;
        case 27: face(2, 1); sayStep(19, 5, s, 0); break;
        case 28: face(7, 0); sayStep(19, 5, s, 0); break;
        case 35: face(2, 0); sayStep(19, 5, s, 0); break;
        case 36:
            kleiberJoins();
            startBattle(22, gSavedBattleBackground, gBattleBackground);
            break;
        case 37:
            pose(2, 4);  // ラドン is down
            gStoryFlags[kAmbush] = 2;
            break;
        case 39: walk(6, 4, 4); break;
        case 42: walk(5, 7, 4); break;
        case 45:
            gStoneFlags[kFireStone] = 1;
            changeMusic("【イベント】魔硝石回収.mid");
            break;
        case 46: {
            const MapObject& sheryl = gMapObjects[5];
            const float at[3] = {sheryl.x, sheryl.y, sheryl.z};
            runStoneAcquisition(at, kRadonStoneMarker, 0);
            break;
        }
        case 47: changeMusic(kEmperorSong); break;
        case 54: walk(2, 4, 40); break;
        case 56: pose(3, 0); sayStep(19, 5, s, 0); break;
        case 58: face(3, 0); sayStep(19, 5, s, 0); break;
        case 61: face(3, 1); sayStep(19, 5, s, 0); break;
        case 63: walk(7, 4, 40); break;
        case 65: face(3, 0); sayStep(19, 5, s, 0); break;
        case 73: walkPair(3, 5, 4, 40); break;
        case 76: walk(6, 4, 44); break;
        // The end of episode 2.
        case 78:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 79: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 80: case 81: case 82: case 83: case 84:
            runChapterEndOffer(gEventStep, 80, 102, "エピソード２　完");
            break;
        // The interlude: the party looks back over the stones.
        case 85:
            beginInterlude(4);
            break;
        case 90:
            gEventPictureNumber = 5;
            gPictureLoaded = 0;
            sayStep(19, 5, s, 10);
            break;
        case 98:
            gSlowMusicFade = 0;
            sayStep(19, 5, s, 3);
            break;
        case 99:
            gSlowMusicFade = 0;
            changeMap(20, 50, 9, 1);
            break;
        default:
            if ((s >= 1 && s <= 13) || (s >= 17 && s <= 18) || (s >= 29 && s <= 34) || s == 38 || s == 41 ||
                s == 44 || (s >= 48 && s <= 53) || s == 57 || (s >= 59 && s <= 62) || (s >= 66 && s <= 72) ||
                s == 75 || (s >= 86 && s <= 97)) {
                sayStep(19, 5, s, 0);
            }
            break;
    }
}

}  // namespace

void runMapEvents19() {
    const std::uint8_t* f = gStoryFlags;
    switch (gFieldEvent) {
        case 1: changeMap(18, 17, 27, 1); break;
        case 2: changeMap(20, 50, 9, 1); break;
        case 5:
            if (f[flag::kSkinInnStayed] == 0) runAmbush();
            else endEvent();
            break;
        case 6: case 7: case 8:
            // The party's figures only stand in the ambush; should they ever
            // fire on their own (an arrival after the ambush while the road
            // back from Skin town is still shut), the party goes on to the
            // town it belongs in instead of standing frozen here.
            changeMap(20, 50, 9, 1);
            gPlayerVisible = 1;
            break;
        default: endUnknownEvent(); break;
    }
    ++gEventStep;
}
