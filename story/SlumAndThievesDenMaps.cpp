// Episode 1: the slum of Marksen (8) and the thieves' den below it (9, 10),
// where シェリル and クレイバー win back the magical stone taken from her
// home, meet アラフォース, and on the way out face レニウム.
#include "engine/Music.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "events/EventMusic.h"
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

constexpr int kDenVoiceHeard = 8;  // 1 once the first band at the den's entrance is beaten
constexpr int kReniumMet = 11;     // 1 after the scene with レニウム in the slum

constexpr const char* kSlumSong = "【チャプター１】スラム街.mid";

// The den's thugs: group 9 + (slot mod 4), two sprites by the slot's parity.
void denSymbol(int slot, int group, int entering) { enemySymbol(slot, group, 37, entering); }

}  // namespace

// ---- Map 8: the slum ----

namespace {

constexpr int kSlumClaber = 10;
constexpr int kRenium = 16;

// レニウム of クロスケーション stops the pair on their way home from the den.
void runReniumScene() {
    const int s = gEventStep;
    // Watched up the street, so レニウム stands in the picture with the
    // pair; again so after the battle.
    if (s == 0) lookAtCell(11.3f, 32.0f, 1);
    if (s == 35) cutToCell(11.3f, 32.0f);
    switch (s) {
        case 2: walk(kRenium, 2, 5, 0, 20); break;
        case 3: case 42: waitWalk(); break;
        case 4: changeMusic("【バトル】皇帝に跪け.mid"); break;
        case 34:
            // His purse is in the Empire's coin.
            gRegionCurrency = 1;
            startBattle(16, gSavedBattleBackground, gBattleBackground);
            break;
        case 35:
            gRegionCurrency = 0;
            walk(kRenium, 4, 5, 0, 20);
            break;
        case 36:
            waitWalk();
            face(kRenium, 0);
            break;
        case 39: pose(kSlumClaber, 8); sayStep(8, 17, s, 0); break;
        case 41: walk(kRenium, 1, 40, 0, 20); break;
        case 43: pose(kSlumClaber, 0); sayStep(8, 17, s, 0); break;
        case 44:
            gStoryFlags[kReniumMet] = 1;
            gPlayerVisible = 1;
            changeMap(8, 14, 33, 1);
            break;
        default:
            if (s == 1 || (s >= 6 && s <= 33) || (s >= 37 && s <= 40)) sayStep(8, 17, s, 0);
            break;
    }
}

}  // namespace

int setupMap8(int entering) {
    if (entering == 1) applyMapArrival(8);
    const int den = gStoryFlags[flag::kThievesDen];
    const int met = gStoryFlags[kReniumMet];
    for (int slot = 0; slot <= 4; ++slot) dress(slot, 4, 0, 0, 0);
    chest(5, 2, 155, 1);
    for (int slot = 6; slot <= 15; ++slot) {
        if (met == 1) removeFigure(slot);
        else if (den == 3 && slot == kSlumClaber) dressFigure(slot, 1, 1, 3, 0, 1, entering);
        else if (den == 3) removeFigure(slot);
        else denSymbol(slot, 9 + slot % 4, entering);
    }
    if (met != 1 && den == 3) {
        dressPosed(kRenium, 2, 10, 0, 0, entering);
    } else {
        removeFigure(kRenium);
    }
    chest(17, 185, 130, 3);
    return 0;
}

void runMapEvents8() {
    switch (gFieldEvent) {
        case 1: case 2: case 3:
            if (gStoryFlags[flag::kSlumFarewell] == 2 || gStoryFlags[kReniumMet] != 1) {
                changeMap(2, 45, 9, 1);
            } else {
                // The sea district's farewell scene waits for the pair.
                gStoryFlags[flag::kSlumFarewell] = 1;
                gPlayerVisible = 0;
                changeMap(2, 31, 10, 1);
            }
            break;
        case 4: case 5: changeMap(9, 10, 10, 0); break;
        case kRenium + 1:
            if (gStoryFlags[kReniumMet] != 1 && gStoryFlags[flag::kThievesDen] == 3) runReniumScene();
            else endEvent();
            break;
        default: endSilentEvent(); break;  // クレイバー's figure before the scene starts
    }
    ++gEventStep;
}

// ---- Map 9: the den's entrance ----

