#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "engine/Sound.h"
#include "platform/Audio.h"
#include "tests/soundTestSupport.h"

namespace {

std::vector<std::pair<std::string, std::string>> gBoxes;

void recordBox(const char* text, const char* caption) { gBoxes.emplace_back(text, caption); }

class SoundEffects : public testing::Test {
protected:
    void SetUp() override {
        audio::openAudio(audio::Backend::Null);
        resetSoundState();
        gSoundErrorBox = recordBox;
        gBoxes.clear();
        gSoundAvailable = initSound() ? 1 : 0;
    }
    void TearDown() override {
        releaseEffectBuffer();
        resetSoundState();
    }

    // The first left sample of the next `frames` frames, and whether all
    // frames carried the same value.
    static std::int16_t renderedLevel(int frames, bool* steady = nullptr) {
        std::vector<std::int16_t> out(2 * frames);
        audio::renderAudio(out.data(), frames);
        bool same = true;
        for (std::int16_t s : out) same = same && s == out[0];
        if (steady) *steady = same;
        return out[0];
    }

    soundtest::ScratchGameDir dir_{"effects"};
};

void writeEffect(const char* name, int frames, std::int16_t value) {
    soundtest::WaveSpec spec;
    spec.samples = soundtest::constantFrames(frames, value);
    soundtest::writeFile(std::string("Se/") + name, soundtest::makeWave(spec));
}

TEST_F(SoundEffects, ANewEffectCutsThePreviousOne) {
    writeEffect("First.wav", 44100, 1000);
    writeEffect("Second.wav", 4410, -2000);
    ASSERT_TRUE(playSoundEffect("First.wav"));
    bool steady = false;
    EXPECT_EQ(renderedLevel(735, &steady), 1000);  // one frame at 60 Hz
    EXPECT_TRUE(steady);
    ASSERT_TRUE(playSoundEffect("Second.wav"));
    EXPECT_EQ(renderedLevel(735, &steady), -2000);
    EXPECT_TRUE(steady);
    // Once the second has run out the voice is silent: the first does not come back.
    renderedLevel(4410 - 735);
    EXPECT_FALSE(audio::effectPlaying());
    EXPECT_EQ(renderedLevel(100, &steady), 0);
    EXPECT_TRUE(steady);
    EXPECT_TRUE(gBoxes.empty());
}

TEST_F(SoundEffects, EightBitMonoAtAnotherRatePlaysConverted) {
    soundtest::WaveSpec spec;
    spec.channels = 1;
    spec.bits = 8;
    spec.rate = 22050;
    spec.samples.assign(2205, 128 + 64);  // +0.5 of full scale
    soundtest::writeFile("Se/Low.wav", soundtest::makeWave(spec));
    ASSERT_TRUE(playSoundEffect("Low.wav"));
    std::vector<std::int16_t> out(2 * 8820);
    audio::renderAudio(out.data(), 8820);
    int sounding = 0;
    for (int i = 0; i < 8820; ++i) {
        if (out[2 * i] > 15000 && out[2 * i + 1] > 15000) ++sounding;
    }
    EXPECT_NEAR(sounding, 4410, 8);  // 0.1 s of 22,050 Hz is 0.1 s of 44,100 Hz
}

TEST_F(SoundEffects, AMissingFileShowsBothBoxesAtEachAttempt) {
    for (int attempt = 0; attempt < 2; ++attempt) EXPECT_FALSE(playSoundEffect("Kettei.wav"));
    const std::pair<std::string, std::string> missing{"Waveファイルがありません", "Error"};
    const std::pair<std::string, std::string> noBuffer{"セカンダリ・バッファの作成に失敗", "Error"};
    const std::vector<std::pair<std::string, std::string>> expected{missing, noBuffer, missing, noBuffer};
    EXPECT_EQ(gBoxes, expected);
}

TEST_F(SoundEffects, UnplayableFilesShowTheFailureBoxesAndTheGameGoesOn) {
    struct Case {
        const char* what;
        soundtest::WaveSpec spec;
        const char* firstBox;
    };
    std::vector<Case> cases;
    {
        Case c{"fmt overrunning its chunk", {}, "Waveファイルがありません"};
        c.spec.fmtSize = 400;
        cases.push_back(c);
    }
    {
        Case c{"float samples", {}, "バッファの作成に失敗"};
        c.spec.formatTag = 3;
        c.spec.bits = 32;
        c.spec.fmtSize = 18;
        c.spec.fmtBytesPresent = 18;
        c.spec.extraSizeField = true;
        c.spec.samples.assign(64, 0);
        cases.push_back(c);
    }
    {
        Case c{"no samples", {}, "バッファの作成に失敗"};
        cases.push_back(c);
    }
    writeEffect("Good.wav", 1000, 500);
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        gBoxes.clear();
        soundtest::writeFile("Se/Bad.wav", soundtest::makeWave(c.spec));
        EXPECT_FALSE(playSoundEffect("Bad.wav"));
        ASSERT_EQ(gBoxes.size(), 2u);
        EXPECT_EQ(gBoxes[0].first, c.firstBox);
        EXPECT_EQ(gBoxes[1].first, "セカンダリ・バッファの作成に失敗");
        EXPECT_TRUE(playSoundEffect("Good.wav"));
    }
}

TEST_F(SoundEffects, WithoutSoundEveryCallDoesNothingSilently) {
    writeEffect("Good.wav", 1000, 500);
    gSoundAvailable = 0;
    EXPECT_FALSE(playSoundEffect("Good.wav"));
    EXPECT_FALSE(playSoundEffect("Missing.wav"));
    EXPECT_FALSE(releaseSound());
    EXPECT_FALSE(releaseEffectBuffer());
    EXPECT_FALSE(audio::effectPlaying());
    EXPECT_TRUE(gBoxes.empty());
}

}  // namespace
