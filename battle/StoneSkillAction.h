// Stone skills: the frame every stone-skill script runs in (the title, the
// SP cost paid once, the step count) and the words the scripts are written
// in. The scripts of attributes 1 to 4 are in StoneSkillAction.cpp, those of
// attributes 5 to 9 and the two changes of form in StoneSkillScripts5to9.cpp.
#pragma once

#include "battle/SkillScriptSteps.h"

// The SP a member pays for a stone-skill row: the cost doubled by each item
// 126 and halved by each item 129 worn, truncated.
int stoneSkillCost(int unit, int row);

// The code of the pending stone-skill row (attribute x 10 + level); -1 when
// the row is out of the table.
int pendingStoneSkillCode();

// The scripts of attributes 5 to 9 and codes 94, 95; false for a code
// without a script there.
bool runStoneSkills5to9(const SkillFrame& f, int code);

// ---- the words of the scripts ----
void castPose();
// The target's actor looked up by the caster's side (opposing) or the
// caster's own side.
BattleActor& opposingTargetActor();
BattleActor& ownSideTargetActor();
void cameraOn(const SkillFrame& f, const BattleActor& a);
void cameraOnPoint(const SkillFrame& f, float x, float y, float z);
void loadStoneMesh(const SkillFrame& f, int code);
// A mesh slot: active, kind, position, one scale on all axes, opacity, yaw 0.
void placeMeshSlot(int slot, int kind, float x, float y, float z, float scale, float opacity);
void scaleSlot(int slot, float factor);
void growSlot(int slot, float amount);
// End the script (pose 0); with the panel, the party panel is redrawn.
void endStoneScript();
void endStoneScriptWithPanel();

// The effects, each one resolveEffect per battler.
void magicAttackOn(int side, int index);
void healOn(int side, int index);
void grantOn(int side, int index, int effectType);
// The target sets: indices and the side of each.
int everyOpposingBattler(int out[6]);
int everyLivingAlly(int out[6]);
void magicAttackEveryOpposing();
void healEveryLivingAlly();
void grantEveryLivingAlly(int effectType);
// Slots of the living allies at their actors (the bodyguard uses slot 0).
void placeAllySlots(int kind, float scale, float opacity, float dy);
