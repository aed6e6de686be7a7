// firstroad: plays the story's first road by itself, from the title to the
// chapter-end save of episode 0 and on into the sea district, through the
// real screens (battles, the shop, the save screen), and writes the keys it
// held on every frame as a playtest input file. Replaying that file with
// playtest gives the same run.
//
//   firstroad --workdir DIR --out FILE [--frames N] [--clock SECONDS]
//
// It prints what happened (maps, battles, the shop, the save) and the final
// state; the exit code is 0 when the road was played to its end.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <string>
#include <vector>

#include "battle/BattleMenus.h"
#include "battle/BattleRecords.h"
#include "engine/Input.h"
#include "engine/Playtest.h"
#include "engine/Scene.h"
#include "events/EventState.h"
#include "events/MessageWindow.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/MenuState.h"
#include "menus/Title.h"

namespace {

constexpr float kGridShear = 0.70710678f;

// The road after the cell scene: the slot to touch on each map, in order.
// Touching an exit changes the map; a trigger or a person starts a scene.
struct Goal {
    int map;
    int slot;
    const char* what;
};
constexpr Goal kRoad[] = {
    {3, 31, "the jump lesson"},
    {3, 27, "the way to the corridor"},
    {4, 2, "the corridor's end"},
    {5, 4, "the merchant"},
    {5, 9, "the way to the cells"},
    {6, 16, "the rescue"},
    {6, 0, "back to the merchant's hall"},
    {5, 0, "back to the corridor"},
    {4, 0, "back to the cell block"},
    {3, 26, "the way up"},
    {7, 0, "the governor"},
};
constexpr int kRoadLength = sizeof kRoad / sizeof kRoad[0];

// Options picked at the road's choices, in order: the bar's answer, the
// cell scene's fight, the chapter-end save.
constexpr int kChoices[] = {1, 1, 0};
constexpr int kChoiceCount = sizeof kChoices / sizeof kChoices[0];

struct Run {
    int goal = 0;
    int choice = 0;
    unsigned lastKeys = 0;
    int lastScene = -1;
    int lastMap = -1;
    int battles = 0;
    int battlesWon = 0;
    int shops = 0;
    int saves = 0;
    bool battleRunning = false;
    bool symbolBattle = false;  // met an enemy symbol (no scene was running)
    int escapes = 0;
    bool escaped = false;
    bool choosing = false;
    bool finished = false;
    bool failed = false;
    long stuckFrames = 0;
    float lastX = 0.0f, lastZ = 0.0f;
    std::vector<unsigned> keys;  // the keys of frame n at [n - 1]
};
Run gRun;

unsigned keysFor(int code) {
    if (code == kInputCancel) return kPlayCancel;
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

// ---- The field ----

double playerRow() { return gPlayerPos[0] - gPlayerPos[2]; }
double playerColumn() { return gPlayerPos[2] / kGridShear; }

bool stopsTheWalk(int row, int col) {
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        // People and step triggers refuse the move into their cell; chests,
        // enemy symbols and automatic slots do not stand in the way.
        if (!o.present || (o.kind != kObjectPerson && o.kind != kObjectBeside && o.kind != kObjectPersonAlt)) continue;
        if (gObjectCells[s][0] == row && gObjectCells[s][1] == col) return true;
    }
    return false;
}

// Whether a cell lies near an enemy symbol (which chases, slower than the
// player walks): the walk keeps clear of them while it can.
bool nearAnEnemy(int row, int col) {
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        if (!o.present || o.kind != kObjectEnemy || !o.visible) continue;
        const double enemyCol = o.z / kGridShear;
        const double enemyRow = o.x - o.z;
        if (std::fabs(enemyRow - (row + 0.5)) < 2.0 && std::fabs(enemyCol - (col + 0.5)) < 2.0) return true;
    }
    return false;
}

bool gAvoidEnemies = true;

bool canStep(int fromRow, int fromCol, int row, int col) {
    if (!cellInsideGrid(row, col) || stopsTheWalk(row, col)) return false;
    if (gAvoidEnemies && nearAnEnemy(row, col)) return false;
    const MapCell& next = gMapCells[row][col];
    return next.height > 0.0f && next.blocked == 0 && next.height <= gMapCells[fromRow][fromCol].height + 1.0f;
}

