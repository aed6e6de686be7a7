#include "engine/KeyframeTrack.h"

void KeyframeTrack::freeKeyframeArrays() {
    keyCount_ = 0;
    phases_.clear();
    for (std::vector<float>& channel : channels_) channel.clear();
}

void KeyframeTrack::setKeyCount(int count) {
    freeKeyframeArrays();
    if (count <= 0) return;
    keyCount_ = count;
    phases_.assign(static_cast<std::size_t>(count), 0.0f);
    for (std::vector<float>& channel : channels_) channel.assign(static_cast<std::size_t>(count), 0.0f);
}

void KeyframeTrack::setKey(int index, float phase, float channel0, float channel1, float channel2, float channel3,
                           float channel4, float channel5, float channel6) {
    if (index < 0 || index >= keyCount_) return;
    const float values[kChannelCount] = {channel0, channel1, channel2, channel3, channel4, channel5, channel6};
    phases_[index] = phase;
    for (int c = 0; c < kChannelCount; ++c) channels_[c][index] = values[c];
}

float KeyframeTrack::trackPhase(std::uint32_t now) const {
    if (duration_ == 0) return 1.0f;
    // Mended: the start time itself is phase 0, not the end of a pass.
    if (now < start_) return 1.0f;
    const std::uint32_t intoPass = (now - start_) % duration_;
    return static_cast<float>(intoPass) / static_cast<float>(duration_);
}

int KeyframeTrack::findKeySegment(float phase) const {
    if (keyCount_ <= 0 || !(phase >= phases_[0])) return -1;
    int index = 0;
    while (index + 1 < keyCount_ && phases_[index + 1] <= phase) ++index;
    return index;
}

void KeyframeTrack::takeKey(int index, float* channel0, float* channels1to6) const {
    *channel0 = channels_[0][index];
    if (channels1to6 == nullptr) return;
    for (int c = 1; c < kChannelCount; ++c) channels1to6[c - 1] = channels_[c][index];
}

int KeyframeTrack::evaluateTrack(std::uint32_t now, float* channel0, int* finished, float* channels1to6) const {
    if (channel0 == nullptr || finished == nullptr || keyCount_ <= 0) return 0;
    const int last = keyCount_ - 1;
    if (!looping_) {
        if (now < start_) {
            takeKey(0, channel0, channels1to6);
            *finished = 1;
            return 1;
        }
        // Mended: the end time itself already shows the last key (the pass's
        // arithmetic would wrap to the first key there).
        if (now - start_ >= duration_) {
            takeKey(last, channel0, channels1to6);
            *finished = 1;
            return 1;
        }
    }
    const float phase = trackPhase(now);
    const int i = findKeySegment(phase);
    if (i < 0) {
        takeKey(0, channel0, channels1to6);
    } else if (i >= last) {
        takeKey(last, channel0, channels1to6);
    } else {
        const float t = phase - phases_[i];
        const float span = phases_[i + 1] - phases_[i];
        float values[kChannelCount];
        for (int c = 0; c < kChannelCount; ++c) {
            const float from = channels_[c][i];
            const float to = channels_[c][i + 1];
            // Channel 6 steps; a segment of no width (keys out of order) holds.
            values[c] = (c == 6 || !(span > 0.0f)) ? from : from + (to - from) / span * t;
        }
        *channel0 = values[0];
        if (channels1to6 != nullptr)
            for (int c = 1; c < kChannelCount; ++c) channels1to6[c - 1] = values[c];
    }
    *finished = 0;
    return 1;
}
