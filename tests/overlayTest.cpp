#include <gtest/gtest.h>

#include <cstring>
#include <vector>

#include "engine/TextLayers.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "tests/shopFixture.h"

namespace {

// Keeps the four vertices of every quad drawn.
class QuadDevice : public shoptest::RecordingDevice {
public:
    std::vector<std::vector<gfx::Vertex>> quads;
    int drawPrimitive(gfx::Primitive, gfx::VertexBuffer* buffer, int, int) override {
        gfx::Vertex* v = buffer->lock();
        quads.emplace_back(v, v + 4);
        buffer->unlock();
        return 0;
    }
};

class Overlays : public ::testing::Test {
protected:
    void SetUp() override {
        resetGameDataState();
        resetFieldState();
        resetTextLayers();
        resetOverlays();
        std::memset(gStoryFlags, 0, sizeof gStoryFlags);
        std::memset(gFieldMarkers, 0, sizeof gFieldMarkers);
    }
    void TearDown() override { std::memset(gStoryFlags, 0, sizeof gStoryFlags); }

    // The height of the window frame whose background was drawn at (x, y).
    float windowHeightAt(float x, float y) const {
        for (const auto& d : drawn_.drawsOf(drawn_.resources.windowBackground.get())) {
            if (d.translation.x == x && d.translation.y == y) return d.scale.y * 64.0f;
        }
        return -1.0f;
    }

