// playthrough: plays the story by itself through the real game, from the
// title's Game Start along the route of a goals file (route.txt, copied
// beside the program), with the keys a player holds: the field's own
// movement, the real scenes, battles, shops and save screens. It writes the
// keys it held on every frame as a playtest input file; replaying that file
// with playtest and the same clock gives the same run.
//
//   playthrough --route 1|2 --workdir DIR --out FILE [--frames N] [--clock SECONDS]
//               [--null-gfx] [--goals FILE] [--continue SLOT]
//
// --continue starts from the title's Continue with a save already in the
// folder, to try a stretch of goals without playing the road up to it.
// It prints a line for each map change, battle, shop, bank, duel, race and
// save, then the final state and the totals; the exit code is 0 when the
// route's goals were all met and every battle it expects was fought.
#include <algorithm>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <unistd.h>
#include <vector>

#include "battle/BattleRecords.h"
#include "engine/Input.h"
#include "programs/Playtest.h"
#include "engine/Scene.h"
#include "field/EventState.h"
#include "events/MessageWindow.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/StaffRoll.h"
#include "menus/Title.h"
#include "minigames/BoatRaceState.h"
#include "minigames/CardDuelState.h"
#include "tools/playthrough/DuelPlayer.h"
#include "tools/playthrough/FieldWalk.h"
#include "tools/playthrough/GearPlayer.h"
#include "tools/playthrough/RacePlayer.h"
#include "tools/playthrough/RouteGoals.h"
#include "tools/playthrough/ScreenPlayer.h"

