// The OpenGL device drawn headless (SDL's offscreen driver) and read back.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "platform/Gfx.h"
#include "platform/Window.h"
#include "tests/bmpFile.h"

namespace {

using gfx::Colour;

int channel(Colour c, int shift) { return static_cast<int>((c >> shift) & 0xFF); }

// Colours equal within a tolerance per channel.
bool near(Colour a, Colour b, int tolerance = 2) {
    for (int s = 0; s < 32; s += 8)
        if (std::abs(channel(a, s) - channel(b, s)) > tolerance) return false;
    return true;
}

std::string hex(Colour c) {
    char b[16];
    std::snprintf(b, sizeof b, "%08X", c);
    return b;
}

class GfxGl : public testing::Test {
protected:
    static void SetUpTestSuite() {
        setenv("SDL_VIDEODRIVER", "offscreen", 0);
        window::WindowOptions o;
        o.titleCp932 = "gfx test";
        o.hidden = true;
        window::openWindow(o);
    }

    void SetUp() override {
        ASSERT_TRUE(window::isWindowOpen()) << "no GL window under this video driver";
        int r = 1;
        gfx::DeviceOptions options;
        options.paced = false;
        device = gfx::createGlDevice(options, &r);
        ASSERT_NE(device, nullptr);
        ASSERT_EQ(r, gfx::kOk);
        device->setRenderState(gfx::kRsLighting, 0);
        device->setRenderState(gfx::kRsCullMode, gfx::kCullNone);
    }

    void read() { ASSERT_TRUE(device->readBackBuffer(pixels)); }
    // Draws a texture unscaled with its top-left at (x, y).
    void sprite(gfx::Texture* t, float x, float y) {
        auto s = device->createSprite();
        const gfx::Vec2 at{x, y};
        s->begin();
        s->draw(t, nullptr, nullptr, nullptr, 0, &at, 0xFFFFFFFFu);
        s->end();
    }
    Colour at(int x, int y) const { return pixels[static_cast<std::size_t>(y) * 640 + x]; }

    std::unique_ptr<gfx::Texture> texture(const std::vector<Colour>& argb, int w, int h) {
        return device->createTextureFromPixels(argb.data(), w, h, gfx::TextureFormat::A8R8G8B8);
    }

    // A quad in clip space with identity matrices (x, y in -1..1, y up).
    void clipQuad(float x0, float y0, float x1, float y1, float z, Colour c) {
        const gfx::Vertex v[4] = {{x0, y1, z, c, 0, 0}, {x1, y1, z, c, 1, 0}, {x0, y0, z, c, 0, 1}, {x1, y0, z, c, 1, 1}};
        ASSERT_EQ(device->drawPrimitiveUp(gfx::Primitive::TriangleStrip, 2, v), gfx::kOk);
    }

