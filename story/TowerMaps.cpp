// Maps 72-92, the tower セントラルトルム of MZB: the bank hall on the ground
// floor with its clerks and the barrier before the headquarters, the guarded
// floors above, the sixth floor's two scenes (the end of chapter 7 on the
// tower route, the officers' trap on the other), the upper floors with their
// levers and gates, the thief master, the flashback and the last fight on the
// twentieth floor, and the lift car with its floor panel.
#include <cstdio>

#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/NewsTicker.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"
#include "story/StoryState.h"

using namespace story;

namespace {

// The tower's own flags.
constexpr int kMerchantSale = 43;      // 0 not met, 1 scene due, 2 done (shared with the sea base)
constexpr int kOfficersTrap = 75;      // 0 not begun, 1 trap, 2 after battle 57, 3 over
constexpr int kThiefMasterJoined = 112;

constexpr const char* kMerchantShop = "もろこし屋－セントラルトルム";
constexpr const char* kStoneSong = "【イベント】魔硝石回収.mid";

std::uint8_t* const f = gStoryFlags;

// Shaft 0 serves floors 1-5: every lift door there records it.
constexpr int kLowerShaft = 0;

// ---- Shared shapes ----

// Lower floors: groups 52-55 in MZB's security blue.
void lowerGuards(int first, int last, int entering) { enemySymbols(first, last, 52, 4, 31, entering); }
// Upper floors: groups 59-63.
void upperGuards(int first, int last, int entering) { enemySymbols(first, last, 59, 5, 33, entering); }

void toLiftCar(int shaft) {
    changeMap(92, 15, 11, 0);
    f[flag::kLiftShaft] = static_cast<std::uint8_t>(shaft);
}

// ---- Ground floor (map 72): the bank hall ----

constexpr int kExchangeClerk = 19;

// While the empire's money is shunned, コイン may only be bought.
void setBankHalts() {
    if (f[flag::kMainPlot] == 5 && !(f[flag::kRoute] == 2 && f[flag::kCastleTop] == 2)) {
        gExchangeRates[1].halted = 1;
        sayStep(72, 19, 2, 0);
        gExchangeRates[0].halted = 0;
        gExchangeRates[2].halted = 0;
    } else {
        for (ExchangeRate& rate : gExchangeRates) rate.halted = 0;
    }
}

void runExchangeClerk() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(72, 20, 1, 0); break;
        case 2:
            offerChoice("72.clerk.choice", 2);
            branchOnChoice(3, 5, 0);
            break;
        case 3: endEvent(); break;
        case 6:
            gEventPicture = 1;
            gEventPictureNumber = 1;
            gPictureLoaded = 0;
            gStillPicture = 0;
            sayStep(72, 20, 6, 0);
            break;
        case 16:
            gEventPicture = 0;
            gEventPictureNumber = 0;
            gStillPicture = 0;
            endEvent();
            break;
        default:
            if (s >= 5 && s <= 15) sayStep(72, 20, s, 0);
            break;
    }
}

void runLoanClerk() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(72, 21, 1, 0); break;
        case 2:
            offerChoice("72.clerk.choice", 2);
            branchOnChoice(3, 4, 0);
            break;
        case 3: case 10: endEvent(); break;
        default:
            if (s >= 4 && s <= 9) sayStep(72, 21, s, 0);
            break;
    }
}

void runHeadquartersBarrier() {
    switch (gEventStep) {
        case 0: gPlayerFacing = 0; break;
        case 1:
            face(kExchangeClerk, 1);
            sayStep(72, 23, 1, 0);
            break;
        case 2:
            if (f[flag::kEpisode7Route1] != 0) {
                endEvent();
            } else if (f[flag::kTowerViewRoute1] == 1 || f[flag::kTowerViewRoute2] == 1) {
                offerChoice("72.23.2", 2);
                branchOnChoice(3, 4, 0);
            } else {
                endEvent();
            }
            break;
        case 3:
            face(kExchangeClerk, 0);
            endEvent();
            break;
        case 4: requestMusicStop(); break;
        case 5: sayStep(72, 23, 5, 0); break;
        case 6: startBattle(108, gSavedBattleBackground, gBattleBackground); break;
        case 15:
            changeMap(72, 7, 10, 0);
            gNewsTickerOn = 0;
            gTickerPos = 0;
            gTickerSlot = 0;
            f[flag::kBankHallBroken] = 1;
            break;
        default: break;  // steps 7-14: a breath after the fight
    }
}

// ---- Fifth floor (map 76): もろこし ----

constexpr int kRouteOneMerchant = 13;
constexpr int kRouteTwoMerchant = 15;

constexpr int kSpecialSaleGoods[20] = {13, 56, 67, 92, 95, 96, 134, 136, 137, 138, 155};

