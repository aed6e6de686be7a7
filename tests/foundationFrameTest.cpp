// The frame, the scene table and the passes of the main loop.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/GraphicsDevice.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/MainLoop.h"
#include "engine/RenderFrame.h"
#include "engine/Scene.h"
#include "platform/App.h"
#include "tests/foundationFakeDevice.h"

namespace {

std::vector<std::string> gScreenCalls;

void drawScreen(GraphicsResources&, gfx::Device*) { gScreenCalls.push_back("draw"); }
void logicScreen(GraphicsResources&, gfx::Device*) { gScreenCalls.push_back("logic"); }
void titleScreen(GraphicsResources&, gfx::Device*) { gScreenCalls.push_back("title"); }
void fieldScreen(GraphicsResources&, gfx::Device*) { gScreenCalls.push_back("field"); }
void leaveForTheField(GraphicsResources&, gfx::Device*) {
    gScreenCalls.push_back("leaves");
    gScene = 0;
}

const SceneEntry kTestTable[] = {
    {0, fieldScreen, nullptr},
    {100, drawScreen, logicScreen},
    {1000, titleScreen, nullptr},
    {1001, leaveForTheField, nullptr},
};

class FrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        gScreenCalls.clear();
        gScene = 1000;
    }
    void TearDown() override { gScene = 1000; }
    void frame() { renderFrameWithTable(&device, &resources, kTestTable, 4); }
    RecordingDevice device;
    GraphicsResources resources;
};

TEST(SceneTable, EveryScreenSitsAtItsSceneNumber) {
    struct Case { int scene; ScreenFunction first; ScreenFunction second; };
    const Case cases[] = {
        {0, runField, nullptr}, {1, runFieldFadeIn, nullptr}, {2, runFieldEntryFromBlack, nullptr},
        {9, runChapterSaveScreen, nullptr}, {10, runBattleTransition, nullptr},
        {100, drawBattleScene, runBattleFrame},
        {200, runCampMenu, nullptr}, {201, runItemMenu, nullptr}, {202, runEquipMenu, nullptr},
        {203, runStoneMenu, nullptr}, {204, runStatusScreen, nullptr}, {205, runMagicMenu, nullptr},
        {206, runFormationMenu, nullptr}, {207, runBodyguardScreen, nullptr}, {209, runCardCatalogue, nullptr},
        {210, runMenuSaveScreen, nullptr}, {300, runShopScreen, nullptr}, {301, runBankScreen, nullptr},
        {400, runCardDuel, nullptr}, {500, runBoatRace, nullptr}, {900, runStaffRoll, nullptr},
        {1000, runTitleScreen, nullptr}, {1001, runIntroAndTitleMenu, nullptr}, {1002, runLoadScreen, nullptr},
    };
    for (const Case& c : cases) {
        const SceneEntry* entry = findScene(c.scene);
        ASSERT_NE(entry, nullptr) << c.scene;
        EXPECT_EQ(entry->first, c.first) << c.scene;
        EXPECT_EQ(entry->second, c.second) << c.scene;
    }
    for (int scene : {-1, 3, 8, 11, 101, 208, 211, 302, 999, 1003, 100000}) EXPECT_EQ(findScene(scene), nullptr) << scene;
}

TEST_F(FrameTest, FrameClearsToOpaqueBlackAroundTheScreen) {
    frame();
    EXPECT_EQ(device.calls, (std::vector<std::string>{"begin", "clear", "end", "present"}));
    EXPECT_EQ(device.clearFlags, gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil);
    EXPECT_EQ(device.clearColour, 0xFF000000u);
    EXPECT_EQ(device.clearDepth, 1.0f);
    EXPECT_EQ(device.clearStencil, 0u);
    EXPECT_EQ(gScreenCalls, (std::vector<std::string>{"title"}));
}

