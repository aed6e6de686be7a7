// resetNewGame and setUpInitialParty.
#include "gamedata/NewGame.h"

#include <cstring>

#include "battle/BattleRecords.h"
#include "events/EventPrimitives.h"
#include "field/EventState.h"
#include "field/FieldState.h"
#include "field/MapEditor.h"
#include "field/Overlays.h"
#include "gamedata/GameData.h"
#include "gamedata/ShiftJisField.h"
#include "menus/CampState.h"
#include "menus/Title.h"
#include "minigames/BoatRaceState.h"
#include "platform/Clock.h"

namespace {

constexpr int kBestRaceFramesAtStart = 359999;

}  // namespace

void resetNewGame() {
    std::memset(gItemStock, 0, sizeof gItemStock);
    std::memset(gStoneFlags, 0, sizeof gStoneFlags);
    gSessionStart = static_cast<int>(timing::calendarSeconds());
    // Experience that matches each member's level; setUpInitialParty sets it to 0.
    for (PartyMember& m : gPartyMembers) m.experience = 10 * (m.level - 1) * (m.level - 1);
    clearFieldMarkersForNewGame();

    gInBattle = 0;
    gFieldBrightness = 1.0f;
    gStoneBannerShown = 0;
    gEditorCursor = 0;
    gEditorPage = 0;
    gEditorSubMode = 0;

    gPlayerVSpeed = 0.0f;
    gPlayerVisible = 0;
    gPlayerFacing = 1;
    gFieldTick = 0;

    requestNewGameMapChange();  // map 22, row 26, column 53, facing 1; sets gScene to 1
    gCurrentMap = 22;
    gDebugMode = 0;
    emptyMoveQueuesForNewGame();

    for (int& frames : gBestRaceFrames) frames = kBestRaceFramesAtStart;
    gCampMenuCursor = 0;

    static const char* const kBodyguardNames[kBodyguardCount] = {"フォーゲル", "モルコスフィア", "アラフォース", "シーフマスター"};
    for (int b = 0; b < kBodyguardCount; ++b)
        sjis::copyBounded(gBodyguards[b].name, sizeof gBodyguards[b].name, kBodyguardNames[b]);

    gTitleCounter = 0;
    gCameraSnap = 0;
    gEventPicture = 0;
    gPictureLoaded = 0;
    gEventPictureNumber = 0;
    gMoneyWindow = 0;

    gFieldTintActive = 0;
    for (float& c : gFieldTint) c = 1.0f;

    gFormation = 0;
    gFormationOrder = 0;
    gCampMenuAllowed = 1;
    gCumulativeSales = 0;
}

int setUpInitialParty() {
    gShopPoints = 0;
    std::memset(gBodyguardHired, 0, sizeof gBodyguardHired);

    struct Start { int unit, level, hp, sp, weapon; };
    static const Start kStarts[] = {
        {1, 1, 289, 36, 1}, {2, 1, 1, 1, 19}, {3, 1, 1, 1, 34},
        {4, 9, 361, 18, 46}, {5, 7, 1, 1, 61}, {6, 60, 9999, 9999, 0},
    };
    std::memset(gPartyMembers, 0, sizeof gPartyMembers);
    for (const Start& s : kStarts) {
        PartyMember& m = gPartyMembers[s.unit];
        m.level = s.level;
        m.hp = s.hp;
        m.sp = s.sp;
        m.equipment[kEquipWeapon] = s.weapon;
    }

    gMoney[0] = 0;
    gMoney[1] = 100;
    gMoney[2] = 0;
    gLoan = 0;
    gPlaySeconds = 0;

    gParty[0] = 4;
    gParty[1] = 0;
    gParty[2] = 0;
    std::memset(gStoneFlags, 0, sizeof gStoneFlags);

    std::memset(gItemStock, 0, sizeof gItemStock);
    gItemStock[130].owned = 3;
    for (const Start& s : kStarts)
        if (s.weapon != 0) gItemStock[s.weapon].equipped = 1;

    std::memset(gCardStock, 0, sizeof gCardStock);
    std::memset(gStoryFlags, 0, sizeof gStoryFlags);
    std::memset(gChestFlags, 0, sizeof gChestFlags);
    gRegionCurrency = 0;

    static const int kStartRates[kCurrencyCount] = {100, 70, 50};
    for (int c = 0; c < kCurrencyCount; ++c) {
        gExchangeRates[c].rate = 0;
        gExchangeRates[c].falling = 1;
        gExchangeRates[c].halted = 0;
        gExchangeRates[c].spare = 0;
    }
    for (int c = 0; c < kCurrencyCount; ++c) gExchangeRates[c].rate = kStartRates[c];
    return 0;
}
