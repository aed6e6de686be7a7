// Map 1, the central district of Marksen: the town's people, its shops and
// services, the boat owner, two bodyguards who join here, the exits to the
// other districts and regions, and the story scenes the town sees between
// the episodes (the debt collector, ファルク's return, the talks on the
// terrace, the views of the tower, リュウヒ on the quay, the fight over the
// moonlight stone and the call to the sea base).
#include <cstdio>

#include "engine/Music.h"
#include "engine/Random.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

// The scenes that the event script hands over whole, one step a call; the
// caller advances the step.
void runMap1Event58();
void runMap1Event72();
void runMap1Event83();
void runMap1Event92();

namespace {

// The central district's own flags.
constexpr int kFalkReturn = 55;        // 1 during ファルク's return, 2 after it
constexpr int kRyuhiScene = 64;        // 0, 1 scene due, 2 after it (route 2)
constexpr int kSeaBaseSailed = 79;     // 1 once ファルク's ship has left for the sea base
constexpr int kCollectorShown = 113;   // 1 while the debt collector's figure stands
constexpr int kDebtCollector = 114;    // 0 not armed, 1 waiting at the arch, 2 beaten
constexpr int kMorokoshiJoined = flag::kBodyguard0Joined + 1;
constexpr int kArafosJoined = flag::kBodyguard0Joined + 2;

constexpr int kLoanThatCallsTheCollector = 1000000;

constexpr int kCheryl = 1;  // unit ids
constexpr int kFalk = 2;
constexpr int kClaber = 4;

// Slots of the figures and triggers.
constexpr int kArch = 57;
constexpr int kArafosBodyguard = 58;
constexpr int kQuayTrigger = 70;
constexpr int kTerraceCheryl = 71;
constexpr int kTerraceFalk = 72;
constexpr int kTerraceArafos = 73;
constexpr int kLaneFigure = 74;
constexpr int kReturningCheryl = 75;
constexpr int kMorokoshi = 76;
constexpr int kViewCheryl = 77;
constexpr int kQuayRyuhi = 80;
constexpr int kQuayCheryl = 81;
constexpr int kSelen = 82;
constexpr int kRadon = 83;
constexpr int kRenium = 84;
constexpr int kGateCheryl = 85;
constexpr int kGateClaber = 86;
constexpr int kGateRyuhi = 87;
constexpr int kTowerCheryl = 88;
constexpr int kSeaBaseFalk = 91;

struct Townsperson {
    int slot, column, row, facing;
};
constexpr Townsperson kTownspeople[] = {
    {2, 45, 7, 0},  {5, 45, 7, 0},  {15, 45, 7, 0}, {24, 45, 7, 0}, {27, 45, 7, 0}, {51, 45, 7, 0},
    {68, 45, 7, 0}, {0, 45, 7, 1},  {66, 45, 7, 1}, {13, 45, 8, 0}, {55, 45, 8, 0}, {64, 45, 8, 0},
    {4, 45, 8, 1},  {48, 45, 8, 1}, {61, 45, 8, 1}, {67, 45, 8, 1}, {11, 45, 9, 0}, {39, 45, 9, 0},
    {47, 45, 9, 0}, {50, 45, 9, 0}, {54, 45, 9, 0}, {56, 45, 9, 0}, {38, 45, 9, 1}, {49, 45, 9, 1},
    {63, 45, 9, 1}, {6, 46, 7, 0},  {9, 46, 7, 0},  {10, 46, 7, 0}, {22, 46, 7, 0}, {65, 46, 7, 0},
    {69, 46, 7, 0}, {23, 46, 7, 1}, {28, 46, 7, 1}, {60, 46, 7, 1}, {1, 46, 8, 1},  {21, 46, 8, 1},
    {29, 46, 9, 0}, {33, 46, 9, 1}, {36, 46, 9, 1}, {37, 47, 8, 0}, {53, 47, 8, 1}, {3, 47, 9, 0},
    {7, 47, 9, 0},  {34, 47, 9, 0}, {35, 47, 9, 0}, {12, 47, 9, 1}, {25, 47, 9, 1}, {52, 47, 9, 1},
    {8, 48, 7, 0},  {26, 48, 8, 1},
};

// Weapon shop, item shop, service centre, bar; they face the shop street.
constexpr Townsperson kCounterKeepers[] = {{92, 48, 8, 1}, {93, 45, 8, 1}, {94, 40, 7, 1}, {95, 46, 9, 1}};

const int kWeaponGoods[20] = {2, 47, 72, 73, 74, 100, 101, 102, 0};
const int kItemGoods[20] = {130, 131, 132, 133, 134, 136, 137, 138, 147, 149, 154, 0};
const int kMorokoshiGoods[20] = {130, 131, 132, 133, 160, 100, 101, 3, 20, 75, 76, 77, 102, 0};

const float kTowerViewGlide[3] = {-20.0f, 20.0f, -5.0f};
const float kNorthGateSquare[3] = {31.0f, 1.5f, 42.0f};

// "1.<event>.<branch>.<step>": the lines of a scene with more than one course.
void sayBranch(int event, const char* branch, int step, int pause) {
    char key[40];
    std::snprintf(key, sizeof key, "1.%d.%s.%d", event, branch, step);
    say(key, pause);
}

bool between(int s, int first, int last) { return s >= first && s <= last; }

}  // namespace

