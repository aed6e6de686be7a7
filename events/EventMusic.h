// The song requests of scripts and set-ups; the music player fades to them.
#pragma once

// The main theme plays at once (the lock ignored, the remembered song
// cleared); any other song is ignored under the music lock or when it is
// already current; otherwise the current song is remembered and the new one
// requested.
void changeMusic(const char* song);
// Ignored under the music lock; otherwise the current song fades out.
void requestMusicStop();

extern const char* const kMainTheme;  // "【テーマ】コルヴァディン.mid"
