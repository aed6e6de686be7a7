// Weak stand-ins for the services the card duel uses that have not landed on
// main yet: the song globals and player (music). Each real definition
// replaces its stub when it lands; remove this file once music is on main.
#include <cstdint>

#include "engine/Music.h"

// Until music lands.
__attribute__((weak)) char gRequestedSong[100];
__attribute__((weak)) char gCurrentSong[100];
__attribute__((weak)) char gRememberedSong[100];
__attribute__((weak)) int gRememberedSongPos;
__attribute__((weak)) std::uint8_t gMusicLock;
__attribute__((weak)) bool playSong(const char*, int) { return false; }
__attribute__((weak)) bool stopMusic() { return false; }
__attribute__((weak)) bool releaseMusic() { return false; }
__attribute__((weak)) void saveSongPosition(int*) {}
