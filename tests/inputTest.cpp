// Input composition and the repeat rule, poll by poll, through the same key
// table and controller path as play.
#include <gtest/gtest.h>

#include <vector>

#include "engine/Config.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "field/EventState.h"
#include "menus/Title.h"
#include "platform/App.h"
#include "platform/InputDevices.h"
#include "programs/GameHooks.h"

namespace {

using devices::Key;

class InputTest : public ::testing::Test {
protected:
    void SetUp() override { clean(); }
    void TearDown() override { clean(); }
    static void clean() {
        installInputHooks();  // F12 and the field's events, as the programs wire them
        resetInput();
        resetConfig();
        devices::releaseAllKeys();
        devices::setFakeController(nullptr);
        gScene = 200;  // a menu
        gFieldEvent = 0;
    }
    static void hold(std::initializer_list<Key> keys) {
        devices::releaseAllKeys();
        for (Key k : keys) devices::setKeyHeld(k, true);
    }
    // The codes of `polls` polls with what is held now.
    static std::vector<int> poll(int polls) {
        std::vector<int> codes;
        for (int i = 0; i < polls; ++i) {
            pollInput();
            codes.push_back(gInputCode);
        }
        return codes;
    }
    static std::vector<int> repeated(int code, int times) { return std::vector<int>(times, code); }
    static std::vector<int> join(std::vector<int> a, const std::vector<int>& b) {
        a.insert(a.end(), b.begin(), b.end());
        return a;
    }
};

TEST_F(InputTest, HeldFlagsComposeLikeANumericKeypad) {
    struct Case { std::uint8_t held[6]; int code; };  // right left down up decide cancel
    const Case cases[] = {
        {{0, 0, 0, 0, 0, 0}, 0},  {{0, 0, 1, 0, 0, 0}, 2},  {{0, 1, 0, 0, 0, 0}, 4},
        {{1, 0, 0, 0, 0, 0}, 6},  {{0, 0, 0, 1, 0, 0}, 8},  {{0, 1, 1, 0, 0, 0}, 1},
        {{1, 0, 1, 0, 0, 0}, 3},  {{0, 1, 0, 1, 0, 0}, 7},  {{1, 0, 0, 1, 0, 0}, 9},
        {{0, 0, 0, 0, 1, 0}, 10}, {{1, 0, 1, 0, 1, 0}, 13}, {{0, 1, 0, 1, 1, 0}, 17},
        {{0, 0, 0, 0, 0, 1}, 5},  {{1, 0, 1, 0, 1, 1}, 5},  {{0, 0, 0, 0, 1, 1}, 5},
        // Right wins over left, down over up.
        {{1, 1, 0, 0, 0, 0}, 6},  {{0, 0, 1, 1, 0, 0}, 2},  {{1, 1, 1, 1, 1, 0}, 13},
    };
    for (const Case& c : cases) EXPECT_EQ(composeInputCode(c.held), c.code);
}

TEST_F(InputTest, KeysOfEachRoleReachTheirCode) {
    struct Case { std::initializer_list<Key> keys; int code; };
    const Case cases[] = {
        {{Key::Return}, 10}, {{Key::KeypadEnter}, 10}, {{Key::Space}, 10}, {{Key::Z}, 10},
        {{Key::Escape}, 5}, {{Key::LeftShift}, 5}, {{Key::RightShift}, 5}, {{Key::X}, 5},
        {{Key::Return, Key::Escape}, 5}, {{Key::Return, Key::Right, Key::Down}, 13},
        {{Key::Up, Key::Left}, 7}, {{Key::F12}, 0},
    };
    for (const Case& c : cases) {
        clean();
        hold(c.keys);
        EXPECT_EQ(poll(1)[0], c.code);
    }
}

TEST_F(InputTest, HeldDecideInAMenuRepeatsOnlyAfterFortyPolls) {
    hold({Key::Return});
    EXPECT_EQ(poll(43), join(join({10}, repeated(0, 40)), {10, 10}));
    EXPECT_EQ(gInputRepeat, 40);
}

TEST_F(InputTest, ChangedCodeIsDeliveredAtOnceAndRestartsTheWait) {
    hold({Key::Down});
    poll(20);
    hold({Key::Down, Key::Return});
    EXPECT_EQ(poll(2), (std::vector<int>{12, 0}));
    hold({});
    EXPECT_EQ(poll(2), (std::vector<int>{0, 0}));
    hold({Key::Down});
    EXPECT_EQ(poll(1), (std::vector<int>{2}));
}

TEST_F(InputTest, WalkingOnTheFieldRepeatsEveryPoll) {
    gScene = 0;
    hold({Key::Right});
    EXPECT_EQ(poll(45), repeated(6, 45));
    hold({Key::Right, Key::Return});
    EXPECT_EQ(poll(3), repeated(16, 3));
}

TEST_F(InputTest, CancelOnTheFieldRepeatsOnlyAfterFortyPolls) {
    gScene = 0;
    hold({Key::Escape});
    EXPECT_EQ(poll(42), join(join({5}, repeated(0, 40)), {5}));
}

TEST_F(InputTest, FieldEventKeepsTheMenuRepeatRule) {
    gScene = 0;
    gFieldEvent = 3;
    hold({Key::Right});
    EXPECT_EQ(poll(42), join(join({6}, repeated(0, 40)), {6}));
}

TEST_F(InputTest, ControllerAxesNeedMoreThanOneHundred) {
    struct Case { int x, y, code; };
    const Case cases[] = {
        {100, 0, 0}, {101, 0, 6}, {-100, 0, 0}, {-101, 0, 4},
        {0, 100, 0}, {0, 101, 2}, {0, -101, 8}, {1000, 1000, 3}, {-1000, -1000, 7},
    };
    for (const Case& c : cases) {
        clean();
        devices::ControllerState pad;
        pad.x = c.x;
        pad.y = c.y;
        devices::setFakeController(&pad);
        EXPECT_EQ(poll(1)[0], c.code) << c.x << "," << c.y;
    }
}

TEST_F(InputTest, ControllerButtonsDecideAndCancelSwappedBySetting) {
    struct Case { int swap; int button; int code; };
    const Case cases[] = {{0, 0, 10}, {0, 1, 5}, {1, 0, 5}, {1, 1, 10}, {0, 2, 0}};
    for (const Case& c : cases) {
        clean();
        gConfig[5] = static_cast<std::uint8_t>(c.swap);
        devices::ControllerState pad;
        pad.buttons[c.button] = true;
        devices::setFakeController(&pad);
        EXPECT_EQ(poll(1)[0], c.code) << "swap " << c.swap << " button " << c.button;
    }
}

TEST_F(InputTest, InactiveWindowDeliversNothingAndForgetsTheRepeat) {
    hold({Key::Return});
    poll(10);
    setWindowActive(false);
    EXPECT_EQ(poll(3), repeated(0, 3));
    EXPECT_EQ(gInputRepeat, 0);
    EXPECT_EQ(gLastInputCode, 0);
    for (std::uint8_t h : gHeldInput) EXPECT_EQ(h, 0);
    setWindowActive(true);
    // The key still held counts as new after reactivation.
    EXPECT_EQ(poll(2), (std::vector<int>{10, 0}));
}

TEST_F(InputTest, F12ReturnsToTheTitleFromAnyOtherScene) {
    gRedrawRequest[0] = 0;
    gRedrawRequest[1] = 1;
    gTitleCounter = 12;
    gScene = 100;
    hold({Key::F12});
    poll(1);
    EXPECT_EQ(gScene, 1000);
    EXPECT_EQ(gTitleCounter, 350);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gRedrawRequest[1], 2);

