// Map 13, the MZB army base of Marksen: the marshal's briefing of クレイバー,
// which the story plays once, on its way from the assembly hall to the
// central district.
#include "engine/Music.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kMarshal = 0;
constexpr int kClaberFigure = 1;

// The marshal questions クレイバー about the magical stones and sends him into
// the assembly hall; the scene goes on in the central district, where his
// song keeps playing until the briefing there lifts the lock.
void runBriefing() {
    const int s = gEventStep;
    switch (s) {
        case 0: say("13.1.0", 1); break;
        case 1: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 15: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 16:
            changeMap(1, 36, 22, 1);
            gMusicLock = 1;
            break;
        default:
            if (s >= 2 && s <= 14) sayStep(13, 1, s, 0);
            break;
    }
}

}  // namespace

int setupMap13(int entering) {
    if (entering == 1) applyMapArrival(13);
    dressFigure(kMarshal, 2, 1, 14, 0, 0, entering);
    dressFigure(kClaberFigure, 0, 1, 3, 0, 1, entering);
    return 0;
}

void runMapEvents13() {
    switch (gFieldEvent) {
        case kMarshal + 1: runBriefing(); break;
        default: endSilentEvent(); break;  // nothing else here is touched
    }
    ++gEventStep;
}
