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

bool playSong(const char* title, int startPosition);
bool stopMusic();
bool releaseMusic();
void saveSongPosition(int* position);
void updateMusic();
