// Sound effects: WAV files under "./Se/", played by file name, one at a time.
#pragma once

#include <cstdint>

extern std::uint8_t gSoundAvailable;  // 1 when the sound device could be set up at start

// The boxes this subsystem shows (caption "Error", an OK button). The app
// layer's message box by default; a test puts a recorder in.
using SoundErrorBox = void (*)(const char* textCp932, const char* captionCp932);
extern SoundErrorBox gSoundErrorBox;

// Puts the sound globals back as at start-up (sound unavailable, the default box).
void resetSoundState();

// Opens the audio output on first use (the device, else the null backend,
// so the game runs silent and otherwise unchanged) and readies the effect voice.
bool initSound();
bool releaseSound();
bool releaseEffectBuffer();
// Plays "./Se/<fileName>" once, cutting the previous effect.
bool playSoundEffect(const char* fileName);
// Reads a wave file for the effect voice; a missing, malformed or unplayable
// file shows its box and gives false.
bool loadWaveToBuffer(const char* path);