    // On the title itself it does nothing.
    gTitleCounter = 12;
    gRedrawRequest[0] = 0;
    poll(1);
    EXPECT_EQ(gTitleCounter, 12);
    EXPECT_EQ(gRedrawRequest[0], 0);
}

TEST_F(InputTest, DeveloperModeTurnsLetterKeysIntoCommands) {
    hold({Key::Digit3});
    pollInput();
    EXPECT_EQ(gCommandCode, kNormalPlayCommand);  // normal play ignores developer keys

    gCommandCode = 0;
    hold({Key::Z, Key::X});
    EXPECT_EQ(poll(1)[0], 0);  // not decide and cancel any more
    hold({Key::Digit9});
    pollInput();
    EXPECT_EQ(gCommandCode, 99);
    hold({});
    pollInput();
    EXPECT_EQ(gCommandCode, 0);
    devices::ControllerState pad;
    pad.buttons[9] = true;
    devices::setFakeController(&pad);
    pollInput();
    EXPECT_EQ(gCommandCode, 100);
}

TEST(InputDevices, AxesScaleLinearlyToAThousandEachWay) {
    struct Case { int raw, scaled; };
    const Case cases[] = {{-32768, -1000}, {32767, 1000}, {0, 0}, {-1, -1}, {16384, 500}, {-16384, -500}, {3309, 100}, {3310, 101}};
    for (const Case& c : cases) EXPECT_EQ(devices::scaleAxis(c.raw), c.scaled) << c.raw;
}

}  // namespace

namespace {

// The real controller path, through SDL's virtual game controller.
TEST(InputController, FirstControllerDrivesTheCodeThroughItsMapping) {
    app::AppOptions options;
    options.video = false;
    options.headless = true;
    ASSERT_TRUE(app::initialise(options));
    if (!devices::attachVirtualController()) {
        app::shutdown();
        GTEST_SKIP() << "no virtual controller on this SDL";
    }
    resetInput();
    resetConfig();
    devices::releaseAllKeys();
    gScene = 200;
    ASSERT_TRUE(initInput());
    ASSERT_TRUE(devices::controllerPresent());

    devices::ControllerState pad;
    devices::setVirtualControllerAxis(0, 32767);
    devices::setVirtualControllerAxis(1, -32768);
    ASSERT_TRUE(devices::readController(pad));
    EXPECT_EQ(pad.x, 1000);
    EXPECT_EQ(pad.y, -1000);
    pollInput();
    EXPECT_EQ(gInputCode, 9);

    devices::setVirtualControllerAxis(0, 0);
    devices::setVirtualControllerAxis(1, 0);
    devices::setVirtualControllerButton(0, true);
    pollInput();
    EXPECT_EQ(gInputCode, 10);
    devices::setVirtualControllerButton(0, false);
    devices::setVirtualControllerButton(1, true);
    pollInput();
    EXPECT_EQ(gInputCode, 5);
    gConfig[5] = 1;
    pollInput();
    EXPECT_EQ(gInputCode, 10);  // swapped: the second button decides

    releaseInput();
    devices::detachVirtualController();
    app::shutdown();
    resetConfig();
    resetInput();
}

}  // namespace