    shoptest::Drawn drawn_;
};

TEST_F(Overlays, MoneyWindowShowsTheRegionBalanceAndTheLoanOnRequest) {
    gMoney[0] = 100;
    gMoney[1] = 200;
    gMoney[2] = 12345;
    gLoan = 9900;
    gRegionCurrency = 2;
    gMoneyWindow = 1;
    gRedrawRequest[0] = 0;
    drawMoneyWindow(drawn_.resources, &drawn_.device);
    EXPECT_EQ(drawn_.textsAtTop(22), (std::vector<std::string>{"銭", "12345"}));
    EXPECT_TRUE(drawn_.textsAtTop(52).empty());
    EXPECT_FLOAT_EQ(windowHeightAt(430.0f, 13.0f), 40.0f);
    EXPECT_EQ(gRedrawRequest[0], 2);  // layer 2 is rebuilt next frame too
    EXPECT_EQ(drawn_.device.liveFonts, 0);
    EXPECT_EQ(drawn_.findText("銭")->font.height, 20);

    drawn_.forget();
    gMoneyWindow = 2;
    drawMoneyWindow(drawn_.resources, &drawn_.device);
    EXPECT_EQ(drawn_.textsAtTop(52), (std::vector<std::string>{"借入金", "9900"}));
    EXPECT_EQ(drawn_.findText("借入金")->colour, 0xFFFF4000u);
    EXPECT_FLOAT_EQ(windowHeightAt(430.0f, 13.0f), 70.0f);
}

TEST_F(Overlays, MarkerIShowsIconIPlusOneWhateverItsFields) {
    QuadDevice device;
    GraphicsResources resources;
    shoptest::fillResources(resources, device);
    gFieldMarkers[0] = {1, 2.0f, 3.0f, 4.0f, 77};
    gFieldMarkers[3] = {0, 9.0f, 9.0f, 9.0f, 0};  // absent: not drawn
    gFieldMarkers[7] = {2, -1.0f, 0.5f, 6.0f, 0};
    drawMarkers(resources, &device);
    ASSERT_EQ(device.quads.size(), 2u);
    const auto& q0 = device.quads[0];
    EXPECT_FLOAT_EQ(q0[0].x, 1.75f);
    EXPECT_FLOAT_EQ(q0[0].y, 3.5f);
    EXPECT_FLOAT_EQ(q0[3].x, 2.25f);
    EXPECT_FLOAT_EQ(q0[3].y, 3.0f);
    EXPECT_FLOAT_EQ(q0[0].z, 4.0f);
    EXPECT_FLOAT_EQ(q0[0].u, 1.0f / 16);
    EXPECT_FLOAT_EQ(q0[1].u, 2.0f / 16);
    EXPECT_FLOAT_EQ(q0[2].v, 1.0f);
    EXPECT_EQ(q0[0].diffuse, 0xFFFFFFFFu);
    EXPECT_FLOAT_EQ(device.quads[1][0].u, 8.0f / 16);
    EXPECT_FLOAT_EQ(device.quads[1][1].u, 9.0f / 16);
    EXPECT_EQ(device.renderState(gfx::kRsAlphaTestEnable), 1u);
    EXPECT_EQ(device.renderState(gfx::kRsAlphaRef), 127u);
    EXPECT_EQ(device.renderState(gfx::kRsAlphaFunc), static_cast<std::uint32_t>(gfx::kCmpGreater));

    device.quads.clear();
    gFieldTintActive = 1;
    gFieldTint[0] = 1.0f;
    gFieldTint[1] = 0.0f;
    gFieldTint[2] = 0.0f;
    gFieldTint[3] = 0.5f;
    drawMarkers(resources, &device);
    EXPECT_EQ(device.quads[0][0].diffuse, gfx::colourFromFloats(1.0f, 0.0f, 0.0f, 0.5f));
}

TEST_F(Overlays, FloorPanelGreysTheFloorsAShaftDoesNotServe) {
    struct Case { int zone; int firstWhite, lastWhite; };
    const Case cases[] = {{0, 1, 5}, {1, 7, 14}, {2, 7, 14}, {3, 15, 19}, {4, 0, -1}, {-1, 0, -1}};
    for (const Case& c : cases) {
        drawn_.forget();
        gRedrawRequest[0] = 1;
        drawFloorSelect(drawn_.resources, &drawn_.device, c.zone, 0);
        int floors = 0;
        for (int floor = 1; floor <= 20; ++floor) {
            const std::string label = std::to_string(floor) + " F";
            const auto* t = drawn_.findText(label);
            ASSERT_NE(t, nullptr) << label;
            ++floors;
            const bool white = floor >= c.firstWhite && floor <= c.lastWhite;
            EXPECT_EQ(t->colour, white ? 0xFFFFFFFFu : 0xFF404040u) << c.zone << " " << floor;
            EXPECT_EQ(t->rect.left, 50 + 75 * ((floor - 1) / 5));
            EXPECT_EQ(t->rect.top, 180 + 20 * ((floor - 1) % 5));
        }
        EXPECT_EQ(floors, 20);
        const auto* title = drawn_.findText("行く階層を選択してください");
        ASSERT_NE(title, nullptr);
        EXPECT_EQ(title->colour, 0xFF00FF40u);
        EXPECT_EQ(gRedrawRequest[0], 2);
        EXPECT_EQ(drawn_.device.liveFonts, 0);
    }
}

TEST_F(Overlays, FloorPanelCursorStandsInItsColumnAndLine) {
    struct Case { int shortPanel; int cursor; float x, y; };
    const Case cases[] = {{0, 12, 190.0f, 220.0f}, {0, 0, 40.0f, 180.0f}, {0, 19, 265.0f, 260.0f},
                          {1, 3, 40.0f, 240.0f}};
    for (const Case& c : cases) {
        drawn_.forget();
        gStoryFlags[100] = static_cast<std::uint8_t>(c.shortPanel);
        gRedrawRequest[0] = 1;
        drawFloorSelect(drawn_.resources, &drawn_.device, 1, c.cursor);
        const auto bars = drawn_.drawsOf(drawn_.resources.cursorBar.get());
        ASSERT_FALSE(bars.empty());
        EXPECT_FLOAT_EQ(bars[0].translation.x, c.x) << c.cursor;
        EXPECT_FLOAT_EQ(bars[0].translation.y, c.y) << c.cursor;
        const int labels = static_cast<int>(drawn_.textsAtTop(c.shortPanel ? 180 : 180).size());
        EXPECT_EQ(labels, c.shortPanel ? 1 : 4);
        if (c.shortPanel) {
            EXPECT_EQ(drawn_.findText("6 F"), nullptr);
            EXPECT_EQ(drawn_.findText("5 F")->colour, 0xFFFFFFFFu);
        }
    }
}

}  // namespace
