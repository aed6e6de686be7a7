#include <algorithm>
#include <cmath>
#include <cstdio>

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

// The synthesiser's own chatter (warnings about unused soundfont details)
// is of no use to a player; errors still reach stderr.
void quietLog(int, const char*, void*) {}

std::int64_t musicLengthOf(const MixerState& state) {
    return static_cast<std::int64_t>(state.songLengthTicks) * kMusicTicksPerQuarter / state.songDivision;
}

}  // namespace

void loadSynthesiser() {
    MixerState& state = mixerState();
    fluid_set_log_function(FLUID_WARN, quietLog, nullptr);
    fluid_set_log_function(FLUID_INFO, quietLog, nullptr);
    fluid_set_log_function(FLUID_DBG, quietLog, nullptr);

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
}

void unloadSynthesiser() {
    MixerState& state = mixerState();
    if (state.synth) delete_fluid_synth(state.synth);
    if (state.settings) delete_fluid_settings(state.settings);
    state.synth = nullptr;
    state.settings = nullptr;
    state.soundFont.clear();
}

bool musicSynthReady() { return mixerState().synth != nullptr; }
std::string soundFontPath() { return mixerState().soundFont; }

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
    state.pendingStartTick = -1;
    state.songLengthTicks = 0;
    state.songDivision = 0;
    state.songBytes.clear();
}

bool startSong(const std::uint8_t* midi, std::size_t size, int startPosition) {
    MixerState& state = mixerState();
    MidiFileInfo info;
    if (!scanMidiFile(midi, size, &info) || info.lengthTicks <= 0) return false;
    if (!state.synth) return false;
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
    fluid_player_set_loop(state.player, -1);
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
    *position = static_cast<int>(static_cast<std::int64_t>(tick) * kMusicTicksPerQuarter / state.songDivision);
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
