#include "minigames/BoatRaceMotion.h"

#include <cmath>

#include "engine/Input.h"
#include "engine/TransformByMatrix3.h"
#include "minigames/BoatCourse.h"

namespace {

constexpr double kDegrees = 3.14159265358979323846 / 180.0;

bool bankNear(float x, float z) {
    const float d = kBoatHalfWidth;
    return courseCellType(x + d, z + d) == kCourseBank || courseCellType(x + d, z - d) == kCourseBank ||
           courseCellType(x - d, z + d) == kCourseBank || courseCellType(x - d, z - d) == kCourseBank;
}

// The first obstacle (present, not hit) whose picture's bottom edge touches
// the boat's square at (x, z), or -1. The picture faces the camera, so its
// edge turns with the heading.
int obstacleTouching(float x, float z, const float rotation[9]) {
    static const float kOffsets[4] = {-0.5f, -0.15f, 0.15f, 0.5f};
    for (int i = 0; i < kCourseObstacleCount; ++i) {
        const CourseObstacle& o = gCourseObstacles[i];
        if (o.present == 0 || o.hit != 0) continue;
        for (const float d : kOffsets) {
            const float along[3] = {d, 0.0f, 0.0f};
            float turned[3];
            transformByMatrix3(turned, along, rotation);
            const float px = o.x + 0.5f + turned[0];
            const float pz = o.z + turned[2];
            if (px >= x - kBoatHalfWidth && px <= x + kBoatHalfWidth && pz >= z - kBoatHalfWidth &&
                pz <= z + kBoatHalfWidth)
                return i;
        }
    }
    return -1;
}

}  // namespace

void headingRotation(int heading, float out[9]) {
    const float h = static_cast<float>(heading * kDegrees);
    const float c = std::cos(h);
    const float s = std::sin(h);
    out[0] = c;    out[1] = 0.0f; out[2] = -s;
    out[3] = 0.0f; out[4] = 1.0f; out[5] = 0.0f;
    out[6] = s;    out[7] = 0.0f; out[8] = c;
}

BoatStep stepBoatMotion(BoatMotion& m, const std::uint8_t held[6]) {
    BoatStep step;
    float rotation[9];
    headingRotation(m.heading, rotation);
    const float ahead[3] = {0.0f, 0.0f, -m.speed / 60.0f};
    float v[3];
    transformByMatrix3(v, ahead, rotation);

    if (bankNear(m.pos[0] + v[0], m.pos[2] + v[2])) {
        // At 10 or below the boat just stays against the bank.
        if (m.speed > kBoatCrashSpeed) {
            step.crashed = true;
            m.speed = 0.0f;
        }
    } else if (m.bump.active == 0) {
        const int hit = obstacleTouching(m.pos[0], m.pos[2], rotation);
        if (hit >= 0) {
            step.hitObstacle = true;
            m.speed = 0.0f;
            m.bump = ObstacleBump{1, 0, 0.0f, hit};
        } else {
            m.pos[0] += v[0];
            m.pos[2] += v[2];
            m.pos[1] = courseHeightAt(m.pos[0], m.pos[2]);
            step.moved = true;
            if (held[kHeldUp] || held[kHeldDecide]) m.speed += kBoatThrottle;
        }
    }

    if (courseCellGoal(m.pos[0], m.pos[2]) != 0) {
        step.onGoal = true;
        return step;
    }

    if (m.bump.active != 0) {
        // No control acts while the obstacle goes under.
        m.bump.sink += kObstacleSinkStep;
        m.bump.frames += 1;
        if (m.bump.frames >= kObstacleSinkFrames) {
            m.bump.active = 0;
            if (m.bump.index >= 0 && m.bump.index < kCourseObstacleCount) gCourseObstacles[m.bump.index].hit = 1;
        }
        return step;
    }

    if (held[kHeldDown] || held[kHeldCancel]) m.speed -= kBoatBrake;
    if (held[kHeldRight]) m.heading -= kBoatTurn;
    if (held[kHeldLeft]) m.heading += kBoatTurn;
    m.speed -= kBoatDrag;
    if (m.speed < 0.0f) m.speed = 0.0f;
    if (m.speed > kBoatMaxSpeed) m.speed = kBoatMaxSpeed;
    return step;
}
