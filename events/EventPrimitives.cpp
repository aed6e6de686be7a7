#include "events/EventPrimitives.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "battle/BattleRecords.h"
#include "engine/Input.h"
#include "engine/Music.h"
#include "engine/Random.h"
#include "engine/Scene.h"
#include "engine/TextLayers.h"
#include "events/EventEngine.h"
#include "events/EventMusic.h"
#include "events/FieldStateUse.h"
#include "events/MessageWindow.h"
#include "field/EventState.h"
#include "field/FieldMap.h"
#include "field/FieldState.h"
#include "field/WorldToCell.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"
#include "menus/MenuState.h"
#include "menus/StaffRoll.h"

MoveQueue gMoveQueues[150] = {};
int gMoveIndex = 0;
int gMoveSlot = 0;
MapChangeRequest gPendingMapChange = {};
FieldMarker gFieldMarkers[10] = {};

namespace {

int clampInt(int value, int low, int high) { return value < low ? low : (value > high ? high : value); }

}  // namespace

// ---- Scripted moves ----

void beginMoveBlock(int kind, int slot) {
    if (kind != 1) return;  // player paths are not used by the story
    if (slot < 0 || slot >= 150) {
        std::fprintf(stderr, "beginMoveBlock: slot %d outside 0-149\n", slot);
        gMoveSlot = -1;
        return;
    }
    gMoveQueues[slot].length = 0;
    gMoveSlot = slot;
    gMoveIndex = 0;
    gMessageMode = 11;
}

void addMoves(int direction, int frames) {
    if (gMoveSlot < 0 || gMoveSlot >= 150 || frames <= 0) return;
    MoveQueue& queue = gMoveQueues[gMoveSlot];
    int length = queue.length < 0 ? 0 : queue.length;
    int room = kMoveQueueLimit - length;
    if (frames > room) {
        std::fprintf(stderr, "addMoves: slot %d holds at most %d moves; %d dropped\n", gMoveSlot, kMoveQueueLimit,
                     frames - room);
        frames = room;
    }
    for (int i = 0; i < frames; ++i) queue.moves[length + i] = static_cast<std::uint8_t>(direction);
    queue.length = static_cast<std::int8_t>(length + frames);
}

void waitMoveBlock(int kind) {
    if (kind != 1) return;
    gMessageMode = 11;
    for (const MoveQueue& queue : gMoveQueues) {
        if (queue.length != 0) {
            --gEventStep;
            return;
        }
    }
}

// ---- Map change ----

void changeMap(int map, int row, int col, int facing) {
    row = clampInt(row, 0, 59);
    col = clampInt(col, 0, 59);
    if (facing == 2) {
        const float shear = columnShear(col);
        gPlayerPos[0] = static_cast<float>(row) + shear;
        gPlayerPos[2] = shear;
        return;
    }
    gPendingMapChange.facing = facing;
    gPendingMapChange.row = row;
    gPendingMapChange.col = col;
    gPendingMapChange.map = map;
    gPendingMapChange.pending = 1;
    gScene = 1;
    gInputCode = 0;
    endEvent();
    std::memcpy(gPendingMapChange.storyFlags, gStoryFlags, sizeof gStoryFlags);
    gPendingMapChange.playerVisible = gPlayerVisible;
    if (map == 0 || map == 1 || map == 2 || (map == 72 && gStoryFlags[81] == 0)) {
        gNewsTickerOn = 1;
    } else {
        gNewsTickerOn = 0;
        gTickerPos = 0;
        gTickerSlot = 0;
    }
}

// ---- A new game's start ----

void clearFieldMarkersForNewGame() {
    for (FieldMarker& marker : gFieldMarkers) marker = FieldMarker{};
}

void emptyMoveQueuesForNewGame() {
    for (MoveQueue& queue : gMoveQueues) queue.length = 0;
    gMoveIndex = 0;
}

void requestNewGameMapChange() { changeMap(22, 26, 53, 1); }

// ---- Battle and scenes ----

