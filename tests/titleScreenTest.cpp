// The title logo, the intro crawl, the title menu and the load screen,
// driven frame by frame with scripted input and a test clock.
#include <cstring>

#include "engine/Music.h"
#include "events/EventMusic.h"
#include "events/MessageWindow.h"
#include "field/FieldServices.h"
#include "field/Transitions.h"
#include "gamedata/NewGame.h"
#include "menus/CampState.h"
#include "menus/MenuState.h"
#include "menus/Title.h"
#include "saveFixture.h"
#include "story/MapScripts.h"
#include "tests/transitionFixture.h"

namespace {

using transitiontest::ScreenResources;

int gQuitRequests = 0;
void countQuit() { ++gQuitRequests; }

std::uint8_t gPrologueFlagAtSetUp = 0;
int gPrologueSetUps = 0;
int watchPrologueSetUp(int entering) {
    if (entering == 1) {
        ++gPrologueSetUps;
        gPrologueFlagAtSetUp = gStoryFlags[kPrologueFlag];
    }
    return 0;
}

class Title : public SaveFolderTest, public ScreenResources {
protected:
    void SetUp() override {
        SaveFolderTest::SetUp();
        resetInput();
        resetTextLayers();
        resetConfig();
        transitiontest::gClockMs = 1500;  // an uptime clock: the program started 1.5 s ago
        gMillisecondClock = transitiontest::testClock;
        gTitleQuitRequest = countQuit;
        gQuitRequests = 0;
        gTitleCounter = 0;
        gTitleMenuCursor = 1;
        gScene = 1000;
        savedPrologueSetUp_ = gMapSetups[kPrologueMap];
    }
    void TearDown() override {
        gMapSetups[kPrologueMap] = savedPrologueSetUp_;
        gMillisecondClock = timeGetTimeMs;
        gTitleQuitRequest = nullptr;
        gTitleCounter = 0;
        gScene = 0;
        gInputCode = 0;
        resetTextLayers();
        SaveFolderTest::TearDown();
    }

    // Runs the scene's screen once with `input` as this frame's code.
    void frame(int input = 0) {
        gInputCode = input;
        switch (gScene) {
        case 1000: runTitleScreen(resources, &device); break;
        case 1001: runIntroAndTitleMenu(resources, &device); break;
        case 1002: runLoadScreen(resources, &device); break;
        case 1: runFieldFadeIn(resources, &device); break;
        default: break;
        }
    }
    // Frames with no input until the scene is `scene`; the frames run, -1 past the budget.
    int framesUntilScene(int scene, int budget) {
        for (int n = 1; n <= budget; ++n) {
            frame();
            if (gScene == scene) return n;
        }
        return -1;
    }
    // From the logo's end straight to the menu, the crawl skipped.
    void reachTitleMenu() {
        gTitleCounter = kTitleLogoFrames;
        frame();
        ASSERT_EQ(gScene, 1001);
        frame(10);  // skips the crawl
        ASSERT_EQ(gIntroCrawlSkipped, 1);
    }
    bool menuShown() const {
        for (const auto& d : device.spriteDraws)
            if (device.targetName(d.texture) == "plate") return true;
        return false;
    }

    MapSetup savedPrologueSetUp_ = nullptr;
};

}  // namespace

TEST_F(Title, LogoFadesInStandsFadesOutAndOpensTheMenuOnFrame350) {
    EXPECT_EQ(framesUntilScene(1001, 400), 350);
    const auto logo = drawsOf("logo");
    ASSERT_EQ(logo.size(), 350u);
    struct Case {
        int frame;  // 1-based: the counter's value on that frame
        float opacity;
    };
    const Case cases[] = {{1, 0.01f}, {50, 0.5f}, {99, 0.99f}, {100, 1.0f}, {249, 1.0f},
                          {250, 1.0f}, {300, 0.5f}, {349, 0.01f}, {350, 0.0f}};
    for (const Case& c : cases) {
        EXPECT_EQ(logo[c.frame - 1].colour, gfx::colourFromFloats(1, 1, 1, c.opacity)) << c.frame;
    }
    EXPECT_EQ(logo[0].src.right, 200);
    EXPECT_EQ(logo[0].src.bottom, 40);
    EXPECT_EQ(logo[0].scale.x, 2.0f);
    EXPECT_EQ(logo[0].translation.x, 120.0f);
    EXPECT_EQ(logo[0].translation.y, 180.0f);

    EXPECT_EQ(gTitleCounter, 0);
    EXPECT_EQ(gTitleMenuCursor, 1);
    EXPECT_EQ(gCurrentMap, kTitleMap);
    EXPECT_EQ(gClearColour[0], 24);
    EXPECT_EQ(gClearColour[1], 56);
    EXPECT_EQ(gClearColour[2], 216);
    EXPECT_STREQ(gCurrentSong, kMainTheme);
    EXPECT_EQ(gTitleClock, 1500u);
    const KeyframeTrack& track = *resources.cameraTrack;
    EXPECT_EQ(track.keyCount(), 2);
    EXPECT_EQ(track.duration(), 30000u);
    float c0 = 0.0f;
    int finished = 0;
    float channels[6] = {};
    track.evaluateTrack(1500, &c0, &finished, channels);
    EXPECT_EQ(channels[1], 20.0f);
    EXPECT_EQ(channels[5], 2.0f) << "the high view";
    track.evaluateTrack(1500 + 30000, &c0, &finished, channels);
    EXPECT_EQ(channels[1], 1.0f);
}