namespace {

Route gRoute;

// What the party borrows at the bank when it comes to a counter (フォッグ):
// enough for a stock of the strong sprays.
constexpr int kLoanWanted = 4000;

// The slot of the camp menu's save that the reload goal loads again (the
// chapter-end saves go to the slot under the chooser's cursor).
constexpr int kReloadSlot = 1;

struct Run {
    int goal = 0;
    size_t choice = 0;
    unsigned lastKeys = 0;
    int lastScene = -1;
    int lastMap = -1;
    int battles = 0;
    int battlesWon = 0;
    int battlesLost = 0;
    int escapes = 0;
    int shops = 0;
    int banks = 0;
    int inns = 0;
    int duels = 0;
    int races = 0;
    int saves = 0;
    int loads = 0;
    bool battleRunning = false;
    bool symbolBattle = false;  // met an enemy symbol (no scene was running)
    bool escaped = false;
    bool choosing = false;
    bool goalMapSeen = false;  // the current goal's map has been entered
    bool touched = false;      // the event of the current inn or lever runs
    int settleFrames = 0;      // a pulled lever's gates still moving
    int reloadPhase = 0;       // Reload: 0 open the camp menu and save, 1 saved, 2 at the title
    bool lastSaveScene = false;
    bool titleSeen = false;
    bool outfitting = false;      // at a counter reached by an outfit goal: gear first
    bool staffRollSeen = false;
    int moneyBefore = 0;
    int duelsBefore = 0;
    bool finished = false;
    bool failed = false;
    long stuckFrames = 0;
    int lostFrames = 0;        // frames in a row with no way to the goal
    float lastX = 0.0f, lastZ = 0.0f;
    std::vector<int> groupsFought;
    std::vector<unsigned> keys;  // the keys of frame n at [n - 1]
};
Run gRun;

// How long a walk may find no way before the road fails (frames).
constexpr int kLostFramesAllowed = 120;

// The save slot the title's Continue loads at the start (-1: Game Start).
int gContinueSlot = -1;

int goalCount() { return static_cast<int>(gRoute.goals.size()); }

// F12 has no input code of its own: the player's code for it.
constexpr int kCodeF12 = 99;

unsigned keysFor(int code) {
    if (code == kInputCancel) return kPlayCancel;
    if (code == kCodeF12) return kPlayF12;
    unsigned keys = 0;
    if (code >= kInputDecide) {
        keys |= kPlayDecide;
        code -= kInputDecide;
    }
    switch (code) {
        case 8: keys |= kPlayUp; break;
        case 2: keys |= kPlayDown; break;
        case 4: keys |= kPlayLeft; break;
        case 6: keys |= kPlayRight; break;
        case 7: keys |= kPlayUp | kPlayLeft; break;
        case 9: keys |= kPlayUp | kPlayRight; break;
        case 1: keys |= kPlayDown | kPlayLeft; break;
        case 3: keys |= kPlayDown | kPlayRight; break;
        default: break;
    }
    return keys;
}

void nextGoalStarted() {
    ++gRun.goal;
    gRun.goalMapSeen = gRun.goal < static_cast<int>(gRoute.goals.size()) &&
                       gRoute.goals[static_cast<size_t>(gRun.goal)].map == gCurrentMap;
    resetWalkProgress();
}

int wantedChoice() { return gRun.choice < gRoute.choices.size() ? gRoute.choices[gRun.choice] : 0; }

const RouteGoal* currentGoal() { return gRun.goal < goalCount() ? &gRoute.goals[static_cast<size_t>(gRun.goal)] : nullptr; }

// On the way to a card player the road answers for itself: the duel at his
// talk, and the first option, the shortest talk, at any other window on his
// map (the card boy's first meeting on the way: "知ってる。").
bool answeringForADuel() {
    const RouteGoal* goal = currentGoal();
    return goal != nullptr && goal->kind == GoalKind::Duel && gCurrentMap == goal->map;
}

// The option for a choice window: the inn's stay while at the inn, the duel
// at a card player, else the route's next.
int choiceNow() {
    const RouteGoal* goal = currentGoal();
    if (gRun.touched && goal != nullptr) {
        if (goal->kind == GoalKind::Ask) return goal->level;
        // stay; "カードバトルする。"; "動かす"
        return goal->kind == GoalKind::Inn || goal->kind == GoalKind::Duel ? 1 : 0;
    }
    if (answeringForADuel()) return 0;
    return wantedChoice();
}

int fieldCode() {
    const RouteGoal* goal = currentGoal();
    const bool anywhere = goal != nullptr && goal->kind == GoalKind::Reload;
    if (gFieldEvent != 0 || goal == nullptr || (gCurrentMap != goal->map && !anywhere)) return eventCode(choiceNow());
    bool lost = false;
    int code = 0;
    switch (goal->kind) {
        case GoalKind::Walk:
        case GoalKind::Outfit:
        case GoalKind::Inn:
        case GoalKind::Ask:
        case GoalKind::Duel: code = walkTowardsSlot(goal->slot, &lost); break;
        case GoalKind::Equip: return kInputCancel;  // the camp menu
        case GoalKind::Pull:
            if (gRun.settleFrames > 0) return 0;
            code = walkTowardsSlotFrom(goal->slot, goal->row, goal->col, &lost);
            break;
        case GoalKind::Cell: code = walkOntoCell(goal->row, goal->col, &lost); break;
        case GoalKind::Chest: code = jumpIntoChest(goal->slot, &lost); break;
        case GoalKind::Grind: code = walkTowardsNearestEnemy(&lost); break;
        case GoalKind::Reload: return gRun.reloadPhase == 0 ? kInputCancel : kCodeF12;
        default: return eventCode(choiceNow());
    }
    // Gates still rising or sinking after an arrival open the way within a
    // second or two: only a way that stays shut fails the road.
    gRun.lostFrames = lost ? gRun.lostFrames + 1 : 0;
    if (gRun.lostFrames > kLostFramesAllowed && goal->kind != GoalKind::Grind) {
        std::fprintf(stderr, "playthrough: no way to %s (%s) on map %d (goals line %d)\n",
                     goal->kind == GoalKind::Cell ? "the cell" : "the slot", goal->what.c_str(), goal->map, goal->line);
        gRun.failed = true;
    }
    return code;
}

// With PLAYTHROUGH_TRACE set, a line at the start of every action of a
// battle: who acts with what, the line's HP and the enemies' HP.
void traceBattleTurn() {
    static int lastPhase = -1;
    const int phase = gScene == 100 ? gBattleAction.phase : -1;
    const bool starting = phase == kPhaseActionStart && lastPhase != kPhaseActionStart;
    const bool opening = phase >= 0 && lastPhase < 0;
    lastPhase = phase;
    if (std::getenv("PLAYTHROUGH_TRACE") == nullptr) return;
    if (opening) {
        for (int s = 0; s < 3; ++s) {
            const int unit = gParty[s];
            if (unit == 0) continue;
            const PartyMember& m = gPartyMembers[unit];
            std::printf("  unit %d: level %d hp %d/%d sp %d/%d atk %d def %d mag %d mdf %d spd %d; items %d %d %d %d;"
                        " stones %d %d; skills %d %d %d %d\n",
                        unit, m.level, m.hp, computeUnitStat(unit, kStatMaxHp), m.sp, computeUnitStat(unit, kStatMaxSp),
                        computeUnitStat(unit, kStatAttack), computeUnitStat(unit, kStatDefence),
                        computeUnitStat(unit, kStatMagic), computeUnitStat(unit, kStatMagicDefence),
                        computeUnitStat(unit, kStatSpeed), m.equipment[0], m.equipment[1], m.equipment[2],
                        m.equipment[3], m.stones[0], m.stones[1], m.skillCounts[0][0], m.skillCounts[1][0],
                        m.skillCounts[2][0], m.skillCounts[3][0]);
        }
    }
    if (opening) {
        std::printf("  owned:");
        for (int id = 1; id < kItemCount; ++id)
            if (gItemStock[id].owned > 0) std::printf(" %d:%d", id, gItemStock[id].owned);
        std::printf("\n");
    }
    if (!starting) return;
    const BattleActionBlock& a = gBattleAction;
    std::printf("  turn %d: side %d slot %d weapon %d stone %d item %d at %d:%d; party", gBattleSchedule.roundCount,
                a.actingSide, a.actingIndex, a.pendingWeaponSkill, a.pendingStoneSkill, a.pendingItem, a.targetSide,
                a.targetIndex);
    for (int s = 0; s < 3; ++s) std::printf(" %d", gParty[s] != 0 ? gPartyMembers[gParty[s]].hp : 0);
    std::printf("; enemies");
    for (int k = 0; k < kEnemySlotCount; ++k)
        if (gEnemyBattlers[k].monster != 0) std::printf(" %d:%d/%d", gEnemyBattlers[k].monster, gEnemyBattlers[k].hp, gEnemyBattlers[k].maxHp);
    std::printf("\n");
}

void noteBattle() {
    if (gScene == 10 && gRun.lastScene != 10) gRun.symbolBattle = gFieldEvent == 0;
    if (gScene == 100 && !gRun.battleRunning) {
        gRun.battleRunning = true;
        if (!gRun.symbolBattle) {
            ++gRun.battles;
            gRun.groupsFought.push_back(gBattleGroup);
        }
        std::printf("%s group %d on map %d, hp %d %d %d, levels %d %d %d, sprays %d\n", gRun.symbolBattle ? "symbol" : "battle",
                    gBattleGroup, gCurrentMap, gPartyMembers[gParty[0]].hp, gPartyMembers[gParty[1]].hp,
                    gPartyMembers[gParty[2]].hp, gPartyMembers[gParty[0]].level, gPartyMembers[gParty[1]].level,
                    gPartyMembers[gParty[2]].level, gItemStock[bestSpray()].owned);
    }
    if (gRun.battleRunning && gBattleAction.phase == kPhaseEscape) gRun.escaped = true;
    traceBattleTurn();
    if (gRun.battleRunning && gScene != 100 && gScene != 10) {
        gRun.battleRunning = false;
        const bool lost = gScene == 1000 || gScene == 1001;
        const char* outcome = lost ? "lost" : gRun.escaped ? "escaped" : "won";
        if (!gRun.symbolBattle) {
            if (lost) ++gRun.battlesLost;
            else if (!gRun.escaped) ++gRun.battlesWon;
        }
        if (gRun.escaped) ++gRun.escapes;
        gRun.escaped = false;
        std::printf("%s %s\n", gRun.symbolBattle ? "symbol" : "battle", outcome);
        // A lost battle sends the party to the title: the route is over.
        if (lost) gRun.failed = true;
    }
}

void noteScreens() {
    if (gScene == gRun.lastScene) return;
    if (gRun.lastScene == 300) gRun.outfitting = false;
    if (gRun.lastScene == 400) {
        const char* results[] = {"won", "lost", "drawn"};
        std::printf("duel %s\n", gDuelResult <= kDuelDraw ? results[gDuelResult] : "?");
    }
    switch (gScene) {
        case 300: ++gRun.shops; std::printf("shop\n"); break;
        case 301: ++gRun.banks; std::printf("bank, loan %d\n", gLoan); break;
        case 400: ++gRun.duels; std::printf("duel with opponent %d\n", gDuelOpponent); break;
        case 500:
            ++gRun.races;
            resetRacePlayer();
            std::printf("race on course %d\n", gRaceCourse);
            break;
        case 9: ++gRun.saves; std::printf("save chapter\n"); break;
        case 900:
            gRun.staffRollSeen = true;
            std::printf("staff roll\n");
            break;
        case 210: ++gRun.saves; std::printf("save menu\n"); break;
        default: break;
    }
    gRun.lastScene = gScene;
}

void noteGoals() {
    // A choice is made once its window has closed (the inn's and the duel's
    // are their own).
    if (gRun.choosing && gMessageMode != 2 && !gRun.touched && !answeringForADuel()) {
        std::printf("choice %zu on map %d: option %d\n", gRun.choice + 1, gCurrentMap, wantedChoice());
        ++gRun.choice;
    }
    gRun.choosing = gMessageMode == 2;
    const RouteGoal* goal = currentGoal();
    if (goal == nullptr) return;
    const bool free = gScene == 0 && gFieldEvent == 0;
    if (gCurrentMap == goal->map) gRun.goalMapSeen = true;
    switch (goal->kind) {
        case GoalKind::Check:
            if (lineLevel() >= goal->level) {
                std::printf("level %d reached\n", lineLevel());
                gRun.goal = goal->jump - 1;
            }
            nextGoalStarted();
            return;
        case GoalKind::Chest: {
            const int chest = gMapObjects[goal->slot].index;
            const bool opened = chest >= 0 && chest < kChestCount && gChestFlags[chest] != 0;
            if (free && gCurrentMap == goal->map && opened) {
                std::printf("chest %d opened: %s\n", chest, goal->what.c_str());
                nextGoalStarted();
            }
            return;
        }
        case GoalKind::StaffRoll:
            if (gRun.staffRollSeen && (gScene == 1000 || gScene == 1001)) {
                std::printf("title after the staff roll\n");
                nextGoalStarted();
            }
            return;
        case GoalKind::Heal:
            healUnder(goal->level);
            std::printf("heal under %d%%\n", goal->level);
            nextGoalStarted();
            return;
        case GoalKind::Skills:
            pickStrongestSkills(goal->level != 0);
            std::printf("weapon skills: %s\n", goal->what.c_str());
            nextGoalStarted();
            return;
        case GoalKind::Arrive:
            if (free && gCurrentMap == goal->map && (goal->flag < 0 || gStoryFlags[goal->flag] == goal->value)) {
                std::printf("arrived: %s\n", goal->what.c_str());
                nextGoalStarted();
            }
            return;
        case GoalKind::Grind:
            if (free && gCurrentMap == goal->map &&
                (lineLevel() >= goal->level || !lineHealthy() || !enemySymbolsLeft())) {
                std::printf("ground %s to level %d\n", goal->what.c_str(), lineLevel());
                nextGoalStarted();
            }
            return;
        case GoalKind::Inn:
        case GoalKind::Ask:
        case GoalKind::Pull:
            if (!gRun.touched && gCurrentMap == goal->map && gFieldEvent == goal->slot + 1) {
                gRun.touched = true;
                gRun.moneyBefore = gMoney[0];
            } else if (gRun.touched && free && goal->kind == GoalKind::Ask) {
                // The answer may have carried the party to another map.
                gRun.touched = false;
                std::printf("answered %d: %s\n", goal->level, goal->what.c_str());
                nextGoalStarted();
            } else if (gRun.touched && free && goal->kind == GoalKind::Inn) {
                gRun.touched = false;
                ++gRun.inns;
                std::printf("inn on map %d, paid %d\n", gCurrentMap, gRun.moneyBefore - gMoney[0]);
                nextGoalStarted();
            } else if (gRun.touched && free) {
                // The gates take 128 frames to swing: stand still meanwhile.
                if (gRun.settleFrames == 0) {
                    std::printf("pulled %s\n", goal->what.c_str());
                    gRun.settleFrames = 140;
                } else if (--gRun.settleFrames == 0) {
                    gRun.touched = false;
                    nextGoalStarted();
                }
            }
            return;
        case GoalKind::Duel:
            // Met once the card player's talk is over, whatever the duel gave.
            if (!gRun.touched && gCurrentMap == goal->map && gFieldEvent == goal->slot + 1) {
                gRun.touched = true;
                gRun.duelsBefore = gRun.duels;
            } else if (gRun.touched && free) {
                gRun.touched = false;
                if (gRun.duels == gRun.duelsBefore) std::printf("no duel at %s\n", goal->what.c_str());
                nextGoalStarted();
            }
            return;
        case GoalKind::Reload: {
            const bool atTheTitle = gScene == 1000 || gScene == 1001 || gScene == 1002;
            // Saved once the save screen has been left.
            if (gRun.reloadPhase == 0 && gRun.lastSaveScene && gScene != 210) gRun.reloadPhase = 1;
            gRun.lastSaveScene = gScene == 210;
            if (gRun.reloadPhase >= 1 && atTheTitle) gRun.reloadPhase = 2;
            if (gRun.reloadPhase == 2 && !atTheTitle) {
                ++gRun.loads;
                std::printf("load slot %d on map %d\n", kReloadSlot, gCurrentMap);
                gRun.reloadPhase = 0;
                nextGoalStarted();
            }
            return;
        }
        case GoalKind::Equip: {
            int partySlot = 0, equipSlot = 0, item = 0;
            if (free && gCurrentMap == goal->map && !nextGearChange(&partySlot, &equipSlot, &item) && !stoneToWear() &&
                !nextCampHeal(&partySlot, &equipSlot, &item)) {
                std::printf("equipped %s\n", goal->what.c_str());
                nextGoalStarted();
            }
            return;
        }
        case GoalKind::Outfit:
            if (gCurrentMap == goal->map && gFieldEvent == goal->slot + 1) gRun.outfitting = true;
            break;
        case GoalKind::Walk:
        case GoalKind::Cell: break;
    }
    // A walk is met once its event has started, or once the road, having
    // been on the goal's map, is on another (an exit's event ends within the
    // frame); when a scene carried the road further, to the map of one of
    // the walks that follow, the road goes on from there.
    if (free) {
        if (gRun.goalMapSeen && gCurrentMap != goal->map) {
            std::printf("went past %s\n", goal->what.c_str());
            int later = gRun.goal + 1;
            while (later < goalCount() && gRoute.goals[static_cast<size_t>(later)].kind == GoalKind::Walk &&
                   gRoute.goals[static_cast<size_t>(later)].map != gCurrentMap)
                ++later;
            const bool carried = later < goalCount() && gRoute.goals[static_cast<size_t>(later)].map == gCurrentMap &&
                                 gRoute.goals[static_cast<size_t>(gRun.goal + 1)].map != gCurrentMap;
            gRun.goal = carried ? later - 1 : gRun.goal;
            nextGoalStarted();
        } else if (goal->slot >= 0 && goal->map == gCurrentMap && gMapObjects[goal->slot].kind == kObjectInert) {
            // A scene that has played (from this slot or a neighbour of its
            // line) leaves its slot inert.
            std::printf("played %s\n", goal->what.c_str());
            nextGoalStarted();
        }
    } else if (goal->slot >= 0 && gCurrentMap == goal->map && gFieldEvent == goal->slot + 1) {
        std::printf("touched slot %d on map %d: %s\n", goal->slot, gCurrentMap, goal->what.c_str());
        nextGoalStarted();
    }
}

void noteChanges() {
    if (gCurrentMap != gRun.lastMap) {
        std::printf("map %d\n", gCurrentMap);
        gRun.lastMap = gCurrentMap;
        resetWalkProgress();
    }
    noteBattle();
    noteScreens();
    noteGoals();
}

bool reloading() {
    const RouteGoal* goal = currentGoal();
    return goal != nullptr && goal->kind == GoalKind::Reload;
}

int chooseCode() {
    switch (gScene) {
        case 1000:
        case 1001:
        case 1002:
            gRun.titleSeen = true;
            return titleCode(reloading() && gRun.reloadPhase >= 1 ? kReloadSlot : gContinueSlot);
        case 0:
            if (gRun.titleSeen) gContinueSlot = -1;  // the start's Continue is over
            return fieldCode();
        case 100: return battleCode(gRun.symbolBattle);
        case 300: return shopCode(gRun.outfitting);
        case 301: return bankCode(kLoanWanted);
        case 200: case 201: case 202: case 203: case 204: case 205: case 206: case 207: case 209: case 210:
            if (currentGoal() != nullptr && currentGoal()->kind == GoalKind::Equip) return equipCode();
            return campCode(reloading() && gRun.reloadPhase == 0 ? kReloadSlot : -1);
        case 400: return duelCode();
        case 900: return gStaffRoll.mapShown == kStaffRollEndMap ? kInputDecide : 0;  // "Fin" takes a decide once it has stood five seconds
        case 500: return raceCode();
        case 9: return chooseSlot(0);  // the chapter-end saves go to the first slot
        default: return 0;
    }
}

// Walking that stops making way for ten seconds is a fault of the route.
void watchForAStall(unsigned keys) {
    if (gScene != 0 || gFieldEvent != 0 || keys == 0) return;
    if (gPlayerPos[0] != gRun.lastX || gPlayerPos[2] != gRun.lastZ) {
        gRun.stuckFrames = 0;
        return;
    }
    if (++gRun.stuckFrames > 600) {
        std::fprintf(stderr, "playthrough: stuck on map %d at row %.2f, column %.2f\n", gCurrentMap, playerRow(),
                     playerColumn());
        gRun.failed = true;
    }
}

unsigned chooseKeys(long frame) {
    noteChanges();
    if (!gRun.finished && !gRun.failed && gRun.goal >= goalCount()) {
        gRun.finished = true;
        std::printf("finished at frame %ld\n", frame);
    }
    unsigned keys = 0;
    if (!gRun.finished && !gRun.failed) {
        keys = keysFor(chooseCode());
        // Outside free walking a held key does not repeat at once: let go
        // for a frame so the next press counts.
        // The key-press games hold and let go by themselves.
        const bool walking = gScene == 0 && gFieldEvent == 0;
        const bool keyGame = (gScene == 100 && gBattleAction.phase == kPhaseActionRun && gKeyGameShown == 1) || gScene == 500;
        if (!walking && !keyGame && keys != 0 && keys == gRun.lastKeys) keys = 0;
    }
    watchForAStall(keys);
    const char* trace = std::getenv("PLAYTHROUGH_TRACE");
    if (trace != nullptr && (frame % 30 == 0 || trace[0] == '2')) {
        std::printf("  frame %ld scene %d map %d event %d step %d row %.2f col %.2f y %.2f keys %u goal %d\n", frame, gScene,
                    gCurrentMap, gFieldEvent, gEventStep, playerRow(), playerColumn(), gPlayerPos[1], keys, gRun.goal);
        if (gScene == 100) {
            std::printf("    battle phase %d party hp %d %d %d enemy hp", gBattleAction.phase, gPartyMembers[gParty[0]].hp,
                        gPartyMembers[gParty[1]].hp, gPartyMembers[gParty[2]].hp);
            for (int slot = 0; slot < kEnemySlotCount; ++slot)
                if (gEnemyBattlers[slot].monster > 0) std::printf(" %d", gEnemyBattlers[slot].hp);
            std::printf("\n");
        }
    }
    gRun.lastX = gPlayerPos[0];
    gRun.lastZ = gPlayerPos[2];
    gRun.lastKeys = keys;
    if (static_cast<long>(gRun.keys.size()) < frame) gRun.keys.resize(static_cast<size_t>(frame), 0);
    gRun.keys[static_cast<size_t>(frame - 1)] = keys;
    return keys;
}

bool writeScript(const std::string& path, int route) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    std::fprintf(out, "# Route %d, played by playthrough.\n", route);
    const char* names[] = {"up", "down", "left", "right", "decide", "cancel", "f12"};
    size_t first = 0;
    for (size_t n = 1; n <= gRun.keys.size(); ++n) {
        if (n < gRun.keys.size() && gRun.keys[n] == gRun.keys[first]) continue;
        if (gRun.keys[first] != 0) {
            std::string list;
            for (int b = 0; b < 7; ++b) {
                if ((gRun.keys[first] & (1u << b)) == 0) continue;
                if (!list.empty()) list += ',';
                list += names[b];
            }
            std::fprintf(out, "%zu %zu %s\n", first + 1, n, list.c_str());
        }
        first = n;
    }
    return std::fclose(out) == 0;
}

