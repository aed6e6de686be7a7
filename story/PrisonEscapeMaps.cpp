// Set-ups and event scripts of the end of episode 0: リメル's cell (6) and the
// way out past the prison governor (7), with the chapter end and the
// interlude on the world map.
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/FieldServices.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/PrisonFlags.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kRimel = 3;

}  // namespace

// ---- Map 6: リメル's cell ----

int setupMap6(int entering) {
    if (entering == 1) applyMapArrival(6);
    const int rescue = gStoryFlags[flag::kRimelRescue];
    trigger(0, 1);
    trigger(1, 1);
    if (rescue <= 3) dressFigure(2, rescue == 0 ? 1 : 2, 1, 2, 0, 1, entering);
    else dressFigure(2, 0, 0, 0, 0, 0, entering);
    for (int slot : {3, 4, 5, 6, 7, 8, 11, 12, 13, 14}) prison::bars(slot, entering);
    for (int slot : {9, 10}) {
        if (rescue < 3) prison::bars(slot, entering);
        else dressFigure(slot, 0, 0, 0, 0, 0, entering);
    }
    if (rescue == 0) trigger(15, 1);
    else if (rescue <= 3) dressFigure(15, 1, 1, 1, 0, 0, entering);
    else dressFigure(15, 0, 0, 0, 0, 0, entering);
    trigger(16, rescue == 0 ? 1 : 0);
    if (rescue < 2) {
        dressFigure(17, 1, 1, 19, 0, 1, entering);
        dressFigure(18, 1, 1, 20, 0, 0, entering);
    } else {
        dressFigure(17, 0, 0, 0, 0, 0, entering);
        dressFigure(18, 0, 0, 0, 0, 0, entering);
    }
    chest(19, 1, 155, 1);
    enemySymbol(20, 5, entering);
    for (int slot = 21; slot <= 37; ++slot) enemySymbol(slot, 6, entering);
    return 0;
}

namespace {

// The guards fall, the cell opens and リメル joins.
void runRescueScene() {
    const int s = gEventStep;
    switch (s) {
        case 3: walk(17, 1, 8); break;
        case 6: walk(18, 3, 8); break;
        case 4: case 7: case 15: waitWalk(); break;
        case 11: startBattle(7, gSavedBattleBackground, gBattleBackground); break;
        case 12: gStoryFlags[flag::kRimelRescue] = 2; break;
        case 14: walk(15, 9, 14); break;
        case 17:
            playSoundEffect("Rouya.wav");
            gStoryFlags[flag::kRimelRescue] = 3;
            break;
        case 19: case 25: case 29: case 39: case 41: case 43: pauseEvent(2); break;
        case 34: case 35: break;  // silent: the two look each other over
        case 32: case 45: face(15, 1); sayStep(6, 3, s, 0); break;
        case 37: case 48: face(15, 0); sayStep(6, 3, s, 0); break;
        case 49: {
            gParty[2] = kRimel;
            const int levels[2] = {gPartyMembers[1].level, gPartyMembers[2].level};
            const int level = clampToRange(4, levels);
            gPartyMembers[kRimel].level = level;
            gPartyMembers[kRimel].experience = levelStartExperience(level);
            restAndAdvanceDay();
            changeMap(6, 30, 28, 0);
            gStoryFlags[flag::kRimelRescue] = 4;
            break;
        }
        default:
            if ((s >= 1 && s <= 2) || s == 5 || (s >= 8 && s <= 10) || s == 13 || s == 16 || (s >= 18 && s <= 48))
                sayStep(6, 3, s, 0);
            break;
    }
}

}  // namespace

void runMapEvents6() {
    const int rescue = gStoryFlags[flag::kRimelRescue];
    const int event = gFieldEvent;
    if (event >= 4 && event <= 15) {
        endEvent();  // bars
    } else {
        switch (event) {
            case 1: case 2: changeMap(5, 48, 5, 1); break;
            case 3:
                // Her scene only once the party has come in past the line.
                if (rescue >= 1 && rescue <= 3) runRescueScene();
                else endEvent();
                break;
            case 16: case 17:
                if (rescue == 0) {
                    changeMap(6, 30, 28, 0);
                    gStoryFlags[flag::kRimelRescue] = 1;
                } else {
                    endEvent();
                }
                break;
            default: endSilentEvent(); break;  // the guards have nothing to say
        }
    }
    ++gEventStep;
}

// ---- Map 7: the way out ----

