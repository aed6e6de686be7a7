// The stealth base under the snow of コールルピック: five floors of guards and
// moving platforms (maps 65-69) and サンレイズ's laboratory (map 70), where
// episode 6 ends with the route choice.
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"
#include "story/StoryState.h"

using namespace story;

namespace {

// The base's own flags.
constexpr int kEntranceFight = 28;  // 0 due, 1 fought, 2 over
constexpr int kMerchantMet = 29;    // 0, 1 meeting due, 2 met
constexpr int kLaboratory = 30;     // 0 before, 1 セレン came, 2 after battle 51, 3 episode over
constexpr int kWeaponsPlan = 52;    // 0, 1 due, 2 over
constexpr int kArchive = 53;        // 0, 1 due, 2 over

constexpr const char* kBaseSong = "【チャプター６】ステルスベース.mid";
constexpr int kMoonStoneMarker = 5;

std::uint8_t f(int index) { return gStoryFlags[index]; }

// The base's guards: groups 45 to 49 by slot.
void guards(int first, int last, int entering) { enemySymbols(first, last, 45, 5, 29, entering); }

// Guards stand on the floor of their cell, so one on a platform rides it;
// beaten ones too.
void rideGuards(int first, int last) {
    for (int slot = first; slot <= last; ++slot) {
        MapObject& o = gMapObjects[slot];
        if (!o.present) continue;
        const float at[3] = {o.x, o.y, o.z};
        int cell[3];
        worldToCell(at, cell);
        if (cellInsideGrid(cell[0], cell[2])) o.y = gMapCells[cell[0]][cell[2]].height;
    }
}

// Rows of floor cells on the gate tiles rise to 10.0 and sink to 3.0, a
// group at a time, and turn at the ends; story flags 900-902 hold each
// group's direction (1 up). A turn made by one cell holds for the group's
// later cells in the same walk.
constexpr float kPlatformLow = 3.0f;
constexpr float kPlatformHigh = 10.0f;
constexpr float kPlatformStep = 0.03125f;

void movePlatforms(bool group900, bool group901, bool group902) {
    gCameraSnap = 1;  // the camera follows a rider every frame
    const bool moving[3] = {group900, group901, group902};
    std::uint8_t direction[3] = {gStoryFlags[900], gStoryFlags[901], gStoryFlags[902]};
    for (int r = 0; r < kMapRows; ++r) {
        for (int c = 0; c < kMapColumns; ++c) {
            MapCell& cell = gMapCells[r][c];
            if (cell.floorRow != 3 || cell.floorColumn < 14 || cell.floorColumn > 16) continue;
            const int g = cell.floorColumn - 14;
            if (!moving[g]) continue;
            if (direction[g] == 1) {
                if (cell.height < kPlatformHigh) {
                    cell.height += kPlatformStep;
                } else {
                    cell.height -= kPlatformStep;
                    direction[g] = 0;
                }
            } else {
                if (cell.height > kPlatformLow) {
                    cell.height -= kPlatformStep;
                } else {
                    cell.height += kPlatformStep;
                    direction[g] = 1;
                }
            }
        }
    }
    for (int g = 0; g < 3; ++g)
        if (moving[g]) gStoryFlags[900 + g] = direction[g];
}

// ---- Map 65, B1: the entrance ----

constexpr int kEntranceSoldier = 28;
constexpr int kSecondSoldier = 29;
constexpr int kTintRestore = 30;
constexpr float kEntranceViewRow = 34.0f;
constexpr float kEntranceViewCol = 48.0f;

void runEntranceGuards() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            lookAtCell(kEntranceViewRow, kEntranceViewCol, 1);  // the two soldiers and the party at the stairs
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            break;
        case 1: case 4: sayStep(65, 29, s, 0); break;
        case 2:
            walk(kEntranceSoldier, 9, 20);
            walk(kSecondSoldier, 9, 20);
            break;
        case 3: waitWalk(); break;
        case 5: startBattle(45, gSavedBattleBackground, gBattleBackground); break;
        case 6:
            cutToCell(kEntranceViewRow, kEntranceViewCol);  // back from the battle
            gStoryFlags[kEntranceFight] = 1;
            sayStep(65, 29, 6, 0);
            break;
        case 23: changeMusic(kBaseSong); break;
        case 24:
            gStoryFlags[kEntranceFight] = 2;
            endEvent();
            break;
        default:
            if (s >= 7 && s <= 22) sayStep(65, 29, s, 0);
            break;
    }
}

}  // namespace