void sayPrice() {
    if (gMoney[gRegionCurrency] >= kSpecialSaleCap) {
        sayStep(76, 16, 14, 0);
        return;
    }
    const DialogueLine* line = findDialogue("76.16.14.price");
    if (line == nullptr) {
        say("76.16.14.price", 0);
        return;
    }
    char last[64];
    std::snprintf(last, sizeof last, "たったの%dフォッグで販売するよ！", specialSalePrice(gMoney[gRegionCurrency]));
    setMessagePortrait(line->layout, line->portrait, line->expression);
    setMessage(line->speaker.c_str(), line->lines[0].c_str(), line->lines[1].c_str(), last);
    showMessage(0);
}

constexpr int kRouteOneGoods[20] = {11, 25, 39, 88, 89, 132, 133, 134, 136, 137, 138};

constexpr SpecialSale kSpecialSale = {
    76, 16, kRouteTwoMerchant, 5, 8, 1, 5, kRegionCurrency, sayPrice, kMerchantShop, kSpecialSaleGoods, 7, 10, 1,
};

void runRouteTwoMerchantTalk() {
    switch (gEventStep) {
        case 10: sayStep(76, 16, 110, 0); break;
        case 11: openShop(kMerchantShop, kSpecialSaleGoods, 17); break;
        case 12: endEvent(); break;
        default: runBonusCardGift(gEventStep, 76, 16, "76.16.104"); break;
    }
}

// ---- Sixth floor (map 77) ----

// Route 1's cast.
// Where the sixth floor's tower-route scene is watched from: the party on
// the left, the two officers on the right.
constexpr float kSixthFloorViewRow = 17.0f;
constexpr float kSixthFloorViewCol = 11.0f;
constexpr int kSherylOne = 12;
constexpr int kFalkFigure = 13;
constexpr int kRimelFigure = 14;
constexpr int kJectorFigure = 15;
constexpr int kRitratFigure = 16;
// Route 2's cast.
constexpr int kSherylTwo = 0;
constexpr int kClaberTwo = 1;
constexpr int kRyuhiTwo = 2;
constexpr int kSunraysFigure = 3;
constexpr int kJectorTwo = 4;
constexpr int kRitratTwo = 5;
constexpr int kSherylAfter = 6;
constexpr int kClaberAfter = 7;

void runSixthFloorRouteOne() {
    const int s = gEventStep;
    if (f[flag::kRoute1SixthFloor] == 0) {
        changeMap(77, 14, 12, 0);
        gPlayerVisible = 0;
        f[flag::kRoute1SixthFloor] = 1;
        return;
    }
    if (f[flag::kRoute1SixthFloor] != 1) {
        endEvent();
        return;
    }
    switch (s) {
        case 0: lookAtCell(kSixthFloorViewRow, kSixthFloorViewCol, 1); break;  // silent: the officers across the floor
        case 3: walk(kFalkFigure, 6, 6); break;
        case 7: walk(kRimelFigure, 6, 6); break;
        case 19: walk(kSherylOne, 6, 6); break;
        case 4: case 8: case 20: waitWalk(); break;
        case 23: startBattle(56, gSavedBattleBackground, gBattleBackground); break;
        case 24:
            cutToCell(kSixthFloorViewRow, kSixthFloorViewCol);  // back from the battle
            sayStep(77, 13, 24, 0);
            break;
        case 28:
            face(kJectorFigure, 0);
            sayStep(77, 13, 28, 0);
            break;
        case 38:
            gStoneFlags[6] = 1;
            changeMusic(kStoneSong);
            break;
        case 39: {
            float at[3];
            positionOf(kSherylOne, at);
            runStoneAcquisition(at, 6, 0);
            break;
        }
        case 40: requestMusicStop(); break;
        case 41: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 47: beginInterlude(9); break;
        case 54:
            gEventPictureNumber = 10;
            gPictureLoaded = 0;
            sayStep(77, 13, 54, 0);
            break;
        case 62:
            changeMap(1, 9, 42, 1);
            f[flag::kRoute1SixthFloor] = 2;
            f[flag::kEpisode7Route1] = 1;
            f[flag::kBankHallBroken] = 0;
            break;
        default:
            if ((s >= 1 && s <= 22) || (s >= 24 && s <= 37) || (s >= 48 && s <= 61)) sayStep(77, 13, s, 0);
            else runChapterEndOffer(s, 42, 108, "エピソード７　完");
            break;
    }
}

// The officers' trap is watched from afar: the party on the left and the
// three officers closing in from the right stand in one picture throughout.
constexpr float kTrapViewRow = 26.5f;
constexpr float kTrapViewCol = 4.5f;

