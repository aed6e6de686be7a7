// Maps 100-104, 魔空間: the corridor the party enters from コールルピック, the
// realm of floating floors that drops the player onward or back, もろこし's
// stand, and the depths where シェリル meets コルヴァディン, wins the eighth
// magical stone and closes chapter 8.
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"
#include "story/StoryState.h"

using namespace story;

namespace {

constexpr int kMerchantWelcome = 33;  // 0 not met, 1 scene due, 2 over

std::uint8_t* const f = gStoryFlags;

// "1 or more" in the depths' rules reads the flag as a signed byte.
int signedFlag(int index) { return static_cast<std::int8_t>(gStoryFlags[index]); }

constexpr const char* kMerchantShop = "もろこし屋－魔空間";

// The realm's creatures: groups 73 to 77 by slot.
void realmGuards(int first, int last, int entering) { enemySymbols(first, last, 73, 5, 50, entering); }

void arrive(int map, int entering) {
    if (entering == 1) applyMapArrival(map);
}

void openMerchantShop(int kind) {
    int goods[20] = {13};
    int n = 1;
    if (f[flag::kRoute] == 1) {
        goods[n++] = 27;
        goods[n++] = 40;
    } else {
        goods[n++] = 54;
        goods[n++] = 66;
    }
    for (int id : {90, 91, 132, 133, 134, 136, 137, 138}) goods[n++] = id;
    openShop(kMerchantShop, goods, kind);
}

// ---- Map 102: where the player stands decides the way on ----

constexpr float kUpperDropFloor = 75.0f;
constexpr float kLowerDropFloor = 50.0f;
constexpr float kLostHeight = 25.0f;

void runDrop(int row, int col) {
    if (gEventStep == 1) {
        f[flag::kDropFromAbove] = 1;
        pauseEvent(5);
    } else if (gEventStep == 2) {
        changeMap(103, row, col, 0);
    }
}

// ---- Map 103: もろこし's stand ----

constexpr int kMerchant = 9;
constexpr int kMerchantTrigger = 10;

void runMerchantWelcome() {
    const int s = gEventStep;
    if (f[kMerchantWelcome] == 0) {
        changeMap(103, 44, 52, 0);
        f[kMerchantWelcome] = 1;
        return;
    }
    if (f[kMerchantWelcome] != 1) {
        endEvent();
        return;
    }
    switch (s) {
        case 0: walk(kMerchant, 1, 2); break;
        case 1: waitWalk(); break;
        case 2: changeMusic("【テーマ】ファーレンス.mid"); break;
        case 8: openMerchantShop(10); break;
        case 11:
            changeMap(103, 44, 52, 0);
            f[kMerchantWelcome] = 2;
            break;
        default:
            if ((s >= 3 && s <= 7) || s == 9 || s == 10) sayStep(103, 11, s, 0);
            break;
    }
}

void runMerchantTalk() {
    switch (gEventStep) {
        case 0: sayStep(103, 10, 0, 0); break;
        case 1: openMerchantShop(14); break;
        case 3: endEvent(); break;
        default: break;
    }
}

// ---- Map 104: the depths ----

constexpr int kSherylFigure = 0;
constexpr int kFirstCompanion = 1;
constexpr int kSecondCompanion = 2;
constexpr int kArafors = 3;
constexpr int kCorvadine = 4;
constexpr int kSherylAfter = 5;
// The cell the depths' scenes are watched from: the party on the left and
// コルヴァディン on the right in one picture, well away from the arrival.
constexpr float kStandoffRow = 45.0f;
constexpr float kStandoffCol = 19.0f;

void faceParty(int facing) {
    for (int slot = kSherylFigure; slot <= kSecondCompanion; ++slot) face(slot, facing);
}

void runConfrontation() {
    const int s = gEventStep;
    if (signedFlag(flag::kDemonRealmDepths) > 1) {
        endEvent();
        return;
    }
    switch (s) {
        case 0:
            walk(kSherylFigure, 9, 40);
            lookAtCell(kStandoffRow, kStandoffCol, 10);  // along with her, to where コルヴァディン waits
            break;
        case 1: case 51: case 78: case 86: case 90: waitWalk(); break;
        case 2: case 103: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 3: f[flag::kDemonRealmDepths] = 1; break;
        case 4: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 5: gEventStep = f[flag::kRoute] == 2 ? 9 : 29; break;
        case 38: case 59:
            face(kSherylFigure, 1);
            sayStep(104, 1, s, 0);
            break;
        case 43: case 61:
            face(kSherylFigure, 0);
            sayStep(104, 1, s, 0);
            break;
        case 52: case 69:
            faceParty(1);
            sayStep(104, 1, s, 0);
            break;
        case 58: case 73:
            faceParty(0);
            sayStep(104, 1, s, 0);
            break;
        case 50: walk(kSherylFigure, 4, 8); break;
        case 77:
            walk(kArafors, 9, 4, 6, 8);
            break;
        case 85: walk(kCorvadine, 1, 4); break;
        case 89:
            walk(kSherylFigure, 6, 6, 9, 4);
            break;
        case 93: startBattle(78, gSavedBattleBackground, gBattleBackground); break;
        case 94:
            cutToCell(kStandoffRow, kStandoffCol);  // back from the battle
            sayStep(104, 1, s, 0);
            break;
        case 98:
            face(kSherylFigure, 1);
            face(kSecondCompanion, 1);
            sayStep(104, 1, s, 0);
            break;
        case 101: {
            gCameraGlide = 50;
            const float lift[3] = {0.0f, 40.0f, -10.0f};
            setCameraTarget(1, lift);
            break;
        }
        case 102: pauseEvent(10); break;
        case 104:
            changeMap(62, 18, 22, 1);
            f[flag::kDemonRealmDepths] = 2;
            break;
        default:
            if ((s >= 10 && s <= 23) || (s >= 30 && s <= 48) || (s >= 53 && s <= 76) || (s >= 79 && s <= 84) ||
                s == 87 || s == 88 || s == 91 || s == 92 || (s >= 94 && s <= 100))
                sayStep(104, 1, s, 0);
            break;
    }
}

void runEighthStone() {
    const int s = gEventStep;
    const bool routeTwo = f[flag::kRoute] == 2;
    switch (s) {
        case 0:
            cutToCell(kStandoffRow, kStandoffCol);  // after battle 78, where the two sides stand
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            break;
        case 4: case 5: break;  // silent: the two measure each other
        case 12: gEventStep = routeTwo ? 19 : 39; break;
        // Route 2: クレイバー strikes the last blow.
        case 20:
            walk(kFirstCompanion, 9, 20, 6, 8);
            break;
        case 21: waitWalk(); break;
        case 22:
            playSoundEffect("Wepon_04_1.wav");
            walk(kFirstCompanion, 6, 12);
            break;
        case 23:
            waitWalk();
            pose(kFirstCompanion, 6);
            break;
        case 24: case 42:
            face(kFirstCompanion, 1);
            pose(kFirstCompanion, 0);
            pose(kCorvadine, 4);
            sayStep(104, 6, s, s == 24 ? 0 : 3);
            break;
        case 25: case 27: sayStep(104, 6, s, 5); break;
        case 26: sayStep(104, 6, s, 1); break;
        case 28: case 46: gEventStep = 49; break;
        // Route 1: ファルク's shot.
        case 40: pose(kFirstCompanion, 6); break;
        case 41: playSoundEffect("Wepon_02.wav"); break;
        case 50:
            gStoneFlags[7] = 1;
            changeMusic("【イベント】魔硝石回収.mid");
            break;
        case 51: {
            const MapObject& o = gMapObjects[kSherylAfter];
            const float at[3] = {o.x, o.y, o.z};
            runStoneAcquisition(at, 7, 0);
            break;
        }
        case 52: requestMusicStop(); break;
        case 60: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 61: showStillPicture(110); break;
        case 62: waitPictureShown(); break;
        case 63: pauseEvent(10); break;
        case 64:
            offerChoice("tower.save", 2);
            branchOnChoice(65, 66, 0);
            break;
        case 65: openSaveScreen("エピソード８　完"); break;
        case 66:
            beginInterlude(routeTwo ? 14 : 11);
            break;
        case 67:
            f[flag::kColerupicDeserted] = 0;
            f[flag::kRusanaRescue] = 1;
            f[flag::kDemonRealmDepths] = 3;
            gEventStep = routeTwo ? 69 : 99;
            break;
        case 85: case 118: changeMap(62, 23, 15, 0); break;
        default:
            if ((s >= 1 && s <= 3) || (s >= 6 && s <= 11) || (s >= 43 && s <= 45) || (s >= 70 && s <= 84) ||
                (s >= 100 && s <= 117))
                sayStep(104, 6, s, 0);
            break;
    }
}

}  // namespace