    std::unique_ptr<gfx::Device> device;
    std::vector<Colour> pixels;
};

TEST_F(GfxGl, ClearFillsOnlyTheViewport) {
    device->clear(gfx::kClearTarget, 0xFF102030u, 1.0f, 0);
    device->setViewport(gfx::Viewport{100, 50, 20, 10, 0, 1});
    device->clear(gfx::kClearTarget, 0xFFFF0000u, 1.0f, 0);
    read();
    EXPECT_EQ(at(0, 0), 0xFF102030u);
    EXPECT_EQ(at(639, 479), 0xFF102030u);
    EXPECT_EQ(at(100, 50), 0xFFFF0000u);
    EXPECT_EQ(at(119, 59), 0xFFFF0000u);
    EXPECT_EQ(at(120, 59), 0xFF102030u);
    EXPECT_EQ(at(119, 60), 0xFF102030u);
    EXPECT_EQ(device->present(), gfx::kOk);
}

TEST_F(GfxGl, SpritesArePlacedScaledTurnedAndTinted) {
    // 2 x 2 texels: red green / blue white.
    auto t = texture({0xFFFF0000u, 0xFF00FF00u, 0xFF0000FFu, 0xFFFFFFFFu}, 2, 2);
    ASSERT_NE(t, nullptr);
    auto sprite = device->createSprite();
    device->clear(gfx::kClearTarget, 0xFF000000u, 1.0f, 0);
    sprite->begin();
    const gfx::Vec2 at1{100, 50};
    sprite->draw(t.get(), nullptr, nullptr, nullptr, 0, &at1, 0xFFFFFFFFu);
    const gfx::Vec2 scale{10, 10}, at2{200, 100};
    sprite->draw(t.get(), nullptr, &scale, nullptr, 0, &at2, 0xFFFFFFFFu);
    // A quarter turn clockwise about the top-left: the picture hangs to the left.
    const gfx::Vec2 at3{300, 100};
    sprite->draw(t.get(), nullptr, &scale, nullptr, static_cast<float>(M_PI / 2), &at3, 0xFFFFFFFFu);
    // Half-bright tint, and a source rectangle of the white texel.
    const gfx::Rect white{1, 1, 2, 2};
    const gfx::Vec2 at4{400, 100};
    sprite->draw(t.get(), &white, &scale, nullptr, 0, &at4, 0xFF808080u);
    sprite->end();
    read();
    EXPECT_EQ(at(100, 50), 0xFFFF0000u);
    EXPECT_EQ(at(101, 50), 0xFF00FF00u);
    EXPECT_EQ(at(100, 51), 0xFF0000FFu);
    EXPECT_EQ(at(102, 50), 0xFF000000u);
    EXPECT_EQ(at(99, 50), 0xFF000000u);
    // Scaled: 20 x 20, red at the top-left corner, white at the bottom-right.
    // (Magnified texels blend at their borders: corners are near, not exact.)
    EXPECT_TRUE(near(at(200, 100), 0xFFFF0000u, 16)) << hex(at(200, 100));
    EXPECT_TRUE(near(at(219, 119), 0xFFFFFFFFu, 16)) << hex(at(219, 119));
    EXPECT_EQ(at(220, 119), 0xFF000000u);
    // Turned: red stays at the pivot, green (top-right) goes below it, blue (bottom-left) to its left.
    EXPECT_TRUE(near(at(299, 100), 0xFFFF0000u, 40)) << hex(at(299, 100));
    EXPECT_TRUE(near(at(299, 119), 0xFF00FF00u, 40)) << hex(at(299, 119));
    EXPECT_TRUE(near(at(281, 100), 0xFF0000FFu, 40)) << hex(at(281, 100));
    EXPECT_EQ(at(300, 110), 0xFF000000u);
    EXPECT_TRUE(near(at(405, 105), 0xFF808080u)) << hex(at(405, 105));
}

// Writes a 24-bit BMP of w x h RGB colours (row 0 on top) to `path`; the
// file is cut to `keep` bytes when that is smaller.
void writeBmp24(const std::string& path, int w, int h, const std::vector<std::uint32_t>& rgb,
                std::size_t keep = std::string::npos) {
    const auto paint = [&](int x, int y) { return rgb[static_cast<std::size_t>(y) * w + x]; };
    ASSERT_TRUE(bmptest::writeFile(path, bmptest::bmp24(w, h, paint), keep)) << path;
}

TEST_F(GfxGl, ColourKeyedBitmapsArePowerOfTwoWithPureBlackTransparent) {
    // A 3 x 2 24-bit BMP: (0,0,0) keyed, (1,0,0) near-black, white, ...
    const std::string path = testing::TempDir() + "gfxGlKeyed.bmp";
    writeBmp24(path, 3, 2, {0x000000, 0x010000, 0x000000, 0xFFFFFF, 0xFFFFFF, 0xFFFFFF});

    int r = 1;
    auto t = device->createTextureFromFile(path, true, gfx::TextureFormat::A8R8G8B8, &r);
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t->width(), 4);
    EXPECT_EQ(t->height(), 2);
    EXPECT_EQ(t->imageWidth(), 3);
    auto plain = device->createTextureFromFile(path, false, gfx::TextureFormat::A8R8G8B8, &r);
    ASSERT_NE(plain, nullptr);

    device->clear(gfx::kClearTarget, 0xFF0000FFu, 1.0f, 0);
    auto sprite = device->createSprite();
    sprite->begin();
    const gfx::Vec2 keyedAt{0, 0}, plainAt{0, 10};
    sprite->draw(t.get(), nullptr, nullptr, nullptr, 0, &keyedAt, 0xFFFFFFFFu);
    sprite->draw(plain.get(), nullptr, nullptr, nullptr, 0, &plainAt, 0xFFFFFFFFu);
    sprite->end();
    read();
    EXPECT_EQ(at(0, 0), 0xFF0000FFu) << "pure black is transparent: " << hex(at(0, 0));
    EXPECT_EQ(at(0, 10), 0xFF000000u) << "without the key black is black";
    // The near-black texel stretched with its transparent neighbours keeps
    // some opacity; its colour is dark, not the blue behind.
    EXPECT_LT(channel(at(1, 0), 0), 0xFF);
    EXPECT_EQ(at(0, 1), 0xFFFFFFFFu);
    EXPECT_EQ(device->createTextureFromFile(path + ".missing", true, gfx::TextureFormat::A8R8G8B8, &r), nullptr);
    EXPECT_LT(r, 0);
    std::remove(path.c_str());
}

