// The equipment screen (scene 202): one member's four equipment slots, the
// owned items a slot accepts, and the five bonuses of the item under the
// cursor against those of the item in the slot.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kEquipListRows = 11;
constexpr int kEquipScrollLimit = 189;

// True when equipment slot 0-3 of a unit accepts the item's kind: the weapon
// slot the unit's own weapon kind, the protector slot kind 6, the two
// accessory slots kind 7.
bool equipSlotAccepts(int unit, int slot, int item);

// Puts item `item` (0: takes the slot's item off) into equipment slot `slot`
// of `unit`, moving copies between the owned and equipped counts; then the
// member's Hp and Sp are cut down to the maxima. False (nothing changes) for
// an empty weapon slot choice or an item not owned.
bool equipItem(int unit, int slot, int item);

void runEquipMenu(GraphicsResources& resources, gfx::Device* device);