void runOfficersTrap() {
    const int s = gEventStep;
    if (f[kOfficersTrap] == 0) {
        switch (s) {
            case 0: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
            case 1: case 2: case 3: sayStep(77, 1, s, 0); break;
            case 4:
                changeMap(77, 10, 11, 0);
                gPlayerVisible = 0;
                f[kOfficersTrap] = 1;
                break;
            default: break;
        }
        return;
    }
    if (f[kOfficersTrap] != 1) {
        endEvent();
        return;
    }
    switch (s) {
        case 1: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 2: walk(kClaberTwo, 6, 48); break;
        case 5:
            walk(kSherylTwo, 6, 48);
            walk(kRyuhiTwo, 6, 48);
            break;
        case 3: case 6: case 10: case 28: case 31: waitWalk(); break;
        case 7: lookAtPoint(kTrapViewRow, 2.5f, kTrapViewCol, 10); break;
        case 8: case 35: break;  // silent: the camera settles; the officers close in
        case 9: walk(kSunraysFigure, 1, 40); break;
        case 17: playSoundEffect("Zoku_5_0.wav"); break;
        case 18: changeMusic("【バトル】九死に見えるもの.mid"); break;
        case 19:
            walk(kSherylTwo, 4, 5, 0, 12);
            walk(kRyuhiTwo, 4, 13);
            walk(kClaberTwo, 6, 5);
            lookAtPoint(kTrapViewRow, 2.5f, kTrapViewCol, 10);
            // The floor gives way under the party.
            for (int r = 16; r <= 21; ++r)
                for (int c = 2; c <= 28; ++c) gMapCells[r][c].height = 0.5f;
            break;
        case 20:
            waitWalk();
            face(kSherylTwo, 0);
            face(kClaberTwo, 1);
            face(kRyuhiTwo, 0);
            break;
        case 24:
            face(kClaberTwo, 0);
            sayStep(77, 1, 24, 0);
            break;
        case 25: lookAtPoint(kTrapViewRow, 2.5f, kTrapViewCol, 0); break;
        case 27: walk(kRitratTwo, 1, 56); break;
        case 30: walk(kJectorTwo, 1, 64); break;
        case 36:
            f[flag::kBattle57Stage] = 0;
            changeMap(77, 25, 15, 2);
            startBattle(57, gSavedBattleBackground, gBattleBackground);
            pose(kSunraysFigure, 4);
            pose(kJectorTwo, 4);
            pose(kRitratTwo, 4);
            gFieldTintActive = 1;
            break;
        case 37: {
            static const int kFighters[3] = {1, 4, 5};
            for (int i = 0; i < 3; ++i) {
                gParty[i] = kFighters[i];
                if (gPartyMembers[kFighters[i]].hp == 0) gPartyMembers[kFighters[i]].hp = 1;
            }
            break;
        }
        case 38:
            changeMap(77, 16, 16, 1);
            f[kOfficersTrap] = 2;
            break;
        default:
            if (s == 4 || (s >= 11 && s <= 16) || (s >= 21 && s <= 23) || s == 26 || s == 29 || (s >= 32 && s <= 34))
                sayStep(77, 1, s, 0);
            break;
    }
}

void runStonesReturned() {
    const int s = gEventStep;
    if (f[kOfficersTrap] != 2) {
        endEvent();
        return;
    }
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 1: case 2: case 3: {
            // Who speaks follows how the fight went: how many stages were lost.
            const int stage = f[flag::kBattle57Stage];
            if (stage <= 2) {
                char key[24];
                std::snprintf(key, sizeof key, "77.7.%d.%d", s, stage);
                say(key, 3);
            }
            break;
        }
        case 5:
            showMarkerBeside(1, 9, -1.0f);
            showMarkerBeside(2, 10, -1.0f);
            showMarkerBeside(3, 11, -1.0f);
            showMarkerBeside(4, 11, -1.0f, -1.0f);
            for (int k = 1; k <= 4; ++k) gStoneFlags[k] = 1;
            break;
        case 9: walk(kClaberAfter, 6, 8); break;
        case 10: waitWalk(); break;
        case 14:
            face(kClaberAfter, 1);
            sayStep(77, 7, 14, 3);
            break;
        case 15:
            changeMap(77, 25, 15, 1);
            for (int k = 1; k <= 4; ++k) gFieldMarkers[k].present = 0;
            gPlayerVisible = 1;
            f[kOfficersTrap] = 3;
            break;
        default:
            if (s == 4 || (s >= 6 && s <= 8) || (s >= 11 && s <= 13)) sayStep(77, 7, s, 3);
            break;
    }
}

// ---- Seventh to nineteenth floor (maps 78-90) ----

struct SlotValue {
    int slot;
    int value;
};
struct TowerChest {
    int slot, number, contents, amount;
};
struct UpperFloor {
    SlotValue doors[2];     // slot: shaft; slot -1 ends
    SlotValue levers[3];    // slot: gate switch flag
    TowerChest chests[6];   // slot -1 ends
    int firstGuard, lastGuard;  // -1: none
};

constexpr int kMoney = 1000;
constexpr int kCard = 3000;

