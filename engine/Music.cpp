#include "engine/Music.h"

#include <cmath>
#include <cstdio>
#include <cstring>
#include <vector>

#include "engine/MusicSynth.h"
#include "engine/ResourcePaths.h"
#include "engine/SongTable.h"
#include "engine/Sound.h"
#include "platform/Audio.h"

char gRequestedSong[100];
char gCurrentSong[100];
char gRememberedSong[100];
int gRememberedSongPos = 0;
int gMusicVolume = 1000;
std::uint8_t gSlowMusicFade = 0;
std::uint8_t gMusicLock = 0;

namespace {

constexpr int kFullVolume = 1000;
constexpr int kSilentVolume = -2000;
constexpr int kFadeStep = 1000;
constexpr int kSlowFadeStep = 40;

// Songs are small; a file past this is not one of ours.
constexpr long kLargestSongFile = 4L * 1024 * 1024;

class PlatformSynth final : public MusicSynth {
public:
    bool startSong(const std::vector<std::uint8_t>& midi, int startPosition) override {
        return audio::startSong(midi.data(), midi.size(), startPosition);
    }
    void stopSong() override { audio::stopSong(); }
    void setVolume(int volume) override { audio::setMusicGain(musicGainForVolume(volume)); }
    bool songPosition(int* position) override { return audio::songPosition(position); }
};

PlatformSynth gPlatformSynth;
MusicSynth* gSynth = &gPlatformSynth;

bool readSongFile(int resourceId, std::vector<std::uint8_t>& out) {
    const std::string path = resources::midiPath(resourceId);
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return false;
    bool ok = std::fseek(f, 0, SEEK_END) == 0;
    const long length = ok ? std::ftell(f) : -1;
    ok = ok && length > 0 && length <= kLargestSongFile && std::fseek(f, 0, SEEK_SET) == 0;
    if (ok) {
        out.resize(static_cast<std::size_t>(length));
        ok = std::fread(out.data(), 1, out.size(), f) == out.size();
    }
    std::fclose(f);
    return ok;
}

// The title fields are 100 bytes; a title always ends inside them.
void copyTitle(char (&to)[100], const char* from) {
    std::strncpy(to, from, sizeof to - 1);
    to[sizeof to - 1] = '\0';
}

bool sameTitle(const char* a, const char* b) { return std::strncmp(a, b, 100) == 0; }

}  // namespace

void setMusicSynth(MusicSynth* synth) { gSynth = synth ? synth : &gPlatformSynth; }

float musicGainForVolume(int volume) {
    const int pathVolume = volume < 0 ? volume : 0;
    const double centibels = pathVolume + volume - kFullVolume;
    return static_cast<float>(std::pow(10.0, centibels / 2000.0));
}

void resetMusicState() {
    std::memset(gRequestedSong, 0, sizeof gRequestedSong);
    std::memset(gCurrentSong, 0, sizeof gCurrentSong);
    std::memset(gRememberedSong, 0, sizeof gRememberedSong);
    gRememberedSongPos = 0;
    gMusicVolume = kFullVolume;
    gSlowMusicFade = 0;
    gMusicLock = 0;
}

bool playSong(const char* title, int startPosition) {
    if (!gSoundAvailable || !title) return false;
    const int resourceId = songResourceId(title);
    if (resourceId < 0) return false;
    std::vector<std::uint8_t> midi;
    if (!readSongFile(resourceId, midi)) return false;
    gMusicVolume = kFullVolume;
    if (!gSynth->startSong(midi, startPosition)) return false;
    gSynth->setVolume(gMusicVolume);
    return true;
}

bool stopMusic() {
    if (!gSoundAvailable) return false;
    gSynth->stopSong();
    return true;
}

bool releaseMusic() {
    if (!gSoundAvailable) return false;
    // The synthesiser and its soundfont stay loaded for the whole run; only
    // the song goes.
    gSynth->stopSong();
    return true;
}

void saveSongPosition(int* position) {
    if (!gSoundAvailable || !position) return;
    int now = 0;
    if (gSynth->songPosition(&now)) *position = now;
}

void updateMusic() {
    if (!gSoundAvailable || sameTitle(gCurrentSong, gRequestedSong)) return;
    if (gCurrentSong[0] == '\0') {
        // From silence a song always starts at its beginning.
        stopMusic();
        releaseMusic();
        copyTitle(gCurrentSong, gRequestedSong);
        playSong(gCurrentSong, 0);
        return;
    }
    if (gMusicVolume > kSilentVolume) {
        gMusicVolume -= gSlowMusicFade == 1 ? kSlowFadeStep : kFadeStep;
        gSynth->setVolume(gMusicVolume);
        return;
    }
    copyTitle(gCurrentSong, gRequestedSong);
    stopMusic();
    releaseMusic();
    if (gCurrentSong[0] == '\0') return;
    if (sameTitle(gCurrentSong, gRememberedSong)) {
        playSong(gCurrentSong, gRememberedSongPos);
    } else {
        playSong(gCurrentSong, 0);
    }
}
