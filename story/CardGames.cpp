// The card games of the towns: the tournament desk, the card boy's menu and
// the townsperson who duels.
#include "story/CardGames.h"

#include <cstdio>

#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "gamedata/GameData.h"
#include "minigames/CardDuelSetup.h"
#include "minigames/CardDuelState.h"
#include "story/CardTutorial.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

constexpr int kPrizeCardModel = 107;  // unit id of the last prize card's model
constexpr int kWakokuWon = 104;
constexpr int kColerupicWon = 105;
constexpr int kMarksenSeasonTwoWon = 106;
constexpr int kCardBoyDuel = 6;

void sayKey(const char* keys, const char* rest, int pause) {
    char key[48];
    std::snprintf(key, sizeof key, "%s.%s", keys, rest);
    say(key, pause);
}

void sayStepOf(const char* keys, int step, int pause) {
    char rest[16];
    std::snprintf(rest, sizeof rest, "%d", step);
    sayKey(keys, rest, pause);
}

// A line that differs by season: "<prefix>.<rest>.<season>", or
// "<prefix>.<rest>" for a desk with one season.
void saySeasonal(const CardTournament& desk, const char* rest) {
    char key[48];
    if (desk.season[0] == '\0') std::snprintf(key, sizeof key, "%s.%s", desk.keys, rest);
    else std::snprintf(key, sizeof key, "%s.%s.%s", desk.keys, rest, desk.season);
    say(key, 0);
}

void offerChoiceOf(const char* keys, const char* rest, int count) {
    char key[48];
    std::snprintf(key, sizeof key, "%s.%s", keys, rest);
    offerChoice(key, count);
}

// The party's members as the options of the prize card's model.
void offerModelChoice() {
    static const char* const kCardNames[6] = {"", "シェリルのカード", "ファルクのカード", "リメルのカード",
                                              "クレイバーのカード", "龍飛のカード"};
    const char* names[3] = {"", "", ""};
    int count = 0;
    for (int slot = 0; slot < 3; ++slot) {
        const int unit = gParty[slot];
        if (unit >= 1 && unit <= 5) names[count++] = kCardNames[unit];
    }
    if (count == 0) return;  // no one to model: the next step gives the first slot's card
    setMessagePortrait(1, 0, 0);
    setMessage("シェリル", names[0], names[1], names[2]);
    showChoice(count);
    branchOnChoice(34, 35, 36);
}

// A duel's result step: a lost duel goes to the loss steps (100 on).
void afterDuel() {
    if (gDuelResult == kDuelLost) gEventStep = 99;
}

}  // namespace

void runCardTournament(const CardTournament& desk) {
    const int s = gEventStep;
    // The seven rounds: the announcement, the duel and its result.
    static const int kRounds[7] = {7, 10, 13, 17, 20, 24, 28};
    for (int round = 0; round < 7; ++round) {
        if (s == kRounds[round]) {
            sayStepOf(desk.keys, s, 0);
            return;
        }
        if (s == kRounds[round] + 1) {
            startCardDuel(kNoExtraCard, desk.firstOpponent + round);
            return;
        }
        if (s == kRounds[round] + 2) {
            afterDuel();
            return;
        }
    }
    const bool won = gStoryFlags[desk.wonFlag] == 1;
    switch (s) {
        case 0: gPlayerFacing = 0; return;
        case 1: saySeasonal(desk, won ? "1.won" : "1.ask"); return;
        case 2:
            if (won) {
                endEvent();
            } else {
                offerChoiceOf(desk.keys, "2", 3);
                branchOnChoice(104, 3, 200);
            }
            return;
        case 3: sayStepOf(desk.keys, 3, 0); return;
        case 4:
            if (minimumHandCost() <= desk.costLimit) sayStepOf(desk.keys, 4, 0);
            else saySeasonal(desk, "4.few");
            return;
        case 5:
            if (minimumHandCost() > desk.costLimit) gEventStep = 103;
            else fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
            return;
        case 6: changeMusic("【カード】前半戦.mid"); return;
        case 16: changeMusic("【カード】後半戦.mid"); return;
        case 23: changeMusic("【カード】準決勝.mid"); return;
        case 27: changeMusic("【カード】決勝.mid"); return;
        case 31: changeMusic("【イベント】魔硝石回収.mid"); return;
        case 32: sayKey(desk.keys, gParty[1] == 0 ? "32.solo" : "32", 0); return;
        case 33:
            if (gParty[1] != 0) offerModelChoice();
            return;
        case 34: case 35: case 36:
            gStoryFlags[kPrizeCardModel] = static_cast<std::uint8_t>(gParty[s - 34]);
            gEventStep = 39;
            return;
        case 40: {
            playSoundEffect("Takara.wav");
            const int card = 79 + gStoryFlags[kPrizeCardModel];
            if (card < kCardCount) {
                ++gCardStock[card].count;
                gCardStock[card].known = 1;
            }
            return;
        }
        case 41: {
            char key[32];
            std::snprintf(key, sizeof key, "prize.%d", gStoryFlags[kPrizeCardModel]);
            say(key, 0);
            return;
        }
        case 43: case 102: changeMusic(desk.townSong()); return;
        case 44: case 101: desk.restoreTint(); return;
        case 45: saySeasonal(desk, "45"); return;
        case 46:
            gStoryFlags[desk.wonFlag] = 1;
            endEvent();
            return;
        case 100: requestMusicStop(); return;
        case 103: sayStepOf(desk.keys, 103, 0); return;
        case 104: case 208: endEvent(); return;
        case 203: saySeasonal(desk, "203"); return;
        case 207: sayStepOf(desk.keys, 207, 3); return;
        default:
            if (s >= 200 && s <= 206) sayStepOf(desk.keys, s, 0);
            return;  // the other steps only pass
    }
}

void runCardBoyMenu(const char* keys) {
    const int s = gEventStep;
    switch (s) {
        case 0: return;  // the lesson's first step would turn the camera to the street of its first telling
        case 1:
            gStoryFlags[flag::kCardBoy] = 2;
            sayKey(keys, "menu.1", 0);
            return;
        case 2:
            offerChoiceOf(keys, "menu.2", 3);
            branchOnChoice(3, kCardTutorialExplanation, 300);
            return;
        case 3: sayKey(keys, "menu.3", 0); return;
        case 4: endEvent(); return;
        case 300: {
            const std::uint8_t* f = gStoryFlags;
            const bool champion = f[kWakokuWon] == 1 && f[kColerupicWon] == 1 && f[kMarksenSeasonTwoWon] == 1;
            sayKey(keys, champion ? "300.champion" : "300", 0);
            return;
        }
        case 301:
            if (minimumHandCost() == kNoHandPossible) sayKey(keys, "301", 0);
            else startCardDuel(kNoExtraCard, kCardBoyDuel);
            return;
        case 302: endEvent(); return;
        default: runCardTutorial(); return;  // from 43 his lesson again
    }
}

void runCardPlayer(const char* keys, int opponent) {
    switch (gEventStep) {
        case 1: sayKey(keys, "1", 0); return;
        case 2:
            if (minimumHandCost() == kNoHandPossible) {
                sayKey(keys, "2.few", 0);  // step 3 ends
            } else {
                offerChoiceOf(keys, "2", 2);
                branchOnChoice(3, 4, 0);
            }
            return;
        case 3: case 6: endEvent(); return;
        case 4: sayKey(keys, "4", 0); return;
        case 5: startCardDuel(kNoExtraCard, opponent); return;
        default: return;
    }
}
