// Map 120, the cabin of the ship out of Marksen: on the road to ルレノ
// シェリル sails with リュウヒ and もろこし, on the other road with ファルク,
// リメル and アラフォース to the sea fortress. The route's scene plays on
// arrival and always leaves the map.
#include "engine/Music.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "gamedata/GameData.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kRulenoSheryl = 0;
constexpr int kRyuhiFigure = 1;
constexpr int kMerchantFigure = 2;
constexpr int kFortressSheryl = 3;

constexpr int kRimel = 3;  // unit ids
constexpr int kRyuhi = 5;

// リュウヒ comes along for ルレノ at no less than リメル's level less one,
// his experience at the start of his level and no stones of his own.
void ryuhiJoins() {
    gParty[1] = kRyuhi;
    gParty[2] = 0;
    joinAtLevel(kRyuhi, gPartyMembers[kRimel].level - 1);
    clearStones(kRyuhi);
}

void runVoyageToRuleno() {
    const int s = gEventStep;
    switch (s) {
        case 11: face(kRulenoSheryl, 1); break;
        case 12: walk(kMerchantFigure, 6, 8, 3, 4); break;
        case 13: waitWalk(); break;
        case 17: face(kRulenoSheryl, 1); sayStep(120, 1, s, 0); break;
        case 23:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 24: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 25:
            // The tint and the slow fade stay for the ruins' arrival scene.
            ryuhiJoins();
            changeMap(93, 28, 12, 1);
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 10) || (s >= 14 && s <= 22)) sayStep(120, 1, s, 0);
            break;
    }
}

void runVoyageToTheFortress() {
    const int s = gEventStep;
    switch (s) {
        case 7: {
            gCameraGlide = 50;
            const float rise[3] = {0.0f, 40.0f, -10.0f};
            setCameraTarget(1, rise);
            break;
        }
        case 8:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 9: pauseEvent(3); break;
        case 10: showStillPicture(9); break;
        case 11: waitPictureShown(); break;
        case 12: pauseEvent(5); break;
        case 13:
            gSlowMusicFade = 0;
            waitStillPicture();
            break;
        case 14:
            changeMap(105, 26, 5, 0);
            gPlayerVisible = 1;
            break;
        default:
            if (s >= 1 && s <= 6) sayStep(120, 4, s, 0);
            break;
    }
}

}  // namespace

int setupMap120(int entering) {
    if (entering == 1) applyMapArrival(120);
    const int route = gStoryFlags[flag::kRoute];
    if (route != 1) {
        dressFigure(kRulenoSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kRyuhiFigure, 0, 1, 4, 0, 1, entering);
        dressFigure(kMerchantFigure, 0, 1, 48, 0, 0, entering);
    }
    if (route != 2) {
        dressFigure(kFortressSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(4, 0, 1, 1, 0, 1, entering);
        dressFigure(5, 0, 1, 2, 0, 1, entering);
        dressFigure(6, 0, 1, 47, 0, 0, entering);
    }
    return 0;
}

void runMapEvents120() {
    switch (gFieldEvent) {
        case kRulenoSheryl + 1: runVoyageToRuleno(); break;
        case kFortressSheryl + 1: runVoyageToTheFortress(); break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}
