#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/GraphicsResources.h"
#include "engine/Screens.h"
#include "events/EventEngine.h"
#include "field/FieldMap.h"
#include "field/FieldServices.h"
#include "minigames/BoatCourseEditor.h"
#include "minigames/BoatRace.h"
#include "minigames/BoatRaceScreen.h"
#include "minigames/BoatRaceTime.h"
#include "tests/boatFixture.h"
#include "tests/drawingRecordingDevice.h"

namespace boattest {
namespace {

using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;

constexpr std::uint8_t kNothing[6] = {0, 0, 0, 0, 0, 0};
constexpr std::uint8_t kThrottle[6] = {0, 0, 0, 1, 0, 0};
constexpr std::uint8_t kCancel[6] = {0, 0, 0, 0, 0, 1};

TEST(BoatRaceTime, FramesShowAsMinutesSecondsAndHundredths) {
    const struct {
        int frames;
        const char* shown;
    } cases[] = {
        {0, "00:00:00"},       {9, "00:00:09"},        {100, "00:01:00"},       {5999, "00:59:99"},
        {6000, "01:00:00"},    {359999, "59:59:99"},   {360000, "59:00:00"},    {400000, "59:40:00"},
        {-5, "00:00:00"},
    };
    for (const auto& c : cases) {
        char text[16];
        formatRaceTime(c.frames, text, sizeof text);
        EXPECT_STREQ(text, c.shown) << c.frames;
    }
}

TEST(BoatRaceBestTime, BestTimeIsKeptOnlyWhenStrictlyLower) {
    resetBoatRaceState();
    const struct {
        int course, best, frames;
        bool kept;
    } cases[] = {
        {1, 500, 499, true}, {1, 500, 500, false}, {1, 500, 501, false}, {0, kNoRaceTime, 2000, true},
        {3, 1, 0, true},     {4, 10, 9, true},
    };
    for (const auto& c : cases) {
        gBestRaceFrames[c.course] = c.best;
        EXPECT_EQ(recordRaceTime(c.course, c.frames), c.kept) << c.course << " " << c.frames;
        EXPECT_EQ(gBestRaceFrames[c.course], c.kept ? c.frames : c.best);
    }
    // Course numbers without a slot keep nothing and touch nothing.
    for (const int course : {-1, 5, 255}) EXPECT_FALSE(recordRaceTime(course, 0));
    resetBoatRaceState();
}

class BoatRaceScreenTest : public BoatFolderTest {
protected:
    void SetUp() override {
        BoatFolderTest::SetUp();
        resetFieldState();
        resetFieldMap();
        std::memset(&gPendingMapChange, 0, sizeof gPendingMapChange);
        gFieldEvent = 0;
        gEventStep = 0;
        gScene = 0;
        gTransitionFrame = 5;
        auto texture = [](const std::string& name, int w, int h, bool target = false) {
            return std::make_unique<RecordedTexture>(name, w, h, target, false, gfx::TextureFormat::A8R8G8B8);
        };
        resources.sprite = device.createSprite(nullptr);
        resources.quadVertices = device.createVertexBuffer(4, nullptr);
        resources.tileAtlas = texture("atlas", 1024, 512);
        resources.spriteSheets[4] = texture("sheet147", 512, 512);
        resources.layer1Target = texture("layer1", 640, 480, true);
        resources.layer2Target = texture("layer2", 640, 480, true);
    }
    void TearDown() override {
        resetFieldState();
        resetFieldMap();
        gScene = 0;
        BoatFolderTest::TearDown();
    }

    void frame(const std::uint8_t held[6]) {
        std::copy(held, held + 6, gHeldInput);
        runBoatRace(resources, &device);
    }
    // Frames until `done` holds; false when the budget ran out.
    template <typename Done>
    bool framesUntil(const std::uint8_t held[6], int budget, Done done) {
        for (int i = 0; i < budget; ++i) {
            frame(held);
            if (done()) return true;
        }
        return false;
    }
    std::vector<std::string> textsOfHeight(int height) const {
        std::vector<std::string> out;
        for (const auto& t : device.textDraws)
            if (t.font.height == height) out.push_back(t.text);
        return out;
    }
    // A straight channel from the start along +z with a finish at z 40-41.
    static void writeStraightCourse(int course) {
        clearCourse();
        paintWater(20, 30, 20, 60);
        paintGoal(20, 30, 40, 41);
        ASSERT_EQ(saveCourse(course), 0);
        clearCourse();
    }
    void passCountdown() {
        gNow += 4;
        frame(kNothing);
        ASSERT_EQ(gRaceStarted, 1);
    }

