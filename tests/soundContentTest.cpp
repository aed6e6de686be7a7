// The game folder the build generates holds every song and sound effect the
// game asks for, and each one reads.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/ResourcePaths.h"
#include "engine/SongTable.h"
#include "engine/WaveFile.h"
#include "platform/Audio.h"

namespace {

const std::filesystem::path kGameDir = CORVADINE_GAME_DIR;

std::vector<std::uint8_t> readAll(const std::filesystem::path& path) {
    std::vector<std::uint8_t> bytes;
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (!f) return bytes;
    bytes.resize(std::filesystem::file_size(path));
    if (std::fread(bytes.data(), 1, bytes.size(), f) != bytes.size()) bytes.clear();
    std::fclose(f);
    return bytes;
}

class GameFolder : public testing::Test {
protected:
    void SetUp() override {
        if (!std::filesystem::exists(kGameDir / "Res") || !std::filesystem::exists(kGameDir / "Se")) {
            GTEST_SKIP() << "the game folder has not been generated";
        }
    }
};

TEST_F(GameFolder, EverySongTitleHasAMidiFileThatReads) {
    for (int number = 1; number <= kSongCount; ++number) {
        const std::filesystem::path path = kGameDir / resources::midiPath(songResourceForNumber(number));
        SCOPED_TRACE(path.string());
        const std::vector<std::uint8_t> bytes = readAll(path);
        audio::MidiFileInfo info;
        ASSERT_TRUE(audio::scanMidiFile(bytes.data(), bytes.size(), &info));
        EXPECT_GT(info.lengthTicks, 0);
        EXPECT_GE(info.trackCount, 3);
    }
}

TEST_F(GameFolder, EverySoundEffectExistsAndIsPlayable) {
    const char* const names[] = {
        "Buza.wav", "Can.wav", "Item_Kaihuku.wav", "Kaikei.wav", "Kettei.wav", "Kirikae.wav", "Lvup.wav",
        "Pi.wav", "Rouya.wav", "Takara.wav", "Taoreru.wav", "Tousou.wav", "Wepon_01.wav", "Wepon_02.wav",
        "Wepon_03.wav", "Wepon_04_0.wav", "Wepon_04_1.wav", "Wepon_05.wav", "Wepon_06.wav", "Wepon_07.wav",
        "Wepon_08.wav", "Wepon_09.wav", "Zoku_1_0.wav", "Zoku_1_1.wav", "Zoku_2_0.wav", "Zoku_3_0.wav",
        "Zoku_3_1.wav", "Zoku_4_0.wav", "Zoku_4_1.wav", "Zoku_5_0.wav", "Zoku_5_1.wav", "Zoku_6_0.wav",
        "Zoku_7_0.wav", "Zoku_7_1.wav", "Zoku_8_0.wav", "Zoku_8_1.wav", "Zoku_9_0.wav", "Zoku_9_1.wav",
    };
    EXPECT_EQ(std::size(names), 38u);
    for (const char* name : names) {
        const std::string path = (kGameDir / "Se" / name).string();
        SCOPED_TRACE(path);
        WaveFile wave;
        ASSERT_EQ(openWaveFile(wave, path.c_str(), kWaveRead), WaveResult::Ok);
        EXPECT_TRUE(isPlayableWaveFormat(*wave.format));
        EXPECT_GT(waveDataSize(wave), 1000u);
        destroyWaveFile(wave);
    }
}

// One real song through the synthesiser: it sounds, and it goes round.
TEST_F(GameFolder, TheMainThemeRendersAndLoops) {
    audio::openAudio(audio::Backend::Null);
    if (!audio::musicSynthReady()) GTEST_SKIP() << "no soundfont";
    const std::vector<std::uint8_t> bytes = readAll(kGameDir / resources::midiPath(songResourceId("【テーマ】コルヴァディン.mid")));
    audio::setMusicGain(1.0f);
    ASSERT_TRUE(audio::startSong(bytes.data(), bytes.size(), 0));
    const int songLength = audio::songLength();
    ASSERT_GT(songLength, 0);
    // Start two seconds before the end, play four: the position wraps.
    ASSERT_TRUE(audio::startSong(bytes.data(), bytes.size(), songLength - 2 * 2 * 768));
    std::vector<std::int16_t> out(2 * 4 * audio::kOutputRate);
    audio::renderAudio(out.data(), 4 * audio::kOutputRate);
    long long energy = 0;
    for (std::int16_t s : out) energy += static_cast<long long>(s) * s;
    EXPECT_GT(energy / static_cast<long long>(out.size()), 100 * 100);  // RMS above 100
    int position = -1;
    ASSERT_TRUE(audio::songPosition(&position));
    EXPECT_LT(position, songLength / 4);
    audio::stopSong();
}

}  // namespace
