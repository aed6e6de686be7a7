// The slot chooser: cursor moves, the panels, the summaries refreshed from
// the headers when layer 2 is redrawn, "No Data" for a missing or short file.
#include <algorithm>

#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/TextLayers.h"
#include "menus/SlotChooser.h"
#include "saveFixture.h"
#include "tests/drawingRecordingDevice.h"

namespace {

using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;

class SlotChooser : public SaveFolderTest {
protected:
    void SetUp() override {
        SaveFolderTest::SetUp();
        resources.sprite = device.createSprite(nullptr);
        auto texture = [](const std::string& name, int w, int h, bool target = false) {
            return std::make_unique<RecordedTexture>(name, w, h, target, false, gfx::TextureFormat::A8R8G8B8);
        };
        resources.saveSlotPanel = texture("panel", 512, 256);
        resources.iconStrip = texture("icons", 512, 32);
        resources.layer1Target = texture("layer1", 640, 480, true);
        resources.layer2Target = texture("layer2", 640, 480, true);
        resetTextLayers();
        gInputCode = 0;
    }
    void TearDown() override {
        resetTextLayers();
        gInputCode = 0;
        SaveFolderTest::TearDown();
    }

    std::vector<testing_gfx::SpriteDraw> drawsOf(const char* name) const {
        std::vector<testing_gfx::SpriteDraw> out;
        for (const auto& d : device.spriteDraws)
            if (device.targetName(d.texture) == name) out.push_back(d);
        return out;
    }
    const testing_gfx::TextDraw* textDrawn(const std::string& s) const {
        for (const auto& t : device.textDraws)
            if (t.text == s) return &t;
        return nullptr;
    }

    GraphicsResources resources;
    RecordingDevice device;
};

}  // namespace

TEST(SlotChooserCursor, MovesByTheKeypadAndWrapsOverTheFourSlots) {
    struct Case {
        int from;
        int input;
        int to;
    };
    const Case cases[] = {
        {0, 4, 3}, {0, 8, 2}, {3, 2, 1}, {3, 6, 0}, {1, 2, 3}, {2, 8, 0}, {1, 6, 2}, {2, 4, 1}, {1, 10, 1}, {2, 0, 2},
    };
    for (const Case& c : cases) {
        gSaveSlotCursor = c.from;
        gRedrawRequest[0] = 0;
        EXPECT_EQ(moveSaveSlotCursor(c.input), c.to) << c.from << " by " << c.input;
        EXPECT_EQ(gRedrawRequest[0], c.input == 10 || c.input == 0 ? 0 : 1) << "a move redraws the panels' texts";
    }
    gSaveSlotCursor = 0;
    resetTextLayers();
}

TEST(SlotChooserTime, HoursUnpaddedMinutesAndSecondsTwoDigits) {
    struct Case {
        int seconds;
        const char* shown;
    };
    const Case cases[] = {{3725, "1:02:05"}, {0, "0:00:00"}, {59, "0:00:59"}, {600, "0:10:00"},
                          {360000, "100:00:00"}, {-5, "0:00:00"}, {2147483647, "596523:14:07"}};
    for (const Case& c : cases) {
        char out[32];
        formatPlayTime(c.seconds, out, sizeof out);
        EXPECT_STREQ(out, c.shown) << c.seconds;
    }
}

