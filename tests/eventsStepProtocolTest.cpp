#include "tests/eventsFixture.h"

namespace {

int gSetupCalls = 0;
int gScriptCalls = 0;

int countingSetup(int) {
    ++gSetupCalls;
    gMapObjects[0].visible = gStoryFlags[60];
    return 0;
}

// A talk: step 0 advance, step 1 the message, step 2 the end.
void talkScript() {
    ++gScriptCalls;
    if (gFieldEvent == 1) {
        switch (gEventStep) {
            case 1:
                setMessagePortrait(0, 0, 0);
                setMessage("", "ab", "", "");
                showMessage(0);
                break;
            case 2: endEvent(); break;
            default: break;
        }
    }
    ++gEventStep;
}

// A choice: step 0 offers two options and jumps to 3 or 4.
void choiceScript() {
    if (gFieldEvent == 1) {
        switch (gEventStep) {
            case 0:
                setMessage("", "yes", "no", "");
                showChoice(2);
                branchOnChoice(3, 4, 0);
                break;
            case 3:
                gStoryFlags[50] = 3;
                endEvent();
                break;
            case 4:
                gStoryFlags[50] = 4;
                endEvent();
                break;
            default: break;
        }
    }
    ++gEventStep;
}

// Ends at once and writes a flag after the end.
void endThenFlagScript() {
    if (gFieldEvent == 1 && gEventStep == 0) {
        endEvent();
        gStoryFlags[60] = 1;
    }
    ++gEventStep;
}

void pauseScript() {
    if (gFieldEvent == 1) {
        if (gEventStep == 0) pauseEvent(3);
        else if (gEventStep == 1) endEvent();
    }
    ++gEventStep;
}

}  // namespace

TEST_F(EventFrames, TwoStepTalkTakesThreeFramesPlusTheMessage) {
    gMapSetups[0] = countingSetup;
    gMapEventScripts[0] = talkScript;
    gFieldEvent = 1;
    gEventStep = 0;
    EXPECT_FALSE(frame());       // step 0 advances
    EXPECT_TRUE(frame());        // the message types: "ab\n\n" whole at once
    EXPECT_EQ(lastShown_, 4);
    EXPECT_TRUE(frame());        // waits for decide
    EXPECT_TRUE(frame(10));      // the closing frame still shows the window
    EXPECT_FALSE(frame());       // pause frame without window
    EXPECT_FALSE(frame());       // the releasing frame
    EXPECT_EQ(gFieldEvent, 1);
    EXPECT_FALSE(frame());       // step 2 ends the event, third frame after the decide
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 1);
    EXPECT_EQ(gMessagePausing, 0);
}

TEST_F(EventFrames, PauseOfThreeHoldsThirtyOneFramesAndReleasesOnTheThirtySecond) {
    gMapEventScripts[0] = pauseScript;
    gFieldEvent = 1;
    int frames = 0;
    while (gEventStep == 0 && frames < 100) {
        frame();
        ++frames;
    }
    EXPECT_EQ(frames, 32);
    frame();
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gPauseCounter, 0);
}

TEST_F(EventFrames, TreasureMessageRunsItselfWhileTheMapScriptOnlyAdvances) {
    gScriptCalls = 0;
    gMapEventScripts[0] = talkScript;  // does not handle 1000
    setMessage("", "treasure", "", "");
    gFieldEvent = kTreasureEvent;
    gEventStep = 0;
    const int frames = runUntilEventEnds();
    ASSERT_GT(frames, 0);
    EXPECT_EQ(gScriptCalls, frames);
    EXPECT_EQ(gEventStep, 1);
    EXPECT_EQ(gMessageStyle, 0);
    EXPECT_STREQ(gSpeakerName, "");
}

TEST_F(EventFrames, BranchOnChoiceLandsOnTheChosenStep) {
    struct Case {
        int inputs[4];
        int flag;
        int cursor;
    } cases[] = {
        {{0, 10, 0, 0}, 3, 0},
        {{2, 10, 0, 0}, 4, 1},
        {{2, 2, 10, 0}, 4, 1},   // down at the last option stays
        {{2, 8, 8, 10}, 3, 0},   // up at the first option stays
    };
    for (const Case& c : cases) {
        SetUp();
        gMapEventScripts[0] = choiceScript;
        gFieldEvent = 1;
        gEventStep = 0;
        frame();  // the options appear whole at once
        EXPECT_EQ(gMessageMode, 2);
        EXPECT_EQ(gMessageTyped, static_cast<int>(std::strlen(gMessageText)));
        for (int input : c.inputs) {
            if (gFieldEvent == 0) break;
            frame(input);
        }
        EXPECT_EQ(gChoiceCursor, c.cursor);
        // the decide frame jumped; the next frame runs the target step
        for (int n = 0; n < 3 && gFieldEvent != 0; ++n) frame();
        EXPECT_EQ(gStoryFlags[50], c.flag);
        EXPECT_EQ(gFieldEvent, 0);
    }
}

TEST_F(EventFrames, BranchOnChoiceSetsTheTargetMinusOneOnTheDecideFrame) {
    setMessage("", "a", "b", "c");
    gEventStep = 7;
    gInputCode = 10;
    showChoice(3);  // first frame: cursor 0, whole text, and decided at once
    EXPECT_EQ(gEventStep, 7);
    branchOnChoice(3, 4, 0);
    EXPECT_EQ(gEventStep, 2);
    EXPECT_EQ(gRedrawRequest[0], 3);
    gChoiceCursor = 3;  // no fourth option: no jump
    gEventStep = 7;
    branchOnChoice(3, 4, 0);
    EXPECT_EQ(gEventStep, 7);
}

TEST_F(EventFrames, FlagWrittenAfterEndEventShowsFromTheNextFrame) {
    gMapSetups[0] = countingSetup;
    gMapEventScripts[0] = endThenFlagScript;
    gFieldEvent = 1;
    gSetupCalls = 0;
    frame();
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 1);
    EXPECT_EQ(gSetupCalls, 2);  // the frame's own and endEvent's refresh
    EXPECT_EQ(gMapObjects[0].visible, 0);
    frame();
    EXPECT_EQ(gMapObjects[0].visible, 1);
}

TEST_F(EventFrames, UnhandledEventEndsAtOnceButSetUpNumbersKeepRunning) {
    // the shared default script of a map whose events are not written yet
    gMapSetups[0] = countingSetup;
    gMapEventScripts[0] = runDefaultEvents;
    gCurrentMap = 0;
    gFieldEvent = 5;
    gEventStep = 0;
    frame();
    EXPECT_EQ(gFieldEvent, 0);
    EXPECT_EQ(gEventStep, 1);
    for (int special : {kFallEvent, kLiftDepartureEvent, kLiftArrivalEvent}) {
        gFieldEvent = special;
        gEventStep = 1;
        frame();
        EXPECT_EQ(gFieldEvent, special);
        EXPECT_EQ(gEventStep, 2);
    }
}

TEST_F(EventFrames, DispatchDoesNothingInTheTitleLogoOrOffTheTable) {
    gMapSetups[0] = countingSetup;
    gSetupCalls = 0;
    gScene = 1000;
    setUpCurrentMap(1);
    EXPECT_EQ(gSetupCalls, 0);
    gScene = 0;
    for (int map : {-1, 130, 100000}) {
        gCurrentMap = map;
        setUpCurrentMap(1);
        gFieldEvent = 3;
        gEventStep = 4;
        runCurrentMapEvent();
        EXPECT_EQ(gEventStep, 4);
    }
    EXPECT_EQ(gSetupCalls, 0);
}