TEST_F(FrameTest, UnknownSceneIsBlackAndStays) {
    for (int scene : {208, 5, 12345}) {
        gScene = scene;
        for (int i = 0; i < 30; ++i) frame();
        EXPECT_TRUE(gScreenCalls.empty()) << scene;
        EXPECT_EQ(gScene, scene);
    }
    // Every frame still presents the cleared picture.
    EXPECT_EQ(device.calls.size(), 90u * 4u);
}

TEST_F(FrameTest, BattleSceneDrawsFirstThenRunsItsLogic) {
    gScene = 100;
    frame();
    EXPECT_EQ(gScreenCalls, (std::vector<std::string>{"draw", "logic"}));
}

TEST_F(FrameTest, ScreenThatChangesTheSceneHandsOverFromTheNextFrame) {
    gScene = 1001;
    frame();
    EXPECT_EQ(gScreenCalls, (std::vector<std::string>{"leaves"}));
    EXPECT_EQ(gScene, 0);
    frame();
    EXPECT_EQ(gScreenCalls, (std::vector<std::string>{"leaves", "field"}));
}

TEST_F(FrameTest, FailedClearSkipsTheScreenTheEndAndThePresent) {
    device.failClear = true;
    frame();
    EXPECT_EQ(device.calls, (std::vector<std::string>{"begin", "clear"}));
    EXPECT_TRUE(gScreenCalls.empty());
}

TEST_F(FrameTest, NoResourcesNoFrame) {
    renderFrameWithTable(&device, nullptr, kTestTable, 4);
    EXPECT_TRUE(device.calls.empty());
}

// The passes of the main loop, with every service recorded.
std::vector<std::string> gPass;
std::vector<app::Event> gQueue;
bool gShowsFrames = true;

bool fakeTakeEvent(app::Event& event) {
    if (gQueue.empty()) return false;
    event = gQueue.front();
    gQueue.erase(gQueue.begin());
    gPass.push_back("event");
    return true;
}
void fakePoll() { gPass.push_back("poll"); }
bool fakeShows() { return gShowsFrames; }
void fakeRender(gfx::Device*, GraphicsResources*) { gPass.push_back("render"); }
void fakeSleep(int ms) { gPass.push_back("sleep " + std::to_string(ms)); }
void fakeMusic() { gPass.push_back("music"); }

class PassTest : public ::testing::Test {
protected:
    void SetUp() override {
        gPass.clear();
        gQueue.clear();
        gShowsFrames = true;
        resetInput();
        services = LoopServices{fakeTakeEvent, fakePoll, fakeShows, fakeRender, fakeSleep, fakeMusic, 2};
    }
    void TearDown() override { resetInput(); }
    PassOutcome pass() { return runMainLoopPass(services, nullptr, nullptr); }
    static app::Event event(app::EventKind kind, int code = 0) {
        app::Event e;
        e.kind = kind;
        e.exitCode = code;
        return e;
    }
    LoopServices services{};
};

TEST_F(PassTest, IdlePassPollsRendersSleepsAndStepsTheMusic) {
    const PassOutcome outcome = pass();
    EXPECT_EQ(gPass, (std::vector<std::string>{"poll", "render", "sleep 2", "music"}));
    EXPECT_TRUE(outcome.rendered);
    EXPECT_FALSE(outcome.quit);
}

TEST_F(PassTest, PassWithAnEventRendersNothingButStillStepsTheMusic) {
    gQueue.push_back(event(app::EventKind::KeyDown));
    const PassOutcome outcome = pass();
    EXPECT_EQ(gPass, (std::vector<std::string>{"event", "sleep 2", "music"}));
    EXPECT_TRUE(outcome.tookEvent);
    EXPECT_FALSE(outcome.rendered);
}

TEST_F(PassTest, MinimisedWindowRendersNothingButPollsAndStepsTheMusic) {
    gShowsFrames = false;
    for (int i = 0; i < 3; ++i) EXPECT_FALSE(pass().rendered);
    const std::vector<std::string> one = {"poll", "sleep 2", "music"};
    std::vector<std::string> three;
    for (int i = 0; i < 3; ++i) three.insert(three.end(), one.begin(), one.end());
    EXPECT_EQ(gPass, three);
}

