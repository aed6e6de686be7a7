#include "events/FieldMechanisms.h"

#include "events/EventPrimitives.h"
#include "events/FieldStateUse.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/WorldToCell.h"

namespace {

constexpr int kWaterLevelFlag = 907;
constexpr int kWaterCounterFlag = 908;
constexpr int kLiftStateFlag = 904;
constexpr int kLiftCounterFlag = 906;

bool hasTile(const MapCell& cell, MechanismTile tile) {
    return cell.floorColumn == tile.column && cell.floorRow == tile.row;
}

void setTile(MapCell& cell, MechanismTile tile) {
    cell.floorColumn = tile.column;
    cell.floorRow = tile.row;
}

template <typename Visit>
void forEachCell(Visit visit) {
    for (auto& row : gMapCells)
        for (MapCell& cell : row) visit(cell);
}

// Present objects standing on float cells (their cells from the map file).
template <typename Visit>
void forEachObjectOnFloats(Visit visit) {
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        if (!gMapObjects[slot].present) continue;
        if (hasTile(mapCell(gObjectCells[slot][0], gObjectCells[slot][1]), kFloatTile)) visit(gMapObjects[slot]);
    }
}

bool playerCellHas(MechanismTile tile) {
    int cell[3];
    worldToCell(gPlayerPos, cell);
    return hasTile(mapCell(cell[0], cell[2]), tile);
}

}  // namespace

void applyWaterLevel(int level) {
    const int stored = gStoryFlags[kWaterLevelFlag];
    const bool dry = stored <= level;
    forEachCell([&](MapCell& cell) {
        if (hasTile(cell, kWaterTile)) {
            if (dry) {
                setTile(cell, kDrainedTile);
                cell.height = 0.5f;
                cell.blocked = 0;
            } else {
                cell.height = 1.0f;
                cell.blocked = 1;
            }
        } else if (hasTile(cell, kFloatTile)) {
            cell.height = dry ? 0.5f : 1.0f;
        } else if (hasTile(cell, kSwitchPlateTile)) {
            cell.height = stored == level ? 2.0f : 2.5f;
        }
    });
    forEachObjectOnFloats([&](MapObject& object) { object.y = dry ? 0.5f : 1.0f; });
}

void drainWaterStep(int step) {
    const float water = 1.0f - 0.005f * static_cast<float>(step);
    forEachCell([&](MapCell& cell) {
        if (hasTile(cell, kWaterTile)) {
            cell.height = water;
            if (step >= 100) {
                setTile(cell, kDrainedTile);
                cell.blocked = 0;
                cell.height = 0.5f;
            }
        } else if (hasTile(cell, kFloatTile)) {
            cell.height = water;
        } else if (hasTile(cell, kSwitchPlateTile)) {
            cell.height = 2.5f - 0.005f * static_cast<float>(step);
        }
    });
    forEachObjectOnFloats([&](MapObject& object) { object.y = water; });
}

void lowerSwitchPlate(int step) {
    forEachCell([&](MapCell& cell) {
        if (hasTile(cell, kSwitchPlateTile)) cell.height = 2.5f - 0.005f * static_cast<float>(step);
    });
}

void updateWaterSwitch(int level) {
    const int stored = gStoryFlags[kWaterLevelFlag];
    if (stored == level) return;
    std::uint8_t& counter = gStoryFlags[kWaterCounterFlag];
    if (counter == 0) {
        if (gPlayerVSpeed == 0.0f && playerCellHas(kSwitchPlateTile)) counter = 1;
        return;
    }
    if (counter <= 100) {
        if (stored > level) drainWaterStep(counter);
        else lowerSwitchPlate(counter);
        ++counter;
        return;
    }
    counter = 0;
    gStoryFlags[kWaterLevelFlag] = static_cast<std::uint8_t>(level);
}

LiftDestination liftDestination(int map, int row, int col, bool up) {
    const int computed = up ? map + 1 : map - 1;
    switch (map * 1000 + computed) {
        case 114115: return row < 14 ? LiftDestination{115, row + 28, col - 29} : LiftDestination{116, row - 28, col - 29};
        case 115114: return {114, row - 28, col + 29};
        case 115116: return {117, row - 28, col - 29};
        case 116115: return {114, row + 28, col + 29};
        case 116117: return {117, row + 28, col - 29};
        case 117116: return row < 14 ? LiftDestination{115, row + 28, col + 29} : LiftDestination{116, row - 28, col + 29};
        default: return {computed, row, col};
    }
}

