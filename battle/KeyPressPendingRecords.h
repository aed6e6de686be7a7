// Until the battle records land: the few battle records the key-press game
// reads, as the battle core will declare them.
#pragma once

#if __has_include("battle/BattleRecords.h")
#include "battle/BattleRecords.h"
#include "battle/BattleServices.h"
#else
#include <cstdint>

#include "platform/Gfx.h"

struct GraphicsResources;

struct BattleActionBlock {
    int actingSide, actingIndex, commandCursor, listCursor, listScroll, targetIndex, targetSide, targetRange;
    int pendingWeaponSkill, pendingStoneSkill, pendingItem, phase, step, actionFrame;
};
struct BattleActor {
    float x, y, z;
    int facing;
    int pose;
};
struct EffectSlot {
    std::uint8_t active;
    int kind, row;
    float x, y, z, yaw, scaleX, scaleY, scaleZ, opacity;
};
extern BattleActionBlock gBattleAction;
extern BattleActor gPartyActors[4];
extern BattleActor gEnemyActors[6];
extern EffectSlot gEffectSlots[20];
void moveCamera(GraphicsResources& resources, gfx::Device* device, const float target[3], float distance,
                std::uint8_t force);
#endif
