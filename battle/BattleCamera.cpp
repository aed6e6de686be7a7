// The battle's camera: a short glide in the follow view toward a point.
#include "battle/BattleServices.h"
#include "engine/Camera.h"
#include "engine/GraphicsResources.h"
#include "engine/KeyframeTrack.h"

const float kDefaultBattleView[3] = {10.0f, 1.0f, 0.0f};

namespace {
constexpr std::uint32_t kGlideMs = 300;
}

void moveCamera(GraphicsResources& resources, gfx::Device*, const float target[3], float distance,
                std::uint8_t force) {
    if (!resources.cameraTrack || !target) return;
    KeyframeTrack& track = *resources.cameraTrack;
    const std::uint32_t now = gMillisecondClock();
    float channel0 = 0.0f;
    int finished = 0;
    float channels[6] = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f, 0.0f};
    // A track without keys holds no camera at all: treated as another screen's.
    float mode = 1.0f;
    if (track.evaluateTrack(now, &channel0, &finished, channels) == 1) mode = channels[5];
    const bool battleMode = mode == 0.0f;
    if (battleMode && force != 1) return;

    float start[3] = {target[0], target[1], target[2]};
    float startDistance = distance;
    if (battleMode) {
        start[0] = channels[0];
        start[1] = channels[1];
        start[2] = channels[2];
        startDistance = channels[3];
    }
    track.setKeyCount(2);
    track.setKey(0, 0.0f, 0.0f, start[0], start[1], start[2], startDistance, 0.0f, 0.0f);
    track.setKey(1, 1.0f, 0.0f, target[0], target[1], target[2] - 0.5f, distance, 0.0f, 0.0f);
    track.setTrackDuration(kGlideMs);
    track.setTrackLooping(0);
    track.setTrackStart(now);
}
