// コールルピック, シェリル's home town: the town square (map 62) with its
// people, shops, card games and story scenes, ルサナ's house (map 63) and the
// bar (map 64).
#include <cstdio>

#include "engine/Music.h"
#include "engine/Sound.h"
#include "events/EventMusic.h"
#include "events/FieldMechanisms.h"
#include "gamedata/GameData.h"
#include "story/CardGames.h"
#include "story/EventPatterns.h"
#include "story/MapScripts.h"
#include "story/MapTable.h"
#include "story/StoryFlags.h"
#include "story/StoryScriptSupport.h"

using namespace story;

namespace {

// The town's own flags.
constexpr int kEveningScene = 49;     // 1 during ルサナ's evening, 2 after it
constexpr int kStealthEntrance = 50;  // 1 ルサナ's vanishing due, 2 the hidden entrance open
constexpr int kEntranceOpened = 51;   // 1 once ファルク has opened the hidden lock
constexpr int kGateScene = 71;        // 1 first talk due, 2 explained, 3 departure due, 4 gone
constexpr int kNightTalk = 122;       // 1 due, 2 over (back in the house), 3 closed

constexpr const char* kTownSong = "【マップ】コールルピック.mid";
constexpr const char* kTownSongAfter = "【マップ】コールルピック２.mid";
constexpr const char* kSherylTheme = "【テーマ】シェリル.mid";

// Stone flag indexes (stone id - 1).
constexpr int kMoonStone = 5;

std::uint8_t f(int index) { return gStoryFlags[index]; }

// The town is grey while its people are missing or gone again.
bool townIsGrey() { return f(flag::kColerupicSealed) == 0 || f(flag::kColerupicDeserted) == 1; }
bool townRestored() { return f(flag::kColerupicSealed) != 0 && f(flag::kColerupicDeserted) != 1; }
bool towerRoute() { return f(flag::kRoute) == 1; }

// A line that differs by route: "<map>.<event>.<step>.t" on the tower route,
// ".r" on the Ruleno route.
void sayRoute(int map, int event, int step, int pause) {
    char key[32];
    std::snprintf(key, sizeof key, "%d.%d.%d.%s", map, event, step, towerRoute() ? "t" : "r");
    say(key, pause);
}

// ---- Map 62: the town square ----

struct Person {
    int slot, column, row, facing;
};
constexpr Person kTownspeople[] = {
    {13, 46, 8, 0}, {14, 45, 7, 0}, {15, 45, 9, 1}, {16, 47, 8, 0}, {17, 46, 7, 0}, {18, 45, 8, 1},
    {19, 45, 9, 1}, {20, 45, 7, 1}, {21, 46, 7, 1}, {22, 46, 7, 1}, {23, 46, 8, 1}, {24, 45, 7, 1},
};
constexpr Person kReturnedPeople[] = {
    {34, 45, 8, 0}, {35, 45, 7, 1}, {36, 47, 9, 1}, {37, 45, 9, 0}, {38, 45, 8, 0}, {39, 45, 9, 1},
};

// Slots of the scenes.
constexpr int kEntrance = 12;
constexpr int kRusanaInBed = 29;
constexpr int kReturnSheryl = 30;
constexpr int kReturnRusana = 33;
constexpr int kDesertedSheryl = 40;
constexpr int kDesertedFirst = 41;
constexpr int kDesertedSecond = 42;
constexpr int kVisitor = 44;
constexpr int kFlashbackRusana = 45;
constexpr int kFlashbackAraforce = 46;
constexpr int kReunionRusana = 48;
constexpr int kReunionAraforce = 49;
constexpr int kTournamentDesk = 54;
constexpr int kCardBoy = 55;
constexpr int kCardPlayer = 56;
constexpr int kNightTrigger = 57;

struct Shop {
    int event;
    const char* title;
    int kind;
    int goods[20];
};
const Shop kShops[3] = {
    {27, "武具屋－ルーサーフォーエバー", 0, {8, 9, 24, 38, 80, 85}},
    {28, "道具屋－ミルテラビット", 0, {130, 131, 132, 133, 136, 137, 104, 108, 109, 147, 152}},
    {29, "玩具屋－メタンハイドレート", 100, {2, 3, 27, 28, 29, 37, 42, 53, 73}},
};

void runShop(const Shop& shop) { runShopCounter(62, shop.event, 0, shop.title, shop.goods, shop.kind); }

const char* townSong() { return f(flag::kColerupicSealed) == 0 ? kTownSong : kTownSongAfter; }
void townTint() {
    if (f(flag::kColerupicSealed) == 0) fadeTint(0.5f, 0.5f, 0.5f, 1.0f);
    else fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
}
const CardTournament kDesk = {"62.55", "", flag::kTournamentColerupic, 5, 40, townSong, townTint};

// The slope down the hill, closed while the town is sealed.
void leaveDownTheSlope() {
    if (f(flag::kColerupicSealed) == 0) {
        changeMap(62, 15, 42, 1);
        return;
    }
    if (f(flag::kColerupicDeserted) == 1) gStoryFlags[flag::kArrivalFadeDue] = 1;
    changeMap(71, 17, 55, 1);
}

void leaveForTheSnowHill() {
    if (townIsGrey()) gStoryFlags[flag::kArrivalFadeDue] = 1;
    changeMap(61, 18, 9, 0);
}

void enterRusanasHouse() {
    if (f(flag::kColerupicBarMet) != 0 && f(kEveningScene) == 0) {
        gPlayerVisible = 0;  // her evening plays with the party as figures
        changeMap(63, 30, 20, 1);
        return;
    }
    changeMap(63, 24, 25, 1);
}

void enterTheBar() {
    if (f(flag::kColerupicBarMet) == 0) gPlayerVisible = 0;
    changeMap(64, 34, 21, 1);
}

void runRusanaInBed() {
    if (f(flag::kRusanaRescue) == 3) runTalk("62.30.1.awake");
    else runTalk("62.30.1");
}

// ファルク's transmitter finds the base under the snow; later visits only go
// down, fading a grey town out first.
void runHiddenEntrance() {
    const int s = gEventStep;
    if (f(kEntranceOpened) != 0) {
        if (s == 0) {
            if (townIsGrey()) {
                gStoryFlags[flag::kArrivalFadeDue] = 1;
                fadeTint(0.0f, 0.0f, 0.0f, 1.0f);
            }
        } else if (s == 1) {
            changeMap(65, 36, 52, 1);
        }
        return;
    }
    switch (s) {
        case 7: playSoundEffect("Kirikae.wav"); break;
        case 9: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 10:
            changeMap(65, 36, 52, 1);
            gStoryFlags[kEntranceOpened] = 1;
            break;
        default:
            if ((s >= 1 && s <= 6) || s == 8) sayStep(62, 13, s, 0);
            break;
    }
}

// The party leaves the town for good on the Ruleno route: シェリル goes on
// alone. Both leaving members give back their gear and stones alike.
void partWithTheCompanions() {
    gParty[1] = 0;
    gParty[2] = 0;
    returnUnitEquipment(2);
    returnUnitEquipment(3);
    for (int unit = 1; unit <= 3; ++unit) clearStones(unit);
}

void runTownspeopleReturn() {
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 1: case 2: case 3: case 4: sayStep(62, 31, s, 0); break;
        case 5:
            if (towerRoute()) sayStep(62, 31, 5, 0);
            else gEventStep = 6;  // the increment lands on 7
            break;
        case 6:
            face(kReturnSheryl, 1);
            sayStep(62, 31, 6, 0);
            break;
        case 7:
            face(kReturnSheryl, 0);
            sayRoute(62, 31, 7, 0);
            break;
        case 8:
            if (f(flag::kRoute) == 2) partWithTheCompanions();
            restAndAdvanceDay();
            changeMap(62, 19, 15, 0);
            gStoryFlags[flag::kColerupicSealed] = 2;
            gPlayerVisible = 1;
            break;
        default: break;
    }
}