constexpr UpperFloor kUpperFloors[13] = {
    // 78, 7F
    {{{0, 1}, {1, 2}}, {{-1, 0}}, {{2, 65, kMoney, 30000}, {3, 66, 143, 1}, {4, 67, 156, 1}, {-1, 0, 0, 0}}, 5, 14},
    // 79, 8F
    {{{0, 1}, {1, 2}}, {{2, 900}, {-1, 0}}, {{3, 68, 157, 1}, {4, 69, 146, 1}, {-1, 0, 0, 0}}, 5, 14},
    // 80, 9F
    {{{0, 1}, {1, 2}}, {{2, 901}, {-1, 0}}, {{3, 70, 14, 1}, {-1, 0, 0, 0}}, 4, 13},
    // 81, 10F
    {{{0, 1}, {1, 2}}, {{2, 900}, {-1, 0}}, {{3, 71, 158, 1}, {-1, 0, 0, 0}}, 4, 13},
    // 82, 11F
    {{{0, 1}, {1, 2}}, {{-1, 0}}, {{2, 72, 161, 1}, {-1, 0, 0, 0}}, 3, 12},
    // 83, 12F
    {{{0, 1}, {1, 2}}, {{2, 900}, {3, 902}, {4, 901}}, {{5, 73, kMoney, 20000}, {-1, 0, 0, 0}}, 6, 15},
    // 84, 13F
    {{{0, 1}, {1, 2}}, {{-1, 0}}, {{2, 74, 119, 1}, {3, 75, 112, 1}, {4, 76, 125, 1}, {-1, 0, 0, 0}}, 5, 14},
    // 85, 14F
    {{{0, 1}, {1, 2}},
     {{2, 902}, {-1, 0}},
     {{3, 77, 71, 1}, {4, 78, 97, 1}, {5, 79, 156, 1}, {6, 80, 174, 1}, {-1, 0, 0, 0}},
     7,
     16},
    // 86, 15F
    {{{0, 3}, {-1, 0}}, {{-1, 0}}, {{1, 81, 119, 1}, {2, 82, 159, 1}, {-1, 0, 0, 0}}, -1, -1},
    // 87, 16F
    {{{0, 3}, {-1, 0}},
     {{-1, 0}},
     {{1, 83, 158, 1}, {2, 84, 159, 1}, {3, 85, 135, 1}, {4, 86, 143, 1}, {5, 87, 59, 1}, {-1, 0, 0, 0}},
     6,
     15},
    // 88, 17F
    {{{0, 3}, {-1, 0}}, {{-1, 0}}, {{1, 88, 156, 1}, {2, 89, 146, 1}, {13, 171, kCard, 71}, {-1, 0, 0, 0}}, 3, 12},
    // 89, 18F
    {{{0, 3}, {-1, 0}},
     {{1, 900}, {2, 901}, {-1, 0}},
     {{3, 90, 155, 1}, {4, 91, 145, 1}, {5, 183, 146, 1}, {6, 93, 157, 1}, {-1, 0, 0, 0}},
     7,
     16},
    // 90, 19F
    {{{0, 3}, {-1, 0}}, {{-1, 0}}, {{1, 94, 144, 1}, {2, 95, 142, 1}, {-1, 0, 0, 0}}, -1, -1},
};

const UpperFloor& upperFloor(int map) { return kUpperFloors[map - 78]; }

// Levers show blue, green or orange by their switch, raised or lowered.
void dressUpperFloor(int map, int entering) {
    const UpperFloor& floor = upperFloor(map);
    for (const SlotValue& d : floor.doors) {
        if (d.slot < 0) break;
        hiddenTrigger(d.slot);
    }
    for (const SlotValue& l : floor.levers) {
        if (l.slot < 0) break;
        dress(l.slot, 1, 1, 41 + (l.value - 900), gStoryFlags[l.value] == 0 ? 7 : 9);
    }
    for (const TowerChest& c : floor.chests) {
        if (c.slot < 0) break;
        chest(c.slot, c.number, c.contents, c.amount);
    }
    if (floor.firstGuard >= 0) upperGuards(floor.firstGuard, floor.lastGuard, entering);
}

int setupUpperFloor(int map, int entering) {
    liftFloorArrival(map, entering);
    updateGateCells(0.25f);
    dressUpperFloor(map, entering);
    return 0;
}

void runLever(int switchFlag) {
    switch (gEventStep) {
        case 1: say("tower.lever", 0); break;
        case 2:
            offerChoice("tower.lever.choice", 2);
            branchOnChoice(3, 4, 0);
            break;
        case 3: f[switchFlag] = static_cast<std::uint8_t>(1 - f[switchFlag]); break;
        case 4: endEvent(); break;
        default: break;
    }
}

// Doors and levers of an upper floor; true when the event was one of them.
bool runUpperFloorObject(int map) {
    const UpperFloor& floor = upperFloor(map);
    const int slot = gFieldEvent - 1;
    for (const SlotValue& d : floor.doors) {
        if (d.slot < 0) break;
        if (d.slot == slot) {
            toLiftCar(d.value);
            return true;
        }
    }
    for (const SlotValue& l : floor.levers) {
        if (l.slot < 0) break;
        if (l.slot == slot) {
            runLever(l.value);
            return true;
        }
    }
    return false;
}

void runUpperFloorEvents(int map) { finishLiftFloorCall(runUpperFloorObject(map)); }

// ---- Fifteenth floor (map 86): the thief master ----

constexpr int kThiefMaster = 3;
constexpr int kClaberAtFifteenth = 5;