    GraphicsResources resources;
    RecordingDevice device;
};

TEST_F(BoatRaceScreenTest, CountdownShowsFourToOneThenGoOnTheCalendarSeconds) {
    startBoatRace(1, 0, 0, 24, 1);
    EXPECT_EQ(gScene, kRaceScene);
    const char* const shown[] = {"4", "3", "2", "1", "Go!"};
    for (int second = 0; second <= 4; ++second) {
        gNow = 1800000000 + second;
        device.textDraws.clear();
        // Several frames within one second show the same figure.
        for (int i = 0; i < (second < 4 ? 3 : 1); ++i) {
            EXPECT_EQ(gRaceStarted, 0) << second;
            frame(kNothing);
        }
        const std::vector<std::string> banner = textsOfHeight(50);
        ASSERT_FALSE(banner.empty()) << second;
        EXPECT_EQ(banner.back(), shown[second]);
    }
    EXPECT_EQ(gRaceStarted, 1);
    EXPECT_EQ(gRaceFrames, 1) << "the frame of Go! is the race's first";
    device.textDraws.clear();
    frame(kNothing);
    EXPECT_TRUE(textsOfHeight(50).empty()) << "Go! shows for one frame";
    EXPECT_EQ(gRaceFrames, 2);
    EXPECT_EQ(device.meshesLoaded, std::vector<std::string>{"Res/Xfile_346.x"}) << "the boat is loaded once";
    EXPECT_EQ(gBoatMeshLoaded, 1);
}

TEST_F(BoatRaceScreenTest, HudShowsSpeedTimeAndTheCoursesRecord) {
    startBoatRace(2, 0, 0, 24, 1);
    gBestRaceFrames[2] = 6000;
    gBoatSpeed = 12.5f;
    frame(kNothing);
    auto find = [&](const std::string& text) {
        return std::find_if(device.textDraws.begin(), device.textDraws.end(),
                            [&](const testing_gfx::TextDraw& t) { return t.text == text; });
    };
    const auto speed = find("Spead 37.5 Km/h");
    ASSERT_NE(speed, device.textDraws.end());
    EXPECT_EQ(speed->font.height, 15);
    EXPECT_EQ(speed->font.face, "Impact");
    EXPECT_EQ(speed->renderTarget, resources.layer2Target.get());
    const auto time = find("Time   00:00:01");
    ASSERT_NE(time, device.textDraws.end());
    EXPECT_EQ(time->colour, 0xFFFFFFFFu);
    const auto record = find("Record 01:00:00");
    ASSERT_NE(record, device.textDraws.end());
    EXPECT_EQ(record->colour, 0xFF00FF40u);
    EXPECT_EQ(record->rect.top, 35);

    resetBoatRaceState();
    startBoatRace(3, 0, 0, 24, 1);
    device.textDraws.clear();
    frame(kNothing);
    EXPECT_NE(find("Record 59:59:99"), device.textDraws.end()) << "a new game's record";
}

TEST_F(BoatRaceScreenTest, CircuitFinishShowsGoalForTwoSecondsThenReturnsToTheField) {
    writeStraightCourse(2);
    gCurrentMap = 0;
    gPlayerPos[0] = 3.0f;
    gPlayerPos[1] = 1.0f;
    gPlayerPos[2] = 4.0f;
    gPendingMapChange.pending = 1;
    startBoatRace(2, 0, 7, 24, 1);
    EXPECT_EQ(gCurrentMap, 0) << "a circuit leaves the field's map alone";
    passCountdown();
    ASSERT_TRUE(framesUntil(kThrottle, 2000, [] { return gRaceFinished == 1; }));
    const int time = gRaceFrames;
    EXPECT_EQ(gBestRaceFrames[2], time);
    EXPECT_EQ(gRaceClock, gNow);
    EXPECT_GE(gBoatPos[2], 40.0f);

    device.textDraws.clear();
    gNow += 1;
    const float stoppedAt[3] = {gBoatPos[0], gBoatPos[1], gBoatPos[2]};
    for (int i = 0; i < 30; ++i) frame(kThrottle);
    EXPECT_EQ(gScene, kRaceScene);
    EXPECT_EQ(gRaceFrames, time) << "the clock stops at the finish";
    const std::vector<std::string> banner = textsOfHeight(70);
    ASSERT_FALSE(banner.empty());
    EXPECT_EQ(banner.front(), "Goal !");
    for (int i = 0; i < 3; ++i) EXPECT_EQ(gBoatPos[i], stoppedAt[i]) << "the boat stays still during Goal !";

    gNow += 1;
    frame(kNothing);
    EXPECT_EQ(gScene, 1);
    EXPECT_EQ(gTransitionFrame, 0);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gCameraTarget[0], 3.0f);
    EXPECT_EQ(gCameraTarget[1], 1.0f);
    EXPECT_EQ(gCameraTarget[2], 4.0f);
    EXPECT_EQ(gRedrawRequest[1], 2) << "the field redraws its texts";