TEST_F(GfxGl, PicturesAreReadAtTheirFirstDrawAndAFileGoneBadDrawsNothing) {
    const std::string path = testing::TempDir() + "gfxGlDeferred.bmp";
    const std::vector<std::uint32_t> red(4, 0xFF0000), green(4, 0x00FF00);
    int r = 1;
    // A file cut short fails at creation, as it always has.
    writeBmp24(path, 2, 2, red, 54 + 8);
    EXPECT_EQ(device->createTextureFromFile(path, false, gfx::TextureFormat::A8R8G8B8, &r), nullptr);
    EXPECT_LT(r, 0);

    writeBmp24(path, 2, 2, red);
    auto early = device->createTextureFromFile(path, false, gfx::TextureFormat::A8R8G8B8, &r);
    auto gone = device->createTextureFromFile(path, false, gfx::TextureFormat::A8R8G8B8, &r);
    ASSERT_NE(early, nullptr);
    ASSERT_NE(gone, nullptr);
    EXPECT_EQ(early->width(), 2);
    sprite(early.get(), 0, 0);  // read now: red
    writeBmp24(path, 2, 2, green);
    auto late = device->createTextureFromFile(path, false, gfx::TextureFormat::A8R8G8B8, &r);
    std::remove(path.c_str());
    auto missing = device->createTextureFromFile(path, false, gfx::TextureFormat::A8R8G8B8, &r);
    EXPECT_EQ(missing, nullptr);

    device->clear(gfx::kClearTarget, 0xFF0000FFu, 1.0f, 0);
    sprite(early.get(), 0, 0);
    sprite(late.get(), 10, 0);  // made while the file was green, read now that it is gone
    sprite(gone.get(), 20, 0);  // made while it was red, never drawn before it went
    device->setTexture(gone.get());
    read();
    EXPECT_EQ(at(0, 0), 0xFFFF0000u) << hex(at(0, 0));
    EXPECT_EQ(at(10, 0), 0xFF0000FFu) << "the file was gone at the first draw: " << hex(at(10, 0));
    EXPECT_EQ(at(20, 0), 0xFF0000FFu) << hex(at(20, 0));
    device->setTexture(nullptr);
}

TEST_F(GfxGl, PicturesReadAheadDrawAsThoseReadAtTheirFirstDraw) {
    const std::string path = testing::TempDir() + "gfxGlPrefetch.bmp";
    // 3 x 3 with pure black: keyed, then stretched to 4 x 4.
    writeBmp24(path, 3, 3, {0xFF0000, 0x000000, 0x00FF00, 0x0000FF, 0xFFFFFF, 0x000000, 0x808080, 0x102030, 0xFF00FF});
    int r = 1;
    const auto make = [&] { return device->createTextureFromFile(path, true, gfx::TextureFormat::A8R8G8B8, &r); };
    auto atFirstDraw = make(), ahead = make(), atPresent = make(), dropped = make();
    ASSERT_NE(dropped, nullptr);
    device->prefetch(ahead.get());
    device->prefetch(ahead.get());  // a second hint changes nothing
    device->prefetch(atPresent.get());
    device->prefetch(dropped.get());
    device->prefetch(nullptr);
    dropped.reset();  // released while its read may still run
    device->present();
    device->present();  // a present uploads a picture whose read is done

    device->clear(gfx::kClearTarget, 0xFF0000FFu, 1.0f, 0);
    sprite(atFirstDraw.get(), 0, 0);
    sprite(ahead.get(), 10, 0);
    sprite(atPresent.get(), 20, 0);
    read();
    std::remove(path.c_str());
    EXPECT_EQ(at(0, 0), 0xFFFF0000u) << hex(at(0, 0));
    for (int y = 0; y < 4; ++y) {
        for (int x = 0; x < 4; ++x) {
            EXPECT_EQ(at(10 + x, y), at(x, y)) << "read ahead, at " << x << "," << y;
            EXPECT_EQ(at(20 + x, y), at(x, y)) << "uploaded at a present, at " << x << "," << y;
        }
    }
}