int setupMap1(int entering) {
    std::uint8_t* f = gStoryFlags;
    if (entering == 1) {
        applyMapArrival(1);
        // Every arrival with a loan of a million or more may bring him back.
        if (gLoan >= kLoanThatCallsTheCollector && f[kDebtCollector] == 0 && randomThousand() % 2 == 0)
            f[kDebtCollector] = 1;
    }
    for (const Townsperson& p : kTownspeople) dressFigure(p.slot, 3, 1, p.column, p.row, p.facing, entering);
    dressFigure(14, 1, 1, 46, 7, 0, entering);
    for (int slot : {16, 17, 18, 19, 30, 31, 32, 40, 41, 42, 44, 45, 46, 62}) dress(slot, 1, 0, 0, 0);
    // The keepers at the counter windows: figures only, in the counters'
    // cells, so the player sees whom a counter's talk comes from.
    for (const Townsperson& k : kCounterKeepers) dressFigure(k.slot, 0, 1, k.column, k.row, k.facing, entering);
    dressFigure(20, 1, 1, 31, 0, 0, entering);
    dressFigure(43, 1, 1, 32, 0, 0, entering);

    if ((f[flag::kSlumFarewell] == 2 && f[kFalkReturn] == 0) || f[kDebtCollector] == 1) dress(kArch, 1, 0, 0, 0);
    if (f[flag::kRusanaRescue] == 3) dressFigure(kArafosBodyguard, 3, 1, 47, 0, 1, entering);
    if (f[kRyuhiScene] == 0 && f[flag::kRoute] == 2) dress(kQuayTrigger, 1, 0, 0, 0);

    const int plot = f[flag::kMainPlot];
    if (plot == 1 || plot == 4) dressFigure(kTerraceCheryl, 2, 1, 0, 0, 1, entering);
    else removeFigure(kTerraceCheryl);
    if (f[flag::kRoute] != 0) {
        removeFigure(kTerraceFalk);
        removeFigure(kTerraceArafos);
        removeFigure(kMorokoshi);
    } else {
        if (plot >= 1) {
            dressFigure(kTerraceFalk, 3, 1, 1, 0, 0, entering);
            dressFigure(kTerraceArafos, 3, 1, 47, 0, 1, entering);
        }
        if (plot >= 2) dressFigure(kMorokoshi, 3, 1, 48, 0, 1, entering);
    }
    if (f[kFalkReturn] == 1) dressFigure(kLaneFigure, 0, 1, 1, 0, 0, entering);
    else if (f[kCollectorShown] == 1) dressFigure(kLaneFigure, 0, 1, 35, 0, 0, entering);
    if (plot == 2) dressFigure(kReturningCheryl, 2, 1, 0, 0, 1, entering);

    if (f[flag::kTowerViewRoute1] == 0 && f[flag::kRoute] == 1) {
        dressFigure(kViewCheryl, 2, 1, 0, 0, 1, entering);
        dressFigure(kViewCheryl + 1, 0, 1, 1, 0, 1, entering);
        dressFigure(kViewCheryl + 2, 0, 1, 2, 0, 1, entering);
    } else if (f[flag::kRusanaRescue] != 0 && f[flag::kTowerViewRoute2] == 0 && f[flag::kRoute] == 2) {
        dressFigure(kViewCheryl, 2, 1, 0, 0, 1, entering);
        dressFigure(kViewCheryl + 1, 0, 1, 3, 0, 1, entering);
        dressFigure(kViewCheryl + 2, 0, 1, 4, 0, 1, entering);
    }
    if (f[kRyuhiScene] != 2 && f[flag::kRoute] == 2) dressFigure(kQuayRyuhi, 1, 1, 4, 0, 1, entering);
    if (f[kRyuhiScene] == 1 && f[flag::kRoute] == 2) dressFigure(kQuayCheryl, 2, 1, 0, 0, 0, entering);
    if (f[flag::kReturnAfterCastle] == 1) {
        dressFigure(kSelen, 2, 1, 6, 0, 0, entering);
        const int columns[5] = {9, 10, 0, 3, 4};
        for (int i = 0; i < 5; ++i) dressFigure(kRadon + i, 0, 1, columns[i], 0, 1, entering);
    }
    if (f[flag::kEpisode7Route1] == 1) {
        dressFigure(kTowerCheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kTowerCheryl + 1, 0, 1, 1, 0, 1, entering);
        dressFigure(kTowerCheryl + 2, 0, 1, 2, 0, 1, entering);
    }
    if (f[flag::kDemonRealmDepths] != 0 && f[flag::kRoute] == 1 && f[kSeaBaseSailed] == 0)
        dressFigure(kSeaBaseFalk, 3, 1, 1, 0, 1, entering);
    return 0;
}