void startBattle(int group, int, int) {
    gScene = 10;
    gTransitionFrame = 0;
    // The battle's ground shows the floor the party stood on.
    int cell[3];
    worldToCell(gPlayerPos, cell);
    const MapCell& ground = mapCell(cell[0], cell[2]);
    gGroundTiles[0] = ground.floorColumn;
    gGroundTiles[1] = ground.floorRow;
    gGroundTiles[2] = ground.wallColumn;
    gGroundTiles[3] = ground.wallRow;
    setUpBattle(group);
}

void startEnding(int variant) {
    gMusicLock = 0;
    changeMusic("【テーマ】エンディング.mid");
    gMusicLock = 1;
    startStaffRoll(variant);
    gScene = 900;
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
}

namespace {

// A label into a fixed field: cut to fit, always terminated.
void copyLabel(char* field, std::size_t size, const char* label) {
    std::snprintf(field, size, "%s", label != nullptr ? label : "");
}

void switchToMenuScene(int scene) {
    gRedrawRequest[0] = 2;
    gRedrawRequest[1] = 2;
    gScene = scene;
}

}  // namespace

void openSaveScreen(const char* label) {
    copyLabel(gSavePlaceName, sizeof gSavePlaceName, label);
    switchToMenuScene(9);
}

void openShop(const char* title, const int goods[20], int kind) {
    copyLabel(gShopTitle, sizeof gShopTitle, title);
    for (int i = 0; i < kShopGoodsCount; ++i) gShopGoods[i] = goods != nullptr ? goods[i] : 0;
    gShopKind = kind;
    gMenuListCursor = 0;
    switchToMenuScene(300);
}

void openBank(const char* title) {
    copyLabel(gShopTitle, sizeof gShopTitle, title);
    gMenuListCursor = 0;
    gMenuTopCursor = 0;
    gExchangeRates[0].rate = 100;
    switchToMenuScene(301);
}

// ---- Pictures and tint ----

void showStillPicture(int picture) {
    gPictureLoaded = 0;
    gStillPictureAlpha = picture < 0 ? 255 : 128;
    gStillPicture = static_cast<std::int8_t>(picture + 1);
}

void waitStillPicture() {
    if (gStillPicture < 0) {
        gStillPicture = 0;
        return;
    }
    if (gInputCode == kInputDecide) {
        gStillPicture = 0;
        return;
    }
    --gEventStep;
}

void fadeTint(float r, float g, float b, float a) {
    const float target[4] = {r, g, b, a};
    bool arrived = true;
    for (int i = 0; i < 4; ++i) {
        const float gap = gFieldTint[i] - target[i];
        if (gap * gap <= 0.0001f) {
            gFieldTint[i] = target[i];
        } else {
            gFieldTint[i] += gap > 0 ? -0.01f : 0.01f;
            arrived = false;
        }
    }
    gFieldTintActive = (gFieldTint[0] == 1.0f && gFieldTint[1] == 1.0f && gFieldTint[2] == 1.0f && gFieldTint[3] == 1.0f)
                           ? 0
                           : 1;
    if (!arrived) --gEventStep;
}

// ---- Party and economy ----

void restAndAdvanceDay() {
    for (int slot = 0; slot < 3; ++slot) {
        const int unit = gParty[slot];
        if (unit < 0 || unit >= kUnitCount) continue;
        gPartyMembers[unit].hp = computeUnitStat(unit, 0);
        gPartyMembers[unit].sp = computeUnitStat(unit, 1);
    }
    for (int k = 0; k < kBodyguardCount; ++k) gBodyguards[k].hp = computeBodyguardStat(k, 0);
    advanceEconomyDay();
}