// The next cell on a shortest walk from the player's cell to a cell from
// which the slot is touched by pushing towards it; *push is then the code
// that pushes. False when there is no such walk.
bool nextStepTowards(int slot, int* nextRow, int* nextCol, int* push, int* distance) {
    int here[3];
    worldToCell(gPlayerPos, here);
    const int row = here[0], col = here[2];
    const int goalRow = gObjectCells[slot][0], goalCol = gObjectCells[slot][1];
    // Approaches along the row axis first: a person is reached only so.
    struct Approach {
        int dr, dc, code;
    };
    const Approach approaches[4] = {{-1, 0, 6}, {1, 0, 4}, {0, -1, 9}, {0, 1, 1}};
    if (!cellInsideGrid(row, col)) return false;

    static int from[kMapRows][kMapColumns];
    for (auto& line : from)
        for (int& f : line) f = -1;
    std::deque<int> queue;
    from[row][col] = row * kMapColumns + col;
    queue.push_back(row * kMapColumns + col);
    int found = -1;
    int foundCode = 0;
    while (!queue.empty() && found < 0) {
        const int at = queue.front();
        queue.pop_front();
        const int r = at / kMapColumns, c = at % kMapColumns;
        for (const Approach& a : approaches) {
            if (r == goalRow + a.dr && c == goalCol + a.dc) {
                found = at;
                foundCode = a.code;
                break;
            }
        }
        if (found >= 0) break;
        const int steps[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& d : steps) {
            const int nr = r + d[0], nc = c + d[1];
            if (!cellInsideGrid(nr, nc) || from[nr][nc] >= 0 || !canStep(r, c, nr, nc)) continue;
            from[nr][nc] = at;
            queue.push_back(nr * kMapColumns + nc);
        }
    }
    if (found < 0) return false;
    int at = found;
    *distance = 0;
    while (from[at / kMapColumns][at % kMapColumns] != row * kMapColumns + col && at != row * kMapColumns + col) {
        at = from[at / kMapColumns][at % kMapColumns];
        ++*distance;
    }
    *nextRow = at / kMapColumns;
    *nextCol = at % kMapColumns;
    *push = foundCode;
    return true;
}

// The move of a walking code.
void stepOf(int code, float* dx, float* dz) {
    const float diagonal = 0.14142136f;
    *dx = 0.0f;
    *dz = 0.0f;
    switch (code % 10) {
        case 6: *dx = 0.2f; break;
        case 4: *dx = -0.2f; break;
        case 9: *dx = diagonal; *dz = diagonal; break;
        case 1: *dx = -diagonal; *dz = -diagonal; break;
        case 3: *dx = diagonal; *dz = -diagonal; break;
        case 7: *dx = -diagonal; *dz = diagonal; break;
        default: break;
    }
}

// Whether walking with `code` this frame would run into an enemy symbol's
// contact box (a little wider than the field's own, as the symbols move too).
bool meetsAnEnemy(int code, int steps = 1) {
    float dx = 0.0f, dz = 0.0f;
    stepOf(code, &dx, &dz);
    const float x = gPlayerPos[0] + dx * static_cast<float>(steps), z = gPlayerPos[2] + dz * static_cast<float>(steps);
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        if (!o.present || o.kind != kObjectEnemy) continue;
        if (std::fabs(o.z - z) < 0.12f && std::fabs(o.x - x) < 0.45f && o.y + 0.75f > gPlayerPos[1]) return true;
    }
    return false;
}

// Whether the field would let the player walk with `code` this frame.
bool walkable(int code) {
    float dx = 0.0f, dz = 0.0f;
    stepOf(code, &dx, &dz);
    const float to[3] = {gPlayerPos[0] + dx, gPlayerPos[1], gPlayerPos[2] + dz};
    int cell[3];
    worldToCell(to, cell);
    if (!cellInsideGrid(cell[0], cell[2]) || stopsTheWalk(cell[0], cell[2])) return false;
    const MapCell& c = gMapCells[cell[0]][cell[2]];
    return c.height > 0.0f && c.blocked == 0 && c.height <= gPlayerPos[1] + 0.11f;
}

