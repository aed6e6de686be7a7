// The card boy's meeting and his lesson in the card game, a sub-script that
// the maps where he stands run step by step. His lines are the messages
// "card.<step>"; the lesson's board situations are the negative still
// pictures -102 to -124.
#include "story/CardTutorial.h"

#include <cstdio>

#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "gamedata/GameData.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kSherylFigure = 20;  // stands in for the hidden player during the meeting
constexpr int kRunningBoy = 21;
constexpr int kFallenRow = 4;
constexpr int kGiftCards[] = {32, 49, 58, 74, 76};
constexpr const char* kDuelSong = "【カード】一般人戦.mid";
constexpr const char* kMarksenSong = "【マップ】マルクセング.mid";

void sayCard(int step) {
    char key[16];
    std::snprintf(key, sizeof key, "card.%d", step);
    say(key, 3);
}

void offerCardChoice(int step, int count, int target0, int target1, int target2) {
    char key[16];
    std::snprintf(key, sizeof key, "card.%d", step);
    offerChoice(key, count);
    branchOnChoice(target0, target1, target2);
}

// The still picture each picture step shows; 0 where the step shows none.
int pictureOfStep(int step) {
    switch (step) {
        case 44: return -102;
        case 48: return -103;
        case 51: return -104;
        case 53: return -105;
        case 55: return -106;
        case 58: return -107;
        case 64: return -108;
        case 66: return -109;
        case 68: return -110;
        case 70: case 90: return -111;
        case 81: return -112;
        case 83: return -113;
        case 86: return -114;
        case 88: return -115;
        case 93: case 109: case 122: return -116;
        case 101: return -117;
        case 103: return -118;
        case 105: return -119;
        case 107: return -120;
        case 113: return -121;
        case 115: return -122;
        case 117: return -123;
        case 119: return -124;
        default: return 0;
    }
}

// Steps that show one of the boy's or シェリル's messages.
bool isMessageStep(int step) {
    static const int ranges[][2] = {
        {12, 13}, {18, 30}, {32, 36}, {38, 40}, {42, 42}, {45, 47}, {49, 50}, {52, 52},
        {54, 54}, {56, 57}, {59, 60}, {62, 62}, {65, 65}, {67, 67}, {69, 69}, {71, 74},
        {76, 80}, {82, 82}, {84, 85}, {87, 87}, {89, 89}, {91, 91}, {94, 100}, {102, 102},
        {104, 104}, {106, 106}, {108, 108}, {110, 112}, {114, 114}, {116, 116}, {118, 118},
        {120, 121}, {124, 133}, {136, 136}, {200, 200},
    };
    for (const auto& r : ranges)
        if (step >= r[0] && step <= r[1]) return true;
    return false;
}

// The first meeting ends by entering the electronic district again with the
// player shown; the map change keeps the flags as they stood, so the fading
// view still shows the scene. A re-explanation just ends.
void finish() {
    if (gStoryFlags[flag::kCardBoy] == 2) {
        endEvent();
        return;
    }
    changeMap(0, 57, 13, 1);
    gPlayerVisible = 1;
    gStoryFlags[flag::kCardBoy] = 2;
}

}  // namespace

void runCardTutorial() {
    const int s = gEventStep;
    if (const int picture = pictureOfStep(s); picture != 0) {
        showStillPicture(picture);
        return;
    }
    switch (s) {
        // The meeting is watched from a little way up the street: the
        // arrival stands at the street's end, where the town ends in sky.
        case 0: lookAtCell(56.0f, 14.0f, 1); return;
        case 10: walk(kSherylFigure, 4, 10); return;
        case 11: case 15: waitWalk(); return;
        case 14: walk(kRunningBoy, 6, 40); return;
        case 16:
            walk(kSherylFigure, 6, 10);
            walk(kRunningBoy, 9, 5);
            return;
        case 17:
            gStoryFlags[flag::kCardBoy] = 1;  // the dropped card lies in the street
            face(kSherylFigure, 1);
            face(kRunningBoy, 0);
            pose(kRunningBoy, kFallenRow);
            waitWalk();
            return;
        case 20:
            pose(kRunningBoy, 0);  // back on his feet to apologise
            sayCard(s);
            return;
        case 28:
            gStoryFlags[flag::kCardBoy] = 0;  // シェリル has picked the card up
            sayCard(s);
            return;
        case 31:
            playSoundEffect("Takara.wav");
            for (const int card : kGiftCards) {
                ++gCardStock[card].count;
                gCardStock[card].known = 1;
            }
            return;
        case 37: offerCardChoice(s, 3, 38, 42, 200); return;
        case 61: offerCardChoice(s, 3, 64, 62, 62); return;
        case 63: offerCardChoice(s, 2, 44, 198, 0); return;
        case 92: offerCardChoice(s, 2, 93, 72, 0); return;
        case 123: offerCardChoice(s, 3, 124, 95, 70); return;
        case 43: changeMusic(kDuelSong); return;
        case 134: case 198: changeMusic(kMarksenSong); return;
        case 135: case 199: waitStillPicture(); return;
        case 41: case 137: case kCardTutorialLastStep: finish(); return;
        default:
            if (isMessageStep(s)) sayCard(s);
            return;
    }
}