// The goals file kept beside the program.
std::string defaultGoalsPath() {
    char self[4096];
    const ssize_t n = readlink("/proc/self/exe", self, sizeof self - 1);
    if (n <= 0) return "playthrough-route.txt";
    std::string path(self, static_cast<size_t>(n));
    const size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) + "playthrough-route.txt";
}

// The story battles the route expects that were not fought.
std::vector<int> battlesMissed() {
    std::vector<int> missed;
    for (int group : gRoute.battles)
        if (std::find(gRun.groupsFought.begin(), gRun.groupsFought.end(), group) == gRun.groupsFought.end())
            missed.push_back(group);
    return missed;
}

}  // namespace

int main(int argc, char** argv) {
    std::string outPath;
    std::string goalsPath = defaultGoalsPath();
    int route = 0;
    std::vector<const char*> args{argv[0]};
    long frames = 60000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            outPath = argv[++i];
        } else if (arg == "--frames" && i + 1 < argc) {
            frames = std::strtol(argv[++i], nullptr, 10);
        } else if (arg == "--route" && i + 1 < argc) {
            route = static_cast<int>(std::strtol(argv[++i], nullptr, 10));
        } else if (arg == "--goals" && i + 1 < argc) {
            goalsPath = argv[++i];
        } else if (arg == "--continue" && i + 1 < argc) {
            gContinueSlot = static_cast<int>(std::strtol(argv[++i], nullptr, 10));
        } else {
            args.push_back(argv[i]);
        }
    }
    if (outPath.empty() || (route != 1 && route != 2) || gContinueSlot < -1 || gContinueSlot > 3) {
        std::fprintf(stderr,
                     "usage: playthrough --route 1|2 --workdir DIR --out FILE [--frames N] [--clock SECONDS] "
                     "[--null-gfx] [--goals FILE] [--continue SLOT]\n");
        return 2;
    }
    std::string error;
    if (!loadRoute(goalsPath, route, gRoute, &error)) {
        std::fprintf(stderr, "playthrough: %s\n", error.c_str());
        return 2;
    }
    const std::string frameText = std::to_string(frames);
    args.push_back("--frames");
    args.push_back(frameText.c_str());
    PlaytestOptions options;
    if (!parsePlaytestArguments(static_cast<int>(args.size()), args.data(), options, &error)) {
        std::fprintf(stderr, "playthrough: %s\n", error.c_str());
        return 2;
    }
    options.printState = true;
    options.chooseKeys = chooseKeys;
    options.finished = [] { return gRun.finished || gRun.failed; };
    const int code = runPlaytest(options);
    if (!writeScript(outPath, route)) {
        std::fprintf(stderr, "playthrough: cannot write %s\n", outPath.c_str());
        return 2;
    }
    std::printf("battles=%d won=%d lost=%d shops=%d banks=%d inns=%d duels=%d races=%d saves=%d loads=%d\n", gRun.battles,
                gRun.battlesWon, gRun.battlesLost, gRun.shops, gRun.banks, gRun.inns, gRun.duels, gRun.races, gRun.saves,
                gRun.loads);
    if (code != 0) return code;
    if (!gRun.finished) {
        const RouteGoal* goal = gRun.goal < goalCount() ? &gRoute.goals[static_cast<size_t>(gRun.goal)] : nullptr;
        std::fprintf(stderr, "playthrough: the route was not finished (goal %d of %d, %s, map %d, event %d, step %d, scene %d)\n",
                     gRun.goal, goalCount(), goal != nullptr ? goal->what.c_str() : "-", gCurrentMap, gFieldEvent,
                     gEventStep, gScene);
        return 1;
    }
    const std::vector<int> missed = battlesMissed();
    for (int group : missed) std::fprintf(stderr, "playthrough: battle group %d was not fought\n", group);
    return missed.empty() ? 0 : 1;
}