int setupMap65(int entering) {
    if (entering == 1) applyMapArrival(65);
    hiddenTriggers(0, 9);
    chest(10, 50, 122, 1);
    chest(11, 51, 1000, 4000);
    guards(12, 27, entering);
    const int fight = f(kEntranceFight);
    if (fight == 0) {
        dressFigure(kEntranceSoldier, 2, 1, 29, 0, 1, entering);
        dressFigure(kSecondSoldier, 0, 1, 30, 0, 1, entering);
    } else {
        MapObject& o = gMapObjects[kEntranceSoldier];
        if (o.present) {
            o.kind = fight == 1 ? 2 : 0;
            o.visible = 0;
        }
        hideFigure(kSecondSoldier);
    }
    trigger(kTintRestore, f(flag::kArrivalFadeDue) == 1 ? 2 : 0);
    return 0;
}

void runMapEvents65() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: case 4: enterColerupic(36, 42, 0); break;
        case 5: case 6: case 7: changeMap(66, 16, 8, 0); break;
        case 8: case 9: case 10: changeMap(66, 44, 19, 1); break;
        case kEntranceSoldier + 1: runEntranceGuards(); break;
        case kTintRestore + 1: runArrivalFadeBack(); break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 66, B2 ----

int setupMap66(int entering) {
    if (entering == 1) {
        applyMapArrival(66);
        gStoryFlags[900] = gStoryFlags[901] = gStoryFlags[902] = 0;
    }
    hiddenTriggers(0, 8);
    chest(9, 52, 84, 1);
    chest(10, 53, 37, 1);
    guards(11, 22, entering);
    chest(23, 166, 3000, 19);
    movePlatforms(true, false, false);
    rideGuards(11, 22);
    return 0;
}

void runMapEvents66() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(65, 48, 46, 0); break;
        case 4: case 5: case 6: changeMap(65, 44, 17, 1); break;
        case 7: case 8: case 9: changeMap(67, 7, 32, 0); break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 67, B3: the weapons plan ----

namespace {

constexpr int kPlanFalk = 27;
constexpr int kPlanRimel = 28;
constexpr int kPlanSheryl = 29;

void runWeaponsPlan() {
    const int s = gEventStep;
    switch (s) {
        case 1: case 4: sayStep(67, 28, s, 0); break;
        case 2: walk(kPlanSheryl, 6, 16, 9, 4); break;
        case 7: walk(kPlanFalk, 6, 10, 9, 12); break;
        case 3: case 8: waitWalk(); break;
        case 5: changeMusic("【イベント】国家平和化機構.mid"); break;
        case 6:
            face(kPlanRimel, 1);
            sayStep(67, 28, s, 0);
            break;
        case 9:
            face(kPlanFalk, 1);
            sayStep(67, 28, s, 0);
            break;
        case 10: case 26:
            face(kPlanRimel, 0);
            sayStep(67, 28, s, 0);
            break;
        case 14: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 17: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 29:
            changeMap(67, 46, 36, 0);
            gStoryFlags[kWeaponsPlan] = 2;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 11 && s <= 13) || s == 15 || s == 16 || (s >= 18 && s <= 28)) sayStep(67, 28, s, 0);
            break;
    }
}

}  // namespace

