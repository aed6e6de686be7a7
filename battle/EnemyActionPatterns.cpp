#include "battle/EnemyActionPatterns.h"

#include "engine/Random.h"
#include "gamedata/GameData.h"

namespace {

// Status bytes the patterns test.
constexpr int kAtkUp = 0;
constexpr int kDefUp = 1;
constexpr int kMagUp = 2;
constexpr int kMDefUp = 3;
constexpr int kHaste = 4;

// ---- Actions as table cells ----

struct Act {
    char kind;  // 'W' weapon skill, 'S' stone skill, 'I' item, 0 nothing
    int code;
    int target;
};

constexpr Act W(int code) { return {'W', code, kTargetKeep}; }
constexpr Act S(int code) { return {'S', code, kTargetKeep}; }
constexpr Act I(int code) { return {'I', code, kTargetKeep}; }
constexpr Act kNothing{0, 0, kTargetKeep};
constexpr Act on(Act act, int target) { return {act.kind, act.code, target}; }

EnemyMove moveOf(Act act) {
    EnemyMove move;
    if (act.kind == 'W') move.weaponCode = act.code;
    if (act.kind == 'S') move.stoneCode = act.code;
    if (act.kind == 'I') move.itemId = act.code;
    move.target = act.kind == 0 ? kTargetKeep : act.target;
    return move;
}

// A chain gives the first status missing from the slot tested, with the
// link's action; its fallback when nothing is missing.
struct Link {
    int slot;  // kTargetSelf or an enemy slot
    int status;
    Act act;
};

struct Option {
    const Link* chain;
    int links;
    Act fallback;
};

struct Entry {
    Option first;   // while secondAction is 1
    Option second;  // a hasted enemy's second action
};

enum class Threshold { None, BelowThreeQuarters, BelowHalf, BelowQuarter, SlotDown };

struct StageRule {
    Threshold kind;
    int slot;  // SlotDown: the enemy slot whose hp must be 0
    Act act;
    bool copyHp;
    int newMonster;  // -1 none
};

struct Stage {
    Entry entries[4];  // by round mod 4
    StageRule rule;
};

constexpr Option plain(Act act) { return {nullptr, 0, act}; }
template <int N>
constexpr Option chain(const Link (&links)[N], Act fallback) {
    return {links, N, fallback};
}
constexpr Entry both(Option option) { return {option, option}; }
constexpr Entry both(Act act) { return {plain(act), plain(act)}; }
constexpr Entry split(Option first, Option second) { return {first, second}; }
constexpr Entry split(Act first, Act second) { return {plain(first), plain(second)}; }
constexpr Entry split(Option first, Act second) { return {first, plain(second)}; }
constexpr Entry split(Act first, Option second) { return {plain(first), second}; }

constexpr StageRule kLastStage{Threshold::None, 0, kNothing, false, -1};
constexpr StageRule at(Threshold kind, Act act, bool copyHp = false) { return {kind, 0, act, copyHp, -1}; }
constexpr StageRule whenDown(int slot, Act act) { return {Threshold::SlotDown, slot, act, false, -1}; }

constexpr Threshold k34 = Threshold::BelowThreeQuarters;
constexpr Threshold k12 = Threshold::BelowHalf;
constexpr Threshold k14 = Threshold::BelowQuarter;
constexpr int kSelf = kTargetSelf;

// ---- The staged bosses ----

// 55: the chain over its two guards.
constexpr Link k55Guards[] = {{1, kHaste, on(I(144), 1)}, {2, kHaste, on(I(144), 2)}, {1, kAtkUp, on(I(140), 1)}};
constexpr Stage kBoss55[] = {
    {{both(W(90)), both(W(91)), both(W(92)), both(W(90))}, at(k34, I(160), true)},
    {{both(W(92)), both(W(91)), both(W(92)), both(I(160))}, at(k12, on(I(144), kSelf), true)},
    {{split(chain(k55Guards, I(135)), W(91)), split(I(160), W(92)), split(W(90), W(91)), split(W(92), I(160))},
     at(k14, W(93), true)},
    {{split(chain(k55Guards, I(160)), W(93)), split(W(92), W(91)), split(W(93), W(91)), both(W(93))}, kLastStage},
};

// 56: slot 2's magic.
constexpr Link k56Slot2Magic[] = {{2, kMagUp, on(I(142), 2)}};
constexpr Stage kBoss56[] = {
    {{both(S(80)), both(S(80)), both(S(81)), both(S(80))}, at(k34, S(10), true)},
    {{both(S(80)), both(S(10)), both(S(81)), both(S(80))}, at(k12, on(I(142), kSelf), true)},
    {{split(chain(k56Slot2Magic, S(81)), S(10)), split(S(80), S(11)), split(S(80), S(11)), split(S(81), S(10))},
     at(k14, S(11), true)},
    {{split(chain(k56Slot2Magic, S(11)), S(80)), split(S(10), S(81)), both(S(80)), split(S(10), S(81))}, kLastStage},
};

// 62 and 63 (62 turns into 63 on reaching its last stage, same pattern).
constexpr Link k62OwnMagicDefence[] = {{kSelf, kMDefUp, on(S(61), kSelf)}};
constexpr Link k62Own[] = {
    {kSelf, kHaste, on(I(144), kSelf)}, {kSelf, kAtkUp, on(I(140), kSelf)}, {kSelf, kMagUp, on(I(142), kSelf)}};
// In its last stage the chain ends in S 11 without its own DefUp, else I 160.
constexpr Link k63Own[] = {{kSelf, kHaste, on(I(144), kSelf)},
                           {kSelf, kAtkUp, on(I(140), kSelf)},
                           {kSelf, kMagUp, on(I(142), kSelf)},
                           {kSelf, kDefUp, S(11)}};
constexpr Stage kBoss62[] = {
    {{both(W(71)), both(chain(k62OwnMagicDefence, S(60))), both(W(72)), both(S(60))}, at(k34, S(10))},
    {{both(W(71)), both(W(72)), both(I(160)), both(S(10))}, at(k12, on(I(144), kSelf))},
    {{split(chain(k62Own, I(135)), W(71)), split(I(160), W(72)), split(S(60), W(71)), split(S(10), W(72))},
     {Threshold::BelowQuarter, 0, W(73), false, 63}},
    {{split(chain(k63Own, I(160)), S(10)), split(W(71), S(60)), split(chain(k63Own, I(160)), W(73)), split(S(60), S(72))},
     kLastStage},
};

// 67: its two companions' buffs.
constexpr Link k67Companions[] = {
    {1, kHaste, on(I(144), 1)}, {2, kHaste, on(I(144), 2)}, {1, kAtkUp, on(I(140), 1)},
    {1, kDefUp, on(I(141), 1)}, {2, kDefUp, on(I(141), 2)}, {1, kMDefUp, on(I(143), 1)},
    {2, kMDefUp, on(I(143), 2)}, {2, kMagUp, on(I(142), 2)}};
constexpr Link k67Slot1[] = {
    {1, kHaste, on(I(144), 1)}, {1, kAtkUp, on(I(140), 1)}, {1, kDefUp, on(I(141), 1)}, {1, kMDefUp, on(I(143), 1)}};
constexpr Stage kBoss67[] = {
    {{both(I(168)), both(W(82)), both(W(81)), both(W(82))}, at(k34, W(83))},
    {{both(W(82)), both(W(81)), both(on(I(140), kSelf)), both(W(83))}, at(k12, on(I(144), kSelf))},
    {{split(chain(k67Companions, I(135)), I(174)), split(W(82), I(170)), split(W(81), W(83)), split(W(81), I(170))},
     at(k14, I(160))},
    {{split(W(81), I(171)), split(W(82), I(174)), split(W(83), W(82)), split(I(160), W(82))}, whenDown(2, W(83))},
    {{split(chain(k67Slot1, I(160)), W(83)), split(W(82), I(161)), split(W(82), W(83)), split(chain(k67Slot1, I(160)), W(82))},
     kLastStage},
};

// 68: spells its companions' buffs.
constexpr Link k68Companions[] = {
    {1, kHaste, on(I(144), 1)}, {2, kHaste, on(I(144), 2)}, {2, kMagUp, on(S(91), 2)},
    {1, kDefUp, on(S(51), 1)},  {2, kDefUp, on(S(51), 2)},  {1, kMDefUp, on(S(61), 1)},
    {2, kMDefUp, on(S(61), 2)}, {1, kAtkUp, on(S(21), 1)}};
constexpr Stage kBoss68[] = {
    {{both(S(40)), both(S(20)), both(S(70)), both(S(20))}, at(k34, S(50))},
    {{both(S(50)), both(S(30)), both(S(91)), both(S(20))}, at(k12, on(I(144), kSelf))},
    {{split(S(81), S(60)), split(S(50), S(80)), split(S(30), chain(k68Companions, S(41))), split(S(80), S(30))},
     at(k14, S(11))},
    {{split(S(10), S(70)), split(S(11), S(90)), split(S(90), S(10)), split(S(90), S(80))}, whenDown(1, S(11))},
    {{split(S(11), S(10)), split(S(90), S(10)), split(S(10), S(60)), split(I(160), S(90))}, kLastStage},
};

// 76: its own buffs.
constexpr Link k76Own[] = {{kSelf, kHaste, on(I(144), kSelf)},
                           {kSelf, kAtkUp, on(I(140), kSelf)},
                           {kSelf, kDefUp, on(I(141), kSelf)},
                           {kSelf, kMDefUp, on(I(143), kSelf)}};
constexpr Stage kBoss76[] = {
    {{both(W(72)), both(W(72)), both(W(72)), both(W(73))}, at(k34, on(I(140), kSelf))},
    {{both(on(I(140), kSelf)), both(W(73)), both(W(72)), both(W(73))}, at(k12, on(I(144), kSelf))},
    {{split(chain(k76Own, I(160)), W(73)), split(I(160), W(72)), both(W(72)), split(chain(k76Own, I(160)), W(73))},
     at(k14, on(W(105), kSelf))},
    {{split(W(105), chain(k76Own, I(160))), both(W(72)), split(chain(k76Own, I(160)), W(73)), split(W(73), W(72))},
     kLastStage},
};

// 65, staged through story flag 127.
constexpr Link k65Haste[] = {{kSelf, kHaste, on(I(144), kSelf)}};
constexpr Link k65HasteAttack[] = {{kSelf, kHaste, on(I(144), kSelf)}, {kSelf, kAtkUp, on(I(140), kSelf)}};
constexpr Link k65All[] = {{kSelf, kHaste, on(I(144), kSelf)},
                           {kSelf, kAtkUp, on(I(140), kSelf)},
                           {kSelf, kDefUp, on(I(141), kSelf)},
                           {kSelf, kMDefUp, on(I(143), kSelf)}};
constexpr Stage kBoss65[] = {
    {{both(chain(k65Haste, W(53))), split(W(52), W(53)), split(W(52), W(53)), split(W(53), W(100))},
     at(k12, on(I(140), kSelf))},
    {{both(chain(k65HasteAttack, W(53))), split(I(160), W(100)), both(chain(k65HasteAttack, W(52))), split(W(53), W(100))},
     at(k14, on(I(141), kSelf))},
    {{both(chain(k65All, W(53))), split(I(160), W(100)), both(chain(k65All, W(52))), split(W(53), W(100))}, kLastStage},
};

struct StagedBoss {
    int monster;
    bool cloneFlag;  // stage in story flag 127 instead of 84
    const Stage* stages;
    int stageCount;
};

template <int N>
constexpr StagedBoss boss(int monster, const Stage (&stages)[N], bool cloneFlag = false) {
    return {monster, cloneFlag, stages, N};
}

constexpr StagedBoss kStagedBosses[] = {
    boss(55, kBoss55), boss(56, kBoss56), boss(62, kBoss62), boss(63, kBoss62),
    boss(67, kBoss67), boss(68, kBoss68), boss(76, kBoss76), boss(65, kBoss65, true),
};

const StagedBoss* findStagedBoss(int monster) {
    for (const StagedBoss& entry : kStagedBosses) {
        if (entry.monster == monster) return &entry;
    }
    return nullptr;
}

// ---- Tests the tables make ----

const EnemyPatternSlot& self(const EnemyPatternInput& in) { return in.enemies[in.slot]; }
int slotOf(const EnemyPatternInput& in, int slot) { return slot == kTargetSelf ? in.slot : slot; }
bool lacks(const EnemyPatternInput& in, int slot, int status) {
    return in.enemies[slotOf(in, slot)].status[status] == 0;
}
bool ownHas(const EnemyPatternInput& in, int status) { return self(in).status[status] != 0; }
bool present(const EnemyPatternInput& in, int slot) { return in.enemies[slot].monster != 0; }
bool belowThreeQuarters(const EnemyPatternInput& in) { return self(in).hp < (3 * self(in).maxHp) / 4; }
bool belowHalf(const EnemyPatternInput& in) { return self(in).hp < self(in).maxHp / 2; }
bool belowQuarter(const EnemyPatternInput& in) { return self(in).hp < self(in).maxHp / 4; }
bool anotherPresent(const EnemyPatternInput& in) {
    for (int slot = 0; slot < kPatternSlotCount; ++slot) {
        if (slot != in.slot && present(in, slot)) return true;
    }
    return false;
}

// Round modulo n; a negative round (never reached in play) counts as 0.
int roundMod(const EnemyPatternInput& in, int n) { return in.round > 0 ? in.round % n : 0; }

Act resolve(const EnemyPatternInput& in, const Option& option) {
    for (int i = 0; i < option.links; ++i) {
        const Link& link = option.chain[i];
        if (lacks(in, link.slot, link.status)) return link.act;
    }
    return option.fallback;
}

bool thresholdHolds(const EnemyPatternInput& in, const StageRule& rule) {
    switch (rule.kind) {
        case Threshold::BelowThreeQuarters: return belowThreeQuarters(in);
        case Threshold::BelowHalf: return belowHalf(in);
        case Threshold::BelowQuarter: return belowQuarter(in);
        case Threshold::SlotDown: return in.enemies[rule.slot].hp == 0;
        case Threshold::None: break;
    }
    return false;
}

EnemyDecision decideStaged(const EnemyPatternInput& in, const StagedBoss& boss) {
    EnemyDecision decision;
    const int stage = boss.cloneFlag ? in.cloneBossStage : in.bossStage;
    // A stage the story never sets (the flags are bytes a save could hold anything in) decides nothing.
    if (stage < 0 || stage >= boss.stageCount) return decision;
    const Stage& rules = boss.stages[stage];
    const Entry& entry = rules.entries[roundMod(in, 4)];
    decision.move = moveOf(resolve(in, in.firstAction ? entry.first : entry.second));
    // The threshold is tested after the stage's pattern, so a stage rises by one a turn at most.
    if (thresholdHolds(in, rules.rule)) {
        decision.move = moveOf(rules.rule.act);
        if (boss.cloneFlag) decision.newCloneBossStage = stage + 1;
        else decision.newBossStage = stage + 1;
        decision.copyHp = rules.rule.copyHp;
        decision.newMonster = rules.rule.newMonster;
    }
    return decision;
}

// ---- The simple patterns ----

// Takes the action of the n-th cell, r mod size.
template <int N>
Act rotate(const EnemyPatternInput& in, const Act (&cells)[N]) {
    return cells[roundMod(in, N)];
}

// 58's and 59's shared tail: with one of slots 0-2 gone, their own magic then magic defence.
void shieldTail(const EnemyPatternInput& in, Act& act) {
    if (present(in, 0) && present(in, 1) && present(in, 2)) return;
    if (!ownHas(in, kMagUp)) act = on(I(142), kSelf);
    if (!ownHas(in, kMDefUp)) act = on(I(143), kSelf);
}

// A companion slot's buff when it lacks the status and still stands.
bool companionNeeds(const EnemyPatternInput& in, int slot, int status) {
    return lacks(in, slot, status) && in.enemies[slot].hp > 0;
}

EnemyDecision decideThief(const EnemyPatternInput& in) {
    EnemyDecision decision;
    Act act = kNothing;
    if (in.thiefMode == 0) {
        constexpr Act cells[] = {W(51), W(52), W(53), I(135), W(52)};
        act = rotate(in, cells);
        if (belowHalf(in)) {
            act = on(I(141), kSelf);
            decision.storyEvent = true;
        }
    } else {
        switch (roundMod(in, 3)) {
            case 0:
                if (!ownHas(in, kMDefUp)) act = on(I(143), kSelf);
                else if (!ownHas(in, kDefUp)) act = on(I(141), kSelf);
                else act = randomThousand() % 2 == 0 ? W(53) : W(52);
                break;
            case 1: {
                int codes[8];
                const int count = stealableStoneSkills(codes);
                // With no stone to turn against the party it attacks as usual.
                act = count > 0 ? S(codes[randomThousand() % count]) : W(52);
                break;
            }
            default: act = W(100); break;
        }
    }
    decision.move = moveOf(act);
    return decision;
}

EnemyDecision decideSimple(const EnemyPatternInput& in, int monster) {
    EnemyDecision decision;
    Act act = kNothing;
    const int r4 = roundMod(in, 4);
    switch (monster) {
        case 31: act = roundMod(in, 3) == 0 ? W(61) : W(60); break;
        case 32: act = roundMod(in, 5) == 0 ? W(100) : W(50); break;
        case 34:
            if (in.returning) {
                act = W(102);
            } else if (anotherPresent(in)) {
                constexpr Act cells[] = {W(80), W(80), W(81), W(101)};
                act = rotate(in, cells);
            } else {
                constexpr Act cells[] = {W(80), W(81), W(103)};
                act = rotate(in, cells);
            }
            break;
        case 35:
            if (r4 == 0) act = in.round == 0 ? on(S(21), kSelf) : S(20);
            else act = r4 == 1 ? W(61) : W(60);
            break;
        case 36: act = r4 % 2 == 1 ? W(81) : W(80); break;
        case 37: act = r4 == 1 ? W(61) : W(60); break;
        case 38: act = r4 % 2 == 1 ? S(41) : S(40); break;
        case 39:
            if (in.roofBossFlag == 2 || in.round >= 8) act = S(10);
            else if (in.round == 4) act = on(I(140), 0);
            else act = W(90);
            break;
        case 40: {
            constexpr Act cells[] = {W(90), S(30), W(90), W(91)};
            act = rotate(in, cells);
            if ((!present(in, 1) || !present(in, 3)) && !ownHas(in, kDefUp)) act = on(I(141), kSelf);
            if ((!present(in, 2) || !present(in, 5)) && !ownHas(in, kMDefUp)) act = on(I(143), kSelf);
            break;
        }
        case 41:
            if (r4 == 0) act = ownHas(in, kDefUp) ? S(50) : on(S(51), kSelf);
            else act = r4 == 3 ? W(100) : W(50);
            break;
        case 43:
            // The party slot is not checked: it may be empty or fallen.
            if (in.round == 1) act = on(W(72), 1);
            else if (in.round == 2) act = on(W(72), 2);
            else act = W(105);
            break;
        case 44:
        case 45: {
            constexpr Act cells[] = {W(30), W(31), W(32), S(94), S(80), S(81), S(80), S(95)};
            act = rotate(in, cells);
            break;
        }
        case 46:
            if (in.round >= 10) {
                decision.storyEvent = true;
                decision.storesAction = false;
                return decision;
            }
            act = in.round % 2 == 0 ? S(80) : S(81);
            break;
        case 47: {
            constexpr Act cells[] = {W(90), W(91), W(92), W(91), I(135)};
            act = rotate(in, cells);
            if (belowHalf(in)) {
                if (companionNeeds(in, 1, kAtkUp)) act = on(I(140), 1);
                if (companionNeeds(in, 2, kAtkUp)) act = on(I(140), 2);
            }
            break;
        }
        case 48: {
            constexpr Act cells[] = {S(60), W(61), W(62), S(60), W(63)};
            act = rotate(in, cells);
            if (belowHalf(in)) {
                if (companionNeeds(in, 1, kMDefUp)) act = on(S(61), 1);
                if (companionNeeds(in, 2, kMDefUp)) act = on(S(61), 2);
            }
            break;
        }
        case 49: {
            constexpr Act cells[] = {W(40), W(41), W(42), on(I(134), kSelf), W(40), W(43), on(I(134), kSelf)};
            act = rotate(in, cells);
            if (belowQuarter(in) && !ownHas(in, kAtkUp)) act = on(I(140), kSelf);
            break;
        }
        case 50:
        case 51: {
            constexpr Act cells50[] = {W(80), W(81), W(82), W(81), W(82)};
            constexpr Act cells51[] = {W(60), W(61), W(62), W(61), W(62)};
            act = monster == 50 ? rotate(in, cells50) : rotate(in, cells51);
            if (belowHalf(in) && !ownHas(in, kAtkUp)) act = on(I(140), kSelf);
            break;
        }
        case 52:
            switch (roundMod(in, 7)) {
                case 0: act = anotherPresent(in) ? W(21) : W(103); break;
                case 1: act = S(90); break;
                case 2: act = W(22); break;
                case 3: act = belowHalf(in) ? S(90) : W(20); break;
                case 4: act = W(23); break;
                case 5: act = S(90); break;
                default: act = belowHalf(in) ? W(23) : on(I(134), kSelf); break;
            }
            if (belowThreeQuarters(in) && !ownHas(in, kDefUp)) act = on(I(141), kSelf);
            if (belowHalf(in) && !ownHas(in, kMagUp)) act = on(S(91), kSelf);
            if (belowQuarter(in) && !ownHas(in, kAtkUp)) act = on(I(140), kSelf);
            break;
        case 53:
        case 60: return decideThief(in);
        case 54:
        case 61:
        case 66: {
            constexpr Act cells[] = {W(52), I(135), W(53), W(52)};
            act = rotate(in, cells);
            break;
        }
        case 57: {
            constexpr Act cells[] = {W(91), S(30), W(92), kNothing, W(92), S(30)};
            act = rotate(in, cells);
            for (int slot = 0; slot < 3; ++slot) {
                if (!present(in, slot)) act = on(S(31), slot);
            }
            break;
        }
        case 58:
        case 59: {
            const bool shield = monster == 58;
            const int buff = shield ? kDefUp : kAtkUp;
            const Act buffAct = shield ? S(51) : S(21);
            const int r = roundMod(in, shield ? 6 : 8);
            if (r <= 2) {
                constexpr Act otherwise58[] = {S(50), W(60), W(61)};
                constexpr Act otherwise59[] = {S(20), W(20), W(21)};
                act = companionNeeds(in, r, buff) ? on(buffAct, r) : (shield ? otherwise58[r] : otherwise59[r]);
            } else if (shield) {
                constexpr Act cells[] = {W(61), W(62), W(63)};
                act = cells[r - 3];
            } else {
                constexpr Act cells[] = {W(21), W(22), S(41), W(24), W(22)};
                act = cells[r - 3];
            }
            shieldTail(in, act);
            break;
        }
        case 77:
            if (in.round >= 1) decision.storyEvent = true;
            else act = S(20);
            break;
        default: break;  // a scripted monster without a pattern takes no action
    }
    decision.move = moveOf(act);
    return decision;
}

}  // namespace

int stealableStoneSkills(int codes[8]) {
    // The attribute of magical stones 1 to 8.
    constexpr int kStoneAttributes[8] = {7, 2, 4, 3, 5, 8, 6, 9};
    int count = 0;
    for (int stone = 1; stone <= kStoneFlagCount; ++stone) {
        if (gStoneFlags[stone - 1] != 1) continue;
        bool worn = false;
        for (int unit = 1; unit < kUnitCount; ++unit) {
            if (gPartyMembers[unit].stones[0] == stone || gPartyMembers[unit].stones[1] == stone) worn = true;
        }
        if (!worn) codes[count++] = kStoneAttributes[stone - 1] * 10;
    }
    return count;
}

EnemyDecision decideScriptedEnemy(const EnemyPatternInput& input) {
    if (input.slot < 0 || input.slot >= kPatternSlotCount) return {};
    const int monster = input.enemies[input.slot].monster;
    if (const StagedBoss* staged = findStagedBoss(monster)) return decideStaged(input, *staged);
    return decideSimple(input, monster);
}