// Progress towards the current goal: the shortest walk seen, and the frames
// since it last got shorter.
struct Progress {
    int goal = -1;
    int map = -1;
    int best = 1 << 30;
    int framesWithout = 0;
};
Progress gProgress;

void noteProgress(int distance) {
    if (gProgress.goal != gRun.goal || gProgress.map != gCurrentMap) gProgress = Progress{gRun.goal, gCurrentMap};
    if (distance < gProgress.best) {
        gProgress.best = distance;
        gProgress.framesWithout = 0;
    } else {
        ++gProgress.framesWithout;
    }
}

// A walk that keeps out of the symbols' way. A symbol a few steps ahead is
// jumped over: the jump starts early enough for the feet to be high when
// they pass it, and the walk goes on through the air. One that is too near
// for that is side-stepped, or waited out. When two seconds pass without
// getting nearer, the symbol in the way is met.
int dodge(int code) {
    if (code == 0 || gProgress.framesWithout > 120) return code;
    const bool onTheFloor = gPlayerVSpeed == 0.0f;
    if (!onTheFloor) return meetsAnEnemy(code) ? 0 : code % kInputDecide;
    int ahead = 0;
    for (int k = 1; k <= 7 && ahead == 0; ++k)
        if (meetsAnEnemy(code, k)) ahead = k;
    if (ahead == 0) return code;
    if (ahead >= 3) return code % kInputDecide + kInputDecide;
    for (int other : {9, 1, 6, 4, 3, 7}) {
        if (other != code % 10 && walkable(other) && !meetsAnEnemy(other) && !meetsAnEnemy(other, 2)) return other;
    }
    return 0;
}

// The code that walks towards the goal's slot this frame (0 when lost).
int walkCode(const Goal& goal) {
    int nextRow = 0, nextCol = 0, push = 0, distance = 0;
    gAvoidEnemies = false;
    if (!nextStepTowards(goal.slot, &nextRow, &nextCol, &push, &distance)) distance = 1 << 29;
    noteProgress(distance);
    gAvoidEnemies = gProgress.framesWithout <= 120;
    bool found = nextStepTowards(goal.slot, &nextRow, &nextCol, &push, &distance);
    if (!found) {
        gAvoidEnemies = false;
        found = nextStepTowards(goal.slot, &nextRow, &nextCol, &push, &distance);
    }
    if (!found) {
        std::fprintf(stderr, "firstroad: no way to slot %d (%s) on map %d\n", goal.slot, goal.what, goal.map);
        gRun.failed = true;
        return 0;
    }
    int here[3];
    worldToCell(gPlayerPos, here);
    const double row = playerRow(), col = playerColumn();
    int code = 0;
    if (nextRow == here[0] && nextCol == here[2]) {
        // On the approach cell: centre across the push, then push.
        const bool alongRows = push == 4 || push == 6;
        if (alongRows && std::fabs(col - (nextCol + 0.5)) > 0.11) {
            code = col < nextCol + 0.5 ? 9 : 1;
        } else if (!alongRows && std::fabs(row - (nextRow + 0.5)) > 0.11) {
            code = row < nextRow + 0.5 ? 6 : 4;
        } else {
            code = push;
        }
    } else if (nextCol != here[2]) {
        if (std::fabs(row - (here[0] + 0.5)) > 0.11) {
            code = row < here[0] + 0.5 ? 6 : 4;
        } else {
            code = nextCol > here[2] ? 9 : 1;
        }
    } else {
        if (std::fabs(col - (here[2] + 0.5)) > 0.11) {
            code = col < here[2] + 0.5 ? 9 : 1;
        } else {
            code = nextRow > here[0] ? 6 : 4;
        }
    }
    // A step up that the feet cannot take: jump (direction with decide).
    const bool stepping = nextRow != here[0] || nextCol != here[2];
    if (stepping && gMapCells[nextRow][nextCol].height > gPlayerPos[1] + 0.11f) code += kInputDecide;
    return dodge(code);
}

// ---- One frame's choice ----

