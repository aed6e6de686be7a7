#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Music.h"
#include "engine/MusicSynth.h"
#include "engine/SongTable.h"
#include "engine/Sound.h"
#include "tests/soundTestSupport.h"

namespace {

// Records what the player asks of the synthesiser. The fixture songs hold
// their own resource number as text, so a start tells which song it was.
class FakeSynth : public MusicSynth {
public:
    struct Start {
        std::string song;
        int position;
    };
    bool startSong(const std::vector<std::uint8_t>& midi, int startPosition) override {
        starts.push_back({std::string(midi.begin(), midi.end()), startPosition});
        playing = true;
        position = startPosition;
        return true;
    }
    void stopSong() override { playing = false; }
    void setVolume(int volume) override { volumes.push_back(volume); }
    bool songPosition(int* out) override {
        if (!playing) return false;
        *out = position;
        return true;
    }

    std::vector<Start> starts;
    std::vector<int> volumes;
    bool playing = false;
    int position = 0;
};

const char* const kTown = "【マップ】スキンタウン.mid";      // title 56, resource 320
const char* const kBattle = "【バトル】戦闘１.mid";          // title 46, resource 310
const char* const kInn = "【イベント】宿屋.mid";             // title 6, resource 270

class MusicPlayer : public testing::Test {
protected:
    void SetUp() override {
        for (int number = 1; number <= kSongCount; ++number) {
            const int id = songResourceForNumber(number);
            const std::string text = "song " + std::to_string(id);
            soundtest::writeFile(dir_.path() / ("Res/Midi_" + std::to_string(id) + ".mid"),
                                 std::vector<std::uint8_t>(text.begin(), text.end()));
        }
        resetMusicState();
        gSoundAvailable = 1;
        setMusicSynth(&synth_);
    }
    void TearDown() override {
        setMusicSynth(nullptr);
        resetMusicState();
        gSoundAvailable = 0;
    }

    static void request(const char* title) { std::strcpy(gRequestedSong, title); }

    // Steps the player until the current song is the requested one; the
    // number of passes it took, or -1 past the budget.
    static int passesUntilSwitched(int budget) {
        for (int pass = 1; pass <= budget; ++pass) {
            updateMusic();
            if (std::strcmp(gCurrentSong, gRequestedSong) == 0) return pass;
        }
        return -1;
    }

