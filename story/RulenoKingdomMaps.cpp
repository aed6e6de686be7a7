// クレイバー's memory of the island kingdom ルレノ three years ago, told at
// the inn of スキンタウン: the ceremony by the sea (27), his sister's
// farewell at home (24), the town (23), the castle (25, 26) with the news of
// the invasion, the ruins after the attack (28) and the talk with ジェクター
// (29), which returns to the inn. The player walks as クレイバー and the camp
// menu stays shut until the memory ends.
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "field/FieldServices.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The memory's own flags.
constexpr int kHouse = 56;        // 0 ceremony and house due, 1 caption due, 2 free walk
constexpr int kSecondFloor = 57;  // 0 before, 1 invasion news due, 2 after
constexpr int kRuins = 58;        // 1 the Skin soldiers stand in the ruins

constexpr int kClaberColumn = 3;
constexpr int kSherylColumn = 0;
constexpr int kSoldierColumn = 48;
constexpr int kSoldierRow = 9;

void warmTint() { fadeTint(1.0f, 0.75f, 0.5f, 1.0f); }
void blackTint() { fadeTint(0.0f, 0.0f, 0.0f, 1.0f); }

}  // namespace

// ---- Map 27: the sea, the ceremony three years ago ----

int setupMap27(int entering) {
    if (entering == 1) applyMapArrival(27);
    const bool ceremony = gStoryFlags[kHouse] == 0;
    hiddenTriggers(0, 2);
    if (ceremony) dressFigure(3, 2, 1, kClaberColumn, 0, 0, entering);
    else removeFigure(3);
    for (int slot = 4; slot <= 13; ++slot)
        if (ceremony) dressFigure(slot, 0, 1, kSoldierColumn, kSoldierRow, slot <= 10 ? 0 : 1, entering);
    return 0;
}

void runMapEvents27() {
    const int event = gFieldEvent;
    const int s = gEventStep;
    if (event >= 1 && event <= 3) {
        changeMap(23, 25, 10, 0);
    } else if (event == 4) {
        switch (s) {
            case 0:
                say("27.4.0", 0);
                gCampMenuAllowed = 0;
                break;
            case 1: warmTint(); break;
            case 2: case 3: case 4: sayStep(27, 4, s, 0); break;
            case 5: walk(3, 6, 8); break;
            case 6: waitWalk(); break;
            case 7: blackTint(); break;
            case 8: changeMap(24, 43, 36, 0); break;
            default: break;
        }
    }
    ++gEventStep;
}

// ---- Map 24: クレイバー's house ----

namespace {

constexpr int kClaberAtHome = 2;
constexpr int kMarty = 3;

void runHouseScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            lookAtCell(38.5f, 37.0f, 1);  // the living room, not the doorway
            say("24.3.0", 0);
            gCampMenuAllowed = 0;
            break;
        case 1: warmTint(); break;
        case 8: sayStep(24, 3, s, 5); break;
        case 15: walk(kMarty, 4, 4); break;
        case 16: case 28: waitWalk(); break;
        case 19: face(kMarty, 0); sayStep(24, 3, s, 0); break;
        case 23: face(kMarty, 1); sayStep(24, 3, s, 0); break;
        case 27: walk(kMarty, 4, 32); break;
        case 29: face(kClaberAtHome, 1); sayStep(24, 3, s, 0); break;
        case 30: blackTint(); break;
        case 32: sayStep(24, 3, s, 5); break;
        case 35:
            changeMap(24, 43, 36, 1);
            gStoryFlags[kHouse] = 1;
            gPlayerSpriteColumn = kClaberColumn;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 2 && s <= 14) || (s >= 17 && s <= 26) || s == 31 || s == 33 || s == 34) sayStep(24, 3, s, 0);
            break;
    }
}

}  // namespace

int setupMap24(int entering) {
    if (entering == 1) applyMapArrival(24);
    const std::uint8_t* f = gStoryFlags;
    hiddenTriggers(0, 1);
    if (f[kHouse] == 0) {
        dressFigure(kClaberAtHome, 2, 1, kClaberColumn, 0, 0, entering);
        dressFigure(kMarty, 2, 1, 15, 0, 1, entering);
    } else {
        removeFigure(kClaberAtHome);
        removeFigure(kMarty);
    }
    trigger(4, f[kHouse] == 1 ? 2 : 0);
    return 0;
}

void runMapEvents24() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(23, 14, 20, 0); break;
        case 3:
            if (gStoryFlags[kHouse] == 0) runHouseScene();
            else endEvent();
            break;
        case 4:
            // マーティ's figure is only part of the house scene; slot 2 starts
            // first, but should her trigger ever run it must not hold the player.
            endEvent();
            break;
        case 5:
            switch (gEventStep) {
                case 0: say("24.5.0", 0); break;
                case 1: warmTint(); break;
                case 2:
                    gStoryFlags[kHouse] = 2;
                    endEvent();
                    break;
                default: break;
            }
            break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 23: the town ----

