// The sacred mountain 仙人の山 east of the 和国 town: three slopes of
// monsters and chests (55, 123, 56), the cliff where the thief master is
// cornered, もろこし sells weapons on the spot and アルゴン of クロスケーション
// takes the stolen stone (57), and the mountain top, where アルゴン fights the
// party, gives シェリル the 黄金石 and episode 5 ends (58).
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "events/EventMusic.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The mountain's own flags.
constexpr int kCliffScene = 26;    // 0 not yet, 1 due, 2 アルゴン has left, 3 over
constexpr int kMountainTop = 27;   // 0 scene due, 1 episode over

constexpr int kFacePlusX = 0;
constexpr int kFaceMinusX = 1;
constexpr int kFog = 0;            // もろこし takes only フォッグ
constexpr int kStoneMarker = 4;    // the field marker of the magical stone
constexpr int kGoldenStone = 4;    // gStoneFlags entry of the 黄金石 (stone id 5)

constexpr const char* kMerchantShop = "もろこし屋－仙人の山";
constexpr int kMerchantGoods[20] = {8, 116, 130, 131, 132, 133, 102, 136, 160};
constexpr int kMerchantRebate = 9;  // point card, 9 % back

// The mountain's monsters: groups 35-38 by slot, two sprites by the slot's
// parity; placed only on entering, so a beaten symbol stays away.
void mountainEnemies(int first, int last, int entering) {
    for (int slot = first; slot <= last; ++slot) enemySymbol(slot, 35 + slot % 4, 39, entering);
}

void openMerchantShop() {
    // Kept: the フォッグ stays the region's currency until the next map entry.
    gRegionCurrency = kFog;
    openShop(kMerchantShop, kMerchantGoods, kMerchantRebate);
}

// The exit and treasure events of a slope; false when the event is not one.
bool runExit(int event, int firstEvent, int lastEvent, int map, int row, int col, int facing) {
    if (event < firstEvent || event > lastEvent) return false;
    changeMap(map, row, col, facing);
    return true;
}

void finishEvents() {
    endSilentEvent();
    ++gEventStep;
}

}  // namespace

// ---- Map 55: the foot of the mountain ----

int setupMap55(int entering) {
    if (entering == 1) applyMapArrival(55);
    hiddenTriggers(0, 3);
    chest(4, 184, 1000, 2500);
    chest(5, 33, 157, 1);
    chest(6, 34, 142, 1);
    chest(24, 163, 3000, 65);
    mountainEnemies(7, 23, entering);
    return 0;
}

void runMapEvents55() {
    const int event = gFieldEvent;
    if (runExit(event, 1, 2, 123, 26, 3, kFacePlusX) || runExit(event, 3, 4, 51, 16, 36, kFaceMinusX)) {
        ++gEventStep;
        return;
    }
    finishEvents();
}

// ---- Map 123: the middle slope ----

int setupMap123(int entering) {
    if (entering == 1) applyMapArrival(123);
    hiddenTriggers(0, 5);
    chest(6, 176, 119, 1);
    chest(7, 177, 139, 1);
    mountainEnemies(8, 30, entering);
    return 0;
}

void runMapEvents123() {
    const int event = gFieldEvent;
    if (runExit(event, 1, 3, 55, 33, 43, kFaceMinusX) || runExit(event, 4, 6, 56, 21, 9, kFacePlusX)) {
        ++gEventStep;
        return;
    }
    finishEvents();
}

// ---- Map 56: the high slope ----

int setupMap56(int entering) {
    if (entering == 1) applyMapArrival(56);
    hiddenTriggers(0, 3);
    chest(4, 35, 145, 1);
    chest(5, 121, 155, 1);
    chest(6, 37, 166, 3);
    chest(7, 38, 146, 1);
    mountainEnemies(8, 19, entering);
    return 0;
}

void runMapEvents56() {
    const int event = gFieldEvent;
    if (runExit(event, 1, 2, 57, 39, 19, kFaceMinusX) || runExit(event, 3, 4, 123, 32, 29, kFaceMinusX)) {
        ++gEventStep;
        return;
    }
    finishEvents();
}

// ---- Map 57: the cliff ----

