// The camp menu (scene 200): the party, the balances and the loan, the play
// time and the place, and the entries that lead to the eight screens, to
// saving and back to the title.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

// Scenes of the camp menu's family.
constexpr int kSceneCampMenu = 200;
constexpr int kSceneMenuSave = 210;

// The entries' scenes by row; row 9 (reset) opens the confirmation window.
extern const int kCampEntryScenes[10];

// True while a row is locked this frame: 3 and 4 until the first magical
// stone is obtained, 6 while no card is owned, 7 while no bodyguard is hired.
bool campEntryLocked(int row);

// Which money window (0-2) shows the loan: currency 2's place when the
// region pays in currency 0, else the place that is neither currency 0 nor
// the region's.
int loanWindowPlace();

// One frame of the camp menu.
void runCampMenu(GraphicsResources& resources, gfx::Device* device);
