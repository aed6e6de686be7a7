// The drawing functions through the real OpenGL device, headless: pixels
// read back and compared with what the pictures and the blending must give,
// within a small tolerance. They catch orientation, colour-key,
// power-of-two and alpha mistakes that the recording device cannot see.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "platform/Gfx.h"
#include "tests/bmpFile.h"
#include "tests/hiddenGlDevice.h"

namespace {

using Pixel = std::uint32_t;
using Painter = std::function<Pixel(int x, int y)>;  // 0xRRGGBB

// A 24-bit BMP of the painter's colours in the test's temporary folder.
std::string writeBmp(const std::string& name, int w, int h, const Painter& paint) {
    const std::string path = testing::TempDir() + name;
    bmptest::writeFile(path, bmptest::bmp24(w, h, paint));
    return path;
}

struct GlPictures : ::testing::Test {
    static void SetUpTestSuite() { windowOpen = gltest::openHiddenGlDevice(&device); }
    // The window stays open for the rest of the run: closing it makes the
    // GL driver's own allocations show up as leaks.
    static void TearDownTestSuite() {
        delete device;
        device = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(windowOpen) << "no hidden window (SDL_VIDEODRIVER=offscreen)";
        ASSERT_NE(device, nullptr) << "no OpenGL device";
        resetTextLayers();
        resources.sprite = device->createSprite();
        ASSERT_TRUE(resources.sprite);
        device->setRenderTarget(nullptr);
        device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    }
    void TearDown() override {
        // A failed picture is kept for a look: a PPM beside the fixtures.
        if ((HasFailure() || std::getenv("CORVADINE_KEEP_PICTURES") != nullptr) && !lastImage.empty()) {
            const std::string path = testing::TempDir() +
                                     ::testing::UnitTest::GetInstance()->current_test_info()->name() + ".ppm";
            if (std::FILE* f = std::fopen(path.c_str(), "wb")) {
                std::fprintf(f, "P6 640 480 255\n");
                for (Pixel p : lastImage) {
                    const unsigned char rgb[3] = {static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                                                  static_cast<unsigned char>(p)};
                    std::fwrite(rgb, 1, 3, f);
                }
                std::fclose(f);
                std::printf("picture kept in %s\n", path.c_str());
            }
        }
        endTextFont();
        resetTextLayers();
        if (device != nullptr) device->setRenderTarget(nullptr);
    }

    std::unique_ptr<gfx::Texture> load(const std::string& name, int w, int h, bool keyed, const Painter& paint) {
        int result = 0;
        auto texture = device->createTextureFromFile(writeBmp(name, w, h, paint), keyed, gfx::TextureFormat::A8R8G8B8,
                                                     &result);
        EXPECT_TRUE(texture) << name << " " << result;
        return texture;
    }

    std::vector<Pixel> readBack() {
        std::vector<Pixel> argb;
        EXPECT_TRUE(device->readBackBuffer(argb));
        argb.resize(640 * 480);
        lastImage = argb;
        return argb;
    }