void beginLiftArrival() {
    if (gStoryFlags[kLiftStateFlag] != 2) return;
    forEachCell([](MapCell& cell) {
        if (hasTile(cell, kLiftTile)) cell.height += cell.height < kLiftMiddle ? -1.5f : 1.5f;
    });
    gFieldEvent = kLiftArrivalEvent;
}

void checkLiftStart() {
    if (gPlayerVSpeed != 0.0f) return;
    if (playerCellHas(kLiftTile)) {
        if (gStoryFlags[kLiftStateFlag] == 0) {
            gFieldEvent = kLiftDepartureEvent;
            gStoryFlags[kLiftStateFlag] = 1;
            gStoryFlags[kLiftCounterFlag] = 1;
        }
    } else {
        gStoryFlags[kLiftStateFlag] = 0;
    }
}

void runLiftRide() {
    if (gFieldEvent != kLiftDepartureEvent && gFieldEvent != kLiftArrivalEvent) return;
    const bool departing = gFieldEvent == kLiftDepartureEvent;
    gCameraSnap = 1;
    forEachCell([&](MapCell& cell) {
        if (!hasTile(cell, kLiftTile)) return;
        const float away = cell.height < kLiftMiddle ? -0.0625f : 0.0625f;
        cell.height += departing ? away : -away;
    });
    std::uint8_t& counter = gStoryFlags[kLiftCounterFlag];
    const int counted = counter;
    ++counter;
    if (departing && counted > 32) {
        counter = 0;
        int cell[3];
        worldToCell(gPlayerPos, cell);
        const bool up = mapCell(cell[0], cell[2]).height >= kLiftMiddle;
        // the loaded map: a game loaded on a lift floor has made no map change yet
        const LiftDestination to = liftDestination(gCurrentMap, cell[0], cell[2], up);
        changeMap(to.map, to.row, to.col, 0);
        gStoryFlags[kLiftStateFlag] = 2;
    } else if (!departing && counted > 21) {
        gFieldEvent = 0;
        counter = 0;
        gStoryFlags[kLiftStateFlag] = 3;
    }
}

void updateGateCells(float step) {
    const bool low = gCurrentMap < 50;
    const float top = low ? 5.0f : 4.0f;
    const float bottom = low ? 3.0f : 2.5f;
    forEachCell([&](MapCell& cell) {
        for (int gate = 0; gate < 3; ++gate) {
            if (!hasTile(cell, kGateTiles[gate])) continue;
            if (gStoryFlags[900 + gate] == 1) {
                if (cell.height < top) cell.height += step;
            } else if (cell.height > bottom) {
                cell.height -= step;
            }
        }
    });
}

void setCameraTarget(int mode, const float point[3]) {
    const float shear = columnShear(point[2]);
    const float x = point[0] + shear;
    const float y = point[1];
    const float z = shear;
    if (mode == 0) {
        gCameraTarget[0] = x;
        gCameraTarget[1] = y;
        gCameraTarget[2] = z;
    } else if (mode == 1) {
        gCameraTarget[0] += x;
        gCameraTarget[1] += y;
        gCameraTarget[2] += z;
    } else {
        for (int i = 0; i < 3; ++i) gCameraTarget[i] = gPlayerPos[i];
    }
    gCameraSnap = 10;
}

