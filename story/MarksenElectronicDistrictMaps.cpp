// Map 0, the electronic district of Marksen: the town's games. The card shop,
// the motor-boat arcade, the card tournament's desk, the card boy フォーゲル
// (his first meeting, his lessons, his duels and, once three towns'
// tournaments are won, his ten-duel challenge) and, on one route, the
// craftsman who hands ファルク a weapon.
#include <cstdio>

#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "minigames/BoatRace.h"
#include "minigames/BoatRaceState.h"
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

// The district's own flags.
constexpr int kSeasonOneWon = 102;
constexpr int kWakokuTournamentWon = 104;
constexpr int kColerupicTournamentWon = 105;
constexpr int kSeasonTwoWon = 106;
constexpr int kChallengeWon = 108;
constexpr int kCardBoyHired = 109;
constexpr int kCraftsmanScene = 123;  // 1 plays on arrival, 2 over

constexpr const char* kMarksenSong = "【マップ】マルクセング.mid";
constexpr int kFog = 0;  // gMoney entry of フォッグ

// Object slots.
constexpr int kSherylFigure = 20;
constexpr int kRunningBoy = 21;
constexpr int kCardBoy = 22;
constexpr int kChallenger = 29;
constexpr int kCraftsman = 31;
constexpr int kFalkFigure = 32;

struct Townsperson {
    int slot, column, row, facing;
};
constexpr Townsperson kPeople[] = {
    {2, 46, 7, 0},  {11, 46, 7, 0}, {28, 46, 7, 0}, {3, 45, 8, 0},  {12, 45, 7, 0}, {13, 45, 9, 0},
    {16, 45, 9, 0}, {17, 45, 9, 0}, {25, 45, 9, 0}, {26, 45, 9, 0}, {14, 45, 8, 1}, {27, 45, 8, 1},
    {15, 46, 9, 1}, {18, 46, 9, 1}, {19, 47, 9, 0},
};

bool threeTournamentsWon() {
    const std::uint8_t* f = gStoryFlags;
    return f[kWakokuTournamentWon] == 1 && f[kColerupicTournamentWon] == 1 && f[kSeasonTwoWon] == 1;
}

// A message with lines made up here (times, names), shown like a script's own.
void sayMade(int layout, int portrait, const char* speaker, const char* l1, const char* l2, const char* l3, int pause) {
    setMessagePortrait(layout, portrait, 0);
    setMessage(speaker, l1, l2, l3);
    showMessage(pause);
}

// A duel's result step: a lost duel goes to the loss steps (100 on).
void afterDuel() {
    if (gDuelResult == kDuelLost) gEventStep = 99;
}

// ---- The motor-boat arcade ----

struct ArcadeLevel {
    int event;
    int fee;
    int course;
    int row;
    int prizeLimit;  // a time below this many frames wins the prize
    int prizeItem;
};
constexpr ArcadeLevel kArcadeLevels[3] = {
    {9, 500, 1, 21, 2200, 30},
    {10, 1000, 2, 26, 2200, 57},
    {11, 2000, 3, 31, 4500, 68},
};

void runArcadeMachine(const ArcadeLevel& level) {
    const int s = gEventStep;
    char key[24];
    switch (s) {
        case 1:
            gMoneyWindow = 1;
            sayStep(0, level.event, 1, 3);
            break;
        case 2:
            if (gMoney[kFog] <= level.fee) {
                say("0.arcade.short", 3);  // the next step ends the event
            } else {
                std::snprintf(key, sizeof key, "0.%d.2", level.event);
                offerChoice(key, 2);
                branchOnChoice(3, 4, 0);
            }
            break;
        case 3:
            gMoneyWindow = 0;
            endEvent();
            break;
        case 4:
            playSoundEffect("Kaikei.wav");
            gMoney[kFog] -= level.fee;
            break;
        case 5: pauseEvent(5); break;
        case 6:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 7:
            gMoneyWindow = 0;
            fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
            break;
        case 8: startBoatRace(level.course, 0, level.row, 24, 1); break;
        case 9:
            if (gRaceFrames >= level.prizeLimit) gEventStep = 12;
            break;
        case 10: say(level.course == 3 ? "0.arcade.fast45" : "0.arcade.fast22", 3); break;
        case 11:
            receiveItem(level.prizeItem);
            break;
        case 12: sayStep(0, level.event, 12, 3); break;
        case 13: changeMusic(kMarksenSong); break;
        case 14: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 15:
            gSlowMusicFade = 0;
            endEvent();
            break;
        default: break;
    }
}