    soundtest::ScratchGameDir dir_{"music"};
    FakeSynth synth_;
};

TEST_F(MusicPlayer, ASongRequestedInSilenceStartsAtOnceFromItsBeginning) {
    std::strcpy(gRememberedSong, kTown);
    gRememberedSongPos = 5000;
    request(kTown);
    EXPECT_EQ(passesUntilSwitched(1), 1);
    ASSERT_EQ(synth_.starts.size(), 1u);
    EXPECT_EQ(synth_.starts[0].song, "song 320");
    EXPECT_EQ(synth_.starts[0].position, 0);
    EXPECT_EQ(gMusicVolume, 1000);
    EXPECT_EQ(synth_.volumes, std::vector<int>{1000});
}

TEST_F(MusicPlayer, RequestingThePlayingTitleAgainChangesNothing) {
    request(kTown);
    updateMusic();
    for (int pass = 0; pass < 10; ++pass) updateMusic();
    EXPECT_EQ(synth_.starts.size(), 1u);
    EXPECT_EQ(synth_.volumes.size(), 1u);
    EXPECT_TRUE(synth_.playing);
}

TEST_F(MusicPlayer, ASwitchFadesOneStepAPass) {
    struct Case {
        std::uint8_t slow;
        int passes;
        int step;
    };
    for (const Case c : {Case{0, 4, 1000}, Case{1, 76, 40}}) {
        SCOPED_TRACE(c.slow);
        resetMusicState();
        synth_ = FakeSynth{};
        request(kTown);
        updateMusic();
        gSlowMusicFade = c.slow;
        request(kBattle);
        synth_.volumes.clear();
        EXPECT_EQ(passesUntilSwitched(200), c.passes);
        // Every pass but the last lowers the volume by one step, down to -2000.
        ASSERT_EQ(synth_.volumes.size(), static_cast<std::size_t>(c.passes));
        for (int i = 0; i + 1 < c.passes; ++i) EXPECT_EQ(synth_.volumes[i], 1000 - c.step * (i + 1));
        EXPECT_EQ(synth_.volumes[c.passes - 2], -2000);
        EXPECT_EQ(synth_.volumes.back(), 1000);  // the new song at full volume
        ASSERT_EQ(synth_.starts.size(), 2u);
        EXPECT_EQ(synth_.starts[1].song, "song 310");
        EXPECT_EQ(synth_.starts[1].position, 0);
    }
}

TEST_F(MusicPlayer, RequestingSilenceFadesOutAndStaysSilent) {
    request(kTown);
    updateMusic();
    request("");
    EXPECT_EQ(passesUntilSwitched(10), 4);
    EXPECT_FALSE(synth_.playing);
    for (int pass = 0; pass < 10; ++pass) updateMusic();
    EXPECT_EQ(synth_.starts.size(), 1u);
    EXPECT_FALSE(synth_.playing);
}

TEST_F(MusicPlayer, SwitchingBackToTheRememberedSongResumesItWhereItStopped) {
    request(kTown);
    updateMusic();
    synth_.position = 12345;
    // What the song-change primitive does when a battle begins.
    std::strcpy(gRememberedSong, gCurrentSong);
    saveSongPosition(&gRememberedSongPos);
    EXPECT_EQ(gRememberedSongPos, 12345);
    request(kBattle);
    ASSERT_EQ(passesUntilSwitched(10), 4);
    synth_.position = 777;
    request(kTown);
    ASSERT_EQ(passesUntilSwitched(10), 4);
    ASSERT_EQ(synth_.starts.size(), 3u);
    EXPECT_EQ(synth_.starts[2].song, "song 320");
    EXPECT_EQ(synth_.starts[2].position, 12345);
    // Another song than the remembered one starts from its beginning.
    request(kInn);
    ASSERT_EQ(passesUntilSwitched(10), 4);
    EXPECT_EQ(synth_.starts.back().position, 0);
}

TEST_F(MusicPlayer, ATitleNotInTheTableLeavesTheMusicSilentWithoutRetrying) {
    request("【マップ】存在しない.mid");
    updateMusic();
    EXPECT_TRUE(synth_.starts.empty());
    EXPECT_STREQ(gCurrentSong, gRequestedSong);
    for (int pass = 0; pass < 5; ++pass) updateMusic();
    EXPECT_TRUE(synth_.starts.empty());
    EXPECT_FALSE(playSong("【マップ】スキンタウン.MID", 0));  // titles are compared byte for byte
}

TEST_F(MusicPlayer, AMissingSongFileFailsSilently) {
    std::filesystem::remove(dir_.path() / "Res/Midi_320.mid");
    EXPECT_FALSE(playSong(kTown, 0));
    EXPECT_TRUE(synth_.starts.empty());
}

TEST_F(MusicPlayer, WithoutSoundNothingMoves) {
    gSoundAvailable = 0;
    request(kTown);
    for (int pass = 0; pass < 5; ++pass) updateMusic();
    EXPECT_STREQ(gCurrentSong, "");
    EXPECT_FALSE(playSong(kTown, 0));
    EXPECT_FALSE(stopMusic());
    EXPECT_FALSE(releaseMusic());
    int position = -7;
    saveSongPosition(&position);
    EXPECT_EQ(position, -7);
    EXPECT_TRUE(synth_.starts.empty());
}

TEST_F(MusicPlayer, SavingAPositionWithoutASongLeavesItAlone) {
    int position = 99;
    saveSongPosition(&position);
    EXPECT_EQ(position, 99);
}

TEST(MusicVolume, FadeStepsGetQuieterAndFullVolumeIsUnity) {
    EXPECT_FLOAT_EQ(musicGainForVolume(1000), 1.0f);
    EXPECT_NEAR(musicGainForVolume(0), 0.3162, 1e-3);       // -10 dB
    EXPECT_NEAR(musicGainForVolume(-1000), 0.0316, 1e-3);   // -30 dB
    EXPECT_NEAR(musicGainForVolume(-2000), 0.00316, 1e-4);  // -50 dB
    for (int v = 1000; v > -2000; v -= 40) EXPECT_LT(musicGainForVolume(v - 40), musicGainForVolume(v));
}

TEST(SongTable, TitlesMapToTheirResources) {
    struct Case {
        int number;
        int id;
    };
    const Case cases[] = {{1, 263}, {3, 265}, {4, 267}, {5, 269}, {36, 300}, {50, 314}, {59, 323}, {60, 314}, {61, 325}};
    for (const Case c : cases) {
        EXPECT_EQ(songResourceForNumber(c.number), c.id) << c.number;
        EXPECT_EQ(songResourceId(songTitle(c.number)), c.id) << c.number;
    }
    EXPECT_EQ(songResourceId("【テーマ】コルヴァディン.mid"), 300);
    EXPECT_EQ(songResourceId("【マップ】仙人の山.mid"), 314);
    EXPECT_EQ(songResourceId(""), -1);
    EXPECT_EQ(songResourceId(nullptr), -1);
    EXPECT_EQ(songResourceForNumber(0), -1);
    EXPECT_EQ(songResourceForNumber(62), -1);
}

TEST(SongTable, NoResourceIsSkippedTwiceOrUsedByTwoTitlesBesidesTheMountain) {
    std::vector<int> seen;
    for (int number = 1; number <= kSongCount; ++number) {
        const int id = songResourceForNumber(number);
        EXPECT_NE(id, 266);
        EXPECT_NE(id, 268);
        EXPECT_NE(id, 324);
        if (number != 60) {
            EXPECT_EQ(std::count(seen.begin(), seen.end(), id), 0) << number;
            seen.push_back(id);
        }
        for (int other = 1; other < number; ++other) EXPECT_STRNE(songTitle(number), songTitle(other));
    }
    EXPECT_EQ(seen.size(), 60u);
}

}  // namespace
