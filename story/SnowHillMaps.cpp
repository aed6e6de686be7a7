// The snow hill ブリザーヒル between 和国 and コールルピック (maps 59, 124,
// 125, 60 and 61, and 126, which no road leads to), and the Fiero slope
// (map 71) between Marksen's central town and コールルピック. On map 61 an
// ambush takes クレイバー and リュウヒ from the party and シェリル goes on
// alone.
#include "engine/Music.h"
#include "events/EventMusic.h"
#include "gamedata/GameData.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The region's own flag: the ambush on map 61.
constexpr int kAmbush = 46;  // 0 not yet, 1 scene due, 2 after the battle, 3 over

constexpr int kClaberUnit = 4;
constexpr int kRyuhiUnit = 5;

// The hill's wolves and snow beasts: groups 41 to 43 by slot.
void snowEnemies(int first, int last, int entering) { enemySymbols(first, last, 41, 3, 41, entering); }

}  // namespace

// ---- Map 59: the foot of the hill, coming from 和国 ----

int setupMap59(int entering) {
    if (entering == 1) applyMapArrival(59);
    snowEnemies(5, 16, entering);
    hiddenTriggers(0, 3);
    chest(4, 44, 83, 1);
    return 0;
}

void runMapEvents59() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(124, 37, 45, 1); break;
        case 3: case 4: changeMap(51, 47, 21, 1); break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 124 ----

int setupMap124(int entering) {
    if (entering == 1) applyMapArrival(124);
    snowEnemies(10, 25, entering);
    for (int slot = 0; slot <= 8; ++slot) trigger(slot, 1);
    chest(9, 178, 120, 1);
    return 0;
}

void runMapEvents124() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(59, 44, 20, 0); break;
        case 4: case 5: case 6: changeMap(125, 45, 43, 1); break;
        case 7: case 8: case 9: changeMap(125, 45, 36, 1); break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 125 ----

int setupMap125(int entering) {
    if (entering == 1) applyMapArrival(125);
    snowEnemies(9, 20, entering);
    hiddenTriggers(0, 8);
    return 0;
}

void runMapEvents125() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(124, 13, 43, 0); break;
        case 4: case 5: case 6: changeMap(124, 13, 30, 0); break;
        case 7: case 8: case 9: changeMap(60, 37, 45, 1); break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 60 ----

int setupMap60(int entering) {
    if (entering == 1) applyMapArrival(60);
    snowEnemies(7, 16, entering);
    hiddenTriggers(0, 4);
    chest(5, 45, 139, 1);
    chest(6, 46, 119, 1);
    chest(17, 164, 3000, 66);  // a card: index 66
    return 0;
}

void runMapEvents60() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(61, 39, 41, 1); break;
        case 4: case 5: changeMap(125, 24, 30, 0); break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 61: the top of the hill and the ambush ----

namespace {

constexpr int kSherylFigure = 24;
constexpr int kClaberFigure = 25;
constexpr int kRyuhiFigure = 26;

void runAmbush() {
    const int s = gEventStep;
    switch (s) {
        case 2: case 7: case 10: case 13: case 14: sayStep(61, 25, s, 0); break;
        case 3: startBattle(44, gSavedBattleBackground, gBattleBackground); break;
        case 4:
            gStoryFlags[kAmbush] = 2;  // the two are gone when the field comes back
            sayStep(61, 25, s, 0);
            break;
        case 5: walk(kSherylFigure, 4, 10); break;
        case 8: walk(kSherylFigure, 6, 20); break;
        case 11:
            walk(kSherylFigure, 4, 8, 1, 15);
            break;
        case 6: case 9: case 12: waitWalk(); break;
        case 15:
            // シェリル goes on alone. The two keep their weapons; their stones
            // stay with the party, free to be fitted again.
            restAndAdvanceDay();
            gParty[1] = 0;
            gParty[2] = 0;
            clearStones(kClaberUnit);
            clearStones(kRyuhiUnit);
            returnUnitEquipment(kClaberUnit);
            returnUnitEquipment(kRyuhiUnit);
            changeMap(61, 25, 35, 0);
            gStoryFlags[kAmbush] = 3;
            gPlayerVisible = 1;
            break;
        default: break;
    }
}

}  // namespace