    // A slower second race keeps the first time.
    startBoatRace(2, 0, 7, 24, 1);
    passCountdown();
    for (int i = 0; i < 200; ++i) frame(kNothing);
    ASSERT_TRUE(framesUntil(kThrottle, 3000, [] { return gRaceFinished == 1; }));
    EXPECT_GT(gRaceFrames, time);
    EXPECT_EQ(gBestRaceFrames[2], time);
}

TEST_F(BoatRaceScreenTest, StoryRideCarriesThePartyToItsDestinationWithoutAGoalScreen) {
    writeStraightCourse(0);
    gCurrentMap = 49;
    gFieldEvent = 3;
    gEventStep = 71;
    gEventPicture = 1;
    startBoatRace(0, 50, 19, 15, 1);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gCurrentMap, 50);
    EXPECT_EQ(gPendingMapChange.map, 50);
    const float arrivalX = gPlayerPos[0], arrivalZ = gPlayerPos[2];
    EXPECT_NEAR(arrivalX, 19.0f + 15 * 0.707106781f + 0.5f, 1e-4f);
    EXPECT_NEAR(arrivalZ, 15 * 0.707106781f + 0.3535533905f, 1e-4f);

    passCountdown();
    ASSERT_TRUE(framesUntil(kThrottle, 2000, [] { return gScene != kRaceScene; }));
    EXPECT_EQ(gScene, 1);
    EXPECT_EQ(gRaceFinished, 0);
    EXPECT_TRUE(textsOfHeight(70).empty()) << "no Goal ! on the story's ride";
    EXPECT_EQ(gBestRaceFrames[0], gRaceFrames);
    EXPECT_EQ(gCurrentMap, 50);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 0);
    EXPECT_EQ(gEventPicture, 0);
    EXPECT_EQ(gPictureLoaded, 0);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gTransitionFrame, 0);
    EXPECT_EQ(gCameraTarget[0], gPlayerPos[0]);
    EXPECT_EQ(gCameraTarget[2], gPlayerPos[2]);
}

TEST_F(BoatRaceScreenTest, BrakingNeverLeavesARaceHoweverLongItIsHeld) {
    constexpr std::uint8_t kDown[6] = {0, 0, 1, 0, 0, 0};
    constexpr std::uint8_t kThrottleAndBrake[6] = {0, 0, 0, 1, 0, 1};
    writeStraightCourse(2);
    for (const std::uint8_t* brake : {kCancel, kDown, kThrottleAndBrake}) {
        for (const int course : {2, 1}) {  // a straight channel, then all bank
            startBoatRace(course, 0, 7, 24, 1);
            // Through the countdown, then a minute with the boat at a stand.
            for (int i = 0; i < 60; ++i) frame(brake);
            passCountdown();
            for (int i = 0; i < 3600; ++i) frame(brake);
            EXPECT_EQ(gScene, kRaceScene) << course;
            EXPECT_EQ(gRaceFrames, 3601) << course;
        }
    }
    // Braking from speed down to a stand and on.
    startBoatRace(2, 0, 7, 24, 1);
    passCountdown();
    for (int i = 0; i < 120; ++i) frame(kThrottle);
    ASSERT_GT(gBoatSpeed, 0.0f);
    for (int i = 0; i < 3600; ++i) frame(kCancel);
    EXPECT_EQ(gBoatSpeed, 0.0f);
    EXPECT_EQ(gScene, kRaceScene);
}

