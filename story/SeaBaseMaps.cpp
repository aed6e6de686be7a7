// The sea base フィンダクション of chapter 9: the landing stage (105), the
// levels 106 to 118 with their water level, lift platforms, chests and
// guards, the thief master's scene (114), もろこし's special sale and shop
// (118) and the open top (119), where the last battle leads into the ending.
#include <cstdint>
#include <string>

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

namespace {

// The region's own flags.
constexpr int kThiefMasterScene = 42;   // map 114: 0 not begun, 1 running, 2 over
constexpr int kSpecialSale = 43;        // 0 not met, 1 due, 2 over (shared with the tower)
constexpr int kThiefMasterJoined = 112; // bodyguard 3 has joined

constexpr const char* kSeaBaseSong = "【チャプター９】海上基地フィングション.mid";
constexpr const char* kMerchantShop = "もろこし屋－海上基地フィンダクション";
constexpr int kMerchantGoods[20] = {13, 29, 42, 92, 95, 96, 134, 136, 137, 138, 155};
constexpr int kRestPrice = 2000;
constexpr int kCoins = 1;

void setFlag(int index, int value) { gStoryFlags[index] = static_cast<std::uint8_t>(value); }

// ---- The levels' common rules ----

struct ChestRow {
    int slot, number, contents, amount;
};
constexpr int kMoney = 1000;
constexpr int kCard = 3000;

struct SeaLevel {
    int map;
    int level;
    int firstGuard, lastGuard;  // lastGuard < firstGuard: none
    ChestRow chests[6];
    int chestCount;
};
constexpr SeaLevel kLevels[] = {
    {106, 0, 2, 11, {{0, 123, 145, 1}, {1, 124, 146, 1}}, 2},
    {107, 1, 5, 13, {}, 0},
    {108, 2, 3, 13, {{0, 125, 28, 1}, {1, 126, 155, 1}, {2, 127, 119, 1}}, 3},
    {109, 3, 2, 13, {{0, 128, 158, 1}, {1, 129, 125, 1}}, 2},
    {110, 4, 1, 15, {{0, 130, 135, 1}}, 1},
    {111, 5, 1, 13, {{0, 131, 14, 1}}, 1},
    {112, 6, 1, 15, {{0, 132, 161, 1}}, 1},
    {113, 7, 2, 17, {{0, 133, 97, 1}, {1, 134, 44, 1}}, 2},
    {114, 8, 1, 0, {}, 0},
    {115, 9, 5, 14,
     {{0, 135, 174, 1}, {1, 136, 156, 1}, {2, 137, 32, 1}, {3, 138, 112, 1}, {4, 139, kMoney, 20000}, {15, 171, kCard, 71}},
     6},
    {116, 9, 4, 13, {{0, 140, 159, 1}, {1, 141, 158, 1}, {2, 142, 135, 1}, {3, 143, 139, 1}}, 4},
    {117, 10, 2, 11, {{0, 144, 145, 1}, {1, 145, 146, 1}}, 2},
    {118, 11, 1, 0, {{0, 146, 157, 1}, {1, 147, 156, 1}, {2, 148, kMoney, 30000}, {3, 149, 144, 1}}, 4},
};

const SeaLevel& levelOf(int map) { return kLevels[map - 106]; }

// Arrival values, water and lifts, chests and guards of a level.
void setUpLevel(int map, int entering) {
    const SeaLevel& level = levelOf(map);
    if (entering == 1) {
        applyMapArrival(map);
        applyWaterLevel(level.level);
        beginLiftArrival();
    } else {
        updateWaterSwitch(level.level);
        checkLiftStart();
    }
    for (int i = 0; i < level.chestCount; ++i) {
        const ChestRow& c = level.chests[i];
        chest(c.slot, c.number, c.contents, c.amount);
    }
    // Guards on patrol: groups 79 to 83 by slot.
    enemySymbols(level.firstGuard, level.lastGuard, 79, 5, 25, entering);
}

}  // namespace

// ---- Map 105: the landing stage ----

