// The party's gear as a player keeps it: the best of what is owned put on,
// and the upgrades a counter sells bought while the money lasts.
#pragma once

// What an item is worth to a unit in an equipment slot of its kind (a
// weapon, a protector, an accessory); -1 for one the unit should not wear.
int gearWorth(int unit, int item);
// The next change that makes the line's gear better: party slot, equipment
// slot and the owned item to put there. False when there is none.
bool nextGearChange(int* partySlot, int* equipSlot, int* item);
// A heal the camp menu's magic can give a line that is not near its most
// HP (under 90 %): the caster's party slot, the position in the magic list
// and the member healed. False when no one is hurt or no one can cast it.
bool nextCampHeal(int* casterSlot, int* position, int* targetSlot);
// The camp menu's keys for the next change (the equipment screen opened,
// the member and slot chosen, the item picked), then for a stone no one
// wears, then for the heals; cancel once there is nothing left to do.
int equipCode();
// The row of the counter's goods that is the best upgrade the money pays
// for and no one has yet, -1 none.
int gearRowToBuy();