void runDesertedTown() {
    const int s = gEventStep;
    switch (s) {
        case 0: lookAtCell(21.0f, 25.0f, 1); break;  // silent: the party and the house the voice comes from
        case 1: case 3: case 14: case 21: sayStep(62, 41, s, 0); break;
        case 2: case 4: case 19: case 20: sayRoute(62, 41, s, 0); break;
        case 5:
            face(kDesertedSheryl, 1);
            sayStep(62, 41, 5, 0);
            break;
        case 6: case 9: case 11: case 15: sayStep(62, 41, s, 0); break;
        case 7: walk(kVisitor, 6, 12); break;
        case 12: walk(kDesertedSheryl, 4, 12); break;
        case 17: walk(kVisitor, 4, 12); break;
        case 8: case 13: case 18: waitWalk(); break;
        case 10:
            face(kDesertedFirst, 1);
            face(kDesertedSecond, 1);
            sayStep(62, 41, 10, 0);
            break;
        case 16: sayStep(62, 41, 16, 3); break;
        case 22: case 23: case 24: runStillPicture(s, 22, 8, 0); break;
        case 25:
            changeMap(62, 27, 13, 0);
            gStoryFlags[flag::kColerupicEmptied] = 2;
            gPlayerVisible = 1;
            break;
        default: break;
    }
}

