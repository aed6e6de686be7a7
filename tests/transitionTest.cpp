// The fade-in, the entry from black and the battle transition, frame by
// frame: their lengths, what each frame draws, and what they hand over.
#include <cstring>

#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "field/Transitions.h"
#include "gamedata/GameData.h"
#include "story/StoryState.h"
#include "tests/transitionFixture.h"

extern int gBattleGroup;
extern int gGroundTiles[4];

namespace {

using transitiontest::ScreenResources;

class Transition : public ::testing::Test, public ScreenResources {
protected:
    void SetUp() override {
        resetFieldState();
        resetFieldMap();
        resetTextLayers();
        resetConfig();
        transitiontest::gClockMs = 5000;
        gMillisecondClock = transitiontest::testClock;
        gTransitionFrame = 0;
        gBattleGroup = 0;
        gBattleBackground = 3;
        gGroundTiles[0] = 2;
        gGroundTiles[1] = 1;
        gCameraTarget[0] = 12.5f;
        gCameraTarget[1] = 1.0f;
        gCameraTarget[2] = 8.25f;
    }
    void TearDown() override {
        gMillisecondClock = timeGetTimeMs;
        gTransitionFrame = 0;
        gScene = 0;
        resetTextLayers();
        resetFieldState();
    }

    // Runs a screen until the scene leaves `scene`; the frames it took, or
    // -1 past the budget.
    int framesUntilSceneLeaves(ScreenFunction screen, int scene, int budget) {
        gScene = scene;
        for (int n = 1; n <= budget; ++n) {
            screen(resources, &device);
            if (gScene != scene) return n;
        }
        return -1;
    }

    void expectCameraCutOnTarget() {
        const KeyframeTrack& track = *resources.cameraTrack;
        ASSERT_EQ(track.keyCount(), 2);
        EXPECT_EQ(track.duration(), 1u);
        EXPECT_EQ(track.looping(), 0);
        EXPECT_EQ(track.start(), transitiontest::gClockMs);
        float channel0 = 0.0f;
        int finished = 0;
        float channels[6] = {};
        track.evaluateTrack(track.start(), &channel0, &finished, channels);
        EXPECT_EQ(channels[0], 12.5f);
        EXPECT_EQ(channels[1], 1.0f);
        EXPECT_EQ(channels[2], 8.25f);
        EXPECT_EQ(channels[3], 10.0f);
        EXPECT_EQ(channels[4], 0.0f);
        EXPECT_EQ(channels[5], 1.0f);
        EXPECT_EQ(gCameraSnap, 1);
    }
};

}  // namespace

TEST_F(Transition, FadeInDarkensOver25FramesHoldsBlackFor5AndHandsOverOn31) {
    gFieldBrightness = 0.3f;  // a presentation left the field dimmed
    gPlayerVSpeed = -0.5f;
    gRedrawRequest[0] = gRedrawRequest[1] = 0;
    EXPECT_EQ(framesUntilSceneLeaves(runFieldFadeIn, 1, 100), 31);
    EXPECT_EQ(gScene, 0);
    EXPECT_EQ(gTransitionFrame, 31) << "the final count stays";

    const auto draws = drawsOf("layer1");
    ASSERT_EQ(draws.size(), 31u);
    EXPECT_EQ(draws[0].colour, 0xFFFFFFFFu);
    EXPECT_EQ(draws[1].colour, gfx::colourFromFloats(0.96f, 0.96f, 0.96f, 1.0f));
    EXPECT_EQ(draws[12].colour, gfx::colourFromFloats(0.52f, 0.52f, 0.52f, 1.0f));
    EXPECT_NE(draws[24].colour, 0xFF000000u);
    for (int f = 25; f < 31; ++f) EXPECT_EQ(draws[f].colour, 0xFF000000u) << f;
    for (const auto& d : draws) {
        EXPECT_EQ(d.translation.x, 0.0f);
        EXPECT_EQ(d.scale.x, 1.0f);
        EXPECT_EQ(device.targetName(d.renderTarget), "back");
    }
    EXPECT_EQ(gFieldBrightness, 1.0f);
    EXPECT_EQ(gPlayerVSpeed, 0.0f);
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
    expectCameraCutOnTarget();
}

TEST_F(Transition, EntryFromBlackShowsElevenBlackFramesThenTheField) {
    gTransitionFrame = 0;
    EXPECT_EQ(framesUntilSceneLeaves(runFieldEntryFromBlack, 2, 100), 11);
    int blackClears = 0;
    for (const auto& call : device.calls)
        if (call.rfind("clear back 3 4278190080", 0) == 0) ++blackClears;
    EXPECT_EQ(blackClears, 11);
    EXPECT_TRUE(device.spriteDraws.empty());
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
    expectCameraCutOnTarget();
}