    static gfx::Device* device;
    static bool windowOpen;
    GraphicsResources resources;
    std::vector<Pixel> lastImage;
};

gfx::Device* GlPictures::device = nullptr;
bool GlPictures::windowOpen = false;

int channel(Pixel p, int shift) { return static_cast<int>(p >> shift & 0xFF); }

::testing::AssertionResult near(const std::vector<Pixel>& image, int x, int y, Pixel rgb, int tolerance = 3) {
    const Pixel got = image[static_cast<std::size_t>(y) * 640 + x];
    for (int shift : {16, 8, 0}) {
        if (std::abs(channel(got, shift) - channel(rgb, shift)) > tolerance) {
            char text[96];
            std::snprintf(text, sizeof text, "(%d, %d) is %06X, expected %06X", x, y, got & 0xFFFFFFu, rgb);
            return ::testing::AssertionFailure() << text;
        }
    }
    return ::testing::AssertionSuccess();
}

TEST_F(GlPictures, WindowFrameBlendsItsBorderOverItsBackground) {
    // Background: blue with a white top row, so a flipped picture shows.
    resources.windowBackground = load("glFrameBg.bmp", 64, 64, false, [](int, int y) { return y < 4 ? 0xFFFFFFu : 0x0000FFu; });
    // Border: red in a 16-pixel ring, pure black (transparent) inside.
    resources.windowBorder = load("glFrameBorder.bmp", 64, 64, true, [](int x, int y) {
        const bool ring = x < 16 || x >= 48 || y < 16 || y >= 48;
        return ring ? 0xFF0000u : 0x000000u;
    });
    drawWindowFrame(resources, device, 100, 50, 256, 128);
    const std::vector<Pixel> image = readBack();

    const Pixel background = 0x0000B2;   // blue at 70 % over black
    const Pixel border = 0xCC0024;       // red at 80 % over that
    EXPECT_TRUE(near(image, 228, 114, background));   // inside
    EXPECT_TRUE(near(image, 228, 62, border));        // top edge, stretched
    EXPECT_TRUE(near(image, 228, 170, border));       // bottom edge
    EXPECT_TRUE(near(image, 104, 114, border));       // left edge
    EXPECT_TRUE(near(image, 350, 114, border));       // right edge
    EXPECT_TRUE(near(image, 102, 52, 0xF02424));      // corner over the white top rows (4 rows scaled by 2)
    EXPECT_TRUE(near(image, 99, 49, 0x000000));       // outside
    EXPECT_TRUE(near(image, 356, 178, 0x000000));
}

TEST_F(GlPictures, MenuCursorShowsTheBarsTopRowsAndTheHandsKey) {
    // The bar: white top 20 rows, dark red below (never shown).
    resources.cursorBar = load("glBar.bmp", 64, 64, false, [](int, int y) { return y < 20 ? 0xFFFFFFu : 0x800000u; });
    // The hand, 14 x 12: yellow on its left half, then pure black (keyed
    // out), then near-black (kept opaque).
    resources.pointerHand = load("glHand.bmp", 14, 12, true, [](int x, int) {
        return x < 7 ? 0xFFFF00u : x < 11 ? 0x000000u : 0x010101u;
    });
    drawMenuCursor(resources, device, 300, 200, 128);
    const std::vector<Pixel> image = readBack();

    EXPECT_TRUE(near(image, 400, 205, 0x999999));  // white at 60 %
    EXPECT_TRUE(near(image, 420, 218, 0x999999));  // the bar's last row
    EXPECT_TRUE(near(image, 400, 221, 0x000000));  // nothing below 20 rows
    EXPECT_TRUE(near(image, 292, 208, 0xFFFF00));  // the hand's yellow half (stretched to 16 x 16)
    EXPECT_TRUE(near(image, 300, 208, 0x999999));  // its keyed part shows the bar
    EXPECT_TRUE(near(image, 304, 208, 0x010101, 1));  // its near-black part hides it
    EXPECT_TRUE(near(image, 288, 208, 0x000000));
}

TEST_F(GlPictures, ArrowClipKeepsTheVisiblePartInPlace) {
    // Four cells told apart by colour; the up arrow (0, 0) has a green left half.
    resources.arrowSheet = load("glArrows.bmp", 128, 128, true, [](int x, int y) {
        if (x < 64 && y < 64) return x < 32 ? 0x00FF00u : 0x0000FFu;
        return 0xFF0000u;
    });
    drawArrow(resources, device, kArrowUp, 200, 100, 40.0f);   // hides 40 columns
    drawArrow(resources, device, kArrowUp, 400, 100, -20.0f);  // shows 20 columns
    const std::vector<Pixel> image = readBack();
    EXPECT_TRUE(near(image, 238, 130, 0x000000));
    EXPECT_TRUE(near(image, 245, 130, 0x0000CC));  // blue at 80 %, in its own place
    EXPECT_TRUE(near(image, 262, 130, 0x0000CC));
    EXPECT_TRUE(near(image, 265, 130, 0x000000));
    EXPECT_TRUE(near(image, 410, 130, 0x00CC00));
    EXPECT_TRUE(near(image, 423, 130, 0x000000));
}

// Every pixel of the image whose colour is within `tolerance` of rgb.
int countNear(const std::vector<Pixel>& image, Pixel rgb, int tolerance, int x0, int y0, int x1, int y1) {
    int count = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            if (near(image, x, y, rgb, tolerance)) ++count;
    return count;
}

TEST_F(GlPictures, JapaneseTextOnALayerCastsItsShadow) {
    int result = 0;
    resources.layer2Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8, &result);
    resources.layer1Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8, &result);
    ASSERT_TRUE(resources.layer2Target && resources.layer1Target);
    ASSERT_EQ(beginTextFont(device, kShopFontHeight, kShopFontFace), 0);
    clearRequestedTextLayers(resources, device);
    ASSERT_EQ(drawText(resources, device, gfx::Rect{40, 40, 600, 80}, "ようこそ、冒険者の店へ。", 100), 0);
    endTextFont();
    drawTextLayers(resources, device);
    const std::vector<Pixel> image = readBack();

    // Glyph cores are white; the shadow, 0x33 at 80 % over black, lies below
    // and right of them; nothing is drawn above the rectangle or far below.
    const int white = countNear(image, 0xFFFFFF, 8, 40, 40, 600, 62);
    const int shadow = countNear(image, 0x292929, 8, 40, 40, 600, 62);
    EXPECT_GT(white, 150);
    EXPECT_GT(shadow, 50);
    EXPECT_EQ(countNear(image, 0x000000, 8, 0, 0, 640, 39), 640 * 39);
    EXPECT_EQ(countNear(image, 0x000000, 8, 0, 70, 640, 480), 640 * 410);
    // Every white pixel's lower-right neighbour is white or shadow.
    int unshadowed = 0;
    for (int y = 40; y < 62; ++y)
        for (int x = 40; x < 600; ++x)
            if (near(image, x, y, 0xFFFFFF, 8) && channel(image[(y + 1) * 640 + x + 1], 16) < 0x20) ++unshadowed;
    EXPECT_EQ(unshadowed, 0);
}

