// Low-spec mode on the OpenGL device, read back from what the device made:
// 16-bit render targets and, in full screen only, a 16-bit back buffer.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "platform/Gfx.h"
#include "platform/Window.h"

namespace {

using gfx::Colour;

// A 0-255 channel stored in `bits` bits and read back as 0-255.
int stored(int value, int bits) {
    const int top = (1 << bits) - 1;
    const int kept = static_cast<int>(std::lround(value * top / 255.0));
    return static_cast<int>(std::lround(kept * 255.0 / top));
}

// The colour as a target of these channel widths holds it; 0 bits of alpha read as opaque.
Colour storedColour(Colour c, int alphaBits, int redBits, int greenBits, int blueBits) {
    const int a = alphaBits == 0 ? 255 : stored(static_cast<int>(c >> 24), alphaBits);
    const int r = stored(static_cast<int>((c >> 16) & 0xFF), redBits);
    const int g = stored(static_cast<int>((c >> 8) & 0xFF), greenBits);
    const int b = stored(static_cast<int>(c & 0xFF), blueBits);
    return static_cast<Colour>(a) << 24 | static_cast<Colour>(r) << 16 | static_cast<Colour>(g) << 8 |
           static_cast<Colour>(b);
}

bool near(Colour a, Colour b) {
    for (int s = 0; s < 32; s += 8)
        if (std::abs(static_cast<int>((a >> s) & 0xFF) - static_cast<int>((b >> s) & 0xFF)) > 1) return false;
    return true;
}

std::string hex(Colour c) {
    char b[16];
    std::snprintf(b, sizeof b, "%08X", c);
    return b;
}

// Channels that every 4-, 5- and 6-bit store moves by 2 or more: alpha 72,
// red 45, green 42, blue 127.
constexpr Colour kProbe = 0x482D2A7Fu;

class GfxGlLowSpec : public testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        window::WindowOptions o;
        o.titleCp932 = "gfx low-spec test";
        o.hidden = true;
        window::openWindow(o);
    }

    std::unique_ptr<gfx::Device> make(bool lowSpec, bool fullScreen) {
        gfx::DeviceOptions options;
        options.paced = false;
        options.lowSpec = lowSpec;
        options.fullScreen = fullScreen;
        int r = 1;
        std::unique_ptr<gfx::Device> device = gfx::createGlDevice(options, &r);
        EXPECT_EQ(r, gfx::kOk);
        return device;
    }

    // The back buffer cleared to the probe, read back at one pixel.
    static Colour clearedBackBuffer(gfx::Device& device) {
        device.clear(gfx::kClearTarget, kProbe | 0xFF000000u, 1.0f, 0);
        std::vector<Colour> pixels;
        if (!device.readBackBuffer(pixels) || pixels.size() != 640u * 480u) return 0;
        return pixels[240 * 640 + 320];
    }
};

TEST_F(GfxGlLowSpec, RenderTargetsHoldTheFormatAskedFor) {
    ASSERT_TRUE(window::isWindowOpen()) << "no GL window under this video driver";
    const std::unique_ptr<gfx::Device> device = make(true, false);
    ASSERT_NE(device, nullptr);
    struct Case {
        gfx::TextureFormat format;
        int alphaBits, redBits, greenBits, blueBits;
    };
    const Case cases[] = {
        {gfx::TextureFormat::A8R8G8B8, 8, 8, 8, 8},
        {gfx::TextureFormat::A4R4G4B4, 4, 4, 4, 4},
        {gfx::TextureFormat::R5G6B5, 0, 5, 6, 5},
    };
    for (const Case& c : cases) {
        int r = 1;
        std::unique_ptr<gfx::Texture> target = device->createRenderTarget(64, 32, c.format, &r);
        ASSERT_NE(target, nullptr);
        ASSERT_EQ(r, gfx::kOk);
        device->setRenderTarget(target.get());
        device->clear(gfx::kClearTarget, kProbe, 1.0f, 0);
        device->setRenderTarget(nullptr);
        std::vector<Colour> pixels;
        ASSERT_TRUE(device->readRenderTarget(target.get(), pixels));
        ASSERT_EQ(pixels.size(), 64u * 32u);
        const Colour want = storedColour(kProbe, c.alphaBits, c.redBits, c.greenBits, c.blueBits);
        EXPECT_TRUE(near(pixels[16 * 64 + 32], want))
            << "format " << static_cast<int>(c.format) << ": " << hex(pixels[16 * 64 + 32]) << " not " << hex(want);
    }
}

TEST_F(GfxGlLowSpec, OnlyLowSpecFullScreenHasASixteenBitBackBuffer) {
    ASSERT_TRUE(window::isWindowOpen()) << "no GL window under this video driver";
    const Colour full = kProbe | 0xFF000000u;
    struct Case {
        bool lowSpec, fullScreen;
        Colour want;
    };
    const Case cases[] = {
        {false, false, full},
        {false, true, full},
        {true, false, full},  // a window keeps the desktop's format
        {true, true, storedColour(full, 0, 5, 6, 5)},
    };
    for (const Case& c : cases) {
        const std::unique_ptr<gfx::Device> device = make(c.lowSpec, c.fullScreen);
        ASSERT_NE(device, nullptr);
        const Colour got = clearedBackBuffer(*device);
        EXPECT_TRUE(near(got, c.want)) << "low-spec " << c.lowSpec << ", full screen " << c.fullScreen << ": "
                                       << hex(got) << " not " << hex(c.want);
    }
}

}  // namespace