// Two digits of a time's part.
void twoDigits(char* out, std::size_t size, long value) {
    if (value < 10) std::snprintf(out, size, "0%ld", value);
    else std::snprintf(out, size, "%ld", value);
}

// "mm:ss:hh     【level】" of a best time in frames; 59 minutes at most.
void formatBestTime(int frames, const char* level, char* out, std::size_t size) {
    const long f = frames < 0 ? 0 : frames;
    long minutes = f / 6000;
    if (minutes > 59) minutes = 59;
    char mm[8], ss[8], hh[8];
    twoDigits(mm, sizeof mm, minutes);
    twoDigits(ss, sizeof ss, (f / 100) % 60);
    twoDigits(hh, sizeof hh, f % 100);
    std::snprintf(out, size, "%s:%s:%s     【%s】", mm, ss, hh, level);
}

void runArcadeClerk() {
    const int s = gEventStep;
    if (s == 3) {
        static const char* const kLevels[3] = {"イージー", "ノーマル", "ハード"};
        char lines[3][64];
        for (int i = 0; i < 3; ++i) formatBestTime(gBestRaceFrames[i + 1], kLevels[i], lines[i], sizeof lines[i]);
        sayMade(0, 0, "遊戯屋店員", lines[0], lines[1], lines[2], 0);
    } else if (s >= 1 && s <= 4) {
        sayStep(0, 8, s, 0);
    } else if (s >= 5) {
        endEvent();
    }
}

// The townsperson who explains the arcade's controls.
void runControlsTalk() {
    const int s = gEventStep;
    switch (s) {
        case 1: case 3: case 5: case 6: case 8: sayStep(0, 17, s, 0); break;
        case 2:
            offerChoice("0.17.2", 3);
            branchOnChoice(3, 5, 8);
            break;
        case 4: case 7: case 9: endEvent(); break;
        default: break;
    }
}

// ---- フォーゲル ----

void runCardBoy() {
    const int s = gEventStep;
    if (gStoryFlags[kCardBoyHired] == 0) {
        switch (s) {
            case 1: case 2: case 3: case 4: sayStep(0, 23, s, 0); break;
            case 5:
                hireBodyguard(0);
                break;
            case 6: say("0.23.6", 3); break;
            case 7:
                endEvent();
                gStoryFlags[kCardBoyHired] = 1;
                break;
            default: break;
        }
        return;
    }
    runCardBoyMenu("0.23");
}

// フォーゲル's ten duels, one deck after another.
void runChallenge() {
    const int s = gEventStep;
    const std::uint8_t* f = gStoryFlags;
    // Steps that start a duel and the opponent each one plays.
    static const int kDuels[][2] = {{8, 60},  {11, 61}, {15, 62}, {18, 63}, {22, 64},
                                    {25, 65}, {29, 66}, {32, 67}, {37, 68}, {40, 69}};
    for (const auto& d : kDuels) {
        if (s == d[0]) {
            startCardDuel(kNoExtraCard, d[1]);
            return;
        }
        if (s == d[0] + 1) {
            afterDuel();
            return;
        }
    }
    switch (s) {
        case 1: say(f[kChallengeWon] == 0 ? "0.30.1" : "0.30.1.again", 0); return;
        case 2:
            offerChoice("0.30.2", 3);
            branchOnChoice(104, 3, 200);
            return;
        case 4: say(minimumHandCost() == kNoHandPossible ? "0.30.4.few" : "0.30.4", 0); return;
        case 5:
            if (minimumHandCost() == kNoHandPossible) gEventStep = 103;
            else fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
            return;
        case 6: changeMusic("【カード】前半戦.mid"); return;
        case 13: changeMusic("【カード】後半戦.mid"); return;
        case 20: changeMusic("【カード】準決勝.mid"); return;
        case 27: changeMusic("【カード】決勝.mid"); return;
        case 34: changeMusic("【カード】フォーゲル.mid"); return;
        case 42: changeMusic("【イベント】魔硝石回収.mid"); return;
        case 44:
            if (f[kChallengeWon] == 0) {
                playSoundEffect("Takara.wav");
                ++gCardStock[87].count;
                gCardStock[87].known = 1;
            }
            return;
        case 45:
            if (f[kChallengeWon] == 0) say("0.30.45", 0);
            return;
        case 46: case 102: changeMusic(kMarksenSong); return;
        case 47:
            gStoryFlags[kChallengeWon] = 1;
            fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            return;
        case 49: case 104: case 207: endEvent(); return;
        case 100: requestMusicStop(); return;
        case 101: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); return;
        default:
            if (s == 3 || s == 7 || s == 10 || s == 14 || s == 17 || s == 21 || s == 24 || s == 28 || s == 31 ||
                (s >= 35 && s <= 36) || s == 39 || s == 43 || s == 48 || s == 103 || (s >= 200 && s <= 206)) {
                sayStep(0, 30, s, 0);
            }
            return;
    }
}