// What a patient player presses while an event runs on the field.
int eventCode() {
    if (gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText))) return kInputDecide;
    if (gMessageMode == 2) {
        const int wanted = gRun.choice < kChoiceCount ? kChoices[gRun.choice] : 0;
        if (gChoiceCursor < wanted) return kInputDown;
        if (gChoiceCursor > wanted) return kInputUp;
        return kInputDecide;
    }
    if (gMessageMode == 0 && gStillPicture > 0 && gStillPictureAlpha == 255) return kInputDecide;
    return 0;
}

// The spray that heals the whole line: what the party buys and uses.
constexpr int kSpray = 131;
constexpr int kSprayStock = 9;  // bought up to this many

// Whether a member of the line still standing is under half of the most HP.
bool someoneHurt() {
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit == 0 || gPartyMembers[unit].hp <= 0) continue;
        if (gPartyMembers[unit].hp * 2 < computeUnitStat(unit, kStatMaxHp)) return true;
    }
    return false;
}

// The battle's item list: where the spray stands among the usable items.
int sprayPlace() {
    int n = 0;
    for (int id = 0; id < kItemCount; ++id) {
        if (gItems[id].kind < 8 || gItemStock[id].owned <= 0) continue;
        if (id == kSpray) return n;
        ++n;
    }
    return -1;
}

// The shop: sprays while the money lasts, then out.
int shopCode() {
    if (gScene != 300) return kInputCancel;
    const bool affordable = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount &&
                            gMoney[gRegionCurrency] >= gItems[kSpray].price && gItemStock[kSpray].owned < kSprayStock;
    int row = -1;
    for (int r = 0; r < kShopGoodsCount && gShopGoods[r] != 0; ++r)
        if (gShopGoods[r] == kSpray) row = r;
    if (gMenuPage == 1) return affordable ? kInputDecide : kInputCancel;
    if (row < 0 || !affordable) return kInputCancel;
    if (gMenuListCursor != row) return gMenuListCursor < row ? kInputDown : kInputUp;
    return kInputDecide;
}

// Whether every member of the line has at least half of the most HP.
bool healthy() {
    for (int s = 0; s < 3; ++s) {
        const int unit = gParty[s];
        if (unit == 0) continue;
        if (gPartyMembers[unit].hp * 2 < computeUnitStat(unit, kStatMaxHp)) return false;
    }
    return true;
}

// The battle: the story's battles are fought with the first command on the
// first enemy, the key-press game played with a press every other frame and
// every result page passed on; a symbol met on the way is fought too while
// the party is healthy, else run from.
int battleCode() {
    switch (gBattleAction.phase) {
        case kPhaseCommand: {
            int wanted = 0;
            const bool heal = someoneHurt() && sprayPlace() >= 0;
            if (heal) wanted = -2;
            if (!heal && gRun.symbolBattle && !healthy()) {
                int labels[5];
                const int count = commandMenuEntries(labels);
                for (int e = 0; e < count; ++e)
                    if (labels[e] == 4) wanted = e;
            }
            if (wanted == -2) {
                int labels[5];
                const int count = commandMenuEntries(labels);
                for (int e = 0; e < count; ++e)
                    if (labels[e] == 2) wanted = e;
            }
            if (gBattleAction.commandCursor == wanted) return kInputDecide;
            return gBattleAction.commandCursor > wanted ? kInputUp : kInputDown;
        }
        case kPhaseWeaponList:
        case kPhaseWeaponEnemyTarget:
        case kPhaseItemAllyTarget:
        case kPhaseItemAllConfirm:
            return kInputDecide;
        case kPhaseItemList: {
            const int place = sprayPlace();
            const int at = 2 * gBattleAction.listScroll + gBattleAction.listCursor;
            if (place < 0) return kInputCancel;
            if (place == at) return kInputDecide;
            if (place >= at + 2) return kInputDown;
            if (place <= at - 2) return kInputUp;
            return place > at ? kInputRight : kInputLeft;
        }
        case kPhaseActionRun:
            return (gBattleAction.actionFrame % 2) == 0 ? kInputDecide : 0;
        default:
            return gBattleAction.phase >= kPhaseVictory ? kInputDecide : 0;
    }
}

