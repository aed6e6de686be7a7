// Episode 4 aboard the navy battleship: the upper deck (43), the quarters
// with the shops and the bank branch (44), the conference room (45), the
// three lever decks (46-48) and the last deck with ジェクター (49), where the
// episode ends and the hovercraft carries the pair away.
#include "engine/Music.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "minigames/BoatRace.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kShipHostile = 22;  // 1 after the conference and battle 87
constexpr int kFog = 0, kCoin = 1, kSen = 2;

constexpr const char* kShipSong2 = "【チャプター４】戦艦フィルノア２.mid";

// The ship's marines: group 31 + (slot mod 3), in the look of their deck.
void marineSymbol(int slot, int look, int entering) { enemySymbol(slot, 31 + slot % 3, look, entering); }

}  // namespace

// ---- Map 43: the upper deck ----

int setupMap43(int entering) {
    if (entering == 1) applyMapArrival(43);
    const bool hostile = gStoryFlags[kShipHostile] != 0;
    hiddenTriggers(0, 8);
    for (int slot : {9, 10}) {
        if (!hostile) dressFigure(slot, 3, 1, 27, 0, 0, entering);
        else removeFigure(slot);
    }
    for (int slot = 11; slot <= 18; ++slot) {
        if (!hostile) removeFigure(slot);
        else marineSymbol(slot, 21, entering);
    }
    return 0;
}

void runMapEvents43() {
    const bool hostile = gStoryFlags[kShipHostile] != 0;
    const int event = gFieldEvent;
    if (event >= 1 && event <= 3) {
        if (hostile) changeMap(46, 35, 32, 0);
        else runTalk(43, 1);  // クレイバー: the conference room lies the other way
    } else if (event >= 4 && event <= 9) {
        if (hostile) runTalk(43, 4);  // シェリル: there is no going back
        else if (event <= 6) changeMap(44, 12, 27, 1);
        else {
            gPlayerVisible = 0;
            changeMap(45, 18, 38, 1);
        }
    } else {
        switch (event) {
            case 10: runTalk(43, 10); break;
            case 11: runTalk(43, 11); break;
            default: endSilentEvent(); break;
        }
    }
    ++gEventStep;
}

// ---- Map 44: the quarters, the counters and the bank branch ----

namespace {

constexpr int kBerthSheryl = 16;
constexpr int kBerthAlaforce = 17;
constexpr int kBerthClaber = 18;

const int kWeaponGoods[20] = {5, 7, 49, 50, 76, 77, 78, 80};
const int kGoodsGoods[20] = {108, 109, 110, 111, 132, 133, 136, 147, 148, 151};

// シェリル wakes aboard; クレイバー and アラフォース tell her where she is.
void runWakingScene() {
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 3: walk(kBerthSheryl, 1, 3, 0, 12); break;
        case 4: case 43: case 49: waitWalk(); break;
        case 5: face(kBerthSheryl, 0); sayStep(44, 17, s, 0); break;
        case 19: face(kBerthAlaforce, 0); sayStep(44, 17, s, 0); break;
        case 35: face(kBerthAlaforce, 1); sayStep(44, 17, s, 0); break;
        case 42: walk(kBerthSheryl, 1, 4); break;
        case 48: walk(kBerthAlaforce, 4, 4); break;
        case 50:
            face(kBerthSheryl, 1);
            face(kBerthAlaforce, 0);
            sayStep(44, 17, s, 0);
            break;
        case 54: showStillPicture(4); break;
        case 55: waitPictureShown(); break;
        case 56: pauseEvent(5); break;
        case 57:
            waitStillPicture();
            gPlayerVisible = 1;
            gStoryFlags[flag::kBattleshipArrived] = 1;
            break;
        case 58: endEvent(); break;
        default:
            if ((s >= 1 && s <= 2) || (s >= 6 && s <= 41) || (s >= 44 && s <= 47) || (s >= 51 && s <= 53))
                sayStep(44, 17, s, 0);
            break;
    }
}

constexpr const char* kBranchBank = "マルクセングセントラルバンク－フィルノア支店";