// ---- The scenes handed over whole ----

// The arch on the lane from the sea district: ファルク catches シェリル on her
// way back, or the debt collector comes for the loan.
void runMap1Event58() {
    const int s = gEventStep;
    std::uint8_t* f = gStoryFlags;
    // Watched from up the street, past the houses' corner: from the arch's
    // own cell the houses beside the lane hide シェリル and who comes up it.
    if (s == 1) lookAtCell(24.0f, 5.0f, 3);
    if (f[flag::kSlumFarewell] == 2 && f[kFalkReturn] != 2) {
        switch (s) {
            case 1:
                requestMusicStop();
                f[kFalkReturn] = 1;
                break;
            case 2: case 3: case 7: case 9: case 10: sayStep(1, 58, s, 0); break;
            case 4: walk(kLaneFigure, 9, 24, 6, 4); break;
            case 5: waitWalk(); break;
            case 6: changeMusic("【テーマ】ファルク.mid"); break;
            case 8:
                gPlayerFacing = 1;
                sayStep(1, 58, s, 0);
                break;
            case 11:
                changeMap(1, 35, 22, 1);
                f[kFalkReturn] = 2;
                f[flag::kMainPlot] = 1;
                gPlayerVisible = 0;
                break;
            default: break;
        }
        return;
    }
    switch (s) {
        case 1:
            requestMusicStop();
            f[kCollectorShown] = 1;
            break;
        case 2: walk(kLaneFigure, 9, 24, 6, 4); break;
        case 3: waitWalk(); break;
        case 4: case 8: case 10: case 12: case 14: sayBranch(58, "debt", s, 0); break;
        case 5: {
            gPlayerFacing = 1;
            gMoneyWindow = 2;
            char demand[64];
            std::snprintf(demand, sizeof demand, "%ldフォッグ、返してもらうぞ。", static_cast<long>(gLoan));
            setMessagePortrait(0, 0, 0);
            setMessage("取立て屋", demand, "返さないっつーんなら、分かってんだろうな？", "");
            showMessage(0);
            break;
        }
        case 6:
            offerChoice("1.58.debt.6", 2);
            branchOnChoice(7, 13, 0);
            break;
        case 7: {
            playSoundEffect("Kaikei.wav");
            int& balance = gMoney[0];
            if (gLoan <= balance) {
                balance -= gLoan;
                gLoan = 0;
                gEventStep = 9;
            } else {
                const int paid = balance > 0 ? (balance / 100) * 100 : 0;
                gLoan -= paid;
                balance -= paid;
                gEventStep = gLoan < kLoanThatCallsTheCollector ? 7 : 11;
            }
            break;
        }
        case 9: case 11:
            gMoneyWindow = 0;
            changeMap(1, 14, 27, 1);
            f[kCollectorShown] = 0;
            f[kDebtCollector] = 0;
            break;
        case 13:
            gMoneyWindow = 0;
            sayBranch(58, "debt", s, 0);
            break;
        case 15: startBattle(86, gSavedBattleBackground, gBattleBackground); break;
        case 16:
            cutToCell(24.0f, 5.0f);  // back from the battle, to the lane
            f[kCollectorShown] = 0;
            gLoan = 0;
            sayBranch(58, "debt", s, 0);
            break;
        case 17:
            gMoneyWindow = 0;
            changeMap(1, 14, 27, 1);
            f[kDebtCollector] = 2;
            break;
        default: break;
    }
}