// The fifteenth floor's scene: the party and the thief master in one picture.
constexpr float kFifteenthViewRow = 17.0f;
constexpr float kFifteenthViewCol = 11.0f;

void runThiefMaster() {
    const int s = gEventStep;
    const int stage = f[flag::kTowerFifteenth];
    if (stage == 0) {
        changeMap(86, 15, 12, 0);
        gPlayerVisible = 0;
        f[flag::kTowerFifteenth] = 1;
        return;
    }
    if (stage == 1) {
        switch (s) {
            case 0: lookAtCell(kFifteenthViewRow, kFifteenthViewCol, 1); break;  // silent: the party and him
            case 3:
                face(kThiefMaster, 1);
                sayStep(86, 4, 3, 0);
                break;
            case 4: walk(kThiefMaster, 1, 20); break;
            case 5:
                face(kClaberAtFifteenth, 1);
                waitWalk();
                break;
            case 11: startBattle(64, gSavedBattleBackground, gBattleBackground); break;
            case 12:
                cutToCell(kFifteenthViewRow, kFifteenthViewCol);  // back from the battle
                pose(kThiefMaster, 4);
                sayStep(86, 4, 12, 0);
                break;
            case 15:
                changeMap(86, 15, 12, 0);
                gPlayerVisible = 1;
                f[flag::kTowerFifteenth] = 2;
                break;
            default:
                if ((s >= 1 && s <= 2) || (s >= 6 && s <= 10) || (s >= 13 && s <= 14)) sayStep(86, 4, s, 0);
                break;
        }
        return;
    }
    runBodyguardOffer(3, kThiefMasterJoined, "86.4.talk", "86.4.joined");
}

// ---- Twentieth floor (map 91): the flashback and ダクトナーレ ----

constexpr int kSerenFlashback = 1;
constexpr int kDuctnaleFlashback = 2;
constexpr int kSherylLast = 4;
constexpr int kClaberLast = 5;
constexpr int kDuctnale = 8;

void runFlashback() {
    const int s = gEventStep;
    if (f[flag::kTwentiethFlashback] != 0) {
        endEvent();
        return;
    }
    switch (s) {
        case 1: changeMusic("【イベント】クライマックス.mid"); break;
        case 2: walk(kSerenFlashback, 9, 15); break;
        case 3: waitWalk(); break;
        case 5: case 13:
            face(kDuctnaleFlashback, 1);
            sayStep(91, 1, s, 3);
            break;
        case 10:
            face(kDuctnaleFlashback, 0);
            sayStep(91, 1, s, 3);
            break;
        case 7: sayStep(91, 1, 7, 0); break;
        case 14: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 15: case 16: case 17: case 18: sayStep(91, 1, s, 3); break;
        case 19:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 20: pauseEvent(10); break;
        case 21:
            gSlowMusicFade = 0;
            changeMap(90, 15, 23, 1);
            gPlayerVisible = 1;
            break;
        default:
            if (s >= 4 && s <= 12) sayStep(91, 1, s, 3);
            break;
    }
}

void runLastConfrontation() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            f[flag::kBossPhaseA] = 0;
            fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
            break;
        case 1:
            f[flag::kLastSceneBegun] = 1;
            gPlayerVisible = 0;
            cutToCell(12.0f, 11.0f);  // in the dark, to the party by the lift, not the hidden arrival
            break;
        case 2: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 3:
            for (int slot = 4; slot <= 7; ++slot) walk(slot, 9, 10);
            lookAtPoint(12.0f, 2.0f, 12.0f, 10);
            break;
        case 6:
            walk(kSherylLast, 7, 8, 8, 3);
            break;
        case 11: lookAtPoint(14.0f, 2.0f, 11.0f, 0); break;  // the party still by the lift
        case 14:
            walk(kSherylLast, 6, 5, 9, 20);
            break;
        case 18:
            for (int slot = 5; slot <= 7; ++slot) walk(slot, 9, 20);
            lookAtPoint(15.0f, 2.0f, 15.0f, 0);  // on with them, to where the party will face ダクトナーレ
            break;
        case 24: walk(kSherylLast, 6, 5); break;
        case 28: changeMusic("【バトル】遥かなる時の因縁.mid"); break;
        case 29:
            walk(kDuctnale, 4, 5, 1, 13);
            break;
        case 44: walk(kDuctnale, 6, 5); break;
        case 4: case 7: case 15: case 19: case 25: case 30: case 45: case 59: case 79: waitWalk(); break;
        case 49:
            changeMap(91, 15, 15, 2);
            startBattle(65, gSavedBattleBackground, gBattleBackground);
            break;
        case 50:
            cutToCell(17.0f, 12.0f);  // back from the battle: the party and the beaten ダクトナーレ
            requestMusicStop();
            pose(kDuctnale, 4);
            break;
        case 58: walk(kSherylLast, 6, 18); break;
        case 72:
            pose(kDuctnale, 5);
            sayStep(91, 4, 72, 0);
            break;
        case 73: playSoundEffect("Wepon_07.wav"); break;
        case 74:
            pose(kDuctnale, 6);
            pose(kSherylLast, 4);
            pauseEvent(3);
            break;
        case 75: pauseEvent(3); break;
        case 76: pose(kDuctnale, 0); break;
        case 78:
            walk(kClaberLast, 9, 4, 6, 4);
            break;
        case 80: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 83:
            gMusicLock = 1;
            changeMap(2, 40, 25, 1);
            break;
        default:
            if ((s >= 5 && s <= 48) || (s >= 51 && s <= 71) || s == 77 || s == 81 || s == 82) sayStep(91, 4, s, 0);
            break;
    }
}

