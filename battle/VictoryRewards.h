// The rewards of a won battle: the experience counted out frame by frame
// into the members still standing, their level-ups, and the money, the
// dropped item and the card paid when the player leaves the results.
#pragma once

#include <cstdint>

// The item that doubles a wearer's experience, once per equipment slot holding it.
constexpr int kExperienceCharm = 118;

// Cumulative experience a member of `level` needs for the next level:
// 10 x level x level. No level cap.
std::int64_t experienceForNextLevel(int level);

// This frame's share of the pool. Decide takes the whole rest at once;
// otherwise the share grows with the group's experience E: steps of 1, 6,
// 31, 156, ... (step = 5 x step + 1) while E is at least 50 x the next
// step, the last frame taking what is left. `pool` loses exactly the share.
int takeExperienceShare(int& pool, int groupExperience, bool decide);

// Hands `share` (when above 0) to every party member still standing: each
// gains the share doubled once per equipped experience charm, then rises a
// level for each threshold passed ("Lvup.wav", layer-2 redraw). A fallen
// member or an empty slot gains nothing. Returns how many levels were gained.
int handOutExperience(int share);

// Pays the battle's money into the region's balance as it stands now, adds
// the dropped item (0 none) and the card (999 none) to the stocks.
void payVictoryRewards(int money, int droppedItem, int card);
