#include <gtest/gtest.h>

#include <cmath>

#include "engine/KeyframeTrack.h"

namespace {

// A non-looping track from x = 0 to x = 10 (channel 1) over 1000 ms from
// t = 2000, with channel 6 stepping from mode 0 to mode 1.
KeyframeTrack slideTrack() {
    KeyframeTrack track;
    track.setKeyCount(2);
    track.setKey(0, 0.0f, 100.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f);
    track.setKey(1, 1.0f, 200.0f, 10.0f, 0.0f, 0.0f, 0.0f, 0.0f, 1.0f);
    track.setTrackDuration(1000);
    track.setTrackLooping(0);
    track.setTrackStart(2000);
    return track;
}

struct Sample {
    int ok;
    float channel0;
    int finished;
    float channels[6];
};

Sample evaluate(const KeyframeTrack& track, std::uint32_t now) {
    Sample s{};
    s.ok = track.evaluateTrack(now, &s.channel0, &s.finished, s.channels);
    return s;
}

TEST(KeyframeTrack, NonLoopingTrackInterpolatesAndHoldsItsEnds) {
    const KeyframeTrack track = slideTrack();
    struct Case { std::uint32_t now; float x; float mode; int finished; };
    const Case cases[] = {
        {0, 0.0f, 0.0f, 1},       // before the start: first key, finished
        {1999, 0.0f, 0.0f, 1},
        {2000, 0.0f, 0.0f, 0},    // mended: the start shows the first key and runs
        {2250, 2.5f, 0.0f, 0},
        {2500, 5.0f, 0.0f, 0},    // channel 6 steps: still the first key's mode
        {2999, 9.99f, 0.0f, 0},
        {3000, 10.0f, 1.0f, 1},   // mended: the end shows the last key, finished
        {3001, 10.0f, 1.0f, 1},
        {90000, 10.0f, 1.0f, 1},
    };
    for (const Case& c : cases) {
        const Sample s = evaluate(track, c.now);
        EXPECT_EQ(s.ok, 1) << c.now;
        EXPECT_NEAR(s.channels[0], c.x, 1e-4) << c.now;
        EXPECT_EQ(s.channels[5], c.mode) << c.now;
        EXPECT_EQ(s.finished, c.finished) << c.now;
    }
    EXPECT_NEAR(evaluate(track, 2500).channel0, 150.0f, 1e-4);  // channel 0 interpolates too
}

TEST(KeyframeTrack, LoopingTrackWrapsAndNeverFinishes) {
    KeyframeTrack track = slideTrack();
    track.setTrackLooping(1);
    struct Case { std::uint32_t now; float x; };
    const Case cases[] = {{2000, 0.0f}, {2500, 5.0f}, {3000, 0.0f}, {3250, 2.5f}, {7900, 9.0f}, {1000, 10.0f}};
    for (const Case& c : cases) {
        const Sample s = evaluate(track, c.now);
        EXPECT_NEAR(s.channels[0], c.x, 1e-4) << c.now;
        EXPECT_EQ(s.finished, 0) << c.now;
    }
}

TEST(KeyframeTrack, StepChannelSwitchesAtEachKeysPhase) {
    KeyframeTrack track;
    track.setKeyCount(3);
    track.setKey(0, 0.0f, 0, 0, 0, 0, 0, 0, 0.0f);
    track.setKey(1, 0.5f, 0, 4, 0, 0, 0, 0, 1.0f);
    track.setKey(2, 1.0f, 0, 8, 0, 0, 0, 0, 2.0f);
    track.setTrackDuration(1000);
    track.setTrackLooping(0);
    track.setTrackStart(0);
    struct Case { std::uint32_t now; float x; float mode; };
    const Case cases[] = {{250, 2.0f, 0.0f}, {499, 3.992f, 0.0f}, {500, 4.0f, 1.0f}, {750, 6.0f, 1.0f}, {1000, 8.0f, 2.0f}};
    for (const Case& c : cases) {
        const Sample s = evaluate(track, c.now);
        EXPECT_NEAR(s.channels[0], c.x, 1e-4) << c.now;
        EXPECT_EQ(s.channels[5], c.mode) << c.now;
    }
}

TEST(KeyframeTrack, MissingOutputsOrNoKeysFailAndLeaveOutputsAlone) {
    KeyframeTrack empty;
    Sample s{0, -7.0f, -7, {-7, -7, -7, -7, -7, -7}};
    EXPECT_EQ(empty.evaluateTrack(500, &s.channel0, &s.finished, s.channels), 0);
    EXPECT_EQ(s.channel0, -7.0f);
    EXPECT_EQ(s.finished, -7);
    EXPECT_EQ(s.channels[3], -7.0f);

    const KeyframeTrack track = slideTrack();
    EXPECT_EQ(track.evaluateTrack(2500, nullptr, &s.finished, s.channels), 0);
    EXPECT_EQ(track.evaluateTrack(2500, &s.channel0, nullptr, s.channels), 0);
    EXPECT_EQ(s.channel0, -7.0f);
    EXPECT_EQ(track.evaluateTrack(2500, &s.channel0, &s.finished, nullptr), 1);  // channels 1 to 6 are optional
    EXPECT_NEAR(s.channel0, 150.0f, 1e-4);

    KeyframeTrack cleared = slideTrack();
    cleared.setKeyCount(0);
    EXPECT_EQ(cleared.evaluateTrack(2500, &s.channel0, &s.finished, s.channels), 0);
}

TEST(KeyframeTrack, KeysOutsideTheCountAreIgnored) {
    KeyframeTrack track = slideTrack();
    track.setKey(2, 0.5f, 0, 99, 0, 0, 0, 0, 0);
    track.setKey(-1, 0.5f, 0, 99, 0, 0, 0, 0, 0);
    EXPECT_EQ(track.keyCount(), 2);
    EXPECT_NEAR(evaluate(track, 2500).channels[0], 5.0f, 1e-4);
}

TEST(KeyframeTrack, PhaseAndSegmentRules) {
    KeyframeTrack track = slideTrack();
    EXPECT_EQ(track.trackPhase(1000), 1.0f);   // before the start
    EXPECT_EQ(track.trackPhase(2000), 0.0f);   // the start itself
    EXPECT_EQ(track.trackPhase(2400), 0.4f);
    EXPECT_EQ(track.trackPhase(3100), 0.1f);   // modulo the duration
    track.setTrackDuration(0);
    EXPECT_EQ(track.trackPhase(2400), 1.0f);

    KeyframeTrack keys;
    keys.setKeyCount(3);
    keys.setKey(0, 0.2f, 0, 0, 0, 0, 0, 0, 0);
    keys.setKey(1, 0.5f, 0, 0, 0, 0, 0, 0, 0);
    keys.setKey(2, 1.0f, 0, 0, 0, 0, 0, 0, 0);
    struct Case { float phase; int segment; };
    const Case cases[] = {{0.1f, -1}, {0.2f, 0}, {0.49f, 0}, {0.5f, 1}, {0.99f, 1}, {1.0f, 2}, {NAN, -1}};
    for (const Case& c : cases) EXPECT_EQ(keys.findKeySegment(c.phase), c.segment) << c.phase;
}

TEST(KeyframeTrack, ZeroDurationIsACutToTheLastKey) {
    KeyframeTrack track = slideTrack();
    track.setTrackDuration(0);
    const Sample s = evaluate(track, 2000);
    EXPECT_EQ(s.channels[0], 10.0f);
    EXPECT_EQ(s.finished, 1);
}

}  // namespace
