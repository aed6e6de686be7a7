#include <gtest/gtest.h>

#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "tests/drawingRecordingDevice.h"

namespace {

using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;
using testing_gfx::SpriteDraw;

struct DrawingFixture : ::testing::Test {
    void SetUp() override {
        resources.sprite = device.createSprite(nullptr);
        auto texture = [](const char* name, int w, int h) {
            return std::make_unique<RecordedTexture>(name, w, h, false, true, gfx::TextureFormat::A8R8G8B8);
        };
        resources.windowBackground = texture("background", 64, 64);
        resources.windowBorder = texture("border", 64, 64);
        resources.arrowSheet = texture("arrows", 128, 128);
        resources.enterMark = texture("enter", 64, 64);
        resources.cursorBar = texture("bar", 64, 64);
        resources.pointerHand = texture("hand", 16, 16);
    }

    GraphicsResources resources;
    RecordingDevice device;
};

void expectDraw(const SpriteDraw& d, gfx::Texture* texture, gfx::Rect src, float x, float y, float sx, float sy,
                gfx::Colour colour) {
    EXPECT_EQ(d.texture, texture);
    ASSERT_TRUE(d.hasSrc);
    EXPECT_EQ(d.src.left, src.left);
    EXPECT_EQ(d.src.top, src.top);
    EXPECT_EQ(d.src.right, src.right);
    EXPECT_EQ(d.src.bottom, src.bottom);
    EXPECT_FLOAT_EQ(d.translation.x, x);
    EXPECT_FLOAT_EQ(d.translation.y, y);
    EXPECT_FLOAT_EQ(d.scale.x, sx);
    EXPECT_FLOAT_EQ(d.scale.y, sy);
    EXPECT_EQ(d.colour, colour);
}

TEST_F(DrawingFixture, WindowFrame64At0MeetsAtTheCorners) {
    drawWindowFrame(resources, &device, 0, 0, 64, 64);
    ASSERT_EQ(device.spriteDraws.size(), 9u);
    EXPECT_EQ(device.calls.front(), "begin");
    EXPECT_EQ(device.calls.back(), "end");
    gfx::Texture* bg = resources.windowBackground.get();
    gfx::Texture* b = resources.windowBorder.get();
    const auto& d = device.spriteDraws;
    expectDraw(d[0], bg, {0, 0, 64, 64}, 0, 0, 1, 1, 0xB2FFFFFFu);
    expectDraw(d[1], b, {0, 0, 32, 16}, 0, 0, 1, 1, 0xCCFFFFFFu);
    expectDraw(d[2], b, {48, 0, 64, 16}, 48, 0, 1, 1, 0xCCFFFFFFu);
    expectDraw(d[3], b, {0, 48, 16, 64}, 0, 48, 1, 1, 0xCCFFFFFFu);
    expectDraw(d[4], b, {48, 48, 64, 64}, 48, 48, 1, 1, 0xCCFFFFFFu);
    expectDraw(d[5], b, {32, 0, 33, 16}, 16, 0, 32, 1, 0xCCFFFFFFu);
    expectDraw(d[6], b, {32, 48, 33, 64}, 16, 48, 32, 1, 0xCCFFFFFFu);
    expectDraw(d[7], b, {0, 32, 16, 33}, 0, 16, 1, 32, 0xCCFFFFFFu);
    expectDraw(d[8], b, {48, 32, 64, 33}, 48, 16, 1, 32, 0xCCFFFFFFu);
}

TEST_F(DrawingFixture, WindowFrameStretchesItsBackgroundAndEdges) {
    drawWindowFrame(resources, &device, 100.5f, 20, 320, 96);
    const auto& d = device.spriteDraws;
    ASSERT_EQ(d.size(), 9u);
    expectDraw(d[0], resources.windowBackground.get(), {0, 0, 64, 64}, 100.5f, 20, 5, 1.5f, 0xB2FFFFFFu);
    expectDraw(d[4], resources.windowBorder.get(), {48, 48, 64, 64}, 404.5f, 100, 1, 1, 0xCCFFFFFFu);
    expectDraw(d[6], resources.windowBorder.get(), {32, 48, 33, 64}, 116.5f, 100, 288, 1, 0xCCFFFFFFu);
    expectDraw(d[8], resources.windowBorder.get(), {48, 32, 64, 33}, 404.5f, 36, 1, 64, 0xCCFFFFFFu);
}

TEST_F(DrawingFixture, ArrowCellsAndClips) {
    struct Case {
        int direction;
        float clip;
        bool draws;
        gfx::Rect src;
        float x;  // where the visible part starts, from x = 100
    };
    const Case cases[] = {
        {8, 0.0f, true, {0, 0, 64, 64}, 100},
        {6, 0.0f, true, {64, 0, 128, 64}, 100},
        {4, 0.0f, true, {0, 64, 64, 128}, 100},
        {2, 0.0f, true, {64, 64, 128, 128}, 100},
        {10, 0.0f, true, {0, 0, 64, 64}, 100},
        {2, 10.7f, true, {74, 64, 128, 128}, 110},   // hides 10 columns, the rest stays in place
        {8, -20.0f, true, {0, 0, 20, 64}, 100},      // shows 20 columns
        {6, -20.9f, true, {64, 0, 84, 64}, 100},     // truncated toward zero
        {6, 0.9f, true, {64, 0, 128, 64}, 100},
        {8, 63.0f, true, {63, 0, 64, 64}, 163},
        {8, 64.0f, false, {}, 0},                    // mended: nothing left to show
        {4, 500.0f, false, {}, 0},                   // mended: no inverted rectangle
        {8, -64.0f, true, {0, 0, 64, 64}, 100},
        {8, -90.0f, true, {0, 0, 64, 64}, 100},      // mended: never into the next cell
        {5, 0.0f, false, {}, 0},
        {0, 0.0f, false, {}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << "direction " << c.direction << " clip " << c.clip);
        device.spriteDraws.clear();
        device.calls.clear();
        drawArrow(resources, &device, c.direction, 100, 40, c.clip);
        // The sprite is begun and ended even when nothing is drawn.
        ASSERT_GE(device.calls.size(), 2u);
        EXPECT_EQ(device.calls.front(), "begin");
        EXPECT_EQ(device.calls.back(), "end");
        ASSERT_EQ(device.spriteDraws.size(), c.draws ? 1u : 0u);
        if (!c.draws) continue;
        gfx::Texture* texture = c.direction == 10 ? resources.enterMark.get() : resources.arrowSheet.get();
        expectDraw(device.spriteDraws[0], texture, c.src, c.x, 40, 1, 1, 0xCCFFFFFFu);
    }
}

TEST_F(DrawingFixture, MenuCursorIsABarWithTheHandToItsLeft) {
    drawMenuCursor(resources, &device, 200, 100, 96);
    const auto& d = device.spriteDraws;
    ASSERT_EQ(d.size(), 2u);
    expectDraw(d[0], resources.cursorBar.get(), {0, 0, 64, 20}, 200, 100, 1.5f, 1, 0x99FFFFFFu);
    EXPECT_EQ(d[1].texture, resources.pointerHand.get());
    EXPECT_FALSE(d[1].hasSrc);  // the whole hand
    EXPECT_FLOAT_EQ(d[1].translation.x, 190);
    EXPECT_FLOAT_EQ(d[1].translation.y, 102);
    EXPECT_EQ(d[1].colour, 0xFFFFFFFFu);
    EXPECT_EQ(device.calls, (testing_gfx::CallLog{"begin", "draw bar", "draw hand", "end"}));
}

TEST_F(DrawingFixture, NothingWithoutADevice) {
    drawWindowFrame(resources, nullptr, 0, 0, 64, 64);
    drawArrow(resources, nullptr, 8, 0, 0, 0);
    drawMenuCursor(resources, nullptr, 0, 0, 64);
    EXPECT_TRUE(device.calls.empty());
}

TEST(ColourRule, FloatsBecomeBytesByRoundingHalfUp) {
    struct Case { float value; gfx::Colour byte; };
    const Case cases[] = {{0.9f, 229}, {0.7f, 0xB2}, {0.8f, 0xCC}, {0.6f, 0x99}, {0.2f, 51}, {1.5f, 255}, {-0.1f, 0}};
    for (const Case& c : cases) EXPECT_EQ(gfx::colourFromFloats(c.value, 0, 0, 0) >> 16 & 0xFF, c.byte) << c.value;
}

}  // namespace
