// The party's stat rules: every maximum and fighting stat is computed on
// demand from level, base record, equipment, formation and battle bonus.
#pragma once

// A member's stat of kind 0-6 (StatKind); at least 1.
int computeUnitStat(int unit, int kind);
// A bodyguard's (0-3) stat of kind 0-6, at least 1; kind 99 its level.
int computeBodyguardStat(int bodyguard, int kind);