namespace {

struct Townsperson {
    int slot, column, row, facing;
};
constexpr Townsperson kTownspeople[] = {
    {10, 45, 7, 0}, {14, 45, 7, 0}, {20, 45, 7, 0}, {5, 45, 8, 0},  {9, 45, 8, 1},  {18, 45, 8, 1},
    {19, 45, 9, 0}, {7, 45, 9, 1},  {15, 45, 9, 1}, {6, 46, 7, 0},  {8, 46, 7, 1},  {16, 46, 7, 1},
    {17, 46, 7, 1}, {13, 46, 8, 0}, {11, 47, 8, 1}, {12, 47, 9, 1},
};

}  // namespace

int setupMap23(int entering) {
    if (entering == 1) applyMapArrival(23);
    hiddenTriggers(0, 4);
    for (const Townsperson& p : kTownspeople) dressFigure(p.slot, 3, 1, p.column, p.row, p.facing, entering);
    return 0;
}

void runMapEvents23() {
    const int event = gFieldEvent;
    switch (event) {
        case 1: case 2: changeMap(25, 26, 19, 0); break;
        case 3: changeMap(24, 30, 42, 1); break;
        case 4: case 5: changeMap(27, 18, 25, 1); break;
        case 14: case 15: runTalk(23, gFieldEvent, 3); break;
        case 21: runTalk(23, gFieldEvent, 18); break;
        default:
            if ((event >= 6 && event <= 13) || (event >= 16 && event <= 20)) runTalk(23, gFieldEvent);
            break;
    }
    ++gEventStep;
}

// ---- Map 25: the castle's first floor ----

int setupMap25(int entering) {
    if (entering == 1) applyMapArrival(25);
    hiddenTriggers(0, 9);
    for (int slot = 10; slot <= 20; ++slot) {
        const bool facesPlusX = inSteps(slot, {10, 13, 15, 17, 18});
        dressFigure(slot, 3, 1, kSoldierColumn, kSoldierRow, facesPlusX ? 0 : 1, entering);
    }
    return 0;
}

void runMapEvents25() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 4) changeMap(23, 24, 43, 1);
    else if (event >= 5 && event <= 10) changeMap(26, 26, 44, 0);
    else if (event >= 11 && event <= 21) runTalk(25, gFieldEvent);
    ++gEventStep;
}

// ---- Map 26: the castle's second floor and the news of the invasion ----

namespace {

constexpr int kMessenger = 21;
constexpr int kClaberInTheHall = 22;

void runInvasionNews() {
    const int s = gEventStep;
    switch (s) {
        case 1: case 3: case 4: case 5: case 8: case 9: case 13: sayStep(26, 22, s, 0); break;
        case 2: face(kClaberInTheHall, 0); sayStep(26, 22, s, 0); break;
        case 6: changeMusic("【イベント】クロスケーション.mid"); break;
        case 7: playSoundEffect("Wepon_02.wav"); break;
        case 10: walk(kMessenger, 9, 60); break;
        case 11: waitWalk(); break;
        case 12: blackTint(); break;
        case 14:
            changeMap(28, 27, 33, 1);
            gStoryFlags[kSecondFloor] = 2;
            break;
        default: break;
    }
}

}  // namespace

int setupMap26(int entering) {
    if (entering == 1) applyMapArrival(26);
    const std::uint8_t* f = gStoryFlags;
    for (int slot = 0; slot <= 3; ++slot) trigger(slot, f[kSecondFloor] == 0 ? 1 : 0);
    for (int slot = 4; slot <= 9; ++slot) trigger(slot, 1);
    for (int slot = 10; slot <= 20; ++slot) {
        const bool facesPlusX = inSteps(slot, {10, 11, 13, 15, 16, 17, 20});
        dressFigure(slot, 3, 1, kSoldierColumn, kSoldierRow, facesPlusX ? 0 : 1, entering);
    }
    if (f[kSecondFloor] == 1) {
        dressFigure(kMessenger, 2, 1, kSoldierColumn, kSoldierRow, 1, entering);
        dressFigure(kClaberInTheHall, 2, 1, kClaberColumn, 0, 1, entering);
    } else {
        trigger(kMessenger, 0);
        trigger(kClaberInTheHall, 0);
    }
    return 0;
}

