#include "field/FieldMap.h"

#include <cstring>

#include "field/EventState.h"

MapCell gMapCells[kMapRows][kMapColumns];
MapObject gMapObjects[kMapObjectCount];
std::uint8_t gObjectCells[kMapObjectCount][2];
// Declared with the event state; every operation on the map arrays sets it.
int gCurrentMap;

namespace {
// What lies outside the grid: no floor, blocked, never drawn.
const MapCell kOutsideCell = {1, 0.0f, 0, 0, 0, 0, 0};
}  // namespace

bool cellInsideGrid(int row, int column) {
    return row >= 0 && row < kMapRows && column >= 0 && column < kMapColumns;
}

const MapCell& mapCell(int row, int column) {
    if (!cellInsideGrid(row, column)) return kOutsideCell;
    return gMapCells[row][column];
}

float columnShear(double column) {
    return static_cast<float>(column * kGridShear);
}

void cellCentre(int row, int column, float out[3]) {
    // r + c*k is rounded to a float before the centre offset is added, as
    // the field's single-precision arithmetic does.
    const float shear = columnShear(column);
    const float cornerX = static_cast<float>(row) + shear;
    out[0] = static_cast<float>(static_cast<double>(cornerX) + kCellCentreX);
    out[1] = mapCell(row, column).height;
    out[2] = static_cast<float>(static_cast<double>(shear) + kCellCentreZ);
}

int clearMap(int map) {
    gCurrentMap = map;
    std::memset(gMapCells, 0, sizeof gMapCells);
    std::memset(gMapObjects, 0, sizeof gMapObjects);
    return 0;
}

void resetFieldMap() {
    std::memset(gMapCells, 0, sizeof gMapCells);
    std::memset(gMapObjects, 0, sizeof gMapObjects);
    std::memset(gObjectCells, 0, sizeof gObjectCells);
    gCurrentMap = 0;
}
