// The per-map dispatch and the step protocol of event scripts.
//
// A script is called once a field frame while an event runs; it performs the
// step gEventStep selects and adds 1 on every way out. A primitive that must
// wait takes 1 off on every frame it is not done, so the same step runs
// again; a branch sets the target minus 1.
#pragma once

#include "field/FieldEventHooks.h"  // setUpCurrentMap and runCurrentMapEvent, which the field calls

extern int gPauseCounter;  // frames counted by pauseEvent, 0 between pauses

// Holds the step for 10n + 1 frames, then lets it advance.
void pauseEvent(int n);
// Ends the running event: step 0, event 0, then the set-up refreshes at once.
void endEvent();

// Resets the event engine's globals (event, step, pause counter, flags).
void resetEventEngine();