// Sixteen years ago: アラフォース brings ルサナ a child.
void runFlashback() {
    const int s = gEventStep;
    switch (s) {
        case 0:
            lookAtCell(37.0f, 28.0f, 1);  // the doorstep where ルサナ takes the child, not the hidden arrival
            setMessagePortrait(2, 0, 0);
            setMessage("", "　　　　　　　　　　　　　－十六年前－", "　　　　　　　　　　　　 コールルピック", "");
            showMessage(1);
            break;
        case 1: fadeTint(1.0f, 0.75f, 0.5f, 1.0f); break;
        case 24: case 28: case 29: sayStep(62, 46, s, 0); break;
        case 30: case 31: case 32: sayStep(62, 46, s, 3); break;
        case 33: sayStep(62, 46, s, 5); break;
        case 35: walk(kFlashbackAraforce, 1, 4); break;
        case 47: walk(kFlashbackAraforce, 1, 32); break;
        case 36: case 48: waitWalk(); break;
        case 38:
            face(kFlashbackAraforce, 0);
            sayStep(62, 46, s, 1);
            break;
        case 45:
            face(kFlashbackAraforce, 1);
            sayStep(62, 46, s, 1);
            break;
        case 51: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 52: changeMap(104, 41, 19, 0); break;
        default:
            if ((s >= 2 && s <= 34) || (s >= 37 && s <= 46) || s == 49 || s == 50) sayStep(62, 46, s, 1);
            break;
    }
}

// ルサナ meets アラフォース again; the party walks off down the slope.
void runReunion() {
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 13:
            walk(kReunionAraforce, 6, 14);
            walk(50, 6, 16, 1, 12);
            walk(51, 6, 16, 1, 12);
            walk(52, 6, 16, 1, 8);
            break;
        case 14: case 19: waitWalk(); break;
        case 15:
            gStoryFlags[flag::kRusanaRescue] = 2;
            sayStep(62, 49, 15, 1);
            break;
        case 18: walk(kReunionAraforce, 1, 16); break;
        case 20:
            changeMap(71, 17, 55, 1);
            gStoryFlags[flag::kRusanaRescue] = 3;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 12) || s == 16 || s == 17) sayStep(62, 49, s, 1);
            break;
    }
}

// A night under the stars with ルサナ, and her present.
void runNightTalk() {
    const int s = gEventStep;
    switch (s) {
        case 0: fadeTint(0.5f, 0.5f, 0.5f, 1.0f); break;
        case 11:
            receiveItem(18);
            break;
        case 12:
            setMessagePortrait(0, 0, 0);
            setMessage("", "フレアジャッジメントを手に入れた！", "", "");
            showMessage(3);
            break;
        case 13: case 14: sayStep(62, 58, s, 0); break;
        case 15: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 16:
            gStoryFlags[kNightTalk] = 2;
            changeMap(63, 29, 25, 1);
            break;
        default:
            if (s >= 1 && s <= 10) sayStep(62, 58, s, 3);
            break;
    }
}

}  // namespace

