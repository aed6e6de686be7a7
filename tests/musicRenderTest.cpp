#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "platform/Audio.h"

namespace {

void putBig(std::vector<std::uint8_t>& v, std::uint32_t x, int bytes) {
    for (int i = bytes - 1; i >= 0; --i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
}
void putVarLen(std::vector<std::uint8_t>& v, std::uint32_t x) {
    std::uint8_t b[5];
    int n = 0;
    b[n++] = x & 0x7F;
    while (x >>= 7) b[n++] = 0x80 | (x & 0x7F);
    while (n) v.push_back(b[--n]);
}

// One bar of 4/4 at 120 beats a minute (2 s), division 480: a piano note on
// the first beat when `withNote`, else nothing but the bar.
std::vector<std::uint8_t> oneBarSong(bool withNote) {
    std::vector<std::uint8_t> track;
    putVarLen(track, 0);
    track.insert(track.end(), {0xFF, 0x51, 3, 0x07, 0xA1, 0x20});
    putVarLen(track, 0);
    track.insert(track.end(), {0xC0, 0});
    std::uint32_t rest = 1920;
    if (withNote) {
        putVarLen(track, 0);
        track.insert(track.end(), {0x90, 60, 120});
        putVarLen(track, 240);
        track.insert(track.end(), {0x80, 60, 0});
        rest -= 240;
    }
    putVarLen(track, rest);
    track.insert(track.end(), {0xFF, 0x2F, 0});
    std::vector<std::uint8_t> file = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0x01, 0xE0};
    file.insert(file.end(), {'M', 'T', 'r', 'k'});
    putBig(file, static_cast<std::uint32_t>(track.size()), 4);
    file.insert(file.end(), track.begin(), track.end());
    return file;
}

// Peak of each 10 ms window of `seconds` of output.
std::vector<int> renderPeaks(double seconds) {
    const int frames = static_cast<int>(seconds * audio::kOutputRate);
    std::vector<std::int16_t> out(2 * frames);
    audio::renderAudio(out.data(), frames);
    std::vector<int> peaks;
    for (int start = 0; start + 441 <= frames; start += 441) {
        int peak = 0;
        for (int i = start; i < start + 441; ++i) peak = std::max(peak, std::abs(static_cast<int>(out[2 * i])));
        peaks.push_back(peak);
    }
    return peaks;
}

class SongRendering : public testing::Test {
protected:
    void SetUp() override {
        audio::openAudio(audio::Backend::Null);
        if (!audio::musicSynthReady()) GTEST_SKIP() << "no soundfont";
        audio::setMusicGain(1.0f);
    }
    void TearDown() override { audio::stopSong(); }
};

TEST(MidiScan, ReadsDivisionAndLengthAndRefusesBrokenFiles) {
    const std::vector<std::uint8_t> song = oneBarSong(true);
    audio::MidiFileInfo info;
    ASSERT_TRUE(audio::scanMidiFile(song.data(), song.size(), &info));
    EXPECT_EQ(info.division, 480);
    EXPECT_EQ(info.lengthTicks, 1920);
    for (std::size_t cut : {std::size_t{0}, std::size_t{13}, std::size_t{20}, song.size() - 1}) {
        EXPECT_FALSE(audio::scanMidiFile(song.data(), cut, &info)) << cut;
    }
    std::vector<std::uint8_t> smpte = song;
    smpte[12] = 0xE7;  // frames-per-second timing
    EXPECT_FALSE(audio::scanMidiFile(smpte.data(), smpte.size(), &info));
}

// The first second of a song as the output renders it.
std::vector<std::int16_t> firstSecondOf(const std::vector<std::uint8_t>& song) {
    std::vector<std::int16_t> out(2 * audio::kOutputRate);
    if (!audio::startSong(song.data(), song.size(), 0)) return {};
    audio::renderAudio(out.data(), audio::kOutputRate);
    audio::stopSong();
    return out;
}

TEST(SynthesiserLoadedAhead, IsTakenOverByTheOutputAndSoundsTheSame) {
    const std::vector<std::uint8_t> song = oneBarSong(true);
    audio::closeAudio();
    audio::openAudio(audio::Backend::Null);
    if (!audio::musicSynthReady()) GTEST_SKIP() << "no soundfont";
    audio::setMusicGain(1.0f);
    const std::string soundFont = audio::soundFontPath();
    // The same song twice: the second differs from the first (the effects
    // run on), so a synthesiser loaded again shows.
    const std::vector<std::int16_t> loadedAtOpen = firstSecondOf(song);
    const std::vector<std::int16_t> playedAgain = firstSecondOf(song);
    ASSERT_FALSE(loadedAtOpen.empty());
    ASSERT_NE(playedAgain, loadedAtOpen);
    audio::closeAudio();

    audio::prepareMusicSynth();
    audio::prepareMusicSynth();  // a second call while the first loads changes nothing
    audio::openAudio(audio::Backend::Null);
    ASSERT_TRUE(audio::musicSynthReady());
    EXPECT_EQ(audio::soundFontPath(), soundFont);
    audio::setMusicGain(1.0f);
    EXPECT_EQ(firstSecondOf(song), loadedAtOpen);
    audio::prepareMusicSynth();  // the output is open: nothing is loaded again
    EXPECT_EQ(firstSecondOf(song), playedAgain);

    // A load nobody took over goes with the output's close.
    audio::closeAudio();
    audio::prepareMusicSynth();
    audio::closeAudio();
    EXPECT_FALSE(audio::musicSynthReady());
    audio::openAudio(audio::Backend::Null);
    EXPECT_TRUE(audio::musicSynthReady());
}

// The device opens on a thread and the soundfont loads on another: the
// output counts as open at once, the first song takes both over, and the
// device's callback then plays it.
TEST(AudioDeviceOpenedAhead, TheFirstSongTakesItOverAndPlaysOnIt) {
    const std::vector<std::uint8_t> song = oneBarSong(true);
    audio::closeAudio();
    audio::prepareMusicSynth();
    audio::openAudio(audio::Backend::Device);
    EXPECT_TRUE(audio::outputOpen());
    // Closed before anything waited for it: nothing is left behind.
    audio::closeAudio();
    EXPECT_FALSE(audio::outputOpen());
    EXPECT_EQ(audio::activeBackend(), audio::Backend::None);

    audio::prepareMusicSynth();
    audio::openAudio(audio::Backend::Device);
    ASSERT_TRUE(audio::outputOpen());
    if (!audio::startSong(song.data(), song.size(), 768)) {
        audio::closeAudio();
        GTEST_SKIP() << "no soundfont";
    }
    if (audio::activeBackend() != audio::Backend::Device) {
        audio::closeAudio();
        GTEST_SKIP() << "no audio device, not even SDL's dummy";
    }
    // The callback runs: the song moves on from where it started (a budget
    // of two seconds, so a device left paused fails instead of hanging).
    int position = 768;
    for (int wait = 0; wait < 200 && position == 768; ++wait) {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        ASSERT_TRUE(audio::songPosition(&position));
    }
    EXPECT_NE(position, 768);
    audio::closeAudio();
}

TEST_F(SongRendering, ASongSoundsAndLoopsWithoutAGap) {
    const std::vector<std::uint8_t> song = oneBarSong(true);
    ASSERT_TRUE(audio::startSong(song.data(), song.size(), 0));
    EXPECT_EQ(audio::songLength(), 4 * 768);
    const std::vector<int> peaks = renderPeaks(5.0);
    // The note starts each bar: at 0 s, 2 s and 4 s, nowhere else.
    std::vector<int> onsets;
    for (std::size_t w = 0; w < peaks.size(); ++w) {
        const int before = w == 0 ? 0 : peaks[w - 1];
        if (peaks[w] > 1000 && peaks[w] > 3 * before) onsets.push_back(static_cast<int>(w));
    }
    EXPECT_EQ(onsets, (std::vector<int>{0, 200, 400}));
    int position = -1;
    ASSERT_TRUE(audio::songPosition(&position));
    EXPECT_NEAR(position, 768 * 2, 40);  // 5 s = two bars and a half
}

TEST_F(SongRendering, ASongResumesAtAPositionWrappedIntoIt) {
    const std::vector<std::uint8_t> song = oneBarSong(true);
    // Five bars and one beat in: the song is one bar long.
    ASSERT_TRUE(audio::startSong(song.data(), song.size(), 5 * 4 * 768 + 768));
    int position = -1;
    ASSERT_TRUE(audio::songPosition(&position));
    EXPECT_EQ(position, 768);
    const std::vector<int> peaks = renderPeaks(2.0);
    // Three beats of silence before the bar comes round again.
    EXPECT_LT(*std::max_element(peaks.begin(), peaks.begin() + 140), 1000);
    EXPECT_GT(*std::max_element(peaks.begin() + 148, peaks.begin() + 155), 1000);
}

TEST_F(SongRendering, StoppingCutsAtOnceAndLeavesNothingUnderTheNextSong) {
    const std::vector<std::uint8_t> loud = oneBarSong(true);
    const std::vector<std::uint8_t> quiet = oneBarSong(false);
    ASSERT_TRUE(audio::startSong(loud.data(), loud.size(), 0));
    renderPeaks(0.2);
    audio::stopSong();
    EXPECT_FALSE(audio::songPlaying());
    std::vector<int> peaks = renderPeaks(0.1);
    EXPECT_EQ(*std::max_element(peaks.begin(), peaks.end()), 0);

    ASSERT_TRUE(audio::startSong(loud.data(), loud.size(), 0));
    renderPeaks(0.2);
    ASSERT_TRUE(audio::startSong(quiet.data(), quiet.size(), 0));
    peaks = renderPeaks(0.5);
    EXPECT_LE(*std::max_element(peaks.begin(), peaks.end()), 2);  // no note, no reverb tail
}

TEST_F(SongRendering, MusicGainScalesTheOutput) {
    const std::vector<std::uint8_t> song = oneBarSong(true);
    ASSERT_TRUE(audio::startSong(song.data(), song.size(), 0));
    const int full = renderPeaks(0.1)[5];
    audio::setMusicGain(0.1f);
    audio::startSong(song.data(), song.size(), 0);
    const int quiet = renderPeaks(0.1)[5];
    EXPECT_NEAR(quiet, full / 10, full / 50 + 2);
}

}  // namespace