TEST_F(Transition, BattleTransitionSpinsTheSnapshotFor76FramesThenStartsTheBattle) {
    EXPECT_EQ(framesUntilSceneLeaves(runBattleTransition, 10, 200), 76);
    EXPECT_EQ(gScene, 100);
    EXPECT_EQ(gTransitionFrame, 0);

    // The first frame takes a fresh snapshot of the field into layer 1.
    ASSERT_GE(device.calls.size(), 1u);
    EXPECT_EQ(device.calls.front(), "target layer1");

    const auto draws = drawsOf("layer1");
    ASSERT_EQ(draws.size(), 76u);
    for (int f : {0, 1, 30, 75}) {
        const float s = 1.0f + 0.02f * static_cast<float>(f);
        const float grey = 1.0f - 0.02f * static_cast<float>(f);
        EXPECT_EQ(draws[f].scale.x, s) << f;
        EXPECT_EQ(draws[f].scale.y, s) << f;
        // Grown about the screen's centre: the centre stays at (320, 240).
        EXPECT_FLOAT_EQ(draws[f].translation.x + 320.0f * s, 320.0f) << f;
        EXPECT_FLOAT_EQ(draws[f].translation.y + 240.0f * s, 240.0f) << f;
        EXPECT_EQ(draws[f].colour, gfx::colourFromFloats(grey, grey, grey, 0.8f)) << f;
        EXPECT_EQ(draws[f].colour >> 24, 204u);
        EXPECT_EQ(device.targetName(draws[f].renderTarget), "back");
    }
    EXPECT_EQ(draws[75].colour & 0xFFFFFFu, 0x000000u) << "dark by the last frame";
    EXPECT_EQ(device.renderState(gfx::kRsAlphaTestEnable), 1u);

    // The hand-over: backdrop 222 + 3, the first portrait sheet, the ground.
    ASSERT_EQ(device.texturesLoaded.size(), 2u);
    EXPECT_EQ(device.texturesLoaded[0], "Res/Bitmap_225.bmp");
    EXPECT_EQ(device.texturesLoaded[1], "Res/Bitmap_347.bmp");
    EXPECT_EQ(gRedrawRequest[0], 1);
    EXPECT_EQ(gRedrawRequest[1], 1);
    const auto tiles = drawsOf("atlas");
    ASSERT_EQ(tiles.size(), 100u);
    for (const auto& t : tiles) {
        EXPECT_EQ(device.targetName(t.renderTarget), "ground");
        EXPECT_EQ(t.src.left, 103);
        EXPECT_EQ(t.src.top, 52);
        EXPECT_EQ(t.scale.x, 0.7f);
    }
    EXPECT_EQ(tiles[99].translation.x, 288.0f);
    EXPECT_EQ(tiles[99].translation.y, 288.0f);
    EXPECT_EQ(gFieldTint[0], 1.0f) << "an ordinary battle leaves the tint";
    EXPECT_EQ(device.currentTarget, nullptr) << "the back buffer is the target again";
}

TEST_F(Transition, StoryGroup57TurnsTheTintBlackAndLowSpecPaintsNoGround) {
    gBattleGroup = 57;
    gConfig[1] = 1;
    EXPECT_EQ(framesUntilSceneLeaves(runBattleTransition, 10, 200), 76);
    EXPECT_EQ(gFieldTint[0], 0.0f);
    EXPECT_EQ(gFieldTint[1], 0.0f);
    EXPECT_EQ(gFieldTint[2], 0.0f);
    EXPECT_EQ(gFieldTint[3], 1.0f);
    EXPECT_TRUE(drawsOf("atlas").empty());
}

TEST_F(Transition, ABackdropOutsideTheTableKeepsThePictureSlot) {
    gBattleBackground = 18;
    EXPECT_EQ(framesUntilSceneLeaves(runBattleTransition, 10, 200), 76);
    ASSERT_EQ(device.texturesLoaded.size(), 1u);
    EXPECT_EQ(device.texturesLoaded[0], "Res/Bitmap_347.bmp");
    EXPECT_NE(resources.pictureTexture, nullptr);
}

TEST(BattleGroundTile, SourceRectanglesOfTheStretchedAtlas) {
    struct Case {
        int column, row;
        gfx::Rect rect;
    };
    const Case cases[] = {
        {0, 0, {1, 1, 51, 51}}, {1, 1, {52, 52, 102, 102}}, {2, 1, {103, 52, 153, 102}}, {19, 9, {973, 461, 1024, 512}},
    };
    for (const Case& c : cases) {
        const gfx::Rect r = battleGroundTileRect(c.column, c.row);
        EXPECT_EQ(r.left, c.rect.left) << c.column << "," << c.row;
        EXPECT_EQ(r.top, c.rect.top);
        EXPECT_EQ(r.right, c.rect.right);
        EXPECT_EQ(r.bottom, c.rect.bottom);
    }
}