int setupMap62(int entering) {
    if (entering == 1) applyMapArrival(62);
    const bool deserted = f(flag::kColerupicDeserted) == 1;
    const int sealed = f(flag::kColerupicSealed);
    const int route = f(flag::kRoute);
    const int rescue = f(flag::kRusanaRescue);

    for (int slot = 0; slot <= 11; ++slot) trigger(slot, 1);
    trigger(kEntrance, f(kStealthEntrance) == 2 ? 1 : 0);
    if (!deserted)
        for (const Person& p : kTownspeople) dressPosed(p.slot, 3, p.column, p.row, p.facing, entering);
    chest(25, 48, 1000, 5000);
    if (!deserted)
        for (int slot = 26; slot <= 28; ++slot) trigger(slot, 1);

    if (rescue == 3) dressPosed(kRusanaInBed, 3, 36, 9, 1, entering);
    else if (f(flag::kColerupicBarMet) == 0) dressPosed(kRusanaInBed, 3, 36, 8, 1, entering);
    else dress(kRusanaInBed, 0, 0, 0, 0);

    // The return of the townspeople.
    if (sealed == 1) dressFigure(kReturnSheryl, 2, 1, 0, 0, 0, entering);
    else trigger(kReturnSheryl, 0);
    for (int slot : {31, 32}) {
        if (sealed == 1 && route == 1) dressFigure(slot, 0, 1, slot - 30, 0, 0, entering);
        else trigger(slot, 0);
    }
    if (sealed == 1) dressPosed(kReturnRusana, 3, 36, 9, 1, entering);
    else trigger(kReturnRusana, 0);
    if (sealed != 0 && !deserted)
        for (const Person& p : kReturnedPeople) dressPosed(p.slot, 3, p.column, p.row, p.facing, entering);

    // The deserted town and its visitor.
    if (f(flag::kColerupicEmptied) == 1) {
        dressFigure(kDesertedSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kDesertedFirst, 0, 1, route == 1 ? 1 : 3, 0, 0, entering);
        dressFigure(kDesertedSecond, 0, 1, route == 1 ? 2 : 4, 0, 0, entering);
        if (route == 1) dressFigure(43, 0, 1, 47, 0, 0, entering);
        dressFigure(kVisitor, 0, 1, 49, 0, 0, entering);
    }

    // Sixteen years ago.
    if (f(flag::kDemonRealmDepths) == 2) {
        dressPosed(kFlashbackRusana, 2, 36, 9, 1, entering);
        dressFigure(kFlashbackAraforce, 0, 1, 47, 0, 0, entering);
        dressPosed(47, 0, 50, 8, 0, entering);
    }

    // The reunion.
    if (rescue == 1 || rescue == 2) {
        dressPosed(kReunionRusana, 2, 36, 9, 0, entering);
        dressFigure(kReunionAraforce, 0, 1, 47, 0, 1, entering);
    }
    if (rescue == 1) {
        dressFigure(50, 0, 1, 0, 0, 1, entering);
        dressFigure(51, 0, 1, route == 1 ? 1 : 3, 0, 1, entering);
        dressFigure(52, 0, 1, route == 1 ? 2 : 4, 0, 1, entering);
    } else {
        for (int slot = 50; slot <= 52; ++slot) hideFigure(slot);
    }

    // The card games.
    if (!deserted) {
        dressPosed(53, 0, 46, 8, 1, entering);
        dress(kTournamentDesk, 1, 0, 0, 0);
        dressFigure(kCardBoy, 3, 1, 52, 0, 1, entering);
        dressPosed(kCardPlayer, 3, 45, 9, 0, entering);
    }
    trigger(kNightTrigger, f(kNightTalk) == 1 ? 2 : 0);
    return 0;
}

void runMapEvents62() {
    const int event = gFieldEvent;
    const bool back = f(flag::kColerupicSealed) != 0;
    char key[32];
    switch (event) {
        case 1: case 2: case 3: leaveDownTheSlope(); break;
        case 4: case 5: case 6: case 7: case 8: case 9: case 10: leaveForTheSnowHill(); break;
        case 11: enterRusanasHouse(); break;
        case 12: enterTheBar(); break;
        case kEntrance + 1: runHiddenEntrance(); break;
        case 14: case 15: case 16: case 17: case 18: case 19: case 20: case 21: case 22:
        case 23: case 24: case 25:
            std::snprintf(key, sizeof key, "62.%d.1%s", event, back ? ".back" : "");
            runTalk(key);
            break;
        case 27: runShop(kShops[0]); break;
        case 28: runShop(kShops[1]); break;
        case 29: runShop(kShops[2]); break;
        case kRusanaInBed + 1: runRusanaInBed(); break;
        case kReturnSheryl + 1: runTownspeopleReturn(); break;
        case 35: case 36: case 37: case 38: case 39: case 40:
            std::snprintf(key, sizeof key, "62.%d.1", event);
            runTalk(key);
            break;
        case kDesertedSheryl + 1: runDesertedTown(); break;
        case kFlashbackRusana + 1: runFlashback(); break;
        case kReunionRusana + 1: runReunion(); break;
        case kTournamentDesk + 1: runCardTournament(kDesk); break;
        case kCardBoy + 1: runCardBoyMenu("62.56"); break;
        case kCardPlayer + 1: runCardPlayer("62.57", 4); break;
        case kNightTrigger + 1: runNightTalk(); break;
        default: endSilentEvent(); break;  // figures of the scenes have nothing to say
    }
    ++gEventStep;
}

