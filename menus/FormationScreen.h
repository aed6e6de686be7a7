// The formation screen (scene 206): the ten formations, the order in which
// the party slots take the formation's positions, each member's attack and
// defence before and after the row factor, and a small picture of the party
// standing on the battle ground in the chosen formation.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// Where party slot i stands in the chosen formation: x by the row of its
// position (rear 4, middle 6, front 8), z by the position (10, 4, 16).
void formationActorSpot(int slot, float& x, float& z);
// The row (0 rear, 1 middle, 2 front) party slot i stands in.
int formationRowOfSlot(int slot);
// A member's attack (kind 2) or defence (kind 3) before the row factor.
int statBeforeRowFactor(int unit, int kind);

// Readies the battle stage the picture shows: phase 0, floor tile (1, 1),
// no enemies, the party actors' facing and pose 0, no solo bodyguard.
void prepareFormationStage();
// Puts the three party actors on their spots (the battle's actor records).
void placeFormationActors();
// Paints the ground picture from floor tile (1, 1) of the tile atlas into
// the ground target (not in low-spec mode, which has no such target).
void paintFormationGround(GraphicsResources& resources, gfx::Device* device);
// The picture's fixed camera; nothing without a device or a usable viewport.
void setFormationCamera(gfx::Device* device);

void runFormationMenu(GraphicsResources& resources, gfx::Device* device);
