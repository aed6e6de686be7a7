#include "battle/VictoryResults.h"

#include <cinttypes>
#include <cstdio>

#include "battle/BattleRecords.h"
#include "battle/VictoryRewards.h"
#include "engine/DrawText.h"
#include "engine/DrawingFunctions.h"
#include "engine/GraphicsResources.h"
#include "engine/Input.h"
#include "engine/TextFont.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"

namespace {

constexpr int kLeft = 0;   // layer 1, white, left
constexpr int kRight = 1;  // layer 1, white, right

constexpr VictoryWindowPlace kWindowPlaces[3] = {{25, 100}, {125, 225}, {225, 350}};

bool rewarded(int slot) {
    const int unit = gParty[slot];
    return unit > 0 && unit < kUnitCount && gPartyMembers[unit].hp != 0;
}

void text(GraphicsResources& resources, gfx::Device* device, int left, int top, int right, int bottom,
          const char* s, int style) {
    drawText(resources, device, gfx::Rect{left, top, right, bottom}, s, style);
}

void drawRewardRows(GraphicsResources& resources, gfx::Device* device) {
    char buffer[160];
    drawWindowFrame(resources, device, 0, 0, 320, 25);
    text(resources, device, 6, 4, 320, 25, "獲得経験値", kLeft);
    std::snprintf(buffer, sizeof buffer, "%d p", gBattleRewards.experiencePool);
    text(resources, device, 6, 4, 314, 25, buffer, kRight);

    drawWindowFrame(resources, device, 320, 0, 320, 25);
    text(resources, device, 326, 4, 640, 25, victoryMoneyLabel(gRegionCurrency), kLeft);
    std::snprintf(buffer, sizeof buffer, "%d", gBattleRewards.money);
    text(resources, device, 326, 4, 634, 25, buffer, kRight);

    drawWindowFrame(resources, device, 0, 25, 640, 25);
    const int item = gBattleRewards.droppedItem;
    if (item > 0 && item < kItemCount) text(resources, device, 6, 29, 640, 50, gItems[item].name, kLeft);
    const int card = gBattleRewards.card;
    if (card >= 0 && card < kCardCount) {
        std::snprintf(buffer, sizeof buffer, "%.100sのカード", gCardTable[card].name);
        text(resources, device, 326, 29, 640, 50, buffer, kLeft);
    }
}

void drawMemberWindow(GraphicsResources& resources, gfx::Device* device, int slot) {
    const int unit = gParty[slot];
    const PartyMember& member = gPartyMembers[unit];
    const int x = kWindowPlaces[slot].x;
    const int y = kWindowPlaces[slot].y;
    drawWindowFrame(resources, device, static_cast<float>(x), static_cast<float>(y), 400, 110);
    if (resources.sprite && resources.portraitSheet) {
        const gfx::Rect src{(unit - 1) * 96, 0, unit * 96, 96};
        const gfx::Vec2 at{static_cast<float>(x + 9), static_cast<float>(y + 9)};
        resources.sprite->begin();
        resources.sprite->draw(resources.portraitSheet.get(), &src, nullptr, nullptr, 0.0f, &at, 0xFFFFFFFFu);
        resources.sprite->end();
    }
    char buffer[64];
    text(resources, device, x + 126, y + 29, x + 440, y + 50, gUnitBases[unit].name, kLeft);
    std::snprintf(buffer, sizeof buffer, "Lv %d", member.level);
    text(resources, device, x + 156, y + 49, x + 470, y + 70, buffer, kLeft);
    text(resources, device, x + 220, y + 34, x + 395, y + 55, "経験値:", kLeft);
    std::snprintf(buffer, sizeof buffer, "%d p", member.experience);
    text(resources, device, x + 220, y + 34, x + 395, y + 55, buffer, kRight);
    text(resources, device, x + 220, y + 64, x + 395, y + 85, "次のレベルまで:", kLeft);
    std::snprintf(buffer, sizeof buffer, "%" PRId64 " p", experienceForNextLevel(member.level) - member.experience);
    text(resources, device, x + 220, y + 64, x + 395, y + 85, buffer, kRight);
}

}  // namespace

VictoryWindowPlace victoryWindowPlace(int partySlot) {
    return partySlot >= 0 && partySlot < 3 ? kWindowPlaces[partySlot] : VictoryWindowPlace{0, 0};
}

const char* victoryMoneyLabel(int currency) {
    static const char* const kLabels[kCurrencyCount] = {"入手フォッグ", "入手コイン", "入手銭"};
    return currency >= 0 && currency < kCurrencyCount ? kLabels[currency] : kLabels[0];
}

void runVictoryResults(GraphicsResources& resources, gfx::Device* device) {
    int& pool = gBattleRewards.experiencePool;
    const bool decide = gInputCode == kInputDecide;
    const bool poolHadExperience = pool != 0;
    const int share = takeExperienceShare(pool, gBattleSchedule.groupExperience, decide);
    // The decide that empties the pool is used up; one on an empty pool stays for the pay-out.
    if (decide && poolHadExperience) gInputCode = kInputNone;
    handOutExperience(share);

    if (device != nullptr && beginTextFont(device, kMenuFontHeight, kMenuFontFace) == 0) {
        drawRewardRows(resources, device);
        for (int slot = 0; slot < 3; ++slot) {
            if (rewarded(slot)) drawMemberWindow(resources, device, slot);
        }
        endTextFont();
    }
    // The counting texts are redrawn every frame until the count ends.
    if (pool > 0) gRedrawRequest[1] = 2;
}
