// The magic screen (scene 205): sixteen rows of the stone-skill table, the
// ones the obtained stones open, and healing cast outside battle.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kMagicListLength = 16;  // list position k shows stone-skill row k + 2

// The stone whose flag must be 1 for an attribute's skills to be listed; 0 for none.
int stoneOpeningAttribute(int attribute);
// True when the skill at list position 0-15 is listed (its stone obtained).
bool magicListed(int position);
// True when the caster (a unit id) can cast the skill at a list position
// here: listed, aimed at one ally or all allies, of attribute 4, 7 or 8, and
// the caster's Sp covers its cost.
bool magicCastable(int position, int caster);
// The Hp one target gains from healing power d (the caster's magic plus the
// skill's power, 0 if negative) and a draw r of 0-999: from 80 % of d up to
// just under 120 %.
int campHealAmount(int d, int r);
// Casts the skill at a list position: heals the target slot (one ally) or
// every member in slots 0-2, each with its own draw, caps each at its
// maximum Hp, and takes the cost from the caster's Sp.
void castCampMagic(int position, int casterSlot, int targetSlot);

void runMagicMenu(GraphicsResources& resources, gfx::Device* device);