void stepActor(std::uint8_t direction, int slot) {
    if (slot < 0 || slot >= kMapObjectCount) return;
    MapObject& object = gMapObjects[slot];
    constexpr float kStraight = 0.2f;
    constexpr float kDiagonal = 0.14142136f;
    float dx = 0.0f, dz = 0.0f;
    switch (direction % 10) {
        case 2: dz = -kStraight; break;
        case 8: dz = kStraight; break;
        case 4: dx = -kStraight; object.facing = 1; break;
        case 6: dx = kStraight; object.facing = 0; break;
        case 1: dx = -kDiagonal; dz = -kDiagonal; object.facing = 1; break;
        case 3: dx = kDiagonal; dz = -kDiagonal; object.facing = 0; break;
        case 7: dx = -kDiagonal; dz = kDiagonal; object.facing = 1; break;
        case 9: dx = kDiagonal; dz = kDiagonal; object.facing = 0; break;
        default: break;
    }
    if (dx != 0.0f || dz != 0.0f) object.pose = 1;
    object.x += dx;
    object.z += dz;
    if (gFieldTick >= 3) object.pose = 0;
    const float at[3] = {object.x, object.y, object.z};
    int cell[3];
    worldToCell(at, cell);
    const float floor = mapCell(cell[0], cell[2]).height;
    if (floor < object.y) {
        object.y += object.height;
        object.height -= 0.02f;
        object.pose = 1;
    } else {
        object.height = 0.0f;
        object.y = floor;
    }
}

namespace {

// The chase's wall test: outside the grid on that side, blocked, floorless,
// or higher than the symbol's feet.
bool chaseWall(const int cell[3], bool outside, float feet) {
    if (outside) return true;
    const MapCell& c = mapCell(cell[0], cell[2]);
    return c.blocked != 0 || c.height == 0.0f || c.height > feet;
}

float cellHeightAt(float x, float y, float z) {
    const float at[3] = {x, y, z};
    int cell[3];
    worldToCell(at, cell);
    return mapCell(cell[0], cell[2]).height;
}

}  // namespace

void chaseActor(const int playerCell[3], int slot) {
    if (slot < 0 || slot >= kMapObjectCount || playerCell == nullptr) return;
    MapObject& object = gMapObjects[slot];
    const float speed = object.chaseSpeed;
    if (speed == 0.0f) return;

    const float startHeight = cellHeightAt(object.x, object.y, object.z);
    if (startHeight != mapCell(playerCell[0], playerCell[2]).height) return;

    // Toward the player, as on the keypad: x picks left or right, z down or up.
    const int sx = gPlayerPos[0] < object.x ? -1 : (gPlayerPos[0] > object.x ? 1 : 0);
    const int sz = gPlayerPos[2] < object.z ? -1 : (gPlayerPos[2] > object.z ? 1 : 0);
    if (sx == 0 && sz == 0) return;
    const float step = (sx != 0 && sz != 0) ? speed * 0.707106781f : speed;
    float x = object.x + static_cast<float>(sx) * step;
    float z = object.z + static_cast<float>(sz) * step;
    if (sx < 0) object.facing = 1;
    if (sx > 0) object.facing = 0;

    const float target[3] = {x, object.y, z};
    int cell[3];
    worldToCell(target, cell);
    const MapCell& into = mapCell(cell[0], cell[2]);
    if (into.blocked != 0 || into.height == 0.0f) return;

    const float feet = object.y;
    const float left[3] = {x - 0.5f, feet, z};
    int l[3];
    worldToCell(left, l);
    if (l[0] != cell[0] && chaseWall(l, l[0] < 0, feet)) x = static_cast<float>(l[0]) + z + 1.5f;
    const float right[3] = {x + 0.5f, feet, z};
    int r[3];
    worldToCell(right, r);
    if (r[0] != cell[0] && chaseWall(r, r[0] >= kMapRows, feet)) x = static_cast<float>(r[0]) + z - 0.5f;
    const float ahead[3] = {x, feet, z + 0.1f};
    int a[3];
    worldToCell(ahead, a);
    if (chaseWall(a, a[2] >= kMapColumns, feet)) z -= 0.1f;

    for (int other = 0; other < kMapObjectCount; ++other) {
        if (other == slot) continue;
        const MapObject& o = gMapObjects[other];
        if (o.present == 0 || o.visible == 0) continue;
        const float dx = o.x - x;
        const float dz = o.z - z;
        if (dx > -0.5f && dx < 0.5f && dz > -1.0f && dz < 1.0f) return;
    }

    if (cellHeightAt(x, feet, z) == startHeight) {
        object.x = x;
        object.z = z;
    }
    object.pose = gFieldTick >= 3 ? 0 : 1;
}
