// Set-ups and event scripts of this region's maps: the town square (20) with
// its people, shops, inn desk, card players and tournament, and the party's
// arrival walk into the inn; the inn room where the party waits for the night
// of the raid (21) and the bar where a new game begins (22).
#include <cstdio>

#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "story/CardGames.h"
#include "story/CardTutorial.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kEmperorGift = 124;  // 0 not met, 1 gift scene due, 2 given
constexpr int kRaidNight = 60;     // 1 once シェリル chose to rest before the raid
constexpr int kLightnixGun = 45;

const float kPullBack[3] = {0.0f, 40.0f, -10.0f};

}  // namespace

// ---- Map 20: the town square ----

namespace {

constexpr int kInnPrice = 200;
constexpr const char* kSkinSong = "【マップ】スキンタウン.mid";

// Object slots of the square.
constexpr int kArrivalSheryl = 37;
constexpr int kCardBoy = 42;

struct Townsperson {
    int slot, column, row, facing;
};
constexpr Townsperson kSquarePeople[] = {
    {10, 45, 7, 0}, {17, 46, 7, 0}, {22, 46, 7, 0}, {11, 47, 8, 0}, {45, 47, 8, 0}, {12, 47, 9, 1},
    {13, 46, 8, 1}, {14, 45, 7, 0}, {15, 45, 9, 1}, {19, 45, 9, 1}, {23, 45, 9, 1}, {27, 45, 9, 1},
    {29, 45, 9, 1}, {46, 45, 9, 1}, {16, 46, 7, 1}, {24, 46, 7, 1}, {32, 46, 7, 1}, {41, 46, 7, 1},
    {18, 45, 8, 1}, {20, 45, 8, 1}, {25, 45, 8, 1}, {26, 45, 8, 1}, {31, 45, 8, 1}, {21, 45, 8, 0},
    {28, 45, 7, 1}, {30, 45, 7, 1}, {47, 46, 9, 0}, {48, 46, 9, 0},
};

const InnScript kSkinInn = {
    kInnPrice,
    {"宿屋主", {"いらっしゃいませ。", "スキンエンパイア旅の宿へようこそ。", ""}},
    {"宿屋主", {"一泊200コインとなります。", "泊まっていきますか？", ""}},
    {"宿屋主", {"おや、お代が足りないようですね。", "またのお越しをお待ちしております。", ""}},
    "シェリル",
    0,
    "200コイン支払って一泊する。",
    false,  // this inn takes the money without a ring of the till
    kSkinSong,
};

}  // namespace

int setupMap20(int entering) {
    if (entering == 1) applyMapArrival(20);
    const std::uint8_t* f = gStoryFlags;
    for (int slot : {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 34, 35, 36}) dress(slot, 1, 0, 0, 0);
    for (const Townsperson& p : kSquarePeople) dressPosed(p.slot, 3, p.column, p.row, p.facing, entering);
    chest(33, 5, 4, 1);
    if (f[flag::kSkinInnStayed] == 0) {
        dressFigure(kArrivalSheryl, 2, 1, 0, 0, 0, entering);
        static const int kCompanions[3] = {47, 1, 3};  // アラフォース, ファルク, クレイバー
        for (int i = 0; i < 3; ++i) dressFigure(38 + i, 0, 1, kCompanions[i], 0, 1, entering);
    } else {
        for (int slot = 37; slot <= 40; ++slot) dress(slot, 0, 0, 0, 0);
    }
    dressFigure(kCardBoy, 3, 1, 52, 0, 0, entering);
    dressPosed(43, 0, 47, 8, 1, entering);
    dress(44, 1, 0, 0, 0);
    trigger(49, 1);
    return 0;
}

namespace {

// Four figures walk the party up the street into the inn.
void runSquareArrival() {
    static const float kViews[3][3] = {{5.0f, 10.0f, 30.0f}, {-20.0f, 10.0f, 30.0f}, {-20.0f, 10.0f, 0.0f}};
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 1: case 3: case 5:
            gCameraGlide = 10;
            setCameraTarget(1, kViews[(s - 1) / 2]);
            break;
        case 2: case 6: pauseEvent(7); break;
        case 4: pauseEvent(5); break;
        case 7:
            // Back to the party, who stand a few cells up the street: seen
            // from the player's own cell they would be behind the roofs.
            lookAtCell(46.0f, 12.0f, 10);
            break;
        case 8: case 9: case 10: case 11: sayStep(20, 38, s, 0); break;
        case 12: {
            // slot, first and second direction of eight frames each
            static const int kMoves[4][3] = {{37, 9, 9}, {38, 4, 9}, {39, 7, 9}, {40, 7, 7}};
            for (const auto& m : kMoves) {
                beginMoveBlock(1, m[0]);
                addMoves(m[1], 8);
                addMoves(m[2], 8);
                addMoves(4, 1);
            }
            break;
        }
        case 13: waitWalk(); break;
        case 14: changeMap(21, 26, 53, 1); break;
        default: break;
    }
}