// A layer is composited only where something was drawn into it: what the
// device keeps of that must grow with every way a layer is drawn on.
TEST_F(GfxGl, ALayerCompositesEverythingDrawnOrClearedIntoIt) {
    auto layer = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    ASSERT_NE(layer, nullptr);
    auto sprite = device->createSprite();
    const auto composite = [&] {
        device->setRenderTarget(nullptr);
        device->clear(gfx::kClearTarget, 0xFF0000FFu, 1.0f, 0);
        const gfx::Vec2 at{5.0f, 5.0f};
        sprite->begin();
        sprite->draw(layer.get(), nullptr, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        sprite->end();
        read();
    };
    device->setRenderState(gfx::kRsZEnable, 0);
    composite();
    EXPECT_EQ(at(300, 300), 0xFF0000FFu) << "a new layer is transparent";

    device->setRenderTarget(layer.get());
    const gfx::ScreenVertex square[6] = {
        {100, 100, 0.5f, 1, 0xFF00FF00u, 0, 0}, {110, 100, 0.5f, 1, 0xFF00FF00u, 0, 0},
        {100, 110, 0.5f, 1, 0xFF00FF00u, 0, 0}, {100, 110, 0.5f, 1, 0xFF00FF00u, 0, 0},
        {110, 100, 0.5f, 1, 0xFF00FF00u, 0, 0}, {110, 110, 0.5f, 1, 0xFF00FF00u, 0, 0}};
    device->drawScreenPrimitiveUp(gfx::Primitive::TriangleList, 2, square);
    composite();
    EXPECT_EQ(at(105, 105), 0xFF00FF00u) << hex(at(105, 105));
    EXPECT_EQ(at(114, 114), 0xFF00FF00u) << hex(at(114, 114));
    EXPECT_EQ(at(116, 116), 0xFF0000FFu) << hex(at(116, 116));

    // A clear of part of the layer to a colour shows there; then one far
    // away, drawn after the first composite, shows too.
    device->setRenderTarget(layer.get());
    device->setViewport(gfx::Viewport{400, 300, 20, 10, 0.0f, 1.0f});
    device->clear(gfx::kClearTarget, 0xFFFF0000u, 1.0f, 0);
    composite();
    EXPECT_EQ(at(405, 305), 0xFFFF0000u) << hex(at(405, 305));
    EXPECT_EQ(at(424, 314), 0xFFFF0000u) << hex(at(424, 314));
    EXPECT_EQ(at(105, 105), 0xFF00FF00u) << "the square stays";

    // A whole clear to transparent empties it; to a colour fills it.
    device->setRenderTarget(layer.get());
    device->clear(gfx::kClearTarget, 0x00000000u, 1.0f, 0);
    composite();
    EXPECT_EQ(at(105, 105), 0xFF0000FFu) << hex(at(105, 105));
    device->setRenderTarget(layer.get());
    device->clear(gfx::kClearTarget, 0xFFFFFF00u, 1.0f, 0);
    composite();
    EXPECT_EQ(at(600, 20), 0xFFFFFF00u) << hex(at(600, 20));
    EXPECT_EQ(at(2, 2), 0xFF0000FFu) << "the layer starts at (5, 5)";
    device->setRenderTarget(nullptr);
}

TEST_F(GfxGl, StatesCompiledAheadDrawNothingAndLeaveTheTargetAndViewportAsSet) {
    // The device compiles ahead between presents, with a layer and a part
    // of it still selected: what is drawn before and after lands where it
    // would have, and the stand-ins' triangles nowhere.
    auto layer = device->createRenderTarget(640, 480, gfx::TextureFormat::A8R8G8B8);
    auto small = device->createRenderTarget(64, 64, gfx::TextureFormat::A4R4G4B4);
    ASSERT_NE(layer, nullptr);
    ASSERT_NE(small, nullptr);
    device->setRenderState(gfx::kRsZEnable, 0);
    const auto square = [&](float x, float y, float side, Colour c) {
        const gfx::ScreenVertex v[4] = {{x, y, 0.5f, 1, c, 0, 0}, {x + side, y, 0.5f, 1, c, 0, 0},
                                        {x, y + side, 0.5f, 1, c, 0, 0}, {x + side, y + side, 0.5f, 1, c, 0, 0}};
        ASSERT_EQ(device->drawScreenPrimitiveUp(gfx::Primitive::TriangleStrip, 2, v), gfx::kOk);
    };
    ASSERT_EQ(device->setRenderTarget(layer.get()), gfx::kOk);
    square(100, 100, 10, 0xFF00FF00u);
    ASSERT_EQ(device->setViewport(gfx::Viewport{200, 200, 100, 100, 0.0f, 1.0f}), gfx::kOk);
    device->prepareDrawStates();
    device->prepareDrawStates();  // a second fade finds them queued
    device->prepareFont(gfx::FontDesc{22, 0, 700, false, "ＭＳ Ｐゴシック"});
    // A red dot after each present, in a row inside the viewport.
    constexpr int kFrames = 20;
    for (int frame = 0; frame < kFrames; ++frame) {
        ASSERT_EQ(device->present(), gfx::kOk);
        EXPECT_EQ(device->renderTarget(), layer.get());
        EXPECT_EQ(device->viewport().x, 200);
        EXPECT_EQ(device->viewport().width, 100);
        square(200.0f + 4.0f * frame, 250.0f, 2.0f, 0xFFFF0000u);
    }
    ASSERT_EQ(device->setRenderTarget(nullptr), gfx::kOk);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF0000FFu, 1.0f, 0);
    sprite(layer.get(), 0, 0);
    read();
    EXPECT_EQ(at(105, 105), 0xFF00FF00u) << hex(at(105, 105));
    int others = 0;
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) {
            const bool inSquare = x >= 100 && x < 110 && y >= 100 && y < 110;
            const bool inDot = y >= 250 && y < 252 && x >= 200 && x < 200 + 4 * kFrames && (x - 200) % 4 < 2;
            if (inDot) EXPECT_EQ(at(x, y), 0xFFFF0000u) << "the dot drawn after present " << (x - 200) / 4;
            else if (!inSquare && at(x, y) != 0xFF0000FFu) ++others;
        }
    EXPECT_EQ(others, 0) << "pixels drawn outside the square and the dots";
}

