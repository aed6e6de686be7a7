// The damage popups' own pieces: applying one popup's change, the rise of a
// popup by its timer, and the glyphs it shows.
#pragma once

#include "battle/BattleRecords.h"

// Lands the change a popup carries on its battler (HP, SP, revival, statuses)
// with the poses that go with it; the first redraw request becomes 2.
void applyDamagePopup(const DamagePopup& popup);
// Height above the battler for a timer of 20 down to 1.
float popupRise(int timer);
