// The turn-order preview's logic apart from its drawing.
#pragma once

struct TurnOrderEntry {
    int side;   // 0 the party side, 1 an enemy
    int index;  // party slot 0-2, 3 the called bodyguard; enemy slot 0-5
};

// Entry 0 the current actor, entries 1-7 the next picks as the scheduler
// would make them; returns how many entries were filled (fewer only when no
// battler could ever act).
int previewTurnOrder(TurnOrderEntry entries[8]);
// The face icon of a battler in the preview.
int turnOrderIcon(int side, int index);
// A battler's speed for every refill: the monster row's, the member's or the
// called bodyguard's.
int battlerSpeed(int side, int index);
