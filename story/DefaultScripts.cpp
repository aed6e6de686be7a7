#include "events/EventEngine.h"
#include "field/EventState.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"

int runDefaultSetup(int map, int entering) {
    if (entering == 1) applyMapArrival(map);
    return 0;
}

void runDefaultEvents() {
    switch (gFieldEvent) {
        case 0:
        case kTreasureEvent:
        case kFallEvent:
        case kLiftDepartureEvent:
        case kLiftArrivalEvent:
            break;
        default:
            endEvent();  // no script for it yet: end at once, never freeze the player
            break;
    }
    ++gEventStep;
}
