// The cost of the audio mixer: a song from the game folder and a sound effect
// mixed for a stretch of seconds on the null backend, reported as CPU time
// per second of audio (a fraction of one core in real time), with one
// summary line a song:
//   summary bench=audio song=battle seconds=30 cpu_percent=1.80
//
//   audioMix [game folder] [seconds]
#include <time.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <vector>

#include "engine/ResourcePaths.h"
#include "engine/SongTable.h"
#include "engine/WaveFile.h"
#include "platform/Audio.h"

namespace {

// Process CPU time (<chrono> does not build with the Shift-JIS execution charset).
double cpuSeconds() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

std::vector<std::uint8_t> readAll(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    if (std::FILE* f = std::fopen(path.c_str(), "rb")) {
        bytes.resize(std::filesystem::file_size(path));
        if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
        std::fclose(f);
    }
    return bytes;
}

}  // namespace

int main(int argc, char** argv) {
    const std::filesystem::path gameDir = argc > 1 ? argv[1] : "build/game";
    const int seconds = argc > 2 ? std::atoi(argv[2]) : 30;
    audio::openAudio(audio::Backend::Null);
    if (!audio::musicSynthReady()) {
        std::fprintf(stderr, "audioMix: no soundfont\n");
        return 1;
    }
    std::printf("soundfont: %s\n", audio::soundFontPath().c_str());
    const char* const songs[] = {"【マップ】スキンタウン.mid", "【バトル】戦闘１.mid", "【バトル】遥かなる時の因縁.mid"};
    const char* const songNames[] = {"town (320)", "battle (310)", "last battle (317)"};
    const char* const summaryNames[] = {"town", "battle", "last-battle"};
    WaveFile wave;
    const std::string effectPath = (gameDir / "Se" / "Wepon_03.wav").string();
    const bool haveEffect = openWaveFile(wave, effectPath.c_str(), kWaveRead) == WaveResult::Ok;
    std::vector<std::uint8_t> samples(haveEffect ? waveDataSize(wave) : 0);
    std::uint32_t count = 0;
    if (haveEffect) readWaveData(wave, samples.data(), static_cast<std::uint32_t>(samples.size()), &count);

    std::vector<std::int16_t> block(2 * 735);  // one 60 Hz frame of audio
    for (int s = 0; s < 3; ++s) {
        const std::vector<std::uint8_t> midi = readAll(gameDir / resources::midiPath(songResourceId(songs[s])));
        if (!audio::startSong(midi.data(), midi.size(), 0)) {
            std::fprintf(stderr, "audioMix: %s does not play\n", songNames[s]);
            return 1;
        }
        const double start = cpuSeconds();
        const int frames = seconds * 60;
        for (int f = 0; f < frames; ++f) {
            // An effect every half second, as a busy battle has them.
            if (haveEffect && f % 30 == 0) {
                audio::PcmClip clip;
                clip.channels = wave.format->channels;
                clip.sampleRate = static_cast<int>(wave.format->samplesPerSecond);
                clip.bitsPerSample = wave.format->bitsPerSample;
                clip.data = samples.data();
                clip.size = count;
                audio::playEffect(clip);
            }
            audio::renderAudio(block.data(), 735);
        }
        const double cpu = cpuSeconds() - start;
        std::printf("%-18s %5.2f ms of CPU per second of audio (%.2f %% of a core)\n", songNames[s],
                    1000.0 * cpu / seconds, 100.0 * cpu / seconds);
        std::printf("summary bench=audio song=%s seconds=%d cpu_percent=%.2f\n", summaryNames[s], seconds,
                    100.0 * cpu / seconds);
        audio::stopSong();
    }
    destroyWaveFile(wave);
    audio::closeAudio();
    return 0;
}