int setupMap57(int entering) {
    if (entering == 1) applyMapArrival(57);
    const std::uint8_t* f = gStoryFlags;
    const int cliff = f[kCliffScene];
    hiddenTriggers(0, 3);
    chest(4, 39, 51, 1);
    chest(5, 40, 140, 1);
    chest(6, 41, 141, 1);
    mountainEnemies(7, 18, entering);
    for (int slot = 19; slot <= 26; ++slot) {
        if (cliff == 0) dress(slot, 1, 0, 0, 0);
        else removeFigure(slot);
    }
    if (cliff == 1 || cliff == 2) {
        dressFigure(27, 2, 1, 0, 0, kFacePlusX, entering);
        dressFigure(28, 0, 1, 3, 0, kFacePlusX, entering);
        dressFigure(29, 0, 1, 4, 0, kFaceMinusX, entering);
        dressFigure(30, 0, 1, 48, 0, kFacePlusX, entering);
        dressFigure(31, 0, 1, 16, 0, kFaceMinusX, entering);
    } else {
        for (int slot = 27; slot <= 31; ++slot) removeFigure(slot);
    }
    if (cliff == 1) dressFigure(32, 0, 1, 7, 0, kFaceMinusX, entering);
    else removeFigure(32);
    if (cliff == 3 && f[flag::kEpisode5] != 2) {
        dressPosed(33, 1, 16, 4, kFacePlusX, entering);
        dressFigure(34, 1, 1, 48, 0, kFaceMinusX, entering);
    } else {
        removeFigure(33);
        removeFigure(34);
    }
    if (entering == 1 && cliff == 1) showMarkerBeside(kStoneMarker, 31, 1.0f);
    return 0;
}

namespace {

bool isCliffMessage(int s) {
    return s == 1 || (s >= 4 && s <= 7) || (s >= 9 && s <= 17) || s == 20 || s == 21 || s == 25 || s == 26 ||
           s == 28 || (s >= 32 && s <= 39) || s == 43 || s == 44 || (s >= 48 && s <= 53) || (s >= 56 && s <= 71) ||
           (s >= 74 && s <= 79) || (s >= 82 && s <= 84);
}

// The thief master cornered, もろこし's wares, battle 39, and アルゴン.
void runCliffScene() {
    const int s = gEventStep;
    // The scene is watched on the plateau beyond the rocks; the shop and the
    // battle hand the camera back to the hidden player, so it looks again.
    if (s == 0 || s == 25 || s == 28 || s == 30) lookAtCell(22.0f, 38.0f, 1);
    switch (s) {
        case 2:
            walk(27, 9, 20, 4, 8);
            walk(28, 9, 20);
            walk(29, 9, 20, 6, 8);
            return;
        case 3: case 19: case 23: case 31: case 42: case 46: case 55: case 73: case 81: waitWalk(); return;
        case 8: changeMusic("【テーマ】シーフマスター.mid"); return;
        case 18: walk(30, 4, 8, 1, 4); return;
        case 22: walk(31, 1, 4); return;
        case 24: openMerchantShop(); return;
        case 27:
            // The camp menu, so she can equip what she bought; closing it
            // brings the scene back at the next step.
            gScene = 200;
            gRedrawRequest[0] = 1;
            gRedrawRequest[1] = 1;
            return;
        case 29: startBattle(39, gSavedBattleBackground, gBattleBackground); return;
        case 30: walk(27, 9, 12); return;
        case 40: requestMusicStop(); return;
        case 41: walk(32, 9, 36); return;
        case 45: walk(32, 9, 4); return;
        case 47: playSoundEffect("Wepon_07.wav"); return;
        case 54: walk(28, 7, 4); return;
        case 72:
            walk(32, 9, 4);
            walk(28, 9, 4);
            return;
        case 80: walk(32, 9, 8); return;
        case 85:
            changeMap(57, 21, 34, kFacePlusX);
            gStoryFlags[kCliffScene] = 3;
            gPlayerVisible = 1;
            return;
        default: break;
    }
    if (!isCliffMessage(s)) return;
    switch (s) {
        case 4:
            face(27, kFacePlusX);
            face(29, kFaceMinusX);
            break;
        case 10: face(30, kFaceMinusX); break;
        case 28: face(30, kFacePlusX); break;
        case 39: face(28, kFaceMinusX); break;
        case 43:
            face(28, kFacePlusX);
            face(31, kFacePlusX);
            face(32, kFaceMinusX);
            break;
        case 48:
            pose(32, 6);
            face(32, kFaceMinusX);
            pose(31, 4);
            break;
        case 52: pose(32, 0); break;
        case 58: case 65: face(28, kFacePlusX); break;
        case 64: face(28, kFaceMinusX); break;
        case 69: gFieldMarkers[kStoneMarker].present = 0; break;
        case 74: face(32, kFaceMinusX); break;
        case 82: gStoryFlags[kCliffScene] = 2; break;
        default: break;
    }
    sayStep(57, 28, s, 0);
}

}  // namespace