int setupMap105(int entering) {
    if (entering == 1) applyMapArrival(105);
    for (int slot : {0, 1, 2}) trigger(slot, 1);
    chest(3, 182, 124, 1);
    return 0;
}

void runMapEvents105() {
    switch (gFieldEvent) {
        case 1:
            // Every entry from outside starts with the water at level 1.
            setFlag(flag::kWaterLevel, 1);
            changeMap(107, 18, 5, 0);
            break;
        case 2:
        case 3:
            switch (gEventStep) {
                case 1:
                    offerChoice("105.ship.choice", 2);
                    branchOnChoice(2, 3, 0);
                    break;
                case 2: endEvent(); break;
                case 3:
                    if (gStoryFlags[flag::kCastleTop] == 2 && gStoryFlags[flag::kReturnAfterCastle] == 0) {
                        changeMap(1, 31, 42, 0);
                        gPlayerVisible = 0;
                        setFlag(flag::kReturnAfterCastle, 1);
                    } else {
                        changeMap(1, 43, 29, 1);
                    }
                    break;
                default: break;
            }
            break;
        case 0:
        case kTreasureEvent: break;
        default: endEvent(); break;
    }
    ++gEventStep;
}

// ---- The plain levels ----

int setupMap106(int entering) { setUpLevel(106, entering); return 0; }
void runMapEvents106() { finishLiftFloorCall(false); }

int setupMap107(int entering) {
    setUpLevel(107, entering);
    hiddenTriggers(0, 3);
    return 0;
}
void runMapEvents107() {
    const bool exit = gFieldEvent >= 1 && gFieldEvent <= 4;
    if (exit) changeMap(105, 18, 14, 0);
    finishLiftFloorCall(exit);
}

int setupMap108(int entering) { setUpLevel(108, entering); return 0; }
void runMapEvents108() { finishLiftFloorCall(false); }
int setupMap109(int entering) { setUpLevel(109, entering); return 0; }
void runMapEvents109() { finishLiftFloorCall(false); }
int setupMap110(int entering) { setUpLevel(110, entering); return 0; }
void runMapEvents110() { finishLiftFloorCall(false); }
int setupMap111(int entering) { setUpLevel(111, entering); return 0; }
void runMapEvents111() { finishLiftFloorCall(false); }
int setupMap112(int entering) { setUpLevel(112, entering); return 0; }
void runMapEvents112() { finishLiftFloorCall(false); }
int setupMap113(int entering) { setUpLevel(113, entering); return 0; }
void runMapEvents113() { finishLiftFloorCall(false); }
int setupMap115(int entering) { setUpLevel(115, entering); return 0; }
void runMapEvents115() { finishLiftFloorCall(false); }
int setupMap116(int entering) { setUpLevel(116, entering); return 0; }
void runMapEvents116() { finishLiftFloorCall(false); }
int setupMap117(int entering) { setUpLevel(117, entering); return 0; }
void runMapEvents117() { finishLiftFloorCall(false); }

// ---- Map 114: the thief master ----

namespace {

constexpr int kThiefMaster = 0;

// He stumbles on the party, is beaten in battle 84 and lies groaning.
void runThiefMasterScene() {
    const int s = gEventStep;
    switch (s) {
        case 3:
        case 5:
            face(kThiefMaster, 1);
            pauseEvent(2);
            break;
        case 4:
            face(kThiefMaster, 0);
            pauseEvent(2);
            break;
        case 11: startBattle(84, gSavedBattleBackground, gBattleBackground); break;
        case 12:
            pose(kThiefMaster, 4);
            sayStep(114, 1, s, 0);
            break;
        case 15:
            changeMap(114, 17, 16, 0);
            setFlag(kThiefMasterScene, 2);
            gPlayerVisible = 1;
            break;
        default:
            if (s == 1 || s == 2 || (s >= 6 && s <= 10) || s == 13 || s == 14) sayStep(114, 1, s, 0);
            break;
    }
}

}  // namespace