TEST_F(Title, ReturningWithTheCounterAt350SkipsTheLogoAndStartsTheCrawlAgain) {
    gTitleCounter = kTitleLogoFrames;  // F12, the reset entry, the staff roll
    gIntroCrawlSkipped = 1;
    gTitleMenuCursor = 3;
    EXPECT_EQ(framesUntilScene(1001, 2), 1);
    EXPECT_EQ(gTitleMenuCursor, 1);
    EXPECT_EQ(gIntroCrawlSkipped, 0);
    transitiontest::gClockMs += 600;
    frame();
    EXPECT_FALSE(menuShown()) << "the crawl runs first";
    EXPECT_FALSE(device.textDraws.empty());
}

TEST_F(Title, EveryLogoFrameClearsWhatAGameLeftBehind) {
    gEventPicture = gPictureLoaded = 1;
    gStillPicture = 3;
    gInBattle = 1;
    gMenuPage = 2;
    gPauseCounter = 9;
    gFieldEvent = 14;
    gEventStep = 6;
    gPlayerVisible = 1;
    gTickerPos = 300;
    gTickerSlot = 2;
    gNewsTickerOn = 1;
    gResetConfirmOpen = gResetConfirmChoice = 1;
    gCampMenuAllowed = 1;
    gMusicLock = gSlowMusicFade = 1;
    gMessageTyped = 40;
    gMessageMode = 2;
    gMessagePausing = 1;
    gMoneyWindow = 1;
    gFloorPanelShown = 1;
    gStoneBannerShown = 1;
    gFieldBrightness = 0.25f;
    gFieldMarkers[4].present = 1;
    gFieldMarkers[4].frame = 77;
    gMoveQueues[12].length = 40;
    gMoveIndex = 20;

    frame();

    EXPECT_EQ(gEventPicture, 0);
    EXPECT_EQ(gPictureLoaded, 0);
    EXPECT_EQ(gStillPicture, 0);
    EXPECT_EQ(gInBattle, 0);
    EXPECT_EQ(gMenuPage, 0);
    EXPECT_EQ(gPauseCounter, 0);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 0);
    EXPECT_EQ(gPlayerVisible, 0);
    EXPECT_EQ(gTickerPos, 0);
    EXPECT_EQ(gTickerSlot, 0);
    EXPECT_EQ(gNewsTickerOn, 0);
    EXPECT_EQ(gResetConfirmOpen, 0);
    EXPECT_EQ(gResetConfirmChoice, 0);
    EXPECT_EQ(gCampMenuAllowed, 0);
    EXPECT_EQ(gMusicLock, 0);
    EXPECT_EQ(gSlowMusicFade, 0);
    EXPECT_EQ(gMessageTyped, 0);
    EXPECT_EQ(gMessageMode, 0);
    EXPECT_EQ(gMessagePausing, 0);
    EXPECT_EQ(gMoneyWindow, 0);
    EXPECT_EQ(gFloorPanelShown, 0);
    EXPECT_EQ(gStoneBannerShown, 0);
    EXPECT_EQ(gFieldBrightness, 1.0f);
    EXPECT_EQ(gFieldMarkers[4].present, 0);
    EXPECT_EQ(gFieldMarkers[4].frame, 0);
    EXPECT_EQ(gMoveQueues[12].length, 0);
    EXPECT_EQ(gMoveIndex, 0);
}

