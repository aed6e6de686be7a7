#include <gtest/gtest.h>

#include <cstring>

#include "engine/DrawText.h"
#include "engine/GraphicsResources.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "tests/drawingRecordingDevice.h"

namespace {

using testing_gfx::CallLog;
using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;

struct TextFixture : ::testing::Test {
    void SetUp() override {
        resetTextLayers();
        resources.sprite = device.createSprite(nullptr);
        resources.layer1Target =
            std::make_unique<RecordedTexture>("layer1", 640, 480, true, false, gfx::TextureFormat::A8R8G8B8);
        resources.layer2Target =
            std::make_unique<RecordedTexture>("layer2", 640, 480, true, false, gfx::TextureFormat::A8R8G8B8);
        ASSERT_EQ(beginTextFont(&device, kShopFontHeight, kShopFontFace), 0);
        device.calls.clear();
    }
    void TearDown() override {
        endTextFont();
        resetTextLayers();
    }

    GraphicsResources resources;
    RecordingDevice device;
};

TEST(TextStyle, DigitsChooseTargetColourAndAlignment) {
    struct Case { int style; TextTarget target; gfx::Colour colour; bool draws; std::uint32_t align; };
    const Case cases[] = {
        {0, TextTarget::Layer1, 0xFFFFFFFFu, true, gfx::kDtLeft},
        {11, TextTarget::Layer1, 0xFF404040u, true, gfx::kDtRight},
        {22, TextTarget::Layer1, 0xFFFF4000u, true, gfx::kDtCentre},
        {130, TextTarget::Layer2, 0xFF00FF40u, true, gfx::kDtLeft},
        {141, TextTarget::Layer2, 0xFF00FFFFu, true, gfx::kDtRight},
        {152, TextTarget::Layer2, 0xFFFFFF00u, true, gfx::kDtCentre},
        {260, TextTarget::Current, 0xFFFF80FFu, true, gfx::kDtLeft},
        {300, TextTarget::Current, 0xFFFFFFFFu, true, gfx::kDtLeft},
        {213, TextTarget::Current, 0xFF404040u, false, 0},
        {9, TextTarget::Layer1, 0xFFFFFFFFu, false, 0},
        {199, TextTarget::Layer2, 0xFFFFFFFFu, false, 0},  // colour 9 does not occur: white
    };
    for (const Case& c : cases) {
        const TextStyle s = decodeTextStyle(c.style);
        EXPECT_EQ(s.target, c.target) << c.style;
        EXPECT_EQ(s.colour, c.colour) << c.style;
        EXPECT_EQ(s.draws, c.draws) << c.style;
        if (c.draws) {
            // From the top edge, unclipped, a word too wide cut with "...".
            EXPECT_EQ(s.format, c.align | gfx::kDtNoClip | gfx::kDtWordEllipsis) << c.style;
        }
    }
}

TEST_F(TextFixture, LayerTextReachesItsLayerOnlyWhileRequested) {
    struct Case {
        int style;
        int request0, request1;
        int result;
        const char* drawnInto;  // null: nothing drawn
        int layer2Flag, layer1Flag;
    };
    const Case cases[] = {
        {0, 1, 1, 0, "layer1", 0, 1},
        {0, 1, 0, 1, nullptr, 0, 0},
        {0, 1, 2, 1, nullptr, 0, 0},
        {152, 1, 0, 0, "layer2", 1, 0},
        {152, 0, 1, 1, nullptr, 0, 0},
        {152, 3, 1, 1, nullptr, 0, 0},
        {200, 0, 0, 0, "back", 0, 0},
        {213, 0, 0, 0, nullptr, 0, 0},  // alignment 3 draws nothing
        {3, 1, 1, 0, nullptr, 0, 1},    // the layer is chosen even when nothing is drawn
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.style);
        gLayer1HasText = 0;
        gLayer2HasText = 0;
        gRedrawRequest[0] = c.request0;
        gRedrawRequest[1] = c.request1;
        device.textDraws.clear();
        device.calls.clear();
        const int result = drawText(resources, &device, gfx::Rect{10, 20, 200, 40}, "テスト", c.style);
        EXPECT_EQ(result, c.result);
        EXPECT_EQ(gLayer2HasText, c.layer2Flag);
        EXPECT_EQ(gLayer1HasText, c.layer1Flag);
        EXPECT_EQ(gRedrawRequest[0], c.request0);
        EXPECT_EQ(gRedrawRequest[1], c.request1);
        if (c.drawnInto == nullptr) {
            EXPECT_TRUE(device.textDraws.empty());
        } else {
            ASSERT_EQ(device.textDraws.size(), 1u);
            EXPECT_EQ(device.targetName(device.textDraws[0].renderTarget), c.drawnInto);
            EXPECT_EQ(device.textDraws[0].text, "テスト");
        }
        // Whenever it did anything, the back buffer is the target afterwards.
        if (result != 1) {
            ASSERT_FALSE(device.calls.empty());
            EXPECT_EQ(device.calls.back(), "target back");
        } else {
            EXPECT_TRUE(device.calls.empty());
        }
    }
}