TEST_F(GfxGl, RenderTargetDrawnThenCompositedOntoTheBackBuffer) {
    auto target = device->createRenderTarget(64, 32, gfx::TextureFormat::A8R8G8B8);
    ASSERT_NE(target, nullptr);
    device->setViewport(gfx::Viewport{10, 10, 50, 50, 0, 1});
    ASSERT_EQ(device->setRenderTarget(target.get()), gfx::kOk);
    EXPECT_EQ(device->viewport().width, 64);  // reset by the switch
    EXPECT_EQ(device->viewport().height, 32);
    EXPECT_EQ(device->viewport().x, 0);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF00FF00u, 1.0f, 0);
    // A red square in the target's top-left quarter (clip y up: the top half).
    clipQuad(-1, 0, 0, 1, 0.5f, 0xFFFF0000u);
    ASSERT_EQ(device->setRenderTarget(nullptr), gfx::kOk);
    EXPECT_EQ(device->viewport().width, 640);
    device->clear(gfx::kClearTarget, 0xFF000000u, 1.0f, 0);
    auto sprite = device->createSprite();
    sprite->begin();
    const gfx::Vec2 pos{100, 200};
    sprite->draw(target.get(), nullptr, nullptr, nullptr, 0, &pos, 0xFFFFFFFFu);
    sprite->end();
    read();
    EXPECT_EQ(at(100, 200), 0xFFFF0000u) << "row 0 of a target is its top";
    EXPECT_EQ(at(131, 215), 0xFFFF0000u);
    EXPECT_EQ(at(132, 200), 0xFF00FF00u);
    EXPECT_EQ(at(100, 216), 0xFF00FF00u);
    EXPECT_EQ(at(163, 231), 0xFF00FF00u);
    EXPECT_EQ(at(164, 231), 0xFF000000u);
    std::vector<Colour> targetPixels;
    ASSERT_TRUE(device->readRenderTarget(target.get(), targetPixels));
    EXPECT_EQ(targetPixels[0], 0xFFFF0000u);
    EXPECT_EQ(targetPixels.back(), 0xFF00FF00u);
}

TEST_F(GfxGl, BlendingIntoATargetSquaresTheSourceAlpha) {
    // The layers' alpha: srcA * srcA + dstA * (1 - srcA).
    auto target = device->createRenderTarget(16, 16, gfx::TextureFormat::A8R8G8B8);
    auto white = texture({0xFFFFFFFFu}, 1, 1);
    device->setRenderTarget(target.get());
    device->clear(gfx::kClearTarget, 0x00000000u, 1.0f, 0);
    auto sprite = device->createSprite();
    sprite->begin();
    const gfx::Vec2 scale{16, 16};
    sprite->draw(white.get(), nullptr, &scale, nullptr, 0, nullptr, 0x80FFFFFFu);
    sprite->end();
    std::vector<Colour> p;
    ASSERT_TRUE(device->readRenderTarget(target.get(), p));
    EXPECT_NEAR(channel(p[8 * 16 + 8], 24), 0x80 * 0x80 / 255, 1);
    EXPECT_NEAR(channel(p[8 * 16 + 8], 16), 0x80, 1);
}

TEST_F(GfxGl, DepthTestIsLessOrEqualByDefault) {
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    clipQuad(-1, -1, 1, 1, 0.5f, 0xFFFF0000u);
    clipQuad(-1, -1, 0, 1, 0.5f, 0xFF0000FFu);  // equal depth: drawn
    clipQuad(-1, -1, 1, 0, 0.7f, 0xFF00FF00u);  // behind: hidden
    clipQuad(0, 0, 1, 1, 0.2f, 0xFFFFFFFFu);    // in front: drawn
    read();
    EXPECT_EQ(at(100, 100), 0xFF0000FFu);
    EXPECT_EQ(at(100, 400), 0xFF0000FFu);
    EXPECT_EQ(at(500, 400), 0xFFFF0000u);
    EXPECT_EQ(at(500, 100), 0xFFFFFFFFu);
}