int fieldCode() {
    if (gFieldEvent != 0) return eventCode();
    if (gRun.goal >= kRoadLength) return 0;
    const Goal& goal = kRoad[gRun.goal];
    if (gCurrentMap != goal.map) return eventCode();
    return walkCode(goal);
}

void noteChanges() {
    if (gCurrentMap != gRun.lastMap) {
        std::printf("map %d\n", gCurrentMap);
        gRun.lastMap = gCurrentMap;
    }
    if (gScene == 10 && gRun.lastScene != 10) gRun.symbolBattle = gFieldEvent == 0;
    if (gScene == 100 && !gRun.battleRunning) {
        gRun.battleRunning = true;
        if (!gRun.symbolBattle) ++gRun.battles;
        std::printf("%s group %d on map %d, hp %d %d %d, levels %d %d %d, sprays %d\n", gRun.symbolBattle ? "symbol" : "battle",
                    gBattleGroup, gCurrentMap, gPartyMembers[gParty[0]].hp, gPartyMembers[gParty[1]].hp,
                    gPartyMembers[gParty[2]].hp, gPartyMembers[gParty[0]].level, gPartyMembers[gParty[1]].level,
                    gPartyMembers[gParty[2]].level, gItemStock[kSpray].owned);
    }
    if (gRun.battleRunning && gBattleAction.phase == kPhaseEscape) gRun.escaped = true;
    if (gRun.battleRunning && gScene != 100 && gScene != 10) {
        gRun.battleRunning = false;
        const bool lost = gScene == 1000 || gScene == 1001;
        const char* outcome = lost ? "lost" : gRun.escaped ? "escaped" : "won";
        if (!lost && !gRun.escaped && !gRun.symbolBattle) ++gRun.battlesWon;
        if (gRun.escaped) ++gRun.escapes;
        gRun.escaped = false;
        std::printf("%s %s\n", gRun.symbolBattle ? "symbol" : "battle", outcome);
        if (lost) gRun.failed = true;
    }
    if (gScene != gRun.lastScene) {
        if (gScene == 300) {
            ++gRun.shops;
            std::printf("shop\n");
        }
        if (gScene == 9) {
            ++gRun.saves;
            std::printf("chapter save screen\n");
        }
        gRun.lastScene = gScene;
    }
    // A choice is made once its window has closed.
    if (gRun.choosing && gMessageMode != 2) ++gRun.choice;
    gRun.choosing = gMessageMode == 2;
    // A goal is met once its event has started, or once the road has moved
    // on to a later goal's map (an exit's event ends within the frame).
    if (gScene == 0 && gFieldEvent == 0) {
        int later = gRun.goal;
        while (later < kRoadLength && kRoad[later].map != gCurrentMap) ++later;
        if (later < kRoadLength && later > gRun.goal && kRoad[gRun.goal].map != gCurrentMap) {
            std::printf("went past %s\n", kRoad[gRun.goal].what);
            gRun.goal = later;
        } else if (gRun.goal < kRoadLength && kRoad[gRun.goal].map == gCurrentMap &&
                   gMapObjects[kRoad[gRun.goal].slot].kind == kObjectInert) {
            // A scene that has played (from this slot or a neighbour of its
            // line) leaves its slot inert.
            std::printf("played %s\n", kRoad[gRun.goal].what);
            ++gRun.goal;
        }
    }
    if (gRun.goal < kRoadLength && gCurrentMap == kRoad[gRun.goal].map && gFieldEvent == kRoad[gRun.goal].slot + 1) {
        std::printf("touched slot %d on map %d: %s\n", kRoad[gRun.goal].slot, gCurrentMap, kRoad[gRun.goal].what);
        ++gRun.goal;
    }
}

int chooseCode() {
    switch (gScene) {
        case 1000: return kInputDecide;
        case 1001: return gTitleMenuCursor == 0 ? kInputDecide : kInputUp;
        case 0: return fieldCode();
        case 100: return battleCode();
        case 300: return shopCode();
        case 301: return kInputCancel;
        case 9: return kInputDecide;
        default: return 0;
    }
}

