// The ruins of the Ruleno kingdom on the Ruleno route of episode 7: the sea
// ガルグ海 (93) with its harbour home to マルクセング, the ruined town (94,
// 95) with もろこし's stall, the ruined castle's floors (96-98), where gaps
// in the floors drop the party to the floor below, and the top floor (99):
// クレイバー and his sister マーティ, the battle with her and the end of the
// episode, then クレイバー's return to the party.
#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryState.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The ruins' own flags.
constexpr int kSeaArrival = 65;      // 1 once the arrival scene on the sea has played
constexpr int kClaberBayonet = 125;  // 0 he waits on map 95, 1 the scene runs, 2 done

constexpr int kSeraphicChoir = 60;   // the item id of Ruleno's strongest bayonet
constexpr int kClaberUnit = 4;
constexpr int kCoin = 1;             // gExchangeRates entry of コイン

// The ruins' monsters: groups 66 to 70 by slot.
void ruinsEnemies(int first, int last, int entering) { enemySymbols(first, last, 66, 5, 43, entering); }

// A gap in a floor: the player falling below `height` drops to the floor
// beneath. Another running event is never cut short by it.
void watchForFall(float height, int entering) {
    if (entering != 0) return;
    if (gFieldEvent != 0 && gFieldEvent != kFallEvent) return;
    if (gPlayerVSpeed < 0.0f && gPlayerPos[1] < height) gFieldEvent = kFallEvent;
}

void fallTo(int map) {
    int cell[3];
    worldToCell(gPlayerPos, cell);
    gStoryFlags[flag::kDropFromAbove] = 1;
    changeMap(map, cell[0], cell[2], 0);
}

}  // namespace

// ---- Map 93: the sea ガルグ海 ----

int setupMap93(int entering) {
    if (entering == 1) applyMapArrival(93);
    for (int slot = 0; slot <= 3; ++slot) trigger(slot, 1);
    trigger(4, gStoryFlags[kSeaArrival] == 0 ? 2 : 0);
    return 0;
}