// ---- The lift car (map 92) ----

struct ShaftStop {
    int firstCursor, lastCursor, row, col;
};
constexpr ShaftStop kShaftStops[4] = {
    {0, 4, 15, 15},
    {6, 13, 6, 15},
    {6, 13, 25, 15},
    {14, 18, 15, 23},
};

void rideToChosenFloor() {
    const int shaft = f[flag::kLiftShaft];
    const int cursor = f[flag::kLiftCarCursor];
    if (shaft < 0 || shaft > 3) return;  // a shaft no door records serves nothing
    const ShaftStop& stop = kShaftStops[shaft];
    if (cursor < stop.firstCursor || cursor > stop.lastCursor) return;
    gFloorPanelShown = 0;
    if (shaft == 3 && cursor == 18 && f[flag::kTwentiethFlashback] == 0) {
        // The first ride to the nineteenth floor goes on up, to the top.
        changeMap(91, 15, 15, 1);
        gPlayerVisible = 0;
        return;
    }
    changeMap(72 + cursor, stop.row, stop.col, 1);
}

void runFloorPanel() {
    if (gEventStep == 0) {
        gFloorPanelShown = 1;
        gInputCode = 0;
        f[flag::kLiftCarCursor] = 0;
        return;
    }
    const bool fiveFloors = f[flag::kRoute] == 1;
    const bool fourColumns = f[flag::kRoute] == 2;
    int cursor = f[flag::kLiftCarCursor];
    switch (gInputCode) {
        case 2:
            ++cursor;
            if (fiveFloors ? cursor == 5 : cursor == 20) cursor = 0;
            break;
        case 8:
            --cursor;
            if (cursor < 0) cursor = fiveFloors ? 4 : 19;
            break;
        case 4:
            if (fourColumns) {
                cursor -= 5;
                if (cursor < 0) cursor += 20;
            }
            break;
        case 6:
            if (fourColumns) {
                cursor += 5;
                if (cursor >= 20) cursor -= 20;
            }
            break;
        default: break;
    }
    f[flag::kLiftCarCursor] = static_cast<std::uint8_t>(cursor);
    const int input = gInputCode;
    gInputCode = 0;
    gEventStep = 0;  // the panel stays on step 1 until a ride starts
    if (input == 10) rideToChosenFloor();
}

}  // namespace

// ---- Ground floor ----

int setupMap72(int entering) {
    // The gates of the upper floors are lowered while anyone is down here.
    f[flag::kGateSwitch0] = 0;
    f[flag::kGateSwitch1] = 0;
    f[flag::kGateSwitch2] = 0;
    liftFloorArrival(72, entering);
    hiddenTrigger(0);
    chest(1, 60, 26, 1);
    if (f[flag::kBankHallBroken] != 0) lowerGuards(2, 11, entering);
    for (int slot = 12; slot <= 16; ++slot) dress(slot, 1, 0, 0, 0);
    chest(17, 169, kCard, 37);
    if (f[flag::kBankHallBroken] != 1) {
        dress(18, 1, 0, 0, 0);
        dress(kExchangeClerk, 3, 1, 31, 0);
        faceOnEntering(kExchangeClerk, 0, entering);
        dress(20, 3, 1, 31, 0);
        faceOnEntering(20, 1, entering);
        dress(21, 0, 1, 31, 0);
        faceOnEntering(21, 1, entering);
        for (int slot = 22; slot <= 30; ++slot) dress(slot, 1, 0, 0, 0);
    }
    return 0;
}

void runMapEvents72() {
    bool handled = true;
    switch (gFieldEvent) {
        case 1: toLiftCar(kLowerShaft); break;
        case 13: case 14: case 15: case 16: case 17: changeMap(1, 9, 42, 1); break;
        case 19: runBankCounter(72, 19, 0, "マルクセングセントラルバンク", setBankHalts, nullptr); break;
        case 20: runExchangeClerk(); break;
        case 21: runLoanClerk(); break;
        case 23: case 24: case 25: case 26: case 27: case 28: case 29: case 30: case 31:
            runHeadquartersBarrier();
            break;
        default: handled = false; break;
    }
    finishLiftFloorCall(handled);
}

// ---- Second to fourth floor ----

int setupMap73(int entering) {
    liftFloorArrival(73, entering);
    hiddenTrigger(0);
    lowerGuards(1, 10, entering);
    return 0;
}