int setupMap61(int entering) {
    if (entering == 1) applyMapArrival(61);
    const std::uint8_t* f = gStoryFlags;
    snowEnemies(11, 16, entering);
    hiddenTriggers(0, 9);
    chest(10, 47, 143, 1);
    for (int slot = 17; slot <= 23; ++slot) trigger(slot, f[kAmbush] == 0 ? 1 : 0);
    if (f[kAmbush] == 1 || f[kAmbush] == 2) dressFigure(kSherylFigure, 2, 1, 0, 0, 1, entering);
    else removeFigure(kSherylFigure);
    if (f[kAmbush] == 1) {
        dressFigure(kClaberFigure, 0, 1, 3, 0, 0, entering);
        dressFigure(kRyuhiFigure, 0, 1, 4, 0, 1, entering);
    } else {
        removeFigure(kClaberFigure);
        removeFigure(kRyuhiFigure);
    }
    trigger(27, f[flag::kArrivalFadeDue] == 1 ? 2 : 0);
    return 0;
}

void runMapEvents61() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 4) {
        // Into コールルピック.
        enterColerupic(15, 42, 1);
    } else if (event >= 5 && event <= 10) {
        changeMap(60, 15, 34, 0);
    } else if (event >= 18 && event <= 24) {
        changeMap(61, 25, 35, 0);
        gStoryFlags[kAmbush] = 1;
        gPlayerVisible = 0;
    } else if (event == 25) {
        if (gStoryFlags[kAmbush] == 1 || gStoryFlags[kAmbush] == 2) runAmbush();
        else endEvent();
    } else if (event == 28) {
        runArrivalFadeBack();
    }
    ++gEventStep;
}

// ---- Map 71: the Fiero slope ----

int setupMap71(int entering) {
    if (entering == 1) applyMapArrival(71);
    hiddenTriggers(0, 5);
    trigger(6, gStoryFlags[flag::kArrivalFadeDue] == 1 ? 2 : 0);
    return 0;
}

void runMapEvents71() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    if (event >= 1 && event <= 3) {
        // Down to the central town; on two stages of the story a scene waits
        // there with the party among its figures.
        const bool sceneWaits = (f[flag::kTowerViewRoute1] == 0 && f[flag::kRoute] == 1) ||
                                (f[flag::kRusanaRescue] != 0 && f[flag::kTowerViewRoute2] == 0 && f[flag::kRoute] == 2);
        if (sceneWaits) {
            changeMap(1, 32, 44, 1);
            gPlayerVisible = 0;
        } else {
            changeMap(1, 38, 48, 1);
        }
    } else if (event >= 4 && event <= 6) {
        if (gEventStep == 0 && f[flag::kColerupicDeserted] == 1) {
            fadeTint(0.5f, 0.5f, 0.5f, 1.0f);
        } else if (gEventStep == 1) {
            changeMap(62, 27, 13, 0);
            if (f[flag::kColerupicEmptied] == 1) gPlayerVisible = 0;
        }
    } else if (event == 7) {
        runArrivalFadeBack();
    }
    ++gEventStep;
}

// ---- Map 126: a snow field no road leads to ----

int setupMap126(int entering) {
    if (entering == 1) applyMapArrival(126);
    snowEnemies(5, 16, entering);
    hiddenTriggers(0, 3);
    chest(4, 44, 83, 1);  // shares its chest number with map 59's
    return 0;
}

void runMapEvents126() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(60, 37, 45, 1); break;
        case 4: case 5: case 6: changeMap(124, 13, 43, 1); break;
        case 7: case 8: case 9: changeMap(124, 13, 30, 1); break;
        default: break;
    }
    ++gEventStep;
}