namespace {

// On the terrace: ファルク tells シェリル that リメル has been taken.
void runRestaurantTalk() {
    const int s = gEventStep;
    switch (s) {
        case 12: requestMusicStop(); break;
        case 14: changeMusic("【テーマ】ファルク.mid"); break;
        case 30: face(kTerraceCheryl, 0); sayStep(1, 72, s, 0); break;
        case 38: walk(kTerraceCheryl, 4, 32, 7, 12); break;
        case 39: waitWalk(); break;
        case 40: face(kTerraceFalk, 1); sayStep(1, 72, s, 0); break;
        case 44: face(kTerraceFalk, 0); sayStep(1, 72, s, 0); break;
        case 47: changeMap(17, 38, 27, 1); break;
        default:
            if (between(s, 1, 46)) sayStep(1, 72, s, 0);
            break;
    }
}

// After the army base: the way to the Skin Empire, and ファルク joins.
void runBriefing() {
    const int s = gEventStep;
    switch (s) {
        case 0: sayBranch(72, "brief", s, 1); break;
        case 1: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 15: face(kTerraceCheryl, 0); sayBranch(72, "brief", s, 0); break;
        case 18: face(kTerraceCheryl, 1); sayBranch(72, "brief", s, 0); break;
        case 19: case 20: case 21: case 22: runStillPicture(s, 19, 2, 5); break;
        case 23:
            gParty[1] = kFalk;
            gParty[2] = 0;
            joinAtLevel(kFalk, (gPartyMembers[kCheryl].level + gPartyMembers[kClaber].level) / 2);
            clearStones(kClaber);
            restAndAdvanceDay();
            endEvent();
            gMusicLock = 0;
            changeMap(1, 35, 22, 1);
            gPlayerVisible = 1;
            gStoryFlags[flag::kMainPlot] = 5;
            break;
        default:
            if (between(s, 2, 17)) sayBranch(72, "brief", s, 0);
            break;
    }
}

}  // namespace

void runMap1Event72() {
    if (gStoryFlags[flag::kMainPlot] == 1) runRestaurantTalk();
    else runBriefing();
}

