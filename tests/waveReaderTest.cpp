#include <gtest/gtest.h>

#include <filesystem>

#include "engine/WaveFile.h"
#include "tests/soundTestSupport.h"

namespace {

using soundtest::WaveSpec;

struct Loaded {
    WaveResult result;
    WaveFormat format;
    std::vector<std::uint8_t> samples;
};

Loaded loadFixture(const WaveSpec& spec) {
    soundtest::ScratchGameDir dir("wave");
    soundtest::writeFile("fixture.wav", soundtest::makeWave(spec));
    Loaded out;
    WaveFile wave;
    out.result = openWaveFile(wave, "fixture.wav", kWaveRead);
    if (out.result == WaveResult::Ok) {
        out.format = *wave.format;
        out.samples.resize(waveDataSize(wave) + 10);
        std::uint32_t count = 0;
        EXPECT_EQ(readWaveData(wave, out.samples.data(), static_cast<std::uint32_t>(out.samples.size()), &count),
                  WaveResult::Ok);
        out.samples.resize(count);
    }
    destroyWaveFile(wave);
    return out;
}

std::vector<std::uint8_t> ramp(int n) {
    std::vector<std::uint8_t> v(n);
    for (int i = 0; i < n; ++i) v[i] = static_cast<std::uint8_t>(i * 7 + 1);
    return v;
}

TEST(WaveReader, ReadsGoodPcmFilesOfEightAndSixteenBits) {
    WaveSpec sixteen;
    sixteen.samples = ramp(400);
    WaveSpec eight;
    eight.channels = 1;
    eight.bits = 8;
    eight.rate = 22050;
    eight.samples = ramp(301);
    for (const WaveSpec& spec : {sixteen, eight}) {
        const Loaded l = loadFixture(spec);
        ASSERT_EQ(l.result, WaveResult::Ok);
        EXPECT_EQ(l.format.formatTag, 1);
        EXPECT_EQ(l.format.channels, spec.channels);
        EXPECT_EQ(l.format.samplesPerSecond, spec.rate);
        EXPECT_EQ(l.format.bitsPerSample, spec.bits);
        EXPECT_EQ(l.format.extraSize, 0);
        EXPECT_EQ(l.samples, spec.samples);
        EXPECT_TRUE(isPlayableWaveFormat(l.format));
    }
}

TEST(WaveReader, AcceptsEighteenByteFmtAndFindsDataPastOtherChunks) {
    WaveSpec spec;
    spec.fmtSize = 18;
    spec.fmtBytesPresent = 18;
    spec.extraSizeField = true;
    spec.extraSize = 22;  // ignored for PCM: the format ends at 16 bytes
    spec.chunkBeforeData = true;
    spec.samples = ramp(64);
    const Loaded l = loadFixture(spec);
    ASSERT_EQ(l.result, WaveResult::Ok);
    EXPECT_EQ(l.format.extraSize, 0);
    EXPECT_EQ(l.samples, spec.samples);
}

TEST(WaveReader, ClampsDataToTheBytesPresent) {
    WaveSpec spec;
    spec.samples = ramp(100);
    spec.dataSizeStated = 1000000;
    const Loaded l = loadFixture(spec);
    ASSERT_EQ(l.result, WaveResult::Ok);
    EXPECT_EQ(l.samples, spec.samples);
}

TEST(WaveReader, RefusesMalformedFiles) {
    struct Case {
        const char* what;
        WaveSpec spec;
    };
    std::vector<Case> cases;
    {
        Case c{"fmt shorter than 16 bytes", {}};
        c.spec.fmtSize = 14;
        c.spec.fmtBytesPresent = 14;
        cases.push_back(c);
    }
    {
        Case c{"fmt overrunning the file", {}};
        c.spec.fmtSize = 5000;
        cases.push_back(c);
    }
    {
        Case c{"extra bytes overrunning fmt", {}};
        c.spec.formatTag = 2;
        c.spec.fmtSize = 20;
        c.spec.fmtBytesPresent = 20;
        c.spec.extraSizeField = true;
        c.spec.extraSize = 40;
        c.spec.samples = ramp(8);
        cases.push_back(c);
    }
    {
        Case c{"no data chunk", {}};
        c.spec.omitData = true;
        cases.push_back(c);
    }
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(loadFixture(c.spec).result, WaveResult::Fail);
    }
}

TEST(WaveReader, RefusesFilesThatAreNotRiffWave) {
    soundtest::ScratchGameDir dir("wave_bad");
    const std::vector<std::vector<std::uint8_t>> files = {
        {},
        {'R', 'I', 'F', 'F'},
        {'R', 'I', 'F', 'X', 4, 0, 0, 0, 'W', 'A', 'V', 'E'},
        {'R', 'I', 'F', 'F', 4, 0, 0, 0, 'A', 'V', 'I', ' '},
    };
    for (const auto& bytes : files) {
        soundtest::writeFile("bad.wav", bytes);
        WaveFile wave;
        EXPECT_EQ(openWaveFile(wave, "bad.wav", kWaveRead), WaveResult::Fail);
        EXPECT_FALSE(wave.open);
    }
    WaveFile wave;
    EXPECT_EQ(openWaveFile(wave, "absent.wav", kWaveRead), WaveResult::Fail);
    EXPECT_EQ(openWaveFile(wave, nullptr, kWaveRead), WaveResult::InvalidArgument);
}

TEST(WaveReader, NonPcmParsesWithItsExtraBytesButIsNotPlayable) {
    WaveSpec spec;
    spec.formatTag = 3;  // float samples
    spec.bits = 32;
    spec.fmtSize = 20;
    spec.fmtBytesPresent = 20;
    spec.extraSizeField = true;
    spec.extraSize = 2;
    spec.samples = ramp(16);
    const Loaded l = loadFixture(spec);
    ASSERT_EQ(l.result, WaveResult::Ok);
    EXPECT_EQ(l.format.extraSize, 2);
    EXPECT_FALSE(isPlayableWaveFormat(l.format));

    WaveFormat pcm24 = l.format;
    pcm24.formatTag = 1;
    pcm24.bitsPerSample = 24;
    pcm24.blockAlign = 6;
    EXPECT_FALSE(isPlayableWaveFormat(pcm24));
}

// A file nobody here wrote: the sound-icons package's samples (mono 16-bit).
TEST(WaveReader, ReadsAWaveFileFromADebianPackage) {
    const char* path = "/usr/share/sounds/sound-icons/cembalo-1.wav";
    if (!std::filesystem::exists(path)) GTEST_SKIP() << "sound-icons is not installed";
    WaveFile wave;
    ASSERT_EQ(openWaveFile(wave, path, kWaveRead), WaveResult::Ok);
    EXPECT_TRUE(isPlayableWaveFormat(*wave.format));
    EXPECT_EQ(wave.format->channels, 1);
    EXPECT_EQ(wave.format->bitsPerSample, 16);
    EXPECT_EQ(waveDataSize(wave), std::filesystem::file_size(path) - 44);
    destroyWaveFile(wave);
}

}  // namespace
