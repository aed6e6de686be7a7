// Set-ups and event scripts of the prison of episode 0: the cell block (3),
// the corridor (4) and the merchant's hall (5). リメル's cell and the way out
// are in story/PrisonEscapeMaps.cpp.
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/FieldServices.h"
#include "gamedata/GameData.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/PrisonFlags.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kSheril = 1;
constexpr int kFalk = 2;

// シェリル and ファルク alone, both back at level 1.
void freshPairOfPrisoners() {
    gParty[0] = kSheril;
    gParty[1] = kFalk;
    gParty[2] = 0;
    for (int unit : {kSheril, kFalk}) {
        gPartyMembers[unit].level = 1;
        gPartyMembers[unit].experience = 0;
    }
    restAndAdvanceDay();
}

}  // namespace

// ---- Map 3: the cell block ----

int setupMap3(int entering) {
    if (entering == 1) applyMapArrival(3);
    const std::uint8_t* f = gStoryFlags;
    for (int slot : {0, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}) prison::bars(slot, entering);
    if (f[prison::kCellDoorOpen] == 0) dress(1, 1, 1, 49, 9);
    else dress(1, 0, 0, 0, 0);
    faceOnEntering(1, 1, entering);
    if (f[prison::kCellScene] == 0) {
        dressFigure(12, 2, 1, 17, 0, 0, entering);
        dressFigure(13, 1, 1, 17, 0, 1, entering);
    } else {
        dressFigure(12, 0, 0, 0, 0, 0, entering);
        dressFigure(13, 0, 0, 0, 0, 1, entering);
    }
    if (f[prison::kCellScene] != 2) dressFigure(14, 1, 1, 1, 0, 0, entering);
    else dressFigure(14, 0, 0, 0, 0, 0, entering);
    for (int slot = 15; slot <= 25; ++slot) enemySymbol(slot, slot <= 17 ? 4 : (slot <= 20 ? 5 : 6), entering);
    for (int slot = 26; slot <= 29; ++slot) trigger(slot, 1);
    dressFigure(30, 0, f[prison::kCellScene] != 2 ? 1 : 0, 0, 0, 0, entering);
    trigger(31, f[prison::kJumpLesson] == 0 ? 1 : 0);
    trigger(32, f[prison::kJumpLesson] == 0 ? 1 : 0);
    return 0;
}

namespace {

// シェリル is locked up; ファルク breaks in for リメル and finds her instead.
void runCellScene() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(3, 13, s, 0); break;
        case 2: fadeTint(1.0f, 0.8f, 0.5f, 1.0f); break;
        case 3: walk(30, 6, 5); break;
        case 4: face(30, 1); waitWalk(); break;
        case 5:
            gStoryFlags[prison::kCellDoorOpen] = 1;
            playSoundEffect("Rouya.wav");
            break;
        case 6: walk(30, 9, 10); break;
        case 7: face(30, 1); waitWalk(); break;
        case 8: pose(30, 4); break;
        case 9: gStoryFlags[prison::kCellDoorOpen] = 0; break;
        case 10: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 11: case 14: case 18: case 22: sayStep(3, 13, s, 1); break;
        case 12: case 16: case 20: case 24: sayStep(3, 13, s, 2); break;
        case 13: case 17: case 21: sayStep(3, 13, s, 3); break;
        case 15: case 19: case 23: case 25: sayStep(3, 13, s, 4); break;
        case 26: walk(30, 1, 2); break;
        case 27: waitWalk(); break;
        case 37:
            playSoundEffect("Wepon_02.wav");
            face(12, 1);
            break;
        case 39:
            pose(12, 4);
            playSoundEffect("Taoreru.wav");
            break;
        case 42:
            changeMusic("【テーマ】ファルク.mid");
            walk(14, 6, 32);
            break;
        case 43: case 53: waitWalk(); break;
        case 50:
            face(13, 1);
            pose(14, 6);
            break;
        case 51:
            pose(13, 4);
            playSoundEffect("Taoreru.wav");
            break;
        case 52: walk(14, 6, 32); break;
        case 55: walk(14, 4, 24); break;
        case 56:
            face(30, 1);
            face(14, 0);
            waitWalk();
            break;
        case 57:
            playSoundEffect("Rouya.wav");
            gStoryFlags[prison::kCellDoorOpen] = 1;
            break;
        case 59: face(30, 0); sayStep(3, 13, s, 0); break;
        case 60: walk(30, 1, 7, 6, 4); break;
        case 61: face(30, 1); waitWalk(); break;
        case 63: face(12, 0); pose(12, 0); sayStep(3, 13, s, 0); break;
        case 64: face(13, 1); pose(13, 0); sayStep(3, 13, s, 0); break;
        case 68:
            offerChoice("3.13.68", 2);
            branchOnChoice(69, 72, 0);
            break;
        case 70:
            freshPairOfPrisoners();
            startBattle(2, gSavedBattleBackground, gBattleBackground);
            break;
        case 71: gEventStep = 73; break;
        case 73:
            freshPairOfPrisoners();
            startBattle(3, gSavedBattleBackground, gBattleBackground);
            break;
        case 74:
            restAndAdvanceDay();
            gStoryFlags[prison::kCellScene] = 1;
            break;
        case 78: requestMusicStop(); sayStep(3, 13, s, 0); break;
        case 97:
            changeMap(3, 21, 10, 1);
            gPlayerVisible = 1;
            gStoryFlags[prison::kCellScene] = 2;
            break;
        default:
            if ((s >= 28 && s <= 36) || s == 38 || s == 40 || s == 41 || (s >= 44 && s <= 49) || s == 54 ||
                s == 58 || s == 62 || (s >= 65 && s <= 67) || s == 69 || s == 72 || (s >= 75 && s <= 96))
                sayStep(3, 13, s, 0);
            break;
    }
}