TEST_F(GfxGl, AlphaTestDiscardsTexelsAtOrBelowTheReference) {
    // Alpha 127 on the left texel, 128 on the right; test "greater than 127".
    auto t = texture({0x7FFF0000u, 0x80FF0000u}, 2, 1);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF0000FFu, 1.0f, 0);
    device->setTexture(t.get());
    device->setRenderState(gfx::kRsAlphaTestEnable, 1);
    device->setRenderState(gfx::kRsAlphaRef, 127);
    device->setRenderState(gfx::kRsAlphaFunc, gfx::kCmpGreater);
    // Texel centres only: the left half samples texel 0, the right half texel 1.
    const gfx::Vertex v[4] = {{-1, 1, 0.5f, 0xFFFFFFFFu, 0.25f, 0.5f}, {0, 1, 0.5f, 0xFFFFFFFFu, 0.25f, 0.5f},
                              {-1, -1, 0.5f, 0xFFFFFFFFu, 0.25f, 0.5f}, {0, -1, 0.5f, 0xFFFFFFFFu, 0.25f, 0.5f}};
    device->drawPrimitiveUp(gfx::Primitive::TriangleStrip, 2, v);
    const gfx::Vertex w[4] = {{0, 1, 0.5f, 0xFFFFFFFFu, 0.75f, 0.5f}, {1, 1, 0.5f, 0xFFFFFFFFu, 0.75f, 0.5f},
                              {0, -1, 0.5f, 0xFFFFFFFFu, 0.75f, 0.5f}, {1, -1, 0.5f, 0xFFFFFFFFu, 0.75f, 0.5f}};
    device->drawPrimitiveUp(gfx::Primitive::TriangleStrip, 2, w);
    read();
    EXPECT_EQ(at(100, 240), 0xFF0000FFu) << "discarded";
    EXPECT_EQ(at(500, 240) & 0x00FFFFFFu, 0x00FF0000u) << "kept, no blending";
}

TEST_F(GfxGl, CullingRemovesCounterClockwiseTrianglesByDefault) {
    device->setRenderState(gfx::kRsCullMode, gfx::kCullCounterClockwise);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    // Clockwise on screen (top-left, top-right, bottom-left): kept.
    const gfx::ScreenVertex cw[3] = {{0, 0, 0.5f, 1, 0xFFFF0000u, 0, 0}, {100, 0, 0.5f, 1, 0xFFFF0000u, 0, 0},
                                     {0, 100, 0.5f, 1, 0xFFFF0000u, 0, 0}};
    device->drawScreenPrimitiveUp(gfx::Primitive::TriangleList, 1, cw);
    const gfx::ScreenVertex ccw[3] = {{200, 0, 0.5f, 1, 0xFF00FF00u, 0, 0}, {200, 100, 0.5f, 1, 0xFF00FF00u, 0, 0},
                                      {300, 0, 0.5f, 1, 0xFF00FF00u, 0, 0}};
    device->drawScreenPrimitiveUp(gfx::Primitive::TriangleList, 1, ccw);
    device->setRenderState(gfx::kRsCullMode, gfx::kCullClockwise);
    const gfx::ScreenVertex ccw2[3] = {{400, 0, 0.5f, 1, 0xFF0000FFu, 0, 0}, {400, 100, 0.5f, 1, 0xFF0000FFu, 0, 0},
                                       {500, 0, 0.5f, 1, 0xFF0000FFu, 0, 0}};
    device->drawScreenPrimitiveUp(gfx::Primitive::TriangleList, 1, ccw2);
    read();
    EXPECT_EQ(at(10, 10), 0xFFFF0000u);
    EXPECT_EQ(at(210, 10), 0xFF000000u);
    EXPECT_EQ(at(410, 10), 0xFF0000FFu);
}

TEST_F(GfxGl, DirectionalLightAndMaterialLightAMeshInWorldSpace) {
    // Two quads: one facing -z (toward a light travelling +z), one facing +z.
    const char* x = R"(xof 0303txt 0032
Mesh {
  8;
  -1;-1;0;, -1;0;0;, 0;0;0;, 0;-1;0;,
  0;0;0;, 0;1;0;, 1;1;0;, 1;0;0;;
  2;
  4;0,1,2,3;,
  4;4,5,6,7;;
  MeshNormals { 2; 0;0;-1;, 0;0;1;; 2; 4;0,0,0,0;, 4;1,1,1,1;; }
  MeshMaterialList { 1; 1; 0;; Material { 1;0.5;0.25;1;; 0; 0;0;0;; 0;0;0.2;; } }
}
)";
    const std::string path = testing::TempDir() + "gfxGlLit.x";
    std::FILE* f = std::fopen(path.c_str(), "wb");
    std::fputs(x, f);
    std::fclose(f);
    auto mesh = device->loadMesh(path);
    ASSERT_NE(mesh, nullptr);
    ASSERT_EQ(mesh->materialCount(), 1);
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    gfx::Light light{};
    light.type = gfx::LightType::Directional;
    light.diffuse = {1, 1, 1, 0};
    light.direction = {0, 0, 1};
    device->setLight(0, light);
    device->enableLight(0, true);
    device->setRenderState(gfx::kRsLighting, 1);
    device->setMaterial(mesh->material(0));
    // Off the near plane (the identity projection keeps z as depth).
    const gfx::Matrix away = gfx::matrixTranslation(0, 0, 0.5f);
    device->setTransform(gfx::TransformKind::World, away);
    mesh->drawSubset(0);
    read();
    // Facing the light: diffuse (1, 0.5, 0.25) plus emissive blue 0.2.
    EXPECT_TRUE(near(at(160, 360), 0xFFFF8073u)) << hex(at(160, 360));
    // Facing away: emissive only (ambient is 0 unless set).
    EXPECT_TRUE(near(at(480, 120), 0xFF000033u)) << hex(at(480, 120));
    // The light turned by the world matrix of the mesh: a half turn about y
    // makes the first quad face away.
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    device->setTransform(gfx::TransformKind::World, gfx::matrixMultiply(gfx::matrixRotationY(static_cast<float>(M_PI)), away));
    mesh->drawSubset(0);
    read();
    EXPECT_TRUE(near(at(480, 360), 0xFF000033u)) << hex(at(480, 360));
    std::remove(path.c_str());
}