TEST_F(TextFixture, Style152IsYellowCentredIntoLayer2) {
    drawText(resources, &device, gfx::Rect{0, 100, 640, 130}, "中央", 152);
    ASSERT_EQ(device.textDraws.size(), 1u);
    const testing_gfx::TextDraw& t = device.textDraws[0];
    EXPECT_EQ(t.colour, 0xFFFFFF00u);
    EXPECT_EQ(t.format & (gfx::kDtCentre | gfx::kDtRight), gfx::kDtCentre);
    EXPECT_EQ(t.rect.left, 0);
    EXPECT_EQ(t.rect.top, 100);
    EXPECT_EQ(t.rect.right, 640);
    EXPECT_EQ(t.font.height, 18);
    EXPECT_EQ(t.font.weight, 700);
    EXPECT_EQ(t.font.face, "ＭＳ Ｐゴシック");
}

TEST_F(TextFixture, FontBlocksMakeAndReleaseTheirFont) {
    EXPECT_EQ(device.liveFonts, 1);
    endTextFont();
    EXPECT_EQ(device.liveFonts, 0);
    EXPECT_EQ(gTextFont, nullptr);
    // Outside a block nothing is drawn, but the target is still restored.
    EXPECT_EQ(drawText(resources, &device, gfx::Rect{0, 0, 10, 10}, "x", 0), 0);
    EXPECT_TRUE(device.textDraws.empty());
    EXPECT_EQ(device.calls.back(), "target back");

    ASSERT_EQ(beginTextFont(&device, kMenuFontHeight, kMenuFontFace, true), 0);
    drawText(resources, &device, gfx::Rect{0, 0, 10, 10}, "x", 200);
    ASSERT_EQ(device.textDraws.size(), 1u);
    EXPECT_EQ(device.textDraws[0].font.height, 15);
    EXPECT_TRUE(device.textDraws[0].font.italic);
    EXPECT_EQ(device.textDraws[0].font.face, "MS UI Gothic");
    beginTextFont(&device, 20, kShopFontFace);  // a new block replaces the old font
    EXPECT_EQ(device.liveFonts, 1);
}

TEST_F(TextFixture, ClearsOnlyTheRequestedLayersToTransparent) {
    struct Case { int request0, request1; CallLog expected; };
    const std::string clear = "clear ";
    const std::string flags = std::to_string(gfx::kClearTarget | gfx::kClearDepth) + " 0 1.000000 0";
    const Case cases[] = {
        {1, 1, {"target layer2", clear + "layer2 " + flags, "target back", "target layer1", clear + "layer1 " + flags,
                "target back"}},
        {0, 1, {"target layer1", clear + "layer1 " + flags, "target back"}},
        {2, 0, {}},
        {3, 2, {}},
    };
    for (const Case& c : cases) {
        gRedrawRequest[0] = c.request0;
        gRedrawRequest[1] = c.request1;
        device.calls.clear();
        clearRequestedTextLayers(resources, &device);
        EXPECT_EQ(device.calls, c.expected) << c.request0 << c.request1;
    }
}

TEST_F(TextFixture, LayersCompositeLayer2FirstEachAfterItsShadow) {
    drawTextLayers(resources, &device);
    EXPECT_EQ(device.calls, (CallLog{"begin", "draw layer2", "draw layer2", "draw layer1", "draw layer1", "end"}));
    const auto& d = device.spriteDraws;
    ASSERT_EQ(d.size(), 4u);
    for (int i = 0; i < 4; i += 2) {
        EXPECT_FALSE(d[i].hasSrc);
        EXPECT_FLOAT_EQ(d[i].translation.x, 1);
        EXPECT_FLOAT_EQ(d[i].translation.y, 1);
        EXPECT_EQ(d[i].colour, 0xCC333333u);
        EXPECT_FLOAT_EQ(d[i + 1].translation.x, 0);
        EXPECT_FLOAT_EQ(d[i + 1].translation.y, 0);
        EXPECT_EQ(d[i + 1].colour, 0xFFFFFFFFu);
    }
}

TEST(TextLayerRequests, EndOfFrameTurnsTwoIntoOneAndEverythingElseIntoZero) {
    // Frame by frame: a request set to 2 in frame n redraws in n + 1 and
    // rests in n + 2 unless set again.
    resetTextLayers();
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
    struct Frame { int set0, set1; int after0, after1; };  // -1: not set in this frame
    const Frame frames[] = {
        {-1, -1, 0, 0},  // the first frame redraws both, then they rest
        {-1, 2, 0, 1},   // a cursor move on layer 1
        {-1, -1, 0, 0},
        {2, 2, 1, 1},    // a screen hands over
        {3, -1, 0, 0},   // a decided choice is cleared once
        {1, -1, 0, 0},
    };
    for (const Frame& f : frames) {
        if (f.set0 >= 0) gRedrawRequest[0] = f.set0;
        if (f.set1 >= 0) gRedrawRequest[1] = f.set1;
        endTextLayerFrame();
        EXPECT_EQ(gRedrawRequest[0], f.after0);
        EXPECT_EQ(gRedrawRequest[1], f.after1);
    }
    requestBothTextLayers();
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gRedrawRequest[1], 2);
    resetTextLayers();
}

}  // namespace