int setupMap9(int entering) {
    if (entering == 1) applyMapArrival(9);
    for (int slot : {0, 1, 3, 4}) dress(slot, 4, 0, 0, 0);
    dress(2, gStoryFlags[kDenVoiceHeard] == 0 ? 2 : 0, 0, 0, 0);
    chest(5, 3, 132, 2);
    chest(6, 4, 102, 1);
    static const int kGroups[9] = {12, 9, 10, 11, 12, 9, 10, 11, 12};
    for (int slot = 7; slot <= 15; ++slot) denSymbol(slot, kGroups[slot - 7], entering);
    chest(16, 187, 1000, 500);
    return 0;
}

namespace {

// The thief master's voice sends his underlings at the intruders.
void runDenVoice() {
    const int s = gEventStep;
    switch (s) {
        case 4: startBattle(13, gSavedBattleBackground, gBattleBackground); break;
        case 12:
            gStoryFlags[kDenVoiceHeard] = 1;
            endEvent();
            break;
        default:
            if ((s >= 1 && s <= 3) || (s >= 5 && s <= 11)) sayStep(9, 3, s, 0);
            break;
    }
}

}  // namespace

void runMapEvents9() {
    switch (gFieldEvent) {
        case 1: case 2: changeMap(8, 14, 33, 1); break;
        case 4: case 5: changeMap(10, 10, 10, 0); break;
        case 3:
            if (gStoryFlags[kDenVoiceHeard] == 0) runDenVoice();
            else endEvent();
            break;
        default: endSilentEvent(); break;
    }
    ++gEventStep;
}

// ---- Map 10: the treasure room ----

namespace {

constexpr int kDenClaber = 3;
constexpr int kMerchant = 4;
constexpr int kThiefMaster = 5;
constexpr int kAlaforce = 6;
constexpr int kDenSheryl = 7;
constexpr int kSheryl = 1;    // unit ids
constexpr int kClaber = 4;

const int kMerchantGoods[20] = {130, 131, 132, 133, 160, 100, 101, 73, 2, 3, 47, 48};

bool sherylWearsAStone() {
    const PartyMember& m = gPartyMembers[kSheryl];
    return m.stones[0] != 0 || m.stones[1] != 0;
}

// The treasure room: もろこし among the loot, the thief master's defeat, the
// first stone, アラフォース's lesson and battle 15, the end of episode 1 and
// its interlude.
void runTreasureRoomScene() {
    const int s = gEventStep;
    // The room is watched from its middle, the pair, もろこし and the
    // throne all in the picture; again so after each battle. Once
    // アラフォース comes in behind the pair, from nearer the door, so the
    // picture is wide enough for him and the throne; so again after the
    // camp menu, the battle and the interlude.
    if (s == 0) lookAtCell(36.0f, 35.0f, 1);
    if (s == 44) cutToCell(36.0f, 35.0f);
    if (s == 72) lookAtCell(39.5f, 29.5f, 10);
    if (s == 116 || s == 122 || s == 174) cutToCell(39.5f, 29.5f);
    switch (s) {
        case 1:
            walk(kDenClaber, 6, 8);
            walk(kDenSheryl, 6, 8);
            break;
        case 2: case 26: case 65: case 73: waitWalk(); break;
        case 3: changeMusic("【テーマ】ファーレンス.mid"); break;
        case 4: case 5: break;  // silent: the pair take in the treasure room
        case 17:
            showMarkerBeside(0, kMerchant, -0.5f);
            sayStep(10, 4, s, 0);
            break;
        case 25:
            face(kMerchant, 0);
            changeMusic("【テーマ】シーフマスター.mid");
            walk(kThiefMaster, 4, 15, 0, 5);
            break;
        case 35: face(kDenSheryl, 0); sayStep(10, 4, s, 0); break;
        case 37: face(kDenSheryl, 1); sayStep(10, 4, s, 0); break;
        case 43: startBattle(14, gSavedBattleBackground, gBattleBackground); break;
        case 44: pose(kThiefMaster, 4); sayStep(10, 4, s, 0); break;
        case 55:
            gStoneFlags[0] = 1;
            changeMusic("【イベント】魔硝石回収.mid");
            break;
        case 56: {
            float at[3];
            positionOf(kDenSheryl, at);
            runStoneAcquisition(at, 0, 0);
            break;
        }
        case 57: requestMusicStop(); break;
        case 58: case 59: case 60: break;  // silent: the stone's light fades
        case 64: walk(kDenSheryl, 4, 4); break;
        case 69: changeMusic("【テーマ】アラフォース.mid"); sayStep(10, 4, s, 0); break;
        case 72:
            gStoryFlags[flag::kThievesDen] = 2;
            walk(kAlaforce, 6, 10, 3, 10, 0, 10);
            break;
        // The stone lesson: the camp menu opens until a stone is worn.
        case 115:
            pose(kThiefMaster, 4);
            restAndAdvanceDay();
            gParty[1] = 0;
            gScene = 200;
            gRedrawRequest[0] = 1;
            gRedrawRequest[1] = 1;
            break;
        case 116:
            gPlayerFacing = 1;
            pose(kThiefMaster, 4);
            if (sherylWearsAStone()) gEventStep = 119;
            break;
        case 117: pose(kThiefMaster, 4); sayStep(10, 4, s, 0); break;
        case 118: sayStep(10, 4, s, 0); break;
        case 119: gEventStep = 114; break;
        case 121:
            pose(kThiefMaster, 4);
            restAndAdvanceDay();
            startBattle(15, gSavedBattleBackground, gBattleBackground);
            break;
        case 122:
            pose(kThiefMaster, 4);
            gParty[1] = kClaber;
            break;
        // The chapter end.
        case 138: fadeTint(0.0f, 0.0f, 0.0f, 1.0f); break;
        case 139:
            gSlowMusicFade = 1;
            requestMusicStop();
            break;
        case 140: case 141: case 142: case 143: case 144:
            runChapterEndOffer(gEventStep, 140, 101, "エピソード１　完");
            break;
        // The interlude.
        case 145:
            gSlowMusicFade = 0;
            beginInterlude(1);
            break;
        case 149: case 167:
            gEventPictureNumber = s == 149 ? 3 : 4;
            gPictureLoaded = 0;
            sayStep(10, 4, s, 0);
            break;
        case 174:
            gEventPicture = 0;
            gEventPictureNumber = 0;
            pose(kThiefMaster, 4);
            changeMusic(kSlumSong);
            break;
        case 175: fadeTint(1.0f, 1.0f, 1.0f, 1.0f); break;
        case 179:
            gStoryFlags[flag::kThievesDen] = 3;
            gPlayerVisible = 1;
            changeMap(10, 30, 35, 0);
            break;
        default:
            if ((s >= 6 && s <= 54) || (s >= 61 && s <= 71) || (s >= 74 && s <= 114) || s == 120 ||
                (s >= 123 && s <= 137) || (s >= 146 && s <= 173) || (s >= 176 && s <= 178))
                sayStep(10, 4, s, 0);
            break;
    }
}

}  // namespace