TEST_F(GfxGl, ManyQuadsThroughOneBufferKeepTheirOwnTransformsAndOrder) {
    auto vb = device->createVertexBuffer(4);
    gfx::Vertex* v = vb->lock();
    const gfx::Vertex quad[4] = {{0, 0, 0, 0xFFFFFFFFu, 0, 0}, {1, 0, 0, 0xFFFFFFFFu, 1, 0},
                                 {0, -1, 0, 0xFFFFFFFFu, 0, 1}, {1, -1, 0, 0xFFFFFFFFu, 1, 1}};
    std::copy(quad, quad + 4, v);
    vb->unlock();
    auto red = texture({0xFFFF0000u}, 1, 1);
    auto green = texture({0xFF00FF00u}, 1, 1);
    // Pixels as units: the projection maps x 0..640, y 0..-480 onto the screen.
    device->setTransform(gfx::TransformKind::Projection,
                         gfx::matrixMultiply(gfx::matrixTranslation(-320, 240, 0), gfx::matrixScaling(1 / 320.0f, 1 / 240.0f, 1)));
    device->clear(gfx::kClearTarget | gfx::kClearDepth, 0xFF000000u, 1.0f, 0);
    device->setRenderState(gfx::kRsZEnable, 0);
    // A 100 x 60 grid of 6-pixel quads, alternating textures by row.
    for (int row = 0; row < 60; ++row) {
        device->setTexture(row % 2 ? green.get() : red.get());
        for (int col = 0; col < 100; ++col) {
            device->setTransform(gfx::TransformKind::World,
                                 gfx::matrixMultiply(gfx::matrixScaling(5, 5, 1), gfx::matrixTranslation(col * 6.0f, -row * 6.0f, 0)));
            ASSERT_EQ(device->drawPrimitive(gfx::Primitive::TriangleStrip, vb.get(), 0, 2), gfx::kOk);
        }
    }
    // Later draws cover earlier ones whatever the batching.
    device->setTexture(green.get());
    device->setTransform(gfx::TransformKind::World, gfx::matrixMultiply(gfx::matrixScaling(20, 20, 1), gfx::matrixTranslation(0, 0, 0)));
    device->drawPrimitive(gfx::Primitive::TriangleStrip, vb.get(), 0, 2);
    read();
    EXPECT_EQ(at(2, 2), 0xFF00FF00u);
    EXPECT_EQ(at(302, 2), 0xFFFF0000u);
    EXPECT_EQ(at(302, 8), 0xFF00FF00u);
    EXPECT_EQ(at(305, 2), 0xFF000000u);  // the gap between quads
    EXPECT_EQ(at(596, 356), 0xFF00FF00u);  // last row (59), last column
    EXPECT_EQ(at(2, 370), 0xFF000000u);
    EXPECT_EQ(device->drawPrimitive(gfx::Primitive::TriangleStrip, vb.get(), 1, 2), gfx::kInvalidCall);
}

// Text: inside its rectangle, aligned, coloured.
struct Ink {
    int left = 10000, top = 10000, right = -1, bottom = -1;
    int count = 0;
    Colour brightest = 0;
};

class GfxGlText : public GfxGl {
protected:
    Ink ink(Colour background) const {
        Ink k;
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640; ++x) {
                const Colour c = at(x, y);
                if (c == background) continue;
                ++k.count;
                k.left = std::min(k.left, x);
                k.right = std::max(k.right, x);
                k.top = std::min(k.top, y);
                k.bottom = std::max(k.bottom, y);
                if ((c & 0xFF) + ((c >> 8) & 0xFF) + ((c >> 16) & 0xFF) >
                    (k.brightest & 0xFF) + ((k.brightest >> 8) & 0xFF) + ((k.brightest >> 16) & 0xFF))
                    k.brightest = c;
            }
        return k;
    }
    void drawAndRead(const gfx::FontDesc& desc, const char* text, gfx::Rect rect, std::uint32_t format, Colour colour) {
        device->clear(gfx::kClearTarget, 0xFF000000u, 1.0f, 0);
        auto font = device->createFont(desc);
        ASSERT_NE(font, nullptr);
        font->begin();
        font->drawText(text, -1, &rect, format, colour);
        font->end();
        read();
    }
};