int setupMap7(int entering) {
    if (entering == 1) applyMapArrival(7);
    const int governor = gStoryFlags[prison::kGovernor];
    trigger(0, 1);
    trigger(1, 1);
    if (governor != 0) {
        dressFigure(0, 1, 1, 1, 0, 1, entering);
        dressFigure(1, 1, 1, 2, 0, 1, entering);
    }
    dressFigure(2, governor == 0 ? 1 : 2, 1, 48, 0, 1, entering);
    dressFigure(3, 1, 1, 9, 0, 0, entering);
    if (governor < 2) {
        dressFigure(4, 1, 1, 19, 0, 0, entering);
        dressFigure(5, 1, 1, 20, 0, 0, entering);
    } else {
        dressFigure(4, 0, 0, 0, 0, 0, entering);
        dressFigure(5, 0, 0, 0, 0, 0, entering);
    }
    for (int slot = 6; slot <= 9; ++slot) trigger(slot, 1);
    return 0;
}

namespace {

// もろこし, the governor ラドン and battle 8; the end of episode 0 and the
// interlude on the world map.
void runGovernorScene() {
    const int s = gEventStep;
    // Watched between the door and ラドン's end of the hall, where his men
    // step up to the merchant; again so after the battle.
    if (s == 0) lookAtCell(8.5f, 5.0f, 1);
    if (s == 68) cutToCell(8.5f, 5.0f);
    switch (s) {
        case 13: face(2, 0); sayStep(7, 3, s, 0); break;
        case 14: walk(2, 6, 16); break;
        case 18: walk(3, 6, 12); break;
        case 21: walk(4, 6, 12); break;
        case 23: walk(5, 6, 12); break;
        case 15: case 19: case 22: case 24: case 77: waitWalk(); break;
        case 20: face(2, 1); sayStep(7, 3, s, 0); break;
        case 49: {
            FieldMarker& stone = gFieldMarkers[0];
            stone.present = 1;
            stone.x = gPlayerPos[0] - 0.5f;
            stone.y = gPlayerPos[1];
            stone.z = gPlayerPos[2];
            sayStep(7, 3, s, 0);
            break;
        }
        case 52: case 60: case 62: case 64: case 81: face(2, 0); sayStep(7, 3, s, 0); break;
        case 53: case 61: case 63: face(2, 1); sayStep(7, 3, s, 0); break;
        case 55:
            gFieldMarkers[0].present = 0;
            sayStep(7, 3, s, 0);
            break;
        case 65: openShop(prison::kMerchantShop, prison::kMerchantGoods, prison::kMerchantRebate); break;
        case 66: face(2, 1); sayStep(7, 3, s, 0); break;
        case 67: startBattle(8, gSavedBattleBackground, gBattleBackground); break;
        case 68: gStoryFlags[prison::kGovernor] = 2; break;
        case 71: pauseEvent(1); break;
        case 72: face(3, 1); sayStep(7, 3, s, 0); break;
        case 76: walk(3, 4, 20); break;
        // The chapter end.
        case 87: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 88:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 89: case 90: case 91: case 92: case 93:
            runChapterEndOffer(gEventStep, 89, 100, "エピソード０　完");
            break;
        // The interlude.
        case 94:
            gSlowMusicFade = 0;
            beginInterlude(0);
            break;
        case 95: case 96: case 97: sayStep(7, 3, s, 2); break;
        case 98: sayStep(7, 3, s, 1); break;
        case 99:
            gEventPictureNumber = 1;
            gPictureLoaded = 0;
            pauseEvent(5);
            break;
        case 100: case 102: case 104: sayStep(7, 3, s, 2); break;
        case 101: case 107: sayStep(7, 3, s, 5); break;
        case 103: sayStep(7, 3, s, 10); break;
        case 105: sayStep(7, 3, s, 10); break;
        case 106: sayStep(7, 3, s, 4); break;
        case 108:
            gStoryFlags[flag::kEpisode0Interlude] = 1;
            changeMap(2, 23, 18, 1);
            break;
        default:
            if ((s >= 1 && s <= 86) && s != 0) sayStep(7, 3, s, 0);
            break;
    }
}

}  // namespace

void runMapEvents7() {
    const int governor = gStoryFlags[prison::kGovernor];
    switch (gFieldEvent) {
        case 1: case 2:
            if (governor == 0) {
                changeMap(7, 14, 5, 1);
                gStoryFlags[prison::kGovernor] = 1;
            } else {
                endEvent();
            }
            break;
        case 3:
            // The scene needs the party inside the hall first.
            if (governor != 0) runGovernorScene();
            else endEvent();
            break;
        case 9: case 10: changeMap(3, 6, 8, 0); break;
        default: endSilentEvent(); break;  // the locked doors, ラドン and his guards
    }
    ++gEventStep;
}
