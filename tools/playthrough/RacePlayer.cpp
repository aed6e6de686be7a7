#include "tools/playthrough/RacePlayer.h"

#include <cmath>
#include <deque>
#include <vector>

#include "engine/Input.h"
#include "minigames/BoatCourse.h"
#include "minigames/BoatRaceState.h"

namespace {

constexpr int kUnreached = 1 << 30;

// Steps to the finish from every water cell (kUnreached elsewhere), for the
// course it was worked out for.
std::vector<int> gSteps;
int gStepsCourse = -1;

bool water(int x, int z) {
    return x >= 0 && z >= 0 && x < kCourseSize && z < kCourseSize &&
           gCourseCells[courseIndex(x, z)].type != kCourseBank;
}

// Whether a bank lies within one cell: such water is used only where there
// is no other way.
bool besideABank(int x, int z) {
    for (int dx = -1; dx <= 1; ++dx)
        for (int dz = -1; dz <= 1; ++dz)
            if (!water(x + dx, z + dz)) return true;
    return false;
}

void workOutTheWay() {
    gSteps.assign(static_cast<size_t>(kCourseCellCount), kUnreached);
    gStepsCourse = gRaceCourse;
    // Open water first, from every finish cell; then water beside the banks
    // joins at a high cost.
    std::deque<int> queue;
    for (int x = 0; x < kCourseSize; ++x)
        for (int z = 0; z < kCourseSize; ++z)
            if (water(x, z) && gCourseCells[courseIndex(x, z)].goal != 0) {
                gSteps[static_cast<size_t>(courseIndex(x, z))] = 0;
                queue.push_back(courseIndex(x, z));
            }
    while (!queue.empty()) {
        const int at = queue.front();
        queue.pop_front();
        const int x = at / kCourseSize, z = at % kCourseSize;
        const int here = gSteps[static_cast<size_t>(at)];
        const int moves[4][2] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
        for (const auto& m : moves) {
            const int nx = x + m[0], nz = z + m[1];
            if (!water(nx, nz)) continue;
            const int cost = here + (besideABank(nx, nz) ? 20 : 1);
            int& there = gSteps[static_cast<size_t>(courseIndex(nx, nz))];
            if (cost >= there) continue;
            there = cost;
            queue.push_back(courseIndex(nx, nz));
        }
    }
}

int stepsAt(int x, int z) { return water(x, z) ? gSteps[static_cast<size_t>(courseIndex(x, z))] : kUnreached; }

}  // namespace

void resetRacePlayer() { gStepsCourse = -1; }

int raceCode() {
    if (!gRaceStarted || gRaceFinished) return 0;
    if (gStepsCourse != gRaceCourse) workOutTheWay();
    // Follow the falling steps a few cells ahead and aim there.
    int x = static_cast<int>(std::floor(gBoatPos[0])), z = static_cast<int>(std::floor(gBoatPos[2]));
    for (int look = 0; look < 5; ++look) {
        int bestX = x, bestZ = z, best = stepsAt(x, z);
        for (int dx = -1; dx <= 1; ++dx)
            for (int dz = -1; dz <= 1; ++dz)
                if (stepsAt(x + dx, z + dz) < best) {
                    best = stepsAt(x + dx, z + dz);
                    bestX = x + dx;
                    bestZ = z + dz;
                }
        x = bestX;
        z = bestZ;
    }
    const double dx = x + 0.5 - gBoatPos[0], dz = z + 0.5 - gBoatPos[2];
    // Heading h moves the boat along (sin h, -cos h).
    const double wanted = std::atan2(dx, -dz) * 180.0 / 3.14159265358979;
    double turn = wanted - gBoatHeading;
    while (turn > 180.0) turn -= 360.0;
    while (turn < -180.0) turn += 360.0;
    int code = 0;
    if (turn > 3.0) code = kInputLeft;  // left raises the heading
    if (turn < -3.0) code = kInputRight;
    const double ahead = std::fabs(turn);
    if (ahead < 25.0 && gBoatSpeed < 45.0f) {
        code = code == kInputLeft ? kInputUpLeft : code == kInputRight ? kInputUpRight : kInputUp;
    } else if (ahead > 70.0 && gBoatSpeed > 12.0f) {
        code = code == kInputLeft ? kInputDownLeft : code == kInputRight ? kInputDownRight : kInputDown;
    } else if (code == 0 && gBoatSpeed < 8.0f) {
        code = kInputUp;
    }
    return code;
}
