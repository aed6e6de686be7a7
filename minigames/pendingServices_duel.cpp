// Weak stand-ins for the services the card duel uses that have not landed on
// main yet: the scene number and text-layer requests (foundation, graphics),
// the song globals and player (music), the card table and stock (game data)
// and the random source (foundation). Each real definition replaces its stub
// when it lands; remove a stub once its owner is on main.
#include <cstdint>

#include "engine/Music.h"
#include "engine/Scene.h"
#include "minigames/CardDuelPendingData.h"

// Until foundation lands.
__attribute__((weak)) int gScene;
__attribute__((weak)) int randomThousand() { return 0; }
__attribute__((weak)) int gInputCode;

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

// Until game data lands.
__attribute__((weak)) CardRecord gCardTable[100];
__attribute__((weak)) CardStock gCardStock[100];
