#include "field/TouchObject.h"

#include <cstdio>

#include "engine/Scene.h"
#include "engine/Sound.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"

namespace {

void startEvent(int slot) {
    gFieldEvent = slot + 1;
    gEventStep = 0;
}

// A chest on the target cell whose base is below the player's head bumps the
// player down; returns 1 when it opened (the move is then refused).
bool bumpChest(int slot, const int targetCell[3]) {
    const int row = static_cast<std::int8_t>(gObjectCells[slot][0]);
    const int col = static_cast<std::int8_t>(gObjectCells[slot][1]);
    if (row != targetCell[0] || col != targetCell[2]) return false;
    const float base = mapCell(row, col).height + gMapObjects[slot].height;
    if (!(base < gPlayerPos[1] + 1.0f)) return false;
    gPlayerPos[1] = base - 1.0f;
    gPlayerVSpeed = -0.2f;
    const int chest = gMapObjects[slot].index;
    if (chest < 0 || chest >= kChestCount) {
        // A chest number outside the flags: bumped, never opened.
        std::fprintf(stderr, "field: chest slot %d has chest number %d outside 0-%d\n", slot, chest, kChestCount - 1);
        return false;
    }
    if (gChestFlags[chest] != 0) return false;
    openChest(slot);
    return true;
}

}  // namespace

void openChest(int slot) {
    if (slot < 0 || slot >= kMapObjectCount) return;
    const MapObject& chest = gMapObjects[slot];
    if (chest.index < 0 || chest.index >= kChestCount) {
        std::fprintf(stderr, "field: chest slot %d has chest number %d outside 0-%d\n", slot, chest.index, kChestCount - 1);
        return;
    }
    playSoundEffect("Takara.wav");
    gFieldEvent = 1000;
    gEventStep = 0;
    gChestFlags[chest.index] = 1;
    gSpeakerName[0] = '\0';
    gMessageText[0] = '\0';
    giveChestContents(chest.index, chest.character, chest.pose);
}

int touchObject(const int targetCell[3], const float newPosition[3]) {
    if (gFieldEvent != 0 || gScene == 10 || gDebugMode == 1) return 0;
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        MapObject& object = gMapObjects[slot];
        if (object.present == 0) continue;
        const float dz = object.z - newPosition[2];
        const float dx = object.x - newPosition[0];
        switch (object.kind) {
            case kObjectChest:
                if (bumpChest(slot, targetCell)) return 1;
                break;
            case kObjectPerson:
            case kObjectPersonAlt: {
                const float at[3] = {object.x, object.y, object.z};
                int cell[3];
                worldToCell(at, cell);
                if (cell[0] == targetCell[0] && cell[2] == targetCell[2]) {
                    startEvent(slot);
                    return 1;
                }
                break;
            }
            case kObjectAutomatic:
                startEvent(slot);
                return 1;
            case kObjectBeside:
                if (dz > -0.1f && dz < 0.1f && dx > -0.5f && dx < 0.5f) {
                    startEvent(slot);
                    // The two turn to face each other.
                    if (dx >= 0.0f) {
                        object.facing = 1;
                        gPlayerFacing = 0;
                    } else {
                        object.facing = 0;
                        gPlayerFacing = 1;
                    }
                    return 1;
                }
                break;
            case kObjectEnemy:
                // A player jumping higher than the symbol passes over it.
                if (dz > -0.1f && dz < 0.1f && dx > -0.4f && dx < 0.4f && object.y + 0.75f > gPlayerPos[1]) {
                    startBattle(object.index, gSavedBattleBackground, gBattleBackground);
                    object.kind = 0;
                    object.visible = 0;
                    object.index = 0;
                    object.chaseSpeed = 0.0f;
                    return 0;
                }
                break;
            default:
                break;
        }
    }
    return 0;
}