int setupMap67(int entering) {
    if (entering == 1) applyMapArrival(67);
    // Slot 3 stands in the same stair line as 4 and 5 and leads down too.
    hiddenTriggers(0, 5);
    chest(6, 54, 23, 1);
    chest(7, 55, 155, 1);
    chest(8, 56, 119, 1);
    chest(9, 57, 143, 1);
    guards(10, 23, entering);
    const int plan = f(kWeaponsPlan);
    for (int slot = 24; slot <= 26; ++slot) dress(slot, plan == 0 ? 1 : 0, 0, 0, 0);
    if (plan == 1) {
        dressFigure(kPlanFalk, 2, 1, 1, 0, 0, entering);
        dressFigure(kPlanRimel, 0, 1, 2, 0, 0, entering);
        dressFigure(kPlanSheryl, 0, 1, 0, 0, 0, entering);
    } else {
        hideFigure(kPlanFalk);
        hideFigure(kPlanRimel);
        hideFigure(kPlanSheryl);
    }
    movePlatforms(true, false, true);
    rideGuards(10, 23);
    return 0;
}

void runMapEvents67() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(66, 50, 39, 1); break;
        case 4: case 5: case 6: changeMap(68, 19, 28, 0); break;
        case 25: case 26: case 27:
            gPlayerVisible = 0;
            changeMap(67, 46, 36, 1);
            gStoryFlags[kWeaponsPlan] = 1;
            break;
        case kPlanFalk + 1: runWeaponsPlan(); break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 68, B4: the archive ----

namespace {

constexpr int kArchiveSheryl = 17;
constexpr int kArchiveRimel = 19;

void runArchive() {
    const int s = gEventStep;
    switch (s) {
        case 2: walk(kArchiveRimel, 1, 8); break;
        case 4: case 8: walk(kArchiveRimel, 9, 4); break;
        case 13: walk(kArchiveRimel, 1, 2); break;
        case 3: case 5: case 9: case 14: waitWalk(); break;
        case 6: face(kArchiveRimel, 1); break;
        case 12:
            face(kArchiveRimel, 1);
            sayStep(68, 18, s, 0);
            break;
        case 17: case 20:
            face(kArchiveRimel, 0);
            sayStep(68, 18, s, 0);
            break;
        case 22:
            changeMap(68, 46, 12, 1);
            gStoryFlags[kArchive] = 2;
            gPlayerVisible = 1;
            break;
        default:
            if (s == 1 || s == 7 || s == 10 || s == 11 || s == 15 || s == 16 || s == 18 || s == 19 || s == 21)
                sayStep(68, 18, s, 0);
            break;
    }
}

}  // namespace

int setupMap68(int entering) {
    if (entering == 1) applyMapArrival(68);
    hiddenTriggers(0, 4);
    chest(5, 58, 10, 1);
    chest(6, 59, 141, 1);
    guards(7, 13, entering);
    const int archive = f(kArchive);
    for (int slot = 14; slot <= 16; ++slot) trigger(slot, archive == 0 ? 1 : 0);
    if (archive == 1) {
        dressFigure(kArchiveSheryl, 2, 1, 0, 0, 1, entering);
        dressFigure(18, 0, 1, 1, 0, 1, entering);
        dressFigure(kArchiveRimel, 0, 1, 2, 0, 1, entering);
    } else {
        hideFigure(kArchiveSheryl);
        hideFigure(18);
        hideFigure(kArchiveRimel);
    }
    chest(20, 167, 3000, 94);
    movePlatforms(true, true, true);
    rideGuards(7, 13);
    return 0;
}

void runMapEvents68() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(67, 53, 31, 0); break;
        case 4: case 5: case 6: changeMap(69, 26, 33, 0); break;
        case 15: case 16: case 17:
            gPlayerVisible = 0;
            changeMap(68, 46, 12, 1);
            gStoryFlags[kArchive] = 1;
            break;
        case kArchiveSheryl + 1: runArchive(); break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 69, B5: もろこし ----