void runMapEvents57() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    switch (event) {
        case 1: case 2:
            if (f[flag::kEpisode5] == 0) {
                changeMap(58, 30, 17, kFacePlusX);
                gPlayerVisible = 0;  // the mountain-top scene follows
            } else {
                changeMap(58, 29, 8, kFacePlusX);
            }
            break;
        case 3: case 4: changeMap(56, 10, 22, kFacePlusX); break;
        case 20: case 21: case 22: case 23: case 24: case 25: case 26: case 27:
            changeMap(57, 21, 34, kFacePlusX);
            gStoryFlags[kCliffScene] = 1;
            gPlayerVisible = 0;
            break;
        case 28:
            if (f[kCliffScene] == 1 || f[kCliffScene] == 2) runCliffScene();
            else endEvent();
            break;
        case 34: runTalk(57, 34); break;
        case 35:
            if (gEventStep == 1) sayStep(57, 35, 1, 0);
            else if (gEventStep == 2) openMerchantShop();
            else if (gEventStep >= 3) endEvent();
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 58: the mountain top ----

int setupMap58(int entering) {
    if (entering == 1) applyMapArrival(58);
    const bool over = gStoryFlags[kMountainTop] == 1;
    hiddenTriggers(0, 1);
    if (over) {
        for (int slot = 2; slot <= 6; ++slot) removeFigure(slot);
    } else {
        dressFigure(2, 2, 1, 0, 0, kFacePlusX, entering);
        dressFigure(3, 0, 1, 3, 0, kFacePlusX, entering);
        dressFigure(4, 0, 1, 4, 0, kFacePlusX, entering);
        dressFigure(5, 0, 1, 48, 0, kFacePlusX, entering);
        dressFigure(6, 0, 1, 7, 0, kFaceMinusX, entering);
        if (entering == 1) showMarkerBeside(kStoneMarker, 6, 3.0f);
    }
    return 0;
}

namespace {

// Silent between the lines: 12, アルゴン's question hanging; 38, the party
// down after the battle; 45 to 48, アルゴン handing over the stone.
bool isSummitMessage(int s) {
    return s == 4 || (s >= 7 && s <= 14 && s != 12) || (s >= 18 && s <= 26) || (s >= 29 && s <= 35) ||
           (s >= 39 && s <= 44) || (s >= 49 && s <= 55) || s == 60 || (s >= 63 && s <= 66) || s == 69 ||
           (s >= 117 && s <= 121);
}

// アルゴン's battle, the 黄金石, the chapter end and the intermission.
void runSummitScene() {
    const int s = gEventStep;
    // The summit is watched from below the party, wide enough for アルゴン
    // at the far end; again so after the battle.
    if (s == 0) lookAtCell(34.0f, 15.0f, 1);
    if (s == 37) cutToCell(34.0f, 15.0f);
    switch (s) {
        case 5: walk(2, 6, 4); return;
        case 6: case 16: case 28: case 57: case 59: case 62: case 68: case 71: waitWalk(); return;
        case 15: walk(6, 6, 4); return;
        case 17: changeMusic("【バトル】死闘.mid"); return;
        case 27: walk(3, 6, 4); return;
        // Won or lost, the scene goes on.
        case 36: startBattle(40, gSavedBattleBackground, gBattleBackground); return;
        case 37:
            pose(2, 4);
            pose(3, 4);
            pose(4, 4);
            return;
        case 56: walk(6, 1, 28); return;
        case 58: walk(5, 9, 4, 6, 4, 9, 4); return;
        case 60: gStoneFlags[kGoldenStone] = 1; break;
        case 61: walk(6, 9, 24); return;
        case 63: face(6, kFaceMinusX); break;
        case 67: walk(5, 1, 8); return;
        case 69: face(5, kFacePlusX); break;
        case 70: walk(6, 1, 40); return;
        // The chapter end.
        case 72: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); return;
        case 73:
            gSlowMusicFade = 1;
            requestMusicStop();
            return;
        case 74:
            gStoryFlags[kMountainTop] = 1;
            showStillPicture(105);
            return;
        case 75: waitPictureShown(); return;
        case 78: pauseEvent(10); return;
        case 79:
            offerChoice("chapter.save", 2);
            branchOnChoice(85, 86, 0);
            return;
        case 85: openSaveScreen("エピソード５　完"); return;
        // The intermission.
        case 86:
            gSlowMusicFade = 0;
            beginInterlude(8);
            return;
        case 116:
            gEventPictureNumber = 9;
            gPictureLoaded = 0;
            sayStep(58, 3, s, 10);
            return;
        case 122:
            gFieldMarkers[kStoneMarker].present = 0;
            gStoryFlags[flag::kEpisode5] = 1;
            changeMap(52, 42, 12, kFaceMinusX);
            return;
        default:
            if (s == 21) face(6, kFaceMinusX);
            if (s >= 87 && s <= 115) {
                sayStep(58, 3, s, 3);
                return;
            }
            break;
    }
    if (isSummitMessage(s)) sayStep(58, 3, s, 0);
}

}  // namespace

void runMapEvents58() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(57, 21, 28, kFaceMinusX); break;
        // Only the automatic シェリル starts it, while flag 27 is 0; the scene
        // itself writes 27 halfway and goes on to the intermission.
        case 3: runSummitScene(); break;
        default: endSilentEvent(); break;  // the figures of the scene are never touched
    }
    ++gEventStep;
}