TEST_F(PassTest, OneEventPerPassThenFramesResume) {
    gQueue = {event(app::EventKind::KeyDown), event(app::EventKind::KeyUp)};
    EXPECT_FALSE(pass().rendered);
    EXPECT_FALSE(pass().rendered);
    EXPECT_TRUE(pass().rendered);
}

TEST_F(PassTest, QuitEndsTheLoopWithItsCode) {
    gQueue = {event(app::EventKind::KeyDown), event(app::EventKind::Quit, 0)};
    EXPECT_EQ(runMainLoop(services, nullptr, nullptr), 0);
    EXPECT_TRUE(gQueue.empty());
    gQueue = {event(app::EventKind::Quit, 3)};
    gPass.clear();
    const PassOutcome outcome = pass();
    EXPECT_TRUE(outcome.quit);
    EXPECT_EQ(outcome.exitCode, 3);
    EXPECT_EQ(gPass, (std::vector<std::string>{"event"}));
}

TEST_F(PassTest, ActivationEventsSwitchTheWindowActiveFlag) {
    gQueue = {event(app::EventKind::Deactivated)};
    pass();
    EXPECT_EQ(gWindowActive, 0);
    gQueue = {event(app::EventKind::Activated)};
    pass();
    EXPECT_EQ(gWindowActive, 1);
}

// Device creation: the chain stops at the first device made; the box only
// when every attempt fails.
int gAttempts = 0;
std::unique_ptr<gfx::Device> failingAttempt(const gfx::DeviceOptions&, int* result) {
    ++gAttempts;
    *result = gfx::kNotAvailable;
    return nullptr;
}
gfx::DeviceOptions gSeenOptions{};
std::unique_ptr<gfx::Device> workingAttempt(const gfx::DeviceOptions& options, int* result) {
    ++gAttempts;
    gSeenOptions = options;
    *result = gfx::kOk;
    return std::make_unique<RecordingDevice>();
}

class DeviceChainTest : public ::testing::Test {
protected:
    void SetUp() override {
        gAttempts = 0;
        app::setMessageBoxObserver([this](const std::string& text, const std::string& caption) {
            boxes.push_back(caption + ":" + text);
        });
    }
    void TearDown() override { app::setMessageBoxObserver({}); }
    std::vector<std::string> boxes;
};

TEST_F(DeviceChainTest, SecondAttemptSucceedingShowsNoBox) {
    const DeviceAttempt chain[] = {failingAttempt, workingAttempt, failingAttempt};
    GraphicsDevice device;
    EXPECT_EQ(device.createDevice(true, false, 640, 480, false, chain, 3), 0);
    EXPECT_NE(device.getDevice(), nullptr);
    EXPECT_EQ(gAttempts, 2);
    EXPECT_TRUE(boxes.empty());
    EXPECT_TRUE(gSeenOptions.lowSpec);
    EXPECT_FALSE(gSeenOptions.fullScreen);
    EXPECT_FALSE(gSeenOptions.paced);
    device.releaseDevice();
    EXPECT_EQ(device.getDevice(), nullptr);
}

TEST_F(DeviceChainTest, EveryAttemptFailingShowsTheBoxAndFails) {
    const DeviceAttempt chain[] = {failingAttempt, failingAttempt, failingAttempt};
    GraphicsDevice device;
    EXPECT_LT(device.createDevice(false, true, 640, 480, true, chain, 3), 0);
    EXPECT_EQ(device.getDevice(), nullptr);
    EXPECT_EQ(gAttempts, 3);
    EXPECT_EQ(boxes, (std::vector<std::string>{"警告:DirectX 9.0cに対応していません。"}));
}

}  // namespace
