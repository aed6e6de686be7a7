// Weak stand-ins until the battle records land.
#include "battle/KeyPressPendingRecords.h"

#if !__has_include("battle/BattleRecords.h")
__attribute__((weak)) BattleActionBlock gBattleAction{};
__attribute__((weak)) BattleActor gPartyActors[4]{};
__attribute__((weak)) BattleActor gEnemyActors[6]{};
__attribute__((weak)) EffectSlot gEffectSlots[20]{};
__attribute__((weak)) void moveCamera(GraphicsResources&, gfx::Device*, const float*, float, std::uint8_t) {}
#endif
