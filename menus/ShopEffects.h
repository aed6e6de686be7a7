// The sound effects of the shop and bank counters, played through one
// function that a test can replace with its own recorder.
#pragma once

using CounterEffectPlayer = bool (*)(const char* fileName);
// playSoundEffect unless a test puts its own player here.
extern CounterEffectPlayer gCounterEffectPlayer;

inline constexpr const char* kEffectDecide = "Kettei.wav";
inline constexpr const char* kEffectCancel = "Can.wav";
inline constexpr const char* kEffectPaid = "Kaikei.wav";
inline constexpr const char* kEffectRefused = "Buza.wav";

void playCounterEffect(const char* fileName);