// ---- Map 63: ルサナ's house ----

namespace {

constexpr int kHouseDoor = 0;
constexpr int kEveningSheryl = 2;
constexpr int kRusana = 3;
constexpr int kEveningFalk = 4;
constexpr int kEveningRimel = 5;
constexpr int kNightRimel = 6;
constexpr int kNightSheryl = 7;
constexpr int kNightFalk = 8;
constexpr int kGate = 9;
constexpr int kGateSheryl = 10;
constexpr int kGateFirst = 11;
constexpr int kGateSecond = 12;
constexpr int kAraforce = 13;
constexpr int kSelen = 14;
constexpr int kAfterNightTalk = 19;

// シェリル shows her friends their rooms, and リメル asks what she fears.
void runEvening() {
    const int s = gEventStep;
    switch (s) {
        case 1: walk(kEveningSheryl, 4, 5, 1, 28, 6, 40); break;
        case 2: case 19: case 22: case 26: case 32: waitWalk(); break;
        case 3: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 4:
            gStoryFlags[kEveningScene] = 1;
            fadeTint(0.5f, 0.5f, 0.5f, 1.0f);
            break;
        case 18: walk(kEveningSheryl, 9, 12); break;
        case 20:
            face(kEveningSheryl, 1);
            sayStep(63, 3, s, 0);
            break;
        case 21: walk(kEveningRimel, 6, 1, 9, 14); break;
        case 24:
            face(kEveningRimel, 1);
            sayStep(63, 3, s, 0);
            break;
        case 25: walk(kEveningFalk, 6, 5, 1, 25, 4, 10); break;
        case 28:
            face(kEveningSheryl, 0);
            sayStep(63, 3, s, 0);
            break;
        case 29: requestMusicStop(); break;
        case 30: {
            gCameraGlide = 20;
            const float up[3] = {0.0f, 20.0f, 0.0f};
            setCameraTarget(1, up);
            break;
        }
        case 31:
            walk(kEveningSheryl, 9, 10);
            walk(kEveningRimel, 9, 10, 4, 8);
            break;
        case 35:
            gSlowMusicFade = 0;
            changeMusic("【テーマ】リメル.mid");
            break;
        case 41: sayStep(63, 3, s, 10); break;
        case 45:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 46: pauseEvent(10); break;
        case 47:
            gSlowMusicFade = 0;
            changeMusic(kTownSong);
            break;
        case 49:
            changeMap(63, 30, 23, 1);
            gStoryFlags[kEveningScene] = 2;
            gStoryFlags[kStealthEntrance] = 1;
            break;
        default:
            if ((s >= 5 && s <= 17) || s == 23 || s == 27 || s == 33 || s == 34 || (s >= 36 && s <= 44) || s == 48)
                sayStep(63, 3, s, 0);
            break;
    }
}

// In the night ルサナ vanishes; ファルク's transmitter still hears her.
void runVanishing() {
    const int s = gEventStep;
    switch (s) {
        case 2: walk(kNightFalk, 9, 2); break;
        case 6: walk(kNightSheryl, 1, 5); break;
        case 3: case 7: case 21: waitWalk(); break;
        case 9: sayStep(63, 8, s, 5); break;
        case 10:
            face(kNightFalk, 1);
            sayStep(63, 8, s, 0);
            break;
        case 12: case 23:
            face(kNightFalk, 0);
            sayStep(63, 8, s, 0);
            break;
        case 20:
            walk(kNightRimel, 6, 12, 1, 12);
            walk(kNightFalk, 1, 6, 1, 4);
            break;
        case 34:
            changeMap(63, 30, 23, 1);
            restAndAdvanceDay();
            gStoryFlags[kStealthEntrance] = 2;
            gPlayerVisible = 1;
            break;
        default:
            if ((s >= 1 && s <= 19) || (s >= 22 && s <= 33)) sayStep(63, 8, s, 0);
            break;
    }
}

void approachTheGate() {
    gPlayerVisible = 0;
    changeMap(63, 31, 19, 1);
    gStoryFlags[kGateScene] = f(kGateScene) == 0 ? 1 : 3;
}

// アラフォース explains 魔空間; later the party sets out through the gate,
// on the Ruleno route with セレン's gift of the moon stone.
void runAtTheGate() {
    const int s = gEventStep;
    if (f(kGateScene) == 1) {
        switch (s) {
            case 1:
                if (towerRoute()) gEventStep = 3;
                else sayStep(63, 11, 1, 3);
                break;
            case 2: case 3: sayStep(63, 11, s, 0); break;
            case 10: break;  // silent: アラフォース lets the name sink in
            case 13:
                face(kAraforce, 0);
                sayStep(63, 11, s, 0);
                break;
            case 15:
                face(kAraforce, 1);
                sayStep(63, 11, s, 0);
                break;
            case 19: sayRoute(63, 11, 19, 0); break;
            case 21:
                changeMap(63, 31, 19, 0);
                gStoryFlags[kGateScene] = 2;
                gPlayerVisible = 1;
                break;
            default:
                if (s >= 4 && s <= 20) sayStep(63, 11, s, 0);
                break;
        }
        return;
    }
    char key[32];
    switch (s) {
        case 1:
            if (towerRoute()) gEventStep = 24;
            else sayStep(63, 11, 101, 0);
            break;
        case 3: walk(kSelen, 4, 8, 1, 28, 6, 24); break;
        case 4: waitWalk(); break;
        case 5: sayStep(63, 11, 105, 6); break;
        case 6:
            face(kGateSheryl, 1);
            face(kGateFirst, 1);
            face(kGateSecond, 1);
            sayStep(63, 11, 106, 0);
            break;
        case 13:
            face(kGateFirst, 0);
            sayStep(63, 11, 113, 0);
            break;
        case 14: sayStep(63, 11, 114, 6); break;
        case 16:
            face(kGateFirst, 1);
            sayStep(63, 11, 116, 0);
            break;
        case 18: showMarkerBeside(5, kSelen, 0.5f); break;
        case 20:
            face(kAraforce, 1);
            sayStep(63, 11, 120, 0);
            break;
        case 23:
            gStoneFlags[kMoonStone] = 1;
            changeMusic("【イベント】魔硝石回収.mid");
            break;
        case 24: {
            float at[3];
            positionOf(kGateSheryl, at);
            runStoneAcquisition(at, 5, 0);
            break;
        }
        case 25: requestMusicStop(); break;
        case 26:
            face(kGateSheryl, 0);
            face(kGateFirst, 0);
            face(kGateSecond, 0);
            sayStep(63, 11, 126, 0);
            break;
        case 27:
            changeMap(100, 15, 2, 0);
            gStoryFlags[kGateScene] = 4;
            gStoryFlags[flag::kArrivalFadeDue] = 1;
            gPlayerVisible = 1;
            break;
        default:
            if (s == 2 || (s >= 7 && s <= 17) || (s >= 19 && s <= 22)) {
                std::snprintf(key, sizeof key, "63.11.%d", 100 + s);
                say(key, 0);
            }
            break;
    }
}

// A bed: a night's rest, or, once ルサナ is home again, the night talk.
void runBed(int event) {
    const int s = gEventStep;
    switch (s) {
        case 1: say("63.bed.1", 3); break;
        case 2:
            offerChoice("63.bed.2", 2);
            branchOnChoice(3, 4, 0);
            break;
        case 3: case 9: endEvent(); break;
        case 4:
            restAndAdvanceDay();
            if (f(kNightTalk) == 0 && f(flag::kRusanaRescue) != 0) {
                changeMusic(kSherylTheme);
                gEventStep = 9;
            } else {
                changeMusic("【イベント】宿屋.mid");
            }
            break;
        case 5: case 12: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 6: pauseEvent(5); break;
        case 7:
            if (townRestored()) fadeTint(1.0f, 1.0f, 1.0f, 1.0f);
            else fadeTint(0.5f, 0.5f, 0.5f, 1.0f);
            break;
        case 8: changeMusic(townRestored() ? kTownSongAfter : kTownSong); break;
        case 11: gStoryFlags[kNightTalk] = 1; break;
        case 13:
            gMusicLock = 1;
            changeMap(62, 18, 22, 0);
            break;
        default: break;
    }
    (void)event;
}

void runAfterNightTalk() {
    switch (gEventStep) {
        case 0: gMusicLock = 0; break;
        case 1: changeMusic(kTownSongAfter); break;
        case 2: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 3: pauseEvent(5); break;
        case 4:
            gStoryFlags[kNightTalk] = 3;
            endEvent();
            break;
        default: break;
    }
}

}  // namespace

