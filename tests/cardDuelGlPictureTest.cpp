// The duel's cards through the real OpenGL device, headless: the opponent's
// cards must come out turned in place, which the recording device cannot see.
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

#include "engine/GraphicsResources.h"
#include "engine/TextLayers.h"
#include "minigames/CardDuelScreen.h"
#include "minigames/CardDuelState.h"
#include "platform/Gfx.h"
#include "platform/Window.h"
#include "tests/hiddenGlDevice.h"

namespace {

TEST(CardDuelGlPicture, TheOpponentsCardIsTurnedAboutItsCentreInPlace) {
    gfx::Device* opened = nullptr;
    int result = 0;
    ASSERT_TRUE(gltest::openHiddenGlDevice(&opened, &result)) << "no hidden window (SDL_VIDEODRIVER=offscreen)";
    std::unique_ptr<gfx::Device> device(opened);
    ASSERT_TRUE(device) << result;

    // Picture 0 of the sheet: red in its top-left quarter, blue elsewhere.
    std::vector<std::uint32_t> sheet(512 * 512, 0xFF000000u);
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 90; ++x) sheet[y * 512 + x] = (x < 45 && y < 60) ? 0xFFFF0000u : 0xFF0000FFu;
    GraphicsResources resources;
    resources.sprite = device->createSprite();
    resources.cardSheets[0] = device->createTextureFromPixels(sheet.data(), 512, 512, gfx::TextureFormat::A8R8G8B8, &result);
    ASSERT_TRUE(resources.cardSheets[0]);

    device->setRenderTarget(nullptr);
    device->clear(gfx::kClearTarget, 0xFF000000u, 1.0f, 0);
    gRedrawRequest[0] = 0;  // pictures only
    const unsigned char values[4] = {0, 0, 0, 0};
    drawDuelCard(resources, device.get(), 0, kCardModeBoard, 0, values, gfx::Vec2{100, 100});
    drawDuelCard(resources, device.get(), 0, kCardModeBoard, 1, values, gfx::Vec2{300, 100});
    std::vector<std::uint32_t> image;
    ASSERT_TRUE(device->readBackBuffer(image));
    ASSERT_EQ(image.size(), 640u * 480u);
    auto rgb = [&](int x, int y) { return image[static_cast<std::size_t>(y) * 640 + x] & 0xFFFFFFu; };

    EXPECT_EQ(rgb(110, 110), 0xFF0000u);  // upright: red at the top left
    EXPECT_EQ(rgb(180, 200), 0x0000FFu);
    EXPECT_EQ(rgb(380, 210), 0xFF0000u);  // turned: red at the bottom right
    EXPECT_EQ(rgb(310, 110), 0x0000FFu);
    EXPECT_EQ(rgb(295, 150), 0x000000u);  // and nothing outside its place
    EXPECT_EQ(rgb(395, 150), 0x000000u);
    resetTextLayers();
}

}  // namespace
