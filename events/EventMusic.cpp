#include "events/EventMusic.h"

#include <cstdio>
#include <cstring>

#include "engine/Music.h"

const char* const kMainTheme = "【テーマ】コルヴァディン.mid";

namespace {

void copySong(char* to, const char* from) { std::snprintf(to, 100, "%s", from); }

}  // namespace

void changeMusic(const char* song) {
    if (song == nullptr) return;
    if (std::strcmp(song, kMainTheme) == 0) {
        gRememberedSong[0] = '\0';
        copySong(gCurrentSong, song);
        copySong(gRequestedSong, song);
        releaseMusic();
        playSong(song, 0);
        return;
    }
    if (gMusicLock == 1 || std::strcmp(song, gCurrentSong) == 0) return;
    copySong(gRememberedSong, gCurrentSong);
    copySong(gCurrentSong, gRequestedSong);
    copySong(gRequestedSong, song);
    saveSongPosition(&gRememberedSongPos);
}

void requestMusicStop() {
    if (gMusicLock == 1) return;
    copySong(gCurrentSong, gRequestedSong);
    gRequestedSong[0] = '\0';
}
