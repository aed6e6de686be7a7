// Weak stand-ins for the services the camp screens call before their owners
// land (menus/CampPendingServices.h). Temporary: each group says what it
// waits for; the real definitions replace these at link time.
#include "menus/CampPendingServices.h"
#include "menus/FormationScreen.h"

#define PENDING __attribute__((weak))

// Until the save files and the slot chooser land.
PENDING int writeSaveFile(int) { return 1; }
PENDING int runSaveSlotChooser(GraphicsResources&, gfx::Device*) { return 0; }

// Until the battle's drawing lands: the picture shows black.
PENDING void drawBattleField(GraphicsResources&, gfx::Device*) {}

// Until the battle records land: the stage and the actors are the battle's
// records, written by menus/FormationScreenStage.cpp once they exist.
PENDING void prepareFormationStage() {}
PENDING void placeFormationActors() {}