// ---- The card tournament ----

const char* marksenSong() { return kMarksenSong; }
void clearTint() { fadeTint(1.0f, 1.0f, 1.0f, 1.0f); }

// Season I while the route is not chosen, season II after.
CardTournament currentSeason() {
    if (gStoryFlags[flag::kRoute] == 0) return {"0.25", "s1", kSeasonOneWon, 10, 10, marksenSong, clearTint};
    return {"0.25", "s2", kSeasonTwoWon, 4, 50, marksenSong, clearTint};
}

// ---- The craftsman ----

void runCraftsman() {
    if (gStoryFlags[kCraftsmanScene] == 0) {
        changeMap(0, 9, 6, 1);
        gStoryFlags[kCraftsmanScene] = 1;
        return;
    }
    runTalk(0, 32, 1, 3);
}

void runCraftsmanScene() {
    const int s = gEventStep;
    switch (s) {
        case 1: case 2: case 3: case 4: case 5: sayStep(0, 33, s, 0); break;
        case 6:
            receiveItem(33);
            break;
        case 7: sayStep(0, 33, 7, 3); break;
        case 8:
            changeMap(0, 9, 6, 1);
            gStoryFlags[kCraftsmanScene] = 2;
            break;
        default: break;
    }
}

}  // namespace

int setupMap0(int entering) {
    if (entering == 1) applyMapArrival(0);
    const std::uint8_t* f = gStoryFlags;
    for (int slot : {0, 1, 5, 7, 8, 9, 10, 24}) dress(slot, 1, 0, 0, 0);
    for (const Townsperson& p : kPeople) dressFigure(p.slot, 3, 1, p.column, p.row, p.facing, entering);
    for (int slot : {4, 6, 23}) dressFigure(slot, 0, 1, 45, 9, 1, entering);

    const int met = f[flag::kCardBoy];
    if (met == 0) {
        dressFigure(kSherylFigure, 2, 1, 0, 0, 1, entering);
        dressFigure(kRunningBoy, 0, 1, 52, 0, 0, entering);
    } else if (met == 2) {
        removeFigure(kSherylFigure);
        removeFigure(kRunningBoy);
    }
    if (threeTournamentsWon() || met == 0) {
        removeFigure(kCardBoy);
    } else if (met == 1) {
        dressPosed(kCardBoy, 0, 52, 7, 0, entering);  // the card he dropped
    } else if (met == 2) {
        dressFigure(kCardBoy, 3, 1, 52, 0, 0, entering);
    }
    if (threeTournamentsWon()) dressFigure(kChallenger, 3, 1, 52, 0, 1, entering);
    chest(30, 172, 3000, 18);
    if (f[flag::kRoute] == 1) {
        dressPosed(kCraftsman, 3, 46, 7, 0, entering);
    }
    if (f[kCraftsmanScene] == 1) {
        dressPosed(kFalkFigure, 2, 1, 0, 1, entering);
    }
    return 0;
}

void runMapEvents0() {
    const int event = gFieldEvent;
    switch (event) {
        case 1: case 2: changeMap(2, 10, 3, 0); break;
        case 3: case 4: case 12: case 13: case 14: case 15: case 16: case 18: case 19:
        case 26: case 27: case 28: case 29:
            runTalk(0, event);
            break;
        case 6: {
            static const int kGoods[20] = {9, 10, 11, 12, 13, 14, 15, 16, 30};
            runShopCounter(0, 6, kKeepFacing, "玩具屋－コレクターズ", kGoods, 100);
            break;
        }
        case 8: runArcadeClerk(); break;
        case 9: case 10: case 11: runArcadeMachine(kArcadeLevels[event - 9]); break;
        case 17: runControlsTalk(); break;
        case 20: runCardPlayer("0.20", 1); break;
        case kSherylFigure + 1: runCardTutorial(); break;
        case kCardBoy + 1: runCardBoy(); break;
        case 25: runCardTournament(currentSeason()); break;
        case kChallenger + 1: runChallenge(); break;
        case kCraftsman + 1: runCraftsman(); break;
        case kFalkFigure + 1: runCraftsmanScene(); break;
        default: endSilentEvent(); break;  // counters and bystanders have no talk
    }
    ++gEventStep;
}