TEST_F(GfxGlText, TextStaysInItsRectangleWithItsAlignmentAndColour) {
    const gfx::FontDesc desc{18, 0, 700, false, "ＭＳ Ｐゴシック"};
    struct Case { const char* text; std::uint32_t format; };
    for (const Case c : {Case{"Abc", gfx::kDtLeft}, Case{"Abc", gfx::kDtRight}, Case{"Abc", gfx::kDtCentre},
                         Case{"漢字かな", gfx::kDtLeft}, Case{"漢字かな", gfx::kDtRight}}) {
        const gfx::Rect rect{100, 100, 300, 140};
        drawAndRead(desc, c.text, rect, c.format, 0xFFFFFF00u);
        const Ink k = ink(0xFF000000u);
        ASSERT_GT(k.count, 20) << c.format;
        EXPECT_GE(k.left, 100);
        EXPECT_LT(k.right, 300);
        EXPECT_GE(k.top, 100);
        EXPECT_LT(k.bottom, 118) << "within one 18-pixel cell";
        if (c.format == gfx::kDtLeft) {
            EXPECT_LT(k.left, 103);
        } else if (c.format == gfx::kDtRight) {
            EXPECT_GT(k.right, 295);
        } else {
            EXPECT_NEAR((k.left + k.right) / 2.0, 200.0, 3.0);
        }
        EXPECT_TRUE(near(k.brightest, 0xFFFFFF00u, 8)) << hex(k.brightest);
        EXPECT_EQ(k.brightest & 0xFF, 0u) << "no blue in yellow text";
    }
}

TEST_F(GfxGlText, LinesBreakAtNewlinesAndMeasureAsTheyDraw) {
    const gfx::FontDesc desc{15, 0, 700, false, "MS UI Gothic"};
    auto font = device->createFont(desc);
    gfx::Rect measured{50, 60, 600, 400};
    const int h = font->drawText("一行目\nsecond line", -1, &measured, gfx::kDtCalcRect, 0xFFFFFFFFu);
    EXPECT_EQ(h, 30);
    EXPECT_EQ(measured.bottom, 90);
    drawAndRead(desc, "一行目\nsecond line", gfx::Rect{50, 60, 600, 400}, gfx::kDtLeft, 0xFFFFFFFFu);
    const Ink k = ink(0xFF000000u);
    EXPECT_GE(k.top, 60);
    EXPECT_GT(k.bottom, 75) << "a second line below the first";
    EXPECT_LT(k.bottom, 90);
    EXPECT_LE(k.right, measured.right);
    EXPECT_GE(k.right, measured.right - 3);
}

TEST_F(GfxGlText, EllipsisKeepsACutLineInsideItsRectangle) {
    const gfx::FontDesc desc{18, 0, 700, false, "ＭＳ Ｐゴシック"};
    for (int width : {40, 55, 70, 85}) {
        // No clipping: only the cut can keep the line inside.
        const gfx::Rect rect{100, 100, 100 + width, 130};
        drawAndRead(desc, "あいうえおかきくけこ", rect, gfx::kDtWordEllipsis | gfx::kDtNoClip, 0xFFFFFFFFu);
        const Ink k = ink(0xFF000000u);
        ASSERT_GT(k.count, 0);
        EXPECT_LT(k.right, 100 + width) << width;
    }
}

TEST_F(GfxGlText, EveryMappedFaceOpensAndDrawsItsText) {
    struct Case { const char* face; const char* text; };
    for (const Case c : {Case{"ＭＳ Ｐゴシック", "ＡＢＣ漢字"}, Case{"MS UI Gothic", "Status"}, Case{"ＭＳ ゴシック", "①Ⅱ～"},
                         Case{"HG創英角ﾎﾟｯﾌﾟ体", "ようこそ"}, Case{"HGS行書体", "星晶"}, Case{"Impact", "GAME OVER"},
                         Case{"Monotype Crosiva", "Staff"}, Case{"Unknown Face", "abc"}}) {
        drawAndRead(gfx::FontDesc{24, 0, 400, false, c.face}, c.text, gfx::Rect{0, 0, 640, 100}, 0, 0xFFFFFFFFu);
        EXPECT_GT(ink(0xFF000000u).count, 30) << c.text;
    }
}

}  // namespace