// ファルク shows how to jump up a ledge; three captions on the keys.
void runJumpLesson() {
    const int s = gEventStep;
    switch (s) {
        case 1: say("3.32.1", 0); break;
        case 2: fadeTint(0.75f, 0.75f, 0.75f, 1.0f); break;
        case 3: case 4: case 5: sayStep(3, 32, s, 0); break;
        case 6: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 7:
            gStoryFlags[prison::kJumpLesson] = 1;
            endEvent();
            break;
        default: break;
    }
}

}  // namespace

void runMapEvents3() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    if (event >= 1 && event <= 12) {
        endEvent();  // bars and the cell door
    } else {
        switch (event) {
            case 13:
                // The scene goes on past its battle (flag 4 at 1) to its end.
                if (f[prison::kCellScene] < 2) runCellScene();
                else endEvent();
                break;
            case 27:
                if (f[flag::kRimelRescue] == 4) {
                    changeMap(7, 33, 7, 1);
                } else {
                    switch (gEventStep) {
                        case 1: case 2: sayStep(3, 27, gEventStep, 0); break;
                        case 3: endEvent(); break;
                        default: break;
                    }
                }
                break;
            case 28: case 29: case 30: changeMap(4, 12, 5, 0); break;
            case 32: case 33:
                if (f[prison::kJumpLesson] == 0) runJumpLesson();
                else endEvent();
                break;
            default: endSilentEvent(); break;
        }
    }
    ++gEventStep;
}

// ---- Map 4: the corridor ----

int setupMap4(int entering) {
    if (entering == 1) applyMapArrival(4);
    for (int slot = 0; slot <= 3; ++slot) trigger(slot, 1);
    chest(4, 0, 133, 1);
    for (int slot = 5; slot <= 25; ++slot) enemySymbol(slot, slot <= 17 ? 4 : (slot <= 20 ? 5 : 6), entering);
    chest(26, 158, 3000, 35);
    return 0;
}

void runMapEvents4() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(3, 47, 24, 1); break;
        case 3: case 4: changeMap(5, 12, 5, 0); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 5: the merchant's hall ----

int setupMap5(int entering) {
    if (entering == 1) applyMapArrival(5);
    const int met = gStoryFlags[prison::kMerchantMet];
    for (int slot : {0, 1, 9, 10}) trigger(slot, 1);
    for (int slot : {2, 3, 5, 6, 7}) dressFigure(slot, met == 0 ? 1 : 0, 0, 0, 0, 0, entering);
    MapObject& falk = gMapObjects[4];  // ファルク's figure while the scene is due
    if (falk.present) {
        falk.kind = met == 0 ? 1 : 0;
        falk.visible = met == 1 ? 1 : 0;
        if (entering == 1) {
            falk.character = met == 1 ? 1 : 0;
            falk.pose = 0;
            falk.facing = 0;
        }
    }
    if (gStoryFlags[flag::kRimelRescue] == 4) {
        dressFigure(8, 0, 0, 0, 0, 0, entering);
    } else {
        dressFigure(8, met == 1 ? 2 : (met == 2 ? 3 : 0), 1, 48, 0, 1, entering);
    }
    return 0;
}

namespace {

// The travelling merchant もろこし and his first shop.
void runMerchantScene() {
    const int s = gEventStep;
    switch (s) {
        case 2: walk(8, 4, 10); break;
        case 3: waitWalk(); break;
        case 4: changeMusic("【テーマ】ファーレンス.mid"); break;
        case 5: pose(8, 6); break;
        case 15: case 17: pauseEvent(1); break;
        case 19: pose(8, 0); sayStep(5, 9, s, 0); break;
        case 29: pauseEvent(3); break;
        case 40: face(8, 0); sayStep(5, 9, s, 0); break;
        case 42: face(8, 1); sayStep(5, 9, s, 0); break;
        case 43: openShop(prison::kMerchantShop, prison::kMerchantGoods, prison::kMerchantRebate); break;
        case 53:
            changeMap(5, 39, 5, 0);
            gStoryFlags[prison::kMerchantMet] = 2;
            break;
        default:
            if (s == 1 || (s >= 6 && s <= 52)) sayStep(5, 9, s, 0);
            break;
    }
}

}  // namespace

void runMapEvents5() {
    const int met = gStoryFlags[prison::kMerchantMet];
    switch (gFieldEvent) {
        case 1: case 2: changeMap(4, 58, 5, 1); break;
        case 3: case 4: case 5: case 6: case 7: case 8:
            if (met == 0) {
                changeMap(5, 39, 5, 0);
                gStoryFlags[prison::kMerchantMet] = 1;
            } else {
                endEvent();
            }
            break;
        case 9:
            if (gStoryFlags[flag::kRimelRescue] == 4) {
                endEvent();
            } else if (met == 1) {
                runMerchantScene();
            } else if (met == 2) {
                switch (gEventStep) {
                    case 1: say("5.9.shop", 0); break;
                    case 2: openShop(prison::kMerchantShop, prison::kMerchantGoods, prison::kMerchantRebate); break;
                    case 3: endEvent(); break;
                    default: break;
                }
            } else {
                endEvent();
            }
            break;
        case 10: case 11: changeMap(6, 12, 5, 0); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}