namespace {

constexpr int kMerchant = 17;
constexpr const char* kMerchantShop = "もろこし屋－ステルスベース";
constexpr int kMerchantGoods[20] = {86, 116, 117, 121, 130, 131, 132, 133, 134, 136, 137};
constexpr int kMerchantRebate = 10;

void runMerchant() {
    const int s = gEventStep;
    if (f(kMerchantMet) >= 2) {
        switch (s) {
            case 0: say("69.18.again", 0); break;
            case 1: openShop(kMerchantShop, kMerchantGoods, kMerchantRebate); break;
            case 3: endEvent(); break;
            default: break;
        }
        return;
    }
    switch (s) {
        case 0: walk(kMerchant, 4, 20); break;
        case 1: waitWalk(); break;
        case 2: changeMusic("【テーマ】ファーレンス.mid"); break;
        case 12: openShop(kMerchantShop, kMerchantGoods, kMerchantRebate); break;
        case 16:
            changeMap(69, 43, 10, 0);
            gStoryFlags[kMerchantMet] = 2;
            break;
        default:
            if ((s >= 3 && s <= 11) || (s >= 13 && s <= 15)) sayStep(69, 18, s, 0);
            break;
    }
}

void downToTheLaboratory() {
    if (f(kLaboratory) == 0) {
        gPlayerVisible = 0;  // the party walks in as figures
        changeMap(70, 23, 15, 0);
    } else {
        changeMap(70, 11, 15, 0);
    }
}

}  // namespace

int setupMap69(int entering) {
    if (entering == 1) applyMapArrival(69);
    hiddenTriggers(0, 5);
    chest(6, 179, 112, 1);
    chest(7, 180, 144, 1);
    chest(8, 155, 155, 1);
    guards(9, 16, entering);
    const int met = f(kMerchantMet);
    if (met == 0) hideFigure(kMerchant);
    else dress(kMerchant, met == 1 ? 2 : 3, 1, 48, 0);
    faceOnEntering(kMerchant, 1, entering);
    for (int slot = 18; slot <= 20; ++slot) {
        if (met == 0) hiddenTrigger(slot);  // the row that brings the merchant out
        else hideFigure(slot);
    }
    movePlatforms(true, true, true);
    rideGuards(9, 16);
    return 0;
}

void runMapEvents69() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(68, 51, 2, 1); break;
        case 4: case 5: case 6: downToTheLaboratory(); break;
        case kMerchant + 1: runMerchant(); break;
        case 19: case 20: case 21:
            if (f(kMerchantMet) == 0) {
                changeMap(69, 43, 10, 0);
                gStoryFlags[kMerchantMet] = 1;
            } else {
                endEvent();
            }
            break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 70, B6: サンレイズ's laboratory ----

