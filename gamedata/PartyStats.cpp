// Unit and bodyguard stats, and the built-in records they read.
#include "gamedata/PartyStats.h"

#include <climits>
#include <cmath>

#include "battle/BattleRecords.h"
#include "field/FieldState.h"
#include "gamedata/GameData.h"

const UnitBase gUnitBases[kUnitBaseCount] = {
    {"Empty", 0, 0, {0, 0, 0, 0, 0, 0, 0}},
    {"シェリル", 1, 1, {400, 25, 90, 29, 160, 36, 50}},
    {"ファルク", 2, 2, {440, 30, 120, 33, 95, 30, 100}},
    {"リメル", 3, 3, {360, 70, 60, 28, 170, 35, 10}},
    {"クレイバー", 4, 4, {540, 15, 140, 35, 70, 20, 170}},
    {"リュウヒ", 5, 5, {480, 45, 100, 32, 130, 33, 120}},
    {"フォーゲル", 0, 0, {720, 0, 400, 37, 50, 27, 200}},
    {"もろこし", 0, 0, {900, 0, 450, 39, 0, 30, 350}},
    {"アラフォース", 0, 0, {760, 0, 140, 35, 0, 50, 100}},
    {"シーフマスター", 0, 0, {830, 0, 425, 38, 0, 31, 1000}},
};

const FormationRecord gFormations[kFormationCount] = {
    {"スタンダートフォーム", {1, 1, 1}},
    {"ディフェンスフォーム", {0, 0, 0}},
    {"アタックフォーム", {2, 2, 2}},
    {"ミドルウエイブ", {2, 1, 0}},
    {"トライアングル", {2, 0, 0}},
    {"バックトライアングル", {0, 2, 2}},
    {"ハーフトライアングル", {2, 1, 1}},
    {"バックハーフトライアングル", {1, 2, 2}},
    {"ガードトライアングル", {1, 0, 0}},
    {"バックガードトライアングル", {0, 1, 1}},
};

const int gFormationOrders[kFormationOrderCount][3] = {
    {0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 0, 1}, {2, 1, 0},
};

namespace {

int clampToInt(long long v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// The single-precision factor multiplied in double precision and truncated:
// 100 x 1.3 gives 129, 100 x 0.6 gives 60.
int scaleTruncated(long long value, float factor) {
    const double scaled = static_cast<double>(value) * static_cast<double>(factor);
    if (scaled >= 2147483647.0) return INT_MAX;
    if (scaled <= -2147483648.0) return INT_MIN;
    return static_cast<int>(scaled);
}

int partySlotOf(int unit) {
    for (int s = 0; s < 3; ++s)
        if (gParty[s] == unit) return s;
    return -1;
}

long long ownedAndEquipped(int item) { return static_cast<long long>(gItemStock[item].owned) + gItemStock[item].equipped; }

}  // namespace

int computeUnitStat(int unit, int kind) {
    if (unit < 0 || unit >= kUnitCount || kind < 0 || kind > kStatSpeed) return 1;
    const PartyMember& member = gPartyMembers[unit];
    const long long levelTerm = static_cast<long long>(member.level) + 17;
    int e = kind;
    bool swapped = false;
    long long v = 0;

    bool restart = true;
    while (restart) {
        restart = false;
        v = levelTerm * levelTerm * gUnitBases[unit].stats[e] / 600;
        for (int slot = 0; slot < 4; ++slot) {
            const int item = member.equipment[slot];
            if (item <= 0 || item >= kItemCount) continue;
            if (e >= 2) v += gItems[item].bonuses[e - 2];
            if (item == 100 && e == 0) v += 300;
            if (item == 108 && e == 0) v += 1000;
            if (item == 110 && e <= 1 && !swapped) {
                // This accessory swaps maximum HP and SP: the rule runs again
                // from the start with the other kind.
                swapped = true;
                e = 1 - e;
                restart = true;
                break;
            }
            if (item == 115 && e >= 2)
                v += 100 * (0 * ownedAndEquipped(102) + 1 * ownedAndEquipped(103) + 4 * ownedAndEquipped(116) +
                            9 * ownedAndEquipped(125));
            if (item == 128 && e == 1) v *= 2;  // what has been summed so far
        }
    }

    const int slot = partySlotOf(unit);
    if (slot >= 0 && (kind == kStatAttack || kind == kStatDefence) && gFormationOrder >= 0 &&
        gFormationOrder < kFormationOrderCount && gFormation >= 0 && gFormation < kFormationCount) {
        const int position = gFormationOrders[gFormationOrder][slot];
        const int row = gFormations[gFormation].row[position];
        static constexpr float kAttackFactors[3] = {0.6f, 1.0f, 1.3f};
        static constexpr float kDefenceFactors[3] = {1.3f, 1.0f, 0.6f};
        if (row >= 0 && row <= 2)
            v = scaleTruncated(v, kind == kStatAttack ? kAttackFactors[row] : kDefenceFactors[row]);
    }
    if (slot >= 0 && gInBattle == 1 && e == kStatMaxHp) v += memberBattleMaxHpBonus(slot);

    const int result = clampToInt(v);
    return result < 1 ? 1 : result;
}

int computeBodyguardStat(int bodyguard, int kind) {
    if (bodyguard < 0 || bodyguard >= kBodyguardCount) return 1;
    long long level = 0;
    switch (bodyguard) {
        case 0: {
            // Summed in double so that ten cards of rarity 0 give 6.99999988, level 6.
            double sum = 0.0;
            for (int c = 0; c < kCardCount; ++c)
                if (gCardStock[c].count != 0) sum += (gCardTable[c].rarity + 1) * static_cast<double>(0.7f);
            level = static_cast<long long>(sum);
            break;
        }
        case 1: {
            // Negative sales count as none.
            const double sales = gCumulativeSales > 0 ? static_cast<double>(gCumulativeSales) : 0.0;
            level = 2 * static_cast<long long>(std::floor(std::pow(sales, 0.333) + 1.0));
            break;
        }
        case 2: level = 128; break;
        case 3: {
            long long sum = 0;
            for (std::uint8_t f : gChestFlags) sum += f;
            level = 3 * sum / 4;
            break;
        }
    }
    if (kind == kStatLevel) return clampToInt(level);
    if (kind < 0 || kind > kStatSpeed) return 1;
    const long long v = (level + 7) * (level + 7) * gUnitBases[6 + bodyguard].stats[kind] / 600;
    return v < 1 ? 1 : clampToInt(v);
}