void runMapEvents93() {
    const std::uint8_t* f = gStoryFlags;
    const int s = gEventStep;
    switch (gFieldEvent) {
        case 1: case 2: case 3: changeMap(94, 25, 10, 0); break;
        case 4:
            switch (s) {
                case 1:
                    offerChoice("93.4.1", 2);
                    branchOnChoice(2, 3, 0);
                    break;
                case 2: endEvent(); break;
                case 3:
                    if (f[flag::kCastleTop] == 2 && f[flag::kReturnAfterCastle] == 0) {
                        // The first way home after the castle: the news of the
                        // day has sent the コイン tumbling.
                        changeMap(1, 28, 5, 0);
                        gPlayerVisible = 0;
                        gStoryFlags[flag::kReturnAfterCastle] = 1;
                        gExchangeRates[kCoin].rate = 50000;
                        gExchangeRates[kCoin].falling = 1;
                    } else {
                        changeMap(1, 43, 29, 1);
                    }
                    break;
                default: break;
            }
            break;
        case 5:
            switch (s) {
                case 0:
                    gSlowMusicFade = 0;
                    fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
                    break;
                case 1: case 2: sayStep(93, 5, s, 0); break;
                case 3: showStillPicture(10); break;
                case 4: waitPictureShown(); break;
                case 5: waitStillPicture(); break;
                case 6:
                    gStoryFlags[kSeaArrival] = 1;
                    endEvent();
                    break;
                default: break;
            }
            break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 94: the ruined town ----

namespace {

constexpr int kMerchant = 20;
constexpr int kMerchantGoods[20] = {11, 53, 64, 88, 89, 132, 133, 134, 136, 137, 138, 0};

}  // namespace

int setupMap94(int entering) {
    if (entering == 1) applyMapArrival(94);
    for (int slot = 0; slot <= 4; ++slot) trigger(slot, 1);
    chest(5, 96, 124, 1);
    chest(6, 97, 145, 1);
    chest(7, 156, 155, 1);
    ruinsEnemies(8, 19, entering);
    dressFigure(kMerchant, 3, 1, 48, 0, 1, entering);
    if (gStoryFlags[flag::kCastleTop] == 2) {
        trigger(21, 1);
        trigger(22, 1);
    }
    return 0;
}

void runMapEvents94() {
    const int s = gEventStep;
    switch (gFieldEvent) {
        case 1: case 2: changeMap(96, 26, 19, 0); break;
        case 3: changeMap(95, 30, 42, 1); break;
        case 4: case 5: changeMap(93, 18, 25, 1); break;
        case 21: runShopAfterTalk(94, 21, 3, "もろこし屋－ルレノキングダム", kMerchantGoods, 12); break;
        case 22: case 23:
            if (s == 1) say("94.22.1", 0);
            else if (s == 5) endEvent();
            break;
        default: break;
    }
    ++gEventStep;
}

// ---- Map 95: a corner of the town, where クレイバー fetches his bayonet ----

namespace {

constexpr int kClaberHere = 3;

void runBayonetScene() {
    const int s = gEventStep;
    switch (s) {
        case 1: walk(kClaberHere, 4, 4); break;
        case 4: walk(kClaberHere, 9, 6); break;
        case 2: case 5: waitWalk(); break;
        case 3: sayStep(95, 4, s, 3); break;
        case 6: face(kClaberHere, 1); sayStep(95, 4, s, 0); break;
        case 7:
            playSoundEffect("Takara.wav");
            ++gItemStock[kSeraphicChoir].owned;
            break;
        case 8: sayStep(95, 4, s, 3); break;
        case 9: sayStep(95, 4, s, 0); break;
        case 10: face(kClaberHere, 0); sayStep(95, 4, s, 0); break;
        case 11:
            changeMap(95, 45, 40, 1);
            gStoryFlags[kClaberBayonet] = 2;
            break;
        default: break;
    }
}

}  // namespace

int setupMap95(int entering) {
    if (entering == 1) applyMapArrival(95);
    hiddenTriggers(0, 1);
    chest(2, 98, 157, 1);
    if (gStoryFlags[flag::kCastleTop] == 2) {
        switch (gStoryFlags[kClaberBayonet]) {
            case 0: dressFigure(kClaberHere, 3, 1, 3, 0, 1, entering); break;
            case 1: dressFigure(kClaberHere, 2, 1, 3, 0, 1, entering); break;
            default: dressFigure(kClaberHere, 0, 0, 3, 0, 1, entering); break;
        }
    }
    return 0;
}

void runMapEvents95() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(94, 14, 20, 0); break;
        case 4:
            if (gStoryFlags[kClaberBayonet] == 0) {
                changeMap(95, 45, 40, 1);
                gStoryFlags[kClaberBayonet] = 1;
            } else if (gStoryFlags[kClaberBayonet] == 1) {
                runBayonetScene();
            } else {
                endEvent();
            }
            break;
        default: break;
    }
    ++gEventStep;
}

// ---- Maps 96-98: the ruined castle's lower floors ----

int setupMap96(int entering) {
    if (entering == 1) applyMapArrival(96);
    hiddenTriggers(0, 9);
    chest(10, 99, 140, 1);
    chest(11, 100, 87, 1);
    chest(12, 101, 1000, 10000);
    chest(13, 102, 145, 1);
    ruinsEnemies(14, 25, entering);
    return 0;
}

void runMapEvents96() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 4) changeMap(94, 24, 43, 1);
    else if (event >= 5 && event <= 10) changeMap(97, 26, 44, 0);
    ++gEventStep;
}

int setupMap97(int entering) {
    if (entering == 1) applyMapArrival(97);
    hiddenTriggers(0, 9);
    chest(10, 103, 12, 1);
    chest(11, 104, 156, 1);
    chest(12, 105, 141, 1);
    chest(13, 106, 143, 1);
    chest(14, 107, 135, 1);
    ruinsEnemies(15, 26, entering);
    watchForFall(3.5f, entering);
    return 0;
}

void runMapEvents97() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 4) changeMap(98, 26, 19, 0);
    else if (event >= 5 && event <= 10) changeMap(96, 26, 42, 1);
    else if (event == kFallEvent) fallTo(96);
    ++gEventStep;
}

