#include "engine/Config.h"
#include "engine/Input.h"
#include "engine/TextLayers.h"
#include "engine/Scene.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldMovement.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "field/TouchObject.h"
#include "field/WallPush.h"
#include "field/WorldToCell.h"

namespace {

void cellOf(const float pos[3], int cell[3]) { worldToCell(pos, cell); }

// Route playback: one move of every non-empty queue while the queues play.
void playMoveQueues() {
    if (gMessageMode != 11) return;
    for (int slot = 0; slot < kMapObjectCount; ++slot) {
        MoveQueue& queue = gMoveQueues[slot];
        if (queue.length == 0) continue;
        const int index = gMoveIndex >= 0 && gMoveIndex < 300 ? gMoveIndex : 299;
        stepActor(queue.moves[index], slot);
        if (queue.length == gMoveIndex + 1) {
            queue.length = 0;
            gMapObjects[slot].pose = 0;
        }
    }
    ++gMoveIndex;
}

// Walking and the camp menu, from this frame's input code.
void walk(float proposed[3]) {
    if (gEditorPage != 0 || gFieldEvent != 0 || gInBattle != 0 || gScene >= 1000) return;
    if (gConfig[7] == 0) {
        // Down and up walk the diagonals of the sheared grid.
        const int tens = gInputCode - gInputCode % 10;
        const int digit = gInputCode % 10;
        if (digit == 2) gInputCode = tens + 1;
        if (digit == 8) gInputCode = tens + 9;
    }
    const int d = gInputCode % 10;
    float dx = 0.0f, dz = 0.0f;
    switch (d) {
        case 2: dz = -kFieldWalkStep; break;
        case 8: dz = kFieldWalkStep; break;
        case 4: dx = -kFieldWalkStep; break;
        case 6: dx = kFieldWalkStep; break;
        case 1: dx = -kFieldDiagonalStep; dz = -kFieldDiagonalStep; break;
        case 3: dx = kFieldDiagonalStep; dz = -kFieldDiagonalStep; break;
        case 7: dx = -kFieldDiagonalStep; dz = kFieldDiagonalStep; break;
        case 9: dx = kFieldDiagonalStep; dz = kFieldDiagonalStep; break;
        default: break;
    }
    if (d != 0 && d != 5) {
        proposed[0] += dx;
        proposed[2] += dz;
        gPlayerPose = 1;
        if (d == 1 || d == 4 || d == 7) gPlayerFacing = 1;
        if (d == 3 || d == 6 || d == 9) gPlayerFacing = 0;
    }
    if (d == 5 && gCampMenuAllowed == 1 && gDebugMode == 0) {
        // The camp menu opens (runField reloads the portrait sheet for it);
        // the rest of the frame goes on.
        gScene = 200;
        gRedrawRequest[0] = 1;
        gRedrawRequest[1] = 1;
    }
}

// The accept test: a cell outside the grid reads as floorless, so a move off
// the grid is refused like one onto a void.
bool acceptable(const float proposed[3]) {
    int cell[3];
    cellOf(proposed, cell);
    const MapCell& target = mapCell(cell[0], cell[2]);
    if (target.height == 0.0f) return false;
    if (touchObject(cell, proposed) != 0) return false;
    if (target.blocked != 0) return false;
    if (target.height - kFieldClimb > gPlayerPos[1]) return false;
    return true;
}

}  // namespace

void pushOutOfWalls() { pushPositionOutOfWalls(gPlayerPos); }

int stepFieldPlayer() {
    float proposed[3] = {gPlayerPos[0], gPlayerPos[1], gPlayerPos[2]};
    int moved = 0;
    playMoveQueues();
    walk(proposed);

    if (gDebugMode == 1 || acceptable(proposed)) {
        gPlayerPos[0] = proposed[0];
        gPlayerPos[1] = proposed[1];
        gPlayerPos[2] = proposed[2];
    }
    if (gFieldTick >= 3 && gPlayerPose < 3) gPlayerPose = 0;

    // Gravity and jumps.
    int here[3];
    cellOf(gPlayerPos, here);
    const float floor = mapCell(here[0], here[2]).height;
    float& y = gPlayerPos[1];
    float& v = gPlayerVSpeed;
    if (v > 0.0f) {
        y += v;
        moved = 1;
        gPlayerPose = 2;
        v -= kFieldGravity;
    } else if (y + v > floor) {
        y = y + v;
        v -= kFieldGravity;
        moved = 1;
        gPlayerPose = 1;
    } else {
        v = 0.0f;
        y = floor;
        if (gEditorPage == 0) {
            if (gFieldEvent == 0) {
                if (gInputCode >= kInputDecide) v = kFieldJumpSpeed;  // rises from the next frame
                if (gInputCode == 0 && gPlayerPose < 3) gPlayerPose = 0;
            } else if (gPlayerPose < 3) {
                gPlayerPose = 0;
            }
        }
    }

    if (gDebugMode != 1) pushOutOfWalls();
    if (gInputCode != 0 && gFieldEvent == 0) moved = 1;
    return moved;
}