int setupMap63(int entering) {
    if (entering == 1) applyMapArrival(63);
    const int met = f(flag::kColerupicBarMet);
    const int evening = f(kEveningScene);
    const int emptied = f(flag::kColerupicEmptied);
    const int gate = f(kGateScene);
    const int route = f(flag::kRoute);

    trigger(kHouseDoor, 1);
    chest(1, 49, 157, 1);
    if (met != 0 && evening <= 1) dressFigure(kEveningSheryl, 2, 1, 0, 0, 0, entering);
    else hideFigure(kEveningSheryl);

    if (emptied != 0) hideFigure(kRusana);
    else if (f(flag::kColerupicSealed) != 0) dressPosed(kRusana, 3, 36, 9, 1, entering);
    else if (met == 0) hideFigure(kRusana);
    else if (evening <= 1) dressPosed(kRusana, 0, 36, 9, 1, entering);
    else hideFigure(kRusana);

    if (met != 0 && evening == 1) {
        dressFigure(kEveningFalk, 0, 1, 1, 0, 1, entering);
        dressFigure(kEveningRimel, 0, 1, 2, 0, 1, entering);
    } else {
        hideFigure(kEveningFalk);
        hideFigure(kEveningRimel);
    }

    if (f(kStealthEntrance) == 1) {
        dressFigure(kNightRimel, 0, 1, 2, 0, 0, entering);
        dressFigure(kNightSheryl, 2, 1, 0, 0, 1, entering);
        dressFigure(kNightFalk, 2, 1, 1, 0, 0, entering);
    } else {
        hideFigure(kNightRimel);
        hideFigure(kNightSheryl);
        hideFigure(kNightFalk);
    }

    if (gate == 4) hideFigure(kGate);
    else if (emptied != 0) dress(kGate, 1, 1, 59, 9);
    else hideFigure(kGate);
    if (gate == 1 || gate == 3) {
        dressFigure(kGateSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kGateFirst, 0, 1, route == 1 ? 1 : 3, 0, 0, entering);
        dressFigure(kGateSecond, 0, 1, route == 1 ? 2 : 4, 0, 0, entering);
    }
    if (emptied != 0 && gate <= 3) dressFigure(kAraforce, 3, 1, 47, 0, 1, entering);
    if (gate == 3 && route == 2) dressFigure(kSelen, 0, 1, 6, 0, 0, entering);
    chest(15, 165, 3000, 69);
    for (int slot = 16; slot <= 18; ++slot) trigger(slot, 1);
    trigger(kAfterNightTalk, f(kNightTalk) == 2 ? 2 : 0);
    return 0;
}

