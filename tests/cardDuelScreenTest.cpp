#include <algorithm>
#include <string>

#include "engine/GraphicsResources.h"
#include "engine/Screens.h"
#include "engine/TextLayers.h"
#include "minigames/CardDuelPhases.h"
#include "minigames/CardDuelScreen.h"
#include "minigames/CardDuelSetup.h"
#include "tests/cardDuelFixture.h"
#include "tests/drawingRecordingDevice.h"

namespace cardduel_test {
namespace {

using testing_gfx::RecordedTexture;
using testing_gfx::RecordingDevice;

class CardDuelScreen : public CardDuelTest {
protected:
    void SetUp() override {
        CardDuelTest::SetUp();
        resources.sprite = device.createSprite(nullptr);
        auto texture = [](const std::string& name, int w, int h, bool target = false) {
            return std::make_unique<RecordedTexture>(name, w, h, target, false, gfx::TextureFormat::A8R8G8B8);
        };
        for (int i = 0; i < 5; ++i) resources.cardSheets[i] = texture("sheet" + std::to_string(i), 512, 512);
        resources.cardBack = texture("back", 256, 128);
        resources.pointerHand = texture("hand", 16, 16);
        resources.windowBackground = texture("background", 64, 64);
        resources.windowBorder = texture("border", 64, 64);
        resources.cursorBar = texture("bar", 64, 64);
        resources.layer1Target = texture("layer1", 640, 480, true);
        resources.layer2Target = texture("layer2", 640, 480, true);
        gInputCode = 0;
    }
    void TearDown() override {
        resetTextLayers();
        CardDuelTest::TearDown();
    }

    bool textDrawn(const char* s) const {
        return std::any_of(device.textDraws.begin(), device.textDraws.end(),
                           [s](const testing_gfx::TextDraw& t) { return t.text == s; });
    }

    GraphicsResources resources;
    RecordingDevice device;
};

TEST_F(CardDuelScreen, CardsComeFromTheirSheetCellOrTheBackAndTheFrame) {
    const unsigned char values[4] = {1, 2, 3, 4};
    gRedrawRequest[0] = 0;
    const struct { int card; const char* texture; gfx::Rect src; } cases[] = {
        {27, "sheet1", {180, 120, 270, 240}},
        {0, "sheet0", {0, 0, 90, 120}},
        {99, "sheet4", {360, 360, 450, 480}},
        {kCardBack, "back", {0, 0, 90, 120}},
        {kEmptyCell, "back", {90, 0, 180, 120}},
    };
    for (const auto& c : cases) {
        device.spriteDraws.clear();
        drawDuelCard(resources, &device, c.card, kCardModeBoard, 0, values, gfx::Vec2{120, 50});
        ASSERT_EQ(device.spriteDraws.size(), 1u);
        const testing_gfx::SpriteDraw& d = device.spriteDraws[0];
        EXPECT_EQ(device.targetName(d.texture), c.texture) << c.card;
        EXPECT_EQ(d.src.left, c.src.left) << c.card;
        EXPECT_EQ(d.src.top, c.src.top) << c.card;
        EXPECT_EQ(d.src.right, c.src.right) << c.card;
        EXPECT_EQ(d.src.bottom, c.src.bottom) << c.card;
        EXPECT_FLOAT_EQ(d.translation.x, 120.0f);
        EXPECT_FLOAT_EQ(d.translation.y, 50.0f);
    }
    EXPECT_TRUE(device.textDraws.empty()) << "figures only in a frame that redraws layer 2";
}

TEST_F(CardDuelScreen, FiguresGoIntoLayer2InTheOwnersColour) {
    card(12, 0, 6, 0, {1, 2, 3, 4});  // 雷
    const unsigned char values[4] = {7, 8, 9, 0};
    gRedrawRequest[0] = 1;
    drawDuelCard(resources, &device, 12, kCardModeBoard, 1, values, gfx::Vec2{100, 200});
    ASSERT_EQ(device.textDraws.size(), 5u);
    EXPECT_EQ(device.textDraws[0].text, "雷");
    EXPECT_EQ(device.textDraws[1].text, "7");  // left
    EXPECT_EQ(device.textDraws[1].rect.left, 105);
    EXPECT_EQ(device.textDraws[1].rect.top, 240);
    EXPECT_EQ(device.textDraws[4].text, "0");  // bottom
    EXPECT_EQ(device.textDraws[4].rect.top, 290);
    for (const auto& t : device.textDraws) {
        EXPECT_EQ(device.targetName(t.renderTarget), "layer2");
        EXPECT_EQ(t.colour, 0xFFFF4000u);  // the opponent's orange-red
        EXPECT_EQ(t.font.height, 30);
    }
}

TEST_F(CardDuelScreen, AWholeDuelRunsFrameByFrameFromDeckBuildingBackToTheField) {
    card(0, 1, 0, 9, {9, 9, 9, 9});
    for (int c = 1; c <= 4; ++c) card(c, 0, 2, 0, {1, 1, 1, 1});
    std::strcpy(gCardTable[0].name, "星");
    std::strcpy(gCardTable[1].name, "火");
    gCardStock[0] = CardStock{5, 1, 0};
    ScriptedRandom::set({0, 0, 1, 2, 3, 0});
    startCardDuel(kNoExtraCard, 1);
    std::strcpy(gCurrentSong, gRequestedSong);  // the music player has switched

    bool deckTextShown = false;
    int frames = 0;
    for (; gScene == kDuelScene && frames < 1000; ++frames) {
        int input = 0;
        if (frames % 2 == 1) {
            // Every other frame a key, as a player lifts and presses again.
            switch (gDuelPhase) {
                case 0: case 4: case 10: case 11: case 13: case 14: input = kInputDecide; break;
                case 5: input = gDuelBoard[cellOfCursor(gDuelCursor)].card == kEmptyCell ? kInputDecide : kInputRight; break;
                default: break;
            }
        }
        gInputCode = input;
        runCardDuel(resources, &device);
        deckTextShown = deckTextShown || textDrawn("残り使用可能Cost:15");
    }
    ASSERT_EQ(gScene, kFieldScene) << "no end within the frame budget";
    EXPECT_TRUE(deckTextShown);
    EXPECT_EQ(gDuelResult, kDuelWon);
    EXPECT_TRUE(textDrawn("貰うカードを一枚選択してください。"));
    EXPECT_TRUE(textDrawn("火のカードを手に入れた！"));
    EXPECT_EQ(gCardStock[1].count, 1);
    EXPECT_STREQ(gRequestedSong, "field.mid");
}

}  // namespace
}  // namespace cardduel_test
