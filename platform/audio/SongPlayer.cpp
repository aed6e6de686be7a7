#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <thread>

#include "platform/audio/MixerState.h"

namespace audio {

namespace {

// Debian's General MIDI soundfonts, the small one first.
const char* const kSoundFontPaths[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
    "/usr/share/sounds/sf3/default-GM.sf3",
    "/usr/share/sounds/sf2/FluidR3_GM.sf2",
    "/usr/share/sounds/sf3/MuseScore_General.sf3",
    "/usr/share/sounds/sf2/MuseScore_General.sf2",
};

// How many passes of a song the player may start before the mixer's next
// piece of work (see renderSynthesiser).
constexpr int kPassesAhead = 4;

// The synthesiser's own chatter (warnings about unused soundfont details)
// is of no use to a player; errors still reach stderr, except while a song
// is tried out (the refusal is reported in one line of our own).
void quietLog(int, const char*, void*) {}

thread_local bool tTryingSong = false;

void errorLog(int, const char* message, void*) {
    if (!tTryingSong) std::fprintf(stderr, "fluidsynth: error: %s\n", message);
}

// What a load makes: the synthesiser with its soundfont, and the trial
// synthesiser. Built apart from the mixer's state, so a load ahead never
// touches what the audio thread reads; the takeover moves it in.
struct LoadedSynth {
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    std::string soundFont;
    fluid_settings_t* trialSettings = nullptr;
    fluid_synth_t* trialSynth = nullptr;
};

// The trial synthesiser: no soundfont, no effects, few voices; it only has
// to load and start songs.
void loadTrialSynthesiser(LoadedSynth& loaded) {
    loaded.trialSettings = new_fluid_settings();
    if (!loaded.trialSettings) return;
    fluid_settings_setnum(loaded.trialSettings, "synth.sample-rate", kOutputRate);
    fluid_settings_setint(loaded.trialSettings, "synth.polyphony", 16);
    fluid_settings_setint(loaded.trialSettings, "synth.reverb.active", 0);
    fluid_settings_setint(loaded.trialSettings, "synth.chorus.active", 0);
    fluid_settings_setstr(loaded.trialSettings, "player.timing-source", "sample");
    loaded.trialSynth = new_fluid_synth(loaded.trialSettings);
}

// True when the synthesiser's own player loads the song and finds it
// playing after its first block: a file it refuses, or one with nothing to
// play, is never handed to the audio thread.
bool synthesiserTakesSong(const std::uint8_t* midi, std::size_t size) {
    MixerState& state = mixerState();
    // Without a trial synthesiser the mixer's restart limit still holds.
    if (!state.trialSynth) return true;
    fluid_player_t* player = new_fluid_player(state.trialSynth);
    if (!player) return false;
    tTryingSong = true;
    bool playing = false;
    if (fluid_player_add_mem(player, midi, size) == FLUID_OK && fluid_player_play(player) == FLUID_OK) {
        // One block of the synthesiser runs the player once: it loads the
        // file and plays what lies at its start.
        float left[64], right[64];
        fluid_synth_write_float(state.trialSynth, 64, left, 0, 1, right, 0, 1);
        playing = fluid_player_get_status(player) == FLUID_PLAYER_PLAYING && fluid_player_get_total_ticks(player) > 0;
    }
    fluid_player_stop(player);
    delete_fluid_player(player);
    fluid_synth_system_reset(state.trialSynth);
    tTryingSong = false;
    return playing;
}

// The song stopped for good (it no longer loads): it falls silent, and the
// audio thread goes on with the rest of the mix.
void failSongLocked(MixerState& state) {
    delete_fluid_player(state.player);
    state.player = nullptr;
    state.restartPending = false;
    state.musicOn = false;
    state.pendingStartTick = -1;
    state.songLengthTicks = 0;
    state.songDivision = 0;
    std::fprintf(stderr, "corvadine: the synthesiser stopped the song (it no longer loads): music is silent\n");
}

// The synthesiser being loaded ahead (prepareMusicSynth), into `loaded`,
// which only that thread touches until it is joined. At exit a load nobody
// took over is waited for, so it never outlives the state.
struct Preparation {
    std::thread thread;
    LoadedSynth loaded;
    ~Preparation() {
        if (thread.joinable()) thread.join();
    }
};

Preparation& preparation() {
    static Preparation p;
    return p;
}

void installLocked(MixerState& state, LoadedSynth& loaded) {
    state.settings = loaded.settings;
    state.synth = loaded.synth;
    state.soundFont.swap(loaded.soundFont);
    state.trialSettings = loaded.trialSettings;
    state.trialSynth = loaded.trialSynth;
    loaded = LoadedSynth{};
}

// Takes over a load started ahead, waiting for it if it still runs; the
// audio thread sees the synthesiser from its next block. True when there
// was one.
bool takeOverPreparation() {
    Preparation& p = preparation();
    if (!p.thread.joinable()) return false;
    p.thread.join();
    MixerLock lock;
    installLocked(mixerState(), p.loaded);
    return true;
}

std::int64_t musicLengthOf(const MixerState& state) {
    return static_cast<std::int64_t>(state.songLengthTicks) * kMusicTicksPerQuarter / state.songDivision;
}

// The synthesiser and the soundfont, loaded here and now.
void loadSynthesiserInto(LoadedSynth& state) {
    fluid_set_log_function(FLUID_WARN, quietLog, nullptr);
    fluid_set_log_function(FLUID_INFO, quietLog, nullptr);
    fluid_set_log_function(FLUID_DBG, quietLog, nullptr);
    fluid_set_log_function(FLUID_ERR, errorLog, nullptr);

    const char* found = nullptr;
    for (const char* path : kSoundFontPaths) {
        if (std::FILE* f = std::fopen(path, "rb")) {
            std::fclose(f);
            found = path;
            break;
        }
    }
    if (!found) {
        std::fprintf(stderr, "corvadine: no General MIDI soundfont found (install timgm6mb-soundfont): music is silent\n");
        return;
    }
    state.settings = new_fluid_settings();
    fluid_settings_setnum(state.settings, "synth.sample-rate", kOutputRate);
    fluid_settings_setnum(state.settings, "synth.gain", 0.5);
    // No song holds more than about 30 notes at once, but short notes on
    // instruments with long releases (pulsing strings) pile up hundreds of
    // fading voices, each costing as much as a held one. 64 voices keep every
    // held note; the synthesiser ends the oldest, quietest tails first.
    fluid_settings_setint(state.settings, "synth.polyphony", 64);
    fluid_settings_setint(state.settings, "synth.cpu-cores", 1);
    // An instrument's samples are read when a song first selects it, not all
    // at start-up: loading the whole soundfont cost a fifth of a second
    // before the first frame and kept every instrument in memory.
    fluid_settings_setint(state.settings, "synth.dynamic-sample-loading", 1);
    fluid_settings_setstr(state.settings, "player.timing-source", "sample");
    state.synth = new_fluid_synth(state.settings);
    if (!state.synth || fluid_synth_sfload(state.synth, found, 1) == FLUID_FAILED) {
        std::fprintf(stderr, "corvadine: the soundfont %s does not load: music is silent\n", found);
        if (state.synth) delete_fluid_synth(state.synth);
        delete_fluid_settings(state.settings);
        state.synth = nullptr;
        state.settings = nullptr;
        return;
    }
    state.soundFont = found;
    loadTrialSynthesiser(state);
}

void loadAhead() { loadSynthesiserInto(preparation().loaded); }

}  // namespace

void prepareMusicSynth() {
    // The state first: built before the preparation, it is destroyed after
    // the preparation's thread has been joined.
    MixerState& state = mixerState();
    Preparation& p = preparation();
    if (state.backend != Backend::None || state.synth != nullptr || p.thread.joinable()) return;
    p.thread = std::thread(loadAhead);
}

bool synthesiserLoadingAhead() { return preparation().thread.joinable(); }

void loadSynthesiser() {
    if (takeOverPreparation()) return;
    LoadedSynth loaded;
    loadSynthesiserInto(loaded);
    MixerLock lock;
    installLocked(mixerState(), loaded);
}

void unloadSynthesiser() {
    takeOverPreparation();
    MixerState& state = mixerState();
    if (state.synth) delete_fluid_synth(state.synth);
    if (state.settings) delete_fluid_settings(state.settings);
    if (state.trialSynth) delete_fluid_synth(state.trialSynth);
    if (state.trialSettings) delete_fluid_settings(state.trialSettings);
    state.synth = nullptr;
    state.settings = nullptr;
    state.trialSynth = nullptr;
    state.trialSettings = nullptr;
    state.soundFont.clear();
}

bool musicSynthReady() {
    takeOverPreparation();
    return mixerState().synth != nullptr;
}

std::string soundFontPath() {
    takeOverPreparation();
    return mixerState().soundFont;
}

void dropPlayerLocked() {
    MixerState& state = mixerState();
    if (state.player) {
        fluid_player_stop(state.player);
        delete_fluid_player(state.player);
        state.player = nullptr;
    }
    // No stuck notes and no reverb of the old song under the next one: the
    // reset ends every voice, and the effects' tails are run out here, unheard
    // (a few milliseconds of work with no voice sounding).
    if (state.synth) {
        fluid_synth_system_reset(state.synth);
        float* left = state.left.data();
        float* right = state.right.data();
        const int block = static_cast<int>(state.left.size());
        for (int done = 0; block > 0 && done < 2 * kOutputRate; done += block) {
            fluid_synth_write_float(state.synth, block, left, 0, 1, right, 0, 1);
            float peak = 0.0f;
            for (int i = 0; i < block; ++i) peak = std::max({peak, std::fabs(left[i]), std::fabs(right[i])});
            if (peak < 1e-5f) break;
        }
    }
    state.musicOn = false;
    state.restartPending = false;
    state.pendingStartTick = -1;
    state.songLengthTicks = 0;
    state.songDivision = 0;
    state.songBytes.clear();
}

void renderSynthesiser(float* left, float* right, int frames) {
    MixerState& state = mixerState();
    if (!state.player) {
        fluid_synth_write_float(state.synth, frames, left, 0, 1, right, 0, 1);
        return;
    }
    // In pieces of the synthesiser's own block. Before each, the player is
    // granted a few more passes of the song: it loops seamlessly as long as
    // the song loads again, and a load that fails is retried only that often
    // inside one block (an endless count would retry it for ever). Run out,
    // the player stops and is started again here once.
    constexpr int kPiece = 64;
    for (int done = 0; done < frames; done += kPiece) {
        const int n = std::min(kPiece, frames - done);
        if (state.player) fluid_player_set_loop(state.player, kPassesAhead);
        fluid_synth_write_float(state.synth, n, left + done, 0, 1, right + done, 0, 1);
        if (!state.player) continue;
        if (fluid_player_get_status(state.player) == FLUID_PLAYER_PLAYING) {
            state.restartPending = false;
        } else if (state.restartPending) {
            failSongLocked(state);  // the restart did not take: a second try would fail alike
        } else {
            fluid_player_set_loop(state.player, kPassesAhead);
            fluid_player_play(state.player);
            state.restartPending = true;
        }
    }
}

bool startSong(const std::uint8_t* midi, std::size_t size, int startPosition) {
    MixerState& state = mixerState();
    MidiFileInfo info;
    if (!scanMidiFile(midi, size, &info) || info.lengthTicks <= 0) return false;
    // Positions and lengths are ints in music time: a (damaged) song too long
    // to count there is not ours.
    if (static_cast<std::int64_t>(info.lengthTicks) * kMusicTicksPerQuarter / info.division > INT_MAX) return false;
    takeOverPreparation();
    if (!state.synth) return false;
    if (!synthesiserTakesSong(midi, size)) {
        std::fprintf(stderr, "corvadine: the synthesiser cannot play this song: it stays silent\n");
        return false;
    }
    std::vector<std::uint8_t> bytes(midi, midi + size);

    MixerLock lock;
    dropPlayerLocked();
    state.songBytes.swap(bytes);
    state.songDivision = info.division;
    state.songLengthTicks = info.lengthTicks;
    // A saved position beyond the song's end wraps into it.
    const std::int64_t length = musicLengthOf(state);
    std::int64_t position = length > 0 ? startPosition % length : 0;
    if (position < 0) position += length;
    const int startTick = static_cast<int>(position * info.division / kMusicTicksPerQuarter);

    state.player = new_fluid_player(state.synth);
    if (!state.player) return false;
    if (fluid_player_add_mem(state.player, state.songBytes.data(), state.songBytes.size()) != FLUID_OK) {
        dropPlayerLocked();
        return false;
    }
    fluid_player_set_loop(state.player, kPassesAhead);
    // A seek that lands exactly on a note's start loses the note: land one
    // tick before it.
    if (startTick > 0) fluid_player_seek(state.player, startTick - 1);
    fluid_player_play(state.player);
    state.pendingStartTick = startTick;
    state.musicOn = true;
    state.appliedMusicGain = state.musicGain;
    return true;
}

void stopSong() {
    MixerLock lock;
    dropPlayerLocked();
}

bool songPlaying() { return mixerState().player != nullptr; }

bool songPosition(int* position) {
    MixerState& state = mixerState();
    MixerLock lock;
    if (!state.player || state.songLengthTicks <= 0) return false;
    int tick = state.pendingStartTick >= 0 ? state.pendingStartTick : fluid_player_get_current_tick(state.player);
    if (tick < 0) tick = 0;
    tick %= state.songLengthTicks;
    std::int64_t music = static_cast<std::int64_t>(tick) * kMusicTicksPerQuarter / state.songDivision;
    // Mended: with more file ticks to the quarter than music ticks, the last
    // file ticks round down onto the length itself; they stay inside the song.
    const std::int64_t length = musicLengthOf(state);
    if (length > 0 && music >= length) music = length - 1;
    *position = static_cast<int>(music);
    return true;
}

int songLength() {
    MixerState& state = mixerState();
    MixerLock lock;
    if (!state.player || state.songDivision <= 0) return 0;
    return static_cast<int>(musicLengthOf(state));
}

void setMusicGain(float gain) {
    MixerLock lock;
    mixerState().musicGain = gain;
}

}  // namespace audio