void runMapEvents63() {
    switch (gFieldEvent) {
        case kHouseDoor + 1: changeMap(62, 16, 24, 0); break;
        case kEveningSheryl + 1: runEvening(); break;
        case kRusana + 1: runTalk("63.4.1"); break;
        case kNightSheryl + 1: runVanishing(); break;
        case kGate + 1: case kAraforce + 1: approachTheGate(); break;
        case kGateSheryl + 1: runAtTheGate(); break;
        case 17: case 18: case 19: runBed(gFieldEvent); break;
        case kAfterNightTalk + 1: runAfterNightTalk(); break;
        default: endSilentEvent(); break;  // figures of the scenes have nothing to say
    }
    ++gEventStep;
}

// ---- Map 64: the bar ----

namespace {

constexpr int kBarSheryl = 5;
constexpr int kBarFalk = 6;
constexpr int kBarRimel = 7;
constexpr int kFalk = 2;
constexpr int kRimel = 3;
constexpr int kClaber = 4;
constexpr int kRyuhi = 5;

// A joining member at least one level under the one whose place they take.
void takePlaceOf(int unit, int stand) {
    joinAtLevel(unit, gPartyMembers[stand].level - 1);
    clearStones(unit);
}

// ファルク and リメル turn up in the bar and join シェリル.
void runMeeting() {
    const int s = gEventStep;
    switch (s) {
        case 0: lookAtCell(35.0f, 18.0f, 1); break;  // the table she walks to
        case 1: walk(kBarSheryl, 4, 5, 1, 16, 6, 12); break;
        case 2: case 14: case 40: case 51: waitWalk(); break;
        case 5:
            lookAtCell(38.0f, 18.0f, 10);  // three rows on, to the two who come in
            changeMusic("【テーマ】ファルク.mid");
            break;
        case 12: case 16: case 29: sayStep(64, 6, s, 10); break;
        case 13: walk(kBarSheryl, 9, 6, 6, 28); break;
        case 15:
            face(kBarRimel, 0);
            sayStep(64, 6, s, 0);
            break;
        case 18: sayStep(64, 6, s, 5); break;
        case 23: case 45:
            face(kBarSheryl, 1);
            sayStep(64, 6, s, 0);
            break;
        case 27: case 41: case 56:
            face(kBarSheryl, 0);
            sayStep(64, 6, s, 0);
            break;
        case 36: sayStep(64, 6, s, 4); break;
        case 37: requestMusicStop(); break;
        case 39: walk(kBarSheryl, 1, 3); break;
        case 44: changeMusic(kSherylTheme); break;
        case 50: walk(kBarSheryl, 4, 5); break;
        case 54:
            face(kBarRimel, 1);
            sayStep(64, 6, s, 0);
            break;
        case 65: case 66: case 67: case 68: runStillPicture(s, 65, 6, 5); break;
        case 69:
            gParty[1] = kFalk;
            gParty[2] = kRimel;
            takePlaceOf(kFalk, kClaber);
            takePlaceOf(kRimel, kRyuhi);
            restAndAdvanceDay();
            changeMap(64, 38, 17, 1);
            gPlayerVisible = 1;
            gStoryFlags[flag::kColerupicBarMet] = 1;
            break;
        default:
            if ((s >= 3 && s <= 4) || (s >= 6 && s <= 36) || s == 38 || (s >= 41 && s <= 43) || (s >= 45 && s <= 64))
                sayStep(64, 6, s, 0);
            break;
    }
}

}  // namespace

