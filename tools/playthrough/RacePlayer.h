// Steering the motor boat of a race (scene 500) to its finish: the way is
// the shortest one over the course's water, kept a cell off the banks where
// the water allows; the throttle is held on the straights and eased in the
// turns. Returns input codes (engine/Input.h).
#pragma once

// Forgets the way worked out for the previous race.
void resetRacePlayer();
// One frame's input while the race runs.
int raceCode();
