#include "field/WallPush.h"

#include "field/FieldMap.h"
#include "field/WorldToCell.h"

namespace {

// Whether the cell beside the point stops it; "outside" is the row test of
// that side (left: row below 0, right: row 60 or more).
bool stops(const int cell[3], bool outside, float feet, float ownHeight) {
    if (outside) return true;
    const MapCell& c = mapCell(cell[0], cell[2]);
    return c.blocked == 1 || c.height == 0.0f || (c.height > feet && c.height > ownHeight);
}

}  // namespace

void pushPositionOutOfWalls(float pos[3]) {
    const float z = pos[2];
    const float feet = pos[1];
    int own[3];
    worldToCell(pos, own);
    const float ownHeight = mapCell(own[0], own[2]).height;

    const float left[3] = {pos[0] - 0.5f, feet, z};
    int l[3];
    worldToCell(left, l);
    if (l[0] != own[0] && stops(l, l[0] < 0, feet, ownHeight)) {
        pos[0] = static_cast<float>(l[0]) + z + 1.5f;
    }

    const float right[3] = {pos[0] + 0.5f, feet, z};
    int r[3];
    worldToCell(right, r);
    if (r[0] != own[0] && stops(r, r[0] >= kMapRows, feet, ownHeight)) {
        pos[0] = static_cast<float>(r[0]) + z - 0.5f;
    }
}