TEST(IntroCrawl, LinesFadeInOneAfterAnotherInTheirPagesRows) {
    struct Case {
        std::uint32_t t;
        int line;
        bool shown;
        int top;
        int alpha;
    };
    const Case cases[] = {
        {0, 0, true, 40, 0},          {510, 0, true, 40, 255},     {1020, 0, true, 40, 255},
        {900, 1, true, 100, 0},       {1410, 1, true, 100, 255},   {1155, 1, true, 100, 127},
        {6999, 3, true, 190, 255},    {6999, 5, true, 250, 255},   {6999, 6, false, 0, 0},
        {7000, 0, false, 0, 0},       {7000, 6, true, 40, 0},      {14999, 13, true, 340, 255},
        {15000, 14, true, 70, 0},     {22999, 19, true, 250, 255}, {23000, 20, true, 70, 0},
        {30499, 26, true, 280, 255},  {30500, 26, false, 0, 0},    {100000, 0, false, 0, 0},
    };
    for (const Case& c : cases) {
        CrawlLine line{};
        ASSERT_EQ(introCrawlLine(c.t, c.line, line), c.shown) << c.t << " line " << c.line;
        if (!c.shown) continue;
        EXPECT_EQ(line.top, c.top) << c.t << " line " << c.line;
        EXPECT_EQ(line.alpha, c.alpha) << c.t << " line " << c.line;
        EXPECT_NE(line.text, nullptr);
    }
    // Every one of the 27 lines shows on its page.
    int lines = 0;
    for (std::uint32_t t : {6999u, 14999u, 22999u, 30499u})
        for (int i = 0; i < kIntroCrawlLineCount; ++i) {
            CrawlLine line{};
            if (introCrawlLine(t, i, line)) ++lines;
        }
    EXPECT_EQ(lines, kIntroCrawlLineCount);
}

TEST_F(Title, DecideSkipsTheCrawlEvenOnAClockThatStartedWithTheProgram) {
    gTitleCounter = kTitleLogoFrames;
    frame();
    transitiontest::gClockMs = 4000;
    frame();
    EXPECT_FALSE(menuShown());
    frame(10);
    EXPECT_EQ(resources.cameraTrack->duration(), 0u) << "the camera jumps to its last key";
    EXPECT_EQ(gTitleClock, 0u);
    EXPECT_EQ(gTitleMenuCursor, 1) << "the decide only skips";
    // now - 0 is still below 30.5 s on this clock, yet the menu shows.
    frame();
    EXPECT_TRUE(menuShown());
    EXPECT_EQ(gScene, 1001);
}

TEST_F(Title, TheCrawlEndsByItselfAfter30AndAHalfSeconds) {
    gTitleCounter = kTitleLogoFrames;
    frame();
    transitiontest::gClockMs = 1500 + 30499;
    frame();
    EXPECT_FALSE(menuShown());
    transitiontest::gClockMs = 1500 + 30500;
    frame();
    EXPECT_TRUE(menuShown());
}

TEST_F(Title, MenuCursorWrapsAndShowsTheHighlightedStrip) {
    reachTitleMenu();
    struct Case {
        int input;
        int cursor;
    };
    const Case moves[] = {{8, 0}, {8, 3}, {2, 0}, {2, 1}, {2, 2}, {2, 3}, {2, 0}};
    for (const Case& m : moves) {
        forget();
        frame(m.input);
        EXPECT_EQ(gTitleMenuCursor, m.cursor);
        const auto strips = drawsOf("strips");
        ASSERT_EQ(strips.size(), 4u);
        for (int i = 0; i < 4; ++i) {
            const int top = 56 * i + (i == m.cursor ? 224 : 0);
            EXPECT_EQ(strips[i].src.top, top) << "entry " << i;
            EXPECT_EQ(strips[i].translation.x, 360.0f);
            EXPECT_EQ(strips[i].translation.y, 250.0f + 56 * i);
            EXPECT_EQ(strips[i].colour, 0xE5FFFFFFu);
        }
    }
}

TEST_F(Title, GameStartEntersMap22ThroughThirtyOneBlackFrames) {
    reachTitleMenu();
    frame(8);  // Game Start
    frame(10);
    EXPECT_EQ(gScene, 1);
    EXPECT_EQ(gCurrentMap, kNewGameMap);
    EXPECT_EQ(gParty[0], 4);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gTransitionFrame, 0);
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gPlayerFacing, 1);
    EXPECT_FLOAT_EQ(gPlayerPos[0], 26.0f + 53 * 0.707106781f + 0.5f);
    EXPECT_FLOAT_EQ(gPlayerPos[2], 53 * 0.707106781f + 0.3535533905f);
    EXPECT_EQ(gCameraTarget[0], gPlayerPos[0]);
    bool layer1Cleared = false;
    for (std::size_t i = 0; i + 1 < device.calls.size(); ++i)
        if (device.calls[i] == "target layer1" && device.calls[i + 1].rfind("clear layer1 7 0 ", 0) == 0)
            layer1Cleared = true;
    EXPECT_TRUE(layer1Cleared) << "the fade-in's snapshot is black";

    forget();
    EXPECT_EQ(framesUntilScene(0, 100), 31);
}

