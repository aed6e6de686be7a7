#include <cstring>

#include "platform/audio/MixerState.h"

namespace audio {

bool playEffect(const PcmClip& clip) {
    if (clip.channels < 1 || clip.channels > 2) return false;
    if (clip.bitsPerSample != 8 && clip.bitsPerSample != 16) return false;
    if (clip.sampleRate < 1000 || clip.sampleRate > 192000) return false;
    const std::size_t frameBytes = static_cast<std::size_t>(clip.channels * clip.bitsPerSample / 8);
    const std::size_t size = clip.size - clip.size % frameBytes;
    if (!clip.data || size == 0 || size > 0x3FFFFFFF) return false;

    // SDL's one-shot converter keeps the exact length (its stream resampler
    // drops the tail).
    SDL_AudioCVT cvt;
    const SDL_AudioFormat format = clip.bitsPerSample == 8 ? AUDIO_U8 : AUDIO_S16LSB;
    if (SDL_BuildAudioCVT(&cvt, format, static_cast<Uint8>(clip.channels), clip.sampleRate, AUDIO_S16SYS, 2,
                          kOutputRate) < 0) {
        return false;
    }
    cvt.len = static_cast<int>(size);
    std::vector<std::uint8_t> work(size * static_cast<std::size_t>(cvt.len_mult));
    std::memcpy(work.data(), clip.data, size);
    cvt.buf = work.data();
    if (cvt.needed && SDL_ConvertAudio(&cvt) != 0) return false;
    const std::size_t outBytes = cvt.needed ? static_cast<std::size_t>(cvt.len_cvt) : size;
    // Mended: a clip shorter than one output frame (a few samples at a high
    // rate) converts to nothing, and then nothing is copied.
    std::vector<std::int16_t> samples(outBytes / 4 * 2);
    if (!samples.empty()) std::memcpy(samples.data(), work.data(), samples.size() * sizeof(std::int16_t));

    MixerState& state = mixerState();
    {
        MixerLock lock;
        state.effect.swap(samples);
        state.effectFrame = 0;
    }
    return true;  // the old samples are freed here, outside the lock
}

void stopEffect() {
    MixerState& state = mixerState();
    std::vector<std::int16_t> old;
    {
        MixerLock lock;
        state.effect.swap(old);
        state.effectFrame = 0;
    }
}

bool effectPlaying() {
    MixerState& state = mixerState();
    MixerLock lock;
    return state.effectFrame < state.effect.size() / 2;
}

}  // namespace audio