int setupMap10(int entering) {
    if (entering == 1) applyMapArrival(10);
    const int den = gStoryFlags[flag::kThievesDen];
    const int met = gStoryFlags[kReniumMet];
    const bool scene = den == 1 || den == 2;
    dress(0, 4, 0, 0, 0);
    for (int slot : {1, 2}) {
        if (den == 0) dress(slot, 4, 0, 0, 0);
        else removeFigure(slot);
    }
    if (scene) dressFigure(kDenClaber, 2, 1, 3, 0, 0, entering);
    else removeFigure(kDenClaber);
    if (met != 1 && den >= 1) dressFigure(kMerchant, 3, 1, 48, 0, 1, entering);
    else removeFigure(kMerchant);
    if (met != 1 && den == 3) dressFigure(kThiefMaster, 3, 1, 16, 4, 1, entering);
    else if (scene) dressFigure(kThiefMaster, 1, 1, 16, 0, 1, entering);
    else removeFigure(kThiefMaster);
    if (den == 2) dress(kAlaforce, 1, 1, 47, 0);
    else removeFigure(kAlaforce);
    if (scene) dressFigure(kDenSheryl, 2, 1, 0, 0, 0, entering);
    else removeFigure(kDenSheryl);
    for (int slot = 8; slot <= 15; ++slot) denSymbol(slot, 9 + slot % 4, entering);
    chest(16, 186, 131, 2);
    return 0;
}

void runMapEvents10() {
    const int den = gStoryFlags[flag::kThievesDen];
    switch (gFieldEvent) {
        case 1: changeMap(9, 19, 39, 1); break;
        case 2: case 3:
            if (den == 0) {
                gStoryFlags[flag::kThievesDen] = 1;
                gPlayerVisible = 0;
                changeMap(10, 30, 35, 0);
            } else {
                endEvent();
            }
            break;
        case kDenClaber + 1:
            if (den == 1 || den == 2) runTreasureRoomScene();
            else endEvent();
            break;
        case kMerchant + 1:
            runShopCounter(10, kMerchant + 1, kKeepFacing, "もろこし屋－シーフズデンジャラス", kMerchantGoods, 6);
            break;
        case kThiefMaster + 1: runTalk(10, kThiefMaster + 1); break;
        default: endSilentEvent(); break;  // アラフォース and シェリル's figure stand in the scene only
    }
    ++gEventStep;
}