// The north gate square: ラドン and レニウム show their colours and want
// セレン's moonlight stone; the party steps in.
void runMap1Event83() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            gCameraGlide = 30;
            setCameraTarget(0, kNorthGateSquare);
            break;
        case 8: walk(kRenium, 4, 8); break;
        case 11:
            walk(kGateCheryl, 4, 24);
            walk(kGateClaber, 4, 28);
            walk(kGateRyuhi, 4, 24);
            break;
        case 13: changeMusic("【バトル】軍事パレード.mid"); break;
        case 15:
            face(kRadon, 0);
            face(kRenium, 0);
            sayStep(1, 83, s, 3);
            break;
        case 25:
            changeMap(0, 31, 42, 2);
            startBattle(72, gSavedBattleBackground, gBattleBackground);
            break;
        case 26:
            pose(kRadon, 4);
            pose(kRenium, 4);
            sayStep(1, 83, s, 3);
            break;
        case 29: walk(kGateCheryl, 4, 4); break;
        case 32: walk(kSelen, 6, 8); break;
        case 46: walk(kGateRyuhi, 1, 3, 4, 4); break;
        case 49:
            face(kGateCheryl, 0);
            face(kGateClaber, 0);
            sayStep(1, 83, s, 3);
            break;
        case 53: case 62: sayStep(1, 83, s, 5); break;
        case 55:
            walk(kGateCheryl, 6, 12, 9, 40, 6, 20);
            walk(kGateClaber, 0, 40, 6, 4, 9, 8);
            walk(kGateRyuhi, 9, 20, 6, 20);
            break;
        case 59: face(kGateClaber, 1); sayStep(1, 83, s, 3); break;
        case 63: walk(kGateClaber, 9, 8, 6, 16); break;
        case 65: case 69: pauseEvent(3); break;
        case 66: walk(kSelen, 4, 8); break;
        case 9: case 12: case 30: case 33: case 47: case 56: case 64: case 67: waitWalk(); break;
        case 70: {
            std::uint8_t* f = gStoryFlags;
            changeMap(71, 17, 5, 0);
            f[flag::kReturnAfterCastle] = 2;
            f[flag::kColerupicEmptied] = 1;
            f[flag::kColerupicDeserted] = 1;
            gPlayerVisible = 1;
            break;
        }
        default:
            if (between(s, 1, 7) || s == 10 || between(s, 14, 24) || s == 27 || s == 28 || s == 31 ||
                between(s, 34, 45) || between(s, 48, 54) || between(s, 57, 62) || s == 68)
                sayStep(1, 83, s, 3);
            break;
    }
}

// By the pier: ファルク has a ship for the sea base.
void runMap1Event92() {
    switch (gEventStep) {
        case 1: case 3: case 5: sayStep(1, 92, gEventStep, 0); break;
        case 2:
            offerChoice("1.92.2", 2);
            branchOnChoice(3, 5, 0);
            break;
        case 4: endEvent(); break;
        case 6:
            changeMap(120, 39, 47, 1);
            gStoryFlags[kSeaBaseSailed] = 1;
            gPlayerVisible = 0;
            break;
        default: break;
    }
}

namespace {

// シェリル comes back from the Slan plain; ファルク tells who リメル is.
void runCherylReturns() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(1, 76, s, 0); break;
        case 2: walk(kReturningCheryl, 6, 32); break;
        case 3: waitWalk(); break;
        case 4: break;  // silent: シェリル stands before the table
        case 5: face(kTerraceFalk, 1); sayStep(1, 76, s, 0); break;
        case 8: face(kTerraceFalk, 0); sayStep(1, 76, s, 0); break;
        case 14: face(kTerraceFalk, 1); sayStep(1, 76, s, 0); break;
        case 31: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 32: changeMap(11, 15, 14, 1); break;
        default:
            if (between(s, 6, 30)) sayStep(1, 76, s, 0);
            break;
    }
}