TEST_F(GlPictures, LayerOneIsCompositedOverLayerTwo) {
    int result = 0;
    resources.layer2Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8, &result);
    resources.layer1Target = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8, &result);
    ASSERT_TRUE(resources.layer2Target && resources.layer1Target);
    ASSERT_EQ(beginTextFont(device, 40, kMenuFontFace), 0);
    clearRequestedTextLayers(resources, device);
    // Two full blocks: white on layer 2, yellow on layer 1 shifted 10 pixels.
    drawText(resources, device, gfx::Rect{100, 100, 300, 160}, "■", 100);
    drawText(resources, device, gfx::Rect{110, 100, 310, 160}, "■", 50);
    endTextFont();
    drawTextLayers(resources, device);
    const std::vector<Pixel> image = readBack();

    // Find the yellow block; left of it the white block shows, and the
    // yellow is unmixed where the blocks overlap.
    int yellowLeft = 640, yellowTop = 480, yellowRight = -1;
    for (int y = 95; y < 165; ++y)
        for (int x = 95; x < 360; ++x)
            if (near(image, x, y, 0xFFFF00, 8)) {
                yellowLeft = std::min(yellowLeft, x);
                yellowTop = std::min(yellowTop, y);
                yellowRight = std::max(yellowRight, x);
            }
    ASSERT_LT(yellowLeft, yellowRight) << "no yellow block";
    EXPECT_GT(yellowRight - yellowLeft, 15);
    EXPECT_TRUE(near(image, yellowLeft - 5, yellowTop + 10, 0xFFFFFF, 8));
    // The layers went back to being only textures: the frame's target is the back buffer.
    EXPECT_EQ(device->renderTarget(), nullptr);
}

}  // namespace
