#include "tools/playthrough/FieldWalk.h"

#include <cmath>
#include <cstdlib>
#include <deque>

#include "engine/Input.h"
#include "events/FieldMechanisms.h"
#include "field/FieldMap.h"
#include "field/FieldMovement.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"

namespace {



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

// Cells this low are the abyss around floating floors: a floor to fall to,
// never to walk on.
constexpr float kAbyss = 0.1f;

// The stealth base's moving platforms: rows of cells on the three gate
// tiles that rise to 10.0 and sink to 3.0, by map the groups that move.
constexpr float kPlatformLow = 3.0f;
constexpr float kPlatformHigh = 10.0f;
// How far above the feet a platform (or the floor beside one) may stand for
// a jump to reach it: the jump clears it within the frames it takes to cross
// into its cell, while it moves 0.03125 a frame.
constexpr float kPlatformReach = 0.3f;

bool platformCell(int row, int col) {
    const MapCell& cell = gMapCells[row][col];
    if (cell.floorRow != 3 || cell.floorColumn < 14 || cell.floorColumn > 16) return false;
    const int group = cell.floorColumn - 14;
    switch (gCurrentMap) {
        case 66: return group == 0;
        case 67: return group != 1;
        case 68:
        case 69: return true;
        default: return false;
    }
}

// A lift platform carries whoever stands on it to another floor: the walk
// crosses none (a cell goal pushes onto its platform from beside it).
bool liftCell(int row, int col) {
    const MapCell& cell = gMapCells[row][col];
    return cell.floorColumn == kLiftTile.column && cell.floorRow == kLiftTile.row;
}

bool canStep(int fromRow, int fromCol, int row, int col) {
    if (!cellInsideGrid(row, col) || stopsTheWalk(row, col) || liftCell(row, col)) return false;
    if (gAvoidEnemies && nearAnEnemy(row, col)) return false;
    const MapCell& next = gMapCells[row][col];
    // On or off a platform: some time it stands level with the floor beside.
    const bool onto = platformCell(row, col), off = platformCell(fromRow, fromCol);
    if (onto || off) {
        if (next.height <= 0.0f || next.blocked != 0) return false;
        const float fixed = onto && !off ? gMapCells[fromRow][fromCol].height : next.height;
        return (onto && off) || (fixed >= kPlatformLow && fixed <= kPlatformHigh);
    }
    return next.height > kAbyss && next.blocked == 0 && next.height <= gMapCells[fromRow][fromCol].height + 1.0f;
}

// The next cell on a shortest walk from the player's cell to a cell from
// which the slot is touched by pushing towards it; *push is then the code
// that pushes. False when there is no such walk.
// The only cell a slot may be reached from (-1: any beside it).
int gFromRow = -1, gFromCol = -1;

bool nextStepTowards(int goalRow, int goalCol, int* nextRow, int* nextCol, int* push, int* distance) {
    int here[3];
    worldToCell(gPlayerPos, here);
    const int row = here[0], col = here[2];
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
            if (gFromRow >= 0 && (r != gFromRow || c != gFromCol)) continue;
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

// Whether feet at `feet` on a cell of row `fromRow` walk onto the cell (row,
// col) without a jump. Along the columns the floor takes a rise of up to the
// climb; across the rows the wall push holds the feet back from a cell any
// higher than they are, so even a footbridge a tenth up is jumped onto.
bool walksOnto(int fromRow, int row, int col, float feet) {
    const float height = gMapCells[row][col].height;
    return row == fromRow ? height <= feet + kFieldClimb : height <= feet;
}

// Whether the floor takes a step with `code` this frame (`pastPeople`: into
// the cell of someone the player already stands in).
bool walkable(int code, bool pastPeople = false) {
    float dx = 0.0f, dz = 0.0f;
    stepOf(code, &dx, &dz);
    const float to[3] = {gPlayerPos[0] + dx, gPlayerPos[1], gPlayerPos[2] + dz};
    int cell[3];
    worldToCell(to, cell);
    if (!cellInsideGrid(cell[0], cell[2]) || (!pastPeople && stopsTheWalk(cell[0], cell[2]))) return false;
    const MapCell& c = gMapCells[cell[0]][cell[2]];
    int here[3];
    worldToCell(gPlayerPos, here);
    return c.height > kAbyss && c.blocked == 0 && walksOnto(here[0], cell[0], cell[2], gPlayerPos[1]);
}

// Progress towards the current slot: the shortest walk seen, and the frames
// since it last got shorter.
struct Progress {
    int target = -1;
    int map = -1;
    int best = 1 << 30;
    int framesWithout = 0;
};
Progress gProgress;

void noteProgress(int target, int distance) {
    if (gProgress.target != target || gProgress.map != gCurrentMap) gProgress = Progress{target, gCurrentMap};
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

// The person one talks to standing beside it, other than the one at
// (goalRow, goalCol), whose talk a step with `code` would start; -1 none.
int startsSomeoneElse(int code, int goalRow, int goalCol) {
    float dx = 0.0f, dz = 0.0f;
    stepOf(code, &dx, &dz);
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        if (!o.present || o.kind != kObjectBeside) continue;
        if (gObjectCells[s][0] == goalRow && gObjectCells[s][1] == goalCol) continue;
        const float ox = o.x - (gPlayerPos[0] + dx), oz = o.z - (gPlayerPos[2] + dz);
        if (oz > -0.1f && oz < 0.1f && ox > -0.5f && ox < 0.5f) return s;
    }
    return -1;
}

// A person just spoken to still stands beside the player (in its cell), and
// any step that ends beside it again starts its talk anew: the walk leaves
// across the columns (one step clears it), then along the rows away from it
// until the way is free.
int leaveThoseBeside(int code, int goalRow, int goalCol) {
    const int person = code == 0 ? -1 : startsSomeoneElse(code, goalRow, goalCol);
    if (person < 0) return code;
    const int away = gMapObjects[person].x > gPlayerPos[0] ? 4 : 6;
    for (int other : {away, 1, 3, 7, 9})
        if (walkable(other, true) && startsSomeoneElse(other, goalRow, goalCol) < 0) return other;
    return code;
}

}  // namespace

double playerRow() { return gPlayerPos[0] - gPlayerPos[2]; }
double playerColumn() { return gPlayerPos[2] / kGridShear; }

void resetWalkProgress() { gProgress = Progress{}; }

namespace {

// The code that walks towards the cell (goalRow, goalCol) this frame; the
// walk keeps clear of the symbols unless `meeting` one.
int walkTowardsCell(int goalRow, int goalCol, bool meeting, bool* lost) {
    *lost = false;
    int nextRow = 0, nextCol = 0, push = 0, distance = 0;
    gAvoidEnemies = false;
    if (!nextStepTowards(goalRow, goalCol, &nextRow, &nextCol, &push, &distance)) distance = 1 << 29;
    noteProgress(goalRow * kMapColumns + goalCol, distance);
    gAvoidEnemies = !meeting && gProgress.framesWithout <= 120;
    bool found = nextStepTowards(goalRow, goalCol, &nextRow, &nextCol, &push, &distance);
    if (!found) {
        gAvoidEnemies = false;
        found = nextStepTowards(goalRow, goalCol, &nextRow, &nextCol, &push, &distance);
    }
    if (!found) {
        *lost = true;
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
    // A step up that the feet cannot take (walksOnto): jump (direction with
    // decide). So is a push into a slot on a raised cell (a bed): the walls
    // keep the feet off its edge, and the slot is touched from the air.
    const bool stepping = nextRow != here[0] || nextCol != here[2];
    // A step on or off a platform: the walls push back feet that are lower
    // than the cell ahead by any amount, so the step is jumped when the two
    // stand nearly level, and waited for while they do not. In the air the
    // walk goes on only while the feet are above the cell ahead.
    if (stepping && (platformCell(nextRow, nextCol) || platformCell(here[0], here[2]))) {
        const float rise = gMapCells[nextRow][nextCol].height - gPlayerPos[1];
        if (gPlayerVSpeed != 0.0f) return rise < 0.0f ? code % kInputDecide : 0;
        if (rise > kPlatformReach) return 0;
        return rise > 0.0f ? code % kInputDecide + kInputDecide : code;
    }
    const bool pushingUp =
        !stepping && code == push && gPlayerVSpeed == 0.0f && !walksOnto(here[0], goalRow, goalCol, gPlayerPos[1]);
    if ((stepping && !walksOnto(here[0], nextRow, nextCol, gPlayerPos[1])) || pushingUp) code += kInputDecide;
    if (meeting) return code;
    return dodge(leaveThoseBeside(code, goalRow, goalCol));
}

}  // namespace

int walkTowardsSlot(int slot, bool* lost) { return walkTowardsCell(gObjectCells[slot][0], gObjectCells[slot][1], false, lost); }

int walkTowardsSlotFrom(int slot, int row, int col, bool* lost) {
    gFromRow = row;
    gFromCol = col;
    const int code = walkTowardsCell(gObjectCells[slot][0], gObjectCells[slot][1], false, lost);
    gFromRow = gFromCol = -1;
    return code;
}

int jumpIntoChest(int slot, bool* lost) {
    const int code = walkTowardsSlot(slot, lost);
    int here[3];
    worldToCell(gPlayerPos, here);
    const int rows = here[0] - gObjectCells[slot][0], cols = here[2] - gObjectCells[slot][1];
    const bool beside = (rows == 0 && (cols == 1 || cols == -1)) || (cols == 0 && (rows == 1 || rows == -1));
    if (!beside || code == 0) return code;
    return code % kInputDecide + (gPlayerVSpeed == 0.0f ? kInputDecide : 0);
}

int walkOntoCell(int row, int col, bool* lost) {
    // On the cell: stand still and let it do its work (a lift starts, a
    // sunken floor is landed on).
    int here[3];
    worldToCell(gPlayerPos, here);
    *lost = false;
    if (here[0] == row && here[2] == col) return 0;
    return walkTowardsCell(row, col, false, lost);
}

bool enemySymbolsLeft() {
    for (const MapObject& o : gMapObjects)
        if (o.present && o.kind == kObjectEnemy && o.visible) return true;
    return false;
}

namespace {

// The code that walks straight at the symbol of `slot` from within a cell of
// it: across the rows until the feet are within its contact (0.1), then
// along them. 0 when the player is farther off or the floor refuses the step.
int straightAtSymbol(int slot, int row, int col) {
    const MapObject& o = gMapObjects[slot];
    int here[3];
    worldToCell(gPlayerPos, here);
    if (std::abs(here[0] - row) > 1 || std::abs(here[2] - col) > 1) return 0;
    const float across = o.z - gPlayerPos[2];
    const int code = std::fabs(across) > 0.08f ? (across > 0.0f ? 9 : 1) : (o.x > gPlayerPos[0] ? 6 : 4);
    return walkable(code) ? code : 0;
}

// Frames without getting nearer to a symbol before the walk stops aiming at
// the middle of its cell.
constexpr int kFramesBeforeSteering = 60;

}  // namespace

int walkTowardsNearestEnemy(bool* lost) {
    *lost = true;
    double best = 1e9;
    int row = 0, col = 0, nearest = -1;
    for (int s = 0; s < kMapObjectCount; ++s) {
        const MapObject& o = gMapObjects[s];
        if (!o.present || o.kind != kObjectEnemy || !o.visible) continue;
        const double r = o.x - o.z, c = o.z / kGridShear;
        const double d = std::fabs(r - playerRow()) + std::fabs(c - playerColumn());
        if (d >= best || !cellInsideGrid(static_cast<int>(r), static_cast<int>(c))) continue;
        best = d;
        row = static_cast<int>(r);
        col = static_cast<int>(c);
        nearest = s;
        *lost = false;
    }
    if (*lost) return 0;
    const int code = walkTowardsCell(row, col, true, lost);
    // The walk aims at the middle of the symbol's cell and trusts the symbol
    // to chase the last step. Two chasing symbols that come close hold each
    // other up, off the middles of their cells: walking to the cell then
    // turns back to a cell beside it, again and again. Once the walk stops
    // getting nearer, it steers at the symbol itself.
    if (*lost || gProgress.framesWithout <= kFramesBeforeSteering) return code;
    const int straight = straightAtSymbol(nearest, row, col);
    return straight != 0 ? straight : code;
}