// The Central Tolm seen from the north gate square, on either route.
void runTowerView() {
    const int s = gEventStep;
    std::uint8_t* f = gStoryFlags;
    if (f[flag::kRoute] == 1) {
        switch (s) {
            case 0: case 2: case 3: sayBranch(78, "r1", s, 0); break;
            case 1:
                gCameraGlide = 50;
                setCameraTarget(1, kTowerViewGlide);
                break;
            case 4: case 5: case 6: runStillPicture(s, 4, 7, 0); break;
            case 7:
                changeMap(1, 38, 48, 1);
                f[flag::kTowerViewRoute1] = 1;
                gPlayerVisible = 1;
                break;
            default: break;
        }
        return;
    }
    switch (s) {
        case 0: case 3: case 4: sayBranch(78, "r2", s, 0); break;
        case 1:
            gCameraGlide = 50;
            setCameraTarget(1, kTowerViewGlide);
            break;
        case 5: case 6: case 7: runStillPicture(s, 5, 11, 0); break;
        case 8:
            changeMap(1, 38, 48, 1);
            f[flag::kTowerViewRoute2] = 1;
            gPlayerVisible = 1;
            break;
        default: break;
    }
}

// On the quay: リュウヒ waits for his master; シェリル takes him along.
void runRyuhiOnTheQuay() {
    const int s = gEventStep;
    switch (s) {
        case 13: sayStep(1, 82, s, 3); break;
        case 17: walk(kQuayCheryl, 1, 16, 6, 4); break;
        case 24: walk(kQuayCheryl, 6, 8); break;
        case 26: face(kQuayRyuhi, 0); sayStep(1, 82, s, 0); break;
        case 27: walk(kQuayRyuhi, 1, 16, 6, 4); break;
        case 18: case 25: case 28: waitWalk(); break;
        case 29: face(kQuayCheryl, 1); sayStep(1, 82, s, 0); break;
        case 30:
            changeMap(120, 39, 47, 1);
            gStoryFlags[kRyuhiScene] = 2;
            gPlayerVisible = 0;
            break;
        default:
            if (between(s, 2, 23)) sayStep(1, 82, s, 0);
            break;
    }
}

// Before the tower: three stones are left; on to コールルピック.
void runThreeStones() {
    const int s = gEventStep;
    std::uint8_t* f = gStoryFlags;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 1: case 2: sayStep(1, 89, s, 0); break;
        case 3:
            changeMap(1, 9, 42, 1);
            f[flag::kEpisode7Route1] = 2;
            f[flag::kColerupicEmptied] = 1;
            f[flag::kColerupicDeserted] = 1;
            gPlayerVisible = 1;
            break;
        default: break;
    }
}

// A talk with a choice: step 1 the question, step 2 the answer picked,
// then the lines of each answer and the end.
void runChoiceTalk(int event, int yesLast, int noLast) {
    const int s = gEventStep;
    if (s == 1) {
        sayStep(1, event, s, 0);
    } else if (s == 2) {
        char key[24];
        std::snprintf(key, sizeof key, "1.%d.2", event);
        offerChoice(key, 2);
        branchOnChoice(3, yesLast + 2, 0);
    } else if (between(s, 3, yesLast) || between(s, yesLast + 2, noLast)) {
        sayStep(1, event, s, 0);
    } else if (s == yesLast + 1 || s == noLast + 1) {
        endEvent();
    }
}

void runBoatOwner() {
    const int s = gEventStep;
    const std::uint8_t* f = gStoryFlags;
    switch (s) {
        case 1: sayStep(1, 29, 1, 0); break;
        case 2:
            if (f[flag::kRoute] == 1 && f[kSeaBaseSailed] == 1) {
                offerChoice("1.29.sea", 2);
                branchOnChoice(3, 5, 0);
            } else if (f[flag::kRoute] == 2 && f[kRyuhiScene] == 2) {
                offerChoice("1.29.ruleno", 2);
                branchOnChoice(3, 4, 0);
            } else {
                sayStep(1, 29, 2, 0);  // nowhere to go yet
            }
            break;
        case 3: endEvent(); break;
        case 4: changeMap(93, 28, 12, 1); break;
        case 5: changeMap(105, 26, 5, 0); break;
        default: break;
    }
}

