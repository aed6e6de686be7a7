// The per-map dispatch and the step protocol of event scripts.
//
// A script is called once a field frame while an event runs; it performs the
// step gEventStep selects and adds 1 on every way out. A primitive that must
// wait takes 1 off on every frame it is not done, so the same step runs
// again; a branch sets the target minus 1.
#pragma once

extern int gPauseCounter;  // frames counted by pauseEvent, 0 between pauses

// Calls the current map's set-up with `entering` (1 after a load, 0 on every
// field frame and at every event end). Nothing in the title logo scene (1000)
// or for a map number outside 0 to 129. Returns the set-up's result.
int setUpCurrentMap(int entering);
// One event frame: the message mode back to 0, the treasure message's own
// step when the event is 1000, then the current map's event script.
void runCurrentMapEvent();
// Holds the step for 10n + 1 frames, then lets it advance.
void pauseEvent(int n);
// Ends the running event: step 0, event 0, then the set-up refreshes at once.
void endEvent();

// Resets the event engine's globals (event, step, pause counter, flags).
void resetEventEngine();
