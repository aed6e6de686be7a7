#include "engine/Sound.h"

#include <string>
#include <vector>

#include "engine/WaveFile.h"
#include "platform/App.h"
#include "platform/Audio.h"

std::uint8_t gSoundAvailable = 0;
SoundErrorBox gSoundErrorBox = app::showMessageBox;

namespace {

// The effect read last: its format and samples, kept until the next effect.
struct EffectBuffer {
    WaveFormat format;
    std::vector<std::uint8_t> samples;
};
EffectBuffer gEffectBuffer;
bool gDeviceReady = false;

void showBox(const char* text) {
    if (gSoundErrorBox) gSoundErrorBox(text, "Error");
}

}  // namespace

void resetSoundState() {
    gSoundAvailable = 0;
    gSoundErrorBox = app::showMessageBox;
    gEffectBuffer = EffectBuffer{};
    gDeviceReady = false;
}

bool initSound() {
    // The device opens on its own thread: the first song or effect waits for it.
    if (!audio::outputOpen()) audio::openAudio(audio::Backend::Device);
    gDeviceReady = audio::outputOpen();
    return gDeviceReady;
}

bool releaseSound() {
    if (!gSoundAvailable) return false;
    // Re-creating the device is what ends the previous effect.
    audio::stopEffect();
    gDeviceReady = false;
    return true;
}

bool releaseEffectBuffer() {
    if (!gSoundAvailable) return false;
    audio::stopEffect();
    gEffectBuffer = EffectBuffer{};
    return true;
}

bool loadWaveToBuffer(const char* path) {
    // Mended: the previous effect's samples go before the next are read.
    gEffectBuffer = EffectBuffer{};
    WaveFile wave;
    if (openWaveFile(wave, path, kWaveRead) != WaveResult::Ok) {
        showBox("Waveファイルがありません");
        destroyWaveFile(wave);
        return false;
    }
    // Mended: only PCM of 8 or 16 bits, and never more samples than the file
    // holds (the reader already clamped "data"), in whole frames.
    const std::uint32_t blockAlign = wave.format->blockAlign ? wave.format->blockAlign : 1;
    const std::uint32_t size = waveDataSize(wave) - waveDataSize(wave) % blockAlign;
    if (!isPlayableWaveFormat(*wave.format) || size == 0) {
        showBox("バッファの作成に失敗");
        destroyWaveFile(wave);
        return false;
    }
    gEffectBuffer.format = *wave.format;
    gEffectBuffer.samples.resize(size);
    std::uint32_t count = 0;
    readWaveData(wave, gEffectBuffer.samples.data(), size, &count);
    gEffectBuffer.samples.resize(count);
    destroyWaveFile(wave);
    return true;
}

bool playSoundEffect(const char* fileName) {
    if (!gSoundAvailable || !fileName) return false;
    const std::string path = std::string("./Se/") + fileName;
    releaseSound();
    if (!initSound()) return false;
    if (!loadWaveToBuffer(path.c_str())) {
        showBox("セカンダリ・バッファの作成に失敗");
        return false;
    }
    audio::PcmClip clip;
    clip.channels = gEffectBuffer.format.channels;
    clip.sampleRate = static_cast<int>(gEffectBuffer.format.samplesPerSecond);
    clip.bitsPerSample = gEffectBuffer.format.bitsPerSample;
    clip.data = gEffectBuffer.samples.data();
    clip.size = gEffectBuffer.samples.size();
    return audio::playEffect(clip);
}