void runMorokoshi() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(1, 77, s, 0); break;
        case 2: openShop("もろこし屋－マルクセング", kMorokoshiGoods, 7); break;
        case 3: case 4: case 5:
            if (s == 3 && gStoryFlags[kMorokoshiJoined] == 1) endEvent();
            else sayStep(1, 77, s, 0);
            break;
        case 6: hireBodyguard(1); break;
        case 7: sayStep(1, 77, s, 3); break;
        case 8:
            endEvent();
            gStoryFlags[kMorokoshiJoined] = 1;
            break;
        default: break;
    }
}

void runArafosJoins() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(1, 59, s, 0); break;
        case 2:
            if (gStoryFlags[kArafosJoined] == 1) endEvent();
            break;
        case 3: hireBodyguard(2); break;
        case 4: sayStep(1, 59, s, 3); break;
        case 5:
            endEvent();
            gStoryFlags[kArafosJoined] = 1;
            break;
        default: break;
    }
}

// A closed way: シェリル has no business there yet.
void runRefusal() { runTalk("1.17.1"); }

}  // namespace

void runMapEvents1() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    switch (event) {
        // Talks of one message, and the longer ones.
        case 3: case 4: case 5: case 6: case 7: case 8: case 9: case 12: case 13: case 14: case 15:
        case 24: case 26: case 27: case 28: case 30: case 34: case 35: case 36: case 37: case 38: case 39: case 40:
        case 48: case 49: case 50: case 51: case 52: case 53: case 54: case 55: case 56: case 57:
        case 61: case 64: case 65: case 66: case 67: case 68: case 69:
            runTalk(1, event);
            break;
        case 21: case 44: runTalk(1, event); break;  // the soldiers at the army base's gate
        case 10: runTalk(1, event, 2); break;
        case 11: runTalk(1, event, 2); break;
        case 25: runTalk(1, event, 3); break;
        case 70: runTalk(1, event, 4); break;
        case 16: runChoiceTalk(16, 3, 5); break;
        case 23: runChoiceTalk(23, 3, 6); break;
        // Shops and services.
        case 45: runShopCounter(1, 45, 0, "武具屋－ゲーリフェントス", kWeaponGoods, 0); break;
        case 63: runShopCounter(1, 63, 0, "道具屋－アイテムストアペガサス", kItemGoods, 0); break;
        case 46: case 47:
            if (gEventStep == 0) gPlayerFacing = 0;
            else runTalk(1, event);
            break;
        case 29: runBoatOwner(); break;
        case 77: runMorokoshi(); break;
        case 59: runArafosJoins(); break;
        case 73: runTalk(1, 73, 2); break;  // ファルク's hint
        case 74: runTalk(1, 74); break;  // アラフォース's hint
        // Exits.
        case 17: case 18:
            if (f[flag::kMainPlot] == 5) changeMap(f[flag::kCastleTop] == 2 ? 121 : 17, 44, 18, 1);
            else runRefusal();
            break;
        case 19: case 20: changeMap(72, 14, 2, 0); break;
        case 31: case 32: case 33:
            if (f[flag::kColerupicBarMet] != 0) changeMap(71, 17, 5, 0);
            else runRefusal();
            break;
        case 41: case 42: case 43: changeMap(2, 30, 32, 1); break;
        case 71: case 81:
            changeMap(1, 43, 29, 1);
            gStoryFlags[kRyuhiScene] = 1;
            gPlayerVisible = 0;
            break;
        // Story scenes.
        case 58: runMap1Event58(); break;
        case 72: runMap1Event72(); break;
        case 83: runMap1Event83(); break;
        case 92: runMap1Event92(); break;
        case 76:
            if (f[flag::kMainPlot] == 2) runCherylReturns();
            else endEvent();
            break;
        case 78: runTowerView(); break;
        case 82:
            if (f[kRyuhiScene] == 1 && f[flag::kRoute] == 2) runRyuhiOnTheQuay();
            else endEvent();
            break;
        case 89: runThreeStones(); break;
        default: endSilentEvent(); break;  // the balcony people and the scenes' figures have nothing to say
    }
    ++gEventStep;
}