void runMapEvents26() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 4) {
        changeMap(26, 27, 25, 0);
        gStoryFlags[kSecondFloor] = 1;
        gPlayerVisible = 0;
    } else if (event >= 5 && event <= 10) {
        changeMap(25, 26, 42, 1);
    } else if (event >= 11 && event <= 21) {
        runTalk(26, gFieldEvent);
    } else if (event == 22) {
        if (gStoryFlags[kSecondFloor] == 1) runInvasionNews();
        else endEvent();
    } else if (event == 23) {
        endEvent();  // クレイバー's figure: the messenger's scene always starts first
    }
    ++gEventStep;
}

// ---- Map 28: the ruins after the attack ----

namespace {

constexpr int kClaberInTheRuins = 0;
constexpr int kJector = 16;

void runRuinsScene() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            // Watched from the street's near side, wide enough for both
            // bands of soldiers that close in on him.
            lookAtCell(33.0f, 24.0f, 1);
            warmTint();
            break;
        case 13: warmTint(); break;
        case 2: walk(kClaberInTheRuins, 1, 20); break;
        case 5: walk(kClaberInTheRuins, 3, 8); break;
        case 3: case 6: case 18: waitWalk(); break;
        case 8: case 23: blackTint(); break;
        case 12:
            gStoryFlags[kRuins] = 1;
            sayStep(28, 1, s, 2);
            break;
        case 14: pose(kClaberInTheRuins, 8); sayStep(28, 1, s, 2); break;
        case 16: face(kClaberInTheRuins, 1); sayStep(28, 1, s, 2); break;
        case 17:
            walk(13, 9, 44);
            for (int slot : {14, 15, kJector}) walk(slot, 9, 40);
            break;
        case 19: case 20: sayStep(28, 1, s, 0); break;
        case 21: pose(kClaberInTheRuins, 0); sayStep(28, 1, s, 2); break;
        case 22: changeMusic("【チャプター７】ルレノ廃墟.mid"); break;
        case 26: sayStep(28, 1, s, 5); break;
        case 28: changeMap(29, 27, 36, 0); break;
        default:
            if (inSteps(s, {1, 4, 7, 9, 10, 11, 15, 24, 25, 27})) sayStep(28, 1, s, 2);
            break;
    }
}

}  // namespace

int setupMap28(int entering) {
    if (entering == 1) applyMapArrival(28);
    dressFigure(kClaberInTheRuins, 2, 1, kClaberColumn, 0, 1, entering);
    for (int slot = 1; slot <= 9; ++slot) dressFigure(slot, 3, 1, 35, 9, slot <= 4 ? 1 : 0, entering);
    if (gStoryFlags[kRuins] == 1) {
        for (int slot = 10; slot <= 12; ++slot) {
            dress(slot, 0, 1, 23, 0);
            face(slot, 1);
        }
    }
    dressFigure(13, 3, 1, 31, 0, 0, entering);
    dressFigure(14, 3, 1, 31, 0, 0, entering);
    dressFigure(15, 3, 1, 32, 0, 0, entering);
    dressFigure(kJector, 0, 1, 13, 0, 0, entering);
    return 0;
}

void runMapEvents28() {
    // The scene runs from the arrival to the change of map, so the people
    // standing here can never be spoken to.
    if (gFieldEvent == 1) runRuinsScene();
    else if (gFieldEvent >= 2 && gFieldEvent <= 17) endEvent();
    ++gEventStep;
}

// ---- Map 29: the talk with ジェクター ----

int setupMap29(int entering) {
    if (entering == 1) applyMapArrival(29);
    dressFigure(0, 2, 1, kClaberColumn, 0, 0, entering);
    dressFigure(1, 0, 1, 13, 0, 0, entering);
    dressFigure(2, 3, 1, 31, 0, 0, entering);
    dressFigure(3, 3, 1, 31, 0, 0, entering);
    dressFigure(4, 3, 1, 32, 0, 0, entering);
    return 0;
}

void runMapEvents29() {
    const int s = gEventStep;
    if (gFieldEvent == 1) {
        switch (s) {
            case 0: warmTint(); break;
            case 8: face(0, 1); sayStep(29, 1, s, 2); break;
            case 10: sayStep(29, 1, s, 5); break;
            case 12: face(0, 0); sayStep(29, 1, s, 5); break;
            case 14: sayStep(29, 1, s, 10); break;
            case 16: blackTint(); break;
            case 17:
                changeMap(21, 26, 53, 1);
                gStoryFlags[flag::kRulenoFlashback] = 1;
                gCampMenuAllowed = 1;
                gPlayerSpriteColumn = kSherylColumn;
                break;
            default:
                if (s >= 1 && s <= 15) {
                    // ジェクター's lines pause 0, クレイバー's 2.
                    const bool jector = inSteps(s, {2, 4, 6, 9, 11, 13});
                    sayStep(29, 1, s, jector ? 0 : 2);
                }
                break;
        }
    } else if (gFieldEvent >= 2 && gFieldEvent <= 5) {
        endEvent();
    }
    ++gEventStep;
}
