// The game's only source of random numbers.
#pragma once

// The previous raw draw (0 to 32767); 0 at start.
extern int gRandomLast;

// 0 to 999. The generator is reseeded before every draw with the calendar
// second (platform/Clock.h) plus the previous raw draw, so every value
// depends only on the current second and the value before it.
int randomThousand();

// The generator itself: seeding sets the 32-bit state; a draw steps
// state = state * 214013 + 2531011 and yields bits 16 to 30 (0 to 32767).
int drawAfterSeed(unsigned int seed);