namespace {

constexpr int kLabSheryl = 3;
constexpr int kLabFalk = 4;
constexpr int kLabRimel = 5;
constexpr int kLabClaber = 6;
constexpr int kLabAraforce = 7;
constexpr int kSunrays = 8;
constexpr int kLabSelen = 9;

void walkParty(int direction, int frames) {
    for (int slot : {kLabSheryl, kLabFalk, kLabRimel}) walk(slot, direction, frames);
}

void returnToTheTown(int route) {
    changeMap(62, 19, 15, 0);
    gStoryFlags[kLaboratory] = 3;
    gStoryFlags[flag::kColerupicSealed] = 1;
    gStoryFlags[flag::kRoute] = static_cast<std::uint8_t>(route);
}

// The long exit walks (セレン's, サンレイズ's, クレイバー's) head for the
// stairs up at the room's end: a figure that walks that far has gone up them,
// rather than standing on the stairs or the wall's top in sight of the party.
constexpr int kStairsTopRow = 10;

void goneUpTheStairs(int slot) {
    MapObject& o = gMapObjects[slot];
    const float at[3] = {o.x, o.y, o.z};
    int cell[3];
    worldToCell(at, cell);
    if (cell[0] <= kStairsTopRow) o.visible = 0;
}

void runLaboratory() {
    const int s = gEventStep;
    for (int slot : {kLabSelen, kSunrays, kLabClaber}) goneUpTheStairs(slot);
    if (runChapterEndOffer(s, 186, 106, "エピソード６　完") || runChapterEndOffer(s, 411, 106, "エピソード６　完")) return;
    switch (s) {
        case 1: walkParty(6, 28); break;
        case 2: case 9: case 12: case 16: case 45: case 52: case 57: case 71: case 86: case 89: case 100: case 111:
        case 124: case 141: case 144: case 152: case 154: case 163: case 183:
            waitWalk();
            break;
        case 81:
            pose(kSunrays, 4);
            waitWalk();
            break;
        case 4:
            face(kSunrays, 1);
            sayStep(70, 4, s, 0);
            break;
        case 5: changeMusic("【バトル】軍事パレード.mid"); break;
        case 8: case 15: case 51: case 88: walk(kSunrays, 4, 2); break;
        case 11: case 56: walk(kSunrays, 4, 4); break;
        case 20:
            face(kSunrays, 0);
            sayStep(70, 4, s, 0);
            break;
        case 22: case 113:
            face(kSunrays, 1);
            sayStep(70, 4, s, 0);
            break;
        case 31: sayStep(70, 4, s, 2); break;
        case 32: sayStep(70, 4, s, 4); break;
        case 44: walk(kSunrays, 6, 4); break;
        case 69: case 146: case 147: case 176: case 177: break;  // silent: pauses in the quarrel
        case 70: walk(kLabSheryl, 6, 4); break;
        case 75: startBattle(50, gSavedBattleBackground, gBattleBackground); break;
        case 76:
            pose(kSunrays, 4);
            requestMusicStop();
            break;
        case 80:
            pose(kSunrays, 4);
            walk(kSunrays, 6, 4);
            break;
        case 82:
            pose(kSunrays, 4);
            sayStep(70, 4, s, 0);
            break;
        case 84:
            changeMusic("【バトル】交わりの地.mid");
            gStoryFlags[kLaboratory] = 1;
            break;
        case 85: walk(kLabSelen, 3, 16, 9, 5, 6, 8); break;
        case 87: case 95:
            face(kLabSelen, 1);
            sayStep(70, 4, s, 0);
            break;
        case 90:
            pose(kSunrays, 4);
            face(kSunrays, 0);
            sayStep(70, 4, s, 0);
            break;
        case 93:
            gFieldMarkers[kMoonStoneMarker].present = 0;
            face(kLabSelen, 0);
            sayStep(70, 4, s, 0);
            break;
        case 99: walk(kLabSelen, 4, 2); break;
        case 102: startBattle(51, gSavedBattleBackground, gBattleBackground); break;
        case 103: gStoryFlags[kLaboratory] = 2; break;
        case 110: walk(kLabSelen, 4, 80); break;
        case 112: case 129: case 150:
            face(kLabClaber, 1);
            sayStep(70, 4, s, 0);
            break;
        case 114: case 148:
            face(kLabClaber, 0);
            sayStep(70, 4, s, 0);
            break;
        case 123: walk(kSunrays, 4, 80); break;
        case 126: {
            gCameraGlide = 4;
            const float back[3] = {-3.0f, 0.0f, 0.0f};
            setCameraTarget(1, back);
            walkParty(4, 24);
            break;
        }
        case 127:
            waitWalk();
            face(kLabAraforce, 1);
            break;
        case 128: case 159:
            face(kLabSheryl, 0);
            sayStep(70, 4, s, 0);
            break;
        case 133:
            face(kLabFalk, 0);
            sayStep(70, 4, s, 0);
            break;
        case 134:
            face(kLabRimel, 0);
            sayStep(70, 4, s, 0);
            break;
        case 135: sayStep(70, 4, s, 5); break;
        case 140: walk(kLabRimel, 6, 3); break;
        case 143: walk(kLabClaber, 4, 4); break;
        case 151: walk(kLabClaber, 4, 80); break;
        case 153: walk(kLabSheryl, 4, 2); break;
        case 155:
            face(kLabSheryl, 1);
            sayStep(70, 4, s, 0);
            break;
        case 157:
            face(kLabFalk, 1);
            sayStep(70, 4, s, 0);
            break;
        case 158:
            face(kLabRimel, 1);
            sayStep(70, 4, s, 0);
            break;
        // The route choice: any first answer takes the tower route.
        case 161:
            offerChoice("70.4.161", 2);
            branchOnChoice(400, 162, 0);
            break;
        case 162: walk(kLabFalk, 1, 4); break;
        case 167:
            offerChoice("70.4.167", 2);
            branchOnChoice(400, 168, 0);
            break;
        case 171:
            offerChoice("70.4.171", 2);
            branchOnChoice(400, 172, 0);
            break;
        // The Ruleno route.
        case 182: walk(kLabSheryl, 4, 80); break;
        case 184: case 409: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 185:
            for (int stone = 1; stone <= 5; ++stone) gStoneFlags[stone] = 2;
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 191: case 416:
            gSlowMusicFade = 0;
            beginInterlude(9);
            break;
        case 198:
            gEventPictureNumber = 12;
            gPictureLoaded = 0;
            sayStep(70, 4, s, 3);
            break;
        case 203: returnToTheTown(2); break;
        // The tower route.
        case 410:
            gStoneFlags[5] = 2;
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 424: returnToTheTown(1); break;
        default:
            if ((s >= 192 && s <= 202) || (s >= 417 && s <= 423)) sayStep(70, 4, s, 3);
            else if (s == 3 || (s >= 6 && s <= 43) || (s >= 46 && s <= 74) || (s >= 77 && s <= 83) || s == 87 ||
                     (s >= 90 && s <= 98) || s == 101 || (s >= 104 && s <= 109) || (s >= 112 && s <= 122) ||
                     s == 125 || (s >= 128 && s <= 160) || (s >= 164 && s <= 170) || (s >= 172 && s <= 181) ||
                     (s >= 400 && s <= 408))
                sayStep(70, 4, s, 0);
            break;
    }
}

}  // namespace