// A townsperson who plays the card game.
const char* skinSong() { return kSkinSong; }
void clearTint() { fadeTint(1.0f, 1.0f, 1.0f, 1.0f); }

// "ギャラクシーズスキンエンパイア大会": seven rounds under a cost limit of 8.
constexpr CardTournament kSkinTournament = {"20.45", "", flag::kTournamentSkin, 8, 20, skinSong, clearTint};

}  // namespace

void runMapEvents20() {
    static const int kArms[20] = {5, 22, 35, 49, 76, 77, 78};
    static const int kTools[20] = {104, 105, 106, 108, 109, 110, 130, 131, 132, 133, 150, 153};
    static const int kToys[20] = {31, 55, 61, 62, 63, 64, 68, 69, 79};
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    switch (event) {
        case 1: case 2:
            if (f[flag::kAssemblyHall] != 0) changeMap(19, 21, 36, 0);
            else runTalk(20, 1);
            break;
        case 3: changeMap(21, 34, 44, 1); break;
        case 4: changeMap(22, 34, 44, 1); break;
        case 5: case 6: case 7: case 8: case 9: case 10:
            if (f[flag::kAssemblyHall] != 0) changeMap(30, 19, 6, 0);
            else runTalk(20, 5);
            break;
        case 11: case 12: case 13: case 14: case 15: case 16: case 17: case 18: case 19: case 20:
        case 21: case 22: case 23: case 24: case 25: case 26: case 27: case 28: case 29:
        case 46: case 47: case 48: case 49:
            runTalk(20, event);
            break;
        case 35: runShopCounter(20, event, 0, "武具屋－セマラナイストア", kArms, 0); break;
        case 36: runShopCounter(20, event, 0, "道具屋－居眠りバズーカ", kTools, 0); break;
        case 37: runShopCounter(20, event, 0, "玩具屋－セキカセシユウダイ", kToys, 100); break;
        case kArrivalSheryl + 1:
            if (f[flag::kSkinInnStayed] == 0) runSquareArrival();
            else endEvent();
            break;
        case 42: runCardPlayer("20.42", 2); break;
        case kCardBoy + 1: runCardBoyMenu("20.43"); break;
        case 45: runCardTournament(kSkinTournament); break;
        case 50:
            if (f[kRaidNight] != 0) {
                runInnStep(kSkinInn);
            } else {
                // The stay is already paid for.
                if (gEventStep == 0) gPlayerFacing = 0;
                else if (gEventStep == 1) sayStep(20, 50, 1, 0);
                else endEvent();
            }
            break;
        default: endSilentEvent(); break;  // the garden's idlers and the onlooker have nothing to say
    }
    ++gEventStep;
}

// ---- Map 21: the inn room ----

int setupMap21(int entering) {
    if (entering == 1) applyMapArrival(21);
    const std::uint8_t* f = gStoryFlags;
    dress(0, 1, 0, 0, 0);
    chest(1, 6, 156, 2);
    if (f[flag::kRulenoFlashback] == 0) dress(2, 2, 0, 0, 0);
    if (f[kRaidNight] == 0) {
        dressFigure(3, 3, 1, 1, 0, 1, entering);
        dressFigure(4, 3, 1, 3, 0, 0, entering);
        dressFigure(6, 3, 1, 47, 0, 1, entering);
    }
    if (f[flag::kSkinInnStayed] == 0) dressFigure(5, 0, 1, 0, 0, 1, entering);
    if (f[flag::kRulenoFlashback] == 1 && f[flag::kSkinInnStayed] == 0) dress(7, 2, 0, 0, 0);
    if (f[flag::kRoute] == 1) {
        dressPosed(8, 3, 44, 7, 0, entering);
    }
    if (f[kEmperorGift] == 1) dressFigure(9, 2, 1, 2, 0, 1, entering);
    return 0;
}

namespace {

// The first conversation: the party waits for the night; クレイバー's past.
void runInnFirstConversation() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            lookAtCell(37.0f, 49.0f, 1);  // the party sits across the room
            break;
        case 17: face(4, 1); sayStep(21, 3, s, 2); break;
        case 19: face(4, 0); sayStep(21, 3, s, 2); break;
        case 21: face(5, 0); sayStep(21, 3, s, 2); break;
        case 24: face(5, 1); sayStep(21, 3, s, 2); break;
        case 28: walk(4, 1, 4); break;
        case 29: waitWalk(); break;
        case 30:
            pose(4, 0);
            gPlayerFacing = 1;
            sayStep(21, 3, s, 2);
            break;
        case 39: face(4, 1); sayStep(21, 3, s, 2); break;
        case 40:
            gCameraGlide = 50;
            setCameraTarget(1, kPullBack);
            break;
        case 41: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 42: pauseEvent(5); break;
        case 43: changeMap(27, 20, 22, 1); break;
        case 11: case 26: break;  // silent: a breath between the speakers
        default:
            if ((s >= 10 && s <= 27) || (s >= 31 && s <= 38)) sayStep(21, 3, s, 2);
            break;
    }
}

