// Small shapes the story scripts repeat: dressing an object slot, queueing a
// figure's moves, the fields of a set-up that only apply on entering, and a
// member's level on joining.
#pragma once

#include <initializer_list>

#include "events/EventEngine.h"
#include "events/EventPrimitives.h"
#include "events/FieldMechanisms.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"
#include "story/Dialogue.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"

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
// A shown figure whose sprite row is part of the rule (written on every
// call) and whose facing is written only on entering.
inline void dressPosed(int slot, int kind, int column, int row, int facing, int entering) {
    dress(slot, kind, 1, column, row);
    faceOnEntering(slot, facing, entering);
}
inline void removeFigure(int slot) { dress(slot, 0, 0, 0, 0); }
// Out of the scene but left in its slot: untouchable and unseen, its sprite
// kept for a later set-up that shows it again.
inline void hideFigure(int slot) {
    MapObject& o = gMapObjects[slot];
    if (!o.present) return;
    o.kind = 0;
    o.visible = 0;
}
// An unseen slot that only starts its event: an exit, a door, a counter.
inline void hiddenTrigger(int slot) { dress(slot, 1, 0, 0, 0); }
inline void hiddenTriggers(int first, int last) {
    for (int slot = first; slot <= last; ++slot) hiddenTrigger(slot);
}
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
// Odd slots wear the character column `look`, even slots the next one.
inline void enemySymbol(int slot, int group, int look, int entering) {
    MapObject& o = gMapObjects[slot];
    if (entering != 1 || !o.present) return;
    o.kind = 5;
    o.index = group;
    o.visible = 1;
    o.character = (slot % 2 == 1) ? look : look + 1;
    o.pose = 0;
    o.chaseSpeed = 0.05f;
    o.facing = 0;
}
// The prison's guards and most beasts wear columns 17 and 18.
inline void enemySymbol(int slot, int group, int entering) { enemySymbol(slot, group, 17, entering); }
// Enemy symbols of slots first to last, of group `base + slot % groups`: a
// region's beasts or guards take turns among its groups by slot.
inline void enemySymbols(int first, int last, int base, int groups, int look, int entering) {
    for (int slot = first; slot <= last; ++slot) enemySymbol(slot, base + slot % groups, look, entering);
}

inline void face(int slot, int facing) { gMapObjects[slot].facing = static_cast<std::uint8_t>(facing); }
inline void pose(int slot, int row) { gMapObjects[slot].pose = row; }

// One figure's queue: `frames` moves in a keypad direction (a new block).
inline void walk(int slot, int direction, int frames) {
    beginMoveBlock(1, slot);
    addMoves(direction, frames);
}
// The same with two or three legs in one block; a leg of no frames is left out.
inline void walk(int slot, int d1, int n1, int d2, int n2, int d3 = 0, int n3 = 0) {
    walk(slot, d1, n1);
    if (n2 > 0) addMoves(d2, n2);
    if (n3 > 0) addMoves(d3, n3);
}
inline void waitWalk() { waitMoveBlock(1); }

// Whether `step` is one of `steps`: a scene's scattered steps of one kind.
inline bool inSteps(int step, std::initializer_list<int> steps) {
    for (int s : steps)
        if (s == step) return true;
    return false;
}

// Where a figure stands now (x, y, z), for a camera or a marker to aim at.
inline void positionOf(int slot, float out[3]) {
    out[0] = gMapObjects[slot].x;
    out[1] = gMapObjects[slot].y;
    out[2] = gMapObjects[slot].z;
}

// Glides the camera, over `tenths` tenths of a second, to look at the floor
// of cell (row, col): a scene whose cast stands away from the player is
// played where the cast is. The camera stays there until the player moves.
inline void lookAtCell(float row, float col, int tenths) {
    gCameraGlide = static_cast<std::int8_t>(tenths);
    const float point[3] = {row + 0.5f, mapCell(static_cast<int>(row), static_cast<int>(col)).height, col + 0.5f};
    setCameraTarget(0, point);
}

