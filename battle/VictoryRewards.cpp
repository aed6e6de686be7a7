#include "battle/VictoryRewards.h"

#include <climits>

#include "battle/BattleServices.h"
#include "engine/TextLayers.h"
#include "gamedata/GameData.h"

namespace {

int saturatingAdd(int value, std::int64_t gain) {
    const std::int64_t sum = static_cast<std::int64_t>(value) + gain;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

}  // namespace

std::int64_t experienceForNextLevel(int level) {
    return 10 * static_cast<std::int64_t>(level) * static_cast<std::int64_t>(level);
}

int takeExperienceShare(int& pool, int groupExperience, bool decide) {
    if (decide) {
        const int share = pool;
        pool = 0;
        return share;
    }
    int share = 0;
    std::int64_t step = 1;
    for (;;) {
        if (pool < step) {
            share += pool;
            pool = 0;
            break;
        }
        pool -= static_cast<int>(step);
        share += static_cast<int>(step);
        step = 5 * step + 1;
        if (groupExperience < 50 * step) break;
    }
    return share;
}

int handOutExperience(int share) {
    if (share <= 0) return 0;
    int levelsGained = 0;
    for (int slot = 0; slot < 3; ++slot) {
        const int unit = gParty[slot];
        if (unit <= 0 || unit >= kUnitCount) continue;
        PartyMember& member = gPartyMembers[unit];
        if (member.hp == 0) continue;
        std::int64_t gain = share;
        for (int item : member.equipment) {
            if (item == kExperienceCharm) gain *= 2;
        }
        // Kept from overflowing: a huge reward stops at the largest count.
        member.experience = saturatingAdd(member.experience, gain);
        while (member.experience >= experienceForNextLevel(member.level)) {
            ++member.level;
            ++levelsGained;
            playBattleSound("Lvup.wav");
            gRedrawRequest[0] = 2;
        }
    }
    return levelsGained;
}

void payVictoryRewards(int money, int droppedItem, int card) {
    // A balance outside the three currencies (never set by the story) pays into フォッグ.
    const int currency = gRegionCurrency >= 0 && gRegionCurrency < kCurrencyCount ? gRegionCurrency : 0;
    gMoney[currency] = saturatingAdd(gMoney[currency], money);
    if (droppedItem > 0 && droppedItem < kItemCount) {
        gItemStock[droppedItem].owned = saturatingAdd(gItemStock[droppedItem].owned, 1);
    }
    if (card >= 0 && card < kCardCount) {
        gCardStock[card].known = 1;
        gCardStock[card].count = saturatingAdd(gCardStock[card].count, 1);
    }
}