TEST_F(SlotChooser, ShowsEachSlotsHeaderAndNoDataForMissingOrShortFiles) {
    fillDistinctPlayState(0);
    gPlaySeconds = 3725;
    gSessionStart = static_cast<int>(kSaveTestNow);
    ASSERT_EQ(writeSaveFile(1), 0);
    std::vector<std::uint8_t> shortHeader(119, 0);
    writeBytes("Save_2.dat", shortHeader);
    gSaveSlotCursor = 1;
    gRedrawRequest[0] = 1;

    EXPECT_EQ(runSaveSlotChooser(resources, &device), 1);

    EXPECT_EQ(gSaveSlots[0].status, 1);
    EXPECT_EQ(gSaveSlots[1].status, 0);
    EXPECT_EQ(gSaveSlots[2].status, 1) << "a header shorter than 120 bytes";
    EXPECT_EQ(gSaveSlots[3].status, 1);
    const auto* level = textDrawn("レベル　40");
    ASSERT_NE(level, nullptr);
    EXPECT_EQ(level->rect.left, 325 + 25);
    EXPECT_EQ(level->rect.top, 120 + 12);
    EXPECT_EQ(level->colour, gfx::colourFromFloats(0.5f, 0.8f, 1.0f, 0.9f)) << "the slot under the cursor";
    EXPECT_EQ(device.targetName(level->renderTarget), "layer2");
    EXPECT_EQ(level->font.height, 17);
    const auto* time = textDrawn("プレイタイム　1:02:05");
    ASSERT_NE(time, nullptr);
    EXPECT_EQ(time->rect.top, 120 + 37);
    const auto* place = textDrawn("宿屋の二階 0");
    ASSERT_NE(place, nullptr);
    EXPECT_EQ(place->rect.top, 120 + 62);
    int noData = 0;
    for (const auto& t : device.textDraws) {
        if (t.text != "No Data") continue;
        ++noData;
        EXPECT_EQ(t.font.height, 30);
        EXPECT_EQ(t.colour, gfx::colourFromFloats(0.0f, 0.3f, 0.5f, 0.9f)) << "a slot away from the cursor";
    }
    EXPECT_EQ(noData, 3);

    // Panels: the one under the cursor bright, the others at half.
    const auto panels = drawsOf("panel");
    ASSERT_EQ(panels.size(), 4u);
    for (int slot = 0; slot < 4; ++slot) {
        EXPECT_EQ(panels[slot].translation.x, kSlotPanelPositions[slot][0]);
        EXPECT_EQ(panels[slot].translation.y, kSlotPanelPositions[slot][1]);
        EXPECT_EQ(panels[slot].colour, slot == 1 ? 0xE5FFFFFFu : 0xE5808080u) << slot;
        EXPECT_EQ(panels[slot].src.right, 300);
        EXPECT_EQ(panels[slot].src.bottom, 150);
    }
    // Stones: flag 1 shows column k + 1, flag 2 column 11, flag 0 nothing.
    // fillDistinctPlayState(0) gives flags 0 1 2 0 1 2 0 1.
    const auto icons = drawsOf("icons");
    ASSERT_EQ(icons.size(), 5u);
    EXPECT_EQ(icons[0].src.left, 2 * 32);
    EXPECT_EQ(icons[0].translation.x, 325 + 22 + 32);
    EXPECT_EQ(icons[0].translation.y, 120 + 102);
    EXPECT_EQ(icons[1].src.left, 11 * 32);
    EXPECT_EQ(icons[4].src.left, 8 * 32);
    EXPECT_EQ(gRedrawRequest[0], 0);
}

TEST_F(SlotChooser, ReadsTheHeadersOnlyWhenLayerTwoIsRedrawn) {
    fillDistinctPlayState(0);
    gRedrawRequest[0] = 0;
    ASSERT_EQ(writeSaveFile(0), 0);
    gSaveSlots[0].status = 1;
    runSaveSlotChooser(resources, &device);
    EXPECT_EQ(gSaveSlots[0].status, 1) << "a file written meanwhile shows after the next redraw";
    EXPECT_TRUE(device.textDraws.empty());

    gInputCode = 6;
    EXPECT_EQ(runSaveSlotChooser(resources, &device), 1);
    EXPECT_EQ(gRedrawRequest[0], 1) << "the move asks for the redraw";
    gInputCode = 0;
    runSaveSlotChooser(resources, &device);
    EXPECT_EQ(gSaveSlots[0].status, 0);
    EXPECT_NE(textDrawn("レベル　40"), nullptr);
}

TEST_F(SlotChooser, AMissingFileClearsTheStonesItShowed) {
    fillDistinctPlayState(0);
    ASSERT_EQ(writeSaveFile(3), 0);
    gRedrawRequest[0] = 1;
    runSaveSlotChooser(resources, &device);
    EXPECT_FALSE(drawsOf("icons").empty());
    std::remove("Save_3.dat");
    device.spriteDraws.clear();
    gRedrawRequest[0] = 1;
    runSaveSlotChooser(resources, &device);
    EXPECT_TRUE(drawsOf("icons").empty());
}