unsigned chooseKeys(long frame) {
    noteChanges();
    // The road ends in the sea district, after the chapter's save.
    if (!gRun.finished && gRun.saves > 0 && gCurrentMap == 2 && gScene == 0 && gFieldEvent == 0) {
        gRun.finished = true;
        std::printf("finished at frame %ld\n", frame);
    }
    unsigned keys = 0;
    if (!gRun.finished && !gRun.failed) {
        const int code = chooseCode();
        keys = keysFor(code);
        // Outside free walking a held key does not repeat at once: let go
        // for a frame so the next press counts.
        const bool walking = gScene == 0 && gFieldEvent == 0;
        if (!walking && keys != 0 && keys == gRun.lastKeys) {
            keys = 0;
        }
    }
    // Walking that stops making way for a long time is a fault of the road.
    if (gScene == 0 && gFieldEvent == 0 && keys != 0) {
        if (gPlayerPos[0] == gRun.lastX && gPlayerPos[2] == gRun.lastZ) {
            if (++gRun.stuckFrames > 600) {
                std::fprintf(stderr, "firstroad: stuck on map %d at row %.2f, column %.2f\n", gCurrentMap, playerRow(),
                             playerColumn());
                gRun.failed = true;
            }
        } else {
            gRun.stuckFrames = 0;
        }
    }
    if (std::getenv("FIRSTROAD_TRACE") != nullptr && (frame % 30 == 0 || std::getenv("FIRSTROAD_TRACE")[0] == '2')) {
        std::printf("  frame %ld scene %d map %d event %d step %d row %.2f col %.2f y %.2f keys %u goal %d\n", frame, gScene,
                    gCurrentMap, gFieldEvent, gEventStep, playerRow(), playerColumn(), gPlayerPos[1], keys, gRun.goal);
    }
    gRun.lastX = gPlayerPos[0];
    gRun.lastZ = gPlayerPos[2];
    gRun.lastKeys = keys;
    if (static_cast<long>(gRun.keys.size()) < frame) gRun.keys.resize(static_cast<size_t>(frame), 0);
    gRun.keys[static_cast<size_t>(frame - 1)] = keys;
    return keys;
}

bool writeScript(const std::string& path) {
    std::FILE* out = std::fopen(path.c_str(), "w");
    if (out == nullptr) return false;
    std::fprintf(out, "# The first road, played by firstroad.\n");
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

}  // namespace

int main(int argc, char** argv) {
    std::string outPath;
    std::vector<const char*> args{argv[0]};
    long frames = 60000;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--out" && i + 1 < argc) {
            outPath = argv[++i];
        } else if (arg == "--frames" && i + 1 < argc) {
            frames = std::strtol(argv[++i], nullptr, 10);
        } else {
            args.push_back(argv[i]);
        }
    }
    const std::string frameText = std::to_string(frames);
    args.push_back("--frames");
    args.push_back(frameText.c_str());
    if (outPath.empty()) {
        std::fprintf(stderr, "usage: firstroad --workdir DIR --out FILE [--frames N] [--clock SECONDS] [--null-gfx]\n");
        return 2;
    }
    PlaytestOptions options;
    std::string error;
    if (!parsePlaytestArguments(static_cast<int>(args.size()), args.data(), options, &error)) {
        std::fprintf(stderr, "firstroad: %s\n", error.c_str());
        return 2;
    }
    options.printState = true;
    options.chooseKeys = chooseKeys;
    options.finished = [] { return gRun.finished || gRun.failed; };
    const int code = runPlaytest(options);
    if (!writeScript(outPath)) {
        std::fprintf(stderr, "firstroad: cannot write %s\n", outPath.c_str());
        return 2;
    }
    std::printf("battles=%d won=%d escapes=%d shops=%d saves=%d\n", gRun.battles, gRun.battlesWon, gRun.escapes, gRun.shops,
                gRun.saves);
    if (code != 0) return code;
    if (!gRun.finished) {
        std::fprintf(stderr, "firstroad: the road was not finished (goal %d of %d, map %d, event %d, step %d, scene %d)\n",
                     gRun.goal, kRoadLength, gCurrentMap, gFieldEvent, gEventStep, gScene);
        return 1;
    }
    return 0;
}
