// The damage resolver: every change a battle action makes to a battler is
// worked out here at once and carried by a damage popup that lands it later.
#include <algorithm>
#include <climits>

#include "battle/BattlePopups.h"
#include "battle/DamageRules.h"
#include "battle/BattleServices.h"
#include "engine/Random.h"
#include "gamedata/GameData.h"
#include "gamedata/PartyStats.h"

namespace {

constexpr int kValueLimit = 99999;
constexpr int kItemEvadeGamble = 117;
constexpr int kItemMagicDoubler = 126;

// Who a party-side index stands for: the member of the slot, or the called
// bodyguard while it fights alone, whatever the index.
struct PartySide {
    bool bodyguard;
    int unit;  // member's unit id (0 when the slot is empty or out of range)
    int line;  // gMemberBattleStatus line
};

PartySide partySide(int index) {
    PartySide p{};
    if (gBattleSchedule.soloMode != 0) {
        p.bodyguard = true;
        p.line = kBodyguardLine;
        return p;
    }
    p.line = index >= 0 && index < kPartyLineCount ? index : 0;
    p.unit = index >= 0 && index < 3 ? gParty[index] : 0;
    return p;
}

int bodyguardIndex() {
    const int b = gBattleSchedule.bodyguardIndex;
    return b >= 0 && b < kBodyguardCount ? b : 0;
}

const MonsterRecord& monsterOf(int slot) {
    int monster = slot >= 0 && slot < kEnemySlotCount ? gEnemyBattlers[slot].monster : 0;
    if (monster < 0 || monster >= kMonsterCount) monster = 0;
    return gMonsters[monster];
}

std::uint8_t* statusOf(int side, int index) {
    if (side == kSideEnemy) return gEnemyBattlers[index >= 0 && index < kEnemySlotCount ? index : 0].status;
    return gMemberBattleStatus[partySide(index).line].status;
}

int partyStat(int index, int kind) {
    const PartySide p = partySide(index);
    return p.bodyguard ? computeBodyguardStat(bodyguardIndex(), kind) : computeUnitStat(p.unit, kind);
}

int wornCount(int unit, int item) {
    if (unit <= 0 || unit >= kUnitCount) return 0;
    int n = 0;
    for (int e = 0; e < 4; ++e) n += gPartyMembers[unit].equipment[e] == item ? 1 : 0;
    return n;
}

}  // namespace

long long attackBase(int attack, int defence, int power) {
    // The single-precision constants, multiplied in double and truncated.
    const double base = (static_cast<double>(attack) * static_cast<double>(1.95f) -
                         static_cast<double>(defence) * static_cast<double>(1.9f)) *
                        static_cast<double>(power) * static_cast<double>(0.01f);
    if (base <= 0.0) return 0;
    if (base >= 1e12) return 1000000000000LL;
    return static_cast<long long>(base);
}

long long spreadDamage(long long base, int r) { return (2 * base + base * r / 1000) * 40 / 100; }

