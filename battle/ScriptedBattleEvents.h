// Story events inside four story battles: an enemy's pattern hands the turn
// over (phase 4000) and the event plays a dialogue in the top message window,
// moves battlers, brings in enemies or takes the party's magical stones, then
// ends the battle or resumes it. Each event's step counter is a story flag,
// so an event that has run does not run again until the story resets it.
#pragma once

#include "platform/Gfx.h"

struct GraphicsResources;

constexpr int kFlagMoonstoneEvent = 80;  // group 51
constexpr int kFlagThiefEvent = 83;      // groups 64 and 84 (also the thief's mode)
constexpr int kFlagRetreatEvent = 997;   // group 89

// One frame of the story event of the running battle while the phase is 4000.
// A group without an event, or an event already played to its end, gives the
// turn back to the battle (phase 100): the pending action, if any, runs.
void runBattleStoryEvents(GraphicsResources& resources, gfx::Device* device);