void advanceEconomyDay() {
    if (gLoan > 0) {
        const long long interest = (static_cast<long long>(gLoan) / 10 + 100) / 100 * 100;
        const long long grown = gLoan + interest;
        gLoan = grown > INT_MAX ? INT_MAX : static_cast<int>(grown);  // kept: saturates, never wraps
    }
    const int bounds[3][2] = {{0, 0}, {95, 135}, {160, 200}};
    for (int currency = 1; currency < kCurrencyCount; ++currency) {
        ExchangeRate& rate = gExchangeRates[currency];
        const int minimum = bounds[currency][0];
        const int maximum = bounds[currency][1];
        if (rate.halted) {
            rate.rate = minimum;
            rate.falling = 1;
        } else if (rate.falling == 0) {
            rate.rate += randomThousand() % 40;
            if (rate.rate > maximum) {
                rate.rate = 2 * maximum - rate.rate;
                rate.falling = 1;
            }
        } else {
            rate.rate -= randomThousand() % 40;
            if (rate.rate < minimum) rate.falling = 0;
        }
    }
}

void returnUnitEquipment(int unit) {
    if (unit < 0 || unit >= kUnitCount) return;
    for (int slot : {kEquipProtector, kEquipAccessoryA, kEquipAccessoryB}) {
        const int item = gPartyMembers[unit].equipment[slot];
        if (item <= 0 || item >= kItemCount) continue;
        gPartyMembers[unit].equipment[slot] = 0;
        --gItemStock[item].equipped;
        ++gItemStock[item].owned;
    }
}

int clampToRange(int minimum, const int pair[2]) {
    int value = pair[0];
    if (pair[1] != 0 && pair[1] < value) value = pair[1];
    if (value < minimum) value = minimum;
    return value;
}

// ---- The magical-stone presentation ----

void runStoneAcquisition(const float position[3], int index, int) {
    if (index < 0 || index >= 10 || position == nullptr) return;
    FieldMarker& marker = gFieldMarkers[index];
    marker.present = 1;
    const float x = position[0], y = position[1], z = position[2];
    int& f = marker.frame;
    if (f == 0) {
        bool moved = false;
        if (std::fabs(marker.x - x) <= 1.0f) {
            moved = marker.x != x;
            marker.x = x;
        } else {
            marker.x += marker.x < x ? 1.0f : -1.0f;
            moved = true;
        }
        const float zTarget = z + 2.0f;
        if (marker.z > zTarget) {
            marker.z -= 1.0f;
            moved = true;
        } else if (marker.z < zTarget) {
            if (zTarget - marker.z > 1.0f) marker.z += 1.0f;
            else marker.z = zTarget;
            moved = true;
        }
        bool yMoved = false;
        if (marker.y < y) {
            marker.y += 1.0f;
            yMoved = true;
        } else if (marker.y > y + 1.0f) {
            if (marker.y - (y + 1.0f) > 1.0f) marker.y -= 1.0f;
            else marker.y = y + 1.0f;
            yMoved = true;
        }
        if (!yMoved && !moved) f = 1;
    } else if (f <= 300) {
        const float r = 1.0f - static_cast<float>(f) / 300.0f;
        const float angle = static_cast<float>(f) * 3.14159265f / 32.0f;
        marker.x = x + 2.0f * r * std::sin(angle);
        marker.y = y + 0.01f * static_cast<float>(f);
        marker.z = z + 2.0f * r * std::cos(angle);
        if (f < 100) gFieldBrightness = 1.0f - 0.01f * static_cast<float>(f + 1);
        ++f;
    } else if (f < 340) {
        marker.x = x;
        marker.y = y + 3.0f - 0.05f * static_cast<float>(f - 300);
        marker.z = z;
        ++f;
    } else if (f == 340) {
        if (gInputCode == kInputDecide) {
            gSlowMusicFade = 1;
            requestMusicStop();
            gStoneBannerShown = 0;
            f = 341;
        } else {
            gStoneBannerShown = 1;
        }
    } else if (f <= 450) {
        ++f;
    } else {
        gFieldBrightness = 1.0f;
        f = 0;
        gSlowMusicFade = 0;
        marker.present = 0;
        return;  // the step advances
    }
    --gEventStep;
}

void resetEventPrimitives() {
    std::memset(gMoveQueues, 0, sizeof gMoveQueues);
    gMoveIndex = 0;
    gMoveSlot = 0;
    std::memset(&gPendingMapChange, 0, sizeof gPendingMapChange);
    std::memset(gFieldMarkers, 0, sizeof gFieldMarkers);
}