// The branch trades only into the company's coin: the halts are set before
// the bank opens and the coin's halt again once it closes.
void setBankHalts() {
    sayStep(44, 21, 2, 0);
    gExchangeRates[kFog].halted = 0;
    gExchangeRates[kCoin].halted = 1;
    gExchangeRates[kSen].halted = 0;
}
void haltTheCoin() { gExchangeRates[kCoin].halted = 1; }

}  // namespace

int setupMap44(int entering) {
    if (entering == 1) applyMapArrival(44);
    for (int slot : {0, 15, 19, 20}) dress(slot, 1, 0, 0, 0);
    for (int slot : {1, 2, 10, 11}) dressFigure(slot, 3, 1, 28, 0, 0, entering);
    for (int slot : {3, 4, 5, 6, 7, 8, 9, 12}) dressFigure(slot, 3, 1, 27, 0, 0, entering);
    chest(13, 29, 1000, 2000);
    chest(14, 30, 143, 1);
    if (gStoryFlags[flag::kBattleshipArrived] == 1) {
        removeFigure(kBerthSheryl);
        removeFigure(kBerthAlaforce);
        removeFigure(kBerthClaber);
    } else {
        dressFigure(kBerthSheryl, 2, 1, 0, 4, 0, entering);
        dressFigure(kBerthAlaforce, 0, 1, 47, 0, 1, entering);
        dressFigure(kBerthClaber, 0, 1, 3, 0, 1, entering);
    }
    return 0;
}

void runMapEvents44() {
    const int event = gFieldEvent;
    if (event >= 2 && event <= 10) {
        runTalk(44, event);
    } else {
        switch (event) {
            case 1: changeMap(43, 17, 40, 0); break;
            case 16:
                runShopCounter(44, 16, 1, "マルクセングセントラルバンク－フィルノア支店－兵器開発部", kWeaponGoods, 0);
                break;
            case 20:
                runShopCounter(44, 20, 1, "マルクセングセントラルバンク－フィルノア支店－商品開発部", kGoodsGoods, 0);
                break;
            case 21: runBankCounter(44, 21, 1, kBranchBank, setBankHalts, haltTheCoin); break;
            case kBerthSheryl + 1:
                // The scene records itself before its last picture is dismissed,
                // so only its start is guarded.
                if (gEventStep == 0 && gStoryFlags[flag::kBattleshipArrived] == 1) endEvent();
                else runWakingScene();
                break;
            default: endSilentEvent(); break;  // the off-duty sailors have nothing to say
        }
    }
    ++gEventStep;
}

// ---- Map 45: the conference room ----

namespace {

constexpr int kRoomSheryl = 1;
constexpr int kRoomAlaforce = 2;
constexpr int kRoomClaber = 3;

// ジェクター asks for the stones; シェリル refuses and the marines close in.
void runConference() {
    const int s = gEventStep;
    switch (s) {
        case 3: face(kRoomSheryl, 0); sayStep(45, 2, s, 0); break;
        case 5: face(kRoomSheryl, 1); sayStep(45, 2, s, 0); break;
        case 17: case 26: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 21: case 28: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 43: requestMusicStop(); break;
        case 47: changeMusic(kShipSong2); break;
        case 48: walk(kRoomSheryl, 9, 15); break;
        case 49: case 52: case 56: case 64: waitWalk(); break;
        case 51:
            walk(5, 9, 25);
            walk(6, 8, 25);
            walk(7, 8, 25);
            walk(8, 7, 25);
            break;
        case 53:
            face(8, 0);
            face(kRoomSheryl, 1);
            sayStep(45, 2, s, 0);
            break;
        case 55: walk(kRoomClaber, 4, 15); break;
        case 57: face(kRoomClaber, 0); sayStep(45, 2, s, 0); break;
        case 59: face(kRoomClaber, 1); sayStep(45, 2, s, 0); break;
        case 60: startBattle(87, gSavedBattleBackground, gBattleBackground); break;
        case 61:
            gStoryFlags[kShipHostile] = 1;
            sayStep(45, 2, s, 0);
            break;
        case 62: face(kRoomClaber, 0); sayStep(45, 2, s, 0); break;
        case 63:
            walk(kRoomSheryl, 6, 30);
            walk(kRoomClaber, 9, 15, 6, 25);
            break;
        case 65:
            changeMap(43, 16, 33, 0);
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 16) || (s >= 18 && s <= 20) || (s >= 22 && s <= 25) || s == 27 ||
                (s >= 29 && s <= 42) || (s >= 44 && s <= 46) || s == 50 || s == 54 || s == 58)
                sayStep(45, 2, s, 0);
            break;
    }
}

}  // namespace