int setupMap70(int entering) {
    if (entering == 1) applyMapArrival(70);
    const int lab = f(kLaboratory);
    hiddenTriggers(0, 2);
    if (lab != 3) {
        dressFigure(kLabSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kLabFalk, 0, 1, 1, 0, 0, entering);
        dressFigure(kLabRimel, 0, 1, 2, 0, 0, entering);
        dressFigure(kSunrays, 0, 1, 12, 0, 0, entering);
    } else {
        for (int slot : {kLabSheryl, kLabFalk, kLabRimel, kSunrays}) hideFigure(slot);
    }
    if (lab >= 2 && lab != 3) {
        dressFigure(kLabClaber, 0, 1, 3, 0, 0, entering);
        dressFigure(kLabAraforce, 0, 1, 47, 0, 0, entering);
    } else {
        hideFigure(kLabClaber);
        hideFigure(kLabAraforce);
    }
    if (lab != 0 && lab != 3) dressFigure(kLabSelen, 0, 1, 6, 0, 0, entering);
    else hideFigure(kLabSelen);
    if (entering == 1 && lab == 0 && gMapObjects[kSunrays].present) {
        FieldMarker& stone = gFieldMarkers[kMoonStoneMarker];
        stone.present = 1;
        stone.x = gMapObjects[kSunrays].x;
        stone.y = gMapObjects[kSunrays].y;
        stone.z = gMapObjects[kSunrays].z + 1.0f;
    }
    return 0;
}

void runMapEvents70() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(69, 55, 10, 1); break;
        case kLabSheryl + 1: runLaboratory(); break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}