namespace {

struct Result {
    long long value;
    int kind;
};

Result attack(int actorSide, int actorIndex, int targetSide, int targetIndex, int power, bool magic) {
    int a = 0;
    int d = 0;
    if (actorSide == kSideParty) {
        const PartySide p = partySide(actorIndex);
        // The bodyguard has no magic of its own: its attack serves.
        a = p.bodyguard ? computeBodyguardStat(bodyguardIndex(), kStatAttack)
                        : computeUnitStat(p.unit, magic ? kStatMagic : kStatAttack);
    } else {
        const MonsterRecord& m = monsterOf(actorIndex);
        a = magic ? m.magic : m.attack;
    }
    if (targetSide == kSideParty) {
        d = partyStat(targetIndex, magic ? kStatMagicDefence : kStatDefence);
    } else {
        const MonsterRecord& m = monsterOf(targetIndex);
        d = magic ? m.magicDefence : m.defence;
    }
    const int r = randomThousand();
    long long damage = spreadDamage(attackBase(a, d, power), r);

    if (actorSide == kSideParty) {
        std::uint8_t* status = statusOf(kSideParty, actorIndex);
        status[kStatusEvade] = 0;
        if (magic) {
            if (status[kStatusMagicUp] == 1) damage *= 2;
            const PartySide p = partySide(actorIndex);
            if (!p.bodyguard)
                for (int n = wornCount(p.unit, kItemMagicDoubler); n > 0; --n) damage *= 2;
        } else if (status[kStatusAttackUp] == 1) {
            damage *= 2;
        }
    } else {
        const std::uint8_t* status = statusOf(kSideEnemy, actorIndex);
        if (status[magic ? kStatusMagicUp : kStatusAttackUp] == 1) damage *= 2;
    }

    int kind = kPopupHp;
    const std::uint8_t* target = statusOf(targetSide, targetIndex);
    if (target[magic ? kStatusMagicDefenceUp : kStatusDefenceUp] == 1) damage /= 2;
    if (targetSide == kSideParty) {
        if (target[kStatusEvade] == 1) {
            damage = 0;
            kind = kPopupMiss;
        }
        const PartySide p = partySide(targetIndex);
        if (!p.bodyguard) {
            for (int e = 0; e < 4; ++e) {
                if (p.unit <= 0 || p.unit >= kUnitCount || gPartyMembers[p.unit].equipment[e] != kItemEvadeGamble)
                    continue;
                const int roll = randomThousand();
                const bool wins = magic ? roll % 4 == 0 : roll % 2 == 0;
                if (wins) {
                    damage *= magic ? 4 : 2;
                } else {
                    damage = 0;
                    kind = kPopupMiss;
                }
            }
        }
    }
    return {damage, kind};
}

Result heal(int actorSide, int actorIndex, int power, int amount) {
    int magic = 0;
    if (actorSide == kSideParty) {
        const PartySide p = partySide(actorIndex);
        magic = p.bodyguard ? computeBodyguardStat(bodyguardIndex(), kStatAttack) : computeUnitStat(p.unit, kStatMagic);
    } else {
        magic = monsterOf(actorIndex).magic;
    }
    long long d = static_cast<long long>(power) + magic;
    if (d < 0) d = 0;
    long long amountHealed = spreadDamage(d, randomThousand()) + amount;
    if (statusOf(actorSide, actorIndex)[kStatusMagicUp] == 1) amountHealed *= 2;
    if (actorSide == kSideParty) {
        const PartySide p = partySide(actorIndex);
        if (!p.bodyguard)
            for (int n = wornCount(p.unit, kItemMagicDoubler); n > 0; --n) amountHealed *= 2;
    }
    return {-amountHealed, kPopupHp};
}

// An entry for a new popup: the first free one of all 25; when every one
// counts, entry 20 is taken over and its change lands at once, so nothing a
// popup carried is ever lost.
int takePopupEntry() {
    for (int i = 0; i < kDamagePopupCount; ++i)
        if (gDamagePopups[i].timer == 0) return i;
    applyDamagePopup(gDamagePopups[kDamagePopupSearch]);
    gDamagePopups[kDamagePopupSearch].timer = 0;
    return kDamagePopupSearch;
}

}  // namespace

void resolveEffect(int actorSide, int actorIndex, int targetSide, int targetIndex, int power, int amount,
                   int effectType) {
    const int entry = takePopupEntry();
    DamagePopup& popup = gDamagePopups[entry];
    popup.timer = kPopupFrames;
    popup.side = targetSide;
    popup.index = targetIndex;

    bool rowTaken[kDamagePopupSearch] = {};
    for (int i = 0; i < kDamagePopupCount; ++i) {
        const DamagePopup& other = gDamagePopups[i];
        if (i == entry || other.timer == 0 || other.side != targetSide || other.index != targetIndex) continue;
        if (other.row >= 0 && other.row < kDamagePopupSearch) rowTaken[other.row] = true;
    }
    for (int row = 0; row < kDamagePopupSearch; ++row) {
        if (!rowTaken[row]) {
            popup.row = row;
            break;
        }
    }

    if (gBattleRewards.boostItem != 0 && gBattleAction.pendingStoneSkill != -1) {
        // A stone skill under a boost item: the item's magic value on every target.
        if (actorSide == kSideParty && targetSide == kSideEnemy) statusOf(kSideParty, actorIndex)[kStatusEvade] = 0;
        if (actorSide == kSideEnemy && targetSide == kSideParty) statusOf(kSideEnemy, actorIndex)[kStatusEvade] = 0;
        const int boost = gBattleRewards.boostItem;
        popup.value = boost > 0 && boost < kItemCount ? gItems[boost].bonuses[2] : 0;
        popup.kind = kPopupHp;
        return;
    }

    Result result{0, kPopupHp};
    switch (effectType) {
    case kEffectPhysical: result = attack(actorSide, actorIndex, targetSide, targetIndex, power, false); break;
    case kEffectMagic: result = attack(actorSide, actorIndex, targetSide, targetIndex, power, true); break;
    case kEffectHeal: result = heal(actorSide, actorIndex, power, amount); break;
    case kEffectFixed: result = {amount, power == kPopupSp ? kPopupSp : kPopupHp}; break;
    case kEffectMiss: result = {0, kPopupMiss}; break;
    case kEffectRevive: result = {0, kPopupRevive}; break;
    case kEffectMaxHpBonus: result = {amount, kPopupMaxHpBonus}; break;
    case kEffectDispel: result = {0, kPopupClear}; break;
    case kEffectGrantEvade: result = {0, kPopupEvade}; break;
    default:
        if (effectType >= kEffectGrantAttackUp && effectType <= kEffectGrantSpRegen)
            result = {0, effectType - 2};
        else
            result = {0, kPopupMiss};  // an unknown effect shows a miss and changes nothing
        break;
    }
    popup.value = static_cast<int>(std::clamp<long long>(result.value, -kValueLimit, kValueLimit));
    popup.kind = result.kind;
}