int setupMap100(int entering) {
    arrive(100, entering);
    dress(0, 1, 0, 0, 0);
    chest(1, 113, 145, 1);
    chest(2, 114, 155, 1);
    chest(3, 120, 123, 1);
    chest(4, 115, 173, 1);
    chest(5, 116, 119, 1);
    realmGuards(6, 21, entering);
    trigger(22, f[flag::kArrivalFadeDue] == 1 ? 2 : 0);
    return 0;
}

void runMapEvents100() {
    switch (gFieldEvent) {
        case 1: changeMap(101, 34, 41, 0); break;
        case 23: runArrivalFadeBack(); break;
        default: endSilentLiftFloorEvent(); break;
    }
    ++gEventStep;
}

int setupMap101(int entering) {
    arrive(101, entering);
    dress(0, 1, 0, 0, 0);
    dress(1, 1, 0, 0, 0);
    realmGuards(2, 13, entering);
    return 0;
}

void runMapEvents101() {
    if (gFieldEvent == 1) changeMap(102, 45, 28, 1);
    else endSilentLiftFloorEvent();  // the second walk-into object leads nowhere
    ++gEventStep;
}

int setupMap102(int entering) {
    arrive(102, entering);
    if (entering == 1) return 0;
    // Falling off the floors returns to the corridor; standing on one of the
    // two sunken floors drops through to the merchant's stand.
    if (gPlayerVSpeed < 0.0f) {
        if (gPlayerPos[1] < kLostHeight) gFieldEvent = 1;
    } else if (gPlayerPos[1] == kUpperDropFloor) {
        gFieldEvent = 2;
    } else if (gPlayerPos[1] == kLowerDropFloor) {
        gFieldEvent = 3;
    }
    return 0;
}

