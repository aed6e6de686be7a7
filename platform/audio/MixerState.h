// The mixer's shared state: what the main thread and the audio callback both
// touch. Change it only inside a MixerLock.
#pragma once

#include <SDL.h>
#include <fluidsynth.h>

#include <cstdint>
#include <string>
#include <vector>

#include "platform/Audio.h"

namespace audio {

struct MixerState {
    Backend backend = Backend::None;
    SDL_AudioDeviceID device = 0;

    // The synthesiser and soundfont live for the whole run; only the player
    // changes from song to song.
    fluid_settings_t* settings = nullptr;
    fluid_synth_t* synth = nullptr;
    std::string soundFont;
    fluid_player_t* player = nullptr;
    // A second synthesiser without a soundfont, on the main thread only: a
    // song is loaded and started there first, so one the player would refuse
    // never reaches the audio thread.
    fluid_settings_t* trialSettings = nullptr;
    fluid_synth_t* trialSynth = nullptr;
    // The player loops a song a few passes ahead only (an endless count
    // would retry a failing load for ever inside one block); when it stops,
    // the mixer starts it again once. Set while that restart has not yet
    // been seen playing.
    bool restartPending = false;
    std::vector<std::uint8_t> songBytes;
    int songDivision = 0;
    int songLengthTicks = 0;
    // The tick a song was started or resumed at, reported until the player
    // has run one block (its own tick only moves once it renders).
    int pendingStartTick = -1;

    bool musicOn = false;
    float musicGain = 1.0f;         // wanted
    float appliedMusicGain = 1.0f;  // where the last block ended

    std::vector<std::int16_t> effect;  // stereo 44.1 kHz frames
    std::size_t effectFrame = 0;

    std::vector<float> left, right;    // scratch for the synthesiser
};

MixerState& mixerState();

// Takes over the device opened on its thread by openAudio, waiting for it,
// and starts it; the main thread's every locked change does this first.
void settleOpening();

// Holds the audio callback off while the main thread changes the state.
class MixerLock {
public:
    MixerLock();
    ~MixerLock();
    MixerLock(const MixerLock&) = delete;
    MixerLock& operator=(const MixerLock&) = delete;

private:
    SDL_AudioDeviceID locked_ = 0;
};

// The mixer proper: `frames` stereo frames into `out`. Caller holds the lock
// (the audio callback holds SDL's, which is the same lock).
void mixFrames(std::int16_t* out, int frames);

// The synthesiser half (SongPlayer.cpp). The load takes over one started
// ahead by prepareMusicSynth, waiting for it.
void loadSynthesiser();
// True while a load started ahead has not been taken over: the first song
// (or musicSynthReady) takes it over, so opening the output need not wait.
bool synthesiserLoadingAhead();
void unloadSynthesiser();
// Removes the player and silences every voice; caller holds the lock.
void dropPlayerLocked();
// Runs the synthesiser for `frames` frames into the two channels, starting
// the song again when it ends; a song that stops playing for good is muted
// and reported once. Caller holds the lock.
void renderSynthesiser(float* left, float* right, int frames);

}  // namespace audio
