#include "minigames/BoatRaceState.h"

std::uint8_t gRaceCourse = 0;
float gBoatPos[3] = {kBoatStartX, 0.0f, kBoatStartZ};
int gBoatHeading = kBoatStartHeading;
float gBoatSpeed = 0.0f;
int gRaceClock = 0;
std::uint8_t gRaceStarted = 0;
std::uint8_t gRaceFinished = 0;
std::uint8_t gBoatMeshLoaded = 0;
int gRaceFrames = 0;
int gBestRaceFrames[kRaceCourseSlots] = {kNoRaceTime, kNoRaceTime, kNoRaceTime, kNoRaceTime, kNoRaceTime};
ObstacleBump gObstacleBump = {0, 0, 0.0f, 0};
float gRaceCamera[9] = {};
int gRaceStuckFrames = 0;

void resetBoatRaceState() {
    gRaceCourse = 0;
    gBoatPos[0] = kBoatStartX;
    gBoatPos[1] = 0.0f;
    gBoatPos[2] = kBoatStartZ;
    gBoatHeading = kBoatStartHeading;
    gBoatSpeed = 0.0f;
    gRaceClock = 0;
    gRaceStarted = 0;
    gRaceFinished = 0;
    gBoatMeshLoaded = 0;
    gRaceFrames = 0;
    for (int& best : gBestRaceFrames) best = kNoRaceTime;
    gObstacleBump = ObstacleBump{0, 0, 0.0f, 0};
    for (float& v : gRaceCamera) v = 0.0f;
    gRaceStuckFrames = 0;
}
