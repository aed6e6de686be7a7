// Weapon skills: the driver that runs a weapon-skill row's step script once
// a frame, its banners, and the mastery rule that pays the skill's bonus.
// The scripts themselves live in battle/SkillScripts*.cpp, by code
// (weapon category x 10 + level).
#pragma once

#include "battle/BattleServices.h"

struct GraphicsResources;

extern int gSkillBonusKind;  // what the bonus was paid in: 0 SP, 1 maximum HP, 2 HP
// The steal's result, shown in the banner in place of the row's name for the
// rest of the action; empty when there is none. Reset when an action begins.
extern char gStealBanner[80];

// The code of the pending weapon-skill row; -1 when the row is out of the table.
int pendingWeaponSkillCode();

// The mastery rule, once after the key-press game: counts the use, and on a
// score at or above `threshold` the success with its SP or HP bonus.
void applySkillMastery(int threshold);

// The bonus a success pays (before kinds 1 and 2 multiply it by 20) for a
// member at a skill level: also what the weapon-skill list shows.
int skillMasteryBonus(int unit, int level, int bonusBase);

// The scripts by code range; a code without a script ends at once.
void runWeaponSkills1to3(GraphicsResources& resources, gfx::Device* device, int code);
void runWeaponSkills4to5(GraphicsResources& resources, gfx::Device* device, int code);
void runWeaponSkills6to8(GraphicsResources& resources, gfx::Device* device, int code);
void runThrownAndMonsterMoves(GraphicsResources& resources, gfx::Device* device, int code);
