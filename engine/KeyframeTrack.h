// A key-frame track of seven float channels, evaluated against the
// millisecond clock: the camera's path (cameraTrack of GraphicsResources).
//
// Channels 0 to 5 are interpolated linearly between keys; channel 6 is a step
// channel that holds a key's value until the next key is reached. A screen
// re-keys a track with setKeyCount, setKey for each key (phase 0 for the
// first, 1 for the last), setTrackDuration, setTrackLooping(0) and
// setTrackStart(now).
#pragma once

#include <cstdint>
#include <vector>

class KeyframeTrack {
public:
    static constexpr int kChannelCount = 7;

    // No keys, looping, start 0, duration 0.
    KeyframeTrack() = default;

    // Drops the keys' arrays (the track has no keys afterwards).
    void freeKeyframeArrays();
    // Makes room for `count` keys, every value 0 until set. A count of 0 or
    // less leaves the track without keys.
    void setKeyCount(int count);
    // Stores one key; an index outside 0 to count - 1 is ignored.
    void setKey(int index, float phase, float channel0, float channel1, float channel2, float channel3,
                float channel4, float channel5, float channel6);
    void setTrackDuration(std::uint32_t milliseconds) { duration_ = milliseconds; }
    void setTrackLooping(int flag) { looping_ = flag; }
    void setTrackStart(std::uint32_t milliseconds) { start_ = milliseconds; }

    // Evaluates the track at `now`: channel 0 into *channel0, channels 1 to 6
    // into channels1to6[0..5] (may be null), and whether a non-looping track
    // is outside its span into *finished. Returns 0, writing nothing, when
    // channel0 or finished is null or the track has no keys; else 1.
    // At the start time the first key shows; at or after the end the last
    // key shows with finished = 1 (the track's arithmetic alone would show
    // the last key for one frame at the start and the first at the end).
    int evaluateTrack(std::uint32_t now, float* channel0, int* finished, float* channels1to6) const;
    // The position in the current pass, in [0, 1): duration 0 and times
    // before the start give 1.0; the start time itself gives 0.
    float trackPhase(std::uint32_t now) const;
    // The key whose segment holds `phase`: the largest i with the phases of
    // keys 0 to i all at or below it; -1 below key 0 (or for NaN).
    int findKeySegment(float phase) const;

    int keyCount() const { return keyCount_; }
    int looping() const { return looping_; }
    std::uint32_t start() const { return start_; }
    std::uint32_t duration() const { return duration_; }

private:
    void takeKey(int index, float* channel0, float* channels1to6) const;

    // Fields in the design's order: count, phases, channels 1 to 6, channel
    // 0, looping, start, duration.
    int keyCount_ = 0;
    std::vector<float> phases_;
    std::vector<float> channels_[kChannelCount];  // indexed by channel number
    int looping_ = 1;
    std::uint32_t start_ = 0;
    std::uint32_t duration_ = 0;
};