int setupMap74(int entering) {
    liftFloorArrival(74, entering);
    hiddenTrigger(0);
    chest(1, 61, 155, 1);
    lowerGuards(2, 11, entering);
    return 0;
}

int setupMap75(int entering) {
    liftFloorArrival(75, entering);
    hiddenTrigger(0);
    chest(1, 62, 155, 2);
    lowerGuards(2, 11, entering);
    return 0;
}

namespace {
void runLowerFloorEvents() {
    const bool door = gFieldEvent == 1;
    if (door) toLiftCar(kLowerShaft);
    finishLiftFloorCall(door);
}
}  // namespace

void runMapEvents73() { runLowerFloorEvents(); }
void runMapEvents74() { runLowerFloorEvents(); }
void runMapEvents75() { runLowerFloorEvents(); }

// ---- Fifth floor ----

int setupMap76(int entering) {
    liftFloorArrival(76, entering);
    hiddenTrigger(0);
    chest(1, 63, 12, 1);
    chest(2, 64, 143, 1);
    lowerGuards(3, 12, entering);
    if (f[flag::kRoute] == 1 && f[flag::kRoute1SixthFloor] == 0) {
        dress(kRouteOneMerchant, 3, 1, 48, 0);
        faceOnEntering(kRouteOneMerchant, 1, entering);
    }
    chest(14, 170, kCard, 46);
    if (f[flag::kRoute] == 2) {
        dressFigure(kRouteTwoMerchant, f[kMerchantSale] == 1 ? 2 : 3, 1, 48, 0, 0, entering);
        for (int slot = 16; slot <= 24; ++slot) dress(slot, f[kMerchantSale] == 0 ? 1 : 0, 0, 0, 0);
    }
    return 0;
}

void runMapEvents76() {
    bool handled = true;
    switch (gFieldEvent) {
        case 1: toLiftCar(kLowerShaft); break;
        case kRouteOneMerchant + 1: runShopAfterTalk(76, 14, 3, kMerchantShop, kRouteOneGoods, 12); break;
        case kRouteTwoMerchant + 1:
            if (f[kMerchantSale] == 1) runSpecialSale(kSpecialSale);
            else runRouteTwoMerchantTalk();
            break;
        case 17: case 18: case 19: case 20: case 21: case 22: case 23: case 24: case 25:
            changeMap(76, 7, 10, 1);
            f[kMerchantSale] = 1;
            break;
        default: handled = false; break;
    }
    finishLiftFloorCall(handled);
}

// ---- Sixth floor ----

int setupMap77(int entering) {
    if (entering == 1) {
        applyMapArrival(77);
        if (f[flag::kRoute] != 2 && (f[flag::kRoute1SixthFloor] == 1 || f[flag::kRoute1SixthFloor] == 2))
            showMarkerBeside(6, kRitratFigure, 1.0f);
        beginLiftArrival();
    } else {
        checkLiftStart();
    }
    const int trap = f[kOfficersTrap];
    const bool routeTwo = f[flag::kRoute] == 2;
    const bool routeOne = f[flag::kRoute] == 1;
    if (trap >= 2) {
        removeFigure(kSherylTwo);
    } else if (routeTwo) {
        trigger(kSherylTwo, 2);
        if (trap == 1) dressFigure(kSherylTwo, 2, 1, 0, 0, 0, entering);
    }
    static const int kTrapColumns[5] = {3, 4, 12, 13, 14};
    for (int slot = 1; slot <= 5; ++slot) {
        if (trap != 1) removeFigure(slot);
        else if (routeTwo) dressFigure(slot, 0, 1, kTrapColumns[slot - 1], 0, slot <= 2 ? 0 : 1, entering);
    }
    if (trap == 2) {
        dressFigure(kSherylAfter, 2, 1, 0, 0, 0, entering);
        for (int slot = 7; slot <= 11; ++slot)
            dressFigure(slot, 0, 1, kTrapColumns[slot - 7], slot <= 8 ? 0 : 4, slot <= 8 ? 0 : 1, entering);
    }
    const int scene = f[flag::kRoute1SixthFloor];
    if (scene >= 2) {
        removeFigure(kSherylOne);
    } else if (routeOne) {
        trigger(kSherylOne, 2);
        if (scene == 1) dressFigure(kSherylOne, 2, 1, 0, 0, 0, entering);
    }
    static const int kCastColumns[4] = {1, 2, 13, 14};
    const int castSlots[4] = {kFalkFigure, kRimelFigure, kJectorFigure, kRitratFigure};
    for (int i = 0; i < 4; ++i) {
        if (scene != 1) removeFigure(castSlots[i]);
        else if (routeOne) dressFigure(castSlots[i], 0, 1, kCastColumns[i], 0, i <= 1 ? 0 : 1, entering);
    }
    return 0;
}

void runMapEvents77() {
    bool handled = true;
    switch (gFieldEvent) {
        case kSherylTwo + 1: runOfficersTrap(); break;
        case kSherylAfter + 1: runStonesReturned(); break;
        case kSherylOne + 1: runSixthFloorRouteOne(); break;
        default: handled = false; break;
    }
    finishLiftFloorCall(handled);
}

