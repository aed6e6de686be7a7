// Sound effects: WAV files under "./Se/", played by file name, one at a time.
#pragma once

#include <cstdint>

extern std::uint8_t gSoundAvailable;  // 1 when the sound device could be set up at start

bool initSound();
bool releaseSound();
bool releaseEffectBuffer();
bool playSoundEffect(const char* fileName);