TEST_F(Title, PrologueSetsItsFlagBeforeTheArrivalSetUp) {
    gMapSetups[kPrologueMap] = watchPrologueSetUp;
    gPrologueSetUps = 0;
    gPrologueFlagAtSetUp = 0;
    reachTitleMenu();
    frame(2);  // Prologue
    EXPECT_EQ(gTitleMenuCursor, 2);
    frame(10);
    EXPECT_EQ(gPrologueSetUps, 1);
    EXPECT_EQ(gPrologueFlagAtSetUp, 1);
    EXPECT_EQ(gStoryFlags[kPrologueFlag], 1);
    EXPECT_EQ(gCurrentMap, kPrologueMap);
    EXPECT_EQ(gPendingMapChange.map, kPrologueMap);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gScene, 1);
    EXPECT_EQ(framesUntilScene(0, 100), 31);
}

TEST_F(Title, ContinueOpensTheLoadScreenAndEndQuits) {
    reachTitleMenu();
    frame(10);  // the cursor starts on Continue
    EXPECT_EQ(gScene, 1002);
    EXPECT_EQ(gRedrawRequest[0], 1);
    // The snapshot of the town behind the slots.
    bool snapshot = false;
    for (const auto& call : device.calls) snapshot = snapshot || call == "target layer1";
    EXPECT_TRUE(snapshot);

    frame(5);  // cancel
    EXPECT_EQ(gScene, 1001);
    forget();
    frame();
    EXPECT_TRUE(menuShown()) << "cancel returns to the menu without the crawl";

    frame(2);
    frame(2);  // End
    EXPECT_EQ(gQuitRequests, 0);
    frame(10);
    EXPECT_EQ(gQuitRequests, 1);
}

TEST_F(Title, LoadScreenRefusesMissingAndDamagedSavesAndStaysPut) {
    fillDistinctPlayState(1);
    ASSERT_EQ(writeSaveFile(1), 0);
    std::vector<std::uint8_t> bytes = readBytes("Save_1.dat");
    bytes[saveoffset::kItemStock] += 1;
    writeBytes("Save_1.dat", bytes);
    resetPlayStateForSaveTests();

    reachTitleMenu();
    frame(10);
    ASSERT_EQ(gScene, 1002);
    const std::vector<std::uint8_t> before = currentStateBytes();
    frame(10);  // slot 0: no file
    EXPECT_EQ(gScene, 1002);
    frame(6);
    EXPECT_EQ(gSaveSlotCursor, 1);
    frame(10);  // slot 1: the check sum fails
    EXPECT_EQ(gScene, 1002);
    EXPECT_EQ(currentStateBytes(), before);
    EXPECT_EQ(gCurrentMap, kTitleMap);
}

TEST_F(Title, LoadScreenPutsTheSaveIntoPlayAndFadesIn) {
    fillDistinctPlayState(2);
    gCurrentMap = 40;
    ASSERT_EQ(writeSaveFile(2), 0);
    const std::vector<std::uint8_t> saved = readBytes("Save_2.dat");
    resetPlayStateForSaveTests();

    reachTitleMenu();
    frame(10);
    frame(2);
    EXPECT_EQ(gSaveSlotCursor, 2);
    gPauseCounter = 5;
    frame(10);
    EXPECT_EQ(gScene, 1);
    EXPECT_EQ(gTransitionFrame, 0);
    EXPECT_EQ(gCurrentMap, 40);
    EXPECT_EQ(gParty[1], 1);
    EXPECT_EQ(gPauseCounter, 0);
    EXPECT_EQ(gCameraSnap, 2);
    EXPECT_EQ(gPendingMapChange.pending, 0);
    EXPECT_STREQ(gRequestedSong, "港町の歌 2") << "the music player starts the saved song";
    EXPECT_STREQ(gCurrentSong, "");
    EXPECT_EQ(gRedrawRequest[0], 2);
    EXPECT_EQ(gRedrawRequest[1], 2);
    EXPECT_EQ(framesUntilScene(0, 100), 31);
    EXPECT_EQ(gPlayerVSpeed, 0.0f) << "the fade-in lands the player";
    // What is in play is what was saved (the song now requested, not
    // current; the vertical speed landed by the fade-in).
    gPlayerVSpeed = -0.125f;
    std::memcpy(gCurrentSong, gRequestedSong, sizeof gCurrentSong);
    std::snprintf(gSavePlaceName, kSaveTextSize, "宿屋の二階 2");
    const std::vector<std::uint8_t> now = currentStateBytes();
    ASSERT_EQ(now.size(), saved.size());
    for (std::size_t i = 0; i < now.size(); ++i) ASSERT_EQ(now[i], saved[i]) << "first difference at " << i;
}