int setupMap98(int entering) {
    if (entering == 1) applyMapArrival(98);
    hiddenTriggers(0, 9);
    chest(10, 108, 144, 1);
    chest(11, 109, 141, 1);
    chest(12, 110, 142, 1);
    chest(13, 111, 1000, 6000);
    chest(14, 112, 145, 1);
    ruinsEnemies(15, 26, entering);
    watchForFall(6.0f, entering);
    return 0;
}

void runMapEvents98() {
    const int event = gFieldEvent;
    if (event >= 1 && event <= 6) {
        // The scenes of the top floor show the party as figures.
        changeMap(99, 27, 20, 0);
        if (gStoryFlags[flag::kCastleTop] != 2) gPlayerVisible = 0;
    } else if (event >= 7 && event <= 10) {
        changeMap(97, 26, 20, 0);
    } else if (event == kFallEvent) {
        fallTo(97);
    }
    ++gEventStep;
}

// ---- Map 99: the top floor ----

namespace {

constexpr int kSheryl = 6;
constexpr int kClaber = 7;
constexpr int kMarty = 8;
constexpr int kRyuhi = 9;
constexpr int kSherylAgain = 10;
constexpr int kClaberAgain = 11;
constexpr int kRyuhiAgain = 12;

// The steps of the first scene that only show a message, with their pause.
int firstSceneLinePause(int s) {
    if (s == 23) return 4;
    if (s == 125 || s == 130) return 6;
    return 3;
}
bool isFirstSceneLine(int s) {
    if (s >= 4 && s <= 15) return s != 10 && s != 11;
    if (s >= 17 && s <= 25) return true;
    if (s >= 27 && s <= 45) return !inSteps(s, {32, 33, 44, 45});
    if (s >= 46 && s <= 60) return s != 54 && s != 55;
    if (s >= 63 && s <= 96) return s != 80 && s != 81;
    if (s >= 98 && s <= 110) return !inSteps(s, {101, 102, 107, 108});
    if (s >= 114 && s <= 116) return true;
    if (inSteps(s, {122, 125, 129, 130, 131, 132, 133, 135})) return true;
    return s >= 147 && s <= 152;
}

// クレイバー and his sister マーティ; the battle with her; the end of the episode.
void runSisterScene() {
    const int s = gEventStep;
    switch (s) {
        case 1:
            walk(kSheryl, 9, 40);
            walk(kRyuhi, 9, 40);
            break;
        case 3: lookAtPoint(28.0f, 3.0f, 36.0f, 10); break;
        case 10: walk(kSheryl, 9, 4); break;
        case 16:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 26:
            gSlowMusicFade = 0;
            changeMusic("【イベント】国家平和化機構.mid");
            break;
        case 32: walk(kMarty, 9, 4); break;
        case 44: walk(kMarty, 1, 20); break;
        case 54: walk(kSheryl, 6, 4); break;
        case 61: walk(kMarty, 6, 5); break;
        case 80: walk(kSheryl, 6, 8); break;
        case 97:
            changeMap(0, 28, 37, 2);  // the battle's ground is the floor in front of her
            startBattle(71, gSavedBattleBackground, gBattleBackground);
            break;
        case 98:
            cutToCell(28.0f, 36.0f);  // back from the battle, where the scene was watched before it
            sayStep(99, 7, s, firstSceneLinePause(s));
            break;
        case 101: walk(kMarty, 6, 5); break;
        case 107: walk(kMarty, 9, 20); break;
        case 111: walk(kClaber, 9, 4); break;
        case 113: lookAtPoint(30.0f, 3.0f, 36.0f, 10); break;
        case 117:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 118:
            walk(kMarty, 9, 20, 0, 32);
            break;
        case 120: walk(kSheryl, 9, 8); break;
        case 123: walk(kClaber, 9, 8); break;
        case 126:
            walk(kClaber, 9, 4, 6, 12);
            break;
        case 2: case 11: case 33: case 45: case 55: case 62: case 81: case 102: case 108: case 112: case 119:
        case 121: case 124: case 127:
            waitWalk();
            break;
        case 128: pauseEvent(10); break;
        case 134: lookAtPoint(30.0f, 23.0f, 40.0f, 30); break;
        case 136: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 137:
            gStoneFlags[6] = 2;
            showStillPicture(109);
            break;
        case 138: waitPictureShown(); break;
        case 139: pauseEvent(10); break;
        case 140:
            offerChoice("99.7.140", 2);
            branchOnChoice(145, 146, 0);
            break;
        case 145: openSaveScreen("エピソード７　完"); break;
        case 146:
            gSlowMusicFade = 0;
            beginInterlude(12);
            break;
        case 153: changeMap(40, 20, 22, 1); break;
        default:
            if (isFirstSceneLine(s)) {
                // The turns of the figures towards whoever speaks.
                if (s == 5) face(kClaber, 1);
                if (s == 13) face(kClaber, 0);
                if (s == 51) requestMusicStop();
                if (s == 79) changeMusic("【バトル】偽りの時の中で.mid");
                if (s == 152) gStoryFlags[flag::kMap40Flashback] = 1;
                sayStep(99, 7, s, firstSceneLinePause(s));
            }
            break;
    }
}

// クレイバー comes back to the party.
void runRecoveryScene() {
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 6: walk(kRyuhiAgain, 6, 7); break;
        case 7: case 22: case 25: waitWalk(); break;
        case 9: face(kClaberAgain, 1); sayStep(99, 11, s, 3); break;
        case 17: face(kClaberAgain, 0); sayStep(99, 11, s, 3); break;
        case 21:
            walk(kSherylAgain, 1, 40);
            walk(kClaberAgain, 1, 24);
            walk(kRyuhiAgain, 1, 40);
            break;
        case 24: walk(kClaberAgain, 1, 36); break;
        case 26: pauseEvent(5); break;
        case 27: {
            // He comes back no weaker than the party around him.
            PartyMember& claber = gPartyMembers[kClaberUnit];
            int level = claber.level;
            if (gPartyMembers[2].level + 1 > level) level = gPartyMembers[2].level + 1;
            if (gPartyMembers[1].level + 3 > level) level = gPartyMembers[1].level + 3;
            gParty[2] = kClaberUnit;
            claber.level = level;
            claber.stones[0] = 0;
            claber.stones[1] = 0;
            claber.experience = 10 * (level - 1) * (level - 1);
            restAndAdvanceDay();
            changeMap(98, 26, 43, 1);
            gPlayerVisible = 1;
            gStoryFlags[flag::kCastleTop] = 2;
            break;
        }
        default:
            if ((s >= 1 && s <= 5) || (s >= 8 && s <= 20) || s == 23) sayStep(99, 11, s, 3);
            break;
    }
}

}  // namespace

