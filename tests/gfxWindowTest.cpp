#include <gtest/gtest.h>

#include <cstdlib>

#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

TEST(GfxWindow, HiddenHeadlessWindowRendersAndReopensHarmlessly) {
    setenv("SDL_VIDEODRIVER", "offscreen", 0);
    window::WindowOptions o;
    o.titleCp932 = "コルヴァディン";
    o.iconPath = "/nonexistent/Icon_389.bmp";  // missing is fine
    o.hidden = true;
    ASSERT_TRUE(window::openWindow(o));
    EXPECT_TRUE(window::isWindowOpen());
    EXPECT_NE(window::windowId(), 0u);
    // A window opened hidden for a headless run still renders frames.
    EXPECT_FALSE(window::isWindowMinimisedOrHidden());
    EXPECT_TRUE(window::openWindow(o));
    int r = 1;
    gfx::DeviceOptions options;
    options.paced = false;
    auto device = gfx::createGlDevice(options, &r);
    ASSERT_NE(device, nullptr);
    EXPECT_EQ(device->present(), gfx::kOk);
}

}  // namespace