// The second conversation, after the memory: vows, a quarrel, and シェリル
// going out alone.
void runInnSecondConversation() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            lookAtCell(37.0f, 49.0f, 1);
            break;
        case 6: walk(4, 6, 4); break;
        case 7: waitWalk(); break;
        case 17: walk(5, 4, 17); break;
        case 18: waitWalk(); break;
        case 19: face(5, 0); sayStep(21, 8, s, 2); break;
        case 21: walk(5, 1, 36); break;
        case 22: waitWalk(); break;
        case 23:
            changeMap(20, 45, 20, 0);
            gStoryFlags[flag::kSkinInnStayed] = 1;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 5) || (s >= 8 && s <= 16) || s == 20) sayStep(21, 8, s, 2);
            break;
    }
}

// The emperor hands his daughter the country's strongest gun.
void runEmperorGift() {
    const int s = gEventStep;
    switch (s) {
        case 1: case 3: sayStep(21, 10, s, 3); break;
        case 2: case 4: case 5: sayStep(21, 10, s, 0); break;
        case 6:
            receiveItem(kLightnixGun);
            break;
        case 7: sayStep(21, 10, s, 3); break;
        case 8: sayStep(21, 10, s, 2); break;
        case 9:
            changeMap(21, 32, 49, 1);
            gStoryFlags[kEmperorGift] = 2;
            break;
        default: break;
    }
}

}  // namespace

void runMapEvents21() {
    const std::uint8_t* f = gStoryFlags;
    switch (gFieldEvent) {
        case 1: changeMap(20, 45, 20, 0); break;
        case 3:
            if (f[flag::kRulenoFlashback] == 0) runInnFirstConversation();
            else endEvent();
            break;
        case 4: runTalk(21, 4, 1, 2); break;
        case 5:
            switch (gEventStep) {
                case 1: sayStep(21, 5, 1, 2); break;
                case 2:
                    offerChoice("21.5.2", 2);
                    branchOnChoice(3, 4, 0);
                    break;
                case 3: endEvent(); break;
                case 4: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
                case 5:
                    restAndAdvanceDay();
                    changeMap(30, 19, 6, 0);
                    gStoryFlags[kRaidNight] = 1;
                    gPlayerVisible = 0;
                    break;
                default: break;
            }
            break;
        case 7: runTalk(21, 7, 1, 2); break;
        case 8:
            if (f[flag::kRulenoFlashback] == 1 && f[flag::kSkinInnStayed] == 0) runInnSecondConversation();
            else endEvent();
            break;
        case 9:
            if (f[kEmperorGift] == 0) {
                changeMap(21, 32, 49, 1);
                gStoryFlags[kEmperorGift] = 1;
            } else {
                runTalk(21, 9);
            }
            break;
        case 10:
            if (f[kEmperorGift] == 1) runEmperorGift();
            else endEvent();
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 22: the bar ----

int setupMap22(int entering) {
    if (entering == 1) applyMapArrival(22);
    dress(0, 1, 0, 0, 0);
    if (gStoryFlags[flag::kSeaDistrictArrived] == 0) dressFigure(1, 2, 1, 47, 5, 1, entering);
    struct Guest {
        int column, row, facing;
    };
    static const Guest kGuests[7] = {{46, 8, 1}, {45, 7, 1}, {45, 9, 0}, {46, 7, 0}, {46, 7, 1}, {45, 8, 0}, {45, 9, 1}};
    for (int i = 0; i < 7; ++i) dressPosed(2 + i, 3, kGuests[i].column, kGuests[i].row, kGuests[i].facing, entering);
    trigger(9, 1);
    return 0;
}

namespace {

// The purple-haired woman reads the notice about シェリル's escape.
void runBarOpening() {
    const int s = gEventStep;
    switch (s) {
        case 1: sayStep(22, 2, s, 2); break;
        case 2: case 3: case 6: sayStep(22, 2, s, 3); break;
        case 4: pose(1, 6); sayStep(22, 2, s, 6); break;
        case 5: sayStep(22, 2, s, 4); break;
        case 7:
            gCameraGlide = 50;
            setCameraTarget(1, kPullBack);
            break;
        case 8: face(1, 0); sayStep(22, 2, s, 1); break;
        case 9: sayStep(22, 2, s, 10); break;
        case 10:
            gSlowMusicFade = 0;
            changeMap(2, 20, 19, 0);
            break;
        default: break;
    }
    if (s == 6) pose(1, 0);
}

}  // namespace

void runMapEvents22() {
    switch (gFieldEvent) {
        case 1: changeMap(20, 10, 20, 0); break;
        case 2:
            if (gStoryFlags[flag::kSeaDistrictArrived] == 0) runBarOpening();
            else endEvent();
            break;
        case 4: case 5: case 6: case 7: case 8: case 9: runTalk(22, gFieldEvent); break;
        case 10:
            switch (gEventStep) {
                case 0: gPlayerFacing = 0; break;
                case 1: case 2: sayStep(22, 10, gEventStep, 0); break;
                default: endEvent(); break;
            }
            break;
        default: endSilentEvent(); break;  // the guest of slot 2 has nothing to say
    }
    ++gEventStep;
}
