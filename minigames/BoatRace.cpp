#include "minigames/BoatRace.h"

#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Sound.h"
#include "engine/TextLayers.h"
#include "engine/TransformByMatrix3.h"
#include "events/EventEngine.h"
#include "events/EventMusic.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldScreen.h"
#include "field/FieldServices.h"
#include "field/FieldState.h"
#include "minigames/BoatCourse.h"
#include "minigames/BoatRaceMotion.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"

namespace {

constexpr const char* kRaceSong = "【イベント】ミニゲーム.mid";
constexpr const char* kCrashSound = "Wepon_09.wav";

int nowSeconds() { return static_cast<int>(timing::calendarSeconds()); }

}  // namespace

void placeChaseCamera() {
    float rotation[9];
    headingRotation(gBoatHeading, rotation);
    const float behind[3] = {0.0f, 1.0f, 2.0f};
    float offset[3];
    transformByMatrix3(offset, behind, rotation);
    for (int i = 0; i < 3; ++i) {
        gRaceCamera[i] = gBoatPos[i] + offset[i];
        gRaceCamera[3 + i] = gBoatPos[i];
    }
    gRaceCamera[6] = 0.0f;
    gRaceCamera[7] = 1.0f;
    gRaceCamera[8] = 0.0f;
}

namespace {

void leaveToFadeIn() {
    gCameraTarget[0] = gPlayerPos[0];
    gCameraTarget[1] = gPlayerPos[1];
    gCameraTarget[2] = gPlayerPos[2];
    gTransitionFrame = 0;
    gPendingMapChange.pending = 0;
    gScene = 1;
    gInputCode = 0;
    requestBothTextLayers();
}

}  // namespace

void startBoatRace(int course, int map, int row, int column, int /*flag*/) {
    changeMusic(kRaceSong);
    if (course == kStoryRideCourse) {
        // The step counter goes too: the destination's own scenes start
        // their events from step 0.
        gFieldEvent = 0;
        gEventStep = 0;
        gPendingMapChange.map = map;
        loadMap(map);
        placePlayerOnArrival(row, column);
    }
    gRaceCourse = static_cast<std::uint8_t>(course);
    gScene = kRaceScene;
    gRaceStarted = 0;
    gRaceFinished = 0;
    gBoatMeshLoaded = 0;
    gRaceClock = nowSeconds();
    gBoatPos[0] = kBoatStartX;
    gBoatPos[1] = 0.0f;
    gBoatPos[2] = kBoatStartZ;
    gBoatHeading = kBoatStartHeading;
    gBoatSpeed = 0.0f;
    gObstacleBump = ObstacleBump{0, 0, 0.0f, 0};
    gRaceFrames = 0;
    gRaceStuckFrames = 0;
    for (CourseObstacle& o : gCourseObstacles) o.hit = 0;
    loadCourse(course);
    // The first frame looks from behind the boat, not from where the last
    // race ended; and it clears the field's texts from layer 2.
    placeChaseCamera();
    gRedrawRequest[0] = 1;
}

bool recordRaceTime(int course, int frames) {
    if (course < 0 || course >= kRaceCourseSlots) return false;
    if (frames >= gBestRaceFrames[course]) return false;
    gBestRaceFrames[course] = frames;
    return true;
}

void returnFromRace() { leaveToFadeIn(); }

void endStoryRide() {
    gFieldEvent = 0;
    gEventStep = 0;
    loadMap(gPendingMapChange.map);
    setUpCurrentMap(1);
    gPictureLoaded = 0;
    gEventPicture = 0;
    leaveToFadeIn();
}

void moveBoat(const std::uint8_t held[6]) {
    BoatMotion motion{{gBoatPos[0], gBoatPos[1], gBoatPos[2]}, gBoatHeading, gBoatSpeed, gObstacleBump};
    const BoatStep step = stepBoatMotion(motion, held);
    for (int i = 0; i < 3; ++i) gBoatPos[i] = motion.pos[i];
    gBoatHeading = motion.heading;
    gBoatSpeed = motion.speed;
    gObstacleBump = motion.bump;
    if (step.crashed || step.hitObstacle) playSoundEffect(kCrashSound);
    if (!step.onGoal) return;

    recordRaceTime(gRaceCourse, gRaceFrames);
    if (gRaceCourse == kStoryRideCourse) {
        endStoryRide();
        return;
    }
    gRaceClock = nowSeconds();
    gRaceFinished = 1;
}

bool updateRaceLeave(const std::uint8_t held[6], bool boatMoved) {
    const bool running = gRaceStarted != 0 && gRaceFinished == 0;
    const bool throttle = held[kHeldUp] || held[kHeldDecide];
    const bool brake = held[kHeldDown] || held[kHeldCancel];
    if (!running || !throttle || brake || boatMoved) {
        gRaceStuckFrames = 0;
        return false;
    }
    if (++gRaceStuckFrames < kRaceLeaveFrames) return false;
    gRaceStuckFrames = 0;
    gRaceFrames = kNoRaceTime;
    if (gRaceCourse == kStoryRideCourse)
        endStoryRide();
    else
        returnFromRace();
    return true;
}
