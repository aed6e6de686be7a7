// The old undersea railway below the sea district and the ruins of the Diogo
// principality at its end: the entrance hall (127), the railway's sixteen
// rooms, which are one map loaded again for each stage (128), the ruins'
// square with アラフォース and もろこし (16) and the inner ruins where アルゴン
// waits (129). A run starts at the hall's gate with the bodyguards dismissed;
// leaving the railway or the ruins' square hires again those who ever joined.
#include <cstdint>

#include "engine/Sound.h"
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
constexpr int kRailwayStage = 115;    // the room the party is in, 0-15; 16 past the last
constexpr int kGuardBeaten = 116;     // the current room's guard is gone
constexpr int kGuardSprite = 118;     // the current room's guard, copied on entering
constexpr int kChestItem = 119;       // the current room's chest item less 100 (signed)
constexpr int kInnerRuins = 129;      // 0 アルゴン stands, 1 his scene due, 2 beaten on this run
constexpr int kArgonBeatenOnce = 131; // later runs go straight to his battle

constexpr int kStageCount = 16;
constexpr int kFirstGuardGroup = 90;
constexpr int kFirstRailwayChest = 200;
constexpr int kThiefMasterStage = 15;

struct RailwayStage {
    int guardSprite;
    int chestItem;
};
constexpr RailwayStage kStages[kStageCount] = {
    {21, 135}, {23, 156}, {53, 139}, {27, 145}, {39, 146}, {41, 157}, {45, 146}, {29, 144},
    {43, 112}, {31, 158}, {50, 127}, {25, 113}, {33, 159}, {55, 115}, {35, 126}, {16, 98},
};

void setFlag(int index, int value) { gStoryFlags[index] = static_cast<std::uint8_t>(value); }

// Those bodyguards who ever joined are hired again; the others stay as they are.
void rehireBodyguards() {
    for (int k = 0; k < kBodyguardCount; ++k)
        if (gStoryFlags[flag::kBodyguard0Joined + k] != 0) gBodyguardHired[k] = 1;
}

// Back out to the entrance hall: the next run starts at the first room.
void leaveForEntranceHall() {
    changeMap(127, 43, 17, 0);
    setFlag(kRailwayStage, 0);
    setFlag(kGuardBeaten, 0);
}

// The figures of the party members in party slots 1 to 3 (an empty slot
// leaves its figure alone).
void dressPartyFigures(int firstSlot, int entering) {
    for (int i = 0; i < 3; ++i)
        if (gParty[i] != 0) dressFigure(firstSlot + i, 0, 1, gParty[i] - 1, 0, 1, entering);
}

}  // namespace

// ---- Map 127: the entrance hall ----

namespace {

struct HallPerson {
    int slot, column, row, facing;
};
constexpr HallPerson kHallPeople[] = {
    {4, 45, 8, 0}, {5, 45, 9, 1}, {6, 46, 7, 1}, {7, 45, 9, 0}, {8, 46, 7, 0}, {9, 45, 8, 0},
};

}  // namespace

int setupMap127(int entering) {
    if (entering == 1) applyMapArrival(127);
    for (int slot : {0, 1, 2, 3, 10, 11}) trigger(slot, 1);
    for (const HallPerson& p : kHallPeople) dressFigure(p.slot, 3, 1, p.column, p.row, p.facing, entering);
    return 0;
}

void runMapEvents127() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 4) {
        changeMap(2, 26, 5, 1);
    } else if (event >= 5 && event <= 9) {
        runTalk(127, event);
    } else if (event == 10) {
        runTalk(127, 10, 3);
    } else if (event == 11 || event == 12) {
        // Into the dark without the bodyguards; the run starts at the first room.
        for (int k = 0; k < kBodyguardCount; ++k) gBodyguardHired[k] = 0;
        setFlag(kRailwayStage, 0);
        setFlag(kGuardBeaten, 0);
        setFlag(kInnerRuins, 0);
        changeMap(128, 10, 3, 1);
    } else {
        endSilentEvent();
    }
    ++gEventStep;
}

// ---- Map 128: a room of the railway ----

int setupMap128(int entering) {
    if (entering == 1) applyMapArrival(128);
    const int stage = gStoryFlags[kRailwayStage];
    const bool inRun = stage < kStageCount;
    if (entering == 1 && inRun) {
        setFlag(kGuardSprite, kStages[stage].guardSprite);
        gStoryFlags[kChestItem] = static_cast<std::uint8_t>(static_cast<std::int8_t>(kStages[stage].chestItem - 100));
    }
    trigger(0, 1);
    trigger(2, 1);
    if (gStoryFlags[kGuardBeaten] == 0) {
        dressFigure(1, 1, 1, gStoryFlags[kGuardSprite], 0, 0, entering);
    } else if (gMapObjects[1].present) {
        gMapObjects[1].kind = 0;
        gMapObjects[1].visible = 0;
    }
    // Past the last room there is no chest of this run to show: its number
    // would fall outside the railway's own chests.
    if (inRun) chest(3, kFirstRailwayChest + stage, 100 + static_cast<std::int8_t>(gStoryFlags[kChestItem]), 1);
    return 0;
}