int setupMap45(int entering) {
    if (entering == 1) applyMapArrival(45);
    dress(0, 1, 0, 0, 0);
    dressFigure(kRoomSheryl, 2, 1, 0, 0, 1, entering);
    dressFigure(kRoomAlaforce, 0, 1, 47, 0, 1, entering);
    dressFigure(kRoomClaber, 0, 1, 3, 0, 1, entering);
    dressFigure(4, 0, 1, 13, 0, 0, entering);
    for (int slot = 5; slot <= 8; ++slot) {
        if (gStoryFlags[kShipHostile] == 1) removeFigure(slot);
        else dressFigure(slot, 0, 1, slot == 8 ? 28 : 27, 0, 0, entering);
    }
    return 0;
}

void runMapEvents45() {
    switch (gFieldEvent) {
        case 1: changeMap(43, 16, 33, 0); break;
        case kRoomSheryl + 1: runConference(); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Maps 46-48: the lever decks ----

namespace {

// The symbols ride the gates and decks under them up and down.
void keepSymbolsOnTheirFloor(int first, int last) {
    for (int slot = first; slot <= last; ++slot) {
        MapObject& o = gMapObjects[slot];
        if (!o.present) continue;
        const float at[3] = {o.x, o.y, o.z};
        int cell[3];
        worldToCell(at, cell);
        o.y = mapCell(cell[0], cell[2]).height;
    }
}

void lever(int slot, int column, int row) { dress(slot, 1, 1, column, row); }

// "レバーを動かしますか？": a yes turns the gate switch over.
void runLever(int gateFlag) {
    switch (gEventStep) {
        case 1: say("lever.ask", 0); break;
        case 2:
            offerChoice("lever.choice", 2);
            branchOnChoice(3, 4, 0);
            break;
        case 3: gStoryFlags[gateFlag] = static_cast<std::uint8_t>(1 - gStoryFlags[gateFlag]); break;
        case 4: endEvent(); break;
        default: break;
    }
}

constexpr float kGateStep = 1.0f / 64.0f;

}  // namespace

int setupMap46(int entering) {
    if (entering == 1) applyMapArrival(46);
    updateGateCells(kGateStep);
    hiddenTriggers(0, 3);
    const int row = gStoryFlags[flag::kGateSwitch0] == 1 ? 9 : 7;
    lever(4, 41, row);
    lever(5, 41, row);
    for (int slot = 6; slot <= 10; ++slot) marineSymbol(slot, 27, entering);
    keepSymbolsOnTheirFloor(6, 10);
    return 0;
}

void runMapEvents46() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(43, 24, 44, 0); break;
        case 3: case 4: changeMap(47, 35, 32, 0); break;
        case 5: case 6: runLever(flag::kGateSwitch0); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

int setupMap47(int entering) {
    if (entering == 1) applyMapArrival(47);
    updateGateCells(kGateStep);
    hiddenTriggers(0, 3);
    for (int slot = 4; slot <= 6; ++slot) lever(slot, 41, 7);
    chest(7, 31, 155, 1);
    chest(8, 32, 6, 1);
    for (int slot = 9; slot <= 16; ++slot) marineSymbol(slot, 27, entering);
    chest(17, 162, 3000, 20);
    keepSymbolsOnTheirFloor(9, 16);
    return 0;
}

void runMapEvents47() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(46, 41, 23, 1); break;
        case 3: case 4: changeMap(48, 35, 38, 0); break;
        case 5: case 6: case 7: runLever(flag::kGateSwitch0); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

int setupMap48(int entering) {
    if (entering == 1) applyMapArrival(48);
    updateGateCells(kGateStep);
    hiddenTriggers(0, 3);
    lever(4, 41, 7);
    lever(5, 42, 7);
    lever(6, 43, 7);
    for (int slot = 7; slot <= 14; ++slot) marineSymbol(slot, 27, entering);
    keepSymbolsOnTheirFloor(7, 14);
    return 0;
}

void runMapEvents48() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(47, 31, 46, 1); break;
        case 3: case 4:
            gPlayerVisible = 0;
            changeMap(49, 32, 35, 1);
            break;
        case 5: runLever(flag::kGateSwitch0); break;
        case 6: runLever(flag::kGateSwitch1); break;
        case 7: runLever(flag::kGateSwitch2); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 49: the last deck ----

namespace {

constexpr int kDeckSheryl = 3;
constexpr int kDeckAlaforce = 4;
constexpr int kDeckClaber = 5;
constexpr int kJector = 6;
constexpr int kStoneMarker = 3;

// ジェクター and battle 34, the fourth stone, アラフォース stays behind, the
// end of episode 4, its interlude and the hovercraft.
void runLastDeck() {
    const int s = gEventStep;
    // Watched from in front of the hovercraft, wide enough for the party
    // by the door and ジェクター's men coming down the deck; again so after
    // the battle.
    if (s == 0) lookAtCell(21.5f, 36.5f, 1);
    if (s == 11) cutToCell(21.5f, 36.5f);
    switch (s) {
        case 1:
            walk(kDeckSheryl, 4, 32);
            walk(kDeckAlaforce, 4, 32);
            walk(kDeckClaber, 4, 32);
            break;
        case 2: case 6: case 21: case 29: case 32: case 35: waitWalk(); break;
        case 36: case 37: case 38: break;  // silent: the two run for the boat
        case 5:
            walk(kJector, 6, 16);
            walk(7, 6, 16);
            walk(8, 6, 16);
            break;
        case 8: pose(kDeckClaber, 8); sayStep(49, 4, s, 0); break;
        case 10: startBattle(34, gSavedBattleBackground, gBattleBackground); break;
        case 14:
            gStoneFlags[3] = 1;
            changeMusic("【イベント】魔硝石回収.mid");
            break;
        case 15: {
            float at[3];
            positionOf(kDeckSheryl, at);
            runStoneAcquisition(at, kStoneMarker, 0);
            break;
        }
        case 16: case 56: requestMusicStop(); break;
        case 20: walk(kDeckAlaforce, 7, 4); break;
        case 28: case 34:
            walk(kDeckSheryl, 4, 40);
            walk(kDeckClaber, 4, 40);
            break;
        case 31:
            walk(7, 4, 20);
            walk(8, 4, 20);
            break;
        // The chapter end.
        case 39: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 40:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 41: case 42: case 43: case 44: case 45:
            runChapterEndOffer(gEventStep, 41, 104, "エピソード４　完");
            break;
        // The interlude, then the hovercraft on the dark deck.
        case 46:
            gSlowMusicFade = 0;
            beginInterlude(7);
            break;
        case 54:
            gEventPictureNumber = 8;
            gPictureLoaded = 0;
            pauseEvent(5);
            break;
        case 57:
            gEventPicture = 0;
            gEventPictureNumber = 0;
            pauseEvent(10);
            break;
        case 71: startBoatRace(0, 50, 19, 15, 1); break;
        default:
            if ((s >= 3 && s <= 4) || s == 7 || s == 9 || (s >= 11 && s <= 13) || (s >= 17 && s <= 19) ||
                (s >= 22 && s <= 27) || s == 30 || s == 33 || (s >= 47 && s <= 53) || s == 55 ||
                (s >= 58 && s <= 70))
                sayStep(49, 4, s, 0);
            break;
    }
}

}  // namespace

int setupMap49(int entering) {
    if (entering == 1) applyMapArrival(49);
    hiddenTriggers(0, 2);
    dressFigure(kDeckSheryl, 2, 1, 0, 0, 1, entering);
    dressFigure(kDeckAlaforce, 0, 1, 47, 0, 1, entering);
    dressFigure(kDeckClaber, 0, 1, 3, 0, 1, entering);
    dressFigure(kJector, 0, 1, 13, 0, 0, entering);
    dressFigure(7, 0, 1, 27, 0, 0, entering);
    dressFigure(8, 0, 1, 28, 0, 0, entering);
    // The stone ジェクター carries.
    if (entering == 1 && gMapObjects[kJector].present) showMarkerBeside(kStoneMarker, kJector, -1.0f);
    return 0;
}

void runMapEvents49() {
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(48, 2, 25, 0); break;
        case kDeckSheryl + 1: runLastDeck(); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}