TEST_F(BoatRaceScreenTest, ThrottleOnABoatThatCannotMoveLeavesTheRace) {
    const struct {
        int course;
        int map;
    } cases[] = {{1, 0}, {0, 50}};
    for (const auto& c : cases) {
        gCurrentMap = 7;
        gBestRaceFrames[c.course] = 1234;
        startBoatRace(c.course, 50, 10, 10, 1);  // no course file: all bank
        for (int i = 0; i < 400; ++i) frame(kThrottle);  // the countdown does not count
        passCountdown();
        for (int i = 0; i < 200; ++i) frame(kThrottle);
        frame(kCancel);  // a brake starts the count again
        for (int i = 0; i < kRaceLeaveFrames - 1; ++i) frame(kThrottle);
        EXPECT_EQ(gScene, kRaceScene) << c.course;
        EXPECT_EQ(gBoatPos[0], kBoatStartX);
        EXPECT_EQ(gBoatPos[2], kBoatStartZ) << "the boat cannot move on an all-bank course";
        frame(kThrottle);
        EXPECT_EQ(gScene, 1) << c.course;
        EXPECT_EQ(gRaceFrames, kNoRaceTime) << "a race left wins nothing";
        EXPECT_EQ(gBestRaceFrames[c.course], 1234);
        EXPECT_EQ(gCurrentMap, c.course == 0 ? 50 : 7);
    }
}

TEST_F(BoatRaceScreenTest, ThrottleOnAMovingBoatNeverLeavesTheRace) {
    // Open water without a finish: ten seconds of throttle.
    clearCourse();
    paintWater(0, 499, 0, 499);
    ASSERT_EQ(saveCourse(3), 0);
    startBoatRace(3, 0, 7, 24, 1);
    passCountdown();
    for (int i = 0; i < 600; ++i) frame(kThrottle);
    EXPECT_EQ(gScene, kRaceScene);
    EXPECT_GT(gBoatPos[2], kBoatStartZ + 10.0f);
}

TEST_F(BoatRaceScreenTest, CourseEditorEditsTheCellUnderTheBoat) {
    gRaceCourse = 2;
    gBoatPos[0] = 100.5f;
    gBoatPos[2] = 200.5f;
    runCourseEditor(kEditorRaise);
    int raised = 0;
    for (int x = 95; x <= 105; ++x)
        for (int z = 195; z <= 205; ++z) raised += gCourseCells[courseIndex(x, z)].height == 0.125f;
    EXPECT_EQ(raised, 13);
    EXPECT_EQ(gCourseCells[courseIndex(102, 200)].height, 0.125f);
    EXPECT_EQ(gCourseCells[courseIndex(102, 201)].height, 0.0f);

    gCourseCells[courseIndex(100, 200)].height = 0.1f;
    runCourseEditor(kEditorLower);
    EXPECT_EQ(gCourseCells[courseIndex(100, 200)].height, 0.0f) << "not below 0";

    runCourseEditor(kEditorObstacle);
    EXPECT_EQ(gCourseObstacles[0].present, 1);
    EXPECT_EQ(gCourseObstacles[0].x, 100.0f);
    EXPECT_EQ(gCourseObstacles[0].z, 200.0f);
    runCourseEditor(kEditorObstacle);
    EXPECT_EQ(gCourseObstacles[0].present, 0) << "a second press removes it";
    for (int i = 0; i < kCourseObstacleCount; ++i) putObstacle(i, 1.0f, 1.0f);
    runCourseEditor(kEditorObstacle);  // no free slot: nothing happens
    for (const CourseObstacle& o : gCourseObstacles) EXPECT_EQ(o.x, 1.0f);

    runCourseEditor(kEditorGoal);
    EXPECT_EQ(gCourseCells[courseIndex(100, 200)].goal, 1);
    runCourseEditor(kEditorGoal);
    EXPECT_EQ(gCourseCells[courseIndex(100, 200)].goal, 0);

    gCourseCells[courseIndex(100, 200)].type = 4;
    runCourseEditor(kEditorCellType);
    EXPECT_EQ(gCourseCells[courseIndex(100, 200)].type, 5);
    runCourseEditor(kEditorCellType);
    EXPECT_EQ(gCourseCells[courseIndex(100, 200)].type, 0);

    EXPECT_EQ(runCourseEditor(kEditorSave), 0);
    EXPECT_TRUE(std::filesystem::exists("Data/Boat_2.dat"));
    std::filesystem::remove_all("Data");
    EXPECT_EQ(runCourseEditor(kEditorSave), 1) << "a save that cannot open its file says so";

    // Near the edge of the grid the editor does nothing.
    gBoatPos[0] = 20.5f;
    runCourseEditor(kEditorGoal);
    EXPECT_EQ(gCourseCells[courseIndex(20, 200)].goal, 0);
}

}  // namespace
}  // namespace boattest