void runMapEvents128() {
    const int stage = gStoryFlags[kRailwayStage];
    switch (gFieldEvent) {
        case 1:
            rehireBodyguards();
            leaveForEntranceHall();
            break;
        case 2:
            switch (gEventStep) {
                case 0:
                case 1:
                    if (stage == kThiefMasterStage) sayStep(128, 2, gEventStep, 0);
                    break;
                case 2:
                    startBattle(kFirstGuardGroup + stage, gSavedBattleBackground, gBattleBackground);
                    setFlag(flag::kBossPhaseB, 0);
                    setFlag(kGuardBeaten, 1);
                    break;
                case 3: endEvent(); break;
                default: break;
            }
            break;
        case 3:
            if (stage < kThiefMasterStage) changeMap(128, 10, 3, 1);
            else changeMap(16, 39, 17, 1);
            setFlag(kRailwayStage, stage + 1);
            setFlag(kGuardBeaten, 0);
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 16: the ruins' square ----

int setupMap16(int entering) {
    if (entering == 1) applyMapArrival(16);
    const int scene = gStoryFlags[flag::kRuinsScene];
    for (int slot : {0, 1, 12, 13, 14}) trigger(slot, 1);
    trigger(2, scene == 0 ? 1 : 0);
    trigger(3, scene == 0 ? 1 : 0);
    if (scene != 2) {
        dressFigure(4, scene == 1 ? 2 : 0, 1, 47, 0, 0, entering);
        dressFigure(5, 0, 1, 48, 0, 0, entering);
    }
    if (scene == 1) dressPartyFigures(6, entering);
    chest(9, 197, 146, 2);
    chest(10, 198, 171, 3);
    chest(11, 199, 135, 5);
    return 0;
}

namespace {

constexpr int kMorokoshiFigure = 5;

// アラフォース and もろこし in the ruins of his homeland: battle 106, then
// もろこし goes back to マルクセング.
void runRuinsScene() {
    const int s = gEventStep;
    switch (s) {
        case 1:
            setFlag(flag::kBossPhaseA, 0);
            sayStep(16, 5, s, 0);
            break;
        case 5:
            startBattle(106, gSavedBattleBackground, gBattleBackground);
            setFlag(flag::kBossPhaseB, 0);
            break;
        case 15: walk(kMorokoshiFigure, 6, 60); break;
        case 16: waitWalk(); break;
        case 17:
            setFlag(flag::kRuinsScene, 2);
            gPlayerVisible = 1;
            changeMap(16, 16, 12, 1);
            break;
        default:
            if ((s >= 2 && s <= 4) || (s >= 6 && s <= 14)) sayStep(16, 5, s, 0);
            break;
    }
}

}  // namespace

void runMapEvents16() {
    const int scene = gStoryFlags[flag::kRuinsScene];
    switch (gFieldEvent) {
        case 1:
        case 2:
            rehireBodyguards();
            leaveForEntranceHall();
            break;
        case 3:
        case 4:
            if (scene == 0) {
                setFlag(flag::kRuinsScene, 1);
                gPlayerVisible = 0;
                changeMap(16, 16, 12, 1);
            } else {
                endEvent();
            }
            break;
        case 5:
            if (scene == 1) runRuinsScene();
            else endEvent();
            break;
        case 13:
        case 14:
        case 15:
            rehireBodyguards();
            changeMap(129, 45, 12, 1);
            setFlag(kRailwayStage, 0);
            setFlag(kGuardBeaten, 0);
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 129: the inner ruins ----

int setupMap129(int entering) {
    if (entering == 1) applyMapArrival(129);
    const int argon = gStoryFlags[kInnerRuins];
    for (int slot : {0, 1, 2}) trigger(slot, 1);
    if (argon == 0)
        for (int slot : {4, 5, 6}) trigger(slot, 1);
    if (argon != 2) dressFigure(3, argon == 1 ? 2 : 0, 1, 7, 0, 0, entering);
    if (argon == 1) dressPartyFigures(7, entering);
    return 0;
}

namespace {

constexpr int kArgonFigure = 3;

// アルゴン bids シェリル leave; she may go, or fight him (battle 107). Once he
// has been beaten, later runs fight him without the talk.
void runArgonScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            lookAtCell(31.0f, 10.0f, 1);  // アルゴン and the party between the hall's pillars
            setFlag(flag::kBossPhaseA, 0);
            if (gStoryFlags[kArgonBeatenOnce] == 1) gEventStep = 7;
            break;
        case 3:
            face(kArgonFigure, 0);
            sayStep(129, 4, s, 0);
            break;
        case 5:
            offerChoice("129.4.choice", 2);
            branchOnChoice(6, 7, 0);
            break;
        case 6:
            setFlag(kRailwayStage, 0);
            setFlag(kGuardBeaten, 0);
            setFlag(kInnerRuins, 0);
            gPlayerVisible = 1;
            changeMap(127, 43, 17, 0);
            break;
        case 7:
            face(kArgonFigure, 0);
            sayStep(129, 4, s, 0);
            break;
        case 8:
            startBattle(107, gSavedBattleBackground, gBattleBackground);
            setFlag(flag::kBossPhaseB, 0);
            break;
        case 9:
            cutToCell(31.0f, 10.0f);  // back from the battle, to the beaten アルゴン
            pose(kArgonFigure, 4);
            sayStep(129, 4, s, 0);
            break;
        case 10:
            setFlag(kRailwayStage, 0);
            setFlag(kGuardBeaten, 0);
            setFlag(kInnerRuins, 2);
            setFlag(kArgonBeatenOnce, 1);
            gPlayerVisible = 1;
            changeMap(127, 43, 17, 0);
            break;
        default:
            if (s >= 1 && s <= 4) sayStep(129, 4, s, 0);
            break;
    }
}

}  // namespace

void runMapEvents129() {
    const int argon = gStoryFlags[kInnerRuins];
    switch (gFieldEvent) {
        case 1:
        case 2:
        case 3:
            leaveForEntranceHall();
            break;
        case 4:
            if (argon == 1) runArgonScene();
            else endEvent();
            break;
        case 5:
        case 6:
        case 7:
            if (argon == 0) {
                setFlag(kInnerRuins, 1);
                gPlayerVisible = 0;
                changeMap(129, 33, 12, 1);
            } else {
                endEvent();
            }
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}