int setupMap64(int entering) {
    if (entering == 1) applyMapArrival(64);
    const bool deserted = f(flag::kColerupicDeserted) == 1;
    const int met = f(flag::kColerupicBarMet);
    dress(0, 1, 0, 0, 0);
    if (!deserted) {
        dressPosed(1, 3, 45, 8, 1, entering);
        dressPosed(2, 3, 45, 9, 0, entering);
        dressPosed(3, 3, 46, 7, 0, entering);
        dressPosed(4, 3, 46, 8, 0, entering);
    }
    if (met == 0) {
        dressFigure(kBarSheryl, 2, 1, 0, 0, 0, entering);
        dressFigure(kBarFalk, 0, 1, 1, 0, 1, entering);
        dressFigure(kBarRimel, 0, 1, 2, 0, 1, entering);
    } else {
        hideFigure(kBarSheryl);
        hideFigure(kBarFalk);
        hideFigure(kBarRimel);
    }
    if (townRestored()) {
        dressPosed(8, 3, 48, 8, 1, entering);
        dressPosed(9, 3, 46, 7, 0, entering);
    }
    if (!deserted) {
        MapObject& bartender = gMapObjects[10];
        if (bartender.present) {
            bartender.visible = 1;
            bartender.character = 46;
            bartender.pose = 8;
            bartender.facing = 1;
        }
        trigger(11, 1);
    }
    return 0;
}

void runMapEvents64() {
    const int event = gFieldEvent;
    const bool back = f(flag::kColerupicSealed) != 0;
    char key[32];
    switch (event) {
        case 1: changeMap(62, 24, 35, 0); break;
        case 2: case 3: case 4: case 5:
            std::snprintf(key, sizeof key, "64.%d.1%s", event, back ? ".back" : "");
            runTalk(key);
            break;
        case kBarSheryl + 1: runMeeting(); break;
        case 9: case 10:
            std::snprintf(key, sizeof key, "64.%d.1", event);
            runTalk(key);
            break;
        case 12:
            if (gEventStep == 0) gPlayerFacing = 0;
            else if (gEventStep == 1) say(back ? "64.12.1.back" : "64.12.1", 0);
            else endEvent();
            break;
        default: endSilentEvent(); break;  // figures of the scene have nothing to say
    }
    ++gEventStep;
}
