// Small shapes the story scripts repeat: dressing an object slot, queueing a
// figure's moves, and the fields of a set-up that only apply on entering.
#pragma once

#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "events/FieldMechanisms.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "story/Dialogue.h"

namespace story {

// Kind, visibility and sprite (character column and pose row) of a slot that
// the map file made present; an absent slot is left alone.
inline void dress(int slot, int kind, int visible, int column, int row) {
    MapObject& o = gMapObjects[slot];
    if (!o.present) return;
    o.kind = static_cast<std::uint8_t>(kind);
    o.visible = static_cast<std::uint8_t>(visible);
    o.character = column;
    o.pose = row;
}
// Kind, visibility and column; the row is written only when entering.
inline void dressFigure(int slot, int kind, int visible, int column, int row, int facing, int entering) {
    MapObject& o = gMapObjects[slot];
    if (!o.present) return;
    o.kind = static_cast<std::uint8_t>(kind);
    o.visible = static_cast<std::uint8_t>(visible);
    o.character = column;
    if (entering == 1) {
        o.pose = row;
        o.facing = static_cast<std::uint8_t>(facing);
    }
}
inline void faceOnEntering(int slot, int facing, int entering) {
    if (entering == 1 && gMapObjects[slot].present) gMapObjects[slot].facing = static_cast<std::uint8_t>(facing);
}
inline void removeFigure(int slot) { dress(slot, 0, 0, 0, 0); }
inline void trigger(int slot, int kind) {
    if (gMapObjects[slot].present) gMapObjects[slot].kind = static_cast<std::uint8_t>(kind);
}
inline void chest(int slot, int number, int contents, int amount) {
    MapObject& o = gMapObjects[slot];
    if (!o.present) return;
    o.kind = 100;
    o.visible = 1;
    o.index = number;
    o.character = contents;
    o.pose = amount;
    o.height = 1.8f;
}
// Enemy symbols are placed only on entering, so a beaten one stays away.
inline void enemySymbol(int slot, int group, int entering) {
    MapObject& o = gMapObjects[slot];
    if (entering != 1 || !o.present) return;
    o.kind = 5;
    o.index = group;
    o.visible = 1;
    o.character = (slot % 2 == 1) ? 17 : 18;
    o.pose = 0;
    o.chaseSpeed = 0.05f;
    o.facing = 0;
}

inline void face(int slot, int facing) { gMapObjects[slot].facing = static_cast<std::uint8_t>(facing); }
inline void pose(int slot, int row) { gMapObjects[slot].pose = row; }

// One figure's queue: `frames` moves in a keypad direction (a new block).
inline void walk(int slot, int direction, int frames) {
    beginMoveBlock(1, slot);
    addMoves(direction, frames);
}
inline void waitWalk() { waitMoveBlock(1); }

// Glides the camera, over `tenths` tenths of a second, to look at the floor
// of cell (row, col): a scene whose cast stands away from the player is
// played where the cast is. The camera stays there until the player moves.
inline void lookAtCell(float row, float col, int tenths) {
    gCameraGlide = static_cast<std::int8_t>(tenths);
    const float point[3] = {row + 0.5f, mapCell(static_cast<int>(row), static_cast<int>(col)).height, col + 0.5f};
    setCameraTarget(0, point);
}

// The same, at once: after a battle, which hands the camera back to the
// hidden player, the scene's next line is read where its cast stands.
inline void cutToCell(float row, float col) {
    lookAtCell(row, col, 1);
    gCameraSnap = 2;
}

// Hold the step until the still picture is fully shown.
inline void waitPictureShown() {
    if (gStillPictureAlpha != 255) --gEventStep;
}

}  // namespace story
