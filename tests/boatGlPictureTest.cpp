// A race frame through the real OpenGL device and the game's own pictures,
// headless: the water around the boat, the boat itself in the middle of the
// picture behind the chase camera, and the HUD over it.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "engine/Config.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/Scene.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "field/FieldState.h"
#include "minigames/BoatCourse.h"
#include "minigames/BoatRace.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"
#include "platform/Gfx.h"
#include "platform/Window.h"
#include "tests/hiddenGlDevice.h"
#include "tools/common/PngFile.h"

namespace {

TEST(BoatGlPicture, RaceFrameShowsTheBoatOnTheWaterWithTheHud) {
    const std::string game = CORVADINE_GAME_DIR;
    if (!std::filesystem::exists(game + "/Data/Boat_1.dat") || !std::filesystem::exists(game + "/Res/Xfile_346.x"))
        GTEST_SKIP() << "no built game folder in " << game;
    gfx::Device* opened = nullptr;
    int result = 0;
    ASSERT_TRUE(gltest::openHiddenGlDevice(&opened, &result)) << "no hidden window (SDL_VIDEODRIVER=offscreen)";
    std::unique_ptr<gfx::Device> device(opened);
    ASSERT_TRUE(device) << result;

    char previous[4096];
    ASSERT_NE(getcwd(previous, sizeof previous), nullptr);
    ASSERT_EQ(chdir(game.c_str()), 0);
    resetConfig();
    GraphicsResources resources;
    ASSERT_EQ(createGraphicsResources(resources, device.get()), 0);
    resetBoatRaceState();
    resetInput();
    resetTextLayers();
    std::int64_t now = 1800000000;
    timing::setCalendarClock([&now] { return now; });
    startBoatRace(1, 0, 7, 24, 1);
    auto frame = [&] {
        device->beginScene();
        device->clear(gfx::kClearTarget | gfx::kClearDepth | gfx::kClearStencil, 0xFF000000u, 1.0f, 0);
        runBoatRace(resources, device.get());
        device->endScene();
    };
    frame();
    now += 4;
    gHeldInput[kHeldUp] = 1;
    for (int i = 0; i < 120; ++i) frame();
    gHeldInput[kHeldUp] = 0;
    std::vector<std::uint32_t> image;
    const bool read = device->readBackBuffer(image);
    timing::setCalendarClock({});
    if (const char* shot = std::getenv("BOAT_SHOT")) png::writeArgb(shot, 640, 480, image.data());
    releaseGraphicsResources(resources);
    EXPECT_EQ(chdir(previous), 0);
    ASSERT_TRUE(read);
    ASSERT_EQ(image.size(), 640u * 480u);
    EXPECT_EQ(gScene, kRaceScene);
    EXPECT_GT(gBoatPos[2], 31.0f) << "the boat has left the start";

    auto rgb = [&](int x, int y) { return image[static_cast<std::size_t>(y) * 640 + x] & 0xFFFFFFu; };
    auto whiteIn = [&](int x0, int y0, int x1, int y1) {
        int n = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                const std::uint32_t c = rgb(x, y);
                n += ((c >> 16) & 0xFF) > 200 && ((c >> 8) & 0xFF) > 200 && (c & 0xFF) > 200;
            }
        return n;
    };
    EXPECT_GT(whiteIn(10, 18, 100, 36), 30) << "the speed in the top left";
    // The lower middle of the picture is the water in front of the camera.
    int blueish = 0;
    for (int x = 200; x < 440; x += 8) {
        const std::uint32_t c = rgb(x, 470);
        blueish += (c & 0xFF) > ((c >> 16) & 0xFF);
    }
    EXPECT_GT(blueish, 20) << "water below the boat";
    // The chase camera keeps the boat's white hull in the middle of the
    // picture, and the water beside it.
    EXPECT_GT(whiteIn(280, 200, 360, 260), 2000) << "the boat's hull in the middle";
    EXPECT_LT(whiteIn(20, 200, 100, 260), 400) << "water to the left of the boat";
    resetBoatRaceState();
    resetTextLayers();
    gScene = 0;
}

}  // namespace