int setupMap114(int entering) {
    setUpLevel(114, entering);
    const int scene = gStoryFlags[kThiefMasterScene];
    if (scene == 2) {
        dress(kThiefMaster, 3, 1, 16, 4);
        faceOnEntering(kThiefMaster, 0, entering);
    } else {
        dressFigure(kThiefMaster, 2, 1, 16, 0, 0, entering);
    }
    if (scene == 1) {
        dressFigure(1, 2, 1, 0, 0, 0, entering);
        const int columns[3] = {1, 2, 47};
        for (int i = 0; i < 3; ++i) dressFigure(2 + i, 0, 1, columns[i], 0, 0, entering);
    }
    return 0;
}

void runMapEvents114() {
    const bool handled = gFieldEvent == kThiefMaster + 1;
    if (handled) {
        const int scene = gStoryFlags[kThiefMasterScene];
        if (scene == 0) {
            changeMap(114, 17, 16, 0);
            setFlag(kThiefMasterScene, 1);
            gPlayerVisible = 0;
        } else if (scene == 1) {
            runThiefMasterScene();
        } else {
            runBodyguardOffer(3, kThiefMasterJoined, "114.1.groan", "114.1.joined");  // beaten, he offers himself, once
        }
    }
    finishLiftFloorCall(handled);
}

// ---- Map 118: もろこし ----

namespace {

constexpr int kMerchant = 4;

// A line of the dialogue with the price written where it says %d.
std::string withPrice(const std::string& line) {
    const std::size_t at = line.find("%d");
    if (at == std::string::npos) return line;
    return line.substr(0, at) + std::to_string(specialSalePrice(gMoney[kCoins])) + line.substr(at + 2);
}

void sayPrice() {
    const char* key = gMoney[kCoins] >= kSpecialSaleCap ? "118.5.price.full" : "118.5.price";
    const DialogueLine* line = findDialogue(key);
    if (line != nullptr) {
        std::string text[3];
        for (int i = 0; i < 3; ++i) text[i] = withPrice(line->lines[i]);
        setMessagePortrait(line->layout, line->portrait, line->expression);
        setMessage(line->speaker.c_str(), text[0].c_str(), text[1].c_str(), text[2].c_str());
        showMessage(0);
    } else {
        say(key, 0);
    }
}

// The special sale: the flamethrower for most of her purse, then his shop.
constexpr SpecialSale kSale = {
    118, 5, kMerchant, 30, 6, 4, 7, kCoins, sayPrice, kMerchantShop, kMerchantGoods, 18, 31, 1,
};

// After the sale: his bonus card once, then shopping, a rest or the way out.
void runMerchantTalk() {
    const int s = gEventStep;
    switch (s) {
        case 10: sayStep(118, 5, 110, 0); break;
        case 11:
            offerChoice("118.5.menu", 3);
            branchOnChoice(12, 17, 15);
            break;
        case 12: sayStep(118, 5, 112, 0); break;
        case 13: openShop(kMerchantShop, kMerchantGoods, 15); break;
        case 14: endEvent(); break;
        case 15: sayStep(118, 5, 115, 0); break;
        case 16: changeMap(105, 18, 14, 0); break;
        case 17:
            gMoneyWindow = 1;
            sayStep(118, 5, 117, 0);
            break;
        case 18:
        case 19: sayStep(118, 5, 100 + s, 0); break;
        case 20:
            // kept: a balance of exactly the price cannot pay for the rest
            if (gMoney[kCoins] <= kRestPrice) {
                say("118.5.120.broke", 3);
            } else {
                offerChoice("118.5.rest", 2);
                branchOnChoice(21, 22, 0);
            }
            break;
        case 21:
            gMoneyWindow = 0;
            endEvent();
            break;
        case 22:
            playSoundEffect("Kaikei.wav");
            gMoney[kCoins] -= kRestPrice;
            runNightStep(s, 22, kSeaBaseSong);
            break;
        default:
            if (!runBonusCardGift(s, 118, 5, "118.5.bonus")) runNightStep(s, 22, kSeaBaseSong);
            break;
    }
}

}  // namespace

