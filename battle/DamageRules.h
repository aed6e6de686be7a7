// The arithmetic of the attack formulas, apart from the battlers.
#pragma once

// trunc((attack x 1.95 - defence x 1.9) x power x 0.01) with the
// single-precision constants multiplied in double; 0 when negative.
long long attackBase(int attack, int defence, int power);
// From 80 % of base (r = 0) to just under 120 % (r = 999).
long long spreadDamage(long long base, int r);
