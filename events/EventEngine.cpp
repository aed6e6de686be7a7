#include "events/EventEngine.h"

#include <cstring>

#include "engine/Scene.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "story/Dialogue.h"
#include "story/MapScripts.h"

int gFieldEvent = 0;
int gEventStep = 0;
std::uint8_t gStoryFlags[1000] = {};
int gPauseCounter = 0;

namespace {

bool currentMapHasScripts() { return gCurrentMap >= 0 && gCurrentMap < kMapScriptCount; }

// Event 1000: the field has already written the chest's line into the message.
void runTreasureMessageStep() {
    if (gEventStep == 0) {
        setMessagePortrait(0, 0, 0);
        showMessage(0);
    } else if (gEventStep == 1) {
        endEvent();
    }
}

}  // namespace

int setUpCurrentMap(int entering) {
    if (entering != 0) prepareDialogue();
    if (gScene == 1000 || !currentMapHasScripts()) return 0;
    return gMapSetups[gCurrentMap](entering);
}

void runCurrentMapEvent() {
    gMessageMode = 0;
    if (gFieldEvent == kTreasureEvent) runTreasureMessageStep();
    if (currentMapHasScripts()) gMapEventScripts[gCurrentMap]();
}

void pauseEvent(int n) {
    const int counted = gPauseCounter;
    ++gPauseCounter;
    if (counted > 10 * n) {
        gPauseCounter = 0;
        gMessagePausing = 0;
    } else {
        --gEventStep;
    }
}

void endEvent() {
    gEventStep = 0;
    gFieldEvent = 0;
    setUpCurrentMap(0);
}

void resetEventEngine() {
    gFieldEvent = 0;
    gEventStep = 0;
    gPauseCounter = 0;
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
}
