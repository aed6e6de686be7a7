#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <thread>

#include "platform/audio/MixerState.h"

namespace audio {

namespace {

constexpr int kBlockFrames = 512;

void audioCallback(void*, Uint8* stream, int length) {
    mixFrames(reinterpret_cast<std::int16_t*>(stream), length / 4);
}

// The device, paused, on the system's driver (null) or the named one; 0
// when it cannot be opened.
SDL_AudioDeviceID openDevice(const char* driver) {
    if (driver) {
        if (SDL_AudioInit(driver) != 0) return 0;
    } else if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
        return 0;
    }
    SDL_AudioSpec want{};
    want.freq = kOutputRate;
    want.format = AUDIO_S16SYS;
    want.channels = 2;
    want.samples = 1024;
    want.callback = audioCallback;
    SDL_AudioSpec have{};
    // No changes allowed: SDL converts to whatever the hardware wants.
    const SDL_AudioDeviceID device = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
    if (device == 0) {
        if (driver) SDL_AudioQuit();
        else SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    return device;
}

// The device opened on a thread of its own (openAudio with Device): trying
// the system's driver and falling back to the dummy one can take a tenth of
// a second (SDL waits for its device-watching thread when a driver is shut
// down), which the first frame need not wait for. Until it is settled the
// device exists at most paused, so no callback runs and the main thread
// changes the mixer's state without the lock.
struct Opening {
    std::thread thread;
    SDL_AudioDeviceID device = 0;  // 0: neither driver opened
    std::string error;
    ~Opening() {
        if (thread.joinable()) thread.join();
    }
};

Opening& opening() {
    static Opening o;
    return o;
}

void openDeviceAhead() {
    Opening& o = opening();
    o.device = openDevice(nullptr);
    if (o.device == 0) o.device = openDevice("dummy");
    if (o.device == 0) o.error = SDL_GetError();
    // SDL keeps per-thread data (its error text among it) that it frees only
    // for threads it started itself.
    SDL_TLSCleanup();
}

}  // namespace

MixerState& mixerState() {
    static MixerState state;
    return state;
}

void settleOpening() {
    Opening& o = opening();
    if (!o.thread.joinable()) return;
    o.thread.join();
    MixerState& state = mixerState();
    if (o.device != 0) {
        state.device = o.device;
        state.backend = Backend::Device;
        SDL_PauseAudioDevice(state.device, 0);
    } else {
        state.backend = Backend::Null;
        std::fprintf(stderr, "corvadine: no audio device (%s): the game runs silent\n", o.error.c_str());
    }
    o.device = 0;
    o.error.clear();
}

MixerLock::MixerLock() {
    settleOpening();
    const MixerState& state = mixerState();
    if (state.backend == Backend::Device && state.device) {
        locked_ = state.device;
        SDL_LockAudioDevice(locked_);
    }
}

MixerLock::~MixerLock() {
    if (locked_) SDL_UnlockAudioDevice(locked_);
}

void openAudio(Backend wanted) {
    MixerState& state = mixerState();
    if (state.backend != Backend::None) return;
    state.left.assign(kBlockFrames, 0.0f);
    state.right.assign(kBlockFrames, 0.0f);
    // A load started ahead is taken over by the first song: the output
    // opens without waiting for the soundfont.
    if (!synthesiserLoadingAhead()) loadSynthesiser();
    state.backend = Backend::Null;
    if (wanted == Backend::Device) {
        // Reported as a device until the opening is settled (the first
        // locked change, or activeBackend) says otherwise.
        state.backend = Backend::Device;
        opening().thread = std::thread(openDeviceAhead);
    }
}

bool outputOpen() { return mixerState().backend != Backend::None; }

void closeAudio() {
    settleOpening();
    MixerState& state = mixerState();
    if (state.backend == Backend::None) {
        unloadSynthesiser();  // one loaded ahead and never taken over
        return;
    }
    if (state.device) {
        SDL_CloseAudioDevice(state.device);  // waits for the callback to finish
        state.device = 0;
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
    state.backend = Backend::None;
    dropPlayerLocked();
    state.effect.clear();
    state.effectFrame = 0;
    unloadSynthesiser();
}

Backend activeBackend() {
    settleOpening();
    return mixerState().backend;
}

void mixFrames(std::int16_t* out, int frames) {
    MixerState& state = mixerState();
    while (frames > 0) {
        const int n = std::min(frames, kBlockFrames);
        float* left = state.left.data();
        float* right = state.right.data();
        if (state.synth) {
            // The synthesiser runs even between songs, so that its clock and
            // release tails move on; a stopped song is muted below.
            renderSynthesiser(left, right, n);
            if (state.player) state.pendingStartTick = -1;
        } else {
            std::fill(left, left + n, 0.0f);
            std::fill(right, right + n, 0.0f);
        }
        const float from = state.musicOn ? state.appliedMusicGain : 0.0f;
        const float to = state.musicOn ? state.musicGain : 0.0f;
        const float step = (to - from) / static_cast<float>(n);
        std::size_t effectLeft = state.effect.size() / 2 - state.effectFrame;
        const std::int16_t* effect = state.effect.data() + state.effectFrame * 2;
        for (int i = 0; i < n; ++i) {
            const float gain = from + step * static_cast<float>(i + 1);
            float l = left[i] * gain * 32767.0f;
            float r = right[i] * gain * 32767.0f;
            if (effectLeft > 0) {
                l += effect[0];
                r += effect[1];
                effect += 2;
                --effectLeft;
                ++state.effectFrame;
            }
            out[2 * i] = static_cast<std::int16_t>(std::clamp(std::lrint(l), -32768L, 32767L));
            out[2 * i + 1] = static_cast<std::int16_t>(std::clamp(std::lrint(r), -32768L, 32767L));
        }
        state.appliedMusicGain = to;
        out += 2 * n;
        frames -= n;
    }
}

void renderAudio(std::int16_t* out, int frames) {
    settleOpening();
    MixerState& state = mixerState();
    if (state.backend != Backend::Null) {
        std::memset(out, 0, sizeof(std::int16_t) * 2 * static_cast<std::size_t>(frames));
        return;
    }
    mixFrames(out, frames);
}

}  // namespace audio