void runMapEvents102() {
    switch (gFieldEvent) {
        case 1: changeMap(101, 34, 41, 0); break;
        case 2: runDrop(15, 45); break;
        case 3: runDrop(44, 18); break;
        default: endSilentLiftFloorEvent(); break;
    }
    ++gEventStep;
}

int setupMap103(int entering) {
    arrive(103, entering);
    for (int slot = 0; slot <= 2; ++slot) dress(slot, 1, 0, 0, 0);
    chest(3, 117, 15, 1);
    chest(4, 118, 118, 1);
    chest(5, 92, 119, 1);
    chest(6, 157, 41, 1);
    chest(7, 181, 55, 1);
    chest(8, 122, 65, 1);
    dressFigure(kMerchant, 3, 1, 48, 0, 1, entering);
    const int welcome = f[kMerchantWelcome];
    dress(kMerchantTrigger, welcome == 0 ? 1 : welcome == 1 ? 2 : 0, 0, 0, 0);
    return 0;
}

void runMapEvents103() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(102, 45, 28, 1); break;
        case 3:
            changeMap(104, 41, 19, 0);
            gPlayerVisible = 0;
            break;
        case kMerchant + 1: runMerchantTalk(); break;
        case kMerchantTrigger + 1: runMerchantWelcome(); break;
        default: endSilentLiftFloorEvent(); break;
    }
    ++gEventStep;
}

int setupMap104(int entering) {
    arrive(104, entering);
    const int depths = signedFlag(flag::kDemonRealmDepths);
    const bool routeOne = f[flag::kRoute] == 1;
    if (depths <= 1) {
        dressFigure(kSherylFigure, 2, 1, 0, 0, 0, entering);
        dressFigure(kArafors, 0, 1, 47, 0, 0, entering);
    }
    if (depths >= 1) {
        dressFigure(kFirstCompanion, 0, 1, routeOne ? 1 : 3, 0, 0, entering);
        dressFigure(kSecondCompanion, 0, 1, routeOne ? 2 : 4, 0, 0, entering);
    }
    dressFigure(kCorvadine, 0, 1, 49, 0, 1, entering);
    if (depths >= 2) {
        dressFigure(kSherylAfter, 2, 1, 0, 0, 0, entering);
        dressFigure(6, 0, 1, 47, 0, 0, entering);
    }
    if (entering == 1 && gMapObjects[kCorvadine].present) {
        const MapObject& o = gMapObjects[kCorvadine];
        gFieldMarkers[7].present = 1;
        gFieldMarkers[7].x = o.x - 1.0f;
        gFieldMarkers[7].y = o.y;
        gFieldMarkers[7].z = o.z;
    }
    return 0;
}

void runMapEvents104() {
    switch (gFieldEvent) {
        case kSherylFigure + 1: runConfrontation(); break;
        case kSherylAfter + 1:
            if (signedFlag(flag::kDemonRealmDepths) >= 2) runEighthStone();
            else endEvent();
            break;
        default: endSilentLiftFloorEvent(); break;
    }
    ++gEventStep;
}
