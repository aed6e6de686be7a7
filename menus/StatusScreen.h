// The status screen (scene 204): one member's portrait, level, stats,
// equipment, stones, unlocked weapon skills with their bonus figures and the
// skills of the worn stones.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// True when a member's weapon-skill level 0-3 is unlocked: level 0 always,
// 1 after 30 successes at level 0, 2 after 90 at levels 0 and 1 together,
// 3 after 60 at each of levels 0, 1 and 2.
bool weaponSkillLevelUnlocked(int unit, int level);
// The bonus figure of a weapon-skill row for a member: (successes at its
// level / 20 + 1) x the bonus base, then the member's equipment in slot
// order: item 104 adds 5, 111 halves, 120 adds 20, 127 doubles.
int weaponSkillBonusFigure(int unit, int row);

void runStatusScreen(GraphicsResources& resources, gfx::Device* device);
