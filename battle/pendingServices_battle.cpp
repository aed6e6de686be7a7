// Weak stand-ins for the battle entry points built in other battle files,
// until each lands: every action ends at once, so a battle never hangs on a
// missing piece. Each real definition replaces its stand-in at link time.
#include "battle/BattleServices.h"

#include "engine/GraphicsResources.h"
#include "engine/TextLayers.h"

#define PENDING __attribute__((weak))

// Until the weapon skills land: one plain hit at power 100 on the target (every
// present enemy for ranges 1 and 2), then the action is over.
PENDING int runWeaponSkillAction(GraphicsResources&, gfx::Device*) {
    const BattleActionBlock& a = gBattleAction;
    if (a.targetSide == kSideEnemy && a.targetRange != 0) {
        for (int k = 0; k < kEnemySlotCount; ++k)
            if (gEnemyBattlers[k].monster != 0)
                resolveEffect(a.actingSide, a.actingIndex, kSideEnemy, k, 100, 0, kEffectPhysical);
    } else {
        resolveEffect(a.actingSide, a.actingIndex, a.targetSide, a.targetIndex, 100, 0, kEffectPhysical);
    }
    return 1;
}
// Until the stone skills land.
PENDING int runStoneSkillAction(GraphicsResources&, gfx::Device*) { return 1; }
// Until the battle items land.
PENDING int runItemAction(GraphicsResources&, gfx::Device*) { return 1; }
// Until the battle item list lands: back to the command menu at once.
PENDING void runBattleItemList(GraphicsResources&, gfx::Device*) {
    gBattleAction.phase = kPhaseCommand;
    gRedrawRequest[1] = 2;
}
// Until the key-press games land: over at once.
PENDING int runKeyPressGame(GraphicsResources&, gfx::Device*, int, int) { return 1; }
PENDING void resetKeyPressRun() {}
// Until the enemies' choices land: the enemy does nothing this turn.
PENDING void chooseEnemyAction() {
    gBattleAction.targetSide = kSideParty;
    gBattleAction.targetIndex = 0;
    gBattleAction.targetRange = 0;
    selectPendingAction(-1, -1, -1, kSideEnemy);
    gBattleAction.phase = kPhaseActionStart;
}
// Until the victory results land: the whole pool is handed out at once.
PENDING void runVictoryResults(GraphicsResources&, gfx::Device*) { gBattleRewards.experiencePool = 0; }
// Until the scripted battles land: a story event goes on to the action start.
PENDING void runBattleStoryEvents(GraphicsResources&, gfx::Device*) {
    selectPendingAction(-1, -1, -1, kSideEnemy);
    gBattleAction.phase = kPhaseActionStart;
}
PENDING void runBattleLectures(GraphicsResources&, gfx::Device*) {}