// ---- Seventh to nineteenth floor ----

int setupMap78(int entering) { return setupUpperFloor(78, entering); }
int setupMap79(int entering) { return setupUpperFloor(79, entering); }
int setupMap80(int entering) { return setupUpperFloor(80, entering); }
int setupMap81(int entering) { return setupUpperFloor(81, entering); }
int setupMap82(int entering) { return setupUpperFloor(82, entering); }
int setupMap83(int entering) { return setupUpperFloor(83, entering); }
int setupMap84(int entering) { return setupUpperFloor(84, entering); }
int setupMap85(int entering) { return setupUpperFloor(85, entering); }
int setupMap87(int entering) { return setupUpperFloor(87, entering); }
int setupMap88(int entering) { return setupUpperFloor(88, entering); }
int setupMap89(int entering) { return setupUpperFloor(89, entering); }

void runMapEvents78() { runUpperFloorEvents(78); }
void runMapEvents79() { runUpperFloorEvents(79); }
void runMapEvents80() { runUpperFloorEvents(80); }
void runMapEvents81() { runUpperFloorEvents(81); }
void runMapEvents82() { runUpperFloorEvents(82); }
void runMapEvents83() { runUpperFloorEvents(83); }
void runMapEvents84() { runUpperFloorEvents(84); }
void runMapEvents85() { runUpperFloorEvents(85); }
void runMapEvents87() { runUpperFloorEvents(87); }
void runMapEvents88() { runUpperFloorEvents(88); }
void runMapEvents89() { runUpperFloorEvents(89); }

int setupMap86(int entering) {
    setupUpperFloor(86, entering);
    if (f[flag::kTowerFifteenth] == 2) dressFigure(kThiefMaster, 3, 1, 16, 4, 1, entering);
    else dressFigure(kThiefMaster, 2, 1, 16, 0, 0, entering);
    if (f[flag::kTowerFifteenth] == 1) {
        static const int kPartyColumns[3] = {0, 3, 4};
        for (int i = 0; i < 3; ++i) dressFigure(4 + i, 0, 1, kPartyColumns[i], 0, 0, entering);
    }
    return 0;
}

void runMapEvents86() {
    bool handled = runUpperFloorObject(86);
    if (!handled && gFieldEvent == kThiefMaster + 1) {
        runThiefMaster();
        handled = true;
    }
    finishLiftFloorCall(handled);
}

int setupMap90(int entering) {
    setupUpperFloor(90, entering);
    trigger(3, f[flag::kTwentiethFlashback] == 0 ? 2 : 0);
    return 0;
}

void runMapEvents90() {
    bool handled = runUpperFloorObject(90);
    if (!handled && gFieldEvent == 4) {
        handled = true;
        if (gEventStep == 0) {
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
        } else if (gEventStep >= 1) {
            f[flag::kTwentiethFlashback] = 1;
            gSlowMusicFade = 0;
            endEvent();
        }
    }
    finishLiftFloorCall(handled);
}

// ---- Twentieth floor ----

int setupMap91(int entering) {
    liftFloorArrival(91, entering);
    const bool flashbackSeen = f[flag::kTwentiethFlashback] != 0;
    trigger(0, flashbackSeen ? 0 : 2);
    if (!flashbackSeen) {
        dressFigure(kSerenFlashback, 0, 1, 6, 0, 0, entering);
        dressFigure(kDuctnaleFlashback, 0, 1, 11, 0, 0, entering);
    } else {
        removeFigure(kSerenFlashback);
        removeFigure(kDuctnaleFlashback);
    }
    trigger(3, flashbackSeen ? 2 : 0);
    if (f[flag::kLastSceneBegun] != 0) {
        dressFigure(kSherylLast, 2, 1, 0, 0, 0, entering);
        static const int kPartyColumns[3] = {3, 4, 47};
        for (int i = 0; i < 3; ++i) dressFigure(5 + i, 0, 1, kPartyColumns[i], 0, 0, entering);
    } else {
        for (int slot = 4; slot <= 7; ++slot) removeFigure(slot);
    }
    if (flashbackSeen) {
        dressFigure(kDuctnale, 0, 1, 11, 0, 1, entering);
        dress(9, 0, 1, 6, 4);  // セレン where she fell
        faceOnEntering(9, 0, entering);
    } else {
        removeFigure(kDuctnale);
        removeFigure(9);
    }
    return 0;
}

void runMapEvents91() {
    bool handled = true;
    switch (gFieldEvent) {
        case 1: runFlashback(); break;
        case 4: runLastConfrontation(); break;
        default: handled = false; break;
    }
    finishLiftFloorCall(handled);
}

// ---- The lift car ----

int setupMap92(int entering) {
    if (entering == 1) applyMapArrival(92);
    for (int slot = 0; slot <= 3; ++slot) dress(slot, 1, 0, 0, 0);
    return 0;
}

void runMapEvents92() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: case 4: runFloorPanel(); break;
        default: break;
    }
    ++gEventStep;
}
