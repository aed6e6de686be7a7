// Songs: MIDI resources chosen by title, switched with a fade by updateMusic.
#pragma once

#include <cstdint>

extern char gRequestedSong[100];
extern char gCurrentSong[100];
extern char gRememberedSong[100];
extern int gRememberedSongPos;
extern int gMusicVolume;
extern std::uint8_t gSlowMusicFade;
extern std::uint8_t gMusicLock;

// Puts the song globals back as at start-up (silence, volume 1000).
void resetMusicState();

// Starts a title of the song table from `startPosition` in music time (768
// ticks to the quarter note), repeating endlessly, at full volume. False
// without sound, for a title not in the table, or when the song cannot play.
bool playSong(const char* title, int startPosition);
bool stopMusic();
bool releaseMusic();
// The playing song's position in music time; leaves `position` alone when no
// song plays or without sound.
void saveSongPosition(int* position);
// Once per main-loop pass: fades the current song out and starts the
// requested one.
void updateMusic();

// The fade's volume (hundredths of a decibel) as a linear gain. The design
// sets both the song's path volume (which tops out at 0) and the master
// volume (which goes up to +20 dB) to it, so 1000 is full volume and each
// step below it counts once above 0 and twice below.
float musicGainForVolume(int volume);