int setupMap118(int entering) {
    setUpLevel(118, entering);
    dressFigure(kMerchant, gStoryFlags[kSpecialSale] != 2 ? 2 : 3, 1, 48, 0, 0, entering);
    return 0;
}

void runMapEvents118() {
    const bool handled = gFieldEvent == kMerchant + 1;
    if (handled) {
        const int sale = gStoryFlags[kSpecialSale];
        if (sale == 0) {
            changeMap(118, 18, 31, 1);
            setFlag(kSpecialSale, 1);
        } else if (sale == 1) {
            runSpecialSale(kSale);
        } else {
            runMerchantTalk();
        }
    }
    finishLiftFloorCall(handled);
}

// ---- Map 119: the top ----

namespace {

constexpr int kSherylFigure = 2;
constexpr int kFalkFigure = 3;
constexpr int kRimelFigure = 4;
constexpr int kSelen = 7;
constexpr int kChrom = 6;

// クロム and セレン, the last battle (group 85) and the start of the ending.
// The top of the base as its last scene is watched: the party on the left,
// クロム and セレン on the right.
constexpr float kTopViewRow = 22.0f;
constexpr float kTopViewCol = 10.0f;

void runLastScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            setFlag(flag::kBossPhaseA, 0);
            fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
            break;
        case 1:
            setFlag(flag::kLastSceneBegun, 1);
            gPlayerVisible = 0;
            cutToCell(kTopViewRow, kTopViewCol);  // in the dark, away from the hidden arrival
            break;
        case 2: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 3:
            for (int slot = 2; slot <= 5; ++slot) walk(slot, 9, 25);
            lookAtCell(kTopViewRow, kTopViewCol, 10);
            break;
        case 9: walk(kRimelFigure, 9, 6); break;
        case 14: walk(kSherylFigure, 9, 6); break;
        case 19: walk(kFalkFigure, 9, 6); break;
        case 4:
        case 10:
        case 15:
        case 20:
        case 37:
        case 41: waitWalk(); break;
        case 24: changeMusic("【バトル】波打つ要塞の天辺で.mid"); break;
        case 26:
            face(kSelen, 0);
            sayStep(119, 1, s, 0);
            break;
        case 29:
            face(kSelen, 1);
            sayStep(119, 1, s, 0);
            break;
        case 30:
            changeMap(119, 18, 17, 2);
            startBattle(85, gSavedBattleBackground, gBattleBackground);
            pose(kChrom, 4);
            pose(kSelen, 4);
            break;
        case 31:
            cutToCell(kTopViewRow, kTopViewCol);  // back from the battle
            requestMusicStop();
            break;
        case 36:
            walk(kFalkFigure, 1, 45);
            walk(kRimelFigure, 1, 25);
            break;
        case 38:
            face(kRimelFigure, 0);
            sayStep(119, 1, s, 0);
            break;
        case 39:
            face(kSherylFigure, 1);
            sayStep(119, 1, s, 0);
            break;
        case 40:
            walk(kSherylFigure, 1, 25);
            walk(kRimelFigure, 0, 15, 1, 15);
            break;
        case 42: startEnding(0); break;
        default:
            if ((s >= 5 && s <= 23) || (s >= 25 && s <= 28) || (s >= 32 && s <= 35)) sayStep(119, 1, s, 0);
            break;
    }
}

}  // namespace

int setupMap119(int entering) {
    liftFloorArrival(119, entering);
    const int begun = gStoryFlags[flag::kLastSceneBegun];
    trigger(0, begun == 0 ? 2 : 0);
    if (begun == 1) {
        dressFigure(kSherylFigure, 2, 1, 0, 0, 0, entering);
        const int columns[3] = {1, 2, 47};
        for (int i = 0; i < 3; ++i) dressFigure(3 + i, 0, 1, columns[i], 0, 0, entering);
    }
    dressFigure(kChrom, 0, 1, 5, 0, 1, entering);
    dressFigure(kSelen, 0, 1, 6, 0, 1, entering);
    return 0;
}

void runMapEvents119() {
    const bool handled = gFieldEvent == 1;
    if (handled) runLastScene();
    finishLiftFloorCall(handled);
}