int setupMap99(int entering) {
    if (entering == 1) applyMapArrival(99);
    const std::uint8_t* f = gStoryFlags;
    hiddenTriggers(0, 5);
    if (f[flag::kCastleTop] == 0 && f[flag::kTowerFifteenth] != 1) {
        dressFigure(kSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kClaber, 0, 1, 3, 0, 0, entering);
        dressFigure(kMarty, 0, 1, 15, 0, 1, entering);
        dressFigure(kRyuhi, 0, 1, 4, 0, 0, entering);
    } else if (f[flag::kCastleTop] == 0) {
        for (int slot = kSheryl; slot <= kRyuhi; ++slot) removeFigure(slot);
    } else {
        for (int slot = kSheryl; slot <= kRyuhi; ++slot) trigger(slot, 0);
    }
    if (f[flag::kCastleTop] == 1) {
        dressFigure(kSherylAgain, 2, 1, 0, 0, 0, entering);
        dressFigure(kClaberAgain, 0, 1, 3, 0, 0, entering);
        dressFigure(kRyuhiAgain, 0, 1, 4, 0, 0, entering);
    }
    return 0;
}

void runMapEvents99() {
    const std::uint8_t* f = gStoryFlags;
    const int event = gFieldEvent;
    if (event >= 1 && event <= 6) {
        changeMap(98, 26, 43, 1);
    } else if (event == 7) {
        if (f[flag::kCastleTop] == 0 && f[flag::kTowerFifteenth] != 1) runSisterScene();
        else endEvent();
    } else if (event == 11) {
        if (f[flag::kCastleTop] == 1) runRecoveryScene();
        else endEvent();
    }
    ++gEventStep;
}
