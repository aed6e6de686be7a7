// A field-frame harness for event scripts: scripted input, the set-up, the
// event frame and the typewriter in the field's order, with fake map scripts
// put into map 0's slot of the dispatch tables.
#pragma once

#include <gtest/gtest.h>

#include <cstring>

#include "engine/Config.h"
#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "events/EventEngine.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "story/MapScripts.h"
#include "story/StoryState.h"

class EventFrames : public ::testing::Test {
protected:
    void SetUp() override {
        savedSetup_ = gMapSetups[0];
        savedEvents_ = gMapEventScripts[0];
        resetEventEngine();
        resetMessageWindow();
        resetStoryState();
        resetFieldMap();
        resetInput();
        resetConfig();
        gMusicLock = 0;
        gRequestedSong[0] = gCurrentSong[0] = '\0';
        gScene = 0;
        gCurrentMap = 0;
    }
    void TearDown() override {
        gMapSetups[0] = savedSetup_;
        gMapEventScripts[0] = savedEvents_;
    }

    // One field frame; returns true when the message window was shown.
    bool frame(int input = 0) {
        gInputCode = input;
        setUpCurrentMap(0);
        if (gFieldEvent != 0) runCurrentMapEvent();
        const bool window = gMessageMode >= 1 && gMessageMode <= 3;
        if (window) lastShown_ = advanceMessageTypewriter();
        return window;
    }

    // Frames (pressing decide whenever the window is whole) until the event
    // ends; -1 when it does not within the budget.
    int runUntilEventEnds(int budget = 500) {
        for (int n = 1; n <= budget; ++n) {
            const bool whole = gMessageMode == 1 && gMessageTyped == static_cast<int>(std::strlen(gMessageText));
            frame(whole ? 10 : 0);
            if (gFieldEvent == 0) return n;
        }
        return -1;
    }

    int lastShown_ = 0;

private:
    MapSetup savedSetup_ = nullptr;
    MapEventScript savedEvents_ = nullptr;
};
