// The command menus' rules apart from their drawing.
#pragma once

// The entries of the acting party battler's command menu, top to bottom, as
// label numbers (0 attack, 1 stones, 2 items, 3 bodyguards, 4 escape, 5 the
// bodyguard's own action, 6 withdraw); returns their count.
int commandMenuEntries(int labels[5]);
// Whether weapon-skill level 0-3 is open for a unit by its success counts.
bool weaponLevelOpen(int unit, int level);
// The first of the first 40 weapon-skill rows of the category and level, -1 none.
int weaponSkillRowFor(int category, int level);
// The bonus figure a weapon skill shows for a unit at a level.
int weaponSkillBonusFigure(int unit, int row, int level);
// The SP factor of a unit's equipment (items 126 double, 129 halve).
float stoneSpFactor(int unit);
// The stone-skill row for a unit's stone slot 0-1 at level 0-1, -1 none.
int stoneSkillRowFor(int unit, int stoneSlot, int level);
// The enemy the bodyguard's own action aims at: one draw over the living.
int randomLivingEnemy();
