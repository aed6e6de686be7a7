// The battle stage the formation screen's picture shows, written into the
// battle's own records so the battle's drawing shows it.
#include "battle/BattleRecords.h"
#include "menus/FormationScreen.h"

void prepareFormationStage() {
    gBattleAction.phase = 0;
    gGroundTiles[0] = 1;  // floor tile column and row (1, 1)
    gGroundTiles[1] = 1;
    for (EnemyBattler& enemy : gEnemyBattlers) enemy.monster = 0;
    for (BattleActor& actor : gPartyActors) {
        actor.facing = 0;
        actor.pose = 0;
    }
    gBattleSchedule.soloMode = 0;
}

void placeFormationActors() {
    for (int slot = 0; slot < 3; ++slot) {
        float x = 0.0f, z = 0.0f;
        formationActorSpot(slot, x, z);
        gPartyActors[slot].x = x;
        gPartyActors[slot].y = 0.0f;
        gPartyActors[slot].z = z;
    }
}