// Glides the camera, over `tenths` tenths of a second, to look at the point
// (row, height, col) of the map; 0 tenths keeps the glide last set.
inline void lookAtPoint(float row, float height, float col, int tenths) {
    if (tenths != 0) gCameraGlide = static_cast<std::int8_t>(tenths);
    const float point[3] = {row, height, col};
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

// Field marker `marker` (a stone in someone's hand) shown beside a figure,
// `dx` along x and `dz` along z from it.
inline void showMarkerBeside(int marker, int slot, float dx, float dz = 0.0f) {
    FieldMarker& m = gFieldMarkers[marker];
    const MapObject& o = gMapObjects[slot];
    m.present = 1;
    m.x = o.x + dx;
    m.y = o.y;
    m.z = o.z + dz;
}

// The experience a member holds on reaching `level`.
inline int levelStartExperience(int level) { return 10 * (level - 1) * (level - 1); }
// A member who joins at `level` or above: never below their own level, and
// their experience put at the start of the level they end at.
inline void joinAtLevel(int unit, int level) {
    PartyMember& m = gPartyMembers[unit];
    if (m.level < level) m.level = level;
    m.experience = levelStartExperience(m.level);
}
// A member below `level` is brought up to its start; one at or above it
// keeps their level and experience.
inline void raiseLevelTo(int unit, int level) {
    PartyMember& m = gPartyMembers[unit];
    if (m.level >= level) return;
    m.level = level;
    m.experience = levelStartExperience(level);
}
// A member who leaves or joins without stones of their own.
inline void clearStones(int unit) {
    gPartyMembers[unit].stones[0] = 0;
    gPartyMembers[unit].stones[1] = 0;
}

// The fade back from an arrival that came in dimmed: the field's tint to
// white, then the arrival's flag cleared and the end.
inline void runArrivalFadeBack() {
    if (gEventStep == 0) {
        fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
    } else if (gEventStep == 1) {
        gStoryFlags[flag::kArrivalFadeDue] = 0;
        endEvent();
    }
}

// The way into コールルピック from outside: a town still sealed or deserted
// is faded in grey before the map changes to (row, col).
inline void enterColerupic(int row, int col, int facing) {
    if (gEventStep == 0) {
        if (gStoryFlags[flag::kColerupicSealed] == 0 || gStoryFlags[flag::kColerupicDeserted] == 1)
            fadeTint(0.5f, 0.5f, 0.5f, 1.0f);
    } else if (gEventStep == 1) {
        changeMap(62, row, col, facing);
    }
}

// The end of an event that has no script of its own (a touched figure, a
// bystander, a scene's stand-in), so a touch never freezes the player. No
// event and a chest's message are left running.
inline void endSilentEvent() {
    if (gFieldEvent != 0 && gFieldEvent != kTreasureEvent) endEvent();
}

// A floor with lifts: on entering its arrival values and the lift's arrival,
// on every other call the check for a lift setting off.
inline void liftFloorArrival(int map, int entering) {
    if (entering == 1) {
        applyMapArrival(map);
        beginLiftArrival();
    } else {
        checkLiftStart();
    }
}
// The same on a floor with lifts, whose departures and arrivals are events
// of their own and are left running too.
inline void endSilentLiftFloorEvent() {
    const int event = gFieldEvent;
    if (event != 0 && event != kTreasureEvent && event != kLiftDepartureEvent && event != kLiftArrivalEvent)
        endEvent();
}
// The end of every call of a lift floor's event script: an event the map's
// script did not answer ends at once, the lift ride gets its frame, then
// the step moves on.
inline void finishLiftFloorCall(bool handled) {
    if (!handled) endSilentLiftFloorEvent();
    runLiftRide();
    ++gEventStep;
}

}  // namespace story
