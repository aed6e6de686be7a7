// The battlers' billboards apart from the device.
#pragma once

#include "platform/Gfx.h"

// Fills the four vertices of a battler's quad: the character's sheet row, the
// pose's column, mirrored by facing; enemies mirrored once more.
void fillBattlerQuad(gfx::Vertex* v, int character, int pose, int facing, bool enemy);
// The sprite character a party actor (0-2, 3 the bodyguard) or enemy slot
// shows; -1 when nothing is drawn there.
int partyBattlerCharacter(int actor);
int enemyBattlerCharacter(int slot);
