// The amount keys the two counters share, the shop's quantity and the bank's
// amount: right one more up to `rightMax`, left one less down to 1, up ten
// more, down ten less but never under 1.
#pragma once

// The amount after `inputCode`, or -1 for a key that is not one of the four.
// Kept: up stops one short of `upCap` (9,999 at the shop, 99,999 at the
// bank), although right may reach `rightMax`.
int stepCounterAmount(int amount, int inputCode, int rightMax, int upCap);
